// Columns of the inverse from the LU factors, several right-hand sides at once.

#include <algorithm>
#include <array>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/Lu.h"
#include "matice/MatrixChecks.h"

namespace vertano {

namespace {

// Solving for one unit vector at a time reads the whole factored matrix per
// column of the inverse, which makes the inverse a stream through memory.
// Here eight unit vectors are solved together: every row of the factors is
// read once for all eight, pairs of rows against pairs of right-hand sides in
// both passes. The right-hand sides are read as split pairs besides their
// 80-bit values.
//
// Each element is computed exactly as LUBackSubstitution computes it for its
// own column. That routine starts the forward sums at the column's first
// non-zero position; the block starts at the earliest of its columns' first
// positions, and the extra terms are products of finite factors with exact
// +0 values, which leave a sum started at +0 at +0. The row exchanges touch
// only positions not yet reached, so they are applied before the
// elimination.
class UnitColumnBlock {
  public:
    static constexpr int kBlock = 8;

    UnitColumnBlock(const Tmatrix& M, const TindexVector& perm, int n)
        : M_(M), perm_(perm), n_(n), e_(kBlock, Tvector(n)), split_(kBlock, n) {}

    // Columns j0 .. j0 + count - 1; false on a zero diagonal element.
    bool Solve(int j0, int count) {
        count_ = count;
        int from = n_;
        for (int c = 0; c < count; ++c) from = std::min(from, Permuted(c, j0 + c));
        split_.Reset();
        Forward(from);
        return Backward();
    }

    [[nodiscard]] const Tvector& Column(int c) const { return e_[c]; }

  private:
    // e_[c] := unit vector j with the row exchanges applied; returns the
    // position of its one non-zero element.
    int Permuted(int c, int j) {
        Tvector& e = e_[c];
        std::fill(e.begin(), e.end(), 0.0L);
        e[j] = 1;
        int at = j;
        for (int i = 0; i < n_; ++i) {
            const int ip = perm_[i];
            if (ip == at) {
                at = i;
            } else if (i == at) {
                at = ip;
            }
        }
        e[j] = 0;
        e[at] = 1;
        return at;
    }

    void Forward(int from) {
        int i = from;
        for (; i + 1 < n_; i += 2) {
            split_.Usable() ? ForwardPair(i, from, Split()) : ForwardPair(i, from, Plain());
            Keep(i);
            Keep(i + 1);
        }
        if (i < n_) {
            split_.Usable() ? Backward1(i, from, i, Split(), false)
                            : Backward1(i, from, i, Plain(), false);
            Keep(i);
        }
    }

    template <typename T>
    void ForwardPair(int i, int from, const std::array<const T*, kBlock>& e) {
        const Real* x = M_[i].data();
        const Real* y = M_[i + 1].data();
        detail::ForColumnPairs(x, y, e.data(), count_, from, i,
                               [&](int c, Real sx, Real sy) { Eliminate(c, i, sx, sy, y[i]); });
    }

    // Rows i and i + 1 of column c; the second row's sum ends with its term
    // for position i, which needs the first row's result.
    void Eliminate(int c, int i, Real sx, Real sy, Real yi) {
        Real* e = e_[c].data();
        e[i] -= sx;
        e[i + 1] -= sy + yi * e[i];
    }

    bool Backward() {
        int i = n_ - 1;
        for (; i >= 1; i -= 2) {
            if (M_[i][i] == 0 || M_[i - 1][i - 1] == 0) return false;
            split_.Usable() ? BackwardPair(i, Split()) : BackwardPair(i, Plain());
            Keep(i);
            Keep(i - 1);
        }
        if (i == 0) {
            if (M_[0][0] == 0) return false;
            split_.Usable() ? Backward1(0, 1, n_, Split(), true)
                            : Backward1(0, 1, n_, Plain(), true);
            Keep(0);
        }
        return true;
    }

    // Rows i and i - 1 over the positions below them; the upper row then adds
    // its term for row i, which needs that row's result (as LUBackSubstitution
    // orders it).
    template <typename T>
    void BackwardPair(int i, const std::array<const T*, kBlock>& e) {
        const Real* x = M_[i].data();
        const Real* y = M_[i - 1].data();
        detail::ForColumnPairs(x, y, e.data(), count_, i + 1, n_, [&](int c, Real sx, Real sy) {
            Real* v = e_[c].data();
            v[i] = (v[i] - sx) / x[i];
            v[i - 1] = (v[i - 1] - (sy + y[i] * v[i])) / y[i - 1];
        });
    }

    // e_c[i] -= row i . e_c over [from, to), then divided by the diagonal
    // element when `divide` is set.
    template <typename T>
    void Backward1(int i, int from, int to, const std::array<const T*, kBlock>& e, bool divide) {
        const Real* x = M_[i].data();
        int c = 0;
        for (; c + 1 < count_; c += 2) {
            const auto s = detail::Dot1x2(x, e[c], e[c + 1], from, to);
            Finish(c, i, s.s0, divide);
            Finish(c + 1, i, s.s1, divide);
        }
        if (c < count_) Finish(c, i, detail::Dot(x, e[c], from, to), divide);
    }

    void Finish(int c, int i, Real s, bool divide) {
        Real& x = e_[c][i];
        x = divide ? (x - s) / M_[i][i] : x - s;
    }

    // Position i is final for the rows still to come.
    void Keep(int i) {
        for (int c = 0; c < count_; ++c) split_.Put(c, i, e_[c][i]);
    }

    std::array<const detail::SplitReal*, kBlock> Split() const {
        std::array<const detail::SplitReal*, kBlock> rows{};
        for (int c = 0; c < count_; ++c) rows[c] = split_.Row(c);
        return rows;
    }
    std::array<const Real*, kBlock> Plain() const {
        std::array<const Real*, kBlock> rows{};
        for (int c = 0; c < count_; ++c) rows[c] = e_[c].data();
        return rows;
    }

    const Tmatrix& M_;
    const TindexVector& perm_;
    const int n_;
    int count_ = 0;
    Tmatrix e_;
    detail::SplitRows split_;
};

// One column at a time, for factors that hold a value that is not finite
// (where a product with zero is not zero).
bool ColumnsOneByOne(Tmatrix& Q, const Tmatrix& M, const TindexVector& perm, int kept, int high,
                     int first, int last) {
    Tvector e(high + 1, 0.0L);
    for (int j = first; j <= last; ++j) {
        std::fill(e.begin(), e.end(), 0.0L);
        e[j] = 1;
        if (!LUBackSubstitution(M, high, perm, e)) return false;
        for (int i = 0; i < kept; ++i) Q[i][j] = e[i];
    }
    return true;
}

}  // namespace

bool LUInverseColumns(Tmatrix& Q, const Tmatrix& M, const TindexVector& perm, int conditions,
                      int high, int first, int last) {
    const int n = high + 1;
    const int kept = n - conditions;
    if (detail::EmptyRange(first, last)) return true;
    if (first > last) return false;
    if (high < 0 || conditions < 0 || kept < 0 || first < 0 || last > high ||
        !detail::HasBlock(Q, kept, last + 1L) || !detail::HasBlock(M, n, n) ||
        !detail::ValidPermutation(perm, n)) {
        return false;
    }
    if (!detail::BlockFinite(M, n, n)) return ColumnsOneByOne(Q, M, perm, kept, high, first, last);
    FpGuard guard;
    UnitColumnBlock block(M, perm, n);
    for (int j0 = first; j0 <= last; j0 += UnitColumnBlock::kBlock) {
        const int count = std::min(UnitColumnBlock::kBlock, last + 1 - j0);
        if (!block.Solve(j0, count)) return false;
        for (int c = 0; c < count; ++c) {
            const Tvector& e = block.Column(c);
            if (!detail::RangeFinite(e, 0, n)) return false;
            for (int i = 0; i < kept; ++i) Q[i][j0 + c] = e[i];
        }
    }
    return guard.Ok();
}

}  // namespace vertano
