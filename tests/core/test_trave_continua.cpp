// Continuous beams: textbook cases solved by hand (three-moment equation,
// compatibility, moment distribution), the single-span calculation as a
// second method, equilibrium of random beams and the refusals.
#include "core/modulo_zelvo.h"
#include "core/trave_continua.h"
#include "tests/comune/problemi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace zelvo;

namespace {

using T = TipoAppoggio;
constexpr double E0 = 2e11, J0 = 1e-4;

DatiContinua Trave(const std::vector<double>& L, const std::vector<T>& tipi, double J = J0) {
    DatiContinua d;
    d.E = E0;
    d.NSezioni = 50;
    for (double l : L)
        d.Campate.push_back({l, J});
    for (T t : tipi)
        d.Appoggi.push_back({t, 0, 0});
    return d;
}

double Totale(const DatiContinua& d) {
    double s = 0;
    for (const auto& c : d.Campate)
        s += c.L;
    return s;
}

RisultatiContinua Calcola(const DatiContinua& d) {
    RegistroMessaggi msg;
    RisultatiContinua r = CalcolaContinua(d, msg);
    EXPECT_TRUE(r.Calcolato()) << (msg.elenco.empty() ? "" : msg.elenco[0].testo);
    return r;
}

} // namespace

// Equal spans under a uniform w over the whole beam (one trapezoid crossing
// the supports). Witness: three-moment equation M(i−1) + 4·M(i) + M(i+1) =
// −wL²/2 with zero end moments: two spans 4·M1 = −wL²/2, M1 = −wL²/8; three
// spans 5·M1 = −wL²/2, M1 = M2 = −wL²/10. Reactions by statics of each span
// (wL/2 ± ΔM/L). Largest span moment where V = 0: end span of two,
// V = 3wL/8 − w·x, x = 3L/8, M = 9wL²/128; end span of three, x = 0.4L,
// M = 0.08wL²; middle span of three, x = 1.5L, M = wL²/8 − wL²/10.
TEST(ContinuaUniforme, CampateUguali) {
    const double w = 10000, L = 5, wL = w * L, wL2 = w * L * L;
    struct Caso {
        int campate;
        std::vector<double> momenti, reazioni, xMmax, Mmax;
    };
    const Caso casi[] = {
        {2, {0, -wL2 / 8, 0}, {3 * wL / 8, 5 * wL / 4, 3 * wL / 8}, {3 * L / 8}, {9 * wL2 / 128}},
        {3,
         {0, -wL2 / 10, -wL2 / 10, 0},
         {0.4 * wL, 1.1 * wL, 1.1 * wL, 0.4 * wL},
         {0.4 * L, 1.5 * L},
         {0.08 * wL2, wL2 / 8 - wL2 / 10}},
    };
    for (const auto& c : casi) {
        std::vector<T> tipi(size_t(c.campate + 1), T::Appoggio);
        DatiContinua d = Trave(std::vector<double>(size_t(c.campate), L), tipi);
        d.Trapezi.push_back({float(w), float(w), 0, float(L * c.campate)});
        const auto r = Calcola(d);
        ASSERT_EQ(r.Appoggi.size(), size_t(c.campate + 1));
        for (size_t i = 0; i < r.Appoggi.size(); ++i) {
            EXPECT_NEAR(r.Appoggi[i].Momento, c.momenti[i], 1e-9 * wL2) << c.campate << " " << i;
            EXPECT_NEAR(r.Appoggi[i].Reazione, c.reazioni[i], 1e-9 * wL) << c.campate << " " << i;
            EXPECT_NEAR(r.Appoggi[i].Spostamento, 0, 1e-15);
        }
        for (size_t k = 0; k < c.Mmax.size(); ++k) {
            EXPECT_NEAR(r.Campate[k].Mmax, c.Mmax[k], 1e-9 * wL2);
            EXPECT_NEAR(r.Campate[k].xMmax, c.xMmax[k], 1e-9 * L);
        }
        EXPECT_NEAR(r.Mmin, c.momenti[1], 1e-9 * wL2);
        // Largest shear: the first inner support, left side: −(wL − R0).
        EXPECT_NEAR(std::abs(r.Vmax), wL - c.reazioni[0], 1e-9 * wL);
    }
}

// A force P at a on the first of two equal spans. Witness: three-moment
// equation 2·M1·(L + L) = −6·(A·x̄)/L of the simply supported first span,
// with 6·A·x̄/L = P·a·b·(L + a)/L for the moment area about the far end:
// M1 = −P·a·b·(L + a)/(4L²). Then R0 = P·b/L + M1/L, R2 = M1/L, M(a) = R0·a.
TEST(ContinuaConcentrato, TreMomenti) {
    const double L = 6, P = 50000;
    for (double a : {1.5, 3.0, 4.5}) {
        DatiContinua d = Trave({L, L}, {T::Appoggio, T::Appoggio, T::Appoggio});
        d.Concentrati.push_back({float(P), float(a)});
        const auto r = Calcola(d);
        const double b = L - a, M1 = -P * a * b * (L + a) / (4 * L * L);
        const double R0 = P * b / L + M1 / L, R2 = M1 / L;
        EXPECT_NEAR(r.Appoggi[1].Momento, M1, 1e-9 * P * L) << a;
        EXPECT_NEAR(r.Appoggi[0].Reazione, R0, 1e-9 * P) << a;
        EXPECT_NEAR(r.Appoggi[2].Reazione, R2, 1e-9 * P) << a;
        EXPECT_NEAR(r.Appoggi[1].Reazione, P - R0 - R2, 1e-9 * P) << a;
        EXPECT_NEAR(r.MomentoIn(a), R0 * a, 1e-9 * P * L) << a;
        EXPECT_NEAR(r.Campate[0].Mmax, R0 * a, 1e-9 * P * L) << a;
        // The force's jump in V: right side includes it.
        EXPECT_NEAR(r.TaglioSinistraIn(a) - r.TaglioIn(a), P, 1e-9 * P) << a;
    }
}

// The middle support of two equal unloaded spans settles by Δ. Witness:
// compatibility on the simply supported 2L beam: a force X at midspan
// deflects it by X·(2L)³/(48EJ) = X·L³/(6EJ) = Δ, so the support pulls down
// X = 6EJΔ/L³ (reaction −X), the ends hold X/2 each and the midspan moment
// is X·2L/4 = 3EJΔ/L², sagging (positive). Line: w(x) = X·x·(12L² −
// 4x²)/(48EJ) for x ≤ L: w(L/2) = 11Δ/16.
TEST(ContinuaCedimento, AppoggioCentrale) {
    const double L = 4, D = 0.01, EJ = E0 * J0;
    DatiContinua d = Trave({L, L}, {T::Appoggio, T::Appoggio, T::Appoggio});
    d.Appoggi[1].Cedimento = D;
    const auto r = Calcola(d);
    const double X = 6 * EJ * D / (L * L * L);
    EXPECT_NEAR(r.Appoggi[1].Momento, 3 * EJ * D / (L * L), 1e-9 * X * L);
    EXPECT_GT(r.Appoggi[1].Momento, 0);
    EXPECT_NEAR(r.Appoggi[1].Reazione, -X, 1e-9 * X);
    EXPECT_NEAR(r.Appoggi[0].Reazione, X / 2, 1e-9 * X);
    EXPECT_NEAR(r.Appoggi[2].Reazione, X / 2, 1e-9 * X);
    EXPECT_NEAR(r.Appoggi[1].Spostamento, D, 1e-15);
    EXPECT_NEAR(r.FrecciaIn(L / 2), 11 * D / 16, 1e-9 * D);
    EXPECT_NEAR(r.FrecciaIn(1.5 * L), 11 * D / 16, 1e-9 * D);
    EXPECT_NEAR(r.fMaxGiu, D, 1e-9 * D);
}

// An overhang a beyond the supports of a span L (overhang J2, span J1), at
// the right or (mirrored) at the left. Witness: statics and the cantilever
// from the support rotation: under w on the overhang M = −w·a²/2, the far
// support holds −w·a²/(2L), the tip goes down w·a⁴/(8EJ2) + θ·a with
// θ = (w·a²/2)·L/(3EJ1) (end moment on a simply supported span); under a
// tip force P: M = −P·a, tip P·a³/(3EJ2) + (P·a)·L·a/(3EJ1).
TEST(ContinuaSbalzo, CaricoSulloSbalzo) {
    const double L = 6, a = 2, w = 8000, P = 20000, J1 = 2e-4, J2 = 5e-5;
    for (bool destra : {true, false}) {
        for (bool forza : {false, true}) {
            DatiContinua d = destra ? Trave({L, a}, {T::Appoggio, T::Appoggio, T::Libero})
                                    : Trave({a, L}, {T::Libero, T::Appoggio, T::Appoggio});
            d.Campate[destra ? 0 : 1].J = J1;
            d.Campate[destra ? 1 : 0].J = J2;
            const double x0 = destra ? L : 0, xTip = destra ? L + a : 0;
            if (forza)
                d.Concentrati.push_back({float(P), float(xTip)});
            else
                d.Trapezi.push_back({float(w), float(w), float(x0), float(x0 + a)});
            const auto r = Calcola(d);
            const double Q = forza ? P : w * a, Ms = forza ? -P * a : -w * a * a / 2;
            const double tip =
                (forza ? P * a * a * a / (3 * E0 * J2) : w * a * a * a * a / (8 * E0 * J2)) +
                (-Ms) * L * a / (3 * E0 * J1);
            const size_t s = destra ? 1 : 1, lontano = destra ? 0 : 2, libero = destra ? 2 : 0;
            EXPECT_NEAR(r.Appoggi[s].Momento, Ms, 1e-9 * Q * a) << destra << forza;
            EXPECT_NEAR(r.Appoggi[lontano].Reazione, Ms / L, 1e-9 * Q) << destra << forza;
            EXPECT_NEAR(r.Appoggi[s].Reazione, Q - Ms / L, 1e-9 * Q) << destra << forza;
            EXPECT_EQ(r.Appoggi[libero].Reazione, 0);
            EXPECT_NEAR(r.Appoggi[libero].Spostamento, tip, 1e-9 * tip) << destra << forza;
            EXPECT_NEAR(r.FrecciaIn(xTip), tip, 1e-9 * tip) << destra << forza;
            EXPECT_NEAR(r.fMaxGiu, tip, 1e-9 * tip) << destra << forza;
            EXPECT_NEAR(r.Mmin, Ms, 1e-9 * Q * a) << destra << forza;
        }
    }
}

// A spring k under the middle of two equal spans with w over both. Witness:
// compatibility on the simply supported 2L beam: the load deflects its
// middle by 5w(2L)⁴/(384EJ) = 5wL⁴/(24EJ), the spring force X by X·L³/(6EJ):
// X = k·(5wL⁴/(24EJ) − X·L³/(6EJ)), X = (5wL⁴/(24EJ))·k/(1 + k·L³/(6EJ)).
// Towards a rigid support the gap to 5wL/4 is (5wL/4)/(1 + kL³/(6EJ)) <
// (5wL/4)·6EJ/(kL³); towards no support the beam is simply supported on 2L
// (midspan moment w·(2L)²/8, deflection 5w(2L)⁴/(384EJ)).
TEST(ContinuaMolla, DaRigidaALibera) {
    const double L = 5, w = 10000, EJ = E0 * J0, k0 = EJ / (L * L * L);
    DatiContinua rigido = Trave({L, L}, {T::Appoggio, T::Appoggio, T::Appoggio});
    rigido.Trapezi.push_back({float(w), float(w), 0, float(2 * L)});
    const auto rr = Calcola(rigido);
    for (double rapporto : {0.0, 1e-6, 1e-2, 1.0, 1e2, 1e4, 1e8}) {
        DatiContinua d = rigido;
        d.Appoggi[1] = {T::Molla, rapporto * k0, 0};
        const auto r = Calcola(d);
        const double k = rapporto * k0;
        const double X = 5 * w * L * L * L * L / (24 * EJ) * k / (1 + k * L * L * L / (6 * EJ));
        EXPECT_NEAR(r.Appoggi[1].Reazione, X, 1e-9 * w * L) << rapporto;
        EXPECT_NEAR(r.Appoggi[1].Spostamento * k, X, 1e-9 * w * L) << rapporto;
        // The derived bound of the gap to the rigid support.
        if (rapporto >= 1e2) {
            const double gap = std::abs(r.Appoggi[1].Reazione - rr.Appoggi[1].Reazione);
            EXPECT_LE(gap, 1.25 * w * L * 6 / rapporto * (1 + 1e-6)) << rapporto;
            EXPECT_NEAR(r.Appoggi[1].Momento, rr.Appoggi[1].Momento,
                        1.25 * w * L * 6 / rapporto * L / 2 + 1e-9 * w * L * L);
        }
        if (rapporto == 0) {
            EXPECT_NEAR(r.MomentoIn(L), w * 4 * L * L / 8, 1e-9 * w * L * L);
            EXPECT_NEAR(r.FrecciaIn(L), 5 * w * 16 * L * L * L * L / (384 * EJ),
                        1e-9 * w * L * L * L * L / EJ);
        }
    }
}

// Unequal spans and inertias. Witness 1: three-moment equation with EJ per
// span, two spans pinned at the ends under w over both:
// 2·M1·(L1/J1 + L2/J2) = −(w/4)·(L1³/J1 + L2³/J2).
// Witness 2: moment distribution with one free joint: fixed at 0, joint 1,
// pinned at 2, w on span 2 only. Stiffnesses k1 = 4EJ1/L1 (far end fixed),
// k2 = 3EJ2/L2 (far end pinned); the locked joint holds wL2²/8 from span 2,
// the release leaves M1 = −(wL2²/8)·k1/(k1 + k2), carried over to the fixed
// end as M0 = −M1/2 (the span bends back: sagging there).
TEST(ContinuaInerzie, CampateDiverse) {
    const double L1 = 4, L2 = 6, J1 = 3e-4, J2 = 1e-4, w = 12000;
    {
        DatiContinua d = Trave({L1, L2}, {T::Appoggio, T::Appoggio, T::Appoggio});
        d.Campate[0].J = J1;
        d.Campate[1].J = J2;
        d.Trapezi.push_back({float(w), float(w), 0, float(L1 + L2)});
        const auto r = Calcola(d);
        const double M1 =
            -(w / 4) * (L1 * L1 * L1 / J1 + L2 * L2 * L2 / J2) / (2 * (L1 / J1 + L2 / J2));
        EXPECT_NEAR(r.Appoggi[1].Momento, M1, 1e-9 * w * L2 * L2);
        EXPECT_NEAR(r.Appoggi[0].Reazione, w * L1 / 2 + M1 / L1, 1e-9 * w * L2);
        EXPECT_NEAR(r.Appoggi[2].Reazione, w * L2 / 2 + M1 / L2, 1e-9 * w * L2);
    }
    {
        DatiContinua d = Trave({L1, L2}, {T::Incastro, T::Appoggio, T::Appoggio});
        d.Campate[0].J = J1;
        d.Campate[1].J = J2;
        d.Trapezi.push_back({float(w), float(w), float(L1), float(L1 + L2)});
        const auto r = Calcola(d);
        const double k1 = 4 * E0 * J1 / L1, k2 = 3 * E0 * J2 / L2;
        const double M1 = -(w * L2 * L2 / 8) * k1 / (k1 + k2);
        EXPECT_NEAR(r.Appoggi[1].Momento, M1, 1e-9 * w * L2 * L2);
        EXPECT_NEAR(r.Appoggi[0].Momento, -M1 / 2, 1e-9 * w * L2 * L2);
        // The fixed end's couple on the beam equals its end moment.
        EXPECT_NEAR(r.Appoggi[0].CoppiaReazione, -M1 / 2, 1e-9 * w * L2 * L2);
        // Joint rotation: M1 on span 1 is −4EJ1·θ/L1 at its far end.
        EXPECT_NEAR(r.Appoggi[1].Rotazione, -M1 * L1 / (4 * E0 * J1),
                    1e-9 * std::abs(M1) * L1 / (E0 * J1));
    }
}

// One span with the four single-span support pairs against the single-span
// calculation (`ModuloZelvo::Calcola`, a second method: superposition on the
// simply supported span) on 50 mixed loads. Reactions and end moments are
// doubles there: 1e-9 relative. M and V at its calculation points are
// stored as singles: each within 2⁻²³·|value| plus 1e-9 of the largest.
// Rotations there divide by E·J rounded to a single: 2⁻²³ relative.
TEST(ContinuaUnaCampata, ComeLaTraveSingola) {
    struct Schema {
        int16_t vincoli;
        T a, b;
    };
    const Schema schemi[] = {{AppoggioAppoggio, T::Appoggio, T::Appoggio},
                             {IncastroIncastro, T::Incastro, T::Incastro},
                             {IncastroAppoggio, T::Incastro, T::Appoggio},
                             {Mensola, T::Incastro, T::Libero}};
    for (const auto& s : schemi) {
        ModuloZelvo m;
        m.Dati = prova::CinquantaCarichi(200);
        m.Dati.Vincoli = s.vincoli;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        const DatiTrave& dt = m.Dati;
        const RisultatiTrave& rt = m.Risultati;

        DatiContinua d = Trave({double(dt.Luce)}, {s.a, s.b}, double(dt.J));
        d.E = dt.E;
        for (int i = 1; i <= dt.NTrapezi; ++i)
            d.Trapezi.push_back(dt.CarichiTrapezi(i));
        for (int i = 1; i <= dt.NConcentrati; ++i)
            d.Concentrati.push_back(dt.CarichiConcentrati(i));
        for (int i = 1; i <= dt.NCoppie; ++i)
            d.Coppie.push_back(dt.Coppie(i));
        const auto r = Calcola(d);
        const double Rs = std::abs(rt.RA) + std::abs(rt.RB);
        const double Ms = std::max(std::abs(rt.Mmax), std::abs(rt.Mmin));
        EXPECT_NEAR(r.Appoggi[0].Reazione, rt.RA, 1e-9 * Rs) << s.vincoli;
        EXPECT_NEAR(r.Appoggi[1].Reazione, rt.RB, 1e-9 * Rs) << s.vincoli;
        EXPECT_NEAR(r.Appoggi[0].Momento, rt.MA, 1e-9 * Ms) << s.vincoli;
        EXPECT_NEAR(r.Appoggi[1].Momento, rt.MB, 1e-9 * Ms) << s.vincoli;
        const double Vs = std::max(std::abs(rt.Tmax), std::abs(rt.Tmin));
        for (int i = 3; i <= rt.NPunti - 2; ++i) {
            const double x = rt.x(i);
            EXPECT_NEAR(r.MomentoIn(x), rt.M(i), std::ldexp(std::abs(rt.M(i)), -23) + 1e-9 * Ms)
                << s.vincoli << " x = " << x;
            EXPECT_NEAR(r.TaglioIn(x), rt.V(i), std::ldexp(std::abs(rt.V(i)), -23) + 1e-9 * Vs)
                << s.vincoli << " x = " << x;
        }
        // Rotations: θA clockwise as here, θB counterclockwise there.
        const double th = std::ldexp(std::abs(rt.RotA) + std::abs(rt.RotB), -23);
        EXPECT_NEAR(r.Appoggi[0].Rotazione, rt.RotA, th) << s.vincoli;
        EXPECT_NEAR(r.Appoggi[1].Rotazione, -rt.RotB, th) << s.vincoli;
    }
}

// Deflection lines of one span under a uniform q against their closed forms
// (x from the fixed end where there is one), found as well with a single
// calculation section (points at the ends only):
//   Appoggio–Appoggio  q·x·(L³ − 2Lx² + x³)/(24EJ)
//   Incastro–Incastro  q·x²·(L − x)²/(24EJ)
//   Incastro–Appoggio  q·x²·(3L² − 5Lx + 2x²)/(48EJ), largest at
//                      x = L·(15 − √33)/16 (root of 8x² − 15Lx + 6L²)
//   Incastro–Libero    q·x²·(6L² − 4Lx + x²)/(24EJ)
TEST(ContinuaUnaCampata, FrecceEsatte) {
    const double L = 7, q = 9000, EJ = E0 * J0;
    struct Caso {
        T a, b;
        double (*f)(double x, double L);
        double xMax;
    };
    const Caso casi[] = {
        {T::Appoggio, T::Appoggio,
         [](double x, double L) { return x * (L * L * L - 2 * L * x * x + x * x * x) / 24; },
         L / 2},
        {T::Incastro, T::Incastro,
         [](double x, double L) { return x * x * (L - x) * (L - x) / 24; }, L / 2},
        {T::Incastro, T::Appoggio,
         [](double x, double L) { return x * x * (3 * L * L - 5 * L * x + 2 * x * x) / 48; },
         L * (15 - std::sqrt(33.0)) / 16},
        {T::Incastro, T::Libero,
         [](double x, double L) { return x * x * (6 * L * L - 4 * L * x + x * x) / 24; }, L},
    };
    for (const auto& c : casi) {
        for (int nSezioni : {1, 50}) {
            DatiContinua d = Trave({L}, {c.a, c.b});
            d.NSezioni = nSezioni;
            d.Trapezi.push_back({float(q), float(q), 0, float(L)});
            const auto r = Calcola(d);
            EXPECT_EQ(r.Punti.size(), size_t(nSezioni + 1));
            const double fmax = q * c.f(c.xMax, L) / EJ;
            for (int i = 0; i <= 20; ++i) {
                const double x = L * i / 20;
                EXPECT_NEAR(r.FrecciaIn(x), q * c.f(x, L) / EJ, 1e-9 * fmax) << x;
            }
            EXPECT_NEAR(r.Campate[0].fMaxGiu, fmax, 1e-9 * fmax);
            EXPECT_NEAR(r.Campate[0].xfMaxGiu, c.xMax, 1e-6 * L);
            EXPECT_NEAR(r.Campate[0].LSuF, L / fmax, 1e-9 * L / fmax);
        }
    }
}

// A triangular load 0 → w on a simply supported span: V = wL/6 − w·x²/(2L)
// vanishes at x = L/√3, where M = wL²/(9√3) (witness: statics); the
// largest |V| is the right reaction wL/3.
TEST(ContinuaEstremi, TaglioNulloEsatto) {
    const double L = 6, w = 15000;
    DatiContinua d = Trave({L}, {T::Appoggio, T::Appoggio});
    d.Trapezi.push_back({0, float(w), 0, float(L)});
    const auto r = Calcola(d);
    EXPECT_NEAR(r.Campate[0].xMmax, L / std::sqrt(3.0), 1e-12 * L);
    EXPECT_NEAR(r.Campate[0].Mmax, w * L * L / (9 * std::sqrt(3.0)), 1e-9 * w * L * L);
    EXPECT_NEAR(r.Campate[0].Vmax, -w * L / 3, 1e-9 * w * L);
    EXPECT_NEAR(r.Campate[0].xVmax, L, 1e-12);
}

// Random beams of 2 to 20 spans (fixed seed), random supports with at least
// two rigid ones, random trapezoids crossing supports, forces and couples.
// Witness: the loads' resultant and moment about x = 0 (trapezoid:
// (q1 + q2)·c/2 at its centroid d1 + c·(q1 + 2q2)/(3(q1 + q2)), by its two
// triangles), balanced by the reactions and fixed-end couples:
// ΣR = ΣQ, ΣR·x − ΣC = ΣQ·x + ΣW. Also at every support the jump of V is its
// reaction and the jump of M its couple, and each span's own deflection line
// meets the next support's displacement.
TEST(ContinuaCasuale, Equilibrio) {
    std::mt19937 g(20261208);
    auto U = [&](double a, double b) { return std::uniform_real_distribution<double>(a, b)(g); };
    for (int prova = 0; prova < 60; ++prova) {
        const int n = 2 + int(g() % 19);
        DatiContinua d;
        d.E = 2.1e11;
        d.NSezioni = 20;
        for (int i = 0; i < n; ++i)
            d.Campate.push_back({U(1, 10), U(1e-5, 1e-3)});
        for (int i = 0; i <= n; ++i) {
            const int t = int(g() % (i == 0 || i == n ? 4 : 3));
            AppoggioContinuo a;
            a.Tipo = std::array<T, 4>{T::Incastro, T::Appoggio, T::Molla, T::Libero}[size_t(t)];
            if (a.Tipo == T::Molla) a.k = std::pow(10.0, U(3, 9));
            if (a.Tipo != T::Libero && g() % 3 == 0) a.Cedimento = U(-0.01, 0.01);
            d.Appoggi.push_back(a);
        }
        d.Appoggi[size_t(1 + g() % size_t(n - 1))] = {T::Appoggio, 0, 0};
        d.Appoggi[size_t(1 + g() % size_t(n - 1))].Tipo = T::Appoggio;
        if (d.Appoggi[0].Tipo == T::Libero && d.Appoggi[1].Tipo == T::Molla)
            d.Appoggi[1].Tipo = T::Appoggio;
        // Load abscissae as singles that do not pass the right end.
        const double Lt = Totale(d);
        const float Lf = float(Lt) <= Lt ? float(Lt) : std::nextafter(float(Lt), 0.0f);
        double Q = 0, Qx = 0, scala = 0;
        for (int i = 0; i < 12; ++i) {
            const double d1 = U(0, Lt), d2 = std::min(Lt, d1 + U(0.1, Lt / 2));
            const auto c = CaricoTrapezio{float(U(-5e3, 2e4)), float(U(-5e3, 2e4)), float(d1),
                                          std::min(float(d2), Lf)};
            d.Trapezi.push_back(c);
            const double q1 = c.q1, q2 = c.q2, l = double(c.d2) - c.d1;
            // Two triangles: q1 at a third from d1, q2 at two thirds.
            Q += (q1 + q2) * l / 2;
            Qx += q1 * l / 2 * (c.d1 + l / 3) + q2 * l / 2 * (c.d1 + 2 * l / 3);
            scala += (std::abs(q1) + std::abs(q2)) * l / 2;
        }
        double W = 0;
        for (int i = 0; i < 8; ++i) {
            const auto f = CaricoConcentrato{float(U(-1e4, 5e4)), std::min(float(U(0, Lt)), Lf)};
            d.Concentrati.push_back(f);
            Q += f.F;
            Qx += double(f.F) * f.d;
            scala += std::abs(f.F);
            const auto w = CaricoCoppia{float(U(-3e4, 3e4)), std::min(float(U(0, Lt)), Lf)};
            d.Coppie.push_back(w);
            W += w.W;
        }
        double Wscala = 0;
        for (const auto& c : d.Coppie)
            Wscala += std::abs(c.W);
        RegistroMessaggi msg;
        const auto r = CalcolaContinua(d, msg);
        ASSERT_TRUE(r.Calcolato())
            << prova << " " << (msg.elenco.empty() ? "" : msg.elenco[0].testo);
        double R = 0, Rx = 0, C = 0;
        for (const auto& a : r.Appoggi) {
            R += a.Reazione;
            Rx += a.Reazione * a.x;
            C += a.CoppiaReazione;
        }
        EXPECT_NEAR(R, Q, 1e-9 * scala) << prova;
        EXPECT_NEAR(Rx - C, Qx + W, 1e-9 * (scala * Lt + Wscala)) << prova;
        // Jumps at the inner supports (no load falls exactly on one here).
        double fScala = 1e-12;
        for (const auto& p : r.Punti)
            fScala = std::max(fScala, std::abs(p.f));
        for (size_t i = 1; i < size_t(n); ++i) {
            const auto& a = r.Appoggi[i];
            EXPECT_NEAR(r.TaglioIn(a.x) - r.TaglioSinistraIn(a.x), a.Reazione, 1e-9 * scala)
                << prova;
            EXPECT_NEAR(r.MomentoIn(a.x) - r.MomentoSinistraIn(a.x), a.CoppiaReazione,
                        1e-9 * (scala * Lt + Wscala))
                << prova;
        }
        for (size_t k = 0; k + 1 < r.Punti.size(); ++k) {
            const auto& p = r.Punti[k];
            if (r.Punti[k + 1].Campata != p.Campata) {
                EXPECT_NEAR(p.f, r.Appoggi[size_t(p.Campata) + 1].Spostamento, 1e-9 * fScala)
                    << prova;
            }
        }
        // Whole-beam extremes are the spans' ones and bound the points.
        for (const auto& p : r.Punti) {
            EXPECT_LE(p.M, r.Mmax + 1e-9 * scala * Lt) << prova;
            EXPECT_GE(p.M, r.Mmin - 1e-9 * scala * Lt) << prova;
            EXPECT_LE(std::abs(p.V), std::abs(r.Vmax) + 1e-9 * scala) << prova;
            EXPECT_LE(p.f, r.fMaxGiu + 1e-9 * fScala) << prova;
        }
    }
}

// Beams that cannot carry load are refused with the reason.
TEST(ContinuaLabile, Rifiutata) {
    struct Caso {
        std::vector<AppoggioContinuo> appoggi;
        std::string testo;
    };
    const std::string nessuno = "Trave labile: nessun vincolo impedisce lo spostamento verticale";
    const Caso casi[] = {
        {{{T::Libero}, {T::Libero}}, nessuno},
        {{{T::Molla, 0}, {T::Molla, 0}}, nessuno},
        {{{T::Appoggio}, {T::Libero}},
         "Trave labile: l'appoggio N° 1 è il solo vincolo e la trave può ruotare attorno ad esso"},
        {{{T::Libero}, {T::Molla, 1e6}},
         "Trave labile: l'appoggio N° 2 è il solo vincolo e la trave può ruotare attorno ad esso"},
        {{{T::Molla, 1e-30}, {T::Molla, 1e-30}},
         "Trave labile: le molle sono troppo cedevoli rispetto alla rigidezza della trave"},
    };
    for (const auto& c : casi) {
        DatiContinua d = Trave({5}, {T::Appoggio, T::Appoggio});
        d.Appoggi = c.appoggi;
        d.Concentrati.push_back({1000, 2});
        RegistroMessaggi msg;
        const auto r = CalcolaContinua(d, msg);
        EXPECT_EQ(r.Esito, EsitoContinua::Labile) << c.testo;
        EXPECT_FALSE(r.Calcolato());
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{c.testo});
    }
    // Three supports, the middle one alone.
    DatiContinua d = Trave({3, 3}, {T::Libero, T::Appoggio, T::Libero});
    RegistroMessaggi msg;
    EXPECT_EQ(CalcolaContinua(d, msg).Esito, EsitoContinua::Labile);
    EXPECT_EQ(msg.Testi(),
              std::vector<std::string>{"Trave labile: l'appoggio N° 2 è il solo vincolo e "
                                       "la trave può ruotare attorno ad esso"});
}

// Sound beams far from the usual proportions are solved, not refused as
// labile, and balance their load (witness: the resultant): very short spans
// beside long stiff ones, and 1000 spans on soft springs only.
TEST(ContinuaLabile, CasiEstremiRisolti) {
    DatiContinua corta = Trave({0.0625, 50, 0.0625}, std::vector<T>(4, T::Appoggio));
    corta.Campate[0].J = corta.Campate[2].J = 1e-9;
    corta.Campate[1].J = 1e-2;
    corta.Trapezi.push_back({1000, 1000, 0, 50.125f});
    DatiContinua molle = Trave(std::vector<double>(1000, 5), std::vector<T>(1001, T::Molla));
    for (auto& a : molle.Appoggi)
        a.k = 1e2;
    molle.Trapezi.push_back({1000, 1000, 0, 5000});
    for (const DatiContinua* d : {&corta, &molle}) {
        const auto r = Calcola(*d);
        double R = 0;
        for (const auto& a : r.Appoggi)
            R += a.Reazione;
        EXPECT_NEAR(R, 1000 * Totale(*d), 1e-9 * 1000 * Totale(*d));
    }
}

// Data the calculation refuses, each message naming its row; several faults
// in one box, in order.
TEST(ContinuaDati, MessaggiPerRiga) {
    struct Caso {
        void (*guasta)(DatiContinua&);
        std::string testo;
    };
    const Caso casi[] = {
        {[](DatiContinua& d) { d.Campate[1].L = 0; },
         "Campata N° 2: L deve essere maggiore di zero"},
        {[](DatiContinua& d) { d.Campate[0].J = -1; },
         "Campata N° 1: J deve essere maggiore di zero"},
        {[](DatiContinua& d) { d.E = 0; }, "E deve essere maggiore di zero"},
        {[](DatiContinua& d) {
             d.Appoggi[2] = {T::Molla, -5, 0};
         },
         "Appoggio N° 3: k non può essere negativo"},
        {[](DatiContinua& d) { d.Appoggi[1].Tipo = T::Libero; },
         "Appoggio N° 2: Libero è ammesso solo alle estremità della trave"},
        {[](DatiContinua& d) {
             d.Concentrati.push_back({100, 10.5f});
         },
         "Carico concentrato N° 2: fuori dalla trave"},
        {[](DatiContinua& d) {
             d.Coppie.push_back({100, -1});
         },
         "Coppia N° 1: fuori dalla trave"},
        {[](DatiContinua& d) {
             d.Trapezi.push_back({1, 1, 9, 11});
         },
         "Carico trapezio N° 2: esteso oltre la trave"},
        {[](DatiContinua& d) {
             d.Trapezi.push_back({1, 1, 3, 3});
         },
         "Carico trapezio N° 2: deve essere d2 > d1"},
        {[](DatiContinua& d) { d.NSezioni = 0; },
         "N° sezioni di calcolo deve essere compreso tra 1 e 32767"},
        {[](DatiContinua& d) { d.Appoggi.pop_back(); },
         "Gli appoggi devono essere 4, uno a ogni estremo di ogni campata"},
    };
    for (const auto& c : casi) {
        DatiContinua d = Trave({4, 3, 3}, {T::Appoggio, T::Appoggio, T::Appoggio, T::Appoggio});
        d.Trapezi.push_back({1000, 1000, 0, 10});
        d.Concentrati.push_back({1000, 5});
        c.guasta(d);
        RegistroMessaggi msg;
        const auto r = CalcolaContinua(d, msg);
        EXPECT_EQ(r.Esito, EsitoContinua::DatiNonValidi) << c.testo;
        EXPECT_EQ(msg.Testi(), std::vector<std::string>{c.testo});
    }
    DatiContinua d = Trave({4, 3}, {T::Appoggio, T::Libero, T::Appoggio});
    d.Campate[0].L = -2;
    RegistroMessaggi msg;
    CalcolaContinua(d, msg);
    EXPECT_EQ(msg.Testi(), std::vector<std::string>{
                               std::string("Campata N° 1: L deve essere maggiore di zero") + ACapo +
                               "Appoggio N° 2: Libero è ammesso solo alle estremità della trave"});
}

// Queries: a force on an inner support goes into its reaction; the two
// sides of V there differ by reaction − force; at the ends the queries take
// the inner side; outside the beam they are a fault.
TEST(ContinuaInterrogazioni, LatiEFuori) {
    const double L = 4, P = 1000;
    DatiContinua d = Trave({L, L}, {T::Appoggio, T::Appoggio, T::Appoggio});
    d.Concentrati.push_back({float(P), float(L)});
    d.Concentrati.push_back({float(P), 0});
    const auto r = Calcola(d);
    // Everything goes straight into the supports: no bending at all.
    EXPECT_NEAR(r.Appoggi[1].Reazione, P, 1e-9 * P);
    EXPECT_NEAR(r.Appoggi[0].Reazione, P, 1e-9 * P);
    EXPECT_NEAR(r.Appoggi[2].Reazione, 0, 1e-9 * P);
    EXPECT_NEAR(r.MomentoIn(L / 2), 0, 1e-9 * P * L);
    EXPECT_NEAR(r.TaglioIn(0), 0, 1e-9 * P);
    EXPECT_NEAR(r.TaglioSinistraIn(0), 0, 1e-9 * P);
    EXPECT_NEAR(r.TaglioIn(2 * L), r.TaglioSinistraIn(2 * L), 0);
    EXPECT_THROW(r.MomentoIn(2 * L + 1e-9), Guasto);
    EXPECT_THROW(r.FrecciaIn(-1e-9), Guasto);
    EXPECT_THROW(RisultatiContinua().TaglioIn(0), Guasto);
    // The points list both sides of the force at the inner support.
    int volte = 0;
    for (const auto& p : r.Punti)
        volte += p.x == L;
    EXPECT_EQ(volte, 3); // end of span 1, span 2 before and after the force
}

// The calculation points: the ends and NSezioni divisions of each span, the
// ends of the trapezoids and the points of forces and couples, both sides of
// these (V jumps by the force, M by the couple), in order of x; a support
// closes one span and opens the next.
TEST(ContinuaPunti, Elenco) {
    const double P = 3000, W = 2000;
    DatiContinua d = Trave({4, 4}, {T::Appoggio, T::Appoggio, T::Incastro});
    d.NSezioni = 4;
    d.Trapezi.push_back({500, 900, 1.3f, 6.7f});
    d.Concentrati.push_back({float(P), 2.25f});
    d.Coppie.push_back({float(W), 5.5f});
    const auto r = Calcola(d);
    std::vector<double> x,
        atteso = {0, 1, double(1.3f), 2, 2.25, 2.25, 3, 4, 4, 5, 5.5, 5.5, 6, double(6.7f), 7, 8};
    for (const auto& p : r.Punti)
        x.push_back(p.x);
    EXPECT_EQ(x, atteso);
    for (size_t i = 1; i < r.Punti.size(); ++i) {
        const auto &a = r.Punti[i - 1], &b = r.Punti[i];
        if (a.x != b.x) continue;
        if (a.x == 2.25) {
            EXPECT_NEAR(a.V - b.V, P, 1e-9 * P);
        }
        if (a.x == 5.5) {
            EXPECT_NEAR(b.M - a.M, W, 1e-9 * W);
        }
        if (a.x == 4) {
            EXPECT_EQ(a.Campata + 1, b.Campata);
            EXPECT_NEAR(b.V - a.V, r.Appoggi[1].Reazione, 1e-9 * P);
        }
        EXPECT_NEAR(a.f, b.f, 1e-9 * std::abs(r.fMaxGiu));
    }
}

// Numbers beyond double range are a run-time fault (Guasto, for the
// calculation's trap), never an infinite or NaN result.
TEST(ContinuaGuasti, Overflow) {
    DatiContinua d = Trave({5, 5}, {T::Appoggio, T::Appoggio, T::Appoggio});
    d.E = 1e300;
    d.Campate[0].J = 1e300;
    d.Concentrati.push_back({1000, 2});
    RegistroMessaggi msg;
    EXPECT_THROW(CalcolaContinua(d, msg), Guasto);
    d = Trave({5, 5}, {T::Appoggio, T::Appoggio, T::Appoggio});
    d.Appoggi[1].Cedimento = 1e305;
    EXPECT_THROW(CalcolaContinua(d, msg), Guasto);
    EXPECT_TRUE(msg.elenco.empty());
}
