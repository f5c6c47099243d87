#pragma once

#include <cstdint>
#include <vector>

#include "mereni/Tmereni.h"

namespace vertano {

// An inclusive run of row indices.
struct RozsahZaznamu {
    int32_t pocatek = 0;
    int32_t konec = -1;

    int32_t Pocet() const { return konec - pocatek + 1; }
};

// The stations of a list: every run of consecutive full rows with the same
// station number, in list order. Each run is found afresh, so a station number
// that has no rows yields nothing and never the range of another station.
std::vector<RozsahZaznamu> RozsahyStanovisek(const Tmereni& mereni);

// The sets inside `rozsah`: every run of consecutive full rows in a set with the
// same station and set number.
std::vector<RozsahZaznamu> RozsahySkupin(const Tmereni& mereni, RozsahZaznamu rozsah);

// The sets of the whole list.
std::vector<RozsahZaznamu> RozsahySkupin(const Tmereni& mereni);

// `pocatek` and `konec` cut to the rows of the list; false when nothing is left.
bool OriznoutRozsah(const Tmereni& mereni, int32_t& pocatek, int32_t& konec);

}  // namespace vertano
