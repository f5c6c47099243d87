#pragma once

#include <optional>

#include "data/ZdrojVah.h"
#include "matice/Real.h"

namespace vertano {

class Workspace;

// What follows a change of the settings: each settings dialog, once it has
// stored what the user changed, calls its function, which makes stale exactly
// the results that depend on the settings changed. A dialog confirmed without a
// change calls nothing.

// Units and decimals: the texts follow the units; the reports exist in the old
// units and must be written again.
void PoZmeneJednotek(Workspace& ws);

// Check limits: every raw row is checked again, as are the supplementary
// distances and height differences; the raw-data analysis is no longer current.
void PoZmeneKontroly(Workspace& ws);

// Distance reduction: the analysis is no longer current.
void PoZmeneRedukce(Workspace& ws);

// Network adjustment: the adjusted network is no longer current; nor is the
// analysis when "keep the inserted non-fixed coordinates" changed or the given
// precision the weights used differs from the settings now.
void PoZmeneVyrovnani(Workspace& ws, bool zmenaZachovatSouradnice);

// Transformation: the transformation with adjustment is no longer current.
void PoZmeneTransformace(Workspace& ws);

// Report contents, by the three groups of switches (A-C adjustment, D
// transformation with adjustment, E point and bearing).
struct ZmenaProtokolu {
    bool vyrovnani = false;
    bool transformaceSVyrovnanim = false;
    bool bodASmernik = false;
};
void PoZmeneProtokolu(Workspace& ws, const ZmenaProtokolu& zmena);

// The a-priori network analysis: the given standard deviations (radians,
// metres) and the a-priori unit standard deviation the user changed, and the
// source of the weights chosen (ZdrojVah). The given deviations go into
// the settings and the weights, the weights are computed again from the chosen
// source and the adjusted network is no longer current.
struct ZadanaPresnost {
    std::optional<Real> smer;
    std::optional<Real> zenit;
    std::optional<Real> delka;
    std::optional<Real> jednotkova;
    ZdrojVah typVah = ZdrojVah::Zadana;
};
void NastavitPresnost(Workspace& ws, const ZadanaPresnost& presnost);

}  // namespace vertano
