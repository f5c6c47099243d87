// The network model's use of its solver: the normal system it hands over, the
// assembly, the solution and the cofactors, each one run of its solver owner
// (which lets the dense cascade take over from the sparse solver), and the
// failures in the model's words.

#include <algorithm>
#include <limits>
#include <new>
#include <string>

#include "adjustment/DenseNetworkSolver.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "matice/SparseNormalSolver.h"

namespace vertano {

NormalSystem SoustavaModelu(const TmodelSite& m, const Tvector& vahy, const Tvector* l) {
    const TmodelSiteStav& stav = Stav(m);
    NormalSystem s;
    s.design = &stav.maticePlanuSparse;
    s.weights = &vahy;
    s.reduced = l;
    s.unknowns = stav.pocetNeznamych;
    s.observations = stav.pocetMereni;
    s.conditions = &stav.datumConditions;
    s.datum = &stav.datumVectors;
    // Both counts are -1 before the model is loaded.
    s.pointUnknowns =
        std::max(0, std::min(stav.pocetSouradnicUrcovanych, stav.pocetNeznamych)) / 3 * 3;
    s.held = &stav.drzeneNezname;
    s.threads = std::max(stav.pocetVlakno, 1);
    s.wait = &stav.cekani;
    return s;
}

DenseNetworkSolver& HustyResic(TmodelSite& m) {
    // The owner makes only dense solvers of this type for the network.
    return static_cast<DenseNetworkSolver&>(m.Solver().Dense(Stav(m).resic));
}

namespace {

// The order of the dense matrix the cascade would need.
int64_t RadHuste(const TmodelSite& m) {
    const TmodelSiteStav& stav = Stav(m);
    // The dense cascade knows no held coordinates: with them no order is small
    // enough for it to take over.
    if (!stav.drzeneNezname.empty()) return std::numeric_limits<int64_t>::max();
    return static_cast<int64_t>(stav.pocetNeznamych) + stav.pocetPodminek;
}

// The failure of a solver as the model reports it.
void Ohlasit(TmodelSite& m, const NormalSolver& resic) {
    TmodelSiteStav& stav = Stav(m);
    m.Solver().SetFailure(resic.Failure(), resic.DefectUnknown());
    if (resic.DefectUnknown() >= 0) {
        stav.chyba = "The observations do not determine " + PopisNezname(m, resic.DefectUnknown()) +
                     (stav.pocetPodminek > 0
                          ? ": the normal equations are singular beyond the datum of the network"
                          : ": the normal equations are singular");
        return;
    }
    stav.chyba = resic.Error();
    if (resic.Failure() == SolverFailure::Unresolvable) {
        stav.chyba += " (the dense solver handles such a datum)";
    }
}

}  // namespace

bool TmodelSite::RidkaCesta() const {
    return resice_.SparsePath(solverChoice, resic);
}

bool SestavitNormalniRovnice(TmodelSite& m) {
    TmodelSiteStav& stav = Stav(m);
    DatumPodminky(m);
    if (m.RidkaCesta()) DatumVektory(m);
    const NormalSystem s = SoustavaModelu(m, stav.vektorUloziste, &stav.vektorRedukovanychMereni);
    SolverOwner& vlastnik = m.Solver();
    if (vlastnik.Run(stav.solverChoice, stav.resic, SolverStage::Assembly, RadHuste(m),
                     [&](NormalSolver& r) { return r.Assemble(s); }) == RunEnd::Done) {
        return true;
    }
    Ohlasit(m, *vlastnik.Current());
    return false;
}

bool TmodelSite::Vyrovnat() {
    resice_.SetFailure(SolverFailure::None, -1);
    const NormalSystem s = SoustavaModelu(*this, vektorUloziste, &vektorRedukovanychMereni);
    const RunEnd konec = resice_.Run(
        solverChoice, resic, SolverStage::Solution, RadHuste(*this),
        [&](NormalSolver& r) { return r.Solve(s, vektorPrirustku) && DokoncitReseni(*this, true); },
        // The dense solver that takes over forms its equations afresh.
        [&](NormalSolver&) { return Naplnit(); });
    if (konec == RunEnd::Done) return true;
    if (konec == RunEnd::NotPrepared) return false;
    Ohlasit(*this, *resice_.Current());
    if (resice_.Sparse() == nullptr && chyba.empty())
        chyba = "Error in solving the normal equations.";
    return false;
}

bool TmodelSite::VypocetKovariancniMatice() {
    resice_.SetFailure(SolverFailure::None, -1);
    // The conditions at the current coordinates; the defect vectors stay those
    // of the design matrix.
    DatumPodminky(*this);
    const NormalSystem s = SoustavaModelu(*this, diagonalaVah, nullptr);
    if (resice_.Run(
            solverChoice, resic, SolverStage::Cofactors, RadHuste(*this), [&](NormalSolver& r) {
                return r.Cofactors(s, vektorRedukovanychMereni) && KontrolaKovariancniMatice();
            }) == RunEnd::Done) {
        return true;
    }
    const NormalSolver& r = *resice_.Current();
    if (resice_.Sparse() != nullptr && r.Failure() == SolverFailure::None) {
        chyba = "The cofactor matrix failed its plausibility check";
        return false;
    }
    Ohlasit(*this, r);
    if (resice_.Sparse() == nullptr && r.Failure() != SolverFailure::Defect) {
        chyba = "The cofactor matrix could not be computed";
    }
    return false;
}

bool KofaktoryZnovu(TmodelSite& m) {
    TmodelSiteStav& stav = Stav(m);
    DatumPodminky(m);
    const NormalSystem s = SoustavaModelu(m, stav.diagonalaVah, nullptr);
    // The sparse solver has no second way: it gives way to the dense one,
    // where it may.
    return m.Solver().Run(stav.solverChoice, stav.resic, SolverStage::Cofactors, RadHuste(m),
                          [&](NormalSolver& r) {
                              return r.CofactorsAgain(s, stav.vektorRedukovanychMereni);
                          }) == RunEnd::Done;
}

bool TmodelSite::KovariancniMaticeCholeskyLU() {
    DatumPodminky(*this);
    return HustyResic(*this).CofactorsCholeskyLU(SoustavaModelu(*this, diagonalaVah, nullptr),
                                                 vektorRedukovanychMereni);
}

bool TmodelSite::KovariancniMaticeSVD() {
    DatumPodminky(*this);
    return HustyResic(*this).CofactorsSvd(SoustavaModelu(*this, diagonalaVah, nullptr),
                                          vektorRedukovanychMereni);
}

void TmodelSite::SetCofactors(Tmatrix Q) {
    HustyResic(*this).SetCofactors(std::move(Q));
}

bool TmodelSite::KontrolaKovariancniMatice() const {
    const NormalSolver* resic = resice_.Current();
    return resic != nullptr && KofaktoryVeMezich(*resic, pocetNeznamych, vektorRedukovanychMereni,
                                                 diagonalaVah, pocetMereni);
}

bool TmodelSite::Kofaktor(int32_t i, int32_t j, Real& q) const {
    if (i < 0 || j < 0 || i >= pocetNeznamych || j >= pocetNeznamych) return false;
    return resice_.Cofactor(i, j, q);
}

bool TmodelSite::KofaktoryBodu(int32_t bod, Tmatrix& B) const {
    if (bod < 0 || 3 * bod + 2 >= pocetSouradnicUrcovanych) return false;
    B.assign(3, Tvector(3, 0));
    for (int32_t i = 0; i < 3; ++i) {
        for (int32_t j = 0; j <= i; ++j) {
            Real q = 0;
            if (!Kofaktor(3 * bod + i, 3 * bod + j, q)) return false;
            B[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = q;
            B[static_cast<std::size_t>(j)][static_cast<std::size_t>(i)] = q;
        }
    }
    return true;
}

bool TmodelSite::KofaktorovaMatice(int32_t n, Tmatrix& Q) const {
    if (n < 0 || (pocetNeznamych >= 0 && n > pocetNeznamych)) return false;
    // A block that cannot fit is refused before it is touched: the system
    // would rather end the program than report a failed allocation.
    if (resice_.Sparse() != nullptr && !HustaSeVejde(n)) return false;
    return resice_.CofactorMatrix(n, Q);
}

bool TmodelSite::KofaktoroveSloupce(
    int32_t n, const std::function<bool(int32_t, const Tvector&)>& visit) const {
    if (n < 0 || (pocetNeznamych >= 0 && n > pocetNeznamych)) return false;
    if (const SparseNormalSolver* sparse = resice_.Sparse())
        return sparse->CofactorColumns(n, visit);
    Tmatrix Q;
    if (!resice_.CofactorMatrix(n, Q)) return false;
    Tvector sloupec(static_cast<std::size_t>(n), 0);
    for (int32_t j = 0; j < n; ++j) {
        for (int32_t i = 0; i < n; ++i)
            sloupec[static_cast<std::size_t>(i)] =
                Q[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
        if (!visit(j, sloupec)) return false;
    }
    return true;
}

}  // namespace vertano
