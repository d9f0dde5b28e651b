#include "section/pittogrammi_sezione.h"

#include "graphics/colori.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace zelvo {

namespace {

constexpr double kPi = 3.14159265358979323846;

AnelloSezione Regolare(double r, int n, double fase) {
    AnelloSezione a;
    for (int k = 0; k < n; ++k) {
        const double t = fase + 2 * kPi * k / n;
        a.emplace_back(0.5 + r * std::cos(t), 0.5 - r * std::sin(t));
    }
    return a;
}

} // namespace

void FiguraTratteggiata(Superficie& s, const std::vector<AnelloSezione>& anelli) {
    const int32_t contorno = s.Colore(Cad::Blu), tratteggio = s.Colore(Cad::Grigio);
    s.SpessoreLinea(1);
    for (double c = -1; c < 1; c += 0.09) {
        // crossings of the line x - y = c with every edge, ordered along it
        std::vector<double> t;
        for (const AnelloSezione& a : anelli)
            for (size_t k = 0; k < a.size(); ++k) {
                const auto [x1, y1] = a[k];
                const auto [x2, y2] = a[(k + 1) % a.size()];
                const double f1 = x1 - y1 - c, f2 = x2 - y2 - c;
                if ((f1 < 0) == (f2 < 0)) continue;
                const double u = f1 / (f1 - f2);
                t.push_back(x1 + u * (x2 - x1)); // x along the line
            }
        std::sort(t.begin(), t.end());
        for (size_t k = 0; k + 1 < t.size(); k += 2)
            s.Linea(t[k], t[k] - c, t[k + 1], t[k + 1] - c, tratteggio);
    }
    s.SpessoreLinea(2);
    for (const AnelloSezione& a : anelli) {
        Vettore1<double> x(static_cast<int>(a.size())), y(static_cast<int>(a.size()));
        for (size_t k = 0; k < a.size(); ++k) {
            x(static_cast<int>(k) + 1) = a[k].first;
            y(static_cast<int>(k) + 1) = a[k].second;
        }
        s.Poligonale(static_cast<int>(a.size()), x, y, true, contorno);
    }
}

void DisegnaTipoSezione(Superficie& s, int tipo) {
    switch (tipo) {
    case 0: // one rectangle
        FiguraTratteggiata(s, {{{0.3, 0.1}, {0.7, 0.1}, {0.7, 0.9}, {0.3, 0.9}}});
        break;
    case 1: // T
        FiguraTratteggiata(s, {{{0.1, 0.1},
                                {0.9, 0.1},
                                {0.9, 0.3},
                                {0.6, 0.3},
                                {0.6, 0.9},
                                {0.4, 0.9},
                                {0.4, 0.3},
                                {0.1, 0.3}}});
        break;
    case 2: // rectangles stacked
        FiguraTratteggiata(s, {{{0.15, 0.1}, {0.85, 0.1}, {0.85, 0.3}, {0.15, 0.3}},
                               {{0.38, 0.3}, {0.62, 0.3}, {0.62, 0.7}, {0.38, 0.7}},
                               {{0.25, 0.7}, {0.75, 0.7}, {0.75, 0.9}, {0.25, 0.9}}});
        break;
    case 3: // trapezoids stacked
        FiguraTratteggiata(s, {{{0.1, 0.1}, {0.9, 0.1}, {0.6, 0.5}, {0.4, 0.5}},
                               {{0.4, 0.5}, {0.6, 0.5}, {0.75, 0.9}, {0.25, 0.9}}});
        break;
    case 4: // ring
        FiguraTratteggiata(s, {Regolare(0.4, 48, 0), Regolare(0.22, 48, 0)});
        break;
    case 5: { // polygon by its vertices, the vertices marked
        const AnelloSezione v{{0.15, 0.85}, {0.2, 0.3},  {0.55, 0.12},
                              {0.88, 0.45}, {0.6, 0.55}, {0.75, 0.85}};
        FiguraTratteggiata(s, {v});
        s.SpessoreLinea(2);
        for (const auto& [x, y] : v)
            s.Arco(x, y, 0.035, 0, 2 * kPi, s.Colore(Cad::Rosso));
        break;
    }
    default: // hollow regular polygon
        FiguraTratteggiata(s, {Regolare(0.42, 6, kPi / 2), Regolare(0.22, 6, kPi / 2)});
        break;
    }
}

} // namespace zelvo
