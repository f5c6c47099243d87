#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mereni/Tmereni.h"

namespace vertano {

class Tnastaveni;

// Why a supplementary measurement text could not be read or a list could not be
// written. The user interface translates the code; SupplementaryFileErrorText
// gives the English wording.
enum class SupplementaryFileError {
    None,
    CannotOpen,
    BadEncoding,
    UnknownKind,
    WrongTokenCount,   // a line with other than the kind's number of fields
    BadNumber,         // a value that is not a number
    NumberOutOfRange,  // neither 0 nor a magnitude within [1e-12, 1e12]
    UnwritableName,    // a point number that is empty or contains blanks
    UnwritableValue,   // a value that is not finite or too large to be read again
    CannotSave,
};

// Outcome of a reader or writer. `counter` is what the project state records for
// a file: rows read on success; on failure the 1-based number of the offending
// line among the non-blank lines (for a writer: the 1-based index of the
// offending row in the list). `fileLine` is the same line counted in the file
// itself, blank lines included; writers leave it 0.
struct SupplementaryFileResult {
    bool ok = true;
    int32_t counter = 0;
    int32_t fileLine = 0;
    SupplementaryFileError error = SupplementaryFileError::None;
    std::string detail;  // the offending text, or a note such as "4 values, 3 expected"
};

const char* SupplementaryFileErrorText(SupplementaryFileError error);
// "line 4 (line 6 of the file): not a number: 1,2,3"; empty when ok.
std::string DescribeSupplementaryFailure(const SupplementaryFileResult& result);

// Text file of one kind (doplnek::k...), one measurement per non-blank line,
// fields separated by blanks or tabs:
//   bearing: from point, to point, bearing (angle unit jednotky.uhel);
//   slope distance: station, instrument height, target, target height, distance
//     (length unit jednotky.delka);
//   height difference: from point, to point, height difference (length unit);
//   plumbing: point, point.
// No standard deviation is stored.
//
// Reading replaces `mereni` by one row per line, starting from the empty row:
// poradi = the line's number among the non-blank lines, the fields in radians and
// metres, the validity flags set (KontrolaZaznamuDoplnku). The first line with
// another number of fields or a bad number rejects the whole text: `mereni` is
// left empty and the result names the line.
SupplementaryFileResult ReadSupplementary(int druh, const std::vector<std::string>& lines,
                                          const Tnastaveni& nastaveni, Tmereni& mereni);

// Writes every filled row (empty rows are skipped, wherever they stand) in the
// order of the fields above, separated by one blank, in the display units with
// presnost.delka.hodnota / presnost.uhel.hodnota decimals and "." as separator.
// A valid bearing that would round up to a full circle is written as 0, so that
// it reads back valid. On failure `lines` is empty.
SupplementaryFileResult WriteSupplementary(int druh, const Tmereni& mereni,
                                           const Tnastaveni& nastaveni,
                                           std::vector<std::string>& lines);

}  // namespace vertano
