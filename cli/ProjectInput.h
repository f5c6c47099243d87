#pragma once

#include "Session.h"

namespace vertano::cli {

// Opens the project of --project into the session's workspace instead of input
// files, prints what it holds, and lets the options given beside it override
// its settings for the run (the project file itself is never rewritten). False,
// with the reason printed, when the project cannot be read: the workspace then
// holds the defaults and no data.
bool LoadProject(Session& s);

// One line per list of the project (measurements, stations, points, scale
// factors, supplementary measurements by kind).
void PrintProjectContents(Session& s);

// The settings a project keeps that shape the results: units, language, the
// weights and the adjustment, the reduction and the drawing.
void PrintProjectSettings(Session& s);

// Points read from files are fixed; --free and --unfix make them unknowns of the
// adjustment. False (reported) when --unfix names a point that is not given: it
// is most likely a typing error, and the point would stay fixed unnoticed.
// Then the measurements --exclude names are switched off (reported and false
// when a pattern matches none).
bool ApplyDatum(Session& s);

}  // namespace vertano::cli
