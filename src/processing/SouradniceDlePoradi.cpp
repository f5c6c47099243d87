#include "processing/SouradniceDlePoradi.h"

#include <string_view>
#include <unordered_map>

namespace vertano {

Tsouradnice SouradniceDlePoradiBodu(const std::vector<std::string>& cislaBodu,
                                    const Tsouradnice& souradnice) {
    std::unordered_map<std::string_view, const Tbod*> plne;
    for (const Tbod& b : souradnice.bod) {
        if (b.JePlny) plne.try_emplace(b.cislo, &b);
    }
    Tsouradnice vysledek;
    vysledek.bod.reserve(cislaBodu.size());
    for (const std::string& cislo : cislaBodu) {
        const auto nalez = plne.find(cislo);
        vysledek.PridejBod(nalez != plne.end() ? *nalez->second : Tbod::Prazdny());
    }
    return vysledek;
}

}  // namespace vertano
