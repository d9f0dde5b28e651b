// Polygon edge cases the section tool's checks do not reach: degenerate
// outlines, extremes, mirroring.
#include "section/poligono.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace zelvo;

namespace {

Poligono Da(const std::vector<std::pair<double, double>>& v) {
    Vettore1<double> x, y;
    for (auto [a, b] : v) {
        x.Accoda(a);
        y.Accoda(b);
    }
    Poligono p;
    p.Coordinate(x, y, static_cast<int16_t>(v.size()));
    return p;
}

} // namespace

// Zero area: no division by it (moduli, radii of gyration, plastic moduli stay 0).
TEST(Poligono, DegeneriAreaNulla) {
    RegistroMessaggi msg;
    Poligono due = Da({{0, 0}, {1, 1}});
    due.CaratteristicheStatiche(msg);
    EXPECT_EQ(due.Area, 0);
    Poligono coll = Da({{0, 0}, {1, 1}, {2, 2}});
    coll.Wplx = 5;
    ASSERT_TRUE(coll.CaratteristicheStatiche(msg));
    EXPECT_EQ((std::vector<double>{coll.Area, coll.WxSuperiore, coll.iX, coll.Wplx}),
              (std::vector<double>{0, 0, 0, 0}));
    EXPECT_NEAR(coll.xG, 1, 1e-12);
    EXPECT_NEAR(coll.yG, 1, 1e-12);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(Poligono, EstremiESpecchio) {
    RegistroMessaggi msg;
    Poligono p = Da({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    double a, b, c, d, z;
    p.MaxMin(a, b, c, d, &z);
    EXPECT_EQ((std::vector<double>{a, b, c, d, z}), (std::vector<double>{0, 1, 0, 1, 1e-9}));
    Poligono vuoto;
    vuoto.MaxMin(a, b, c, d);
    EXPECT_EQ(std::pair(a, b), std::pair(double(1e20f), -double(1e20f)));
    // Mirrored about y = 0: vertices move, the properties wait for a recomputation,
    // and the numbering turns clockwise.
    p.CaratteristicheStatiche(msg);
    p.SpecchiaXY(0, true);
    EXPECT_EQ(p.y(3), -1);
    EXPECT_NEAR(p.yG, 0.5, 1e-12);
    p.AreaCalcola();
    EXPECT_FALSE(p.NumerazioneVerticiAntioraria);
}

// An outline that crosses itself: the fault's line, then the reason.
// Witness: the edge (2,9)-(1,4) meets y = 7 at x = 1.6, inside the edge
// (1,7)-(7,7); its moments give a negative smaller principal moment.
TEST(Poligono, ContornoCheSiInterseca) {
    RegistroMessaggi msg;
    Poligono p = Da({{2, 9}, {1, 4}, {1, 7}, {7, 7}});
    EXPECT_TRUE(p.SiInterseca());
    EXPECT_FALSE(p.CaratteristicheStatiche(msg));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{
                               "Errore nella sub CaratteristicheStatiche. Invalid procedure call "
                               "or argument\r\nIl contorno della sezione si interseca."});
    // a plain outline and one with a vertex touched twice do not cross
    EXPECT_FALSE(Da({{0, 0}, {2, 0}, {2, 1}, {0, 1}}).SiInterseca());
    EXPECT_FALSE(Da({{0, 0}, {2, 0}, {1, 1}, {2, 2}, {0, 2}, {1, 1}}).SiInterseca());
}
