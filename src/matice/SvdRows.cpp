#include "matice/SvdRows.h"

#include "matice/ParallelWork.h"

namespace vertano::detail {

namespace {

// `out` := split copies of x[from..to) at the same positions; false when a
// value cannot be split.
bool SplitRange(const Real* x, int from, int to, std::vector<SplitReal>& out) {
    if (static_cast<int>(out.size()) < to) out.resize(to);
    for (int k = from; k < to; ++k) {
        if (!ToSplit(x[k], out[k])) return false;
    }
    return true;
}

// Six rows per pass: each partial sum is loaded and stored once for six
// terms, which are still added one after another; six multipliers, the sum
// and one product fill the x87 registers.
void SixRows(Real* sums, const Real* const* r, const Real* x, int from, int to) {
    const Real* a = r[0];
    const Real* b = r[1];
    const Real* c = r[2];
    const Real* d = r[3];
    const Real* e = r[4];
    const Real* f = r[5];
    const Real xa = x[0], xb = x[1], xc = x[2], xd = x[3], xe = x[4], xf = x[5];
    for (int j = from; j < to; ++j) {
        sums[j] = (((((sums[j] + xa * a[j]) + xb * b[j]) + xc * c[j]) + xd * d[j]) + xe * e[j]) +
                  xf * f[j];
    }
}

// Four rows per pass against one loaded sum.
template <typename S>
void FourRows(Real* const* r, const S* sums, int column, int from, int to) {
    Real* a = r[0];
    Real* b = r[1];
    Real* c = r[2];
    Real* d = r[3];
    const Real xa = a[column], xb = b[column], xc = c[column], xd = d[column];
    for (int j = from; j < to; ++j) {
        const Real t = Load(sums, j);
        a[j] += t * xa;
        b[j] += t * xb;
        c[j] += t * xc;
        d[j] += t * xd;
    }
}

template <typename S>
void TimesColumn(const std::vector<Real*>& rows, int first, int end, const S* sums, int column,
                 int from, int to) {
    int r = first;
    for (; r + 3 < end; r += 4) FourRows(rows.data() + r, sums, column, from, to);
    for (; r < end; ++r) {
        Real* a = rows[r];
        const Real xa = a[column];
        for (int j = from; j < to; ++j) a[j] += Load(sums, j) * xa;
    }
}

template <typename U, typename V>
void Reflect(const std::vector<Real*>& rows, int first, int end, const U* u, const V* v, int from,
             int to) {
    int r = first;
    for (; r + 1 < end; r += 2) {
        Real* a = rows[r];
        Real* b = rows[r + 1];
        Real ta = 0, tb = 0;
        for (int k = from; k < to; ++k) {
            const Real x = Load(u, k);
            ta += a[k] * x;
            tb += b[k] * x;
        }
        for (int k = from; k < to; ++k) {
            const Real y = Load(v, k);
            a[k] += ta * y;
            b[k] += tb * y;
        }
    }
    if (r < end) {
        Real* a = rows[r];
        Real t = 0;
        for (int k = from; k < to; ++k) t += a[k] * Load(u, k);
        for (int k = from; k < to; ++k) a[k] += t * Load(v, k);
    }
}

// Two rows per pass, so that each rotation's c and s are loaded once for both.
template <typename C>
void SweepRows(Tmatrix& M, int first, int end, int l, const C* cs, int count) {
    int jj = first;
    for (; jj + 1 < end; jj += 2) {
        Real* p = M[jj].data() + l;
        Real* q = M[jj + 1].data() + l;
        Real x = p[0];
        Real y = q[0];
        for (int r = 0; r < count; ++r) {
            const Real c = Load(cs, 2 * r);
            const Real s = Load(cs, 2 * r + 1);
            const Real zx = p[r + 1];
            p[r] = x * c + zx * s;
            x = zx * c - x * s;
            const Real zy = q[r + 1];
            q[r] = y * c + zy * s;
            y = zy * c - y * s;
        }
        p[count] = x;
        q[count] = y;
    }
    if (jj < end) {
        Real* p = M[jj].data() + l;
        Real x = p[0];
        for (int r = 0; r < count; ++r) {
            const Real c = Load(cs, 2 * r);
            const Real s = Load(cs, 2 * r + 1);
            const Real z = p[r + 1];
            p[r] = x * c + z * s;
            x = z * c - x * s;
        }
        p[count] = x;
    }
}

template <typename C>
void CancelRows(Tmatrix& M, int first, int end, int fixed, int l, const C* cs, int count) {
    for (int j = first; j < end; ++j) {
        Real* row = M[j].data();
        Real y = row[fixed];
        for (int r = 0; r < count; ++r) {
            const Real c = Load(cs, 2 * r);
            const Real s = Load(cs, 2 * r + 1);
            const Real z = row[l + r];
            row[l + r] = z * c - y * s;
            y = y * c + z * s;
        }
        row[fixed] = y;
    }
}

}  // namespace

// The rows are summed in order for every column; the columns are split.
bool AddRowMultiples(Real* sums, const std::vector<Real*>& rows, const Tvector& x, int from, int to,
                     int threads) {
    const int count = static_cast<int>(rows.size());
    return InRanges(to - from, Work(count, to - from), threads, [&](int first, int end) {
        const int lo = from + first;
        const int hi = from + end;
        int r = 0;
        for (; r + 5 < count; r += 6) SixRows(sums, rows.data() + r, x.data() + r, lo, hi);
        for (; r < count; ++r) {
            const Real* a = rows[r];
            const Real xa = x[r];
            for (int j = lo; j < hi; ++j) sums[j] += xa * a[j];
        }
        return true;
    });
}

bool AddSumsTimesColumn(const std::vector<Real*>& rows, const Real* sums, int column, int from,
                        int to, std::vector<SplitReal>& scratch, int threads) {
    const int count = static_cast<int>(rows.size());
    const bool split = SplitRange(sums, from, to, scratch);
    return InRanges(count, Work(count, to - from), threads, [&](int first, int end) {
        if (split) {
            TimesColumn(rows, first, end, scratch.data(), column, from, to);
        } else {
            TimesColumn(rows, first, end, sums, column, from, to);
        }
        return true;
    });
}

bool ReflectRows(const std::vector<Real*>& rows, const Real* u, const Real* v, int from, int to,
                 std::vector<SplitReal>& scratchU, std::vector<SplitReal>& scratchV, int threads) {
    const int count = static_cast<int>(rows.size());
    const bool split = SplitRange(u, from, to, scratchU) && SplitRange(v, from, to, scratchV);
    return InRanges(count, Work(count, to - from), threads, [&](int first, int end) {
        if (split) {
            Reflect(rows, first, end, scratchU.data(), scratchV.data(), from, to);
        } else {
            Reflect(rows, first, end, u, v, from, to);
        }
        return true;
    });
}

void RotationList::Clear() {
    plain_.clear();
    split_.clear();
    splitUsable_ = true;
}

void RotationList::Add(Real c, Real s) {
    plain_.push_back(c);
    plain_.push_back(s);
    SplitReal sc{}, ss{};
    splitUsable_ = splitUsable_ && ToSplit(c, sc) && ToSplit(s, ss);
    split_.push_back(sc);
    split_.push_back(ss);
}

bool RotationList::Sweep(Tmatrix& M, int rows, int l, int threads) const {
    return InRanges(rows, Work(rows, Size()), threads, [&](int first, int end) {
        if (splitUsable_) {
            SweepRows(M, first, end, l, split_.data(), Size());
        } else {
            SweepRows(M, first, end, l, plain_.data(), Size());
        }
        return true;
    });
}

bool RotationList::Cancel(Tmatrix& M, int rows, int fixed, int l, int threads) const {
    return InRanges(rows, Work(rows, Size()), threads, [&](int first, int end) {
        if (splitUsable_) {
            CancelRows(M, first, end, fixed, l, split_.data(), Size());
        } else {
            CancelRows(M, first, end, fixed, l, plain_.data(), Size());
        }
        return true;
    });
}

}  // namespace vertano::detail
