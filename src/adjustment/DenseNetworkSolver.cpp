#include "adjustment/DenseNetworkSolver.h"

#include <cmath>
#include <new>

#include "adjustment/Tmodel2Vnitrni.h"

namespace vertano {

bool DenseNetworkSolver::Assemble(const NormalSystem& s) {
    if (s.weights == nullptr) return false;
    try {
        if (SestavitHuste(m_, *s.weights, s.reduced)) return true;
    } catch (const std::bad_alloc&) {
        m_.chyba = "Not enough memory for the dense normal equations";
    }
    if (m_.chyba.empty()) m_.chyba = "The normal equations could not be formed";
    m_.solverFailure = SolverFailure::Other;
    return false;
}

// A failed factorisation has overwritten the normal equations: they are formed
// again, with the same working weights, for the next method. A defect stops
// the cascade: the other methods would only hide it. LDL^T stops at an exactly
// zero pivot, which a network singular beyond its datum meets as well as the
// datum of a free one; the rank of N tells them apart before LU would replace
// the pivot and carry on.
bool DenseNetworkSolver::Kaskada(const NormalSystem& s) {
    switch (ReseniLDLT(m_)) {
        case VysledekLDLT::Vyreseno:
            return true;
        case VysledekLDLT::Defekt:
            return false;
        case VysledekLDLT::Selhani:
            if (!Assemble(s) || DefektHuste(m_)) return false;
            break;
        case VysledekLDLT::MalePivoty:
            break;
    }
    if (Assemble(s) && ReseniLU(m_)) return true;
    return m_.solverFailure != SolverFailure::Defect && Assemble(s) &&
           ReseniSvd(m_, m_.indexVlakna2, true, Singularita::Odmitnuta);
}

bool DenseNetworkSolver::Solve(const NormalSystem& s, Tvector& dx) {
    m_.solverFailure = SolverFailure::None;
    m_.defectUnknown = -1;
    bool ok = false;
    switch (m_.resic) {
        case Resic::LDLT:
            ok = ReseniLDLT(m_) == VysledekLDLT::Vyreseno;
            break;
        case Resic::LU:
            ok = ReseniLU(m_);
            break;
        case Resic::SVD:
            ok = ReseniSvd(m_, m_.indexVlakna2, true, Singularita::Odmitnuta);
            break;
        case Resic::Kaskada:
            ok = Kaskada(s);
            break;
    }
    if (!ok) {
        if (m_.solverFailure == SolverFailure::None) m_.solverFailure = SolverFailure::Other;
        return false;
    }
    if (&dx != &m_.vektorPrirustku) dx = m_.vektorPrirustku;
    return true;
}

bool DenseNetworkSolver::Cofactors(const NormalSystem&, Tvector& q) {
    m_.solverFailure = SolverFailure::None;
    m_.defectUnknown = -1;
    if (!m_.KovariancniMaticeCholeskyLU() && !m_.KovariancniMaticeSVD()) {
        if (m_.solverFailure == SolverFailure::None) m_.solverFailure = SolverFailure::Other;
        return false;
    }
    if (&q != &m_.vektorRedukovanychMereni) q = m_.vektorRedukovanychMereni;
    return true;
}

bool DenseNetworkSolver::Cofactor(int32_t i, int32_t j, Real& q) const {
    return CofactorOf(m_.maticeATPA, i, j, q);
}

bool DenseNetworkSolver::CofactorMatrix(int32_t n, Tmatrix& Q) const {
    return BlockOf(m_.maticeATPA, n, Q);
}

bool DenseNetworkSolver::CofactorOf(const Tmatrix& Q, int32_t i, int32_t j, Real& q) {
    if (i < 0 || j < 0 || static_cast<std::size_t>(i) >= Q.size() ||
        static_cast<std::size_t>(j) >= Q[static_cast<std::size_t>(i)].size()) {
        return false;
    }
    q = Q[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    return std::isfinite(q);
}

bool DenseNetworkSolver::BlockOf(const Tmatrix& N, int32_t n, Tmatrix& Q) {
    if (n < 0 || static_cast<std::size_t>(n) > N.size()) return false;
    try {
        Q.assign(static_cast<std::size_t>(n), Tvector());
        for (std::size_t i = 0; i < Q.size(); ++i) {
            if (N[i].size() < static_cast<std::size_t>(n)) return false;
            Q[i].assign(N[i].begin(), N[i].begin() + n);
        }
    } catch (const std::bad_alloc&) {
        Q.clear();
        return false;
    }
    return true;
}

}  // namespace vertano
