// The sparse LDL^T, its selected inverse and the sparse normal equations with a
// datum, held against dense inverses computed here by Gauss-Jordan.

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <vector>

#include "Reference.h"
#include "matice/ConjugateGradients.h"
#include "matice/SparseLdlt.h"
#include "matice/SparseNormalSolver.h"

namespace vertano::test {
namespace {

// Inverse by Gauss-Jordan with partial pivoting: a reference that shares no
// code with the factorisations.
Tmatrix GaussJordanInverse(Tmatrix a) {
    const int n = static_cast<int>(a.size());
    Tmatrix x = Identity(n);
    for (int c = 0; c < n; ++c) {
        int p = c;
        for (int r = c + 1; r < n; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
        }
        std::swap(a[p], a[c]);
        std::swap(x[p], x[c]);
        const Real pivot = a[c][c];
        for (int k = 0; k < n; ++k) {
            a[c][k] /= pivot;
            x[c][k] /= pivot;
        }
        for (int r = 0; r < n; ++r) {
            if (r == c || a[r][c] == 0) continue;
            const Real f = a[r][c];
            for (int k = 0; k < n; ++k) {
                a[r][k] -= f * a[c][k];
                x[r][k] -= f * x[c][k];
            }
        }
    }
    return x;
}

SparseSymmetric LowerOf(const Tmatrix& N) {
    SparseSymmetric s;
    s.n = static_cast<int32_t>(N.size());
    s.start.push_back(0);
    for (int j = 0; j < s.n; ++j) {
        for (int i = j; i < s.n; ++i) {
            if (N[i][j] == 0 && i != j) continue;
            s.row.push_back(i);
            s.value.push_back(N[i][j]);
        }
        s.start.push_back(static_cast<int32_t>(s.row.size()));
    }
    return s;
}

// A^T P A, dense.
Tmatrix DenseNormal(const Tsparse& At, const Tvector& p, int m) {
    const Tmatrix A = DenseDesign(At, m);
    const int n = static_cast<int>(At.data.size());
    Tmatrix N(n, Tvector(n, 0));
    for (int k = 0; k < m; ++k) {
        for (int i = 0; i < n; ++i) {
            if (A[k][i] == 0) continue;
            for (int j = 0; j < n; ++j) N[i][j] += A[k][i] * p[k] * A[k][j];
        }
    }
    return N;
}

// A plane network: every point of a k x k grid has the unknowns x, y and
// observes its right and upper neighbours with two equations of random
// coefficients, station and target with opposite signs, so that the
// observations see no translation (the datum defect of a free network). The
// point `cut`, when given, keeps only one equation: its x against the next
// point's, so that nothing determines its y.
struct GridNetwork {
    Tsparse At;
    Tvector p;
    Tvector l;
    int n = 0;
    int m = 0;
};

GridNetwork Grid(int k, unsigned seed, int cut = -1) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> uni(0.3, 1.0);
    GridNetwork g;
    g.n = 2 * k * k;
    std::vector<std::vector<std::pair<int, Real>>> rows;
    for (int i = 0; i < k * k; ++i) {
        const int neighbours[2] = {i % k + 1 < k ? i + 1 : -1, i + k < k * k ? i + k : -1};
        for (const int t : neighbours) {
            if (t < 0 || i == cut || t == cut) continue;
            for (int e = 0; e < 2; ++e) {
                const Real cx = uni(gen) * (e == 0 ? 1 : -0.4);
                const Real cy = uni(gen) * (e == 0 ? 0.3 : 1);
                rows.push_back({{2 * i, cx}, {2 * i + 1, cy}, {2 * t, -cx}, {2 * t + 1, -cy}});
            }
        }
    }
    if (cut >= 0) rows.push_back({{2 * cut, 1}, {2 * cut + 2, -1}});
    g.m = static_cast<int>(rows.size());
    g.At.data.resize(g.n);
    g.At.index.resize(g.n);
    for (int r = 0; r < g.m; ++r) {
        std::sort(rows[r].begin(), rows[r].end());
        for (const auto& [j, a] : rows[r]) {
            g.At.data[j].push_back(a);
            g.At.index[j].push_back(r);
        }
        g.p.push_back(uni(gen) * 1e6L);
        g.l.push_back(uni(gen) - 0.5);
    }
    return g;
}

TEST(SparseLdlt, SolvesAndItsSelectedInverseEqualsTheDenseInverse) {
    const int n = 150;
    const int m = 500;
    const Tsparse At = RandomDesign(n, m, 4, 7);
    const Tvector p = RandomVector(m, 8, 0.5, 2.0);
    const Tmatrix N = DenseNormal(At, p, m);
    const Tmatrix Q = GaussJordanInverse(N);
    const Tvector b = RandomVector(n, 9);
    for (const auto ordering :
         {SparseLdlt::Ordering::NestedDissection, SparseLdlt::Ordering::MinimumDegree}) {
        SparseLdlt ldlt;
        ldlt.Prefer(ordering);
        ASSERT_TRUE(ldlt.Factor(LowerOf(N)));
        EXPECT_EQ(ldlt.UsedOrdering(), ordering);
        Tvector x = b;
        ASSERT_TRUE(ldlt.Result().Solve(x));
        Tvector expected(n, 0);
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) expected[i] += Q[i][j] * b[j];
        }
        EXPECT_LT(RelativeDifference(x, expected, n), 1e-16L);

        SelectedInverse z;
        ASSERT_TRUE(z.Compute(ldlt.Result()));
        int found = 0;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                Real zij = 0;
                const bool inPattern = z.Find(ldlt.Result(), i, j, zij);
                // Every pair that N couples lies in the pattern of the factor.
                if (N[i][j] != 0) {
                    EXPECT_TRUE(inPattern) << i << " " << j;
                }
                if (!inPattern) continue;
                ++found;
                EXPECT_LE(std::fabs(zij - Q[i][j]), 1e-16L * std::sqrt(Q[i][i] * Q[j][j]))
                    << i << " " << j;
            }
        }
        EXPECT_GT(found, n);
    }
}

// A^T P A of a grid, x and y of its first point held (positive definite),
// assembled entry by entry.
SparseSymmetric HeldGridNormal(const GridNetwork& g) {
    std::vector<std::map<int, Real>> columns(g.n);
    std::vector<std::vector<std::pair<int, Real>>> rows(g.m);
    for (int j = 0; j < g.n; ++j) {
        for (std::size_t e = 0; e < g.At.index[j].size(); ++e) {
            rows[g.At.index[j][e]].emplace_back(j, g.At.data[j][e]);
        }
    }
    for (int k = 0; k < g.m; ++k) {
        for (const auto& [i, ai] : rows[k]) {
            for (const auto& [j, aj] : rows[k]) {
                if (i >= j && j > 1) columns[j][i] += ai * g.p[k] * aj;
            }
        }
    }
    SparseSymmetric N;
    N.n = g.n;
    N.start.push_back(0);
    for (int j = 0; j < g.n; ++j) {
        if (j <= 1) columns[j] = {{j, 1}};
        for (const auto& [i, v] : columns[j]) {
            N.row.push_back(i);
            N.value.push_back(v);
        }
        N.start.push_back(static_cast<int32_t>(N.row.size()));
    }
    return N;
}

TEST(SparseLdlt, TheFactorAndItsSelectedInverseAreTheSameBitsOnAnyNumberOfThreads) {
    const GridNetwork g = Grid(40, 5);
    const SparseSymmetric N = HeldGridNormal(g);
    SparseLdlt ldlt;
    ASSERT_TRUE(ldlt.Factor(N, 1));
    ASSERT_GT(ldlt.Result().value.size(), 20000U);  // large enough to be shared
    for (const int threads : {2, 3}) {
        SparseLdlt shared;
        ASSERT_TRUE(shared.Factor(N, threads));
        EXPECT_EQ(shared.Result().value, ldlt.Result().value) << threads << " threads";
        EXPECT_EQ(shared.Result().d, ldlt.Result().d) << threads << " threads";
    }
    SelectedInverse one;
    ASSERT_TRUE(one.Compute(ldlt.Result(), 1));
    for (const int threads : {2, 3}) {
        SelectedInverse many;
        ASSERT_TRUE(many.Compute(ldlt.Result(), threads));
        int differ = 0;
        for (int i = 0; i < g.n; ++i) {
            for (int j = 0; j <= i; ++j) {
                Real a = 0;
                Real b = 0;
                if (one.Find(ldlt.Result(), i, j, a) &&
                    (!many.Find(ldlt.Result(), i, j, b) || a != b))
                    ++differ;
            }
        }
        EXPECT_EQ(differ, 0) << threads << " threads";
    }
}

TEST(SparseLdlt, ADefectIsNamedTheSameOnAnyNumberOfThreads) {
    // The point 700 keeps one equation: nothing determines its y.
    const SparseSymmetric N = HeldGridNormal(Grid(40, 6, 700));
    for (const int threads : {1, 2, 3}) {
        SparseLdlt ldlt;
        EXPECT_FALSE(ldlt.Factor(N, threads));
        EXPECT_EQ(ldlt.DefectUnknown(), 2 * 700 + 1) << threads << " threads";
    }
}

TEST(ConjugateGradients, OnTheFactorOfOtherWeightsReachEveryUnknownWithinItsPrecision) {
    GridNetwork g = Grid(20, 3);
    const SparseSymmetric N = HeldGridNormal(g);
    std::mt19937 gen(4);
    std::uniform_real_distribution<double> change(0.7, 1.3);
    for (Real& p : g.p) p *= change(gen);
    const SparseSymmetric moved = HeldGridNormal(g);
    SparseLdlt old;
    SparseLdlt now;
    ASSERT_TRUE(old.Factor(N));
    ASSERT_TRUE(now.Factor(moved));
    SelectedInverse q;
    ASSERT_TRUE(q.Compute(now.Result()));
    const Tvector b = RandomVector(g.n, 21, -1e6, 1e6);
    Tvector direct = b;
    ASSERT_TRUE(now.Result().Solve(direct));
    const Preconditioner M(old.Result());
    Tvector x;
    const CgResult r = PreconditionedCg(moved, old.Result(), M, b, x, 60, 1e-10L);
    ASSERT_TRUE(r.converged);
    EXPECT_GT(r.iterations, 1);
    for (int i = 0; i < g.n; ++i) {
        Real qii = 0;
        ASSERT_TRUE(q.Find(now.Result(), i, i, qii));
        EXPECT_LE(std::fabs(x[i] - direct[i]), 1e-10L * std::sqrt(qii)) << i;
    }
    // Too few steps allowed: said so, for the caller to factor instead.
    EXPECT_FALSE(PreconditionedCg(moved, old.Result(), M, b, x, 1, 1e-10L).converged);
}

TEST(SparseLdlt, AnalysesEachPatternOnceAndCopiesCarryTheFactor) {
    const int n = 60;
    const Tsparse At = RandomDesign(n, 200, 3, 11);
    const Tvector p = RandomVector(200, 12, 0.5, 2.0);
    SparseSymmetric N = LowerOf(DenseNormal(At, p, 200));
    SparseLdlt ldlt;
    ASSERT_TRUE(ldlt.Factor(N));
    for (Real& v : N.value) v *= 3;
    ASSERT_TRUE(ldlt.Factor(N));
    EXPECT_EQ(ldlt.Analyses(), 1);

    SparseLdlt copy = ldlt;
    EXPECT_EQ(copy.Result().value, ldlt.Result().value);
    ASSERT_TRUE(copy.Factor(N));  // the copy analyses for itself
    EXPECT_EQ(copy.Analyses(), 2);
    EXPECT_EQ(copy.Result().value, ldlt.Result().value);

    const SparseSymmetric other = LowerOf(DenseNormal(RandomDesign(n, 200, 3, 13), p, 200));
    ASSERT_TRUE(ldlt.Factor(other));
    EXPECT_EQ(ldlt.Analyses(), 2);
}

TEST(SparseLdlt, APivotSmallForItsOwnDiagonalIsADefectWhateverTheScale) {
    // A path of differences x_{i+1} - x_i: singular by one translation.
    const int n = 30;
    Tmatrix path(n, Tvector(n, 0));
    for (int i = 0; i + 1 < n; ++i) {
        path[i][i] += 1e8L;
        path[i + 1][i + 1] += 1e8L;
        path[i][i + 1] -= 1e8L;
        path[i + 1][i] -= 1e8L;
    }
    SparseLdlt ldlt;
    EXPECT_FALSE(ldlt.Factor(LowerOf(path)));
    EXPECT_GE(ldlt.DefectUnknown(), 0);

    // Anchored, the same path is regular at any scale: the test is relative.
    for (const Real scale : {1e-30L, 1.0L, 1e30L}) {
        Tmatrix anchored = path;
        anchored[0][0] += 1e8L;
        for (auto& row : anchored) {
            for (Real& v : row) v *= scale;
        }
        EXPECT_TRUE(ldlt.Factor(LowerOf(anchored))) << static_cast<double>(scale);
        EXPECT_EQ(ldlt.DefectUnknown(), -1);
    }

    // An unknown that no observation reaches is named.
    Tmatrix lone = path;
    lone[0][0] += 1e8L;
    lone.push_back(Tvector(n + 1, 0));
    for (int i = 0; i < n; ++i) lone[i].push_back(0);
    EXPECT_FALSE(ldlt.Factor(LowerOf(lone)));
    EXPECT_EQ(ldlt.DefectUnknown(), n);
}

// The bordered matrix [N C^T; C 0] inverted densely: the datum the conditions
// give to a singular N.
struct Bordered {
    Tvector x;
    Tmatrix Q;
};

Bordered BorderedSolution(const GridNetwork& g, const Tmatrix& C) {
    const int n = g.n;
    const int d = static_cast<int>(C.size());
    Tmatrix K = DenseNormal(g.At, g.p, g.m);
    for (auto& row : K) row.resize(n + d, 0);
    K.resize(n + d, Tvector(n + d, 0));
    for (int a = 0; a < d; ++a) {
        for (int j = 0; j < n; ++j) K[n + a][j] = K[j][n + a] = C[a][j];
    }
    const Tmatrix Ki = GaussJordanInverse(K);
    const Tmatrix A = DenseDesign(g.At, g.m);
    Tvector b(n + d, 0);
    for (int k = 0; k < g.m; ++k) {
        for (int j = 0; j < n; ++j) b[j] += A[k][j] * g.p[k] * g.l[k];
    }
    Bordered r;
    r.x.assign(n, 0);
    r.Q.assign(n, Tvector(n, 0));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n + d; ++j) r.x[i] += Ki[i][j] * b[j];
        for (int j = 0; j < n; ++j) r.Q[i][j] = Ki[i][j];
    }
    return r;
}

TEST(SparseNormalSolver, HeldUnknownsMovedByTheSimilarityTransformationEqualTheBorderedMatrix) {
    const GridNetwork g = Grid(7, 21);
    // The translations are the defect; the conditions weight the points
    // unequally, so that they differ from the defect vectors themselves.
    Tmatrix G(2, Tvector(g.n, 0));
    Tmatrix C(2, Tvector(g.n, 0));
    for (int i = 0; i < g.n / 2; ++i) {
        G[0][2 * i] = G[1][2 * i + 1] = 1;
        C[0][2 * i] = 1 + 0.1L * (i % 3);
        C[1][2 * i + 1] = 1 + 0.2L * (i % 4);
    }
    const Bordered ref = BorderedSolution(g, C);

    NormalSystem s{&g.At, &g.p, &g.l, g.n, g.m, &C, &G};
    SparseNormalSolver solver;
    ASSERT_TRUE(solver.Assemble(s)) << solver.Error();
    EXPECT_EQ(solver.HeldUnknowns().size(), 2u);
    Tvector dx;
    ASSERT_TRUE(solver.Solve(s, dx)) << solver.Error();
    EXPECT_LT(RelativeDifference(dx, ref.x, g.n), 1e-15L);

    Tvector q;
    ASSERT_TRUE(solver.Cofactors(s, q)) << solver.Error();
    Tmatrix Q;
    ASSERT_TRUE(solver.CofactorMatrix(g.n, Q));
    EXPECT_LT(RelativeDifference(Q, ref.Q, g.n, g.n), 1e-14L);
    Real worst = 0;
    for (int i = 0; i < g.n; ++i) {
        for (int j = 0; j < g.n; ++j) {
            Real qij = 0;
            ASSERT_TRUE(solver.Cofactor(i, j, qij));
            worst = std::max(worst, std::fabs(qij - ref.Q[i][j]) / MaxAbs(ref.Q));
        }
    }
    EXPECT_LT(worst, 1e-14L);
    const Tmatrix A = DenseDesign(g.At, g.m);
    for (int k = 0; k < g.m; ++k) {
        Real expected = 0;
        for (int i = 0; i < g.n; ++i) {
            for (int j = 0; j < g.n; ++j) expected += A[k][i] * ref.Q[i][j] * A[k][j];
        }
        EXPECT_NEAR(static_cast<double>(q[k] / expected), 1, 1e-12) << k;
    }
}

TEST(SparseNormalSolver, DatumVectorsTheObservationsSeeAreRefusedAndADefectBeyondThemNamed) {
    GridNetwork g = Grid(4, 5);
    Tmatrix G(2, Tvector(g.n, 0));
    for (int i = 0; i < g.n / 2; ++i) {
        G[0][2 * i] = 1;
        G[1][2 * i + 1] = 1 + i;  // not a translation: the observations see it
    }
    const Tmatrix C = G;
    NormalSystem s{&g.At, &g.p, &g.l, g.n, g.m, &C, &G};
    SparseNormalSolver solver;
    EXPECT_FALSE(solver.Assemble(s));
    EXPECT_EQ(solver.Failure(), SolverFailure::Unresolvable);

    // With the translations as datum, one point cut off from the others but
    // for its x: its y is a defect beyond the datum.
    const int cut = 5;
    g = Grid(4, 5, cut);
    for (int i = 0; i < g.n / 2; ++i) G[1][2 * i + 1] = 1;
    G[0].assign(g.n, 0);
    for (int i = 0; i < g.n / 2; ++i) G[0][2 * i] = 1;
    const Tmatrix C2 = G;
    const NormalSystem s2{&g.At, &g.p, &g.l, g.n, g.m, &C2, &G};
    ASSERT_TRUE(solver.Assemble(s2)) << solver.Error();
    Tvector dx;
    EXPECT_FALSE(solver.Solve(s2, dx));
    EXPECT_EQ(solver.Failure(), SolverFailure::Defect);
    EXPECT_EQ(solver.DefectUnknown(), 2 * cut + 1);
}

}  // namespace
}  // namespace vertano::test
