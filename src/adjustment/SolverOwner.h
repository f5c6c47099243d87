#pragma once

#include <cstdint>
#include <memory>

#include "matice/NormalSolver.h"
#include "matice/Real.h"

namespace vertano {

class SparseNormalSolver;

// The method the dense path uses: the cascade LDL^T, LU, SVD, or one of them
// alone (for comparing the methods and for tests that must reach a particular
// one). A single method implies the dense path.
enum class Resic : int32_t { Kaskada = 0, LDLT, LU, SVD };

// Which solver of the normal equations the adjustment uses.
enum class SolverChoice : int32_t {
    // The sparse one; the dense cascade only where the sparse one cannot handle
    // the datum of the network (and the dense matrix fits in memory).
    Auto = 0,
    // The dense cascade on the matrix bordered by the datum conditions.
    Dense,
    // The sparse one alone.
    Sparse,
};

// Where in a run the sparse solver failed: the way to the dense one differs.
enum class SolverStage { Assembly, Solution, Cofactors };

// How a run of a step ended (SolverOwner::Run).
enum class RunEnd {
    Done,
    // The step failed on the solver that is now current (its Failure() and
    // Error() say why).
    Failed,
    // The dense solver took over but could not be prepared (the caller's
    // preparation reported why).
    NotPrepared,
};

// The solver of the normal equations of one model. It is chosen once per
// load from the configuration (the sparse one, or the dense one of the model)
// and replaced only in Run, the one loop in which a step (an assembly, a
// solution, the cofactors) fails on the sparse solver and the dense cascade
// takes over (GiveWay decides when). The network and the transformation both
// run every step through it and keep no matrix of their own.
class SolverOwner {
  public:
    // Makes the model's dense solver for a method.
    using DenseFactory = std::unique_ptr<NormalSolver> (*)(Resic method);

    explicit SolverOwner(DenseFactory dense) : dense_(dense) {}
    SolverOwner(const SolverOwner& o);
    SolverOwner& operator=(const SolverOwner& o);
    SolverOwner(SolverOwner&&) noexcept = default;
    SolverOwner& operator=(SolverOwner&&) noexcept = default;
    ~SolverOwner() = default;

    // A new load: no solver chosen, no fallback, no failure.
    void Reset();

    // Whether the configuration gives the sparse solver: the choice is not
    // Dense, no single dense method is forced, and the sparse one has not given
    // way in this load.
    [[nodiscard]] bool SparsePath(SolverChoice choice, Resic method) const;
    // The solver of the configuration, chosen on the first call after Reset
    // and kept while the configuration stays (the sparse one reuses its
    // analysis from one iteration to the next).
    NormalSolver& Use(SolverChoice choice, Resic method);
    // The dense solver for a step that names a dense method: the current one
    // when it is dense, else a new one holding no system yet.
    NormalSolver& Dense(Resic method);

    // Runs `step` on the solver of the configuration. When it fails on the
    // sparse solver and GiveWay lets the dense one take over, `prepare` readies
    // that one (forms its equations) and the step runs once more on it.
    // Afterwards Current() is the solver of the last attempt.
    template <class Step, class Prepare>
    RunEnd Run(SolverChoice choice, Resic method, SolverStage stage, int64_t order,
               const Step& step, const Prepare& prepare) {
        const bool sparse = SparsePath(choice, method);
        if (step(Use(choice, method))) return RunEnd::Done;
        if (!sparse || !GiveWay(choice, solver_->Failure(), stage, order)) return RunEnd::Failed;
        if (!prepare(*solver_)) return RunEnd::NotPrepared;
        return step(*solver_) ? RunEnd::Done : RunEnd::Failed;
    }
    // A run of a step that needs no preparation of the dense solver.
    template <class Step>
    RunEnd Run(SolverChoice choice, Resic method, SolverStage stage, int64_t order,
               const Step& step) {
        return Run(choice, method, stage, order, step, [](NormalSolver&) { return true; });
    }
    // The sparse solver gave way to the dense one in this load.
    [[nodiscard]] bool GaveWay() const { return gaveWay_; }

    // The current solver; nullptr before one is chosen.
    [[nodiscard]] const NormalSolver* Current() const { return solver_.get(); }
    // The current solver when it is the sparse one (benchmarks, tests).
    [[nodiscard]] const SparseNormalSolver* Sparse() const;
    // Q[i][j] and the leading n x n block of the current solver's cofactors.
    [[nodiscard]] bool Cofactor(int32_t i, int32_t j, Real& q) const;
    [[nodiscard]] bool CofactorMatrix(int32_t n, Tmatrix& Q) const;

    // The failure of the last solution or inversion (either path) and the
    // unknown at which the normal equations were found singular beyond the
    // datum (-1 when none or not known), as the model reports them.
    void SetFailure(SolverFailure failure, int32_t defect);
    [[nodiscard]] SolverFailure Failure() const { return failure_; }
    [[nodiscard]] int32_t DefectUnknown() const { return defect_; }

  private:
    // After a failure of the sparse solver at `stage`: whether the dense
    // cascade takes over for the rest of the load (then installed). It does
    // when the choice is Auto, the failure is not a defect of the network
    // (the dense cascade would find it as well and must not hide it), at the
    // assembly only for a datum the sparse solver cannot handle, and when the
    // dense matrix of `order` unknowns and conditions is small enough.
    bool GiveWay(SolverChoice choice, SolverFailure failure, SolverStage stage, int64_t order);
    void Install(std::unique_ptr<NormalSolver> solver, bool sparse, Resic method);

    DenseFactory dense_;
    std::unique_ptr<NormalSolver> solver_;
    bool sparse_ = false;
    Resic method_ = Resic::Kaskada;
    bool gaveWay_ = false;
    SolverFailure failure_ = SolverFailure::None;
    int32_t defect_ = -1;
};

// Whether a dense normal matrix of order u fits in half of the memory of the
// machine: the dense path allocates u^2 extended reals.
bool HustaSeVejde(int64_t u);

// Q[i][i] >= 0 (i < n), and 0 <= q_i <= 1/p_i up to rounding for the m
// observations (an observation without redundancy has q_i = 1/p_i exactly,
// which rounding can overshoot).
bool KofaktoryVeMezich(const NormalSolver& solver, int32_t n, const Tvector& q, const Tvector& p,
                       int32_t m);

// q_i := a_i Q a_i^T of every observation of the system over the dense
// cofactors Q of a dense solver (n unknowns), then KofaktoryVeMezich.
bool KofaktoryPozorovani(const NormalSolver& solver, const Tmatrix& Q, int32_t n,
                         const NormalSystem& s, Tvector& q);

}  // namespace vertano
