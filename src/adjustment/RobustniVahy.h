#pragma once

#include <cstdint>

#include "matice/Real.h"

namespace vertano {

// The M-estimators of the robust adjustment, by the code the settings store
// (position in the estimator list + 1).
namespace odhad {
inline constexpr int32_t kHuber = 1;
inline constexpr int32_t kMHuber = 2;
inline constexpr int32_t kHampel = 3;
inline constexpr int32_t kTalwar = 4;
inline constexpr int32_t kCauchy = 5;
inline constexpr int32_t kTukey = 6;
inline constexpr int32_t kGeman = 7;
inline constexpr int32_t kAndrews = 8;
inline constexpr int32_t kWelsh = 9;
inline constexpr int32_t kFair = 10;
inline constexpr int32_t kL1 = 11;
inline constexpr int32_t kL1L2 = 12;
inline constexpr int32_t kPrvni = kHuber;
inline constexpr int32_t kPosledni = kL1L2;
}  // namespace odhad

// The smallest weight factor an estimator gives: an observation that the
// estimator rejects keeps a positive weight, so that no unknown loses its last
// observation and the normal matrix stays regular.
inline constexpr Real kNejmensiRobustniVaha = 1e-10L;

// True for the codes 1..12 of the estimators above.
bool JeTypOdhadu(int32_t typOdhadu);

// True for the redescending estimators, whose influence falls back towards zero
// for large residuals (M-Huber, Hampel, Talwar, Cauchy, Tukey, Geman, Andrews,
// Welsh; not Huber, Fair, L1, L1/L2). Started from least squares, where one
// gross error has spread into every residual of the unknowns it touches, they
// may give all of those the floor weight and reject them all: they need a
// robust start (RobustniStart).
bool PotrebujeRobustniStart(int32_t typOdhadu);

// The weight factor w(x) of the estimator `typOdhadu` for the normalised residual
// x = v / sigma (sigma the a-priori standard deviation of the observation). Every
// estimator gives 1 for small residuals and at least kNejmensiRobustniVaha; the
// L1 norm gives 1000 for |x| <= 0.001. An unknown code gives 0. A residual that
// is not a finite number gives the floor: nothing can be trusted about it.
Real RobustniVaha(int32_t typOdhadu, Real x);

}  // namespace vertano
