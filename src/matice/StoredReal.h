#pragma once

#include <array>
#include <cstddef>

#include "matice/Real.h"

namespace vertano {

// A Real kept in a record of which a program holds very many (the rows of a raw
// measurement list: a million of them in a large file). It is stored in 64 bits
// and read as a Real: every expression converts it first, so arithmetic still
// runs in extended precision; only what is stored is rounded, to 15-16
// significant digits, more than any file or instrument gives. The 80-bit format
// takes 16 bytes with its padding; this halves the memory of the values.
// Comparisons, too, are those of the Real read: after `x = r` the field holds r
// rounded, so a test of equality with r compares with StoredReal(r).
class StoredReal {
  public:
    constexpr StoredReal() = default;
    // Implicit both ways, so that a field reads and assigns like a Real.
    constexpr StoredReal(Real value) : value_(static_cast<double>(value)) {}  // NOLINT
    constexpr operator Real() const { return value_; }                        // NOLINT

    StoredReal& operator+=(Real v) { return *this = Real(*this) + v; }
    StoredReal& operator-=(Real v) { return *this = Real(*this) - v; }
    StoredReal& operator*=(Real v) { return *this = Real(*this) * v; }
    StoredReal& operator/=(Real v) { return *this = Real(*this) / v; }

  private:
    double value_ = 0;
};

// A fixed number of stored values, assigned from and read as Reals.
template <std::size_t N>
struct StoredReals : std::array<StoredReal, N> {
    StoredReals() = default;
    StoredReals(const std::array<Real, N>& values) { *this = values; }  // NOLINT
    StoredReals& operator=(const std::array<Real, N>& values) {
        for (std::size_t i = 0; i < N; ++i) (*this)[i] = values[i];
        return *this;
    }
    operator std::array<Real, N>() const {  // NOLINT
        std::array<Real, N> values{};
        for (std::size_t i = 0; i < N; ++i) values[i] = (*this)[i];
        return values;
    }
};

}  // namespace vertano
