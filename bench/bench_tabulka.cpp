// The raw table of the main window on a list of 100,000 measurements: the table
// formats only the rows in view, so opening it and scrolling to the end must not
// depend on the length of the list. Runs on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <memory>

#include "TabulkaSurovych.h"
#include "files/SurovaMereniSoubory.h"
#include "processing/KontrolaMereni.h"
#include "workspace/Workspace.h"

namespace {

using vertano::Tmereni;
using vertano::Workspace;

// The example stations repeated until the list has `pocet` rows, identified and
// checked as the window would have them.
Workspace& Seznam(int pocet) {
    static std::unique_ptr<Workspace> ws;
    if (ws && static_cast<int>(ws->suroveMereni.zaznam.size()) >= pocet) return *ws;
    ws = std::make_unique<Workspace>();
    Tmereni vzor;
    vertano::NactiSoubor(vzor, ws->info, ws->nastaveni, VERTANO_SOURCE_DIR "/examples/sit.mtx", 0);
    int32_t posun = 0;
    while (static_cast<int>(ws->suroveMereni.zaznam.size()) < pocet) {
        for (vertano::Tzaznam z : vzor.zaznam) {
            z.poradi += posun;
            ws->suroveMereni.zaznam.push_back(z);
        }
        posun = ws->suroveMereni.PosledniPoradi();
    }
    vertano::KontrolaVsehoMereni(ws->suroveMereni, ws->nastaveni, ws->chyby);
    return *ws;
}

// Opening: the table over the list, shown and painted once.
void BM_TabulkaOtevreni(benchmark::State& state) {
    Workspace& ws = Seznam(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        vertano::ui::TabulkaSurovych tabulka(ws.nastaveni, ws.jazyk);
        tabulka.Model().NastavitZdroj(&ws.suroveMereni);
        tabulka.resize(960, 700);
        tabulka.show();
        benchmark::DoNotOptimize(tabulka.grab());
    }
    state.counters["rows"] = static_cast<double>(ws.suroveMereni.zaznam.size());
}
BENCHMARK(BM_TabulkaOtevreni)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Scrolling from the top to the end of the list and painting the last page.
void BM_TabulkaNaKonec(benchmark::State& state) {
    Workspace& ws = Seznam(static_cast<int>(state.range(0)));
    vertano::ui::TabulkaSurovych tabulka(ws.nastaveni, ws.jazyk);
    tabulka.Model().NastavitZdroj(&ws.suroveMereni);
    tabulka.resize(960, 700);
    tabulka.show();
    for (auto _ : state) {
        tabulka.scrollToTop();
        tabulka.scrollToBottom();
        benchmark::DoNotOptimize(tabulka.grab());
    }
}
BENCHMARK(BM_TabulkaNaKonec)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One page down, painted, as a user holding Page Down sees it.
void BM_TabulkaStranka(benchmark::State& state) {
    Workspace& ws = Seznam(100000);
    vertano::ui::TabulkaSurovych tabulka(ws.nastaveni, ws.jazyk);
    tabulka.Model().NastavitZdroj(&ws.suroveMereni);
    tabulka.resize(960, 700);
    tabulka.show();
    QScrollBar* posuvnik = tabulka.verticalScrollBar();
    for (auto _ : state) {
        const int dalsi = posuvnik->value() + posuvnik->pageStep();
        posuvnik->setValue(dalsi > posuvnik->maximum() ? 0 : dalsi);
        benchmark::DoNotOptimize(tabulka.grab());
    }
}
BENCHMARK(BM_TabulkaStranka)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplikace(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
