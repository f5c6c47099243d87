#pragma once

#include "matice/Real.h"

namespace vertano {

inline constexpr Real kPi = 3.141592653589793238462643383279502884L;
inline constexpr Real kDvePi = 2 * kPi;

// A pivot of a symmetric factorisation not above this share of its diagonal
// element means that its unknown adds nothing the unknowns eliminated before it
// have not: the matrix is singular there. Rounding leaves such pivots around
// 1e-16 of the diagonal and below; an unknown of a surveyed network that is
// determined, however weakly, keeps many orders of magnitude more. Relative,
// because the weights of an adjustment may have any scale.
inline constexpr Real kRelativePivot = 1e-12L;

// Conversions used for values the program defines itself in display units.
constexpr Real GonNaRad(Real gon) {
    return gon * kPi / 200;
}
constexpr Real MgonNaRad(Real mgon) {
    return mgon / 1000 * kPi / 200;
}
constexpr Real MmNaM(Real mm) {
    return mm / 1000;
}

}  // namespace vertano
