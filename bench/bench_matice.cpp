// Throughput of the numerical core: the threaded normal-equation products on
// the design matrix of a realistic 3D network, and the dense factorisations
// and inverses of the solution. Run by hand; figures in bench/README.md.
//
// Flop counts (multiply and add counted separately): LDL^T n^3/3, LU 2n^3/3,
// inverse columns from LU 4n^3/3, Cholesky n^3/3, triangular inverse n^3/3,
// X X^T n^3/3, the whole inverse on the Cholesky path n^3, pseudo-inverse rows 2n^3, SVD a nominal
// 12n^3 (bidiagonalisation, accumulation of U and V and about two QR sweeps per singular value).
// The normal matrix counts the useful products only (3 flops per weighted term), which is tiny
// beside the n^2 elements written, so it also reports elements per second.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "matice/Kernels.h"
#include "matice/Matrix2.h"

namespace vertano {
namespace {

constexpr int kNeighbours = 8;

struct Network {
    Tsparse design;  // transposed: one row per unknown
    Tvector weights;
    Tvector reduced;
    int unknowns = 0;
    double usefulFlops = 0;
};

// Points on a jittered square grid, each a station observing its eight
// nearest grid neighbours by direction, zenith angle and slope distance.
// Unknowns: X, Y, Z of every point, then one orientation per station.
Network MakeNetwork(int unknowns) {
    const int points = unknowns / 4;
    const int side = static_cast<int>(std::ceil(std::sqrt(points)));
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> uni(-1.0, 1.0);
    Network net;
    net.unknowns = 4 * points;
    SparseSetRows(net.design, net.unknowns);
    int observation = 0;
    const auto add = [&](const std::vector<int>& touched) {
        std::vector<int> rows = touched;
        std::sort(rows.begin(), rows.end());
        for (const int r : rows) {
            if (!SparseAppend(net.design, observation, r, uni(gen))) std::abort();
        }
        const double k = static_cast<double>(rows.size());
        net.usefulFlops += 3 * k * (k + 1) / 2 + 3 * k;
        ++observation;
    };
    const int offsets[kNeighbours][2] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                         {0, 1},   {1, -1}, {1, 0},  {1, 1}};
    for (int s = 0; s < points; ++s) {
        const int row = s / side, col = s % side;
        for (const auto& o : offsets) {
            int t = (row + o[0]) * side + (col + o[1]);
            if (row + o[0] < 0 || col + o[1] < 0 || col + o[1] >= side || t >= points) {
                t = (s + 1 + (o[0] + 1) * 3 + o[1] + 1) % points;  // edge: someone else
            }
            if (t == s) t = (s + 1) % points;
            const int xs = 3 * s, xt = 3 * t, orientation = 3 * points + s;
            add({xs, xs + 1, xt, xt + 1, orientation});     // direction
            add({xs, xs + 1, xs + 2, xt, xt + 1, xt + 2});  // zenith angle
            add({xs, xs + 1, xs + 2, xt, xt + 1, xt + 2});  // slope distance
        }
    }
    net.weights.resize(observation);
    net.reduced.resize(observation);
    for (int c = 0; c < observation; ++c) {
        net.weights[c] = 0.5 + uni(gen) * 0.25;
        net.reduced[c] = uni(gen) * 1e-3;
    }
    return net;
}

// Dense, diagonally dominant and so symmetric positive definite.
Tmatrix MakeSpd(int n) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> uni(-1.0, 1.0);
    Tmatrix a(n, Tvector(n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < i; ++j) a[i][j] = a[j][i] = uni(gen);
        a[i][i] = n;
    }
    return a;
}

void SetFlops(benchmark::State& state, double flopsPerIteration) {
    state.counters["GFLOP/s"] = benchmark::Counter(flopsPerIteration * 1e-9 * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}

double Cube(benchmark::State& state) {
    const double n = static_cast<double>(state.range(0));
    return n * n * n;
}

void BM_NormalMatrixRows(benchmark::State& state) {
    const Network net = MakeNetwork(static_cast<int>(state.range(0)));
    const int n = net.unknowns;
    int threads = static_cast<int>(state.range(1));
    const TindexVector split = SplitTriangular(n, threads);
    Tmatrix N(n, Tvector(n));
    Tvector b(n);
    for (auto _ : state) {
        // The adjustment zeroes the normal equations before it forms them; a
        // matrix left over from the previous iteration would already hold
        // the result, which the product would only read.
        state.PauseTiming();
        for (Tvector& row : N) std::fill(row.begin(), row.end(), Real{0});
        state.ResumeTiming();
        if (!ThreadNaplnitATPA_ATPL(N, b, net.design, net.weights, net.reduced, n, split)) {
            state.SkipWithError("normal equations failed");
        }
        benchmark::DoNotOptimize(N[n - 1][n - 1]);
    }
    SetFlops(state, net.usefulFlops);
    state.counters["Melem/s"] = benchmark::Counter(
        1e-6 * n * static_cast<double>(n) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_Ldlt(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Tmatrix a = MakeSpd(n);
    Tvector d;
    for (auto _ : state) {
        state.PauseTiming();
        Tmatrix m = a;
        state.ResumeTiming();
        if (!LDLTDecomposition(m, d, n - 1, static_cast<int>(state.range(1)))) {
            state.SkipWithError("LDLT failed");
        }
    }
    SetFlops(state, Cube(state) / 3);
}

void BM_Lu(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Tmatrix a = MakeSpd(n);
    TindexVector perm;
    for (auto _ : state) {
        state.PauseTiming();
        Tmatrix m = a;
        state.ResumeTiming();
        if (!LUDecomposition(m, n - 1, perm)) state.SkipWithError("LU failed");
    }
    SetFlops(state, 2 * Cube(state) / 3);
}

// Columns of the inverse from the LU factors by the threads (the inverse of a
// network with datum conditions): about n^3/6 multiply-adds forward (the unit
// vectors' leading zeros are skipped) and n^3/2 backward.
void BM_LuInverse(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Tmatrix m = MakeSpd(n);
    TindexVector perm;
    if (!LUDecomposition(m, n - 1, perm)) std::abort();
    int threads = static_cast<int>(state.range(1));
    const TindexVector split = SplitInverseColumns(n, n, threads);
    Tmatrix q(n, Tvector(n));
    for (auto _ : state) {
        if (!ThreadSoucinLDLT(q, m, perm, 0, n - 1, split))
            state.SkipWithError("LU inverse failed");
    }
    SetFlops(state, 4 * Cube(state) / 3);
}

// Cholesky and the triangular inverse (2n^3/3), and with X X^T the whole
// inverse as the adjustment forms the covariance matrix (n^3).
void CholeskyPath(benchmark::State& state, bool product) {
    const int n = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    const Tmatrix a = MakeSpd(n);
    Tvector d;
    for (auto _ : state) {
        state.PauseTiming();
        Tmatrix m = a;
        state.ResumeTiming();
        if (!CholeskyDecomposition(m, d, n - 1, threads) ||
            !TriangularInverse(m, d, n - 1, threads) ||
            (product && !ThreadSoucinLDLT(m, n - 1, threads))) {
            state.SkipWithError("inverse failed");
        }
    }
    SetFlops(state, (product ? 3 : 2) * Cube(state) / 3);
}

void BM_CholeskyTriangularInverse(benchmark::State& state) {
    CholeskyPath(state, false);
}

void BM_CholeskyInverse(benchmark::State& state) {
    CholeskyPath(state, true);
}

// X X^T by the threads, the parallel part of the inverse.
void BM_InverseProduct(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    Tmatrix x = MakeSpd(n);
    Tvector d;
    if (!CholeskyDecomposition(x, d, n - 1) || !TriangularInverse(x, d, n - 1)) std::abort();
    for (auto _ : state) {
        state.PauseTiming();
        Tmatrix m = x;
        state.ResumeTiming();
        if (!ThreadSoucinLDLT(m, n - 1, static_cast<int>(state.range(1)))) {
            state.SkipWithError("X X^T failed");
        }
    }
    SetFlops(state, Cube(state) / 3);
}

void BM_Svd(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const int threads = static_cast<int>(state.range(1));
    const Tmatrix a = MakeSpd(n);
    for (auto _ : state) {
        state.PauseTiming();
        Tmatrix u = a, v(n, Tvector(n, 0.0L));
        Tvector w;
        state.ResumeTiming();
        if (!SVDecomposition(u, w, v, threads)) state.SkipWithError("SVD failed");
    }
    SetFlops(state, 12 * Cube(state));
}

// The product does not care where U, V and w come from; an SVD of the size
// would take minutes to set up.
void BM_PseudoInverse(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const Tmatrix u = MakeSpd(n), v = MakeSpd(n);
    const Tvector w(n, 0.5L);
    int threads = static_cast<int>(state.range(1));
    const TindexVector split = SplitEven(n, threads);
    Tmatrix N(n, Tvector(n));
    for (auto _ : state) {
        if (!ThreadSoucinSVD(N, v, u, w, n - 1, split))
            state.SkipWithError("pseudo-inverse failed");
    }
    SetFlops(state, 2 * Cube(state));
}

// What the machine gives: the two-by-two kernel of the factorisations on
// rows that stay in the first-level cache, in one thread or in two at once,
// with 80-bit operands on both sides (range(1) = 0) or split pairs on one
// side (1), as the dense routines use it. They cannot beat the second figure
// per thread.
void BM_KernelPeak(benchmark::State& state) {
    const int threads = static_cast<int>(state.range(0));
    const bool split = state.range(1) != 0;
    constexpr int kLength = 500;
    constexpr int kRepeats = 20000;
    const auto work = [split] {
        Tmatrix rows(4, Tvector(kLength, 1.0000001L));
        detail::SplitRows pairs(2, kLength);
        pairs.Set(0, rows[2].data(), 0, kLength);
        pairs.Set(1, rows[3].data(), 0, kLength);
        Real total = 0;
        for (int r = 0; r < kRepeats; ++r) {
            const auto s = split ? detail::Dot2x2(rows[0].data(), rows[1].data(), pairs.Row(0),
                                                  pairs.Row(1), 0, kLength)
                                 : detail::Dot2x2(rows[0].data(), rows[1].data(), rows[2].data(),
                                                  rows[3].data(), 0, kLength);
            total += s.s00 + s.s11;
        }
        benchmark::DoNotOptimize(total);
    };
    for (auto _ : state) {
        std::vector<std::thread> pool;
        for (int t = 0; t < threads; ++t) pool.emplace_back(work);
        for (auto& t : pool) t.join();
    }
    SetFlops(state, 8.0 * kLength * kRepeats * threads);
}

void Threaded(benchmark::internal::Benchmark* b, std::initializer_list<int> sizes) {
    for (const int n : sizes) {
        for (const int t : {1, 2}) b->Args({n, t});
    }
    b->UseRealTime()->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}

BENCHMARK(BM_KernelPeak)
    ->ArgsProduct({{1, 2}, {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NormalMatrixRows)->Apply([](auto* b) { Threaded(b, {1000, 3000, 6000}); });
BENCHMARK(BM_Ldlt)->Apply([](auto* b) { Threaded(b, {300, 1000, 2000}); });
BENCHMARK(BM_Lu)->Arg(300)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LuInverse)->Apply([](auto* b) { Threaded(b, {300, 1000, 2000}); });
BENCHMARK(BM_CholeskyTriangularInverse)->Apply([](auto* b) { Threaded(b, {300, 1000, 2000}); });
BENCHMARK(BM_CholeskyInverse)->Apply([](auto* b) { Threaded(b, {1000, 2000}); });
BENCHMARK(BM_InverseProduct)->Apply([](auto* b) { Threaded(b, {300, 1000, 2000}); });
BENCHMARK(BM_Svd)->Apply([](auto* b) {
    Threaded(b, {300, 1000, 2000});
    b->Iterations(1);
});
BENCHMARK(BM_PseudoInverse)->Apply([](auto* b) { Threaded(b, {300, 1000, 2000}); });

}  // namespace
}  // namespace vertano

BENCHMARK_MAIN();
