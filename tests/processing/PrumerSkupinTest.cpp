#include <gtest/gtest.h>

#include "processing/PrumerSkupin.h"
#include "processing/SkupinyTestPomocne.h"

namespace vertano {
namespace {

using namespace testskupiny;
using V = std::vector<int32_t>;

Tzaznam Prumer(int32_t poradi, int32_t skupina, const std::string& cil, Real smerGon, Real zenitGon,
               Real delka) {
    Tzaznam z = Radek(poradi, cil, smerGon, zenitGon, delka);
    z.skupina = skupina;
    return z;
}

TEST(PrumerSkupin, DirectionsAcrossZeroAverageToZero) {
    Tmereni m =
        Seznam({Prumer(1, 1, "A", 399.9990L, 100, 100), Prumer(1, 2, "A", 0.0010L, 100, 100)});
    ASSERT_TRUE(PrumerSkupin(m));
    ASSERT_EQ(m.zaznam.size(), 1u);
    EXPECT_NEAR(static_cast<double>(RozdilSmeru(m.zaznam[0].smer, 0)), 0, 1e-12);
    EXPECT_GE(m.zaznam[0].smer, 0);
    EXPECT_LT(m.zaznam[0].smer, kDvePi);

    Tmereni druha =
        Seznam({Prumer(1, 1, "A", 0.0010L, 100, 100), Prumer(1, 2, "A", 399.9970L, 100, 100)});
    ASSERT_TRUE(PrumerSkupin(druha));
    EXPECT_NEAR(static_cast<double>(druha.zaznam[0].smer - Gon(399.9990L)), 0, 1e-12);
}

TEST(PrumerSkupin, DistancesOnlyOverRowsThatHaveOne) {
    Tmereni m = Seznam({Prumer(1, 1, "A", 10, 100, 0), Prumer(1, 1, "B", 20, 100, 50),
                        Prumer(1, 2, "A", 10, 100, 100.02L), Prumer(1, 2, "B", 20, 100, 0),
                        Prumer(1, 3, "A", 10, 100, 100.04L), Prumer(1, 3, "B", 20, 101, 0)});
    ASSERT_TRUE(PrumerSkupin(m));
    ASSERT_EQ(Cile(m), (std::vector<std::string>{"A", "B"}));
    EXPECT_NEAR(static_cast<double>(m.zaznam[0].delka - 100.03L), 0, 1e-9);
    EXPECT_EQ(m.zaznam[0].vaha_delka, 2);
    EXPECT_EQ(m.zaznam[0].vaha_smer, 3);
    EXPECT_EQ(m.zaznam[1].delka, 50);
    EXPECT_EQ(m.zaznam[1].vaha_delka, 1);
    EXPECT_NEAR(static_cast<double>(m.zaznam[1].zenit - Gon(100 + 1.0L / 3)), 0, 1e-12);
    EXPECT_EQ(m.zaznam[1].vaha_zenit, 3);
}

TEST(PrumerSkupin, StationsMergeSeparatelyAndAreRenumbered) {
    // Station numbers 1 and 3: the missing 2 must not bring station 1's rows back.
    Tmereni m = Seznam({Prumer(1, 1, "A", 10, 100, 100), Prumer(1, 2, "A", 10.002L, 100, 100),
                        Prumer(3, 1, "A", 50, 100, 80), Prumer(3, 1, "B", 60, 100, 90),
                        Prumer(3, 2, "A", 50.004L, 100, 80), Prumer(3, 2, "B", 60, 100, 90)});
    ASSERT_TRUE(PrumerSkupin(m));
    ASSERT_EQ(Cile(m), (std::vector<std::string>{"A", "A", "B"}));
    EXPECT_EQ(m.zaznam[0].poradi, 1);
    EXPECT_EQ(m.zaznam[1].poradi, 2);
    EXPECT_EQ(m.zaznam[2].poradi, 2);
    EXPECT_NEAR(static_cast<double>(m.zaznam[0].smer - Gon(10.001L)), 0, 1e-12);
    EXPECT_EQ(m.zaznam[0].vaha_smer, 2);  // merged once, not again for the missing station
    EXPECT_NEAR(static_cast<double>(m.zaznam[1].smer - Gon(50.002L)), 0, 1e-12);
    EXPECT_EQ(m.zaznam[1].delka, 80);
}

TEST(PrumerSkupinNaStanovisku, MergesInPlaceAndRenumbersSets) {
    Tmereni m = Seznam({Prumer(1, 2, "A", 10, 100, 100), Prumer(1, 3, "B", 20, 100, 100),
                        Prumer(1, 3, "A", 10.002L, 100, 100), Prumer(2, 1, "A", 99, 100, 10)});
    ASSERT_TRUE(PrumerSkupinNaStanovisku(m, 0, 2));
    ASSERT_EQ(m.zaznam.size(), 4u);
    EXPECT_FALSE(m.zaznam[2].JePlny());  // merged into row 0
    EXPECT_EQ(Skupiny(m), (V{2, 3, 0, 1}));
    EXPECT_NEAR(static_cast<double>(m.zaznam[0].smer - Gon(10.001L)), 0, 1e-12);
    EXPECT_EQ(m.zaznam[3].smer, Gon(99));              // outside the range
    EXPECT_TRUE(PrumerSkupinNaStanovisku(m, 10, 20));  // nothing there
}

}  // namespace
}  // namespace vertano
