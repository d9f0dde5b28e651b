// The diagram outputs of every example as the command line makes them (DXF,
// PDF, PNG, SVG) into ZELVO_DIAGRAMMI (default: a temporary folder), for the
// DXF reader check of diagrammi_dxf.py and for people to look at. Witness: the
// three diagram windows of each example against reference images reviewed by
// eye when committed. A pixel differs when a channel differs by more than 48
// levels; at most 0.5 % may differ (antialiasing and hinting change between
// FreeType versions; a moved line, a missing label or a changed scale changes
// far more). Renew after a reviewed change: ZELVO_AGGIORNA_RIFERIMENTI=1.
#include "form/modello_form.h"
#include "graphics/uscita_diagrammi.h"
#include "graphics_qt/superficie_qt.h"
#include "io/file_atomico.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace zelvo;

namespace {

// A Qt application for the drawings, as the command-line tool's main makes
// (on the platform of the test's environment: "offscreen").
struct AmbienteQt : ::testing::Environment {
    std::unique_ptr<ApplicazioneDisegni> app;
    void SetUp() override { app = std::make_unique<ApplicazioneDisegni>(); }
    void TearDown() override { app.reset(); }
};
[[maybe_unused]] const auto* ambiente = ::testing::AddGlobalTestEnvironment(new AmbienteQt);

std::string Cartella() {
    const char* e = std::getenv("ZELVO_DIAGRAMMI");
    std::filesystem::path p =
        e ? std::filesystem::path(e) : std::filesystem::temp_directory_path() / "zelvo_diagrammi";
    std::filesystem::create_directories(p);
    return p.string();
}

std::string Leggi(const std::string& p) {
    return LeggiFile(p).value_or("");
}

// Fraction of pixels that differ by more than `soglia` in some channel (1
// when the sizes differ).
double PixelDiversi(const QImage& a, const QImage& b, int soglia) {
    if (a.size() != b.size() || a.isNull()) return 1;
    long diversi = 0;
    for (int r = 0; r < a.height(); ++r)
        for (int c = 0; c < a.width(); ++c) {
            const QRgb p = a.pixel(c, r), q = b.pixel(c, r);
            diversi += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                 std::abs(qBlue(p) - qBlue(q))}) > soglia;
        }
    return double(diversi) / (double(a.width()) * a.height());
}

constexpr int Soglia = 48;
constexpr double FrazioneAmmessa = 0.005;

const std::vector<std::string> Esempi = {"appoggio-appoggio",  "incastro-incastro",
                                         "incastro-appoggio",  "mensola",
                                         "fondazione-winkler", "fondazione-rigida"};

} // namespace

class Esempio : public ::testing::TestWithParam<std::string> {};

TEST_P(Esempio, AllFormatsAndTheWindowsAsTheReferenceImages) {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    ModelloForm form(modulo, unita, msg);
    form.InizializzaForm();
    ASSERT_TRUE(
        form.ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/" + GetParam() + ".zlv"));
    ASSERT_EQ(form.btnCalcola_Click(), EsitoCalcolo::Completato);
    FabbricaSuperficiQt superfici;
    const ContestoDiagrammi c{&modulo, &unita, &msg, form.NomeFile, nullptr, &superfici};
    const std::string base = Cartella() + "/" + GetParam();
    for (const char* e :
         {".dxf", ".pdf", "-M.png", "-T.png", "-C.png", "-M.svg", "-T.svg", "-C.svg"})
        std::filesystem::remove(base + e); // no file of an earlier run passes for this one
    UscitaDiagrammi uscita(msg);
    EXPECT_TRUE(uscita.Dxf(base + ".dxf", DiagrammiInOggetto(c)));
    EXPECT_TRUE(StampaDiagrammiPdf(uscita, c, base + ".pdf"));
    EXPECT_TRUE(ImmaginiDiagrammi(c, base, "png", msg));
    EXPECT_TRUE(ImmaginiDiagrammi(c, base, "svg", msg));
    EXPECT_TRUE(msg.elenco.empty()) << msg.elenco.front().testo;
    const std::string dxf = Leggi(base + ".dxf"), coda = "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    EXPECT_EQ(dxf.rfind("  0\r\nSECTION\r\n  2\r\nENTITIES\r\n", 0), 0u);
    ASSERT_GT(dxf.size(), coda.size());
    EXPECT_EQ(dxf.substr(dxf.size() - coda.size()), coda);
    for (const std::string& t : {"File : " + GetParam(), std::string("\r\nScala momenti 1:"),
                                 std::string("\r\nScala tagli 1:")})
        EXPECT_NE(dxf.find(t), std::string::npos) << t;
    EXPECT_EQ(Leggi(base + ".pdf").rfind("%PDF-", 0), 0u);

    const char* aggiorna = std::getenv("ZELVO_AGGIORNA_RIFERIMENTI");
    for (const std::string l : {"-M", "-T", "-C"}) {
        const std::string svg = Leggi(base + l + ".svg");
        EXPECT_NE(svg.find("<svg"), std::string::npos) << l;
        EXPECT_NE(svg.find("</svg>"), std::string::npos) << l;
        EXPECT_GT(svg.size(), 1000u) << l;
        const std::string png = base + l + ".png";
        const std::string rif = std::string(ZELVO_SOURCE_DIR) + "/tests/graphics_qt/riferimenti/" +
                                GetParam() + l + ".png";
        if (aggiorna && std::string(aggiorna) == "1")
            std::filesystem::copy_file(png, rif, std::filesystem::copy_options::overwrite_existing);
        const QImage fatta(QString::fromStdString(png)), attesa(QString::fromStdString(rif));
        ASSERT_FALSE(attesa.isNull()) << rif;
        EXPECT_EQ(fatta.size(), QSize(LarghezzaFinestraDiagramma, AltezzaFinestraDiagramma)) << l;
        EXPECT_LE(PixelDiversi(fatta, attesa, Soglia), FrazioneAmmessa) << png << " vs " << rif;
    }
}

INSTANTIATE_TEST_SUITE_P(Esempi, Esempio, ::testing::ValuesIn(Esempi), [](const auto& i) {
    std::string n = i.param;
    for (char& ch : n)
        if (ch == '-') ch = '_';
    return n;
});

// The comparison itself finds a changed diagram: the moment window of one
// example against the reference of another.
TEST(Riferimenti, ComparisonCatchesAChangedDiagram) {
    const std::string r = std::string(ZELVO_SOURCE_DIR) + "/tests/graphics_qt/riferimenti/";
    const QImage a(QString::fromStdString(r + "appoggio-appoggio-M.png"));
    const QImage b(QString::fromStdString(r + "incastro-incastro-M.png"));
    EXPECT_EQ(PixelDiversi(a, a, Soglia), 0);
    EXPECT_GT(PixelDiversi(a, b, Soglia), 4 * FrazioneAmmessa);
}
