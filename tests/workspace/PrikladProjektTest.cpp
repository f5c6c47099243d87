#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/VysledekSite.h"
#include "supplementary/DoplnekDruh.h"
#include "support/TestSupport.h"
#include "workspace/OtevreniProjektu.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Projekt.h"

namespace vertano {
namespace {

std::filesystem::path Priklad(const std::string& jmeno) {
    return test::DataPath("../../examples/" + jmeno);
}

// The example network as the files of examples/ give it.
void NacistSoubory(Workspace& ws) {
    ASSERT_EQ(PridatSurovaMereni(ws, {{Priklad("sit.mtx")}}).pocetMereni, 312);
    ASSERT_EQ(PridatZadaneBody(ws, {Priklad("sit-given.txt")}).files.size(), 1u);
    ASSERT_EQ(PridatIdentickeBody(ws, {Priklad("sit-identical.txt")}).files.size(), 1u);
    const std::pair<DruhDoplnku, const char*> doplnky[] = {
        {DruhDoplnku::Delka, "sit-supp-distance.txt"},
        {DruhDoplnku::Smernik, "sit-supp-bearing.txt"},
        {DruhDoplnku::Prevyseni, "sit-supp-height.txt"},
        {DruhDoplnku::Provazeni, "sit-supp-plumb.txt"}};
    for (const auto& [druh, jmeno] : doplnky) PridatDoplnky(ws, druh, {Priklad(jmeno)});
}

auto Radek(const Tzaznam& z) {
    return std::tie(z.poradi, z.skupina, z.poloha, z.cislo_stn, z.cislo_cil, z.vyska_stn,
                    z.vyska_cil, z.delka, z.smer, z.zenit, z.smernik, z.sig_delka, z.sig_smer,
                    z.sig_zenit, z.posun, z.sig_posun);
}

void OcekavatStejneRadky(const Tmereni& a, const Tmereni& b, const char* seznam) {
    ASSERT_EQ(a.zaznam.size(), b.zaznam.size()) << seznam;
    for (std::size_t i = 0; i < a.zaznam.size(); ++i)
        EXPECT_TRUE(Radek(a.zaznam[i]) == Radek(b.zaznam[i])) << seznam << ", row " << i + 1;
}

auto Bod(const Tbod& b) {
    return std::tie(b.JePlny, b.JeFixni, b.cislo, b.X, b.Y, b.Z, b.Presnost().sig_X,
                    b.Presnost().sig_Y, b.Presnost().sig_Z);
}

void OcekavatStejneBody(const Tsouradnice& a, const Tsouradnice& b, const char* seznam) {
    ASSERT_EQ(a.bod.size(), b.bod.size()) << seznam;
    for (std::size_t i = 0; i < a.bod.size(); ++i)
        EXPECT_TRUE(Bod(a.bod[i]) == Bod(b.bod[i])) << seznam << ", point " << a.bod[i].cislo;
}

// The project kept in examples/ is the example network: the same rows, points,
// supplementary measurements and settings as the files, and the same adjusted
// coordinates to the last bit. When it fails, write the project again with the
// command of examples/README.md.
TEST(ExampleProject, HoldsTheExampleFilesAndAdjustsAsThey) {
    Workspace zeSouboru;
    test::NastaveniTestu(zeSouboru);
    NacistSoubory(zeSouboru);

    Workspace zProjektu;
    test::NastaveniTestu(zProjektu);
    const VysledekProjektu v = OtevritProjektBezZtraty(zProjektu, Priklad("sit.gpr"));
    ASSERT_TRUE(v.uspech) << v.soubor.message;

    OcekavatStejneRadky(zeSouboru.suroveMereni, zProjektu.suroveMereni, "raw measurements");
    OcekavatStejneBody(zeSouboru.souradniceFixni, zProjektu.souradniceFixni, "given points");
    OcekavatStejneBody(zeSouboru.souradniceTransformaceVstup, zProjektu.souradniceTransformaceVstup,
                       "identical points");
    EXPECT_EQ(zProjektu.souradniceMeritko.Pocet(), 0);
    for (const DruhDoplnku druh : doplnek::kPoradiKontroly)
        OcekavatStejneRadky(*zeSouboru.doplnekVstup.Seznam(druh),
                            *zProjektu.doplnekVstup.Seznam(druh), "supplementary measurements");
    EXPECT_EQ(zProjektu.doplnekVstup.PocetMereni(), 10);
    const Tnastaveni& a = zeSouboru.nastaveni;
    const Tnastaveni& b = zProjektu.nastaveni;
    EXPECT_EQ(b.jednotky.uhel, a.jednotky.uhel);
    EXPECT_EQ(b.jednotky.delka, a.jednotky.delka);
    EXPECT_EQ(b.vyrovnani.typOdhadu, a.vyrovnani.typOdhadu);
    EXPECT_EQ(b.souborVstup.typSouradnice, a.souborVstup.typSouradnice);
    EXPECT_EQ(ChybySurovychMereni(zProjektu), 0);

    test::ZaznamInterakce ui;
    for (Workspace* ws : {&zeSouboru, &zProjektu}) {
        ASSERT_TRUE(AnalyzaSuroveMereni(*ws, ui).uspech);
        ASSERT_TRUE(VyrovnaniSite(*ws, ui).uspech);
    }
    const Tsouradnice& s1 = zeSouboru.modelVyrovnany.Vysledek().Souradnice();
    const Tsouradnice& s2 = zProjektu.modelVyrovnany.Vysledek().Souradnice();
    EXPECT_EQ(s1.PocetPlnychBodu(), 13);
    OcekavatStejneBody(s1, s2, "adjusted points");
}

// The window's open: a file that cannot be read leaves everything as it was.
TEST(ExampleProject, AFailedOpenKeepsTheWorkspace) {
    test::TempDir dir;
    Workspace ws;
    test::NastaveniTestu(ws);
    NacistSoubory(ws);
    ws.state.Computed(Step::Analysis);
    const std::size_t radky = ws.suroveMereni.zaznam.size();
    {
        std::ofstream vadny(dir / "bad.gpr");
        vadny << "<1>\r\nnot a project\r\n";
    }
    for (const std::filesystem::path& cesta : {dir / "bad.gpr", dir / "missing.gpr"}) {
        const VysledekProjektu v = OtevritProjektBezZtraty(ws, cesta);
        EXPECT_FALSE(v.uspech);
        EXPECT_NE(v.soubor.message.find(cesta.filename().string()), std::string::npos)
            << v.soubor.message;
        EXPECT_EQ(ws.suroveMereni.zaznam.size(), radky);
        EXPECT_EQ(ws.souradniceFixni.PocetPlnychBodu(), 3);
        EXPECT_EQ(ws.doplnekVstup.PocetMereni(), 10);
        EXPECT_TRUE(ws.state.Current(Step::Analysis));
        EXPECT_TRUE(OtevreniZahodiData(ws));
        EXPECT_EQ(ws.info.souborProjekt.jmeno, "");
    }
}

// Every add command leaves the report of the files it added, the refused ones
// with the line that stopped them, and nothing of the files added before.
TEST(ExampleProject, EveryAddCommandReportsItsFiles) {
    test::TempDir dir;
    {
        std::ofstream vadny(dir / "bad-given.txt");
        vadny << "4001 1004.4463 993.4797 240.3368\r\n4010 1228.9347 x 242.9962\r\n";
    }
    Workspace ws;
    test::NastaveniTestu(ws);
    auto radky = [&ws] {
        std::string text;
        for (const std::string& r : ws.protokolPridatSoubor.Radky()) text += r + "\n";
        return text;
    };
    PridatZadaneBody(ws, {Priklad("sit-given.txt"), dir / "bad-given.txt"});
    std::string text = radky();
    EXPECT_NE(text.find("sit-given.txt  Ok"), std::string::npos) << text;
    EXPECT_NE(text.find("bad-given.txt   -  2"), std::string::npos) << text;

    // Each addition is an unsaved change and makes stale what was made from
    // its list.
    const auto aktualni = [&ws] {
        for (const Step s : {Step::Analysis, Step::TransformationAnalysis}) ws.state.Computed(s);
        ws.state.MarkSaved(SettingsAsStored(ws.nastaveni));
    };
    aktualni();
    PridatDoplnky(ws, DruhDoplnku::Delka, {Priklad("sit-supp-distance.txt")});
    text = radky();
    EXPECT_NE(text.find("sit-supp-distance.txt"), std::string::npos) << text;
    EXPECT_EQ(text.find("given"), std::string::npos) << text;
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_TRUE(ws.state.InputsChangedSinceSave());

    aktualni();
    PridatMeritka(ws, {Priklad("sit-given.txt")});
    EXPECT_NE(radky().find("sit-given.txt"), std::string::npos);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_TRUE(ws.state.InputsChangedSinceSave());
    aktualni();
    PridatIdentickeBody(ws, {Priklad("sit-identical.txt")});
    EXPECT_NE(radky().find("sit-identical.txt"), std::string::npos);
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
    EXPECT_FALSE(ws.state.Current(Step::TransformationAnalysis));
    EXPECT_TRUE(ws.state.InputsChangedSinceSave());
}

}  // namespace
}  // namespace vertano
