// Rigid foundation: the messages that end the calculation. The reaction,
// contact zone, settlement line and actions of full and partial contact, with
// and without tension, are checked through the program against rigid-body
// statics by tests/verifica.
#include "core/modulo_zelvo.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

using namespace zelvo;
using prova::Coppia;
using prova::Forza;

// Nothing is shown as valid after any of them.
struct CasoEquilibrio {
    const char* nome;
    void (*carica)(DatiTrave&); // on a 4 m base, soil not reacting in tension
    EsitoCalcolo esito;
    const char* testo;
    Icona icona;
};

class Equilibrio : public ::testing::TestWithParam<CasoEquilibrio> {};

TEST_P(Equilibrio, MessaggioEFine) {
    const auto& p = GetParam();
    ModuloZelvo m;
    DatiTrave& d = m.Dati = prova::Base(Fondazione, "Rigida");
    d.Luce = 4;
    d.Winkler = false;
    d.ReagTraz = false;
    d.K = 5e7;
    d.b = 2;
    p.carica(d);
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), p.esito);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{p.testo});
    EXPECT_EQ(msg.elenco.front().icona, p.icona);
    EXPECT_FALSE(m.Risultati.Calcolato);
    EXPECT_FALSE(m.Risultati.qSuoloA.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Messaggi, Equilibrio,
    ::testing::Values(
        CasoEquilibrio{
            "RisultanteNulla", [](DatiTrave& d) { Coppia(d, 3000, 1), Coppia(d, -3000, 3); },
            EsitoCalcolo::EquilibrioViolato,
            "Equilibrio violato !!\r\nRisultante nulla in fondazione !!", Icona::Critica},
        CasoEquilibrio{
            "RisultanteEsterna", [](DatiTrave& d) { Forza(d, 1000, 2), Coppia(d, 3000, 1); },
            EsitoCalcolo::EquilibrioViolato,
            "Equilibrio violato !!\r\nRisultante esterna in fondazione !!", Icona::Critica},
        CasoEquilibrio{
            "VersoLAlto", [](DatiTrave& d) { Forza(d, -1000, 1); }, EsitoCalcolo::EquilibrioViolato,
            "Equilibrio violato !!\r\nRisultante verso l'alto in fondazione !!", Icona::Critica},
        // exactly on the edge: zero contact, the division fails
        CasoEquilibrio{"RisultanteSulBordo",
                       [](DatiTrave& d) { Forza(d, 1000, 2), Coppia(d, 2000, 1); },
                       EsitoCalcolo::ErroreDati, "Errore! Controllare i dati", Icona::Nessuna}),
    [](const auto& i) { return std::string(i.param.nome); });
