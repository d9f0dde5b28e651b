// Results of load cases filled by hand for the tests of what shows them.
//
// A simply supported span of length L under two uniform cases, a permanent
// one G1 of g and a variable one Q of q (category B), at the points
// x = 0, L/12, ..., L. By statics each case gives M(x) = w x (L - x) / 2,
// V(x) = w (L/2 - x), and by the elastic line
// f(x) = w x (L³ - 2 L x² + x³) / (24 E J). With one span the fundamental
// combination has no pattern: the largest moment and shear come from
// 1.3 g + 1.5 q, the smallest moment from the favourable g alone, the
// smallest shear on the left half (largest on the right one) from g alone.
// Every envelope is filled with those SLU curves; the deflection envelope
// with g + q (largest) and g (smallest).
#pragma once

#include "core/combinazioni.h"

namespace zelvo::prova {

inline double MomentoUniforme(double w, double L, double x) {
    return w * x * (L - x) / 2;
}
inline double TaglioUniforme(double w, double L, double x) {
    return w * (L / 2 - x);
}
inline double FrecciaUniforme(double w, double L, double EJ, double x) {
    return w * x * (L * L * L - 2 * L * x * x + x * x * x) / (24 * EJ);
}

inline void RiempiCombinazioni(RisultatiCombinazioni& r, double L, double EJ, double g, double q) {
    r = {};
    r.Calcolato = true;
    r.Casi = {{"Permanenti", TipoCaso::G1, CategoriaQ::A, 0, 0, 0},
              {"Folla", TipoCaso::Q, CategoriaQ::B, 0.7, 0.5, 0.3}};
    r.PerCaso.resize(2);
    const double su = 1.3 * g + 1.5 * q;
    for (int i = 0; i <= 12; ++i) {
        const double x = L * i / 12;
        r.x.push_back(x);
        r.Campata.push_back(0);
        for (size_t k = 0; k < 2; ++k) {
            const double w = k == 0 ? g : q;
            auto& v = r.PerCaso[k].Valori;
            v[0].push_back(MomentoUniforme(w, L, x));
            v[1].push_back(TaglioUniforme(w, L, x));
            v[2].push_back(FrecciaUniforme(w, L, EJ, x));
        }
        for (auto& inv : r.Inviluppi) {
            auto& M = inv.Curve[0];
            M.Max.push_back(MomentoUniforme(su, L, x));
            M.Min.push_back(MomentoUniforme(g, L, x));
            auto& V = inv.Curve[1];
            V.Max.push_back(TaglioUniforme(x <= L / 2 ? su : g, L, x));
            V.Min.push_back(TaglioUniforme(x <= L / 2 ? g : su, L, x));
            auto& f = inv.Curve[2];
            f.Max.push_back(FrecciaUniforme(g + q, L, EJ, x));
            f.Min.push_back(FrecciaUniforme(g, L, EJ, x));
        }
    }
}

} // namespace zelvo::prova
