// zelvo-calc with a steel member check in the JSON problem: the checks in
// the output with their exact keys and values worked out by hand, the check
// fed back unchanged, input faults as usage errors naming the key, and no
// trace of the check in a problem without one.
#include "tests/comune/zelvo_calc.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace zelvo::prova;
namespace fs = std::filesystem;
using nlohmann::json;

const fs::path& Cartella = CartellaCalc();

// A simply supported IPE 300, 6 m, under 20 kN/m.
std::string Problema(const std::string& verifica) {
    return R"({"problem": {"Titolo": "IPE", "Luce": 6, "E": 2.1e11, "J": 8.356e-5, "Vincoli": 0,
        "NSezioni": 100, "AscissaX": 3,
        "CarichiTrapezi": [{"q1": 20000, "q2": 20000, "d1": 0, "d2": 6}])" +
           (verifica.empty() ? std::string() : ", \"Verifica\": " + verifica) + "}}";
}

} // namespace

// M = qL²/8 = 90 kN·m, V = qL/2 = 60 kN. IPE 300 in S235, class 1, γM0 1.05:
// Mc,Rd = Wpl·fy/γM0 = 628.4e3·235/1.05 N·mm = 140.642 kN·m; shear area
// Av = 5381 − 2·150·10.7 + (7.1 + 2·15)·10.7 = 2567.97 mm², Vc,Rd =
// Av·fy/(√3·γM0) = 331.83 kN. With γM0 = 1.00 both grow by 1.05.
TEST(VerificheJson, UscitaConChiaviEValori) {
    const std::string f =
        FileJson("ipe", Problema(R"({"Profilo": "IPE300", "Acciaio": "S235", "gM0": 1.0, "gM1": 1.0,
                            "Ritegni": "continui", "QuotaCarico": "baricentro"})"));
    const Esecuzione e = Esegui("--json '" + f + "'");
    ASSERT_EQ(e.stato, 0) << e.err;
    const json j = json::parse(e.out);
    ASSERT_TRUE(j.contains("checks"));
    const json& c = j["checks"];
    std::vector<std::string> chiavi;
    for (auto it = c.begin(); it != c.end(); ++it)
        chiavi.push_back(it.key());
    EXPECT_EQ(chiavi,
              (std::vector<std::string>{"Base", "Governo", "Motivo", "Verificata", "Verifiche"}));
    EXPECT_EQ(c["Base"], "Azioni di progetto: risultati del calcolo (nessuna combinazione)");
    EXPECT_TRUE(c["Motivo"].is_null());
    EXPECT_EQ(c["Verificata"], true);
    ASSERT_EQ(c["Verifiche"].size(), 1u);
    const json& v = c["Verifiche"][0];
    std::vector<std::string> k;
    for (auto it = v.begin(); it != v.end(); ++it)
        k.push_back(it.key());
    EXPECT_EQ(k, (std::vector<std::string>{"Campata",  "Classe", "Governo", "MEd",        "MVRd",
                                           "MbRd",     "McRd",   "Mcr",     "Situazione", "Tipo",
                                           "Utilizzo", "VEd",    "VcRd",    "Verificata", "chiLT",
                                           "lambdaLT", "x0",     "x1",      "xM",         "xV"}));
    const double McRd = 628.4e3 * 235 / 1000, VcRd = 2567.97 * 235 / std::sqrt(3.0);
    EXPECT_EQ(v["Campata"], 1);
    EXPECT_EQ(v["Tipo"], "campata");
    EXPECT_EQ(v["Classe"], 1);
    EXPECT_NEAR(v["MEd"].get<double>(), 90000, 1);
    EXPECT_NEAR(v["McRd"].get<double>(), McRd, 1);
    EXPECT_NEAR(v["VEd"].get<double>(), 60000, 1);
    EXPECT_NEAR(v["VcRd"].get<double>(), VcRd, 1);
    EXPECT_TRUE(v["Mcr"].is_null()); // restrained continuously
    EXPECT_TRUE(v["MbRd"].is_null());
    EXPECT_NEAR(v["Utilizzo"]["Flessione"].get<double>(), 90000 / McRd, 1e-5);
    EXPECT_NEAR(v["Utilizzo"]["Taglio"].get<double>(), 60000 / VcRd, 1e-5);
    EXPECT_NEAR(v["Utilizzo"]["Totale"].get<double>(), 90000 / McRd, 1e-5);
    EXPECT_EQ(v["Utilizzo"]["Svergolamento"], 0.0);
    EXPECT_EQ(v["Governo"], "Flessione");
    EXPECT_EQ(c["Governo"]["Campata"], 1);
    EXPECT_EQ(c["Governo"]["Controllo"], "Flessione");
    // The problem's check as written, and fed back: the same output.
    EXPECT_EQ(j["problem"]["Verifica"],
              json::parse(R"({"Profilo": "IPE300", "Acciaio": "S235", "gM0": 1.0, "gM1": 1.0,
                              "Ritegni": "continui", "QuotaCarico": "baricentro"})"));
    const Esecuzione b = Esegui("--json '" + FileJson("ipe-ritorno", e.out) + "'");
    ASSERT_EQ(b.stato, 0) << b.err;
    EXPECT_EQ(json::parse(b.out), j);
}

// Restrained at the supports only, loads on the top flange: lateral-
// torsional buckling governs this 6 m IPE 300 (Mcr of the order of
// 100 kN·m against Mpl = 147.7 kN·m), and restraints at the thirds relieve
// it: two abscissae, a buckling length a third as long.
TEST(VerificheJson, RitegniPuntuali) {
    const Esecuzione a =
        Esegui("--json '" + FileJson("ltb", Problema(R"({"Profilo": "IPE300"})")) + "'");
    ASSERT_EQ(a.stato, 0) << a.err;
    const json ja = json::parse(a.out);
    EXPECT_EQ(ja["problem"]["Verifica"]["Ritegni"], json::array());
    EXPECT_EQ(ja["problem"]["Verifica"]["QuotaCarico"], "superiore");
    const json& va = ja["checks"]["Verifiche"][0];
    EXPECT_EQ(va["Governo"], "Svergolamento");
    EXPECT_LT(va["chiLT"].get<double>(), 1);
    const Esecuzione b =
        Esegui("--json '" +
               FileJson("ltb3", Problema(R"({"Profilo": "IPE300", "Ritegni": [4, 2]})")) + "'");
    ASSERT_EQ(b.stato, 0) << b.err;
    const json jb = json::parse(b.out);
    EXPECT_EQ(jb["problem"]["Verifica"]["Ritegni"], json::parse("[2.0, 4.0]"));
    const json& vb = jb["checks"]["Verifiche"][0];
    EXPECT_GT(vb["Mcr"].get<double>(), 3 * va["Mcr"].get<double>());
    EXPECT_LT(vb["Utilizzo"]["Svergolamento"].get<double>(),
              va["Utilizzo"]["Svergolamento"].get<double>());
}

// Without "Verifica" neither the problem nor the output mention a check.
TEST(VerificheJson, SenzaVerificaNessunaTraccia) {
    const Esecuzione e = Esegui("--json '" + FileJson("senza", Problema("")) + "'");
    ASSERT_EQ(e.stato, 0) << e.err;
    EXPECT_EQ(e.out.find("Verific"), std::string::npos);
    EXPECT_EQ(e.out.find("checks"), std::string::npos);
}

TEST(VerificheJson, ErroriNominanoLaChiave) {
    struct Caso {
        std::string verifica, atteso;
    };
    const std::vector<Caso> casi = {
        {R"({})", "problem.Verifica.Profilo: missing"},
        {R"([])", "problem.Verifica: must be an object"},
        {R"({"Profilo": "IPE 301"})", "problem.Verifica.Profilo: out of range"},
        {R"({"Profilo": 300})", "problem.Verifica.Profilo: must be a string"},
        {R"({"Profilo": "IPE300", "Acciaio": "S420"})", "problem.Verifica.Acciaio: out of range"},
        {R"({"Profilo": "IPE300", "gM0": 0.5})", "problem.Verifica.gM0: out of range (1 to 2)"},
        {R"({"Profilo": "IPE300", "gM1": "1"})", "problem.Verifica.gM1: must be a number"},
        {R"({"Profilo": "IPE300", "Ritegni": "ovunque"})",
         "problem.Verifica.Ritegni: must be an array of abscissae or \"continui\""},
        {R"({"Profilo": "IPE300", "Ritegni": [1, 7]})",
         "problem.Verifica.Ritegni[1]: out of range (0 to the beam's length)"},
        {R"({"Profilo": "IPE300", "QuotaCarico": "alta"})",
         "problem.Verifica.QuotaCarico: out of range"},
        {R"({"Profilo": "IPE300", "Pippo": 1})", "problem.Verifica.Pippo: unknown key"},
    };
    for (size_t i = 0; i < casi.size(); ++i) {
        const std::string f = FileJson("errore" + std::to_string(i), Problema(casi[i].verifica));
        const Esecuzione e = Esegui("--json '" + f + "'");
        EXPECT_EQ(e.stato, 2) << casi[i].verifica;
        EXPECT_EQ(e.out, "") << casi[i].verifica;
        EXPECT_NE(e.err.find(casi[i].atteso), std::string::npos) << casi[i].verifica << "\n"
                                                                 << e.err;
    }
}

// The text report: the checks' section only with a check. With γM0 = 1:
// 90/147.674 = 0.609 bending, 60/348.43 = 0.172 shear.
TEST(VerificheJson, Relazione) {
    const Esecuzione a = Esegui(
        "'" +
        FileJson("rel",
                 Problema(R"({"Profilo": "IPE300", "gM0": 1, "gM1": 1, "Ritegni": "continui"})")) +
        "'");
    ASSERT_EQ(a.stato, 0) << a.err;
    EXPECT_NE(a.out.find("Verifiche acciaio: IPE300, S235, gM0 = 1, gM1 = 1\n"), std::string::npos)
        << a.out;
    EXPECT_NE(a.out.find("Azioni di progetto: risultati del calcolo (nessuna combinazione)\n"),
              std::string::npos);
    EXPECT_NE(a.out.find("Governa la campata 1: Flessione, utilizzo 0.609 - verificata\n"),
              std::string::npos)
        << a.out;
    EXPECT_NE(a.out.find("0.172"), std::string::npos);
    const Esecuzione b = Esegui("'" + FileJson("rel0", Problema("")) + "'");
    ASSERT_EQ(b.stato, 0) << b.err;
    EXPECT_EQ(b.out.find("Verific"), std::string::npos);
}
