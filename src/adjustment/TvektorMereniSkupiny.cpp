// Group operations of TvektorMereni: orientation unknowns and station runs.

#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "adjustment/TvektorMereni.h"

namespace vertano {

void TvektorMereni::KopirujPosun(const TvektorMereni& mereni) {
    // The numbers come from station numbers of the data and need not be dense, so
    // the first record of each is found through a map rather than a table sized
    // by the largest number.
    std::map<int32_t, size_t> prvni;
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const TmerenaVelicina& v = mereni.zaznam[i];
        if (v.typ == Velicina::Smer && v.poradiPosun > 0) prvni.try_emplace(v.poradiPosun, i);
    }
    std::vector<TmerenaVelicina> posuny;
    posuny.reserve(prvni.size());
    for (const auto& [cislo, index] : prvni) posuny.push_back(mereni.zaznam[index]);
    zaznam = std::move(posuny);
}

void TvektorMereni::SeradPoradiPosunu() {
    int32_t nove = 0;
    bool prvniSmer = true;
    int32_t predchoziStare = 0;
    for (auto& v : zaznam) {
        if (v.typ != Velicina::Smer) continue;
        if (prvniSmer || v.poradiPosun != predchoziStare) ++nove;
        prvniSmer = false;
        predchoziStare = v.poradiPosun;
        v.poradiPosun = nove;
    }
}

int32_t TvektorMereni::IndexyZaznamuDleStanoviska(int32_t& pocatek, int32_t& konec, int32_t poradi,
                                                  int32_t pocatekProhledavani) const {
    pocatek = -1;
    konec = -1;
    const auto n = static_cast<int32_t>(zaznam.size());
    int32_t i = pocatekProhledavani > 0 ? pocatekProhledavani : 0;
    for (; i < n; ++i) {
        const bool shoda = zaznam[static_cast<size_t>(i)].poradi == poradi;
        if (shoda) {
            if (pocatek < 0) pocatek = i;
            konec = i;
        } else if (pocatek >= 0) {
            break;
        }
    }
    return i;
}

std::vector<SkupinaZaznamu> TvektorMereni::SkupinyZaznamu() const {
    std::vector<SkupinaZaznamu> skupiny;
    bool vBehu = false;
    for (size_t i = 0; i < zaznam.size(); ++i) {
        const TmerenaVelicina& v = zaznam[i];
        if (!v.jePlny) {
            vBehu = false;
            continue;
        }
        const auto index = static_cast<int32_t>(i);
        if (vBehu && skupiny.back().poradi == v.poradi) {
            skupiny.back().posledni = index;
            continue;
        }
        skupiny.push_back({v.poradi, v.cislo_stn, index, index});
        vBehu = true;
    }
    return skupiny;
}

}  // namespace vertano
