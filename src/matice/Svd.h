#pragma once

#include "matice/MatrixTypes.h"

namespace vertano {

// Singular value decomposition A = U diag(w) V^T of an m x n matrix (m = rows
// of A, n = length of its first row) by Householder bidiagonalisation and
// implicit-shift QR (Golub-Reinsch). U replaces A, w (lengthened to n if
// shorter) receives the n singular values, non-negative and unsorted, and V
// (made at least n x n) the right singular vectors. False when a singular
// value has not converged after 30 iterations, on a floating-point fault or
// non-finite value, or when A is empty or ragged. With pocetVlakno > 1 the long
// row updates of U and V are shared among that many threads (clamped as for
// the products); the result is the same bit for bit.
[[nodiscard]] bool SVDecomposition(Tmatrix& A, Tvector& w, Tmatrix& V, int pocetVlakno = 1);

// w[i] := 1 / w[i] for the values above 0.5 sqrt(2n + 1) max|w| 1e-16, 0 for
// the others (i < n). False when every one of the n values became 0, and for
// n < 1 or a value that is not finite.
[[nodiscard]] bool InvertSingularValues(Tvector& w, int n);

}  // namespace vertano
