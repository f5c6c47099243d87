#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "Cli.h"
#include "CliTestSupport.h"
#include "Options.h"

namespace vertano::cli {
namespace {

namespace fs = std::filesystem;
using test::Contains;
using test::Data;
using test::Outcome;
using test::RunCli;
using vertano::test::TempDir;
using vertano::test::WriteBytes;

// A standard output on a full disk: every write fails.
struct FullDisk : std::streambuf {
    int_type overflow(int_type) override {
        errno = ENOSPC;
        return traits_type::eof();
    }
    std::streamsize xsputn(const char*, std::streamsize) override {
        errno = ENOSPC;
        return 0;
    }
};

Outcome RunOnFullDisk(const std::vector<std::string>& args) {
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream err;
    const int status = Run(args, out, err);
    return {status, "", err.str()};
}

// The points of approx, the summaries of check and adjust and the help that
// did not reach the standard output fail the command with the reason.
TEST(CliStandardOutput, AFailedStandardOutputFailsTheCommand) {
    const std::string raw = Data("net.mtx");
    const std::string points = Data("points.txt");
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"approx", raw, "--points", points},
          {"check", raw, "--points", points},
          {"adjust", raw, "--points", points},
          {"--help"}}) {
        const Outcome r = RunOnFullDisk(args);
        EXPECT_EQ(r.status, kExitRejected) << args[0];
        // The reason (the program's own standard output keeps it) is checked with
        // the program itself: tests/cli/stdout_full.sh.
        EXPECT_TRUE(Contains(r.err, "cannot write to the standard output"))
            << args[0] << ": " << r.err;
    }
}

// A dangling link to another output is that output; links in a loop are
// refused before anything is computed.
TEST(CliStandardOutput, OutputsAreComparedWithTheirLinksFollowed) {
    const TempDir dir;
    const std::string coords = (dir / "coords.txt").string();
    fs::create_symlink("coords.txt", dir / "link.json");
    Outcome r = RunCli({"adjust", Data("net.mtx"), "--points", Data("points.txt"), "--coords",
                        coords, "--json", (dir / "link.json").string()});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "one output would replace the other")) << r.err;
    EXPECT_FALSE(fs::exists(coords));

    fs::create_symlink("loop-b", dir / "loop-a");
    fs::create_symlink("loop-a", dir / "loop-b");
    r = RunCli({"approx", Data("net.mtx"), "--points", Data("points.txt"), "-o",
                (dir / "loop-a").string()});
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "loop")) << r.err;
    EXPECT_FALSE(Contains(r.err, "no file name")) << r.err;
}

// simulate writes several files named from -o: "-" would make files called
// "-.mtx" and "--given.txt". An empty ASC file says that it is empty.
TEST(CliMessages, SimulateRefusesTheStandardOutputAndAnEmptyFileSaysSo) {
    const TempDir dir;
    const fs::path here = fs::current_path();
    fs::current_path(dir.Path());
    const Outcome r = RunCli({"simulate", "--layout", "tiny", "-o", "-"});
    fs::current_path(here);
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "not the standard output")) << r.err;
    EXPECT_TRUE(fs::is_empty(dir.Path()));

    WriteBytes(dir / "empty.asc", "\r\n");
    const Outcome e = RunCli({"check", (dir / "empty.asc").string()});
    EXPECT_EQ(e.status, kExitRejected);
    EXPECT_TRUE(Contains(e.err, "empty.asc: rejected: too few lines")) << e.err;
    EXPECT_TRUE(Contains(e.err, "the file is empty")) << e.err;
}

}  // namespace
}  // namespace vertano::cli
