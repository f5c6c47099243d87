#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processing/KontrolaMereni.h"
#include "processing/SkupinyTestPomocne.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/SeznamyVstupu.h"
#include "workspace/UpravyMereni.h"
#include "workspace/Workspace.h"

namespace vertano {
namespace {

using testskupiny::DruhaPoloha;
using testskupiny::Gon;
using testskupiny::PrvniPoloha;
using testskupiny::Seznam;

// Stations S1 (A, B in two faces) and S2 (A in two faces), checked, with the
// results of an analysis marked current.
void Naplnit(Workspace& ws) {
    ws.suroveMereni =
        Seznam({PrvniPoloha(1, "A", 10), PrvniPoloha(1, "B", 20), DruhaPoloha(1, "B", 20),
                DruhaPoloha(1, "A", 10), PrvniPoloha(2, "A", 50), DruhaPoloha(2, "A", 50)});
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ws.state.Computed(Step::Analysis);
    ws.state.Computed(Step::AdjustmentReport);
}

Tvyber Radky(std::size_t velikost, std::initializer_list<int> radky) {
    Tvyber v;
    v.Velikost(velikost);
    for (const int r : radky) v.hromadny[static_cast<std::size_t>(r)] = true;
    return v;
}

HodnotyMereni Cil(const std::string& cil, Real zenitGon) {
    HodnotyMereni h;
    h.cisloCil = cil;
    h.vyskaCil = 1.2L;
    h.smer = Gon(30);
    h.zenit = Gon(zenitGon);
    h.delka = 0;
    return h;
}

TEST(JmenaZaznamu, BlanksTabsAndControlsAreInvalidAndEndsAreTrimmed) {
    EXPECT_EQ(OrezatJmeno("  P1\t "), "P1");
    EXPECT_TRUE(JePlatneJmeno("4001"));
    EXPECT_TRUE(JePlatneJmeno("Bod\xC3\xA1"));  // accented letters are names
    const std::vector<std::string> spatne = {
        "", "P 1", "P\t1", std::string("P\x01") + "1", "P\x7F", "P\r1", "P\xC2\x85"};
    for (const std::string& jmeno : spatne) EXPECT_FALSE(JePlatneJmeno(jmeno)) << jmeno;
}

TEST(ZaznamSurovych, NewStationComesLastWithTheFaceOfItsZenithAngle) {
    Workspace ws;
    Naplnit(ws);
    ws.suroveMereni.PridejPrazdnyZaznam();
    HodnotyMereni h = Cil("C", 310);
    h.cisloStn = "S9";
    h.vyskaStn = 1.5L;
    ASSERT_TRUE(VlozitStanovisko(ws, h));
    const Tzaznam& z = ws.suroveMereni.zaznam.back();
    EXPECT_EQ(ws.suroveMereni.zaznam.size(), 7u);  // the empty row is gone
    EXPECT_EQ(z.poradi, 3);
    EXPECT_EQ(z.cislo_stn, "S9");
    EXPECT_FALSE(z.poloha);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));

    // A name with a blank is refused and nothing changes.
    ws.state.Computed(Step::Analysis);
    h.cisloStn = "S 10";
    EXPECT_FALSE(VlozitStanovisko(ws, h));
    h.cisloStn = "S10";
    h.delka.reset();
    EXPECT_FALSE(VlozitStanovisko(ws, h));
    EXPECT_EQ(ws.suroveMereni.zaznam.size(), 7u);
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
}

TEST(ZaznamSurovych, NewRowJoinsTheStationOfTheFirstSelectedRow) {
    Workspace ws;
    Naplnit(ws);
    Tvyber v = Radky(ws.suroveMereni.zaznam.size(), {4});
    HodnotyMereni h = Cil("D", 305);
    h.cisloStn = "ignored";
    ASSERT_TRUE(VlozitMereni(ws, v, h));
    const Tzaznam& z = ws.suroveMereni.zaznam[4];
    EXPECT_EQ(z.cislo_cil, "D");
    EXPECT_EQ(z.cislo_stn, "S2");
    EXPECT_EQ(z.poradi, 2);
    EXPECT_FALSE(z.poloha);      // zenith angle beyond 200 gon: face II
    EXPECT_TRUE(v.hromadny[5]);  // the selection stays with its row
    EXPECT_FALSE(v.hromadny[4]);
}

TEST(ZaznamSurovych, EditChangesTheStationOnEveryRowAndTargetsOnTheSelectedOnly) {
    Workspace ws;
    Naplnit(ws);
    const Tvyber v = Radky(ws.suroveMereni.zaznam.size(), {1, 2});
    HodnotyMereni stn;
    stn.vyskaStn = 1.75L;
    ASSERT_TRUE(UpravitMereni(ws, v, stn));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(ws.suroveMereni.zaznam[i].vyska_stn, 1.75L) << i;
    EXPECT_EQ(ws.suroveMereni.zaznam[4].vyska_stn, 1.6L);

    HodnotyMereni cil;
    cil.vyskaCil = 2.0L;
    ASSERT_TRUE(UpravitMereni(ws, v, cil));
    const std::vector<Real> vysky = {1.5L, 2.0L, 2.0L, 1.5L, 1.5L, 1.5L};
    for (std::size_t i = 0; i < vysky.size(); ++i)
        EXPECT_EQ(ws.suroveMereni.zaznam[i].vyska_cil, vysky[i]) << i;

    HodnotyMereni spatne;
    spatne.cisloCil = "B\t2";
    EXPECT_FALSE(UpravitMereni(ws, v, spatne));
    EXPECT_FALSE(UpravitMereni(ws, v, HodnotyMereni{}));
}

// "-" in a value field: the row is kept without that value, the face of a
// missing zenith angle as typed; a row left with nothing measured is refused.
TEST(ZaznamSurovych, ValuesTypedAsNotMeasuredAreKeptWithoutThem) {
    EXPECT_TRUE(JeNemerenoPole(" - ", false));
    EXPECT_TRUE(JeNemerenoPole("-II", true));
    EXPECT_FALSE(JeNemerenoPole("-II", false));
    EXPECT_FALSE(JeNemerenoPole("-1", true));

    Workspace ws;
    Naplnit(ws);
    Tvyber v = Radky(ws.suroveMereni.zaznam.size(), {4});
    HodnotyMereni h = Cil("FAR", 0);
    h.zenit.reset();
    h.bezZenitu = true;
    h.zenitDruhaPoloha = true;
    ASSERT_TRUE(VlozitMereni(ws, v, h));
    const Tzaznam& z = ws.suroveMereni.zaznam[4];
    EXPECT_TRUE(z.MaSmer());
    EXPECT_FALSE(z.MaZenit());
    EXPECT_FALSE(z.poloha);

    // Taking the direction away too leaves nothing: refused, nothing changed.
    const Tvyber jeden = Radky(ws.suroveMereni.zaznam.size(), {4});
    HodnotyMereni bez;
    bez.bezSmeru = true;
    EXPECT_FALSE(UpravitMereni(ws, jeden, bez));
    EXPECT_TRUE(ws.suroveMereni.zaznam[4].MaSmer());
    bez.delka = 100;
    ASSERT_TRUE(UpravitMereni(ws, jeden, bez));
    EXPECT_FALSE(ws.suroveMereni.zaznam[4].MaSmer());
    EXPECT_EQ(ws.suroveMereni.zaznam[4].delka, 100);

    h.smer.reset();
    h.bezSmeru = true;
    EXPECT_FALSE(VlozitMereni(ws, v, h));  // direction, zenith and distance missing
}

TEST(PremisteniSurovych, RowsTakeTheTargetStationAndItsHeight) {
    Workspace ws;
    Naplnit(ws);
    ws.suroveMereni.zaznam[4].vyska_stn = ws.suroveMereni.zaznam[5].vyska_stn = 1.9L;
    EXPECT_EQ(PocetCiluPremisteni(ws.suroveMereni), 3);
    Tvyber v = Radky(ws.suroveMereni.zaznam.size(), {1, 2});
    ASSERT_TRUE(PremistitVybrane(ws, v, 2));
    const std::vector<Tzaznam>& z = ws.suroveMereni.zaznam;
    ASSERT_EQ(z.size(), 6u);
    // S1 keeps A; S2 has A twice, then the two rows of B.
    EXPECT_EQ(z[1].cislo_cil, "A");
    for (std::size_t i = 2; i < 6; ++i) {
        EXPECT_EQ(z[i].cislo_stn, "S2") << i;
        EXPECT_EQ(z[i].vyska_stn, 1.9L) << i;
        EXPECT_EQ(z[i].poradi, 2) << i;
    }
    EXPECT_EQ(z[4].cislo_cil, "B");
    EXPECT_TRUE(v.hromadny[4] && v.hromadny[5]);
    EXPECT_EQ(v.aktualni, 4);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
}

TEST(PremisteniSurovych, BeyondTheLastStationMakesANewOne) {
    Workspace ws;
    Naplnit(ws);
    Tvyber v = Radky(ws.suroveMereni.zaznam.size(), {0, 3});
    ASSERT_TRUE(PremistitVybrane(ws, v, 3));
    const std::vector<Tzaznam>& z = ws.suroveMereni.zaznam;
    EXPECT_EQ(z[4].poradi, 3);
    EXPECT_EQ(z[5].poradi, 3);
    EXPECT_EQ(z[4].cislo_stn, "S1");
    Tvyber w = Radky(z.size(), {0});
    EXPECT_FALSE(PremistitVybrane(ws, w, 5));
    EXPECT_FALSE(PremistitVybrane(ws, w, 0));
}

Workspace& Body(Workspace& ws) {
    for (const char* c : {"1", "2", "3"}) {
        Tbod b = Tbod::Prazdny();
        b.cislo = c;
        b.JePlny = b.JeFixni = true;
        b.X = 100 * (c[0] - '0');
        b.Y = b.X + 1;
        b.Z = 5;
        ws.souradniceFixni.PridejBod(b);
    }
    ws.souradniceFixni.PridejPrazdnyBod();
    ws.state.Computed(Step::Analysis);
    return ws;
}

TEST(SeznamBodu, InsertEditAndClipboardOnTheWorkingCopy) {
    Workspace ws;
    Tsouradnice kopie = Body(ws).souradniceFixni;
    Tvyber v = Radky(kopie.bod.size(), {1});
    HodnotyBodu h;
    h.cislo = "10";
    h.X = 1;
    h.Y = 2;
    EXPECT_FALSE(VlozitBod(kopie, v, SeznamBodu::Fixni, h));  // no Z
    h.Z = 3;
    ASSERT_TRUE(VlozitBod(kopie, v, SeznamBodu::Fixni, h));
    EXPECT_EQ(kopie.bod[1].cislo, "10");
    EXPECT_TRUE(kopie.bod[1].JeFixni);
    EXPECT_TRUE(v.hromadny[2]);

    HodnotyBodu jmeno;
    jmeno.cislo = "11";
    Tvyber dva = Radky(kopie.bod.size(), {0, 1});
    EXPECT_FALSE(UpravitBody(kopie, dva, jmeno));  // one number for two points
    EXPECT_TRUE(ZamenitXY(kopie, dva));
    EXPECT_EQ(kopie.bod[0].X, 101);
    EXPECT_TRUE(FixovatBody(kopie, dva, false));
    EXPECT_FALSE(kopie.bod[1].JeFixni);

    EXPECT_EQ(KopirovatBody(ws, kopie, dva), 2);
    EXPECT_TRUE(ws.nastaveni.schranka.souradnice_existuje);
    Tvyber zadny = Radky(kopie.bod.size(), {});
    ASSERT_TRUE(VlozitSchrankuBodu(ws, kopie, zadny));
    EXPECT_EQ(kopie.PocetPlnychBodu(), 6);
    EXPECT_TRUE(kopie.bod.back().JePlny);  // after the last point, not after the empty slot
}

TEST(SeznamBodu, ClosingClearsTheAnalysisOnlyAfterAChange) {
    Workspace ws;
    Body(ws);
    ZapsatBody(ws, SeznamBodu::Fixni, ws.souradniceFixni, false);
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
    EXPECT_EQ(ws.souradniceFixni.Pocet(), 3);  // the empty slot is gone

    Tsouradnice kopie = ws.souradniceFixni;
    Tvyber v = Radky(kopie.bod.size(), {0});
    ASSERT_TRUE(SmazatBody(kopie, v));
    ZapsatBody(ws, SeznamBodu::Fixni, kopie, true);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_EQ(ws.souradniceFixni.Pocet(), 2);

    ws.state.Computed(Step::TransformationAnalysis);
    ws.state.Computed(Step::Analysis);
    ZapsatBody(ws, SeznamBodu::Identicke, kopie, true);
    EXPECT_FALSE(ws.state.Current(Step::TransformationAnalysis));
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
}

TEST(SeznamDoplnku, RowsAreNumberedAndClosingEmptiesTheClipboard) {
    Workspace ws;
    ws.state.Computed(Step::Analysis);
    Tmereni kopie;
    Tvyber v;
    HodnotyDoplnku h;
    h.cisloStn = "A";
    h.cisloCil = "B";
    h.hodnota = 100.5L;
    EXPECT_FALSE(VlozitDoplnek(kopie, v, DruhDoplnku::Delka, h));  // heights missing
    h.vyskaStn = 1.5L;
    h.vyskaCil = 1.6L;
    ASSERT_TRUE(VlozitDoplnek(kopie, v, DruhDoplnku::Delka, h));
    h.cisloCil = "C";
    h.odchylka = 0.002L;
    ASSERT_TRUE(VlozitDoplnek(kopie, v, DruhDoplnku::Delka, h));
    ASSERT_EQ(kopie.zaznam.size(), 2u);
    EXPECT_EQ(kopie.zaznam[1].poradi, 2);
    EXPECT_EQ(kopie.zaznam[0].sig_delka, -1);
    EXPECT_EQ(kopie.zaznam[1].sig_delka, 0.002L);

    v = Radky(2, {0});
    EXPECT_EQ(KopirovatDoplnky(ws, kopie, v), 1);
    ASSERT_TRUE(VlozitSchrankuDoplnku(ws, kopie, v));
    EXPECT_EQ(kopie.zaznam[0].cislo_cil, "B");
    EXPECT_EQ(kopie.zaznam[2].poradi, 3);
    ZapsatDoplnky(ws, DruhDoplnku::Delka, kopie, true);
    EXPECT_EQ(ws.doplnekVstup.delka.PocetPlnychZaznamu(), 3);
    EXPECT_TRUE(ws.doplnekVstup.schranka.zaznam.empty());
    EXPECT_FALSE(ws.nastaveni.schranka.mereniDoplnek_existuje);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
}

TEST(OdchylkyMereni, EditedDeviationsReachThePreparedListAndUndoTheAdjustment) {
    Workspace ws;
    Naplnit(ws);
    ws.mereniVyrovnani = ws.suroveMereni;
    ws.mereniVyrovnaniZobrazeni = ws.suroveMereni;
    ws.mereniVyrovnani.zaznam[1].delka = 0;
    ws.state.Computed(Step::Adjustment);
    Tmereni kopie = ws.mereniVyrovnani;
    const Tvyber v = Radky(kopie.zaznam.size(), {0, 1});
    HodnotyOdchylek h;
    h.smer = 1e-5L;
    h.delka = 0.003L;
    ASSERT_TRUE(UpravitOdchylky(kopie, v, h));
    EXPECT_EQ(kopie.zaznam[0].sig_delka, 0.003L);
    EXPECT_EQ(kopie.zaznam[1].sig_delka, -1);  // no distance in that row
    h.zenit = 0;
    EXPECT_FALSE(UpravitOdchylky(kopie, v, h));
    ZapsatOdchylky(ws, kopie, true);
    EXPECT_EQ(ws.mereniVyrovnani.zaznam[0].sig_smer, 1e-5L);
    EXPECT_EQ(ws.mereniVyrovnaniZobrazeni.zaznam[1].sig_smer, 1e-5L);
    EXPECT_FALSE(ws.state.Current(Step::Adjustment));
    EXPECT_TRUE(SmazatOdchylky(kopie, v));
    EXPECT_EQ(kopie.zaznam[0].sig_smer, -1);
}

}  // namespace
}  // namespace vertano
