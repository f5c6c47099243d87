#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/VysledekSite.h"
#include "files/DoplnekSoubory.h"
#include "files/SouradniceSoubory.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Jednotky.h"
#include "supplementary/DoplnekDruh.h"
#include "support/TestSupport.h"
#include "workspace/SimulaceSoubory.h"

namespace vertano {
namespace {

using test::ZaznamInterakce;

// The files of a generated network read into a workspace with the settings they
// were written with, as a surveyor adds them in the windows.
void NacistSoubory(Workspace& ws, const SimulaceFormat& f, const std::filesystem::path& prefix) {
    ws.nastaveni = NastaveniSimulace(f);
    ws.nastaveni.souborVstup.typSuroveMereni = static_cast<uint8_t>(f.format);
    ws.nastaveni.pocetVlaknaVse = 2;
    ws.NastavitJazyk(1);
    std::filesystem::path raw = prefix;
    raw += f.format == format::kAsc ? ".asc" : ".mtx";
    const RawLoadReport r = NacteniSouboru(ws.suroveMereni, ws.info, ws.nastaveni, {raw});
    ASSERT_EQ(r.files.size(), 1u);
    ASSERT_TRUE(r.files[0].message.empty()) << r.files[0].message;
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ws.nastaveni.okno.bodyVstup = kBodyVstupFixni;
    const CoordinateLoadReport b = NacteniSouboru(ws.souradniceFixni, ws.info, ws.nastaveni,
                                                  {SouborSimulace(prefix, kKonecZadane)}, ws.chyby);
    ASSERT_TRUE(b.AllLoaded());
    for (const DruhDoplnku druh : doplnek::kPoradiKontroly) {
        const SupplementaryLoadReport d =
            NacteniSouboruDoplnek(ws.doplnekVstup, druh, ws.info, ws.nastaveni, ws.chyby,
                                  {SouborSimulace(prefix, kKonecDoplnku[KodDruhu(druh) - 1])});
        ASSERT_TRUE(d.AllLoaded()) << KodDruhu(druh);
    }
}

// Every unit system gives the same adjusted network, within the decimals the
// files keep, and that network agrees with the truth.
TEST(VyrovnaniSoubory, GonMetresAndDmsFeetGiveTheSameNetwork) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 12;
    p.pocetSousedu = 6;
    p.doplnky = true;
    p.pocetHrubych = 1;
    p.seed = 4;
    const SimulovanaSit sit = test::Generovat(p);
    const test::TempDir dir;
    SimulaceFormat gon;
    SimulaceFormat dms;
    dms.format = format::kAsc;
    dms.uhel = jednotka::kDms;
    dms.delka = jednotka::kStopa;
    dms.souradnice = jednotka::kStopa;

    std::vector<Tsouradnice> vysledky;
    for (const SimulaceFormat& f : {gon, dms}) {
        SCOPED_TRACE(f.uhel);
        const std::filesystem::path prefix = dir / ("n" + std::to_string(f.uhel));
        const SimulaceUlozeni u = UlozitSimulaci(sit, f, prefix);
        ASSERT_TRUE(u.ok) << u.message;
        Workspace ws;
        NacistSoubory(ws, f, prefix);
        ZaznamInterakce ui;
        ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
        const VysledekVyrovnani v = VyrovnaniSite(ws, ui);
        ASSERT_TRUE(v.uspech) << v.chyba;
        EXPECT_GT(ws.modelVyrovnany.Vysledek().Doplnek().pocet, 0);
        test::OcekavatVRamciTriSigma(test::Porovnat(ws, sit));
        for (const HrubaChyba& h : sit.hrubeChyby) {
            const TmerenaVelicina* z = test::Pozorovani(ws, h);
            if (z != nullptr) {
                EXPECT_TRUE(z->jeOdlehly) << h.stanovisko << " - " << h.cil;
            }
        }
        vysledky.push_back(ws.modelVyrovnany.Vysledek().Souradnice());
    }
    ASSERT_EQ(vysledky[0].Pocet(), vysledky[1].Pocet());
    for (int i = 0; i < vysledky[0].Pocet(); ++i) {
        const Tbod& a = vysledky[0].bod[static_cast<std::size_t>(i)];
        const Tbod& b = vysledky[1].bod[static_cast<std::size_t>(i)];
        ASSERT_EQ(a.cislo, b.cislo);
        EXPECT_NEAR(a.X, b.X, 2e-4);
        EXPECT_NEAR(a.Y, b.Y, 2e-4);
        EXPECT_NEAR(a.Z, b.Z, 2e-4);
    }
}

}  // namespace
}  // namespace vertano
