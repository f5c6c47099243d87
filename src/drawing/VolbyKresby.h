#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/Tnastaveni.h"
#include "matice/Real.h"

namespace vertano {

// The 20 colours of the drawing window's colour choosers; the settings store the
// index, the DXF export maps it to an AutoCAD colour number.
inline constexpr int kPocetBarev = 20;

struct BarvaRgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const BarvaRgb&) const = default;
};

// RGB of a palette index; an index outside the palette gives black.
BarvaRgb BarvaPalety(int index);

// Palette indices of the two colour presets of the window.
namespace barva {
inline constexpr uint8_t kCerna = 0;
inline constexpr uint8_t kStribrna = 8;
inline constexpr uint8_t kLimetkova = 10;
inline constexpr uint8_t kZluta = 11;
inline constexpr uint8_t kAzurova = 14;
inline constexpr uint8_t kBila = 15;
}  // namespace barva

// The choice lists of the window, indexed by what the settings store.
inline constexpr std::array<int, 23> kVelikostiPisma = {
    4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 36, 48, 60, 72};
inline constexpr std::array<int, 29> kVelikostiZnacek = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                                         10, 11, 12, 13, 14, 15, 16, 18, 20, 22,
                                                         24, 26, 28, 36, 48, 60, 72, 84, 96};
inline constexpr std::array<int, 12> kZvetseniElipsy = {
    100, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000, 1000000};

// What the drawing window's controls hold: colours as palette indices, the
// content switches, pen widths in pixels, font, point symbol sizes in pixels, the
// ellipse magnification and which unit standard deviation scales the ellipses.
struct VolbyKresby {
    uint8_t barvaFixBod = barva::kZluta;
    uint8_t barvaVyrBod = barva::kLimetkova;
    uint8_t barvaMereni = barva::kStribrna;
    uint8_t barvaElipsa = barva::kAzurova;
    uint8_t barvaPozadi = barva::kCerna;
    bool kreslitBod = true;
    bool kreslitMereniLinie = true;
    bool kreslitMereniPopis = false;
    bool kreslitElipsa = true;
    bool kreslitOsa = true;
    bool kreslitMeritko = true;
    int tloustkaBod = 1;
    int tloustkaMereni = 1;
    int tloustkaElipsa = 1;
    int tloustkaOsa = 1;
    int tloustkaMeritko = 1;
    std::string pismo = "Tahoma";
    int indexPisma = -1;  // in the system's font list; -1 (or unknown): `pismo`
    int velikostPisma = 10;
    bool tucne = false;
    int krizek = 4;
    int krouzek = 3;
    Real zvetseni = 50000;
    bool apriorni = true;  // ellipses for the a-priori unit standard deviation

    // The colour presets of the window: "Default" and "Black - white".
    void BarvyVychozi();
    void BarvyCernobile();
};

// The controls as the window loads them from the settings. A colour index
// outside the palette falls back to the colour of the "Default" preset, a list
// index outside its list to the default of the settings; font index -1 (or one
// the system does not have) means "Tahoma" (resolved by the painter).
VolbyKresby VolbyZNastaveni(const nastaveni::Tgrafika& grafika);

}  // namespace vertano
