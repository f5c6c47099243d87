#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processing/KontrolaMereni.h"
#include "processing/SkupinyTestPomocne.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/Workspace.h"

namespace vertano {
namespace {

using testskupiny::DruhaPoloha;
using testskupiny::PrvniPoloha;
using testskupiny::Seznam;

// Three occupations: S1 (one set to A and B), S2 (one set to A, without
// distances, and to S1) and S1 again (one set to A and B), then two empty rows
// as a table pads them.
void Naplnit(Workspace& ws) {
    Tzaznam bezDelkyI = PrvniPoloha(2, "A", 50);
    Tzaznam bezDelkyII = DruhaPoloha(2, "A", 50);
    bezDelkyI.delka = bezDelkyII.delka = 0;
    std::vector<Tzaznam> radky = {PrvniPoloha(1, "A", 10),
                                  PrvniPoloha(1, "B", 20),
                                  DruhaPoloha(1, "B", 20),
                                  DruhaPoloha(1, "A", 10),
                                  bezDelkyI,
                                  PrvniPoloha(2, "S1", 60),
                                  DruhaPoloha(2, "S1", 60),
                                  bezDelkyII,
                                  PrvniPoloha(3, "A", 70),
                                  PrvniPoloha(3, "B", 80),
                                  DruhaPoloha(3, "B", 80),
                                  DruhaPoloha(3, "A", 70)};
    for (Tzaznam& z : radky) {
        if (z.poradi == 3) z.cislo_stn = "S1";
    }
    ws.suroveMereni = Seznam(radky);
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ws.suroveMereni.PridejPrazdnyZaznam();
    ws.suroveMereni.PridejPrazdnyZaznam();
}

Tvyber Jeden(const Workspace& ws, int32_t i) {
    Tvyber v;
    v.Velikost(ws.suroveMereni.zaznam.size());
    v.hromadny[static_cast<size_t>(i)] = true;
    return v;
}

std::vector<int32_t> Vybrane(const Tvyber& v) {
    std::vector<int32_t> i;
    for (size_t k = 0; k < v.hromadny.size(); ++k) {
        if (v.hromadny[k]) i.push_back(static_cast<int32_t>(k));
    }
    return i;
}

TEST(TabulkaMereni, SelectionsByStationAndTargetFollowTheirRules) {
    Workspace ws;
    Naplnit(ws);
    const Tmereni& m = ws.suroveMereni;
    auto podle = [&](int32_t radek, VyberDle pravidlo) {
        Tvyber v = Jeden(ws, radek);
        EXPECT_TRUE(VybratDle(m, v, pravidlo));
        return Vybrane(v);
    };
    // "Standpoint" takes the other occupation of S1 too, "(standpoint)" does not.
    EXPECT_EQ(podle(0, VyberDle::Stanovisko), (std::vector<int32_t>{0, 1, 2, 3, 8, 9, 10, 11}));
    EXPECT_EQ(podle(0, VyberDle::StanoviskoPoradi), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(podle(0, VyberDle::Cil), (std::vector<int32_t>{0, 3, 4, 7, 8, 11}));
    EXPECT_EQ(podle(0, VyberDle::CilPoradi), (std::vector<int32_t>{0, 3}));
    EXPECT_EQ(podle(0, VyberDle::CilPoloha), (std::vector<int32_t>{0}));
    EXPECT_EQ(podle(0, VyberDle::StanoviskoCil), (std::vector<int32_t>{0, 3, 8, 11}));
    // S2 -> S1 both ways: nobody stood on S1 looking at S2.
    EXPECT_EQ(podle(5, VyberDle::StanoviskoCilOboje), (std::vector<int32_t>{5, 6}));

    // Only with exactly one reference row.
    Tvyber dva = Jeden(ws, 0);
    dva.hromadny[1] = true;
    EXPECT_FALSE(VybratDle(m, dva, VyberDle::Cil));
    EXPECT_EQ(dva.Pocet(), 2);

    // Select all leaves the padding rows unselected.
    Tvyber vse;
    VybratVse(m, vse);
    EXPECT_EQ(vse.Pocet(), 12);
    ASSERT_EQ(vse.hromadny.size(), 14u);
    EXPECT_FALSE(vse.hromadny[12]);
}

TEST(TabulkaMereni, CopyGivesTheTableTextAndCutPasteAppendsNewStations) {
    Workspace ws;
    Naplnit(ws);
    ws.state.Computed(Step::Analysis);
    Tvyber v = Jeden(ws, 7);  // the row without a distance
    const std::string text = KopirovatVybrane(ws, v);
    EXPECT_EQ(text, "2\tS2\t1.6000\tA\t1.5000\t250.00000\t300.00000\t0\r\n");
    EXPECT_TRUE(ws.nastaveni.schranka.suroveMereni_existuje);
    EXPECT_EQ(ws.schrankaMereni.zaznam.size(), 1u);

    // Cut the first station and paste it with nothing selected: it becomes the
    // last station, numbered on from the last one.
    Tvyber prvni;
    prvni.Velikost(ws.suroveMereni.zaznam.size());
    for (int i = 0; i < 4; ++i) prvni.hromadny[static_cast<size_t>(i)] = true;
    ASSERT_TRUE(VyjmoutVybrane(ws, prvni));
    EXPECT_EQ(ws.suroveMereni.PocetPlnychZaznamu(), 8);
    EXPECT_EQ(prvni.aktualni, 0);
    EXPECT_EQ(prvni.Pocet(), 0);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    ASSERT_TRUE(VlozitSchranku(ws, prvni));
    const Tmereni& m = ws.suroveMereni;
    ASSERT_EQ(m.PocetPlnychZaznamu(), 12);
    EXPECT_EQ(m.zaznam[8].poradi, 3);
    EXPECT_EQ(m.zaznam[8].cislo_stn, "S1");
    EXPECT_EQ(m.zaznam[11].cislo_cil, "A");
    EXPECT_EQ(m.PosledniPoradi(), 3);
    // The pasted station is a set again after the identification.
    EXPECT_EQ(m.zaznam[8].skupina, 1);
    EXPECT_EQ(ws.chyby.suroveMereniCekovyPocetChyb, 0);
}

TEST(TabulkaMereni, PasteOntoARowJoinsItsStationAndTwoSelectedRowsPasteNothing) {
    Workspace ws;
    Naplnit(ws);
    Tvyber v = Jeden(ws, 0);
    KopirovatVybrane(ws, v);
    Tvyber cil = Jeden(ws, 5);  // a row of S2
    ASSERT_TRUE(VlozitSchranku(ws, cil));
    const Tzaznam& z = ws.suroveMereni.zaznam[5];
    EXPECT_EQ(z.cislo_cil, "A");
    EXPECT_EQ(z.cislo_stn, "S2");
    EXPECT_EQ(z.poradi, 2);
    EXPECT_EQ(ws.suroveMereni.zaznam[6].cislo_cil, "S1");
    EXPECT_EQ(ws.suroveMereni.PocetPlnychZaznamu(), 13);

    Tvyber dva = Jeden(ws, 0);
    dva.hromadny[1] = true;
    EXPECT_FALSE(VlozitSchranku(ws, dva));
    EXPECT_EQ(ws.suroveMereni.PocetPlnychZaznamu(), 13);
}

TEST(TabulkaMereni, MoveStaysInTheStationAndDeleteMakesTheFirstSelectedRowCurrent) {
    Workspace ws;
    Naplnit(ws);
    Tvyber v = Jeden(ws, 4);
    EXPECT_FALSE(PosunoutVybrany(ws, v, true));  // first row of its station
    ASSERT_TRUE(PosunoutVybrany(ws, v, false));
    EXPECT_EQ(v.aktualni, 5);
    EXPECT_EQ(Vybrane(v), (std::vector<int32_t>{5}));
    EXPECT_EQ(ws.suroveMereni.zaznam[5].cislo_cil, "A");
    // The set of S2 is broken by the move: the checks say so.
    EXPECT_GT(ws.chyby.suroveMereniCekovyPocetChyb, 0);

    Tvyber smazat = Jeden(ws, 2);
    smazat.hromadny[9] = true;
    ASSERT_TRUE(SmazatVybrane(ws, smazat));
    EXPECT_EQ(smazat.aktualni, 2);
    EXPECT_EQ(ws.suroveMereni.PocetPlnychZaznamu(), 10);
}

TEST(TabulkaMereni, FindIncorrectWrapsAndPatternsCompareAsShown) {
    Workspace ws;
    Naplnit(ws);
    ASSERT_EQ(ws.chyby.suroveMereniCekovyPocetChyb, 0);
    EXPECT_EQ(NajitChybny(ws.suroveMereni, -1), -1);
    ws.suroveMereni.zaznam[1].kontrola[kontrola::kSmer] = true;
    ws.suroveMereni.zaznam[9].skupina = 0;
    EXPECT_EQ(NajitChybny(ws.suroveMereni, 1), 9);
    EXPECT_EQ(NajitChybny(ws.suroveMereni, 9), 1);

    const Tnastaveni& n = ws.nastaveni;
    VzorHledani vzor;
    EXPECT_EQ(NajitDleVzoru(ws.suroveMereni, vzor, n, -1, true), -1);  // no pattern
    // 250 gon as the table shows it (5 decimals of gon).
    vzor.smer = {Porovnani::Rovno, 250, {}};
    EXPECT_EQ(NajitDleVzoru(ws.suroveMereni, vzor, n, -1, true), 7);
    vzor.smer = {};
    vzor.cisloCil = {Porovnani::Obsahuje, 0, "s"};
    vzor.poloha = 2;
    EXPECT_EQ(NajitDleVzoru(ws.suroveMereni, vzor, n, 13, false), 6);
    Tvyber v;
    EXPECT_EQ(VybratDleVzoru(ws.suroveMereni, vzor, n, v), 1);
    vzor.delka = {Porovnani::Mensi, 1, {}};
    EXPECT_EQ(VybratDleVzoru(ws.suroveMereni, vzor, n, v), 0);
}

}  // namespace
}  // namespace vertano
