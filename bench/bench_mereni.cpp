#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "mereni/Tmereni.h"

namespace {

using vertano::Tmereni;
using vertano::Tzaznam;

// A raw list of `pocet` rows: stations of 20 pointings to a pool of targets.
Tmereni Seznam(int64_t pocet) {
    std::mt19937 gen(1);
    std::uniform_int_distribution<int> cil(1, 500);
    std::uniform_real_distribution<double> uhel(0, 6.28);
    Tmereni m;
    for (int64_t i = 0; i < pocet; ++i) {
        Tzaznam z = Tzaznam::Prazdny();
        z.poradi = static_cast<int32_t>(i / 20 + 1);
        z.cislo_stn = "S" + std::to_string(z.poradi);
        z.cislo_cil = std::to_string(cil(gen));
        z.smer = uhel(gen);
        z.zenit = uhel(gen);
        z.poloha = z.zenit <= 3.14159;
        m.PridejZaznam(z);
    }
    return m;
}

void BM_SortBySmer(benchmark::State& state) {
    const Tmereni puvodni = Seznam(state.range(0));
    for (auto _ : state) {
        Tmereni m = puvodni;
        m.Sort(10);
        benchmark::DoNotOptimize(m.zaznam.data());
    }
}
BENCHMARK(BM_SortBySmer)->Arg(1000)->Arg(50000);

void BM_SortByPoloha(benchmark::State& state) {
    const Tmereni puvodni = Seznam(state.range(0));
    for (auto _ : state) {
        Tmereni m = puvodni;
        m.Sort(4);
        benchmark::DoNotOptimize(m.zaznam.data());
    }
}
BENCHMARK(BM_SortByPoloha)->Arg(1000)->Arg(50000);

void BM_PoradiBoduPriradit(benchmark::State& state) {
    Tmereni m = Seznam(state.range(0));
    std::vector<std::string> jmena;
    for (auto _ : state) benchmark::DoNotOptimize(m.PoradiBoduPriradit(jmena));
}
BENCHMARK(BM_PoradiBoduPriradit)->Arg(50000);

}  // namespace

BENCHMARK_MAIN();
