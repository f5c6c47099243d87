#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "AdjustTestSupport.h"
#include "ApproxExplanation.h"
#include "Options.h"
#include "data/SouradniceKontrola.h"
#include "files/SouradniceSoubory.h"
#include "files/SurovaMereniSoubory.h"
#include "processing/KontrolaMereni.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::Network;
using test::Outcome;
using test::RunCli;

// The workspace the analysis leaves after reading the files of a network.
void Analysed(Workspace& ws, const std::string& raw, const std::string& given,
              VysledekAnalyzy* vysledek = nullptr) {
    ws.nastaveni.okno.bodyVstup = kBodyVstupFixni;
    ASSERT_TRUE(NactiSoubor(ws.suroveMereni, ws.info, ws.nastaveni, raw, format::kMtx).result.ok);
    ASSERT_TRUE(
        NacteniSouboru(ws.souradniceFixni, ws.info, ws.nastaveni, {given}, ws.chyby).AllLoaded());
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    SilentInteraction ui;
    const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
    ASSERT_TRUE(v.uspech) << ui.lastText;
    if (vysledek != nullptr) *vysledek = v;
}

// The explanation is the history of the very construction whose coordinates the
// analysis kept: one line per determined point, in the order of the list.
TEST(CliApprox, ExplanationIsThatOfTheAnalysis) {
    const Network n({"--layout", "traverse", "--seed", "8"});
    Workspace ws;
    VysledekAnalyzy v;
    Analysed(ws, n.File(".mtx"), n.File("-given.txt"), &v);
    const Tsouradnice& analysis = ws.souradnicePriblizne;
    ASSERT_EQ(analysis.PocetPlnychBodu(), 7);
    const std::vector<std::string> lines = ExplanationLines(VysvetlitPriblizne(ws, v.priblizne));
    // The points, then how the refinement went.
    ASSERT_EQ(lines.size(), 8u);
    for (size_t i = 0; i < 7; ++i)
        EXPECT_EQ(lines[i].rfind(analysis.bod[i].cislo + ": ", 0), 0u) << lines[i];
    EXPECT_EQ(lines[7].rfind("refinement: ", 0), 0u) << lines[7];
    EXPECT_TRUE(v.priblizne.neurcene.empty());
}

TEST(CliApprox, WritesTheAnalysisCoordinatesAsXyz) {
    const Network n({"--layout", "grid", "--points", "12", "--neighbours", "5", "--seed", "9"});
    const std::string out = n.File("-approx.txt");
    const Outcome r =
        RunCli({"approx", n.File(".mtx"), "--points", n.File("-given.txt"), "-o", out});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Wrote 9 points to " + out));
    Workspace ws;
    Analysed(ws, n.File(".mtx"), n.File("-given.txt"));
    const auto lines = test::FileTokens(out);
    ASSERT_EQ(lines.size(), ws.souradnicePriblizne.bod.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const Tbod& b = ws.souradnicePriblizne.bod[i];
        EXPECT_EQ(lines[i][0], b.cislo);
        EXPECT_NEAR(std::stod(lines[i][1]), static_cast<double>(b.X), 0.51e-4);
        EXPECT_NEAR(std::stod(lines[i][3]), static_cast<double>(b.Z), 0.51e-4);
    }
    // Without -o the same lines go to the output.
    const Outcome shown = RunCli({"approx", n.File(".mtx"), "--points", n.File("-given.txt")});
    ASSERT_EQ(shown.status, kExitOk);
    EXPECT_TRUE(Contains(shown.out, vertano::test::ReadBytes(out).substr(0, 20)));
}

// A point seen by one direction from one station, without a distance, cannot be
// constructed; the explanation says so, and the others say how they were found.
TEST(CliApprox, ExplainNamesTheWayAndTheUnreached) {
    const Network n({"--layout", "tiny", "--seed", "10"});
    // Station 4001 once more, to 4002 (given) in both faces as first observed, and
    // to 9999 by direction only.
    std::vector<std::string> faces;
    std::string height;
    for (const auto& t : test::FileTokens(n.File(".mtx"))) {
        if (t[1] != "4001" || t[3] != "4002" || faces.size() == 2) continue;
        const bool second = std::stod(t[6]) > 200;
        if (second != (faces.size() == 1)) continue;
        height = t[2];
        faces.push_back(" 4002 " + t[4] + " " + t[5] + " " + t[6] + " " + t[7] + "\n");
    }
    ASSERT_EQ(faces.size(), 2u);
    const std::string station = "6 4001 " + height;
    const std::string raw = vertano::test::ReadBytes(n.File(".mtx")) + station + faces[0] +
                            station + " 9999 1.5000 150.00000 100.00000 0\n" + station +
                            " 9999 1.5000 350.00000 300.00000 0\n" + station + faces[1];
    const std::string path = n.File("-more.mtx");
    vertano::test::WriteBytes(path, raw);
    const Outcome r = RunCli({"approx", path, "--points", n.File("-given.txt"), "--explain"});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    // One direction without a distance: nothing gives the scale of its part.
    EXPECT_TRUE(Contains(r.out, "9999: not reached (no-distance)\n")) << r.out;
    std::set<std::string> ways;
    for (const std::string point : {"4004", "4005"}) {
        const std::string line = test::LineStarting(r.out, point + ": ");
        ASSERT_FALSE(line.empty()) << r.out;
        ways.insert(line.substr(6, line.find(',') - 6));
        EXPECT_TRUE(Contains(line, "candidates: ")) << line;
    }
    for (const std::string& w : ways)
        EXPECT_TRUE(w == "polar" || w == "free-station" || w == "resection" || w == "intersection")
            << w;
}

// Three given points that see no other given point: a local system carries the
// network, and the explanation says where it started and how it was fitted.
TEST(CliApprox, ExplainNamesTheLocalSystemAndItsFit) {
    const Network n({"--layout", "grid", "--points", "30", "--given", "3", "--seed", "12"});
    const Outcome r =
        RunCli({"approx", n.File(".mtx"), "--points", n.File("-given.txt"), "--explain"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string line = test::LineStarting(r.out, "local system 1: occupation ");
    ASSERT_FALSE(line.empty()) << r.out;
    EXPECT_TRUE(Contains(line,
                         " targets with distances), 30 points, 27 new; fitted on 3 common "
                         "points, residuals (x, y, z) [m]: "))
        << line;
    // The given points fit the refined local system to a millimetre.
    for (const auto& given : test::FileTokens(n.File("-given.txt"))) {
        const size_t at = line.find(given[0] + " (");
        ASSERT_NE(at, std::string::npos) << line;
        std::istringstream residuals(line.substr(at + given[0].size() + 2));
        for (int k = 0; k < 3; ++k) {
            std::string value;
            std::getline(residuals, value, k < 2 ? ',' : ')');
            EXPECT_LT(std::fabs(std::stod(value)), 0.001) << line;
        }
    }
    EXPECT_TRUE(Contains(line, "scale of the fit 1.0000")) << line;
    EXPECT_FALSE(test::LineStarting(r.out, "refinement: ").empty()) << r.out;
    EXPECT_FALSE(Contains(r.out, "not reached")) << r.out;
}

TEST(CliApprox, StopsLikeTheAnalysis) {
    const Network n({"--layout", "tiny"});
    const std::string one = n.File("-one.txt");
    vertano::test::WriteBytes(one, "4001 0 0 0\n");
    const Outcome r = RunCli({"approx", n.File(".mtx"), "--points", one});
    EXPECT_EQ(r.status, kExitStopped);
    EXPECT_TRUE(Contains(r.err, "Fixed points error: At least two network points")) << r.err;
    const Network bad(
        {"--layout", "tiny", "--gross", "1", "--gross-direction", "40", "--gross-distance", "0"});
    EXPECT_EQ(RunCli({"approx", bad.File(".mtx"), "--points", bad.File("-given.txt")}).status,
              kExitChecksFailed);
}

}  // namespace
}  // namespace vertano::cli
