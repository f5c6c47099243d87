#include <gtest/gtest.h>

#include <string>

#include "exchange/CsvBody.h"
#include "exchange/Zapisovace.h"
#include "mereni/Jednotky.h"

namespace vertano::exchange {
namespace {

TEST(CsvPoints, ReadsAnyColumnOrderSeparatorDecimalMarkAndHeader) {
    const struct {
        const char* options;
        const char* text;
    } cases[] = {
        {"", "name,x,y,z\nP1,100.5,200.25,10\n\"P2\",1,2,3\n"},
        {"order=NYXZ,sep=;,decimal=,", "P1;200,25;100,5;10\nP2;2;1;3\n"},
        {"order=-NXYZ,sep=tab,header=no", "1\tP1\t100.5\t200.25\t10\n2\tP2\t1\t2\t3\n"},
        {"order=NXYZ,sep=space", "P1  100.5 200.25 10\nP2 1 2 3\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options);
        CsvVolby v;
        std::string error;
        ASSERT_TRUE(ParseCsvVolby(c.options, v, error)) << error;
        Tsouradnice body;
        std::vector<Poznamka> notes;
        const FileResult r = ReadCsvBody(c.text, v, 0, body, notes);
        ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
        ASSERT_EQ(body.bod.size(), 2u);
        EXPECT_EQ(body.bod[0].cislo, "P1");
        EXPECT_EQ(body.bod[0].X, 100.5L);
        EXPECT_EQ(body.bod[0].Y, 200.25L);
        EXPECT_EQ(body.bod[1].Z, 3);
        EXPECT_TRUE(body.bod[0].JeFixni);
    }
    // A quoted name with a blank is refused like any such name.
    Tsouradnice body;
    std::vector<Poznamka> notes;
    const FileResult r = ReadCsvBody("\"P 2\",1,2,3\n", CsvVolby{}, 0, body, notes);
    EXPECT_EQ(r.error, FileError::UnwritableName);
    EXPECT_TRUE(body.bod.empty());
}

TEST(CsvPoints, RefusesTheWrongDecimalMarkAndFieldCountsWithTheLine) {
    CsvVolby v;
    Tsouradnice body;
    std::vector<Poznamka> notes;
    FileResult r = ReadCsvBody("P1,1,2,3\n\nP2,1,2\n", v, 0, body, notes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fileLine, 3);
    EXPECT_EQ(r.error, FileError::WrongTokenCount);
    EXPECT_TRUE(body.bod.empty());
    v.oddelovac = ';';
    r = ReadCsvBody("P1;1,5;2;3\n", v, 0, body, notes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, FileError::BadNumber);
    r = ReadCsvBody("P1;\"1;2\n", v, 0, body, notes);
    EXPECT_FALSE(r.ok);
    // A header is taken only on the first line.
    r = ReadCsvBody("P1;1;2;3\nname;x;y;z\n", v, 0, body, notes);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fileLine, 2);
    CsvVolby bad;
    std::string error;
    EXPECT_FALSE(ParseCsvVolby("order=NXYY", bad, error));
    EXPECT_FALSE(ParseCsvVolby("sep=,,decimal=,", bad, error));
    // Feet are converted.
    r = ReadCsvBody("P1;1;2;3\n", v, jednotka::kStopa, body, notes);
    ASSERT_TRUE(r.ok);
    EXPECT_NEAR(double(body.bod[0].Z), 3 * 0.3048, 1e-15);
}

TEST(CsvResults, WritesPointsAndObservationsForASpreadsheet) {
    VyrovnanaSit sit;
    VyrovnanyBod a;
    a.cislo = "A,1";
    a.X = 1000;
    a.Y = 2000.5;
    a.Z = 300;
    a.sigX = 0.0012;
    a.sigY = 0.0015;
    a.sigZ = 0.0021;
    a.elipsaA = 0.0016;
    a.elipsaB = 0.001;
    a.elipsaSmernik = 0.5;
    VyrovnanyBod b;
    b.cislo = "B";
    b.fixni = true;
    sit.body = {a, b};
    VyrovnaneMereni m;
    m.druh = DruhMereni::Smer;
    m.od = "A,1";
    m.k = "B";
    m.hodnota = 1;
    m.vyrovnana = 1.00001;
    m.oprava = 0.00001;
    m.odchylka = 0.000005;
    sit.mereni = {m};
    std::vector<std::string> lines;
    ASSERT_TRUE(ZapsatCsvBody(sit, ';', ',', lines).ok);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "A,1;1000,0000;2000,5000;300,0000;0;1,20;1,50;2,10;1,60;1,00;31,8310");
    EXPECT_EQ(lines[2], "B;0,0000;0,0000;0,0000;1;;;;;;");
    ASSERT_TRUE(ZapsatCsvBody(sit, ',', '.', lines).ok);
    EXPECT_EQ(lines[1].substr(0, 6), "\"A,1\",");
    ASSERT_TRUE(ZapsatCsvMereni(sit, ',', '.', lines).ok);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(0, 25), "direction,\"A,1\",B,63.6619");
}

}  // namespace
}  // namespace vertano::exchange
