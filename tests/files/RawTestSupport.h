#pragma once

#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "matice/Konstanty.h"
#include "mereni/Tmereni.h"

namespace vertano::test {

using Lines = std::vector<std::string>;

// Default settings (gon, metres, 5 decimals of angles, 4 of lengths) with the given
// units.
inline Tnastaveni Settings(uint8_t uhel = 1, uint8_t delka = 0) {
    Tnastaveni s;
    s.Default();
    s.jednotky.uhel = uhel;
    s.jednotky.delka = delka;
    return s;
}

inline Tzaznam Row(int32_t poradi, const std::string& stn, Real vyskaStn, const std::string& cil,
                   Real vyskaCil, Real smerGon, Real zenitGon, Real delka) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.cislo_stn = stn;
    z.vyska_stn = vyskaStn;
    z.cislo_cil = cil;
    z.vyska_cil = vyskaCil;
    z.smer = GonNaRad(smerGon);
    z.zenit = GonNaRad(zenitGon);
    z.delka = delka;
    z.poloha = z.zenit <= kPi;
    return z;
}

// Two stations, both faces, a row without distance.
inline Tmereni SmallNetwork() {
    Tmereni m;
    m.PridejZaznam(Row(1, "4001", 1.562L, "4002", 1.5L, 0, 99.8765L, 152.3456L));
    m.PridejZaznam(Row(1, "4001", 1.562L, "4003", 1.3L, 73.2181L, 101.0042L, 0));
    m.PridejZaznam(Row(1, "4001", 1.562L, "4002", 1.5L, 200.0003L, 300.1237L, 152.3461L));
    m.PridejZaznam(Row(2, "4002", 0, "4001", 1.62L, 12.5L, 100.1232L, 152.3449L));
    m.PridejZaznam(Row(2, "4002", 0, "4003", 0, 399.99999L, 97.5L, 98.007L));
    return m;
}

}  // namespace vertano::test
