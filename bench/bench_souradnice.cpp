#include <benchmark/benchmark.h>

#include <string>

#include "data/SouradniceKontrola.h"
#include "data/Tchyby.h"
#include "data/Tsouradnice.h"

namespace {

using namespace vertano;

// A list of n points on a grid with every tenth point repeated, so the checks
// find groups and the sort has ties to keep in order.
Tsouradnice Sit(int n) {
    Tsouradnice s;
    for (int i = 0; i < n; ++i) {
        Tbod b = Tbod::Prazdny();
        const int j = i % 10 == 9 ? i - 1 : i;
        b.cislo = std::to_string(j);
        b.X = 1000 + (j % 100) * 25;
        b.Y = 2000 + (j / 100) * 25;
        b.Z = 300;
        b.JePlny = true;
        s.PridejBod(b);
    }
    return s;
}

void BM_KontrolaSouradnic(benchmark::State& state) {
    Tsouradnice s = Sit(static_cast<int>(state.range(0)));
    Tchyby chyby;
    for (auto _ : state) {
        KontrolaSouradnic(s, kBodyVstupFixni, chyby);
        benchmark::DoNotOptimize(chyby.souradniceFixniCekovyPocetChyb);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_KontrolaSouradnic)->Range(1 << 8, 1 << 16)->Complexity();

void BM_SortDleCisla(benchmark::State& state) {
    const Tsouradnice vzor = Sit(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        Tsouradnice s = vzor;
        s.Sort(Tsouradnice::kCislo);
        benchmark::DoNotOptimize(s.bod.data());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_SortDleCisla)->Range(1 << 8, 1 << 16)->Complexity();

}  // namespace

BENCHMARK_MAIN();
