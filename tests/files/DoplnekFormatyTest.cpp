#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "files/DoplnekFormaty.h"
#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/DoplnekTestPomocne.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

using test::Doplnek;
using test::VychoziNastaveni;

// Half a unit of the last written decimal, in radians or metres.
Real TolerancePsani(DruhDoplnku druh, const Tnastaveni& n) {
    if (druh == DruhDoplnku::Smernik) {
        const Real pul = 0.5L * std::pow(10.0L, -n.presnost.uhel.hodnota);
        switch (n.jednotky.uhel) {
            case jednotka::kGon:
                return pul * kPi / 200;
            case jednotka::kStupen:
                return pul * kPi / 180;
            case jednotka::kDms:
                // D.MMSS with 5 decimals: the last one is a tenth of a second.
                return pul * 1e4L / 3600 * kPi / 180;
            default:
                return pul;
        }
    }
    const Real pul = 0.5L * std::pow(10.0L, -n.presnost.delka.hodnota);
    return n.jednotky.delka == jednotka::kStopa ? pul * kStopaVMetrech : pul;
}

Tmereni Vzorek(DruhDoplnku druh) {
    Tmereni m;
    switch (druh) {
        case DruhDoplnku::Smernik:
            for (const Real v : {0.0L, 0.001L, 1.2345678901L, 3.9L, 6.2831L}) {
                m.PridejZaznam(Doplnek(m.PocetPlnychZaznamu() + 1, "A", "B7", v));
            }
            break;
        case DruhDoplnku::Delka:
            m.PridejZaznam(Doplnek(1, "S1", "T1", 123.45678L, 1.55L, 0));
            m.PridejZaznam(Doplnek(2, "S1", "T2", 0.5L, 0, 1.9L));
            m.PridejZaznam(Doplnek(3, "T2", "S1", 1999.9999L, 1.6019L, 1.3L));
            break;
        case DruhDoplnku::Prevyseni:
            for (const Real v : {-12.34567L, 0.0L, 99.9999L}) {
                m.PridejZaznam(Doplnek(m.PocetPlnychZaznamu() + 1, "P1", "P2", v));
            }
            break;
        case DruhDoplnku::Provazeni:
            m.PridejZaznam(Doplnek(1, "Z1", "Z2", -1));
            m.PridejZaznam(Doplnek(2, "Z2", "Z3.a", -1));
            break;
        case DruhDoplnku::Zadny:
            break;
    }
    return m;
}

class SupplementaryRoundTrip : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(SupplementaryRoundTrip, WrittenListReadsBackWithinTheWrittenDecimals) {
    const auto [kod, uhel, delka] = GetParam();
    const DruhDoplnku druh = DruhZKodu(kod);
    Tnastaveni n = VychoziNastaveni();
    n.jednotky.uhel = static_cast<uint8_t>(uhel);
    n.jednotky.delka = static_cast<uint8_t>(delka);
    const Tmereni vzorek = Vzorek(druh);
    std::vector<std::string> text;
    ASSERT_TRUE(WriteSupplementary(druh, vzorek, n, text).ok);
    ASSERT_EQ(text.size(), vzorek.zaznam.size());

    Tmereni zpet;
    const SupplementaryFileResult r = ReadSupplementary(druh, text, n, zpet);
    ASSERT_TRUE(r.ok) << DescribeSupplementaryFailure(r);
    ASSERT_EQ(r.counter, static_cast<int32_t>(vzorek.zaznam.size()));
    ASSERT_EQ(zpet.zaznam.size(), vzorek.zaznam.size());
    const Real tol = TolerancePsani(druh, n);
    const Real tolVyska = TolerancePsani(DruhDoplnku::Delka, n);
    for (std::size_t i = 0; i < zpet.zaznam.size(); ++i) {
        const Tzaznam& a = vzorek.zaznam[i];
        const Tzaznam& b = zpet.zaznam[i];
        SCOPED_TRACE(text[i]);
        EXPECT_EQ(b.poradi, static_cast<int32_t>(i + 1));
        EXPECT_EQ(b.cislo_stn, a.cislo_stn);
        EXPECT_EQ(b.cislo_cil, a.cislo_cil);
        EXPECT_FALSE(b.MaKontrolu());
        EXPECT_EQ(b.sig_delka, -1);
        if (druh == DruhDoplnku::Provazeni) continue;
        EXPECT_NEAR(b.delka, a.delka, tol * 1.0001L);
        if (druh != DruhDoplnku::Delka) continue;
        EXPECT_NEAR(b.vyska_stn, a.vyska_stn, tolVyska * 1.0001L);
        EXPECT_NEAR(b.vyska_cil, a.vyska_cil, tolVyska * 1.0001L);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKindAndUnit, SupplementaryRoundTrip,
    ::testing::Combine(::testing::Values(DruhDoplnku::Smernik, DruhDoplnku::Delka,
                                         DruhDoplnku::Prevyseni, DruhDoplnku::Provazeni),
                       ::testing::Values(0, 1, 2, 3), ::testing::Values(0, 1)));

TEST(SupplementaryRead, BadLineRejectsTheFileWithItsNumberAmongNonBlankLines) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "old", "row", 1));
    const SupplementaryFileResult r =
        ReadSupplementary(DruhDoplnku::Smernik, {"", "A B 100", "   ", "C D 100 7", "E F 1"}, n, m);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, SupplementaryFileError::WrongTokenCount);
    EXPECT_EQ(r.counter, 2);
    EXPECT_EQ(r.fileLine, 4);
    EXPECT_TRUE(m.zaznam.empty());
    EXPECT_NE(DescribeSupplementaryFailure(r).find("line 2 (line 4 of the file)"),
              std::string::npos);
}

// The same description as the raw measurement and coordinate files give.
TEST(SupplementaryRead, OutOfRangeNumberIsDescribedWithWhatIsAllowed) {
    Tmereni m;
    const SupplementaryFileResult r = ReadSupplementary(
        DruhDoplnku::Prevyseni, {"A B 1", "", "C D 1e-13"}, VychoziNastaveni(), m);
    EXPECT_EQ(r.error, SupplementaryFileError::NumberOutOfRange);
    EXPECT_EQ(DescribeSupplementaryFailure(r),
              "line 2 (line 3 of the file): number out of range: 1e-13 (allowed: " +
                  std::string(kNumberRange) + ")");
}

TEST(SupplementaryRead, FieldCountsAreExactForEveryKind) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    EXPECT_FALSE(ReadSupplementary(DruhDoplnku::Delka, {"S 1.5 T 1.6"}, n, m).ok);
    EXPECT_FALSE(ReadSupplementary(DruhDoplnku::Delka, {"S 1.5 T 1.6 100 2"}, n, m).ok);
    EXPECT_TRUE(ReadSupplementary(DruhDoplnku::Delka, {"S 1.5 T 1.6 100"}, n, m).ok);
    EXPECT_FALSE(ReadSupplementary(DruhDoplnku::Prevyseni, {"A B"}, n, m).ok);
    EXPECT_FALSE(ReadSupplementary(DruhDoplnku::Provazeni, {"A B 0"}, n, m).ok);
    EXPECT_TRUE(ReadSupplementary(DruhDoplnku::Provazeni, {"A\tB"}, n, m).ok);
    EXPECT_EQ(ReadSupplementary(DruhDoplnku::Zadny, {"A B"}, n, m).error,
              SupplementaryFileError::UnknownKind);
}

TEST(SupplementaryRead, NumbersFollowTheParserRulesAndUnits) {
    Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    SupplementaryFileResult r = ReadSupplementary(DruhDoplnku::Prevyseni, {"A B 1e-13"}, n, m);
    EXPECT_EQ(r.error, SupplementaryFileError::NumberOutOfRange);
    EXPECT_EQ(r.detail, "1e-13");
    EXPECT_EQ(ReadSupplementary(DruhDoplnku::Prevyseni, {"A B 12x"}, n, m).error,
              SupplementaryFileError::BadNumber);
    ASSERT_TRUE(
        ReadSupplementary(DruhDoplnku::Prevyseni, {"A B 0", "C D -1,25", "E F 1e-12"}, n, m).ok);
    EXPECT_EQ(m.zaznam[0].delka, 0);
    EXPECT_EQ(m.zaznam[1].delka, -1.25L);
    EXPECT_EQ(m.zaznam[2].delka, 1e-12L);

    n.jednotky.delka = jednotka::kStopa;
    ASSERT_TRUE(ReadSupplementary(DruhDoplnku::Delka, {"S  5 \t T 0 100"}, n, m).ok);
    EXPECT_NEAR(m.zaznam[0].vyska_stn, 1.524L, 1e-15L);
    EXPECT_EQ(m.zaznam[0].vyska_cil, 0);
    EXPECT_NEAR(m.zaznam[0].delka, 30.48L, 1e-14L);
    EXPECT_EQ(m.zaznam[0].zkresleniDelky, 1);

    n.jednotky.uhel = jednotka::kDms;
    ASSERT_TRUE(ReadSupplementary(DruhDoplnku::Smernik, {"A B 12.3045"}, n, m).ok);
    EXPECT_NEAR(m.zaznam[0].delka, (12 + 30 / 60.0L + 45 / 3600.0L) * kPi / 180, 1e-17L);
}

TEST(SupplementaryRead, RowsAreCheckedAsTheyAreRead) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    ASSERT_TRUE(ReadSupplementary(DruhDoplnku::Smernik, {"A B 400", "C C 10", "a A 10"}, n, m).ok);
    // 400 gon is the full circle, not a valid bearing.
    EXPECT_NEAR(m.zaznam[0].delka, kDvePi, 1e-17L);
    EXPECT_TRUE(m.zaznam[0].kontrola[3]);
    EXPECT_TRUE(m.zaznam[1].kontrola[0]);
    // Point numbers differ by letter case: two points.
    EXPECT_FALSE(m.zaznam[2].MaKontrolu());
    Tnastaveni stupne = n;
    stupne.jednotky.uhel = jednotka::kStupen;
    ASSERT_TRUE(
        ReadSupplementary(DruhDoplnku::Smernik, {"A B 360", "A B 359.9999999"}, stupne, m).ok);
    EXPECT_TRUE(m.zaznam[0].kontrola[3]);
    EXPECT_FALSE(m.zaznam[1].kontrola[3]);
}

TEST(SupplementaryWrite, EveryFilledRowIsWrittenEvenAfterAnEmptyOne) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "A", "B", 1.5));
    m.PridejZaznam(Doplnek(2, "B", "C", -2));
    m.PridejPrazdnyZaznam();
    m.PridejZaznam(Doplnek(4, "C", "D", 0));
    m.PridejPrazdnyZaznam();
    std::vector<std::string> text;
    const SupplementaryFileResult r = WriteSupplementary(DruhDoplnku::Prevyseni, m, n, text);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.counter, 3);
    EXPECT_EQ(text, (std::vector<std::string>{"A B 1.5000", "B C -2.0000", "C D 0"}));
}

TEST(SupplementaryWrite, DistanceAndBearingLinesUseDisplayUnitsAndDecimals) {
    const test::LocaleGuard carka;  // a decimal-comma locale must not leak into files
    Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "S", "T", 100, 1.5, 0));
    std::vector<std::string> text;
    ASSERT_TRUE(WriteSupplementary(DruhDoplnku::Delka, m, n, text).ok);
    EXPECT_EQ(text, std::vector<std::string>{"S 1.5000 T 0 100.0000"});

    m.zaznam[0].delka = kPi / 2;
    ASSERT_TRUE(WriteSupplementary(DruhDoplnku::Smernik, m, n, text).ok);
    EXPECT_EQ(text, std::vector<std::string>{"S T 100.00000"});
    n.jednotky.uhel = jednotka::kDms;
    n.presnost.uhel.hodnota = 4;
    m.zaznam[0].delka = (12 + 30 / 60.0L + 45 / 3600.0L) * kPi / 180;
    ASSERT_TRUE(WriteSupplementary(DruhDoplnku::Smernik, m, n, text).ok);
    EXPECT_EQ(text, std::vector<std::string>{"S T 12.3045"});
}

TEST(SupplementaryWrite, BearingRoundingUpToTheFullCircleIsWrittenAsZero) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "A", "B", kDvePi - 1e-9L));
    std::vector<std::string> text;
    ASSERT_TRUE(WriteSupplementary(DruhDoplnku::Smernik, m, n, text).ok);
    EXPECT_EQ(text, std::vector<std::string>{"A B 0.00000"});
    Tmereni zpet;
    ASSERT_TRUE(ReadSupplementary(DruhDoplnku::Smernik, text, n, zpet).ok);
    EXPECT_FALSE(zpet.zaznam[0].MaKontrolu());

    // An invalid bearing is written as it is, so the error stays visible.
    m.zaznam[0].delka = kDvePi;
    ASSERT_TRUE(WriteSupplementary(DruhDoplnku::Smernik, m, n, text).ok);
    EXPECT_EQ(text, std::vector<std::string>{"A B 400.00000"});
}

TEST(SupplementaryWrite, RowsThatCannotBeReadBackFailTheWholeText) {
    const Tnastaveni n = VychoziNastaveni();
    Tmereni m;
    m.PridejZaznam(Doplnek(1, "A", "B", 1));
    m.PridejZaznam(Doplnek(2, "A 1", "B", 1));
    std::vector<std::string> text{"stale"};
    SupplementaryFileResult r = WriteSupplementary(DruhDoplnku::Prevyseni, m, n, text);
    EXPECT_EQ(r.error, SupplementaryFileError::UnwritableName);
    EXPECT_EQ(r.counter, 2);
    EXPECT_TRUE(text.empty());

    m.zaznam[1].cislo_stn = "A1";
    m.zaznam[1].vyska_cil = 1e13L;
    r = WriteSupplementary(DruhDoplnku::Delka, m, n, text);
    EXPECT_EQ(r.error, SupplementaryFileError::UnwritableValue);
    m.zaznam[1].vyska_cil = 0;
    m.zaznam[1].delka = std::nanl("");
    EXPECT_EQ(WriteSupplementary(DruhDoplnku::Prevyseni, m, n, text).error,
              SupplementaryFileError::UnwritableValue);
}

}  // namespace
}  // namespace vertano
