// Search, interpolation, sort, angles and the root finder.
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

TEST(CercaIndice, ValoriRipetuti) {
    const auto xs = Tabella({0, 0, 0, 0.5, 1, 1, 1});
    EXPECT_EQ(CercaIndice(xs, 0, 7), 1);
    EXPECT_EQ(CercaIndice(xs, 1, 7), 7);
    EXPECT_EQ(CercaIndice(xs, 0.75, 7), 4);
    EXPECT_EQ(CercaIndice(xs, 0.5, 7), 4);
    EXPECT_EQ(CercaIndice(xs, 0.25, 7), 3);
}

TEST(CercaIndice, TabellaIrregolare) {
    const auto xs = Tabella({0, 0.1, 0.2, 3, 3.1, 9, 10});
    for (int i = 1; i < 7; ++i) {
        const double x = 0.5 * (xs(i) + xs(i + 1));
        EXPECT_EQ(CercaIndice(xs, x, 7), i);
        EXPECT_EQ(CercaIndice(xs, xs(i), 7), i);
    }
    EXPECT_THROW(CercaIndice(xs, 11, 7), Guasto);
    // Only the first n entries are the table, even when more are stored.
    EXPECT_THROW(CercaIndice(xs, 9.5, 5), Guasto);
}

TEST(InterpolaInX, LineareTraIPunti) {
    const auto xs = Tabella({0, 1, 1, 3});
    Vettore1<float> v(4);
    v(1) = 0;
    v(2) = 2;
    v(3) = 4;
    v(4) = 8;
    EXPECT_FLOAT_EQ(InterpolaInX(xs, 0.5, v, 4), 1);
    EXPECT_FLOAT_EQ(InterpolaInX(xs, 2, v, 4), 6);
    EXPECT_FLOAT_EQ(InterpolaInX(xs, 3, v, 4), 8);
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
    Vettore1<double> c = Tabella({5, 4});
    Ordina(c, 0, &p);
    EXPECT_EQ(c(1), 5);
}

TEST(AccodaRighe, DaVuoto) {
    Vettore1<double> A;
    Vettore1<double> B = Tabella({4, 5});
    int16_t n = 0;
    AccodaRighe(n, A, B);
    EXPECT_EQ(n, 2);
    EXPECT_EQ(A, B);
    AccodaRighe(n, A, B);
    EXPECT_EQ(A.vettore(), (std::vector<double>{4, 5, 4, 5}));
}

TEST(Angolo, Quadranti) {
    EXPECT_EQ(Angolo(0, 0), 0);
    EXPECT_DOUBLE_EQ(Angolo(1, 0), PiGreco / 2);
    EXPECT_DOUBLE_EQ(Angolo(-1, -1), 5 * PiGreco / 4);
    EXPECT_DOUBLE_EQ(Angolo(-1, 1), 7 * PiGreco / 4);
    EXPECT_DOUBLE_EQ(Angolo(-1, 0), 3 * PiGreco / 2);
}

TEST(RadiceFunzione, RadiceDiDue) {
    RegistroMessaggi msg;
    double a = 0, b = 2;
    const double r = RadiceFunzione([](double x) { return x * x - 2; }, a, b, 1e-9, msg);
    EXPECT_LT(std::fabs(r * r - 2), 1e-9);
    EXPECT_TRUE(msg.elenco.empty());
}

TEST(RadiceFunzione, NonCambiaSegno) {
    RegistroMessaggi msg;
    double a = 0, b = 2;
    bool ok = true;
    EXPECT_EQ(RadiceFunzione([](double x) { return x * x + 1; }, a, b, 1e-9, msg, &ok), 0);
    EXPECT_FALSE(ok);
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo, "ERRORE! La funzione non cambia segno fra x1 e x2");
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
    ASSERT_EQ(msg.elenco.size(), 3u);
    EXPECT_EQ(msg.elenco[0].testo,
              "ERRORE! Il procedimento non converge!\rSuperate  100 iterazioni.\rProseguire ?");
    EXPECT_TRUE(msg.elenco[0].domanda);
    EXPECT_EQ(msg.elenco[1].testo,
              "ERRORE! Il procedimento non converge!\rSuperate  200 iterazioni.\rProseguire ?");
    EXPECT_EQ(msg.elenco[2].testo, "ERRORE! Procedimento non convergente!\rRISULTATI ERRATI!");
    EXPECT_EQ(msg.elenco[2].icona, Icona::Nessuna);
}
