#include "matice/ElementaryFunctions.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "matice/Konstanty.h"

namespace vertano {
namespace {

// Distance in units in the last place between two finite values of one sign.
int64_t Ulp(Real a, Real b) {
    if (a == b) return 0;
    const Real vetsi = std::fabs(a) > std::fabs(b) ? std::fabs(a) : std::fabs(b);
    const Real ulp = std::nextafter(vetsi, std::numeric_limits<Real>::infinity()) - vetsi;
    return static_cast<int64_t>(std::fabs(a - b) / ulp + Real(0.5));
}

// The C library's x87 results are within an ulp of the exact value on every
// processor, so 3 ulp against them bounds ours by 2 (plus theirs).
constexpr int64_t kUlp = 3;

TEST(ElementaryFunctionsTest, AgreeWithTheCLibraryWithinTwoUlp) {
    std::mt19937_64 gen(20261210);
    std::uniform_real_distribution<double> jednotka(-1, 1);
    std::uniform_real_distribution<double> rad(-40, 40);
    for (int i = 0; i < 20000; ++i) {
        const Real u = static_cast<Real>(jednotka(gen)) * (1 + Real(1) / (1ULL << 40));
        const Real y = std::ldexp(static_cast<Real>(jednotka(gen)), static_cast<int>(rad(gen)));
        const Real x = std::ldexp(static_cast<Real>(jednotka(gen)), static_cast<int>(rad(gen)));
        SCOPED_TRACE(static_cast<double>(x));
        ASSERT_LE(Ulp(Atan2(y, x), std::atan2(y, x)), kUlp) << static_cast<double>(y);
        ASSERT_LE(Ulp(Atan(x), std::atan(x)), kUlp);
        ASSERT_LE(Ulp(Acos(u), std::acos(u)), kUlp);
        ASSERT_LE(Ulp(Asin(u), std::asin(u)), kUlp);
        const Real e = static_cast<Real>(rad(gen)) * 10;
        ASSERT_LE(Ulp(Exp(e), std::exp(e)), kUlp) << static_cast<double>(e);
        const Real kladne = std::fabs(y) + std::numeric_limits<Real>::denorm_min();
        ASSERT_LE(Ulp(Log(kladne), std::log(kladne)), kUlp) << static_cast<double>(kladne);
    }
    // Arguments near 1, where 1 - x^2 and log lose digits in naive formulae.
    for (int k = 1; k < 64; ++k) {
        const Real blizko = 1 - std::ldexp(Real(1), -k);
        EXPECT_LE(Ulp(Acos(blizko), std::acos(blizko)), kUlp) << k;
        EXPECT_LE(Ulp(Asin(-blizko), std::asin(-blizko)), kUlp) << k;
        EXPECT_LE(Ulp(Log(blizko), std::log(blizko)), kUlp) << k;
        EXPECT_LE(Ulp(Log(2 - blizko), std::log(2 - blizko)), kUlp) << k;
    }
}

TEST(ElementaryFunctionsTest, SpecialValuesAsTheCLibrary) {
    const Real inf = std::numeric_limits<Real>::infinity();
    EXPECT_EQ(Atan2(0, 1), 0);
    EXPECT_TRUE(std::signbit(Atan2(-0.0L, 1)));
    EXPECT_EQ(Atan2(0, -1), kPi);
    EXPECT_EQ(Atan2(-0.0L, -1), -kPi);
    EXPECT_EQ(Atan2(0.0L, -0.0L), kPi);
    EXPECT_EQ(Atan2(1, 0), kPi / 2);
    EXPECT_EQ(Atan2(-1, 0), -kPi / 2);
    EXPECT_EQ(Atan2(inf, inf), kPi / 4);
    EXPECT_EQ(Atan2(-inf, -inf), -3 * kPi / 4);
    EXPECT_EQ(Atan2(1, -inf), kPi);
    EXPECT_EQ(Atan(inf), kPi / 2);
    EXPECT_EQ(Acos(1), 0);
    EXPECT_EQ(Acos(-1), kPi);
    EXPECT_EQ(Acos(0), kPi / 2);
    EXPECT_EQ(Asin(1), kPi / 2);
    EXPECT_EQ(Exp(0), 1);
    EXPECT_EQ(Log(1), 0);
    EXPECT_EQ(Exp(-20000), 0);
    EXPECT_TRUE(std::isnan(Atan2(NAN, 1)));
    EXPECT_TRUE(std::isnan(Log(NAN)));

    // Faults raise the flags the callers' guards test.
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(std::isnan(Acos(1.5L)));
    EXPECT_TRUE(std::fetestexcept(FE_INVALID));
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_TRUE(std::isnan(Log(-1)));
    EXPECT_TRUE(std::fetestexcept(FE_INVALID));
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(Log(0), -inf);
    EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(Exp(20000), inf);
    EXPECT_TRUE(std::fetestexcept(FE_OVERFLOW));
    // A tiny argument gives no spurious underflow or inexact fault.
    std::feclearexcept(FE_ALL_EXCEPT);
    EXPECT_EQ(Atan2(1e-4000L, 1), 1e-4000L);
    EXPECT_FALSE(std::fetestexcept(FE_INVALID | FE_OVERFLOW | FE_DIVBYZERO));
    std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(ElementaryFunctionsTest, PowersOfTenAreExactOrCorrectlyRounded) {
    Real p = 1;
    for (int n = 0; n <= 27; ++n) {
        EXPECT_EQ(Pow10(n), p) << n;
        EXPECT_EQ(Pow10(-n), 1 / p) << n;
        p *= 10;
    }
    EXPECT_EQ(Pow10(-3), 0.001L);
    EXPECT_EQ(Pow10(18), 1e18L);
}

}  // namespace
}  // namespace vertano
