#pragma once

#include <cstdint>
#include <string>

#include "adjustment/DenseNetworkSolver.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/VysledekSite.h"
#include "matice/NormalSolver.h"

namespace vertano {

// Steps shared by the files of TmodelSite that are not operations of their own.

// The working state of the model for its implementation files (the helpers
// of the operations, the outlier and reliability steps); nothing outside
// src/adjustment includes this header, readers use TmodelSite::Vysledek().
inline TmodelSiteStav& Stav(TmodelSite& model) {
    return model;
}
inline const TmodelSiteStav& Stav(const TmodelSite& model) {
    return model;
}

// Subtracts the coordinate increments from the determined points and sets
// prirustek to the largest of them; nothing is changed when one is not finite.
bool PouzitPrirustky(TmodelSite& model);

// Residuals v = l - A dx and, with `pouzitPrirustky`, the update of the
// coordinates.
bool DokoncitReseni(TmodelSite& model, bool pouzitPrirustky);

// The datum conditions of typFixace at the current coordinates, one row of
// pocetNeznamych coefficients each, into datumConditions.
void DatumPodminky(TmodelSite& model);
// The defect vectors the conditions remove (translations, the rotation about
// the vertical through the fixed point or the centre, the scale about it) at
// the current coordinates, into datumVectors.
void DatumVektory(TmodelSite& model);

// The normal equations of Naplnit by the solver of the current path (sparse or
// dense), with the working weights. False with the reason in `chyba`.
bool SestavitNormalniRovnice(TmodelSite& model);

// The normal system of the model for its solver: the design matrix, the
// weights `vahy`, l when given (a solution) and the datum conditions.
NormalSystem SoustavaModelu(const TmodelSite& model, const Tvector& vahy, const Tvector* l);

// The cofactors once more by a slower way (the dense pseudo-inverse), for
// cofactors that failed a later check; the sparse path gives way to it first.
bool KofaktoryZnovu(TmodelSite& model);

// The dense solver of the model for the steps that name a dense method.
DenseNetworkSolver& HustyResic(TmodelSite& model);

// "the X coordinate of point 12", "the orientation of station 7 (occupation
// 3)": an unknown in words, for messages.
std::string PopisNezname(const TmodelSite& model, int32_t neznama);

namespace druhy {

// The records of a kind (druhy::kPoradi) to change, for the outlier test, the
// robust weights, the evaluation and the reliability.
TvektorMereni& Vektor(TmodelSite& model, Velicina typ);
// The group index of a terrestrial kind; nullptr for the supplementary kinds.
TindexVector* Index(TmodelSite& model, Velicina typ);
// The count of outliers a kind keeps in the outlier model.
int32_t& PocetOdlehlych(TmodelSite& model, Velicina typ);

}  // namespace druhy

}  // namespace vertano
