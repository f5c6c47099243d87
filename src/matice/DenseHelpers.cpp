#include "matice/DenseHelpers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "matice/MatrixChecks.h"

namespace vertano {

namespace {

int NonNegative(int n) {
    return n < 0 ? 0 : n;
}

// Partitions v[first..last] around the middle element as the sort is defined;
// returns the final cursors (j, i). The bounds tests only matter for values
// that compare unordered (NaN): they keep the cursors inside the range.
std::pair<int, int> Partition(Tvector& v, int first, int last) {
    const Real pivot = v[first + (last - first) / 2];
    int i = first;
    int j = last;
    while (i <= j) {
        while (i < last && v[i] < pivot) ++i;
        while (j > first && pivot < v[j]) --j;
        if (i <= j) {
            std::swap(v[i], v[j]);
            ++i;
            --j;
        }
    }
    return {j, i};
}

// Recursion only into the smaller part keeps the depth logarithmic whatever
// the data; the parts are disjoint, so the order of visiting them does not
// change the result.
void QuickSort(Tvector& v, int first, int last) {
    while (first < last) {
        const auto [j, i] = Partition(v, first, last);
        if (j - first < last - i) {
            QuickSort(v, first, j);
            first = i;
        } else {
            QuickSort(v, i, last);
            last = j;
        }
    }
}

}  // namespace

void MatrixZero(Tmatrix& m, int a, int b) {
    m.clear();
    m.assign(NonNegative(a), Tvector(NonNegative(b), 0.0L));
}

void MatrixSetSize(Tmatrix& m, int a, int b) {
    m.resize(NonNegative(a));
    for (Tvector& row : m) row.resize(NonNegative(b), 0.0L);
}

void MatrixFree(Tmatrix& m) {
    Tmatrix().swap(m);
}

void MatrixCopy(const Tmatrix& src, Tmatrix& dst) {
    if (&src != &dst) dst = src;
}

bool MatrixCopyBlock(Tmatrix& dst, const Tmatrix& src, int n) {
    if (n < 0 || !detail::HasBlock(dst, n, n) || !detail::HasBlock(src, n, n)) return false;
    for (int i = 0; i < n; ++i) std::copy_n(src[i].begin(), n, dst[i].begin());
    return true;
}

void SubMatrix(Tmatrix& dst, const Tmatrix& src, int rowFrom, int rowTo, int colFrom, int colTo) {
    const long firstRowLength = src.empty() ? 0 : static_cast<long>(src[0].size());
    const bool outside = colTo >= firstRowLength || rowTo >= static_cast<long>(src.size()) ||
                         rowFrom < 0 || colFrom < 0 || rowTo < rowFrom || colTo < colFrom;
    // A ragged source may have a shorter row inside the block: that block does
    // not exist either.
    if (outside || !detail::HasBlock(src, rowTo + 1L, colTo + 1L)) {
        MatrixFree(dst);
        return;
    }
    Tmatrix result(rowTo - rowFrom + 1);
    for (int i = rowFrom; i <= rowTo; ++i) {
        result[i - rowFrom].assign(src[i].begin() + colFrom, src[i].begin() + colTo + 1);
    }
    dst = std::move(result);
}

bool SymmetricBlock(const Tmatrix& src, int start, int a, Tmatrix& dst) {
    if (start < 0 || a < 0 ||
        !detail::HasBlock(src, static_cast<long>(start) + a, static_cast<long>(start) + a)) {
        return false;
    }
    Tmatrix result(a, Tvector(a, 0.0L));
    for (int i = 0; i < a; ++i) {
        for (int j = 0; j <= i; ++j) {
            result[i][j] = result[j][i] = src[start + i][start + j];
        }
    }
    dst = std::move(result);
    return true;
}

void VectorZero(Tvector& v, int n) {
    v.assign(NonNegative(n), 0.0L);
}

void IndexVectorZero(TindexVector& v, int n) {
    v.assign(NonNegative(n), 0);
}

void IndexMatrixZero(TindexMatrix& m, int a, int b) {
    m.assign(NonNegative(a), TindexVector(NonNegative(b), 0));
}

void VectorCopy(const Tvector& src, Tvector& dst) {
    if (&src != &dst) dst = src;
}

void IndexVectorCopy(const TindexVector& src, TindexVector& dst) {
    if (&src != &dst) dst = src;
}

void VectorAppend(Tvector& v, Real x) {
    v.push_back(x);
}

int IndexVectorAppend(TindexVector& v, int k) {
    v.push_back(k);
    return static_cast<int>(v.size()) - 1;
}

void VectorInsert(Tvector& v, int position, Real x) {
    if (position < 0 || position > static_cast<long>(v.size())) {
        // A caller computed a position that does not exist: stop before any
        // element is written, as every list assertion of the program does.
        std::fputs("Assertion failure (matice\\Matrix2, line 336)\n", stderr);
        std::abort();
    }
    v.insert(v.begin() + position, x);
}

bool VectorSort(Tvector& v, int first, int last) {
    if (first > last) return true;
    if (first < 0 || last >= static_cast<long>(v.size())) return false;
    QuickSort(v, first, last);
    return true;
}

void VectorNegate(Tvector& v) {
    for (Real& x : v) x = -x;
}

Real SumOfSquares(const Tvector& v) {
    Real s = 0;
    for (const Real x : v) s += x * x;
    return s;
}

Real WeightedSumOfSquares(const Tvector& v, const Tvector& p) {
    detail::Require(p.size() >= v.size(), "weights shorter than the vector");
    Real s = 0;
    for (std::size_t i = 0; i < v.size(); ++i) s += v[i] * p[i] * v[i];
    return s;
}

bool DiagonalNonNegative(const Tmatrix& M, int from, int to) {
    if (from > to) return true;
    if (from < 0 || !detail::HasBlock(M, to + 1L, 0)) return false;
    for (int i = from; i <= to; ++i) {
        if (static_cast<long>(M[i].size()) <= i || !(M[i][i] >= 0)) return false;
    }
    return true;
}

bool VectorNonNegative(const Tvector& v) {
    return std::all_of(v.begin(), v.end(), [](Real x) { return x >= 0; });
}

}  // namespace vertano
