#pragma once

#include <cstdint>

#include "adjustment/Tvaha.h"
#include "data/Tnastaveni.h"
#include "mereni/Tmereni.h"
#include "mereni/Velicina.h"

namespace vertano {

// Inner precision of one kind of observation (Velicina::Delka, Smer, Zenit)
// from the scatter of repeated sets of the same target from the same station.
// `mereni` holds one row per set, station and target (face means); distances
// use only the rows that have one. Limits are those between sets.
//
// Fills `vysledek` from the cleared state:
// - mereniSkupina: every row of a target with at least two values, annotated:
//   sig_delka the target's deviation, sig_smer the station's, vaha_delka the
//   mean, vaha_smer mean - value, poloha whether that is within the limit;
// - odchylkaSkupina: per target skupina = number of values, vyska_stn = sample
//   standard deviation, vyska_cil = mean, with the station and target;
// - odchylkaStanovisko: per station skupina = number of targets, vyska_stn =
//   the target deviations pooled by their number of values;
// - odchylkaCelkova: skupina = number of stations, vyska_stn = the station
//   deviations pooled by their number of targets (left -1 without stations).
// False on a value that is not a finite number or an arithmetic fault; the
// result is then the cleared state, nothing half-filled.
bool VypocetVnitrniPresnosti(const Tmereni& mereni, Velicina druh,
                             const nastaveni::Tmez& mezSkupina, TvnitrniPresnost& vysledek);

}  // namespace vertano
