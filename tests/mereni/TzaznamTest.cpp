#include <gtest/gtest.h>

#include "mereni/Tzaznam.h"

namespace vertano {
namespace {

TEST(Tzaznam, EmptyRowMarksEveryValueAsNotSet) {
    const Tzaznam z = Tzaznam::Prazdny();
    EXPECT_FALSE(z.JePlny());
    EXPECT_FALSE(z.JeVeSkupine());
    EXPECT_FALSE(z.poloha);
    EXPECT_TRUE(z.cislo_stn.empty() && z.cislo_cil.empty());
    for (const Real v :
         {z.vyska_stn, z.vyska_cil, z.delka, z.smer, z.zenit, z.sig_delka, z.sig_smer, z.sig_zenit,
          z.vaha_delka, z.vaha_smer, z.vaha_zenit, z.smernik, z.posun, z.sig_posun}) {
        EXPECT_EQ(v, -1);
    }
    EXPECT_EQ(z.iStn, -1);
    EXPECT_EQ(z.iCil, -1);
    EXPECT_EQ(z.iPrvni, -1);
    EXPECT_EQ(z.iDruha, -1);
    for (const Real v : z.zapracovaniPoloha) EXPECT_EQ(v, -1);
    EXPECT_EQ(z.zkresleniDelky, 1);
    EXPECT_FALSE(z.MaKontrolu());
    // -1 is a distance for the "has a distance" test; readers overwrite it.
    EXPECT_TRUE(z.MaDelku());
}

TEST(Tzaznam, GrownRowIsAllZero) {
    const Tzaznam z{};
    EXPECT_EQ(z.delka, 0);
    EXPECT_EQ(z.zkresleniDelky, 0);
    EXPECT_EQ(z.iPrvni, 0);
    EXPECT_FALSE(z.JePlny());
    EXPECT_FALSE(z.MaDelku());
}

TEST(Tzaznam, CheckFlagsAnyOrListed) {
    Tzaznam z{};
    z.kontrola[14] = true;
    EXPECT_TRUE(z.MaKontrolu());
    EXPECT_TRUE(z.MaKontrolu({6, 7, 8, 9, 14}));
    EXPECT_FALSE(z.MaKontrolu({0, 1, 2, 3, 4, 5}));
    EXPECT_FALSE(z.MaKontrolu({-1, 15, 1000}));
    EXPECT_FALSE(z.MaKontrolu({}));
}

TEST(Tzaznam, FacePairAndSamePointingInAnotherSet) {
    Tzaznam a{};
    a.poradi = 2;
    a.skupina = 1;
    a.cislo_cil = "A1";
    a.poloha = true;
    Tzaznam b = a;
    b.poloha = false;
    EXPECT_TRUE(JeDvojicePoloh(a, b));
    EXPECT_FALSE(JeStejnyCilJineSkupiny(a, b));

    Tzaznam c = a;
    c.skupina = 2;
    EXPECT_TRUE(JeStejnyCilJineSkupiny(a, c));
    EXPECT_FALSE(JeDvojicePoloh(a, c));

    // Names are compared exactly: letter case and blanks matter.
    b.cislo_cil = "a1";
    EXPECT_FALSE(JeDvojicePoloh(a, b));
    c.cislo_cil = "A1 ";
    EXPECT_FALSE(JeStejnyCilJineSkupiny(a, c));

    Tzaznam d = a;
    d.poradi = 3;
    d.poloha = false;
    EXPECT_FALSE(JeDvojicePoloh(a, d));
}

}  // namespace
}  // namespace vertano
