#pragma once

#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "workspace/Workspace.h"

namespace vertano::cli {

// How the approximate coordinates of the last raw-data analysis came about. The
// analysis keeps only the coordinates; this repeats its construction on the
// same inputs, the raw list as the analysis left it, the given points and the
// scale factors: face means of every set, set means, approximate coordinates from
// the given points that the measurements name (fixed first), the set means
// reduced with them, and the final construction on the reduced means, whose
// history is returned, with `neurcene` naming every point of the measurements
// that got no coordinates. `priblizne` gets the coordinates of that final
// construction (point order), which are those of the analysis.
// False on an arithmetic failure of the means or the reduction.
bool ExplainApproximate(const Workspace& ws, VysledekPriblizne& vysvetleni, Tsouradnice& priblizne);

// One line per point the construction determined, in the order of `body` (the
// approximate list of the analysis): "name: method, first from station S to
// target T (occupation k) in pass p; candidates: polar n, ...", then
// "name: not reached" for every point no construction reached. English.
std::vector<std::string> ExplanationLines(const VysledekPriblizne& vysvetleni,
                                          const Tsouradnice& body);

}  // namespace vertano::cli
