#pragma once

#include "Session.h"

namespace vertano::cli {

// The preparation of the raw measurements read (ZpracovatSurovaMereni) with the
// set commands the options ask for: --order simultaneous, --mirror,
// --drop-unassigned. The commands' messages are shown through the session's
// interaction.
void ProcessRaw(Session& s);

// Prints the number of errors the checks found and asks the question the main
// window asks before it offers the analysis (AnalyzaPovolena: no error, some
// row in a set). When the analysis is not offered it says why, ending with
// `nothing` ("nothing adjusted"), and returns false.
bool AnalysisOffered(Session& s, const char* nothing);

}  // namespace vertano::cli
