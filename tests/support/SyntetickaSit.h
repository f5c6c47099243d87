#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/Tbod.h"
#include "data/Tsouradnice.h"
#include "matice/Real.h"
#include "mereni/Tmereni.h"

namespace vertano::test {

// A network of true coordinates and the exact set means that a perfect instrument
// would have measured in it: direction = bearing - orientation of the
// occupation, zenith angle and slope distance from the instrument (station height
// + instrument height) to the signal (target height + target height). Tests build
// networks of known answer with it and spoil single rows on purpose.
class SyntetickaSit {
  public:
    void Bod(const std::string& cislo, Real x, Real y, Real z = 0);
    // Opens a new station occupation on the point `stanovisko`, its zero direction
    // pointing along the bearing `orientace` [rad]. Returns its number (poradi).
    int32_t Stanovisko(const std::string& stanovisko, Real orientace, Real vyskaStn = 0);
    // A pointing of the last occupation opened; `sDelkou` false measures no
    // distance (delka 0).
    void Cil(const std::string& cil, bool sDelkou = true, Real vyskaCil = 0);

    // The set means: per occupation, `pocetSkupin` sets of its pointings in the
    // order given (skupina 1, 2, ...), face I, zkresleniDelky 1, iStn/iCil -1.
    Tmereni Mereni(int32_t pocetSkupin = 1) const;
    // The named points with their true coordinates, as a given-point list.
    Tsouradnice Zadane(const std::vector<std::string>& cisla, bool fixni = true) const;
    // The true point; the empty point for a name the network does not have.
    Tbod Skutecny(std::string_view cislo) const;

  private:
    struct Zacileni {
        std::string cil;
        bool sDelkou = true;
        Real vyskaCil = 0;
    };
    struct Obsazeni {
        std::string stanovisko;
        Real orientace = 0;
        Real vyskaStn = 0;
        std::vector<Zacileni> cile;
    };

    Tzaznam Radek(const Obsazeni& o, const Zacileni& c, int32_t poradi, int32_t skupina) const;

    std::vector<Tbod> body_;
    std::vector<Obsazeni> obsazeni_;
};

// Index of the row of occupation `poradi`, set `skupina`, to target `cil`; -1 when
// the list has none.
int32_t IndexZaznamu(const Tmereni& mereni, int32_t poradi, int32_t skupina, std::string_view cil);

}  // namespace vertano::test
