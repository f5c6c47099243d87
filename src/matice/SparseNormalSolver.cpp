#include "matice/SparseNormalSolver.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <new>

#include "matice/ConjugateGradients.h"
#include "matice/FpGuard.h"
#include "matice/ParallelWork.h"

namespace vertano {

namespace {

// A datum vector g is a defect of N when every observation is blind to it:
// |a_k g| within this share of sum |a_kj g_j| (rounding leaves about 1e-18).
constexpr Real kDefectShare = 1e-10L;
// The conjugate gradients stop when every unknown is within this share of its
// standard deviation of the solution (ConjugateGradients.h): far below what
// the results show (a coordinate of 0.1 mm precision to 1e-14 m), well above
// the rounding of extended precision.
constexpr Real kCgTolerance = 1e-10L;
// Steps of the conjugate gradients allowed: each costs a solve with the factor
// and a product with N, which read their matrices entry by entry, about
// kCgStepCost times as long per entry as a multiply-add of the blocked
// factorisation takes (measured); they may take at most this share of what a
// factorisation costs, within the bounds below.
constexpr double kCgStepCost = 4;
constexpr double kCgShareOfFactor = 0.5;
constexpr int32_t kCgFewest = 4;
constexpr int32_t kCgMost = 60;

// The multiply-adds of forming N per entry of the design matrix: about the
// unknowns of an observation (up to seven for a direction).
constexpr std::int64_t kFormWorkPerEntry = 6;
// Finding the pattern of N visits the unknowns of the observations of all
// three coordinates of a point.
constexpr std::int64_t kPatternWorkPerEntry = 4 * kFormWorkPerEntry;
// The look-ups of the selected inverse per entry of the design matrix in the
// cofactors of the observations (about half the unknowns of an observation),
// each worth some tens of multiply-adds.
constexpr std::int64_t kCofactorWorkPerEntry = 100;

// The held unknowns must leave the datum vectors independent: the smallest
// pivot of their d x d block, each vector scaled to a largest element of 1.
constexpr Real kHeldPivot = 1e-6L;

// Gaussian elimination with partial pivoting of the small d x d system
// B X = R (R: d rows of any length), in place; false when a pivot is below
// `tiny` times the largest element of its column.
bool SolveSmall(Tmatrix B, Tmatrix& R, Real tiny) {
    const auto d = static_cast<int32_t>(B.size());
    for (int32_t c = 0; c < d; ++c) {
        int32_t p = c;
        Real scale = 0;
        for (int32_t r = c; r < d; ++r) {
            scale = std::max(scale, std::fabs(B[r][c]));
            if (std::fabs(B[r][c]) > std::fabs(B[p][c])) p = r;
        }
        if (!(std::fabs(B[p][c]) > tiny * scale) || scale == 0) return false;
        std::swap(B[p], B[c]);
        std::swap(R[p], R[c]);
        for (int32_t r = c + 1; r < d; ++r) {
            const Real f = B[r][c] / B[c][c];
            if (f == 0) continue;
            for (int32_t k = c; k < d; ++k) B[r][k] -= f * B[c][k];
            for (std::size_t k = 0; k < R[r].size(); ++k) R[r][k] -= f * R[c][k];
        }
    }
    for (int32_t c = d - 1; c >= 0; --c) {
        for (int32_t r = c + 1; r < d; ++r) {
            for (std::size_t k = 0; k < R[c].size(); ++k) R[c][k] -= B[c][r] * R[r][k];
        }
        for (Real& x : R[c]) x /= B[c][c];
    }
    return true;
}

// The smallest pivot of the elimination with partial pivoting of the block of
// the datum vectors at the columns `cols`, each vector scaled to a largest
// element of 1.
Real SmallestHeldPivot(const Tmatrix& G, const std::vector<int32_t>& cols) {
    const auto d = static_cast<int32_t>(G.size());
    Tmatrix B(static_cast<std::size_t>(d), Tvector(static_cast<std::size_t>(d)));
    for (int32_t a = 0; a < d; ++a) {
        Real largest = 0;
        for (const Real g : G[a]) largest = std::max(largest, std::fabs(g));
        if (!(largest > 0)) return 0;
        for (int32_t c = 0; c < d; ++c) B[a][c] = G[a][cols[c]] / largest;
    }
    Real smallest = 1;
    for (int32_t c = 0; c < d; ++c) {
        int32_t p = c;
        for (int32_t r = c + 1; r < d; ++r) {
            if (std::fabs(B[r][c]) > std::fabs(B[p][c])) p = r;
        }
        std::swap(B[p], B[c]);
        smallest = std::min(smallest, std::fabs(B[c][c]));
        if (!(B[c][c] != 0)) return 0;
        for (int32_t r = c + 1; r < d; ++r) {
            const Real f = B[r][c] / B[c][c];
            for (int32_t k = c; k < d; ++k) B[r][k] -= f * B[c][k];
        }
    }
    return smallest;
}

}  // namespace

bool SparseNormalSolver::Fail(SolverFailure kind, const std::string& text) {
    failure_ = kind;
    error_ = text;
    return false;
}

void SparseNormalSolver::Clear() {
    *this = SparseNormalSolver{};
}

std::vector<int32_t> SparseNormalSolver::HeldUnknowns() const {
    return held_;
}

bool SparseNormalSolver::CheckSystem(const NormalSystem& s) {
    const int32_t n = s.unknowns;
    const int32_t m = s.observations;
    const int32_t d = s.DatumCount();
    if (s.design == nullptr || s.weights == nullptr || n < 1 || m < 0 ||
        static_cast<int32_t>(s.design->data.size()) != n ||
        s.design->index.size() != s.design->data.size() ||
        static_cast<int32_t>(s.weights->size()) < m ||
        (s.reduced != nullptr && static_cast<int32_t>(s.reduced->size()) < m) || d > n ||
        (d > 0 && (s.datum == nullptr || static_cast<int32_t>(s.datum->size()) != d)) ||
        s.pointUnknowns < 0 || s.pointUnknowns > n || s.pointUnknowns % 3 != 0) {
        return false;
    }
    if (s.held != nullptr) {
        for (std::size_t k = 0; k < s.held->size(); ++k) {
            const int32_t j = (*s.held)[k];
            if (j < 0 || j >= n || (k > 0 && j <= (*s.held)[k - 1])) return false;
        }
    }
    for (int32_t a = 0; a < d; ++a) {
        if (static_cast<int32_t>((*s.conditions)[a].size()) < n ||
            static_cast<int32_t>((*s.datum)[a].size()) < n) {
            return false;
        }
    }
    for (int32_t j = 0; j < n; ++j) {
        if (s.design->data[j].size() != s.design->index[j].size()) return false;
    }
    return true;
}

// Column jr of N_r into `sum` (the rows at and below jr) and its element of b:
// the products of every observation of its unknown with the unknowns of that
// observation, in the order of the observations. `visit` sees every unknown
// of those observations.
template <class Visit>
Real SparseNormalSolver::Gather(const NormalSystem& s, int32_t jr, Tvector& sum,
                                const Visit& visit) const {
    const Tsparse& A = *s.design;
    const Tvector& p = *s.weights;
    const int32_t j = original_[jr];
    Real bj = 0;
    for (std::size_t e = 0; e < A.index[j].size(); ++e) {
        const int32_t k = A.index[j][e];
        const Real ap = A.data[j][e] * p[k];
        if (s.reduced != nullptr) bj += A.data[j][e] * (*s.reduced)[k] * p[k];
        for (int32_t q = rows_.start[k]; q < rows_.start[k + 1]; ++q) {
            const int32_t u = rows_.unknown[q];
            visit(u);
            if (reduced_[u] >= jr) sum[reduced_[u]] += ap * rows_.value[q];
        }
    }
    return bj;
}

// The design matrix by observations: the unknowns of observation k with their
// coefficients, ascending.
bool SparseNormalSolver::Form(const NormalSystem& s) {
    const int32_t n = s.unknowns;
    const int32_t m = s.observations;
    const Tsparse& A = *s.design;
    rows_.start.assign(static_cast<std::size_t>(m) + 1, 0);
    for (int32_t j = 0; j < n; ++j) {
        for (const int32_t k : A.index[j]) {
            if (k < 0 || k >= m) return false;
            ++rows_.start[static_cast<std::size_t>(k) + 1];
        }
    }
    for (int32_t k = 0; k < m; ++k) rows_.start[k + 1] += rows_.start[k];
    // Every entry is written below: kept from the last iteration, the rows
    // are not cleared first.
    rows_.unknown.resize(static_cast<std::size_t>(rows_.start[m]));
    rows_.value.resize(static_cast<std::size_t>(rows_.start[m]));
    std::vector<int32_t> next(rows_.start.begin(), rows_.start.end() - 1);
    for (int32_t j = 0; j < n; ++j) {
        for (std::size_t e = 0; e < A.index[j].size(); ++e) {
            const int32_t p = next[A.index[j][e]]++;
            rows_.unknown[p] = j;
            rows_.value[p] = A.data[j][e];
        }
    }

    if (PatternKnown(s)) return FormValues(s);
    patternKnown_ = false;

    // N_r column by column (lower triangle): column j gathers the products of
    // every observation of unknown j with its other unknowns below j. With
    // point unknowns, the pattern also holds every coordinate of a point of an
    // observation against every unknown of that observation (structural zeros
    // where no product falls), so that the selected inverse keeps their
    // cofactors.
    const auto r = static_cast<int32_t>(n - held_.size());
    original_.assign(static_cast<std::size_t>(r), 0);
    for (int32_t j = 0; j < n; ++j) {
        if (reduced_[j] >= 0) original_[reduced_[j]] = j;
    }
    N_ = SparseSymmetric{};
    N_.n = r;
    b_.assign(static_cast<std::size_t>(r), 0);
    // The columns are found on their own, so the threads share them in
    // ranges; the ranges are joined in order, and every column holds the same
    // sums whatever the thread count.
    std::vector<PatternPart> parts;
    std::mutex partsLock;
    const auto work = static_cast<std::int64_t>(rows_.value.size()) * kPatternWorkPerEntry;
    detail::InRangesAsOne(r, work, threads_, [&](int first, int end) {
        PatternPart part;
        part.first = first;
        FindColumns(s, first, end, part);
        const std::lock_guard<std::mutex> lock(partsLock);
        parts.push_back(std::move(part));
        return true;
    });
    std::sort(parts.begin(), parts.end(),
              [](const PatternPart& a, const PatternPart& b) { return a.first < b.first; });
    N_.start.reserve(static_cast<std::size_t>(r) + 1);
    N_.start.push_back(0);
    for (const PatternPart& part : parts) {
        const auto at = static_cast<int32_t>(N_.row.size());
        for (const int32_t count : part.ends) N_.start.push_back(at + count);
        N_.row.insert(N_.row.end(), part.row.begin(), part.row.end());
        N_.value.insert(N_.value.end(), part.value.begin(), part.value.end());
    }
    KeepPattern(s);
    return true;
}

// Columns [first, end) of N_r with their pattern, and their elements of b.
void SparseNormalSolver::FindColumns(const NormalSystem& s, int32_t first, int32_t end,
                                     PatternPart& part) {
    const Tsparse& A = *s.design;
    const int32_t r = N_.n;
    const int32_t points = s.pointUnknowns;
    Tvector sum(static_cast<std::size_t>(r), 0);
    std::vector<char> used(static_cast<std::size_t>(r), 0);
    std::vector<int32_t> touched;
    int32_t jr = first;
    // Marks unknown u as an entry of column jr.
    const auto mark = [&](int32_t u) {
        const int32_t ir = reduced_[u];
        if (ir < jr || used[ir]) return;
        used[ir] = 1;
        touched.push_back(ir);
    };
    for (; jr < end; ++jr) {
        const int32_t j = original_[jr];
        touched.clear();
        const Real bj = Gather(s, jr, sum, [&](int32_t u) {
            mark(u);
            if (u < points) {
                for (int32_t c = 0; c < 3; ++c) mark(u - u % 3 + c);
            }
        });
        if (j < points) {
            for (int32_t c = 0; c < 3; ++c) {
                const int32_t other = j - j % 3 + c;
                if (other == j) continue;
                for (const int32_t k : A.index[other]) {
                    for (int32_t q = rows_.start[k]; q < rows_.start[k + 1]; ++q) {
                        mark(rows_.unknown[q]);
                    }
                }
            }
        }
        b_[jr] = bj;
        std::sort(touched.begin(), touched.end());
        for (const int32_t ir : touched) {
            part.row.push_back(ir);
            part.value.push_back(sum[ir]);
            sum[ir] = 0;
            used[ir] = 0;
        }
        part.ends.push_back(static_cast<int32_t>(part.row.size()));
    }
}

// The iterations of an adjustment change the values of the design matrix and
// the weights, not which observation has which unknowns: the pattern of N_r
// found for the last system serves while the design pattern, the held
// unknowns and the point unknowns stay.
bool SparseNormalSolver::PatternKnown(const NormalSystem& s) const {
    if (!patternKnown_ || s.pointUnknowns != patternPoints_ || reduced_ != patternReduced_ ||
        s.observations != patternObservations_ ||
        static_cast<std::size_t>(s.unknowns) + 1 != patternStart_.size()) {
        return false;
    }
    const Tsparse& A = *s.design;
    for (int32_t j = 0; j < s.unknowns; ++j) {
        const std::vector<int32_t>& index = A.index[j];
        const int32_t first = patternStart_[j];
        if (static_cast<int32_t>(index.size()) != patternStart_[j + 1] - first ||
            !std::equal(index.begin(), index.end(), patternIndex_.begin() + first)) {
            return false;
        }
    }
    return true;
}

void SparseNormalSolver::KeepPattern(const NormalSystem& s) {
    const Tsparse& A = *s.design;
    patternStart_.assign(1, 0);
    patternIndex_.clear();
    for (int32_t j = 0; j < s.unknowns; ++j) {
        patternIndex_.insert(patternIndex_.end(), A.index[j].begin(), A.index[j].end());
        patternStart_.push_back(static_cast<int32_t>(patternIndex_.size()));
    }
    patternReduced_ = reduced_;
    patternPoints_ = s.pointUnknowns;
    patternObservations_ = s.observations;
    patternKnown_ = true;
}

// N_r and b on the known pattern: the same sums in the same order as when the
// pattern was found, so the values are the same to the last bit. Every column
// is gathered on its own, so the threads share the columns in ranges, each
// with its own accumulator, and the bits do not depend on their number.
bool SparseNormalSolver::FormValues(const NormalSystem& s) {
    const int32_t r = N_.n;
    b_.assign(static_cast<std::size_t>(r), 0);
    const auto columns = [&](int first, int end) {
        Tvector sum(static_cast<std::size_t>(r), 0);
        for (int32_t jr = first; jr < end; ++jr) {
            b_[jr] = Gather(s, jr, sum, [](int32_t) {});
            for (int32_t x = N_.start[jr]; x < N_.start[jr + 1]; ++x) {
                N_.value[x] = sum[N_.row[x]];
                sum[N_.row[x]] = 0;
            }
        }
        return true;
    };
    // About the unknowns of an observation times its entries, per entry.
    const auto work = static_cast<std::int64_t>(rows_.value.size()) * kFormWorkPerEntry;
    return detail::InRangesAsOne(r, work, threads_, columns);
}

bool SparseNormalSolver::ChooseHeld(const Tmatrix& G) {
    const auto d = static_cast<int32_t>(G.size());
    const auto n = static_cast<int32_t>(G.front().size());
    // The held unknowns of the last system stay while they still fix the datum
    // well: a new choice would change the pattern and cost a new analysis.
    if (static_cast<int32_t>(held_.size()) == d && static_cast<int32_t>(reduced_.size()) == n &&
        SmallestHeldPivot(G, held_) > kHeldPivot) {
        return true;
    }
    Tmatrix g = G;
    for (Tvector& row : g) {
        Real largest = 0;
        for (const Real x : row) largest = std::max(largest, std::fabs(x));
        if (!(largest > 0) || !std::isfinite(largest)) return false;
        for (Real& x : row) x /= largest;
    }
    // Complete pivoting: each step holds the unknown where a remaining vector
    // is largest, then removes that unknown from the other vectors.
    std::vector<char> rowUsed(static_cast<std::size_t>(d), 0);
    std::vector<char> chosen(static_cast<std::size_t>(n), 0);
    std::vector<int32_t> held;
    for (int32_t step = 0; step < d; ++step) {
        int32_t br = -1;
        int32_t bc = -1;
        Real best = 0;
        for (int32_t a = 0; a < d; ++a) {
            if (rowUsed[a]) continue;
            for (int32_t c = 0; c < n; ++c) {
                if (!chosen[c] && std::fabs(g[a][c]) > best) {
                    best = std::fabs(g[a][c]);
                    br = a;
                    bc = c;
                }
            }
        }
        if (!(best > kHeldPivot)) return false;
        rowUsed[br] = 1;
        chosen[bc] = 1;
        held.push_back(bc);
        for (int32_t a = 0; a < d; ++a) {
            if (rowUsed[a]) continue;
            const Real f = g[a][bc] / g[br][bc];
            if (f == 0) continue;
            for (int32_t c = 0; c < n; ++c) g[a][c] -= f * g[br][c];
        }
    }
    std::sort(held.begin(), held.end());
    held_ = held;
    reduced_.assign(static_cast<std::size_t>(n), 0);
    for (const int32_t h : held_) reduced_[h] = -1;
    int32_t next = 0;
    for (int32_t& x : reduced_) x = x < 0 ? -1 : next++;
    return true;
}

bool SparseNormalSolver::DatumIsDefect(const NormalSystem& s) const {
    const auto m = static_cast<int32_t>(rows_.start.size()) - 1;
    for (const Tvector& g : *s.datum) {
        for (int32_t k = 0; k < m; ++k) {
            Real sum = 0;
            Real size = 0;
            for (int32_t q = rows_.start[k]; q < rows_.start[k + 1]; ++q) {
                const Real t = rows_.value[q] * g[rows_.unknown[q]];
                sum += t;
                size += std::fabs(t);
            }
            if (!(std::fabs(sum) <= kDefectShare * size)) return false;
        }
    }
    return true;
}

bool SparseNormalSolver::Datum(const NormalSystem& s) {
    d_ = s.DatumCount();
    const int32_t n = s.unknowns;
    if (d_ == 0) {
        held_.clear();
        G_.clear();
        H_.clear();
        reduced_.resize(static_cast<std::size_t>(n));
        if (s.HeldCount() == 0) {
            for (int32_t j = 0; j < n; ++j) reduced_[j] = j;
            return true;
        }
        // Held coordinates leave N_r; nothing moves them back.
        held_ = *s.held;
        int32_t r = 0;
        std::size_t k = 0;
        for (int32_t j = 0; j < n; ++j) {
            const bool held = k < held_.size() && held_[k] == j;
            if (held) ++k;
            reduced_[j] = held ? -1 : r++;
        }
        return true;
    }
    if (s.HeldCount() > 0) {
        return Fail(SolverFailure::Unresolvable,
                    "Coordinates held apart from the datum need a network fixed by its points");
    }
    G_.assign(s.datum->begin(), s.datum->end());
    for (Tvector& g : G_) g.resize(static_cast<std::size_t>(n));
    if (!ChooseHeld(G_)) {
        return Fail(SolverFailure::Unresolvable, "The datum vectors are not independent");
    }
    // H = (C G^T)^-1 C.
    Tmatrix CG(static_cast<std::size_t>(d_), Tvector(static_cast<std::size_t>(d_), 0));
    for (int32_t a = 0; a < d_; ++a) {
        for (int32_t b = 0; b < d_; ++b) {
            Real sum = 0;
            for (int32_t j = 0; j < n; ++j) sum += (*s.conditions)[a][j] * G_[b][j];
            CG[a][b] = sum;
        }
    }
    H_.assign(s.conditions->begin(), s.conditions->end());
    for (Tvector& h : H_) h.resize(static_cast<std::size_t>(n));
    if (!SolveSmall(CG, H_, kRelativePivot)) {
        return Fail(SolverFailure::Unresolvable, "The datum conditions do not fix the datum");
    }
    return true;
}

// The rows by observation stay for the next iteration, whose Form fills them
// again in place: made afresh every time, they were allocated and faulted in
// anew at every iteration (tens of megabytes at 10,000 points). Cofactors
// releases them at the end of a load; below that, the iterations hold less
// than the cofactors will.
bool SparseNormalSolver::Assemble(const NormalSystem& s) {
    return Prepare(s);
}

bool SparseNormalSolver::Prepare(const NormalSystem& s) {
    failure_ = SolverFailure::None;
    defect_ = -1;
    error_.clear();
    factored_ = cofactors_ = false;
    solved_.column = -1;
    Z_.Clear();
    if (!CheckSystem(s)) return Fail(SolverFailure::Other, "The normal equations are malformed");
    threads_ = s.threads;
    try {
        const FpGuard guard;
        if (!Datum(s)) return false;
        if (!Form(s)) return Fail(SolverFailure::Other, "The design matrix is malformed");
        if (d_ > 0 && !DatumIsDefect(s)) {
            return Fail(SolverFailure::Unresolvable,
                        "The observations determine part of the datum the conditions fix");
        }
        if (!guard.Ok()) {
            return Fail(SolverFailure::Other,
                        "The normal equations are not defined at the current coordinates");
        }
    } catch (const std::bad_alloc&) {
        return Fail(SolverFailure::Other, "Not enough memory for the normal equations");
    }
    return true;
}

bool SparseNormalSolver::Factor() {
    if (ldlt_.Result().n == N_.n && N_.SamePattern(factoredN_) && N_.value == factoredN_.value) {
        factored_ = true;
        return true;
    }
    factoredN_ = SparseSymmetric{};
    factoredReduced_.clear();
    preconditioner_ = Preconditioner{};
    ++factorisations_;
    if (ldlt_.Factor(N_, threads_)) {
        factored_ = true;
        factoredN_ = N_;
        factoredReduced_ = reduced_;
        return true;
    }
    const int32_t k = ldlt_.DefectUnknown();
    if (k >= 0) {
        for (int32_t j = 0; j < static_cast<int32_t>(reduced_.size()); ++j) {
            if (reduced_[j] == k) defect_ = j;
        }
        return Fail(SolverFailure::Defect, "The normal equations are singular");
    }
    return Fail(SolverFailure::Other, "The normal equations could not be factored");
}

bool SparseNormalSolver::Solve(const NormalSystem& s, Tvector& dx) {
    if (N_.n < 1 || s.unknowns != static_cast<int32_t>(reduced_.size()) || s.reduced == nullptr) {
        return Fail(SolverFailure::Other, "The normal equations are not assembled");
    }
    try {
        Tvector xr;
        if (!factored_ && Iterate(xr)) return Increments(s.unknowns, xr, dx);
        if (!factored_ && !Factor()) return false;
        xr = b_;
        if (!ldlt_.Result().Solve(xr)) return Fail(SolverFailure::Other, "The solution failed");
        return Increments(s.unknowns, xr, dx);
    } catch (const std::bad_alloc&) {
        return Fail(SolverFailure::Other, "Not enough memory for the solution");
    }
}

// The solution of N_r by conjugate gradients on the factor of the last
// factorised system, when there is one of the same unknowns; false when it
// does not converge quickly (the caller then factors N_r).
bool SparseNormalSolver::Iterate(Tvector& xr) {
    const LdltFactor& M = ldlt_.Result();
    if (M.n != N_.n || factoredReduced_ != reduced_) return false;
    if (!preconditioner_.Of(M)) preconditioner_ = Preconditioner(M);
    const double step = kCgStepCost * static_cast<double>(M.value.size() + N_.value.size());
    const double affordable = kCgShareOfFactor * ldlt_.FactorWork() / step;
    const auto most = static_cast<int32_t>(
        std::clamp(affordable, static_cast<double>(kCgFewest), static_cast<double>(kCgMost)));
    const CgResult r = PreconditionedCg(N_, M, preconditioner_, b_, xr, most, kCgTolerance);
    iterationSteps_ += r.iterations;
    if (!r.converged) return false;
    ++iterated_;
    return true;
}

// dx := S x0, x0 the solution xr of N_r padded with the held unknowns.
bool SparseNormalSolver::Increments(int32_t n, const Tvector& xr, Tvector& dx) {
    const FpGuard guard;
    Tvector x(static_cast<std::size_t>(n), 0);
    for (int32_t j = 0; j < n; ++j) {
        if (reduced_[j] >= 0) x[j] = xr[reduced_[j]];
    }
    for (int32_t a = 0; a < d_; ++a) {
        Real t = 0;
        for (int32_t j = 0; j < n; ++j) t += H_[a][j] * x[j];
        for (int32_t j = 0; j < n; ++j) x[j] -= G_[a][j] * t;
    }
    if (!guard.Ok()) return Fail(SolverFailure::Other, "The solution failed");
    if (static_cast<int32_t>(dx.size()) < n) dx.resize(static_cast<std::size_t>(n));
    std::copy(x.begin(), x.end(), dx.begin());
    return true;
}

// Column j of the inverse of N_r (j a row of N_r), by a solve.
bool SparseNormalSolver::ReducedColumn(int32_t j, Tvector& z) const {
    z.assign(static_cast<std::size_t>(N_.n), 0);
    z[j] = 1;
    return ldlt_.Result().Solve(z);
}

Real SparseNormalSolver::Q0(int32_t i, int32_t j) const {
    const int32_t ri = reduced_[i];
    const int32_t rj = reduced_[j];
    if (ri < 0 || rj < 0) return 0;
    Real z = 0;
    if (Z_.Find(ldlt_.Result(), ri, rj, z)) return z;
    const std::lock_guard<std::mutex> guard(solved_.lock);
    if (solved_.column != rj) {
        solved_.column = -1;
        if (!ReducedColumn(rj, solved_.values)) return std::nan("");
        solved_.column = rj;
    }
    return solved_.values[ri];
}

Real SparseNormalSolver::DatumTerm(int32_t i, int32_t j) const {
    Real t = 0;
    for (int32_t a = 0; a < d_; ++a) {
        t -= G_[a][i] * W_[a][j] + W_[a][i] * G_[a][j];
        for (int32_t b = 0; b < d_; ++b) t += G_[a][i] * M_[a][b] * G_[b][j];
    }
    return t;
}

bool SparseNormalSolver::PrepareDatumCofactors() {
    const auto n = static_cast<int32_t>(reduced_.size());
    W_.assign(static_cast<std::size_t>(d_), Tvector(static_cast<std::size_t>(n), 0));
    for (int32_t a = 0; a < d_; ++a) {
        Tvector z(static_cast<std::size_t>(N_.n), 0);
        for (int32_t j = 0; j < n; ++j) {
            if (reduced_[j] >= 0) z[reduced_[j]] = H_[a][j];
        }
        if (!ldlt_.Result().Solve(z)) return false;
        for (int32_t j = 0; j < n; ++j) {
            if (reduced_[j] >= 0) W_[a][j] = z[reduced_[j]];
        }
    }
    M_.assign(static_cast<std::size_t>(d_), Tvector(static_cast<std::size_t>(d_), 0));
    for (int32_t a = 0; a < d_; ++a) {
        for (int32_t b = 0; b < d_; ++b) {
            Real sum = 0;
            for (int32_t j = 0; j < n; ++j) sum += H_[a][j] * W_[b][j];
            M_[a][b] = sum;
        }
    }
    return true;
}

bool SparseNormalSolver::Cofactors(const NormalSystem& s, Tvector& q) {
    const bool ok = Prepare(s) && Factor() && ObservationCofactors(s, q);
    // The cofactors close a load of the network: the next factorisation has
    // another pattern (fewer observations after the outlier test) or there is
    // none. The rows by observation and Eigen's analysis with its copy of the
    // factor would only hold memory until then, and so would the copy of the
    // matrix factored and the preconditioner made from its factor (made again
    // from the same factor should conjugate gradients need it).
    rows_ = ObservationRows{};
    ldlt_.ReleaseAnalysis();
    factoredN_ = SparseSymmetric{};
    preconditioner_ = Preconditioner{};
    return ok;
}

bool SparseNormalSolver::ObservationCofactors(const NormalSystem& s, Tvector& q) {
    try {
        const FpGuard guard;
        if (!Z_.Compute(ldlt_.Result(), s.threads) || (d_ > 0 && !PrepareDatumCofactors())) {
            return Fail(SolverFailure::Other, "The cofactors could not be computed");
        }
        cofactors_ = true;
        solved_.column = -1;
        const int32_t m = s.observations;
        if (static_cast<int32_t>(q.size()) < m) q.resize(static_cast<std::size_t>(m));
        // Each observation's cofactor is its own sum: the threads share the
        // observations in ranges and the bits do not depend on their number.
        const auto observations = [&](int from, int end) {
            Tvector u(static_cast<std::size_t>(d_));
            Tvector w(static_cast<std::size_t>(d_));
            for (int32_t k = from; k < end; ++k) q[k] = ObservationCofactor(k, u, w);
            return true;
        };
        const auto work = static_cast<std::int64_t>(rows_.value.size()) * kCofactorWorkPerEntry;
        if (!detail::InRangesAsOne(m, work, s.threads, observations) || !guard.Ok()) {
            cofactors_ = false;
            return Fail(SolverFailure::Other, "The cofactors could not be computed");
        }
    } catch (const std::bad_alloc&) {
        cofactors_ = false;
        return Fail(SolverFailure::Other, "Not enough memory for the cofactors");
    }
    return true;
}

Real SparseNormalSolver::ObservationCofactor(int32_t k, Tvector& u, Tvector& w) const {
    const int32_t first = rows_.start[k];
    const int32_t last = rows_.start[k + 1];
    Real sum = 0;
    for (int32_t x = first; x < last; ++x) {
        const Real ax = rows_.value[x];
        sum += ax * ax * Q0(rows_.unknown[x], rows_.unknown[x]);
        for (int32_t y = x + 1; y < last; ++y) {
            sum += 2 * ax * rows_.value[y] * Q0(rows_.unknown[x], rows_.unknown[y]);
        }
    }
    // The datum part vanishes up to rounding (a_k G^T = 0): the cofactor
    // of an adjusted observation does not depend on the datum.
    for (int32_t a = 0; a < d_; ++a) {
        u[a] = w[a] = 0;
        for (int32_t x = first; x < last; ++x) {
            u[a] += rows_.value[x] * G_[a][rows_.unknown[x]];
            w[a] += rows_.value[x] * W_[a][rows_.unknown[x]];
        }
    }
    for (int32_t a = 0; a < d_; ++a) {
        sum -= 2 * u[a] * w[a];
        for (int32_t b = 0; b < d_; ++b) sum += u[a] * M_[a][b] * u[b];
    }
    return sum;
}

bool SparseNormalSolver::Cofactor(int32_t i, int32_t j, Real& q) const {
    const auto n = static_cast<int32_t>(reduced_.size());
    if (!cofactors_ || i < 0 || j < 0 || i >= n || j >= n) return false;
    // No guard of the flags here: this is asked for entry by entry (the
    // reliability asks millions of times), and the entries of the selected
    // inverse and the datum terms are finite sums of finite values; a fault
    // shows as a value that is not finite.
    try {
        q = Q0(i, j) + (d_ > 0 ? DatumTerm(i, j) : 0);
        return std::isfinite(q);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool SparseNormalSolver::CofactorColumns(
    int32_t nq, const std::function<bool(int32_t, const Tvector&)>& visit) const {
    const auto n = static_cast<int32_t>(reduced_.size());
    if (!cofactors_ || nq < 0 || nq > n) return false;
    try {
        const FpGuard guard;
        Tvector z;
        Tvector sloupec(static_cast<std::size_t>(nq), 0);
        for (int32_t j = 0; j < nq; ++j) {
            const bool held = reduced_[j] < 0;
            if (!held && !ReducedColumn(reduced_[j], z)) return false;
            for (int32_t i = 0; i < nq; ++i) {
                const Real q0 = held || reduced_[i] < 0 ? 0 : z[reduced_[i]];
                sloupec[i] = q0 + (d_ > 0 ? DatumTerm(i, j) : 0);
            }
            if (!visit(j, sloupec)) return false;
        }
        return guard.Ok();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool SparseNormalSolver::CofactorMatrix(int32_t nq, Tmatrix& Q) const {
    if (!cofactors_ || nq < 0 || nq > static_cast<int32_t>(reduced_.size())) return false;
    try {
        Q.assign(static_cast<std::size_t>(nq), Tvector(static_cast<std::size_t>(nq), 0));
        return CofactorColumns(nq, [&Q](int32_t j, const Tvector& sloupec) {
            for (std::size_t i = 0; i < sloupec.size(); ++i)
                Q[i][static_cast<std::size_t>(j)] = sloupec[i];
            return true;
        });
    } catch (const std::bad_alloc&) {
        Q.clear();
        return false;
    }
}

}  // namespace vertano
