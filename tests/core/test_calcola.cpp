// Whole calculations of the single spans beyond what the independent checks
// in tests/verifica see at their tolerances: the observed order of the
// deflection's convergence, the digits kept over many points, the exact
// closing on the support, and the one-sweep section values against the
// per-point statics.
#include "core/calcolo.h"
#include "core/modulo_zelvo.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace zelvo;

namespace {

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

// The section values of a whole calculation come from one sweep over the
// sorted loads; `AzioniInX` sums every load at one abscissa. On random
// problems with loads anywhere, also off the span, at coincident positions
// and trapezoids given with d2 < d1, both agree at every point to the
// rounding of the stored single; and the deflection line closes exactly on
// the supported ends.
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
        // The line starts on the axis at A and closes on it at a supported B
        // (with loads off the span the points, and the line, run past them).
        const bool inA = r.x(1) == 0, inB = d.Vincoli != Mensola && r.x(r.NPunti) == double(L);
        for (int i = 1; i <= r.NPunti; ++i)
            if ((r.x(i) == 0 && inA) || (r.x(i) == double(L) && inB)) {
                ASSERT_EQ(r.f(i), 0.0f) << caso << " x = " << r.x(i);
            }
    }
}

} // namespace
