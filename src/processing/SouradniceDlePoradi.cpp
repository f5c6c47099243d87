#include "processing/SouradniceDlePoradi.h"

#include <string_view>
#include <unordered_map>

namespace vertano {

Tsouradnice SouradniceDlePoradiBodu(const std::vector<std::string>& cislaBodu,
                                    const Tsouradnice& souradnice) {
    const auto plne = IndexyCisel(souradnice, true);
    Tsouradnice vysledek;
    vysledek.bod.reserve(cislaBodu.size());
    for (const std::string& cislo : cislaBodu) {
        const auto nalez = plne.find(cislo);
        vysledek.PridejBod(nalez != plne.end() ? souradnice.bod[nalez->second] : Tbod::Prazdny());
    }
    return vysledek;
}

}  // namespace vertano
