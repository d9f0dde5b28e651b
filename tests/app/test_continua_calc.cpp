// zelvo-calc with a problem given as JSON and with the continuous beam:
// --json output fed back gives the same problem and results, input faults
// are usage errors naming the key, and every --json output follows
// docs/problema.schema.json.
//
// No JSON Schema validator is packaged for C++ on the build system: the
// schema is checked here by a small validator of the keywords it uses
// (type, properties, required, additionalProperties, items, minItems,
// maxItems, enum, minimum, maximum, local $ref into $defs; title,
// description and $schema as annotations). A keyword outside that subset
// fails the test, so that the schema cannot silently outgrow the checker.
#include "tests/comune/zelvo_calc.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace zelvo::prova;
namespace fs = std::filesystem;
using nlohmann::json;

const std::string Sorgenti = ZELVO_SOURCE_DIR;
const fs::path& Cartella = CartellaCalc();

// ---------------------------------------------------------------------------
// The schema subset.

class Schema {
  public:
    explicit Schema(json radice) : radice_(std::move(radice)) {}
    // The faults of v, each with its JSON path.
    std::vector<std::string> Controlla(const json& v) const {
        std::vector<std::string> e;
        Valida(radice_, v, "$", e);
        return e;
    }

  private:
    json radice_;

    static bool DiTipo(const json& v, const std::string& t) {
        if (t == "object") return v.is_object();
        if (t == "array") return v.is_array();
        if (t == "string") return v.is_string();
        if (t == "boolean") return v.is_boolean();
        if (t == "null") return v.is_null();
        if (t == "number") return v.is_number();
        if (t == "integer")
            return v.is_number_integer() ||
                   (v.is_number_float() && std::floor(v.get<double>()) == v.get<double>());
        ADD_FAILURE() << "type " << t;
        return false;
    }

    void Valida(const json& s, const json& v, const std::string& dove,
                std::vector<std::string>& e) const {
        static const std::set<std::string> noti = {
            "$schema", "title",      "description", "$defs",
            "type",    "properties", "required",    "additionalProperties",
            "items",   "minItems",   "maxItems",    "enum",
            "minimum", "maximum",    "$ref"};
        for (auto it = s.begin(); it != s.end(); ++it)
            if (!noti.count(it.key())) ADD_FAILURE() << "keyword outside the subset: " << it.key();
        if (s.contains("$ref")) {
            const std::string r = s["$ref"];
            const std::string prefisso = "#/$defs/";
            if (r.rfind(prefisso, 0) != 0 || !radice_["$defs"].contains(r.substr(prefisso.size())))
                ADD_FAILURE() << "$ref " << r;
            else
                Valida(radice_["$defs"][r.substr(prefisso.size())], v, dove, e);
        }
        if (s.contains("type")) {
            bool ok = false;
            if (s["type"].is_array()) {
                for (const auto& t : s["type"])
                    ok = ok || DiTipo(v, t.get<std::string>());
            } else {
                ok = DiTipo(v, s["type"].get<std::string>());
            }
            if (!ok) e.push_back(dove + ": type");
        }
        if (s.contains("enum")) {
            bool ok = false;
            for (const auto& x : s["enum"])
                ok = ok || x == v;
            if (!ok) e.push_back(dove + ": enum");
        }
        if (v.is_number()) {
            if (s.contains("minimum") && v.get<double>() < s["minimum"].get<double>())
                e.push_back(dove + ": minimum");
            if (s.contains("maximum") && v.get<double>() > s["maximum"].get<double>())
                e.push_back(dove + ": maximum");
        }
        if (v.is_object()) {
            const json proprieta = s.value("properties", json::object());
            for (const auto& r : s.value("required", json::array()))
                if (!v.contains(r.get<std::string>()))
                    e.push_back(dove + "." + r.get<std::string>() + ": required");
            for (auto it = v.begin(); it != v.end(); ++it) {
                const std::string d = dove + "." + it.key();
                if (proprieta.contains(it.key()))
                    Valida(proprieta[it.key()], it.value(), d, e);
                else if (s.contains("additionalProperties")) {
                    if (s["additionalProperties"].is_boolean()) {
                        if (!s["additionalProperties"].get<bool>())
                            e.push_back(d + ": not allowed");
                    } else {
                        Valida(s["additionalProperties"], it.value(), d, e);
                    }
                }
            }
        }
        if (v.is_array()) {
            if (s.contains("minItems") && v.size() < s["minItems"].get<size_t>())
                e.push_back(dove + ": minItems");
            if (s.contains("maxItems") && v.size() > s["maxItems"].get<size_t>())
                e.push_back(dove + ": maxItems");
            if (s.contains("items"))
                for (size_t i = 0; i < v.size(); ++i)
                    Valida(s["items"], v[i], dove + "[" + std::to_string(i) + "]", e);
        }
    }
};

const Schema& SchemaProblema() {
    static const Schema s(json::parse(Leggi(Sorgenti + "/docs/problema.schema.json")));
    return s;
}

// Two spans of 4 m under 10 kN/m on three pins.
const std::string DueCampate =
    R"({"problem": {"Titolo": "Due campate", "E": 2.1e11, "Vincoli": 5, "NSezioni": 100,
        "AscissaX": 4,
        "CarichiTrapezi": [{"q1": 10000, "q2": 10000, "d1": 0, "d2": 8}],
        "Campate": [{"L": 4, "J": 8.356e-5}, {"L": 4, "J": 8.356e-5}],
        "Appoggi": [{"Tipo": "appoggio"}, {"Tipo": "appoggio", "k": 0, "Cedimento": 0},
                    {"Tipo": "appoggio"}]}})";

const std::vector<std::string> Esempi = {
    "appoggio-appoggio",  "incastro-incastro", "incastro-appoggio", "mensola",
    "fondazione-winkler", "fondazione-rigida", "trave-continua"};

std::string Esempio(const std::string& nome) {
    return Sorgenti + "/examples/" + nome + ".zlv";
}

} // namespace

// Every example's --json output, and a continuous problem given as JSON,
// follow the schema; the checker itself refuses what the schema forbids.
TEST(SchemaJson, OgniUscitaNelloSchema) {
    std::vector<std::string> file;
    for (const auto& n : Esempi)
        file.push_back(Esempio(n));
    file.push_back(FileJson("verifica",
                            R"({"problem": {"Luce": 6, "E": 2.1e11, "J": 8.356e-5, "NSezioni": 100,
            "CarichiTrapezi": [{"q1": 20000, "q2": 20000, "d1": 0, "d2": 6}],
            "Verifica": {"Profilo": "IPE300", "Ritegni": [3]}}})"));
    file.push_back(FileJson("due", DueCampate));
    for (const auto& f : file) {
        const Esecuzione e = Esegui("--json " + Q(f));
        ASSERT_EQ(e.stato, 0) << f << e.err;
        const json j = json::parse(e.out);
        const auto errori = SchemaProblema().Controlla(j);
        EXPECT_TRUE(errori.empty()) << f << ": " << (errori.empty() ? "" : errori.front());
    }
    json j = json::parse(Esegui("--json " + Q(file.back())).out);
    EXPECT_EQ(j["results"]["Appoggi"].size(), 3u);
    json a = j, b = j, c = j, d = j;
    a["problem"]["Pippo"] = 1;
    b["problem"]["Appoggi"][0]["Tipo"] = "cerniera";
    c["problem"]["Vincoli"] = 6;
    d["results"]["Campate"][0].erase("xfmax");
    for (const json* x : {&a, &b, &c, &d})
        EXPECT_FALSE(SchemaProblema().Controlla(*x).empty()) << x->dump().substr(0, 200);
}

// The --json output of a file fed back as the input: the same problem, the
// same results and messages, whatever the scheme.
TEST(JsonIngresso, AndataRitornoDiOgniEsempio) {
    for (const auto& n : Esempi) {
        const Esecuzione a = Esegui("--json " + Q(Esempio(n)));
        ASSERT_EQ(a.stato, 0) << n << a.err;
        const std::string f = FileJson(n, a.out);
        const Esecuzione b = Esegui("--json " + Q(f));
        ASSERT_EQ(b.stato, 0) << n << b.err;
        // Problem, results, foundation summary, messages.
        EXPECT_EQ(json::parse(b.out), json::parse(a.out)) << n;
        // The text report of the same problem when the file's units are
        // the ones a JSON problem is shown in (the file's name is the same).
        if (Leggi(Esempio(n)).find("\"m\",\"MPa\",\"t\",\"kN\",\"cm\"") == std::string::npos)
            continue;
        const Esecuzione ra = Esegui(Q(Esempio(n))), rb = Esegui(Q(f));
        EXPECT_EQ(rb.out, ra.out) << n;
    }
}

// Two equal spans L = 4 m under w = 10 kN/m (three-moment equation: support
// moment −w·L²/8 = −20 kNm, reactions 3·w·L/8 = 15 kN and 10·w·L/8 = 50 kN;
// sagging maximum 9·w·L²/128 = 11.25 kNm at 3·L/8 = 1.5 m) from the
// command line, and the data file it writes: version 6.0, read back to the
// same results.
TEST(JsonIngresso, TraveContinuaDaRigaDiComando) {
    const std::string f = FileJson("due", DueCampate);
    const fs::path zlv = Cartella / "due.zlv";
    const Esecuzione e = Esegui("--json --save " + Q(zlv.string()) + " " + Q(f));
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.err, "");
    const json r = json::parse(e.out)["results"];
    const double w = 10000, L = 4;
    ASSERT_EQ(r["Appoggi"].size(), 3u);
    EXPECT_NEAR(r["Appoggi"][0]["R"].get<double>(), 3 * w * L / 8, 1e-9 * w * L);
    EXPECT_NEAR(r["Appoggi"][1]["R"].get<double>(), 10 * w * L / 8, 1e-9 * w * L);
    EXPECT_NEAR(r["Appoggi"][2]["R"].get<double>(), 3 * w * L / 8, 1e-9 * w * L);
    EXPECT_NEAR(r["Appoggi"][1]["M"].get<double>(), -w * L * L / 8, 1e-9 * w * L * L);
    EXPECT_EQ(r["Appoggi"][1]["x"].get<double>(), 4.0);
    EXPECT_NEAR(r["Campate"][0]["Mmax"].get<double>(), 9 * w * L * L / 128, 1e-9 * w * L * L);
    EXPECT_NEAR(r["Campate"][0]["xMmax"].get<double>(), 1.5, 1e-9);
    EXPECT_NEAR(r["Campate"][1]["Vmax"].get<double>(), 5 * w * L / 8, 1e-9 * w * L);
    EXPECT_NEAR(r["Mx"].get<double>(), -w * L * L / 8, 1e-3);
    EXPECT_EQ(r["x"].size(), r["M"].size());
    EXPECT_EQ(r["NPunti"].get<size_t>(), r["x"].size());
    EXPECT_EQ(r["x"].back().get<double>(), 8.0);
    const std::string byte = Leggi(zlv);
    EXPECT_EQ(byte.rfind("\"Due campate\",\"6.0\"\r\n", 0), 0u);
    const Esecuzione z = Esegui("--json " + Q(zlv.string()));
    ASSERT_EQ(z.stato, 0);
    EXPECT_EQ(json::parse(z.out)["results"], r);
}

// A beam that cannot stand, or refused data: the calculation's message and
// exit 1, as a failed calculation of a file.
TEST(JsonIngresso, TraveLabileEsce1) {
    const std::string f =
        FileJson("labile", R"({"problem": {"E": 2.1e11, "Vincoli": 5, "NSezioni": 10,
            "Campate": [{"L": 3, "J": 1e-4}, {"L": 3, "J": 1e-4}],
            "Appoggi": [{"Tipo": "libero"}, {"Tipo": "appoggio"}, {"Tipo": "libero"}]}})");
    const Esecuzione e = Esegui("--json " + Q(f));
    EXPECT_EQ(e.stato, 1);
    const json j = json::parse(e.out);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0].get<std::string>().rfind("Trave labile: ", 0), 0u);
    EXPECT_TRUE(j["results"].is_null());
    const std::string g =
        FileJson("campata", R"({"problem": {"E": 2.1e11, "Vincoli": 5, "NSezioni": 10,
            "Campate": [{"L": -3, "J": 1e-4}],
            "Appoggi": [{"Tipo": "appoggio"}, {"Tipo": "molla", "k": -1}]}})");
    const Esecuzione h = Esegui("--json " + Q(g));
    EXPECT_EQ(h.stato, 1);
    EXPECT_EQ(json::parse(h.out)["messages"].back(),
              "Campata N° 1: L deve essere maggiore di zero\r\n"
              "Appoggio N° 2: k non può essere negativo");
}

// Input faults: exit 2, nothing on standard output, one line naming the
// key on standard error.
TEST(JsonIngresso, ErroriNominanoLaChiave) {
    struct Caso {
        std::string testo, atteso;
    };
    const std::vector<Caso> casi = {
        {R"({"problem": {"Pippo": 1}})", "problem.Pippo: unknown key"},
        {R"({"problema": {}})", "problema: unknown key"},
        {R"({"results": null})", "problem: missing"},
        {R"([1, 2])", "the file must hold a JSON object"},
        {R"({"problem": {"Vincoli": "5"}})", "problem.Vincoli: must be an integer"},
        {R"({"problem": {"Vincoli": 6}})", "problem.Vincoli: out of range (0 to 5)"},
        {R"({"problem": {"NSezioni": 0}})", "problem.NSezioni: out of range (1 to 32767)"},
        {R"({"problem": {"E": 1e39}})", "problem.E: out of range"},
        {R"({"problem": {"E": null}})", "problem.E: must be a number"},
        {R"({"problem": {"Titolo": 3}})", "problem.Titolo: must be a string"},
        {R"({"problem": {"Winkler": 1}})", "problem.Winkler: must be true or false"},
        {R"({"problem": {"NTrapezi": 2, "CarichiTrapezi": [{"q1": 1, "q2": 1, "d1": 0, "d2": 1}]}})",
         "problem.NTrapezi: out of range (the table has 1 rows)"},
        {R"({"problem": {"CarichiConcentrati": [{"F": 1}]}})",
         "problem.CarichiConcentrati[0].d: missing"},
        {R"({"problem": {"Coppie": [{"W": 1, "d": 0, "x": 2}]}})",
         "problem.Coppie[0].x: unknown key"},
        {R"({"problem": {"Vincoli": 0, "Campate": []}})",
         "problem.Campate: out of range (only with Vincoli 5)"},
        {R"({"problem": {"Vincoli": 5, "Campate": [{"L": "4", "J": 1}]}})",
         "problem.Campate[0].L: must be a number"},
        {R"({"problem": {"Vincoli": 5, "Campate": {"L": 4}}})",
         "problem.Campate: must be an array"},
        {R"({"problem": {"Vincoli": 5, "Appoggi": [{"Tipo": "appoggio"}, {"Tipo": "cerniera"}]}})",
         "problem.Appoggi[1].Tipo: out of range"},
        {R"({"problem": {"Vincoli": 5, "Appoggi": [{"k": 1}]}})",
         "problem.Appoggi[0].Tipo: missing"},
        {R"({"problem": {"Vincoli": 5, )", "not a JSON problem"},
    };
    for (size_t i = 0; i < casi.size(); ++i) {
        const std::string f = FileJson("errore" + std::to_string(i), casi[i].testo);
        const Esecuzione e = Esegui("--json " + Q(f));
        EXPECT_EQ(e.stato, 2) << casi[i].testo;
        EXPECT_EQ(e.out, "") << casi[i].testo;
        EXPECT_NE(e.err.find(casi[i].atteso), std::string::npos) << casi[i].testo << "\n" << e.err;
        EXPECT_EQ(e.err.rfind("zelvo-calc: " + f + ": ", 0), 0u) << e.err;
    }
}

// ---------------------------------------------------------------------------
// Load cases.

namespace {

// A simply supported span L = 6 m: a crowd case (category B: ψ 0.7, 0.5,
// 0.3) of q = 5 kN/m and the self-weight g = 2 kN/m, a second permanent
// case with nothing on it.
const std::string UnaCampataConCasi =
    R"({"problem": {"Titolo": "Casi", "Luce": 6, "E": 2.1e11, "J": 8.356e-5, "Vincoli": 0,
        "NSezioni": 10, "AscissaX": 3,
        "CarichiTrapezi": [{"q1": 5000, "q2": 5000, "d1": 0, "d2": 6, "Caso": 0}],
        "Casi": [{"Nome": "Folla, \"uffici\" è", "Tipo": "Q", "Categoria": "B"},
                 {"Nome": "Finiture", "Tipo": "G2"}],
        "PesoProprio": true, "PesoProprioQ": 2000}})";

} // namespace

// Faults of the cases' keys: exit 2, one line naming the key.
TEST(JsonCasi, ErroriNominanoLaChiave) {
    struct Caso {
        std::string problema, atteso;
    };
    const std::vector<Caso> casi = {
        {R"("Casi": {})", "problem.Casi: must be an array"},
        {R"("Casi": [{"Nome": "G"}])", "problem.Casi[0].Tipo: missing"},
        {R"("Casi": [{"Tipo": "G3"}])",
         "problem.Casi[0].Tipo: out of range (\"G1\", \"G2\" or \"Q\")"},
        {R"("Casi": [{"Tipo": "Q"}])", "problem.Casi[0].Categoria: missing"},
        {R"("Casi": [{"Tipo": "Q", "Categoria": "J"}])",
         "problem.Casi[0].Categoria: out of range (\"A\" to \"K\", \"Vento\", "
         "\"NeveSotto1000\", \"NeveSopra1000\", \"Temperatura\" or \"Personalizzata\")"},
        {R"("Casi": [{"Tipo": "Q", "Categoria": "B", "psi1": 0.6}])",
         "problem.Casi[0].psi1: out of range (the category B has 0.5)"},
        {R"("Casi": [{"Tipo": "Q", "Categoria": "K", "psi0": 0.5, "psi1": 0.2}])",
         "problem.Casi[0].psi2: missing (the category K has no table value)"},
        {R"("Casi": [{"Tipo": "Q", "Categoria": "Personalizzata", "psi0": 1.2, "psi1": 0,
                      "psi2": 0}])",
         "problem.Casi[0].psi0: out of range (0 to 1)"},
        {R"("Casi": [{"Tipo": "G1", "Categoria": "A"}])",
         "problem.Casi[0].Categoria: out of range (only with Tipo \"Q\")"},
        {R"("Casi": [{"Tipo": "G1", "Colore": 1}])", "problem.Casi[0].Colore: unknown key"},
        {R"("Casi": [{"Tipo": "G1"}, {"Tipo": "G2"}],
            "CarichiConcentrati": [{"F": 1, "d": 0, "Caso": 2}])",
         "problem.CarichiConcentrati[0].Caso: out of range (0 to 1)"},
        {R"("Coppie": [{"W": 1, "d": 0, "Caso": 1}])",
         "problem.Coppie[0].Caso: out of range (0 to 0)"},
        {R"("CarichiTrapezi": [{"q1": 1, "q2": 1, "d1": 0, "d2": 1, "Caso": -1}])",
         "problem.CarichiTrapezi[0].Caso: out of range (0 to 0)"},
        {R"("Coefficienti": {"gQ": [1.5]})",
         "problem.Coefficienti.gQ: must be an array of two numbers"},
        {R"("Coefficienti": {"gG1": [1.3, -1]})",
         "problem.Coefficienti.gG1: out of range (not negative)"},
        {R"("Coefficienti": {"Norma": "DM1996"})",
         "problem.Coefficienti.Norma: out of range (\"NTC2018\" or \"EN1990\")"},
        {R"("Coefficienti": {"gq": [1, 0]})", "problem.Coefficienti.gq: unknown key"},
        {R"("LimitiFreccia": [250, 0])", "problem.LimitiFreccia: out of range (greater than 0)"},
        {R"("LimitiFreccia": 250)", "problem.LimitiFreccia: must be an array of two numbers"},
        {R"("PesoProprio": true)", "problem.PesoProprioQ: missing (PesoProprio is true)"},
        {R"("PesoProprio": 1, "PesoProprioQ": 1)", "problem.PesoProprio: must be true or false"},
    };
    for (size_t i = 0; i < casi.size(); ++i) {
        const std::string f =
            FileJson("casi" + std::to_string(i), "{\"problem\": {" + casi[i].problema + "}}");
        const Esecuzione e = Esegui("--json " + Q(f));
        EXPECT_EQ(e.stato, 2) << casi[i].problema;
        EXPECT_EQ(e.out, "") << casi[i].problema;
        EXPECT_EQ(e.err, "zelvo-calc: " + f + ": " + casi[i].atteso + "\n") << casi[i].problema;
    }
}

// Without cases nothing of them appears: no key of the cases in the problem
// or the results, no case in a load row.
TEST(JsonCasi, SenzaCasiNessunaChiaveNuova) {
    for (const auto& n : Esempi) {
        const json j = json::parse(Esegui("--json " + Q(Esempio(n))).out);
        for (const char* k :
             {"Casi", "Coefficienti", "LimitiFreccia", "PesoProprio", "PesoProprioQ"})
            EXPECT_FALSE(j["problem"].contains(k)) << n << " " << k;
        for (const char* k : {"Casi", "Inviluppi", "Frecce"})
            EXPECT_FALSE(j["results"].contains(k)) << n << " " << k;
        for (const char* t : {"CarichiTrapezi", "CarichiConcentrati", "Coppie"})
            for (const auto& r : j["problem"][t])
                EXPECT_FALSE(r.contains("Caso")) << n;
    }
}

// A problem with cases: the ψ taken from the category, the NTC factors and
// limits by default, the output in the schema; fed back, and saved as a
// data file (version 7.0) and calculated again, the same problem.
TEST(JsonCasi, AndataRitornoEFileDati) {
    const std::string f = FileJson("casi", UnaCampataConCasi);
    const fs::path zlv = Cartella / "casi.zlv";
    const Esecuzione a = Esegui("--json --save " + Q(zlv.string()) + " " + Q(f));
    ASSERT_EQ(a.stato, 0) << a.err;
    const json j = json::parse(a.out);
    const auto errori = SchemaProblema().Controlla(j);
    EXPECT_TRUE(errori.empty()) << (errori.empty() ? "" : errori.front());
    const json& p = j["problem"];
    EXPECT_EQ(p["Casi"], json::parse(R"([{"Nome": "Folla, \"uffici\" è", "Tipo": "Q",
        "Categoria": "B", "psi0": 0.7, "psi1": 0.5, "psi2": 0.3},
        {"Nome": "Finiture", "Tipo": "G2"}])"));
    EXPECT_EQ(p["Coefficienti"],
              json::parse(R"({"gG1": [1.3, 1.0], "gG2": [1.5, 0.8], "gQ": [1.5, 0.0]})"));
    EXPECT_EQ(p["LimitiFreccia"], json::parse("[250, 300]"));
    EXPECT_EQ(p["PesoProprioQ"].get<double>(), 2000.0);
    EXPECT_EQ(p["CarichiTrapezi"][0]["Caso"], 0);

    // Saving said what the file could not carry; the rest is the same.
    EXPECT_EQ(j["messages"],
              json::array({"Alcuni caratteri non ammessi nel file sono stati sostituiti."}));
    const Esecuzione b = Esegui("--json " + Q(FileJson("casi2", a.out)));
    ASSERT_EQ(b.stato, 0) << b.err;
    json senzaSalvare = j;
    senzaSalvare["messages"] = json::array();
    EXPECT_EQ(json::parse(b.out), senzaSalvare);

    // The file carries the cases (a quote is the one character it cannot).
    const std::string byte = Leggi(zlv);
    EXPECT_EQ(byte.rfind("\"Casi\",\"7.0\"\r\n", 0), 0u);
    EXPECT_NE(byte.find("\r\n2\r\n\"Folla, 'uffici' \xE8\",2,1,0.7,0.5,0.3\r\n"
                        "\"Finiture\",1,0,0,0,0\r\n"
                        "1.3,1,1.5,0.8,1.5,0\r\n250,300\r\n#TRUE#,2000\r\n"),
              std::string::npos);
    const Esecuzione z = Esegui("--json " + Q(zlv.string()));
    ASSERT_EQ(z.stato, 0) << z.err;
    json atteso = j["problem"];
    atteso["Casi"][0]["Nome"] = "Folla, 'uffici' è";
    EXPECT_EQ(json::parse(z.out)["problem"], atteso);

    // A preset and one pair over it.
    json c = json::parse(UnaCampataConCasi);
    c["problem"]["Coefficienti"] = {{"Norma", "EN1990"}, {"gQ", {1.35, 0.5}}};
    const Esecuzione e = Esegui("--json " + Q(FileJson("casi3", c.dump())));
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(json::parse(e.out)["problem"]["Coefficienti"],
              json::parse(R"({"gG1": [1.35, 1.0], "gG2": [1.35, 1.0], "gQ": [1.35, 0.5]})"));
}

// The envelopes of the span above, by hand (M = w·L²/8 at midspan, end
// reaction and shear w·L/2, deflection 5·w·L⁴/(384·E·J)), with the NTC
// factors γG1 1.3 / 1.0, γQ 1.5 / 0 and ψ of category B (0.7, 0.5, 0.3):
//   SLU              max w = 1.3·g + 1.5·q, min w = 1.0·g (crowd off)
//   Rara             max w = g + q
//   Frequente        max w = g + ψ1·q
//   Quasi permanente max w = g + ψ2·q
// and each minimum g alone. Deflection check: f of g + q, f2 of q alone,
// against L/250 and L/300.
TEST(JsonCasi, InviluppiDiUnaCampata) {
    const Esecuzione e = Esegui("--json " + Q(FileJson("inviluppi", UnaCampataConCasi)));
    ASSERT_EQ(e.stato, 0) << e.err;
    const json r = json::parse(e.out)["results"];
    const double g = 2000, q = 5000, L = 6;
    const double EJ = double(2.1e11f) * double(8.356e-5f);
    ASSERT_EQ(r["Casi"].size(), 3u);
    EXPECT_EQ(r["Casi"][2], json::parse(R"({"Nome": "Peso proprio", "Tipo": "G1"})"));
    // The whole load, self-weight included.
    EXPECT_NEAR(r["RA"].get<double>(), (g + q) * L / 2, 1e-3);

    struct Atteso {
        const char* chiave;
        double wMax, wMin;
    };
    const std::vector<Atteso> attesi = {{"SLU", 1.3 * g + 1.5 * q, 1.0 * g},
                                        {"Rara", g + q, g},
                                        {"Frequente", g + 0.5 * q, g},
                                        {"QuasiPermanente", g + 0.3 * q, g}};
    for (const auto& a : attesi) {
        const json& v = r["Inviluppi"][a.chiave];
        const auto& x = v["x"];
        size_t mezzo = 0;
        for (size_t i = 0; i < x.size(); ++i)
            if (std::fabs(x[i].get<double>() - L / 2) < std::fabs(x[mezzo].get<double>() - L / 2))
                mezzo = i;
        ASSERT_NEAR(x[mezzo].get<double>(), L / 2, 1e-9) << a.chiave;
        const double tol = 1e-6 * a.wMax * L * L;
        EXPECT_NEAR(v["Mmax"][mezzo].get<double>(), a.wMax * L * L / 8, tol) << a.chiave;
        EXPECT_NEAR(v["Mmin"][mezzo].get<double>(), a.wMin * L * L / 8, tol) << a.chiave;
        EXPECT_NEAR(v["fmax"][mezzo].get<double>(), 5 * a.wMax * std::pow(L, 4) / (384 * EJ),
                    1e-6 * a.wMax * std::pow(L, 4) / EJ)
            << a.chiave;
        EXPECT_NEAR(v["Vmax"][0].get<double>(), a.wMax * L / 2, tol) << a.chiave;
        ASSERT_EQ(v["Appoggi"].size(), 2u) << a.chiave;
        EXPECT_NEAR(v["Appoggi"][0]["Rmax"].get<double>(), a.wMax * L / 2, tol) << a.chiave;
        EXPECT_NEAR(v["Appoggi"][1]["Rmin"].get<double>(), a.wMin * L / 2, tol) << a.chiave;
        for (const char* k : {"Mmax", "Mmin", "Vmax", "Vmin", "fmax", "fmin"}) {
            EXPECT_EQ(v[k].size(), x.size()) << a.chiave << k;
            EXPECT_EQ(v["Governo"][k].size(), x.size()) << a.chiave << k;
        }
        // The governing combination names itself and, at its maximum, the crowd.
        const std::string testo = v["Governo"]["Mmax"][mezzo];
        EXPECT_EQ(
            testo.rfind(a.chiave == std::string("QuasiPermanente") ? "Quasi permanente" : a.chiave,
                        0),
            0u)
            << testo;
        EXPECT_NE(testo.find("Folla"), std::string::npos) << testo;
    }
    ASSERT_EQ(r["Frecce"].size(), 1u);
    const json& f = r["Frecce"][0];
    const double ft = 5 * (g + q) * std::pow(L, 4) / (384 * EJ),
                 f2 = 5 * q * std::pow(L, 4) / (384 * EJ);
    EXPECT_EQ(f["Campata"], 1);
    EXPECT_NEAR(f["f"].get<double>(), ft, 1e-6 * ft);
    EXPECT_NEAR(f["f2"].get<double>(), f2, 1e-6 * f2);
    EXPECT_NEAR(f["LsuF"].get<double>(), L / ft, 1e-5 * L / ft);
    EXPECT_NEAR(f["LsuF2"].get<double>(), L / f2, 1e-5 * L / f2);
    EXPECT_EQ(f["Limite"].get<double>(), 250.0);
    EXPECT_EQ(f["Limite2"].get<double>(), 300.0);
    EXPECT_EQ(f["Verificata"], L / ft >= 250 && L / f2 >= 300);
}

// Each load row in its own case through the whole run: the crowd q = 5 kN/m
// in case 0 and a screed g2 = 3 kN/m in case 1 on a 6 m simple span. At
// midspan (M = w·L²/8) with γG2 1.5 / 0.8 and γQ 1.5 / 0:
//   SLU  max w = 1.5·g2 + 1.5·q, min w = 0.8·g2;  Rara  max w = g2 + q, min w = g2.
TEST(JsonCasi, OgniRigaNelSuoCaso) {
    const std::string f = FileJson("righe", R"({"problem": {"Titolo": "Righe", "Luce": 6,
        "E": 2.1e11, "J": 8.356e-5, "Vincoli": 0, "NSezioni": 10,
        "CarichiTrapezi": [{"q1": 5000, "q2": 5000, "d1": 0, "d2": 6, "Caso": 0},
                           {"q1": 3000, "q2": 3000, "d1": 0, "d2": 6, "Caso": 1}],
        "Casi": [{"Nome": "Folla", "Tipo": "Q", "Categoria": "B"},
                 {"Nome": "Massetto", "Tipo": "G2"}]}})");
    const Esecuzione e = Esegui("--json " + Q(f));
    ASSERT_EQ(e.stato, 0) << e.err;
    const json j = json::parse(e.out);
    EXPECT_EQ(j["problem"]["CarichiTrapezi"][1]["Caso"], 1);
    const double g2 = 3000, q = 5000, L = 6;
    struct Atteso {
        const char* chiave;
        double wMax, wMin;
    };
    for (const Atteso& a :
         {Atteso{"SLU", 1.5 * g2 + 1.5 * q, 0.8 * g2}, Atteso{"Rara", g2 + q, g2}}) {
        const json& v = j["results"]["Inviluppi"][a.chiave];
        size_t mezzo = 0;
        for (size_t i = 0; i < v["x"].size(); ++i)
            if (std::fabs(v["x"][i].get<double>() - L / 2) < 1e-9) mezzo = i;
        ASSERT_NEAR(v["x"][mezzo].get<double>(), L / 2, 1e-9);
        EXPECT_NEAR(v["Mmax"][mezzo].get<double>(), a.wMax * L * L / 8, 1e-3) << a.chiave;
        EXPECT_NEAR(v["Mmin"][mezzo].get<double>(), a.wMin * L * L / 8, 1e-3) << a.chiave;
    }
}
