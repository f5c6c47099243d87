#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "drawing/TgrafikaData.h"
#include "matice/Konstanty.h"
#include "support/TestSupport.h"
#include "workspace/MapaSite.h"
#include "workspace/TextTabulky.h"
#include "workspace/VystupySite.h"

namespace vertano {
namespace {

using test::Generovat;
using test::NacistSit;
using test::NastaveniTestu;
using test::ZaznamInterakce;

// One station on a given point observing eight given points in two sets, one
// direction spoiled by 1 gon: the outlier test rejects it.
class SitSOdlehlym : public ::testing::Test {
  protected:
    void SetUp() override {
        SimulaceParametry p;
        p.tvar = SimulaceTvar::Grid;
        p.pocetBodu = 12;
        p.pocetZadanych = 12;
        p.pocetStanovisek = 1;
        p.pocetSousedu = 8;
        p.seed = 2;
        SimulovanaSit sit = Generovat(p);
        for (Tzaznam& z : sit.mereni.zaznam) {
            if (z.poloha && z.skupina == 2 && spoiled.empty()) {
                z.smer = std::fmod(z.smer + GonNaRad(1), kDvePi);
                stanovisko = z.cislo_stn;
                spoiled = z.cislo_cil;
            }
        }
        ASSERT_FALSE(spoiled.empty());
        NastaveniTestu(ws);
        NacistSit(ws, sit);
        ZaznamInterakce ui;
        ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
        ASSERT_TRUE(VyrovnaniSite(ws, ui).uspech);
        ASSERT_TRUE(DataKresbySite(ws, DruhVysledku::Vyrovnani, data)) << data.chyba;
    }
    Workspace ws;
    TgrafikaData data;
    std::string stanovisko;
    std::string spoiled;
};

TEST_F(SitSOdlehlym, APointOfTheMapCarriesItsFiguresAndEveryObservationAtIt) {
    BodMapy b;
    ASSERT_TRUE(InformaceBodu(ws, DruhVysledku::Vyrovnani, " " + spoiled + " ", true, b));
    const Tbod& model = ws.modelVyrovnany.Vysledek().Souradnice().BodSCislem(spoiled);
    EXPECT_EQ(b.bod.cislo, spoiled);
    EXPECT_EQ(b.bod.X, model.X);
    EXPECT_EQ(b.bod.Y, model.Y);
    EXPECT_EQ(b.bod.Z, model.Z);
    ASSERT_FALSE(b.mereni.empty());
    int odlehle = 0;
    for (const MereniBodu& m : b.mereni) {
        EXPECT_TRUE(m.z.cislo_stn == spoiled || m.z.cislo_cil == spoiled);
        EXPECT_NE(m.z.typ, Velicina::Zadna);
        if (!m.jeOdlehle) continue;
        ++odlehle;
        EXPECT_EQ(m.z.typ, Velicina::Smer);
        EXPECT_EQ(m.z.cislo_stn, stanovisko);
        // Its residual in the outlier test: most of the half gon of its face mean.
        EXPECT_GT(std::fabs(m.z.oprava), GonNaRad(0.3L));
    }
    EXPECT_EQ(odlehle, 1);

    // A posteriori the deviations follow the other unit standard deviation.
    BodMapy a;
    ASSERT_TRUE(InformaceBodu(ws, DruhVysledku::Vyrovnani, spoiled, false, a));
    EXPECT_EQ(a.bod.X, b.bod.X);
    EXPECT_EQ(a.mereni.size(), b.mereni.size());

    EXPECT_FALSE(InformaceBodu(ws, DruhVysledku::Vyrovnani, "no such point", true, b));
    EXPECT_FALSE(InformaceBodu(ws, DruhVysledku::BodASmernik, spoiled, true, b));
}

TEST_F(SitSOdlehlym, TheRejectedOutlierIsALineOfItsOwnAndSearchFindsPoints) {
    const std::vector<ZvlastniSpojnice> s = ZvlastniSpojniceMapy(ws, data);
    const int i = NajitBodKresby(data, stanovisko);
    const int j = NajitBodKresby(data, spoiled);
    ASSERT_GE(i, 0);
    ASSERT_GE(j, 0);
    const auto odlehla = std::count_if(s.begin(), s.end(), [](const ZvlastniSpojnice& z) {
        return z.druh == DruhSpojnice::Odlehla;
    });
    EXPECT_EQ(odlehla, 1);
    const auto tato = std::find_if(s.begin(), s.end(), [&](const ZvlastniSpojnice& z) {
        return z.druh == DruhSpojnice::Odlehla && z.iStn == std::min(i, j) &&
               z.iCil == std::max(i, j);
    });
    EXPECT_NE(tato, s.end());
    EXPECT_EQ(NajitBodKresby(data, " " + spoiled), j);
    EXPECT_EQ(NajitBodKresby(data, "missing"), -1);
    EXPECT_EQ(NajitBodKresby(data, ""), -1);

    Workspace prazdny;
    EXPECT_TRUE(ZvlastniSpojniceMapy(prazdny, data).empty());
}

TEST(TextTabulky, CellsSortNumericallyByNameAndBlanksLast) {
    EXPECT_LT(PorovnatBunky("9.5", "10.25"), 0);
    EXPECT_LT(PorovnatBunky("-3", "2"), 0);
    EXPECT_LT(PorovnatBunky("-10.001", "-10"), 0);
    EXPECT_GT(PorovnatBunky(" 100.000", "99.999"), 0);
    EXPECT_LT(PorovnatBunky("P2", "P10"), 0);
    EXPECT_LT(PorovnatBunky("4002", "10001"), 0);
    EXPECT_LT(PorovnatBunky("a7", "B1"), 0);
    // Not numbers (an angle in degrees, minutes, seconds): piece by piece.
    EXPECT_GT(PorovnatBunky("120 15 30", "45 00 00"), 0);
    EXPECT_GT(PorovnatBunky("", "1"), 0);
    EXPECT_LT(PorovnatBunky("x", " "), 0);
    EXPECT_EQ(PorovnatBunky("", ""), 0);
    EXPECT_EQ(PorovnatBunky("5.000", "5.000"), 0);
    // A strict order: never both "less".
    for (const char* a : {"1", "01", "1.0", "A", "a"}) {
        for (const char* b : {"1", "01", "1.0", "A", "a"}) {
            EXPECT_EQ(PorovnatBunky(a, b), -PorovnatBunky(b, a)) << a << " " << b;
        }
    }
}

TEST(TextTabulky, CsvQuotesWhatNeedsItAndKeepsThePoint) {
    const std::string csv = CsvTabulky(
        {"Point Number", "Coordinates X [m]"},
        {{"  4001", "  1000.125"}, {"A,1", "say \"hi\""}, {"Bod Ž", "line\nbreak"}, {"", ""}});
    EXPECT_EQ(csv,
              "Point Number,Coordinates X [m]\r\n"
              "4001,1000.125\r\n"
              "\"A,1\",\"say \"\"hi\"\"\"\r\n"
              "Bod Ž,\"line\nbreak\"\r\n"
              ",\r\n");
    const test::TempDir slozka;
    const std::filesystem::path cesta = slozka.Path() / "tabulka.csv";
    std::string chyba;
    ASSERT_TRUE(UlozitCsvTabulky(cesta, {"a", "b"}, {{"1.5", "x,y"}}, chyba)) << chyba;
    std::ifstream soubor(cesta, std::ios::binary);
    const std::string obsah((std::istreambuf_iterator<char>(soubor)), {});
    EXPECT_EQ(obsah, "a,b\r\n1.5,\"x,y\"\r\n");
    EXPECT_EQ(ZahlaviNaRadek("Station\nNumber"), "Station Number");
    EXPECT_EQ(ZahlaviNaRadek("\nnorm. residual"), "norm. residual");
    EXPECT_EQ(ZahlaviNaRadek("Just one"), "Just one");
}

}  // namespace
}  // namespace vertano
