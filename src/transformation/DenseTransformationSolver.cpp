// The dense normal equations of the transformation key: their assembly, the
// three methods and their cascade, and the cofactors.

#include "transformation/DenseTransformationSolver.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <utility>

#include "matice/Cholesky.h"
#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Ldlt.h"
#include "matice/Lu.h"
#include "matice/Sparse.h"
#include "matice/Svd.h"
#include "transformation/TmodelTransformaceVnitrni.h"

namespace vertano {

namespace {

// Below this pivot of the normal matrix scaled to a unit diagonal the key is not
// determined by the observations left (a rank defect, up to rounding).
constexpr Real kMezRegularity = 1e-12L;

// Whether the normal matrix scaled to a unit diagonal has only pivots clearly
// above zero: a key that the observations do not fix must not be solved for.
bool JeRegularni(const Tmatrix& N, int32_t n) {
    const FpGuard guard;
    const auto u = static_cast<std::size_t>(n);
    Tvector s(u);
    for (std::size_t i = 0; i < u; ++i) {
        const Real d = N[i][i];
        if (!(d > 0) || !std::isfinite(d)) return false;
        s[i] = 1 / std::sqrt(d);
    }
    Tmatrix K(u, Tvector(u));
    for (std::size_t i = 0; i < u; ++i) {
        for (std::size_t j = 0; j < u; ++j) K[i][j] = s[i] * N[i][j] * s[j];
    }
    Tvector d;
    if (!LDLTDecomposition(K, d, n - 1) || !guard.Ok()) return false;
    return std::all_of(d.begin(), d.begin() + n, [](Real p) { return p > kMezRegularity; });
}

bool Konecne(const Tvector& dx, int32_t n) {
    return dx.size() >= static_cast<std::size_t>(n) &&
           std::all_of(dx.begin(), dx.begin() + n, [](Real x) { return std::isfinite(x); });
}

}  // namespace

bool DenseTransformationSolver::Assemble(const NormalSystem& s) {
    failure_ = SolverFailure::Other;
    error_.clear();
    if (s.design == nullptr || s.weights == nullptr || s.unknowns < 1) return false;
    const Tsparse& A = *s.design;
    const Tvector& p = *s.weights;
    const Tvector* l = s.reduced;
    const auto n = static_cast<std::size_t>(s.unknowns);
    const auto pocet = static_cast<std::size_t>(std::max(s.observations, 0));
    if (A.data.size() != n || A.index.size() != n || p.size() < pocet ||
        (l != nullptr && l->size() < pocet)) {
        return false;
    }
    // Every column index must address an observation: the products below read
    // the weights and l through it.
    for (std::size_t i = 0; i < n; ++i) {
        if (A.index[i].size() != A.data[i].size()) return false;
        for (const int32_t c : A.index[i]) {
            if (c < 0 || static_cast<std::size_t>(c) >= pocet) return false;
        }
    }
    try {
        const FpGuard guard;
        n_ = s.unknowns;
        MatrixZero(N_, n_, n_);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = i; j < n; ++j) {
                const Real v = SparseRowDotWeighted(A, p, static_cast<int>(i), static_cast<int>(j));
                N_[i][j] = v;
                N_[j][i] = v;
            }
        }
        if (l != nullptr) {
            VectorZero(b_, n_);
            for (std::size_t i = 0; i < n; ++i) {
                Real v = 0;
                for (std::size_t k = 0; k < A.data[i].size(); ++k) {
                    const auto c = static_cast<std::size_t>(A.index[i][k]);
                    v += A.data[i][k] * (*l)[c] * p[c];
                }
                b_[i] = v;
            }
        }
        if (!guard.Ok()) return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    failure_ = SolverFailure::None;
    return true;
}

bool DenseTransformationSolver::Ldlt(Tvector& dx) {
    const int high = n_ - 1;
    const FpGuard guard;
    VectorZero(pomocny_, n_);
    return LDLTDecomposition(N_, pomocny_, high) && LDLTSolve(dx, N_, pomocny_, high, b_) &&
           guard.Ok() && Konecne(dx, n_);
}

bool DenseTransformationSolver::Lu(Tvector& dx) {
    const int high = n_ - 1;
    const FpGuard guard;
    if (!LUDecomposition(N_, high, lu_) || !LUBackSubstitution(N_, high, lu_, b_) || !guard.Ok()) {
        return false;
    }
    VectorCopy(b_, dx);
    return Konecne(dx, n_);
}

bool DenseTransformationSolver::Svd(Tvector& dx) {
    Tmatrix Q;
    if (!PseudoInverze(N_, Q)) return false;
    const FpGuard guard;
    const auto n = static_cast<std::size_t>(n_);
    if (dx.size() < n) dx.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        Real sum = 0;
        for (std::size_t j = 0; j < n; ++j) sum += Q[i][j] * b_[j];
        dx[i] = sum;
    }
    return guard.Ok() && Konecne(dx, n_);
}

// A normal matrix that is singular (the remaining coordinates do not determine
// the key) fails: a pseudo-inverse would give a key nobody measured. Each
// method works on the normal matrix in place: a failed attempt leaves it
// factored, so the next one gets it afresh.
bool DenseTransformationSolver::Solve(const NormalSystem& s, Tvector& dx) {
    failure_ = SolverFailure::None;
    error_.clear();
    if (n_ < 1 || static_cast<int32_t>(N_.size()) < n_ || static_cast<int32_t>(b_.size()) < n_) {
        failure_ = SolverFailure::Other;
        return false;
    }
    if (!JeRegularni(N_, n_)) {
        failure_ = SolverFailure::Defect;
        error_ = kNeurcenyKlic;
        return false;
    }
    bool ok = false;
    try {
        switch (method_) {
            case Resic::LDLT:
                ok = Ldlt(dx);
                break;
            case Resic::LU:
                ok = Lu(dx);
                break;
            case Resic::SVD:
                ok = Svd(dx);
                break;
            case Resic::Kaskada:
                ok = Ldlt(dx) || (Assemble(s) && Lu(dx)) || (Assemble(s) && Svd(dx));
                if (!ok) error_ = "The normal equations of the transformation cannot be solved";
                break;
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    if (!ok) failure_ = SolverFailure::Other;
    return ok;
}

bool DenseTransformationSolver::PseudoInverze(const Tmatrix& N, Tmatrix& Q) {
    const auto n = static_cast<std::size_t>(n_);
    bool ok = false;
    try {
        const FpGuard guard;
        // Scaled symmetrically, so that the rotation (cofactors of the order of
        // the squared distances) and the translations do not spread the singular
        // values beyond the cut-off of the small ones.
        Tvector s(n, 1);
        for (std::size_t i = 0; i < n; ++i) {
            if (N[i][i] > 0 && std::isfinite(N[i][i])) s[i] = 1 / std::sqrt(N[i][i]);
        }
        uloziste1_.assign(n, Tvector(n));
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) uloziste1_[i][j] = s[i] * N[i][j] * s[j];
        }
        MatrixZero(uloziste2_, n_, n_);
        VectorZero(pomocny_, n_);
        ok =
            SVDecomposition(uloziste1_, pomocny_, uloziste2_) && InvertSingularValues(pomocny_, n_);
        if (ok) {
            // N+ = V diag(1/w) U^T, scaled back.
            Tmatrix P(n, Tvector(n));
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j < n; ++j) {
                    Real sum = 0;
                    for (std::size_t k = 0; k < n; ++k) {
                        sum += uloziste2_[i][k] * pomocny_[k] * uloziste1_[j][k];
                    }
                    P[i][j] = s[i] * sum * s[j];
                }
            }
            Q = std::move(P);
        }
        ok = ok && guard.Ok();
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    MatrixFree(uloziste1_);
    MatrixFree(uloziste2_);
    return ok;
}

bool DenseTransformationSolver::CofactorsCholesky(const NormalSystem& s, Tvector& q) {
    try {
        const FpGuard guard;
        if (!Assemble(s)) return false;
        const int high = n_ - 1;
        VectorZero(pomocny_, n_);
        if (!CholeskyDecomposition(N_, pomocny_, high) || !TriangularInverse(N_, pomocny_, high) ||
            !InverseFromTriangular(N_, high, 0, high) || !guard.Ok()) {
            return false;
        }
        return KofaktoryPozorovani(*this, N_, n_, s, q);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DenseTransformationSolver::CofactorsSvd(const NormalSystem& s, Tvector& q) {
    try {
        if (!Assemble(s)) return false;
        Tmatrix Q;
        if (!PseudoInverze(N_, Q)) return false;
        N_ = std::move(Q);
        return KofaktoryPozorovani(*this, N_, n_, s, q);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool DenseTransformationSolver::Cofactors(const NormalSystem& s, Tvector& q) {
    if (CofactorsCholesky(s, q) || CofactorsSvd(s, q)) return true;
    failure_ = SolverFailure::Other;
    return false;
}

bool DenseTransformationSolver::Cofactor(int32_t i, int32_t j, Real& q) const {
    if (i < 0 || j < 0 || i >= n_ || j >= n_ || static_cast<int32_t>(N_.size()) < n_ ||
        static_cast<int32_t>(N_[static_cast<std::size_t>(i)].size()) <= j) {
        return false;
    }
    q = N_[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
    return std::isfinite(q);
}

bool DenseTransformationSolver::CofactorMatrix(int32_t n, Tmatrix& Q) const {
    if (n < 0 || n > n_ || static_cast<int32_t>(N_.size()) < n) return false;
    Q.assign(static_cast<std::size_t>(n), Tvector());
    for (std::size_t i = 0; i < Q.size(); ++i) {
        if (N_[i].size() < static_cast<std::size_t>(n)) return false;
        Q[i].assign(N_[i].begin(), N_[i].begin() + n);
    }
    return true;
}

}  // namespace vertano
