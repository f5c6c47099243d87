#pragma once

#include "data/Tjazyk.h"
#include "workspace/Projekt.h"

namespace vertano {

class Workspace;

// Whether opening a project would discard anything not saved: raw
// measurements, given points, identical points, scale factors, supplementary
// measurements or settings changed since the last save or open
// (HasUnsavedChanges). A window asks before it opens a project when this holds.
bool OtevreniZahodiData(const Workspace& ws);

// The message after opening, titled "Open Vertano project": on success the
// counts of measurements (raw full rows and supplementary measurements), given
// points and scale factors; on failure the catalogue's error text and the
// reader's reason (file, section, line).
jazyk::Toznameni OznameniOtevreniProjektu(const Workspace& ws, const VysledekProjektu& v);

}  // namespace vertano
