#pragma once

#include "matice/Real.h"

namespace vertano {

inline constexpr Real kPi = 3.141592653589793238462643383279502884L;
inline constexpr Real kDvePi = 2 * kPi;

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
