// Exact solution of a free beam on Winkler soil, for the tests.
#pragma once

#include "core/modulo_zelvo.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelvo_test {

// ---------------------------------------------------------------------------
// Exact solution of EJ·w'''' + k·w = p on a free–free beam (k = K·b, w and p
// positive downward), by the method of initial parameters with Krylov's
// functions of z = β·x, β = (k / 4EJ)^¼:
//   K1 = ch·cos, K2 = (ch·sin + sh·cos)/2, K3 = sh·sin/2, K4 = (ch·sin − sh·cos)/4,
// dK1/dz = −4K4, dK2/dz = K1, dK3/dz = K2, dK4/dz = K3.
// w(x) = w0·K1 + θ0/β·K2 + Σ P/(EJβ³)·K4(β(x−a)) − Σ W/(EJβ²)·K3(β(x−d))
//        + Σ q/k·(K1(β(x−min(x,a2))) − K1(β(x−a1))),
// each load term only right of its start; w''(0) = w'''(0) = 0 already, and
// w''(L) = w'''(L) = 0 gives w0 and θ0.
struct Esatta {
    struct Forza {
        double P, a;
    };
    struct Coppia {
        double W, d;
    };
    struct Uniforme {
        double q, a1, a2;
    };
    double EJ, k, L;
    std::vector<Forza> forze;
    std::vector<Coppia> coppie;
    std::vector<Uniforme> uniformi;
    double beta = 0, w0 = 0, t0 = 0;

    static double K1(double z) { return std::cosh(z) * std::cos(z); }
    static double K2(double z) {
        return (std::cosh(z) * std::sin(z) + std::sinh(z) * std::cos(z)) / 2;
    }
    static double K3(double z) { return std::sinh(z) * std::sin(z) / 2; }
    static double K4(double z) {
        return (std::cosh(z) * std::sin(z) - std::sinh(z) * std::cos(z)) / 4;
    }

    void Risolvi() {
        beta = std::pow(k / (4 * EJ), 0.25);
        const double b = beta, z = b * L;
        // Load terms of w'' and w''' at L.
        double c2 = 0, c3 = 0;
        for (auto f : forze) {
            c2 += f.P / (EJ * b) * K2(b * (L - f.a));
            c3 += f.P / EJ * K1(b * (L - f.a));
        }
        for (auto c : coppie) {
            c2 += -c.W / EJ * K1(b * (L - c.d));
            c3 += 4 * c.W * b / EJ * K4(b * (L - c.d));
        }
        for (auto u : uniformi) {
            c2 += u.q / k * b * b * -4 * (K3(b * (L - u.a2)) - K3(b * (L - u.a1)));
            c3 += u.q / k * b * b * b * -4 * (K2(b * (L - u.a2)) - K2(b * (L - u.a1)));
        }
        // w0·A11 + θ0·A12 = −c2, w0·A21 + θ0·A22 = −c3.
        const double A11 = -4 * b * b * K3(z), A12 = -4 * b * K4(z);
        const double A21 = -4 * b * b * b * K2(z), A22 = -4 * b * b * K3(z);
        const double det = A11 * A22 - A12 * A21;
        w0 = (-c2 * A22 + c3 * A12) / det;
        t0 = (-c3 * A11 + c2 * A21) / det;
    }
    // Bending moment M = −EJ·w'' (sagging positive).
    double M(double x) const {
        const double b = beta;
        double v = w0 * b * b * -4 * K3(b * x) + t0 * b * -4 * K4(b * x);
        for (auto f : forze)
            if (x > f.a) v += f.P / (EJ * b) * K2(b * (x - f.a));
        for (auto c : coppie)
            if (x > c.d) v += -c.W / EJ * K1(b * (x - c.d));
        for (auto u : uniformi)
            if (x > u.a1)
                v += u.q / k * b * b * -4 * (K3(b * (x - std::min(x, u.a2))) - K3(b * (x - u.a1)));
        return -EJ * v;
    }
    double w(double x) const {
        const double b = beta;
        double v = w0 * K1(b * x) + t0 / b * K2(b * x);
        for (auto f : forze)
            if (x > f.a) v += f.P / (EJ * b * b * b) * K4(b * (x - f.a));
        for (auto c : coppie)
            if (x > c.d) v += -c.W / (EJ * b * b) * K3(b * (x - c.d));
        for (auto u : uniformi)
            if (x > u.a1) v += u.q / k * (K1(b * (x - std::min(x, u.a2))) - K1(b * (x - u.a1)));
        return v;
    }
};

// The exact solution for the loads of a foundation's data (forces, couples
// and uniform stretches).
inline Esatta EsattaDi(const zelvo::DatiTrave& d) {
    Esatta e{static_cast<double>(d.E * d.J), d.K * d.b, d.Luce, {}, {}, {}};
    for (int i = 1; i <= d.NConcentrati; ++i)
        e.forze.push_back({d.CarichiConcentrati(i).F, d.CarichiConcentrati(i).d});
    for (int i = 1; i <= d.NCoppie; ++i)
        e.coppie.push_back({d.Coppie(i).W, d.Coppie(i).d});
    for (int i = 1; i <= d.NTrapezi; ++i)
        e.uniformi.push_back(
            {d.CarichiTrapezi(i).q1, d.CarichiTrapezi(i).d1, d.CarichiTrapezi(i).d2});
    e.Risolvi();
    return e;
}

} // namespace zelvo_test
