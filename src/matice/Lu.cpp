#include "matice/Lu.h"

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
// a new row for every element, so each step copies two columns (j and j + 1)
// into contiguous work vectors, does all its arithmetic on rows and those
// vectors, and writes the finished columns back. The second column's sums over
// the first j terms are formed in the same pass as the first column's.
class CroutColumns {
  public:
    CroutColumns(Tmatrix& M, TindexVector& perm, Tvector& scale, int n)
        : M_(M), perm_(perm), scale_(scale), n_(n), c0_(n), c1_(n), partial_(n) {}

    void Step(int j) {
        const bool pair = j + 1 < n_;
        Gather(j, pair);
        UpperRows(j);
        LowerRows(j);
        FinishColumn(j, c0_);
        if (!pair) return;
        // Row j is now fixed: its part of column j + 1 is complete, and the
        // rows below get their last term from the column just finished.
        c1_[j] -= partial_[j];
        for (int i = j + 1; i < n_; ++i) c1_[i] -= partial_[i] + M_[i][j] * c1_[j];
        FinishColumn(j + 1, c1_);
    }

  private:
    void Gather(int j, bool pair) {
        for (int i = 0; i < n_; ++i) {
            c0_[i] = M_[i][j];
            c1_[i] = pair ? M_[i][j + 1] : 0;
        }
    }

    // Rows above the diagonal: U[i][j] = M[i][j] - sum_{k<i} L[i][k] U[k][j],
    // sequential in i, so a pair of rows adds its cross term afterwards.
    void UpperRows(int j) {
        int i = 0;
        for (; i + 1 < j; i += 2) {
            const Real* a = M_[i].data();
            const Real* b = M_[i + 1].data();
            const auto s = detail::Dot2x2(a, b, c0_.data(), c1_.data(), 0, i);
            c0_[i] -= s.s00;
            c1_[i] -= s.s01;
            c0_[i + 1] -= s.s10 + b[i] * c0_[i];
            c1_[i + 1] -= s.s11 + b[i] * c1_[i];
        }
        if (i < j) {
            const auto s = detail::Dot1x2(M_[i].data(), c0_.data(), c1_.data(), 0, i);
            c0_[i] -= s.s0;
            c1_[i] -= s.s1;
        }
    }

    // Rows from the diagonal down: column j is complete after its j terms;
    // column j + 1 keeps its j-term sum aside until row j is chosen.
    void LowerRows(int j) {
        int i = j;
        for (; i + 1 < n_; i += 2) {
            const auto s =
                detail::Dot2x2(M_[i].data(), M_[i + 1].data(), c0_.data(), c1_.data(), 0, j);
            c0_[i] -= s.s00;
            partial_[i] = s.s01;
            c0_[i + 1] -= s.s10;
            partial_[i + 1] = s.s11;
        }
        if (i < n_) {
            const auto s = detail::Dot1x2(M_[i].data(), c0_.data(), c1_.data(), 0, j);
            c0_[i] -= s.s0;
            partial_[i] = s.s1;
        }
    }

    // Pivot choice, row exchange, the tiny-pivot rule and the write-back of
    // column j held in c.
    void FinishColumn(int j, Tvector& c) {
        Real big = 0;
        int pivot = j;
        for (int i = j; i < n_; ++i) {
            const Real candidate = scale_[i] * std::fabs(c[i]);
            if (candidate >= big) {
                big = candidate;
                pivot = i;
            }
        }
        if (pivot != j) Exchange(pivot, j);
        perm_[j] = pivot;
        if (c[j] == 0) c[j] = kTiny;
        for (int i = 0; i <= j; ++i) M_[i][j] = c[i];
        for (int i = j + 1; i < n_; ++i) M_[i][j] = c[i] / c[j];
    }

    void Exchange(int a, int b) {
        std::swap(M_[a], M_[b]);
        std::swap(c0_[a], c0_[b]);
        std::swap(c1_[a], c1_[b]);
        std::swap(partial_[a], partial_[b]);
        scale_[a] = scale_[b];
    }

    Tmatrix& M_;
    TindexVector& perm_;
    Tvector& scale_;
    const int n_;
    Tvector c0_, c1_, partial_;
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

bool ValidPermutation(const TindexVector& perm, int n) {
    if (static_cast<int>(perm.size()) < n) return false;
    for (int i = 0; i < n; ++i) {
        if (perm[i] < 0 || perm[i] >= n) return false;
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
    CroutColumns crout(M, perm, scale, n);
    for (int j = 0; j < n; j += 2) crout.Step(j);
    return guard.Ok() && detail::BlockFinite(M, n, n);
}

bool LUBackSubstitution(const Tmatrix& M, int high, const TindexVector& perm, Tvector& b) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n) || static_cast<int>(b.size()) < n ||
        !ValidPermutation(perm, n)) {
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
    for (int i = n - 1; i >= 0; --i) {
        const Real* row = M[i].data();
        if (row[i] == 0) return false;
        b[i] = (b[i] - detail::Dot(row, b.data(), i + 1, n)) / row[i];
    }
    return guard.Ok() && detail::RangeFinite(b, 0, n);
}

bool LUInverseColumns(Tmatrix& Q, const Tmatrix& M, const TindexVector& perm, int conditions,
                      int high, int last, int first) {
    const int n = high + 1;
    const int kept = n - conditions;
    if (first > last) return true;
    if (high < 0 || conditions < 0 || kept < 0 || first < 0 || last > high ||
        !detail::HasBlock(Q, kept, last + 1L)) {
        return false;
    }
    Tvector e(n, 0.0L);
    for (int j = first; j <= last; ++j) {
        e[j] = 1;
        if (!LUBackSubstitution(M, high, perm, e)) return false;
        for (int i = 0; i < kept; ++i) {
            Q[i][j] = e[i];
            e[i] = 0;
        }
        for (int i = kept; i < n; ++i) e[i] = 0;
    }
    return true;
}

}  // namespace vertano
