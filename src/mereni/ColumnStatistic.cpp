#include "mereni/ColumnStatistic.h"

#include <cmath>

#include "matice/FpGuard.h"

namespace vertano {

StoredReal Tzaznam::*RealQuantity(int32_t velicina) {
    switch (velicina) {
        case 7:
            return &Tzaznam::vyska_stn;
        case 8:
            return &Tzaznam::vyska_cil;
        case 9:
            return &Tzaznam::delka;
        case 10:
            return &Tzaznam::smer;
        case 11:
            return &Tzaznam::zenit;
        case 12:
            return &Tzaznam::sig_delka;
        case 13:
            return &Tzaznam::sig_smer;
        case 14:
            return &Tzaznam::sig_zenit;
        case 15:
            return &Tzaznam::vaha_delka;
        case 16:
            return &Tzaznam::vaha_smer;
        case 17:
            return &Tzaznam::vaha_zenit;
        case 18:
            return &Tzaznam::smernik;
        case 19:
            return &Tzaznam::posun;
        case 20:
            return &Tzaznam::sig_posun;
        default:
            return nullptr;
    }
}

std::vector<Real> ColumnValues(const std::vector<Tzaznam>& zaznamy, int32_t velicina) {
    const auto pole = RealQuantity(velicina);
    std::vector<Real> hodnoty;
    hodnoty.reserve(zaznamy.size());
    for (const auto& z : zaznamy) hodnoty.push_back(pole ? Real(z.*pole) : Real{-1});
    return hodnoty;
}

namespace {

Real Prumer(const std::vector<Real>& hodnoty) {
    if (hodnoty.empty()) return -1;
    FpGuard guard;
    Real suma = 0;
    for (const Real h : hodnoty) suma += h;
    const Real prumer = suma / static_cast<Real>(hodnoty.size());
    return guard.Ok() && std::isfinite(prumer) ? prumer : Real{-1};
}

}  // namespace

Real ColumnStatistic(const std::vector<Real>& hodnoty, int32_t statistika) {
    switch (statistika) {
        case kStatistikaPrumer:
            return Prumer(hodnoty);
        default:
            return -1;
    }
}

}  // namespace vertano
