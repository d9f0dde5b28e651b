// Results extraction: extremes over the calculation points, values at an
// abscissa, foundation summary values.
#pragma once

#include "dati.h"
#include "messaggi.h"

#include <optional>

namespace zelvo {

class ModuloZelvo;

inline constexpr const char* TestoXNegativa = "Errore: x < 0";
inline constexpr const char* TestoXOltreLuce = "Errore: x > Luce";

// Smallest and largest of a(1..n) (strict comparisons: the first occurrence
// wins) and their indices (0 when n < 1). With assoluti, the same on |a(i)|.
void MaxMin(int n, const Vettore1<float>& a, float& minimo, float& massimo, int* iMin = nullptr,
            int* iMax = nullptr, bool assoluti = false);

// Smallest and largest absolute value of a(1..n) and the first index of each.
void MaxMinAssoluti(int n, const Vettore1<float>& a, float& minimo, float& massimo,
                    int* iMin = nullptr, int* iMax = nullptr);

// Largest value of a(1..n) (n >= 1), first occurrence; optionally its index.
float Massimo(int n, const Vettore1<float>& a, int* indice = nullptr);

// Extremes of M, V and f with their abscissae into r.
void EstremiCalcola(RisultatiTrave& r);

// Value of the tabulated v(1..n) at x, linear between the calculation
// points xs(1..n); single precision.
float InterpolaInX(const Vettore1<double>& xs, double x, const Vettore1<float>& v, int n);

// Values at an abscissa. All empty when x lies outside [0, Luce] (after the
// message); Sigma only on a foundation.
struct ValoriX {
    std::optional<float> M, V, f, Sigma;
};

// Soil pressure at x on elastic soil, f being the settlement interpolated at
// x: K·f when the soil takes tension; otherwise K times the settlements of the
// calculation points with the lifted ones (f < 0) taken as 0, interpolated at
// x (never below 0, as the soil diagram draws it).
double PressioneWinklerInX(const DatiTrave& d, const RisultatiTrave& r, double x, float f);

// M(x), V(x) by exact statics (with the soil of a rigid foundation), f(x)
// interpolated, and on a foundation the soil pressure: `PressioneWinklerInX`
// on elastic soil, the reaction line divided by b on a rigid foundation. x < 0 shows
// "Errore: x < 0", x > Luce shows "Errore: x > Luce".
ValoriX ValoriInX(const DatiTrave& d, const RisultatiTrave& r, double x, Messaggi& msg);

// The same values read after the calculation has ended: on elastic soil
// the spring reactions, which the calculation carries among the
// concentrated loads only while it runs, are put back first.
ValoriX ValoriInXDopoCalcolo(const DatiTrave& d, const RisultatiTrave& r, double x, Messaggi& msg);

// Summary of a foundation's results, derived when they are shown.
struct RiepilogoFondazione {
    float SigmaA = 0, SigmaB = 0;  // soil pressure at A and B
    float M = 0, xM = 0;           // moment shown: Mmax or Mmin, the larger in magnitude
    float V = 0, xV = 0;           // Vmax, xVmax
    float f = 0, xf = 0;           // fmax, xfmax
    std::optional<float> SigmaMax; // soil pressure at xfMaxGiu (empty if outside the span)
    float xSigmaMax = 0;
};
RiepilogoFondazione RiepilogoFondazioneCalcola(const ModuloZelvo& m, Messaggi& msg);

} // namespace zelvo
