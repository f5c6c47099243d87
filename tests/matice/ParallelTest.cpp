// Row splits, the worker runner and the threaded products of the normal
// equations: results must not depend on the number of threads, and a failing
// worker must fail the whole operation without hanging it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <limits>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "Reference.h"
#include "matice/Matrix2.h"

namespace vertano {
namespace {

using test::RandomDesign;
using test::RandomSpd;
using test::RandomVector;

const int kThreadCounts[] = {1, 2, 3, 8};

TEST(Splits, WorkedExamples) {
    int t = 4;
    EXPECT_EQ(SplitEven(10, t), (TindexVector{0, 3, 6, 8, 10}));
    EXPECT_EQ(t, 4);
    EXPECT_EQ(SplitTriangular(10, t), (TindexVector{0, 2, 4, 7, 10}));
    t = 8;
    EXPECT_EQ(SplitTriangular(9, t), (TindexVector{0, 1, 2, 3, 4, 6, 9, 9, 9}));
    EXPECT_EQ(t, 8);
}

TEST(Splits, MoreThreadsThanRowsGiveOneRowEach) {
    int t = 12;
    EXPECT_EQ(SplitEven(5, t), (TindexVector{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(t, 5);
    t = 12;
    EXPECT_EQ(SplitTriangular(5, t).size(), 6u);
    EXPECT_EQ(t, 5);
}

TEST(Splits, CountsBelowOneOrAboveAByteAreClamped) {
    for (const int requested : {0, -3}) {
        int t = requested;
        EXPECT_EQ(SplitTriangular(7, t), (TindexVector{0, 7}));
        EXPECT_EQ(t, 1);
        t = requested;
        EXPECT_EQ(SplitEven(7, t), (TindexVector{0, 7}));
    }
    int t = 256;
    EXPECT_EQ(SplitEven(1000, t).size(), 256u);
    EXPECT_EQ(t, 255);
    t = 3;
    EXPECT_EQ(SplitEven(0, t), (TindexVector{0, 0}));  // no rows: one empty range
    EXPECT_EQ(t, 1);
    EXPECT_EQ(ClampThreadCount(300, 2), 2);
}

TEST(Splits, BalancedSplitCoversAllRowsInOrder) {
    int t = 3;
    const TindexVector split = SplitBalanced(30, t, [](int row) { return row + 1.0; });
    ASSERT_EQ(split.size(), 4u);
    EXPECT_EQ(split.front(), 0);
    EXPECT_EQ(split.back(), 30);
    EXPECT_TRUE(std::is_sorted(split.begin(), split.end()));
    EXPECT_GT(split[1] - split[0], split[3] - split[2]);  // cheap rows first, so more of them
}

using Runner = bool (*)(const TindexVector&, const RowRangeBody&);

// The waiting runner and the one whose caller takes the first range promise the same.
const Runner kRunners[] = {
    [](const TindexVector& split, const RowRangeBody& body) { return RunRowRanges(split, body); },
    RunRowRangesHere};

TEST(RunRowRanges, EveryRangeRunsOnceAndFailureOfOneFailsAll) {
    int t = 8;
    const TindexVector split = SplitEven(100, t);
    for (const Runner run : kRunners) {
        std::vector<std::atomic<int>> visits(100);
        EXPECT_TRUE(run(split, [&](int pocatek, int konec) {
            for (int i = pocatek; i <= konec; ++i) ++visits[i];
            return true;
        }));
        for (const auto& v : visits) EXPECT_EQ(v.load(), 1);
        std::atomic<int> ranges{0};
        EXPECT_FALSE(run(split, [&](int pocatek, int) {
            ++ranges;
            return pocatek != split[3];
        }));
        EXPECT_EQ(ranges.load(), 8);
        // A failure in the range the caller may run itself counts as well.
        EXPECT_FALSE(run(split, [&](int pocatek, int) { return pocatek != 0; }));
    }
}

TEST(RunRowRanges, ThrowingBodiesAndEmptyRangesStillComplete) {
    int t = 8;
    const TindexVector split = SplitTriangular(9, t);  // last two ranges empty
    for (const Runner run : kRunners) {
        std::atomic<int> calls{0};
        EXPECT_FALSE(run(split, [&](int, int konec) -> bool {
            ++calls;
            if (konec == 8) throw std::runtime_error("worker failure");
            return true;
        }));
        EXPECT_EQ(calls.load(), 6);
        // One range runs in the calling thread; a throw there is a failure too.
        EXPECT_FALSE(run(TindexVector{0, 3}, [](int, int) -> bool { throw 1; }));
        EXPECT_FALSE(run(TindexVector{3, 1}, [](int, int) { return true; }));
        EXPECT_FALSE(run(TindexVector{0}, [](int, int) { return true; }));
    }
}

TEST(RunRowRanges, TheCallerRunsTheFirstRangeItselfAndWaitsForTheOthers) {
    const TindexVector split = {0, 0, 2, 4, 6};  // an empty range before rows 0-1
    std::mutex mutex;
    std::vector<std::pair<int, std::thread::id>> runs;
    std::atomic<int> finished{0};
    EXPECT_TRUE(RunRowRangesHere(split, [&](int pocatek, int) {
        // The workers finish late: returning early would miss them.
        std::this_thread::sleep_for(std::chrono::milliseconds(pocatek == 0 ? 0 : 20));
        {
            std::lock_guard<std::mutex> lock(mutex);
            runs.emplace_back(pocatek, std::this_thread::get_id());
        }
        ++finished;
        return true;
    }));
    EXPECT_EQ(finished.load(), 3);  // every worker done before the return
    ASSERT_EQ(runs.size(), 3u);
    for (const auto& [pocatek, id] : runs) {
        EXPECT_EQ(id == std::this_thread::get_id(), pocatek == 0) << pocatek;
    }
}

TEST(RunRowRanges, WaitingThreadCallsTheHookAndSurvivesOneThatThrows) {
    const TindexVector split = {0, 1, 2};
    std::atomic<bool> release{false};
    int hookCalls = 0;
    const auto body = [&](int, int) {
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    };
    EXPECT_TRUE(RunRowRanges(split, body, [&] {
        if (++hookCalls == 3) release = true;
    }));
    EXPECT_GE(hookCalls, 3);
    release = false;
    int throwingCalls = 0;
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        release = true;
    });
    EXPECT_TRUE(RunRowRanges(split, body, [&] {
        ++throwingCalls;
        throw std::runtime_error("repaint failed");
    }));
    releaser.join();
    EXPECT_EQ(throwingCalls, 1);
}

TEST(ParallelProducts, NormalEquationsAreBitIdenticalForEveryThreadCount) {
    const int n = 61, m = 240;
    const Tsparse s = RandomDesign(n, m, 5, 41);
    const Tvector p = RandomVector(m, 42, 0.5, 2.0);
    const Tvector l = RandomVector(m, 43);
    Tmatrix reference(n, Tvector(n));
    ASSERT_TRUE(NormalMatrixRows(reference, s, p, 0, n - 1, n));
    Tvector referenceB(n);
    ASSERT_TRUE(NormalVectorRows(referenceB, p, l, 0, n - 1, s));
    for (const int threads : kThreadCounts) {
        int t = threads;
        const TindexVector split = SplitTriangular(n, t);
        Tmatrix N(n + 1, Tvector(n + 1, 3.0L));
        Tvector b(n + 1, 3.0L);
        ASSERT_TRUE(ThreadNaplnitATPA_ATPL(N, b, s, p, l, n, split)) << threads;
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(Tvector(N[i].begin(), N[i].begin() + n), reference[i]) << threads;
            EXPECT_EQ(N[i][n], 3.0L);
        }
        EXPECT_EQ(Tvector(b.begin(), b.begin() + n), referenceB) << threads;
        Tmatrix N2(n, Tvector(n, 0.0L));
        ASSERT_TRUE(ThreadNaplnitATPA(N2, s, p, n, split));
        EXPECT_EQ(N2, reference);
    }
}

TEST(ParallelProducts, CholeskyPathProductIsBitIdenticalAndInverts) {
    const int n = 37;
    const Tmatrix a = RandomSpd(n, 51);
    Tmatrix x = a;
    Tvector d;
    ASSERT_TRUE(CholeskyDecomposition(x, d, n - 1));
    ASSERT_TRUE(TriangularInverse(x, d, n - 1));
    Tmatrix reference = x;
    ASSERT_TRUE(InverseFromTriangular(reference, n - 1, 0, n - 1));
    for (const int threads : {0, 1, 2, 3, 8}) {
        Tmatrix q = x;
        ASSERT_TRUE(ThreadSoucinLDLT(q, n - 1, threads)) << threads;
        EXPECT_EQ(q, reference) << threads;
    }
    EXPECT_LT(test::RelativeDifference(test::Multiply(a, reference), test::Identity(n), n, n),
              1e-15L);
}

TEST(ParallelProducts, LuPathColumnsAreBitIdentical) {
    const int n = 20, c = 2;
    Tmatrix bordered = RandomSpd(n + c, 61);
    for (int i = n; i < n + c; ++i) {
        for (int j = n; j < n + c; ++j) bordered[i][j] = 0;
    }
    TindexVector perm;
    ASSERT_TRUE(LUDecomposition(bordered, n + c - 1, perm));
    Tmatrix reference(n, Tvector(n, 0.0L));
    ASSERT_TRUE(LUInverseColumns(reference, bordered, perm, c, n + c - 1, 0, n - 1));
    for (const int threads : kThreadCounts) {
        for (const bool balanced : {false, true}) {
            int t = threads;
            const TindexVector split =
                balanced ? SplitInverseColumns(n, n + c, t) : SplitEven(n, t);
            Tmatrix q(n, Tvector(n, 0.0L));
            ASSERT_TRUE(ThreadSoucinLDLT(q, bordered, perm, c, n + c - 1, split)) << threads;
            EXPECT_EQ(q, reference) << threads;
        }
    }
}

// Early columns carry the longer forward pass: two threads split the columns
// near 40 % so that each gets half of the work, and every column is covered.
TEST(ParallelProducts, InverseColumnsAreSplitByTheirWork) {
    const int n = 1000;
    const auto cost = [n](int j) { return double(n) * n + double(n - j) * (n - j); };
    int threads = 2;
    const TindexVector split = SplitInverseColumns(n - 3, n, threads);
    ASSERT_EQ(threads, 2);
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[0], 0);
    EXPECT_EQ(split[2], n - 3);
    EXPECT_GT(split[1], 380);
    EXPECT_LT(split[1], 420);
    double first = 0, second = 0;
    for (int j = 0; j < n - 3; ++j) (j < split[1] ? first : second) += cost(j);
    EXPECT_NEAR(first / second, 1.0, 0.01);
    threads = 0;
    EXPECT_EQ(SplitInverseColumns(5, 7, threads), (TindexVector{0, 5}));
}

TEST(ParallelProducts, PseudoInverseAndIncrementsAreBitIdentical) {
    const int u = 27, n = 25;
    Tmatrix U = RandomSpd(u, 71), V;
    Tvector w;
    ASSERT_TRUE(SVDecomposition(U, w, V));
    ASSERT_TRUE(InvertSingularValues(w, u));
    const Tvector b = RandomVector(u, 72);
    Tmatrix reference(u, Tvector(u, 0.0L));
    ASSERT_TRUE(PseudoInverseRows(reference, V, U, u - 1, 0, n - 1, w));
    Tvector referenceDx(u, 0.0L);
    ASSERT_TRUE(MatrixVectorRows(referenceDx, b, reference, u - 1, 0, n - 1));
    for (const int threads : kThreadCounts) {
        int t = threads;
        const TindexVector split = SplitEven(n, t);
        Tmatrix N(u, Tvector(u, 0.0L));
        Tvector dx(u, 0.0L);
        ASSERT_TRUE(ThreadSoucinSVD(N, V, U, w, u - 1, dx, b, split)) << threads;
        EXPECT_EQ(N, reference) << threads;
        EXPECT_EQ(dx, referenceDx) << threads;
        Tmatrix N2(u, Tvector(u, 0.0L));
        ASSERT_TRUE(ThreadSoucinSVD(N2, V, U, w, u - 1, split));
        EXPECT_EQ(N2, reference);
    }
}

TEST(ParallelProducts, AFaultInOneWorkerFailsTheOperation) {
    const int n = 40, m = 160;
    const Tsparse s = RandomDesign(n, m, 4, 81);
    Tvector p = RandomVector(m, 82, 0.5, 2.0);
    const Tvector l = RandomVector(m, 83);
    // Overflow in the diagonal term of the last unknown only.
    Tsparse big = s;
    big.data[n - 1].back() = 3;
    p[big.index[n - 1].back()] = std::numeric_limits<Real>::max();
    for (const int threads : kThreadCounts) {
        int t = threads;
        const TindexVector split = SplitTriangular(n, t);
        Tmatrix N(n, Tvector(n, 0.0L));
        Tvector b(n, 0.0L);
        std::feclearexcept(FE_ALL_EXCEPT);
        EXPECT_FALSE(ThreadNaplnitATPA_ATPL(N, b, big, p, l, n, split)) << threads;
        EXPECT_EQ(std::fetestexcept(FpGuard::kFaults), 0);
    }
    Tmatrix x = RandomSpd(9, 84);
    x[4][7] = std::numeric_limits<Real>::quiet_NaN();  // inside X's upper triangle
    EXPECT_FALSE(ThreadSoucinLDLT(x, 8, 2));
}

TEST(ParallelProducts, SplitsOutsideTheRowsAreRefusedBeforeAnyThreadStarts) {
    const Tsparse s = RandomDesign(5, 10, 2, 91);
    const Tvector p(10, 1.0L);
    Tmatrix N(5, Tvector(5, 0.0L));
    EXPECT_FALSE(ThreadNaplnitATPA(N, s, p, 5, TindexVector{0, 3, 6}));
    EXPECT_FALSE(ThreadNaplnitATPA(N, s, p, 6, TindexVector{0, 3, 6}));
    Tmatrix small(2, Tvector(2, 0.0L));
    EXPECT_FALSE(ThreadSoucinLDLT(small, 4, 2));
}

}  // namespace
}  // namespace vertano

namespace vertano {
namespace {

// Large enough that the rows below the later column blocks are shared out.
TEST(ParallelFactorisations, LdltAndCholeskyGiveTheSameBitsForEveryThreadCount) {
    constexpr int n = 801;  // odd: the last row has no partner
    const Tmatrix a = test::RandomSpd(n, 41);
    Tmatrix l1 = a, r1 = a;
    Tvector d1, c1;
    ASSERT_TRUE(LDLTDecomposition(l1, d1, n - 1, 1));
    ASSERT_TRUE(CholeskyDecomposition(r1, c1, n - 1, 1));
    for (const int threads : {2, 3}) {
        Tmatrix l = a, r = a;
        Tvector d, c;
        ASSERT_TRUE(LDLTDecomposition(l, d, n - 1, threads)) << threads;
        ASSERT_TRUE(CholeskyDecomposition(r, c, n - 1, threads)) << threads;
        EXPECT_TRUE(l == l1 && d == d1) << threads;
        EXPECT_TRUE(r == r1 && c == c1) << threads;
    }
}

// Rows above each block of columns are shared by their cost, which shrinks
// towards the block; the split must not change a bit of X = R^-1, and an odd
// order leaves the last block short.
TEST(ParallelFactorisations, TriangularInverseGivesTheSameBitsForEveryThreadCount) {
    constexpr int n = 803;
    Tmatrix r = test::RandomSpd(n, 45);
    Tvector d;
    ASSERT_TRUE(CholeskyDecomposition(r, d, n - 1, 1));
    Tmatrix x1 = r;
    ASSERT_TRUE(TriangularInverse(x1, d, n - 1, 1));
    for (const int threads : {2, 3, 8}) {
        Tmatrix x = r;
        ASSERT_TRUE(TriangularInverse(x, d, n - 1, threads)) << threads;
        EXPECT_TRUE(x == x1) << threads;
    }
}

// A non-finite element far below the diagonal, met by a worker thread, fails
// the whole factorisation as it does in one thread.
TEST(ParallelFactorisations, CholeskyFailsInAWorkerAsInOneThread) {
    constexpr int n = 801;
    constexpr int column = 500;
    Tmatrix a = test::RandomSpd(n, 43);
    Tvector d;
    a[n - 1][column] = a[column][n - 1] = std::numeric_limits<Real>::infinity();
    for (const int threads : {1, 2}) {
        Tmatrix m = a;
        EXPECT_FALSE(CholeskyDecomposition(m, d, n - 1, threads)) << threads;
    }
}

}  // namespace
}  // namespace vertano
