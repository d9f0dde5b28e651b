// Opening data files in the window: a damaged file (an example cut at every
// byte count) becomes a problem without a name or leaves the open problem as
// it was, and is never written over; the save dialogs' extension; the scheme
// picture and the "Distanze parziali" box. Witnesses: the file's bytes before
// and after, the file read on its own by the project reader, the window's
// state taken before the opening.
#include "form/modello_form.h"
#include "io/file_atomico.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;
using Testi = std::vector<std::string>;

namespace {

const std::string Esempi = std::string(ZELVO_SOURCE_DIR) + "/examples/";

std::string Byte(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void ScriviByte(const fs::path& p, const std::string& b) {
    std::ofstream(p, std::ios::binary | std::ios::trunc) << b;
}

// Everything of the window a user sees or saves, as text.
std::string Vista(const ModelloForm& f) {
    std::string s = f.Caption + "|" + f.NomeFile + "|" + f.PercorsoFile + "|" + f.txtTitolo.testo;
    for (const auto& c : f.txtDati)
        s += "|" + c.testo;
    for (const auto& c : f.txtRigheGriglia)
        s += "|" + c.testo;
    for (const auto& g : f.FlexGrid) {
        s += "|" + std::to_string(g.Righe()) + (g.visibile ? "v" : "h");
        for (const auto& r : g.Testi(1, 1))
            for (const auto& t : r)
                s += "," + t;
    }
    for (const auto& c : f.txtWinkler)
        s += "|" + c.testo;
    s += "|" + f.txtX[0].testo + "|" + std::to_string(f.Optschema) + std::to_string(f.OptFond) +
         std::to_string(f.Figura.schema) + (f.Figura.parziali ? "p" : "a") +
         (f.chkDistanzeParziali ? "P" : "A") + (f.Unita.SenzaUnita ? "S" : "U");
    for (const auto& u : f.Unita.UnitaModello)
        s += "|" + u;
    return s;
}

class Apertura : public ::testing::Test {
  protected:
    Apertura() : f(m, u, msg) {
        cartella = fs::temp_directory_path() / ("zelvo_apertura_" + std::to_string(getpid()));
        fs::create_directories(cartella);
        f.InizializzaForm();
        f.Servizi.SceltaFile = [this](const RichiestaDialogo& r) -> std::optional<std::string> {
            richieste.push_back(r);
            if (risposte.empty()) return std::nullopt;
            std::string p = risposte.front();
            risposte.erase(risposte.begin());
            return p;
        };
    }
    ~Apertura() override { fs::remove_all(cartella); }

    ModuloZelvo m;
    UnitMisura u;
    RegistroMessaggi msg;
    ModelloForm f;
    fs::path cartella;
    std::vector<RichiestaDialogo> richieste;
    Testi risposte;
};

// The example cut at every byte count: opened as a problem without a name
// showing exactly what the reader gives, or refused with the window as it
// was; the cut file never changes, not even after "Salva".
TEST_F(Apertura, FileTagliatoAOgniByte) {
    const std::string intero = Byte(Esempi + "fondazione-winkler.zlv");
    ASSERT_GT(intero.size(), 200u);
    const fs::path prima = cartella / "prima.zlv", tagliato = cartella / "tagliato.zlv";
    fs::copy_file(Esempi + "mensola.zlv", prima);
    const std::string bytePrima = Byte(prima);
    int parziali = 0, rifiutati = 0;
    for (size_t n = 0; n <= intero.size(); ++n) {
        const std::string parte = intero.substr(0, n);
        ScriviByte(tagliato, parte);
        // The open problem: a file of its own, with an edit not yet saved.
        ASSERT_TRUE(f.ApriFileDati(prima.string()));
        f.Campo_Edita(f.txtTitolo, "modificato " + std::to_string(n));
        const std::string vista = Vista(f);
        ASSERT_TRUE(f.DatiModificati());
        msg.elenco.clear();

        // The witness: the same bytes read on their own, from an empty record.
        DatiTrave atteso;
        int16_t nSezioni = 100;
        UnitMisura ua;
        std::string versione;
        zelvo::RecordProperty sezione;
        sezione.Versione = &versione;
        RegistroMessaggi muti;
        const EsitoProgetto e = LeggiFileProgetto(
            tagliato, ProgettoFile{atteso, nSezioni, ua, versione, &sezione}, muti);

        const bool aperto = f.ApriFileDati(tagliato.string());
        EXPECT_EQ(Byte(tagliato), parte) << n;
        if (!aperto) {
            ++rifiutati;
            EXPECT_EQ(e, EsitoProgetto::IntestazioneIlleggibile) << n;
            EXPECT_EQ(Vista(f), vista) << n;
            EXPECT_TRUE(f.DatiModificati()) << n;
            EXPECT_EQ(f.PercorsoFile, prima.string()) << n;
            // "Salva" writes the problem's own file, not the cut one.
            ASSERT_TRUE(f.FileSalva()) << n;
            EXPECT_TRUE(richieste.empty()) << n;
            continue;
        }
        ASSERT_NE(e, EsitoProgetto::IntestazioneIlleggibile) << n;
        EXPECT_EQ(f.EsitoLettura, e) << n;
        const DatiTrave& d = m.Dati;
        EXPECT_EQ(f.txtTitolo.testo, atteso.Titolo) << n;
        EXPECT_EQ(f.NSezioni, nSezioni) << n;
        EXPECT_EQ(f.txtDati[3].testo, std::to_string(nSezioni)) << n;
        EXPECT_EQ(std::tuple(d.E, d.J, d.Luce), std::tuple(atteso.E, atteso.J, atteso.Luce)) << n;
        EXPECT_EQ(f.Optschema, atteso.Vincoli) << n;
        EXPECT_EQ(f.chkDistanzeParziali, atteso.DistanzeParziali) << n;
        const int16_t conte[3] = {atteso.NTrapezi, atteso.NConcentrati, atteso.NCoppie};
        for (size_t t = 0; t < 3; ++t) {
            EXPECT_EQ(f.txtRigheGriglia[t].testo, std::to_string(conte[t])) << n << " " << t;
            EXPECT_EQ(f.FlexGrid[t].Righe(), conte[t] + 1) << n << " " << t;
            EXPECT_EQ(f.FlexGrid[t].visibile, conte[t] > 0) << n << " " << t;
        }
        for (int i = 1; i <= atteso.NConcentrati; ++i)
            EXPECT_EQ(f.FlexGrid[1].Scritto(i, 1)->assoluto, atteso.CarichiConcentrati(i).F) << n;
        EXPECT_FALSE(f.DatiModificati()) << n;
        // What is shown is what the window reads back, at once.
        ASSERT_TRUE(f.LeggeDati()) << n;
        EXPECT_EQ(d.CarichiTrapezi.Conta(), atteso.NTrapezi) << n;
        EXPECT_EQ(d.CarichiConcentrati.Conta(), atteso.NConcentrati) << n;
        if (e == EsitoProgetto::Completo) {
            EXPECT_EQ(f.NomeFile, "tagliato") << n;
            continue;
        }
        ++parziali;
        EXPECT_EQ(std::tuple(f.NomeFile, f.PercorsoFile, f.Caption),
                  std::tuple(std::string(), std::string(), std::string("Trave Zelvo - File: ")))
            << n;
        // "Salva" asks for a name; the answer is written, the cut file is not.
        const fs::path nuovo = cartella / ("nuovo" + std::to_string(n) + ".zlv");
        risposte = {nuovo.string()};
        ASSERT_TRUE(f.FileSalva()) << n;
        ASSERT_EQ(richieste.size(), 1u) << n;
        EXPECT_TRUE(richieste[0].salva);
        richieste.clear();
        EXPECT_TRUE(fs::exists(nuovo)) << n;
        EXPECT_EQ(Byte(tagliato), parte) << n;
        EXPECT_EQ(f.PercorsoFile, nuovo.string()) << n;
    }
    EXPECT_GT(parziali, 100);
    EXPECT_GT(rifiutati, 0);
    EXPECT_NE(Byte(prima), bytePrima); // the edited title went to its own file
}

// A file that is not a data file leaves the window exactly as it was.
TEST_F(Apertura, NonUnFileDiDati) {
    ASSERT_TRUE(f.ApriFileDati(Esempi + "fondazione-rigida.zlv"));
    f.Campo_Edita(f.txtDati[0], "7");
    const std::string vista = Vista(f);
    const fs::path altro = cartella / "hostname";
    ScriviByte(altro, "macchina\n");
    EXPECT_FALSE(f.ApriFileDati(altro.string()));
    EXPECT_EQ(msg.Testi(), Testi{"Lettura incompleta del file"});
    EXPECT_EQ(Vista(f), vista);
    EXPECT_TRUE(f.DatiModificati());
    EXPECT_EQ(Byte(altro), "macchina\n");
}

// The command line with a damaged file: the readable part without a name; a
// file without a readable header: the empty problem.
TEST_F(Apertura, RigaDiComandoConFileDanneggiato) {
    const std::string intero = Byte(Esempi + "appoggio-appoggio.zlv");
    const fs::path p = cartella / "danneggiato.zlv";
    const std::string parte = intero.substr(0, intero.size() / 2);
    ScriviByte(p, parte);
    f.Avvio({p.string()}, true);
    EXPECT_EQ(f.EsitoLettura, EsitoProgetto::Parziale);
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: ");
    EXPECT_TRUE(f.NomeFile.empty() && f.PercorsoFile.empty());
    EXPECT_FALSE(f.txtTitolo.testo.empty());
    EXPECT_EQ(Byte(p), parte);

    ScriviByte(p, "");
    ModuloZelvo m2;
    UnitMisura u2;
    RegistroMessaggi msg2;
    ModelloForm g(m2, u2, msg2);
    g.Avvio({p.string()}, true);
    EXPECT_EQ(g.Caption, "Trave Zelvo - File: ");
    EXPECT_TRUE(g.txtTitolo.testo.empty());
    EXPECT_EQ(g.txtRigheGriglia[1].testo, "0");
}

// A name typed without an extension gets the format's one; a name with an
// extension keeps it.
TEST(Estensione, SoloQuandoManca) {
    struct Caso {
        const char* scelto;
        const char* estensione;
        const char* atteso;
    };
    for (const Caso& c : std::vector<Caso>{
             {"mia", "zlv", "mia.zlv"},
             {"/tmp/mia", "zlv", "/tmp/mia.zlv"},
             {"/tmp/mia.zlv", "zlv", "/tmp/mia.zlv"},
             {"/tmp/mia.dat", "zlv", "/tmp/mia.dat"},
             {"/tmp/cartella.v2/mia", "txt", "/tmp/cartella.v2/mia.txt"},
             {"/tmp/mia.", "pdf", "/tmp/mia.pdf"},
             {"/tmp/.nascosto", "dxf", "/tmp/.nascosto.dxf"},
             {"rel.TXT", "txt", "rel.TXT"},
         })
        EXPECT_EQ(ConEstensione(c.scelto, c.estensione), c.atteso) << c.scelto;
    // Through the dialog: only a save dialog's answer changes.
    const SceltaFile dialogo = [](const RichiestaDialogo&) { return std::string("/tmp/mia"); };
    EXPECT_EQ(ChiediFile(dialogo, RichiestaFile(true, FiltroFile("Zelvo", "zlv"), "", "zlv")),
              "/tmp/mia.zlv");
    EXPECT_EQ(ChiediFile(dialogo, RichiestaFile(false, FiltroFile("Zelvo", "zlv"), "", "zlv")),
              "/tmp/mia");
}

// "Salva come" and the text report with a name typed without extension.
TEST_F(Apertura, SalvaComeAggiungeLEstensione) {
    ASSERT_TRUE(f.ApriFileDati(Esempi + "mensola.zlv"));
    risposte = {(cartella / "mia").string(), (cartella / "copia.zlv").string()};
    ASSERT_TRUE(f.FileSalvaCome());
    EXPECT_TRUE(fs::exists(cartella / "mia.zlv"));
    EXPECT_FALSE(fs::exists(cartella / "mia"));
    EXPECT_EQ(f.PercorsoFile, (cartella / "mia.zlv").string());
    EXPECT_EQ(f.Caption, "Trave Zelvo - File: mia");
    ASSERT_TRUE(f.FileSalvaCome());
    EXPECT_TRUE(fs::exists(cartella / "copia.zlv"));
    EXPECT_FALSE(fs::exists(cartella / "copia.zlv.zlv"));
    EXPECT_EQ(Byte(cartella / "copia.zlv"), Byte(cartella / "mia.zlv"));
    f.Servizi.StampaRelazione = [](const ModelloForm&, const std::string& p, Messaggi&) {
        ScriviByte(p, "relazione");
        return true;
    };
    risposte = {(cartella / "relazione").string()};
    ASSERT_TRUE(f.FileStampaTxt());
    EXPECT_EQ(Byte(cartella / "relazione.txt"), "relazione");
}

// The scheme picture shows partial distances exactly when the box is ticked:
// after the start-up, "Nuovo", a click on the box and an opened file.
TEST_F(Apertura, FiguraSegueDistanzeParziali) {
    const auto coerente = [&](int schema) {
        EXPECT_EQ(f.Figura.parziali, f.chkDistanzeParziali) << f.Figura.schema;
        EXPECT_EQ(f.Figura.schema, schema) << f.Figura.parziali;
    };
    f.Avvio({}, true);
    EXPECT_TRUE(f.chkDistanzeParziali);
    coerente(0);
    f.Optschema_Click(3);
    coerente(3);
    msg.risposteAnnulla = {Risposta::No};
    ASSERT_TRUE(f.mnuFileItem_Click(0)); // "Nuovo", the changes dropped
    EXPECT_EQ(f.Optschema, 0);
    coerente(0);
    f.chkDistanzeParziali_Click(false);
    EXPECT_FALSE(f.chkDistanzeParziali);
    coerente(0);
    f.chkDistanzeParziali_Click(true);
    coerente(0);
    // The foundation on elastic soil (picture 5), then a beam file.
    ASSERT_TRUE(f.ApriFileDati(Esempi + "fondazione-winkler.zlv"));
    coerente(5);
    f.chkDistanzeParziali_Click(!f.chkDistanzeParziali);
    coerente(5);
    ASSERT_TRUE(f.ApriFileDati(Esempi + "mensola.zlv"));
    coerente(3);
    // "Nuovo" from a foundation: the first scheme, no foundation frame.
    ASSERT_TRUE(f.ApriFileDati(Esempi + "fondazione-rigida.zlv"));
    f.FileNuovo();
    EXPECT_EQ(m.Dati.Vincoli, 0);
    EXPECT_FALSE(f.fraWinkler);
    coerente(0);
}

} // namespace
