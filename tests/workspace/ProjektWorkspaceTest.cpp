#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/VysledekSite.h"
#include "files/EtapaSoubor.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"
#include "support/TestSupport.h"
#include "workspace/Projekt.h"
#include "workspace/VystupySite.h"

namespace vertano {
namespace {

using test::ZaznamInterakce;
using Lines = std::vector<std::string>;

SimulovanaSit MalaSit() {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Tiny;
    p.doplnky = true;
    p.seed = 3;
    return test::Generovat(p);
}

void NaplnitWorkspace(Workspace& ws) {
    test::NastaveniTestu(ws);
    test::NacistSit(ws, MalaSit());
    ws.nastaveni.jednotky.uhel = 3;
    ws.nastaveni.vyrovnani.typOdhadu = Odhad::Talwar;
    Tbod m = Tbod::Prazdny();
    m.cislo = ws.souradniceFixni.bod[0].cislo;
    m.JePlny = true;
    m.zkresleni = 1;
    ws.souradniceMeritko.PridejBod(m);
}

bool Vyrovnat(Workspace& ws) {
    ZaznamInterakce ui;
    if (!AnalyzaSuroveMereni(ws, ui).uspech) return false;
    return VyrovnaniSite(ws, ui).uspech;
}

void OcekavatJedinySouborProjektu(const Tinfo& info, const std::string& jmeno) {
    for (int typ = 0; typ < info::kPocetTypu; ++typ) {
        ASSERT_EQ(info.VratPocetSouboru(typ), 1) << typ;
        const info::Tsoubor& s = info.VratSoubory(typ)[0];
        EXPECT_EQ(s.ID, 1);
        EXPECT_EQ(s.jmeno, jmeno);
        EXPECT_EQ(s.pripona, ".gpr");
        EXPECT_TRUE(s.nacteni);
        EXPECT_EQ(s.hlaseni, 0);
    }
    EXPECT_EQ(info.souborProjekt.jmeno, jmeno);
}

TEST(ProjectCommands, AReopenedProjectAdjustsExactlyAsTheOriginal) {
    test::TempDir dir;
    Workspace puvodni;
    NaplnitWorkspace(puvodni);
    const VysledekProjektu ulozeno = UlozitProjekt(puvodni, dir / "job.gpr");
    ASSERT_TRUE(ulozeno.uspech) << ulozeno.soubor.message;
    OcekavatJedinySouborProjektu(puvodni.info, "job.gpr");

    Workspace otevreny;
    test::NastaveniTestu(otevreny);
    const VysledekProjektu otevreno = OtevritProjekt(otevreny, dir / "job.gpr");
    ASSERT_TRUE(otevreno.uspech) << otevreno.soubor.message;
    OcekavatJedinySouborProjektu(otevreny.info, "job.gpr");
    EXPECT_EQ(otevreny.nastaveni.jednotky.uhel, 3);
    EXPECT_EQ(otevreny.nastaveni.typJazyk, 1);
    EXPECT_EQ(otevreny.souradniceMeritko.bod.size(), 1u);
    EXPECT_EQ(otevreny.doplnekVstup.PocetMereni(), puvodni.doplnekVstup.PocetMereni());
    EXPECT_EQ(otevreny.chyby.suroveMereniCekovyPocetChyb,
              puvodni.chyby.suroveMereniCekovyPocetChyb);

    // A file added afterwards follows the project's entry.
    const auto raw = dir / "more.mtx";
    ASSERT_TRUE(UlozeniSouboru(puvodni.suroveMereni, puvodni.nastaveni, raw).ok);
    EXPECT_EQ(
        NactiSoubor(otevreny.suroveMereni, otevreny.info, otevreny.nastaveni, raw.string(), 0).id,
        2);
    SmazSoubor(otevreny.suroveMereni, otevreny.info, 2);

    ASSERT_TRUE(Vyrovnat(puvodni));
    ASSERT_TRUE(Vyrovnat(otevreny));
    const Tsouradnice& a = puvodni.modelVyrovnany.Vysledek().Souradnice();
    const Tsouradnice& b = otevreny.modelVyrovnany.Vysledek().Souradnice();
    ASSERT_EQ(a.bod.size(), b.bod.size());
    for (size_t i = 0; i < a.bod.size(); ++i) {
        EXPECT_EQ(a.bod[i].cislo, b.bod[i].cislo);
        EXPECT_EQ(a.bod[i].X, b.bod[i].X);
        EXPECT_EQ(a.bod[i].Y, b.bod[i].Y);
        EXPECT_EQ(a.bod[i].Z, b.bod[i].Z);
        EXPECT_EQ(a.bod[i].Presnost().elipsa.a_delka, b.bod[i].Presnost().elipsa.a_delka);
    }
    EXPECT_EQ(puvodni.modelVyrovnany.Vysledek().OdchylkaJednotkovaAposterior(),
              otevreny.modelVyrovnany.Vysledek().OdchylkaJednotkovaAposterior());
}

TEST(ProjectCommands, AFailedOpenLeavesDefaultsAndEmptyListsButTheOtherFileLists) {
    test::TempDir dir;
    Workspace ws;
    NaplnitWorkspace(ws);
    ws.info.RegistrovatSoubor(info::kSouradniceFixni, dir / "given.txt", 0, true, 5);
    ws.info.souborProjekt = info::FileEntryFromPath(dir / "old.gpr", 0, true, 0);
    test::WriteBytes(dir / "bad.gpr", "<1>\r\n1\r\n</1>\r\n");
    const VysledekProjektu r = OtevritProjekt(ws, dir / "bad.gpr");
    ASSERT_FALSE(r.uspech);
    EXPECT_NE(r.soubor.message.find("bad.gpr"), std::string::npos);
    EXPECT_NE(r.soubor.message.find("\"<2>\" is missing"), std::string::npos) << r.soubor.message;
    Tnastaveni vychozi;
    vychozi.Default();
    EXPECT_EQ(ws.nastaveni.jednotky.uhel, vychozi.jednotky.uhel);
    EXPECT_EQ(ws.nastaveni.vyrovnani.typOdhadu, vychozi.vyrovnani.typOdhadu);
    EXPECT_TRUE(ws.suroveMereni.zaznam.empty());
    EXPECT_TRUE(ws.souradniceFixni.bod.empty());
    EXPECT_TRUE(ws.souradniceMeritko.bod.empty());
    EXPECT_EQ(ws.doplnekVstup.PocetMereni(), 0);
    EXPECT_TRUE(ws.info.souborProjekt.jmeno.empty());
    EXPECT_EQ(ws.info.VratPocetSouboru(info::kSouradniceFixni), 1);
}

TEST(ProjectCommands, AFailedSaveKeepsTheOldFileAndTheStateAndAnnounces28) {
    test::TempDir dir;
    Workspace ws;
    NaplnitWorkspace(ws);
    test::WriteBytes(dir / "job.gpr", "yesterday's project");
    ws.souradniceFixni.bod[1].cislo = "40 02";
    const VysledekProjektu r = UlozitProjekt(ws, dir / "job.gpr");
    EXPECT_FALSE(r.uspech);
    EXPECT_EQ(ws.chyby.cisloOznameni, 28);
    EXPECT_NE(r.soubor.message.find("section 3 (given points), point 2 (40 02)"), std::string::npos)
        << r.soubor.message;
    EXPECT_EQ(test::ReadBytes(dir / "job.gpr"), "yesterday's project");
    EXPECT_EQ(ws.info.VratPocetSouboru(info::kSurovaMereni), 0);
    EXPECT_TRUE(ws.info.souborProjekt.jmeno.empty());
}

Lines Sekce(const Lines& text, int n) {
    Lines s;
    bool uvnitr = false;
    for (const std::string& r : text) {
        if (r == "</" + std::to_string(n) + ">") uvnitr = false;
        if (uvnitr) s.push_back(r);
        if (r == "<" + std::to_string(n) + ">") uvnitr = true;
    }
    return s;
}

TEST(ProjectCommands, EpochOfTheAdjustedNetwork) {
    test::TempDir dir;
    Workspace ws;
    NaplnitWorkspace(ws);
    EXPECT_FALSE(ZapsatEtapuSite(ws, dir / "e.epc").uspech) << "no adjustment yet";
    EXPECT_EQ(ws.chyby.cisloOznameni, 28);
    EXPECT_FALSE(std::filesystem::exists(dir / "e.epc"));
    ASSERT_TRUE(Vyrovnat(ws));
    const VysledekUlozeni r = ZapsatEtapuSite(ws, dir / "e.epc");
    ASSERT_TRUE(r.uspech) << r.chyba;
    TextFile f;
    ASSERT_TRUE(ReadTextFile(dir / "e.epc", f).Ok());
    const TmodelSite& m = ws.modelVyrovnany;
    const Lines s1 = Sekce(f.lines, 1);
    ASSERT_EQ(s1.size(), 17u);
    EXPECT_EQ(s1[8], std::to_string(m.Vysledek().PocetSouradnic() / 3));
    EXPECT_EQ(s1[12], std::to_string(m.Vysledek().PocetNeznamych()));
    const Lines s2 = Sekce(f.lines, 2);
    ASSERT_EQ(s2.size(), m.Vysledek().Souradnice().bod.size());
    const std::vector<std::string> t = Tokenize(s2[0]);
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[5], "-1");
    Real x = 0;
    ASSERT_EQ(ParseNumber(t[1], x), NumberStatus::Ok);
    EXPECT_NEAR(x, m.Vysledek().Souradnice().bod[0].X, 5e-7);
    EXPECT_LE(t[1].size() - t[1].find('.'), 7u);
    size_t hodnot = 0;
    const Lines s3 = Sekce(f.lines, 3);
    for (size_t i = 0; i < s3.size(); ++i) {
        const size_t n = Tokenize(s3[i]).size();
        hodnot += n;
        if (i + 1 < s3.size()) {
            EXPECT_EQ(n, 10u);
        }
    }
    const auto n = static_cast<size_t>(m.Vysledek().PocetSouradnicUrcovanych());
    EXPECT_EQ(hodnot, n * (n + 1) / 2);
    EXPECT_EQ(Sekce(f.lines, 4).size(), static_cast<size_t>(ws.grafika.pocetMereni));

    // The cofactors, computed and written a column at a time, are those of the
    // whole block to the last digit.
    Tmatrix q;
    ASSERT_TRUE(m.KofaktorovaMatice(m.Vysledek().PocetSouradnicUrcovanych(), q));
    const std::vector<Real> cele = KofaktoryEtapy(q, m.Vysledek().PocetSouradnicUrcovanych());
    std::vector<std::string> zapsane;
    for (const std::string& radek : s3) {
        for (const std::string& hodnota : Tokenize(radek)) zapsane.push_back(hodnota);
    }
    ASSERT_EQ(zapsane.size(), cele.size());
    for (size_t k = 0; k < cele.size(); ++k) EXPECT_EQ(zapsane[k], FormatGeneral(cele[k])) << k;
    // The estimate of its size, which decides whether to ask, is of its order.
    const auto velikost = static_cast<int64_t>(std::filesystem::file_size(dir / "e.epc"));
    EXPECT_GT(VelikostEtapySite(ws), velikost / 2);
    EXPECT_LT(VelikostEtapySite(ws), velikost * 2);
}

}  // namespace
}  // namespace vertano
