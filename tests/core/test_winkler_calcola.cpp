// Whole calculations of a beam on elastic soil (values checked in tests/verifica).
#include "core/estrazione.h"
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

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
    EXPECT_TRUE(std::tie(r1.x, r1.M, r1.V, r1.f, r1.Molle, r1.Mx, r1.Sigmax) ==
                std::tie(r2.x, r2.M, r2.V, r2.f, r2.Molle, r2.Mx, r2.Sigmax));
}

// A calculation that fails leaves the user's data as they were (the spring
// rows already joined to the loads leave them again) and nothing calculated.
TEST(WinklerCalcola, FallimentiSenzaRisultatiNeRighe) {
    struct Caso {
        DatiTrave dati;
        EsitoCalcolo esito;
        const char* testo;
    };
    // Too many divisions for the calculation points (the limit is worked out
    // by hand in the test of the limit below).
    Caso troppi{prova::FondazioneProva(10950, true), EsitoCalcolo::ErroreDati,
                "Errore! Controllare i dati\r\nN° div. deve essere compreso tra 1 e 10881"};
    // Everything pulls upward: no contact state carries the loads.
    Caso verso{prova::FondazioneProva(50, false), EsitoCalcolo::SistemaIrrisolvibile,
               "Sistema non risolvibile"};
    verso.dati.CarichiConcentrati(1).F = verso.dati.CarichiConcentrati(2).F = -2e5f;
    verso.dati.CarichiTrapezi(1) = {-3e4f, -3e4f, 0.0f, 10.0f};
    verso.dati.NCoppie = 0;
    for (const Caso& c : {troppi, verso}) {
        ModuloZelvo m;
        m.Dati = c.dati;
        RegistroMessaggi msg;
        EXPECT_EQ(m.CalcolaConTrappola(msg), c.esito);
        ASSERT_EQ(msg.Testi().size(), 1u);
        EXPECT_EQ(msg.Testi()[0].substr(0, std::string(c.testo).size()), c.testo);
        EXPECT_EQ(msg.elenco[0].icona, Icona::Nessuna);
        EXPECT_EQ(m.Dati, c.dati);
        EXPECT_FALSE(m.Risultati.Calcolato);
    }
}

// Values at x read after the calculation (the diagram windows read them at the
// mouse): the spring reactions have left the loads by then and must be put
// back, or the moment is the one of the applied loads alone.
TEST(ValoriDopoCalcolo, SuoloElasticoComeIlDiagramma) {
    std::mt19937 g(7);
    std::vector<DatiTrave> casi = {prova::FondazioneElastica(120)};
    for (int k = 0; k < 5; ++k)
        casi.push_back(prova::FondazioneSnella(g));
    for (const DatiTrave& dati : casi) {
        ModuloZelvo m;
        m.Dati = dati;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        const RisultatiTrave& r = m.Risultati;
        const ValoriX x = ValoriInXDopoCalcolo(m.Dati, r, m.Dati.AscissaX, msg);
        ASSERT_TRUE(x.M && x.V && r.Mx && r.Vx);
        EXPECT_FLOAT_EQ(*x.M, *r.Mx);
        EXPECT_FLOAT_EQ(*x.V, *r.Vx);
        // every interior point away from a jump: the moment of the diagram
        const double scala = std::max(std::fabs(r.Mmax), std::fabs(r.Mmin));
        for (int i = 4; i < r.NPunti - 3; ++i) {
            if (r.x(i) - r.x(i - 1) < 1e-3 || r.x(i + 1) - r.x(i) < 1e-3) continue;
            const ValoriX v = ValoriInXDopoCalcolo(m.Dati, r, r.x(i), msg);
            ASSERT_TRUE(v.M);
            EXPECT_NEAR(*v.M, r.M(i), 2e-5 * scala) << "x = " << r.x(i);
        }
        EXPECT_TRUE(msg.elenco.empty());
    }
}
