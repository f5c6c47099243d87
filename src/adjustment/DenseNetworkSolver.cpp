// The dense normal equations of the network: their assembly and bordering by
// the datum conditions, LDL^T, LU and the pseudo-inverse, and the cascade
// between them.

#include "adjustment/DenseNetworkSolver.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "matice/DenseHelpers.h"
#include "matice/FpGuard.h"
#include "matice/Konstanty.h"
#include "matice/Ldlt.h"
#include "matice/Lu.h"
#include "matice/ParallelProducts.h"
#include "matice/Svd.h"

namespace vertano {

namespace {

constexpr const char* kNesestaveno = "The normal equations could not be formed";
constexpr const char* kZaDatem =
    "The normal equations are singular beyond the datum of the network";

bool KonecnePrirustky(const Tvector& dx, int32_t n) {
    return dx.size() >= static_cast<std::size_t>(n) &&
           std::all_of(dx.begin(), dx.begin() + n, [](Real x) { return std::isfinite(x); });
}

// Symmetric scaling of the bordered normal matrix: each unknown by the root of
// its diagonal element, each condition row by its largest scaled coefficient.
// Weights of 1e10 beside condition coefficients of 1 spread the singular values
// of the bordered matrix so far that the cut-off of the small ones would drop
// true ones and the pseudo-inverse would no longer be the inverse (a free
// network's cofactors came out several per cent wrong). The inverse of the
// scaled matrix, scaled back, is the same inverse; for a singular matrix it is
// still a generalised inverse.
Tvector Meritka(const Tmatrix& K, int n, int u) {
    Tvector s(static_cast<std::size_t>(u), 1);
    for (int i = 0; i < n; ++i) {
        const Real d = std::fabs(K[static_cast<std::size_t>(i)][static_cast<std::size_t>(i)]);
        if (d > 0 && std::isfinite(d)) s[static_cast<std::size_t>(i)] = 1 / std::sqrt(d);
    }
    for (int r = n; r < u; ++r) {
        Real nejvetsi = 0;
        for (int j = 0; j < n; ++j) {
            nejvetsi = std::max(
                nejvetsi, std::fabs(K[static_cast<std::size_t>(r)][static_cast<std::size_t>(j)] *
                                    s[static_cast<std::size_t>(j)]));
        }
        if (nejvetsi > 0 && std::isfinite(nejvetsi)) s[static_cast<std::size_t>(r)] = 1 / nejvetsi;
    }
    return s;
}

}  // namespace

void DenseNetworkSolver::Begin(const NormalSystem& s) {
    wait_ = s.wait;
    failure_ = SolverFailure::None;
    defect_ = -1;
    error_.clear();
}

const WaitHook& DenseNetworkSolver::Hook() const {
    static const WaitHook kZadny;
    return wait_ != nullptr ? *wait_ : kZadny;
}

bool DenseNetworkSolver::Fail(SolverFailure failure, const std::string& text) {
    failure_ = failure;
    if (error_.empty()) error_ = text;
    return false;
}

// The sizes every method relies on, checked once so that a solver that holds
// no system fails instead of indexing outside its storage.
bool DenseNetworkSolver::Formed() const {
    const int32_t u = n_ + d_;
    if (n_ < 1 || d_ < 0) return false;
    if (static_cast<int32_t>(N_.size()) < u || static_cast<int32_t>(b_.size()) < u) return false;
    return std::all_of(N_.begin(), N_.begin() + u,
                       [u](const Tvector& r) { return static_cast<int32_t>(r.size()) >= u; });
}

bool DenseNetworkSolver::Assemble(const NormalSystem& s) {
    Begin(s);
    if (s.design == nullptr || s.weights == nullptr || s.unknowns < 1) {
        return Fail(SolverFailure::Other, kNesestaveno);
    }
    const int32_t n = s.unknowns;
    const int32_t d = s.DatumCount();
    const int32_t u = n + d;
    try {
        if (!HustaSeVejde(u)) {
            return Fail(SolverFailure::Other, "The dense normal matrix of " + std::to_string(u) +
                                                  " unknowns does not fit in the memory of this "
                                                  "computer");
        }
        n_ = n;
        d_ = d;
        threads_ = s.threads;
        splitTriangular_ = SplitTriangular(n, threads_);
        splitEven_ = SplitEven(n, threads_);
        // Every iteration forms a matrix of the same shape: it is emptied, not
        // allocated again.
        bool tvar = static_cast<int32_t>(N_.size()) == u;
        for (std::size_t i = 0; tvar && i < N_.size(); ++i) {
            tvar = static_cast<int32_t>(N_[i].size()) == u;
        }
        if (tvar) {
            for (Tvector& radek : N_) std::fill(radek.begin(), radek.end(), Real{0});
        } else {
            MatrixZero(N_, u, u);
        }
        VectorZero(b_, u);
        const bool ok =
            s.reduced != nullptr
                ? ThreadNaplnitATPA_ATPL(N_, b_, *s.design, *s.weights, *s.reduced, n,
                                         splitTriangular_, Hook())
                : ThreadNaplnitATPA(N_, *s.design, *s.weights, n, splitTriangular_, Hook());
        if (!ok || !Border(s)) return Fail(SolverFailure::Other, kNesestaveno);
    } catch (const std::bad_alloc&) {
        return Fail(SolverFailure::Other, "Not enough memory for the dense normal equations");
    }
    return true;
}

// The datum conditions into the rows and columns n.. of the normal matrix
// (bordering it symmetrically), and 0 into their right-hand side.
bool DenseNetworkSolver::Border(const NormalSystem& s) {
    const int32_t u = n_ + d_;
    for (int32_t r = 0; r < d_; ++r) {
        const Tvector& c = (*s.conditions)[static_cast<std::size_t>(r)];
        Tvector& radek = N_[static_cast<std::size_t>(n_ + r)];
        if (static_cast<int32_t>(c.size()) < n_ || static_cast<int32_t>(radek.size()) < u) {
            return false;
        }
        std::fill(radek.begin(), radek.end(), Real{0});
        for (int32_t j = 0; j < n_; ++j) {
            radek[static_cast<std::size_t>(j)] = c[static_cast<std::size_t>(j)];
            N_[static_cast<std::size_t>(j)][static_cast<std::size_t>(n_ + r)] =
                c[static_cast<std::size_t>(j)];
        }
        b_[static_cast<std::size_t>(n_ + r)] = 0;
    }
    return true;
}

bool DenseNetworkSolver::Form(Tmatrix N, Tvector b, int32_t n, int32_t d) {
    N_ = std::move(N);
    b_ = std::move(b);
    n_ = n;
    d_ = d;
    threads_ = 1;
    splitTriangular_ = TindexVector{0, std::max(n, 0)};
    splitEven_ = splitTriangular_;
    failure_ = SolverFailure::None;
    defect_ = -1;
    error_.clear();
    return Formed();
}

void DenseNetworkSolver::SetCofactors(Tmatrix Q) {
    N_ = std::move(Q);
    n_ = static_cast<int32_t>(N_.size());
    d_ = 0;
}

// More unknowns depending on the ones before them than datum conditions: the
// network is singular beyond its datum. Without conditions the first of them
// is named; with them it may be one of the datum's own.
bool DenseNetworkSolver::OhlasitDefekt(const std::vector<int32_t>& zavisle) {
    if (static_cast<int32_t>(zavisle.size()) <= d_) return false;
    failure_ = SolverFailure::Defect;
    defect_ = d_ == 0 ? zavisle.front() : -1;
    error_ = d_ == 0 ? "" : kZaDatem;
    return true;
}

// The rank of the unknowns' block of the formed matrix (which it destroys) by
// the semidefinite LDL^T: true, with the defect reported as by ReseniLDLT,
// when more unknowns depend on others than there are conditions.
bool DenseNetworkSolver::DefektHuste(const NormalSystem& s) {
    wait_ = s.wait;
    if (!Formed()) return false;
    try {
        std::vector<int32_t> zavisle;
        return SemidefiniteLDLT(N_, pomocny_, n_ - 1, threads_, zavisle) && OhlasitDefekt(zavisle);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

DenseNetworkSolver::VysledekLDLT DenseNetworkSolver::ReseniLDLT(const NormalSystem& s,
                                                                Tvector& dx) {
    wait_ = s.wait;
    if (!Formed()) return VysledekLDLT::Selhani;
    const int n = n_;
    const int high = n_ + d_ - 1;
    try {
        Tvector diagonala(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) diagonala[i] = N_[i][i];
        const FpGuard guard;
        // D goes to scratch storage of its own: the working weights must survive
        // a factorisation that fails half way.
        VectorZero(pomocny_, high + 1);
        if (!LDLTDecomposition(N_, pomocny_, high, threads_)) return VysledekLDLT::Selhani;
        // The unknowns' block comes first and is eliminated as if alone.
        std::vector<int32_t> male;
        for (int i = 0; i < n; ++i) {
            if (!(pomocny_[i] > kRelativePivot * diagonala[i])) male.push_back(i);
        }
        if (OhlasitDefekt(male)) return VysledekLDLT::Defekt;
        if (!male.empty()) return VysledekLDLT::MalePivoty;
        if (!LDLTSolve(dx, N_, pomocny_, high, b_) || !guard.Ok()) return VysledekLDLT::Selhani;
    } catch (const std::bad_alloc&) {
        return VysledekLDLT::Selhani;
    }
    return KonecnePrirustky(dx, n_) ? VysledekLDLT::Vyreseno : VysledekLDLT::Selhani;
}

bool DenseNetworkSolver::ReseniLU(const NormalSystem& s, Tvector& dx) {
    wait_ = s.wait;
    if (!Formed()) return false;
    const int high = n_ + d_ - 1;
    try {
        const FpGuard guard;
        if (!LUDecomposition(N_, high, lu_) || !LUBackSubstitution(N_, high, lu_, b_) ||
            !guard.Ok()) {
            return false;
        }
        VectorCopy(b_, dx);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return KonecnePrirustky(dx, n_);
}

bool DenseNetworkSolver::ReseniSvd(const NormalSystem& s, Tvector* dx, Singularita singularita) {
    wait_ = s.wait;
    const TindexVector& split = splitEven_;
    if (!Formed() || split.size() < 2 || split.front() < 0 || split.back() > n_) return false;
    const int n = n_;
    const int u = n_ + d_;
    bool ok = false;
    try {
        const FpGuard guard;
        const Tvector sk = Meritka(N_, n, u);
        // U is the scaled copy of the normal matrix, which then receives the rows
        // of the pseudo-inverse; the singular values go to scratch, never to the
        // working weights.
        MatrixFree(uloziste1_);
        uloziste1_.assign(static_cast<std::size_t>(u), Tvector(static_cast<std::size_t>(u)));
        for (int i = 0; i < u; ++i) {
            for (int j = 0; j < u; ++j) {
                uloziste1_[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                    sk[static_cast<std::size_t>(i)] *
                    N_[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] *
                    sk[static_cast<std::size_t>(j)];
            }
        }
        MatrixZero(uloziste2_, u, u);
        VectorZero(pomocny_, u);
        ok = SVDecomposition(uloziste1_, pomocny_, uloziste2_, threads_) &&
             InvertSingularValues(pomocny_, u);
        // The bordered matrix of a network whose conditions remove its whole
        // defect is regular: a singular value cut off as zero is a defect
        // beyond the datum, and its pseudo-inverse no solution to report.
        if (ok && singularita == Singularita::Odmitnuta &&
            std::any_of(pomocny_.begin(), pomocny_.begin() + u, [](Real w) { return w == 0; })) {
            error_ = kZaDatem;
            failure_ = SolverFailure::Defect;
            ok = false;
        }
        if (ok && dx != nullptr) {
            Tvector b(static_cast<std::size_t>(u));
            for (int i = 0; i < u; ++i) {
                b[static_cast<std::size_t>(i)] =
                    sk[static_cast<std::size_t>(i)] * b_[static_cast<std::size_t>(i)];
            }
            if (static_cast<int>(dx->size()) < u) dx->resize(u);
            ok =
                ThreadSoucinSVD(N_, uloziste2_, uloziste1_, pomocny_, u - 1, *dx, b, split, Hook());
        } else if (ok) {
            ok = ThreadSoucinSVD(N_, uloziste2_, uloziste1_, pomocny_, u - 1, split, Hook());
        }
        for (int i = split.front(); ok && i < split.back(); ++i) {
            Tvector& radek = N_[static_cast<std::size_t>(i)];
            for (int j = 0; j < u; ++j) {
                radek[static_cast<std::size_t>(j)] *=
                    sk[static_cast<std::size_t>(i)] * sk[static_cast<std::size_t>(j)];
            }
            if (dx != nullptr)
                (*dx)[static_cast<std::size_t>(i)] *= sk[static_cast<std::size_t>(i)];
        }
        ok = ok && guard.Ok();
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    MatrixFree(uloziste1_);
    MatrixFree(uloziste2_);
    return ok;
}

// A failed factorisation has overwritten the normal equations: they are formed
// again, with the same working weights, for the next method. A defect stops
// the cascade: the other methods would only hide it. LDL^T stops at an exactly
// zero pivot, which a network singular beyond its datum meets as well as the
// datum of a free one; the rank of N tells them apart before LU would replace
// the pivot and carry on.
bool DenseNetworkSolver::Kaskada(const NormalSystem& s, Tvector& dx) {
    switch (ReseniLDLT(s, dx)) {
        case VysledekLDLT::Vyreseno:
            return true;
        case VysledekLDLT::Defekt:
            return false;
        case VysledekLDLT::Selhani:
            if (!Assemble(s) || DefektHuste(s)) return false;
            break;
        case VysledekLDLT::MalePivoty:
            break;
    }
    if (Assemble(s) && ReseniLU(s, dx)) return true;
    return failure_ != SolverFailure::Defect && Assemble(s) &&
           ReseniSvd(s, &dx, Singularita::Odmitnuta);
}

bool DenseNetworkSolver::Solve(const NormalSystem& s, Tvector& dx) {
    Begin(s);
    bool ok = false;
    switch (method_) {
        case Resic::LDLT:
            ok = ReseniLDLT(s, dx) == VysledekLDLT::Vyreseno;
            break;
        case Resic::LU:
            ok = ReseniLU(s, dx);
            break;
        case Resic::SVD:
            ok = ReseniSvd(s, &dx, Singularita::Odmitnuta);
            break;
        case Resic::Kaskada:
            ok = Kaskada(s, dx);
            break;
    }
    if (!ok && failure_ == SolverFailure::None) failure_ = SolverFailure::Other;
    return ok;
}

}  // namespace vertano
