// Which solver of the normal equations the network model uses, the way from the
// sparse path to the dense cascade, and the cofactors either of them gives.

#include <unistd.h>

#include <algorithm>
#include <new>
#include <string>

#include "adjustment/DenseNetworkSolver.h"
#include "adjustment/Tmodel2.h"
#include "adjustment/Tmodel2Vnitrni.h"

namespace vertano {

namespace {

// The automatic choice hands a network to the dense cascade only up to this
// many unknowns: beyond it the dense factorisations take minutes, and their
// last fallback, the pseudo-inverse, hours.
constexpr int64_t kNejvetsiHustaZaloha = 6000;

NormalSystem Soustava(const Tmodel2& m, const Tvector& vahy, const Tvector* l) {
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
    s.held = &m.drzeneNezname;
    s.threads = std::max(m.pocetVlakno, 1);
    return s;
}

}  // namespace

bool PrevzitHuste(Tmodel2& m) {
    const int64_t u = static_cast<int64_t>(m.pocetNeznamych) + m.pocetPodminek;
    // The dense cascade knows no held coordinates.
    if (m.solverChoice != SolverChoice::Auto || u > kNejvetsiHustaZaloha || !HustaSeVejde(u) ||
        !m.drzeneNezname.empty()) {
        return false;
    }
    m.denseFallback = true;
    m.sparseCofactors = false;
    return true;
}

namespace {

// The failure of the sparse path as the model reports it.
bool SelhaniRidke(Tmodel2& m) {
    m.solverFailure = m.sparse.Failure();
    m.defectUnknown = m.sparse.DefectUnknown();
    if (m.defectUnknown >= 0) {
        m.chyba = "The observations do not determine " + PopisNezname(m, m.defectUnknown) +
                  (m.pocetPodminek > 0
                       ? ": the normal equations are singular beyond the datum of the network"
                       : ": the normal equations are singular");
    } else {
        m.chyba = m.sparse.Error();
        if (m.sparse.Failure() == SolverFailure::Unresolvable) {
            m.chyba += " (the dense solver handles such a datum)";
        }
    }
    return false;
}

}  // namespace

bool HustaSeVejde(int64_t u) {
    if (u < 0) return false;
    const long stranky = sysconf(_SC_PHYS_PAGES);
    const long velikost = sysconf(_SC_PAGE_SIZE);
    // The bordered matrix, and the two work matrices of the pseudo-inverse.
    const long double potreba = 3.0L * static_cast<long double>(u) * static_cast<long double>(u) *
                                static_cast<long double>(sizeof(Real));
    if (stranky <= 0 || velikost <= 0) return potreba <= 1e9L;
    return potreba <= 0.5L * static_cast<long double>(stranky) * static_cast<long double>(velikost);
}

bool Tmodel2::RidkaCesta() const {
    return solverChoice != SolverChoice::Dense && resic == Resic::Kaskada && !denseFallback;
}

bool SestavitNormalniRovnice(Tmodel2& m) {
    m.sparseCofactors = false;
    if (m.RidkaCesta()) {
        DatumPodminky(m);
        DatumVektory(m);
        if (m.sparse.Assemble(Soustava(m, m.vektorUloziste, &m.vektorRedukovanychMereni))) {
            return true;
        }
        if (m.sparse.Failure() != SolverFailure::Unresolvable || !PrevzitHuste(m)) {
            return SelhaniRidke(m);
        }
    }
    DenseNetworkSolver dense(m);
    return dense.Assemble(Soustava(m, m.vektorUloziste, &m.vektorRedukovanychMereni));
}

bool Tmodel2::Vyrovnat() {
    solverFailure = SolverFailure::None;
    defectUnknown = -1;
    if (RidkaCesta()) {
        const NormalSystem s = Soustava(*this, vektorUloziste, &vektorRedukovanychMereni);
        if (sparse.Solve(s, vektorPrirustku) && DokoncitReseni(*this, true)) return true;
        // A defect is the network's, not the solver's: the dense cascade would
        // find it as well.
        if (sparse.Failure() == SolverFailure::Defect || !PrevzitHuste(*this)) {
            return SelhaniRidke(*this);
        }
        if (!Naplnit()) return false;
    }
    DenseNetworkSolver dense(*this);
    if (dense.Solve(Soustava(*this, vektorUloziste, &vektorRedukovanychMereni), vektorPrirustku) &&
        DokoncitReseni(*this, true)) {
        return true;
    }
    if (chyba.empty()) chyba = "Error in solving the normal equations.";
    return false;
}

bool Tmodel2::VypocetKovariancniMatice() {
    sparseCofactors = false;
    solverFailure = SolverFailure::None;
    defectUnknown = -1;
    if (RidkaCesta()) {
        // The conditions at the current coordinates, as the dense path borders
        // its matrix; the defect vectors stay those of the design matrix.
        DatumPodminky(*this);
        if (sparse.Cofactors(Soustava(*this, diagonalaVah, nullptr), vektorRedukovanychMereni)) {
            sparseCofactors = true;
            if (KontrolaKovariancniMatice()) return true;
            sparseCofactors = false;
        }
        if (sparse.Failure() == SolverFailure::Defect || !PrevzitHuste(*this)) {
            if (sparse.Failure() == SolverFailure::None) {
                chyba = "The cofactor matrix failed its plausibility check";
                return false;
            }
            return SelhaniRidke(*this);
        }
    }
    DenseNetworkSolver dense(*this);
    if (dense.Cofactors(Soustava(*this, diagonalaVah, nullptr), vektorRedukovanychMereni)) {
        return true;
    }
    if (solverFailure != SolverFailure::Defect) chyba = "The cofactor matrix could not be computed";
    return false;
}

bool Tmodel2::Kofaktor(int32_t i, int32_t j, Real& q) const {
    if (i < 0 || j < 0 || i >= pocetNeznamych || j >= pocetNeznamych) return false;
    if (sparseCofactors) return sparse.Cofactor(i, j, q);
    return DenseNetworkSolver::CofactorOf(maticeATPA, i, j, q);
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
    if (sparseCofactors) return HustaSeVejde(n) && sparse.CofactorMatrix(n, Q);
    return DenseNetworkSolver::BlockOf(maticeATPA, n, Q);
}

}  // namespace vertano
