#pragma once

#include <cstdint>
#include <string>

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

// Residuals v = l - A dx and, with `pouzitPrirustky`, the update of the
// coordinates.
bool DokoncitReseni(Tmodel2& model, bool pouzitPrirustky);

// How the dense methods treat a singular system.
enum class Singularita {
    // The pseudo-inverse is a generalised inverse: the small triangle
    // adjustments of the outer precision rely on it.
    Pripustna,
    // The network: a system singular beyond its datum has no solution that
    // could be reported, so every method refuses it.
    Odmitnuta,
};

// The increments dx of the dense normal equations (already formed) by one
// method, without residuals.
//
// LDL^T has no pivoting: it also counts the pivots of the unknowns' block that
// are small for their diagonal element. More of them than datum conditions is
// a defect of the network (reported in `chyba`, `solverFailure` and
// `defectUnknown`; no other method should then be tried). Fewer is the datum
// defect of a free network, which the conditions remove: dividing by such a
// pivot, a rounding residue, would cost the solution digits (nanometres at
// national coordinates), so LDL^T gives way to LU without a defect.
enum class VysledekLDLT { Vyreseno, MalePivoty, Defekt, Selhani };
VysledekLDLT ReseniLDLT(Tmodel2& model);
// The rank of the unknowns' block of the formed dense normal matrix (which it
// destroys) by the semidefinite LDL^T: true, with the defect reported as by
// ReseniLDLT, when more unknowns depend on others than there are conditions.
bool DefektHuste(Tmodel2& model);
bool ReseniLU(Tmodel2& model);

// The pseudo-inverse of the (bordered) normal matrix by SVD: rows split[0] ..
// split.back() - 1 are written into the normal matrix, and with `reseni` the
// increments dx = N+ b for those rows. With Singularita::Odmitnuta a singular
// value cut off as zero makes it fail. Scratch matrices are freed.
bool ReseniSvd(Tmodel2& model, const TindexVector& split, bool reseni, Singularita singularita);

// The dense normal equations from the current design matrix with the weights
// `vahy`: N, and b when l is given, then the datum conditions. False, with the
// reason in `chyba`, when the dense matrix does not fit in memory.
bool SestavitHuste(Tmodel2& model, const Tvector& vahy, const Tvector* l);

// The datum conditions of typFixace at the current coordinates, one row of
// pocetNeznamych coefficients each, into datumConditions.
void DatumPodminky(Tmodel2& model);
// The defect vectors the conditions remove (translations, the rotation about
// the vertical through the fixed point or the centre, the scale about it) at
// the current coordinates, into datumVectors.
void DatumVektory(Tmodel2& model);

// The normal equations of Naplnit by the solver of the current path (sparse or
// dense), with the working weights. False with the reason in `chyba`.
bool SestavitNormalniRovnice(Tmodel2& model);

// With the automatic choice the dense cascade takes over from the sparse path
// for the rest of this load, when its matrix is small enough: true when it did.
bool PrevzitHuste(Tmodel2& model);

// Whether a dense normal matrix of order u fits in half of the memory of the
// machine: the dense path allocates u^2 extended reals.
bool HustaSeVejde(int64_t u);

// "the X coordinate of point 12", "the orientation of station 7 (occupation
// 3)": an unknown in words, for messages.
std::string PopisNezname(const Tmodel2& model, int32_t neznama);

}  // namespace vertano
