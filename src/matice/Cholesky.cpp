#include "matice/Cholesky.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/Konstanty.h"
#include "matice/MatrixChecks.h"
#include "matice/ParallelWork.h"

namespace vertano {

namespace {

using detail::Dot;
using detail::Dot2x2;
using detail::SplitReal;

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
// cache (as split pairs, since every row below reads them) while the long
// rows below are read once per block.
class LowerFactor {
  public:
    static constexpr int kBlock = 8;

    LowerFactor(Tmatrix& M, Tvector& d, int n, int threads)
        : M_(M), d_(d), n_(n), threads_(threads), split_(kBlock, n) {}

    bool Factor(int first) {
        const int count = std::min(kBlock, n_ - first);
        for (int j = first; j < first + count; ++j) {
            for (int c = first; c < j; ++c) {
                if (!Store(c, j, Dot(M_[c].data(), M_[j].data(), 0, c))) return false;
            }
            if (!Diagonal(j)) return false;
        }
        split_.Reset();
        const SplitReal* ls[kBlock];
        const Real* lr[kBlock];
        for (int c = 0; c < count; ++c) {
            split_.Set(c, M_[first + c].data(), 0, first);
            ls[c] = split_.Row(c);
            lr[c] = M_[first + c].data();
        }
        const bool split = split_.Usable();
        const auto pair = [&](int j) {
            return split ? TwoRows(first, count, j, ls) : TwoRows(first, count, j, lr);
        };
        const auto single = [&](int j) {
            for (int c = first; c < first + count; ++c) {
                if (!Store(c, j, Dot(M_[c].data(), M_[j].data(), 0, c))) return false;
            }
            return true;
        };
        return detail::InRowPairs(first + count, n_, detail::Work(first, count), threads_, pair,
                                  single);
    }

  private:
    // d[i] from the input diagonal, which never moves. The matrix is singular
    // where the sum is small for its own diagonal element; a small sum off the
    // diagonal is no fault (a fill-in that is zero in exact arithmetic keeps the
    // rounding residue of its terms).
    bool Diagonal(int i) {
        const Real* Li = M_[i].data();
        const Real s = Li[i] - Dot(Li, Li, 0, i);
        if (!(s > kRelativePivot * Li[i]) || !detail::IsFinite(s)) return false;
        d_[i] = std::sqrt(s);
        return true;
    }

    // L[j][c] from the parked input M[c][j] and the sum of the earlier terms.
    bool Store(int c, int j, Real sum) {
        const Real s = M_[c][j] - sum;
        if (!detail::IsFinite(s)) return false;
        M_[j][c] = s / d_[c];
        return true;
    }

    // Rows j and j + 1 against the block's rows L (their prefixes before the
    // block), then each column's few terms inside the block.
    template <typename T>
    bool TwoRows(int first, int count, int j, const T* const* L) {
        Real* x = M_[j].data();
        Real* y = M_[j + 1].data();
        Real sx[kBlock], sy[kBlock];
        detail::ForColumnPairs(x, y, L, count, 0, first, [&](int c, Real a, Real b) {
            sx[c] = a;
            sy[c] = b;
        });
        for (int c = 0; c < count; ++c) {
            const int col = first + c;
            const Real* Lc = M_[col].data();
            if (!Store(col, j, Dot(Lc, x, first, col, sx[c])) ||
                !Store(col, j + 1, Dot(Lc, y, first, col, sy[c]))) {
                return false;
            }
        }
        return true;
    }

    Tmatrix& M_;
    Tvector& d_;
    const int n_;
    const int threads_;
    detail::SplitRows split_;
};

// Blocks of eight columns of X = R^-1: X[b][i] = -(sum_{j=b}^{i-1} X[b][j] R[j][i]) / d[i],
// each sum starting with its first product and adding the others in
// ascending j. The block's columns of R are copied out before X overwrites
// them; rows of X to the left of the block are already final and are read
// contiguously, each pair of them once per block against the copied columns
// (split pairs, as every row reads them).
class TriangularBlocks {
  public:
    static constexpr int kBlock = 8;

    TriangularBlocks(Tmatrix& M, const Tvector& d, int n, int threads)
        : M_(M), d_(d), n_(n), threads_(threads), r_(kBlock, Tvector(n)), split_(kBlock, n) {}

    bool Columns(int i0) {
        const int count = std::min(kBlock, n_ - i0);
        CopyColumns(i0, count);
        split_.Reset();
        const SplitReal* rs[kBlock];
        const Real* rr[kBlock];
        for (int c = 0; c < count; ++c) {
            split_.Set(c, r_[c].data(), 0, i0);
            rs[c] = split_.Row(c);
            rr[c] = r_[c].data();
        }
        // i0 is a multiple of the block, so the rows above it come in pairs;
        // each pair writes only its own two rows, so pairs may run at once.
        const bool split = split_.Usable();
        const auto pair = [&](int b) {
            split ? TwoRows(b, i0, count, rs) : TwoRows(b, i0, count, rr);
            return true;
        };
        const auto single = [](int) { return false; };
        const bool ok = detail::InShrinkingRowPairs(i0, i0, count, threads_, pair, single);
        Inside(i0, count);
        return ok;
    }

  private:
    // r_[c][j] := R[j][i0 + c] for j < i0 + c, row by row.
    void CopyColumns(int i0, int count) {
        for (int j = 0; j < i0 + count - 1; ++j) {
            const Real* row = M_[j].data();
            for (int c = std::max(0, j + 1 - i0); c < count; ++c) r_[c][j] = row[i0 + c];
        }
    }

    // Rows b and b + 1 (above the block): their first products and the kernel
    // up to the block, then each column's terms inside the block, which use
    // the row's elements just computed to their left.
    template <typename T>
    void TwoRows(int b, int i0, int count, const T* const* r) {
        Real* x = M_[b].data();
        Real* y = M_[b + 1].data();
        Real sx[kBlock], sy[kBlock];
        int c = 0;
        for (; c + 1 < count; c += 2) {
            const Real* u = r_[c].data();
            const Real* v = r_[c + 1].data();
            const detail::Sums2x2 start{x[b] * u[b] + x[b + 1] * u[b + 1],
                                        x[b] * v[b] + x[b + 1] * v[b + 1], y[b + 1] * u[b + 1],
                                        y[b + 1] * v[b + 1]};
            const auto s = Dot2x2(x, y, r[c], r[c + 1], b + 2, i0, start);
            sx[c] = s.s00;
            sx[c + 1] = s.s01;
            sy[c] = s.s10;
            sy[c + 1] = s.s11;
        }
        if (c < count) {
            const Real* u = r_[c].data();
            const detail::Sums2 start{x[b] * u[b] + x[b + 1] * u[b + 1], y[b + 1] * u[b + 1]};
            const auto s = detail::Dot1x2(r[c], x, y, b + 2, i0, start);
            sx[c] = s.s0;
            sy[c] = s.s1;
        }
        for (c = 0; c < count; ++c) {
            const int col = i0 + c;
            const Real* u = r_[c].data();
            x[col] = -Dot(x, u, i0, col, sx[c]) / d_[col];
            y[col] = -Dot(y, u, i0, col, sy[c]) / d_[col];
        }
    }

    // The block's own rows: the diagonal, and the elements to its right.
    void Inside(int i0, int count) {
        for (int b = i0; b < i0 + count; ++b) {
            Real* x = M_[b].data();
            x[b] = 1 / d_[b];
            for (int i = b + 1; i < i0 + count; ++i) {
                const Real* u = r_[i - i0].data();
                x[i] = -Dot(x, u, b + 1, i, x[b] * u[b]) / d_[i];
            }
        }
    }

    Tmatrix& M_;
    const Tvector& d_;
    const int n_;
    const int threads_;
    Tmatrix r_;
    detail::SplitRows split_;
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

// Rows i below the block, in pairs, against the block's rows (P[r] standing
// for X[s0 + r], as split pairs when they could be split).
template <typename T>
int ProductPairs(const Tmatrix& X, int n, int s0, int count, const T* const* P, Tmatrix& out) {
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
            const auto t = Dot2x2(P[r], P[r + 1], u, v, s + 2, n, start);
            out[r][i] = t.s00;
            out[r][i + 1] = t.s01;
            out[r + 1][i] = t.s10;
            out[r + 1][i + 1] = t.s11;
        }
        if (r < count) {
            const int s = s0 + r;
            const Real* p = X[s].data();
            const auto t = detail::Dot1x2(P[r], u, v, s + 1, n, {p[s] * u[s], p[s] * v[s]});
            out[r][i] = t.s0;
            out[r][i + 1] = t.s1;
        }
    }
    return i;
}

// Rows s0 .. s0 + count - 1 into out[0 .. count-1]. Rows i below the block are
// read once for the whole block, in pairs against pairs of the block's rows.
void ProductBlock(const Tmatrix& X, int n, int s0, int count, detail::SplitRows& split,
                  Tmatrix& out) {
    split.Reset();
    const SplitReal* ps[kProductBlock];
    const Real* pr[kProductBlock];
    for (int r = 0; r < count; ++r) {
        split.Set(r, X[s0 + r].data(), s0 + r, n);
        ps[r] = split.Row(r);
        pr[r] = X[s0 + r].data();
    }
    const int i = split.Usable() ? ProductPairs(X, n, s0, count, ps, out)
                                 : ProductPairs(X, n, s0, count, pr, out);
    // Near the diagonal each row has its own few elements left.
    for (int r = 0; r < count; ++r) {
        const int s = s0 + r;
        for (int k = i; k <= s; ++k) out[r][k] = ProductElement(X[s].data(), X[k].data(), s, n);
    }
}

// Rows s0 .. s0 + count - 1 of the result to (s, i) and (i, s), i <= s. The
// mirror images go row by row, a few neighbouring elements each, instead of
// down one column per result row.
void PutBlock(Tmatrix& Q, int s0, int count, const Tmatrix& rows) {
    for (int r = 0; r < count; ++r) {
        std::copy(rows[r].begin(), rows[r].begin() + s0 + r + 1, Q[s0 + r].begin());
    }
    for (int i = 0; i < s0 + count; ++i) {
        Real* target = Q[i].data();
        for (int r = std::max(0, i - s0); r < count; ++r) target[s0 + r] = rows[r][i];
    }
}

// Drives rows first..last a block at a time; `write` receives each finished
// block (its first row, its row count and the rows).
template <typename Write>
void ProductRows(const Tmatrix& X, int n, int first, int last, Write write) {
    Tmatrix rows(kProductBlock, Tvector(n));
    detail::SplitRows split(kProductBlock, n);
    for (int s0 = first; s0 <= last; s0 += kProductBlock) {
        const int count = std::min(kProductBlock, last + 1 - s0);
        ProductBlock(X, n, s0, count, split, rows);
        write(s0, count, rows);
    }
}

// Every element of the block's rows is finite.
bool BlockRowsFinite(int s0, int count, const Tmatrix& rows) {
    for (int r = 0; r < count; ++r) {
        if (!detail::RangeFinite(rows[r], 0, s0 + r + 1)) return false;
    }
    return true;
}

bool RangeInside(int high, int first, int last) {
    return first >= 0 && last <= high;
}

}  // namespace

bool CholeskyDecomposition(Tmatrix& M, Tvector& d, int high, int pocetVlakno) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n)) return false;
    detail::EnsureLength(d, n);
    FpGuard guard;
    ForTilesAboveDiagonal(M, n, [](Real& up, const Real& low) { up = low; });
    LowerFactor factor(M, d, n, ClampThreadCount(pocetVlakno, n));
    bool ok = true;
    for (int i = 0; i < n && ok; i += LowerFactor::kBlock) ok = factor.Factor(i);
    ForTilesAboveDiagonal(M, n, [](Real& up, Real& low) { std::swap(up, low); });
    return ok && guard.Ok() && detail::RangeFinite(d, 0, n);
}

bool TriangularInverse(Tmatrix& M, const Tvector& d, int high, int pocetVlakno) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n) || static_cast<int>(d.size()) < n) return false;
    for (int i = 0; i < n; ++i) {
        if (d[i] == 0 || !detail::IsFinite(d[i])) return false;
    }
    FpGuard guard;
    TriangularBlocks blocks(M, d, n, ClampThreadCount(pocetVlakno, n));
    bool ok = true;
    for (int i = 0; i < n && ok; i += TriangularBlocks::kBlock) ok = blocks.Columns(i);
    if (!ok || !guard.Ok()) return false;
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
    // A whole block is finished before any of it is written: its later rows'
    // elements (i, s) are read by its earlier rows.
    ProductRows(M, n, first, last, [&](int s0, int count, const Tmatrix& rows) {
        finite = finite && BlockRowsFinite(s0, count, rows);
        PutBlock(M, s0, count, rows);
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
    ProductRows(X, n, first, last, [&](int s0, int count, const Tmatrix& rows) {
        finite = finite && BlockRowsFinite(s0, count, rows);
        PutBlock(Q, s0, count, rows);
    });
    return finite && guard.Ok();
}

}  // namespace vertano
