#pragma once

#include "data/Tbod.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"

namespace vertano {

// Accuracy figures of one determined point from the cofactor matrix Q of the
// unknowns (the coordinates X, Y, Z of point i are the unknowns 3i..3i+2). All of
// them are for a unit standard deviation of 1; lengths are square roots of
// cofactors, bearings are geodetic (from +X towards +Y), angles in radians.
// Every routine returns false on a floating-point fault or a value that cannot
// be a cofactor (a negative variance), leaving its output unspecified; the
// evaluation then recomputes Q by the pseudo-inverse and tries again.

// The error ellipsoid of a symmetric positive semi-definite 3 x 3 block B, by
// its singular value decomposition B = U diag(w) V^T: semi-axes sqrt(w_k) from
// the longest (a) to the shortest (c), each along its column k of V with its
// bearing in [0, 2pi) and its zenith angle in [0, pi/2], by SmerOsy.
[[nodiscard]] bool ElipsoidZBloku(const Tmatrix& B, Telipsoid& elipsoid);

// Bearing and zenith angle of the axis along (x, y, z), from its upper end
// (zenith at most pi/2); an axis horizontal within 1e-12 of its length from the
// end whose bearing lies in [0, pi). So (x, y, z) and (-x, -y, -z) give the same
// figures; a vertical axis (horizontal part below 1e-12 of its length) has the
// bearing 0. A zero or non-finite vector gives the zenith 0.
void SmerOsy(Real x, Real y, Real z, Real& smernik, Real& zenit);

// The plane error ellipse of the horizontal cofactors: semi-axes and the bearing
// of the major axis in [0, pi). A minor-axis radicand that is negative only by
// rounding (a block singular to working precision) gives the semi-axis 0.
[[nodiscard]] bool ElipsaZKofaktoru(Real qXX, Real qYY, Real qXY, Telipsa& elipsa);

// sig_X, sig_Y, sig_Z and the ellipsoid of point `index` from the block of Q at
// 3 index .. 3 index + 2, read from its lower triangle.
[[nodiscard]] bool ElipsoidBodu(const Tmatrix& Q, int index, Tbod& bod);

// The ellipse of point `index` from Q[3i][3i], Q[3i+1][3i+1] and Q[3i+1][3i].
[[nodiscard]] bool ElipsaBodu(const Tmatrix& Q, int index, Tbod& bod);

}  // namespace vertano
