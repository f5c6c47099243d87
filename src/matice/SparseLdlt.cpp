#include "matice/SparseLdlt.h"

// Eigen checks its own indices with assertions in its inner loops; the
// matrices are checked here before Eigen sees them.
#define EIGEN_NO_DEBUG

#include <metis.h>

#include <iostream>  // the METIS interface of Eigen reports through std::cerr

#include <Eigen/SparseCore>

#include <Eigen/MetisSupport>
#include <Eigen/OrderingMethods>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "matice/FpGuard.h"
#include "matice/ParallelWork.h"
#include "matice/SubtreePlan.h"
#include "matice/Supernodal.h"

namespace vertano {

namespace {

using SpMat = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;
using Permutation = Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int>;

// The pattern every routine here relies on, checked before Eigen sees it
// (Eigen's own checks are assertions).
bool Wellformed(const SparseSymmetric& N) {
    const auto n = static_cast<std::size_t>(N.n);
    if (N.n < 1 || N.start.size() != n + 1 || N.start.front() != 0 ||
        static_cast<std::size_t>(N.start.back()) != N.row.size() ||
        N.row.size() != N.value.size()) {
        return false;
    }
    for (std::size_t j = 0; j < n; ++j) {
        if (N.start[j] > N.start[j + 1]) return false;
        for (int32_t p = N.start[j]; p < N.start[j + 1]; ++p) {
            const int32_t r = N.row[p];
            if (r < static_cast<int32_t>(j) || r >= N.n) return false;
            if (p > N.start[j] && r <= N.row[p - 1]) return false;
        }
    }
    return true;
}

// The whole symmetric pattern, as the orderings want it (values unused).
SpMat SymmetricPattern(const SparseSymmetric& N) {
    SpMat A(N.n, N.n);
    A.resizeNonZeros(static_cast<Eigen::Index>(N.row.size()));
    std::copy(N.start.begin(), N.start.end(), A.outerIndexPtr());
    std::copy(N.row.begin(), N.row.end(), A.innerIndexPtr());
    std::fill(A.valuePtr(), A.valuePtr() + N.row.size(), 1.0);
    SpMat full(N.n, N.n);
    full = A.selfadjointView<Eigen::Lower>();
    return full;
}

std::vector<Real> Diagonal(const SparseSymmetric& N) {
    std::vector<Real> d(static_cast<std::size_t>(N.n), 0);
    for (int32_t j = 0; j < N.n; ++j) {
        const int32_t p = N.start[j];
        if (p < N.start[j + 1] && N.row[p] == j) d[j] = N.value[p];
    }
    return d;
}

// The fill-reducing order (unknown -> position) the ordering gives; empty
// when it gives none.
template <class Ordering>
std::vector<int32_t> Order(const SpMat& full, int32_t n) {
    Permutation inverse;
    Ordering ordering;
    ordering(full, inverse);
    if (inverse.size() != n) return {};
    const Permutation P = inverse.inverse();
    return std::vector<int32_t>(P.indices().data(), P.indices().data() + n);
}

}  // namespace

Real SparseSymmetric::At(int32_t i, int32_t j) const {
    if (i < j) std::swap(i, j);
    if (j < 0 || i >= n) return 0;
    const auto first = row.begin() + start[j];
    const auto last = row.begin() + start[j + 1];
    const auto it = std::lower_bound(first, last, i);
    return it != last && *it == i ? value[it - row.begin()] : 0;
}

bool LdltFactor::Solve(Tvector& x) const {
    if (static_cast<int32_t>(x.size()) < n || n < 1) return false;
    const FpGuard guard;
    Tvector y(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i) y[perm[i]] = x[i];
    for (int32_t j = 0; j < n; ++j) {
        const Real yj = y[j];
        if (yj == 0) continue;
        for (int32_t p = start[j]; p < start[j + 1]; ++p) {
            y[row[p]] -= value[p] * yj;
        }
    }
    for (int32_t j = 0; j < n; ++j) y[j] /= d[j];
    for (int32_t j = n - 1; j >= 0; --j) {
        Real s = y[j];
        for (int32_t p = start[j]; p < start[j + 1]; ++p) {
            s -= value[p] * y[row[p]];
        }
        y[j] = s;
    }
    for (int32_t i = 0; i < n; ++i) x[i] = y[perm[i]];
    return guard.Ok();
}

// The Eigen solver of the current pattern and a copy of that pattern.
struct SparseLdlt::Analysis {
    SupernodalPlan plan;
    SparseSymmetric pattern;  // values left empty
};

SparseLdlt::SparseLdlt() = default;
SparseLdlt::~SparseLdlt() = default;
SparseLdlt::SparseLdlt(SparseLdlt&&) noexcept = default;
SparseLdlt& SparseLdlt::operator=(SparseLdlt&&) noexcept = default;

SparseLdlt::SparseLdlt(const SparseLdlt& other)
    : factor_(other.factor_),
      defect_(other.defect_),
      smallestShare_(other.smallestShare_),
      work_(other.work_),
      ordering_(other.ordering_),
      preferred_(other.preferred_),
      analyses_(other.analyses_) {}

SparseLdlt& SparseLdlt::operator=(const SparseLdlt& other) {
    if (this != &other) {
        analysis_.reset();
        factor_ = other.factor_;
        defect_ = other.defect_;
        smallestShare_ = other.smallestShare_;
        work_ = other.work_;
        ordering_ = other.ordering_;
        preferred_ = other.preferred_;
        analyses_ = other.analyses_;
    }
    return *this;
}

void SparseLdlt::ReleaseAnalysis() {
    analysis_.reset();
}

void SparseLdlt::Clear() {
    analysis_.reset();
    factor_ = LdltFactor{};
    defect_ = -1;
}

bool SparseLdlt::Analyse(const SparseSymmetric& N) {
    auto a = std::make_unique<Analysis>();
    const SpMat full = SymmetricPattern(N);
    // Nested dissection keeps the factor of a surveyed network smallest; METIS
    // gives no order when it fails, and minimum degree steps in.
    std::vector<int32_t> order;
    if (preferred_ == Ordering::NestedDissection) {
        order = Order<Eigen::MetisOrdering<int>>(full, N.n);
        ordering_ = Ordering::NestedDissection;
    }
    if (order.empty()) {
        order = Order<Eigen::AMDOrdering<int>>(full, N.n);
        ordering_ = Ordering::MinimumDegree;
    }
    if (!PlanSupernodes(N, order, a->plan)) return false;
    a->pattern.n = N.n;
    a->pattern.start = N.start;
    a->pattern.row = N.row;
    analysis_ = std::move(a);
    ++analyses_;
    return true;
}

bool SparseLdlt::Factor(const SparseSymmetric& N, int threads) {
    defect_ = -1;
    factor_ = LdltFactor{};
    if (!Wellformed(N)) return false;
    try {
        if (!analysis_ || !analysis_->pattern.SamePattern(N)) {
            analysis_.reset();
            if (!Analyse(N)) return false;
        }
        work_ = 0;
        for (const double w : analysis_->plan.work) work_ += w;
        if (!FactorSupernodal(analysis_->plan, N, kRelativePivot, threads, factor_, defect_)) {
            factor_ = LdltFactor{};
            return false;
        }
        const std::vector<Real> diag = Diagonal(N);
        smallestShare_ = std::numeric_limits<Real>::infinity();
        for (int32_t k = 0; k < N.n; ++k) {
            const int32_t i = factor_.inverse[k];
            if (diag[i] > 0) smallestShare_ = std::min(smallestShare_, factor_.d[k] / diag[i]);
        }
        return true;
    } catch (const std::bad_alloc&) {
        analysis_.reset();
        factor_ = LdltFactor{};
        return false;
    }
}

void SelectedInverse::Clear() {
    std::vector<Real>().swap(value_);
    std::vector<Real>().swap(diagonal_);
}

namespace {

// Below this many entries of L a second thread costs more than it saves.
constexpr std::size_t kParallelInverse = 20000;

// The columns of the selected inverse dealt among threads: column j needs
// only the columns of its ancestors in the elimination tree (the rows of its
// pattern), so the subtrees below the top of the tree are independent; each
// group runs from its last column, the top before them.
detail::SubtreePlan PlanInverse(const LdltFactor& f, int groups) {
    const int32_t n = f.n;
    std::vector<int32_t> parent(static_cast<std::size_t>(n), -1);
    std::vector<double> own(static_cast<std::size_t>(n), 0);
    for (int32_t j = 0; j < n; ++j) {
        const double cnt = f.start[j + 1] - f.start[j];
        own[j] = cnt * cnt + 1;
        if (cnt > 0) parent[j] = f.row[f.start[j]];
    }
    return detail::PlanSubtrees(parent, own, groups);
}

}  // namespace

// Column j of Z from the columns of its ancestors. `where` is -1 everywhere on
// entry and on return.
void SelectedInverse::Column(const LdltFactor& f, int32_t j, std::vector<int32_t>& where,
                             std::vector<Real>& t) {
    const int32_t p0 = f.start[j];
    const int32_t cnt = f.start[j + 1] - p0;
    for (int32_t a = 0; a < cnt; ++a) where[static_cast<std::size_t>(f.row[p0 + a])] = a;
    t.assign(static_cast<std::size_t>(cnt), 0);
    // t[a] = sum_b L[r_b][j] Z[r_a][r_b] over the rows r of column j; each
    // pair r_a > r_b is found once, in column r_b of Z, and serves both sums.
    for (int32_t b = 0; b < cnt; ++b) {
        const int32_t rb = f.row[p0 + b];
        const Real lb = f.value[p0 + b];
        t[b] += diagonal_[rb] * lb;
        for (int32_t q = f.start[rb]; q < f.start[rb + 1]; ++q) {
            const int32_t c = where[static_cast<std::size_t>(f.row[q])];
            if (c < 0) continue;
            t[c] += value_[q] * lb;
            t[b] += value_[q] * f.value[p0 + c];
        }
    }
    Real zjj = 1 / f.d[j];
    for (int32_t a = 0; a < cnt; ++a) {
        value_[p0 + a] = -t[a];
        zjj += f.value[p0 + a] * t[a];
    }
    diagonal_[j] = zjj;
    for (int32_t a = 0; a < cnt; ++a) where[static_cast<std::size_t>(f.row[p0 + a])] = -1;
}

bool SelectedInverse::Compute(const LdltFactor& f, int threads) {
    Clear();
    const int32_t n = f.n;
    if (n < 1 || f.start.size() != static_cast<std::size_t>(n) + 1 ||
        f.d.size() != static_cast<std::size_t>(n)) {
        return false;
    }
    if (!f.supernode.empty()) {
        if (detail::SupernodalInverse(f, threads, value_, diagonal_)) return true;
        Clear();
        return false;
    }
    const FpGuard guard;
    value_.assign(f.value.size(), 0);
    diagonal_.assign(static_cast<std::size_t>(n), 0);
    std::vector<int32_t> where(static_cast<std::size_t>(n), -1);
    std::vector<Real> t;
    threads = std::clamp(threads, 1, kMaxThreads);
    if (threads == 1 || f.value.size() < kParallelInverse) {
        for (int32_t j = n - 1; j >= 0; --j) Column(f, j, where, t);
    } else {
        // Every column is computed by the same operations whichever thread
        // does it: the result does not depend on the thread count.
        const detail::SubtreePlan plan = PlanInverse(f, threads);
        for (const int32_t j : plan.top) Column(f, j, where, t);
        TindexVector split(plan.groups.size() + 1);
        for (std::size_t g = 0; g < split.size(); ++g) split[g] = static_cast<int>(g);
        const bool ok = detail::RunSplit(split, [&](int first, int end) {
            std::vector<int32_t> w(static_cast<std::size_t>(n), -1);
            std::vector<Real> tg;
            for (int g = first; g < end; ++g) {
                const std::vector<int32_t>& group = plan.groups[g];
                for (auto j = group.rbegin(); j != group.rend(); ++j) Column(f, *j, w, tg);
            }
            return true;
        });
        if (!ok) {
            Clear();
            return false;
        }
    }
    if (!guard.Ok()) {
        Clear();
        return false;
    }
    return true;
}

bool SelectedInverse::Find(const LdltFactor& f, int32_t i, int32_t j, Real& z) const {
    if (i < 0 || j < 0 || i >= f.n || j >= f.n || diagonal_.size() != static_cast<std::size_t>(f.n))
        return false;
    int32_t r = f.perm[i];
    int32_t c = f.perm[j];
    if (r == c) {
        z = diagonal_[r];
        return true;
    }
    if (r < c) std::swap(r, c);
    const auto first = f.row.begin() + f.start[c];
    const auto last = f.row.begin() + f.start[c + 1];
    const auto it = std::lower_bound(first, last, r);
    if (it == last || *it != r) return false;
    z = value_[it - f.row.begin()];
    return true;
}

}  // namespace vertano
