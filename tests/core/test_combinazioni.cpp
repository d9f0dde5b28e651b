// Load cases, combinations and envelopes: the envelopes against an
// enumeration of every combination, each solved on its own; closed forms of
// three equal spans; single spans, foundations, deflection checks, and a
// problem without cases left as it was.
#include "core/combinazioni.h"
#include "core/modulo_zelvo.h"
#include "core/trave_continua.h"

#include "../comune/problemi.h"

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
                               const std::function<bool(int, int)>& accesa) {
    DatiContinua c = Trave(d);
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
            for (const Scelta& s : Scelte(casi)) {
                const auto f = FattoriCombinazione(d, casi, s);
                for (int schema = 0; schema < (1 << bit); ++schema) {
                    auto accesa = [&](int caso, int e) {
                        const int iq = int(std::find(q.begin(), q.end(), caso) - q.begin());
                        return (schema >> (iq * nC + e)) & 1;
                    };
                    const Campione k = Valori(Combinazione(d, casi, f, accesa), r, d);
                    const size_t t = size_t(s.Tipo);
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

} // namespace
