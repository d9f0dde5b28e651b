// The problem record `DatiTrave` and the results record `RisultatiTrave`.
//
// Units: SI base units throughout (m, N, N/m, N·m, N/m², m⁴, N/m³, rad).
// Sign conventions: x from the left end A (0) to the right end B (Luce);
// loads and deflections positive downward; couples positive clockwise;
// reactions positive upward; M positive sagging; V positive when the
// resultant of the forces left of the section acts upward; RotA positive
// clockwise, RotB positive counterclockwise; soil pressure positive in
// compression.
#pragma once

#include "tabella.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// Constraint schemes (`Vincoli`).
enum SchemaVincolo : int16_t {
    AppoggioAppoggio = 0,
    IncastroIncastro = 1,
    IncastroAppoggio = 2,
    Mensola = 3,
    Fondazione = 4,
    Continua = 5, // continuous beam on the spans `Campate` and supports `Appoggi`
};

// Trapezoidal load: q1 at d1 varying linearly to q2 at d2 (d2 > d1).
struct CaricoTrapezio {
    float q1 = 0, q2 = 0, d1 = 0, d2 = 0;
    bool operator==(const CaricoTrapezio&) const = default;
};
// Concentrated force F at d.
struct CaricoConcentrato {
    float F = 0, d = 0;
    bool operator==(const CaricoConcentrato&) const = default;
};
// Concentrated couple W at d.
struct CaricoCoppia {
    float W = 0, d = 0;
    bool operator==(const CaricoCoppia&) const = default;
};

// Continuous beam: one support at each end of each span.
enum class TipoAppoggio {
    Incastro, // no settlement beyond the imposed one, no rotation
    Appoggio, // no settlement beyond the imposed one, free rotation
    Molla,    // vertical spring of stiffness k, free rotation
    Libero,   // no support (first or last support only)
};

struct CampataContinua {
    double L = 0; // span length
    double J = 0; // moment of inertia
    bool operator==(const CampataContinua&) const = default;
};

struct AppoggioContinuo {
    TipoAppoggio Tipo = TipoAppoggio::Appoggio;
    double k = 0;         // spring stiffness (Molla only)
    double Cedimento = 0; // imposed settlement, downward (not for Libero)
    bool operator==(const AppoggioContinuo&) const = default;
};

struct DatiTrave {
    std::string Titolo;
    float Luce = 0;
    float E = 0;
    float J = 0;
    int16_t Vincoli = AppoggioAppoggio;
    int16_t NSezioni = 100;
    float AscissaX = 0;
    bool DistanzeParziali = false;
    int16_t NTrapezi = 0;
    int16_t NConcentrati = 0;
    int16_t NCoppie = 0;
    Vettore1<CaricoTrapezio> CarichiTrapezi;
    Vettore1<CaricoConcentrato> CarichiConcentrati;
    Vettore1<CaricoCoppia> Coppie;
    double K = 0;
    double b = 0;
    int16_t NDivisioni = 0;
    bool Winkler = false;
    bool ReagTraz = true;
    // Continuous beam only (Vincoli == Continua): the spans from left to
    // right and their Campate.size() + 1 supports; Luce is their sum
    // (`LuceContinua`), J is not used.
    std::vector<CampataContinua> Campate;
    std::vector<AppoggioContinuo> Appoggi;

    bool operator==(const DatiTrave&) const = default;
};

// Length of a continuous beam: the sum of its spans, in double precision.
inline double LuceContinua(const DatiTrave& d) {
    double L = 0;
    for (const auto& c : d.Campate)
        L += c.L;
    return L;
}

// One support of a continuous beam as it acts on the beam: its upward force
// R and its clockwise couple C (a fixed support only) at abscissa x.
struct AzioneAppoggio {
    double x = 0, R = 0, C = 0;
    bool operator==(const AzioneAppoggio&) const = default;
};

// One spring of the elastic-soil model as a concentrated load (column 1 the
// force in the load convention, an upward soil reaction negative; column 2
// its abscissa).
struct RigaMolla {
    double F = 0, d = 0;
    bool operator==(const RigaMolla&) const = default;
};

struct RisultatiTrave {
    int16_t NPunti = 0;
    Vettore1<double> x;
    Vettore1<float> M, V, f;
    double RotA = 0, RotB = 0;
    double RA0 = 0, RB0 = 0;
    double MA = 0, MB = 0;
    double RA = 0, RB = 0;
    float Mmax = 0, xMmax = 0;
    float Mmin = 0, xMmin = 0;
    float Tmax = 0, Tmin = 0;
    float Vmax = 0, xVmax = 0;
    float xTmin = 0;
    float fmax = 0, xfmax = 0;
    float fMaxGiu = 0, xfMaxGiu = 0;
    // Values at AscissaX; empty when not computed (x out of the span, or
    // the soil pressure off a foundation).
    std::optional<float> Mx, Vx, fx, Sigmax;
    // Rigid foundation only; empty otherwise.
    std::optional<float> qSuoloA, qSuoloB, xContattoIniz, xContattoFine;
    // Elastic soil only: one row per node of the foundation model.
    Vettore1<RigaMolla> Molle;
    // Continuous beam only: the supports' actions, so that M and V follow by
    // statics at any x; empty otherwise.
    std::vector<AzioneAppoggio> AzioniAppoggi;
    bool Calcolato = false;
};

} // namespace zelvo
