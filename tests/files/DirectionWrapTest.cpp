#include <gtest/gtest.h>

#include "files/AscFormat.h"
#include "files/MtxFormat.h"
#include "files/RawTestSupport.h"
#include "files/VnitrniForma.h"
#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"

namespace vertano {
namespace {

// A direction a hair below the full circle is printed with the file's decimals as
// the full circle itself ("400.00000" gon, "6.28319" rad); the reader's value
// check would then reject the row that the program wrote. It is written as 0.
class DirectionBelowFullCircle : public ::testing::TestWithParam<uint8_t> {};

TEST_P(DirectionBelowFullCircle, IsWrittenAsZeroInBothFormats) {
    const Tnastaveni s = test::Settings(GetParam(), 0);
    Tmereni m;
    m.PridejZaznam(test::Row(1, "A", 1.5, "B", 1.6, 0, 100, 150));
    m.zaznam[0].smer = kDvePi - 1e-12L;

    std::vector<std::string> mtx;
    ASSERT_TRUE(WriteMtx(m, s, mtx).ok);
    Tmereni back;
    ASSERT_TRUE(ReadMtx(mtx, s, back).ok) << mtx[0];
    EXPECT_EQ(back.zaznam[0].smer, 0) << mtx[0];

    std::vector<std::string> asc;
    ASSERT_TRUE(WriteAsc(m, s, asc).ok);
    Tmereni backAsc;
    ASSERT_TRUE(ReadAsc(asc, s, backAsc).ok);
    EXPECT_EQ(backAsc.zaznam[0].smer, 0);
}

TEST_P(DirectionBelowFullCircle, IsExportedAsZero) {
    const Tnastaveni s = test::Settings(GetParam(), 0);
    Tmereni m;
    m.PridejZaznam(test::Row(1, "A", 1.5, "B", 1.6, 0, 100, 150));
    m.zaznam[0].smer = kDvePi - 1e-12L;
    for (auto exporter : {&ExportMtx, &ExportAsc}) {
        std::vector<std::string> lines;
        ASSERT_TRUE(UlozDoStringList(m, lines).ok);
        ASSERT_TRUE(exporter(lines, s).ok);
        const std::string fullCircle = FormatAngle(kDvePi, GetParam(), s.presnost.uhel.hodnota);
        const std::string zero = FormatAngle(0, GetParam(), s.presnost.uhel.hodnota);
        int withZero = 0;
        for (const std::string& line : lines) {
            EXPECT_EQ(line.find(fullCircle), std::string::npos) << line;
            if (line.find(" " + zero + " ") != std::string::npos) ++withZero;
        }
        EXPECT_EQ(withZero, 1);
    }
}

// Radians are written with at least nine decimals, and 2 pi rounded to them lies
// below the full circle: such a direction is written as itself.
INSTANTIATE_TEST_SUITE_P(AngleUnits, DirectionBelowFullCircle, ::testing::Values(1, 2, 3));

TEST(DirectionBelowFullCircleInRadians, IsWrittenAsItselfAndReadsBack) {
    const Tnastaveni s = test::Settings(jednotka::kRadian, 0);
    Tmereni m;
    m.PridejZaznam(test::Row(1, "A", 1.5, "B", 1.6, 0, 100, 150));
    m.zaznam[0].smer = kDvePi - 1e-12L;
    std::vector<std::string> mtx;
    ASSERT_TRUE(WriteMtx(m, s, mtx).ok);
    Tmereni back;
    ASSERT_TRUE(ReadMtx(mtx, s, back).ok) << mtx[0];
    EXPECT_NEAR(static_cast<double>(back.zaznam[0].smer), static_cast<double>(kDvePi), 1e-9);
}

}  // namespace
}  // namespace vertano
