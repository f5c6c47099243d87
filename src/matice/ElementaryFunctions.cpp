#include "matice/ElementaryFunctions.h"

#include <cmath>
#include <limits>

namespace vertano {

namespace {

// Constants split in two: the value rounded to the 64-bit mantissa and the rest.
constexpr Real kPulPiHi = 0xc90fdaa22168c235p-63L;
constexpr Real kPulPiLo = -0xece675d1fc8f8cbbp-129L;
constexpr Real kPiHi = 0xc90fdaa22168c235p-62L;
constexpr Real kPiLo = -0xece675d1fc8f8cbbp-128L;
// ln 2 with 48 bits, so that k ln 2 is exact for every exponent k of the type.
constexpr Real kLn2Hi = 0xb17217f7d1cfp-48L;
constexpr Real kLn2Lo = 0xf35793c7673007e6p-113L;
constexpr Real kInvLn2 = 1 / 0.6931471805599453094172321214581765680755L;
constexpr Real kOdmocninaPoloviny = 0.7071067811865475244008443621048490392848L;

// atan(k/8) for k = 0 .. 8.
constexpr Real kAtanHi[9] = {
    0.0L,
    0xfeadd4d5617b6e33p-67L,
    0xfadbafc96406eb15p-66L,
    0xb7b0ca0f26f78474p-65L,
    0xed63382b0dda7b45p-65L,
    0x8f005d5ef7f59f9bp-64L,
    0xa4bc7d1934f70924p-64L,
    0xb8053e2bc2319e74p-64L,
    0xc90fdaa22168c235p-64L,
};
constexpr Real kAtanLo[9] = {
    0.0L,
    -0xdda19d8305ddc422p-133L,
    0xdb8f3debef442fcbp-131L,
    -0xeab9bdba460376fap-130L,
    0xdfc88bd978751a07p-130L,
    0xb906bc2ccb886e8fp-129L,
    0xcd43f9522bed64f7p-131L,
    -0xd3496ab7bd6eef0bp-130L,
    -0xece675d1fc8f8cbbp-130L,
};

// Below this, t^3/3 is under half an ulp of t: the series is t itself (and its
// square is not formed, which could underflow).
constexpr Real kMaleT = 0x1p-33L;

// atan(t) for |t| <= 1/16 by its series t - t^3/3 + t^5/5 ...; the first term
// left out is below 2^-80 of t.
Real AtanMala(Real t) {
    if (std::fabs(t) < kMaleT) return t;
    const Real s = t * t;
    Real p = 0;
    for (int n = 10; n >= 1; --n) p = (n % 2 ? Real(-1) : Real(1)) / (2 * n + 1) + s * p;
    return t + t * (s * p);
}

// atan(a) for 0 <= a <= 1: atan(c) + atan((a - c) / (1 + a c)) with c the
// nearest multiple of 1/8, so the series runs on at most 1/16.
Real AtanJednotky(Real a) {
    const int k = static_cast<int>(a * 8 + Real(0.5));
    if (k == 0) return AtanMala(a);
    const Real c = Real(k) / 8;
    const Real t = (a - c) / (1 + a * c);
    return kAtanHi[k] + (kAtanLo[k] + AtanMala(t));
}

Real Neplatne(Real x) {
    // 0/0 (or NaN) raises the invalid-operation flag, as the C library does.
    const Real nula = x - x;
    return nula / nula;
}

}  // namespace

Real Atan(Real x) {
    if (std::isnan(x)) return x + x;
    const Real a = std::fabs(x);
    Real r = 0;
    if (a <= 1) {
        r = AtanJednotky(a);
    } else if (std::isinf(a)) {
        r = kPulPiHi;
    } else {
        r = (kPulPiHi - AtanJednotky(1 / a)) + kPulPiLo;
    }
    return std::signbit(x) ? -r : r;
}

Real Atan2(Real y, Real x) {
    if (std::isnan(x) || std::isnan(y)) return x + y;
    const Real ax = std::fabs(x);
    const Real ay = std::fabs(y);
    const bool zaporneX = std::signbit(x);
    Real r = 0;
    if (ay == 0) {
        r = zaporneX ? kPiHi : 0;
    } else if (std::isinf(ax) && std::isinf(ay)) {
        r = zaporneX ? 3 * (kPiHi / 4) : kPiHi / 4;
    } else if (std::isinf(ax)) {
        r = zaporneX ? kPiHi : 0;
    } else if (std::isinf(ay) || ax == 0) {
        r = kPulPiHi;
    } else if (ay <= ax) {
        r = AtanJednotky(ay / ax);
        if (zaporneX) r = (kPiHi - r) + kPiLo;
    } else {
        const Real q = AtanJednotky(ax / ay);
        r = zaporneX ? (kPulPiHi + q) + kPulPiLo : (kPulPiHi - q) + kPulPiLo;
    }
    return std::signbit(y) ? -r : r;
}

Real Asin(Real x) {
    if (std::isnan(x)) return x + x;
    if (std::fabs(x) > 1) return Neplatne(x);
    // (1 - x)(1 + x) keeps the digits of 1 - x^2 near |x| = 1.
    return Atan2(x, std::sqrt((1 - x) * (1 + x)));
}

Real Acos(Real x) {
    if (std::isnan(x)) return x + x;
    if (std::fabs(x) > 1) return Neplatne(x);
    return Atan2(std::sqrt((1 - x) * (1 + x)), x);
}

Real Exp(Real x) {
    if (std::isnan(x)) return x + x;
    if (x > 11357.3L) {
        // The product overflows and raises the flag, as the C library's would.
        const Real velke = std::numeric_limits<Real>::max();
        return velke * velke;
    }
    if (x < -11400) return 0;
    // x = k ln 2 + r with |r| <= ln 2 / 2; exp(r) by its series to r^18/18!,
    // below 2^-80 of the sum.
    const Real k = std::round(x * kInvLn2);
    const Real r = (x - k * kLn2Hi) - k * kLn2Lo;
    Real p = 1;
    for (int n = 18; n >= 1; --n) p = 1 + r * p / n;
    return std::ldexp(p, static_cast<int>(k));
}

Real Log(Real x) {
    if (std::isnan(x)) return x + x;
    if (x < 0) return Neplatne(x);
    if (x == 0) return -1 / std::fabs(x);  // -inf with the division-by-zero flag
    if (std::isinf(x)) return x;
    int e = 0;
    Real m = std::frexp(x, &e);
    if (m < kOdmocninaPoloviny) {
        m *= 2;
        --e;
    }
    // log m = 2 atanh f with f = (m - 1)/(m + 1), |f| <= 0.172: the series
    // 2 (f + f^3/3 + f^5/5 ...) to f^29, below 2^-80 of the sum.
    const Real f = (m - 1) / (m + 1);
    const Real s = f * f;
    Real p = 0;
    for (int n = 14; n >= 1; --n) p = Real(1) / (2 * n + 1) + s * p;
    const Real logM = 2 * f + 2 * f * (s * p);
    const Real ke = static_cast<Real>(e);
    return ke * kLn2Hi + (logM + ke * kLn2Lo);
}

Real Pow10(int n) {
    constexpr int kNejvetsiPresna = 27;
    if (n > kNejvetsiPresna) return Pow10(kNejvetsiPresna) * Pow10(n - kNejvetsiPresna);
    if (n < -kNejvetsiPresna) return Pow10(-kNejvetsiPresna) * Pow10(n + kNejvetsiPresna);
    Real p = 1;
    for (int i = 0; i < (n < 0 ? -n : n); ++i) p *= 10;
    return n < 0 ? 1 / p : p;
}

}  // namespace vertano
