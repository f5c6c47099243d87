#include <gtest/gtest.h>

#include <cmath>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "Options.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::ExpectWithinThreeSigma;
using test::Json;
using test::Network;
using test::Outcome;
using test::ReadJson;
using test::ReadXyz;
using test::RunCli;

std::set<std::string> GivenNames(const Network& n) {
    std::set<std::string> names;
    for (const auto& t : test::FileTokens(n.File("-given.txt"))) names.insert(t.at(0));
    return names;
}

// The simulated rows with every sight to a given point measured as a direction
// only (no zenith angle, no distance), as sights to far trig points are.
std::string DirectionsOnlyToGiven(const Network& n, int& changed) {
    const std::set<std::string> given = GivenNames(n);
    std::string text;
    changed = 0;
    for (auto t : test::FileTokens(n.File(".mtx"))) {
        EXPECT_EQ(t.size(), 8u);
        if (given.count(t[3]) != 0) {
            t[6] = std::stod(t[6]) > 200 ? "-II" : "-";
            t[7] = "0";
            ++changed;
        }
        for (const std::string& s : t) text += s + " ";
        text += "\n";
    }
    return text;
}

TEST(CliIncomplete, DirectionOnlyPointingsAdjustWithoutPlaceholders) {
    const Network n({"--layout", "tiny", "--gross", "0", "--seed", "11"});
    int changed = 0;
    const std::string raw = (n.dir / "directions.mtx").string();
    vertano::test::WriteBytes(raw, DirectionsOnlyToGiven(n, changed));
    ASSERT_GT(changed, 0);
    const Outcome r = RunCli({"adjust", raw, "--points", n.File("-given.txt"), "--json",
                              n.File(".json"), "--weights", "given"});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    const Json result = ReadJson(n.File(".json"));
    ExpectWithinThreeSigma(result, ReadXyz(n.File("-truth.txt")));
    const std::set<std::string> given = GivenNames(n);
    int directions = 0;
    for (const Json& o : result["observations"].items) {
        if (given.count(o["target"].text) == 0) continue;
        EXPECT_EQ(o["kind"].text, "direction") << o["station"].text << " " << o["target"].text;
        ++directions;
    }
    EXPECT_GT(directions, 0);

    // The same rows in ASC, written by convert, give the same result.
    const std::string asc = (n.dir / "directions.asc").string();
    const Outcome c = RunCli({"convert", raw, "--to", "asc", "-o", asc});
    ASSERT_EQ(c.status, kExitOk) << c.err;
    const Outcome r2 = RunCli({"adjust", asc, "--points", n.File("-given.txt"), "--json",
                               n.File("-asc.json"), "--weights", "given"});
    ASSERT_EQ(r2.status, kExitOk) << r2.out << r2.err;
    EXPECT_EQ(ReadJson(n.File("-asc.json"))["summary"]["observations"].number,
              result["summary"]["observations"].number);
}

TEST(CliIncomplete, ExcludedPointingsAreKeptReportedAndLeftOut) {
    const Network n({"--layout", "tiny", "--gross", "0", "--seed", "12"});
    const auto rows = test::FileTokens(n.File(".mtx"));
    const std::string station = rows.at(0).at(1);
    const std::string target = rows.at(0).at(3);
    const std::string pattern = station + "/" + target;
    const Outcome r = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--json",
                              n.File(".json"), "--exclude", pattern});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Switched off by the user (not adjusted):")) << r.out;
    const Json result = ReadJson(n.File(".json"));
    const Json& off = result["switched_off"];
    ASSERT_GT(off.size(), 0u);
    for (const Json& o : off.items) {
        EXPECT_EQ(o["station"].text, station);
        EXPECT_EQ(o["target"].text, target);
    }
    for (const Json& o : result["observations"].items)
        EXPECT_FALSE(o["station"].text == station && o["target"].text == target);

    // From a file of patterns the same.
    const std::string file = (n.dir / "off.txt").string();
    vertano::test::WriteBytes(file, "# left out\n" + station + " " + target + "\n");
    const Outcome f = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--json",
                              n.File("-f.json"), "--exclude", file});
    ASSERT_EQ(f.status, kExitOk) << f.err;
    EXPECT_EQ(ReadJson(n.File("-f.json"))["switched_off"].size(), off.size());

    // project save keeps them, and the project adjusts as the files did.
    const std::string gpr = (n.dir / "off.gpr").string();
    const Outcome saved = RunCli({"project", "save", "-o", gpr, n.File(".mtx"), "--points",
                                  n.File("-given.txt"), "--exclude", pattern});
    ASSERT_EQ(saved.status, kExitOk) << saved.err;
    const Outcome shown = RunCli({"project", "show", gpr});
    EXPECT_TRUE(Contains(shown.out, "Switched off (not adjusted): " + std::to_string(off.size())))
        << shown.out;
    const Outcome fromProject = RunCli({"adjust", "--project", gpr, "--json", n.File("-p.json")});
    ASSERT_EQ(fromProject.status, kExitOk) << fromProject.err;
    const Json p = ReadJson(n.File("-p.json"));
    EXPECT_EQ(p["switched_off"].size(), off.size());
    EXPECT_EQ(p["summary"]["observations"].number, result["summary"]["observations"].number);

    // A pattern that matches nothing is most likely a typing error.
    const Outcome bad = RunCli({"adjust", n.File(".mtx"), "--points", n.File("-given.txt"),
                                "--exclude", station + "/NOSUCH"});
    EXPECT_EQ(bad.status, kExitUsage);
    EXPECT_TRUE(Contains(bad.err, "matches no measurement")) << bad.err;
    const Outcome notPattern = RunCli(
        {"adjust", n.File(".mtx"), "--points", n.File("-given.txt"), "--exclude", "nothing"});
    EXPECT_EQ(notPattern.status, kExitUsage);
}

}  // namespace
}  // namespace vertano::cli

namespace vertano::cli {
namespace {

struct BodSite {
    const char* id;
    double x, y, z;
};

std::string Gon(double rad) {
    return FormatFixed(static_cast<Real>(rad * 200 / 3.14159265358979323846), 8);
}

// A network in the XML format of GNU Gama whose adjusted points sight the
// fixed ones with directions only (no zenith angle, no distance), as far trig
// points are sighted; the values are exact, so the adjustment lands on the
// points the file was made from. With `cJenPoloha` point C is fixed in plan
// alone, its height adjusted from a wrong start by a full pointing from P.
std::string SitSeSmery(bool cJenPoloha = false) {
    const BodSite body[] = {{"A", 0, 0, 100},       {"B", 1000, 0, 120},  {"C", 0, 1000, 90},
                            {"D", 1000, 1000, 110}, {"P", 400, 500, 105}, {"Q", 600, 300, 98}};
    const auto bod = [&](const std::string& id) {
        for (const BodSite& b : body)
            if (id == b.id) return b;
        return body[0];
    };
    const auto smer = [&](const std::string& od, const std::string& k) {
        const BodSite a = bod(od), b = bod(k);
        double s = std::atan2(b.y - a.y, b.x - a.x);
        if (s < 0) s += 2 * 3.14159265358979323846;
        return "<direction to=\"" + k + "\" val=\"" + Gon(s) + "\"/>";
    };
    const auto plne = [&](const std::string& od, const std::string& k) {
        const BodSite a = bod(od), b = bod(k);
        const double h = std::hypot(b.x - a.x, b.y - a.y);
        const double dz = b.z - a.z;
        return smer(od, k) + "<z-angle to=\"" + k + "\" val=\"" + Gon(std::atan2(h, dz)) +
               "\"/><s-distance to=\"" + k + "\" val=\"" +
               FormatFixed(static_cast<Real>(std::hypot(h, dz)), 6) + "\"/>";
    };
    std::string x =
        "<?xml version=\"1.0\"?><gama-local><network axes-xy=\"ne\" angles=\"left-handed\">\n"
        "<points-observations distance-stdev=\"2\" direction-stdev=\"5\" "
        "zenith-angle-stdev=\"5\">\n";
    for (const BodSite& b : body) {
        const bool c = cJenPoloha && b.id == std::string("C");
        x += "<point id=\"" + std::string(b.id) + "\" x=\"" + FormatFixed(b.x, 3) + "\" y=\"" +
             FormatFixed(b.y, 3) + "\" z=\"" + FormatFixed(c ? b.z + 5 : b.z, 3) + "\" " +
             (c               ? "fix=\"xy\" adj=\"z\""
              : b.id[0] < 'P' ? "fix=\"xyz\""
                              : "adj=\"xyz\"") +
             "/>\n";
    }
    x += "<obs from=\"P\">" + smer("P", "A") + smer("P", "B") +
         (cJenPoloha ? plne("P", "C") : smer("P", "C")) + smer("P", "D") + plne("P", "Q") +
         "</obs>\n";
    x += "<obs from=\"Q\">" + smer("Q", "A") + smer("Q", "B") + smer("Q", "D") + plne("Q", "P") +
         "</obs>\n";
    x += "<obs from=\"A\">" + smer("A", "B") + plne("A", "P") + plne("A", "Q") + "</obs>\n";
    x += "<obs from=\"B\">" + smer("B", "A") + plne("B", "P") + plne("B", "Q") + "</obs>\n";
    return x + "</points-observations></network></gama-local>\n";
}

TEST(CliIncomplete, AGamaNetworkWithDirectionOnlySightsAdjustsOntoItsPoints) {
    vertano::test::TempDir dir;
    const std::string xml = (dir / "far.xml").string();
    vertano::test::WriteBytes(xml, SitSeSmery());
    const std::string coords = (dir / "out.txt").string();
    const Outcome r = RunCli({"adjust", xml, "--no-exclusion", "--coords", coords, "--json",
                              (dir / "out.json").string()});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    const auto points = ReadXyz(coords);
    ASSERT_EQ(points.count("P"), 1u);
    EXPECT_NEAR(points.at("P").x, 400, 0.001);
    EXPECT_NEAR(points.at("P").y, 500, 0.001);
    EXPECT_NEAR(points.at("P").z, 105, 0.001);
    EXPECT_NEAR(points.at("Q").x, 600, 0.001);
    EXPECT_NEAR(points.at("Q").y, 300, 0.001);
    EXPECT_NEAR(points.at("Q").z, 98, 0.001);
    // The pointings that have a zenith angle give one each, and no other does.
    const Json result = ReadJson((dir / "out.json").string());
    int zenitu = 0;
    for (const Json& o : result["observations"].items) zenitu += o["kind"].text == "zenith";
    EXPECT_EQ(zenitu, 6);
}

// Direction-only sights and a point fixed in plan alone in one file: the held
// plan stays as given, the height is found from the wrong start.
TEST(CliIncomplete, AGamaNetworkWithDirectionOnlySightsAndAPointFixedInPlan) {
    vertano::test::TempDir dir;
    const std::string xml = (dir / "plan.xml").string();
    vertano::test::WriteBytes(xml, SitSeSmery(true));
    const std::string json = (dir / "out.json").string();
    const Outcome r = RunCli({"adjust", xml, "--no-exclusion", "--json", json});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    const Json result = ReadJson(json);
    std::map<std::string, const Json*> points;
    for (const Json& b : result["points"].items) points[b["name"].text] = &b;
    for (const char* p : {"C", "P", "Q"}) ASSERT_EQ(points.count(p), 1u) << p;
    const Json& c = *points.at("C");
    EXPECT_EQ(c["fixed_axes"].text, "XY");
    EXPECT_EQ(c["x"].number, 0);
    EXPECT_EQ(c["y"].number, 1000);
    EXPECT_NEAR(c["z"].number, 90, 0.001);
    EXPECT_NEAR((*points.at("P"))["x"].number, 400, 0.001);
    EXPECT_NEAR((*points.at("P"))["z"].number, 105, 0.001);
    EXPECT_NEAR((*points.at("Q"))["y"].number, 300, 0.001);
    int zenitu = 0;
    for (const Json& o : result["observations"].items) zenitu += o["kind"].text == "zenith";
    EXPECT_EQ(zenitu, 7);
}

// A real network (see tests/data/cli/realnet/README.md): 73 of 133 directions
// to far trig points without zenith angle or distance, a trig point fixed in
// plan only whose height nothing observes. It adjusts as it is and lies on the
// plan of an outside program's adjustment of the same observations.
TEST(CliIncomplete, ARealNetworkAdjustsWithoutPlaceholders) {
    vertano::test::TempDir dir;
    const std::string coords = (dir / "coords.txt").string();
    const Outcome r =
        RunCli({"adjust", test::Data("realnet/zoltan-test-3d-dms.xml"), "--yes", "--no-exclusion",
                "--coords", coords, "--json", (dir / "r.json").string()});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Number of redundant measurements: 153")) << r.out;
    EXPECT_TRUE(Contains(vertano::test::ReadBytes(dir / "r.json"),
                         "\"not_determined\": [{\"point\": \"504\", \"axis\": \"Z\"}]"));
    // The height of 504 (known in plan, sighted by directions only) is held and said so.
    EXPECT_TRUE(Contains(r.out + r.err, "not determined): 1: 504 Z")) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Not determined (no observation; held as given): 504 Z")) << r.out;
    std::map<std::string, std::vector<double>> ours;
    for (const auto& t : test::FileTokens(coords)) {
        if (t.size() >= 4) ours[t[0]] = {std::stod(t[1]), std::stod(t[2]), std::stod(t[3])};
    }
    EXPECT_EQ(ours.at("504")[0], 60752.89);
    EXPECT_EQ(ours.at("504")[1], 588145.85);
    double sum = 0;
    int n = 0;
    for (const auto& t : test::FileTokens(test::Data("realnet/peer-adjusted.txt"))) {
        ASSERT_EQ(ours.count(t[0]), 1u) << t[0];
        const double plan =
            std::hypot(ours[t[0]][0] - std::stod(t[1]), ours[t[0]][1] - std::stod(t[2]));
        EXPECT_LT(plan, 0.02) << t[0];
        sum += plan * plan;
        ++n;
    }
    EXPECT_EQ(n, 21);
    EXPECT_LT(std::sqrt(sum / n), 0.005);
}

}  // namespace
}  // namespace vertano::cli
