#pragma once

#include <string>
#include <vector>

#include "workspace/VystupyVyrovnani.h"

namespace vertano::cli {

// One line per point the construction determined: "name: method, first from
// station S to target T (occupation k) in pass p; candidates: polar n, ...";
// one line per local system (its occupation, its points, the common points with
// the residuals of the fit, or why it could not be fitted); one for the
// refinement; then "name: not reached (reason)" for every point no construction
// reached. English.
std::vector<std::string> ExplanationLines(const VysvetleniPriblizne& vysvetleni);

}  // namespace vertano::cli
