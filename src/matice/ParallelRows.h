#pragma once

#include <functional>

#include "matice/MatrixTypes.h"

namespace vertano {

// Splitting of row ranges among worker threads and running them.
//
// A split is a TindexVector of t + 1 non-decreasing boundaries; range k is
// rows split[k] .. split[k+1] - 1 (empty when the two are equal).

// Called repeatedly by the waiting thread while workers run, so that a window
// can repaint itself. It must not touch the matrices being computed.
using WaitHook = std::function<void()>;

// One range of rows; returns false when its computation failed.
using RowRangeBody = std::function<bool(int pocatek, int konec)>;

inline constexpr int kMaxThreads = 255;

// The usable number of workers for `rows` rows: a requested count below 1
// (processor count unknown, or 256 processors stored in a byte) means one,
// never more than 255 and never more than there are rows (but at least one
// even for no rows, so that a split always has a range).
int ClampThreadCount(int requested, int rows);

// For products whose row i costs about n - i (the symmetric ones): every range
// but the last takes rows while its cost is below ceil(n^2 / 2 / t). `threads`
// is clamped (ClampThreadCount) and stored back.
TindexVector SplitTriangular(int n, int& threads);

// Rows dealt out evenly: the first n mod t ranges get one row more.
TindexVector SplitEven(int n, int& threads);

// Ranges of about equal total cost for any row cost: every range but the last
// takes rows while its cost is below the total / t.
TindexVector SplitBalanced(int n, int& threads, const std::function<double(int row)>& cost);

// Runs body(pocatek, konec) for every range: in the calling thread when there
// is one range, else one std::thread per non-empty range while the calling
// thread waits, calling `hook` between short waits. Every worker reports
// completion whether its body succeeded, failed or threw; the result is true
// only when all bodies succeeded. If a thread cannot be started its range runs
// in the calling thread. False for a malformed split.
[[nodiscard]] bool RunRowRanges(const TindexVector& split, const RowRangeBody& body,
                                const WaitHook& hook = {});

// The same without a hook: the calling thread runs the first non-empty range
// itself while one thread per further range runs the others, and returns
// when all are done. For the short steps of the factorisations, which start
// workers many times per matrix and have no window to repaint meanwhile.
[[nodiscard]] bool RunRowRangesHere(const TindexVector& split, const RowRangeBody& body);

}  // namespace vertano
