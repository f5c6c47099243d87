#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "matice/Real.h"

namespace vertano {

// One pointing of the total station from a station to a target, with the values
// that later stages write back into the same row. Angles in radians, lengths in
// metres; -1 marks a value that is not set.
struct Tzaznam {
    static constexpr int kPocetKontrol = 15;
    static constexpr int kPocetZapracovani = 6;

    int32_t soubor = 0;   // ID of the raw file entry in Tinfo, 0 = typed in
    int32_t poradi = 0;   // station number, 1-based; 0 = empty row
    int32_t skupina = 0;  // set number within the station; 0 = not in a set
    bool poloha = false;  // true = face I (zenit <= pi)
    std::string cislo_stn;
    std::string cislo_cil;
    Real vyska_stn = 0;
    Real vyska_cil = 0;
    Real delka = 0;  // 0 = no distance measured
    Real smer = 0;
    Real zenit = 0;
    Real sig_delka = 0;
    Real sig_smer = 0;
    Real sig_zenit = 0;
    Real vaha_delka = 0;
    Real vaha_smer = 0;
    Real vaha_zenit = 0;
    Real smernik = 0;
    Real posun = 0;
    Real sig_posun = 0;
    int32_t iStn = 0;
    int32_t iCil = 0;
    int32_t iPrvni = 0;
    int32_t iDruha = 0;
    bool delka_JeOdlehla = false;
    bool smer_Jeodlehla = false;
    bool zenit_JeOdlehla = false;
    bool jeZkontrolovano = false;
    std::array<bool, kPocetKontrol> kontrola{};
    std::array<Real, kPocetZapracovani> zapracovaniPoloha{};
    Real zkresleniDelky = 0;

    // A default-constructed row is the all-zero row of a grown list; Prazdny() is
    // the blank row that new rows and readers start from.
    static Tzaznam Prazdny();

    bool JePlny() const { return poradi != 0; }
    bool JeVeSkupine() const { return skupina != 0; }
    bool MaDelku() const { return delka != 0; }
    bool MaKontrolu() const;
    // Tests only the listed flag indices (out-of-range indices are ignored).
    bool MaKontrolu(std::initializer_list<int> indexy) const;
};

// Same station, same set, same target (exact), different face.
bool JeDvojicePoloh(const Tzaznam& a, const Tzaznam& b);
// Same station, other set, same target (exact), same face.
bool JeStejnyCilJineSkupiny(const Tzaznam& a, const Tzaznam& b);

}  // namespace vertano
