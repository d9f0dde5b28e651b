#include "svergolamento.h"

#include <algorithm>
#include <array>
#include <cmath>

extern "C" {
void dsygv_(const int* itype, const char* jobz, const char* uplo, const int* n, double* a,
            const int* lda, double* b, const int* ldb, double* w, double* work, const int* lwork,
            int* info, size_t jobz_len, size_t uplo_len);
}

namespace zelvo {

namespace {

constexpr double Pi = 3.14159265358979323846;

// 4-point Gauss-Legendre on [0, 1].
constexpr std::array<double, 4> XiGauss = {0.0694318442029737, 0.3300094782075719,
                                           0.6699905217924281, 0.9305681557970263};
constexpr std::array<double, 4> PesiGauss = {0.1739274225687269, 0.3260725774312731,
                                             0.3260725774312731, 0.1739274225687269};

// Cubic Hermite shapes on an element of length h at ξ ∈ [0, 1] (unknowns
// f(0), f'(0), f(1), f'(1)) and their first and second x-derivatives.
struct Forme {
    std::array<double, 4> N, D1, D2;
};
Forme Hermite(double xi, double h) {
    const double x2 = xi * xi, x3 = x2 * xi;
    Forme f;
    f.N = {1 - 3 * x2 + 2 * x3, h * (xi - 2 * x2 + x3), 3 * x2 - 2 * x3, h * (-x2 + x3)};
    f.D1 = {(-6 * xi + 6 * x2) / h, 1 - 4 * xi + 3 * x2, (6 * xi - 6 * x2) / h, -2 * xi + 3 * x2};
    f.D2 = {(-6 + 12 * xi) / (h * h), (-4 + 6 * xi) / h, (6 - 12 * xi) / (h * h),
            (-2 + 6 * xi) / h};
    return f;
}

// Nodes of a mesh of n equal elements with the point loads' abscissae added.
std::vector<double> Nodi(const SegmentoSvergolamento& s, int n) {
    std::vector<double> x;
    for (int j = 0; j <= n; ++j)
        x.push_back(s.L * j / n);
    const double tol = 1e-9 * s.L;
    for (const auto& p : s.Concentrati)
        if (p.x > tol && p.x < s.L - tol) x.push_back(p.x);
    for (double r : s.Ritegni)
        if (r > tol && r < s.L - tol) x.push_back(r);
    std::sort(x.begin(), x.end());
    std::vector<double> u;
    for (double v : x)
        if (u.empty() || v - u.back() > tol) u.push_back(v);
    u.back() = s.L;
    return u;
}

struct Risultato {
    bool valido = false, instabile = false;
    double fattore = 0;
};

// The buckled shape at the nodes: v and φ of each node.
struct Forma {
    std::vector<double> v, phi;
};

// The load factor on a given mesh. Unknown k of node i is 4i + k with
// k = 0: v, 1: v', 2: φ, 3: φ'.
// With `forma` the eigenvectors are computed too and the shape of the
// smallest positive load factor is written there (the load factor itself is
// taken from the eigenvalues-only solution, which the results keep).
Risultato Fattore(const SegmentoSvergolamento& s, const std::vector<double>& x,
                  Forma* forma = nullptr) {
    const int nodi = static_cast<int>(x.size());
    const int n = 4 * nodi;
    std::vector<double> Ke(static_cast<size_t>(n) * n, 0.0), Kg(Ke.size(), 0.0);
    auto at = [n](std::vector<double>& K, int i, int j) -> double& {
        return K[static_cast<size_t>(j) * n + i];
    };
    for (int e = 0; e + 1 < nodi; ++e) {
        const double h = x[e + 1] - x[e];
        const std::array<int, 4> iv = {4 * e, 4 * e + 1, 4 * e + 4, 4 * e + 5};
        const std::array<int, 4> ip = {4 * e + 2, 4 * e + 3, 4 * e + 6, 4 * e + 7};
        for (size_t g = 0; g < 4; ++g) {
            const Forme f = Hermite(XiGauss[g], h);
            const double xg = x[e] + XiGauss[g] * h, w = PesiGauss[g] * h;
            const double M = s.Momento ? s.Momento(xg) : 0.0;
            const double q = s.Distribuito ? s.Distribuito(xg) : 0.0;
            for (int a = 0; a < 4; ++a)
                for (int b = 0; b < 4; ++b) {
                    at(Ke, iv[a], iv[b]) += w * s.EIz * f.D2[a] * f.D2[b];
                    at(Ke, ip[a], ip[b]) +=
                        w * (s.GIt * f.D1[a] * f.D1[b] + s.EIw * f.D2[a] * f.D2[b]);
                    // ∫M·v''·φ: the symmetric matrix of the bilinear form.
                    const double c = w * M * f.D2[a] * f.N[b];
                    at(Kg, iv[a], ip[b]) += c;
                    at(Kg, ip[b], iv[a]) += c;
                    at(Kg, ip[a], ip[b]) -= w * s.zg * q * f.N[a] * f.N[b];
                }
        }
    }
    for (const auto& p : s.Concentrati) {
        if (p.x < 0 || p.x > s.L) continue;
        int e = static_cast<int>(std::upper_bound(x.begin(), x.end(), p.x) - x.begin()) - 1;
        e = std::clamp(e, 0, nodi - 2);
        const double h = x[e + 1] - x[e];
        const Forme f = Hermite(std::clamp((p.x - x[e]) / h, 0.0, 1.0), h);
        const std::array<int, 4> ip = {4 * e + 2, 4 * e + 3, 4 * e + 6, 4 * e + 7};
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < 4; ++b)
                at(Kg, ip[a], ip[b]) -= s.zg * p.P * f.N[a] * f.N[b];
    }
    // End conditions: the unknowns kept.
    std::vector<bool> vincolato(static_cast<size_t>(n), false);
    auto vincola = [&](int nodo, EstremoSvergolamento t) {
        if (t == EstremoSvergolamento::Libero) return;
        vincolato[static_cast<size_t>(4 * nodo)] = vincolato[static_cast<size_t>(4 * nodo + 2)] =
            true;
        if (t == EstremoSvergolamento::Incastro)
            vincolato[static_cast<size_t>(4 * nodo + 1)] =
                vincolato[static_cast<size_t>(4 * nodo + 3)] = true;
    };
    vincola(0, s.Inizio);
    vincola(nodi - 1, s.Fine);
    for (double r : s.Ritegni) {
        const auto k = std::min_element(x.begin(), x.end(), [r](double a, double b) {
            return std::fabs(a - r) < std::fabs(b - r);
        });
        if (r > 0 && r < s.L)
            vincola(static_cast<int>(k - x.begin()), EstremoSvergolamento::Forcella);
    }
    std::vector<int> liberi;
    for (int i = 0; i < n; ++i)
        if (!vincolato[static_cast<size_t>(i)]) liberi.push_back(i);
    const int m = static_cast<int>(liberi.size());
    // Diagonal scaling D·K·D with D = diag(Ke)^(-1/2): the unknowns of
    // different kinds (lengths, slopes) brought to one scale.
    std::vector<double> d(static_cast<size_t>(m));
    for (int i = 0; i < m; ++i) {
        const double k = at(Ke, liberi[static_cast<size_t>(i)], liberi[static_cast<size_t>(i)]);
        if (!(k > 0)) return {};
        d[static_cast<size_t>(i)] = 1 / std::sqrt(k);
    }
    std::vector<double> A(static_cast<size_t>(m) * m), B(A.size());
    double normaKg = 0;
    for (int j = 0; j < m; ++j)
        for (int i = 0; i < m; ++i) {
            const int gi = liberi[static_cast<size_t>(i)], gj = liberi[static_cast<size_t>(j)];
            const double dd = d[static_cast<size_t>(i)] * d[static_cast<size_t>(j)];
            const size_t k = static_cast<size_t>(j) * m + i;
            A[k] = -at(Kg, gi, gj) * dd;
            B[k] = at(Ke, gi, gj) * dd;
            normaKg = std::max(normaKg, std::fabs(A[k]));
        }
    Risultato r;
    if (m == 0) return r;
    std::vector<double> mu(static_cast<size_t>(m));
    const int itype = 1;
    const char* jobz = forma ? "V" : "N";
    int lwork = -1, info = 0;
    double q = 0;
    dsygv_(&itype, jobz, "U", &m, A.data(), &m, B.data(), &m, mu.data(), &q, &lwork, &info, 1, 1);
    if (info != 0) return r;
    lwork = std::max(1, static_cast<int>(q));
    std::vector<double> work(static_cast<size_t>(lwork));
    dsygv_(&itype, jobz, "U", &m, A.data(), &m, B.data(), &m, mu.data(), work.data(), &lwork, &info,
           1, 1);
    if (info != 0) return r; // Ke not positive definite (a mechanism) or no convergence
    if (forma) {
        // The eigenvector of the largest μ (the last column), back from the
        // scaled unknowns: u = D·y, the restrained unknowns 0.
        std::vector<double> u(static_cast<size_t>(n), 0.0);
        for (int i = 0; i < m; ++i)
            u[static_cast<size_t>(liberi[static_cast<size_t>(i)])] =
                d[static_cast<size_t>(i)] * A[static_cast<size_t>(m - 1) * m + i];
        forma->v.resize(static_cast<size_t>(nodi));
        forma->phi.resize(static_cast<size_t>(nodi));
        for (int i = 0; i < nodi; ++i) {
            forma->v[static_cast<size_t>(i)] = u[static_cast<size_t>(4 * i)];
            forma->phi[static_cast<size_t>(i)] = u[static_cast<size_t>(4 * i + 2)];
        }
    }
    r.valido = true;
    const double muMax = mu.back();
    if (normaKg > 0 && muMax > 1e-12 * normaKg && std::isfinite(muMax)) {
        r.instabile = true;
        r.fattore = 1 / muMax;
    }
    return r;
}

double MassimoMomento(const SegmentoSvergolamento& s) {
    if (!s.Momento) return 0;
    double m = 0;
    const int n = 2000;
    for (int j = 0; j <= n; ++j)
        m = std::max(m, std::fabs(s.Momento(s.L * j / n)));
    for (const auto& p : s.Concentrati)
        if (p.x >= 0 && p.x <= s.L) m = std::max(m, std::fabs(s.Momento(p.x)));
    return std::isfinite(m) ? m : 0;
}

} // namespace

double McrMomentoUniforme(double EIz, double GIt, double EIw, double L) {
    if (!(EIz > 0) || !(L > 0) || GIt < 0 || EIw < 0) return 0;
    const double Pz = Pi * Pi * EIz / (L * L);
    return std::sqrt(Pz * (GIt + Pi * Pi * EIw / (L * L)));
}

EsitoSvergolamento CalcolaSvergolamento(const SegmentoSvergolamento& s) {
    EsitoSvergolamento e;
    if (!(s.L > 0) || !(s.EIz > 0) || s.GIt < 0 || s.EIw < 0 || !(s.GIt > 0 || s.EIw > 0) ||
        !std::isfinite(s.L + s.EIz + s.GIt + s.EIw + s.zg))
        return e;
    e.Mmax = MassimoMomento(s);
    auto esito = [&](const Risultato& r, int el, bool conv) {
        e.Valido = r.valido;
        e.Instabile = r.valido && r.instabile;
        e.Fattore = e.Instabile ? r.fattore : 0;
        e.Mcr = e.Fattore * e.Mmax;
        if (!std::isfinite(e.Mcr)) e = EsitoSvergolamento{};
        e.Elementi = el;
        e.Convergente = conv && e.Valido;
        return e;
    };
    if (s.Elementi > 0) return esito(Fattore(s, Nodi(s, s.Elementi)), s.Elementi, true);
    Risultato prima = Fattore(s, Nodi(s, 8));
    if (!prima.valido) return esito(prima, 8, false);
    for (int n = 16; n <= 128; n *= 2) {
        const Risultato r = Fattore(s, Nodi(s, n));
        if (!r.valido) return esito(r, n, false);
        if (!r.instabile && !prima.instabile) return esito(r, n, true);
        if (r.instabile && prima.instabile &&
            std::fabs(r.fattore - prima.fattore) <= 1e-4 * std::fabs(r.fattore))
            return esito(r, n, true);
        prima = r;
        if (n == 128) return esito(r, n, false);
    }
    return esito(prima, 128, false);
}

void FormaSvergolamento(const SegmentoSvergolamento& s, EsitoSvergolamento& e, double x0) {
    e.Forma = {};
    if (!e.Valido || !e.Instabile || e.Elementi <= 0) return;
    const std::vector<double> x = Nodi(s, e.Elementi);
    Forma f;
    if (!Fattore(s, x, &f).valido || f.v.size() != x.size()) return;
    // Normalised to the largest |v| = 1 (to the largest |φ| = 1 when v is 0
    // everywhere), the largest component positive.
    double vMax = 0, pMax = 0;
    size_t iv = 0, ip = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        if (std::fabs(f.v[i]) > vMax) vMax = std::fabs(f.v[iv = i]);
        if (std::fabs(f.phi[i]) > pMax) pMax = std::fabs(f.phi[ip = i]);
    }
    const double k = vMax > 0 ? 1 / f.v[iv] : pMax > 0 ? 1 / f.phi[ip] : 0;
    if (!(k != 0) || !std::isfinite(k)) return;
    for (size_t i = 0; i < x.size(); ++i) {
        const double v = k * f.v[i], p = k * f.phi[i];
        if (!std::isfinite(v) || !std::isfinite(p)) {
            e.Forma = {};
            return;
        }
        e.Forma.push_back({x0 + x[i], v, p});
    }
}

} // namespace zelvo
