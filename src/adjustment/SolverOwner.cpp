// The choice of the solver of the normal equations and the way from the
// sparse path to the dense cascade.

#include "adjustment/SolverOwner.h"

#include <unistd.h>

#include "matice/FpGuard.h"
#include "matice/Sparse.h"
#include "matice/SparseNormalSolver.h"

namespace vertano {

namespace {

// The automatic choice hands a network to the dense cascade only up to this
// many unknowns: beyond it the dense factorisations take minutes, and their
// last fallback, the pseudo-inverse, hours.
constexpr int64_t kNejvetsiHustaZaloha = 6000;

// q_i may exceed 1/p_i by this relative amount: an observation without
// redundancy has q_i = 1/p_i exactly, which rounding can overshoot.
constexpr Real kZaokrouhleniKofaktoru = 1e-12L;

}  // namespace

SolverOwner::SolverOwner(const SolverOwner& o)
    : dense_(o.dense_),
      solver_(o.solver_ ? o.solver_->Clone() : nullptr),
      sparse_(o.sparse_),
      method_(o.method_),
      gaveWay_(o.gaveWay_),
      failure_(o.failure_),
      defect_(o.defect_) {}

SolverOwner& SolverOwner::operator=(const SolverOwner& o) {
    if (this != &o) *this = SolverOwner(o);
    return *this;
}

void SolverOwner::Reset() {
    solver_.reset();
    sparse_ = false;
    method_ = Resic::Kaskada;
    gaveWay_ = false;
    failure_ = SolverFailure::None;
    defect_ = -1;
}

bool SolverOwner::SparsePath(SolverChoice choice, Resic method) const {
    return choice != SolverChoice::Dense && method == Resic::Kaskada && !gaveWay_;
}

void SolverOwner::Install(std::unique_ptr<NormalSolver> solver, bool sparse, Resic method) {
    solver_ = std::move(solver);
    sparse_ = sparse;
    method_ = method;
}

NormalSolver& SolverOwner::Use(SolverChoice choice, Resic method) {
    const bool sparse = SparsePath(choice, method);
    if (solver_ && sparse_ == sparse && (sparse || method_ == method)) return *solver_;
    if (sparse) {
        Install(std::make_unique<SparseNormalSolver>(), true, method);
    } else {
        Install(dense_(method), false, method);
    }
    return *solver_;
}

NormalSolver& SolverOwner::Dense(Resic method) {
    if (!solver_ || sparse_) Install(dense_(method), false, method);
    return *solver_;
}

bool SolverOwner::GiveWay(SolverChoice choice, SolverFailure failure, SolverStage stage,
                          int64_t order) {
    if (choice != SolverChoice::Auto || failure == SolverFailure::Defect) return false;
    if (stage == SolverStage::Assembly && failure != SolverFailure::Unresolvable) return false;
    if (order > kNejvetsiHustaZaloha || !HustaSeVejde(order)) return false;
    gaveWay_ = true;
    Install(dense_(method_), false, method_);
    return true;
}

const SparseNormalSolver* SolverOwner::Sparse() const {
    return sparse_ ? static_cast<const SparseNormalSolver*>(solver_.get()) : nullptr;
}

bool SolverOwner::Cofactor(int32_t i, int32_t j, Real& q) const {
    return solver_ && solver_->Cofactor(i, j, q);
}

bool SolverOwner::CofactorMatrix(int32_t n, Tmatrix& Q) const {
    return solver_ && solver_->CofactorMatrix(n, Q);
}

void SolverOwner::SetFailure(SolverFailure failure, int32_t defect) {
    failure_ = failure;
    defect_ = defect;
}

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

bool KofaktoryVeMezich(const NormalSolver& solver, int32_t n, const Tvector& q, const Tvector& p,
                       int32_t m) {
    if (n < 1) return false;
    for (int32_t i = 0; i < n; ++i) {
        Real qi = 0;
        if (!solver.Cofactor(i, i, qi) || !(qi >= 0)) return false;
    }
    if (static_cast<int32_t>(q.size()) < m || static_cast<int32_t>(p.size()) < m) return false;
    for (int32_t i = 0; i < m; ++i) {
        const Real qi = q[static_cast<std::size_t>(i)];
        const Real pi = p[static_cast<std::size_t>(i)];
        // Written so that NaN fails every comparison.
        if (!(qi >= 0) || !(pi > 0)) return false;
        if (!(qi * pi <= 1 + kZaokrouhleniKofaktoru)) return false;
    }
    return true;
}

bool KofaktoryPozorovani(const NormalSolver& solver, const Tmatrix& Q, int32_t n,
                         const NormalSystem& s, Tvector& q) {
    Tsparse radky;
    if (s.design == nullptr || s.weights == nullptr ||
        !SparseTranspose(radky, *s.design, s.observations)) {
        return false;
    }
    const FpGuard guard;
    return ObservationCofactors(q, radky, Q, s.observations) && guard.Ok() &&
           KofaktoryVeMezich(solver, n, q, *s.weights, s.observations);
}

}  // namespace vertano
