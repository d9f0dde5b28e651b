// Closed-form single-span solutions (module Trave). All doubles.
// Sign conventions of the records: loads positive downward, couples
// clockwise, reactions upward, rotations θA clockwise and θB counterclockwise.
// A division by a zero span, or a trapezoid with d2 = d1, is a fault (Guasto).
#pragma once

namespace zelvo {

// Simply supported span L under q1 at d1 varying linearly to q2 at d2:
// EJ·θA, EJ·θB and the reactions RA0, RB0 (exact integrals).
void TrapezioAppoggiato(double q1, double q2, double d1, double d2, double L, double& EJRotA,
                        double& EJRotB, double& RA0, double& RB0);

// Simply supported span L under a couple W at d.
void CoppiaAppoggiata(double W, double d, double L, double& EJRotA, double& EJRotB, double& RA0,
                      double& RB0);

// Simply supported span L under a force F at d.
void ConcentratoAppoggiato(double F, double d, double L, double& EJRotA, double& EJRotB,
                           double& RA0, double& RB0);

// Span fixed at both ends, from the simply supported rotations θA, θB and
// reactions RA0, RB0: end moments MA, MB and reactions RA, RB.
void DoppioIncastro(double RotA, double RotB, double EJ, double L, double RA0, double RB0,
                    double& MA, double& MB, double& RA, double& RB);

// Fixed-fixed span under the trapezoid of intensities -q1, -q2 (the
// foundation model stores loads upward-positive); beam convention outputs.
void IncastroTrapezio(double L, double q1, double q2, double d1, double d2, double& MA, double& MB,
                      double& RA, double& RB);

// Fixed-fixed span under the couple -W at d.
void IncastroCoppia(double L, double W, double d, double& MA, double& MB, double& RA, double& RB);

// Fixed-fixed span under a force P at a: nodal moments M1 = P·a·b²/L²,
// M2 = -P·a²·b/L² (one rotational sense), reactions R1, R2.
void IncastroConcentrato(double L, double P, double a, double& M1, double& M2, double& R1,
                         double& R2);

} // namespace zelvo
