// Section drawings on the recording surface and through the file exports,
// against the outline's vertices, the centroid and the hatch's own geometry.
#include "graphics/grafica.h"
#include "graphics/superficie_registro.h"
#include "io/file_atomico.h"
#include "section/comando_sezione.h"
#include "section/esporta_sezione.h"
#include "section/sezione_edit.h"
#include "section/sezione_profili.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

using namespace zelvo;

namespace {

CampiEditorSezione Campi(int16_t tipo, std::vector<std::vector<std::string>> g, std::string R = "",
                         std::string r = "") {
    CampiEditorSezione c;
    c.TipoSelezionato = tipo;
    c.Righe = std::to_string(g.size());
    c.Griglia = GrigliaTesto::DaRighe(g);
    c.RaggioEsterno = std::move(R), c.RaggioInterno = std::move(r);
    return c;
}

std::vector<TrattoRegistrato> Linee(const TelaRegistro& s, uint32_t colore) {
    std::vector<TrattoRegistrato> r;
    for (const auto& t : s.tratti)
        if (t.tipo == "Linea" && t.colore == colore) r.push_back(t);
    return r;
}

struct Disegno : ::testing::Test {
    TelaRegistro s{800, 600};
    SuperficieVideo video{s};
    RegistroMessaggi msg;
};

} // namespace

// Rectangle: four closed sides, the two axes through the centroid spanning it,
// about 40 hatch lines at 45 degrees each from boundary to boundary.
TEST_F(Disegno, RettangoloContornoBaricentroTratteggio) {
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezRettangolo, {{"0.3", "0.5"}}), msg));
    ASSERT_TRUE(e.PlottaSezione(video));
    const double b = double(0.3f) / 2, h = double(0.5f) / 2; // the table holds singles
    auto suBordo = [&](double x, double y) {
        return std::fabs(x) <= b + 1e-9 && std::fabs(y) <= h + 1e-9 &&
               (std::fabs(std::fabs(x) - b) < 1e-9 || std::fabs(std::fabs(y) - h) < 1e-9);
    };
    const auto contorno = Linee(s, ColoreRGB(7));
    ASSERT_EQ(contorno.size(), 4u);
    auto angolo = [&](double x, double y) {
        return std::fabs(std::fabs(x) - b) + std::fabs(std::fabs(y) - h) < 1e-12;
    };
    for (const auto& l : contorno)
        EXPECT_TRUE(angolo(l.v[0], l.v[1]) && angolo(l.v[2], l.v[3]));
    const auto assi = Linee(s, ColoreRGB(1));
    ASSERT_EQ(assi.size(), 2u);
    std::vector<double> lunghezze;
    for (const auto& l : assi) {
        lunghezze.push_back(std::hypot(l.v[2] - l.v[0], l.v[3] - l.v[1]));
        EXPECT_NEAR(l.v[0] * l.v[3] - l.v[1] * l.v[2], 0, 1e-12) << "through the centroid";
    }
    std::sort(lunghezze.begin(), lunghezze.end());
    EXPECT_NEAR(lunghezze[0], 0.3, 1e-6);
    EXPECT_NEAR(lunghezze[1], 0.5, 1e-6);
    const auto tratteggio = Linee(s, ColoreRGB(8));
    EXPECT_GE(tratteggio.size(), 38u);
    EXPECT_LE(tratteggio.size(), 41u);
    for (const auto& l : tratteggio) {
        const double dx = l.v[2] - l.v[0], dy = l.v[3] - l.v[1];
        EXPECT_NEAR(dx, dy, 1e-9) << "rising at 45 degrees";
        EXPECT_TRUE(suBordo(l.v[0], l.v[1]) && suBordo(l.v[2], l.v[3]));
    }
    EXPECT_TRUE(msg.Testi().empty());
}

// T (flange 1.0 x 0.2, web 0.3 x 0.6): the centroid lies in the web, so the
// horizontal axis spans the web only; the vertical one the full height.
TEST_F(Disegno, TCentroidLinesBetweenTwoCrossingsOnly) {
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezT, {{"1", "0.2"}, {"0.3", "0.6"}}), msg));
    ASSERT_TRUE(e.PlottaSezione(video));
    const auto assi = Linee(s, ColoreRGB(1));
    ASSERT_EQ(assi.size(), 2u);
    const auto& o = std::fabs(assi[0].v[1] - assi[0].v[3]) < 1e-12 ? assi[0] : assi[1];
    const auto& v = &o == &assi[0] ? assi[1] : assi[0];
    EXPECT_NEAR(std::fabs(o.v[2] - o.v[0]), 0.3, 1e-6);
    EXPECT_NEAR(o.v[1], e.yPtoCalcoloM, 1e-12);
    EXPECT_NEAR(o.v[3], e.yPtoCalcoloM, 1e-12);
    EXPECT_NEAR(std::fabs(v.v[3] - v.v[1]), 0.8, 1e-6);
    EXPECT_EQ(Linee(s, ColoreRGB(7)).size(), 8u);
}

// A ring: two loops never joined, no centroid line (each would cross it four
// times), no hatch in the hole.
TEST_F(Disegno, AnelloDueAnelliSenzaGiunzioneNeAssi) {
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezCircolare, {}, "0.5", "0.3"), msg));
    ASSERT_TRUE(e.PlottaSezione(video));
    EXPECT_TRUE(Linee(s, ColoreRGB(1)).empty());
    auto r = [&](const TrattoRegistrato& l, int k) {
        return std::hypot(l.v[k] - e.xPtoCalcoloM, l.v[k + 1] - e.yPtoCalcoloM);
    };
    int esterni = 0, interni = 0;
    for (const auto& l : Linee(s, ColoreRGB(7))) {
        ASSERT_NEAR(r(l, 0), r(l, 2), 1e-6) << "no segment joins the two loops";
        (r(l, 0) > 0.4 ? esterni : interni)++;
    }
    EXPECT_GE(std::min(esterni, interni), 49);
    for (const auto& l : Linee(s, ColoreRGB(8)))
        EXPECT_GT(std::min(r(l, 0), r(l, 2)), 0.3 * std::cos(3.1416 / 50) - 1e-6);
}

TEST_F(Disegno, ProfiloDoppioGemelloSpecchiatoAllaDistanza) {
    SezioneProfili u;
    u.TipoProfilo = "SezioneProfiloU";
    u.h = 0.2f, u.b = 0.075f, u.tw = 0.0085f, u.tf = 0.0115f;
    u.Doppi = true, u.dDoppi = 0.01f;
    ASSERT_TRUE(u.Coordinate(msg));
    double x0, x1, y0, y1;
    u.Poligono1.MaxMin(x0, x1, y0, y1);
    ASSERT_TRUE(u.PlottaSezione(video));
    const auto contorno = Linee(s, ColoreRGB(7));
    ASSERT_EQ(contorno.size(), 2u * static_cast<size_t>(u.Poligono1.nVertici()));
    // The twin: right side at x0 - dDoppi, mirrored about x0 - dDoppi/2.
    const double asse = x0 - double(u.dDoppi) / 2;
    double minimo = 1e9, massimoGemello = -1e9;
    for (const auto& l : contorno)
        for (int k = 0; k < 4; k += 2) {
            minimo = std::min(minimo, l.v[k]);
            if (l.v[k] < asse) massimoGemello = std::max(massimoGemello, l.v[k]);
        }
    EXPECT_NEAR(massimoGemello, x0 - u.dDoppi, 1e-9);
    EXPECT_NEAR(minimo, 2 * asse - x1, 1e-9);
    // Both are hatched.
    int sinistra = 0, destra = 0;
    for (const auto& l : Linee(s, ColoreRGB(8)))
        (l.v[0] < asse ? sinistra : destra)++;
    EXPECT_GT(sinistra, 20);
    EXPECT_EQ(sinistra, destra);
    // Without the pair only the profile is drawn.
    s.tratti.clear();
    u.Doppi = false;
    ASSERT_TRUE(u.PlottaSezione(video));
    EXPECT_EQ(Linee(s, ColoreRGB(7)).size(), static_cast<size_t>(u.Poligono1.nVertici()));
}

// Nothing built: nothing drawn, and the export says so and writes nothing.
TEST_F(Disegno, ContornoAssente) {
    SezioneEdit vuota;
    EXPECT_FALSE(vuota.PlottaSezione(video));
    EXPECT_TRUE(s.tratti.empty());
    const auto file = std::filesystem::temp_directory_path() / "zelvo-sezione-vuota.dxf";
    std::filesystem::remove(file);
    EXPECT_FALSE(EsportaSezione(DisegnoDi(vuota), "dxf", file.string(), msg, nullptr));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore nel plottaggio"});
    EXPECT_FALSE(std::filesystem::exists(file));
}

// A pair turned as one section: the twin lies below at the gap, and the two
// drawn outlines (second method: each outline's own moment plus A·d² about
// their common centroid) give the inertia the pair hands to the beam.
TEST_F(Disegno, CoppiaRuotataGemelloSottoAllaDistanza) {
    SezioneProfili u;
    u.TipoProfilo = "SezioneProfiloU";
    u.h = 0.2f, u.b = 0.075f, u.tw = 0.0085f, u.tf = 0.0115f;
    u.Doppi = true, u.dDoppi = 0.01f;
    ASSERT_TRUE(u.Coordinate(msg));
    ASSERT_TRUE(u.CaratteristicheStaticheSezione(msg)); // no catalogue moduli: the outline's
    u.SezioneProfiliRuotata = true;
    ASSERT_TRUE(u.Coordinate(msg));
    double x0, x1, y0, y1, g0, g1, h0, h1;
    u.Poligono1.MaxMin(x0, x1, y0, y1);
    const Poligono g = u.Gemello();
    g.MaxMin(g0, g1, h0, h1);
    EXPECT_NEAR(h1, y0 - u.dDoppi, 1e-9);
    EXPECT_NEAR(g0, x0, 1e-12);
    const Poligono& p = u.Poligono1;
    const double yc = (p.yG + g.yG) / 2;
    const double J = p.jota_xG + p.Area * (p.yG - yc) * (p.yG - yc) + g.jota_xG +
                     g.Area * (g.yG - yc) * (g.yG - yc);
    EXPECT_NEAR(u.InerziaFlessione(), J, 1e-6 * J); // Jz and A held as singles
    ASSERT_TRUE(u.PlottaSezione(video));
}

// The raster exports on the canvases handed in (recording ones): PNG and SVG
// an 800 x 600 canvas holding the window's picture ("VIDEO", the drawing of
// the fixture's device of the same size), PDF the printed page; each saved
// once at its path.
TEST_F(Disegno, EsportazioniRasterSulleTeleConsegnate) {
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezRettangolo, {{"0.3", "0.5"}}), msg));
    ASSERT_TRUE(e.PlottaSezione(video));
    FabbricaRegistro fabbrica;
    for (const char* formato : {"png", "svg", "pdf"})
        ASSERT_TRUE(
            EsportaSezione(DisegnoDi(e), formato, std::string("s.") + formato, msg, &fabbrica));
    ASSERT_EQ(fabbrica.disegni.size(), 3u);
    for (size_t i = 0; i < 2; ++i) {
        const DisegnoRegistrato& d = *fabbrica.disegni[i];
        EXPECT_EQ(d.formato, i == 0 ? "png" : "svg");
        EXPECT_EQ(d.salvato, std::vector<std::string>{"s." + d.formato});
        EXPECT_EQ(d.tela.LarghezzaDispositivo(), LarghezzaFinestraSezione);
        EXPECT_EQ(d.tela.AltezzaDispositivo(), AltezzaFinestraSezione);
        ASSERT_EQ(d.tela.tratti.size(), s.tratti.size());
        for (size_t k = 0; k < s.tratti.size(); ++k) {
            EXPECT_EQ(d.tela.tratti[k].tipo, s.tratti[k].tipo);
            EXPECT_EQ(d.tela.tratti[k].v, s.tratti[k].v);
            EXPECT_EQ(d.tela.tratti[k].colore, s.tratti[k].colore);
        }
    }
    const DisegnoRegistrato& pdf = *fabbrica.disegni[2];
    EXPECT_EQ(pdf.formato, "pdf");
    EXPECT_EQ(pdf.salvato, std::vector<std::string>{"s.pdf"});
    EXPECT_EQ(Linee(pdf.tela, ColoreRGB(7)).size(), 4u);
    EXPECT_TRUE(msg.Testi().empty());

    // A file that cannot be written.
    fabbrica.salvaRiesce = false;
    EXPECT_FALSE(EsportaSezione(DisegnoDi(e), "png", "x.png", msg, &fabbrica));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Impossibile scrivere il file x.png"});
}

// Without canvases the raster formats say so and write nothing; DXF needs
// none. The section command still prints the section, with exit status 1.
TEST_F(Disegno, SenzaTeleMessaggioEFalso) {
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezRettangolo, {{"0.3", "0.5"}}), msg));
    for (const char* formato : {"png", "svg", "pdf"}) {
        EXPECT_FALSE(EsportaSezione(DisegnoDi(e), formato, "s", msg, nullptr));
        ASSERT_EQ(msg.Testi(), std::vector<std::string>{TestoSenzaSuperfici}) << formato;
        EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
        msg.Svuota();
    }
    const auto dir = std::filesystem::temp_directory_path() / "zelvo-sezione-senza-tele";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string dxf = (dir / "t.dxf").string(), svg = (dir / "t.svg").string();
    std::ostringstream out, err;
    EXPECT_EQ(ComandoSezione({"section", "rect", "0.3", "0.5", "--dxf", dxf, "--svg", svg}, out,
                             err, nullptr),
              1);
    EXPECT_NE(out.str().find("\"Area\""), std::string::npos);
    EXPECT_NE(out.str().find(TestoSenzaSuperfici), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dxf));
    EXPECT_FALSE(std::filesystem::exists(svg));
    std::filesystem::remove_all(dir);
}
