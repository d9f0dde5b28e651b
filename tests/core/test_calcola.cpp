// Whole calculations of the four single-span schemes against an independent
// witness: the beam equation solved with Macaulay brackets. The test writes
// M(x) = MA + RA·x + (load terms), integrates it twice in closed form for
// the deflection f'' = -M/EJ, and finds MA, RA, f(0), f'(0) from the four
// boundary conditions of the scheme by Gaussian elimination. That is a
// different road from the force method of the program (superposition on the
// simply supported span and compatibility of end rotations).
#include "core/calcolo.h"
#include "core/modulo_zelvo.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace zelvo;

namespace {

// <x - s>^n with <.>^0 = 1 for x >= s (a load at x counts at x).
double Mac(double x, double s, int n) {
    if (x < s) return 0;
    return std::pow(x - s, n);
}

struct Testimone {
    DatiTrave d;
    double EJ = 0, L = 0;
    double MA = 0, RA = 0, f0 = 0, t0 = 0;

    // Load terms of M, V and of the double integral of M (from 0).
    void Termini(double x, double& M, double& V, double& M2, double& M1) const {
        M = V = M2 = M1 = 0;
        // A distributed term c·<x-s>^n: V -= c<>^(n+1)/(n+1), M -= c<>^(n+2)/((n+1)(n+2)).
        auto dist = [&](double c, double s, int n) {
            const double a1 = n + 1, a2 = a1 * (n + 2), a3 = a2 * (n + 3), a4 = a3 * (n + 4);
            V -= c * Mac(x, s, n + 1) / a1;
            M -= c * Mac(x, s, n + 2) / a2;
            M1 -= c * Mac(x, s, n + 3) / a3;
            M2 -= c * Mac(x, s, n + 4) / a4;
        };
        for (int i = 1; i <= d.NTrapezi; ++i) {
            const auto& t = d.CarichiTrapezi(i);
            const double k = (double(t.q2) - t.q1) / (double(t.d2) - t.d1);
            dist(t.q1, t.d1, 0);
            dist(k, t.d1, 1);
            dist(-k, t.d2, 1);
            dist(-double(t.q2), t.d2, 0);
        }
        for (int i = 1; i <= d.NConcentrati; ++i) {
            const auto& c = d.CarichiConcentrati(i);
            V -= c.F * Mac(x, c.d, 0);
            M -= c.F * Mac(x, c.d, 1);
            M1 -= c.F * Mac(x, c.d, 2) / 2;
            M2 -= c.F * Mac(x, c.d, 3) / 6;
        }
        for (int i = 1; i <= d.NCoppie; ++i) {
            const auto& c = d.Coppie(i);
            M += c.W * Mac(x, c.d, 0);
            M1 += c.W * Mac(x, c.d, 1);
            M2 += c.W * Mac(x, c.d, 2) / 2;
        }
    }
    double Momento(double x) const {
        double M, V, M2, M1;
        Termini(x, M, V, M2, M1);
        return MA + RA * x + M;
    }
    double Taglio(double x) const {
        double M, V, M2, M1;
        Termini(x, M, V, M2, M1);
        return RA + V;
    }
    // f(x) = f0 + t0·x - (MA x²/2 + RA x³/6 + ∫∫M_loads)/EJ.
    double Freccia(double x) const {
        double M, V, M2, M1;
        Termini(x, M, V, M2, M1);
        return f0 + t0 * x - (MA * x * x / 2 + RA * x * x * x / 6 + M2) / EJ;
    }
    double Pendenza(double x) const {
        double M, V, M2, M1;
        Termini(x, M, V, M2, M1);
        return t0 - (MA * x + RA * x * x / 2 + M1) / EJ;
    }

    void Risolvi() {
        L = d.Luce;
        EJ = double(d.E * d.J);
        double M, V, M2, M1;
        Termini(L, M, V, M2, M1);
        // Unknowns (MA, RA, f0, t0); rows are linear conditions A·u = b.
        std::vector<std::array<double, 5>> righe;
        auto fA = std::array<double, 5>{0, 0, 1, 0, 0}; // f(0) = 0
        auto tA = std::array<double, 5>{0, 0, 0, 1, 0}; // f'(0) = 0
        auto mA = std::array<double, 5>{1, 0, 0, 0, 0}; // M(0) = 0
        auto fB = std::array<double, 5>{-L * L / (2 * EJ), -L * L * L / (6 * EJ), 1, L, M2 / EJ};
        auto tB = std::array<double, 5>{-L / EJ, -L * L / (2 * EJ), 0, 1, M1 / EJ};
        auto mB = std::array<double, 5>{1, L, 0, 0, -M};
        auto vB = std::array<double, 5>{0, 1, 0, 0, -V};
        switch (d.Vincoli) {
        case 0:
            righe = {fA, mA, fB, mB};
            break;
        case 1:
            righe = {fA, tA, fB, tB};
            break;
        case 2:
            righe = {fA, tA, fB, mB};
            break;
        case 3:
            righe = {fA, tA, mB, vB};
            break;
        }
        // Gaussian elimination with partial pivoting.
        for (int c = 0; c < 4; ++c) {
            int p = c;
            for (int r = c + 1; r < 4; ++r)
                if (std::fabs(righe[r][c]) > std::fabs(righe[p][c])) p = r;
            std::swap(righe[c], righe[p]);
            for (int r = 0; r < 4; ++r) {
                if (r == c) continue;
                const double k = righe[r][c] / righe[c][c];
                for (int j = 0; j < 5; ++j)
                    righe[r][j] -= k * righe[c][j];
            }
        }
        MA = righe[0][4] / righe[0][0];
        RA = righe[1][4] / righe[1][1];
        f0 = righe[2][4] / righe[2][2];
        t0 = righe[3][4] / righe[3][3];
    }
};

struct Caso {
    std::string nome;
    float L;
    std::vector<CaricoTrapezio> trapezi;
    std::vector<CaricoConcentrato> forze;
    std::vector<CaricoCoppia> coppie;
};

DatiTrave Problema(const Caso& c, int16_t vincoli, int16_t nSezioni) {
    DatiTrave d;
    d.Luce = c.L;
    d.E = 3.0e10f;
    d.J = 5.4e-4f;
    d.Vincoli = vincoli;
    d.NSezioni = nSezioni;
    d.AscissaX = c.L * 0.37f;
    for (const auto& t : c.trapezi)
        prova::Trapezio(d, t.q1, t.q2, t.d1, t.d2);
    for (const auto& f : c.forze)
        prova::Forza(d, f.F, f.d);
    for (const auto& k : c.coppie)
        prova::Coppia(d, k.W, k.d);
    return d;
}

const std::vector<Caso>& Casi() {
    static const std::vector<Caso> c = {
        {"Uniforme", 6, {{12000, 12000, 0, 6}}, {}, {}},
        {"Trapezio", 6, {{3000, 7000, 1, 4}}, {}, {}},
        {"TrapezioDecrescente", 7.5f, {{9000, -2000, 0.5f, 7.5f}}, {}, {}},
        {"Forza", 5, {}, {{20000, 1.8f}}, {}},
        {"ForzaInMezzeria", 4, {}, {{10000, 2}}, {}},
        {"Coppia", 5, {}, {}, {{15000, 1.7f}}},
        {"CariciInZero", 5, {}, {{7000, 0}}, {{4000, 0}}},
        {"CarichiInLuce", 5, {}, {{7000, 5}}, {{-4000, 5}}},
        {"DueCarichiStessaAscissa", 6, {}, {{5000, 2.5f}, {-2000, 2.5f}}, {{3000, 2.5f}}},
        {"Misti",
         8,
         {{4000, 4000, 0, 8}, {0, 9000, 2, 5.5f}, {-1500, 2500, 6, 7}},
         {{12000, 1}, {-3000, 4.25f}, {8000, 7.9f}},
         {{6000, 3}, {-2500, 6.5f}}},
        {"NessunCarico", 3, {}, {}, {}},
    };
    return c;
}

using Param = std::tuple<int, int16_t>;

class SchemiContraTestimone : public ::testing::TestWithParam<Param> {};

// Tolerances: M and V are exact statics stored in single precision, so they
// agree to a few units of 1e-7 of the largest value; the reactions and end
// moments are doubles and agree to 1e-9 relative. The deflection is a
// numerical integration whose error falls as h²: at NSezioni = 1000 it is
// below 1e-5 of the largest deflection in every case (1e-4 leaves room for
// the single-precision accumulation).
TEST_P(SchemiContraTestimone, AzioniReazioniFrecce) {
    const Caso& c = Casi()[size_t(std::get<0>(GetParam()))];
    const int16_t vincoli = std::get<1>(GetParam());
    ModuloZelvo m;
    m.Dati = Problema(c, vincoli, 1000);
    Testimone t;
    t.d = m.Dati;
    t.Risolvi();
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    const auto& r = m.Risultati;
    const int n = r.NPunti;

    double Mscala = 1, Vscala = 1, fscala = 1e-12;
    for (int i = 1; i <= n; ++i) {
        Mscala = std::max(Mscala, std::fabs(t.Momento(r.x(i))));
        Vscala = std::max(Vscala, std::fabs(t.Taglio(r.x(i))));
        fscala = std::max(fscala, std::fabs(t.Freccia(r.x(i))));
    }
    // Rotations and deflections of an unstressed beam are zero: their floor
    // is the scale M·L/EJ (M·L²/EJ) of the problem.
    const double rscala = Mscala * t.L / t.EJ;
    fscala = std::max(fscala, 1e-3 * Mscala * t.L * t.L / t.EJ);
    EXPECT_NEAR(r.MA, t.MA, 1e-9 * Mscala);
    EXPECT_NEAR(r.RA, t.RA, 1e-9 * Vscala);
    // The reaction at B carries the loads at B; a cantilever has none.
    EXPECT_NEAR(r.RB, -t.Taglio(c.L), 1e-9 * Vscala);
    EXPECT_NEAR(r.MB, vincoli == 1 ? t.Momento(c.L) : 0.0, 1e-9 * Mscala);
    EXPECT_NEAR(r.RotA, t.Pendenza(0), 1e-9 * rscala);
    EXPECT_NEAR(r.RotB, -t.Pendenza(c.L), 1e-9 * rscala);

    EXPECT_EQ(r.M(1), 0);
    EXPECT_EQ(r.V(1), 0);
    EXPECT_EQ(r.M(n), 0);
    EXPECT_EQ(r.V(n), 0);
    EXPECT_EQ(r.M(2), float(r.MA));
    EXPECT_EQ(r.V(2), float(r.RA));
    EXPECT_EQ(r.M(n - 1), float(r.MB));
    EXPECT_EQ(r.V(n - 1), float(-r.RB));
    for (int i = 3; i <= n - 2; ++i) {
        ASSERT_NEAR(r.M(i), t.Momento(r.x(i)), 5e-7 * Mscala) << "x = " << r.x(i);
        ASSERT_NEAR(r.V(i), t.Taglio(r.x(i)), 5e-7 * Vscala) << "x = " << r.x(i);
    }
    for (int i = 1; i <= n; ++i)
        ASSERT_NEAR(r.f(i), t.Freccia(r.x(i)), 1e-4 * fscala) << "x = " << r.x(i);

    // The probe: exact statics at AscissaX.
    const double xp = m.Dati.AscissaX;
    EXPECT_NEAR(*r.Mx, t.Momento(xp), 5e-7 * Mscala);
    EXPECT_NEAR(*r.Vx, t.Taglio(xp), 5e-7 * Vscala);
    EXPECT_NEAR(*r.fx, t.Freccia(xp), 1e-4 * fscala);
    EXPECT_FALSE(r.Sigmax.has_value());
}

INSTANTIATE_TEST_SUITE_P(Tutti, SchemiContraTestimone,
                         ::testing::Combine(::testing::Range(0, int(Casi().size())),
                                            ::testing::Values(int16_t(0), int16_t(1), int16_t(2),
                                                              int16_t(3))),
                         [](const ::testing::TestParamInfo<Param>& i) {
                             return Casi()[size_t(std::get<0>(i.param))].nome + "_Schema" +
                                    std::to_string(std::get<1>(i.param));
                         });

// Convergence of the deflection line. The slope is integrated exactly for a
// moment linear between points and the deflection with the trapezoid rule,
// so the error of the deflection is of second order in the spacing: halving
// the spacing divides the shortfall by four, and the line approaches the
// textbook value (midspan of a uniformly loaded simply supported or fixed
// beam, tip of a cantilever under an end force) from below.
struct Convergenza {
    const char* nome;
    int16_t vincoli;
};

class FrecciaConvergenza : public ::testing::TestWithParam<Convergenza> {};

TEST_P(FrecciaConvergenza, SecondoOrdineDalBasso) {
    const auto& p = GetParam();
    const double q = 10000, F = 10000, L = 5;
    auto difetto = [&](int16_t nSezioni) {
        ModuloZelvo m;
        DatiTrave& d = m.Dati;
        d.Luce = 5;
        d.E = 2.1e11f;
        d.J = 2e-5f;
        d.Vincoli = p.vincoli;
        d.NSezioni = nSezioni;
        const double EJ = double(d.E * d.J);
        double esatta;
        if (p.vincoli == Mensola) {
            prova::Forza(d, float(F), 5);
            esatta = F * L * L * L / (3 * EJ);
        } else {
            prova::Trapezio(d, float(q), float(q), 0, 5);
            esatta = (p.vincoli == AppoggioAppoggio ? 5.0 : 1.0) * q * L * L * L * L / (384 * EJ);
            d.AscissaX = 2.5f;
        }
        RegistroMessaggi msg;
        EXPECT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        const double calcolata =
            p.vincoli == Mensola ? m.Risultati.f(m.Risultati.NPunti) : *m.Risultati.fx;
        return (esatta - calcolata) / esatta;
    };
    double prima = difetto(10);
    for (int16_t n = 20; n <= 160; n *= 2) {
        const double e = difetto(n);
        EXPECT_GT(e, 0) << "approaches from below at NSezioni = " << n;
        EXPECT_NEAR(std::log2(prima / e), 2.0, 0.1) << "observed order at NSezioni = " << n;
        prima = e;
    }
}

INSTANTIATE_TEST_SUITE_P(Schemi, FrecciaConvergenza,
                         ::testing::Values(Convergenza{"Appoggiata", AppoggioAppoggio},
                                           Convergenza{"Incastrata", IncastroIncastro},
                                           Convergenza{"Mensola", Mensola}),
                         [](const auto& i) { return std::string(i.param.nome); });

} // namespace

namespace {

// A long cantilever integrated on many points: the tip deflection must keep
// the digits of the closed form, not lose them to rounding at every step.
// Witness: w(L) = ∫ q(ξ)·ξ²·(3L − ξ)/(6·EJ) dξ for a triangular load on
// [a, b], integrated exactly by three-point Gauss (the integrand is quartic).
TEST(FrecciaPrecisione, MensolaConMoltiPunti) {
    ModuloZelvo m;
    DatiTrave& d = m.Dati;
    d.Luce = 4.5f;
    d.E = 3e10f;
    d.J = 2.3e-3f;
    d.Vincoli = Mensola;
    d.NSezioni = 10000;
    d.AscissaX = 4.5f;
    const float a = 0.9f, b = 2.025f, q2 = 15000;
    prova::Trapezio(d, 0, q2, a, b);
    const double L = d.Luce, EJ = double(d.E * d.J);
    const double g[3][2] = {{-std::sqrt(0.6), 5.0 / 9}, {0, 8.0 / 9}, {std::sqrt(0.6), 5.0 / 9}};
    double esatta = 0;
    for (const auto& p : g) {
        const double xi = (a + b) / 2.0 + (b - a) / 2.0 * p[0];
        const double q = q2 * (xi - a) / (b - a);
        esatta += p[1] * (b - a) / 2.0 * q * xi * xi * (3 * L - xi) / (6 * EJ);
    }
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const auto& r = m.Risultati;
    // the integration error itself is below 1e-8 of the value with 10⁴ steps
    EXPECT_NEAR(r.f(r.NPunti), esatta, 2e-6 * esatta);
    EXPECT_NEAR(*r.fx, esatta, 2e-6 * esatta);
}

// The closing of the line puts the supported end exactly on the axis.
TEST(FrecciaPrecisione, ChiusuraEsattaSullAppoggio) {
    ModuloZelvo m;
    DatiTrave& d = m.Dati;
    d.Luce = 7.3f;
    d.E = 2.1e11f;
    d.J = 8.356e-6f;
    d.Vincoli = AppoggioAppoggio;
    d.NSezioni = 3000;
    prova::Forza(d, 12345, 2.1f);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const auto& r = m.Risultati;
    for (int i = 1; i <= r.NPunti; ++i) {
        if (r.x(i) == double(d.Luce) || r.x(i) == 0) {
            EXPECT_EQ(r.f(i), 0.0f) << i;
        }
    }
}

} // namespace

namespace {

// The section values of a whole calculation come from one sweep over the
// sorted loads; `AzioniInX` sums every load at one abscissa. On random
// problems with loads anywhere, also off the span, at coincident positions
// and trapezoids given with d2 < d1, both agree at every point to the
// rounding of the stored single.
TEST(Sovrapposizione, SezioniUgualiAlleAzioniInOgniPunto) {
    std::mt19937 g(7);
    auto u = [&](double a, double b) {
        return float(std::uniform_real_distribution<double>(a, b)(g));
    };
    for (int caso = 0; caso < 200; ++caso) {
        ModuloZelvo m;
        DatiTrave& d = m.Dati;
        d.Luce = u(1, 20);
        d.E = 2.1e11f;
        d.J = 1e-4f;
        d.Vincoli = int16_t(caso % 4);
        d.NSezioni = 150;
        const float L = d.Luce;
        std::vector<float> pos = {0, L, L / 2, u(0, L), u(-1, L + 1)};
        auto p = [&] {
            return std::uniform_int_distribution<int>(0, 5)(g) == 0 ? u(-2, L + 2)
                                                                    : pos[g() % pos.size()];
        };
        for (int i = 0, n = int(g() % 4); i < n; ++i) {
            const float d1 = p();
            float d2 = p();
            if (d2 == d1) d2 = d1 + 0.5f;
            prova::Trapezio(d, u(-2e4, 2e4), u(-2e4, 2e4), d1, d2);
        }
        for (int i = 0, n = int(g() % 6); i < n; ++i)
            prova::Forza(d, u(-5e4, 5e4), p());
        for (int i = 0, n = int(g() % 4); i < n; ++i)
            prova::Coppia(d, u(-3e4, 3e4), p());
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato) << caso;
        const auto& r = m.Risultati;
        double Ms = 1, Vs = 1;
        for (int i = 1; i <= r.NPunti; ++i)
            Ms = std::max(Ms, double(std::fabs(r.M(i)))),
            Vs = std::max(Vs, double(std::fabs(r.V(i))));
        for (int i = 3; i <= r.NPunti - 2; ++i) {
            double M, V;
            AzioniInX(d, r, r.x(i), M, V);
            ASSERT_NEAR(r.M(i), M, 1e-6 * Ms) << caso << " x = " << r.x(i);
            ASSERT_NEAR(r.V(i), V, 1e-6 * Vs) << caso << " x = " << r.x(i);
        }
    }
}

} // namespace
