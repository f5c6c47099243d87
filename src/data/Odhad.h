#pragma once

#include <cstdint>

namespace vertano {

// The M-estimators of the robust adjustment. The numbers are the codes the
// settings store (vyrovnani.typOdhadu, transformace.typOdhadu) and the 1-based
// positions in the estimator list of the language tables; Neurcen before a
// model is loaded.
enum class Odhad : uint8_t {
    Neurcen = 0,
    Huber = 1,
    MHuber = 2,
    Hampel = 3,
    Talwar = 4,
    Cauchy = 5,
    Tukey = 6,
    Geman = 7,
    Andrews = 8,
    Welsh = 9,
    Fair = 10,
    L1 = 11,
    L1L2 = 12,
};

inline constexpr int32_t kPocetOdhadu = 12;

inline constexpr int32_t KodOdhadu(Odhad o) {
    return static_cast<int32_t>(o);
}

// True for the twelve estimators above.
inline constexpr bool JeTypOdhadu(Odhad o) {
    return KodOdhadu(o) >= 1 && KodOdhadu(o) <= kPocetOdhadu;
}

// The estimator of a code, Neurcen for one out of range.
inline constexpr Odhad OdhadZKodu(int32_t kod) {
    return kod >= 1 && kod <= kPocetOdhadu ? static_cast<Odhad>(kod) : Odhad::Neurcen;
}

}  // namespace vertano
