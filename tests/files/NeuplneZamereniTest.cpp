#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/AscFormat.h"
#include "files/MtxFormat.h"
#include "files/ProjektSoubor.h"
#include "files/RawTestSupport.h"
#include "files/VnitrniForma.h"
#include "files/VyrazeniSoubor.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

using test::Lines;
using test::Settings;

// Pointings that lack a value: a direction only (face I and face II), a
// direction and a zenith angle, a distance only.
const Lines kMtx = {"1 A 1.5 B 1.6 10.0000 - 0", "1 A 1.5 C 1.6 250.0000 -II 0",
                    "1 A 1.5 D 1.6 30.0000 99.0000 0", "1 A 1.5 E 1.6 - - 123.4560",
                    "1 A 1.5 F 1.6 50.0000 101.0000 88.1"};

void ExpectIncomplete(const Tmereni& m) {
    ASSERT_EQ(m.zaznam.size(), 5u);
    const Tzaznam& b = m.zaznam[0];
    EXPECT_TRUE(b.MaSmer());
    EXPECT_FALSE(b.MaZenit());
    EXPECT_FALSE(b.MaDelku());
    EXPECT_TRUE(b.poloha);
    EXPECT_NEAR(static_cast<double>(b.smer), static_cast<double>(GonNaRad(10)), 1e-15);
    const Tzaznam& c = m.zaznam[1];
    EXPECT_FALSE(c.MaZenit());
    EXPECT_FALSE(c.poloha);  // "-II": face II without a zenith angle
    EXPECT_TRUE(m.zaznam[2].MaZenit());
    EXPECT_FALSE(m.zaznam[2].MaDelku());
    const Tzaznam& e = m.zaznam[3];
    EXPECT_FALSE(e.MaSmer());
    EXPECT_FALSE(e.MaZenit());
    EXPECT_NEAR(static_cast<double>(e.delka), 123.456, 1e-12);
    const Tzaznam& f = m.zaznam[4];
    EXPECT_TRUE(f.MaSmer() && f.MaZenit() && f.MaDelku());
}

TEST(IncompletePointings, MtxReadsWritesAndReadsBack) {
    Tmereni m;
    const RawFileResult r = ReadMtx(kMtx, Settings(), m);
    ASSERT_TRUE(r.ok) << DescribeRawFailure(r);
    ExpectIncomplete(m);
    Lines text;
    ASSERT_TRUE(WriteMtx(m, Settings(), text).ok);
    EXPECT_EQ(text[0], "1 A 1.5000 B 1.6000 10.00000 - 0");
    EXPECT_EQ(text[1], "1 A 1.5000 C 1.6000 250.00000 -II 0");
    EXPECT_EQ(text[3], "1 A 1.5000 E 1.6000 - - 123.4560");
    Tmereni zpet;
    ASSERT_TRUE(ReadMtx(text, Settings(), zpet).ok);
    ExpectIncomplete(zpet);
}

TEST(IncompletePointings, AscAndTheInternalFormKeepThem) {
    Tmereni m;
    ASSERT_TRUE(ReadMtx(kMtx, Settings(), m).ok);
    Lines asc;
    ASSERT_TRUE(WriteAsc(m, Settings(), asc).ok);
    EXPECT_EQ(asc[2], "B 0 1.6000 10.00000 -");
    Tmereni zAsc;
    const RawFileResult r = ReadAsc(asc, Settings(), zAsc);
    ASSERT_TRUE(r.ok) << DescribeRawFailure(r);
    ExpectIncomplete(zAsc);

    Lines vnitrni;
    ASSERT_TRUE(UlozDoStringList(m, vnitrni).ok);
    Tmereni zVnitrni;
    ASSERT_TRUE(ReadVnitrniForma(vnitrni, zVnitrni).ok);
    ExpectIncomplete(zVnitrni);
    // The exports keep the tokens and write a missing distance as 0.
    Lines mtx = vnitrni;
    const RawFileResult e = ExportMtx(mtx, Settings());
    ASSERT_TRUE(e.ok) << DescribeRawFailure(e);
    EXPECT_EQ(mtx[3], "1 A E - - 123.4560");
    Lines exportAsc = vnitrni;
    ASSERT_TRUE(ExportAsc(exportAsc, Settings()).ok);
    EXPECT_EQ(exportAsc[3], "C 0 250.00000 -II");
}

TEST(IncompletePointings, APointingWithNothingMeasuredOrAFaceOnADirectionIsRefused) {
    Tmereni m;
    RawFileResult r = ReadMtx({"1 A 0 B 0 10 100 0", "1 A 0 C 0 - - 0"}, Settings(), m);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, FileError::NothingMeasured);
    EXPECT_EQ(r.counter, 2);
    EXPECT_TRUE(m.zaznam.empty());
    // Only the zenith angle says a face with its missing value.
    r = ReadMtx({"1 A 0 B 0 -II 100 0"}, Settings(), m);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, FileError::BadNumber);
    r = ReadAsc({"1 A", "-1", "B - -", "/", "-2"}, Settings(), m);
    EXPECT_FALSE(r.ok);
}

Tzaznam Doplnek(const std::string& od, const std::string& k, Real hodnota) {
    Tzaznam z;  // the all-zero row the project reader gives
    z.poradi = 1;
    z.cislo_stn = od;
    z.cislo_cil = k;
    z.delka = hodnota;
    z.sig_delka = -1;
    return z;
}

ProjektObsah ProjektSVyrazenymi() {
    ProjektObsah o;
    EXPECT_TRUE(ReadMtx(kMtx, Settings(), o.suroveMereni).ok);
    o.suroveMereni.zaznam[1].jeVyrazeno = true;
    o.suroveMereni.zaznam[4].jeVyrazeno = true;
    o.Doplnek(DoplnekProjekt::Prevyseni).zaznam = {Doplnek("A", "B", 1.5), Doplnek("B", "C", 2)};
    o.Doplnek(DoplnekProjekt::Prevyseni).zaznam[1].poradi = 2;
    o.Doplnek(DoplnekProjekt::Prevyseni).zaznam[1].jeVyrazeno = true;
    return o;
}

TEST(SwitchedOffRows, ProjectKeepsThemInASectionOfTheirOwn) {
    const ProjektObsah o = ProjektSVyrazenymi();
    Lines text;
    const ProjektResult w = ProjektText(ProjektZdroj::Z(o), text);
    ASSERT_TRUE(w.ok) << w.message;
    const Lines konec(text.end() - 5, text.end());
    EXPECT_EQ(konec, (Lines{"<10>", "2 2", "2 5", "8 2", "</10>"}));
    ProjektObsah zpet;
    const ProjektResult r = CistProjektText(text, zpet);
    ASSERT_TRUE(r.ok) << r.message;
    ASSERT_EQ(zpet.suroveMereni.zaznam.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(zpet.suroveMereni.zaznam[i].jeVyrazeno, i == 1 || i == 4) << i;
    EXPECT_FALSE(zpet.Doplnek(DoplnekProjekt::Prevyseni).zaznam[0].jeVyrazeno);
    EXPECT_TRUE(zpet.Doplnek(DoplnekProjekt::Prevyseni).zaznam[1].jeVyrazeno);
    EXPECT_FALSE(zpet.suroveMereni.zaznam[1].MaZenit());

    // Without switched-off rows the project has the nine sections it always had.
    ProjektObsah bez = o;
    for (Tzaznam& z : bez.suroveMereni.zaznam) z.jeVyrazeno = false;
    for (Tzaznam& z : bez.Doplnek(DoplnekProjekt::Prevyseni).zaznam) z.jeVyrazeno = false;
    Lines text2;
    ASSERT_TRUE(ProjektText(ProjektZdroj::Z(bez), text2).ok);
    EXPECT_EQ(text2.back(), "</9>");
}

TEST(SwitchedOffRows, AWrongLineOfTheSectionRejectsTheProject) {
    const ProjektObsah o = ProjektSVyrazenymi();
    Lines text;
    ASSERT_TRUE(ProjektText(ProjektZdroj::Z(o), text).ok);
    for (const char* spatny : {"2 6", "3 1", "2", "2 x", "9 1"}) {
        Lines t = text;
        t[t.size() - 3] = spatny;
        ProjektObsah zpet;
        const ProjektResult r = CistProjektText(t, zpet);
        EXPECT_FALSE(r.ok) << spatny;
        EXPECT_NE(r.message.find("section 10"), std::string::npos) << r.message;
        EXPECT_TRUE(zpet.suroveMereni.zaznam.empty());
    }
    Lines t = text;
    t.push_back("</10>");
    ProjektObsah zpet;
    EXPECT_FALSE(CistProjektText(t, zpet).ok);
}

TEST(SwitchedOffRows, PatternsMatchStarsAndFilesHoldThem) {
    EXPECT_TRUE(OdpovidaJmenuVzoru("*", "4001"));
    EXPECT_TRUE(OdpovidaJmenuVzoru("40*", "4001"));
    EXPECT_TRUE(OdpovidaJmenuVzoru("4*1", "4001"));
    EXPECT_FALSE(OdpovidaJmenuVzoru("4*2", "4001"));
    EXPECT_FALSE(OdpovidaJmenuVzoru("400", "4001"));
    EXPECT_TRUE(OdpovidaJmenuVzoru("**01*", "4001"));
    VzorVyrazeni v;
    std::string chyba;
    EXPECT_TRUE(CistVzorVyrazeni("A/*", v, chyba));
    EXPECT_EQ(v.stanovisko, "A");
    EXPECT_EQ(v.cil, "*");
    EXPECT_FALSE(CistVzorVyrazeni("A", v, chyba));
    EXPECT_FALSE(CistVzorVyrazeni("A/B/C", v, chyba));
    EXPECT_FALSE(CistVzorVyrazeni("/B", v, chyba));

    test::TempDir dir;
    const auto soubor = dir / "off.txt";
    test::WriteBytes(soubor, "# rows to leave out\r\nA/B\r\n\r\n5/1 7\r\n");
    std::vector<VzorVyrazeni> vzory;
    FileResult r = CistSouborVyrazeni(soubor, vzory);
    ASSERT_TRUE(r.ok) << DescribeFileFailure(r);
    ASSERT_EQ(vzory.size(), 2u);
    EXPECT_EQ(vzory[1].stanovisko, "5/1");
    EXPECT_EQ(vzory[1].cil, "7");
    test::WriteBytes(soubor, "A/B\nA B C\n");
    r = CistSouborVyrazeni(soubor, vzory);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.fileLine, 2);
    EXPECT_TRUE(vzory.empty());
}

}  // namespace
}  // namespace vertano
