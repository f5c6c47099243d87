#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "matice/MatrixTypes.h"

namespace vertano::detail {

// An extended value held as the exact sum of two doubles.
//
// The x87 unit loads an 80-bit value with a microcoded instruction that costs
// several cycles, while a double loads in one; adding the low half back costs
// one addition and gives the extended value exactly, bit for bit. A dense
// kernel that reads one operand as 80-bit values and the other as split pairs
// balances the two costs and runs markedly faster than with 80-bit loads on
// both sides, yet computes every product and sum exactly as before.
//
// A value splits exactly when its double part neither overflows nor loses the
// low bits below the smallest double: 2^-1011 <= |x| < 2^1023, or zero. Others
// (huge, tiny, infinite or NaN) are refused, and the caller keeps the 80-bit
// operands for that block.
struct SplitReal {
    double hi;
    double lo;
};

inline Real Load(const Real* p, int k) {
    return p[k];
}

inline Real Load(const SplitReal* p, int k) {
    return static_cast<Real>(p[k].hi) + p[k].lo;
}

inline bool ToSplit(const Real& x, SplitReal& out) {
    constexpr int kBias = 16383;
    std::uint16_t top;
    std::memcpy(&top, reinterpret_cast<const unsigned char*>(&x) + 8, sizeof top);
    const int exponent = (top & 0x7FFF) - kBias;
    if ((exponent < -1011 || exponent > 1022) && x != 0) return false;
    const double hi = static_cast<double>(x);
    const double lo = static_cast<double>(x - hi);
    // -0 must come back as -0: its halves are -0 and +0, whose sum is +0.
    out = {hi, lo == 0 ? std::copysign(0.0, hi) : lo};
    return true;
}

// Rows of split values for the operand a kernel reuses most. Element k of a
// row stands for element k of the source row, so the kernels keep their
// indices. Usable() is false once any value could not be split; the caller
// then runs the same kernel on the 80-bit rows, which gives the same bits.
class SplitRows {
  public:
    SplitRows(int rows, int length)
        : rows_(static_cast<std::size_t>(rows), std::vector<SplitReal>(length)) {}

    // Row r, positions from..to-1, from x[from..to-1].
    void Set(int r, const Real* x, int from, int to) {
        SplitReal* out = rows_[r].data();
        for (int k = from; k < to && usable_; ++k) usable_ = ToSplit(x[k], out[k]);
    }
    void Put(int r, int k, const Real& x) {
        if (usable_) usable_ = ToSplit(x, rows_[r][k]);
    }
    void Reset() { usable_ = true; }
    [[nodiscard]] bool Usable() const { return usable_; }
    [[nodiscard]] const SplitReal* Row(int r) const { return rows_[r].data(); }

  private:
    std::vector<std::vector<SplitReal>> rows_;
    bool usable_ = true;
};

}  // namespace vertano::detail
