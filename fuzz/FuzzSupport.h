#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileResult.h"
#include "matice/Real.h"

#include "data/Tnastaveni.h"

namespace vertano::fuzz {

// An input of a fuzz target: the first byte chooses the reader and the units, the
// rest is the content of a file.
struct Input {
    uint8_t selector = 0;
    std::string_view bytes;
};

// False for an empty input.
bool SplitInput(const uint8_t* data, size_t size, Input& input);

// The lines of a file as every load command obtains them. False when the bytes do
// not decode: such a file never reaches a reader.
bool DecodeLines(std::string_view bytes, std::vector<std::string>& lines);

// Keeps the first `maxLines` lines, so that one run of the analyses stays short.
void CapLines(std::vector<std::string>& lines, size_t maxLines);

// Default settings with the units and decimals of measurement files taken
// from the selector: bits 2-3 the angle unit, bit 4 feet, bits 5-7 decimals.
Tnastaveni MeasurementSettings(uint8_t selector);

// SplitInput, DecodeLines and CapLines in one: false when the input is of no use.
bool ReadLines(const uint8_t* data, size_t size, size_t maxLines, Input& input,
               std::vector<std::string>& lines);

// Splits the lines at every line that is exactly `separator` (after trimming).
std::vector<std::vector<std::string>> SplitAt(const std::vector<std::string>& lines,
                                              std::string_view separator);

// A promise of the code under test that does not hold is reported as a crash, so
// that the fuzzer keeps the input.
[[noreturn]] void Fail(std::string_view what, std::string_view detail = {});
inline void Require(bool holds, std::string_view what, std::string_view detail = {}) {
    if (!holds) Fail(what, detail);
}

// What every reader promises about its outcome: a refusal names a reason and a
// line among `preparedLines` non-blank lines, with a message the user can read.
void CheckOutcome(const FileResult& result, size_t preparedLines, std::string_view reader);

// Two values the same after a trip through text written with `absolute`
// resolution (half a unit of the last decimal) and 15 significant digits.
bool SameValue(Real a, Real b, Real absolute);

// Non-blank lines of a text, as the readers count them.
size_t CountPrepared(const std::vector<std::string>& lines);

}  // namespace vertano::fuzz
