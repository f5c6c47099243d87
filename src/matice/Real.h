#pragma once

namespace vertano {

// Every computed quantity of the program is held in x87 extended precision: the
// adjustment of a large network accumulates many products and the extra 11 bits
// of mantissa keep the normal equations honest.
using Real = long double;

}  // namespace vertano
