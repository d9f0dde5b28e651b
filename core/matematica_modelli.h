// Template definitions of matematica.h.
#pragma once

#include <algorithm>
#include <numeric>

namespace zelvo {

template <class T> void Ordina(Vettore1<T>& a, int n, Vettore1<int>* p) {
    if (n < 1) return;
    if (n > a.Conta()) throw Guasto("Ordina oltre i limiti");
    // A bubble sort that swaps only strictly greater neighbours is stable:
    // a stable sort gives the same order in O(n log n).
    std::vector<int> idx(static_cast<size_t>(n));
    std::iota(idx.begin(), idx.end(), 1);
    std::stable_sort(idx.begin(), idx.end(), [&](int i, int j) { return a(i) < a(j); });
    std::vector<T> ordinati;
    ordinati.reserve(idx.size());
    for (int i : idx)
        ordinati.push_back(a(i));
    for (int i = 1; i <= n; ++i)
        a(i) = ordinati[static_cast<size_t>(i - 1)];
    if (p) {
        p->Ridimensiona(n);
        for (int i = 1; i <= n; ++i)
            (*p)(i) = idx[static_cast<size_t>(i - 1)];
    }
}

template <class T> Vettore1<T> Riordina(const Vettore1<T>& a, const Vettore1<int>& p, int n) {
    if (n < 0) n = p.Conta();
    Vettore1<T> b(n);
    for (int i = 1; i <= n; ++i)
        b(i) = a(p(i));
    return b;
}

template <class TA, class TB> void AccodaRighe(int16_t& n, Vettore1<TA>& A, const Vettore1<TB>& B) {
    const int m = B.Conta();
    const int16_t nuovo = Conteggio16(static_cast<long long>(n) + m);
    A.Conserva(nuovo);
    for (int i = 1; i <= m; ++i)
        A(n + i) = static_cast<TA>(B(i));
    n = nuovo;
}

template <class T> int CercaValore(const Vettore1<T>& a, const T& v, int n) {
    for (int i = 1; i <= n; ++i)
        if (a(i) == v) return i;
    return -1;
}

} // namespace zelvo
