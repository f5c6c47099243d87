#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "matice/ConjugateGradients.h"
#include "matice/NormalSolver.h"
#include "matice/SparseLdlt.h"

namespace vertano {

// The normal equations in sparse form. N is assembled straight from the design
// rows (its lower triangle in compressed columns; nothing of size n^2 or
// m x n is ever allocated), factored by the sparse LDL^T of SparseLdlt and
// inverted where the adjustment needs it by the selected inverse.
//
// Datum. Without conditions N must be positive definite. With d conditions N
// has the defect the datum vectors describe: d unknowns are held at zero (the
// ones where the datum vectors are most independent), which leaves a positive
// definite N_r; its solution x0 and its inverse Q0 (zero in the held rows and
// columns) are moved to the datum of the conditions by the similarity
// transformation S = I - G^T (C G^T)^-1 C:
//   x = S x0,   Q = S Q0 S^T = Q0 - G^T W^T - W G + G^T M G,
// with W = Q0 H^T (d extra solves), H = (C G^T)^-1 C and M = H W. This is the
// solution and the inverse that the matrix bordered by the conditions gives.
// Datum vectors that are not a defect of N (A g != 0 beyond rounding) make the
// datum unresolvable here.
//
// Iterations. The systems of an iterated adjustment differ little from one
// to the next once the coordinates and the robust weights settle. A solution
// is first sought by conjugate gradients preconditioned with the factor of the
// last factorised system (same unknowns); only when they do not converge
// within a share of the cost of a factorisation is the system factored. The
// cofactors always come from a factorisation of their own system.
class SparseNormalSolver final : public NormalSolver {
  public:
    [[nodiscard]] bool Assemble(const NormalSystem& s) override;
    [[nodiscard]] bool Solve(const NormalSystem& s, Tvector& dx) override;
    [[nodiscard]] bool Cofactors(const NormalSystem& s, Tvector& q) override;
    [[nodiscard]] bool Cofactor(int32_t i, int32_t j, Real& q) const override;
    [[nodiscard]] bool CofactorMatrix(int32_t n, Tmatrix& Q) const override;
    [[nodiscard]] std::unique_ptr<NormalSolver> Clone() const override {
        return std::make_unique<SparseNormalSolver>(*this);
    }
    // The columns of the same block one at a time: visit(j, column) with
    // column[i] = Q[i][j] (i < n), j = 0 .. n - 1, while visit returns true.
    // Each column is solved with the factor and dropped, so a block of any
    // size passes through the memory of one column. False on a failure (a
    // floating-point fault shows only after the last column) or when visit
    // stopped.
    [[nodiscard]] bool CofactorColumns(
        int32_t n, const std::function<bool(int32_t, const Tvector&)>& visit) const;

    [[nodiscard]] SolverFailure Failure() const override { return failure_; }
    [[nodiscard]] int32_t DefectUnknown() const override { return defect_; }
    [[nodiscard]] const std::string& Error() const override { return error_; }

    // Everything forgotten, the analysis included.
    void Clear();
    // The unknowns held at zero for the datum (ascending), empty without one.
    [[nodiscard]] std::vector<int32_t> HeldUnknowns() const;
    // For the benchmarks and tests: the factorisation and its analyses.
    [[nodiscard]] const SparseLdlt& Factorisation() const { return ldlt_; }
    // Entries of the lower triangle of the last assembled N_r.
    [[nodiscard]] std::size_t NormalEntries() const { return N_.row.size(); }
    // Numeric factorisations made, and solutions found instead by conjugate
    // gradients preconditioned with the last factor (with their steps).
    [[nodiscard]] int32_t Factorisations() const { return factorisations_; }
    [[nodiscard]] int32_t IteratedSolutions() const { return iterated_; }
    [[nodiscard]] int64_t IterationSteps() const { return iterationSteps_; }

  private:
    struct ObservationRows {
        std::vector<int32_t> start;
        std::vector<int32_t> unknown;
        std::vector<Real> value;
    };

    bool Fail(SolverFailure kind, const std::string& text);
    bool CheckSystem(const NormalSystem& s);
    bool Datum(const NormalSystem& s);
    bool ChooseHeld(const Tmatrix& G);
    bool DatumIsDefect(const NormalSystem& s) const;
    bool Prepare(const NormalSystem& s);
    bool ObservationCofactors(const NormalSystem& s, Tvector& q);
    // The cofactor of adjusted observation k; u and w: room for d values.
    Real ObservationCofactor(int32_t k, Tvector& u, Tvector& w) const;
    // The columns of N_r from `first` on that a thread found with their
    // pattern: where each ends in `row` and `value`.
    struct PatternPart {
        int32_t first = 0;
        std::vector<int32_t> ends;
        std::vector<int32_t> row;
        std::vector<Real> value;
    };
    bool Form(const NormalSystem& s);
    void FindColumns(const NormalSystem& s, int32_t first, int32_t end, PatternPart& part);
    [[nodiscard]] bool PatternKnown(const NormalSystem& s) const;
    void KeepPattern(const NormalSystem& s);
    bool FormValues(const NormalSystem& s);
    template <class Visit>
    Real Gather(const NormalSystem& s, int32_t jr, Tvector& sum, const Visit& visit) const;
    bool Factor();
    bool Iterate(Tvector& xr);
    bool Increments(int32_t n, const Tvector& xr, Tvector& dx);
    bool PrepareDatumCofactors();
    bool ReducedColumn(int32_t j, Tvector& z) const;
    Real DatumTerm(int32_t i, int32_t j) const;
    Real Q0(int32_t i, int32_t j) const;

    int32_t n_ = 0;
    int32_t d_ = 0;
    int32_t threads_ = 1;
    std::vector<int32_t> reduced_;  // unknown -> row of N_r, -1 when held
    std::vector<int32_t> held_;
    ObservationRows rows_;
    SparseSymmetric N_;
    std::vector<int32_t> original_;  // row of N_r -> unknown
    // What the pattern of N_ was found for (see PatternKnown).
    bool patternKnown_ = false;
    std::vector<int32_t> patternStart_;
    std::vector<int32_t> patternIndex_;
    std::vector<int32_t> patternReduced_;
    int32_t patternPoints_ = 0;
    int32_t patternObservations_ = 0;
    Tvector b_;
    bool factored_ = false;
    SparseLdlt ldlt_;
    // The matrix of the last factorisation: the cofactors after the last plain
    // iteration need the very same one (the a-priori weights, the same design
    // matrix), so it is not factored again. Its unknowns (held ones and all)
    // tell whether its factor can precondition the next system.
    SparseSymmetric factoredN_;
    std::vector<int32_t> factoredReduced_;
    Preconditioner preconditioner_;  // the last factor in double, made when first iterated on
    // Solutions by conjugate gradients on an older factor, and their steps.
    int32_t iterated_ = 0;
    int64_t iterationSteps_ = 0;
    int32_t factorisations_ = 0;
    SelectedInverse Z_;
    bool cofactors_ = false;
    // The last column of Q0 solved for an entry outside the selected inverse:
    // the entries an observation needs outside it (a height against an
    // orientation) come station by station, so one solve serves them all.
    // Cleared whenever the cofactors are computed anew. Entries are asked for
    // by several threads at once (the cofactors of the observations, the
    // reliability figures), so the column is taken under its lock; the
    // entries of the selected inverse need none.
    struct SolvedColumn {
        std::mutex lock;
        int32_t column = -1;
        Tvector values;
        SolvedColumn() = default;
        SolvedColumn(const SolvedColumn& other) : column(other.column), values(other.values) {}
        SolvedColumn& operator=(const SolvedColumn& other) {
            if (this != &other) {
                column = other.column;
                values = other.values;
            }
            return *this;
        }
    };
    mutable SolvedColumn solved_;
    Tmatrix G_;  // d x n datum vectors
    Tmatrix H_;  // d x n: (C G^T)^-1 C
    Tmatrix W_;  // d x n: rows of (Q0 H^T)^T
    Tmatrix M_;  // d x d: H Q0 H^T
    SolverFailure failure_ = SolverFailure::None;
    int32_t defect_ = -1;
    std::string error_;
};

}  // namespace vertano
