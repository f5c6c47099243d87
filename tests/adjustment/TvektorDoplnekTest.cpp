#include <gtest/gtest.h>

#include <string>

#include "adjustment/TmerenaVelicina.h"
#include "adjustment/TvektorDoplnek.h"
#include "data/Tsouradnice.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/DoplnekTestPomocne.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {
namespace {

using test::Bod;
using test::Doplnek;
using test::VychoziNastaveni;

// The model's point list: A, B determined, F1, F2 fixed.
Tsouradnice Body() {
    Tsouradnice s;
    s.PridejBod(Bod("A", 0, 0, 0));
    s.PridejBod(Bod("B", 100, 0, 0));
    s.PridejBod(Bod("F1", 0, 100, 0, true));
    s.PridejBod(Bod("F2", 100, 100, 0, true));
    return s;
}

// A prepared row between points of Body() by index.
Tzaznam Pripraveny(int32_t poradi, int32_t iStn, int32_t iCil, Real hodnota, Real sig = -1) {
    static const char* const kCisla[] = {"A", "B", "F1", "F2"};
    Tzaznam z = Doplnek(poradi, kCisla[iStn], kCisla[iCil], hodnota);
    z.iStn = iStn;
    z.iCil = iCil;
    z.sig_delka = sig;
    return z;
}

TEST(SupplementaryVectors, CountsPerKindWithPlumbingTwice) {
    TdoplnkoveMereni d;
    d.delka.PridejZaznam(Pripraveny(1, 0, 1, 100));
    d.delka.PridejZaznam(Pripraveny(2, 1, 2, 141));
    d.smernik.PridejZaznam(Pripraveny(1, 0, 1, 0));
    d.prevyseni.PridejZaznam(Pripraveny(1, 0, 3, 0));
    d.provazeni.PridejZaznam(Pripraveny(1, 0, 1, 0));
    TvektorDoplnek v;
    const DoplnekVektorVysledek r = v.Nacist(d, Body(), VychoziNastaveni(), 1);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(v.pocetDelka, 2);
    EXPECT_EQ(v.pocetSmernik, 1);
    EXPECT_EQ(v.pocetPrevyseni, 1);
    EXPECT_EQ(v.pocetProvazeni, 1);
    EXPECT_EQ(v.pocet, 6);
    EXPECT_TRUE(v.jeDoplnek && v.jeDelka && v.jeSmernik && v.jePrevyseni && v.jeProvazeni);
    EXPECT_EQ(v.pocetDelkaOdlehly, -1);  // set by the outlier detection only

    const TvektorMereni& delky = v.delka;
    EXPECT_EQ(delky.zaznam[1].typ, Velicina::DoplnekDelka);
    EXPECT_EQ(delky.zaznam[1].poradi, 1);
    EXPECT_EQ(delky.zaznam[1].skupina, -1);
    EXPECT_EQ(delky.zaznam[1].cislo_cil, "F1");
    EXPECT_EQ(delky.zaznam[1].iCil, 2);
    EXPECT_EQ(delky.zaznam[1].hodnota, 141);
    EXPECT_EQ(delky.zaznam[1].posun, -1);
    EXPECT_TRUE(delky.zaznam[1].jePlny);
    EXPECT_EQ(v.smernik.zaznam[0].typ, Velicina::DoplnekSmernik);
    EXPECT_EQ(v.prevyseni.zaznam[0].typ, Velicina::DoplnekPrevyseni);
    EXPECT_EQ(v.provazeni.zaznam[0].typ, Velicina::DoplnekProvazeni);
}

TEST(SupplementaryVectors, RowsBetweenTwoFixedPointsAreLeftOut) {
    TdoplnkoveMereni d;
    d.delka.PridejZaznam(Pripraveny(1, 2, 3, 100));
    d.delka.PridejZaznam(Pripraveny(2, 0, 3, 141));
    d.provazeni.PridejZaznam(Pripraveny(1, 3, 2, 0));
    TvektorDoplnek v;
    ASSERT_TRUE(v.Nacist(d, Body(), VychoziNastaveni(), 1).ok);
    ASSERT_EQ(v.pocetDelka, 1);
    EXPECT_EQ(v.delka.zaznam[0].hodnota, 141);
    EXPECT_EQ(v.delka.zaznam[0].poradi, 0);  // numbered among the taken rows
    EXPECT_EQ(v.pocetProvazeni, 0);
    EXPECT_FALSE(v.jeProvazeni);
    EXPECT_EQ(v.pocet, 1);
}

TEST(SupplementaryVectors, DeviationNotSetOrNotPositiveTakesTheKindsDefault) {
    Tnastaveni n = VychoziNastaveni();
    n.doplnek.odchylka_prevyseni = 0.002L;
    TdoplnkoveMereni d;
    d.prevyseni.PridejZaznam(Pripraveny(1, 0, 1, 1, -1));
    d.prevyseni.PridejZaznam(Pripraveny(2, 0, 1, 1, 0));  // e.g. 0 read from a project
    d.prevyseni.PridejZaznam(Pripraveny(3, 0, 1, 1, -0.5L));
    d.prevyseni.PridejZaznam(Pripraveny(4, 0, 1, 1, 0.004L));
    TvektorDoplnek v;
    ASSERT_TRUE(v.Nacist(d, Body(), n, 0.001L).ok);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v.prevyseni.zaznam[i].odchylka, 0.002L);
        EXPECT_NEAR(v.prevyseni.zaznam[i].vaha, 0.25L, 1e-18L);
    }
    EXPECT_EQ(v.prevyseni.zaznam[3].odchylka, 0.004L);
    EXPECT_NEAR(v.prevyseni.zaznam[3].vaha, 0.0625L, 1e-18L);
}

TEST(SupplementaryVectors, NoUsableDeviationOrBadIndexFailsAndLeavesNothing) {
    Tnastaveni n = VychoziNastaveni();
    n.doplnek.odchylka_smernik = 0;
    TdoplnkoveMereni d;
    d.delka.PridejZaznam(Pripraveny(1, 0, 1, 100));
    d.smernik.PridejZaznam(Pripraveny(1, 0, 1, 1, -1));
    TvektorDoplnek v;
    DoplnekVektorVysledek r = v.Nacist(d, Body(), n, 1);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.chyba, DoplnekVektorChyba::NoWeight);
    EXPECT_EQ(r.typ, Velicina::DoplnekSmernik);
    EXPECT_EQ(r.radek, 0);
    EXPECT_EQ(v.pocet, 0);
    EXPECT_FALSE(v.jeDoplnek);
    EXPECT_TRUE(v.delka.zaznam.empty());

    n = VychoziNastaveni();
    d.smernik.zaznam[0].iCil = 4;  // one past the point list
    r = v.Nacist(d, Body(), n, 1);
    EXPECT_EQ(r.chyba, DoplnekVektorChyba::BadPointIndex);
    EXPECT_NE(r.message.find("row 1 (A - B)"), std::string::npos);
    EXPECT_EQ(v.pocet, 0);
}

TEST(SupplementaryVectors, ClearAndCopy) {
    TdoplnkoveMereni d;
    d.provazeni.PridejZaznam(Pripraveny(1, 0, 1, 0));
    TvektorDoplnek v(3);
    EXPECT_EQ(v.delka.zaznam.size(), 3u);
    EXPECT_EQ(v.pocet, -1);
    ASSERT_TRUE(v.Nacist(d, Body(), VychoziNastaveni(), 1).ok);
    v.pocetProvazeniOdlehly = 1;
    TvektorDoplnek kopie;
    kopie.Kopiruj(v);
    EXPECT_EQ(kopie.pocet, 2);
    EXPECT_EQ(kopie.pocetProvazeniOdlehly, 1);
    EXPECT_TRUE(kopie.jeProvazeni);
    ASSERT_EQ(kopie.provazeni.zaznam.size(), 1u);
    kopie.Kopiruj(kopie);
    EXPECT_EQ(kopie.provazeni.zaznam.size(), 1u);
    v.Clear();
    EXPECT_EQ(v.pocetProvazeni, -1);
    EXPECT_EQ(v.pocetProvazeniOdlehly, -1);
    EXPECT_FALSE(v.jeDoplnek);
    EXPECT_TRUE(v.provazeni.zaznam.empty());
}

}  // namespace
}  // namespace vertano
