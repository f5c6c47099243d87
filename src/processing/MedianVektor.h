#pragma once

#include <algorithm>
#include <vector>

#include "matice/Real.h"

namespace vertano {

// The candidate vectors of the median stores are kept ascending. A new value goes
// before the first element that is greater than or equal to it, so a value equal
// to existing ones lands in front of them.
inline void VlozitVzestupne(std::vector<Real>& vektor, const Real hodnota) {
    vektor.insert(std::lower_bound(vektor.begin(), vektor.end(), hodnota), hodnota);
}

// The lower median: element (n - 1) div 2 of an ascending, non-empty vector. Taking
// an element instead of averaging the two middle ones keeps every median an actual
// candidate, so one gross error can never drag it half-way.
inline Real MedianVzestupne(const std::vector<Real>& vektor) {
    return vektor[(vektor.size() - 1) / 2];
}

// The same lower median of a non-empty vector in any order; the vector is
// reordered (partially sorted), which costs linear time instead of a sort.
inline Real DolniMedian(std::vector<Real>& vektor) {
    const auto stred = vektor.begin() + static_cast<std::ptrdiff_t>((vektor.size() - 1) / 2);
    std::nth_element(vektor.begin(), stred, vektor.end());
    return *stred;
}

}  // namespace vertano
