// The steps of the calculation behind "Calcola", callable one by one on a
// problem and its results (the driver `ModuloZelvo::Calcola` runs them in
// order). Every run-time fault throws `Guasto`.
#pragma once

#include "dati.h"
#include "messaggi.h"

namespace zelvo {

class ModuloZelvo;

// Load kinds of `RotazioniCarico`.
enum TipoCarico : int { CaricoTipoTrapezio = 1, CaricoTipoConcentrato = 2, CaricoTipoCoppia = 3 };

// Flexural rigidity E·J, formed in single precision (overflow is a fault).
double RigidezzaEJ(const DatiTrave& d);

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
