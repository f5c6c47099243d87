// The cofactors of the dense path: the inverse of the normal matrix by
// Cholesky (fixed networks) or of the bordered matrix by LU, else the
// pseudo-inverse, and the cofactors of the adjusted observations.

#include <cmath>
#include <new>

#include "adjustment/DenseNetworkSolver.h"
#include "matice/Cholesky.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Lu.h"
#include "matice/ParallelProducts.h"
#include "matice/Sparse.h"

namespace vertano {

namespace {

// The system of the cofactors is loaded: its design matrix has one row per
// unknown and the weights and q cover the observations.
bool JeNacteno(const NormalSystem& s, const Tvector& q) {
    return s.unknowns >= 1 && s.observations >= 0 && s.design != nullptr && s.weights != nullptr &&
           static_cast<int32_t>(s.weights->size()) >= s.observations &&
           static_cast<int32_t>(q.size()) >= s.observations &&
           static_cast<int32_t>(s.design->data.size()) == s.unknowns;
}

}  // namespace

bool DenseNetworkSolver::InverzeCholesky() {
    const int high = n_ - 1;
    VectorZero(pomocny_, high + 1);
    return CholeskyDecomposition(N_, pomocny_, high, threads_) &&
           TriangularInverse(N_, pomocny_, high, threads_) &&
           ThreadSoucinLDLT(N_, high, threads_, Hook());
}

// Columns of the inverse of the bordered matrix; its leading block replaces the
// leading block of the normal matrix.
bool DenseNetworkSolver::InverzeLU() {
    const int n = n_;
    const int high = n + d_ - 1;
    MatrixZero(uloziste1_, n, n);
    int threads = threads_;
    const TindexVector split = SplitInverseColumns(n, high + 1, threads);
    const bool ok = LUDecomposition(N_, high, lu_) &&
                    ThreadSoucinLDLT(uloziste1_, N_, lu_, d_, high, split, Hook()) &&
                    MatrixCopyBlock(N_, uloziste1_, n);
    MatrixFree(uloziste1_);
    TindexVector().swap(lu_);
    return ok;
}

bool DenseNetworkSolver::CofactorsCholeskyLU(const NormalSystem& s, Tvector& q) {
    if (!JeNacteno(s, q)) return false;
    try {
        const FpGuard guard;
        if (!Assemble(s)) return false;
        if (!(d_ == 0 ? InverzeCholesky() : InverzeLU()) || !guard.Ok()) return false;
        return KofaktoryPozorovani(*this, N_, n_, s, q);
    } catch (const std::bad_alloc&) {
        MatrixFree(uloziste1_);
        return false;
    }
}

bool DenseNetworkSolver::CofactorsSvd(const NormalSystem& s, Tvector& q) {
    if (!JeNacteno(s, q)) return false;
    try {
        if (!Assemble(s)) return false;
        if (!ReseniSvd(s, nullptr, Singularita::Odmitnuta)) return false;
        return KofaktoryPozorovani(*this, N_, n_, s, q);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DenseNetworkSolver::Cofactors(const NormalSystem& s, Tvector& q) {
    Begin(s);
    if (CofactorsCholeskyLU(s, q) || CofactorsSvd(s, q)) return true;
    if (failure_ == SolverFailure::None) failure_ = SolverFailure::Other;
    return false;
}

bool DenseNetworkSolver::CofactorsAgain(const NormalSystem& s, Tvector& q) {
    Begin(s);
    if (CofactorsSvd(s, q)) return true;
    if (failure_ == SolverFailure::None) failure_ = SolverFailure::Other;
    return false;
}

bool DenseNetworkSolver::Cofactor(int32_t i, int32_t j, Real& q) const {
    if (i < 0 || j < 0 || static_cast<std::size_t>(i) >= N_.size() ||
        static_cast<std::size_t>(j) >= N_[static_cast<std::size_t>(i)].size()) {
        return false;
    }
    q = N_[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    return std::isfinite(q);
}

bool DenseNetworkSolver::CofactorMatrix(int32_t n, Tmatrix& Q) const {
    if (n < 0 || static_cast<std::size_t>(n) > N_.size()) return false;
    try {
        Q.assign(static_cast<std::size_t>(n), Tvector());
        for (std::size_t i = 0; i < Q.size(); ++i) {
            if (N_[i].size() < static_cast<std::size_t>(n)) return false;
            Q[i].assign(N_[i].begin(), N_[i].begin() + n);
        }
    } catch (const std::bad_alloc&) {
        Q.clear();
        return false;
    }
    return true;
}

}  // namespace vertano
