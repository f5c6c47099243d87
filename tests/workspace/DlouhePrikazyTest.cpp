// The long commands report their progress and stop when the interaction asks
// them to: a stopped command leaves the workspace as it was and writes no file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/KofaktoryText.h"
#include "data/Interaction.h"
#include "support/TestSupport.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/SimulaceSoubory.h"
#include "workspace/VystupySite.h"
#include "workspace/Workspace.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano {
namespace {

using test::Generovat;
using test::NacistSit;
using test::NastaveniTestu;

SimulaceParametry Mrizka(int32_t pocetBodu) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = pocetBodu;
    p.pocetZadanych = 4;
    return p;
}

std::string Obsah(const std::filesystem::path& cesta) {
    std::ifstream f(cesta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Station, target, station number, set and direction of every row.
std::vector<std::string> Radky(const Tmereni& m) {
    std::vector<std::string> r;
    for (const Tzaznam& z : m.zaznam) {
        r.push_back(z.cislo_stn + " " + z.cislo_cil + " " + std::to_string(z.poradi) + " " +
                    std::to_string(static_cast<double>(static_cast<Real>(z.smer))));
    }
    return r;
}

TEST(LongCommands, RawFilesReadAsideAreTakenOverAsAddedAndAStopAddsNothing) {
    test::TempDir dir;
    const SimulovanaSit sit = Generovat(Mrizka(30));
    ASSERT_TRUE(UlozitSimulaci(sit, SimulaceFormat{}, dir / "a").ok);
    ASSERT_TRUE(UlozitSimulaci(sit, SimulaceFormat{}, dir / "b").ok);
    const std::vector<SouborKNacteni> soubory = {{dir / "a.mtx", format::kMtx},
                                                 {dir / "b.mtx", format::kMtx}};
    const Tnastaveni nastaveni = NastaveniSimulace(SimulaceFormat{});

    Workspace primo;
    primo.nastaveni = nastaveni;
    const VysledekPridaniSurovych a = PridatSurovaMereni(primo, soubory);
    ASSERT_EQ(a.nacteno, 2);

    Workspace ws;
    ws.nastaveni = nastaveni;
    SilentInteraction ui;
    PripravenaSurova pripravena = NacistSurovaMereni(ws, soubory, ui);
    // Only read so far: the workspace is untouched until it is taken over.
    EXPECT_TRUE(ws.suroveMereni.zaznam.empty());
    EXPECT_EQ(ws.info.VratPocetSouboru(info::kSurovaMereni), 0);
    EXPECT_EQ(ui.lastTotal, 2);
    EXPECT_EQ(ui.lastStage, "");
    const VysledekPridaniSurovych b = PrevzitSurovaMereni(ws, std::move(pripravena));
    EXPECT_FALSE(b.zruseno);
    EXPECT_EQ(b.nacteno, a.nacteno);
    EXPECT_EQ(b.registrovano, a.registrovano);
    EXPECT_EQ(b.pocetMereni, a.pocetMereni);
    EXPECT_EQ(Radky(ws.suroveMereni), Radky(primo.suroveMereni));
    EXPECT_EQ(ws.info.VratPocetSouboru(info::kSurovaMereni), 2);
    EXPECT_EQ(ws.chyby.suroveMereniPocetChyb.smer, primo.chyby.suroveMereniPocetChyb.smer);
    EXPECT_EQ(ws.protokolPridatSoubor.Radky(), primo.protokolPridatSoubor.Radky());

    // A stop after the first file: nothing of it is added, the list, the
    // register of files and the report are as they were.
    const std::vector<std::string> pred = Radky(ws.suroveMereni);
    const std::vector<std::string> protokol = ws.protokolPridatSoubor.Radky();
    for (const int poKolika : {1, 2, 3}) {
        SilentInteraction stop;
        stop.stopAfter = poKolika;
        const VysledekPridaniSurovych z =
            PrevzitSurovaMereni(ws, NacistSurovaMereni(ws, soubory, stop));
        EXPECT_TRUE(z.zruseno) << poKolika;
        EXPECT_EQ(Radky(ws.suroveMereni), pred);
        EXPECT_EQ(ws.info.VratPocetSouboru(info::kSurovaMereni), 2);
        EXPECT_EQ(ws.protokolPridatSoubor.Radky(), protokol);
    }
}

// An adjusted network of `pocetBodu` points (analysis and adjustment done).
void Vyrovnat(Workspace& ws, int32_t pocetBodu) {
    NastaveniTestu(ws);
    NacistSit(ws, Generovat(Mrizka(pocetBodu)));
    SilentInteraction ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
    ASSERT_TRUE(VyrovnaniSite(ws, ui).uspech);
}

TEST(LongCommands, TheAdjustmentStopsWhenTheInteractionAsksAndKeepsTheAnalysis) {
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, Generovat(Mrizka(30)));
    SilentInteraction ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
    SilentInteraction stop;
    stop.stopAfter = 2;
    const VysledekVyrovnani v = VyrovnaniSite(ws, stop);
    EXPECT_TRUE(v.zruseno);
    EXPECT_FALSE(v.uspech);
    EXPECT_FALSE(ws.state.Current(Step::Adjustment));
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
    EXPECT_EQ(ws.modelVyrovnany.Vysledek().PocetMereni(), -1);
    EXPECT_TRUE(VyrovnaniSite(ws, ui).uspech);
}

TEST(LongCommands, TheEpochReportsItsColumnsAndAStopKeepsTheFileAsItWas) {
    test::TempDir dir;
    Workspace ws;
    Vyrovnat(ws, 30);
    const int32_t n = ws.modelVyrovnany.Vysledek().PocetSouradnicUrcovanych();
    SilentInteraction ui;
    const VysledekUlozeni v = ZapsatEtapuSite(ws, dir / "e.epc", DruhVysledku::Vyrovnani, &ui);
    ASSERT_TRUE(v.uspech) << v.chyba;
    EXPECT_FALSE(v.zruseno);
    EXPECT_EQ(ui.progressCalls, n);
    EXPECT_EQ(ui.lastTotal, n);
    // The same file as without an interaction.
    ASSERT_TRUE(ZapsatEtapuSite(ws, dir / "f.epc").uspech);
    const std::string obsah = Obsah(dir / "e.epc");
    EXPECT_EQ(obsah, Obsah(dir / "f.epc"));

    ws.chyby.Oznameni(0);
    SilentInteraction stop;
    stop.stopAfter = n / 2;
    const VysledekUlozeni z = ZapsatEtapuSite(ws, dir / "e.epc", DruhVysledku::Vyrovnani, &stop);
    EXPECT_FALSE(z.uspech);
    EXPECT_TRUE(z.zruseno);
    EXPECT_TRUE(z.chyba.empty());
    EXPECT_EQ(ws.chyby.cisloOznameni, 0);  // no "cannot save" announced
    EXPECT_EQ(Obsah(dir / "e.epc"), obsah);
    SilentInteraction hned;
    hned.stopAfter = 1;
    EXPECT_TRUE(ZapsatEtapuSite(ws, dir / "g.epc", DruhVysledku::Vyrovnani, &hned).zruseno);
    EXPECT_FALSE(std::filesystem::exists(dir / "g.epc"));
    for (const auto& f : std::filesystem::directory_iterator(dir.Path()))
        EXPECT_TRUE(f.path().extension() == ".epc") << f.path() << " left behind";
}

TEST(LongCommands, TheWeightMatrixByColumnsIsTheMatrixAndAStopKeepsNoText) {
    Workspace ws;
    Vyrovnat(ws, 30);
    TmodelSite& m = ws.modelVyrovnany;
    const int32_t n = RozmerMaticeVah(m);
    ASSERT_GT(n, 0);
    SilentInteraction stop;
    stop.stopAfter = n + 5;  // in the rows of the text
    bool zruseno = false;
    EXPECT_TRUE(MaticeVahText(m, stop, zruseno).empty());
    EXPECT_TRUE(zruseno);
    EXPECT_TRUE(m.Vysledek().KovariancniMaticeStr().empty());

    SilentInteraction ui;
    const std::string text = MaticeVahText(m, ui, zruseno);
    EXPECT_FALSE(zruseno);
    EXPECT_EQ(ui.lastTotal, 2 * static_cast<int64_t>(n));
    EXPECT_EQ(ui.lastDone, 2 * static_cast<int64_t>(n) - 1);
    Tmatrix q;
    ASSERT_TRUE(m.KofaktorovaMatice(n, q));
    EXPECT_EQ(text, KofaktoryText(q, n));
    EXPECT_EQ(m.Vysledek().KovariancniMaticeStr(), text);
    // Kept: the plain call gives it without computing again.
    EXPECT_EQ(&MaticeVahText(m), &m.Vysledek().KovariancniMaticeStr());
}

}  // namespace
}  // namespace vertano
