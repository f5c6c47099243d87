#pragma once

#include <cstdint>

#include "mereni/Tmereni.h"

namespace vertano {

// Recognition of measurement sets in the rows of a station. A set of k targets
// in the standard order is k rows in one face followed by the same targets in the
// other face in reverse order (I: A, B, C; II: C, B, A, or starting with face II).
// Sets are numbered 1, 2, ... within each station; rows in no set get 0. Every
// pass first sets each row's face from its zenith angle.

// Identifies the sets of every station that has a row not yet through the checks
// (jeZkontrolovano false), always the whole station. Trailing empty rows are
// removed first, and the stations renumbered when there were any.
void IdentifikujSkupiny(Tmereni& mereni);

// Sets in the standard order in the rows pocatek ... konec (one station). A run
// of k >= 2 distinct targets (exact names) in one face that the following run of
// the other face repeats in reverse order is a set of 2k rows; rows of the second
// run beyond the first k are tried again as the start of a later set.
void IdentifikaceSkupinNaStanovisku(Tmereni& mereni, int32_t pocatek, int32_t konec);

// Sets in the simultaneous order (A I, A II, B I, B II, ..., the two faces of a
// target in either order) in the rows pocatek ... konec: consecutive face pairs of
// at least two distinct targets form a set.
void IdentifikaceSkupinNaStanoviskuPrniDruhaZaSebou(Tmereni& mereni, int32_t pocatek,
                                                    int32_t konec);

}  // namespace vertano
