#pragma once

#include <filesystem>
#include <vector>

#include "data/Tjazyk.h"
#include "files/DoplnekSoubory.h"
#include "files/SouradniceSoubory.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

class Workspace;

// Adding the files of the other inputs: given points, scale factors and the four
// kinds of supplementary measurement. Each reads the files in the given order,
// registers them in the project state, checks its list and, when a file was
// registered, marks the raw-data analysis as no longer current (the points and
// factors are inputs of it as much as the measurements are).

CoordinateLoadReport PridatZadaneBody(Workspace& ws,
                                      const std::vector<std::filesystem::path>& cesty);
CoordinateLoadReport PridatMeritka(Workspace& ws, const std::vector<std::filesystem::path>& cesty);
// `druh` as doplnek::k...
SupplementaryLoadReport PridatDoplnky(Workspace& ws, DruhDoplnku druh,
                                      const std::vector<std::filesystem::path>& cesty);

// The identical points of the output system of the transformation (up to three
// standard deviations per line, format souborVstup.typSouradnice). When a file
// was registered the transformation analysis, both transformations and their
// reports are no longer current.
CoordinateLoadReport PridatIdentickeBody(Workspace& ws,
                                         const std::vector<std::filesystem::path>& cesty);

// The message after adding points or scale factors: "Added files: n/m (Number of
// points: k)", titled "Add points" (and " - Scale factors").
jazyk::Toznameni OznameniPridaniBodu(const Workspace& ws, const CoordinateLoadReport& r,
                                     bool meritka);
// The same after adding identical points, titled "Add points - Identical points".
jazyk::Toznameni OznameniPridaniIdentickych(const Workspace& ws, const CoordinateLoadReport& r);

}  // namespace vertano
