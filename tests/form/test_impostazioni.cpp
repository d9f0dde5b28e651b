// What the program remembers between runs, headless: the recent files (order,
// cap, repetitions, relative paths, a missing file), the folder and the units
// of a new problem at start-up, and that a data file means the same whatever
// is remembered. Witnesses: lists written out by hand from the sequence of
// files opened, the exact message texts, the window of a model that
// remembers nothing.
#include "form/impostazioni.h"
#include "form/modello_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;
using Testi = std::vector<std::string>;

namespace {

const std::string Esempi = std::string(ZELVO_SOURCE_DIR) + "/examples/";

struct CasoRecenti {
    const char* nome;
    Testi aggiunti; // files opened or saved, in this order
    Testi attesi;   // the list afterwards, most recent first
};

std::ostream& operator<<(std::ostream& o, const CasoRecenti& c) {
    return o << c.nome;
}

class ListaRecenti : public ::testing::TestWithParam<CasoRecenti> {};

TEST_P(ListaRecenti, OrdineTettoRipetizioni) {
    const CasoRecenti& c = GetParam();
    auto archivio = std::make_shared<ArchivioMemoria>();
    ImpostazioniUtente imp(archivio);
    for (const auto& p : c.aggiunti)
        imp.AggiungiRecente(p);
    EXPECT_EQ(imp.FileRecenti(), c.attesi);
    // A second reader of the same archive (the next run) sees the same list.
    ImpostazioniUtente dopo(archivio);
    EXPECT_EQ(dopo.FileRecenti(), c.attesi);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, ListaRecenti,
    ::testing::Values(CasoRecenti{"Vuota", {}, {}},
                      CasoRecenti{"TreFile",
                                  {"/d/a.zlv", "/d/b.zlv", "/d/c.zlv"},
                                  {"/d/c.zlv", "/d/b.zlv", "/d/a.zlv"}},
                      // b opened again goes to the top, listed once.
                      CasoRecenti{"RipetutoInCima",
                                  {"/d/a.zlv", "/d/b.zlv", "/d/c.zlv", "/d/b.zlv"},
                                  {"/d/b.zlv", "/d/c.zlv", "/d/a.zlv"}},
                      CasoRecenti{"LoStessoDueVolte", {"/d/a.zlv", "/d/a.zlv"}, {"/d/a.zlv"}},
                      // Ten files: the eight last, the newest first.
                      CasoRecenti{"TettoOtto",
                                  {"/d/0.zlv", "/d/1.zlv", "/d/2.zlv", "/d/3.zlv", "/d/4.zlv",
                                   "/d/5.zlv", "/d/6.zlv", "/d/7.zlv", "/d/8.zlv", "/d/9.zlv"},
                                  {"/d/9.zlv", "/d/8.zlv", "/d/7.zlv", "/d/6.zlv", "/d/5.zlv",
                                   "/d/4.zlv", "/d/3.zlv", "/d/2.zlv"}},
                      // With the list full, an old file opened again comes back to the top
                      // and nothing else drops out.
                      CasoRecenti{"PienaERipetuto",
                                  {"/d/1.zlv", "/d/2.zlv", "/d/3.zlv", "/d/4.zlv", "/d/5.zlv",
                                   "/d/6.zlv", "/d/7.zlv", "/d/8.zlv", "/d/1.zlv"},
                                  {"/d/1.zlv", "/d/8.zlv", "/d/7.zlv", "/d/6.zlv", "/d/5.zlv",
                                   "/d/4.zlv", "/d/3.zlv", "/d/2.zlv"}},
                      // Two spellings of one file are one entry.
                      CasoRecenti{"StessoFileScrittoDiversamente",
                                  {"/d/x/../a.zlv", "/d/b.zlv", "/d/./a.zlv"},
                                  {"/d/a.zlv", "/d/b.zlv"}},
                      CasoRecenti{"PercorsoVuotoIgnorato", {"/d/a.zlv", ""}, {"/d/a.zlv"}}),
    [](const auto& i) { return std::string(i.param.nome); });

TEST(Impostazioni, PercorsoRelativoDiventaAssoluto) {
    // Witness: the current directory joined by hand.
    ImpostazioniUtente imp(std::make_shared<ArchivioMemoria>());
    imp.AggiungiRecente("progetto.zlv");
    EXPECT_EQ(imp.FileRecenti(), Testi{(fs::current_path() / "progetto.zlv").string()});
}

TEST(Impostazioni, ListaSporcaPulitaAllaLettura) {
    // A list left by hand: repetitions, an empty entry and more than eight.
    auto archivio = std::make_shared<ArchivioMemoria>();
    archivio->liste["FileRecenti"] = {"/a", "",   "/b", "/a", "/c", "/d",
                                      "/e", "/f", "/g", "/h", "/i", "/j"};
    ImpostazioniUtente imp(archivio);
    EXPECT_EQ(imp.FileRecenti(), (Testi{"/a", "/b", "/c", "/d", "/e", "/f", "/g", "/h"}));
}

TEST(Impostazioni, CartellaCheNonEsistePiuIgnorata) {
    auto archivio = std::make_shared<ArchivioMemoria>();
    ImpostazioniUtente imp(archivio);
    imp.RicordaCartella(fs::temp_directory_path().string());
    EXPECT_EQ(imp.UltimaCartella(), fs::temp_directory_path().lexically_normal().string());
    archivio->valori["CartellaDati"] = "/non/esiste/zelvo";
    EXPECT_EQ(imp.UltimaCartella(), std::nullopt);
}

struct CasoUnita {
    const char* nome;
    Testi etichette;                   // the four remembered labels
    const char* senza;                 // remembered no-units mode (nullptr: none)
    std::array<std::string, 5> attese; // UnitaModello afterwards
    bool senzaAtteso;
};

std::ostream& operator<<(std::ostream& o, const CasoUnita& c) {
    return o << c.nome;
}

class UnitaRicordate : public ::testing::TestWithParam<CasoUnita> {};

TEST_P(UnitaRicordate, Applicate) {
    const CasoUnita& c = GetParam();
    auto archivio = std::make_shared<ArchivioMemoria>();
    if (!c.etichette.empty()) archivio->liste["UnitaNuovoProblema"] = c.etichette;
    if (c.senza) archivio->valori["SenzaUnitaNuovoProblema"] = c.senza;
    ImpostazioniUtente imp(archivio);
    UnitMisura u;
    u.UnitaDefault();
    imp.ApplicaUnitaNuovoProblema(u);
    EXPECT_EQ(u.UnitaModello, c.attese);
    EXPECT_EQ(u.SenzaUnita, c.senzaAtteso);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, UnitaRicordate,
    ::testing::Values(
        // The third slot (a unit the window does not choose) stays "t".
        CasoUnita{"Scelte", {"mm", "kPa", "MN", "mm"}, "0", {"mm", "kPa", "t", "MN", "mm"}, false},
        CasoUnita{"SenzaUnita", {"m", "MPa", "kN", "cm"}, "1", {"m", "MPa", "t", "kN", "cm"}, true},
        CasoUnita{"NienteRicordato", {}, nullptr, {"m", "MPa", "t", "kN", "cm"}, false},
        // A label no option of its group offers: the defaults stay.
        CasoUnita{"EtichettaSconosciuta",
                  {"m", "psi", "kN", "cm"},
                  nullptr,
                  {"m", "MPa", "t", "kN", "cm"},
                  false},
        CasoUnita{"GruppoSbagliato",
                  {"Pa", "m", "kN", "cm"},
                  nullptr,
                  {"m", "MPa", "t", "kN", "cm"},
                  false},
        CasoUnita{"TroppoPoche", {"mm", "kPa"}, nullptr, {"m", "MPa", "t", "kN", "cm"}, false}),
    [](const auto& i) { return std::string(i.param.nome); });

// A model with its remembered state in memory and a temporary folder.
class ModelloRicorda : public ::testing::Test {
  protected:
    ModelloRicorda() : archivio(std::make_shared<ArchivioMemoria>()), imp(archivio), f(m, u, msg) {
        cartella = fs::temp_directory_path() / ("zelvo_ricorda_" + std::to_string(getpid()));
        fs::create_directories(cartella);
        f.Servizi.Impostazioni = &imp;
        f.Servizi.SceltaFile = [this](const RichiestaDialogo&) -> std::optional<std::string> {
            if (risposte.empty()) return std::nullopt;
            std::string p = risposte.front();
            risposte.erase(risposte.begin());
            return p;
        };
    }
    ~ModelloRicorda() override { fs::remove_all(cartella); }

    fs::path Copia(const std::string& esempio, const std::string& nome) {
        const fs::path p = cartella / nome;
        fs::copy_file(Esempi + esempio, p, fs::copy_options::overwrite_existing);
        return p;
    }

    std::shared_ptr<ArchivioMemoria> archivio;
    ImpostazioniUtente imp;
    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
    fs::path cartella;
    Testi risposte;
};

TEST_F(ModelloRicorda, ApertoESalvatoVannoInCima) {
    const fs::path a = Copia("mensola.zlv", "a.zlv"), b = Copia("incastro-incastro.zlv", "b.zlv");
    ASSERT_TRUE(f.ApriFileDati(a.string()));
    ASSERT_TRUE(f.ApriFileDati(b.string()));
    EXPECT_EQ(imp.FileRecenti(), (Testi{b.string(), a.string()}));
    // "S&alva come..." under a new name: that name on top.
    const fs::path c = cartella / "c.zlv";
    ASSERT_TRUE(f.FileSalvaCome(c.string()));
    EXPECT_EQ(imp.FileRecenti(), (Testi{c.string(), b.string(), a.string()}));
    // "&Salva" of a file further down moves it up again.
    ASSERT_TRUE(f.ApriFileDati(a.string()));
    ASSERT_TRUE(f.FileSalva());
    EXPECT_EQ(imp.FileRecenti(), (Testi{a.string(), c.string(), b.string()}));
}

TEST_F(ModelloRicorda, FileMancanteTolto) {
    const fs::path a = Copia("mensola.zlv", "a.zlv"), b = Copia("mensola.zlv", "b.zlv");
    imp.AggiungiRecente(a.string());
    imp.AggiungiRecente(b.string());
    fs::remove(a);
    f.InizializzaForm();
    const uint64_t rev = f.Revisione();
    EXPECT_FALSE(ApriFileRecente(f, imp, a.string()));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo,
              "Il file " + a.string() + " non esiste più ed è stato tolto dai file recenti.");
    EXPECT_FALSE(msg.elenco[0].domanda); // no question about unsaved data before it
    EXPECT_EQ(imp.FileRecenti(), Testi{b.string()});
    EXPECT_EQ(f.PercorsoFile, "");
    EXPECT_GT(f.Revisione(), rev); // an event: the view re-reads the list
}

TEST_F(ModelloRicorda, ScelteChiedeSeSalvarePoiApre) {
    const fs::path a = Copia("mensola.zlv", "a.zlv"), b = Copia("incastro-incastro.zlv", "b.zlv");
    ASSERT_TRUE(f.ApriFileDati(a.string()));
    ASSERT_TRUE(f.ApriFileDati(b.string()));
    f.Campo_Edita(f.txtTitolo, "modificato");
    msg.elenco.clear();
    // Cancel: the question, and nothing opened.
    EXPECT_FALSE(ApriFileRecente(f, imp, a.string()));
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo, "I dati sono stati modificati. Salvare le modifiche?");
    EXPECT_EQ(f.PercorsoFile, b.string());
    EXPECT_EQ(f.txtTitolo.testo, "modificato");
    // No: the edit is dropped and a.zlv opened, now first in the list.
    msg.elenco.clear();
    msg.risposteAnnulla.push_back(Risposta::No);
    EXPECT_TRUE(ApriFileRecente(f, imp, a.string()));
    EXPECT_EQ(f.PercorsoFile, a.string());
    EXPECT_EQ(imp.FileRecenti(), (Testi{a.string(), b.string()}));
    EXPECT_FALSE(f.DatiModificati());
}

TEST_F(ModelloRicorda, AvvioSenzaFileDallaCartellaEUnitaRicordate) {
    imp.RicordaCartella(cartella.string());
    archivio->liste["UnitaNuovoProblema"] = {"cm", "kPa", "N", "mm"};
    archivio->valori["SenzaUnitaNuovoProblema"] = "0";
    f.Avvio({}, true);
    EXPECT_EQ(f.CartellaDati, cartella.string());
    EXPECT_EQ(f.Unita.UnitaModello, (std::array<std::string, 5>{"cm", "kPa", "t", "N", "mm"}));
    EXPECT_EQ(f.lblLuce, "cm");
}

TEST_F(ModelloRicorda, AvvioSenzaNienteRicordato) {
    // Witness: the current directory and the default labels.
    f.Avvio({}, true);
    EXPECT_EQ(f.CartellaDati, fs::current_path().string());
    EXPECT_EQ(f.Unita.UnitaModello, (std::array<std::string, 5>{"m", "MPa", "t", "kN", "cm"}));
}

TEST_F(ModelloRicorda, UnitaConfermateRicordate) {
    f.Avvio({}, true);
    f.frmUnits_Apri();
    f.frmUnits.scelta = {2, 0, 2, 1};
    f.frmUnits_OK();
    EXPECT_EQ(archivio->liste["UnitaNuovoProblema"], (Testi{"mm", "Pa", "MN", "cm"}));
    // The next run starts from them.
    ModuloZelvo m2;
    UnitMisura u2;
    RegistroMessaggi msg2;
    ModelloForm f2(m2, u2, msg2);
    ImpostazioniUtente imp2(archivio);
    f2.Servizi.Impostazioni = &imp2;
    f2.Avvio({}, true);
    EXPECT_EQ(f2.Unita.UnitaModello, (std::array<std::string, 5>{"mm", "Pa", "t", "MN", "cm"}));
}

// Everything a file brings, as the window shows it.
std::string Vista(const ModelloForm& f) {
    std::string s = f.txtTitolo.testo;
    for (const auto& c : f.txtDati)
        s += "|" + c.testo;
    for (const auto& g : f.FlexGrid)
        for (const auto& r : g.Testi(1, 1))
            for (const auto& t : r)
                s += "," + t;
    for (const auto& c : f.txtWinkler)
        s += "|" + c.testo;
    s += "|" + f.Travata.txtCampate.testo;
    for (const auto& g : f.Travata.Griglia)
        for (const auto& r : g.Testi(1, 1))
            for (const auto& t : r)
                s += "," + t;
    s += "|" + std::to_string(f.Optschema) + (f.Unita.SenzaUnita ? "S" : "U");
    for (const auto& l : f.Unita.UnitaModello)
        s += "|" + l;
    return s;
}

class FileIndipendente : public ::testing::TestWithParam<const char*> {};

// A file opens the same whatever units are remembered: the witness is the
// same file opened by a model that remembers nothing.
TEST_P(FileIndipendente, StessiDatiEUnita) {
    const std::string esempio = Esempi + GetParam();
    ModuloZelvo m0;
    UnitMisura u0;
    RegistroMessaggi msg0;
    ModelloForm senza(m0, u0, msg0);
    senza.Avvio({esempio}, true);
    const std::string atteso = Vista(senza);

    for (const Testi& ricordate : {Testi{"mm", "kPa", "MN", "mm"}, Testi{"cm", "Pa", "N", "m"},
                                   Testi{"m", "MPa", "kN", "cm"}}) {
        for (const char* modo : {"0", "1"}) {
            auto archivio = std::make_shared<ArchivioMemoria>();
            archivio->liste["UnitaNuovoProblema"] = ricordate;
            archivio->valori["SenzaUnitaNuovoProblema"] = modo;
            ImpostazioniUtente imp(archivio);
            ModuloZelvo m1;
            UnitMisura u1;
            RegistroMessaggi msg1;
            ModelloForm con(m1, u1, msg1);
            con.Servizi.Impostazioni = &imp;
            con.Avvio({esempio}, true);
            EXPECT_EQ(Vista(con), atteso) << ricordate[0] << " " << modo;
            // Opened again from "Apri" after a new problem in other units.
            con.FileNuovo();
            con.ApriFileDati(esempio);
            EXPECT_EQ(Vista(con), atteso) << ricordate[0] << " " << modo;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Esempi, FileIndipendente,
                         ::testing::Values("appoggio-appoggio.zlv", "mensola.zlv",
                                           "fondazione-winkler.zlv", "trave-continua.zlv"));

} // namespace
