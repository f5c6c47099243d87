#pragma once

#include <cstdint>
#include <vector>

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

// The same for a positive semidefinite matrix, to find its rank: a pivot not
// above kRelativePivot times its diagonal element of the input is set to zero,
// with its column of L, and its index is appended to `dependent` (cleared
// first): that unknown depends on the ones before it. False only for the
// faults above.
[[nodiscard]] bool SemidefiniteLDLT(Tmatrix& M, Tvector& d, int high, int pocetVlakno,
                                    std::vector<int32_t>& dependent);

// x := the solution of L D L^T x = b with the factored M; x is lengthened to
// high + 1 if shorter.
[[nodiscard]] bool LDLTSolve(Tvector& x, const Tmatrix& M, const Tvector& d, int high,
                             const Tvector& b);

}  // namespace vertano
