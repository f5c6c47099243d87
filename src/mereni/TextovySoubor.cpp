#include "mereni/TextovySoubor.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

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

// Length of the valid UTF-8 sequence starting at `i`, 0 when it is not valid.
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

// Line number (1-based) of byte `end` of decoded text.
int32_t LineAt(std::string_view text, size_t end) {
    int32_t line = 1;
    for (size_t i = 0; i < end && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
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

// UTF-16 to UTF-8; false with the line of the fault on an odd length or an
// unpaired surrogate.
bool Utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string& out, int32_t& badLine) {
    const auto unit = [&](size_t k) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[k]);
        const auto b = static_cast<unsigned char>(bytes[k + 1]);
        return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    out.reserve(bytes.size() / 2);
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) break;
        AppendUtf8(out, cp);
    }
    if (i == bytes.size()) return true;
    badLine = LineAt(out, out.size());
    return false;
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

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    return FirstInvalidUtf8(bytes) == std::string_view::npos;
}

std::string Windows1250ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        AppendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kCp1250[b - 0x80]});
    }
    return out;
}

TextReadResult DecodeText(std::string_view bytes, TextFile& out) {
    out = TextFile{};
    std::string text;
    int32_t badLine = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        out.encoding = TextEncoding::Utf8Bom;
        text.assign(bytes.substr(3));
        const size_t bad = FirstInvalidUtf8(text);
        if (bad != std::string_view::npos)
            return BadEncoding(LineAt(text, bad), "marked as UTF-8 but is not valid UTF-8");
    } else if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        const bool be = bytes[0] == '\xFE';
        out.encoding = be ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
        if (!Utf16ToUtf8(bytes.substr(2), be, text, badLine))
            return BadEncoding(badLine, "marked as UTF-16 but is not valid UTF-16");
    } else if (IsValidUtf8(bytes)) {
        out.encoding = TextEncoding::Utf8;
        text.assign(bytes);
    } else {
        out.encoding = TextEncoding::Windows1250;
        text = Windows1250ToUtf8(bytes);
    }
    const size_t nul = text.find('\0');
    if (nul != std::string::npos)
        return BadEncoding(LineAt(text, nul),
                           "contains NUL characters (UTF-16 text without a byte-order mark?)");
    SplitLines(text, out.lines);
    return {};
}

TextReadResult ReadTextFile(const fs::path& path, TextFile& out) {
    out = TextFile{};
    const std::string name = path.string();
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return NotRead(TextReadStatus::CannotOpen, "Cannot open " + name + ": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return NotRead(TextReadStatus::CannotOpen,
                       "Cannot open " + name + ": " + SystemError(errno));
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxTextFileBytes)
        return NotRead(TextReadStatus::TooLarge, "Cannot read " + name + ": the file is too large");
    std::string bytes;
    if (!ec) bytes.reserve(static_cast<size_t>(size));
    std::array<char, 65536> buf{};
    while (in.read(buf.data(), buf.size()) || in.gcount() > 0) {
        bytes.append(buf.data(), static_cast<size_t>(in.gcount()));
        if (bytes.size() > kMaxTextFileBytes)
            return NotRead(TextReadStatus::TooLarge,
                           "Cannot read " + name + ": the file is too large");
    }
    if (in.bad()) return NotRead(TextReadStatus::CannotOpen, "Cannot read " + name);
    TextReadResult r = DecodeText(bytes, out);
    if (!r.Ok()) r.message = "Cannot read " + name + ": " + r.message;
    return r;
}

namespace {

// The safe writer behind both savers: `write` fills a temporary file beside the
// target, which replaces the target only when completely written and flushed.
template <class Write>
bool SaveThrough(const fs::path& path, std::string& error, Write&& write) {
    std::error_code ec;
    fs::path target = path;
    // A link is followed so that the file it points to is replaced, not the link.
    if (fs::is_symlink(target, ec)) target = fs::weakly_canonical(target, ec);
    const std::string name = path.string();
    if (path.empty() || target.filename().empty()) {
        error = "Cannot save: no file name given";
        return false;
    }
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
    error.clear();
    return true;
}

}  // namespace

bool SaveTextFile(const fs::path& path, const std::vector<std::string>& lines, std::string& error) {
    return SaveThrough(path, error, [&](std::FILE* f) { return WriteAll(f, lines); });
}

bool SaveBinaryFile(const fs::path& path, std::string_view bytes, std::string& error) {
    return SaveThrough(path, error, [&](std::FILE* f) {
        return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    });
}

}  // namespace vertano
