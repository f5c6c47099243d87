#include "matice/Svd.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "matice/FpGuard.h"
#include "matice/MatrixChecks.h"
#include "matice/ParallelRows.h"
#include "matice/SvdRows.h"

namespace vertano {

namespace {

using detail::AddRowMultiples;
using detail::AddSumsTimesColumn;
using detail::RotationList;

constexpr int kMaxIterations = 30;

// sqrt(a^2 + b^2) without destructive overflow or underflow.
Real Pythag(Real a, Real b) {
    const Real absa = std::fabs(a);
    const Real absb = std::fabs(b);
    if (absa >= absb && a != 0) {
        const Real r = absb / absa;
        return absa * std::sqrt(1 + r * r);
    }
    if (absa < absb) {
        const Real r = absa / absb;
        return absb * std::sqrt(1 + r * r);
    }
    return 0;
}

// |magnitude| with the sign of `source` (zero counts as positive).
Real SignOf(Real source, Real magnitude) {
    return source >= 0 ? std::fabs(magnitude) : -std::fabs(magnitude);
}

// Every step of the published algorithm that runs down the columns of U or V
// is done here row by row with the same arithmetic per element: the column
// sums of a Householder step are gathered in one pass over the rows and the
// updates applied in a second, and the plane rotations of a QR sweep are first
// computed (they depend only on w and rv1) and then applied along each row,
// where the element shared by two successive rotations stays in a register.
class GolubReinsch {
  public:
    GolubReinsch(Tmatrix& a, Tvector& w, Tmatrix& v, int m, int n, int threads)
        : a_(a), w_(w), v_(v), m_(m), n_(n), threads_(threads), rv1_(n), sums_(n) {}

    bool Run(FpGuard& guard) {
        Bidiagonalise();
        AccumulateRight();
        AccumulateLeft();
        if (!guard.Ok() || !workersOk_ || !detail::IsFinite(anorm_)) return false;
        for (int k = n_ - 1; k >= 0; --k) {
            if (!Diagonalise(k) || !guard.Ok() || !workersOk_) return false;
        }
        return true;
    }

  private:
    // A fault in a worker thread does not show in the caller's flags.
    void Track(bool ok) { workersOk_ = workersOk_ && ok; }

    // Column i below the diagonal: the reflector that zeroes it, applied to
    // the columns right of it.
    Real LeftReflector(int i) {
        Real scale = 0, s = 0, g = 0;
        for (int k = i; k < m_; ++k) scale += std::fabs(a_[k][i]);
        if (scale == 0) return 0;
        for (int k = i; k < m_; ++k) {
            a_[k][i] /= scale;
            s += a_[k][i] * a_[k][i];
        }
        const Real f = a_[i][i];
        g = -SignOf(f, std::sqrt(s));
        const Real h = f * g - s;
        a_[i][i] = f - g;
        std::fill(sums_.begin() + i + 1, sums_.end(), 0.0L);
        RowsFrom(a_, i, m_, i);
        Track(AddRowMultiples(sums_.data(), rows_, x_, i + 1, n_, threads_));
        for (int j = i + 1; j < n_; ++j) sums_[j] /= h;
        Track(AddSumsTimesColumn(rows_, sums_.data(), i, i + 1, n_, scratch_, threads_));
        for (int k = i; k < m_; ++k) a_[k][i] *= scale;
        return scale * g;
    }

    // Row i right of the superdiagonal, applied to the rows below.
    Real RightReflector(int i) {
        const int l = i + 1;
        Real* ai = a_[i].data();
        Real scale = 0, s = 0;
        for (int k = l; k < n_; ++k) scale += std::fabs(ai[k]);
        if (scale == 0) return 0;
        for (int k = l; k < n_; ++k) {
            ai[k] /= scale;
            s += ai[k] * ai[k];
        }
        const Real f = ai[l];
        const Real g = -SignOf(f, std::sqrt(s));
        const Real h = f * g - s;
        ai[l] = f - g;
        for (int k = l; k < n_; ++k) rv1_[k] = ai[k] / h;
        rows_.clear();
        for (int j = l; j < m_; ++j) rows_.push_back(a_[j].data());
        Track(detail::ReflectRows(rows_, ai, rv1_.data(), l, n_, scratch_, scratch2_, threads_));
        for (int k = l; k < n_; ++k) ai[k] *= scale;
        return scale * g;
    }

    void Bidiagonalise() {
        Real g = 0;
        for (int i = 0; i < n_; ++i) {
            rv1_[i] = g;  // the previous row step's scale * g
            w_[i] = i < m_ ? LeftReflector(i) : 0;
            g = (i < m_ && i != n_ - 1) ? RightReflector(i) : 0;
            anorm_ = std::max(anorm_, std::fabs(w_[i]) + std::fabs(rv1_[i]));
        }
        lastG_ = g;
    }

    void AccumulateRight() {
        Real g = lastG_;
        for (int i = n_ - 1; i >= 0; --i) {
            const int l = i + 1;
            if (i < n_ - 1) {
                if (g != 0) RightUpdate(i, g);
                for (int j = l; j < n_; ++j) v_[i][j] = v_[j][i] = 0;
            }
            v_[i][i] = 1;
            g = rv1_[i];
        }
    }

    void RightUpdate(int i, Real g) {
        const int l = i + 1;
        const Real* ai = a_[i].data();
        // The double division guards against underflow.
        for (int j = l; j < n_; ++j) v_[j][i] = (ai[j] / ai[l]) / g;
        std::fill(sums_.begin() + l, sums_.end(), 0.0L);
        rows_.clear();
        x_.clear();
        for (int k = l; k < n_; ++k) {
            rows_.push_back(v_[k].data());
            x_.push_back(ai[k]);
        }
        Track(AddRowMultiples(sums_.data(), rows_, x_, l, n_, threads_));
        Track(AddSumsTimesColumn(rows_, sums_.data(), i, l, n_, scratch_, threads_));
    }

    void AccumulateLeft() {
        for (int i = std::min(m_, n_) - 1; i >= 0; --i) {
            const int l = i + 1;
            Real g = w_[i];
            for (int j = l; j < n_; ++j) a_[i][j] = 0;
            if (g != 0) {
                g = 1 / g;
                LeftUpdate(i, g);
                for (int j = i; j < m_; ++j) a_[j][i] *= g;
            } else {
                for (int j = i; j < m_; ++j) a_[j][i] = 0;
            }
            ++a_[i][i];
        }
    }

    void LeftUpdate(int i, Real g) {
        const int l = i + 1;
        std::fill(sums_.begin() + l, sums_.end(), 0.0L);
        RowsFrom(a_, l, m_, i);
        Track(AddRowMultiples(sums_.data(), rows_, x_, l, n_, threads_));
        for (int j = l; j < n_; ++j) sums_[j] = (sums_[j] / a_[i][i]) * g;
        RowsFrom(a_, i, m_, i);
        Track(AddSumsTimesColumn(rows_, sums_.data(), i, l, n_, scratch_, threads_));
    }

    // rows_ := rows from..to-1 of M, x_ := their elements in `column`.
    void RowsFrom(Tmatrix& M, int from, int to, int column) {
        rows_.clear();
        x_.clear();
        for (int k = from; k < to; ++k) {
            rows_.push_back(M[k].data());
            x_.push_back(M[k][column]);
        }
    }

    bool Negligible(Real x) const { return std::fabs(x) + anorm_ == anorm_; }

    // QR iterations until w[k] is separated; false after 30 without it.
    bool Diagonalise(int k) {
        for (int its = 1; its <= kMaxIterations; ++its) {
            int l = k;
            bool cancel = true;
            for (; l >= 0; --l) {
                if (Negligible(rv1_[l]) || l == 0) {
                    cancel = false;
                    break;
                }
                if (Negligible(w_[l - 1])) break;
            }
            if (cancel) Cancel(l, k);
            if (l == k) {
                if (w_[k] < 0) {
                    w_[k] = -w_[k];
                    for (int j = 0; j < n_; ++j) v_[j][k] = -v_[j][k];
                }
                return true;
            }
            if (its == kMaxIterations) return false;
            QrSweep(l, k);
        }
        return false;
    }

    // rv1[l] is negligible against anorm only via w[l-1]: rotate it away.
    void Cancel(int l, int k) {
        const int nm = l - 1;
        Real c = 0, s = 1;
        rotations_.Clear();
        for (int i = l; i <= k; ++i) {
            const Real f = s * rv1_[i];
            rv1_[i] = c * rv1_[i];
            if (Negligible(f)) break;
            const Real g = w_[i];
            Real h = Pythag(f, g);
            w_[i] = h;
            h = 1 / h;
            c = g * h;
            s = -f * h;
            rotations_.Add(c, s);
        }
        Track(rotations_.Cancel(a_, m_, nm, l, threads_));
    }

    void QrSweep(int l, int k) {
        const int nm = k - 1;
        Real x = w_[l];
        Real y = w_[nm];
        Real z = w_[k];
        Real g = rv1_[nm];
        Real h = rv1_[k];
        Real f = ((y - z) * (y + z) + (g - h) * (g + h)) / (2 * h * y);
        g = Pythag(f, 1);
        f = ((x - z) * (x + z) + h * ((y / (f + SignOf(f, g))) - h)) / x;
        Real c = 1, s = 1;
        rotations_.Clear();
        leftRotations_.Clear();
        for (int j = l; j <= nm; ++j) {
            const int i = j + 1;
            g = rv1_[i];
            y = w_[i];
            h = s * g;
            g = c * g;
            z = Pythag(f, h);
            rv1_[j] = z;
            c = f / z;
            s = h / z;
            f = x * c + g * s;
            g = g * c - x * s;
            h = y * s;
            y *= c;
            rotations_.Add(c, s);
            z = Pythag(f, h);
            w_[j] = z;
            if (z != 0) {
                z = 1 / z;
                c = f * z;
                s = h * z;
            }
            f = c * g + s * y;
            x = c * y - s * g;
            leftRotations_.Add(c, s);
        }
        rv1_[l] = 0;
        rv1_[k] = f;
        w_[k] = x;
        Track(rotations_.Sweep(v_, n_, l, threads_));
        Track(leftRotations_.Sweep(a_, m_, l, threads_));
    }

    Tmatrix& a_;
    Tvector& w_;
    Tmatrix& v_;
    const int m_;
    const int n_;
    const int threads_;
    bool workersOk_ = true;
    Tvector rv1_;
    Tvector sums_;
    Real anorm_ = 0;
    Real lastG_ = 0;
    RotationList rotations_;
    RotationList leftRotations_;
    std::vector<Real*> rows_;
    Tvector x_;
    std::vector<detail::SplitReal> scratch_, scratch2_;
};

void EnsureSquareBlock(Tmatrix& V, int n) {
    if (static_cast<int>(V.size()) < n) V.resize(n);
    for (Tvector& row : V) {
        if (static_cast<int>(row.size()) < n) row.resize(n, 0.0L);
    }
}

}  // namespace

bool SVDecomposition(Tmatrix& A, Tvector& w, Tmatrix& V, int pocetVlakno) {
    const int m = static_cast<int>(A.size());
    const int n = m > 0 ? static_cast<int>(A[0].size()) : 0;
    if (m < 1 || n < 1 || !detail::HasBlock(A, m, n) || &A == &V) return false;
    detail::EnsureLength(w, n);
    EnsureSquareBlock(V, n);
    FpGuard guard;
    GolubReinsch svd(A, w, V, m, n, ClampThreadCount(pocetVlakno, m));
    if (!svd.Run(guard)) return false;
    return guard.Ok() && detail::BlockFinite(A, m, n) && detail::BlockFinite(V, n, n) &&
           detail::RangeFinite(w, 0, n);
}

bool InvertSingularValues(Tvector& w, int n) {
    if (n < 1 || static_cast<int>(w.size()) < n) return false;
    if (!detail::RangeFinite(w, 0, n)) return false;
    Real largest = 0;
    for (int i = 0; i < n; ++i) largest = std::max(largest, std::fabs(w[i]));
    const Real threshold = 0.5L * std::sqrt(2.0L * n + 1) * largest * 1.0e-16L;
    int zeroed = 0;
    for (int i = 0; i < n; ++i) {
        if (w[i] > threshold) {
            w[i] = 1 / w[i];
        } else {
            w[i] = 0;
            ++zeroed;
        }
    }
    return zeroed < n;
}

}  // namespace vertano
