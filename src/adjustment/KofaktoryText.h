#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "matice/MatrixTypes.h"

namespace vertano {

// The leading a x a block of a symmetric cofactor matrix as text for the matrix
// window: the lower triangle read and mirrored, every element in the shortest
// general form with ".", cells separated by one blank, every row followed by
// CR LF. Empty for a < 1 or a matrix smaller than the block. Only the lower
// triangle is read: Q[i] may hold just its first i + 1 elements. `radek`, when
// given, is called before each row of the text is written (0 .. a - 1); when it
// returns false the text is abandoned and empty.
std::string KofaktoryText(const Tmatrix& Q, int32_t a,
                          const std::function<bool(int32_t)>& radek = {});

}  // namespace vertano
