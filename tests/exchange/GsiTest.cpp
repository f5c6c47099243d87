#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/Tnastaveni.h"
#include "exchange/Gsi.h"
#include "files/MtxFormat.h"
#include "mereni/Text.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"

namespace vertano::exchange {
namespace {

// A word as the public description of the format lays it out: index, three
// characters of information, the unit, the sign and the value with leading zeros.
std::string Slovo(const std::string& wi, char unit, long long value, bool gsi16) {
    const size_t digits = gsi16 ? 16 : 8;
    std::string v = std::to_string(value < 0 ? -value : value);
    v = std::string(digits - v.size(), '0') + v;
    return wi + "..0" + std::string(1, unit) + (value < 0 ? "-" : "+") + v;
}

std::string Bod(const std::string& wi, const std::string& name, bool gsi16) {
    const size_t digits = gsi16 ? 16 : 8;
    return wi + "0001+" + std::string(digits - name.size(), '0') + name;
}

std::string Blok(const std::vector<std::string>& words, bool gsi16) {
    std::string line = gsi16 ? "*" : "";
    for (const std::string& w : words) line += w + " ";
    return line;
}

// The same two stations as MTX_TEXT: 4001 (instrument height 1.562) sees 4002
// and 4003 in two faces; 4002 (1.5) sees 4001 and 4003.
const char* const kMtx =
    "1 4001 1.562 4002 1.500 58.69400 99.23840 188.0730\n"
    "1 4001 1.562 4003 1.500 112.45670 101.00100 95.1230\n"
    "1 4001 1.562 4003 1.500 312.45690 298.99880 95.1240\n"
    "1 4001 1.562 4002 1.500 258.69380 300.76180 188.0720\n"
    "2 4002 1.500 4001 1.620 10.00000 100.76000 188.0740\n"
    "2 4002 1.500 4003 1.620 80.50000 101.50000 0\n"
    "2 4002 1.500 4003 1.620 280.50020 298.50010 0\n"
    "2 4002 1.500 4001 1.620 210.00010 299.24010 188.0750\n";

// The file above in GSI, angles in gon (unit 2) or, for the second station,
// in degrees (3) and degrees-minutes-seconds (4); lengths in mm (0), 0.1 mm (6)
// and feet (1) where a value allows it exactly enough.
std::string GsiSoubor(bool gsi16) {
    std::vector<std::string> lines;
    const auto station = [&](const std::string& name, long long mm) {
        lines.push_back(Blok({Bod("11", name, gsi16), Slovo("88", '0', mm, gsi16)}, gsi16));
    };
    const auto target = [&](const std::string& name, char au, long long hz, long long v, char lu,
                            long long d, long long th) {
        std::vector<std::string> w = {Bod("11", name, gsi16), Slovo("21", au, hz, gsi16),
                                      Slovo("22", au, v, gsi16)};
        if (d != 0) w.push_back(Slovo("31", lu, d, gsi16));
        w.push_back(Slovo("87", lu, th, gsi16));
        lines.push_back(Blok(w, gsi16));
    };
    lines.push_back(Blok({"410001+" + std::string(gsi16 ? 16 : 8, '7')}, gsi16));  // a code
    station("4001", 1562);
    target("4002", '2', 5869400, 9923840, '0', 188073, 1500);
    target("4003", '2', 11245670, 10100100, '6', 951230, 15000);
    target("4003", '2', 31245690, 29899880, '0', 95124, 1500);
    target("4002", '2', 25869380, 30076180, '0', 188072, 1500);
    station("4002", 1500);
    // 10 gon = 9 deg; 100.76 gon = 90.684 deg; 80.5 gon = 72.45 deg = 72 27' 00".
    target("4001", '3', 900000, 9068400, '0', 188074, 1620);
    target("4003", '4', 7227000, 9121000, '0', 0, 1620);
    lines.push_back(Blok({Bod("11", "4003", gsi16), Slovo("21", '2', 28050020, gsi16),
                          Slovo("22", '2', 29850010, gsi16)},
                         gsi16));  // reflector height kept from before
    target("4001", '2', 21000010, 29924010, '0', 188075, 1620);
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    return text;
}

Tmereni Zkontrolovano(Tmereni m) {
    Tnastaveni s;
    s.Default();
    Tchyby chyby;
    IdentifikujSkupiny(m);
    KontrolaMereni(m, s, chyby, false);
    return m;
}

TEST(Gsi, ReadsTheRowsSetsAndChecksOfTheEquivalentMtxInBothWordLengths) {
    Tnastaveni s;
    s.Default();
    Tmereni mtx;
    ASSERT_TRUE(ReadMtxText(kMtx, s, mtx).ok);
    const Tmereni expected = Zkontrolovano(mtx);
    for (const bool gsi16 : {false, true}) {
        SCOPED_TRACE(gsi16 ? "GSI-16" : "GSI-8");
        Tmereni gsi;
        std::vector<Poznamka> notes;
        const FileResult r = ReadGsiText(GsiSoubor(gsi16), gsi, notes);
        ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
        EXPECT_EQ(r.counter, 8);
        ASSERT_EQ(notes.size(), 1u);  // the code block
        EXPECT_EQ(notes[0].fileLine, 1);
        const Tmereni got = Zkontrolovano(gsi);
        ASSERT_EQ(got.zaznam.size(), expected.zaznam.size());
        for (size_t i = 0; i < got.zaznam.size(); ++i) {
            const Tzaznam& a = expected.zaznam[i];
            const Tzaznam& b = got.zaznam[i];
            SCOPED_TRACE(i);
            EXPECT_EQ(a.poradi, b.poradi);
            EXPECT_EQ(a.cislo_stn, b.cislo_stn);
            EXPECT_EQ(a.cislo_cil, b.cislo_cil);
            EXPECT_EQ(a.skupina, b.skupina);
            EXPECT_EQ(a.poloha, b.poloha);
            EXPECT_EQ(a.kontrola, b.kontrola);
            EXPECT_NEAR(static_cast<double>(a.smer), static_cast<double>(b.smer), 1e-12);
            EXPECT_NEAR(static_cast<double>(a.zenit), static_cast<double>(b.zenit), 1e-12);
            EXPECT_NEAR(static_cast<double>(a.delka), static_cast<double>(b.delka), 1e-9);
            EXPECT_NEAR(static_cast<double>(a.vyska_stn), static_cast<double>(b.vyska_stn), 1e-9);
            EXPECT_NEAR(static_cast<double>(a.vyska_cil), static_cast<double>(b.vyska_cil), 1e-9);
        }
        // Written as MTX it reads as the MTX file does.
        std::vector<std::string> lines;
        ASSERT_TRUE(WriteMtx(gsi, s, lines).ok);
        Tmereni again;
        std::string text;
        for (const std::string& l : lines) text += l + "\n";
        ASSERT_TRUE(ReadMtxText(text, s, again).ok);
        EXPECT_EQ(Zkontrolovano(again).kontrola, expected.kontrola);
    }
}

TEST(Gsi, FeetAndUnusedWordsAreListed) {
    const std::string text =
        Blok({Bod("11", "S", false), Slovo("88", '1', 5000, false), Slovo("84", '0', 1000, false)},
             false) +
        "\n" +
        Blok({Bod("11", "T", false), Slovo("21", '2', 100000, false),
              Slovo("22", '2', 10000000, false), Slovo("31", '7', 1000000, false),
              Slovo("51", '0', 0, false)},
             false) +
        "\n";
    Tmereni m;
    std::vector<Poznamka> notes;
    const FileResult r = ReadGsiText(text, m, notes);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    ASSERT_EQ(m.zaznam.size(), 1u);
    EXPECT_NEAR(static_cast<double>(m.zaznam[0].vyska_stn), 5 * 0.3048, 1e-12);
    EXPECT_NEAR(static_cast<double>(m.zaznam[0].delka), 100 * 0.3048, 1e-12);
    // Station coordinates, the missing reflector height and word 51.
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].fileLine, 1);
    EXPECT_EQ(notes[2].fileLine, 2);
    EXPECT_NE(notes[2].text.find("51"), std::string::npos);
}

TEST(Gsi, AReflectorHeightOfTheSetUpHoldsUntilAPointingGivesOne) {
    const std::string station = Blok(
        {Bod("11", "S", true), Slovo("88", '0', 1500, true), Slovo("87", '0', 1300, true)}, true);
    const auto target = [](const char* name, long long th) {
        std::vector<std::string> w = {Bod("11", name, true), Slovo("21", '2', 100000, true),
                                      Slovo("22", '2', 10000000, true)};
        if (th >= 0) w.push_back(Slovo("87", '0', th, true));
        return Blok(w, true);
    };
    Tmereni m;
    std::vector<Poznamka> notes;
    const FileResult r = ReadGsiText(
        station + "\n" + target("A", -1) + "\n" + target("B", 2000) + "\n" + target("C", -1) + "\n",
        m, notes);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    ASSERT_EQ(m.zaznam.size(), 3u);
    EXPECT_EQ(Real(m.zaznam[0].vyska_cil), 1.3L);
    EXPECT_EQ(Real(m.zaznam[1].vyska_cil), 2.0L);
    EXPECT_EQ(Real(m.zaznam[2].vyska_cil), 2.0L);
    EXPECT_TRUE(notes.empty());
}

// A sight to a far point gives a direction only, a reflectorless miss perhaps a
// distance only: each row keeps what was measured.
TEST(Gsi, PointingsKeepWhatWasMeasured) {
    const std::string text =
        Blok({Bod("11", "S", false), Slovo("88", '0', 1500, false)}, false) + "\n" +
        Blok({Bod("11", "T", false), Slovo("21", '2', 100000, false)}, false) + "\n" +
        Blok({Bod("11", "U", false), Slovo("31", '0', 123456, false)}, false) + "\n";
    Tmereni m;
    std::vector<Poznamka> notes;
    const FileResult r = ReadGsiText(text, m, notes);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    ASSERT_EQ(m.zaznam.size(), 2u);
    EXPECT_TRUE(m.zaznam[0].MaSmer());
    EXPECT_FALSE(m.zaznam[0].MaZenit());
    EXPECT_FALSE(m.zaznam[0].MaDelku());
    EXPECT_TRUE(m.zaznam[0].poloha);
    EXPECT_FALSE(m.zaznam[1].MaSmer());
    EXPECT_FALSE(m.zaznam[1].MaZenit());
    EXPECT_NEAR(double(m.zaznam[1].delka), 123.456, 1e-12);
}

TEST(Gsi, RefusesBadInputWithTheLineAndKeepsNothing) {
    const std::string station = Blok({Bod("11", "S", false), Slovo("88", '0', 1500, false)}, false);
    const std::string target = Blok(
        {Bod("11", "T", false), Slovo("21", '2', 100000, false), Slovo("22", '2', 10000000, false)},
        false);
    const struct {
        std::string text;
        int32_t line;
        FileError error;
    } cases[] = {
        {target + "\n", 1, FileError::MissingStationHeader},
        {station + "\n\n" + target.substr(0, 20) + "\n", 3, FileError::WrongTokenCount},
        {station + "\n" +
             Blok({Bod("11", "T", false), Slovo("21", '9', 1, false), Slovo("22", '2', 1, false)},
                  false),
         2, FileError::UnknownFormat},
        {station + "\n" +
             Blok({Bod("11", "T", false), Slovo("21", '4', 1070000, false),
                   Slovo("22", '2', 1, false)},
                  false),
         2, FileError::BadDms},
        {station + "\n" + Blok({Bod("11", "T", false), Slovo("31", '0', 0, false)}, false), 2,
         FileError::NothingMeasured},
        {station + "\n" + Bod("11", "T", false) + " 21..02+0000x000 22..02+00000000", 2,
         FileError::BadNumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Tmereni m;
        std::vector<Poznamka> notes;
        const FileResult r = ReadGsiText(c.text, m, notes);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.fileLine, c.line);
        EXPECT_EQ(r.error, c.error) << DescribeFileFailure(r);
        EXPECT_TRUE(m.zaznam.empty());
        EXPECT_TRUE(notes.empty());
    }
}

}  // namespace
}  // namespace vertano::exchange
