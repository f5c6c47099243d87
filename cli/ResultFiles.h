#pragma once

#include "Session.h"
#include "workspace/VystupySite.h"

namespace vertano::cli {

// The files of adjust besides the coordinates and the JSON: the epoch (--epoch),
// the DXF drawing (--dxf) and the picture of the network (--plot), with the
// drawing options of the settings and of the command line. Each is written on
// its own; a file that cannot be written is announced (message 28 and the
// reason) and leaves an existing file as it was. True when every file asked for
// was written.
// `vysledek` says which result (DruhVysledku: the adjustment, or a
// transformation).
bool WriteResultFiles(Session& s, DruhVysledku vysledek);

}  // namespace vertano::cli
