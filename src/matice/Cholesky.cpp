#include "matice/Cholesky.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/MatrixChecks.h"

namespace vertano {

namespace {

using detail::Dot;
using detail::Dot2x2;

constexpr Real kResidue = 1.0e-10L;
constexpr int kTile = 32;

// M[i][j] := M[j][i] above the diagonal (or an exchange of the two triangles),
// tile by tile so that neither side is walked down a column for long.
template <typename Op>
void ForTilesAboveDiagonal(Tmatrix& M, int n, Op op) {
    for (int ib = 0; ib < n; ib += kTile) {
        for (int jb = ib; jb < n; jb += kTile) {
            const int iEnd = std::min(ib + kTile, n);
            const int jEnd = std::min(jb + kTile, n);
            for (int i = ib; i < iEnd; ++i) {
                for (int j = std::max(jb, i + 1); j < jEnd; ++j) op(M[i][j], M[j][i]);
            }
        }
    }
}

// The factor is formed as L = R^T in the lower triangle, where each of its rows
// is contiguous and every element is a dot product of two rows:
// L[j][c] = (A[j][c] - sum_{k<c} L[c][k] L[j][k]) / d[c], summed over ascending
// k from zero. The input's lower triangle waits in the upper triangle
// meanwhile; at the end the two triangles are exchanged, so the caller finds
// R above the diagonal and the input below it.
//
// Columns are taken eight at a time: the block's own rows first, then each
// pair of rows below against the block's rows, whose prefixes stay in the
// cache while the long rows below are read once per block.
class LowerFactor {
  public:
    static constexpr int kBlock = 8;

    LowerFactor(Tmatrix& M, Tvector& d, int n) : M_(M), d_(d), n_(n) {}

    bool Factor(int first) {
        const int count = std::min(kBlock, n_ - first);
        for (int j = first; j < first + count; ++j) {
            for (int c = first; c < j; ++c) {
                if (!Store(c, j, Dot(M_[c].data(), M_[j].data(), 0, c))) return false;
            }
            if (!Diagonal(j)) return false;
        }
        int j = first + count;
        for (; j + 1 < n_; j += 2) {
            if (!TwoRows(first, count, j)) return false;
        }
        for (int c = first; j < n_ && c < first + count; ++c) {
            if (!Store(c, j, Dot(M_[c].data(), M_[j].data(), 0, c))) return false;
        }
        return true;
    }

  private:
    static bool Acceptable(Real s) { return !(std::fabs(s) < kResidue && s != 0); }

    // d[i] from the input diagonal, which never moves.
    bool Diagonal(int i) {
        const Real* Li = M_[i].data();
        const Real s = Li[i] - Dot(Li, Li, 0, i);
        if (!Acceptable(s) || !(s > 0)) return false;
        d_[i] = std::sqrt(s);
        return true;
    }

    // L[j][c] from the parked input M[c][j] and the sum of the earlier terms.
    bool Store(int c, int j, Real sum) {
        const Real s = M_[c][j] - sum;
        if (!Acceptable(s) || !detail::IsFinite(s)) return false;
        M_[j][c] = s / d_[c];
        return true;
    }

    bool TwoRows(int first, int count, int j) {
        Real* x = M_[j].data();
        Real* y = M_[j + 1].data();
        Real sx[kBlock], sy[kBlock];
        int c = 0;
        for (; c + 1 < count; c += 2) {
            const auto s = Dot2x2(x, y, M_[first + c].data(), M_[first + c + 1].data(), 0, first);
            sx[c] = s.s00;
            sx[c + 1] = s.s01;
            sy[c] = s.s10;
            sy[c + 1] = s.s11;
        }
        if (c < count) {
            const auto s = detail::Dot1x2(M_[first + c].data(), x, y, 0, first);
            sx[c] = s.s0;
            sy[c] = s.s1;
        }
        for (c = 0; c < count; ++c) {
            const int col = first + c;
            const Real* L = M_[col].data();
            if (!Store(col, j, Dot(L, x, first, col, sx[c])) ||
                !Store(col, j + 1, Dot(L, y, first, col, sy[c]))) {
                return false;
            }
        }
        return true;
    }

    Tmatrix& M_;
    Tvector& d_;
    const int n_;
};

// Column pairs of X = R^-1: X[b][i] = -(sum_{j=b}^{i-1} X[b][j] R[j][i]) / d[i].
// Column i of R is copied out before X overwrites it; rows of X to the left of
// column i are already final and are read contiguously.
class TriangularColumns {
  public:
    TriangularColumns(Tmatrix& M, const Tvector& d, int n) : M_(M), d_(d), n_(n), r0_(n), r1_(n) {}

    void Columns(int i) {
        const bool pair = i + 1 < n_;
        for (int j = 0; j < i; ++j) r0_[j] = M_[j][i];
        if (pair) {
            for (int j = 0; j <= i; ++j) r1_[j] = M_[j][i + 1];
        }
        int b = 0;
        for (; b + 1 < i; b += 2) pair ? TwoRowsTwoColumns(b, i) : TwoRowsOneColumn(b, i);
        for (; b < i; ++b) OneRow(b, i, pair);
        M_[i][i] = 1 / d_[i];
        if (pair) {
            M_[i][i + 1] = -(M_[i][i] * r1_[i]) / d_[i + 1];
            M_[i + 1][i + 1] = 1 / d_[i + 1];
        }
    }

  private:
    void TwoRowsTwoColumns(int b, int i) {
        Real* x = M_[b].data();
        Real* y = M_[b + 1].data();
        const detail::Sums2x2 start{x[b] * r0_[b], x[b] * r1_[b], 0, 0};
        const auto s = Dot2x2(x, y, r0_.data(), r1_.data(), b + 1, i, start);
        x[i] = -s.s00 / d_[i];
        y[i] = -s.s10 / d_[i];
        x[i + 1] = -(s.s01 + x[i] * r1_[i]) / d_[i + 1];
        y[i + 1] = -(s.s11 + y[i] * r1_[i]) / d_[i + 1];
    }

    void TwoRowsOneColumn(int b, int i) {
        Real* x = M_[b].data();
        Real* y = M_[b + 1].data();
        x[i] = -Dot(x, r0_.data(), b, i) / d_[i];
        y[i] = -Dot(y, r0_.data(), b + 1, i) / d_[i];
    }

    void OneRow(int b, int i, bool pair) {
        Real* x = M_[b].data();
        x[i] = -Dot(x, r0_.data(), b, i) / d_[i];
        if (pair) x[i + 1] = -Dot(x, r1_.data(), b, i + 1) / d_[i + 1];
    }

    Tmatrix& M_;
    const Tvector& d_;
    const int n_;
    Tvector r0_, r1_;
};

// Rows of X X^T: q(s, i) = sum_{a >= s} X[s][a] X[i][a] for i <= s, X upper
// triangular. Every element starts from its first term X[s][s] X[i][s] and adds
// the rest in ascending a, whichever kernel computes it, so a row gets the
// same bits however the rows are grouped (and so however they are split
// among threads).
constexpr int kProductBlock = 8;

Real ProductElement(const Real* p, const Real* u, int s, int n) {
    return Dot(p, u, s + 1, n, p[s] * u[s]);
}

// Rows s0 .. s0 + count - 1 into out[0 .. count-1]. Rows i below the block are
// read once for the whole block, in pairs against pairs of the block's rows.
void ProductBlock(const Tmatrix& X, int n, int s0, int count, Tmatrix& out) {
    int i = 0;
    for (; i + 1 < s0; i += 2) {
        const Real* u = X[i].data();
        const Real* v = X[i + 1].data();
        int r = 0;
        for (; r + 1 < count; r += 2) {
            const int s = s0 + r;
            const Real* p = X[s].data();
            const Real* q = X[s + 1].data();
            // Row s starts with its terms a = s and s + 1, row s + 1 with a = s + 1.
            const detail::Sums2x2 start{p[s] * u[s] + p[s + 1] * u[s + 1],
                                        p[s] * v[s] + p[s + 1] * v[s + 1], q[s + 1] * u[s + 1],
                                        q[s + 1] * v[s + 1]};
            const auto t = Dot2x2(p, q, u, v, s + 2, n, start);
            out[r][i] = t.s00;
            out[r][i + 1] = t.s01;
            out[r + 1][i] = t.s10;
            out[r + 1][i + 1] = t.s11;
        }
        if (r < count) {
            const int s = s0 + r;
            out[r][i] = ProductElement(X[s].data(), u, s, n);
            out[r][i + 1] = ProductElement(X[s].data(), v, s, n);
        }
    }
    // Near the diagonal each row has its own few elements left.
    for (int r = 0; r < count; ++r) {
        const int s = s0 + r;
        for (int k = i; k <= s; ++k) out[r][k] = ProductElement(X[s].data(), X[k].data(), s, n);
    }
}

void Put(Tmatrix& Q, int s, const Tvector& row) {
    for (int i = 0; i <= s; ++i) Q[s][i] = Q[i][s] = row[i];
}

// Drives rows first..last a block at a time; `write` receives each finished
// row once the whole block is done.
template <typename Write>
void ProductRows(const Tmatrix& X, int n, int first, int last, Write write) {
    Tmatrix rows(kProductBlock, Tvector(n));
    for (int s0 = first; s0 <= last; s0 += kProductBlock) {
        const int count = std::min(kProductBlock, last + 1 - s0);
        ProductBlock(X, n, s0, count, rows);
        for (int r = 0; r < count; ++r) write(s0 + r, rows[r]);
    }
}

bool RangeInside(int high, int first, int last) {
    return first >= 0 && last <= high;
}

}  // namespace

bool CholeskyDecomposition(Tmatrix& M, Tvector& d, int high) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n)) return false;
    detail::EnsureLength(d, n);
    FpGuard guard;
    ForTilesAboveDiagonal(M, n, [](Real& up, const Real& low) { up = low; });
    LowerFactor factor(M, d, n);
    bool ok = true;
    for (int i = 0; i < n && ok; i += LowerFactor::kBlock) ok = factor.Factor(i);
    ForTilesAboveDiagonal(M, n, [](Real& up, Real& low) { std::swap(up, low); });
    return ok && guard.Ok() && detail::RangeFinite(d, 0, n);
}

bool TriangularInverse(Tmatrix& M, const Tvector& d, int high) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n) || static_cast<int>(d.size()) < n) return false;
    for (int i = 0; i < n; ++i) {
        if (d[i] == 0 || !detail::IsFinite(d[i])) return false;
    }
    FpGuard guard;
    TriangularColumns columns(M, d, n);
    for (int i = 0; i < n; i += 2) columns.Columns(i);
    if (!guard.Ok()) return false;
    for (int i = 0; i < n; ++i) {
        if (!detail::RangeFinite(M[i], i, n)) return false;
    }
    return true;
}

bool InverseFromTriangular(Tmatrix& M, int high, int first, int last) {
    const int n = high + 1;
    if (first > last) return true;
    if (high < 0 || !RangeInside(high, first, last) || !detail::HasBlock(M, n, n)) return false;
    FpGuard guard;
    bool finite = true;
    // Both rows of a pair are finished before either is written: the second
    // row's elements (i, s + 1) are read by the first.
    ProductRows(M, n, first, last, [&](int s, const Tvector& row) {
        finite = finite && detail::RangeFinite(row, 0, s + 1);
        Put(M, s, row);
    });
    return finite && guard.Ok();
}

bool InverseFromTriangularInto(Tmatrix& Q, const Tmatrix& X, int high, int first, int last) {
    const int n = high + 1;
    if (first > last) return true;
    if (high < 0 || !RangeInside(high, first, last) || !detail::HasBlock(X, n, n) ||
        !detail::HasBlock(Q, n, n) || &Q == &X) {
        return false;
    }
    FpGuard guard;
    bool finite = true;
    ProductRows(X, n, first, last, [&](int s, const Tvector& row) {
        finite = finite && detail::RangeFinite(row, 0, s + 1);
        Put(Q, s, row);
    });
    return finite && guard.Ok();
}

}  // namespace vertano
