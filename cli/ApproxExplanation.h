#pragma once

#include <string>
#include <vector>

#include "workspace/VystupyVyrovnani.h"

namespace vertano::cli {

// One line per point the construction determined: "name: method, first from
// station S to target T (occupation k) in pass p; candidates: polar n, ...", then
// "name: not reached" for every point no construction reached. English.
std::vector<std::string> ExplanationLines(const VysvetleniPriblizne& vysvetleni);

}  // namespace vertano::cli
