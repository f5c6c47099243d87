#pragma once

#include <cstdint>

#include "data/Tbod.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// Reduction of measured slope distances and zenith angles from instrument and
// signal to the point marks, and of the distances to the reference level and the
// map projection. Lengths in metres, angles in radians. Every routine returns
// false on an arithmetic failure (negative square root, arcsine outside [-1, 1],
// division by zero, a result that is not finite) and then leaves its output
// unchanged; the raw-data analysis ends on such a failure.

// The level H0 by redukceMereni.typHladiny: 0 the zero level, 1 the mean level of
// the network ((Zmin + Zmax) / 2 over the full points of `souradnice`), 2 the
// given level vyskaHladiny. False for another code or for the mean level of a
// list without full points.
bool HladinaRedukce(const Tsouradnice& souradnice, const Tnastaveni& nastaveni, Real& hladina);

// Central angle of a line on the sphere: the chord on the unit sphere of a slope
// distance `s` whose ends differ in height by `dh`, at radii whose product is
// `polomery`, used as the angle. 0 when the distance is shorter than the height
// difference: the line then has no horizontal part and counts as vertical.
Real StredovyUhel(Real s, Real dh, Real polomery);

// The chord between two points at distances `a` and `b` from the centre of the
// sphere that the centre sees at angle `k`: sqrt(a^2 + b^2 - 2ab cos k), computed
// as sqrt((a - b)^2 + 4ab sin^2(k/2)) so that nothing of the size of the earth's
// radius squared is subtracted. NaN when ab is negative.
Real Tetiva(Real a, Real b, Real k);

// Scale factor of the line between two points:
// f = (R + H0) / (R + (Z1 + Z2) / 2) * (m1 + m2) / 2 with m the points' zkresleni.
// False when a point's scale factor is not set (not > 0) or R + mean height <= 0.
bool ZkresleniLinie(const Tbod& bod1, const Tbod& bod2, Real hladina, Real polomer,
                    Real& zkresleni);

// Reduces one row from station point `stanovisko` to target point `cil`: zenith
// angle and (when measured) distance to the marks, zkresleniDelky := the line's
// scale factor, delka := mark-to-mark distance times that factor. A row without a
// distance keeps delka 0 and gets its zenith angle reduced with the distance
// computed from the coordinates. A negative distance is refused.
bool RedukovatZaznam(Tzaznam& zaznam, const Tbod& stanovisko, const Tbod& cil, Real hladina,
                     Real polomer);

struct VysledekRedukce {
    int32_t pocetRedukovanych = 0;  // rows reduced and kept
    int32_t pocetVypustenych = 0;   // full rows dropped: a point without coordinates
};

// Reduces every row whose station and target (iStn, iCil into `souradnice`, the
// list by point order) are full points; the other rows are dropped and stations
// renumbered (SmazPrazdneZaznamy). All or nothing: on failure `mereni` is left as
// it was.
bool RedukceMereni(Tmereni& mereni, const Tsouradnice& souradnice, Real hladina, Real polomer,
                   VysledekRedukce& vysledek);

// The whole reduction in one call: the points by point order take their scale
// factors from `souradniceMeritko` (the basic scale distortion where the list has
// no value), H0 comes from the settings, R is redukceMereni.polomerRefPlochy.
bool RedukovatDelky(Tmereni& mereni, const Tsouradnice& souradnice,
                    const Tsouradnice& souradniceMeritko, const Tnastaveni& nastaveni,
                    VysledekRedukce& vysledek);

}  // namespace vertano
