#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "matice/MatrixTypes.h"
#include "matice/ParallelRows.h"
#include "matice/Real.h"

namespace vertano {

// The normal equations of a least-squares model, N dx = b with N = A^T P A and
// b = A^T P l, as every solver of them receives them. The pointers refer to the
// model's own fields and are only read during the call they are passed to.
struct NormalSystem {
    const Tsparse* design = nullptr;   // A^T: one row per unknown, columns = observations
    const Tvector* weights = nullptr;  // p, one per observation
    const Tvector* reduced = nullptr;  // l; nullptr when only the cofactors are wanted
    int32_t unknowns = 0;              // n
    int32_t observations = 0;          // m
    // Datum conditions C dx = 0, one row of n coefficients each; none (or
    // nullptr) for a network whose fixed points give the datum.
    const Tmatrix* conditions = nullptr;
    // The datum defect the conditions remove: one vector g of n elements per
    // condition with A g = 0 (a translation, the rotation, the scale).
    const Tmatrix* datum = nullptr;
    // The first pointUnknowns unknowns are the coordinates of points, three by
    // three (0: none). A sparse solver then keeps the cofactor of every
    // coordinate of a point against every unknown of each observation of that
    // point, also where N has no entry (a height against the orientation of a
    // direction): the moves that an error of an observation causes need them.
    int32_t pointUnknowns = 0;
    // Unknowns held at zero apart from any datum (ascending): the coordinates
    // a point fixed in plan or in height alone keeps. They have no design
    // entries; their increments and cofactors are zero. Only without datum
    // conditions; none (or nullptr) in a network of fully fixed points.
    const std::vector<int32_t>* held = nullptr;
    // Threads a solver may use; its results do not depend on them.
    int32_t threads = 1;
    // Called while worker threads run (a window repaints itself); may be null.
    const WaitHook* wait = nullptr;

    [[nodiscard]] std::size_t HeldCount() const { return held == nullptr ? 0 : held->size(); }
    [[nodiscard]] int32_t DatumCount() const {
        return conditions == nullptr ? 0 : static_cast<int32_t>(conditions->size());
    }
};

// Why a solver gave up.
enum class SolverFailure {
    None,
    // N is singular beyond the datum: DefectUnknown() names an unknown that the
    // observations do not determine.
    Defect,
    // The datum cannot be handled by this solver (another one may do it).
    Unresolvable,
    // A malformed system, a floating-point fault or a lack of memory.
    Other,
};

// One way of solving the normal equations of an adjustment and of giving the
// cofactors of its unknowns. The network model has two: the dense cascade
// (LDL^T, LU, SVD on the bordered matrix) and the sparse LDL^T with a
// fill-reducing ordering and the selected inverse; tests hold them against
// each other.
class NormalSolver {
  public:
    virtual ~NormalSolver() = default;

    // Forms N and b of the system (b only when l is given).
    [[nodiscard]] virtual bool Assemble(const NormalSystem& s) = 0;
    // Solves the assembled equations under the datum conditions: dx[0..n).
    [[nodiscard]] virtual bool Solve(const NormalSystem& s, Tvector& dx) = 0;
    // The cofactors Q = N^-1 (under the datum conditions) of the system with
    // its weights, and q[k] := a_k Q a_k^T, the cofactor of every adjusted
    // observation (m elements).
    [[nodiscard]] virtual bool Cofactors(const NormalSystem& s, Tvector& q) = 0;
    // Q[i][j] of any two unknowns after Cofactors.
    [[nodiscard]] virtual bool Cofactor(int32_t i, int32_t j, Real& q) const = 0;
    // The leading n x n block of Q after Cofactors, computed only on request.
    [[nodiscard]] virtual bool CofactorMatrix(int32_t n, Tmatrix& Q) const = 0;
    // The cofactors once more by a slower way that breaks down less easily,
    // for cofactors that failed a later check; false when the solver has none.
    [[nodiscard]] virtual bool CofactorsAgain(const NormalSystem&, Tvector&) { return false; }
    // A copy with the whole state (a model is copied with its solver).
    [[nodiscard]] virtual std::unique_ptr<NormalSolver> Clone() const = 0;

    [[nodiscard]] virtual SolverFailure Failure() const = 0;
    [[nodiscard]] virtual int32_t DefectUnknown() const = 0;
    // The reason of the last failure in English; empty after success.
    [[nodiscard]] virtual const std::string& Error() const = 0;
};

}  // namespace vertano
