#pragma once

#include <cstdint>
#include <vector>

#include "matice/Real.h"

namespace vertano {

// The value types of every least-squares computation.
//
// A dense matrix is an array of rows, each row its own std::vector. Rows may be
// resized individually (the sparse design matrix grows row by row), a matrix may
// be ragged, and two rows are exchanged in O(1) by swapping the vectors, which
// the pivoting of LU relies on. The kernels never walk down a column: they take
// a pointer to each row once and run over it contiguously, so the indirection
// costs one load per row, not one per element. A contiguous buffer would gain
// nothing measurable here, because the x87 unit spends its time loading 80-bit
// values, not following row pointers.
//
// Unlike the reference semantics of some array types, assignment copies: two
// models never share a matrix by accident. The explicit copy routines exist for
// the callers that spell the copy out.
using Tvector = std::vector<Real>;
using TindexVector = std::vector<std::int32_t>;
using Tmatrix = std::vector<Tvector>;
using TindexMatrix = std::vector<TindexVector>;

// Row-compressed sparse matrix. Entry k of row r has the value data[r][k] in
// column index[r][k]; both rows have the same length and, by the convention of
// every filler, the column indices of a row are strictly ascending. In the
// adjustment the design matrix is stored transposed: one row per unknown, the
// column being the position of the observation.
struct Tsparse {
    Tmatrix data;
    TindexMatrix index;
};

}  // namespace vertano
