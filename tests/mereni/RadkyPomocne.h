#pragma once

#include <string>
#include <vector>

#include "mereni/Tmereni.h"

namespace vertano::test {

// A full row of station `poradi` to `cil`.
inline Tzaznam Radek(int32_t poradi, const std::string& cil = "1", int32_t skupina = 0,
                     bool poloha = true) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.skupina = skupina;
    z.poloha = poloha;
    z.cislo_stn = "S" + std::to_string(poradi);
    z.cislo_cil = cil;
    z.delka = 100;
    return z;
}

inline Tmereni Seznam(const std::vector<Tzaznam>& radky) {
    Tmereni m;
    for (const auto& r : radky) m.PridejZaznam(r);
    return m;
}

inline Tmereni SeznamPoradi(const std::vector<int32_t>& poradi) {
    Tmereni m;
    for (const int32_t p : poradi) {
        m.PridejZaznam(p == 0 ? Tzaznam::Prazdny() : Radek(p));
    }
    return m;
}

inline std::vector<int32_t> Poradi(const Tmereni& m) {
    std::vector<int32_t> v;
    for (const auto& z : m.zaznam) v.push_back(z.poradi);
    return v;
}

inline std::vector<std::string> Cile(const Tmereni& m) {
    std::vector<std::string> v;
    for (const auto& z : m.zaznam) v.push_back(z.cislo_cil);
    return v;
}

}  // namespace vertano::test
