#pragma once

#include <cstdint>

#include "Session.h"

namespace vertano::cli {

// The error summaries of the check command, in the language in force. Each
// section is a title line followed by one indented "name: count" line per check
// and the total ("Errors summary: n"); each returns that total, the count that
// stops the raw-data analysis. A list whose total is above 0 also gets the
// notification the analysis would stop with.

// The raw list: its stations, the rows outside sets and every flag.
int32_t PrintRawChecks(Session& s);
// Every row with something wrong: serial number, station, target, set, face (I or
// II) and the names of the problems, TAB-separated under a header line.
void PrintRawRows(Session& s);

// Given points: duplicate numbers, points coincident in space, points coincident
// in plan only (a warning: not in the total).
int32_t PrintPointChecks(Session& s);
// Scale factors: duplicate numbers, factors out of range.
int32_t PrintScaleChecks(Session& s);
// Each kind of supplementary measurement given on the command line.
int32_t PrintSupplementaryChecks(Session& s);

}  // namespace vertano::cli
