#include "adjustment/PresnostStatistika.h"

#include <cmath>
#include <limits>

#include "adjustment/TmerenaVelicina.h"
#include "matice/FpGuard.h"
#include "processing/Uhly.h"

namespace vertano {

namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

}  // namespace

Real HodnotaDruhu(const Tzaznam& zaznam, Velicina druh) {
    switch (druh) {
        case Velicina::Delka:
            return zaznam.delka;
        case Velicina::Smer:
            return zaznam.smer;
        case Velicina::Zenit:
            return zaznam.zenit;
        default:
            return kNaN;
    }
}

Real ToleranceDruhu(const nastaveni::Tmez& mez, Velicina druh) {
    switch (druh) {
        case Velicina::Delka:
            return mez.rozdil_delka;
        case Velicina::Smer:
            return mez.rozdil_smer;
        case Velicina::Zenit:
            return mez.rozdil_zenit;
        default:
            return 0;
    }
}

bool JeUhlovyDruh(Velicina druh) {
    return druh == Velicina::Smer || druh == Velicina::Zenit;
}

bool StatistikaDruhu(const std::vector<Real>& hodnoty, Velicina druh, Vyber& vysledek) {
    if (hodnoty.size() < 2) return false;
    // Quiet NaNs travel through arithmetic without raising a flag, so the values
    // are checked one by one and the guard catches what the arithmetic breaks.
    for (const Real x : hodnoty) {
        if (!std::isfinite(x)) return false;
    }
    const FpGuard guard;
    const bool uhel = JeUhlovyDruh(druh);
    const Real reference = hodnoty.front();
    const auto upravena = [&](Real x) { return uhel ? Unwrap(x, reference) : x; };
    Real suma = 0;
    for (const Real x : hodnoty) suma += upravena(x);
    const auto n = static_cast<Real>(hodnoty.size());
    const Real prumer = suma / n;
    Real ctverce = 0;
    for (const Real x : hodnoty) {
        const Real v = upravena(x) - prumer;
        ctverce += v * v;
    }
    const Real odchylka = std::sqrt(ctverce / (n - 1));
    if (!guard.Ok() || !std::isfinite(prumer) || !std::isfinite(odchylka)) return false;
    vysledek.prumer = druh == Velicina::Smer ? Normalise(prumer) : prumer;
    vysledek.odchylka = odchylka;
    vysledek.pocet = static_cast<int32_t>(hodnoty.size());
    return true;
}

Real OdchylkaOdPrumeru(Real prumer, Real hodnota, Velicina druh) {
    const Real d = prumer - hodnota;
    return JeUhlovyDruh(druh) ? NormaliseSigned(d) : d;
}

Real MezOdchylkyOdPrumeru(int32_t pocet, Real tolerance) {
    if (pocet < 1) return 0;
    const auto n = static_cast<Real>(pocet);
    return std::sqrt((n - 1) / (2 * n)) * tolerance;
}

void SdruzenaOdchylka::Pridej(Real vaha, Real odchylka) {
    sumaVah_ += vaha;
    sumaVazenychCtvercu_ += vaha * odchylka * odchylka;
    ++pocet_;
}

bool SdruzenaOdchylka::Vysledek(Real& odchylka) const {
    if (pocet_ == 0 || !(sumaVah_ > 0)) return false;
    const FpGuard guard;
    const Real s = std::sqrt(sumaVazenychCtvercu_ / sumaVah_);
    if (!guard.Ok() || !std::isfinite(s)) return false;
    odchylka = s;
    return true;
}

bool SdruzenaOdchylka::ZapsatCelkovou(Tzaznam& celkova) const {
    if (pocet_ == 0) return true;
    if (!Vysledek(celkova.vyska_stn)) return false;
    celkova.skupina = pocet_;
    return true;
}

}  // namespace vertano
