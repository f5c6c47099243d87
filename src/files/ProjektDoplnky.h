#pragma once

#include <string>
#include <vector>

#include "files/FileResult.h"
#include "mereni/Text.h"
#include "mereni/Tmereni.h"

namespace vertano {

// The supplementary measurements as a project file stores them (sections 6 to 9,
// in this order), in radians and metres, fields separated by one TAB:
//   slope distances:     station, instrument height, target, target height, distance
//   bearings:            from point, to point, bearing
//   height differences:  from point, to point, height difference
//   plumbing ties:       point, point
// and, unless sig_delka is exactly -1 (not set), its value as the last field. The
// distance, bearing and height difference are the row's `delka`.
enum class DoplnekProjekt { Delka, Smernik, Prevyseni, Provazeni };

// One line per filled row, in list order. Fails, without lines, on a row the
// reader could not take back (a point name that is empty or holds a blank or a
// control character, a value that is not finite or beyond 1e12); counter = the
// 1-based index of the row in the list, `cislo` its first point.
FileResult ZapsatDoplnekProjekt(DoplnekProjekt druh, const Tmereni& mereni,
                                std::vector<std::string>& radky);

// Replaces `mereni` by one row per line: row i (from 0) is the empty row with
// poradi i + 1, the fields of the line and sig_delka from the optional last field
// (any valid number) or -1 (not set). The rows are those a supplementary file
// gives, so that a project computes exactly as the files it was made from. All
// or nothing: on failure `mereni` is left empty and the result names the line.
FileResult NacistDoplnekProjekt(DoplnekProjekt druh, const std::vector<PreparedLine>& radky,
                                Tmereni& mereni);

}  // namespace vertano
