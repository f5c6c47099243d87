#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "SouradniceTestPomocne.h"
#include "data/SouradniceKontrola.h"
#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"

namespace vertano {
namespace {

using test::Plny;
using test::Seznam;

struct Vysledek {
    Real D, S, P;
    int32_t celkem;
};

// Runs the check for one of the two lists and reads back its counters.
Vysledek Kontrola(Tsouradnice& s, uint8_t bodyVstup) {
    Tchyby chyby;
    KontrolaSouradnic(s, bodyVstup, chyby);
    if (bodyVstup == kBodyVstupFixni) {
        const Tbod& p = chyby.souradniceFixniPocetChyb;
        return {p.X, p.Y, p.Z, chyby.souradniceFixniCekovyPocetChyb};
    }
    const Tbod& p = chyby.souradniceTransformaceVstupPocetChyb;
    return {p.X, p.Y, p.Z, chyby.souradniceTransformaceVstupCekovyPocetChyb};
}

class KontrolaSouradnicObouSeznamu : public ::testing::TestWithParam<uint8_t> {};

TEST_P(KontrolaSouradnicObouSeznamu, DuplicateNumbersFlagBoth) {
    Tsouradnice s = Seznam({Plny("1", 1, 2, 3), Plny("1", 4, 5, 6), Plny("2", 7, 8, 9)});
    const Vysledek v = Kontrola(s, GetParam());
    EXPECT_EQ(v.D, 2);
    EXPECT_EQ(v.S, 0);
    EXPECT_EQ(v.P, 0);
    EXPECT_EQ(v.celkem, 2);
    EXPECT_TRUE(s.bod[0].kontrola[0]);
    EXPECT_TRUE(s.bod[1].kontrola[0]);
    EXPECT_FALSE(s.bod[2].kontrola[0]);
}

TEST_P(KontrolaSouradnicObouSeznamu, SamePlanPositionIsNoErrorOfTheTotal) {
    Tsouradnice s = Seznam({Plny("1", 1, 2, 3), Plny("2", 1, 2, 4)});
    const Vysledek v = Kontrola(s, GetParam());
    EXPECT_EQ(v.D, 0);
    EXPECT_EQ(v.S, 0);
    EXPECT_EQ(v.P, 2);
    EXPECT_EQ(v.celkem, 0);
    EXPECT_TRUE(s.bod[0].kontrola[1]);
    EXPECT_TRUE(s.bod[1].kontrola[1]);
    EXPECT_FALSE(s.bod[0].kontrola[2]);
}

TEST_P(KontrolaSouradnicObouSeznamu, SameSpacePositionCountsForGivenPointsOnly) {
    Tsouradnice s = Seznam({Plny("1", 1, 2, 3), Plny("2", 1, 2, 3)});
    const Vysledek v = Kontrola(s, GetParam());
    EXPECT_EQ(v.D, 0);
    EXPECT_EQ(v.S, 2);
    EXPECT_EQ(v.P, 0);
    EXPECT_EQ(v.celkem, GetParam() == kBodyVstupFixni ? 2 : 0);
    EXPECT_TRUE(s.bod[0].kontrola[2]);
    EXPECT_TRUE(s.bod[0].kontrola[1]);
}

TEST_P(KontrolaSouradnicObouSeznamu, MixedGroupsCountPlanOnlyOnce) {
    // 1 and 2 coincide in space, 3 only in plan with them; 4 and 5 in plan; 1 twice.
    Tsouradnice s =
        Seznam({Plny("1", 0, 0, 0), Plny("2", 0, 0, 0), Plny("3", 0, 0, 5), Plny("4", 7, 7, 1),
                Plny("5", 7, 7, 2), Plny("1", 9, 9, 9), Plny("6", 0, 9, 0)});
    const Vysledek v = Kontrola(s, GetParam());
    EXPECT_EQ(v.D, 2);
    EXPECT_EQ(v.S, 2);
    EXPECT_EQ(v.P, 3);
    EXPECT_EQ(v.celkem, GetParam() == kBodyVstupFixni ? 4 : 2);
    EXPECT_FALSE(s.bod[6].MaKontrolu());
}

TEST_P(KontrolaSouradnicObouSeznamu, EmptySlotsCountOnlyAsNameHolders) {
    Tbod prazdny = Plny("1", 1, 2, 3);
    prazdny.JePlny = false;
    prazdny.kontrola[2] = true;  // left over from an earlier check
    Tsouradnice s = Seznam({Plny("1", 1, 2, 3), prazdny, Plny("2", 5, 5, 5)});
    const Vysledek v = Kontrola(s, GetParam());
    EXPECT_EQ(v.D, 1);  // the empty slot still holds the number
    EXPECT_EQ(v.S, 0);  // but has no position
    EXPECT_EQ(v.P, 0);
    EXPECT_TRUE(s.bod[0].kontrola[0]);
    EXPECT_FALSE(s.bod[0].kontrola[2]);
    EXPECT_TRUE(s.bod[1].kontrola[2]);  // empty slots are not checked
}

TEST_P(KontrolaSouradnicObouSeznamu, ARecheckClearsFlagsOfMendedPoints) {
    Tsouradnice s = Seznam({Plny("1", 1, 2, 3), Plny("1", 1, 2, 3)});
    Kontrola(s, GetParam());
    ASSERT_TRUE(s.bod[1].kontrola[0] && s.bod[1].kontrola[1] && s.bod[1].kontrola[2]);
    s.bod[1].cislo = "2";
    s.bod[1].X = 10;
    const Vysledek v = Kontrola(s, GetParam());
    EXPECT_EQ(v.celkem, 0);
    EXPECT_FALSE(s.bod[0].MaKontrolu());
    EXPECT_FALSE(s.bod[1].MaKontrolu());
}

TEST_P(KontrolaSouradnicObouSeznamu, SignedZerosCoincideNotANumberNever) {
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    Tsouradnice s = Seznam({Plny("1", 0.0L, 5, 1), Plny("2", -0.0L, 5, 1), Plny("3", nan, 1, 1),
                            Plny("4", nan, 1, 1)});
    const Vysledek v = Kontrola(s, GetParam());
    EXPECT_EQ(v.S, 2);
    EXPECT_EQ(v.P, 0);
    EXPECT_FALSE(s.bod[2].kontrola[1]);
}

TEST_P(KontrolaSouradnicObouSeznamu, NamesDifferingInCaseAreNoDuplicates) {
    Tsouradnice s = Seznam({Plny("a1", 1), Plny("A1", 2)});
    EXPECT_EQ(Kontrola(s, GetParam()).D, 0);
}

INSTANTIATE_TEST_SUITE_P(Seznamy, KontrolaSouradnicObouSeznamu,
                         ::testing::Values(kBodyVstupFixni, kBodyVstupIdenticke));

TEST(KontrolaSouradnic, OtherListSelectorsChangeNothing) {
    Tsouradnice s = Seznam({Plny("1"), Plny("1")});
    Tchyby chyby;
    chyby.souradniceFixniCekovyPocetChyb = 7;
    chyby.souradniceTransformaceVstupCekovyPocetChyb = 8;
    for (const uint8_t vstup : {0, 3, 255}) KontrolaSouradnic(s, vstup, chyby);
    EXPECT_EQ(chyby.souradniceFixniCekovyPocetChyb, 7);
    EXPECT_EQ(chyby.souradniceTransformaceVstupCekovyPocetChyb, 8);
    EXPECT_FALSE(s.bod[0].kontrola[0]);
}

TEST(KontrolaSouradnic, EachListWritesOnlyItsOwnCounters) {
    Tsouradnice s = Seznam({Plny("1"), Plny("1")});
    Tchyby chyby;
    KontrolaSouradnic(s, kBodyVstupIdenticke, chyby);
    EXPECT_EQ(chyby.souradniceTransformaceVstupCekovyPocetChyb, 2);
    EXPECT_EQ(chyby.souradniceFixniCekovyPocetChyb, 0);
    EXPECT_EQ(chyby.souradniceTransformaceVstupPocetChyb.Presnost().sig_X,
              -1);  // starts as empty point

    Tsouradnice ok = Seznam({Plny("1"), Plny("2", 1)});
    KontrolaSouradnic(ok, kBodyVstupIdenticke, chyby);
    EXPECT_EQ(chyby.souradniceTransformaceVstupCekovyPocetChyb, 0);
    EXPECT_EQ(chyby.souradniceTransformaceVstupPocetChyb.X, 0);
}

Tbod Meritko(const std::string& cislo, Real zkresleni) {
    Tbod b = Plny(cislo);
    b.zkresleni = zkresleni;
    return b;
}

TEST(KontrolaMeritka, BoundsThemselvesAreOutOfRange) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tsouradnice s = Seznam({Meritko("1", 0.7L), Meritko("2", 1.3L), Meritko("3", 0.70001L),
                            Meritko("4", 1.29999L), Meritko("5", 0), Meritko("6", -1),
                            Meritko("7", std::numeric_limits<Real>::quiet_NaN())});
    Tchyby chyby;
    KontrolaMeritka(s, nastaveni, chyby);
    EXPECT_EQ(chyby.souradniceMeritkoPocetChyb.X, 0);
    EXPECT_EQ(chyby.souradniceMeritkoPocetChyb.Y, 5);
    EXPECT_EQ(chyby.souradniceMeritkoCekovyPocetChyb, 5);
    const bool ocekavano[] = {true, true, false, false, true, true, true};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(s.bod[i].kontrola[1], ocekavano[i]) << i;
}

TEST(KontrolaMeritka, DuplicatesAndRangeAddUp) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    nastaveni.mezMaxVstup.hodnota_zkresleniMin = 0.9L;
    Tbod prazdny = Meritko("9", 5);
    prazdny.JePlny = false;
    Tsouradnice s = Seznam({Meritko("1", 1), Meritko("1", 0.8L), Meritko("2", 1.0001L), prazdny});
    Tchyby chyby;
    KontrolaMeritka(s, nastaveni, chyby);
    EXPECT_EQ(chyby.souradniceMeritkoPocetChyb.X, 2);
    EXPECT_EQ(chyby.souradniceMeritkoPocetChyb.Y, 1);
    EXPECT_EQ(chyby.souradniceMeritkoPocetChyb.Z, 0);
    EXPECT_EQ(chyby.souradniceMeritkoCekovyPocetChyb, 3);
    EXPECT_FALSE(s.bod[3].kontrola[1]);  // the empty slot is not range-checked
    EXPECT_FALSE(s.bod[2].MaKontrolu());
}

}  // namespace
}  // namespace vertano
