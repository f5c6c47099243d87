#include "matice/DenseProducts.h"

#include <algorithm>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/MatrixChecks.h"

namespace vertano {

namespace {

// Rows of V are scaled by w once per block; the block's scaled rows stay in
// the second-level cache, as split pairs (SplitReal.h), while every pair of
// rows of U passes by them.
constexpr int kBlockRows = 8;

void ScaledRows(const Tmatrix& V, const Tvector& w, int from, int count, int n, Tmatrix& t) {
    for (int r = 0; r < count; ++r) {
        const Real* v = V[from + r].data();
        Real* out = t[r].data();
        for (int b = 0; b < n; ++b) out[b] = v[b] * w[b];
    }
}

template <typename T>
void BlockTimesU(Tmatrix& N, const Tmatrix& U, const T* const* t, int from, int count, int n) {
    int r = 0;
    for (; r + 1 < n; r += 2) {
        const Real* u0 = U[r].data();
        const Real* u1 = U[r + 1].data();
        int i = 0;
        for (; i + 1 < count; i += 2) {
            const auto s = detail::Dot2x2(t[i], t[i + 1], u0, u1, 0, n);
            N[from + i][r] = s.s00;
            N[from + i][r + 1] = s.s01;
            N[from + i + 1][r] = s.s10;
            N[from + i + 1][r + 1] = s.s11;
        }
        if (i < count) {
            const auto s = detail::Dot1x2(t[i], u0, u1, 0, n);
            N[from + i][r] = s.s0;
            N[from + i][r + 1] = s.s1;
        }
    }
    if (r < n) {
        for (int i = 0; i < count; ++i) N[from + i][r] = detail::Dot(t[i], U[r].data(), 0, n);
    }
}

}  // namespace

bool PseudoInverseRows(Tmatrix& N, const Tmatrix& V, const Tmatrix& U, int high, int first,
                       int last, const Tvector& w) {
    const int n = high + 1;
    if (detail::EmptyRange(first, last)) return true;
    if (first > last) return false;
    if (high < 0 || first < 0 || static_cast<int>(w.size()) < n ||
        !detail::HasBlock(V, last + 1L, n) || !detail::HasBlock(U, n, n) ||
        !detail::HasBlock(N, last + 1L, n) || &N == &V || &N == &U) {
        return false;
    }
    FpGuard guard;
    Tmatrix t(kBlockRows, Tvector(n));
    detail::SplitRows split(kBlockRows, n);
    const detail::SplitReal* ts[kBlockRows];
    const Real* tr[kBlockRows];
    for (int from = first; from <= last; from += kBlockRows) {
        const int count = std::min(kBlockRows, last + 1 - from);
        ScaledRows(V, w, from, count, n, t);
        split.Reset();
        for (int r = 0; r < count; ++r) {
            split.Set(r, t[r].data(), 0, n);
            ts[r] = split.Row(r);
            tr[r] = t[r].data();
        }
        if (split.Usable()) {
            BlockTimesU(N, U, ts, from, count, n);
        } else {
            BlockTimesU(N, U, tr, from, count, n);
        }
    }
    if (!guard.Ok()) return false;
    for (int i = first; i <= last; ++i) {
        if (!detail::RangeFinite(N[i], 0, n)) return false;
    }
    return true;
}

bool MatrixVectorRows(Tvector& x, const Tvector& b, const Tmatrix& N, int high, int first,
                      int last) {
    const int n = high + 1;
    if (detail::EmptyRange(first, last)) return true;
    if (first > last) return false;
    if (high < 0 || first < 0 || static_cast<int>(b.size()) < n ||
        static_cast<long>(x.size()) <= last || !detail::HasBlock(N, last + 1L, n) || &x == &b) {
        return false;
    }
    FpGuard guard;
    int i = first;
    for (; i + 1 <= last; i += 2) {
        const auto s = detail::Dot1x2(b.data(), N[i].data(), N[i + 1].data(), 0, n);
        x[i] = s.s0;
        x[i + 1] = s.s1;
    }
    if (i <= last) x[i] = detail::Dot(N[i].data(), b.data(), 0, n);
    return guard.Ok() && detail::RangeFinite(x, first, last + 1);
}

}  // namespace vertano
