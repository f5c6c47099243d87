#include <gtest/gtest.h>

#include <filesystem>

#include "files/RawTestSupport.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/RadkyPomocne.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

namespace fs = std::filesystem;
using test::Settings;

Tnastaveni Input(int code) {
    Tnastaveni s = Settings();
    s.souborVstup.typSuroveMereni = static_cast<uint8_t>(code);
    s.souborVystup.typSuroveMereni = static_cast<uint8_t>(code);
    return s;
}

TEST(RawFileRemoval, SmazSouborRemovesRowsAndTheFileEntry) {
    Tinfo info;
    const int32_t a = info.RegistrovatSoubor(info::kSurovaMereni, "/d/a.mtx", 0, true, 2);
    const int32_t b = info.RegistrovatSoubor(info::kSurovaMereni, "/d/b.asc", 1, true, 2);
    info.RegistrovatSoubor(info::kSouradniceFixni, "/d/b.txt", 0, true, 3);  // also ID 1
    Tmereni m;
    Tmereni ra = test::Seznam({test::Radek(1, "x"), test::Radek(1, "y")});
    Tmereni rb = test::Seznam({test::Radek(1, "p"), test::Radek(2, "q")});
    m.PridejMereniSouboru(ra, a);
    m.PridejMereniSouboru(rb, b);
    m.PridejZaznam(test::Radek(4, "hand"));  // typed in: soubor 0

    SmazSoubor(m, info, a);
    EXPECT_EQ(test::Cile(m), (std::vector<std::string>{"p", "q", "hand"}));
    ASSERT_EQ(info.VratPocetSouboru(info::kSurovaMereni), 1);
    EXPECT_EQ(info.souborySurovaMereni[0].ID, b);
    EXPECT_EQ(info.VratPocetSouboru(info::kSouradniceFixni), 1);

    SmazSoubor(m, info, 42);  // unknown file: nothing happens
    EXPECT_EQ(m.zaznam.size(), 3u);
}

TEST(RawFileNames, FormatFollowsTheExtensionInAnyCase) {
    EXPECT_EQ(RawFormatFromExtension("a/b.MTX"), format::kMtx);
    EXPECT_EQ(RawFormatFromExtension("b.Asc"), format::kAsc);
    EXPECT_EQ(RawFormatFromExtension("b.txt"), -1);
    EXPECT_EQ(RawFormatFromExtension("mtx"), -1);
    EXPECT_EQ(RawFileExtension(format::kAsc), ".asc");
    EXPECT_EQ(RawFileExtension(5), "");
}

TEST(RawFileNames, UnknownFormatCodeGivesNothing) {
    Tmereni m = test::SmallNetwork();
    EXPECT_EQ(ReadRaw(2, {"1 A 1 B 1 0 100 0"}, Settings(), m).error, RawFileError::UnknownFormat);
    EXPECT_TRUE(m.zaznam.empty());
    std::vector<std::string> lines{"x"};
    EXPECT_EQ(WriteRaw(7, test::SmallNetwork(), Settings(), lines).error,
              RawFileError::UnknownFormat);
    EXPECT_TRUE(lines.empty());
}

TEST(RawFileLoad, EveryEncodingAndLineEndGivesTheSameRows) {
    test::TempDir dir;
    const std::string utf8 = "1 Bod\xC4\x8D 1.5 B 1.6 100 98.5 0";
    const std::string body1250 = "1 Bod\xE8 1.5 B 1.6 100 98.5 0";
    const std::pair<const char*, std::string> files[] = {
        {"bom8.mtx", "\xEF\xBB\xBF" + utf8 + "\r\n" + utf8 + "\r\n"},
        {"plain.mtx", utf8 + "\n" + utf8},
        {"cr.mtx", body1250 + "\r" + body1250 + "\r"},
    };
    std::string le("\xFF\xFE", 2);
    std::string be("\xFE\xFF", 2);
    for (const char c : std::string("1 Bod? 1 B 1 1 1 0\n1 Bod? 1 B 1 1 1 0")) {
        const char16_t u = c == '?' ? u'\u010D' : static_cast<char16_t>(c);
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    test::WriteBytes(dir / "le.mtx", le);
    test::WriteBytes(dir / "be.mtx", be);
    std::vector<fs::path> paths;
    for (const auto& [name, bytes] : files) {
        test::WriteBytes(dir / name, bytes);
        paths.push_back(dir / name);
    }
    paths.push_back(dir / "le.mtx");
    paths.push_back(dir / "be.mtx");
    Tmereni m;
    Tinfo info;
    const RawLoadReport rep = NacteniSouboru(m, info, Input(format::kMtx), paths);
    ASSERT_EQ(rep.files.size(), paths.size());
    for (const LoadedRawFile& f : rep.files) {
        EXPECT_TRUE(f.result.ok) << f.message;
        EXPECT_EQ(f.rowsAdded, 2) << f.path;
    }
    ASSERT_EQ(m.zaznam.size(), 10u);
    for (const Tzaznam& z : m.zaznam) EXPECT_EQ(z.cislo_stn, "Bod\xC4\x8D");
    EXPECT_EQ(m.PosledniPoradi(), 5);
}

// A large file is read in pieces, but its encoding is that of the whole file:
// the one byte that is not UTF-8 in its last line makes it Windows-1250 from its
// first line on, and a fault far into a marked file still rejects all of it.
TEST(RawFileLoad, TheEncodingOfALargeFileIsDecidedOnAllOfIt) {
    test::TempDir dir;
    std::string body;
    for (int i = 1; i < 3000; ++i)
        body += std::to_string(i + 1) + " S" + std::to_string(i) + " 1 B 1 0 100 0\r\n";
    test::WriteBytes(dir / "a.mtx",
                     "1 Bod\xC4\x8D 1 B 1 0 100 0\r\n" + body + "5000 Bod\xE8 1 B 1 0 100 0\r\n");
    test::WriteBytes(dir / "b.mtx", "\xEF\xBB\xBF" + body + "5000 Bod\xE8 1 B 1 0 100 0\r\n");
    Tmereni m;
    Tinfo info;
    const RawLoadReport rep =
        NacteniSouboru(m, info, Input(format::kMtx), {dir / "a.mtx", dir / "b.mtx"});
    ASSERT_EQ(rep.files.size(), 2u);
    EXPECT_EQ(rep.files[0].rowsAdded, 3001) << rep.files[0].message;
    ASSERT_EQ(m.zaznam.size(), 3001u);
    EXPECT_EQ(m.zaznam.front().cislo_stn, "Bod\xC3\x84\xC5\xA4");  // C4 8D in Windows-1250
    EXPECT_EQ(m.zaznam.back().cislo_stn, "Bod\xC4\x8D");
    EXPECT_EQ(rep.files[1].result.error, RawFileError::BadEncoding);
    EXPECT_EQ(rep.files[1].result.counter, 3000);
    EXPECT_EQ(rep.files[1].rowsAdded, 0);
}

TEST(RawFileLoad, FilesAreRegisteredAndStationsContinue) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.mtx", "5 A 1 B 1 0 100 0\r\n6 B 1 A 1 0 100 0\r\n");
    test::WriteBytes(dir / "bad.mtx", "1 A 1 B 1 0 100 0\r\n\r\n1 A 1 B 1 0 100\r\n");
    test::WriteBytes(dir / "c.mtx", "1 C 1 D 1 0 100 0\r\n");
    Tmereni m;
    Tinfo info;
    const RawLoadReport rep = NacteniSouboru(m, info, Input(format::kMtx),
                                             {dir / "a.mtx", dir / "bad.mtx", dir / "c.mtx"});
    ASSERT_EQ(rep.files.size(), 3u);
    EXPECT_FALSE(rep.stopped);
    EXPECT_FALSE(rep.files[1].result.ok);
    EXPECT_EQ(rep.files[1].rowsAdded, 0);
    EXPECT_NE(rep.files[1].message.find("bad.mtx: line 2 (line 3 of the file)"), std::string::npos)
        << rep.files[1].message;
    ASSERT_EQ(m.zaznam.size(), 3u);
    EXPECT_EQ(m.zaznam[2].poradi, 3);
    EXPECT_EQ(m.zaznam[2].soubor, 3);
    EXPECT_EQ(m.zaznam[0].soubor, 1);
    const auto& list = info.VratSoubory(info::kSurovaMereni);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(list[0].nacteni);
    EXPECT_EQ(list[0].hlaseni, 2);
    EXPECT_EQ(list[0].jmeno, "a.mtx");
    EXPECT_EQ(list[0].pripona, ".mtx");
    EXPECT_FALSE(list[1].nacteni);
    EXPECT_EQ(list[1].hlaseni, 2);
    EXPECT_EQ(list[1].ID, 2);
}

TEST(RawFileLoad, UnopenableFileStopsTheCommandAndKeepsWhatWasLoaded) {
    test::TempDir dir;
    test::WriteBytes(dir / "a.asc", "1 A 1.5\r\n-1\r\nB 10 1 0 100\r\n/\r\n-2\r\n");
    test::WriteBytes(dir / "c.asc", "1 A 1.5\r\n-1\r\nB 10 1 0 100\r\n/\r\n-2\r\n");
    Tmereni m;
    Tinfo info;
    const RawLoadReport rep = NacteniSouboru(m, info, Input(format::kAsc),
                                             {dir / "a.asc", dir / "missing.asc", dir / "c.asc"});
    EXPECT_TRUE(rep.stopped);
    ASSERT_EQ(rep.files.size(), 2u);
    EXPECT_EQ(rep.files[1].result.error, RawFileError::CannotOpen);
    EXPECT_NE(rep.files[1].message.find("missing.asc"), std::string::npos);
    EXPECT_EQ(m.zaznam.size(), 1u);
    EXPECT_EQ(info.VratPocetSouboru(info::kSurovaMereni), 1);
}

TEST(RawFileLoad, UndecodableFileIsRejectedNotStopped) {
    test::TempDir dir;
    test::WriteBytes(dir / "x.mtx",
                     "\xEF\xBB\xBF"
                     "1 A 1 B 1 0 100 0\n1 \xFF 1 B 1 0 100 0\n");
    Tmereni m;
    Tinfo info;
    const RawLoadReport rep = NacteniSouboru(m, info, Input(format::kMtx), {dir / "x.mtx"});
    EXPECT_FALSE(rep.stopped);
    EXPECT_EQ(rep.files[0].result.error, RawFileError::BadEncoding);
    EXPECT_EQ(rep.files[0].result.counter, 2);
    EXPECT_TRUE(m.zaznam.empty());
    EXPECT_FALSE(info.VratSoubory(info::kSurovaMereni)[0].nacteni);
}

TEST(RawFileSave, SavedFileIsCrLfUtf8AndReadsBack) {
    test::TempDir dir;
    for (const int code : {format::kMtx, format::kAsc}) {
        Tmereni m = test::SmallNetwork();
        m.zaznam[0].cislo_stn = m.zaznam[1].cislo_stn = m.zaznam[2].cislo_stn = "Bodč";
        m.PridejPrazdnyZaznam();
        const fs::path p = dir / ("out" + RawFileExtension(code));
        const RawSaveReport rep = UlozeniSouboru(m, Input(code), p);
        ASSERT_TRUE(rep.ok) << rep.message;
        EXPECT_EQ(m.zaznam.size(), 5u);  // trailing empty row removed
        const std::string bytes = test::ReadBytes(p);
        EXPECT_NE(bytes.find("Bodč"), std::string::npos);
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
        EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
        Tmereni back;
        Tinfo info;
        const LoadedRawFile f = NactiSoubor(back, info, Input(code), p, code);
        EXPECT_TRUE(f.result.ok) << f.message;
        EXPECT_EQ(back.zaznam.size(), 5u);
    }
}

TEST(RawFileSave, FailedSaveLeavesThePreviousFile) {
    test::TempDir dir;
    const fs::path p = dir / "keep.mtx";
    test::WriteBytes(p, "precious\r\n");
    // the writer refuses: nothing may be written over the user's data
    Tmereni m = test::SmallNetwork();
    m.zaznam[3].cislo_cil = "with blank";
    RawSaveReport rep = UlozeniSouboru(m, Input(format::kMtx), p);
    EXPECT_FALSE(rep.ok);
    EXPECT_EQ(rep.result.error, RawFileError::UnwritableName);
    EXPECT_NE(rep.message.find("row 4"), std::string::npos) << rep.message;
    EXPECT_EQ(test::ReadBytes(p), "precious\r\n");
    // a list without measurements
    Tmereni empty;
    empty.PridejPrazdnyZaznam();
    rep = UlozeniSouboru(empty, Input(format::kAsc), p);
    EXPECT_EQ(rep.result.error, RawFileError::NothingToWrite);
    EXPECT_EQ(test::ReadBytes(p), "precious\r\n");
    // the path is a folder
    rep = UlozeniSouboru(m = test::SmallNetwork(), Input(format::kMtx), dir.Path());
    EXPECT_FALSE(rep.ok);
    EXPECT_TRUE(fs::is_directory(dir.Path()));
    rep = ExportSouboru(test::SmallNetwork(), Input(format::kAsc), dir / "no" / "x.asc");
    EXPECT_FALSE(rep.ok);
    EXPECT_FALSE(rep.message.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

// A blank name from the save dialog cancels, as it does for points and
// supplementary measurements: no failure to report, no file, the list untouched.
TEST(RawFileSave, BlankNameCancels) {
    test::TempDir dir;
    const fs::path puvodni = fs::current_path();
    fs::current_path(dir.Path());
    Tmereni m = test::SmallNetwork();
    m.PridejPrazdnyZaznam();
    for (const char* jmeno : {"", "  "}) {
        const RawSaveReport ulozeni = UlozeniSouboru(m, Input(format::kMtx), jmeno);
        EXPECT_TRUE(ulozeni.cancelled);
        EXPECT_FALSE(ulozeni.ok);
        EXPECT_TRUE(ulozeni.message.empty()) << ulozeni.message;
        const RawSaveReport export_ = ExportSouboru(m, Input(format::kAsc), jmeno);
        EXPECT_TRUE(export_.cancelled);
        EXPECT_TRUE(export_.message.empty()) << export_.message;
    }
    EXPECT_EQ(m.zaznam.size(), 6u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 0);
    fs::current_path(puvodni);
}

TEST(RawFileExport, ExportWritesTheChosenFormatWithoutChangingTheList) {
    test::TempDir dir;
    Tmereni m = test::SmallNetwork();
    m.zaznam[0].sig_smer = 0.0001L;
    m.PridejPrazdnyZaznam();
    ASSERT_TRUE(ExportSouboru(m, Input(format::kMtx), dir / "e.mtx").ok);
    EXPECT_EQ(m.zaznam.size(), 6u);
    const std::string mtx = test::ReadBytes(dir / "e.mtx");
    EXPECT_EQ(mtx.substr(0, mtx.find("\r\n")), "1 4001 4002 0.00000 99.87650 152.3456 0.0001");
    ASSERT_TRUE(ExportSouboru(m, Input(format::kAsc), dir / "e.asc").ok);
    Tmereni back;
    Tinfo info;
    const LoadedRawFile f =
        NactiSoubor(back, info, Input(format::kAsc), dir / "e.asc", format::kAsc);
    ASSERT_TRUE(f.result.ok) << f.message;
    EXPECT_EQ(back.zaznam.size(), 5u);
    EXPECT_EQ(back.zaznam[0].vyska_stn, 0);  // exports carry no heights
}

}  // namespace
}  // namespace vertano
