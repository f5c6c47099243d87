#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileResult.h"

namespace vertano {

class Tnastaveni;

// Format codes of coordinate files (souborVstup/souborVystup.typSouradnice).
inline constexpr uint8_t kFormatXYZ = 0;
inline constexpr uint8_t kFormatYXZ = 1;

// The file formats of point coordinates and scale factors. Every routine works on
// a list of text lines in place. On failure the text is emptied, so that half a
// file can never pass for a whole one.
//
// Coordinate files hold one point per non-blank line: number, X, Y, Z (or number,
// Y, X, Z), lengths in the unit `jednotka` (jednotky.souradnice). Scale-factor
// files hold number and factor.

// File lines -> canonical lines "number X Y Z" (single blanks, metres, general
// notation, X before Y), the form PridejBody reads.
CoordinateFileResult ReadCoordinatesXYZ(std::vector<std::string>& text, uint8_t jednotka);
CoordinateFileResult ReadCoordinatesYXZ(std::vector<std::string>& text, uint8_t jednotka);

// Identical points of the output system: the same lines with up to three
// standard deviations after the coordinates (sX sY sZ, or sY sX sZ in YXZ), in
// the coordinate unit, 0 for one not given (the default of the transformation
// settings applies). A deviation must be 0 or more than 0 and less than 100 m.
// The canonical line gets "sX sY sZ" (0 for not given) when the file line has
// any; PridejBodySOdchylkami reads it.
CoordinateFileResult ReadIdenticalPointsXYZ(std::vector<std::string>& text, uint8_t jednotka);
CoordinateFileResult ReadIdenticalPointsYXZ(std::vector<std::string>& text, uint8_t jednotka);

// Checks the lines of a scale-factor file; on success the text is the trimmed
// non-blank lines, which PridejBodyMeritko reads.
CoordinateFileResult ReadScaleFactors(std::vector<std::string>& text);

// The files of the three kinds, read one line at a time.
enum class CoordinateFileKind { Points, IdenticalPoints, ScaleFactors };

// One prepared line (`counter` among the non-blank lines, `fileLine` in the file)
// of a file of `kind` in the format and unit of the settings: the canonical line
// the readers above make of it, or their failure for it (UnknownFormat for an
// unknown format code). Control characters are the caller's to check first, as
// the readers above check the whole text first.
CoordinateFileResult CanonicalFileLine(CoordinateFileKind kind, const Tnastaveni& nastaveni,
                                       std::string_view line, int32_t counter, int32_t fileLine,
                                       std::string& canonical);

// Internal coordinate lines (UlozDoStringList) -> file lines of the number and the
// three coordinates in the unit `jednotka` with `decimals` decimals; deviations are
// dropped. Fails when a line has fewer than four tokens or a value would be
// written in a form the readers refuse.
CoordinateFileResult WriteCoordinatesXYZ(std::vector<std::string>& text, uint8_t jednotka,
                                         int decimals);
CoordinateFileResult WriteCoordinatesYXZ(std::vector<std::string>& text, uint8_t jednotka,
                                         int decimals);

// Internal scale lines (UlozDoStringListMeritko) -> file lines of the number and
// the factor with `decimals` decimals.
CoordinateFileResult WriteScaleFactors(std::vector<std::string>& text, int decimals);

// Dispatch by souborVstup.typSouradnice (reading) and souborVystup.typSouradnice
// (writing) with the units and decimals of the settings; an unknown code empties
// the text and fails with UnknownFormat.
CoordinateFileResult ReadCoordinateFile(std::vector<std::string>& text,
                                        const Tnastaveni& nastaveni);
CoordinateFileResult ReadIdenticalPointFile(std::vector<std::string>& text,
                                            const Tnastaveni& nastaveni);
CoordinateFileResult WriteCoordinateFile(std::vector<std::string>& text,
                                         const Tnastaveni& nastaveni);
// The same with the standard deviations of the internal lines after the
// coordinates (sX sY sZ, or sY sX sZ in YXZ; "0" for one not set) in the unit
// with two decimals more: the form ReadIdenticalPointFile reads.
CoordinateFileResult WriteCoordinateFileWithDeviations(std::vector<std::string>& text,
                                                       const Tnastaveni& nastaveni);
CoordinateFileResult WriteScaleFile(std::vector<std::string>& text, const Tnastaveni& nastaveni);

}  // namespace vertano
