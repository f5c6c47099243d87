#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adjustment/Fixace.h"
#include "adjustment/RobustniStart.h"
#include "adjustment/SolverOwner.h"
#include "adjustment/TvektorDoplnek.h"
#include "adjustment/TvektorMereni.h"
#include "data/Tsouradnice.h"
#include "matice/MatrixTypes.h"
#include "matice/ParallelRows.h"
#include "matice/Real.h"

namespace vertano {

// A reduced measurement left out of the adjustment because its station or its
// target has no coordinates (neither approximate nor fixed): it cannot be given
// an observation equation. The caller shows the list to the user.
struct VynechaneMereni {
    int32_t radek = -1;  // 0-based row of the reduced measurement list
    int32_t poradi = 0;  // its station occupation
    std::string cislo_stn;
    std::string cislo_cil;
    std::string chybejiciBod;  // the point that has no coordinates
    std::string text;          // English, for the command line and logs
};

// The counts of a load refused for too few redundant measurements, kept for the
// message that says so (the refused model is cleared); -1 when not counted.
struct PoctyNacteni {
    int32_t pocetNeznamych = -1;
    int32_t pocetMereni = -1;
    int32_t pocetPodminek = -1;
    int32_t pocetNadbytecnych = -1;
    Fixace typFixace = Fixace::Neurcena;
};

// The working state of TmodelSite. The model inherits it privately, so only the
// model, its implementation files in src/adjustment (through Stav() of
// TmodelSiteVnitrni.h) and its result view VysledekSite reach these fields; some
// of them change meaning during a run (vektorRedukovanychMereni holds l, later
// the cofactors q_i), which is why no reader outside works on them.
struct TmodelSiteStav {
    // ---- observations ----
    TvektorMereni smer;
    TvektorMereni zenit;
    TvektorMereni delka;
    TvektorMereni posun;  // adjusted orientations (evaluation)
    // Group boundaries: entry g is the first row of group g, the last entry one
    // past the end.
    TindexVector indexSmer;
    TindexVector indexZenit;
    TindexVector indexDelka;
    TvektorDoplnek doplnek;
    // Determined points (approximate coordinates, JeFixni false) first, fixed
    // points (JeFixni true) appended.
    Tsouradnice souradnice;
    // The unknowns of the coordinates that determined points fixed in plan or
    // in height alone hold (ascending; Tbod::fixniOsy): never corrected, no
    // observation written for them.
    TindexVector drzeneNezname;

    Real odchylkaJednotkovaAprior = -1;
    Real odchylkaJednotkovaAposterior = -1;

    // ---- design matrix and working vectors ----
    Tsparse maticePlanuSparse;  // transposed: one row per unknown
    // The working weights, one per observation (length max(m, u)). The solvers
    // never write here.
    Tvector vektorUloziste;
    Tvector vektorOprav;
    Tvector diagonalaVah;  // a-priori weights
    Tvector vektorRobustnichZmen;
    // l; after the covariance computation the cofactors q_i of the adjusted
    // observations.
    Tvector vektorRedukovanychMereni;
    Tvector vektorPrirustku;

    // ---- iteration ----
    Real kvantil = -1;
    Odhad typOdhadu = Odhad::Neurcen;
    int32_t maxPocetIteraci = -1;
    Real maxZmenaVahy = -1;
    Real maxPrirustek = -1;
    int32_t pocetIteraci = -1;
    Real zmenaVahy = -1;
    Real prirustek = -1;
    std::string kovariancniMaticeStr;
    // The stage of the robust passes (the Huber start of a redescending
    // estimator).
    RobustniStart robustniStart;

    // ---- counts ----
    int32_t pocetSmer = -1;
    int32_t pocetZenit = -1;
    int32_t pocetDelka = -1;
    int32_t pocetSmerOdlehly = -1;
    int32_t pocetZenitOdlehly = -1;
    int32_t pocetDelkaOdlehly = -1;
    int32_t pocetMereni = -1;
    int32_t pocetSouradnic = -1;
    int32_t pocetSouradnicUrcovanych = -1;
    int32_t pocetSouradnicFixnich = -1;
    int32_t pocetPosunu = -1;
    int32_t pocetNeznamych = -1;
    int32_t pocetNadbytecnych = -1;
    int32_t pocetPodminek = -1;
    int32_t pocetVlakno = -1;
    bool jeFix = false;          // no datum conditions
    bool jeMerenaDelka = false;  // the network has scale
    Fixace typFixace = Fixace::Neurcena;
    bool probehloVylouceniOdlehlych = false;

    // ---- beyond the classic record ----
    // Reduced measurements left out by the last Nacist (see VynechaneMereni).
    std::vector<VynechaneMereni> vynechanaMereni;
    // The counts of the last Nacist when it failed for its redundancy.
    PoctyNacteni poctyNacteni;
    // Why the last operation failed, in English; empty after success.
    std::string chyba;
    // Called repeatedly while worker threads run (a window repaints itself).
    WaitHook cekani;
    // Kaskada in every run; a single method for comparisons and tests.
    Resic resic = Resic::Kaskada;
    // Configuration like `resic`: stays through Clear.
    SolverChoice solverChoice = SolverChoice::Auto;
    // The datum conditions of typFixace at the current coordinates (one row of
    // pocetNeznamych coefficients each) and the defect vectors they remove,
    // formed with the design matrix for the sparse path.
    Tmatrix datumConditions;
    Tmatrix datumVectors;
};

}  // namespace vertano
