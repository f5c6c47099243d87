#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tjazyk.h"
#include "files/DoplnekSoubory.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/DoplnekTestPomocne.h"
#include "supplementary/TdoplnkoveMereni.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

namespace fs = std::filesystem;
using test::Doplnek;
using test::ReadBytes;
using test::TempDir;
using test::VychoziNastaveni;
using test::WriteBytes;

struct Prostredi {
    TempDir dir;
    TdoplnkoveMereni doplnek;
    Tinfo info;
    Tchyby chyby;
    Tnastaveni nastaveni = VychoziNastaveni();

    SupplementaryLoadReport Nacti(DruhDoplnku druh, const std::vector<fs::path>& cesty) {
        return NacteniSouboruDoplnek(doplnek, druh, info, nastaveni, chyby, cesty);
    }
};

TEST(SupplementaryFiles, LoadedFilesAreRegisteredAndAppendedAfterTheLastFilledRow) {
    Prostredi p;
    p.nastaveni.souborVstup.typDoplnek = 0;
    p.doplnek.prevyseni.PridejZaznam(Doplnek(1, "X", "Y", 3));
    p.doplnek.prevyseni.PridejPrazdnyZaznam();
    WriteBytes(p.dir / "a.txt", "\r\nA B 1,5\r\nB C -2\r\n");
    WriteBytes(p.dir / "bad.txt", "A B 1\nB C\n");
    WriteBytes(p.dir / "c.TXT", "C C 0.5\n");
    const SupplementaryLoadReport r =
        p.Nacti(DruhDoplnku::Prevyseni, {p.dir / "a.txt", p.dir / "bad.txt", p.dir / "c.TXT"});

    ASSERT_EQ(r.files.size(), 3u);
    EXPECT_FALSE(r.stopped);
    EXPECT_EQ(r.RegisteredFiles(), 3);
    EXPECT_EQ(r.LoadedFiles(), 2);
    EXPECT_EQ(r.RowsAdded(), 3);
    EXPECT_FALSE(r.AllLoaded());
    EXPECT_EQ(r.files[1].result.counter, 2);
    EXPECT_NE(r.files[1].message.find("bad.txt: line 2: wrong number of values"),
              std::string::npos);

    const info::Tsoubory& soubory = p.info.souboryDoplnekPrevyseni;
    ASSERT_EQ(soubory.size(), 3u);
    EXPECT_EQ(soubory[0].ID, 1);
    EXPECT_EQ(soubory[0].jmeno, "a.txt");
    EXPECT_EQ(soubory[0].pripona, ".txt");
    EXPECT_TRUE(soubory[0].nacteni);
    EXPECT_EQ(soubory[0].hlaseni, 2);
    EXPECT_FALSE(soubory[1].nacteni);
    EXPECT_EQ(soubory[1].hlaseni, 2);
    EXPECT_EQ(soubory[2].ID, 3);
    EXPECT_TRUE(p.info.souboryDoplnekSmernik.empty());

    const Tmereni& m = p.doplnek.prevyseni;
    ASSERT_EQ(m.zaznam.size(), 4u);  // the trailing empty row went, the bad file added nothing
    EXPECT_EQ(m.zaznam[1].cislo_stn, "A");
    EXPECT_EQ(m.zaznam[1].delka, 1.5L);
    EXPECT_EQ(m.zaznam[1].poradi, 1);
    EXPECT_EQ(m.zaznam[1].soubor, 1);
    EXPECT_EQ(m.zaznam[3].soubor, 3);
    // The list is checked afterwards: "C C" names one point twice.
    EXPECT_EQ(m.kontrola[0], 1);
    EXPECT_EQ(p.chyby.doplnekPrevyseniCekovyPocetChyb, 1);
}

TEST(SupplementaryFiles, AFileThatCannotBeOpenedStopsTheCommandUnregistered) {
    Prostredi p;
    WriteBytes(p.dir / "a.txt", "A B\n");
    WriteBytes(p.dir / "c.txt", "C D\n");
    const SupplementaryLoadReport r =
        p.Nacti(DruhDoplnku::Provazeni, {p.dir / "a.txt", p.dir / "missing.txt", p.dir / "c.txt"});
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(r.files.size(), 2u);
    EXPECT_EQ(r.files[1].result.error, SupplementaryFileError::CannotOpen);
    EXPECT_EQ(r.files[1].id, 0);
    EXPECT_EQ(p.info.souboryDoplnekProvazeni.size(), 1u);
    EXPECT_EQ(p.doplnek.provazeni.zaznam.size(), 1u);
}

TEST(SupplementaryFiles, TheAddNoticeCarriesTheCounts) {
    Prostredi p;
    WriteBytes(p.dir / "a.txt", "S 1.5 T 1.6 100\nS 1.5 U 1.6 200\n");
    WriteBytes(p.dir / "b.txt", "S 1.5 T 1.6\n");
    const SupplementaryLoadReport r =
        p.Nacti(DruhDoplnku::Delka, {p.dir / "a.txt", p.dir / "b.txt"});
    p.nastaveni.typJazyk = 1;
    Tjazyk jazyk;
    jazyk.Default(p.nastaveni);
    const jazyk::Toznameni o = OznameniPridaniDoplnku(r, jazyk);
    EXPECT_EQ(o.nadpis, "Add measurements");
    EXPECT_EQ(o.text, "Added files: 1/2 (Number of measurements: 2)");
    p.nastaveni.typJazyk = 0;
    jazyk.Default(p.nastaveni);
    EXPECT_EQ(OznameniPridaniDoplnku(r, jazyk).nadpis, "Přidat měření");
}

TEST(SupplementaryFiles, SavedListLoadsBackFromDisk) {
    Prostredi p;
    p.nastaveni.jednotky.uhel = 3;
    p.doplnek.smernik.PridejZaznam(Doplnek(1, "A", "B", 1.25L));
    p.doplnek.smernik.PridejPrazdnyZaznam();
    p.doplnek.smernik.PridejZaznam(Doplnek(3, "B", "Č1", 4.5L));
    const fs::path cesta = p.dir / "smerniky.txt";
    const SupplementarySaveReport s =
        UlozeniSouboruDoplnek(p.doplnek, DruhDoplnku::Smernik, p.nastaveni, cesta);
    ASSERT_TRUE(s.ok) << s.message;
    EXPECT_EQ(s.result.counter, 2);
    EXPECT_EQ(ReadBytes(cesta), "A B 71.37110\r\nB Č1 257.49516\r\n");

    TdoplnkoveMereni zpet;
    ASSERT_TRUE(
        NacteniSouboruDoplnek(zpet, DruhDoplnku::Smernik, p.info, p.nastaveni, p.chyby, {cesta})
            .AllLoaded());
    ASSERT_EQ(zpet.smernik.zaznam.size(), 2u);
    EXPECT_EQ(zpet.smernik.zaznam[1].cislo_cil, "Č1");
    EXPECT_NEAR(zpet.smernik.zaznam[1].delka, 4.5L, 0.05L / 3600 * 3.1415926535L / 180);
}

TEST(SupplementaryFiles, AFailedSaveLeavesTheFileAsItWas) {
    Prostredi p;
    const fs::path cesta = p.dir / "d.txt";
    WriteBytes(cesta, "old\r\n");
    p.doplnek.delka.PridejZaznam(Doplnek(1, "S", "T", 100));
    p.doplnek.delka.PridejZaznam(Doplnek(2, "S T", "U", 100));
    const SupplementarySaveReport s =
        UlozeniSouboruDoplnek(p.doplnek, DruhDoplnku::Delka, p.nastaveni, cesta);
    EXPECT_FALSE(s.ok);
    EXPECT_EQ(s.result.error, SupplementaryFileError::UnwritableName);
    EXPECT_NE(s.message.find("the file was not changed"), std::string::npos);
    EXPECT_EQ(ReadBytes(cesta), "old\r\n");
    EXPECT_TRUE(UlozeniSouboruDoplnek(p.doplnek, DruhDoplnku::Delka, p.nastaveni, "  ").cancelled);
}

}  // namespace
}  // namespace vertano
