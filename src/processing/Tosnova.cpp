#include "processing/Tosnova.h"

#include <algorithm>
#include <map>

namespace vertano {

namespace {

size_t Pocet(int32_t pocet) {
    return static_cast<size_t>(std::max(pocet, int32_t{0}));
}

}  // namespace

void Tosnova::Create(int32_t pocet1, int32_t pocet2) {
    Tstanovisko prazdne;
    prazdne.zaznam.assign(Pocet(pocet2), Tzaznam{});
    stanovisko.assign(Pocet(pocet1), prazdne);
}

void Tosnova::Velikost(int32_t pocet1, int32_t pocet2) {
    stanovisko.resize(Pocet(pocet1));
    for (Tstanovisko& s : stanovisko) s.zaznam.resize(Pocet(pocet2));
}

void Tosnova::Clear() {
    stanovisko.clear();
}

void Tosnova::PridejStanovisko(const Tstanovisko& noveStanovisko) {
    stanovisko.push_back(noveStanovisko);
}

bool Tosnova::PridejZaznam(int32_t index, const Tzaznam& zaznam_novy) {
    if (index < 0 || static_cast<size_t>(index) >= stanovisko.size()) return false;
    stanovisko[static_cast<size_t>(index)].zaznam.push_back(zaznam_novy);
    return true;
}

void Tosnova::Kopiruj(const Tosnova& osnova) {
    if (&osnova != this) stanovisko = osnova.stanovisko;
}

void Tosnova::NactiMereni(const Tmereni& mereni) {
    // Keyed by the number itself: a file may carry any station numbers, and only
    // the stations that exist take memory.
    std::map<int32_t, std::vector<Tzaznam>> podlePoradi;
    for (const Tzaznam& z : mereni.zaznam) {
        if (z.JePlny()) podlePoradi[z.poradi].push_back(z);
    }
    std::vector<Tstanovisko> nova;
    nova.reserve(podlePoradi.size());
    for (auto& [poradi, zaznamy] : podlePoradi) {
        Tstanovisko s;
        s.poradi = static_cast<int32_t>(nova.size()) + 1;
        s.zaznam = std::move(zaznamy);
        for (Tzaznam& z : s.zaznam) z.poradi = s.poradi;
        nova.push_back(std::move(s));
    }
    stanovisko = std::move(nova);
}

void Tosnova::UlozDoMereni(Tmereni& mereni) const {
    for (const Tstanovisko& s : stanovisko) {
        mereni.zaznam.insert(mereni.zaznam.end(), s.zaznam.begin(), s.zaznam.end());
    }
}

}  // namespace vertano
