#pragma once

// Straightforward references and random inputs for the numerical core tests:
// textbook loops with no blocking, against which the tuned routines are held.

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "matice/MatrixTypes.h"

namespace vertano::test {

inline Tmatrix RandomMatrix(int rows, int cols, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> uni(-1.0, 1.0);
    Tmatrix m(rows, Tvector(cols));
    for (auto& row : m) {
        for (auto& x : row) x = static_cast<Real>(uni(gen)) + static_cast<Real>(uni(gen)) * 1e-17L;
    }
    return m;
}

inline Tvector RandomVector(int n, unsigned seed, double lo = -1.0, double hi = 1.0) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> uni(lo, hi);
    Tvector v(n);
    for (auto& x : v) x = uni(gen);
    return v;
}

inline Tmatrix Multiply(const Tmatrix& a, const Tmatrix& b) {
    const int n = static_cast<int>(a.size());
    const int k = static_cast<int>(b.size());
    const int m = k > 0 ? static_cast<int>(b[0].size()) : 0;
    Tmatrix c(n, Tvector(m, 0.0L));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < m; ++j) {
            Real s = 0;
            for (int l = 0; l < k; ++l) s += a[i][l] * b[l][j];
            c[i][j] = s;
        }
    }
    return c;
}

inline Tmatrix Transpose(const Tmatrix& a) {
    const int n = static_cast<int>(a.size());
    const int m = n > 0 ? static_cast<int>(a[0].size()) : 0;
    Tmatrix t(m, Tvector(n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < m; ++j) t[j][i] = a[i][j];
    }
    return t;
}

inline Tmatrix Identity(int n) {
    Tmatrix m(n, Tvector(n, 0.0L));
    for (int i = 0; i < n; ++i) m[i][i] = 1;
    return m;
}

// Well conditioned symmetric positive definite: B^T B + n I.
inline Tmatrix RandomSpd(int n, unsigned seed) {
    const Tmatrix b = RandomMatrix(n, n, seed);
    Tmatrix a = Multiply(Transpose(b), b);
    for (int i = 0; i < n; ++i) a[i][i] += n;
    return a;
}

inline Real MaxAbs(const Tmatrix& a) {
    Real m = 0;
    for (const auto& row : a) {
        for (const Real x : row) m = std::max(m, std::fabs(x));
    }
    return m;
}

inline Real MaxAbs(const Tvector& v) {
    Real m = 0;
    for (const Real x : v) m = std::max(m, std::fabs(x));
    return m;
}

// Largest difference over the leading rows x cols block, relative to the
// largest element of b (or 1 when b is tiny).
inline Real RelativeDifference(const Tmatrix& a, const Tmatrix& b, int rows, int cols) {
    Real diff = 0, scale = 0;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            diff = std::max(diff, std::fabs(a[i][j] - b[i][j]));
            scale = std::max(scale, std::fabs(b[i][j]));
        }
    }
    return diff / std::max(scale, Real(1e-300L));
}

inline Real RelativeDifference(const Tvector& a, const Tvector& b, int n) {
    Real diff = 0, scale = 0;
    for (int i = 0; i < n; ++i) {
        diff = std::max(diff, std::fabs(a[i] - b[i]));
        scale = std::max(scale, std::fabs(b[i]));
    }
    return diff / std::max(scale, Real(1e-300L));
}

// Singular values by one-sided Jacobi rotations on the columns, sorted
// descending: an independent way to the same numbers.
inline Tvector JacobiSingularValues(Tmatrix a) {
    const int m = static_cast<int>(a.size());
    const int n = static_cast<int>(a[0].size());
    for (int sweep = 0; sweep < 60; ++sweep) {
        bool rotated = false;
        for (int p = 0; p < n; ++p) {
            for (int q = p + 1; q < n; ++q) {
                Real alpha = 0, beta = 0, gamma = 0;
                for (int i = 0; i < m; ++i) {
                    alpha += a[i][p] * a[i][p];
                    beta += a[i][q] * a[i][q];
                    gamma += a[i][p] * a[i][q];
                }
                if (std::fabs(gamma) <= 1e-19L * std::sqrt(alpha * beta)) continue;
                rotated = true;
                const Real zeta = (beta - alpha) / (2 * gamma);
                const Real t =
                    (zeta >= 0 ? 1 : -1) / (std::fabs(zeta) + std::sqrt(1 + zeta * zeta));
                const Real c = 1 / std::sqrt(1 + t * t);
                const Real s = c * t;
                for (int i = 0; i < m; ++i) {
                    const Real x = a[i][p];
                    const Real y = a[i][q];
                    a[i][p] = c * x - s * y;
                    a[i][q] = s * x + c * y;
                }
            }
        }
        if (!rotated) break;
    }
    Tvector w(n);
    for (int j = 0; j < n; ++j) {
        Real s = 0;
        for (int i = 0; i < m; ++i) s += a[i][j] * a[i][j];
        w[j] = std::sqrt(s);
    }
    std::sort(w.begin(), w.end(), std::greater<Real>());
    return w;
}

// Random transposed design matrix: `unknowns` rows, each observation touching
// a few random unknowns (so every row's columns ascend).
inline Tsparse RandomDesign(int unknowns, int observations, int perObservation, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> pick(0, unknowns - 1);
    std::uniform_real_distribution<double> uni(-1.0, 1.0);
    Tsparse s;
    s.data.resize(unknowns);
    s.index.resize(unknowns);
    for (int c = 0; c < observations; ++c) {
        std::vector<int> rows;
        for (int k = 0; k < perObservation; ++k) rows.push_back(pick(gen));
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        for (const int r : rows) {
            s.data[r].push_back(uni(gen));
            s.index[r].push_back(c);
        }
    }
    // Every unknown observed at least once, as the adjustment requires.
    for (int r = 0; r < unknowns; ++r) {
        if (s.index[r].empty()) {
            s.data[r].push_back(1);
            s.index[r].push_back(r % observations);
            std::sort(s.index[r].begin(), s.index[r].end());
        }
    }
    return s;
}

// The design matrix as a dense observations x unknowns matrix.
inline Tmatrix DenseDesign(const Tsparse& s, int observations) {
    const int n = static_cast<int>(s.data.size());
    Tmatrix a(observations, Tvector(n, 0.0L));
    for (int r = 0; r < n; ++r) {
        for (std::size_t k = 0; k < s.index[r].size(); ++k) a[s.index[r][k]][r] = s.data[r][k];
    }
    return a;
}

}  // namespace vertano::test
