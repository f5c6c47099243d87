#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "matice/Real.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano {

// Why a text file (raw measurements, coordinates, scale factors, supplementary
// measurements) could not be read or a list could not be written. Every reader and
// writer reports with these codes, so the user sees one kind of message whatever
// the file; the user interface translates the code, FileErrorText gives the
// English wording.
enum class FileError {
    None,
    CannotOpen,
    BadEncoding,
    UnknownFormat,
    UnknownKind,       // a supplementary kind other than the four
    WrongTokenCount,   // a line with other than the required number of values
    TooFewTokens,      // an ASC line with fewer values than it needs
    BadStationNumber,  // the station number is not a whole number
    NegativeStation,
    StationOutOfRange,  // more digits than a station number can have
    BadNumber,
    NumberOutOfRange,  // outside what the file allows (detail says what it allows)
    BadDms,            // D.MMSS with minutes or seconds of 60 or more
    ControlCharacter,  // a control character inside a line (ESC, DEL, ...)
    BadBoolean,        // a fixation flag that is neither a number nor True/False
    InconsistentStationName,
    InconsistentInstrumentHeight,
    MissingStationHeader,  // "1 name [height]" expected
    MissingBlockEnd,       // the second-to-last line of an ASC file is not "/"
    MissingFileEnd,        // the last line of an ASC file is not "-2"
    TooFewLines,           // an ASC file needs at least "/" and "-2"
    UnwritableName,        // empty, with blanks, or a word the format reserves
    UnwritableValue,       // not finite or too large to be read again
    NothingToWrite,        // a list without a full row
    CannotSave,
    BadTag,               // a section tag of a project or epoch file missing, repeated or misplaced
    TextOutsideSections,  // a project line before the first section, between two or after the last
    WrongLineCount,       // a section with other than the number of lines it must have
    BadName,              // a point name with a control character
    Unsupported,          // a file of another format holds what the program cannot keep
    NothingMeasured,      // a pointing without direction, zenith angle and distance
    BadFixedAxes,         // the fixed coordinates of a given point are not XYZ, XY or Z
};

// Outcome of a reader, writer or exporter. `counter` is what the project state
// records for a file: rows or points read on success; on failure the 1-based
// number of the offending line among the non-blank lines (for a writer: the
// 1-based index of the offending row or full point). `fileLine` is the same line
// counted in the file itself, blank lines included; writers leave it 0.
struct FileResult {
    bool ok = true;
    int32_t counter = 0;
    int32_t fileLine = 0;
    FileError error = FileError::None;
    std::string detail;   // the offending input (a token, a name, a line): quoted, cut if long
    std::string note;     // the program's own words, such as "9 values, 8 expected": never cut
    std::string allowed;  // NumberOutOfRange: what the file allows
    std::string cislo;    // the point number of the line, when known
};

// A length deviation read from the text of a project (measurement rows) is
// taken only below this [m]; a larger one is left unset: no survey gives it, and
// it is more likely a misplaced coordinate.
inline constexpr Real kMaxOdchylkaDelky = 100;

// The standard deviation of an identical point, the same whether it comes from
// its file or from a project: 0 means not given, anything else must lie
// strictly between 0 and kMaxOdchylkaDelky; other values are refused.
inline constexpr std::string_view kRozsahOdchylkyBodu =
    "0 (not given) or more than 0 and less than 100 m";
inline bool PlatnaOdchylkaBodu(Real metry) {
    return metry == 0 || (metry > 0 && metry < kMaxOdchylkaDelky);
}

// The families of files keep their own names for the one outcome.
using RawFileError = FileError;
using RawFileResult = FileResult;
using CoordinateFileError = FileError;
using CoordinateFileResult = FileResult;
using SupplementaryFileError = FileError;
using SupplementaryFileResult = FileResult;

FileResult FileFailure(FileError error, int32_t counter, int32_t fileLine, std::string detail = {});
// A failure explained in the program's words (`note`) instead of quoted input.
FileResult NotedFailure(FileError error, int32_t counter, int32_t fileLine, std::string note);
// ControlCharacter at the first prepared line that holds one; ok when none does.
FileResult CheckControlCharacters(const std::vector<PreparedLine>& lines);
FileResult CheckControlCharacters(const std::vector<PreparedLineView>& lines);
// WrongTokenCount with the note "<found> values, <expected> expected".
FileResult TokenCountFailure(int32_t counter, int32_t fileLine, size_t found,
                             std::string_view expected);

// What the number rules of the files allow, shown with NumberOutOfRange.
inline constexpr std::string_view kNumberRange = "0 or a magnitude from 1e-12 to 1e12";
// A token that could not be read as a value: the token is the detail and, when it
// is out of range, `allowed` what the rules of the file allow.
FileResult ValueFailure(FileError error, int32_t counter, int32_t fileLine, std::string_view token,
                        std::string_view allowed = kNumberRange);

// English rendering of a reason, e.g. "wrong number of values on the line".
const char* FileErrorText(FileError error);

// A one-line English description without the file name, empty when ok:
// "line 4 (line 6 of the file), point P7: not a number: 1,2,3". Quoted input is
// escaped (QuoteInput) and cut when long; the reason and the note never are.
std::string DescribeFileFailure(const FileResult& result);
inline std::string DescribeRawFailure(const FileResult& r) {
    return DescribeFileFailure(r);
}
inline std::string DescribeCoordinateFailure(const FileResult& r) {
    return DescribeFileFailure(r);
}
inline std::string DescribeSupplementaryFailure(const FileResult& r) {
    return DescribeFileFailure(r);
}

// The first step of every load command: the lines of the file. False when the file
// cannot be read at all (missing, a folder, unreadable, too large): `result` is
// CannotOpen, the command stops there and the file is not registered. True
// otherwise; a text that does not decode is refused like a file with a bad line,
// with `result` BadEncoding at the line that failed and `lines` empty.
bool ReadLinesForLoading(const std::filesystem::path& cesta, std::vector<std::string>& lines,
                         FileResult& result);
// The same with the whole decoded text in one string (for PrepareLineViews).
bool ReadTextForLoading(const std::filesystem::path& cesta, std::string& text, FileResult& result);
// The same with the file opened for reading piece by piece (a large file).
bool OpenTextForLoading(const std::filesystem::path& cesta, TextStream& text, FileResult& result);

}  // namespace vertano
