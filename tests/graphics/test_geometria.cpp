// Geometry helpers and hatching: witnesses are hand-computed coordinates of
// simple figures (rectangles, triangles) whose crossings are exact.
#include "core/matematica.h"
#include "graphics/geometria.h"
#include "graphics/grafica.h"

#include <algorithm>

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {
Vettore1<double> V(std::initializer_list<double> l) {
    Vettore1<double> v(static_cast<int>(l.size()));
    int i = 1;
    for (double d : l)
        v(i++) = d;
    return v;
}
} // namespace

TEST(NumeriUguali, ToleranceRelativeAboveAbsoluteBelow) {
    EXPECT_TRUE(NumeriUguali(1000, 1000.0005, 0.000001));  // e = 0.001
    EXPECT_FALSE(NumeriUguali(1000, 1000.0015, 0.000001)); // beyond e
    EXPECT_TRUE(NumeriUguali(0, 0.0000005, 0.000001));     // e = tol
    EXPECT_FALSE(NumeriUguali(0, 0.000002, 0.000001));
}

TEST(PuntiCoincidenti, ZeroToleranceShowsMessageThenComparesExactly) {
    RegistroMessaggi msg;
    EXPECT_TRUE(PuntiCoincidenti({1, 2}, {1, 2}, 0, msg));
    EXPECT_FALSE(PuntiCoincidentiXY(1, 2, 1, 2.0000001, 0, msg));
    EXPECT_EQ(msg.Testi(), (std::vector<std::string>{"zero=0 in PuntiCoincidenti",
                                                     "zero=0 in PuntiCoincidentiXY"}));
    msg.Svuota();
    EXPECT_TRUE(PuntiCoincidentiXY(10, 0, 10.000005, 0, 1e-6, msg)); // relative e = 1e-5
    EXPECT_FALSE(PuntiCoincidenti({0, 0, 0}, {0, 0, 1e-5}, 1e-6, msg));
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(RuotaPunti, QuarterTurnAboutCentre) {
    auto x = V({2, 1}), y = V({1, 1});
    RuotaPunti(2, x, y, 1, 1, PiGreco / 2); // (2,1) about (1,1) -> (1,2); the centre stays
    EXPECT_NEAR(x(1), 1, 1e-12);
    EXPECT_NEAR(y(1), 2, 1e-12);
    EXPECT_NEAR(x(2), 1, 1e-12);
    EXPECT_NEAR(y(2), 1, 1e-12);
}

TEST(EstremiPoligonale, BoxAndEmptyStart) {
    auto x = V({3, -1, 2}), y = V({0, 5, -2});
    double a, b, c, d;
    EstremiPoligonale(3, x, y, a, b, c, d);
    EXPECT_EQ(std::vector<double>({a, b, c, d}), std::vector<double>({-1, 3, -2, 5}));
    EstremiPoligonale(0, x, y, a, b, c, d);
    EXPECT_EQ(a, 1E+20);
    EXPECT_EQ(b, -1E+20);
    EXPECT_DOUBLE_EQ(MassimaDimensione(x, y, 3, 7), 1.0); // max(4, 7) / 7
}

TEST(TogliePunti, DropsFirstKAndRejectsNegative) {
    RegistroMessaggi msg;
    auto x = V({1, 2, 3, 4}), y = V({5, 6, 7, 8});
    Vettore1<double> xo, yo;
    int n = -7;
    TogliePuntiInizialiDaPoligonale(x, y, 4, xo, yo, n, 1, msg);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(xo, V({2, 3, 4}));
    EXPECT_EQ(yo, V({6, 7, 8}));
    TogliePuntiInizialiDaPoligonale(x, y, 4, xo, yo, n, -2, msg);
    EXPECT_EQ(n, 3); // untouched
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Errore in TogliePuntiInizialiDaPoligonale: nPunti=-2 <1"});
}

TEST(IntersezioneRetta, VertexPassingThroughCountsOnceTouchingNone) {
    // Diamond with vertices on the x axis: the axis passes through two vertices.
    auto x = V({1, 0, -1, 0}), y = V({0, 1, 0, -1});
    auto c = IntersezioneRettaPoligono({-5, 0}, {5, 0}, 4, x, y);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_NEAR(c[0].p.x, -1, 1e-12);
    EXPECT_NEAR(c[1].p.x, 1, 1e-12);
    // A line touching only the top vertex.
    EXPECT_EQ(IntersezioneRettaPoligono({-5, 1}, {5, 1}, 4, x, y).size() % 2, 0u);
    EXPECT_TRUE(PuntoInPoligono(0.2, 0.1, 4, x, y));
    EXPECT_FALSE(PuntoInPoligono(0.8, 0.8, 4, x, y));
}

TEST(Tratteggio, RectangleAngleZeroTwentyParts) {
    // 10 x 2 rectangle: 19 horizontal lines 0.1 apart, each across the full width.
    auto x = V({0, 10, 10, 0, 0}), y = V({0, 0, 2, 2, 0});
    auto s = SegmentiTratteggio(5, x, y, 0, 20);
    ASSERT_EQ(s.size(), 19u);
    for (size_t k = 0; k < s.size(); ++k) {
        EXPECT_NEAR(s[k][0].y, 0.1 * double(k + 1), 1e-12);
        EXPECT_NEAR(s[k][1].y, s[k][0].y, 1e-12);
        EXPECT_NEAR(std::fabs(s[k][1].x - s[k][0].x), 10, 1e-12);
    }
}

TEST(Tratteggio, NinetyDegreesSpacingOne) {
    // Vertical lines one unit apart in a 10 x 2 rectangle: x = 1..9.
    auto x = V({0, 10, 10, 0}), y = V({0, 0, 2, 2});
    auto s = SegmentiTratteggio(4, x, y, 90, -1);
    ASSERT_EQ(s.size(), 9u);
    std::vector<double> xs;
    for (auto& seg : s) {
        EXPECT_NEAR(seg[0].x, seg[1].x, 1e-9);
        EXPECT_NEAR(std::fabs(seg[1].y - seg[0].y), 2, 1e-9);
        xs.push_back(seg[0].x);
    }
    std::sort(xs.begin(), xs.end());
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(xs[size_t(i)], i + 1, 1e-9);
}

TEST(Tratteggio, LineThroughTriangleVertexStaysInside) {
    // Triangle (0,0) (4,0) (2,2) and a vertex (1,1)-shaped notch: the hatch line
    // y = 1 passes through the vertex (4,1) of this quadrilateral.
    auto x = V({0, 4, 4, 2, 0}), y = V({0, 0, 1, 2, 0});
    // Strips of height 0.5: lines at y = 0.5, 1, 1.5.
    auto s = SegmentiTratteggio(5, x, y, 0, 4);
    ASSERT_EQ(s.size(), 3u);
    // y = 1: from the left edge y = x (x = 1) to the vertex (4, 1).
    EXPECT_NEAR(std::min(s[1][0].x, s[1][1].x), 1, 1e-12);
    EXPECT_NEAR(std::max(s[1][0].x, s[1][1].x), 4, 1e-12);
    // y = 1.5: x from 1.5 (y = x) to 3 (edge (4,1)-(2,2): x = 4 - 2(y - 1)).
    EXPECT_NEAR(std::min(s[2][0].x, s[2][1].x), 1.5, 1e-12);
    EXPECT_NEAR(std::max(s[2][0].x, s[2][1].x), 3, 1e-12);
}

TEST(Tratteggio, DegenerateDrawsNothing) {
    auto x = V({0, 1}), y = V({0, 1});
    EXPECT_TRUE(SegmentiTratteggio(2, x, y, 0, 20).empty());
    auto fx = V({0, 1, 2}), fy = V({0, 0, 0}); // flat: height 0
    EXPECT_TRUE(SegmentiTratteggio(3, fx, fy, 0, 20).empty());
}
