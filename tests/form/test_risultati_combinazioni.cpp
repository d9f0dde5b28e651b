// The combinations' tables of the main window.
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
    ASSERT_EQ(q.Frecce.Testi.size(), 3u);
    EXPECT_EQ(q.Frecce.Testi[1][3], "L/500");
    EXPECT_EQ(q.Frecce.Testi[1][4], "L/250");
    EXPECT_EQ(q.Frecce.Testi[1][6], "L/1000");
    EXPECT_EQ(q.Frecce.Testi[1][7], "L/300");
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
    r.Frecce = {{0, 6, 0, 3, 0, 0, 0, 250, 300, true}};
    const QuadroCombinazioni q = TabelleCombinazioni(r, DatiTrave{}, u);
    EXPECT_DOUBLE_EQ(Num(q.Campate.Testi[1][1]), 0);
    EXPECT_EQ(q.Appoggi.Testi[1][0], "A");
    EXPECT_EQ(q.Appoggi.Testi[2][0], "B");
    EXPECT_EQ(q.Appoggi.Testi[1][1], "-");
    EXPECT_EQ(q.Frecce.Testi[1][3], "-");
}

} // namespace
} // namespace zelvo
