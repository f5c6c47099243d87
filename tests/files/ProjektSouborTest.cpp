#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "data/SouradniceTestPomocne.h"
#include "files/ProjektNastaveni.h"
#include "files/ProjektSoubor.h"
#include "files/RawTestSupport.h"
#include "mereni/Text.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

using Lines = std::vector<std::string>;

Tnastaveni Vychozi() {
    Tnastaveni n;
    n.Default();
    return n;
}

Lines RadkyNastaveni(const Tnastaveni& n) {
    Lines radky;
    EXPECT_TRUE(ZapsatNastaveni(n, radky).ok);
    return radky;
}

std::vector<PreparedLine> Pripravene(const Lines& radky) {
    std::vector<PreparedLine> p;
    for (size_t i = 0; i < radky.size(); ++i) p.push_back({radky[i], static_cast<int32_t>(i + 1)});
    return p;
}

// A value of line k that differs from `puvodni` and that the reader accepts.
std::string JinaHodnota(const Lines& radky, size_t k) {
    const std::string& puvodni = radky[k];
    std::vector<std::string> kandidati = {"0", "-1", "1", "2", "3", "11", "12", "50"};
    Real v = 0;
    if (ParseNumber(puvodni, v) == NumberStatus::Ok)
        kandidati.insert(kandidati.begin(),
                         {FormatExact(v * 0.5L), FormatExact(v * 0.75L), FormatExact(v + 0.001L)});
    for (const std::string& k2 : kandidati) {
        if (k2 == puvodni) continue;
        Lines zmena = radky;
        zmena[k] = k2;
        Tnastaveni n = Vychozi();
        if (!NacistNastaveni(Pripravene(zmena), n).ok) continue;
        // The candidate must store a different value: written again it differs.
        if (RadkyNastaveni(n)[k] != puvodni) return RadkyNastaveni(n)[k];
    }
    return puvodni;
}

// Settings with a value other than the default on every one of the 146 lines.
Tnastaveni VsechnoJinak(Lines& ocekavane) {
    const Lines vychozi = RadkyNastaveni(Vychozi());
    ocekavane = vychozi;
    for (size_t k = 0; k < vychozi.size(); ++k) ocekavane[k] = JinaHodnota(vychozi, k);
    Tnastaveni n = Vychozi();
    EXPECT_TRUE(NacistNastaveni(Pripravene(ocekavane), n).ok);
    return n;
}

TEST(ProjectSettings, EveryOneOfTheLinesRoundTrips) {
    Lines ocekavane;
    const Tnastaveni n = VsechnoJinak(ocekavane);
    const Lines vychozi = RadkyNastaveni(Vychozi());
    ASSERT_EQ(vychozi.size(), 146u);
    // Only the project format codes (lines 17 and 18) have a single value.
    for (size_t k = 0; k < vychozi.size(); ++k)
        EXPECT_EQ(vychozi[k] != ocekavane[k], k != 16 && k != 17) << NazevNastaveni(int(k) + 1);
    EXPECT_EQ(RadkyNastaveni(n), ocekavane);
    EXPECT_EQ(NazevNastaveni(1), "jednotky.uhel");
    EXPECT_EQ(NazevNastaveni(102), "grafika.textFont");
    EXPECT_EQ(NazevNastaveni(146), "protokol.elipTrans2Presnost");
}

TEST(ProjectSettings, DefaultsReadBackExactlyAndNotStoredSettingsKeepTheirValues) {
    Tnastaveni n = Vychozi();
    n.okno.grafika = 3;
    n.pocetVlaknaVse = 7;
    n.vyrovnani.vylucovatOdlehle = false;
    n.mezZeSouradnic.rozdil_zenit = 0.25L;
    Tnastaveni zpet = n;
    zpet.jednotky.uhel = 3;
    ASSERT_TRUE(NacistNastaveni(Pripravene(RadkyNastaveni(Vychozi())), zpet).ok);
    EXPECT_EQ(zpet.jednotky.uhel, 1);
    EXPECT_EQ(zpet.vyrovnani.odchylka_zadanaSmer, Vychozi().vyrovnani.odchylka_zadanaSmer);
    EXPECT_EQ(zpet.okno.grafika, 3);
    EXPECT_EQ(zpet.pocetVlaknaVse, 7);
    EXPECT_FALSE(zpet.vyrovnani.vylucovatOdlehle);
    EXPECT_EQ(zpet.mezZeSouradnic.rozdil_zenit, 0.25L);
}

struct RadekCase {
    int radek;
    std::string hodnota;
    bool prijato;
};

TEST(ProjectSettings, RangesLowBitsAndStrictLimits) {
    const std::vector<RadekCase> pripady = {
        {1, "257", true},
        {1, "4", false},
        {1, "1.0", false},
        {1, "x", false},
        {39, "10", false},
        {39, "9.99", true},
        {39, "0", false},
        {57, "0", true},
        {57, "-0.1", true},
        {57, "0.16", false},
        {17, "1", false},
        {70, "9", false},
        {70, "100", true},
        {102, "65535", true},
        {4, "True", true},
        {4, "yes", false},
        {59, "1e-13", false},
        // Significance levels by the rule of --alpha and the settings dialog.
        {68, "1e-9", false},
        {68, "1e-12", false},
        {68, "2e-8", true},
        {77, "1e-9", false},
        {77, "0.999", true},
        // The source of the weights is a code of 1 to 3.
        {60, "0", false},
        {60, "4", false},
        {60, "258", true}};
    for (const RadekCase& c : pripady) {
        Lines radky = RadkyNastaveni(Vychozi());
        radky[static_cast<size_t>(c.radek - 1)] = c.hodnota;
        Tnastaveni n = Vychozi();
        n.typJazyk = 1;
        const FileResult r = NacistNastaveni(Pripravene(radky), n);
        EXPECT_EQ(r.ok, c.prijato) << c.radek << " " << c.hodnota;
        if (!r.ok) {
            EXPECT_EQ(r.counter, c.radek);
            EXPECT_EQ(r.cislo, NazevNastaveni(c.radek));
            EXPECT_EQ(n.typJazyk, 1) << "a refused section stores nothing";
        }
    }
    Lines radky = RadkyNastaveni(Vychozi());
    radky[0] = "257";
    radky[101] = "65535";
    radky[59] = "258";
    Tnastaveni n = Vychozi();
    ASSERT_TRUE(NacistNastaveni(Pripravene(radky), n).ok);
    EXPECT_EQ(n.jednotky.uhel, 1);
    EXPECT_EQ(n.vyrovnani.typVah, ZdrojVah::Vnejsi);
    EXPECT_EQ(n.grafika.textFont, -1);
}

TEST(ProjectSettings, WriterRefusesAValueTheReaderWouldRefuse) {
    for (int pripad = 0; pripad < 3; ++pripad) {
        Tnastaveni n = Vychozi();
        if (pripad == 0) n.jednotky.uhel = 7;
        if (pripad == 1) n.mezPoloha.rozdil_delka = std::numeric_limits<Real>::quiet_NaN();
        if (pripad == 2) n.vyrovnani.maxPocetIteraci = 5;
        Lines radky = {"stale"};
        const FileResult r = ZapsatNastaveni(n, radky);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(radky.empty());
        EXPECT_EQ(r.cislo, pripad == 0   ? "jednotky.uhel"
                           : pripad == 1 ? "mezPoloha.rozdil_delka"
                                         : "vyrovnani.maxPocetIteraci");
    }
}

Tzaznam Doplnek(const std::string& a, const std::string& b, Real hodnota, Real sig) {
    Tzaznam z;
    z.poradi = 1;
    z.cislo_stn = a;
    z.cislo_cil = b;
    z.delka = hodnota;
    z.vyska_stn = 1.5;
    z.vyska_cil = 1.25;
    z.sig_delka = sig;
    return z;
}

// A project with every list filled and settings other than the defaults.
ProjektObsah PlnyProjekt() {
    static const Tnastaveni jine = [] {
        Lines ignorovane;
        return VsechnoJinak(ignorovane);
    }();
    ProjektObsah o;
    o.nastaveni = jine;
    o.suroveMereni = test::SmallNetwork();
    o.suroveMereni.zaznam[0].sig_smer = 0.0001L;
    o.suroveMereni.zaznam[1].sig_delka = 0.003L;
    Tbod a = test::Plny("4001", 1000.123, 2000.456, 300.789);
    a.JeFixni = true;
    Tbod b = test::Plny("Kostel_Č", -1e-13L, 1.0L / 3, 1e11L);
    o.bodyFixni = test::Seznam({a, b});
    Tbod c = test::Plny("9001", 10, 20, 30);
    c.UpravPresnost().sig_X = 0.002L;
    c.UpravPresnost().sig_Y = 0.003L;
    c.UpravPresnost().sig_Z = -1;
    o.bodyIdenticke = test::Seznam({c});
    Tbod m = test::Plny("4001");
    m.zkresleni = 0.99992L;
    o.meritko = test::Seznam({m});
    o.Doplnek(DoplnekProjekt::Delka).zaznam = {Doplnek("4001", "4002", 152.3L, -1),
                                               Doplnek("4002", "4003", 98, 0)};
    o.Doplnek(DoplnekProjekt::Smernik).zaznam = {Doplnek("4001", "4003", 1.2345678901234L, 2e-5L)};
    o.Doplnek(DoplnekProjekt::Prevyseni).zaznam = {Doplnek("4001", "4002", -2.5, -1)};
    o.Doplnek(DoplnekProjekt::Provazeni).zaznam = {Doplnek("4002", "4002P", 0, 0.001L)};
    return o;
}

TEST(ProjectFile, EveryListAndSettingRoundTripsAndWritesTheSameText) {
    const ProjektObsah o = PlnyProjekt();
    Lines text;
    const ProjektResult w = ProjektText(ProjektZdroj::Z(o), text);
    ASSERT_TRUE(w.ok) << w.message;
    ProjektObsah zpet;
    zpet.nastaveni = Vychozi();
    const ProjektResult r = CistProjektText(text, zpet);
    ASSERT_TRUE(r.ok) << r.message;

    Lines znovu;
    ASSERT_TRUE(ProjektText(ProjektZdroj::Z(zpet), znovu).ok);
    EXPECT_EQ(znovu, text);
    EXPECT_EQ(RadkyNastaveni(zpet.nastaveni), RadkyNastaveni(o.nastaveni));

    ASSERT_EQ(zpet.suroveMereni.zaznam.size(), o.suroveMereni.zaznam.size());
    for (size_t i = 0; i < o.suroveMereni.zaznam.size(); ++i) {
        const Tzaznam& x = o.suroveMereni.zaznam[i];
        const Tzaznam& y = zpet.suroveMereni.zaznam[i];
        EXPECT_EQ(y.cislo_stn, x.cislo_stn);
        EXPECT_EQ(y.cislo_cil, x.cislo_cil);
        EXPECT_EQ(y.poradi, x.poradi);
        // Every bit of a computed angle comes back.
        EXPECT_EQ(y.smer, x.smer);
        EXPECT_EQ(y.zenit, x.zenit);
        EXPECT_EQ(y.delka, x.delka);
        EXPECT_EQ(y.vyska_stn, x.vyska_stn);
    }
    EXPECT_EQ(zpet.suroveMereni.zaznam[0].sig_smer, 0.0001L);
    EXPECT_EQ(zpet.suroveMereni.zaznam[1].sig_delka, 0.003L);

    ASSERT_EQ(zpet.bodyFixni.bod.size(), 2u);
    EXPECT_TRUE(zpet.bodyFixni.bod[0].JeFixni);
    EXPECT_FALSE(zpet.bodyFixni.bod[1].JeFixni);
    EXPECT_EQ(zpet.bodyFixni.bod[1].cislo, "Kostel_Č");
    EXPECT_EQ(zpet.bodyFixni.bod[1].Y, o.bodyFixni.bod[1].Y);
    EXPECT_EQ(zpet.bodyFixni.bod[1].Z, 1e11L);
    EXPECT_EQ(zpet.bodyFixni.bod[1].X, 0);  // below 1e-12: written as 0
    EXPECT_EQ(zpet.bodyIdenticke.bod[0].Presnost().sig_Y, 0.003L);
    EXPECT_EQ(zpet.bodyIdenticke.bod[0].Presnost().sig_Z, -1);
    EXPECT_EQ(zpet.meritko.bod[0].zkresleni, 0.99992L);

    const Tmereni& delky = zpet.Doplnek(DoplnekProjekt::Delka);
    ASSERT_EQ(delky.zaznam.size(), 2u);
    EXPECT_EQ(delky.zaznam[0].sig_delka, -1);
    EXPECT_EQ(delky.zaznam[1].sig_delka, 0);
    EXPECT_EQ(delky.zaznam[1].poradi, 2);
    EXPECT_EQ(delky.zaznam[0].vyska_cil, 1.25L);
    EXPECT_EQ(zpet.Doplnek(DoplnekProjekt::Smernik).zaznam[0].delka, 1.2345678901234L);
    EXPECT_EQ(zpet.Doplnek(DoplnekProjekt::Provazeni).zaznam[0].cislo_cil, "4002P");
}

TEST(ProjectFile, SupplementaryDeviationIsAnOptionalLastField) {
    const ProjektObsah o = PlnyProjekt();
    Lines text;
    ASSERT_TRUE(ProjektText(ProjektZdroj::Z(o), text).ok);
    const auto sekce = [&](const std::string& tag) {
        Lines s;
        bool uvnitr = false;
        for (const std::string& r : text) {
            if (r == "</" + tag + ">") uvnitr = false;
            if (uvnitr) s.push_back(r);
            if (r == "<" + tag + ">") uvnitr = true;
        }
        return s;
    };
    EXPECT_EQ(sekce("6"), (Lines{"4001\t1.5\t4002\t1.25\t152.3", "4002\t1.5\t4003\t1.25\t98\t0"}));
    EXPECT_EQ(sekce("9"), (Lines{"4002\t4002P\t0.001"}));
}

Lines ProjektSPrazdnymiSekcemi() {
    Lines t = {"<1>"};
    for (const std::string& r : RadkyNastaveni(Vychozi())) t.push_back(r);
    t.insert(t.end(), {"</1>", "<2>", "</2>", "<3>", "  A 1 2 3 -1  ", "", "</3>", "<4>", "</4>",
                       "<5>", "</5>", "<6>", "</6>", "<7>", "</7>", "<8>", "</8>", "<9>", "</9>"});
    return t;
}

TEST(ProjectFile, EmptySectionsAreValid) {
    ProjektObsah o;
    const ProjektResult r = CistProjektText(ProjektSPrazdnymiSekcemi(), o);
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(o.suroveMereni.zaznam.empty());
    ASSERT_EQ(o.bodyFixni.bod.size(), 1u);
    EXPECT_TRUE(o.bodyFixni.bod[0].JeFixni);
    EXPECT_TRUE(o.meritko.bod.empty());
}

// Reading fails: everything is empty, the settings are the defaults and the
// message names the section and the line of the file.
void OcekavatSelhani(const Lines& text, int sekce, const std::string& vMessage) {
    ProjektObsah o = PlnyProjekt();
    const ProjektResult r = CistProjektText(text, o);
    ASSERT_FALSE(r.ok) << vMessage;
    EXPECT_EQ(r.sekce, sekce) << r.message;
    EXPECT_NE(r.message.find(vMessage), std::string::npos) << r.message;
    EXPECT_TRUE(o.suroveMereni.zaznam.empty());
    EXPECT_TRUE(o.bodyFixni.bod.empty());
    EXPECT_TRUE(o.bodyIdenticke.bod.empty());
    EXPECT_TRUE(o.meritko.bod.empty());
    for (const Tmereni& m : o.doplnek) EXPECT_TRUE(m.zaznam.empty());
    EXPECT_EQ(RadkyNastaveni(o.nastaveni), RadkyNastaveni(Vychozi()));
}

// Text before the first section, between two or after the last (a measurement
// moved behind its section's end tag) is refused with its line, not dropped.
TEST(ProjectFile, TextOutsideTheSectionsIsRefusedWithItsLine) {
    const Lines prazdny = ProjektSPrazdnymiSekcemi();
    Lines pred = prazdny;
    pred.insert(pred.begin(), "Vertano project of 2024");
    OcekavatSelhani(pred, 0, "text outside the sections: line 1 \"Vertano project of 2024\"");
    Lines mezi = prazdny;
    const auto konec2 = std::find(mezi.begin(), mezi.end(), "</2>");
    mezi.insert(konec2 + 1, {"", "1 A 1.5 B 1.6 1.5 1.5 100"});
    OcekavatSelhani(mezi, 0, "text outside the sections: line 152 \"1 A 1.5 B 1.6");
    Lines za = prazdny;
    za.push_back("trailer");
    OcekavatSelhani(za, 0, "line 167 \"trailer\"");
}

size_t Najit(const Lines& text, const std::string& radek) {
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == radek) return i;
    return text.size();
}

TEST(ProjectFile, EveryKindOfFaultRejectsTheWholeFileWithItsSectionAndLine) {
    Lines text;
    ASSERT_TRUE(ProjektText(ProjektZdroj::Z(PlnyProjekt()), text).ok);

    Lines t = text;
    t.erase(t.begin() + static_cast<long>(Najit(t, "</5>")));
    OcekavatSelhani(t, 0, "\"</5>\" is missing");

    t = text;
    t.push_back("<7>");
    OcekavatSelhani(t, 0, "\"<7>\" occurs twice");

    t = text;
    std::swap(t[Najit(t, "<3>")], t[Najit(t, "</3>")]);
    OcekavatSelhani(t, 0, "\"</3>\" at line");

    t = text;
    t.erase(t.begin() + 5);
    OcekavatSelhani(t, 1, "145 lines, 146 expected");

    t = text;
    t[1] = "4";
    OcekavatSelhani(t, 1, "line 2 of the file, setting 1 jednotky.uhel: number out of range: 4");

    // A name the writer would refuse (a control character inside) is refused
    // when read, so that whatever is opened can be saved again.
    t = text;
    t.insert(t.begin() + static_cast<long>(Najit(t, "<8>") + 1), "A B\x7F 1.5");
    OcekavatSelhani(t, 8, "a point name with a control character: \"B\\x7F\"");
    t = text;
    t.insert(t.begin() + static_cast<long>(Najit(t, "<2>") + 1), "1 4001 1.5 X\x01Y 1 1 1 0");
    OcekavatSelhani(t, 2, "point X\\x01Y");

    // A line with a wrong token count in each list section.
    for (int s = 2; s <= 9; ++s) {
        t = text;
        const size_t i = Najit(t, "<" + std::to_string(s) + ">") + 1;
        t.insert(t.begin() + static_cast<long>(i), "A B C D E F G H I J K L");
        OcekavatSelhani(t, s, "line " + std::to_string(i + 1) + " of the file");
    }
}

TEST(ProjectFile, NamesAndValuesTheReaderWouldRefuseAreNotWritten) {
    test::TempDir dir;
    const auto cesta = dir / "job.gpr";
    test::WriteBytes(cesta, "old project");
    struct Pripad {
        int sekce;
        std::string vMessage;
    };
    const std::vector<Pripad> pripady = {{2, "row 2"},      {3, "point 2"}, {4, "point 1"},
                                         {6, "row 1"},      {9, "row 1"},   {1, "jednotky.uhel"},
                                         {3, "Kostel\\x01"}};
    for (size_t k = 0; k < pripady.size(); ++k) {
        ProjektObsah o = PlnyProjekt();
        switch (k) {
            case 0:
                o.suroveMereni.zaznam[1].cislo_cil = "43 03";
                break;
            case 1:
                o.bodyFixni.bod[1].cislo = "A B";
                break;
            case 2:
                o.bodyIdenticke.bod[0].X = std::numeric_limits<Real>::infinity();
                break;
            case 3:
                o.Doplnek(DoplnekProjekt::Delka).zaznam[0].cislo_cil = "40\t02";
                break;
            case 4:
                o.Doplnek(DoplnekProjekt::Provazeni).zaznam[0].sig_delka = 1e13L;
                break;
            case 5:
                o.nastaveni.jednotky.uhel = 9;
                break;
            case 6:
                o.bodyFixni.bod[1].cislo = "Kostel\x01";
                break;
        }
        const ProjektResult r = ZapsatProjekt(cesta, ProjektZdroj::Z(o));
        EXPECT_FALSE(r.ok) << k;
        EXPECT_EQ(r.sekce, pripady[k].sekce) << r.message;
        EXPECT_NE(r.message.find(pripady[k].vMessage), std::string::npos) << r.message;
        EXPECT_EQ(r.message.find('\x01'), std::string::npos);
        EXPECT_EQ(test::ReadBytes(cesta), "old project");
    }
}

TEST(ProjectFile, FileIsReadWithItsLinesAndAMissingFileFailsCleanly) {
    test::TempDir dir;
    ProjektObsah o = PlnyProjekt();
    ASSERT_TRUE(ZapsatProjekt(dir / "a.gpr", ProjektZdroj::Z(o)).ok);
    const std::string bajty = test::ReadBytes(dir / "a.gpr");
    EXPECT_EQ(bajty.substr(0, 5), "<1>\r\n");
    ProjektObsah zpet;
    ASSERT_TRUE(CistProjekt(dir / "a.gpr", zpet).ok);
    EXPECT_EQ(zpet.bodyFixni.bod.size(), 2u);
    const ProjektResult r = CistProjekt(dir / "missing.gpr", zpet);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("missing.gpr"), std::string::npos);
    EXPECT_TRUE(zpet.bodyFixni.bod.empty());
}

}  // namespace
}  // namespace vertano
