#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "matice/Real.h"

namespace vertano {

// A non-blank line of a text file, trimmed, with the number of the line in the
// file itself (1-based, counting blank lines), so that a message can send the
// user to the right place in an editor.
struct PreparedLine {
    std::string text;
    int32_t fileLine = 0;
};

// Trims every line of white space and control characters at both ends and drops
// the lines left blank. The position of a prepared line in the result (from 1) is
// the line number readers report; fileLine keeps the physical one.
std::vector<PreparedLine> PrepareLines(const std::vector<std::string>& lines);

// Removes characters up to and including the space (blanks, TAB, CR, other control
// characters) from both ends.
std::string_view Trim(std::string_view text);

// Splits at runs of blanks (TAB counts as a blank); a blank line gives no tokens.
std::vector<std::string> Tokenize(std::string_view line);

// A name (point number) survives a text file only as one token: not empty, and no
// blank or control character that the readers would split at, trim away or show
// as nothing.
bool IsSingleToken(std::string_view name);

// Letters A-Z turned into a-z, every other byte as it is, whatever the locale (a
// locale-aware tolower may change the bytes of UTF-8 text).
std::string AsciiLower(std::string_view text);

// Numbers in files are zero or have a magnitude in [kMinMagnitude, kMaxMagnitude];
// anything up to kZeroMagnitude is read as zero.
inline constexpr Real kMinMagnitude = 1e-12L;
inline constexpr Real kMaxMagnitude = 1e12L;
inline constexpr Real kZeroMagnitude = 1e-16L;

enum class NumberStatus { Ok, NotANumber, OutOfRange };

// Reads a decimal number with "," or "." as the decimal separator and an optional
// exponent, whatever the locale. Magnitudes up to kZeroMagnitude become 0;
// magnitudes between that and kMinMagnitude, or above kMaxMagnitude, are
// OutOfRange. `value` is written only on Ok.
NumberStatus ParseNumber(std::string_view token, Real& value);

// A signed decimal integer that fits 32 bits (an optional "+" is allowed).
bool ParseInteger(std::string_view token, int32_t& value);

// Prepares a value for a text the program will read again: a finite value whose
// magnitude is below kMinMagnitude becomes 0. False when the value is not finite or
// its magnitude exceeds kMaxMagnitude, so that it could not be read back.
bool FitForParser(Real& value);

// A whole number in decimal digits, whatever the locale.
std::string FormatInteger(int64_t value);

// The shortest rendering with at most 15 significant digits; an "E" exponent is used
// for magnitudes below 0.00001 and from 1E15 on ("1E-6", "-2.5E20"). "." always.
std::string FormatGeneral(Real value);

// The same notation with as many significant digits as it takes for ParseNumber to
// give back exactly this value (at most 21). Values read from a short decimal keep
// that decimal; computed ones keep every bit, so a text written and read again
// computes exactly as the original.
std::string FormatExact(Real value);

// Fixed notation with exactly `decimals` decimals (0-30), rounded half away from
// zero, "." always, no thousands separator and never "-0". A value that differs from
// a decimal tie only by the noise of unit conversion counts as the tie.
std::string FormatFixed(Real value, int decimals);

// The digits of a number token ("," or "." as separator) with its exponent applied,
// so that the value is whole.fraction exactly as written; whole has no leading
// zeros ("0" at least). False when the token is not a number or its exponent would
// put the point more than 64 places away from the digits.
struct DecimalDigits {
    bool negative = false;
    std::string whole;
    std::string fraction;
};
bool SplitDecimalDigits(std::string_view token, DecimalDigits& out);

// Rounds to the nearest integer, halves away from zero; a value within conversion
// noise of a half counts as the half.
Real RoundHalfAway(Real value);

}  // namespace vertano
