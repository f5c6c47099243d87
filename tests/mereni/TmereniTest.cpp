#include <gtest/gtest.h>

#include "mereni/RadkyPomocne.h"
#include "mereni/Tmereni.h"

namespace vertano {
namespace {

using test::Cile;
using test::Poradi;
using test::Radek;
using test::Seznam;
using test::SeznamPoradi;
using V = std::vector<int32_t>;

TEST(TmereniSeznam, CreateAndVelikostMakeAllZeroRowsThatAreNotFull) {
    Tmereni m(3);
    EXPECT_EQ(m.zaznam.size(), 3u);
    EXPECT_EQ(m.PocetPlnychZaznamu(), 0);
    EXPECT_EQ(m.zaznam[2].zkresleniDelky, 0);
    m.zaznam[0] = Radek(1, "A");
    m.Velikost(5);
    ASSERT_EQ(m.zaznam.size(), 5u);
    EXPECT_EQ(m.zaznam[0].cislo_cil, "A");
    EXPECT_EQ(m.zaznam[4].delka, 0);
    m.Velikost(1);
    EXPECT_EQ(Cile(m), std::vector<std::string>{"A"});
    m.Velikost(-4);
    EXPECT_TRUE(m.zaznam.empty());
}

TEST(TmereniSeznam, ClearAndKopirujCoverTheCounters) {
    Tmereni a = SeznamPoradi({1, 1, 2});
    a.kontrola[3] = 7;
    Tmereni b;
    b.Kopiruj(a);
    EXPECT_EQ(Poradi(b), (V{1, 1, 2}));
    EXPECT_EQ(b.kontrola[3], 7);
    b.Kopiruj(b);
    EXPECT_EQ(b.zaznam.size(), 3u);
    b.Clear();
    EXPECT_TRUE(b.zaznam.empty());
    EXPECT_EQ(b.kontrola[3], 0);
    b.Create(0);
    a.Create(2);
    EXPECT_EQ(a.kontrola[3], 0);
}

TEST(TmereniSeznam, PridejMereniBezZmenAppendsUnchangedAlsoToItself) {
    Tmereni a = SeznamPoradi({1, 2});
    Tmereni b = SeznamPoradi({1});
    a.PridejMereniBezZmen(b);
    EXPECT_EQ(Poradi(a), (V{1, 2, 1}));
    a.PridejMereniBezZmen(a);
    EXPECT_EQ(Poradi(a), (V{1, 2, 1, 1, 2, 1}));
}

TEST(TmereniSeznam, PridejMereniSouboruOnEmptyListKeepsStationNumbers) {
    Tmereni hlavni;
    Tmereni nove = SeznamPoradi({1, 1, 2});
    hlavni.PridejMereniSouboru(nove, 5);
    EXPECT_EQ(Poradi(hlavni), (V{1, 1, 2}));
    for (const auto& z : hlavni.zaznam) EXPECT_EQ(z.soubor, 5);
}

TEST(TmereniSeznam, PridejMereniSouboruContinuesAfterLastStationAndShiftsSourceInPlace) {
    Tmereni hlavni = SeznamPoradi({1, 2, 3, 4, 0, 0});
    Tmereni nove = SeznamPoradi({1, 1, 2});
    hlavni.PridejMereniSouboru(nove, 2);
    EXPECT_EQ(Poradi(hlavni), (V{1, 2, 3, 4, 5, 5, 6}));  // trailing empties went first
    EXPECT_EQ(hlavni.zaznam[4].soubor, 2);
    EXPECT_EQ(hlavni.zaznam[0].soubor, 0);
    EXPECT_EQ(Poradi(nove), (V{5, 5, 6}));
    EXPECT_EQ(nove.zaznam[0].soubor, 0);
}

TEST(TmereniSeznam, PridejMereniSouboruLeavesEmptyRowsOfTheNewListEmpty) {
    Tmereni hlavni = SeznamPoradi({1, 2});
    Tmereni nove = SeznamPoradi({1, 0, 2});
    hlavni.PridejMereniSouboru(nove, 9);
    EXPECT_EQ(Poradi(hlavni), (V{1, 2, 3, 0, 4}));
    EXPECT_EQ(hlavni.PocetPlnychZaznamu(), 4);
}

TEST(TmereniSeznam, PridejMereniSouboruOfItselfDoublesWithContinuingStations) {
    Tmereni m = SeznamPoradi({1, 2});
    m.PridejMereniSouboru(m, 3);
    EXPECT_EQ(Poradi(m), (V{1, 2, 3, 4}));
    EXPECT_EQ(m.zaznam[0].soubor, 0);
    EXPECT_EQ(m.zaznam[3].soubor, 3);
}

TEST(TmereniSeznam, ExportujMereniDleStanoviskaCopiesOneStation) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(2, "b"), Radek(2, "c"), Radek(3, "d")});
    Tmereni stn = SeznamPoradi({7, 7, 7});
    stn.kontrola[0] = 1;
    m.ExportujMereniDleStanoviska(stn, 2);
    EXPECT_EQ(Cile(stn), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(stn.kontrola[0], 0);
    m.ExportujMereniDleStanoviska(stn, 9);
    EXPECT_TRUE(stn.zaznam.empty());
    m.ExportujMereniDleStanoviska(m, 3);
    EXPECT_EQ(Cile(m), std::vector<std::string>{"d"});
}

TEST(TmereniRadky, InsertAtIndexOrAppendAtCount) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(1, "b")});
    m.VlozitZaznamNaPoradi(Radek(1, "x"), 1);
    EXPECT_EQ(Cile(m), (std::vector<std::string>{"a", "x", "b"}));
    m.VlozitZaznamNaPoradi(Radek(1, "end"), 3);
    EXPECT_EQ(Cile(m), (std::vector<std::string>{"a", "x", "b", "end"}));
    m.VlozitZaznamNaPoradi(Radek(1, "first"), 0);
    EXPECT_EQ(m.zaznam.front().cislo_cil, "first");
}

TEST(TmereniRadkyDeathTest, InsertBeyondTheEndIsAProgrammingError) {
    Tmereni m = SeznamPoradi({1});
    EXPECT_DEATH(m.VlozitZaznamNaPoradi(Radek(1), 2), "");
    EXPECT_DEATH(m.VlozitZaznamNaPoradi(Radek(1), -1), "");
}

TEST(TmereniRadky, DeleteAndEmptyByIndexIgnoreIndicesOutsideTheList) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(1, "b"), Radek(2, "c")});
    m.SmazZaznamDlePoradi(3);
    m.SmazZaznamDlePoradi(-1);
    m.VyprazdniZaznamDlePoradi(17);
    EXPECT_EQ(m.PocetPlnychZaznamu(), 3);
    m.SmazZaznamDlePoradi(1);
    EXPECT_EQ(Cile(m), (std::vector<std::string>{"a", "c"}));
    m.VyprazdniZaznamDlePoradi(0);
    EXPECT_FALSE(m.zaznam[0].JePlny());
    EXPECT_EQ(m.zaznam[0].zkresleniDelky, 1);
    m.PridejPrazdnyZaznam();
    EXPECT_EQ(m.PocetPrazdnychZaznamu(), 2);
    EXPECT_EQ(m.zaznam.back().iPrvni, -1);
}

TEST(TmereniRadky, PosunZaznamMovesNextToFullRowsOnly) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(2, "b"), Tzaznam::Prazdny(), Radek(3, "c")});
    int32_t i = 1;
    m.PosunZaznam(i, true);  // up across a station border is allowed
    EXPECT_EQ(i, 0);
    EXPECT_EQ(Cile(m)[0], "b");
    m.PosunZaznam(i, true);  // already first
    EXPECT_EQ(i, 0);
    i = 1;
    m.PosunZaznam(i, false);  // below is an empty row
    EXPECT_EQ(i, 1);
    i = 3;
    m.PosunZaznam(i, false);  // already last
    EXPECT_EQ(i, 3);
    i = 2;
    m.PosunZaznam(i, true);  // the empty row may move next to a full one
    EXPECT_EQ(i, 1);
    EXPECT_EQ(Cile(m), (std::vector<std::string>{"b", "", "a", "c"}));
    i = 9;
    m.PosunZaznam(i, true);
    EXPECT_EQ(i, 9);

    Tmereni jeden = SeznamPoradi({1});
    i = 0;
    jeden.PosunZaznam(i, false);
    EXPECT_EQ(i, 0);
}

TEST(TmereniRadky, PosunZaznamStanoviskoKeepsTheRowInItsStation) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(2, "b"), Radek(2, "c"), Radek(3, "d")});
    int32_t i = 1;
    m.PosunZaznamStanovisko(i, true);
    EXPECT_EQ(i, 1);
    m.PosunZaznamStanovisko(i, false);
    EXPECT_EQ(i, 2);
    EXPECT_EQ(Cile(m), (std::vector<std::string>{"a", "c", "b", "d"}));
    m.PosunZaznamStanovisko(i, false);
    EXPECT_EQ(i, 2);
    EXPECT_EQ(Poradi(m), (V{1, 2, 2, 3}));
}

TEST(TmereniOdstraneni, EmptyRowsWithAndWithoutRenumbering) {
    Tmereni m = SeznamPoradi({3, 0, 3, 7, 0});
    m.SmazPrazdneZaznamyNeradPoradi();
    EXPECT_EQ(Poradi(m), (V{3, 3, 7}));
    m = SeznamPoradi({3, 0, 3, 7, 0});
    m.SmazPrazdneZaznamy();
    EXPECT_EQ(Poradi(m), (V{1, 1, 2}));
}

TEST(TmereniOdstraneni, TrailingEmptyRows) {
    Tmereni m = SeznamPoradi({1, 0, 2, 0, 0});
    EXPECT_TRUE(m.SmazPrazdneZaznamyNaKonci());
    EXPECT_EQ(Poradi(m), (V{1, 0, 2}));
    EXPECT_FALSE(m.SmazPrazdneZaznamyNaKonci());

    Tmereni prazdne = SeznamPoradi({0, 0, 0});
    EXPECT_TRUE(prazdne.SmazPrazdneZaznamyNaKonci());
    EXPECT_TRUE(prazdne.zaznam.empty());
    EXPECT_FALSE(prazdne.SmazPrazdneZaznamyNaKonci());
}

TEST(TmereniOdstraneni, RowsOutsideSetsAreDroppedAndStationsRenumbered) {
    Tmereni m = Seznam({Radek(2, "a", 0), Radek(2, "b", 1), Radek(5, "c", 0), Radek(6, "d", 2)});
    m.SmazNezarazeneZaznamy();
    EXPECT_EQ(Cile(m), (std::vector<std::string>{"b", "d"}));
    EXPECT_EQ(Poradi(m), (V{1, 2}));
}

TEST(TmereniOdstraneni, RowsWithoutDistance) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(1, "b"), Radek(3, "c")});
    EXPECT_FALSE(m.SmazZaznamyBezDelky());
    m.zaznam[1].delka = 0;
    EXPECT_TRUE(m.SmazZaznamyBezDelky());
    EXPECT_EQ(Cile(m), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(Poradi(m), (V{1, 3}));  // no renumbering
}

TEST(TmereniOdvozene, CheckedFlagAndStandardDeviations) {
    Tmereni zdroj = Seznam({Radek(1, "a"), Radek(1, "b")});
    zdroj.zaznam[1].sig_delka = 0.003L;
    zdroj.zaznam[1].sig_smer = 2e-5L;
    zdroj.zaznam[1].sig_zenit = 3e-5L;
    Tmereni prumery = Seznam({Radek(1, "b"), Radek(1, "x"), Radek(1, "y")});
    prumery.zaznam[0].iPrvni = 1;
    prumery.zaznam[1].iPrvni = 2;  // outside the source list
    prumery.zaznam[1].sig_delka = 0.5L;
    prumery.zaznam[2].iPrvni = -1;
    prumery.KopirovatSmerodatneOdchylky(zdroj);
    EXPECT_EQ(prumery.zaznam[0].sig_delka, 0.003L);
    EXPECT_EQ(prumery.zaznam[0].sig_smer, 2e-5L);
    EXPECT_EQ(prumery.zaznam[0].sig_zenit, 3e-5L);
    EXPECT_EQ(prumery.zaznam[1].sig_delka, -1);
    EXPECT_EQ(prumery.zaznam[2].sig_zenit, -1);

    prumery.zaznam[0].iPrvni = 0;
    prumery.zaznam[1].iPrvni = 0;
    prumery.KopirovatSmerodatneOdchylky(prumery);  // reads the rows as they were
    EXPECT_EQ(prumery.zaznam[1].sig_delka, 0.003L);

    prumery.VyprazdnitSmerodatneOdchylky();
    EXPECT_EQ(prumery.zaznam[0].sig_smer, -1);

    prumery.JeZkontrolovanoNastavit(true);
    for (const auto& z : prumery.zaznam) EXPECT_TRUE(z.jeZkontrolovano);
    prumery.JeZkontrolovanoNastavit(false);
    EXPECT_FALSE(prumery.zaznam[1].jeZkontrolovano);
}

}  // namespace
}  // namespace vertano
