#pragma once

#include <cstdint>

#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"

namespace vertano {

// Comparison of the reduced distances with the distances computed from
// coordinates, to catch gross errors before the adjustment.
//
// `vystup` is cleared, then gets, station by station (repeated targets of a
// station merged into their mean first, on a copy: `mereni` is not changed), a
// copy of every row that has a distance and whose station and target are full
// points of `souradnice` (names compared exactly). In the copy:
//   zapracovaniPoloha[0] = delka / zkresleniDelky, the measured mark-to-mark distance;
//   zapracovaniPoloha[1] = sqrt((h / zkresleniDelky)^2 + (Z1 - Z2)^2), the distance
//                          from coordinates, h their horizontal distance;
//   zapracovaniPoloha[2] = [1] - [0];
//   kontrola[0] = the difference exceeds mezZeSouradnic.rozdil_delka.
// `pocetPrekroceni` is the number of flagged rows. False on an arithmetic failure
// or a row whose zkresleniDelky is not a positive number; `vystup` is then empty.
bool PorovnaniDelekSeSouradnicemi(const Tmereni& mereni, Tmereni& vystup,
                                  const Tsouradnice& souradnice, const Tnastaveni& nastaveni,
                                  int32_t& pocetPrekroceni);

}  // namespace vertano
