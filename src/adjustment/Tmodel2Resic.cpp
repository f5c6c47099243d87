// The network model's use of its solver: the normal system it hands over, the
// solution and the cofactors on the path of the load (the sparse solver
// giving way to the dense cascade where SolverOwner::GiveWay allows), and the
// failures in the model's words.

#include <algorithm>
#include <new>
#include <string>

#include "adjustment/DenseNetworkSolver.h"
#include "adjustment/Tmodel2.h"
#include "adjustment/Tmodel2Vnitrni.h"

namespace vertano {

NormalSystem SoustavaModelu(const Tmodel2& m, const Tvector& vahy, const Tvector* l) {
    NormalSystem s;
    s.design = &m.maticePlanuSparse;
    s.weights = &vahy;
    s.reduced = l;
    s.unknowns = m.pocetNeznamych;
    s.observations = m.pocetMereni;
    s.conditions = &m.datumConditions;
    s.datum = &m.datumVectors;
    // Both counts are -1 before the model is loaded.
    s.pointUnknowns = std::max(0, std::min(m.pocetSouradnicUrcovanych, m.pocetNeznamych)) / 3 * 3;
    s.threads = std::max(m.pocetVlakno, 1);
    s.wait = &m.cekani;
    return s;
}

DenseNetworkSolver& HustyResic(Tmodel2& m) {
    // The owner makes only dense solvers of this type for the network.
    return static_cast<DenseNetworkSolver&>(m.Solver().Dense(m.resic));
}

namespace {

// The order of the dense matrix the cascade would need.
int64_t RadHuste(const Tmodel2& m) {
    return static_cast<int64_t>(m.pocetNeznamych) + m.pocetPodminek;
}

// The failure of a solver as the model reports it.
void Ohlasit(Tmodel2& m, const NormalSolver& resic) {
    m.Solver().SetFailure(resic.Failure(), resic.DefectUnknown());
    if (resic.DefectUnknown() >= 0) {
        m.chyba = "The observations do not determine " + PopisNezname(m, resic.DefectUnknown()) +
                  (m.pocetPodminek > 0
                       ? ": the normal equations are singular beyond the datum of the network"
                       : ": the normal equations are singular");
        return;
    }
    m.chyba = resic.Error();
    if (resic.Failure() == SolverFailure::Unresolvable) {
        m.chyba += " (the dense solver handles such a datum)";
    }
}

}  // namespace

bool Tmodel2::RidkaCesta() const {
    return resice_.SparsePath(solverChoice, resic);
}

bool SestavitNormalniRovnice(Tmodel2& m) {
    const bool ridka = m.RidkaCesta();
    DatumPodminky(m);
    if (ridka) DatumVektory(m);
    const NormalSystem s = SoustavaModelu(m, m.vektorUloziste, &m.vektorRedukovanychMereni);
    NormalSolver& resic = m.Solver().Use(m.solverChoice, m.resic);
    if (resic.Assemble(s)) return true;
    if (!ridka || !m.Solver().GiveWay(m.solverChoice, resic.Failure(), SolverStage::Assembly,
                                      RadHuste(m))) {
        Ohlasit(m, resic);
        return false;
    }
    NormalSolver& husty = m.Solver().Use(m.solverChoice, m.resic);
    if (husty.Assemble(s)) return true;
    Ohlasit(m, husty);
    return false;
}

bool Tmodel2::Vyrovnat() {
    resice_.SetFailure(SolverFailure::None, -1);
    const NormalSystem s = SoustavaModelu(*this, vektorUloziste, &vektorRedukovanychMereni);
    if (RidkaCesta()) {
        NormalSolver& ridky = resice_.Use(solverChoice, resic);
        if (ridky.Solve(s, vektorPrirustku) && DokoncitReseni(*this, true)) return true;
        if (!resice_.GiveWay(solverChoice, ridky.Failure(), SolverStage::Solution,
                             RadHuste(*this))) {
            Ohlasit(*this, ridky);
            return false;
        }
        if (!Naplnit()) return false;
    }
    NormalSolver& husty = resice_.Use(solverChoice, resic);
    if (husty.Solve(s, vektorPrirustku) && DokoncitReseni(*this, true)) return true;
    Ohlasit(*this, husty);
    if (chyba.empty()) chyba = "Error in solving the normal equations.";
    return false;
}

bool Tmodel2::VypocetKovariancniMatice() {
    resice_.SetFailure(SolverFailure::None, -1);
    // The conditions at the current coordinates; the defect vectors stay those
    // of the design matrix.
    DatumPodminky(*this);
    const NormalSystem s = SoustavaModelu(*this, diagonalaVah, nullptr);
    if (RidkaCesta()) {
        NormalSolver& ridky = resice_.Use(solverChoice, resic);
        if (ridky.Cofactors(s, vektorRedukovanychMereni) && KontrolaKovariancniMatice()) {
            return true;
        }
        if (!resice_.GiveWay(solverChoice, ridky.Failure(), SolverStage::Cofactors,
                             RadHuste(*this))) {
            if (ridky.Failure() == SolverFailure::None) {
                chyba = "The cofactor matrix failed its plausibility check";
                return false;
            }
            Ohlasit(*this, ridky);
            return false;
        }
    }
    NormalSolver& husty = resice_.Use(solverChoice, resic);
    if (husty.Cofactors(s, vektorRedukovanychMereni)) return true;
    Ohlasit(*this, husty);
    if (husty.Failure() != SolverFailure::Defect) chyba = "The cofactor matrix could not be computed";
    return false;
}

bool Tmodel2::KovariancniMaticeCholeskyLU() {
    DatumPodminky(*this);
    return HustyResic(*this).CofactorsCholeskyLU(SoustavaModelu(*this, diagonalaVah, nullptr),
                                                 vektorRedukovanychMereni);
}

bool Tmodel2::KovariancniMaticeSVD() {
    DatumPodminky(*this);
    return HustyResic(*this).CofactorsSvd(SoustavaModelu(*this, diagonalaVah, nullptr),
                                          vektorRedukovanychMereni);
}

void Tmodel2::SetCofactors(Tmatrix Q) {
    HustyResic(*this).SetCofactors(std::move(Q));
}

bool Tmodel2::KontrolaKovariancniMatice() const {
    const NormalSolver* resic = resice_.Current();
    return resic != nullptr && KofaktoryVeMezich(*resic, pocetNeznamych, vektorRedukovanychMereni,
                                                 diagonalaVah, pocetMereni);
}

bool Tmodel2::Kofaktor(int32_t i, int32_t j, Real& q) const {
    if (i < 0 || j < 0 || i >= pocetNeznamych || j >= pocetNeznamych) return false;
    return resice_.Cofactor(i, j, q);
}

bool Tmodel2::KofaktoryBodu(int32_t bod, Tmatrix& B) const {
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

bool Tmodel2::KofaktorovaMatice(int32_t n, Tmatrix& Q) const {
    if (n < 0 || (pocetNeznamych >= 0 && n > pocetNeznamych)) return false;
    // A block that cannot fit is refused before it is touched: the system
    // would rather end the program than report a failed allocation.
    if (resice_.Sparse() != nullptr && !HustaSeVejde(n)) return false;
    return resice_.CofactorMatrix(n, Q);
}

}  // namespace vertano
