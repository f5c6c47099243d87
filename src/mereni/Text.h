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

// A prepared line pointing into a text kept elsewhere (the whole decoded file):
// a large file read as a string per line would take twice its size again.
struct PreparedLineView {
    std::string_view text;
    int32_t fileLine = 0;
};
// PrepareLines on a whole text, split at its line ends (CR LF, LF or CR) as
// ReadTextFile splits it. The views point into `text`.
std::vector<PreparedLineView> PrepareLineViews(std::string_view text);

// Removes characters up to and including the space (blanks, TAB, CR, other control
// characters) from both ends.
std::string_view Trim(std::string_view text);

// Calls visit(line, fileLine) for every prepared line of a piece of text, in
// order, as PrepareLineViews would list them, while it returns true; false when
// visit stopped. The piece continues the pieces before it: fileLine counts on
// from the lines of those (0 before the first). A piece ends at a line end, CR LF
// whole, or at the end of the text.
template <class Visit>
bool ForEachPreparedLineFrom(std::string_view text, int32_t& fileLine, Visit&& visit) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
        ++fileLine;
        const std::string_view line = Trim(text.substr(start, end - start));
        if (!line.empty() && !visit(line, fileLine)) return false;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return true;
}

// The same on a whole text. A reader that needs each line once keeps no list of
// them at all.
template <class Visit>
void ForEachPreparedLine(std::string_view text, Visit&& visit) {
    int32_t fileLine = 0;
    ForEachPreparedLineFrom(text, fileLine, visit);
}

// Splits at runs of blanks (TAB counts as a blank); a blank line gives no tokens.
std::vector<std::string> Tokenize(std::string_view line);

// A name (point number) survives a text file only as one token: not empty, and no
// blank or control character that the readers would split at, trim away or show
// as nothing.
bool IsSingleToken(std::string_view name);

// A control character inside text: C0 (below 0x20) other than TAB, DEL, or a C1
// control (U+0080-U+009F, the bytes C2 80-C2 9F of UTF-8). A terminal acts on
// them instead of showing them, so no name may hold one.
bool HasControlCharacter(std::string_view text);
// The index (0-based) of the first prepared line holding a control character
// inside it (PrepareLines has trimmed those at the ends), -1 when there is none.
int32_t FirstLineWithControl(const std::vector<PreparedLine>& lines);
int32_t FirstLineWithControl(const std::vector<PreparedLineView>& lines);

// Text safe to show: every control character (as above, TAB and line ends
// included) and every byte that is not valid UTF-8 becomes \xNN.
std::string EscapeControl(std::string_view text);
// Input quoted in a message: escaped, and longer text cut after `maxBytes` of it
// (never inside a UTF-8 sequence or an escape) and marked with its length, so a
// line of garbage cannot bury the message.
std::string QuoteInput(std::string_view text, size_t maxBytes = 60);

// Letters A-Z turned into a-z, every other byte as it is, whatever the locale (a
// locale-aware tolower may change the bytes of UTF-8 text).
std::string AsciiLower(std::string_view text);

// Numbers in files are zero or have a magnitude in [kMinMagnitude, kMaxMagnitude].
// Only a zero written as zero is zero: a tiny value such as 1e-4000 would
// otherwise become "not measured" without a word.
inline constexpr Real kMinMagnitude = 1e-12L;
inline constexpr Real kMaxMagnitude = 1e12L;

// BadDms: a D.MMSS value whose minutes or seconds are 60 or more (most likely
// a file in another unit, such as gon, read as D.MMSS).
enum class NumberStatus { Ok, NotANumber, OutOfRange, BadDms };

// Reads a decimal number with "," or "." as the decimal separator and an optional
// exponent, whatever the locale. Non-zero magnitudes below kMinMagnitude or
// above kMaxMagnitude are OutOfRange. `value` is written only on Ok.
NumberStatus ParseNumber(std::string_view token, Real& value);

// A signed decimal integer that fits 32 bits (an optional "+" is allowed).
bool ParseInteger(std::string_view token, int32_t& value);
// The same with the reason of a failure: digits that do not fit are OutOfRange.
NumberStatus ParseInteger32(std::string_view token, int32_t& value);

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
