#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "drawing/TDXFwriterSit.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

// One entity or table record: its group codes and values in order.
struct Zaznam {
    std::vector<std::pair<std::string, std::string>> skupiny;
    std::string Hodnota(const std::string& kod, int kolikaty = 0) const {
        for (const auto& [k, v] : skupiny)
            if (k == kod && kolikaty-- == 0) return v;
        return {};
    }
    Real Cislo(const std::string& kod) const {
        Real v = 0;
        EXPECT_EQ(ParseNumber(Hodnota(kod), v), NumberStatus::Ok) << kod;
        return v;
    }
};

// The records of a DXF file, split at every group 0.
std::vector<Zaznam> Precist(const std::filesystem::path& cesta) {
    TextFile f;
    EXPECT_TRUE(ReadTextFile(cesta, f).Ok());
    EXPECT_EQ(f.lines.size() % 2, 0u);
    std::vector<Zaznam> z;
    for (size_t i = 0; i + 1 < f.lines.size(); i += 2) {
        if (f.lines[i] == "0") z.emplace_back();
        if (!z.empty()) z.back().skupiny.emplace_back(f.lines[i], f.lines[i + 1]);
    }
    return z;
}

std::vector<Zaznam> Typu(const std::vector<Zaznam>& z, const std::string& typ,
                         const std::string& vrstva = {}) {
    std::vector<Zaznam> out;
    for (const Zaznam& r : z)
        if (r.Hodnota("0") == typ && (vrstva.empty() || r.Hodnota("8") == vrstva)) out.push_back(r);
    return out;
}

// Two determined points and a fixed one; pairs with and without supplementary
// observations.
TgrafikaData Sit() {
    TgrafikaData d(3, 2);
    d.body[0] = {"A", 1000, 2000, 0.004L, 0.002L, 0.5L, false};
    d.body[1] = {"Bod Č", 1100, 2050, 0.003L, 0.001L, 2.0L, false};
    d.body[2] = {"F", 950, 2100, 0, 0, 0, true};
    d.mereni[0] = {0, 1, 2, 2, 2, 0, 1, 0, true};
    d.mereni[1] = {0, 2, 0, 0, 0, 0, 0, 1, true};
    d.odchylkaJednotkovaAprior = 1;
    d.odchylkaJednotkovaAposterior = 0.8L;
    d.pocetBodu = 3;
    d.pocetMereni = 2;
    return d;
}

TEST(DxfExport, LayersInTheLanguageOfTheSettingsWithTheMagnificationAndVisibility) {
    test::TempDir dir;
    for (const int jazyk : {0, 1}) {
        VolbyKresby v;
        v.kreslitMereniPopis = false;
        v.apriorni = true;
        v.barvaVyrBod = 9;
        const auto cesta = dir / ("n" + std::to_string(jazyk) + ".dxf");
        std::string chyba;
        ASSERT_TRUE(ExportovatDXF(Sit(), true, v, jazyk, cesta, chyba)) << chyba;
        std::vector<std::string> nazvy;
        std::map<std::string, std::string> barvy;
        for (const Zaznam& l : Typu(Precist(cesta), "LAYER")) {
            nazvy.push_back(l.Hodnota("2"));
            barvy[l.Hodnota("2")] = l.Hodnota("62");
        }
        const std::vector<std::string> ocekavane =
            jazyk == 1 ? std::vector<std::string>{"0",
                                                  "PointAdj_Point",
                                                  "PointAdj_Mark",
                                                  "PointAdj_Number",
                                                  "PointFix_Point",
                                                  "PointFix_Mark",
                                                  "PointFix_Number",
                                                  "Meas_Line",
                                                  "Meas_Descr",
                                                  "ErrElips_Apri_50000",
                                                  "ErrElips_Apos_50000"}
                       : std::vector<std::string>{"0",
                                                  "BodVyr_Bod",
                                                  "BodVyr_Znak",
                                                  "BodVyr_Cislo",
                                                  "BodFix_Bod",
                                                  "BodFix_Znak",
                                                  "BodFix_Cislo",
                                                  "Mereni_Linie",
                                                  "Mereni_Popis",
                                                  "ElipsaChyb_Apri_50000",
                                                  "ElipsaChyb_Apos_50000"};
        EXPECT_EQ(nazvy, ocekavane);
        EXPECT_EQ(barvy[ocekavane[1]], "1");     // red adjusted points
        EXPECT_EQ(barvy[ocekavane[4]], "2");     // yellow fixed points
        EXPECT_EQ(barvy[ocekavane[8]], "-254");  // labels switched off
        EXPECT_EQ(barvy[ocekavane[9]], "4");
        EXPECT_EQ(barvy[ocekavane[10]], "-4");  // a posteriori ellipses off
        const std::string text = test::ReadBytes(cesta);
        EXPECT_EQ(text.find(jazyk == 1 ? "BodVyr" : "PointAdj"), std::string::npos);
    }
}

// A point a gross error in whose measurements cannot be found gets a square
// on a layer of its own, which a drawing without such points does not have.
TEST(DxfExport, UncontrolledPointsHaveASquareOnTheirOwnLayer) {
    test::TempDir dir;
    TgrafikaData d = Sit();
    d.body[1].jeNekontrolovany = true;
    const auto cesta = dir / "u.dxf";
    std::string chyba;
    ASSERT_TRUE(ExportovatDXF(d, true, VolbyKresby{}, 1, cesta, chyba)) << chyba;
    const std::vector<Zaznam> z = Precist(cesta);
    const std::vector<Zaznam> vrstvy = Typu(z, "LAYER");
    ASSERT_EQ(vrstvy.size(), 12u);
    EXPECT_EQ(vrstvy.back().Hodnota("2"), "Uncontrolled");
    EXPECT_EQ(vrstvy.back().Hodnota("62"), "1");
    EXPECT_EQ(Typu(z, "POLYLINE", "Uncontrolled").size(), 1u);
    const std::vector<Zaznam> vrcholy = Typu(z, "VERTEX", "Uncontrolled");
    ASSERT_EQ(vrcholy.size(), 5u);
    // Around the point: x = -Y, y = -X in a geodetic system.
    Real x = 0, y = 0;
    for (const Zaznam& v : vrcholy) {
        x += v.Cislo("10");
        y += v.Cislo("20");
    }
    EXPECT_NEAR((x - vrcholy.back().Cislo("10")) / 4, -2050, 1e-9);
    EXPECT_NEAR((y - vrcholy.back().Cislo("20")) / 4, -1100, 1e-9);
}

// A triangle (plan) or a diamond (height) on the fixed points' mark layer; the
// layers stay those of every drawing.
TEST(DxfExport, PointsFixedInPlanOrHeightAloneHaveAMarkOfTheirKind) {
    test::TempDir dir;
    TgrafikaData d = Sit();
    d.body[1].fixniOsy = FixniOsy::Poloha;
    d.body[2].fixniOsy = FixniOsy::Vyska;
    const auto cesta = dir / "p.dxf";
    std::string chyba;
    ASSERT_TRUE(ExportovatDXF(d, true, VolbyKresby{}, 1, cesta, chyba)) << chyba;
    const std::vector<Zaznam> z = Precist(cesta);
    EXPECT_EQ(Typu(z, "LAYER").size(), 11u);
    EXPECT_EQ(Typu(z, "POLYLINE", "PointFix_Mark").size(), 2u);
    EXPECT_EQ(Typu(z, "VERTEX", "PointFix_Mark").size(), 4u + 5u);
}

TEST(DxfExport, EntitiesOfPointsLinesLabelsAndEllipses) {
    test::TempDir dir;
    VolbyKresby v;
    v.zvetseni = 1000;
    std::string chyba;
    ASSERT_TRUE(ExportovatDXF(Sit(), true, v, 1, dir / "s.dxf", chyba)) << chyba;
    const std::vector<Zaznam> z = Precist(dir / "s.dxf");
    const std::vector<Zaznam> vyr = Typu(z, "POINT", "PointAdj_Point");
    ASSERT_EQ(vyr.size(), 2u);
    // Drawing coordinates are (-Y, -X).
    EXPECT_EQ(vyr[0].Cislo("10"), -2000);
    EXPECT_EQ(vyr[0].Cislo("20"), -1000);
    EXPECT_EQ(Typu(z, "POINT", "PointFix_Point").size(), 1u);
    EXPECT_EQ(Typu(z, "CIRCLE", "PointFix_Mark").size(), 1u);
    EXPECT_EQ(Typu(z, "LINE", "PointAdj_Mark").size(), 4u);
    EXPECT_EQ(Typu(z, "LINE", "Meas_Line").size(), 2u);
    const std::vector<Zaznam> popisy = Typu(z, "TEXT", "Meas_Descr");
    ASSERT_EQ(popisy.size(), 2u);
    EXPECT_EQ(popisy[0].Hodnota("1"), "2:2:2(1:0:0)");
    EXPECT_EQ(popisy[1].Hodnota("1"), "0:0:0(0:0:1)");
    const std::vector<Zaznam> cisla = Typu(z, "TEXT", "PointAdj_Number");
    ASSERT_EQ(cisla.size(), 2u);
    EXPECT_EQ(cisla[1].Hodnota("1"), "Bod \\U+010C");
    // PointSize is 0.5 % of the larger extent (150 m).
    EXPECT_NEAR(static_cast<double>(cisla[0].Cislo("40")), 0.75, 1e-12);

    // Per determined point a polyline on each ellipse layer; vertex 0 lies on the
    // major axis at a s M from the point, vertex 10 on the minor axis.
    for (const auto& [vrstva, s] :
         {std::pair<std::string, Real>{"ErrElips_Apri_1000", 1}, {"ErrElips_Apos_1000", 0.8L}}) {
        EXPECT_EQ(Typu(z, "POLYLINE", vrstva).size(), 2u);
        const std::vector<Zaznam> vrcholy = Typu(z, "VERTEX", vrstva);
        ASSERT_EQ(vrcholy.size(), 82u);
        const auto vzdalenost = [&](size_t j) {
            return std::hypot(static_cast<double>(vrcholy[j].Cislo("10") + 2000),
                              static_cast<double>(vrcholy[j].Cislo("20") + 1000));
        };
        EXPECT_NEAR(vzdalenost(0), static_cast<double>(0.004L * s * 1000), 1e-9);
        EXPECT_NEAR(vzdalenost(10), static_cast<double>(0.002L * s * 1000), 1e-9);
        EXPECT_EQ(vrcholy[0].Hodnota("10"), vrcholy[40].Hodnota("10"));
    }
    EXPECT_EQ(z.back().Hodnota("0"), "EOF");
}

TEST(DxfExport, MathematicalSystemOneSpotAndNoEllipsesOfFixedPoints) {
    test::TempDir dir;
    TgrafikaData d(2, 0);
    d.body[0] = {"F1", 100, 200, 0, 0, 0, true};
    d.body[1] = {"F2", 100, 200, 0, 0, 0, true};
    d.pocetBodu = 2;
    std::string chyba;
    test::LocaleGuard carka("cs_CZ.UTF-8");
    ASSERT_TRUE(ExportovatDXF(d, false, VolbyKresby{}, 0, dir / "m.dxf", chyba)) << chyba;
    const std::vector<Zaznam> z = Precist(dir / "m.dxf");
    EXPECT_TRUE(Typu(z, "POLYLINE").empty());
    const std::vector<Zaznam> body = Typu(z, "POINT");
    ASSERT_EQ(body.size(), 2u);
    // In the mathematical system the data hold (Y, X) of a point (PrepsatSouradnice),
    // and the point is drawn at x = X, y = Y.
    EXPECT_EQ(body[0].Hodnota("10"), "200");
    EXPECT_EQ(body[0].Hodnota("20"), "100");
    EXPECT_EQ(Typu(z, "CIRCLE")[0].Hodnota("40"), "0");
    EXPECT_EQ(Typu(z, "VPORT")[0].Hodnota("40"), "0");
    EXPECT_EQ(test::ReadBytes(dir / "m.dxf").find(','), std::string::npos);
}

TEST(DxfExport, TextEscapesAndAFailedWriteKeepsTheOldFile) {
    EXPECT_EQ(DxfText("A-1"), "A-1");
    EXPECT_EQ(DxfText("Č\n\\"), "\\U+010C\\U+000A\\U+005C");
    EXPECT_EQ(DxfText("\xFF"), "\\U+FFFD");
    test::TempDir dir;
    test::WriteBytes(dir / "old.dxf", "old");
    TgrafikaData d = Sit();
    d.body[1].X = std::nan("");
    std::string chyba;
    EXPECT_FALSE(ExportovatDXF(d, true, VolbyKresby{}, 1, dir / "old.dxf", chyba));
    EXPECT_EQ(test::ReadBytes(dir / "old.dxf"), "old");
    EXPECT_FALSE(ExportovatDXF(Sit(), true, VolbyKresby{}, 1, dir / "no" / "x.dxf", chyba));
    EXPECT_NE(chyba.find("x.dxf"), std::string::npos);
}

}  // namespace
}  // namespace vertano
