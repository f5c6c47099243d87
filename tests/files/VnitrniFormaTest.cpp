#include <gtest/gtest.h>

#include "files/RawTestSupport.h"
#include "files/VnitrniForma.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

using test::Lines;

TEST(VnitrniForma, DeviationsAreWrittenUpToTheLastSetOne) {
    Tmereni m;
    m.PridejZaznam(test::Row(1, "A", 1.5, "B", 1.6L, 100, 100, 0));
    m.zaznam[0].smer = 1.5L;
    m.zaznam[0].zenit = 1.25L;
    Tzaznam z = m.zaznam[0];
    z.sig_zenit = 0.0001L;
    m.PridejZaznam(z);
    z.sig_zenit = -1;
    z.sig_smer = 2e-5L;
    m.PridejZaznam(z);
    z.sig_delka = 0.002L;
    m.PridejZaznam(z);
    m.PridejPrazdnyZaznam();
    Lines l;
    ASSERT_TRUE(UlozDoStringList(m, l).ok);
    EXPECT_EQ(
        l, (Lines{"1 A 1.5 B 1.6 1.5 1.25 0", "1 A 1.5 B 1.6 1.5 1.25 0 0 0.0001",
                  "1 A 1.5 B 1.6 1.5 1.25 0 0.00002", "1 A 1.5 B 1.6 1.5 1.25 0 0.00002 0 0.002"}));
    Tmereni back;
    ASSERT_TRUE(ReadVnitrniForma(l, back).ok);
    ASSERT_EQ(back.zaznam.size(), 4u);
    EXPECT_EQ(back.zaznam[1].sig_smer, -1);
    EXPECT_EQ(back.zaznam[1].sig_zenit, 0.0001L);
    EXPECT_EQ(back.zaznam[2].sig_smer, 0.00002L);
    EXPECT_EQ(back.zaznam[3].sig_zenit, -1);
    EXPECT_EQ(back.zaznam[3].sig_delka, 0.002L);
    EXPECT_EQ(back.zaznam[3].zenit, 1.25L);
}

TEST(VnitrniForma, ReadingChecksCountsAndLeavesImplausibleDeviationsUnset) {
    Tmereni m;
    ASSERT_TRUE(ReadVnitrniForma({"1 A 1 B 1 1 1 0 0.2 -0.1 100"}, m).ok);
    EXPECT_EQ(m.zaznam[0].sig_smer, -1);   // not below pi/20
    EXPECT_EQ(m.zaznam[0].sig_zenit, -1);  // not positive
    EXPECT_EQ(m.zaznam[0].sig_delka, -1);  // not below 100 m
    RawFileResult r = ReadVnitrniForma({"1 A 1 B 1 1 1 0", "1 A 1 B 1 1 1"}, m);
    EXPECT_EQ(r.error, RawFileError::WrongTokenCount);
    EXPECT_EQ(r.counter, 2);
    EXPECT_TRUE(m.zaznam.empty());
    r = ReadVnitrniForma({"1 A 1 B 1 1 1 0 0 0 0 0"}, m);
    EXPECT_EQ(r.error, RawFileError::WrongTokenCount);
    r = ReadVnitrniForma({"1 A 1 B 1 1 1 0 x"}, m);
    EXPECT_EQ(r.error, RawFileError::BadNumber);
    r = ReadVnitrniForma({"1 A 1 B 1 1 1 0", "1 A 2 B 1 1 1 0"}, m);
    EXPECT_EQ(r.error, RawFileError::InconsistentInstrumentHeight);
}

TEST(VnitrniForma, TinyValuesAreWrittenAsZeroAndUnwritableRowsFail) {
    Tmereni m;
    m.PridejZaznam(test::Row(1, "A", 1.5, "B", 1.6L, 0, 100, 0));
    m.zaznam[0].smer = 4e-13L;
    m.zaznam[0].sig_smer = 1e-14L;
    Lines l;
    ASSERT_TRUE(UlozDoStringList(m, l).ok);
    // Every digit the value needs to read back exactly.
    EXPECT_EQ(l[0], "1 A 1.5 B 1.6 0 1.5707963267948966191 0 0");
    Tmereni back;
    EXPECT_TRUE(ReadVnitrniForma(l, back).ok);
    m.zaznam[0].zenit = std::numeric_limits<Real>::infinity();
    const RawFileResult r = UlozDoStringList(m, l);
    EXPECT_EQ(r.error, RawFileError::UnwritableValue);
    EXPECT_TRUE(l.empty());
}

TEST(VnitrniForma, PridejMereniContinuesStationsAndIsAllOrNothing) {
    Tmereni m = test::SmallNetwork();
    Lines l;
    ASSERT_TRUE(UlozDoStringList(m, l).ok);
    l[0] += " 0.0001 0.0002 0.003 9";  // only eight values are read
    const RawFileResult r = PridejMereni(m, l, 7);
    ASSERT_TRUE(r.ok) << DescribeRawFailure(r);
    ASSERT_EQ(m.zaznam.size(), 10u);
    EXPECT_EQ(m.zaznam[5].poradi, 3);
    EXPECT_EQ(m.zaznam[9].poradi, 4);
    EXPECT_EQ(m.zaznam[9].soubor, 7);
    EXPECT_EQ(m.zaznam[5].sig_smer, -1);
    EXPECT_EQ(m.zaznam[0].soubor, 0);
    const RawFileResult bad = PridejMereni(m, {"1 A 1 B 1 1 1 0", "1 A 1 B"}, 8);
    EXPECT_EQ(bad.error, RawFileError::WrongTokenCount);
    EXPECT_EQ(bad.counter, 2);
    EXPECT_EQ(m.zaznam.size(), 10u);
}

TEST(VnitrniForma, DecimalCommaLocaleKeepsPoints) {
    test::LocaleGuard guard("cs_CZ.UTF-8");
    ASSERT_TRUE(guard.Active());
    Lines l;
    ASSERT_TRUE(UlozDoStringList(test::SmallNetwork(), l).ok);
    EXPECT_EQ(l[0].find(','), std::string::npos);
    Tmereni back;
    ASSERT_TRUE(ReadVnitrniForma(l, back).ok);
    EXPECT_EQ(back.zaznam[0].vyska_stn, 1.562L);
}

}  // namespace
}  // namespace vertano
