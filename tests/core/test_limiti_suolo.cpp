// Beam on elastic soil: the largest number of divisions a problem takes, and
// the soil pressure read at x where the soil does not take tension.
#include "core/calcolo.h"
#include "core/estrazione.h"
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zelvo;

namespace {

// ---------------------------------------------------------------- divisions

struct CasoLimite {
    const char* nome;
    DatiTrave dati;
    int altri;  // calculation points without the springs, counted by hand
    int perse;  // points at ±ε the finest mesh loses near the ends
    int limite; // largest n with altri + 3·n + 1 − perse <= 32767, by hand
};

DatiTrave SenzaCarichi(int16_t nSezioni, float luce = 10) {
    DatiTrave d = prova::FondazioneProva(1, true, nSezioni);
    d.NTrapezi = d.NConcentrati = d.NCoppie = 0;
    d.Luce = luce;
    return d;
}

// Witness: counting the points by hand. The span is 10 m; with 100 sections
// the grid is 0, 0.1, ..., 9.9 (100 points), with one section it is 0 alone;
// always the midpoint, 0 twice and 10 three times (6). The test problem has
// five load positions inside the beam (1, 7.5, 2.5, 8, 6), each with its
// two points at ±ε (15). Each spring brings 3 points, the two end ones 2, so
// n divisions bring 3·n + 1. With one section ε = 10/1000 m is longer than
// an element (10/10926 m): the 10 nodes after 0 lose their point at −ε and
// the 10 before 10 their point at +ε (20 points).
const CasoLimite CasiLimite[] = {
    {"CaricoDiProva", prova::FondazioneProva(1, true), 15 + 100 + 6, 0, 10881},
    {"CentoSezioniSenzaCarichi", SenzaCarichi(100), 100 + 6, 0, 10886},
    {"UnaSezioneSenzaCarichi", SenzaCarichi(1), 1 + 6, 20, 10926},
};

class LimiteDivisioniSuolo : public ::testing::TestWithParam<CasoLimite> {};

TEST_P(LimiteDivisioniSuolo, AlLimiteCalcolaOltreRifiutaConIlLimite) {
    const CasoLimite& c = GetParam();
    EXPECT_EQ(static_cast<int>(PuntiCalcolo(c.dati).size()), c.altri);
    EXPECT_EQ(LimiteDivisioni(c.dati), c.limite);
    EXPECT_EQ(PuntiMolle(c.dati, c.limite), 3 * c.limite + 1 - c.perse);

    ModuloZelvo m;
    m.Dati = c.dati;
    m.Dati.NDivisioni = static_cast<int16_t>(c.limite);
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(m.Risultati.NPunti, c.altri + 3 * c.limite + 1 - c.perse);
    EXPECT_GT(m.Risultati.NPunti + 3, 32767); // one division more would not fit

    const std::string rifiuto =
        "Errore! Controllare i dati\r\nN° div. deve essere compreso tra 1 e " +
        std::to_string(c.limite);
    for (const int n : {c.limite + 1, 16382, 16383, 0, -1}) {
        m.Dati = c.dati;
        m.Dati.NDivisioni = static_cast<int16_t>(n);
        const DatiTrave dati = m.Dati;
        msg.elenco.clear();
        EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati) << n;
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{rifiuto}) << n;
        EXPECT_EQ(msg.elenco.at(0).icona, Icona::Nessuna);
        EXPECT_EQ(m.Dati, dati) << n;
        EXPECT_FALSE(m.Risultati.Calcolato) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Casi, LimiteDivisioniSuolo, ::testing::ValuesIn(CasiLimite),
                         [](const auto& i) { return std::string(i.param.nome); });

// The largest limit of all, that of one section and no loads, and that of
// 100 sections and no loads, whatever the span; below what the model itself
// takes.
TEST(LimiteDivisioniSuolo, MassimoAssoluto) {
    for (const float luce : {0.37f, 1.0f, 3.3f, 10.0f, 47.5f, 1234.5f})
        EXPECT_EQ(LimiteDivisioni(SenzaCarichi(1, luce)), MaxDivisioni) << luce;
    EXPECT_EQ(MaxDivisioni, 10926);
    for (const float luce : {0.37f, 1.0f, 3.3f, 10.0f, 47.5f, 1234.5f})
        EXPECT_EQ(LimiteDivisioni(SenzaCarichi(100, luce)), DivisioniCentoSezioni) << luce;
    EXPECT_LT(MaxDivisioni, TraveWinkler::MaxElementi);
}

// So many sections that not one division fits: the line on the points.
TEST(LimiteDivisioniSuolo, NessunaDivisioneEntra) {
    ModuloZelvo m;
    m.Dati = SenzaCarichi(32761); // 32761 grid points + 6 = 32767
    m.Dati.NDivisioni = 1;
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{
                               "Errore! Controllare i dati\r\nTroppi punti di calcolo (più di "
                               "32.767): ridurre N° sezioni di calcolo, N° div. o il numero di "
                               "carichi."});
}

// ---------------------------------------------------------- soil pressure

// A short, very stiff footing (L = 2 m, b = 1 m, K = 10^7 N/m³, E·J =
// 2.1·10^11 N·m², characteristic length (4EJ/(K·b))^¼ ≈ 17 m ≫ L) under
// P = 100 kN at 0.4 m: it behaves as a rigid body. Witness, the rigid base:
// the eccentricity e = 0.6 m exceeds L/6, so without tension the pressure is
// a triangle from 2P/(3·(L/2 − e)·b) = 166 667 Pa at x = 0 to 0 at x = 1.2 m
// and the rest lifts; with tension it is the full line
// P/(b·L) + 12·P·(0.4 − L/2)·(x − L/2)/(b·L³), 140 000 Pa at 0, −4 000 Pa at 1.6.
constexpr double P = 1e5, L = 2, K = 1e7;

DatiTrave Rigida(bool reagTraz) {
    DatiTrave d;
    d.Vincoli = Fondazione;
    d.Winkler = true;
    d.ReagTraz = reagTraz;
    d.Luce = float(L);
    d.E = 2.1e11f;
    d.J = 1.0f;
    d.K = K;
    d.b = 1;
    d.NDivisioni = 200;
    d.NSezioni = 200;
    d.AscissaX = 1.6f;
    prova::Forza(d, float(P), 0.4f);
    return d;
}

double TriangoloRigido(double x) {
    return x < 1.2 ? 2 * P / 1.2 * (1 - x / 1.2) : 0.0;
}

double LineaRigida(double x) {
    return P / L + 12 * P * (0.4 - L / 2) * (x - L / 2) / (L * L * L);
}

// The lumped springs put the end of the contact within an element (0.01 m)
// of the rigid one: 2 % of the largest pressure covers it.
constexpr double Tolleranza = 0.02 * 2 * P / 1.2;

TEST(PressioneSuoloInX, SenzaTrazioneZeroDoveSiSolleva) {
    ModuloZelvo m;
    m.Dati = Rigida(false);
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    const RisultatiTrave& r = m.Risultati;
    ASSERT_TRUE(r.fx && r.Sigmax);
    EXPECT_LT(*r.fx, 0);        // lifted at 1.6 m
    EXPECT_EQ(*r.Sigmax, 0.0f); // and no pull from the soil there
    for (int k = 0; k <= 200; ++k) {
        const double x = k * 0.01;
        const ValoriX v = ValoriInXDopoCalcolo(m.Dati, r, x, msg);
        ASSERT_TRUE(v.Sigma);
        EXPECT_GE(*v.Sigma, 0.0f) << x;
        EXPECT_NEAR(*v.Sigma, TriangoloRigido(x), Tolleranza) << x;
    }
}

// Between the last settled and the first lifted calculation point the
// pressure falls straight to 0 at the lifted one, as the soil diagram draws
// it (the line through the two settlements would cross into tension).
TEST(PressioneSuoloInX, SenzaTrazioneAlConfineDelContatto) {
    ModuloZelvo m;
    m.Dati = Rigida(false);
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    const RisultatiTrave& r = m.Risultati;
    int confine = 0;
    for (int i = 1; i < r.NPunti && !confine; ++i)
        if (r.f(i) > 0 && r.f(i + 1) < 0) confine = i;
    ASSERT_GT(confine, 0);
    const double x0 = r.x(confine), x1 = r.x(confine + 1);
    EXPECT_NEAR(x0, 1.2, 0.02); // the rigid base's end of contact
    for (const double t : {0.25, 0.5, 0.75}) {
        const double x = x0 + t * (x1 - x0);
        const ValoriX v = ValoriInXDopoCalcolo(m.Dati, r, x, msg);
        ASSERT_TRUE(v.Sigma && v.f);
        EXPECT_NEAR(*v.Sigma, K * r.f(confine) * (1 - t), 1e-4 * K * r.f(confine)) << t;
        EXPECT_GE(*v.Sigma, 0.0f);
    }
}

// With a soil that takes tension the pressure is K times the settlement,
// negative where the beam lifts, as before.
TEST(PressioneSuoloInX, ConTrazioneNegativaDoveSiSolleva) {
    ModuloZelvo m;
    m.Dati = Rigida(true);
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    const RisultatiTrave& r = m.Risultati;
    ASSERT_TRUE(r.fx && r.Sigmax);
    EXPECT_EQ(*r.Sigmax, float(K * *r.fx));
    EXPECT_NEAR(*r.Sigmax, LineaRigida(1.6), 0.01 * LineaRigida(0));
    EXPECT_LT(*r.Sigmax, 0.0f);
    for (const double x : {0.0, 0.5, 1.0, 1.5, 2.0}) {
        const ValoriX v = ValoriInXDopoCalcolo(m.Dati, r, x, msg);
        EXPECT_NEAR(*v.Sigma, LineaRigida(x), 0.01 * LineaRigida(0)) << x;
    }
}

} // namespace
