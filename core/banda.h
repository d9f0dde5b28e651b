// Band and dense linear systems solved with the system LAPACK.
//
// The foundation model's matrices have three diagonals on each side of the
// main one; they are held in LAPACK band storage (`dgbsv` layout) and solved
// by banded LU with partial pivoting. The dense path (`dgesv`) stays for
// small systems and for cross-checks.
#pragma once

#include <vector>

namespace zelvo {

// Square band matrix of order n with kl sub- and ku super-diagonals, stored
// column-major in LAPACK band layout with kl extra rows for the fill-in of
// the factorisation (leading dimension 2·kl + ku + 1). Indices are 1-based.
class MatriceBanda {
  public:
    MatriceBanda() = default;
    MatriceBanda(int n, int kl, int ku) { Dimensiona(n, kl, ku); }

    // Re-sizes to order n, all zeros. A negative size or band is a fault.
    void Dimensiona(int n, int kl, int ku);

    int N() const { return n_; }
    int KL() const { return kl_; }
    int KU() const { return ku_; }
    int LDAB() const { return 2 * kl_ + ku_ + 1; }

    // Entry (i, j); outside the band (or the matrix) is an index fault.
    double& operator()(int i, int j);
    // Entry (i, j); zero outside the band, fault outside the matrix.
    double operator()(int i, int j) const;
    bool NellaBanda(int i, int j) const;

    // The same matrix in full, column-major n×n.
    std::vector<double> Densa() const;

    double* data() { return ab_.data(); }
    const double* data() const { return ab_.data(); }

  private:
    int n_ = 0, kl_ = 0, ku_ = 0;
    std::vector<double> ab_;
};

// LU factors left by a solve, to solve again with the same matrix (LAPACK
// dgbtrs / dgetrs), for example in iterative refinement.
struct FattoriLU {
    bool banda = true;
    int n = 0, kl = 0, ku = 0, ld = 0;
    std::vector<double> lu;
    std::vector<int> ipiv;
    // Overwrites b with the solution; false when there are no factors.
    bool Risolvi(std::vector<double>& b) const;
};

// Solves A·x = b by banded LU with partial pivoting (LAPACK dgbsv) on a
// working copy of A; b is overwritten with the solution. Returns LAPACK's
// INFO: 0 on success, i > 0 when U(i,i) is exactly zero (singular).
int RisolviBanda(const MatriceBanda& A, std::vector<double>& b, FattoriLU* fattori = nullptr);

// Solves A·x = b with the dense LU of LAPACK (dgesv); A is column-major n×n
// and is taken by value (dgesv overwrites its copy). Returns INFO.
int RisolviDensa(std::vector<double> A, int n, std::vector<double>& b,
                 FattoriLU* fattori = nullptr);

} // namespace zelvo
