#include "processing/MedianMereni.h"

#include <cmath>

#include "processing/MedianVektor.h"

namespace vertano {

void TmaticeMereni::Create(const int32_t pocetBodu, const int32_t pocetStanovisek) {
    pocetBodu_ = pocetBodu > 0 ? pocetBodu : 0;
    matice_.clear();
    const std::size_t n = pocetStanovisek > 0 ? static_cast<std::size_t>(pocetStanovisek) : 0;
    orientacniPosun.assign(n, {});
    median.assign(n, Tzaznam::Prazdny());
}

void TmaticeMereni::Destroy() {
    Create(0, 0);
}

int32_t TmaticeMereni::PridejMereni(const Tmereni& mereni) {
    int32_t pocet = 0;
    for (const Tzaznam& z : mereni.zaznam) {
        if (z.JePlny() && PridejZaznam(z)) ++pocet;
    }
    return pocet;
}

bool TmaticeMereni::PridejZaznam(const Tzaznam& zaznam) {
    if (!JeBodVeMatici(zaznam.iStn) || !JeBodVeMatici(zaznam.iCil)) return false;
    matice_[Klic{zaznam.iStn, zaznam.iCil}].push_back(zaznam);
    return true;
}

bool TmaticeMereni::VlozZaznam(const Tzaznam& zaznam) {
    // Checked before anything is stored, so a refused row leaves no trace.
    if (!JeStanoviskoVeMatici(zaznam.poradi) || !std::isfinite(zaznam.posun)) return false;
    if (!PridejZaznam(zaznam)) return false;
    const auto k = static_cast<std::size_t>(zaznam.poradi - 1);
    std::vector<Real>& vzorky = orientacniPosun[k];
    if (vzorky.empty() || !median[k].JePlny()) {
        vzorky.assign(1, zaznam.posun);
        median[k] = zaznam;
        return true;
    }
    VlozitVzestupne(vzorky, zaznam.posun);
    median[k].posun = MedianVzestupne(vzorky);
    return true;
}

bool TmaticeMereni::VratZaznamMedian(Tzaznam& zaznam, const int32_t poradi) const {
    if (poradi < 0 || static_cast<std::size_t>(poradi) >= median.size()) return false;
    const Tzaznam& m = median[static_cast<std::size_t>(poradi)];
    if (!m.JePlny()) return false;
    zaznam = m;
    return true;
}

const std::vector<Tzaznam>& TmaticeMereni::Bunka(const int32_t iStn, const int32_t iCil) const {
    static const std::vector<Tzaznam> prazdna;
    const auto nalez = matice_.find(Klic{iStn, iCil});
    return nalez != matice_.end() ? nalez->second : prazdna;
}

std::vector<int32_t> TmaticeMereni::CileStanoviska(const int32_t iStn) const {
    std::vector<int32_t> cile;
    for (auto it = matice_.lower_bound(Klic{iStn, 0});
         it != matice_.end() && it->first.first == iStn; ++it) {
        if (!it->second.empty()) cile.push_back(it->first.second);
    }
    return cile;
}

bool TmaticeMereni::JeStanoviskoVeMatici(const int32_t poradi) const {
    return poradi >= 1 && static_cast<std::size_t>(poradi) <= median.size();
}

}  // namespace vertano
