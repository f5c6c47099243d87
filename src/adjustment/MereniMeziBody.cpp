#include "adjustment/MereniMeziBody.h"

namespace vertano {

bool MereniMeziBody::JeObousmerne(int32_t a, int32_t b) const {
    return !matice.Bunka(a, b).empty() && !matice.Bunka(b, a).empty();
}

std::vector<int32_t> MereniMeziBody::ObousmerniSousede(int32_t a) const {
    std::vector<int32_t> sousede;
    for (const int32_t b : matice.CileStanoviska(a)) {
        if (b != a && !matice.Bunka(b, a).empty()) sousede.push_back(b);
    }
    return sousede;
}

MereniMeziBody SestavitMereniMeziBody(const Tmereni& mereni) {
    Tmereni kopie;
    kopie.Kopiruj(mereni);
    // Rows the numbering does not reach (empty ones) must not keep stale indices
    // and land in some other cell.
    for (Tzaznam& z : kopie.zaznam) {
        z.iStn = -1;
        z.iCil = -1;
    }
    MereniMeziBody vysledek;
    kopie.PoradiBoduPriradit(vysledek.cislaBodu);
    vysledek.matice.Create(vysledek.PocetBodu(), 0);
    vysledek.matice.PridejMereni(kopie);
    return vysledek;
}

}  // namespace vertano
