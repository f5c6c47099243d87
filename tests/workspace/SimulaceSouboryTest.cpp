#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/DoplnekFormaty.h"
#include "files/SouradniceFormaty.h"
#include "matice/Konstanty.h"
#include "mereni/TextovySoubor.h"
#include "supplementary/DoplnekDruh.h"
#include "support/TestSupport.h"
#include "workspace/Simulace.h"
#include "workspace/SimulaceSoubory.h"

namespace vertano {
namespace {

using test::ReadBytes;
using test::TempDir;

SimulovanaSit Sit(SimulaceParametry p) {
    SimulovanaSit sit;
    std::string chyba;
    EXPECT_TRUE(Simulovat(p, sit, chyba)) << chyba;
    return sit;
}

std::vector<std::string> Radky(const std::filesystem::path& cesta) {
    TextFile f;
    EXPECT_TRUE(ReadTextFile(cesta, f).Ok()) << cesta;
    return f.lines;
}

TEST(SimulaceSoubory, WritesEveryFileUnderThePrefix) {
    SimulaceParametry p;
    p.doplnky = true;
    const SimulovanaSit sit = Sit(p);
    const TempDir dir;
    const SimulaceUlozeni u = UlozitSimulaci(sit, SimulaceFormat{}, dir / "n");
    ASSERT_TRUE(u.ok) << u.message;
    const std::vector<std::string> konce = {".mtx",
                                            "-given.txt",
                                            "-truth.txt",
                                            "-gross.txt",
                                            "-supp-bearing.txt",
                                            "-supp-distance.txt",
                                            "-supp-height.txt",
                                            "-supp-plumb.txt"};
    ASSERT_EQ(u.soubory.size(), konce.size());
    for (size_t i = 0; i < konce.size(); ++i) EXPECT_EQ(u.soubory[i], dir / ("n" + konce[i]));
    EXPECT_EQ(Radky(dir / "n-truth.txt").size(), 13u);
    EXPECT_EQ(Radky(dir / "n-given.txt").size(), 3u);
    EXPECT_EQ(Radky(dir / "n-supp-plumb.txt").size(), 1u);
    // Without supplementary measurements no such file is written.
    const SimulaceUlozeni bez = UlozitSimulaci(Sit({}), SimulaceFormat{}, dir / "m");
    EXPECT_EQ(bez.soubory.size(), 4u);
    EXPECT_FALSE(std::filesystem::exists(dir / "m-supp-plumb.txt"));
}

TEST(SimulaceSoubory, FilesReadBackAsGenerated) {
    SimulaceParametry p;
    p.doplnky = true;
    const SimulovanaSit sit = Sit(p);
    const TempDir dir;
    SimulaceFormat f;
    f.format = format::kAsc;
    f.uhel = jednotka::kRadian;
    f.delka = jednotka::kStopa;
    ASSERT_TRUE(UlozitSimulaci(sit, f, dir / "n").ok);
    const Tnastaveni n = NastaveniSimulace(f);
    Tmereni mereni;
    ASSERT_TRUE(ReadRaw(format::kAsc, Radky(dir / "n.asc"), n, mereni).ok);
    ASSERT_EQ(mereni.zaznam.size(), sit.mereni.zaznam.size());
    for (size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& a = mereni.zaznam[i];
        const Tzaznam& b = sit.mereni.zaznam[i];
        EXPECT_EQ(a.poradi, b.poradi);
        EXPECT_EQ(a.cislo_cil, b.cislo_cil);
        EXPECT_NEAR(a.smer, b.smer, 0.51e-8);
        EXPECT_NEAR(a.delka, b.delka, 0.51e-4 * 0.3048);
        EXPECT_NEAR(a.vyska_stn, b.vyska_stn, 0.51e-4 * 0.3048);
    }
    Tmereni prevyseni;
    ASSERT_TRUE(
        ReadSupplementary(DruhDoplnku::Prevyseni, Radky(dir / "n-supp-height.txt"), n, prevyseni)
            .ok);
    ASSERT_EQ(prevyseni.zaznam.size(), sit.doplnek.prevyseni.zaznam.size());
    EXPECT_NEAR(prevyseni.zaznam[0].delka, sit.doplnek.prevyseni.zaznam[0].delka, 0.51e-4 * 0.3048);
}

TEST(SimulaceSoubory, DirectionJustBelowTheFullCircleIsWrittenAsZero) {
    SimulovanaSit sit = Sit({});
    sit.mereni.zaznam[0].smer = kDvePi - 1e-10L;
    sit.mereni.zaznam[1].smer = kDvePi - 1e-6L;
    const TempDir dir;
    ASSERT_TRUE(UlozitSimulaci(sit, SimulaceFormat{}, dir / "n").ok);
    Tmereni mereni;
    ASSERT_TRUE(ReadRaw(format::kMtx, Radky(dir / "n.mtx"), NastaveniSimulace({}), mereni).ok);
    EXPECT_EQ(mereni.zaznam[0].smer, 0);
    EXPECT_NEAR(mereni.zaznam[1].smer, kDvePi - 1e-6L, 1e-7);
    // The network itself keeps its value.
    EXPECT_EQ(sit.mereni.zaznam[0].smer, kDvePi - 1e-10L);
}

TEST(SimulaceSoubory, GrossErrorsAreListedInMgonAndMm) {
    const std::vector<HrubaChyba> chyby = {
        {3, "4003", "4007", 2, false, HrubaVelicina::Smer, -50 * kPi / 200000},
        {4, "4004", "4001", 1, true, HrubaVelicina::Delka, 0.025L}};
    const std::vector<std::string> radky = RadkyHrubychChyb(chyby);
    ASSERT_EQ(radky.size(), 3u);
    EXPECT_EQ(radky[0], "station number\tstation\ttarget\tset\tface\tquantity\terror\tunit");
    EXPECT_EQ(radky[1], "3\t4003\t4007\t2\tII\tdirection\t-50.000\tmgon");
    EXPECT_EQ(radky[2], "4\t4004\t4001\t1\tI\tdistance\t25.000\tmm");
}

TEST(SimulaceSoubory, BadPrefixOrFolderWritesNothingAndSaysWhy) {
    const SimulovanaSit sit = Sit({});
    const TempDir dir;
    SimulaceUlozeni u = UlozitSimulaci(sit, SimulaceFormat{}, dir.Path() / "");
    EXPECT_FALSE(u.ok);
    EXPECT_NE(u.message.find("prefix"), std::string::npos) << u.message;
    u = UlozitSimulaci(sit, SimulaceFormat{}, dir / "none" / "n");
    EXPECT_FALSE(u.ok);
    EXPECT_TRUE(u.soubory.empty());
    EXPECT_NE(u.message.find("n.mtx"), std::string::npos) << u.message;
    SimulaceFormat jiny;
    jiny.format = 7;
    EXPECT_FALSE(UlozitSimulaci(sit, jiny, dir / "n").ok);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

}  // namespace
}  // namespace vertano
