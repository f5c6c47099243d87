#include <gtest/gtest.h>

#include "CliTestSupport.h"
#include "Options.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::Outcome;
using test::RunCli;

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

// Options before the command belong to it as those after it do: "--lang cs
// adjust ..." is Czech, and an option the command does not take is refused
// wherever it stands.
TEST(CliOptions, OptionsMayStandBeforeTheCommand) {
    Options o;
    std::string e;
    EXPECT_FALSE(ParseOptions({"--lang", "cs", "-v", "check", "a.mtx"}, o, e));
    EXPECT_EQ(e, "unknown option -v");
    ASSERT_TRUE(
        ParseOptions({"--lang", "cs", "--angle-unit=deg", "check", "a.mtx", "--verbose"}, o, e))
        << e;
    EXPECT_EQ(o.command, "check");
    EXPECT_EQ(o.language, 0);
    EXPECT_EQ(o.angleUnit, 2);
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.inputs, std::vector<std::string>{"a.mtx"});
    ASSERT_TRUE(ParseOptions(
        {"--threads", "2", "--length-unit", "ft", "adjust", "a.mtx", "--points", "p.txt"}, o, e))
        << e;
    EXPECT_EQ(o.threads, 2);
    EXPECT_EQ(o.lengthUnit, 1);
    EXPECT_EQ(o.inputs, std::vector<std::string>{"a.mtx"});
    ASSERT_TRUE(ParseOptions({"--lang", "cs", "project", "show", "job.gpr"}, o, e)) << e;
    EXPECT_EQ(o.subcommand, "show");
    EXPECT_EQ(o.project, "job.gpr");
    ASSERT_TRUE(ParseOptions({"--lang", "cs", "--help"}, o, e)) << e;
    EXPECT_EQ(o.command, "help");

    EXPECT_FALSE(ParseOptions({"--to", "asc", "check", "a.mtx"}, o, e));
    EXPECT_EQ(e, "check does not take --to");
    EXPECT_FALSE(ParseOptions({"--lang", "cs", "check", "a.mtx", "--lang", "en"}, o, e));
    EXPECT_EQ(e, "option --lang given twice");
    EXPECT_FALSE(ParseOptions({"--lang", "cs"}, o, e));
    EXPECT_EQ(e, "no command given");

    // The same run either way.
    const std::string tiny = vertano::test::DataPath("../../examples/tiny.asc").string();
    const std::string given = vertano::test::DataPath("../../examples/tiny-given.txt").string();
    const Outcome before = RunCli({"--lang", "cs", "adjust", tiny, "--points", given});
    const Outcome after = RunCli({"adjust", tiny, "--points", given, "--lang", "cs"});
    EXPECT_EQ(before.status, kExitOk) << before.err;
    EXPECT_EQ(before.out, after.out);
    EXPECT_TRUE(Contains(before.out, "Vyrovnání sítě")) << before.out;
}

TEST(CliOptions, EachCommandTakesOnlyItsOwnOptions) {
    Options o;
    std::string e;
    // clang-format off
    const std::vector<std::string> args = {
        "check", "--lang", "cs", "--order=simultaneous", "--mirror", "--drop-unassigned", "-y",
        "--rows", "--points", "p1", "--points=p2", "--yxz", "--coord-unit", "ft", "--scale", "m",
        "--supp-distance", "d", "--supp-plumb", "v", "--verbose", "raw.mtx"};
    // clang-format on
    ASSERT_TRUE(ParseOptions(args, o, e)) << e;
    EXPECT_EQ(o.language, 0);
    EXPECT_TRUE(o.simultaneous && o.mirror && o.dropUnassigned && o.yes && o.rows && o.yxz);
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.points, (std::vector<std::string>{"p1", "p2"}));
    EXPECT_EQ(o.coordUnit, 1);
    EXPECT_EQ(o.supplementary[1], std::vector<std::string>{"d"});  // slope distances
    EXPECT_EQ(o.supplementary[3], std::vector<std::string>{"v"});  // plumbing
    EXPECT_EQ(o.inputs, std::vector<std::string>{"raw.mtx"});
    ASSERT_TRUE(ParseOptions({"check", "--points", "p"}, o, e)) << e;  // no raw files needed

    ASSERT_TRUE(ParseOptions(
        {"reduce", "a.mtx", "-o", "b.mtx", "--points", "p", "--level", "123,5", "--faces"}, o, e))
        << e;
    EXPECT_EQ(o.level, 2);
    EXPECT_EQ(o.levelHeight, 123.5L);
    EXPECT_TRUE(o.faces);
    ASSERT_TRUE(
        ParseOptions({"reduce", "a.mtx", "-o", "b", "--points", "p", "--level=mean"}, o, e));
    EXPECT_EQ(o.level, 1);

    EXPECT_FALSE(ParseOptions({"check", "--lang", "de", "a.mtx"}, o, e));
    EXPECT_FALSE(ParseOptions({"check", "--order", "random", "a.mtx"}, o, e));
    EXPECT_FALSE(ParseOptions({"check", "--faces", "a.mtx"}, o, e));
    EXPECT_NE(e.find("--faces"), std::string::npos);
    EXPECT_FALSE(ParseOptions({"convert", "--to", "mtx", "--rows", "a.mtx", "-o", "b"}, o, e));
    EXPECT_FALSE(ParseOptions({"reduce", "--supp-bearing", "s", "a.mtx", "-o", "b"}, o, e));
    EXPECT_FALSE(ParseOptions({"reduce", "a.mtx"}, o, e));                     // no -o
    EXPECT_FALSE(ParseOptions({"reduce", "-o", "b", "--points", "p"}, o, e));  // no raw file
    // A level or scale factors without points to reduce with.
    EXPECT_FALSE(ParseOptions({"reduce", "a.mtx", "-o", "b", "--level", "zero"}, o, e));
    EXPECT_FALSE(ParseOptions({"reduce", "a.mtx", "-o", "b", "--scale", "m"}, o, e));
    EXPECT_FALSE(
        ParseOptions({"reduce", "a.mtx", "-o", "b", "--points", "p", "--level", "x"}, o, e));
    EXPECT_FALSE(ParseOptions({"check", "--rows"}, o, e));  // nothing to check
    // Set commands and row lists work on raw measurements only.
    EXPECT_FALSE(ParseOptions({"check", "--mirror", "--points", "p"}, o, e));
}

TEST(CliCheck, ReportsRowsAndStations) {
    vertano::test::TempDir dir;
    vertano::test::WriteBytes(dir / "a.MTX", kMtx);
    vertano::test::WriteBytes(dir / "b.asc", kAsc);
    const Outcome r = RunCli({"check", (dir / "a.MTX").string(), (dir / "b.asc").string()});
    // Single pointings in one face form no set: the checks count them.
    EXPECT_EQ(r.status, kExitChecksFailed) << r.err;
    EXPECT_TRUE(Contains(r.out, "a.MTX: Number of measurements: 2\n"));
    EXPECT_TRUE(Contains(r.out, "b.asc: Number of measurements: 1\n"));
    EXPECT_TRUE(Contains(r.out, "Added files: 2/2 (Number of measurements: 3)"));
    EXPECT_TRUE(Contains(r.out, "Stations: 2\n"));
    EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST(CliCheck, RejectedFileNamesLineAndReasonAndExitsOne) {
    vertano::test::TempDir dir;
    vertano::test::WriteBytes(dir / "bad.mtx", "1 A 1 B 1 0 100 0\n\n1 A 1 B 1 0 1e-13 0\n");
    vertano::test::WriteBytes(dir / "ok.mtx", kMtx);
    const Outcome r = RunCli({"check", (dir / "bad.mtx").string(), (dir / "ok.mtx").string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(
        Contains(r.err, "bad.mtx: rejected at line 2 (line 3 of the file): number out of range"))
        << r.err;
    EXPECT_TRUE(Contains(r.err, "1e-13"));
    EXPECT_TRUE(Contains(r.out, "ok.mtx: Number of measurements: 2"));
    // The rejected file was registered but added nothing.
    EXPECT_TRUE(Contains(r.out, "Added files: 1/2 (Number of measurements: 2)"));
    const Outcome missing = RunCli({"check", (dir / "none.asc").string()});
    EXPECT_EQ(missing.status, kExitRejected);
    EXPECT_TRUE(Contains(missing.err, "none.asc"));
}

TEST(CliCheck, UnitsAndFormatOptionsApply) {
    vertano::test::TempDir dir;
    vertano::test::WriteBytes(dir / "a.txt", "1 A 1 B 1 12.3045 98.3000 10\n");
    Outcome r = RunCli({"check", (dir / "a.txt").string()});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "--format"));
    r = RunCli({"check", "--format", "asc", (dir / "a.txt").string()});
    EXPECT_EQ(r.status, kExitRejected);
    r = RunCli({"check", "--format", "mtx", "--angle-unit", "dms", "--length-unit", "ft",
                (dir / "a.txt").string()});
    EXPECT_EQ(r.status, kExitChecksFailed) << r.err;  // read, but one face only
    EXPECT_TRUE(Contains(r.out, "a.txt: Number of measurements: 1"));
}

// Radians with five decimals lose up to 0.3 mgon: files in radians carry nine
// decimals at least, and the user may ask for more.
TEST(CliConvert, RadiansGetNineDecimalsAndMoreWhenAsked) {
    const vertano::test::TempDir dir;
    const std::string out = (dir / "rad.mtx").string();
    Outcome r = RunCli({"convert", "--to", "mtx", test::Data("net.mtx"), "-o", out});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string inGon = vertano::test::ReadBytes(out);
    EXPECT_TRUE(Contains(inGon, " 58.69440 99.23940 188.0729")) << inGon.substr(0, 80);
    // (units apply to reading and writing alike: the values are taken as radians)
    r = RunCli({"convert", "--to", "mtx", "--angle-unit", "rad", test::Data("net.mtx"), "-o", out});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(vertano::test::ReadBytes(out), " 58.694400000 99.239400000 188.0729"));
    r = RunCli({"convert", "--to", "mtx", "--angle-unit", "gon", "--angle-decimals", "7",
                "--length-decimals", "6", test::Data("net.mtx"), "-o", out});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(vertano::test::ReadBytes(out), " 58.6944000 99.2394000 188.072900"));
}

TEST(CliConvert, WritesReadableFilesAndRefusesRejectedInput) {
    vertano::test::TempDir dir;
    vertano::test::WriteBytes(dir / "a.mtx", kMtx);
    vertano::test::WriteBytes(dir / "b.asc", kAsc);
    const std::string out = (dir / "all.asc").string();
    Outcome r = RunCli(
        {"convert", "--to", "asc", (dir / "a.mtx").string(), (dir / "b.asc").string(), "-o", out});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Wrote 3 measurements to"));
    EXPECT_EQ(vertano::test::ReadBytes(out),
              "1 A 1.5000\r\n-1\r\nB 12.5000 1.6000 100.00000 98.50000\r\n"
              "C 0 1.6000 150.00000 101.00000\r\n/\r\n1 B 1.4000\r\n-1\r\n"
              "A 12.5000 1.5000 300.00000 101.50000\r\n/\r\n-2\r\n");
    r = RunCli({"check", out});
    EXPECT_TRUE(Contains(r.out, "Added files: 1/1 (Number of measurements: 3)"));
    EXPECT_TRUE(Contains(r.out, "Stations: 2\n"));

    r = RunCli({"convert", "--to", "mtx", "--export", (dir / "a.mtx").string(), "-o",
                (dir / "e.mtx").string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(vertano::test::ReadBytes(dir / "e.mtx"),
              "1 A B 100.00000 98.50000 12.5000\r\n1 A C 150.00000 101.00000 0\r\n");

    vertano::test::WriteBytes(dir / "bad.mtx", "1 A 1 B\n");
    r = RunCli({"convert", "--to", "mtx", (dir / "bad.mtx").string(), "-o", out});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "nothing written"));
    r = RunCli({"convert", "--to", "mtx", (dir / "a.mtx").string(), "-o", dir.Path().string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "folder"));
    EXPECT_TRUE(
        Contains(vertano::test::ReadBytes(out), "1 A 1.5000"));  // untouched by the failures
}

TEST(CliHelp, DocumentsCommandsOptionsAndExitStatuses) {
    const Outcome r = RunCli({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    for (const char* word : {"check",
                             "convert",
                             "reduce",
                             "--angle-unit",
                             "--length-unit",
                             "--format",
                             "--to",
                             "--export",
                             "-o",
                             "--lang",
                             "--order",
                             "--mirror",
                             "--drop-unassigned",
                             "--yes",
                             "--rows",
                             "--points",
                             "--yxz",
                             "--coord-unit",
                             "--scale",
                             "--supp-distance",
                             "--supp-bearing",
                             "--supp-height",
                             "--supp-plumb",
                             "--level",
                             "--faces",
                             "--verbose",
                             "Exit status"})
        EXPECT_TRUE(Contains(r.out, word)) << word;
    EXPECT_EQ(RunCli({"check", "--help"}).status, kExitOk);
    const Outcome none = RunCli({});
    EXPECT_EQ(none.status, kExitUsage);
    EXPECT_TRUE(Contains(none.err, "--help"));
}

TEST(CliExamples, BundledNetworksPassEveryCheck) {
    auto example = [](const std::string& name) {
        return vertano::test::DataPath("../../examples/" + name).string();
    };
    Outcome r =
        RunCli({"check", example("sit.mtx"), "--points", example("sit-given.txt"),
                "--supp-distance", example("sit-supp-distance.txt"), "--supp-bearing",
                example("sit-supp-bearing.txt"), "--supp-height", example("sit-supp-height.txt"),
                "--supp-plumb", example("sit-supp-plumb.txt")});
    EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Added files: 1/1 (Number of measurements: 312)"));
    EXPECT_TRUE(Contains(r.out, "Stations: 13\n"));
    r = RunCli({"check", example("tiny.asc"), "--points", example("tiny-given.txt")});
    EXPECT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Added files: 1/1 (Number of measurements: 80)"));
    EXPECT_TRUE(Contains(r.out, "Stations: 5\n"));
}

// The examples are what the simulator makes of their documented commands.
TEST(CliExamples, BundledNetworksAreReproducible) {
    const vertano::test::TempDir dir;
    const std::string sit = (dir / "sit").string();
    const std::string tiny = (dir / "tiny").string();
    ASSERT_EQ(RunCli({"simulate", "--layout", "grid", "--points", "12", "--neighbours", "6",
                      "--given", "3", "--sets", "2", "--supplementary", "--seed", "1", "-o", sit})
                  .status,
              kExitOk);
    ASSERT_EQ(RunCli({"simulate", "--layout", "tiny", "--format", "asc", "--seed", "1", "-o", tiny})
                  .status,
              kExitOk);
    for (const std::string name :
         {"sit.mtx", "sit-given.txt", "sit-truth.txt", "sit-supp-distance.txt",
          "sit-supp-bearing.txt", "sit-supp-height.txt", "sit-supp-plumb.txt", "tiny.asc",
          "tiny-given.txt", "tiny-truth.txt"}) {
        EXPECT_EQ(vertano::test::ReadBytes(dir / name),
                  vertano::test::ReadBytes(vertano::test::DataPath("../../examples/" + name)))
            << name;
    }
}

}  // namespace
}  // namespace vertano::cli
