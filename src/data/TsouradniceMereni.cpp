#include <string_view>
#include <vector>

#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"

namespace vertano {

bool Tsouradnice::OdstranitNeobsazeneVMereni(const Tmereni& mereni) {
    std::vector<std::string_view> cisla;
    cisla.reserve(2 * mereni.zaznam.size());
    for (const Tzaznam& z : mereni.zaznam) {
        cisla.emplace_back(z.cislo_stn);
        cisla.emplace_back(z.cislo_cil);
    }
    return PonechatBodySCisly(cisla);
}

}  // namespace vertano
