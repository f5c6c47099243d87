#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "VyrovnaniTestPomocne.h"
#include "supplementary/DoplnekDruh.h"
#include "support/TestSupport.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Vymena.h"

namespace vertano {
namespace {

std::filesystem::path Priklad(const std::string& jmeno) {
    return test::DataPath("../../examples/" + jmeno);
}

void Vyrovnat(Workspace& ws) {
    test::ZaznamInterakce ui;
    const auto oznameni = [&ui] {
        std::string t;
        for (const std::string& o : ui.oznameni) t += o + "\n";
        return t;
    };
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech) << oznameni();
    ASSERT_TRUE(VyrovnaniSite(ws, ui).uspech) << oznameni();
}

std::map<std::string, exchange::VyrovnanyBod> Body(const Workspace& ws) {
    exchange::VyrovnanaSit sit;
    EXPECT_TRUE(VyrovnanaSitProVymenu(ws, sit));
    std::map<std::string, exchange::VyrovnanyBod> body;
    for (const exchange::VyrovnanyBod& b : sit.body) body[b.cislo] = b;
    return body;
}

// The example network (raw measurements, given points and the supplementary
// measurements) adjusted without the rejection of outliers, so that every
// observation is in the final adjustment.
void BezVylouceni(Workspace& ws) {
    test::NastaveniTestu(ws);
    ws.nastaveni.vyrovnani.vylucovatOdlehle = false;
    nastaveni::Tprepinac& p = ws.nastaveni.prepinac;
    p.vylucovatSmer = p.vylucovatZenit = p.vylucovatDelka = false;
    p.vylucovatDoplnekDelka = p.vylucovatDoplnekSmernik = false;
    p.vylucovatDoplnekPrevyseni = p.vylucovatDoplnekProvazeni = false;
}

void Priklad(Workspace& ws) {
    BezVylouceni(ws);
    ASSERT_EQ(PridatSurovaMereni(ws, {{Priklad("sit.mtx")}}).pocetMereni, 312);
    PridatZadaneBody(ws, {Priklad("sit-given.txt")});
    PridatDoplnky(ws, DruhDoplnku::Delka, {Priklad("sit-supp-distance.txt")});
    PridatDoplnky(ws, DruhDoplnku::Smernik, {Priklad("sit-supp-bearing.txt")});
    PridatDoplnky(ws, DruhDoplnku::Prevyseni, {Priklad("sit-supp-height.txt")});
    PridatDoplnky(ws, DruhDoplnku::Provazeni, {Priklad("sit-supp-plumb.txt")});
}

TEST(GamaExchange, ExportImportAndAdjustGiveTheSameCoordinates) {
    Workspace a;
    Priklad(a);
    Vyrovnat(a);
    test::TempDir dir;
    const auto xml = dir / "sit.xml";
    const VysledekUlozeni u = ExportovatVysledky(a, exchange::Format::Gama, {}, xml);
    ASSERT_TRUE(u.uspech) << u.chyba;

    Workspace b;
    BezVylouceni(b);
    const VysledekImportuSite v = ImportovatSit(b, xml);
    ASSERT_TRUE(v.vysledek.ok) << v.zprava;
    EXPECT_EQ(v.pocetBodu, 13);     // 3 fixed, 10 adjusted with their coordinates
    EXPECT_EQ(v.pocetDoplnku, 10);  // the plumbing tie came back from a vector
    Vyrovnat(b);

    const auto pa = Body(a);
    const auto pb = Body(b);
    ASSERT_EQ(pa.size(), pb.size());
    Real nejvetsi = 0;
    for (const auto& [cislo, p] : pa) {
        const exchange::VyrovnanyBod& q = pb.at(cislo);
        EXPECT_EQ(p.fixni, q.fixni) << cislo;
        for (const Real d : {p.X - q.X, p.Y - q.Y, p.Z - q.Z})
            nejvetsi = std::max(nejvetsi, std::fabs(d));
        // The weights came with the file: the same accuracy.
        if (!p.fixni) {
            EXPECT_NEAR(double(p.sigZ), double(q.sigZ), 1e-5) << cislo;
        }
    }
    EXPECT_LT(double(nejvetsi), 1e-6) << "largest difference [m]";
}

TEST(GamaExchange, ImportOfARefusedFileAddsNothing) {
    Workspace ws;
    test::NastaveniTestu(ws);
    test::TempDir dir;
    const auto xml = dir / "bad.xml";
    std::ofstream(xml) << "<gama-local><network><points-observations>\n"
                          "<point id=\"A\" x=\"1\" y=\"2\" z=\"3\" fix=\"xyz\"/>\n"
                          "<point id=\"B\" x=\"1\" y=\"2\" fix=\"xy\"/>\n"
                          "</points-observations></network></gama-local>\n";
    const VysledekImportuSite v = ImportovatSit(ws, xml);
    EXPECT_FALSE(v.vysledek.ok);
    EXPECT_NE(v.zprava.find("line 3"), std::string::npos) << v.zprava;
    EXPECT_NE(v.zprava.find("point B"), std::string::npos) << v.zprava;
    EXPECT_TRUE(ws.suroveMereni.zaznam.empty());
    EXPECT_TRUE(ws.souradniceFixni.bod.empty());
}

TEST(ResultExchange, CsvAndGeoJsonOfTheAdjustedNetwork) {
    Workspace ws;
    Priklad(ws);
    Vyrovnat(ws);
    test::TempDir dir;
    exchange::VolbyExportu volby;
    ASSERT_TRUE(ExportovatVysledky(ws, exchange::Format::Csv, volby, dir / "body.csv").uspech);
    volby.csvMereni = true;
    ASSERT_TRUE(ExportovatVysledky(ws, exchange::Format::Csv, volby, dir / "mereni.csv").uspech);
    ASSERT_TRUE(
        ExportovatVysledky(ws, exchange::Format::GeoJson, volby, dir / "sit.geojson").uspech);
    const auto radky = [](const std::filesystem::path& p) {
        std::ifstream in(p);
        std::vector<std::string> r;
        for (std::string l; std::getline(in, l);) r.push_back(l);
        return r;
    };
    EXPECT_EQ(radky(dir / "body.csv").size(), 14u);  // header and 13 points
    const std::vector<std::string> geo = radky(dir / "sit.geojson");
    ASSERT_GE(geo.size(), 3u);
    // 13 points, 10 ellipses and the observed lines.
    std::string vse;
    for (const std::string& l : geo) vse += l;
    size_t body = 0, elipsy = 0;
    for (size_t i = vse.find("\"feature\": \"point\""); i != std::string::npos;
         i = vse.find("\"feature\": \"point\"", i + 1))
        ++body;
    for (size_t i = vse.find("\"Polygon\""); i != std::string::npos;
         i = vse.find("\"Polygon\"", i + 1))
        ++elipsy;
    EXPECT_EQ(body, 13u);
    EXPECT_EQ(elipsy, 10u);
    // Easting first: point 4001 of sit-given.txt is X 1000.0000, Y 1000.0000 only
    // if both agree; take one whose X and Y differ.
    const Tbod p = ws.souradniceFixni.BodSCislem("4010");
    std::ostringstream cekane;
    cekane << "[" << FormatFixed(p.Y, 4) << ", " << FormatFixed(p.X, 4) << ", ";
    EXPECT_NE(vse.find(cekane.str()), std::string::npos) << cekane.str();
    // A network not adjusted exports nothing and keeps an existing file.
    Workspace prazdny;
    EXPECT_FALSE(
        ExportovatVysledky(prazdny, exchange::Format::Csv, volby, dir / "body.csv").uspech);
    EXPECT_EQ(radky(dir / "body.csv").size(), 14u);
}

}  // namespace
}  // namespace vertano
