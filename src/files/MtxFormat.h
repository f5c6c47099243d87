#pragma once

#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "files/FileResult.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"
#include "mereni/Tmereni.h"

namespace vertano {

// The matrix format MTX: one measurement per line, eight values: station number,
// station, instrument height, target, target height, direction, zenith angle,
// distance (0 = not measured), in the units of nastaveni.jednotky.

// Reads the lines of a file into `mereni` (cleared first). A file is accepted or
// rejected as a whole: on failure `mereni` is left empty. Stations are renumbered
// 1, 2, ... where a new station begins.
RawFileResult ReadMtx(const std::vector<std::string>& lines, const Tnastaveni& nastaveni,
                      Tmereni& mereni);
RawFileResult ReadMtxPrepared(const std::vector<PreparedLine>& lines, const Tnastaveni& nastaveni,
                              Tmereni& mereni);
RawFileResult ReadMtxPrepared(const std::vector<PreparedLineView>& lines,
                              const Tnastaveni& nastaveni, Tmereni& mereni);
// The same on the whole text of a file, which it goes through line by line
// without a list of its lines: the way a large file is loaded.
RawFileResult ReadMtxText(std::string_view text, const Tnastaveni& nastaveni, Tmereni& mereni);
// The same on a file read piece by piece, never held whole. A file that can no
// longer be read, or has changed since it was opened, is CannotOpen (the note
// says why).
RawFileResult ReadMtxStream(const TextStream& text, const Tnastaveni& nastaveni, Tmereni& mereni);

// One line per full row, values converted and rounded as the settings say. Empty
// rows are skipped so that the file reads back. On failure `lines` is empty and the
// result names the row that cannot be written.
RawFileResult WriteMtx(const Tmereni& mereni, const Tnastaveni& nastaveni,
                       std::vector<std::string>& lines);

// Turns lines of the internal text form into exported MTX lines in place: station
// number, station, target, direction, zenith angle, distance, then the standard
// deviations of the internal form as they are. No heights.
RawFileResult ExportMtx(std::vector<std::string>& lines, const Tnastaveni& nastaveni);

}  // namespace vertano
