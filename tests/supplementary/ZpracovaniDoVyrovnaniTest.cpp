#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DoplnekTestPomocne.h"
#include "adjustment/TvektorDoplnek.h"
#include "data/Tinfo.h"
#include "data/Tsouradnice.h"
#include "matice/Konstanty.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {
namespace {

using test::Bod;
using test::Doplnek;
using test::VychoziNastaveni;

constexpr Real kR = 6380000.0L;

// Determined points P1, P2 and fixed points F1, F2; P = P1, P2, F1, F2.
struct Sit {
    Tsouradnice urcovane;
    Tsouradnice fixni;
    Tnastaveni nastaveni = VychoziNastaveni();
    Tinfo info;
    TdoplnkoveMereni vstup;
    TdoplnkoveMereni pripravene;

    Sit() {
        urcovane.PridejBod(Bod("P1", 1000, 2000, 300));
        urcovane.PridejBod(Bod("P2", 1300, 2400, 312.5L));
        fixni.PridejBod(Bod("F1", 900, 1500, 280, true));
        fixni.PridejBod(Bod("F2", 500, 1500, 290, true));
    }

    DoplnekPripravaVysledek Pripravit() {
        return pripravene.ZpracovaniDoVyrovnani(vstup, urcovane, fixni, nastaveni, info);
    }
};

// The reduction written out plainly, as a reference.
Real OcekavanaRedukce(Real s, Real h1, Real h2, Real z1, Real z2, Real h0, Real m1, Real m2,
                      Real& f) {
    const Real dh = z1 + h1 - z2 - h2;
    const Real k = std::sqrt((s * s - dh * dh) / ((kR + z1 + h1) * (kR + z2 + h2)));
    const Real a = kR + z1;
    const Real b = kR + z2;
    const Real s0 = std::sqrt(a * a + b * b - 2 * std::cos(k) * a * b);
    f = (kR + h0) / (kR + (z1 + z2) / 2) * (m1 + m2) / 2;
    return s0;
}

TEST(SupplementaryPreparation, TakesRowsWhosePointsAreInTheNetworkWithTheirIndexes) {
    Sit sit;
    sit.vstup.prevyseni.PridejZaznam(Doplnek(1, "P1", "F1", -20));
    sit.vstup.prevyseni.PridejPrazdnyZaznam();
    sit.vstup.prevyseni.PridejZaznam(Doplnek(3, "P1", "X9", 1));
    sit.vstup.prevyseni.PridejZaznam(Doplnek(4, "p1", "F2", 1));  // exact names: no "p1"
    sit.vstup.prevyseni.PridejZaznam(Doplnek(5, "F2", "P2", 22.5L));
    const DoplnekPripravaVysledek v = sit.Pripravit();
    ASSERT_TRUE(v.ok) << v.message;
    const Tmereni& p = sit.pripravene.prevyseni;
    ASSERT_EQ(p.zaznam.size(), 2u);
    EXPECT_EQ(p.zaznam[0].iStn, 0);
    EXPECT_EQ(p.zaznam[0].iCil, 2);
    EXPECT_EQ(p.zaznam[1].iStn, 3);
    EXPECT_EQ(p.zaznam[1].iCil, 1);
    EXPECT_EQ(p.zaznam[1].poradi, 5);
    EXPECT_EQ(p.zaznam[1].zkresleniDelky, 1);
    EXPECT_EQ(v.Pocty(DruhDoplnku::Prevyseni).prevzato, 2);
    EXPECT_EQ(v.Pocty(DruhDoplnku::Prevyseni).vynechano, 2);
    EXPECT_EQ(p.zaznam[0].zapracovaniPoloha[1], -20);
    EXPECT_EQ(p.zaznam[0].zapracovaniPoloha[2], 0);
}

TEST(SupplementaryPreparation, DistanceIsReducedAndComparedWithCoordinates) {
    Sit sit;
    const Real s = 500.2L;
    sit.vstup.delka.PridejZaznam(Doplnek(1, "P1", "P2", s, 1.5L, 1.3L));
    ASSERT_TRUE(sit.Pripravit().ok);
    const Tzaznam& z = sit.pripravene.delka.zaznam.at(0);
    Real f = 0;
    const Real s0 = OcekavanaRedukce(s, 1.5L, 1.3L, 300, 312.5L, 0, 1, 1, f);
    EXPECT_NEAR(f, kR / (kR + 306.25L), 1e-18L);
    EXPECT_NEAR(z.zkresleniDelky, f, 1e-18L);
    EXPECT_NEAR(z.delka, s0 * f, 1e-8L);
    EXPECT_NEAR(z.zapracovaniPoloha[0], s0, 1e-8L);
    const Real zeSouradnic = std::sqrt(std::pow(500 / f, 2) + 12.5L * 12.5L);
    EXPECT_NEAR(z.zapracovaniPoloha[1], zeSouradnic, 1e-9L);
    EXPECT_NEAR(z.zapracovaniPoloha[2], zeSouradnic - s0, 1e-8L);
    // The measurement differs from the coordinates by about 4 cm: within 10 cm.
    EXPECT_FALSE(z.kontrola[0]);
    EXPECT_EQ(sit.pripravene.delka.kontrola[0], 0);
}

TEST(SupplementaryPreparation, MeanLevelIsTheMidpointOfAllNetworkHeightsInAnyOrder) {
    Sit sit;
    sit.nastaveni.redukceMereni.typHladiny = 1;
    // Lowest F1 (280) and highest P2 (312.5), neither first nor last in P.
    sit.vstup.delka.PridejZaznam(Doplnek(1, "P1", "F2", 500, 0, 0));
    ASSERT_TRUE(sit.Pripravit().ok);
    const Real h0 = (280 + 312.5L) / 2;
    EXPECT_NEAR(sit.pripravene.delka.zaznam.at(0).zkresleniDelky, (kR + h0) / (kR + 295), 1e-18L);
}

TEST(SupplementaryPreparation, ScaleFactorsMayComeFromTheScaleFactorList) {
    Sit sit;
    for (Tsouradnice* s : {&sit.urcovane, &sit.fixni}) {
        for (Tbod& b : s->bod) b.zkresleni = -1;
    }
    sit.vstup.delka.PridejZaznam(Doplnek(1, "P1", "P2", 500, 0, 0));
    // Without factors the distance cannot be reduced, and nothing is prepared.
    sit.vstup.smernik.PridejZaznam(Doplnek(1, "P1", "P2", 1));
    DoplnekPripravaVysledek v = sit.Pripravit();
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.druh, DruhDoplnku::Delka);
    EXPECT_EQ(v.radek, 0);
    EXPECT_NE(v.message.find("row 1 (P1 - P2)"), std::string::npos);

    Tsouradnice meritko;
    meritko.PridejBod(Bod("P2", 0, 0, 0));
    meritko.bod[0].zkresleni = 1.0004L;
    sit.nastaveni.redukceMereni.zakladniZkresleni = 0.9998L;
    v = sit.pripravene.ZpracovaniDoVyrovnani(sit.vstup, sit.urcovane, sit.fixni, meritko,
                                             sit.nastaveni, sit.info);
    ASSERT_TRUE(v.ok) << v.message;
    EXPECT_NEAR(sit.pripravene.delka.zaznam.at(0).zkresleniDelky, kR / (kR + 306.25L) * 1.0001L,
                1e-18L);
}

TEST(SupplementaryPreparation, BearingComparisonWrapsAroundTheCircle) {
    Sit sit;
    sit.urcovane.bod[1].X = 1400;  // P2 400 m north of P1, 1 cm to the east
    sit.urcovane.bod[1].Y = 2000.01L;
    const Real smernik = std::atan2(0.01L, 400.0L);
    sit.vstup.smernik.PridejZaznam(Doplnek(1, "P1", "P2", kDvePi - 1e-5L));
    sit.vstup.smernik.PridejZaznam(Doplnek(2, "P1", "P2", smernik + 1e-3L));
    sit.vstup.smernik.PridejZaznam(Doplnek(3, "P2", "P1", kPi + smernik));
    ASSERT_TRUE(sit.Pripravit().ok);
    const Tmereni& p = sit.pripravene.smernik;
    ASSERT_EQ(p.zaznam.size(), 3u);
    EXPECT_NEAR(p.zaznam[0].zapracovaniPoloha[1], smernik, 1e-17L);
    EXPECT_NEAR(p.zaznam[0].zapracovaniPoloha[2], smernik + 1e-5L, 1e-15L);
    EXPECT_FALSE(p.zaznam[0].kontrola[0]);
    EXPECT_NEAR(p.zaznam[1].zapracovaniPoloha[2], -1e-3L, 1e-15L);
    EXPECT_TRUE(p.zaznam[1].kontrola[0]);  // 1 mrad > 50 mgon
    EXPECT_NEAR(p.zaznam[2].zapracovaniPoloha[2], 0, 1e-15L);
    EXPECT_EQ(p.kontrola[0], 1);
}

TEST(SupplementaryPreparation, PlumbingBetweenPointsWithDifferentXYIsFlagged) {
    Sit sit;
    sit.urcovane.PridejBod(Bod("V1", 1000, 2000.05L, 250));  // 5 cm from P1
    sit.urcovane.PridejBod(Bod("V2", 1000.2L, 2000, 200));   // 20 cm from P1
    sit.vstup.provazeni.PridejZaznam(Doplnek(1, "P1", "V1", -1));
    sit.vstup.provazeni.PridejZaznam(Doplnek(2, "V2", "P1", -1));
    ASSERT_TRUE(sit.Pripravit().ok);
    const Tmereni& p = sit.pripravene.provazeni;
    ASSERT_EQ(p.zaznam.size(), 2u);
    EXPECT_EQ(p.zaznam[0].delka, 0);
    EXPECT_EQ(p.zaznam[0].zapracovaniPoloha[0], 0);
    EXPECT_NEAR(p.zaznam[0].zapracovaniPoloha[1], 0.05L, 1e-12L);
    EXPECT_FALSE(p.zaznam[0].kontrola[0]);
    EXPECT_NEAR(p.zaznam[1].zapracovaniPoloha[2], 0.2L, 1e-12L);
    EXPECT_TRUE(p.zaznam[1].kontrola[0]);
    EXPECT_EQ(p.kontrola[0], 1);
    EXPECT_EQ(OznameniPrekroceniDoplnku(sit.pripravene), std::vector<int32_t>{25});
}

TEST(SupplementaryPreparation, HeightDifferenceLimitAndNoticeOrder) {
    Sit sit;
    sit.vstup.prevyseni.PridejZaznam(Doplnek(1, "P1", "P2", 12.5L + 0.1L));  // exactly the limit
    sit.vstup.prevyseni.PridejZaznam(Doplnek(2, "P1", "P2", 12.7L));
    sit.vstup.delka.PridejZaznam(Doplnek(1, "P1", "P2", 520, 0, 0));  // 20 m off
    ASSERT_TRUE(sit.Pripravit().ok);
    const Tmereni& p = sit.pripravene.prevyseni;
    EXPECT_FALSE(p.zaznam.at(0).kontrola[0]);
    EXPECT_TRUE(p.zaznam.at(1).kontrola[0]);
    EXPECT_TRUE(sit.pripravene.delka.zaznam.at(0).kontrola[0]);
    EXPECT_EQ(OznameniPrekroceniDoplnku(sit.pripravene), (std::vector<int32_t>{22, 24}));
}

TEST(SupplementaryPreparation, DistanceBetweenFixedPointsStaysPrepared) {
    Sit sit;
    sit.vstup.delka.PridejZaznam(Doplnek(1, "F1", "F2", 400.1L, 0, 0));
    ASSERT_TRUE(sit.Pripravit().ok);
    const Tzaznam& z = sit.pripravene.delka.zaznam.at(0);
    EXPECT_EQ(z.iStn, 2);
    EXPECT_EQ(z.iCil, 3);
    EXPECT_GT(z.zapracovaniPoloha[1], 400);

    // The adjustment loads it from the same point list, but it constrains nothing.
    sit.vstup.delka.PridejZaznam(Doplnek(2, "P1", "F2", 500, 0, 0));
    sit.vstup.provazeni.PridejZaznam(Doplnek(1, "F2", "P2", -1));
    ASSERT_TRUE(sit.Pripravit().ok);
    Tsouradnice body(sit.urcovane);
    body.PridejBody2(sit.fixni);
    TvektorDoplnek vektor;
    ASSERT_TRUE(vektor.Nacist(sit.pripravene, body, sit.nastaveni, 1).ok);
    EXPECT_EQ(sit.pripravene.delka.zaznam.size(), 2u);
    ASSERT_EQ(vektor.pocetDelka, 1);
    EXPECT_EQ(vektor.delka.zaznam[0].cislo_cil, "F2");
    EXPECT_EQ(vektor.delka.zaznam[0].iStn, 0);
    EXPECT_EQ(vektor.delka.zaznam[0].iCil, 3);
    EXPECT_NEAR(vektor.delka.zaznam[0].zkresleni, kR / (kR + 295), 1e-18L);
    EXPECT_EQ(vektor.delka.zaznam[0].odchylka, sit.nastaveni.doplnek.odchylka_delka);
    EXPECT_EQ(vektor.provazeni.zaznam[0].hodnota, 0);
    EXPECT_EQ(vektor.pocet, 3);
}

TEST(SupplementaryPreparation, ProjectFlagsFollowTheInputWhateverTheOutcome) {
    Sit sit;
    sit.info.analyzaMereni.doplnekProvazeni = true;
    sit.vstup.smernik.PridejZaznam(Doplnek(1, "X1", "X2", 1));  // outside the network
    sit.vstup.delka.PridejPrazdnyZaznam();
    sit.vstup.prevyseni.PridejZaznam(Doplnek(1, "P1", "P1", 1));  // invalid, counters stale
    sit.pripravene.smernik.PridejZaznam(Doplnek(1, "old", "row", 1));
    const DoplnekPripravaVysledek v = sit.Pripravit();
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.druh, DruhDoplnku::Prevyseni);
    EXPECT_TRUE(sit.info.analyzaMereni.doplnekSmernik);
    EXPECT_FALSE(sit.info.analyzaMereni.doplnekDelka);
    EXPECT_TRUE(sit.info.analyzaMereni.doplnekPrevyseni);
    EXPECT_FALSE(sit.info.analyzaMereni.doplnekProvazeni);
    EXPECT_EQ(sit.pripravene.PocetMereni(), 0);
    EXPECT_TRUE(sit.pripravene.smernik.zaznam.empty());
}

TEST(SupplementaryPreparation, RefusesToPrepareIntoItsOwnInput) {
    Sit sit;
    sit.vstup.prevyseni.PridejZaznam(Doplnek(1, "P1", "P2", 12.5L));
    const DoplnekPripravaVysledek v = sit.vstup.ZpracovaniDoVyrovnani(
        sit.vstup, sit.urcovane, sit.fixni, sit.nastaveni, sit.info);
    EXPECT_FALSE(v.ok);
    EXPECT_TRUE(sit.info.analyzaMereni.doplnekPrevyseni);
    EXPECT_EQ(sit.vstup.prevyseni.zaznam.size(), 1u);  // the input is not touched
}

}  // namespace
}  // namespace vertano
