#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "matice/Real.h"
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// Orientation store of the approximate coordinates: the measurement rows by
// station point and target point (their orders iStn, iCil), and per station
// occupation the ascending orientation-shift samples with the median record.
//
// The point x point matrix is kept sparse: a network of a few thousand points
// observes only a small fraction of its pairs, and a dense matrix of lists would
// cost memory quadratic in the points for nothing. Cells are reached by Bunka.
//
// Rows whose point orders or occupation lie outside the store are refused (false)
// and change nothing.
class TmaticeMereni {
  public:
    // One ascending vector of `posun` samples per occupation (index poradi - 1).
    std::vector<std::vector<Real>> orientacniPosun;
    // Per occupation the median record; the empty row while it is not oriented.
    std::vector<Tzaznam> median;

    TmaticeMereni() = default;
    TmaticeMereni(int32_t pocetBodu, int32_t pocetStanovisek) {
        Create(pocetBodu, pocetStanovisek);
    }

    void Create(int32_t pocetBodu, int32_t pocetStanovisek);
    void Destroy();

    int32_t PocetBodu() const { return pocetBodu_; }
    int32_t PocetStanovisek() const { return static_cast<int32_t>(median.size()); }

    // PridejZaznam for every full row; returns the number of rows placed.
    int32_t PridejMereni(const Tmereni& mereni);
    // Appends a copy of the row to the cell [iStn][iCil].
    bool PridejZaznam(const Tzaznam& zaznam);
    // PridejZaznam, and the row's `posun` becomes a sample of its occupation
    // (poradi - 1): the first sample makes a copy of the row the median record,
    // later ones are inserted in order and the median record takes the median
    // `posun`. A `posun` that is not a finite number is refused.
    bool VlozZaznam(const Tzaznam& zaznam);
    // The median record of occupation `poradi` (0-based) when it is a full row.
    bool VratZaznamMedian(Tzaznam& zaznam, int32_t poradi) const;

    // Rows from station point iStn to target point iCil (empty when none or when
    // an index is outside the store).
    const std::vector<Tzaznam>& Bunka(int32_t iStn, int32_t iCil) const;
    // Target orders with at least one row from station point iStn, ascending.
    std::vector<int32_t> CileStanoviska(int32_t iStn) const;

  private:
    using Klic = std::pair<int32_t, int32_t>;

    bool JeBodVeMatici(int32_t i) const { return i >= 0 && i < pocetBodu_; }
    bool JeStanoviskoVeMatici(int32_t poradi) const;

    int32_t pocetBodu_ = 0;
    std::map<Klic, std::vector<Tzaznam>> matice_;
};

}  // namespace vertano
