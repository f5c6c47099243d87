#include "FuzzSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano::fuzz {

bool SplitInput(const uint8_t* data, size_t size, Input& input) {
    if (size == 0) return false;
    input.selector = data[0];
    input.bytes = std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1);
    return true;
}

bool DecodeLines(std::string_view bytes, std::vector<std::string>& lines) {
    TextFile file;
    if (!DecodeText(bytes, file).Ok()) return false;
    lines = std::move(file.lines);
    return true;
}

void CapLines(std::vector<std::string>& lines, size_t maxLines) {
    if (lines.size() > maxLines) lines.resize(maxLines);
}

std::vector<std::vector<std::string>> SplitAt(const std::vector<std::string>& lines,
                                              std::string_view separator) {
    std::vector<std::vector<std::string>> parts(1);
    for (const std::string& line : lines) {
        if (Trim(line) == separator) {
            parts.emplace_back();
        } else {
            parts.back().push_back(line);
        }
    }
    return parts;
}

void Fail(std::string_view what, std::string_view detail) {
    std::fprintf(stderr, "FUZZ INVARIANT BROKEN: %.*s %.*s\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

void CheckOutcome(const FileResult& result, size_t preparedLines, std::string_view reader) {
    if (result.ok) {
        Require(result.error == FileError::None, reader, "success with an error code");
        return;
    }
    Require(result.error != FileError::None, reader, "failure without a reason");
    Require(result.counter >= 0 && static_cast<size_t>(result.counter) <= preparedLines, reader,
            "failure names a line outside the file: " + DescribeFileFailure(result));
    Require(!DescribeFileFailure(result).empty(), reader, "failure without a message");
}

bool SameValue(Real a, Real b, Real absolute) {
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    const Real scale = std::max(std::fabs(a), std::fabs(b));
    // Values below the parser's smallest magnitude are written as 0.
    return std::fabs(a - b) <= absolute + scale * 1e-14L + kMinMagnitude;
}

size_t CountPrepared(const std::vector<std::string>& lines) {
    return PrepareLines(lines).size();
}

bool ReadLines(const uint8_t* data, size_t size, size_t maxLines, Input& input,
               std::vector<std::string>& lines) {
    if (!SplitInput(data, size, input) || !DecodeLines(input.bytes, lines)) return false;
    CapLines(lines, maxLines);
    return true;
}

Tnastaveni MeasurementSettings(uint8_t selector) {
    Tnastaveni s;
    s.Default();
    s.jednotky.uhel = static_cast<uint8_t>((selector >> 2) & 3);
    s.jednotky.delka = static_cast<uint8_t>((selector >> 4) & 1);
    s.presnost.uhel.hodnota = s.presnost.delka.hodnota = static_cast<uint8_t>(selector >> 5);
    return s;
}

}  // namespace vertano::fuzz
