// Loading a large raw measurement file: 100,000 MTX rows (about 1,700 stations of
// 60 pointings), read from disk, decoded, parsed, checked and appended.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "files/MtxFormat.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/TextovySoubor.h"

namespace {

namespace fs = std::filesystem;
using namespace vertano;

constexpr int kRows = 100000;

std::vector<std::string> GeneratedLines() {
    std::vector<std::string> lines;
    lines.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        const int station = i / 60 + 1;
        const int target = i % 12;
        const bool faceTwo = (i / 12) % 2 == 1;
        std::string line = std::to_string(station) + " S" + std::to_string(station) + " 1.562 T" +
                           std::to_string(target) + " 1.500 " +
                           std::to_string(faceTwo ? 200 + target * 13 : target * 13) + ".12345 " +
                           (faceTwo ? "300.98765 " : "99.01235 ") +
                           std::to_string(100 + target * 7) + ".4567";
        lines.push_back(std::move(line));
    }
    return lines;
}

Tnastaveni Settings() {
    Tnastaveni s;
    s.Default();
    s.souborVstup.typSuroveMereni = format::kMtx;
    return s;
}

void BM_LoadMtxFile(benchmark::State& state) {
    const fs::path path = fs::temp_directory_path() / "vertano-bench-100k.mtx";
    std::string error;
    if (!SaveTextFile(path, GeneratedLines(), error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const Tnastaveni s = Settings();
    for (auto _ : state) {
        Tmereni mereni;
        Tinfo info;
        const RawLoadReport rep = NacteniSouboru(mereni, info, s, {path});
        if (rep.files.empty() || !rep.files[0].result.ok) state.SkipWithError("file rejected");
        benchmark::DoNotOptimize(mereni.zaznam.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
    fs::remove(path);
}
BENCHMARK(BM_LoadMtxFile)->Unit(benchmark::kMillisecond);

void BM_WriteMtx(benchmark::State& state) {
    const Tnastaveni s = Settings();
    Tmereni mereni;
    ReadMtx(GeneratedLines(), s, mereni);
    for (auto _ : state) {
        std::vector<std::string> lines;
        WriteMtx(mereni, s, lines);
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_WriteMtx)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
