#pragma once

#include <vector>

#include "matice/MatrixTypes.h"
#include "matice/SplitReal.h"

namespace vertano::detail {

// The row-wise updates of the singular value decomposition: the Householder
// steps' sums and rank-one updates, and the plane rotations of the QR sweeps.
// Each runs along rows, several rows per pass, so that a value that all rows
// need (a sum, a coefficient) is loaded once per pass; those values are read
// as split pairs where they can be split. Every element receives exactly the
// operations of the plain loops, in the same order.
//
// With threads > 1 a large update is split among worker threads by rows (by
// columns for the sums), which changes no result. Each returns false when the
// arithmetic of a worker thread faulted.

// sums[j] += x[r] * rows[r][j] for j in [from, to), the rows taken in order.
bool AddRowMultiples(Real* sums, const std::vector<Real*>& rows, const Tvector& x, int from, int to,
                     int threads = 1);

// rows[r][j] += sums[j] * rows[r][column] for j in [from, to). `scratch`
// holds the split sums.
bool AddSumsTimesColumn(const std::vector<Real*>& rows, const Real* sums, int column, int from,
                        int to, std::vector<SplitReal>& scratch, int threads = 1);

// For every row j in rows: t = sum_{k in [from, to)} row[k] u[k] (ascending k from
// zero), then row[k] += t v[k].
bool ReflectRows(const std::vector<Real*>& rows, const Real* u, const Real* v, int from, int to,
                 std::vector<SplitReal>& scratchU, std::vector<SplitReal>& scratchV,
                 int threads = 1);

// The plane rotations of one QR sweep or cancellation, in order, with split
// copies of their coefficients when every one of them can be split.
class RotationList {
  public:
    void Clear();
    void Add(Real c, Real s);
    [[nodiscard]] int Size() const { return static_cast<int>(plain_.size() / 2); }
    [[nodiscard]] bool Empty() const { return plain_.empty(); }

    // Rotation r acts on columns l + r and l + r + 1 of rows 0..rows-1 of M:
    // (x, z) -> (x c + z s, z c - x s), the second value carried on.
    bool Sweep(Tmatrix& M, int rows, int l, int threads = 1) const;
    // Rotation r acts on column `fixed` and column l + r:
    // (y, z) -> (y c + z s, z c - y s), y carried on in column `fixed`.
    bool Cancel(Tmatrix& M, int rows, int fixed, int l, int threads = 1) const;

  private:
    Tvector plain_;                 // c0, s0, c1, s1, ...
    std::vector<SplitReal> split_;  // the same, split
    bool splitUsable_ = true;
};

}  // namespace vertano::detail
