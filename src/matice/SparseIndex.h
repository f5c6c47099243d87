#pragma once

#include <vector>

#include "matice/MatrixTypes.h"

namespace vertano::detail {

// Checks of the sparse rows and the column-wise view of them that makes the
// normal matrix cheap: instead of merging row i with every later row (most of
// which share no observation with it), row i visits, for each of its
// observations, the few unknowns that observation touches.

// Rows from..to-1 exist, have data and index of equal length and columns in
// 0..columns-1, strictly ascending when `ascending` is set.
bool ValidRows(const Tsparse& S, int from, int to, long columns, bool ascending);

// For every column c, the rows 0..n-1 with an entry in c (ascending) and the
// slot of that entry in its row.
struct ColumnIndex {
    std::vector<int> start;  // columns + 1 boundaries into row/slot
    std::vector<int> row;
    std::vector<int> slot;
};

// Rows 0..n-1 must already be valid for `columns`.
ColumnIndex BuildColumnIndex(const Tsparse& S, int n, int columns);

// The body of NormalMatrixRows once S, p and N have been checked; false when a
// computed element is not finite.
bool NormalMatrixRowsChecked(Tmatrix& N, const Tsparse& S, const Tvector& p,
                             const ColumnIndex& index, int first, int last, int n);
// The body of NormalVectorRows once the arguments have been checked.
void NormalVectorRowsChecked(Tvector& b, const Tvector& p, const Tvector& l, int first, int last,
                             const Tsparse& S);

}  // namespace vertano::detail
