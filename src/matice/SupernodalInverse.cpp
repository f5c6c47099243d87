// The selected inverse by supernodes (see Supernodal.h). For supernode s with
// columns f..l-1 (w of them) and the rows B below them (mb), all of whose
// entries of Z among themselves are known from the supernodes above:
//   Y   = Z[B][B], gathered from their columns once;
//   P   = Y L21 (mb x w), dot products of rows of Y with columns of L21;
//   Z21 = -P - Z21 L11', column by column from the last (L11' the strictly
//         lower part of the unit triangle), i.e. Z[B][j] = -sum over the rows k
//         of column j of L[k][j] Z[B][k], the recurrence of Takahashi, each row
//         of Z21 a dot product with the column of L11;
//   Z11 by the same recurrence on dense rows.

#include <algorithm>
#include <new>

#include "matice/FpGuard.h"
#include "matice/Kernels.h"
#include "matice/ParallelWork.h"
#include "matice/SparseLdlt.h"
#include "matice/SubtreePlan.h"
#include "matice/Supernodal.h"

namespace vertano::detail {

namespace {

// Every block is written whole before it is read (Y by the gather, P by the
// products, Z21 and Z11 by their recurrences, each entry before the entries
// that read it), so the blocks are resized, not cleared, from one supernode
// to the next.
struct InverseScratch {
    std::vector<Real> y;           // mb x mb, row by row
    std::vector<Real> p;           // w columns of mb
    std::vector<Real> z21;         // w columns of mb
    std::vector<Real> z21r;        // the same by rows: mb rows of w
    std::vector<Real> z11;         // w x w, row by row
    std::vector<SplitReal> split;  // columns of L21
    std::vector<Real> col;         // a column of L11
    std::vector<SplitReal> colSplit;
    bool colSplits = true;
};

class Inverse {
  public:
    Inverse(const LdltFactor& f, std::vector<Real>& value, std::vector<Real>& diagonal)
        : f_(f), value_(value), diagonal_(diagonal) {}

    void Supernode(int32_t s, InverseScratch& w) {
        const int32_t first = f_.supernode[s];
        const int32_t last = f_.supernode[s + 1];
        const int32_t width = last - first;
        const int32_t lastCol = last - 1;
        const int32_t mb = f_.start[lastCol + 1] - f_.start[lastCol];
        const int32_t* B = f_.row.data() + f_.start[lastCol];
        Gather(B, mb, w);
        // Columns of L21 (contiguous in the factor) and P = Y L21.
        const auto l21 = [&](int32_t k) {
            return f_.value.data() + f_.start[first + k] + (lastCol - (first + k));
        };
        w.p.resize(static_cast<std::size_t>(width) * mb);
        bool splits = true;
        w.split.resize(static_cast<std::size_t>(width) * mb);
        for (int32_t k = 0; k < width && splits; ++k) {
            for (int32_t a = 0; a < mb && splits; ++a) {
                splits = ToSplit(l21(k)[a], w.split[static_cast<std::size_t>(k) * mb + a]);
            }
        }
        const auto product = [&](const auto* c0, const auto* c1, int32_t k) {
            Real* p0 = w.p.data() + static_cast<std::size_t>(k) * mb;
            Real* p1 = p0 + mb;
            int32_t a = 0;
            for (; a + 1 < mb; a += 2) {
                const Real* y0 = w.y.data() + static_cast<std::size_t>(a) * mb;
                const Sums2x2 x = Dot2x2(y0, y0 + mb, c0, c1, 0, mb);
                p0[a] = x.s00;
                p1[a] = x.s01;
                p0[a + 1] = x.s10;
                p1[a + 1] = x.s11;
            }
            if (a < mb) {
                const Sums2 x =
                    Dot1x2(w.y.data() + static_cast<std::size_t>(a) * mb, c0, c1, 0, mb);
                p0[a] = x.s0;
                p1[a] = x.s1;
            }
        };
        int32_t k = 0;
        for (; k + 1 < width; k += 2) {
            if (splits) {
                const SplitReal* c = w.split.data() + static_cast<std::size_t>(k) * mb;
                product(c, c + mb, k);
            } else {
                product(l21(k), l21(k + 1), k);
            }
        }
        if (k < width) {
            Real* p0 = w.p.data() + static_cast<std::size_t>(k) * mb;
            for (int32_t a = 0; a < mb; ++a) {
                p0[a] = Dot(w.y.data() + static_cast<std::size_t>(a) * mb, l21(k), 0, mb);
            }
        }
        // Z21 by rows, from the last column: Z21[a][j] = -P[a][j] - the sum
        // over i > j of L11[i][j] Z21[a][i], two rows against the column of
        // L11 at a time.
        w.z21r.resize(static_cast<std::size_t>(width) * mb);
        const auto zr = [&](int32_t a) {
            return w.z21r.data() + static_cast<std::size_t>(a) * width;
        };
        for (int32_t j = width - 1; j >= 0; --j) {
            Column(first, j, width, w);
            const Real* pj = w.p.data() + static_cast<std::size_t>(j) * mb;
            int32_t a = 0;
            for (; a + 1 < mb; a += 2) {
                Sums2 x{0, 0};
                WithColumn(w,
                           [&](const auto* c) { x = Dot1x2(c, zr(a), zr(a + 1), j + 1, width); });
                zr(a)[j] = -pj[a] - x.s0;
                zr(a + 1)[j] = -pj[a + 1] - x.s1;
            }
            if (a < mb) zr(a)[j] = -pj[a] - Dot(w.col.data(), zr(a), j + 1, width);
        }
        w.z21.resize(static_cast<std::size_t>(width) * mb);
        for (int32_t a = 0; a < mb; ++a) {
            for (int32_t k = 0; k < width; ++k)
                w.z21[static_cast<std::size_t>(k) * mb + a] = zr(a)[k];
        }
        const auto z21 = [&](int32_t k) { return w.z21.data() + static_cast<std::size_t>(k) * mb; };
        // Z11 on dense rows, column by column from the last, two rows at a time.
        w.z11.resize(static_cast<std::size_t>(width) * width);
        const auto z11 = [&](int32_t i) {
            return w.z11.data() + static_cast<std::size_t>(i) * width;
        };
        for (int32_t j = width - 1; j >= 0; --j) {
            Column(first, j, width, w);
            const auto below = [&](const auto* c0, const auto* c1, int32_t from, int32_t to) {
                Sums2 x{0, 0};
                WithColumn(w, [&](const auto* c) { x = Dot1x2(c, c0, c1, from, to); });
                return x;
            };
            const auto lower = [&](const Real* c0, const Real* c1) {
                if (splits) {
                    return Dot1x2(w.split.data() + static_cast<std::size_t>(j) * mb, c0, c1, 0, mb);
                }
                return Dot1x2(l21(j), c0, c1, 0, mb);
            };
            int32_t i = width - 1;
            for (; i - 1 > j; i -= 2) {
                const Sums2 x = below(z11(i), z11(i - 1), j + 1, width);
                const Sums2 y = lower(z21(i), z21(i - 1));
                z11(i)[j] = z11(j)[i] = -(x.s0 + y.s0);
                z11(i - 1)[j] = z11(j)[i - 1] = -(x.s1 + y.s1);
            }
            if (i > j) {
                const Real t = Dot(w.col.data(), z11(i), j + 1, width) + Dot(l21(j), z21(i), 0, mb);
                z11(i)[j] = z11(j)[i] = -t;
            }
            const Real t = Dot(w.col.data(), z11(j), j + 1, width) + Dot(l21(j), z21(j), 0, mb);
            z11(j)[j] = 1 / f_.d[first + j] - t;
        }
        // Into the selected inverse.
        for (int32_t j = 0; j < width; ++j) {
            const int32_t c = first + j;
            diagonal_[c] = z11(j)[j];
            Real* out = value_.data() + f_.start[c];
            for (int32_t i = j + 1; i < width; ++i) *out++ = z11(i)[j];
            const Real* z = z21(j);
            for (int32_t a = 0; a < mb; ++a) *out++ = z[a];
        }
    }

  private:
    // Column j of L11 (rows j+1 .. width-1 at their own index, zero above),
    // also as split pairs when every value splits.
    void Column(int32_t first, int32_t j, int32_t width, InverseScratch& w) const {
        w.col.assign(static_cast<std::size_t>(width), 0);
        w.colSplit.resize(static_cast<std::size_t>(width));
        w.colSplits = true;
        const Real* l11 = f_.value.data() + f_.start[first + j];
        for (int32_t i = j + 1; i < width; ++i) {
            w.col[i] = l11[i - j - 1];
            if (w.colSplits) w.colSplits = ToSplit(w.col[i], w.colSplit[i]);
        }
    }

    template <class Visit>
    static void WithColumn(const InverseScratch& w, const Visit& visit) {
        if (w.colSplits) {
            visit(w.colSplit.data());
        } else {
            visit(w.col.data());
        }
    }

    // Y = Z[B][B] from the columns of B, each walked once against B.
    void Gather(const int32_t* B, int32_t mb, InverseScratch& w) {
        w.y.resize(static_cast<std::size_t>(mb) * mb);
        for (int32_t b = 0; b < mb; ++b) {
            const int32_t rb = B[b];
            w.y[static_cast<std::size_t>(b) * mb + b] = diagonal_[rb];
            int32_t q = f_.start[rb];
            for (int32_t a = b + 1; a < mb; ++a) {
                while (f_.row[q] != B[a]) ++q;
                const Real z = value_[q];
                w.y[static_cast<std::size_t>(a) * mb + b] = z;
                w.y[static_cast<std::size_t>(b) * mb + a] = z;
            }
        }
    }

    const LdltFactor& f_;
    std::vector<Real>& value_;
    std::vector<Real>& diagonal_;
};

// Below this many entries of L a second thread costs more than it saves.
constexpr std::size_t kParallelInverse = 20000;

}  // namespace

bool SupernodalInverse(const LdltFactor& f, int threads, std::vector<Real>& value,
                       std::vector<Real>& diagonal) {
    const int32_t n = f.n;
    const auto S = static_cast<int32_t>(f.supernode.size()) - 1;
    if (S < 1 || f.supernode.front() != 0 || f.supernode.back() != n) return false;
    try {
        const FpGuard guard;
        value.assign(f.value.size(), 0);
        diagonal.assign(static_cast<std::size_t>(n), 0);
        Inverse inverse(f, value, diagonal);
        InverseScratch scratch;
        threads = std::clamp(threads, 1, kMaxThreads);
        if (threads == 1 || f.value.size() < kParallelInverse) {
            for (int32_t s = S - 1; s >= 0; --s) inverse.Supernode(s, scratch);
        } else {
            // The parent of a supernode owns the first row below it.
            std::vector<int32_t> owner(static_cast<std::size_t>(n), 0);
            for (int32_t s = 0; s < S; ++s) {
                for (int32_t c = f.supernode[s]; c < f.supernode[s + 1]; ++c) owner[c] = s;
            }
            std::vector<int32_t> parent(static_cast<std::size_t>(S), -1);
            std::vector<double> own(static_cast<std::size_t>(S), 0);
            for (int32_t s = 0; s < S; ++s) {
                const int32_t lastCol = f.supernode[s + 1] - 1;
                const double mb = f.start[lastCol + 1] - f.start[lastCol];
                const double width = f.supernode[s + 1] - f.supernode[s];
                own[s] = mb * mb * width + width * width * (width + mb) / 2 + 1;
                if (mb > 0) parent[s] = owner[f.row[f.start[lastCol]]];
            }
            const SubtreePlan plan = PlanSubtrees(parent, own, threads);
            for (const int32_t s : plan.top) inverse.Supernode(s, scratch);
            TindexVector ranges(plan.groups.size() + 1);
            for (std::size_t g = 0; g < ranges.size(); ++g) ranges[g] = static_cast<int>(g);
            const bool ok = RunSplit(ranges, [&](int from, int end) {
                InverseScratch w;
                for (int g = from; g < end; ++g) {
                    const std::vector<int32_t>& group = plan.groups[g];
                    for (auto s = group.rbegin(); s != group.rend(); ++s) inverse.Supernode(*s, w);
                }
                return true;
            });
            if (!ok) return false;
        }
        return guard.Ok();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace vertano::detail
