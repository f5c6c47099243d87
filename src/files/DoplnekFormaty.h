#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/FileResult.h"
#include "mereni/Tmereni.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

class Tnastaveni;

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
SupplementaryFileResult ReadSupplementary(DruhDoplnku druh, const std::vector<std::string>& lines,
                                          const Tnastaveni& nastaveni, Tmereni& mereni);

// Writes every filled row (empty rows are skipped, wherever they stand) in the
// order of the fields above, separated by one blank, in the display units with
// presnost.delka.hodnota / presnost.uhel.hodnota decimals and "." as separator.
// A valid bearing that would round up to a full circle is written as 0, so that
// it reads back valid. On failure `lines` is empty.
SupplementaryFileResult WriteSupplementary(DruhDoplnku druh, const Tmereni& mereni,
                                           const Tnastaveni& nastaveni,
                                           std::vector<std::string>& lines);

}  // namespace vertano
