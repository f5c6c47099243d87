#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <thread>

#include "mereni/TextovySoubor.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string Utf16(std::u16string_view text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t u : text) {
        const char hi = static_cast<char>(u >> 8);
        const char lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

TextFile Decoded(const std::string& bytes) {
    TextFile f;
    const TextReadResult r = DecodeText(bytes, f);
    EXPECT_TRUE(r.Ok()) << r.message;
    return f;
}

TEST(TextFileRead, EncodingIsTakenFromTheMarkOrTheBytes) {
    const Lines expected{"1 Bod\xC4\x8D 1.5", "2"};  // "Bodč"
    TextFile f = Decoded(
        "\xEF\xBB\xBF"
        "1 Bod\xC4\x8D 1.5\r\n2");
    EXPECT_EQ(f.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(f.lines, expected);
    f = Decoded("1 Bod\xC4\x8D 1.5\n2\n");
    EXPECT_EQ(f.encoding, TextEncoding::Utf8);
    EXPECT_EQ(f.lines, expected);
    f = Decoded("1 Bod\xE8 1.5\r2");  // 0xE8 is "č" in Windows-1250
    EXPECT_EQ(f.encoding, TextEncoding::Windows1250);
    EXPECT_EQ(f.lines, expected);
    f = Decoded(Utf16(u"1 Bod\u010D 1.5\r\n2", false));
    EXPECT_EQ(f.encoding, TextEncoding::Utf16Le);
    EXPECT_EQ(f.lines, expected);
    f = Decoded(Utf16(u"1 Bod\u010D 1.5\n2\n", true));
    EXPECT_EQ(f.encoding, TextEncoding::Utf16Be);
    EXPECT_EQ(f.lines, expected);
}

TEST(TextFileRead, LineEndsOfEveryKindAndMixed) {
    EXPECT_EQ(Decoded("a\r\nb\nc\rd").lines, (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(Decoded("a\r\n\r\nb\r\n").lines, (Lines{"a", "", "b"}));
    EXPECT_EQ(Decoded("a\r\rb").lines, (Lines{"a", "", "b"}));
    EXPECT_TRUE(Decoded("").lines.empty());
}

TEST(TextFileRead, Windows1250TableCoversCzechLetters) {
    EXPECT_EQ(Windows1250ToUtf8(
                  "\x8A\x8D\x8E\x9A\x9D\x9E\xC8\xCF\xCC\xD2\xD8\xD9\xE8\xEF\xEC\xF2\xF8\xF9"),
              "ŠŤŽšťžČĎĚŇŘŮčďěňřů");
    EXPECT_EQ(Windows1250ToUtf8("\xE1\xE9\xED\xF3\xFA\xFD\x80\x81"), "áéíóúý€\xC2\x81");
}

TEST(TextFileRead, UndecodableMarkedTextIsRefusedWithItsLine) {
    TextFile f;
    TextReadResult r = DecodeText(
        "\xEF\xBB\xBF"
        "a\nb\xE8x\n",
        f);
    EXPECT_EQ(r.status, TextReadStatus::BadEncoding);
    EXPECT_EQ(r.line, 2);
    // The line is said once: the readers put it in front of the reason.
    EXPECT_EQ(r.reason.find("line"), std::string::npos);
    EXPECT_NE(r.message.find("(line 2)"), std::string::npos);
    r = DecodeText(std::string("\xFF\xFE"
                               "a\0\n\0\x00\xD8"
                               "b\0",
                               10),
                   f);  // lone surrogate
    EXPECT_EQ(r.status, TextReadStatus::BadEncoding);
    EXPECT_EQ(r.line, 2);
    r = DecodeText(std::string("\xFF\xFE"
                               "a\0b",
                               5),
                   f);  // odd length
    EXPECT_EQ(r.status, TextReadStatus::BadEncoding);
    r = DecodeText(std::string("1\0 \0A\0", 6), f);  // UTF-16 without a mark
    EXPECT_EQ(r.status, TextReadStatus::BadEncoding);
}

// A large file is read in pieces: a character, a CR LF or the first byte that
// is not UTF-8 may come in any piece. Every piece size gives what the whole
// file gives: the encoding, the same lines at the same line numbers, the same
// refusal at the same line.
TEST(TextFileRead, AFileReadInPiecesReadsAsTheWholeFile) {
    test::TempDir dir;
    const std::string crlf = "1 A\r\n2 Bod\xC4\x8D\r\n\r\n3 \xF0\x9D\x84\x9E\r\n";
    const std::u16string utf16 = u"1 Bod\u010D\r\n\r\n2 \U0001D11E x\r3\n";
    const std::string cases[] = {
        crlf + crlf + "4 \xE8\r\n",  // Windows-1250, known only at its last line
        crlf + "4 \xE8\r\n" + crlf,
        Utf16(utf16, false),
        Utf16(utf16, true),
        Utf16(utf16 + u'\xD800' + u"\r\n", false),  // lone surrogate on line 5
        Utf16(utf16, false) + "x",                  // odd length
        "\xEF\xBB\xBF" + crlf + "a\r\nb\xC3",       // marked UTF-8, cut at the end
        crlf + "\r\rc\0d",                          // NUL on line 7
        "a\rb\r\rc\r",
        "\xFF\xFE",
        "\xEF\xBB",
        "",
    };
    for (const std::string& bytes : cases) {
        const fs::path path = dir / "f.txt";
        test::WriteBytes(path, bytes);
        TextFile whole;
        const TextReadResult expected = ReadTextFile(path, whole);
        const std::vector<PreparedLine> lines = PrepareLines(whole.lines);
        for (const size_t pieceBytes :
             {size_t{1}, size_t{2}, size_t{3}, size_t{5}, size_t{1} << 16}) {
            SCOPED_TRACE(EscapeControl(bytes) + " in pieces of " + std::to_string(pieceBytes));
            TextStream stream(pieceBytes);
            const TextReadResult r = stream.Open(path);
            EXPECT_EQ(r.status, expected.status);
            EXPECT_EQ(r.line, expected.line);
            EXPECT_EQ(r.message, expected.message);
            if (!r.Ok()) continue;
            std::vector<PreparedLine> read;
            std::string message;
            EXPECT_TRUE(stream.ForEachPreparedLine(
                [&read](std::string_view line, int32_t fileLine) {
                    read.push_back({std::string(line), fileLine});
                    return true;
                },
                message));
            ASSERT_EQ(read.size(), lines.size());
            for (size_t i = 0; i < read.size(); ++i) {
                EXPECT_EQ(read[i].text, lines[i].text);
                EXPECT_EQ(read[i].fileLine, lines[i].fileLine);
            }
        }
    }
}

// A file read again must still be the file that was checked; one changed in
// between is not read as if it were.
TEST(TextFileRead, AFileChangedBetweenItsReadingsIsRefused) {
    test::TempDir dir;
    const fs::path path = dir / "f.txt";
    test::WriteBytes(path, "1 A\r\n2 B\r\n");
    TextStream stream(4);
    ASSERT_TRUE(stream.Open(path).Ok());
    const auto all = [](std::string_view) { return true; };
    std::string message;
    EXPECT_TRUE(stream.ForEachPiece(all, message));
    test::WriteBytes(path, "1 A\r\n2 \x01\r\n");
    EXPECT_FALSE(stream.ForEachPiece(all, message));
    EXPECT_NE(message.find("f.txt: the file changed while it was read"), std::string::npos);
    test::WriteBytes(path, "1 A\r\n");
    EXPECT_FALSE(stream.ForEachPiece(all, message));
    fs::remove(path);
    EXPECT_FALSE(stream.ForEachPiece(all, message));
    EXPECT_NE(message.find("Cannot open"), std::string::npos);
}

// A named pipe gives its text once: it is held whole, never opened again.
TEST(TextFileRead, APipeIsReadOnce) {
    test::TempDir dir;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&pipe] {
        const int fd = open(pipe.c_str(), O_WRONLY);  // waits for the reader
        if (fd < 0) return;
        EXPECT_EQ(write(fd, "1 A\r\n2 B\r\n", 10), 10);
        close(fd);
        // A reader that opened the pipe again would wait for a writer for ever:
        // this one lets it go with nothing to read.
        for (int i = 0; i < 20; ++i) {
            const int again = open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (again >= 0) close(again);
            usleep(10000);
        }
    });
    TextStream stream(4);
    const TextReadResult r = stream.Open(pipe);
    std::string text;
    std::string message;
    const bool read = stream.ForEachPiece(
        [&text](std::string_view piece) {
            text += piece;
            return true;
        },
        message);
    writer.join();
    EXPECT_TRUE(r.Ok()) << r.message;
    EXPECT_TRUE(read) << message;
    EXPECT_EQ(text, "1 A\r\n2 B\r\n");
}

TEST(TextFileRead, MissingFileAndFolderCannotBeOpened) {
    test::TempDir dir;
    TextFile f;
    TextReadResult r = ReadTextFile(dir / "none.mtx", f);
    EXPECT_EQ(r.status, TextReadStatus::CannotOpen);
    EXPECT_NE(r.message.find("none.mtx"), std::string::npos);
    EXPECT_EQ(ReadTextFile(dir.Path(), f).status, TextReadStatus::CannotOpen);
}

// A file may take an eighth of the memory (its rows take five times its size),
// at most 2 GB; 512 MB where the memory is not known.
TEST(TextFileRead, SizeLimitFollowsTheMemoryOfTheComputer) {
    constexpr std::uintmax_t kGb = std::uintmax_t{1} << 30;
    EXPECT_EQ(MaxTextFileBytesFor(8 * kGb), kGb);
    EXPECT_EQ(MaxTextFileBytesFor(64 * kGb), 2 * kGb - 1);
    EXPECT_EQ(MaxTextFileBytesFor(0), kGb / 2);
    EXPECT_GE(MaxTextFileBytes(), std::uintmax_t{1} << 20);
}

TEST(TextFileSave, WritesUtf8WithCrLfAndReadsBack) {
    test::TempDir dir;
    const fs::path p = dir / "a.txt";
    std::string error;
    ASSERT_TRUE(SaveTextFile(p, {"1 Bodč", "", "-2"}, error)) << error;
    EXPECT_EQ(test::ReadBytes(p), "1 Bodč\r\n\r\n-2\r\n");
    TextFile f;
    ASSERT_TRUE(ReadTextFile(p, f).Ok());
    EXPECT_EQ(f.lines, (Lines{"1 Bodč", "", "-2"}));
    ASSERT_TRUE(SaveTextFile(p, {"x"}, error));
    EXPECT_EQ(test::ReadBytes(p), "x\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// Lines made while written give the bytes of the same lines saved whole; a
// line that cannot be made leaves the previous file and no temporary file.
TEST(TextFileSave, LinesMadeWhileWrittenGiveTheSameBytes) {
    test::TempDir dir;
    const fs::path p = dir / "a.json";
    const Lines lines{"{", "  \"a\": \"Bodč\"", "", "}"};
    const auto made = [&lines](const LineWriter& write) {
        for (const std::string& line : lines) {
            if (!write(line)) return false;
        }
        return true;
    };
    std::string error;
    ASSERT_TRUE(SaveTextLines(p, made, error)) << error;
    const std::string bytes = test::ReadBytes(p);
    ASSERT_TRUE(SaveTextFile(p, lines, error)) << error;
    EXPECT_EQ(bytes, test::ReadBytes(p));
    const auto failing = [](const LineWriter& write) { return write("half") && false; };
    EXPECT_FALSE(SaveTextLines(p, failing, error));
    EXPECT_EQ(test::ReadBytes(p), bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(TextFileSave, FailureLeavesThePreviousFileAndNoTemporaryFile) {
    test::TempDir dir;
    const fs::path sub = dir / "ro";
    fs::create_directory(sub);
    const fs::path p = sub / "data.mtx";
    test::WriteBytes(p, "old data\r\n");
    std::string error;
    // a folder where the file should be
    EXPECT_FALSE(SaveTextFile(sub, {"new"}, error));
    EXPECT_NE(error.find("folder"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(sub));
    // a folder nobody may write to (root may write anywhere, so only when it bites)
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    if (access(sub.c_str(), W_OK) != 0) {
        EXPECT_FALSE(SaveTextFile(p, {"new"}, error));
        EXPECT_NE(error.find("data.mtx"), std::string::npos);
        EXPECT_EQ(test::ReadBytes(p), "old data\r\n");
    }
    fs::permissions(sub, fs::perms::owner_all);
    // a missing folder
    EXPECT_FALSE(SaveTextFile(dir / "missing" / "x.mtx", {"new"}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(test::ReadBytes(p), "old data\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(sub), fs::directory_iterator()), 1);
}

TEST(TextFileSave, ReplacedFileKeepsItsPermissions) {
    test::TempDir dir;
    const fs::path p = dir / "a.asc";
    test::WriteBytes(p, "old");
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    std::string error;
    ASSERT_TRUE(SaveTextFile(p, {"new"}, error)) << error;
    EXPECT_EQ(fs::status(p).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Renaming a finished temporary file over a device, a named pipe or a name of an
// open descriptor would put a regular file in its place (as root even over the
// system's null device), or leave the file the shell redirected to holding only
// this text. Such targets are written directly; only regular files are replaced.
TEST(TextFileSaveSpecial, ANamedPipeIsWrittenNotReplaced) {
    test::TempDir dir;
    const fs::path pipe = dir / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // The reader is there first, so the writer's open does not wait.
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string error;
    EXPECT_TRUE(SaveTextFile(pipe, {"1 A", "-2"}, error)) << error;
    EXPECT_TRUE(fs::is_fifo(pipe));
    char buffer[64] = {};
    const ssize_t n = read(reader, buffer, sizeof buffer);
    close(reader);
    EXPECT_EQ(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0), "1 A\r\n-2\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(TextFileSaveSpecial, ADeviceIsWrittenNotReplaced) {
    test::TempDir dir;
    const fs::path device = dir / "null";
    // The null device (1, 3), made here: the system's own is never touched.
    if (mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0) {
        GTEST_SKIP() << "making a device node needs root (CAP_MKNOD): " << std::strerror(errno);
    }
    std::string error;
    const int probe = open(device.c_str(), O_WRONLY);
    const bool usable = probe >= 0;  // a folder mounted nodev refuses to open it
    if (usable) close(probe);
    EXPECT_EQ(SaveTextFile(device, {"x"}, error), usable) << error;
    EXPECT_TRUE(fs::is_character_file(device));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(TextFileSaveSpecial, ADescriptorKeepsWhatWasWrittenBefore) {
    test::TempDir dir;
    const fs::path file = dir / "redirected.txt";
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, "summary\n", 8), 8);
    const fs::path procName = "/proc/self/fd/" + std::to_string(fd);
    std::error_code ec;
    fs::create_symlink(procName, dir / "out", ec);
    if (ec || !fs::exists(procName)) {
        close(fd);
        GTEST_SKIP() << "no /proc/self/fd on this system";
    }
    const auto inode = [&] {
        struct stat st {};
        stat(file.c_str(), &st);
        return st.st_ino;
    };
    const auto before = inode();
    std::string error;
    EXPECT_TRUE(SaveTextFile(dir / "out", {"a"}, error)) << error;  // a link to it
    EXPECT_TRUE(SaveTextFile("/dev/fd/" + std::to_string(fd), {"b"}, error)) << error;
    close(fd);
    EXPECT_EQ(test::ReadBytes(file), "summary\na\r\nb\r\n");
    EXPECT_EQ(inode(), before);
    EXPECT_TRUE(fs::is_symlink(dir / "out"));
}

TEST(TextFileSaveSpecial, DashIsTheStandardOutput) {
    test::TempDir dir;
    const fs::path here = fs::current_path();
    fs::current_path(dir.Path());
    std::string error;
    std::string shown;
    {
        test::CoutCapture out;
        EXPECT_TRUE(SaveTextFile("-", {"1 A", "-2"}, error)) << error;
        shown = out.Text();
    }
    fs::current_path(here);
    EXPECT_EQ(shown, "1 A\r\n-2\r\n");
    EXPECT_TRUE(fs::is_empty(dir.Path()));  // no file called "-"
    EXPECT_TRUE(IsStandardOutput("-"));
    EXPECT_TRUE(IsStandardOutput("/dev/stdout"));
    EXPECT_FALSE(IsStandardOutput("./-"));
    EXPECT_FALSE(IsStandardOutput(dir / "x.txt"));
}

}  // namespace
}  // namespace vertano
