#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vertano {

// How the bytes of a text file were understood.
enum class TextEncoding { Utf8, Utf8Bom, Utf16Le, Utf16Be, Windows1250 };

enum class TextReadStatus { Ok, CannotOpen, TooLarge, BadEncoding };

// Lines of a text file as UTF-8 strings, without their line ends.
struct TextFile {
    std::vector<std::string> lines;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Outcome of reading a text file; on BadEncoding `line` is the 1-based physical
// line where decoding failed.
struct TextReadResult {
    TextReadStatus status = TextReadStatus::Ok;
    int32_t line = 0;
    std::string message;  // English, names the file
    std::string reason;   // BadEncoding: the same without the file name
    bool Ok() const { return status == TextReadStatus::Ok; }
};

// Larger files are refused rather than read into memory: no measurement or
// coordinate file comes near this.
inline constexpr std::uintmax_t kMaxTextFileBytes = 512u * 1024u * 1024u;

// Decodes file bytes: a UTF-8, UTF-16 LE or UTF-16 BE byte-order mark selects that
// encoding; without one, valid UTF-8 is UTF-8 and anything else Windows-1250. Line
// ends CR LF, LF and CR are accepted. A marked file that does not decode, or text
// with NUL characters, is BadEncoding.
TextReadResult DecodeText(std::string_view bytes, TextFile& out);
TextReadResult ReadTextFile(const std::filesystem::path& path, TextFile& out);

bool IsValidUtf8(std::string_view bytes);
std::string Windows1250ToUtf8(std::string_view bytes);

// Writes the lines as UTF-8 without a byte-order mark, each ended by CR LF. The
// text goes to a temporary file in the target's folder that replaces the target
// only when completely written; on any failure the target is untouched, the
// temporary file removed, false returned and `error` says why (English).
bool SaveTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                  std::string& error);
// The same for bytes written as they are (pictures).
bool SaveBinaryFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

}  // namespace vertano
