#pragma once

#include "workspace/TabulkaMereni.h"

namespace vertano {
class Workspace;
}

namespace vertano::ui {

// When the items of the main window's menus may be used, from the state of the
// workspace and the selection of the table. "One row" means exactly one selected
// row, "any rows" at least one, "full list" a list with a full row.
struct PovoleniMenu {
    // Main
    bool ulozit = false;      // "Save as ...": full list
    bool exportovat = false;  // "Export ...": the analysis produced measurements
    // Measurements
    bool noveMereni = false;   // one row
    bool upravit = false;      // any rows
    bool smazat = false;       // any rows
    bool najit = false;        // full list
    bool najitChybne = false;  // full list and the last check found errors
    bool posunout = false;     // one row
    bool premistit = false;    // any rows
    bool kopirovat = false;    // any rows
    bool vlozit = false;       // the clipboard holds rows, at most one row selected
    // Selection
    bool vybratVse = false;      // full list
    bool vyberDleRadku = false;  // one row
    // Identification
    bool zrcadlit = false;           // as "Sort measurements according to positions"
    bool najitSkupiny = false;       // more than 3 full rows and some full row outside a set
    bool seraditPolohy = false;      // as "Difference between positions"
    bool smazatMimoSkupiny = false;  // set display on and some full row outside a set
    bool skupinoveOkna = false;      // set display on and some row in a set
    bool kamenKamen = false;         // analysis current and measurements for the adjustment
    // Checking: the three set-bound switches
    bool kontrolySkupin = false;  // set display on
    // Adjustment
    bool analyza = false;  // not current, set windows enabled, no errors
    bool predVyrovnanimMereni = false;
    bool predVyrovnanimSouradnice = false;
    bool predVyrovnanimDoplnek[4] = {};  // distance, bearing, height difference, plumbing
    bool rozdilFixni = false;
    bool rozdilVse = false;
    bool vnitrniPresnost[3] = {};  // direction, zenith angle, distance
    bool vnejsiPresnost[3] = {};
    bool apriorniAnalyza = false;
    bool vyrovnani = false;
};

PovoleniMenu Povoleni(const Workspace& ws, const Tvyber& vyber);

}  // namespace vertano::ui
