#pragma once

#include "matice/MatrixTypes.h"

namespace vertano {

// Row-range products of the pseudo-inverse solution. Each writes only its own
// rows, so disjoint ranges may run at once. Both return false on arguments
// that are too small, a floating-point fault or a non-finite result.

// Rows first..last of V diag(w) U^T: N[i][r] = sum_{b=0..high} (V[i][b] * w[b]) * U[r][b]
// for 0 <= r <= high.
[[nodiscard]] bool PseudoInverseRows(Tmatrix& N, const Tmatrix& V, const Tmatrix& U, int high,
                                     int first, int last, const Tvector& w);

// x[i] = sum_{k=0..high} N[i][k] * b[k] for first <= i <= last.
[[nodiscard]] bool MatrixVectorRows(Tvector& x, const Tvector& b, const Tmatrix& N, int high,
                                    int first, int last);

}  // namespace vertano
