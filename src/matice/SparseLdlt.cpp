#include "matice/SparseLdlt.h"

// Eigen checks its own indices with assertions in its inner loops; the
// matrices are checked here before Eigen sees them.
#define EIGEN_NO_DEBUG

#include <metis.h>

#include <iostream>  // the METIS interface of Eigen reports through std::cerr

#include <Eigen/SparseCore>

#include <Eigen/MetisSupport>
#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <optional>
#include <variant>

#include "matice/FpGuard.h"
#include "matice/ParallelWork.h"

namespace vertano {

namespace {

using SpMat = Eigen::SparseMatrix<Real, Eigen::ColMajor, int>;
using MetisLdlt = Eigen::SimplicialLDLT<SpMat, Eigen::Lower, Eigen::MetisOrdering<int>>;
using AmdLdlt = Eigen::SimplicialLDLT<SpMat, Eigen::Lower, Eigen::AMDOrdering<int>>;

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

SpMat ToEigen(const SparseSymmetric& N) {
    SpMat A(N.n, N.n);
    A.resizeNonZeros(static_cast<Eigen::Index>(N.row.size()));
    std::copy(N.start.begin(), N.start.end(), A.outerIndexPtr());
    std::copy(N.row.begin(), N.row.end(), A.innerIndexPtr());
    std::copy(N.value.begin(), N.value.end(), A.valuePtr());
    return A;
}

std::vector<Real> Diagonal(const SparseSymmetric& N) {
    std::vector<Real> d(static_cast<std::size_t>(N.n), 0);
    for (int32_t j = 0; j < N.n; ++j) {
        const int32_t p = N.start[j];
        if (p < N.start[j + 1] && N.row[p] == j) {
            d[j] = N.value[p];
        }
    }
    return d;
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
    std::variant<std::monostate, MetisLdlt, AmdLdlt> solver;
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
      ordering_(other.ordering_),
      preferred_(other.preferred_),
      analyses_(other.analyses_) {}

SparseLdlt& SparseLdlt::operator=(const SparseLdlt& other) {
    if (this != &other) {
        analysis_.reset();
        factor_ = other.factor_;
        defect_ = other.defect_;
        smallestShare_ = other.smallestShare_;
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
    const SpMat A = ToEigen(N);
    // Nested dissection keeps the factor of a surveyed network smallest; METIS
    // leaves the permutation empty when it fails, and minimum degree steps in.
    bool ok = false;
    if (preferred_ == Ordering::NestedDissection) {
        MetisLdlt& metis = a->solver.emplace<MetisLdlt>();
        metis.analyzePattern(A);
        ok = metis.info() == Eigen::Success && metis.permutationP().size() == N.n;
        ordering_ = Ordering::NestedDissection;
    }
    if (!ok) {
        AmdLdlt& amd = a->solver.emplace<AmdLdlt>();
        amd.analyzePattern(A);
        if (amd.info() != Eigen::Success || amd.permutationP().size() != N.n) return false;
        ordering_ = Ordering::MinimumDegree;
    }
    a->pattern.n = N.n;
    a->pattern.start = N.start;
    a->pattern.row = N.row;
    analysis_ = std::move(a);
    ++analyses_;
    return true;
}

bool SparseLdlt::Factor(const SparseSymmetric& N) {
    defect_ = -1;
    factor_ = LdltFactor{};
    if (!Wellformed(N)) return false;
    try {
        if (!analysis_ || !analysis_->pattern.SamePattern(N)) {
            analysis_.reset();
            if (!Analyse(N)) return false;
        }
        const SpMat A = ToEigen(N);
        const FpGuard guard;
        bool ok = false;
        std::visit(
            [&](auto& s) {
                using S = std::decay_t<decltype(s)>;
                if constexpr (!std::is_same_v<S, std::monostate>) {
                    s.factorize(A);
                    const auto& L = s.matrixL().nestedExpression();
                    const auto& D = s.vectorD();
                    const auto& P = s.permutationP().indices();
                    const int32_t n = N.n;
                    factor_.n = n;
                    factor_.perm.assign(P.data(), P.data() + n);
                    factor_.inverse.assign(static_cast<std::size_t>(n), 0);
                    for (int32_t i = 0; i < n; ++i) {
                        factor_.inverse[static_cast<std::size_t>(factor_.perm[i])] = i;
                    }
                    factor_.d.assign(D.data(), D.data() + n);
                    factor_.start.assign(L.outerIndexPtr(), L.outerIndexPtr() + n + 1);
                    const auto nnz = static_cast<std::size_t>(factor_.start.back());
                    factor_.row.assign(L.innerIndexPtr(), L.innerIndexPtr() + nnz);
                    factor_.value.assign(L.valuePtr(), L.valuePtr() + nnz);
                    ok = true;
                }
            },
            analysis_->solver);
        if (!ok) return false;
        // Eigen stops only at an exact zero; the first pivot that is small for
        // its unknown is where the matrix is singular (the D beyond a stop are
        // not meaningful, and the scan ends at the stop at the latest).
        const std::vector<Real> diag = Diagonal(N);
        smallestShare_ = std::numeric_limits<Real>::infinity();
        for (int32_t k = 0; k < N.n; ++k) {
            const Real dk = factor_.d[k];
            const int32_t i = factor_.inverse[k];
            if (diag[i] > 0) smallestShare_ = std::min(smallestShare_, dk / diag[i]);
            if (!(dk > kRelativePivot * diag[i]) || !std::isfinite(dk)) {
                defect_ = i;
                factor_ = LdltFactor{};
                return false;
            }
        }
        if (!guard.Ok()) {
            factor_ = LdltFactor{};
            return false;
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

// The columns of the selected inverse in the order they can be computed: the
// columns of `top` first (from the last), then each group, independently of
// the others (each from its last column). Column j needs only the columns of
// its ancestors in the elimination tree (the rows of its pattern), so the
// subtrees below the top of the tree are independent. The top grows from the
// root by splitting the largest subtree (down the separators of the ordering,
// which are chains); of the splits tried, the one with the least work on the
// longest path (the top, then the largest group) is taken.
struct InversePlan {
    std::vector<int32_t> top;
    std::vector<std::vector<int32_t>> groups;
};

// Splits tried at most; each moves one column into the top.
constexpr int32_t kMostSplits = 4096;

// Subtree roots dealt to the groups, the largest first to the one with the
// least work; returns the largest load.
double Deal(std::vector<int32_t> roots, const std::vector<double>& work, int groups,
            std::vector<int32_t>* group) {
    std::sort(roots.begin(), roots.end(), [&](int32_t a, int32_t b) {
        return work[a] > work[b] || (work[a] == work[b] && a < b);
    });
    std::vector<double> load(static_cast<std::size_t>(groups), 0);
    for (const int32_t root : roots) {
        const auto g = std::min_element(load.begin(), load.end()) - load.begin();
        load[g] += work[root];
        if (group != nullptr) (*group)[root] = static_cast<int32_t>(g);
    }
    return *std::max_element(load.begin(), load.end());
}

InversePlan PlanInverse(const LdltFactor& f, int groups) {
    const int32_t n = f.n;
    std::vector<int32_t> parent(static_cast<std::size_t>(n), -1);
    std::vector<double> own(static_cast<std::size_t>(n), 0);
    std::vector<double> work(static_cast<std::size_t>(n), 0);
    for (int32_t j = 0; j < n; ++j) {
        const double cnt = f.start[j + 1] - f.start[j];
        own[j] = cnt * cnt + 1;
        work[j] += own[j];
        if (cnt > 0) {
            parent[j] = f.row[f.start[j]];
            work[parent[j]] += work[j];
        }
    }
    std::vector<std::vector<int32_t>> children(static_cast<std::size_t>(n) + 1);
    for (int32_t j = 0; j < n; ++j) children[parent[j] < 0 ? n : parent[j]].push_back(j);
    std::vector<int32_t> frontier = children[n];
    std::vector<int32_t> split;  // the roots moved into the top, in order
    double topWork = 0;
    double best = Deal(frontier, work, groups, nullptr);
    std::size_t bestSplits = 0;
    while (!frontier.empty() && static_cast<int32_t>(split.size()) < kMostSplits) {
        const auto big = std::max_element(frontier.begin(), frontier.end(),
                                          [&](int32_t a, int32_t b) { return work[a] < work[b]; });
        const int32_t root = *big;
        frontier.erase(big);
        frontier.insert(frontier.end(), children[root].begin(), children[root].end());
        split.push_back(root);
        topWork += own[root];
        if (topWork >= best) break;
        const double longest =
            topWork + (frontier.empty() ? 0 : Deal(frontier, work, groups, nullptr));
        if (longest < best) {
            best = longest;
            bestSplits = split.size();
        }
    }
    std::vector<char> isTop(static_cast<std::size_t>(n), 0);
    frontier = children[n];
    for (std::size_t k = 0; k < bestSplits; ++k) {
        const int32_t root = split[k];
        isTop[root] = 1;
        frontier.erase(std::find(frontier.begin(), frontier.end(), root));
        frontier.insert(frontier.end(), children[root].begin(), children[root].end());
    }
    std::vector<int32_t> group(static_cast<std::size_t>(n), -1);
    Deal(frontier, work, groups, &group);
    InversePlan plan;
    plan.groups.resize(static_cast<std::size_t>(groups));
    for (int32_t j = n - 1; j >= 0; --j) {
        if (isTop[j]) {
            plan.top.push_back(j);
            continue;
        }
        if (group[j] < 0) group[j] = group[parent[j]];
        plan.groups[group[j]].push_back(j);
    }
    return plan;
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
        const InversePlan plan = PlanInverse(f, threads);
        for (const int32_t j : plan.top) Column(f, j, where, t);
        TindexVector split(plan.groups.size() + 1);
        for (std::size_t g = 0; g < split.size(); ++g) split[g] = static_cast<int>(g);
        const bool ok = detail::RunSplit(split, [&](int first, int end) {
            std::vector<int32_t> w(static_cast<std::size_t>(n), -1);
            std::vector<Real> tg;
            for (int g = first; g < end; ++g) {
                for (const int32_t j : plan.groups[g]) Column(f, j, w, tg);
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
