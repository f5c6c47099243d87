#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Only full rows take part, and of them only those `vybrat` accepts when it is
// given. In the matrix their iStn and iCil are the new order numbers and their
// iPrvni is their index in `mereni` (RadekSeznamu), through which the precision
// computed from them refers back to the list.
MereniMeziBody SestavitMereniMeziBody(const Tmereni& mereni,
                                      const std::function<bool(const Tzaznam&)>& vybrat = {});

// The index in the arranged list of a row of the matrix.
inline std::size_t RadekSeznamu(const Tzaznam& z) {
    return static_cast<std::size_t>(z.iPrvni);
}

}  // namespace vertano
