#include "trave.h"

#include "guasto.h"

#include <cmath>

namespace zelvo {

void TrapezioAppoggiato(double q1, double q2, double d1, double d2, double L, double& EJRotA,
                        double& EJRotB, double& RA0, double& RB0) {
    const double k = Diviso(q2 - q1, d2 - d1, "trapezio con d2 = d1");
    // The integrands are q(ξ) (linear) times a polynomial of degree ≤ 3:
    // three-point Gauss-Legendre is exact for them.
    const double c = 0.5 * (d1 + d2), h = 0.5 * (d2 - d1);
    const double g = std::sqrt(0.6);
    const double nodi[3] = {c - g * h, c, c + g * h};
    const double pesi[3] = {5.0 / 9.0 * h, 8.0 / 9.0 * h, 5.0 / 9.0 * h};
    double iqx = 0, ia = 0, ib = 0;
    for (int n = 0; n < 3; ++n) {
        const double xi = nodi[n];
        const double q = q1 + k * (xi - d1);
        iqx += pesi[n] * q * xi;
        ia += pesi[n] * q * xi * (L - xi) * (2 * L - xi);
        ib += pesi[n] * q * xi * (L * L - xi * xi);
    }
    RB0 = Diviso(iqx, L, "luce nulla");
    RA0 = Finito((q1 + q2) * (d2 - d1) / 2 - RB0);
    EJRotA = Diviso(ia, 6 * L, "luce nulla");
    EJRotB = Diviso(ib, 6 * L, "luce nulla");
}

void CoppiaAppoggiata(double W, double d, double L, double& EJRotA, double& EJRotB, double& RA0,
                      double& RB0) {
    const double b = L - d;
    EJRotA = Diviso(-W * (L * L - 3 * b * b), 6 * L, "luce nulla");
    EJRotB = Diviso(W * (L * L - 3 * d * d), 6 * L, "luce nulla");
    RA0 = Diviso(-W, L, "luce nulla");
    RB0 = Diviso(W, L, "luce nulla");
}

void ConcentratoAppoggiato(double F, double d, double L, double& EJRotA, double& EJRotB,
                           double& RA0, double& RB0) {
    const double b = L - d;
    EJRotA = Diviso(F * b * (L * L - b * b), 6 * L, "luce nulla");
    EJRotB = Diviso(F * d * (L * L - d * d), 6 * L, "luce nulla");
    RB0 = Diviso(F * d, L, "luce nulla");
    RA0 = Finito(F - RB0);
}

void DoppioIncastro(double RotA, double RotB, double EJ, double L, double RA0, double RB0,
                    double& MA, double& MB, double& RA, double& RB) {
    MA = Diviso(12 * EJ * (RotB / 6 - RotA / 3), L, "luce nulla");
    MB = Diviso(12 * EJ * (RotA / 6 - RotB / 3), L, "luce nulla");
    const double dM = Diviso(MA - MB, L, "luce nulla");
    RA = Finito(RA0 - dM);
    RB = Finito(RB0 + dM);
}

void IncastroTrapezio(double L, double q1, double q2, double d1, double d2, double& MA, double& MB,
                      double& RA, double& RB) {
    if (q1 == 0 && q2 == 0) {
        MA = MB = RA = RB = 0;
        return;
    }
    double ta, tb, ra0, rb0;
    TrapezioAppoggiato(-q1, -q2, d1, d2, L, ta, tb, ra0, rb0);
    DoppioIncastro(ta, tb, 1.0, L, ra0, rb0, MA, MB, RA, RB);
}

void IncastroCoppia(double L, double W, double d, double& MA, double& MB, double& RA, double& RB) {
    if (W == 0) {
        MA = MB = RA = RB = 0;
        return;
    }
    double ta, tb, ra0, rb0;
    CoppiaAppoggiata(-W, d, L, ta, tb, ra0, rb0);
    DoppioIncastro(ta, tb, 1.0, L, ra0, rb0, MA, MB, RA, RB);
}

void IncastroConcentrato(double L, double P, double a, double& M1, double& M2, double& R1,
                         double& R2) {
    const double b = L - a;
    M1 = Diviso(P * a * b * b, L * L, "luce nulla");
    M2 = Diviso(-P * a * a * b, L * L, "luce nulla");
    R1 = Diviso(P * b * b * (3 * a + b), L * L * L, "luce nulla");
    R2 = Diviso(P * a * a * (a + 3 * b), L * L * L, "luce nulla");
}

} // namespace zelvo
