#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "JsonWriter.h"
#include "workspace/Workspace.h"

namespace vertano::cli {

// The results of an adjusted network as the command line gives them: the summary
// printed on the output, the JSON document of --json and the coordinate file of
// --coords. They read the adjusted and the outlier model of the workspace; the
// accuracy figures are those of the library's view of the results for the
// a-priori unit standard deviation, as the adjustment window shows them by
// default.

// Stable English keys, for JSON and for scripts reading the summary.
// Kind of observation (velicina::k...): "distance", "direction", "zenith",
// "supp-distance", "supp-bearing", "supp-height", "supp-plumb"; empty otherwise.
std::string_view ObservationKindKey(int32_t typ);
// Datum type (fixace::k...), e.g. "fixed-points", "one-point-bearing", "free";
// "-distances" types have measured distances, which give the scale.
std::string_view DatumKey(int32_t typFixace);
// Source of the weights (zdrojVah::k...): "inner", "outer", "given".
std::string_view WeightSourceKey(int32_t typVah);

// One point as an object of the "points" array: name, x, y, z, fixed, sx, sy,
// sz, ellipse {a, b, bearing}, ellipsoid [{length, bearing, zenith} x 3]. A fixed
// point has no accuracy of its own: its figures are null.
void WritePoint(JsonWriter& w, const Tbod& b);

// The whole result in metres and radians (see the README for its layout); empty
// when the accuracy figures cannot be scaled (a figure that is not finite).
std::string AdjustmentJson(const Workspace& ws);

// Writes the adjusted coordinates of every point of the adjusted model
// (determined points first, then fixed points) as an XYZ file in the coordinate
// unit of the settings; false with an English message naming the file.
bool WriteAdjustedCoordinates(const Workspace& ws, const std::string& path, std::string& error);

}  // namespace vertano::cli
