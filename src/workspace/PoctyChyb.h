#pragma once

#include <array>
#include <cstdint>

#include "data/Tchyby.h"
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

// The counts the checks of the given points leave in Tchyby.
struct PoctyChybZadanych {
    int32_t duplicity = 0;  // point numbers given more than once
    int32_t vProstoru = 0;  // points at the same place (X, Y and Z)
    int32_t vRovine = 0;    // points with the same X and Y only: a warning, not in the total
    int32_t celkem = 0;
};
PoctyChybZadanych PoctyChybZadanychBodu(const Tchyby& chyby);

// The counts the check of the scale factors leaves in Tchyby.
struct PoctyChybMeritka {
    int32_t duplicity = 0;
    int32_t mimoRozsah = 0;  // factors outside the range of the settings
    int32_t celkem = 0;
};
PoctyChybMeritka PoctyChybMeritek(const Tchyby& chyby);

}  // namespace vertano
