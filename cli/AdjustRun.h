#pragma once

#include <string>
#include <vector>

#include "Session.h"
#include "workspace/VyrovnaniSite.h"

namespace vertano::cli {

// What adjust and transform share: every input file read (all must be accepted),
// the datum of --free and --unfix applied, the raw measurements processed and
// checked, the measurement analysis and the network adjustment run. kExitOk when
// the network is adjusted; otherwise the exit status, the reason printed.
int ReadAndAdjust(Session& s, const std::vector<int>& codes, VysledekVyrovnani& vysledek);

// Writes the lines of a text through the safe writer; false with the reason
// printed.
bool WriteText(Session& s, const std::string& path, const std::vector<std::string>& lines);

}  // namespace vertano::cli
