#pragma once

#include <array>
#include <cstdint>

#include "mereni/Tmereni.h"

namespace vertano {

// The error counts of a checked measurement list as a summary lists them. The
// list's first counter (Tmereni::kontrola[0]) holds two faults together, full
// rows outside any set and full rows whose target is their station; they are
// counted apart here, a row that has both counting in each.
struct PoctyChyb {
    int32_t mimoSkupiny = 0;
    int32_t cilJeStanovisko = 0;
    // The list's counters as the check run left them, index = flag (kontrola::k...).
    std::array<int32_t, Tzaznam::kPocetKontrol> kontrola{};
};

// The counts of `mereni`, whose checks must have run (KontrolaMereni).
PoctyChyb SpocitatPoctyChyb(const Tmereni& mereni);

}  // namespace vertano
