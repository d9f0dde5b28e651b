// Random slender strip footings on soil not reacting in tension, as a user
// would enter them: the iteration settles with no spring pulling, the soil
// carries the columns in force and moment, and the free far end is unloaded
// but for rounding. Prints the distribution of the passes needed.
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <map>
#include <random>

using namespace zelvo;

TEST(FondazioniSnelle, SiAssestanoSenzaTrazioneEInEquilibrio) {
    constexpr int Casi = 400;
    std::mt19937 g(20261207);
    std::map<int, int> passi; // passes needed -> number of footings
    int peggiore = -1, passiPeggiore = 0;
    for (int c = 0; c < Casi; ++c) {
        ModuloZelvo m;
        m.Dati = prova::FondazioneSnella(g);
        const DatiTrave d = m.Dati;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato) << "case " << c;
        EXPECT_TRUE(msg.elenco.empty()) << "case " << c << ": " << msg.elenco.front().testo;
        const TraveWinkler& w = *m.Winkler;
        ++passi[w.Passi()];
        if (w.Passi() > passiPeggiore) passiPeggiore = w.Passi(), peggiore = c;

        double P = 0, PM = 0;
        for (int i = 1; i <= d.NConcentrati; ++i) {
            P += d.CarichiConcentrati(i).F;
            PM += double(d.CarichiConcentrati(i).F) * d.CarichiConcentrati(i).d;
        }
        const auto& molle = m.Risultati.Molle;
        double R = 0, RM = 0, trazione = 0;
        for (int i = 1; i <= molle.Conta(); ++i) {
            const double F = molle(i).F;
            trazione = std::max(trazione, F); // a spring pulling down is positive
            R += F;
            RM += F * molle(i).d;
            // A node keeps its spring exactly when it does not lift.
            if (F != 0) {
                EXPECT_GE(w.SpostamentoW(i), 0) << "case " << c << ", node " << i;
            }
        }
        EXPECT_LE(trazione, 1e-9 * P) << "case " << c;
        EXPECT_NEAR(R, -P, 1e-7 * P) << "case " << c;
        EXPECT_NEAR(RM, -PM, 1e-7 * P * d.Luce) << "case " << c;

        // at B, the rounding of each spring row to singles (half a unit in 2^24 each)
        const auto& r = m.Risultati;
        double somma = P;
        for (int i = 1; i <= molle.Conta(); ++i)
            somma += std::fabs(molle(i).F);
        const double u = std::ldexp(1.0, -24);
        for (int i = 3; i <= r.NPunti - 2; ++i)
            if (r.x(i) == double(d.Luce)) {
                EXPECT_NEAR(r.M(i), 0, 2 * u * somma * d.Luce) << "case " << c;
                EXPECT_NEAR(r.V(i), 0, 2 * u * somma) << "case " << c;
            }
    }
    std::cout << "passes needed -> footings:";
    for (const auto& [n, quante] : passi)
        std::cout << ' ' << n << ":" << quante;
    std::cout << "\nslowest: case " << peggiore << ", " << passiPeggiore << " passes\n";
}
