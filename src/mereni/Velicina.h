#pragma once

#include <cstddef>
#include <cstdint>

namespace vertano {

// Kinds of observation of the adjustment (TmerenaVelicina::typ). They sit here,
// below the supplementary measurements and the adjustment, because both number
// their observations by them. The supplementary kinds have their own numbering
// in the input windows (DruhDoplnku); these are the numbers of the adjustment,
// also written to the JSON results and used as indices of per-kind arrays
// (KodVeliciny - 1).
enum class Velicina : int32_t {
    Zadna = 0,             // an empty record
    Delka = 1,             // slope distance
    Smer = 2,              // horizontal direction
    Zenit = 3,             // zenith angle
    DoplnekDelka = 4,      // supplementary slope distance
    DoplnekSmernik = 5,    // supplementary bearing
    DoplnekPrevyseni = 6,  // supplementary height difference
    DoplnekProvazeni = 7,  // supplementary plumbing tie
};

inline constexpr int32_t KodVeliciny(Velicina v) {
    return static_cast<int32_t>(v);
}

// The kind of a number, Zadna for one out of range.
inline constexpr Velicina VelicinaZKodu(int32_t kod) {
    return kod >= 1 && kod <= 7 ? static_cast<Velicina>(kod) : Velicina::Zadna;
}

// The index of a kind in arrays of the seven kinds (0 to 6).
inline constexpr std::size_t IndexVeliciny(Velicina v) {
    return static_cast<std::size_t>(KodVeliciny(v) - 1);
}

}  // namespace vertano
