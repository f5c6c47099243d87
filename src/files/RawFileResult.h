#pragma once

#include <cstdint>
#include <string>

namespace vertano {

// Why a raw measurement file could not be read or a list could not be written. The
// user interface translates the code; RawFileErrorText gives the English wording.
enum class RawFileError {
    None,
    CannotOpen,
    BadEncoding,
    UnknownFormat,
    WrongTokenCount,   // a line with other than the required number of values
    TooFewTokens,      // an ASC line with fewer values than it needs
    BadStationNumber,  // the station number is not a whole number
    NegativeStation,
    BadNumber,
    NumberOutOfRange,  // neither 0 nor a magnitude within [1e-12, 1e12]
    InconsistentStationName,
    InconsistentInstrumentHeight,
    MissingStationHeader,  // "1 name [height]" expected
    MissingBlockEnd,       // the second-to-last line of an ASC file is not "/"
    MissingFileEnd,        // the last line of an ASC file is not "-2"
    TooFewLines,           // an ASC file needs at least "/" and "-2"
    UnwritableName,        // empty, with blanks, or a word the format reserves
    UnwritableValue,       // not finite or too large to be read again
    NothingToWrite,        // a list without a full row
};

// Outcome of a reader, writer or exporter. `counter` is what the project state
// records: rows read on success; on failure the 1-based number of the offending line
// among the non-blank lines (for a writer: the 1-based index of the offending row).
// `fileLine` is the same line counted in the file itself, blank lines included.
struct RawFileResult {
    bool ok = true;
    int32_t counter = 0;
    int32_t fileLine = 0;
    RawFileError error = RawFileError::None;
    std::string detail;  // the offending text, or a note such as "9 values, 8 expected"
};

RawFileResult RawFailure(RawFileError error, int32_t counter, int32_t fileLine,
                         std::string detail = {});

// English rendering of a reason, e.g. "wrong number of values on the line".
const char* RawFileErrorText(RawFileError error);

// A one-line English description: "line 4 (line 6 of the file): not a number: 1,2,3".
std::string DescribeRawFailure(const RawFileResult& result);

}  // namespace vertano
