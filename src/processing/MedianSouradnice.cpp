#include "processing/MedianSouradnice.h"

#include <cmath>
#include <unordered_map>

#include "processing/MedianVektor.h"

namespace vertano {

void TmaticeSouradnice::Create(const int32_t pocet) {
    const std::size_t n = pocet > 0 ? static_cast<std::size_t>(pocet) : 0;
    X.assign(n, {});
    Y.assign(n, {});
    Z.assign(n, {});
    median.assign(n, Tbod::Prazdny());
    cislaBodu.clear();
}

void TmaticeSouradnice::Create(const std::vector<std::string>& cisla) {
    Create(static_cast<int32_t>(cisla.size()));
    cislaBodu = cisla;
}

void TmaticeSouradnice::Destroy() {
    X.clear();
    Y.clear();
    Z.clear();
    median.clear();
    cislaBodu.clear();
}

int32_t TmaticeSouradnice::Pocet() const {
    return static_cast<int32_t>(median.size());
}

int32_t TmaticeSouradnice::PocetKandidatu(const int32_t poradi) const {
    return JePlatnePoradi(poradi) ? static_cast<int32_t>(X[static_cast<std::size_t>(poradi)].size())
                                  : 0;
}

int32_t TmaticeSouradnice::PridejSouradnice(const Tsouradnice& souradnice) {
    // Names compare exactly, as in the point lists: two spellings of one mark
    // must not share a position here and be two points elsewhere.
    std::unordered_map<std::string, int32_t> pozice;
    for (std::size_t i = 0; i < cislaBodu.size(); ++i) {
        pozice.try_emplace(cislaBodu[i], static_cast<int32_t>(i));
    }
    int32_t pocet = 0;
    for (const Tbod& bod : souradnice.bod) {
        // An empty slot holds no coordinates; its zeros must not become candidates.
        if (!bod.JePlny) continue;
        const auto nalez = pozice.find(bod.cislo);
        if (nalez != pozice.end() && VlozitBod(bod, nalez->second)) ++pocet;
    }
    return pocet;
}

bool TmaticeSouradnice::PridejBod(const Tbod& bod, const int32_t poradi) {
    // The record becomes the median point, so it must be a point.
    if (!JePlatnePoradi(poradi) || !bod.JePlny || !JeKonecny(bod)) return false;
    const auto i = static_cast<std::size_t>(poradi);
    median[i] = bod;
    VlozitHodnoty(bod, i);
    return true;
}

bool TmaticeSouradnice::VlozitBod(const Tbod& bod, const int32_t poradi) {
    if (PocetKandidatu(poradi) == 0) return PridejBod(bod, poradi);
    return ZaraditBodDleVelikost(bod, poradi);
}

bool TmaticeSouradnice::ZaraditBodDleVelikost(const Tbod& bod, const int32_t poradi) {
    if (!JePlatnePoradi(poradi) || !JeKonecny(bod)) return false;
    const auto i = static_cast<std::size_t>(poradi);
    // Without a median record the candidate would be stored but never reported.
    if (!median[i].JePlny) return PridejBod(bod, poradi);
    VlozitHodnoty(bod, i);
    return true;
}

bool TmaticeSouradnice::VratBodMedian(Tbod& bod, const int32_t poradi) const {
    if (!JePlatnePoradi(poradi)) return false;
    const Tbod& m = median[static_cast<std::size_t>(poradi)];
    if (!m.JePlny) return false;
    bod = m;
    return true;
}

void TmaticeSouradnice::Median2Souradnice(Tsouradnice& souradnice) const {
    souradnice.Clear();
    for (const Tbod& m : median) souradnice.PridejBod(m);
}

bool TmaticeSouradnice::JePlatnePoradi(const int32_t poradi) const {
    if (poradi < 0) return false;
    const auto i = static_cast<std::size_t>(poradi);
    return i < median.size() && i < X.size() && i < Y.size() && i < Z.size();
}

bool TmaticeSouradnice::JeKonecny(const Tbod& bod) const {
    return std::isfinite(bod.X) && std::isfinite(bod.Y) && std::isfinite(bod.Z);
}

void TmaticeSouradnice::VlozitHodnoty(const Tbod& bod, const std::size_t i) {
    VlozitVzestupne(X[i], bod.X);
    VlozitVzestupne(Y[i], bod.Y);
    VlozitVzestupne(Z[i], bod.Z);
    // Each coordinate independently, but all at the same index of its vector.
    median[i].X = MedianVzestupne(X[i]);
    median[i].Y = MedianVzestupne(Y[i]);
    median[i].Z = MedianVzestupne(Z[i]);
}

}  // namespace vertano
