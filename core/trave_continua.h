// Continuous beam on any number of spans: the problem record `DatiContinua`,
// the results `RisultatiContinua` and `CalcolaContinua`.
//
// Units: SI base units (m, N, N/m, N·m, N/m², m⁴, N/m, rad).
// Sign conventions: x from the left end of the whole beam; loads,
// displacements and settlements positive downward; couples and rotations
// positive clockwise (a rotation is the slope dw/dx of the deflection line);
// reactions positive upward; M positive sagging; V positive when the
// resultant of the forces left of the section acts upward.
//
// Method: stiffness method on the vertical displacement and the rotation of
// every support (DOF order w0, θ0, w1, θ1, ...), exact Euler-Bernoulli
// stiffness of each prismatic span, exact fixed-end actions of the loads;
// the banded system is solved by banded LU, so that the cost grows linearly
// with the number of spans. Inside a span M, V, rotation and deflection are
// exact closed forms at any x.
#pragma once

#include "dati.h"
#include "messaggi.h"

#include <string>
#include <vector>

namespace zelvo {

// TipoAppoggio, CampataContinua and AppoggioContinuo are in dati.h.

struct DatiContinua {
    std::string Titolo;
    double E = 0;
    int NSezioni = 100; // calculation sections per span
    std::vector<CampataContinua> Campate;
    // One support at each end of each span: Campate.size() + 1 rows.
    std::vector<AppoggioContinuo> Appoggi;
    // Loads with abscissae from the left end of the whole beam; a load may
    // cross supports.
    std::vector<CaricoTrapezio> Trapezi;
    std::vector<CaricoConcentrato> Concentrati;
    std::vector<CaricoCoppia> Coppie;
    bool operator==(const DatiContinua&) const = default;
};

enum class EsitoContinua {
    NonCalcolato,  // no calculation yet
    Completato,    // the results are valid
    DatiNonValidi, // the data were refused with a message naming the rows
    Labile,        // the beam cannot carry load: "Trave labile: ..."
};

struct RisultatoAppoggio {
    double x = 0;              // abscissa
    double Reazione = 0;       // upward; a spring's force included
    double Momento = 0;        // bending moment of the beam over the support,
                               // right side (left side at the last support)
    double CoppiaReazione = 0; // couple of a fixed support on the beam, clockwise
    double Rotazione = 0;      // clockwise
    double Spostamento = 0;    // downward; settlement and spring included
};

struct RisultatoCampata {
    double xInizio = 0, xFine = 0;
    // Largest and smallest M (exact: where V = 0 or at a load or end) and
    // their abscissae; the span's whole range, so that Mmax < 0 when the
    // span nowhere sags.
    double Mmax = 0, xMmax = 0;
    double Mmin = 0, xMmin = 0;
    double Vmax = 0, xVmax = 0; // shear of largest magnitude (signed)
    // Largest deflection (downward, measured from the undeformed axis:
    // settlements and springs included) and its abscissa.
    double fMaxGiu = 0, xfMaxGiu = 0;
    double LSuF = 0; // L / fMaxGiu; 0 when nothing goes down
};

// One calculation point. At a discontinuity (support, force, couple) two
// points share the abscissa: the left value first, then the right one.
struct PuntoContinua {
    double x = 0;
    int Campata = 0; // 0-based span index
    double M = 0, V = 0, f = 0;
};

class RisultatiContinua {
  public:
    EsitoContinua Esito = EsitoContinua::NonCalcolato;
    bool Calcolato() const { return Esito == EsitoContinua::Completato; }

    std::vector<RisultatoAppoggio> Appoggi;
    std::vector<RisultatoCampata> Campate;
    std::vector<PuntoContinua> Punti;
    // Whole-beam extremes.
    double Mmax = 0, xMmax = 0, Mmin = 0, xMmin = 0;
    double Vmax = 0, xVmax = 0, fMaxGiu = 0, xfMaxGiu = 0;
    double Lunghezza = 0;
    // The largest |M|, |V| and |deflection| of the calculation points: the
    // values within 1e-12 of them are the solution's round-off of a zero
    // and are given as 0 (also by the queries below).
    double ScalaM = 0, ScalaV = 0, ScalaF = 0;

    // Exact values at any x of the beam (0 ≤ x ≤ Lunghezza). M and V at a
    // discontinuity: the right side (the left side at the right end);
    // the `...Sinistra` queries give the left side (the right side at the
    // left end). Outside the beam, or with no results, a fault (Guasto).
    double MomentoIn(double x) const;
    double TaglioIn(double x) const;
    double MomentoSinistraIn(double x) const;
    double TaglioSinistraIn(double x) const;
    double FrecciaIn(double x) const;
    double RotazioneIn(double x) const;

    // Per span: the end displacements/rotations, actions at its left end and
    // its loads as Macaulay terms in s = x − xInizio (filled by the calculation).
    struct Termine {
        double a = 0; // position in the span
        double F = 0; // force at a
        double W = 0; // couple at a
        // Trapezoid from a to a + lung: intensity qa at a, slope k.
        double qa = 0, k = 0, lung = 0;
    };
    struct Tratto {
        double x0 = 0, L = 0, EJ = 0;
        double w0 = 0, th0 = 0; // left end deflection and rotation
        double M0 = 0, V0 = 0;  // M and V at s = 0 before the loads placed there
        std::vector<Termine> termini;
    };
    std::vector<Tratto> Tratti;

    // The span containing x (right side at a support unless `sinistra`).
    int CampataDi(double x, bool sinistra) const;

    // M, V and deflection of span e at s from its start (0 ≤ s ≤ L), the
    // left side of a discontinuity when `sinistra`.
    void ValoriCampata(int e, double s, bool sinistra, double& M, double& V, double& f) const;
};

// The data's faults, one text per row at fault, in order (empty: none).
std::vector<std::string> ControllaContinua(const DatiContinua& d);

// Solves the beam. Refused data show one message (the faults joined by
// ACapo); a beam that cannot carry load shows "Trave labile: " and the reason.
// A run-time fault (overflow, non-finite value) throws Guasto: wrap the call
// in TrappolaCalcolo.
RisultatiContinua CalcolaContinua(const DatiContinua& d, Messaggi& msg);

// One load set for `CalcolaInsiemi`: its loads on span e as Macaulay terms
// (`Termini[e]`, positions from the span's start; empty: no load on any
// span), and whether the supports' imposed settlements act in it.
struct InsiemeCarichi {
    std::vector<std::vector<RisultatiContinua::Termine>> Termini;
    bool Cedimenti = false;
};

// Solves the beam of `d` (spans, supports, E; its load rows are only
// checked, as `CalcolaContinua` checks them) for every load set, factoring
// the stiffness once. Each result holds the spans (`Tratti`), the supports
// and the length, not the calculation points nor the extremes. Refused data
// and labile beams show the message of `CalcolaContinua`, set `esito` and
// give no results.
std::vector<RisultatiContinua> CalcolaInsiemi(const DatiContinua& d,
                                              const std::vector<InsiemeCarichi>& insiemi,
                                              Messaggi& msg, EsitoContinua& esito);

} // namespace zelvo
