// The command table: the menus it describes (captions, order, separators,
// keys, toolbar) as the window has always shown them, which commands take E
// and J back from the section window, when a command can be chosen, and
// each command reaching its own operation through `Esegui`.
#include "form/comandi.h"
#include "form/modello_form.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using namespace zelvo;
namespace fs = std::filesystem;
using Testi = std::vector<std::string>;

namespace {

std::vector<const VoceComando*> Di(MenuComando m) {
    std::vector<const VoceComando*> v;
    for (const VoceComando& c : Comandi())
        if (c.menu == m) v.push_back(&c);
    return v;
}

// A menu as the window shows it: its captions, "-" for a separator.
Testi Menu(MenuComando m) {
    Testi t;
    for (const VoceComando* c : Di(m)) {
        if (c->separatorePrima) t.push_back("-");
        t.push_back(CaptionComando(*c));
    }
    return t;
}

} // namespace

// The menus in the order and with the captions the window has always had
// (the File items were numbered by position, separators included: 0..3,
// 5, 6, then "Relazione PDF" added after 6, 8..10, 12).
TEST(TabellaComandi, MenuComePrima) {
    EXPECT_EQ(
        Menu(MenuComando::File),
        (Testi{"&Nuovo", "&Apri", "&Salva", "S&alva come...", "-", "Stam&pa",
               "&File di stampa (TXT)", "Relazione &PDF...", "-", "&Disegna Diagrammi in Autocad",
               "Stampa &Diagrammi", "E&xporta Diagrammi in DXF", "-", "&Esci"}));
    EXPECT_EQ(Menu(MenuComando::Barra), Testi{"&Unità"});
    EXPECT_EQ(Menu(MenuComando::Opzioni),
              (Testi{"&Scelta scale dwg, dxf", "&Combinazioni...", "&Verifiche..."}));
    EXPECT_EQ(Menu(MenuComando::Aiuto), (Testi{"&Aiuto", "&Files di esempio", "&Informazioni"}));
    EXPECT_EQ(Menu(MenuComando::Finestra), Testi{"Calcola"});
    EXPECT_EQ(TitoloMenu(MenuComando::File), "&File");
    EXPECT_EQ(TitoloMenu(MenuComando::Opzioni), "&Opzioni");
    EXPECT_EQ(TitoloMenu(MenuComando::Aiuto), "&?");
    EXPECT_EQ(TitoloMenu(MenuComando::Barra), "");
}

// Every command once, each with its own caption entry.
TEST(TabellaComandi, OgniComandoUnaVolta) {
    std::set<Comando> visti;
    std::set<std::pair<std::string_view, int>> testi;
    for (const VoceComando& v : Comandi()) {
        EXPECT_TRUE(visti.insert(v.comando).second) << CaptionComando(v);
        EXPECT_TRUE(testi.insert({v.controllo, v.indice}).second) << CaptionComando(v);
        EXPECT_EQ(&VoceDi(v.comando), &v);
        EXPECT_EQ(ComandoDaTesto(v.controllo, v.indice), v.comando);
        EXPECT_NE(v.esegui, nullptr);
        EXPECT_NE(v.abilitato, nullptr);
    }
    EXPECT_EQ(visti.size(), size_t(Comando::Calcola) + 1);
    // The old numbers without an item: the separators.
    for (int i : {4, 7, 11, 14, -1})
        EXPECT_FALSE(ComandoDaTesto("MnuFileItem", i)) << i;
}

// The keys: the desktop's standard ones of the File commands, F1 and F5.
TEST(TabellaComandi, Tasti) {
    std::map<Comando, std::string_view> tasti;
    for (const VoceComando& v : Comandi())
        if (!v.tasto.empty()) tasti[v.comando] = v.tasto;
    const std::map<Comando, std::string_view> attesi{
        {Comando::Nuovo, "Ctrl+N"},  {Comando::Apri, "Ctrl+O"},
        {Comando::Salva, "Ctrl+S"},  {Comando::SalvaCome, "Ctrl+Shift+S"},
        {Comando::Stampa, "Ctrl+P"}, {Comando::Esci, "Ctrl+Q"},
        {Comando::Aiuto, "F1"},      {Comando::Calcola, "F5"}};
    EXPECT_EQ(tasti, attesi);
    // A desktop key set only beside a key of its own.
    for (const VoceComando& v : Comandi())
        EXPECT_EQ(v.standard == TastoStandard::Nessuno,
                  v.tasto.empty() || v.comando == Comando::Calcola)
            << CaptionComando(v);
    EXPECT_EQ(Acceleratore(VoceDi(Comando::SalvaCome)), 'a');
    EXPECT_EQ(Acceleratore(VoceDi(Comando::DiagrammiDxf)), 'x');
    EXPECT_EQ(Acceleratore(VoceDi(Comando::Calcola)), '\0');
}

// The toolbar: "Nuovo", "Apri", "Salva", "Stampa" in this order, each with
// its own button text.
TEST(TabellaComandi, Barra) {
    std::vector<std::pair<Comando, int>> barra;
    for (const VoceComando& v : Comandi())
        if (v.barra >= 0) barra.emplace_back(v.comando, v.barra);
    EXPECT_EQ(
        barra,
        (std::vector<std::pair<Comando, int>>{
            {Comando::Nuovo, 0}, {Comando::Apri, 1}, {Comando::Salva, 2}, {Comando::Stampa, 3}}));
    for (const VoceComando& v : Comandi())
        EXPECT_EQ(v.icona.empty(), v.barra < 0) << CaptionComando(v);
}

// The section window hands E and J back before the problem is replaced,
// saved or closed: among the File items exactly "Nuovo", "Apri", "Salva",
// "Salva come" and "Esci"; among the others the example files (which
// replace the problem) and the combinations dialog (which takes the
// section's area and density for the self-weight).
TEST(TabellaComandi, RipresaSezione) {
    std::set<Comando> file, altri;
    for (const VoceComando& v : Comandi())
        if (v.ripresaSezione) (v.menu == MenuComando::File ? file : altri).insert(v.comando);
    EXPECT_EQ(file, (std::set<Comando>{Comando::Nuovo, Comando::Apri, Comando::Salva,
                                       Comando::SalvaCome, Comando::Esci}));
    EXPECT_EQ(altri, (std::set<Comando>{Comando::Esempi, Comando::Combinazioni}));
}

class Comandi_ : public ::testing::Test {
  protected:
    Comandi_() : f(m, u, msg) {
        f.InizializzaForm();
        cartella = fs::temp_directory_path() / ("zelvo_comandi_" + std::to_string(getpid()));
        fs::create_directories(cartella);
        f.CartellaDati = cartella.string();
        f.Servizi.SceltaFile = [this](const RichiestaDialogo& r) -> std::optional<std::string> {
            dialoghi.push_back((r.salva ? "salva." : "apri.") + r.estensione);
            return std::nullopt;
        };
        f.Servizi.MostraUnita = [this](bool modale) {
            finestre.push_back(modale ? "unita modale" : "unita");
        };
        f.Servizi.MostraScale = [this] { finestre.push_back("scale"); };
        f.Servizi.MostraCombinazioni = [this] { finestre.push_back("combinazioni"); };
        f.Servizi.MostraVerifiche = [this] { finestre.push_back("verifiche"); };
        f.Servizi.MostraAiuto = [this](int a) { finestre.push_back("aiuto " + std::to_string(a)); };
        f.Servizi.MostraInformazioni = [this] { finestre.push_back("informazioni"); };
        f.Servizi.StampanteSistema = &stampante;
        uscita.Servizi().Salva = [this](const std::string& nome, const std::string&, int) {
            dialoghi.push_back("diagrammi " + nome);
            return std::optional<std::string>();
        };
        uscita.Servizi().Cad = [this]() -> std::unique_ptr<ApplicazioneCad> {
            finestre.push_back("cad");
            return nullptr;
        };
        f.Servizi.Uscita = &uscita;
        f.Servizi.RiprendiSezione = [this] {
            ++riprese;
            return sezioneChiude;
        };
    }
    ~Comandi_() override { fs::remove_all(cartella); }
    // A cantilever that calculates, shown as an opened file shows it.
    void Mensola() {
        DatiTrave d = prova::Base(zelvo::Mensola, "mensola");
        prova::Forza(d, 10, 5);
        f.InizializzaForm();
        m.Dati = d;
        f.ScriveDatiInForm();
    }

    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
    fs::path cartella;
    Testi dialoghi, finestre;
    RegistroStampante stampante;
    UscitaDiagrammi uscita{msg};
    int riprese = 0;
    bool sezioneChiude = true;
};

// Each command reaches its own operation: the dialog it asks, the window it
// opens, the printer or the diagram output it drives.
TEST_F(Comandi_, OgniComandoLaSuaOperazione) {
    Mensola();
    f.Servizi.ScriviProgetto = [](ModelloForm&, const std::string&) { return true; };
    msg.risposteAnnulla.assign(10, Risposta::No); // unsaved work: not saved
    struct Atteso {
        Comando c;
        Testi dialoghi, finestre;
        size_t stampati;
    };
    const Atteso attesi[] = {
        {Comando::Apri, {"apri.zlv"}, {}, 0},
        {Comando::Salva, {"salva.zlv"}, {}, 0}, // a new problem: "Salva come"
        {Comando::SalvaCome, {"salva.zlv"}, {}, 0},
        {Comando::Stampa, {}, {}, 1},
        {Comando::FileStampaTxt, {"salva.txt"}, {}, 0},
        {Comando::RelazionePdf, {"salva.pdf"}, {}, 0},
        {Comando::DiagrammiCad, {}, {"cad"}, 0},
        {Comando::DiagrammiStampante, {}, {}, 0},
        {Comando::DiagrammiDxf, {"diagrammi .dxf"}, {}, 0},
        {Comando::Unita, {}, {"unita"}, 0},
        {Comando::Scale, {}, {"scale"}, 0},
        {Comando::Combinazioni, {}, {"combinazioni"}, 0},
        {Comando::Verifiche, {}, {"verifiche"}, 0},
        {Comando::Aiuto, {}, {"aiuto 1"}, 0},
        {Comando::Esempi, {"apri.zlv"}, {}, 0},
        {Comando::Informazioni, {}, {"informazioni"}, 0},
    };
    for (const Atteso& a : attesi) {
        dialoghi.clear();
        finestre.clear();
        stampante.stampati.clear();
        msg.Svuota();
        f.Esegui(a.c);
        EXPECT_EQ(dialoghi, a.dialoghi) << CaptionComando(VoceDi(a.c));
        EXPECT_EQ(finestre, a.finestre) << CaptionComando(VoceDi(a.c));
        EXPECT_EQ(stampante.stampati.size(), a.stampati) << CaptionComando(VoceDi(a.c));
    }
    // The diagrams' printer: none plugged in, its message.
    msg.Svuota();
    EXPECT_FALSE(f.Esegui(Comando::DiagrammiStampante));
    EXPECT_EQ(msg.Testi(), Testi{TestoStampanteAssente});
    // "Calcola": the results of the problem shown.
    f.FrameRisultati(false);
    EXPECT_TRUE(f.Esegui(Comando::Calcola));
    EXPECT_TRUE(f.Calcolato && f.FrameRis);
    // "Nuovo" empties the problem, "Esci" closes the window.
    EXPECT_TRUE(f.Esegui(Comando::Nuovo));
    EXPECT_EQ(f.FlexGrid[1].Righe(), 1);
    EXPECT_FALSE(f.Chiuso);
    EXPECT_TRUE(f.Esegui(Comando::Esci));
    EXPECT_TRUE(f.Chiuso);
}

// The section window is asked to hand E and J back exactly before the
// commands that say so; when it keeps them (a refused field) nothing runs.
TEST_F(Comandi_, RipresaSezionePrimaDelComando) {
    for (const VoceComando& v : Comandi()) {
        if (v.comando == Comando::Esci) continue; // (it would close the window)
        riprese = 0;
        f.Esegui(v.comando);
        EXPECT_EQ(riprese, v.ripresaSezione ? 1 : 0) << CaptionComando(v);
    }
    sezioneChiude = false;
    f.Campo_Edita(f.txtTitolo, "mia trave");
    dialoghi.clear();
    msg.Svuota();
    for (Comando c : {Comando::Nuovo, Comando::Apri, Comando::Salva, Comando::SalvaCome,
                      Comando::Esci, Comando::Esempi})
        EXPECT_FALSE(f.Esegui(c)) << CaptionComando(VoceDi(c));
    EXPECT_TRUE(dialoghi.empty());
    EXPECT_EQ(f.txtTitolo.testo, "mia trave");
    EXPECT_FALSE(f.Chiuso);
    EXPECT_TRUE(msg.elenco.empty()); // not even the unsaved-work question
}

// The old numbers of the File and "?" items reach the same commands.
TEST_F(Comandi_, NumeriDelleVoci) {
    f.mnuFileItem_Click(1);
    f.mnuFileItem_Click(3);
    f.mnuAiutoItem_Click(0);
    f.mnuAiutoItem_Click(2);
    EXPECT_FALSE(f.mnuFileItem_Click(4)); // a separator
    EXPECT_EQ(dialoghi, (Testi{"apri.zlv", "salva.zlv"}));
    EXPECT_EQ(finestre, (Testi{"aiuto 1", "informazioni"}));
}

// "Calcola" cannot be chosen while a calculation runs its passes; the other
// commands can always be chosen (a command refused while busy does nothing).
TEST_F(Comandi_, Abilitazione) {
    for (const VoceComando& v : Comandi())
        EXPECT_TRUE(v.abilitato(f)) << CaptionComando(v);
    // A stiff foundation on soil without tension loaded near one end lifts
    // off: it calculates in passes.
    DatiTrave d = prova::Base(4, "");
    d.Luce = 10;
    d.J = 1;
    d.Winkler = true;
    d.ReagTraz = false;
    d.K = 1e7;
    d.b = 1;
    d.NDivisioni = 50;
    prova::Forza(d, 100000, 0.5f);
    f.InizializzaForm();
    m.Dati = d;
    f.ScriveDatiInForm();
    int passi = 0;
    f.Servizi.EventiInSospeso = [&] {
        ++passi;
        EXPECT_FALSE(VoceDi(Comando::Calcola).abilitato(f));
        EXPECT_TRUE(VoceDi(Comando::Nuovo).abilitato(f));
        EXPECT_FALSE(f.Esegui(Comando::Nuovo)); // refused while busy
    };
    f.Esegui(Comando::Calcola);
    EXPECT_GT(passi, 0);
    EXPECT_TRUE(VoceDi(Comando::Calcola).abilitato(f));
}
