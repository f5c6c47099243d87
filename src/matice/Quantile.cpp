#include "matice/Quantile.h"

#include <cmath>

#include "matice/ElementaryFunctions.h"

namespace vertano {

namespace {

// The published coefficients, as doubles; the evaluation is extended.
constexpr double kA[6] = {-3.969683028665376e+01, 2.209460984245205e+02,  -2.759285104469687e+02,
                          1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
constexpr double kB[5] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                          6.680131188771972e+01, -1.328068155288572e+01};
constexpr double kC[6] = {-7.784894002430293e-03, -3.223964580411365e-01, -2.400758277161838e+00,
                          -2.549732539343734e+00, 4.374664141464968e+00,  2.938163982698783e+00};
constexpr double kD[4] = {7.784695709041462e-03, 3.224671290700398e-01, 2.445134137142996e+00,
                          3.754408661907416e+00};

// Region boundaries chosen so that 0.02425 and 0.97575 fall in the central
// region whether the caller writes them as double or as extended: the double
// 0.02425 lies above the extended one, the double 0.97575 above the extended
// one too, so the lower bound is the smaller extended value and the upper
// bound the larger double value.
constexpr Real kLow = 0.02425L;
constexpr Real kHigh = static_cast<Real>(0.97575);

Real Tail(Real q) {
    const Real num = ((((kC[0] * q + kC[1]) * q + kC[2]) * q + kC[3]) * q + kC[4]) * q + kC[5];
    const Real den = (((kD[0] * q + kD[1]) * q + kD[2]) * q + kD[3]) * q + 1;
    return num / den;
}

Real Central(Real q) {
    const Real r = q * q;
    const Real num = ((((kA[0] * r + kA[1]) * r + kA[2]) * r + kA[3]) * r + kA[4]) * r + kA[5];
    const Real den = ((((kB[0] * r + kB[1]) * r + kB[2]) * r + kB[3]) * r + kB[4]) * r + 1;
    return q * num / den;
}

}  // namespace

std::optional<Real> icnorm(Real p) {
    if (!(p > 0 && p < 1)) return std::nullopt;
    if (p < kLow) return Tail(std::sqrt(-2 * Log(p)));
    if (p <= kHigh) return Central(p - 0.5L);
    return -Tail(std::sqrt(-2 * Log(1 - p)));
}

}  // namespace vertano
