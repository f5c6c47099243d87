// Decoding of file bytes (byte-order marks, UTF-8 or Windows-1250, line ends) and
// the text helpers every reader uses on the decoded lines: trimming, tokens and
// numbers. The first byte of an input is ignored.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano::fuzz {
namespace {

void CheckDecoded(std::string_view bytes) {
    TextFile file;
    const TextReadResult r = DecodeText(bytes, file);
    if (!r.Ok()) {
        Require(r.status == TextReadStatus::BadEncoding, "DecodeText", "unexpected status");
        Require(r.line >= 1 && !r.message.empty(), "DecodeText", "refusal without a line");
        return;
    }
    for (const std::string& line : file.lines) {
        Require(line.find_first_of("\r\n") == std::string::npos, "DecodeText",
                "line end in a line");
        Require(line.find('\0') == std::string::npos, "DecodeText", "NUL in a line");
        Require(IsValidUtf8(line), "DecodeText", "line is not UTF-8");
    }
    Require(IsValidUtf8(Windows1250ToUtf8(bytes)), "Windows1250ToUtf8", "output is not UTF-8");
}

// A large file is scanned and decoded in pieces: any piece size must give what
// the whole bytes give.
void CheckPieces(std::string_view bytes, size_t pieceBytes) {
    TextFile whole;
    const TextReadResult expected = DecodeText(bytes, whole);
    TextScan scan;
    for (size_t at = 0; at < bytes.size(); at += pieceBytes)
        scan.Feed(bytes.substr(at, pieceBytes));
    TextEncoding encoding = TextEncoding::Utf8;
    const TextReadResult r = scan.Finish(encoding);
    Require(r.status == expected.status && r.line == expected.line && r.message == expected.message,
            "TextScan", "pieces are judged otherwise than the whole: " + r.message);
    if (!r.Ok()) return;
    Require(encoding == whole.encoding, "TextScan", "another encoding");
    TextDecoder decoder(encoding);
    std::string text;
    for (size_t at = 0;;) {
        const std::string_view piece = bytes.substr(at, pieceBytes);
        at += piece.size();
        const bool last = at >= bytes.size();
        Require(decoder.Feed(piece, last, text), "TextDecoder", "scanned bytes do not decode");
        if (last) break;
    }
    std::string split;
    for (const PreparedLine& line : PrepareLines(whole.lines))
        split += std::to_string(line.fileLine) + " " + line.text + "\n";
    std::string fromPieces;
    ForEachPreparedLine(text, [&fromPieces](std::string_view line, int32_t fileLine) {
        fromPieces.append(std::to_string(fileLine)).append(" ").append(line).append("\n");
        return true;
    });
    Require(fromPieces == split, "TextDecoder", "pieces decode to other lines");
}

// A number read from a file and written in the internal form must read back as the
// same number; fixed notation must read back within its last decimal.
void CheckNumber(const std::string& token) {
    Real value = 0;
    if (ParseNumber(token, value) != NumberStatus::Ok) return;
    const std::string general = FormatGeneral(value);
    Real again = 0;
    Require(ParseNumber(general, again) == NumberStatus::Ok, "FormatGeneral does not read back",
            token + " -> " + general);
    Require(SameValue(value, again, 0), "FormatGeneral changes the value",
            token + " -> " + general);
    for (const int decimals : {0, 4, 8}) {
        const std::string fixed = FormatFixed(value, decimals);
        Real f = 0;
        const NumberStatus st = ParseNumber(fixed, f);
        // Rounding may carry a value just inside the range out of it; never into garbage.
        Require(st != NumberStatus::NotANumber, "FormatFixed is not a number",
                token + " -> " + fixed);
        if (st == NumberStatus::Ok)
            Require(SameValue(value, f, 0.5L * std::pow(10.0L, -decimals)),
                    "FormatFixed changes the value", token + " -> " + fixed);
    }
    DecimalDigits digits;
    SplitDecimalDigits(token, digits);
}

void CheckTokens(const std::vector<std::string>& lines) {
    for (const PreparedLine& line : PrepareLines(lines)) {
        Require(!line.text.empty() && Trim(line.text) == line.text, "PrepareLines", line.text);
        for (const std::string& token : Tokenize(line.text)) {
            Require(!token.empty() && token.find_first_of(" \t") == std::string::npos, "Tokenize",
                    token);
            CheckNumber(token);
            int32_t n = 0;
            ParseInteger(token, n);
        }
    }
}

}  // namespace
}  // namespace vertano::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vertano::fuzz;
    Input in;
    if (!SplitInput(data, size, in)) return 0;
    CheckDecoded(in.bytes);
    CheckPieces(in.bytes, 1 + in.selector % 8);
    std::vector<std::string> lines;
    if (DecodeLines(in.bytes, lines)) CheckTokens(lines);
    return 0;
}
