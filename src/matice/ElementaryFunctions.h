#pragma once

#include "matice/Real.h"

namespace vertano {

// The inverse trigonometric, exponential and logarithmic functions of the
// program, in extended precision.
//
// The C library computes atan2l, acosl, expl, logl and powl with the x87
// instructions fpatan, f2xm1 and fyl2x, whose last bits differ between processor
// makers (and its double log is chosen at run time by the processor's
// features). A bearing, a zenith angle or a robust weight then differs in its
// last bit from one machine to the next, and through the iterations and the
// decompositions that bit can turn an ellipsoid axis or tip a rounding. These
// functions use additions, multiplications, divisions and square roots only,
// each rounded as IEEE 754 prescribes, so that every result is the same to the
// bit on every x86-64 processor. Each lies within 3 ulp of the exact value.
//
// Special values follow the C library: NaN in, NaN out; atan2 of zeros and
// infinities by the signs of its arguments; asin and acos outside [-1, 1], and
// log of a negative number, are NaN; log(0) is -inf; exp overflows to +inf.

Real Atan(Real x);
Real Atan2(Real y, Real x);
Real Asin(Real x);
Real Acos(Real x);
Real Exp(Real x);
Real Log(Real x);

// 10^n: exact for 0 <= n <= 27, correctly rounded (one division by the exact
// power) for -27 <= n < 0; beyond, a product of such powers.
Real Pow10(int n);

}  // namespace vertano
