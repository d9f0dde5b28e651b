#include "trave_winkler.h"

#include "guasto.h"
#include "matematica.h"
#include "modulo_zelvo.h"

#include <cmath>
#include <string>

namespace zelvo {

namespace {
// Half-bandwidth of the global matrices: an element couples four
// consecutive degrees of freedom.
constexpr int Semibanda = 3;
} // namespace

// ---------------------------------------------------------------- set-up

void TraveWinkler::InizializzaWinkler(int nW, double kW, double bW, float E, float JW, float Luce) {
    if (nW < 1) throw Guasto("numero di elementi < 1");
    const int16_t n = Conteggio16(nW);
    const int16_t gdl = Conteggio16(2LL * (static_cast<long long>(n) + 1));
    // E·J formed in single precision, then kept as a double.
    const float ej = E * JW;
    EJ = ASingolo(ej, "E·J fuori dal campo di un single");
    L = Luce;
    kWinkler = kW;
    bWinkler = bW;
    nWinkler = n;
    NumGdl = gdl;

    const int nodi = n + 1;
    x.Ridimensiona(nodi);
    ForzeNodali.Ridimensiona(nodi);
    MomentiNodali.Ridimensiona(nodi);
    RigidezzaMolle.Ridimensiona(nodi);
    MKTrave.Dimensiona(gdl, Semibanda, Semibanda);
    MKW.Dimensiona(gdl, Semibanda, Semibanda);
    MNW.Ridimensiona(gdl);
    Spostamenti.Ridimensiona(gdl);
    molleAttive_ = 0;
    spente_.clear();
    iterata_ = false;
    passi_ = 0;
    risoluzioni_ = 0;

    NodiMesh(x, Luce, n);
}

void TraveWinkler::NodiMesh(Vettore1<double>& x, float Luce, int n) {
    // The step is evaluated in single precision, the abscissae are
    // accumulated in double.
    if (n < 1) throw Guasto("numero di elementi < 1");
    const float passo = Luce / static_cast<float>(n);
    if (!(passo > 0) || !std::isfinite(passo)) throw Guasto("elemento di lunghezza nulla");
    x.Ridimensiona(n + 1);
    x(1) = 0;
    for (int i = 2; i <= n + 1; ++i)
        x(i) = x(i - 1) + static_cast<double>(passo);
}

// ---------------------------------------------------------------- elements

void TraveWinkler::MK_ElemLocaleW(Matrice4& ST, double EJ, double Le) {
    const double k11 = Diviso(12 * EJ, Le * Le * Le, "elemento di lunghezza nulla");
    const double k12 = Diviso(6 * EJ, Le * Le, "elemento di lunghezza nulla");
    const double k22 = Diviso(4 * EJ, Le, "elemento di lunghezza nulla");
    ST = Matrice4{};
    ST(1, 1) = k11;
    ST(1, 2) = k12;
    ST(1, 3) = -k11;
    ST(1, 4) = k12;
    ST(2, 2) = k22;
    ST(2, 3) = -k12;
    ST(2, 4) = k22 / 2;
    ST(3, 3) = k11;
    ST(3, 4) = -k12;
    ST(4, 4) = k22;
    SimmetrizzaW(ST);
}

void TraveWinkler::SimmetrizzaW(Matrice4& ST) {
    for (int r = 2; r <= 4; ++r)
        for (int c = 1; c < r; ++c)
            ST(r, c) = ST(c, r);
}

void TraveWinkler::VettorePosizionamentoW(std::array<int, 4>& NCODE, int iEl) {
    NCODE = {2 * iEl - 1, 2 * iEl, 2 * iEl + 1, 2 * iEl + 2};
}

void TraveWinkler::AssemblaMKWel(MatriceBanda& K, double EJ, double Le, int iEl) {
    Matrice4 ST;
    MK_ElemLocaleW(ST, EJ, Le);
    std::array<int, 4> NCODE{};
    VettorePosizionamentoW(NCODE, iEl);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 4; ++c)
            K(NCODE[r - 1], NCODE[c - 1]) += ST(r, c);
}

void TraveWinkler::AssemblaMKW(MatriceBanda& K) const {
    for (int i = 1; i <= nWinkler; ++i)
        AssemblaMKWel(K, EJ, x(i + 1) - x(i), i);
}

// ---------------------------------------------------------------- springs

void TraveWinkler::RigidezzaMolleW() {
    const int n = nWinkler;
    RigidezzaMolle.Ridimensiona(n + 1);
    RigidezzaMolle(1) = Finito((x(2) - x(1)) / 2 * kWinkler * bWinkler);
    for (int i = 2; i <= n; ++i)
        RigidezzaMolle(i) = Finito((x(i + 1) - x(i - 1)) / 2 * kWinkler * bWinkler);
    RigidezzaMolle(n + 1) = Finito((x(n + 1) - x(n)) / 2 * kWinkler * bWinkler);
}

void TraveWinkler::AssemblaMolleW(bool NoTension) {
    MKW = MKTrave;
    molleAttive_ = 0;
    spente_.assign(static_cast<size_t>(nWinkler + 1), 0);
    for (int i = 1; i <= nWinkler + 1; ++i) {
        if (NoTension && SpostamentoW(i) < 0) { // the node lifts: no spring
            spente_[static_cast<size_t>(i - 1)] = 1;
            continue;
        }
        const int r = 2 * i - 1;
        MKW(r, r) = MKTrave(r, r) + RigidezzaMolle(i);
        if (RigidezzaMolle(i) > 0) ++molleAttive_;
    }
}

void TraveWinkler::AssemblaCarichiW() {
    for (int i = 1; i <= nWinkler + 1; ++i) {
        MNW(2 * i - 1) = ForzeNodali(i);
        MNW(2 * i) = MomentiNodali(i);
    }
}

void TraveWinkler::AssemblaMatriciW() {
    MKTrave.Dimensiona(NumGdl, Semibanda, Semibanda);
    AssemblaMKW(MKTrave);
    RigidezzaMolleW();
    AssemblaMolleW(false);
    AssemblaCarichiW();
}

// ---------------------------------------------------------------- loads

int TraveWinkler::ElementoDi(double d) const {
    const int nodi = nWinkler + 1;
    // The accumulated mesh may stop a last-digit short of L: that gap
    // belongs to the last element. Beyond L the search faults.
    if (d > x(nodi) && d <= L) return nWinkler;
    return CercaIndice(x, d, nodi);
}

void TraveWinkler::AggiungiNodali(int i, double R1, double M1, double R2, double M2) {
    ForzeNodali(i) = Finito(ForzeNodali(i) + R1);
    MomentiNodali(i) = Finito(MomentiNodali(i) + M1);
    ForzeNodali(i + 1) = Finito(ForzeNodali(i + 1) + R2);
    MomentiNodali(i + 1) = Finito(MomentiNodali(i + 1) + M2);
}

void TraveWinkler::AzioniConcentrati(double P, double d) {
    const int i = ElementoDi(d);
    if (i == nWinkler + 1) {
        ForzeNodali(i) = Finito(ForzeNodali(i) + P);
        return;
    }
    const double Le = x(i + 1) - x(i);
    const double a = d - x(i);
    const double c = Le - a;
    // P·(N1(a), N2(a), N3(a), N4(a)): the fixed-end actions of the element.
    const double RA = Diviso(P * c * c * (Le + 2 * a), Le * Le * Le);
    const double RB = P - RA;
    const double MA = Diviso(P * a * c * c, Le * Le);
    const double MB = -Diviso(P * a * a * c, Le * Le);
    AggiungiNodali(i, RA, MA, RB, MB);
}

void TraveWinkler::AzioniCoppie(double W, double d) {
    if (W == 0) return;
    const int i = ElementoDi(d);
    if (i == nWinkler + 1) {
        MomentiNodali(i) = Finito(MomentiNodali(i) + W);
        return;
    }
    const double Le = x(i + 1) - x(i);
    const double a = d - x(i);
    const double c = Le - a;
    // W·(N1'(a), N2'(a), N3'(a), N4'(a)).
    const double R = Diviso(6 * W * a * c, Le * Le * Le);
    const double M1 = Diviso(W * c * (c - 2 * a), Le * Le);
    const double M2 = Diviso(W * a * (a - 2 * c), Le * Le);
    AggiungiNodali(i, -R, M1, R, M2);
}

void TraveWinkler::AzioniTrapezio(double q1, double q2, double d1, double d2) {
    for (int i = 1; i <= nWinkler; ++i)
        TrapezioElementoW(i, q1, q2, d1, d2);
}

void TraveWinkler::TrapezioElementoW(int i, double q1, double q2, double d1, double d2) {
    const double xs = x(i);
    double xd = x(i + 1);
    // The last element reaches L when the accumulated mesh stops short of it.
    if (i == nWinkler && xd < L) xd = L;
    if (xd <= d1 || xs >= d2) return;
    const double Le = x(i + 1) - xs;

    double qa, a1, qb, a2;
    if (xs <= d1) {
        qa = q1;
        a1 = d1 - xs;
    } else {
        qa = yInterpola(xs, d1, q1, d2, q2);
        a1 = 0;
    }
    if (xd > d2) {
        qb = q2;
        a2 = d2 - xs;
    } else {
        qb = yInterpola(xd, d1, q1, d2, q2);
        a2 = xd - xs;
    }
    if (qa == 0 && qb == 0) return;
    if (a2 == a1) return;

    // Integrals of N1..N4 times the linear load from qa at a1 to qb at a2:
    // a cubic times a linear function, integrated exactly by the three-point
    // Gauss–Legendre rule (exact up to degree five).
    static const double t[3] = {-std::sqrt(0.6), 0.0, std::sqrt(0.6)};
    static const double w[3] = {5.0 / 9.0, 8.0 / 9.0, 5.0 / 9.0};
    const double h = (a2 - a1) / 2;
    const double m = (a1 + a2) / 2;
    double R1 = 0, M1 = 0, R2 = 0, M2 = 0;
    for (int k = 0; k < 3; ++k) {
        const double s = m + h * t[k];
        const double tau = (1 + t[k]) / 2;
        const double q = qa * (1 - tau) + qb * tau;
        const double xi = s / Le;
        const double wq = w[k] * h * q;
        R1 += wq * (1 - 3 * xi * xi + 2 * xi * xi * xi);
        M1 += wq * s * (1 - xi) * (1 - xi);
        R2 += wq * (3 * xi * xi - 2 * xi * xi * xi);
        M2 += wq * (-s * xi * (1 - xi));
    }
    AggiungiNodali(i, R1, M1, R2, M2);
}

// ---------------------------------------------------------------- solution

bool TraveWinkler::SolveW(const MatriceBanda& A, const Vettore1<double>& B, int n,
                          Vettore1<double>& X, Messaggi& msg) {
    if (n != A.N() || n != B.Conta()) throw Guasto("sistema di dimensione errata");
    std::vector<double> b = B.vettore();
    int info = 0;
    if (Solutore == SolutoreW::Densa) {
        if (n > 2 * (MaxElementiDensa + 1))
            throw Guasto("solutore denso rifiutato: modello troppo grande");
        info = RisolviDensa(A.Densa(), n, b, &fattori_);
    } else {
        info = RisolviBanda(A, b, &fattori_);
    }
    if (info != 0) {
        msg.Mostra(TestoSistemaNonRisolvibile);
        return false;
    }
    for (double v : b)
        Finito(v, "spostamento non finito");
    X.Ridimensiona(n);
    for (int i = 1; i <= n; ++i)
        X(i) = b[static_cast<size_t>(i - 1)];
    return true;
}

bool TraveWinkler::RisolviStato(Messaggi& msg) {
    // The free beam needs springs at two distinct nodes at least: with fewer
    // it is a mechanism, which LU factorises with a round-off pivot.
    if (molleAttive_ < 2) {
        msg.Mostra(TestoSistemaNonRisolvibile);
        return false;
    }
    ++risoluzioni_;
    if (!SolveW(MKW, MNW, NumGdl, Spostamenti, msg)) return false;
    return Affina(msg);
}

void TraveWinkler::Residuo(Vettore1<double>& r) const {
    // r = MNW − (beam + active springs)·Spostamenti, with each element's
    // forces formed from its deformation (end rotations relative to the
    // chord): a rigid motion gives exactly zero, so the residual keeps its
    // digits however stiff the elements are against the springs.
    r = MNW;
    for (int e = 1; e <= nWinkler; ++e) {
        const double Le = x(e + 1) - x(e);
        const double w1 = Spostamenti(2 * e - 1), t1 = Spostamenti(2 * e);
        const double w2 = Spostamenti(2 * e + 1), t2 = Spostamenti(2 * e + 2);
        const double corda = (w2 - w1) / Le;
        const double a = t1 - corda, b = t2 - corda;
        const double k = EJ / Le;
        const double V = 6 * k / Le * (a + b);
        r(2 * e - 1) -= V;
        r(2 * e) -= k * (4 * a + 2 * b);
        r(2 * e + 1) += V;
        r(2 * e + 2) -= k * (2 * a + 4 * b);
    }
    for (int i = 1; i <= nWinkler + 1; ++i) {
        const int q = 2 * i - 1;
        const double molla = MKW(q, q) - MKTrave(q, q);
        if (molla != 0) r(q) -= RigidezzaMolle(i) * Spostamenti(q);
    }
}

bool TraveWinkler::Affina(Messaggi& msg) {
    // Iterative refinement with the residual above and the factors of the
    // solve. On fine meshes the element stiffness 12EJ/Le³ outweighs a
    // spring by up to 1e15, so the assembled diagonal and the factorisation
    // lose the springs' digits; the corrections recover them as long as they
    // contract. When they do not, the mesh is too fine for the soil and beam
    // at hand: the solution is not trustworthy and is not presented.
    constexpr int MaxAffinamenti = 60;
    Vettore1<double> r;
    std::vector<double> d;
    double ultima = HUGE_VAL;
    for (int k = 0; k < MaxAffinamenti; ++k) {
        Residuo(r);
        d = r.vettore();
        if (!fattori_.Risolvi(d)) break;
        double du = 0, u = 0;
        for (int i = 1; i <= NumGdl; ++i) {
            Spostamenti(i) = Finito(Spostamenti(i) + d[static_cast<size_t>(i - 1)]);
            du = std::max(du, std::fabs(d[static_cast<size_t>(i - 1)]));
            u = std::max(u, std::fabs(Spostamenti(i)));
        }
        if (du <= 1e-12 * u) return true;
        ultima = du / u;
    }
    // Slow contraction still leaves the results far beyond the seven digits
    // of the single-precision results; anything worse is refused.
    if (ultima <= 1e-9) return true;
    msg.Mostra(TestoSistemaNonRisolvibile);
    return false;
}

bool TraveWinkler::MollaSpenta(int i) const {
    return i >= 1 && static_cast<size_t>(i) <= spente_.size() &&
           spente_[static_cast<size_t>(i - 1)];
}

bool TraveWinkler::StatoAssestato() const {
    for (int i = 1; i <= nWinkler + 1; ++i) {
        if ((SpostamentoW(i) < 0) != MollaSpenta(i)) return false;
    }
    return true;
}

bool TraveWinkler::RisolveW(bool ReagTraz, Messaggi& msg,
                            const std::function<void(int)>& iterazione) {
    passi_ = 0;
    risoluzioni_ = 0;
    iterata_ = false;
    AssemblaMatriciW();
    if (!RisolviStato(msg)) return false;
    if (ReagTraz) return true;

    // No-tension iteration: switch off the springs of the lifted nodes until
    // the contact state has settled, that is until the nodes that lift are
    // the very ones whose springs were off. Comparing only their number
    // would accept a state where a node settles without its spring while
    // another pulls, and the spring forces would no longer balance the loads.
    iterata_ = true;
    int r = 1;
    for (; r <= PassiMassimi; ++r) {
        passi_ = r;
        if (iterazione) iterazione(r);
        if (StatoAssestato()) return true;
        AssemblaMolleW(true);
        if (!RisolviStato(msg)) return false;
    }
    passi_ = r;
    msg.Mostra(std::to_string(r));
    return true;
}

double TraveWinkler::SpostamentoW(int i) const {
    return -Spostamenti(2 * i - 1);
}

double TraveWinkler::xMolla(int i) const {
    return x(i);
}

void TraveWinkler::ReazioniMolle(Vettore1<RigaMolla>& CarConc, bool NoTension) const {
    for (int i = 1; i <= nWinkler + 1; ++i) {
        const double w = SpostamentoW(i);
        CarConc(i).d = x(i);
        double F = -w * RigidezzaMolle(i);
        const bool spenta = iterata_ ? MollaSpenta(i) : w < 0;
        if (NoTension && spenta) F = 0;
        CarConc(i).F = F + 0.0; // no negative zero
    }
}

// ---------------------------------------------------------------- hand-off

bool PreparaSuoloElastico(ModuloZelvo& m, Messaggi& msg) {
    DatiTrave& D = m.Dati;
    if (D.NDivisioni < 1 || D.NDivisioni > TraveWinkler::MaxElementi)
        throw Guasto("numero di divisioni fuori dai limiti");
    if (!(D.Luce > 0) || !std::isfinite(D.Luce)) throw Guasto("luce non positiva");
    if (!(D.K > 0) || !std::isfinite(D.K)) throw Guasto("coefficiente di Winkler non positivo");
    if (!(D.b > 0) || !std::isfinite(D.b)) throw Guasto("larghezza non positiva");
    const float ej = D.E * D.J;
    if (!(ej > 0) || !std::isfinite(ej)) throw Guasto("rigidezza E·J non positiva");

    if (!m.Winkler) m.Winkler = std::make_unique<TraveWinkler>();
    TraveWinkler& W = *m.Winkler;
    W.InizializzaWinkler(D.NDivisioni, D.K, D.b, D.E, D.J, D.Luce);

    // The model takes upward loads as positive.
    for (int i = 1; i <= D.NConcentrati; ++i) {
        const CaricoConcentrato& c = D.CarichiConcentrati(i);
        W.AzioniConcentrati(-static_cast<double>(c.F), c.d);
    }
    for (int i = 1; i <= D.NCoppie; ++i) {
        const CaricoCoppia& c = D.Coppie(i);
        W.AzioniCoppie(-static_cast<double>(c.W), c.d);
    }
    for (int i = 1; i <= D.NTrapezi; ++i) {
        const CaricoTrapezio& t = D.CarichiTrapezi(i);
        W.AzioniTrapezio(-static_cast<double>(t.q1), -static_cast<double>(t.q2), t.d1, t.d2);
    }

    if (!W.RisolveW(D.ReagTraz, msg, m.IterazioneW)) return false;

    const int molle = D.NDivisioni + 1;
    m.Risultati.Molle.Ridimensiona(molle);
    W.ReazioniMolle(m.Risultati.Molle, !D.ReagTraz);

    AccodaRighe(D.NConcentrati, D.CarichiConcentrati, RigheMolle(m.Risultati, D.Luce));
    return true;
}

Vettore1<CaricoConcentrato> RigheMolle(const RisultatiTrave& r, float luce) {
    const int molle = r.Molle.Conta();
    Vettore1<CaricoConcentrato> righe(molle);
    for (int i = 1; i <= molle; ++i) {
        righe(i).F = ASingolo(r.Molle(i).F, "forza di una molla oltre il single");
        righe(i).d = PosizioneMolla(r.Molle(i).d, i == molle, luce);
    }
    return righe;
}

float PosizioneMolla(double x, bool ultima, float luce) {
    // The last node is the end B: its accumulated abscissa misses L only by
    // round-off, and a row a digit beyond L would put a calculation point
    // outside the beam.
    return ultima ? luce : ASingolo(x);
}

} // namespace zelvo
