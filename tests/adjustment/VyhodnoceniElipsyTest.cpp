#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "adjustment/Elipsy.h"
#include "adjustment/JacobiPomocne.h"
#include "matice/Konstanty.h"
#include "matice/Svd.h"

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

// The axes as a report prints them: gon with five decimals.
std::string Tisk(Real delka, Real smernik, Real zenit) {
    char t[96];
    std::snprintf(t, sizeof t, "%.5Lf %.5Lf %.5Lf", delka, smernik * 200 / kPi, zenit * 200 / kPi);
    return t;
}

std::string Tisk(const Telipsoid& e) {
    return Tisk(e.a_delka, e.a_smernik, e.a_zenit) + " | " +
           Tisk(e.b_delka, e.b_smernik, e.b_zenit) + " | " +
           Tisk(e.c_delka, e.c_smernik, e.c_zenit);
}

// B = R diag(d) R^T for the axes given by bearing and zenith (radians).
Tmatrix BlokSOsami(const std::array<Vec3, 3>& osy, const std::array<Real, 3>& d) {
    Tmatrix B(3, Tvector(3, 0));
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) B[i][j] += d[k] * osy[k][i] * osy[k][j];
        }
    }
    return B;
}

Vec3 Kolmice(const Vec3& a, const Vec3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Each axis is given from one end whatever the sign of its singular vector and
// the last bits of the block (an axis once printed from its lower end, 200 gon
// away, on another processor).
TEST(ElipsoidTest, AxesPrintTheSameWhateverTheColumnSignsAndTheLastBits) {
    const Real gon = kPi / 200;
    const Vec3 sikma = Smer(398.76395L * gon, 99.86438L * gon);  // the axis once turned
    const Vec3 skoroVodorovna = Smer(250 * gon, kPi / 2 + 3e-14L);
    const Vec3 vodorovna = {std::cos(330 * gon), std::sin(330 * gon), 0};
    const std::array<std::array<Vec3, 3>, 3> sestavy = {{
        {sikma, Kolmice(sikma, {0, 0, 1}), {}},
        {skoroVodorovna, Kolmice(skoroVodorovna, {0, 0, 1}), {}},
        {vodorovna, {-vodorovna[1], vodorovna[0], 0}, {0, 0, 1}},
    }};
    for (std::size_t s = 0; s < sestavy.size(); ++s) {
        std::array<Vec3, 3> osy = sestavy[s];
        const Real n = std::sqrt(Dot(osy[1], osy[1]));
        for (Real& x : osy[1]) x /= n;
        if (s < 2) osy[2] = Kolmice(osy[0], osy[1]);
        const Tmatrix B = BlokSOsami(osy, {9e-6L, 4e-6L, 1e-6L});
        Telipsoid vychozi;
        ASSERT_TRUE(ElipsoidZBloku(B, vychozi)) << s;
        const std::string ocekavano = Tisk(vychozi);
        for (int k = 0; k < 3; ++k) {
            // Every axis from its upper end; a horizontal one with its bearing below 200 gon.
            const Real smernik[3] = {vychozi.a_smernik, vychozi.b_smernik, vychozi.c_smernik};
            const Real zenit[3] = {vychozi.a_zenit, vychozi.b_zenit, vychozi.c_zenit};
            EXPECT_LE(zenit[k], kPi / 2) << s << " " << k;
            if (zenit[k] == kPi / 2) {
                EXPECT_LT(smernik[k], kPi) << s << " " << k;
            }
        }
        // A few ulps on each element, symmetric; a zero element gets a few ulps
        // of the block's largest, as rounding would leave there.
        const Real ulp = std::nextafter(Real(9e-6L), Real(1)) - Real(9e-6L);
        for (int pokus = 1; pokus <= 6; ++pokus) {
            Tmatrix P = B;
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j <= i; ++j) {
                    const int u = (pokus + i + 2 * j) % 4;
                    const Real smer = (pokus % 2) ? 1 : -1;
                    Real x = P[i][j];
                    if (x == 0) {
                        x = smer * u * ulp;
                    } else {
                        for (int k = 0; k < u; ++k) x = std::nextafter(x, smer);
                    }
                    P[i][j] = P[j][i] = x;
                }
            }
            Telipsoid e;
            ASSERT_TRUE(ElipsoidZBloku(P, e));
            EXPECT_EQ(Tisk(e), ocekavano) << s << " " << pokus;
        }
        // The singular vectors with their signs flipped give the same figures.
        Tmatrix U = B;
        Tvector w;
        Tmatrix V;
        ASSERT_TRUE(SVDecomposition(U, w, V));
        for (int k = 0; k < 3; ++k) {
            Real s1 = 0, z1 = 0, s2 = 0, z2 = 0;
            SmerOsy(V[0][k], V[1][k], V[2][k], s1, z1);
            SmerOsy(-V[0][k], -V[1][k], -V[2][k], s2, z2);
            EXPECT_EQ(Tisk(std::sqrt(w[k]), s1, z1), Tisk(std::sqrt(w[k]), s2, z2))
                << s << " " << k;
        }
    }
    // An exactly horizontal axis along -X is given from +X (bearing 0, not 200),
    // one along -Y from +Y, and -0 is no negative bearing.
    Real smernik = 1, zenit = 1;
    SmerOsy(-1, 0, 0, smernik, zenit);
    EXPECT_EQ(Tisk(1, smernik, zenit), "1.00000 0.00000 100.00000");
    SmerOsy(0, -1, -0.0L, smernik, zenit);
    EXPECT_EQ(Tisk(1, smernik, zenit), "1.00000 100.00000 100.00000");
    SmerOsy(1, -0.0L, 0, smernik, zenit);
    EXPECT_EQ(Tisk(1, smernik, zenit), "1.00000 0.00000 100.00000");
    SmerOsy(0.3L, -0.4L, -1e-20L, smernik, zenit);
    Real smernik2 = 1, zenit2 = 1;
    SmerOsy(-0.3L, 0.4L, -1e-20L, smernik2, zenit2);
    EXPECT_EQ(Tisk(1, smernik, zenit), Tisk(1, smernik2, zenit2));
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
    EXPECT_EQ(bod.Presnost().sig_X, 2);
    EXPECT_NEAR(bod.Presnost().sig_Y, std::sqrt(2.0L), 1e-18L);
    EXPECT_EQ(bod.Presnost().sig_Z, 1);
    const Tmatrix plny = {{4, 1, 0.5L}, {1, 2, 0.25L}, {0.5L, 0.25L, 1}};
    const Eigen3 ref = Jacobi(plny);
    OcekavejOsu(ref, bod.Presnost().elipsoid.a_delka, bod.Presnost().elipsoid.a_smernik,
                bod.Presnost().elipsoid.a_zenit);
    OcekavejOsu(ref, bod.Presnost().elipsoid.c_delka, bod.Presnost().elipsoid.c_smernik,
                bod.Presnost().elipsoid.c_zenit);

    ASSERT_TRUE(ElipsaBodu(Q, 1, bod));
    EXPECT_GT(bod.Presnost().elipsa.a_smernik, 0);
    EXPECT_LT(bod.Presnost().elipsa.a_smernik, kPi / 2);

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
    EXPECT_FALSE(ElipsoidZBloku({{1, 0}, {0, 1}}, bod.UpravPresnost().elipsoid));
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
