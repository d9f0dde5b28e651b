// The text grid used as a table: Tab and the arrows from cell to cell, the
// selected block, its text for the clipboard and the paste of a block. The
// expected cells and texts are worked out by hand on small grids whose data
// cells are rows 1..n, columns 1..m (row 0 and column 0 are headings).
#include "io/griglia_testo.h"

#include <gtest/gtest.h>

#include <utility>

using namespace zelvo;
using namespace std::string_literals;
using Cella = std::pair<int, int>;

namespace {

Cella Corrente(const GrigliaTesto& g) {
    return {g.riga, g.colonna};
}

// 3 data rows by 2 data columns holding "r,c" (as the user typed them).
GrigliaTesto Griglia32() {
    GrigliaTesto g(4, 3, 1, 1);
    for (int r = 1; r < 4; ++r)
        for (int c = 1; c < 3; ++c)
            g.ImpostaTesto(r, c, std::to_string(r) + "," + std::to_string(c));
    g.CellaCorrente(1, 1);
    return g;
}

} // namespace

// Tab walks along the row, then to the first data column of the next row;
// Shift+Tab walks back. The walk over all six cells and out at both ends.
TEST(GrigliaTabella, TabPercorreLeRigheEEsceAgliEstremi) {
    GrigliaTesto g = Griglia32();
    const Cella avanti[] = {{1, 2}, {2, 1}, {2, 2}, {3, 1}, {3, 2}};
    for (const Cella& c : avanti) {
        EXPECT_EQ(g.Tab(false), EsitoTasto::Griglia);
        EXPECT_EQ(Corrente(g), c);
    }
    EXPECT_EQ(g.Tab(false), EsitoTasto::Successivo);
    EXPECT_EQ(Corrente(g), Cella(3, 2)); // leaving does not move the cell
    const Cella indietro[] = {{3, 1}, {2, 2}, {2, 1}, {1, 2}, {1, 1}};
    for (const Cella& c : indietro) {
        EXPECT_EQ(g.Tab(true), EsitoTasto::Griglia);
        EXPECT_EQ(Corrente(g), c);
    }
    EXPECT_EQ(g.Tab(true), EsitoTasto::Precedente);
    EXPECT_EQ(Corrente(g), Cella(1, 1));
}

// What was typed in the editor goes into its cell when Tab leaves it, also
// from the last cell; the normalisation of a number field applies.
TEST(GrigliaTabella, TabConservaIlTestoDigitato) {
    GrigliaTesto g = Griglia32();
    g.normalizza = [](const std::string& t) { return t == "7." ? "7"s : t; };
    ASSERT_TRUE(g.EditaCella('7'));
    g.editor.testo = "7.";
    EXPECT_EQ(g.Tab(false), EsitoTasto::Griglia);
    EXPECT_FALSE(g.editor.visibile);
    EXPECT_EQ(g.Testo(1, 1), "7");
    g.CellaCorrente(3, 2);
    ASSERT_TRUE(g.EditaCella('9'));
    EXPECT_EQ(g.Tab(false), EsitoTasto::Successivo);
    EXPECT_EQ(g.Testo(3, 2), "9");
}

struct Mossa {
    Cella da;
    int dr, dc;
    Cella a;
};

class MuoviTabella : public ::testing::TestWithParam<Mossa> {};

// The arrows stay inside the data cells: never onto a heading, never out.
TEST_P(MuoviTabella, LeFrecceRestanoNelleCelleDati) {
    const Mossa& m = GetParam();
    GrigliaTesto g = Griglia32();
    g.CellaCorrente(m.da.first, m.da.second);
    g.Muovi(m.dr, m.dc, false);
    EXPECT_EQ(Corrente(g), m.a);
    const RettangoloCelle s = g.Selezione();
    EXPECT_EQ(s, (RettangoloCelle{m.a.first, m.a.second, m.a.first, m.a.second}));
}

INSTANTIATE_TEST_SUITE_P(Frecce, MuoviTabella,
                         ::testing::Values(Mossa{{1, 1}, 0, 1, {1, 2}}, Mossa{{1, 2}, 0, 1, {1, 2}},
                                           Mossa{{1, 2}, 0, -1, {1, 1}},
                                           Mossa{{1, 1}, 0, -1, {1, 1}},
                                           Mossa{{1, 1}, -1, 0, {1, 1}},
                                           Mossa{{2, 1}, 1, 0, {3, 1}},
                                           Mossa{{3, 1}, 1, 0, {3, 1}}));

// Shift with the arrows stretches a block from where it started, in either
// direction; its text is the cells as shown, tabs between cells and a line
// break between rows; an arrow without Shift leaves a single cell.
TEST(GrigliaTabella, ShiftFrecceSelezionanoUnBlocco) {
    GrigliaTesto g = Griglia32();
    g.CellaCorrente(2, 1);
    g.Muovi(1, 0, true);
    g.Muovi(0, 1, true);
    EXPECT_EQ(g.Selezione(), (RettangoloCelle{2, 1, 3, 2}));
    EXPECT_EQ(g.TestoSelezione(), "2,1\t2,2\n3,1\t3,2");
    // Back over the starting cell: the block is now above it.
    g.Muovi(-1, 0, true);
    g.Muovi(-1, 0, true);
    EXPECT_EQ(g.Selezione(), (RettangoloCelle{1, 1, 2, 2}));
    EXPECT_EQ(g.TestoSelezione(), "1,1\t1,2\n2,1\t2,2");
    g.Muovi(0, -1, false);
    EXPECT_EQ(g.Selezione(), (RettangoloCelle{1, 1, 1, 1}));
    EXPECT_EQ(g.TestoSelezione(), "1,1");
}

// A drag from an open editor: the editor's text goes into its cell, the
// block runs from that cell to the one reached; typing closes the block.
TEST(GrigliaTabella, TrascinamentoSelezionaEConservaIlTesto) {
    GrigliaTesto g = Griglia32();
    ASSERT_TRUE(g.SelezionaCella(1, 2));
    g.editor.testo = "42";
    g.EstendiA(3, 1);
    EXPECT_FALSE(g.editor.visibile);
    EXPECT_EQ(g.Testo(1, 2), "42");
    EXPECT_EQ(g.Selezione(), (RettangoloCelle{1, 1, 3, 2}));
    EXPECT_EQ(Corrente(g), Cella(3, 1));
    g.EstendiA(9, 9); // beyond the grid: its last data cell
    EXPECT_EQ(g.Selezione(), (RettangoloCelle{1, 2, 3, 2}));
    g.SvuotaSelezione();
    EXPECT_EQ(g.Testo(1, 2) + g.Testo(2, 2) + g.Testo(3, 2) + "|" + g.Testo(1, 1), "|1,1");
    ASSERT_TRUE(g.EditaCella('5'));
    EXPECT_EQ(g.Selezione(), (RettangoloCelle{3, 2, 3, 2}));
}

struct TestoBlocco {
    const char* testo;
    BloccoCelle blocco;
};

class BloccoTesto : public ::testing::TestWithParam<TestoBlocco> {};

// Texts as spreadsheets put them on the clipboard.
TEST_P(BloccoTesto, CelleTraTabulazioniRigheTraACapo) {
    EXPECT_EQ(BloccoDaTesto(GetParam().testo), GetParam().blocco);
}

INSTANTIATE_TEST_SUITE_P(
    Appunti, BloccoTesto,
    ::testing::Values(TestoBlocco{"", {}}, TestoBlocco{"5", {{"5"}}},
                      TestoBlocco{"1,5\t2\n0\t3,25\n", {{"1,5", "2"}, {"0", "3,25"}}},
                      TestoBlocco{"1\t2\r\n3\t4\r\n", {{"1", "2"}, {"3", "4"}}},
                      TestoBlocco{"a\t\tb", {{"a", "", "b"}}},
                      TestoBlocco{"1\n\n2", {{"1"}, {""}, {"2"}}},
                      TestoBlocco{"\t\n", {{"", ""}}}));

TEST(GrigliaTabella, IlTestoDiUnBloccoRileggeLoStessoBlocco) {
    const BloccoCelle b{{"1,5", "", "-2"}, {"x y", "0", "3E+2"}};
    EXPECT_EQ(TestoDaBlocco(b), "1,5\t\t-2\nx y\t0\t3E+2");
    EXPECT_EQ(BloccoDaTesto(TestoDaBlocco(b)), b);
    EXPECT_EQ(ColonneBlocco({{"a"}, {"b", "c", "d"}}), 3);
}

// A block pasted at (2, 1) of the 3 x 2 data cells: rows 2..3 and columns
// 1..2 fit, the third column and the third row are dropped; one row is
// missing. The written block becomes the selection, its first cell current.
TEST(GrigliaTabella, IncollaTagliaQuelCheNonEntra) {
    GrigliaTesto g = Griglia32();
    const BloccoCelle b{{"a", "b", "c"}, {"d", "e", "f"}, {"g", "h", "i"}};
    g.CellaCorrente(2, 1);
    EXPECT_EQ(g.RigheMancanti(b), 1);
    EXPECT_EQ(g.Incolla(b), (RettangoloCelle{2, 1, 3, 2}));
    EXPECT_EQ(g.Testi(1, 1), (BloccoCelle{{"1,1", "1,2"}, {"a", "b"}, {"d", "e"}}));
    EXPECT_EQ(g.Selezione(), (RettangoloCelle{2, 1, 3, 2}));
    EXPECT_EQ(Corrente(g), Cella(2, 1));
    EXPECT_EQ(g.TestoSelezione(), "a\tb\nd\te");
    // The grid grown by the missing row takes the whole block's rows.
    g.Ridimensiona(5, 3);
    g.CellaCorrente(2, 1);
    EXPECT_EQ(g.RigheMancanti(b), 0);
    EXPECT_EQ(g.Incolla(b), (RettangoloCelle{2, 1, 4, 2}));
    EXPECT_EQ(g.Testo(4, 2), "h");
}

// The paste goes from the selected block's first cell, whichever corner the
// block was stretched to; a short row leaves the rest of its cells empty.
TEST(GrigliaTabella, IncollaDallaPrimaCellaDelBlocco) {
    GrigliaTesto g = Griglia32();
    g.CellaCorrente(3, 2);
    g.Muovi(-1, -1, true); // stretched up and left: the current cell is (2, 1)
    ASSERT_EQ(g.Selezione(), (RettangoloCelle{2, 1, 3, 2}));
    g.Muovi(0, 1, true); // the current cell (2, 2): the block is one column wide
    ASSERT_EQ(g.Selezione(), (RettangoloCelle{2, 2, 3, 2}));
    g.Incolla({{"x"}});
    EXPECT_EQ(g.Testo(2, 2), "x");
    EXPECT_EQ(g.Testo(3, 2), "3,2");
    g.CellaCorrente(1, 1);
    g.Incolla({{"p", "q"}, {"r"}});
    EXPECT_EQ(g.Testi(1, 1), (BloccoCelle{{"p", "q"}, {"r", ""}, {"3,1", "3,2"}}));
}
