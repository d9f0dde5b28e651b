#include "fondazione_rigida.h"

#include "calcolo.h"
#include "guasto.h"
#include "matematica.h"

#include <cmath>

namespace zelvo {

bool PressioneLineare(float M, float N, float b, float L, bool Trazione, float& SigmaA,
                      float& SigmaB, float& Contatto, Messaggi& msg) {
    const double bL = static_cast<double>(b) * L;
    if (N != 0) {
        // Loads pulling upward overall find no soil that holds them.
        if (N < 0 && !Trazione) {
            msg.Mostra(TestoRisultanteVersoAlto, Icona::Critica);
            return false;
        }
        const float e = ASingolo(Diviso(M, N), "eccentricità");
        if (e <= L / 6.0f || Trazione) {
            const double r = Diviso(N, bL, "base nulla");
            const double k = Diviso(6.0 * e, L, "luce nulla");
            SigmaA = ASingolo(r * (1 + k), "pressione sul suolo");
            SigmaB = ASingolo(r * (1 - k), "pressione sul suolo");
            Contatto = L;
        } else {
            const float u = ASingolo(L / 2.0 - e);
            Contatto = ASingolo(3.0 * u);
            SigmaA = ASingolo(Diviso(2.0 * N, static_cast<double>(Contatto) * b, "contatto nullo"),
                              "pressione sul suolo");
            SigmaB = 0;
            if (u <= 0) {
                msg.Mostra(TestoRisultanteEsterna, Icona::Critica);
                return false;
            }
        }
        return true;
    }
    if (Trazione) {
        SigmaA = ASingolo(Diviso(6.0 * M, bL * L, "luce nulla"), "pressione sul suolo");
        SigmaB = -SigmaA;
        Contatto = L;
        return true;
    }
    msg.Mostra(TestoRisultanteNulla, Icona::Critica);
    return false;
}

bool PressioniFondazioneRigida(const DatiTrave& d, RisultatiTrave& r, Messaggi& msg) {
    const float L = d.Luce;
    const float s = ASingolo(r.RA0 + r.RB0, "risultante");
    // Moment at B of the loads alone (no end actions at A).
    const RisultatiTrave libera;
    double ML, VL;
    AzioniInX(d, libera, L, ML, VL);
    const float t = ASingolo(static_cast<double>(L) * s / 2 + ASingolo(ML), "momento risultante");
    float qA = 0, qB = 0, c = 0;
    if (t < 0) {
        if (!PressioneLineare(-t, s, 1, L, d.ReagTraz, qA, qB, c, msg)) return false;
        r.xContattoIniz = 0.0f;
        r.xContattoFine = c;
    } else {
        if (!PressioneLineare(t, s, 1, L, d.ReagTraz, qB, qA, c, msg)) return false;
        r.xContattoIniz = ASingolo(static_cast<double>(L) - c);
        r.xContattoFine = L;
    }
    r.qSuoloA = qA;
    r.qSuoloB = qB;
    return true;
}

double ReazioneSuoloInX(const DatiTrave& d, const RisultatiTrave& r, double x) {
    if (!(r.qSuoloA && r.qSuoloB && r.xContattoIniz && r.xContattoFine))
        throw Guasto("reazione del suolo non calcolata");
    const double x1 = *r.xContattoIniz, x2 = *r.xContattoFine;
    if (!d.ReagTraz && (x < x1 || x > x2)) return 0;
    return yInterpola(x, x1, *r.qSuoloA, x2, *r.qSuoloB);
}

void CedimentiFondazioneRigida(const DatiTrave& d, RisultatiTrave& r) {
    if (!(r.qSuoloA && r.qSuoloB && r.xContattoIniz && r.xContattoFine))
        throw Guasto("reazione del suolo non calcolata");
    const int n = r.NPunti;
    if (n < 2 || r.f.Conta() < n || r.x.Conta() < n) throw Guasto("punti di calcolo");
    const double L = d.Luce;
    const double x1 = *r.xContattoIniz, x2 = *r.xContattoFine;
    const double p0 = yInterpola(0, x1, *r.qSuoloA, x2, *r.qSuoloB);
    const double pL = yInterpola(L, x1, *r.qSuoloA, x2, *r.qSuoloB);
    const float f1 =
        ASingolo(Diviso(Diviso(p0, d.b, "larghezza nulla"), d.K, "K nullo"), "cedimento");
    const float fn =
        ASingolo(Diviso(Diviso(pL, d.b, "larghezza nulla"), d.K, "K nullo"), "cedimento");
    r.f(1) = f1;
    r.f(n) = fn;
    const double pendenza = Diviso(static_cast<double>(fn) - f1, L, "luce nulla");
    for (int i = 2; i <= n - 1; ++i)
        r.f(i) = ASingolo(f1 + pendenza * r.x(i), "cedimento");
}

} // namespace zelvo
