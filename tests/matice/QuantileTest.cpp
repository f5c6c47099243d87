// The normal quantile used by the outlier tests.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "matice/Quantile.h"

namespace vertano {
namespace {

TEST(Quantile, KnownValuesAndSymmetry) {
    ASSERT_TRUE(icnorm(0.975L));
    EXPECT_NEAR(*icnorm(0.975L), 1.959963984540054L, 1e-8L);
    EXPECT_EQ(*icnorm(0.5L), 0);
    EXPECT_NEAR(*icnorm(0.995L), 2.575829303548901L, 1e-8L);
    EXPECT_NEAR(*icnorm(1e-10L), -6.361340902404056L, 1e-7L);
    for (const Real p : {0.001L, 0.01L, 0.1L, 0.3L}) {
        EXPECT_NEAR(*icnorm(p), -*icnorm(1 - p), 1e-12L) << static_cast<double>(p);
    }
    EXPECT_LT(*icnorm(1e-300L), -37);
}

TEST(Quantile, RegionBoundariesUseTheCentralFormula) {
    // The central formula, evaluated independently; the tail formula differs
    // from it in the 10th digit at these points.
    const auto central = [](Real p) {
        const double a[] = {-3.969683028665376e+01, 2.209460984245205e+02,  -2.759285104469687e+02,
                            1.383577518672690e+02,  -3.066479806614716e+01, 2.506628277459239e+00};
        const double b[] = {-5.447609879822406e+01, 1.615858368580409e+02, -1.556989798598866e+02,
                            6.680131188771972e+01, -1.328068155288572e+01};
        const Real q = p - 0.5L, r = q * q;
        return q * (((((a[0] * r + a[1]) * r + a[2]) * r + a[3]) * r + a[4]) * r + a[5]) /
               (((((b[0] * r + b[1]) * r + b[2]) * r + b[3]) * r + b[4]) * r + 1);
    };
    for (const Real p :
         {0.02425L, 0.97575L, static_cast<Real>(0.02425), static_cast<Real>(0.97575)}) {
        EXPECT_EQ(*icnorm(p), central(p)) << static_cast<double>(p);
    }
}

TEST(Quantile, ArgumentsOutsideTheOpenIntervalAreRefused) {
    for (const Real p : {0.0L, 1.0L, -0.5L, 1.5L, std::numeric_limits<Real>::quiet_NaN(),
                         std::numeric_limits<Real>::infinity()}) {
        EXPECT_FALSE(icnorm(p).has_value()) << static_cast<double>(p);
    }
    EXPECT_EQ(std::string(kIcnormArgument), "Inverse Cum Norm argument must be in range 0<p<1");
}

}  // namespace
}  // namespace vertano
