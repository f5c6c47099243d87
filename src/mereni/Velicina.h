#pragma once

#include <cstdint>

namespace vertano {

// Kinds of observation of the adjustment (TmerenaVelicina::typ). They sit here,
// below the supplementary measurements and the adjustment, because both number
// their observations by them. The supplementary kinds have their own numbering
// in the input windows (doplnek::k...); these are the numbers of the adjustment.
namespace velicina {
inline constexpr int32_t kDelka = 1;             // slope distance
inline constexpr int32_t kSmer = 2;              // horizontal direction
inline constexpr int32_t kZenit = 3;             // zenith angle
inline constexpr int32_t kDoplnekDelka = 4;      // supplementary slope distance
inline constexpr int32_t kDoplnekSmernik = 5;    // supplementary bearing
inline constexpr int32_t kDoplnekPrevyseni = 6;  // supplementary height difference
inline constexpr int32_t kDoplnekProvazeni = 7;  // supplementary plumbing tie
}  // namespace velicina

}  // namespace vertano
