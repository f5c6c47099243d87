#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/Tvahy.h"
#include "matice/Konstanty.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/Polohy.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {
namespace {

using test::Generovat;
using test::NacistSit;
using test::NastaveniTestu;
using test::ZaznamInterakce;

SimulaceParametry Maly() {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Tiny;
    p.seed = 3;
    return p;
}

bool ObsahujeText(const std::vector<std::string>& texty, const std::string& hledany) {
    for (const std::string& t : texty) {
        if (t.find(hledany) != std::string::npos) return true;
    }
    return false;
}

// After a stop nothing of the analysis may be left for the adjustment to use.
void OcekavatCistyStav(const Workspace& ws) {
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_FALSE(ws.state.Current(Step::Adjustment));
    EXPECT_TRUE(ws.mereniVyrovnani.zaznam.empty());
    EXPECT_TRUE(ws.mereniVyrovnaniZobrazeni.zaznam.empty());
    EXPECT_TRUE(ws.porovnaniDelekPriblizne.zaznam.empty());
    EXPECT_TRUE(ws.porovnaniDelekFixni.zaznam.empty());
    EXPECT_TRUE(ws.souradnicePriblizne.bod.empty());
    EXPECT_EQ(ws.vahy.smer.odchylka, -1);
    EXPECT_EQ(ws.doplnekZpracovany.PocetMereni(), 0);
}

TEST(AnalyzaSuroveMereni, PreparesTheAdjustmentInputWithStagesAndFlags) {
    Workspace ws;
    NastaveniTestu(ws);
    SimulaceParametry p = Maly();
    p.doplnky = true;
    const SimulovanaSit sit = Generovat(p);
    NacistSit(ws, sit);
    ws.state.Computed(Step::Adjustment);  // a previous adjustment is no longer current
    ZaznamInterakce ui;
    const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);

    ASSERT_TRUE(v.uspech) << v.chyba;
    EXPECT_EQ(v.oznameni, -1);
    EXPECT_TRUE(v.varovani.empty());
    EXPECT_TRUE(ui.oznameni.empty()) << ui.oznameni.front();
    const std::vector<std::string> etapy = {" Processing ... [1]", " Processing ... [2]",
                                            " Processing ... [3]", " Processing ...", ""};
    EXPECT_EQ(ui.etapy, etapy);
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
    EXPECT_FALSE(ws.state.Current(Step::Adjustment));
    const TanalyzaMereni& a = ws.info.analyzaMereni;
    EXPECT_TRUE(a.mereniDoVyrovnani && a.souradnicePriblizne && a.souradniceFixni &&
                a.delkyMeziFixBody);

    // One observation per face pair: half the raw rows, none lost.
    EXPECT_EQ(ws.mereniVyrovnani.PocetPlnychZaznamu() * 2, ws.suroveMereni.PocetPlnychZaznamu());
    // The determined points only, each near its true place; the given ones fixed.
    EXPECT_EQ(ws.souradnicePriblizne.PocetPlnychBodu() + ws.souradniceFixniVyrovnani.Pocet(),
              sit.skutecne.Pocet());
    for (const Tbod& b : ws.souradnicePriblizne.bod) {
        EXPECT_FALSE(b.JeFixni);
        EXPECT_FALSE(sit.zadane.ExitujeBod(b.cislo)) << b.cislo;
        const Tbod t = sit.skutecne.BodSCislem(b.cislo);
        EXPECT_NEAR(b.X, t.X, 0.02);
        EXPECT_NEAR(b.Y, t.Y, 0.02);
        EXPECT_NEAR(b.Z, t.Z, 0.02);
    }
    for (const Tbod& b : ws.souradniceFixniVyrovnani.bod) EXPECT_TRUE(b.JeFixni) << b.cislo;
    // The display copy shows the distances between the marks, unscaled.
    ASSERT_EQ(ws.mereniVyrovnaniZobrazeni.zaznam.size(), ws.mereniVyrovnani.zaznam.size());
    for (std::size_t i = 0; i < ws.mereniVyrovnani.zaznam.size(); ++i) {
        const Tzaznam& z = ws.mereniVyrovnani.zaznam[i];
        ASSERT_GT(z.zkresleniDelky, 0);
        EXPECT_EQ(ws.mereniVyrovnaniZobrazeni.zaznam[i].delka, z.delka / z.zkresleniDelky);
    }
    EXPECT_EQ(ws.doplnekZpracovany.PocetMereni(), sit.doplnek.PocetMereni());
    EXPECT_GT(ws.vahy.smer.odchylka, 0);
    EXPECT_GT(ws.vahy.zenit.odchylka, 0);
    EXPECT_GT(ws.vahy.delka.odchylka, 0);
}

TEST(AnalyzaSuroveMereni, StopsOnBadGivenPointsAndLeavesNothing) {
    const SimulovanaSit sit = Generovat(Maly());
    struct Pripad {
        const char* nazev;
        void (*uprava)(Tsouradnice&);
        const char* druhyRadek;  // what the second line of the message names
    };
    const Pripad pripady[] = {
        {"one given point", [](Tsouradnice& s) { s.bod.resize(1); },
         "Given points: 1 (4001, typed in); at least two are needed."},
        {"a duplicate number",
         [](Tsouradnice& s) {
             Tbod b = s.bod[0];
             b.X += 10;
             s.PridejBod(b);
         },
         "Point 4001 is given 2 times (typed in)."},
        {"coincident points",
         [](Tsouradnice& s) {
             Tbod b = s.bod[0];
             b.cislo = "4999";
             s.PridejBod(b);
         },
         "Points 4001, 4999 have the same coordinates (typed in)."},
        {"no point at all", [](Tsouradnice& s) { s.Clear(); },
         "Given points: 0; at least two are needed."},
    };
    for (const Pripad& p : pripady) {
        SCOPED_TRACE(p.nazev);
        Workspace ws;
        NastaveniTestu(ws);
        NacistSit(ws, sit);
        p.uprava(ws.souradniceFixni);
        ZaznamInterakce ui;
        const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
        EXPECT_FALSE(v.uspech);
        EXPECT_EQ(v.oznameni, 1);
        ASSERT_EQ(ui.oznameni.size(), 1u);
        EXPECT_EQ(ui.oznameni[0],
                  "Fixed points error: At least two network points must be inserted! The list of "
                  "inserted network points must not contain any duplicates!\n" +
                      std::string(p.druhyRadek));
        EXPECT_EQ(v.druhyRadek, p.druhyRadek);
        OcekavatCistyStav(ws);
        EXPECT_EQ(ui.etapy.back(), "");
    }
}

TEST(AnalyzaSuroveMereni, StopsOnErrorsInScaleAndSupplementaryLists) {
    SimulaceParametry p = Maly();
    p.doplnky = true;
    const SimulovanaSit sit = Generovat(p);
    {
        Workspace ws;
        NastaveniTestu(ws);
        NacistSit(ws, sit);
        Tbod m = Tbod::Prazdny();
        m.cislo = sit.zadane.bod[0].cislo;
        m.zkresleni = 5;  // far outside any projection
        m.JePlny = true;
        ws.souradniceMeritko.PridejBod(m);
        ws.NastavitJazyk(0);
        ZaznamInterakce ui;
        const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
        EXPECT_EQ(v.oznameni, 17);
        // The second line names the row, the point and the check, in Czech here.
        EXPECT_EQ(v.druhyRadek, "Řádek 1 (" + m.cislo + "): měřítko 5 mimo 0.7 až 1.3.");
        ASSERT_EQ(ui.oznameni.size(), 1u);
        EXPECT_NE(ui.oznameni[0].find("\n" + v.druhyRadek), std::string::npos) << ui.oznameni[0];
        OcekavatCistyStav(ws);
    }
    // A row from a point to itself spoils its list; each kind has its own number.
    const std::pair<DruhDoplnku, int32_t> druhy[] = {{DruhDoplnku::Delka, 18},
                                                     {DruhDoplnku::Smernik, 19},
                                                     {DruhDoplnku::Prevyseni, 20},
                                                     {DruhDoplnku::Provazeni, 21}};
    for (const auto& [druh, cislo] : druhy) {
        SCOPED_TRACE(cislo);
        Workspace ws;
        NastaveniTestu(ws);
        NacistSit(ws, sit);
        Tmereni& seznam = *ws.doplnekVstup.Seznam(druh);
        ASSERT_FALSE(seznam.zaznam.empty());
        seznam.zaznam[0].cislo_cil = seznam.zaznam[0].cislo_stn;
        ZaznamInterakce ui;
        const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
        EXPECT_EQ(v.oznameni, cislo);
        ASSERT_EQ(ui.oznameni.size(), 1u);
        EXPECT_EQ(ui.oznameni[0].rfind("Supplementary measurement error: ", 0), 0u);
        const std::string bod = seznam.zaznam[0].cislo_stn;
        EXPECT_EQ(v.druhyRadek,
                  "Row 1 (" + bod + " - " + bod + "): station and target are the same point.");
        OcekavatCistyStav(ws);
        // The user's input is never touched.
        EXPECT_EQ(ws.doplnekVstup.PocetMereni(), sit.doplnek.PocetMereni());
    }
}

TEST(AnalyzaSuroveMereni, StopsWithTwoWhenNoObservationReachesTheGivenPoints) {
    const SimulovanaSit sit = Generovat(Maly());
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, sit);
    for (Tbod& b : ws.souradniceFixni.bod) b.cislo = "X" + b.cislo;
    ZaznamInterakce ui;
    const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
    EXPECT_EQ(v.oznameni, 2);
    // Placed in a local system the network would lie wherever its first
    // station was put: the analysis names the given points nothing measures
    // and stops instead.
    ASSERT_EQ(ui.oznameni.size(), 2u);
    EXPECT_EQ(ui.oznameni[0],
              "Warning: Given points that no measurement mentions: 3: X4001, X4002, X4003");
    EXPECT_EQ(ui.oznameni[1],
              "Fixed points error: Improper configuration of inserted network points.\n"
              "None of the given points occurs in the measurements.");
    EXPECT_EQ(v.nevyuzita.zadaneMimoMereni.size(), 3u);
    EXPECT_TRUE(v.nevyuzita.podobna.empty());
    OcekavatCistyStav(ws);
}

TEST(AnalyzaSuroveMereni, NamesGivenPointsThatDifferFromMeasuredOnesOnlyInCaseOrInvisibly) {
    const SimulovanaSit sit = Generovat(Maly());
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, sit);
    // The measurements call the second given point "P3"; the list has "p3". The
    // first given point came from a file with a byte-order mark pasted before
    // its name, the third has a no-break space after it.
    std::vector<Tbod>& zadane = ws.souradniceFixni.bod;
    ASSERT_EQ(zadane.size(), 3u);
    const std::string druhy = zadane[1].cislo;
    for (Tzaznam& z : ws.suroveMereni.zaznam) {
        if (z.cislo_stn == druhy) z.cislo_stn = "P3";
        if (z.cislo_cil == druhy) z.cislo_cil = "P3";
    }
    zadane[0].cislo = "\xEF\xBB\xBF" + zadane[0].cislo;
    zadane[1].cislo = "p3";
    zadane[2].cislo += "\xC2\xA0";
    ZaznamInterakce ui;
    const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
    EXPECT_EQ(v.oznameni, 2);
    ASSERT_EQ(v.nevyuzita.podobna.size(), 3u);
    EXPECT_TRUE(v.nevyuzita.podobna[1].velikostPismen);
    EXPECT_FALSE(v.nevyuzita.podobna[1].neviditelne);
    EXPECT_TRUE(v.nevyuzita.podobna[0].neviditelne);
    EXPECT_FALSE(v.nevyuzita.podobna[0].velikostPismen);
    ASSERT_GE(ui.oznameni.size(), 4u);
    EXPECT_EQ(ui.oznameni[0],
              "Warning: Given points that no measurement mentions: 3: <U+FEFF>4001, p3, "
              "4003<U+00A0>");
    EXPECT_EQ(ui.oznameni[1],
              "Warning: Given point \"<U+FEFF>4001\" is not measured, but \"4001\" is: the names "
              "differ only by invisible characters (a byte-order mark, a no-break space or the "
              "like).");
    EXPECT_EQ(ui.oznameni[2],
              "Warning: Given point \"p3\" is not measured, but \"P3\" is: the names differ only "
              "in letter case.");
    EXPECT_EQ(ui.oznameni.back(),
              "Fixed points error: Improper configuration of inserted network points.\n"
              "None of the given points occurs in the measurements.");
}

TEST(AnalyzaSuroveMereni, NamesObservationsToAPointThatCannotBeDetermined) {
    const SimulovanaSit sit = Generovat(Maly());
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, sit);
    // A lone pointing in both faces to "Q9", which nothing else observes and no
    // construction can reach without a distance: its set needs a second target.
    Tmereni navic;
    for (const char* cil : {"Q9", "Q8"}) {
        Tzaznam z = ws.suroveMereni.zaznam[0];
        z.cislo_cil = cil;
        z.delka = 0;
        navic.PridejZaznam(z);
    }
    Tmereni surova = test::DvePolohy(navic);
    for (Tzaznam& z : surova.zaznam) z.poradi = ws.suroveMereni.NejvetsiPoradi() + 1;
    ws.suroveMereni.PridejMereniBezZmen(surova);
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ZaznamInterakce ui;
    const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
    ASSERT_TRUE(v.uspech);
    ASSERT_EQ(v.vynechana.size(), 2u);
    EXPECT_EQ(v.vynechana[0].chybejiciBod, "Q9");
    EXPECT_EQ(v.vynechana[1].chybejiciBod, "Q8");
    // The points first, with why; then the measurements left out.
    ASSERT_EQ(ui.oznameni.size(), 2u);
    EXPECT_EQ(ui.oznameni[0],
              "Warning: Points without approximate coordinates: Q8, Q9 (no distance measured in "
              "their part).");
    EXPECT_NE(ui.oznameni[1].find("Q9 (Q9)"), std::string::npos) << ui.oznameni[1];
    for (const Tzaznam& z : ws.mereniVyrovnani.zaznam)
        EXPECT_EQ(z.cislo_cil.find('Q'), std::string::npos);
}

TEST(AnalyzaSuroveMereni, WarnsAndGoesOnWhenAReducedDistanceDisagreesWithCoordinates) {
    const SimulovanaSit sit = Generovat(Maly());
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, sit);
    // Both faces of one pointing of set 1 a metre long: the set mean is off by half.
    int zmeneno = 0;
    for (Tzaznam& z : ws.suroveMereni.zaznam) {
        if (z.skupina == 1 && z.poradi == 1 && z.cislo_cil == ws.suroveMereni.zaznam[0].cislo_cil) {
            z.delka += 1;
            ++zmeneno;
        }
    }
    ASSERT_EQ(zmeneno, 2);
    ZaznamInterakce ui;
    const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
    EXPECT_TRUE(v.uspech);
    EXPECT_EQ(v.varovani, std::vector<int32_t>{3});
    EXPECT_TRUE(ObsahujeText(ui.oznameni, "Warning - Fixed points error"));
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
}

TEST(AnalyzaSuroveMereni, WarnsAboutSupplementaryMeasurementsOffTheirLimitOrOutsideTheNetwork) {
    SimulaceParametry p = Maly();
    p.doplnky = true;
    const SimulovanaSit sit = Generovat(p);
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, sit);
    StoredReal& smernik = ws.doplnekVstup.smernik.zaznam[0].delka;
    smernik += MgonNaRad(500);
    if (smernik >= kDvePi) smernik -= kDvePi;
    ws.doplnekVstup.prevyseni.zaznam[0].delka += 2;
    Tzaznam mimo = ws.doplnekVstup.delka.zaznam[0];
    mimo.cislo_cil = "Z77";
    ws.doplnekVstup.delka.PridejZaznam(mimo);
    ws.doplnekVstup.KontrolaCelkova(ws.nastaveni, ws.chyby);
    ZaznamInterakce ui;
    const VysledekAnalyzy v = AnalyzaSuroveMereni(ws, ui);
    ASSERT_TRUE(v.uspech);
    EXPECT_EQ(v.varovani, (std::vector<int32_t>{23, 24}));
    EXPECT_EQ(v.pocetVynechanychDoplnku, 1);
    EXPECT_TRUE(ObsahujeText(ui.oznameni, "a point is not in the network: 1: Z77"));
    EXPECT_TRUE(ObsahujeText(ui.oznameni, "(Bearing) between the network points"));
    EXPECT_TRUE(ObsahujeText(ui.oznameni, "(Height difference) between the network points"));
}

// The face means come from the raw rows as they are, not from reductions a check
// run may or may not have left in them.
TEST(AnalyzaSuroveMereni, ComputesTheFaceReductionsItUsesWhateverTheCheckSwitch) {
    const SimulovanaSit sit = Generovat(Maly());
    Workspace referencni;
    NastaveniTestu(referencni);
    NacistSit(referencni, sit);
    ZaznamInterakce ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(referencni, ui).uspech);

    Workspace ws;
    NastaveniTestu(ws);
    ws.nastaveni.prepinac.prehledChyb = false;
    ws.suroveMereni = sit.mereni;
    IdentifikujSkupiny(ws.suroveMereni);
    for (Tzaznam& z : ws.suroveMereni.zaznam) z.zapracovaniPoloha.fill(12.5L);
    ws.souradniceFixni = sit.zadane;
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
    ASSERT_EQ(ws.mereniVyrovnani.zaznam.size(), referencni.mereniVyrovnani.zaznam.size());
    for (std::size_t i = 0; i < ws.mereniVyrovnani.zaznam.size(); ++i) {
        EXPECT_EQ(ws.mereniVyrovnani.zaznam[i].smer, referencni.mereniVyrovnani.zaznam[i].smer);
        EXPECT_EQ(ws.mereniVyrovnani.zaznam[i].delka, referencni.mereniVyrovnani.zaznam[i].delka);
    }
}

TEST(AnalyzaSuroveMereni, FallsBackToAnotherPrecisionSourceWithoutFailing) {
    // One set: no scatter of sets, so no inner precision; the reciprocal
    // measurements still give the outer one.
    SimulaceParametry p = Maly();
    p.pocetSkupin = 1;
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, Generovat(p));
    ZaznamInterakce ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
    EXPECT_FALSE(ws.info.infoVahy.vnitrniPresnost);
    EXPECT_EQ(ws.info.infoVahy.typVah, ZdrojVah::Vnejsi);
    EXPECT_GT(ws.vahy.smer.odchylka, 0);
    EXPECT_GT(ws.vahy.delka.odchylka, 0);

    // Noise-free sets agree exactly: a pooled deviation of 0 is no precision, and
    // the given one takes over (a weight of 1/0 would be no weight at all).
    p = Maly();
    p.sigmaSmer = p.sigmaZenit = p.sigmaDelka = 0;
    Workspace presne;
    NastaveniTestu(presne);
    NacistSit(presne, Generovat(p));
    ASSERT_TRUE(AnalyzaSuroveMereni(presne, ui).uspech);
    EXPECT_EQ(presne.info.infoVahy.typVah, ZdrojVah::Zadana);
    EXPECT_EQ(presne.vahy.smer.odchylka, presne.nastaveni.vyrovnani.odchylka_zadanaSmer);
    EXPECT_EQ(presne.vahy.delka.odchylka, presne.nastaveni.vyrovnani.odchylka_zadanaDelka);
}

TEST(AnalyzaSuroveMereni, KeepsTheGivenCoordinatesOfFreePointsOnlyWhenAsked) {
    const SimulovanaSit sit = Generovat(Maly());
    for (const bool zachovat : {false, true}) {
        SCOPED_TRACE(zachovat);
        Workspace ws;
        NastaveniTestu(ws);
        NacistSit(ws, sit);
        ws.nastaveni.prepinac.zachovatSouradnice = zachovat;
        // A free point given 5 cm off its place.
        Tbod volny = sit.skutecne.bod[4];
        ASSERT_FALSE(sit.zadane.ExitujeBod(volny.cislo));
        volny.X += 0.05L;
        volny.JeFixni = false;
        ws.souradniceFixni.PridejBod(volny);
        ZaznamInterakce ui;
        ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
        const Tbod b = ws.souradnicePriblizne.BodSCislem(volny.cislo);
        ASSERT_TRUE(b.JePlny);
        EXPECT_FALSE(b.JeFixni);
        if (zachovat) {
            EXPECT_EQ(b.X, volny.X);
        } else {
            EXPECT_NEAR(b.X, sit.skutecne.bod[4].X, 0.01);
        }
    }
}

}  // namespace
}  // namespace vertano
