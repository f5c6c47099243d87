// Singular value decomposition and the pseudo-inverse built on it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "Reference.h"
#include "matice/Matrix2.h"

namespace vertano {
namespace {

using test::Identity;
using test::Multiply;
using test::RandomMatrix;
using test::RelativeDifference;
using test::Transpose;

constexpr Real kTolerance = 1e-15L;

Tmatrix Reconstruct(const Tmatrix& u, const Tvector& w, const Tmatrix& v, int n) {
    Tmatrix uw = u;
    for (auto& row : uw) {
        for (int j = 0; j < n; ++j) row[j] *= w[j];
    }
    return Multiply(uw, Transpose(v));
}

struct Shape {
    int m;
    int n;
};

TEST(Svd, ReproducesTheInputWithOrthogonalFactorsForEveryShape) {
    const Shape shapes[] = {{1, 1}, {1, 4}, {4, 1},   {2, 2},   {5, 3},
                            {3, 5}, {8, 8}, {30, 20}, {20, 30}, {41, 41}};
    for (const Shape s : shapes) {
        const Tmatrix a = RandomMatrix(s.m, s.n, 100 + s.m * 7 + s.n);
        Tmatrix u = a, v;
        Tvector w;
        ASSERT_TRUE(SVDecomposition(u, w, v)) << s.m << "x" << s.n;
        ASSERT_EQ(w.size(), static_cast<std::size_t>(s.n));
        EXPECT_TRUE(std::all_of(w.begin(), w.end(), [](Real x) { return x >= 0; }));
        EXPECT_LT(RelativeDifference(Reconstruct(u, w, v, s.n), a, s.m, s.n), kTolerance)
            << s.m << "x" << s.n;
        EXPECT_LT(RelativeDifference(Multiply(Transpose(v), v), Identity(s.n), s.n, s.n),
                  kTolerance);
        if (s.m >= s.n) {
            EXPECT_LT(RelativeDifference(Multiply(Transpose(u), u), Identity(s.n), s.n, s.n),
                      kTolerance);
        }
    }
}

// Large enough for the row updates to be shared among threads; the rows a
// thread gets receive exactly the operations one thread would give them.
TEST(Svd, SameBitsForEveryThreadCount) {
    const Tmatrix a = RandomMatrix(420, 400, 77);
    Tmatrix u1 = a, v1;
    Tvector w1;
    ASSERT_TRUE(SVDecomposition(u1, w1, v1, 1));
    for (const int threads : {2, 3}) {
        Tmatrix u = a, v;
        Tvector w;
        ASSERT_TRUE(SVDecomposition(u, w, v, threads)) << threads;
        EXPECT_TRUE(w == w1) << threads;
        EXPECT_TRUE(u == u1) << threads;
        EXPECT_TRUE(v == v1) << threads;
    }
}

TEST(Svd, SingularValuesAgreeWithAnIndependentMethod) {
    const Shape shapes[] = {{6, 6}, {12, 7}, {25, 25}};
    for (const Shape s : shapes) {
        const Tmatrix a = RandomMatrix(s.m, s.n, 200 + s.m);
        Tmatrix u = a, v;
        Tvector w;
        ASSERT_TRUE(SVDecomposition(u, w, v));
        std::sort(w.begin(), w.end(), std::greater<Real>());
        const Tvector reference = test::JacobiSingularValues(a);
        EXPECT_LT(RelativeDifference(w, reference, s.n), kTolerance) << s.m << "x" << s.n;
    }
}

TEST(Svd, OneByOneNegative) {
    Tmatrix a = {{-3}};
    Tmatrix v;
    Tvector w;
    ASSERT_TRUE(SVDecomposition(a, w, v));
    EXPECT_EQ(w[0], 3);
    EXPECT_EQ(a[0][0], -1);
    EXPECT_EQ(v[0][0], 1);
}

TEST(Svd, RankDeficientAndZeroMatricesDecompose) {
    Tmatrix a = RandomMatrix(6, 4, 9);
    for (int i = 0; i < 6; ++i) a[i][3] = a[i][0] + a[i][1];  // rank 3
    Tmatrix u = a, v;
    Tvector w;
    ASSERT_TRUE(SVDecomposition(u, w, v));
    EXPECT_LT(RelativeDifference(Reconstruct(u, w, v, 4), a, 6, 4), kTolerance);
    EXPECT_LT(*std::min_element(w.begin(), w.end()), 1e-17L * test::MaxAbs(w));
    Tmatrix zero(3, Tvector(3, 0.0L));
    Tvector w3;
    ASSERT_TRUE(SVDecomposition(zero, w3, v));
    EXPECT_EQ(w3, Tvector(3, 0.0L));
}

TEST(Svd, FailsOnNonFiniteEmptyOrRaggedInputWithoutHanging) {
    Tmatrix v;
    Tvector w;
    Tmatrix nan = RandomMatrix(5, 5, 3);
    nan[2][3] = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(SVDecomposition(nan, w, v));
    Tmatrix inf = RandomMatrix(4, 3, 3);
    inf[0][0] = std::numeric_limits<Real>::infinity();
    EXPECT_FALSE(SVDecomposition(inf, w, v));
    Tmatrix empty;
    EXPECT_FALSE(SVDecomposition(empty, w, v));
    Tmatrix ragged = {{1, 2, 3}, {4, 5}};
    EXPECT_FALSE(SVDecomposition(ragged, w, v));
}

TEST(Svd, InvertSingularValuesDropsTheNegligibleOnes) {
    Tvector w = {4, 1, 0};
    ASSERT_TRUE(InvertSingularValues(w, 3));
    EXPECT_EQ(w, (Tvector{0.25L, 1, 0}));
    Tvector tiny = {1, 1e-17L, -2};
    ASSERT_TRUE(InvertSingularValues(tiny, 3));
    EXPECT_EQ(tiny, (Tvector{1, 0, 0}));
    Tvector zeros = {0, 0};
    EXPECT_FALSE(InvertSingularValues(zeros, 2));
    Tvector nan = {1, std::numeric_limits<Real>::quiet_NaN()};
    EXPECT_FALSE(InvertSingularValues(nan, 2));
    Tvector shortVector = {1};
    EXPECT_FALSE(InvertSingularValues(shortVector, 2));
}

TEST(Svd, PseudoInverseOfASingularSystemSolvesItInTheLeastSquaresSense) {
    // Free-network like: a symmetric matrix with a null space (rows sum to 0).
    const int n = 5;
    Tmatrix a(n, Tvector(n, -1.0L));
    for (int i = 0; i < n; ++i) a[i][i] = n - 1;
    Tmatrix u = a, v;
    Tvector w;
    ASSERT_TRUE(SVDecomposition(u, w, v));
    ASSERT_TRUE(InvertSingularValues(w, n));
    Tmatrix pinv(n, Tvector(n, 0.0L));
    ASSERT_TRUE(PseudoInverseRows(pinv, v, u, n - 1, 0, n - 1, w));
    // A A+ A = A and A+ A A+ = A+.
    EXPECT_LT(RelativeDifference(Multiply(Multiply(a, pinv), a), a, n, n), 1e-15L);
    EXPECT_LT(RelativeDifference(Multiply(Multiply(pinv, a), pinv), pinv, n, n), 1e-15L);
}

TEST(DenseProducts, MatchTripleLoops) {
    const int n = 11;
    const Tmatrix v = RandomMatrix(n, n, 1), u = RandomMatrix(n, n, 2);
    const Tvector w = test::RandomVector(n, 3), b = test::RandomVector(n, 4);
    Tmatrix out(n, Tvector(n, 0.0L));
    ASSERT_TRUE(PseudoInverseRows(out, v, u, n - 1, 2, 6, w));
    Tvector x(n, 0.0L);
    ASSERT_TRUE(MatrixVectorRows(x, b, out, n - 1, 2, 6));
    for (int i = 0; i < n; ++i) {
        Real xi = 0;
        for (int r = 0; r < n; ++r) {
            Real s = 0;
            for (int k = 0; k < n; ++k) s += v[i][k] * w[k] * u[r][k];
            if (i < 2 || i > 6) {
                EXPECT_EQ(out[i][r], 0);
            } else {
                EXPECT_EQ(out[i][r], s);  // same sequence of operations
            }
            xi += out[i][r] * b[r];
        }
        EXPECT_EQ(x[i], (i < 2 || i > 6) ? 0 : xi);
    }
    EXPECT_FALSE(PseudoInverseRows(out, v, u, n, 2, 6, w));
    EXPECT_FALSE(MatrixVectorRows(x, b, out, n - 1, 2, n));
    EXPECT_FALSE(PseudoInverseRows(out, v, u, n - 1, 6, 2, w));  // (last, first)
    EXPECT_FALSE(MatrixVectorRows(x, b, out, n - 1, 6, 2));
}

}  // namespace
}  // namespace vertano
