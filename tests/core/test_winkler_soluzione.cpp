// Solution of the Winkler model (its settlements are checked in tests/verifica):
// the no-tension iteration, banded and dense solvers, the driver hand-off.
#include "core/guasto.h"
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace zelvo;

namespace {

constexpr float E0 = 3e10f, J0 = 0.05f, L0 = 10.0f;
constexpr double K0 = 5e7, B0 = 1.2;

struct Esito {
    bool ok;
    std::vector<int> passi;
    RegistroMessaggi msg;
};
Esito Risolvi(TraveWinkler& w, bool reagTraz) {
    Esito e;
    e.ok = w.RisolveW(reagTraz, e.msg, [&](int r) { e.passi.push_back(r); });
    return e;
}

// Σ F and Σ F·d of the spring rows.
std::pair<double, double> Somme(const Vettore1<RigaMolla>& molle) {
    double F = 0, M = 0;
    for (int i = 1; i <= molle.Conta(); ++i)
        F += molle(i).F, M += molle(i).F * molle(i).d;
    return {F, M};
}

} // namespace

// With soil reacting in tension there is one solve and no pass; without it, a
// load that lifts nothing needs one pass, shown as 1.
TEST(WinklerIterazione, UnaSoluzioneQuandoNullaSiSolleva) {
    for (bool reagTraz : {true, false}) {
        TraveWinkler w;
        w.InizializzaWinkler(100, K0, B0, E0, J0, 20.0f);
        w.AzioniTrapezio(-3e4, -3e4, 0, 20);
        Esito e = Risolvi(w, reagTraz);
        EXPECT_TRUE(e.ok);
        EXPECT_EQ(w.Risoluzioni(), 1);
        EXPECT_EQ(e.passi, reagTraz ? std::vector<int>{} : std::vector<int>{1});
        EXPECT_TRUE(e.msg.elenco.empty());
    }
}

// A flexible beam with a force and a couple near one end: the lifted nodes
// keep changing; with ten passes allowed the message is the pass counter "11"
// and the last solution stands.
TEST(WinklerIterazione, SenzaAssestamentoMostraIlContatoreDeiPassi) {
    TraveWinkler w;
    w.InizializzaWinkler(2000, 1e7, 1, 1e6f, 1.0f, 40.0f);
    w.AzioniConcentrati(-1e5, 2.0);
    w.AzioniCoppie(3e5, 2.0);
    w.PassiMassimi = 10;
    Esito e = Risolvi(w, false);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.msg.Testi(), std::vector<std::string>{"11"});
    EXPECT_EQ(e.msg.elenco[0].icona, Icona::Nessuna);
    EXPECT_EQ(std::pair(w.Passi(), w.Risoluzioni()), std::pair(11, 11));
    EXPECT_EQ(e.passi, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    // even unsettled the rows balance P = 1e5 down at 2 m and a couple of −3e5:
    // ΣF = −P and ΣF·x = −(P·2 − 3e5) about A
    Vettore1<RigaMolla> molle(2001);
    w.ReazioniMolle(molle, true);
    const auto [somma, momento] = Somme(molle);
    EXPECT_NEAR(somma, -1e5, 1e-6 * 1e5);
    EXPECT_NEAR(momento, 1e5, 1e-6 * 1e5 * 40);

    // The resultant acts at x = −1 m, off the beam: given all its passes the
    // iteration lifts node after node until the beam is a mechanism, and says so.
    w.PassiMassimi = TraveWinkler{}.PassiMassimi;
    Esito f = Risolvi(w, false);
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.msg.Testi(), std::vector<std::string>{"Sistema non risolvibile"});
    EXPECT_LT(w.MolleAttive(), 2);
}

// One element under a couple: one node presses, the other lifts: a mechanism.
TEST(WinklerIterazione, UnaMollaSolaNonRisolvibile) {
    TraveWinkler w;
    w.InizializzaWinkler(1, K0, B0, E0, J0, 2.0f);
    w.AzioniCoppie(-1e4, 0.0);
    Esito e = Risolvi(w, false);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.msg.Testi(), std::vector<std::string>{"Sistema non risolvibile"});
    EXPECT_EQ(e.msg.elenco[0].icona, Icona::Nessuna);
    EXPECT_EQ(w.MolleAttive(), 1);
}

// E·J = 0: the rotations have no stiffness, column 2 is exactly zero; banded
// and dense LAPACK stop at the same pivot. The dense solver's size limit.
TEST(WinklerBandaDensa, StessoInfoSulSistemaSingolare) {
    TraveWinkler w;
    w.InizializzaWinkler(20, K0, B0, 0.0f, J0, L0);
    w.AzioniConcentrati(-1e5, 3);
    w.AssemblaMatriciW();
    std::vector<double> b1 = w.MNW.vettore(), b2 = b1;
    const int infoBanda = RisolviBanda(w.MKW, b1);
    const int infoDensa = RisolviDensa(w.MKW.Densa(), w.NumGdl, b2);
    EXPECT_GT(infoDensa, 0);
    EXPECT_EQ(infoBanda, infoDensa);
    for (SolutoreW s : {SolutoreW::Banda, SolutoreW::Densa}) {
        w.Solutore = s;
        RegistroMessaggi msg;
        EXPECT_FALSE(w.RisolveW(true, msg));
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Sistema non risolvibile"});
    }
    TraveWinkler grande;
    grande.Solutore = SolutoreW::Densa;
    grande.InizializzaWinkler(TraveWinkler::MaxElementiDensa + 1, K0, B0, E0, J0, L0);
    RegistroMessaggi msg;
    EXPECT_THROW(grande.RisolveW(true, msg), Guasto);
}

// The finest mesh is accepted, and keeps the springs' digits: there 12EJ/Le³
// is about 4e15 times a spring, and a plain LU loses them (tens of percent).
// Witness: a uniform load over the whole free beam settles it by q/(K·b)
// everywhere, exactly for the discrete model too (a rigid translation).
TEST(WinklerConsegna, MeshMassimaCedimentoUniformeEsatto) {
    ModuloZelvo m;
    DatiTrave& d = m.Dati = prova::FondazioneProva(TraveWinkler::MaxElementi, true);
    const double q = 4e4;
    d.NConcentrati = d.NCoppie = 0; // the uniform load alone
    d.CarichiTrapezi(1) = {float(q), float(q), 0, L0};
    RegistroMessaggi msg;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_EQ(m.Winkler->NumGdl, 32766);
    EXPECT_EQ(d.NConcentrati, 16383);
    for (int i = 1; i <= 16383; i += 1000)
        EXPECT_NEAR(m.Winkler->SpostamentoW(i), q / (K0 * B0), 1e-6 * q / (K0 * B0)) << i;
}

// Every calculation rebuilds the model in the same object; a smaller mesh
// after a larger one leaves nothing of the old one.
TEST(WinklerConsegna, OgniCalcoloRicostruisceIlModello) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(100, true);
    const DatiTrave originali = m.Dati;
    RegistroMessaggi msg;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_EQ(m.Dati.NConcentrati, 2 + 101);
    const TraveWinkler* primo = m.Winkler.get();
    const Vettore1<RigaMolla> molle = m.Risultati.Molle;
    m.Dati = originali; // the driver drops the spring rows
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_EQ(m.Winkler.get(), primo);
    EXPECT_EQ(m.Risultati.Molle, molle);
    m.Dati = originali;
    m.Dati.NDivisioni = 10;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_EQ(
        std::tuple(m.Winkler->NumGdl, m.Winkler->Spostamenti.Conta(), m.Risultati.Molle.Conta()),
        std::tuple(22, 22, 11));
}

// A force left of A (warned about by the data reading) hangs from A; a
// trapezoid past B loads the span only: the springs carry the loads, finite.
TEST(WinklerConsegna, CarichiOltreGliEstremiFinitiEInEquilibrio) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(50, true);
    m.Dati.CarichiConcentrati(2).d = -0.5f;
    m.Dati.CarichiTrapezi(1) = {3e4f, 3e4f, 8.0f, 12.0f};
    RegistroMessaggi msg;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    const auto [F, M] = Somme(m.Risultati.Molle);
    EXPECT_TRUE(std::isfinite(F) && std::isfinite(M));
    EXPECT_NEAR(F, -(2e5 - 5e4 + 3e4 * 2.0), 1e-6 * 4e5);
}

struct CasoCattivo {
    const char* nome;
    void (*guasta)(DatiTrave&);
};

class WinklerDatiCattivi : public ::testing::TestWithParam<CasoCattivo> {};

// The model refuses the data with a fault; the calculation shows the one
// generic message and leaves the user's data as they were.
TEST_P(WinklerDatiCattivi, GuastoSenzaMessaggiNeRighe) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(50, false);
    GetParam().guasta(m.Dati);
    const DatiTrave dati = m.Dati;
    RegistroMessaggi msg;
    EXPECT_THROW(PreparaSuoloElastico(m, msg), Guasto);
    EXPECT_TRUE(msg.elenco.empty());
    m.Dati = dati;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati);
    ASSERT_EQ(msg.Testi().size(), 1u);
    EXPECT_TRUE(msg.Testi()[0].starts_with("Errore! Controllare i dati\r\n")) << msg.Testi()[0];
    EXPECT_EQ(m.Dati.NConcentrati, dati.NConcentrati); // no spring rows left behind
    EXPECT_FALSE(m.Risultati.Calcolato);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, WinklerDatiCattivi,
    ::testing::Values(CasoCattivo{"KZero", [](DatiTrave& d) { d.K = 0; }},
                      CasoCattivo{"KNaN", [](DatiTrave& d) { d.K = std::nan(""); }},
                      CasoCattivo{"KInfinito", [](DatiTrave& d) { d.K = HUGE_VAL; }},
                      CasoCattivo{"bZero", [](DatiTrave& d) { d.b = 0; }},
                      CasoCattivo{"EZero", [](DatiTrave& d) { d.E = 0; }},
                      CasoCattivo{"LuceZero", [](DatiTrave& d) { d.Luce = 0; }},
                      CasoCattivo{"ForzaOltreLaLuce",
                                  [](DatiTrave& d) { d.CarichiConcentrati(2).d = 10.5f; }},
                      CasoCattivo{"CoppiaOltreLaLuce", [](DatiTrave& d) { d.Coppie(1).d = 11.0f; }},
                      CasoCattivo{"MollaOltreIlSingolo",
                                  [](DatiTrave& d) {
                                      // both forces on A: its spring takes more than a single holds
                                      d.NDivisioni = 2;
                                      d.ReagTraz = true;
                                      d.CarichiConcentrati(1) = {3e38f, 0.0f};
                                      d.CarichiConcentrati(2) = {3e38f, 0.0f};
                                  }}),
    [](const auto& info) { return std::string(info.param.nome); });
