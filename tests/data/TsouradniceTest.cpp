#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "SouradniceTestPomocne.h"
#include "data/BodyPomocne.h"
#include "data/Tsouradnice.h"
#include "mereni/CisloBodu.h"

namespace vertano {
namespace {

using test::Cisla;
using test::Plny;
using test::Seznam;

TEST(Tbod, EmptyPointMarksDeviationsScaleAndAxesAsNotGiven) {
    const Tbod b = Tbod::Prazdny();
    EXPECT_EQ(b.Presnost().sig_X, -1);
    EXPECT_EQ(b.Presnost().sig_Y, -1);
    EXPECT_EQ(b.Presnost().sig_Z, -1);
    EXPECT_EQ(b.zkresleni, -1);
    EXPECT_EQ(b.Presnost().elipsoid.a_delka, -1);
    EXPECT_EQ(b.Presnost().elipsoid.b_delka, -1);
    EXPECT_EQ(b.Presnost().elipsoid.c_delka, -1);
    EXPECT_EQ(b.Presnost().elipsoid.a_smernik, 0);
    EXPECT_EQ(b.Presnost().elipsa.a_delka, -1);
    EXPECT_EQ(b.Presnost().elipsa.b_delka, -1);
    EXPECT_EQ(b.Presnost().elipsa.a_smernik, 0);
    EXPECT_FALSE(b.JePlny || b.JeFixni || b.JeAktiv || b.MaKontrolu());
    EXPECT_TRUE(b.cislo.empty());
}

TEST(Tbod, AccuracyTravelsWithCopiesAndReadsBlankWhereNoneWasSet) {
    // No deviations or ellipses set: blank values, also on a grown list's record.
    for (const Tbod& b : {Tbod::Prazdny(), Tbod{}, Plny("1", 1, 2, 3)}) {
        EXPECT_FALSE(b.presnost.HasValue());
        EXPECT_EQ(b.Presnost().sig_X, -1);
        EXPECT_EQ(b.Presnost().sig_Z, -1);
        EXPECT_EQ(b.Presnost().elipsoid.c_delka, -1);
        EXPECT_EQ(b.Presnost().elipsa.b_delka, -1);
    }

    Tbod a = Plny("a", 1, 2, 3);
    a.UpravPresnost().sig_Y = 0.004L;
    a.UpravPresnost().elipsoid.c_zenit = 1.25L;
    a.UpravPresnost().elipsa.a_delka = 0.003L;
    const Tbod kopie = a;
    Tbod prirazena = Plny("b", 4, 5, 6);
    prirazena = a;
    Tbod sPresnosti = Plny("c", 7, 8, 9);
    sPresnosti.UpravPresnost().sig_X = 0.1L;
    sPresnosti = a;  // over accuracy of its own
    // Changing the original after the copies leaves them as they were.
    a.UpravPresnost().sig_Y = 0.5L;
    a.UpravPresnost().elipsa.a_delka = 0.5L;
    for (const Tbod* b : std::array<const Tbod*, 3>{&kopie, &prirazena, &sPresnosti}) {
        EXPECT_EQ(b->cislo, "a");
        EXPECT_EQ(b->Presnost().sig_X, -1);
        EXPECT_EQ(b->Presnost().sig_Y, 0.004L);
        EXPECT_EQ(b->Presnost().elipsoid.c_zenit, 1.25L);
        EXPECT_EQ(b->Presnost().elipsoid.a_delka, -1);
        EXPECT_EQ(b->Presnost().elipsa.a_delka, 0.003L);
    }

    // A point without accuracy copied over one with it leaves none behind.
    sPresnosti = Plny("d", 1, 1, 1);
    EXPECT_EQ(sPresnosti.Presnost().sig_Y, -1);
    EXPECT_EQ(sPresnosti.Presnost().elipsa.a_delka, -1);
    // Clearing the deviations keeps the ellipses; swapping axes of a point
    // without deviations gives it none.
    a.SmazOdchylky();
    EXPECT_EQ(a.Presnost().sig_Y, -1);
    EXPECT_EQ(a.Presnost().elipsa.a_delka, 0.5L);
    Tbod bez = Plny("e", 1, 2, 3);
    ZamenitXY(bez);
    ZrusitOdchylky(bez);
    EXPECT_FALSE(bez.presnost.HasValue());
}

TEST(Tbod, HelpersSwapClearAndCompare) {
    Tbod b = Plny("1", 10, 20, 30);
    b.UpravPresnost().sig_X = 0.1L;
    b.UpravPresnost().sig_Y = 0.2L;
    b.UpravPresnost().sig_Z = 0.3L;
    ZamenitXY(b);
    EXPECT_EQ(b.X, 20);
    EXPECT_EQ(b.Y, 10);
    EXPECT_EQ(b.Presnost().sig_X, 0.2L);
    EXPECT_EQ(b.Presnost().sig_Y, 0.1L);
    EXPECT_EQ(b.Z, 30);
    ZrusitOdchylky(b);
    EXPECT_EQ(b.Presnost().sig_X, -1);
    EXPECT_EQ(b.Presnost().sig_Y, -1);
    EXPECT_EQ(b.Presnost().sig_Z, -1);

    b.kontrola[3] = true;
    EXPECT_TRUE(b.MaKontrolu());
    VyprazdnitBod(b);
    EXPECT_FALSE(b.JePlny);
    EXPECT_TRUE(b.cislo.empty());
    EXPECT_TRUE(b.kontrola[3]);  // flags survive emptying

    const Tbod a = Plny("a", 1, 2, 3);
    Tbod c = Plny("c", 1, 2, 4);
    EXPECT_TRUE(JsouTotozneVRovine(a, c));
    EXPECT_FALSE(JsouTotozneVProstoru(a, c));
    c.Z = 3;
    EXPECT_TRUE(JsouTotozneVProstoru(a, c));
    c.JePlny = false;
    EXPECT_FALSE(JsouTotozneVRovine(a, c));
    EXPECT_FALSE(JsouTotozneVProstoru(a, c));
}

TEST(CisloBodu, NamesCompareExactlyAndOrderShorterFirst) {
    EXPECT_FALSE(JeStejneCislo("a1", "A1"));
    EXPECT_FALSE(JeStejneCislo("1", "1 "));
    EXPECT_TRUE(JeStejneCislo("P-7", "P-7"));
    EXPECT_TRUE(JeCisloPred("9", "10"));
    EXPECT_TRUE(JeCisloPred("B", "A2"));
    EXPECT_TRUE(JeCisloPred("A1", "A2"));
    EXPECT_FALSE(JeCisloPred("A1", "A1"));
    // Two characters, although four bytes: still before a three-letter name.
    EXPECT_TRUE(JeCisloPred("Žš", "ABC"));
    EXPECT_EQ(PocetZnaku("Kříž"), 4);
    // Beyond ASCII the order follows the character codes.
    EXPECT_TRUE(JeCisloPred("Z", "Ž"));
}

TEST(Tsouradnice, CreateAndVelikostGiveZeroFilledRecords) {
    Tsouradnice s(2);
    ASSERT_EQ(s.Pocet(), 2);
    // No accuracy: its deviations read as not given.
    EXPECT_FALSE(s.bod[0].presnost.HasValue());
    EXPECT_EQ(s.bod[0].Presnost().sig_X, -1);
    EXPECT_FALSE(s.bod[0].JePlny);
    s.bod[0] = Plny("1");
    s.Velikost(3);
    EXPECT_EQ(s.bod[0].cislo, "1");
    EXPECT_EQ(s.bod[2].zkresleni, 0);
    s.Velikost(1);
    EXPECT_EQ(Cisla(s), std::vector<std::string>{"1"});
    s.Velikost(-5);
    EXPECT_EQ(s.Pocet(), 0);
    EXPECT_EQ(Tsouradnice(-1).Pocet(), 0);
}

TEST(Tsouradnice, AppendingAndCopyingKeepEveryRecord) {
    Tsouradnice a = Seznam({Plny("1"), Tbod::Prazdny(), Plny("2")});
    Tsouradnice b = Seznam({Plny("3")});
    b.PridejBody2(a);
    EXPECT_EQ(Cisla(b), (std::vector<std::string>{"3", "1", "", "2"}));
    b.PridejBody2(b);  // onto itself: doubles, does not loop or lose records
    EXPECT_EQ(b.Pocet(), 8);
    EXPECT_EQ(b.bod[7].cislo, "2");

    Tsouradnice c = Seznam({Plny("x")});
    c.Kopiruj(a);
    EXPECT_EQ(Cisla(c), Cisla(a));
    c.Kopiruj(c);
    EXPECT_EQ(Cisla(c), Cisla(a));
    c.bod[0].cislo = "changed";
    EXPECT_EQ(a.bod[0].cislo, "1");  // a copy, not shared

    c.PridejPrazdnyBod();
    EXPECT_EQ(c.bod.back().Presnost().sig_Z, -1);
    EXPECT_FALSE(c.bod.back().JePlny);
}

TEST(Tsouradnice, InsertOnlyBeforeAnExistingRecord) {
    Tsouradnice s = Seznam({Plny("1"), Plny("2")});
    s.VlozitBodNaPoradi(Plny("a"), 2);  // at the length: nothing
    s.VlozitBodNaPoradi(Plny("b"), -1);
    s.VlozitBodNaPoradi(Plny("c"), 99);
    EXPECT_EQ(Cisla(s), (std::vector<std::string>{"1", "2"}));
    s.VlozitBodNaPoradi(Plny("0"), 0);
    s.VlozitBodNaPoradi(Plny("m"), 2);
    EXPECT_EQ(Cisla(s), (std::vector<std::string>{"0", "1", "m", "2"}));
    s.VlozitBodNaPoradi(s.bod[3], 0);  // a record of the list itself
    EXPECT_EQ(Cisla(s), (std::vector<std::string>{"2", "0", "1", "m", "2"}));

    Tsouradnice prazdny;
    prazdny.VlozitBodNaPoradi(Plny("1"), 0);
    EXPECT_EQ(prazdny.Pocet(), 0);
}

TEST(Tsouradnice, EmptyingAndRemovingEmptyRecords) {
    Tsouradnice s = Seznam({Plny("1"), Plny("2"), Plny("3"), Plny("4")});
    s.SeraditPoradi();
    s.bod[1].kontrola[0] = true;
    s.VyprazdniZaznamDlePoradi(1);
    s.VyprazdniZaznamDlePoradi(4);
    s.VyprazdniZaznamDlePoradi(-1);
    EXPECT_FALSE(s.bod[1].JePlny);
    EXPECT_TRUE(s.bod[1].kontrola[0]);
    EXPECT_EQ(s.PocetPlnychBodu(), 3);

    s.PridejPrazdnyBod();
    s.SmazPrazdneZaznamy();
    EXPECT_EQ(Cisla(s), (std::vector<std::string>{"1", "3", "4"}));
    EXPECT_EQ(s.bod[1].poradi, 3);  // numbers are not renumbered
    s.SeraditPoradi();
    EXPECT_EQ(s.bod[1].poradi, 2);
}

TEST(Tsouradnice, RemovingEmptyRecordsAtTheEnd) {
    Tsouradnice s = Seznam({Tbod::Prazdny(), Plny("1"), Tbod::Prazdny(), Tbod::Prazdny()});
    EXPECT_TRUE(s.SmazPrazdneZaznamyNaKonci());
    EXPECT_EQ(s.Pocet(), 2);  // the empty record before the full one stays
    EXPECT_FALSE(s.SmazPrazdneZaznamyNaKonci());

    Tsouradnice vse = Seznam({Tbod::Prazdny(), Tbod()});
    EXPECT_TRUE(vse.SmazPrazdneZaznamyNaKonci());
    EXPECT_EQ(vse.Pocet(), 0);
    EXPECT_FALSE(vse.SmazPrazdneZaznamyNaKonci());
}

TEST(Tsouradnice, SeraditPoradiNumbersOnlyFullRecords) {
    Tsouradnice s = Seznam({Plny("a"), Tbod::Prazdny(), Plny("b")});
    s.bod[1].poradi = 77;
    s.SeraditPoradi();
    EXPECT_EQ(s.bod[0].poradi, 1);
    EXPECT_EQ(s.bod[1].poradi, 77);
    EXPECT_EQ(s.bod[2].poradi, 2);
}

TEST(Tsouradnice, PosunZaznamMovesOnlyNextToAFullNeighbour) {
    Tsouradnice s = Seznam({Plny("1"), Plny("2"), Tbod::Prazdny(), Plny("4")});
    int i = 0;
    s.PosunZaznam(i, true);  // towards the start at 0
    EXPECT_EQ(i, 0);
    s.PosunZaznam(i, false);
    EXPECT_EQ(i, 1);
    EXPECT_EQ(Cisla(s), (std::vector<std::string>{"2", "1", "", "4"}));
    s.PosunZaznam(i, false);  // the neighbour is empty
    EXPECT_EQ(i, 1);
    i = 3;
    s.PosunZaznam(i, true);   // likewise
    s.PosunZaznam(i, false);  // no neighbour after the end
    EXPECT_EQ(i, 3);
    i = 7;
    s.PosunZaznam(i, true);
    i = -1;
    s.PosunZaznam(i, false);
    EXPECT_EQ(i, -1);
    EXPECT_EQ(Cisla(s), (std::vector<std::string>{"2", "1", "", "4"}));

    Tsouradnice jeden = Seznam({Plny("1")});
    i = 0;
    jeden.PosunZaznam(i, false);
    EXPECT_EQ(i, 0);
}

TEST(Tsouradnice, LookupsFindTheFirstRecordByExactNumber) {
    Tsouradnice s = Seznam({Plny("a1", 1), Plny("A1", 2), Plny("A1", 3)});
    s.bod[0].JePlny = false;
    int i = 5;
    EXPECT_TRUE(s.PoradiBodu("A1", i));
    EXPECT_EQ(i, 1);
    EXPECT_EQ(s.BodSCislem("A1").X, 2);
    EXPECT_EQ(s.BodSCislem("a1").X, 1);  // found although the slot is empty
    EXPECT_TRUE(s.ExitujeBod("a1"));
    EXPECT_FALSE(s.ExitujeBod("a"));

    EXPECT_FALSE(s.PoradiBodu("x", i));
    EXPECT_EQ(i, -1);
    const Tbod nic = s.BodSCislem("x");
    EXPECT_FALSE(nic.JePlny);
    EXPECT_EQ(nic.Presnost().sig_X, -1);
    EXPECT_TRUE(nic.cislo.empty());
}

TEST(Tsouradnice, Counts) {
    Tsouradnice s = Seznam({Plny("1"), Tbod::Prazdny(), Plny("2")});
    EXPECT_TRUE(s.ExistujePlnyBod());
    EXPECT_EQ(s.PocetPlnychBodu(), 2);
    s.bod[0].JeFixni = true;
    s.bod[1].JeFixni = true;  // counted although empty
    EXPECT_EQ(s.PocetFixnichBodu(), 2);
    EXPECT_FALSE(Seznam({Tbod::Prazdny()}).ExistujePlnyBod());
    EXPECT_FALSE(Tsouradnice().ExistujePlnyBod());
}

}  // namespace
}  // namespace vertano
