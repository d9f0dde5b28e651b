// The steps of the calculation behind "Calcola", callable one by one on a
// problem and its results (the driver `ModuloZelvo::Calcola` runs them in
// order). Every run-time fault throws `Guasto`.
#pragma once

#include "dati.h"
#include "messaggi.h"

#include <string>
#include <vector>

namespace zelvo {

class ModuloZelvo;

// Load kinds of `RotazioniCarico`.
enum TipoCarico : int { CaricoTipoTrapezio = 1, CaricoTipoConcentrato = 2, CaricoTipoCoppia = 3 };

// Flexural rigidity E·J, formed in single precision (overflow is a fault).
double RigidezzaEJ(const DatiTrave& d);

// Most calculation points a problem may have: their count is a 16-bit integer.
inline constexpr int MassimoPunti = 32767;

// Step Luce/NSezioni of the uniform grid, in single precision; not positive
// (or NSezioni <= 0) is a fault.
float PassoSezioni(const DatiTrave& d);

// The calculation points as collected, unsorted: load positions (d1 and d2 of
// the trapezoids, d of the forces, d of the couples), then d ± ε where they
// lie inside the beam, the midpoint, 0 twice, the uniform grid, Luce three
// times. A step Luce/NSezioni that is not positive in single precision,
// NSezioni <= 0 or more than `MassimoPunti` points is a fault.
std::vector<double> PuntiCalcolo(const DatiTrave& d);

// On elastic soil every node's spring becomes a concentrated load and brings
// calculation points as any force does: its abscissa and the two at ±ε (none
// at −ε for the node at 0, none at +ε for the node at Luce), so 3·n + 1 for
// n divisions, a few less when the mesh is finer than ε. The count for the
// mesh of n divisions of d:
long long PuntiMolle(const DatiTrave& d, int n);

// The largest `LimiteDivisioni` of any problem: one section and no loads
// leave 7 other points (the grid point 0, the midpoint, 0 twice, Luce three
// times) and the widest ε, Luce/1000, which takes the points at ±ε from the
// 10 nodes nearest each end of a mesh of 10 000 to 10 999 divisions:
// 7 + 3·n + 1 − 20 <= 32767 gives n <= 10926, whatever the span.
inline constexpr int MaxDivisioni = 10926;

// The limit of a problem with 100 sections and no loads: 100 grid points and
// 6 others, (32767 − 1 − 106) / 3 = 10886 (a grid that reaches 101 points by
// round-off gives the same).
inline constexpr int DivisioniCentoSezioni = 10886;

// Largest NDivisioni whose springs still leave the calculation points of the
// problem d (its own loads, before the springs are added) within
// `MassimoPunti`: at least (MassimoPunti − 1 − points without springs) / 3,
// rounded down, and no more than the model's `TraveWinkler::MaxElementi`;
// zero or less when no mesh fits.
int LimiteDivisioni(const DatiTrave& d);

// The line under "Errore! Controllare i dati" when NDivisioni is out of range.
std::string TestoLimiteDivisioni(int limite);

// NDivisioni between 1 and `LimiteDivisioni`; otherwise a `GuastoSpiegato`
// with `TestoLimiteDivisioni` (a plain fault when not even one division fits).
void ControllaDivisioni(const DatiTrave& d);

// The calculation points: load positions, d ± ε, the midpoint, 0 twice, the
// uniform grid, Luce three times; sorted ascending (stable). Fills r.NPunti
// and re-sizes x, M, V, f (M, V, f zero). A step Luce/NSezioni that is not
// positive in single precision, NSezioni <= 0 or more than 32767 points is a
// fault.
void SezioniCalcola(const DatiTrave& d, RisultatiTrave& r);

// Simply supported solution of load i of kind tipo: θA, θB (already divided
// by E·J), RA0, RB0.
void RotazioniCarico(const DatiTrave& d, int tipo, int i, double& RotA, double& RotB, double& RA0,
                     double& RB0);

// Sum of `RotazioniCarico` over trapezoids, forces, couples into r.RotA,
// r.RotB, r.RA0, r.RB0.
void RotazioniSomma(const DatiTrave& d, RisultatiTrave& r);

// End actions MA, MB, RA, RB and final RotA, RotB of the scheme d.Vincoli.
void AzioniEstremi(const DatiTrave& d, RisultatiTrave& r);

// M(x) and V(x) by statics from MA, RA and the loads at or left of x.
void AzioniInX(const DatiTrave& d, const RisultatiTrave& r, double x, double& M, double& V);

// On a rigid foundation adds the soil reaction (an upward trapezoid over the
// contact zone) to M and V; elsewhere does nothing.
void SuoloRigidoInX(const DatiTrave& d, const RisultatiTrave& r, double x, double& M, double& V);

// Deflection line r.f(1..NPunti) from r.M, closed by scheme (on elastic soil
// through the end settlements of m.Winkler; on a rigid foundation the
// settlement line of the rigid beam).
void FrecceCalcola(const ModuloZelvo& m, RisultatiTrave& r);

} // namespace zelvo
