// Drawing of a polygon: outline, hatch and vertex numbers, through the
// primitives of the drawing module (so that one routine serves the screen,
// the printer, DXF files and the CAD seam).
#include "section/poligono.h"

#include "graphics/geometria.h"
#include "graphics/grafica.h"

#include <cmath>

namespace zelvo {

bool Poligono::Disegnabile() const {
    const int n = nVertici_;
    if (n < 3) return false;
    for (int i = 1; i <= n; ++i)
        if (!std::isfinite(xs_(i)) || !std::isfinite(ys_(i))) return false;
    double x0, x1, y0, y1;
    MaxMin(x0, x1, y0, y1);
    const double d = std::max(x1 - x0, y1 - y0);
    return std::isfinite(d) && d > 0;
}

bool Poligono::Plotta(Grafica& g, bool SezioneCava) const {
    if (!Disegnabile()) return false;
    const int n = nVertici_;
    if (!SezioneCava) {
        g.PoligonaleChiusa(n, xs_, ys_, 1);
        return true;
    }
    // Two loops: the outer one runs 1..n/2-1; n/2 and n/2+1 join it to the
    // inner one (they repeat the first vertex of each loop), which runs
    // n/2+2..n and ends on its own first vertex again.
    const int primo = n / 2 - 1;
    const int togli = n / 2 + 1;
    bool disegnato = false;
    if (primo >= 3) {
        g.PoligonaleChiusa(primo, xs_, ys_, 1);
        disegnato = true;
    }
    Vettore1<double> xi, yi;
    int ni = 0;
    TogliePuntiInizialiDaPoligonale(xs_, ys_, n, xi, yi, ni, togli, g.Avvisi());
    if (ni >= 3) {
        g.PoligonaleChiusa(ni, xi, yi, 1);
        disegnato = true;
    }
    return disegnato;
}

bool Poligono::Tratteggia(Grafica& g, double Angolo, double nDivisioni, double c) const {
    if (!Disegnabile() || !std::isfinite(Angolo) || !std::isfinite(nDivisioni) || nDivisioni == 0 ||
        !std::isfinite(c) || c == 0)
        return false;
    g.Tratteggio(nVertici_, xs_, ys_, Angolo, nDivisioni, c);
    return true;
}

} // namespace zelvo
