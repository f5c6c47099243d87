#pragma once

#include <string>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "data/Tsouradnice.h"

namespace vertano::cli {

// One line per point the construction determined, in the order of `body` (the
// approximate list of the analysis): "name: method, first from station S to
// target T (occupation k) in pass p; candidates: polar n, ...", then
// "name: not reached" for every point no construction reached. English.
std::vector<std::string> ExplanationLines(const VysledekPriblizne& vysvetleni,
                                          const Tsouradnice& body);

}  // namespace vertano::cli
