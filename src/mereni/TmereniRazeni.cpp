#include <algorithm>
#include <cmath>
#include <deque>
#include <numeric>
#include <string>
#include <utility>

#include "mereni/CisloBodu.h"
#include "mereni/ColumnStatistic.h"
#include "mereni/Tmereni.h"

// Sort is an exchange sort: n-1 passes, each walking i = 1 … n-1 and swapping rows
// i-1 and i when row i must come before row i-1. Users see the resulting order, so
// it is reproduced exactly, but without the quadratic cost where an equivalent
// method exists: for a strict order the passes give the stable sorted order; the
// face sort, which also swaps equal neighbours, is replayed pass by pass in
// constant time per pass.

namespace vertano {

namespace {

using Permutace = std::vector<int32_t>;

Permutace Identita(size_t n) {
    Permutace p(n);
    std::iota(p.begin(), p.end(), 0);
    return p;
}

// The literal passes, stopping early once a pass swaps nothing (every further pass
// would see the same rows and swap nothing as well).
template <class Predchazi>
Permutace VymennePruchody(size_t n, Predchazi predchazi) {
    Permutace p = Identita(n);
    for (size_t pruchod = 1; pruchod < n; ++pruchod) {
        bool vymena = false;
        for (size_t i = 1; i < n; ++i) {
            if (predchazi(p[i], p[i - 1])) {
                std::swap(p[i], p[i - 1]);
                vymena = true;
            }
        }
        if (!vymena) break;
    }
    return p;
}

template <class Predchazi>
Permutace StabilniPoradi(size_t n, Predchazi predchazi) {
    Permutace p = Identita(n);
    std::stable_sort(p.begin(), p.end(), predchazi);
    return p;
}

// One pass over rows L f R' (L the leading face I rows, f the first face II row)
// carries L's first row to the end of L and f to the end of the list: L[1..], L[0],
// R', f. The face I rows at the head of R' then join L.
Permutace PoradiPoloh(const std::vector<Tzaznam>& zaznamy) {
    const size_t n = zaznamy.size();
    std::deque<int32_t> vedouci;
    std::deque<int32_t> zbytek;
    for (size_t i = 0; i < n; ++i) {
        const bool doVedoucich = zaznamy[i].poloha && zbytek.empty();
        (doVedoucich ? vedouci : zbytek).push_back(static_cast<int32_t>(i));
    }
    for (size_t pruchod = 1; pruchod < n; ++pruchod) {
        if (!vedouci.empty()) {
            vedouci.push_back(vedouci.front());
            vedouci.pop_front();
        }
        if (zbytek.empty()) continue;
        const int32_t f = zbytek.front();
        zbytek.pop_front();
        while (!zbytek.empty() && zaznamy[static_cast<size_t>(zbytek.front())].poloha) {
            vedouci.push_back(zbytek.front());
            zbytek.pop_front();
        }
        zbytek.push_back(f);
    }
    Permutace p(vedouci.begin(), vedouci.end());
    p.insert(p.end(), zbytek.begin(), zbytek.end());
    return p;
}

template <class Klic>
Permutace PodleCelehoCisla(const std::vector<Tzaznam>& z, Klic klic) {
    return StabilniPoradi(z.size(), [&](int32_t a, int32_t b) {
        return klic(z[static_cast<size_t>(a)]) < klic(z[static_cast<size_t>(b)]);
    });
}

// The name order of the point lists, so that a station or target sorts the same in
// every table.
Permutace PodleJmena(const std::vector<Tzaznam>& z, std::string Tzaznam::*pole) {
    return StabilniPoradi(z.size(), [&](int32_t a, int32_t b) {
        return JeCisloPred(z[static_cast<size_t>(a)].*pole, z[static_cast<size_t>(b)].*pole);
    });
}

// Row i goes first when row i-1 is not <= row i. Without NaN that is a strict order;
// a NaN is "not <=" to everything, so the passes must then be replayed literally.
Permutace PodleReal(const std::vector<Tzaznam>& z, Real Tzaznam::*pole) {
    const auto hodnota = [&](int32_t i) { return z[static_cast<size_t>(i)].*pole; };
    const auto predchazi = [&](int32_t i, int32_t predchozi) {
        return !(hodnota(predchozi) <= hodnota(i));
    };
    const bool maNaN =
        std::any_of(z.begin(), z.end(), [pole](const Tzaznam& r) { return std::isnan(r.*pole); });
    return maNaN ? VymennePruchody(z.size(), predchazi) : StabilniPoradi(z.size(), predchazi);
}

Permutace Poradi(const std::vector<Tzaznam>& z, int32_t velicina) {
    switch (velicina) {
        case 1:
            return PodleCelehoCisla(z, [](const Tzaznam& r) { return r.soubor; });
        case 2:
            return PodleCelehoCisla(z, [](const Tzaznam& r) { return r.poradi; });
        case 3:
            return PodleCelehoCisla(z, [](const Tzaznam& r) { return r.skupina; });
        case 4:
            return PoradiPoloh(z);
        case 5:
            return PodleJmena(z, &Tzaznam::cislo_stn);
        case 6:
            return PodleJmena(z, &Tzaznam::cislo_cil);
        default: {
            const auto pole = RealQuantity(velicina);
            return pole ? PodleReal(z, pole) : Identita(z.size());
        }
    }
}

}  // namespace

void Tmereni::Sort(int32_t velicina) {
    if (zaznam.size() < 2) return;
    const Permutace p = Poradi(zaznam, velicina);
    std::vector<Tzaznam> serazene;
    serazene.reserve(zaznam.size());
    for (const int32_t i : p) serazene.push_back(std::move(zaznam[static_cast<size_t>(i)]));
    zaznam = std::move(serazene);
}

}  // namespace vertano
