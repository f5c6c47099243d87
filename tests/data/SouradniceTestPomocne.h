#pragma once

#include <string>
#include <vector>

#include "data/Tsouradnice.h"

namespace vertano::test {

// A full point with the given number and coordinates, otherwise the empty point.
inline Tbod Plny(const std::string& cislo, Real x = 0, Real y = 0, Real z = 0) {
    Tbod b = Tbod::Prazdny();
    b.cislo = cislo;
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.JePlny = true;
    return b;
}

// A full point with a scale factor (1 unless given), as the distance reductions
// and the approximate coordinates need it.
inline Tbod PlnySMeritkem(const std::string& cislo, Real x, Real y, Real z, Real zkresleni = 1) {
    Tbod b = Plny(cislo, x, y, z);
    b.zkresleni = zkresleni;
    return b;
}

inline Tsouradnice Seznam(const std::vector<Tbod>& body) {
    Tsouradnice s;
    for (const Tbod& b : body) s.PridejBod(b);
    return s;
}

inline std::vector<std::string> Cisla(const Tsouradnice& s) {
    std::vector<std::string> cisla;
    for (const Tbod& b : s.bod) cisla.push_back(b.cislo);
    return cisla;
}

}  // namespace vertano::test
