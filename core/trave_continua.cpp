#include "trave_continua.h"

#include "banda.h"
#include "guasto.h"
#include "matematica.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <string>

// LAPACK estimate of the reciprocal condition number from the band LU
// factors left by `RisolviBanda`.
extern "C" {
void dgbcon_(const char* norm, const int* n, const int* kl, const int* ku, const double* ab,
             const int* ldab, const int* ipiv, const double* anorm, double* rcond, double* work,
             int* iwork, int* info, size_t norm_len);
}

namespace zelvo {

namespace {

using Tratto = RisultatiContinua::Tratto;

// Below this reciprocal condition number of the equilibrated stiffness
// matrix the beam is held to be labile: the solution would carry fewer
// than three or four correct digits (springs so soft against the beam
// that they stand for no support).
constexpr double RcondMinimo = 1e-12;

bool Positivo(double v) {
    return std::isfinite(v) && v > 0;
}

std::string Num(int i) {
    return std::to_string(i);
}

// Hermite shape functions of a span of length L at s (ξ = s/L): the exact
// deflection of the unloaded span for a unit value of one end DOF
// (w0, θ0, w1, θ1) with the others zero.
std::array<double, 4> Forme(double s, double L) {
    const double x = s / L, x2 = x * x, x3 = x2 * x;
    return {1 - 3 * x2 + 2 * x3, L * (x - 2 * x2 + x3), 3 * x2 - 2 * x3, L * (x3 - x2)};
}
// Their derivatives (rotations).
std::array<double, 4> Pendenze(double s, double L) {
    const double x = s / L, x2 = x * x;
    return {(6 * x2 - 6 * x) / L, 1 - 4 * x + 3 * x2, (6 * x - 6 * x2) / L, 3 * x2 - 2 * x};
}

// Fixed-end actions. By Betti's theorem the force (couple) that holds end
// DOF j of a fixed-fixed span at zero under a load is the work of the load
// on the deflection N_j caused by a unit value of that DOF, N_j being the
// exact (cubic) elastic line of the unloaded span:
//   force F at a:    P_j = F·N_j(a)
//   couple W at a:   P_j = W·N_j'(a)   (a clockwise couple works on w')
//   trapezoid:       P_j = ∫ q(s)·N_j(s) ds over the loaded piece.
// These P_j are the nodal loads of the stiffness equations K·u = P (the
// fixed-end reactions with the sign changed). The last integrand is a
// polynomial of degree 4 (q linear, N_j cubic): three-point Gauss-Legendre
// on the piece integrates it exactly, without the cancellation of
// differences of powers on a short piece.
void AggiungiTrapezio(double qa, double k, double sa, double sb, double L,
                      std::array<double, 4>& P) {
    const double c = 0.5 * (sa + sb), h = 0.5 * (sb - sa), g = std::sqrt(0.6);
    const double nodi[3] = {c - g * h, c, c + g * h};
    const double pesi[3] = {5.0 / 9.0 * h, 8.0 / 9.0 * h, 5.0 / 9.0 * h};
    for (int n = 0; n < 3; ++n) {
        const double q = qa + k * (nodi[n] - sa);
        const auto N = Forme(nodi[n], L);
        for (int j = 0; j < 4; ++j)
            P[size_t(j)] += pesi[n] * q * N[size_t(j)];
    }
}

// Exact stiffness of a prismatic Euler-Bernoulli span in (w0, θ0, w1, θ1)
// with w downward and θ = dw/dx: the same matrix as for w upward and θ
// counterclockwise (both signs flip).
std::array<std::array<double, 4>, 4> Rigidezza(double EJ, double L) {
    const double a = EJ / (L * L * L), L2 = L * L;
    return {{{12 * a, 6 * L * a, -12 * a, 6 * L * a},
             {6 * L * a, 4 * L2 * a, -6 * L * a, 2 * L2 * a},
             {-12 * a, -6 * L * a, 12 * a, -6 * L * a},
             {6 * L * a, 2 * L2 * a, -6 * L * a, 4 * L2 * a}}};
}

// Values of a span at s: M, V, and the first and second integrals of M
// from the left end (for the rotation and the deflection).
struct Valori {
    double M = 0, V = 0, I1 = 0, I2 = 0;
};

// Section values by statics from the left end, with the loads as Macaulay
// terms. Deflection line: EJ·w'' = −M, so θ(s) = θ0 − I1(s)/EJ and
// w(s) = w0 + θ0·s − I2(s)/EJ with I1 = ∫₀ˢ M, I2 = ∫₀ˢ (s − t)·M(t) dt,
// exact because M is. A load counts at s = a on the right side only.
//   end actions:  M0 + V0·s;  I1 = M0·s + V0·s²/2;  I2 = M0·s²/2 + V0·s³/6
//   force F at a (τ = s − a):  M −= F·τ, V −= F, I1 −= F·τ²/2, I2 −= F·τ³/6
//   couple W at a:             M += W, I1 += W·τ, I2 += W·τ²/2
//   trapezoid from a (intensity qa, slope k) to b = a + c, on it:
//       M −= qa·τ²/2 + k·τ³/6, V −= qa·τ + k·τ²/2,
//       I1 −= qa·τ³/6 + k·τ⁴/24, I2 −= qa·τ⁴/24 + k·τ⁵/120;
//   beyond it (u = s − b; resultant Q = qa·c + k·c²/2, moment about b
//   Sb = qa·c²/2 + k·c³/6): M −= Q·u + Sb, V −= Q,
//       I1 = I1(b) − (Sb·u + Q·u²/2), I2 = I2(b) + I1(b)·u − (Sb·u²/2 + Q·u³/6),
//   written in u so that nothing cancels far from a short trapezoid.
Valori ValoriTratto(const Tratto& t, double s, bool sinistra) {
    Valori v;
    v.M = t.M0 + t.V0 * s;
    v.V = t.V0;
    v.I1 = t.M0 * s + t.V0 * s * s / 2;
    v.I2 = t.M0 * s * s / 2 + t.V0 * s * s * s / 6;
    for (const auto& c : t.termini) {
        if (sinistra ? !(c.a < s) : !(c.a <= s)) break; // sorted by a
        const double tau = s - c.a;
        if (c.F != 0) {
            v.M -= c.F * tau;
            v.V -= c.F;
            v.I1 -= c.F * tau * tau / 2;
            v.I2 -= c.F * tau * tau * tau / 6;
        }
        if (c.W != 0) {
            v.M += c.W;
            v.I1 += c.W * tau;
            v.I2 += c.W * tau * tau / 2;
        }
        if (c.lung > 0) {
            const double qa = c.qa, k = c.k, lung = c.lung;
            if (tau <= lung) {
                const double t2 = tau * tau, t3 = t2 * tau, t4 = t3 * tau;
                v.M -= qa * t2 / 2 + k * t3 / 6;
                v.V -= qa * tau + k * t2 / 2;
                v.I1 -= qa * t3 / 6 + k * t4 / 24;
                v.I2 -= qa * t4 / 24 + k * t4 * tau / 120;
            } else {
                const double cc = lung, c2 = cc * cc, c3 = c2 * cc, c4 = c3 * cc;
                const double Q = qa * cc + k * c2 / 2, Sb = qa * c2 / 2 + k * c3 / 6;
                const double I1b = -(qa * c3 / 6 + k * c4 / 24);
                const double I2b = -(qa * c4 / 24 + k * c4 * cc / 120);
                const double u = tau - cc;
                v.M -= Q * u + Sb;
                v.V -= Q;
                v.I1 += I1b - (Sb * u + Q * u * u / 2);
                v.I2 += I2b + I1b * u - (Sb * u * u / 2 + Q * u * u * u / 6);
            }
        }
    }
    return v;
}

double FrecciaTratto(const Tratto& t, double s) {
    return t.w0 + t.th0 * s - ValoriTratto(t, s, false).I2 / t.EJ;
}
double RotazioneTratto(const Tratto& t, double s) {
    return t.th0 - ValoriTratto(t, s, false).I1 / t.EJ;
}

// Load intensity q just right of s and its slope (sum over the trapezoids on it).
void IntensitaIn(const Tratto& t, double s, double& q, double& dq) {
    q = dq = 0;
    for (const auto& c : t.termini) {
        if (c.a > s) break;
        if (c.lung > 0 && s < c.a + c.lung) {
            q += c.qa + c.k * (s - c.a);
            dq += c.k;
        }
    }
}

// Roots in (0, h) of c0 + c1·u + c2·u², by the cancellation-free formula.
std::vector<double> RadiciQuadratica(double c0, double c1, double c2, double h) {
    std::vector<double> r;
    auto prendi = [&](double u) {
        if (std::isfinite(u) && u > 0 && u < h) r.push_back(u);
    };
    const double scala = std::abs(c0) + std::abs(c1) * h + std::abs(c2) * h * h;
    if (scala == 0) return r;
    if (std::abs(c2) * h * h <= 1e-15 * scala) {
        if (c1 != 0) prendi(-c0 / c1);
        return r;
    }
    const double disc = c1 * c1 - 4 * c2 * c0;
    if (disc < 0) return r;
    const double qq = -0.5 * (c1 + std::copysign(std::sqrt(disc), c1));
    if (qq != 0) {
        prendi(qq / c2);
        prendi(c0 / qq);
    } else {
        prendi(0.0);
    }
    return r;
}

// The span's load positions (ends of trapezoids, forces, couples) and ends.
std::vector<double> PuntiSingolari(const Tratto& t) {
    std::vector<double> p{0.0, t.L};
    for (const auto& c : t.termini) {
        p.push_back(c.a);
        if (c.lung > 0) p.push_back(std::min(c.a + c.lung, t.L));
    }
    std::sort(p.begin(), p.end());
    p.erase(std::unique(p.begin(), p.end()), p.end());
    return p;
}

bool Discontinuita(const Tratto& t, double s) {
    for (const auto& c : t.termini)
        if (c.a == s && (c.F != 0 || c.W != 0)) return true;
    return false;
}

// Extremes of one span: M where V = 0 (V is a quadratic between the load
// positions: solved exactly) and at the load positions on both sides; |V|
// at the piece ends and where q = 0; the deflection at the sampled points
// and where the rotation turns from positive to negative between two
// samples (bisection on the exact rotation).
void EstremiCampata(const Tratto& t, const std::vector<double>& campioni, RisultatoCampata& rc) {
    bool primo = true;
    auto momento = [&](double s, double M) {
        if (primo || M > rc.Mmax) rc.Mmax = M, rc.xMmax = t.x0 + s;
        if (primo || M < rc.Mmin) rc.Mmin = M, rc.xMmin = t.x0 + s;
    };
    bool primoV = true;
    auto taglio = [&](double s, double V) {
        if (primoV || std::abs(V) > std::abs(rc.Vmax)) rc.Vmax = V, rc.xVmax = t.x0 + s;
        primoV = false;
    };
    const std::vector<double> p = PuntiSingolari(t);
    for (size_t i = 0; i < p.size(); ++i) {
        const double s = p[i];
        const Valori sx = ValoriTratto(t, s, true), dx = ValoriTratto(t, s, false);
        if (i > 0) {
            momento(s, sx.M);
            primo = false;
            taglio(s, sx.V);
        }
        if (i + 1 < p.size()) {
            momento(s, dx.M);
            primo = false;
            taglio(s, dx.V);
            const double h = p[i + 1] - s;
            double q, dq;
            IntensitaIn(t, s, q, dq);
            // V(s + u) = V(s⁺) − q·u − dq·u²/2.
            for (const double u : RadiciQuadratica(dx.V, -q, -dq / 2, h))
                momento(s + u, ValoriTratto(t, s + u, false).M);
            if (dq != 0) {
                const double u = -q / dq;
                if (u > 0 && u < h) taglio(s + u, ValoriTratto(t, s + u, false).V);
            }
        }
    }
    // Deflection.
    double thPrec = 0;
    for (size_t i = 0; i < campioni.size(); ++i) {
        const double s = campioni[i];
        const Valori v = ValoriTratto(t, s, false);
        const double f = t.w0 + t.th0 * s - v.I2 / t.EJ, th = t.th0 - v.I1 / t.EJ;
        if (i == 0 || f > rc.fMaxGiu) rc.fMaxGiu = f, rc.xfMaxGiu = t.x0 + s;
        if (i > 0 && thPrec > 0 && th < 0) {
            double a = campioni[i - 1], b = s;
            for (int it = 0; it < 200 && b - a > 4e-16 * t.L; ++it) {
                const double m = 0.5 * (a + b);
                if (RotazioneTratto(t, m) > 0)
                    a = m;
                else
                    b = m;
            }
            const double m = 0.5 * (a + b), fm = FrecciaTratto(t, m);
            if (fm > rc.fMaxGiu) rc.fMaxGiu = fm, rc.xfMaxGiu = t.x0 + m;
        }
        thPrec = th;
    }
    rc.LSuF = rc.fMaxGiu > 0 ? Finito(t.L / rc.fMaxGiu, "L/f") : 0.0;
}

// Structural count: the stiffness matrix of a continuous beam with every
// L, EJ > 0 is singular only on its rigid motions w = α + β·x; a fixed
// support stops both, two vertical supports (Appoggio, Incastro, Molla with
// k > 0) at different places stop both. Returns the reason, empty when none.
std::string Labilita(const DatiContinua& d) {
    int verticali = 0, incastri = 0, ultimo = 0;
    for (size_t i = 0; i < d.Appoggi.size(); ++i) {
        const auto& a = d.Appoggi[i];
        if (a.Tipo == TipoAppoggio::Incastro) ++incastri;
        if (a.Tipo == TipoAppoggio::Incastro || a.Tipo == TipoAppoggio::Appoggio ||
            (a.Tipo == TipoAppoggio::Molla && a.k > 0)) {
            ++verticali;
            ultimo = int(i) + 1;
        }
    }
    if (verticali == 0) return "nessun vincolo impedisce lo spostamento verticale";
    if (incastri == 0 && verticali == 1)
        return "l'appoggio N° " + Num(ultimo) +
               " è il solo vincolo e la trave può ruotare attorno ad esso";
    return "";
}

void Aggiungi(std::vector<std::string>& e, const std::string& testo) {
    e.push_back(testo);
}

} // namespace

std::vector<std::string> ControllaContinua(const DatiContinua& d) {
    std::vector<std::string> e;
    const size_t n = d.Campate.size();
    if (n == 0) Aggiungi(e, "La trave deve avere almeno una campata");
    if (!Positivo(d.E)) Aggiungi(e, "E deve essere maggiore di zero");
    if (d.NSezioni < 1 || d.NSezioni > 32767)
        Aggiungi(e, "N° sezioni di calcolo deve essere compreso tra 1 e 32767");
    double Ltot = 0;
    bool lunghezze = n > 0; // the beam's length is known
    for (size_t i = 0; i < n; ++i) {
        const auto& c = d.Campate[i];
        const std::string riga = "Campata N° " + Num(int(i) + 1) + ": ";
        if (!Positivo(c.L)) {
            Aggiungi(e, riga + "L deve essere maggiore di zero");
            lunghezze = false;
        } else {
            Ltot += c.L;
        }
        if (!Positivo(c.J)) Aggiungi(e, riga + "J deve essere maggiore di zero");
    }
    if (n > 0 && d.Appoggi.size() != n + 1)
        Aggiungi(e, "Gli appoggi devono essere " + Num(int(n) + 1) +
                        ", uno a ogni estremo di ogni campata");
    for (size_t i = 0; i < d.Appoggi.size(); ++i) {
        const auto& a = d.Appoggi[i];
        const std::string riga = "Appoggio N° " + Num(int(i) + 1) + ": ";
        if (a.Tipo == TipoAppoggio::Libero) {
            if (i != 0 && i + 1 != d.Appoggi.size())
                Aggiungi(e, riga + "Libero è ammesso solo alle estremità della trave");
            if (a.Cedimento != 0) Aggiungi(e, riga + "un estremo libero non può avere cedimento");
        } else if (!std::isfinite(a.Cedimento)) {
            Aggiungi(e, riga + "cedimento non valido");
        }
        if (a.Tipo == TipoAppoggio::Molla) {
            if (!std::isfinite(a.k))
                Aggiungi(e, riga + "k non valido");
            else if (a.k < 0)
                Aggiungi(e, riga + "k non può essere negativo");
        }
    }
    // Abscissae within the beam, up to the rounding of a single-precision
    // datum (beyond the ends by less than that, a load is cut there); not
    // checked while the length is unknown.
    const double tol = 1e-6 * Ltot;
    auto dentro = [&](double x) {
        return !lunghezze || (std::isfinite(x) && x >= -tol && x <= Ltot + tol);
    };
    for (size_t i = 0; i < d.Trapezi.size(); ++i) {
        const auto& c = d.Trapezi[i];
        const std::string riga = "Carico trapezio N° " + Num(int(i) + 1) + ": ";
        if (!std::isfinite(c.q1) || !std::isfinite(c.q2))
            Aggiungi(e, riga + "intensità non valida");
        if (!(c.d2 > c.d1))
            Aggiungi(e, riga + "deve essere d2 > d1");
        else if (!dentro(c.d1) || !dentro(c.d2))
            Aggiungi(e, riga + "esteso oltre la trave");
    }
    for (size_t i = 0; i < d.Concentrati.size(); ++i) {
        const auto& c = d.Concentrati[i];
        const std::string riga = "Carico concentrato N° " + Num(int(i) + 1) + ": ";
        if (!std::isfinite(c.F)) Aggiungi(e, riga + "intensità non valida");
        if (!dentro(c.d)) Aggiungi(e, riga + "fuori dalla trave");
    }
    for (size_t i = 0; i < d.Coppie.size(); ++i) {
        const auto& c = d.Coppie[i];
        const std::string riga = "Coppia N° " + Num(int(i) + 1) + ": ";
        if (!std::isfinite(c.W)) Aggiungi(e, riga + "intensità non valida");
        if (!dentro(c.d)) Aggiungi(e, riga + "fuori dalla trave");
    }
    return e;
}

int RisultatiContinua::CampataDi(double x, bool sinistra) const {
    if (Tratti.empty()) throw Guasto("trave continua non calcolata");
    if (!(x >= 0 && x <= Lunghezza)) throw Guasto("ascissa fuori dalla trave");
    // The last span whose start is ≤ x (< x on the left side).
    auto it = std::upper_bound(Tratti.begin(), Tratti.end(), x, [&](double v, const Tratto& t) {
        return sinistra ? v <= t.x0 : v < t.x0;
    });
    const long i = long(it - Tratti.begin()) - 1;
    return int(std::clamp<long>(i, 0, long(Tratti.size()) - 1));
}

namespace {
// Side used at x: the right one but at the right end, the left one but at
// the left end.
bool Lato(const RisultatiContinua& r, double x, bool sinistra) {
    if (x >= r.Lunghezza) return true;
    if (x <= 0) return false;
    return sinistra;
}
Valori ValoriIn(const RisultatiContinua& r, double x, bool sinistra) {
    const bool lato = Lato(r, x, sinistra);
    const Tratto& t = r.Tratti[size_t(r.CampataDi(x, lato))];
    return ValoriTratto(t, std::clamp(x - t.x0, 0.0, t.L), lato);
}
} // namespace

namespace {
double Pulito(double v, double scala) {
    Netto(v, scala);
    return v;
}
} // namespace

double RisultatiContinua::MomentoIn(double x) const {
    return Pulito(ValoriIn(*this, x, false).M, ScalaM);
}
double RisultatiContinua::TaglioIn(double x) const {
    return Pulito(ValoriIn(*this, x, false).V, ScalaV);
}
double RisultatiContinua::MomentoSinistraIn(double x) const {
    return Pulito(ValoriIn(*this, x, true).M, ScalaM);
}
double RisultatiContinua::TaglioSinistraIn(double x) const {
    return Pulito(ValoriIn(*this, x, true).V, ScalaV);
}
double RisultatiContinua::FrecciaIn(double x) const {
    const Tratto& t = Tratti[size_t(CampataDi(x, false))];
    return Pulito(FrecciaTratto(t, std::clamp(x - t.x0, 0.0, t.L)), ScalaF);
}
void RisultatiContinua::ValoriCampata(int e, double s, bool sinistra, double& M, double& V,
                                      double& f) const {
    if (e < 0 || size_t(e) >= Tratti.size()) throw Guasto("campata inesistente");
    const Tratto& t = Tratti[size_t(e)];
    const Valori v = ValoriTratto(t, s, sinistra);
    M = v.M;
    V = v.V;
    f = t.w0 + t.th0 * s - v.I2 / t.EJ;
}

double RisultatiContinua::RotazioneIn(double x) const {
    const Tratto& t = Tratti[size_t(CampataDi(x, false))];
    return RotazioneTratto(t, std::clamp(x - t.x0, 0.0, t.L));
}

namespace {

// The load sets of a beam made once its spans are laid out (`geometria`: the
// spans without loads and the length, enough for `CampataDi`).
using CreaInsiemi = std::function<std::vector<InsiemeCarichi>(const RisultatiContinua& geometria)>;

// Checks the data, lays out the spans, factors the stiffness once and solves
// it for every load set `crea` makes: the spans and supports of each set.
std::vector<RisultatiContinua> Risolvi(const DatiContinua& d, const CreaInsiemi& crea,
                                       Messaggi& msg, EsitoContinua& esito) {
    std::vector<RisultatiContinua> risultati;
    {
        const auto errori = ControllaContinua(d);
        if (!errori.empty()) {
            std::string testo;
            for (const auto& e : errori)
                testo += (testo.empty() ? "" : ACapo) + e;
            msg.Mostra(testo, Icona::Esclamazione);
            esito = EsitoContinua::DatiNonValidi;
            return risultati;
        }
    }
    if (const std::string perche = Labilita(d); !perche.empty()) {
        msg.Mostra("Trave labile: " + perche, Icona::Esclamazione);
        esito = EsitoContinua::Labile;
        return risultati;
    }

    // The spans without loads, shared by every set.
    const size_t n = d.Campate.size();
    std::vector<Tratto> vuoti(n);
    double x0 = 0;
    for (size_t i = 0; i < n; ++i) {
        Tratto& t = vuoti[i];
        t.x0 = x0;
        t.L = d.Campate[i].L;
        t.EJ = Finito(d.E * d.Campate[i].J, "E·J");
        x0 += t.L;
    }
    const double Ltot = Finito(x0, "lunghezza della trave");
    RisultatiContinua geometria;
    geometria.Tratti = vuoti;
    geometria.Lunghezza = Ltot;

    // Stiffness and supports: equilibration S·K·S with S = diag(1/√K_ii)
    // (every K_ii > 0: each node belongs to a span), then the imposed DOFs as
    // identity rows; the equilibrated matrix before the imposition is kept to
    // carry each set's imposed values to the right side.
    const int nd = int(2 * (n + 1));
    std::vector<std::array<std::array<double, 4>, 4>> Ke(n);
    MatriceBanda K(nd, 3, 3);
    for (size_t e = 0; e < n; ++e) {
        Ke[e] = Rigidezza(vuoti[e].EJ, vuoti[e].L);
        const int g = int(2 * e);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                K(g + i + 1, g + j + 1) += Ke[e][size_t(i)][size_t(j)];
    }
    std::vector<bool> imposto(static_cast<size_t>(nd), false);
    std::vector<double> cedimento(static_cast<size_t>(nd), 0.0);
    for (size_t i = 0; i <= n; ++i) {
        const auto& a = d.Appoggi[i];
        const int w = int(2 * i);
        switch (a.Tipo) {
        case TipoAppoggio::Incastro:
            imposto[size_t(w + 1)] = true;
            [[fallthrough]];
        case TipoAppoggio::Appoggio:
            imposto[size_t(w)] = true;
            cedimento[size_t(w)] = a.Cedimento;
            break;
        case TipoAppoggio::Molla:
            // The spring pushes k·(w − Δ) upward on the node.
            K(w + 1, w + 1) += a.k;
            break;
        case TipoAppoggio::Libero:
            break;
        }
    }
    std::vector<double> S(static_cast<size_t>(nd));
    for (int i = 0; i < nd; ++i)
        S[size_t(i)] = 1 / std::sqrt(Finito(K(i + 1, i + 1), "rigidezza non finita"));
    for (int j = 1; j <= nd; ++j)
        for (int i = std::max(1, j - 3); i <= std::min(nd, j + 3); ++i)
            K(i, j) *= S[size_t(i - 1)] * S[size_t(j - 1)];
    const MatriceBanda K0 = K;
    for (int p = 1; p <= nd; ++p) {
        if (!imposto[size_t(p - 1)]) continue;
        for (int i = std::max(1, p - 3); i <= std::min(nd, p + 3); ++i) {
            if (i == p) continue;
            K(i, p) = 0;
            K(p, i) = 0;
        }
        K(p, p) = 1;
    }
    double norma = 0;
    for (int j = 1; j <= nd; ++j) {
        double c = 0;
        for (int i = std::max(1, j - 3); i <= std::min(nd, j + 3); ++i)
            c += std::abs(K(i, j));
        norma = std::max(norma, c);
    }
    FattoriLU lu;
    std::vector<double> b(static_cast<size_t>(nd), 0.0);
    const int info = RisolviBanda(K, b, &lu);
    double rcond = 0;
    if (info == 0) {
        std::vector<double> work(static_cast<size_t>(3 * nd));
        std::vector<int> iwork(static_cast<size_t>(nd));
        int info2 = 0;
        dgbcon_("1", &lu.n, &lu.kl, &lu.ku, lu.lu.data(), &lu.ld, lu.ipiv.data(), &norma, &rcond,
                work.data(), iwork.data(), &info2, 1);
        if (info2 != 0) rcond = 0;
    }
    if (info != 0 || !(rcond >= RcondMinimo)) {
        msg.Mostra(
            "Trave labile: le molle sono troppo cedevoli rispetto alla rigidezza della trave",
            Icona::Esclamazione);
        esito = EsitoContinua::Labile;
        return risultati;
    }

    const std::vector<InsiemeCarichi> insiemi = crea(geometria);
    risultati.resize(insiemi.size());
    std::vector<std::array<double, 4>> P(n);
    std::vector<double> u(static_cast<size_t>(nd)), forzaNodo(n + 1), coppiaNodo(n + 1);
    for (size_t q = 0; q < insiemi.size(); ++q) {
        const InsiemeCarichi& ins = insiemi[q];
        if (!ins.Termini.empty() && ins.Termini.size() != n) throw Guasto("termini per campata");
        RisultatiContinua& r = risultati[q];
        r.Tratti = vuoti;
        r.Lunghezza = Ltot;

        // Nodal loads of the set's terms, summed in the set's order, then
        // the terms sorted by position.
        std::fill(P.begin(), P.end(), std::array<double, 4>{0, 0, 0, 0});
        for (size_t e = 0; e < ins.Termini.size(); ++e) {
            Tratto& t = r.Tratti[e];
            t.termini = ins.Termini[e];
            for (const auto& m : t.termini) {
                if (m.F != 0) {
                    const auto N = Forme(m.a, t.L);
                    for (size_t j = 0; j < 4; ++j)
                        P[e][j] += m.F * N[j];
                }
                if (m.W != 0) {
                    const auto N = Pendenze(m.a, t.L);
                    for (size_t j = 0; j < 4; ++j)
                        P[e][j] += m.W * N[j];
                }
                if (m.lung > 0) AggiungiTrapezio(m.qa, m.k, m.a, m.a + m.lung, t.L, P[e]);
            }
            std::stable_sort(t.termini.begin(), t.termini.end(),
                             [](const auto& a, const auto& c) { return a.a < c.a; });
        }
        std::fill(b.begin(), b.end(), 0.0);
        for (size_t e = 0; e < n; ++e)
            for (size_t i = 0; i < 4; ++i)
                b[2 * e + i] += P[e][i];
        if (ins.Cedimenti)
            for (size_t i = 0; i <= n; ++i)
                if (d.Appoggi[i].Tipo == TipoAppoggio::Molla)
                    b[2 * i] += d.Appoggi[i].k * d.Appoggi[i].Cedimento;
        for (int i = 0; i < nd; ++i)
            b[size_t(i)] *= S[size_t(i)];
        for (int p = 1; p <= nd; ++p) {
            if (!imposto[size_t(p - 1)]) continue;
            const double y = ins.Cedimenti ? cedimento[size_t(p - 1)] / S[size_t(p - 1)] : 0.0;
            for (int i = std::max(1, p - 3); i <= std::min(nd, p + 3); ++i)
                if (i != p && !imposto[size_t(i - 1)]) b[size_t(i - 1)] -= K0(i, p) * y;
        }
        for (int p = 1; p <= nd; ++p)
            if (imposto[size_t(p - 1)])
                b[size_t(p - 1)] =
                    ins.Cedimenti ? cedimento[size_t(p - 1)] / S[size_t(p - 1)] : 0.0;
        if (!lu.Risolvi(b)) throw Guasto("fattori della rigidezza");
        for (int i = 0; i < nd; ++i)
            u[size_t(i)] = imposto[size_t(i)] ? (ins.Cedimenti ? cedimento[size_t(i)] : 0.0)
                                              : Finito(b[size_t(i)] * S[size_t(i)], "spostamento");

        // End actions of each span: forces of the nodes on the span,
        // r = K_e·u_e − P_e (down, clockwise). M(0⁺) = r_θ0, V(0⁺) = −r_w0.
        std::fill(forzaNodo.begin(), forzaNodo.end(), 0.0);
        std::fill(coppiaNodo.begin(), coppiaNodo.end(), 0.0);
        for (size_t e = 0; e < n; ++e) {
            Tratto& t = r.Tratti[e];
            std::array<double, 4> re{};
            for (size_t i = 0; i < 4; ++i) {
                re[i] = -P[e][i];
                for (size_t j = 0; j < 4; ++j)
                    re[i] += Ke[e][i][j] * u[2 * e + j];
            }
            t.w0 = u[2 * e];
            t.th0 = u[2 * e + 1];
            t.M0 = Finito(re[1], "momento");
            t.V0 = Finito(-re[0], "taglio");
            forzaNodo[e] += re[0];
            coppiaNodo[e] += re[1];
            forzaNodo[e + 1] += re[2];
            coppiaNodo[e + 1] += re[3];
        }
        // At an end without a fixed support the beam carries nothing before
        // the loads placed there: zero by statics, not the round-off of the
        // solution.
        if (d.Appoggi[0].Tipo != TipoAppoggio::Incastro) {
            r.Tratti[0].M0 = 0;
            if (d.Appoggi[0].Tipo == TipoAppoggio::Libero) r.Tratti[0].V0 = 0;
        }
        r.Appoggi.resize(n + 1);
        for (size_t i = 0; i <= n; ++i) {
            auto& ra = r.Appoggi[i];
            const auto tipo = d.Appoggi[i].Tipo;
            ra.x = i < n ? r.Tratti[i].x0 : Ltot;
            ra.Spostamento = u[2 * i];
            ra.Rotazione = u[2 * i + 1];
            ra.Reazione = tipo == TipoAppoggio::Libero ? 0.0 : Finito(-forzaNodo[i], "reazione");
            ra.CoppiaReazione =
                tipo == TipoAppoggio::Incastro ? Finito(coppiaNodo[i], "coppia") : 0.0;
            ra.Momento = Finito(i < n ? r.MomentoIn(ra.x) : r.MomentoSinistraIn(ra.x), "momento");
        }
        // The same at the right end: left of it only the couples placed
        // there, with the other sign (the moment beyond the end is zero).
        if (d.Appoggi[n].Tipo != TipoAppoggio::Incastro) {
            const Tratto& t = r.Tratti[n - 1];
            double W = 0;
            for (const auto& m : t.termini)
                if (m.a == t.L) W += m.W;
            r.Appoggi[n].Momento = 0.0 - W; // never -0
        }
        r.Esito = EsitoContinua::Completato;
    }
    esito = EsitoContinua::Completato;
    return risultati;
}

// The data's loads as terms per span, in the data's order: forces, couples,
// trapezoids (each trapezoid split at the supports it crosses).
std::vector<std::vector<RisultatiContinua::Termine>> TerminiDati(const DatiContinua& d,
                                                                 const RisultatiContinua& g) {
    const double Ltot = g.Lunghezza;
    std::vector<std::vector<RisultatiContinua::Termine>> termini(g.Tratti.size());
    auto campataPunto = [&](double x) {
        return size_t(g.CampataDi(std::clamp(x, 0.0, Ltot), false));
    };
    // A force F or couple W at x.
    auto puntuale = [&](double x, double F, double W) {
        const size_t i = campataPunto(x);
        const auto& t = g.Tratti[i];
        RisultatiContinua::Termine m;
        m.a = std::clamp(x - t.x0, 0.0, t.L);
        m.F = F;
        m.W = W;
        termini[i].push_back(m);
    };
    for (const auto& c : d.Concentrati)
        puntuale(c.d, c.F, 0);
    for (const auto& c : d.Coppie)
        puntuale(c.d, 0, c.W);
    for (const auto& c : d.Trapezi) {
        const double d1 = std::clamp(double(c.d1), 0.0, Ltot),
                     d2 = std::clamp(double(c.d2), 0.0, Ltot);
        const double k = Diviso(double(c.q2) - c.q1, double(c.d2) - c.d1, "trapezio con d2 = d1");
        for (size_t i = campataPunto(d1); i < g.Tratti.size(); ++i) {
            const auto& t = g.Tratti[i];
            if (t.x0 >= d2) break;
            const double xa = std::max(d1, t.x0), xb = std::min(d2, t.x0 + t.L);
            if (!(xb > xa)) continue;
            const double qa = c.q1 + k * (xa - c.d1);
            if (qa == 0 && k == 0) continue;
            RisultatiContinua::Termine m;
            m.a = xa - t.x0;
            m.lung = xb - xa;
            m.qa = qa;
            m.k = k;
            termini[i].push_back(m);
        }
    }
    return termini;
}

} // namespace

RisultatiContinua CalcolaContinua(const DatiContinua& d, Messaggi& msg) {
    RisultatiContinua r;
    std::vector<RisultatiContinua> soluzione = Risolvi(
        d,
        [&](const RisultatiContinua& g) {
            return std::vector<InsiemeCarichi>{{TerminiDati(d, g), true}};
        },
        msg, r.Esito);
    if (r.Esito != EsitoContinua::Completato) return r;
    r = std::move(soluzione.front());
    const size_t n = r.Tratti.size();

    // Calculation points and extremes per span.
    r.Campate.resize(n);
    for (size_t e = 0; e < n; ++e) {
        const Tratto& t = r.Tratti[e];
        std::vector<double> s = PuntiSingolari(t);
        for (int j = 1; j < d.NSezioni; ++j)
            s.push_back(t.L * j / d.NSezioni);
        std::sort(s.begin(), s.end());
        s.erase(std::unique(s.begin(), s.end()), s.end());
        for (const double sj : s) {
            const double f = Finito(FrecciaTratto(t, sj), "freccia");
            // A force or couple at sj: both sides; else one value (the left
            // side at the span's right end, where a support follows).
            const bool salto = Discontinuita(t, sj);
            if (salto) {
                const Valori sx = ValoriTratto(t, sj, true);
                r.Punti.push_back(
                    {t.x0 + sj, int(e), Finito(sx.M, "momento"), Finito(sx.V, "taglio"), f});
            }
            const Valori v = ValoriTratto(t, sj, !salto && sj == t.L);
            r.Punti.push_back(
                {t.x0 + sj, int(e), Finito(v.M, "momento"), Finito(v.V, "taglio"), f});
        }
        RisultatoCampata& rc = r.Campate[e];
        rc.xInizio = t.x0;
        rc.xFine = t.x0 + t.L;
        // The deflection search samples at least 32 intervals per span,
        // whatever NSezioni: a bracket of the largest deflection must not
        // depend on how few sections are asked for.
        std::vector<double> campioni = s;
        for (int j = 1; j < 32; ++j)
            campioni.push_back(t.L * j / 32);
        std::sort(campioni.begin(), campioni.end());
        campioni.erase(std::unique(campioni.begin(), campioni.end()), campioni.end());
        EstremiCampata(t, campioni, rc);
        Finito(rc.Mmax);
        Finito(rc.Mmin);
        Finito(rc.Vmax);
        Finito(rc.fMaxGiu);
        if (e == 0 || rc.Mmax > r.Mmax) r.Mmax = rc.Mmax, r.xMmax = rc.xMmax;
        if (e == 0 || rc.Mmin < r.Mmin) r.Mmin = rc.Mmin, r.xMmin = rc.xMmin;
        if (e == 0 || std::abs(rc.Vmax) > std::abs(r.Vmax)) r.Vmax = rc.Vmax, r.xVmax = rc.xVmax;
        if (e == 0 || rc.fMaxGiu > r.fMaxGiu) r.fMaxGiu = rc.fMaxGiu, r.xfMaxGiu = rc.xfMaxGiu;
    }
    // Zero where the solution's round-off stands for it.
    double scalaM = 0, scalaV = 0, scalaF = 0;
    for (const auto& p : r.Punti)
        scalaM = std::max(scalaM, std::abs(p.M)), scalaV = std::max(scalaV, std::abs(p.V)),
        scalaF = std::max(scalaF, std::abs(p.f));
    for (const auto& a : r.Appoggi)
        scalaM = std::max(scalaM, std::abs(a.Momento)),
        scalaV = std::max(scalaV, std::abs(a.Reazione));
    for (auto& p : r.Punti)
        Netto(p.M, scalaM), Netto(p.V, scalaV), Netto(p.f, scalaF);
    for (auto& c : r.Campate) {
        Netto(c.Mmax, scalaM), Netto(c.Mmin, scalaM), Netto(c.Vmax, scalaV);
        Netto(c.fMaxGiu, scalaF);
        if (c.fMaxGiu <= 0) c.LSuF = 0; // nothing goes down
    }
    double scalaR = 0;
    for (const auto& a : r.Appoggi)
        scalaR = std::max(scalaR, std::abs(a.Rotazione));
    for (auto& a : r.Appoggi)
        Netto(a.Momento, scalaM), Netto(a.Reazione, scalaV), Netto(a.Rotazione, scalaR);
    Netto(r.Mmax, scalaM), Netto(r.Mmin, scalaM), Netto(r.Vmax, scalaV);
    Netto(r.fMaxGiu, scalaF);
    r.ScalaM = scalaM, r.ScalaV = scalaV, r.ScalaF = scalaF;
    r.Esito = EsitoContinua::Completato;
    return r;
}

std::vector<RisultatiContinua> CalcolaInsiemi(const DatiContinua& d,
                                              const std::vector<InsiemeCarichi>& insiemi,
                                              Messaggi& msg, EsitoContinua& esito) {
    return Risolvi(
        d, [&](const RisultatiContinua&) { return insiemi; }, msg, esito);
}

} // namespace zelvo
