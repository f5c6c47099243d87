#pragma once

#include <cstdint>
#include <vector>

#include "matice/MatrixTypes.h"
#include "matice/Real.h"

namespace vertano {

struct SparseSymmetric;
struct LdltFactor;

// The factor of a nearby matrix rounded to double precision, for solving
// with it as a preconditioner: it only has to be near N, and in double its
// solve reads half the bytes and runs on the vector unit (about twice as
// fast). It holds the values only; the rows and the permutation are those of
// the factor it was made from, which every solve is given again.
class Preconditioner {
  public:
    Preconditioner() = default;
    explicit Preconditioner(const LdltFactor& f);
    // Whether it was made from a factor of this size and pattern.
    [[nodiscard]] bool Of(const LdltFactor& f) const;
    // x := M^-1 x; false on a fault (not finite) or another factor.
    [[nodiscard]] bool Solve(const LdltFactor& f, Tvector& x) const;

  private:
    std::vector<double> value_;
    std::vector<double> d_;
};

// How the conjugate gradients went.
struct CgResult {
    bool converged = false;
    int32_t iterations = 0;
};

// N x = b by conjugate gradients preconditioned with the factor f (M in
// double) of a nearby
// matrix of the same unknowns (the last factorisation of an iterated
// adjustment, whose weights and coordinates have moved a little since). It
// starts from x = M^-1 b and stops when r^T M^-1 r, r = b - N x, is at most
// tolerance^2, or after `most` steps (not converged; x then holds the last
// iterate). With N = A^T P A and P the weights of the observations, r^T N^-1 r
// is the energy e^T N e of the error e of x, and |e_i| <= sqrt(Q_ii) times its
// root: every unknown is then within `tolerance` times its own standard
// deviation (of unit weight) of the solution, however large the increments
// are (orientations are solved whole at every iteration). The test is not
// relative to b for that reason: the large parts of b would let the small
// ones keep errors far above their precision. Serial, in one order of
// operations: the same bits on every run.
[[nodiscard]] CgResult PreconditionedCg(const SparseSymmetric& N, const LdltFactor& f,
                                        const Preconditioner& M, const Tvector& b, Tvector& x,
                                        int32_t most, Real tolerance);

}  // namespace vertano
