#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/Tbod.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"

namespace vertano {

// Candidate store for point coordinates. The constructions of the approximate
// coordinates each add a candidate; the value of a point is the lower median of
// its candidates, coordinate by coordinate, so one gross error cannot move it.
// A point's order is its position in `cislaBodu`.
//
// Every operation checks its position: one outside the store does nothing and
// returns false. Candidates that are not finite numbers are refused, since one
// NaN would corrupt the ordering of the whole vector.
class TmaticeSouradnice {
  public:
    // One ascending vector of candidates per point.
    std::vector<std::vector<Real>> X;
    std::vector<std::vector<Real>> Y;
    std::vector<std::vector<Real>> Z;
    // The current median point per position; the empty point until it has a value.
    std::vector<Tbod> median;
    // Point names; the order of a point is its position here.
    std::vector<std::string> cislaBodu;

    TmaticeSouradnice() = default;
    explicit TmaticeSouradnice(int32_t pocet) { Create(pocet); }
    explicit TmaticeSouradnice(const std::vector<std::string>& cisla) { Create(cisla); }

    // `pocet` positions without candidates and an empty name list.
    void Create(int32_t pocet);
    // One position per name, in the order given.
    void Create(const std::vector<std::string>& cisla);
    void Destroy();

    int32_t Pocet() const;
    int32_t PocetKandidatu(int32_t poradi) const;

    // Adds every full point whose name is in `cislaBodu` (exact comparison, the
    // first position with that name) as a candidate of that position. Returns the
    // number of points taken.
    int32_t PridejSouradnice(const Tsouradnice& souradnice);
    // Starts the candidates of a position with `bod`, which becomes the median
    // point; a point that is not full is refused. On a position that already has
    // candidates the values are inserted in order, so the vectors stay ascending
    // whatever the caller does.
    bool PridejBod(const Tbod& bod, int32_t poradi);
    // PridejBod for a position without candidates, ZaraditBodDleVelikost otherwise.
    bool VlozitBod(const Tbod& bod, int32_t poradi);
    // Inserts X, Y, Z into their vectors; the median point keeps its record and
    // takes the median element of each vector (all three at the same index). On a
    // position without a median point yet it acts as PridejBod.
    bool ZaraditBodDleVelikost(const Tbod& bod, int32_t poradi);

    // The median point when it is full.
    bool VratBodMedian(Tbod& bod, int32_t poradi) const;
    // Replaces the contents of `souradnice` by the median points, one per position
    // (empty points where nothing is known), so the list is indexed by point order.
    void Median2Souradnice(Tsouradnice& souradnice) const;

  private:
    bool JePlatnePoradi(int32_t poradi) const;
    bool JeKonecny(const Tbod& bod) const;
    void VlozitHodnoty(const Tbod& bod, std::size_t i);
};

}  // namespace vertano
