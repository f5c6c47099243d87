#include "matice/Ldlt.h"

#include <algorithm>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/Konstanty.h"
#include "matice/MatrixChecks.h"
#include "matice/ParallelWork.h"

namespace vertano {

namespace {

using detail::Dot;
using detail::SplitReal;

bool UsablePivot(Real D) {
    return D != 0 && detail::IsFinite(D);
}

// Column form of the factorisation: L[k][c] = (M[k][c] - sum_{l<c} L[k][l] t_c[l]) / D[c]
// with t_c = L[c] * D, every sum running over ascending l from zero.
//
// Columns are taken eight at a time. The block's own rows come first (their
// few elements inside the block, D and t); then every row below is combined
// with the eight t vectors, which stay in the cache, so the long row prefixes
// are brought from memory once per block instead of once per column. The
// prefixes go through the two-by-two kernel, the t vectors as split pairs
// (they are read by every row below), the short parts inside the block one
// by one.
class ColumnBlocks {
  public:
    static constexpr int kBlock = 8;

    // With `dependent` the matrix is taken as positive semidefinite: a pivot
    // not above kRelativePivot times its input diagonal element is set to zero
    // with its column of L, and its index listed.
    ColumnBlocks(Tmatrix& M, Tvector& d, int n, int threads,
                 std::vector<int32_t>* dependent = nullptr)
        : M_(M),
          d_(d),
          n_(n),
          threads_(threads),
          t_(kBlock, Tvector(n)),
          split_(kBlock, n),
          dependent_(dependent) {}

    bool Factor(int first) {
        const int count = std::min(kBlock, n_ - first);
        if (!PivotRows(first, count)) return false;
        split_.Reset();
        for (int c = 0; c < count; ++c) split_.Set(c, t_[c].data(), 0, first);
        const SplitReal* ts[kBlock];
        const Real* tr[kBlock];
        for (int c = 0; c < count; ++c) {
            ts[c] = split_.Row(c);
            tr[c] = t_[c].data();
        }
        const bool split = split_.Usable();
        const auto pair = [&](int k) {
            split ? TwoRows(first, count, k, ts) : TwoRows(first, count, k, tr);
            return true;
        };
        const auto single = [&](int k) {
            OneRow(first, count, k);
            return true;
        };
        return detail::InRowPairs(first + count, n_, detail::Work(first, count), threads_, pair,
                                  single);
    }

  private:
    bool PivotRows(int first, int count) {
        for (int j = first; j < first + count; ++j) {
            Real* L = M_[j].data();
            for (int c = first; c < j; ++c) {
                L[c] = Divide(L[c] - Dot(L, t_[c - first].data(), 0, c), c);
            }
            Real* t = t_[j - first].data();
            for (int l = 0; l < j; ++l) t[l] = L[l] * d_[l];
            Real D = L[j] - Dot(L, t, 0, j);
            if (dependent_ != nullptr && detail::IsFinite(D) && !(D > kRelativePivot * L[j])) {
                dependent_->push_back(j);
                D = 0;
            } else if (!UsablePivot(D)) {
                return false;
            }
            d_[j] = D;
        }
        return true;
    }

    // Rows k and k + 1 against the block's t vectors: the prefixes before the
    // block from the kernel, then each column's few terms inside the block.
    template <typename T>
    void TwoRows(int first, int count, int k, const T* const* t) {
        Real* a = M_[k].data();
        Real* b = M_[k + 1].data();
        Real sa[kBlock], sb[kBlock];
        detail::ForColumnPairs(a, b, t, count, 0, first, [&](int c, Real x, Real y) {
            sa[c] = x;
            sb[c] = y;
        });
        for (int c = 0; c < count; ++c) {
            const int col = first + c;
            const Real* tc = t_[c].data();
            a[col] = Divide(a[col] - Dot(a, tc, first, col, sa[c]), col);
            b[col] = Divide(b[col] - Dot(b, tc, first, col, sb[c]), col);
        }
    }

    void OneRow(int first, int count, int k) {
        Real* a = M_[k].data();
        for (int c = 0; c < count; ++c) {
            const int col = first + c;
            a[col] = Divide(a[col] - Dot(a, t_[c].data(), 0, col), col);
        }
    }

    // An element of L; a column whose pivot was set to zero has none.
    Real Divide(Real s, int col) const { return d_[col] == 0 ? 0 : s / d_[col]; }

    Tmatrix& M_;
    Tvector& d_;
    const int n_;
    const int threads_;
    Tmatrix t_;
    detail::SplitRows split_;
    std::vector<int32_t>* dependent_;
};

// L gets its unit diagonal and zeros above it, as callers expect a clean
// triangle.
void FinishTriangle(Tmatrix& M, int n) {
    for (int i = 0; i < n; ++i) {
        Real* row = M[i].data();
        row[i] = 1;
        for (int j = i + 1; j < n; ++j) row[j] = 0;
    }
}

}  // namespace

bool LDLTDecomposition(Tmatrix& M, Tvector& d, int high, int pocetVlakno) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n)) return false;
    detail::EnsureLength(d, n);
    FpGuard guard;
    ColumnBlocks columns(M, d, n, ClampThreadCount(pocetVlakno, n));
    for (int i = 0; i < n; i += ColumnBlocks::kBlock) {
        if (!columns.Factor(i)) return false;
    }
    FinishTriangle(M, n);
    return guard.Ok() && detail::BlockFinite(M, n, n) && detail::RangeFinite(d, 0, n);
}

bool SemidefiniteLDLT(Tmatrix& M, Tvector& d, int high, int pocetVlakno,
                      std::vector<int32_t>& dependent) {
    dependent.clear();
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n)) return false;
    detail::EnsureLength(d, n);
    FpGuard guard;
    ColumnBlocks columns(M, d, n, ClampThreadCount(pocetVlakno, n), &dependent);
    for (int i = 0; i < n; i += ColumnBlocks::kBlock) {
        if (!columns.Factor(i)) return false;
    }
    FinishTriangle(M, n);
    return guard.Ok() && detail::BlockFinite(M, n, n) && detail::RangeFinite(d, 0, n);
}

bool LDLTSolve(Tvector& x, const Tmatrix& M, const Tvector& d, int high, const Tvector& b) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n) || static_cast<int>(d.size()) < n ||
        static_cast<int>(b.size()) < n) {
        return false;
    }
    FpGuard guard;
    Tvector y(b.begin(), b.begin() + n);
    for (int i = 0; i < n; ++i) {
        const Real* L = M[i].data();
        Real s = y[i];
        for (int k = i - 1; k >= 0; --k) s -= L[k] * y[k];
        y[i] = s;
    }
    for (int i = 0; i < n; ++i) {
        if (d[i] == 0) return false;
        y[i] /= d[i];
    }
    // Backward with L^T, row by row: row i of L carries the column of L^T.
    for (int i = n - 1; i > 0; --i) {
        const Real* L = M[i].data();
        const Real yi = y[i];
        for (int k = 0; k < i; ++k) y[k] -= L[k] * yi;
    }
    if (!guard.Ok() || !detail::RangeFinite(y, 0, n)) return false;
    detail::EnsureLength(x, n);
    std::copy(y.begin(), y.end(), x.begin());
    return true;
}

}  // namespace vertano
