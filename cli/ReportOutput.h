#pragma once

#include "Session.h"

namespace vertano::cli {

// --report: the report is built in memory first and written only when it is
// complete, through a temporary file. When it cannot be built the message of
// the catalogue is shown and no file is written. True when written.

// The network adjustment report of the adjusted workspace, with the sections of
// --report-sections.
bool WriteAdjustmentReport(Session& s);

// Part A of the report (raw measurements, face differences and means, set
// means) from the raw measurements alone.
bool WriteRawReport(Session& s);

}  // namespace vertano::cli
