#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "data/SouradniceTestPomocne.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"
#include "processing/PorovnaniDelek.h"

namespace vertano {
namespace {

using test::PlnySMeritkem;

Tzaznam Radek(int32_t poradi, int32_t skupina, const std::string& stn, const std::string& cil,
              Real delka, Real zkresleni = 1) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.skupina = skupina;
    z.cislo_stn = stn;
    z.cislo_cil = cil;
    z.delka = delka;
    z.smer = 1;
    z.zenit = 1.5L;
    z.zkresleniDelky = zkresleni;
    return z;
}

// Every target lies exactly 500 m from A in plan, at the same height.
Tsouradnice Body() {
    Tsouradnice s;
    s.PridejBod(PlnySMeritkem("A", 0, 0, 0));
    s.PridejBod(PlnySMeritkem("B", 300, 400, 0));
    s.PridejBod(PlnySMeritkem("C", 0, 500, 0));
    s.PridejBod(PlnySMeritkem("D", 500, 0, 0));
    s.PridejBod(PlnySMeritkem("E", -300, -400, 0));
    return s;
}

Tnastaveni Nastaveni(Real mez) {
    Tnastaveni n;
    n.Default();
    n.mezZeSouradnic.rozdil_delka = mez;
    return n;
}

TEST(PorovnaniDelek, FlagsExactlyBeyondTheLimitOnBothSides) {
    const Real tesne = std::ldexp(1.0L, -30);  // far above the 1e-15 of the test
    Tmereni m;
    m.PridejZaznam(Radek(1, 1, "A", "B", 500.125L));          // difference -0.125
    m.PridejZaznam(Radek(1, 1, "A", "C", 499.875L));          // +0.125
    m.PridejZaznam(Radek(1, 1, "A", "D", 500.125L + tesne));  // just beyond
    m.PridejZaznam(Radek(1, 1, "A", "E", 499.875L - tesne));
    Tmereni vystup;
    int32_t prekroceni = -1;
    ASSERT_TRUE(PorovnaniDelekSeSouradnicemi(m, vystup, Body(), Nastaveni(0.125L), prekroceni));
    ASSERT_EQ(vystup.zaznam.size(), 4u);
    EXPECT_EQ(vystup.zaznam[0].zapracovaniPoloha[2], -0.125L);
    EXPECT_EQ(vystup.zaznam[1].zapracovaniPoloha[2], 0.125L);
    EXPECT_FALSE(vystup.zaznam[0].kontrola[0]);
    EXPECT_FALSE(vystup.zaznam[1].kontrola[0]);
    EXPECT_TRUE(vystup.zaznam[2].kontrola[0]);
    EXPECT_TRUE(vystup.zaznam[3].kontrola[0]);
    EXPECT_EQ(prekroceni, 2);
}

TEST(PorovnaniDelek, DistancesUseScaleFactorAndHeights) {
    Tsouradnice s = Body();
    s.bod[0].Z = 10;
    Tmereni m;
    m.PridejZaznam(Radek(1, 1, "A", "B", 250.2L, 0.5L));
    Tmereni vystup;
    int32_t prekroceni = 0;
    ASSERT_TRUE(PorovnaniDelekSeSouradnicemi(m, vystup, s, Nastaveni(0.1L), prekroceni));
    ASSERT_EQ(vystup.zaznam.size(), 1u);
    const auto& p = vystup.zaznam[0].zapracovaniPoloha;
    EXPECT_NEAR(p[0], 250.2L / 0.5L, 1e-12L);                                 // 500.4
    EXPECT_NEAR(p[1], std::sqrt((500 / 0.5L) * (500 / 0.5L) + 100), 1e-12L);  // h / f, dZ 10
    EXPECT_NEAR(p[2], p[1] - p[0], 1e-12L);
    EXPECT_TRUE(vystup.zaznam[0].kontrola[0]);
    EXPECT_EQ(prekroceni, 1);
    EXPECT_EQ(vystup.zaznam[0].delka, 250.2L);  // the row itself is a copy
}

TEST(PorovnaniDelek, OnlyRowsBetweenKnownPointsWithDistance) {
    Tsouradnice s = Body();
    Tbod prazdny = PlnySMeritkem("X", 1, 1, 1);
    prazdny.JePlny = false;  // a slot that keeps a name but no coordinates
    s.PridejBod(prazdny);
    Tmereni m;
    m.PridejZaznam(Radek(1, 1, "Q", "B", 500));  // station without coordinates
    m.PridejZaznam(Radek(1, 1, "Q", "C", 500));
    m.PridejZaznam(Radek(2, 1, "A", "b", 500));  // another spelling of B
    m.PridejZaznam(Radek(2, 1, "A", "X", 500));
    m.PridejZaznam(Radek(2, 1, "A", "C", 0));  // no distance
    m.PridejZaznam(Radek(2, 1, "A", "D", 500));
    m.PridejZaznam(Radek(3, 1, "X", "B", 500));
    const Tmereni puvodni = m;

    Tmereni vystup;
    vystup.PridejZaznam(Radek(9, 1, "old", "row", 1));  // the output starts empty
    int32_t prekroceni = -1;
    ASSERT_TRUE(PorovnaniDelekSeSouradnicemi(m, vystup, s, Nastaveni(0.1L), prekroceni));
    ASSERT_EQ(vystup.zaznam.size(), 1u);
    EXPECT_EQ(vystup.zaznam[0].cislo_cil, "D");
    EXPECT_EQ(prekroceni, 0);
    EXPECT_EQ(m.zaznam.size(), puvodni.zaznam.size());
}

TEST(PorovnaniDelek, RepeatedTargetsOfAStationAreMerged) {
    Tmereni m;
    m.PridejZaznam(Radek(1, 1, "A", "B", 500.25L));
    m.PridejZaznam(Radek(1, 1, "A", "C", 500));
    m.PridejZaznam(Radek(1, 2, "A", "B", 500.75L));
    m.PridejZaznam(Radek(1, 2, "A", "C", 500));
    Tmereni vystup;
    int32_t prekroceni = 0;
    ASSERT_TRUE(PorovnaniDelekSeSouradnicemi(m, vystup, Body(), Nastaveni(0.1L), prekroceni));
    ASSERT_EQ(vystup.zaznam.size(), 2u);
    EXPECT_EQ(vystup.zaznam[0].cislo_cil, "B");
    EXPECT_EQ(vystup.zaznam[0].zapracovaniPoloha[0], 500.5L);
    EXPECT_EQ(prekroceni, 1);
    EXPECT_EQ(m.zaznam[2].delka, 500.75L);  // the input keeps its rows
}

TEST(PorovnaniDelek, RowWithoutScaleFactorFails) {
    Tmereni m;
    m.PridejZaznam(Radek(1, 1, "A", "B", 500, 0));  // an all-zero factor
    Tmereni vystup;
    vystup.PridejZaznam(Radek(9, 1, "old", "row", 1));
    int32_t prekroceni = 0;
    EXPECT_FALSE(PorovnaniDelekSeSouradnicemi(m, vystup, Body(), Nastaveni(0.1L), prekroceni));
    EXPECT_TRUE(vystup.zaznam.empty());
}

}  // namespace
}  // namespace vertano
