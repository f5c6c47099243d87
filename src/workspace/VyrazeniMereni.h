#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/VyrazeniSoubor.h"
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"

namespace vertano {

class Workspace;

// Measurements switched off by the user stay in their lists, are saved with the
// project and shown as not used; the analysis and the adjustment leave them out.

struct VysledekVyrazeni {
    bool ok = true;
    int32_t surovych = 0;  // raw rows the patterns matched
    int32_t doplnku = 0;   // supplementary rows they matched
    // Patterns that matched no row (most likely a typing error): nothing changed.
    std::vector<std::string> nenalezene;
};

// Switches off every raw row and supplementary measurement from a station to a
// target that one of the patterns names. A pattern that matches nothing changes
// nothing at all. A change makes the analysis no longer current.
VysledekVyrazeni VyraditMereni(Workspace& ws, const std::vector<VzorVyrazeni>& vzory);

// Switches the raw rows at the given indices off (`vyradit`) or on again;
// indices outside the list are ignored. Returns the rows changed.
int32_t NastavitVyrazeniRadku(Workspace& ws, const std::vector<int32_t>& radky, bool vyradit);

// The same for the selected full rows of a supplementary list (the working copy
// of its window). Returns the rows changed.
int32_t NastavitVyrazeniDoplnku(Tmereni& seznam, const std::vector<int32_t>& radky, bool vyradit);

// The raw rows and supplementary measurements switched off.
int32_t PocetVyrazenychMereni(const Workspace& ws);

// The full rows of a list that are switched off.
int32_t PocetVyrazenych(const std::vector<Tzaznam>& radky);

}  // namespace vertano
