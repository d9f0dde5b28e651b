// Load cases, combinations and envelopes: the envelopes against an
// enumeration of every combination, each solved on its own; closed forms of
// three equal spans; single spans, foundations, deflection checks, and a
// problem without cases left as it was.
#include "core/combinazioni.h"
#include "core/modulo_zelvo.h"
#include "core/trave_continua.h"

#include "../comune/problemi.h"
#include "core/fondazione_rigida.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

using namespace zelvo;
using namespace zelvo::prova;

namespace {

// Factors and ψ with few binary digits, so that every factored load is
// exact in single precision and an enumeration by whole calculations
// agrees with the envelope to the round-off of double precision.
CoefficientiParziali FattoriEsatti() {
    CoefficientiParziali c;
    c.gG1[0] = 1.375;
    c.gG1[1] = 1.0;
    c.gG2[0] = 1.5;
    c.gG2[1] = 0.75;
    c.gQ[0] = 1.5;
    c.gQ[1] = 0.0;
    return c;
}

CasoCarico Caso(const char* nome, TipoCaso t, double p0 = 0, double p1 = 0, double p2 = 0) {
    CasoCarico c;
    c.Nome = nome;
    c.Tipo = t;
    c.Categoria = CategoriaQ::Personalizzata;
    c.psi0 = p0;
    c.psi1 = p1;
    c.psi2 = p2;
    return c;
}

void TrapezioCaso(DatiTrave& d, float q1, float q2, float d1, float d2, int caso) {
    Trapezio(d, q1, q2, d1, d2);
    d.CarichiTrapezi(d.NTrapezi).Caso = int16_t(caso);
}
void ForzaCaso(DatiTrave& d, float F, float x, int caso) {
    Forza(d, F, x);
    d.CarichiConcentrati(d.NConcentrati).Caso = int16_t(caso);
}
void CoppiaCaso(DatiTrave& d, float W, float x, int caso) {
    Coppia(d, W, x);
    d.Coppie(d.NCoppie).Caso = int16_t(caso);
}

// A random continuous beam with load cases: 1 to 4 spans of lengths in
// half metres, ends hinged, fixed or free, springs and hinges between,
// settlements; G1, sometimes G2 and the self-weight, and nQ variable cases.
// Positions are multiples of 0.25 m (forces and couples also at supports),
// intensities multiples of 64 N, trapezoid slopes multiples of 16 N/m², so
// that a trapezoid's intensity at a support is exact.
DatiTrave Casuale(std::mt19937& g, int nC, int nQ) {
    auto I = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
    DatiTrave d;
    d.Vincoli = Continua;
    d.E = 2.1e11f;
    d.NSezioni = int16_t(I(3, 9));
    d.Coefficienti = FattoriEsatti();
    double Lt = 0;
    for (int i = 0; i < nC; ++i) {
        const double L = 0.5 * I(4, 14);
        d.Campate.push_back({L, 1e-5 * I(2, 40)});
        Lt += L;
    }
    for (int i = 0; i <= nC; ++i) {
        AppoggioContinuo a;
        if (i == 0 || i == nC)
            a.Tipo = std::array<TipoAppoggio, 3>{TipoAppoggio::Appoggio, TipoAppoggio::Incastro,
                                                 TipoAppoggio::Libero}[size_t(I(0, 2))];
        else
            a.Tipo = I(0, 2) == 0 ? TipoAppoggio::Molla : TipoAppoggio::Appoggio;
        if (a.Tipo == TipoAppoggio::Molla) a.k = 1e6 * I(2, 60);
        d.Appoggi.push_back(a);
    }
    auto& A = d.Appoggi;
    if (nC == 1) {
        if (A[0].Tipo != TipoAppoggio::Incastro && A[1].Tipo != TipoAppoggio::Incastro)
            A[0].Tipo = TipoAppoggio::Incastro, A[1].Tipo = TipoAppoggio::Appoggio;
    } else {
        if (A[0].Tipo == TipoAppoggio::Libero) A[1].Tipo = TipoAppoggio::Appoggio;
        if (A[size_t(nC)].Tipo == TipoAppoggio::Libero)
            A[size_t(nC) - 1].Tipo = TipoAppoggio::Appoggio;
    }
    for (auto& a : A)
        if (a.Tipo != TipoAppoggio::Libero && I(0, 2) == 0) a.Cedimento = 0.001 * I(-5, 10);

    d.Casi.push_back(Caso("Strutturali", TipoCaso::G1));
    if (I(0, 1)) d.Casi.push_back(Caso("Finiture", TipoCaso::G2));
    const double psi[4] = {0, 0.25, 0.5, 0.75};
    const char* nomi[3] = {"Q1", "Q2", "Q3"};
    for (int q = 0; q < nQ; ++q)
        d.Casi.push_back(Caso(nomi[q], TipoCaso::Q, psi[I(1, 3)], psi[I(0, 3)], psi[I(0, 2)]));
    if (I(0, 1)) {
        d.PesoProprio = true;
        d.PesoProprioQ = 64.0 * I(5, 40);
    }
    const int quarti = int(Lt * 4);
    for (int c = 0; c < int(d.Casi.size()); ++c) {
        for (int k = I(1, 2); k > 0; --k) {
            const int a = I(0, quarti - 1), b = std::min(quarti, a + I(1, quarti));
            const float q1 = float(64 * I(-20, 200)), pend = float(16 * I(-40, 40));
            TrapezioCaso(d, q1, q1 + pend * float(b - a) / 4, float(a) / 4, float(b) / 4, c);
        }
        if (I(0, 1)) ForzaCaso(d, float(64 * I(-100, 600)), float(I(0, quarti)) / 4, c);
        if (I(0, 2) == 0) CoppiaCaso(d, float(64 * I(-200, 200)), float(I(0, quarti)) / 4, c);
    }
    d.Luce = float(Lt);
    return d;
}

// The beam's spans and supports with no load (settlements as given).
DatiContinua Trave(const DatiTrave& d) {
    DatiContinua c;
    c.E = d.E;
    c.NSezioni = d.NSezioni;
    c.Campate = d.Campate;
    c.Appoggi = d.Appoggi;
    return c;
}

// One combination solved as a whole: the factored loads of the permanent
// cases everywhere, those of variable case q only on the spans where
// `accesa(q, s)`, each cut at the supports by hand.
RisultatiContinua Combinazione(const DatiTrave& d, const std::vector<CasoCarico>& casi,
                               const std::vector<double>& fattori,
                               const std::function<bool(int, int)>& accesa, bool cedimenti = true) {
    DatiContinua c = Trave(d);
    if (!cedimenti)
        for (auto& a : c.Appoggi)
            a.Cedimento = 0;
    const int nC = int(d.Campate.size());
    std::vector<double> x0{0};
    for (const auto& s : d.Campate)
        x0.push_back(x0.back() + s.L);
    auto campata = [&](double x) { // a load at a support belongs to the span on its right
        int e = 0;
        while (e + 1 < nC && x >= x0[size_t(e) + 1])
            ++e;
        return e;
    };
    auto attiva = [&](int caso, int e) {
        return casi[size_t(caso)].Tipo != TipoCaso::Q || accesa(caso, e);
    };
    auto trapezio = [&](float q1, float q2, float d1, float d2, int caso) {
        const double f = fattori[size_t(caso)], k = (double(q2) - q1) / (double(d2) - d1);
        for (int e = 0; e < nC; ++e) {
            const double a = std::max<double>(d1, x0[size_t(e)]);
            const double b = std::min<double>(d2, x0[size_t(e) + 1]);
            if (!(b > a) || !attiva(caso, e)) continue;
            c.Trapezi.push_back({float(f * (q1 + k * (a - d1))), float(f * (q1 + k * (b - d1))),
                                 float(a), float(b)});
        }
    };
    for (int i = 1; i <= d.NTrapezi; ++i) {
        const auto& t = d.CarichiTrapezi(i);
        trapezio(t.q1, t.q2, t.d1, t.d2, t.Caso);
    }
    if (d.PesoProprio)
        trapezio(float(d.PesoProprioQ), float(d.PesoProprioQ), 0, float(x0.back()), 0);
    for (int i = 1; i <= d.NConcentrati; ++i) {
        const auto& t = d.CarichiConcentrati(i);
        if (attiva(t.Caso, campata(t.d)))
            c.Concentrati.push_back({float(fattori[size_t(t.Caso)] * t.F), t.d});
    }
    for (int i = 1; i <= d.NCoppie; ++i) {
        const auto& t = d.Coppie(i);
        if (attiva(t.Caso, campata(t.d)))
            c.Coppie.push_back({float(fattori[size_t(t.Caso)] * t.W), t.d});
    }
    RegistroMessaggi msg;
    RisultatiContinua r = CalcolaContinua(c, msg);
    EXPECT_TRUE(r.Calcolato()) << (msg.elenco.empty() ? "" : msg.elenco[0].testo);
    return r;
}

// The side of point i: the second of two points of one span at one
// abscissa is the right side, the first the left; a single point at a
// span's right end the left side.
bool Sinistra(const RisultatiCombinazioni& r, const DatiTrave& d, size_t i) {
    auto uguale = [&](size_t j) { return r.x[j] == r.x[i] && r.Campata[j] == r.Campata[i]; };
    if (i > 0 && uguale(i - 1)) return false;
    if (i + 1 < r.x.size() && uguale(i + 1)) return true;
    double x0 = 0;
    for (int e = 0; e < r.Campata[i]; ++e)
        x0 += d.Campate[size_t(e)].L;
    return r.x[i] - x0 == d.Campate[size_t(r.Campata[i])].L;
}

// Values of a whole calculation at the envelope's points: M, V, f, then
// per support R and the moment over it.
struct Campione {
    std::array<std::vector<double>, 3> Punti;
    std::vector<double> R, MApp;
};
Campione Valori(const RisultatiContinua& c, const RisultatiCombinazioni& r, const DatiTrave& d) {
    Campione k;
    double x0 = 0;
    std::vector<double> inizi;
    for (const auto& s : d.Campate)
        inizi.push_back(x0), x0 += s.L;
    for (size_t i = 0; i < r.x.size(); ++i) {
        double M, V, f;
        c.ValoriCampata(r.Campata[i], r.x[i] - inizi[size_t(r.Campata[i])], Sinistra(r, d, i), M, V,
                        f);
        k.Punti[0].push_back(M);
        k.Punti[1].push_back(V);
        k.Punti[2].push_back(f);
    }
    for (const auto& a : c.Appoggi) {
        k.R.push_back(a.Reazione);
        k.MApp.push_back(a.Momento);
    }
    return k;
}

// Per span, the largest deflection measured from the chord joining its
// supports' displacements (from its support's displacement on an overhang).
std::vector<double> FrecceCampate(const RisultatiContinua& c, const Campione& k,
                                  const RisultatiCombinazioni& r, const DatiTrave& d) {
    const size_t nC = d.Campate.size();
    std::vector<double> f(nC, 0.0), x0{0};
    for (const auto& s : d.Campate)
        x0.push_back(x0.back() + s.L);
    for (size_t i = 0; i < r.x.size(); ++i) {
        const size_t e = size_t(r.Campata[i]);
        const double wA = c.Appoggi[e].Spostamento, wB = c.Appoggi[e + 1].Spostamento;
        double rif = wA + (wB - wA) * (r.x[i] - x0[e]) / d.Campate[e].L;
        if (e == 0 && d.Appoggi[0].Tipo == TipoAppoggio::Libero) rif = wB;
        if (e == nC - 1 && d.Appoggi[nC].Tipo == TipoAppoggio::Libero) rif = wA;
        f[e] = std::max(f[e], std::abs(k.Punti[2][i] - rif));
    }
    return f;
}

// Every combination's description for the enumeration.
struct Scelta {
    TipoCombinazione Tipo;
    int Dominante; // index in the cases, -1 none
    bool G1Sfav, G2Sfav;
};

std::vector<double> FattoriCombinazione(const DatiTrave& d, const std::vector<CasoCarico>& casi,
                                        const Scelta& s) {
    const auto& k = d.Coefficienti;
    std::vector<double> f;
    for (size_t c = 0; c < casi.size(); ++c) {
        const CasoCarico& cc = casi[c];
        const bool slu = s.Tipo == TipoCombinazione::SLU;
        const bool dom = int(c) == s.Dominante;
        switch (cc.Tipo) {
        case TipoCaso::G1:
            f.push_back(slu ? k.gG1[s.G1Sfav ? 0 : 1] : 1.0);
            break;
        case TipoCaso::G2:
            f.push_back(slu ? k.gG2[s.G2Sfav ? 0 : 1] : 1.0);
            break;
        case TipoCaso::Q:
            switch (s.Tipo) {
            case TipoCombinazione::SLU:
                f.push_back(k.gQ[0] * (dom ? 1.0 : cc.psi0));
                break;
            case TipoCombinazione::Rara:
                f.push_back(dom ? 1.0 : cc.psi0);
                break;
            case TipoCombinazione::Frequente:
                f.push_back(dom ? cc.psi1 : cc.psi2);
                break;
            case TipoCombinazione::QuasiPermanente:
                f.push_back(cc.psi2);
                break;
            }
            break;
        }
    }
    return f;
}

std::vector<Scelta> Scelte(const std::vector<CasoCarico>& casi) {
    std::vector<int> q;
    for (size_t c = 0; c < casi.size(); ++c)
        if (casi[c].Tipo == TipoCaso::Q) q.push_back(int(c));
    std::vector<Scelta> s;
    for (int t = 0; t < NumeroTipiCombinazione; ++t) {
        const auto tipo = TipoCombinazione(t);
        std::vector<int> dom = q;
        if (tipo == TipoCombinazione::QuasiPermanente || dom.empty()) dom = {-1};
        for (const int l : dom)
            for (int g = 0; g < (tipo == TipoCombinazione::SLU ? 4 : 1); ++g)
                s.push_back({tipo, l, (g & 1) == 0, (g & 2) == 0});
    }
    return s;
}

double Scala(const std::vector<double>& v) {
    double m = 0;
    for (const double x : v)
        m = std::max(m, std::abs(x));
    return m;
}

// (a) Every type, leading case, permanent factor and on/off pattern of
// each variable case on each span, each solved as a whole: the envelope is
// their largest and smallest value at every point and support, and the
// governing combination it names gives that value again.
TEST(Combinazioni, InviluppoUgualeAllEnumerazioneDiOgniCombinazione) {
    std::mt19937 g(20261208);
    const int forme[][2] = {{1, 3}, {2, 3}, {3, 2}, {4, 2}, {2, 1}, {4, 1}, {3, 1}, {1, 1}};
    int prove = 0;
    for (int ripeti = 0; ripeti < 2; ++ripeti)
        for (const auto& forma : forme) {
            const int nC = forma[0], nQ = forma[1];
            DatiTrave d = Casuale(g, nC, nQ);
            for (RegistroMessaggi prima; !CalcolaContinua(Trave(d), prima).Calcolato();)
                d = Casuale(g, nC, nQ); // a beam that can carry load
            RegistroMessaggi msg;
            const RisultatiCombinazioni r = CalcolaCombinazioni(d, msg);
            ASSERT_TRUE(r.Calcolato) << (msg.elenco.empty() ? "" : msg.elenco[0].testo);
            EXPECT_TRUE(msg.elenco.empty());
            const auto& casi = r.Casi;
            std::vector<int> q;
            for (size_t c = 0; c < casi.size(); ++c)
                if (casi[c].Tipo == TipoCaso::Q) q.push_back(int(c));
            const int bit = nC * int(q.size());

            const size_t nP = r.x.size(), nA = size_t(nC) + 1;
            std::array<std::array<std::vector<double>, 3>, 4> mx, mn;
            std::array<std::vector<double>, 4> rMx, rMn, mMx, mMn;
            for (int t = 0; t < 4; ++t) {
                for (int k = 0; k < 3; ++k) {
                    mx[size_t(t)][size_t(k)].assign(nP, -1e300);
                    mn[size_t(t)][size_t(k)].assign(nP, 1e300);
                }
                rMx[size_t(t)].assign(nA, -1e300);
                rMn[size_t(t)].assign(nA, 1e300);
                mMx[size_t(t)].assign(nA, -1e300);
                mMn[size_t(t)].assign(nA, 1e300);
            }
            std::vector<double> freccia(size_t(nC), 0.0), freccia2(size_t(nC), 0.0);
            for (const Scelta& s : Scelte(casi)) {
                const auto f = FattoriCombinazione(d, casi, s);
                for (int schema = 0; schema < (1 << bit); ++schema) {
                    auto accesa = [&](int caso, int e) {
                        const int iq = int(std::find(q.begin(), q.end(), caso) - q.begin());
                        return (schema >> (iq * nC + e)) & 1;
                    };
                    const RisultatiContinua rc = Combinazione(d, casi, f, accesa);
                    const Campione k = Valori(rc, r, d);
                    const size_t t = size_t(s.Tipo);
                    if (s.Tipo == TipoCombinazione::Rara) {
                        // The deflection checks: the whole combination, and
                        // its variable loads alone.
                        const auto fc = FrecceCampate(rc, k, r, d);
                        auto soloQ = f;
                        for (size_t c = 0; c < casi.size(); ++c)
                            if (casi[c].Tipo != TipoCaso::Q) soloQ[c] = 0;
                        const RisultatiContinua rq = Combinazione(d, casi, soloQ, accesa, false);
                        const auto fq = FrecceCampate(rq, Valori(rq, r, d), r, d);
                        for (size_t e = 0; e < size_t(nC); ++e) {
                            freccia[e] = std::max(freccia[e], fc[e]);
                            freccia2[e] = std::max(freccia2[e], fq[e]);
                        }
                    }
                    for (size_t j = 0; j < 3; ++j)
                        for (size_t i = 0; i < nP; ++i) {
                            mx[t][j][i] = std::max(mx[t][j][i], k.Punti[j][i]);
                            mn[t][j][i] = std::min(mn[t][j][i], k.Punti[j][i]);
                        }
                    for (size_t a = 0; a < nA; ++a) {
                        rMx[t][a] = std::max(rMx[t][a], k.R[a]);
                        rMn[t][a] = std::min(rMn[t][a], k.R[a]);
                        mMx[t][a] = std::max(mMx[t][a], k.MApp[a]);
                        mMn[t][a] = std::min(mMn[t][a], k.MApp[a]);
                    }
                }
            }
            for (size_t t = 0; t < 4; ++t) {
                const Inviluppo& inv = r.Inviluppi[t];
                for (size_t j = 0; j < 3; ++j) {
                    const double tol = 1e-9 * std::max(Scala(mx[t][j]), Scala(mn[t][j])) + 1e-300;
                    for (size_t i = 0; i < nP; ++i) {
                        ASSERT_NEAR(inv.Curve[j].Max[i], mx[t][j][i], tol)
                            << "tipo " << t << " grandezza " << j << " punto " << i;
                        ASSERT_NEAR(inv.Curve[j].Min[i], mn[t][j][i], tol)
                            << "tipo " << t << " grandezza " << j << " punto " << i;
                    }
                }
                const double tolR = 1e-9 * std::max(Scala(rMx[t]), Scala(rMn[t]));
                const double tolM = 1e-9 * std::max(Scala(mMx[t]), Scala(mMn[t])) + 1e-9;
                for (size_t a = 0; a < nA; ++a) {
                    EXPECT_NEAR(inv.RMax[a], rMx[t][a], tolR) << "appoggio " << a;
                    EXPECT_NEAR(inv.RMin[a], rMn[t][a], tolR) << "appoggio " << a;
                    EXPECT_NEAR(inv.MAppMax[a], mMx[t][a], tolM) << "appoggio " << a;
                    EXPECT_NEAR(inv.MAppMin[a], mMn[t][a], tolM) << "appoggio " << a;
                }
            }

            ASSERT_EQ(r.Frecce.size(), size_t(nC));
            for (size_t e = 0; e < size_t(nC); ++e) {
                const VerificaFreccia& v = r.Frecce[e];
                EXPECT_NEAR(v.f, freccia[e], 1e-9 * Scala(freccia) + 1e-15) << "campata " << e;
                EXPECT_NEAR(v.f2, freccia2[e], 1e-9 * Scala(freccia2) + 1e-15) << "campata " << e;
                const bool sbalzo =
                    (e == 0 && d.Appoggi[0].Tipo == TipoAppoggio::Libero) ||
                    (e + 1 == size_t(nC) && d.Appoggi.back().Tipo == TipoAppoggio::Libero);
                EXPECT_EQ(v.L, d.Campate[e].L * (sbalzo ? 2 : 1));
                EXPECT_EQ(v.Verificata, v.f <= v.L / 250 && v.f2 <= v.L / 300);
            }

            // The governing combinations, recomputed as a whole, at a few
            // points and every support.
            for (size_t t = 0; t < 4; ++t) {
                const auto tipo = TipoCombinazione(t);
                for (size_t i = 0; i < nP; i += std::max<size_t>(1, nP / 7)) {
                    for (const bool massimo : {true, false}) {
                        const GrandezzaInviluppo grandezza = GrandezzaInviluppo(i % 3);
                        const Governo gov = r.GovernoPunto(tipo, grandezza, int(i), massimo);
                        const Scelta s{tipo, gov.Dominante, gov.G1Sfavorevole, gov.G2Sfavorevole};
                        auto accesa = [&](int caso, int e) {
                            const auto& c = gov.Campate[size_t(caso)];
                            return std::find(c.begin(), c.end(), e) != c.end();
                        };
                        const Campione k = Valori(
                            Combinazione(d, casi, FattoriCombinazione(d, casi, s), accesa), r, d);
                        const auto& curva = r.Inviluppi[t].Curve[size_t(grandezza)];
                        const double atteso = massimo ? curva.Max[i] : curva.Min[i];
                        EXPECT_NEAR(k.Punti[size_t(grandezza)][i], atteso,
                                    1e-9 * Scala(massimo ? curva.Max : curva.Min))
                            << TestoGoverno(gov, casi);
                    }
                }
                for (size_t a = 0; a < nA; ++a) {
                    const Governo gov = r.GovernoAppoggio(tipo, int(a), false, true);
                    const Scelta s{tipo, gov.Dominante, gov.G1Sfavorevole, gov.G2Sfavorevole};
                    auto accesa = [&](int caso, int e) {
                        const auto& c = gov.Campate[size_t(caso)];
                        return std::find(c.begin(), c.end(), e) != c.end();
                    };
                    const Campione k = Valori(
                        Combinazione(d, casi, FattoriCombinazione(d, casi, s), accesa), r, d);
                    EXPECT_NEAR(k.R[a], r.Inviluppi[t].RMax[a],
                                1e-9 * Scala(r.Inviluppi[t].RMax) + 1e-9);
                }
            }
            ++prove;
        }
    EXPECT_EQ(prove, 16);
}

// Three equal spans L on four hinges, EJ constant, a permanent load g
// (G1) and a variable load q (Q) on every span. Three-moment equation for
// equal spans under uniform loads w_i (support moments M, hogging
// negative): M_{i-1} + 4·M_i + M_{i+1} = −(w_i + w_{i+1})·L²/4 with
// M_A = M_D = 0, so that
//   M_B = −(4·w1 + 3·w2 − w3)·L²/60.
// In span 1, M(x) = w1·x·(L − x)/2 + M_B·x/L, the sum of one term per
// loaded span: m1(x) = x(L − x)/2 − 4·L·x/60, m2(x) = −3·L·x/60,
// m3(x) = +L·x/60 (per unit load).
//   g everywhere: M_B = −6/60·g·L² = −0.100·g·L²; the span moment peaks at
//   x = 0.4·L with 0.4·0.6/2 − 0.1·0.4 = 0.080·g·L².
//   q on spans 1 and 2: M_B = −7/60·q·L² = −0.1167·q·L² (the largest
//   hogging: span 3 would lift it).
//   q on spans 1 and 3: M_B = −3/60·q·L² = −0.05·q·L²; the span moment
//   peaks at x = 0.45·L with 0.45·0.55/2 − 0.05·0.45 = 0.10125·q·L².
// SLU with the default factors: γG1 = 1.3 (1.0 favourable), γQ = 1.5.
DatiTrave TreCampate(double g, double q) {
    DatiTrave d;
    d.Vincoli = Continua;
    d.E = 2.1e11f;
    d.NSezioni = 100;
    for (int i = 0; i < 3; ++i)
        d.Campate.push_back({5.0, 1e-4});
    d.Appoggi.assign(4, AppoggioContinuo{});
    d.Casi = {Caso("G", TipoCaso::G1), Caso("Q", TipoCaso::Q, 0.7, 0.5, 0.3)};
    if (g != 0) TrapezioCaso(d, float(g), float(g), 0, 15, 0);
    if (q != 0) TrapezioCaso(d, float(q), float(q), 0, 15, 1);
    d.Luce = 15;
    return d;
}

TEST(Combinazioni, TreCampateUgualiFormeChiuse) {
    const double L = 5, g = 8000, q = 6000;
    const auto slu = size_t(TipoCombinazione::SLU);
    auto calcola = [](const DatiTrave& d) {
        RegistroMessaggi msg;
        RisultatiCombinazioni r = CalcolaCombinazioni(d, msg);
        EXPECT_TRUE(r.Calcolato);
        return r;
    };
    auto indice = [](const RisultatiCombinazioni& r, double x) {
        for (size_t i = 0; i < r.x.size(); ++i)
            if (std::abs(r.x[i] - x) < 1e-12) return i;
        ADD_FAILURE() << "nessun punto in " << x;
        return size_t(0);
    };
    // Each load alone: the coefficients.
    const auto rg = calcola(TreCampate(g, 0));
    EXPECT_NEAR(rg.Inviluppi[slu].Curve[0].Max[indice(rg, 0.4 * L)], 1.3 * 0.080 * g * L * L,
                1e-9 * g * L * L);
    EXPECT_NEAR(rg.Inviluppi[slu].MAppMin[1], -1.3 * 0.1 * g * L * L, 1e-9 * g * L * L);
    const auto rq = calcola(TreCampate(0, q));
    EXPECT_NEAR(rq.Inviluppi[slu].Curve[0].Max[indice(rq, 0.45 * L)], 1.5 * 0.10125 * q * L * L,
                1e-9 * q * L * L);
    EXPECT_NEAR(rq.Inviluppi[slu].MAppMin[1], -1.5 * 7.0 / 60 * q * L * L, 1e-9 * q * L * L);
    const Governo gov = rq.GovernoAppoggio(TipoCombinazione::SLU, 1, true, false);
    EXPECT_EQ(TestoGoverno(gov, rq.Casi), "SLU, Q dominante, G1 sfav., Q campate 1 2");

    // Both: the support and, point by point in span 1, the sum of the
    // closed forms with the permanent factor chosen by the sign.
    const auto r = calcola(TreCampate(g, q));
    EXPECT_NEAR(r.Inviluppi[slu].MAppMin[1], -(1.3 * 0.1 * g + 1.5 * 7.0 / 60 * q) * L * L,
                1e-9 * g * L * L);
    for (size_t i = 0; i < r.x.size() && r.Campata[i] == 0; ++i) {
        const double x = r.x[i];
        const double m1 = x * (L - x) / 2 - 4 * L * x / 60, m3 = L * x / 60;
        const double mg = m1 - 3 * L * x / 60 + m3;
        const double massimo = (mg > 0 ? 1.3 : 1.0) * g * mg + 1.5 * q * (std::max(0.0, m1) + m3);
        const double minimo =
            (mg < 0 ? 1.3 : 1.0) * g * mg + 1.5 * q * (std::min(0.0, m1) - 3 * L * x / 60);
        EXPECT_NEAR(r.Inviluppi[slu].Curve[0].Max[i], massimo, 1e-9 * g * L * L) << x;
        EXPECT_NEAR(r.Inviluppi[slu].Curve[0].Min[i], minimo, 1e-9 * g * L * L) << x;
    }
}

// (c) A single span: no pattern but each case on or off. Against the
// ordinary calculation of the factored loads at the probe abscissa.
TEST(Combinazioni, CampataSingolaUgualeAllaSommaFattorizzata) {
    for (const int16_t schema : {AppoggioAppoggio, IncastroIncastro, IncastroAppoggio, Mensola}) {
        DatiTrave d = Base(schema, "singola");
        d.AscissaX = 1.5;
        d.Casi = {Caso("G1", TipoCaso::G1), Caso("G2", TipoCaso::G2),
                  Caso("Q1", TipoCaso::Q, 0.7, 0.5, 0.3), Caso("Q2", TipoCaso::Q, 0.6, 0.2, 0)};
        TrapezioCaso(d, 5000, 9000, 0, 6, 0);
        TrapezioCaso(d, 2000, 2000, 1, 5, 1);
        ForzaCaso(d, 30000, 4.5f, 2);
        CoppiaCaso(d, -20000, 1, 3);
        TrapezioCaso(d, 4000, 1000, 2, 6, 3);
        ModuloZelvo m;
        m.Dati = d;
        RegistroMessaggi msg;
        ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
        const RisultatiCombinazioni& r = m.Combinazioni;
        ASSERT_TRUE(r.Calcolato);
        size_t i = 0;
        while (i < r.x.size() && r.x[i] != 1.5)
            ++i;
        ASSERT_LT(i, r.x.size());
        // Every combination by the ordinary calculation of scaled rows.
        for (int t = 0; t < NumeroTipiCombinazione; ++t) {
            double mx[3] = {-1e300, -1e300, -1e300}, mn[3] = {1e300, 1e300, 1e300};
            for (const Scelta& s : Scelte(r.Casi)) {
                if (int(s.Tipo) != t) continue;
                const auto f = FattoriCombinazione(d, r.Casi, s);
                for (int acceso = 0; acceso < 4; ++acceso) {
                    ModuloZelvo c;
                    c.Dati = d;
                    c.Dati.Casi.clear();
                    c.Dati.NSezioni = 3000; // the deflection line integrated finely
                    double fr[4] = {f[0], f[1], (acceso & 1) ? f[2] : 0, (acceso & 2) ? f[3] : 0};
                    for (int j = 1; j <= c.Dati.NTrapezi; ++j) {
                        auto& tr = c.Dati.CarichiTrapezi(j);
                        tr.q1 = float(tr.q1 * fr[tr.Caso]);
                        tr.q2 = float(tr.q2 * fr[tr.Caso]);
                    }
                    c.Dati.CarichiConcentrati(1).F *= float(fr[2]);
                    c.Dati.Coppie(1).W *= float(fr[3]);
                    ASSERT_EQ(c.Calcola(msg), EsitoCalcolo::Completato);
                    const double v[3] = {*c.Risultati.Mx, *c.Risultati.Vx, *c.Risultati.fx};
                    for (int j = 0; j < 3; ++j)
                        mx[j] = std::max(mx[j], v[j]), mn[j] = std::min(mn[j], v[j]);
                }
            }
            // M and V in single precision; the ordinary deflection line
            // integrates M between its sections.
            const double tol[3] = {0.2, 0.2, 1e-5 * std::max(std::abs(mx[2]), std::abs(mn[2]))};
            for (size_t j = 0; j < 3; ++j) {
                EXPECT_NEAR(r.Inviluppi[size_t(t)].Curve[j].Max[i], mx[j], tol[j])
                    << "schema " << schema << " tipo " << t << " grandezza " << j;
                EXPECT_NEAR(r.Inviluppi[size_t(t)].Curve[j].Min[i], mn[j], tol[j])
                    << "schema " << schema << " tipo " << t << " grandezza " << j;
            }
        }
        EXPECT_TRUE(msg.elenco.empty());
    }
}

// (d) A foundation: each combination calculated on its own.
TEST(Combinazioni, FondazioneInviluppoDelleCombinazioniSeparate) {
    DatiTrave d = FondazioneProva(60, false);
    d.Casi = {Caso("G1", TipoCaso::G1), Caso("Q1", TipoCaso::Q, 0.7, 0.5, 0.3),
              Caso("Q2", TipoCaso::Q, 0.6, 0.2, 0)};
    d.CarichiConcentrati(2).Caso = 1; // the upward force
    d.Coppie(1).Caso = 2;
    ModuloZelvo m;
    m.Dati = d;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const RisultatiCombinazioni& r = m.Combinazioni;
    ASSERT_TRUE(r.Calcolato);
    const auto& k = d.Coefficienti;
    // (type, factors of G1, Q1, Q2)
    struct C {
        int t;
        double f[3];
    };
    const C combinazioni[] = {{0, {k.gG1[0], k.gQ[0], k.gQ[0] * 0.6}},
                              {0, {k.gG1[0], k.gQ[0] * 0.7, k.gQ[0]}},
                              {1, {1, 1, 0.6}},
                              {1, {1, 0.7, 1}},
                              {2, {1, 0.5, 0}},
                              {2, {1, 0.3, 0.2}},
                              {3, {1, 0.3, 0}}};
    for (int t = 0; t < NumeroTipiCombinazione; ++t) {
        std::array<std::vector<double>, 3> mx, mn;
        for (const C& c : combinazioni) {
            if (c.t != t) continue;
            ModuloZelvo s;
            s.Dati = d;
            s.Dati.Casi.clear();
            for (int j = 1; j <= s.Dati.NTrapezi; ++j) {
                auto& tr = s.Dati.CarichiTrapezi(j);
                tr.q1 = float(tr.q1 * c.f[tr.Caso]);
                tr.q2 = float(tr.q2 * c.f[tr.Caso]);
            }
            for (int j = 1; j <= s.Dati.NConcentrati; ++j)
                s.Dati.CarichiConcentrati(j).F =
                    float(s.Dati.CarichiConcentrati(j).F * c.f[s.Dati.CarichiConcentrati(j).Caso]);
            s.Dati.Coppie(1).W = float(s.Dati.Coppie(1).W * c.f[2]);
            RegistroMessaggi silenzio;
            ASSERT_EQ(s.Calcola(silenzio), EsitoCalcolo::Completato);
            ASSERT_EQ(size_t(s.Risultati.NPunti), r.x.size());
            const float* v[3] = {s.Risultati.M.data(), s.Risultati.V.data(), s.Risultati.f.data()};
            for (size_t j = 0; j < 3; ++j) {
                mx[j].resize(r.x.size(), -1e300);
                mn[j].resize(r.x.size(), 1e300);
                for (size_t i = 0; i < r.x.size(); ++i) {
                    mx[j][i] = std::max(mx[j][i], double(v[j][i]));
                    mn[j][i] = std::min(mn[j][i], double(v[j][i]));
                }
            }
        }
        for (size_t j = 0; j < 3; ++j) {
            EXPECT_EQ(r.Inviluppi[size_t(t)].Curve[j].Max, mx[j]) << t << " " << j;
            EXPECT_EQ(r.Inviluppi[size_t(t)].Curve[j].Min, mn[j]) << t << " " << j;
        }
    }
    const Governo g = r.GovernoPunto(TipoCombinazione::SLU, GrandezzaInviluppo::M, 10, true);
    EXPECT_GE(g.Dominante, 1);
}

// A foundation combination the soil cannot carry fails the envelope with
// its message once; the ordinary calculation stands.
TEST(Combinazioni, FondazioneCombinazioneFallitaUnSoloMessaggio) {
    DatiTrave d = Base(Fondazione, "rigida");
    d.Winkler = false;
    d.ReagTraz = false;
    d.b = 1;
    d.K = 5e7;
    d.Casi = {Caso("G1", TipoCaso::G1), Caso("Q1", TipoCaso::Q, 0.7, 0.5, 0.3)};
    d.Coefficienti.gG1[0] = 1.0;
    ForzaCaso(d, 100e3f, 3, 0);
    ForzaCaso(d, -80e3f, 3, 1); // 100 − 1.5·80 < 0 in SLU: the soil pulled
    ModuloZelvo m;
    m.Dati = d;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_TRUE(m.Risultati.Calcolato);
    EXPECT_FALSE(m.Combinazioni.Calcolato);
    ASSERT_EQ(msg.elenco.size(), 1u);
    EXPECT_EQ(msg.elenco[0].testo, TestoRisultanteVersoAlto);
}

// (e) Deflection checks. Simply supported span, uniform g and q:
// f = 5·w·L⁴/(384·EJ) at midspan, w = g + q for the characteristic
// combination and w = q for the variable loads alone. Cantilever under q:
// f = q·L⁴/(8·EJ) at the tip, checked on twice its length.
TEST(Combinazioni, VerificheDiFrecciaFormeChiuse) {
    DatiTrave d = Base(AppoggioAppoggio, "freccia");
    d.Casi = {Caso("G1", TipoCaso::G1), Caso("Q1", TipoCaso::Q, 0.7, 0.5, 0.3)};
    d.Limiti = {250, 300};
    TrapezioCaso(d, 18000, 18000, 0, 6, 0);
    TrapezioCaso(d, 7000, 7000, 0, 6, 1);
    RegistroMessaggi msg;
    const double EJ = double(d.E) * double(d.J), L = 6, L4 = L * L * L * L;
    auto r = CalcolaCombinazioni(d, msg);
    ASSERT_TRUE(r.Calcolato);
    ASSERT_EQ(r.Frecce.size(), 1u);
    const VerificaFreccia& v = r.Frecce[0];
    EXPECT_NEAR(v.f, 5 * 25000 * L4 / (384 * EJ), 1e-12);
    EXPECT_NEAR(v.xf, 3, 1e-12);
    EXPECT_NEAR(v.f2, 5 * 7000 * L4 / (384 * EJ), 1e-12);
    EXPECT_DOUBLE_EQ(v.L, 6);
    EXPECT_NEAR(v.LsuF, L / v.f, 1e-9);
    EXPECT_NEAR(v.LsuF2, L / v.f2, 1e-9);
    EXPECT_EQ(v.Verificata, v.LsuF >= 250 && v.LsuF2 >= 300);
    // L/f ≈ 249.6 with these loads: not verified at 250, verified at 240.
    EXPECT_FALSE(v.Verificata);
    d.Limiti = {240, 300};
    EXPECT_TRUE(CalcolaCombinazioni(d, msg).Frecce[0].Verificata);

    DatiTrave m = Base(Mensola, "mensola");
    m.Casi = {Caso("Q1", TipoCaso::Q, 0.7, 0.5, 0.3)};
    TrapezioCaso(m, 1000, 1000, 0, 6, 0);
    r = CalcolaCombinazioni(m, msg);
    ASSERT_TRUE(r.Calcolato);
    EXPECT_NEAR(r.Frecce[0].f, 1000 * L4 / (8 * EJ), 1e-12);
    EXPECT_NEAR(r.Frecce[0].f2, r.Frecce[0].f, 1e-15);
    EXPECT_DOUBLE_EQ(r.Frecce[0].L, 12);
    EXPECT_DOUBLE_EQ(r.Frecce[0].xf, 6);
    EXPECT_TRUE(msg.elenco.empty());
}

// (f) Without cases nothing is combined; one permanent case holding every
// load leaves the ordinary results as they were.
TEST(Combinazioni, SenzaCasiNienteCambia) {
    for (const int16_t schema : {AppoggioAppoggio, Mensola, Fondazione}) {
        DatiTrave d = schema == Fondazione ? FondazioneProva(40, false) : Base(schema, "base");
        if (schema != Fondazione) {
            Trapezio(d, 3000, 7000, 1, 5);
            Forza(d, 20000, 2);
        }
        ModuloZelvo a, b;
        a.Dati = d;
        RegistroMessaggi msg;
        ASSERT_EQ(a.Calcola(msg), EsitoCalcolo::Completato);
        EXPECT_FALSE(a.Combinazioni.Calcolato);
        EXPECT_EQ(a.Combinazioni.Interno, nullptr);
        b.Dati = d;
        b.Dati.Casi = {Caso("G1", TipoCaso::G1)};
        ASSERT_EQ(b.Calcola(msg), EsitoCalcolo::Completato);
        EXPECT_TRUE(b.Combinazioni.Calcolato);
        EXPECT_EQ(a.Risultati.x, b.Risultati.x);
        EXPECT_EQ(a.Risultati.M, b.Risultati.M);
        EXPECT_EQ(a.Risultati.V, b.Risultati.V);
        EXPECT_EQ(a.Risultati.f, b.Risultati.f);
        EXPECT_EQ(a.Risultati.Mx, b.Risultati.Mx);
        EXPECT_EQ(b.Dati.NTrapezi, d.NTrapezi);
        // A recalculation without cases clears the combinations.
        b.Dati.Casi.clear();
        ASSERT_EQ(b.Calcola(msg), EsitoCalcolo::Completato);
        EXPECT_FALSE(b.Combinazioni.Calcolato);
        EXPECT_TRUE(msg.elenco.empty());
    }
}

// The self-weight: one more uniform load in the ordinary calculation, in a
// case of its own when no G1 case exists. Simply supported: M = p·L²/8.
TEST(Combinazioni, PesoProprioNelCalcoloENelleCombinazioni) {
    DatiTrave d = Base(AppoggioAppoggio, "peso");
    d.AscissaX = 3;
    d.PesoProprio = true;
    d.PesoProprioQ = 2500;
    ModuloZelvo m;
    m.Dati = d;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    EXPECT_NEAR(*m.Risultati.Mx, 2500.0 * 36 / 8, 0.05);
    EXPECT_EQ(m.Dati.NTrapezi, 0); // the row appended for the calculation is gone
    ASSERT_TRUE(m.Combinazioni.Calcolato);
    ASSERT_EQ(m.Combinazioni.Casi.size(), 1u);
    EXPECT_EQ(m.Combinazioni.Casi[0].Nome, "Peso proprio");
    const auto& r = m.Combinazioni;
    size_t i = 0;
    while (r.x[i] != 3)
        ++i;
    EXPECT_NEAR(r.Inviluppi[0].Curve[0].Max[i], 1.3 * 2500.0 * 36 / 8, 1e-6);
    EXPECT_NEAR(r.Inviluppi[0].Curve[0].Min[i], 1.0 * 2500.0 * 36 / 8, 1e-6);
    EXPECT_NEAR(r.PerCaso[0].Valori[0][i], 2500.0 * 36 / 8, 1e-6);
    EXPECT_NEAR(r.PerCaso[0].R[0], 2500.0 * 3, 1e-6);
}

// A tabled category takes the table's ψ (E: 1.0, 0.9, 0.8), whatever the
// typed values. Simply supported, q alone: M(L/2) = ψ·q·L²/8.
TEST(Combinazioni, PsiDellaCategoria) {
    DatiTrave d = Base(AppoggioAppoggio, "psi");
    d.Casi = {Caso("Q1", TipoCaso::Q, 0, 0, 0), Caso("Q2", TipoCaso::Q, 0, 0, 0)};
    d.Casi[0].Categoria = CategoriaQ::E;
    d.Casi[1].Categoria = CategoriaQ::Personalizzata; // typed ψ = 0
    TrapezioCaso(d, 1000, 1000, 0, 6, 0);
    TrapezioCaso(d, 1000, 1000, 0, 6, 1);
    RegistroMessaggi msg;
    const auto r = CalcolaCombinazioni(d, msg);
    ASSERT_TRUE(r.Calcolato);
    size_t i = 0;
    while (r.x[i] != 3)
        ++i;
    const double M = 1000.0 * 36 / 8;
    auto massimo = [&](TipoCombinazione t) { return r.Inviluppi[size_t(t)].Curve[0].Max[i]; };
    EXPECT_NEAR(massimo(TipoCombinazione::QuasiPermanente), 0.8 * M, 1e-9);
    EXPECT_NEAR(massimo(TipoCombinazione::Frequente), 0.9 * M, 1e-9); // Q1 leading
    EXPECT_NEAR(massimo(TipoCombinazione::Rara), 2.0 * M, 1e-9);      // Q2 leading, ψ0 = 1 of Q1
    EXPECT_NEAR(massimo(TipoCombinazione::SLU), 1.5 * 2.0 * M, 1e-9);
}

TEST(Combinazioni, TestoDelGoverno) {
    const std::vector<CasoCarico> casi = {Caso("G1", TipoCaso::G1), Caso("G2", TipoCaso::G2),
                                          Caso("Q1", TipoCaso::Q), Caso("Q2", TipoCaso::Q)};
    Governo g;
    g.Dominante = 2;
    g.G1Sfavorevole = true;
    g.G2Sfavorevole = false;
    g.Campate = {{0, 1, 2}, {0, 1, 2}, {0, 2}, {1}};
    EXPECT_EQ(TestoGoverno(g, casi),
              "SLU, Q1 dominante, G1 sfav., G2 fav., Q1 campate 1 3, Q2 campata 2");
    g.Tipo = TipoCombinazione::QuasiPermanente;
    g.Dominante = -1;
    g.Campate[3].clear();
    EXPECT_EQ(TestoGoverno(g, casi), "Quasi permanente, Q1 campate 1 3");
    // Every variable case off: no case is named as leading.
    g.Tipo = TipoCombinazione::SLU;
    g.Dominante = 2;
    g.G1Sfavorevole = false;
    g.Campate[2].clear();
    EXPECT_EQ(TestoGoverno(g, casi), "SLU, G1 fav., G2 fav.");
}

} // namespace

// Where statics make a value zero it is zero, not the solution's round-off
// (printed as 1E-14): the moment over a pinned end of the envelopes and of
// the ordinary continuous beam.
TEST(Combinazioni, ZeriDellaStaticaEsatti) {
    DatiTrave d = Base(AppoggioAppoggio, "zeri");
    d.Casi = {Caso("G1", TipoCaso::G1), Caso("Q1", TipoCaso::Q, 0.7, 0.5, 0.3)};
    TrapezioCaso(d, 1200, 1200, 0, 6, 0);
    TrapezioCaso(d, 7500, 7500, 0, 6, 1);
    ModuloZelvo m;
    m.Dati = d;
    RegistroMessaggi msg;
    ASSERT_EQ(m.Calcola(msg), EsitoCalcolo::Completato);
    const size_t M = size_t(GrandezzaInviluppo::M);
    for (const Inviluppo& inv : m.Combinazioni.Inviluppi) {
        for (const auto* c : {&inv.Curve[M].Max, &inv.Curve[M].Min}) {
            EXPECT_EQ(c->front(), 0.0);
            EXPECT_EQ(c->back(), 0.0);
        }
        for (const auto* c : {&inv.MAppMax, &inv.MAppMin})
            for (double v : *c)
                EXPECT_EQ(v, 0.0);
    }

    // Two spans pinned at both ends, every load on the first: the second
    // span's moment reaches 0 at the right end, its largest sagging moment
    // is that 0.
    DatiContinua c;
    c.E = 2.1e11;
    c.NSezioni = 37;
    c.Campate = {{3.37, 1.177e-4}, {7.55, 1.177e-4}};
    c.Appoggi.resize(3);
    c.Trapezi = {{19371, 13992, 0, 3.37}};
    RegistroMessaggi m2;
    const RisultatiContinua r = CalcolaContinua(c, m2);
    ASSERT_TRUE(r.Calcolato());
    EXPECT_EQ(r.Punti.back().M, 0.0);
    EXPECT_EQ(r.Campate[1].Mmax, 0.0);
    EXPECT_EQ(r.Appoggi[2].Momento, 0.0);
    EXPECT_EQ(r.MomentoSinistraIn(r.Lunghezza), 0.0);
}
