#include <gtest/gtest.h>

#include "processing/IdentifikaceSkupin.h"
#include "processing/Polohy.h"
#include "processing/SkupinyTestPomocne.h"

namespace vertano {
namespace {

using namespace testskupiny;
using V = std::vector<int32_t>;

Tmereni Stanovisko(const std::string& poradi) {
    // "A B | B A": targets in face I; each "|" switches to the other face.
    Tmereni m;
    bool prvni = true;
    std::string cil;
    for (const char c : poradi + " ") {
        if (c == '|') {
            prvni = !prvni;
        } else if (c == ' ') {
            if (!cil.empty()) m.PridejZaznam(prvni ? PrvniPoloha(1, cil) : DruhaPoloha(1, cil));
            cil.clear();
        } else {
            cil += c;
        }
    }
    return m;
}

V Identifikovat(Tmereni m) {
    IdentifikaceSkupinNaStanovisku(m, 0, static_cast<int32_t>(m.zaznam.size()) - 1);
    return Skupiny(m);
}

TEST(IdentifikaceSkupin, StandardOrderNeedsTheTargetsReversed) {
    EXPECT_EQ(Identifikovat(Stanovisko("A B | B A")), (V{1, 1, 1, 1}));
    EXPECT_EQ(Identifikovat(Stanovisko("A B | A B")), (V{0, 0, 0, 0}));
    EXPECT_EQ(Identifikovat(Stanovisko("A B C | C B A | A B C | C B A")),
              (V{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2}));
}

TEST(IdentifikaceSkupin, TooFewOrRepeatedTargetsGiveNoSet) {
    EXPECT_EQ(Identifikovat(Stanovisko("A B | B")), (V{0, 0, 0}));
    EXPECT_EQ(Identifikovat(Stanovisko("A | A")), (V{0, 0}));
    EXPECT_EQ(Identifikovat(Stanovisko("A | A | B | B")), (V{0, 0, 0, 0}));
    EXPECT_EQ(Identifikovat(Stanovisko("A A | A A")), (V{0, 0, 0, 0}));
    // Names are compared exactly: "a" is another point than "A".
    EXPECT_EQ(Identifikovat(Stanovisko("A B | B a")), (V{0, 0, 0, 0}));
}

TEST(IdentifikaceSkupin, RowsAroundASetStayOutside) {
    EXPECT_EQ(Identifikovat(Stanovisko("A B | B A D")), (V{1, 1, 1, 1, 0}));
    // A stray pointing before the set: the set starts at the next row.
    EXPECT_EQ(Identifikovat(Stanovisko("X A B | B A")), (V{0, 1, 1, 1, 1}));
    // The surplus of the second run starts the next set in the other face.
    EXPECT_EQ(Identifikovat(Stanovisko("A B | B A C D | D C")), (V{1, 1, 1, 1, 2, 2, 2, 2}));
    // Repeated target early in a run: the set starts after the repetition.
    EXPECT_EQ(Identifikovat(Stanovisko("B A B | B A")), (V{0, 1, 1, 1, 1}));
}

TEST(IdentifikaceSkupin, SetStartingWithFaceTwo) {
    Tmereni m = Seznam(
        {DruhaPoloha(1, "A"), DruhaPoloha(1, "B"), PrvniPoloha(1, "B"), PrvniPoloha(1, "A")});
    EXPECT_EQ(Identifikovat(m), (V{1, 1, 1, 1}));
}

TEST(IdentifikaceSkupin, FaceFollowsTheZenithAngle) {
    Tmereni m = Stanovisko("A B | B A");
    for (auto& z : m.zaznam) z.poloha = !z.poloha;  // stale faces are recomputed
    m.zaznam[0].zenit = kPi;                        // exactly pi is face I
    IdentifikaceSkupinNaStanovisku(m, 0, 3);
    EXPECT_EQ(Polohy(m), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1}));
}

TEST(IdentifikaceSkupin, SimultaneousOrder) {
    Tmereni m = Seznam({PrvniPoloha(1, "A"), DruhaPoloha(1, "A"), DruhaPoloha(1, "B"),
                        PrvniPoloha(1, "B"), PrvniPoloha(1, "C"), DruhaPoloha(1, "C"),
                        PrvniPoloha(1, "A"), DruhaPoloha(1, "A"), PrvniPoloha(1, "D")});
    IdentifikaceSkupinNaStanoviskuPrniDruhaZaSebou(m, 0, 8);
    // A repeated target closes the set; the second A starts nothing on its own.
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1, 1, 1, 0, 0, 0}));

    Tmereni jeden = Seznam(
        {PrvniPoloha(1, "A"), DruhaPoloha(1, "A"), PrvniPoloha(1, "B"), PrvniPoloha(1, "B")});
    IdentifikaceSkupinNaStanoviskuPrniDruhaZaSebou(jeden, 0, 3);
    EXPECT_EQ(Skupiny(jeden), (V{0, 0, 0, 0}));  // one target is no set
}

TEST(IdentifikujSkupiny, OnlyStationsWithUncheckedRowsAreIdentified) {
    Tmereni m = Stanovisko("A B | B A");
    Tmereni druhe = Stanovisko("A B | B A");
    for (auto& z : druhe.zaznam) z.poradi = 2;
    m.PridejMereniBezZmen(druhe);
    for (auto& z : m.zaznam) {
        z.skupina = 7;
        z.jeZkontrolovano = true;
    }
    m.zaznam[5].jeZkontrolovano = false;  // one row of station 2
    IdentifikujSkupiny(m);
    EXPECT_EQ(Skupiny(m), (V{7, 7, 7, 7, 1, 1, 1, 1}));
}

TEST(IdentifikujSkupiny, TrailingEmptyRowsGoAndStationsAreRenumbered) {
    Tmereni m = Stanovisko("A B | B A");
    for (auto& z : m.zaznam) z.poradi = 5;
    m.PridejPrazdnyZaznam();
    m.PridejPrazdnyZaznam();
    IdentifikujSkupiny(m);
    ASSERT_EQ(m.zaznam.size(), 4u);
    EXPECT_EQ(m.zaznam[0].poradi, 1);
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1}));
}

TEST(IdentifikujSkupiny, NumberingRestartsAtEveryStation) {
    Tmereni m = Stanovisko("A B | B A C D | D C");
    Tmereni druhe = Stanovisko("E F | F E");
    for (auto& z : druhe.zaznam) z.poradi = 2;
    m.PridejMereniBezZmen(druhe);
    IdentifikujSkupiny(m);
    EXPECT_EQ(Skupiny(m), (V{1, 1, 1, 1, 2, 2, 2, 2, 1, 1, 1, 1}));
}

TEST(PoradiPrvniDruhaPoloha, PairsRunFromBothEndsOfASet) {
    Tmereni m = Stanovisko("X A B C | C B A");
    IdentifikaceSkupinNaStanovisku(m, 0, 6);
    PoradiPrvniDruhaPoloha(m);
    const V prvni{-1, 1, 2, 3, 3, 2, 1};
    const V druha{-1, 6, 5, 4, 4, 5, 6};
    for (size_t i = 0; i < m.zaznam.size(); ++i) {
        EXPECT_EQ(m.zaznam[i].iPrvni, prvni[i]) << i;
        EXPECT_EQ(m.zaznam[i].iDruha, druha[i]) << i;
        if (i > 0) {
            EXPECT_EQ(m.zaznam[i].cislo_cil, m.zaznam[size_t(druha[i])].cislo_cil);
        }
    }
}

}  // namespace
}  // namespace vertano
