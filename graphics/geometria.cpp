#include "graphics/geometria.h"

#include "core/guasto.h"
#include "core/matematica.h"

#include <algorithm>
#include <cmath>

namespace zelvo {

void EstremiPoligonale(int n, const Vettore1<double>& x, const Vettore1<double>& y, double& xMin,
                       double& xMax, double& yMin, double& yMax) {
    xMin = 1E+20;
    yMin = 1E+20;
    xMax = -1E+20;
    yMax = -1E+20;
    for (int i = 1; i <= n; ++i) {
        xMin = std::min(xMin, x(i));
        xMax = std::max(xMax, x(i));
        yMin = std::min(yMin, y(i));
        yMax = std::max(yMax, y(i));
    }
}

double MassimaDimensione(const Vettore1<double>& x, const Vettore1<double>& y, int n,
                         double divisore) {
    double x0, x1, y0, y1;
    EstremiPoligonale(n, x, y, x0, x1, y0, y1);
    if (n < 1) return 0;
    return Diviso(std::max(x1 - x0, y1 - y0), divisore);
}

bool NumeriUguali(double a, double b, double tol) {
    const double m = std::max(std::fabs(a), std::fabs(b));
    const double e = m > tol ? tol * m : tol;
    return std::fabs(a - b) <= e;
}

bool PuntiCoincidenti(const std::vector<double>& p, const std::vector<double>& q, double tol,
                      Messaggi& msg) {
    if (tol == 0) msg.Mostra("zero=0 in PuntiCoincidenti");
    const size_t n = std::min<size_t>(3, std::max(p.size(), q.size()));
    for (size_t i = 0; i < n; ++i) {
        const double a = i < p.size() ? p[i] : 0.0;
        const double b = i < q.size() ? q[i] : 0.0;
        if (!NumeriUguali(a, b, tol)) return false;
    }
    return true;
}

bool PuntiCoincidentiXY(double x1, double y1, double x2, double y2, double tol, Messaggi& msg) {
    if (tol == 0) msg.Mostra("zero=0 in PuntiCoincidentiXY");
    return NumeriUguali(x1, x2, tol) && NumeriUguali(y1, y2, tol);
}

void RuotaPunti(int n, Vettore1<double>& x, Vettore1<double>& y, double xc, double yc,
                double angolo) {
    for (int i = 1; i <= n; ++i) {
        const double dx = x(i) - xc, dy = y(i) - yc;
        const double r = std::hypot(dx, dy);
        const double a = std::atan2(dy, dx) + angolo;
        x(i) = xc + r * std::cos(a);
        y(i) = yc + r * std::sin(a);
    }
}

void TogliePuntiInizialiDaPoligonale(const Vettore1<double>& x, const Vettore1<double>& y, int n,
                                     Vettore1<double>& xOut, Vettore1<double>& yOut, int& nOut,
                                     int k, Messaggi& msg) {
    if (k < 0) {
        msg.Mostra("Errore in TogliePuntiInizialiDaPoligonale: nPunti=" + std::to_string(k) +
                   " <1");
        return;
    }
    const int m = std::max(0, n - k);
    xOut.Ridimensiona(m);
    yOut.Ridimensiona(m);
    for (int i = 1; i <= m; ++i) {
        xOut(i) = x(k + i);
        yOut(i) = y(k + i);
    }
    nOut = m;
}

int PuntiEffettivi(int n, const Vettore1<double>& x, const Vettore1<double>& y) {
    if (n >= 2 && x(n) == x(1) && y(n) == y(1)) return n - 1;
    return n;
}

std::vector<Incrocio> IntersezioneRettaPoligono(Punto2 a, Punto2 b, int n,
                                                const Vettore1<double>& x,
                                                const Vettore1<double>& y) {
    std::vector<Incrocio> out;
    const int m = PuntiEffettivi(n, x, y);
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    if (m < 2 || l2 == 0) return out;
    // Signed distance (times |b - a|) of a point from the line.
    auto lato = [&](double px, double py) { return dx * (py - a.y) - dy * (px - a.x); };
    for (int i = 1; i <= m; ++i) {
        const int j = i == m ? 1 : i + 1;
        const double si = lato(x(i), y(i)), sj = lato(x(j), y(j));
        if ((si > 0) == (sj > 0)) continue;
        const double u = si / (si - sj); // si != sj since exactly one is > 0
        Punto2 p{x(i) + u * (x(j) - x(i)), y(i) + u * (y(j) - y(i))};
        const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2;
        out.push_back({t, p});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const Incrocio& p, const Incrocio& q) { return p.t < q.t; });
    return out;
}

bool PuntoInPoligono(double px, double py, int n, const Vettore1<double>& x,
                     const Vettore1<double>& y) {
    const int m = PuntiEffettivi(n, x, y);
    bool dentro = false;
    for (int i = 1, j = m; i <= m; j = i++) {
        if ((y(i) > py) != (y(j) > py)) {
            const double xi = x(j) + (py - y(j)) * (x(i) - x(j)) / (y(i) - y(j));
            if (px < xi) dentro = !dentro;
        }
    }
    return dentro;
}

std::vector<std::array<Punto2, 2>> SegmentiTratteggio(int n, const Vettore1<double>& x,
                                                      const Vettore1<double>& y, double angoloGradi,
                                                      double parti) {
    std::vector<std::array<Punto2, 2>> out;
    if (n < 3) return out;
    const double teta = angoloGradi * PiGreco / 180;
    Vettore1<double> rx(n), ry(n);
    for (int i = 1; i <= n; ++i)
        rx(i) = Finito(x(i), "coordinata non finita"),
        ry(i) = Finito(y(i), "coordinata non finita");
    RuotaPunti(n, rx, ry, 0, 0, -teta);
    double x0, x1, y0, y1;
    EstremiPoligonale(n, rx, ry, x0, x1, y0, y1);
    const double H = y1 - y0;
    if (!(H > 0) || parti == 0) return out;
    int conta;
    double d;
    if (parti < 0) {
        d = -parti;
        conta = AIntero16(H / d);
    } else {
        conta = AIntero16(parti);
        d = H / parti;
    }
    for (int k = 1; k < conta; ++k) {
        const double yk = y0 + k * d;
        auto inc = IntersezioneRettaPoligono({x0 - 1, yk}, {x1 + 1, yk}, n, rx, ry);
        std::vector<Punto2> p;
        for (const auto& c : inc) {
            Vettore1<double> px(1), py(1);
            px(1) = c.p.x, py(1) = c.p.y;
            RuotaPunti(1, px, py, 0, 0, teta);
            p.push_back({px(1), py(1)});
        }
        if (p.size() % 2 == 0) {
            for (size_t i = 0; i + 1 < p.size(); i += 2)
                out.push_back({p[i], p[i + 1]});
        } else {
            for (size_t i = 0; i + 1 < p.size(); ++i) {
                const double mx = (inc[i].p.x + inc[i + 1].p.x) / 2;
                if (PuntoInPoligono(mx, yk, n, rx, ry)) out.push_back({p[i], p[i + 1]});
            }
        }
    }
    return out;
}

} // namespace zelvo
