#include "mereni/Jednotky.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"

namespace vertano {

namespace {

Real ParseDigits(std::string_view digits) {
    if (digits.empty()) return 0;
    Real v = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), v);
    return v;
}

std::string Padded(uint64_t value, size_t width) {
    std::string s = std::to_string(value);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

// Rounding step of a D.MMSS value with `decimals` decimals, in seconds.
Real DmsStep(int decimals) {
    switch (decimals) {
        case 0:
            return 3600;
        case 1:
            return 600;
        case 2:
            return 60;
        case 3:
            return 10;
        default:
            return Pow10(-(decimals - 4));
    }
}

}  // namespace

bool JeUhelVKruhu(Real uhel) {
    return uhel >= 0 && uhel < kDvePi - 1e-15L;
}

NumberStatus DecodeDms(std::string_view token, Real& degrees) {
    DecimalDigits d;
    if (!SplitDecimalDigits(token, d)) return NumberStatus::NotANumber;
    std::string frac = d.fraction;
    if (frac.size() < 4) frac.resize(4, '0');
    // Two digits each: 60 and more would be carried silently into the next unit.
    if (frac[0] >= '6' || frac[2] >= '6') return NumberStatus::BadDms;
    const Real minutes = ParseDigits(std::string_view(frac).substr(0, 2));
    const std::string seconds = frac.substr(2, 2) + "." + frac.substr(4);
    const Real value = ParseDigits(d.whole) + minutes / 60 + ParseDigits(seconds) / 3600;
    degrees = d.negative ? -value : value;
    return NumberStatus::Ok;
}

bool DmsTextToDegrees(std::string_view token, Real& degrees) {
    return DecodeDms(token, degrees) == NumberStatus::Ok;
}

Real AngleToRadians(Real value, uint8_t code) {
    switch (code) {
        case jednotka::kRadian:
            return value;
        case jednotka::kGon:
            return value * (kPi / 200);
        case jednotka::kStupen:
            return value * (kPi / 180);
        case jednotka::kDms: {
            Real deg = 0;
            if (!std::isfinite(value)) return value;
            if (!DmsTextToDegrees(FormatGeneral(value), deg)) return std::nanl("");
            return deg * (kPi / 180);
        }
        default:
            return value;
    }
}

Real RadiansToAngle(Real radians, uint8_t code) {
    switch (code) {
        case jednotka::kRadian:
            return radians;
        case jednotka::kGon:
            return radians * (200 / kPi);
        case jednotka::kStupen:
            return radians * (180 / kPi);
        case jednotka::kDms: {
            if (!std::isfinite(radians)) return radians;
            const std::string s = FormatDms(radians * (180 / kPi), 12);
            Real v = 0;
            std::from_chars(s.data(), s.data() + s.size(), v);
            return v;
        }
        default:
            return radians;
    }
}

Real LengthToMetres(Real value, uint8_t code) {
    return code == jednotka::kStopa ? value * kStopaVMetrech : value;
}

Real MetresToLength(Real metres, uint8_t code) {
    return code == jednotka::kStopa ? metres / kStopaVMetrech : metres;
}

namespace {

constexpr Real kBoduNaStopu = 864;
constexpr Real kVterinNaStupen = 3600;

}  // namespace

Real MetresToDeviation(Real metres, uint8_t code) {
    return code == jednotka::kStopa ? metres / kStopaVMetrech * kBoduNaStopu : metres * 1000;
}

Real DeviationToMetres(Real value, uint8_t code) {
    return code == jednotka::kStopa ? value / kBoduNaStopu * kStopaVMetrech : value / 1000;
}

Real RadiansToDeviation(Real radians, uint8_t code) {
    if (code == jednotka::kDms) return radians * (180 / kPi) * kVterinNaStupen;
    return RadiansToAngle(radians, code) * 1000;
}

Real DeviationToRadians(Real value, uint8_t code) {
    if (code == jednotka::kDms) return value / kVterinNaStupen * (kPi / 180);
    return AngleToRadians(value / 1000, code);
}

NumberStatus ParseAngle(std::string_view token, uint8_t code, Real& radians) {
    Real v = 0;
    const NumberStatus st = ParseNumber(token, v);
    if (st != NumberStatus::Ok) return st;
    if (code == jednotka::kDms) {
        Real deg = 0;
        if (v != 0) {
            const NumberStatus dms = DecodeDms(token, deg);
            if (dms != NumberStatus::Ok) return dms;
        }
        radians = v == 0 ? 0 : deg * (kPi / 180);
    } else {
        radians = AngleToRadians(v, code);
    }
    return NumberStatus::Ok;
}

NumberStatus ParseLength(std::string_view token, uint8_t code, Real& metres) {
    Real v = 0;
    const NumberStatus st = ParseNumber(token, v);
    if (st == NumberStatus::Ok) metres = LengthToMetres(v, code);
    return st;
}

std::string FormatDms(Real degrees, int decimals) {
    if (!std::isfinite(degrees)) return FormatGeneral(degrees);
    decimals = std::clamp(decimals, 0, 30);
    // Digits beyond 1e-10 seconds are written as zeros: no angle carries them.
    const int exact = std::min(decimals, 14);
    const Real steps = RoundHalfAway(std::fabs(degrees) * 3600 / DmsStep(exact));
    if (steps > 9e18L) return FormatFixed(degrees, decimals);  // no surveyed angle
    uint64_t perSecond = 1;
    uint64_t units = static_cast<uint64_t>(steps);
    if (exact >= 4) {
        for (int k = 4; k < exact; ++k) perSecond *= 10;
    } else {
        units *= static_cast<uint64_t>(DmsStep(exact));
    }
    const uint64_t perMinute = 60 * perSecond;
    const uint64_t perDegree = 60 * perMinute;
    const uint64_t d = units / perDegree;
    const uint64_t m = (units % perDegree) / perMinute;
    const uint64_t s = units % perMinute;
    std::string frac = Padded(m, 2) + Padded(s / perSecond, 2);
    if (exact > 4) frac += Padded(s % perSecond, static_cast<size_t>(exact - 4));
    frac.resize(static_cast<size_t>(decimals), '0');
    const bool negative = degrees < 0 && units != 0;
    std::string out = (negative ? "-" : "") + std::to_string(d);
    if (decimals > 0) out += "." + frac;
    return out;
}

std::string FormatAngle(Real radians, uint8_t code, int decimals) {
    if (code == jednotka::kDms) return FormatDms(radians * (180 / kPi), decimals);
    return FormatFixed(RadiansToAngle(radians, code), decimals);
}

std::string FormatLength(Real metres, uint8_t code, int decimals) {
    if (metres == 0) return "0";
    return FormatFixed(MetresToLength(metres, code), decimals);
}

}  // namespace vertano
