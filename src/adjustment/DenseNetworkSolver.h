#pragma once

#include "adjustment/Tmodel2.h"
#include "matice/NormalSolver.h"

namespace vertano {

// The dense cascade of the network model behind the solver interface: the
// normal matrix bordered by the datum conditions in maticeATPA, solved by
// LDL^T, else LU, else the pseudo-inverse (or the single method `resic`), and
// inverted by Cholesky (fixed networks) or LU (with conditions), else the
// pseudo-inverse. Its storage is the model's own fields, so this is a view,
// made where it is used.
class DenseNetworkSolver final : public NormalSolver {
  public:
    explicit DenseNetworkSolver(Tmodel2& model) : m_(model) {}

    [[nodiscard]] bool Assemble(const NormalSystem& s) override;
    [[nodiscard]] bool Solve(const NormalSystem& s, Tvector& dx) override;
    [[nodiscard]] bool Cofactors(const NormalSystem& s, Tvector& q) override;
    [[nodiscard]] bool Cofactor(int32_t i, int32_t j, Real& q) const override;
    [[nodiscard]] bool CofactorMatrix(int32_t n, Tmatrix& Q) const override;

    // Q[i][j] and the leading block of a cofactor matrix held densely.
    [[nodiscard]] static bool CofactorOf(const Tmatrix& Q, int32_t i, int32_t j, Real& q);
    [[nodiscard]] static bool BlockOf(const Tmatrix& N, int32_t n, Tmatrix& Q);

    [[nodiscard]] SolverFailure Failure() const override { return m_.solverFailure; }
    [[nodiscard]] int32_t DefectUnknown() const override { return m_.defectUnknown; }
    [[nodiscard]] const std::string& Error() const override { return m_.chyba; }

  private:
    [[nodiscard]] bool Kaskada(const NormalSystem& s);

    Tmodel2& m_;
};

}  // namespace vertano
