#pragma once

#include <cstdint>

#include "matice/Real.h"

namespace vertano {

// The key of a transformation into the output system. Angles in radians, lengths
// in metres; -1 marks a value the method does not use (a default-constructed
// key is the empty key).
//
// Transformation with adjustment: X' = posunX + X cos w - Y sin w,
// Y' = posunY + X sin w + Y cos w, Z' = posunZ + Z (w = rotaceZ); while the
// adjustment iterates the translations refer to the input coordinates reduced to
// the centroid (tezisteVstupX, tezisteVstupY), after the evaluation to the
// unreduced ones. sig_... are the square roots of the cofactors of the four
// unknowns, the translations' taken at the centroid.
//
// Point and bearing: X' = posunX + (X + posunX2) cos w - (Y + posunY2) sin w and
// likewise Y'; posunX, posunY are the output coordinates of the base point,
// posunX2, posunY2 minus its input coordinates, posunZ the height difference
// output - input; smernik_vstup and smernik_vystup the bearings from the base
// to the orientation point in the two systems.
struct TtransformacniKlic {
    int32_t poradi = 0;
    bool jePlny = false;
    Real posunX = -1;
    Real posunY = -1;
    Real posunZ = -1;
    Real posunX2 = -1;
    Real posunY2 = -1;
    Real rotaceZ = -1;  // 0 <= rotaceZ < 2 pi
    Real sig_posunX = -1;
    Real sig_posunY = -1;
    Real sig_posunZ = -1;
    Real sig_rotaceZ = -1;
    Real smernik_vstup = -1;
    Real smernik_vystup = -1;
    Real tezisteVstupX = -1;
    Real tezisteVstupY = -1;
};

}  // namespace vertano
