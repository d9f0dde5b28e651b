// Closed-form single-span formulas against reference values.
#include "core/guasto.h"
#include "core/trave.h"

#include <gtest/gtest.h>

using namespace zelvo;

TEST(TrapezioAppoggiato, ValoriDiRiferimento) {
    // Reference: q1 = 3, q2 = 7 from d1 = 1 to d2 = 4 on L = 6.
    double a, b, ra, rb;
    TrapezioAppoggiato(3, 7, 1, 4, 6, a, b, ra, rb);
    EXPECT_NEAR(a, 31.5292, 5e-5);
    EXPECT_NEAR(b, 29.9708, 5e-5);
    EXPECT_NEAR(ra, 8.25, 1e-12);
    EXPECT_NEAR(rb, 6.75, 1e-12);
}

TEST(TrapezioAppoggiato, LunghezzaNullaEGuasto) {
    double a, b, ra, rb;
    EXPECT_THROW(TrapezioAppoggiato(1, 1, 2, 2, 6, a, b, ra, rb), Guasto);
}

TEST(CoppiaAppoggiata, CoppiaInA) {
    double a, b, ra, rb;
    CoppiaAppoggiata(5, 0, 4, a, b, ra, rb);
    EXPECT_NEAR(a, 5 * 4 / 3.0, 1e-12);
    EXPECT_NEAR(b, 5 * 4 / 6.0, 1e-12);
    EXPECT_NEAR(ra, -5 / 4.0, 1e-12);
    EXPECT_NEAR(rb, 5 / 4.0, 1e-12);
}

TEST(IncastroConcentrato, FormuleClassiche) {
    double M1, M2, R1, R2;
    IncastroConcentrato(4, 10, 1, M1, M2, R1, R2);
    EXPECT_NEAR(M1, 10 * 1 * 9 / 16.0, 1e-12);
    EXPECT_NEAR(M2, -10 * 1 * 3 / 16.0, 1e-12);
    EXPECT_NEAR(R1 + R2, 10, 1e-12);
    EXPECT_NEAR(R1, 10 * 9 * 6 / 64.0, 1e-12);
}

TEST(IncastroTrapezio, UniformeDaNodiEquivalenti) {
    // Full uniform load q (model stores it as -q): element nodal loads are
    // (qL/2, qL²/12, qL/2, -qL²/12) in the model's upward convention.
    const double q = 4, L = 2;
    double MA, MB, RA, RB;
    IncastroTrapezio(L, q, q, 0, L, MA, MB, RA, RB);
    EXPECT_NEAR(RA, -(-q) * L / 2 * -1, 1e-12);
    EXPECT_NEAR(MA, q * L * L / 12, 1e-12);
    EXPECT_NEAR(MB, q * L * L / 12, 1e-12);
    double z1, z2, z3, z4;
    IncastroTrapezio(L, 0, 0, 0, L, z1, z2, z3, z4);
    EXPECT_EQ(z1, 0);
    EXPECT_EQ(z4, 0);
}
