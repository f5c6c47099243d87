#include "matice/ParallelProducts.h"

#include <algorithm>
#include <new>

#include "matice/Cholesky.h"
#include "matice/DenseProducts.h"
#include "matice/FpGuard.h"
#include "matice/Lu.h"
#include "matice/MatrixChecks.h"
#include "matice/SparseIndex.h"

namespace vertano {

namespace {

// The split's ranges lie inside rows 0..rows-1.
bool SplitInside(const TindexVector& split, int rows) {
    return split.size() >= 2 && split.front() >= 0 && split.back() <= rows;
}

bool NormalEquations(Tmatrix& N, Tvector* b, const Tsparse& S, const Tvector& p, const Tvector* l,
                     int n, const TindexVector& split, const WaitHook& hook) {
    long columns = static_cast<long>(p.size());
    if (l != nullptr) columns = std::min(columns, static_cast<long>(l->size()));
    if (n < 0 || !SplitInside(split, n) || !detail::ValidRows(S, 0, n, columns, true) ||
        !detail::HasBlock(N, n, n) || (b != nullptr && static_cast<int>(b->size()) < n)) {
        return false;
    }
    detail::ColumnIndex index;
    try {
        index = detail::BuildColumnIndex(S, n, static_cast<int>(columns));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return RunRowRanges(
        split,
        [&](int pocatek, int konec) {
            FpGuard guard;
            if (!detail::NormalMatrixRowsChecked(N, S, p, index, pocatek, konec, n)) return false;
            if (b != nullptr) detail::NormalVectorRowsChecked(*b, p, *l, pocatek, konec, S);
            return guard.Ok() && (b == nullptr || detail::RangeFinite(*b, pocatek, konec + 1));
        },
        hook);
}

}  // namespace

bool ThreadNaplnitATPA_ATPL(Tmatrix& N, Tvector& b, const Tsparse& S, const Tvector& p,
                            const Tvector& l, int n, const TindexVector& split,
                            const WaitHook& hook) {
    return NormalEquations(N, &b, S, p, &l, n, split, hook);
}

bool ThreadNaplnitATPA(Tmatrix& N, const Tsparse& S, const Tvector& p, int n,
                       const TindexVector& split, const WaitHook& hook) {
    return NormalEquations(N, nullptr, S, p, nullptr, n, split, hook);
}

bool ThreadSoucinLDLT(Tmatrix& M, int high, int threads, const WaitHook& hook) {
    const int n = high + 1;
    if (high < 0 || !detail::HasBlock(M, n, n)) return false;
    Tmatrix Q;
    try {
        Q.assign(n, Tvector(n, 0.0L));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const TindexVector split = SplitBalanced(
        n, threads, [n](int s) { return static_cast<double>(s + 1) * static_cast<double>(n - s); });
    const bool ok = RunRowRanges(
        split,
        [&](int pocatek, int konec) {
            return InverseFromTriangularInto(Q, M, high, pocatek, konec);
        },
        hook);
    if (!ok) return false;
    for (int i = 0; i < n; ++i) {
        if (static_cast<int>(M[i].size()) == n) {
            M[i].swap(Q[i]);
        } else {
            std::copy(Q[i].begin(), Q[i].end(), M[i].begin());
        }
    }
    return true;
}

bool ThreadSoucinLDLT(Tmatrix& Q, const Tmatrix& M, const TindexVector& perm, int conditions,
                      int high, const TindexVector& split, const WaitHook& hook) {
    if (!SplitInside(split, high + 1 - conditions)) return false;
    return RunRowRanges(
        split,
        [&](int pocatek, int konec) {
            return LUInverseColumns(Q, M, perm, conditions, high, pocatek, konec);
        },
        hook);
}

TindexVector SplitInverseColumns(int columns, int n, int& threads) {
    const double square = static_cast<double>(n) * n;
    return SplitBalanced(columns, threads, [n, square](int j) {
        const double below = n - j;
        return square + below * below;
    });
}

bool ThreadSoucinSVD(Tmatrix& N, const Tmatrix& V, const Tmatrix& U, const Tvector& w, int high,
                     const TindexVector& split, const WaitHook& hook) {
    if (!SplitInside(split, high + 1)) return false;
    return RunRowRanges(
        split,
        [&](int pocatek, int konec) { return PseudoInverseRows(N, V, U, high, pocatek, konec, w); },
        hook);
}

bool ThreadSoucinSVD(Tmatrix& N, const Tmatrix& V, const Tmatrix& U, const Tvector& w, int high,
                     Tvector& dx, const Tvector& b, const TindexVector& split,
                     const WaitHook& hook) {
    if (!SplitInside(split, high + 1) || static_cast<long>(dx.size()) < split.back()) {
        return false;
    }
    return RunRowRanges(
        split,
        [&](int pocatek, int konec) {
            return PseudoInverseRows(N, V, U, high, pocatek, konec, w) &&
                   MatrixVectorRows(dx, b, N, high, pocatek, konec);
        },
        hook);
}

}  // namespace vertano
