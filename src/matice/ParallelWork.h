#pragma once

#include <algorithm>
#include <atomic>
#include <cfenv>
#include <cstdint>
#include <new>

#include "matice/FpGuard.h"
#include "matice/ParallelRows.h"

namespace vertano::detail {

// Below this many element updates a second thread costs more than it saves.
inline constexpr std::int64_t kParallelWork = std::int64_t{1} << 17;

inline std::int64_t Work(int rows, int columns) {
    return static_cast<std::int64_t>(rows) * columns;
}

// body(first, end) for every range of the split, the first in the calling
// thread. A worker's arithmetic faults are its own (the caller's guard sees
// only the calling thread), so each range checks them itself.
template <typename Body>
bool RunSplit(const TindexVector& split, const Body& body) {
    return RunRowRangesHere(split, [&body](int pocatek, int konec) {
        FpGuard guard;
        const bool ok = body(pocatek, konec + 1);
        return ok && guard.Ok();
    });
}

// body(first, end) over the units [0, count), in `threads` even ranges when the
// work is large enough to pay for the threads, else in the calling thread.
// The callers give every unit the same operations whichever range it falls
// in, so their results do not depend on the thread count. False when a body
// returned false or the arithmetic of a worker faulted.
template <typename Body>
bool InRanges(int count, std::int64_t work, int threads, const Body& body) {
    if (threads <= 1 || count < 2 || work < kParallelWork) return body(0, count);
    return RunSplit(SplitEven(count, threads), body);
}

// InRanges for a body whose caller reports its failures as if it had run the
// whole of it in its own thread: a floating-point fault of any range is
// raised again in the calling thread (whose guard then sees it) and a
// std::bad_alloc is thrown again there, whatever the thread count. False
// when a body returned false.
template <typename Body>
bool InRangesAsOne(int count, std::int64_t work, int threads, const Body& body) {
    std::atomic<bool> fault{false};
    std::atomic<bool> memory{false};
    const bool ok = InRanges(count, work, threads, [&](int first, int end) {
        try {
            FpGuard guard;
            const bool done = body(first, end);
            if (!guard.Ok()) fault = true;
            return done;
        } catch (const std::bad_alloc&) {
            memory = true;
            return true;
        }
    });
    if (memory) throw std::bad_alloc();
    if (fault) std::feraiseexcept(FE_INVALID);
    return ok;
}

// Pair u of the rows [below, n) is rows below + 2u and below + 2u + 1, or a
// last single row; the body runs the pairs [first, end) and stops at the first
// call that returns false.
template <typename Pair, typename Single>
auto RowPairsBody(int below, int n, const Pair& pair, const Single& single) {
    return [below, n, &pair, &single](int first, int end) {
        for (int u = first; u < end; ++u) {
            const int k = below + 2 * u;
            if (!(k + 1 < n ? pair(k) : single(k))) return false;
        }
        return true;
    };
}

// pair(k) for the rows k, k + 1 of [below, n) in twos and single(k) for a last
// odd row, shared among threads by whole pairs: the rows are paired the same
// way whatever the thread count. `rowWork` is the number of element updates
// of one row (its length times the columns of the block it is run against).
template <typename Pair, typename Single>
bool InRowPairs(int below, int n, std::int64_t rowWork, int threads, const Pair& pair,
                const Single& single) {
    const int rows = n - below;
    if (rows <= 0) return true;
    return InRanges((rows + 1) / 2, rows * rowWork, threads, RowPairsBody(below, n, pair, single));
}

// The same for the rows [0, n) when row k's work is about `length - k` times
// `width`: the pairs are dealt out by that cost, so that each thread gets an
// equal share of the work rather than of the rows.
template <typename Pair, typename Single>
bool InShrinkingRowPairs(int n, int length, int width, int threads, const Pair& pair,
                         const Single& single) {
    if (n <= 0) return true;
    const int pairs = (n + 1) / 2;
    const auto body = RowPairsBody(0, n, pair, single);
    if (threads <= 1 || pairs < 2 || Work(n, length) / 2 * width < kParallelWork) {
        return body(0, pairs);
    }
    const auto cost = [length](int u) { return static_cast<double>(std::max(length - 2 * u, 1)); };
    return RunSplit(SplitBalanced(pairs, threads, cost), body);
}

}  // namespace vertano::detail
