// Loading a million given points, a million identical points with their three
// standard deviations, or a million scale factors, the way the
// "add points" command and `vertano-cli check --points/--scale` do it: read
// from disk, decoded, checked line by line, appended and the list checked.
// Besides the time it reports the peak memory of the process against the size
// of the file (the goal: about six times the file). The peak is the process's
// high-water mark, so run one benchmark per process:
//   bench_load_points --benchmark_filter=Points/
//   bench_load_points --benchmark_filter=Deviations
//   bench_load_points --benchmark_filter=Scale
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/SouradniceKontrola.h"
#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "files/SouradniceSoubory.h"

namespace {

namespace fs = std::filesystem;
using namespace vertano;

constexpr int kPoints = 1000000;

enum class Soubor { Body, BodyOdchylky, Meritko };

// Points on a grid of 1,000 by 1,000 (about 40 bytes a line; with three
// standard deviations about 58), or their scale factors (about 15 bytes a
// line), written straight to the file.
bool WriteFile(const fs::path& path, Soubor druh) {
    std::ofstream out(path, std::ios::binary);
    char line[160];
    for (int i = 0; i < kPoints; ++i) {
        const char* odchylky = druh == Soubor::BodyOdchylky ? " 0.005 0.005 0.010" : "";
        const int n =
            druh == Soubor::Meritko
                ? std::snprintf(line, sizeof line, "P%d 1.%07d\r\n", i + 1, 9990000 + i % 10000)
                : std::snprintf(line, sizeof line, "P%d %.3f %.3f %.3f%s\r\n", i + 1,
                                1000000.0 + (i % 1000) * 10.125, 2000000.0 + (i / 1000) * 9.875,
                                300.0 + (i % 97) * 0.25, odchylky);
        out.write(line, n);
    }
    return static_cast<bool>(out);
}

long PeakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

void Load(benchmark::State& state, Soubor druh) {
    const bool scale = druh == Soubor::Meritko;
    const fs::path path =
        fs::temp_directory_path() / (scale ? "vertano-bench-1m-scale.txt" : "vertano-bench-1m.txt");
    if (!WriteFile(path, druh)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    Tnastaveni s;
    s.Default();
    // Deviations are given with identical points; given points have none.
    s.okno.bodyVstup = druh == Soubor::BodyOdchylky ? kBodyVstupIdenticke : kBodyVstupFixni;
    for (auto _ : state) {
        Tsouradnice body;
        Tinfo info;
        info.Default();
        Tchyby chyby;
        chyby.Default();
        const CoordinateLoadReport r = scale ? NacteniSouboruMeritko(body, info, s, {path}, chyby)
                                             : NacteniSouboru(body, info, s, {path}, chyby);
        if (!r.AllLoaded() || body.bod.size() != kPoints) state.SkipWithError("file rejected");
        benchmark::DoNotOptimize(body.bod.data());
    }
    const double fileMb = static_cast<double>(fs::file_size(path)) / (1 << 20);
    const double peakMb = static_cast<double>(PeakKilobytes()) / 1024;
    state.counters["file_MB"] = fileMb;
    state.counters["peak_MB"] = peakMb;
    state.counters["peak_per_file"] = peakMb / fileMb;
    state.SetItemsProcessed(state.iterations() * kPoints);
    fs::remove(path);
}

void BM_LoadMillionPoints(benchmark::State& state) {
    Load(state, Soubor::Body);
}
void BM_LoadMillionPointsWithDeviations(benchmark::State& state) {
    Load(state, Soubor::BodyOdchylky);
}
void BM_LoadMillionScaleFactors(benchmark::State& state) {
    Load(state, Soubor::Meritko);
}
BENCHMARK(BM_LoadMillionPoints)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_LoadMillionPointsWithDeviations)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();
BENCHMARK(BM_LoadMillionScaleFactors)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
