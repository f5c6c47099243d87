#include "matice/Lu.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/MatrixChecks.h"

namespace vertano {

namespace {

constexpr Real kTiny = 1.0e-20L;

// Crout's method computes column j of L and U from dot products of rows of L
// with column j of U. Walking down a column of a row-stored matrix would touch
// a new row for every element, so each step copies a block of eight columns
// into contiguous work vectors, does all its arithmetic on rows and those
// vectors, and writes the finished columns back. Every row is read once per
// block: for the block's columns together its sums over the terms before the
// block come from the two-by-two kernel (the column vectors as split pairs,
// since every row reads them); the few terms inside the block follow column
// by column, as each column's pivot is chosen. Every element is its input
// minus one sum running over ascending k from zero.
class CroutBlocks {
  public:
    static constexpr int kBlock = 8;

    CroutBlocks(Tmatrix& M, TindexVector& perm, Tvector& scale, int n)
        : M_(M),
          perm_(perm),
          scale_(scale),
          n_(n),
          c_(kBlock, Tvector(n)),
          partial_(kBlock, Tvector(n)),
          split_(kBlock, n) {}

    void Step(int j0) {
        const int count = std::min(kBlock, n_ - j0);
        Gather(j0, count);
        split_.Reset();
        UpperRows(j0, count);
        LowerRows(j0, count);
        for (int b = 0; b < count; ++b) Column(j0, b, count);
    }

  private:
    void Gather(int j0, int count) {
        for (int i = 0; i < n_; ++i) {
            const Real* row = M_[i].data();
            for (int b = 0; b < count; ++b) c_[b][i] = row[j0 + b];
        }
    }

    // Rows above the block: U[i][col] = M[i][col] - sum_{k<i} L[i][k] U[k][col],
    // sequential in i, so a pair of rows adds its cross term afterwards. The
    // finished elements join the split copy for the rows that follow.
    void UpperRows(int j0, int count) {
        for (int i = 0; i + 1 < j0; i += 2) {  // j0 is a multiple of the block
            split_.Usable() ? UpperPair(i, count, Split(count)) : UpperPair(i, count, Plain(count));
            for (int b = 0; b < count; ++b) {
                split_.Put(b, i, c_[b][i]);
                split_.Put(b, i + 1, c_[b][i + 1]);
            }
        }
    }

    template <typename T>
    void UpperPair(int i, int count, const std::array<const T*, kBlock>& c) {
        const Real* x = M_[i].data();
        const Real* y = M_[i + 1].data();
        detail::ForColumnPairs(x, y, c.data(), count, 0, i, [&](int b, Real sx, Real sy) {
            Real* cb = c_[b].data();
            cb[i] -= sx;
            cb[i + 1] -= sy + y[i] * cb[i];
        });
    }

    // Rows from the block down: their sums over the terms before the block.
    void LowerRows(int j0, int count) {
        const bool split = split_.Usable();
        int i = j0;
        for (; i + 1 < n_; i += 2) {
            split ? LowerPair(i, j0, count, Split(count)) : LowerPair(i, j0, count, Plain(count));
        }
        if (i < n_) {
            const Real* x = M_[i].data();
            for (int b = 0; b < count; ++b) partial_[b][i] = detail::Dot(x, c_[b].data(), 0, j0);
        }
    }

    template <typename T>
    void LowerPair(int i, int j0, int count, const std::array<const T*, kBlock>& c) {
        detail::ForColumnPairs(M_[i].data(), M_[i + 1].data(), c.data(), count, 0, j0,
                               [&](int b, Real sx, Real sy) {
                                   partial_[b][i] = sx;
                                   partial_[b][i + 1] = sy;
                               });
    }

    // Column j0 + b: the terms inside the block, then the pivot.
    void Column(int j0, int b, int count) {
        const int col = j0 + b;
        Real* c = c_[b].data();
        const Real* partial = partial_[b].data();
        for (int i = j0; i < col; ++i) c[i] -= detail::Dot(M_[i].data(), c, j0, i, partial[i]);
        for (int i = col; i < n_; ++i) c[i] -= detail::Dot(M_[i].data(), c, j0, col, partial[i]);
        FinishColumn(col, b, count);
    }

    // Pivot choice, row exchange, the tiny-pivot rule and the write-back of
    // column j held in c_[b].
    void FinishColumn(int j, int b, int count) {
        Tvector& c = c_[b];
        Real big = 0;
        int pivot = j;
        for (int i = j; i < n_; ++i) {
            const Real candidate = scale_[i] * std::fabs(c[i]);
            if (candidate >= big) {
                big = candidate;
                pivot = i;
            }
        }
        if (pivot != j) Exchange(pivot, j, b, count);
        perm_[j] = pivot;
        if (c[j] == 0) c[j] = kTiny;
        for (int i = 0; i <= j; ++i) M_[i][j] = c[i];
        for (int i = j + 1; i < n_; ++i) M_[i][j] = c[i] / c[j];
    }

    // Rows a and b change places, in the matrix and in the work vectors of
    // the block's columns from `from` on.
    void Exchange(int a, int b, int from, int count) {
        std::swap(M_[a], M_[b]);
        for (int k = from; k < count; ++k) {
            std::swap(c_[k][a], c_[k][b]);
            std::swap(partial_[k][a], partial_[k][b]);
        }
        scale_[a] = scale_[b];
    }

    std::array<const detail::SplitReal*, kBlock> Split(int count) const {
        std::array<const detail::SplitReal*, kBlock> rows{};
        for (int b = 0; b < count; ++b) rows[b] = split_.Row(b);
        return rows;
    }
    std::array<const Real*, kBlock> Plain(int count) const {
        std::array<const Real*, kBlock> rows{};
        for (int b = 0; b < count; ++b) rows[b] = c_[b].data();
        return rows;
    }

    Tmatrix& M_;
    TindexVector& perm_;
    Tvector& scale_;
    const int n_;
    Tmatrix c_, partial_;
    detail::SplitRows split_;
};

// 1 / (largest magnitude of the row); false for a row without a non-zero.
bool RowScales(const Tmatrix& M, int n, Tvector& scale) {
    for (int i = 0; i < n; ++i) {
        Real big = 0;
        for (int j = 0; j < n; ++j) {
            const Real a = std::fabs(M[i][j]);
            if (a > big) big = a;
        }
        if (!(big > 0)) return false;
        scale[i] = 1 / big;
    }
    return true;
}

}  // namespace

bool LUDecomposition(Tmatrix& M, int high, TindexVector& perm) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n)) return false;
    if (static_cast<int>(perm.size()) < n) perm.resize(n);
    FpGuard guard;
    Tvector scale(n);
    if (!RowScales(M, n, scale)) return false;
    CroutBlocks crout(M, perm, scale, n);
    for (int j = 0; j < n; j += CroutBlocks::kBlock) crout.Step(j);
    return guard.Ok() && detail::BlockFinite(M, n, n);
}

bool LUBackSubstitution(const Tmatrix& M, int high, const TindexVector& perm, Tvector& b) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n) || static_cast<int>(b.size()) < n ||
        !detail::ValidPermutation(perm, n)) {
        return false;
    }
    FpGuard guard;
    int first = -1;  // first position with a non-zero value: the rest before it adds nothing
    for (int i = 0; i < n; ++i) {
        const int ip = perm[i];
        Real s = b[ip];
        b[ip] = b[i];
        if (first >= 0) {
            s -= detail::Dot(M[i].data(), b.data(), first, i);
        } else if (s != 0) {
            first = i;
        }
        b[i] = s;
    }
    // Back substitution upward, two rows at a time: the upper row of a pair
    // sums the positions below the pair first and adds its term for the lower
    // row last. A block of right-hand sides then runs both rows against each
    // vector in one pass (LUInverseColumns) and gets these very bits.
    int i = n - 1;
    for (; i >= 1; i -= 2) {
        const Real* x = M[i].data();
        const Real* y = M[i - 1].data();
        if (x[i] == 0 || y[i - 1] == 0) return false;
        b[i] = (b[i] - detail::Dot(x, b.data(), i + 1, n)) / x[i];
        b[i - 1] = (b[i - 1] - (detail::Dot(y, b.data(), i + 1, n) + y[i] * b[i])) / y[i - 1];
    }
    if (i == 0) {
        if (M[0][0] == 0) return false;
        b[0] = (b[0] - detail::Dot(M[0].data(), b.data(), 1, n)) / M[0][0];
    }
    return guard.Ok() && detail::RangeFinite(b, 0, n);
}

}  // namespace vertano
