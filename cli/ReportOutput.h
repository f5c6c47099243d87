#pragma once

#include "Session.h"

namespace vertano::cli {

// --report: the report is built in memory first and written only when it is
// complete, through a temporary file. When it cannot be built the message of
// the catalogue is shown and no file is written. True when written. With F
// among --report-sections the reports of the files read, one per kind of file,
// follow the report.

// The network adjustment report of the adjusted workspace, with the sections of
// --report-sections.
bool WriteAdjustmentReport(Session& s);

// Part A of the report (raw measurements, face differences and means, set
// means) from the raw measurements alone.
bool WriteRawReport(Session& s);

// The report of the transformation run: with adjustment (part D) or by point and
// bearing (part E), with the sections of --report-sections.
bool WriteTransformReport(Session& s, bool pointBearing);

}  // namespace vertano::cli
