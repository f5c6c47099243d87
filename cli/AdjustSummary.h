#pragma once

#include "Session.h"
#include "workspace/VyrovnaniSite.h"

namespace vertano::cli {

// The summary of the adjusted network of the session's workspace on the output
// stream, one "label: value" per line under the title "Network adjustment", in
// the language in force (labels the language tables do not have are English):
// points, orientations, unknowns, measurements, redundancy, the two unit
// standard deviations, the iterations of both stages, the outliers by kind, the
// datum and the source of the weights.
void PrintAdjustmentSummary(Session& s, const VysledekVyrovnani& vysledek);

}  // namespace vertano::cli
