#pragma once

#include <cstdint>

namespace vertano {

// Source of the a-priori precision of the observations: the setting
// (Tnastaveni::vyrovnani.typVah, stored in projects by its number) and the
// source the analysis resolved it to (TinfoVah::typVah). Neurcen before a
// source is set or resolved.
enum class ZdrojVah : uint8_t {
    Neurcen = 0,
    Vnitrni = 1,  // inner precision
    Vnejsi = 2,   // outer precision
    Zadana = 3,   // given in the settings
};

inline constexpr int32_t KodZdroje(ZdrojVah z) {
    return static_cast<int32_t>(z);
}

// The source of a number, Neurcen for one out of range.
inline constexpr ZdrojVah ZdrojZKodu(int32_t kod) {
    return kod >= 1 && kod <= 3 ? static_cast<ZdrojVah>(kod) : ZdrojVah::Neurcen;
}

}  // namespace vertano
