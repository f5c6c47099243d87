#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "adjustment/SolverOwner.h"
#include "matice/NormalSolver.h"

namespace vertano {

// How the dense methods treat a singular system.
enum class Singularita {
    // The pseudo-inverse is a generalised inverse: the small triangle
    // adjustments of the outer precision rely on it.
    Pripustna,
    // The network: a system singular beyond its datum has no solution that
    // could be reported, so every method refuses it.
    Odmitnuta,
};

// The dense cascade of the network model behind the solver interface: the
// normal matrix bordered by the datum conditions, solved by LDL^T, else LU,
// else the pseudo-inverse (or the single method it was made for), and
// inverted by Cholesky (fixed networks) or LU (with conditions), else the
// pseudo-inverse. It owns the bordered matrix, which after the cofactors
// holds them in its leading block, and every work matrix of the methods.
class DenseNetworkSolver final : public NormalSolver {
  public:
    explicit DenseNetworkSolver(Resic method = Resic::Kaskada) : method_(method) {}
    static std::unique_ptr<NormalSolver> Make(Resic method) {
        return std::make_unique<DenseNetworkSolver>(method);
    }

    // N and b (b only when l is given) from the design matrix with the
    // weights, bordered by the datum conditions. False, with the reason, when
    // the dense matrix does not fit in memory.
    [[nodiscard]] bool Assemble(const NormalSystem& s) override;
    [[nodiscard]] bool Solve(const NormalSystem& s, Tvector& dx) override;
    // Cholesky or bordered LU, with the check of the result.
    [[nodiscard]] bool Cofactors(const NormalSystem& s, Tvector& q) override;
    // The pseudo-inverse, with the check of the result.
    [[nodiscard]] bool CofactorsAgain(const NormalSystem& s, Tvector& q) override;
    [[nodiscard]] bool Cofactor(int32_t i, int32_t j, Real& q) const override;
    [[nodiscard]] bool CofactorMatrix(int32_t n, Tmatrix& Q) const override;
    [[nodiscard]] std::unique_ptr<NormalSolver> Clone() const override {
        return std::make_unique<DenseNetworkSolver>(*this);
    }

    [[nodiscard]] SolverFailure Failure() const override { return failure_; }
    [[nodiscard]] int32_t DefectUnknown() const override { return defect_; }
    [[nodiscard]] const std::string& Error() const override { return error_; }

    // A system formed elsewhere: N of n unknowns bordered by d conditions and
    // its right-hand side b (u = n + d each). The pseudo-inverse then runs in
    // the calling thread.
    [[nodiscard]] bool Form(Tmatrix N, Tvector b, int32_t n, int32_t d);
    // Cofactors given by hand (the leading block is what Cofactor reads).
    void SetCofactors(Tmatrix Q);

    // The increments dx of the formed equations by one method, without
    // residuals. LDL^T has no pivoting: it also counts the pivots of the
    // unknowns' block that are small for their diagonal element. More of them
    // than datum conditions is a defect of the network (Failure() Defect; no
    // other method should then be tried). Fewer is the datum defect of a free
    // network, which the conditions remove: dividing by such a pivot, a
    // rounding residue, would cost the solution digits (nanometres at
    // national coordinates), so LDL^T gives way to LU without a defect.
    enum class VysledekLDLT { Vyreseno, MalePivoty, Defekt, Selhani };
    VysledekLDLT ReseniLDLT(const NormalSystem& s, Tvector& dx);
    bool ReseniLU(const NormalSystem& s, Tvector& dx);
    // The pseudo-inverse of the bordered matrix by SVD: its rows are written
    // into the normal matrix, and with `dx` the increments dx = N+ b. With
    // Singularita::Odmitnuta a singular value cut off as zero makes it fail.
    bool ReseniSvd(const NormalSystem& s, Tvector* dx, Singularita singularita);
    // The two ways of the cofactors, each with its check.
    bool CofactorsCholeskyLU(const NormalSystem& s, Tvector& q);
    bool CofactorsSvd(const NormalSystem& s, Tvector& q);

  private:
    void Begin(const NormalSystem& s);
    [[nodiscard]] const WaitHook& Hook() const;
    bool Fail(SolverFailure failure, const std::string& text);
    [[nodiscard]] bool Formed() const;
    bool Border(const NormalSystem& s);
    bool Kaskada(const NormalSystem& s, Tvector& dx);
    bool DefektHuste(const NormalSystem& s);
    bool OhlasitDefekt(const std::vector<int32_t>& zavisle);
    bool InverzeCholesky();
    bool InverzeLU();

    Resic method_;
    int32_t n_ = 0;  // unknowns
    int32_t d_ = 0;  // conditions
    int32_t threads_ = 1;
    // The hook of the call in progress (the model's, which may change between
    // calls); null outside a call.
    const WaitHook* wait_ = nullptr;
    Tmatrix N_;  // bordered normal matrix; after the cofactors Q in its leading block
    Tvector b_;
    TindexVector lu_;
    TindexVector splitTriangular_;  // the symmetric products
    TindexVector splitEven_;        // the rows of the pseudo-inverse
    // Scratch (D of LDL^T, the singular values, the Cholesky diagonal) and
    // the work matrices of the pseudo-inverse and of the bordered inverse.
    Tvector pomocny_;
    Tmatrix uloziste1_;
    Tmatrix uloziste2_;
    SolverFailure failure_ = SolverFailure::None;
    int32_t defect_ = -1;
    std::string error_;
};

}  // namespace vertano
