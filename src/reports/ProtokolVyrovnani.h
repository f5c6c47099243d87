#pragma once

#include <string>
#include <vector>

#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"
#include "reports/CasProtokolu.h"
#include "reports/InfoSekce.h"
#include "reports/Tprotokol.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {

// Everything the network adjustment report reads: the settings (the report
// switches, units and decimals) and language, and the products of the raw-data
// analysis and of the adjustment, as the workspace keeps them.
struct VstupProtokoluVyrovnani {
    const Tnastaveni& nastaveni;
    const Tjazyk& jazyk;
    const Tmereni& suroveMereni;      // the raw measurements (part A)
    const Tmereni& mereniKamen;       // the marked-point values (B-01)
    const Tmereni& mereniVyrovnani;   // the measurements of the adjustment (B-04)
    const Tsouradnice& fixni;         // the fixed points of the adjustment (B-02)
    const Tsouradnice& priblizne;     // the coordinates before the adjustment (B-03)
    const Tsouradnice& meritko;       // the scale factors of the points (B-02, B-03)
    const TdoplnkoveMereni& doplnek;  // the supplementary measurements as prepared
    const Tvahy& vahy;                // a-priori, inner and outer precision
    const VysledekSite vyrovnany;     // the final adjusted model
    const VysledekSite odlehly;       // the model in which the outliers were flagged
};

// Builds the network adjustment report into `protokol`: the report header, then
// part A (raw measurements, face differences and means, set means), part B
// (marked-point values, fixed points, coordinates and measurements before the
// adjustment, inner and outer precision) and part C (basic information,
// adjusted coordinates, error ellipsoids, outliers, adjusted measurements), each
// section only when its switch in nastaveni.protokol is set and it has data.
// The "Created" line takes its time from `hodiny` (the computer's clock when
// empty). Any failure leaves `protokol` empty, and `duvod` (when given) says
// why in English; the result is also stored in `vytvoreno`.
bool zapsatVyrovnani(Tprotokol& protokol, const VstupProtokoluVyrovnani& vstup,
                     const Hodiny& hodiny, bool& vytvoreno, std::string* duvod = nullptr);

// The basic information about the adjustment (section C-01): the rejection of
// outliers (estimator, significance level, outliers per kind as counted in the
// outlier model) and the adjustment (unit standard deviations, points,
// orientations, measurements per kind, redundancy). Nothing when the model was
// not adjusted.
void zapsatInfoVyrovnani(Tprotokol& protokol, const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                         const VysledekSite& modelOdlehly, const VysledekSite& modelVyrovnany,
                         const std::string& nadpis);
// The label and value groups of that section, for a window that shows them;
// empty when the model was not adjusted.
std::vector<InfoSkupina> InfoVyrovnani(const Tjazyk& jazyk, const Tnastaveni& nastaveni,
                                       const VysledekSite& modelOdlehly,
                                       const VysledekSite& modelVyrovnany);

}  // namespace vertano
