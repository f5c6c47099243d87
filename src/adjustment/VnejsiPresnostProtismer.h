#pragma once

#include <cstdint>

#include "adjustment/MereniMeziBody.h"
#include "adjustment/Tvaha.h"
#include "data/Tnastaveni.h"
#include "mereni/Velicina.h"

namespace vertano {

// Outer precision of zenith angles or distances (Velicina::Zenit, Delka) from
// reciprocal pairs: for every pair of points a < b measured in both directions,
// the forward values and the reverse ones (a reverse zenith angle as pi - z)
// are one sample of n values with n - 1 degrees of freedom. Distances take part
// only where both directions still have a distance. Limits are those between a
// measurement and its reverse.
//
// Fills `vysledek` from the cleared state:
// - odchylkaTrojuhelnik: per pair poradi = the pair's number, skupina = n - 1,
//   vyska_stn = sample standard deviation, vyska_cil = mean, with the station and
//   target of the forward direction;
// - mereniTrojuhelnik: the pair's rows, forward ones first: sig_smer = the
//   deviation, vaha_delka = the mean (pi - mean for a reverse zenith angle),
//   vaha_smer = that mean - value, smernik = n - 1, soubor = the pair's number,
//   skupina = 1 forward and 0 reverse, vaha_zenit = the limit, poloha = whether
//   the deviation is below the limit;
// - odchylkaCelkova: skupina = number of pairs, vyska_stn = the pair deviations
//   pooled by their degrees of freedom (left -1 without pairs).
// False on a value that is not a finite number or an arithmetic fault; the
// result is then the cleared state.
bool VypocetVnejsiPresnostiProtismer(const MereniMeziBody& sit, Velicina druh,
                                     const nastaveni::Tmez& mezProtismer,
                                     TvnejsiPresnost& vysledek);

}  // namespace vertano
