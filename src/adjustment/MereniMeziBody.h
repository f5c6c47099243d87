#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mereni/Tmereni.h"
#include "processing/MedianMereni.h"

namespace vertano {

// The measurements of a list arranged by point pairs for the outer precision:
// every point gets an order number (station by station, the station before its
// targets, as the raw-data analysis numbers them) and the rows go to the cell
// [station][target] of a point x point matrix.
struct MereniMeziBody {
    std::vector<std::string> cislaBodu;  // point name by order number
    TmaticeMereni matice;

    int32_t PocetBodu() const { return static_cast<int32_t>(cislaBodu.size()); }
    // Both directions between a and b were measured.
    bool JeObousmerne(int32_t a, int32_t b) const;
    // Points b with rows a -> b and b -> a, ascending.
    std::vector<int32_t> ObousmerniSousede(int32_t a) const;
};

// Only full rows take part; their iStn and iCil in the matrix are the new
// order numbers.
MereniMeziBody SestavitMereniMeziBody(const Tmereni& mereni);

}  // namespace vertano
