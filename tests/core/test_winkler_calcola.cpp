// Whole calculations of a beam on elastic soil through `Calcola`.
//
// Witness: the exact solution of EJ·w'''' + K·b·w = load on a free beam
// (test_winkler_esatta.h); the driver's moments come from statics of the
// spring forces and its deflection line from the integrated curvature closed
// on the model's end settlements, so both carry the mesh error of the
// springs (h²) and of the integration (dx²).
#include "core/guasto.h"
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "test_winkler_esatta.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;
using zelvo_test::Esatta;

namespace {

void Problema(ModuloZelvo& m, int nDiv, int nSez, bool reagTraz) {
    DatiTrave& d = m.Dati;
    d = DatiTrave{};
    d.Vincoli = Fondazione;
    d.Winkler = true;
    d.ReagTraz = reagTraz;
    d.Luce = 10;
    d.E = 3e10f;
    d.J = 0.05f;
    d.K = 5e7;
    d.b = 1.2;
    d.NDivisioni = static_cast<int16_t>(nDiv);
    d.NSezioni = static_cast<int16_t>(nSez);
    d.AscissaX = 4;
    d.NConcentrati = 2;
    d.CarichiConcentrati.Ridimensiona(2);
    d.CarichiConcentrati(1) = {2e5f, 2.5f};
    d.CarichiConcentrati(2) = {-5e4f, 8.0f};
    d.NCoppie = 1;
    d.Coppie.Ridimensiona(1);
    d.Coppie(1) = {8e4f, 6.0f};
    d.NTrapezi = 1;
    d.CarichiTrapezi.Ridimensiona(1);
    d.CarichiTrapezi(1) = {3e4f, 3e4f, 1.0f, 7.5f};
}

Esatta Testimone(const ModuloZelvo& m) {
    const DatiTrave& d = m.Dati;
    Esatta e{static_cast<double>(d.E * d.J), d.K * d.b, d.Luce, {}, {}, {}};
    e.forze = {{2e5, 2.5}, {-5e4, 8.0}};
    e.coppie = {{8e4, 6.0}};
    e.uniformi = {{3e4, 1.0, 7.5}};
    e.Risolvi();
    return e;
}

} // namespace

TEST(WinklerCalcola, DueVolteRisultatiIdentici) {
    ModuloZelvo m;
    Problema(m, 200, 100, false);
    const DatiTrave dati = m.Dati;
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_EQ(m.Dati, dati); // spring rows removed
    const RisultatiTrave r1 = m.Risultati;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_EQ(m.Dati, dati);
    const RisultatiTrave& r2 = m.Risultati;
    EXPECT_EQ(r1.NPunti, r2.NPunti);
    EXPECT_EQ(r1.x, r2.x);
    EXPECT_EQ(r1.M, r2.M);
    EXPECT_EQ(r1.V, r2.V);
    EXPECT_EQ(r1.f, r2.f);
    EXPECT_EQ(r1.Molle, r2.Molle);
    EXPECT_EQ(r1.Mmax, r2.Mmax);
    EXPECT_EQ(r1.fmax, r2.fmax);
    EXPECT_EQ(r1.Mx, r2.Mx);
    EXPECT_EQ(r1.Sigmax, r2.Sigmax);
}

TEST(WinklerCalcola, FrecciaAgliEstremiUgualeAiCedimentiDelModello) {
    ModuloZelvo m;
    Problema(m, 300, 150, true);
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    const RisultatiTrave& r = m.Risultati;
    const int n = r.NPunti;
    ASSERT_EQ(r.x(1), 0.0);
    ASSERT_EQ(r.x(n), 10.0);
    const double w1 = m.Winkler->SpostamentoW(1), wn = m.Winkler->SpostamentoW(301);
    // f is single precision: equal to the settlement to a few ulps.
    EXPECT_NEAR(r.f(1), w1, 1e-6 * std::fabs(w1));
    EXPECT_NEAR(r.f(n), wn, 1e-6 * std::fabs(wn));
}

TEST(WinklerCalcola, MomentiEFrecceControLaSoluzioneEsatta) {
    // 400 elements, 400 sections: the exact solution to 2e-3 of its largest
    // value (measured mesh error about 4e-4 here), and the free ends carry
    // no moment or shear: the spring rows close the statics.
    ModuloZelvo m;
    Problema(m, 400, 400, true);
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    const Esatta e = Testimone(m);
    const RisultatiTrave& r = m.Risultati;
    double fMax = 0, mMax = 0;
    for (int i = 1; i <= r.NPunti; ++i) {
        fMax = std::max(fMax, std::fabs(e.w(r.x(i))));
        mMax = std::max(mMax, std::fabs(e.M(r.x(i))));
    }
    for (int i = 3; i <= r.NPunti - 2; i += 7) {
        const double x = r.x(i);
        EXPECT_NEAR(r.f(i), e.w(x), 2e-3 * fMax) << "x = " << x;
        // Away from jumps (a force or couple within 0.01 m) the moment too.
        bool salto = false;
        for (double d : {2.5, 8.0, 6.0})
            if (std::fabs(x - d) < 0.01) salto = true;
        if (!salto) {
            EXPECT_NEAR(r.M(i), e.M(x), 2e-3 * mMax) << "x = " << x;
        }
    }
    EXPECT_NEAR(r.M(r.NPunti - 1), 0, 1e-4 * mMax);
    EXPECT_NEAR(r.V(r.NPunti - 1), 0, 1e-4 * 3e5);
}

TEST(WinklerCalcola, LimiteDeiPuntiDiCalcoloFiniscoInGuasto) {
    // Each spring adds about three calculation points: with NSezioni = 100
    // the 16-bit NPunti overflows near NDivisioni = (32760 − 100)/3 ≈ 10887.
    ModuloZelvo m;
    Problema(m, 10950, 100, true);
    const DatiTrave dati = m.Dati;
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Nessuna);
    EXPECT_EQ(m.Dati, dati);
    EXPECT_FALSE(m.Risultati.Calcolato);
    // Just below the limit the calculation completes.
    Problema(m, 10800, 100, true);
    msg.Svuota();
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_GT(m.Risultati.NPunti, 32000);
}

TEST(WinklerCalcola, NonRisolvibileInterrompe) {
    ModuloZelvo m;
    Problema(m, 50, 100, false);
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

TEST(WinklerCalcola, DatiCattiviErroreGenerico) {
    for (int caso = 0; caso < 4; ++caso) {
        ModuloZelvo m;
        Problema(m, 50, 100, false);
        if (caso == 0) m.Dati.NDivisioni = 0;
        if (caso == 1) m.Dati.NDivisioni = 16383;
        if (caso == 2) m.Dati.K = 0;
        if (caso == 3) m.Dati.CarichiConcentrati(2).d = 12;
        const DatiTrave dati = m.Dati;
        RegistroMessaggi msg;
        EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati) << caso;
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"}) << caso;
        EXPECT_EQ(m.Dati, dati) << caso;
    }
}

TEST(WinklerCalcola, EtichettaDellIterazione) {
    ModuloZelvo m;
    Problema(m, 100, 100, false);
    std::vector<int> passi;
    m.IterazioneW = [&](int r) { passi.push_back(r); };
    RegistroMessaggi msg;
    ASSERT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::Completato);
    ASSERT_FALSE(passi.empty());
    EXPECT_EQ(passi.front(), 1);
    EXPECT_EQ(passi.back(), m.Winkler->Passi());
}
