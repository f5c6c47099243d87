#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "matice/MatrixTypes.h"

namespace vertano::detail {

// Shape and value checks shared by the routines of this library. They keep the
// kernels free of bounds tests: a routine checks its arguments once at entry
// and then indexes freely.

// M has at least rows x cols elements in its leading block.
inline bool HasBlock(const Tmatrix& M, long rows, long cols) {
    if (rows < 0 || cols < 0 || static_cast<long>(M.size()) < rows) return false;
    for (long i = 0; i < rows; ++i) {
        if (static_cast<long>(M[i].size()) < cols) return false;
    }
    return true;
}

// A violated precondition of a routine that has no failure result: the program
// stops with the assertion text instead of reading or writing out of bounds.
inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "Assertion failure (matice\\Matrix2: %s)\n", what);
    std::abort();
}

static_assert(std::numeric_limits<Real>::digits == 64 && sizeof(Real) >= 10,
              "Real is expected to be the x87 80-bit format");

// Finite unless the 15-bit exponent is all ones (infinity or NaN). Reading the
// sign-and-exponent word costs one integer load, where a classification on
// the x87 unit costs several cycles per element of a large matrix.
inline bool IsFinite(const Real& x) {
    std::uint16_t top;
    std::memcpy(&top, reinterpret_cast<const unsigned char*>(&x) + 8, sizeof top);
    return (top & 0x7FFF) != 0x7FFF;
}

// Copies a value bit for bit through the integer unit.
inline void CopyReal(Real& to, const Real& from) {
    std::memcpy(&to, &from, sizeof(Real));
}

// Every element of the leading rows x cols block is finite. Quiet NaNs and
// infinities that enter as data raise no floating-point flag, so results are
// also checked by value before a routine reports success.
inline bool BlockFinite(const Tmatrix& M, int rows, int cols) {
    for (int i = 0; i < rows; ++i) {
        const Real* row = M[i].data();
        for (int j = 0; j < cols; ++j) {
            if (!IsFinite(row[j])) return false;
        }
    }
    return true;
}

inline bool RangeFinite(const Tvector& v, int from, int to) {
    for (int i = from; i < to; ++i) {
        if (!IsFinite(v[i])) return false;
    }
    return true;
}

// Ranges of rows or columns are (first, last), both included. The empty range
// of a split with no rows is first == last + 1; any other first > last is a
// malformed range (such as a range given as (last, first)) and the routine
// refuses it instead of doing nothing.
inline bool EmptyRange(int first, int last) {
    return first == last + 1;
}

// perm holds at least n row numbers, each in 0..n-1.
inline bool ValidPermutation(const TindexVector& perm, int n) {
    if (static_cast<int>(perm.size()) < n) return false;
    for (int i = 0; i < n; ++i) {
        if (perm[i] < 0 || perm[i] >= n) return false;
    }
    return true;
}

// Makes v at least n long without shrinking it (callers pass working vectors
// that are longer than the system, e.g. one per observation).
inline void EnsureLength(Tvector& v, int n) {
    if (static_cast<int>(v.size()) < n) v.resize(n);
}

}  // namespace vertano::detail
