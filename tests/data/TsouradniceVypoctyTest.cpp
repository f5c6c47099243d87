#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "SouradniceTestPomocne.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"

namespace vertano {
namespace {

using test::Cisla;
using test::Plny;
using test::Seznam;

using Cisla_t = std::vector<std::string>;

// The shape of an observation vector of the adjustment: records with the two
// point numbers in a field `zaznam`.
struct Pozorovani {
    std::string cislo_stn;
    std::string cislo_cil;
};
struct VektorPozorovani {
    std::vector<Pozorovani> zaznam;
};

Tmereni Mereni(const std::vector<std::pair<std::string, std::string>>& dvojice) {
    Tmereni m;
    for (const auto& [stn, cil] : dvojice) {
        Tzaznam z = Tzaznam::Prazdny();
        z.poradi = 1;
        z.cislo_stn = stn;
        z.cislo_cil = cil;
        m.PridejZaznam(z);
    }
    return m;
}

TEST(TsouradniceDoVyrovnani, KeepsUsedKnownPointsOnceInNameOrder) {
    Tsouradnice s =
        Seznam({Plny("10", 1), Plny("2", 2), Plny("unused", 3), Plny("A", 4), Plny("2", 99)});
    const VektorPozorovani v{{{"A", "10"}, {"10", "2"}, {"2", "missing"}, {"A", "2"}}};
    s.DoVyrovnani(v);
    EXPECT_EQ(Cisla(s), (Cisla_t{"2", "A", "10"}));
    EXPECT_EQ(s.bod[0].X, 2);  // the first record of a repeated number
}

TEST(TsouradniceDoVyrovnani, EmptySlotsAndCaseDoNotMatch) {
    Tsouradnice s = Seznam({Plny("b"), Plny("B")});
    s.bod[0].JePlny = false;
    s.DoVyrovnani(VektorPozorovani{{{"b", "B"}}});
    EXPECT_EQ(Cisla(s), Cisla_t{"B"});

    Tsouradnice t = Seznam({Plny("1")});
    t.DoVyrovnani(VektorPozorovani{});
    EXPECT_EQ(t.Pocet(), 0);
}

TEST(TsouradniceDoVyrovnani, AcceptsAMeasurementList) {
    Tsouradnice s = Seznam({Plny("3"), Plny("1"), Plny("2")});
    s.DoVyrovnani(Mereni({{"3", "1"}}));
    EXPECT_EQ(Cisla(s), (Cisla_t{"1", "3"}));
}

TEST(TsouradniceOdstranitNeobsazene, KeepsOrderAndReportsRemoval) {
    Tsouradnice s = Seznam({Plny("5"), Plny("x"), Plny("1"), Tbod::Prazdny(), Plny("5")});
    Tmereni m = Mereni({{"1", "5"}});
    m.PridejZaznam(Tzaznam::Prazdny());  // empty rows count too: their names are ""
    EXPECT_TRUE(s.OdstranitNeobsazeneVMereni(m));
    EXPECT_EQ(Cisla(s), (Cisla_t{"5", "1", "", "5"}));
    EXPECT_FALSE(s.OdstranitNeobsazeneVMereni(m));

    Tsouradnice t = Seznam({Plny("X1")});
    EXPECT_TRUE(t.OdstranitNeobsazeneVMereni(Mereni({{"x1", "X2"}})));
    EXPECT_EQ(t.Pocet(), 0);
}

TEST(TsouradniceNacistZkresleni, FromTheListOrTheBasicDistortion) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    nastaveni.redukceMereni.zakladniZkresleni = 0.9996L;
    Tbod f1 = Plny("1");
    f1.zkresleni = 1.00002L;
    Tsouradnice meritko = Seznam({f1, Plny("2")});
    meritko.bod[1].zkresleni = 0.99991L;

    Tsouradnice s = Seznam({Plny("2"), Plny("3"), Tbod::Prazdny(), Plny("1")});
    s.bod[2].zkresleni = 5;
    s.NacistZkresleni(nastaveni, meritko);
    EXPECT_EQ(s.bod[0].zkresleni, 0.99991L);
    EXPECT_EQ(s.bod[1].zkresleni, 0.9996L);
    EXPECT_EQ(s.bod[2].zkresleni, 5);  // empty slots untouched
    EXPECT_EQ(s.bod[3].zkresleni, 1.00002L);

    s.NacistZkresleni(nastaveni, Tsouradnice());
    EXPECT_EQ(s.bod[0].zkresleni, 0.9996L);
    EXPECT_EQ(s.bod[3].zkresleni, 0.9996L);
}

TEST(TsouradnicePrirustky, AdjustedMinusApproximateByIndex) {
    Tbod v1 = Plny("1", 100.5L, 200.25L, 50);
    v1.UpravPresnost().sig_X = 0.003L;
    const Tsouradnice vyrovnane = Seznam({v1, Plny("2", 10, 20, 30), Plny("3", 1, 1, 1)});
    const Tsouradnice priblizne = Seznam({Plny("1", 100, 200, 50.125L), Plny("2", 11, 19, 30)});
    Tsouradnice p = Seznam({Plny("old")});
    ASSERT_TRUE(p.Prirustky(vyrovnane, priblizne, 2));
    ASSERT_EQ(Cisla(p), (Cisla_t{"1", "2"}));
    EXPECT_EQ(p.bod[0].X, 0.5L);
    EXPECT_EQ(p.bod[0].Y, 0.25L);
    EXPECT_EQ(p.bod[0].Z, -0.125L);
    EXPECT_EQ(p.bod[0].Presnost().sig_X, 0.003L);
    EXPECT_EQ(p.bod[1].X, -1);
    EXPECT_EQ(p.bod[1].Y, 1);

    EXPECT_TRUE(p.Prirustky(vyrovnane, priblizne, 0));
    EXPECT_EQ(p.Pocet(), 0);
}

TEST(TsouradnicePrirustky, RefusesCountsBeyondTheListsAndFaults) {
    const Tsouradnice vyrovnane = Seznam({Plny("1", 1), Plny("2", 2)});
    const Tsouradnice priblizne = Seznam({Plny("1", 1)});
    Tsouradnice p = Seznam({Plny("keep")});
    EXPECT_FALSE(p.Prirustky(vyrovnane, priblizne, 2));
    EXPECT_FALSE(p.Prirustky(vyrovnane, priblizne, -1));
    const Real nan = std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(p.Prirustky(Seznam({Plny("1", nan)}), priblizne, 1));
    const Real max = std::numeric_limits<Real>::max();
    EXPECT_FALSE(p.Prirustky(Seznam({Plny("1", max)}), Seznam({Plny("1", -max)}), 1));
    EXPECT_EQ(Cisla(p), Cisla_t{"keep"});
}

Tbod VyrovnanyBod(const std::string& cislo) {
    Tbod b = Plny(cislo, 1000, 2000, 300);
    b.UpravPresnost().sig_X = 0.002L;
    b.UpravPresnost().sig_Y = 0.004L;
    b.UpravPresnost().sig_Z = 0.001L;
    b.UpravPresnost().elipsoid = {0.005L, 1.0L, 1.5L, 0.003L, 2.0L, 1.4L, 0.001L, 0.5L, 0.1L};
    b.UpravPresnost().elipsa = {0.004L, 0.002L, 0.7L};
    return b;
}

TEST(TsouradniceZobrazeni, DisplayCopyScalesDeviationsAndAxes) {
    Tbod neurceny = VyrovnanyBod("fix");
    const Tsouradnice model = Seznam({VyrovnanyBod("1"), VyrovnanyBod("2"), neurceny});
    Tsouradnice kopie = Seznam({Plny("old")});
    ASSERT_TRUE(kopie.KopirujVyrovnaneProZobrazeni(model, 2, 2));
    ASSERT_EQ(Cisla(kopie), (Cisla_t{"1", "2"}));
    const Tbod& b = kopie.bod[0];
    EXPECT_EQ(b.Presnost().sig_X, 0.004L);
    EXPECT_EQ(b.Presnost().sig_Y, 0.008L);
    EXPECT_EQ(b.Presnost().sig_Z, 0.002L);
    EXPECT_EQ(b.Presnost().elipsoid.a_delka, 0.010L);
    EXPECT_EQ(b.Presnost().elipsoid.b_delka, 0.006L);
    EXPECT_EQ(b.Presnost().elipsoid.c_delka, 0.002L);
    EXPECT_EQ(b.Presnost().elipsoid.a_smernik, 1.0L);  // angles are not scaled
    EXPECT_EQ(b.Presnost().elipsa.a_delka, 0.004L);
    EXPECT_EQ(b.X, 1000);
    EXPECT_EQ(model.bod[0].Presnost().sig_X, 0.002L);  // the model keeps unit values
}

TEST(TsouradniceZobrazeni, NotGivenDeviationsStayNotGiven) {
    Tbod b = VyrovnanyBod("1");
    b.UpravPresnost().sig_Z = -1;
    b.UpravPresnost().elipsoid.c_delka = -1;
    Tsouradnice kopie;
    ASSERT_TRUE(kopie.KopirujVyrovnaneProZobrazeni(Seznam({b}), 0.8L, 1));
    EXPECT_EQ(kopie.bod[0].Presnost().sig_Z, -1);
    EXPECT_EQ(kopie.bod[0].Presnost().elipsoid.c_delka, -1);
}

TEST(TsouradniceZobrazeni, DisplayCopyRefusesBadInput) {
    const Tsouradnice model = Seznam({VyrovnanyBod("1")});
    Tsouradnice kopie = Seznam({Plny("keep")});
    EXPECT_FALSE(kopie.KopirujVyrovnaneProZobrazeni(model, 1, 2));
    EXPECT_FALSE(kopie.KopirujVyrovnaneProZobrazeni(model, 1, -1));
    EXPECT_FALSE(kopie.KopirujVyrovnaneProZobrazeni(model, -1, 1));
    EXPECT_FALSE(
        kopie.KopirujVyrovnaneProZobrazeni(model, std::numeric_limits<Real>::infinity(), 1));
    Tbod velky = VyrovnanyBod("big");
    velky.UpravPresnost().elipsoid.a_delka = 1000;
    EXPECT_FALSE(
        kopie.KopirujVyrovnaneProZobrazeni(Seznam({velky}), std::numeric_limits<Real>::max(), 1));
    EXPECT_EQ(Cisla(kopie), Cisla_t{"keep"});
}

TEST(TsouradniceElipsoidy, ThreeRowsPerPointCarryingTheSameNumber) {
    const Tsouradnice model = Seznam({VyrovnanyBod("1"), VyrovnanyBod("2"), VyrovnanyBod("3")});
    Tsouradnice radky;
    ASSERT_TRUE(radky.UlozeniElipsoiduDoSouradnice(model, 2, 2));
    ASSERT_EQ(radky.Pocet(), 6);
    EXPECT_EQ(Cisla(radky), (Cisla_t{"1", "1", "1", "2", "2", "2"}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(radky.bod[i].poradi, 3 * (i / 3));
    EXPECT_EQ(radky.bod[0].X, 0.010L);
    EXPECT_EQ(radky.bod[0].Y, 1.0L);
    EXPECT_EQ(radky.bod[0].Z, 1.5L);
    EXPECT_EQ(radky.bod[1].X, 0.006L);
    EXPECT_EQ(radky.bod[1].Y, 2.0L);
    EXPECT_EQ(radky.bod[1].Z, 1.4L);
    EXPECT_EQ(radky.bod[2].X, 0.002L);
    EXPECT_EQ(radky.bod[2].Y, 0.5L);
    EXPECT_EQ(radky.bod[2].Z, 0.1L);
    EXPECT_EQ(radky.bod[2].Presnost().sig_X, 0.002L);  // rest copied from the point

    Tsouradnice zachovat = Seznam({Plny("keep")});
    EXPECT_FALSE(zachovat.UlozeniElipsoiduDoSouradnice(model, 1, 4));
    EXPECT_FALSE(zachovat.UlozeniElipsoiduDoSouradnice(model, -2, 1));
    EXPECT_EQ(Cisla(zachovat), Cisla_t{"keep"});
}

}  // namespace
}  // namespace vertano
