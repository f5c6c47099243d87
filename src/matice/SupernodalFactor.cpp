// The numeric half of the supernodal LDL^T: each supernode's block gathers
// the updates of the supernodes below it (left-looking, in ascending order of
// the updating supernode) and is then factored as a dense block. Every sum is
// a dot product over the columns of one supernode, run by the blocked kernels
// of the dense routines on rows held contiguously.

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/ParallelWork.h"
#include "matice/SparseLdlt.h"
#include "matice/SubtreePlan.h"
#include "matice/Supernodal.h"

namespace vertano {

namespace {

using detail::SplitReal;

// Rows of D L held once as 80-bit values and, where every value splits, as
// split pairs for the kernel (the same products either way).
template <class T>
class ScaledRows {
  public:
    void Reset(int32_t rows, int32_t width) {
        width_ = width;
        real_.resize(static_cast<std::size_t>(rows) * width);
        split_.resize(static_cast<std::size_t>(rows) * width);
        usable_ = true;
    }
    void Set(int32_t r, int32_t k, Real x) {
        const std::size_t at = static_cast<std::size_t>(r) * width_ + k;
        real_[at] = x;
        if (usable_) usable_ = detail::ToSplit(x, split_[at]);
    }
    // visit(pointer to row r0, pointer to row r1) with the kind that loads fastest.
    template <class Visit>
    void With(int32_t r0, int32_t r1, const Visit& visit) const {
        const std::size_t a = static_cast<std::size_t>(r0) * width_;
        const std::size_t b = static_cast<std::size_t>(r1) * width_;
        if (usable_) {
            visit(split_.data() + a, split_.data() + b);
        } else {
            visit(real_.data() + a, real_.data() + b);
        }
    }

  private:
    int32_t width_ = 0;
    std::vector<Real> real_;
    std::vector<SplitReal> split_;
    bool usable_ = true;
};

// In double precision the rows are plain doubles.
template <>
class ScaledRows<double> {
  public:
    void Reset(int32_t rows, int32_t width) {
        width_ = width;
        rows_.resize(static_cast<std::size_t>(rows) * width);
    }
    void Set(int32_t r, int32_t k, double x) {
        rows_[static_cast<std::size_t>(r) * width_ + k] = x;
    }
    template <class Visit>
    void With(int32_t r0, int32_t r1, const Visit& visit) const {
        visit(rows_.data() + static_cast<std::size_t>(r0) * width_,
              rows_.data() + static_cast<std::size_t>(r1) * width_);
    }

  private:
    int32_t width_ = 0;
    std::vector<double> rows_;
};

// The kernels in double precision, with the names of the extended ones so
// that the factorisation below is written once. Each sum runs over ascending
// k from zero, as the extended kernels do.
struct Sums2x2D {
    double s00, s01, s10, s11;
};
struct Sums2D {
    double s0, s1;
};

double Load(const double* p, int k) {
    return p[k];
}

double Dot(const double* a, const double* b, int from, int to) {
    double s = 0;
    for (int k = from; k < to; ++k) s += a[k] * b[k];
    return s;
}

Sums2D Dot1x2(const double* a, const double* b0, const double* b1, int from, int to) {
    double s0 = 0, s1 = 0;
    for (int k = from; k < to; ++k) {
        s0 += a[k] * b0[k];
        s1 += a[k] * b1[k];
    }
    return {s0, s1};
}

Sums2x2D Dot2x2(const double* a0, const double* a1, const double* b0, const double* b1, int from,
                int to) {
    double s00 = 0, s01 = 0, s10 = 0, s11 = 0;
    for (int k = from; k < to; ++k) {
        s00 += a0[k] * b0[k];
        s10 += a1[k] * b0[k];
        s01 += a0[k] * b1[k];
        s11 += a1[k] * b1[k];
    }
    return {s00, s01, s10, s11};
}

using detail::Dot;
using detail::Dot1x2;
using detail::Dot2x2;
using detail::Load;

// An update shares its rows among threads from this many multiply-adds on:
// starting a thread costs some tens of microseconds.
constexpr int64_t kRowPairWork = int64_t{1} << 19;

template <class T>
struct Scratch {
    std::vector<int32_t> local;  // row of the factor -> row of the current block
    ScaledRows<T> scaled;
};

template <class T>
class Factorisation {
  public:
    Factorisation(const SupernodalPlan& plan, const std::vector<Real>& diagonal, Real relative,
                  std::vector<T>& room)
        : blocks(room), plan_(plan), diagonal_(diagonal), relative_(relative) {}

    std::vector<T>& blocks;
    std::vector<T> d;
    // Threads that share the rows of a large update (the top of the tree,
    // which one thread runs after the subtrees); 1 within the subtrees.
    int rowThreads_ = 1;

    // Factors supernode s; false at a pivot too small (its position in `bad`).
    bool Supernode(int32_t s, Scratch<T>& w, int32_t& bad) {
        const int64_t r0 = plan_.rowStart[s];
        const int32_t h = plan_.Height(s);
        for (int32_t r = 0; r < h; ++r) w.local[plan_.rows[r0 + r]] = r;
        for (int64_t u = plan_.updateStart[s]; u < plan_.updateStart[s + 1]; ++u) {
            Update(plan_.updates[u], s, w);
        }
        return Dense(s, w, bad);
    }

  private:
    // Block s minus the product of the rows first.. of supernode K with D_K
    // and its rows first..last-1 (those are columns of s).
    void Update(const SupernodalPlan::Update& u, int32_t s, Scratch<T>& w) {
        const int32_t K = u.from;
        const int32_t wk = plan_.Width(K);
        const int32_t hk = plan_.Height(K);
        const T* L = blocks.data() + plan_.block[K];
        const int32_t* rk = plan_.rows.data() + plan_.rowStart[K];
        const T* dk = d.data() + plan_.first[K];
        const int32_t nc = u.last - u.first;
        w.scaled.Reset(nc, wk);
        for (int32_t c = 0; c < nc; ++c) {
            const T* row = L + static_cast<int64_t>(u.first + c) * wk;
            for (int32_t k = 0; k < wk; ++k) w.scaled.Set(c, k, dk[k] * row[k]);
        }
        T* B = blocks.data() + plan_.block[s];
        const int32_t ws = plan_.Width(s);
        const int32_t fs = plan_.first[s];
        const auto target = [&](int32_t i) {
            return B + static_cast<int64_t>(w.local[rk[i]]) * ws;
        };
        const auto pair = [&](int32_t i) {
            const T* a0 = L + static_cast<int64_t>(i) * wk;
            const T* a1 = a0 + wk;
            T* t0 = target(i);
            T* t1 = target(i + 1);
            // Rows that are columns of s need the columns up to their own only
            // (the rest would fall above the diagonal of its block).
            const int32_t upto = std::min(nc, i + 2 - u.first);
            int32_t c = 0;
            for (; c + 1 < upto; c += 2) {
                const int32_t j0 = rk[u.first + c] - fs;
                const int32_t j1 = rk[u.first + c + 1] - fs;
                w.scaled.With(c, c + 1, [&](const auto* b0, const auto* b1) {
                    const auto x = Dot2x2(a0, a1, b0, b1, 0, wk);
                    t0[j0] -= x.s00;
                    t0[j1] -= x.s01;
                    t1[j0] -= x.s10;
                    t1[j1] -= x.s11;
                });
            }
            if (c < upto) {
                const int32_t j0 = rk[u.first + c] - fs;
                w.scaled.With(c, c, [&](const auto* b0, const auto*) {
                    const auto x = Dot1x2(b0, a0, a1, 0, wk);
                    t0[j0] -= x.s0;
                    t1[j0] -= x.s1;
                });
            }
            return true;
        };
        const auto single = [&](int32_t i) {
            const T* a0 = L + static_cast<int64_t>(i) * wk;
            T* t0 = target(i);
            const int32_t upto = std::min(nc, i + 1 - u.first);
            for (int32_t c = 0; c < upto; ++c) {
                const int32_t j0 = rk[u.first + c] - fs;
                w.scaled.With(c, c,
                              [&](const auto* b0, const auto*) { t0[j0] -= Dot(a0, b0, 0, wk); });
            }
            return true;
        };
        // Each pair of rows updates its own rows of the block: with threads
        // for the top of the tree, a large update is shared out by whole
        // pairs, paired as in one thread.
        const int32_t rows = hk - u.first;
        const int64_t work = static_cast<int64_t>(rows) * nc * wk;
        const auto body = detail::RowPairsBody(u.first, hk, pair, single);
        if (rowThreads_ > 1 && work >= kRowPairWork) {
            detail::InRangesAsOne((rows + 1) / 2, work, rowThreads_, body);
        } else {
            body(0, (rows + 1) / 2);
        }
    }

    bool Pivot(int32_t s, int32_t c, T value, int32_t& bad) {
        const int32_t position = plan_.first[s] + c;
        d[position] = value;
        if (!(value > relative_ * diagonal_[position]) || !std::isfinite(value)) {
            bad = position;
            return false;
        }
        return true;
    }

    // L D L^T of the block's leading columns, two at a time: the rows of each
    // pair of columns run against the scaled rows of both.
    bool Dense(int32_t s, Scratch<T>& w, int32_t& bad) {
        T* B = blocks.data() + plan_.block[s];
        const int32_t ws = plan_.Width(s);
        const int32_t h = plan_.Height(s);
        const T* ds = d.data() + plan_.first[s];
        const auto row = [&](int32_t r) { return B + static_cast<int64_t>(r) * ws; };
        for (int32_t c = 0; c < ws; c += 2) {
            const bool pair = c + 1 < ws;
            w.scaled.Reset(2, std::max(c + 1, 1));
            for (int32_t k = 0; k < c; ++k) w.scaled.Set(0, k, ds[k] * row(c)[k]);
            T dc = row(c)[c];
            w.scaled.With(0, 0, [&](const auto* b0, const auto*) { dc -= Dot(row(c), b0, 0, c); });
            if (!Pivot(s, c, dc, bad)) return false;
            row(c)[c] = dc;
            int32_t below = c + 1;
            T dn = 0;
            if (pair) {
                T l = row(c + 1)[c];
                w.scaled.With(0, 0,
                              [&](const auto* b0, const auto*) { l -= Dot(row(c + 1), b0, 0, c); });
                l /= dc;
                row(c + 1)[c] = l;
                for (int32_t k = 0; k <= c; ++k) w.scaled.Set(1, k, ds[k] * row(c + 1)[k]);
                dn = row(c + 1)[c + 1];
                w.scaled.With(1, 1, [&](const auto* b1, const auto*) {
                    dn -= Dot(row(c + 1), b1, 0, c + 1);
                });
                if (!Pivot(s, c + 1, dn, bad)) return false;
                row(c + 1)[c + 1] = dn;
                below = c + 2;
            }
            const auto finish = [&](T* r, T s0, T s1) {
                const T l0 = (r[c] - s0) / dc;
                r[c] = l0;
                if (pair) {
                    w.scaled.With(1, 1,
                                  [&](const auto* b1, const auto*) { s1 += l0 * Load(b1, c); });
                    r[c + 1] = (r[c + 1] - s1) / dn;
                }
            };
            int32_t i = below;
            for (; i + 1 < h; i += 2) {
                T* a0 = row(i);
                T* a1 = row(i + 1);
                T x[4] = {0, 0, 0, 0};
                w.scaled.With(0, 1, [&](const auto* b0, const auto* b1) {
                    const auto y =
                        Dot2x2(static_cast<const T*>(a0), static_cast<const T*>(a1), b0, b1, 0, c);
                    x[0] = y.s00;
                    x[1] = y.s01;
                    x[2] = y.s10;
                    x[3] = y.s11;
                });
                finish(a0, x[0], x[1]);
                finish(a1, x[2], x[3]);
            }
            if (i < h) {
                T* a0 = row(i);
                T s0 = 0;
                T s1 = 0;
                w.scaled.With(0, 1, [&](const auto* b0, const auto* b1) {
                    s0 = Dot(static_cast<const T*>(a0), b0, 0, c);
                    s1 = Dot(static_cast<const T*>(a0), b1, 0, c);
                });
                finish(a0, s0, s1);
            }
        }
        return true;
    }

    const SupernodalPlan& plan_;
    const std::vector<Real>& diagonal_;  // of N, by position
    Real relative_;
};

// The blocks as columns of L (the zeros of the relaxed supernodes kept).
template <class T>
void ToColumns(const SupernodalPlan& plan, const std::vector<T>& blocks, LdltFactor& f) {
    const int32_t n = plan.n;
    f.n = n;
    f.perm = plan.perm;
    f.inverse = plan.inverse;
    f.start.assign(static_cast<std::size_t>(n) + 1, 0);
    const auto entries = static_cast<std::size_t>(plan.FactorEntries());
    f.row.resize(entries);
    f.value.resize(entries);
    int64_t at = 0;
    for (int32_t s = 0; s < plan.Supernodes(); ++s) {
        const int32_t w = plan.Width(s);
        const int32_t h = plan.Height(s);
        const int32_t* r = plan.rows.data() + plan.rowStart[s];
        const T* B = blocks.data() + plan.block[s];
        for (int32_t c = 0; c < w; ++c) {
            for (int32_t i = c + 1; i < h; ++i) {
                f.row[at] = r[i];
                f.value[at] = B[static_cast<int64_t>(i) * w + c];
                ++at;
            }
            f.start[plan.first[s] + c + 1] = static_cast<int32_t>(at);
        }
    }
    f.supernode = plan.first;
}

}  // namespace

namespace {

template <class T>
std::vector<T>& Blocks(SupernodalRoom& room);
template <>
std::vector<double>& Blocks<double>(SupernodalRoom& room) {
    return room.blocks;
}
template <>
std::vector<Real>& Blocks<Real>(SupernodalRoom& room) {
    return room.blocksExtended;
}

template <class T>
bool Factor(const SupernodalPlan& plan, const SparseSymmetric& N, Real relativePivot, int threads,
            LdltFactor& f, int32_t& defect, SupernodalRoom& room) {
    const int32_t n = plan.n;
    const FpGuard guard;
    std::vector<Real> diagonal(static_cast<std::size_t>(n), 0);
    for (int32_t j = 0; j < n; ++j) {
        const int32_t p = N.start[j];
        if (p < N.start[j + 1] && N.row[p] == j) diagonal[plan.perm[j]] = N.value[p];
    }
    Factorisation<T> work(plan, diagonal, relativePivot, Blocks<T>(room));
    work.blocks.assign(static_cast<std::size_t>(plan.block.back()), 0);
    work.d.assign(static_cast<std::size_t>(n), 0);
    for (std::size_t e = 0; e < plan.entry.size(); ++e) {
        work.blocks[plan.entry[e]] = static_cast<T>(N.value[e]);
    }
    const int32_t S = plan.Supernodes();
    threads = std::clamp(threads, 1, kMaxThreads);
    int32_t bad = -1;
    Scratch<T> scratch;
    scratch.local.assign(static_cast<std::size_t>(n), -1);
    bool ok = true;
    if (threads == 1 || work.blocks.size() < 20000) {
        for (int32_t s = 0; s < S && ok; ++s) ok = work.Supernode(s, scratch, bad);
    } else {
        const detail::SubtreePlan split = detail::PlanSubtrees(plan.parent, plan.work, threads);
        std::vector<int32_t> groupBad(split.groups.size(), -1);
        TindexVector ranges(split.groups.size() + 1);
        for (std::size_t g = 0; g < ranges.size(); ++g) ranges[g] = static_cast<int>(g);
        const bool ran = detail::RunSplit(ranges, [&](int from, int end) {
            Scratch<T> w;
            w.local.assign(static_cast<std::size_t>(n), -1);
            for (int g = from; g < end; ++g) {
                for (const int32_t s : split.groups[g]) {
                    if (!work.Supernode(s, w, groupBad[g])) break;
                }
            }
            return true;
        });
        if (!ran) return false;
        // The first bad pivot in the order of one thread: the smallest found
        // by the groups, unless a supernode of the top before it has one.
        for (const int32_t b : groupBad) {
            if (b >= 0 && (bad < 0 || b < bad)) bad = b;
        }
        work.rowThreads_ = threads;
        for (auto s = split.top.rbegin(); s != split.top.rend() && ok; ++s) {
            if (bad >= 0 && plan.first[*s] > bad) break;
            int32_t topBad = -1;
            ok = work.Supernode(*s, scratch, topBad);
            if (!ok) bad = topBad;
        }
        ok = ok && bad < 0;
    }
    if (!ok) {
        if (bad >= 0) defect = plan.inverse[bad];
        return false;
    }
    if (!guard.Ok()) return false;
    ToColumns(plan, work.blocks, f);
    f.d.assign(work.d.begin(), work.d.end());
    return true;
}

}  // namespace

bool FactorSupernodal(const SupernodalPlan& plan, const SparseSymmetric& N, Real relativePivot,
                      int threads, LdltFactor& f, int32_t& defect, FactorPrecision precision,
                      SupernodalRoom* room) {
    defect = -1;
    // A factor that succeeds overwrites every part of f, reusing its storage;
    // one that fails leaves it empty.
    SupernodalRoom own;
    SupernodalRoom& blocks = room != nullptr ? *room : own;
    const bool ok = N.n == plan.n && N.value.size() == plan.entry.size() && plan.n >= 1 &&
                    // The columns of the factor are indexed by 32 bits.
                    plan.FactorEntries() <= std::numeric_limits<int32_t>::max() &&
                    (precision == FactorPrecision::Double
                         ? Factor<double>(plan, N, relativePivot, threads, f, defect, blocks)
                         : Factor<Real>(plan, N, relativePivot, threads, f, defect, blocks));
    if (!ok) f = LdltFactor{};
    return ok;
}

}  // namespace vertano
