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

// The largest text file read, from what the computer can hold: a raw file of
// N bytes takes about 7 N while it is loaded and checked (its text once, its
// rows six times), so a file may take an eighth of the memory, and at most
// 2 GB (lines and rows are counted in 32 bits). A larger file is refused with
// its size and the limit before anything is read.
std::uintmax_t MaxTextFileBytes();
// The same for a computer of `memoryBytes` (0: not known, 512 MB).
std::uintmax_t MaxTextFileBytesFor(std::uintmax_t memoryBytes);

// Decodes file bytes: a UTF-8, UTF-16 LE or UTF-16 BE byte-order mark selects that
// encoding; without one, valid UTF-8 is UTF-8 and anything else Windows-1250. Line
// ends CR LF, LF and CR are accepted. A marked file that does not decode, or text
// with NUL characters, is BadEncoding.
TextReadResult DecodeText(std::string_view bytes, TextFile& out);
TextReadResult ReadTextFile(const std::filesystem::path& path, TextFile& out);
// The same text in one string, line ends kept: a large file as a string per line
// would take twice its size again (see PrepareLineViews).
TextReadResult ReadWholeTextFile(const std::filesystem::path& path, std::string& text,
                                 TextEncoding& encoding);

bool IsValidUtf8(std::string_view bytes);
// Length of the valid UTF-8 sequence at byte `i` (1 for ASCII), 0 when not valid.
size_t Utf8SequenceLength(std::string_view text, size_t i);
std::string Windows1250ToUtf8(std::string_view bytes);

// Writes the lines as UTF-8 without a byte-order mark, each ended by CR LF.
//
// A regular file, or a name that does not exist yet, gets the text through a
// temporary file in the target's folder that replaces the target only when
// completely written; on any failure the target is untouched, the temporary
// file removed, false returned and `error` says why (English). A link is
// followed and the file it points to replaced.
//
// Anything else is written directly, never replaced: a device (/dev/null), a
// named pipe, and a name of one of the program's open descriptors
// (/dev/stdout, /dev/fd/N, /proc/self/fd/N) - renaming over those would put a
// regular file in their place, or leave the output the shell redirected
// holding only this text. "-" is the standard output (std::cout), the usual
// meaning on a command line; so is every name of descriptor 1. The bytes are
// those a file would get.
bool SaveTextFile(const std::filesystem::path& path, const std::vector<std::string>& lines,
                  std::string& error);
// The same for bytes written as they are (pictures).
bool SaveBinaryFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

// The path names the standard output: "-", or /dev/stdout and the other names
// of descriptor 1.
bool IsStandardOutput(const std::filesystem::path& path);

}  // namespace vertano
