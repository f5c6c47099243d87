#include "mereni/Text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace vertano {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The parts of a decimal number as written: sign, digits before and after the
// point, and the exponent (saturated, so absurd exponents cannot overflow).
struct DecimalText {
    bool negative = false;
    std::string_view whole;
    std::string_view fraction;
    long exponent = 0;
};

bool SplitDecimal(std::string_view s, DecimalText& d) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) d.negative = s[i++] == '-';
    const size_t wholeStart = i;
    while (i < s.size() && IsDigit(s[i])) ++i;
    d.whole = s.substr(wholeStart, i - wholeStart);
    if (i < s.size() && s[i] == '.') {
        const size_t fracStart = ++i;
        while (i < s.size() && IsDigit(s[i])) ++i;
        d.fraction = s.substr(fracStart, i - fracStart);
    }
    if (d.whole.empty() && d.fraction.empty()) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negExp = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) negExp = s[i++] == '-';
        if (i == s.size()) return false;
        long e = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i) e = std::min(e * 10 + (s[i] - '0'), 1000000L);
        d.exponent = negExp ? -e : e;
    }
    return i == s.size();
}

// Decimal order of the first significant digit (0 for 1..9.99); false when every
// digit is zero.
bool FirstDigitOrder(const DecimalText& d, long& order) {
    for (size_t k = 0; k < d.whole.size(); ++k) {
        if (d.whole[k] != '0') {
            order = static_cast<long>(d.whole.size() - k) - 1 + d.exponent;
            return true;
        }
    }
    for (size_t k = 0; k < d.fraction.size(); ++k) {
        if (d.fraction[k] != '0') {
            order = -static_cast<long>(k) - 1 + d.exponent;
            return true;
        }
    }
    return false;
}

// Exact powers of ten: 5^27 still fits the 64-bit mantissa of the extended type.
constexpr int kMaxExactPower = 27;

Real ExactPowerOfTen(int k) {
    static const auto table = [] {
        std::array<Real, kMaxExactPower + 1> t{};
        Real p = 1;
        for (auto& x : t) {
            x = p;
            p *= 10;
        }
        return t;
    }();
    return table[static_cast<size_t>(k)];
}

// Plain decimals with at most 19 digits are an exact integer divided by an exact
// power of ten, and one division rounds correctly: the same value as from_chars,
// several times faster. False when the token needs the general path.
bool FastDecimal(const DecimalText& d, Real& value) {
    if (d.exponent != 0 || d.whole.size() + d.fraction.size() > 19 ||
        d.fraction.size() > static_cast<size_t>(kMaxExactPower))
        return false;
    uint64_t m = 0;
    for (const char c : d.whole) m = m * 10 + static_cast<uint64_t>(c - '0');
    for (const char c : d.fraction) m = m * 10 + static_cast<uint64_t>(c - '0');
    const Real v = static_cast<Real>(m) / ExactPowerOfTen(static_cast<int>(d.fraction.size()));
    value = d.negative ? -v : v;
    return true;
}

NumberStatus CheckMagnitude(Real& value) {
    const Real a = std::fabs(value);
    if (a <= kZeroMagnitude) {
        value = 0;
        return NumberStatus::Ok;
    }
    if (a < kMinMagnitude || a > kMaxMagnitude) return NumberStatus::OutOfRange;
    return NumberStatus::Ok;
}

// Significant digits by scaling with an exact power of ten: one rounding of the
// extended type, far below the digits asked for, so only values within that noise of
// a decimal tie may round the other way than an exact conversion would.
bool FastSignificant(Real a, int digits, std::string& mantissa, int& exponent) {
    if (!(a >= 1e-9L && a < 1e18L)) return false;
    int e = static_cast<int>(std::floor(std::log10(a)));
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int shift = digits - 1 - e;
        if (shift > kMaxExactPower || -shift > kMaxExactPower) return false;
        const Real scaled = shift >= 0 ? a * ExactPowerOfTen(shift) : a / ExactPowerOfTen(-shift);
        const Real low = ExactPowerOfTen(digits - 1);
        if (scaled < low) {
            --e;
            continue;
        }
        uint64_t n = static_cast<uint64_t>(std::floor(scaled + 0.5L));
        if (static_cast<Real>(n) >= low * 10) {
            if (scaled >= low * 10) {
                ++e;
                continue;
            }
            n = static_cast<uint64_t>(low);  // rounded up to the next power of ten
            ++e;
        }
        mantissa = std::to_string(n);
        exponent = e;
        return true;
    }
    return false;
}

// The digits and the decimal exponent of a scientific rendering "d.ddde+xx".
void SplitScientific(std::string_view s, std::string& mantissa, int& exponent) {
    const size_t e = s.find('e');
    mantissa.clear();
    for (size_t k = 0; k < e; ++k)
        if (IsDigit(s[k])) mantissa += s[k];
    int exp = 0;
    const char* first = s.data() + e + 1;
    if (*first == '+') ++first;
    std::from_chars(first, s.data() + s.size(), exp);
    exponent = exp;
}

// Significant digits and decimal exponent of |value| rounded to `digits` digits;
// with `digits` 0 the fewest that read back to the value.
void Significant(Real value, int digits, std::string& mantissa, int& exponent) {
    if (digits > 0 && FastSignificant(std::fabs(value), digits, mantissa, exponent)) return;
    char buf[128];
    const auto r = digits > 0 ? std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                              std::chars_format::scientific, digits - 1)
                              : std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                              std::chars_format::scientific);
    SplitScientific(std::string_view(buf, static_cast<size_t>(r.ptr - buf)), mantissa, exponent);
}

// Adds one to the last digit of `digits`; true when the carry ran out of the front.
bool IncrementDigits(std::string& digits) {
    for (size_t k = digits.size(); k-- > 0;) {
        if (digits[k] != '9') {
            ++digits[k];
            return false;
        }
        digits[k] = '0';
    }
    digits.insert(digits.begin(), '1');
    return true;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

std::vector<PreparedLine> PrepareLines(const std::vector<std::string>& lines) {
    std::vector<PreparedLine> out;
    out.reserve(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view t = Trim(lines[i]);
        if (!t.empty()) out.push_back({std::string(t), static_cast<int32_t>(i + 1)});
    }
    return out;
}

std::vector<std::string> Tokenize(std::string_view line) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) tokens.emplace_back(line.substr(start, i - start));
    }
    return tokens;
}

bool IsSingleToken(std::string_view name) {
    if (name.empty()) return false;
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) <= 0x20 || static_cast<unsigned char>(c) == 0x7F;
    });
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

NumberStatus ParseNumber(std::string_view token, Real& value) {
    std::string s(token);
    for (char& c : s)
        if (c == ',') c = '.';
    DecimalText d;
    if (!SplitDecimal(s, d)) return NumberStatus::NotANumber;
    Real v = 0;
    if (FastDecimal(d, v)) {
        const NumberStatus st = CheckMagnitude(v);
        if (st == NumberStatus::Ok) value = v;
        return st;
    }
    const size_t skip = (!s.empty() && s[0] == '+') ? 1 : 0;
    const auto r =
        std::from_chars(s.data() + skip, s.data() + s.size(), v, std::chars_format::general);
    if (r.ptr != s.data() + s.size()) return NumberStatus::NotANumber;
    if (r.ec == std::errc::result_out_of_range) {
        long order = 0;
        // Underflow is a zero as far as files are concerned; overflow is not.
        if (!FirstDigitOrder(d, order) || order < 0) {
            value = 0;
            return NumberStatus::Ok;
        }
        return NumberStatus::OutOfRange;
    }
    if (r.ec != std::errc()) return NumberStatus::NotANumber;
    const NumberStatus st = CheckMagnitude(v);
    if (st == NumberStatus::Ok) value = v;
    return st;
}

bool ParseInteger(std::string_view token, int32_t& value) {
    if (!token.empty() && token[0] == '+') token.remove_prefix(1);
    if (token.empty() || token[0] == '+') return false;
    int32_t v = 0;
    const auto r = std::from_chars(token.data(), token.data() + token.size(), v, 10);
    if (r.ec != std::errc() || r.ptr != token.data() + token.size()) return false;
    value = v;
    return true;
}

bool FitForParser(Real& value) {
    if (!std::isfinite(value)) return false;
    const Real a = std::fabs(value);
    if (a > kMaxMagnitude) return false;
    if (a < kMinMagnitude) value = 0;
    return true;
}

std::string FormatInteger(int64_t value) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, r.ptr);
}

namespace {

// Significant digits (no trailing zeros) with the decimal order of the first one,
// in the general notation: fixed from 1E-5 up to below 1E15, else an exponent.
std::string RenderGeneral(bool negative, std::string digits, int e) {
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = negative ? "-" : "";
    if (e < -5 || e >= 15) {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += "E" + std::to_string(e);
    } else if (e < 0) {
        out += "0." + std::string(static_cast<size_t>(-e - 1), '0') + digits;
    } else {
        const size_t whole = static_cast<size_t>(e) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return out;
}

}  // namespace

std::string FormatGeneral(Real value) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF");
    if (value == 0) return "0";
    std::string digits;
    int e = 0;
    Significant(value, 15, digits, e);
    return RenderGeneral(value < 0, digits, e);
}

std::string FormatExact(Real value) {
    if (!std::isfinite(value) || value == 0) return FormatGeneral(value);
    std::string digits;
    int e = 0;
    Significant(value, 0, digits, e);
    return RenderGeneral(value < 0, digits, e);
}

std::string FormatFixed(Real value, int decimals) {
    if (!std::isfinite(value)) return FormatGeneral(value);
    decimals = std::clamp(decimals, 0, 30);
    std::string digits;
    int e = 0;
    // 18 significant digits: below the resolution of the input (15-17 digits) and
    // above the noise of a unit conversion in extended precision.
    if (value != 0) Significant(value, 18, digits, e);
    // digits of the result before the cut, counted from the first significant one
    const long keep = static_cast<long>(e) + 1 + decimals;
    std::string kept;
    if (value != 0 && keep >= 0) {
        const size_t k = static_cast<size_t>(keep);
        kept = digits.substr(0, std::min(k, digits.size()));
        if (k < digits.size() && digits[k] >= '5' && IncrementDigits(kept)) ++e;
        if (kept.size() < static_cast<size_t>(e) + 1 + decimals)
            kept += std::string(static_cast<size_t>(e) + 1 + decimals - kept.size(), '0');
    }
    // kept now holds the digits from order e down to order -decimals
    std::string whole;
    std::string frac;
    if (kept.empty() || e < 0) {
        whole = "0";
        const size_t lead =
            kept.empty() ? static_cast<size_t>(decimals) : static_cast<size_t>(-e - 1);
        frac = std::string(std::min(lead, static_cast<size_t>(decimals)), '0') + kept;
        frac.resize(static_cast<size_t>(decimals), '0');
    } else {
        whole = kept.substr(0, static_cast<size_t>(e) + 1);
        frac = kept.substr(static_cast<size_t>(e) + 1);
    }
    const bool isZero = whole.find_first_not_of('0') == std::string::npos &&
                        frac.find_first_not_of('0') == std::string::npos;
    std::string out = (value < 0 && !isZero) ? "-" : "";
    out += whole;
    if (decimals > 0) out += "." + frac;
    return out;
}

bool SplitDecimalDigits(std::string_view token, DecimalDigits& out) {
    std::string s(token);
    for (char& c : s)
        if (c == ',') c = '.';
    DecimalText d;
    if (!SplitDecimal(s, d)) return false;
    std::string digits = std::string(d.whole) + std::string(d.fraction);
    long point = static_cast<long>(d.whole.size()) + d.exponent;
    long order = 0;
    if (!FirstDigitOrder(d, order)) {
        out = {d.negative, "0", ""};
        return true;
    }
    // Nothing the parser accepts needs more than a few dozen digits around the point.
    if (point < -64 || point > static_cast<long>(digits.size()) + 64) return false;
    if (point < 0) {
        digits.insert(0, static_cast<size_t>(-point), '0');
        point = 0;
    }
    if (point > static_cast<long>(digits.size())) digits.resize(static_cast<size_t>(point), '0');
    out.negative = d.negative;
    out.whole = digits.substr(0, static_cast<size_t>(point));
    out.fraction = digits.substr(static_cast<size_t>(point));
    const size_t nz = out.whole.find_first_not_of('0');
    out.whole = nz == std::string::npos ? "0" : out.whole.substr(nz);
    return true;
}

Real RoundHalfAway(Real value) {
    const Real a = std::fabs(value);
    Real n = std::floor(a);
    if (a - n + a * 8e-18L >= 0.5L) n += 1;
    return value < 0 ? -n : n;
}

}  // namespace vertano
