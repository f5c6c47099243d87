#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "data/SouradniceTestPomocne.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"
#include "processing/MedianMereni.h"
#include "processing/MedianSouradnice.h"
#include "processing/MedianVektor.h"

namespace vertano {
namespace {

using test::Plny;

Tzaznam Orientace(int32_t poradi, int32_t iStn, int32_t iCil, Real posun,
                  const std::string& cil = "C") {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.iStn = iStn;
    z.iCil = iCil;
    z.cislo_stn = "S";
    z.cislo_cil = cil;
    z.posun = posun;
    return z;
}

TEST(MedianVektor, EqualValueGoesInFront) {
    // -0 and +0 compare equal but can be told apart: the newcomer must be first.
    std::vector<Real> v{+0.0L};
    VlozitVzestupne(v, -0.0L);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_TRUE(std::signbit(v[0]));
    EXPECT_FALSE(std::signbit(v[1]));
}

TEST(TmaticeSouradnice, MedianOfCandidatesIsLowerMedianPerCoordinate) {
    TmaticeSouradnice m(std::vector<std::string>{"1", "2"});
    // X candidates 10.00, 10.02, 10.01, 10.50 -> 10.01; Y and Z ordered differently,
    // each coordinate takes its own median.
    Tbod prvni = Plny("2", 10.00L, 7.0L, 1.0L);
    prvni.JeFixni = true;
    EXPECT_TRUE(m.VlozitBod(prvni, 1));
    EXPECT_TRUE(m.VlozitBod(Plny("x", 10.02L, 5.0L, 4.0L), 1));
    EXPECT_TRUE(m.VlozitBod(Plny("y", 10.01L, 6.0L, 2.0L), 1));
    EXPECT_TRUE(m.VlozitBod(Plny("z", 10.50L, 8.0L, 3.0L), 1));

    EXPECT_EQ(m.X[1], (std::vector<Real>{10.00L, 10.01L, 10.02L, 10.50L}));
    Tbod med;
    ASSERT_TRUE(m.VratBodMedian(med, 1));
    EXPECT_EQ(med.X, 10.01L);
    EXPECT_EQ(med.Y, 6.0L);
    EXPECT_EQ(med.Z, 2.0L);
    // The record stays the first point's: only the coordinates follow the median.
    EXPECT_EQ(med.cislo, "2");
    EXPECT_TRUE(med.JeFixni);
    EXPECT_EQ(m.PocetKandidatu(1), 4);

    EXPECT_FALSE(m.VratBodMedian(med, 0));  // no candidate yet
}

TEST(TmaticeSouradnice, RefusesBadPositionsAndValues) {
    TmaticeSouradnice m(2);
    Tbod b = Plny("1", 1, 2, 3);
    EXPECT_FALSE(m.VlozitBod(b, -1));
    EXPECT_FALSE(m.VlozitBod(b, 2));
    EXPECT_FALSE(m.ZaraditBodDleVelikost(b, 2));
    Tbod med;
    EXPECT_FALSE(m.VratBodMedian(med, 2));

    Tbod nan = b;
    nan.Y = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(m.VlozitBod(nan, 0));
    EXPECT_EQ(m.PocetKandidatu(0), 0);

    Tbod prazdny = b;
    prazdny.JePlny = false;
    EXPECT_FALSE(m.PridejBod(prazdny, 0));

    // Inserting into a position without a median point still makes it known.
    EXPECT_TRUE(m.ZaraditBodDleVelikost(b, 0));
    EXPECT_TRUE(m.VratBodMedian(med, 0));
    EXPECT_TRUE(m.VlozitBod(b, 0));
    EXPECT_FALSE(m.VlozitBod(nan, 0));
    EXPECT_EQ(m.PocetKandidatu(0), 2);
}

TEST(TmaticeSouradnice, PridejSouradniceMatchesNamesExactlyAndSkipsEmptySlots) {
    TmaticeSouradnice m(std::vector<std::string>{"A1", "B", "C"});
    Tsouradnice s;
    s.PridejBod(Plny("a1", 1, 1, 1));  // another spelling: another point
    s.PridejBod(Plny("B", 2, 2, 2));
    Tbod prazdny = Plny("C", 0, 0, 0);
    prazdny.JePlny = false;
    s.PridejBod(prazdny);
    s.PridejBod(Plny("D", 4, 4, 4));  // not in the store
    EXPECT_EQ(m.PridejSouradnice(s), 1);

    Tbod med;
    EXPECT_FALSE(m.VratBodMedian(med, 0));
    ASSERT_TRUE(m.VratBodMedian(med, 1));
    EXPECT_EQ(med.X, 2);
    EXPECT_FALSE(m.VratBodMedian(med, 2));

    // Twice the same name: both values are candidates, the vector stays ordered.
    Tsouradnice dvakrat;
    dvakrat.PridejBod(Plny("C", 9, 9, 9));
    dvakrat.PridejBod(Plny("C", 3, 3, 3));
    EXPECT_EQ(m.PridejSouradnice(dvakrat), 2);
    EXPECT_EQ(m.X[2], (std::vector<Real>{3, 9}));

    Tsouradnice vystup;
    vystup.PridejBod(Plny("old", 7, 7, 7));
    m.Median2Souradnice(vystup);
    ASSERT_EQ(vystup.Pocet(), 3);
    EXPECT_FALSE(vystup.bod[0].JePlny);
    EXPECT_EQ(vystup.bod[1].cislo, "B");
    EXPECT_EQ(vystup.bod[2].X, 3);
}

TEST(TmaticeMereni, EqualOrientationSampleGoesInFrontAndMedianHolds) {
    TmaticeMereni m(3, 2);
    Tzaznam z;
    EXPECT_FALSE(m.VratZaznamMedian(z, 0));

    ASSERT_TRUE(m.VlozZaznam(Orientace(1, 0, 1, 0.25L, "first")));
    ASSERT_TRUE(m.VlozZaznam(Orientace(1, 0, 2, 0.25L, "second")));
    ASSERT_EQ(m.orientacniPosun[0].size(), 2u);
    ASSERT_TRUE(m.VratZaznamMedian(z, 0));
    EXPECT_EQ(z.cislo_cil, "first");
    EXPECT_EQ(z.posun, 0.25L);
    EXPECT_FALSE(m.VratZaznamMedian(z, 1));
}

TEST(TmaticeMereni, MedianRecordTakesLowerMedianOfSamples) {
    TmaticeMereni m(3, 1);
    for (const Real p : {0.3L, 0.1L, 0.2L, 0.4L}) ASSERT_TRUE(m.VlozZaznam(Orientace(1, 0, 1, p)));
    EXPECT_EQ(m.orientacniPosun[0], (std::vector<Real>{0.1L, 0.2L, 0.3L, 0.4L}));
    Tzaznam z;
    ASSERT_TRUE(m.VratZaznamMedian(z, 0));
    EXPECT_EQ(z.posun, 0.2L);
    EXPECT_EQ(m.Bunka(0, 1).size(), 4u);
}

TEST(TmaticeMereni, CellsHoldRowsAndBadRowsLeaveNoTrace) {
    TmaticeMereni m(3, 1);
    Tmereni mereni;
    mereni.PridejZaznam(Orientace(1, 0, 2, 0));
    mereni.PridejZaznam(Orientace(1, 0, 1, 0));
    mereni.PridejZaznam(Orientace(1, 0, 1, 0));
    mereni.PridejZaznam(Orientace(1, 0, 3, 0));   // target outside the store
    mereni.PridejZaznam(Orientace(1, -1, 1, 0));  // station never assigned
    mereni.PridejZaznam(Tzaznam{});               // all-zero row: not full
    EXPECT_EQ(m.PridejMereni(mereni), 3);
    EXPECT_EQ(m.Bunka(0, 1).size(), 2u);
    EXPECT_EQ(m.Bunka(0, 2).size(), 1u);
    EXPECT_TRUE(m.Bunka(0, 0).empty());
    EXPECT_TRUE(m.Bunka(5, 7).empty());
    EXPECT_EQ(m.CileStanoviska(0), (std::vector<int32_t>{1, 2}));

    // An occupation outside the store or a NaN sample stores nothing at all.
    EXPECT_FALSE(m.VlozZaznam(Orientace(2, 1, 2, 0.1L)));
    EXPECT_FALSE(m.VlozZaznam(Orientace(1, 1, 2, std::numeric_limits<Real>::quiet_NaN())));
    EXPECT_TRUE(m.Bunka(1, 2).empty());
    EXPECT_TRUE(m.orientacniPosun[0].empty());
    Tzaznam z;
    EXPECT_FALSE(m.VratZaznamMedian(z, 0));
    EXPECT_FALSE(m.VratZaznamMedian(z, -1));

    m.Destroy();
    EXPECT_EQ(m.PocetBodu(), 0);
    EXPECT_EQ(m.PocetStanovisek(), 0);
    EXPECT_TRUE(m.Bunka(0, 1).empty());
}

}  // namespace
}  // namespace vertano
