#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "Commands.h"
#include "Options.h"

// `vertano-cli adjust` end to end, as a surveyor runs it: reading the raw
// measurements and the given points, the checks, the raw-data analysis, the
// adjustment (load, robust iterations, exclusion of outliers, plain iterations,
// evaluation) and writing the coordinates and the JSON result. The networks
// are generated once per size by `vertano-cli simulate` (grid, points 100 m
// apart, each a station observing its eight nearest neighbours in two faces
// and two sets, three given points far apart, so that a local system carries
// the approximate coordinates, no gross errors so that the raw checks pass;
// the outlier test still rejects about 5 % as it should).
//
// The command runs with --verbose; its output goes to streams that note the
// time of every line, and the lines that open a stage tell the stages apart.
// Peak memory is the high-water mark of the resident set during the run.

namespace {

namespace fs = std::filesystem;

using Clock = std::chrono::steady_clock;

// The high-water mark of the resident set, reset to the present size first.
void ResetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}
double Megabytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == field) {
            double kb = 0;
            status >> kb;
            return kb / 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

double Cpu() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Lines with the time (real and processor) they were completed.
class TimedLines : public std::streambuf {
  public:
    struct Line {
        Clock::time_point at;
        double cpu;
        double rss;  // resident set [MB]
        std::string text;
    };
    explicit TimedLines(std::vector<Line>& lines) : lines_(lines) {}

  protected:
    int overflow(int c) override {
        if (c == '\n') {
            lines_.push_back({Clock::now(), Cpu(), Megabytes("VmRSS:"), current_});
            current_.clear();
        } else if (c != EOF) {
            current_ += static_cast<char>(c);
        }
        return c;
    }

  private:
    std::vector<Line>& lines_;
    std::string current_;
};

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / ("vertano-bench-" + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return folder;
}

struct RemoveFolder {
    ~RemoveFolder() {
        std::error_code e;
        fs::remove_all(Folder(), e);
    }
} removeFolder;

int Cli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    vertano::cli::Options o;
    std::string error;
    if (!vertano::cli::ParseOptions(args, o, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    return o.command == "simulate" ? vertano::cli::RunSimulate(o, out, err)
                                   : vertano::cli::RunAdjust(o, out, err, nullptr);
}

std::string Network(int points) {
    const std::string prefix = (Folder() / ("grid" + std::to_string(points) + "-given3")).string();
    if (!fs::exists(prefix + ".mtx")) {
        std::ostringstream out;
        std::ostringstream err;
        Cli({"simulate", "--layout", "grid", "--points", std::to_string(points), "--given", "3",
             "--seed", "2024", "-o", prefix},
            out, err);
    }
    return prefix;
}

// The first line from position `from` on that contains `text`; its position
// goes back in `from`.
const TimedLines::Line& Until(const std::vector<TimedLines::Line>& lines, const std::string& text,
                              std::size_t& from) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].text.find(text) != std::string::npos) {
            from = i;
            return lines[i];
        }
    }
    return lines.back();
}

void BM_AdjustCommand(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    const std::string solver = state.range(1) == 0 ? "sparse" : "dense";
    const std::string prefix = Network(points);
    std::vector<TimedLines::Line> lines;
    TimedLines buffer(lines);
    std::ostream out(&buffer);
    std::ostream err(&buffer);
    int status = 0;
    double peak = 0;
    double cpu = 0;
    double cpu0 = 0;
    Clock::time_point start;
    for (auto _ : state) {
        lines.clear();
        ResetPeak();
        cpu0 = Cpu();
        start = Clock::now();
        status = Cli(
            {"adjust", prefix + ".mtx", "--points", prefix + "-given.txt", "--yes", "--verbose",
             "--solver", solver, "--coords", prefix + "-adjusted.txt", "--json", prefix + ".json"},
            out, err);
        cpu = Cpu() - cpu0;
        peak = Megabytes("VmHWM:");
    }
    if (status != 0) state.SkipWithError("vertano-cli adjust failed");
    // Stage boundaries in the order the command prints them; each stage ends
    // where the next begins.
    std::size_t at = 0;
    std::vector<const TimedLines::Line*> ends;
    for (const char* text : {"Add points", "Errors summary", "[3]"})
        ends.push_back(&Until(lines, text, at));
    ends.pop_back();  // the last stage of the analysis opens at [3]; it ends where the adjustment
                      // opens
    for (const char* text : {"[1]", "[2/1]", "[3]", "[4/1]", "[5]", "Network adjustment"}) {
        ends.push_back(&Until(lines, text, at));
    }
    ends.push_back(&lines.back());
    const char* names[] = {"1_read",      "2_checks", "3_analysis",   "4_load",   "5_robust",
                           "6_exclusion", "7_plain",  "8_evaluation", "9_writing"};
    Clock::time_point previous = start;
    double previousCpu = cpu0;
    for (std::size_t k = 0; k < ends.size(); ++k) {
        state.counters[names[k]] = std::chrono::duration<double>(ends[k]->at - previous).count();
        state.counters[std::string(names[k]) + "_cpu"] = ends[k]->cpu - previousCpu;
        state.counters[std::string(names[k]) + "_MB"] = ends[k]->rss;
        previous = ends[k]->at;
        previousCpu = ends[k]->cpu;
    }
    state.counters["cpu_s"] = cpu;
    state.counters["peak_MB"] = peak;
}
// The largest size takes minutes and about 10 GB: run it alone with
// --benchmark_filter=BM_AdjustCommand/100000/0.
BENCHMARK(BM_AdjustCommand)
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({30000, 0})
    ->Args({100000, 0})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();
// The dense reference, for comparison: 1,000 points only (10,000 would need
// about 25 GB for its matrix).
BENCHMARK(BM_AdjustCommand)
    ->Args({1000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kSecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
