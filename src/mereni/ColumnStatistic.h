#pragma once

#include <cstdint>
#include <vector>

#include "matice/Real.h"
#include "mereni/Tzaznam.h"

namespace vertano {

// The real field of a row behind a quantity code of Tmereni::Sort (7 vyska_stn …
// 20 sig_posun); nullptr for every other code.
StoredReal Tzaznam::*RealQuantity(int32_t velicina);

// One value per row: the field of quantity `velicina`, or -1 when the code does not
// name a real field.
std::vector<Real> ColumnValues(const std::vector<Tzaznam>& zaznamy, int32_t velicina);

inline constexpr int32_t kStatistikaPrumer = 1;  // arithmetic mean

// A statistic of the values; -1 for an unknown code, an empty column or a
// floating-point fault.
Real ColumnStatistic(const std::vector<Real>& hodnoty, int32_t statistika);

}  // namespace vertano
