#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/AscFormat.h"
#include "files/DoplnekFormaty.h"
#include "files/FileResult.h"
#include "files/MtxFormat.h"
#include "files/RawTestSupport.h"
#include "files/SouradniceFormaty.h"
#include "mereni/Jednotky.h"
#include "supplementary/DoplnekDruh.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

// A number outside the file rules is described the same way in every kind of
// file: where (line among the non-blank lines and in the file, the point when
// known), why, the token and what the rules allow.
TEST(FileFailureDescription, RawAndCoordinateFilesReportAlike) {
    Tmereni m;
    const FileResult mtx = ReadMtx({"", "1 A 1 B 1 1e-13 100 0"}, test::Settings(), m);
    EXPECT_EQ(DescribeFileFailure(mtx),
              "line 1 (line 2 of the file): number out of range: 1e-13 (allowed: " +
                  std::string(kNumberRange) + ")");

    std::vector<std::string> body = {"", "P 1 2 1e13"};
    const FileResult xyz = ReadCoordinatesXYZ(body, jednotka::kMetr);
    EXPECT_EQ(DescribeFileFailure(xyz),
              "line 1 (line 2 of the file), point P: number out of range: 1e13 (allowed: " +
                  std::string(kNumberRange) + ")");

    std::vector<std::string> spatnyPocet = {"P 1 2"};
    EXPECT_EQ(DescribeFileFailure(ReadCoordinatesXYZ(spatnyPocet, jednotka::kMetr)),
              "line 1, point P: wrong number of values on the line: 3 values, 4 expected");
    EXPECT_EQ(DescribeFileFailure(FileResult{}), "");
}

// Only the quoted input is cut, and it is escaped; the reason never is cut.
TEST(FileFailureDescription, QuotedInputIsEscapedAndCutTheReasonIsWhole) {
    const std::string reason = "contains NUL characters (UTF-16 text without a byte-order mark?)";
    EXPECT_EQ(DescribeFileFailure(NotedFailure(FileError::BadEncoding, 2, 3, reason)),
              "line 2 (line 3 of the file): the text cannot be decoded: " + reason);
    Tmereni m;
    const FileResult esc = ReadMtx({"1 A\x1B]0;x\x07 1 B 1 0 100 0"}, test::Settings(), m);
    EXPECT_EQ(DescribeFileFailure(esc),
              "line 1: a control character in the line: 1 A\\x1B]0;x\\x07 1 B 1 0 100 0");
    const FileResult longToken =
        ReadMtx({"1 A 1 B 1 0 100 " + std::string(200, '9')}, test::Settings(), m);
    EXPECT_EQ(DescribeFileFailure(longToken),
              "line 1: number out of range: " + std::string(60, '9') +
                  "... (200 bytes) (allowed: " + std::string(kNumberRange) + ")");
}

// A name with a control character would pass through the whole adjustment and
// then be refused by the writers (or reach the terminal raw): every reader
// refuses it at its line, and the message shows it escaped.
TEST(FileFailureDescription, EveryReaderRefusesControlCharactersAtTheirLine) {
    const auto expectRefused = [](const FileResult& r, int32_t fileLine, const char* what) {
        EXPECT_FALSE(r.ok) << what;
        EXPECT_EQ(r.error, FileError::ControlCharacter) << what;
        EXPECT_EQ(r.fileLine, fileLine) << what;
        EXPECT_EQ(DescribeFileFailure(r).find_first_of("\x01\x1B\x7F\x9B"), std::string::npos)
            << what;
    };
    Tmereni m;
    expectRefused(ReadAsc({"1 A 1.5", "-1", "B\x1B 100 1.5 0 100", "/", "-2"}, test::Settings(), m),
                  3, "asc");
    EXPECT_TRUE(m.zaznam.empty());
    std::vector<std::string> xyz = {"A 1 2 3", "",
                                    "B\x01"
                                    "C 1 2 3"};
    expectRefused(ReadCoordinatesXYZ(xyz, jednotka::kMetr), 3, "coordinates");
    std::vector<std::string> identical = {"A\x7F 1 2 3 0.01"};
    expectRefused(ReadIdenticalPointsXYZ(identical, jednotka::kMetr), 1, "identical points");
    std::vector<std::string> scale = {"A 1", "B\xC2\x9B 1"};  // C1 CSI in UTF-8
    expectRefused(ReadScaleFactors(scale), 2, "scale factors");
    Tmereni doplnek;
    expectRefused(ReadSupplementary(DruhDoplnku::Delka, {"S 1.5 T\x1B[2J 1.6 100"},
                                    test::Settings(), doplnek),
                  1, "supplementary");
    EXPECT_TRUE(doplnek.zaznam.empty());
}

// A file that does not decode is refused at its line and its lines are not used;
// a file that cannot be read at all stops the command.
TEST(ReadLinesForLoading, TellsUnreadableFromUndecodable) {
    test::TempDir dir;
    test::WriteBytes(dir / "utf16.txt", std::string("\xFF\xFE"
                                                    "A\0\n\0\0\xD8",
                                                    8));
    std::vector<std::string> lines = {"stale"};
    FileResult r;
    EXPECT_TRUE(ReadLinesForLoading(dir / "utf16.txt", lines, r));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, FileError::BadEncoding);
    EXPECT_EQ(r.counter, 2);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(r.detail.find("utf16.txt"), std::string::npos) << r.detail;

    EXPECT_FALSE(ReadLinesForLoading(dir / "missing.txt", lines, r));
    EXPECT_EQ(r.error, FileError::CannotOpen);
    EXPECT_NE(r.note.find("missing.txt"), std::string::npos);

    test::WriteBytes(dir / "ok.txt", "A 1\r\n\r\nB 2");
    EXPECT_TRUE(ReadLinesForLoading(dir / "ok.txt", lines, r));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(lines, (std::vector<std::string>{"A 1", "", "B 2"}));
}

}  // namespace
}  // namespace vertano
