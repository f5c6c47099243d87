#include "processing/UsporadaniSkupin.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "matice/Konstanty.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/RozsahyZaznamu.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

// Rewrites rows od ... od + pocet - 1 of a simultaneous set (face pairs side by
// side) into the standard order. `poloha` holds the faces of those rows as the
// identification computed them from the zenith angles.
void DoStandardnihoPoradi(std::vector<Tzaznam>& z, int32_t od, int32_t pocet,
                          const std::vector<bool>& poloha) {
    std::vector<Tzaznam> prvni;
    std::vector<Tzaznam> druha;
    for (int32_t j = 0; j + 1 < pocet; j += 2) {
        Tzaznam& a = z[static_cast<size_t>(od + j)];
        Tzaznam& b = z[static_cast<size_t>(od + j + 1)];
        const bool aPrvni = poloha[static_cast<size_t>(j)];
        prvni.push_back(aPrvni ? std::move(a) : std::move(b));
        druha.push_back(aPrvni ? std::move(b) : std::move(a));
    }
    std::reverse(druha.begin(), druha.end());
    auto cil = z.begin() + od;
    cil = std::move(prvni.begin(), prvni.end(), cil);
    std::move(druha.begin(), druha.end(), cil);
}

// The simultaneous sets among the rows of `usek` (all outside sets) of the list,
// found on a scratch copy and rearranged in the list itself.
bool SerazeniUseku(Tmereni& mereni, RozsahZaznamu usek, int32_t& pocetMereni,
                   int32_t& pocetSkupin) {
    Tmereni pomocny;
    pomocny.zaznam.assign(mereni.zaznam.begin() + usek.pocatek,
                          mereni.zaznam.begin() + usek.konec + 1);
    IdentifikaceSkupinNaStanoviskuPrniDruhaZaSebou(pomocny, 0, usek.Pocet() - 1);
    bool nalezeno = false;
    for (const RozsahZaznamu& s : RozsahySkupin(pomocny)) {
        std::vector<bool> poloha;
        for (int32_t i = s.pocatek; i <= s.konec; ++i) {
            poloha.push_back(pomocny.zaznam[static_cast<size_t>(i)].poloha);
        }
        DoStandardnihoPoradi(mereni.zaznam, usek.pocatek + s.pocatek, s.Pocet(), poloha);
        pocetMereni += s.Pocet();
        ++pocetSkupin;
        nalezeno = true;
    }
    return nalezeno;
}

}  // namespace

void UsporadejSkupinyDlePolohy(Tmereni& mereni, int32_t& pocetSerazenychMereni,
                               int32_t& pocetSerazenychSkupin) {
    pocetSerazenychMereni = 0;
    pocetSerazenychSkupin = 0;
    for (const RozsahZaznamu& s : RozsahySkupin(mereni)) {
        if (mereni.zaznam[static_cast<size_t>(s.pocatek)].poloha) continue;
        std::reverse(mereni.zaznam.begin() + s.pocatek, mereni.zaznam.begin() + s.konec + 1);
        pocetSerazenychMereni += s.Pocet();
        ++pocetSerazenychSkupin;
    }
}

void UsporadejSkupinyDlePrniDruhaZaSebou(Tmereni& mereni, int32_t& pocetSerazenychMereni,
                                         int32_t& pocetSerazenychSkupin) {
    pocetSerazenychMereni = 0;
    pocetSerazenychSkupin = 0;
    mereni.SmazPrazdneZaznamyNaKonci();
    for (const RozsahZaznamu& stn : RozsahyStanovisek(mereni)) {
        bool nalezeno = false;
        // Each maximal run of rows outside sets is searched on its own.
        for (int32_t i = stn.pocatek; i <= stn.konec;) {
            if (mereni.zaznam[static_cast<size_t>(i)].JeVeSkupine()) {
                ++i;
                continue;
            }
            RozsahZaznamu usek{i, i};
            while (usek.konec < stn.konec &&
                   !mereni.zaznam[static_cast<size_t>(usek.konec + 1)].JeVeSkupine()) {
                ++usek.konec;
            }
            if (usek.Pocet() >= 4 &&
                SerazeniUseku(mereni, usek, pocetSerazenychMereni, pocetSerazenychSkupin)) {
                nalezeno = true;
            }
            i = usek.konec + 1;
        }
        if (!nalezeno) continue;
        for (int32_t i = stn.pocatek; i <= stn.konec; ++i) {
            mereni.zaznam[static_cast<size_t>(i)].jeZkontrolovano = false;
        }
    }
}

Tzaznam ZrcadlenyZaznam(const Tzaznam& zdroj, const nastaveni::Tmez& zrcadleni) {
    Tzaznam z = zdroj;
    z.poloha = !zdroj.poloha;
    // The sign of each offset follows from the face differences dII - dI,
    // sII - pi - sI and 2pi - zII - zI: mirrored either way, the pair shows the
    // assumed differences themselves.
    const Real znamenko = z.poloha ? -1 : 1;
    // A value that was not measured stays so in the other face too.
    if (zdroj.MaSmer()) z.smer = Normalise(zdroj.smer + kPi + znamenko * zrcadleni.rozdil_smer);
    if (zdroj.MaZenit()) z.zenit = kDvePi - zdroj.zenit - zrcadleni.rozdil_zenit;
    // A missing distance (0) is not a measurement: offsetting it would invent one.
    if (zdroj.MaDelku()) z.delka = zdroj.delka + znamenko * zrcadleni.rozdil_delka;
    return z;
}

void ZrcadlitPoloha(Tmereni& mereni, int32_t& pocetPridanychZaznamu, const Tnastaveni& nastaveni) {
    pocetPridanychZaznamu = 0;
    mereni.SmazPrazdneZaznamyNaKonci();
    const std::vector<Tzaznam> kopie = mereni.zaznam;
    std::vector<Tzaznam> nove;
    nove.reserve(2 * kopie.size() - static_cast<size_t>(mereni.PocetZarazenychZaznamuDoSkupin()));
    std::vector<bool> zmeneno;
    for (const Tzaznam& z : kopie) {
        nove.push_back(z);
        const bool zrcadlit = z.JePlny() && !z.JeVeSkupine();
        zmeneno.push_back(zrcadlit);
        if (!zrcadlit) continue;
        nove.push_back(ZrcadlenyZaznam(z, nastaveni.zrcadleni));
        zmeneno.push_back(true);
        ++pocetPridanychZaznamu;
    }
    mereni.zaznam = std::move(nove);
    // Rows added to a station are an edit of it: the whole station goes through
    // identification and the checks again.
    for (const RozsahZaznamu& s : RozsahyStanovisek(mereni)) {
        const auto od = zmeneno.begin() + s.pocatek;
        if (std::none_of(od, zmeneno.begin() + s.konec + 1, [](bool b) { return b; })) continue;
        for (int32_t i = s.pocatek; i <= s.konec; ++i) {
            mereni.zaznam[static_cast<size_t>(i)].jeZkontrolovano = false;
        }
    }
}

}  // namespace vertano
