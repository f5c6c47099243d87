#pragma once

#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "files/FileResult.h"
#include "mereni/Text.h"
#include "mereni/Tmereni.h"

namespace vertano {

// The block format ASC: per station a header "1 name [instrument height]", a line
// "-1", the measurements "target distance [target height] direction zenith" and "/";
// the file ends with "-2".

// Reads the lines of a file into `mereni` (cleared first; left empty on failure).
RawFileResult ReadAsc(const std::vector<std::string>& lines, const Tnastaveni& nastaveni,
                      Tmereni& mereni);
RawFileResult ReadAscPrepared(const std::vector<PreparedLine>& lines, const Tnastaveni& nastaveni,
                              Tmereni& mereni);
RawFileResult ReadAscPrepared(const std::vector<PreparedLineView>& lines,
                              const Tnastaveni& nastaveni, Tmereni& mereni);

// One block per station with its instrument height, five values per measurement.
// Fails (with `lines` empty) when a station's rows differ in name or instrument
// height, or a target is named "-1" or "/", since such a file would not read back.
RawFileResult WriteAsc(const Tmereni& mereni, const Tnastaveni& nastaveni,
                       std::vector<std::string>& lines);

// Turns lines of the internal text form into ASC lines in place: headers without
// instrument height, measurements "target distance direction zenith".
RawFileResult ExportAsc(std::vector<std::string>& lines, const Tnastaveni& nastaveni);

}  // namespace vertano
