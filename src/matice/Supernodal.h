#pragma once

#include <cstdint>
#include <vector>

#include "matice/Real.h"

namespace vertano {

struct SparseSymmetric;
struct LdltFactor;

// The symbolic factorisation of a symmetric matrix for the supernodal LDL^T:
// the order of elimination (the fill-reducing order given, postordered along
// its elimination tree so that the columns of a supernode are adjacent), the
// supernodes (runs of columns whose rows below agree, relaxed so that a few
// zeros are stored where that makes blocks larger), the rows of each, and
// which supernodes update which.
//
// A supernode's columns are stored as one dense block, row by row: element
// (r, c) of supernode s (r its r-th row, c its c-th column) is at
// block[s] + r * width + c. The rows of a supernode begin with its own
// columns; above the diagonal of that leading square nothing is kept.
struct SupernodalPlan {
    // One supernode that updates another: the rows first..last-1 of `from`
    // (positions in its list of rows) are columns of the receiving supernode.
    struct Update {
        int32_t from = 0;
        int32_t first = 0;
        int32_t last = 0;
    };

    int32_t n = 0;
    std::vector<int32_t> perm;     // unknown -> position in the factor
    std::vector<int32_t> inverse;  // position -> unknown
    std::vector<int32_t> first;    // supernode s: columns first[s] .. first[s + 1] - 1
    std::vector<int32_t> parent;   // supernode tree; -1 at a root
    std::vector<int64_t> rowStart;
    std::vector<int32_t> rows;   // rows of s: rows[rowStart[s] .. rowStart[s + 1]), ascending
    std::vector<int64_t> block;  // offset of the block of s; block.back() = values in all
    std::vector<int64_t> updateStart;
    std::vector<Update> updates;  // received by s: [updateStart[s], updateStart[s + 1]), by `from`
    std::vector<int64_t> entry;   // where each stored entry of the matrix goes in the blocks
    std::vector<double> work;     // multiply-adds of each supernode, for sharing among threads

    [[nodiscard]] int32_t Supernodes() const { return static_cast<int32_t>(first.size()) - 1; }
    [[nodiscard]] int32_t Width(int32_t s) const { return first[s + 1] - first[s]; }
    [[nodiscard]] int32_t Height(int32_t s) const {
        return static_cast<int32_t>(rowStart[s + 1] - rowStart[s]);
    }
    // Entries of L (below the diagonal) that the factor will hold.
    [[nodiscard]] int64_t FactorEntries() const;
};

// The plan for the pattern of N (lower triangle, checked by the caller) and
// the fill-reducing order `order` (unknown -> position). False on a lack of
// memory or an order that is not a permutation.
[[nodiscard]] bool PlanSupernodes(const SparseSymmetric& N, const std::vector<int32_t>& order,
                                  SupernodalPlan& plan);

// Factors N (same pattern as planned) into f. The pivot of each unknown must
// exceed `relativePivot` times its diagonal element of N; the first that does
// not (in the order of elimination of one thread) stops it, and `defect` names
// its unknown (else -1). A subtree of the supernode tree is factored by one
// thread, every block by the same operations in the same order whatever the
// thread count, so the bits of the factor do not depend on `threads`.
// Double runs the same factorisation in double precision (the factor is then
// handed over in extended precision): for systems whose solution need not be
// better than that, e.g. the plan fits of approximate coordinates.
enum class FactorPrecision { Extended, Double };
// The dense blocks of the supernodes, kept by a caller that factors matrices
// of one plan again and again (the iterations of a fit): tens of megabytes at
// 10,000 points, which would otherwise be allocated, faulted in page by page
// and released at every factorisation. A factor f passed in again keeps its
// storage the same way.
struct SupernodalRoom {
    std::vector<double> blocks;
    std::vector<Real> blocksExtended;
};
[[nodiscard]] bool FactorSupernodal(const SupernodalPlan& plan, const SparseSymmetric& N,
                                    Real relativePivot, int threads, LdltFactor& f, int32_t& defect,
                                    FactorPrecision precision = FactorPrecision::Extended,
                                    SupernodalRoom* room = nullptr);

}  // namespace vertano

namespace vertano::detail {

// The selected inverse of a factor made by supernodes, supernode by supernode
// from the root: the block of each below its columns, Z21 = -Z22 L21 L11^-1,
// comes from the dense block Z22 of its rows gathered once (the bulk of the
// work, run by the blocked kernels), its square from the recurrences of
// Takahashi on dense rows. `value` is parallel to f.value, `diagonal` by
// position. Independent subtrees go to `threads` threads; every supernode is
// computed by the same operations whichever thread runs it.
[[nodiscard]] bool SupernodalInverse(const LdltFactor& f, int threads, std::vector<Real>& value,
                                     std::vector<Real>& diagonal);

}  // namespace vertano::detail
