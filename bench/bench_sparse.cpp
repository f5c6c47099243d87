#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>

#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
#include "data/SouradniceKontrola.h"
#include "matice/SparseNormalSolver.h"
#include "processing/KontrolaMereni.h"
#include "workspace/Simulace.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

// The sparse normal equations of generated grid networks (points 100 m apart,
// each a station observing its eight nearest neighbours in two faces and two
// sets, every fifth point given): one iteration's design matrix and normal
// equations, their factorisation and solution, and the cofactors (the numeric
// factorisation again with the a-priori weights, the selected inverse and the
// cofactor of every observation). The analysis of the raw data is set-up.

namespace {

using vertano::TmodelSite;
using vertano::Workspace;

std::unique_ptr<Workspace> Analysed(int points, vertano::SolverChoice choice) {
    vertano::SimulaceParametry p;
    p.tvar = vertano::SimulaceTvar::Grid;
    p.pocetBodu = points;
    p.pocetZadanych = points / 5;
    p.seed = 2024;
    vertano::SimulovanaSit sit;
    std::string chyba;
    if (!vertano::Simulovat(p, sit, chyba)) std::fprintf(stderr, "%s\n", chyba.c_str());
    auto ws = std::make_unique<Workspace>();
    ws->nastaveni.pocetVlaknaVse = 1;
    ws->suroveMereni = sit.mereni;
    vertano::KontrolaVsehoMereni(ws->suroveMereni, ws->nastaveni, ws->chyby);
    ws->souradniceFixni = sit.zadane;
    vertano::KontrolaSouradnic(ws->souradniceFixni, vertano::kBodyVstupFixni, ws->chyby);
    vertano::SilentInteraction ui(true);
    vertano::AnalyzaSuroveMereni(*ws, ui);
    ws->modelVyrovnany.NastavitVolbuResice(choice);
    TmodelSite& m = ws->modelVyrovnany;
    m.Nacist(ws->mereniVyrovnani, ws->souradnicePriblizne, ws->souradniceFixniVyrovnani, ws->vahy,
             ws->doplnekZpracovany, ws->nastaveni);
    return ws;
}

// Processor time of the process: the machine is shared, and the sparse path
// runs in one thread, so this is what the stage costs on a quiet machine.
double Now() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

void Run(benchmark::State& state, vertano::SolverChoice choice) {
    const int points = static_cast<int>(state.range(0));
    std::unique_ptr<Workspace> ws = Analysed(points, choice);
    TmodelSite& m = ws->modelVyrovnany;
    double form = 0;
    double solve = 0;
    double cofactors = 0;
    bool ok = true;
    for (auto _ : state) {
        double t = Now();
        ok = m.Naplnit() && ok;
        form += Now() - t;
        t = Now();
        ok = m.Vyrovnat() && ok;
        solve += Now() - t;
        t = Now();
        ok = m.VypocetKovariancniMatice() && ok;
        cofactors += Now() - t;
    }
    if (!ok) state.SkipWithError(m.Vysledek().Chyba().c_str());
    const auto n = static_cast<double>(state.iterations());
    state.counters["unknowns"] = m.Vysledek().PocetNeznamych();
    state.counters["form_cpu_s"] = form / n;
    state.counters["solve_cpu_s"] = solve / n;
    state.counters["cofactors_cpu_s"] = cofactors / n;
    if (const vertano::SparseNormalSolver* sparse = m.Solver().Sparse()) {
        state.counters["N_nonzeros"] = static_cast<double>(sparse->NormalEntries());
        state.counters["L_nonzeros"] =
            static_cast<double>(sparse->Factorisation().Result().value.size());
        state.counters["min_pivot_share"] =
            static_cast<double>(sparse->Factorisation().SmallestPivotShare());
    }
}

void BM_SparseNormalEquations(benchmark::State& state) {
    Run(state, vertano::SolverChoice::Sparse);
}
BENCHMARK(BM_SparseNormalEquations)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(2);

// The dense cascade on the same networks, as far as it goes in reasonable time.
void BM_DenseNormalEquations(benchmark::State& state) {
    Run(state, vertano::SolverChoice::Dense);
}
BENCHMARK(BM_DenseNormalEquations)
    ->Arg(1000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
