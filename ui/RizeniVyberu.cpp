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

std::size_t Pocet(const RadkyTabulky& radky) {
    return static_cast<std::size_t>(std::max(0, radky.PocetZaznamu()));
}

}  // namespace

void VybratPlne(const RadkyTabulky& radky, Tvyber& vyber) {
    vyber.Velikost(Pocet(radky));
    for (std::size_t i = 0; i < vyber.hromadny.size(); ++i)
        vyber.hromadny[i] = radky.JePlny(static_cast<int>(i));
}

void OdznacitPrazdneRadky(const RadkyTabulky& radky, Tvyber& vyber) {
    vyber.Velikost(Pocet(radky));
    for (std::size_t i = 0; i < vyber.hromadny.size(); ++i) {
        if (vyber.hromadny[i] && !radky.JePlny(static_cast<int>(i))) vyber.hromadny[i] = false;
    }
}

int NajitChybnyRadek(const ModelTabulky& model, int od) {
    const int n = model.PocetZaznamu();
    if (n <= 0) return -1;
    const int start = std::clamp(od, -1, n - 1);
    for (int k = 1; k <= n; ++k) {
        const int i = (start + k) % n;
        if (model.JeChybny(i)) return i;
    }
    return -1;
}

void RizeniVyberu::Klik(const RadkyTabulky& radky, Tvyber& vyber, int radek, bool ctrl,
                        bool shift) {
    vyber.Velikost(Pocet(radky));
    if (VSeznamu(vyber, radek)) {
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
    OdznacitPrazdneRadky(radky, vyber);
}

void RizeniVyberu::Tazeni(const RadkyTabulky& radky, Tvyber& vyber, int radek, bool ctrl,
                          bool shift) {
    vyber.Velikost(Pocet(radky));
    if (VSeznamu(vyber, radek)) vyber.hromadny[static_cast<std::size_t>(radek)] = hodnota_;
    if (!ctrl && !shift) OdznacitOstatni(vyber, radek);
    kotva_ = radek;
    OdznacitPrazdneRadky(radky, vyber);
}

void RizeniVyberu::Enter(const RadkyTabulky& radky, Tvyber& vyber, int aktualni) {
    vyber.Velikost(Pocet(radky));
    OdznacitOstatni(vyber, aktualni);
    Mezernik(radky, vyber, aktualni);
}

void RizeniVyberu::Mezernik(const RadkyTabulky& radky, Tvyber& vyber, int aktualni) {
    vyber.Velikost(Pocet(radky));
    if (VSeznamu(vyber, aktualni)) {
        vyber.hromadny[static_cast<std::size_t>(aktualni)] =
            !vyber.hromadny[static_cast<std::size_t>(aktualni)];
    }
    OdznacitPrazdneRadky(radky, vyber);
}

}  // namespace vertano::ui
