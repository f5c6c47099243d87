#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "matice/Konstanty.h"
#include "processing/Uhly.h"

namespace vertano {
namespace {

TEST(Normalise, BringsAnglesIntoOneTurn) {
    EXPECT_NEAR(static_cast<double>(Normalise(-1) - (kDvePi - 1)), 0, 1e-18);
    EXPECT_EQ(Normalise(kDvePi), 0);
    for (const Real uhel : {Real{1e12L}, Real{-1e-30L}, Real{-7 * kDvePi}}) {
        const Real r = Normalise(uhel);  // a tiny negative angle is zero, not a full turn
        EXPECT_GE(r, 0) << static_cast<double>(uhel);
        EXPECT_LT(r, kDvePi) << static_cast<double>(uhel);
    }
    EXPECT_TRUE(std::isnan(Normalise(std::numeric_limits<Real>::quiet_NaN())));
    // Plain differences and angles near the reference are returned exactly.
    EXPECT_EQ(WrappedDiff(2, 1.5L), 0.5L);
    EXPECT_EQ(Unwrap(1, 1.2L), 1);
    EXPECT_NEAR(static_cast<double>(Unwrap(5 * kDvePi + 1, 1) - 1), 0, 1e-15);
}

TEST(NormaliseSigned, GivesTheSmallerTurnWithAHalfTurnPositive) {
    EXPECT_EQ(NormaliseSigned(0.25L), 0.25L);
    EXPECT_EQ(NormaliseSigned(kPi), kPi);
    EXPECT_NEAR(static_cast<double>(NormaliseSigned(-kPi) - kPi), 0, 1e-18);
    EXPECT_NEAR(static_cast<double>(NormaliseSigned(kDvePi - 0.001L) + 0.001L), 0, 1e-18);
    EXPECT_NEAR(static_cast<double>(NormaliseSigned(-kDvePi + 0.001L) - 0.001L), 0, 1e-18);
    EXPECT_NEAR(static_cast<double>(NormaliseSigned(5 * kDvePi + 1) - 1), 0, 1e-15);
    EXPECT_TRUE(std::isnan(NormaliseSigned(std::numeric_limits<Real>::quiet_NaN())));
}

TEST(Within, LimitAndNoise) {
    EXPECT_TRUE(Within(-0.01L, 0.01L));
    EXPECT_TRUE(Within(0.01L + 0.5e-15L, 0.01L));
    EXPECT_FALSE(Within(0.01L + 2e-15L, 0.01L));
    EXPECT_TRUE(Within(1e-16L, 0));
    EXPECT_FALSE(Within(std::numeric_limits<Real>::quiet_NaN(), 1));
    EXPECT_TRUE(InRange(2, 2));
    EXPECT_FALSE(InRange(-1e-300L, 2));
    EXPECT_FALSE(InRange(std::numeric_limits<Real>::quiet_NaN(), 2));
}

}  // namespace
}  // namespace vertano
