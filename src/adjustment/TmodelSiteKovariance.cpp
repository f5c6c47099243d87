// The text form of the cofactor matrix and the standard deviation of a
// residual.

#include <algorithm>
#include <cmath>
#include <new>

#include "adjustment/KofaktoryText.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/VahaPozorovani.h"
#include "matice/FpGuard.h"

namespace vertano {

bool TmodelSite::KovariancniMaticeText(const std::function<bool(int64_t, int64_t)>& pokracovat) {
    kovariancniMaticeStr.clear();
    const int32_t n = pocetSouradnicUrcovanych;
    if (n < 1) return true;
    const int64_t celkem = 2 * static_cast<int64_t>(n);
    bool zastaveno = false;
    const auto dal = [&](int64_t hotovo) {
        zastaveno = zastaveno || (pokracovat && !pokracovat(hotovo, celkem));
        return !zastaveno;
    };
    try {
        // Three times the block must fit, as for the whole block (KofaktorovaMatice).
        if (Solver().Sparse() != nullptr && !HustaSeVejde(n)) return true;
        Tmatrix Q(static_cast<std::size_t>(n));
        for (int32_t i = 0; i < n; ++i) Q[static_cast<std::size_t>(i)].assign(i + 1, 0);
        const bool ok = KofaktoroveSloupce(n, [&](int32_t j, const Tvector& sloupec) {
            if (!dal(j)) return false;
            for (int32_t i = j; i < n; ++i)
                Q[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                    sloupec[static_cast<std::size_t>(i)];
            return true;
        });
        if (!ok) return !zastaveno;
        std::string text = KofaktoryText(Q, n, [&](int32_t i) { return dal(n + i); });
        if (!zastaveno) kovariancniMaticeStr = std::move(text);
    } catch (const std::bad_alloc&) {
        kovariancniMaticeStr.clear();
    }
    return !zastaveno;
}

Real TmodelSite::OdchylkaOpravy(Real odchylka, Real odchylkaJednotkova, Real q) {
    if (!JeOdchylkaZadana(odchylka) || !JeOdchylkaZadana(odchylkaJednotkova) || !std::isfinite(q)) {
        return -1;
    }
    const FpGuard guard;
    const Real podil = odchylka / odchylkaJednotkova;
    const Real radikand = std::max(Real{0}, podil * podil - q);
    const Real s = odchylkaJednotkova * std::sqrt(radikand);
    return guard.Ok() && std::isfinite(s) ? s : -1;
}

}  // namespace vertano
