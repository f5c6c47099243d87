#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "matice/Konstanty.h"
#include "matice/MatrixTypes.h"
#include "matice/Real.h"

namespace vertano {

// A symmetric sparse matrix by its lower triangle in compressed columns: the
// entries of column j are start[j] .. start[j + 1] - 1, their rows ascending and
// not above the diagonal (the diagonal entry, when present, comes first).
struct SparseSymmetric {
    int32_t n = 0;
    std::vector<int32_t> start;
    std::vector<int32_t> row;
    std::vector<Real> value;

    [[nodiscard]] bool SamePattern(const SparseSymmetric& other) const {
        return n == other.n && start == other.start && row == other.row;
    }
    // The element (i, j) of the symmetric matrix; 0 outside the pattern.
    [[nodiscard]] Real At(int32_t i, int32_t j) const;
};

// P N P^T = L D L^T: L unit lower triangular (strictly lower part in compressed
// columns, rows ascending in each column), D diagonal, P the fill-reducing
// permutation. Unknown i of N is position perm[i] of the factor, position k is
// unknown inverse[k].
struct LdltFactor {
    int32_t n = 0;
    std::vector<int32_t> perm;
    std::vector<int32_t> inverse;
    std::vector<int32_t> start;
    std::vector<int32_t> row;
    std::vector<Real> value;
    std::vector<Real> d;
    // Supernodes: columns supernode[s] .. supernode[s + 1] - 1 share their
    // rows below the last of them (the first column holds the others and
    // those rows); empty when the factor was not made by supernodes.
    std::vector<int32_t> supernode;

    // x := N^-1 x in the order of the unknowns of N. False when x is shorter
    // than n or a floating-point fault occurs.
    [[nodiscard]] bool Solve(Tvector& x) const;
};

// The sparse LDL^T of a symmetric positive definite matrix in extended
// precision, supernodal (Supernodal.h): columns with the same rows below are
// factored together as dense blocks by the kernels of the dense routines, and
// `threads` threads share independent subtrees; the bits do not depend on
// their number. The fill-reducing ordering (nested dissection by METIS, the
// approximate minimum degree ordering when METIS gives none) and the symbolic
// analysis are made once and reused for every matrix of the same pattern, so
// the iterations of an adjustment pay for them only once.
//
// Copies carry the numerical factor; the analysis is not copied and is made
// again by the first factorisation of the copy.
class SparseLdlt {
  public:
    enum class Ordering { NestedDissection, MinimumDegree };

    SparseLdlt();
    ~SparseLdlt();
    SparseLdlt(const SparseLdlt& other);
    SparseLdlt& operator=(const SparseLdlt& other);
    SparseLdlt(SparseLdlt&&) noexcept;
    SparseLdlt& operator=(SparseLdlt&&) noexcept;

    // Factors N (lower triangle). False when a pivot is not above
    // kRelativePivot times its diagonal element of N (or is not finite), the
    // first such unknown in DefectUnknown(); false with DefectUnknown() = -1 on
    // a malformed matrix, a floating-point fault or a lack of memory.
    [[nodiscard]] bool Factor(const SparseSymmetric& N, int threads = 1);

    // The unknown of N at whose pivot the last factorisation found N singular;
    // -1 when it did not.
    [[nodiscard]] int32_t DefectUnknown() const { return defect_; }
    // The smallest pivot of the last factorisation relative to its diagonal
    // element: how far the matrix is from the defect test.
    [[nodiscard]] Real SmallestPivotShare() const { return smallestShare_; }
    // Multiply-adds of the last factorisation (for weighing it against
    // iterating on it).
    [[nodiscard]] double FactorWork() const { return work_; }
    [[nodiscard]] const LdltFactor& Result() const { return factor_; }
    [[nodiscard]] Ordering UsedOrdering() const { return ordering_; }
    // How many symbolic analyses this object has made.
    [[nodiscard]] int32_t Analyses() const { return analyses_; }
    // The ordering the next analysis tries first (nested dissection unless
    // told otherwise; for comparing the two).
    void Prefer(Ordering o) { preferred_ = o; }
    // Forgets the analysis, keeping the factor; the next factorisation
    // analyses again.
    void ReleaseAnalysis();
    void Clear();

  private:
    struct Analysis;
    [[nodiscard]] bool Analyse(const SparseSymmetric& N);

    std::unique_ptr<Analysis> analysis_;
    LdltFactor factor_;
    int32_t defect_ = -1;
    Real smallestShare_ = 0;
    double work_ = 0;
    Ordering ordering_ = Ordering::NestedDissection;
    Ordering preferred_ = Ordering::NestedDissection;
    int32_t analyses_ = 0;
};

// The entries of N^-1 on the pattern of L + L^T and on its diagonal, by the
// recurrences of Takahashi on the factor, from the last column to the first:
//   Z[i][j] = -sum_{k > j} L[k][j] Z[i][k]       for i > j in the pattern,
//   Z[j][j] = 1 / D[j] - sum_{k > j} L[k][j] Z[k][j].
// Every Z[i][k] the sum needs lies in the pattern already computed. The
// entries every observation of an adjustment needs (the pairs of unknowns it
// connects) and the 3 x 3 blocks of the points lie in this pattern.
class SelectedInverse {
  public:
    // False on a floating-point fault or a malformed factor. A large factor
    // is shared among `threads` threads by subtrees of its elimination tree;
    // the result is the same for every thread count.
    [[nodiscard]] bool Compute(const LdltFactor& f, int threads = 1);
    // Z[i][j] for unknowns i, j of N; false when the pair is outside the
    // pattern (the caller then solves for a column).
    [[nodiscard]] bool Find(const LdltFactor& f, int32_t i, int32_t j, Real& z) const;
    void Clear();

  private:
    void Column(const LdltFactor& f, int32_t j, std::vector<int32_t>& where, std::vector<Real>& t);

    std::vector<Real> value_;     // parallel to the factor's L
    std::vector<Real> diagonal_;  // by position in the factor
};

}  // namespace vertano
