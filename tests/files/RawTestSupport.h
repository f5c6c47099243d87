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
    m.PridejZaznam(Row(1, "4001", 1.562, "4002", 1.5, 0, 99.8765, 152.3456));
    m.PridejZaznam(Row(1, "4001", 1.562, "4003", 1.3, 73.2181, 101.0042, 0));
    m.PridejZaznam(Row(1, "4001", 1.562, "4002", 1.5, 200.0003, 300.1237, 152.3461));
    m.PridejZaznam(Row(2, "4002", 0, "4001", 1.62, 12.5, 100.1232, 152.3449));
    m.PridejZaznam(Row(2, "4002", 0, "4003", 0, 399.99999, 97.5, 98.007));
    return m;
}

}  // namespace vertano::test
