// LDL^T, LU and Cholesky with the inverses built on them, held against
// textbook loops on random well-conditioned input and against the failures
// that tell the solver to try the next method.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Reference.h"
#include "matice/Matrix2.h"

namespace vertano {
namespace {

using test::Identity;
using test::Multiply;
using test::RandomMatrix;
using test::RandomSpd;
using test::RandomVector;
using test::RelativeDifference;
using test::Transpose;

constexpr Real kTolerance = 1e-15L;
const int kSizes[] = {1, 2, 3, 4, 5, 8, 17, 40};

// --- references -----------------------------------------------------------

// Column form with t = L[i] D, as the factorisation is defined.
void ReferenceLdlt(Tmatrix& m, Tvector& d, int n) {
    Tvector t(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) t[j] = m[i][j] * m[j][j];
        Real s = m[i][i];
        for (int k = 0; k < i; ++k) s -= m[i][k] * t[k];
        m[i][i] = s;
        for (int k = i + 1; k < n; ++k) {
            Real x = m[k][i];
            for (int l = 0; l < i; ++l) x -= m[k][l] * t[l];
            m[k][i] = x / s;
        }
    }
    for (int i = 0; i < n; ++i) {
        d[i] = m[i][i];
        m[i][i] = 1;
        for (int j = i + 1; j < n; ++j) m[i][j] = 0;
    }
}

// Crout with implicit pivoting, column by column as published.
void ReferenceLu(Tmatrix& a, TindexVector& perm, int n) {
    Tvector vv(n);
    for (int i = 0; i < n; ++i) {
        Real big = 0;
        for (int j = 0; j < n; ++j) big = std::max(big, std::fabs(a[i][j]));
        vv[i] = 1 / big;
    }
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < j; ++i) {
            Real s = a[i][j];
            for (int k = 0; k < i; ++k) s -= a[i][k] * a[k][j];
            a[i][j] = s;
        }
        Real big = 0;
        int imax = j;
        for (int i = j; i < n; ++i) {
            Real s = a[i][j];
            for (int k = 0; k < j; ++k) s -= a[i][k] * a[k][j];
            a[i][j] = s;
            if (vv[i] * std::fabs(s) >= big) {
                big = vv[i] * std::fabs(s);
                imax = i;
            }
        }
        if (imax != j) {
            std::swap(a[imax], a[j]);
            vv[imax] = vv[j];
        }
        perm[j] = imax;
        if (a[j][j] == 0) a[j][j] = 1e-20L;
        for (int i = j + 1; i < n; ++i) a[i][j] /= a[j][j];
    }
}

// R^T R with R above the diagonal, k running down as defined.
void ReferenceCholesky(Tmatrix& m, Tvector& d, int n) {
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) {
            Real s = m[j][i];
            for (int k = i - 1; k >= 0; --k) s -= m[k][i] * m[k][j];
            if (i == j) {
                d[i] = std::sqrt(s);
            } else {
                m[i][j] = s / d[i];
            }
        }
    }
}

Tmatrix UpperWithDiagonal(const Tmatrix& m, const Tvector& d, int n) {
    Tmatrix r(n, Tvector(n, 0.0L));
    for (int i = 0; i < n; ++i) {
        r[i][i] = d[i];
        for (int j = i + 1; j < n; ++j) r[i][j] = m[i][j];
    }
    return r;
}

Tmatrix Upper(const Tmatrix& m, int n) {
    Tmatrix r(n, Tvector(n, 0.0L));
    for (int i = 0; i < n; ++i) {
        for (int j = i; j < n; ++j) r[i][j] = m[i][j];
    }
    return r;
}

// Inverse of the SPD matrix a by the whole Cholesky path, in place.
bool CholeskyInverse(Tmatrix& a, int n) {
    Tvector d;
    return CholeskyDecomposition(a, d, n - 1) && TriangularInverse(a, d, n - 1) &&
           InverseFromTriangular(a, n - 1, 0, n - 1);
}

// --- LDL^T ----------------------------------------------------------------

TEST(Ldlt, MatchesReferenceAndReproducesInput) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomSpd(n, 10 + n);
        Tmatrix m = a, ref = a;
        Tvector d, dref(n);
        ASSERT_TRUE(LDLTDecomposition(m, d, n - 1)) << n;
        ReferenceLdlt(ref, dref, n);
        EXPECT_LT(RelativeDifference(m, ref, n, n), kTolerance) << n;
        EXPECT_LT(RelativeDifference(d, dref, n), kTolerance) << n;
        Tmatrix ld = m;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) ld[i][j] = m[i][j] * d[j];
        }
        EXPECT_LT(RelativeDifference(Multiply(ld, Transpose(m)), a, n, n), kTolerance) << n;
    }
}

TEST(Ldlt, SolvesTheSystem) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomSpd(n, 20 + n);
        const Tvector b = RandomVector(n, 30 + n);
        Tmatrix m = a;
        Tvector d, x;
        ASSERT_TRUE(LDLTDecomposition(m, d, n - 1));
        ASSERT_TRUE(LDLTSolve(x, m, d, n - 1, b));
        Tvector ax(n, 0.0L);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) ax[i] += a[i][j] * x[j];
        }
        EXPECT_LT(RelativeDifference(ax, b, n), kTolerance) << n;
    }
}

TEST(Ldlt, WorksOnTheLeadingBlockOfALargerMatrixAndKeepsLongerVectors) {
    Tmatrix m = RandomSpd(6, 3);
    m[5][5] = 12345;  // outside the 4 x 4 block
    Tvector d(10, 7.0L);
    ASSERT_TRUE(LDLTDecomposition(m, d, 3));
    EXPECT_EQ(d.size(), 10u);
    EXPECT_EQ(d[9], 7.0L);
    EXPECT_EQ(m[5][5], 12345);
}

TEST(Ldlt, FailsOnZeroPivotNonFiniteInputAndShortArguments) {
    Tmatrix zero = {{0, 1}, {1, 2}};
    Tvector d;
    EXPECT_FALSE(LDLTDecomposition(zero, d, 1));
    Tmatrix singular = {{1, 1}, {1, 1}};  // second pivot exactly 0
    EXPECT_FALSE(LDLTDecomposition(singular, d, 1));
    Tmatrix nan = RandomSpd(5, 1);
    nan[3][2] = nan[2][3] = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(LDLTDecomposition(nan, d, 4));
    Tmatrix inf = RandomSpd(3, 1);
    inf[2][2] = std::numeric_limits<Real>::infinity();
    EXPECT_FALSE(LDLTDecomposition(inf, d, 2));
    Tmatrix small = RandomSpd(3, 1);
    EXPECT_FALSE(LDLTDecomposition(small, d, 3));
    EXPECT_FALSE(LDLTDecomposition(small, d, -1));
    Tvector x;
    EXPECT_FALSE(LDLTSolve(x, small, Tvector(3, 1.0L), 2, Tvector(2, 1.0L)));
}

TEST(Ldlt, FaultInsideDoesNotLeakIntoTheCallersFlags) {
    Tmatrix zero = {{0, 1}, {1, 2}};
    Tvector d;
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_FALSE(LDLTDecomposition(zero, d, 1));
    EXPECT_EQ(std::fetestexcept(FpGuard::kFaults), 0);
}

// --- LU -------------------------------------------------------------------

TEST(Lu, MatchesReferenceFactorsAndPermutation) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomMatrix(n, n, 40 + n);
        Tmatrix m = a, ref = a;
        TindexVector perm, pref(n);
        ASSERT_TRUE(LUDecomposition(m, n - 1, perm)) << n;
        ReferenceLu(ref, pref, n);
        EXPECT_EQ(TindexVector(perm.begin(), perm.begin() + n), pref) << n;
        EXPECT_LT(RelativeDifference(m, ref, n, n), kTolerance) << n;
    }
}

TEST(Lu, BackSubstitutionSolvesAndInverseColumnsInvert) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomMatrix(n, n, 50 + n);
        const Tvector b = RandomVector(n, 60 + n);
        Tmatrix m = a;
        TindexVector perm;
        ASSERT_TRUE(LUDecomposition(m, n - 1, perm));
        Tvector x = b;
        ASSERT_TRUE(LUBackSubstitution(m, n - 1, perm, x));
        Tvector ax(n, 0.0L);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) ax[i] += a[i][j] * x[j];
        }
        EXPECT_LT(RelativeDifference(ax, b, n), 1e-14L) << n;
        Tmatrix q(n, Tvector(n, 0.0L));
        ASSERT_TRUE(LUInverseColumns(q, m, perm, 0, n - 1, 0, n - 1));
        EXPECT_LT(RelativeDifference(Multiply(a, q), Identity(n), n, n), 1e-14L) << n;
    }
}

TEST(Lu, InverseColumnsOfABorderedMatrixKeepOnlyTheUnknowns) {
    // A free-network style system: 3 unknowns bordered by one condition.
    const Tmatrix n3 = RandomSpd(3, 7);
    Tmatrix bordered(4, Tvector(4, 0.0L));
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) bordered[i][j] = n3[i][j];
        bordered[i][3] = bordered[3][i] = 1;
    }
    Tmatrix full = bordered;
    TindexVector perm;
    ASSERT_TRUE(LUDecomposition(full, 3, perm));
    Tmatrix wholeInverse(4, Tvector(4, 0.0L));
    ASSERT_TRUE(LUInverseColumns(wholeInverse, full, perm, 0, 3, 0, 3));
    Tmatrix q(3, Tvector(3, -5.0L));
    ASSERT_TRUE(LUInverseColumns(q, full, perm, 1, 3, 1, 2));  // columns 1..2 only
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(q[i][0], -5.0L);
        for (int j = 1; j < 3; ++j) EXPECT_EQ(q[i][j], wholeInverse[i][j]);
    }
}

TEST(Lu, ZeroRowFailsButZeroPivotIsReplacedAndGoesOn) {
    Tmatrix zeroRow = {{1, 2, 3}, {0, 0, 0}, {4, 5, 7}};
    TindexVector perm;
    EXPECT_FALSE(LUDecomposition(zeroRow, 2, perm));
    Tmatrix singular = {{1, 1}, {1, 1}};
    ASSERT_TRUE(LUDecomposition(singular, 1, perm));
    EXPECT_EQ(singular[1][1], 1e-20L);
    // Ties go to the later row.
    Tmatrix tie = {{1, 0}, {1, 1}};
    ASSERT_TRUE(LUDecomposition(tie, 1, perm));
    EXPECT_EQ(perm[0], 1);
}

TEST(Lu, RejectsBadPermutationNonFiniteInputAndShortArguments) {
    Tmatrix m = RandomMatrix(3, 3, 1);
    TindexVector perm;
    ASSERT_TRUE(LUDecomposition(m, 2, perm));
    Tvector b(3, 1.0L);
    TindexVector bad = {0, 7, 2};
    EXPECT_FALSE(LUBackSubstitution(m, 2, bad, b));
    EXPECT_FALSE(LUBackSubstitution(m, 2, perm, b = Tvector(2, 1.0L)));
    Tmatrix nan = RandomMatrix(3, 3, 2);
    nan[1][2] = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(LUDecomposition(nan, 2, perm));
    Tmatrix q(2, Tvector(3, 0.0L));
    EXPECT_FALSE(LUInverseColumns(q, m, perm, 0, 2, 0, 2));  // q has too few rows
    Tmatrix q3(3, Tvector(3, 0.0L));
    EXPECT_FALSE(LUInverseColumns(q3, m, perm, 0, 2, 2, 0));  // columns as (last, first)
}

// --- Cholesky and the inverse ----------------------------------------------

TEST(Cholesky, MatchesReferenceAndKeepsTheLowerTriangle) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomSpd(n, 70 + n);
        Tmatrix m = a, ref = a;
        Tvector d, dref(n);
        ASSERT_TRUE(CholeskyDecomposition(m, d, n - 1)) << n;
        ReferenceCholesky(ref, dref, n);
        EXPECT_LT(RelativeDifference(d, dref, n), kTolerance);
        EXPECT_LT(RelativeDifference(Upper(m, n), Upper(ref, n), n, n), kTolerance);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j <= i; ++j) EXPECT_EQ(m[i][j], a[i][j]);
        }
        const Tmatrix r = UpperWithDiagonal(m, d, n);
        EXPECT_LT(RelativeDifference(Multiply(Transpose(r), r), a, n, n), kTolerance) << n;
    }
}

TEST(Cholesky, ReadsOnlyTheLowerTriangle) {
    const Tmatrix a = RandomSpd(6, 5);
    Tmatrix lowerOnly = a;
    for (int i = 0; i < 6; ++i) {
        for (int j = i + 1; j < 6; ++j) lowerOnly[i][j] = 99;
    }
    Tmatrix m = a;
    Tvector d1, d2;
    ASSERT_TRUE(CholeskyDecomposition(m, d1, 5));
    ASSERT_TRUE(CholeskyDecomposition(lowerOnly, d2, 5));
    EXPECT_EQ(m, lowerOnly);
    EXPECT_EQ(d1, d2);
}

// The element test was once absolute (a non-zero sum below 1e-10 failed, off
// the diagonal too): the rounding residue of a fill-in then refused the normal
// matrix of an ordinary network of a thousand points. Only a pivot small for
// its own diagonal element fails now, whatever the scale of the matrix.
TEST(Cholesky, OnlyAPivotSmallForItsDiagonalFails) {
    Tmatrix exact = {{1, 1, 0.5L}, {1, 2, 0.5L}, {0.5L, 0.5L, 2}};
    Tvector d;
    EXPECT_TRUE(CholeskyDecomposition(exact, d, 2));
    // Element (1, 2) leaves 1e-12 instead of 0.
    Tmatrix residue = {{1, 1, 0.5L}, {1, 2, 0.5L + 1e-12L}, {0.5L, 0.5L + 1e-12L, 2}};
    ASSERT_TRUE(CholeskyDecomposition(residue, d, 2));
    EXPECT_NEAR(static_cast<double>(residue[1][2] * d[1]), 1e-12, 1e-20);
    Tmatrix small = {{1e-30L, 1e-31L}, {1e-31L, 1e-30L}};
    EXPECT_TRUE(CholeskyDecomposition(small, d, 1));
    Tmatrix indefinite = {{1, 2}, {2, 1}};
    EXPECT_FALSE(CholeskyDecomposition(indefinite, d, 1));
    Tmatrix singular = {{1e20L, 1e20L}, {1e20L, 1e20L + 1e4L}};
    EXPECT_FALSE(CholeskyDecomposition(singular, d, 1));
    Tmatrix nan = RandomSpd(4, 2);
    nan[3][1] = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(CholeskyDecomposition(nan, d, 3));
}

TEST(Cholesky, TriangularInverseMatchesReferenceAndInverts) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomSpd(n, 80 + n);
        Tmatrix m = a;
        Tvector d;
        ASSERT_TRUE(CholeskyDecomposition(m, d, n - 1));
        const Tmatrix r = UpperWithDiagonal(m, d, n);
        Tmatrix ref = m;
        for (int b = 0; b < n; ++b) {  // as defined: rows downwards, R below still intact
            ref[b][b] = 1 / d[b];
            for (int i = b + 1; i < n; ++i) {
                Real s = 0;
                for (int j = b; j < i; ++j) s += ref[j][i] * ref[b][j];
                ref[b][i] = -s / d[i];
            }
        }
        ASSERT_TRUE(TriangularInverse(m, d, n - 1));
        EXPECT_LT(RelativeDifference(Upper(m, n), Upper(ref, n), n, n), kTolerance) << n;
        EXPECT_LT(RelativeDifference(Multiply(Upper(m, n), r), Identity(n), n, n), kTolerance);
    }
    Tmatrix m = {{1, 2}, {2, 5}};
    EXPECT_FALSE(TriangularInverse(m, Tvector{1, 0}, 1));
}

TEST(Cholesky, ProductOfTheTriangularInverseGivesTheInverse) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomSpd(n, 90 + n);
        Tmatrix m = a;
        ASSERT_TRUE(CholeskyInverse(m, n)) << n;
        EXPECT_LT(RelativeDifference(Multiply(a, m), Identity(n), n, n), kTolerance) << n;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < i; ++j) EXPECT_EQ(m[i][j], m[j][i]);
        }
    }
}

TEST(Cholesky, ProductByRangesInPlaceEqualsSeparateStorage) {
    const int n = 23;
    Tmatrix x = RandomSpd(n, 4);
    Tvector d;
    ASSERT_TRUE(CholeskyDecomposition(x, d, n - 1));
    ASSERT_TRUE(TriangularInverse(x, d, n - 1));
    Tmatrix reference(n, Tvector(n));
    for (int s = 0; s < n; ++s) {
        for (int i = 0; i <= s; ++i) {
            Real q = 0;
            for (int a = s; a < n; ++a) q += x[s][a] * x[i][a];
            reference[i][s] = reference[s][i] = q;
        }
    }
    Tmatrix inPlace = x;
    ASSERT_TRUE(InverseFromTriangular(inPlace, n - 1, 0, 6));
    ASSERT_TRUE(InverseFromTriangular(inPlace, n - 1, 7, 7));
    ASSERT_TRUE(InverseFromTriangular(inPlace, n - 1, 8, n - 1));
    Tmatrix into(n, Tvector(n, 0.0L));
    ASSERT_TRUE(InverseFromTriangularInto(into, x, n - 1, 0, n - 1));
    EXPECT_EQ(inPlace, into);
    EXPECT_LT(RelativeDifference(into, reference, n, n), kTolerance);
    EXPECT_FALSE(InverseFromTriangularInto(x, x, n - 1, 0, n - 1));
    EXPECT_FALSE(InverseFromTriangular(inPlace, n - 1, 0, n));
}

}  // namespace
}  // namespace vertano
