#pragma once

#include <cstdint>

#include "matice/NormalSolver.h"
#include "transformation/TmodelTransformaceVyrovnani.h"

namespace vertano {

// Steps shared by the files of TmodelTransformaceVyrovnani.

// Calls f(record, typ, row) for every filled record of the three vectors in
// observation order (X, Y, Z); row counts the filled records from 0.
template <class Model, class F>
void ProRadky(Model& model, F f) {
    int32_t radek = 0;
    for (const int32_t typ : {osa::kX, osa::kY, osa::kZ}) {
        for (auto& z : model.Vektor(typ).zaznam) {
            if (!z.jePlny) continue;
            f(z, typ, radek);
            ++radek;
        }
    }
}

// The system is set up: m observations, 4 unknowns and vectors and matrices of
// those sizes.
bool JeSoustavaTransformace(const TmodelTransformaceVyrovnani& model);

// N = A^T P A (4 x 4) of the design matrix with the weights `p`; with `l`, also
// b = A^T P l. False when A is not the model's 4 rows or a fault occurs.
bool NormalniRovniceTransformace(TmodelTransformaceVyrovnani& model, const Tvector& p,
                                 const Tvector* l);

inline constexpr const char* kNeurcenyKlic =
    "The identical coordinates left do not determine the transformation key";

// The normal system of the model for the solver interface: four unknowns, no
// datum conditions, the weights `p` and, for a solution, l.
NormalSystem SoustavaTransformace(const TmodelTransformaceVyrovnani& m, const Tvector& p,
                                  const Tvector* l);

// After a failure of the sparse solver: whether the dense cascade may take over
// (Auto, and not a key the observations leave undetermined); otherwise false
// with the reason in `chyba`.
bool PrevzitHuste(TmodelTransformaceVyrovnani& m, SolverFailure selhani);

// N+ of the leading 4 x 4 block of `N` by the SVD of the symmetrically scaled
// matrix, into `Q`; the work matrices of the model are used and freed.
bool PseudoInverzeTransformace(TmodelTransformaceVyrovnani& model, const Tmatrix& N, Tmatrix& Q);

}  // namespace vertano
