#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
#include "data/SouradniceKontrola.h"
#include "processing/KontrolaMereni.h"
#include "workspace/Simulace.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

// The network adjustment as a surveyor runs it: the raw-data analysis and the
// adjustment of a generated grid network, end to end, and the stages of one
// adjustment. The networks: points on a jittered grid 100 m apart, each a station
// observing its eight nearest neighbours in two faces and two sets (0.3 mgon,
// 1 mm), every fifth point given (the approximate coordinates need a station
// that sees two of them), one gross error per 50 points.

namespace {

using vertano::SimulaceParametry;
using vertano::SimulovanaSit;
using vertano::TmodelSite;
using vertano::Workspace;

const SimulovanaSit& Sit(int pocetBodu) {
    static std::map<int, SimulovanaSit> site;
    auto it = site.find(pocetBodu);
    if (it != site.end()) return it->second;
    SimulaceParametry p;
    p.tvar = vertano::SimulaceTvar::Grid;
    p.pocetBodu = pocetBodu;
    p.pocetZadanych = pocetBodu / 5;
    p.pocetHrubych = pocetBodu / 50;
    p.seed = 2024;
    SimulovanaSit sit;
    std::string chyba;
    if (!vertano::Simulovat(p, sit, chyba)) std::fprintf(stderr, "%s\n", chyba.c_str());
    return site.emplace(pocetBodu, std::move(sit)).first->second;
}

// A workspace holding the network as the windows leave it: sets identified and
// checked, given points checked.
std::unique_ptr<Workspace> Pripravit(int pocetBodu, int vlaken) {
    auto ws = std::make_unique<Workspace>();
    const SimulovanaSit& sit = Sit(pocetBodu);
    ws->nastaveni.pocetVlaknaVse = static_cast<uint8_t>(vlaken);
    ws->suroveMereni = sit.mereni;
    vertano::KontrolaVsehoMereni(ws->suroveMereni, ws->nastaveni, ws->chyby);
    ws->souradniceFixni = sit.zadane;
    vertano::KontrolaSouradnic(ws->souradniceFixni, vertano::kBodyVstupFixni, ws->chyby);
    return ws;
}

// Analysis and adjustment, the non-convergence questions answered "Yes".
void BM_AnalyzaAVyrovnani(benchmark::State& state) {
    const int pocetBodu = static_cast<int>(state.range(0));
    const int vlaken = static_cast<int>(state.range(1));
    bool ok = true;
    vertano::SouhrnVyrovnani souhrn;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Workspace> ws = Pripravit(pocetBodu, vlaken);
        vertano::SilentInteraction ui(true);
        state.ResumeTiming();
        ok = vertano::AnalyzaSuroveMereni(*ws, ui).uspech && ok;
        ok = vertano::VyrovnaniSite(*ws, ui).uspech && ok;
        state.PauseTiming();
        souhrn = vertano::ShrnoutVyrovnani(*ws);
        ws.reset();
        state.ResumeTiming();
    }
    if (!ok) state.SkipWithError("the adjustment failed");
    state.counters["unknowns"] = souhrn.pocetNeznamych;
    state.counters["observations"] = souhrn.pocetMereni;
}
BENCHMARK(BM_AnalyzaAVyrovnani)
    ->ArgsProduct({{150, 500, 1000}, {1, 2}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

class Stopky {
  public:
    void Start() { zacatek_ = std::chrono::steady_clock::now(); }
    double Stop() {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - zacatek_).count();
    }

  private:
    std::chrono::steady_clock::time_point zacatek_;
};

// One adjustment of an analysed network, stage by stage, the way VyrovnaniSite
// runs them; the seconds of each stage and its share of the whole.
void BM_EtapyVyrovnani(benchmark::State& state) {
    const int pocetBodu = static_cast<int>(state.range(0));
    const int vlaken = static_cast<int>(state.range(1));
    double sekundy[5] = {0, 0, 0, 0, 0};
    bool ok = true;
    int robustne = 0;
    int opakovane = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<Workspace> ws = Pripravit(pocetBodu, vlaken);
        vertano::SilentInteraction ui(true);
        ok = vertano::AnalyzaSuroveMereni(*ws, ui).uspech && ok;
        state.ResumeTiming();
        TmodelSite& m = ws->modelVyrovnany;
        Stopky s;
        s.Start();
        ok = m.Nacist(ws->mereniVyrovnani, ws->souradnicePriblizne, ws->souradniceFixniVyrovnani,
                      ws->vahy, ws->doplnekZpracovany, ws->nastaveni) &&
             ok;
        sekundy[0] += s.Stop();
        bool znovu = true;
        s.Start();
        m.ZacitIterace();
        while (ok && znovu) ok = m.VyrovnatRobustne(znovu);
        robustne = m.Vysledek().PocetIteraci();
        sekundy[1] += s.Stop();
        s.Start();
        ok = ok && m.VylouceniOdlehlychHodnot(ws->modelOdlehly, ws->nastaveni) && m.Naplnit();
        sekundy[2] += s.Stop();
        s.Start();
        m.ZacitIterace();
        znovu = true;
        while (ok && znovu) ok = m.VyrovnatOpakovane(znovu);
        opakovane = m.Vysledek().PocetIteraci();
        sekundy[3] += s.Stop();
        s.Start();
        ok = ok && m.Vyhodnoceni();
        sekundy[4] += s.Stop();
        state.PauseTiming();
        ws.reset();
        state.ResumeTiming();
    }
    if (!ok) state.SkipWithError("a stage failed");
    double celkem = 0;
    for (const double t : sekundy) celkem += t;
    const char* nazvy[5] = {"load", "robust", "exclusion", "plain", "evaluation"};
    for (int i = 0; i < 5; ++i) {
        state.counters[std::string(nazvy[i]) + "_s"] = sekundy[i];
        state.counters[std::string(nazvy[i]) + "_%"] = celkem > 0 ? 100 * sekundy[i] / celkem : 0;
    }
    state.counters["robust_iterations"] = robustne;
    state.counters["plain_iterations"] = opakovane;
}
BENCHMARK(BM_EtapyVyrovnani)
    ->ArgsProduct({{300, 1000}, {1, 2}})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
