#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tnastaveni.h"
#include "files/FileResult.h"
#include "mereni/Text.h"
#include "mereni/Tmereni.h"

namespace vertano::raw {

// Pieces shared by the raw-measurement readers and writers.

// A horizontal direction is an angle that must stay below the full circle when it
// is written: a value just below 2*pi would otherwise be printed as the full
// circle and be rejected by the value check when the file is read again.
enum class Kind { Angle, Direction, Length };

// Decimals of angles in files: those of the settings, but at least
// kMinRadianDecimals in radians. The default of 5 would round away up to 5e-6 rad
// (0.3 mgon), as much as the error of a good measurement.
inline constexpr int kMinRadianDecimals = 9;
int AngleDecimalsForFile(const Tnastaveni& s);

// Units of the internal text form: radians and metres, nothing converted.
nastaveni::Tjednotky InternalUnits();

// Reads a station number (a whole number >= 0). None on success.
FileError ReadStationNumber(const std::string& token, int32_t& poradi);
// Reads a number token as an angle or a length in the units `j`.
FileError ReadValue(const std::string& token, Kind kind, const nastaveni::Tjednotky& j,
                    Real& value);
// The same into a field of a row (written only on success).
FileError ReadValue(const std::string& token, Kind kind, const nastaveni::Tjednotky& j,
                    StoredReal& value);

// "Not measured" in the direction, zenith-angle and distance columns of every raw
// format and of the internal form. A zenith angle carries the face, so a
// missing one says which: "-" (or "-I") face I, "-II" face II. A distance "-"
// is the distance 0, which the formats already take as not measured.
inline constexpr const char* kNemereno = "-";
inline constexpr const char* kNemerenoPrvni = "-I";
inline constexpr const char* kNemerenoDruha = "-II";
bool JeNemereno(const std::string& token);

// Reads the direction, zenith angle and distance of a pointing (each a number or
// a not-measured token) and sets the flags and the face of the row. A pointing
// without any of the three is refused (`bad` names the row's target).
FileError ReadPointing(const std::string& smer, const std::string& zenit, const std::string& delka,
                       const nastaveni::Tjednotky& j, Tzaznam& z, std::string& bad);

// The direction or zenith token of a row that lacks the value, or an empty
// string when the row has it.
std::string ChybejiciSmer(const Tzaznam& z);
std::string ChybejiciZenit(const Tzaznam& z);

// Fills a row from the eight tokens of the MTX order (station number, station,
// instrument height, target, target height, direction, zenith angle, distance),
// starting from the empty row; the face follows from the zenith angle. On failure
// `bad` is the offending token.
FileError RowFromTokens(const std::vector<std::string>& t, const nastaveni::Tjednotky& j,
                        Tzaznam& z, std::string& bad);

// Rows of one station (a run of full rows with the same poradi, empty rows
// skipped, as the renumbering groups them) must share the station name and the
// instrument height. Returns the index of the first row that does not, or -1.
int32_t FirstInconsistentRow(const Tmereni& mereni, FileError& error);

// The check every reader makes after its rows are read (FirstInconsistentRow),
// reported at the line of the offending row; ok when the stations agree.
RawFileResult CheckStations(const Tmereni& nove, const std::vector<PreparedLine>& lines);
RawFileResult CheckStations(const Tmereni& nove, const std::vector<PreparedLineView>& lines);
// The same with the file line of each row.
RawFileResult CheckStations(const Tmereni& nove, const std::vector<int32_t>& fileLines);

// The tokens of a line of the internal text form for an exporter: 8 to 11 values.
RawFileResult InternalFormTokens(const PreparedLine& line, int32_t counter,
                                 std::vector<std::string>& tokens);
// Rewrites a value token of the internal form (radians, metres) in the unit and
// with the decimals the settings give for files; a not-measured token stays.
RawFileResult ConvertForExport(std::string& token, Kind kind, const Tnastaveni& s, int32_t counter,
                               int32_t fileLine);

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
