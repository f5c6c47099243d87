#include <gtest/gtest.h>

#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"
#include "processing/SkupinyTestPomocne.h"

namespace vertano {
namespace {

using namespace testskupiny;
using V = std::vector<int32_t>;

constexpr double kUhel = 1e-12;  // rad
constexpr double kDelka = 1e-9;  // m

double Rozdil(Real a, Real b) {
    return static_cast<double>(a - b);
}

RedukcePolohy Redukce(Real sI, Real zI, Real dI, Real sII, Real zII, Real dII) {
    return RedukovatDvojici(Radek(1, "A", sI, zI, dI), Radek(1, "A", sII, zII, dII));
}

TEST(RedukovatDvojici, DirectionDifferenceAndMean) {
    const RedukcePolohy r = Redukce(10, 100, 100, 210.0020L, 300, 100);
    EXPECT_NEAR(Rozdil(r[redukce::kRozdilSmer], Gon(0.0020L)), 0, kUhel);
    EXPECT_NEAR(Rozdil(r[redukce::kPrumerSmer], Gon(10.0010L)), 0, kUhel);
}

TEST(RedukovatDvojici, DirectionsWrappingThroughZero) {
    const RedukcePolohy r = Redukce(399.9995L, 100, 100, 200.0005L, 300, 100);
    EXPECT_NEAR(Rozdil(r[redukce::kRozdilSmer], Gon(0.0010L)), 0, kUhel);
    EXPECT_NEAR(static_cast<double>(RozdilSmeru(r[redukce::kPrumerSmer], 0)), 0, kUhel);
    EXPECT_GE(r[redukce::kPrumerSmer], 0);
    EXPECT_LT(r[redukce::kPrumerSmer], kDvePi);
    // The other way round: face II just below 200 gon, face I just above zero.
    const RedukcePolohy s = Redukce(0.0005L, 100, 100, 199.9985L, 300, 100);
    EXPECT_NEAR(Rozdil(s[redukce::kRozdilSmer], Gon(-0.0020L)), 0, kUhel);
    EXPECT_NEAR(Rozdil(s[redukce::kPrumerSmer], Gon(399.9995L)), 0, kUhel);
}

TEST(RedukovatDvojici, ZenithAndDistance) {
    const RedukcePolohy r = Redukce(10, 98, 152.346L, 210, 302, 152.350L);
    EXPECT_NEAR(Rozdil(r[redukce::kRozdilZenit], 0), 0, kUhel);
    EXPECT_NEAR(Rozdil(r[redukce::kPrumerZenit], Gon(98)), 0, kUhel);
    EXPECT_NEAR(Rozdil(r[redukce::kRozdilDelka], 0.004L), 0, kDelka);
    EXPECT_NEAR(Rozdil(r[redukce::kPrumerDelka], 152.348L), 0, kDelka);
    // Index error: face sum 399.9980 gon gives difference +0.0020 and the mean half-way.
    const RedukcePolohy i = Redukce(10, 98.0010L, 0, 210, 301.9970L, 0);
    EXPECT_NEAR(Rozdil(i[redukce::kRozdilZenit], Gon(0.0020L)), 0, kUhel);
    EXPECT_NEAR(Rozdil(i[redukce::kPrumerZenit], Gon(98.0020L)), 0, kUhel);
    EXPECT_EQ(i[redukce::kPrumerDelka], 0);
}

TEST(RedukovatDvojici, OneSidedDistanceIsNotHalved) {
    const RedukcePolohy r = Redukce(10, 100, 0, 210, 300, 152.35L);
    EXPECT_EQ(r[redukce::kRozdilDelka], 152.35L);
    EXPECT_EQ(r[redukce::kPrumerDelka], 152.35L);
    EXPECT_EQ(Redukce(10, 100, 152.35L, 210, 300, 0)[redukce::kPrumerDelka], 152.35L);
}

// One station, targets 1, 2, 3 in two sets, both faces; target 1 lies across zero.
// Values in gon and metres.
struct Pozorovani {
    const char* cil;
    Real smer, zenit, delka;
};
const Pozorovani kSurova[] = {
    {"1", 399.9996L, 98.1234L, 152.3456L},  {"2", 87.4321L, 101.2345L, 245.6789L},
    {"3", 210.5678L, 95.4321L, 98.7654L},   {"3", 10.5690L, 304.5661L, 98.7660L},
    {"2", 287.4335L, 298.7637L, 245.6783L}, {"1", 199.9998L, 301.8750L, 152.3462L},
    {"1", 0.0002L, 98.1240L, 152.3450L},    {"2", 87.4327L, 101.2351L, 245.6795L},
    {"3", 210.5690L, 95.4315L, 98.7650L},   {"3", 10.5700L, 304.5667L, 98.7656L},
    {"2", 287.4333L, 298.7643L, 245.6791L}, {"1", 200.0004L, 301.8752L, 152.3448L},
};
// Face differences and means per pair, in the order of the face I rows.
const Pozorovani kRozdily[] = {
    {"1", 0.0002L, 0.0016L, 0.0006L},  {"2", 0.0014L, 0.0018L, -0.0006L},
    {"3", 0.0012L, 0.0018L, 0.0006L},  {"1", 0.0002L, 0.0008L, -0.0002L},
    {"2", 0.0006L, 0.0006L, -0.0004L}, {"3", 0.0010L, 0.0018L, 0.0006L},
};
const Pozorovani kPrumery[] = {
    {"1", 399.9997L, 98.1242L, 152.3459L}, {"2", 87.4328L, 101.2354L, 245.6786L},
    {"3", 210.5684L, 95.4330L, 98.7657L},  {"1", 0.0003L, 98.1244L, 152.3449L},
    {"2", 87.4330L, 101.2354L, 245.6793L}, {"3", 210.5695L, 95.4324L, 98.7653L},
};
const Pozorovani kPrumerySkupin[] = {
    {"1", 0, 98.1243L, 152.3454L},
    {"2", 87.4329L, 101.2354L, 245.67895L},
    {"3", 210.56895L, 95.4327L, 98.7655L},
};

Tmereni RealneStanovisko() {
    Tmereni m;
    for (const Pozorovani& p : kSurova) m.PridejZaznam(Radek(1, p.cil, p.smer, p.zenit, p.delka));
    return m;
}

void OcekavatHodnoty(const Tmereni& m, const Pozorovani* ocekavane, size_t pocet) {
    ASSERT_EQ(m.zaznam.size(), pocet);
    for (size_t i = 0; i < pocet; ++i) {
        const Tzaznam& z = m.zaznam[i];
        EXPECT_EQ(z.cislo_cil, ocekavane[i].cil) << i;
        EXPECT_NEAR(static_cast<double>(RozdilSmeru(z.smer, Gon(ocekavane[i].smer))), 0, kUhel)
            << i;
        EXPECT_NEAR(Rozdil(z.zenit, Gon(ocekavane[i].zenit)), 0, kUhel) << i;
        EXPECT_NEAR(Rozdil(z.delka, ocekavane[i].delka), 0, kDelka) << i;
    }
}

TEST(RealneStanovisko, SetsPairsFaceDifferencesMeansAndSetMeans) {
    Tmereni surova = RealneStanovisko();
    Tchyby chyby;
    const Tnastaveni n = VychoziNastaveni();
    IdentifikujSkupiny(surova);
    KontrolaMereni(surova, n, chyby, false);
    EXPECT_EQ(Skupiny(surova), (V{1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(chyby.suroveMereniCekovyPocetChyb, 0);

    PoradiPrvniDruhaPoloha(surova);
    const V prvni{0, 1, 2, 2, 1, 0, 6, 7, 8, 8, 7, 6};
    for (size_t i = 0; i < prvni.size(); ++i) EXPECT_EQ(surova.zaznam[i].iPrvni, prvni[i]) << i;
    EXPECT_EQ(surova.zaznam[4].iDruha, 4);

    Tmereni rozdily;
    ASSERT_TRUE(ZpracujSkupinyPoloha(surova, rozdily, 1));
    OcekavatHodnoty(rozdily, kRozdily, std::size(kRozdily));

    Tmereni prumery;
    ASSERT_TRUE(ZpracujSkupinyPoloha(surova, prumery, 2));
    OcekavatHodnoty(prumery, kPrumery, std::size(kPrumery));
    EXPECT_EQ(prumery.zaznam[4].iPrvni, 7);
    EXPECT_EQ(prumery.zaznam[4].iDruha, 10);
    EXPECT_EQ(Skupiny(prumery), (V{1, 1, 1, 2, 2, 2}));

    // The standard deviations come from the raw row of the pair.
    surova.zaznam[7].sig_smer = 0.25L;
    prumery.KopirovatSmerodatneOdchylky(surova);
    EXPECT_EQ(prumery.zaznam[4].sig_smer, 0.25L);

    ASSERT_TRUE(PrumerSkupin(prumery));
    OcekavatHodnoty(prumery, kPrumerySkupin, std::size(kPrumerySkupin));
    for (const auto& z : prumery.zaznam) {
        EXPECT_EQ(z.vaha_smer, 2);
        EXPECT_EQ(z.vaha_zenit, 2);
        EXPECT_EQ(z.vaha_delka, 2);
        EXPECT_GE(z.smer, 0);
        EXPECT_LT(z.smer, kDvePi);
    }
}

TEST(ZpracujSkupinyPoloha, UsesCurrentValuesWhateverTheCheckRunDid) {
    Tmereni surova = RealneStanovisko();
    IdentifikujSkupiny(surova);
    // No check run: the stored reductions are still the blank -1.
    ASSERT_EQ(surova.zaznam[0].zapracovaniPoloha[redukce::kPrumerSmer], -1);
    Tmereni prumery;
    ASSERT_TRUE(ZpracujSkupinyPoloha(surova, prumery, 2));
    OcekavatHodnoty(prumery, kPrumery, std::size(kPrumery));
    EXPECT_NEAR(Rozdil(prumery.zaznam[0].zapracovaniPoloha[redukce::kRozdilZenit], Gon(0.0016L)), 0,
                kUhel);

    // An edited value counts at once.
    surova.zaznam[1].smer = Gon(87.4301L);
    ASSERT_TRUE(ZpracujSkupinyPoloha(surova, surova, 1));  // in place
    EXPECT_NEAR(Rozdil(surova.zaznam[1].smer, Gon(0.0034L)), 0, kUhel);
    EXPECT_EQ(surova.zaznam.size(), 6u);
}

TEST(ZpracujSkupinyPoloha, RowsOutsideSetsAreLeftOut) {
    Tmereni surova = Seznam({PrvniPoloha(1, "X"), PrvniPoloha(1, "A"), PrvniPoloha(1, "B"),
                             DruhaPoloha(1, "B"), DruhaPoloha(1, "A"), DruhaPoloha(1, "Y")});
    IdentifikujSkupiny(surova);
    Tmereni prumery;
    prumery.kontrola.fill(3);
    ASSERT_TRUE(ZpracujSkupinyPoloha(surova, prumery, 2));
    EXPECT_EQ(Cile(prumery), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(prumery.kontrola[0], 0);
}

TEST(RedukcePoloh, FillsBothRowsOfEveryPair) {
    Tmereni surova = RealneStanovisko();
    IdentifikujSkupiny(surova);
    ASSERT_TRUE(RedukcePoloh(surova));
    for (size_t i = 0; i < 6; ++i) {
        const auto& a = surova.zaznam[i].zapracovaniPoloha;
        const auto& b = surova.zaznam[5 - i].zapracovaniPoloha;
        EXPECT_EQ(a, b) << i;
        EXPECT_NEAR(Rozdil(a[redukce::kRozdilDelka], kRozdily[std::min(i, 5 - i)].delka), 0,
                    kDelka);
    }
    for (const auto& z : surova.zaznam) EXPECT_FALSE(z.MaKontrolu());
}

}  // namespace
}  // namespace vertano
