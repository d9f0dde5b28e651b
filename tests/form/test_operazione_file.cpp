// File commands with a scripted dialog: names, caption, folders, filter.
#include "form/operazione_file.h"

#include "io/generale.h"

#include <gtest/gtest.h>

#include <deque>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {
class DialogoProva {
  public:
    std::deque<std::optional<std::string>> risposte;
    std::vector<RichiestaDialogo> richieste;
    std::optional<std::string> Scegli(const RichiestaDialogo& r) {
        richieste.push_back(r);
        auto x = risposte.front();
        risposte.pop_front();
        return x;
    }
};

struct Prova : ::testing::Test {
    fs::path dir;
    DialogoProva dlg;
    std::string nome, percorso, caption, cartella;
    std::vector<std::string> letti, scritti;
    bool leggibile = true;
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zelvo_op_" + std::to_string(getpid()));
        fs::create_directories(dir);
        cartella = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }
    bool Esegui(ComandoFile c) {
        return OperazioneFile(
            c, "Zelvo", {nome, percorso, caption, cartella}, "zlv",
            [&](const RichiestaDialogo& r) { return dlg.Scegli(r); }, "Trave Zelvo - File: ",
            [&](const fs::path& p) {
                letti.push_back(p.string());
                return leggibile;
            },
            [&](const fs::path& p) {
                scritti.push_back(p.string());
                return true;
            });
    }
};
} // namespace

TEST_F(Prova, ApriImpostaNomeCartellaCaption) {
    const std::string altra = (dir / "sotto").string();
    fs::create_directories(altra);
    dlg.risposte = {altra + "/trave 1.zlv"};
    EXPECT_TRUE(Esegui(ComandoFile::Apri));
    ASSERT_EQ(dlg.richieste.size(), 1u);
    EXPECT_EQ(dlg.richieste[0].filtro, "Tutti i Files (*.*)|*.*|Files Zelvo (*.zlv)|*.zlv");
    EXPECT_EQ(dlg.richieste[0].indiceFiltro, 2);
    EXPECT_EQ(dlg.richieste[0].nomeIniziale, "*.zlv");
    EXPECT_EQ(dlg.richieste[0].cartellaIniziale, dir.string());
    EXPECT_FALSE(dlg.richieste[0].salva);
    EXPECT_EQ(nome, "trave 1");
    EXPECT_EQ(caption, "Trave Zelvo - File: trave 1");
    EXPECT_EQ(cartella, altra);
    // Save writes beside it under the same name, without a dialog.
    EXPECT_TRUE(Esegui(ComandoFile::Salva));
    EXPECT_EQ(scritti, std::vector<std::string>{(fs::path(altra) / "trave 1.zlv").string()});
    EXPECT_EQ(dlg.richieste.size(), 1u);
}

TEST_F(Prova, IntestazioneIlleggibileNessunNome) {
    leggibile = false;
    dlg.risposte = {(dir / "rotto.zlv").string(), (dir / "nuovo.zlv").string()};
    EXPECT_FALSE(Esegui(ComandoFile::Apri));
    EXPECT_EQ(nome, "");
    EXPECT_EQ(caption, "Trave Zelvo - File: ");
    // So "Salva" asks for a name instead of overwriting the unread file.
    EXPECT_TRUE(Esegui(ComandoFile::Salva));
    EXPECT_TRUE(dlg.richieste[1].salva);
    EXPECT_EQ(scritti, std::vector<std::string>{(dir / "nuovo.zlv").string()});
    EXPECT_EQ(nome, "nuovo");
}

TEST_F(Prova, AnnullaNonCambiaNulla) {
    nome = "vecchio";
    caption = "Trave Zelvo - File: vecchio";
    dlg.risposte = {std::nullopt, std::nullopt};
    EXPECT_FALSE(Esegui(ComandoFile::Apri));
    EXPECT_FALSE(Esegui(ComandoFile::SalvaCome));
    EXPECT_EQ(dlg.richieste[1].nomeIniziale, "vecchio.zlv");
    EXPECT_EQ(nome, "vecchio");
    EXPECT_EQ(caption, "Trave Zelvo - File: vecchio");
    EXPECT_TRUE(letti.empty());
    EXPECT_TRUE(scritti.empty());
}

TEST_F(Prova, CartellaScomparsa) {
    cartella = (dir / "non esiste").string();
    dlg.risposte = {std::nullopt};
    Esegui(ComandoFile::Apri);
    EXPECT_EQ(dlg.richieste[0].cartellaIniziale, fs::current_path().string());
}

TEST_F(Prova, Nuovo) {
    nome = "x";
    EXPECT_TRUE(Esegui(ComandoFile::Nuovo));
    EXPECT_EQ(nome, "");
    EXPECT_EQ(caption, "Trave Zelvo - File: ");
}
