#pragma once

#include <cstdint>
#include <string>

#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {

class Tchyby;
class Tnastaveni;

// Validity flags of a supplementary row of kind `druh` (doplnek::k...), limits
// from the settings record mezHodnota:
//   kontrola[0] the two point numbers are equal (compared exactly), every kind;
//   slope distance: [1] instrument height outside [0, hodnota_vyskaSTN],
//     [2] target height outside [0, hodnota_vyskaCIL], [3] distance outside
//     (0, hodnota_delka];
//   height difference: [3] value outside [-hodnota_prevyseni, hodnota_prevyseni];
//   bearing: [3] value outside [0, 2 pi) (JeUhelVKruhu: the full circle read in any
//   unit is outside, as for the directions of the raw measurements).
// A value that is not a number is outside every range. All other flags are
// cleared. True when the row has a flag.
bool KontrolaZaznamuDoplnku(Tzaznam& zaznam, DruhDoplnku druh, const Tnastaveni& nastaveni);

// Flags every row of the list (filled or not) and recounts the list's counters
// kontrola[0..3] over the filled rows (the others become 0). The kind's error
// counter in `chyby` becomes: bearing [0] + [3], distance [0] + [1] + [2] + [3],
// height difference [0] + [3], plumbing [0]. Returns that count; an unknown kind
// changes nothing and gives 0.
int32_t KontrolaDoplnku(Tmereni& seznam, DruhDoplnku druh, const Tnastaveni& nastaveni,
                        Tchyby& chyby);

// English summary of the counters of a checked list, for the command line:
// "slope distance: 2 errors in 5 measurements (same points 1, instrument height 0,
// target height 0, distance 1)". Only the counters the kind uses are named.
std::string DescribeSupplementaryErrors(const Tmereni& seznam, DruhDoplnku druh);

}  // namespace vertano
