// zelvo-calc as a user runs it: on every example, with --json, --report and
// the exit statuses. The numbers themselves are checked against independent
// methods on many more problems by the scripts in tests/verifica.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

const std::string Esempi = std::string(ZELVO_SOURCE_DIR) + "/examples/";

std::string Leggi(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void Scrivi(const fs::path& p, const std::string& t) {
    std::ofstream f(p, std::ios::binary);
    f << t;
}

struct Esecuzione {
    int stato = -1;
    std::string out, err;
};

fs::path Cartella() {
    static const fs::path c = [] {
        fs::path p = fs::path(::testing::TempDir()) / ("zelvo_app_" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return c;
}

// Runs zelvo-calc with the arguments (already quoted for the shell) in the
// English regional settings.
Esecuzione Esegui(const std::string& argomenti) {
    const fs::path out = Cartella() / "stdout", err = Cartella() / "stderr";
    const std::string cmd = "env LC_ALL=C LANG=C '" + std::string(ZELVO_CALC) + "' " + argomenti +
                            " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int s = std::system(cmd.c_str());
    Esecuzione e;
    e.stato = WIFEXITED(s) ? WEXITSTATUS(s) : 128 + WTERMSIG(s);
    e.out = Leggi(out);
    e.err = Leggi(err);
    return e;
}

std::string Q(const std::string& s) {
    return "'" + s + "'";
}

json Json(const Esecuzione& e) {
    EXPECT_FALSE(e.out.empty()) << e.err;
    return json::parse(e.out);
}

// ---------------------------------------------------------------------------
// Every example: report to a file equals the report on standard output
// (Windows-1252 and CR LF there, UTF-8 and LF here), JSON on its own.

class OgniEsempio : public ::testing::TestWithParam<std::string> {};

// Windows-1252 -> UTF-8 for the Latin-1 range the examples use.
std::string Latin1AUtf8(const std::string& s) {
    std::string o;
    for (unsigned char c : s) {
        if (c < 0x80) {
            o.push_back(static_cast<char>(c));
        } else {
            o.push_back(static_cast<char>(0xC0 | (c >> 6)));
            o.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return o;
}
std::string SenzaCR(std::string s) {
    s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
    return s;
}

TEST_P(OgniEsempio, RelazioneSuFileESuUscita) {
    const std::string file = Esempi + GetParam();
    const Esecuzione a = Esegui(Q(file));
    ASSERT_EQ(a.stato, 0) << a.err;
    EXPECT_EQ(a.err, ""); // the examples raise no warning
    const fs::path out = Cartella() / (GetParam() + ".txt");
    fs::remove(out);
    const Esecuzione b = Esegui("--report " + Q(out.string()) + " " + Q(file));
    ASSERT_EQ(b.stato, 0) << b.err;
    EXPECT_EQ(b.out, "");
    const std::string byte = Leggi(out);
    // Every line ends in CR LF; the bytes are Windows-1252 (no UTF-8 pair).
    EXPECT_EQ(byte.find("\xC3"), std::string::npos);
    size_t lf = 0, crlf = 0;
    for (size_t i = 0; i < byte.size(); ++i)
        if (byte[i] == '\n') {
            ++lf;
            if (i > 0 && byte[i - 1] == '\r') ++crlf;
        }
    EXPECT_GT(lf, 20u);
    EXPECT_EQ(lf, crlf);
    EXPECT_EQ(SenzaCR(Latin1AUtf8(byte)) + "\n", a.out);
    EXPECT_EQ(a.out.rfind("NOME FILE: " + GetParam().substr(0, GetParam().size() - 4) + "\n", 0),
              0u);
    // The same run twice writes the same report.
    const Esecuzione c = Esegui(Q(file) + " --report " + Q(out.string()));
    ASSERT_EQ(c.stato, 0);
    EXPECT_EQ(Leggi(out), byte);
    // --json: standard output is one JSON object and nothing else.
    const Esecuzione d = Esegui(Q(file) + " --json");
    ASSERT_EQ(d.stato, 0);
    const json j = json::parse(d.out);
    EXPECT_TRUE(j["results"].is_object());
    EXPECT_EQ(j["messages"], json::array());
    EXPECT_EQ(j.contains("foundation"), j["problem"]["Vincoli"] == 4);
    // Options before or after the file.
    EXPECT_EQ(Esegui("--json " + Q(file)).out, d.out);
}

INSTANTIATE_TEST_SUITE_P(Esempi, OgniEsempio,
                         ::testing::Values("appoggio-appoggio.zlv", "incastro-incastro.zlv",
                                           "incastro-appoggio.zlv", "mensola.zlv",
                                           "fondazione-winkler.zlv", "fondazione-rigida.zlv"),
                         [](const auto& i) {
                             std::string n = i.param.substr(0, i.param.find('.'));
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

TEST(JsonSingoli, DecimalePiuBreve) {
    // Singles are written as the shortest decimal that reads back to the
    // same single: the span 6 and the positions 1.5, 4.5 exactly so, J as
    // typed in the file (8.356E-05), never its double expansion.
    const Esecuzione e = Esegui("--json " + Q(Esempi + "appoggio-appoggio.zlv"));
    EXPECT_NE(e.out.find("\"J\":8.356e-05"), std::string::npos) << e.out.substr(0, 400);
    EXPECT_NE(e.out.find("\"Luce\":6.0"), std::string::npos);
    EXPECT_NE(e.out.find("\"E\":2.1e+11"), std::string::npos);
    // No float expansion in the problem (keys are in order: messages,
    // problem, results).
    const size_t a = e.out.find("\"problem\":"), b = e.out.find(",\"results\":");
    ASSERT_LT(a, b);
    const std::string problema = e.out.substr(a, b - a);
    EXPECT_EQ(problema.find("0000001"), std::string::npos) << problema;
    EXPECT_EQ(problema.find("9999999"), std::string::npos) << problema;
}

// ---------------------------------------------------------------------------
// Exit statuses and messages on made-up files.

std::string Zlv(const std::vector<std::string>& righe) {
    std::string s;
    for (const auto& r : righe)
        s += r + "\r\n";
    return s;
}
std::vector<std::string> Problema(const std::string& luce, const std::string& x,
                                  const std::string& vincoli = "0") {
    return {"\"Prova\",\"5.4\"",
            "2.1E+11,8.356E-05," + luce,
            "100",
            vincoli,
            "1",
            "10000,10000,0," + luce,
            "0",
            "0",
            "#FALSE#",
            "#TRUE#",
            "#FALSE#",
            "\"m\",\"MPa\",\"t\",\"kN\",\"cm\"",
            "0",
            "0,0,0,#FALSE#",
            x};
}
Esecuzione EseguiSu(const std::vector<std::string>& righe, const std::string& opzioni = "--json") {
    const fs::path p = Cartella() / "prova.zlv";
    Scrivi(p, Zlv(righe));
    return Esegui(opzioni + " " + Q(p.string()));
}

TEST(Uscita, CarichiUniformiFormuleChiuse) {
    // q = 10 kN/m on 5 m: RA = RB = qL/2, Mx at midspan qL²/8, RotA = qL³/24EJ.
    const Esecuzione e = EseguiSu(Problema("5", "2.5"));
    ASSERT_EQ(e.stato, 0) << e.err;
    const json r = Json(e)["results"];
    const double q = 10000, L = 5, EJ = double(2.1e11f) * double(8.356e-05f);
    EXPECT_NEAR(r["RA"], q * L / 2, 1e-9 * q * L);
    EXPECT_NEAR(r["RB"], q * L / 2, 1e-9 * q * L);
    EXPECT_NEAR(r["Mx"], q * L * L / 8, 1e-6 * q * L * L / 8);
    EXPECT_NEAR(r["RotA"], q * L * L * L / (24 * EJ), 1e-6 * q * L * L * L / (24 * EJ));
    // Midspan deflection 5qL⁴/384EJ, approached from below (0.025 % low at 100 sections).
    const double f = 5 * q * L * L * L * L / (384 * EJ);
    EXPECT_LT(r["fx"].get<double>(), f);
    EXPECT_GT(r["fx"].get<double>(), f * (1 - 1e-3));
}

TEST(Uscita, AscissaFuoriDallaTraveCompletaSenzaValoriInX) {
    const Esecuzione e = EseguiSu(Problema("5", "-1"));
    EXPECT_EQ(e.stato, 0);
    const json j = Json(e);
    EXPECT_EQ(j["messages"], json::array({"Errore: x < 0"}));
    EXPECT_TRUE(j["results"]["Mx"].is_null());
    EXPECT_TRUE(j["results"]["fx"].is_null());
    EXPECT_FALSE(j["results"]["RA"].is_null());
    EXPECT_EQ(e.err, "Errore: x < 0\n");
    const Esecuzione o = EseguiSu(Problema("5", "6"), "");
    EXPECT_EQ(o.stato, 0);
    EXPECT_EQ(o.err, "Errore: x > Luce\n");
    EXPECT_NE(o.out.find("Risultati all'ascissa x"), std::string::npos);
}

TEST(Uscita, LuceZeroErroreEsce1) {
    const Esecuzione e = EseguiSu(Problema("0", "0"));
    EXPECT_EQ(e.stato, 1);
    const json j = Json(e);
    ASSERT_FALSE(j["messages"].empty());
    EXPECT_EQ(j["messages"][0], "Luce = 0 !!!!");
    EXPECT_EQ(j["messages"].back(), "Errore! Controllare i dati");
    EXPECT_TRUE(j["results"].is_null());
    // Without --json no report is printed after a failed calculation.
    const Esecuzione r = EseguiSu(Problema("0", "0"), "");
    EXPECT_EQ(r.stato, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("Errore! Controllare i dati"), std::string::npos);
}

TEST(Uscita, RisultanteNullaInFondazioneEsce1) {
    // Two opposite couples on a rigid foundation, soil not reacting in tension.
    const Esecuzione e =
        Esegui("--json " + Q(std::string(ZELVO_SOURCE_DIR) + "/fuzz/corpus/risultante-nulla"));
    EXPECT_EQ(e.stato, 1);
    const json j = Json(e);
    EXPECT_TRUE(j["results"].is_null());
    EXPECT_TRUE(j["foundation"].is_null());
    EXPECT_EQ(j["messages"][0], "Equilibrio violato !!\r\nRisultante nulla in fondazione !!");
}

TEST(Uscita, FileTroncatoEsce1SenzaCalcolo) {
    auto righe = Problema("5", "2");
    righe.resize(5); // stops before the load row
    const Esecuzione e = EseguiSu(righe);
    EXPECT_EQ(e.stato, 1);
    const json j = Json(e);
    EXPECT_EQ(j["messages"], json::array({"Lettura incompleta del file"}));
    EXPECT_TRUE(j["results"].is_null());
    EXPECT_EQ(j["problem"]["Luce"], 5.0); // what was read stays read
    const Esecuzione v = EseguiSu({}, "");
    EXPECT_EQ(v.stato, 1);
    EXPECT_EQ(v.out, "");
    EXPECT_EQ(v.err, "Lettura incompleta del file\n");
}

TEST(Uscita, FileSenzaVersioneCompletaConDueMessaggi) {
    // A header without a version: lines 1-12 are read, the two conditional
    // reads each show "Lettura incompleta del file"; the problem is complete.
    auto righe = Problema("5", "2");
    righe[0] = "\"Vecchio\"";
    righe.resize(11);
    const Esecuzione e = EseguiSu(righe);
    EXPECT_EQ(e.stato, 0) << e.err;
    const json j = Json(e);
    EXPECT_EQ(j["messages"],
              json::array({"Lettura incompleta del file", "Lettura incompleta del file"}));
    EXPECT_TRUE(j["results"].is_object());
    EXPECT_EQ(j["problem"]["b"], 1.0);
}

TEST(Uscita, FileVecchiCompletiOTroncati) {
    // Without a version and without the option lines (a file older than
    // those): complete, silently, a rigid foundation of unit width.
    auto vecchio = Problema("5", "2", "4");
    vecchio[0] = "\"Vecchio\"";
    vecchio.resize(8);
    const Esecuzione e = EseguiSu(vecchio);
    EXPECT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.err, "");
    const json j = Json(e);
    EXPECT_TRUE(j["results"].is_object());
    EXPECT_EQ(j["problem"]["Winkler"], false);
    EXPECT_EQ(j["problem"]["b"], 1.0);
    // The same old file cut inside its loads: one message, exit 1, no report.
    auto corto = vecchio;
    corto.resize(5);
    const Esecuzione c = EseguiSu(corto, "");
    EXPECT_EQ(c.stato, 1);
    EXPECT_EQ(c.out, "");
    EXPECT_EQ(c.err, "Lettura incompleta del file\n");
    // A "4.0" file holds lines 13-14: without line 14 it stopped short.
    auto quattro = Problema("5", "2");
    quattro[0] = "\"Quattro\",\"4.0\"";
    quattro.resize(11);
    const Esecuzione q = EseguiSu(quattro);
    EXPECT_EQ(q.stato, 1);
    EXPECT_EQ(Json(q)["messages"], json::array({"Lettura incompleta del file"}));
    EXPECT_TRUE(Json(q)["results"].is_null());
    quattro.push_back("\"m\",\"MPa\",\"t\",\"kN\",\"cm\"");
    EXPECT_EQ(EseguiSu(quattro).stato, 0);
    // A "5.4" file cut after its loads lacks lines it must hold: once, exit 1.
    auto tagliato = Problema("5", "2");
    tagliato.resize(8);
    const Esecuzione t = EseguiSu(tagliato);
    EXPECT_EQ(t.stato, 1);
    EXPECT_EQ(Json(t)["messages"], json::array({"Lettura incompleta del file"}));
}

TEST(Uscita, ErroriDUso) {
    EXPECT_EQ(Esegui("").stato, 2);
    EXPECT_EQ(Esegui("--opzione-che-non-esiste " + Q(Esempi + "mensola.zlv")).stato, 2);
    EXPECT_EQ(Esegui(Q(Esempi + "mensola.zlv") + " " + Q(Esempi + "mensola.zlv")).stato, 2);
    EXPECT_EQ(Esegui("--report").stato, 2);
    const Esecuzione m = Esegui("--json " + Q((Cartella() / "non-esiste.zlv").string()));
    EXPECT_EQ(m.stato, 2);
    EXPECT_EQ(m.out, ""); // no JSON for a file that cannot be opened
    EXPECT_NE(m.err.find("cannot open"), std::string::npos);
    EXPECT_EQ(Esegui(Q(Cartella().string())).stato, 2); // a folder
    const Esecuzione h = Esegui("--help");
    EXPECT_EQ(h.stato, 0);
    EXPECT_NE(h.out.find("--report"), std::string::npos);
    EXPECT_NE(h.out.find("--json"), std::string::npos);
    EXPECT_NE(h.out.find("Exit status"), std::string::npos);
}

TEST(Uscita, RelazioneNonScrivibileEsce1) {
    const fs::path p = Cartella() / "cartella-che-non-esiste" / "r.txt";
    const Esecuzione e = Esegui("--report " + Q(p.string()) + " " + Q(Esempi + "mensola.zlv"));
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.err, "Scrittura incompleta del file\n");
    EXPECT_FALSE(fs::exists(p));
}

TEST(Uscita, RelazioneSostituitaSoloAScritturaCompleta) {
    // An old report is replaced whole; a failed run leaves it as it was.
    const fs::path p = Cartella() / "vecchia.txt";
    Scrivi(p, "vecchia");
    const Esecuzione e = EseguiSu(Problema("0", "0"), "--report " + Q(p.string()));
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(Leggi(p), "vecchia");
    ASSERT_EQ(Esegui("--report " + Q(p.string()) + " " + Q(Esempi + "mensola.zlv")).stato, 0);
    EXPECT_EQ(Leggi(p).rfind("NOME FILE: mensola\r\n", 0), 0u);
}

// Files carrying a section record (every section type, every profile, a
// profile of version "5.0") open completely and are calculated: exit 0, no
// message, E and J as stored beside the record.
TEST(CorpusFuzz, FileConSezioneCalcolati) {
    const fs::path corpus = fs::path(ZELVO_SOURCE_DIR) / "fuzz" / "corpus";
    int n = 0;
    for (const auto& f : fs::directory_iterator(corpus)) {
        const std::string nome = f.path().filename().string();
        if (nome.rfind("sezione-", 0) != 0 && nome.rfind("profilo-", 0) != 0) continue;
        const Esecuzione e = Esegui("--json " + Q(f.path().string()));
        EXPECT_EQ(e.stato, 0) << nome << e.err;
        const json j = Json(e);
        EXPECT_EQ(j["messages"], json::array()) << nome;
        EXPECT_TRUE(j["results"].is_object()) << nome;
        EXPECT_EQ(j["problem"]["E"], 2.1e11) << nome;
        ++n;
    }
    EXPECT_GE(n, 13);
}

// Every seed of the fuzz corpus (and every crash turned into one) runs to
// messages only: exit 0 or 1, and a JSON object.
TEST(CorpusFuzz, SoloMessaggi) {
    const fs::path corpus = fs::path(ZELVO_SOURCE_DIR) / "fuzz" / "corpus";
    int n = 0;
    for (const auto& f : fs::directory_iterator(corpus)) {
        const Esecuzione e = Esegui("--json " + Q(f.path().string()));
        EXPECT_TRUE(e.stato == 0 || e.stato == 1) << f.path() << " " << e.stato << e.err;
        EXPECT_TRUE(json::accept(e.out)) << f.path();
        ++n;
    }
    EXPECT_GE(n, 10);
}

} // namespace
