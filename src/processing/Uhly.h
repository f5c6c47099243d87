#pragma once

#include "matice/Real.h"

namespace vertano {

// Angle arithmetic of the face and set reductions. Angles are radians; a
// direction of valid data lies in [0, 2pi). Non-finite values pass through
// unchanged, so that the checks see them and flag the row.

// The angle brought into [0, 2pi) by whole turns.
Real Normalise(Real uhel);

// The angle brought into (-pi, pi] by whole turns: the smaller turn between two
// directions, a half turn counting as +pi. An angle already there is returned
// exactly.
Real NormaliseSigned(Real uhel);

// a - b reduced to [-pi, pi). A difference that is already in that interval is
// returned exactly as computed, so that a tolerance test at its limit does not
// depend on a detour through a full turn.
Real WrappedDiff(Real a, Real b);

// r + 2pi k lying in [x - pi, x + pi): r brought next to the reference x, so that
// directions on both sides of zero can be averaged or compared. r itself is
// returned when it already lies there.
Real Unwrap(Real r, Real x);

// The tolerance test of every check: |v| <= limit + 1e-15. A limit of 0 tests
// equality up to the noise of the arithmetic.
bool Within(Real v, Real mez);

// 0 <= v <= limit; false for a value that is not a number.
bool InRange(Real v, Real mez);

}  // namespace vertano
