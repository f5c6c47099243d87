#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"

namespace vertano {
namespace {

Real AngleRead(const std::string& token, uint8_t code) {
    Real r = -999;
    EXPECT_EQ(ParseAngle(token, code, r), NumberStatus::Ok) << token;
    return r;
}

Real Deg(Real d, Real m = 0, Real s = 0) {
    return (d + m / 60 + s / 3600) * kPi / 180;
}

TEST(TextUnits, AnglesReadInEveryUnit) {
    EXPECT_EQ(AngleRead("1.25", jednotka::kRadian), 1.25L);
    EXPECT_NEAR(static_cast<double>(AngleRead("100", jednotka::kGon)), static_cast<double>(kPi) / 2,
                1e-18);
    EXPECT_NEAR(static_cast<double>(AngleRead("90", jednotka::kStupen)),
                static_cast<double>(kPi) / 2, 1e-18);
    EXPECT_NEAR(static_cast<double>(AngleRead("12.3045", jednotka::kDms)),
                static_cast<double>(Deg(12, 30, 45)), 1e-18);
    EXPECT_NEAR(static_cast<double>(AngleRead("-12,3045", jednotka::kDms)),
                static_cast<double>(-Deg(12, 30, 45)), 1e-18);
    EXPECT_EQ(AngleRead("7", 9), 7.0L);  // unknown code: unconverted
}

TEST(TextUnits, DmsReadsEveryWholeMinuteExactly) {
    // The binary value of 45.1 lies below 45.1; decoding must still give 10'.
    for (int d = 0; d < 400; ++d) {
        for (int m = 0; m < 60; ++m) {
            const std::string token =
                std::to_string(d) + "." + (m < 10 ? "0" : "") + std::to_string(m) + "00";
            Real deg = 0;
            ASSERT_TRUE(DmsTextToDegrees(token, deg));
            ASSERT_EQ(deg, d + static_cast<Real>(m) / 60) << token;
            Real rad = 0;
            ASSERT_EQ(ParseAngle(token, jednotka::kDms, rad), NumberStatus::Ok);
            ASSERT_EQ(FormatAngle(rad, jednotka::kDms, 4), token) << token;
            // the numeric path (values typed into a dialog) agrees
            Real numeric = 0;
            ASSERT_EQ(ParseNumber(token, numeric), NumberStatus::Ok);
            ASSERT_EQ(AngleToRadians(numeric, jednotka::kDms), rad) << token;
        }
    }
}

TEST(TextUnits, DmsTextWithShortFractionsAndExponents) {
    Real deg = 0;
    ASSERT_TRUE(DmsTextToDegrees("12.3", deg));
    EXPECT_EQ(deg, 12.5L);
    ASSERT_TRUE(DmsTextToDegrees("12.304", deg));  // 12 deg 30 min 40 s
    EXPECT_EQ(deg, 12 + 30 / 60.0L + 40 / 3600.0L);
    ASSERT_TRUE(DmsTextToDegrees("12.304512", deg));
    EXPECT_EQ(deg, 12 + 30 / 60.0L + 45.12L / 3600);
    ASSERT_TRUE(DmsTextToDegrees("1.23045E1", deg));
    EXPECT_EQ(deg, 12 + 30 / 60.0L + 45 / 3600.0L);
    ASSERT_TRUE(DmsTextToDegrees("0.0001", deg));
    EXPECT_EQ(deg, 1 / 3600.0L);
    EXPECT_FALSE(DmsTextToDegrees("12.3x", deg));
}

TEST(TextUnits, DmsWithSixtyMinutesOrSecondsIsRefusedNotCarried) {
    // 358.6940 gon read as D.MMSS has 69 minutes: a file in the wrong unit.
    Real rad = 0;
    for (const char* t : {"358.6940", "12.6", "12.3060", "-0.0075", "1.99"})
        EXPECT_EQ(ParseAngle(t, jednotka::kDms, rad), NumberStatus::BadDms) << t;
    for (const char* t : {"12.5959", "12.59599", "0.0059", "-12.3045", "0"})
        EXPECT_EQ(ParseAngle(t, jednotka::kDms, rad), NumberStatus::Ok) << t;
    EXPECT_TRUE(std::isnan(AngleToRadians(12.6L, jednotka::kDms)));
    EXPECT_EQ(ParseAngle("12.6", jednotka::kGon, rad), NumberStatus::Ok);
}

TEST(TextUnits, DmsWritingCarriesRoundedSecondsAndMinutes) {
    EXPECT_EQ(FormatDms(12 + 30 / 60.0L + 59.99996L / 3600, 4), "12.3100");
    EXPECT_EQ(FormatDms(45 + 59 / 60.0L + 59.99996L / 3600, 4), "46.0000");
    EXPECT_EQ(FormatDms(-(45 + 59 / 60.0L + 59.99996L / 3600), 4), "-46.0000");
    EXPECT_EQ(FormatDms(359 + 59 / 60.0L + 59.6L / 3600, 4), "360.0000");
    EXPECT_EQ(FormatDms(12 + 30 / 60.0L + 45.25L / 3600, 6), "12.304525");
    EXPECT_EQ(FormatDms(12 + 30 / 60.0L + 45.25L / 3600, 5), "12.30453");  // half away
    EXPECT_EQ(FormatDms(12 + 29 / 60.0L + 56 / 3600.0L, 3), "12.300");     // tens of seconds
    EXPECT_EQ(FormatDms(12 + 29 / 60.0L + 50 / 3600.0L, 2), "12.30");
    EXPECT_EQ(FormatDms(12.999999L, 0), "13");
    EXPECT_EQ(FormatDms(-0.00001L / 3600, 4), "0.0000");
    EXPECT_EQ(FormatDms(0, 5), "0.00000");
}

struct UnitCase {
    uint8_t code;
    int decimals;
    const char* text;
};

class AngleRoundTrip : public ::testing::TestWithParam<UnitCase> {};

TEST_P(AngleRoundTrip, WrittenTextReadsBackToTheSameText) {
    const UnitCase c = GetParam();
    Real rad = 0;
    ASSERT_EQ(ParseAngle(c.text, c.code, rad), NumberStatus::Ok);
    EXPECT_EQ(FormatAngle(rad, c.code, c.decimals), c.text);
}

INSTANTIATE_TEST_SUITE_P(EveryUnit, AngleRoundTrip,
                         ::testing::Values(UnitCase{0, 10, "1.5707963268"},
                                           UnitCase{0, 6, "-0.000123"}, UnitCase{1, 5, "399.99999"},
                                           UnitCase{1, 4, "-12.3456"}, UnitCase{1, 4, "0.0001"},
                                           UnitCase{2, 6, "359.999999"}, UnitCase{2, 4, "-45.1250"},
                                           UnitCase{3, 4, "12.3045"}, UnitCase{3, 4, "-12.3045"},
                                           UnitCase{3, 5, "359.59595"}, UnitCase{3, 4, "-0.0059"},
                                           UnitCase{3, 6, "98.300001"}));

TEST(TextUnits, LengthsInMetresAndFeet) {
    Real m = 0;
    ASSERT_EQ(ParseLength("100", jednotka::kStopa, m), NumberStatus::Ok);
    EXPECT_EQ(m, 30.48L);
    EXPECT_EQ(FormatLength(m, jednotka::kStopa, 3), "100.000");
    EXPECT_EQ(FormatLength(1.2344999L, jednotka::kMetr, 3), "1.234");
    EXPECT_EQ(FormatLength(0, jednotka::kStopa, 3), "0");
    EXPECT_EQ(FormatLength(0.00001L, jednotka::kMetr, 3), "0.000");
    for (const char* t : {"1.6", "-0.25", "1234.5678", "0.0003"}) {
        for (uint8_t code : {jednotka::kMetr, jednotka::kStopa}) {
            ASSERT_EQ(ParseLength(t, code, m), NumberStatus::Ok);
            Real back = 0;
            ASSERT_EQ(ParseNumber(FormatLength(m, code, 4), back), NumberStatus::Ok);
            Real expected = 0;
            ASSERT_EQ(ParseNumber(t, expected), NumberStatus::Ok);
            EXPECT_EQ(back, expected) << t << " code " << int(code);
        }
    }
}

TEST(TextUnits, RangeRulesApplyToTheWrittenUnit) {
    Real r = 0;
    EXPECT_EQ(ParseAngle("1e-13", jednotka::kGon, r), NumberStatus::OutOfRange);
    EXPECT_EQ(ParseAngle("x", jednotka::kDms, r), NumberStatus::NotANumber);
    EXPECT_EQ(ParseLength("2e12", jednotka::kMetr, r), NumberStatus::OutOfRange);
    EXPECT_EQ(ParseAngle("1e-17", jednotka::kDms, r), NumberStatus::OutOfRange);
    EXPECT_EQ(ParseAngle("0e-17", jednotka::kDms, r), NumberStatus::Ok);
    EXPECT_EQ(r, 0.0L);
}

}  // namespace
}  // namespace vertano
