#pragma once

#include <cstdint>

#include "mereni/Tmereni.h"

namespace vertano {

// Set means: a list of face means reduced to one row per target and station.

// Merges the rows pocatek ... konec (one station of face means) in place: the
// first row of each target accumulates every later row of the range with the same
// target name (exact), which becomes an empty row. Directions are averaged next to
// the first row's direction, so 399.9990 gon and 0.0010 gon give 0 and not 200 gon;
// distances only over rows that have one. The first row keeps the number of values
// averaged in vaha_delka, vaha_smer and vaha_zenit, and the sets are renumbered
// consecutively as they come. False on an arithmetic fault; the range is then
// left as it was.
bool PrumerSkupinNaStanovisku(Tmereni& mereni, int32_t pocatek, int32_t konec);

// Set means of every station, then the merged rows removed and the stations
// renumbered (SmazPrazdneZaznamy). All or nothing: false on an arithmetic fault,
// with the list left as it was.
bool PrumerSkupin(Tmereni& mereni);

}  // namespace vertano
