#pragma once

#include <filesystem>

#include "data/Tjazyk.h"
#include "workspace/Projekt.h"

namespace vertano {

class Workspace;

// Whether opening a project would discard anything: raw measurements, given
// points, identical points, scale factors or supplementary measurements. A
// window asks before it opens a project when this holds.
bool OtevreniZahodiData(const Workspace& ws);

// Opens a project for a window: the file is read in full first and only a file
// that was read completely replaces the settings and the input lists
// (PrevzitProjekt). A file that cannot be read leaves the workspace as it was,
// results and their flags included, so nothing the user had is lost.
VysledekProjektu OtevritProjektBezZtraty(Workspace& ws, const std::filesystem::path& cesta);

// The message after opening, titled "Open Vertano project": on success the
// counts of measurements (raw full rows and supplementary measurements), given
// points and scale factors; on failure the catalogue's error text and the
// reader's reason (file, section, line).
jazyk::Toznameni OznameniOtevreniProjektu(const Workspace& ws, const VysledekProjektu& v);

}  // namespace vertano
