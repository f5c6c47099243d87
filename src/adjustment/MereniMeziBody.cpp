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

MereniMeziBody SestavitMereniMeziBody(const Tmereni& mereni,
                                      const std::function<bool(const Tzaznam&)>& vybrat) {
    Tmereni kopie;
    if (vybrat) {
        for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
            const Tzaznam& z = mereni.zaznam[i];
            if (!z.JePlny() || !vybrat(z)) continue;
            kopie.zaznam.push_back(z);
            kopie.zaznam.back().iPrvni = static_cast<int32_t>(i);
        }
    } else {
        kopie.Kopiruj(mereni);
        for (std::size_t i = 0; i < kopie.zaznam.size(); ++i) {
            kopie.zaznam[i].iPrvni = static_cast<int32_t>(i);
        }
    }
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
