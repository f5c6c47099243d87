#include "matice/ConjugateGradients.h"

#include <cmath>

#include "matice/FpGuard.h"
#include "matice/SparseLdlt.h"

namespace vertano {

namespace {

// y := N x, N symmetric by its lower triangle.
void Multiply(const SparseSymmetric& N, const Tvector& x, Tvector& y) {
    y.assign(static_cast<std::size_t>(N.n), 0);
    for (int32_t j = 0; j < N.n; ++j) {
        const Real xj = x[j];
        Real sum = 0;
        for (int32_t p = N.start[j]; p < N.start[j + 1]; ++p) {
            const int32_t i = N.row[p];
            const Real v = N.value[p];
            if (i == j) {
                sum += v * xj;
            } else {
                y[i] += v * xj;
                sum += v * x[i];
            }
        }
        y[j] += sum;
    }
}

Real Dot(const Tvector& a, const Tvector& b, int32_t n) {
    Real s = 0;
    for (int32_t i = 0; i < n; ++i) s += a[i] * b[i];
    return s;
}

}  // namespace

Preconditioner::Preconditioner(const LdltFactor& f)
    : value_(f.value.begin(), f.value.end()), d_(f.d.begin(), f.d.end()) {}

bool Preconditioner::Of(const LdltFactor& f) const {
    return f.n > 0 && d_.size() == static_cast<std::size_t>(f.n) && value_.size() == f.value.size();
}

bool Preconditioner::Solve(const LdltFactor& f, Tvector& x) const {
    const int32_t n = f.n;
    if (!Of(f) || static_cast<int32_t>(x.size()) < n) return false;
    const std::vector<int32_t>& start = f.start;
    const std::vector<int32_t>& row = f.row;
    std::vector<double> y(static_cast<std::size_t>(n));
    for (int32_t i = 0; i < n; ++i) y[f.perm[i]] = static_cast<double>(x[i]);
    for (int32_t j = 0; j < n; ++j) {
        const double yj = y[j];
        if (yj == 0) continue;
        for (int32_t p = start[j]; p < start[j + 1]; ++p) y[row[p]] -= value_[p] * yj;
    }
    for (int32_t j = 0; j < n; ++j) y[j] /= d_[j];
    for (int32_t j = n - 1; j >= 0; --j) {
        double s = y[j];
        for (int32_t p = start[j]; p < start[j + 1]; ++p) s -= value_[p] * y[row[p]];
        y[j] = s;
    }
    bool finite = true;
    for (int32_t i = 0; i < n; ++i) {
        const double v = y[f.perm[i]];
        finite = finite && std::isfinite(v);
        x[i] = v;
    }
    return finite;
}

CgResult PreconditionedCg(const SparseSymmetric& N, const LdltFactor& f, const Preconditioner& M,
                          const Tvector& b, Tvector& x, int32_t most, Real tolerance) {
    CgResult result;
    const int32_t n = N.n;
    if (f.n != n || !M.Of(f) || n < 1 || static_cast<int32_t>(b.size()) < n) return result;
    const FpGuard guard;
    x.assign(b.begin(), b.begin() + n);
    if (!M.Solve(f, x)) return result;
    const Real limit = tolerance * tolerance;
    Tvector r(b.begin(), b.begin() + n);
    Tvector q;
    Multiply(N, x, q);
    for (int32_t i = 0; i < n; ++i) r[i] -= q[i];
    Tvector z = r;
    if (!M.Solve(f, z)) return result;
    Tvector p = z;
    Real rz = Dot(r, z, n);
    while (rz > limit && result.iterations < most) {
        Multiply(N, p, q);
        const Real pq = Dot(p, q, n);
        if (!(pq > 0)) return result;
        const Real alpha = rz / pq;
        for (int32_t i = 0; i < n; ++i) {
            x[i] += alpha * p[i];
            r[i] -= alpha * q[i];
        }
        z = r;
        if (!M.Solve(f, z)) return result;
        const Real next = Dot(r, z, n);
        const Real beta = next / rz;
        for (int32_t i = 0; i < n; ++i) p[i] = z[i] + beta * p[i];
        rz = next;
        ++result.iterations;
    }
    result.converged = rz <= limit && guard.Ok();
    return result;
}

}  // namespace vertano
