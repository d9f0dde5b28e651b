// Drawing module and plot window on the recording surface. Witnesses: the
// colour table, and mappings computed by hand from the window's formulas.
#include "core/matematica.h"
#include "graphics/cad.h"
#include "graphics/dxf.h"
#include "graphics/grafica.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie_registro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace zelvo;

TEST(ImpostaColore, ByTarget) {
    AzzeraGrafica();
    ImpostaColore(3, std::string(DispVideo));
    EXPECT_EQ(Grafica().ColoreCorrente, 0x00FF00);
    ImpostaColore(3, std::string(DispDxf));
    EXPECT_EQ(Grafica().ColoreCorrente, 3);
    ImpostaColore(9, std::string(DispVideo));
    EXPECT_EQ(Grafica().ColoreCorrente, 0);
    EXPECT_EQ(ColoreRGB(13), 0x00C000u);
    EXPECT_EQ(ColoreRGB(0), 0xFFFFFFu);
}

TEST(SpessoreLinea, ScreenPixelsPrinterTwips) {
    AzzeraGrafica();
    SuperficieRegistro s;
    SpessoreLinea(2, std::string(DispVideo), &s);
    EXPECT_EQ(s.SpessoreAttuale(), 2);
    // 96 dpi printer: 3 x 11.34 twips = 34.02 twips = 2.27 px -> 2
    SpessoreLinea(3, std::string(DispStampante), &s);
    EXPECT_EQ(s.SpessoreAttuale(), 2);
}

struct Registro : ::testing::Test {
    SuperficieRegistro s{1000, 500};
    void SetUp() override {
        AzzeraGrafica();
        ImpostaDispositivo(1, std::string(DispVideo), &s);
    }
};

TEST_F(Registro, UnitScaleZeroOffsetDrawsOrdinatesUnchanged) {
    ImpostaColore(1);
    Linea(1, 2, 3, 4);
    Arco(1, 2, 3, 0.5, 1);
    Testo(5, 6, 1, "abc");
    ASSERT_EQ(s.tratti.size(), 3u);
    EXPECT_EQ(s.tratti[0].v, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(s.tratti[0].colore, 0xFF0000u);
    EXPECT_EQ(s.tratti[1].v, (std::vector<double>{1, 2, 3, 0.5, 1}));
    EXPECT_EQ(s.tratti[2].v, (std::vector<double>{5, 6}));
}

TEST_F(Registro, ClosedPolylineOfFourIsFourLines) {
    Vettore1<double> x(4), y(4);
    x(1) = 0, y(1) = 0, x(2) = 1, y(2) = 0, x(3) = 1, y(3) = 1, x(4) = 0, y(4) = 1;
    PoligonaleChiusa(4, x, y);
    ASSERT_EQ(s.tratti.size(), 4u);
    EXPECT_EQ(s.tratti[3].v, (std::vector<double>{0, 1, 0, 0}));
    s.tratti.clear();
    Poligonale(4, x, y);
    EXPECT_EQ(s.tratti.size(), 3u);
}

TEST_F(Registro, SolidIsOutlinePlusNineteenHatchLines) {
    Vettore1<double> x(5), y(5);
    x(1) = 0, y(1) = 0, x(2) = 10, y(2) = 0, x(3) = 10, y(3) = 2, x(4) = 0, y(4) = 2;
    x(5) = 0, y(5) = 0;
    Solido(5, x, y);
    EXPECT_EQ(s.tratti.size(), 4u + 19u);
}

TEST_F(Registro, ArrowheadShapeAndStretch) {
    // Tip (0,0), size 1, pointing down: base corners (+-0.5, 2); with a ratio of
    // 2 the base rises to 4.
    Grafica().RapportoScaleXY = 2;
    PuntaFreccia(0, 0, 1, 0, false);
    ASSERT_EQ(s.tratti.size(), 3u);
    EXPECT_NEAR(s.tratti[0].v[2], 0.5, 1e-12);
    EXPECT_NEAR(s.tratti[0].v[3], 4, 1e-12);
    EXPECT_NEAR(s.tratti[1].v[2], -0.5, 1e-12);
}

TEST_F(Registro, ArrowSkipsSmallValuesAndPutsHeadAtEnd) {
    Vettore1<double> x(2), y(2);
    x(1) = 2, y(1) = 3, x(2) = 2, y(2) = 0;
    Freccia(2, 1, 0, 1, 0.1, 0, "0", x, y, 0.1, " kN", false);
    EXPECT_TRUE(s.tratti.empty());
    Freccia(2, 1, 0, 1, 0.1, 5, "5", x, y, 0.1, " kN", false);
    // shaft, 3 head lines, label
    ASSERT_EQ(s.tratti.size(), 5u);
    EXPECT_EQ(s.tratti[0].v, (std::vector<double>{2, 3, 2, 0}));
    // Head pointing down at (2, 0): its base is above the tip.
    EXPECT_NEAR(s.tratti[1].v[0], 2, 1e-12);
    EXPECT_NEAR(s.tratti[1].v[1], 0, 1e-12);
    EXPECT_NEAR(s.tratti[1].v[3], 0.2, 1e-12);
    EXPECT_EQ(s.tratti[4].testo, "5 kN");
    EXPECT_EQ(s.tratti[4].v, (std::vector<double>{2, 3}));
}

TEST_F(Registro, MultiFontSymbolIsGreekAndAdvances) {
    DefinisciFont(1, "Arial", "arial");
    DefinisciFont(2, "Symbol", "symbol");
    TestoMultiFont(1, 1, 0.1, {{"s", 2}, {"t = 3", 1}});
    ASSERT_EQ(s.tratti.size(), 2u);
    EXPECT_EQ(s.tratti[0].testo, "σ");
    EXPECT_EQ(s.tratti[0].font, "Symbol");
    EXPECT_EQ(s.tratti[1].testo, "t = 3");
    EXPECT_EQ(s.tratti[1].font, "Arial");
    EXPECT_GT(s.tratti[1].v[0], 1);
}

TEST_F(Registro, TextInScaleResizesToHeight) {
    // Device units: 8 pt = 10.667 px high; asking for 20 px doubles-ish the size.
    TestoInScala(true);
    Testo(0, 0, 20, "x");
    EXPECT_NEAR(s.DimensioneAttuale(), 8 * 20 / (8 * 96.0 / 72), 1e-9);
}

// --- plot window -----------------------------------------------------------

TEST(Plottaggio, FileTargetDegenerateHeight) {
    AzzeraGrafica();
    Plottaggio p;
    p.EstremiFinestra(0, 0, 0, 0);
    p.Inizializza(0, 10, 5, 5, DispDxf, nullptr, 1, true, 0);
    EXPECT_EQ(p.yMin, 5.0f);
    EXPECT_EQ(p.yMax, 5.01f);
    EXPECT_EQ(p.RapportoScale, 1.0f);
    EXPECT_EQ(Grafica().Dispositivo, DispDxf);
}

TEST(Plottaggio, DegenerateBothAxes) {
    AzzeraGrafica();
    Plottaggio p;
    p.Inizializza(3, 3, 2, 2, DispDxf, nullptr, 1, true, 0);
    EXPECT_EQ(p.yMax, 3.0f); // yMin + 1
    EXPECT_EQ(p.xMax, 4.0f); // height still 0 when x is widened: xMin + 1
    Plottaggio q;
    q.Inizializza(4, 2, 7, 7, DispDxf, nullptr, 1, true, 0); // reversed abscissae
    EXPECT_GT(q.xMax, q.xMin);
    EXPECT_GT(q.yMax, q.yMin);
}

TEST(Plottaggio, FileFrameWithBands) {
    AzzeraGrafica();
    Plottaggio p;
    p.EstremiFinestra(0.1f, 0.1f, 0.85f, 0.9f);
    p.Inizializza(0, 10, 0, 2, DispDxf, nullptr, 1, true, 0);
    auto x = p.xFinestraPlt(), y = p.yFinestraPlt();
    EXPECT_NEAR(x[1], -1, 1e-5);
    EXPECT_NEAR(x[3], 11.5, 1e-5);
    EXPECT_NEAR(y[2], -1, 1e-5);
    EXPECT_NEAR(y[1], 3, 1e-5);
    EXPECT_DOUBLE_EQ(ZeroMaxDimen(), 10.0 / 1000000);
}

TEST(Plottaggio, OffsetAndScaleShiftTheWindow) {
    AzzeraGrafica();
    Plottaggio p;
    p.Inizializza(0, 1, -4, 6, DispDxf, nullptr, 2, true, -2);
    EXPECT_EQ(p.yMin, -3.0f);
    EXPECT_EQ(p.yMax, 2.0f);
    EXPECT_EQ(Grafica().OrigineY, -2.0f);
    EXPECT_EQ(Grafica().ScalaCorrente, 2.0);
}

TEST(Plottaggio, StretchedFillsSubAreaThenCentres) {
    AzzeraGrafica();
    SuperficieRegistro s(1000, 500);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 0.5f, 1);
    p.Inizializza(0, 10, 0, 1, DispVideo, &s, 1, false, 0);
    // sx = 10 / 500 = 0.02, sy = 1 / 500 = 0.002; ratio sy/sx = 0.1.
    EXPECT_NEAR(p.RapportoScale, 0.1, 1e-6);
    // devAspect 1 < worldAspect 10: vertical centring, shift 0 here; left = 0.
    EXPECT_NEAR(s.Colonna(0), 0, 1e-9);
    EXPECT_NEAR(s.Colonna(10), 500, 1e-9);
    EXPECT_NEAR(s.Riga(1), 0, 1e-9);
    EXPECT_NEAR(s.Riga(0), 500, 1e-9);
    EXPECT_DOUBLE_EQ(Grafica().RapportoScaleXY, double(p.RapportoScale));
}

TEST(Plottaggio, EqualScalesWideWindowCentredVertically) {
    AzzeraGrafica();
    SuperficieRegistro s(1000, 1000);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 0, 0); // whole device
    p.Inizializza(0, 20, 0, 5, DispVideo, &s, 1, true, 0);
    // One scale 20/1000 on both axes: the 5 high window takes 250 rows,
    // centred on the 1000-row device: rows 375..625.
    EXPECT_NEAR(s.Colonna(0), 0, 1e-9);
    EXPECT_NEAR(s.Colonna(20), 1000, 1e-9);
    EXPECT_NEAR(s.Riga(5), 375, 1e-6);
    EXPECT_NEAR(s.Riga(0), 625, 1e-6);
    EXPECT_EQ(p.RapportoScale, 1.0f);
}

TEST(Plottaggio, PrinterIsNotCentred) {
    AzzeraGrafica();
    SuperficieRegistro s(1000, 1000);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 1, 1);
    p.Inizializza(0, 20, 0, 5, DispStampante, &s, 1, true, 0);
    EXPECT_NEAR(s.Riga(5), 0, 1e-6); // top of the window at the top edge
}

TEST(Plottaggio, AdattaOnFileTargetShowsMessage) {
    AzzeraGrafica();
    RegistroMessaggi msg;
    Grafica().Avvisi = &msg;
    Plottaggio p;
    p.Dispositivo = DispDxf;
    p.AdattaAfinestra();
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"ERRORE! Plottaggio.AdattaAfinestra - Uscita non prevista"});
    Grafica().Avvisi = nullptr;
}

TEST(Plottaggio, FrameRectangleInsets) {
    AzzeraGrafica();
    SuperficieRegistro s(1000, 1000);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 1, 1);
    p.Inizializza(0, 10, 0, 10, DispStampante, &s, 1, true, 0);
    p.PlottaFinestra();
    ASSERT_EQ(s.tratti.size(), 4u);
    EXPECT_NEAR(s.tratti[0].v[1], 10.0 / 500, 1e-6); // bottom raised by height/500
    EXPECT_NEAR(s.tratti[0].v[2], 10 - 10.0 / 1000, 1e-6);
}

// --- output entry ------------------------------------------------------------

namespace {
struct Finto : ProprietarioGrafica {
    std::vector<std::string> chiamate;
    bool guasto = false;
    void PlottaInOggetto(const std::string& d) override {
        chiamate.push_back(d);
        ImpostaDispositivo(1, d);
        ImpostaColore(7);
        Linea(0, 0, 1, 1);
        if (guasto) throw Guasto("divisione per zero");
    }
};
struct Dialogo : DialogoFile {
    std::optional<std::string> risposta;
    std::string proposto, filtro;
    int indice = 0;
    std::optional<std::string> Salva(const std::string& p, const std::string& f, int i,
                                     bool) override {
        proposto = p, filtro = f, indice = i;
        return risposta;
    }
};
} // namespace

TEST(UscitaGrafica, DxfThroughTheDialog) {
    AzzeraGrafica();
    RegistroMessaggi msg;
    Finto o;
    Dialogo d;
    const std::string p = (std::filesystem::temp_directory_path() / "zelvo_uscita.dxf").string();
    std::filesystem::remove(p);
    d.risposta = p;
    EXPECT_TRUE(UscitaGrafica(1, "trave", o, &d, msg));
    EXPECT_EQ(d.proposto, "trave.dxf");
    EXPECT_EQ(d.filtro, "All Files (*.*)|*.*|Files per Autocad (*.dxf)|*.dxf");
    EXPECT_EQ(d.indice, 2);
    EXPECT_EQ(o.chiamate, std::vector<std::string>{"DXF"});
    EXPECT_TRUE(std::filesystem::exists(p));
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(UscitaGrafica, CancelWritesNothingSaysNothing) {
    AzzeraGrafica();
    RegistroMessaggi msg;
    Finto o;
    Dialogo d;
    EXPECT_FALSE(UscitaGrafica(1, "trave", o, &d, msg));
    EXPECT_TRUE(o.chiamate.empty());
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(UscitaGrafica, FaultWhileDrawingKeepsOldFile) {
    AzzeraGrafica();
    RegistroMessaggi msg;
    Finto o;
    o.guasto = true;
    Dialogo d;
    const std::string p = (std::filesystem::temp_directory_path() / "zelvo_vecchio.dxf").string();
    { std::ofstream(p) << "vecchio"; }
    d.risposta = p;
    EXPECT_FALSE(UscitaGrafica(1, "trave", o, &d, msg));
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Si è verificato durante il processo di stampa il seguente "
                                       "errore: 11\r\nDivisione per zero"});
    std::ifstream f(p);
    std::string s;
    f >> s;
    EXPECT_EQ(s, "vecchio");
}

TEST(UscitaGrafica, CadUnavailable) {
    AzzeraGrafica();
    RegistroMessaggi msg;
    Finto o;
    EXPECT_FALSE(UscitaGrafica(2, "trave", o, nullptr, msg));
    EXPECT_TRUE(o.chiamate.empty());
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo,
              "Impossibile aprire Autocad.\r\nControllare che la versione di Autocad non sia LT");
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
}
