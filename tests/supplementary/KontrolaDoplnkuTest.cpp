#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "DoplnekTestPomocne.h"
#include "data/Tchyby.h"
#include "matice/Konstanty.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {
namespace {

using test::Doplnek;
using test::VychoziNastaveni;

TEST(SupplementaryCheck, DistanceLimitsAndCounters) {
    const Tnastaveni n = VychoziNastaveni();  // heights up to 2 m, distances up to 2000 m
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "A", "B", 2000, 2, 2));  // every limit exactly: valid
    m.PridejZaznam(Doplnek(2, "A", "B", 0, 0, 0));     // a distance of 0
    m.PridejZaznam(Doplnek(3, "A", "A", 10, -0.1L, 2.1L));
    m.PridejZaznam(Doplnek(4, "A", "B", 2000.001L, 0, 0));
    Tzaznam prazdny = Doplnek(0, "C", "C", -5);  // flagged, but an empty row is not counted
    m.PridejZaznam(prazdny);
    Tchyby chyby;
    EXPECT_EQ(KontrolaDoplnku(m, DruhDoplnku::Delka, n, chyby), 5);
    EXPECT_FALSE(m.zaznam[0].MaKontrolu());
    EXPECT_TRUE(m.zaznam[1].kontrola[3]);
    EXPECT_TRUE(m.zaznam[2].kontrola[0] && m.zaznam[2].kontrola[1] && m.zaznam[2].kontrola[2]);
    EXPECT_FALSE(m.zaznam[2].kontrola[3]);
    EXPECT_TRUE(m.zaznam[3].kontrola[3]);
    EXPECT_TRUE(m.zaznam[4].kontrola[0] && m.zaznam[4].kontrola[3]);
    EXPECT_EQ(m.kontrola[0], 1);
    EXPECT_EQ(m.kontrola[1], 1);
    EXPECT_EQ(m.kontrola[2], 1);
    EXPECT_EQ(m.kontrola[3], 2);
    EXPECT_EQ(chyby.doplnekDelkaCekovyPocetChyb, 5);
    EXPECT_EQ(DescribeSupplementaryErrors(m, DruhDoplnku::Delka),
              "slope distance: 5 errors in 4 measurements (same points 1, instrument height 1, "
              "target height 1, distance 2)");
}

TEST(SupplementaryCheck, HeightDifferenceLimitIsInclusive) {
    const Tnastaveni n = VychoziNastaveni();  // 100 m
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "A", "B", 100));
    m.PridejZaznam(Doplnek(2, "A", "B", -100));
    m.PridejZaznam(Doplnek(3, "A", "B", 100.0001L));
    m.PridejZaznam(Doplnek(4, "A", "B", std::nanl("")));
    // Heights are not the business of a height difference.
    m.PridejZaznam(Doplnek(5, "A", "B", 1, -7, 9));
    Tchyby chyby;
    EXPECT_EQ(KontrolaDoplnku(m, DruhDoplnku::Prevyseni, n, chyby), 2);
    EXPECT_FALSE(m.zaznam[0].MaKontrolu());
    EXPECT_FALSE(m.zaznam[1].MaKontrolu());
    EXPECT_TRUE(m.zaznam[2].kontrola[3]);
    EXPECT_TRUE(m.zaznam[3].kontrola[3]);
    EXPECT_FALSE(m.zaznam[4].MaKontrolu());
    EXPECT_EQ(chyby.doplnekPrevyseniCekovyPocetChyb, 2);
}

TEST(SupplementaryCheck, BearingMustLieInTheHalfOpenCircle) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "A", "B", 0));
    m.PridejZaznam(Doplnek(2, "A", "B", kDvePi));
    m.PridejZaznam(Doplnek(3, "A", "B", -1e-12L));
    m.PridejZaznam(Doplnek(4, "A", "B", 6.28L, 5, 5));
    Tchyby chyby;
    EXPECT_EQ(KontrolaDoplnku(m, DruhDoplnku::Smernik, n, chyby), 2);
    EXPECT_EQ(m.kontrola[3], 2);
    EXPECT_EQ(m.kontrola[1], 0);
    EXPECT_EQ(chyby.doplnekSmernikCekovyPocetChyb, 2);
}

TEST(SupplementaryCheck, PlumbingOnlyComparesThePointNumbers) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "A", "B", -1, -1, -1));
    m.PridejZaznam(Doplnek(2, "B", "B", -1));
    Tchyby chyby;
    EXPECT_EQ(KontrolaDoplnku(m, DruhDoplnku::Provazeni, n, chyby), 1);
    EXPECT_FALSE(m.zaznam[0].MaKontrolu());
    EXPECT_EQ(chyby.doplnekProvazeniCekovyPocetChyb, 1);
}

TEST(SupplementaryCheck, WholeCheckSetsEveryCounterAndTheStopNoticeFollowsTheAnalysisOrder) {
    const Tnastaveni n = VychoziNastaveni();
    TdoplnkoveMereni d;
    d.smernik.PridejZaznam(Doplnek(1, "A", "A", 1));
    d.prevyseni.PridejZaznam(Doplnek(1, "A", "A", 1));
    d.delka.PridejZaznam(Doplnek(1, "A", "B", 10));
    Tchyby chyby;
    chyby.doplnekDelkaCekovyPocetChyb = 9;  // stale
    d.KontrolaCelkova(n, chyby);
    EXPECT_EQ(chyby.doplnekDelkaCekovyPocetChyb, 0);
    EXPECT_EQ(chyby.doplnekSmernikCekovyPocetChyb, 1);
    EXPECT_EQ(chyby.doplnekPrevyseniCekovyPocetChyb, 1);
    EXPECT_EQ(chyby.doplnekProvazeniCekovyPocetChyb, 0);
    EXPECT_EQ(OznameniChybDoplnku(chyby), 19);  // bearing before height difference
    chyby.doplnekDelkaCekovyPocetChyb = 1;
    EXPECT_EQ(OznameniChybDoplnku(chyby), 18);
    chyby.Default();
    EXPECT_EQ(OznameniChybDoplnku(chyby), 0);
    chyby.doplnekProvazeniCekovyPocetChyb = 2;
    EXPECT_EQ(OznameniChybDoplnku(chyby), 21);
}

TEST(SupplementaryContainer, CountsFilledRowsOfTheFourKindsOnly) {
    TdoplnkoveMereni d(10);
    d.smernik.PridejZaznam(Doplnek(1, "A", "B", 1));
    d.delka.PridejPrazdnyZaznam();
    d.delka.PridejZaznam(Doplnek(2, "A", "B", 1));
    d.provazeni.PridejZaznam(Doplnek(1, "A", "B", 1));
    d.schranka.PridejZaznam(Doplnek(1, "A", "B", 1));
    EXPECT_EQ(d.PocetMereni(), 3);
    EXPECT_EQ(d.Seznam(static_cast<DruhDoplnku>(5)), nullptr);
    d.Clear();
    EXPECT_EQ(d.PocetMereni(), 0);
    EXPECT_TRUE(d.schranka.zaznam.empty());
}

}  // namespace
}  // namespace vertano
