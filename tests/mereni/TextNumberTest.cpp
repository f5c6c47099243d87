#include <gtest/gtest.h>

#include <cmath>

#include "mereni/Text.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

Real Parsed(const char* token) {
    Real v = -999;
    EXPECT_EQ(ParseNumber(token, v), NumberStatus::Ok) << token;
    return v;
}

NumberStatus Status(const char* token) {
    Real v = 0;
    return ParseNumber(token, v);
}

TEST(TextLines, PrepareTrimsDropsBlankLinesAndKeepsFileLineNumbers) {
    const auto p = PrepareLines({"  a b \t", "", " \t ", "c", "\x1a", "d\r"});
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].text, "a b");
    EXPECT_EQ(p[0].fileLine, 1);
    EXPECT_EQ(p[1].text, "c");
    EXPECT_EQ(p[1].fileLine, 4);
    EXPECT_EQ(p[2].text, "d");
    EXPECT_EQ(p[2].fileLine, 6);
}

TEST(TextLines, TokenizeSplitsAtRunsOfBlanksAndTabs) {
    EXPECT_EQ(Tokenize("  1\tA  1,55 \t\tB "), (std::vector<std::string>{"1", "A", "1,55", "B"}));
    EXPECT_TRUE(Tokenize(" \t ").empty());
    EXPECT_EQ(Tokenize("č-1"), (std::vector<std::string>{"č-1"}));
}

TEST(TextNumbers, ParseAcceptsCommaPointSignsAndExponents) {
    EXPECT_EQ(Parsed("1,55"), 1.55L);
    EXPECT_EQ(Parsed("1.55"), 1.55L);
    EXPECT_EQ(Parsed("-2.5e3"), -2500.0L);
    EXPECT_EQ(Parsed("+7"), 7.0L);
    EXPECT_EQ(Parsed(".5"), 0.5L);
    EXPECT_EQ(Parsed("5."), 5.0L);
    EXPECT_EQ(Parsed("1E-12"), 1e-12L);
    EXPECT_EQ(Parsed("1e12"), 1e12L);
    EXPECT_EQ(Parsed("-1e12"), -1e12L);
    EXPECT_EQ(Parsed("0"), 0.0L);
    EXPECT_EQ(Parsed("0,000"), 0.0L);
}

TEST(TextNumbers, ParseRejectsWhatIsNotADecimalNumber) {
    for (const char* t : {"", "abc", "1.2.3", "1,2,3", "1e", "1e+", "--1", "+-1", "inf", "nan",
                          "0x10", "1 2", "12a", "e5", ".", "+", "1,000.5"})
        EXPECT_EQ(Status(t), NumberStatus::NotANumber) << t;
}

TEST(TextNumbers, MagnitudesBetweenZeroAndTheRangeAreRejected) {
    EXPECT_EQ(Status("1e-13"), NumberStatus::OutOfRange);
    EXPECT_EQ(Status("-9.99e-13"), NumberStatus::OutOfRange);
    EXPECT_EQ(Status("1.0000001e12"), NumberStatus::OutOfRange);
    EXPECT_EQ(Status("1e400000"), NumberStatus::OutOfRange);
    // A tiny value is no zero: it would become "not measured" without a word,
    // also far below what the type can hold.
    for (const char* t : {"1e-16", "-1e-17", "1e-4000", "1e-400000"})
        EXPECT_EQ(Status(t), NumberStatus::OutOfRange) << t;
    for (const char* t : {"0", "-0", "0e-400000", "0.000e5", "-0,0"})
        EXPECT_EQ(Parsed(t), 0.0L) << t;
}

TEST(TextNumbers, IntegersAreSigned32Bit) {
    int32_t v = 0;
    EXPECT_TRUE(ParseInteger("-7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(ParseInteger("+12", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(ParseInteger("2147483647", v));
    for (const char* t : {"", "2147483648", "1.0", "1e3", "++1", "x", " 1"})
        EXPECT_FALSE(ParseInteger(t, v)) << t;
    // Digits too many for the type are out of range, not "no number".
    EXPECT_EQ(ParseInteger32("99999999999", v), NumberStatus::OutOfRange);
    EXPECT_EQ(ParseInteger32("-2147483649", v), NumberStatus::OutOfRange);
    EXPECT_EQ(ParseInteger32("12a", v), NumberStatus::NotANumber);
}

TEST(TextShown, ControlCharactersAreFoundAndEscapedNeverPassedOn) {
    EXPECT_FALSE(HasControlCharacter("A1\tB2 \xC3\xA1"));  // TAB and accents are text
    for (const char* t : {"A\x1B[31m", "\x01", "x\x7F",
                          "\xC2\x9B"
                          "2J",
                          "a\rb"})
        EXPECT_TRUE(HasControlCharacter(t)) << EscapeControl(t);
    EXPECT_EQ(EscapeControl("P\x1B[2J\xC2\x9B!\n\xFF\xC3\xA1"),
              "P\\x1B[2J\\xC2\\x9B!\\x0A\\xFF\xC3\xA1");
    const std::string text =
        "A B\r\n\r\nC\x07"
        "D\n";
    EXPECT_EQ(FirstLineWithControl(PrepareLineViews(text)), 1);
    EXPECT_EQ(PrepareLineViews(text)[1].fileLine, 3);
    EXPECT_EQ(FirstLineWithControl(std::vector<PreparedLine>{{"A B", 1}}), -1);
}

TEST(TextShown, QuotedInputIsCutNotTheMessage) {
    EXPECT_EQ(QuoteInput("12,5"), "12,5");
    const std::string quoted = QuoteInput(std::string(100, '7'));
    EXPECT_EQ(quoted, std::string(60, '7') + "... (100 bytes)");
    // Never in the middle of an escape or of a UTF-8 sequence.
    EXPECT_EQ(QuoteInput("\x1B\x1B\x1B", 9), "\\x1B\\x1B... (3 bytes)");
    EXPECT_EQ(QuoteInput("\xC3\xA1\xC3\xA1", 3), "\xC3\xA1... (4 bytes)");
}

TEST(TextNumbers, GeneralNotationIsShortestWithFifteenDigits) {
    EXPECT_EQ(FormatGeneral(0), "0");
    EXPECT_EQ(FormatGeneral(1.55L), "1.55");
    EXPECT_EQ(FormatGeneral(-2500), "-2500");
    EXPECT_EQ(FormatGeneral(0.1L + 0.2L), "0.3");
    EXPECT_EQ(FormatGeneral(1.5707963267948966192L), "1.5707963267949");
    EXPECT_EQ(FormatGeneral(0.00001L), "0.00001");
    EXPECT_EQ(FormatGeneral(0.0000123L), "0.0000123");
    EXPECT_EQ(FormatGeneral(0.000001L), "1E-6");
    EXPECT_EQ(FormatGeneral(-7.85398163397448e-6L), "-7.85398163397448E-6");
    EXPECT_EQ(FormatGeneral(123456789012345.0L), "123456789012345");
    EXPECT_EQ(FormatGeneral(1e15L), "1E15");
    EXPECT_EQ(FormatGeneral(2.5e20L), "2.5E20");
}

TEST(TextNumbers, GeneralNotationReadsBack) {
    for (Real v : {1.55L, -0.000123456789012345L, 98.7654321L, 1e-12L, 6380000.0L, 1e12L}) {
        Real back = 0;
        ASSERT_EQ(ParseNumber(FormatGeneral(v), back), NumberStatus::Ok) << FormatGeneral(v);
        EXPECT_NEAR(static_cast<double>(back), static_cast<double>(v),
                    std::fabs((double)v) * 1e-14);
    }
}

TEST(TextNumbers, FixedNotationRoundsHalfAwayFromZero) {
    EXPECT_EQ(FormatFixed(2.675L, 2), "2.68");  // binary value lies just below the tie
    EXPECT_EQ(FormatFixed(-2.675L, 2), "-2.68");
    EXPECT_EQ(FormatFixed(0.5L, 0), "1");
    EXPECT_EQ(FormatFixed(2.5L, 0), "3");
    EXPECT_EQ(FormatFixed(-0.5L, 0), "-1");
    EXPECT_EQ(FormatFixed(1.0049L, 2), "1.00");
    EXPECT_EQ(FormatFixed(9.99996L, 4), "10.0000");
    EXPECT_EQ(FormatFixed(0.99996L, 4), "1.0000");
    EXPECT_EQ(FormatFixed(0.00006L, 4), "0.0001");
    EXPECT_EQ(FormatFixed(0.012345L, 4), "0.0123");
    EXPECT_EQ(FormatFixed(0, 3), "0.000");
    EXPECT_EQ(FormatFixed(1234567.891L, 0), "1234568");
    EXPECT_EQ(FormatFixed(1e12L, 4), "1000000000000.0000");
}

TEST(TextNumbers, FixedNotationNeverWritesMinusZero) {
    EXPECT_EQ(FormatFixed(-0.00004L, 4), "0.0000");
    EXPECT_EQ(FormatFixed(-1e-30L, 2), "0.00");
    EXPECT_EQ(FormatFixed(-0.0L, 1), "0.0");
}

TEST(TextNumbers, FitForParserFlushesTinyValuesAndRefusesHugeOnes) {
    Real v = 5e-13L;
    EXPECT_TRUE(FitForParser(v));
    EXPECT_EQ(v, 0.0L);
    v = 1e-12L;
    EXPECT_TRUE(FitForParser(v));
    EXPECT_EQ(v, 1e-12L);
    v = 2e12L;
    EXPECT_FALSE(FitForParser(v));
    v = std::nanl("");
    EXPECT_FALSE(FitForParser(v));
}

TEST(TextNumbers, DecimalCommaLocaleChangesNothing) {
    test::LocaleGuard guard("cs_CZ.UTF-8");
    ASSERT_TRUE(guard.Active());
    EXPECT_EQ(Parsed("1.55"), 1.55L);
    EXPECT_EQ(Parsed("1,55"), 1.55L);
    EXPECT_EQ(FormatFixed(1234.5L, 2), "1234.50");
    EXPECT_EQ(FormatGeneral(-0.25L), "-0.25");
    EXPECT_EQ(FormatGeneral(1.5e-7L), "1.5E-7");
}

}  // namespace
}  // namespace vertano
