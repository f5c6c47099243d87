#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <limits>

#include "matice/Real.h"

namespace vertano {

// A Real kept in a record of which a program holds very many (the rows of a raw
// measurement list: a million of them in a large file). It holds the Real
// exactly, bit for bit: the 80-bit extended format takes 16 bytes with its
// padding, of which only the first 10 carry the value, and only those are
// kept. Reading and assigning therefore behave as a Real field does; the row
// shrinks by a third of its values' size without rounding anything. Where the
// Real is not the 80-bit format, the whole Real is kept.
class StoredReal {
  public:
    StoredReal() = default;
    // Implicit both ways, so that a field reads and assigns like a Real.
    StoredReal(Real value) { std::memcpy(bytes_.data(), &value, kBytes); }  // NOLINT
    operator Real() const {                                                 // NOLINT
        Real value = 0;
        std::memcpy(&value, bytes_.data(), kBytes);
        return value;
    }

    StoredReal& operator+=(Real v) { return *this = Real(*this) + v; }
    StoredReal& operator-=(Real v) { return *this = Real(*this) - v; }
    StoredReal& operator*=(Real v) { return *this = Real(*this) * v; }
    StoredReal& operator/=(Real v) { return *this = Real(*this) / v; }

  private:
    // x86 extended precision: 64-bit significand, sign and exponent in 10 bytes.
    static constexpr std::size_t kBytes =
        std::numeric_limits<Real>::digits == 64 && std::numeric_limits<Real>::max_exponent == 16384
            ? 10
            : sizeof(Real);
    // All zero bytes are +0 in every format.
    alignas(2) std::array<unsigned char, kBytes> bytes_{};
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
