#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "CliTestSupport.h"

namespace vertano::cli::test {
namespace {

std::string Example(const std::string& name) {
    return vertano::test::DataPath("../../examples/" + name).string();
}

std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The example network in GSI with its given points in CSV adjusts as the ASC
// file with the XYZ points does, and its result goes out in every format.
TEST(CliExchange, AdjustsGsiWithCsvPointsAndWritesEveryFormat) {
    vertano::test::TempDir dir;
    const Outcome native =
        RunCli({"adjust", Example("tiny.asc"), "--points", Example("tiny-given.txt"),
                "--no-exclusion", "--coords", (dir / "native.txt").string()});
    ASSERT_EQ(native.status, 0) << native.err;
    const Outcome gsi =
        RunCli({"adjust", Example("tiny.gsi"), "--points", Example("tiny-given.csv"), "--csv",
                "sep=;,decimal=,", "--no-exclusion", "--coords", (dir / "gsi.txt").string(),
                "--gama", (dir / "tiny.xml").string(), "--csv-points", (dir / "p.csv").string(),
                "--csv-observations", (dir / "o.csv").string(), "--geojson",
                (dir / "tiny.geojson").string()});
    ASSERT_EQ(gsi.status, 0) << gsi.err;
    EXPECT_TRUE(Contains(gsi.out, "tiny.gsi: Number of measurements: 80")) << gsi.out;
    EXPECT_EQ(Read(dir / "native.txt"), Read(dir / "gsi.txt"));
    EXPECT_TRUE(Contains(Read(dir / "p.csv"), "name;x_m;y_m;z_m;fixed"));
    EXPECT_TRUE(Contains(Read(dir / "tiny.geojson"), "\"FeatureCollection\""));
    // The network reads back as a whole: no --points needed.
    const Outcome back = RunCli({"adjust", (dir / "tiny.xml").string(), "--no-exclusion",
                                 "--coords", (dir / "back.txt").string()});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(Read(dir / "gsi.txt"), Read(dir / "back.txt"));
    EXPECT_TRUE(Contains(back.out, "Weights: User accuracy of network (given)")) << back.out;
    // check and project save take a network and a GSI file by extension too.
    EXPECT_EQ(RunCli({"check", Example("tiny.gsi"), (dir / "tiny.xml").string()}).status, 0);
    const Outcome saved =
        RunCli({"project", "save", "-o", (dir / "tiny.gpr").string(), (dir / "tiny.xml").string()});
    EXPECT_EQ(saved.status, 0) << saved.err;
}

// A point fixed in plan alone goes out as such and comes back the same.
TEST(CliExchange, ExportsPointsFixedInPlanOrHeightAloneAsTheyWereFixed) {
    vertano::test::TempDir dir;
    const Outcome a =
        RunCli({"adjust", Example("tiny.asc"), "--points", Example("tiny-given.txt"), "--fix-plan",
                "4002", "--fix-height", "4003", "--no-exclusion", "--coords",
                (dir / "a.txt").string(), "--gama", (dir / "a.xml").string()});
    ASSERT_EQ(a.status, 0) << a.err;
    const std::string xml = Read(dir / "a.xml");
    EXPECT_TRUE(Contains(xml, "z=\"250.44460000\" fix=\"xyz\"")) << xml;
    EXPECT_TRUE(Contains(xml, "fix=\"xy\" adj=\"z\"")) << xml;
    EXPECT_TRUE(Contains(xml, "fix=\"z\" adj=\"xy\"")) << xml;
    EXPECT_FALSE(Contains(xml, "XYZ")) << xml;
    const Outcome b = RunCli({"adjust", (dir / "a.xml").string(), "--no-exclusion", "--coords",
                              (dir / "b.txt").string()});
    ASSERT_EQ(b.status, 0) << b.err;
    EXPECT_EQ(Read(dir / "a.txt"), Read(dir / "b.txt"));
}

TEST(CliExchange, RefusesBadFilesAndLayouts) {
    vertano::test::TempDir dir;
    const auto bad = dir / "bad.gsi";
    std::ofstream(bad) << "110001+00000001 88..00+00001500\n21..02+00001000\n";
    Outcome r = RunCli({"check", bad.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(Contains(r.err, "bad.gsi: rejected at line 2")) << r.err;
    r = RunCli({"adjust", Example("tiny.gsi"), "--points", Example("tiny-given.csv"), "--csv",
                "sep=;,decimal=;"});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "--csv")) << r.err;
    r = RunCli({"check", (dir / "net.dat").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(Contains(r.err, "--format mtx|asc|gsi|gama")) << r.err;
    r = RunCli({"convert", Example("tiny.gsi"), "--to", "gsi", "-o", (dir / "x").string()});
    EXPECT_EQ(r.status, 2);
    r = RunCli({"simulate", "--layout", "tiny", "--format", "gama", "-o", (dir / "s").string()});
    EXPECT_EQ(r.status, 2);
    // A GSI file read with the format named, whatever its extension.
    r = RunCli({"convert", "--format", "gsi", bad.string(), "--to", "mtx", "-o",
                (dir / "x.mtx").string()});
    EXPECT_EQ(r.status, 1);
}

}  // namespace
}  // namespace vertano::cli::test
