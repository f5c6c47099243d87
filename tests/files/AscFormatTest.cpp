#include <gtest/gtest.h>

#include "files/AscFormat.h"
#include "files/RawTestSupport.h"

namespace vertano {
namespace {

using test::Lines;
using test::Settings;

void ExpectRejected(const Lines& lines, RawFileError error, int32_t counter, int32_t fileLine) {
    Tmereni m;
    const RawFileResult r = ReadAsc(lines, Settings(), m);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, error) << DescribeRawFailure(r);
    EXPECT_EQ(r.counter, counter) << DescribeRawFailure(r);
    EXPECT_EQ(r.fileLine, fileLine);
    EXPECT_TRUE(m.zaznam.empty());
}

TEST(AscRead, BlocksBecomeStationsWithTheirHeights) {
    Tmereni m;
    const RawFileResult r =
        ReadAsc({"1 4001 1.562", "-1", "4002 152.3456 1.5 0 99.8765", "", "4003 0 73.2181 101.0042",
                 "/", "1 4002", "-1", "4001 152.3449 1.62 12.5 300.1232", "/", "-2"},
                Settings(), m);
    ASSERT_TRUE(r.ok) << DescribeRawFailure(r);
    EXPECT_EQ(r.counter, 3);
    ASSERT_EQ(m.zaznam.size(), 3u);
    EXPECT_EQ(m.zaznam[0].poradi, 1);
    EXPECT_EQ(m.zaznam[0].cislo_stn, "4001");
    EXPECT_EQ(m.zaznam[0].vyska_stn, 1.562L);
    EXPECT_EQ(m.zaznam[0].vyska_cil, 1.5L);
    EXPECT_EQ(m.zaznam[0].delka, 152.3456L);
    EXPECT_EQ(m.zaznam[1].vyska_cil, 0);  // four values: no target height
    EXPECT_FALSE(m.zaznam[1].MaDelku());
    EXPECT_NEAR(static_cast<double>(m.zaznam[1].smer), 73.2181 * static_cast<double>(kPi) / 200,
                1e-15);
    EXPECT_EQ(m.zaznam[2].poradi, 2);
    EXPECT_EQ(m.zaznam[2].vyska_stn, 0);  // header without a height
    EXPECT_FALSE(m.zaznam[2].poloha);
}

TEST(AscRead, EmptyBlockLeavesNoGapInStationNumbers) {
    Tmereni m;
    ASSERT_TRUE(
        ReadAsc({"1 A", "-1", "/", "1 B", "-1", "X 10 0 100", "/", "-2"}, Settings(), m).ok);
    ASSERT_EQ(m.zaznam.size(), 1u);
    EXPECT_EQ(m.zaznam[0].poradi, 1);
    EXPECT_EQ(m.zaznam[0].cislo_stn, "B");
}

TEST(AscRead, EveryRejectionNamesItsLine) {
    ExpectRejected({}, RawFileError::TooFewLines, 0, 0);
    Tmereni m;
    EXPECT_EQ(DescribeRawFailure(ReadAsc({"", "  "}, Settings(), m)),
              "too few lines (an ASC file ends with \"/\" and \"-2\"): the file is empty");
    ExpectRejected({"-2"}, RawFileError::TooFewLines, 1, 1);
    ExpectRejected({"1 A", "-1", "X 10 0 100", "", "-2"}, RawFileError::MissingBlockEnd, 4, 5);
    ExpectRejected({"1 A", "-1", "X 10 0 100", "/", "-3"}, RawFileError::MissingFileEnd, 5, 5);
    ExpectRejected({"2 A", "-1", "X 10 0 100", "/", "-2"}, RawFileError::MissingStationHeader, 1,
                   1);
    ExpectRejected({"1", "-1", "X 10 0 100", "/", "-2"}, RawFileError::TooFewTokens, 1, 1);
    ExpectRejected({"1 A", "-1", "X 10 0 100", "/", "X 10 0 100", "/", "-2"},
                   RawFileError::MissingStationHeader, 5, 5);
    ExpectRejected({"1 A", "", "-1", "X 10 100", "/", "-2"}, RawFileError::TooFewTokens, 3, 4);
    ExpectRejected({"1 A", "-1", "X 10 0 1e-13", "/", "-2"}, RawFileError::NumberOutOfRange, 3, 3);
    ExpectRejected({"1 A 1,5,", "-1", "X 10 0 100", "/", "-2"}, RawFileError::BadNumber, 1, 1);
    ExpectRejected({"1 A", "-1", "X 10 0 100", "/", "1 B x", "-1", "/", "-2"},
                   RawFileError::BadNumber, 5, 5);
    // a "/" right before the final one asks for a header where the end is
    ExpectRejected({"1 A", "-1", "X 10 0 100", "/", "/", "-2"}, RawFileError::MissingStationHeader,
                   5, 5);
}

TEST(AscRead, ExtraValuesAndAMissingEndAreRefusedAsSuch) {
    // A value the layout has no room for is refused, as MTX refuses it; the
    // line after a header holds its mark alone.
    ExpectRejected({"1 A", "-1 x", "X 10 0 100", "/", "-2"}, RawFileError::WrongTokenCount, 2, 2);
    ExpectRejected({"1 A", "-1", "X 10 0 100", "/", "1 B", "", "-1 10 0 100", "/", "-2"},
                   RawFileError::WrongTokenCount, 6, 7);
    ExpectRejected({"1 A", "-1", "X 10 1.5 0 100 7", "/", "-2"}, RawFileError::WrongTokenCount, 3,
                   3);
    ExpectRejected({"1 A 1.5 2", "-1", "X 10 0 100", "/", "-2"}, RawFileError::WrongTokenCount, 1,
                   1);
    ExpectRejected({"1 A", "-1", "X 10 0 100", "/ 3", "1 B", "X 10 0 100", "/", "-2"},
                   RawFileError::WrongTokenCount, 4, 4);
    ExpectRejected({"1 A", "-1", "X 10 0 100", "/", "-2 0"}, RawFileError::WrongTokenCount, 5, 5);
    // A file cut off before its "-2" says that, not that "/" is missing.
    Tmereni m;
    const RawFileResult r = ReadAsc({"1 A", "-1", "X 10 0 100", "Y 10 0 100", "/"}, Settings(), m);
    EXPECT_EQ(r.error, RawFileError::MissingFileEnd);
    EXPECT_NE(DescribeRawFailure(r).find("\"-2\""), std::string::npos) << DescribeRawFailure(r);
}

TEST(AscWrite, ListWritesAndReadsBackTheSameRows) {
    for (const uint8_t uhel : {0, 1, 2, 3}) {
        for (const uint8_t delka : {0, 1}) {
            const Tnastaveni s = Settings(uhel, delka);
            Tmereni m = test::SmallNetwork();
            m.zaznam[3].smer = -(45 + 59 / 60.0L + 59.999996L / 3600) * kPi / 180;
            Lines out;
            ASSERT_TRUE(WriteAsc(m, s, out).ok);
            Tmereni back;
            const RawFileResult r = ReadAsc(out, s, back);
            ASSERT_TRUE(r.ok) << DescribeRawFailure(r);
            ASSERT_EQ(back.zaznam.size(), m.zaznam.size());
            for (size_t i = 0; i < m.zaznam.size(); ++i) {
                const Tzaznam& a = m.zaznam[i];
                const Tzaznam& b = back.zaznam[i];
                EXPECT_EQ(b.poradi, a.poradi);
                EXPECT_EQ(b.cislo_stn, a.cislo_stn);
                EXPECT_EQ(b.cislo_cil, a.cislo_cil);
                EXPECT_NEAR(static_cast<double>(b.vyska_stn), static_cast<double>(a.vyska_stn),
                            2e-5);
                EXPECT_NEAR(static_cast<double>(b.vyska_cil), static_cast<double>(a.vyska_cil),
                            2e-5);
                EXPECT_NEAR(static_cast<double>(b.delka), static_cast<double>(a.delka), 2e-5);
                EXPECT_NEAR(static_cast<double>(b.zenit), static_cast<double>(a.zenit), 6e-6);
            }
            Lines again;
            ASSERT_TRUE(WriteAsc(back, s, again).ok);
            EXPECT_EQ(again, out) << int(uhel) << " " << int(delka);
        }
    }
}

TEST(AscWrite, LayoutOfBlocks) {
    Tmereni m = test::SmallNetwork();
    m.PridejPrazdnyZaznam();
    Lines out;
    ASSERT_TRUE(WriteAsc(m, Settings(), out).ok);
    EXPECT_EQ(out,
              (Lines{"1 4001 1.5620", "-1", "4002 152.3456 1.5000 0.00000 99.87650",
                     "4003 0 1.3000 73.21810 101.00420", "4002 152.3461 1.5000 200.00030 300.12370",
                     "/", "1 4002 0", "-1", "4001 152.3449 1.6200 12.50000 100.12320",
                     "4003 98.0070 0 399.99999 97.50000", "/", "-2"}));
}

TEST(AscWrite, RowsThatWouldReadBackDifferentlyFailTheWriter) {
    Lines out;
    Tmereni m = test::SmallNetwork();
    m.zaznam[4].cislo_cil = "-1";  // would be skipped as a control line
    RawFileResult r = WriteAsc(m, Settings(), out);
    EXPECT_EQ(r.error, RawFileError::UnwritableName);
    EXPECT_EQ(r.counter, 5);
    EXPECT_TRUE(out.empty());
    m.zaznam[4].cislo_cil = "/";
    EXPECT_EQ(WriteAsc(m, Settings(), out).error, RawFileError::UnwritableName);
    m = test::SmallNetwork();
    m.zaznam[1].cislo_stn = "4009";
    r = WriteAsc(m, Settings(), out);
    EXPECT_EQ(r.error, RawFileError::InconsistentStationName);
    EXPECT_EQ(r.counter, 2);
}

TEST(AscExport, BlocksWithoutHeightsOrDeviations) {
    Lines l = {"1 A 1.5 B 1.6 1.5707963267949 1.5707963267949 0 0.0001",
               "1 A 1.5 C 1.6 0 1.5707963267949 12.5", "2 B 0 A 0 3.14159265358979 1 100.5"};
    ASSERT_TRUE(ExportAsc(l, Settings()).ok);
    EXPECT_EQ(l, (Lines{"1 A", "-1", "B 0 100.00000 100.00000", "C 12.5000 0.00000 100.00000", "/",
                        "1 B", "-1", "A 100.5000 200.00000 63.66198", "/", "-2"}));
    Tmereni back;
    EXPECT_TRUE(ReadAsc(l, Settings(), back).ok);
    EXPECT_EQ(back.zaznam.size(), 3u);
}

}  // namespace
}  // namespace vertano
