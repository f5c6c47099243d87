#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "adjustment/RobustniStart.h"
#include "adjustment/SolverOwner.h"
#include "data/Tsouradnice.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"
#include "transformation/DenseTransformationSolver.h"
#include "transformation/TtransformacniKlic.h"
#include "transformation/TvektorSouradnice.h"

namespace vertano {

class Tnastaveni;
class VysledekModeluTransformace;

// The unknowns of the transformation, in their column order.
namespace neznama {
inline constexpr int32_t kPosunX = 0;
inline constexpr int32_t kPosunY = 1;
inline constexpr int32_t kPosunZ = 2;
inline constexpr int32_t kRotace = 3;
inline constexpr int32_t kPocet = 4;
}  // namespace neznama

// The working state of TmodelTransformaceVyrovnani. The model inherits it
// privately: only the model, its files in src/transformation (through Stav() of
// TmodelTransformaceVnitrni.h) and its result view VysledekModeluTransformace
// reach these fields (vektorRedukovanychMereni holds l, later the cofactors q).
struct TmodelTransformaceStav {
    Tsouradnice identickeBody;  // own copy of the pair list, input X, Y reduced to the centroid
    TvektorSouradnice identickeX;
    TvektorSouradnice identickeY;
    TvektorSouradnice identickeZ;
    TtransformacniKlic transformacniKlic;
    Real odchylkaJednotkovaAprior = -1;
    Real odchylkaJednotkovaAposterior = -1;
    int32_t pocetSouradnicIdentickych = -1;  // 3 x number of pairs
    int32_t pocetIdentickeX = -1;
    int32_t pocetIdentickeY = -1;
    int32_t pocetIdentickeZ = -1;
    int32_t pocetMereni = -1;
    int32_t pocetNeznamych = -1;
    int32_t pocetNadbytecnych = -1;
    // In the outlier copy: the coordinates rejected per vector.
    int32_t pocetIdentickeXOdlehly = -1;
    int32_t pocetIdentickeYOdlehly = -1;
    int32_t pocetIdentickeZOdlehly = -1;
    int32_t pocetIteraci = -1;
    Real zmenaVahy = -1;  // largest robust weight change of the last pass
    Real prirustek = -1;  // |rotation increment| of the last solution
    int32_t maxPocetIteraci = -1;
    Real maxZmenaVahy = -1;
    Real maxPrirustek = -1;
    Real kvantil = -1;
    Odhad typOdhadu = Odhad::Neurcen;

    Tsparse maticePlanuSparse;  // A transposed: 4 rows
    Tmatrix kofaktory;          // Q of the key (4 x 4) after the covariance step
    Tvector vektorUloziste;     // working weights
    Tvector vektorOprav;
    Tvector diagonalaVah;  // a-priori weights
    Tvector vektorRobustnichZmen;
    // l; after the covariance step the cofactors q of the adjusted observations.
    Tvector vektorRedukovanychMereni;
    Tvector vektorPrirustku;

    // ---- beyond the classic record ----
    std::string chyba;
    // Configuration, kept through Clear: a single dense method, and the choice
    // of the solver (the workspace gives the network's).
    Resic resic = Resic::Kaskada;
    SolverChoice solverChoice = SolverChoice::Auto;
    // The stage of the robust passes: a redescending estimator starts from the
    // Huber solution.
    RobustniStart robustniStart;
};

// The transformation adjustment: estimates the key between the input system (the
// adjusted network) and the output system from all identical points by least
// squares, optionally with robust reweighting and rejection of outlying
// identical coordinates, and evaluates the accuracy of the key and of the
// identical coordinates.
//
// Model (3D, no scale): X' = tX + x cos w - y sin w, Y' = tY + x sin w + y cos w,
// Z' = tZ + Z, with x, y the input coordinates reduced to the centroid of the
// input identical points. Observations: the output coordinates of the identical
// points, all X, then all Y, then all Z, each in pair order.
//
// Conventions as in the network adjustment: l = computed - observed,
// v = l - A dx, the unknowns are corrected by subtracting dx; the design matrix
// is stored transposed (one row per unknown). Two instances exist: the model and
// its outlier copy, which keeps the rejected coordinates flagged.
//
// The normal equations go through the solver interface and its owner as the
// network's do: the sparse solver by default, the dense cascade (LDL^T, LU, SVD,
// DenseTransformationSolver) when the network's choice is Dense, a single dense
// method is forced, or the sparse solver gives way (SolverOwner::GiveWay).
//
// Every Boolean operation catches its failures and returns false; the reason of
// the last failure is in `chyba` (English).
class TmodelTransformaceVyrovnani : private TmodelTransformaceStav {
  public:
    // What readers outside the model see (see VysledekModeluTransformace).
    [[nodiscard]] VysledekModeluTransformace Vysledek() const;
    // A run of passes begins at pocetIteraci 0.
    void ZacitIterace() { pocetIteraci = 0; }

    // Create and Clear give the empty model.
    void Create() { Clear(); }
    // Empties the lists and vectors, frees the matrices, resets the key and the
    // counts; `resic` is configuration and stays.
    void Clear();

    // The observations from the pair list: the own copy with the input X, Y
    // reduced to their centroid (kept in the key), one X, Y and Z record per pair
    // with the output coordinate, its standard deviation (the point's own, or
    // the default of the settings when the point has none, i.e. <= 0) and weight.
    // False (model cleared) when there is no pair, a value is not finite or no
    // usable weight results.
    bool NacistIdentickeBody(const Tsouradnice& souradniceIdenticke, const Tnastaveni& nastaveni);
    // Counts, zeroed matrices, limits, quantile, weights and the approximate key.
    // False (model cleared) for negative redundancy, a significance level outside
    // (0, 1) or an unknown estimator.
    bool Nacist(const Tnastaveni& nastaveni);
    void PocetVse();
    void NuloveMatice();
    // Design matrix, reduced observations and normal equations with the working
    // weights at the current key (assembled by the solver of the current path).
    // False when a column of A stays empty, an index of the pair list is wrong or
    // a fault occurs.
    bool Naplnit();
    // The sparse solver is used: solverChoice is not Dense, no single dense
    // method is forced and it has not given way.
    bool RidkaCesta() const;
    // The solver of the normal equations of this load.
    [[nodiscard]] const SolverOwner& Solver() const { return resice_; }
    [[nodiscard]] SolverOwner& Solver() { return resice_; }

    // The sparse solver, or on the dense path LDL^T, else rebuild + LU, else
    // rebuild + SVD (or only `resic`); with the key updated. A normal matrix
    // that is singular (the remaining coordinates do not determine the key)
    // fails on either path: a pseudo-inverse would give a key nobody measured.
    bool Vyrovnat();
    // One pass with the a-priori weights.
    bool VyrovnatOpakovane(bool& znovuVyrovnat);
    // One pass with the working weights, then new robust weights. A redescending
    // estimator takes the Huber weights until they settle (or the limit of
    // passes is reached), then its own; the limit of passes applies to each
    // stage.
    bool VyrovnatRobustne(bool& znovuVyrovnat);

    // Q = (A^T P A)^-1 (a-priori weights) into `kofaktory` and the cofactors q
    // of the adjusted observations into vektorRedukovanychMereni: from the
    // sparse solver, or on the dense path by Cholesky, else the SVD.
    bool VypocetKovariancniMatice();

    // Tests every coordinate whose switch is on against its limit residual,
    // keeps all of them annotated in `modelOdlehly` and removes the outliers
    // from this model, which is then reloaded (NacistBezOdlehlych).
    bool VylouceniOdlehlychHodnot(TmodelTransformaceVyrovnani& modelOdlehly,
                                  const Tnastaveni& nastaveni);
    bool NacistBezOdlehlych();
    // Vectors, estimator, limits, loop state and counts of another model.
    void KopirujCastOdlehle(const TmodelTransformaceVyrovnani& model);

    // The final key (translations for unreduced input coordinates), sigma0 a
    // posteriori, the cofactors of the key and the residuals, adjusted values
    // and their cofactor roots of every identical coordinate. Run once, after
    // the last pass: the key then no longer refers to the centroid, so the
    // passes cannot go on from it.
    bool Vyhodnoceni();

    // One point per pair (number, X, Y, Z = the residuals of its X, Y, Z
    // records); sig_X, sig_Y, sig_Z = 0 for an outlier, 1 otherwise.
    void OpravyOdlehle2Souradnice(Tsouradnice& souradnice) const;
    // With rejection on: the pairs of the outlier copy, each coordinate's
    // residual from this (final) model when it was kept (deviation field -3) or
    // from the copy when it was rejected (-2); otherwise OpravyOdlehle2Souradnice.
    void OpravyVyrovnane2Souradnice(Tsouradnice& souradnice,
                                    const TmodelTransformaceVyrovnani& modelOdlehly,
                                    bool vylucovatOdlehle) const;

    // The three vectors in observation order (X, Y, Z).
    const TvektorSouradnice& Vektor(Osa typ) const;
    TvektorSouradnice& Vektor(Osa typ);

    // ---- configuration, kept through Clear ----
    void NastavitResic(Resic r) { resic = r; }
    [[nodiscard]] Resic NastavenyResic() const { return resic; }
    void NastavitVolbuResice(SolverChoice volba) { solverChoice = volba; }
    // The reason of a failure found by the caller (an exception of a run).
    void NastavitChybu(std::string text) { chyba = std::move(text); }

  private:
    // The result view reads the state; the files of the model reach it
    // through Stav() (TmodelTransformaceVnitrni.h).
    friend class VysledekModeluTransformace;
    friend TmodelTransformaceStav& Stav(TmodelTransformaceVyrovnani& model);
    friend const TmodelTransformaceStav& Stav(const TmodelTransformaceVyrovnani& model);

    SolverOwner resice_{&DenseTransformationSolver::Make};
};

}  // namespace vertano
