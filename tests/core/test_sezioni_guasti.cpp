// Calculation points, run-time faults, the probe's messages and the extremes
// of whole calculations.
#include "core/calcolo.h"
#include "core/estrazione.h"
#include "core/modulo_zelvo.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace zelvo;

namespace {

DatiTrave Base(float L, int16_t nSezioni = 100) {
    DatiTrave d;
    d.Luce = L;
    d.E = 2.1e11f;
    d.J = 1e-4f;
    d.NSezioni = nSezioni;
    return d;
}

using prova::Coppia;
using prova::Forza;
using prova::Trapezio;

int Quanti(const RisultatiTrave& r, double v) {
    int k = 0;
    for (int i = 1; i <= r.NPunti; ++i)
        k += r.x(i) == v;
    return k;
}

bool Ordinati(const RisultatiTrave& r) {
    for (int i = 2; i <= r.NPunti; ++i)
        if (r.x(i) < r.x(i - 1)) return false;
    return true;
}

} // namespace

// Witness: the grid 0, dx, 2dx, ... below Luce (NSezioni points), plus 0
// twice, the midpoint and Luce three times; a load strictly inside adds
// d − ε, d and d + ε (ε = dx/1000), one at 0 only 0 and ε, one at Luce only
// Luce − ε and Luce. Equal positions stay repeated.
struct CasoPunti {
    const char* nome;
    float L;
    int16_t nSezioni;
    void (*carica)(DatiTrave&);
    int punti;
    std::vector<std::pair<double, int>> quanti; // abscissa, how many points hold it
};

class PuntiDiCalcolo : public ::testing::TestWithParam<CasoPunti> {};

TEST_P(PuntiDiCalcolo, GrigliaPiuPuntiDeiCarichi) {
    const auto& c = GetParam();
    DatiTrave d = Base(c.L, c.nSezioni);
    c.carica(d);
    RisultatiTrave r;
    SezioniCalcola(d, r);
    EXPECT_EQ(r.NPunti, c.punti);
    EXPECT_TRUE(Ordinati(r));
    for (auto [x, k] : c.quanti)
        EXPECT_EQ(Quanti(r, x), k) << "x = " << x;
    for (int i = 1; i <= r.NPunti; ++i) {
        EXPECT_EQ(r.M(i), 0);
        EXPECT_EQ(r.f(i), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, PuntiDiCalcolo,
    ::testing::Values(
        CasoPunti{"SenzaCarichi", 3, 100, [](DatiTrave&) {}, 106, {{0, 3}, {3, 3}, {1.5, 1}}},
        CasoPunti{"UnaSezioneSoloLoZero", 2, 1, [](DatiTrave&) {}, 7, {{0, 3}, {2, 3}, {1, 1}}},
        CasoPunti{"ForzaInMezzeria",
                  4,
                  100,
                  [](DatiTrave& d) { Forza(d, 1, 2); },
                  109,
                  {{2, 2}, {2 - double(4.0f / 100 / 1000), 1}, {2 + double(4.0f / 100 / 1000), 1}}},
        CasoPunti{
            "CarichiAgliEstremi",
            5,
            100,
            [](DatiTrave& d) {
                Forza(d, 1, 0);
                Coppia(d, 1, 5);
            },
            110,
            {{0, 4}, {5, 4}, {double(5.0f / 100 / 1000), 1}, {5 - double(5.0f / 100 / 1000), 1}}},
        CasoPunti{"DueCarichiStessaAscissa",
                  6,
                  100,
                  [](DatiTrave& d) {
                      Forza(d, 1, 2.5f);
                      Forza(d, -1, 2.5f);
                      Trapezio(d, 1, 1, 2.5f, 4);
                  },
                  118,
                  {{2.5, 3}}}),
    [](const auto& i) { return std::string(i.param.nome); });

// A problem with no loads: every result is zero.
TEST(Calcola, SenzaCarichiTuttoZero) {
    for (int16_t v = 0; v <= 3; ++v) {
        ModuloZelvo m;
        m.Dati = Base(4);
        m.Dati.Vincoli = v;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        const auto& r = m.Risultati;
        EXPECT_EQ(r.NPunti, 106);
        EXPECT_EQ(r.RA, 0);
        EXPECT_EQ(r.MA, 0);
        EXPECT_EQ(r.Mmax, 0);
        EXPECT_EQ(r.xMmax, 0);
        EXPECT_EQ(r.fmax, 0);
        EXPECT_EQ(*r.Mx, 0);
        EXPECT_EQ(*r.fx, 0);
    }
}

// ---- run-time faults: "Errore! Controllare i dati" and nothing worse ----

struct CasoGuasto {
    const char* nome;
    DatiTrave (*fai)();
};

class Guasti : public ::testing::TestWithParam<CasoGuasto> {};

TEST_P(Guasti, ErroreGenerico) {
    ModuloZelvo m;
    m.Dati = GetParam().fai();
    const DatiTrave prima = m.Dati;
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati);
    ASSERT_EQ(msg.Testi(), std::vector<std::string>{"Errore! Controllare i dati"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Nessuna);
    EXPECT_FALSE(m.Risultati.Calcolato);
    // The loads are the user's, untouched.
    EXPECT_EQ(m.Dati.NConcentrati, prima.NConcentrati);
    EXPECT_EQ(m.Dati.CarichiConcentrati.Conta(), prima.CarichiConcentrati.Conta());
}

INSTANTIATE_TEST_SUITE_P(Casi, Guasti,
                         ::testing::Values(CasoGuasto{"LuceMinuscola", [] { return Base(1e-44f); }},
                                           CasoGuasto{"LuceNegativa",
                                                      [] {
                                                          auto d = Base(-5);
                                                          Forza(d, 10, 1);
                                                          return d;
                                                      }},
                                           CasoGuasto{"LuceNulla",
                                                      [] {
                                                          auto d = Base(0);
                                                          d.Vincoli = Mensola;
                                                          return d;
                                                      }},
                                           CasoGuasto{"NSezioniZero", [] { return Base(4, 0); }},
                                           CasoGuasto{"NSezioniNegativo",
                                                      [] { return Base(4, -3); }},
                                           CasoGuasto{"MomentoOltreIlSingolo",
                                                      [] {
                                                          auto d = Base(10);
                                                          Trapezio(d, 3e38f, 3e38f, 0, 10);
                                                          return d;
                                                      }},
                                           CasoGuasto{"EJOltreIlSingolo",
                                                      [] {
                                                          auto d = Base(10);
                                                          d.E = 1e30f;
                                                          d.J = 1e30f;
                                                          Forza(d, 1, 5);
                                                          return d;
                                                      }},
                                           CasoGuasto{"EJNullo",
                                                      [] {
                                                          auto d = Base(10);
                                                          d.E = 0;
                                                          return d;
                                                      }},
                                           CasoGuasto{"TrapezioDiLunghezzaNulla",
                                                      [] {
                                                          auto d = Base(10);
                                                          Forza(d, 5, 3);
                                                          Trapezio(d, 1, 2, 4, 4);
                                                          return d;
                                                      }},
                                           CasoGuasto{"CaricoNonFinito",
                                                      [] {
                                                          auto d = Base(10);
                                                          Forza(d, std::nanf(""), 3);
                                                          return d;
                                                      }},
                                           CasoGuasto{"SchemaInesistente",
                                                      [] {
                                                          auto d = Base(10);
                                                          d.Vincoli = 7;
                                                          return d;
                                                      }}),
                         [](const auto& i) { return std::string(i.param.nome); });

// 32767 points fit; more do not. Each couple strictly inside the span adds
// three points (d − ε, d, d + ε).
TEST(Calcola, LimiteDeiPunti) {
    ModuloZelvo m;
    m.Dati = Base(4, 32000);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const int n0 = m.Risultati.NPunti;
    const int k = (32767 - n0) / 3;
    for (int i = 0; i < k; ++i)
        Coppia(m.Dati, 1, 0.5f + 0.0001f * float(i));
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_EQ(m.Risultati.NPunti, n0 + 3 * k);
    Coppia(m.Dati, 1, 3.5f);
    EXPECT_EQ(m.CalcolaConTrappola(msg), EsitoCalcolo::ErroreDati);
    EXPECT_EQ(msg.Testi().back(), "Errore! Controllare i dati");
}

// ---- the probe ----

TEST(ValoriInX, FuoriDallaLuce) {
    for (float xp : {-0.01f, 4.01f}) {
        ModuloZelvo m;
        m.Dati = Base(4);
        Forza(m.Dati, 1000, 1);
        m.Dati.AscissaX = xp;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        ASSERT_EQ(msg.elenco.size(), 1u);
        EXPECT_EQ(msg.elenco[0].testo, xp < 0 ? "Errore: x < 0" : "Errore: x > Luce");
        EXPECT_EQ(msg.elenco[0].icona, Icona::Nessuna);
        EXPECT_TRUE(m.Risultati.Calcolato);
        EXPECT_FALSE(m.Risultati.Mx.has_value());
        EXPECT_FALSE(m.Risultati.fx.has_value());
    }
}

// A value computed by an earlier calculation never survives as the value
// at an abscissa the new calculation refused.
TEST(ValoriInX, NessunValoreVecchio) {
    ModuloZelvo m;
    m.Dati = Base(4);
    Forza(m.Dati, 1000, 1);
    m.Dati.AscissaX = 2;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    ASSERT_TRUE(m.Risultati.Mx.has_value());
    m.Dati.AscissaX = -1;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_FALSE(m.Risultati.Mx.has_value());
}

// At x = 0 the loads at 0 count: M(0) = MA + couples at 0, V(0) = RA − forces
// at 0; at x = Luce the probe is accepted. Witness: simply supported statics.
TEST(ValoriInX, AgliEstremi) {
    ModuloZelvo m;
    m.Dati = Base(4);
    Forza(m.Dati, 1000, 0);
    Coppia(m.Dati, 500, 0);
    Forza(m.Dati, 2000, 3);
    m.Dati.AscissaX = 0;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const double RA = 1000 + 2000 * 1.0 / 4 - 500.0 / 4;
    EXPECT_NEAR(m.Risultati.RA, RA, 1e-9);
    EXPECT_FLOAT_EQ(*m.Risultati.Mx, 500);
    EXPECT_FLOAT_EQ(*m.Risultati.Vx, float(RA - 1000));
    EXPECT_EQ(*m.Risultati.fx, 0);
    m.Dati.AscissaX = 4;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(msg.elenco.empty());
    EXPECT_NEAR(*m.Risultati.Mx, 0, 1e-3);
    EXPECT_NEAR(*m.Risultati.Vx, -m.Risultati.RB, 1e-3);
    EXPECT_EQ(*m.Risultati.fx, m.Risultati.f(m.Risultati.NPunti));
}

// A force contributes nothing to M at its own abscissa and −F to V there; a
// couple nothing to V.
TEST(AzioniInX, ForzaECoppiaAllaPropriaAscissa) {
    DatiTrave d = Base(4);
    Forza(d, 700, 1.5f);
    Coppia(d, 300, 2.5f);
    RisultatiTrave r;
    r.RA = 10;
    r.MA = 20;
    double M, V;
    AzioniInX(d, r, 1.5, M, V);
    EXPECT_DOUBLE_EQ(M, 20 + 10 * 1.5);
    EXPECT_DOUBLE_EQ(V, 10 - 700);
    AzioniInX(d, r, 2.5, M, V);
    EXPECT_DOUBLE_EQ(M, 20 + 10 * 2.5 - 700 * 1.0 + 300);
    EXPECT_DOUBLE_EQ(V, 10 - 700);
    Trapezio(d, 0, 0, 0, 4);
    double M2, V2;
    AzioniInX(d, r, 2.5, M2, V2);
    EXPECT_EQ(M2, M);
    EXPECT_EQ(V2, V);
}

// ---- extremes ----

TEST(Estremi, ForzaInMezzeria) {
    ModuloZelvo m;
    m.Dati = Base(4);
    Forza(m.Dati, 1000, 2);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const auto& r = m.Risultati;
    EXPECT_FLOAT_EQ(r.Mmax, 1000);
    EXPECT_EQ(r.xMmax, 2.0f);
    EXPECT_FLOAT_EQ(r.Tmax, 500);
    EXPECT_FLOAT_EQ(r.Tmin, -500);
    EXPECT_EQ(r.Vmax, r.Tmax); // equal magnitudes: the positive wins
    EXPECT_EQ(r.xVmax, 0);
    EXPECT_EQ(r.Mmin, 0);
    // Witness: PL³/48EJ approached from below.
    const double f = 1000.0 * 64 / (48 * double(m.Dati.E * m.Dati.J));
    EXPECT_NEAR(r.fmax, f, 5e-4 * f);
    EXPECT_EQ(r.fMaxGiu, r.fmax);
    EXPECT_NEAR(r.xfmax, 2, 0.04);
}

TEST(Estremi, MensolaCaricataVersoIlBasso) {
    ModuloZelvo m;
    m.Dati = Base(3);
    m.Dati.Vincoli = Mensola;
    Trapezio(m.Dati, 100, 100, 0, 3);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const auto& r = m.Risultati;
    EXPECT_EQ(r.Mmax, 0);
    EXPECT_EQ(r.xMmax, 0);
    EXPECT_FLOAT_EQ(r.Mmin, float(r.MA));
    EXPECT_FLOAT_EQ(r.Mmin, -450);
    EXPECT_EQ(r.xMmin, 0);
    // Upward load: the largest |f| is negative; the most downward is 0 at A.
    m.Dati.CarichiTrapezi(1) = {-100, -100, 0, 3};
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_LT(m.Risultati.fmax, 0);
    EXPECT_EQ(m.Risultati.xfmax, 3);
    EXPECT_EQ(m.Risultati.fMaxGiu, 0);
    EXPECT_EQ(m.Risultati.xfMaxGiu, 0);
}

TEST(Estremi, VmaxPrendeIlNegativoSePiuGrande) {
    ModuloZelvo m;
    m.Dati = Base(4);
    Forza(m.Dati, 1000, 3);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_FLOAT_EQ(m.Risultati.Vmax, -750);
    EXPECT_FLOAT_EQ(m.Risultati.Tmax, 250);
    EXPECT_NEAR(m.Risultati.xVmax, 3, 1e-6);
}

TEST(MaxMin, PrimaOccorrenzaEAssoluti) {
    Vettore1<float> a(6);
    const float v[] = {2, -5, 7, 7, -5, -7};
    for (int i = 0; i < 6; ++i)
        a(i + 1) = v[i];
    float mn, mx;
    int imn, imx;
    MaxMin(6, a, mn, mx, &imn, &imx);
    EXPECT_EQ(mn, -7);
    EXPECT_EQ(imn, 6);
    EXPECT_EQ(mx, 7);
    EXPECT_EQ(imx, 3);
    MaxMin(6, a, mn, mx, &imn, &imx, true);
    EXPECT_EQ(mn, 2);
    EXPECT_EQ(imn, 1);
    EXPECT_EQ(mx, 7);
    EXPECT_EQ(imx, 3);
    int k;
    EXPECT_EQ(Massimo(6, a, &k), 7);
    EXPECT_EQ(k, 3);
    MaxMin(2, a, mn, mx, &imn, &imx);
    EXPECT_EQ(mn, -5);
    EXPECT_EQ(mx, 2);
}
