// The numbers the help quotes (data-valore="example:field:index",
// data-limite="name") are what the program shows; the links lead to pages.
#include "core/calcolo.h"
#include "core/combinazioni.h"
#include "core/trave_winkler.h"
#include "form/modello_form.h"
#include "form/verifiche_form.h"
#include "io/file_atomico.h"
#include "io/generale.h"
#include "io/stampa.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <span>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

const fs::path CartellaAiuto = fs::path(ZELVO_SOURCE_DIR) / "ui" / "aiuto";

// Every match of r in the file or, without one, in every help page: the
// file's name, then the groups.
std::vector<std::vector<std::string>> Trova(const char* r, fs::path file = {}) {
    std::vector<fs::path> pagine = {file};
    if (file.empty()) {
        pagine.clear();
        for (const auto& e : fs::directory_iterator(CartellaAiuto))
            if (e.path().extension() == ".html") pagine.push_back(e.path());
    }
    std::vector<std::vector<std::string>> v;
    const std::regex re(r);
    for (const auto& p : pagine) {
        const std::string s = LeggiFile(p).value_or("");
        for (std::sregex_iterator it(s.begin(), s.end(), re), fine; it != fine; ++it) {
            v.push_back({p.filename().string()});
            for (size_t i = 1; i < it->size(); ++i)
                v.back().push_back((*it)[i].str());
        }
    }
    return v;
}

const CampoForm* Campo(const ModelloForm& f, const std::string& nome, const std::string& i) {
    const std::map<std::string, std::span<const CampoForm>> campi = {{"txtDati", f.txtDati},
                                                                     {"txtRis", f.txtRis},
                                                                     {"txtFond", f.txtFond},
                                                                     {"txtX", f.txtX},
                                                                     {"txtWinkler", f.txtWinkler}};
    const auto c = campi.find(nome);
    const size_t n = std::stoul(i);
    return c != campi.end() && n < c->second.size() ? &c->second[n] : nullptr;
}

// An example opened as "Apri" does, with the Italian separators the help
// writes, and calculated as "Calcola" does.
struct EsempioCalcolato {
    ModuloZelvo modulo;
    UnitMisura unita = [] {
        UnitMisura u;
        u.separatori = {",", "."};
        return u;
    }();
    RegistroMessaggi msg;
    ModelloForm f{modulo, unita, msg};
    bool Aperto = false;
    EsitoCalcolo Esito = EsitoCalcolo::Completato;
    explicit EsempioCalcolato(const std::string& esempio) {
        f.InizializzaForm();
        Aperto = f.ApriFileDati(std::string(ZELVO_SOURCE_DIR) + "/examples/" + esempio + ".zlv");
        if (Aperto) Esito = f.btnCalcola_Click();
    }
};

} // namespace

// Each quoted number recomputed by opening the example as "Apri" does and
// pressing "Calcola", with the Italian separators the help writes.
TEST(AiutoNumeri, OgniNumeroCitatoEQuelloCheIlProgrammaMostra) {
    std::map<std::string, std::vector<std::vector<std::string>>> citazioni; // by example
    for (auto& c :
         Trova(R"re(data-valore="([A-Za-z0-9_-]+):([A-Za-z]+):([0-9]+)"[^>]*>([^<]*)<)re"))
        citazioni[c[1]].push_back(c);
    // The worked beam and the two foundations are quoted in full.
    for (const auto& [esempio, almeno] : {std::pair("appoggio-appoggio", 19u),
                                          {"fondazione-winkler", 15u},
                                          {"fondazione-rigida", 15u}})
        EXPECT_GE(citazioni[esempio].size(), almeno) << esempio;
    for (const auto& [esempio, elenco] : citazioni) {
        SCOPED_TRACE(esempio);
        EsempioCalcolato e(esempio);
        ASSERT_TRUE(e.Aperto);
        ASSERT_EQ(e.Esito, EsitoCalcolo::Completato);
        const ModelloForm& f = e.f;
        const RegistroMessaggi& msg = e.msg;
        EXPECT_TRUE(msg.elenco.empty()) << msg.Testi().front();
        for (const auto& c : elenco) {
            const CampoForm* campo = Campo(f, c[2], c[3]);
            EXPECT_EQ(campo ? Rifila(campo->testo) : "<no field>", c[4])
                << c[0] << ": " << c[2] << "(" << c[3] << ")";
        }
    }
}

// The continuous beam's quoted table cells (data-cella="example:table:row:col",
// rows and columns as the window's read-only tables count them, headings
// included) are what the window shows after "Calcola".
TEST(AiutoNumeri, OgniCellaCitataEQuellaCheIlProgrammaMostra) {
    std::map<std::string, std::vector<std::vector<std::string>>> citazioni; // by example
    for (auto& c :
         Trova(R"re(data-cella="([A-Za-z0-9_-]+):([A-Za-z]+):([0-9]+):([0-9]+)"[^>]*>([^<]*)<)re"))
        citazioni[c[1]].push_back(c);
    EXPECT_GE(citazioni["trave-continua"].size(), 20u);
    for (const auto& [esempio, elenco] : citazioni) {
        SCOPED_TRACE(esempio);
        EsempioCalcolato e(esempio);
        ASSERT_TRUE(e.Aperto);
        ASSERT_EQ(e.Esito, EsitoCalcolo::Completato);
        const ModelloForm& f = e.f;
        const std::map<std::string, const GrigliaTesto*> tabelle = {
            {"Campate", &f.Travata.Griglia[0]},
            {"Appoggi", &f.Travata.Griglia[1]},
            {"RisAppoggi", &f.Travata.RisAppoggi},
            {"RisCampate", &f.Travata.RisCampate}};
        for (const auto& c : elenco) {
            const auto t = tabelle.find(c[2]);
            ASSERT_NE(t, tabelle.end()) << c[0] << ": " << c[2];
            const int r = std::stoi(c[3]), k = std::stoi(c[4]);
            ASSERT_TRUE(r < t->second->Righe() && k < t->second->Colonne())
                << c[0] << ": " << c[2] << "(" << r << ", " << k << ")";
            EXPECT_EQ(Rifila(t->second->Testo(r, k)), c[5])
                << c[0] << ": " << c[2] << "(" << r << ", " << k << ")";
        }
    }
}

TEST(AiutoNumeri, LimitiDellaFondazione) {
    const Separatori italiani{",", "."};
    const std::map<std::string, std::string> limiti{
        {"DivisioniCentoSezioni", FormatoNumero(italiani, DivisioniCentoSezioni)},
        {"MaxDivisioni", FormatoNumero(italiani, MaxDivisioni)},
        {"PassiMassimi", FormatoNumero(italiani, TraveWinkler().PassiMassimi)},
    };
    std::set<std::string> trovati;
    for (const auto& c : Trova(R"re(data-limite="([A-Za-z]+)"[^>]*>([^<]*)<)re")) {
        ASSERT_EQ(limiti.count(c[1]), 1u) << c[0] << ": " << c[1];
        EXPECT_EQ(c[2], limiti.at(c[1])) << c[0];
        trovati.insert(c[1]);
    }
    EXPECT_EQ(trovati.size(), limiti.size());
}

// Every page is compiled in and reached from another one.
TEST(AiutoNumeri, OgniCollegamentoPortaAUnaPaginaInclusa) {
    std::set<std::string> incluse, pagine, raggiunte;
    for (const auto& c : Trova(R"re(<file>([^<]+)</file>)re", CartellaAiuto / "aiuto.qrc"))
        incluse.insert(c[1]);
    for (const auto& e : fs::directory_iterator(CartellaAiuto))
        if (e.path().extension() == ".html") pagine.insert(e.path().filename().string());
    for (const auto& c : Trova(R"re(href="([^"#]*)(#[^"]*)?")re"))
        if (!c[1].empty()) raggiunte.insert(c[1]);
    EXPECT_EQ(incluse, pagine);
    for (const auto& d : raggiunte)
        EXPECT_TRUE(incluse.count(d)) << d;
    pagine.erase("index.html");
    for (const auto& p : pagine)
        EXPECT_TRUE(raggiunte.count(p)) << p;
}

// The combinations topic's quoted numbers (data-combinazione=
// "example:what:...") are what the calculation of the example gives, in the
// units the help writes (kNm, m, mm) with four significant digits, L/f
// rounded as the results tables show it.
TEST(AiutoNumeri, OgniValoreDegliInviluppiCitatoEQuelloCalcolato) {
    std::map<std::string, std::vector<std::vector<std::string>>> citazioni; // by example
    for (
        auto& c : Trova(
            R"re(data-combinazione="([A-Za-z0-9_-]+):([A-Za-z]+):([A-Za-z0-9]+):?([a-z0-9]*):?([0-9]*)"[^>]*>([^<]*)<)re"))
        citazioni[c[1]].push_back(c);
    EXPECT_GE(citazioni["trave-continua-combinazioni"].size(), 18u);
    const Separatori italiani{",", "."};
    auto cifre = [&](double v) { return Rifila(FormatoCifre(italiani, 4, Numero(v))); };
    for (const auto& [esempio, elenco] : citazioni) {
        SCOPED_TRACE(esempio);
        EsempioCalcolato e(esempio);
        ASSERT_TRUE(e.Aperto);
        ASSERT_EQ(e.Esito, EsitoCalcolo::Completato);
        const RisultatiCombinazioni& r = e.modulo.Combinazioni;
        ASSERT_TRUE(r.Calcolato);
        // The largest value of the SLU moment envelope on span s, and where.
        auto massimo = [&](int s) {
            const auto& m = r.Inviluppi[0].Curve[0].Max;
            size_t k = 0;
            bool trovato = false;
            for (size_t i = 0; i < m.size(); ++i)
                if (r.Campata[i] == s && (!trovato || m[i] > m[k])) k = i, trovato = true;
            return k;
        };
        for (const auto& c : elenco) {
            const std::string& tipo = c[2];
            const std::string& cosa = c[3];
            std::string atteso;
            if (tipo == "SLU" && cosa == "MApp" && c[4] == "min") {
                atteso = cifre(r.Inviluppi[0].MAppMin.at(std::stoul(c[5]) - 1) / 1e3);
            } else if (tipo == "SLU" && cosa == "Mmax") {
                atteso = cifre(r.Inviluppi[0].Curve[0].Max[massimo(std::stoi(c[4]) - 1)] / 1e3);
            } else if (tipo == "SLU" && cosa == "xMmax") {
                atteso = cifre(r.x[massimo(std::stoi(c[4]) - 1)]);
            } else if (tipo == "Frecce") {
                const VerificaFreccia& v = r.Frecce.at(std::stoul(c[4]) - 1);
                if (cosa == "f") atteso = cifre(v.f * 1e3);
                if (cosa == "f2") atteso = cifre(v.f2 * 1e3);
                if (cosa == "LsuF") atteso = FormatoNumero(italiani, Numero(std::round(v.LsuF)));
                if (cosa == "LsuF2") atteso = FormatoNumero(italiani, Numero(std::round(v.LsuF2)));
                if (cosa == "Esito") atteso = v.Verificata ? "verificata" : "non verificata";
            }
            EXPECT_EQ(atteso, c[6]) << c[0] << ": " << tipo << " " << cosa << " " << c[4];
        }
    }
}

// The steel checks topic's worked example (IPE 330 S235, simply supported
// span of 5.70 m, 22.28 kN/m on the top flange, EN 1993-1-1 factors, lateral
// restraints at the supports only) built as the window leaves it and
// calculated: every number it quotes (data-verifica="what" or
// "Riga:n:column") is what the checks give, in the units the page writes
// (mm, cm², cm³, kN, kN·m) with four significant digits; the window's table
// rows and governing line as the window writes them.
TEST(AiutoNumeri, OgniValoreDelleVerificheCitatoEQuelloCalcolato) {
    ModuloZelvo m;
    m.Dati = prova::Base(AppoggioAppoggio, "IPE 330");
    m.Dati.Luce = 5.7f;
    m.Dati.J = 1.177e-4f;
    prova::Trapezio(m.Dati, 22280, 22280, 0, 5.7f);
    DatiVerifica& v = m.Dati.Verifica;
    v.Attiva = true;
    v.Profilo = "IPE 330";
    v.gM0 = v.gM1 = 1.0;
    v.Ritegno = DatiVerifica::TipoRitegno::Appoggi;
    v.Quota = DatiVerifica::TipoQuota::Superiore;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    CatalogoProfili cat;
    std::string errore;
    ASSERT_TRUE(cat.Carica(&errore)) << errore;
    const Separatori italiani{",", "."};
    const VistaVerifiche w = ComponiVerifiche(m, cat, italiani);
    ASSERT_TRUE(w.Motivo.empty()) << w.Motivo;
    const EsitoVerificaAcciaio& e = w.Risultato.Esito;
    ASSERT_EQ(e.Tratti.size(), 1u);
    ASSERT_EQ(e.Tratti[0].Segmenti.size(), 1u);
    const ResistenzaSezione& r = e.Sezione;
    const EsitoTrattoAcciaio& t = e.Tratti[0];
    const SegmentoAcciaio& g = t.Segmenti[0];
    const RigaCatalogo& p = *cat.Cerca("IPE 330");
    auto cifre = [&](double x) { return Rifila(FormatoCifre(italiani, 4, Numero(x))); };
    const std::map<std::string, std::string> valori{
        {"Classe", std::to_string(r.Classe)},
        {"cAla", cifre(r.cAla)},
        {"cSuTAla", cifre(r.cAla / p.tf)},
        {"cAnima", cifre(r.cAnima)},
        {"cSuTAnima", cifre(r.cAnima / p.tw)},
        {"Wpl", cifre(r.Wpl / 1e3)},
        {"McRd", cifre(r.McRd / 1e3)},
        {"Av", cifre(r.Av / 100)},
        {"Aw", cifre(r.Aw / 100)},
        {"hwSuTw", cifre(r.hw / p.tw)},
        {"VcRd", cifre(r.VcRd / 1e3)},
        {"MEd", cifre(t.MEd / 1e3)},
        {"VEd", cifre(t.VEd / 1e3)},
        {"MezzoVcRd", cifre(r.VcRd / 2e3)},
        {"Mcr", cifre(g.Mcr / 1e3)},
        {"McrBaricentro",
         cifre(g.C1 *
               McrMomentoUniforme(ModuloElasticoAcciaio * p.Jz * 1e-6,
                                  ModuloTaglioAcciaio * p.It * 1e-6,
                                  ModuloElasticoAcciaio * p.Iw * 1e-12, g.x1 - g.x0) /
               1e3)},
        {"McrUniforme",
         cifre(McrMomentoUniforme(ModuloElasticoAcciaio * p.Jz * 1e-6,
                                  ModuloTaglioAcciaio * p.It * 1e-6,
                                  ModuloElasticoAcciaio * p.Iw * 1e-12, g.x1 - g.x0) /
               1e3)},
        {"C1", cifre(g.C1)},
        {"lambdaLT", cifre(g.Riduzione.lambdaLT)},
        {"phiLT", cifre(g.Riduzione.phiLT)},
        {"chiLT", cifre(g.Riduzione.chiLT)},
        {"kc", cifre(g.Riduzione.kc)},
        {"f", cifre(g.Riduzione.f)},
        {"chiLTmod", cifre(g.Riduzione.chiLTmod)},
        {"MbRd", cifre(g.MbRd / 1e3)},
        {"Elementi", std::to_string(g.Elementi)},
        {"Governo", w.Governo},
    };
    const std::map<std::string, std::string RigaVerifica::*> colonne{
        {"Controllo", &RigaVerifica::Controllo},
        {"Azione", &RigaVerifica::Azione},
        {"Resistenza", &RigaVerifica::Resistenza},
        {"Utilizzo", &RigaVerifica::TestoUtilizzo},
        {"Esito", &RigaVerifica::Esito}};
    std::set<std::string> citati;
    for (const auto& c : Trova(R"re(data-verifica="([A-Za-z0-9:]+)"[^>]*>([^<]*)<)re",
                               CartellaAiuto / "verifiche.html")) {
        std::string atteso = "<unknown>";
        std::smatch k;
        const std::regex riga("Riga:([0-9]+):([A-Za-z]+)");
        if (std::regex_match(c[1], k, riga)) {
            const size_t n = std::stoul(k[1]);
            if (n >= 1 && n <= w.Righe.size() && colonne.count(k[2]))
                atteso = w.Righe[n - 1].*colonne.at(k[2]);
        } else if (valori.count(c[1])) {
            atteso = valori.at(c[1]);
        }
        EXPECT_EQ(atteso, c[2]) << c[1];
        citati.insert(c[1]);
    }
    // The example is quoted in full: every value and the whole table.
    for (const auto& [nome, testo] : valori)
        EXPECT_TRUE(citati.count(nome)) << nome;
    EXPECT_EQ(w.Righe.size(), 3u); // bending, shear, lateral-torsional buckling
    for (size_t n = 1; n <= w.Righe.size(); ++n)
        for (const auto& [nome, campo] : colonne)
            EXPECT_TRUE(citati.count("Riga:" + std::to_string(n) + ":" + nome)) << n << nome;
}
