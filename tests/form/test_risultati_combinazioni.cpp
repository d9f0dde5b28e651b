// The combinations' tables of the main window.
#include "finestra_prova.h"
#include "form/risultati_combinazioni.h"
#include "io/numeri.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

struct Quadro_ : ::testing::Test {
    UnitMisura u;
    void SetUp() override { u.UnitaDefault(); } // m, MPa, t, kN, cm
    double Num(const std::string& t) const { return ValoreNumerico(t, u.separatori); }
};

TEST_F(Quadro_, NonCalcolatoNonSiVede) {
    const QuadroCombinazioni q = TabelleCombinazioni({}, {}, u);
    EXPECT_FALSE(q.Visibile);
    EXPECT_TRUE(q.Campate.Testi.empty());
}

// Two spans of 2 m; the extremes are picked span by span, whatever the
// other span holds, and shown in kN and kNm.
TEST_F(Quadro_, EstremiPerCampataEAppoggio) {
    RisultatiCombinazioni r;
    r.Calcolato = true;
    r.x = {0, 1, 2, 2, 3, 4};
    r.Campata = {0, 0, 0, 1, 1, 1};
    Inviluppo& slu = r.Inviluppi[0];
    auto& M = slu.Curve[0];
    auto& V = slu.Curve[1];
    M.Max = {0, 5000, -1500, -1500, 8000, 0};
    M.Min = {0, -1000, -9000, -9000, -200, 0};
    V.Max = {7000, 1000, -3000, 12000, 0, -500};
    V.Min = {2000, -500, -11000, 4000, -1000, -6000};
    slu.RMax = {7000, 23000, 6000};
    slu.RMin = {-500, 8000, 1000};
    slu.MAppMax = {0, -2000, 0};
    slu.MAppMin = {0, -9000, 0};
    r.Frecce = {{0, 2, 0.004, 1, 0.002, 500, 1000, 250, 300, true},
                {1, 2, 0.01, 1, 0.008, 200, 250, 250, 300, false}};
    DatiTrave d;
    d.Vincoli = Continua;
    const QuadroCombinazioni q = TabelleCombinazioni(r, d, u);
    ASSERT_TRUE(q.Visibile);
    ASSERT_EQ(q.Campate.Testi.size(), 3u);
    EXPECT_EQ(q.Campate.Testi[0], (std::vector<std::string>{"Campata", "Mmax (kNm)", "Mmin (kNm)",
                                                            "Vmax (kN)", "Vmin (kN)"}));
    const double attesi[2][4] = {{5, -9, 7, -11}, {8, -9, 12, -6}};
    for (int s = 0; s < 2; ++s) {
        EXPECT_EQ(q.Campate.Testi[size_t(s + 1)][0], std::to_string(s + 1));
        for (int c = 0; c < 4; ++c)
            EXPECT_DOUBLE_EQ(Num(q.Campate.Testi[size_t(s + 1)][size_t(c + 1)]), attesi[s][c])
                << s << " " << c;
    }
    ASSERT_EQ(q.Appoggi.Testi.size(), 4u);
    EXPECT_EQ(q.Appoggi.Testi[2][0], "2");
    EXPECT_DOUBLE_EQ(Num(q.Appoggi.Testi[2][1]), 23);
    EXPECT_DOUBLE_EQ(Num(q.Appoggi.Testi[1][2]), -0.5);
    EXPECT_DOUBLE_EQ(Num(q.Appoggi.Testi[2][4]), -9);
    ASSERT_EQ(q.Frecce.Testi.size(), 3u);
    EXPECT_EQ(q.Frecce.Testi[1][3], "500");
    EXPECT_EQ(q.Frecce.Testi[1][4], "250");
    EXPECT_EQ(q.Frecce.Testi[1][6], "1000");
    EXPECT_EQ(q.Frecce.Testi[1][7], "300");
    EXPECT_EQ(q.Frecce.Testi[1][8], "verificata");
    EXPECT_EQ(q.Frecce.Testi[2][8], "non verificata");
    EXPECT_EQ(q.Frecce.Esiti, (std::vector<int>{0, 1, -1}));
    EXPECT_DOUBLE_EQ(Num(q.Frecce.Testi[2][2]), 0.01);
    // every table row has its tooltips
    for (const auto* t : {&q.Campate, &q.Appoggi, &q.Frecce}) {
        ASSERT_EQ(t->Governi.size(), t->Testi.size());
        for (size_t i = 0; i < t->Testi.size(); ++i)
            EXPECT_EQ(t->Governi[i].size(), t->Testi[i].size());
    }
}

// A single span names its supports A and B; a deflection of zero checks
// nothing; a value that is not a number is never shown.
TEST_F(Quadro_, TraveSempliceEValoriNonNumerici) {
    RisultatiCombinazioni r;
    r.Calcolato = true;
    r.x = {0, 3, 6};
    r.Campata = {0, 0, 0};
    auto& M = r.Inviluppi[0].Curve[0];
    M.Max = {0, std::numeric_limits<double>::quiet_NaN(), 0};
    M.Min = {0, 0, 0};
    r.Inviluppi[0].Curve[1].Max = {1, 0, -1};
    r.Inviluppi[0].Curve[1].Min = {1, 0, -1};
    r.Inviluppi[0].RMax = {std::numeric_limits<double>::infinity(), 1};
    r.Inviluppi[0].RMin = {1, 1};
    r.Inviluppi[0].MAppMax = {0, 0};
    r.Inviluppi[0].MAppMin = {0, 0};
    r.Frecce = {{0, 6, 0, 3, 0, 0, 0, 250, 300, true}};
    const QuadroCombinazioni q = TabelleCombinazioni(r, DatiTrave{}, u);
    EXPECT_DOUBLE_EQ(Num(q.Campate.Testi[1][1]), 0);
    EXPECT_EQ(q.Appoggi.Testi[1][0], "A");
    EXPECT_EQ(q.Appoggi.Testi[2][0], "B");
    EXPECT_EQ(q.Appoggi.Testi[1][1], "-");
    EXPECT_EQ(q.Frecce.Testi[1][3], "-");
}

// Three spans of 5 m on four simple supports, J of an IPE 160, G1 3 kN/m,
// G2 2 kN/m, Q 4 kN/m of category B, each over the whole beam, NTC factors
// (permanent w = 1.3·3 + 1.5·2 = 6.9 kN/m unfavourable, 1·3 + 0.8·2 = 4.6
// favourable; variable 1.5·4 = 6 kN/m). Three-moment equation, w·L units:
//   w on all spans:        R_A = 0.4 wL, M_B = -0.1 wL²
//   w on spans 1 and 3:    R_A = 0.45 wL, M_B = M_C = -wL²/20
//   w on span 2 alone:     R_A = -0.05 wL, M_B = M_C = -wL²/20, midspan 0.075 wL²
//   w on spans 1 and 2:    M_B = -7/60 wL²
// SLU, span 1: M(x) = 27.3 x - 6.45 x² (Q on 1 and 3), greatest at the
// calculation point x = 2.10 m: 28.8855 kNm. Span 2: 0.025·6.9·25 +
// 0.075·6·25 = 15.5625 kNm. Support 1: Rmax = 0.4·6.9·5 + 0.45·6·5 = 27.3 kN,
// Rmin = 0.4·4.6·5 - 0.05·6·5 = 7.7 kN. Support 2: Mmin = -0.1·6.9·25 -
// 7/60·6·25 = -34.75 kNm. Deflection of the characteristic combination in
// span 1 with Q on 1 and 3: L/f below 250 (not verified); span 2 verified.
struct TreCampate_ : TraveProva {};

TEST_F(TreCampate_, EstremiInFormaChiusa) {
    DatiTrave d;
    d.Titolo = "tre campate";
    d.E = 2.1e11f;
    d.Vincoli = Continua;
    d.NSezioni = 100;
    d.Campate.assign(3, CampataContinua{5, 8.693e-6});
    d.Appoggi.assign(4, AppoggioContinuo{});
    d.Luce = 15;
    d.Casi = {{"G1", TipoCaso::G1}, {"G2", TipoCaso::G2}, {"Q1", TipoCaso::Q, CategoriaQ::B}};
    CoefficientiPsi psi;
    ASSERT_TRUE(PsiCategoria(CategoriaQ::B, psi));
    d.Casi[2].psi0 = psi.psi0;
    d.Casi[2].psi1 = psi.psi1;
    d.Casi[2].psi2 = psi.psi2;
    const float q[3] = {3000, 2000, 4000};
    for (int16_t k = 0; k < 3; ++k) {
        d.CarichiTrapezi.Conserva(++d.NTrapezi);
        d.CarichiTrapezi(d.NTrapezi) = {q[k], q[k], 0, 15, k};
    }
    modulo.Dati = d;
    f->Optschema = Continua;
    f->ScriveDatiInForm();
    ASSERT_EQ(f->btnCalcola_Click(), EsitoCalcolo::Completato)
        << testing::PrintToString(msg.Testi());
    const QuadroCombinazioni t = TabelleCombinazioni(modulo.Combinazioni, modulo.Dati, unita);
    ASSERT_TRUE(t.Visibile);
    ASSERT_EQ(t.Campate.Testi.size(), 4u);
    EXPECT_NEAR(Num(t.Campate.Testi[1][1]), 28.8855, 0.006);
    EXPECT_NEAR(Num(t.Campate.Testi[2][1]), 15.5625, 0.006);
    EXPECT_NEAR(Num(t.Campate.Testi[3][1]), 28.8855, 0.006);
    ASSERT_EQ(t.Appoggi.Testi.size(), 5u);
    EXPECT_NEAR(Num(t.Appoggi.Testi[1][1]), 27.3, 1e-3);
    EXPECT_NEAR(Num(t.Appoggi.Testi[1][2]), 7.7, 1e-3);
    EXPECT_NEAR(Num(t.Appoggi.Testi[2][4]), -34.75, 1e-3);
    // Support 2, Mmax: permanent favourable, Q on span 3 alone (M_B = +wL²/60):
    // -0.1·4.6·25 + 6·25/60 = -9 kNm.
    EXPECT_NEAR(Num(t.Appoggi.Testi[2][3]), -9, 1e-3);
    // the governing combinations, as derived above
    EXPECT_EQ(t.Campate.Governi[1][1], "SLU, Q1 dominante, G1 sfav., G2 sfav., Q1 campate 1 3");
    EXPECT_EQ(t.Campate.Governi[2][1], "SLU, Q1 dominante, G1 sfav., G2 sfav., Q1 campata 2");
    EXPECT_EQ(t.Appoggi.Governi[1][2], "SLU, Q1 dominante, G1 fav., G2 fav., Q1 campata 2");
    EXPECT_EQ(t.Appoggi.Governi[2][4], "SLU, Q1 dominante, G1 sfav., G2 sfav., Q1 campate 1 2");
    ASSERT_EQ(t.Frecce.Testi.size(), 4u);
    EXPECT_LT(std::stoi(t.Frecce.Testi[1][3]), 250);
    EXPECT_EQ(t.Frecce.Testi[1][8], TestoNonVerificata);
    EXPECT_EQ(t.Frecce.Testi[2][8], TestoVerificata);
    EXPECT_EQ(t.Frecce.Esiti, (std::vector<int>{0, -1, 1, -1}));
}

} // namespace
} // namespace zelvo
