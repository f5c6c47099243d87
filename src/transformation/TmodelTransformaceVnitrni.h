#pragma once

#include <cstdint>

#include "matice/NormalSolver.h"
#include "transformation/TmodelTransformaceVyrovnani.h"

namespace vertano {

// Steps shared by the files of TmodelTransformaceVyrovnani.

// The working state of the model for its own files; readers use
// TmodelTransformaceVyrovnani::Vysledek().
inline TmodelTransformaceStav& Stav(TmodelTransformaceVyrovnani& model) {
    return model;
}
inline const TmodelTransformaceStav& Stav(const TmodelTransformaceVyrovnani& model) {
    return model;
}

// Calls f(record, typ, row) for every filled record of the three vectors in
// observation order (X, Y, Z); row counts the filled records from 0.
template <class Model, class F>
void ProRadky(Model& model, F f) {
    int32_t radek = 0;
    for (const Osa typ : {Osa::X, Osa::Y, Osa::Z}) {
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

inline constexpr const char* kNeurcenyKlic =
    "The identical coordinates left do not determine the transformation key";

// The normal system of the model for the solver interface: four unknowns, no
// datum conditions, the weights `p` and, for a solution, l.
NormalSystem SoustavaTransformace(const TmodelTransformaceVyrovnani& m, const Tvector& p,
                                  const Tvector* l);

// The failure of the sparse solver in the model's words, into `chyba`.
void OhlasitRidky(TmodelTransformaceVyrovnani& m, const NormalSolver& ridky);

}  // namespace vertano
