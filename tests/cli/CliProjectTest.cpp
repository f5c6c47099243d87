#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <QImage>

#include "AdjustTestSupport.h"
#include "CliTestSupport.h"
#include "Options.h"
#include "drawing/OffscreenGui.h"
#include "drawing/TContainer.h"
#include "support/TestSupport.h"

namespace vertano::cli::test {
namespace {

std::string Example(const std::string& name) {
    return vertano::test::DataPath("../../examples/" + name).string();
}

// The inputs of the bundled network with supplementary measurements.
std::vector<std::string> SitInputs() {
    return {Example("sit.mtx"),
            "--points",
            Example("sit-given.txt"),
            "--supp-distance",
            Example("sit-supp-distance.txt"),
            "--supp-bearing",
            Example("sit-supp-bearing.txt"),
            "--supp-height",
            Example("sit-supp-height.txt"),
            "--supp-plumb",
            Example("sit-supp-plumb.txt")};
}

std::vector<std::string> Args(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(CliProject, AdjustingFromTheProjectGivesExactlyTheResultsOfTheFiles) {
    const vertano::test::TempDir dir;
    const std::string job = (dir / "job.gpr").string();
    Outcome r = RunCli(Args(
        {"project", "save", "-o", job, "--estimator", "Tukey", "--unfix", "4010"}, SitInputs()));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Wrote " + job));
    const std::string saved = vertano::test::ReadBytes(job);

    const std::string a = (dir / "a.json").string();
    const std::string b = (dir / "b.json").string();
    r = RunCli(
        Args({"adjust", "--estimator", "Tukey", "--unfix", "4010", "--json", a}, SitInputs()));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    r = RunCli({"adjust", "--project", job, "--json", b});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "The project was successfully opened."));
    EXPECT_TRUE(Contains(r.out, "Given points: 3 (fixed: 2)"));
    EXPECT_EQ(vertano::test::ReadBytes(a), vertano::test::ReadBytes(b));

    // Options beside the project hold for the run; the project stays as it was.
    r = RunCli({"adjust", "--project", job, "--lang", "cs", "--no-exclusion"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Projekt byl úspěšně otevřen."));
    EXPECT_EQ(vertano::test::ReadBytes(job), saved);

    r = RunCli({"project", "show", job});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Raw measurements: 312 (stations: 13)"));
    EXPECT_TRUE(Contains(r.out, "Supplementary vertical plumbing: 1"));
    EXPECT_TRUE(Contains(r.out, "estimator: Tukey"));
    EXPECT_TRUE(Contains(r.out, "Units: angles gon, lengths m"));
}

TEST(CliProject, UsageAndFailuresOfProjects) {
    const vertano::test::TempDir dir;
    const std::string job = (dir / "job.gpr").string();
    EXPECT_EQ(RunCli({"project"}).status, kExitUsage);
    EXPECT_EQ(RunCli(Args({"project", "save"}, SitInputs())).status, kExitUsage);
    EXPECT_EQ(RunCli({"project", "show", job, "--yes"}).status, kExitUsage);
    Outcome r = RunCli(Args({"adjust", "--project", job}, SitInputs()));
    EXPECT_EQ(r.status, kExitUsage);
    EXPECT_TRUE(Contains(r.err, "either the project or the files"));
    EXPECT_EQ(RunCli({"adjust", "--project", job, "--plot-size", "800x600"}).status, kExitUsage);
    EXPECT_EQ(RunCli({"project", "save", "-o", job, "--project", job}).status, kExitUsage);

    // A project the reader refuses stops the command with the section and line.
    vertano::test::WriteBytes(job, "<1>\r\n0\r\n</1>\r\n");
    r = RunCli({"check", "--project", job});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "An error occurred during the project opening!"));
    EXPECT_TRUE(Contains(r.err, "\"<2>\" is missing")) << r.err;
}

// A point name with a control character would make the project unreadable: the
// file is refused at its line when read, nothing is written and the old file
// stays. (The project writer's own check is tested on the library.)
TEST(CliProject, ANameTheReaderWouldRefuseWritesNothing) {
    const vertano::test::TempDir dir;
    const std::string job = (dir / "job.gpr").string();
    vertano::test::WriteBytes(job, "yesterday");
    const std::string points = (dir / "p.txt").string();
    vertano::test::WriteBytes(points,
                              "4001 100 200 300\r\n40\x01"
                              "02 110 210 300\r\n");
    const Outcome r = RunCli({"project", "save", "-o", job, "--points", points});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "p.txt: line 2: a control character in the line: 40\\x0102"))
        << r.err;
    EXPECT_EQ(vertano::test::ReadBytes(job), "yesterday");
}

TEST(CliProject, ProjectReplacesTheInputsOfEveryCommand) {
    const vertano::test::TempDir dir;
    const std::string job = (dir / "job.gpr").string();
    ASSERT_EQ(RunCli(Args({"project", "save", "-o", job}, SitInputs())).status, kExitOk);
    Outcome r = RunCli({"check", "--project", job});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Stations: 13"));
    r = RunCli({"convert", "--project", job, "--to", "asc", "-o", (dir / "o.asc").string()});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Wrote 312 measurements"));
    r = RunCli({"reduce", "--project", job, "-o", (dir / "m.mtx").string()});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    r = RunCli({"approx", "--project", job});
    EXPECT_EQ(r.status, kExitOk) << r.err;
}

TEST(CliProject, ResultFilesAndAFailedOneKeepsTheOthers) {
    const vertano::test::TempDir dir;
    const std::string epoch = (dir / "a.epc").string();
    const std::string dxf = (dir / "a.dxf").string();
    std::filesystem::create_directory(dir / "folder.png");
    Outcome r = RunCli(
        Args({"adjust", "--epoch", epoch, "--dxf", dxf, "--plot", (dir / "folder.png").string()},
             SitInputs()));
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_TRUE(Contains(r.err, "An error occurred during the save process!"));
    EXPECT_TRUE(Contains(r.out, "Wrote " + epoch));
    EXPECT_TRUE(Contains(vertano::test::ReadBytes(dxf), "ENTITIES"));
    r = RunCli(
        {"adjust", "--plot", "x.gif", Example("tiny.asc"), "--points", Example("tiny-given.txt")});
    EXPECT_EQ(r.status, kExitUsage);
}

// The transformation's own epoch (its points and cofactors), and a project that
// keeps the identical points transforms exactly as the files.
TEST(CliProject, TransformationEpochAndProject) {
    const vertano::test::TempDir dir;
    const std::string job = (dir / "job.gpr").string();
    const std::string epoch = (dir / "t.epc").string();
    const std::string points = (dir / "t.txt").string();
    const std::vector<std::string> identical = {"--identical", Example("sit-identical.txt")};
    ASSERT_EQ(RunCli(Args(Args({"project", "save", "-o", job}, SitInputs()), identical)).status,
              kExitOk);
    const std::string a = (dir / "a.json").string();
    const std::string b = (dir / "b.json").string();
    Outcome r = RunCli(Args(
        Args({"transform", "--json", a, "--epoch", epoch, "-o", points}, SitInputs()), identical));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    r = RunCli({"transform", "--project", job, "--json", b});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(vertano::test::ReadBytes(a), vertano::test::ReadBytes(b));
    EXPECT_EQ(RunCli(Args({"transform", "--project", job}, identical)).status, kExitUsage);

    // Section 2 holds the transformed points, section 3 their cofactors.
    const std::vector<std::vector<std::string>> epc = FileTokens(epoch);
    const std::vector<std::vector<std::string>> xyz = FileTokens(points);
    size_t i = 0;
    while (i < epc.size() && epc[i][0] != "<2>") ++i;
    ASSERT_LT(i + 1, epc.size());
    ASSERT_EQ(epc[i + 1][0], xyz[0][0]);
    for (size_t k = 1; k <= 3; ++k)
        EXPECT_NEAR(std::stod(epc[i + 1][k]), std::stod(xyz[0][k]), 6e-5) << k;
    EXPECT_GT(std::stod(epc[i + 1][1]), 5e6);  // the second system, not the network's
    size_t cofactors = 0;
    bool inside = false;
    for (const auto& line : epc) {
        if (line[0] == "</3>") inside = false;
        if (inside) cofactors += line.size();
        if (line[0] == "<3>") inside = true;
    }
    EXPECT_EQ(cofactors, 30u * 31u / 2u);  // ten determined points
}

// The picture of the example network: its size, the colours of the fixed and the
// adjusted points at their pixels, and more than a background.
TEST(CliProject, PictureOfTheExampleNetwork) {
    const vertano::test::TempDir dir;
    const std::string png = (dir / "sit.png").string();
    const std::string json = (dir / "sit.json").string();
    const OffscreenGui gui;
    const Outcome r = RunCli(
        Args({"adjust", "--plot", png, "--plot-size", "900x650", "--json", json}, SitInputs()));
    ASSERT_EQ(r.status, kExitOk) << r.err;
    QImage obrazek(QString::fromStdString(png));
    ASSERT_FALSE(obrazek.isNull());
    EXPECT_EQ(obrazek.width(), 900);
    EXPECT_EQ(obrazek.height(), 650);
    // Kept in build/screenshots for a person to look at.
    std::error_code ec;
    const auto shots =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().parent_path() /
        "screenshots";
    std::filesystem::create_directories(shots, ec);
    std::filesystem::copy_file(png, shots / "sit-network.png",
                               std::filesystem::copy_options::overwrite_existing, ec);

    // The pixels of the points, by the view the picture was painted with.
    const Json result = ReadJson(json);
    TgrafikaData data(static_cast<int32_t>(result["points"].size()), 0);
    data.pocetBodu = static_cast<int32_t>(data.body.size());
    for (size_t i = 0; i < data.body.size(); ++i) {
        const Json& p = result["points"][i];
        data.body[i] = {p["name"].text, p["x"].number, p["y"].number, 0, 0, 0, p["fixed"].boolean};
    }
    QImage stejny(900, 650, QImage::Format_RGB32);
    TContainer platno;
    platno.ConnectBitmap(stejny);
    platno.ConnectData(data);
    Tnastaveni vychozi;
    vychozi.Default();
    platno.NastavitVolby(VolbyZNastaveni(vychozi.grafika));
    platno.CalcDefView();
    int fixni = 0;
    for (int i = 0; i < data.pocetBodu; ++i) {
        const T2DPoint px = platno.CalcPixCoords(i);
        const QColor barva = obrazek.pixelColor(static_cast<int>(std::lround(px[0])),
                                                static_cast<int>(std::lround(px[1])));
        const BarvaRgb ocekavana = BarvaPalety(data.body[i].JeFixni ? 11 : 10);
        EXPECT_EQ(barva, QColor(ocekavana.r, ocekavana.g, ocekavana.b)) << data.body[i].cislo;
        fixni += data.body[i].JeFixni;
    }
    EXPECT_EQ(fixni, 3);
    std::set<QRgb> barvy;
    int popredi = 0;
    for (int y = 0; y < obrazek.height(); ++y)
        for (int x = 0; x < obrazek.width(); ++x) {
            barvy.insert(obrazek.pixel(x, y));
            popredi += obrazek.pixel(x, y) != qRgb(0, 0, 0);
        }
    EXPECT_GT(barvy.size(), 5u);
    EXPECT_GT(popredi, 5000);
}

}  // namespace
}  // namespace vertano::cli::test
