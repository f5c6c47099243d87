#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vertano {

// Why a coordinate or scale-factor text could not be read or a list could not be
// written. The user interface translates the code; CoordinateFileErrorText gives
// the English wording.
enum class CoordinateFileError {
    None,
    CannotOpen,
    BadEncoding,
    UnknownFormat,
    WrongTokenCount,   // a line with other than the required number of values
    BadNumber,         // a value that is not a number
    NumberOutOfRange,  // neither 0 nor a magnitude the rules of the file allow
    BadBoolean,        // a fixation flag that is neither a number nor True/False
    UnwritableName,    // a point number that is empty or contains blanks
    UnwritableValue,   // a value that is not finite or too large to be read again
    CannotSave,
};

// Outcome of a reader or writer of coordinate or scale-factor text. `counter` is
// what the project state records for a file: lines read on success; on failure the
// 1-based number of the offending line among the non-blank lines (for a writer:
// the 1-based number of the offending full point, which is also its line in the
// file). `fileLine` is the same line counted in the text as given, blank lines
// included; writers leave it 0.
struct CoordinateFileResult {
    bool ok = true;
    int32_t counter = 0;
    int32_t fileLine = 0;
    CoordinateFileError error = CoordinateFileError::None;
    int32_t found = 0;     // values found (WrongTokenCount), the code (UnknownFormat)
    std::string expected;  // what was wanted: "4", "4 to 7", an accepted range
    std::string token;     // the offending text, when one is to blame
    std::string cislo;     // the point number of the line, when known
};

// English rendering of a reason, e.g. "wrong number of values on the line".
std::string_view CoordinateFileErrorText(CoordinateFileError error);

// A one-line English description of a failure without the file name:
// "line 4 (line 6 of the file), point P7: not a number: \"1,2,3\"". Empty when ok.
std::string DescribeCoordinateFailure(const CoordinateFileResult& result);

}  // namespace vertano
