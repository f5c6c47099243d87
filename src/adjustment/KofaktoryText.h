#pragma once

#include <cstdint>
#include <string>

#include "matice/MatrixTypes.h"

namespace vertano {

// The leading a x a block of a symmetric cofactor matrix as text for the matrix
// window: the lower triangle read and mirrored, every element in the shortest
// general form with ".", cells separated by one blank, every row followed by
// CR LF. Empty for a < 1 or a matrix smaller than the block.
std::string KofaktoryText(const Tmatrix& Q, int32_t a);

}  // namespace vertano
