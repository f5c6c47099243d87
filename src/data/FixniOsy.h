#pragma once

#include <optional>
#include <string_view>

#include "data/Tbod.h"

namespace vertano {

// The word of a coordinate or project file for the coordinates a given point
// holds: "XYZ", "XY" (plan only) or "Z" (height only).
std::string_view SlovoFixnichOs(FixniOsy osy);
// The word read back: "XYZ", "XY" or "YX", "Z", in either letter case;
// nothing for any other word.
std::optional<FixniOsy> CtiFixniOsy(std::string_view slovo);

}  // namespace vertano
