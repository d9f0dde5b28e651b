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

// Every load row belongs to a load case: `Caso` is its index in
// `DatiTrave::Casi` (0 when the problem has no cases).

// Trapezoidal load: q1 at d1 varying linearly to q2 at d2 (d2 > d1).
struct CaricoTrapezio {
    float q1 = 0, q2 = 0, d1 = 0, d2 = 0;
    int16_t Caso = 0;
    bool operator==(const CaricoTrapezio&) const = default;
};
// Concentrated force F at d.
struct CaricoConcentrato {
    float F = 0, d = 0;
    int16_t Caso = 0;
    bool operator==(const CaricoConcentrato&) const = default;
};
// Concentrated couple W at d.
struct CaricoCoppia {
    float W = 0, d = 0;
    int16_t Caso = 0;
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

// Load cases and combinations.
// Kind of a load case: permanent structural, permanent non-structural,
// variable.
enum class TipoCaso : int16_t { G1 = 0, G2 = 1, Q = 2 };

// Categories of variable actions with their combination coefficients
// (NTC 2018 Table 2.5.I), in the table's order. I and K are "to be assessed
// case by case" in the table: like Personalizzata, their ψ are typed.
enum class CategoriaQ : int16_t {
    A = 0,         // residential
    B,             // offices
    C,             // crowded areas
    D,             // shopping areas
    E,             // storage, industrial
    F,             // vehicles ≤ 30 kN
    G,             // vehicles > 30 kN
    H,             // roofs for maintenance only
    I,             // accessible roofs (ψ typed)
    K,             // roofs for special uses (ψ typed)
    Vento,         // wind
    NeveSotto1000, // snow at or below 1000 m a.s.l.
    NeveSopra1000, // snow above 1000 m a.s.l.
    Temperatura,   // temperature
    Personalizzata // ψ typed by the user
};

struct CasoCarico {
    std::string Nome;
    TipoCaso Tipo = TipoCaso::G1;
    // Variable cases only.
    CategoriaQ Categoria = CategoriaQ::A;
    double psi0 = 0, psi1 = 0, psi2 = 0;
    bool operator==(const CasoCarico&) const = default;
};

// Partial factors: [0] unfavourable, [1] favourable. Default NTC 2018
// (Table 2.6.I, STR).
struct CoefficientiParziali {
    double gG1[2] = {1.3, 1.0};
    double gG2[2] = {1.5, 0.8};
    double gQ[2] = {1.5, 0.0};
    bool operator==(const CoefficientiParziali&) const = default;
};

// Deflection limits as L / limit: of the characteristic combination
// (`Totale`) and of the variable loads alone (`Variabili`).
struct LimitiFreccia {
    double Totale = 250, Variabili = 300;
    bool operator==(const LimitiFreccia&) const = default;
};

// The steel member check of the beam: profile (a catalogue name, e.g.
// "IPE300"), steel grade, partial factors, lateral restraints of the
// compression flange and where the loads act on the section. `Attiva` false
// (the default): the problem has no check, and behaves and is saved as it
// always was.
struct DatiVerifica {
    enum class TipoRitegno : int16_t {
        Appoggi,  // restrained only at the supports
        Puntuali, // also at the abscissae xRitegni
        Continui  // restrained continuously (no lateral-torsional buckling)
    };
    enum class TipoQuota : int16_t { Superiore, Baricentro, Inferiore };
    bool Attiva = false;
    std::string Profilo;
    std::string Acciaio = "S235";
    double gM0 = 1.05, gM1 = 1.05;
    TipoRitegno Ritegno = TipoRitegno::Appoggi;
    std::vector<double> xRitegni; // m from the left end, with Puntuali
    TipoQuota Quota = TipoQuota::Superiore;
    bool operator==(const DatiVerifica&) const = default;
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

    // Load cases (empty: every load in one implicit case, no combinations,
    // the problem behaves and is saved as it always was), the partial
    // factors, the deflection limits and the self-weight: when `PesoProprio`
    // a uniform load `PesoProprioQ` (A·γ, N/m) over the whole beam in the
    // first G1 case (see `CasiConPesoProprio`).
    std::vector<CasoCarico> Casi;
    CoefficientiParziali Coefficienti;
    LimitiFreccia Limiti;
    bool PesoProprio = false;
    double PesoProprioQ = 0;

    DatiVerifica Verifica;

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
