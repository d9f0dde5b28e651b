// Output primitives of the report: column tracking, tab moves and grids.
#include "io/stampa.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

TEST(StampaTesto, CaratteriAccentatiContanoUno) {
    // "N°" and "è" are one character (one byte in the Windows-1252 file).
    TestoStampa u;
    u.StampaTesto("N°è");
    EXPECT_EQ(u.Colonna(), 4);
    u.StampaTab(6);
    u.StampaTesto("x");
    EXPECT_EQ(u.Testo(), "N°è  x");
}

TEST(StampaTesto, AcapoNelTestoRicominciaLaColonna) {
    // A two-line title: the second line starts again at column 1.
    TestoStampa u;
    u.StampaTesto("Titolo: riga1\r\nriga2");
    EXPECT_EQ(u.Colonna(), 6);
    u.StampaTab(10);
    u.StampaRiga("|");
    EXPECT_EQ(u.Testo(), "Titolo: riga1\r\nriga2    |\r\n");
    TestoStampa l;
    l.StampaRiga("a\nb");
    EXPECT_EQ(l.Testo(), "a\r\nb\r\n");
}

struct CasoTab {
    const char* prima;
    int colonna;
    const char* atteso;
};
class StampaTabCasi : public ::testing::TestWithParam<CasoTab> {};

TEST_P(StampaTabCasi, Posizione) {
    const auto& c = GetParam();
    TestoStampa u;
    u.StampaTesto(c.prima);
    u.StampaTab(c.colonna);
    u.StampaTesto("#");
    EXPECT_EQ(u.Testo(), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(Colonne, StampaTabCasi,
                         ::testing::Values(
                             // From column 1 to column 5: four blanks.
                             CasoTab{"", 5, "    #"},
                             // Already at the column: no move.
                             CasoTab{"abcd", 5, "abcd#"},
                             // One beyond: column 5 of the next line.
                             CasoTab{"abcde", 5, "abcde\r\n    #"},
                             // Column 1 from the start of a line: nowhere to go.
                             CasoTab{"", 1, "#"},
                             // Column 1 from inside a line: the next line.
                             CasoTab{"a", 1, "a\r\n#"},
                             // Columns below 1 count as 1.
                             CasoTab{"", 0, "#"}));

TEST(StampaGriglia, IntestazioneSolaNonScriveNulla) {
    TestoStampa u;
    u.StampaGriglia(GrigliaTesto::DaRighe({{"N°", "F", "d"}}));
    u.StampaGriglia(GrigliaTesto{});
    EXPECT_EQ(u.Testo(), "");
}

std::string Sp(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

TEST(StampaGriglia, ColonneOgniQuindici) {
    // Cells start at columns 1, 15, 30; after the last cell a move to column
    // 45, a blank and the end of the line. Cells are trimmed; an empty cell
    // is a single blank.
    TestoStampa u;
    u.StampaGriglia(GrigliaTesto::DaRighe({{"N°", "F", "d"}, {" 1", " 25,00 ", ""}}));
    const std::string atteso = "N°" + Sp(12) + "F" + Sp(14) + "d" + Sp(14) + " \r\n" + //
                               "1" + Sp(13) + "25,00" + Sp(10) + " " + Sp(14) + " \r\n";
    EXPECT_EQ(u.Testo(), atteso);
}

TEST(StampaGriglia, CellaTroppoLargaVaACapo) {
    // A 14-character cell ends exactly at column 15 (no move); 15 characters
    // push the next cell to column 15 of a new line.
    TestoStampa u;
    u.StampaGriglia(
        GrigliaTesto::DaRighe({{"N°", "W"}, {"1", "12345678901234"}, {"123456789012345", "x"}}));
    const std::string atteso = "N°" + Sp(12) + "W" + Sp(14) + " \r\n" +            //
                               "1" + Sp(13) + "12345678901234" + Sp(1) + " \r\n" + //
                               "123456789012345\r\n" +                             //
                               Sp(14) + "x" + Sp(14) + " \r\n";
    EXPECT_EQ(u.Testo(), atteso);
}

TEST(TestoStampa, RigheETestoLF) {
    TestoStampa u;
    u.StampaRiga("a");
    u.StampaTesto("b");
    EXPECT_EQ(u.Righe(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(u.TestoLF(), "a\nb");
}

} // namespace
} // namespace zelvo
