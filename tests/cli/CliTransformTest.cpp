#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "Options.h"
#include "ReportTestSupport.h"
#include "files/SouradniceFormaty.h"
#include "matice/Konstanty.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::Json;
using test::LineStarting;
using test::Network;
using test::Outcome;
using test::ReadJson;
using test::RunCli;

constexpr double kW = 137 * 3.14159265358979323846 / 200;  // 137 gon
constexpr double kTx = -731000.125, kTy = -1045000.5, kTz = 3.25;

// The tiny network and its true points in a second system, written as an
// identical-point file (`yxz`: Y before X); `posun` moves the X of point 4003.
class TransformCli : public ::testing::Test {
  protected:
    std::string Identicke(double posun = 0, bool yxz = false, const std::string& navic = "") {
        std::ofstream f(net.File("-identical.txt"), std::ios::binary);
        for (const auto& [name, p] : test::ReadXyz(net.File("-truth.txt"))) {
            const double x =
                kTx + p.x * std::cos(kW) - p.y * std::sin(kW) + (name == "4003" ? posun : 0);
            const double y = kTy + p.x * std::sin(kW) + p.y * std::cos(kW);
            char line[200];
            std::snprintf(line, sizeof line, "%s %.4f %.4f %.4f%s\r\n", name.c_str(), yxz ? y : x,
                          yxz ? x : y, p.z + kTz, navic.c_str());
            f << line;
        }
        return net.File("-identical.txt");
    }

    Outcome Transform(std::vector<std::string> options) {
        std::vector<std::string> args = {"transform", net.File(".mtx"), "--points",
                                         net.File("-given.txt")};
        args.insert(args.end(), options.begin(), options.end());
        return RunCli(args);
    }

    Network net{{"--layout", "tiny", "--seed", "2"}};
};

// The key near the truth, every point transformed, the wrong identical point's X
// rejected and reported; the point file reads again as identical points with
// the deviations of the adjusted points.
TEST_F(TransformCli, SVyrovnanimZapiseKlicABody) {
    const std::string out = net.File("-out.txt");
    const std::string json = net.File("-out.json");
    const Outcome r = Transform({"--identical", Identicke(0.25), "-o", out, "--json", json});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Network adjustment\n"));
    EXPECT_TRUE(Contains(r.out, "Transformation with adjustment\n"));
    EXPECT_EQ(LineStarting(r.out, "Number of identical points:"), "Number of identical points: 5");
    EXPECT_EQ(LineStarting(r.out, "Number of rejected outliers: 1/15"),
              "Number of rejected outliers: 1/15 [0.067]");
    EXPECT_EQ(LineStarting(r.out, "Outliers:"), "Outliers: 4003 X");
    EXPECT_EQ(LineStarting(r.out, "Number of transformed points:"),
              "Number of transformed points: 5");

    const Json v = ReadJson(json);
    EXPECT_EQ(v["method"].text, "adjustment");
    EXPECT_EQ(v["summary"]["rejected"]["x"].number, 1);
    const Json& k = v["key"];
    EXPECT_NEAR(k["rotation"].number, kW, 3 * k["sigma_rotation"].number + 1e-12);
    EXPECT_NEAR(k["tz"].number, kTz, 3 * k["sigma_tz"].number);
    ASSERT_EQ(v["identical"].size(), 5u);
    int outliers = 0;
    for (const Json& p : v["identical"].items) {
        const bool wrong = p["name"].text == "4003";
        EXPECT_EQ(p["outlier"]["x"].boolean, wrong) << p["name"].text;
        EXPECT_FALSE(p["outlier"]["y"].boolean);
        if (wrong) {
            EXPECT_NEAR(p["residuals"]["x"].number, -0.25, 0.01);
        }
        outliers += p["outlier"]["x"].boolean;
    }
    EXPECT_EQ(outliers, 1);
    ASSERT_EQ(v["points"].size(), 5u);

    const auto lines = test::FileTokens(out);
    ASSERT_EQ(lines.size(), 5u);
    int withDeviations = 0;
    for (const auto& t : lines) withDeviations += t.size() == 7;
    EXPECT_EQ(withDeviations, 2);  // tiny: three of the five points are given
    std::vector<std::string> text;
    for (const auto& t : lines) {
        std::string line;
        for (const std::string& w : t) line += w + " ";
        text.push_back(line);
    }
    EXPECT_TRUE(ReadIdenticalPointsXYZ(text, 0).ok);
}

// --solver chooses the solver of the key as of the network: both write the
// same transformed points and reject the same coordinate.
TEST_F(TransformCli, HustyARidkyResicDajiStejneBody) {
    const std::string identicke = Identicke(0.25);
    std::vector<std::vector<std::vector<std::string>>> soubory;
    for (const std::string resic : {"dense", "sparse"}) {
        const std::string out = net.File("-" + resic + ".txt");
        const Outcome r = Transform({"--identical", identicke, "--solver", resic, "-o", out});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(LineStarting(r.out, "Outliers:"), "Outliers: 4003 X");
        soubory.push_back(test::FileTokens(out));
    }
    ASSERT_EQ(soubory[0].size(), 5u);
    EXPECT_EQ(soubory[0], soubory[1]);
}

// Point and bearing: default pairs, chosen pairs with a bearing, the same pair
// twice (exit 4 after the message), a number that is no identical point.
TEST_F(TransformCli, BodASmernik) {
    const std::string identicke = Identicke();
    Outcome r = Transform(
        {"--identical", identicke, "--method", "point-bearing", "--json", net.File("-pb.json")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(Contains(r.out, "Point and bearing transformation\n"));
    const Json v = ReadJson(net.File("-pb.json"));
    EXPECT_NEAR(v["key"]["rotation"].number, kW, 2e-5);  // adjusted, not true points
    EXPECT_TRUE(v["identical"][0]["outlier"].IsNull());

    r = Transform({"--identical", identicke, "--method", "point-bearing", "--base", "4001",
                   "--orient", "4003", "--bearing", "400"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(LineStarting(r.out, "Bearing [gon]:"), "Bearing [gon]: 0.00000");
    EXPECT_EQ(LineStarting(r.out, "Point:"), "Point: 4001");

    r = Transform({"--identical", identicke, "--method", "point-bearing", "--base", "4001",
                   "--orient", "4001"});
    EXPECT_EQ(r.status, kExitStopped);
    EXPECT_TRUE(Contains(r.err,
                         "Transformation error: An error occurred during the coordinates "
                         "transformation process!"))
        << r.err;

    r = Transform({"--identical", identicke, "--method", "point-bearing", "--base", "4001",
                   "--orient", "X9"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "--orient: point 'X9' is not an identical point")) << r.err;
}

// Mistakes found before anything is computed, a refused file, and the
// transformation analysis stopping with notice 10.
TEST_F(TransformCli, ChybneVstupy) {
    const std::string identicke = Identicke();
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{},
          {"--identical", identicke, "--base", "4001", "--orient", "4002"},
          {"--identical", identicke, "--method", "point-bearing", "--base", "4001"},
          {"--identical", identicke, "--method", "point-bearing", "--bearing", "1"},
          {"--identical", identicke, "--method", "point-bearing", "--base", "4001", "--orient",
           "4002", "--bearing", "x"},
          {"--identical", identicke, "--method", "both"},
          {"--identical", identicke, "--coords", net.File("-c.txt")},
          {"--identical", identicke, "-o", identicke}}) {
        EXPECT_EQ(Transform(bad).status, kExitUsage) << (bad.empty() ? "" : bad.back());
    }

    Outcome r = Transform({"--identical", Identicke(0, false, " -0.001")});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "-identical.txt")) << r.err;

    std::ofstream(net.File("-cizi.txt"), std::ios::binary) << "A 1 2 3\r\n4001 10 20 30\r\n";
    r = Transform({"--identical", net.File("-cizi.txt")});
    EXPECT_EQ(r.status, kExitStopped);
    EXPECT_TRUE(Contains(r.err,
                         "Identical points error: At least two inserted identical points "
                         "must correspond to the network points."))
        << r.err;
}

// Y before X, deviations too: the same key as the XYZ file.
TEST_F(TransformCli, IdentickeYxz) {
    const Outcome r = Transform({"--identical", Identicke(0, true, " 0.003 0.002"),
                                 "--identical-yxz", "--json", net.File("-yxz.json")});
    ASSERT_EQ(r.status, 0) << r.err;
    const Json v = ReadJson(net.File("-yxz.json"));
    EXPECT_NEAR(v["key"]["rotation"].number, kW, 3 * v["key"]["sigma_rotation"].number);
    EXPECT_NEAR(v["key"]["tx"].number, kTx, 0.01);
}

}  // namespace
}  // namespace vertano::cli

namespace vertano::cli {
namespace {

// --report: the report of the method, with the reports of the files read when
// F is named; nothing when the transformation stopped. check and adjust append
// the files' reports too.
TEST(TransformReportCli, ZpravaMetodyASouboru) {
    const Network net{{"--layout", "tiny", "--seed", "2"}};
    std::ofstream(net.File("-identical.txt"), std::ios::binary)
        << "4001 10 20 30\r\n4002 110 20 30 0.004\r\n4003 60 120 31\r\n";
    const std::string report = net.File("-report.txt");
    const std::vector<std::string> base = {
        "transform",   net.File(".mtx"),           "--points", net.File("-given.txt"),
        "--identical", net.File("-identical.txt"), "--report", report};
    auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = base;
        args.insert(args.end(), more.begin(), more.end());
        return test::RunReport(args);
    };
    Outcome r = with({"--report-sections", "D-02,f"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::string text = vertano::test::ReadBytes(report);
    EXPECT_TRUE(Contains(text, "D-02 Basic information about transformation with adjustment"));
    EXPECT_FALSE(Contains(text, "D-06"));
    EXPECT_TRUE(Contains(text, "Add points - Identical points\r\n"));
    EXPECT_TRUE(Contains(text, "1  net-identical.txt  Ok"));

    r = with({"--method", "point-bearing"});
    ASSERT_EQ(r.status, 0) << r.err;
    text = vertano::test::ReadBytes(report);
    EXPECT_TRUE(Contains(text, "E-02 Basic information about point and bearing transformation"));
    EXPECT_FALSE(Contains(text, "Add points"));

    std::filesystem::remove(report);
    r = with({"--method", "point-bearing", "--base", "4001", "--orient", "4001"});
    EXPECT_EQ(r.status, kExitStopped);
    EXPECT_FALSE(std::filesystem::exists(report));

    r = test::RunReport({"check", net.File(".mtx"), "--report", report, "--report-sections", "F"});
    ASSERT_EQ(r.status, 0) << r.err;
    text = vertano::test::ReadBytes(report);
    EXPECT_TRUE(Contains(text, "Protocol A - "));
    EXPECT_TRUE(Contains(text, "Add raw measurements\r\n"));
}

}  // namespace
}  // namespace vertano::cli
