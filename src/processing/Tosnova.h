#pragma once

#include <cstdint>
#include <vector>

#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// The rows of one station and its station number.
struct Tstanovisko {
    std::vector<Tzaznam> zaznam;
    int32_t poradi = 0;
};

// A list of stations, each holding its own rows: the shape the precision
// computation wants to walk station by station.
class Tosnova {
  public:
    std::vector<Tstanovisko> stanovisko;

    Tosnova() = default;
    Tosnova(int32_t pocet1, int32_t pocet2) { Create(pocet1, pocet2); }

    // `pocet1` stations (number 0) of `pocet2` all-zero rows each.
    void Create(int32_t pocet1, int32_t pocet2);
    // `pocet1` stations of `pocet2` rows each: existing rows are kept, added
    // stations and rows are all-zero, the rest is cut.
    void Velikost(int32_t pocet1, int32_t pocet2);
    void Clear();
    void PridejStanovisko(const Tstanovisko& noveStanovisko);
    // Appends a copy of the row to station `index` (0-based); false when there is
    // no such station.
    bool PridejZaznam(int32_t index, const Tzaznam& zaznam_novy);
    void Kopiruj(const Tosnova& osnova);
    int32_t PocetStanovisek() const { return static_cast<int32_t>(stanovisko.size()); }

    // Replaces the stations by the full rows of `mereni` grouped by station number
    // in ascending order (rows of one number keep their list order, wherever they
    // stand). The stations are renumbered 1 ... n and so are their rows, so that a
    // row always carries the number of the station that holds it.
    void NactiMereni(const Tmereni& mereni);
    // Appends every row of every station to `mereni`.
    void UlozDoMereni(Tmereni& mereni) const;
};

}  // namespace vertano
