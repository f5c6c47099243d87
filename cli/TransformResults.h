#pragma once

#include <string>
#include <vector>

#include "workspace/Workspace.h"

namespace vertano::cli {

// The JSON document of transform --json (see the README for its layout) from
// the results the workspace assembles (SestavitVysledkyTransformace): metres and
// radians, standard deviations for the a priori unit standard deviations.
// `bodASmernik` chooses the point-and-bearing transformation. Empty when the
// transformation is not current or a figure cannot be scaled.
std::vector<std::string> TransformJson(const Workspace& ws, bool bodASmernik);

}  // namespace vertano::cli
