#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workspace/VyrovnaniSite.h"

namespace vertano {

class Workspace;

// The summary of an adjusted network as the front ends show it, and the stable
// English keys that name its kinds in files and scripts.

// Kind of observation (Velicina): "distance", "direction", "zenith",
// "supp-distance", "supp-bearing", "supp-height", "supp-plumb"; empty otherwise.
std::string_view ObservationKindKey(Velicina typ);
// Datum type, e.g. "fixed-points", "one-point-bearing", "free";
// "-distances" types have measured distances, which give the scale.
std::string_view DatumKey(Fixace typFixace);
// Source of the weights (ZdrojVah): "inner", "outer", "given".
std::string_view WeightSourceKey(ZdrojVah typVah);

// The summary of the adjusted network of the workspace: the title "Network
// adjustment", then one "  label: value" line each for the points, orientations,
// unknowns, measurements, redundancy, the two unit standard deviations, the
// iterations of both stages (the robust ones from the run's result), the
// outliers by kind (rejected / tested [share]), the datum and the source of the
// weights, in the language in force (labels the language tables do not have are
// English). Empty when the network is not adjusted.
std::vector<std::string> RadkySouhrnuVyrovnani(const Workspace& ws,
                                               const VysledekVyrovnani& vysledek);

}  // namespace vertano
