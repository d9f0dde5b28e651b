// Lateral-torsional buckling by finite elements against closed forms and
// classical published coefficients.
#include "core/svergolamento.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zelvo;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double E = 210e9, G = 80.769e9;

// IPE 300 (Iz = 603.8 cm⁴, It = 20.12 cm⁴, Iw = 125.9·10³ cm⁶).
SegmentoSvergolamento Ipe300(double L) {
    SegmentoSvergolamento s;
    s.EIz = E * 603.8e-8;
    s.GIt = G * 20.12e-8;
    s.EIw = E * 125.9e-9;
    s.L = L;
    return s;
}

// Simply supported span, fork ends, uniform load q = 1 N/m downward.
SegmentoSvergolamento Uniforme(double L, double zg) {
    SegmentoSvergolamento s = Ipe300(L);
    s.Momento = [L](double x) { return x * (L - x) / 2; };
    s.Distribuito = [](double) { return 1.0; };
    s.zg = zg;
    return s;
}

// Simply supported span, fork ends, P = 1 N at midspan.
SegmentoSvergolamento Centrale(double L, double zg) {
    SegmentoSvergolamento s = Ipe300(L);
    s.Momento = [L](double x) { return x <= L / 2 ? x / 2 : (L - x) / 2; };
    s.Concentrati = {{L / 2, 1.0}};
    s.zg = zg;
    return s;
}

double McrUniforme(const SegmentoSvergolamento& s) {
    return McrMomentoUniforme(s.EIz, s.GIt, s.EIw, s.L);
}

// Mcr = C1·(π²EIz/L²)·[√(Iw/Iz + L²GIt/(π²EIz) + (C2·zg)²) − C2·zg]
double McrC1C2(const SegmentoSvergolamento& s, double C1, double C2) {
    const double Pz = Pi * Pi * s.EIz / (s.L * s.L);
    const double a = s.EIw / s.EIz + s.GIt / Pz;
    return C1 * Pz * (std::sqrt(a + C2 * s.zg * C2 * s.zg) - C2 * s.zg);
}

} // namespace

// Uniform moment on a fork-supported segment: the classical closed form
// Mcr = √((π²EIz/L²)(GIt + π²EIw/L²)), for short and long segments.
TEST(Svergolamento, MomentoUniformeForma_chiusa) {
    for (double L : {2.0, 6.0, 15.0}) {
        SegmentoSvergolamento s = Ipe300(L);
        s.Momento = [](double) { return 1000.0; };
        const EsitoSvergolamento e = CalcolaSvergolamento(s);
        ASSERT_TRUE(e.Valido && e.Instabile && e.Convergente) << L;
        EXPECT_DOUBLE_EQ(e.Mmax, 1000.0);
        EXPECT_NEAR(e.Mcr / McrUniforme(s), 1.0, 1e-3) << L;
    }
    // By hand for L = 6 m: π²EIz/L² = π²·210e9·603.8e-8/36 = 347 624 N,
    // GIt + π²EIw/L² = 16 250.7 + 7 248.4 = 23 499.1 N·m² → Mcr = 90.38 kN·m.
    EXPECT_NEAR(McrUniforme(Ipe300(6)), 90.38e3, 0.02e3);
}

// The critical mode under uniform moment on a fork segment: v = A·sin(πx/L)
// and φ = B·sin(πx/L). Lateral equilibrium EIz·v'' = −M·φ at M = Mcr gives
// |B/A| = (π²EIz/L²)/Mcr (1/m), and v and φ bend the same way for a
// positive moment (v''·φ < 0 lowers the potential).
TEST(Svergolamento, FormaCriticaMomentoUniforme) {
    for (double L : {2.0, 6.0}) {
        SegmentoSvergolamento s = Ipe300(L);
        s.Momento = [](double) { return 1000.0; };
        EsitoSvergolamento e = CalcolaSvergolamento(s);
        ASSERT_TRUE(e.Instabile);
        EXPECT_TRUE(e.Forma.empty());
        FormaSvergolamento(s, e);
        ASSERT_EQ(e.Forma.size(), static_cast<size_t>(e.Elementi + 1));
        const double Pz = Pi * Pi * s.EIz / (L * L);
        const double B = Pz / McrUniforme(s);
        for (const auto& p : e.Forma) {
            const double sn = std::sin(Pi * p.x / L);
            EXPECT_NEAR(p.v, sn, 1e-3) << L << " " << p.x;
            EXPECT_NEAR(std::fabs(p.phi) / B, std::fabs(sn), 1e-3) << L << " " << p.x;
        }
        EXPECT_DOUBLE_EQ(e.Forma.front().x, 0.0);
        EXPECT_DOUBLE_EQ(e.Forma.back().x, L);
    }
    // No positive load factor: no shape.
    SegmentoSvergolamento s = Ipe300(6);
    s.Momento = [](double) { return 0.0; };
    EsitoSvergolamento e = CalcolaSvergolamento(s);
    FormaSvergolamento(s, e);
    EXPECT_TRUE(e.Forma.empty());
}

// The error of the fixed meshes falls as the mesh is refined and the
// automatic refinement stops within 1e-4 of a very fine mesh.
TEST(Svergolamento, ConvergenzaDellaMesh) {
    SegmentoSvergolamento s = Uniforme(6, 0.15);
    double errPrima = 1e9;
    s.Elementi = 128;
    const double fine = CalcolaSvergolamento(s).Fattore;
    for (int n : {2, 4, 8, 16}) {
        s.Elementi = n;
        const double err = std::fabs(CalcolaSvergolamento(s).Fattore / fine - 1);
        EXPECT_LT(err, errPrima) << n;
        errPrima = err;
    }
    EXPECT_LT(errPrima, 1e-4);
    s.Elementi = 0;
    const EsitoSvergolamento a = CalcolaSvergolamento(s);
    EXPECT_TRUE(a.Convergente);
    EXPECT_NEAR(a.Fattore / fine, 1.0, 2e-4);
}

// Equivalent uniform moment factors C1 with loads at the shear centre, fork
// supports. The tables' C1 = 1.127 (uniform load) and 1.348 (central point
// load) belong to the torsion parameter κ = (π/L)·√(EIw/GIt) → 0, where the
// exact values are Timoshenko's (narrow rectangle, EIw = 0: qcr·L³ = 28.3 and
// Pcr·L² = 16.94 times √(EIz·GIt), so C1 = 28.3/(8π) = 1.126 and
// 16.94/(4π) = 1.348). C1 grows with κ towards the ENV 1993-1-1 Annex F
// values 1.132 and 1.365 (short, warping-stiff segments); by finite elements
// 1.348 is met within 1 % up to κ ≈ 0.7 (an IPE 300 of 6 m and longer,
// C1 = 1.361 at κ = 0.67) and exceeded by 1.2 % at large κ (1.364 at
// κ = 2), so the 1 % check is made on κ ≤ 0.7.
TEST(Svergolamento, FattoriC1) {
    auto c1 = [](const SegmentoSvergolamento& s) {
        return CalcolaSvergolamento(s).Mcr / McrUniforme(s);
    };
    auto kappa = [](const SegmentoSvergolamento& s) { return Pi / s.L * std::sqrt(s.EIw / s.GIt); };
    // κ = 0: without warping stiffness the finite elements give the
    // classical values to their printed digits.
    for (double L : {2.0, 6.0}) {
        SegmentoSvergolamento q = Uniforme(L, 0), p = Centrale(L, 0);
        q.EIw = p.EIw = 0;
        EXPECT_NEAR(c1(q), 1.127, 1e-3) << L;
        EXPECT_NEAR(c1(p), 1.348, 1e-3) << L;
    }
    // κ from 0.67 to 0.13: within 1 %, and growing with κ.
    double cqPrima = 0, cpPrima = 0;
    for (double L : {30.0, 12.0, 8.0, 6.0}) {
        const SegmentoSvergolamento q = Uniforme(L, 0), p = Centrale(L, 0);
        ASSERT_LT(kappa(q), 0.7) << L;
        const double cq = c1(q), cp = c1(p);
        EXPECT_NEAR(cq, 1.127, 0.01 * 1.127) << L;
        EXPECT_NEAR(cp, 1.348, 0.01 * 1.348) << L;
        EXPECT_GT(cq, cqPrima) << L;
        EXPECT_GT(cp, cpPrima) << L;
        cqPrima = cq;
        cpPrima = cp;
        EXPECT_DOUBLE_EQ(CalcolaSvergolamento(q).Mmax, L * L / 8);
        EXPECT_NEAR(CalcolaSvergolamento(p).Mmax, L / 4, 1e-12);
    }
    // Short segments (κ = 2): close to the Annex F values instead.
    EXPECT_NEAR(c1(Uniforme(2, 0)), 1.132, 1e-3);
    EXPECT_NEAR(c1(Centrale(2, 0)), 1.365, 2e-3);
    // Linear moment from M to 0 (ψ = 0): C1 = 1.77 (1.75–1.88 in the tables).
    SegmentoSvergolamento s = Ipe300(6);
    s.Momento = [](double x) { return 1000 * (1 - x / 6); };
    const EsitoSvergolamento e = CalcolaSvergolamento(s);
    EXPECT_GT(e.Mcr / McrUniforme(s), 1.74);
    EXPECT_LT(e.Mcr / McrUniforme(s), 1.89);
}

// The load height: on the top flange (zg = +h/2) the loads lower Mcr, on the
// bottom flange they raise it; both agree with the C1–C2 formula with the
// coefficients of ENV 1993-1-1:1992 Annex F, Table F.1.2 (fork supports,
// k = kw = 1: uniform load C1 = 1.132, C2 = 0.459; central point load
// C1 = 1.365, C2 = 0.553) within the formula's own approximation.
TEST(Svergolamento, AltezzaDelCarico) {
    const double a = 0.15;
    for (double L : {3.0, 5.0, 8.0, 12.0}) {
        const double q0 = CalcolaSvergolamento(Uniforme(L, 0)).Mcr;
        const double qs = CalcolaSvergolamento(Uniforme(L, a)).Mcr;
        const double qi = CalcolaSvergolamento(Uniforme(L, -a)).Mcr;
        EXPECT_LT(qs, 0.9 * q0);
        EXPECT_GT(qi, 1.1 * q0);
        EXPECT_NEAR(qs / McrC1C2(Uniforme(L, a), 1.132, 0.459), 1, 0.01) << L;
        EXPECT_NEAR(qi / McrC1C2(Uniforme(L, -a), 1.132, 0.459), 1, 0.01) << L;
        const double p0 = CalcolaSvergolamento(Centrale(L, 0)).Mcr;
        const double ps = CalcolaSvergolamento(Centrale(L, a)).Mcr;
        const double pi = CalcolaSvergolamento(Centrale(L, -a)).Mcr;
        EXPECT_LT(ps, 0.9 * p0);
        EXPECT_GT(pi, 1.1 * p0);
        EXPECT_NEAR(ps / McrC1C2(Centrale(L, a), 1.365, 0.553), 1, 0.02) << L;
        EXPECT_NEAR(pi / McrC1C2(Centrale(L, -a), 1.365, 0.553), 1, 0.01) << L;
    }
}

// Cantilever of narrow rectangular section (EIw = 0), fixed at the root,
// loads at the centroid (Timoshenko & Gere, Theory of Elastic Stability,
// §6.5): tip load Pcr = 4.013·√(EIz·GIt)/L², uniform load
// qcr = 12.85·√(EIz·GIt)/L³. The fixed end also prevents warping (φ' = 0),
// which a section without warping stiffness does not need: the mesh
// converges only linearly through that boundary layer, hence the fine fixed
// mesh and the 0.5 % tolerance (the tables' figures have four digits).
TEST(Svergolamento, MensolaRettangolare) {
    const double L = 3;
    SegmentoSvergolamento s;
    s.EIz = 2e6;
    s.GIt = 5e5;
    s.EIw = 0;
    s.L = L;
    s.Elementi = 128;
    s.Inizio = EstremoSvergolamento::Incastro;
    s.Fine = EstremoSvergolamento::Libero;
    s.Momento = [L](double x) { return -(L - x); };
    s.Concentrati = {{L, 1.0}};
    const double r = std::sqrt(s.EIz * s.GIt);
    EsitoSvergolamento e = CalcolaSvergolamento(s);
    ASSERT_TRUE(e.Valido && e.Instabile);
    EXPECT_NEAR(e.Fattore / (4.013 * r / (L * L)), 1, 5e-3);
    s.Momento = [L](double x) { return -(L - x) * (L - x) / 2; };
    s.Concentrati.clear();
    s.Distribuito = [](double) { return 1.0; };
    e = CalcolaSvergolamento(s);
    EXPECT_NEAR(e.Fattore / (12.85 * r / (L * L * L)), 1, 5e-3);
    // The tip load on the top face buckles a cantilever sooner than at the
    // centroid, below it later.
    s.Momento = [L](double x) { return -(L - x); };
    s.Distribuito = nullptr;
    s.Concentrati = {{L, 1.0}};
    s.Elementi = 16;
    const double centro = CalcolaSvergolamento(s).Fattore;
    s.zg = 0.2;
    const double sopra = CalcolaSvergolamento(s).Fattore;
    s.zg = -0.2;
    const double sotto = CalcolaSvergolamento(s).Fattore;
    EXPECT_LT(sopra, 0.9 * centro);
    EXPECT_GT(sotto, 1.1 * centro);
}

// Invalid data and segments that cannot buckle.
TEST(Svergolamento, CasiLimite) {
    SegmentoSvergolamento s = Ipe300(5);
    s.Momento = [](double) { return 0.0; };
    EsitoSvergolamento e = CalcolaSvergolamento(s);
    EXPECT_TRUE(e.Valido);
    EXPECT_FALSE(e.Instabile);
    EXPECT_EQ(e.Mcr, 0.0);
    s.Momento = [](double) { return 1.0; };
    s.Inizio = s.Fine = EstremoSvergolamento::Libero; // a mechanism
    EXPECT_FALSE(CalcolaSvergolamento(s).Valido);
    s = Ipe300(0);
    s.Momento = [](double) { return 1.0; };
    EXPECT_FALSE(CalcolaSvergolamento(s).Valido);
    s = Ipe300(5);
    s.GIt = s.EIw = 0;
    s.Momento = [](double) { return 1.0; };
    EXPECT_FALSE(CalcolaSvergolamento(s).Valido);
    EXPECT_EQ(McrMomentoUniforme(0, 1, 1, 1), 0.0);
}
