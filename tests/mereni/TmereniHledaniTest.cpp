#include <gtest/gtest.h>

#include "mereni/RadkyPomocne.h"
#include "mereni/Tmereni.h"

namespace vertano {
namespace {

using test::Poradi;
using test::Radek;
using test::Seznam;
using test::SeznamPoradi;
using V = std::vector<int32_t>;

TEST(TmereniCislovani, SeradPoradiSkipsEmptyRowsAndContinuesTheRun) {
    Tmereni m = SeznamPoradi({5, 5, 0, 5, 9, 2});
    m.SeradPoradi();
    EXPECT_EQ(Poradi(m), (V{1, 1, 0, 1, 2, 3}));
    Tmereni opakovane = SeznamPoradi({4, 7, 4});
    opakovane.SeradPoradi();
    EXPECT_EQ(Poradi(opakovane), (V{1, 2, 3}));
}

TEST(TmereniCislovani, LargestAndLastStationNumbers) {
    Tmereni m;
    EXPECT_EQ(m.NejvetsiPoradi(), 0);
    EXPECT_EQ(m.NejvetsiSkupina(), 0);
    EXPECT_EQ(m.PosledniPoradi(), 0);
    m = Seznam({Radek(3, "a", 2), Radek(8, "b", 1), Radek(5, "c", 4), Tzaznam::Prazdny()});
    EXPECT_EQ(m.NejvetsiPoradi(), 8);
    EXPECT_EQ(m.NejvetsiSkupina(), 4);
    EXPECT_EQ(m.PosledniPoradi(), 5);  // the trailing empty row is ignored
    EXPECT_EQ(SeznamPoradi({0, 0}).PosledniPoradi(), 0);
}

TEST(TmereniHledani, StationRunFromAStartIndex) {
    const Tmereni m = SeznamPoradi({1, 1, 2, 2, 2, 3, 2});
    int32_t pocatek = -7, konec = -7;
    EXPECT_EQ(m.IndexyZaznamuDleStanoviska(pocatek, konec, 0, 2), 5);
    EXPECT_EQ(pocatek, 2);
    EXPECT_EQ(konec, 4);
    EXPECT_EQ(m.IndexyZaznamuDleStanoviska(pocatek, konec, 5, 2), 7);  // the later run
    EXPECT_EQ(pocatek, 6);
    EXPECT_EQ(konec, 6);

    pocatek = konec = -7;
    EXPECT_EQ(m.IndexyZaznamuDleStanoviska(pocatek, konec, 0, 9), 7);
    EXPECT_EQ(pocatek, -7);  // untouched when nothing matches
    EXPECT_EQ(konec, -7);
    EXPECT_EQ(m.IndexyZaznamuDleStanoviska(pocatek, konec, 40, 1), 7);
    EXPECT_EQ(m.IndexyZaznamuDleStanoviska(pocatek, konec, -3, 1), 2);
    EXPECT_EQ(pocatek, 0);
    EXPECT_EQ(konec, 1);
}

TEST(TmereniHledani, SetRunNeedsStationAndSet) {
    const Tmereni m = Seznam(
        {Radek(1, "a", 1), Radek(1, "b", 1), Radek(1, "a", 2), Radek(2, "a", 2), Radek(2, "b", 2)});
    int32_t pocatek = -1, konec = -1;
    EXPECT_EQ(m.IndexyZaznamuDleSkupiny(pocatek, konec, 0, 2, 1), 3);
    EXPECT_EQ(pocatek, 2);
    EXPECT_EQ(konec, 2);
    EXPECT_EQ(m.IndexyZaznamuDleSkupiny(pocatek, konec, 0, 2, 2), 5);
    EXPECT_EQ(pocatek, 3);
    EXPECT_EQ(konec, 4);
}

TEST(TmereniHledani, StationTableInRows) {
    const Tmereni m = Seznam({Radek(1, "a"), Radek(1, "b"), Tzaznam::Prazdny(), Radek(3, "c"),
                              Radek(3, "d"), Radek(3, "e")});
    Tmereni indexy = SeznamPoradi({9, 9, 9, 9, 9});
    m.IndexyZaznamuVsechStanovisek(indexy);
    ASSERT_EQ(indexy.zaznam.size(), 3u);
    EXPECT_EQ(indexy.zaznam[0].soubor, 1);
    EXPECT_EQ(indexy.zaznam[0].cislo_stn, "S1");
    EXPECT_EQ(indexy.zaznam[0].poradi, 0);
    EXPECT_EQ(indexy.zaznam[0].skupina, 1);
    EXPECT_EQ(indexy.zaznam[1].soubor, 0);  // station 2 has no rows
    EXPECT_EQ(indexy.zaznam[1].cislo_stn, "");
    EXPECT_EQ(indexy.zaznam[2].soubor, 3);
    EXPECT_EQ(indexy.zaznam[2].poradi, 3);
    EXPECT_EQ(indexy.zaznam[2].skupina, 5);
}

TEST(TmereniHledani, StationStartVector) {
    std::vector<int32_t> v{42};
    SeznamPoradi({1, 1, 2, 3, 3, 3, 0}).IndexyZaznamuVsechStanovisekVector(v);
    EXPECT_EQ(v, (V{0, 2, 3, 6}));
    SeznamPoradi({1, 1, 3}).IndexyZaznamuVsechStanovisekVector(v);
    EXPECT_EQ(v, (V{0, 2, 2, 3}));  // missing station 2: an empty range
    Tmereni().IndexyZaznamuVsechStanovisekVector(v);
    EXPECT_EQ(v, (V{0}));
}

TEST(TmereniHledani, HugeStationNumberDoesNotBlowUpTheNameIndex) {
    Tmereni m = SeznamPoradi({1, 2000000000});
    std::vector<std::string> jmena;
    EXPECT_EQ(m.PoradiBoduPriradit(jmena), 3);
}

TEST(TmereniHledani, FirstRowOfFileAndBlockNumbers) {
    Tmereni m = SeznamPoradi({4, 4, 0, 6, 6, 4});
    m.zaznam[3].soubor = 2;
    m.zaznam[5].soubor = 2;
    EXPECT_EQ(m.PoradiPrvnihoZaznamuSCisemSouboru(2), 3);
    EXPECT_EQ(m.PoradiPrvnihoZaznamuSCisemSouboru(0), 0);
    EXPECT_EQ(m.PoradiPrvnihoZaznamuSCisemSouboru(5), -1);
    EXPECT_EQ(m.SkupinaDlePoradi(), 6);
    V skupiny;
    for (const auto& z : m.zaznam) skupiny.push_back(z.skupina);
    EXPECT_EQ(skupiny, (V{1, 1, 2, 3, 3, 4}));
}

TEST(TmereniHledani, PointIndicesUseOneListAndExactNames) {
    Tmereni m = Seznam({Radek(1, "A"), Radek(1, "a"), Radek(2, "A"), Radek(2, "S1")});
    m.zaznam[2].cislo_stn = "a";  // the station's name is taken from its first row
    std::vector<std::string> jmena{"old"};
    EXPECT_EQ(m.PoradiBoduPriradit(jmena), 3);
    // "A" and "a" are two marks, as in the point lists.
    EXPECT_EQ(jmena, (std::vector<std::string>{"S1", "A", "a"}));
    V iStn, iCil;
    for (const auto& z : m.zaznam) {
        iStn.push_back(z.iStn);
        iCil.push_back(z.iCil);
    }
    EXPECT_EQ(iStn, (V{0, 0, 2, 2}));
    EXPECT_EQ(iCil, (V{1, 2, 1, 0}));
}

TEST(TmereniHledani, PointIndicesSkipEmptyRows) {
    Tmereni m = Seznam({Radek(1, "B"), Tzaznam::Prazdny(), Radek(2, "C")});
    std::vector<std::string> jmena;
    EXPECT_EQ(m.PoradiBoduPriradit(jmena), 4);
    EXPECT_EQ(m.zaznam[1].iStn, -1);
    EXPECT_EQ(m.zaznam[2].iStn, 2);
    EXPECT_EQ(m.zaznam[2].iCil, 3);
}

TEST(TmereniPocty, FullEmptyAndDistanceCounts) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(1, "b"), Tzaznam::Prazdny(), Tzaznam{}});
    m.zaznam[1].delka = 0;
    EXPECT_EQ(m.PocetPlnychZaznamu(), 2);
    EXPECT_EQ(m.PocetPrazdnychZaznamu(), 2);
    EXPECT_TRUE(m.ObsahujePrazneZaznamy());
    EXPECT_TRUE(m.ExistujePlnyZaznam());
    // Full or not: the all-zero row has no distance, the blank row has -1.
    EXPECT_EQ(m.PocetZaznamuBezDelky(), 2);
    EXPECT_EQ(m.PocetZaznamuSDelkou(), 2);
    EXPECT_TRUE(m.ObsahujeZaznamyBezDelky());
    EXPECT_TRUE(m.JeMerenaDelka());

    const Tmereni prazdny;
    EXPECT_FALSE(prazdny.ExistujePlnyZaznam());
    EXPECT_FALSE(prazdny.ObsahujePrazneZaznamy());
    EXPECT_FALSE(prazdny.JeMerenaDelka());
    EXPECT_FALSE(Tmereni(2).JeMerenaDelka());
}

TEST(TmereniPocty, FirstRowWithDistanceOfAStation) {
    Tmereni m = Seznam({Radek(1, "a"), Radek(2, "b"), Radek(2, "c"), Radek(2, "d")});
    m.zaznam[1].delka = 0;
    Tzaznam z;
    int32_t index = 99;
    EXPECT_TRUE(m.JeMerenaDelkaNaStanovisku(2, z, index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(z.cislo_cil, "c");
    m.zaznam[2].delka = m.zaznam[3].delka = 0;
    EXPECT_FALSE(m.JeMerenaDelkaNaStanovisku(2, z, index));
    EXPECT_EQ(index, -1);
    EXPECT_FALSE(z.JePlny());
    EXPECT_EQ(z.zkresleniDelky, 1);  // the blank row, not an all-zero one
}

TEST(TmereniPocty, SetsFacesAndOutliers) {
    Tmereni m = Seznam({Radek(1, "a", 1, true), Radek(1, "a", 1, false), Radek(1, "b", 0, true),
                        Tzaznam::Prazdny()});
    m.zaznam[3].skupina = 4;  // an empty row never counts
    m.zaznam[3].poloha = true;
    EXPECT_EQ(m.PocetZarazenychZaznamuDoSkupin(), 2);
    EXPECT_TRUE(m.ExistujeZarazenyZaznamDoSkupiny());
    EXPECT_TRUE(m.ExistujeNezarazenyZaznamDoSkupiny());
    EXPECT_EQ(m.PocetZaznamuSPolohou(true), 2);
    EXPECT_EQ(m.PocetZaznamuSPolohou(false), 1);
    m.zaznam[0].delka_JeOdlehla = m.zaznam[0].smer_Jeodlehla = true;
    m.zaznam[3].zenit_JeOdlehla = true;
    EXPECT_EQ(m.PocetOdlehlychHodnot(), 3);

    Tmereni bez = Seznam({Radek(1, "a", 0), Radek(1, "b", 0)});
    EXPECT_FALSE(bez.ExistujeZarazenyZaznamDoSkupiny());
    bez.zaznam[0].skupina = bez.zaznam[1].skupina = 1;
    EXPECT_FALSE(bez.ExistujeNezarazenyZaznamDoSkupiny());
}

TEST(TmereniPocty, StationsKeepingADirectionThatIsNoOutlier) {
    Tmereni m = SeznamPoradi({1, 1, 2, 2, 0, 3, 4, 4});
    EXPECT_EQ(m.PocetStanovisekSNeodehlymiHodnotami(), 4);
    m.zaznam[2].smer_Jeodlehla = m.zaznam[3].smer_Jeodlehla = true;    // all of station 2
    m.zaznam[6].smer_Jeodlehla = true;                                 // one of station 4
    m.zaznam[0].delka_JeOdlehla = m.zaznam[1].zenit_JeOdlehla = true;  // not directions
    EXPECT_EQ(m.PocetStanovisekSNeodehlymiHodnotami(), 3);
    EXPECT_EQ(m.zaznam.size(), 8u);  // the list itself is untouched
    EXPECT_EQ(m.zaznam[2].poradi, 2);

    // Stations 1 and 1 on both sides of a removed station merge, as renumbering
    // the shortened copy would merge them.
    Tmereni n = SeznamPoradi({1, 2, 1});
    n.zaznam[1].smer_Jeodlehla = true;
    EXPECT_EQ(n.PocetStanovisekSNeodehlymiHodnotami(), 1);
}

TEST(TmereniPocty, SetCountOfAStationScansBackwards) {
    Tmereni m = Seznam({Radek(1, "a", 1), Radek(1, "b", 2), Radek(1, "c", 0), Radek(1, "d", 0)});
    EXPECT_EQ(m.PocetSkupinNaStanovisku(0, 3), 2);
    EXPECT_EQ(m.PocetSkupinNaStanovisku(0, 0), 1);
    EXPECT_EQ(m.PocetSkupinNaStanovisku(2, 3), 0);
    EXPECT_EQ(m.PocetSkupinNaStanovisku(3, 2), 0);
    EXPECT_EQ(m.PocetSkupinNaStanovisku(-5, 50), 2);
    EXPECT_EQ(Tmereni().PocetSkupinNaStanovisku(0, 0), 0);
}

}  // namespace
}  // namespace vertano
