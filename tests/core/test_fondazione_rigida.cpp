// Rigid foundation: soil reaction, contact zone, settlement, internal actions
// and the equilibrium messages. Witness: statics of the rigid body (the
// reaction balances the loads in force and moment) and the classic
// middle-third formulas computed here. The full and partial contact cases
// with and without tension, couples alone and upward loads are checked
// through the program against the same statics by tests/verifica.
#include "core/estrazione.h"
#include "core/fondazione_rigida.h"
#include "core/modulo_zelvo.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

void Rigida(ModuloZelvo& m, float L, bool trazione, double K = 5e7, double b = 2) {
    DatiTrave& d = m.Dati;
    d.Luce = L;
    d.E = 3e10f;
    d.J = 0.01f;
    d.NSezioni = 100;
    d.Vincoli = zelvo::Fondazione;
    d.Winkler = false;
    d.ReagTraz = trazione;
    d.K = K;
    d.b = b;
}
using prova::Coppia;
using prova::Forza;
using prova::Trapezio;

} // namespace

// A force at 0.2·L, no tension: contact from 0 to 0.6·L, qA = 2N/(0.6·L).
TEST(FondazioneRigida, ContattoParziale) {
    ModuloZelvo m;
    Rigida(m, 5, false);
    Forza(m.Dati, 9000, 1);
    m.Dati.AscissaX = 4;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const auto& r = m.Risultati;
    EXPECT_EQ(*r.xContattoIniz, 0);
    EXPECT_FLOAT_EQ(*r.xContattoFine, 3);
    EXPECT_FLOAT_EQ(*r.qSuoloA, 6000);
    EXPECT_EQ(*r.qSuoloB, 0);
    EXPECT_EQ(*r.Sigmax, 0); // outside the contact zone
    // Settlement line: the reaction line extended, uplift at the free end.
    EXPECT_FLOAT_EQ(r.f(1), float(6000 / 2.0 / 5e7));
    EXPECT_FLOAT_EQ(r.f(r.NPunti), float(6000 * (1 - 5.0 / 3) / 2 / 5e7));
    // The reaction balances the load: M and V vanish at B.
    EXPECT_NEAR(r.M(r.NPunti - 2), 0, 1e-3);
    EXPECT_NEAR(r.V(r.NPunti - 2), 0, 1e-3);
    // The largest soil pressure is at the most settled point, A.
    const RiepilogoFondazione s = RiepilogoFondazioneCalcola(m, msg);
    EXPECT_FLOAT_EQ(s.SigmaA, 3000);
    EXPECT_EQ(s.SigmaB, 0);
    EXPECT_EQ(s.xSigmaMax, 0);
    EXPECT_FLOAT_EQ(*s.SigmaMax, 3000);
    EXPECT_TRUE(msg.elenco.empty());
}

// Mixed loads: the reaction trapezoid has the resultant and the moment of the
// loads, computed here by plain sums.
TEST(FondazioneRigida, EquilibrioCarichiMisti) {
    for (bool trazione : {false, true}) {
        ModuloZelvo m;
        Rigida(m, 8, trazione);
        Trapezio(m.Dati, 1000, 3000, 0, 8);
        Forza(m.Dati, 5000, 6.5f);
        Coppia(m.Dati, 4000, 2);
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        const auto& r = m.Risultati;
        const double N = 2000 * 8 + 5000;
        // Moment about A, clockwise positive: Σ F·x + Σ W.
        const double MAz = 1000 * 8 * 4 + 2000 * 8 / 2 * (8 * 2 / 3.0) + 5000 * 6.5 + 4000;
        const double a = *r.xContattoIniz, c = *r.xContattoFine;
        const double qa = *r.qSuoloA, qb = *r.qSuoloB;
        const double R = (qa + qb) * (c - a) / 2;
        const double MR =
            qa * (c - a) / 2 * (a + (c - a) / 3) + qb * (c - a) / 2 * (a + 2 * (c - a) / 3);
        EXPECT_NEAR(R, N, 1e-6 * N);
        EXPECT_NEAR(MR, MAz, 1e-6 * MAz);
        EXPECT_NEAR(r.M(r.NPunti - 2), 0, 1e-6 * MAz);
        EXPECT_NEAR(r.V(r.NPunti - 2), 0, 1e-6 * N);
    }
}

// No resultant and no moment with soil reacting in tension: no reaction.
// A net upward load: the soil pulls back.
TEST(FondazioneRigida, CoppieOpposteEVersoLAltoConTrazione) {
    ModuloZelvo m;
    Rigida(m, 4, true);
    Coppia(m.Dati, 3000, 1);
    Coppia(m.Dati, -3000, 3);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_EQ(*m.Risultati.qSuoloA, 0);
    EXPECT_EQ(*m.Risultati.qSuoloB, 0);
    EXPECT_FLOAT_EQ(m.Risultati.Mmax, 3000);
    ModuloZelvo su;
    Rigida(su, 4, true);
    Forza(su.Dati, -1000, 2);
    ASSERT_EQ(su.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_FLOAT_EQ(*su.Risultati.qSuoloA, -250);
    EXPECT_FLOAT_EQ(su.Risultati.Mmin, -500);
}

// The equilibrium messages end the calculation: nothing is shown as valid.
struct CasoEquilibrio {
    const char* nome;
    bool trazione;
    void (*carica)(DatiTrave&);
    const char* testo;
};

class Equilibrio : public ::testing::TestWithParam<CasoEquilibrio> {};

TEST_P(Equilibrio, MessaggioEFine) {
    const auto& p = GetParam();
    ModuloZelvo m;
    Rigida(m, 4, p.trazione);
    p.carica(m.Dati);
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::EquilibrioViolato);
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo, p.testo);
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
    EXPECT_FALSE(m.Risultati.Calcolato);
    EXPECT_FALSE(m.Risultati.qSuoloA.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Messaggi, Equilibrio,
    ::testing::Values(
        CasoEquilibrio{"RisultanteNulla", false,
                       [](DatiTrave& d) {
                           Coppia(d, 3000, 1);
                           Coppia(d, -3000, 3);
                       },
                       "Equilibrio violato !!\r\nRisultante nulla in fondazione !!"},
        CasoEquilibrio{"RisultanteEsterna", false,
                       [](DatiTrave& d) {
                           Forza(d, 1000, 2);
                           Coppia(d, 3000, 1);
                       },
                       "Equilibrio violato !!\r\nRisultante esterna in fondazione !!"},
        CasoEquilibrio{"VersoLAlto", false, [](DatiTrave& d) { Forza(d, -1000, 1); },
                       "Equilibrio violato !!\r\nRisultante verso l'alto in fondazione !!"}),
    [](const auto& i) { return std::string(i.param.nome); });

// The resultant exactly on the edge: zero contact, the division fails.
TEST(FondazioneRigida, RisultanteSulBordoEGuasto) {
    ModuloZelvo m;
    Rigida(m, 4, false);
    Forza(m.Dati, 1000, 2);
    Coppia(m.Dati, 2000, 1);
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
}
