#include "processing/RozsahyZaznamu.h"

#include <algorithm>

namespace vertano {

namespace {

// Runs of consecutive rows of [od, po] that pass `bere` and that `stejne` holds
// for each neighbour pair.
template <class Bere, class Stejne>
std::vector<RozsahZaznamu> Behy(const std::vector<Tzaznam>& z, int32_t od, int32_t po, Bere bere,
                                Stejne stejne) {
    std::vector<RozsahZaznamu> behy;
    for (int32_t i = od; i <= po; ++i) {
        const Tzaznam& radek = z[static_cast<size_t>(i)];
        if (!bere(radek)) continue;
        if (!behy.empty() && behy.back().konec == i - 1 &&
            stejne(z[static_cast<size_t>(i - 1)], radek)) {
            behy.back().konec = i;
        } else {
            behy.push_back({i, i});
        }
    }
    return behy;
}

}  // namespace

bool OriznoutRozsah(const Tmereni& mereni, int32_t& pocatek, int32_t& konec) {
    const auto n = static_cast<int32_t>(mereni.zaznam.size());
    pocatek = std::max(pocatek, int32_t{0});
    konec = std::min(konec, n - 1);
    return pocatek <= konec;
}

std::vector<RozsahZaznamu> RozsahyStanovisek(const Tmereni& mereni) {
    const auto posledni = static_cast<int32_t>(mereni.zaznam.size()) - 1;
    return Behy(
        mereni.zaznam, 0, posledni, [](const Tzaznam& z) { return z.JePlny(); },
        [](const Tzaznam& a, const Tzaznam& b) { return a.poradi == b.poradi; });
}

std::vector<RozsahZaznamu> RozsahySkupin(const Tmereni& mereni, RozsahZaznamu rozsah) {
    if (!OriznoutRozsah(mereni, rozsah.pocatek, rozsah.konec)) return {};
    return Behy(
        mereni.zaznam, rozsah.pocatek, rozsah.konec,
        [](const Tzaznam& z) { return z.JePlny() && z.JeVeSkupine(); },
        [](const Tzaznam& a, const Tzaznam& b) {
            return a.poradi == b.poradi && a.skupina == b.skupina;
        });
}

std::vector<RozsahZaznamu> RozsahySkupin(const Tmereni& mereni) {
    return RozsahySkupin(mereni, {0, static_cast<int32_t>(mereni.zaznam.size()) - 1});
}

}  // namespace vertano
