// Calculation points, run-time faults and the messages that end a calculation,
// the probe's messages and the extremes of whole calculations.
#include "core/calcolo.h"
#include "core/estrazione.h"
#include "core/modulo_zelvo.h"
#include "tests/comune/problemi.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

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

// A 4 m rigid foundation on soil not reacting in tension.
void Rigida(DatiTrave& d) {
    d.Vincoli = Fondazione;
    d.Luce = 4;
    d.ReagTraz = false;
    d.K = 5e7;
    d.b = 2;
}

} // namespace

// Witness: the grid 0, dx, ... below Luce, plus 0 twice, the midpoint and Luce
// three times; a load inside adds d − ε, d, d + ε (ε = dx/1000), at 0 only 0 and
// ε, at Luce only Luce − ε and Luce. Equal positions stay repeated.
struct CasoPunti {
    const char* nome;
    float L;
    int16_t nSezioni;
    std::vector<float> forze, coppie;            // positions of unit loads
    std::vector<std::pair<float, float>> tratti; // d1, d2 of unit trapezoids
    int punti;
    std::vector<std::pair<double, int>> quanti; // abscissa, how many points hold it
};

class PuntiDiCalcolo : public ::testing::TestWithParam<CasoPunti> {};

TEST_P(PuntiDiCalcolo, GrigliaPiuPuntiDeiCarichi) {
    const auto& c = GetParam();
    DatiTrave d = Base(c.L, c.nSezioni);
    for (float x : c.forze)
        Forza(d, 1, x);
    for (float x : c.coppie)
        Coppia(d, 1, x);
    for (auto [d1, d2] : c.tratti)
        Trapezio(d, 1, 1, d1, d2);
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

constexpr double e4 = double(4.0f / 100 / 1000), e5 = double(5.0f / 100 / 1000);
INSTANTIATE_TEST_SUITE_P(
    Casi, PuntiDiCalcolo,
    ::testing::Values(
        CasoPunti{"SenzaCarichi", 3, 100, {}, {}, {}, 106, {{0, 3}, {3, 3}, {1.5, 1}}},
        CasoPunti{"UnaSezioneSoloLoZero", 2, 1, {}, {}, {}, 7, {{0, 3}, {2, 3}, {1, 1}}},
        CasoPunti{"ForzaInMezzeria", 4, 100, {2}, {}, {}, 109, {{2, 2}, {2 - e4, 1}, {2 + e4, 1}}},
        CasoPunti{"AgliEstremi", 5, 100, {0}, {5}, {}, 110, {{0, 4}, {5, 4}, {e5, 1}, {5 - e5, 1}}},
        CasoPunti{"StessaAscissa", 6, 100, {2.5f, 2.5f}, {}, {{2.5f, 4}}, 118, {{2.5, 3}}}),
    [](const auto& i) { return std::string(i.param.nome); });

// A problem with no loads: every result is zero, nothing divides by zero.
TEST(Calcola, SenzaCarichiTuttoZero) {
    for (int16_t v = 0; v <= 3; ++v) {
        ModuloZelvo m;
        m.Dati = Base(4);
        m.Dati.Vincoli = v;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        const auto& r = m.Risultati;
        EXPECT_EQ(r.NPunti, 106);
        for (double x : {r.RA, r.MA, double(r.Mmax), double(r.fmax), double(*r.Mx), double(*r.fx)})
            EXPECT_EQ(x, 0) << v;
    }
}

// ---- run-time faults ("Errore! Controllare i dati" and nothing worse) and
// the rigid foundation's equilibrium: one message, nothing shown as valid ----

struct CasoGuasto {
    const char* nome;
    void (*guasta)(DatiTrave&); // on a 10 m span, 100 sections, no load
    EsitoCalcolo esito = EsitoCalcolo::ErroreDati;
    std::string testo = "Errore! Controllare i dati";
    Icona icona = Icona::Nessuna;
};

// "Errore! Controllare i dati" with the line naming the datum at fault.
std::string Errore(const char* causa) {
    return std::string("Errore! Controllare i dati\r\n") + causa;
}
const char* const FuoriLimiti = "Il calcolo non dà un risultato finito con questi dati: "
                                "controllare gli ordini di grandezza, le unità di misura e la "
                                "posizione dei carichi.";

class Guasti : public ::testing::TestWithParam<CasoGuasto> {};

TEST_P(Guasti, UnMessaggioENienteDiValido) {
    const auto& p = GetParam();
    ModuloZelvo m;
    m.Dati = Base(10);
    p.guasta(m.Dati);
    const DatiTrave prima = m.Dati;
    RegistroMessaggi msg;
    EXPECT_EQ(m.CalcolaConTrappola(msg), p.esito);
    ASSERT_EQ(msg.Testi(), std::vector<std::string>{p.testo});
    EXPECT_EQ(msg.elenco[0].icona, p.icona);
    EXPECT_FALSE(m.Risultati.Calcolato || m.Risultati.qSuoloA.has_value());
    // the loads are the user's, untouched
    EXPECT_EQ(m.Dati.NConcentrati, prima.NConcentrati);
    EXPECT_EQ(m.Dati.CarichiConcentrati.Conta(), prima.CarichiConcentrati.Conta());
}

using D = DatiTrave;
INSTANTIATE_TEST_SUITE_P(
    Casi, Guasti,
    ::testing::Values(
        CasoGuasto{"LuceMinuscola", [](D& d) { d.Luce = 1e-44f; }, EsitoCalcolo::ErroreDati,
                   Errore("Luce è troppo piccola per N° sezioni di calcolo.")},
        CasoGuasto{"LuceNegativa", [](D& d) { d.Luce = -5, Forza(d, 10, 1); },
                   EsitoCalcolo::ErroreDati, Errore("Luce deve essere maggiore di zero.")},
        CasoGuasto{"LuceNulla", [](D& d) { d.Luce = 0, d.Vincoli = Mensola; },
                   EsitoCalcolo::ErroreDati, Errore("Luce deve essere maggiore di zero.")},
        CasoGuasto{"NSezioniZero", [](D& d) { d.NSezioni = 0; }, EsitoCalcolo::ErroreDati,
                   Errore("N° sezioni di calcolo deve essere maggiore di zero.")},
        CasoGuasto{"NSezioniNegativo", [](D& d) { d.NSezioni = -3; }, EsitoCalcolo::ErroreDati,
                   Errore("N° sezioni di calcolo deve essere maggiore di zero.")},
        CasoGuasto{"MomentoOltreIlSingolo", [](D& d) { Trapezio(d, 3e38f, 3e38f, 0, 10); },
                   EsitoCalcolo::ErroreDati, Errore(FuoriLimiti)},
        CasoGuasto{
            "EJOltreIlSingolo", [](D& d) { d.E = d.J = 1e30f, Forza(d, 1, 5); },
            EsitoCalcolo::ErroreDati,
            Errore(
                "Il prodotto E·J è fuori dai limiti dei numeri: controllare le unità di E e J.")},
        CasoGuasto{"EJNullo", [](D& d) { d.E = 0; }, EsitoCalcolo::ErroreDati,
                   Errore("E deve essere maggiore di zero.")},
        CasoGuasto{"TrapezioDiLunghezzaNulla",
                   [](D& d) { Forza(d, 5, 3), Trapezio(d, 1, 2, 4, 4); }, EsitoCalcolo::ErroreDati,
                   Errore("Carichi dist. TRAPEZI, riga 1: deve essere d2 > d1.")},
        CasoGuasto{"CaricoNonFinito", [](D& d) { Forza(d, std::nanf(""), 3); },
                   EsitoCalcolo::ErroreDati,
                   Errore("Carichi CONCENTRATI, riga 1: valore non valido.")},
        CasoGuasto{"SchemaInesistente", [](D& d) { d.Vincoli = 7; }, EsitoCalcolo::ErroreDati,
                   Errore("Schema di vincolo inesistente.")},
        // exactly on the edge: zero contact, the division fails
        CasoGuasto{"RisultanteSulBordo",
                   [](D& d) { Rigida(d), Forza(d, 1000, 2), Coppia(d, 2000, 1); },
                   EsitoCalcolo::ErroreDati, Errore(FuoriLimiti)},
        CasoGuasto{"RisultanteNulla",
                   [](D& d) { Rigida(d), Coppia(d, 3000, 1), Coppia(d, -3000, 3); },
                   EsitoCalcolo::EquilibrioViolato,
                   "Equilibrio violato !!\r\nRisultante nulla in fondazione !!", Icona::Critica},
        CasoGuasto{"RisultanteEsterna",
                   [](D& d) { Rigida(d), Forza(d, 1000, 2), Coppia(d, 3000, 1); },
                   EsitoCalcolo::EquilibrioViolato,
                   "Equilibrio violato !!\r\nRisultante esterna in fondazione !!", Icona::Critica},
        CasoGuasto{"VersoLAlto", [](D& d) { Rigida(d), Forza(d, -1000, 1); },
                   EsitoCalcolo::EquilibrioViolato,
                   "Equilibrio violato !!\r\nRisultante verso l'alto in fondazione !!",
                   Icona::Critica}),
    [](const auto& i) { return std::string(i.param.nome); });

// 32767 points fit, more do not; a couple inside the span adds three points.
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
    EXPECT_EQ(msg.Testi().back(), Errore("Troppi punti di calcolo (più di 32.767): ridurre N° "
                                         "sezioni di calcolo o il numero di carichi."));
}

// ---- the probe and the extremes ----

// An abscissa off the span is refused with its message; no earlier value survives.
TEST(ValoriInX, FuoriDallaLuceNessunValoreVecchio) {
    ModuloZelvo m;
    m.Dati = Base(4);
    Forza(m.Dati, 1000, 1);
    for (float xp : {-0.01f, 4.01f}) {
        m.Dati.AscissaX = 2;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        ASSERT_TRUE(m.Risultati.Mx.has_value());
        m.Dati.AscissaX = xp;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        ASSERT_EQ(msg.Testi(),
                  std::vector<std::string>{xp < 0 ? "Errore: x < 0" : "Errore: x > Luce"});
        EXPECT_EQ(msg.elenco[0].icona, Icona::Nessuna);
        EXPECT_TRUE(m.Risultati.Calcolato);
        EXPECT_FALSE(m.Risultati.Mx || m.Risultati.Vx || m.Risultati.fx);
    }
}

// A force at midspan: the textbook values; of equal shears the positive is Vmax.
TEST(Estremi, ForzaInMezzeria) {
    ModuloZelvo m;
    m.Dati = Base(4);
    Forza(m.Dati, 1000, 2);
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const auto& r = m.Risultati;
    EXPECT_THAT(
        (std::vector<float>{r.Mmax, r.xMmax, r.Tmax, r.Tmin, r.Vmax, r.xVmax}),
        ::testing::Pointwise(::testing::FloatEq(), {1000.f, 2.f, 500.f, -500.f, 500.f, 0.f}));
}

// The first occurrence of each extreme; with the absolute option, of |a|.
TEST(MaxMin, PrimaOccorrenzaEAssoluti) {
    Vettore1<float> a(6);
    const float v[] = {2, -5, 7, 7, -5, -7};
    for (int i = 0; i < 6; ++i)
        a(i + 1) = v[i];
    float mn, mx;
    int imn, imx, k;
    MaxMin(6, a, mn, mx, &imn, &imx);
    EXPECT_EQ(std::tuple(mn, mx, imn, imx), std::tuple(-7.f, 7.f, 6, 3));
    MaxMin(6, a, mn, mx, &imn, &imx, true);
    EXPECT_EQ(std::tuple(mn, mx, imn, imx), std::tuple(2.f, 7.f, 1, 3));
    EXPECT_EQ(Massimo(6, a, &k), 7);
    EXPECT_EQ(k, 3);
    a(1) = -7; // the minimum twice: the first one
    MaxMin(6, a, mn, mx, &imn, &imx);
    EXPECT_EQ(std::tuple(mn, imn), std::tuple(-7.f, 1));
}
