#include <gtest/gtest.h>

#include "data/Interaction.h"
#include "data/Tinfo.h"
#include "data/Tjazyk.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/PrikazySkupin.h"
#include "processing/SkupinyTestPomocne.h"
#include "processing/UsporadaniSkupin.h"

namespace vertano {
namespace {

using namespace testskupiny;
using S = std::vector<std::string>;
using V = std::vector<int32_t>;
using B = std::vector<bool>;

Tjazyk Anglicky() {
    Tnastaveni n = VychoziNastaveni();
    n.typJazyk = 1;
    Tjazyk j;
    j.Default(n);
    return j;
}

TEST(UsporadejSkupinyDlePolohy, SetStartingWithFaceTwoIsReversed) {
    Tmereni m = Seznam({PrvniPoloha(1, "X"), PrvniPoloha(1, "Y"), DruhaPoloha(1, "Y"),
                        DruhaPoloha(1, "X"), DruhaPoloha(1, "A"), DruhaPoloha(1, "B"),
                        PrvniPoloha(1, "B"), PrvniPoloha(1, "A"), PrvniPoloha(1, "Z")});
    IdentifikujSkupiny(m);
    ASSERT_EQ(Skupiny(m), (V{1, 1, 1, 1, 2, 2, 2, 2, 0}));
    int32_t mereni = -1, skupin = -1;
    UsporadejSkupinyDlePolohy(m, mereni, skupin);
    EXPECT_EQ(mereni, 4);
    EXPECT_EQ(skupin, 1);
    EXPECT_EQ(Cile(m), (S{"X", "Y", "Y", "X", "A", "B", "B", "A", "Z"}));
    EXPECT_EQ(Polohy(m), (B{true, true, false, false, true, true, false, false, true}));
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1, 2, 2, 2, 2, 0}));  // numbers kept
}

TEST(UsporadejSkupinyDlePrniDruhaZaSebou, SimultaneousSetBecomesStandard) {
    Tmereni m = Seznam(
        {PrvniPoloha(1, "A"), DruhaPoloha(1, "A"), DruhaPoloha(1, "B"), PrvniPoloha(1, "B")});
    for (auto& z : m.zaznam) z.jeZkontrolovano = true;
    int32_t mereni = -1, skupin = -1;
    UsporadejSkupinyDlePrniDruhaZaSebou(m, mereni, skupin);
    EXPECT_EQ(mereni, 4);
    EXPECT_EQ(skupin, 1);
    EXPECT_EQ(Cile(m), (S{"A", "B", "B", "A"}));
    EXPECT_EQ(Polohy(m), (B{true, true, false, false}));
    for (const auto& z : m.zaznam) EXPECT_FALSE(z.jeZkontrolovano);
    IdentifikujSkupiny(m);
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1}));
}

TEST(UsporadejSkupinyDlePrniDruhaZaSebou, StandardSetsOfTheStationAreLeftAlone) {
    // Two standard sets and one stray row: read as one run, rows 1-4 would look
    // like a simultaneous set (B I, B II, A II, A I) and the sets would be torn.
    Tmereni m = Seznam({PrvniPoloha(1, "A"), PrvniPoloha(1, "B"), DruhaPoloha(1, "B"),
                        DruhaPoloha(1, "A"), PrvniPoloha(1, "A"), PrvniPoloha(1, "B"),
                        DruhaPoloha(1, "B"), DruhaPoloha(1, "A"), PrvniPoloha(1, "C")});
    IdentifikujSkupiny(m);
    const Tmereni puvodni = m;
    int32_t mereni = -1, skupin = -1;
    UsporadejSkupinyDlePrniDruhaZaSebou(m, mereni, skupin);
    EXPECT_EQ(mereni, 0);
    EXPECT_EQ(skupin, 0);
    EXPECT_EQ(Cile(m), Cile(puvodni));
    EXPECT_EQ(Polohy(m), Polohy(puvodni));
}

TEST(UsporadejSkupinyDlePrniDruhaZaSebou, SimultaneousRowsAfterAStandardSet) {
    Tmereni m = Seznam({PrvniPoloha(1, "A"), PrvniPoloha(1, "B"), DruhaPoloha(1, "B"),
                        DruhaPoloha(1, "A"), DruhaPoloha(1, "C"), PrvniPoloha(1, "C"),
                        PrvniPoloha(1, "D"), DruhaPoloha(1, "D"), PrvniPoloha(2, "E"),
                        DruhaPoloha(2, "E"), PrvniPoloha(2, "F"), DruhaPoloha(2, "F")});
    IdentifikujSkupiny(m);
    for (auto& z : m.zaznam) z.jeZkontrolovano = true;
    int32_t mereni = -1, skupin = -1;
    UsporadejSkupinyDlePrniDruhaZaSebou(m, mereni, skupin);
    EXPECT_EQ(mereni, 8);
    EXPECT_EQ(skupin, 2);
    EXPECT_EQ(Cile(m), (S{"A", "B", "B", "A", "C", "D", "D", "C", "E", "F", "F", "E"}));
    IdentifikujSkupiny(m);
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST(ZrcadlitPoloha, FaceOneRowMirroredWithoutOffsets) {
    Tmereni m = Seznam({Radek(1, "A", 10, 90, 123.456L)});
    int32_t pocet = -1;
    ZrcadlitPoloha(m, pocet, VychoziNastaveni());
    ASSERT_EQ(pocet, 1);
    ASSERT_EQ(m.zaznam.size(), 2u);
    const Tzaznam& z = m.zaznam[1];
    EXPECT_FALSE(z.poloha);
    EXPECT_NEAR(static_cast<double>(z.smer - Gon(210)), 0, 1e-15);
    EXPECT_NEAR(static_cast<double>(z.zenit - Gon(310)), 0, 1e-15);
    EXPECT_EQ(z.delka, 123.456L);
}

TEST(ZrcadlitPoloha, PairShowsTheAssumedDifferencesFromEitherFace) {
    Tnastaveni n = VychoziNastaveni();
    n.zrcadleni.rozdil_smer = Gon(0.002);
    n.zrcadleni.rozdil_zenit = Gon(0.004);
    n.zrcadleni.rozdil_delka = 0.003L;
    for (const Tzaznam& zdroj : {Radek(1, "A", 399.9995L, 98), Radek(1, "A", 0.0005L, 302)}) {
        const Tzaznam zrcadlo = ZrcadlenyZaznam(zdroj, n.zrcadleni);
        EXPECT_NE(zrcadlo.poloha, zdroj.poloha);
        EXPECT_EQ(JePrvniPoloha(zrcadlo.zenit), zrcadlo.poloha);
        EXPECT_GE(zrcadlo.smer, 0);
        EXPECT_LT(zrcadlo.smer, kDvePi);
        const RedukcePolohy r =
            zdroj.poloha ? RedukovatDvojici(zdroj, zrcadlo) : RedukovatDvojici(zrcadlo, zdroj);
        EXPECT_NEAR(static_cast<double>(r[redukce::kRozdilSmer] - Gon(0.002)), 0, 1e-15);
        EXPECT_NEAR(static_cast<double>(r[redukce::kRozdilZenit] - Gon(0.004)), 0, 1e-15);
        EXPECT_NEAR(static_cast<double>(r[redukce::kRozdilDelka] - 0.003L), 0, 1e-12);
    }
}

TEST(ZrcadlitPoloha, MissingDistanceIsNotInvented) {
    Tnastaveni n = VychoziNastaveni();
    n.zrcadleni.rozdil_delka = 0.003L;
    Tmereni m = Seznam({Radek(1, "A", 10, 90, 0), Radek(1, "B", 10, 310, 0)});
    int32_t pocet = 0;
    ZrcadlitPoloha(m, pocet, n);
    ASSERT_EQ(pocet, 2);
    for (const auto& z : m.zaznam) EXPECT_EQ(z.delka, 0);
}

TEST(ZrcadlitPoloha, OnlyRowsOutsideSetsAndTheirStationsMarked) {
    Tmereni m = Seznam({PrvniPoloha(1, "A"), PrvniPoloha(1, "B"), DruhaPoloha(1, "B"),
                        DruhaPoloha(1, "A"), PrvniPoloha(2, "C"), DruhaPoloha(2, "C"),
                        PrvniPoloha(2, "D"), DruhaPoloha(2, "D"), PrvniPoloha(3, "E")});
    IdentifikujSkupiny(m);
    for (auto& z : m.zaznam) z.jeZkontrolovano = true;
    m.PridejPrazdnyZaznam();
    int32_t pocet = 0;
    ZrcadlitPoloha(m, pocet, VychoziNastaveni());
    EXPECT_EQ(pocet, 5);
    EXPECT_EQ(Cile(m), (S{"A", "B", "B", "A", "C", "C", "C", "C", "D", "D", "D", "D", "E", "E"}));
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    for (size_t i = 0; i < m.zaznam.size(); ++i) {
        EXPECT_EQ(m.zaznam[i].jeZkontrolovano, i < 4) << i;
    }
}

TEST(PrikazySkupin, FindSetsIdentifiesChecksAndReports) {
    Tmereni m = Seznam(
        {PrvniPoloha(1, "A"), DruhaPoloha(1, "A"), DruhaPoloha(1, "B"), PrvniPoloha(1, "B")});
    Tnastaveni n = VychoziNastaveni();
    Tchyby chyby;
    KontrolaMereni(m, n, chyby, false);
    EXPECT_EQ(m.kontrola[kontrola::kCilJeStanovisko], 4);  // no sets yet

    const PocetSerazenych pocet = NajitMerickeSkupiny(m, n, chyby);
    EXPECT_EQ(pocet.mereni, 4);
    EXPECT_EQ(pocet.skupin, 1);
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1}));
    EXPECT_EQ(m.kontrola[kontrola::kCilJeStanovisko], 0);
    EXPECT_EQ(chyby.suroveMereniCekovyPocetChyb, 0);

    const jazyk::Toznameni o = OznameniNalezeniSkupin(Anglicky(), pocet);
    EXPECT_EQ(o.nadpis, "Find measurement sets - Simultaneous measuring in both positions");
    EXPECT_EQ(o.text, "Found measurements: 4 (Found measurement sets: 1)");
}

TEST(PrikazySkupin, MessagesOfSortingAndMirroring) {
    const Tjazyk j = Anglicky();
    const jazyk::Toznameni serazeni = OznameniSerazeniDlePoloh(j, {8, 2});
    EXPECT_EQ(serazeni.nadpis, "Sort measurements according to positions (II-I > I-II)");
    EXPECT_EQ(serazeni.text, "Found measurements: 8 (Found measurement sets: 2)");
    const jazyk::Toznameni zrcadleni = OznameniZrcadleni(j, 3);
    EXPECT_EQ(zrcadleni.nadpis, "Mirror measurements outside the sets");
    EXPECT_EQ(zrcadleni.text, "Mirrored measurements: 3");
}

TEST(PrikazySkupin, DeletingRowsOutsideSetsAsksFirst) {
    Tmereni m =
        Seznam({PrvniPoloha(1, "X"), DruhaPoloha(1, "X"), PrvniPoloha(2, "A"), PrvniPoloha(2, "B"),
                DruhaPoloha(2, "B"), DruhaPoloha(2, "A"), PrvniPoloha(2, "Z")});
    Tnastaveni n = VychoziNastaveni();
    Tchyby chyby;
    IdentifikujSkupiny(m);
    KontrolaMereni(m, n, chyby, false);
    EXPECT_EQ(m.kontrola[kontrola::kCilJeStanovisko], 3);

    SilentInteraction ne(false);
    EXPECT_EQ(SmazatZaznamyMimoSkupiny(m, n, chyby, Anglicky(), ne), 0);
    EXPECT_EQ(ne.lastQuestion,
              "Warning: Do you really want to delete the selected measurements? (Number of "
              "measurements: 3)");
    EXPECT_EQ(m.zaznam.size(), 7u);

    SilentInteraction ano(true);
    EXPECT_EQ(SmazatZaznamyMimoSkupiny(m, n, chyby, Anglicky(), ano), 3);
    EXPECT_EQ(Cile(m), (S{"A", "B", "B", "A"}));
    for (const auto& z : m.zaznam) EXPECT_EQ(z.poradi, 1);  // station 2 became 1
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1}));
    EXPECT_EQ(m.kontrola[kontrola::kCilJeStanovisko], 0);
    EXPECT_EQ(chyby.suroveMereniPocetChyb.cislo_cil, "0");
    EXPECT_EQ(PocetZaznamuMimoSkupiny(m), 0);
}

}  // namespace
}  // namespace vertano
