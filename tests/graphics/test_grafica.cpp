// The drawing module, the plot window and the hatching on recording targets,
// against mappings and crossings computed by hand.
#include "core/guasto.h"
#include "core/matematica.h"
#include "graphics/dxf.h"
#include "graphics/geometria.h"
#include "graphics/grafica.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie_registro.h"

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

struct Registro : ::testing::Test {
    TelaRegistro s{1000, 500};
    SuperficieVideo video{s};
    Grafica g;
    void SetUp() override { g.ImpostaDispositivo(1, &video); }
};

} // namespace

// Never inf or NaN on a target: a fault before anything is drawn.
TEST_F(Registro, NonFiniteCoordinateDrawsNothing) {
    EXPECT_THROW(g.Linea(std::nan(""), 0, 1, 1), Guasto);
    EXPECT_THROW(g.Linea(0, 0, 1, 1, 0), Guasto); // vertical scale 0
    EXPECT_TRUE(s.tratti.empty());
    Grafica senza;
    EXPECT_THROW(senza.Linea(0, 0, 1, 1), Guasto); // no target
}

TEST_F(Registro, ArrowSkipsSmallValuesAndPutsHeadAtEnd) {
    Vettore1<double> x = V({2, 2}), y = V({3, 0});
    g.RapportoScaleXY = 2; // the head is stretched by the ratio of the scales
    g.Freccia(2, 1, 0, 1, 0.1, 0, "0", x, y, 0.1, " kN", false);
    EXPECT_TRUE(s.tratti.empty());
    g.Freccia(2, 1, 0, 1, 0.1, 5, "5", x, y, 0.1, " kN", false);
    ASSERT_EQ(s.tratti.size(), 5u); // shaft, 3 head lines, label
    EXPECT_EQ(s.tratti[0].v, (std::vector<double>{2, 3, 2, 0}));
    // Tip (2, 0), size 0.1, pointing down: base corners (2 +- 0.05, 2 x 0.1),
    // raised twice as far by the ratio.
    EXPECT_NEAR(s.tratti[1].v[2], 2.05, 1e-12);
    EXPECT_NEAR(s.tratti[1].v[3], 0.4, 1e-12);
    EXPECT_EQ(s.tratti[4].testo, "5 kN");
    EXPECT_EQ(s.tratti[4].v, (std::vector<double>{2, 3}));
}

TEST_F(Registro, MultiFontSymbolIsGreekAndAdvances) {
    g.DefinisciFont(1, "Arial", "arial");
    g.DefinisciFont(2, "Symbol", "symbol");
    g.TestoMultiFont(1, 1, 0.1, {{"s", 2}, {"t = 3", 1}});
    ASSERT_EQ(s.tratti.size(), 2u);
    EXPECT_EQ(s.tratti[0].testo, "σ");
    EXPECT_EQ(s.tratti[0].font, "Symbol");
    EXPECT_EQ(s.tratti[1].font, "Arial");
    EXPECT_GT(s.tratti[1].v[0], 1);
}

// --- plot window -----------------------------------------------------------

TEST(Plottaggio, FileFrameWithBands) {
    Grafica g;
    SuperficieDxf dxf;
    Plottaggio p;
    p.EstremiFinestra(0.1f, 0.1f, 0.85f, 0.9f);
    p.Inizializza(g, 0, 10, 0, 2, dxf, 1, true, 0);
    auto x = p.xFinestraPlt(), y = p.yFinestraPlt();
    EXPECT_NEAR(x[1], -1, 1e-5);
    EXPECT_NEAR(x[3], 11.5, 1e-5);
    EXPECT_NEAR(y[2], -1, 1e-5);
    EXPECT_NEAR(y[1], 3, 1e-5);
}

TEST(Plottaggio, EqualScalesCentredOnScreenNotOnPaper) {
    Grafica g;
    TelaRegistro s(1000, 1000);
    SuperficieVideo video(s);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 0, 0); // whole device
    p.Inizializza(g, 0, 20, 0, 5, video, 1, true, 0);
    // One scale 20/1000 on both axes: the 5 high window takes 250 rows,
    // centred on the 1000-row device: rows 375..625.
    EXPECT_NEAR(s.Colonna(20), 1000, 1e-9);
    EXPECT_NEAR(s.Riga(5), 375, 1e-6);
    EXPECT_NEAR(s.Riga(0), 625, 1e-6);
    SuperficieStampante carta(s);
    p.EstremiFinestra(0, 0, 1, 1);
    p.Inizializza(g, 0, 20, 0, 5, carta, 1, true, 0);
    EXPECT_NEAR(s.Riga(5), 0, 1e-6); // top of the window at the top edge
}

// --- geometry --------------------------------------------------------------

TEST(Tratteggio, LineThroughVertexStaysInsideAndDegenerateDrawsNothing) {
    // Quadrilateral (0,0) (4,0) (4,1) (2,2): strips of 0.5, lines at y = 0.5, 1, 1.5.
    auto x = V({0, 4, 4, 2, 0}), y = V({0, 0, 1, 2, 0});
    auto s = SegmentiTratteggio(5, x, y, 0, 4);
    ASSERT_EQ(s.size(), 3u);
    // y = 1: from the left edge y = x (x = 1) to the vertex (4, 1).
    EXPECT_NEAR(std::min(s[1][0].x, s[1][1].x), 1, 1e-12);
    EXPECT_NEAR(std::max(s[1][0].x, s[1][1].x), 4, 1e-12);
    // y = 1.5: x from 1.5 (y = x) to 3 (edge (4,1)-(2,2): x = 4 - 2(y - 1)).
    EXPECT_NEAR(std::min(s[2][0].x, s[2][1].x), 1.5, 1e-12);
    EXPECT_NEAR(std::max(s[2][0].x, s[2][1].x), 3, 1e-12);
    EXPECT_TRUE(SegmentiTratteggio(2, V({0, 1}), V({0, 1}), 0, 20).empty());
    EXPECT_TRUE(SegmentiTratteggio(3, V({0, 1, 2}), V({0, 0, 0}), 0, 20).empty()); // flat
}
