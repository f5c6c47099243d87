#pragma once

#include <cstdint>

namespace vertano {

// Datum type of the network: which conditions remove the defect of a network that
// has too few fixed coordinates. The numbers are those of the summary's order
// (KodFixace); Neurcena before a network is loaded.
enum class Fixace : int32_t {
    Neurcena = -1,
    PevnaSit = 0,           // two or more fixed points, scale measured
    PevnaMeritko = 1,       // two or more fixed points, no scale measured
    BodSmernikDelky = 2,    // one fixed point, bearing and scale
    BodSmernik = 3,         // one fixed point and a bearing
    BodDelky = 4,           // one fixed point and scale
    Bod = 5,                // one fixed point only
    VolnaSmernikDelky = 6,  // free, bearing and scale
    VolnaSmernik = 7,       // free, bearing
    VolnaDelky = 8,         // free, scale
    Volna = 9,              // free, neither
};

inline constexpr int32_t KodFixace(Fixace f) {
    return static_cast<int32_t>(f);
}

// A free network: its datum is given by conditions on all its points.
inline constexpr bool JeVolna(Fixace f) {
    return KodFixace(f) >= KodFixace(Fixace::VolnaSmernikDelky);
}

}  // namespace vertano
