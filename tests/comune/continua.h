// Continuous beams shared by the tests of their drawings: the texts of the
// labels, a four-span witness beam, random beams that can carry load, and
// their calculation (which must complete).
#pragma once

#include "core/messaggi.h"
#include "core/trave_continua.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <string>

namespace zelvo::prova {

inline std::string Metri(double v) {
    char b[40];
    std::snprintf(b, sizeof b, "L = %.2f m", v);
    return b;
}

inline std::string Millimetri(double v) {
    char b[40];
    std::snprintf(b, sizeof b, "%.3f mm", v * 1000);
    return b;
}

inline std::string Kilo(double v) {
    char b[40];
    std::snprintf(b, sizeof b, "%.4g", v / 1000);
    return b;
}

// A beam of four spans, the last one an overhang: hinge, roller, spring,
// roller, free end. Lengths 4, 6, 5, 1.5 (16.5 in all).
inline DatiContinua QuattroCampate() {
    DatiContinua d;
    d.E = 2.1e11;
    for (double L : {4.0, 6.0, 5.0, 1.5})
        d.Campate.push_back({L, 8e-5});
    d.Appoggi = {{TipoAppoggio::Appoggio, 0, 0},
                 {TipoAppoggio::Appoggio, 0, 0},
                 {TipoAppoggio::Molla, 5e7, 0},
                 {TipoAppoggio::Appoggio, 0, 0},
                 {TipoAppoggio::Libero, 0, 0}};
    d.Trapezi.push_back({10e3f, 10e3f, 0, 16.5f});
    d.Concentrati.push_back({20e3f, 16.5f});
    return d;
}

inline RisultatiContinua Calcola(const DatiContinua& d) {
    RegistroMessaggi msg;
    RisultatiContinua r = CalcolaContinua(d, msg);
    EXPECT_TRUE(r.Calcolato()) << (msg.elenco.empty() ? "" : msg.elenco[0].testo);
    return r;
}

// A random beam of n spans that can carry load: ends hinged, fixed or free
// (not both free, a free end next to a hinge), springs and hinges between.
inline DatiContinua Casuale(int n, unsigned seme) {
    std::mt19937 g(seme);
    auto U = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); };
    DatiContinua d;
    d.E = 2.1e11;
    for (int i = 0; i < n; ++i)
        d.Campate.push_back({U(0.5, 9), U(2e-5, 4e-4)});
    for (int i = 0; i <= n; ++i) {
        AppoggioContinuo a;
        if (i == 0 || i == n)
            a.Tipo = std::array<TipoAppoggio, 3>{TipoAppoggio::Appoggio, TipoAppoggio::Incastro,
                                                 TipoAppoggio::Libero}[g() % 3];
        else
            a.Tipo = g() % 4 == 0 ? TipoAppoggio::Molla : TipoAppoggio::Appoggio;
        if (a.Tipo == TipoAppoggio::Molla) a.k = U(1e6, 1e8);
        d.Appoggi.push_back(a);
    }
    if (d.Appoggi[0].Tipo == TipoAppoggio::Libero) d.Appoggi[1].Tipo = TipoAppoggio::Appoggio;
    if (d.Appoggi[size_t(n)].Tipo == TipoAppoggio::Libero)
        d.Appoggi[size_t(n - 1)].Tipo = TipoAppoggio::Appoggio;
    if (d.Appoggi[0].Tipo == TipoAppoggio::Libero &&
        d.Appoggi[size_t(n)].Tipo == TipoAppoggio::Libero)
        d.Appoggi[0].Tipo = TipoAppoggio::Appoggio;
    double L = 0;
    for (const auto& c : d.Campate)
        L += c.L;
    for (int i = 0; i < 6; ++i) {
        const double a = U(0, L), b = std::min(L, a + U(0.5, L / 2));
        d.Trapezi.push_back({float(U(-2e3, 2e4)), float(U(-2e3, 2e4)), float(a), float(b)});
        d.Concentrati.push_back({float(U(-1e4, 5e4)), float(U(0, L * 0.999))});
    }
    return d;
}

} // namespace zelvo::prova
