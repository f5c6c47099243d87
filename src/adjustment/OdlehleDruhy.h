#pragma once

#include <array>
#include <cstdint>

#include "adjustment/TmerenaVelicina.h"
#include "adjustment/TvektorMereni.h"
#include "matice/MatrixTypes.h"

namespace vertano {

class TmodelSite;
class Tnastaveni;
class VysledekSite;

// Access to the seven observation kinds of a TmodelSite by their number
// (Velicina), in the order of the equations, for the routines that treat
// every kind alike: the outlier test, the robust weights and the evaluation.
namespace druhy {

inline constexpr std::array<Velicina, 7> kPoradi = {
    Velicina::Delka,           Velicina::Smer,           Velicina::Zenit,
    Velicina::DoplnekDelka,    Velicina::DoplnekSmernik, Velicina::DoplnekPrevyseni,
    Velicina::DoplnekProvazeni};

// The vector that holds the records of a kind; the kind must be one of kPoradi.
// (The model's own steps change them through the overloads of TmodelSiteVnitrni.h.)
const TvektorMereni& Vektor(const VysledekSite& model, Velicina typ);

// The exclusion switch of a kind in the settings.
bool Vylucovat(const Tnastaveni& nastaveni, Velicina typ);

// Equations of a kind: one per record, two per plumbing tie.
int32_t PocetRovnic(const TmodelSite& model, Velicina typ);

// Index of the first equation of every kind (in kPoradi order) from the vector
// lengths, checked against pocetMereni and the lengths of the residual and
// cofactor vectors. False when they do not fit together.
bool Pocatky(const TmodelSite& model, std::array<int32_t, 7>& pocatky);

// Angles are reduced into one turn when shown as adjusted values.
bool JeUhel(Velicina typ);

}  // namespace druhy

}  // namespace vertano
