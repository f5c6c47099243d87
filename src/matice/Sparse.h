#pragma once

#include "matice/MatrixTypes.h"

namespace vertano {

// Construction of the row-compressed sparse matrix and the products of the
// least-squares adjustment with it. In the adjustment S is the transposed
// design matrix (rows = unknowns, columns = observations), so S S^T-type
// products give the normal matrix.
//
// Routines that take row, slot or column numbers check them and return false
// (changing nothing) when they do not exist. The products rely on strictly
// ascending columns within a row, as every filler produces them; a row that
// breaks this, or refers to a column outside the vectors it is multiplied
// with, makes the product return false instead of reading out of bounds.

void SparseClear(Tsparse& s);
// Sets the number of rows of both fields; new rows are empty.
void SparseSetRows(Tsparse& s, int rows);
// Sets row `row` to `length` entries; existing entries stay, new ones are
// value 0 in column 0 (reserved slots for SparsePut).
[[nodiscard]] bool SparseSetRowLength(Tsparse& s, int row, int length);
[[nodiscard]] bool SparseAppend(Tsparse& s, int column, int row, Real value);
// Writes (column, value) into the existing slot `position` of row `row`.
[[nodiscard]] bool SparsePut(Tsparse& s, int column, int row, int position, Real value);
// dst gets `rows` rows; every entry (k, v) of source row i becomes (i, v) in
// destination row k, source rows visited in ascending i, so the destination
// rows ascend too. False (dst cleared) if a source column is not below `rows`.
[[nodiscard]] bool SparseTranspose(Tsparse& dst, const Tsparse& src, int rows);

// Sum over common columns of S[r] * S[s] (merge of the two ascending column
// lists); for r = s the sum of squares of row r. Rows must exist.
Real SparseRowDot(const Tsparse& S, int r, int s);
// The same with the weight p[c] of the common column c: (S[r][k] * p[c]) * S[s][k'];
// for r = s, (S[r][k] * S[r][k]) * p[c].
Real SparseRowDotWeighted(const Tsparse& S, const Tvector& p, int r, int s);

// N[i][j] = N[j][i] = SparseRowDot(S, i, j) for 0 <= i <= j < n.
[[nodiscard]] bool SparseGram(Tmatrix& N, const Tsparse& S, int n);
// A^T P A for rows first..last: N[i][j] = N[j][i] = SparseRowDotWeighted(S, p, i, j)
// for first <= i <= last, i <= j < n, bit for bit. Only these elements are
// written, so disjoint row ranges may run at once.
[[nodiscard]] bool NormalMatrixRows(Tmatrix& N, const Tsparse& S, const Tvector& p, int first,
                                    int last, int n);
// A^T P l: b[i] = sum over row i of (S[i][k] * l[c]) * p[c], first <= i <= last.
[[nodiscard]] bool NormalVectorRows(Tvector& b, const Tvector& p, const Tvector& l, int first,
                                    int last, const Tsparse& S);
// b[i] += sum over row i of S[i][k] * l[c] for i < n (unweighted A^T l).
[[nodiscard]] bool SparseTransposeTimes(Tvector& b, const Tvector& l, const Tsparse& S, int n);
// v := l - A dx: v starts as the first m elements of l; then for every row i
// of S and entry (c, a), v[c] -= a * dx[i].
[[nodiscard]] bool Residuals(Tvector& v, const Tvector& dx, const Tvector& l, int m,
                             const Tsparse& S);
// q[i] = a_i Q a_i^T for the first m rows a_i of At (row-per-observation form).
[[nodiscard]] bool ObservationCofactors(Tvector& q, const Tsparse& At, const Tmatrix& Q, int m);

}  // namespace vertano
