#pragma once

#include <cstdint>
#include <vector>

#include "data/Tnastaveni.h"
#include "matice/Real.h"
#include "mereni/Tzaznam.h"
#include "mereni/Velicina.h"

namespace vertano {

// The statistics behind the inner and outer precision: the mean and sample
// standard deviation of repeated values of one kind, the pooling of several such
// deviations and the limit a single value may deviate from its mean.

// Mean and sample standard deviation of n values.
struct Vyber {
    Real prumer = 0;
    Real odchylka = 0;
    int32_t pocet = 0;
};

// The value of the kind (Velicina::Delka, Smer, Zenit) in a row; NaN for any
// other kind, so that a statistic on it fails.
Real HodnotaDruhu(const Tzaznam& zaznam, Velicina druh);

// The tolerance of the kind in a group of limits; 0 for any other kind.
Real ToleranceDruhu(const nastaveni::Tmez& mez, Velicina druh);

// Directions and zenith angles are angles: their mean and scatter are taken next
// to the first value, so that values on both sides of a full turn agree.
bool JeUhlovyDruh(Velicina druh);

// Mean and sample standard deviation of the values of the kind. Angles are
// brought next to the first value before averaging; the mean of directions is
// then brought into [0, 2pi), that of zenith angles is left next to the values.
// False for fewer than two values, a value or result that is not a finite
// number, or a floating-point fault.
bool StatistikaDruhu(const std::vector<Real>& hodnoty, Velicina druh, Vyber& vysledek);

// The deviation of a value from its mean, mean - value; for angles reduced into
// (-pi, pi], so that a value on the other side of zero deviates by its small
// angle, not by almost a full turn.
Real OdchylkaOdPrumeru(Real prumer, Real hodnota, Velicina druh);

// The limit of a single deviation from the mean of n values:
// sqrt((n - 1) / (2n)) * tolerance. For two values it is half the tolerance,
// because each of them deviates by half their difference.
Real MezOdchylkyOdPrumeru(int32_t pocet, Real tolerance);

// Pools standard deviations s_k with weights w_k into sqrt(sum w s^2 / sum w).
class SdruzenaOdchylka {
  public:
    void Pridej(Real vaha, Real odchylka);
    int32_t Pocet() const { return pocet_; }
    // False when nothing was added, the weights sum to 0 or the result is not a
    // finite number.
    bool Vysledek(Real& odchylka) const;
    bool Vysledek(StoredReal& odchylka) const {
        Real v = odchylka;
        if (!Vysledek(v)) return false;
        odchylka = v;
        return true;
    }
    // The total row of a precision source: the pooled deviation into vyska_stn,
    // the number of rows pooled into skupina. With nothing added there is no
    // total: `celkova` is left as it is and the result is true. False when the
    // pooling fails.
    bool ZapsatCelkovou(Tzaznam& celkova) const;

  private:
    Real sumaVah_ = 0;
    Real sumaVazenychCtvercu_ = 0;
    int32_t pocet_ = 0;
};

}  // namespace vertano
