#pragma once

#include "data/Tbod.h"
#include "matice/Real.h"
#include "mereni/Tzaznam.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

// Reduction of a supplementary slope distance to the point marks, the reference
// level H0 (`hladina`) and the map projection, on a sphere of radius `polomer`:
// with s the slope distance, h1, h2 the instrument and target heights and Z1, Z2,
// m1, m2 the heights and scale factors of the two points,
//   k  = sqrt((s^2 - (Z1 + h1 - Z2 - h2)^2) / ((R + Z1 + h1)(R + Z2 + h2))), or 0
//        when the radicand is negative (a distance shorter than the height
//        difference: the line counts as vertical);
//   s0 = sqrt((R + Z1)^2 + (R + Z2)^2 - 2 cos(k) (R + Z1)(R + Z2)), the chord
//        between the marks;
//   f  = (R + H0) / (R + (Z1 + Z2) / 2) * (m1 + m2) / 2;
// then zkresleniDelky := f and delka := s0 * f. False, with the row unchanged, on
// an arithmetic fault, a point without a scale factor (not > 0), a radius that is
// not positive or a mark-to-mark distance of 0.
bool RedukovatDoplnekDelku(Tzaznam& zaznam, const Tbod& stanovisko, const Tbod& cil, Real hladina,
                           Real polomer);

// Compares a prepared row of kind `druh` (doplnek::k...) with the value computed
// from the coordinates of its two points: zapracovaniPoloha [0] the measured value,
// [1] the value from coordinates, [2] the difference [1] - [0].
//   distance: [0] = delka / zkresleniDelky (mark to mark), [1] =
//     sqrt((horizontal distance / zkresleniDelky)^2 + (Z1 - Z2)^2);
//   bearing: [1] = atan2(dY, dX) in [0, 2 pi), [2] reduced into [-pi, pi);
//   height difference: [1] = Z2 - Z1;
//   plumbing: delka := 0, [0] = 0, [1] = the horizontal distance of the points.
// False, with the row unchanged, on an arithmetic fault or an unknown kind.
bool PorovnatDoplnekSeSouradnicemi(Tzaznam& zaznam, DruhDoplnku druh, const Tbod& stanovisko,
                                   const Tbod& cil);

// The limit test of the comparisons, the one of the measurement checks
// (!Within): |rozdil| > mez + 1e-15, and NaN exceeds.
bool JePrekrocenMezniRozdil(Real rozdil, Real mez);

}  // namespace vertano
