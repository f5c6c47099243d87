#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "adjustment/Elipsy.h"
#include "adjustment/JacobiPomocne.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

using test::Eigen3;
using test::Jacobi;
using test::Vec3;

Vec3 Smer(Real smernik, Real zenit) {
    return {std::sin(zenit) * std::cos(smernik), std::sin(zenit) * std::sin(smernik),
            std::cos(zenit)};
}

Real Dot(const Vec3& a, const Vec3& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Tmatrix NahodnyBlok(std::mt19937& gen) {
    std::uniform_real_distribution<double> uni(-1.0, 1.0);
    Tmatrix m(3, Tvector(3));
    for (auto& row : m) {
        for (auto& x : row) x = uni(gen);
    }
    Tmatrix b(3, Tvector(3, 0));
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            for (int k = 0; k < 3; ++k) b[i][j] += m[i][k] * m[j][k];
        }
        b[i][i] += 1e-3L;
    }
    return b;
}

void OcekavejOsu(const Eigen3& ref, Real delka, Real smernik, Real zenit) {
    EXPECT_GE(delka, 0);
    EXPECT_GE(smernik, 0);
    EXPECT_LT(smernik, kDvePi);
    EXPECT_GE(zenit, 0);
    EXPECT_LE(zenit, kPi);
    // The axis must be the eigenvector whose eigenvalue is its squared length
    // (the sign of an axis is free).
    int nejblizsi = 0;
    for (int k = 1; k < 3; ++k) {
        if (std::fabs(ref.hodnoty[k] - delka * delka) <
            std::fabs(ref.hodnoty[nejblizsi] - delka * delka)) {
            nejblizsi = k;
        }
    }
    EXPECT_NEAR(delka * delka, ref.hodnoty[nejblizsi], 1e-14L);
    EXPECT_NEAR(std::fabs(Dot(Smer(smernik, zenit), ref.vektory[nejblizsi])), 1, 1e-12L);
}

TEST(ElipsoidTest, AgreesWithJacobiOnRandomBlocks) {
    std::mt19937 gen(20240611);
    for (int pokus = 0; pokus < 200; ++pokus) {
        const Tmatrix B = NahodnyBlok(gen);
        Telipsoid e;
        ASSERT_TRUE(ElipsoidZBloku(B, e)) << pokus;
        const Eigen3 ref = Jacobi(B);
        SCOPED_TRACE(pokus);
        OcekavejOsu(ref, e.a_delka, e.a_smernik, e.a_zenit);
        OcekavejOsu(ref, e.b_delka, e.b_smernik, e.b_zenit);
        OcekavejOsu(ref, e.c_delka, e.c_smernik, e.c_zenit);
        // Three distinct axes: together they carry the whole trace.
        const Real stopa = B[0][0] + B[1][1] + B[2][2];
        EXPECT_NEAR(e.a_delka * e.a_delka + e.b_delka * e.b_delka + e.c_delka * e.c_delka, stopa,
                    1e-14L);
    }
}

TEST(ElipsoidTest, PointReadsItsBlockFromTheLowerTriangle) {
    // Two points; the upper triangle holds rubbish that must not be read.
    Tmatrix Q(6, Tvector(6, 99));
    const Tmatrix B = {{4, 0, 0}, {1, 2, 0}, {0.5L, 0.25L, 1}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j <= i; ++j) Q[3 + i][3 + j] = B[i][j];
    }
    Tbod bod;
    ASSERT_TRUE(ElipsoidBodu(Q, 1, bod));
    EXPECT_EQ(bod.sig_X, 2);
    EXPECT_NEAR(bod.sig_Y, std::sqrt(2.0L), 1e-18L);
    EXPECT_EQ(bod.sig_Z, 1);
    const Tmatrix plny = {{4, 1, 0.5L}, {1, 2, 0.25L}, {0.5L, 0.25L, 1}};
    const Eigen3 ref = Jacobi(plny);
    OcekavejOsu(ref, bod.elipsoid.a_delka, bod.elipsoid.a_smernik, bod.elipsoid.a_zenit);
    OcekavejOsu(ref, bod.elipsoid.c_delka, bod.elipsoid.c_smernik, bod.elipsoid.c_zenit);

    ASSERT_TRUE(ElipsaBodu(Q, 1, bod));
    EXPECT_GT(bod.elipsa.a_smernik, 0);
    EXPECT_LT(bod.elipsa.a_smernik, kPi / 2);

    EXPECT_FALSE(ElipsoidBodu(Q, 2, bod));
    EXPECT_FALSE(ElipsaBodu(Q, -1, bod));
}

TEST(ElipsoidTest, NegativeVarianceIsAFault) {
    Tmatrix Q = {{-1e-9L, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Tbod bod;
    EXPECT_FALSE(ElipsoidBodu(Q, 0, bod));
    EXPECT_FALSE(ElipsaBodu(Q, 0, bod));
    Q[0][0] = NAN;
    EXPECT_FALSE(ElipsoidBodu(Q, 0, bod));
    EXPECT_FALSE(ElipsoidZBloku({{1, 0}, {0, 1}}, bod.elipsoid));
}

TEST(ElipsaTest, AxesAndBearingOfSimpleBlocks) {
    Telipsa e;
    ASSERT_TRUE(ElipsaZKofaktoru(4, 1, 0, e));
    EXPECT_EQ(e.a_delka, 2);
    EXPECT_EQ(e.b_delka, 1);
    EXPECT_EQ(e.a_smernik, 0);

    ASSERT_TRUE(ElipsaZKofaktoru(1, 4, 0, e));
    EXPECT_EQ(e.a_delka, 2);
    EXPECT_EQ(e.b_delka, 1);
    EXPECT_NEAR(e.a_smernik, kPi / 2, 1e-18L);

    ASSERT_TRUE(ElipsaZKofaktoru(2, 2, 1, e));
    EXPECT_NEAR(e.a_smernik, kPi / 4, 1e-18L);
    EXPECT_NEAR(e.a_delka, std::sqrt(3.0L), 1e-18L);
    EXPECT_NEAR(e.b_delka, 1, 1e-18L);

    // A negative correlation turns the major axis past pi/2, still below pi.
    ASSERT_TRUE(ElipsaZKofaktoru(2, 2, -1, e));
    EXPECT_NEAR(e.a_smernik, 3 * kPi / 4, 1e-18L);
}

TEST(ElipsaTest, AgreesWithJacobiOfTheHorizontalBlock) {
    std::mt19937 gen(7);
    for (int pokus = 0; pokus < 200; ++pokus) {
        const Tmatrix B = NahodnyBlok(gen);
        Telipsa e;
        ASSERT_TRUE(ElipsaZKofaktoru(B[0][0], B[1][1], B[1][0], e));
        const Eigen3 ref = Jacobi({{B[0][0], B[0][1], 0}, {B[1][0], B[1][1], 0}, {0, 0, -1}});
        const int hlavni = ref.hodnoty[0] >= ref.hodnoty[1] ? 0 : 1;
        EXPECT_NEAR(e.a_delka * e.a_delka, ref.hodnoty[hlavni], 1e-14L);
        EXPECT_NEAR(e.b_delka * e.b_delka, ref.hodnoty[1 - hlavni], 1e-14L);
        EXPECT_GE(e.a_delka, e.b_delka);
        EXPECT_GE(e.a_smernik, 0);
        EXPECT_LT(e.a_smernik, kPi);
        const Vec3 osa = {std::cos(e.a_smernik), std::sin(e.a_smernik), 0};
        EXPECT_NEAR(std::fabs(Dot(osa, ref.vektory[hlavni])), 1, 1e-12L);
    }
}

TEST(ElipsaTest, SingularBlockGivesZeroMinorAxisNotAFault) {
    // q_XY^2 = q_XX q_YY: the radicand of b is zero up to rounding, which may
    // leave it a few ulps below zero.
    for (const Real s : {0.1L, 0.3L, 0.7L, 1.1L, 1e-6L}) {
        const Real a = 3 * s;
        Telipsa e;
        ASSERT_TRUE(ElipsaZKofaktoru(s * s, a * a, s * a, e)) << static_cast<double>(s);
        EXPECT_GE(e.b_delka, 0);
        EXPECT_LT(e.b_delka, 1e-8L * e.a_delka);
    }
    Telipsa e;
    EXPECT_FALSE(ElipsaZKofaktoru(1, 1, 2, e));  // not a cofactor block at all
    EXPECT_FALSE(ElipsaZKofaktoru(-1, 1, 0, e));
}

}  // namespace
}  // namespace vertano
