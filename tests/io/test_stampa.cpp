// Output primitives of the report: column tracking, tab moves and grids.
#include "io/stampa.h"

#include <gtest/gtest.h>

namespace zelvo {
namespace {

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
                         ::testing::Values(CasoTab{"", 5, "    #"},               // four blanks
                                           CasoTab{"abcd", 5, "abcd#"},           // already there
                                           CasoTab{"abcde", 5, "abcde\r\n    #"}, // next line
                                           CasoTab{"", 1, "#"}, CasoTab{"a", 1, "a\r\n#"},
                                           CasoTab{"", 0, "#"}, // below 1 counts as 1
                                           // "N°" and "è" are one character each
                                           CasoTab{"N°è", 6, "N°è  #"},
                                           // a line end in the text starts again at column 1
                                           CasoTab{"Titolo: riga1\r\nriga2", 10,
                                                   "Titolo: riga1\r\nriga2    #"}));

std::string Sp(int n) {
    return std::string(static_cast<size_t>(n), ' ');
}

// Cells start at columns 1, 15, 30, trimmed (an empty one a blank); after the
// last a move to the next stop, a blank, the line end. A 14-character cell ends
// at column 15; 15 push the next cell to column 15 of a new line. A heading alone
// prints nothing.
TEST(StampaGriglia, ColonneOgniQuindici) {
    TestoStampa u;
    u.StampaGriglia(GrigliaTesto::DaRighe({{"N°", "F"}}));
    u.StampaGriglia(GrigliaTesto::DaRighe({{"N°", "F", "d"},
                                           {" 1", " 25,00 ", ""},
                                           {"12345678901234", "123456789012345", "x"},
                                           {"123456789012345", "y", "z"}}));
    EXPECT_EQ(u.Testo(), "N°" + Sp(12) + "F" + Sp(14) + "d" + Sp(14) + " \r\n" + //
                             "1" + Sp(13) + "25,00" + Sp(10) + " " + Sp(14) + " \r\n" +
                             "12345678901234123456789012345x" + Sp(14) + " \r\n" +
                             "123456789012345\r\n" + Sp(14) + "y" + Sp(14) + "z" + Sp(14) +
                             " \r\n");
    TestoStampa l;
    l.StampaRiga("a\nb");
    l.StampaTesto("c");
    EXPECT_EQ(l.Righe(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(l.TestoLF(), "a\nb\nc");
}

} // namespace
} // namespace zelvo
