#include "drawing/VolbyKresby.h"

namespace vertano {

namespace {

constexpr std::array<BarvaRgb, kPocetBarev> kPaleta = {{
    {0, 0, 0},        // black
    {128, 0, 0},      // maroon
    {0, 128, 0},      // green
    {128, 128, 0},    // olive
    {0, 0, 128},      // navy
    {128, 0, 128},    // purple
    {0, 128, 128},    // teal
    {128, 128, 128},  // gray
    {192, 192, 192},  // silver
    {255, 0, 0},      // red
    {0, 255, 0},      // lime
    {255, 255, 0},    // yellow
    {0, 0, 255},      // blue
    {255, 0, 255},    // fuchsia
    {0, 255, 255},    // aqua
    {255, 255, 255},  // white
    {192, 220, 192},  // money green
    {166, 202, 240},  // sky blue
    {255, 251, 240},  // cream
    {160, 160, 164},  // medium gray
}};

uint8_t Barva(uint8_t index, uint8_t vychozi) {
    return index < kPocetBarev ? index : vychozi;
}

template <size_t N>
int ZeSeznamu(const std::array<int, N>& seznam, uint8_t index, size_t vychozi) {
    return seznam[index < N ? index : vychozi];
}

}  // namespace

BarvaRgb BarvaPalety(int index) {
    if (index < 0 || index >= kPocetBarev) return {};
    return kPaleta[static_cast<size_t>(index)];
}

void VolbyKresby::BarvyVychozi() {
    barvaFixBod = barva::kZluta;
    barvaVyrBod = barva::kLimetkova;
    barvaMereni = barva::kStribrna;
    barvaPozadi = barva::kCerna;
    barvaElipsa = barva::kAzurova;
}

void VolbyKresby::BarvyCernobile() {
    barvaFixBod = barva::kCerna;
    barvaVyrBod = barva::kCerna;
    barvaMereni = barva::kCerna;
    barvaPozadi = barva::kBila;
    barvaElipsa = barva::kCerna;
}

VolbyKresby VolbyZNastaveni(const nastaveni::Tgrafika& g) {
    Tnastaveni vychozi;
    vychozi.Default();
    const nastaveni::Tgrafika& d = vychozi.grafika;
    VolbyKresby v;
    v.barvaFixBod = Barva(g.barvaFixBod, barva::kZluta);
    v.barvaVyrBod = Barva(g.barvaVyrBod, barva::kLimetkova);
    v.barvaMereni = Barva(g.barvaMereni, barva::kStribrna);
    v.barvaElipsa = Barva(g.barvaElipsa, barva::kAzurova);
    v.barvaPozadi = Barva(g.barvaPozadi, barva::kCerna);
    v.kreslitBod = g.kreslitBod;
    v.kreslitMereniLinie = g.kreslitMereniLinie;
    v.kreslitMereniPopis = g.kreslitMereniPopis;
    v.kreslitElipsa = g.kreslitElipsa;
    v.kreslitOsa = g.kreslitOsa;
    v.kreslitMeritko = g.kreslitMeritko;
    // Seven widths, 1 to 7 pixels.
    const auto sirka = [](uint8_t index) { return index < 7 ? index + 1 : 1; };
    v.tloustkaBod = sirka(g.tloustkaBod);
    v.tloustkaMereni = sirka(g.tloustkaMereni);
    v.tloustkaElipsa = sirka(g.tloustkaElipsa);
    v.tloustkaOsa = sirka(g.tloustkaOsa);
    v.tloustkaMeritko = sirka(g.tloustkaMeritko);
    v.pismo = "Tahoma";
    v.indexPisma = g.textFont;
    v.velikostPisma = ZeSeznamu(kVelikostiPisma, g.textVelikost, d.textVelikost);
    v.tucne = g.textRez == 1;
    v.krizek = ZeSeznamu(kVelikostiZnacek, g.krizek, d.krizek);
    v.krouzek = ZeSeznamu(kVelikostiZnacek, g.krouzek, d.krouzek);
    v.zvetseni = ZeSeznamu(kZvetseniElipsy, g.zvetseniElipsa, d.zvetseniElipsa);
    v.apriorni = g.presnost;
    return v;
}

}  // namespace vertano
