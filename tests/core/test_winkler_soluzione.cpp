// Solution of the Winkler model: convergence to the exact solution, the
// no-tension iteration, banded against dense LAPACK, the driver hand-off and
// bad input.
#include "core/guasto.h"
#include "core/modulo_zelvo.h"
#include "core/trave_winkler.h"
#include "test_winkler_esatta.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace zelvo;
using zelvo_test::Esatta;

namespace {

// A typical foundation: E = 3e10 N/m², J = 0.05 m⁴, K = 5e7 N/m³, b = 1.2 m,
// L = 10 m (β·L ≈ 3.1, a beam of intermediate stiffness).
constexpr float E0 = 3e10f, J0 = 0.05f, L0 = 10.0f;
constexpr double K0 = 5e7, B0 = 1.2;

// Loads in the user's sign (downward); the model takes them negated.
void CaricaModello(TraveWinkler& w, const Esatta& e) {
    for (auto f : e.forze)
        w.AzioniConcentrati(-f.P, f.a);
    for (auto c : e.coppie)
        w.AzioniCoppie(-c.W, c.d);
    for (auto u : e.uniformi)
        w.AzioniTrapezio(-u.q, -u.q, u.a1, u.a2);
}

double ErroreRelativo(int n, const Esatta& e) {
    TraveWinkler w;
    w.InizializzaWinkler(n, K0, B0, E0, J0, L0);
    CaricaModello(w, e);
    RegistroMessaggi msg;
    EXPECT_TRUE(w.RisolveW(true, msg));
    double err = 0, scala = 0;
    for (int i = 1; i <= n + 1; ++i) {
        const double we = e.w(w.xMolla(i));
        err = std::max(err, std::fabs(w.SpostamentoW(i) - we));
        scala = std::max(scala, std::fabs(we));
    }
    return err / scala;
}

Esatta Problema() {
    return zelvo_test::EsattaDi(prova::FondazioneProva(1, true));
}

} // namespace

TEST(WinklerEsatta, ErroreCalaColQuadratoDelPasso) {
    // Lumped springs and cubic elements: the nodal settlements converge to
    // the exact solution as h². Each halving of the step must cut the error
    // by more than 3 (4 in the limit), and the fine mesh must be within
    // 2e-5 of the exact settlements.
    const Esatta e = Problema();
    double prec = 0;
    for (int n : {10, 20, 40, 80, 160, 320}) {
        const double err = ErroreRelativo(n, e);
        if (prec > 0) {
            EXPECT_GT(prec / err, 3.0) << "n = " << n;
        }
        prec = err;
    }
    EXPECT_LT(prec, 2e-5);
}

TEST(WinklerEsatta, CaricoUniformeTotaleCedimentoQsuK) {
    // Whole-span uniform load on a free beam: the exact settlement is q/k
    // everywhere; the model approaches it as the mesh is refined.
    TraveWinkler w;
    w.InizializzaWinkler(400, K0, B0, E0, J0, L0);
    const double q = 4e4;
    w.AzioniTrapezio(-q, -q, 0, L0);
    RegistroMessaggi msg;
    ASSERT_TRUE(w.RisolveW(false, msg));
    EXPECT_EQ(w.Risoluzioni(), 1);
    for (int i = 1; i <= 401; i += 40)
        EXPECT_NEAR(w.SpostamentoW(i), q / (K0 * B0), 1e-4 * q / (K0 * B0));
}

// ---------------------------------------------------------------------------
// The no-tension iteration.

namespace {
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
} // namespace

TEST(WinklerIterazione, CaricoUniformeNessunSollevamentoUnaSolaSoluzione) {
    TraveWinkler w;
    w.InizializzaWinkler(100, K0, B0, E0, J0, 20.0f);
    w.AzioniTrapezio(-3e4, -3e4, 0, 20);
    Esito e = Risolvi(w, false);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(w.Risoluzioni(), 1);
    EXPECT_EQ(w.Passi(), 1);
    EXPECT_EQ(e.passi, std::vector<int>{1});
    EXPECT_TRUE(e.msg.elenco.empty());
}

TEST(WinklerIterazione, ReagenteATrazioneUnaSolaSoluzioneNessunPasso) {
    TraveWinkler w;
    w.InizializzaWinkler(100, K0, B0, E0, J0, 10.0f);
    w.AzioniConcentrati(-1e5, 0.5);
    Esito e = Risolvi(w, true);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(w.Risoluzioni(), 1);
    EXPECT_EQ(w.Passi(), 0);
    EXPECT_TRUE(e.passi.empty());
    EXPECT_TRUE(e.msg.elenco.empty());
    // The far end lifts and its spring pulls (a positive, tensile row).
    EXPECT_LT(w.SpostamentoW(101), 0);
    Vettore1<RigaMolla> molle(101);
    w.ReazioniMolle(molle, false);
    EXPECT_GT(molle(101).F, 0);
}

TEST(WinklerIterazione, ForzaVicinoAUnEstremoSollevaLAltro) {
    // A very stiff beam (β·L ≈ 0.67) behaves nearly as a rigid one: a force
    // at c = 0.5 m from A (inside the core, c < L/6) presses a triangle of
    // length 3c = 1.5 m; the rest lifts and its springs carry nothing. The
    // contact edge is checked to 1.5 elements. Equilibrium of the remaining
    // springs holds to 1e-6: the beam stiffness 12EJ/Le³ is 4e8 times a
    // spring, which costs that many ulps in the assembled diagonal.
    const float L = 10;
    const int n = 50; // Le = 0.2
    TraveWinkler w;
    w.InizializzaWinkler(n, K0, B0, 3e10f, 100.0f, L);
    const double P = 1e5;
    w.AzioniConcentrati(-P, 0.5);
    Esito e = Risolvi(w, false);
    ASSERT_TRUE(e.ok);
    EXPECT_GE(w.Risoluzioni(), 2);
    EXPECT_LE(w.Risoluzioni(), 11);
    ASSERT_FALSE(e.passi.empty());
    for (size_t i = 0; i < e.passi.size(); ++i)
        EXPECT_EQ(e.passi[i], int(i) + 1);
    EXPECT_EQ(w.Passi(), int(e.passi.size()));
    EXPECT_TRUE(e.msg.elenco.empty());

    Vettore1<RigaMolla> molle(n + 1);
    w.ReazioniMolle(molle, true);
    double somma = 0, momento = 0;
    for (int i = 1; i <= n + 1; ++i) {
        const double x = w.xMolla(i);
        EXPECT_EQ(molle(i).d, x);
        if (x > 1.5 + 0.3) {
            EXPECT_LT(w.SpostamentoW(i), 0) << x;
            EXPECT_EQ(molle(i).F, 0) << x;
        }
        if (x < 1.5 - 0.3) {
            EXPECT_LT(molle(i).F, 0) << x;
        }
        somma += molle(i).F;
        momento += molle(i).F * x;
    }
    // The remaining springs carry the force and its moment.
    EXPECT_NEAR(somma, -P, 1e-6 * P);
    EXPECT_NEAR(momento, -P * 0.5, 1e-6 * P * L);
}

TEST(WinklerIterazione, SenzaAssestamentoMostraIlContatoreDeiPassi) {
    // A flexible beam with a force and a couple near one end: the lifted
    // nodes keep changing for more than ten passes; with ten passes allowed
    // the message is the pass counter "11" and the last solution stands.
    TraveWinkler w;
    w.InizializzaWinkler(2000, 1e7, 1, 1e6f, 1.0f, 40.0f);
    w.AzioniConcentrati(-1e5, 2.0);
    w.AzioniCoppie(3e5, 2.0);
    w.PassiMassimi = 10;
    Esito e = Risolvi(w, false);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.msg.Testi(), std::vector<std::string>{"11"});
    EXPECT_EQ(e.msg.elenco[0].icona, Icona::Nessuna);
    EXPECT_EQ(w.Passi(), 11);
    EXPECT_EQ(w.Risoluzioni(), 11);
    EXPECT_EQ(e.passi, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    for (int i = 1; i <= 2001; ++i)
        EXPECT_TRUE(std::isfinite(w.SpostamentoW(i)));
    // Even unsettled, the spring rows are the forces of the last solve and
    // balance the loads: a downward force P = 1e5 at 2 m and a couple of
    // −3e5 (counterclockwise): ΣF = −P and ΣF·x = −(P·2 − 3e5) about A.
    Vettore1<RigaMolla> molle(2001);
    w.ReazioniMolle(molle, true);
    double somma = 0, momento = 0;
    for (int i = 1; i <= 2001; ++i) {
        somma += molle(i).F;
        momento += molle(i).F * molle(i).d;
    }
    EXPECT_NEAR(somma, -1e5, 1e-6 * 1e5);
    EXPECT_NEAR(momento, 1e5, 1e-6 * 1e5 * 40);

    // The resultant of the force and the couple acts at x = −1 m, off the
    // beam: no contact state carries it. Given all its passes the iteration
    // lifts node after node until the beam is a mechanism, and says so.
    w.PassiMassimi = TraveWinkler{}.PassiMassimi;
    Esito f = Risolvi(w, false);
    EXPECT_FALSE(f.ok);
    EXPECT_EQ(f.msg.Testi(), std::vector<std::string>{"Sistema non risolvibile"});
    EXPECT_LT(w.MolleAttive(), 2);
}

TEST(WinklerIterazione, MeccanismoNonRisolvibile) {
    // Every load upward: all nodes lift. One element under a couple: one
    // node presses, the other lifts, and a beam on one spring is a mechanism.
    TraveWinkler tutta, una;
    tutta.InizializzaWinkler(50, K0, B0, E0, J0, L0);
    tutta.AzioniTrapezio(2e4, 2e4, 0, 10);
    una.InizializzaWinkler(1, K0, B0, E0, J0, 2.0f);
    una.AzioniCoppie(-1e4, 0.0);
    for (TraveWinkler* w : {&tutta, &una}) {
        Esito e = Risolvi(*w, false);
        EXPECT_FALSE(e.ok);
        EXPECT_EQ(e.msg.Testi(), std::vector<std::string>{"Sistema non risolvibile"});
        EXPECT_EQ(e.msg.elenco[0].icona, Icona::Nessuna);
    }
    EXPECT_EQ(una.MolleAttive(), 1);
}

// ---------------------------------------------------------------------------
// Banded against dense LAPACK.

struct CasoSolutore {
    int n;
    float L, E, J;
    double K;
    bool reagTraz;
};

class WinklerBandaDensa : public ::testing::TestWithParam<CasoSolutore> {};

TEST_P(WinklerBandaDensa, StessiSpostamenti) {
    // Same pivots, same solution to rounding: max |Δu| / max |u| < 1e-9.
    const auto c = GetParam();
    std::vector<double> u[2];
    std::vector<int> passi;
    for (int s = 0; s < 2; ++s) {
        TraveWinkler w;
        w.Solutore = s ? SolutoreW::Densa : SolutoreW::Banda;
        w.InizializzaWinkler(c.n, c.K, 1.0, c.E, c.J, c.L);
        w.AzioniConcentrati(-1e5, 0.07 * c.L);
        w.AzioniCoppie(2e4, 0.31 * c.L);
        w.AzioniTrapezio(-1e4, -4e4, 0.2 * c.L, 0.9 * c.L);
        RegistroMessaggi msg;
        ASSERT_TRUE(w.RisolveW(c.reagTraz, msg));
        passi.push_back(w.Risoluzioni());
        for (int i = 1; i <= w.NumGdl; ++i)
            u[s].push_back(w.Spostamenti(i));
    }
    EXPECT_EQ(passi[0], passi[1]);
    double d = 0, m = 0;
    for (size_t i = 0; i < u[0].size(); ++i) {
        d = std::max(d, std::fabs(u[0][i] - u[1][i]));
        m = std::max(m, std::fabs(u[1][i]));
    }
    EXPECT_GT(m, 0);
    EXPECT_LT(d / m, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Modelli, WinklerBandaDensa,
                         ::testing::Values(CasoSolutore{1, 2, 3e10f, 0.05f, 5e7, true},
                                           CasoSolutore{2, 3, 3e10f, 0.05f, 5e7, true},
                                           CasoSolutore{7, 10, 3e10f, 0.05f, 5e7, false},
                                           CasoSolutore{50, 10, 3e10f, 0.05f, 5e7, false},
                                           CasoSolutore{150, 25, 2.1e11f, 1e-3f, 1e8, false},
                                           CasoSolutore{300, 12, 3e10f, 5.0f, 2e6, true},
                                           CasoSolutore{300, 40, 1e6f, 1.0f, 1e7, false},
                                           CasoSolutore{400, 8, 3e10f, 0.01f, 5e7, false}));

TEST(WinklerBandaDensa, StessoInfoSulSistemaSingolare) {
    // E·J = 0: the rotations have no stiffness, column 2 is exactly zero;
    // both factorisations stop at the same pivot.
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
}

TEST(WinklerBandaDensa, DensoRifiutatoOltreIlLimite) {
    TraveWinkler w;
    w.Solutore = SolutoreW::Densa;
    w.InizializzaWinkler(TraveWinkler::MaxElementiDensa + 1, K0, B0, E0, J0, L0);
    RegistroMessaggi msg;
    EXPECT_THROW(w.RisolveW(true, msg), Guasto);
}

TEST(WinklerBandaDensa, BandaControMatricePiena) {
    // The band layout against the full matrix it stands for, on a
    // non-symmetric system: dgbsv and dgesv agree with a hand-checked solution.
    MatriceBanda A(5, 1, 2);
    const double piena[5][5] = {
        {4, 1, 2, 0, 0}, {1, 5, 1, 3, 0}, {0, 2, 6, 1, 1}, {0, 0, 1, 7, 2}, {0, 0, 0, 3, 8}};
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 5; ++j)
            if (A.NellaBanda(i, j))
                A(i, j) = piena[i - 1][j - 1];
            else
                EXPECT_EQ(piena[i - 1][j - 1], 0);
    const std::vector<double> xv = {1, -2, 3, 0.5, -1};
    std::vector<double> b(5, 0.0);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            b[i] += piena[i][j] * xv[j];
    std::vector<double> b1 = b, b2 = b;
    EXPECT_EQ(RisolviBanda(A, b1), 0);
    EXPECT_EQ(RisolviDensa(A.Densa(), 5, b2), 0);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(b1[i], xv[i], 1e-13);
        EXPECT_NEAR(b2[i], xv[i], 1e-13);
    }
    EXPECT_THROW(A(1, 5) = 1, Guasto);
}

// ---------------------------------------------------------------------------
// The driver hand-off.

TEST(WinklerConsegna, MolleAccodateInEquilibrioConICarichi) {
    // The spring rows close the free body: Σ F = 0 and, about B,
    // Σ F·(L − d) = Σ W (the moment at the free end B is zero).
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(100, true);
    RegistroMessaggi msg;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_TRUE(msg.elenco.empty());
    ASSERT_TRUE(m.Winkler);
    EXPECT_EQ(m.Dati.NConcentrati, 2 + 101);
    EXPECT_EQ(m.Dati.CarichiConcentrati.Conta(), 103);
    EXPECT_EQ(m.Risultati.Molle.Conta(), 101);
    double F = 0, Mb = 0;
    const double L = m.Winkler->L;
    for (int i = 1; i <= m.Dati.NConcentrati; ++i) {
        const auto c = m.Dati.CarichiConcentrati(i);
        F += c.F;
        Mb += c.F * (L - c.d);
        if (i > 2) {
            const RigaMolla r = m.Risultati.Molle(i - 2);
            EXPECT_EQ(c.F, static_cast<float>(r.F));
            // The last node is the end B: its row sits on L exactly.
            EXPECT_EQ(c.d, i - 2 == 101 ? m.Dati.Luce : static_cast<float>(r.d));
            EXPECT_EQ(r.d, m.Winkler->xMolla(i - 2));
        }
    }
    F += 3e4 * 6.5;
    Mb += 3e4 * 6.5 * (L - (1.0 + 7.5) / 2);
    // Single-precision rows: about 1e-7 of the largest term each.
    EXPECT_NEAR(F, 0, 1e-6 * 4e5);
    EXPECT_NEAR(Mb, 8e4, 1e-6 * 4e5 * L);
    // Same settlements as the exact solution to the mesh error (n = 100).
    const Esatta e = Problema();
    for (int i = 1; i <= 101; i += 10)
        EXPECT_NEAR(m.Winkler->SpostamentoW(i), e.w(m.Winkler->xMolla(i)),
                    3e-4 * std::fabs(e.w0) + 1e-7);
}

TEST(WinklerConsegna, OgniCalcoloRicostruisceIlModello) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(60, false);
    const DatiTrave originali = m.Dati;
    RegistroMessaggi msg;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    const TraveWinkler* primo = m.Winkler.get();
    const Vettore1<RigaMolla> molle = m.Risultati.Molle;
    const Vettore1<double> u = m.Winkler->Spostamenti;
    m.Dati = originali; // the driver drops the spring rows
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_EQ(m.Winkler.get(), primo); // reused
    EXPECT_EQ(m.Winkler->Spostamenti, u);
    EXPECT_EQ(m.Risultati.Molle, molle);
    // A smaller mesh after a larger one leaves nothing of the old one.
    m.Dati = originali;
    m.Dati.NDivisioni = 10;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_EQ(m.Winkler->NumGdl, 22);
    EXPECT_EQ(m.Winkler->Spostamenti.Conta(), 22);
    EXPECT_EQ(m.Risultati.Molle.Conta(), 11);
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
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
    EXPECT_EQ(m.Dati.NConcentrati, dati.NConcentrati); // no spring rows left behind
    EXPECT_FALSE(m.Risultati.Calcolato);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, WinklerDatiCattivi,
    ::testing::Values(CasoCattivo{"NDivisioniZero", [](DatiTrave& d) { d.NDivisioni = 0; }},
                      CasoCattivo{"NDivisioniNegativo", [](DatiTrave& d) { d.NDivisioni = -5; }},
                      CasoCattivo{"NDivisioniOltre", [](DatiTrave& d) { d.NDivisioni = 16383; }},
                      CasoCattivo{"NDivisioniMassimo", [](DatiTrave& d) { d.NDivisioni = 32767; }},
                      CasoCattivo{"KZero", [](DatiTrave& d) { d.K = 0; }},
                      CasoCattivo{"KNegativo", [](DatiTrave& d) { d.K = -5e7; }},
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

TEST(WinklerConsegna, MeshMassimaAccettata) {
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(TraveWinkler::MaxElementi, true);
    RegistroMessaggi msg;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    EXPECT_EQ(m.Winkler->NumGdl, 32766);
    EXPECT_EQ(m.Dati.NConcentrati, 2 + 16383);
}

TEST(WinklerConsegna, ForzaACavalloDiAFiniteEInEquilibrio) {
    // A force left of A (d < 0) is warned about by the data reading; the
    // model takes it as hanging from A and stays finite and in equilibrium.
    ModuloZelvo m;
    m.Dati = prova::FondazioneProva(50, true);
    m.Dati.CarichiConcentrati(2).d = -0.5f;
    RegistroMessaggi msg;
    ASSERT_TRUE(PreparaSuoloElastico(m, msg));
    double F = 0;
    for (int i = 1; i <= m.Dati.NConcentrati; ++i) {
        EXPECT_TRUE(std::isfinite(m.Dati.CarichiConcentrati(i).F));
        F += m.Dati.CarichiConcentrati(i).F;
    }
    EXPECT_NEAR(F + 3e4 * 6.5, 0, 1e-6 * 4e5);
}

TEST(WinklerEsatta, MeshMassimaNonPerdeLeMolle) {
    // At 16382 elements 12EJ/Le³ is about 4e15 times a spring: a plain LU
    // loses the springs' digits (tens of percent of error). With the
    // refinement the settlements match the exact solution to the mesh error
    // (about 1e-8 here); 1e-6 leaves room for rounding.
    const Esatta e = Problema();
    EXPECT_LT(ErroreRelativo(TraveWinkler::MaxElementi, e), 1e-6);
    EXPECT_LT(ErroreRelativo(4000, e), 1e-6);
}
