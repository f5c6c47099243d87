#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "adjustment/SolverOwner.h"
#include "adjustment/TmodelSiteStav.h"
#include "adjustment/TvektorMereni.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"

namespace vertano {

class Tmereni;
class Tnastaveni;
class Tvahy;
class TdoplnkoveMereni;
class VysledekSite;

// The three-dimensional network adjustment model: observation vectors, the point
// list with the current coordinates, the transposed sparse design matrix, the
// working vectors of the solution and all counters. The normal equations are
// its solver's (SolverOwner: the sparse one or the dense cascade), which it
// asks for the solution and the cofactors.
//
// Unknowns, in this order: X, Y, Z of every determined point (point-list order),
// one orientation per station occupation, then one Lagrange multiplier per datum
// condition. Observations (equations), in this order: slope distances,
// directions, zenith angles, supplementary slope distances, bearings, height
// differences, plumbing ties (all X equations, then all Y equations).
//
// Sign convention: l = computed - measured, v = l - A dx, every unknown is
// corrected by subtracting its increment. Angles in radians, lengths in metres.
//
// Every Boolean operation catches floating-point faults and bad sizes inside it
// and returns false; nothing is thrown. The reason of the last failure is kept in
// `chyba` (English) for the caller's log or command line.
//
// The state (TmodelSiteStav) is private: readers get the results through
// Vysledek(), and the configuration is set through the setters below.
class TmodelSite : private TmodelSiteStav {
  public:
    // Holds the unobserved free coordinate r of a determined point fixed in plan
    // or in height alone (drzeneNezname); false when r is not one.
    bool DrzetNepozorovanou(int32_t r);

    TmodelSite();

    // What readers outside the model see: the results of the last run, never
    // the working state (see VysledekSite).
    [[nodiscard]] VysledekSite Vysledek() const;

    // ---- configuration, kept through Clear ----
    // Called repeatedly while worker threads run (a window repaints itself).
    void NastavitCekani(WaitHook hook) { cekani = std::move(hook); }
    // Kaskada in every run; a single method for comparisons and tests.
    void NastavitResic(Resic r) { resic = r; }
    void NastavitVolbuResice(SolverChoice volba) { solverChoice = volba; }
    [[nodiscard]] SolverChoice VolbaResice() const { return solverChoice; }
    // A run of iterations begins at pocetIteraci 0.
    void ZacitIterace() { pocetIteraci = 0; }
    // The reason of a failure found by the caller of the model (a step that
    // could not begin, an exception), for the messages of the run.
    void NastavitChybu(std::string text) { chyba = std::move(text); }

    // The solver of the normal equations of this load: which one, whether the
    // sparse one gave way, why the last solution or inversion failed.
    [[nodiscard]] const SolverOwner& Solver() const { return resice_; }
    [[nodiscard]] SolverOwner& Solver() { return resice_; }

    // ---- loading and the design matrix ----
    void Create();
    // Empties everything: matrices and vectors freed, reals and counts -1, the
    // text empty, flags false, the solver forgotten. `cekani`, `resic` and
    // `solverChoice` are configuration and stay.
    void Clear();

    // Loads the model from the reduced measurements, the approximate (determined)
    // and the fixed coordinates, the weights, the prepared supplementary
    // measurements and the settings. Rows whose station or target has no
    // coordinates are left out and listed in vynechanaMereni. False (model
    // cleared, reason in chyba) when no unknown remains, the redundancy is
    // negative, an observation has no usable weight, a point number is both
    // determined and fixed, or the supplementary vectors cannot be built.
    bool Nacist(const Tmereni& mereni, const Tsouradnice& souradnicePriblizne,
                const Tsouradnice& souradniceFixni, const Tvahy& vahy,
                const TdoplnkoveMereni& doplnekPripraveny, const Tnastaveni& nastaveni);
    // Recount and re-prepare after outliers were removed from the vectors.
    bool NacistBezOdlehlych();

    // Counts, datum type and conditions, redundancy; f = number of fixed
    // coordinates.
    void PocetVse(int32_t pocetSouradniceFixni);
    // Sizes and zeroes l, weights, robust factors, residuals (m), the
    // increments (u) and the working weights (max(m, u)).
    bool NuloveMatice();
    // Builds the direction, zenith and distance vectors and their group indices
    // from the reduced measurements, with the point indices and weights.
    bool NaplnitMereniVahy(const Tmereni& mereni, const Tvahy& vahy);
    // diagonalaVah := the a-priori weights of all observations in equation order.
    bool NaplnitDiagonaluVah();
    // Design matrix, l, the datum conditions at the current coordinates and
    // the normal equations (with the working weights) by the solver.
    bool Naplnit();
    // The copy of the outlier model: observation vectors, group indices,
    // supplementary vectors, iteration settings and state, counts and flags.
    void KopirujCastOdlehle(const TmodelSite& model);

    // The value congruent to a modulo 2 pi in [r - pi, r + pi).
    static Real ReduceAngleNear(Real a, Real r);

    // The observation record behind equation i (0 <= i < pocetMereni), the X and
    // the Y equation of a plumbing tie both giving its one record; nullptr outside.
    const TmerenaVelicina* VelicinaRovnice(int32_t i) const;
    // Index of the first equation of an observation kind (Velicina); for
    // plumbing ties the first X equation (the Y equations follow pocetProvazeni
    // later). -1 for an unknown kind or before the counts exist.
    int32_t PocatekRovnic(Velicina typ) const;

    // ---- solution, iteration and covariance ----
    // Each solves the normal equations formed by the dense solver with one
    // method; with `pouzitPrirustky` the increments are applied to the
    // coordinates of the determined points.
    bool VyrovnatLDLT(bool pouzitPrirustky);
    bool VyrovnatLU(bool pouzitPrirustky);
    bool VyrovnatSVD(bool pouzitPrirustky);
    // The solution by the solver of the load: the sparse one, or the dense
    // cascade LDL^T, else rebuild + LU, else rebuild + SVD (or only the method
    // `resic`); the sparse one gives way where SolverOwner::GiveWay allows.
    bool Vyrovnat();
    // One plain iteration with the a-priori weights; znovuVyrovnat tells whether
    // another is needed.
    bool VyrovnatOpakovane(bool& znovuVyrovnat);
    // One iteration with the current working weights, then new robust weights.
    // A run begins at pocetIteraci 0; a redescending estimator first iterates
    // with Huber's weights (robustniStart), and pocetIteraci counts both stages.
    bool VyrovnatRobustne(bool& znovuVyrovnat);

    // The cofactors Q of the unknowns and the cofactors q_i of the adjusted
    // observations into vektorRedukovanychMereni, always with the a-priori
    // weights. The solver keeps Q (the dense one in its bordered matrix, the
    // sparse one as the selected cofactors); Kofaktor, KofaktoryBodu and
    // KofaktorovaMatice give them.
    bool VypocetKovariancniMatice();
    // The two ways of the dense path, by the dense solver.
    bool KovariancniMaticeCholeskyLU();
    bool KovariancniMaticeSVD();
    // Cofactors made elsewhere (a model assembled by hand): Q of the unknowns.
    void SetCofactors(Tmatrix Q);
    // Q[i][i] >= 0 (i < n), q_i >= 0 and q_i <= 1/p_i up to rounding.
    bool KontrolaKovariancniMatice() const;
    // kovariancniMaticeStr := the coordinate block of Q as text. The whole block
    // is computed for it (its lower triangle, column by column on the sparse
    // path), so it is made only on request, never by the evaluation.
    // `pokracovat(done, total)` is asked before every column and every row of
    // the text; when it returns false the text stays empty and the call returns
    // false.
    bool KovariancniMaticeText(const std::function<bool(int64_t, int64_t)>& pokracovat = {});

    // Q[i][j] of two unknowns after VypocetKovariancniMatice; false when there
    // are no cofactors or the indices are outside the unknowns.
    bool Kofaktor(int32_t i, int32_t j, Real& q) const;
    // The 3 x 3 block of the coordinates X, Y, Z of determined point `bod`.
    bool KofaktoryBodu(int32_t bod, Tmatrix& B) const;
    // The leading n x n block of Q (n <= pocetNeznamych), on request only: on
    // the sparse path every column costs a solve with the factor, and a block
    // that would not fit in memory is refused (three times its size must fit
    // in half of the memory: 15,000 coordinates on a machine of 23 GB).
    bool KofaktorovaMatice(int32_t n, Tmatrix& Q) const;
    // The same block a column at a time: visit(j, column) with column[i] =
    // Q[i][j] while it returns true. On the sparse path each column is solved
    // and dropped (a block of any size in the memory of one column), on the
    // dense path it is read from the block.
    bool KofaktoroveSloupce(int32_t n,
                            const std::function<bool(int32_t, const Tvector&)>& visit) const;
    // The sparse path solves (and gave the current cofactors): solverChoice is
    // not Dense, no single dense method is forced and it has not given way.
    bool RidkaCesta() const;

    // sigma_v = sigma0 sqrt((sigma / sigma0)^2 - q) of a residual, the radicand
    // taken as 0 when rounding makes it negative (an observation without
    // redundancy has q = 1/p); -1 when the arguments are not usable.
    static Real OdchylkaOpravy(Real odchylka, Real odchylkaJednotkova, Real q);

    // The triangle adjustment of the outer precision of directions: rows with
    // `soubor` = direction number 1..6, `skupina` = occupation 1..S, `smer`.
    bool NaplnitVnejsiPresnostSmer(const Tmereni& mereni);
    bool VyrovnatVnejsiPresnostSmer(const Tmereni& mereni);

    // ==== Outliers, robust weights and evaluation ====
    // Declared here by the files that implement them (TmodelSiteOdlehle.cpp,
    // TmodelSiteVyhodnoceni.cpp, ...). Keep this block at the end of the class.

    // probehloVylouceniOdlehlych := some kind has its exclusion switch on and at
    // least one observation in the model; returns it.
    bool VylucovatOdlehle(const Tnastaveni& nastaveni);
    // New robust factors (vektorRobustnichZmen) and working weights
    // (vektorUloziste = a-priori weight x factor) of all pocetMereni observations
    // from the residuals vektorOprav and the estimator `odhadPruchodu` (typOdhadu,
    // or Huber in the start stage of robustniStart); zmenaVahy :=
    // max(zmenaVahy, largest change of a factor), so the caller resets it first.
    // False, with nothing changed, for an unknown estimator, vectors that do not
    // fit the counts, an observation without a usable deviation or a fault.
    bool VypocistRobustniVahy(Odhad odhadPruchodu);
    // Tests every residual of the kinds switched on against k sigma_v, keeps all
    // observations annotated with their test values in `modelOdlehly`, removes
    // the outliers from this model (renumbering groups and orientation unknowns)
    // and re-prepares it (NacistBezOdlehlych). The outlier counts of
    // `modelOdlehly` become the numbers removed. False on any failure.
    bool VylouceniOdlehlychHodnot(TmodelSite& modelOdlehly, const Tnastaveni& nastaveni);
    // After the last iteration: the cofactor matrix, standard deviations, error
    // ellipsoids and ellipses of the determined points, the a-posteriori unit
    // standard deviation, residuals and adjusted values of every observation, the
    // adjusted orientations (posun) and kovariancniMaticeStr. All accuracy values
    // are for a unit standard deviation of 1. False on failure.
    bool Vyhodnoceni();

  private:
    // The result view reads the state; the implementation files of the model
    // reach it through Stav() (TmodelSiteVnitrni.h).
    friend class VysledekSite;
    friend TmodelSiteStav& Stav(TmodelSite& model);
    friend const TmodelSiteStav& Stav(const TmodelSite& model);

    SolverOwner resice_;
};

}  // namespace vertano
