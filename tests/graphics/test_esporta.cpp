// Rendered exports of every test problem (DXF, PDF, PNG, SVG) into
// ZELVO_DIAGRAMMI (default: a folder in the temporary directory), for the
// DXF reader check of diagrammi_dxf.py and for people to look at.
#include "graphics/esporta.h"
#include "graphics/grafica.h"
#include "graphics/plotta.h"
#include "graphics/superficie_qt.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace zelvo;

namespace {
std::string Cartella() {
    const char* e = std::getenv("ZELVO_DIAGRAMMI");
    std::filesystem::path p =
        e ? std::filesystem::path(e) : std::filesystem::temp_directory_path() / "zelvo_diagrammi";
    std::filesystem::create_directories(p);
    return p.string();
}
} // namespace

class Esporta : public ::testing::TestWithParam<prova::Problema> {};

TEST_P(Esporta, AllFormatsWithoutMessages) {
    ModuloZelvo m;
    m.Dati = GetParam().dati;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    ASSERT_TRUE(m.Risultati.Calcolato);
    UnitMisura u;
    u.UnitaDefault();
    const std::string base = Cartella() + "/" + GetParam().nome;
    EXPECT_TRUE(EsportaDXF(m, u, base + ".dxf", msg, GetParam().nome + ".zlv"));
    EXPECT_TRUE(EsportaPDF(m, u, base + ".pdf", msg, GetParam().nome + ".zlv"));
    EXPECT_TRUE(EsportaPNG(m, u, base, msg, GetParam().nome + ".zlv"));
    EXPECT_TRUE(EsportaSVG(m, u, base, msg, GetParam().nome + ".zlv"));
    {
        // The printed page also as an image (A4 proportions), for people to look at.
        auto pagina = DisegnoQt::Immagine(1240, 1754);
        ContestoDiagrammi c{&m, &u, &msg, GetParam().nome + ".zlv"};
        EXPECT_TRUE(PlottaStampa(c, DispStampante, &pagina->Superficie()));
        EXPECT_TRUE(pagina->Salva(base + "-pagina.png"));
    }
    EXPECT_TRUE(msg.elenco.empty()) << msg.elenco.front().testo;
    for (const char* s : {".dxf", ".pdf", "-M.png", "-T.png", "-C.png", "-M.svg", "-C.svg"})
        EXPECT_GT(std::filesystem::file_size(base + s), 100u) << s;
}

INSTANTIATE_TEST_SUITE_P(Problemi, Esporta, ::testing::ValuesIn(prova::Problemi()),
                         [](const auto& i) {
                             std::string n = i.param.nome;
                             for (char& ch : n)
                                 if (ch == '-') ch = '_';
                             return n;
                         });

TEST(Esporta, WithoutCalculationNothingIsWritten) {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    const std::string p = Cartella() + "/vuoto.dxf";
    std::filesystem::remove(p);
    EXPECT_FALSE(EsportaDXF(m, u, p, msg));
    EXPECT_FALSE(std::filesystem::exists(p));
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{TestoSenzaCalcolo});
}
