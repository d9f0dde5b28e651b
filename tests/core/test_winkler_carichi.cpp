// Equivalent nodal loads, mesh and springs of the Winkler model.
//
// Witnesses: the textbook consistent-load vectors, the closed-form
// fixed-end actions of a point load, a composite Simpson integration of the
// shape functions written here independently, and the conservation of the
// resultant and of its first moment (cubic Hermite shape functions
// reproduce rigid-body motions exactly, so Σ F·x + Σ M equals the load's
// moment about A).
#include "core/guasto.h"
#include "core/trave_winkler.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

TraveWinkler Modello(int n, float L, double K = 1e7, double b = 1) {
    TraveWinkler w;
    w.InizializzaWinkler(n, K, b, 3e10f, 0.01f, L);
    return w;
}

double Somma(const Vettore1<double>& v) {
    double s = 0;
    for (int i = 1; i <= v.Conta(); ++i)
        s += v(i);
    return s;
}

// Σ F(i)·x(i) + Σ M(i): the first moment about A of the nodal loads.
double Momento(const TraveWinkler& w) {
    double s = 0;
    for (int i = 1; i <= w.nWinkler + 1; ++i)
        s += w.ForzeNodali(i) * w.x(i) + w.MomentiNodali(i);
    return s;
}

// Shape functions of an element of length Le at local abscissa s.
double N(int k, double s, double Le) {
    const double xi = s / Le;
    switch (k) {
    case 1:
        return 1 - 3 * xi * xi + 2 * xi * xi * xi;
    case 2:
        return s * (1 - xi) * (1 - xi);
    case 3:
        return 3 * xi * xi - 2 * xi * xi * xi;
    default:
        return -s * xi * (1 - xi);
    }
}

// ∫ N_k(s)·q(s) ds over [a1, a2] of a linear load, composite Simpson with
// 2000 panels: the integrand is a quartic, so the error is of order
// (h/Le)^4 ≈ 1e-13 relative.
double SimpsonN(int k, double Le, double a1, double qa, double a2, double qb) {
    const int m = 2000;
    const double h = (a2 - a1) / m;
    double s = 0;
    for (int j = 0; j <= m; ++j) {
        const double t = a1 + j * h;
        const double q = qa + (qb - qa) * (t - a1) / (a2 - a1);
        const double c = (j == 0 || j == m) ? 1 : (j % 2 ? 4 : 2);
        s += c * N(k, t, Le) * q;
    }
    return s * h / 3;
}

} // namespace

TEST(WinklerMesh, NodiPassoSingoloAccumulatoInDoppio) {
    // L = 6, n = 100: the single-precision step accumulated in double stops
    // a last-digit short of L.
    TraveWinkler w = Modello(100, 6.0f);
    const double passo = static_cast<double>(6.0f / 100.0f);
    double x = 0;
    for (int i = 1; i <= 101; ++i) {
        EXPECT_EQ(w.xMolla(i), x);
        x += passo;
    }
    EXPECT_LT(w.xMolla(101), 6.0);
    EXPECT_NEAR(w.xMolla(101), 5.9999998659, 1e-9);
    EXPECT_EQ(w.NumGdl, 202);
}

TEST(WinklerMesh, MolleInterneKbLeEstremeMeta) {
    TraveWinkler w = Modello(8, 8.0f, 5e6, 1.5);
    w.AssemblaMatriciW();
    for (int i = 1; i <= 9; ++i)
        EXPECT_DOUBLE_EQ(w.RigidezzaMolle(i), 5e6 * 1.5 * (i == 1 || i == 9 ? 0.5 : 1.0));
    // n = 1: two nodes, each holding the soil under half the span.
    TraveWinkler u = Modello(1, 4.0f, 2e7, 0.8);
    u.AssemblaMatriciW();
    EXPECT_DOUBLE_EQ(u.RigidezzaMolle(1), 2e7 * 0.8 * 4 / 2);
    EXPECT_DOUBLE_EQ(u.RigidezzaMolle(2), 2e7 * 0.8 * 4 / 2);
    EXPECT_EQ(u.MolleAttive(), 2);
}

TEST(WinklerMesh, RigidezzaDellaTraveLibera) {
    // The free beam's stiffness must leave rigid translation and rotation
    // unresisted: K·u = 0 for u = (1, 0, 1, 0, ...) and u = (x_i, 1, ...).
    TraveWinkler modello = Modello(5, 3.0f);
    modello.AssemblaMatriciW();
    const TraveWinkler& w = modello;
    const int n = w.NumGdl;
    for (int r = 1; r <= n; ++r) {
        double t = 0, rot = 0, scala = 0;
        for (int c = 1; c <= n; ++c) {
            const double k = w.MKTrave(r, c);
            const int nodo = (c + 1) / 2;
            t += k * (c % 2 ? 1.0 : 0.0);
            rot += k * (c % 2 ? w.x(nodo) : 1.0);
            scala = std::max(scala, std::fabs(k));
        }
        EXPECT_NEAR(t, 0, 1e-12 * scala);
        EXPECT_NEAR(rot, 0, 1e-12 * scala * 3);
    }
    // Symmetric, and the springs only on the translation diagonal.
    for (int r = 1; r <= n; ++r)
        for (int c = 1; c <= n; ++c) {
            EXPECT_EQ(w.MKTrave(r, c), w.MKTrave(c, r));
            const double molla = (r == c && r % 2) ? w.RigidezzaMolle((r + 1) / 2) : 0.0;
            EXPECT_EQ(w.MKW(r, c), w.MKTrave(r, c) + molla);
        }
}

TEST(WinklerCarichi, UniformeETriangolareSuUnElemento) {
    // Reference vectors: (qLe/2, qLe²/12, qLe/2, −qLe²/12) for a uniform
    // load, (3qLe/20, qLe²/30, 7qLe/20, −qLe²/20) for one rising from 0.
    const double q = 3.7;
    TraveWinkler u = Modello(1, 2.5f), t = Modello(1, 2.5f);
    const double Le = u.x(2), tf = 1e-14 * q * Le, tm = tf * Le;
    u.AzioniTrapezio(q, q, 0, Le);
    t.AzioniTrapezio(0, q, 0, Le);
    EXPECT_NEAR(u.ForzeNodali(1), q * Le / 2, tf);
    EXPECT_NEAR(u.MomentiNodali(1), q * Le * Le / 12, tm);
    EXPECT_NEAR(u.ForzeNodali(2), q * Le / 2, tf);
    EXPECT_NEAR(u.MomentiNodali(2), -q * Le * Le / 12, tm);
    EXPECT_NEAR(t.ForzeNodali(1), 3 * q * Le / 20, tf);
    EXPECT_NEAR(t.MomentiNodali(1), q * Le * Le / 30, tm);
    EXPECT_NEAR(t.ForzeNodali(2), 7 * q * Le / 20, tf);
    EXPECT_NEAR(t.MomentiNodali(2), -q * Le * Le / 20, tm);
}

TEST(WinklerCarichi, ForzaNellElementoComeIncastroPerfetto) {
    // Fixed-end actions of a point load P at a on a clamped span Le:
    // R1 = P·b²(3a + b)/Le³, M1 = P·a·b²/Le², M2 = −P·a²·b/Le².
    TraveWinkler w = Modello(4, 4.0f); // Le = 1 exactly
    const double P = 1000, a = 0.3, b = 0.7;
    w.AzioniConcentrati(P, 2 + a); // element 3
    EXPECT_NEAR(w.ForzeNodali(3), P * b * b * (3 * a + b), 1e-10);
    EXPECT_NEAR(w.ForzeNodali(4), P * a * a * (a + 3 * b), 1e-10);
    EXPECT_NEAR(w.MomentiNodali(3), P * a * b * b, 1e-10);
    EXPECT_NEAR(w.MomentiNodali(4), -P * a * a * b, 1e-10);
    for (int i : {1, 2, 5}) {
        EXPECT_EQ(w.ForzeNodali(i), 0);
        EXPECT_EQ(w.MomentiNodali(i), 0);
    }
}

TEST(WinklerCarichi, CoppiaNellElementoDerivateDelleForme) {
    // A couple W at a: W·N'(a); the nodal forces form a pure couple and the
    // total moment about A is W.
    TraveWinkler w = Modello(4, 4.0f);
    const double W = 500, a = 0.25, c = 0.75;
    w.AzioniCoppie(W, 1 + a); // element 2
    EXPECT_NEAR(w.ForzeNodali(2), -6 * W * a * c, 1e-10);
    EXPECT_NEAR(w.ForzeNodali(3), 6 * W * a * c, 1e-10);
    EXPECT_NEAR(w.MomentiNodali(2), W * c * (c - 2 * a), 1e-10);
    EXPECT_NEAR(w.MomentiNodali(3), W * a * (a - 2 * c), 1e-10);
    EXPECT_NEAR(Somma(w.ForzeNodali), 0, 1e-10);
    EXPECT_NEAR(Momento(w), W, 1e-10);
}

TEST(WinklerCarichi, SuUnNodoTuttoAQuelNodo) {
    // Nodes at 0, 1, ..., 8 exactly: a load on a node, the ends included,
    // goes whole to that node.
    TraveWinkler w = Modello(8, 8.0f);
    w.AzioniConcentrati(-250, 3.0);
    w.AzioniCoppie(40, 5.0);
    w.AzioniConcentrati(10, 0.0);
    w.AzioniConcentrati(20, 8.0);
    w.AzioniCoppie(3, 0.0);
    w.AzioniCoppie(4, 8.0);
    const double F[] = {10, 0, 0, -250, 0, 0, 0, 0, 20}, M[] = {3, 0, 0, 0, 0, 40, 0, 0, 4};
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(w.ForzeNodali(i), F[i - 1]) << i;
        EXPECT_EQ(w.MomentiNodali(i), M[i - 1]) << i;
    }
}

TEST(WinklerCarichi, ForzaInLuceNelVuotoDiArrotondamento) {
    // L = 6, n = 100: the last node is 5.9999998659; a force at d = L lies
    // in the round-off gap and belongs to the last element: practically all
    // of it on the last node, resultant and moment conserved.
    const double P = 1e4;
    TraveWinkler w = Modello(100, 6.0f);
    ASSERT_NO_THROW(w.AzioniConcentrati(P, 6.0));
    EXPECT_NEAR(Somma(w.ForzeNodali), P, 1e-12 * P);
    EXPECT_NEAR(Momento(w), P * 6, 1e-12 * P * 6);
    EXPECT_NEAR(w.ForzeNodali(101), P, 1e-9 * P);
    TraveWinkler c = Modello(100, 6.0f);
    ASSERT_NO_THROW(c.AzioniCoppie(P, 6.0));
    EXPECT_NEAR(Somma(c.ForzeNodali), 0, 1e-9 * P);
    EXPECT_NEAR(Momento(c), P, 1e-9 * P);
    EXPECT_NEAR(c.MomentiNodali(101), P, 1e-4 * P);
}

TEST(WinklerCarichi, OltreLaLuceEGuasto) {
    TraveWinkler w = Modello(100, 6.0f);
    EXPECT_THROW(w.AzioniConcentrati(1, 6.001), Guasto);
    EXPECT_THROW(w.AzioniCoppie(1, 7.0), Guasto);
}

TEST(WinklerCarichi, TrapezioOltreLaLuceSoloLaParteSullaTrave) {
    // The part beyond L carries nothing; the part within conserves.
    TraveWinkler w = Modello(10, 5.0f);
    w.AzioniTrapezio(2, 2, 4.0, 9.0);
    EXPECT_NEAR(Somma(w.ForzeNodali), 2 * 1.0, 1e-6);
    TraveWinkler fuori = Modello(10, 5.0f);
    fuori.AzioniTrapezio(2, 2, 6.0, 9.0);
    EXPECT_EQ(Somma(fuori.ForzeNodali), 0);
    EXPECT_EQ(Somma(fuori.MomentiNodali), 0);
}

struct CasoTrapezio {
    int n;
    float L;
    double q1, q2, d1, d2;
};

class WinklerTrapezio : public ::testing::TestWithParam<CasoTrapezio> {};

TEST_P(WinklerTrapezio, RisultanteEMomentoConservati) {
    const auto c = GetParam();
    TraveWinkler w = Modello(c.n, c.L);
    w.AzioniTrapezio(c.q1, c.q2, c.d1, c.d2);
    // Closed-form resultant and moment about A of the trapezoid.
    const double len = c.d2 - c.d1;
    const double R = (c.q1 + c.q2) / 2 * len;
    const double Mo =
        c.q1 * len * (c.d1 + len / 2) + (c.q2 - c.q1) * len / 2 * (c.d1 + 2 * len / 3);
    const double s = (std::fabs(c.q1) + std::fabs(c.q2)) * len;
    EXPECT_NEAR(Somma(w.ForzeNodali), R, 1e-12 * s);
    EXPECT_NEAR(Momento(w), Mo, 1e-12 * s * c.L);
}

TEST_P(WinklerTrapezio, OgniElementoIlSuoTrattoLineare) {
    // Element by element against Simpson integration of the shape
    // functions on the element's own linear piece of the load.
    const auto c = GetParam();
    TraveWinkler w = Modello(c.n, c.L);
    w.AzioniTrapezio(c.q1, c.q2, c.d1, c.d2);
    Vettore1<double> F(c.n + 1), M(c.n + 1);
    auto q = [&](double x) { return c.q1 + (c.q2 - c.q1) * (x - c.d1) / (c.d2 - c.d1); };
    for (int i = 1; i <= c.n; ++i) {
        const double xs = w.x(i), xd = (i == c.n) ? std::max(w.x(i + 1), double(c.L)) : w.x(i + 1);
        const double lo = std::max(xs, c.d1), hi = std::min(xd, c.d2);
        if (hi <= lo) continue;
        const double Le = w.x(i + 1) - xs;
        F(i) += SimpsonN(1, Le, lo - xs, q(lo), hi - xs, q(hi));
        M(i) += SimpsonN(2, Le, lo - xs, q(lo), hi - xs, q(hi));
        F(i + 1) += SimpsonN(3, Le, lo - xs, q(lo), hi - xs, q(hi));
        M(i + 1) += SimpsonN(4, Le, lo - xs, q(lo), hi - xs, q(hi));
    }
    const double s = (std::fabs(c.q1) + std::fabs(c.q2)) * c.L / c.n;
    for (int i = 1; i <= c.n + 1; ++i) {
        EXPECT_NEAR(w.ForzeNodali(i), F(i), 1e-10 * s) << "node " << i;
        EXPECT_NEAR(w.MomentiNodali(i), M(i), 1e-10 * s * c.L / c.n) << "node " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Casi, WinklerTrapezio,
    ::testing::Values(CasoTrapezio{1, 3.0f, 2, 2, 0, 3},           // one full element
                      CasoTrapezio{10, 5.0f, 3, 7, 1, 4},          // on nodes at both ends
                      CasoTrapezio{10, 5.0f, 3, 7, 1.13, 3.77},    // inside elements
                      CasoTrapezio{7, 5.0f, -4, 9, 0.2, 0.5},      // within one element
                      CasoTrapezio{100, 6.0f, 1, 5, 0, 6},         // the whole span, gap at L
                      CasoTrapezio{100, 6.0f, 5, 0, 2.999, 6},     // ends at L
                      CasoTrapezio{33, 12.7f, -1.5, -8, 0.3, 12.6} // uneven mesh values
                      ));
