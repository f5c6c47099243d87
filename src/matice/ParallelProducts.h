#pragma once

#include "matice/MatrixTypes.h"
#include "matice/ParallelRows.h"

namespace vertano {

// The expensive dense steps of an adjustment, split by rows among worker
// threads (one per range of `split`, see ParallelRows.h). Each worker checks
// its own floating-point faults; the operation returns false when any range
// failed, and its partial result must then not be used. Arguments are checked
// before any thread starts. Results are bit-identical for every split.

// A^T P A into the leading n x n block of N and A^T P l into b[0..n), S being
// the transposed design matrix (rows = unknowns); split over 0..n (triangular).
[[nodiscard]] bool ThreadNaplnitATPA_ATPL(Tmatrix& N, Tvector& b, const Tsparse& S,
                                          const Tvector& p, const Tvector& l, int n,
                                          const TindexVector& split, const WaitHook& hook = {});

// A^T P A alone (the cofactor path, with the a-priori weights).
[[nodiscard]] bool ThreadNaplnitATPA(Tmatrix& N, const Tsparse& S, const Tvector& p, int n,
                                     const TindexVector& split, const WaitHook& hook = {});

// Networks without datum conditions: X = R^-1 in the upper triangle of M (see
// TriangularInverse) is replaced by X X^T in the leading (high + 1) block.
// The workers write into separate storage, which replaces X only when every
// range is done. The rows of X X^T cost (s + 1)(n - s), so the ranges are
// balanced for that cost over `threads` workers (clamped like every count).
[[nodiscard]] bool ThreadSoucinLDLT(Tmatrix& M, int high, int threads, const WaitHook& hook = {});

// Networks with conditions: columns of the inverse of the LU-factored bordered
// matrix M into Q (see LUInverseColumns), split over the n unknowns.
[[nodiscard]] bool ThreadSoucinLDLT(Tmatrix& Q, const Tmatrix& M, const TindexVector& perm,
                                    int conditions, int high, const TindexVector& split,
                                    const WaitHook& hook = {});

// A split of the first `columns` columns of the inverse of an order-n matrix
// for the product above. Column j costs about n^2 / 2 backward and
// (n - j)^2 / 2 forward (its unit vector is zero above j), so an even split
// would leave the first thread about half as much work again as the second.
TindexVector SplitInverseColumns(int columns, int n, int& threads);

// Rows of the pseudo-inverse V diag(w) U^T into N (see PseudoInverseRows),
// split over the unknowns (even).
[[nodiscard]] bool ThreadSoucinSVD(Tmatrix& N, const Tmatrix& V, const Tmatrix& U, const Tvector& w,
                                   int high, const TindexVector& split, const WaitHook& hook = {});

// The same, each worker then also forming dx[i] = N[i] . b for its rows.
[[nodiscard]] bool ThreadSoucinSVD(Tmatrix& N, const Tmatrix& V, const Tmatrix& U, const Tvector& w,
                                   int high, Tvector& dx, const Tvector& b,
                                   const TindexVector& split, const WaitHook& hook = {});

}  // namespace vertano
