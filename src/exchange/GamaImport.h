#pragma once

#include <vector>

#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "exchange/GamaSit.h"
#include "exchange/Poznamky.h"
#include "files/FileResult.h"
#include "mereni/Tmereni.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano::exchange {

// A network of the XML format mapped onto this program's lists.
struct ImportovanaSit {
    // One station occupation per <obs> cluster with directions: every pointing
    // (direction, zenith angle, slope distance to one target) as one set, face I
    // and its mirror in face II, with the file's standard deviations as the
    // rows' own. The values are the readings that the analysis reduces back to
    // the file's (see GamaDoSite).
    Tmereni mereni;
    // Fixed points (in all three coordinates, or in plan or height alone), and
    // adjusted points whose three coordinates the file gives (not fixed:
    // approximate coordinates).
    Tsouradnice body = Tsouradnice();
    // Azimuths (bearings), slope distances without a direction, height
    // differences, with their own standard deviations (sig_delka).
    TdoplnkoveMereni doplnky;
    // What the file says of each point's axes, in the program's axes: kept for
    // the fixing of single axes.
    std::vector<GamaBod> osy;
    std::vector<Poznamka> poznamky;
};

// Maps the network. The file's axes and sense of angles are turned into the
// program's (X north, Y east, clockwise), horizontal distances into slope
// distances with the zenith angle of the same pointing.
//
// The observations of the file are those of a plane: marks in a Cartesian
// system, without the earth's curvature. The analysis reduces readings on a
// sphere to the level and the projection (settings redukceMereni, scale factor
// zakladniZkresleni); so that it gives back the file's values, each reading is
// the one whose reduction is them, computed with the coordinates the file gives
// and, for the others, with coordinates carried from them by the observations
// (a point none reaches keeps its readings as they are, with a note).
//
// A point fixed in plan and adjusted in height, or fixed in height and
// adjusted in plan, is a given point fixed in those coordinates alone
// (Tbod::fixniOsy). A direction without a zenith angle (or a zenith angle
// without a direction) is a pointing that lacks the other value; a target
// observed again in a cluster is a repeated pointing, a set of its own.
//
// Refused, with the line: a point with a coordinate neither fixed nor adjusted,
// or adjusted in some coordinates only, a point with coordinates but neither
// fixed nor adjusted that is observed, a free network constrained on some of its
// points only, angles, a cluster of pointings to fewer than two targets,
// instrument or target heights that differ within one pointing, a horizontal
// distance without a zenith angle.
// The network is taken by value: its observations are released once they are
// grouped, before the rows are made (pass it with std::move where it is not
// needed after).
FileResult GamaDoSite(GamaSit sit, const Tnastaveni& nastaveni, ImportovanaSit& vysledek);

}  // namespace vertano::exchange
