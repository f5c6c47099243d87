#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "CliTestSupport.h"
#include "OptionTable.h"
#include "Options.h"
#include "mereni/Text.h"

namespace vertano::cli {
namespace {

namespace fs = std::filesystem;
using test::Contains;
using test::Data;
using test::Outcome;
using test::RunCli;
using vertano::test::ReadBytes;
using vertano::test::TempDir;
using vertano::test::WriteBytes;

std::string Refused(const std::vector<std::string>& args) {
    Options o;
    std::string error;
    EXPECT_FALSE(ParseOptions(args, o, error));
    return error;
}

Options Parsed(const std::vector<std::string>& args) {
    Options o;
    std::string error;
    EXPECT_TRUE(ParseOptions(args, o, error)) << error;
    return o;
}

std::vector<std::string> Adjust(std::vector<std::string> more) {
    std::vector<std::string> args = {"adjust", "r.mtx", "--points", "p.txt"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Of two values one would be dropped without a word; a file name left out would
// be taken from the option after it; an empty file name would write nothing.
TEST(CliBadOptions, ASingleValueIsGivenOnceAndIsNeitherAnOptionNorEmpty) {
    EXPECT_TRUE(Contains(Refused(Adjust({"--json", "a", "--json", "b"})), "--json given twice"));
    EXPECT_TRUE(Contains(Refused(Adjust({"--threads", "1", "--threads=2"})), "given twice"));
    EXPECT_TRUE(Contains(Refused({"convert", "--to", "mtx", "a.mtx", "-o", "x", "--output", "y"}),
                         "-o given twice"));
    EXPECT_TRUE(Contains(
        Refused({"simulate", "--layout", "tiny", "--points", "5", "--points", "5", "-o", "x"}),
        "--points given twice"));
    // Lists may be repeated.
    const Options lists = Parsed(Adjust(
        {"--points", "q.txt", "--scale", "s", "--scale", "t", "--unfix", "A", "--unfix", "B"}));
    EXPECT_EQ(lists.points.size(), 2u);
    EXPECT_EQ(lists.scale.size(), 2u);

    EXPECT_TRUE(Contains(Refused(Adjust({"--json", "--yes"})), "--json needs a value"));
    EXPECT_TRUE(Contains(Refused({"convert", "--to", "mtx", "a.mtx", "-o", "--export"}),
                         "-o needs a value"));
    EXPECT_EQ(Parsed(Adjust({"--json=--yes"})).json, "--yes");  // spelled out: meant
    EXPECT_EQ(Parsed(Adjust({"--level", "-5"})).levelHeight, -5);

    for (const std::string option : {"--json=", "--coords=", "--points=", "--scale="})
        EXPECT_TRUE(Contains(Refused(Adjust({option})), "needs a file name")) << option;
    EXPECT_TRUE(Contains(Refused({"reduce", "a.mtx", "-o", ""}), "-o needs a file name"));

    EXPECT_TRUE(Contains(Refused(Adjust({"--yes=1"})), "--yes takes no value"));
    EXPECT_TRUE(Contains(Refused(Adjust({"--free=no"})), "--free takes no value"));
}

TEST(CliBadOptions, NumbersOutsideWhatTheProgramTakes) {
    for (const std::string bad : {"-1", "99999", "abc", ""})
        EXPECT_TRUE(Contains(Refused(Adjust({"--threads", bad})), "--threads")) << bad;
    for (const std::string bad : {"2", "nan", "inf", "0"})
        EXPECT_TRUE(Contains(Refused(Adjust({"--alpha", bad})), "--alpha")) << bad;
    // "between 0 and 1" would not say why 1e-10 is refused
    EXPECT_TRUE(Contains(Refused(Adjust({"--alpha", "1e-10"})), "greater than 1e-8"));
    for (const std::string bad : {"11", "-1", "2.5"}) {
        const std::string e =
            Refused({"convert", "--to", "mtx", "a.mtx", "-o", "b.mtx", "--angle-decimals", bad});
        EXPECT_TRUE(Contains(e, "--angle-decimals (a whole number from 0 to 10)")) << e;
    }
    EXPECT_TRUE(Contains(Refused(Adjust({"--level", "junk"})), "--level"));
    EXPECT_TRUE(Contains(Refused(Adjust({"--estimator", "unknown"})), "--estimator"));
    // The level height the settings take: strictly within 3000 m of zero, in the
    // coordinate unit given anywhere on the line.
    EXPECT_EQ(Parsed(Adjust({"--level", "2999.9"})).levelHeight, 2999.9L);
    EXPECT_EQ(Parsed(Adjust({"--level", "9000", "--coord-unit", "ft"})).levelHeight, 9000);
    for (const std::string bad : {"3000", "-3000", "-6380000", "1e6"}) {
        EXPECT_TRUE(Contains(Refused(Adjust({"--level", bad})), "between -3000 and 3000 m")) << bad;
    }
    EXPECT_TRUE(Contains(Refused({"reduce", "a.mtx", "-o", "b", "--points", "p", "--coord-unit",
                                  "ft", "--level", "9900"}),
                         "--level"));
}

// The generator takes 0 for "the default": typed by the user it would quietly
// become every point or eight neighbours.
TEST(CliBadOptions, SimulateCountsOfZeroAreRefused) {
    for (const std::string option : {"--points", "--neighbours", "--stations"}) {
        for (const std::string bad : {"0", "-2"}) {
            const std::string e = Refused({"simulate", "--layout", "grid", option, bad, "-o", "x"});
            EXPECT_TRUE(Contains(e, option + " (a whole number of at least 1)")) << e;
        }
    }
    EXPECT_EQ(
        Parsed({"simulate", "--layout", "grid", "--given", "0", "-o", "x"}).simulace.pocetZadanych,
        0);
}

TEST(CliBadOptions, AfterTheDoubleDashEverythingIsAFile) {
    EXPECT_EQ(Parsed({"check", "--", "--rows", "-y"}).inputs,
              (std::vector<std::string>{"--rows", "-y"}));
    const Outcome r = RunCli({"check", "--", "--rows"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "cannot tell the format of '--rows'")) << r.err;
}

// A file read twice counts every measurement twice; an output on an input
// destroys it; two outputs on one file keep only one. Nothing is read.
TEST(CliFileNames, EachFileIsNamedOnce) {
    const TempDir dir;
    const std::string raw = (dir / "raw.mtx").string();
    const std::string points = (dir / "p.txt").string();
    WriteBytes(raw, ReadBytes(Data("net.mtx")));
    WriteBytes(points, ReadBytes(Data("points.txt")));
    fs::create_directory(dir / "sub");
    const std::string other = (dir / "sub" / ".." / "raw.mtx").string();

    Outcome r = RunCli({"check", raw, other});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "are the same file: it would be read twice")) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    std::error_code ec;
    fs::create_symlink(raw, dir / "link.mtx", ec);
    if (!ec) {
        EXPECT_EQ(RunCli({"check", raw, (dir / "link.mtx").string()}).status, kExitUsage);
    }
    EXPECT_EQ(RunCli({"check", "--points", points, "--points", points}).status, kExitUsage);

    const std::string before = ReadBytes(raw);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"reduce", raw, "-o", raw},
          {"convert", "--to", "asc", raw, "-o", other},
          {"approx", raw, "--points", points, "-o", points},
          {"adjust", raw, "--points", points, "--coords", raw}}) {
        r = RunCli(args);
        EXPECT_EQ(r.status, kExitUsage) << args[0];
        EXPECT_TRUE(Contains(r.err, "the output would replace an input")) << r.err;
    }
    EXPECT_EQ(ReadBytes(raw), before);
    EXPECT_EQ(ReadBytes(points), ReadBytes(Data("points.txt")));

    const std::string out = (dir / "out.txt").string();
    r = RunCli({"adjust", raw, "--points", points, "--coords", out, "--json", out});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "one output would replace the other")) << r.err;
    EXPECT_FALSE(fs::exists(out));
}

// Two names of one file are caught before the file exists ("o.txt", "./o.txt",
// "sub/../o.txt") and a hard link of an input is that input.
TEST(CliFileNames, NamesOfOneFileAreOneBeforeItExistsAndThroughHardLinks) {
    const TempDir dir;
    WriteBytes(dir / "raw.mtx", ReadBytes(Data("net.mtx")));
    WriteBytes(dir / "p.txt", ReadBytes(Data("points.txt")));
    fs::create_hard_link(dir / "raw.mtx", dir / "copy.mtx");
    const fs::path here = fs::current_path();
    fs::current_path(dir.Path());
    const Outcome sameOut = RunCli(
        {"adjust", "raw.mtx", "--points", "p.txt", "--coords", "o.txt", "--json", "./o.txt"});
    const Outcome viaMissing = RunCli(
        {"adjust", "raw.mtx", "--points", "p.txt", "--coords", "o.txt", "--json", "sub/../o.txt"});
    const Outcome hardLink = RunCli({"check", "raw.mtx", "copy.mtx"});
    fs::current_path(here);
    EXPECT_EQ(sameOut.status, kExitUsage);
    EXPECT_TRUE(Contains(sameOut.err, "one output would replace the other")) << sameOut.err;
    EXPECT_EQ(viaMissing.status, kExitUsage);
    EXPECT_EQ(hardLink.status, kExitUsage);
    EXPECT_TRUE(Contains(hardLink.err, "it would be read twice")) << hardLink.err;
    EXPECT_FALSE(fs::exists(dir / "o.txt"));
}

// "-" is the standard output for every output option; the report then goes to
// the error output, so that the output can be piped on as it is.
TEST(CliOutputs, DashWritesToTheStandardOutputAndTheReportMovesAside) {
    Outcome r;
    std::string shown;
    {
        vertano::test::CoutCapture cout;
        r = RunCli({"convert", "--to", "mtx", Data("net.mtx"), "-o", "-"});
        shown = cout.Text();
    }
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_TRUE(Contains(r.err, "Wrote ")) << r.err;
    EXPECT_EQ(shown.rfind("1 4001 1.5620 4002 1.5000 58.69440 99.23940 188.0729\r\n", 0), 0u)
        << shown.substr(0, 80);

    const test::Network n({"--layout", "tiny"});
    {
        vertano::test::CoutCapture cout;
        r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--json", "-"});
        shown = cout.Text();
    }
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.err, "Unknowns: 11")) << r.err;  // the summary
    EXPECT_EQ(shown.rfind("{", 0), 0u) << shown.substr(0, 80);

    r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--coords", "-",
                "--json", "/dev/stdout"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "both go to the standard output")) << r.err;
}

// The result files (epoch, DXF, picture, project) follow the rules of every
// output: "-" is the standard output where the file is text, one file is never
// named twice, and an input (a project too) is never replaced.
TEST(CliOutputs, ResultFilesAndProjectsFollowTheOutputRules) {
    const TempDir dir;
    const test::Network n({"--layout", "tiny"});
    const std::string raw = n.File(".mtx");
    const std::string given = n.File("-given.txt");
    Outcome r;
    std::string shown;
    {
        vertano::test::CoutCapture cout;
        r = RunCli({"adjust", raw, "--points", given, "--epoch", "-"});
        shown = cout.Text();
    }
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_TRUE(Contains(r.err, "Unknowns: 11")) << r.err;
    EXPECT_TRUE(Contains(shown, "\r\n")) << shown.substr(0, 80);

    const std::string out = (dir / "out.txt").string();
    const std::string same = (dir / "sub" / ".." / "out.txt").string();
    r = RunCli({"adjust", raw, "--points", given, "--coords", out, "--dxf", same});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "one output would replace the other")) << r.err;
    r = RunCli({"adjust", raw, "--points", given, "--epoch", given});
    EXPECT_TRUE(Contains(r.err, "the output would replace an input")) << r.err;
    r = RunCli({"adjust", raw, "--points", given, "--plot", "-"});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "--plot")) << r.err;
    EXPECT_FALSE(fs::exists(out));

    const std::string job = (dir / "job.gpr").string();
    ASSERT_EQ(RunCli({"project", "save", "-o", job, raw, "--points", given}).status, kExitOk);
    const std::string saved = ReadBytes(job);
    r = RunCli({"convert", "--to", "mtx", "--project", job, "-o", job});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "the output would replace an input")) << r.err;
    EXPECT_EQ(ReadBytes(job), saved);
}

// A named pipe as the output is written, not replaced by a regular file.
TEST(CliOutputs, ANamedPipeStaysAPipe) {
    const TempDir dir;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const Outcome r = RunCli({"convert", "--to", "asc", Data("net.mtx"), "-o", pipe.string()});
    char buffer[16] = {};
    const ssize_t n = read(reader, buffer, sizeof buffer);
    close(reader);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0).substr(0, 8), "1 4001 1");
}

// A name with control characters is refused at its line, and neither it nor a
// file name with ESC in it reaches the terminal raw.
TEST(CliBadFiles, ControlCharactersAreRefusedAndNeverPrintedRaw) {
    const TempDir dir;
    const std::string raw = (dir / "esc.mtx").string();
    WriteBytes(raw, "1 4001 1.5 4002\x1B]0;owned\x07 1.5 0 100 50\r\n");
    const Outcome r = RunCli({"check", raw});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.out + r.err, "line 1: a control character in the line")) << r.err;
    const std::string oddName = (dir / "a\x1B[2Jb.mtx").string();
    const Outcome missing = RunCli({"check", oddName});
    for (const Outcome& o : {r, missing}) {
        EXPECT_EQ((o.out + o.err).find('\x1B'), std::string::npos) << o.out << o.err;
        EXPECT_EQ((o.out + o.err).find('\x07'), std::string::npos);
    }
    EXPECT_TRUE(Contains(missing.out + missing.err, "a\\x1B[2Jb.mtx")) << missing.err;
}

// A file without a single measurement or point is most likely the wrong one:
// check says so, a command that computes refuses it and writes nothing.
TEST(CliEmptyFiles, CheckWarnsTheOtherCommandsRefuse) {
    const TempDir dir;
    const std::string empty = (dir / "empty.mtx").string();
    const std::string blank = (dir / "blank.mtx").string();
    const std::string none = (dir / "none.txt").string();
    WriteBytes(empty, "");
    WriteBytes(blank, "\r\n   \r\n\t\n");
    WriteBytes(none, "\n");
    Outcome r = RunCli({"check", empty});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(Contains(r.err, "empty.mtx: warning: no measurements in the file")) << r.err;
    const std::string plumb = (dir / "plumb.txt").string();
    WriteBytes(plumb, "");
    r = RunCli({"check", "--points", none, "--supp-plumb", plumb});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_TRUE(Contains(r.err, "none.txt: warning: no points in the file")) << r.err;
    EXPECT_TRUE(Contains(r.err, "plumb.txt: warning: no measurements in the file")) << r.err;

    const std::string out = (dir / "out.mtx").string();
    WriteBytes(out, "old");
    const std::string net = Data("net.mtx");
    const std::string given = Data("points.txt");
    const std::vector<std::pair<std::vector<std::string>, std::string>> runs = {
        {{"convert", "--to", "asc", empty, "-o", out}, "empty.mtx: no measurements"},
        {{"reduce", net, blank, "-o", out}, "blank.mtx: no measurements"},
        {{"reduce", net, "--points", given, "--scale", none, "-o", out}, "no scale factors"},
        {{"approx", blank, "--points", given, "-o", out}, "blank.mtx: no measurements"},
        {{"adjust", net, "--points", none}, "none.txt: no points"},
        {{"adjust", net, "--points", given, "--supp-distance", none}, "no measurements"}};
    for (const auto& [args, message] : runs) {
        r = RunCli(args);
        EXPECT_EQ(r.status, kExitRejected) << args[0] << " " << r.err;
        EXPECT_TRUE(Contains(r.err, message)) << r.err;
        EXPECT_TRUE(Contains(r.err, "nothing ")) << r.err;
    }
    EXPECT_EQ(ReadBytes(out), "old");
}

// Garbage is refused with what, which file and which line, in a message short
// enough to read whatever the line held.
TEST(CliBadFiles, GarbageIsRefusedWithAShortMessage) {
    const TempDir dir;
    const std::string digits(100000, '7');
    WriteBytes(dir / "long.mtx", "1 A 1.5 B 1.6 " + digits + " 98.5 12.5\n");
    WriteBytes(dir / "nan.mtx", "1 A 1.5 B 1.6 10 98.5 12.5\n1 A 1.5 B 1.6 nan 301.5 12.5\n");
    WriteBytes(dir / "inf.mtx", "\n1 A 1.5 B 1.6 10 98.5 inf\n");
    WriteBytes(dir / "bin.mtx", std::string("1 A 1\n\x01\x00\xff\xfe", 10));
    WriteBytes(dir / "name.txt", std::string(200000, 'P') + " 1 2 x\n");
    fs::create_directory(dir / "folder.mtx");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"long.mtx", "long.mtx: rejected at line 1: number out of range: 7777"},
        {"nan.mtx", "nan.mtx: rejected at line 2: not a number: nan"},
        {"inf.mtx", "inf.mtx: rejected at line 1 (line 2 of the file): not a number: inf"},
        {"bin.mtx", "bin.mtx: rejected at line 2"},
        {"folder.mtx", "folder.mtx: it is a folder"},
        {"missing.mtx", "missing.mtx"}};
    for (const auto& [name, message] : cases) {
        const Outcome r = RunCli({"check", (dir / name).string()});
        EXPECT_EQ(r.status, kExitRejected) << name;
        EXPECT_TRUE(Contains(r.err, message)) << r.err.substr(0, 300);
        EXPECT_LT(r.err.size(), 400u) << name;
    }
    EXPECT_TRUE(Contains(RunCli({"check", (dir / "long.mtx").string()}).err, "(100000 bytes)"));
    const Outcome r = RunCli({"check", "--points", (dir / "name.txt").string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "line 1, point PPPP")) << r.err.substr(0, 300);
    EXPECT_LT(r.err.size(), 400u);
}

// Given points that the measurements never name leave no mean to write; the
// message says why rather than blaming the sets.
TEST(CliReduceFaults, GivenPointsTheMeasurementsNeverName) {
    const TempDir dir;
    WriteBytes(dir / "far.txt", "9001 0 0 0\n9002 100 0 0\n9003 0 100 5\n");
    const std::string out = (dir / "out.mtx").string();
    const Outcome r =
        RunCli({"reduce", Data("net.mtx"), "--points", (dir / "far.txt").string(), "-o", out});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.err, "every mean was left out")) << r.err;
    EXPECT_FALSE(Contains(r.err, "no measurement set"));
    EXPECT_FALSE(fs::exists(out));
    // Measurements in one face only form no set: the checks stop the analysis.
    const Outcome one = RunCli({"adjust", Data("oneface.mtx"), "--points", Data("points.txt")});
    EXPECT_EQ(one.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(one.err, "nothing adjusted"));
}

// An output that cannot be written after a successful adjustment: the other one
// stays written, and the run does not end in success.
TEST(CliOutputs, AFailedOutputKeepsTheOtherAndFails) {
    const test::Network n({"--layout", "tiny"});
    const std::string coords = n.File("-adjusted.txt");
    Outcome r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--coords",
                        coords, "--json", (n.dir / "no" / "x.json").string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.out, "Wrote " + coords));
    EXPECT_FALSE(Contains(r.out, "x.json"));
    EXPECT_TRUE(Contains(r.err, "vertano-cli: Cannot save")) << r.err;
    EXPECT_EQ(test::ReadXyz(coords).size(), 5u);

    const std::string json = n.File(".json");
    r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--coords",
                n.dir.Path().string(), "--json", json});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "folder")) << r.err;
    EXPECT_TRUE(fs::exists(json));

    for (const std::string& target : {n.dir.Path().string(), std::string("/nonexistent/x.txt")}) {
        r = RunCli({"approx", n.File(".mtx"), "--points", n.File("-given.txt"), "-o", target});
        EXPECT_EQ(r.status, kExitRejected) << target;
        EXPECT_TRUE(Contains(r.err, "Cannot save")) << r.err;
    }
}

// simulate writes a set of files that belong together: when one of them cannot
// be written none is, so no new measurements end up beside an old truth.
TEST(CliOutputs, SimulateWritesAllItsFilesOrNone) {
    const TempDir dir;
    const std::string prefix = (dir / "net").string();
    WriteBytes(prefix + ".mtx", "old");
    fs::create_directory(prefix + "-truth.txt");
    Outcome r = RunCli({"simulate", "--layout", "tiny", "-o", prefix});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "net-truth.txt: it is a folder; nothing written")) << r.err;
    EXPECT_EQ(ReadBytes(prefix + ".mtx"), "old");
    EXPECT_FALSE(fs::exists(prefix + "-given.txt"));
    r = RunCli({"simulate", "--layout", "tiny", "-o", (dir / "no" / "net").string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "its folder does not exist")) << r.err;
}

// The help of an option, from "  --option METAVAR" to the next option, its
// lines joined by single blanks.
std::string HelpOf(const std::string& help, const std::string& entry) {
    size_t at = help.find("\n  " + entry + " ");
    if (at == std::string::npos) return {};
    std::string text;
    for (size_t line = at + 1; line < help.size();) {
        const size_t end = std::min(help.find('\n', line), help.size());
        const std::string_view part(help.data() + line, end - line);
        if (line != at + 1 && part.substr(0, 4) != "    ") break;  // the next option
        text += " " + std::string(Trim(part));
        line = end + 1;
    }
    std::string joined;
    for (const char c : text) {
        if (c != ' ' || (!joined.empty() && joined.back() != ' ')) joined += c;
    }
    return joined;
}

// A number refused without its range leaves the user guessing.
TEST(CliHelp, EveryNumericOptionStatesItsRange) {
    const std::string help = RunCli({"--help"}).out;
    for (const std::string entry : {"--alpha A",
                                    "--threads N",
                                    "--level zero|mean|H",
                                    "--angle-decimals N",
                                    "--length-decimals N",
                                    "--points N",
                                    "--spacing M",
                                    "--neighbours K",
                                    "--stations N",
                                    "--sets S",
                                    "--given G",
                                    "--sigma-direction MGON",
                                    "--sigma-zenith MGON",
                                    "--sigma-distance MM",
                                    "--ppm P",
                                    "--gross N",
                                    "--gross-direction MGON",
                                    "--gross-distance MM",
                                    "--seed S",
                                    "--ellipse-scale K",
                                    "--plot-size WxH"}) {
        const std::string text = HelpOf(help, entry);
        ASSERT_FALSE(text.empty()) << entry;
        EXPECT_TRUE(Contains(text, " to ") || Contains(text, "between") ||
                    Contains(text, "less than") || Contains(text, "or more"))
            << text;
    }
}

// An option the parser takes but the help or the README does not name is an
// option nobody finds, or one that was meant to be gone.
TEST(CliHelp, HelpAndReadmeNameEveryOptionTheParserTakes) {
    const std::string help = RunCli({"--help"}).out;
    const std::string readme = ReadBytes(vertano::test::DataPath("../../README.md"));
    ASSERT_FALSE(readme.empty());
    std::vector<std::string> names = {"--output", "-h", "-y"};
    for (const auto& [name, setter] : ValueOptions()) names.push_back(name);
    for (const auto& [name, field] : FlagOptions()) names.push_back(name);
    for (const std::string& name : names) {
        EXPECT_TRUE(Contains(help, name + " ") || Contains(help, name + ",")) << name;
        EXPECT_TRUE(Contains(readme, "`" + name)) << name;
    }
}

}  // namespace
}  // namespace vertano::cli
