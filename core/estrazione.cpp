#include "estrazione.h"

#include "calcolo.h"
#include "fondazione_rigida.h"
#include "guasto.h"
#include "matematica.h"
#include "modulo_zelvo.h"
#include "trave_winkler.h"

#include <algorithm>
#include <cmath>

namespace zelvo {

void MaxMin(int n, const Vettore1<float>& a, float& minimo, float& massimo, int* iMin, int* iMax,
            bool assoluti) {
    if (assoluti) {
        MaxMinAssoluti(n, a, minimo, massimo, iMin, iMax);
        return;
    }
    minimo = 1e20f;
    massimo = -1e20f;
    int jMin = 0, jMax = 0;
    for (int i = 1; i <= n; ++i) {
        const float v = a(i);
        if (v < minimo) {
            minimo = v;
            jMin = i;
        }
        if (v > massimo) {
            massimo = v;
            jMax = i;
        }
    }
    if (iMin) *iMin = jMin;
    if (iMax) *iMax = jMax;
}

void MaxMinAssoluti(int n, const Vettore1<float>& a, float& minimo, float& massimo, int* iMin,
                    int* iMax) {
    minimo = 1e20f;
    massimo = -1e20f;
    int jMin = 0, jMax = 0;
    for (int i = 1; i <= n; ++i) {
        const float v = std::fabs(a(i));
        if (v < minimo) {
            minimo = v;
            jMin = i;
        }
        if (v > massimo) {
            massimo = v;
            jMax = i;
        }
    }
    if (iMin) *iMin = jMin;
    if (iMax) *iMax = jMax;
}

float Massimo(int n, const Vettore1<float>& a, int* indice) {
    float m = a(1);
    int j = 1;
    for (int i = 1; i <= n; ++i) {
        if (a(i) > m) {
            m = a(i);
            j = i;
        }
    }
    if (indice) *indice = j;
    return m;
}

void EstremiCalcola(RisultatiTrave& r) {
    const int n = r.NPunti;
    if (n < 1) throw Guasto("nessun punto di calcolo");
    auto xf = [&](int i) { return ASingolo(r.x(i), "ascissa"); };

    int iMin = 0, iMax = 0;
    MaxMin(n, r.M, r.Mmin, r.Mmax, &iMin, &iMax);
    r.xMmax = xf(iMax);
    r.xMmin = xf(iMin);

    MaxMin(n, r.V, r.Tmin, r.Tmax, &iMin, &iMax);
    r.xTmin = xf(iMin);
    if (std::fabs(r.Tmax) < std::fabs(r.Tmin)) {
        r.Vmax = r.Tmin;
        r.xVmax = r.xTmin;
    } else {
        r.Vmax = r.Tmax;
        r.xVmax = xf(iMax);
    }

    float fMinAss = 0, fMaxAss = 0;
    MaxMinAssoluti(n, r.f, fMinAss, fMaxAss, &iMin, &iMax);
    r.fmax = r.f(iMax);
    r.xfmax = xf(iMax);

    int k = 1;
    r.fMaxGiu = Massimo(n, r.f, &k);
    r.xfMaxGiu = xf(k);
}

float InterpolaInX(const Vettore1<double>& xs, double x, const Vettore1<float>& v, int n) {
    const int i = CercaIndice(xs, x, n);
    if (i >= n) return v(n);
    return ASingolo(yInterpola(x, xs(i), v(i), xs(i + 1), v(i + 1)), "interpolazione");
}

double PressioneWinklerInX(const DatiTrave& d, const RisultatiTrave& r, double x, float f) {
    if (d.ReagTraz) return d.K * f;
    // Soil that does not take tension: a lifted point (settlement below 0)
    // carries no pressure, and between two points the pressure is the straight
    // line between theirs, as the soil diagram draws it.
    const int n = r.NPunti;
    const auto compresso = [&](int j) { return std::max(r.f(j), 0.0f); };
    const int i = CercaIndice(r.x, x, n);
    if (i >= n) return d.K * compresso(n);
    const float s = ASingolo(yInterpola(x, r.x(i), compresso(i), r.x(i + 1), compresso(i + 1)),
                             "interpolazione");
    return d.K * s;
}

ValoriX ValoriInX(const DatiTrave& d, const RisultatiTrave& r, double x, Messaggi& msg) {
    ValoriX out;
    if (!std::isfinite(x)) throw Guasto("ascissa non finita");
    if (x < 0) {
        msg.Mostra(TestoXNegativa);
        return out;
    }
    if (x > d.Luce) {
        msg.Mostra(TestoXOltreLuce);
        return out;
    }
    double M, V;
    AzioniInX(d, r, x, M, V);
    SuoloRigidoInX(d, r, x, M, V);
    if (!r.AzioniAppoggi.empty()) {
        // A continuous beam's statics at x sums its supports' actions: their
        // round-off of a zero is 0, as at the calculation points.
        double sM = 0, sV = 0;
        for (int i = 1; i <= r.NPunti; ++i)
            sM = std::max(sM, std::fabs(double(r.M(i)))),
            sV = std::max(sV, std::fabs(double(r.V(i))));
        Netto(M, sM);
        Netto(V, sV);
    }
    out.M = ASingolo(M, "momento");
    out.V = ASingolo(V, "taglio");
    out.f = InterpolaInX(r.x, x, r.f, r.NPunti);
    if (d.Vincoli == Fondazione) {
        if (d.Winkler)
            out.Sigma = ASingolo(PressioneWinklerInX(d, r, x, *out.f), "pressione sul suolo");
        else
            out.Sigma = ASingolo(Diviso(ReazioneSuoloInX(d, r, x), d.b, "larghezza nulla"),
                                 "pressione sul suolo");
    }
    return out;
}

ValoriX ValoriInXDopoCalcolo(const DatiTrave& d, const RisultatiTrave& r, double x, Messaggi& msg) {
    if (!(d.Vincoli == Fondazione && d.Winkler)) return ValoriInX(d, r, x, msg);
    DatiTrave conMolle = d;
    AccodaRighe(conMolle.NConcentrati, conMolle.CarichiConcentrati, RigheMolle(r, d.Luce));
    return ValoriInX(conMolle, r, x, msg);
}

RiepilogoFondazione RiepilogoFondazioneCalcola(const ModuloZelvo& m, Messaggi& msg) {
    const DatiTrave& d = m.Dati;
    const RisultatiTrave& r = m.Risultati;
    if (r.NPunti < 1) throw Guasto("risultati assenti");
    RiepilogoFondazione s;
    if (d.Winkler) {
        s.SigmaA = ASingolo(d.K * r.f(1), "pressione sul suolo");
        s.SigmaB = ASingolo(d.K * r.f(r.NPunti), "pressione sul suolo");
    } else {
        if (!(r.qSuoloA && r.qSuoloB)) throw Guasto("reazione del suolo non calcolata");
        s.SigmaA = ASingolo(Diviso(*r.qSuoloA, d.b, "larghezza nulla"), "pressione sul suolo");
        s.SigmaB = ASingolo(Diviso(*r.qSuoloB, d.b, "larghezza nulla"), "pressione sul suolo");
    }
    if (std::fabs(r.Mmin) < r.Mmax) {
        s.M = r.Mmax;
        s.xM = r.xMmax;
    } else {
        s.M = r.Mmin;
        s.xM = r.xMmin;
    }
    s.V = r.Vmax;
    s.xV = r.xVmax;
    s.f = r.fmax;
    s.xf = r.xfmax;
    const ValoriX v = ValoriInX(d, r, r.xfMaxGiu, msg);
    s.SigmaMax = v.Sigma;
    s.xSigmaMax = r.xfMaxGiu;
    return s;
}

} // namespace zelvo
