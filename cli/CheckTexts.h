#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Tjazyk.h"
#include "mereni/Tmereni.h"
#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PoctyChyb.h"

namespace vertano::cli {

// Names of the checks in the language in force, composed from the words the main
// window uses for them: the group of checks (the "Checking" menu) and the column
// the check looks at (the table headers), e.g. "Difference between sets -
// Horizontal direction".

// Name of raw check flag k (0-14); empty for another k.
std::string RawCheckName(const Tjazyk& jazyk, int k);
// Name of "full row outside any set", which the first error counter also counts.
std::string OutsideSetName(const Tjazyk& jazyk);

// Name of the counter k (0-3) of a supplementary kind (doplnek::k...); empty
// where the kind has no such counter.
std::string SupplementaryCheckName(const Tjazyk& jazyk, DruhDoplnku kind, int k);

// One line of an error summary.
struct CountLine {
    std::string name;
    int32_t count = 0;
};

// The error counts of a checked raw list: rows outside a set, then each flag in
// flag order. The first two lines together make the list's first counter.
std::vector<CountLine> RawCheckCounts(const Tjazyk& jazyk, const PoctyChyb& pocty);

// The names of what is wrong with a row (outside any set, then its flags), joined
// by "; ".
std::string RowFlagNames(const Tjazyk& jazyk, const ChybnyZaznam& zaznam);

}  // namespace vertano::cli
