#include "processing/KontrolaMereni.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <unordered_map>

#include "matice/FpGuard.h"
#include "mereni/CisloBodu.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/Polohy.h"
#include "processing/RozsahyZaznamu.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

using kontrola::kDelkaVJednePoloze;
using kontrola::kPolohaDelka;
using kontrola::kPolohaSmer;
using kontrola::kPolohaVyskaCil;
using kontrola::kPolohaZenit;
using kontrola::kSkupinaDelka;
using kontrola::kSkupinaSmer;
using kontrola::kSkupinaVyskaCil;
using kontrola::kSkupinaZenit;

constexpr int kPriznakyPoloh[] = {kPolohaVyskaCil, kPolohaSmer, kPolohaZenit, kPolohaDelka,
                                  kDelkaVJednePoloze};
constexpr int kPriznakySkupin[] = {kSkupinaVyskaCil, kSkupinaSmer, kSkupinaZenit, kSkupinaDelka};

Tzaznam& Radek(Tmereni& mereni, int32_t i) {
    return mereni.zaznam[static_cast<size_t>(i)];
}

bool& Priznak(Tzaznam& z, int k) {
    return z.kontrola[static_cast<size_t>(k)];
}

// Smallest and largest of the values given.
struct Rozpeti {
    bool prazdne = true;
    Real min = 0;
    Real max = 0;

    void Pridat(Real v) {
        if (prazdne) {
            min = max = v;
            prazdne = false;
        } else if (v < min) {
            min = v;
        } else if (v > max) {
            max = v;
        }
    }
    // Both extremes lie within the limit of v.
    bool Obsahuje(Real v, Real mez) const { return Within(min - v, mez) && Within(max - v, mez); }
};

// One pointing measured in several sets (rows `radky`, at least two): each row is
// flagged for a quantity unless both extremes of that quantity lie within the set
// tolerance of its own value. Angles are compared next to the first row's value,
// so a target near direction zero, read 399.9997 gon in one set and 0.0003 gon in
// another, has its true extremes and not the two values closest to zero.
void VyhodnotitCil(Tmereni& mereni, const std::vector<int32_t>& radky, const nastaveni::Tmez& mez) {
    // The references are the first values measured: a row without a direction or
    // zenith angle has none to compare.
    Real smerRef = 0;
    Real zenitRef = 0;
    bool maSmerRef = false;
    bool maZenitRef = false;
    for (const int32_t r : radky) {
        const Tzaznam& z = Radek(mereni, r);
        if (!maSmerRef && z.MaSmer()) {
            smerRef = z.smer;
            maSmerRef = true;
        }
        if (!maZenitRef && z.MaZenit()) {
            zenitRef = z.zenit;
            maZenitRef = true;
        }
    }
    Rozpeti vyska, smer, zenit, delka;
    for (const int32_t r : radky) {
        const Tzaznam& z = Radek(mereni, r);
        vyska.Pridat(z.vyska_cil);
        if (z.MaSmer()) smer.Pridat(Unwrap(z.smer, smerRef));
        if (z.MaZenit()) zenit.Pridat(Unwrap(z.zenit, zenitRef));
        if (z.MaDelku()) delka.Pridat(z.delka);
    }
    for (const int32_t r : radky) {
        Tzaznam& z = Radek(mereni, r);
        Priznak(z, kSkupinaVyskaCil) = !vyska.Obsahuje(z.vyska_cil, 0);
        Priznak(z, kSkupinaSmer) =
            z.MaSmer() && !smer.Obsahuje(Unwrap(z.smer, smerRef), mez.rozdil_smer);
        Priznak(z, kSkupinaZenit) =
            z.MaZenit() && !zenit.Obsahuje(Unwrap(z.zenit, zenitRef), mez.rozdil_zenit);
        Priznak(z, kSkupinaDelka) = z.MaDelku() && !delka.Obsahuje(z.delka, mez.rozdil_delka);
    }
}

// The face checks of one pair (a the upper row of the set, b the lower); the
// reduction and the flags end up in both rows.
void KontrolaDvojice(Tmereni& mereni, int32_t a, int32_t b, const nastaveni::Tmez& mez) {
    Tzaznam& za = Radek(mereni, a);
    Tzaznam& zb = Radek(mereni, b);
    const RedukcePolohy r = RedukovatPar(za, zb);
    za.zapracovaniPoloha = r;
    Priznak(za, kPolohaVyskaCil) = !Within(zb.vyska_cil - za.vyska_cil, 0);
    // A direction or zenith angle of one face only has no face difference.
    Priznak(za, kPolohaSmer) =
        za.MaSmer() && zb.MaSmer() && !Within(r[redukce::kRozdilSmer], mez.rozdil_smer);
    Priznak(za, kPolohaZenit) =
        za.MaZenit() && zb.MaZenit() && !Within(r[redukce::kRozdilZenit], mez.rozdil_zenit);
    // Flag 9 belongs to pairs with two distances only; a pair that lost one must not
    // keep it, or a stale flag would block the analysis.
    const bool obe = za.MaDelku() && zb.MaDelku();
    Priznak(za, kPolohaDelka) = obe && !Within(r[redukce::kRozdilDelka], mez.rozdil_delka);
    Priznak(za, kDelkaVJednePoloze) = za.MaDelku() != zb.MaDelku();
    // A face switched off by the user gives nothing: the other face stands alone.
    if (za.jeVyrazeno || zb.jeVyrazeno) {
        for (const int k : kPriznakyPoloh) Priznak(za, k) = false;
    }
    zb.zapracovaniPoloha = r;
    for (const int k : kPriznakyPoloh) Priznak(zb, k) = Priznak(za, k);
}

int32_t Omezit(int64_t v) {
    return static_cast<int32_t>(std::min<int64_t>(v, std::numeric_limits<int32_t>::max()));
}

}  // namespace

void KontrolaPoloh(Tmereni& mereni, int32_t pocatek, int32_t konec, const Tnastaveni& nastaveni) {
    if (!OriznoutRozsah(mereni, pocatek, konec)) return;
    std::vector<bool> vDvojici(static_cast<size_t>(konec - pocatek + 1), false);
    for (const RozsahZaznamu& s : RozsahySkupin(mereni, {pocatek, konec})) {
        for (int32_t i = 0; s.konec - s.pocatek - 2 * i >= 1; ++i) {
            KontrolaDvojice(mereni, s.pocatek + i, s.konec - i, nastaveni.mezPoloha);
            vDvojici[static_cast<size_t>(s.pocatek + i - pocatek)] = true;
            vDvojici[static_cast<size_t>(s.konec - i - pocatek)] = true;
        }
    }
    // A row in no pair (outside the sets) has no face differences to be wrong; the
    // flags it may have kept from an earlier set go.
    for (int32_t i = pocatek; i <= konec; ++i) {
        if (vDvojici[static_cast<size_t>(i - pocatek)]) continue;
        for (const int k : kPriznakyPoloh) Priznak(Radek(mereni, i), k) = false;
    }
}

void KontrolaSkupin(Tmereni& mereni, int32_t pocatek, int32_t konec, const Tnastaveni& nastaveni) {
    if (!OriznoutRozsah(mereni, pocatek, konec)) return;
    // The same pointing in other sets: same station, target and face. Grouping by
    // target and face keeps a station of many sets from costing the square of its
    // rows; within a group the rows are taken in list order as they come.
    std::unordered_map<std::string_view, std::vector<int32_t>> skupiny[2];
    for (int32_t i = pocatek; i <= konec; ++i) {
        Tzaznam& z = Radek(mereni, i);
        for (const int k : kPriznakySkupin) Priznak(z, k) = false;
        if (!z.JePlny() || !z.JeVeSkupine() || z.jeVyrazeno) continue;
        skupiny[z.poloha ? 1 : 0][z.cislo_cil].push_back(i);
    }
    std::vector<int32_t> sebrane;
    for (auto& podlePolohy : skupiny) {
        for (auto& [cil, radky] : podlePolohy) {
            std::vector<bool> hotovo(radky.size(), false);
            for (size_t r = 0; r < radky.size(); ++r) {
                if (hotovo[r]) continue;
                const Tzaznam& zr = Radek(mereni, radky[r]);
                sebrane.assign(1, radky[r]);
                hotovo[r] = true;
                for (size_t g = r + 1; g < radky.size(); ++g) {
                    // A pointing repeated within its set is compared as one in
                    // another set: a repeat, held to the same tolerance.
                    const Tzaznam& zg = Radek(mereni, radky[g]);
                    if (hotovo[g] || (zg.skupina == zr.skupina ? zg.poradi != zr.poradi
                                                               : !JeStejnyCilJineSkupiny(zr, zg)))
                        continue;
                    sebrane.push_back(radky[g]);
                    hotovo[g] = true;
                }
                if (sebrane.size() >= 2) VyhodnotitCil(mereni, sebrane, nastaveni.mezSkupina);
            }
        }
    }
}

void KontrolaHodnot(Tmereni& mereni, int32_t pocatek, int32_t konec, const Tnastaveni& nastaveni) {
    if (!OriznoutRozsah(mereni, pocatek, konec)) return;
    const nastaveni::Tmez& mez = nastaveni.mezHodnota;
    for (int32_t i = pocatek; i <= konec; ++i) {
        Tzaznam& z = Radek(mereni, i);
        Priznak(z, kontrola::kCilJeStanovisko) = JeStejneCislo(z.cislo_stn, z.cislo_cil);
        Priznak(z, kontrola::kVyskaStn) = !InRange(z.vyska_stn, mez.hodnota_vyskaSTN);
        Priznak(z, kontrola::kVyskaCil) = !InRange(z.vyska_cil, mez.hodnota_vyskaCIL);
        Priznak(z, kontrola::kSmer) = !JeUhelVKruhu(z.smer);
        Priznak(z, kontrola::kZenit) = !JeUhelVKruhu(z.zenit);
        Priznak(z, kontrola::kDelka) = !InRange(z.delka, mez.hodnota_delka);
    }
}

void SpocitatKontroly(Tmereni& mereni) {
    std::array<int64_t, Tzaznam::kPocetKontrol> pocet{};
    for (const Tzaznam& z : mereni.zaznam) {
        // A row switched off by the user keeps its flags for the table, but
        // counts for nothing: it holds no analysis back.
        if (!z.JePlny() || z.jeVyrazeno) continue;
        if (!z.JeVeSkupine()) ++pocet[kontrola::kCilJeStanovisko];
        for (size_t k = 0; k < pocet.size(); ++k) {
            if (k != kontrola::kVyskaStn && z.kontrola[k]) ++pocet[k];
        }
    }
    // The instrument height is one value of the station: a wrong one is one error,
    // however many rows repeat it and whichever row of the station holds it.
    for (const RozsahZaznamu& s : RozsahyStanovisek(mereni)) {
        const auto od = mereni.zaznam.begin() + s.pocatek;
        if (std::any_of(od, mereni.zaznam.begin() + s.konec + 1, [](const Tzaznam& z) {
                return z.kontrola[kontrola::kVyskaStn] && !z.jeVyrazeno;
            })) {
            ++pocet[kontrola::kVyskaStn];
        }
    }
    for (size_t k = 0; k < pocet.size(); ++k) mereni.kontrola[k] = Omezit(pocet[k]);
}

void ZapsatPocetChyb(const Tmereni& mereni, Tchyby& chyby) {
    const auto c = [&mereni](size_t k) { return int64_t{mereni.kontrola[k]}; };
    int64_t celkem = 0;
    for (size_t k = 0; k < mereni.kontrola.size(); ++k) celkem += c(k);
    chyby.suroveMereniCekovyPocetChyb = Omezit(celkem);
    Tzaznam& p = chyby.suroveMereniPocetChyb;
    p.cislo_cil = FormatInteger(mereni.kontrola[kontrola::kCilJeStanovisko]);
    p.vyska_stn = static_cast<Real>(c(kontrola::kVyskaStn));
    p.vyska_cil =
        static_cast<Real>(c(kontrola::kVyskaCil) + c(kPolohaVyskaCil) + c(kSkupinaVyskaCil));
    p.smer = static_cast<Real>(c(kontrola::kSmer) + c(kPolohaSmer) + c(kSkupinaSmer));
    p.zenit = static_cast<Real>(c(kontrola::kZenit) + c(kPolohaZenit) + c(kSkupinaZenit));
    p.delka = static_cast<Real>(c(kontrola::kDelka) + c(kPolohaDelka) + c(kSkupinaDelka) +
                                c(kDelkaVJednePoloze));
}

void KontrolaMereni(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby, bool vynutit) {
    if (!vynutit && !nastaveni.prepinac.prehledChyb) return;
    // Values that are not numbers end up flagged (every test fails on them); the
    // guard only keeps their sticky exception flags from reaching the caller.
    const FpGuard guard;
    for (const RozsahZaznamu& s : RozsahyStanovisek(mereni)) {
        const auto od = mereni.zaznam.begin() + s.pocatek;
        const auto po = mereni.zaznam.begin() + s.konec + 1;
        if (std::all_of(od, po, [](const Tzaznam& z) { return z.jeZkontrolovano; })) continue;
        KontrolaPoloh(mereni, s.pocatek, s.konec, nastaveni);
        KontrolaSkupin(mereni, s.pocatek, s.konec, nastaveni);
        KontrolaHodnot(mereni, s.pocatek, s.konec, nastaveni);
        std::for_each(od, po, [](Tzaznam& z) { z.jeZkontrolovano = true; });
    }
    SpocitatKontroly(mereni);
    ZapsatPocetChyb(mereni, chyby);
}

void KontrolaVsehoMereni(Tmereni& mereni, const Tnastaveni& nastaveni, Tchyby& chyby) {
    mereni.JeZkontrolovanoNastavit(false);
    IdentifikujSkupiny(mereni);
    KontrolaMereni(mereni, nastaveni, chyby, true);
}

void KontrolaOdvozenehoMereni(Tmereni& mereni, const Tnastaveni& nastaveni) {
    const FpGuard guard;
    for (const RozsahZaznamu& s : RozsahyStanovisek(mereni)) {
        KontrolaSkupin(mereni, s.pocatek, s.konec, nastaveni);
        KontrolaHodnot(mereni, s.pocatek, s.konec, nastaveni);
    }
    SpocitatKontroly(mereni);
}

bool ObsahujeKontrolu(const Tmereni& mereni, int k) {
    if (k < 0 || k >= Tzaznam::kPocetKontrol) return false;
    return std::any_of(mereni.zaznam.begin(), mereni.zaznam.end(),
                       [k](const Tzaznam& z) { return z.kontrola[static_cast<size_t>(k)]; });
}

std::vector<ChybnyZaznam> ChybneZaznamy(const Tmereni& mereni) {
    std::vector<ChybnyZaznam> chybne;
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        if (!z.JePlny() || z.jeVyrazeno) continue;
        ChybnyZaznam c;
        c.index = static_cast<int32_t>(i);
        c.mimoSkupinu = !z.JeVeSkupine();
        for (int k = 0; k < Tzaznam::kPocetKontrol; ++k) {
            if (z.kontrola[static_cast<size_t>(k)]) c.priznaky.push_back(k);
        }
        if (c.mimoSkupinu || !c.priznaky.empty()) chybne.push_back(std::move(c));
    }
    return chybne;
}

}  // namespace vertano
