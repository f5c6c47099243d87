#pragma once

#include <array>
#include <string_view>

#include "data/Tjazyk.h"

// The built-in text tables from which Tjazyk::Default fills the texts in force.
namespace vertano::jazyk {

// Two alternatives of one text, picked by a code: Czech (0) and English (1) in the
// language tables; in the filter table the default extensions by the format code
// of their file kind.
using Varianty = std::array<std::string_view, 2>;

const Filter<Varianty>& TextyFilter();
const Popis<Varianty>& TextyPopis();
const Tlacitko<Varianty>& TextyTlacitko();
const Hlaseni<Varianty>& TextyHlaseni();
const Nadpis<Varianty>& TextyNadpis();
const Protokol<Varianty>& TextyProtokol();

// Unit names by unit code: lengths and coordinates 0 metre, 1 foot; angles 0 rad,
// 1 gon, 2 degree, 3 D.MMSS.
inline constexpr std::array<std::string_view, 2> kJednotkyDelka = {"m", "ft"};
inline constexpr std::array<std::string_view, 2> kJednotkyDelkaOdchylka = {"mm", "pt"};
inline constexpr std::array<std::string_view, 4> kJednotkyUhel = {"rad", "gon", "deg", "dms"};
inline constexpr std::array<std::string_view, 4> kJednotkyUhelOdchylka = {"mrad", "mgon", "mdeg",
                                                                          "sec"};

// Robust estimators in the order of their code (code 1 is the first); the names
// are the same in both languages.
inline constexpr std::array<std::string_view, 12> kTypOdhadu = {
    "Huber", "M-huber", "Hampel", "Talwar", "Cauchy",  "Tukey",
    "Geman", "Andrews", "Welsh",  "Fair",   "L1 Norm", "L1/L2 Norm"};

}  // namespace vertano::jazyk
