#pragma once

#include <string>

#include "Session.h"
#include "workspace/Transformace.h"

namespace vertano::cli {

// The results of a transformation as the command line gives them: the summary
// printed on the output, the JSON document of --json and the point file of -o.
// `bodASmernik` chooses the point-and-bearing conversion, otherwise the one of
// the transformation with adjustment. Standard deviations are for the a priori
// unit standard deviation: the key's of the transformation settings, the
// transformed points' of the network adjustment (the key's uncertainty is not
// in them).

void PrintTransformSummary(Session& s, bool bodASmernik, const VysledekTransformace& vysledek);

// The whole result in metres and radians (see the README for its layout); empty
// when a figure cannot be scaled (not finite).
std::string TransformJson(const Workspace& ws, bool bodASmernik);

// The transformed points, determined points first, as XYZ in the coordinate
// unit of the settings with the standard deviations of the determined points
// after the coordinates (a file that loads again as identical points); false
// with an English message naming the file.
bool WriteTransformedPoints(const Workspace& ws, bool bodASmernik, const std::string& path,
                            std::string& error);

}  // namespace vertano::cli
