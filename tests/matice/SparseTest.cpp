// The sparse design matrix: construction, the merge products and the normal
// equations formed from it.

#include <gtest/gtest.h>

#include <limits>

#include "Reference.h"
#include "matice/Matrix2.h"

namespace vertano {
namespace {

using test::DenseDesign;
using test::RandomDesign;
using test::RandomVector;
using test::RelativeDifference;

Tsparse Rows(std::initializer_list<std::pair<TindexVector, Tvector>> rows) {
    Tsparse s;
    for (const auto& [cols, vals] : rows) {
        s.index.push_back(cols);
        s.data.push_back(vals);
    }
    return s;
}

TEST(SparseConstruction, ReservedSlotsAppendAndPut) {
    Tsparse s;
    SparseSetRows(s, 2);
    ASSERT_EQ(s.data.size(), 2u);
    ASSERT_TRUE(SparseAppend(s, 4, 0, 1.5L));
    ASSERT_TRUE(SparseSetRowLength(s, 0, 3));
    EXPECT_EQ(s.index[0], (TindexVector{4, 0, 0}));
    EXPECT_EQ(s.data[0], (Tvector{1.5L, 0, 0}));
    ASSERT_TRUE(SparsePut(s, 7, 0, 2, -2));
    EXPECT_EQ(s.index[0][2], 7);
    EXPECT_EQ(s.data[0][2], -2);
    // Slots and rows that do not exist are refused, nothing written.
    EXPECT_FALSE(SparsePut(s, 1, 0, 3, 9));
    EXPECT_FALSE(SparsePut(s, 1, 2, 0, 9));
    EXPECT_FALSE(SparseAppend(s, 1, -1, 9));
    EXPECT_FALSE(SparseSetRowLength(s, 5, 1));
    EXPECT_EQ(s.data[1].size(), 0u);
    SparseClear(s);
    EXPECT_TRUE(s.data.empty() && s.index.empty());
}

TEST(SparseConstruction, TransposeAscendsAndRoundTrips) {
    const Tsparse s = RandomDesign(7, 12, 3, 5);
    Tsparse t, back;
    ASSERT_TRUE(SparseTranspose(t, s, 12));
    ASSERT_EQ(t.data.size(), 12u);
    for (const auto& row : t.index) EXPECT_TRUE(std::is_sorted(row.begin(), row.end()));
    ASSERT_TRUE(SparseTranspose(back, t, 7));
    EXPECT_EQ(back.index, s.index);
    EXPECT_EQ(back.data, s.data);

    Tsparse empty;
    ASSERT_TRUE(SparseTranspose(t, empty, 3));
    EXPECT_EQ(t.data, Tmatrix(3));
    EXPECT_EQ(t.index, TindexMatrix(3));
    // A column beyond the destination rows is refused.
    EXPECT_FALSE(SparseTranspose(t, s, 5));
}

TEST(SparseProducts, RowDotsMergeCommonColumnsOnly) {
    const Tsparse s =
        Rows({{{1, 3, 6}, {1, 2, 3}}, {{3, 4, 6}, {10, 20, 30}}, {{7, 9}, {5, 5}}, {{}, {}}});
    EXPECT_EQ(SparseRowDot(s, 0, 1), 2 * 10 + 3 * 30);
    EXPECT_EQ(SparseRowDot(s, 0, 0), 1 + 4 + 9);
    EXPECT_EQ(SparseRowDot(s, 0, 2), 0);  // ranges do not overlap
    EXPECT_EQ(SparseRowDot(s, 3, 0), 0);  // empty first row
    EXPECT_EQ(SparseRowDot(s, 0, 3), 0);
    const Tvector p = {1, 1, 1, 2, 1, 1, 0.5L, 1, 1, 1};
    EXPECT_EQ(SparseRowDotWeighted(s, p, 0, 1), 2 * 2 * 10 + 3 * 0.5L * 30);
    EXPECT_EQ(SparseRowDotWeighted(s, p, 1, 1), 100 * 2 + 400 + 900 * 0.5L);
}

TEST(SparseProducts, NormalEquationsEqualTheMergeAndTheDenseProduct) {
    const int n = 30, m = 90;
    const Tsparse s = RandomDesign(n, m, 4, 11);
    const Tvector p = RandomVector(m, 12, 0.5, 2.0);
    const Tvector l = RandomVector(m, 13);
    Tmatrix N(n + 2, Tvector(n + 2, -7.0L));  // bordered: two condition rows stay untouched
    ASSERT_TRUE(NormalMatrixRows(N, s, p, 0, n - 1, n));
    Tvector b(n + 2, -7.0L);
    ASSERT_TRUE(NormalVectorRows(b, p, l, 0, n - 1, s));
    const Tmatrix a = DenseDesign(s, m);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            // Bit for bit the merge of the two rows, with the lower index first.
            EXPECT_EQ(N[i][j], SparseRowDotWeighted(s, p, std::min(i, j), std::max(i, j)));
            Real ref = 0;
            for (int k = 0; k < m; ++k) ref += a[k][i] * p[k] * a[k][j];
            EXPECT_NEAR(N[i][j], ref, 1e-15L * (1 + std::fabs(ref)));
        }
        Real ref = 0;
        for (int k = 0; k < m; ++k) ref += a[k][i] * p[k] * l[k];
        EXPECT_NEAR(b[i], ref, 1e-15L * (1 + std::fabs(ref)));
        EXPECT_EQ(N[i][n], -7.0L);
        EXPECT_EQ(N[n][i], -7.0L);
    }
    EXPECT_EQ(b[n], -7.0L);
}

TEST(SparseProducts, RangesWriteOnlyTheirRowsAndTheirMirrors) {
    const int n = 12, m = 40;
    const Tsparse s = RandomDesign(n, m, 3, 21);
    const Tvector p = RandomVector(m, 22, 0.5, 2.0);
    Tmatrix whole(n, Tvector(n, 0.0L)), parts(n, Tvector(n, 5.0L));
    ASSERT_TRUE(NormalMatrixRows(whole, s, p, 0, n - 1, n));
    ASSERT_TRUE(NormalMatrixRows(parts, s, p, 3, 6, n));
    // Ranges are (first, last): one given the other way round is refused, not
    // taken as empty; only first == last + 1 is the empty range.
    EXPECT_FALSE(NormalMatrixRows(parts, s, p, 6, 3, n));
    EXPECT_FALSE(NormalVectorRows(whole[0], p, p, 6, 3, s));
    EXPECT_TRUE(NormalMatrixRows(parts, s, p, 7, 6, n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            const bool mine = (i >= 3 && i <= 6 && j >= i) || (j >= 3 && j <= 6 && i >= j);
            EXPECT_EQ(parts[i][j], mine ? whole[i][j] : 5.0L) << i << "," << j;
        }
    }
}

TEST(SparseProducts, BrokenRowsAreRefusedNotRead) {
    const Tvector p(5, 1.0L);
    Tmatrix N(2, Tvector(2, 0.0L));
    const Tsparse descending = Rows({{{3, 1}, {1, 1}}, {{0}, {1}}});
    EXPECT_FALSE(NormalMatrixRows(N, descending, p, 0, 1, 2));
    const Tsparse beyond = Rows({{{1, 9}, {1, 1}}, {{0}, {1}}});
    EXPECT_FALSE(NormalMatrixRows(N, beyond, p, 0, 1, 2));
    const Tsparse unequal = Rows({{{1, 2}, {1}}, {{0}, {1}}});
    EXPECT_FALSE(NormalMatrixRows(N, unequal, p, 0, 1, 2));
    const Tsparse good = Rows({{{1, 2}, {1, 1}}, {{0, 2}, {1, 1}}});
    Tmatrix small(1, Tvector(1, 0.0L));
    EXPECT_FALSE(NormalMatrixRows(small, good, p, 0, 1, 2));
    EXPECT_FALSE(NormalMatrixRows(N, good, p, 0, 2, 2));
    Tvector b(2, 0.0L);
    EXPECT_FALSE(NormalVectorRows(b, p, Tvector(2, 1.0L), 0, 1, good));  // l too short
    Tvector pnan = p;
    pnan[2] = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(NormalMatrixRows(N, good, pnan, 0, 1, 2));
}

TEST(SparseProducts, ResidualsCofactorsGramAndTransposeTimes) {
    const int n = 9, m = 25;
    const Tsparse s = RandomDesign(n, m, 3, 31);
    const Tmatrix a = DenseDesign(s, m);
    const Tvector l = RandomVector(m + 3, 32);
    const Tvector dx = RandomVector(n, 33);
    Tvector v;
    ASSERT_TRUE(Residuals(v, Tvector(n, 0.0L), l, m, s));
    EXPECT_EQ(v, Tvector(l.begin(), l.begin() + m));
    ASSERT_TRUE(Residuals(v, dx, l, m, s));
    for (int k = 0; k < m; ++k) {
        Real ref = l[k];
        for (int i = 0; i < n; ++i) ref -= a[k][i] * dx[i];
        EXPECT_NEAR(v[k], ref, 1e-15L);
    }

    Tsparse at;
    ASSERT_TRUE(SparseTranspose(at, s, m));
    const Tmatrix q = test::RandomSpd(n, 34);
    Tvector cof;
    ASSERT_TRUE(ObservationCofactors(cof, at, q, m));
    for (int k = 0; k < m; ++k) {
        Real ref = 0;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) ref += a[k][i] * q[i][j] * a[k][j];
        }
        EXPECT_NEAR(cof[k], ref, 1e-15L * (1 + std::fabs(ref)));
    }

    Tmatrix g(n, Tvector(n));
    ASSERT_TRUE(SparseGram(g, s, n));
    Tvector b(n, 1.0L);
    ASSERT_TRUE(SparseTransposeTimes(b, l, s, n));
    for (int i = 0; i < n; ++i) {
        Real ref = 1;
        for (int k = 0; k < m; ++k) ref += a[k][i] * l[k];
        EXPECT_NEAR(b[i], ref, 1e-15L * (1 + std::fabs(ref)));
        for (int j = 0; j < n; ++j) {
            Real gram = 0;
            for (int k = 0; k < m; ++k) gram += a[k][i] * a[k][j];
            EXPECT_NEAR(g[i][j], gram, 1e-15L * (1 + std::fabs(gram)));
        }
    }
    EXPECT_FALSE(Residuals(v, dx, l, 3, s));  // columns beyond m
    EXPECT_FALSE(ObservationCofactors(cof, at, Tmatrix(2, Tvector(2)), m));
}

}  // namespace
}  // namespace vertano
