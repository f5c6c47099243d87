#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adjustment/Tvahy.h"
#include "adjustment/TvektorMereni.h"
#include "mereni/Tmereni.h"

namespace vertano {
namespace {

TmerenaVelicina Pozorovani(Velicina typ, int32_t poradi, const std::string& cil, Real hodnota,
                           bool odlehly = false) {
    TmerenaVelicina v = TmerenaVelicina::Prazdny();
    v.typ = typ;
    v.poradi = poradi;
    v.poradiPosun = typ == Velicina::Smer ? poradi : 0;
    v.cislo_stn = "S" + std::to_string(poradi);
    v.cislo_cil = cil;
    v.hodnota = hodnota;
    v.jeOdlehly = odlehly;
    v.jePlny = true;
    return v;
}

std::vector<std::string> Cile(const TvektorMereni& vektor) {
    std::vector<std::string> cile;
    for (const auto& v : vektor.zaznam) cile.push_back(v.cislo_cil);
    return cile;
}

// Directions of three stations with 3, 2 and 4 targets.
TvektorMereni TriStanoviska() {
    TvektorMereni smery;
    for (const auto& [poradi, pocet] :
         std::vector<std::pair<int32_t, int>>{{1, 3}, {2, 2}, {3, 4}}) {
        for (int k = 0; k < pocet; ++k) {
            smery.PridejZaznam(Pozorovani(Velicina::Smer, poradi,
                                          std::to_string(poradi) + "-" + std::to_string(k), k));
        }
    }
    return smery;
}

TEST(TvektorMereni, CreatedAndEmptiedRecordsAreNotFull) {
    TvektorMereni vektor(3);
    EXPECT_EQ(vektor.zaznam.size(), 3u);
    EXPECT_EQ(vektor.zaznam[1].odchylka, 0);  // all-zero, not the empty observation
    EXPECT_EQ(vektor.PocetPrazdnychZaznamu(), 3);
    EXPECT_FALSE(vektor.ExistujePlnyZaznam());
    vektor.Create(-2);
    EXPECT_TRUE(vektor.zaznam.empty());

    vektor.PridejPrazdnyZaznam();
    const TmerenaVelicina& e = vektor.zaznam[0];
    EXPECT_EQ(e.typ, Velicina::Zadna);
    EXPECT_EQ(e.poradiPosun, 0);
    EXPECT_EQ(e.hodnota, -1);
    EXPECT_EQ(e.vaha, -1);
    EXPECT_EQ(e.zkresleni, -1);
    EXPECT_EQ(e.iStn, -1);
    EXPECT_EQ(e.iCil, -1);
    EXPECT_FALSE(e.jePlny);

    vektor.PridejZaznam(Pozorovani(Velicina::Delka, 1, "A", 10));
    vektor.Velikost(4);
    EXPECT_EQ(vektor.PocetPlnychZaznamu(), 1);
    EXPECT_EQ(vektor.PocetPrazdnychZaznamu(), 3);
    vektor.VyprazdniZaznamDlePoradi(1);
    vektor.VyprazdniZaznamDlePoradi(4);   // outside: ignored
    vektor.VyprazdniZaznamDlePoradi(-1);  // outside: ignored
    EXPECT_EQ(vektor.zaznam.size(), 4u);
    EXPECT_EQ(vektor.zaznam[1].hodnota, -1);
    EXPECT_FALSE(vektor.ExistujePlnyZaznam());
    vektor.Velikost(-1);
    EXPECT_TRUE(vektor.zaznam.empty());
}

TEST(TvektorMereni, RemovingEmptiesAndOutliersKeepsTheOrderOfTheRest) {
    TvektorMereni vektor;
    vektor.PridejZaznam(Pozorovani(Velicina::Smer, 1, "A", 1));
    vektor.PridejZaznam(Pozorovani(Velicina::Smer, 1, "B", 2, true));
    vektor.PridejPrazdnyZaznam();
    vektor.PridejZaznam(Pozorovani(Velicina::Zenit, 1, "C", 3));
    vektor.PridejZaznam(Pozorovani(Velicina::Delka, 1, "D", 4, true));

    TvektorMereni bezOdlehlych;
    bezOdlehlych.Kopiruj(vektor);
    bezOdlehlych.SmazPrazdneZaznamy();
    EXPECT_EQ(Cile(bezOdlehlych), (std::vector<std::string>{"A", "B", "C", "D"}));

    bezOdlehlych.SmazOdlehleHodnoty();
    EXPECT_EQ(Cile(bezOdlehlych), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(vektor.zaznam.size(), 5u);  // the copy is independent

    // Without outliers nothing changes.
    const TvektorMereni pred = bezOdlehlych;
    bezOdlehlych.SmazOdlehleHodnoty();
    ASSERT_EQ(bezOdlehlych.zaznam.size(), pred.zaznam.size());
    for (size_t i = 0; i < pred.zaznam.size(); ++i) {
        EXPECT_EQ(bezOdlehlych.zaznam[i].cislo_cil, pred.zaznam[i].cislo_cil);
        EXPECT_EQ(bezOdlehlych.zaznam[i].hodnota, pred.zaznam[i].hodnota);
    }
}

TEST(TvektorMereni, CountsByKindAndOutlier) {
    TvektorMereni vektor;
    vektor.PridejZaznam(Pozorovani(Velicina::Delka, 1, "A", 1, true));
    vektor.PridejZaznam(Pozorovani(Velicina::Delka, 1, "B", 1));
    vektor.PridejZaznam(Pozorovani(Velicina::Smer, 1, "A", 1, true));
    vektor.PridejZaznam(Pozorovani(Velicina::Smer, 1, "B", 1, true));
    vektor.PridejZaznam(Pozorovani(Velicina::Smer, 2, "C", 1));
    vektor.PridejZaznam(Pozorovani(Velicina::Zenit, 1, "A", 1));
    vektor.PridejZaznam(Pozorovani(Velicina::DoplnekDelka, 0, "A", 1, true));
    EXPECT_EQ(vektor.PocetDelek(), 2);
    EXPECT_EQ(vektor.PocetSmeru(), 3);
    EXPECT_EQ(vektor.PocetZenitu(), 1);
    EXPECT_EQ(vektor.PocetOdlehlychDelek(), 1);
    EXPECT_EQ(vektor.PocetOdlehlychSmeru(), 2);
    EXPECT_EQ(vektor.PocetOdlehlychZenitu(), 0);
    EXPECT_EQ(vektor.PocetOdlehlychHodnot(), 4);  // the supplementary one too
    EXPECT_TRUE(vektor.ExistujeOdlehlyZaznam());
    EXPECT_EQ(vektor.NejvetsiPoradiPosunu(), 2);

    // An outlier flag on a record that is not full does not make an outlier, for
    // the counts as for the test.
    TvektorMereni prazdne;
    for (const Velicina typ : {Velicina::Delka, Velicina::Smer, Velicina::Zenit}) {
        TmerenaVelicina v = Pozorovani(typ, 1, "A", 1, true);
        v.jePlny = false;
        prazdne.PridejZaznam(v);
    }
    EXPECT_EQ(prazdne.PocetOdlehlychHodnot(), 0);
    EXPECT_EQ(prazdne.PocetOdlehlychDelek() + prazdne.PocetOdlehlychSmeru() +
                  prazdne.PocetOdlehlychZenitu(),
              0);
    EXPECT_FALSE(prazdne.ExistujeOdlehlyZaznam());
}

TEST(TvektorMereni, EmptyVectorAnswersZero) {
    const TvektorMereni vektor;
    EXPECT_EQ(vektor.NejvetsiPoradiPosunu(), 0);
    EXPECT_EQ(vektor.PosledniPoradi(), 0);
    EXPECT_EQ(vektor.PocetPlnychZaznamu(), 0);
    EXPECT_FALSE(vektor.ExistujePlnyZaznam());
    EXPECT_FALSE(vektor.ExistujeOdlehlyZaznam());
    TvektorMereni posuny;
    posuny.PridejPrazdnyZaznam();
    posuny.KopirujPosun(vektor);
    EXPECT_TRUE(posuny.zaznam.empty());
}

TEST(TvektorMereni, SelectiveCopiesWorkAlsoOntoThemselves) {
    TvektorMereni vektor;
    vektor.PridejZaznam(Pozorovani(Velicina::Delka, 1, "A", 1));
    vektor.PridejZaznam(Pozorovani(Velicina::Smer, 1, "B", 2, true));
    vektor.PridejZaznam(Pozorovani(Velicina::Delka, 2, "C", 3, true));
    vektor.PridejZaznam(Pozorovani(Velicina::Zenit, 2, "D", 4));

    TvektorMereni delky;
    delky.PridejPrazdnyZaznam();
    delky.KopirujVelicinu(vektor, Velicina::Delka);
    EXPECT_EQ(Cile(delky), (std::vector<std::string>{"A", "C"}));

    TvektorMereni odlehle;
    odlehle.KopirujOdlehle(vektor, true);
    EXPECT_EQ(Cile(odlehle), (std::vector<std::string>{"B", "C"}));
    odlehle.KopirujOdlehle(vektor, false);
    EXPECT_EQ(Cile(odlehle), (std::vector<std::string>{"A", "D"}));

    TvektorMereni sam = vektor;
    sam.Kopiruj(sam);
    EXPECT_EQ(sam.zaznam.size(), 4u);
    sam.KopirujVelicinu(sam, Velicina::Zenit);
    EXPECT_EQ(Cile(sam), (std::vector<std::string>{"D"}));
    sam = vektor;
    sam.KopirujOdlehle(sam, true);
    EXPECT_EQ(Cile(sam), (std::vector<std::string>{"B", "C"}));
}

TEST(TvektorMereni, OneOrientationRecordPerStation) {
    const TvektorMereni smery = TriStanoviska();
    TvektorMereni posuny;
    posuny.KopirujPosun(smery);
    EXPECT_EQ(Cile(posuny), (std::vector<std::string>{"1-0", "2-0", "3-0"}));
    EXPECT_EQ(posuny.zaznam[2].poradiPosun, 3);

    // The first record of each number, found wherever it stands, in ascending
    // order; other kinds and a number nobody carries give nothing.
    TvektorMereni smisene;
    smisene.PridejZaznam(Pozorovani(Velicina::Zenit, 1, "Z", 0));
    smisene.zaznam[0].poradiPosun = 1;
    smisene.PridejZaznam(Pozorovani(Velicina::Smer, 4, "D", 0));
    smisene.PridejZaznam(Pozorovani(Velicina::Smer, 1, "A", 0));
    smisene.PridejZaznam(Pozorovani(Velicina::Smer, 4, "E", 0));
    smisene.PridejZaznam(Pozorovani(Velicina::Smer, 2000000000, "F", 0));
    smisene.KopirujPosun(smisene);
    EXPECT_EQ(Cile(smisene), (std::vector<std::string>{"A", "D", "F"}));
}

TEST(TvektorMereni, OrientationNumbersAreRenumberedAlongTheVector) {
    TvektorMereni vektor;
    for (const int32_t p : {7, 7, 3, 3, 3, 9, 7}) {
        vektor.PridejZaznam(Pozorovani(Velicina::Smer, p, "X", 0));
    }
    // A zenith record between directions neither counts nor breaks a run.
    TmerenaVelicina zenit = Pozorovani(Velicina::Zenit, 3, "Z", 0);
    zenit.poradiPosun = 55;
    vektor.zaznam.insert(vektor.zaznam.begin() + 3, zenit);

    vektor.SeradPoradiPosunu();
    std::vector<int32_t> cisla;
    for (const auto& v : vektor.zaznam) cisla.push_back(v.poradiPosun);
    EXPECT_EQ(cisla, (std::vector<int32_t>{1, 1, 2, 55, 2, 2, 3, 4}));
    EXPECT_EQ(vektor.NejvetsiPoradiPosunu(), 55);

    // Directions not yet numbered (0) still start at 1.
    TvektorMereni nove;
    for (const int32_t p : {0, 0, 5}) {
        nove.PridejZaznam(Pozorovani(Velicina::Smer, 1, "X", 0));
        nove.zaznam.back().poradiPosun = p;
    }
    nove.SeradPoradiPosunu();
    EXPECT_EQ(nove.zaznam[0].poradiPosun, 1);
    EXPECT_EQ(nove.zaznam[1].poradiPosun, 1);
    EXPECT_EQ(nove.zaznam[2].poradiPosun, 2);
}

TEST(TvektorMereni, RunOfOneStationIsFoundFromTheStartOfTheScan) {
    TvektorMereni vektor;
    for (const int32_t p : {1, 1, 2, 2, 2, 1, 3}) {
        vektor.PridejZaznam(Pozorovani(Velicina::Smer, p, "X", 0));
    }
    int32_t pocatek = 99;
    int32_t konec = 99;
    EXPECT_EQ(vektor.IndexyZaznamuDleStanoviska(pocatek, konec, 2, 0), 5);
    EXPECT_EQ(pocatek, 2);
    EXPECT_EQ(konec, 4);
    vektor.IndexyZaznamuDleStanoviska(pocatek, konec, 1, 0);
    EXPECT_EQ(pocatek, 0);
    EXPECT_EQ(konec, 1);
    vektor.IndexyZaznamuDleStanoviska(pocatek, konec, 1, 2);
    EXPECT_EQ(pocatek, 5);
    EXPECT_EQ(konec, 5);
    vektor.IndexyZaznamuDleStanoviska(pocatek, konec, 3, -4);
    EXPECT_EQ(pocatek, 6);
    EXPECT_EQ(konec, 6);
    EXPECT_EQ(vektor.IndexyZaznamuDleStanoviska(pocatek, konec, 8, 0), 7);
    EXPECT_EQ(pocatek, -1);
    EXPECT_EQ(konec, -1);
    vektor.IndexyZaznamuDleStanoviska(pocatek, konec, 1, 100);
    EXPECT_EQ(pocatek, -1);
}

TEST(TvektorMereni, StationTableHasOneRecordPerRun) {
    TvektorMereni vektor = TriStanoviska();
    vektor.zaznam[6].jePlny = false;  // a blank inside station 3 splits its run
    vektor.PridejZaznam(Pozorovani(Velicina::Smer, 1, "again", 0));

    const std::vector<SkupinaZaznamu> skupiny = vektor.SkupinyZaznamu();
    ASSERT_EQ(skupiny.size(), 5u);
    const int32_t stanovisko[] = {1, 2, 3, 3, 1};
    const int32_t prvni[] = {0, 3, 5, 7, 9};
    const int32_t posledni[] = {2, 4, 5, 8, 9};
    for (size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(skupiny[k].poradi, stanovisko[k]) << k;
        EXPECT_EQ(skupiny[k].prvni, prvni[k]) << k;
        EXPECT_EQ(skupiny[k].posledni, posledni[k]) << k;
        EXPECT_EQ(skupiny[k].cislo_stn, "S" + std::to_string(stanovisko[k])) << k;
    }
    EXPECT_EQ(vektor.PosledniPoradi(), 1);
}

Tzaznam Radek(int32_t poradi, int32_t skupina, const std::string& cil, Real delka) {
    Tzaznam r = Tzaznam::Prazdny();
    r.poradi = poradi;
    r.skupina = skupina;
    r.cislo_stn = "S" + std::to_string(poradi);
    r.cislo_cil = cil;
    r.delka = delka;
    r.smer = 1.25L;
    r.zenit = 1.5L;
    r.sig_delka = 0.003L;
    r.sig_smer = 4e-6L;
    r.sig_zenit = 5e-6L;
    r.vaha_delka = 11;
    r.vaha_smer = 12;
    r.vaha_zenit = 13;
    r.smernik = 2.5L;
    r.posun = 1.25L;
    r.sig_posun = 6e-6L;
    r.zkresleniDelky = 0.9996L;
    return r;
}

TEST(TvektorMereni, MeasurementListGivesDistancesThenDirectionsThenZeniths) {
    Tmereni mereni;
    mereni.PridejZaznam(Radek(1, 1, "A", 0));  // no distance
    mereni.PridejZaznam(Radek(2, 3, "B", 123.456L));
    mereni.PridejPrazdnyZaznam();  // carries no observation

    TvektorMereni vektor;
    vektor.PridejZaznam(Pozorovani(Velicina::Delka, 9, "old", 0));
    vektor.NactiMereni(mereni);
    ASSERT_EQ(vektor.zaznam.size(), 5u);
    const std::vector<Velicina> typy = {Velicina::Delka, Velicina::Smer, Velicina::Smer,
                                        Velicina::Zenit, Velicina::Zenit};
    for (size_t i = 0; i < typy.size(); ++i) {
        EXPECT_EQ(vektor.zaznam[i].typ, typy[i]) << i;
        EXPECT_TRUE(vektor.zaznam[i].jePlny);
    }
    EXPECT_EQ(Cile(vektor), (std::vector<std::string>{"B", "A", "B", "A", "B"}));

    const TmerenaVelicina& d = vektor.zaznam[0];
    EXPECT_EQ(d.hodnota, 123.456L);
    EXPECT_EQ(d.odchylka, 0.003L);
    EXPECT_EQ(d.vaha, 11);
    EXPECT_EQ(d.poradi, 2);
    EXPECT_EQ(d.skupina, 3);
    EXPECT_EQ(d.cislo_stn, "S2");
    EXPECT_EQ(d.zkresleni, 0.9996L);
    EXPECT_EQ(d.poradiPosun, 0);

    const TmerenaVelicina& s = vektor.zaznam[2];
    EXPECT_EQ(s.hodnota, 1.25L);
    EXPECT_EQ(s.odchylka, 4e-6L);
    EXPECT_EQ(s.vaha, 12);
    EXPECT_EQ(s.smernik, 2.5L);
    EXPECT_EQ(s.posun, 1.25L);
    EXPECT_EQ(s.odchylkaPosun, 6e-6L);
    EXPECT_EQ(s.poradiPosun, 2);

    const TmerenaVelicina& z = vektor.zaznam[3];
    EXPECT_EQ(z.hodnota, 1.5L);
    EXPECT_EQ(z.odchylka, 5e-6L);
    EXPECT_EQ(z.vaha, 13);
    EXPECT_EQ(z.poradi, 1);
    EXPECT_EQ(z.skupina, 1);
    EXPECT_EQ(z.smernik, -1);
    EXPECT_FALSE(z.jeOdlehly);
}

TEST(TvektorMereni, SelectedDeviationsReachTheirKindsOnly) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tinfo info;
    Tvahy vahy;
    vahy.NastavitZadanouPresnost(nastaveni, info);
    info.infoVahy.typVah = ZdrojVah::Zadana;
    vahy.VypocetVah(info, nastaveni);

    TvektorMereni vektor;
    for (const Velicina typ :
         {Velicina::Delka, Velicina::Smer, Velicina::Zenit, Velicina::DoplnekDelka}) {
        TmerenaVelicina v = Pozorovani(typ, 1, "A", 0);
        v.odchylka = 0.5L;
        vektor.PridejZaznam(v);
    }
    vektor.NacistVahy(vahy);
    EXPECT_EQ(vektor.zaznam[0].odchylka, nastaveni.vyrovnani.odchylka_zadanaDelka);
    EXPECT_EQ(vektor.zaznam[1].odchylka, nastaveni.vyrovnani.odchylka_zadanaSmer);
    EXPECT_EQ(vektor.zaznam[2].odchylka, nastaveni.vyrovnani.odchylka_zadanaZenit);
    EXPECT_EQ(vektor.zaznam[3].odchylka, 0.5L);
}

}  // namespace
}  // namespace vertano
