// Where the program keeps its files: the shipped data (beside the program or
// installed) and the user's own materials file in the user's data folder,
// started from the shipped defaults, saved there and read back at the next
// start.
#include "form/finestra_property.h"

#include "io/generale.h"
#include "io/numeri.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

const fs::path Predefiniti =
    fs::path(ZELVO_SOURCE_DIR) / "section" / "dati" / "VantrexMateriali.txt";

std::string Byte(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// An environment variable set for one test and put back afterwards.
class Variabile {
  public:
    Variabile(const char* nome, const std::optional<std::string>& valore) : nome_(nome) {
        if (const char* v = std::getenv(nome)) prima_ = v;
        if (valore)
            ::setenv(nome, valore->c_str(), 1);
        else
            ::unsetenv(nome);
    }
    ~Variabile() {
        if (prima_)
            ::setenv(nome_, prima_->c_str(), 1);
        else
            ::unsetenv(nome_);
    }

  private:
    const char* nome_;
    std::optional<std::string> prima_;
};

struct CartellaTemporanea {
    fs::path p = fs::temp_directory_path() /
                 ("zelvo_dati_utente_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    CartellaTemporanea() {
        fs::remove_all(p);
        fs::create_directories(p);
    }
    ~CartellaTemporanea() { fs::remove_all(p); }
};

} // namespace

// XDG_DATA_HOME when set to an absolute folder, otherwise HOME's
// .local/share (a relative or empty XDG_DATA_HOME is ignored, as the
// desktop's base-directory rules say).
TEST(CartellaDatiUtente, XdgPoiHome) {
    Variabile home("HOME", "/home/ingegnere");
    {
        Variabile xdg("XDG_DATA_HOME", "/dati/utente");
        EXPECT_EQ(CartellaDatiUtente(), "/dati/utente/zelvo");
        EXPECT_EQ(PercorsoMateriali(), fs::path("/dati/utente/zelvo/VantrexMateriali.txt"));
    }
    for (const std::optional<std::string>& x :
         {std::optional<std::string>(), std::optional<std::string>(""),
          std::optional<std::string>("relativa/dati")}) {
        Variabile xdg("XDG_DATA_HOME", x);
        EXPECT_EQ(CartellaDatiUtente(), "/home/ingegnere/.local/share/zelvo")
            << x.value_or("unset");
    }
    Variabile senzaHome("HOME", std::nullopt);
    Variabile xdg("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(CartellaDatiUtente(), "");
}

// The shipped data are found beside the test program (copied there as
// beside the program in the build tree); a name that is not there points
// into the installed data folder.
TEST(FileDati, AccantoAlProgrammaPoiInstallati) {
    EXPECT_EQ(fs::path(FileDati("profili.csv")), fs::path(CartellaProgramma()) / "profili.csv");
    EXPECT_TRUE(fs::is_directory(FileDati("examples")));
    EXPECT_EQ(fs::path(FileDati("nessun-file-simile")),
              fs::path(CartellaDatiInstallati()) / "nessun-file-simile");
    EXPECT_TRUE(fs::path(CartellaDatiInstallati()).is_absolute());
}

// The shipped materials file is exactly what the program writes for the
// eleven built-in defaults, and reads back to the same grid.
// ZELVO_RIGENERA_MATERIALI=1 rewrites it.
TEST(MaterialiPredefiniti, FileSpeditoUgualeAiDefault) {
    CartellaTemporanea t;
    UnitMisura u;
    u.UnitaDefault();
    TabellaMateriali def;
    def.Default(u);
    RegistroMessaggi msg;
    const fs::path scritto = t.p / "VantrexMateriali.txt";
    ASSERT_TRUE(FileMaterialiLeggeScrive(def, "S", msg, u, scritto));
    if (std::getenv("ZELVO_RIGENERA_MATERIALI"))
        fs::copy_file(scritto, Predefiniti, fs::copy_options::overwrite_existing);
    EXPECT_EQ(Byte(Predefiniti), Byte(scritto));
    TabellaMateriali letta;
    msg.Svuota();
    ASSERT_TRUE(FileMaterialiLeggeScrive(letta, "L", msg, u, Predefiniti));
    EXPECT_TRUE(msg.elenco.empty());
    ASSERT_EQ(letta.Righe(), def.Righe());
    for (int r = 1; r < def.Righe(); ++r)
        for (int c = 1; c <= 5; ++c)
            EXPECT_EQ(letta.Griglia.Testo(r, c), def.Griglia.Testo(r, c)) << r << "," << c;
}

namespace {

// The materials panel of a section window made as the program makes it: the
// user's file and the shipped defaults from their standard places.
struct Sessione {
    ModuloZelvo modulo;
    UnitMisura unita;
    RegistroMessaggi msg;
    std::unique_ptr<ModelloForm> trave;
    std::unique_ptr<FinestraProperty> w;
    explicit Sessione(const fs::path& predefiniti) {
        unita.UnitaDefault();
        trave = std::make_unique<ModelloForm>(modulo, unita, msg);
        trave->InizializzaForm();
        w = std::make_unique<FinestraProperty>(*trave, msg);
        w->FileMaterialiPredefiniti = predefiniti;
        w->Form_Load();
        msg.Svuota();
        w->cmdMaterials_Click();
    }
};

} // namespace

// First start: no file of the user's, the shipped defaults are shown without
// a message; a material added and saved lands in the user's data folder
// (created), and the next start shows it.
TEST(MaterialiUtente, SalvatiNellaCartellaUtenteERiletti) {
    CartellaTemporanea t;
    Variabile home("HOME", (t.p / "casa").string());
    Variabile xdg("XDG_DATA_HOME", std::nullopt);
    const fs::path atteso = t.p / "casa" / ".local" / "share" / "zelvo" / "VantrexMateriali.txt";
    {
        Sessione s(Predefiniti);
        EXPECT_EQ(s.w->FileMateriali, atteso);
        EXPECT_TRUE(s.msg.elenco.empty()) << s.msg.Testi().front();
        ASSERT_EQ(s.w->MSFlexGrid1.Righe(), 12);
        EXPECT_EQ(s.w->Text[1], "Steel");
        s.w->Text[1] = "Acciaio inox";
        s.w->Text[2] = "200000"; // MPa
        s.w->cmdAggiungi_Click();
        ASSERT_EQ(s.w->MSFlexGrid1.Righe(), 13);
        s.msg.Svuota();
        s.w->cmdSalvaMat_Click();
        EXPECT_EQ(s.msg.Testi(),
                  std::vector<std::string>{"I dati dei materiali sono stati salvati nel file " +
                                           atteso.string()});
        EXPECT_TRUE(fs::exists(atteso));
        EXPECT_NE(Byte(atteso).find("\"Acciaio inox\"\r\n2E+11,"), std::string::npos)
            << Byte(atteso);
    }
    // The shipped file is left as it was.
    EXPECT_EQ(Byte(Predefiniti).find("Acciaio inox"), std::string::npos);
    {
        Sessione s(Predefiniti);
        EXPECT_TRUE(s.msg.elenco.empty());
        ASSERT_EQ(s.w->MSFlexGrid1.Righe(), 13);
        EXPECT_EQ(s.w->MSFlexGrid1.Griglia.Testo(12, 1), "Acciaio inox");
        EXPECT_DOUBLE_EQ(ValoreNumerico(s.w->MSFlexGrid1.Griglia.Testo(12, 2), s.unita.separatori),
                         200000);
    }
}

// Neither the user's file nor the shipped one: the message names the user's
// file and the built-in defaults are shown.
TEST(MaterialiUtente, NienteFilePredefinitiInterni) {
    CartellaTemporanea t;
    Variabile xdg("XDG_DATA_HOME", t.p.string());
    Sessione s(t.p / "non-spedito.txt");
    const fs::path utente = t.p / "zelvo" / "VantrexMateriali.txt";
    EXPECT_EQ(s.msg.Testi(), std::vector<std::string>{"File " + utente.string() +
                                                      " non trovato. Vengono inseriti i "
                                                      "materiali di default"});
    EXPECT_EQ(s.w->MSFlexGrid1.Righe(), 12);
}

// A user's data folder that cannot be made (its parent is a file): the save
// is reported as failed, the grid kept, nothing written.
TEST(MaterialiUtente, CartellaImpossibileSalvataggioSegnalato) {
    CartellaTemporanea t;
    std::ofstream(t.p / "file") << "x";
    Variabile xdg("XDG_DATA_HOME", (t.p / "file").string());
    Sessione s(Predefiniti);
    const fs::path utente = t.p / "file" / "zelvo" / "VantrexMateriali.txt";
    s.w->MSFlexGrid1.Griglia.ImpostaTesto(1, 1, "Acciaio mio");
    s.msg.Svuota();
    s.w->cmdSalvaMat_Click();
    EXPECT_EQ(s.msg.Testi(),
              std::vector<std::string>{"Impossibile salvare il file " + utente.string() +
                                       ". I materiali non sono stati salvati."});
    EXPECT_EQ(s.w->MSFlexGrid1.Griglia.Testo(1, 1), "Acciaio mio");
    EXPECT_FALSE(fs::exists(t.p / "file" / "zelvo"));
}
