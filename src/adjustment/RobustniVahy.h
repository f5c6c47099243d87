#pragma once

#include <cstdint>

#include "data/Odhad.h"
#include "matice/Real.h"

namespace vertano {

// The smallest weight factor an estimator gives: an observation that the
// estimator rejects keeps a positive weight, so that no unknown loses its last
// observation and the normal matrix stays regular.
inline constexpr Real kNejmensiRobustniVaha = 1e-10L;

// True for the redescending estimators, whose influence falls back towards zero
// for large residuals (M-Huber, Hampel, Talwar, Cauchy, Tukey, Geman, Andrews,
// Welsh; not Huber, Fair, L1, L1/L2). Started from least squares, where one
// gross error has spread into every residual of the unknowns it touches, they
// may give all of those the floor weight and reject them all: they need a
// robust start (RobustniStart).
bool PotrebujeRobustniStart(Odhad typOdhadu);

// The weight factor w(x) of the estimator `typOdhadu` for the normalised residual
// x = v / sigma (sigma the a-priori standard deviation of the observation). Every
// estimator gives 1 for small residuals and at least kNejmensiRobustniVaha; the
// L1 norm gives 1000 for |x| <= 0.001. Neurcen (or an unknown code) gives 0. A residual that
// is not a finite number gives the floor: nothing can be trusted about it.
Real RobustniVaha(Odhad typOdhadu, Real x);

}  // namespace vertano
