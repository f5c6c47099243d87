#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tnastaveni.h"
#include "files/RawFileResult.h"
#include "mereni/Text.h"
#include "mereni/Tmereni.h"

namespace vertano::raw {

// Pieces shared by the raw-measurement readers and writers.

// A horizontal direction is an angle that must stay below the full circle when it
// is written: a value just below 2*pi would otherwise be printed as the full
// circle and be rejected by the value check when the file is read again.
enum class Kind { Angle, Direction, Length };

// Units of the internal text form: radians and metres, nothing converted.
nastaveni::Tjednotky InternalUnits();

// Reads a station number (a whole number >= 0). None on success.
RawFileError ReadStationNumber(const std::string& token, int32_t& poradi);
// Reads a number token as an angle or a length in the units `j`.
RawFileError ReadValue(const std::string& token, Kind kind, const nastaveni::Tjednotky& j,
                       Real& value);

// Fills a row from the eight tokens of the MTX order (station number, station,
// instrument height, target, target height, direction, zenith angle, distance),
// starting from the empty row; the face follows from the zenith angle. On failure
// `bad` is the offending token.
RawFileError RowFromTokens(const std::vector<std::string>& t, const nastaveni::Tjednotky& j,
                           Tzaznam& z, std::string& bad);

// Rows of one station (a run of full rows with the same poradi, empty rows
// skipped, as the renumbering groups them) must share the station name and the
// instrument height. Returns the index of the first row that does not, or -1.
int32_t FirstInconsistentRow(const Tmereni& mereni, RawFileError& error);

// A name survives a text file when it is one token: not empty, no blanks or control
// characters.
bool IsWritableName(std::string_view name);

// Renders a value in the unit and with the decimals the settings give for files,
// so that the text reads back: what would round to a magnitude below 1e-12 is
// written as zero, a length of exactly 0 as "0". False when the value is not finite
// or too large for the readers.
bool FormatForFile(Real value, Kind kind, const Tnastaveni& s, std::string& text);

// Checks everything a writer needs of the full rows: consistent stations, writable
// names, station numbers >= 0. Counter of a failure = 1-based row index.
RawFileResult CheckRowsForWriting(const Tmereni& mereni);

std::string Join(const std::vector<std::string>& tokens);

}  // namespace vertano::raw
