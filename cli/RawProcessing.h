#pragma once

#include "Session.h"

namespace vertano::cli {

// The preparation of the raw measurements read (ZpracovatSurovaMereni) with the
// set commands the options ask for: --order simultaneous, --mirror,
// --drop-unassigned. The commands' messages are shown through the session's
// interaction.
void ProcessRaw(Session& s);

}  // namespace vertano::cli
