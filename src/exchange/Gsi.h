#pragma once

#include <string_view>
#include <vector>

#include "exchange/Poznamky.h"
#include "files/FileResult.h"
#include "mereni/TextovySoubor.h"
#include "mereni/Tmereni.h"

namespace vertano::exchange {

// The raw data many total stations write: one block (record) per line, made of
// fixed-width words separated by a blank. A word of GSI-8 has 15 characters, one
// of GSI-16 23, and a GSI-16 line begins with "*":
//   positions 1-2  word index (WI): 11 point number, 21 horizontal direction,
//                  22 zenith angle, 31 slope distance, 87 reflector height,
//                  88 instrument height, ...
//   positions 3-6  information; position 6 the unit of the value
//                  (lengths: 0 m / 1 mm, 1 ft / 0.001 ft, 6 m / 0.1 mm,
//                  7 ft / 0.0001 ft, 8 m / 0.01 mm; angles: 2 gon, 3 degrees,
//                  4 degrees-minutes-seconds, 5 mil, 5 decimals, mil 4)
//   position 7     sign
//   positions 8-   the value, 8 or 16 digits (a point number: letters too)
//
// A block with a horizontal direction (21) and a zenith angle (22) is a target
// record: its point number (11), the slope distance (31; none = no distance), the
// reflector height (87; none = the last one of the station) and, when given,
// the instrument height (88, which must be the station's). A block without angles
// that has an instrument height (88) or station coordinates (84-86) is a station
// record: its point (11) starts a new station with that instrument height (and
// a reflector height, 87, for the pointings that give none).
// Every other block (codes, coordinates of points) and every word of a record
// the program has no place for is listed as a note with its line.
//
// A file is read whole or not at all: a word of the wrong length, a value that is
// not a number, an unknown unit, a target record before the first station, or a
// record without its point number refuses it with the line and the reason, and
// `mereni` is left empty. Faces follow from the zenith angle (face II above
// 200 gon). The values are kept in radians and metres.
FileResult ReadGsiText(std::string_view text, Tmereni& mereni, std::vector<Poznamka>& poznamky);
// The same on a file read piece by piece (a large file is never held whole).
FileResult ReadGsiStream(const TextStream& text, Tmereni& mereni, std::vector<Poznamka>& poznamky);

}  // namespace vertano::exchange
