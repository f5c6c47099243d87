#pragma once

// An eigen-decomposition of symmetric 3 x 3 blocks by cyclic Jacobi rotations,
// sharing nothing with the Householder-QR path of the program, against which
// the error ellipses and ellipsoids are checked.

#include <array>
#include <cmath>

#include "matice/MatrixTypes.h"

namespace vertano::test {

using Vec3 = std::array<Real, 3>;

struct Eigen3 {
    Vec3 hodnoty{};
    std::array<Vec3, 3> vektory{};  // vektory[k] belongs to hodnoty[k]
};

// Eigenvalues and unit eigenvectors of a symmetric 3 x 3 matrix.
inline Eigen3 Jacobi(Tmatrix a) {
    Tmatrix v = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int sweep = 0; sweep < 50; ++sweep) {
        for (int p = 0; p < 2; ++p) {
            for (int q = p + 1; q < 3; ++q) {
                if (std::fabs(a[p][q]) < 1e-30L) continue;
                const Real theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
                const Real t =
                    (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
                const Real c = 1 / std::sqrt(t * t + 1);
                const Real s = t * c;
                for (int k = 0; k < 3; ++k) {
                    const Real akp = a[k][p], akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (int k = 0; k < 3; ++k) {
                    const Real apk = a[p][k], aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
                for (int k = 0; k < 3; ++k) {
                    const Real vkp = v[k][p], vkq = v[k][q];
                    v[k][p] = c * vkp - s * vkq;
                    v[k][q] = s * vkp + c * vkq;
                }
            }
        }
    }
    Eigen3 e;
    for (int k = 0; k < 3; ++k) {
        e.hodnoty[k] = a[k][k];
        e.vektory[k] = {v[0][k], v[1][k], v[2][k]};
    }
    return e;
}

}  // namespace vertano::test
