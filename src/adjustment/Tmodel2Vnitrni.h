#pragma once

#include "adjustment/Tmodel2.h"

namespace vertano {

// Steps shared by the files of Tmodel2 that are not operations of their own.

// Writes the datum conditions of the model's typFixace into the rows and columns
// pocetNeznamych.. of the normal matrix (bordering it symmetrically) with the
// current coordinates of the determined points, and 0 into their right-hand side.
bool PridatPodminkyFixace(Tmodel2& model);

// The normal matrix (u x u) and the right-hand side (u) set to zero, u being the
// unknowns plus the conditions; reallocated only when the shape differs.
void NulovatNormalniRovnice(Tmodel2& model);

// Subtracts the coordinate increments from the determined points and sets
// prirustek to the largest of them; nothing is changed when one is not finite.
bool PouzitPrirustky(Tmodel2& model);

// The pseudo-inverse of the (bordered) normal matrix by SVD: rows split[0] ..
// split.back() - 1 are written into the normal matrix; with `reseni` also the
// increments dx = N+ b for those rows, the residuals and, with
// `pouzitPrirustky`, the update of the coordinates. Scratch matrices are freed.
bool ReseniSvd(Tmodel2& model, const TindexVector& split, bool reseni, bool pouzitPrirustky);

}  // namespace vertano
