// Drawing module, targets and plot window on the recording devices. Witnesses:
// the colour table, and mappings computed by hand from the window's formulas.
#include "core/guasto.h"
#include "core/matematica.h"
#include "graphics/cad.h"
#include "graphics/dxf.h"
#include "graphics/grafica.h"
#include "graphics/plottaggio.h"
#include "graphics/superficie_registro.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

// A CAD application that records its calls.
struct CadFinto : ApplicazioneCad {
    std::vector<std::string> chiamate;
    std::vector<double> ultime;
    void AddLine(double, double, double, double, int32_t c) override { Chiama("Line", c); }
    void AddArc(double, double, double, double a1, double a2, int32_t c) override {
        Chiama("Arc", c);
        ultime = {a1, a2};
    }
    void AddLightWeightPolyline(const std::vector<double>& v, int32_t c) override {
        Chiama("Polyline", c);
        ultime = v;
    }
    void AddSolid(const double (&)[4][2], int32_t c) override { Chiama("Solid", c); }
    void AddText(const std::string& t, double, double, double, int32_t c) override {
        Chiama("Text " + t, c);
    }
    double LarghezzaUltimoTesto() override { return 1; }
    void AttivaStileTesto(int16_t s) override { chiamate.push_back("Style " + std::to_string(s)); }
    void ZoomExtents() override { chiamate.push_back("Zoom"); }
    void Chiama(const std::string& n, int32_t c) {
        chiamate.push_back(n + " " + std::to_string(c));
    }
};

} // namespace

TEST(ImpostaColore, ByTarget) {
    TelaRegistro t;
    SuperficieVideo video(t);
    SuperficieDxf dxf;
    Grafica g;
    g.ImpostaSuperficie(&video);
    g.ImpostaColore(3);
    EXPECT_EQ(g.ColoreCorrente, 0x00FF00);
    g.ImpostaColore(9);
    EXPECT_EQ(g.ColoreCorrente, 0);
    g.ImpostaSuperficie(&dxf);
    g.ImpostaColore(3);
    EXPECT_EQ(g.ColoreCorrente, 3);
    EXPECT_EQ(ColoreRGB(13), 0x00C000u);
    EXPECT_EQ(ColoreRGB(0), 0xFFFFFFu);
}

TEST(SpessoreLinea, ScreenPixelsPrinterTwipsFileNothing) {
    TelaRegistro t;
    SuperficieVideo video(t);
    SuperficieStampante stampante(t);
    SuperficieDxf dxf;
    video.SpessoreLinea(2);
    EXPECT_EQ(t.SpessoreAttuale(), 2);
    // 96 dpi printer: 3 x 11.34 twips = 34.02 twips = 2.27 px -> 2
    stampante.SpessoreLinea(3);
    EXPECT_EQ(t.SpessoreAttuale(), 2);
    dxf.ApriDxf("non-scritto.dxf", 1);
    const std::string prima = dxf.File().TestoChiuso();
    dxf.SpessoreLinea(1);
    EXPECT_EQ(dxf.File().TestoChiuso(), prima);
}

// The per-target capabilities the diagrams and sections ask for.
TEST(Superficie, Capabilities) {
    TelaRegistro t;
    CadFinto cad;
    RegistroMessaggi msg;
    SuperficieVideo video(t);
    SuperficieStampante stampante(t);
    SuperficieDxf dxf;
    SuperficieCad dwg(cad, msg);
    SuperficieBlocco blocco(cad, msg);
    struct Atteso {
        Superficie* s;
        const char* nome;
        bool raster, pagina, centrata, base, scale, abbassa, unisce;
    };
    for (const Atteso& a : std::vector<Atteso>{
             {&video, "VIDEO", true, false, true, false, false, false, false},
             {&stampante, "STAMPANTE", true, true, false, false, false, false, false},
             {&dxf, "DXF", false, false, false, true, true, true, true},
             {&dwg, "DWG", false, false, false, true, true, true, false},
             {&blocco, "BLOCCO", false, false, false, true, false, false, false}}) {
        SCOPED_TRACE(a.nome);
        EXPECT_EQ(a.s->Nome(), a.nome);
        EXPECT_EQ(a.s->Raster(), a.raster);
        EXPECT_EQ(a.s->TelaRaster() != nullptr, a.raster);
        EXPECT_EQ(a.s->Pagina(), a.pagina);
        EXPECT_EQ(a.s->Centrata(), a.centrata);
        EXPECT_EQ(a.s->TestoDallaBase(), a.base);
        EXPECT_EQ(a.s->ScaleNelDisegno(), a.scale);
        EXPECT_EQ(a.s->AbbassaTestoDallAlto(), a.abbassa);
        EXPECT_EQ(a.s->UnisceTesti(), a.unisce);
    }
}

struct Registro : ::testing::Test {
    TelaRegistro s{1000, 500};
    SuperficieVideo video{s};
    Grafica g;
    void SetUp() override { g.ImpostaDispositivo(1, &video); }
};

TEST_F(Registro, UnitScaleZeroOffsetDrawsOrdinatesUnchanged) {
    g.ImpostaColore(1);
    g.Linea(1, 2, 3, 4);
    g.Arco(1, 2, 3, 0.5, 1);
    g.Testo(5, 6, 1, "abc");
    ASSERT_EQ(s.tratti.size(), 3u);
    EXPECT_EQ(s.tratti[0].v, (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(s.tratti[0].colore, 0xFF0000u);
    EXPECT_EQ(s.tratti[1].v, (std::vector<double>{1, 2, 3, 0.5, 1}));
    EXPECT_EQ(s.tratti[2].v, (std::vector<double>{5, 6}));
}

TEST_F(Registro, OffsetAndScaleMoveOrdinatesOnly) {
    g.OrigineY = 10;
    g.Linea(1, 4, 3, -8, -2); // y' = 10 + y / s
    ASSERT_EQ(s.tratti.size(), 1u);
    EXPECT_EQ(s.tratti[0].v, (std::vector<double>{1, 8, 3, 14}));
}

TEST_F(Registro, NonFiniteCoordinateDrawsNothing) {
    EXPECT_THROW(g.Linea(std::nan(""), 0, 1, 1), Guasto);
    EXPECT_THROW(g.Linea(0, 0, 1, 1, 0), Guasto); // vertical scale 0
    EXPECT_TRUE(s.tratti.empty());
    Grafica senza;
    EXPECT_THROW(senza.Linea(0, 0, 1, 1), Guasto); // no target
}

TEST_F(Registro, ClosedPolylineOfFourIsFourLines) {
    Vettore1<double> x(4), y(4);
    x(1) = 0, y(1) = 0, x(2) = 1, y(2) = 0, x(3) = 1, y(3) = 1, x(4) = 0, y(4) = 1;
    g.PoligonaleChiusa(4, x, y);
    ASSERT_EQ(s.tratti.size(), 4u);
    EXPECT_EQ(s.tratti[3].v, (std::vector<double>{0, 1, 0, 0}));
    s.tratti.clear();
    g.Poligonale(4, x, y);
    EXPECT_EQ(s.tratti.size(), 3u);
}

TEST_F(Registro, SolidIsOutlinePlusNineteenHatchLines) {
    Vettore1<double> x(5), y(5);
    x(1) = 0, y(1) = 0, x(2) = 10, y(2) = 0, x(3) = 10, y(3) = 2, x(4) = 0, y(4) = 2;
    x(5) = 0, y(5) = 0;
    g.Solido(5, x, y);
    EXPECT_EQ(s.tratti.size(), 4u + 19u);
}

TEST_F(Registro, ArrowheadShapeAndStretch) {
    // Tip (0,0), size 1, pointing down: base corners (+-0.5, 2); with a ratio of
    // 2 the base rises to 4.
    g.RapportoScaleXY = 2;
    g.PuntaFreccia(0, 0, 1, 0, false);
    ASSERT_EQ(s.tratti.size(), 3u);
    EXPECT_NEAR(s.tratti[0].v[2], 0.5, 1e-12);
    EXPECT_NEAR(s.tratti[0].v[3], 4, 1e-12);
    EXPECT_NEAR(s.tratti[1].v[2], -0.5, 1e-12);
}

TEST_F(Registro, ArrowSkipsSmallValuesAndPutsHeadAtEnd) {
    Vettore1<double> x(2), y(2);
    x(1) = 2, y(1) = 3, x(2) = 2, y(2) = 0;
    g.Freccia(2, 1, 0, 1, 0.1, 0, "0", x, y, 0.1, " kN", false);
    EXPECT_TRUE(s.tratti.empty());
    g.Freccia(2, 1, 0, 1, 0.1, 5, "5", x, y, 0.1, " kN", false);
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
    g.DefinisciFont(1, "Arial", "arial");
    g.DefinisciFont(2, "Symbol", "symbol");
    g.TestoMultiFont(1, 1, 0.1, {{"s", 2}, {"t = 3", 1}});
    ASSERT_EQ(s.tratti.size(), 2u);
    EXPECT_EQ(s.tratti[0].testo, "σ");
    EXPECT_EQ(s.tratti[0].font, "Symbol");
    EXPECT_EQ(s.tratti[1].testo, "t = 3");
    EXPECT_EQ(s.tratti[1].font, "Arial");
    EXPECT_GT(s.tratti[1].v[0], 1);
}

TEST_F(Registro, TextInScaleResizesToHeight) {
    // Device units: 8 pt = 10.667 px high; asking for 20 px doubles-ish the size.
    g.TestoInScala(true);
    g.Testo(0, 0, 20, "x");
    EXPECT_NEAR(s.DimensioneAttuale(), 8 * 20 / (8 * 96.0 / 72), 1e-9);
}

// --- the CAD targets -----------------------------------------------------------

TEST(SuperficieCad, EntitiesCarryTheirColourAndRadians) {
    CadFinto cad;
    RegistroMessaggi msg;
    SuperficieCad dwg(cad, msg);
    Grafica g;
    g.ImpostaDispositivo(1, &dwg);
    g.ImpostaColore(5);
    g.Linea(0, 0, 1, 1);
    g.ImpostaColore(2);
    g.Arco(0, 0, 1, 0, PiGreco / 2);
    EXPECT_DOUBLE_EQ(cad.ultime[1], PiGreco / 2); // radians unchanged
    Vettore1<double> x(3), y(3);
    x(1) = 0, y(1) = 0, x(2) = 1, y(2) = 0, x(3) = 1, y(3) = 1;
    g.PoligonaleChiusa(3, x, y);
    EXPECT_EQ(cad.ultime.size(), 8u); // 3 points and the first again
    EXPECT_EQ(cad.chiamate, (std::vector<std::string>{"Line 5", "Arc 2", "Polyline 2"}));
}

TEST(SuperficieCad, SolidNeedsFourPoints) {
    CadFinto cad;
    RegistroMessaggi msg;
    SuperficieCad dwg(cad, msg);
    Grafica g;
    g.ImpostaDispositivo(1, &dwg);
    Vettore1<double> x(5), y(5);
    for (int i = 1; i <= 5; ++i)
        x(i) = i, y(i) = i;
    g.Solido(4, x, y);
    g.Solido(5, x, y);
    g.Solido(3, x, y);
    EXPECT_EQ(cad.chiamate, (std::vector<std::string>{"Solid 0", "Solid 0"}));
    EXPECT_EQ(msg.Testi(),
              (std::vector<std::string>{"Errore in Sub SolidDwg - I punti devono essere 4",
                                        "Errore in Sub SolidDwg - I punti devono essere 4"}));
}

TEST(SuperficieCad, TextFromTopLoweredOnDwgNotOnBlock) {
    CadFinto cad;
    RegistroMessaggi msg;
    SuperficieRegistro r;
    Grafica g;
    g.ImpostaDispositivo(1, &r);
    g.Testo(0, 10, 2, "a", 1, true);
    EXPECT_DOUBLE_EQ(r.tratti.at(0).v[1], 10); // a target that does not lower
    SuperficieDxf dxf;
    dxf.ApriDxf("non-scritto.dxf", 1);
    g.ImpostaSuperficie(&dxf);
    g.Testo(0, 10, 2, "a", 1, true);
    EXPECT_NE(dxf.File().TestoChiuso().find(" 20\r\n7\r\n"), std::string::npos); // 10 - 1.5 x 2
}

TEST(SuperficieCad, MultiFontAdvancesByTheEntityWidth) {
    CadFinto cad;
    RegistroMessaggi msg;
    SuperficieCad dwg(cad, msg);
    Grafica g;
    g.ImpostaDispositivo(1, &dwg);
    g.DefinisciFont(1, "Arial", "arial");
    g.DefinisciFont(2, "Symbol", "symbol");
    g.TestoMultiFont(0, 0, 1, {{"s", 2}, {"t", 1}});
    EXPECT_EQ(cad.chiamate,
              (std::vector<std::string>{"Style 2", "Text s 0", "Style 1", "Text t 0"}));
}

TEST(ApriAutocad, NoApplicationOnThisPlatform) {
    RegistroMessaggi msg;
    EXPECT_EQ(ApriAutocad(NessunCad(), msg), nullptr);
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo,
              "Impossibile aprire Autocad.\r\nControllare che la versione di Autocad non sia LT");
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
}

// --- plot window -----------------------------------------------------------

TEST(Plottaggio, FileTargetDegenerateHeight) {
    Grafica g;
    SuperficieDxf dxf;
    Plottaggio p;
    p.EstremiFinestra(0, 0, 0, 0);
    p.Inizializza(g, 0, 10, 5, 5, dxf, 1, true, 0);
    EXPECT_EQ(p.yMin, 5.0f);
    EXPECT_EQ(p.yMax, 5.01f);
    EXPECT_EQ(p.RapportoScale, 1.0f);
    EXPECT_EQ(g.Dispositivo(), &dxf);
}

TEST(Plottaggio, DegenerateBothAxes) {
    Grafica g;
    SuperficieDxf dxf;
    Plottaggio p;
    p.Inizializza(g, 3, 3, 2, 2, dxf, 1, true, 0);
    EXPECT_EQ(p.yMax, 3.0f); // yMin + 1
    EXPECT_EQ(p.xMax, 4.0f); // height still 0 when x is widened: xMin + 1
    Plottaggio q;
    q.Inizializza(g, 4, 2, 7, 7, dxf, 1, true, 0); // reversed abscissae
    EXPECT_GT(q.xMax, q.xMin);
    EXPECT_GT(q.yMax, q.yMin);
}

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
    EXPECT_DOUBLE_EQ(g.ZeroMaxDimen, 10.0 / 1000000);
}

TEST(Plottaggio, OffsetAndScaleShiftTheWindow) {
    Grafica g;
    SuperficieDxf dxf;
    Plottaggio p;
    p.Inizializza(g, 0, 1, -4, 6, dxf, 2, true, -2);
    EXPECT_EQ(p.yMin, -3.0f);
    EXPECT_EQ(p.yMax, 2.0f);
    EXPECT_EQ(g.OrigineY, -2.0f);
    EXPECT_EQ(g.ScalaCorrente, 2.0);
}

TEST(Plottaggio, StretchedFillsSubAreaThenCentres) {
    Grafica g;
    TelaRegistro s(1000, 500);
    SuperficieVideo video(s);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 0.5f, 1);
    p.Inizializza(g, 0, 10, 0, 1, video, 1, false, 0);
    // sx = 10 / 500 = 0.02, sy = 1 / 500 = 0.002; ratio sy/sx = 0.1.
    EXPECT_NEAR(p.RapportoScale, 0.1, 1e-6);
    // devAspect 1 < worldAspect 10: vertical centring, shift 0 here; left = 0.
    EXPECT_NEAR(s.Colonna(0), 0, 1e-9);
    EXPECT_NEAR(s.Colonna(10), 500, 1e-9);
    EXPECT_NEAR(s.Riga(1), 0, 1e-9);
    EXPECT_NEAR(s.Riga(0), 500, 1e-9);
    EXPECT_DOUBLE_EQ(g.RapportoScaleXY, double(p.RapportoScale));
}

TEST(Plottaggio, EqualScalesWideWindowCentredVertically) {
    Grafica g;
    TelaRegistro s(1000, 1000);
    SuperficieVideo video(s);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 0, 0); // whole device
    p.Inizializza(g, 0, 20, 0, 5, video, 1, true, 0);
    // One scale 20/1000 on both axes: the 5 high window takes 250 rows,
    // centred on the 1000-row device: rows 375..625.
    EXPECT_NEAR(s.Colonna(0), 0, 1e-9);
    EXPECT_NEAR(s.Colonna(20), 1000, 1e-9);
    EXPECT_NEAR(s.Riga(5), 375, 1e-6);
    EXPECT_NEAR(s.Riga(0), 625, 1e-6);
    EXPECT_EQ(p.RapportoScale, 1.0f);
}

TEST(Plottaggio, PrinterIsNotCentred) {
    Grafica g;
    TelaRegistro s(1000, 1000);
    SuperficieStampante stampante(s);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 1, 1);
    p.Inizializza(g, 0, 20, 0, 5, stampante, 1, true, 0);
    EXPECT_NEAR(s.Riga(5), 0, 1e-6); // top of the window at the top edge
}

TEST(Plottaggio, AdattaOnFileTargetShowsMessage) {
    RegistroMessaggi msg;
    Grafica g(&msg);
    SuperficieDxf dxf;
    Plottaggio p;
    p.Inizializza(g, 0, 1, 0, 1, dxf, 1, true, 0);
    EXPECT_TRUE(msg.elenco.empty());
    p.AdattaAfinestra();
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"ERRORE! Plottaggio.AdattaAfinestra - Uscita non prevista"});
}

TEST(Plottaggio, FrameRectangleInsets) {
    Grafica g;
    TelaRegistro s(1000, 1000);
    SuperficieStampante stampante(s);
    Plottaggio p;
    p.EstremiFinestra(0, 0, 1, 1);
    p.Inizializza(g, 0, 10, 0, 10, stampante, 1, true, 0);
    p.PlottaFinestra();
    ASSERT_EQ(s.tratti.size(), 4u);
    EXPECT_NEAR(s.tratti[0].v[1], 10.0 / 500, 1e-6); // bottom raised by height/500
    EXPECT_NEAR(s.tratti[0].v[2], 10 - 10.0 / 1000, 1e-6);
}

// Two drawings side by side keep their own targets, scales and mappings.
TEST(Plottaggio, TwoDrawingsDoNotShareState) {
    TelaRegistro a(1000, 500), b(400, 400);
    SuperficieVideo va(a), vb(b);
    Grafica ga, gb;
    Plottaggio pa, pb;
    pa.EstremiFinestra(0, 0, 1, 1);
    pb.EstremiFinestra(0, 0, 1, 1);
    pa.Inizializza(ga, 0, 10, 0, 5, va, 1, false, 0);
    pb.Inizializza(gb, 0, 2, -1, 1, vb, 2, true, 3);
    ga.Linea(0, 0, 10, 5);
    gb.Linea(0, 0, 2, 1);
    EXPECT_EQ(ga.Dispositivo(), &va);
    EXPECT_EQ(gb.Dispositivo(), &vb);
    EXPECT_EQ(ga.OrigineY, 0.0f);
    EXPECT_EQ(gb.OrigineY, 3.0f);
    ASSERT_EQ(a.tratti.size(), 1u);
    ASSERT_EQ(b.tratti.size(), 1u);
    EXPECT_NEAR(a.Colonna(10), 1000, 1e-9);
    EXPECT_NEAR(b.Colonna(2), 400, 1e-9);
}
