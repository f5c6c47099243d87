#pragma once

#include <optional>

#include "matice/Real.h"

namespace vertano {

// The error text for an argument of icnorm outside (0, 1).
inline constexpr const char* kIcnormArgument = "Inverse Cum Norm argument must be in range 0<p<1";

// Quantile of the standard normal distribution: the x with Phi(x) = p, by
// Acklam's rational approximation (relative error about 1.15e-9) evaluated in
// extended precision. Empty for p not strictly between 0 and 1 (NaN
// included); the caller reports kIcnormArgument.
std::optional<Real> icnorm(Real p);

}  // namespace vertano
