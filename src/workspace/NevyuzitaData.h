#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/Tsouradnice.h"

namespace vertano {

// Input that the analysis would otherwise drop without a word: given points
// that no measurement mentions, and among them the names that differ from a
// measured point only by letter case or by characters nobody sees.

// A given point and the measured point its name almost is.
struct PodobneJmeno {
    std::string zadane;
    std::string merene;
    bool velikostPismen = false;  // they differ in letter case
    bool neviditelne = false;     // one holds characters that print as nothing
};

struct NevyuzitaData {
    // Full given points whose name no measurement has, in the order of the list.
    std::vector<std::string> zadaneMimoMereni;
    // Those of them whose name matches a measured point that is not given, once
    // letter case and invisible characters are ignored.
    std::vector<PodobneJmeno> podobna;
};

// Compares the given points with the point names of the measurements.
NevyuzitaData NajitNevyuzita(const Tsouradnice& zadane, const std::vector<std::string>& cislaBodu);

// The name with letter case folded (ASCII, Latin-1 and Latin Extended-A, which
// hold the Czech letters) and invisible characters (byte-order mark,
// no-break spaces, zero-width characters, soft hyphen, control characters)
// removed. Bytes that are not UTF-8 are kept as they are.
std::string PorovnavaciTvar(std::string_view jmeno);

// The name as it can be shown: every invisible character written as <U+XXXX>.
std::string ViditelnyTvar(std::string_view jmeno);

}  // namespace vertano
