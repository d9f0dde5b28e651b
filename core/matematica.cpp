#include "matematica.h"

#include "guasto.h"

#include <cmath>
#include <limits>

namespace zelvo {

int16_t CercaIndice(const Vettore1<double>& xs, double x, int n) {
    if (n < 1) throw Guasto("CercaIndice su tabella vuota");
    const double campo = xs(n) - xs(1);
    // First guess as if the table were evenly spaced (nearest integer, half to even).
    double guess = 1;
    if (campo != 0) {
        guess = std::nearbyint((x - xs(1)) * n / campo);
        if (!std::isfinite(guess)) throw Guasto("CercaIndice");
    }
    long long i = guess < 1 ? 1 : (guess > n ? n : static_cast<long long>(guess));
    int ii = static_cast<int>(i);
    if (xs(ii) == x) return Conteggio16(ii);
    if (x < xs(ii)) {
        while (ii >= 1 && x < xs(ii))
            --ii;
        return Conteggio16(ii < 1 ? 1 : ii);
    }
    // x > xs(ii): step up until x <= xs(ii); beyond the table is an index fault.
    while (x > xs(ii)) {
        if (ii >= n) throw Guasto("CercaIndice oltre la tabella");
        ++ii;
    }
    if (x < xs(ii)) --ii;
    return Conteggio16(ii < 1 ? 1 : ii);
}

double yInterpola(double x, double x1, double y1, double x2, double y2, Messaggi* msg) {
    if (x1 == x2) return y1;
    const double y = y1 + (y2 - y1) / (x2 - x1) * (x - x1);
    if (std::isfinite(y)) return y;
    if (!msg) throw Guasto("yInterpola");
    msg->Mostra("Errore nella funzione yInterpola", Icona::Critica);
    return 0;
}

int IndiceSuccessivo(int n, int i) {
    return i >= n ? 1 : i + 1;
}
int IndicePrecedente(int n, int i) {
    return i <= 1 ? n : i - 1;
}

double Angolo(double y, double x) {
    if (x != 0) {
        const double q = y / x;
        if (std::isfinite(q)) {
            double a = std::atan(q);
            if (x > 0 && y < 0) a += 2 * PiGreco;
            if (x < 0) a += PiGreco;
            return a;
        }
        // An overflowing quotient: like signs π/2, unlike signs 3π/2.
        return ((y > 0) == (x > 0)) ? PiGreco / 2 : 3 * PiGreco / 2;
    }
    if (y == 0) return 0;
    return y > 0 ? PiGreco / 2 : 3 * PiGreco / 2;
}

bool Pari(long long n) {
    // n = 2·Int(n/2), with Int rounding toward minus infinity.
    const long long h = (n >= 0) ? n / 2 : -((-n + 1) / 2);
    return n == 2 * h;
}

double RadiceFunzione(const std::function<double(double)>& f, double& x1, double& x2,
                      double tolleranza, Messaggi& msg, bool* convergente) {
    if (convergente) *convergente = true;
    double y1 = f(x1);
    if (std::fabs(y1) < tolleranza) return x1;
    double y2 = f(x2);
    if (std::fabs(y2) < tolleranza) return x2;
    if (y1 * y2 > 0) {
        msg.Mostra("ERRORE! La funzione non cambia segno fra x1 e x2", Icona::Critica);
        if (convergente) *convergente = false;
        return 0;
    }
    long long N = 100, k = 0;
    for (;;) {
        const double x3 = x2 - y2 * (x2 - x1) / (y2 - y1);
        const double y3 = f(x3);
        if (std::fabs(y3) < tolleranza) return x3;
        if (y3 * y2 <= 0) {
            x1 = x2;
            y1 = y2;
        } else {
            y1 = y1 / 2;
        }
        x2 = x3;
        y2 = y3;
        ++k;
        if (k > N) {
            const std::string testo = std::string("ERRORE! Il procedimento non converge!") + "\r" +
                                      "Superate " + " " + std::to_string(N) + " iterazioni." +
                                      "\r" + "Proseguire ?";
            if (msg.Chiedi(testo, Icona::Domanda)) {
                N += 100;
            } else {
                msg.Mostra(std::string("ERRORE! Procedimento non convergente!") + "\r" +
                           "RISULTATI ERRATI!");
                if (convergente) *convergente = false;
                return 0;
            }
        }
    }
}

} // namespace zelvo
