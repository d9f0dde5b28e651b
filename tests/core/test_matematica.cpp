// Search, interpolation, sort and the root finder.
#include "core/estrazione.h"
#include "core/matematica.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {
Vettore1<double> Tabella(std::initializer_list<double> v) {
    Vettore1<double> t(int(v.size()));
    int i = 1;
    for (double x : v)
        t(i++) = x;
    return t;
}
} // namespace

// The interval holding x in a table with repeated values, its ends included;
// beyond the first n entries there is none.
TEST(CercaIndice, ValoriRipetuti) {
    const auto xs = Tabella({0, 0, 0, 0.5, 1, 1, 1});
    for (auto [x, i] : {std::pair{0.0, 1}, {1.0, 7}, {0.75, 4}, {0.5, 4}, {0.25, 3}})
        EXPECT_EQ(CercaIndice(xs, x, 7), i) << x;
    EXPECT_THROW(CercaIndice(xs, 1.5, 7), Guasto);
    EXPECT_THROW(CercaIndice(xs, 1, 4), Guasto);
}

TEST(yInterpola, AscisseUguali) {
    EXPECT_EQ(yInterpola(5, 2, 7, 2, 9), 7);
    EXPECT_DOUBLE_EQ(yInterpola(1.5, 1, 10, 2, 20), 15);
    RegistroMessaggi msg;
    EXPECT_EQ(yInterpola(1e300, 0, 0, 1e-300, 1e300, &msg), 0);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{"Errore nella funzione yInterpola"});
}

TEST(Ordina, PermutazioneEStabilita) {
    Vettore1<double> a = Tabella({3, 1, 2});
    Vettore1<int> p;
    Ordina(a, 3, &p);
    EXPECT_EQ(a.vettore(), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(p.vettore(), (std::vector<int>{2, 3, 1}));
    // Equal values keep their order, as in a bubble sort swapping only
    // strictly greater neighbours.
    Vettore1<double> b = Tabella({2, 1, 2, 0, 1, 2});
    Ordina(b, 6, &p);
    EXPECT_EQ(p.vettore(), (std::vector<int>{4, 2, 5, 1, 3, 6}));
}

TEST(RadiceFunzione, RadiceOSegnoCostante) {
    RegistroMessaggi msg;
    double a = 0, b = 2;
    const double r = RadiceFunzione([](double x) { return x * x - 2; }, a, b, 1e-9, msg);
    EXPECT_LT(std::fabs(r * r - 2), 1e-9);
    EXPECT_TRUE(msg.elenco.empty());
    a = 0, b = 2;
    bool ok = true;
    EXPECT_EQ(RadiceFunzione([](double x) { return x * x + 1; }, a, b, 1e-9, msg, &ok), 0);
    EXPECT_FALSE(ok);
    ASSERT_EQ(msg.Testi(),
              std::vector<std::string>{"ERRORE! La funzione non cambia segno fra x1 e x2"});
    EXPECT_EQ(msg.elenco[0].icona, Icona::Critica);
}

// A step function never gets |f| below the tolerance: after 100 and 200
// iterations the question comes; yes continues, no ends.
TEST(RadiceFunzione, NonConvergeDomanda) {
    RegistroMessaggi msg;
    msg.risposte = {true, false};
    double a = 0, b = 1;
    bool ok = true;
    const double r =
        RadiceFunzione([](double x) { return x < 0.5 ? -1.0 : 1.0; }, a, b, 0.5, msg, &ok);
    EXPECT_EQ(r, 0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(msg.Testi(),
              (std::vector<std::string>{
                  "ERRORE! Il procedimento non converge!\rSuperate  100 iterazioni.\rProseguire ?",
                  "ERRORE! Il procedimento non converge!\rSuperate  200 iterazioni.\rProseguire ?",
                  "ERRORE! Procedimento non convergente!\rRISULTATI ERRATI!"}));
    EXPECT_TRUE(msg.elenco[0].domanda);
    EXPECT_EQ(msg.elenco[2].icona, Icona::Nessuna);
}
