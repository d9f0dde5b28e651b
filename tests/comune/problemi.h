// Problems shared by the tests and the benchmarks: load builders, a base
// problem per scheme, the benchmark problems and random slender strip
// footings.
#pragma once

#include "core/modulo_zelvo.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace zelvo::prova {

inline void Trapezio(DatiTrave& d, float q1, float q2, float d1, float d2) {
    d.CarichiTrapezi.Conserva(++d.NTrapezi);
    d.CarichiTrapezi(d.NTrapezi) = {q1, q2, d1, d2};
}
inline void Forza(DatiTrave& d, float F, float x) {
    d.CarichiConcentrati.Conserva(++d.NConcentrati);
    d.CarichiConcentrati(d.NConcentrati) = {F, x};
}
inline void Coppia(DatiTrave& d, float W, float x) {
    d.Coppie.Conserva(++d.NCoppie);
    d.Coppie(d.NCoppie) = {W, x};
}

inline DatiTrave Base(int16_t vincoli, const char* titolo) {
    DatiTrave d;
    d.Titolo = titolo;
    d.Luce = 6;
    d.E = 2.1e11f;
    d.J = 8.356e-5f;
    d.Vincoli = vincoli;
    d.NSezioni = 100;
    d.AscissaX = 2;
    return d;
}

// A propped cantilever of 12 m under 50 overlapping mixed loads (16
// trapezoids, 17 forces, 17 couples).
inline DatiTrave CinquantaCarichi(int16_t nSezioni) {
    DatiTrave d;
    d.Luce = 12;
    d.E = 2.1e11f;
    d.J = 3e-4f;
    d.Vincoli = IncastroAppoggio;
    d.NSezioni = nSezioni;
    d.AscissaX = 5.3f;
    for (int i = 1; i <= 16; ++i)
        Trapezio(d, 1000.0f * float(i), 500.0f * float(17 - i), 0.5f * float(i - 1),
                 0.5f * float(i - 1) + 3.5f);
    for (int i = 1; i <= 17; ++i)
        Forza(d, 2000.0f - 150.0f * float(i), 0.7f * float(i) - 0.3f);
    for (int i = 1; i <= 17; ++i)
        Coppia(d, 300.0f * float(i % 5) - 600, 0.69f * float(i));
    return d;
}

// A 12 m foundation beam on elastic soil (no tension) under two columns and
// a trapezoid, on a mesh of nDivisioni elements.
inline DatiTrave FondazioneElastica(int16_t nDivisioni) {
    DatiTrave d;
    d.Vincoli = Fondazione;
    d.Winkler = true;
    d.ReagTraz = false;
    d.Luce = 12;
    d.E = 3e10f;
    d.J = 0.05f;
    d.K = 5e7;
    d.b = 1.2;
    d.NDivisioni = nDivisioni;
    d.NSezioni = 100;
    d.AscissaX = 3;
    Forza(d, 3e5f, 1.5f);
    Forza(d, 2e5f, 9.0f);
    Trapezio(d, 2e4f, 5e4f, 0.0f, 12.0f);
    return d;
}

// A 10 m free beam on elastic soil of intermediate stiffness (β·L ≈ 3.1)
// under two forces (one upward), a couple and a uniform stretch.
inline DatiTrave FondazioneProva(int nDivisioni, bool reagTraz, int16_t nSezioni = 100) {
    DatiTrave d;
    d.Vincoli = Fondazione;
    d.Winkler = true;
    d.ReagTraz = reagTraz;
    d.Luce = 10;
    d.E = 3e10f;
    d.J = 0.05f;
    d.K = 5e7;
    d.b = 1.2;
    d.NDivisioni = int16_t(nDivisioni);
    d.NSezioni = nSezioni;
    d.AscissaX = 4;
    Forza(d, 2e5f, 2.5f);
    Forza(d, -5e4f, 8.0f);
    Coppia(d, 8e4f, 6.0f);
    Trapezio(d, 3e4f, 3e4f, 1.0f, 7.5f);
    return d;
}

// A long, slender concrete strip footing on soil that does not react in
// tension: span 10 to 40 m, section height 0.25 to 0.6 m and width 0.6 to
// 1.5 m, K from 2 to 10 daN/cm³, one to four column loads of 100 to 1000 kN
// anywhere on the beam, a mesh of about 0.1 m.
inline DatiTrave FondazioneSnella(std::mt19937& g) {
    auto u = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); };
    DatiTrave d;
    d.Vincoli = Fondazione;
    d.Winkler = true;
    d.ReagTraz = false;
    d.Luce = float(u(10, 40));
    const double h = u(0.25, 0.6), b = u(0.6, 1.5);
    d.E = 3e10f;
    d.J = float(b * h * h * h / 12);
    d.b = b;
    d.K = u(2, 10) * 1e7; // 1 daN/cm³ = 1e7 N/m³
    d.NDivisioni = int16_t(10 * int(d.Luce));
    d.NSezioni = 200;
    d.AscissaX = d.Luce / 2;
    const int colonne = std::uniform_int_distribution<int>(1, 4)(g);
    for (int i = 0; i < colonne; ++i)
        Forza(d, float(u(1e5, 1e6)), float(u(0, d.Luce)));
    return d;
}

} // namespace zelvo::prova
