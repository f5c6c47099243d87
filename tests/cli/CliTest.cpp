#include <gtest/gtest.h>

#include <sstream>

#include "Cli.h"
#include "Options.h"
#include "support/TestSupport.h"

namespace vertano::cli {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome RunCli(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

const char* kMtx = "1 A 1.5 B 1.6 100 98.5 12.5\r\n1 A 1.5 C 1.6 150 101 0\r\n";
const char* kAsc = "1 B 1.4\r\n-1\r\nA 12.5 1.5 300 101.5\r\n/\r\n-2\r\n";

TEST(CliOptions, ValuesInBothSpellingsAndUsageErrors) {
    Options o;
    std::string e;
    ASSERT_TRUE(ParseOptions({"convert", "--to=asc", "--angle-unit", "dms", "--length-unit=ft",
                              "--export", "a.mtx", "-o", "b.asc", "--", "-c.mtx"},
                             o, e))
        << e;
    EXPECT_EQ(o.to, 1);
    EXPECT_EQ(o.angleUnit, 3);
    EXPECT_EQ(o.lengthUnit, 1);
    EXPECT_TRUE(o.exportMode);
    EXPECT_EQ(o.output, "b.asc");
    EXPECT_EQ(o.inputs, (std::vector<std::string>{"a.mtx", "-c.mtx"}));
    EXPECT_FALSE(ParseOptions({"check", "--angle-unit"}, o, e));
    EXPECT_NE(e.find("needs a value"), std::string::npos);
    EXPECT_FALSE(ParseOptions({"check", "--bogus", "a.mtx"}, o, e));
    EXPECT_FALSE(ParseOptions({"convert", "a.mtx", "-o", "b"}, o, e));      // no --to
    EXPECT_FALSE(ParseOptions({"convert", "--to", "mtx", "a.mtx"}, o, e));  // no -o
    EXPECT_FALSE(ParseOptions({"check", "-o", "x", "a.mtx"}, o, e));
    EXPECT_FALSE(ParseOptions({"frobnicate"}, o, e));
}

TEST(CliCheck, ReportsRowsStationsAndExitsZero) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.MTX", kMtx);
    test::WriteBytes(dir / "b.asc", kAsc);
    const Outcome r = RunCli({"check", (dir / "a.MTX").string(), (dir / "b.asc").string()});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "a.MTX: 2 measurements read"));
    EXPECT_TRUE(Contains(r.out, "b.asc: 1 measurement read"));
    EXPECT_TRUE(Contains(r.out, "Stations: 2, measurements: 3"));
    EXPECT_TRUE(r.err.empty());
}

TEST(CliCheck, RejectedFileNamesLineAndReasonAndExitsOne) {
    test::TempDir dir;
    test::WriteBytes(dir / "bad.mtx", "1 A 1 B 1 0 100 0\n\n1 A 1 B 1 0 1e-13 0\n");
    test::WriteBytes(dir / "ok.mtx", kMtx);
    const Outcome r = RunCli({"check", (dir / "bad.mtx").string(), (dir / "ok.mtx").string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(
        Contains(r.err, "bad.mtx: rejected at line 2 (line 3 of the file): number out of range"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "1e-13"));
    EXPECT_TRUE(Contains(r.out, "Stations: 1, measurements: 2"));
    const Outcome missing = RunCli({"check", (dir / "none.asc").string()});
    EXPECT_EQ(missing.status, kExitRejected);
    EXPECT_TRUE(Contains(missing.err, "none.asc"));
}

TEST(CliCheck, UnitsAndFormatOptionsApply) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.txt", "1 A 1 B 1 12.3045 98.3000 10\n");
    Outcome r = RunCli({"check", (dir / "a.txt").string()});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "--format"));
    r = RunCli({"check", "--format", "asc", (dir / "a.txt").string()});
    EXPECT_EQ(r.status, kExitRejected);
    r = RunCli({"check", "--format", "mtx", "--angle-unit", "dms", "--length-unit", "ft",
                (dir / "a.txt").string()});
    EXPECT_EQ(r.status, kExitOk) << r.err;
}

TEST(CliConvert, WritesReadableFilesAndRefusesRejectedInput) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.mtx", kMtx);
    test::WriteBytes(dir / "b.asc", kAsc);
    const std::string out = (dir / "all.asc").string();
    Outcome r = RunCli(
        {"convert", "--to", "asc", (dir / "a.mtx").string(), (dir / "b.asc").string(), "-o", out});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Wrote 3 measurements to"));
    EXPECT_EQ(test::ReadBytes(out),
              "1 A 1.5000\r\n-1\r\nB 12.5000 1.6000 100.00000 98.50000\r\n"
              "C 0 1.6000 150.00000 101.00000\r\n/\r\n1 B 1.4000\r\n-1\r\n"
              "A 12.5000 1.5000 300.00000 101.50000\r\n/\r\n-2\r\n");
    r = RunCli({"check", out});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(Contains(r.out, "Stations: 2, measurements: 3"));

    r = RunCli({"convert", "--to", "mtx", "--export", (dir / "a.mtx").string(), "-o",
                (dir / "e.mtx").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(test::ReadBytes(dir / "e.mtx"),
              "1 A B 100.00000 98.50000 12.5000\r\n1 A C 150.00000 101.00000 0\r\n");

    test::WriteBytes(dir / "bad.mtx", "1 A 1 B\n");
    r = RunCli({"convert", "--to", "mtx", (dir / "bad.mtx").string(), "-o", out});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "nothing written"));
    r = RunCli({"convert", "--to", "mtx", (dir / "a.mtx").string(), "-o", dir.Path().string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "folder"));
    EXPECT_TRUE(Contains(test::ReadBytes(out), "1 A 1.5000"));  // untouched by the failures
}

TEST(CliHelp, DocumentsCommandsOptionsAndExitStatuses) {
    const Outcome r = RunCli({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    for (const char* word : {"check", "convert", "--angle-unit", "--length-unit", "--format",
                             "--to", "--export", "-o", "Exit status"})
        EXPECT_TRUE(Contains(r.out, word)) << word;
    EXPECT_EQ(RunCli({"check", "--help"}).status, kExitOk);
    const Outcome none = RunCli({});
    EXPECT_EQ(none.status, kExitUsage);
    EXPECT_TRUE(Contains(none.err, "--help"));
}

TEST(CliExamples, BundledNetworkLoads) {
    const Outcome r = RunCli({"check", test::DataPath("../../examples/sit.mtx").string(),
                              test::DataPath("../../examples/sit.asc").string()});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Stations: 4, measurements: 48"));
}

}  // namespace
}  // namespace vertano::cli
