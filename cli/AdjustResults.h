#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "JsonWriter.h"
#include "workspace/SouhrnVyrovnaniText.h"
#include "workspace/VystupyVyrovnani.h"
#include "workspace/Workspace.h"

namespace vertano::cli {

// The results of an adjusted network as the command line writes them: the JSON
// document of --json and the stable keys of the summary, from the results the
// workspace assembles (SestavitVysledky): the accuracy figures for the a-priori
// unit standard deviation, as the adjustment window shows them by default.

// One point as an object of the "points" array: name, x, y, z, fixed, sx, sy,
// sz, ellipse {a, b, bearing}, ellipsoid [{length, bearing, zenith} x 3]. A fixed
// point has no accuracy of its own: its figures are null.
void WritePoint(JsonWriter& w, const Tbod& b);

// The whole result in metres and radians (see the README for its layout), as
// the lines of the document; none when the network is not adjusted or the
// accuracy figures cannot be scaled (a figure that is not finite).
std::vector<std::string> AdjustmentJson(const Workspace& ws);

// The same in two steps, so that a large document is written as it is made:
// the results it is made from (false, as above, when there is no document to
// make), then the lines handed to `sink` in order (false when it refused one).
bool AdjustmentJsonResults(const Workspace& ws, VysledkyVyrovnani& v);
bool WriteAdjustmentJson(const Workspace& ws, const VysledkyVyrovnani& v,
                         const JsonWriter::LineSink& sink);

}  // namespace vertano::cli
