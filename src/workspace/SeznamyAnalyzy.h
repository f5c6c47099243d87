#pragma once

#include <cstdint>
#include <string>

#include "mereni/Tmereni.h"

namespace vertano {

class Workspace;

// The lists of the one-face windows, made from the raw list or taken from the
// raw-data analysis, and checked as a derived list.
enum class RezimJednePolohy {
    RozdilPoloh = 1,     // face differences [II-I] of the raw list
    PrumerPoloh = 2,     // face means [I/II]
    KamenKamen = 3,      // marked point values of the analysis
    PredVyrovnanim = 4,  // the measurements prepared for the adjustment
    PrumerSkupin = 5,    // set means
    RozdilFixni = 6,     // measured against fixed-point distances
    RozdilVse = 7,       // measured against network-point distances
};

struct SeznamJednePolohy {
    Tmereni seznam;
    // The counts of the window's status line, e.g. " [3, 0, 0.5] / 120": the
    // face-difference errors of the raw list halved (both rows of a pair count)
    // in mode 1, the direction, zenith angle and distance errors of the shown
    // list otherwise, the differences over their limit in modes 6 and 7; then
    // the full rows shown.
    std::string stav;
    bool ok = false;  // false: a reduction failed; the list is empty
};

SeznamJednePolohy VytvoritSeznamJednePolohy(const Workspace& ws, RezimJednePolohy rezim);

}  // namespace vertano
