#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "adjustment/SolverOwner.h"
#include "matice/NormalSolver.h"

namespace vertano {

// The dense path of the transformation adjustment behind the solver
// interface: the small normal equations of the key (no datum conditions),
// refused when the observations leave the key undetermined, then solved by
// LDL^T, else LU, else the pseudo-inverse (or the single method it was made
// for), and inverted by Cholesky, else the pseudo-inverse. It owns the normal
// matrix, which after the cofactors holds them, and the work matrices.
class DenseTransformationSolver final : public NormalSolver {
  public:
    explicit DenseTransformationSolver(Resic method = Resic::Kaskada) : method_(method) {}
    static std::unique_ptr<NormalSolver> Make(Resic method) {
        return std::make_unique<DenseTransformationSolver>(method);
    }

    [[nodiscard]] bool Assemble(const NormalSystem& s) override;
    [[nodiscard]] bool Solve(const NormalSystem& s, Tvector& dx) override;
    [[nodiscard]] bool Cofactors(const NormalSystem& s, Tvector& q) override;
    [[nodiscard]] bool Cofactor(int32_t i, int32_t j, Real& q) const override;
    [[nodiscard]] bool CofactorMatrix(int32_t n, Tmatrix& Q) const override;
    [[nodiscard]] std::unique_ptr<NormalSolver> Clone() const override {
        return std::make_unique<DenseTransformationSolver>(*this);
    }

    [[nodiscard]] SolverFailure Failure() const override { return failure_; }
    [[nodiscard]] int32_t DefectUnknown() const override { return -1; }
    [[nodiscard]] const std::string& Error() const override { return error_; }

  private:
    bool Ldlt(Tvector& dx);
    bool Lu(Tvector& dx);
    bool Svd(Tvector& dx);
    bool PseudoInverze(const Tmatrix& N, Tmatrix& Q);
    bool CofactorsCholesky(const NormalSystem& s, Tvector& q);
    bool CofactorsSvd(const NormalSystem& s, Tvector& q);

    Resic method_;
    int32_t n_ = 0;
    Tmatrix N_;  // normal matrix; after the cofactors Q
    Tvector b_;
    TindexVector lu_;
    Tvector pomocny_;  // scratch of the methods, never the working weights
    Tmatrix uloziste1_;
    Tmatrix uloziste2_;
    SolverFailure failure_ = SolverFailure::None;
    std::string error_;
};

}  // namespace vertano
