// Whole single-span calculations beyond the tolerances of tests/verifica.
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

// Convergence of the deflection line: the slope is exact for a moment linear
// between points and the deflection integrated by trapezoids, so the observed
// order is two (halving the spacing quarters the shortfall) and the line
// approaches the textbook value (midspan under a uniform load, simply supported
// or fixed; tip of a cantilever under an end force) from below.
TEST(FrecciaConvergenza, SecondoOrdineDalBasso) {
    for (int16_t vincoli : {AppoggioAppoggio, IncastroIncastro, Mensola}) {
        auto difetto = [&](int16_t nSezioni) {
            ModuloZelvo m;
            DatiTrave& d = m.Dati = prova::Base(vincoli, "");
            d.NSezioni = nSezioni;
            const double EJ = double(d.E * d.J), L = d.Luce, q = 1e4;
            d.AscissaX = d.Luce / 2;
            double esatta = q * L * L * L / (3 * EJ);
            if (vincoli == Mensola) {
                prova::Forza(d, float(q), d.Luce);
            } else {
                prova::Trapezio(d, float(q), float(q), 0, d.Luce);
                esatta = (vincoli == AppoggioAppoggio ? 5.0 : 1.0) * q * L * L * L * L / (384 * EJ);
            }
            RegistroMessaggi msg;
            EXPECT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
            const auto& r = m.Risultati;
            return (esatta - (vincoli == Mensola ? r.f(r.NPunti) : *r.fx)) / esatta;
        };
        double prima = difetto(10);
        for (int16_t n = 20; n <= 160; n *= 2) {
            const double e = difetto(n);
            EXPECT_GT(e, 0) << "approaches from below, scheme " << vincoli << ", NSezioni = " << n;
            EXPECT_NEAR(std::log2(prima / e), 2.0, 0.1)
                << "order, scheme " << vincoli << ", NSezioni = " << n;
            prima = e;
        }
    }
}

// A cantilever on 10⁴ points keeps the digits of the tip deflection, not
// losing them to rounding at every step. Witness: w(L) = ∫ q(ξ)·ξ²·(3L − ξ)/(6·EJ)
// dξ for a triangular load, exact by three-point Gauss (the integrand is quartic).
TEST(FrecciaPrecisione, MensolaConMoltiPunti) {
    ModuloZelvo m;
    DatiTrave& d = m.Dati = prova::Base(Mensola, "");
    d.NSezioni = 10000;
    d.AscissaX = d.Luce;
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
    EXPECT_NEAR(r.f(r.NPunti), esatta, 2e-6 * esatta);
    EXPECT_NEAR(*r.fx, esatta, 2e-6 * esatta);
}

// The step rule on a coarse cantilever under a tip force (M linear, slope F):
// weighting the far moment twice leaves, after steps h₁..hₙ up to x,
// f(x) = F(L·x²/2 − x³/6)/EJ − F·Σh³/(6EJ); any other weighting (the exact
// one included) differs by a multiple of that last term, 3 % of the tip value.
TEST(FrecciaPrecisione, RegolaDelPasso) {
    ModuloZelvo m;
    DatiTrave& d = m.Dati = prova::Base(Mensola, "");
    d.NSezioni = 4;
    prova::Forza(d, 10000, d.Luce);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const auto& r = m.Risultati;
    const double L = d.Luce, F = 10000, EJ = double(d.E * d.J);
    double cubi = 0;
    for (int i = 1; i <= r.NPunti; ++i) {
        const double x = r.x(i);
        if (i > 1) cubi += std::pow(x - r.x(i - 1), 3);
        const double atteso = F * (L * x * x / 2 - x * x * x / 6) / EJ - F * cubi / (6 * EJ);
        EXPECT_NEAR(r.f(i), atteso, 1e-6 * F * L * L * L / (3 * EJ)) << "x = " << x;
    }
    EXPECT_GT(F * cubi / (6 * EJ), 0.02 * F * L * L * L / (3 * EJ));
}

// One sweep over the sorted loads against `AzioniInX` summing every load at
// one abscissa, on random loads anywhere (off the span, coincident, trapezoids
// with d2 < d1): equal to the stored single's rounding at every point; and the
// deflection line closes exactly on the supported ends.
TEST(Sovrapposizione, SezioniUgualiAlleAzioniInOgniPunto) {
    std::mt19937 g(7);
    auto u = [&](double a, double b) {
        return float(std::uniform_real_distribution<double>(a, b)(g));
    };
    for (int caso = 0; caso < 200; ++caso) {
        ModuloZelvo m;
        DatiTrave& d = m.Dati = prova::Base(int16_t(caso % 4), "");
        d.Luce = u(1, 20);
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
        // on the axis at A and at a supported B (loads off the span extend the points)
        const bool inA = r.x(1) == 0, inB = d.Vincoli != Mensola && r.x(r.NPunti) == double(L);
        for (int i = 1; i <= r.NPunti; ++i)
            if ((r.x(i) == 0 && inA) || (r.x(i) == double(L) && inB)) {
                ASSERT_EQ(r.f(i), 0.0f) << caso << " x = " << r.x(i);
            }
    }
}
