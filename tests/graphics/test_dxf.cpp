// The DXF writer, byte for byte: the expected texts are written out by hand
// from the file layout (group codes, six-wide colours, " 7 " for TEXT, ".5").
#include "core/matematica.h"
#include "graphics/dxf.h"
#include "graphics/grafica.h"
#include "graphics/plottaggio.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zelvo;

namespace {
std::string Righe(std::initializer_list<const char*> l) {
    std::string s;
    for (const char* r : l)
        s += std::string(r) + "\r\n";
    return s;
}
const std::string Testa = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
const std::string Coda = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";

// Opens a DXF drawing on a fresh drawing state.
struct Dxf : ::testing::Test {
    SuperficieDxf dxf;
    Grafica g;
    void SetUp() override {
        g.ImpostaDispositivo(1, &dxf);
        dxf.ApriDxf("non-scritto.dxf", 1);
    }
    std::string Corpo() {
        std::string t = dxf.File().TestoChiuso();
        return t.substr(Testa.size(), t.size() - Testa.size() - Coda.size());
    }
};
} // namespace

TEST(NumeroDxf, PeriodNoLeadingZeroFifteenDigits) {
    EXPECT_EQ(NumeroDxf(0), "0");
    EXPECT_EQ(NumeroDxf(0.5), ".5");
    EXPECT_EQ(NumeroDxf(-0.5), "-.5");
    EXPECT_EQ(NumeroDxf(1.0 / 3), ".333333333333333");
    EXPECT_EQ(NumeroDxf(1e-7), "1E-07");
    EXPECT_THROW(NumeroDxf(std::nan("")), Guasto);
}

TEST_F(Dxf, LineIsEighteenLines) {
    g.ImpostaColore(7);
    g.Linea(0, 0, 2.5, 0.5);
    EXPECT_EQ(Corpo(), Righe({"  0", "LINE", "  8", "0", " 62", "     7", " 10", "0", " 20", "0",
                              " 30", "0.0", " 11", "2.5", " 21", ".5", " 31", "0.0"}));
}

TEST_F(Dxf, ArcAnglesInDegrees) {
    g.ImpostaColore(6);
    g.Arco(1, 2, 0.25, PiGreco / 6, PiGreco / 2);
    const std::string c = Corpo();
    const std::string atteso = Righe({"  0", "ARC", "  8", "0", " 62", "     6", " 10", "1", " 20",
                                      "2", " 30", "0.0", " 40", ".25", " 50"});
    ASSERT_EQ(c.substr(0, atteso.size()), atteso);
    const size_t a2 = c.find(" 51\r\n");
    ASSERT_NE(a2, std::string::npos);
    EXPECT_NEAR(std::stod(c.substr(atteso.size())), 30, 1e-11);
    EXPECT_NEAR(std::stod(c.substr(a2 + 5)), 90, 1e-11);
}

TEST_F(Dxf, ClosedPolylineRepeatsFirstVertex) {
    g.ImpostaColore(5);
    Vettore1<double> x(3), y(3);
    x(1) = 0, y(1) = 0, x(2) = 1, y(2) = 0, x(3) = 0, y(3) = 1.5;
    g.PoligonaleChiusa(3, x, y);
    auto V = [](const char* a, const char* b) {
        return Righe({"  0", "VERTEX", "  8", "0", " 10", a, " 20", b, " 30", "0.0"});
    };
    EXPECT_EQ(Corpo(), Righe({"  0", "POLYLINE", "  8", "0", " 66", "     1", " 62", "     5",
                              " 10", "0.0", " 20", "0.0", " 30", "0.0"}) +
                           V("0", "0") + V("1", "0") + V("0", "1.5") + V("0", "0") +
                           Righe({"  0", "SEQEND", "  8", "0"}));
}

TEST_F(Dxf, TextColourFieldAndFromTop) {
    g.ImpostaColore(7);
    g.Testo(1, 2, 0.5, "Scala momenti 1:50", 1, true); // baseline 1.5 h lower
    EXPECT_EQ(Corpo(), Righe({"  0", "TEXT", "  8", "0", " 62", " 7 ", " 10", "1", " 20", "1.25",
                              " 30", "0.0", " 40", ".5", "  1", "Scala momenti 1:50"}));
}

// Several fonts make one joined text; the file is in Windows-1252.
TEST_F(Dxf, MultiFontIsOneJoinedTextInWindows1252) {
    g.ImpostaColore(8);
    g.DefinisciFont(1, "Arial", "arial");
    g.DefinisciFont(2, "Symbol", "symbol");
    g.TestoMultiFont(3, 4, 0.1, {{"s", 2}, {"t = 12° è", 1}});
    EXPECT_EQ(Corpo(), Righe({"  0", "TEXT", "  8", "0", " 62", " 8 ", " 10", "3", " 20", "4",
                              " 30", "0.0", " 40", ".1", "  1", "st = 12\xB0 \xE8"}));
}

TEST(ChiudiDxf, UnwritableTargetLeavesNoFileAndFails) {
    SuperficieDxf dxf;
    dxf.ApriDxf("/nonexistent-folder/x.dxf", 1);
    EXPECT_FALSE(dxf.ChiudiDxf());
    EXPECT_FALSE(dxf.Aperto());
    EXPECT_FALSE(std::filesystem::exists("/nonexistent-folder/x.dxf"));
    Grafica g;
    g.ImpostaSuperficie(&dxf);
    EXPECT_THROW(g.Linea(0, 0, 1, 1), Guasto); // no open file
}
