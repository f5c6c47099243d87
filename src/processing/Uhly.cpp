#include "processing/Uhly.h"

#include <cmath>

#include "matice/Konstanty.h"

namespace vertano {

namespace {

constexpr Real kSum = 1e-15L;

}  // namespace

Real Normalise(Real uhel) {
    if (!std::isfinite(uhel)) return uhel;
    if (uhel >= 0 && uhel < kDvePi) return uhel;
    // fmod is exact, so a value many turns away costs one step and no rounding;
    // adding 2pi to a tiny negative remainder can round up to 2pi itself, which is
    // the direction 0.
    Real r = std::fmod(uhel, kDvePi);
    if (r < 0) r += kDvePi;
    if (r >= kDvePi) r = 0;
    return r;
}

Real NormaliseSigned(Real uhel) {
    if (uhel > -kPi && uhel <= kPi) return uhel;
    const Real r = Normalise(uhel);
    return r > kPi ? r - kDvePi : r;
}

Real WrappedDiff(Real a, Real b) {
    const Real d = a - b;
    if (d >= -kPi && d < kPi) return d;
    return Normalise(d + kPi) - kPi;
}

Real Unwrap(Real r, Real x) {
    const Real d = r - x;
    if (d >= -kPi && d < kPi) return r;
    if (!std::isfinite(d)) return r;
    return r - std::floor((d + kPi) / kDvePi) * kDvePi;
}

bool Within(Real v, Real mez) {
    return std::fabs(v) <= mez + kSum;
}

bool InRange(Real v, Real mez) {
    return v >= 0 && v <= mez;
}

}  // namespace vertano
