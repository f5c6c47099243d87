#include "mereni/TextovySoubor.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include "mereni/Text.h"

namespace vertano {

namespace fs = std::filesystem;

namespace {

// Windows-1250 bytes 0x80-0xFF. The five bytes the code page leaves undefined map
// to the C1 control of the same value, as the system converters do, so no byte
// of a file is lost.
constexpr std::array<char16_t, 128> kCp1250 = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, 0x0088, 0x2030, 0x0160, 0x2039,
    0x015A, 0x0164, 0x017D, 0x0179, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, 0x00A0, 0x02C7, 0x02D8, 0x0141,
    0x00A4, 0x0104, 0x00A6, 0x00A7, 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x0105, 0x015F, 0x00BB,
    0x013D, 0x02DD, 0x013E, 0x017C, 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, 0x0110, 0x0143, 0x0147, 0x00D3,
    0x00D4, 0x0150, 0x00D6, 0x00D7, 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, 0x010D, 0x00E9, 0x0119, 0x00EB,
    0x011B, 0x00ED, 0x00EE, 0x010F, 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// First invalid byte of UTF-8 text, or npos.
size_t FirstInvalidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        const size_t n = Utf8SequenceLength(s, i);
        if (n == 0) return i;
        i += n;
    }
    return std::string_view::npos;
}

// UTF-16 to UTF-8 of the complete characters of `bytes`: returns the bytes used.
// Unless `last`, a trailing odd byte or high surrogate is left for the next
// piece. npos on an unpaired surrogate or, with `last`, an odd byte.
size_t Utf16Piece(std::string_view bytes, bool bigEndian, bool last, std::string& out) {
    const auto unit = [&](size_t k) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[k]);
        const auto b = static_cast<unsigned char>(bytes[k + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (i + 3 < bytes.size()) {
                const char16_t low = unit(i + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            } else if (!last) {
                return i;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) return std::string_view::npos;
        AppendUtf8(out, cp);
    }
    if (i == bytes.size() || !last) return i;
    return std::string_view::npos;
}

void AppendWindows1250(std::string_view bytes, std::string& out) {
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kCp1250[b - 0x80]});
    }
}

void SplitLines(std::string_view text, std::vector<std::string>& lines) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
}

TextReadResult NotRead(TextReadStatus status, std::string message) {
    TextReadResult r;
    r.status = status;
    r.message = std::move(message);
    return r;
}

// The reason stays without the line: the readers put the line in front of it.
TextReadResult BadEncoding(int32_t line, const std::string& why) {
    return {TextReadStatus::BadEncoding, line, why + " (line " + std::to_string(line) + ")", why};
}

std::string SystemError(int code) {
    return std::generic_category().message(code);
}

// A name no other save uses at the moment: the process, a counter and the clock.
// (std::random_device may throw when the system has no entropy source, and no
// exception may leave a save.)
std::string UniqueSuffix() {
    static std::atomic<uint64_t> counter{0};
    uint64_t id =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    id = id * 1000003u + counter.fetch_add(1);
#if defined(__unix__) || defined(__APPLE__)
    id = id * 1000003u + static_cast<uint64_t>(getpid());
#endif
    return std::to_string(id % 1000000000u);
}

fs::path TemporaryBeside(const fs::path& target, std::FILE*& file) {
    const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (int attempt = 0; attempt < 50; ++attempt) {
        const fs::path p = dir / ("." + target.filename().string() + ".tmp" + UniqueSuffix());
        file = std::fopen(p.c_str(), "wbx");
        if (file) return p;
        if (errno != EEXIST) break;
    }
    return {};
}

bool WriteAll(std::FILE* f, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (std::fwrite(line.data(), 1, line.size(), f) != line.size()) return false;
        if (std::fwrite("\r\n", 1, 2, f) != 2) return false;
    }
    return true;
}

bool Flush(std::FILE* f) {
    if (std::fflush(f) != 0) return false;
#if defined(__unix__) || defined(__APPLE__)
    // The rename must not make a file visible whose blocks are not on the disk yet.
    if (fsync(fileno(f)) != 0) return false;
#endif
    return true;
}

std::string Joined(const std::vector<std::string>& lines) {
    size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Where a save goes.
enum class Target { Replace, Direct, StandardOutput, Descriptor };

struct SaveTarget {
    Target kind = Target::Replace;
    fs::path path;        // Replace: the file replaced (links followed); Direct: as given
    int descriptor = -1;  // Descriptor
};

#if defined(__unix__) || defined(__APPLE__)

// The descriptor an absolute path names: /dev/stdout and its kin, /dev/fd/N,
// /proc/self/fd/N and /proc/<this process>/fd/N; -1 for any other path.
int DescriptorOf(const fs::path& path) {
    const std::string p = path.lexically_normal().string();
    if (p == "/dev/stdin") return 0;
    if (p == "/dev/stdout") return 1;
    if (p == "/dev/stderr") return 2;
    const std::string prefixes[] = {"/dev/fd/", "/proc/self/fd/",
                                    "/proc/" + std::to_string(getpid()) + "/fd/"};
    for (const std::string& prefix : prefixes) {
        if (p.size() <= prefix.size() || p.compare(0, prefix.size(), prefix) != 0) continue;
        int fd = 0;
        const char* first = p.data() + prefix.size();
        const char* last = p.data() + p.size();
        const auto r = std::from_chars(first, last, fd);
        if (r.ec == std::errc() && r.ptr == last && fd >= 0) return fd;
    }
    return -1;
}

// Follows the links of `path` one by one (a descriptor's own entry in /proc is a
// link to the file behind it, which must not be reached) until a name of a
// descriptor turns up or the links end.
int DescriptorBehind(const fs::path& path) {
    std::error_code ec;
    fs::path p = fs::absolute(path, ec);
    if (ec) return -1;
    for (int hop = 0; hop < 40; ++hop) {
        const int fd = DescriptorOf(p);
        if (fd >= 0) return fd;
        if (!fs::is_symlink(p, ec)) return -1;
        const fs::path link = fs::read_symlink(p, ec);
        if (ec) return -1;
        p = (link.is_absolute() ? link : p.parent_path() / link).lexically_normal();
    }
    return -1;
}

#else

int DescriptorBehind(const fs::path&) {
    return -1;
}

#endif

SaveTarget TargetOf(const fs::path& path) {
    if (path == "-") return {Target::StandardOutput, path};
    const int fd = DescriptorBehind(path);
    if (fd == 1) return {Target::StandardOutput, path};
    if (fd >= 0) return {Target::Descriptor, path, fd};
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);  // links followed
    if (!ec && fs::exists(st) && !fs::is_regular_file(st) && !fs::is_directory(st))
        return {Target::Direct, path};
    fs::path target = path;
    // A link is followed so that the file it points to is replaced, not the link.
    if (fs::is_symlink(target, ec)) target = fs::weakly_canonical(target, ec);
    return {Target::Replace, target};
}

bool ToStandardOutput(const std::string& text, const std::string& name, std::string& error) {
    std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
    std::cout.flush();
    if (std::cout.good()) return true;
    error = "Cannot write " + name + " to the standard output";
    return false;
}

#if defined(__unix__) || defined(__APPLE__)

bool WriteDescriptor(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// A device or a named pipe is opened as it is (not created, not truncated) and
// written; opening a pipe waits for its reader, as any writer of a pipe does.
bool WriteInPlace(const SaveTarget& t, const std::string& text, const std::string& name,
                  std::string& error) {
    int fd = t.descriptor;
    if (t.kind == Target::Direct) {
        do {
            fd = ::open(t.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            error = "Cannot save " + name + ": " + SystemError(errno);
            return false;
        }
    }
    if (t.descriptor == 2) std::cerr.flush();
    bool ok = WriteDescriptor(fd, text);
    int code = errno;
    if (t.kind == Target::Direct && ::close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok) return true;
    error = "Cannot save " + name + ": " + SystemError(code ? code : EIO);
    return false;
}

#else

bool WriteInPlace(const SaveTarget&, const std::string&, const std::string& name,
                  std::string& error) {
    error = "Cannot save " + name + ": not a regular file";
    return false;
}

#endif

// `write` fills a temporary file beside the target, which replaces the target
// only when completely written and flushed.
template <class Write>
bool ReplaceFile(const fs::path& target, const std::string& name, std::string& error,
                 Write&& write) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        error = "Cannot save " + name + ": it is a folder";
        return false;
    }
    std::FILE* f = nullptr;
    const fs::path tmp = TemporaryBeside(target, f);
    if (!f) {
        error = "Cannot save " + name + ": " + SystemError(errno);
        return false;
    }
    const bool written = write(f) && Flush(f);
    const int writeErrno = errno;
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed) {
        error = "Cannot save " + name + ": " + SystemError(writeErrno ? writeErrno : EIO);
        fs::remove(tmp, ec);
        return false;
    }
    const fs::file_status old = fs::status(target, ec);
    if (!ec && fs::exists(old)) fs::permissions(tmp, old.permissions(), ec);
    fs::rename(tmp, target, ec);
    if (ec) {
        error = "Cannot save " + name + ": " + ec.message();
        std::error_code ignored;
        fs::remove(tmp, ignored);
        return false;
    }
    return true;
}

}  // namespace

size_t Utf8SequenceLength(std::string_view s, size_t i) {
    const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char c = b(i);
    if (c < 0x80) return 1;
    size_t n = 0;
    char32_t min = 0;
    char32_t cp = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        n = 2, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 3, min = 0x800, cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4, min = 0x10000, cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n;
}

bool IsValidUtf8(std::string_view bytes) {
    return FirstInvalidUtf8(bytes) == std::string_view::npos;
}

std::string Windows1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    AppendWindows1250(bytes, out);
    return out;
}

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr size_t kUtf16MarkBytes = 2;

int32_t LineNumber(int64_t line) {
    return static_cast<int32_t>(std::min<int64_t>(line, std::numeric_limits<int32_t>::max()));
}

}  // namespace

void TextScan::Feed(std::string_view bytes) {
    if (mode_ != Mode::Start) {
        Take(bytes, false);
        return;
    }
    // The mark is known after three bytes.
    if (pending_.empty() && bytes.size() >= kUtf8Mark.size()) {
        Decide(bytes);
        return;
    }
    pending_.append(bytes);
    if (pending_.size() < kUtf8Mark.size()) return;
    const std::string head = std::move(pending_);
    pending_.clear();
    Decide(head);
}

void TextScan::Decide(std::string_view head) {
    if (head.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        mode_ = Mode::MarkedUtf8;
        head.remove_prefix(kUtf8Mark.size());
    } else if (head.substr(0, kUtf16MarkBytes) == "\xFF\xFE" ||
               head.substr(0, kUtf16MarkBytes) == "\xFE\xFF") {
        mode_ = head[0] == '\xFE' ? Mode::Utf16Be : Mode::Utf16Le;
        head.remove_prefix(kUtf16MarkBytes);
    } else {
        mode_ = Mode::Utf8;
    }
    Take(head, false);
}

TextReadResult TextScan::Finish(TextEncoding& encoding) {
    if (mode_ == Mode::Start) {
        const std::string head = std::move(pending_);
        pending_.clear();
        Decide(head);
    }
    Take({}, true);
    switch (mode_) {
        case Mode::Failed:
            return fault_;
        case Mode::MarkedUtf8:
            encoding = TextEncoding::Utf8Bom;
            break;
        case Mode::Utf16Le:
            encoding = TextEncoding::Utf16Le;
            break;
        case Mode::Utf16Be:
            encoding = TextEncoding::Utf16Be;
            break;
        case Mode::Windows1250:
            encoding = TextEncoding::Windows1250;
            break;
        case Mode::Start:
        case Mode::Utf8:
            encoding = TextEncoding::Utf8;
            break;
    }
    if (nulLine_ > 0)
        return BadEncoding(LineNumber(nulLine_),
                           "contains NUL characters (UTF-16 text without a byte-order mark?)");
    return {};
}

// Lines as ReadTextFile splits them: CR LF, LF and CR each end one.
void TextScan::Count(std::string_view text) {
    for (const char c : text) {
        if (c == '\0' && nulLine_ == 0) nulLine_ = line_;
        if (c == '\r' || (c == '\n' && previous_ != '\r')) ++line_;
        previous_ = c;
    }
}

void TextScan::Fail(const char* why) {
    fault_ = BadEncoding(LineNumber(line_), why);
    mode_ = Mode::Failed;
    pending_.clear();
}

void TextScan::Take(std::string_view bytes, bool last) {
    switch (mode_) {
        case Mode::Start:
        case Mode::Failed:
            return;
        case Mode::Utf8:
        case Mode::MarkedUtf8:
            TakeUtf8(bytes, last);
            return;
        case Mode::Windows1250:
            // Line ends and NUL are the same bytes in the decoded text.
            Count(bytes);
            return;
        case Mode::Utf16Le:
        case Mode::Utf16Be:
            break;
    }
    std::string work = std::move(pending_);
    work.append(bytes);
    pending_.clear();
    decoded_.clear();
    const size_t used = Utf16Piece(work, mode_ == Mode::Utf16Be, last, decoded_);
    Count(decoded_);
    if (used == std::string_view::npos) {
        Fail("marked as UTF-16 but is not valid UTF-16");
        return;
    }
    pending_.assign(work, used);
}

void TextScan::TakeUtf8(std::string_view bytes, bool last) {
    std::string joined;
    if (!pending_.empty()) {
        joined = std::move(pending_) + std::string(bytes);
        pending_.clear();
        bytes = joined;
    }
    size_t i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        // A sequence is at most 4 bytes: fewer may go on in the next piece.
        if (c >= 0x80 && !last && bytes.size() - i < 4) {
            Count(bytes.substr(0, i));
            pending_.assign(bytes.substr(i));
            return;
        }
        const size_t n = c < 0x80 ? 1 : Utf8SequenceLength(bytes, i);
        if (n == 0) {
            Count(bytes.substr(0, i));
            if (mode_ == Mode::MarkedUtf8) {
                Fail("marked as UTF-8 but is not valid UTF-8");
                return;
            }
            mode_ = Mode::Windows1250;
            Count(bytes.substr(i));
            return;
        }
        i += n;
    }
    Count(bytes);
}

TextDecoder::TextDecoder(TextEncoding encoding) : encoding_(encoding) {
    if (encoding == TextEncoding::Utf8Bom) mark_ = kUtf8Mark.size();
    if (encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be)
        mark_ = kUtf16MarkBytes;
}

bool TextDecoder::Feed(std::string_view bytes, bool last, std::string& out) {
    const size_t skip = std::min(mark_, bytes.size());
    bytes.remove_prefix(skip);
    mark_ -= skip;
    switch (encoding_) {
        case TextEncoding::Utf8:
        case TextEncoding::Utf8Bom:
            out.append(bytes);
            return true;
        case TextEncoding::Windows1250:
            AppendWindows1250(bytes, out);
            return true;
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be:
            break;
    }
    std::string work = std::move(pending_);
    work.append(bytes);
    pending_.clear();
    const size_t used = Utf16Piece(work, encoding_ == TextEncoding::Utf16Be, last, out);
    if (used == std::string_view::npos) return false;
    pending_.assign(work, used);
    return true;
}

namespace {

constexpr size_t kPieceBytes = size_t{1} << 16;

// The decoding of DecodeText into one string. The bytes are taken over: valid
// UTF-8, the usual case, becomes the text without a copy.
TextReadResult DecodeWhole(std::string bytes, std::string& text, TextEncoding& encoding) {
    text.clear();
    TextScan scan;
    const std::string_view all = bytes;
    for (size_t at = 0; at < all.size(); at += kPieceBytes) scan.Feed(all.substr(at, kPieceBytes));
    const TextReadResult r = scan.Finish(encoding);
    if (!r.Ok()) return r;
    if (encoding == TextEncoding::Utf8 || encoding == TextEncoding::Utf8Bom) {
        if (encoding == TextEncoding::Utf8Bom) bytes.erase(0, kUtf8Mark.size());
        text = std::move(bytes);
        return r;
    }
    text.reserve(encoding == TextEncoding::Windows1250 ? bytes.size() + bytes.size() / 4
                                                       : bytes.size() / 2);
    TextDecoder(encoding).Feed(bytes, true, text);
    return r;
}

std::string Megabytes(std::uintmax_t bytes) {
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

TextReadResult TooLarge(const std::string& name, std::uintmax_t size, std::uintmax_t limit) {
    return NotRead(TextReadStatus::TooLarge,
                   "Cannot read " + name + ": the file is too large (" +
                       (size > 0 ? Megabytes(size) : "more than " + Megabytes(limit)) +
                       "; this computer can read files of up to " + Megabytes(limit) + ")");
}

// Reads a file in pieces of `pieceBytes`: piece(bytes, last) for each, while it
// returns true; the last piece may be empty. Or why the file cannot be read.
template <class Piece>
TextReadResult ReadPieces(const fs::path& path, const std::string& name, size_t pieceBytes,
                          Piece&& piece) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return NotRead(TextReadStatus::CannotOpen, "Cannot open " + name + ": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return NotRead(TextReadStatus::CannotOpen,
                       "Cannot open " + name + ": " + SystemError(errno));
    const std::uintmax_t limit = MaxTextFileBytes();
    // A pipe or a device has no size: its end is watched while reading.
    const std::uintmax_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
    if (!ec && size > limit) return TooLarge(name, size, limit);
    std::string buf(std::max<size_t>(pieceBytes, 1), '\0');
    std::uintmax_t total = 0;
    for (bool last = false; !last;) {
        in.read(buf.data(), static_cast<std::streamsize>(buf.size()));
        const auto n = static_cast<size_t>(in.gcount());
        total += n;
        if (total > limit) return TooLarge(name, 0, limit);
        last = n < buf.size();
        if (in.bad()) break;
        if (!piece(std::string_view(buf).substr(0, n), last)) return {};
    }
    if (in.bad()) return NotRead(TextReadStatus::CannotOpen, "Cannot read " + name);
    return {};
}

// The bytes of a file, or why they cannot be had.
TextReadResult ReadBytes(const fs::path& path, const std::string& name, std::string& bytes) {
    std::error_code ec;
    const std::uintmax_t size = fs::is_regular_file(path, ec) ? fs::file_size(path, ec) : 0;
    if (!ec && size > 0 && size <= MaxTextFileBytes()) bytes.reserve(static_cast<size_t>(size));
    return ReadPieces(path, name, kPieceBytes, [&bytes](std::string_view piece, bool) {
        bytes.append(piece);
        return true;
    });
}

// Tells a changed file from the one read before: the pieces are the same when
// the bytes are.
uint64_t HashPiece(uint64_t hash, std::string_view piece) {
    return (hash ^ std::hash<std::string_view>{}(piece)) * 1099511628211u + piece.size();
}

// The end of the last line of decoded text that is complete: after LF, or after
// CR when what follows it is known not to be LF.
size_t EndOfCompleteLines(std::string_view text) {
    for (size_t end = text.size(); end > 0; --end) {
        const char c = text[end - 1];
        if (c == '\n' || (c == '\r' && end < text.size())) return end;
    }
    return 0;
}

}  // namespace

TextReadResult TextStream::Open(const fs::path& path) {
    path_ = path;
    name_ = EscapeControl(path.string());
    text_.clear();
    size_ = 0;
    hash_ = 0;
    std::error_code ec;
    held_ = !fs::is_regular_file(path, ec);
    if (held_) return ReadWholeTextFile(path, text_, encoding_);
    TextScan scan;
    TextReadResult r = ReadPieces(path, name_, pieceBytes_, [&](std::string_view piece, bool) {
        scan.Feed(piece);
        size_ += piece.size();
        hash_ = HashPiece(hash_, piece);
        return true;
    });
    if (!r.Ok()) return r;
    r = scan.Finish(encoding_);
    if (!r.Ok()) r.message = "Cannot read " + name_ + ": " + r.message;
    return r;
}

bool TextStream::ForEachPiece(const std::function<bool(std::string_view)>& visit,
                              std::string& message) const {
    message.clear();
    if (held_) {
        visit(text_);
        return true;
    }
    TextDecoder decoder(encoding_);
    std::string text;
    std::uintmax_t size = 0;
    uint64_t hash = 0;
    bool decoded = true;
    bool stopped = false;
    const TextReadResult r =
        ReadPieces(path_, name_, pieceBytes_, [&](std::string_view piece, bool last) {
            size += piece.size();
            hash = HashPiece(hash, piece);
            decoded = decoder.Feed(piece, last, text);
            if (!decoded) return false;
            const size_t end = last ? text.size() : EndOfCompleteLines(text);
            if (end == 0) return true;
            stopped = !visit(std::string_view(text).substr(0, end));
            text.erase(0, end);
            return !stopped;
        });
    if (!r.Ok()) {
        message = r.message;
        return false;
    }
    if (stopped) return true;
    if (!decoded || size != size_ || hash != hash_) {
        message = "Cannot read " + name_ + ": the file changed while it was read";
        return false;
    }
    return true;
}

TextReadResult DecodeText(std::string_view bytes, TextFile& out) {
    out = TextFile{};
    std::string text;
    const TextReadResult r = DecodeWhole(std::string(bytes), text, out.encoding);
    if (r.Ok()) SplitLines(text, out.lines);
    return r;
}

TextReadResult ReadTextFile(const fs::path& path, TextFile& out) {
    out = TextFile{};
    std::string text;
    const TextReadResult r = ReadWholeTextFile(path, text, out.encoding);
    if (r.Ok()) SplitLines(text, out.lines);
    return r;
}

TextReadResult ReadWholeTextFile(const fs::path& path, std::string& text, TextEncoding& encoding) {
    text.clear();
    const std::string name = EscapeControl(path.string());
    std::string bytes;
    TextReadResult r = ReadBytes(path, name, bytes);
    if (!r.Ok()) return r;
    r = DecodeWhole(std::move(bytes), text, encoding);
    if (!r.Ok()) r.message = "Cannot read " + name + ": " + r.message;
    return r;
}

namespace {

// Both savers: `text` gives the whole content for a target written in place,
// `write` streams it into the temporary file of a replaced one.
template <class Text, class Write>
bool SaveThrough(const fs::path& path, std::string& error, Text&& text, Write&& write) {
    const std::string name = EscapeControl(path.string());
    if (path.empty() || (path != "-" && path.filename().empty())) {
        error = "Cannot save: no file name given";
        return false;
    }
    const SaveTarget target = TargetOf(path);
    bool ok = false;
    switch (target.kind) {
        case Target::StandardOutput:
            ok = ToStandardOutput(text(), name, error);
            break;
        case Target::Descriptor:
        case Target::Direct:
            ok = WriteInPlace(target, text(), name, error);
            break;
        case Target::Replace:
            if (target.path.filename().empty()) {
                error = "Cannot save: no file name given";
                return false;
            }
            ok = ReplaceFile(target.path, name, error, write);
            break;
    }
    if (ok) error.clear();
    return ok;
}

}  // namespace

bool SaveTextFile(const fs::path& path, const std::vector<std::string>& lines, std::string& error) {
    return SaveThrough(
        path, error, [&] { return Joined(lines); },
        [&](std::FILE* f) { return WriteAll(f, lines); });
}

bool SaveTextLines(const fs::path& path, const std::function<bool(const LineWriter&)>& lines,
                   std::string& error) {
    return SaveThrough(
        path, error,
        [&] {
            std::string text;
            lines([&text](std::string_view line) {
                text += line;
                text += "\r\n";
                return true;
            });
            return text;
        },
        [&](std::FILE* f) {
            return lines([f](std::string_view line) {
                return std::fwrite(line.data(), 1, line.size(), f) == line.size() &&
                       std::fwrite("\r\n", 1, 2, f) == 2;
            });
        });
}

bool SaveBinaryFile(const fs::path& path, std::string_view bytes, std::string& error) {
    return SaveThrough(
        path, error, [&] { return std::string(bytes); },
        [&](std::FILE* f) {
            return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        });
}

std::uintmax_t MaxTextFileBytesFor(std::uintmax_t memoryBytes) {
    constexpr std::uintmax_t kUnknown = std::uintmax_t{512} << 20;
    constexpr std::uintmax_t kMost = (std::uintmax_t{2} << 30) - 1;
    if (memoryBytes == 0) return kUnknown;
    return std::min(memoryBytes / 8, kMost);
}

std::uintmax_t MaxTextFileBytes() {
    std::uintmax_t memory = 0;
#if defined(__unix__) || defined(__APPLE__)
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages > 0 && pageSize > 0)
        memory = static_cast<std::uintmax_t>(pages) * static_cast<std::uintmax_t>(pageSize);
#endif
    return MaxTextFileBytesFor(memory);
}

bool IsStandardOutput(const fs::path& path) {
    return TargetOf(path).kind == Target::StandardOutput;
}

}  // namespace vertano
