#include "processing/PrumerSkupin.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "matice/FpGuard.h"
#include "processing/RozsahyZaznamu.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

struct Soucty {
    Real smer = 0;
    Real zenit = 0;
    Real delka = 0;
    int32_t pocetSmer = 1;
    int32_t pocetZenit = 1;
    int32_t pocetDelka = 1;
};

// Accumulates into row i the rows `dalsi` (later rows of its target, in order) and
// empties them.
void SloucitCil(std::vector<Tzaznam>& z, int32_t i, const std::vector<int32_t>& dalsi) {
    Tzaznam& a = z[static_cast<size_t>(i)];
    Soucty s{a.smer, a.zenit, a.delka};
    bool maDelku = a.MaDelku();
    bool maSmer = a.MaSmer();
    bool maZenit = a.MaZenit();
    // Directions are taken next to the first one measured.
    Real reference = a.smer;
    for (const int32_t j : dalsi) {
        Tzaznam& g = z[static_cast<size_t>(j)];
        if (g.MaSmer()) {
            if (maSmer) {
                s.smer += Unwrap(g.smer, reference);
                ++s.pocetSmer;
            } else {
                s.smer = reference = g.smer;
                s.pocetSmer = 1;
                maSmer = true;
            }
        }
        if (g.MaZenit()) {
            if (maZenit) {
                s.zenit += g.zenit;
                ++s.pocetZenit;
            } else {
                s.zenit = g.zenit;
                s.pocetZenit = 1;
                maZenit = true;
            }
        }
        if (g.MaDelku()) {
            if (maDelku) {
                s.delka += g.delka;
                ++s.pocetDelka;
            } else {
                s.delka = g.delka;
                s.pocetDelka = 1;
                maDelku = true;
            }
        }
        g = Tzaznam::Prazdny();
    }
    a.smer = Normalise(s.smer / static_cast<Real>(s.pocetSmer));
    a.zenit = s.zenit / static_cast<Real>(s.pocetZenit);
    a.delka = s.delka / static_cast<Real>(s.pocetDelka);
    a.bezSmeru = !maSmer;
    a.bezZenitu = !maZenit;
    if (!maZenit) a.poloha = true;
    a.vaha_delka = static_cast<Real>(s.pocetDelka);
    a.vaha_smer = static_cast<Real>(s.pocetSmer);
    a.vaha_zenit = static_cast<Real>(s.pocetZenit);
}

void SloucitStanovisko(std::vector<Tzaznam>& z, int32_t pocatek, int32_t konec) {
    // The full rows of each target in list order, gathered once, so that a station
    // of many rows does not cost the square of them. The first row of a target is
    // its accumulator.
    std::unordered_map<std::string, std::vector<int32_t>> podleCile;
    for (int32_t i = pocatek; i <= konec; ++i) {
        const Tzaznam& r = z[static_cast<size_t>(i)];
        if (r.JePlny()) podleCile[r.cislo_cil].push_back(i);
    }
    int32_t skupina = 1;
    for (int32_t i = pocatek; i <= konec; ++i) {
        Tzaznam& a = z[static_cast<size_t>(i)];
        if (!a.JePlny()) continue;
        if (a.skupina != skupina) a.skupina = skupina + 1;
        skupina = a.skupina;
        std::vector<int32_t>& radky = podleCile[a.cislo_cil];
        if (!radky.empty() && radky.front() == i) radky.erase(radky.begin());  // row i itself
        SloucitCil(z, i, radky);
        radky.clear();
    }
}

}  // namespace

bool PrumerSkupinNaStanovisku(Tmereni& mereni, int32_t pocatek, int32_t konec) {
    if (!OriznoutRozsah(mereni, pocatek, konec)) return true;
    const FpGuard guard;
    std::vector<Tzaznam> usek(mereni.zaznam.begin() + pocatek, mereni.zaznam.begin() + konec + 1);
    SloucitStanovisko(usek, 0, konec - pocatek);
    if (!guard.Ok()) return false;
    std::move(usek.begin(), usek.end(), mereni.zaznam.begin() + pocatek);
    return true;
}

bool PrumerSkupin(Tmereni& mereni) {
    const FpGuard guard;
    std::vector<Tzaznam> z = mereni.zaznam;
    // The station ranges are fixed before merging: emptied rows must not split them.
    for (const RozsahZaznamu& s : RozsahyStanovisek(mereni))
        SloucitStanovisko(z, s.pocatek, s.konec);
    if (!guard.Ok()) return false;
    mereni.zaznam = std::move(z);
    mereni.SmazPrazdneZaznamy();
    return true;
}

}  // namespace vertano
