#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "matice/Real.h"
#include "matice/StoredReal.h"

namespace vertano {

// One pointing of the total station from a station to a target, with the values
// that later stages write back into the same row. Angles in radians, lengths in
// metres; -1 marks a value that is not set.
//
// A large file holds a million rows, so the record is kept small: its values are
// kept without the padding of the extended format (StoredReal: exact Reals in 10
// bytes instead of 16) and the fields are ordered so that no padding is left
// between them.
struct Tzaznam {
    static constexpr int kPocetKontrol = 15;
    static constexpr int kPocetZapracovani = 6;

    std::string cislo_stn;
    std::string cislo_cil;
    StoredReal vyska_stn = 0;
    StoredReal vyska_cil = 0;
    StoredReal delka = 0;  // 0 = no distance measured
    StoredReal smer = 0;
    StoredReal zenit = 0;
    StoredReal sig_delka = 0;
    StoredReal sig_smer = 0;
    StoredReal sig_zenit = 0;
    StoredReal vaha_delka = 0;
    StoredReal vaha_smer = 0;
    StoredReal vaha_zenit = 0;
    StoredReal smernik = 0;
    StoredReal posun = 0;
    StoredReal sig_posun = 0;
    StoredReals<kPocetZapracovani> zapracovaniPoloha{};
    StoredReal zkresleniDelky = 0;
    int32_t soubor = 0;   // ID of the raw file entry in Tinfo, 0 = typed in
    int32_t poradi = 0;   // station number, 1-based; 0 = empty row
    int32_t skupina = 0;  // set number within the station; 0 = not in a set
    int32_t iStn = 0;
    int32_t iCil = 0;
    int32_t iPrvni = 0;
    int32_t iDruha = 0;
    bool poloha = false;  // true = face I (zenit <= pi)
    bool delka_JeOdlehla = false;
    bool smer_Jeodlehla = false;
    bool zenit_JeOdlehla = false;
    bool jeZkontrolovano = false;
    // A pointing may lack its direction or zenith angle (sights to far points,
    // reflectorless misses); the value field then holds 0 and is never used. The
    // face of a row without a zenith angle is what `poloha` says.
    bool bezSmeru = false;
    bool bezZenitu = false;
    // Switched off by the user: kept, saved and shown, but left out of the
    // adjustment and its statistics.
    bool jeVyrazeno = false;
    std::array<bool, kPocetKontrol> kontrola{};

    // A default-constructed row is the all-zero row of a grown list; Prazdny() is
    // the blank row that new rows and readers start from.
    static Tzaznam Prazdny();

    bool JePlny() const { return poradi != 0; }
    bool JeVeSkupine() const { return skupina != 0; }
    bool MaDelku() const { return delka != 0; }
    bool MaSmer() const { return !bezSmeru; }
    bool MaZenit() const { return !bezZenitu; }
    // Something measured at all: a direction, a zenith angle or a distance.
    bool MaHodnotu() const { return MaSmer() || MaZenit() || MaDelku(); }
    bool MaKontrolu() const;
    // Tests only the listed flag indices (out-of-range indices are ignored).
    bool MaKontrolu(std::initializer_list<int> indexy) const;
};

// The face of a row: from its zenith angle (face I up to pi), or, without one,
// the face the row was given.
bool PolohaRadku(const Tzaznam& z);

// Same station, same set, same target (exact), different face.
bool JeDvojicePoloh(const Tzaznam& a, const Tzaznam& b);
// Same station, other set, same target (exact), same face.
bool JeStejnyCilJineSkupiny(const Tzaznam& a, const Tzaznam& b);

}  // namespace vertano
