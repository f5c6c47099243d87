// The blocked dense routines against plain loops that sum every element in
// the same order: the blocking, the pairing of rows and the split operands
// must not change a single bit. Sizes cover several blocks and odd tails;
// matrices scaled by powers of two far outside the range of doubles take the
// 80-bit path, which must give exactly the scaled result.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Reference.h"
#include "matice/Kernels.h"
#include "matice/Matrix2.h"

namespace vertano {
namespace {

using test::RandomMatrix;
using test::RandomSpd;

const int kSizes[] = {9, 16, 23, 40, 67};

bool SameBits(Real a, Real b) {
    return std::memcmp(&a, &b, 10) == 0;
}

// Elements of the leading rows x cols block whose bits differ.
int BitDifferences(const Tmatrix& a, const Tmatrix& b, int rows, int cols) {
    int count = 0;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) count += SameBits(a[i][j], b[i][j]) ? 0 : 1;
    }
    return count;
}

int BitDifferences(const Tvector& a, const Tvector& b, int n) {
    int count = 0;
    for (int i = 0; i < n; ++i) count += SameBits(a[i], b[i]) ? 0 : 1;
    return count;
}

Tmatrix Scaled(Tmatrix m, Real factor) {
    for (auto& row : m) {
        for (auto& x : row) x *= factor;
    }
    return m;
}

Tvector Scaled(Tvector v, Real factor) {
    for (auto& x : v) x *= factor;
    return v;
}

// A symmetric positive definite matrix with exact zeros and negative zeros
// among its elements, as the normal matrix of a sparse network has.
Tmatrix SparseSpd(int n, unsigned seed) {
    Tmatrix a = RandomSpd(n, seed);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) {
            if ((i * 7 + j * 3) % 5 < 2) a[i][j] = a[j][i] = ((i + j) % 2 != 0) ? -0.0L : 0.0L;
        }
    }
    return a;
}

// --- plain loops in the order of the routines ------------------------------

// t_c = L[c] D; L[k][c] = (M[k][c] - sum_{l<c} L[k][l] t_c[l]) / D[c].
void OrderedLdlt(Tmatrix& m, Tvector& d, int n) {
    Tmatrix t(n, Tvector(n));
    for (int c = 0; c < n; ++c) {
        for (int l = 0; l < c; ++l) t[c][l] = m[c][l] * d[l];
        Real s = 0;
        for (int l = 0; l < c; ++l) s += m[c][l] * t[c][l];
        d[c] = m[c][c] - s;
        for (int k = c + 1; k < n; ++k) {
            Real x = 0;
            for (int l = 0; l < c; ++l) x += m[k][l] * t[c][l];
            m[k][c] = (m[k][c] - x) / d[c];
        }
    }
    for (int i = 0; i < n; ++i) {
        m[i][i] = 1;
        for (int j = i + 1; j < n; ++j) m[i][j] = 0;
    }
}

// L = R^T: L[j][c] = (A[j][c] - sum_{k<c} L[c][k] L[j][k]) / d[c]; R above the diagonal.
void OrderedCholesky(Tmatrix& m, Tvector& d, int n) {
    Tmatrix l(n, Tvector(n, 0.0L));
    for (int c = 0; c < n; ++c) {
        Real s = 0;
        for (int k = 0; k < c; ++k) s += l[c][k] * l[c][k];
        d[c] = std::sqrt(m[c][c] - s);
        for (int j = c + 1; j < n; ++j) {
            Real x = 0;
            for (int k = 0; k < c; ++k) x += l[c][k] * l[j][k];
            l[j][c] = (m[j][c] - x) / d[c];
        }
    }
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) m[i][j] = l[j][i];
    }
}

// X[b][i] = -(X[b][b] R[b][i] + sum_{j=b+1}^{i-1} X[b][j] R[j][i]) / d[i].
void OrderedTriangularInverse(Tmatrix& m, const Tvector& d, int n) {
    const Tmatrix r = m;
    for (int b = 0; b < n; ++b) {
        m[b][b] = 1 / d[b];
        for (int i = b + 1; i < n; ++i) {
            Real s = m[b][b] * r[b][i];
            for (int j = b + 1; j < i; ++j) s += m[b][j] * r[j][i];
            m[b][i] = -s / d[i];
        }
    }
}

// q(s, i) = X[s][s] X[i][s] + sum_{a>s} X[s][a] X[i][a] for i <= s.
Tmatrix OrderedProduct(const Tmatrix& x, int n) {
    Tmatrix q(n, Tvector(n));
    for (int s = 0; s < n; ++s) {
        for (int i = 0; i <= s; ++i) {
            Real v = x[s][s] * x[i][s];
            for (int a = s + 1; a < n; ++a) v += x[s][a] * x[i][a];
            q[s][i] = q[i][s] = v;
        }
    }
    return q;
}

// Crout with implicit pivoting, each element its input minus one sum.
void OrderedLu(Tmatrix& a, TindexVector& perm, int n) {
    Tvector scale(n);
    for (int i = 0; i < n; ++i) {
        Real big = 0;
        for (int j = 0; j < n; ++j) big = std::max(big, std::fabs(a[i][j]));
        scale[i] = 1 / big;
    }
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            Real s = 0;
            for (int k = 0; k < std::min(i, j); ++k) s += a[i][k] * a[k][j];
            a[i][j] -= s;
        }
        Real big = 0;
        int pivot = j;
        for (int i = j; i < n; ++i) {
            if (scale[i] * std::fabs(a[i][j]) >= big) {
                big = scale[i] * std::fabs(a[i][j]);
                pivot = i;
            }
        }
        if (pivot != j) {
            std::swap(a[pivot], a[j]);
            scale[pivot] = scale[j];
        }
        perm[j] = pivot;
        if (a[j][j] == 0) a[j][j] = 1e-20L;
        for (int i = j + 1; i < n; ++i) a[i][j] /= a[j][j];
    }
}

// --- split operands ----------------------------------------------------------

TEST(SplitOperands, ExactWithinTheRangeOfDoublesAndRefusedOutside) {
    using detail::SplitReal;
    using detail::ToSplit;
    const Real inside[] = {1,
                           -0.1L,
                           3.0L + 0x1p-62L,
                           0x1p-1011L * 1.2345678901234567891L,
                           -0x1p1022L * 1.9999999999999999999L,
                           std::numeric_limits<Real>::epsilon()};
    for (const Real x : inside) {
        SplitReal s{};
        ASSERT_TRUE(ToSplit(x, s)) << static_cast<double>(x);
        EXPECT_TRUE(SameBits(detail::Load(&s, 0), x)) << static_cast<double>(x);
    }
    SplitReal zero{};
    ASSERT_TRUE(ToSplit(-0.0L, zero));
    EXPECT_TRUE(std::signbit(detail::Load(&zero, 0)));
    const Real outside[] = {0x1p-1012L,
                            0x1p1023L,
                            -0x1p1100L,
                            0x1p-16000L,
                            std::numeric_limits<Real>::infinity(),
                            std::numeric_limits<Real>::quiet_NaN()};
    for (const Real x : outside) {
        SplitReal s{};
        EXPECT_FALSE(ToSplit(x, s)) << static_cast<double>(x);
    }
}

TEST(SplitOperands, KernelsGiveTheSameBitsWithEitherOperand) {
    const int n = 101;
    const Tmatrix rows = RandomMatrix(4, n, 5);
    detail::SplitRows split(2, n);
    split.Set(0, rows[2].data(), 0, n);
    split.Set(1, rows[3].data(), 0, n);
    ASSERT_TRUE(split.Usable());
    const detail::Sums2x2 start{1, -2, 3, -4};
    const auto plain =
        detail::Dot2x2(rows[0].data(), rows[1].data(), rows[2].data(), rows[3].data(), 3, n, start);
    const auto mixed =
        detail::Dot2x2(rows[0].data(), rows[1].data(), split.Row(0), split.Row(1), 3, n, start);
    EXPECT_TRUE(SameBits(plain.s00, mixed.s00) && SameBits(plain.s01, mixed.s01) &&
                SameBits(plain.s10, mixed.s10) && SameBits(plain.s11, mixed.s11));
    const auto one = detail::Dot1x2(split.Row(0), rows[0].data(), rows[1].data(), 0, n);
    const auto onePlain = detail::Dot1x2(rows[2].data(), rows[0].data(), rows[1].data(), 0, n);
    EXPECT_TRUE(SameBits(one.s0, onePlain.s0) && SameBits(one.s1, onePlain.s1));
    split.Put(1, 7, 0x1p-1050L);
    EXPECT_FALSE(split.Usable());
}

// --- factorisations ----------------------------------------------------------

TEST(BlockedKernels, LdltSumsInColumnOrder) {
    for (const int n : kSizes) {
        for (const Tmatrix& a : {RandomSpd(n, 300 + n), SparseSpd(n, 310 + n)}) {
            Tmatrix m = a, ref = a;
            Tvector d, dref(n);
            ASSERT_TRUE(LDLTDecomposition(m, d, n - 1));
            OrderedLdlt(ref, dref, n);
            EXPECT_EQ(BitDifferences(m, ref, n, n), 0) << n;
            EXPECT_EQ(BitDifferences(d, dref, n), 0) << n;
            // Out of the range of doubles: the 80-bit path, the same L, D scaled.
            Tmatrix tiny = Scaled(a, 0x1p-1100L);
            Tvector dtiny;
            ASSERT_TRUE(LDLTDecomposition(tiny, dtiny, n - 1));
            EXPECT_EQ(BitDifferences(tiny, m, n, n), 0) << n;
            EXPECT_EQ(BitDifferences(dtiny, Scaled(d, 0x1p-1100L), n), 0) << n;
        }
    }
}

TEST(BlockedKernels, CholeskyAndTriangularInverseSumInColumnOrder) {
    for (const int n : kSizes) {
        for (const Tmatrix& a : {RandomSpd(n, 320 + n), SparseSpd(n, 330 + n)}) {
            Tmatrix m = a, ref = a;
            Tvector d, dref(n);
            ASSERT_TRUE(CholeskyDecomposition(m, d, n - 1));
            OrderedCholesky(ref, dref, n);
            EXPECT_EQ(BitDifferences(m, ref, n, n), 0) << n;
            EXPECT_EQ(BitDifferences(d, dref, n), 0) << n;
            Tmatrix huge = Scaled(a, 0x1p1100L);
            Tvector dhuge;
            ASSERT_TRUE(CholeskyDecomposition(huge, dhuge, n - 1));
            EXPECT_EQ(BitDifferences(dhuge, Scaled(d, 0x1p550L), n), 0) << n;
            for (int i = 0; i < n; ++i) {
                for (int j = i + 1; j < n; ++j) {
                    ASSERT_TRUE(SameBits(huge[i][j], m[i][j] * 0x1p550L)) << n;
                }
            }

            ASSERT_TRUE(TriangularInverse(m, d, n - 1));
            OrderedTriangularInverse(ref, dref, n);
            EXPECT_EQ(BitDifferences(m, ref, n, n), 0) << n;
            ASSERT_TRUE(TriangularInverse(huge, dhuge, n - 1));
            for (int i = 0; i < n; ++i) {
                for (int j = i; j < n; ++j) {
                    ASSERT_TRUE(SameBits(huge[i][j], m[i][j] * 0x1p-550L)) << n;
                }
            }
        }
    }
}

TEST(BlockedKernels, ProductOfTheTriangularInverseSumsInRowOrder) {
    for (const int n : kSizes) {
        Tmatrix x = SparseSpd(n, 340 + n);
        Tvector d;
        ASSERT_TRUE(CholeskyDecomposition(x, d, n - 1));
        ASSERT_TRUE(TriangularInverse(x, d, n - 1));
        const Tmatrix ref = OrderedProduct(x, n);
        Tmatrix q(n, Tvector(n, 0.0L));
        // Ranges that start and end inside blocks.
        ASSERT_TRUE(InverseFromTriangularInto(q, x, n - 1, n / 3, n - 1));
        ASSERT_TRUE(InverseFromTriangularInto(q, x, n - 1, 0, n / 3 - 1));
        EXPECT_EQ(BitDifferences(q, ref, n, n), 0) << n;
        Tmatrix huge = Scaled(x, 0x1p600L);
        ASSERT_TRUE(InverseFromTriangular(huge, n - 1, 0, n - 1));
        EXPECT_EQ(BitDifferences(huge, Scaled(ref, 0x1p1200L), n, n), 0) << n;
    }
}

TEST(BlockedKernels, LuSumsInColumnOrderWithTheSamePivots) {
    for (const int n : kSizes) {
        const Tmatrix a = RandomMatrix(n, n, 350 + n);
        Tmatrix m = a, ref = a;
        TindexVector perm, pref(n);
        ASSERT_TRUE(LUDecomposition(m, n - 1, perm));
        OrderedLu(ref, pref, n);
        EXPECT_EQ(TindexVector(perm.begin(), perm.begin() + n), pref) << n;
        EXPECT_EQ(BitDifferences(m, ref, n, n), 0) << n;
        Tmatrix huge = Scaled(a, 0x1p1100L);
        TindexVector phuge;
        ASSERT_TRUE(LUDecomposition(huge, n - 1, phuge));
        EXPECT_EQ(phuge, perm);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                const Real expected = j < i ? m[i][j] : m[i][j] * 0x1p1100L;
                ASSERT_TRUE(SameBits(huge[i][j], expected)) << n << " " << i << " " << j;
            }
        }
    }
}

TEST(BlockedKernels, LuInverseColumnsEqualOneColumnAtATime) {
    for (const int n : kSizes) {
        const int conditions = n % 3;
        Tmatrix m = RandomMatrix(n, n, 360 + n);
        TindexVector perm;
        ASSERT_TRUE(LUDecomposition(m, n - 1, perm));
        const int kept = n - conditions;
        Tmatrix q(kept, Tvector(n, -7.0L));
        const int first = n / 4, last = n - 2;
        ASSERT_TRUE(LUInverseColumns(q, m, perm, conditions, n - 1, first, last));
        for (int j = 0; j < n; ++j) {
            Tvector e(n, 0.0L);
            e[j] = 1;
            ASSERT_TRUE(LUBackSubstitution(m, n - 1, perm, e));
            for (int i = 0; i < kept; ++i) {
                const bool inside = j >= first && j <= last;
                ASSERT_TRUE(SameBits(q[i][j], inside ? e[i] : -7.0L)) << n << " " << i << " " << j;
            }
        }
        // The inverse of a tiny matrix is too large for doubles: the solution
        // goes on with 80-bit values half way and still gives the scaled bits.
        Tmatrix tiny = Scaled(RandomMatrix(n, n, 360 + n), 0x1p-1100L);
        TindexVector ptiny;
        ASSERT_TRUE(LUDecomposition(tiny, n - 1, ptiny));
        Tmatrix qtiny(kept, Tvector(n, 0.0L));
        ASSERT_TRUE(LUInverseColumns(qtiny, tiny, ptiny, conditions, n - 1, first, last));
        for (int i = 0; i < kept; ++i) {
            for (int j = first; j <= last; ++j) {
                ASSERT_TRUE(SameBits(qtiny[i][j], q[i][j] * 0x1p1100L)) << n;
            }
        }
    }
}

TEST(BlockedKernels, LuInverseColumnsOfFactorsWithInfinityFailLikeOneColumn) {
    const int n = 12;
    Tmatrix m = RandomMatrix(n, n, 7);
    TindexVector perm;
    ASSERT_TRUE(LUDecomposition(m, n - 1, perm));
    m[n - 1][2] = std::numeric_limits<Real>::infinity();
    Tmatrix q(n, Tvector(n, 0.0L));
    EXPECT_FALSE(LUInverseColumns(q, m, perm, 0, n - 1, 0, n - 1));
    TindexVector bad = perm;
    bad[3] = n;
    m = RandomMatrix(n, n, 8);
    EXPECT_FALSE(LUInverseColumns(q, m, bad, 0, n - 1, 0, n - 1));
}

TEST(BlockedKernels, PseudoInverseRowsOutsideTheRangeOfDoubles) {
    const int n = 19;
    const Tmatrix v = RandomMatrix(n, n, 1), u = RandomMatrix(n, n, 2);
    const Tvector w = test::RandomVector(n, 3);
    Tmatrix plain(n, Tvector(n, 0.0L)), huge(n, Tvector(n, 0.0L));
    ASSERT_TRUE(PseudoInverseRows(plain, v, u, n - 1, 1, n - 1, w));
    ASSERT_TRUE(PseudoInverseRows(huge, Scaled(v, 0x1p1100L), u, n - 1, 1, n - 1, w));
    EXPECT_EQ(BitDifferences(huge, Scaled(plain, 0x1p1100L), n, n), 0);
}

}  // namespace
}  // namespace vertano
