// The text form of the cofactor matrix and the standard deviation of a
// residual.

#include <algorithm>
#include <cmath>
#include <new>

#include "adjustment/KofaktoryText.h"
#include "adjustment/Tmodel2.h"
#include "adjustment/VahaPozorovani.h"
#include "matice/FpGuard.h"

namespace vertano {

void Tmodel2::KovariancniMatice2str() {
    kovariancniMaticeStr.clear();
    try {
        // The whole block, column by column on the sparse path.
        Tmatrix Q;
        if (pocetSouradnicUrcovanych < 1 || !KofaktorovaMatice(pocetSouradnicUrcovanych, Q)) return;
        kovariancniMaticeStr = KofaktoryText(Q, pocetSouradnicUrcovanych);
    } catch (const std::bad_alloc&) {
        kovariancniMaticeStr.clear();
    }
}

Real Tmodel2::OdchylkaOpravy(Real odchylka, Real odchylkaJednotkova, Real q) {
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
