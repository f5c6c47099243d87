#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/Tnastaveni.h"
#include "exchange/GamaImport.h"
#include "exchange/GamaSit.h"
#include "matice/Konstanty.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano::exchange {
namespace {

// A small 3D network written from the public description of the format: two
// fixed points, one adjusted point with approximate coordinates, one without.
const char* const kSit = R"(<?xml version="1.0" ?>
<!DOCTYPE gama-local SYSTEM "gama-local.dtd">
<gama-local xmlns="http://www.gnu.org/software/gama/gama-local">
<network axes-xy="ne" angles="left-handed">
<description>test network</description>
<parameters sigma-apr="1" conf-pr="0.95" />
<points-observations distance-stdev="2.0" direction-stdev="10" zenith-angle-stdev="10">
<point id="A" x="1000" y="1000" z="100" fix="xyz" />
<point id="B" x="1000" y="1200" z="101" fix="XYZ" />
<point id="C" x="1150" y="1100" z="105" adj="xyz" />
<point id="D" adj="XYZ" />
<obs from="A" from_dh="1.5">
  <direction to="B" val="100.0000" />
  <direction to="C" val="62.5666" stdev="5" to_dh="1.2" />
  <z-angle to="C" val="97.2" to_dh="1.2" />
  <s-distance to="C" val="180.3" to_dh="1.2" />
</obs>
<obs from="C">
  <direction to="A" val="0" />
  <z-angle to="A" val="102.6" />
  <direction to="D" val="33-20-00" stdev="2.5" />
  <z-angle to="D" val="90-00-00" />
  <distance to="D" val="90.0" />
  <azimuth to="A" val="262.5666" stdev="20" />
</obs>
<height-differences>
  <dh from="A" to="B" val="1.004" stdev="1.5" />
</height-differences>
</points-observations>
</network>
</gama-local>
)";

// Reads a network text and maps it with the default settings.
FileResult Importovat(const std::string& text, ImportovanaSit& v) {
    GamaSit sit;
    if (FileResult r = ReadGamaText(text, sit); !r.ok) return r;
    Tnastaveni n;
    n.Default();
    return GamaDoSite(sit, n, v);
}

TEST(Gama, ReadsTheNetworkInTheProgramsUnitsAndSense) {
    GamaSit sit;
    const FileResult r = ReadGamaText(kSit, sit);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    ASSERT_EQ(sit.body.size(), 4u);
    EXPECT_TRUE(sit.body[0].fix.xy && sit.body[0].fix.z);
    EXPECT_TRUE(sit.body[3].omezene.xy && sit.body[3].omezene.z);
    ASSERT_EQ(sit.mereni.size(), 11u);
    // 10 cc default, 5 cc own; 2 mm; an angle in degrees takes arc seconds.
    EXPECT_NEAR(double(*sit.mereni[0].odchylka), 10e-4 * kPi / 200, 1e-15);
    EXPECT_NEAR(double(*sit.mereni[1].odchylka), 5e-4 * kPi / 200, 1e-15);
    EXPECT_NEAR(double(*sit.mereni[3].odchylka), 0.002, 1e-15);
    EXPECT_NEAR(double(sit.mereni[6].hodnota), (33 + 20.0 / 60) * kPi / 180, 1e-15);
    EXPECT_NEAR(double(*sit.mereni[6].odchylka), 2.5 / 3600 * kPi / 180, 1e-15);
    EXPECT_EQ(*sit.mereni[1].vyskaOd, 1.5L);
    EXPECT_EQ(*sit.mereni[1].vyskaK, 1.2L);
    // <parameters> is not used and says so.
    EXPECT_FALSE(sit.poznamky.empty());
}

TEST(Gama, MapsPointingsToTwoFaceSetsAndTheRestToSupplementaryLists) {
    ImportovanaSit v;
    const FileResult r = Importovat(kSit, v);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    // A -> B (fixed points, a direction only), A -> C; C -> A, C -> D: four
    // pointings in two faces.
    ASSERT_EQ(v.mereni.zaznam.size(), 8u);
    EXPECT_FALSE(v.mereni.zaznam[0].MaZenit());
    EXPECT_EQ(v.mereni.zaznam[0].zenit, 0);
    EXPECT_FALSE(v.mereni.zaznam[3].MaZenit());
    EXPECT_FALSE(v.mereni.zaznam[3].poloha);
    const Tzaznam& ac = v.mereni.zaznam[1];
    EXPECT_EQ(ac.cislo_stn, "A");
    EXPECT_EQ(ac.cislo_cil, "C");
    EXPECT_EQ(Real(ac.vyska_stn), 1.5L);
    EXPECT_EQ(Real(ac.vyska_cil), 1.2L);
    EXPECT_TRUE(ac.poloha);
    // Reading, not the file's value: corrected by the curvature (k/2 is about
    // 0.9 mgon at 180 m), but close to it.
    EXPECT_NEAR(double(ac.zenit), 97.2 * kPi / 200, 2e-5);
    EXPECT_NE(double(ac.zenit), double(97.2 * kPi / 200));
    EXPECT_NEAR(double(ac.delka), 180.3, 0.02);
    const Tzaznam& face2 = v.mereni.zaznam[2];
    EXPECT_FALSE(face2.poloha);
    EXPECT_EQ(face2.cislo_cil, "C");
    EXPECT_NEAR(double(face2.zenit), double(kDvePi - ac.zenit), 1e-15);
    // The horizontal distance became a slope distance with the zenith angle.
    const Tzaznam& cd = v.mereni.zaznam[5];
    EXPECT_EQ(cd.cislo_cil, "D");
    EXPECT_NEAR(double(cd.delka), 90.0, 0.01);
    // Fixed A and B, adjusted C with its coordinates; D has none.
    ASSERT_EQ(v.body.bod.size(), 3u);
    EXPECT_TRUE(v.body.BodSCislem("A").JeFixni);
    EXPECT_FALSE(v.body.BodSCislem("C").JeFixni);
    EXPECT_FALSE(v.body.ExitujeBod("D"));
    EXPECT_EQ(v.doplnky.Seznam(DruhDoplnku::Smernik)->PocetPlnychZaznamu(), 1);
    EXPECT_EQ(v.doplnky.Seznam(DruhDoplnku::Prevyseni)->PocetPlnychZaznamu(), 1);
    EXPECT_NEAR(double(v.doplnky.Seznam(DruhDoplnku::Prevyseni)->zaznam[0].sig_delka), 0.0015,
                1e-15);
    EXPECT_EQ(v.osy.size(), 4u);
}

// Field files give the heights only with the zenith angles and distances;
// a horizontal direction does not depend on them.
TEST(Gama, DirectionsWithoutHeightsTakeThoseOfTheirPointingAndOccupation) {
    std::string text = kSit;
    const auto nahradit = [&text](const std::string& co, const std::string& cim) {
        text.replace(text.find(co), co.size(), cim);
    };
    nahradit(R"(<obs from="A" from_dh="1.5">)", R"(<obs from="A">)");
    nahradit(R"(val="62.5666" stdev="5" to_dh="1.2")", R"(val="62.5666" stdev="5")");
    nahradit(R"(<z-angle to="C" val="97.2" to_dh="1.2" />)",
             R"(<z-angle to="C" val="97.2" from_dh="1.5" to_dh="1.2" />)");
    nahradit(R"(<s-distance to="C" val="180.3" to_dh="1.2" />)",
             R"(<s-distance to="C" val="180.3" from_dh="1.5" to_dh="1.2" />)");
    ImportovanaSit v;
    const FileResult r = Importovat(text, v);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    ASSERT_EQ(v.mereni.zaznam.size(), 8u);
    for (const size_t i : {0, 1, 2, 3}) EXPECT_EQ(Real(v.mereni.zaznam[i].vyska_stn), 1.5L) << i;
    EXPECT_EQ(Real(v.mereni.zaznam[1].vyska_cil), 1.2L);
    // Heights that differ where they matter are still refused.
    nahradit(R"(<s-distance to="C" val="180.3" from_dh="1.5")",
             R"(<s-distance to="C" val="180.3" from_dh="1.6")");
    ImportovanaSit jina;
    EXPECT_FALSE(Importovat(text, jina).ok);
}

// A round closed on its first target: the closing sight is a repeated pointing
// of the set, not a set of one target.
TEST(Gama, ASightRepeatedAloneStaysInItsSet) {
    std::string text = kSit;
    const std::string konec = R"(<azimuth to="A" val="262.5666" stdev="20" />)";
    text.insert(text.find(konec) + konec.size(), "\n  <direction to=\"A\" val=\"0.0004\" />");
    ImportovanaSit v;
    const FileResult r = Importovat(text, v);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    ASSERT_EQ(v.mereni.zaznam.size(), 10u);
    int32_t kA = 0;
    for (const Tzaznam& z : v.mereni.zaznam) {
        if (z.cislo_stn == "C" && z.cislo_cil == "A") ++kA;
    }
    EXPECT_EQ(kA, 4);
}

TEST(Gama, TurnsOtherAxesAndCounterClockwiseAnglesIntoTheProgramsOnes) {
    const std::string text = R"(<gama-local><network axes-xy="en" angles="right-handed">
<points-observations direction-stdev="10" zenith-angle-stdev="10" distance-stdev="2">
<point id="A" x="10" y="20" z="0" fix="xyz"/>
<point id="B" x="30" y="20" z="0" fix="xyz"/>
<point id="C" x="10" y="40" z="0" adj="xyz"/>
<obs from="A"><direction to="B" val="0"/><z-angle to="B" val="100"/>
<direction to="C" val="100"/><z-angle to="C" val="100"/><s-distance to="C" val="20"/></obs>
</points-observations></network></gama-local>)";
    GamaSit sit;
    ASSERT_TRUE(ReadGamaText(text, sit).ok);
    Tnastaveni n;
    n.Default();
    ImportovanaSit v;
    ASSERT_TRUE(GamaDoSite(sit, n, v).ok);
    // x east, y north: X (north) = y, Y (east) = x.
    EXPECT_EQ(v.body.BodSCislem("B").X, 20);
    EXPECT_EQ(v.body.BodSCislem("B").Y, 30);
    // B is east of A, C north of it: counter-clockwise 100 gon is clockwise 300.
    EXPECT_NEAR(double(v.mereni.zaznam[1].smer), 1.5 * kPi, 1e-15);
}

TEST(Gama, RefusesWhatItCannotKeepWithTheLine) {
    const std::string head =
        "<gama-local><network><points-observations direction-stdev=\"1\" "
        "zenith-angle-stdev=\"1\" distance-stdev=\"1\">\n";
    const std::string tail = "\n</points-observations></network></gama-local>";
    const struct {
        std::string body;
        int32_t line;
        const char* note;
    } cases[] = {
        {"<point id=\"P\" x=\"1\" y=\"2\" z=\"3\" fix=\"xy\"/>", 2,
         "fixed in plan and neither fixed nor adjusted in height"},
        {"<point id=\"P\" z=\"3\" fix=\"xy\" adj=\"z\"/>", 2,
         "fixed in plan without its fixed coordinates"},
        {"<point id=\"P\" adj=\"z\"/>", 2, "adjusted in height only"},
        {"<obs from=\"A\">\n<direction to=\"B\" val=\"1\"/>\n<distance to=\"B\" val=\"2\"/></obs>",
         4, "without a zenith angle"},
        {"<obs from=\"A\">\n<angle bs=\"B\" fs=\"C\" val=\"1\" stdev=\"1\"/></obs>", 3, "angles"},
        {"<vectors><vec from=\"A\" to=\"B\" dx=\"1\" dy=\"1\" dz=\"1\"/></vectors>", 2, "vectors"},
        {"<obs from=\"A\"><direction to=\"B\" val=\"x\"/></obs>", 2, "value"},
        {"<obs from=\"A\"><direction to=\"B\" val=\"1\"/><bogus/></obs>", 2, "not an element"},
        {"<obs from=\"A\"><obs from=\"B\"/></obs>", 2, "wrong place"},
        {"<point id=\"P\" x=\"1\"/>\n<point id=\"P\" x=\"2\"/>", 3, "twice"},
        {"<obs from=\"A\">\n<direction to=\"B C\" val=\"1\"/></obs>", 3, "blank"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        GamaSit sit;
        FileResult r = ReadGamaText(head + c.body + tail, sit);
        if (r.ok) {
            Tnastaveni n;
            n.Default();
            ImportovanaSit v;
            r = GamaDoSite(sit, n, v);
            if (!r.ok) {
                EXPECT_TRUE(v.mereni.zaznam.empty());
                EXPECT_TRUE(v.body.bod.empty());
            }
        }
        ASSERT_FALSE(r.ok);
        EXPECT_EQ(r.fileLine, c.line) << DescribeFileFailure(r);
        EXPECT_NE(DescribeFileFailure(r).find(c.note), std::string::npos) << DescribeFileFailure(r);
    }
}

TEST(Gama, ImportsPointsFixedInPlanOrInHeightAlone) {
    const std::string text =
        "<gama-local><network><points-observations>\n"
        "<point id=\"A\" x=\"1\" y=\"2\" z=\"3\" fix=\"xy\" adj=\"z\"/>\n"
        "<point id=\"B\" x=\"4\" y=\"5\" fix=\"xy\" adj=\"z\"/>\n"
        "<point id=\"C\" z=\"7\" fix=\"z\" adj=\"xy\"/>\n"
        "</points-observations></network></gama-local>";
    GamaSit sit;
    ASSERT_TRUE(ReadGamaText(text, sit).ok);
    Tnastaveni n;
    n.Default();
    ImportovanaSit v;
    ASSERT_TRUE(GamaDoSite(sit, n, v).ok);
    const Tbod a = v.body.BodSCislem("A");
    EXPECT_TRUE(a.JeFixni);
    EXPECT_EQ(a.fixniOsy, FixniOsy::Poloha);
    EXPECT_EQ(a.Z, 3);
    EXPECT_EQ(v.body.BodSCislem("B").fixniOsy, FixniOsy::Poloha);
    const Tbod c = v.body.BodSCislem("C");
    EXPECT_EQ(c.fixniOsy, FixniOsy::Vyska);
    EXPECT_EQ(c.Z, 7);
    // B has no height and C no position: each starts from 0, with a note.
    int poznamky = 0;
    for (const Poznamka& p : v.poznamky)
        poznamky += p.text.find("starts from 0") != std::string::npos;
    EXPECT_EQ(poznamky, 2);
}

TEST(Gama, ExpandsNoEntityAndStopsDeepNesting) {
    const std::string laughs =
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b "
        "\"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]><gama-local>&b;</gama-local>";
    GamaSit sit;
    FileResult r = ReadGamaText(laughs, sit);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(DescribeFileFailure(r).find("entity"), std::string::npos) << DescribeFileFailure(r);
    const std::string external =
        "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY e SYSTEM \"/etc/passwd\">]>"
        "<gama-local><network><description>&e;</description></network></gama-local>";
    EXPECT_FALSE(ReadGamaText(external, sit).ok);
    std::string deep = "<gama-local><network>";
    for (int i = 0; i < 100000; ++i) deep += "<description>";
    r = ReadGamaText(deep, sit);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(DescribeFileFailure(r).find("wrong place"), std::string::npos);
    EXPECT_FALSE(ReadGamaText("<gama-local><network></network>", sit).ok);
    EXPECT_FALSE(ReadGamaText("", sit).ok);
}

// distance-stdev "a b c" gives a + b * d^c: zero when a is 0 and the distance is
// 0, or when a and b are 0. Such a distance would be weighed infinitely.
TEST(Gama, RefusesADistanceWhoseDefaultDeviationIsNotPositive) {
    for (const char* stdev : {"0 1 1", "0 0"}) {
        SCOPED_TRACE(stdev);
        const std::string text =
            std::string("<gama-local><network><points-observations distance-stdev=\"") + stdev +
            "\">\n<obs from=\"A\"><s-distance to=\"B\" val=\"0\"/></obs>\n"
            "</points-observations></network></gama-local>";
        GamaSit sit;
        const FileResult r = ReadGamaText(text, sit);
        ASSERT_FALSE(r.ok);
        EXPECT_TRUE(sit.mereni.empty());
        EXPECT_EQ(r.fileLine, 2);
        EXPECT_NE(DescribeFileFailure(r).find("not positive"), std::string::npos)
            << DescribeFileFailure(r);
    }
}

}  // namespace
}  // namespace vertano::exchange
