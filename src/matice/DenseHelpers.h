#pragma once

#include "matice/MatrixTypes.h"

namespace vertano {

// Allocation, copies, blocks and simple reductions of dense matrices and
// vectors. Sizes below zero are taken as zero. Routines that index into their
// arguments check the indices and return false instead of touching memory
// that is not there.

void MatrixZero(Tmatrix& m, int a, int b);     // m := a x b zeros
void MatrixSetSize(Tmatrix& m, int a, int b);  // a rows of b columns, values kept
void MatrixFree(Tmatrix& m);
// Deep copy. Every row keeps its own length, so a ragged source loses nothing.
void MatrixCopy(const Tmatrix& src, Tmatrix& dst);
// dst[i][j] := src[i][j] for 0 <= i, j < n.
[[nodiscard]] bool MatrixCopyBlock(Tmatrix& dst, const Tmatrix& src, int n);
// dst := rows rowFrom..rowTo and columns colFrom..colTo of src; an empty dst
// when the block does not lie inside src or a range is inverted.
void SubMatrix(Tmatrix& dst, const Tmatrix& src, int rowFrom, int rowTo, int colFrom, int colTo);
// dst := the symmetric a x a block of src at (start, start), read from its
// lower triangle and mirrored.
[[nodiscard]] bool SymmetricBlock(const Tmatrix& src, int start, int a, Tmatrix& dst);

void VectorZero(Tvector& v, int n);
void IndexVectorZero(TindexVector& v, int n);
void IndexMatrixZero(TindexMatrix& m, int a, int b);
void VectorCopy(const Tvector& src, Tvector& dst);
void IndexVectorCopy(const TindexVector& src, TindexVector& dst);
void VectorAppend(Tvector& v, Real x);
// Appends k and returns its index.
int IndexVectorAppend(TindexVector& v, int k);
// Inserts x before `position` (0 <= position <= length). A position outside
// that range is a programming error: the program stops with "Assertion failure"
// rather than write past the vector.
void VectorInsert(Tvector& v, int position, Real x);
// Sorts v[first..last] ascending (Hoare partitioning around the middle
// element). False, with v unchanged, when the range is not inside v.
[[nodiscard]] bool VectorSort(Tvector& v, int first, int last);
void VectorNegate(Tvector& v);
Real SumOfSquares(const Tvector& v);
// Sum of v[i] * p[i] * v[i]; p must be at least as long as v.
Real WeightedSumOfSquares(const Tvector& v, const Tvector& p);

// True when M[i][i] >= 0 for from <= i <= to; NaN and indices outside M fail.
[[nodiscard]] bool DiagonalNonNegative(const Tmatrix& M, int from, int to);
// True when every element is >= 0 (NaN fails).
[[nodiscard]] bool VectorNonNegative(const Tvector& v);

}  // namespace vertano
