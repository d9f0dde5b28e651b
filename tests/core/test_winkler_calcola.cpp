// Whole calculations of a beam on elastic soil through `Calcola`: repeated
// runs and the iteration label, the limit of the calculation points, the
// unsolvable case. The values themselves are checked against Hetényi's
// solution and a finite-element model written apart in tests/verifica.
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

using namespace zelvo;

// Twice the same results, the user's data restored (the spring rows removed),
// and the iteration label counting the passes 1, 2, ...
TEST(WinklerCalcola, DueVolteRisultatiIdenticiEdEtichetta) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(200, false);
    const DatiTrave dati = m.Dati;
    std::vector<int> passi;
    m.IterazioneW = [&](int r) { passi.push_back(r); };
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_EQ(m.Dati, dati);
    ASSERT_FALSE(passi.empty());
    for (size_t i = 0; i < passi.size(); ++i)
        EXPECT_EQ(passi[i], int(i) + 1);
    EXPECT_EQ(passi.back(), m.Winkler->Passi());
    const RisultatiTrave r1 = m.Risultati;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_EQ(m.Dati, dati);
    const RisultatiTrave& r2 = m.Risultati;
    EXPECT_EQ(r1.x, r2.x);
    EXPECT_EQ(r1.M, r2.M);
    EXPECT_EQ(r1.V, r2.V);
    EXPECT_EQ(r1.f, r2.f);
    EXPECT_EQ(r1.Molle, r2.Molle);
    EXPECT_EQ(r1.Mx, r2.Mx);
    EXPECT_EQ(r1.Sigmax, r2.Sigmax);
}

TEST(WinklerCalcola, LimiteDeiPuntiDiCalcoloFiniscoInGuasto) {
    // Each spring adds about three calculation points: with NSezioni = 100
    // the 16-bit NPunti overflows near NDivisioni = (32760 − 100)/3 ≈ 10887.
    // The spring rows already joined to the loads must leave them again.
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(10950, true);
    const DatiTrave dati = m.Dati;
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Nessuna);
    EXPECT_EQ(m.Dati, dati);
    EXPECT_FALSE(m.Risultati.Calcolato);
}

TEST(WinklerCalcola, NonRisolvibileInterrompe) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(50, false);
    m.Dati.CarichiConcentrati(1).F = -2e5f; // everything pulls upward
    m.Dati.CarichiConcentrati(2).F = -2e5f;
    m.Dati.CarichiTrapezi(1) = {-3e4f, -3e4f, 0.0f, 10.0f};
    m.Dati.NCoppie = 0;
    const DatiTrave dati = m.Dati;
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::SistemaIrrisolvibile);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Sistema non risolvibile"});
    EXPECT_EQ(m.Dati, dati);
    EXPECT_FALSE(m.Risultati.Calcolato);
}
