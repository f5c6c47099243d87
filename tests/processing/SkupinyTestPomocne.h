#pragma once

#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "matice/Konstanty.h"
#include "mereni/Tmereni.h"
#include "processing/Polohy.h"

namespace vertano::testskupiny {

inline Real Gon(Real gon) {
    return gon * kPi / 200;
}

// A full row of station `poradi` (named "S" + number) to `cil`, angles in gon;
// the face follows the zenith angle as a reader sets it.
inline Tzaznam Radek(int32_t poradi, const std::string& cil, Real smerGon, Real zenitGon,
                     Real delka = 100, Real vyskaCil = 1.5) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.cislo_stn = "S" + std::to_string(poradi);
    z.cislo_cil = cil;
    z.vyska_stn = 1.6L;
    z.vyska_cil = vyskaCil;
    z.smer = Gon(smerGon);
    z.zenit = Gon(zenitGon);
    z.delka = delka;
    z.poloha = JePrvniPoloha(z.zenit);
    return z;
}

// A face I row and a face II row of the same pointing, 200 gon apart.
inline Tzaznam PrvniPoloha(int32_t poradi, const std::string& cil, Real smerGon = 10) {
    return Radek(poradi, cil, smerGon, 100);
}
inline Tzaznam DruhaPoloha(int32_t poradi, const std::string& cil, Real smerGon = 10) {
    return Radek(poradi, cil, smerGon + (smerGon < 200 ? 200 : -200), 300);
}

inline Tmereni Seznam(const std::vector<Tzaznam>& radky) {
    Tmereni m;
    for (const auto& r : radky) m.PridejZaznam(r);
    return m;
}

inline std::vector<int32_t> Skupiny(const Tmereni& m) {
    std::vector<int32_t> v;
    for (const auto& z : m.zaznam) v.push_back(z.skupina);
    return v;
}

inline std::vector<std::string> Cile(const Tmereni& m) {
    std::vector<std::string> v;
    for (const auto& z : m.zaznam) v.push_back(z.cislo_cil);
    return v;
}

inline std::vector<bool> Polohy(const Tmereni& m) {
    std::vector<bool> v;
    for (const auto& z : m.zaznam) v.push_back(z.poloha);
    return v;
}

inline Tnastaveni VychoziNastaveni() {
    Tnastaveni n;
    n.Default();
    return n;
}

// Difference of two directions modulo a full turn, for comparing means that may
// land on either side of zero.
inline Real RozdilSmeru(Real a, Real b) {
    Real d = a - b;
    while (d >= kPi) d -= kDvePi;
    while (d < -kPi) d += kDvePi;
    return d;
}

}  // namespace vertano::testskupiny
