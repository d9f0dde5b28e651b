// Section drawings on the recording surface and through the file exports.
// Witnesses: the outline's own vertices, the centroid computed by hand, and
// the geometry of a 45-degree hatch (every hatch line inside the outline,
// ending on its boundary).
#include "graphics/grafica.h"
#include "graphics/superficie_qt.h"
#include "graphics/superficie_registro.h"
#include "section/comando_sezione.h"
#include "section/esporta_sezione.h"
#include "section/sezione_edit.h"
#include "section/sezione_profili.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace zelvo;

namespace {

CampiEditorSezione Campi(int16_t tipo, std::vector<std::vector<std::string>> g) {
    CampiEditorSezione c;
    c.TipoSelezionato = tipo;
    c.Righe = std::to_string(g.size());
    c.Griglia = GrigliaTesto::DaRighe(g);
    return c;
}

// The SVG export of the section tool needs a Qt application, which this test
// program makes (as the tool's main does).
struct AmbienteQt : ::testing::Environment {
    std::unique_ptr<ApplicazioneOffscreen> app;
    void SetUp() override { app = std::make_unique<ApplicazioneOffscreen>(); }
    void TearDown() override { app.reset(); }
};
[[maybe_unused]] const auto* ambiente = ::testing::AddGlobalTestEnvironment(new AmbienteQt);

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

TEST_F(Disegno, RettangoloContornoBaricentroTratteggio) {
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezRettangolo, {{"0.3", "0.5"}}), msg));
    ASSERT_TRUE(e.PlottaSezione(video));
    // The table holds singles: half of 0.3f and of 0.5f.
    const double b = double(0.3f) / 2, h = double(0.5f) / 2;
    // Outline: the four sides, closed.
    const auto contorno = Linee(s, ColoreRGB(7));
    ASSERT_EQ(contorno.size(), 4u);
    for (const auto& l : contorno)
        for (int k = 0; k < 4; k += 2) {
            EXPECT_NEAR(std::fabs(l.v[k]), b, 1e-12);
            EXPECT_NEAR(std::fabs(l.v[k + 1]), h, 1e-12);
        }
    // Centroid lines: the two axes through (0, 0), between the sides.
    const auto assi = Linee(s, ColoreRGB(1));
    ASSERT_EQ(assi.size(), 2u);
    double lunghezze[2];
    for (int i = 0; i < 2; ++i) {
        const auto& v = assi[i].v;
        lunghezze[i] = std::hypot(v[2] - v[0], v[3] - v[1]);
        EXPECT_NEAR(v[0] * v[3] - v[1] * v[2], 0, 1e-12) << "through the centroid";
    }
    EXPECT_NEAR(std::min(lunghezze[0], lunghezze[1]), 0.3, 1e-6);
    EXPECT_NEAR(std::max(lunghezze[0], lunghezze[1]), 0.5, 1e-6);
    // Hatch: lines at 45 degrees, each from boundary to boundary, about 40 of them.
    const auto tratteggio = Linee(s, ColoreRGB(8));
    EXPECT_GE(tratteggio.size(), 38u);
    EXPECT_LE(tratteggio.size(), 41u);
    for (const auto& l : tratteggio) {
        const double dx = l.v[2] - l.v[0], dy = l.v[3] - l.v[1];
        EXPECT_NEAR(std::fabs(dx), std::fabs(dy), 1e-9);
        EXPECT_GT(dx * dy, 0) << "rising to the right";
        for (int k = 0; k < 4; k += 2) {
            const double x = l.v[k], y = l.v[k + 1];
            EXPECT_LE(std::fabs(x), b + 1e-9);
            EXPECT_LE(std::fabs(y), h + 1e-9);
            EXPECT_TRUE(std::fabs(std::fabs(x) - b) < 1e-9 || std::fabs(std::fabs(y) - h) < 1e-9)
                << "hatch ends on the outline";
        }
    }
    EXPECT_TRUE(msg.Testi().empty());
}

TEST_F(Disegno, TCentroidLinesBetweenTwoCrossingsOnly) {
    // T: flange 1.0 x 0.2 on a web 0.3 x 0.6. Centroid from the top:
    // (0.2·0.1 + 0.18·0.5) / 0.38 = 0.28947 (in the web, below the flange).
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezT, {{"1", "0.2"}, {"0.3", "0.6"}}), msg));
    ASSERT_TRUE(e.PlottaSezione(video));
    const auto assi = Linee(s, ColoreRGB(1));
    ASSERT_EQ(assi.size(), 2u);
    bool orizzontale = false;
    for (const auto& l : assi)
        if (std::fabs(l.v[1] - l.v[3]) < 1e-12) {
            orizzontale = true;
            EXPECT_NEAR(std::fabs(l.v[2] - l.v[0]), 0.3, 1e-6) << "across the web only";
            EXPECT_NEAR(l.v[1], e.yPtoCalcoloM, 1e-12);
        } else {
            EXPECT_NEAR(std::fabs(l.v[3] - l.v[1]), 0.8, 1e-6) << "the full height";
        }
    EXPECT_TRUE(orizzontale);
    EXPECT_EQ(Linee(s, ColoreRGB(7)).size(), 8u);
}

TEST_F(Disegno, AnelloDueAnelliSenzaGiunzioneNeAssi) {
    SezioneEdit e;
    CampiEditorSezione c;
    c.TipoSelezionato = SezCircolare;
    c.RaggioEsterno = "0.5";
    c.RaggioInterno = "0.3";
    ASSERT_TRUE(e.FormLeggeDati(c, msg));
    ASSERT_TRUE(e.PlottaSezione(video));
    // Both centroid lines meet the ring four times: neither is drawn.
    EXPECT_TRUE(Linee(s, ColoreRGB(1)).empty());
    const auto contorno = Linee(s, ColoreRGB(7));
    ASSERT_GE(contorno.size(), 98u);
    const double xc = e.xPtoCalcoloM, yc = e.yPtoCalcoloM;
    int esterni = 0, interni = 0;
    for (const auto& l : contorno) {
        const double r1 = std::hypot(l.v[0] - xc, l.v[1] - yc);
        const double r2 = std::hypot(l.v[2] - xc, l.v[3] - yc);
        ASSERT_NEAR(r1, r2, 1e-6) << "no segment joins the two loops";
        (r1 > 0.4 ? esterni : interni)++;
    }
    EXPECT_GE(esterni, 49);
    EXPECT_GE(interni, 49);
    // The hatch stays in the ring: no hatch point inside the hole.
    for (const auto& l : Linee(s, ColoreRGB(8)))
        for (int k = 0; k < 4; k += 2)
            EXPECT_GT(std::hypot(l.v[k] - xc, l.v[k + 1] - yc), 0.3 * std::cos(3.1416 / 50) - 1e-6);
}

TEST_F(Disegno, ProfiloDoppioGemelloSpecchiatoAllaDistanza) {
    SezioneProfili u;
    u.TipoProfilo = "SezioneProfiloU";
    u.h = 0.2f, u.b = 0.075f, u.tw = 0.0085f, u.tf = 0.0115f;
    u.Doppi = true;
    u.dDoppi = 0.01f;
    ASSERT_TRUE(u.Coordinate(msg));
    double x0, x1, y0, y1;
    u.Poligono1.MaxMin(x0, x1, y0, y1);
    ASSERT_TRUE(u.PlottaSezione(video));
    const auto contorno = Linee(s, ColoreRGB(7));
    ASSERT_EQ(contorno.size(), 2u * static_cast<size_t>(u.Poligono1.nVertici()));
    // The twin lies wholly left of the gap, its right side at x0 - dDoppi;
    // mirrored, so the two together are symmetric about x0 - dDoppi/2.
    const double asse = x0 - double(u.dDoppi) / 2;
    double minimo = 1e9, massimoGemello = -1e9;
    for (const auto& l : contorno)
        for (int k = 0; k < 4; k += 2) {
            minimo = std::min(minimo, l.v[k]);
            if (l.v[k] < asse) massimoGemello = std::max(massimoGemello, l.v[k]);
            EXPECT_FALSE(l.v[k] > x0 - u.dDoppi + 1e-9 && l.v[k] < x0 - 1e-9) << "in the gap";
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

TEST_F(Disegno, NumeraVerticiEContornoAssente) {
    SezioneEdit e;
    ASSERT_TRUE(e.FormLeggeDati(Campi(SezRettangolo, {{"0.3", "0.5"}}), msg));
    ASSERT_TRUE(e.PltInizializza(-1, 1, -1, 1, video));
    ASSERT_TRUE(e.Contorno.NumeraVertici(e.Disegno(), 0.05));
    ASSERT_EQ(s.tratti.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s.tratti[i].testo, std::to_string(i + 1));
        EXPECT_DOUBLE_EQ(s.tratti[i].v[0], e.Contorno.CoordX()(i + 1));
    }
    // Nothing built: nothing drawn, and the export says so and writes nothing.
    SezioneEdit vuota;
    s.tratti.clear();
    EXPECT_FALSE(vuota.PlottaSezione(video));
    EXPECT_TRUE(s.tratti.empty());
    const auto file = std::filesystem::temp_directory_path() / "zelvo-sezione-vuota.dxf";
    std::filesystem::remove(file);
    EXPECT_FALSE(EsportaSezione(DisegnoDi(vuota), "dxf", file.string(), msg));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore nel plottaggio"});
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(ComandoSezioneDisegno, FileScrittiEFallimentoSegnalato) {
    const auto dir = std::filesystem::temp_directory_path() / "zelvo-sezione-disegni";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ostringstream out, err;
    const std::string dxf = (dir / "t.dxf").string(), svg = (dir / "t.svg").string();
    EXPECT_EQ(
        ComandoSezione({"section", "T", "1", "0.2", "0.3", "0.6", "--dxf", dxf, "--svg=" + svg},
                       out, err),
        0);
    std::ifstream f(dxf);
    std::stringstream testo;
    testo << f.rdbuf();
    EXPECT_NE(testo.str().find("LINE"), std::string::npos);
    EXPECT_NE(testo.str().find("EOF"), std::string::npos);
    EXPECT_GT(std::filesystem::file_size(svg), 500u);
    // An unwritable path: reported, exit status 1, the section still printed.
    std::ostringstream out2, err2;
    const std::string cattivo = (dir / "manca" / "t.dxf").string();
    EXPECT_EQ(ComandoSezione({"section", "rect", "0.3", "0.5", "--dxf", cattivo}, out2, err2), 1);
    EXPECT_NE(out2.str().find("Impossibile scrivere il file " + cattivo), std::string::npos);
    EXPECT_NE(out2.str().find("\"Area\""), std::string::npos);
    // A missing file name is a usage error.
    std::ostringstream out3, err3;
    EXPECT_EQ(ComandoSezione({"section", "rect", "0.3", "0.5", "--png"}, out3, err3), 2);
    std::filesystem::remove_all(dir);
}
