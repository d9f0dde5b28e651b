// Values at x read after a foundation on elastic soil has been calculated
// (the diagram windows read them at the mouse): the spring reactions have
// left the loads by then, and must be put back, or the moment is the one of
// the applied loads alone.
#include "../comune/problemi.h"
#include "core/estrazione.h"
#include "core/modulo_zelvo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace zelvo;
using namespace zelvo::prova;

namespace {

void ConfrontaConIPunti(const DatiTrave& dati) {
    ModuloZelvo m;
    m.Dati = dati;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const RisultatiTrave& r = m.Risultati;
    // The value at the abscissa x shown by the calculation itself.
    const ValoriX x = ValoriInXDopoCalcolo(m.Dati, r, m.Dati.AscissaX, msg);
    ASSERT_TRUE(x.M && x.V && r.Mx && r.Vx);
    EXPECT_FLOAT_EQ(*x.M, *r.Mx);
    EXPECT_FLOAT_EQ(*x.V, *r.Vx);
    // At every interior calculation point away from a jump, the moment of the
    // diagram.
    const double scala = std::max(std::fabs(r.Mmax), std::fabs(r.Mmin));
    for (int i = 4; i < r.NPunti - 3; ++i) {
        if (r.x(i) - r.x(i - 1) < 1e-3 || r.x(i + 1) - r.x(i) < 1e-3) continue;
        const ValoriX v = ValoriInXDopoCalcolo(m.Dati, r, r.x(i), msg);
        ASSERT_TRUE(v.M);
        EXPECT_NEAR(*v.M, r.M(i), 2e-5 * scala) << "x = " << r.x(i);
    }
    EXPECT_TRUE(msg.elenco.empty());
}

} // namespace

TEST(ValoriDopoCalcolo, SuoloElasticoComeIlDiagramma) {
    ConfrontaConIPunti(FondazioneElastica(120));
    std::mt19937 g(7);
    for (int k = 0; k < 5; ++k)
        ConfrontaConIPunti(FondazioneSnella(g));
}
