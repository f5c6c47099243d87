// The whole network adjustment report of the bundled examples and the two
// transformation reports, every section on, in English and Czech, against
// reference files kept under tests/data/reports.
// Numbers may differ by one unit in their last decimal (platform rounding);
// anything else (a missing row, a moved column, a wrong unit) fails.
//
// scripts/update-report-references.sh writes the references anew
// (VERTANO_UPDATE_GOLDEN=1); read the diff before committing it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "ReportTestSupport.h"

namespace vertano::cli::test {
namespace {

struct Example {
    std::string name;
    std::vector<std::string> inputs;
};

std::string ExampleFile(const std::string& name) {
    return vertano::test::DataPath("../../examples/" + name).string();
}

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples = {
        {"sit",
         {ExampleFile("sit.mtx"), "--points", ExampleFile("sit-given.txt"), "--supp-distance",
          ExampleFile("sit-supp-distance.txt"), "--supp-bearing",
          ExampleFile("sit-supp-bearing.txt"), "--supp-height", ExampleFile("sit-supp-height.txt"),
          "--supp-plumb", ExampleFile("sit-supp-plumb.txt")}},
        {"tiny", {ExampleFile("tiny.asc"), "--points", ExampleFile("tiny-given.txt")}},
    };
    return examples;
}

// The report written against its reference, or the reference written anew
// when VERTANO_UPDATE_GOLDEN is set.
void ExpectReference(const std::string& reference, const std::string& report) {
    const std::string written = vertano::test::ReadBytes(report);
    if (std::getenv("VERTANO_UPDATE_GOLDEN") != nullptr) {
        vertano::test::WriteBytes(vertano::test::DataPath(reference), written);
        GTEST_SKIP() << "wrote " << reference;
    }
    const std::string expected = vertano::test::ReadBytes(vertano::test::DataPath(reference));
    ASSERT_FALSE(expected.empty()) << "no reference " << reference;
    EXPECT_EQ(CompareReports(expected, written), "") << reference;
}

class ReportGolden : public ::testing::TestWithParam<std::tuple<size_t, std::string>> {};

TEST_P(ReportGolden, MatchesTheReference) {
    const Example& example = Examples()[std::get<0>(GetParam())];
    const std::string lang = std::get<1>(GetParam());
    const vertano::test::TempDir dir;
    const std::string report = (dir / "report.txt").string();
    std::vector<std::string> args = {"adjust"};
    args.insert(args.end(), example.inputs.begin(), example.inputs.end());
    args.insert(args.end(), {"--report", report, "--report-sections", "all", "--lang", lang});
    const Outcome r = RunReport(args);
    ASSERT_EQ(r.status, 0) << r.err;

    ExpectReference("reports/" + example.name + "-all-" + lang + ".txt", report);
}

INSTANTIATE_TEST_SUITE_P(Examples, ReportGolden,
                         ::testing::Combine(::testing::Values(size_t{0}, size_t{1}),
                                            ::testing::Values("en", "cs")),
                         [](const auto& info) {
                             return Examples()[std::get<0>(info.param)].name + "_" +
                                    std::get<1>(info.param);
                         });

// The two transformation reports of the sit example (its identical points hold
// one wrong X), every section and the reports of the files read, in English and
// Czech.
class TransformReportGolden
    : public ::testing::TestWithParam<std::tuple<std::string, std::string>> {};

TEST_P(TransformReportGolden, MatchesTheReference) {
    const std::string method = std::get<0>(GetParam());
    const std::string lang = std::get<1>(GetParam());
    const vertano::test::TempDir dir;
    const std::string report = (dir / "report.txt").string();
    std::vector<std::string> args = {"transform"};
    args.insert(args.end(), Examples()[0].inputs.begin(), Examples()[0].inputs.end());
    args.insert(args.end(), {"--identical", ExampleFile("sit-identical.txt"), "--method", method,
                             "--report", report, "--report-sections", "all,F", "--lang", lang});
    const Outcome r = RunReport(args);
    ASSERT_EQ(r.status, 0) << r.err;

    ExpectReference("reports/sit-transform-" + method + "-" + lang + ".txt", report);
}

INSTANTIATE_TEST_SUITE_P(Examples, TransformReportGolden,
                         ::testing::Combine(::testing::Values("adjustment", "point-bearing"),
                                            ::testing::Values("en", "cs")),
                         [](const auto& info) {
                             std::string name =
                                 std::get<0>(info.param) + "_" + std::get<1>(info.param);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The comparison itself: what it lets pass and what it catches.
TEST(ReportCompare, ToleratesTheLastDecimalOnly) {
    const std::string a = "A  B[m]\r\n1  2.0004\r\n";
    EXPECT_EQ(CompareReports(a, "A  B[m]\r\n1  2.0005\r\n"), "");
    EXPECT_NE(CompareReports(a, "A  B[m]\r\n1  2.0006\r\n"), "");            // two units
    EXPECT_NE(CompareReports(a, "A  B[m]\r\n1  2.000\r\n"), "");             // a decimal lost
    EXPECT_NE(CompareReports(a, "A  B[ft]\r\n1  2.0004\r\n"), "");           // another unit
    EXPECT_NE(CompareReports(a, "A   B[m]\r\n1   2.0004\r\n"), "");          // a moved column
    EXPECT_NE(CompareReports(a, "A  B[m]\r\n1  2.0004\r\n2  1.0\r\n"), "");  // a row more
    EXPECT_NE(CompareReports(a, "A  B[m]\r\n"), "");                         // a row less
}

}  // namespace
}  // namespace vertano::cli::test
