#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

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
    // The set means reduced to the marks and the level with the true
    // coordinates: what the final construction of the analysis works on.
    Tmereni redukovane;
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
    v.redukovane = v.prumery.skupiny;
    vertano::RedukceNaZnacky r;
    vertano::RedukovatNaZnacky(v.redukovane, v.sit.skutecne, Tsouradnice{}, nastaveni, r);
    return site.emplace(klic, std::move(v)).first->second;
}

// How many points got approximations and how far they lie from the truth, in
// plan and in height [mm].
void OdPravdy(benchmark::State& state, const Tsouradnice& body, const SimulovanaSit& sit) {
    double poloha = 0, vyska = 0;
    for (const vertano::Tbod& b : body.bod) {
        if (!b.JePlny) continue;
        const vertano::Tbod t = sit.skutecne.BodSCislem(b.cislo);
        poloha = std::max(poloha, static_cast<double>(std::hypot(b.X - t.X, b.Y - t.Y)));
        vyska = std::max(vyska, static_cast<double>(std::fabs(b.Z - t.Z)));
    }
    state.counters["points"] = body.PocetPlnychBodu();
    state.counters["max_plan_mm"] = 1000 * poloha;
    state.counters["max_height_mm"] = 1000 * vyska;
}

// One computation on the reduced set means; range(2): 0 constructions only, 1
// with the local systems, 2 with the local systems and the refinement.
void BM_VypocetPriblizneSouradnice(benchmark::State& state) {
    const Vstup& v = Sit(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    MoznostiPriblizne moznosti;
    moznosti.lokalniSystemy = state.range(2) >= 1;
    moznosti.zpresnit = state.range(2) >= 2;
    Tsouradnice body;
    for (auto _ : state) {
        body = v.sit.zadane;
        VysledekPriblizne historie;
        std::vector<std::string> cisla;
        Tmereni mereni = v.redukovane;
        mereni.PoradiBoduPriradit(cisla);
        vertano::VypocetPriblizneSouradnice(body, mereni, cisla, historie, moznosti);
    }
    OdPravdy(state, body, v.sit);
}
BENCHMARK(BM_VypocetPriblizneSouradnice)
    ->Args({1000, 3, 0})
    ->Args({1000, 3, 1})
    ->Args({1000, 3, 2})
    ->Args({1000, 8, 0})
    ->Args({1000, 8, 2})
    ->Args({1000, 200, 0})
    ->Args({1000, 200, 2})
    ->Unit(benchmark::kMillisecond);

// What the raw-data analysis does: the computation on the set means, the
// reduction of the means with those coordinates, the computation on the reduced
// means.
void BM_PribliznePoRedukci(benchmark::State& state) {
    const Vstup& v = Sit(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tsouradnice body;
    for (auto _ : state) {
        VysledekPriblizne historie;
        vertano::PribliznePoRedukci(v.sit.zadane, v.prumery.skupiny, Tsouradnice{}, nastaveni, body,
                                    historie);
    }
    OdPravdy(state, body, v.sit);
}
BENCHMARK(BM_PribliznePoRedukci)->Args({1000, 3})->Args({3000, 3})->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
