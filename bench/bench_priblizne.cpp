#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "adjustment/PriblizneSouradnice.h"
#include "data/Tnastaveni.h"
#include "processing/KontrolaMereni.h"
#include "workspace/PripravaMereni.h"
#include "workspace/Simulace.h"

// The approximate coordinates of generated grids (points 100 m apart, each a
// station observing its eight nearest neighbours in two faces and two sets,
// 0.3 mgon and 1 mm) with a few given points spread over the network, none of
// them seeing another: the constructions from the given points find nothing,
// a local system carries the whole network and the refinement removes its
// drift.

namespace {

using vertano::MoznostiPriblizne;
using vertano::PrumeryMereni;
using vertano::SimulaceParametry;
using vertano::SimulovanaSit;
using vertano::Tmereni;
using vertano::Tnastaveni;
using vertano::Tsouradnice;
using vertano::VysledekPriblizne;

struct Vstup {
    SimulovanaSit sit;
    PrumeryMereni prumery;
};

const Vstup& Sit(int pocetBodu, int pocetZadanych) {
    static std::map<std::pair<int, int>, Vstup> site;
    const auto klic = std::make_pair(pocetBodu, pocetZadanych);
    auto it = site.find(klic);
    if (it != site.end()) return it->second;
    SimulaceParametry p;
    p.tvar = vertano::SimulaceTvar::Grid;
    p.pocetBodu = pocetBodu;
    p.pocetZadanych = pocetZadanych;
    p.seed = 2024;
    Vstup v;
    std::string chyba;
    if (!vertano::Simulovat(p, v.sit, chyba)) std::fprintf(stderr, "%s\n", chyba.c_str());
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tmereni surova = v.sit.mereni;
    vertano::Tchyby chyby;
    vertano::KontrolaVsehoMereni(surova, nastaveni, chyby);
    vertano::SpocitatPrumery(surova, v.prumery);
    return site.emplace(klic, std::move(v)).first->second;
}

// One computation on the set means; range(2): 0 constructions only, 1 with the
// local systems, 2 with the local systems and the refinement.
void BM_VypocetPriblizneSouradnice(benchmark::State& state) {
    const Vstup& v = Sit(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    MoznostiPriblizne moznosti;
    moznosti.lokalniSystemy = state.range(2) >= 1;
    moznosti.zpresnit = state.range(2) >= 2;
    int urceno = 0;
    for (auto _ : state) {
        Tsouradnice body = v.sit.zadane;
        VysledekPriblizne historie;
        vertano::VypocetPriblizneSouradnice(body, v.prumery.skupiny, v.prumery.cislaBodu, historie,
                                            moznosti);
        urceno = body.PocetPlnychBodu();
    }
    state.counters["determined"] = urceno;
}
BENCHMARK(BM_VypocetPriblizneSouradnice)
    ->Args({1000, 3, 0})
    ->Args({1000, 3, 1})
    ->Args({1000, 3, 2})
    ->Args({1000, 200, 2})
    ->Unit(benchmark::kMillisecond);

// What the raw-data analysis does: the computation on the set means, the
// reduction of the means with those coordinates, the computation on the reduced
// means.
void BM_PribliznePoRedukci(benchmark::State& state) {
    const Vstup& v = Sit(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Tnastaveni nastaveni;
    nastaveni.Default();
    int urceno = 0;
    for (auto _ : state) {
        Tsouradnice body;
        VysledekPriblizne historie;
        vertano::PribliznePoRedukci(v.sit.zadane, v.prumery.skupiny, Tsouradnice{}, nastaveni, body,
                                    historie);
        urceno = body.PocetPlnychBodu();
    }
    state.counters["points"] = urceno;
}
BENCHMARK(BM_PribliznePoRedukci)->Args({1000, 3})->Args({3000, 3})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
