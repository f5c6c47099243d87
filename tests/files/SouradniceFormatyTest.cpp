#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceText.h"
#include "mereni/Jednotky.h"

namespace vertano {
namespace {

using Text = std::vector<std::string>;

constexpr uint8_t kMetr = jednotka::kMetr;
constexpr uint8_t kStopa = jednotka::kStopa;

TEST(CoordinateFileReader, ReadsXyzAndYxzWithCommaDecimals) {
    Text xyz = {"P1 1000,5 2000 300"};
    const CoordinateFileResult r = ReadCoordinatesXYZ(xyz, kMetr);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.counter, 1);
    EXPECT_EQ(xyz, Text{"P1 1000.5 2000 300"});

    Text yxz = {"P1 1000,5 2000 300"};
    ASSERT_TRUE(ReadCoordinatesYXZ(yxz, kMetr).ok);
    EXPECT_EQ(yxz, Text{"P1 2000 1000.5 300"});
}

TEST(CoordinateFileReader, DropsBlankLinesAndAcceptsTabsAndPadding) {
    Text t = {"", "  A\t1\t2\t3  ", "\t", "B  4   5 6", ""};
    const CoordinateFileResult r = ReadCoordinatesXYZ(t, kMetr);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.counter, 2);
    EXPECT_EQ(t, (Text{"A 1 2 3", "B 4 5 6"}));

    Text prazdny = {"", "   "};
    EXPECT_TRUE(ReadCoordinatesXYZ(prazdny, kMetr).ok);
    EXPECT_TRUE(prazdny.empty());
}

TEST(CoordinateFileReader, ConvertsFeetToMetresButNeverThePointNumber) {
    Text t = {"1000 1000 2000 10"};
    ASSERT_TRUE(ReadCoordinatesXYZ(t, kStopa).ok);
    EXPECT_EQ(t, Text{"1000 304.8 609.6 3.048"});
}

TEST(CoordinateFileReader, TinyValueInFeetBecomesZeroSoThatItReadsAgain) {
    Text t = {"P 1e-12 0 0"};
    ASSERT_TRUE(ReadCoordinatesXYZ(t, kStopa).ok);
    EXPECT_EQ(t, Text{"P 0 0 0"});
}

TEST(CoordinateFileReader, GivenPointsMayNameTheirFixedCoordinates) {
    Text t = {"A 1 2 3 XY", "B 1 2 3 z", "C 1 2 3 XYZ", "D 1 2 3", "E 1 2 XY"};
    ASSERT_TRUE(ReadCoordinatesYXZ(t, kMetr).ok);
    // E is known in plan alone: its height starts from 0.
    EXPECT_EQ(t, (Text{"A 2 1 3 XY", "B 2 1 3 Z", "C 2 1 3", "D 2 1 3", "E 2 1 0 XY"}));
    Tsouradnice s;
    ASSERT_TRUE(PridejBodyFixVse(s, t, 1, true).ok);
    ASSERT_EQ(s.Pocet(), 5);
    EXPECT_EQ(s.bod[4].fixniOsy, FixniOsy::Poloha);
    EXPECT_EQ(s.bod[0].fixniOsy, FixniOsy::Poloha);
    EXPECT_EQ(s.bod[1].fixniOsy, FixniOsy::Vyska);
    EXPECT_EQ(s.bod[2].fixniOsy, FixniOsy::Vse);
    EXPECT_TRUE(s.bod[0].JeFixni);
    // Identical points take deviations there, not the fixed coordinates.
    Text identicke = {"A 1 2 3 XY"};
    EXPECT_FALSE(ReadIdenticalPointsXYZ(identicke, kMetr).ok);
    Text spatne = {"A 1 2 3 XZ"};
    const CoordinateFileResult r = ReadCoordinatesXYZ(spatne, kMetr);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, CoordinateFileError::WrongTokenCount);
}

TEST(CoordinateFileReader, RejectsWrongTokenCountAtTheNonBlankLine) {
    for (const std::string bad : {"C 1 2", "C 1 2 3 4"}) {
        Text t = {"A 1 2 3", "", "B 1 2 3", bad, "D 1 2 3"};
        const CoordinateFileResult r = ReadCoordinatesXYZ(t, kMetr);
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.error, CoordinateFileError::WrongTokenCount);
        EXPECT_EQ(r.counter, 3);   // third non-blank line
        EXPECT_EQ(r.fileLine, 4);  // fourth line of the file
        EXPECT_EQ(r.cislo, "C");
        EXPECT_TRUE(t.empty());
        EXPECT_NE(DescribeCoordinateFailure(r).find("line 3 (line 4 of the file)"),
                  std::string::npos);
    }
}

TEST(CoordinateFileReader, RejectsBadAndOutOfRangeNumbers) {
    struct Pripad {
        std::string radek;
        CoordinateFileError chyba;
    };
    for (const Pripad& p : {Pripad{"A 1 x 3", CoordinateFileError::BadNumber},
                            Pripad{"A 1 2 1e-13", CoordinateFileError::NumberOutOfRange},
                            Pripad{"A 1.5e12 2 3", CoordinateFileError::NumberOutOfRange},
                            Pripad{"A 1,2,3 2 3", CoordinateFileError::BadNumber}}) {
        Text t = {p.radek};
        const CoordinateFileResult r = ReadCoordinatesYXZ(t, kMetr);
        EXPECT_FALSE(r.ok) << p.radek;
        EXPECT_EQ(r.error, p.chyba) << p.radek;
        EXPECT_EQ(r.counter, 1);
        EXPECT_TRUE(t.empty());
    }
    Text hranice = {"A 0 1e-12 1e12"};
    EXPECT_TRUE(ReadCoordinatesXYZ(hranice, kMetr).ok);
}

TEST(ScaleFactorReader, AcceptsZeroAndFactorsStrictlyInsideTheNumberRange) {
    Text t = {" P1\t1,0000213 ", "", "P2 0", "P3 -0.5"};
    const CoordinateFileResult r = ReadScaleFactors(t);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.counter, 3);
    // The lines stay as they are, only trimmed and without blank lines.
    EXPECT_EQ(t, (Text{"P1\t1,0000213", "P2 0", "P3 -0.5"}));
}

TEST(ScaleFactorReader, RejectsTheBoundsOfTheNumberRangeAndBadLines) {
    for (const std::string bad : {"P 1e12", "P 1e-12", "P 1e-13", "P x", "P 1 2", "P"}) {
        Text t = {"A 1", bad};
        const CoordinateFileResult r = ReadScaleFactors(t);
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.counter, 2) << bad;
        EXPECT_TRUE(t.empty());
    }
}

TEST(CoordinateFileWriter, WritesFixedDecimalsAndDropsDeviations) {
    Text t = {"P1\t1000.5\t2000\t0\t\t0.001", "P2\t-1.23456\t2\t3\t"};
    const CoordinateFileResult r = WriteCoordinatesXYZ(t, kMetr, 4);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(t, (Text{"P1 1000.5000 2000.0000 0.0000", "P2 -1.2346 2.0000 3.0000"}));

    Text y = {"P1\t1\t2\t3\t"};
    ASSERT_TRUE(WriteCoordinatesYXZ(y, kMetr, 2).ok);
    EXPECT_EQ(y, Text{"P1 2.00 1.00 3.00"});
}

TEST(CoordinateFileWriter, FailsWithAnEmptyTextOnShortLinesAndUnreadableValues) {
    Text kratka = {"A\t1\t2\t3\t", "B\t1\t2"};
    CoordinateFileResult r = WriteCoordinatesXYZ(kratka, kMetr, 4);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, CoordinateFileError::WrongTokenCount);
    EXPECT_EQ(r.counter, 2);
    EXPECT_TRUE(kratka.empty());

    // 1e12 m is a valid internal value but 3.28e12 ft could not be read back.
    Text velka = {"A\t1e12\t0\t0\t"};
    r = WriteCoordinatesXYZ(velka, kStopa, 4);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, CoordinateFileError::UnwritableValue);
    EXPECT_EQ(r.cislo, "A");
    EXPECT_TRUE(velka.empty());
}

TEST(ScaleFactorWriter, WritesFixedDecimalsAndRefusesBadLines) {
    Text t = {"P1\t1.0000213", "P2\t0"};
    ASSERT_TRUE(WriteScaleFactors(t, 8).ok);
    EXPECT_EQ(t, (Text{"P1 1.00002130", "P2 0.00000000"}));

    Text spatna = {"P1\t1\t2"};
    EXPECT_FALSE(WriteScaleFactors(spatna, 8).ok);
    EXPECT_TRUE(spatna.empty());

    // A factor that would be written as the excluded bound 1e12 is refused.
    Text hranice = {"P1\t999999999999.9999"};
    const CoordinateFileResult r = WriteScaleFactors(hranice, 2);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, CoordinateFileError::UnwritableValue);
}

TEST(CoordinateFileDispatch, FollowsTheFormatCodesAndEmptiesTheTextForUnknownOnes) {
    Tnastaveni n;
    n.Default();
    n.souborVstup.typSouradnice = kFormatYXZ;
    Text t = {"P 1 2 3"};
    ASSERT_TRUE(ReadCoordinateFile(t, n).ok);
    EXPECT_EQ(t, Text{"P 2 1 3"});

    n.souborVystup.typSouradnice = kFormatXYZ;
    Text w = {"P\t1\t2\t3\t"};
    ASSERT_TRUE(WriteCoordinateFile(w, n).ok);
    EXPECT_EQ(w, Text{"P 1.0000 2.0000 3.0000"});  // 4 decimals by default

    n.souborVstup.typSouradnice = 2;
    n.souborVystup.typSouradnice = 2;
    Text a = {"P 1 2 3"};
    Text b = {"P\t1\t2\t3\t"};
    const CoordinateFileResult r = ReadCoordinateFile(a, n);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, CoordinateFileError::UnknownFormat);
    EXPECT_FALSE(WriteCoordinateFile(b, n).ok);
    EXPECT_TRUE(a.empty());
    EXPECT_TRUE(b.empty());
}

}  // namespace
}  // namespace vertano

namespace vertano {
namespace {

// Identical points may give 0 to 3 standard deviations, in the coordinate unit,
// in the order of the file's coordinates; 0 means not given. The points keep them
// (metres), and a deviation nobody can have rejects the file at its line.
TEST(IdenticalPointFileReader, ReadsUpToThreeDeviationsInTheOrderOfTheCoordinates) {
    Text t = {"A 10 20 30", "B 10 20 30 0.005", "C 1 2 3 0 0,004 0.01"};
    ASSERT_TRUE(ReadIdenticalPointsXYZ(t, jednotka::kMetr).ok);
    EXPECT_EQ(t, (Text{"A 10 20 30", "B 10 20 30 0.005 0 0", "C 1 2 3 0 0.004 0.01"}));
    Tsouradnice s;
    ASSERT_TRUE(PridejBodySOdchylkami(s, t, 7).ok);
    EXPECT_EQ(s.bod[0].Presnost().sig_X, -1);
    EXPECT_EQ(s.bod[1].Presnost().sig_X, 0.005L);
    EXPECT_EQ(s.bod[1].Presnost().sig_Y, -1);
    EXPECT_EQ(s.bod[2].Presnost().sig_X, -1);
    EXPECT_EQ(s.bod[2].Presnost().sig_Y, 0.004L);
    EXPECT_EQ(s.bod[2].Presnost().sig_Z, 0.01L);
    EXPECT_FALSE(s.bod[2].JeFixni);
    EXPECT_EQ(s.bod[2].soubor, 7);

    Text yxz = {"P 20 10 30 0.002 0.001", "Q 1 2 3 1"};
    ASSERT_TRUE(ReadIdenticalPointsYXZ(yxz, jednotka::kStopa).ok);
    EXPECT_EQ(yxz[0], "P 3.048 6.096 9.144 0.0003048 0.0006096 0");

    for (const std::string bad : {"P 1 2 3 -0.001", "P 1 2 3 0 0 100", "P 1 2 3 0 0 0 0"}) {
        Text b = {"A 1 2 3", bad};
        const CoordinateFileResult r = ReadIdenticalPointsXYZ(b, jednotka::kMetr);
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.counter, 2);
        EXPECT_TRUE(b.empty());
    }
    // The given network points still take exactly four values.
    Text dane = {"A 1 2 3 0.001"};
    EXPECT_FALSE(ReadCoordinatesXYZ(dane, jednotka::kMetr).ok);
}

}  // namespace
}  // namespace vertano

namespace vertano {
namespace {

// The point file of transformed points: deviations after the coordinates in the
// unit, two decimals more, 0 for one not set, in the order of the format; a
// deviation too small for the decimals keeps its value; it reads back.
TEST(IdenticalPointFileWriter, WritesDeviationsThatReadBack) {
    Tsouradnice s;
    for (const char* c : {"A", "B", "C"}) {
        Tbod b = Tbod::Prazdny();
        b.cislo = c;
        b.X = 1000.12345;
        b.Y = 2000;
        b.Z = 300;
        b.JePlny = true;
        s.PridejBod(b);
    }
    s.bod[0].UpravPresnost().sig_X = 0.0012345L;
    s.bod[0].UpravPresnost().sig_Y = 0.002;
    s.bod[0].UpravPresnost().sig_Z = 0.003;
    s.bod[1].UpravPresnost().sig_Y = 0.0000001;
    Tnastaveni n;
    n.Default();
    std::vector<std::string> text;
    ASSERT_TRUE(UlozDoStringList(s, text).ok);
    std::vector<std::string> yxz = text;
    ASSERT_TRUE(WriteCoordinateFileWithDeviations(text, n).ok);
    EXPECT_EQ(text,
              (Text{"A 1000.1235 2000.0000 300.0000 0.001235 0.002000 0.003000",
                    "B 1000.1235 2000.0000 300.0000 0 1E-7 0", "C 1000.1235 2000.0000 300.0000"}));
    ASSERT_TRUE(ReadIdenticalPointsXYZ(text, jednotka::kMetr).ok);
    Tsouradnice zpet;
    ASSERT_TRUE(PridejBodySOdchylkami(zpet, text, 1).ok);
    EXPECT_EQ(zpet.bod[1].Presnost().sig_Y, 1e-7L);
    EXPECT_EQ(zpet.bod[1].Presnost().sig_X, -1);
    EXPECT_EQ(zpet.bod[2].Presnost().sig_Z, -1);

    n.souborVystup.typSouradnice = kFormatYXZ;
    n.jednotky.souradnice = jednotka::kStopa;
    ASSERT_TRUE(WriteCoordinateFileWithDeviations(yxz, n).ok);
    EXPECT_EQ(yxz[0], "A 6561.6798 3281.2449 984.2520 0.006562 0.004050 0.009843");
}

}  // namespace
}  // namespace vertano
