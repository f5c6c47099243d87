#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "Options.h"
#include "data/Tnastaveni.h"
#include "files/SurovaMereniSoubory.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"
#include "workspace/SimulaceSoubory.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::LineStarting;
using test::Outcome;
using test::RunCli;
using vertano::test::ReadBytes;
using vertano::test::TempDir;

const std::vector<std::string> kFiles = {".mtx",
                                         "-given.txt",
                                         "-truth.txt",
                                         "-gross.txt",
                                         "-supp-bearing.txt",
                                         "-supp-distance.txt",
                                         "-supp-height.txt",
                                         "-supp-plumb.txt"};

Outcome Simulate(const std::string& prefix, std::vector<std::string> options) {
    std::vector<std::string> args = {"simulate", "-o", prefix};
    args.insert(args.end(), options.begin(), options.end());
    return RunCli(args);
}

std::vector<std::vector<std::string>> Tokens(const std::string& path) {
    TextFile file;
    EXPECT_TRUE(ReadTextFile(path, file).Ok()) << path;
    std::vector<std::vector<std::string>> lines;
    for (const std::string& line : file.lines) lines.push_back(Tokenize(line));
    return lines;
}

Real Number(const std::string& token) {
    Real v = 0;
    EXPECT_EQ(ParseNumber(token, v), NumberStatus::Ok) << token;
    return v;
}

struct Point {
    Real x, y, z;
};

std::map<std::string, Point> Truth(const std::string& path) {
    std::map<std::string, Point> points;
    for (const auto& t : Tokens(path)) {
        EXPECT_EQ(t.size(), 4u);
        if (t.size() == 4) points[t[0]] = {Number(t[1]), Number(t[2]), Number(t[3])};
    }
    return points;
}

// The raw rows of a generated file, read as the program reads it.
Tmereni ReadBack(const std::string& path, const SimulaceFormat& f) {
    TextFile file;
    EXPECT_TRUE(ReadTextFile(path, file).Ok()) << path;
    Tmereni rows;
    const RawFileResult r = ReadRaw(f.format, file.lines, NastaveniSimulace(f), rows);
    EXPECT_TRUE(r.ok) << DescribeRawFailure(r);
    return rows;
}

TEST(CliSimulate, SameSeedWritesTheSameBytes) {
    const TempDir dir;
    const std::vector<std::string> options = {"--layout", "grid", "--supplementary", "--gross", "2",
                                              "--seed",   "17"};
    const Outcome a = Simulate((dir / "a").string(), options);
    const Outcome b = Simulate((dir / "b").string(), options);
    ASSERT_EQ(a.status, kExitOk) << a.err;
    ASSERT_EQ(b.status, kExitOk) << b.err;
    EXPECT_TRUE(Contains(a.out, "Points: 13 (given: 3)\n"));
    EXPECT_TRUE(Contains(a.out, "Gross errors: 2\n"));
    for (const std::string& file : kFiles) {
        const std::string bytes = ReadBytes(dir / ("a" + file));
        EXPECT_FALSE(bytes.empty()) << file;
        EXPECT_EQ(bytes, ReadBytes(dir / ("b" + file))) << file;
        EXPECT_TRUE(Contains(a.out, "Wrote " + (dir / ("a" + file)).string() + "\n")) << file;
    }
    EXPECT_TRUE(Contains(ReadBytes(dir / "a.mtx"), "\r\n"));
    ASSERT_EQ(Simulate((dir / "c").string(), {"--layout", "grid", "--seed", "18"}).status, kExitOk);
    EXPECT_NE(ReadBytes(dir / "a.mtx"), ReadBytes(dir / "c.mtx"));
}

TEST(CliSimulate, CleanNetworkPassesEveryCheck) {
    const TempDir dir;
    const std::string p = (dir / "sit").string();
    ASSERT_EQ(Simulate(p, {"--layout", "grid", "--points", "16", "--supplementary"}).status,
              kExitOk);
    const Outcome r =
        RunCli({"check", p + ".mtx", "--points", p + "-given.txt", "--supp-distance",
                p + "-supp-distance.txt", "--supp-bearing", p + "-supp-bearing.txt",
                "--supp-height", p + "-supp-height.txt", "--supp-plumb", p + "-supp-plumb.txt"});
    EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Stations: 17\n"));
    EXPECT_EQ(LineStarting(r.out, "Errors summary"), "Errors summary: 0");
    // The plumbed pair shares X and Y: a warning of the point check, not an error.
    const Outcome t = RunCli({"check", "--points", p + "-truth.txt"});
    EXPECT_EQ(t.status, kExitOk) << t.out;
    EXPECT_EQ(LineStarting(t.out, "Coordinates X, Y:"), "Coordinates X, Y: 2");
}

TEST(CliSimulate, GrossErrorInOneSetShowsInTheSetChecks) {
    const TempDir dir;
    for (const std::string seed : {"3", "4"}) {
        const std::string p = (dir / ("g" + seed)).string();
        ASSERT_EQ(Simulate(p, {"--layout", "traverse", "--gross", "1", "--gross-distance", "0",
                               "--seed", seed})
                      .status,
                  kExitOk);
        const auto gross = Tokens(p + "-gross.txt");
        ASSERT_EQ(gross.size(), 2u);
        ASSERT_EQ(gross[1].size(), 8u + (gross[1][5] == "zenith" ? 1 : 0));
        const std::vector<std::string>& g = gross[1];
        EXPECT_EQ(g.back(), "mgon");
        EXPECT_NEAR(std::fabs(Number(g[g.size() - 2])), 50, 1e-9);
        const bool zenith = g[5] == "zenith";
        const Outcome r = RunCli({"check", "--rows", p + ".mtx"});
        EXPECT_EQ(r.status, kExitChecksFailed);
        const std::string row = g[0] + "\t" + g[1] + "\t" + g[2] + "\t" + g[3] + "\t" + g[4] + "\t";
        const std::string line = LineStarting(r.out, row);
        ASSERT_FALSE(line.empty()) << row << "\n" << r.out;
        EXPECT_TRUE(Contains(line, zenith ? "Difference between sets - Zenith angle"
                                          : "Difference between sets - Horizontal direction"))
            << line;
    }
}

TEST(CliSimulate, ExactReadingsAreThoseOfTheTruthOnTheEarth) {
    const TempDir dir;
    const std::string p = (dir / "x").string();
    ASSERT_EQ(Simulate(p, {"--layout", "tiny", "--sigma-direction", "0", "--sigma-zenith", "0",
                           "--sigma-distance", "0", "--sets", "1"})
                  .status,
              kExitOk);
    const std::map<std::string, Point> truth = Truth(p + "-truth.txt");
    ASSERT_EQ(truth.size(), 5u);
    Tnastaveni settings;
    settings.Default();
    const Real radius = settings.redukceMereni.polomerRefPlochy;
    const auto rows = Tokens(p + ".mtx");
    ASSERT_EQ(rows.size(), 5u * 4 * 2);
    for (const auto& t : rows) {
        ASSERT_EQ(t.size(), 8u);
        const Point& s = truth.at(t[1]);
        const Point& c = truth.at(t[3]);
        // Readings on the sphere of the distance reduction, whose verticals are
        // the horizontal distance of the points apart (zero level, scale 1).
        const Real h = std::hypot(c.x - s.x, c.y - s.y);
        const Real r1 = radius + s.z + Number(t[2]);
        const Real r2 = radius + c.z + Number(t[4]);
        const Real half = std::sin(h / radius / 2);
        const Real distance = std::sqrt((r2 - r1) * (r2 - r1) + 4 * r1 * r2 * half * half);
        EXPECT_NEAR(Number(t[7]), distance, 0.6e-4) << t[1] << " " << t[3];
        Real zenith = std::acos(((r2 - r1) - 2 * r2 * half * half) / distance) * 200 / kPi;
        if (Number(t[6]) > 200) zenith = 400 - zenith;
        EXPECT_NEAR(Number(t[6]), zenith, 0.6e-5);
    }
}

TEST(CliSimulate, EveryUnitRoundTrips) {
    const TempDir dir;
    const std::string base = (dir / "base").string();
    const std::vector<std::string> network = {"--layout", "tiny", "--seed", "5"};
    ASSERT_EQ(Simulate(base, network).status, kExitOk);
    const Tmereni reference = ReadBack(base + ".mtx", SimulaceFormat{});
    const std::map<std::string, Point> truth = Truth(base + "-truth.txt");
    struct Case {
        std::string angle, length, coord, format;
        SimulaceFormat f;
    };
    const std::vector<Case> cases = {{"rad", "m", "ft", "mtx", {format::kMtx, 0, 0, 1}},
                                     {"gon", "ft", "m", "asc", {format::kAsc, 1, 1, 0}},
                                     {"deg", "m", "m", "asc", {format::kAsc, 2, 0, 0}},
                                     {"dms", "ft", "ft", "mtx", {format::kMtx, 3, 1, 1}}};
    for (const Case& c : cases) {
        const std::string p = (dir / c.angle).string();
        std::vector<std::string> options = network;
        options.insert(options.end(), {"--angle-unit", c.angle, "--length-unit", c.length,
                                       "--coord-unit", c.coord, "--format", c.format});
        ASSERT_EQ(Simulate(p, options).status, kExitOk) << c.angle;
        const std::string raw = p + "." + c.format;
        const Outcome r = RunCli({"check", raw, "--points", p + "-given.txt", "--angle-unit",
                                  c.angle, "--length-unit", c.length, "--coord-unit", c.coord});
        EXPECT_EQ(r.status, kExitOk) << c.angle << "\n" << r.out << r.err;
        const Tmereni rows = ReadBack(raw, c.f);
        ASSERT_EQ(rows.zaznam.size(), reference.zaznam.size()) << c.angle;
        for (size_t i = 0; i < rows.zaznam.size(); ++i) {
            const Tzaznam& a = rows.zaznam[i];
            const Tzaznam& b = reference.zaznam[i];
            EXPECT_EQ(a.cislo_cil, b.cislo_cil);
            EXPECT_NEAR(a.smer, b.smer, 1.5e-7) << c.angle << " row " << i;
            EXPECT_NEAR(a.zenit, b.zenit, 1.5e-7) << c.angle << " row " << i;
            EXPECT_NEAR(a.delka, b.delka, 1e-4) << c.angle << " row " << i;
            EXPECT_NEAR(a.vyska_cil, b.vyska_cil, 1e-4) << c.angle << " row " << i;
        }
        const Real foot = c.coord == "ft" ? 0.3048L : 1;
        for (const auto& [name, point] : Truth(p + "-truth.txt")) {
            EXPECT_NEAR(point.x * foot, truth.at(name).x, 1e-5) << c.coord;
            EXPECT_NEAR(point.z * foot, truth.at(name).z, 1e-5) << c.coord;
        }
    }
}

TEST(CliSimulate, BadOptionsAreUsageErrors) {
    const TempDir dir;
    const std::string p = (dir / "u").string();
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"simulate", "-o", p}, "--layout"},
        {{"simulate", "--layout", "grid"}, "-o"},
        {{"simulate", "--layout", "hexagon", "-o", p}, "grid|random|tiny|traverse"},
        {{"simulate", "--layout", "grid", "--points", "many", "-o", p}, "--points"},
        {{"simulate", "--layout", "grid", "--points", "2", "-o", p}, "points"},
        {{"simulate", "--layout", "tiny", "--points", "7", "-o", p}, "5 points"},
        {{"simulate", "--layout", "grid", "--neighbours", "20", "-o", p}, "neighbours"},
        {{"simulate", "--layout", "grid", "--spacing", "1e6", "-o", p}, "spacing"},
        {{"simulate", "--layout", "grid", "--sigma-direction", "-1", "-o", p}, "angles"},
        {{"simulate", "--layout", "grid", "--seed", "-1", "-o", p}, "--seed"},
        {{"simulate", "--layout", "grid", "--rows", "-o", p}, "--rows"},
        {{"simulate", "--layout", "grid", "-o", p, "input.mtx"}, "input.mtx"},
        {{"check", "--layout", "grid", "x.mtx"}, "--layout"},
    };
    for (const auto& [args, word] : cases) {
        const Outcome r = RunCli(args);
        EXPECT_EQ(r.status, kExitUsage) << word;
        EXPECT_TRUE(Contains(r.err, word)) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(p + ".mtx"));
}

TEST(CliSimulate, UnwritablePrefixFailsAndSaysWhere) {
    const TempDir dir;
    const std::string p = (dir / "missing" / "sit").string();
    const Outcome r = Simulate(p, {"--layout", "tiny"});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "sit.mtx")) << r.err;
    EXPECT_EQ(Simulate((dir / "").string(), {"--layout", "tiny"}).status, kExitRejected);
}

TEST(CliSimulate, HelpDescribesTheCommand) {
    const Outcome r = RunCli({"--help"});
    for (const char* word :
         {"simulate --layout", "--spacing", "--neighbours", "--sets", "--given",
          "--sigma-direction", "--sigma-zenith", "--sigma-distance", "--ppm", "--gross-direction",
          "--gross-distance", "--supplementary", "--seed", "PREFIX-truth.txt"})
        EXPECT_TRUE(Contains(r.out, word)) << word;
}

}  // namespace
}  // namespace vertano::cli
