// zelvo-calc as a user runs it: on every example, with --json, --report and
// the exit statuses.
//
// Witness of the numbers: the beam theory of a single span computed here,
// independently of the program: reactions and M(x) by statics, the
// redundant end moments by compatibility and the deflections by the
// unit-load method, every integral exact (3-point Gauss on each stretch
// between load positions: the integrands are polynomials of degree <= 4).
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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
// Independent beam theory.

struct Trapezio {
    double q1, q2, d1, d2;
};
struct Forza {
    double F, d;
};
struct Coppia {
    double W, d;
};

struct Trave {
    int vincoli = 0;
    double L = 0, EJ = 0;
    std::vector<Trapezio> trapezi;
    std::vector<Forza> forze;
    std::vector<Coppia> coppie;
    // End actions, filled by Risolvi().
    double RA = 0, RB = 0, MA = 0, MB = 0;

    // Single-precision fields: the JSON holds the shortest decimal of each
    // single; reading it back as a single gives the program's exact value.
    static double S(const json& v) { return static_cast<double>(v.get<float>()); }

    static Trave DaJson(const json& p) {
        Trave t;
        t.vincoli = p["Vincoli"].get<int>();
        t.L = S(p["Luce"]);
        t.EJ = S(p["E"]) * S(p["J"]);
        for (const auto& r : p["CarichiTrapezi"])
            t.trapezi.push_back({S(r["q1"]), S(r["q2"]), S(r["d1"]), S(r["d2"])});
        for (const auto& r : p["CarichiConcentrati"])
            t.forze.push_back({S(r["F"]), S(r["d"])});
        for (const auto& r : p["Coppie"])
            t.coppie.push_back({S(r["W"]), S(r["d"])});
        t.Risolvi();
        return t;
    }

    // Moment at x of the loads at or left of x about x (sagging positive):
    // a downward load left of x gives -F·(x - d); a clockwise couple +W.
    double MCarichi(double x) const {
        double m = 0;
        for (const auto& f : forze)
            if (f.d <= x) m -= f.F * (x - f.d);
        for (const auto& c : coppie)
            if (c.d <= x) m += c.W;
        for (const auto& t : trapezi) {
            if (x <= t.d1) continue;
            const double b = std::min(x, t.d2);
            // q(s) = q1 + (q2 - q1)(s - d1)/(d2 - d1); ∫_{d1}^{b} q(s)(x - s) ds
            const double k = (t.q2 - t.q1) / (t.d2 - t.d1);
            const auto prim = [&](double s) {
                const double u = s - t.d1;
                // ∫ (q1 + k u)(x - d1 - u) du
                const double a = x - t.d1;
                return t.q1 * (a * u - u * u / 2) + k * (a * u * u / 2 - u * u * u / 3);
            };
            m -= prim(b) - prim(t.d1);
        }
        return m;
    }
    double Totale() const {
        double s = 0;
        for (const auto& f : forze)
            s += f.F;
        for (const auto& t : trapezi)
            s += (t.q1 + t.q2) / 2 * (t.d2 - t.d1);
        return s;
    }
    // Moment of the simply supported span.
    double M0(double x) const { return RA0() * x + MCarichi(x); }
    double RA0() const { return -MCarichi(L) / L; }
    double M(double x) const { return MA + RA * x + MCarichi(x); }

    std::vector<double> Rotture() const {
        std::vector<double> p = {0, L};
        for (const auto& f : forze)
            p.push_back(f.d);
        for (const auto& c : coppie)
            p.push_back(c.d);
        for (const auto& t : trapezi) {
            p.push_back(t.d1);
            p.push_back(t.d2);
        }
        return p;
    }
    // ∫_0^L g, exact for piecewise polynomials of degree <= 5 between the
    // load positions and the extra break points.
    double Integra(const std::function<double(double)>& g, std::vector<double> extra = {}) const {
        std::vector<double> p = Rotture();
        p.insert(p.end(), extra.begin(), extra.end());
        std::vector<double> q;
        for (double v : p)
            if (v >= 0 && v <= L) q.push_back(v);
        std::sort(q.begin(), q.end());
        const double gx[3] = {-std::sqrt(0.6), 0, std::sqrt(0.6)};
        const double gw[3] = {5.0 / 9, 8.0 / 9, 5.0 / 9};
        double s = 0;
        for (size_t i = 0; i + 1 < q.size(); ++i) {
            const double a = q[i], b = q[i + 1];
            if (b <= a) continue;
            for (int k = 0; k < 3; ++k)
                s += gw[k] * (b - a) / 2 * g((a + b) / 2 + gx[k] * (b - a) / 2);
        }
        return s;
    }

    void Risolvi() {
        const double tot = Totale();
        switch (vincoli) {
        case 0: // simply supported
            MA = MB = 0;
            RA = RA0();
            break;
        case 1:
        case 2: {
            // Compatibility of the end rotations: with M = M0 + MA(1-x/L) + MB x/L,
            // ∫M(1-x/L) = 0 at a fixed A and ∫M x/L = 0 at a fixed B.
            const double a0 = Integra([&](double x) { return M0(x) * (1 - x / L); });
            const double b0 = Integra([&](double x) { return M0(x) * x / L; });
            if (vincoli == 1) {
                // a0 + MA L/3 + MB L/6 = 0, b0 + MA L/6 + MB L/3 = 0
                MA = (-4 * a0 + 2 * b0) / L;
                MB = (2 * a0 - 4 * b0) / L;
            } else {
                MA = -3 * a0 / L;
                MB = 0;
            }
            RA = RA0() + (MB - MA) / L;
            break;
        }
        case 3: // cantilever fixed at A
            RA = tot;
            MA = -(RA * L + MCarichi(L));
            MB = 0;
            break;
        }
        RB = tot - RA;
    }

    // Deflection at x0 (downward positive) by the unit-load method on a
    // statically determinate release of the same beam.
    double f(double x0) const {
        std::function<double(double)> m;
        if (vincoli == 3)
            m = [=](double x) { return x < x0 ? -(x0 - x) : 0.0; };
        else
            m = [=, this](double x) { return x < x0 ? (L - x0) * x / L : x0 * (L - x) / L; };
        return Integra([&](double x) { return M(x) * m(x); }, {x0}) / EJ;
    }
    // End rotations, A clockwise and B counterclockwise (positive for a
    // sagging span), by the unit-load method: a unit couple at A on the
    // simply supported span has the moment 1 - x/L, at B x/L. On the
    // cantilever A does not turn and B turns by -f'(L) = ∫M/EJ.
    double RotA() const {
        if (vincoli == 3) return 0;
        return Integra([&](double x) { return M(x) * (1 - x / L); }) / EJ;
    }
    double RotB() const {
        if (vincoli == 3) return Integra([&](double x) { return M(x); }) / EJ;
        return Integra([&](double x) { return M(x) * x / L; }) / EJ;
    }
};

// |a - b| within rel·|b| (plus a floor for values that are zero).
void Vicino(double a, double b, double rel, double floor, const std::string& cosa) {
    EXPECT_NEAR(a, b, rel * std::fabs(b) + floor) << cosa;
}

// ---------------------------------------------------------------------------

struct CasoEsempio {
    const char* file;
    int vincoli;
};
class EsempioSemplice : public ::testing::TestWithParam<CasoEsempio> {};

TEST_P(EsempioSemplice, JsonControTeoriaDellaTrave) {
    const auto& c = GetParam();
    const Esecuzione e = Esegui("--json " + Q(Esempi + c.file));
    ASSERT_EQ(e.stato, 0) << e.err;
    const json j = Json(e);
    ASSERT_EQ(j["problem"]["Vincoli"], c.vincoli);
    const Trave t = Trave::DaJson(j["problem"]);
    const json& r = j["results"];
    ASSERT_TRUE(r.is_object());
    const double scalaM = std::max(std::fabs(t.MA), t.Totale() * t.L / 8);
    const double scalaF = t.Totale();
    // End actions: exact formulas in double on the same single inputs; the
    // program forms E·J in single precision (relative 6e-8), so 1e-6.
    Vicino(r["RA"], t.RA, 1e-6, 1e-9 * scalaF, "RA");
    Vicino(r["RB"], t.RB, 1e-6, 1e-9 * scalaF, "RB");
    Vicino(r["MA"], t.MA, 1e-6, 1e-9 * scalaM, "MA");
    Vicino(r["MB"], t.MB, 1e-6, 1e-9 * scalaM, "MB");
    const double rot = std::fabs(t.Totale() * t.L * t.L / t.EJ);
    Vicino(r["RotA"], t.RotA(), 1e-6, 1e-9 * rot, "RotA");
    Vicino(r["RotB"], t.RotB(), 1e-6, 1e-9 * rot, "RotB");

    // M and V at every calculation point, against statics at the same
    // abscissa (single precision results: 1e-6 of the moment scale).
    const auto& x = r["x"];
    const int n = r["NPunti"];
    ASSERT_EQ(static_cast<int>(x.size()), n);
    double mmax = -1e30, mmin = 1e30;
    for (int i = 1; i < n - 1; ++i) {
        const double xi = x[i];
        // Points shared by a jump (a couple) take either side's value.
        const double mi = r["M"][i];
        const double m = t.M(xi);
        if (std::fabs(mi - m) > 2e-6 * scalaM) {
            const double ms = t.M(xi - 1e-9 * t.L), md = t.M(xi + 1e-9 * t.L);
            EXPECT_TRUE(std::fabs(mi - ms) <= 2e-6 * scalaM || std::fabs(mi - md) <= 2e-6 * scalaM)
                << "M at x = " << xi << ": " << mi << " vs " << m;
        }
        mmax = std::max(mmax, mi);
        mmin = std::min(mmin, mi);
    }
    // Extremes: over the points, with the end points carrying 0.
    Vicino(r["Mmax"], std::max(mmax, 0.0), 0, 1e-7 * scalaM, "Mmax");
    Vicino(r["Mmin"], std::min(mmin, 0.0), 0, 1e-7 * scalaM, "Mmin");
    // Mmax = 0 sits on the first point (which carries 0 by convention).
    if (r["Mmax"].get<double>() > 0)
        Vicino(t.M(r["xMmax"]), r["Mmax"], 2e-6, 1e-6 * scalaM, "M(xMmax)");

    // Values at x: exact statics for M (single: 1e-6); the deflection is
    // integrated on the calculation points with an error falling as the
    // square of the spacing (0.1 % at 100 sections): 0.3 %.
    const double xa = j["problem"]["AscissaX"];
    Vicino(r["Mx"], t.M(xa), 2e-6, 1e-6 * scalaM, "Mx");
    const double fscala = std::fabs(t.f(xa)) + std::fabs(t.f(t.L)) + std::fabs(t.f(t.L / 2));
    Vicino(r["fx"], t.f(xa), 3e-3, 1e-4 * fscala, "fx");
    Vicino(r["fmax"], t.f(r["xfmax"]), 3e-3, 1e-4 * fscala, "fmax");
    // Off a foundation there is no soil.
    EXPECT_TRUE(r["Sigmax"].is_null());
    EXPECT_TRUE(r["qSuoloA"].is_null());
    EXPECT_TRUE(r["Molle"].empty());
    EXPECT_FALSE(j.contains("foundation"));
}

INSTANTIATE_TEST_SUITE_P(Schemi, EsempioSemplice,
                         ::testing::Values(CasoEsempio{"appoggio-appoggio.zlv", 0},
                                           CasoEsempio{"incastro-incastro.zlv", 1},
                                           CasoEsempio{"incastro-appoggio.zlv", 2},
                                           CasoEsempio{"mensola.zlv", 3}),
                         [](const auto& i) {
                             std::string n = i.param.file;
                             n = n.substr(0, n.find('.'));
                             std::replace(n.begin(), n.end(), '-', '_');
                             return n;
                         });

// ---------------------------------------------------------------------------
// Foundations: equilibrium of the soil against the loads, and the rigid
// pressure line from the resultant and its eccentricity.

TEST(EsempioFondazione, RigidaPressioneLineare) {
    const Esecuzione e = Esegui("--json " + Q(Esempi + "fondazione-rigida.zlv"));
    ASSERT_EQ(e.stato, 0) << e.err;
    const json j = Json(e);
    const Trave t = Trave::DaJson(j["problem"]);
    const json& r = j["results"];
    // Resultant N and its abscissa from the loads; eccentricity from the middle.
    const double N = t.Totale();
    // MCarichi(L) is minus the moment of the loads about B.
    const double xR = t.L + t.MCarichi(t.L) / N;
    const double momento0 = [&] {
        double m = 0;
        for (const auto& f : t.forze)
            m += f.F * f.d;
        for (const auto& q : t.trapezi)
            m += t.Integra([&](double x) {
                if (x < q.d1 || x > q.d2) return 0.0;
                return (q.q1 + (q.q2 - q.q1) * (x - q.d1) / (q.d2 - q.d1)) * x;
            });
        return m;
    }();
    ASSERT_NEAR(xR, momento0 / N, 1e-9 * t.L); // two routes to the same resultant
    const double ecc = t.L / 2 - xR;
    ASSERT_LT(std::fabs(ecc), t.L / 6); // the example is in full contact
    // Full contact: q = N/L (1 ± 6e/L), larger at the end nearer the resultant.
    const double qA = N / t.L * (1 + 6 * ecc / t.L), qB = N / t.L * (1 - 6 * ecc / t.L);
    Vicino(r["qSuoloA"], qA, 1e-6, 0, "qSuoloA");
    Vicino(r["qSuoloB"], qB, 1e-6, 0, "qSuoloB");
    EXPECT_EQ(r["xContattoIniz"], 0.0);
    Vicino(r["xContattoFine"], t.L, 1e-7, 0, "xContattoFine");
    const double b = j["problem"]["b"], K = j["problem"]["K"];
    const json& fo = j["foundation"];
    Vicino(fo["SigmaA"], qA / b, 1e-6, 0, "SigmaA");
    Vicino(fo["SigmaB"], qB / b, 1e-6, 0, "SigmaB");
    // Settlement of the rigid beam: pressure / K at the ends, a straight line.
    const json& f = r["f"];
    Vicino(f[0], qA / b / K, 1e-6, 0, "f(0)");
    Vicino(f[f.size() - 1], qB / b / K, 1e-6, 0, "f(L)");
    // The probe: soil stress at x on the pressure line, divided by b.
    const double xa = j["problem"]["AscissaX"];
    Vicino(r["Sigmax"], (qA + (qB - qA) * xa / t.L) / b, 1e-6, 0, "Sigmax");
    // Soil and loads balance: the free ends carry no shear or moment.
    EXPECT_TRUE(r["Molle"].empty());
}

TEST(EsempioFondazione, WinklerMolleInEquilibrio) {
    const Esecuzione e = Esegui("--json " + Q(Esempi + "fondazione-winkler.zlv"));
    ASSERT_EQ(e.stato, 0) << e.err;
    const json j = Json(e);
    const Trave t = Trave::DaJson(j["problem"]);
    const json& r = j["results"];
    const json& molle = r["Molle"];
    ASSERT_EQ(static_cast<int>(molle.size()), j["problem"]["NDivisioni"].get<int>() + 1);
    // The springs (upward reactions negative in the load convention) carry
    // the whole load and its moment: vertical and rotational equilibrium of
    // the free beam (double precision solution: 1e-6 of the load).
    double somma = 0, momento = 0, momentoCarichi = 0;
    for (const auto& m : molle) {
        somma += m[0].get<double>();
        momento += m[0].get<double>() * m[1].get<double>();
    }
    for (const auto& f : t.forze)
        momentoCarichi += f.F * f.d;
    for (const auto& c : t.coppie)
        momentoCarichi += c.W; // clockwise, as a downward force right of 0
    for (const auto& q : t.trapezi)
        momentoCarichi += (q.q1 + q.q2) / 2 * (q.d2 - q.d1) * (q.d1 + q.d2) / 2; // uniform rows
    const double N = t.Totale();
    EXPECT_NEAR(-somma, N, 1e-6 * N);
    EXPECT_NEAR(-momento, momentoCarichi, 1e-6 * N * t.L);
    // Free ends: zero moment and shear at the last interior points.
    EXPECT_TRUE(r["qSuoloA"].is_null());
    EXPECT_FALSE(r["Sigmax"].is_null());
    EXPECT_TRUE(j["foundation"].is_object());
    // Soil pressure at A on elastic soil: K·f(1).
    const double K = j["problem"]["K"];
    Vicino(j["foundation"]["SigmaA"], K * r["f"][0].get<double>(), 1e-6, 0, "SigmaA");
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
