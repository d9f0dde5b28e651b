// Whole-calculation checks on the classic single-span cases.
#include "core/modulo_zelvo.h"

#include <gtest/gtest.h>

using namespace zelvo;

namespace {

void Uniforme(DatiTrave& d, float q) {
    d.NTrapezi = 1;
    d.CarichiTrapezi.Ridimensiona(1);
    d.CarichiTrapezi(1) = {q, q, 0, d.Luce};
}

} // namespace

// Witness: textbook formulas of the simply supported beam under uniform load.
TEST(CalcolaBase, AppoggiataUniforme) {
    ModuloZelvo m;
    m.Dati.Luce = 6;
    m.Dati.E = 2.1e11f;
    m.Dati.J = 8e-5f;
    m.Dati.NSezioni = 100;
    m.Dati.AscissaX = 3;
    Uniforme(m.Dati, 1000);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    const auto& r = m.Risultati;
    const double q = 1000, L = 6, EJ = double(2.1e11f * 8e-5f);
    EXPECT_NEAR(r.RA, q * L / 2, 1e-9);
    EXPECT_NEAR(r.RB, q * L / 2, 1e-9);
    EXPECT_NEAR(r.RotA, q * L * L * L / (24 * EJ), 1e-12);
    EXPECT_NEAR(r.Mmax, q * L * L / 8, 1e-3);
    EXPECT_NEAR(*r.Mx, q * L * L / 8, 1e-3);
    EXPECT_TRUE(r.Calcolato);
}
