// Envelopes of the load combinations.
//
// Linear schemes (single spans as one-span continuous beams, continuous
// beams): every permanent case is solved once on the whole beam, every
// variable case once per span with only its loads lying on that span (a
// trapezoid crossing a support cut there), the imposed settlements once on
// their own; all these load sets share one factorisation of the stiffness.
// Their values (shares) are taken at one set of calculation points. At a
// point, over every combination of one type:
//   value = γG1·G1 + γG2·G2 + settlements + Σ_q Σ_s [on(q, s)]·ψ_q·γ_q·share(q, s)
// with γG1 and γG2 each chosen between unfavourable and favourable, one
// leading variable case and each (case, span) on or off independently. The
// choices do not interact, so the largest value is
//   max over leading of [max_γG1 γG1·G1 + max_γG2 γG2·G2 + settlements
//                        + Σ_q c_q·P_q]   (c_q ≥ 0; c_q·N_q when c_q < 0)
// with P_q = Σ_s max(0, share(q, s)) and N_q = Σ_s min(0, share(q, s)), and
// the smallest the same with max and min exchanged: the cost is cases ×
// spans per point, without enumerating the patterns.
//
// Foundations are not linear: each combination is a calculation of its own.
#include "combinazioni.h"

#include "guasto.h"
#include "matematica.h"
#include "modulo_zelvo.h"
#include "trave_continua.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelvo {

namespace {

// Quantities kept per point: M, V, f of GrandezzaInviluppo, and the
// deflection relative to the span's supports (for the deflection checks).
constexpr int NQuantita = 4;
constexpr int Relativa = 3;
// Per support: the reaction and the moment over it.
constexpr int NQuantitaAppoggio = 2;

using Termine = RisultatiContinua::Termine;

void Controlla(bool ok, const char* causa) {
    if (!ok) throw Guasto(causa);
}

} // namespace

struct RisultatiCombinazioni::Dettaglio {
    bool Fondazione = false;
    int nCampate = 0, nPunti = 0, nAppoggi = 0;
    std::vector<TipoCaso> Tipi;       // per case
    std::vector<int> CasiQ;           // the variable cases (indices in the cases)
    std::vector<CoefficientiPsi> Psi; // per variable case (position in CasiQ)
    CoefficientiParziali Coeff;

    // Linear schemes. Per quantity: the sum of the G1 cases, of the G2
    // cases, the settlements at every point (support), and the variable
    // shares at index (i·nQ + q)·nCampate + s.
    struct Blocco {
        std::vector<double> G1, G2, Ced, Q;
    };
    std::array<Blocco, NQuantita> Punti;
    std::array<Blocco, NQuantitaAppoggio> Appoggi;

    // Foundations: the combinations calculated (type, leading case position
    // in CasiQ or -1) and, per type, quantity, point and extreme, the index
    // of the one that gives it.
    struct Combinazione {
        TipoCombinazione Tipo;
        int Dominante;
    };
    std::vector<Combinazione> Combinazioni;
    std::vector<int> Scelta; // ((t·3 + g)·nPunti + i)·2 + (massimo ? 0 : 1)

    int nQ() const { return static_cast<int>(CasiQ.size()); }

    // Per type: the leading cases taken in turn and, for each, the factors
    // of the variable cases (filled by `Prepara`).
    std::array<std::vector<int>, NumeroTipiCombinazione> ListaDominanti;
    std::array<std::vector<double>, NumeroTipiCombinazione> FattoriQ; // [l·nQ + q]
    void Prepara() {
        for (int t = 0; t < NumeroTipiCombinazione; ++t) {
            const auto tipo = TipoCombinazione(t);
            ListaDominanti[size_t(t)] = Dominanti(tipo);
            FattoriQ[size_t(t)].clear();
            for (const int l : ListaDominanti[size_t(t)])
                for (int q = 0; q < nQ(); ++q)
                    FattoriQ[size_t(t)].push_back(FattoreQ(tipo, l, q));
        }
    }

    // Factor of variable case q (position in CasiQ) with `dominante` leading.
    double FattoreQ(TipoCombinazione t, int dominante, int q) const {
        const CoefficientiPsi& p = Psi[size_t(q)];
        switch (t) {
        case TipoCombinazione::SLU:
            return Coeff.gQ[0] * (q == dominante ? 1.0 : p.psi0);
        case TipoCombinazione::Rara:
            return q == dominante ? 1.0 : p.psi0;
        case TipoCombinazione::Frequente:
            return q == dominante ? p.psi1 : p.psi2;
        case TipoCombinazione::QuasiPermanente:
            return p.psi2;
        }
        return 0;
    }
    // The leading cases a type takes in turn (-1: none).
    std::vector<int> Dominanti(TipoCombinazione t) const {
        std::vector<int> l;
        if (t != TipoCombinazione::QuasiPermanente)
            for (int q = 0; q < nQ(); ++q)
                l.push_back(q);
        if (l.empty()) l.push_back(-1);
        return l;
    }
    // The factors of G1 and G2 (unfavourable, favourable).
    std::array<double, 2> FattoriG(TipoCombinazione t, bool g2) const {
        if (t != TipoCombinazione::SLU) return {1.0, 1.0};
        return g2 ? std::array<double, 2>{Coeff.gG2[0], Coeff.gG2[1]}
                  : std::array<double, 2>{Coeff.gG1[0], Coeff.gG1[1]};
    }
};

namespace {

using Dettaglio = RisultatiCombinazioni::Dettaglio;

constexpr TipoCombinazione Tipi[NumeroTipiCombinazione] = {
    TipoCombinazione::SLU, TipoCombinazione::Rara, TipoCombinazione::Frequente,
    TipoCombinazione::QuasiPermanente};

// One place's values of one quantity: the permanent sums, the settlements
// and the variable shares (nQ × nCampate).
struct Valori {
    double G1 = 0, G2 = 0, Ced = 0;
    const double* Q = nullptr;
};

Valori ValoriDi(const Dettaglio& D, const Dettaglio::Blocco& b, int i) {
    Valori v;
    v.G1 = b.G1[size_t(i)];
    v.G2 = b.G2[size_t(i)];
    v.Ced = b.Ced[size_t(i)];
    v.Q = b.Q.data() + size_t(i) * size_t(D.nQ()) * size_t(D.nCampate);
    return v;
}

// Largest and smallest value over every combination of every type (index
// by TipoCombinazione); `soloVariabili` leaves out the permanent cases and
// the settlements.
void Estremi(const Dettaglio& D, const Valori& v, bool soloVariabili,
             double mx[NumeroTipiCombinazione], double mn[NumeroTipiCombinazione]) {
    const int nQ = D.nQ(), nC = D.nCampate;
    double Pq[64], Nq[64];
    std::vector<double> pv, nv;
    double* P = Pq;
    double* N = Nq;
    if (nQ > 64) {
        pv.resize(size_t(nQ));
        nv.resize(size_t(nQ));
        P = pv.data();
        N = nv.data();
    }
    for (int q = 0; q < nQ; ++q) {
        double p = 0, n = 0;
        const double* s = v.Q + size_t(q) * size_t(nC);
        for (int c = 0; c < nC; ++c) {
            p += std::max(0.0, s[c]);
            n += std::min(0.0, s[c]);
        }
        P[q] = p;
        N[q] = n;
    }
    for (const TipoCombinazione t : Tipi) {
        double base = 0, baseMin = 0;
        if (!soloVariabili) {
            const auto f1 = D.FattoriG(t, false), f2 = D.FattoriG(t, true);
            base =
                std::max(f1[0] * v.G1, f1[1] * v.G1) + std::max(f2[0] * v.G2, f2[1] * v.G2) + v.Ced;
            baseMin =
                std::min(f1[0] * v.G1, f1[1] * v.G1) + std::min(f2[0] * v.G2, f2[1] * v.G2) + v.Ced;
        }
        double a = -std::numeric_limits<double>::infinity();
        double b = std::numeric_limits<double>::infinity();
        const size_t nL = D.ListaDominanti[size_t(t)].size();
        const double* fattori = D.FattoriQ[size_t(t)].data();
        for (size_t l = 0; l < nL; ++l) {
            double su = base, giu = baseMin;
            for (int q = 0; q < nQ; ++q) {
                const double f = fattori[l * size_t(nQ) + size_t(q)];
                su += f >= 0 ? f * P[q] : f * N[q];
                giu += f >= 0 ? f * N[q] : f * P[q];
            }
            a = std::max(a, su);
            b = std::min(b, giu);
        }
        mx[int(t)] = Finito(a, "inviluppo");
        mn[int(t)] = Finito(b, "inviluppo");
    }
}

// The combination of type t that gives the largest (smallest) value: the
// same choices as `Estremi`, the first leading case on a tie, a permanent
// kind unfavourable on a tie, a span on only when it adds.
Governo GovernoDi(const Dettaglio& D, const std::vector<TipoCaso>& tipi, const Valori& v,
                  TipoCombinazione t, bool massimo) {
    const int nQ = D.nQ(), nC = D.nCampate;
    const double segno = massimo ? 1.0 : -1.0;
    Governo g;
    g.Tipo = t;
    const auto f1 = D.FattoriG(t, false), f2 = D.FattoriG(t, true);
    g.G1Sfavorevole = segno * f1[0] * v.G1 >= segno * f1[1] * v.G1;
    g.G2Sfavorevole = segno * f2[0] * v.G2 >= segno * f2[1] * v.G2;
    double migliore = -std::numeric_limits<double>::infinity();
    int scelto = -1;
    for (const int l : D.Dominanti(t)) {
        double somma = 0;
        for (int q = 0; q < nQ; ++q) {
            const double f = D.FattoreQ(t, l, q);
            const double* s = v.Q + size_t(q) * size_t(nC);
            for (int c = 0; c < nC; ++c)
                somma += std::max(0.0, segno * f * s[c]);
        }
        if (somma > migliore) migliore = somma, scelto = l;
    }
    g.Dominante = scelto >= 0 ? D.CasiQ[size_t(scelto)] : -1;
    g.Campate.assign(tipi.size(), {});
    for (size_t c = 0; c < tipi.size(); ++c)
        if (tipi[c] != TipoCaso::Q)
            for (int s = 0; s < nC; ++s)
                g.Campate[c].push_back(s);
    for (int q = 0; q < nQ; ++q) {
        const double f = D.FattoreQ(t, scelto, q);
        const double* s = v.Q + size_t(q) * size_t(nC);
        for (int c = 0; c < nC; ++c)
            if (segno * f * s[c] > 0) g.Campate[size_t(D.CasiQ[size_t(q)])].push_back(c);
    }
    return g;
}

// The self-weight as a load row of the tables (the calculation by rows).
CaricoTrapezio RigaPesoProprio(const DatiTrave& d, double fattore, int caso) {
    const float L = d.Vincoli == Continua ? ASingolo(LuceContinua(d), "lunghezza") : d.Luce;
    const float q = ASingolo(d.PesoProprioQ * fattore, "peso proprio");
    return {q, q, 0.0f, L, static_cast<int16_t>(caso)};
}

void AccodaTrapezio(DatiTrave& d, const CaricoTrapezio& c) {
    const int16_t n = Conteggio16(static_cast<long long>(d.NTrapezi) + 1, "troppi carichi");
    d.CarichiTrapezi.Conserva(n);
    d.CarichiTrapezi(n) = c;
    d.NTrapezi = n;
}

void ControllaCasi(const DatiTrave& d, int nCasi) {
    auto dentro = [&](int16_t c) { return c >= 0 && c < nCasi; };
    for (int i = 1; i <= d.NTrapezi; ++i)
        if (!dentro(d.CarichiTrapezi(i).Caso)) throw Guasto("caso di carico inesistente");
    for (int i = 1; i <= d.NConcentrati; ++i)
        if (!dentro(d.CarichiConcentrati(i).Caso)) throw Guasto("caso di carico inesistente");
    for (int i = 1; i <= d.NCoppie; ++i)
        if (!dentro(d.Coppie(i).Caso)) throw Guasto("caso di carico inesistente");
}

std::vector<CoefficientiPsi> PsiCasi(const std::vector<CasoCarico>& casi,
                                     const std::vector<int>& casiQ) {
    std::vector<CoefficientiPsi> psi;
    for (const int c : casiQ) {
        // The table's ψ for its categories, the typed ones for the others.
        const CasoCarico& k = casi[size_t(c)];
        CoefficientiPsi p;
        if (!PsiCategoria(k.Categoria, p))
            p = {Finito(k.psi0, "psi0"), Finito(k.psi1, "psi1"), Finito(k.psi2, "psi2")};
        psi.push_back(p);
    }
    return psi;
}

// ---------------------------------------------------------------- linear

// The beam as a continuous beam: single-span schemes as one span.
DatiContinua TraveLineare(const DatiTrave& d) {
    DatiContinua c;
    c.Titolo = d.Titolo;
    c.E = d.E;
    c.NSezioni = d.NSezioni;
    if (d.Vincoli == Continua) {
        c.Campate = d.Campate;
        c.Appoggi = d.Appoggi;
    } else {
        c.Campate = {{d.Luce, d.J}};
        auto tipo = [](TipoAppoggio t) { return AppoggioContinuo{t, 0, 0}; };
        switch (d.Vincoli) {
        case AppoggioAppoggio:
            c.Appoggi = {tipo(TipoAppoggio::Appoggio), tipo(TipoAppoggio::Appoggio)};
            break;
        case IncastroIncastro:
            c.Appoggi = {tipo(TipoAppoggio::Incastro), tipo(TipoAppoggio::Incastro)};
            break;
        case IncastroAppoggio:
            c.Appoggi = {tipo(TipoAppoggio::Incastro), tipo(TipoAppoggio::Appoggio)};
            break;
        case Mensola:
            c.Appoggi = {tipo(TipoAppoggio::Incastro), tipo(TipoAppoggio::Libero)};
            break;
        default:
            throw Guasto("schema di vincolo");
        }
    }
    for (int i = 1; i <= d.NTrapezi; ++i)
        c.Trapezi.push_back(d.CarichiTrapezi(i));
    for (int i = 1; i <= d.NConcentrati; ++i)
        c.Concentrati.push_back(d.CarichiConcentrati(i));
    for (int i = 1; i <= d.NCoppie; ++i)
        c.Coppie.push_back(d.Coppie(i));
    return c;
}

// One calculation point: span, abscissa in the span and side.
struct Punto {
    int Campata;
    double s;
    bool Sinistra;
};

RisultatiCombinazioni CalcolaLineare(const DatiTrave& d, const std::vector<CasoCarico>& casi,
                                     int casoPP, Messaggi& msg) {
    RisultatiCombinazioni r;
    r.Casi = casi;
    const DatiContinua dc = TraveLineare(d);
    const int nC = static_cast<int>(dc.Campate.size());
    const int nCasi = static_cast<int>(casi.size());
    Controlla(nC >= 1, "nessuna campata");
    Controlla(dc.Appoggi.size() == size_t(nC) + 1, "appoggi");

    std::vector<double> x0(size_t(nC) + 1, 0.0);
    for (int e = 0; e < nC; ++e)
        x0[size_t(e) + 1] = x0[size_t(e)] + dc.Campate[size_t(e)].L;
    const double Ltot = Finito(x0.back(), "lunghezza della trave");
    // The span of x: the last that starts at or before it (a load at a
    // support belongs to the span on its right, at the right end to the last).
    auto campataDi = [&](double x) {
        const auto it = std::upper_bound(x0.begin(), x0.end() - 1, x);
        return std::clamp(static_cast<int>(it - x0.begin()) - 1, 0, nC - 1);
    };

    // Each case's loads per span as terms (positions from the span's start).
    std::vector<std::vector<std::vector<Termine>>> termini(
        static_cast<size_t>(nCasi), std::vector<std::vector<Termine>>(static_cast<size_t>(nC)));
    auto puntuale = [&](int caso, double pos, double F, double W) {
        const double x = std::clamp(pos, 0.0, Ltot);
        const int e = campataDi(x);
        Termine t;
        t.a = std::clamp(x - x0[size_t(e)], 0.0, dc.Campate[size_t(e)].L);
        t.F = F;
        t.W = W;
        termini[size_t(caso)][size_t(e)].push_back(t);
    };
    auto trapezio = [&](int caso, double q1, double q2, double d1r, double d2r) {
        const double d1 = std::clamp(d1r, 0.0, Ltot), d2 = std::clamp(d2r, 0.0, Ltot);
        const double k = Diviso(q2 - q1, d2r - d1r, "trapezio con d2 = d1");
        for (int e = campataDi(d1); e < nC; ++e) {
            if (x0[size_t(e)] >= d2) break;
            const double xa = std::max(d1, x0[size_t(e)]), xb = std::min(d2, x0[size_t(e) + 1]);
            if (!(xb > xa)) continue;
            const double qa = q1 + k * (xa - d1r);
            if (qa == 0 && k == 0) continue;
            Termine t;
            t.a = xa - x0[size_t(e)];
            t.lung = xb - xa;
            t.qa = qa;
            t.k = k;
            termini[size_t(caso)][size_t(e)].push_back(t);
        }
    };
    for (const auto& c : dc.Concentrati)
        puntuale(c.Caso, c.d, c.F, 0);
    for (const auto& c : dc.Coppie)
        puntuale(c.Caso, c.d, 0, c.W);
    for (const auto& c : dc.Trapezi)
        if (c.d2 > c.d1) trapezio(c.Caso, c.q1, c.q2, c.d1, c.d2);
    if (casoPP >= 0 && d.PesoProprioQ != 0) {
        const double q = Finito(d.PesoProprioQ, "peso proprio");
        for (int e = 0; e < nC; ++e) {
            Termine t;
            t.a = 0;
            t.lung = dc.Campate[size_t(e)].L;
            t.qa = q;
            termini[size_t(casoPP)][size_t(e)].push_back(t);
        }
    }

    // The load sets: each permanent case whole, each variable case span by
    // span, the settlements.
    auto D = std::make_shared<Dettaglio>();
    D->nCampate = nC;
    D->nAppoggi = nC + 1;
    D->Coeff = d.Coefficienti;
    for (int c = 0; c < nCasi; ++c) {
        D->Tipi.push_back(casi[size_t(c)].Tipo);
        if (casi[size_t(c)].Tipo == TipoCaso::Q) D->CasiQ.push_back(c);
    }
    D->Psi = PsiCasi(casi, D->CasiQ);
    D->Prepara();
    const int nQ = D->nQ();
    std::vector<int> posizioneQ(size_t(nCasi), -1);
    for (int q = 0; q < nQ; ++q)
        posizioneQ[size_t(D->CasiQ[size_t(q)])] = q;

    struct Origine {
        int Caso;    // -1: the settlements
        int Campata; // variable cases only
    };
    std::vector<InsiemeCarichi> insiemi;
    std::vector<Origine> origini;
    for (int c = 0; c < nCasi; ++c) {
        if (casi[size_t(c)].Tipo != TipoCaso::Q) {
            insiemi.push_back({termini[size_t(c)], false});
            origini.push_back({c, -1});
            continue;
        }
        for (int e = 0; e < nC; ++e) {
            if (termini[size_t(c)][size_t(e)].empty()) continue;
            InsiemeCarichi ins;
            ins.Termini.resize(size_t(nC));
            ins.Termini[size_t(e)] = termini[size_t(c)][size_t(e)];
            insiemi.push_back(std::move(ins));
            origini.push_back({c, e});
        }
    }
    bool cedimenti = false;
    for (const auto& a : dc.Appoggi)
        cedimenti = cedimenti || (a.Tipo != TipoAppoggio::Libero && a.Cedimento != 0);
    if (cedimenti) {
        insiemi.push_back({{}, true});
        origini.push_back({-1, -1});
    }
    EsitoContinua esito = EsitoContinua::NonCalcolato;
    const std::vector<RisultatiContinua> risposte = CalcolaInsiemi(dc, insiemi, msg, esito);
    if (esito != EsitoContinua::Completato) return r;

    // The calculation points: per span its ends, every load position of
    // every case on it and the sections; two points (left side, then right)
    // where a force or couple of any case acts.
    std::vector<Punto> punti;
    for (int e = 0; e < nC; ++e) {
        const double L = dc.Campate[size_t(e)].L;
        std::vector<double> s{0.0, L};
        std::vector<double> salti;
        for (int c = 0; c < nCasi; ++c)
            for (const Termine& t : termini[size_t(c)][size_t(e)]) {
                s.push_back(t.a);
                if (t.lung > 0) s.push_back(std::min(t.a + t.lung, L));
                if (t.F != 0 || t.W != 0) salti.push_back(t.a);
            }
        for (int j = 1; j < d.NSezioni; ++j)
            s.push_back(L * j / d.NSezioni);
        std::sort(s.begin(), s.end());
        s.erase(std::unique(s.begin(), s.end()), s.end());
        std::sort(salti.begin(), salti.end());
        for (const double sj : s) {
            const bool salto = std::binary_search(salti.begin(), salti.end(), sj);
            if (salto) punti.push_back({e, sj, true});
            punti.push_back({e, sj, !salto && sj == L});
        }
    }
    const int nP = static_cast<int>(punti.size());
    D->nPunti = nP;
    r.x.resize(size_t(nP));
    r.Campata.resize(size_t(nP));
    for (int i = 0; i < nP; ++i) {
        r.x[size_t(i)] = x0[size_t(punti[size_t(i)].Campata)] + punti[size_t(i)].s;
        r.Campata[size_t(i)] = punti[size_t(i)].Campata;
    }

    // The shares at the points and supports.
    const size_t nA = size_t(nC) + 1;
    // The relative deflection is enveloped as soon as a point's shares are
    // known: its block holds one point.
    for (int g = 0; g < NQuantita; ++g) {
        auto& b = D->Punti[size_t(g)];
        const size_t n = g == Relativa ? 1 : size_t(nP);
        b.G1.assign(n, 0.0);
        b.G2.assign(n, 0.0);
        b.Ced.assign(n, 0.0);
        b.Q.assign(n * size_t(nQ) * size_t(nC), 0.0);
    }
    for (auto& b : D->Appoggi) {
        b.G1.assign(nA, 0.0);
        b.G2.assign(nA, 0.0);
        b.Ced.assign(nA, 0.0);
        b.Q.assign(nA * size_t(nQ) * size_t(nC), 0.0);
    }
    r.PerCaso.resize(size_t(nCasi));
    for (auto& c : r.PerCaso) {
        for (auto& v : c.Valori)
            v.assign(size_t(nP), 0.0);
        c.R.assign(nA, 0.0);
        c.MApp.assign(nA, 0.0);
    }
    const bool liberoA = dc.Appoggi.front().Tipo == TipoAppoggio::Libero;
    const bool liberoB = dc.Appoggi.back().Tipo == TipoAppoggio::Libero;
    // Where each set's values go: a permanent sum, the settlements, or a
    // variable share (at its offset in a point's nQ × nC block).
    enum class Verso { G1, G2, Ced, Q };
    const size_t blocco = size_t(nQ) * size_t(nC);
    std::vector<Verso> verso(insiemi.size());
    std::vector<size_t> posto(insiemi.size(), 0);
    for (size_t k = 0; k < insiemi.size(); ++k) {
        const Origine o = origini[k];
        if (o.Caso < 0)
            verso[k] = Verso::Ced;
        else if (casi[size_t(o.Caso)].Tipo == TipoCaso::G1)
            verso[k] = Verso::G1;
        else if (casi[size_t(o.Caso)].Tipo == TipoCaso::G2)
            verso[k] = Verso::G2;
        else {
            verso[k] = Verso::Q;
            posto[k] = size_t(posizioneQ[size_t(o.Caso)]) * size_t(nC) + size_t(o.Campata);
        }
    }
    auto somma = [&](Dettaglio::Blocco& b, size_t k, size_t i, double v) {
        switch (verso[k]) {
        case Verso::G1:
            b.G1[i] += v;
            break;
        case Verso::G2:
            b.G2[i] += v;
            break;
        case Verso::Ced:
            b.Ced[i] += v;
            break;
        case Verso::Q:
            b.Q[i * blocco + posto[k]] = v;
            break;
        }
    };
    // Point by point, so that a point's shares are written together. The
    // deflection relative to the supports: the characteristic combination,
    // and the variable loads alone.
    double valori[NQuantita];
    double mx[NumeroTipiCombinazione], mn[NumeroTipiCombinazione];
    std::vector<double> fRara(static_cast<size_t>(nP)), fVariabili(static_cast<size_t>(nP));
    Dettaglio::Blocco& relativa = D->Punti[Relativa];
    for (int i = 0; i < nP; ++i) {
        const Punto& p = punti[size_t(i)];
        relativa.G1[0] = relativa.G2[0] = relativa.Ced[0] = 0;
        const double L = dc.Campate[size_t(p.Campata)].L;
        const bool sbalzoA = p.Campata == 0 && liberoA;
        const bool sbalzoB = p.Campata == nC - 1 && liberoB;
        for (size_t k = 0; k < insiemi.size(); ++k) {
            const RisultatiContinua& rc = risposte[k];
            rc.ValoriCampata(p.Campata, p.s, p.Sinistra, valori[0], valori[1], valori[2]);
            // Deflection relative to the span's supports: to the chord
            // joining them; on an overhang (a free end) to its support's
            // displacement.
            const double wA = rc.Appoggi[size_t(p.Campata)].Spostamento;
            const double wB = rc.Appoggi[size_t(p.Campata) + 1].Spostamento;
            const double corda = sbalzoA ? wB : sbalzoB ? wA : wA + (wB - wA) * (p.s / L);
            valori[Relativa] = valori[2] - corda;
            const int caso = origini[k].Caso;
            for (int g = 0; g < 3; ++g) {
                const double v = Finito(valori[g], "valore di un caso");
                somma(D->Punti[size_t(g)], k, size_t(i), v);
                if (caso >= 0) r.PerCaso[size_t(caso)].Valori[size_t(g)][size_t(i)] += v;
            }
            somma(relativa, k, 0, Finito(valori[Relativa], "freccia di un caso"));
        }
        const Valori rel = ValoriDi(*D, relativa, 0);
        Estremi(*D, rel, false, mx, mn);
        fRara[size_t(i)] = std::max(std::abs(mx[int(TipoCombinazione::Rara)]),
                                    std::abs(mn[int(TipoCombinazione::Rara)]));
        Estremi(*D, rel, true, mx, mn);
        fVariabili[size_t(i)] = std::max(std::abs(mx[int(TipoCombinazione::Rara)]),
                                         std::abs(mn[int(TipoCombinazione::Rara)]));
    }
    for (size_t k = 0; k < insiemi.size(); ++k) {
        const RisultatiContinua& rc = risposte[k];
        const int caso = origini[k].Caso;
        for (size_t a = 0; a < nA; ++a) {
            const double R = Finito(rc.Appoggi[a].Reazione, "reazione");
            const double M = Finito(rc.Appoggi[a].Momento, "momento");
            somma(D->Appoggi[0], k, a, R);
            somma(D->Appoggi[1], k, a, M);
            if (caso >= 0) {
                r.PerCaso[size_t(caso)].R[a] += R;
                r.PerCaso[size_t(caso)].MApp[a] += M;
            }
        }
    }

    // The envelopes.
    for (auto& inv : r.Inviluppi) {
        for (auto& c : inv.Curve) {
            c.Max.assign(size_t(nP), 0.0);
            c.Min.assign(size_t(nP), 0.0);
        }
        inv.RMax.assign(nA, 0.0);
        inv.RMin.assign(nA, 0.0);
        inv.MAppMax.assign(nA, 0.0);
        inv.MAppMin.assign(nA, 0.0);
    }
    for (int i = 0; i < nP; ++i) {
        for (int g = 0; g < 3; ++g) {
            Estremi(*D, ValoriDi(*D, D->Punti[size_t(g)], i), false, mx, mn);
            for (int t = 0; t < NumeroTipiCombinazione; ++t) {
                r.Inviluppi[size_t(t)].Curve[size_t(g)].Max[size_t(i)] = mx[t];
                r.Inviluppi[size_t(t)].Curve[size_t(g)].Min[size_t(i)] = mn[t];
            }
        }
    }
    for (size_t a = 0; a < nA; ++a) {
        double mx2[NumeroTipiCombinazione], mn2[NumeroTipiCombinazione];
        Estremi(*D, ValoriDi(*D, D->Appoggi[0], int(a)), false, mx, mn);
        Estremi(*D, ValoriDi(*D, D->Appoggi[1], int(a)), false, mx2, mn2);
        for (int t = 0; t < NumeroTipiCombinazione; ++t) {
            Inviluppo& inv = r.Inviluppi[size_t(t)];
            inv.RMax[a] = mx[t];
            inv.RMin[a] = mn[t];
            inv.MAppMax[a] = mx2[t];
            inv.MAppMin[a] = mn2[t];
        }
    }

    // Zero where the solutions' round-off stands for it.
    for (Inviluppo& inv : r.Inviluppi) {
        std::array<double, 3> scala{};
        for (int g = 0; g < 3; ++g)
            for (const auto* v : {&inv.Curve[size_t(g)].Max, &inv.Curve[size_t(g)].Min})
                for (double x : *v)
                    scala[size_t(g)] = std::max(scala[size_t(g)], std::abs(x));
        const size_t M = size_t(GrandezzaInviluppo::M), V = size_t(GrandezzaInviluppo::V);
        double scalaR = 0;
        for (const auto* v : {&inv.RMax, &inv.RMin})
            for (double x : *v)
                scalaR = std::max(scalaR, std::abs(x));
        for (const auto* v : {&inv.MAppMax, &inv.MAppMin})
            for (double x : *v)
                scala[M] = std::max(scala[M], std::abs(x));
        for (size_t g : {M, V})
            for (auto* v : {&inv.Curve[g].Max, &inv.Curve[g].Min})
                for (double& x : *v)
                    Netto(x, scala[g]);
        for (auto* v : {&inv.MAppMax, &inv.MAppMin})
            for (double& x : *v)
                Netto(x, scala[M]);
        for (auto* v : {&inv.RMax, &inv.RMin})
            for (double& x : *v)
                Netto(x, scalaR);
    }

    // Deflection checks per span (a deflection within the round-off of the
    // beam's largest one is none).
    double scalaF = 0;
    for (int i = 0; i < nP; ++i)
        scalaF = std::max({scalaF, std::abs(fRara[size_t(i)]), std::abs(fVariabili[size_t(i)])});
    for (int e = 0; e < nC; ++e) {
        VerificaFreccia v;
        v.Campata = e;
        const bool sbalzo = (e == 0 && liberoA) || (e == nC - 1 && liberoB);
        v.L = dc.Campate[size_t(e)].L * (sbalzo ? 2 : 1);
        bool primo = true;
        for (int i = 0; i < nP; ++i) {
            if (punti[size_t(i)].Campata != e) continue;
            if (primo || fRara[size_t(i)] > v.f) v.f = fRara[size_t(i)], v.xf = r.x[size_t(i)];
            v.f2 = std::max(v.f2, fVariabili[size_t(i)]);
            primo = false;
        }
        Netto(v.f, scalaF);
        Netto(v.f2, scalaF);
        v.Limite = d.Limiti.Totale;
        v.Limite2 = d.Limiti.Variabili;
        auto rapporto = [&](double f) {
            const double q = f > 0 ? v.L / f : 0.0;
            return std::isfinite(q) ? q : 0.0;
        };
        v.LsuF = rapporto(v.f);
        v.LsuF2 = rapporto(v.f2);
        v.Verificata = v.f * v.Limite <= v.L && v.f2 * v.Limite2 <= v.L;
        r.Frecce.push_back(v);
    }

    r.Interno = D;
    r.Calcolato = true;
    return r;
}

// ----------------------------------------------------------- foundations

// The data with each load row scaled by its case's factor (rows of zero
// factor kept, so that every combination has the same points) and the
// self-weight as a row; without cases, so that its calculation is the
// ordinary one.
DatiTrave DatiFattorizzati(const DatiTrave& d, const std::vector<double>& fattori, int casoPP) {
    DatiTrave c = d;
    c.Casi.clear();
    c.PesoProprio = false;
    for (int i = 1; i <= c.NTrapezi; ++i) {
        auto& t = c.CarichiTrapezi(i);
        const double f = fattori[size_t(t.Caso)];
        t.q1 = ASingolo(t.q1 * f, "carico");
        t.q2 = ASingolo(t.q2 * f, "carico");
    }
    for (int i = 1; i <= c.NConcentrati; ++i) {
        auto& t = c.CarichiConcentrati(i);
        t.F = ASingolo(t.F * fattori[size_t(t.Caso)], "carico");
    }
    for (int i = 1; i <= c.NCoppie; ++i) {
        auto& t = c.Coppie(i);
        t.W = ASingolo(t.W * fattori[size_t(t.Caso)], "carico");
    }
    if (casoPP >= 0 && d.PesoProprioQ != 0)
        AccodaTrapezio(c, RigaPesoProprio(d, fattori[size_t(casoPP)], casoPP));
    return c;
}

struct CalcoloFondazione {
    bool Riuscito = false;
    std::vector<double> x;
    std::array<std::vector<double>, 3> Valori;
};

CalcoloFondazione CalcolaFattorizzato(const DatiTrave& d, const std::vector<double>& fattori,
                                      int casoPP, RegistroMessaggi& silenzio) {
    CalcoloFondazione c;
    ModuloZelvo m;
    m.Dati = DatiFattorizzati(d, fattori, casoPP);
    if (m.Calcola(silenzio) != EsitoCalcolo::Completato) return c;
    const RisultatiTrave& rt = m.Risultati;
    for (int i = 1; i <= rt.NPunti; ++i) {
        c.x.push_back(rt.x(i));
        c.Valori[0].push_back(rt.M(i));
        c.Valori[1].push_back(rt.V(i));
        c.Valori[2].push_back(rt.f(i));
    }
    c.Riuscito = true;
    return c;
}

RisultatiCombinazioni CalcolaFondazione(const DatiTrave& d, const std::vector<CasoCarico>& casi,
                                        int casoPP, Messaggi& msg) {
    RisultatiCombinazioni r;
    r.Casi = casi;
    const int nCasi = static_cast<int>(casi.size());
    auto D = std::make_shared<Dettaglio>();
    D->Fondazione = true;
    D->nCampate = 1;
    D->Coeff = d.Coefficienti;
    for (int c = 0; c < nCasi; ++c) {
        D->Tipi.push_back(casi[size_t(c)].Tipo);
        if (casi[size_t(c)].Tipo == TipoCaso::Q) D->CasiQ.push_back(c);
    }
    D->Psi = PsiCasi(casi, D->CasiQ);
    D->Prepara();

    // Every combination: permanent cases unfavourable, every variable case
    // present, each leading in turn.
    std::vector<CalcoloFondazione> calcoli;
    for (const TipoCombinazione t : Tipi)
        for (const int l : D->Dominanti(t)) {
            std::vector<double> f(size_t(nCasi), 0.0);
            for (int c = 0; c < nCasi; ++c) {
                const TipoCaso tc = casi[size_t(c)].Tipo;
                if (tc != TipoCaso::Q) f[size_t(c)] = D->FattoriG(t, tc == TipoCaso::G2)[0];
            }
            for (int q = 0; q < D->nQ(); ++q)
                f[size_t(D->CasiQ[size_t(q)])] = D->FattoreQ(t, l, q);
            RegistroMessaggi silenzio;
            calcoli.push_back(CalcolaFattorizzato(d, f, casoPP, silenzio));
            if (!calcoli.back().Riuscito) {
                // The failure's messages, once.
                for (const Messaggio& m : silenzio.elenco)
                    msg.Mostra(m.testo, m.icona, m.titolo);
                return r;
            }
            D->Combinazioni.push_back({t, l});
        }
    const std::vector<double>& x = calcoli.front().x;
    for (const auto& c : calcoli)
        Controlla(c.x == x, "punti delle combinazioni diversi");
    const int nP = static_cast<int>(x.size());
    D->nPunti = nP;
    r.x = x;
    r.Campata.assign(size_t(nP), 0);

    // Each case alone (a case the foundation cannot carry alone: zeros).
    r.PerCaso.resize(size_t(nCasi));
    for (int c = 0; c < nCasi; ++c) {
        std::vector<double> f(size_t(nCasi), 0.0);
        f[size_t(c)] = 1;
        RegistroMessaggi silenzio;
        const CalcoloFondazione k = CalcolaFattorizzato(d, f, casoPP, silenzio);
        for (int g = 0; g < 3; ++g)
            r.PerCaso[size_t(c)].Valori[size_t(g)] =
                k.Riuscito && k.x == x ? k.Valori[size_t(g)] : std::vector<double>(size_t(nP), 0.0);
    }

    D->Scelta.assign(size_t(NumeroTipiCombinazione) * 3 * size_t(nP) * 2, -1);
    for (const TipoCombinazione t : Tipi) {
        Inviluppo& inv = r.Inviluppi[size_t(t)];
        for (int g = 0; g < 3; ++g) {
            auto& curva = inv.Curve[size_t(g)];
            curva.Max.assign(size_t(nP), 0.0);
            curva.Min.assign(size_t(nP), 0.0);
            for (int i = 0; i < nP; ++i) {
                int iMax = -1, iMin = -1;
                for (size_t k = 0; k < calcoli.size(); ++k) {
                    if (D->Combinazioni[k].Tipo != t) continue;
                    const double v = calcoli[k].Valori[size_t(g)][size_t(i)];
                    if (iMax < 0 || v > curva.Max[size_t(i)])
                        curva.Max[size_t(i)] = v, iMax = int(k);
                    if (iMin < 0 || v < curva.Min[size_t(i)])
                        curva.Min[size_t(i)] = v, iMin = int(k);
                }
                const size_t base = ((size_t(t) * 3 + size_t(g)) * size_t(nP) + size_t(i)) * 2;
                D->Scelta[base] = iMax;
                D->Scelta[base + 1] = iMin;
            }
        }
    }
    r.Interno = D;
    r.Calcolato = true;
    return r;
}

} // namespace

std::string TestoGoverno(const Governo& g, const std::vector<CasoCarico>& casi) {
    std::string t = NomeCombinazione(g.Tipo);
    auto nome = [&](int c) {
        return c >= 0 && size_t(c) < casi.size() ? casi[size_t(c)].Nome : std::string("?");
    };
    // A leading case loaded on no span leads nothing: not named as leading.
    const bool caricata = g.Dominante >= 0 && (size_t(g.Dominante) >= g.Campate.size() ||
                                               !g.Campate[size_t(g.Dominante)].empty());
    if (caricata) t += ", " + nome(g.Dominante) + " dominante";
    if (g.Tipo == TipoCombinazione::SLU) {
        bool g1 = false, g2 = false;
        for (const auto& c : casi) {
            g1 = g1 || c.Tipo == TipoCaso::G1;
            g2 = g2 || c.Tipo == TipoCaso::G2;
        }
        if (g1) t += g.G1Sfavorevole ? ", G1 sfav." : ", G1 fav.";
        if (g2) t += g.G2Sfavorevole ? ", G2 sfav." : ", G2 fav.";
    }
    for (size_t c = 0; c < casi.size() && c < g.Campate.size(); ++c) {
        if (casi[c].Tipo != TipoCaso::Q || g.Campate[c].empty()) continue;
        t += ", " + casi[c].Nome + (g.Campate[c].size() == 1 ? " campata" : " campate");
        for (const int s : g.Campate[c])
            t += " " + std::to_string(s + 1);
    }
    return t;
}

namespace {

Governo GovernoFondazione(const Dettaglio& D, TipoCombinazione t, int g, int i, bool massimo) {
    Governo gov;
    gov.Tipo = t;
    const size_t base = ((size_t(t) * 3 + size_t(g)) * size_t(D.nPunti) + size_t(i)) * 2;
    const int k = D.Scelta[base + (massimo ? 0 : 1)];
    Controlla(k >= 0, "combinazione non calcolata");
    const int l = D.Combinazioni[size_t(k)].Dominante;
    gov.Dominante = l >= 0 ? D.CasiQ[size_t(l)] : -1;
    gov.Campate.assign(D.Tipi.size(), std::vector<int>{0});
    return gov;
}

} // namespace

Governo RisultatiCombinazioni::GovernoPunto(TipoCombinazione t, GrandezzaInviluppo g, int i,
                                            bool massimo) const {
    Controlla(Interno != nullptr && Calcolato, "combinazioni non calcolate");
    const Dettaglio& D = *Interno;
    Controlla(i >= 0 && i < D.nPunti, "punto inesistente");
    if (D.Fondazione) return GovernoFondazione(D, t, int(g), i, massimo);
    return GovernoDi(D, D.Tipi, ValoriDi(D, D.Punti[size_t(g)], i), t, massimo);
}

Governo RisultatiCombinazioni::GovernoAppoggio(TipoCombinazione t, int appoggio, bool momento,
                                               bool massimo) const {
    Controlla(Interno != nullptr && Calcolato, "combinazioni non calcolate");
    const Dettaglio& D = *Interno;
    Controlla(!D.Fondazione && appoggio >= 0 && appoggio < D.nAppoggi, "appoggio inesistente");
    return GovernoDi(D, D.Tipi, ValoriDi(D, D.Appoggi[momento ? 1 : 0], appoggio), t, massimo);
}

RisultatiCombinazioni CalcolaCombinazioni(const DatiTrave& d, Messaggi& msg) {
    int casoPP = -1;
    const std::vector<CasoCarico> casi = CasiConPesoProprio(d, &casoPP);
    Controlla(!casi.empty(), "nessun caso di carico");
    ControllaCasi(d, static_cast<int>(casi.size()));
    if (d.Vincoli == Fondazione) return CalcolaFondazione(d, casi, casoPP, msg);
    return CalcolaLineare(d, casi, casoPP, msg);
}

void AggiungiPesoProprio(DatiTrave& d) {
    int casoPP = -1;
    CasiConPesoProprio(d, &casoPP);
    if (casoPP < 0 || d.PesoProprioQ == 0) return;
    AccodaTrapezio(d, RigaPesoProprio(d, 1.0, casoPP));
}

} // namespace zelvo
