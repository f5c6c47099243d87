#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "data/SouradniceKontrola.h"
#include "data/SouradniceTestPomocne.h"
#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceSoubory.h"
#include "files/SouradniceText.h"
#include "mereni/Jednotky.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

namespace fs = std::filesystem;
using test::Plny;
using test::ReadBytes;
using test::Seznam;
using test::TempDir;
using test::WriteBytes;

// Settings as after start, serving the given network points.
Tnastaveni Nastaveni(uint8_t bodyVstup = kBodyVstupFixni) {
    Tnastaveni n;
    n.Default();
    n.okno.bodyVstup = bodyVstup;
    return n;
}

Tbod Meritko(const std::string& cislo, Real zkresleni) {
    Tbod b = Tbod::Prazdny();
    b.cislo = cislo;
    b.zkresleni = zkresleni;
    b.JePlny = true;
    return b;
}

// Loading runs for both point lists.
struct Prostredi {
    Tsouradnice body;
    Tinfo info;
    Tchyby chyby;
    Tnastaveni nastaveni = Nastaveni();

    CoordinateLoadReport Nacti(const std::vector<fs::path>& cesty) {
        return NacteniSouboru(body, info, nastaveni, cesty, chyby);
    }
};

class CoordinateFileRoundTrip : public ::testing::TestWithParam<std::tuple<uint8_t, uint8_t>> {};

TEST_P(CoordinateFileRoundTrip, SavedPointsLoadBackInEveryOrderAndUnit) {
    const auto [format, jednotka] = GetParam();
    TempDir dir;
    Prostredi p;
    p.nastaveni.jednotky.souradnice = jednotka;
    p.nastaveni.souborVstup.typSouradnice = format;
    p.nastaveni.souborVystup.typSouradnice = format;

    Tbod a = Plny("4001", 1000.5, -2000.25, 300.125);
    a.UpravPresnost().sig_X = 0.002;  // deviations do not go to the file
    a.JeFixni = true;
    a.fixniOsy = FixniOsy::Poloha;  // kept as the fifth column
    Tsouradnice puvodni =
        Seznam({a, Plny("4002", 0, 123456.7891, -0.0004), Plny("Bodč", 5e-13L, 7, 8)});
    puvodni.PridejPrazdnyBod();

    const CoordinateSaveReport ulozeni = UlozeniSouboru(puvodni, p.nastaveni, dir / "b.txt");
    ASSERT_TRUE(ulozeni.ok) << ulozeni.message;
    EXPECT_EQ(ulozeni.result.counter, 3);

    const CoordinateLoadReport nacteni = p.Nacti({dir / "b.txt"});
    ASSERT_TRUE(nacteni.AllLoaded()) << nacteni.files.front().message;
    ASSERT_EQ(p.body.Pocet(), 3);
    // Four decimals in the file unit: within half a unit of the last decimal.
    const Real tolerance = (jednotka == jednotka::kStopa ? 0.3048L : 1.0L) * 0.5e-4L;
    for (int i = 0; i < 3; ++i) {
        const Tbod& b = p.body.bod[i];
        const Tbod& o = puvodni.bod[i];
        EXPECT_EQ(b.cislo, o.cislo);
        EXPECT_NEAR(b.X, o.X, tolerance) << i;
        EXPECT_NEAR(b.Y, o.Y, tolerance) << i;
        EXPECT_NEAR(b.Z, o.Z, tolerance) << i;
        EXPECT_EQ(b.Presnost().sig_X, -1);
        EXPECT_TRUE(b.JeFixni);
        EXPECT_EQ(b.fixniOsy, i == 0 ? FixniOsy::Poloha : FixniOsy::Vse);
    }
}

INSTANTIATE_TEST_SUITE_P(FormatsAndUnits, CoordinateFileRoundTrip,
                         ::testing::Combine(::testing::Values(kFormatXYZ, kFormatYXZ),
                                            ::testing::Values(jednotka::kMetr, jednotka::kStopa)));

TEST(CoordinateFileSave, WritesTheOrderOfTheFormatWithCrLf) {
    TempDir dir;
    Tnastaveni n = Nastaveni();
    n.souborVystup.typSouradnice = kFormatYXZ;
    const Tsouradnice s = Seznam({Plny("A", 1, 2, 3)});
    ASSERT_TRUE(UlozeniSouboru(s, n, dir / "a.txt").ok);
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "A 2.0000 1.0000 3.0000\r\n");
}

TEST(CoordinateFileSave, AnEmptyListGivesAnEmptyFileAndABlankPathCancels) {
    TempDir dir;
    const Tnastaveni n = Nastaveni();
    Tsouradnice s;
    s.PridejPrazdnyBod();
    ASSERT_TRUE(UlozeniSouboru(s, n, dir / "e.txt").ok);
    EXPECT_EQ(ReadBytes(dir / "e.txt"), "");

    const CoordinateSaveReport r = UlozeniSouboru(s, n, fs::path("  "));
    EXPECT_TRUE(r.cancelled);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.empty());
}

TEST(CoordinateFileSave, AFailingWriterLeavesTheFileAsItWas) {
    TempDir dir;
    const fs::path cil = dir / "keep.txt";
    WriteBytes(cil, "previous content\r\n");
    Tnastaveni n = Nastaveni();

    const Tsouradnice jmeno = Seznam({Plny("A", 1, 2, 3), Plny("B C", 1, 2, 3)});
    CoordinateSaveReport r = UlozeniSouboru(jmeno, n, cil);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.result.error, CoordinateFileError::UnwritableName);
    EXPECT_NE(r.message.find("keep.txt"), std::string::npos);
    EXPECT_NE(r.message.find("line 2"), std::string::npos);
    EXPECT_EQ(ReadBytes(cil), "previous content\r\n");

    // Valid in metres, but not in feet once divided by 0.3048.
    n.jednotky.souradnice = jednotka::kStopa;
    r = UlozeniSouboru(Seznam({Plny("A", 9e11L, 0, 0)}), n, cil);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.result.error, CoordinateFileError::UnwritableValue);
    EXPECT_EQ(ReadBytes(cil), "previous content\r\n");

    Tsouradnice meritko = Seznam({Meritko("M", 1e12L)});
    r = UlozeniSouboruMeritko(meritko, n, cil);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(ReadBytes(cil), "previous content\r\n");
}

TEST(CoordinateFileSave, AFolderAsTargetIsReportedNotSaved) {
    TempDir dir;
    fs::create_directory(dir / "sub");
    const CoordinateSaveReport r =
        UlozeniSouboru(Seznam({Plny("A", 1, 2, 3)}), Nastaveni(), dir / "sub");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.result.error, CoordinateFileError::CannotSave);
    EXPECT_FALSE(r.message.empty());
    EXPECT_TRUE(fs::is_directory(dir / "sub"));
}

TEST(CoordinateFileLoad, ARejectedFileIsRegisteredAddsNoPointAndNamesItsLine) {
    TempDir dir;
    WriteBytes(dir / "good.txt", "A 1 2 3\r\n");
    WriteBytes(dir / "bad.txt", "B 1 2 3\r\n\r\nC 1 2\r\nD 1 2 3\r\n");
    WriteBytes(dir / "after.txt", "E 4 5 6\n");
    Prostredi p;
    p.body.PridejPrazdnyBod();  // trailing empty records go before the new points

    const CoordinateLoadReport r = p.Nacti({dir / "good.txt", dir / "bad.txt", dir / "after.txt"});
    ASSERT_EQ(r.files.size(), 3u);
    EXPECT_FALSE(r.stopped);
    EXPECT_FALSE(r.AllLoaded());
    EXPECT_EQ(r.RegisteredFiles(), 3);

    const LoadedCoordinateFile& spatny = r.files[1];
    EXPECT_EQ(spatny.result.error, CoordinateFileError::WrongTokenCount);
    EXPECT_EQ(spatny.result.counter, 2);
    EXPECT_EQ(spatny.result.fileLine, 3);
    EXPECT_EQ(spatny.pointsAdded, 0);
    EXPECT_NE(spatny.message.find("bad.txt"), std::string::npos);
    EXPECT_NE(spatny.message.find("line 2 (line 3 of the file)"), std::string::npos);

    ASSERT_EQ(p.info.souborySouradniceFixni.size(), 3u);
    const info::Tsoubor& zaznam = p.info.souborySouradniceFixni[1];
    EXPECT_EQ(zaznam.ID, 2);
    EXPECT_EQ(zaznam.jmeno, "bad.txt");
    EXPECT_EQ(zaznam.pripona, ".txt");
    EXPECT_FALSE(zaznam.nacteni);
    EXPECT_EQ(zaznam.hlaseni, 2);
    EXPECT_TRUE(p.info.souborySouradniceFixni[0].nacteni);
    EXPECT_EQ(p.info.souborySouradniceFixni[0].hlaseni, 1);

    ASSERT_EQ(p.body.Pocet(), 2);
    EXPECT_EQ(p.body.bod[0].cislo, "A");
    EXPECT_EQ(p.body.bod[0].soubor, 1);
    EXPECT_EQ(p.body.bod[1].cislo, "E");
    EXPECT_EQ(p.body.bod[1].soubor, 3);
    EXPECT_EQ(p.body.bod[1].poradi, 2);
}

// The file is read line by line, never held: the points are those of the
// readers of a whole text to the bit, and a control character anywhere is
// found before a bad line above it, as those readers find it.
TEST(CoordinateFileLoad, ReadLineByLineTheFileGivesThePointsOfTheWholeTextReaders) {
    TempDir dir;
    const std::string text =
        "P1 1234.5678901 2345.678 345.1 0.003 0 0.01\r\n\r\nP2 0,1 1e-3 7 \r\n\tP3 1 2 3\n";
    WriteBytes(dir / "ident.txt", text);
    Prostredi p;
    p.nastaveni = Nastaveni(kBodyVstupIdenticke);
    p.nastaveni.souborVstup.typSouradnice = kFormatYXZ;
    p.nastaveni.jednotky.souradnice = 1;  // feet
    ASSERT_TRUE(p.Nacti({dir / "ident.txt"}).AllLoaded());

    std::vector<std::string> radky = {"P1 1234.5678901 2345.678 345.1 0.003 0 0.01", "",
                                      "P2 0,1 1e-3 7 ", "\tP3 1 2 3"};
    ASSERT_TRUE(ReadIdenticalPointFile(radky, p.nastaveni).ok);
    Tsouradnice ocekavane;
    ASSERT_TRUE(PridejBodySOdchylkami(ocekavane, radky, 1).ok);
    ASSERT_EQ(p.body.Pocet(), 3);
    for (int i = 0; i < 3; ++i) {
        const Tbod& a = p.body.bod[static_cast<size_t>(i)];
        const Tbod& b = ocekavane.bod[static_cast<size_t>(i)];
        EXPECT_EQ(a.cislo, b.cislo);
        EXPECT_EQ(a.poradi, i + 1);
        EXPECT_EQ(a.soubor, 1);
        for (const auto pole : {&Tbod::X, &Tbod::Y, &Tbod::Z, &Tbod::zkresleni})
            EXPECT_EQ(Real(a.*pole), Real(b.*pole)) << i;
        for (const auto pole : {&Tpresnost::sig_X, &Tpresnost::sig_Y, &Tpresnost::sig_Z})
            EXPECT_EQ(Real(a.Presnost().*pole), Real(b.Presnost().*pole)) << i;
    }

    WriteBytes(dir / "bad.txt", "A 1 2\r\nB 1 2 3\r\nC\x1b 1 2 3\r\n");
    Prostredi q;
    const CoordinateLoadReport r = q.Nacti({dir / "bad.txt"});
    ASSERT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.files[0].result.error, CoordinateFileError::ControlCharacter);
    EXPECT_EQ(r.files[0].result.counter, 3);
    EXPECT_EQ(q.body.Pocet(), 0);
}

TEST(CoordinateFileLoad, AFileThatCannotBeOpenedStopsTheCommand) {
    TempDir dir;
    WriteBytes(dir / "a.txt", "A 1 2 3\n");
    WriteBytes(dir / "c.txt", "C 1 2 3\n");
    Prostredi p;
    const CoordinateLoadReport r = p.Nacti({dir / "a.txt", dir / "missing.txt", dir / "c.txt"});
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(r.files.size(), 2u);
    EXPECT_EQ(r.files[1].id, 0);
    EXPECT_EQ(r.files[1].result.error, CoordinateFileError::CannotOpen);
    EXPECT_NE(r.files[1].message.find("missing.txt"), std::string::npos);
    EXPECT_EQ(p.info.souborySouradniceFixni.size(), 1u);
    ASSERT_EQ(p.body.Pocet(), 1);  // the file before it stays loaded
}

TEST(CoordinateFileLoad, ReadsUtf8WithAndWithoutMarkAndWindows1250) {
    TempDir dir;
    WriteBytes(dir / "bom.txt",
               "\xEF\xBB\xBF"
               "Bod\xC4\x8D"
               "1 1 2 3\r\n");
    WriteBytes(dir / "utf8.txt",
               "Bod\xC4\x8D"
               "2 1 2 3\n");
    WriteBytes(dir / "cp1250.txt",
               "Bod\xE8"
               "3 1 2 3\r\n");
    Prostredi p;
    const CoordinateLoadReport r = p.Nacti({dir / "bom.txt", dir / "utf8.txt", dir / "cp1250.txt"});
    ASSERT_TRUE(r.AllLoaded());
    ASSERT_EQ(p.body.Pocet(), 3);
    EXPECT_EQ(p.body.bod[0].cislo,
              "Bod\xC4\x8D"
              "1");
    EXPECT_EQ(p.body.bod[1].cislo,
              "Bod\xC4\x8D"
              "2");
    EXPECT_EQ(p.body.bod[2].cislo,
              "Bod\xC4\x8D"
              "3");
}

TEST(CoordinateFileLoad, IdenticalPointsGoToTheirOwnFileListUnfixed) {
    TempDir dir;
    WriteBytes(dir / "i.txt", "A 1 2 3\nB 1 2 3\n");
    Prostredi p;
    p.nastaveni.okno.bodyVstup = kBodyVstupIdenticke;
    ASSERT_TRUE(p.Nacti({dir / "i.txt"}).AllLoaded());
    EXPECT_TRUE(p.info.souborySouradniceFixni.empty());
    ASSERT_EQ(p.info.souborySouradniceTransformaceVstup.size(), 1u);
    ASSERT_EQ(p.body.Pocet(), 2);
    EXPECT_FALSE(p.body.bod[0].JeFixni);
    // Coincident identical points are flagged but do not count against the list.
    EXPECT_TRUE(p.body.bod[0].kontrola[2]);
    EXPECT_EQ(p.chyby.souradniceTransformaceVstupPocetChyb.Y, 2);
    EXPECT_EQ(p.chyby.souradniceTransformaceVstupCekovyPocetChyb, 0);
}

TEST(CoordinateFileLoad, TheListIsCheckedAfterLoading) {
    TempDir dir;
    WriteBytes(dir / "a.txt", "A 1 2 3\n");
    WriteBytes(dir / "b.txt", "A 4 5 6\n");
    Prostredi p;
    ASSERT_TRUE(p.Nacti({dir / "a.txt", dir / "b.txt"}).AllLoaded());
    EXPECT_EQ(p.chyby.souradniceFixniPocetChyb.X, 2);
    EXPECT_EQ(p.chyby.souradniceFixniCekovyPocetChyb, 2);
    EXPECT_TRUE(p.body.bod[1].kontrola[0]);
}

TEST(CoordinateFileLoad, AnUnknownTargetListDoesNothing) {
    TempDir dir;
    WriteBytes(dir / "a.txt", "A 1 2 3\n");
    Prostredi p;
    p.nastaveni.okno.bodyVstup = 0;
    const CoordinateLoadReport r = p.Nacti({dir / "a.txt"});
    EXPECT_TRUE(r.files.empty());
    EXPECT_EQ(p.body.Pocet(), 0);
    EXPECT_TRUE(p.info.souborySouradniceFixni.empty());
}

TEST(ScaleFactorFile, RoundTripsAndIsCheckedAfterLoading) {
    TempDir dir;
    Tnastaveni n = Nastaveni();
    const Tsouradnice puvodni =
        Seznam({Meritko("M1", 1.0000213L), Meritko("M2", 0.99987654321L), Meritko("M3", 1.5)});
    ASSERT_TRUE(UlozeniSouboruMeritko(puvodni, n, dir / "m.txt").ok);
    EXPECT_EQ(ReadBytes(dir / "m.txt"), "M1 1.00002130\r\nM2 0.99987654\r\nM3 1.50000000\r\n");

    Tsouradnice meritko;
    Tinfo info;
    Tchyby chyby;
    const CoordinateLoadReport r = NacteniSouboruMeritko(meritko, info, n, {dir / "m.txt"}, chyby);
    ASSERT_TRUE(r.AllLoaded());
    ASSERT_EQ(meritko.Pocet(), 3);
    EXPECT_EQ(meritko.bod[0].zkresleni, Real(1.0000213L));
    EXPECT_NEAR(meritko.bod[1].zkresleni, 0.99987654321L, 0.5e-8L);
    EXPECT_TRUE(meritko.bod[2].JeFixni);
    EXPECT_EQ(meritko.bod[2].soubor, 1);
    ASSERT_EQ(info.souborySouradniceMeritkoVstup.size(), 1u);
    EXPECT_EQ(info.souborySouradniceMeritkoVstup[0].hlaseni, 3);
    // 1.5 lies outside (0.7, 1.3).
    EXPECT_TRUE(meritko.bod[2].kontrola[1]);
    EXPECT_EQ(chyby.souradniceMeritkoCekovyPocetChyb, 1);
}

TEST(ScaleFactorFile, ARejectedFileAddsNothing) {
    TempDir dir;
    WriteBytes(dir / "m.txt", "M1 1.0\nM2 1e12\n");
    Tsouradnice meritko;
    Tinfo info;
    Tchyby chyby;
    const CoordinateLoadReport r =
        NacteniSouboruMeritko(meritko, info, Nastaveni(), {dir / "m.txt"}, chyby);
    ASSERT_EQ(r.files.size(), 1u);
    EXPECT_EQ(r.files[0].result.error, CoordinateFileError::NumberOutOfRange);
    EXPECT_EQ(r.files[0].result.counter, 2);
    EXPECT_EQ(meritko.Pocet(), 0);
    ASSERT_EQ(info.souborySouradniceMeritkoVstup.size(), 1u);
    EXPECT_FALSE(info.souborySouradniceMeritkoVstup[0].nacteni);
}

TEST(CoordinateFileLocale, NumbersKeepThePointUnderADecimalCommaLocale) {
    test::LocaleGuard locale("cs_CZ.UTF-8");
    ASSERT_TRUE(locale.Active());
    TempDir dir;
    Prostredi p;
    ASSERT_TRUE(UlozeniSouboru(Seznam({Plny("A", 1.5, 2.25, -3)}), p.nastaveni, dir / "l.txt").ok);
    EXPECT_EQ(ReadBytes(dir / "l.txt"), "A 1.5000 2.2500 -3.0000\r\n");
    ASSERT_TRUE(p.Nacti({dir / "l.txt"}).AllLoaded());
    EXPECT_EQ(p.body.bod[0].Y, Real(2.25L));
}

}  // namespace
}  // namespace vertano
