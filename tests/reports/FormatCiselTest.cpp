#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "matice/Konstanty.h"
#include "reports/FormatCisel.h"
#include "reports/Tprotokol.h"

namespace vertano {
namespace {

Tnastaveni Jednotky(uint8_t uhel, uint8_t delka, uint8_t souradnice) {
    Tnastaveni n;
    n.Default();
    n.jednotky.uhel = uhel;
    n.jednotky.delka = delka;
    n.jednotky.souradnice = souradnice;
    return n;
}

constexpr Real kStupen = kPi / 180;

TEST(FormatCisel, AngleValuesInEveryUnitWithTheirSign) {
    const Real pravy = kPi / 2;
    EXPECT_EQ(FormatCisel(Jednotky(0, 0, 0)).Uhel(pravy), "1.57080");
    EXPECT_EQ(FormatCisel(Jednotky(1, 0, 0)).Uhel(pravy), "100.00000");
    EXPECT_EQ(FormatCisel(Jednotky(2, 0, 0)).Uhel(pravy), "90.00000");
    EXPECT_EQ(FormatCisel(Jednotky(1, 0, 0)).Uhel(-0.5L * kPi / 200), "-0.50000");

    Tnastaveni dms = Jednotky(3, 0, 0);
    dms.presnost.uhel.hodnota = 4;
    const FormatCisel f(dms);
    EXPECT_EQ(f.Uhel(1.5L * kStupen), "1.3000");  // 1 deg 30 min 00 s
    EXPECT_EQ(f.Uhel(-1.5L * kStupen), "-1.3000");
    // 45 deg 09 min 59.99996 s rounds up through the seconds and the minutes.
    EXPECT_EQ(f.Uhel((45 + 9 / 60.0L + 59.99996L / 3600) * kStupen), "45.1000");
    EXPECT_EQ(f.Uhel((359 + 59 / 60.0L + 59.99999L / 3600) * kStupen), "360.0000");
}

TEST(FormatCisel, AngleDeviationsInThousandthsOrArcSeconds) {
    const Real mgon = kPi / 200000;
    EXPECT_EQ(FormatCisel(Jednotky(0, 0, 0)).UhelOdchylka(mgon), "0.016");  // mrad
    EXPECT_EQ(FormatCisel(Jednotky(1, 0, 0)).UhelOdchylka(mgon), "1.000");  // mgon
    EXPECT_EQ(FormatCisel(Jednotky(2, 0, 0)).UhelOdchylka(mgon), "0.900");  // mdeg
    EXPECT_EQ(FormatCisel(Jednotky(3, 0, 0)).UhelOdchylka(mgon), "3.240");  // sec
}

TEST(FormatCisel, LengthsInMetresOrFeetDeviationsInMillimetresOrPoints) {
    const FormatCisel metry(Jednotky(1, 0, 1));
    EXPECT_EQ(metry.Delka(0.3048L), "0.3048");
    EXPECT_EQ(metry.DelkaOdchylka(0.001L), "1.00");
    EXPECT_EQ(metry.Delka(-12.00035L), "-12.0004");
    // Coordinates follow their own unit: feet here, their deviations in points.
    EXPECT_EQ(metry.Souradnice(0.3048L), "1.0000");
    EXPECT_EQ(metry.SouradniceOdchylka(0.3048L), "864.00");

    const FormatCisel stopy(Jednotky(1, 1, 0));
    EXPECT_EQ(stopy.Delka(3.048L), "10.0000");
    EXPECT_EQ(stopy.DelkaOdchylka(0.001L), "2.83");  // 1 mm = 2.835 pt
    EXPECT_EQ(stopy.Souradnice(3.048L), "3.0480");
}

TEST(FormatCisel, SignificanceLevelsRatiosAndFaults) {
    EXPECT_EQ(TextHladiny(0.05L), "0.05");
    EXPECT_EQ(TextHladiny(0.1L), "0.1");
    EXPECT_EQ(TextHladiny(0.001L), "0.001");
    EXPECT_EQ(TextHladiny(1), "1");
    EXPECT_EQ(Pomer(0, 23), "0/23 [0.000]");
    EXPECT_EQ(Pomer(2, 3), "2/3 [0.667]");
    EXPECT_EQ(Pomer(0, 0), "0/0 [-]");
    // A value that is not a number cannot be reported at all.
    const FormatCisel f(Jednotky(1, 0, 0));
    EXPECT_THROW(f.Souradnice(std::numeric_limits<Real>::quiet_NaN()), ChybaProtokolu);
    EXPECT_THROW(f.UhelOdchylka(std::numeric_limits<Real>::infinity()), ChybaProtokolu);
    EXPECT_THROW(TriDesetinna(std::numeric_limits<Real>::quiet_NaN()), ChybaProtokolu);
}

}  // namespace
}  // namespace vertano
