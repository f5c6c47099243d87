#include "processing/IdentifikaceSkupin.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "mereni/CisloBodu.h"
#include "processing/Polohy.h"
#include "processing/RozsahyZaznamu.h"

namespace vertano {

namespace {

Tzaznam& Radek(Tmereni& mereni, int32_t i) {
    return mereni.zaznam[static_cast<size_t>(i)];
}

// Resets the sets of the range and sets the faces; false when the range has too
// few rows to hold a set.
bool PripravitRozsah(Tmereni& mereni, int32_t& pocatek, int32_t& konec) {
    if (!OriznoutRozsah(mereni, pocatek, konec)) return false;
    for (int32_t i = pocatek; i <= konec; ++i) {
        Tzaznam& z = Radek(mereni, i);
        z.skupina = 0;
        z.poloha = PolohaRadku(z);
    }
    return konec - pocatek + 1 >= 4;
}

// Last index of the run of rows with the face of row `od`, not beyond `konec`.
int32_t KonecBehuPolohy(Tmereni& mereni, int32_t od, int32_t konec) {
    const bool poloha = Radek(mereni, od).poloha;
    int32_t e = od;
    while (e < konec && Radek(mereni, e + 1).poloha == poloha) ++e;
    return e;
}

// The largest t in [a, e] such that rows t ... e sight at least two different
// targets; a - 1 when there is none. A target may be pointed more than once in a
// set (closing the round on the first target, a pointing repeated): the repeat
// stays in the set and is paired with its mirror like any other pointing.
int32_t KonecDvouCilu(Tmereni& mereni, int32_t a, int32_t e) {
    int32_t t = e;
    while (t >= a && JeStejneCislo(Radek(mereni, t).cislo_cil, Radek(mereni, e).cislo_cil)) --t;
    return t;
}

void PriraditSkupinu(Tmereni& mereni, int32_t od, int32_t pocet, int32_t skupina) {
    for (int32_t i = od; i < od + pocet; ++i) Radek(mereni, i).skupina = skupina;
}

}  // namespace

void IdentifikujSkupiny(Tmereni& mereni) {
    if (mereni.SmazPrazdneZaznamyNaKonci()) mereni.SeradPoradi();
    for (const RozsahZaznamu& s : RozsahyStanovisek(mereni)) {
        const auto od = mereni.zaznam.begin() + s.pocatek;
        const auto po = mereni.zaznam.begin() + s.konec + 1;
        if (std::all_of(od, po, [](const Tzaznam& z) { return z.jeZkontrolovano; })) continue;
        IdentifikaceSkupinNaStanovisku(mereni, s.pocatek, s.konec);
    }
}

void IdentifikaceSkupinNaStanovisku(Tmereni& mereni, int32_t pocatek, int32_t konec) {
    if (!PripravitRozsah(mereni, pocatek, konec)) return;
    int32_t skupina = 0;
    // Work run by run of one face. For a start s inside the run a ... e the first
    // list is the targets of s ... e and the second those of the next run. Both
    // tests that do not depend on s are done once per run: how far the targets
    // mirror each other across the face change, and up to where the run still
    // holds two different targets.
    for (int32_t a = pocatek; a <= konec;) {
        const int32_t e = KonecBehuPolohy(mereni, a, konec);
        const int32_t f = e < konec ? KonecBehuPolohy(mereni, e + 1, konec) : e;
        int32_t zrcadlo = 0;
        while (e - zrcadlo >= a && e + 1 + zrcadlo <= f &&
               JeStejneCislo(Radek(mereni, e - zrcadlo).cislo_cil,
                             Radek(mereni, e + 1 + zrcadlo).cislo_cil)) {
            ++zrcadlo;
        }
        const int32_t mez = KonecDvouCilu(mereni, a, e);
        for (int32_t s = a; s <= mez; ++s) {
            if (Radek(mereni, s).JeVeSkupine()) continue;
            const int32_t k = e - s + 1;
            if (k >= 2 && k <= zrcadlo) {
                PriraditSkupinu(mereni, s, 2 * k, ++skupina);
                break;
            }
        }
        a = e + 1;
    }
}

void IdentifikaceSkupinNaStanoviskuPrniDruhaZaSebou(Tmereni& mereni, int32_t pocatek,
                                                    int32_t konec) {
    if (!PripravitRozsah(mereni, pocatek, konec)) return;
    int32_t skupina = 0;
    // Target names are compared exactly here too (JeStejneCislo): the face pairs
    // themselves need equal names, and the standard order that the rows are
    // rearranged into tells targets apart the same way.
    std::unordered_set<std::string_view> cile;
    for (int32_t s = pocatek; s <= konec; ++s) {
        if (Radek(mereni, s).JeVeSkupine()) continue;
        cile.clear();
        for (int32_t i = s; i < konec; i += 2) {
            const Tzaznam& z = Radek(mereni, i);
            if (!JeDvojicePoloh(z, Radek(mereni, i + 1))) break;
            if (!cile.insert(z.cislo_cil).second) break;
        }
        const auto pocet = static_cast<int32_t>(cile.size());
        if (pocet >= 2) PriraditSkupinu(mereni, s, 2 * pocet, ++skupina);
    }
}

}  // namespace vertano
