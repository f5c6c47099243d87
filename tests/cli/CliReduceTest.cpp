#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "CliTestSupport.h"
#include "Options.h"
#include "adjustment/PriblizneSouradnice.h"
#include "data/SouradniceKontrola.h"
#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "files/SouradniceSoubory.h"
#include "files/SurovaMereniSoubory.h"
#include "matice/Konstanty.h"
#include "processing/KontrolaMereni.h"
#include "processing/Polohy.h"
#include "processing/PrumerSkupin.h"
#include "processing/RedukceDelek.h"
#include "processing/SouradniceDlePoradi.h"

namespace vertano::cli {
namespace {

using test::Contains;
using test::Data;
using test::Outcome;
using test::RunCli;

// What the file holds, as the MTX reader of the program reads it (gon, metres).
Tmereni ReadBack(const std::filesystem::path& path) {
    Tnastaveni s;
    s.Default();
    Tinfo info;
    Tmereni m;
    const LoadedRawFile f = NactiSoubor(m, info, s, path, format::kMtx);
    EXPECT_TRUE(f.result.ok) << path << ": " << DescribeRawFailure(f.result);
    return m;
}

// The means as the library computes them from a raw file.
Tmereni LibraryMeans(const std::string& raw, bool faces) {
    Tnastaveni s;
    s.Default();
    Tchyby chyby;
    Tmereni m = ReadBack(raw);
    KontrolaVsehoMereni(m, s, chyby);
    Tmereni means;
    EXPECT_TRUE(ZpracujSkupinyPoloha(m, means, 2));
    if (!faces) {
        EXPECT_TRUE(PrumerSkupin(means));
    }
    return means;
}

// The same reduced to the marks and the level with the given points.
Tmereni LibraryReduced(const std::string& raw, const std::string& points) {
    Tnastaveni s;
    s.Default();
    s.okno.bodyVstup = kBodyVstupFixni;
    Tinfo info;
    Tchyby chyby;
    Tsouradnice given;
    NacteniSouboru(given, info, s, {points}, chyby);
    Tmereni means = LibraryMeans(raw, false);
    std::vector<std::string> names;
    means.PoradiBoduPriradit(names);
    VypocetPriblizneSouradnice(given, means, names);
    const Tsouradnice byOrder = SouradniceDlePoradiBodu(names, given);
    VysledekRedukce result;
    EXPECT_TRUE(RedukovatDelky(means, byOrder, Tsouradnice{}, s, result));
    return means;
}

// Row by row within the rounding of the file: 5 decimals of gon, 4 of metres.
void ExpectSameRows(const Tmereni& written, const Tmereni& expected) {
    ASSERT_EQ(written.PocetPlnychZaznamu(), expected.PocetPlnychZaznamu());
    const Real angle = 0.51e-5L * kPi / 200;
    for (size_t i = 0; i < written.zaznam.size(); ++i) {
        const Tzaznam& a = written.zaznam[i];
        const Tzaznam& b = expected.zaznam[i];
        SCOPED_TRACE(b.cislo_stn + " -> " + b.cislo_cil);
        EXPECT_EQ(a.poradi, b.poradi);
        EXPECT_EQ(a.cislo_stn, b.cislo_stn);
        EXPECT_EQ(a.cislo_cil, b.cislo_cil);
        EXPECT_NEAR(a.vyska_cil, b.vyska_cil, 0.51e-4L);
        EXPECT_NEAR(a.smer, b.smer, angle);
        EXPECT_NEAR(a.zenit, b.zenit, angle);
        EXPECT_NEAR(a.delka, b.delka, 0.51e-4L);
    }
}

const Tzaznam* Row(const Tmereni& m, const std::string& from, const std::string& to) {
    for (const Tzaznam& z : m.zaznam)
        if (z.cislo_stn == from && z.cislo_cil == to) return &z;
    return nullptr;
}

Real Gon(Real rad) {
    return rad * 200 / kPi;
}

TEST(CliReduce, SetMeansAreWrittenAsTheLibraryComputesThem) {
    vertano::test::TempDir dir;
    const auto out = dir / "means.mtx";
    const Outcome r = RunCli({"reduce", Data("net.mtx"), "-o", out.string()});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    EXPECT_TRUE(Contains(r.out, "Mean of measurement sets: Number of measurements: 7\n"));
    EXPECT_TRUE(Contains(r.out, "Wrote 7 measurements to "));
    const Tmereni written = ReadBack(out);
    ExpectSameRows(written, LibraryMeans(Data("net.mtx"), false));

    // And they are the right numbers: the data were made from known coordinates
    // with station 4001 oriented at 37.1234 gon and noise below 1 mgon and 2 mm.
    const Tzaznam* z = Row(written, "4001", "4002");
    ASSERT_NE(z, nullptr);
    const Real dx = 12.345L, dy = 187.654L, dh = 252.310L + 1.5L - 250 - 1.562L;
    const Real bearing = Gon(std::atan2(dy, dx));
    EXPECT_NEAR(Gon(z->smer), bearing - 37.1234L, 0.001L);
    EXPECT_NEAR(Gon(z->zenit), Gon(std::atan2(std::hypot(dx, dy), dh)), 0.001L);
    EXPECT_NEAR(z->delka, std::sqrt(dx * dx + dy * dy + dh * dh), 0.002L);
    // A pointing without a distance keeps none.
    ASSERT_NE(Row(written, "4001", "9001"), nullptr);
    EXPECT_EQ(Row(written, "4001", "9001")->delka, 0);
}

TEST(CliReduce, FaceMeansKeepOneRowPerFacePair) {
    vertano::test::TempDir dir;
    const auto out = dir / "faces.mtx";
    const Outcome r = RunCli({"reduce", "--faces", Data("net.mtx"), "-o", out.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Mean of positions: Number of measurements: 14\n"));
    ExpectSameRows(ReadBack(out), LibraryMeans(Data("net.mtx"), true));
}

TEST(CliReduce, WithPointsDistancesAreReducedAndUnknownPointsLeftOut) {
    vertano::test::TempDir dir;
    const auto out = dir / "reduced.mtx";
    const Outcome r =
        RunCli({"reduce", Data("net.mtx"), "--points", Data("points.txt"), "-o", out.string()});
    ASSERT_EQ(r.status, kExitOk) << r.out << r.err;
    // 4004 is not given but follows from the oriented stations; 9001 has only
    // directions from one station and cannot be placed.
    EXPECT_TRUE(Contains(r.out, "Points without coordinates: 9001\n"));
    EXPECT_TRUE(Contains(r.out, "Zero level: "));
    EXPECT_TRUE(Contains(r.out, "Distance reduction: Number of measurements: 6\n"));
    EXPECT_TRUE(Contains(r.out, "Left out (a point without coordinates): 1\n"));
    const Tmereni written = ReadBack(out);
    ExpectSameRows(written, LibraryReduced(Data("net.mtx"), Data("points.txt")));

    // Mark to mark, scaled to the zero level: about the distance of the marks in
    // the coordinates times R / (R + mean height).
    const Tzaznam* z = Row(written, "4001", "4002");
    ASSERT_NE(z, nullptr);
    const Real marks = std::sqrt(12.345L * 12.345L + 187.654L * 187.654L + 2.31L * 2.31L);
    EXPECT_NEAR(z->delka, marks * 6380000 / (6380000 + 251.155L), 0.005L);
    EXPECT_EQ(Row(written, "4001", "9001"), nullptr);
}

TEST(CliReduce, LevelAndCoordinateUnitAndYxzApply) {
    vertano::test::TempDir dir;
    const auto zero = dir / "zero.mtx";
    const auto high = dir / "high.mtx";
    const auto yxz = dir / "yxz.mtx";
    ASSERT_EQ(
        RunCli({"reduce", Data("net.mtx"), "--points", Data("points.txt"), "-o", zero.string()})
            .status,
        kExitOk);
    // 1000 ft above the zero level, with the points in feet too.
    const Outcome r = RunCli({"reduce", Data("net.mtx"), "--points", Data("points_ft.txt"),
                              "--coord-unit", "ft", "--level", "1000", "-o", high.string()});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_TRUE(Contains(r.out, "Level at an altitude of: 1000.0000 ft\n"));
    const Tmereni a = ReadBack(zero);
    const Tmereni b = ReadBack(high);
    ASSERT_EQ(a.zaznam.size(), b.zaznam.size());
    for (size_t i = 0; i < a.zaznam.size(); ++i) {
        EXPECT_NEAR(b.zaznam[i].delka, a.zaznam[i].delka * (1 + 304.8L / 6380000), 1.1e-4L);
        EXPECT_NEAR(b.zaznam[i].zenit, a.zaznam[i].zenit, 1e-7L);
    }
    // The same points written Y before X give the same file.
    ASSERT_EQ(RunCli({"reduce", Data("net.mtx"), "--yxz", "--points", Data("points_yxz.txt"), "-o",
                      yxz.string()})
                  .status,
              kExitOk);
    EXPECT_EQ(vertano::test::ReadBytes(yxz), vertano::test::ReadBytes(zero));
    const Outcome mean = RunCli({"reduce", Data("net.mtx"), "--points", Data("points.txt"),
                                 "--level", "mean", "-o", (dir / "m.mtx").string()});
    // Lowest and highest of 4001-4004 (4004 computed): 248.775 and 252.310.
    EXPECT_TRUE(Contains(mean.out, "Mean level of geodetic network (minimal reduction): 250.54"))
        << mean.out;
}

TEST(CliReduce, RefusesFaultyInputsAndWritesNothing) {
    vertano::test::TempDir dir;
    const auto out = dir / "out.mtx";
    // Duplicate points: a look-up by number could take either of them.
    Outcome r = RunCli({"reduce", Data("net.mtx"), "--points", Data("points.txt"), "--points",
                        Data("points_bad.txt"), "-o", out.string()});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.err, "Fixed points error"));
    EXPECT_TRUE(Contains(r.err, "nothing written"));
    r = RunCli({"reduce", Data("net.mtx"), "--points", Data("points.txt"), "--scale",
                Data("scale_bad.txt"), "-o", out.string()});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.err, "Scale factor error"));
    // No set at all.
    r = RunCli({"reduce", Data("oneface.mtx"), "-o", out.string()});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.err, "no measurement set"));
    EXPECT_FALSE(std::filesystem::exists(out));

    // A rejected raw file: the old output stays as it was.
    vertano::test::WriteBytes(out, "old");
    vertano::test::WriteBytes(dir / "bad.mtx", "1 A 1 B\n");
    r = RunCli({"reduce", Data("net.mtx"), (dir / "bad.mtx").string(), "-o", out.string()});
    EXPECT_EQ(r.status, kExitRejected);
    EXPECT_EQ(vertano::test::ReadBytes(out), "old");
}

TEST(CliReduce, RowsLeftOutOfTheMeansAreReported) {
    vertano::test::TempDir dir;
    const auto out = dir / "out.mtx";
    Outcome r = RunCli({"reduce", Data("stray.mtx"), "-o", out.string()});
    EXPECT_EQ(r.status, kExitChecksFailed);
    EXPECT_TRUE(Contains(r.err, "left out of the means: 1\n")) << r.err;
    EXPECT_EQ(ReadBack(out).PocetPlnychZaznamu(), 2);
    // Deleting them first is a clean run.
    r = RunCli({"reduce", "--drop-unassigned", "--yes", Data("stray.mtx"), "-o", out.string()});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    // Simultaneous order is arranged before the means.
    r = RunCli({"reduce", "--order", "simultaneous", Data("simul.mtx"), "-o", out.string()});
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(ReadBack(out).PocetPlnychZaznamu(), 3);
}

}  // namespace
}  // namespace vertano::cli
