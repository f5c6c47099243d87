#pragma once

#include "matice/MatrixTypes.h"

namespace vertano {

// LDL^T factorisation of a symmetric matrix without pivoting, and the solution
// with it. `high` is the highest index (size - 1); the leading block of M is
// used, M may be larger. Both return false, leaving M partly factored, when a
// pivot D[i] is zero, an argument is too small or a floating-point fault
// (division by zero, invalid operation, overflow) or a non-finite value occurs.

// Reads the lower triangle of M. Leaves the unit lower-triangular L in M (ones
// on the diagonal, zeros above) and D in d, which is lengthened to high + 1 if
// shorter.
// With pocetVlakno > 1 the rows below each block of columns are shared among
// that many threads (clamped as for the products); the result is the same bit
// for bit.
[[nodiscard]] bool LDLTDecomposition(Tmatrix& M, Tvector& d, int high, int pocetVlakno = 1);

// x := the solution of L D L^T x = b with the factored M; x is lengthened to
// high + 1 if shorter.
[[nodiscard]] bool LDLTSolve(Tvector& x, const Tmatrix& M, const Tvector& d, int high,
                             const Tvector& b);

}  // namespace vertano
