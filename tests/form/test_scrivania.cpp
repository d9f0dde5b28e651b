// The program on the desktop: which help topic F1 opens for the control with
// the focus, which dropped paths are data files, and a dropped file opened
// after the unsaved-changes question. Witnesses: the help's list of topics
// written out here, the file names' extensions, the example files and their
// titles as they stand in the files.
#include "form/modello_form.h"
#include "form/scrivania.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

const std::string Esempi = std::string(ZELVO_SOURCE_DIR) + "/examples/";

struct CasoArgomento {
    Fuoco fuoco;
    int argomento;
};

// Every control the focus can be on: the data fields explain themselves in
// "Dati e risultati" (2), the load tables in "Carichi e distanze parziali"
// (4), the foundation fields in "Trave di fondazione" (5); nothing: the list (1).
TEST(ArgomentoAiuto, OgniControlloIlSuoArgomento) {
    const CasoArgomento casi[] = {
        {{TipoControllo::Nessuno, 0}, 1},
        {{TipoControllo::TxtTitolo, 0}, 2},
        {{TipoControllo::TxtDati, 0}, 2},
        {{TipoControllo::TxtDati, 3}, 2},
        {{TipoControllo::TxtX, 0}, 2},
        {{TipoControllo::BtnCalcola, 0}, 2},
        {{TipoControllo::TxtRigheGriglia, 1}, 4},
        {{TipoControllo::FlexGrid, 2}, 4},
        {{TipoControllo::TxtEdit, 0}, 4},
        {{TipoControllo::TxtWinkler, 0}, 5},
        {{TipoControllo::TxtWinkler, 2}, 5},
    };
    for (const CasoArgomento& c : casi)
        EXPECT_EQ(ArgomentoDi(c.fuoco), c.argomento)
            << static_cast<int>(c.fuoco.tipo) << "/" << c.fuoco.indice;
}

// F1 asks the help at the topic; a window without help does nothing.
TEST(ArgomentoAiuto, AiutoContestualeChiedeLArgomento) {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f(m, u, msg);
    f.InizializzaForm();
    std::vector<int> chiesti;
    AiutoContestuale(f, {TipoControllo::TxtWinkler, 1});
    f.Servizi.MostraAiuto = [&](int a) { chiesti.push_back(a); };
    AiutoContestuale(f, {TipoControllo::TxtWinkler, 1});
    AiutoContestuale(f, {});
    EXPECT_EQ(chiesti, (std::vector<int>{5, 1}));
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(FileTrascinato, SoloFileZlv) {
    const struct {
        const char* percorso;
        bool dati;
    } casi[] = {
        {"/home/u/trave.zlv", true},   {"/home/u/TRAVE.ZLV", true},
        {"trave.Zlv", true},           {"/home/u/a b/x.zlv", true},
        {"/home/u/.zlv", false},       {"/home/u/trave.zlv.txt", false},
        {"/home/u/trave.txt", false},  {"/home/u/zlv", false},
        {"/dati.zlv/nota.txt", false}, {"", false},
        {"/home/u/trave.zl", false},
    };
    for (const auto& c : casi)
        EXPECT_EQ(FileDatiTrascinabile(c.percorso), c.dati) << c.percorso;
    EXPECT_EQ(FileDatiTrascinato({"", "/a/nota.txt", "/a/uno.zlv", "/a/due.zlv"}), "/a/uno.zlv");
    EXPECT_EQ(FileDatiTrascinato({"/a/nota.txt", ""}), "");
    EXPECT_EQ(FileDatiTrascinato({}), "");
}

struct Trascina : ::testing::Test {
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f{m, u, msg};
    void SetUp() override { f.InizializzaForm(); }
};

// Unchanged data: the file opens at once, named in the caption.
TEST_F(Trascina, SenzaModificheApreSubito) {
    ASSERT_TRUE(ApriFileTrascinato(f, Esempi + "mensola.zlv"));
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: mensola");
    EXPECT_EQ(fs::path(f.PercorsoFile), fs::path(Esempi + "mensola.zlv"));
    EXPECT_FALSE(f.DatiModificati());
}

// Unsaved changes: the question first; cancel keeps everything, no opens.
TEST_F(Trascina, ModificheChiedonoPrima) {
    ASSERT_TRUE(ApriFileTrascinato(f, Esempi + "mensola.zlv"));
    f.Campo_Edita(f.txtTitolo, "cambiato");
    msg.risposteAnnulla = {Risposta::Annulla};
    EXPECT_FALSE(ApriFileTrascinato(f, Esempi + "appoggio-appoggio.zlv"));
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"I dati sono stati modificati. Salvare le modifiche?"});
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: mensola");
    EXPECT_EQ(f.txtTitolo.testo, "cambiato");

    msg.Svuota();
    msg.risposteAnnulla = {Risposta::No};
    ASSERT_TRUE(ApriFileTrascinato(f, Esempi + "appoggio-appoggio.zlv"));
    EXPECT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: appoggio-appoggio");
    EXPECT_FALSE(f.DatiModificati());
}

// A file that is not there: its message, the problem stays as it was.
TEST_F(Trascina, FileMancanteLasciaIlProblema) {
    ASSERT_TRUE(ApriFileTrascinato(f, Esempi + "mensola.zlv"));
    const std::string titolo = f.txtTitolo.testo;
    EXPECT_FALSE(ApriFileTrascinato(f, Esempi + "non-esiste.zlv"));
    EXPECT_FALSE(msg.elenco.empty());
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: mensola");
    EXPECT_EQ(f.txtTitolo.testo, titolo);
    EXPECT_FALSE(ApriFileTrascinato(f, ""));
}

} // namespace
