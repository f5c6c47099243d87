#pragma once

#include <cstdint>

namespace vertano::oznameni {

// Numbers of the message catalogue that the raw-data analysis, the network
// adjustment and the transformations stop or warn with, and that the front ends show for the same
// faults of the input lists. The supplementary lists have theirs (18-25) with their kinds
// (supplementary/DoplnekDruh.h).
inline constexpr int32_t kChyba = 0;              // a failure without a number of its own
inline constexpr int32_t kBody = 1;               // too few given points, or faulty ones
inline constexpr int32_t kKonfigurace = 2;        // no measurement between usable points
inline constexpr int32_t kPrekroceniDelek = 3;    // warning: distances against coordinates
inline constexpr int32_t kRedundance = 4;         // too few redundant measurements
inline constexpr int32_t kRobustne = 5;           // the robust adjustment failed
inline constexpr int32_t kOdlehle = 6;            // the outlier test failed
inline constexpr int32_t kReseni = 7;             // the plain adjustment failed
inline constexpr int32_t kVyhodnoceni = 8;        // the evaluation failed
inline constexpr int32_t kIdenticke = 9;          // too few identical points, or duplicates
inline constexpr int32_t kIdentickeSit = 10;      // fewer than two are network points
inline constexpr int32_t kIdentickeXY = 11;       // no two pairs apart in both systems
inline constexpr int32_t kTransRobustne = 12;     // the robust transformation adjustment failed
inline constexpr int32_t kTransOdlehle = 13;      // the rejection of identical coordinates failed
inline constexpr int32_t kTransReseni = 14;       // the transformation adjustment failed
inline constexpr int32_t kTransVyhodnoceni = 15;  // its evaluation failed
inline constexpr int32_t kTransformace = 16;      // the network could not be transformed
inline constexpr int32_t kMeritko = 17;           // faulty scale factors
inline constexpr int32_t kProtokol = 26;          // a report could not be made
inline constexpr int32_t kUkladani = 28;          // a file could not be saved

}  // namespace vertano::oznameni
