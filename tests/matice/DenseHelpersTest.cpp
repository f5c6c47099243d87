// Copies, blocks, sorting and the small reductions of dense values.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <random>

#include "matice/Matrix2.h"

namespace vertano {
namespace {

Tmatrix Counting(int rows, int cols) {
    Tmatrix m(rows, Tvector(cols));
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) m[i][j] = 10 * i + j;
    }
    return m;
}

TEST(DenseHelpers, ZeroSizeCopyAndFree) {
    Tmatrix m;
    MatrixZero(m, 2, 3);
    EXPECT_EQ(m, Tmatrix(2, Tvector(3, 0.0L)));
    m[1][2] = 4;
    MatrixSetSize(m, 3, 4);
    EXPECT_EQ(m[1][2], 4);
    EXPECT_EQ(m[2], Tvector(4, 0.0L));
    MatrixZero(m, -1, 3);
    EXPECT_TRUE(m.empty());

    const Tmatrix ragged = {{1, 2}, {3, 4, 5}, {6}};
    Tmatrix copy;
    MatrixCopy(ragged, copy);
    EXPECT_EQ(copy, ragged);  // nothing of a longer row is lost
    copy[0][0] = 9;
    EXPECT_EQ(ragged[0][0], 1);  // a deep copy
    MatrixFree(copy);
    EXPECT_TRUE(copy.empty());

    Tmatrix dst(3, Tvector(3, -1.0L));
    ASSERT_TRUE(MatrixCopyBlock(dst, Counting(3, 3), 2));
    EXPECT_EQ(dst, (Tmatrix{{0, 1, -1}, {10, 11, -1}, {-1, -1, -1}}));
    EXPECT_FALSE(MatrixCopyBlock(dst, Counting(2, 2), 3));
}

TEST(DenseHelpers, SubMatrixOutsideOrInvertedIsEmpty) {
    const Tmatrix src = Counting(4, 5);
    Tmatrix dst = {{1}};
    SubMatrix(dst, src, 1, 2, 1, 3);  // rows 1..2, columns 1..3
    EXPECT_EQ(dst, (Tmatrix{{11, 12, 13}, {21, 22, 23}}));
    SubMatrix(dst, src, 0, 3, 4, 4);  // the last column
    EXPECT_EQ(dst, (Tmatrix{{4}, {14}, {24}, {34}}));
    const int cases[][4] = {
        {0, 1, 0, 5},   // colTo beyond the first row
        {0, 4, 0, 1},   // rowTo beyond the rows
        {-1, 1, 0, 1},  // negative row start
        {0, 1, -1, 1},  // negative column start
        {1, 0, 0, 1},   // rowTo < rowFrom
        {0, 1, 2, 1},   // colTo < colFrom
    };
    for (const auto& c : cases) {
        dst = {{1}};
        SubMatrix(dst, src, c[0], c[1], c[2], c[3]);
        EXPECT_TRUE(dst.empty()) << c[0] << c[1] << c[2] << c[3];
    }
    const Tmatrix ragged = {{1, 2, 3}, {4}};
    SubMatrix(dst, ragged, 0, 1, 0, 2);
    EXPECT_TRUE(dst.empty());
}

TEST(DenseHelpers, SymmetricBlockMirrorsTheLowerTriangle) {
    Tmatrix src = Counting(4, 4);
    Tmatrix dst;
    ASSERT_TRUE(SymmetricBlock(src, 1, 2, dst));
    EXPECT_EQ(dst, (Tmatrix{{11, 21}, {21, 22}}));
    EXPECT_FALSE(SymmetricBlock(src, 3, 2, dst));
    EXPECT_FALSE(SymmetricBlock(src, -1, 2, dst));
}

TEST(DenseHelpers, VectorsInsertAppendNegateAndSums) {
    Tvector v = {1, 2};
    VectorInsert(v, 0, 0);
    VectorInsert(v, 3, 3);  // position = length appends
    EXPECT_EQ(v, (Tvector{0, 1, 2, 3}));
    VectorAppend(v, 4);
    VectorNegate(v);
    EXPECT_EQ(v, (Tvector{0, -1, -2, -3, -4}));
    EXPECT_EQ(SumOfSquares(v), 30);
    EXPECT_EQ(WeightedSumOfSquares(v, Tvector{9, 1, 2, 0, 1, 100}), 1 + 8 + 16);
    TindexVector k;
    EXPECT_EQ(IndexVectorAppend(k, 7), 0);
    EXPECT_EQ(IndexVectorAppend(k, 8), 1);
    Tvector c;
    VectorCopy(v, c);
    EXPECT_EQ(c, v);
    VectorZero(c, 2);
    EXPECT_EQ(c, Tvector(2, 0.0L));
}

TEST(DenseHelpersDeathTest, InsertBeyondTheLengthStopsBeforeWriting) {
    Tvector v = {1, 2};
    EXPECT_DEATH(VectorInsert(v, 3, 9), "Assertion failure");
    EXPECT_DEATH(VectorInsert(v, -1, 9), "Assertion failure");
}

TEST(DenseHelpers, SortMatchesStdSortOnOrdinaryAndHardInput) {
    std::mt19937 gen(3);
    std::uniform_int_distribution<int> uni(-50, 50);
    for (int n : {0, 1, 2, 3, 10, 257}) {
        Tvector v(n);
        for (auto& x : v) x = uni(gen);
        Tvector expected = v;
        std::sort(expected.begin(), expected.end());
        ASSERT_TRUE(VectorSort(v, 0, n - 1));
        EXPECT_EQ(v, expected);
    }
    // A partial range leaves the rest alone.
    Tvector part = {5, 4, 3, 2, 1};
    ASSERT_TRUE(VectorSort(part, 1, 3));
    EXPECT_EQ(part, (Tvector{5, 2, 3, 4, 1}));
    EXPECT_FALSE(VectorSort(part, 0, 5));
    EXPECT_FALSE(VectorSort(part, -1, 2));
    // An organ pipe drives a middle-pivot quicksort to linear depth; all equal
    // and descending values are the other classic traps.
    const int n = 20'000;
    Tvector pipe(n), descending(n);
    for (int i = 0; i < n; ++i) {
        pipe[i] = std::min(i, n - 1 - i);
        descending[i] = n - i;
    }
    ASSERT_TRUE(VectorSort(pipe, 0, n - 1));
    EXPECT_TRUE(std::is_sorted(pipe.begin(), pipe.end()));
    ASSERT_TRUE(VectorSort(descending, 0, n - 1));
    EXPECT_TRUE(std::is_sorted(descending.begin(), descending.end()));
    Tvector equal(1'000'000, 1.0L);
    ASSERT_TRUE(VectorSort(equal, 0, 999'999));
    // NaNs do not make the cursors leave the range.
    Tvector nan = {3, std::numeric_limits<Real>::quiet_NaN(), 1, 2};
    EXPECT_TRUE(VectorSort(nan, 0, 3));
}

TEST(DenseHelpers, NonNegativityChecksFailOnNegativeNanAndBadRanges) {
    Tmatrix m = {{1, -5}, {-5, 0}};
    EXPECT_TRUE(DiagonalNonNegative(m, 0, 1));
    m[1][1] = -1e-30L;
    EXPECT_FALSE(DiagonalNonNegative(m, 0, 1));
    EXPECT_TRUE(DiagonalNonNegative(m, 0, 0));
    m[1][1] = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(DiagonalNonNegative(m, 1, 1));
    EXPECT_FALSE(DiagonalNonNegative(m, 0, 2));
    EXPECT_TRUE(VectorNonNegative(Tvector{0, 1, 2}));
    EXPECT_FALSE(VectorNonNegative(Tvector{0, -1}));
    EXPECT_FALSE(VectorNonNegative(Tvector{std::numeric_limits<Real>::quiet_NaN()}));
}

}  // namespace
}  // namespace vertano
