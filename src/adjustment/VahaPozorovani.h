#pragma once

#include "matice/Real.h"

namespace vertano {

// The weight of an observation is p = (sigma0 / sigma)^2. The data model marks a
// standard deviation that is not set with -1, but a value of 0 or any negative
// number typed in, read or computed (two identical sets scatter by exactly 0) is
// no more usable: it would give an infinite or meaningless weight that silently
// dominates or breaks the normal equations. Every place that forms a weight goes
// through these routines, so such a value always counts as not set.

// True when `odchylka` is a usable standard deviation: positive and finite.
bool JeOdchylkaZadana(Real odchylka);

// The observation's own deviation when it is set, else the kind's deviation when
// that is set, else -1.
Real PlatnaOdchylka(Real vlastni, Real odchylkaDruhu);

// vaha := (odchylkaJednotkova / odchylka)^2. False, with `vaha` untouched, when
// either deviation is not set or the weight is not a positive finite number.
// Floating-point flags raised on the way do not reach the caller.
bool VahaZOdchylky(Real odchylkaJednotkova, Real odchylka, Real& vaha);

}  // namespace vertano
