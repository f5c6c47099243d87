// --report and --report-sections: what each command writes, and the mistakes
// refused before anything is read.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "Options.h"
#include "ReportTestSupport.h"

namespace vertano::cli::test {
namespace {

std::string Example(const std::string& name) {
    return vertano::test::DataPath("../../examples/" + name).string();
}

bool HasLine(const std::string& report, const std::string& line) {
    for (const std::string& l : ReportLines(report))
        if (l == line) return true;
    return false;
}

TEST(CliReport, CheckWritesPartAOfTheRawMeasurements) {
    const vertano::test::TempDir dir;
    const std::string path = (dir / "raw.txt").string();
    const Outcome r = RunReport({"check", Example("tiny.asc"), "--report", path, "--lang", "cs"});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    const std::string report = vertano::test::ReadBytes(path);
    EXPECT_TRUE(HasLine(report, "Protokol A - Zpracování surových měření"));
    EXPECT_TRUE(HasLine(report, "Vytvořeno: 08.12.2026 14:05:31"));
    EXPECT_TRUE(HasLine(report, "A-04 Průměr měřických skupin"));
    EXPECT_FALSE(HasLine(report, "Protokol B - Analýza měření"));
}

TEST(CliReport, AdjustWritesTheSectionsListed) {
    const vertano::test::TempDir dir;
    const std::string path = (dir / "r.txt").string();
    const Outcome r =
        RunReport({"adjust", Example("tiny.asc"), "--points", Example("tiny-given.txt"), "--report",
                   path, "--report-sections", "a-01, C-02"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string report = vertano::test::ReadBytes(path);
    EXPECT_TRUE(HasLine(report, "A-01 Raw measurements"));
    EXPECT_TRUE(HasLine(report, "C-02 Adjusted coordinates (A posteriori accuracy)"));
    EXPECT_FALSE(HasLine(report, "A-02 Difference between positions [II-I]"));
    EXPECT_FALSE(HasLine(report, "Protocol B - Measurement analysis"));
    EXPECT_FALSE(HasLine(report, "C-01 Basic information about network adjustment"));
}

TEST(CliReport, MistakesAreRefusedBeforeAnythingIsRead) {
    const vertano::test::TempDir dir;
    const std::string path = (dir / "r.txt").string();
    const std::vector<std::string> adjust = {"adjust", Example("tiny.asc"), "--points",
                                             Example("tiny-given.txt")};
    const auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = adjust;
        args.insert(args.end(), extra.begin(), extra.end());
        return RunReport(args);
    };
    Outcome r = with({"--report", path, "--report-sections", "C-02,C-06"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "bad value 'C-02,C-06' for --report-sections")) << r.err;
    EXPECT_EQ(with({"--report-sections", "all"}).status, kExitUsage);  // no --report
    r = with({"--report", path, "--json", path});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "one output would replace the other")) << r.err;
    EXPECT_EQ(RunReport({"check", Example("tiny.asc"), "--report-sections", "F"}).status,
              kExitUsage);  // no --report
    EXPECT_EQ(RunReport({"check", "--points", Example("tiny-given.txt"), "--report", path}).status,
              kExitUsage);
    // A section of another command's report would leave an empty report.
    r = with({"--report", path, "--report-sections", "C-01,D-01"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "--report-sections D-01: the report of adjust has no such section"))
        << r.err;
    r = RunReport({"transform", Example("tiny.asc"), "--points", Example("tiny-given.txt"),
                   "--identical", Example("sit-identical.txt"), "--method", "point-bearing",
                   "--report", path, "--report-sections", "d"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "point-bearing has no such section (its parts: E)")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(CliReport, NoReportOfRawDataWithAFileRefused) {
    const vertano::test::TempDir dir;
    const std::string path = (dir / "r.txt").string();
    vertano::test::WriteBytes(dir / "bad.mtx", "1 A 1.5 B 1.5 x 100 100\n");
    const Outcome r =
        RunReport({"check", Example("tiny.asc"), (dir / "bad.mtx").string(), "--report", path});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "the report was not written")) << r.err;
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace vertano::cli::test
