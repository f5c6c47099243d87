#pragma once

#include <vector>

#include "data/Tsouradnice.h"
#include "supplementary/TdoplnkoveMereni.h"
#include "workspace/Simulace.h"
#include "workspace/SimulaceBody.h"
#include "workspace/SimulaceMereni.h"
#include "workspace/SimulaceNahoda.h"

namespace vertano::simulace {

// Supplementary measurements of a generated network, each kind between a few
// pairs of points that see each other (a pair observed in the raw measurements):
// slope distances with instrument and signal heights, bearings and height
// differences of the marks, with normal noise (sigma of directions for bearings,
// of distances for distances and height differences); the plumbing pair of the
// layout gets the plumbing tie and the first height difference. Rows are
// numbered 1, 2, ... per kind.
TdoplnkoveMereni SimulovatDoplnky(const Rozvrzeni& rozvrzeni, const std::vector<Obsazeni>& plan,
                                  const SimulaceParametry& p, SimulaceNahoda& nahoda);

}  // namespace vertano::simulace
