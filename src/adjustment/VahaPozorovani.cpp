#include "adjustment/VahaPozorovani.h"

#include <cmath>

#include "matice/FpGuard.h"

namespace vertano {

bool JeOdchylkaZadana(Real odchylka) {
    return std::isfinite(odchylka) && odchylka > 0;
}

Real PlatnaOdchylka(Real vlastni, Real odchylkaDruhu) {
    if (JeOdchylkaZadana(vlastni)) return vlastni;
    if (JeOdchylkaZadana(odchylkaDruhu)) return odchylkaDruhu;
    return -1;
}

bool VahaZOdchylky(Real odchylkaJednotkova, Real odchylka, Real& vaha) {
    if (!JeOdchylkaZadana(odchylkaJednotkova) || !JeOdchylkaZadana(odchylka)) return false;
    // A deviation far below sigma0 can overflow the square (or underflow it to 0
    // the other way round); the guard keeps those flags away from the caller's own
    // boundary check.
    const FpGuard guard;
    const Real podil = odchylkaJednotkova / odchylka;
    const Real p = podil * podil;
    if (!guard.Ok() || !std::isfinite(p) || !(p > 0)) return false;
    vaha = p;
    return true;
}

}  // namespace vertano
