// The numbers the help quotes (data-valore="example:field:index",
// data-limite="name") are what the program shows; the links lead to pages.
#include "core/trave_winkler.h"
#include "form/modello_form.h"
#include "io/file_atomico.h"
#include "io/generale.h"
#include "io/stampa.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <span>

using namespace zelvo;
namespace fs = std::filesystem;

namespace {

const fs::path CartellaAiuto = fs::path(ZELVO_SOURCE_DIR) / "ui" / "aiuto";
const fs::path CartellaEsempi = fs::path(ZELVO_SOURCE_DIR) / "examples";

std::string Leggi(const fs::path& p) {
    return LeggiFile(p).value_or("");
}

std::vector<fs::path> PagineAiuto() {
    std::vector<fs::path> v;
    for (const auto& e : fs::directory_iterator(CartellaAiuto))
        if (e.path().extension() == ".html") v.push_back(e.path());
    std::sort(v.begin(), v.end());
    return v;
}

struct Citazione {
    std::string pagina, campo;
    int indice = 0;
    std::string testo;
};

// Every data-valore of every page, by example file.
std::map<std::string, std::vector<Citazione>> Citazioni() {
    std::map<std::string, std::vector<Citazione>> m;
    const std::regex r(R"re(data-valore="([A-Za-z0-9_-]+):([A-Za-z]+):([0-9]+)"[^>]*>([^<]*)<)re");
    for (const auto& p : PagineAiuto()) {
        const std::string s = Leggi(p);
        for (std::sregex_iterator it(s.begin(), s.end(), r), fine; it != fine; ++it) {
            const auto& c = *it;
            m[c[1].str()].push_back(
                {p.filename().string(), c[2].str(), std::stoi(c[3].str()), c[4].str()});
        }
    }
    return m;
}

const CampoForm* Campo(const ModelloForm& f, const std::string& nome, int i) {
    const std::map<std::string, std::span<const CampoForm>> campi = {{"txtDati", f.txtDati},
                                                                     {"txtRis", f.txtRis},
                                                                     {"txtFond", f.txtFond},
                                                                     {"txtX", f.txtX},
                                                                     {"txtWinkler", f.txtWinkler}};
    const auto c = campi.find(nome);
    return c != campi.end() && i >= 0 && size_t(i) < c->second.size() ? &c->second[size_t(i)]
                                                                      : nullptr;
}

} // namespace

TEST(AiutoNumeri, OgniNumeroCitatoEQuelloCheIlProgrammaMostra) {
    const auto citazioni = Citazioni();
    // The worked beam and the two foundations are quoted in full.
    for (const auto& [esempio, almeno] : {std::pair("appoggio-appoggio", 19u),
                                          {"fondazione-winkler", 15u},
                                          {"fondazione-rigida", 15u}})
        EXPECT_GE(citazioni.count(esempio) ? citazioni.at(esempio).size() : 0, almeno) << esempio;

    for (const auto& [esempio, elenco] : citazioni) {
        SCOPED_TRACE(esempio);
        ModuloZelvo modulo;
        UnitMisura unita;
        unita.separatori = {",", "."};
        RegistroMessaggi msg;
        ModelloForm f(modulo, unita, msg);
        f.InizializzaForm();
        ASSERT_TRUE(f.ApriFileDati((CartellaEsempi / (esempio + ".zlv")).string()));
        ASSERT_EQ(f.btnCalcola_Click(), EsitoCalcolo::Completato);
        EXPECT_TRUE(msg.elenco.empty()) << msg.Testi().front();
        for (const auto& c : elenco) {
            const CampoForm* campo = Campo(f, c.campo, c.indice);
            EXPECT_EQ(campo ? Rifila(campo->testo) : "<no field>", c.testo)
                << c.pagina << ": " << c.campo << "(" << c.indice << ")";
        }
    }
}

TEST(AiutoNumeri, LimitiDellaFondazione) {
    const Separatori italiani{",", "."};
    const std::map<std::string, std::string> limiti{
        {"MaxElementi", FormatoNumero(italiani, TraveWinkler::MaxElementi)},
        {"PassiMassimi", FormatoNumero(italiani, TraveWinkler().PassiMassimi)},
    };
    const std::regex r(R"re(data-limite="([A-Za-z]+)"[^>]*>([^<]*)<)re");
    std::set<std::string> trovati;
    for (const auto& p : PagineAiuto()) {
        const std::string s = Leggi(p);
        for (std::sregex_iterator it(s.begin(), s.end(), r), fine; it != fine; ++it) {
            const auto& c = *it;
            ASSERT_EQ(limiti.count(c[1].str()), 1u) << p << ": " << c[1].str();
            EXPECT_EQ(c[2].str(), limiti.at(c[1].str())) << p;
            trovati.insert(c[1].str());
        }
    }
    EXPECT_EQ(trovati.size(), limiti.size());
}

// Every page is compiled in and reached from another one.
TEST(AiutoNumeri, OgniCollegamentoPortaAUnaPaginaInclusa) {
    const std::string qrc = Leggi(CartellaAiuto / "aiuto.qrc");
    const std::regex file(R"re(<file>([^<]+)</file>)re"), link(R"re(href="([^"#]*)(#[^"]*)?")re");
    std::set<std::string> incluse, pagine, raggiunte;
    for (std::sregex_iterator it(qrc.begin(), qrc.end(), file), fine; it != fine; ++it)
        incluse.insert((*it)[1].str());
    for (const auto& p : PagineAiuto()) {
        pagine.insert(p.filename().string());
        const std::string s = Leggi(p);
        for (std::sregex_iterator it(s.begin(), s.end(), link), fine; it != fine; ++it)
            if (!(*it)[1].str().empty()) raggiunte.insert((*it)[1].str());
    }
    EXPECT_EQ(incluse, pagine);
    for (const auto& d : raggiunte)
        EXPECT_TRUE(incluse.count(d)) << d;
    pagine.erase("index.html");
    for (const auto& p : pagine)
        EXPECT_TRUE(raggiunte.count(p)) << p;
}
