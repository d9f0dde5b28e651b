#include "banda.h"

#include "guasto.h"

#include <cstddef>

// Fortran entry points of the system LAPACK (32-bit integers, no hidden
// string arguments for these two routines).
extern "C" {
void dgbsv_(const int* n, const int* kl, const int* ku, const int* nrhs, double* ab,
            const int* ldab, int* ipiv, double* b, const int* ldb, int* info);
void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv, double* b,
            const int* ldb, int* info);
void dgbtrs_(const char* trans, const int* n, const int* kl, const int* ku, const int* nrhs,
             const double* ab, const int* ldab, const int* ipiv, double* b, const int* ldb,
             int* info, size_t trans_len);
void dgetrs_(const char* trans, const int* n, const int* nrhs, const double* a, const int* lda,
             const int* ipiv, double* b, const int* ldb, int* info, size_t trans_len);
}

namespace zelvo {

void MatriceBanda::Dimensiona(int n, int kl, int ku) {
    if (n < 0 || kl < 0 || ku < 0) throw Guasto("dimensione di matrice a banda non valida");
    n_ = n;
    kl_ = kl;
    ku_ = ku;
    ab_.assign(static_cast<size_t>(LDAB()) * static_cast<size_t>(n), 0.0);
}

bool MatriceBanda::NellaBanda(int i, int j) const {
    return i >= 1 && j >= 1 && i <= n_ && j <= n_ && i - j <= kl_ && j - i <= ku_;
}

double& MatriceBanda::operator()(int i, int j) {
    if (!NellaBanda(i, j)) throw Guasto("indice fuori dalla banda");
    // LAPACK: A(i,j) is AB(kl+ku+1+i-j, j), 1-based.
    const size_t r = static_cast<size_t>(kl_ + ku_ + i - j);
    return ab_[r + static_cast<size_t>(j - 1) * static_cast<size_t>(LDAB())];
}

double MatriceBanda::operator()(int i, int j) const {
    if (i < 1 || j < 1 || i > n_ || j > n_) throw Guasto("indice fuori dai limiti");
    if (!NellaBanda(i, j)) return 0.0;
    const size_t r = static_cast<size_t>(kl_ + ku_ + i - j);
    return ab_[r + static_cast<size_t>(j - 1) * static_cast<size_t>(LDAB())];
}

std::vector<double> MatriceBanda::Densa() const {
    const size_t n = static_cast<size_t>(n_);
    std::vector<double> a(n * n, 0.0);
    for (int j = 1; j <= n_; ++j) {
        const int i0 = j - ku_ < 1 ? 1 : j - ku_;
        const int i1 = j + kl_ > n_ ? n_ : j + kl_;
        for (int i = i0; i <= i1; ++i)
            a[static_cast<size_t>(i - 1) + static_cast<size_t>(j - 1) * n] = (*this)(i, j);
    }
    return a;
}

bool FattoriLU::Risolvi(std::vector<double>& b) const {
    if (n == 0 || static_cast<int>(b.size()) != n) return false;
    const int nrhs = 1;
    int info = 0;
    if (banda)
        dgbtrs_("N", &n, &kl, &ku, &nrhs, lu.data(), &ld, ipiv.data(), b.data(), &n, &info, 1);
    else
        dgetrs_("N", &n, &nrhs, lu.data(), &ld, ipiv.data(), b.data(), &n, &info, 1);
    return info == 0;
}

int RisolviBanda(const MatriceBanda& A, std::vector<double>& b, FattoriLU* fattori) {
    const int n = A.N();
    if (static_cast<int>(b.size()) != n) throw Guasto("termine noto di dimensione errata");
    if (n == 0) return 0;
    std::vector<double> ab(A.data(), A.data() + static_cast<size_t>(A.LDAB()) * b.size());
    std::vector<int> ipiv(static_cast<size_t>(n));
    const int kl = A.KL(), ku = A.KU(), nrhs = 1, ldab = A.LDAB();
    int info = 0;
    dgbsv_(&n, &kl, &ku, &nrhs, ab.data(), &ldab, ipiv.data(), b.data(), &n, &info);
    if (fattori && info == 0) *fattori = {true, n, kl, ku, ldab, std::move(ab), std::move(ipiv)};
    return info;
}

int RisolviDensa(std::vector<double> A, int n, std::vector<double>& b, FattoriLU* fattori) {
    if (n < 0 || static_cast<int>(b.size()) != n ||
        A.size() != static_cast<size_t>(n) * static_cast<size_t>(n))
        throw Guasto("sistema denso di dimensione errata");
    if (n == 0) return 0;
    std::vector<int> ipiv(static_cast<size_t>(n));
    const int nrhs = 1;
    int info = 0;
    dgesv_(&n, &nrhs, A.data(), &n, ipiv.data(), b.data(), &n, &info);
    if (fattori && info == 0) *fattori = {false, n, 0, 0, n, std::move(A), std::move(ipiv)};
    return info;
}

} // namespace zelvo
