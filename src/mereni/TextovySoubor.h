#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "mereni/Text.h"

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
// N bytes takes about 6 N while it is loaded and checked (its rows; an ASC
// file also its text once), so a file may take an eighth of the memory, and at most
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

// The decoding of DecodeText done on a text given piece by piece, so that a
// large file need not be held whole. TextScan reads the bytes once to settle
// the encoding (valid UTF-8 is known only at the end) and to find what makes
// the text unreadable, with its line; TextDecoder then decodes them.
class TextScan {
  public:
    // The next bytes of the text, in order (pieces of any size).
    void Feed(std::string_view bytes);
    // After the last piece: what DecodeText gives for the same bytes.
    TextReadResult Finish(TextEncoding& encoding);

  private:
    enum class Mode { Start, Utf8, MarkedUtf8, Windows1250, Utf16Le, Utf16Be, Failed };
    void Decide(std::string_view head);
    void Take(std::string_view bytes, bool last);
    void TakeUtf8(std::string_view bytes, bool last);
    void Count(std::string_view text);
    void Fail(const char* why);

    Mode mode_ = Mode::Start;
    std::string pending_;  // the mark, or a character cut by the end of a piece
    int64_t line_ = 1;     // of the decoded text so far
    char previous_ = 0;
    int64_t nulLine_ = 0;  // line of the first NUL, 0 = none
    TextReadResult fault_;
    std::string decoded_;  // UTF-16 decoded for counting
};

class TextDecoder {
  public:
    // The encoding TextScan settled; its byte-order mark is skipped.
    explicit TextDecoder(TextEncoding encoding);
    // Appends the text of the next bytes to `out`; `last` with the last piece.
    // The bytes of a character cut by the end of a piece wait for the next one.
    // False when they do not decode (they are not the bytes scanned).
    bool Feed(std::string_view bytes, bool last, std::string& out);

  private:
    TextEncoding encoding_;
    size_t mark_ = 0;  // bytes of the byte-order mark still to skip
    std::string pending_;
};

// A text file read in pieces and decoded as ReadWholeTextFile decodes it, for a
// reader that goes through a large file line by line: the file is never held
// whole. Open reads it once (TextScan), each pass reads it again and checks that
// it still has the bytes Open read. A pipe or a device cannot be read twice:
// its text is held whole instead, as ReadWholeTextFile holds it.
class TextStream {
  public:
    explicit TextStream(size_t pieceBytes = size_t{1} << 16) : pieceBytes_(pieceBytes) {}
    // The same result as ReadWholeTextFile.
    TextReadResult Open(const std::filesystem::path& path);
    // visit(piece) for the decoded text in pieces that end at a line end (the last
    // at the end of the text) while it returns true. False when the file can no
    // longer be read or has changed since Open: `message` says so, naming the file.
    bool ForEachPiece(const std::function<bool(std::string_view)>& visit,
                      std::string& message) const;
    // visit(line, fileLine) for every prepared line, as ForEachPreparedLine on the
    // whole text; false as ForEachPiece.
    template <class Visit>
    bool ForEachPreparedLine(Visit&& visit, std::string& message) const {
        int32_t fileLine = 0;
        return ForEachPiece(
            [&](std::string_view piece) { return ForEachPreparedLineFrom(piece, fileLine, visit); },
            message);
    }

  private:
    size_t pieceBytes_;
    std::filesystem::path path_;
    std::string name_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    bool held_ = false;
    std::string text_;  // held: the whole text
    std::uintmax_t size_ = 0;
    uint64_t hash_ = 0;
};

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
// The same for lines made while they are written, so that a large document is
// never held whole: `lines` hands every line in order to the writer it is
// given and returns false when one could not be written.
using LineWriter = std::function<bool(std::string_view)>;
bool SaveTextLines(const std::filesystem::path& path,
                   const std::function<bool(const LineWriter&)>& lines, std::string& error);
// The same for bytes written as they are (pictures).
bool SaveBinaryFile(const std::filesystem::path& path, std::string_view bytes, std::string& error);

// The path names the standard output: "-", or /dev/stdout and the other names
// of descriptor 1.
bool IsStandardOutput(const std::filesystem::path& path);

}  // namespace vertano
