// 1-based tables of the problem and results records.
//
// `Vettore1<T>` is a resizable one-dimensional table indexed 1..Conta();
// every access is bounds-checked and an index out of bounds throws `Guasto`,
// as the run-time fault it is.
#pragma once

#include "guasto.h"

#include <vector>

namespace zelvo {

template <class T> class Vettore1 {
  public:
    Vettore1() = default;
    explicit Vettore1(int n) { Ridimensiona(n); }

    // Re-sizes to 1..n discarding the old contents (every element value-initialised).
    void Ridimensiona(int n) {
        if (n < 0) throw Guasto("dimensione negativa");
        v_.assign(static_cast<size_t>(n), T{});
    }
    // Re-sizes to 1..n keeping the first min(old, n) elements.
    void Conserva(int n) {
        if (n < 0) throw Guasto("dimensione negativa");
        v_.resize(static_cast<size_t>(n));
    }
    void Svuota() { v_.clear(); }
    void Accoda(const T& t) { v_.push_back(t); }

    int Conta() const { return static_cast<int>(v_.size()); }
    bool Vuoto() const { return v_.empty(); }

    T& operator()(int i) {
        if (i < 1 || i > Conta()) throw Guasto("indice fuori dai limiti");
        return v_[static_cast<size_t>(i - 1)];
    }
    const T& operator()(int i) const {
        if (i < 1 || i > Conta()) throw Guasto("indice fuori dai limiti");
        return v_[static_cast<size_t>(i - 1)];
    }

    // Raw access for algorithms that have checked their range themselves.
    T* data() { return v_.data(); }
    const T* data() const { return v_.data(); }
    const std::vector<T>& vettore() const { return v_; }
    std::vector<T>& vettore() { return v_; }

    bool operator==(const Vettore1&) const = default;

  private:
    std::vector<T> v_;
};

} // namespace zelvo
