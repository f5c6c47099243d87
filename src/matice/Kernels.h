#pragma once

#include "matice/MatrixTypes.h"

namespace vertano::detail {

// Inner products of the dense routines.
//
// On x87 the cost of these loops is the 80-bit load: each one takes several
// cycles, far more than the multiply and add it feeds. The two-by-two kernel
// therefore reads two rows against two other rows and uses every loaded value
// twice; its four sums, two values of one side, one value of the other and the
// product fill the eight x87 registers exactly.
//
// Every sum runs sequentially over ascending k from the value it is given, so
// an element gets the same bits whether it is computed alone or as part of a
// block. The threaded products depend on that: their results do not change
// with the number of threads.

inline Real Dot(const Real* a, const Real* b, int from, int to, Real init = 0) {
    Real s = init;
    for (int k = from; k < to; ++k) s += a[k] * b[k];
    return s;
}

struct Sums2 {
    Real s0;
    Real s1;
};

// s0 += a . b0, s1 += a . b1 over [from, to).
inline Sums2 Dot1x2(const Real* a, const Real* b0, const Real* b1, int from, int to,
                    Sums2 s = {0, 0}) {
    Real s0 = s.s0, s1 = s.s1;
    for (int k = from; k < to; ++k) {
        const Real x = a[k];
        s0 += x * b0[k];
        s1 += x * b1[k];
    }
    return {s0, s1};
}

struct Sums2x2 {
    Real s00;  // a0 . b0
    Real s01;  // a0 . b1
    Real s10;  // a1 . b0
    Real s11;  // a1 . b1
};

inline Sums2x2 Dot2x2(const Real* a0, const Real* a1, const Real* b0, const Real* b1, int from,
                      int to, Sums2x2 s = {0, 0, 0, 0}) {
    Real s00 = s.s00, s01 = s.s01, s10 = s.s10, s11 = s.s11;
    for (int k = from; k < to; ++k) {
        const Real x0 = a0[k];
        const Real x1 = a1[k];
        const Real y0 = b0[k];
        const Real y1 = b1[k];
        s00 += x0 * y0;
        s01 += x0 * y1;
        s10 += x1 * y0;
        s11 += x1 * y1;
    }
    return {s00, s01, s10, s11};
}

}  // namespace vertano::detail
