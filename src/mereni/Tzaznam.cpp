#include "mereni/Tzaznam.h"

#include <algorithm>

#include "matice/Konstanty.h"

namespace vertano {

Tzaznam Tzaznam::Prazdny() {
    Tzaznam z;
    z.vyska_stn = z.vyska_cil = z.delka = z.smer = z.zenit = -1;
    z.sig_delka = z.sig_smer = z.sig_zenit = -1;
    z.vaha_delka = z.vaha_smer = z.vaha_zenit = -1;
    z.smernik = z.posun = z.sig_posun = -1;
    z.iStn = z.iCil = z.iPrvni = z.iDruha = -1;
    z.zapracovaniPoloha.fill(-1);
    z.zkresleniDelky = 1;
    return z;
}

bool Tzaznam::MaKontrolu() const {
    return std::any_of(kontrola.begin(), kontrola.end(), [](bool k) { return k; });
}

bool Tzaznam::MaKontrolu(std::initializer_list<int> indexy) const {
    return std::any_of(indexy.begin(), indexy.end(), [this](int k) {
        return k >= 0 && k < kPocetKontrol && kontrola[static_cast<size_t>(k)];
    });
}

bool PolohaRadku(const Tzaznam& z) {
    return z.bezZenitu ? z.poloha : z.zenit <= kPi;
}

bool JeDvojicePoloh(const Tzaznam& a, const Tzaznam& b) {
    return a.poradi == b.poradi && a.skupina == b.skupina && a.cislo_cil == b.cislo_cil &&
           a.poloha != b.poloha;
}

bool JeStejnyCilJineSkupiny(const Tzaznam& a, const Tzaznam& b) {
    return a.poradi == b.poradi && a.skupina != b.skupina && a.cislo_cil == b.cislo_cil &&
           a.poloha == b.poloha;
}

}  // namespace vertano
