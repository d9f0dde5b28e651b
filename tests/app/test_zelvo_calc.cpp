// zelvo-calc as a user runs it: the report on a file and on standard output,
// --json, the exit statuses (0 results, 1 a failed calculation or file, 2 a
// wrong use), and the same bytes of files and drawing geometry whatever the
// locale. The numbers themselves are checked by the scripts in tests/verifica.
#include "tests/comune/zelvo_calc.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <locale.h>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace zelvo::prova;
namespace fs = std::filesystem;
using nlohmann::json;

const std::string Esempi = std::string(ZELVO_SOURCE_DIR) + "/examples/";
const fs::path& Cartella = CartellaCalc();

const auto Esempio =
    ::testing::Values("appoggio-appoggio", "incastro-incastro", "incastro-appoggio", "mensola",
                      "fondazione-winkler", "fondazione-rigida", "trave-continua");
std::string NomeCaso(const ::testing::TestParamInfo<std::string>& i) {
    std::string n = i.param;
    for (char& c : n)
        if (c == '-') c = '_';
    return n;
}

// Every example: the report written to a file (Windows-1252, CR LF) is the
// one on standard output (UTF-8, LF); --json gives one JSON object and
// nothing else, whatever the order of the options.
class OgniEsempio : public ::testing::TestWithParam<std::string> {};

TEST_P(OgniEsempio, RelazioneSuFileESuUscita) {
    const std::string file = Q(Esempi + GetParam() + ".zlv");
    const Esecuzione a = Esegui(file);
    ASSERT_EQ(a.stato, 0) << a.err;
    EXPECT_EQ(a.err, ""); // the examples raise no warning
    EXPECT_EQ(a.out.rfind("NOME FILE: " + GetParam() + "\n", 0), 0u);
    const fs::path out = Cartella / (GetParam() + ".txt");
    const Esecuzione b = Esegui("--report " + Q(out.string()) + " " + file);
    ASSERT_EQ(b.stato, 0) << b.err;
    EXPECT_EQ(b.out, "");
    const std::string byte = Leggi(out);
    std::string utf8;
    for (size_t i = 0; i < byte.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(byte[i]);
        if (c == '\n') {
            EXPECT_EQ(byte[i - 1], '\r') << i;
        }
        if (c == '\r') continue;
        utf8 += c < 0x80 ? std::string(1, char(c))
                         : std::string{char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    }
    EXPECT_EQ(utf8 + "\n", a.out);
    const Esecuzione d = Esegui(file + " --json");
    ASSERT_EQ(d.stato, 0);
    EXPECT_EQ(d.Json()["messages"], json::array());
    EXPECT_EQ(Esegui("--json " + file).out, d.out);
}

INSTANTIATE_TEST_SUITE_P(Esempi, OgniEsempio, Esempio, NomeCaso);

// A simply supported span under 10 kN/m in the current layout.
std::string Zlv(const std::string& luce, const std::string& x) {
    return "\"Prova\",\"5.4\"\r\n2.1E+11,8.356E-05," + luce +
           "\r\n100\r\n0\r\n1\r\n10000,10000,0,5\r\n0\r\n0\r\n#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n"
           "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"\r\n0\r\n0,0,0,#FALSE#\r\n" +
           x + "\r\n";
}

// An abscissa outside the span: the results without the values at x, the
// message on standard error and in the JSON, exit 0.
TEST(Uscita, AscissaFuoriDallaTrave) {
    const fs::path p = Cartella / "fuori.zlv";
    std::ofstream(p, std::ios::binary) << Zlv("5", "-1");
    const Esecuzione e = Esegui("--json " + Q(p.string()));
    EXPECT_EQ(e.stato, 0);
    EXPECT_EQ(e.err, "Errore: x < 0\n");
    EXPECT_EQ(e.Json()["messages"], json::array({"Errore: x < 0"}));
    EXPECT_TRUE(e.Json()["results"]["Mx"].is_null());
    EXPECT_FALSE(e.Json()["results"]["RA"].is_null());
}

TEST(Uscita, CalcoloOFileFallitiEsce1SenzaRelazione) {
    // A span of 0, or the same file stopped before its load row: what was
    // read stays read.
    const std::string zlv = Zlv("0", "0");
    const fs::path p = Cartella / "prova.zlv", vecchia = Cartella / "vecchia.txt";
    std::ofstream(p, std::ios::binary) << zlv;
    std::ofstream(vecchia) << "vecchia";
    const Esecuzione z = Esegui("--json " + Q(p.string()));
    EXPECT_EQ(z.stato, 1);
    EXPECT_EQ(z.Json()["messages"][0], "Luce = 0 !!!!");
    // the window's two lines: the error, then the datum at fault
    EXPECT_EQ(z.Json()["messages"].back(),
              "Errore! Controllare i dati\r\nLuce deve essere maggiore di zero.");
    EXPECT_NE(Esegui(Q(p.string())).err.find("Luce deve essere maggiore di zero."),
              std::string::npos);
    EXPECT_TRUE(z.Json()["results"].is_null());
    EXPECT_EQ(Esegui(Q(p.string())).out, "");
    EXPECT_EQ(Esegui("--report " + Q(vecchia.string()) + " " + Q(p.string())).stato, 1);
    EXPECT_EQ(Leggi(vecchia), "vecchia"); // a failed run leaves an old report as it was
    std::ofstream(p, std::ios::binary) << zlv.substr(0, zlv.find("10000,"));
    const Esecuzione t = Esegui("--json " + Q(p.string()));
    EXPECT_EQ(t.stato, 1);
    EXPECT_EQ(t.Json()["messages"], json::array({"Lettura incompleta del file"}));
    EXPECT_TRUE(t.Json()["results"].is_null());
    EXPECT_EQ(t.Json()["problem"]["E"], 2.1e11);
    const Esecuzione v = Esegui(Q(p.string()));
    EXPECT_EQ(v.stato, 1);
    EXPECT_EQ(v.out, "");
    EXPECT_EQ(v.err, "Lettura incompleta del file\n");
    // A report that cannot be written; one that can replaces the old one.
    const fs::path x = Cartella / "non-esiste" / "r.txt";
    const Esecuzione w = Esegui("--report " + Q(x.string()) + " " + Q(Esempi + "mensola.zlv"));
    EXPECT_EQ(w.stato, 1);
    EXPECT_EQ(w.err, "Scrittura incompleta del file\n");
    EXPECT_FALSE(fs::exists(x));
    ASSERT_EQ(Esegui("--report " + Q(vecchia.string()) + " " + Q(Esempi + "mensola.zlv")).stato, 0);
    EXPECT_EQ(Leggi(vecchia).rfind("NOME FILE: mensola\r\n", 0), 0u);
}

// The example foundation on elastic soil with more divisions than its
// calculation points take: the refusal names the limit on its second line.
// Witness, the count by hand: 100 grid points, 6 fixed ones, the trapezoid
// over the whole span 2 + 2, the forces at 1, 5 and 9 3 each, the couple at 9
// 3: 122 points; each division adds 3, so (32767 − 1 − 122)/3 = 10881.
TEST(Uscita, DivisioniOltreIlLimite) {
    const std::string esempio = Leggi(Esempi + "fondazione-winkler.zlv");
    const std::string riga = "30000000,0.8,100,";
    ASSERT_NE(esempio.find(riga), std::string::npos);
    for (const auto& [n, stato, err] : std::vector<std::tuple<std::string, int, std::string>>{
             {"10881", 0, ""},
             {"10882", 1,
              "Errore! Controllare i dati\nN° div. deve essere compreso tra 1 e 10881\n"}}) {
        std::string zlv = esempio;
        zlv.replace(zlv.find(riga), riga.size(), "30000000,0.8," + n + ",");
        const fs::path p = Cartella / ("divisioni-" + n + ".zlv");
        std::ofstream(p, std::ios::binary) << zlv;
        const Esecuzione e = Esegui(Q(p.string()));
        EXPECT_EQ(e.stato, stato) << n;
        EXPECT_EQ(e.err, err) << n;
        EXPECT_EQ(e.out.empty(), stato != 0) << n;
    }
}

// Wrong uses end with 2 and print nothing (no JSON for a file that cannot be
// opened); --version of both programs and --help, answered without a
// display; the window program refuses an unknown option before any window.
TEST(Uscita, UsoVersioneEAiuto) {
    const std::string m = Q(Esempi + "mensola.zlv"), c = ZELVO_CALC, g = ZELVO_GUI;
    const std::string v = ZELVO_VERSIONE_ATTESA, data = ", built [0-9]{4}-[0-9]{2}-[0-9]{2}\n";
    const std::vector<std::tuple<std::string, std::string, int, std::string>> casi = {
        {c, "", 2, ""},
        {c, "--opzione-che-non-esiste " + m, 2, ""},
        {c, m + " " + m, 2, ""},
        {c, "--report", 2, ""},
        {c, Q(Cartella.string()), 2, ""},
        {c, "--json " + Q((Cartella / "non-esiste.zlv").string()), 2, ""},
        {c, "--help", 0, "[^]*--report[^]*"},
        {c, "--version", 0, "zelvo-calc \\(Zelvo\\) " + v + data},
        {g, "--version", 0, "zelvo " + v + " \\(Zelvo\\)" + data},
        {g, "--help", 0, "[^]*\\[FILE\\.zlv\\][^]*"},
        {g, "-platform offscreen --nessuna", 1, ""}};
    for (const auto& [programma, argomenti, stato, uscita] : casi) {
        const Esecuzione e = Esegui(argomenti, programma);
        EXPECT_EQ(e.stato, stato) << argomenti;
        EXPECT_TRUE(std::regex_match(e.out, std::regex(uscita))) << argomenti << ": " << e.out;
    }
}

// Every seed of the fuzz corpus (and every crash turned into one) runs to
// messages only: exit 0 or 1 and a JSON object; the section files (every
// section type and profile) are calculated without a message.
TEST(CorpusFuzz, SoloMessaggi) {
    int n = 0;
    for (const auto& f : fs::directory_iterator(fs::path(ZELVO_SOURCE_DIR) / "fuzz" / "corpus")) {
        const std::string nome = f.path().filename().string();
        const Esecuzione e = Esegui("--json " + Q(f.path().string()));
        EXPECT_TRUE(e.stato == 0 || e.stato == 1) << nome << " " << e.stato << e.err;
        ASSERT_TRUE(json::accept(e.out)) << nome;
        if (nome.rfind("sezione-", 0) == 0 || nome.rfind("profilo-", 0) == 0) {
            EXPECT_EQ(e.Json()["messages"], json::array()) << nome;
            // E as stored: a single written as its shortest decimal.
            EXPECT_EQ(e.Json()["problem"]["E"], 2.1e11) << nome;
        }
        ++n;
    }
    EXPECT_GE(n, 23);
}

// ---------------------------------------------------------------------------
// Under the C, Italian, English and German locales JSON, saved data files and
// drawing geometry (the Qt SVG drawings made after Qt has taken the locale
// included) are the same bytes; displayed numbers (report, labels) follow the
// locale's separators: German as Italian, English as C.

const char* const Locali[] = {"C", "it_IT.UTF-8", "en_US.UTF-8", "de_DE.UTF-8"};

// Everything one run under one locale writes, by name: json, zlv, dxf,
// report and the Qt drawings of the three diagrams M, T, C.
std::map<std::string, std::string> Calcola(const std::string& esempio, const std::string& locale) {
    locale_t l = newlocale(LC_ALL_MASK, locale.c_str(), static_cast<locale_t>(nullptr));
    EXPECT_NE(l, static_cast<locale_t>(nullptr)) << locale << " not installed: scripts/setup.sh";
    if (l != static_cast<locale_t>(nullptr)) freelocale(l);
    const fs::path d = Cartella / locale / esempio;
    fs::create_directories(d);
    const std::string file = Q(Esempi + esempio + ".zlv");
    const Esecuzione j = Esegui(file + " --json --save " + Q((d / "zlv.zlv").string()) + " --dxf " +
                                    Q((d / "dxf.dxf").string()) + " --svg " + Q((d / "d").string()),
                                ZELVO_CALC, locale);
    const Esecuzione r = Esegui(file, ZELVO_CALC, locale);
    EXPECT_EQ(j.stato + r.stato, 0) << locale;
    std::map<std::string, std::string> u = {{"json", j.out}, {"report", r.out}};
    for (const char* k : {"zlv", "dxf"})
        u[k] = Leggi(d / (std::string(k) + "." + k));
    for (const char* k : {"M", "T", "C"})
        u[k] = Leggi(d / ("d-" + std::string(k) + ".svg"));
    for (const auto& [k, v] : u)
        EXPECT_FALSE(v.empty()) << locale << " " << k;
    return u;
}

// The drawing without its texts: SVG text elements go whole (a label's
// position may follow its width), DXF text values (group 1) go.
std::string Geometria(const std::string& disegno) {
    static const std::regex testo("<text[^>]*>[^<]*</text>");
    std::istringstream in(std::regex_replace(disegno, testo, "<text/>"));
    std::string codice, valore, r;
    while (std::getline(in, codice)) {
        if (!std::getline(in, valore)) valore = "<fine>";
        const bool t = codice == "  1\r" || codice == "1\r" || codice == "  1";
        r += codice + "\n" + (t ? "<testo>" : valore) + "\n";
    }
    return r;
}

class Locale : public ::testing::TestWithParam<std::string> {};

TEST_P(Locale, StessiByteDiFileEGeometria) {
    std::map<std::string, std::map<std::string, std::string>> u;
    for (const char* l : Locali)
        u[l] = Calcola(GetParam(), l);
    auto& c = u["C"];
    auto &it = u["it_IT.UTF-8"], &de = u["de_DE.UTF-8"], &en = u["en_US.UTF-8"];
    for (const char* l : Locali) {
        for (const auto& [k, v] : u[l]) {
            if (k == "json" || k == "zlv") {
                EXPECT_EQ(v, c[k]) << l << " " << k;
            } else if (k != "report") {
                EXPECT_EQ(Geometria(v), Geometria(c[k])) << l << " " << k;
            }
        }
    }
    // The separators follow the locale's data: German as Italian, English as C.
    EXPECT_EQ(de, it);
    EXPECT_EQ(en, c);
    EXPECT_NE(it["report"], c["report"]) << "the Italian report has comma decimals";
}

INSTANTIATE_TEST_SUITE_P(Esempi, Locale, Esempio, NomeCaso);

} // namespace
