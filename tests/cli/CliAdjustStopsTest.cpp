#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "Options.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::Network;
using test::Outcome;
using test::RunCli;
using vertano::test::WriteBytes;

// The message of a catalogue number as the command line prints it.
std::string Message(int32_t number) {
    Tnastaveni n;
    n.Default();
    n.typJazyk = 1;
    Tjazyk j;
    j.Default(n);
    const jazyk::Toznameni o = j.Oznameni(number);
    return o.nadpis + ": " + o.text;
}

// A stop of the analysis or the adjustment: its message, status 4, no results.
// The message's second line starts with `cause`.
void ExpectStop(const Outcome& r, int32_t number, const std::string& json,
                const std::string& cause) {
    EXPECT_EQ(r.status, kExitStopped) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, Message(number) + "\n" + cause)) << r.err;
    EXPECT_FALSE(Contains(r.out, "Number of redundant measurements"));
    EXPECT_FALSE(std::filesystem::exists(json));
}

class AdjustStops : public ::testing::Test {
  protected:
    const Network n{{"--layout", "tiny", "--supplementary"}};
    const std::string json = n.File(".json");
    std::string Write(const std::string& name, const std::string& text) const {
        const std::string path = n.File(name);
        WriteBytes(path, text);
        return path;
    }
    Outcome Adjust(const std::string& points, std::vector<std::string> more = {}) const {
        std::vector<std::string> args = {"adjust", n.File(".mtx"), "--points",
                                         points,   "--json",       json};
        args.insert(args.end(), more.begin(), more.end());
        return RunCli(args);
    }
};

std::string FileName(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

TEST_F(AdjustStops, OneGivenPoint) {
    const std::string one = Write("-one.txt", "4001 1002.0292 1000.2044 250.4446\n");
    ExpectStop(Adjust(one), 1, json,
               "Given points: 1 (4001, " + FileName(one) + "); at least two are needed.");
}

TEST_F(AdjustStops, DuplicateGivenPoints) {
    const std::string given = vertano::test::ReadBytes(n.File("-given.txt"));
    const std::string dup = Write("-dup.txt", given + given);
    ExpectStop(Adjust(dup), 1, json, "Point 4001 is given 2 times (" + FileName(dup) + "); point");
}

TEST_F(AdjustStops, ScaleFactorsWithErrors) {
    ExpectStop(Adjust(n.File("-given.txt"), {"--scale", Write("-scale.txt", "4001 1.5\n")}), 17,
               json, "Row 1 (4001): scale factor 1.5 outside 0.7 to 1.3.");
}

TEST_F(AdjustStops, SupplementaryListsWithErrors) {
    // The same point at both ends is an error of every kind.
    const std::vector<std::pair<std::string, std::string>> lists = {
        {"--supp-distance", "4001 1.5 4001 1.5 10\n"},
        {"--supp-bearing", "4001 4001 10\n"},
        {"--supp-height", "4001 4001 1\n"},
        {"--supp-plumb", "4001 4001\n"}};
    for (size_t k = 0; k < lists.size(); ++k) {
        const auto& [option, text] = lists[k];
        const Outcome r = Adjust(n.File("-given.txt"),
                                 {option, Write("-bad" + std::to_string(k) + ".txt", text)});
        ExpectStop(r, 18 + static_cast<int32_t>(k), json,
                   "Row 1 (4001 - 4001): station and target are the same point.");
    }
}

// Given points that the measurements never name: no observation can be reduced.
TEST_F(AdjustStops, NoReducedObservation) {
    const Outcome r = Adjust(Write("-far.txt", "9001 0 0 0\n9002 100 0 0\n"));
    ExpectStop(r, 2, json, "None of the given points occurs in the measurements.");
    EXPECT_TRUE(
        Contains(r.err, "Warning: Given points that no measurement mentions: 2: 9001, 9002"))
        << r.err;
}

// The network stops before the adjustment when every point is fixed: there is
// nothing to determine (the main window does not offer the adjustment).
TEST_F(AdjustStops, EveryPointFixed) {
    const Outcome r = Adjust(n.File("-truth.txt"));
    EXPECT_EQ(r.status, kExitStopped);
    EXPECT_TRUE(Contains(r.err, "nothing to adjust")) << r.err;
}

// A station on fixed A observing fixed B, and D and E, given but not fixed, D
// with a distance and E with none: 7 unknowns (D, E, an orientation) against 6
// observations.
TEST(AdjustStop, NegativeRedundancy) {
    const vertano::test::TempDir dir;
    const std::string raw = (dir / "neg.mtx").string();
    WriteBytes(raw,
               "1 A 1.5 B 1.5 0.00000 100.00000 100.0000\n"
               "1 A 1.5 D 1.5 100.00000 100.00000 100.0000\n"
               "1 A 1.5 E 1.5 170.48327 100.00000 0\n"
               "1 A 1.5 E 1.5 370.48327 300.00000 0\n"
               "1 A 1.5 D 1.5 300.00000 300.00000 100.0000\n"
               "1 A 1.5 B 1.5 200.00000 300.00000 100.0000\n");
    const std::string points = (dir / "p.txt").string();
    WriteBytes(points, "A 0 0 100\nB 100 0 100\nD 0 100 100\nE -100 50 100\n");
    const std::string json = (dir / "r.json").string();
    const Outcome r = RunCli({"adjust", raw, "--points", points, "--unfix", "D,E", "--json", json});
    ExpectStop(r, 4, json, "Unknowns: 7, observations: 6, datum conditions: 0, redundancy: -1.");
}

TEST(AdjustStop, ChecksWithErrorsRefuseTheAnalysis) {
    const Network n(
        {"--layout", "tiny", "--gross", "1", "--gross-distance", "0", "--gross-direction", "40"});
    const Outcome r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt")});
    EXPECT_EQ(r.status, kExitChecksFailed) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, "nothing adjusted"));
    EXPECT_FALSE(Contains(r.out, "Network adjustment\n"));
}

// The main window offers no analysis without a measurement set: neither does
// the command line (a project of given points alone).
TEST(AdjustStop, NoMeasurementSetNoAnalysis) {
    const Network n({"--layout", "tiny"});
    const std::string project = n.File("-points.gpr");
    ASSERT_EQ(RunCli({"project", "save", "-o", project, "--points", n.File("-given.txt")}).status,
              kExitOk);
    for (const char* command : {"adjust", "approx"}) {
        const Outcome r = RunCli({command, "--project", project});
        EXPECT_EQ(r.status, kExitChecksFailed) << r.out << r.err;
        EXPECT_TRUE(Contains(r.err, "no raw measurement is in a measurement set; nothing"))
            << r.err;
    }
}

TEST(AdjustStop, FilesThatCannotBeReadAdjustNothing) {
    const Network n({"--layout", "tiny"});
    Outcome r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-missing.txt")});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "nothing adjusted"));
    r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--unfix", "4001,XX"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "'XX' is not among the given points")) << r.err;
    // An output that cannot be written is a failure, after the summary.
    r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--json",
                (n.dir / "no" / "such" / "dir.json").string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.out, "Network adjustment\n"));
}

}  // namespace
}  // namespace vertano::cli

namespace vertano::cli {
namespace {

// The L1 norm keeps changing its weights: the robust stage does not converge and
// the question is asked. "No" (the answer without a terminal) ends the run with
// no further message and no results; --yes goes on.
TEST(AdjustStop, NonConvergenceAnsweredNoEndsWithoutResults) {
    const Network n({"--layout", "tiny"});
    const std::string json = n.File(".json");
    std::vector<std::string> args = {
        "adjust",      n.File(".mtx"), "--points", n.File("-given.txt"),
        "--estimator", "l1 norm",      "--json",   json};
    Outcome r = RunCli(args);
    EXPECT_EQ(r.status, kExitStopped) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err,
                         "Warning - Robust adjustment error: Non-convergence error in "
                         "iterative adjustment. The measurements may contain gross "
                         "errors. Do you want to continue? No\n"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "was not continued"));
    for (int32_t number = 4; number <= 8; ++number) EXPECT_FALSE(Contains(r.err, Message(number)));
    EXPECT_FALSE(Contains(r.out, "Network adjustment\n"));
    EXPECT_FALSE(std::filesystem::exists(json));

    args.push_back("--yes");
    r = RunCli(args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.err, "Do you want to continue? Yes\n"));
    EXPECT_TRUE(Contains(r.out, "Iterations: robust 50, plain"));
    EXPECT_TRUE(std::filesystem::exists(json));
}

}  // namespace
}  // namespace vertano::cli
