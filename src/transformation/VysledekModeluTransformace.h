#pragma once

#include <cstdint>
#include <string>

#include "data/Tsouradnice.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"
#include "transformation/TmodelTransformaceVyrovnani.h"
#include "transformation/TtransformacniKlic.h"
#include "transformation/TvektorSouradnice.h"

namespace vertano {

// The read-only view of a transformation adjustment model that readers outside
// the model work with (reports, outputs, the windows, the commands): readers see
// results, never the working state, whose vectors change meaning during a run.
// It holds a reference, so it lives no longer than its model; a model converts
// to it implicitly, so a reader takes `const VysledekModeluTransformace&`.
class VysledekModeluTransformace {
  public:
    VysledekModeluTransformace(
        const TmodelTransformaceVyrovnani& model)  // NOLINT: implicit on purpose
        : m_(model) {}

    // ---- the identical coordinates and the key ----
    // The own copy of the pair list (input X, Y reduced to the centroid).
    [[nodiscard]] const Tsouradnice& IdentickeBody() const { return m_.identickeBody; }
    // The X, Y and Z records with residuals, adjusted values and test values.
    [[nodiscard]] const TvektorSouradnice& IdentickeX() const { return m_.identickeX; }
    [[nodiscard]] const TvektorSouradnice& IdentickeY() const { return m_.identickeY; }
    [[nodiscard]] const TvektorSouradnice& IdentickeZ() const { return m_.identickeZ; }
    [[nodiscard]] const TvektorSouradnice& Vektor(Osa typ) const { return m_.Vektor(typ); }
    [[nodiscard]] const TtransformacniKlic& TransformacniKlic() const {
        return m_.transformacniKlic;
    }
    // Q of the key (4 x 4) after the covariance step.
    [[nodiscard]] const Tmatrix& Kofaktory() const { return m_.kofaktory; }
    [[nodiscard]] const Tvector& Opravy() const { return m_.vektorOprav; }
    [[nodiscard]] const Tvector& VahyApriori() const { return m_.diagonalaVah; }
    [[nodiscard]] const Tvector& RobustniZmeny() const { return m_.vektorRobustnichZmen; }
    // After the covariance step: the cofactors q of the adjusted observations.
    [[nodiscard]] const Tvector& KofaktoryMereni() const { return m_.vektorRedukovanychMereni; }
    [[nodiscard]] bool RidkaCesta() const { return m_.RidkaCesta(); }
    [[nodiscard]] const SolverOwner& Solver() const { return m_.Solver(); }

    // ---- unit standard deviation, counts and iterations ----
    [[nodiscard]] Real OdchylkaJednotkovaAprior() const { return m_.odchylkaJednotkovaAprior; }
    [[nodiscard]] Real OdchylkaJednotkovaAposterior() const {
        return m_.odchylkaJednotkovaAposterior;
    }
    [[nodiscard]] int32_t PocetSouradnicIdentickych() const { return m_.pocetSouradnicIdentickych; }
    [[nodiscard]] int32_t PocetIdentickeX() const { return m_.pocetIdentickeX; }
    [[nodiscard]] int32_t PocetIdentickeY() const { return m_.pocetIdentickeY; }
    [[nodiscard]] int32_t PocetIdentickeZ() const { return m_.pocetIdentickeZ; }
    [[nodiscard]] int32_t PocetMereni() const { return m_.pocetMereni; }
    [[nodiscard]] int32_t PocetNeznamych() const { return m_.pocetNeznamych; }
    [[nodiscard]] int32_t PocetNadbytecnych() const { return m_.pocetNadbytecnych; }
    // In the outlier copy: the coordinates rejected per vector.
    [[nodiscard]] int32_t PocetIdentickeXOdlehly() const { return m_.pocetIdentickeXOdlehly; }
    [[nodiscard]] int32_t PocetIdentickeYOdlehly() const { return m_.pocetIdentickeYOdlehly; }
    [[nodiscard]] int32_t PocetIdentickeZOdlehly() const { return m_.pocetIdentickeZOdlehly; }
    [[nodiscard]] int32_t PocetIteraci() const { return m_.pocetIteraci; }
    [[nodiscard]] Real ZmenaVahy() const { return m_.zmenaVahy; }
    [[nodiscard]] Real Prirustek() const { return m_.prirustek; }
    [[nodiscard]] int32_t MaxPocetIteraci() const { return m_.maxPocetIteraci; }
    [[nodiscard]] Real MaxZmenaVahy() const { return m_.maxZmenaVahy; }
    [[nodiscard]] Real MaxPrirustek() const { return m_.maxPrirustek; }
    [[nodiscard]] Real Kvantil() const { return m_.kvantil; }
    [[nodiscard]] Odhad TypOdhadu() const { return m_.typOdhadu; }

    // Why the last operation failed (English); empty after success.
    [[nodiscard]] const std::string& Chyba() const { return m_.chyba; }

  private:
    const TmodelTransformaceVyrovnani& m_;
};

}  // namespace vertano
