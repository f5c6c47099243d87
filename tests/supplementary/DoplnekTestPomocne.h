#pragma once

#include <string>

#include "data/SouradniceTestPomocne.h"
#include "data/Tbod.h"
#include "data/Tnastaveni.h"
#include "mereni/Tzaznam.h"

namespace vertano::test {

inline Tnastaveni VychoziNastaveni() {
    Tnastaveni n;
    n.Default();
    return n;
}

// A filled supplementary row: `hodnota` is the bearing, distance or height
// difference (delka); heights only matter for distances.
inline Tzaznam Doplnek(int32_t poradi, const std::string& od, const std::string& k, Real hodnota,
                       Real vyskaStn = 0, Real vyskaCil = 0) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.cislo_stn = od;
    z.cislo_cil = k;
    z.delka = hodnota;
    z.vyska_stn = vyskaStn;
    z.vyska_cil = vyskaCil;
    return z;
}

// A full point with a unit scale factor.
inline Tbod Bod(const std::string& cislo, Real x, Real y, Real z, bool fixni = false) {
    Tbod b = PlnySMeritkem(cislo, x, y, z);
    b.JeFixni = fixni;
    return b;
}

}  // namespace vertano::test
