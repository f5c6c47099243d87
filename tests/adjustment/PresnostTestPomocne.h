#pragma once

#include <cstdint>
#include <string>

#include "data/Tnastaveni.h"
#include "matice/Konstanty.h"
#include "mereni/Tmereni.h"

namespace vertano::testpresnost {

// One set mean from station `stn` (occupation `poradi`) to `cil`; angles in
// radians, no distance when `delka` is 0.
inline Tzaznam Sada(int32_t poradi, int32_t skupina, const std::string& stn, const std::string& cil,
                    Real smer, Real zenit = 1.5L, Real delka = 0) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.skupina = skupina;
    z.poloha = true;
    z.cislo_stn = stn;
    z.cislo_cil = cil;
    z.vyska_stn = 0;
    z.vyska_cil = 0;
    z.smer = smer;
    z.zenit = zenit;
    z.delka = delka;
    z.zkresleniDelky = 1;
    return z;
}

inline Tnastaveni Vychozi() {
    Tnastaveni n;
    n.Default();
    return n;
}

inline Real Mgon(Real mgon) {
    return MgonNaRad(mgon);
}

}  // namespace vertano::testpresnost
