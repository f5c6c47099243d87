#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "Options.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::ExpectWithinThreeSigma;
using test::Json;
using test::LineStarting;
using test::Network;
using test::Outcome;
using test::ReadJson;
using test::ReadXyz;
using test::RunCli;

std::vector<std::string> Supplementary(const Network& n) {
    return {"--supp-distance", n.File("-supp-distance.txt"),
            "--supp-bearing",  n.File("-supp-bearing.txt"),
            "--supp-height",   n.File("-supp-height.txt"),
            "--supp-plumb",    n.File("-supp-plumb.txt")};
}

Outcome Adjust(const Network& n, const std::string& raw, std::vector<std::string> options) {
    std::vector<std::string> args = {
        "adjust", raw, "--points", n.File("-given.txt"), "--json", n.File(".json")};
    args.insert(args.end(), options.begin(), options.end());
    return RunCli(args);
}

// Shares of the outliers: every gross error put in must be among them, and the
// good observations rejected stay near the significance level.
void ExpectOutliersFound(const Network& n, const Json& result, double alpha) {
    const std::vector<test::Gross> gross = test::ReadGross(n.File("-gross.txt"));
    for (const test::Gross& g : gross)
        EXPECT_TRUE(IsOutlier(result, g)) << g.kind << " " << g.station << " " << g.target;
    const double all =
        static_cast<double>(result["observations"].size() + result["outliers"].size());
    const double good = all - static_cast<double>(gross.size());
    const double rejected = static_cast<double>(result["outliers"].size() - gross.size());
    EXPECT_LE(rejected / good, 2 * alpha + 0.02) << rejected << " of " << good;
}

TEST(CliAdjust, TinyNetworkInAscLandsOnTheTruth) {
    const Network n({"--layout", "tiny", "--format", "asc", "--seed", "3"});
    const Outcome r = Adjust(n, n.File(".asc"), {"--coords", n.File("-adjusted.txt")});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_EQ(LineStarting(r.out, "Number of adjusted points:"), "Number of adjusted points: 2");
    EXPECT_EQ(LineStarting(r.out, "Number of fixed points:"), "Number of fixed points: 3");
    EXPECT_EQ(LineStarting(r.out, "Unknowns:"), "Unknowns: 11");  // 2 x 3 + 5 orientations
    EXPECT_EQ(LineStarting(r.out, "Datum:"), "Datum: fixed-points (fixed points)");
    EXPECT_EQ(LineStarting(r.out, "Weights:"), "Weights: Internal accuracy of network (inner)");
    // Every point of the quadrilateral is seen from all others.
    EXPECT_EQ(LineStarting(r.out, "Uncontrolled observations:"), "Uncontrolled observations: 0");
    EXPECT_EQ(LineStarting(r.out, "Points depending on them:"), "Points depending on them: 0");
    const Json result = ReadJson(n.File(".json"));
    EXPECT_EQ(result["uncontrolled"].size(), 0u);
    const auto truth = ReadXyz(n.File("-truth.txt"));
    ExpectWithinThreeSigma(result, truth);
    ExpectOutliersFound(n, result, 0.05);
    const Json& s = result["summary"];
    EXPECT_EQ(s["unknowns"].number, 11);
    EXPECT_EQ(s["redundancy"].number, s["observations"].number - 11);
    EXPECT_EQ(s["datum_type"].text, "fixed-points");
    EXPECT_EQ(s["weight_source"].text, "inner");
    EXPECT_EQ(s["sigma0_apriori"].number, 1);
    EXPECT_EQ(result["orientations"].size(), 5u);
}

// A point seen from one station in both sets, the distance 0.5 m too long in
// both: the two sets agree, no residual shows the error, and the point must be
// named as uncontrolled rather than pass in silence.
TEST(CliAdjust, ASideShotInTwoSetsIsNamedAsUncontrolled) {
    const Network n({"--layout", "tiny", "--seed", "3"});
    // X is pointed next to the first target of the first station: after it in
    // face I, before it in face II (the reverse order of the second face).
    const auto rows = test::FileTokens(n.File(".mtx"));
    ASSERT_FALSE(rows.empty());
    const std::vector<std::string> first = rows.front();
    ASSERT_EQ(first.size(), 8u);
    std::string text;
    int copied = 0;
    for (const std::vector<std::string>& t : rows) {
        std::string line;
        for (const std::string& token : t) line += (line.empty() ? "" : " ") + token;
        line += "\r\n";
        if (t.size() != 8 || t[0] != first[0] || t[3] != first[3]) {
            text += line;
            continue;
        }
        const std::string x = t[0] + " " + t[1] + " " + t[2] + " X " + t[4] + " " + t[5] + " " +
                              t[6] + " " + std::to_string(std::stod(t[7]) + 0.5) + "\r\n";
        text += std::stod(t[6]) < 200 ? line + x : x + line;
        ++copied;
    }
    ASSERT_GE(copied, 4);  // two faces in two sets
    vertano::test::WriteBytes(n.File(".mtx"), text);
    const Outcome r = Adjust(n, n.File(".mtx"), {"--no-exclusion"});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err + r.out,
                         "side shots (targets of one station only, one polar "
                         "measurement): X"))
        << r.err;
    EXPECT_EQ(LineStarting(r.out, "Uncontrolled points:"), "Uncontrolled points: X (side shot)");
    const Json result = ReadJson(n.File(".json"));
    const Json& u = result["uncontrolled"];
    ASSERT_EQ(u.size(), 1u);
    EXPECT_EQ(u[0]["point"].text, "X");
    EXPECT_EQ(u[0]["reason"].text, "side_shot");
    int distances = 0;
    for (const Json& o : u[0]["observations"].items) {
        EXPECT_EQ(o["target"].text, "X");
        EXPECT_LT(o["redundancy"].number, 0.01);
        distances += o["kind"].text == "distance" ? 1 : 0;
    }
    EXPECT_EQ(distances, 2);  // one per set
}

// A given point known in plan only: its X and Y stay, its height is
// determined from the measurements (the file's height, 0 or none at all, only
// a start); the same from --fix-plan and from the column of the file. A name
// that is not a given point is refused.
TEST(CliAdjust, APointFixedInPlanKeepsItsPositionAndGetsItsHeight) {
    const Network n({"--layout", "tiny", "--seed", "3"});
    const auto given = test::FileTokens(n.File("-given.txt"));
    ASSERT_GE(given.size(), 3u);
    const std::string name = given[2][0];
    const auto truth = ReadXyz(n.File("-truth.txt"));
    for (const bool column : {true, false}) {
        SCOPED_TRACE(column ? "column" : "--fix-plan");
        std::string text;
        for (const auto& t : given) {
            text += t[0] + " " + t[1] + " " + t[2] +
                    (t[0] != name ? " " + t[3]
                     : column     ? " XY"
                                  : " 0") +
                    "\r\n";
        }
        vertano::test::WriteBytes(n.File("-given.txt"), text);
        const Outcome r = Adjust(
            n, n.File(".mtx"),
            column ? std::vector<std::string>{} : std::vector<std::string>{"--fix-plan", name});
        ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
        EXPECT_EQ(LineStarting(r.out, "Number of fixed points:"), "Number of fixed points: 2");
        const Json result = ReadJson(n.File(".json"));
        bool found = false;
        for (const Json& p : result["points"].items) {
            if (p["name"].text != name) {
                EXPECT_TRUE(p["fixed_axes"].IsNull()) << p["name"].text;
                continue;
            }
            found = true;
            EXPECT_FALSE(p["fixed"].boolean);
            EXPECT_EQ(p["fixed_axes"].text, "XY");
            EXPECT_NEAR(p["x"].number, std::stod(given[2][1]), 1e-9);
            EXPECT_NEAR(p["y"].number, std::stod(given[2][2]), 1e-9);
            EXPECT_NEAR(p["z"].number, truth.at(name).z, 0.01);
            EXPECT_EQ(p["sx"].number, 0);
            EXPECT_GT(p["sz"].number, 0);
        }
        EXPECT_TRUE(found);
    }
    const Outcome r = Adjust(n, n.File(".mtx"), {"--fix-height", "NOPE"});
    EXPECT_EQ(r.status, kExitUsage) << r.out << r.err;
    EXPECT_TRUE(Contains(r.err, "'NOPE' is not among the given points")) << r.err;
}

// --coords: every point of the adjustment, the adjusted ones first, in the
// coordinate unit with the program's 4 decimals.
TEST(CliAdjust, CoordinateFileInFeetHoldsEveryPointAdjustedFirst) {
    const Network n({"--layout", "tiny", "--coord-unit", "ft"});
    const Outcome r =
        Adjust(n, n.File(".mtx"), {"--coord-unit", "ft", "--coords", n.File("-adjusted.txt")});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto lines = test::FileTokens(n.File("-adjusted.txt"));
    const Json points = ReadJson(n.File(".json"))["points"];
    ASSERT_EQ(lines.size(), 5u);
    ASSERT_EQ(points.size(), 5u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const Json& p = points[i];
        EXPECT_EQ(lines[i][0], p["name"].text);
        EXPECT_EQ(p["fixed"].boolean, i >= 2);
        const double x = std::stod(lines[i][1]) * 0.3048;
        EXPECT_NEAR(x, p["x"].number, 0.51e-4 * 0.3048) << lines[i][1];
        EXPECT_EQ(lines[i][1].size() - lines[i][1].find('.'), 5u) << lines[i][1];
    }
    ExpectWithinThreeSigma(ReadJson(n.File(".json")), ReadXyz(n.File("-truth.txt"), 1));
}

// A traverse with gross errors in every kind, all files in D.MMSS and feet. The
// errors are small enough to pass the face and set checks, which would otherwise
// refuse the data, and large enough to stand out of the noise of a set mean.
TEST(CliAdjust, GrossErrorsAreRejectedInDmsAndFeet) {
    const std::vector<std::string> units = {"--angle-unit", "dms",          "--length-unit",
                                            "ft",           "--coord-unit", "ft"};
    std::vector<std::string> sim = {
        "--layout", "traverse",         "--gross", "4",      "--gross-direction",
        "6",        "--gross-distance", "20",      "--seed", "5"};
    sim.insert(sim.end(), units.begin(), units.end());
    const Network n(sim);
    ASSERT_EQ(test::ReadGross(n.File("-gross.txt")).size(), 4u);
    const Outcome r = Adjust(n, n.File(".mtx"), units);
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    const Json result = ReadJson(n.File(".json"));
    ExpectOutliersFound(n, result, 0.05);
    ExpectWithinThreeSigma(result, ReadXyz(n.File("-truth.txt"), 1));
    // The test values of an outlier: its residual beyond k sigma_v, k for alpha.
    for (const Json& o : result["outliers"].items) {
        EXPECT_GT(std::fabs(o["residual"].number), o["limit"].number);
        EXPECT_NEAR(o["limit"].number / o["sigma_residual"].number, 1.959964, 1e-5);
    }
}

TEST(CliAdjust, SignificanceLevelAndExclusionFollowTheOptions) {
    const Network n({"--layout", "tiny", "--gross", "1", "--gross-distance", "20",
                     "--gross-direction", "0", "--seed", "2"});
    Outcome r = Adjust(n, n.File(".mtx"), {"--alpha", "0.01", "--estimator", "tukey"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    Json result = ReadJson(n.File(".json"));
    ASSERT_GT(result["outliers"].size(), 0u);
    for (const Json& o : result["outliers"].items)
        EXPECT_NEAR(o["limit"].number / o["sigma_residual"].number, 2.575829, 1e-5);

    r = Adjust(n, n.File(".mtx"), {"--no-exclusion", "--weights", "given"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(LineStarting(r.out, "Number of rejected outliers:"),
              "Number of rejected outliers: -");
    EXPECT_TRUE(Contains(LineStarting(r.out, "Iterations:"), "robust 0, plain "));
    result = ReadJson(n.File(".json"));
    EXPECT_EQ(result["outliers"].size(), 0u);
    EXPECT_EQ(result["summary"]["weight_source"].text, "given");
    for (const auto& [kind, count] : result["summary"]["outliers"].members)
        EXPECT_EQ(count.number, 0);
}

// Without fixed points the network keeps the place and orientation of its
// approximate coordinates: it still lands on the truth within millimetres, and
// every point gets its accuracy.
TEST(CliAdjust, FreeNetworkAdjustsEveryPoint) {
    const Network n({"--layout", "grid", "--points", "12", "--neighbours", "6", "--seed", "4"});
    const Outcome r = Adjust(n, n.File(".mtx"), {"--free", "--threads", "2"});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_EQ(LineStarting(r.out, "Number of fixed points:"), "Number of fixed points: 0");
    const Json result = ReadJson(n.File(".json"));
    EXPECT_EQ(result["summary"]["datum_type"].text, "free-distances");
    EXPECT_EQ(result["points"].size(), 12u);
    const auto truth = ReadXyz(n.File("-truth.txt"));
    for (const Json& p : result["points"].items) {
        EXPECT_FALSE(p["fixed"].boolean);
        EXPECT_GT(p["sx"].number, 0);
        EXPECT_EQ(p["ellipsoid"].size(), 3u);
        const test::Xyz& t = truth.at(p["name"].text);
        EXPECT_LT(std::hypot(p["x"].number - t.x, p["y"].number - t.y), 0.005) << p["name"].text;
        EXPECT_LT(std::fabs(p["z"].number - t.z), 0.005) << p["name"].text;
    }
}

// Each solver is reachable, and both write the same coordinates.
TEST(CliAdjust, DenseAndSparseSolversWriteTheSameCoordinates) {
    const Network n({"--layout", "grid", "--points", "20", "--given", "5", "--seed", "8"});
    std::vector<std::vector<std::vector<std::string>>> files;
    for (const std::string solver : {"dense", "sparse"}) {
        const std::string out = n.File("-" + solver + ".txt");
        const Outcome r = Adjust(n, n.File(".mtx"), {"--solver", solver, "--coords", out});
        ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
        files.push_back(test::FileTokens(out));
    }
    ASSERT_FALSE(files[0].empty());
    EXPECT_EQ(files[0], files[1]);
}

TEST(CliAdjust, UnfixedPointsAreAdjustedAndTheOthersStay) {
    const Network n({"--layout", "tiny", "--seed", "6"});
    const auto given = ReadXyz(n.File("-given.txt"));
    const std::string freed = given.begin()->first;
    const Outcome r = Adjust(n, n.File(".mtx"), {"--unfix", freed});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const Json result = ReadJson(n.File(".json"));
    EXPECT_EQ(result["summary"]["datum_type"].text, "fixed-points");
    for (const Json& p : result["points"].items) {
        EXPECT_EQ(p["fixed"].boolean, given.count(p["name"].text) > 0 && p["name"].text != freed);
        if (!p["fixed"].boolean) continue;
        EXPECT_EQ(p["x"].number, given.at(p["name"].text).x);  // untouched
    }
    ExpectWithinThreeSigma(result, ReadXyz(n.File("-truth.txt")));
}

TEST(CliAdjust, SupplementaryMeasurementsEnterTheAdjustment) {
    const Network n({"--layout", "grid", "--points", "12", "--neighbours", "6", "--supplementary",
                     "--seed", "7"});
    const Outcome r = Adjust(n, n.File(".mtx"), Supplementary(n));
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Vertical plumbing (Supplement): 0"));
    const Json result = ReadJson(n.File(".json"));
    int kinds[7] = {};
    const char* const names[7] = {"distance",     "direction",   "zenith",    "supp-distance",
                                  "supp-bearing", "supp-height", "supp-plumb"};
    for (const Json& o : result["observations"].items) {
        for (int k = 0; k < 7; ++k) kinds[k] += o["kind"].text == names[k] ? 1 : 0;
    }
    for (int k = 0; k < 7; ++k) EXPECT_GT(kinds[k], 0) << names[k];
    EXPECT_EQ(result["summary"]["outliers"].size(), 7u);
    ExpectWithinThreeSigma(result, ReadXyz(n.File("-truth.txt")));
}

// The summary speaks the language of --lang; what has no translation stays English.
TEST(CliAdjust, SummaryInCzech) {
    const Network n({"--layout", "tiny"});
    const Outcome r = Adjust(n, n.File(".mtx"), {"--lang", "cs"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Vyrovnání sítě\n"));
    EXPECT_TRUE(Contains(r.out, "Počet vyrovnaných bodů: 2\n"));
    EXPECT_TRUE(Contains(r.out, "Datum: fixed-points"));
}

}  // namespace
}  // namespace vertano::cli
