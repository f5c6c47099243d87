#pragma once

#include <string>
#include <vector>

#include "data/Tsouradnice.h"

namespace vertano {

// The coordinate list indexed by point order: record i is a copy of the first full
// point of `souradnice` named cislaBodu[i] (exact comparison), or the empty point
// when the list has none. `cislaBodu` is the name list of the measurements
// (Tmereni::PoradiBoduPriradit), so a row's iStn and iCil index the result.
Tsouradnice SouradniceDlePoradiBodu(const std::vector<std::string>& cislaBodu,
                                    const Tsouradnice& souradnice);

}  // namespace vertano
