#include <gtest/gtest.h>

#include <cmath>

#include "adjustment/RobustniVahy.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

constexpr Real kFloor = 1e-10L;
constexpr Real kTol = 1e-15L;

Real W(Odhad typ, Real x) {
    return RobustniVaha(typ, x);
}
// Any code, also one no estimator has.
Real W(int kod, Real x) {
    return RobustniVaha(static_cast<Odhad>(kod), x);
}

TEST(RobustniVahyTest, HuberFamilyBreakpoints) {
    EXPECT_EQ(W(Odhad::Huber, 1.345L), 1);
    EXPECT_EQ(W(Odhad::Huber, -1.345L), 1);
    EXPECT_NEAR(W(Odhad::Huber, 2.69L), 0.5L, kTol);
    EXPECT_EQ(W(Odhad::Huber, 1e12L), kFloor);

    EXPECT_EQ(W(Odhad::MHuber, 2), 1);
    EXPECT_NEAR(W(Odhad::MHuber, -2.5L), 0.8L, kTol);
    EXPECT_NEAR(W(Odhad::MHuber, 3), 2.0L / 3, kTol);
    EXPECT_EQ(W(Odhad::MHuber, 3.0001L), kFloor);

    EXPECT_EQ(W(Odhad::Hampel, 2), 1);
    EXPECT_NEAR(W(Odhad::Hampel, 4), 0.5L, kTol);
    EXPECT_NEAR(W(Odhad::Hampel, 6), 2.0L / 2 / 6, kTol);
    EXPECT_NEAR(W(Odhad::Hampel, -5), 3.0L / 2 / 5, kTol);
    EXPECT_EQ(W(Odhad::Hampel, 8.5L), kFloor);

    EXPECT_EQ(W(Odhad::Talwar, 2.795L), 1);
    EXPECT_EQ(W(Odhad::Talwar, 2.7951L), kFloor);
}

TEST(RobustniVahyTest, SmoothEstimatorsMatchTheirFormulas) {
    for (const Real x : {0.0L, 0.3L, -1.0L, 2.5L, 4.0L}) {
        SCOPED_TRACE(static_cast<double>(x));
        EXPECT_NEAR(W(Odhad::Cauchy, x), 1 / (1 + x * x), kTol);
        EXPECT_NEAR(W(Odhad::Geman, x), 1 / ((1 + x * x) * (1 + x * x)), kTol);
        EXPECT_NEAR(W(Odhad::Welsh, x), std::exp(-(x / 2.985L) * (x / 2.985L)), kTol);
        EXPECT_NEAR(W(Odhad::Fair, x), 1 / (1 + std::fabs(x) / 1.4L), kTol);
        EXPECT_NEAR(W(Odhad::L1L2, x), 1 / std::sqrt(1 + x * x / 2), kTol);
        const Real u = 1 - (x / 4.685L) * (x / 4.685L);
        EXPECT_NEAR(W(Odhad::Tukey, x), u * u, kTol);
    }
    EXPECT_EQ(W(Odhad::Andrews, 0), 1);
    EXPECT_NEAR(W(Odhad::Andrews, -1.5L), std::sin(1.5L) / 1.5L, kTol);
    EXPECT_EQ(W(Odhad::Andrews, 3.2L), kFloor);
}

TEST(RobustniVahyTest, TukeyBeyondItsConstantIsTheFloorNotTheParabola) {
    // (1 - (5/4.685)^2)^2 would be about 0.019, a weight far too large for a
    // residual the estimator rejects.
    EXPECT_EQ(W(Odhad::Tukey, 5), kFloor);
    EXPECT_EQ(W(Odhad::Tukey, -5), kFloor);
}

TEST(RobustniVahyTest, LOneNorm) {
    EXPECT_EQ(W(Odhad::L1, 0), 1000);
    EXPECT_EQ(W(Odhad::L1, 0.001L), 1000);
    EXPECT_NEAR(W(Odhad::L1, -0.002L), 500, 1e-12L);
    EXPECT_NEAR(W(Odhad::L1, 4), 0.25L, kTol);
}

TEST(RobustniVahyTest, EveryEstimatorStaysPositiveAndAtMostOneOutsideLOne) {
    for (int typ = 1; typ <= kPocetOdhadu; ++typ) {
        for (Real x = -20; x <= 20; x += 0.0625L) {
            const Real w = W(typ, x);
            ASSERT_GE(w, kFloor) << typ << " " << static_cast<double>(x);
            if (typ != KodOdhadu(Odhad::L1)) {
                ASSERT_LE(w, 1) << typ;
            }
            ASSERT_EQ(w, W(typ, -x)) << typ;
        }
        // The cut-off points themselves, where a branch reaches zero.
        EXPECT_GE(W(typ, 8), kFloor) << typ;
        EXPECT_GE(W(typ, kPi), kFloor) << typ;
        EXPECT_GT(W(typ, 1e300L), 0) << typ;  // L1 has no floor: 1/|x| is positive anyway
        EXPECT_EQ(W(typ, NAN), kFloor) << typ;
        EXPECT_EQ(W(typ, INFINITY), kFloor) << typ;
    }
}

TEST(RobustniVahyTest, UnknownEstimatorGivesZero) {
    EXPECT_EQ(W(0, 0.5L), 0);
    EXPECT_EQ(W(13, 0.5L), 0);
    EXPECT_EQ(W(-1, 0.5L), 0);
    EXPECT_FALSE(JeTypOdhadu(Odhad::Neurcen));
    EXPECT_TRUE(JeTypOdhadu(Odhad::L1L2));
}

}  // namespace
}  // namespace vertano
