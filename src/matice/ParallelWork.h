#pragma once

#include <cstdint>

#include "matice/FpGuard.h"
#include "matice/ParallelRows.h"

namespace vertano::detail {

// Below this many element updates a second thread costs more than it saves.
inline constexpr std::int64_t kParallelWork = std::int64_t{1} << 17;

inline std::int64_t Work(int rows, int columns) {
    return static_cast<std::int64_t>(rows) * columns;
}

// body(first, end) over the units [0, count), in `threads` even ranges when the
// work is large enough to pay for the threads, else in the calling thread.
// The callers give every unit the same operations whichever range it falls
// in, so their results do not depend on the thread count. False when a body
// returned false or the arithmetic of a worker faulted (the caller's guard
// sees only its own thread).
template <typename Body>
bool InRanges(int count, std::int64_t work, int threads, const Body& body) {
    if (threads <= 1 || count < 2 || work < kParallelWork) return body(0, count);
    const TindexVector split = SplitEven(count, threads);
    return RunRowRanges(split, [&body](int pocatek, int konec) {
        FpGuard guard;
        const bool ok = body(pocatek, konec + 1);
        return ok && guard.Ok();
    });
}

// pair(k) for the rows k, k + 1 of [below, n) in twos and single(k) for a last
// odd row, shared among threads by whole pairs: the rows are paired the same
// way whatever the thread count. `prefix` is the length each row's work runs
// over. False as soon as a call in a range returns false.
template <typename Pair, typename Single>
bool InRowPairs(int below, int n, int prefix, int threads, const Pair& pair, const Single& single) {
    const int rows = n - below;
    if (rows <= 0) return true;
    return InRanges((rows + 1) / 2, Work(rows, prefix), threads, [&](int first, int end) {
        for (int u = first; u < end; ++u) {
            const int k = below + 2 * u;
            if (!(k + 1 < n ? pair(k) : single(k))) return false;
        }
        return true;
    });
}

}  // namespace vertano::detail
