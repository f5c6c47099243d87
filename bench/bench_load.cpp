// Loading and checking a raw file of a million rows the way `vertano-cli check`
// does it: read from disk, decoded, prepared, parsed, appended, the sets found and
// every check run. Besides the time it reports the peak memory of the process
// against the size of the file (the goal: about six times the file).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "files/SurovaMereniSoubory.h"
#include "processing/KontrolaMereni.h"

namespace {

namespace fs = std::filesystem;
using namespace vertano;

constexpr int kTargets = 15;
constexpr int kSets = 2;
constexpr int kRows = 1000000;

// Stations of 15 targets in two sets of two faces (60 rows each), written
// straight to the file so that the generation holds no copy of it.
bool WriteFile(const fs::path& path) {
    std::ofstream out(path, std::ios::binary);
    char line[160];
    for (int i = 0; i < kRows; ++i) {
        const int station = i / (kTargets * kSets * 2) + 1;
        const int inStation = i % (kTargets * kSets * 2);
        const int set = inStation / (kTargets * 2);
        const bool faceTwo = (inStation / kTargets) % 2 == 1;
        const int target = inStation % kTargets;
        const double direction = target * 24.3217 + set * 0.0003 + (faceTwo ? 200 : 0);
        const double zenith = faceTwo ? 300.98765 - target * 0.01 : 99.01235 + target * 0.01;
        const int n =
            std::snprintf(line, sizeof line, "%d S%d 1.562 T%d 1.500 %.5f %.5f %.4f\r\n", station,
                          station, target, direction, zenith, 100 + target * 7.4567);
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

void BM_CheckMillionRows(benchmark::State& state) {
    const fs::path path = fs::temp_directory_path() / "vertano-bench-1m.mtx";
    if (!WriteFile(path)) {
        state.SkipWithError("cannot write the file");
        return;
    }
    Tnastaveni s;
    s.Default();
    s.souborVstup.typSuroveMereni = format::kMtx;
    for (auto _ : state) {
        Tmereni mereni;
        Tinfo info;
        info.Default();
        Tchyby chyby;
        chyby.Default();
        const LoadedRawFile f = NactiSoubor(mereni, info, s, path, format::kMtx);
        if (!f.result.ok || mereni.zaznam.size() != kRows) state.SkipWithError("file rejected");
        KontrolaVsehoMereni(mereni, s, chyby);
        benchmark::DoNotOptimize(mereni.zaznam.data());
    }
    const double fileMb = static_cast<double>(fs::file_size(path)) / (1 << 20);
    const double peakMb = static_cast<double>(PeakKilobytes()) / 1024;
    state.counters["file_MB"] = fileMb;
    state.counters["peak_MB"] = peakMb;
    state.counters["peak_per_file"] = peakMb / fileMb;
    state.SetItemsProcessed(state.iterations() * kRows);
    fs::remove(path);
}
// One run: the peak memory is that of the whole process, so this is the only
// benchmark of its program.
BENCHMARK(BM_CheckMillionRows)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
