#pragma once

#include "data/Tbod.h"

namespace vertano {

// Plain routines on single points, used by the table windows and the
// transformation.

// Makes the record the empty point; its check flags stay, so a table keeps
// showing what the last check found until the next check runs.
void VyprazdnitBod(Tbod& bod);

// Exchanges X with Y and sig_X with sig_Y (lists typed in the other axis order).
void ZamenitXY(Tbod& bod);

// Marks all three coordinate deviations as not given.
void ZrusitOdchylky(Tbod& bod);

// Both points full and X, Y, Z (or only X, Y) exactly equal.
bool JsouTotozneVProstoru(const Tbod& a, const Tbod& b);
bool JsouTotozneVRovine(const Tbod& a, const Tbod& b);

}  // namespace vertano
