#pragma once

#include <array>

#include "data/Tbod.h"
#include "matice/Real.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// The classical surveying constructions that the approximate coordinates are
// propagated with, each on plain points and pointings. Angles in radians, lengths
// in metres, bearings geodetic (from +X towards +Y) in [0, 2pi). A pointing is a
// row of the set means: `smer`, `zenit` and `delka` with the scale factor
// `zkresleniDelky` of its distance (the horizontal position uses the scaled
// distance, the height the true one).
//
// Every construction returns false and leaves its outputs untouched when the
// geometry has no answer (coincident or collinear points, parallel lines, a
// zero denominator, a tangent pole) or the arithmetic faults: the caller then
// simply tries the next construction, so a bad row costs one candidate at most.

// Bearing from `od` to `k`; false when the points coincide in plan.
bool SmernikBodu(const Tbod& od, const Tbod& k, Real& smernik);

// Horizontal distance of two points.
Real VodorovnaVzdalenost(const Tbod& a, const Tbod& b);

// Height of a point at horizontal distance `h` from a point of height `zOd`,
// seen from there under the zenith angle `zenit`: zOd + h / tan(zenit) / zkresleni.
bool VyskaZeZenitu(Real zOd, Real h, Real zenit, Real zkresleni, Real& z);

// Polar point: the target of `zaznam` from `stanovisko` along `smernik`,
// s = delka sin(zenit) horizontally and delka cos(zenit) / zkresleniDelky up.
// Only X, Y, Z of `cil` are written.
bool PolarniBod(const Tbod& stanovisko, Real smernik, const Tzaznam& zaznam, Tbod& cil);

// Free station from two pointings with distances to the known targets `cil1` and
// `cil2`: the station's local system (x along the first direction) is fitted to
// the two targets by a plane similarity. The height comes from the first
// pointing. Only X, Y, Z of `stanovisko` are written.
bool VolneStanovisko(const Tzaznam& prvni, const Tbod& cil1, const Tzaznam& druhy, const Tbod& cil2,
                     Tbod& stanovisko);

// One direction of a resection and the known point it was measured to.
struct SmerNaBod {
    Real smer = 0;
    Tbod bod;
};

// Horizontal position of a station from directions to three known points. The
// directions are taken relative to the first one and sorted; an angle below
// pi/20 between neighbours is refused, as the position would be ill-determined.
// The result is checked against the measured angles, which catches a station on
// or near the circle through the three points (where the construction breaks
// down numerically) before it becomes a candidate.
bool ProtinaniZpetPoloha(const std::array<SmerNaBod, 3>& cile, Real& x, Real& y);

// Forward intersection of the ray from `a` along `smernikA` with the ray from `b`
// along `smernikB`. False for parallel rays and for an intersection behind either
// station, which no pointing can have seen. Only X and Y of `bod` are written.
bool ProtinaniVpredPoloha(const Tbod& a, Real smernikA, const Tbod& b, Real smernikB, Tbod& bod);

// Row values that the constructions can use. Set means are face I rows; the
// direction -1 and the distance 0 mark values that were not measured.
bool MaPouzitelnySmer(const Tzaznam& zaznam);
bool MaPouzitelnouDelku(const Tzaznam& zaznam);
bool MaPouzitelnyZenit(const Tzaznam& zaznam);

}  // namespace vertano
