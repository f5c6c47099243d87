#pragma once

#include "matice/MatrixTypes.h"
#include "matice/SplitReal.h"

namespace vertano::detail {

// Inner products of the dense routines.
//
// On x87 the cost of these loops is the loading of the operands: an 80-bit
// load takes several cycles, far more than the multiply and add it feeds. The
// two-by-two kernel therefore reads two rows against two other rows and uses
// every loaded value twice; its four sums, two values of one side, one value
// of the other and the product fill the eight x87 registers exactly. Where one
// side is reused by many calls, the callers hand it over as split pairs
// (SplitReal.h), which load at a quarter of the cost; the kernels are the
// same for both kinds of operand (Load).
//
// Every sum runs sequentially over ascending k from the value it is given, so
// an element gets the same bits whether it is computed alone or as part of a
// block, and whatever kind of operand it reads. The threaded products depend
// on that: their results do not change with the number of threads.

template <typename A, typename B>
inline Real Dot(const A* a, const B* b, int from, int to, Real init = 0) {
    Real s = init;
    for (int k = from; k < to; ++k) s += Load(a, k) * Load(b, k);
    return s;
}

struct Sums2 {
    Real s0;
    Real s1;
};

// s0 += a . b0, s1 += a . b1 over [from, to).
template <typename A, typename B>
inline Sums2 Dot1x2(const A* a, const B* b0, const B* b1, int from, int to, Sums2 s = {0, 0}) {
    Real s0 = s.s0, s1 = s.s1;
    for (int k = from; k < to; ++k) {
        const Real x = Load(a, k);
        s0 += x * Load(b0, k);
        s1 += x * Load(b1, k);
    }
    return {s0, s1};
}

struct Sums2x2 {
    Real s00;  // a0 . b0
    Real s01;  // a0 . b1
    Real s10;  // a1 . b0
    Real s11;  // a1 . b1
};

// The order of the statements is the order that fits the x87 stack: both a
// values, then b0 with its two products, then b1 with its two.
template <typename A, typename B>
inline Sums2x2 Dot2x2(const A* a0, const A* a1, const B* b0, const B* b1, int from, int to,
                      Sums2x2 s = {0, 0, 0, 0}) {
    Real s00 = s.s00, s01 = s.s01, s10 = s.s10, s11 = s.s11;
    for (int k = from; k < to; ++k) {
        const Real x0 = Load(a0, k);
        const Real x1 = Load(a1, k);
        const Real y0 = Load(b0, k);
        s00 += x0 * y0;
        s10 += x1 * y0;
        const Real y1 = Load(b1, k);
        s01 += x0 * y1;
        s11 += x1 * y1;
    }
    return {s00, s01, s10, s11};
}

// The kernel the dense routines spend their time in: 80-bit rows against
// split pairs. Written out for the x87 stack, it needs no register exchanges
// and runs about a tenth faster than what the compiler makes of the loop
// above; the operations and their order are exactly those of the loop, which
// other targets use.
inline Sums2x2 Dot2x2(const Real* a0, const Real* a1, const SplitReal* b0, const SplitReal* b1,
                      int from, int to, Sums2x2 s = {0, 0, 0, 0}) {
#if defined(__GNUC__) && defined(__x86_64__)
    static_assert(sizeof(Real) == 16 && sizeof(SplitReal) == 16 && sizeof(Sums2x2) == 64);
    long count = to - from;
    if (count <= 0) return s;
    a0 += from;
    a1 += from;
    b0 += from;
    b1 += from;
    Sums2x2* sums = &s;
    // Stack from the top: x0 x1 y s00 s01 s10 s11 (and a copy of x0).
    asm volatile(
        "fldt 48(%[s])\n\t"
        "fldt 32(%[s])\n\t"
        "fldt 16(%[s])\n\t"
        "fldt (%[s])\n\t"
        "1:\n\t"
        "fldt (%[a0])\n\t"
        "fldt (%[a1])\n\t"
        "fldl (%[b0])\n\t"
        "faddl 8(%[b0])\n\t"
        "fld %%st(2)\n\t"
        "fmul %%st(1), %%st\n\t"
        "faddp %%st, %%st(4)\n\t"  // s00 += x0 y0
        "fmul %%st(1), %%st\n\t"
        "faddp %%st, %%st(5)\n\t"  // s10 += x1 y0
        "fldl (%[b1])\n\t"
        "faddl 8(%[b1])\n\t"
        "fmul %%st, %%st(2)\n\t"
        "fmulp %%st, %%st(1)\n\t"
        "faddp %%st, %%st(5)\n\t"  // s11 += x1 y1
        "faddp %%st, %%st(2)\n\t"  // s01 += x0 y1
        "add $16, %[a0]\n\t"
        "add $16, %[a1]\n\t"
        "add $16, %[b0]\n\t"
        "add $16, %[b1]\n\t"
        "dec %[n]\n\t"
        "jnz 1b\n\t"
        "fstpt (%[s])\n\t"
        "fstpt 16(%[s])\n\t"
        "fstpt 32(%[s])\n\t"
        "fstpt 48(%[s])\n\t"
        : [a0] "+r"(a0), [a1] "+r"(a1), [b0] "+r"(b0), [b1] "+r"(b1), [n] "+r"(count)
        : [s] "r"(sums)
        : "memory", "cc", "st", "st(1)", "st(2)", "st(3)", "st(4)", "st(5)", "st(6)", "st(7)");
    return s;
#else
    return Dot2x2<Real, SplitReal>(a0, a1, b0, b1, from, to, s);
#endif
}

// Split pairs against 80-bit rows: the same kernel with the roles exchanged,
// which gives the same bits since every product is the same product.
inline Sums2x2 Dot2x2(const SplitReal* a0, const SplitReal* a1, const Real* b0, const Real* b1,
                      int from, int to, Sums2x2 s = {0, 0, 0, 0}) {
    const Sums2x2 t = Dot2x2(b0, b1, a0, a1, from, to, {s.s00, s.s10, s.s01, s.s11});
    return {t.s00, t.s10, t.s01, t.s11};
}

// Rows x and y against the columns c[0..count) over [from, to), two columns at
// a time through the 2x2 kernel: done(b, x . c[b], y . c[b]) for every b in order.
template <typename T, typename Done>
inline void ForColumnPairs(const Real* x, const Real* y, const T* const* c, int count, int from,
                           int to, Done done) {
    int b = 0;
    for (; b + 1 < count; b += 2) {
        const Sums2x2 s = Dot2x2(x, y, c[b], c[b + 1], from, to);
        done(b, s.s00, s.s10);
        done(b + 1, s.s01, s.s11);
    }
    if (b < count) {
        const Sums2 s = Dot1x2(c[b], x, y, from, to);
        done(b, s.s0, s.s1);
    }
}

}  // namespace vertano::detail
