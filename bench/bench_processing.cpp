#include <benchmark/benchmark.h>

#include <string>

#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "matice/Konstanty.h"
#include "mereni/Tmereni.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"

namespace {

using vertano::Real;
using vertano::Tmereni;
using vertano::Tzaznam;

Tzaznam Radek(int32_t stanovisko, int cil, bool prvni) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = stanovisko;
    z.cislo_stn = "S" + std::to_string(stanovisko);
    z.cislo_cil = std::to_string(cil);
    z.vyska_stn = z.vyska_cil = 1.5L;
    const Real smer = 0.3L * static_cast<Real>(cil % 20);
    z.smer = prvni ? smer : smer + vertano::kPi;
    z.zenit = prvni ? 1.5L : vertano::kDvePi - 1.5L;
    z.delka = 100 + cil;
    z.poloha = prvni;
    return z;
}

// Stations of `sady` sets of `cilu` targets each, in the standard order.
Tmereni Surova(int64_t stanovisek, int sady, int cilu) {
    Tmereni m;
    for (int32_t s = 1; s <= stanovisek; ++s) {
        for (int k = 0; k < sady; ++k) {
            for (int c = 0; c < cilu; ++c) m.PridejZaznam(Radek(s, c, true));
            for (int c = cilu - 1; c >= 0; --c) m.PridejZaznam(Radek(s, c, false));
        }
    }
    return m;
}

// Identification and the full check run of a raw list of many ordinary stations.
void BM_IdentifikaceAKontrola(benchmark::State& state) {
    const Tmereni surova = Surova(state.range(0), 3, 10);
    vertano::Tnastaveni nastaveni;
    nastaveni.Default();
    vertano::Tchyby chyby;
    for (auto _ : state) {
        Tmereni m = surova;
        vertano::KontrolaVsehoMereni(m, nastaveni, chyby);
        benchmark::DoNotOptimize(m.kontrola);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(surova.zaznam.size()));
}
BENCHMARK(BM_IdentifikaceAKontrola)->Arg(100)->Arg(1000);

// One station with very many sets of many targets: the work must grow with the
// rows, not with their square.
void BM_VelkeStanovisko(benchmark::State& state) {
    const Tmereni surova = Surova(1, static_cast<int>(state.range(0)), 200);
    vertano::Tnastaveni nastaveni;
    nastaveni.Default();
    vertano::Tchyby chyby;
    for (auto _ : state) {
        Tmereni m = surova;
        vertano::KontrolaVsehoMereni(m, nastaveni, chyby);
        benchmark::DoNotOptimize(m.kontrola);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(surova.zaznam.size()));
}
BENCHMARK(BM_VelkeStanovisko)->Arg(10)->Arg(100);

// Face means and set means of a checked raw list.
void BM_PrumeryPolohASkupin(benchmark::State& state) {
    Tmereni surova = Surova(state.range(0), 3, 10);
    vertano::IdentifikujSkupiny(surova);
    for (auto _ : state) {
        Tmereni prumery;
        vertano::ZpracujSkupinyPoloha(surova, prumery, 2);
        vertano::PrumerSkupin(prumery);
        benchmark::DoNotOptimize(prumery.zaznam.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(surova.zaznam.size()));
}
BENCHMARK(BM_PrumeryPolohASkupin)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
