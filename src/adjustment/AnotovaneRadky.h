#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "matice/StoredReal.h"
#include "mereni/Tmereni.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// The rows of a list of set means that a precision computation annotated. Each
// keeps the index of its row in that list and the numbers the computation
// wrote into it, not a copy of the whole row: a large network annotates
// millions of rows, and the numbers are a quarter of a row's size.
//
// A row is read back over the list it came from, which must still be that list
// with its rows in the same order: the workspace replaces the set means only
// together with the precision (the analysis computes both, a stop clears both).
// An index outside the list reads as the empty row, never out of bounds.
class AnotovaneRadky {
  public:
    // Keeps the annotations of `anotovany`, a copy of row `zdroj` of the list
    // with the computation's numbers written into it: smer, the deviations
    // sig_delka and sig_smer, the weights vaha_delka, vaha_smer and vaha_zenit,
    // smernik, soubor, skupina and poloha. Everything else is read from the list.
    void Pridej(std::size_t zdroj, const Tzaznam& anotovany);
    void Rezervovat(std::size_t pocet) { radky_.reserve(pocet); }

    std::size_t Pocet() const { return radky_.size(); }
    bool JePrazdny() const { return radky_.empty(); }

    // Annotated row i: its row of `seznam` with the annotations written over it.
    Tzaznam Zaznam(const Tmereni& seznam, std::size_t i) const;
    // Every annotated row, as Zaznam gives it.
    Tmereni Zaznamy(const Tmereni& seznam) const;

  private:
    struct Anotace {
        StoredReal smer;
        StoredReal sig_delka;
        StoredReal sig_smer;
        StoredReal vaha_delka;
        StoredReal vaha_smer;
        StoredReal vaha_zenit;
        StoredReal smernik;
        uint32_t zdroj = 0;
        int32_t soubor = 0;
        int32_t skupina = 0;
        bool poloha = false;
    };

    std::vector<Anotace> radky_;
};

}  // namespace vertano
