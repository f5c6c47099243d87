#include <gtest/gtest.h>

#include "files/MtxFormat.h"
#include "files/RawTestSupport.h"
#include "mereni/Jednotky.h"
#include "mereni/TextovySoubor.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

using test::Lines;
using test::Settings;

RawFileResult Read(const Lines& lines, Tmereni& m, uint8_t uhel = 1, uint8_t delka = 0) {
    return ReadMtx(lines, Settings(uhel, delka), m);
}

void ExpectRejected(const Lines& lines, RawFileError error, int32_t counter, int32_t fileLine) {
    Tmereni m;
    m.PridejZaznam(test::Row(1, "X", 0, "Y", 0, 0, 100, 0));  // cleared by the reader
    const RawFileResult r = Read(lines, m);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, error) << DescribeRawFailure(r);
    EXPECT_EQ(r.counter, counter);
    EXPECT_EQ(r.fileLine, fileLine);
    EXPECT_TRUE(m.zaznam.empty());
}

TEST(MtxRead, LineInGonAndMetres) {
    Tmereni m;
    const RawFileResult r = Read({"3 A 1,55 B 1.6 100.0000 98.5 0"}, m);
    ASSERT_TRUE(r.ok) << DescribeRawFailure(r);
    EXPECT_EQ(r.counter, 1);
    ASSERT_EQ(m.zaznam.size(), 1u);
    const Tzaznam& z = m.zaznam[0];
    EXPECT_EQ(z.poradi, 1);
    EXPECT_EQ(z.cislo_stn, "A");
    EXPECT_EQ(z.cislo_cil, "B");
    EXPECT_EQ(z.vyska_stn, StoredReal(1.55L));
    EXPECT_EQ(z.vyska_cil, StoredReal(1.6L));
    EXPECT_NEAR(static_cast<double>(z.smer), static_cast<double>(kPi) / 2, 1e-18);
    EXPECT_TRUE(z.poloha);
    EXPECT_FALSE(z.MaDelku());
    EXPECT_EQ(z.soubor, 0);
    EXPECT_EQ(z.sig_smer, -1);  // everything else as in the empty row
}

// A row keeps every bit of the extended value its text gives (17 and more
// significant digits), also through the face and set means computed in it.
TEST(MtxRead, RowsKeepTheExtendedValueOfEveryDigit) {
    const std::string height = "1.23456789012345678";
    const std::string distance = "152.345678901234567";
    Tmereni m;
    ASSERT_TRUE(Read({"1 A " + height + " B 1 0 100 " + distance}, m).ok);
    Real h = 0;
    Real d = 0;
    ASSERT_EQ(ParseLength(height, jednotka::kMetr, h), NumberStatus::Ok);
    ASSERT_EQ(ParseLength(distance, jednotka::kMetr, d), NumberStatus::Ok);
    ASSERT_NE(static_cast<Real>(static_cast<double>(d)), d);  // more than a double holds
    EXPECT_EQ(static_cast<Real>(m.zaznam[0].vyska_stn), h);
    EXPECT_EQ(static_cast<Real>(m.zaznam[0].delka), d);
    m.zaznam[0].delka = (m.zaznam[0].delka + d / 3) / 2;
    EXPECT_EQ(static_cast<Real>(m.zaznam[0].delka), (d + d / 3) / 2);
}

TEST(MtxRead, GonReadAsDmsIsRefusedAtItsLine) {
    Tmereni m;
    const RawFileResult r = Read(
        {"1 4001 1.5 4002 1.5 12.3045 89.5959 100", "1 4001 1.5 4003 1.5 358.6940 99.2384 100"}, m,
        jednotka::kDms);
    EXPECT_EQ(r.error, RawFileError::BadDms);
    EXPECT_EQ(r.counter, 2);
    EXPECT_EQ(r.detail, "358.6940");
    EXPECT_TRUE(m.zaznam.empty());
}

// A large file is read from its whole text without a list of lines: the same
// rows, and the same failures at the same lines, as from the lines.
TEST(MtxRead, WholeTextReadsAsTheLinesRead) {
    for (const std::string& text :
         {std::string("7 A 1 B 1 0 100 0\r\n\r\n7 A 1 C 1 0 100 0\r8 B 1 A 1 0 100 5\n"),
          std::string("  1 A 1 B 1 0 100 0  \n\n1 A 1 B 1 0 100\n"),
          std::string("1 A 1 B 1 0 100 0\n1 A 1 B 1 0 100 x\n1 A 1 B\x1B 1 0 100 0"),
          std::string("7 A 1 B 1 0 100 0\n\n\n7 B 1 C 1 0 100 0\n"), std::string("\n \n")}) {
        TextFile file;
        ASSERT_TRUE(DecodeText(text, file).Ok());
        Tmereni fromLines;
        Tmereni fromText;
        const RawFileResult a = ReadMtx(file.lines, Settings(), fromLines);
        const RawFileResult b = ReadMtxText(text, Settings(), fromText);
        EXPECT_EQ(DescribeRawFailure(b), DescribeRawFailure(a)) << text;
        EXPECT_EQ(b.counter, a.counter);
        ASSERT_EQ(fromText.zaznam.size(), fromLines.zaznam.size());
        for (size_t i = 0; i < fromText.zaznam.size(); ++i) {
            EXPECT_EQ(fromText.zaznam[i].poradi, fromLines.zaznam[i].poradi);
            EXPECT_EQ(fromText.zaznam[i].cislo_cil, fromLines.zaznam[i].cislo_cil);
            EXPECT_EQ(fromText.zaznam[i].delka, fromLines.zaznam[i].delka);
        }
    }
}

TEST(MtxRead, StationsAreRenumberedWhereANewStationBegins) {
    Tmereni m;
    ASSERT_TRUE(Read({"7 A 1 B 1 0 100 0", "8 B 1 A 1 0 100 0", "7 A 1 C 1 0 100 0",
                      "7 A 1 D 1 0 100 0", "0 Q 2 R 1 0 300 5"},
                     m)
                    .ok);
    ASSERT_EQ(m.zaznam.size(), 5u);
    EXPECT_EQ(m.zaznam[0].poradi, 1);
    EXPECT_EQ(m.zaznam[1].poradi, 2);
    EXPECT_EQ(m.zaznam[2].poradi, 3);
    EXPECT_EQ(m.zaznam[3].poradi, 3);
    EXPECT_EQ(m.zaznam[4].poradi, 0);  // station 0: kept as an empty row
    EXPECT_FALSE(m.zaznam[4].poloha);
}

TEST(MtxRead, EveryRejectionNamesItsLine) {
    // blank lines do not count; the file line does
    ExpectRejected({"1 A 1 B 1 0 100 0", "", "1 A 1 B 1 0 100 0 9"}, RawFileError::WrongTokenCount,
                   2, 3);
    ExpectRejected({"1 A 1 B 1 0 100"}, RawFileError::WrongTokenCount, 1, 1);
    ExpectRejected({" ", "-1 A 1 B 1 0 100 0"}, RawFileError::NegativeStation, 1, 2);
    ExpectRejected({"1.5 A 1 B 1 0 100 0"}, RawFileError::BadStationNumber, 1, 1);
    ExpectRejected({"1 A 1 B 1 0 100 x"}, RawFileError::BadNumber, 1, 1);
    ExpectRejected({"1 A 1 B 1 0 1,0,0 0"}, RawFileError::BadNumber, 1, 1);
    ExpectRejected({"1 A 1 B 1 2e12 100 0"}, RawFileError::NumberOutOfRange, 1, 1);
    ExpectRejected({"7 A 1 B 1 0 100 0", "", "7 B 1 C 1 0 100 0"},
                   RawFileError::InconsistentStationName, 2, 3);
    ExpectRejected({"7 A 1 B 1 0 100 0", "7 A 1.001 C 1 0 100 0"},
                   RawFileError::InconsistentInstrumentHeight, 2, 2);
    // values that would otherwise change on the way in: a station number beyond the
    // type, a tiny distance that would become "not measured", a name with ESC
    ExpectRejected({"99999999999 A 1 B 1 0 100 0"}, RawFileError::StationOutOfRange, 1, 1);
    ExpectRejected({"1 A 1 B 1 0 100 1e-4000"}, RawFileError::NumberOutOfRange, 1, 1);
    ExpectRejected({"1 A 1 B 1 0 100 0", "1 A 1 B\x1B[2J 1 0 100 0"},
                   RawFileError::ControlCharacter, 2, 2);
    // an empty row between rows of one station does not hide the difference
    ExpectRejected({"7 A 1 B 1 0 100 0", "0 Z 1 C 1 0 100 0", "7 B 1 C 1 0 100 0"},
                   RawFileError::InconsistentStationName, 3, 3);
}

TEST(MtxRead, TinyValuesInEveryNumericTokenAreRejectedButZeroAndTheLimitAreNot) {
    for (int k = 2; k < 8; ++k) {
        if (k == 3) continue;
        Lines l = {"1 A 1 B 1 10 100 50"};
        std::vector<std::string> t = Tokenize(l[0]);
        t[static_cast<size_t>(k)] = "1e-13";
        std::string line;
        for (const auto& s : t) line += s + " ";
        ExpectRejected({line}, RawFileError::NumberOutOfRange, 1, 1);
        t[static_cast<size_t>(k)] = "1e-12";
        line.clear();
        for (const auto& s : t) line += s + " ";
        Tmereni m;
        EXPECT_TRUE(Read({line}, m).ok) << line;
    }
    Tmereni m;
    EXPECT_TRUE(Read({"1 A 0 B 0 0 0 0"}, m).ok);
}

TEST(MtxRead, DmsValueWritesBackUnchanged) {
    Tmereni m;
    ASSERT_TRUE(Read({"1 A 1.5 B 1.6 12.3045 -45.1000 100"}, m, 3).ok);
    EXPECT_NEAR(static_cast<double>(m.zaznam[0].smer),
                (12 + 30 / 60.0 + 45 / 3600.0) * static_cast<double>(kPi) / 180, 1e-16);
    Lines out;
    Tnastaveni s = Settings(3);
    s.presnost.uhel.hodnota = 4;
    ASSERT_TRUE(WriteMtx(m, s, out).ok);
    EXPECT_EQ(out, (Lines{"1 A 1.5000 B 1.6000 12.3045 -45.1000 100.0000"}));
}

TEST(MtxWrite, RadiansKeepNineDecimalsWhatEverTheSettingsSay) {
    Tmereni m;
    ASSERT_TRUE(Read({"1 A 1.5 B 1.6 73.21812 99.87654 100"}, m).ok);
    Lines out;
    Tnastaveni s = Settings(0);  // radians with the default of 5 decimals
    ASSERT_TRUE(WriteMtx(m, s, out).ok);
    EXPECT_EQ(out, (Lines{"1 A 1.5000 B 1.6000 1.150107540 1.568857022 100.0000"}));
    s.presnost.uhel.hodnota = 10;  // more when asked for
    ASSERT_TRUE(WriteMtx(m, s, out).ok);
    EXPECT_EQ(out, (Lines{"1 A 1.5000 B 1.6000 1.1501075395 1.5688570216 100.0000"}));
}

TEST(MtxWrite, EmptyRowsAreSkippedSoTheFileReadsBack) {
    Tmereni m = test::SmallNetwork();
    m.VlozitZaznamNaPoradi(Tzaznam::Prazdny(), 2);
    m.PridejPrazdnyZaznam();
    Lines out;
    const RawFileResult w = WriteMtx(m, Settings(), out);
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0], "1 4001 1.5620 4002 1.5000 0.00000 99.87650 152.3456");
    EXPECT_EQ(out[1], "1 4001 1.5620 4003 1.3000 73.21810 101.00420 0");
    EXPECT_EQ(out[3], "2 4002 0 4001 1.6200 12.50000 100.12320 152.3449");
    Tmereni back;
    ASSERT_TRUE(ReadMtx(out, Settings(), back).ok);
    EXPECT_EQ(back.zaznam.size(), 5u);
}

TEST(MtxWrite, RowsThatCouldNotBeReadBackFailTheWriter) {
    Lines out{"old"};
    Tmereni m = test::SmallNetwork();
    m.zaznam[1].cislo_cil = "40 03";
    RawFileResult r = WriteMtx(m, Settings(), out);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, RawFileError::UnwritableName);
    EXPECT_EQ(r.counter, 2);
    EXPECT_TRUE(out.empty());

    m = test::SmallNetwork();
    m.zaznam[2].vyska_stn = 1.7L;
    r = WriteMtx(m, Settings(), out);
    EXPECT_EQ(r.error, RawFileError::InconsistentInstrumentHeight);
    EXPECT_EQ(r.counter, 3);

    m = test::SmallNetwork();
    m.zaznam[4].delka = 5e12L;
    r = WriteMtx(m, Settings(), out);
    EXPECT_EQ(r.error, RawFileError::UnwritableValue);
    EXPECT_EQ(r.counter, 5);
}

TEST(MtxWrite, ValuesBelowTheReadableRangeAreWrittenAsZero) {
    Tmereni m;
    m.PridejZaznam(test::Row(1, "A", 5e-13L, "B", 0, 0, 100, 1e-14L));
    m.zaznam[0].smer = 3e-13L;
    Tnastaveni s = Settings(0);
    s.presnost.uhel.hodnota = 15;
    s.presnost.delka.hodnota = 15;
    Lines out;
    ASSERT_TRUE(WriteMtx(m, s, out).ok);
    Tmereni back;
    const RawFileResult r = ReadMtx(out, s, back);
    ASSERT_TRUE(r.ok) << out[0] << " " << DescribeRawFailure(r);
    EXPECT_EQ(back.zaznam[0].smer, 0);
    EXPECT_EQ(back.zaznam[0].delka, 0);
}

struct Units {
    uint8_t uhel;
    uint8_t delka;
};

class MtxRoundTrip : public ::testing::TestWithParam<Units> {};

TEST_P(MtxRoundTrip, WrittenFileReadsBackToTheSameRowsAndText) {
    const Tnastaveni s = Settings(GetParam().uhel, GetParam().delka);
    Tmereni m = test::SmallNetwork();
    // values that round up to a whole minute and a whole degree in D.MMSS
    m.zaznam[1].smer = (12 + 30 / 60.0L + 59.99999L / 3600) * kPi / 180;
    m.zaznam[4].smer = -(45 + 59 / 60.0L + 59.999996L / 3600) * kPi / 180;
    Lines first;
    ASSERT_TRUE(WriteMtx(m, s, first).ok);
    Tmereni back;
    const RawFileResult r = ReadMtx(first, s, back);
    ASSERT_TRUE(r.ok) << DescribeRawFailure(r);
    ASSERT_EQ(back.zaznam.size(), m.zaznam.size());
    for (size_t i = 0; i < m.zaznam.size(); ++i) {
        EXPECT_EQ(back.zaznam[i].poradi, m.zaznam[i].poradi);
        EXPECT_EQ(back.zaznam[i].cislo_cil, m.zaznam[i].cislo_cil);
        EXPECT_EQ(back.zaznam[i].poloha, m.zaznam[i].poloha);
        EXPECT_NEAR(static_cast<double>(back.zaznam[i].delka),
                    static_cast<double>(m.zaznam[i].delka), 0.00005 * 0.3048 + 1e-12);
        EXPECT_NEAR(static_cast<double>(back.zaznam[i].smer), static_cast<double>(m.zaznam[i].smer),
                    6e-6);  // 5 decimals of a radian
    }
    Lines second;
    ASSERT_TRUE(WriteMtx(back, s, second).ok);
    EXPECT_EQ(second, first);
}

INSTANTIATE_TEST_SUITE_P(AllUnits, MtxRoundTrip,
                         ::testing::Values(Units{0, 0}, Units{1, 0}, Units{2, 0}, Units{3, 0},
                                           Units{1, 1}, Units{3, 1}));

TEST(MtxWrite, DmsRoundUpCarriesIntoMinutesAndDegrees) {
    Tmereni m;
    m.PridejZaznam(test::Row(1, "A", 1, "B", 1, 0, 100, 0));
    m.zaznam[0].smer = (12 + 30 / 60.0L + 59.99999L / 3600) * kPi / 180;
    m.zaznam[0].zenit = -(45 + 59 / 60.0L + 59.99996L / 3600) * kPi / 180;
    Tnastaveni s = Settings(3);
    s.presnost.uhel.hodnota = 4;
    Lines out;
    ASSERT_TRUE(WriteMtx(m, s, out).ok);
    EXPECT_EQ(out[0], "1 A 1.0000 B 1.0000 12.3100 -46.0000 0");
}

TEST(MtxExport, DropsHeightsAndKeepsDeviations) {
    Lines l = {"1 A 1.5 B 1.6 1.5707963267949 1.5707963267949 0 0.0001 0 0.003",
               "2 B 0 C 0 3.14159265358979 1E-6 100.5"};
    ASSERT_TRUE(ExportMtx(l, Settings()).ok);
    EXPECT_EQ(l, (Lines{"1 A B 100.00000 100.00000 0 0.0001 0 0.003",
                        "2 B C 200.00000 0.00006 100.5000"}));
    Lines bad = {"1 A 1.5 B 1.6 x 1 0"};
    const RawFileResult r = ExportMtx(bad, Settings());
    EXPECT_EQ(r.error, RawFileError::BadNumber);
    EXPECT_TRUE(bad.empty());
}

TEST(MtxFormat, DecimalCommaLocaleChangesNeitherReadingNorWriting) {
    test::LocaleGuard guard("cs_CZ.UTF-8");
    ASSERT_TRUE(guard.Active());
    Tmereni m;
    ASSERT_TRUE(Read({"1 A 1,55 B 1.6 100,5 98.5 12.25"}, m).ok);
    EXPECT_EQ(m.zaznam[0].vyska_stn, StoredReal(1.55L));
    Lines out;
    ASSERT_TRUE(WriteMtx(m, Settings(), out).ok);
    EXPECT_EQ(out[0], "1 A 1.5500 B 1.6000 100.50000 98.50000 12.2500");
}

}  // namespace
}  // namespace vertano
