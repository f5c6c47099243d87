#include "matice/Sparse.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "matice/FpGuard.h"
#include "matice/MatrixChecks.h"
#include "matice/SparseIndex.h"

namespace vertano {

namespace detail {

bool ValidRows(const Tsparse& S, int from, int to, long columns, bool ascending) {
    if (from < 0 || static_cast<long>(S.data.size()) < to ||
        static_cast<long>(S.index.size()) < to) {
        return false;
    }
    for (int r = from; r < to; ++r) {
        const TindexVector& cols = S.index[r];
        if (S.data[r].size() != cols.size()) return false;
        long previous = -1;
        for (const int c : cols) {
            if (c < 0 || c >= columns || (ascending && c <= previous)) return false;
            previous = c;
        }
    }
    return true;
}

ColumnIndex BuildColumnIndex(const Tsparse& S, int n, int columns) {
    ColumnIndex index;
    index.start.assign(columns + 1, 0);
    for (int r = 0; r < n; ++r) {
        for (const int c : S.index[r]) ++index.start[c + 1];
    }
    for (int c = 0; c < columns; ++c) index.start[c + 1] += index.start[c];
    index.row.resize(index.start[columns]);
    index.slot.resize(index.start[columns]);
    std::vector<int> next(index.start.begin(), index.start.end() - 1);
    for (int r = 0; r < n; ++r) {
        const TindexVector& cols = S.index[r];
        for (int k = 0; k < static_cast<int>(cols.size()); ++k) {
            const int at = next[cols[k]]++;
            index.row[at] = r;
            index.slot[at] = k;
        }
    }
    return index;
}

namespace {

// Rows are formed in blocks small enough to stay in the cache while their
// mirror images are written into the lower triangle; mirroring the whole range
// afterwards would read the rows back from memory one column at a time.
constexpr int kBlockRows = 16;

// Row i from the diagonal on. Element (i, j) receives the terms of the
// observations row i shares with row j in ascending column order, starting
// from zero, each term formed as (S[i][k] * p[c]) * S[j][k'] - the very
// sequence the merge of the two rows performs, so the result is the same to
// the last bit.
void UpperRow(Tmatrix& N, const Tsparse& S, const Tvector& p, const ColumnIndex& index, int i,
              int n) {
    Real* Ni = N[i].data();
    std::memset(Ni + i, 0, sizeof(Real) * (n - i));  // all-zero bytes are +0
    const Real* a = S.data[i].data();
    const int* cols = S.index[i].data();
    const int length = static_cast<int>(S.index[i].size());
    Real diagonal = 0;
    for (int k = 0; k < length; ++k) diagonal += (a[k] * a[k]) * p[cols[k]];
    Ni[i] = diagonal;
    for (int k = 0; k < length; ++k) {
        const int c = cols[k];
        const Real ap = a[k] * p[c];
        for (int e = index.start[c]; e < index.start[c + 1]; ++e) {
            const int j = index.row[e];
            if (j > i) Ni[j] += ap * S.data[j][index.slot[e]];
        }
    }
}

// N[j][i] := N[i][j] for from <= i < to, i < j < n.
void MirrorBlock(Tmatrix& N, int from, int to, int n) {
    Real* rows[kBlockRows];
    for (int i = from; i < to; ++i) rows[i - from] = N[i].data();
    for (int j = from + 1; j < n; ++j) {
        Real* target = N[j].data();
        const int end = std::min(to, j);
        for (int i = from; i < end; ++i) CopyReal(target[i], rows[i - from][j]);
    }
}

}  // namespace

bool NormalMatrixRowsChecked(Tmatrix& N, const Tsparse& S, const Tvector& p,
                             const ColumnIndex& index, int first, int last, int n) {
    for (int from = first; from <= last; from += kBlockRows) {
        const int to = std::min(from + kBlockRows, last + 1);
        for (int i = from; i < to; ++i) {
            UpperRow(N, S, p, index, i, n);
            if (!RangeFinite(N[i], i, n)) return false;  // checked while the row is in cache
        }
        MirrorBlock(N, from, to, n);
    }
    return true;
}

void NormalVectorRowsChecked(Tvector& b, const Tvector& p, const Tvector& l, int first, int last,
                             const Tsparse& S) {
    for (int i = first; i <= last; ++i) {
        const Real* a = S.data[i].data();
        const int* cols = S.index[i].data();
        const int length = static_cast<int>(S.index[i].size());
        Real s = 0;
        for (int k = 0; k < length; ++k) s += (a[k] * l[cols[k]]) * p[cols[k]];
        b[i] = s;
    }
}

}  // namespace detail

namespace {

bool RowExists(const Tsparse& s, int row) {
    return row >= 0 && row < static_cast<long>(s.data.size()) &&
           row < static_cast<long>(s.index.size());
}

// Merge of two ascending column lists, calling term(k, k') for every common
// column; the caller has made sure r != s.
template <typename Term>
Real MergeRows(const Tsparse& S, int r, int s, Term term) {
    const TindexVector& c1 = S.index[r];
    const TindexVector& c2 = S.index[s];
    if (c1.empty() || c2.empty() || c1.back() < c2.front() || c2.back() < c1.front()) return 0;
    Real sum = 0;
    std::size_t k2 = 0;
    for (std::size_t k1 = 0; k1 < c1.size(); ++k1) {
        while (k2 < c2.size() && c2[k2] < c1[k1]) ++k2;
        if (k2 < c2.size() && c2[k2] == c1[k1]) {
            sum += term(k1, k2);
            ++k2;
        }
    }
    return sum;
}

}  // namespace

void SparseClear(Tsparse& s) {
    Tmatrix().swap(s.data);
    TindexMatrix().swap(s.index);
}

void SparseSetRows(Tsparse& s, int rows) {
    const int n = rows < 0 ? 0 : rows;
    s.data.resize(n);
    s.index.resize(n);
}

bool SparseSetRowLength(Tsparse& s, int row, int length) {
    if (!RowExists(s, row) || length < 0) return false;
    s.data[row].resize(length, 0.0L);
    s.index[row].resize(length, 0);
    return true;
}

bool SparseAppend(Tsparse& s, int column, int row, Real value) {
    if (!RowExists(s, row) || column < 0) return false;
    s.data[row].push_back(value);
    s.index[row].push_back(column);
    return true;
}

bool SparsePut(Tsparse& s, int column, int row, int position, Real value) {
    if (!RowExists(s, row) || column < 0 || position < 0 ||
        position >= static_cast<long>(s.data[row].size()) ||
        position >= static_cast<long>(s.index[row].size())) {
        return false;
    }
    s.data[row][position] = value;
    s.index[row][position] = column;
    return true;
}

bool SparseTranspose(Tsparse& dst, const Tsparse& src, int rows) {
    const int sourceRows = static_cast<int>(std::min(src.data.size(), src.index.size()));
    Tsparse result;
    SparseSetRows(result, rows);
    const bool valid = rows >= 0 && detail::ValidRows(src, 0, sourceRows, rows, false) &&
                       src.data.size() == src.index.size();
    if (valid) {
        // Each row at its length: grown entry by entry, the rows of a large
        // design matrix (a million of them) were reallocated several times
        // each and kept up to twice their room.
        std::vector<int32_t> length(static_cast<std::size_t>(rows), 0);
        for (int i = 0; i < sourceRows; ++i) {
            for (const int column : src.index[i]) ++length[static_cast<std::size_t>(column)];
        }
        for (int r = 0; r < rows; ++r) {
            result.data[r].reserve(static_cast<std::size_t>(length[r]));
            result.index[r].reserve(static_cast<std::size_t>(length[r]));
        }
        for (int i = 0; i < sourceRows; ++i) {
            for (std::size_t k = 0; k < src.index[i].size(); ++k) {
                const int column = src.index[i][k];
                result.data[column].push_back(src.data[i][k]);
                result.index[column].push_back(i);
            }
        }
    }
    if (&dst != &src) SparseClear(dst);
    if (!valid) return false;
    dst = std::move(result);
    return true;
}

Real SparseRowDot(const Tsparse& S, int r, int s) {
    detail::Require(RowExists(S, r) && RowExists(S, s), "SparseRowDot row");
    const Tvector& a = S.data[r];
    if (r == s) {
        Real sum = 0;
        for (const Real x : a) sum += x * x;
        return sum;
    }
    const Tvector& b = S.data[s];
    return MergeRows(S, r, s, [&](std::size_t k1, std::size_t k2) { return a[k1] * b[k2]; });
}

Real SparseRowDotWeighted(const Tsparse& S, const Tvector& p, int r, int s) {
    detail::Require(RowExists(S, r) && RowExists(S, s), "SparseRowDotWeighted row");
    const auto weight = [&](int c) {
        detail::Require(c >= 0 && c < static_cast<long>(p.size()), "SparseRowDotWeighted column");
        return p[c];
    };
    const Tvector& a = S.data[r];
    const TindexVector& cols = S.index[r];
    if (r == s) {
        Real sum = 0;
        for (std::size_t k = 0; k < a.size(); ++k) sum += (a[k] * a[k]) * weight(cols[k]);
        return sum;
    }
    const Tvector& b = S.data[s];
    return MergeRows(S, r, s, [&](std::size_t k1, std::size_t k2) {
        return (a[k1] * weight(cols[k1])) * b[k2];
    });
}

bool SparseGram(Tmatrix& N, const Tsparse& S, int n) {
    if (n < 0 || !detail::ValidRows(S, 0, n, 1L << 31, true) || !detail::HasBlock(N, n, n)) {
        return false;
    }
    FpGuard guard;
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) N[i][j] = N[j][i] = SparseRowDot(S, i, j);
    }
    return guard.Ok() && detail::BlockFinite(N, n, n);
}

bool NormalMatrixRows(Tmatrix& N, const Tsparse& S, const Tvector& p, int first, int last, int n) {
    if (detail::EmptyRange(first, last)) return true;
    if (first > last) return false;
    const int columns = static_cast<int>(p.size());
    if (first < 0 || last >= n || !detail::ValidRows(S, 0, n, columns, true) ||
        !detail::HasBlock(N, n, n)) {
        return false;
    }
    FpGuard guard;
    const detail::ColumnIndex index = detail::BuildColumnIndex(S, n, columns);
    return detail::NormalMatrixRowsChecked(N, S, p, index, first, last, n) && guard.Ok();
}

bool NormalVectorRows(Tvector& b, const Tvector& p, const Tvector& l, int first, int last,
                      const Tsparse& S) {
    if (detail::EmptyRange(first, last)) return true;
    if (first > last) return false;
    const long columns = static_cast<long>(std::min(p.size(), l.size()));
    if (first < 0 || last >= static_cast<long>(b.size()) ||
        !detail::ValidRows(S, first, last + 1, columns, false)) {
        return false;
    }
    FpGuard guard;
    detail::NormalVectorRowsChecked(b, p, l, first, last, S);
    return guard.Ok() && detail::RangeFinite(b, first, last + 1);
}

bool SparseTransposeTimes(Tvector& b, const Tvector& l, const Tsparse& S, int n) {
    if (n < 0 || static_cast<long>(b.size()) < n ||
        !detail::ValidRows(S, 0, n, static_cast<long>(l.size()), false)) {
        return false;
    }
    FpGuard guard;
    for (int i = 0; i < n; ++i) {
        Real s = 0;
        for (std::size_t k = 0; k < S.index[i].size(); ++k) s += S.data[i][k] * l[S.index[i][k]];
        b[i] += s;
    }
    return guard.Ok() && detail::RangeFinite(b, 0, n);
}

bool Residuals(Tvector& v, const Tvector& dx, const Tvector& l, int m, const Tsparse& S) {
    const int rows = static_cast<int>(S.data.size());
    if (m < 0 || static_cast<long>(l.size()) < m || static_cast<long>(dx.size()) < rows ||
        !detail::ValidRows(S, 0, rows, m, false)) {
        return false;
    }
    FpGuard guard;
    Tvector result(l.begin(), l.begin() + m);
    for (int i = 0; i < rows; ++i) {
        for (std::size_t k = 0; k < S.index[i].size(); ++k) {
            result[S.index[i][k]] -= S.data[i][k] * dx[i];
        }
    }
    if (!guard.Ok() || !detail::RangeFinite(result, 0, m)) return false;
    v = std::move(result);
    return true;
}

bool ObservationCofactors(Tvector& q, const Tsparse& At, const Tmatrix& Q, int m) {
    const long size = static_cast<long>(Q.size());
    if (m < 0 || !detail::ValidRows(At, 0, m, size, false) || !detail::HasBlock(Q, size, 0)) {
        return false;
    }
    for (const Tvector& row : Q) {
        if (static_cast<long>(row.size()) < size) return false;
    }
    FpGuard guard;
    detail::EnsureLength(q, m);
    for (int i = 0; i < m; ++i) {
        const Tvector& a = At.data[i];
        const TindexVector& cols = At.index[i];
        Real s = 0;
        for (std::size_t e = 0; e < cols.size(); ++e) {
            const Real* Qj = Q[cols[e]].data();
            for (std::size_t f = 0; f < cols.size(); ++f) s += (a[e] * Qj[cols[f]]) * a[f];
        }
        q[i] = s;
    }
    return guard.Ok() && detail::RangeFinite(q, 0, m);
}

}  // namespace vertano
