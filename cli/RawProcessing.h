#pragma once

#include "Session.h"

namespace vertano::cli {

// What the main window does with freshly added raw measurements, and the set
// commands the options ask for, in this order:
// 1. the sets of every station are identified and every check runs;
// 2. --order simultaneous: "Find measurement sets" rearranges the stations
//    observed target by target in both faces;
// 3. --mirror: every row outside a set gets its mirrored row in the other face;
//    with --order simultaneous the new pairs are then arranged into sets as in 2;
// 4. --drop-unassigned: the rows still outside a set are deleted, after asking;
// 5. a complete fresh identification and check, which the reports read.
// The commands' messages are shown through the session's interaction.
void ProcessRaw(Session& s);

}  // namespace vertano::cli
