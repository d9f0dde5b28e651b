// Numerical and array routines shared by the whole program (module Matematica).
// None keeps state.
#pragma once

#include "messaggi.h"
#include "tabella.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace zelvo {

inline constexpr double PiGreco = 3.14159265358979;

// Round-off of a solution where the exact value is zero (the moment at a
// pinned end, a span that nowhere sags): v within 1e-12 of `scala`, the
// largest magnitude of the same quantity, becomes 0.
inline void Netto(double& v, double scala) {
    if (v <= 1e-12 * scala && v >= -1e-12 * scala) v = 0;
}

// Index i (1-based) of the ascending table xs(1..n) with xs(i) <= x < xs(i+1)
// or xs(i) = x; starts from the guess of an evenly spaced table. x beyond
// xs(n) walks past the table: that is an index fault (Guasto).
int16_t CercaIndice(const Vettore1<double>& xs, double x, int n);

// y on the line through (x1, y1) and (x2, y2); y1 when x1 = x2. Any other
// failure (overflow) shows "Errore nella funzione yInterpola" (critical) and
// gives 0; without a message sink the failure is a fault.
double yInterpola(double x, double x1, double y1, double x2, double y2, Messaggi* msg = nullptr);

// Stable ascending sort of a(1..n) in place, with the same order as a bubble
// sort that swaps only strictly greater neighbours; optionally p(i) = the
// position of a(i) before sorting.
template <class T> void Ordina(Vettore1<T>& a, int n, Vettore1<int>* p = nullptr);

// b(i) = a(p(i)) for i = 1..n (n = the count of p when negative).
template <class T> Vettore1<T> Riordina(const Vettore1<T>& a, const Vettore1<int>& p, int n = -1);

// Appends the rows of B to A (A re-sized to n + m rows); n = n + m.
template <class TA, class TB> void AccodaRighe(int16_t& n, Vettore1<TA>& A, const Vettore1<TB>& B);

// Cyclic neighbours of index i in 1..n.
int IndiceSuccessivo(int n, int i);
int IndicePrecedente(int n, int i);

// First i in 1..n with a(i) = v, or -1.
template <class T> int CercaValore(const Vettore1<T>& a, const T& v, int n);

// Direction angle of the vector (x, y) in [0, 2π).
double Angolo(double y, double x);

bool Pari(long long n);
inline bool Dispari(long long n) {
    return !Pari(n);
}

// Round scale steps {1, 2, 5, 10} and the ratio 0.2.
struct PassiScalaTabella {
    double passi[4] = {1, 2, 5, 10};
    int n = 4;
    double rapporto = 0.2;
};
inline PassiScalaTabella PassiScala() {
    return {};
}

// False position with the Illinois modification on f between x1 and x2
// (both updated with the last bracket). Messages: "ERRORE! La funzione non
// cambia segno fra x1 e x2" (critical) and, after every 100 iterations, the
// continue question; a no ends in "ERRORE! Procedimento non convergente!" +
// CR + "RISULTATI ERRATI!" and the result 0. `convergente`, when given, is
// set false on the two failure paths.
double RadiceFunzione(const std::function<double(double)>& f, double& x1, double& x2,
                      double tolleranza, Messaggi& msg, bool* convergente = nullptr);

} // namespace zelvo

#include "matematica_modelli.h"
