// Polygon properties against closed forms computed here.
#include "section/poligono.h"

#include "core/matematica.h"

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

// Relative closeness; the fan sums are exact to a few ulps of the largest term.
void Vicino(double atteso, double v, double rel = 1e-12) {
    EXPECT_NEAR(v, atteso, rel * std::max(1.0, std::fabs(atteso))) << "atteso " << atteso;
}

} // namespace

// Rectangle b x h at an offset corner: witness b·h³/12, h·b³/12 and the
// principal direction rule (greater axis horizontal when h > b).
struct CasoRett {
    double b, h, x0, y0;
};
class Rettangolo : public ::testing::TestWithParam<CasoRett> {};
TEST_P(Rettangolo, FormeChiuse) {
    const auto c = GetParam();
    RegistroMessaggi msg;
    Poligono p =
        Da({{c.x0, c.y0}, {c.x0 + c.b, c.y0}, {c.x0 + c.b, c.y0 + c.h}, {c.x0, c.y0 + c.h}});
    ASSERT_TRUE(p.CaratteristicheStatiche(msg));
    Vicino(c.b * c.h, p.Area);
    Vicino(c.x0 + c.b / 2, p.xG, 1e-11);
    Vicino(c.y0 + c.h / 2, p.yG, 1e-11);
    const double jx = c.b * c.h * c.h * c.h / 12, jy = c.h * c.b * c.b * c.b / 12;
    // Centroidal moments come from a subtraction of the origin moments: the
    // tolerance grows with the offset squared over the size squared.
    const double scala = 1 + (c.x0 * c.x0 + c.y0 * c.y0) / (c.b * c.b + c.h * c.h);
    Vicino(jx, p.jota_xG, 1e-11 * scala);
    Vicino(jy, p.jota_yG, 1e-11 * scala);
    Vicino(std::max(jx, jy), p.jota_IG, 1e-11 * scala);
    Vicino(std::min(jx, jy), p.jota_IIG, 1e-11 * scala);
    if (c.h > c.b)
        EXPECT_NEAR(p.AngoloJotaI, 0, 1e-9);
    else
        EXPECT_NEAR(p.AngoloJotaI, -PiGreco / 2, 1e-9);
    EXPECT_NEAR(p.AngoloJotaII - p.AngoloJotaI, PiGreco / 2, 1e-15);
    Vicino(c.b * c.h * c.h / 6, p.WxSuperiore, 1e-11 * scala);
    Vicino(c.b * c.h * c.h / 6, p.WxInferiore, 1e-11 * scala);
    Vicino(c.h * c.b * c.b / 6, p.WyDestra, 1e-11 * scala);
    Vicino(std::sqrt(std::max(jx, jy) / (c.b * c.h)), p.iX, 1e-11 * scala);
    // Plastic moduli: b·h²/4 and h·b²/4. Piecewise-linear area function: the
    // false position lands on the root, so the tolerance is rounding only.
    ASSERT_TRUE(p.Wplastici(msg));
    Vicino(c.b * c.h * c.h / 4, p.Wplx, 1e-9);
    Vicino(c.h * c.b * c.b / 4, p.Wply, 1e-9);
    EXPECT_TRUE(msg.elenco.empty());
}
INSTANTIATE_TEST_SUITE_P(Varie, Rettangolo,
                         ::testing::Values(CasoRett{0.3, 0.5, 0, 0}, CasoRett{2, 0.5, -1, 3},
                                           CasoRett{1e-3, 4e-3, 10, -7}, CasoRett{40, 20, 5, 5}));

// L shape (non-convex): two rectangles by the parallel-axis theorem.
TEST(Poligono, ElleNonConvessa) {
    RegistroMessaggi msg;
    const double b = 0.1, h = 0.15, t = 0.012;
    for (bool orario : {false, true}) {
        std::vector<std::pair<double, double>> v = {{0, 0}, {b, 0}, {b, t}, {t, t}, {t, h}, {0, h}};
        if (orario) std::reverse(v.begin(), v.end());
        Poligono p = Da(v);
        ASSERT_TRUE(p.CaratteristicheStatiche(msg));
        const double A1 = b * t, A2 = t * (h - t);
        const double y1 = t / 2, y2 = t + (h - t) / 2, x1 = b / 2, x2 = t / 2;
        const double A = A1 + A2, yg = (A1 * y1 + A2 * y2) / A, xg = (A1 * x1 + A2 * x2) / A;
        const double jx = b * t * t * t / 12 + A1 * (y1 - yg) * (y1 - yg) +
                          t * std::pow(h - t, 3) / 12 + A2 * (y2 - yg) * (y2 - yg);
        const double jy = t * b * b * b / 12 + A1 * (x1 - xg) * (x1 - xg) +
                          (h - t) * t * t * t / 12 + A2 * (x2 - xg) * (x2 - xg);
        const double jxy = A1 * (x1 - xg) * (y1 - yg) + A2 * (x2 - xg) * (y2 - yg);
        Vicino(A, p.Area);
        Vicino(xg, p.xG);
        Vicino(yg, p.yG);
        Vicino(jx, p.jota_xG, 1e-10);
        Vicino(jy, p.jota_yG, 1e-10);
        Vicino(jxy, p.jota_xyG, 1e-10);
        Vicino(jx / (h - yg), p.WxSuperiore, 1e-10);
        Vicino(jx / yg, p.WxInferiore, 1e-10);
    }
}

TEST(Poligono, PrimoVerticeRipetuto) {
    RegistroMessaggi msg;
    Poligono a = Da({{0, 0}, {2, 0}, {2, 1}, {1, 3}, {0, 1}});
    Poligono b = Da({{0, 0}, {2, 0}, {2, 1}, {1, 3}, {0, 1}, {0, 0}});
    a.CaratteristicheStatiche(msg);
    b.CaratteristicheStatiche(msg);
    Vicino(a.Area, b.Area);
    Vicino(a.jota_xG, b.jota_xG);
    Vicino(a.jota_IIG, b.jota_IIG);
    Vicino(a.WxSuperiore, b.WxSuperiore);
}

TEST(Poligono, DegeneriAreaNulla) {
    RegistroMessaggi msg;
    Poligono due = Da({{0, 0}, {1, 1}});
    due.CaratteristicheStatiche(msg);
    EXPECT_EQ(due.Area, 0);
    Poligono coll = Da({{0, 0}, {1, 1}, {2, 2}});
    coll.Wplx = 5;
    ASSERT_TRUE(coll.CaratteristicheStatiche(msg));
    EXPECT_EQ(coll.Area, 0);
    Vicino(1, coll.xG);
    Vicino(1, coll.yG);
    EXPECT_EQ(coll.WxSuperiore, 0);
    EXPECT_EQ(coll.iX, 0);
    EXPECT_EQ(coll.Wplx, 0);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(Poligono, EstremiETest) {
    Poligono p = Da({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    double a, b, c, d, z;
    p.MaxMin(a, b, c, d, &z);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(c, 0);
    EXPECT_EQ(d, 1);
    EXPECT_DOUBLE_EQ(z, 1e-9);
    EXPECT_FALSE(p.PuntoInBoundingBox(1, 0.5, 0));
    EXPECT_FALSE(p.PuntoInBoundingBox(0.9999, 0.5, 0.001));
    EXPECT_TRUE(p.PuntoInBoundingBox(0.5, 0.5, 0.001));
    EXPECT_EQ(p.PuntoInPoligono(1, 1, 2, 1e-9), 1);
    EXPECT_EQ(p.PuntoInPoligono(3, 1, 2, 1e-9), -1);
    EXPECT_EQ(p.PuntoInPoligono(1, 1, 1e-12, 1e-9), -1);
    // Non-convex: the notch of a U is outside, the arms inside.
    Poligono u = Da({{0, 0}, {3, 0}, {3, 3}, {2, 3}, {2, 1}, {1, 1}, {1, 3}, {0, 3}});
    EXPECT_EQ(u.PuntoInPoligono(1.5, 2, 1, 1e-9), -1);
    EXPECT_EQ(u.PuntoInPoligono(0.5, 2, 1, 1e-9), 1);
    EXPECT_EQ(u.PuntoInPoligono(2.5, 2, 1, 1e-9), 1);
    EXPECT_EQ(u.PuntoInPoligono(1.5, 0.5, 1, 1e-9), 1);
    Poligono vuoto;
    vuoto.MaxMin(a, b, c, d);
    EXPECT_EQ(a, static_cast<double>(1e20f));
    EXPECT_EQ(b, -static_cast<double>(1e20f));
}

TEST(Poligono, Trasformazioni) {
    RegistroMessaggi msg;
    Poligono p = Da({{1, 0}, {2, 0}, {2, 3}});
    ASSERT_TRUE(p.RuotaVertici(0, 0, PiGreco / 2, msg));
    EXPECT_NEAR(p.x(1), 0, 1e-14);
    EXPECT_NEAR(p.y(1), 1, 1e-14);
    Vicino(1.5, p.Area); // recomputed
    Poligono q = Da({{1, 2}, {3, 2}, {3, 5}});
    q.Trasla(1, 2);
    EXPECT_EQ(q.x(1), 0);
    EXPECT_EQ(q.y(1), 0);
    Poligono s = Da({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    s.CaratteristicheStatiche(msg);
    s.SpecchiaXY(0, true);
    EXPECT_EQ(s.y(3), -1);
    Vicino(0.5, s.yG); // not recomputed
    s.AreaCalcola();
    EXPECT_FALSE(s.NumerazioneVerticiAntioraria);
    // Affine map: a shear x' = x + y keeps the area and moves the centroid.
    Poligono t = Da({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    ASSERT_TRUE(t.RotoTraslaVertici({1, 1, 0, 0, 1, 0}, msg));
    Vicino(1, t.Area);
    Vicino(1, t.xG);
}
