#pragma once

#include "matice/MatrixTypes.h"

namespace vertano {

// Inverse of a symmetric positive-definite matrix through N = R^T R:
// R, then X = R^-1, then N^-1 = X X^T. `high` is the highest index. Every
// routine returns false on a floating-point fault, a non-finite value or
// arguments that are too small.

// Reads the lower triangle (with the diagonal) of M. Leaves R strictly above
// the diagonal of M and its diagonal in d (lengthened to high + 1 if shorter);
// the diagonal and the lower triangle keep the input. Fails when a diagonal
// sum is not above kRelativePivot times its input diagonal element (the matrix
// is singular or not positive definite there) and on non-finite values.
// With pocetVlakno > 1 the rows below each block of columns are shared among
// that many threads (clamped as for the products); the result is the same bit
// for bit.
[[nodiscard]] bool CholeskyDecomposition(Tmatrix& M, Tvector& d, int high, int pocetVlakno = 1);

// X = R^-1 in place of R: upper triangle and diagonal of M. Fails on d[i] = 0.
// With pocetVlakno > 1 the rows above each block of columns are shared among
// threads; the result is the same bit for bit.
[[nodiscard]] bool TriangularInverse(Tmatrix& M, const Tvector& d, int high, int pocetVlakno = 1);

// Rows first..last of X X^T, X being the upper triangle of M, written to both
// (s, i) and (i, s). In place, so the ranges must be done one after another in
// ascending order (each range reads only columns that later ranges have not
// yet written); concurrent ranges use InverseFromTriangularInto.
[[nodiscard]] bool InverseFromTriangular(Tmatrix& M, int high, int first, int last);

// The same rows of X X^T written into Q, which must be at least
// (high + 1) x (high + 1); X is only read, so disjoint ranges may run at once.
[[nodiscard]] bool InverseFromTriangularInto(Tmatrix& Q, const Tmatrix& X, int high, int first,
                                             int last);

}  // namespace vertano
