#pragma once

#include "matice/MatrixTypes.h"

namespace vertano {

// LU factorisation with implicit partial pivoting (Crout's ordering: each row
// scaled by its largest element for the choice of the pivot, a later row
// winning a tie), back substitution, and columns of the inverse. `high` is the
// highest index; the leading block of M is used.

// Leaves L (below the diagonal, unit diagonal implied) and U (on and above) in
// M and in perm[j] the row exchanged with row j at step j (perm is lengthened
// to high + 1 if shorter). A pivot that is exactly 0 is replaced by 1e-20 and
// the factorisation goes on. False for a row of zeros, any floating-point
// fault or non-finite value, or arguments that are too small.
[[nodiscard]] bool LUDecomposition(Tmatrix& M, int high, TindexVector& perm);

// Solves with the factored M; b is replaced by the solution. False on a fault,
// a non-finite result or arguments that do not fit (including a permutation
// entry outside 0..high).
[[nodiscard]] bool LUBackSubstitution(const Tmatrix& M, int high, const TindexVector& perm,
                                      Tvector& b);

// Columns first..last of the inverse of a matrix bordered by `conditions`
// rows and columns: column j is solved for the unit vector e_j and its first
// high + 1 - conditions elements are written to Q[.][j]; the multipliers' part
// is dropped. Q must already have that many rows, each longer than `last`.
// Uses only a private work vector, so disjoint column ranges may run at once.
[[nodiscard]] bool LUInverseColumns(Tmatrix& Q, const Tmatrix& M, const TindexVector& perm,
                                    int conditions, int high, int first, int last);

}  // namespace vertano
