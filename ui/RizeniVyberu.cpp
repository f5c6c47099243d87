#include "RizeniVyberu.h"

#include <algorithm>

namespace vertano::ui {

namespace {

bool VSeznamu(const Tvyber& vyber, int radek) {
    return radek >= 0 && static_cast<std::size_t>(radek) < vyber.hromadny.size();
}

void OdznacitOstatni(Tvyber& vyber, int radek) {
    for (std::size_t i = 0; i < vyber.hromadny.size(); ++i) {
        if (static_cast<int>(i) != radek) vyber.hromadny[i] = false;
    }
}

}  // namespace

void RizeniVyberu::Klik(const Tmereni& mereni, Tvyber& vyber, int radek, bool ctrl, bool shift) {
    vyber.Velikost(mereni.zaznam.size());
    const bool vSeznamu = VSeznamu(vyber, radek);
    if (vSeznamu) {
        vyber.hromadny[static_cast<std::size_t>(radek)] =
            !vyber.hromadny[static_cast<std::size_t>(radek)];
        hodnota_ = vyber.hromadny[static_cast<std::size_t>(radek)];
    } else {
        hodnota_ = false;
    }
    if (!ctrl) OdznacitOstatni(vyber, radek);
    if (shift) {
        const int kotva = kotva_ < 0 ? 0 : kotva_;
        const int od = std::max(0, std::min(kotva, radek));
        const int po =
            std::min(std::max(kotva, radek), static_cast<int>(vyber.hromadny.size()) - 1);
        for (int i = od; i <= po; ++i) vyber.hromadny[static_cast<std::size_t>(i)] = hodnota_;
    }
    kotva_ = radek;
    OdznacitPrazdne(mereni, vyber);
}

void RizeniVyberu::Tazeni(const Tmereni& mereni, Tvyber& vyber, int radek, bool ctrl, bool shift) {
    vyber.Velikost(mereni.zaznam.size());
    if (VSeznamu(vyber, radek)) vyber.hromadny[static_cast<std::size_t>(radek)] = hodnota_;
    if (!ctrl && !shift) OdznacitOstatni(vyber, radek);
    kotva_ = radek;
    OdznacitPrazdne(mereni, vyber);
}

void RizeniVyberu::Enter(const Tmereni& mereni, Tvyber& vyber, int aktualni) {
    vyber.Velikost(mereni.zaznam.size());
    OdznacitOstatni(vyber, aktualni);
    Mezernik(mereni, vyber, aktualni);
}

void RizeniVyberu::Mezernik(const Tmereni& mereni, Tvyber& vyber, int aktualni) {
    vyber.Velikost(mereni.zaznam.size());
    if (VSeznamu(vyber, aktualni)) {
        vyber.hromadny[static_cast<std::size_t>(aktualni)] =
            !vyber.hromadny[static_cast<std::size_t>(aktualni)];
    }
    OdznacitPrazdne(mereni, vyber);
}

}  // namespace vertano::ui
