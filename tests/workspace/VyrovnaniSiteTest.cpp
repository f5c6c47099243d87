#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/RobustniVahy.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"
#include "processing/KontrolaMereni.h"
#include "workspace/SimulaceMereni.h"

namespace vertano {
namespace {

using test::Generovat;
using test::NacistSit;
using test::NastaveniTestu;
using test::ZaznamInterakce;

// The analysis and the adjustment as the main window runs them one after the
// other; the adjustment's outcome.
VysledekVyrovnani AnalyzaAVyrovnani(Workspace& ws, ZaznamInterakce& ui) {
    const VysledekAnalyzy a = AnalyzaSuroveMereni(ws, ui);
    EXPECT_TRUE(a.uspech) << a.chyba;
    ui.etapy.clear();
    return VyrovnaniSite(ws, ui);
}

std::string Etapa(const std::string& pripona) {
    return " Processing ... [" + pripona + "]";
}

// [1], [2/1] ... [2/n], [3], [4/1] ... [4/m], [5], then the end of the run.
void OcekavatEtapy(const std::vector<std::string>& etapy, int robustne, int opakovane) {
    std::vector<std::string> ocekavane = {Etapa("1")};
    for (int k = 1; k <= robustne; ++k) ocekavane.push_back(Etapa("2/" + std::to_string(k)));
    if (robustne > 0) ocekavane.push_back(Etapa("3"));
    for (int k = 1; k <= opakovane; ++k) ocekavane.push_back(Etapa("4/" + std::to_string(k)));
    ocekavane.push_back(Etapa("5"));
    ocekavane.push_back(" Processing ...");
    ocekavane.push_back("");
    EXPECT_EQ(etapy, ocekavane);
}

void OcekavatBezVysledku(const Workspace& ws) {
    EXPECT_FALSE(ws.state.Current(Step::Adjustment));
    EXPECT_EQ(ws.modelVyrovnany.Vysledek().PocetMereni(), -1);
    EXPECT_TRUE(ws.modelVyrovnany.Vysledek().Souradnice().bod.empty());
    EXPECT_EQ(ws.modelOdlehly.Vysledek().PocetMereni(), -1);
    EXPECT_TRUE(ws.grafika.body.empty());
}

// A generated network in a fresh workspace with the test settings, analysed
// and adjusted as the main window would.
class GenerovanaSit : public ::testing::Test {
  protected:
    void Nacist(const SimulaceParametry& p) {
        sit = Generovat(p);
        NastaveniTestu(ws);
        NacistSit(ws, sit);
    }
    VysledekVyrovnani Spustit() { return AnalyzaAVyrovnani(ws, ui); }

    SimulovanaSit sit;
    Workspace ws;
    ZaznamInterakce ui;
};

TEST(VyrovnaniSite, AdjustsASmallNetworkWithinItsAccuracy) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Tiny;
    p.seed = 3;
    const SimulovanaSit sit = Generovat(p);
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, sit);
    ws.state.Computed(Step::AdjustmentReport);
    ws.state.Computed(Step::TransformationAnalysis);
    ZaznamInterakce ui;
    const VysledekVyrovnani v = AnalyzaAVyrovnani(ws, ui);

    ASSERT_TRUE(v.uspech) << v.chyba;
    EXPECT_FALSE(v.jenZobrazeni);
    EXPECT_EQ(v.oznameni, -1);
    EXPECT_TRUE(ui.oznameni.empty());
    EXPECT_TRUE(ui.dotazy.empty());
    OcekavatEtapy(ui.etapy, v.pocetIteraciRobustne, v.pocetIteraci);
    EXPECT_GT(v.pocetIteraciRobustne, 0);
    EXPECT_TRUE(ws.state.Current(Step::Adjustment));
    EXPECT_FALSE(ws.state.Current(Step::AdjustmentReport));
    EXPECT_FALSE(ws.state.Current(Step::TransformationAnalysis));
    test::OcekavatVRamciTriSigma(test::Porovnat(ws, sit));

    const SouhrnVyrovnani s = ShrnoutVyrovnani(ws);
    const TmodelSite& m = ws.modelVyrovnany;
    EXPECT_EQ(s.pocetNeznamych, 3 * 2 + 5);  // two determined points, five occupations
    EXPECT_EQ(s.pocetMereni, m.Vysledek().PocetMereni());
    EXPECT_EQ(s.pocetNadbytecnych, s.pocetMereni - s.pocetNeznamych);
    EXPECT_EQ(s.typFixace, Fixace::PevnaSit);
    EXPECT_EQ(s.typVah, ZdrojVah::Vnitrni);
    EXPECT_EQ(s.odchylkaJednotkovaAprior, 1);
    EXPECT_GT(s.odchylkaJednotkovaAposterior, 0.5);
    EXPECT_LT(s.odchylkaJednotkovaAposterior, 1.5);
    EXPECT_EQ(s.pocetIteraci, v.pocetIteraci);
    EXPECT_TRUE(s.vylucovaniOdlehlych);
    // What was excluded is what the outlier model marks, kind by kind.
    EXPECT_EQ(s.odlehle[0], ws.modelOdlehly.Vysledek().Delka().PocetOdlehlychHodnot());
    EXPECT_EQ(s.odlehle[1], ws.modelOdlehly.Vysledek().Smer().PocetOdlehlychHodnot());
    EXPECT_EQ(s.odlehle[2], ws.modelOdlehly.Vysledek().Zenit().PocetOdlehlychHodnot());
    EXPECT_EQ(s.pocetMereni + s.odlehle[0] + s.odlehle[1] + s.odlehle[2],
              ws.modelOdlehly.Vysledek().PocetMereni());
    // The drawing shows the adjusted points.
    ASSERT_EQ(ws.grafika.body.size(), m.Vysledek().Souradnice().bod.size());
    EXPECT_EQ(ws.grafika.body[0].X, m.Vysledek().Souradnice().bod[0].X);
    EXPECT_FALSE(ws.grafika.mereni.empty());
}

TEST(VyrovnaniSite, ASecondRunOnlyShowsTheResultUntilANewAnalysis) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Tiny;
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, Generovat(p));
    ZaznamInterakce ui;
    ASSERT_TRUE(AnalyzaAVyrovnani(ws, ui).uspech);
    const Real x = ws.modelVyrovnany.Vysledek().Souradnice().bod[0].X;
    ws.state.Computed(Step::AdjustmentReport);  // a report built on this result stays valid

    ZaznamInterakce druhy;
    const VysledekVyrovnani v = VyrovnaniSite(ws, druhy);
    EXPECT_TRUE(v.uspech);
    EXPECT_TRUE(v.jenZobrazeni);
    EXPECT_TRUE(druhy.etapy.empty());
    EXPECT_TRUE(ws.state.Current(Step::AdjustmentReport));
    EXPECT_EQ(ws.modelVyrovnany.Vysledek().Souradnice().bod[0].X, x);

    ASSERT_TRUE(AnalyzaSuroveMereni(ws, druhy).uspech);
    OcekavatBezVysledku(ws);
    EXPECT_FALSE(ws.state.Current(Step::AdjustmentReport));
    const VysledekVyrovnani znovu = VyrovnaniSite(ws, druhy);
    EXPECT_TRUE(znovu.uspech);
    EXPECT_FALSE(znovu.jenZobrazeni);
}

TEST(VyrovnaniSite, RefusesToRunWithoutACurrentAnalysis) {
    Workspace ws;
    NastaveniTestu(ws);
    ZaznamInterakce ui;
    const VysledekVyrovnani v = VyrovnaniSite(ws, ui);
    EXPECT_FALSE(v.uspech);
    EXPECT_EQ(v.oznameni, 0);
    ASSERT_EQ(ui.oznameni.size(), 1u);
    EXPECT_EQ(ui.oznameni[0].rfind("Error: An error occurred during the processing!", 0), 0u);
    OcekavatBezVysledku(ws);
}

TEST_F(GenerovanaSit, ExcludesTheGrossErrorsOfAGridOf150Points) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 150;
    // Given points a construction can start from: every fifth point.
    p.pocetZadanych = 30;
    p.pocetHrubych = 6;
    p.seed = 11;
    Nacist(p);
    const VysledekVyrovnani v = Spustit();
    ASSERT_TRUE(v.uspech) << v.chyba;
    test::OcekavatVRamciTriSigma(test::Porovnat(ws, sit));

    int vModelu = 0;
    for (const HrubaChyba& h : sit.hrubeChyby) {
        const TmerenaVelicina* z = test::Pozorovani(ws, h);
        if (z == nullptr) continue;  // a zenith angle or distance between fixed points
        ++vModelu;
        EXPECT_TRUE(z->jeOdlehly) << h.stanovisko << " - " << h.cil << " set " << h.skupina;
    }
    EXPECT_GE(vModelu, 4);
    // The test excludes about alpha of the good observations, fewer when the
    // gross errors have made the precision of the sets pessimistic.
    const test::VylouceniDobrych d = test::DobreVyloucene(ws, sit.hrubeChyby);
    const double alfa = static_cast<double>(ws.nastaveni.vyrovnani.rizikoOdlehlost);
    EXPECT_GT(d.dobrych, 5000);
    EXPECT_LT(d.vyloucenych, 2 * alfa * d.dobrych);
}

// One station on a given point observing eight given points in two sets with
// the given precision (0.5 mgon): the orientation is the mean of all sixteen
// directions, so 1 gon in one face of one direction (0.5 gon in its face mean)
// spreads about 31 mgon (62 sigma) into the residual of every direction of the
// least-squares solution. A redescending estimator started there rejected all
// sixteen and stopped on the redundancy; from the Huber solution every
// estimator excludes only the spoiled direction.
TEST(VyrovnaniSite, EveryEstimatorExcludesOnlyTheSpoiledDirectionOfASingleStation) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 12;
    p.pocetZadanych = 12;
    p.pocetStanovisek = 1;
    p.pocetSousedu = 8;
    p.seed = 2;
    SimulovanaSit sit = Generovat(p);
    Tzaznam* spoiled = nullptr;
    for (Tzaznam& z : sit.mereni.zaznam) {
        if (z.poloha && z.skupina == 2 && spoiled == nullptr) spoiled = &z;
    }
    ASSERT_NE(spoiled, nullptr);
    spoiled->smer = std::fmod(spoiled->smer + GonNaRad(1), kDvePi);
    HrubaChyba h;
    h.stanovisko = spoiled->cislo_stn;
    h.cil = spoiled->cislo_cil;
    h.skupina = spoiled->skupina;

    for (int32_t typ = 1; typ <= kPocetOdhadu; ++typ) {
        SCOPED_TRACE("estimator " + std::to_string(typ));
        Workspace ws;
        NastaveniTestu(ws);
        ws.nastaveni.vyrovnani.typVah = ZdrojVah::Zadana;
        ws.nastaveni.vyrovnani.typOdhadu = OdhadZKodu(typ);
        NacistSit(ws, sit);
        ZaznamInterakce ui;
        const VysledekVyrovnani v = AnalyzaAVyrovnani(ws, ui);
        EXPECT_TRUE(v.uspech) << "notice " << v.oznameni << ": " << v.chyba;
        if (!v.uspech) continue;
        const TmerenaVelicina* z = test::Pozorovani(ws, h);
        ASSERT_NE(z, nullptr);
        EXPECT_TRUE(z->jeOdlehly);
        EXPECT_NEAR(std::fabs(z->oprava), GonNaRad(0.5L), MgonNaRad(5));
        const test::VylouceniDobrych d = test::DobreVyloucene(ws, {h});
        EXPECT_EQ(d.dobrych, 15);
        EXPECT_EQ(d.vyloucenych, 0);
        // Every point is given: the orientation is what the adjustment
        // determines, and a wrong one would show in every residual.
        const TmodelSite& m = ws.modelVyrovnany;
        EXPECT_EQ(m.Vysledek().PocetSmer(), 15);
        for (const TmerenaVelicina& s : m.Vysledek().Smer().zaznam)
            EXPECT_LT(std::fabs(s.normOprava), 3);
        EXPECT_LT(m.Vysledek().OdchylkaJednotkovaAposterior(), 1.5L);
    }
}

// A new occupation of the first station, back to a neighbour and to X, which
// nothing else observes: X rests on one polar measurement. Both faces of one
// set, exact readings; `chybaDelky` is added to the distance to X.
Tmereni PolarniBod(const SimulovanaSit& sit, const Tbod& x, int32_t poradi, Real chybaDelky) {
    const Tbod s = sit.skutecne.bod[0];
    const Tbod n = sit.skutecne.bod[1];
    Tmereni prumery;
    for (const Tbod* cil : {&n, &x}) {
        Tzaznam z = Tzaznam::Prazdny();
        z.poradi = poradi;
        z.skupina = 1;
        z.poloha = true;
        z.cislo_stn = s.cislo;
        z.cislo_cil = cil->cislo;
        z.vyska_stn = 1.5L;
        z.vyska_cil = 1.5L;
        Real delka = 0;
        Real zenit = 0;
        simulace::ZameritNaKouli(s, z.vyska_stn, *cil, z.vyska_cil, delka, zenit);
        z.delka = delka;
        z.zenit = zenit;
        z.smer = std::fmod(simulace::Smernik(s, *cil) - simulace::Smernik(s, n) + kDvePi, kDvePi);
        if (cil == &x) z.delka += chybaDelky;
        prumery.PridejZaznam(z);
    }
    Tmereni surova = test::DvePolohy(prumery);
    for (Tzaznam& z : surova.zaznam) z.zkresleniDelky = 1;  // as the readers leave it
    return surova;
}

TEST_F(GenerovanaSit, NamesUncontrolledObservationsAndThePointsDependingOnThem) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 20;
    p.seed = 5;
    const SimulovanaSit s = Generovat(p);
    Tbod x = s.skutecne.bod[0];
    x.cislo = "X";
    x.X -= 60;
    x.Y -= 35;
    x.Z += 2;
    for (const Real chyba : {Real{0}, Real{0.5}}) {
        SCOPED_TRACE(static_cast<double>(chyba));
        Workspace w;
        NastaveniTestu(w);
        NacistSit(w, s);
        w.suroveMereni.PridejMereniBezZmen(
            PolarniBod(s, x, w.suroveMereni.NejvetsiPoradi() + 1, chyba));
        KontrolaVsehoMereni(w.suroveMereni, w.nastaveni, w.chyby);
        ZaznamInterakce u;
        ASSERT_TRUE(AnalyzaSuroveMereni(w, u).uspech);
        const VysledekVyrovnani v = VyrovnaniSite(w, u);
        // The run succeeds: nothing in the measurements can show the error.
        ASSERT_TRUE(v.uspech) << v.chyba;
        // Direction, zenith angle and distance to X, and the direction to 4002,
        // the only one left to orient the occupation.
        EXPECT_EQ(v.spolehlivost.pocetNekontrolovanych, 4);
        EXPECT_EQ(v.spolehlivost.zavisleBody, std::vector<std::string>{"X"});
        const SouhrnVyrovnani souhrn = ShrnoutVyrovnani(w);
        EXPECT_EQ(souhrn.pocetNekontrolovanych, 4);
        EXPECT_EQ(souhrn.zavisleBody, std::vector<std::string>{"X"});
        const Tbod b = w.modelVyrovnany.Vysledek().Souradnice().BodSCislem("X");
        EXPECT_NEAR(std::hypot(b.X - x.X, b.Y - x.Y), chyba, 0.01L);
        ASSERT_FALSE(u.oznameni.empty());
        const std::string& varovani = u.oznameni.back();
        EXPECT_EQ(varovani.rfind("Warning: Uncontrolled observations (a gross error in them cannot "
                                 "be found): 4: ",
                                 0),
                  0u)
            << varovani;
        EXPECT_NE(varovani.find("; points that depend on them: X"), std::string::npos) << varovani;
    }
}

TEST_F(GenerovanaSit, NamesASideShotMeasuredInTwoSetsWithTheSameWrongDistance) {
    // X seen from one station in two sets, the distance 0.5 m too long in both
    // (a wrong prism constant): the sets agree, so no residual shows it.
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 20;
    p.seed = 5;
    const SimulovanaSit s = Generovat(p);
    Tbod x = s.skutecne.bod[0];
    x.cislo = "X";
    x.X -= 60;
    x.Y -= 35;
    x.Z += 2;
    Workspace w;
    NastaveniTestu(w);
    NacistSit(w, s);
    const Tmereni sada = PolarniBod(s, x, w.suroveMereni.NejvetsiPoradi() + 1, 0.5L);
    Tmereni dveSady = sada;
    for (const Tzaznam& z : sada.zaznam) dveSady.PridejZaznam(z);
    w.suroveMereni.PridejMereniBezZmen(dveSady);
    KontrolaVsehoMereni(w.suroveMereni, w.nastaveni, w.chyby);
    ZaznamInterakce u;
    ASSERT_TRUE(AnalyzaSuroveMereni(w, u).uspech);
    const VysledekVyrovnani v = VyrovnaniSite(w, u);
    ASSERT_TRUE(v.uspech) << v.chyba;
    int32_t kX = 0;
    for (const TmerenaVelicina& z : w.modelVyrovnany.Vysledek().Delka().zaznam) {
        if (z.cislo_cil != "X") continue;
        ++kX;
        EXPECT_TRUE(z.jeNekontrolovane);
        EXPECT_LT(z.redundance, kMezNekontrolovane);
    }
    EXPECT_EQ(kX, 2);  // one distance per set
    const SouhrnVyrovnani souhrn = ShrnoutVyrovnani(w);
    ASSERT_EQ(souhrn.nekontrolovaneBody.size(), 1u);
    EXPECT_EQ(souhrn.nekontrolovaneBody[0].cislo, "X");
    EXPECT_EQ(souhrn.nekontrolovaneBody[0].duvod, DuvodNekontrolovanosti::PostranniBod);
    ASSERT_FALSE(u.oznameni.empty());
    const std::string& varovani = u.oznameni.back();
    EXPECT_NE(varovani.find("side shots (targets of one station only, one polar measurement): X"),
              std::string::npos)
        << varovani;
}

TEST_F(GenerovanaSit, AdjustsATraverse) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Traverse;
    p.pocetBodu = 12;
    p.pocetSousedu = 4;
    p.pocetZadanych = 4;
    p.seed = 7;
    Nacist(p);
    const VysledekVyrovnani v = Spustit();
    ASSERT_TRUE(v.uspech) << v.chyba;
    EXPECT_EQ(ws.modelVyrovnany.Vysledek().Souradnice().Pocet(), sit.skutecne.Pocet());
    test::OcekavatVRamciTriSigma(test::Porovnat(ws, sit));
}

// Without fixed points the shape is adjusted, and its place follows the given
// (free) coordinates: distances between the adjusted points match the true ones.
TEST_F(GenerovanaSit, AdjustsAFreeNetwork) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 12;
    p.pocetSousedu = 6;
    p.seed = 5;
    Nacist(p);
    for (Tbod& b : ws.souradniceFixni.bod) b.JeFixni = false;
    const VysledekVyrovnani v = Spustit();
    ASSERT_TRUE(v.uspech) << v.chyba;
    const TmodelSite& m = ws.modelVyrovnany;
    EXPECT_EQ(ShrnoutVyrovnani(ws).typFixace, Fixace::VolnaDelky);
    EXPECT_EQ(m.Vysledek().PocetSouradnicFixnich(), 0);
    ASSERT_EQ(m.Vysledek().Souradnice().Pocet(), sit.skutecne.Pocet());
    for (const Tbod& a : m.Vysledek().Souradnice().bod) {
        for (const Tbod& b : m.Vysledek().Souradnice().bod) {
            const Tbod ta = sit.skutecne.BodSCislem(a.cislo);
            const Tbod tb = sit.skutecne.BodSCislem(b.cislo);
            const Real d = std::hypot(a.X - b.X, a.Y - b.Y, a.Z - b.Z);
            const Real t = std::hypot(ta.X - tb.X, ta.Y - tb.Y, ta.Z - tb.Z);
            EXPECT_NEAR(d, t, 0.002) << a.cislo << " - " << b.cislo;
        }
    }
}

TEST_F(GenerovanaSit, TakesTheSupplementaryMeasurementsIn) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 12;
    p.pocetSousedu = 6;
    p.doplnky = true;
    p.seed = 1;
    Nacist(p);
    const VysledekVyrovnani v = Spustit();
    ASSERT_TRUE(v.uspech) << v.chyba;
    const TvektorDoplnek& d = ws.modelVyrovnany.Vysledek().Doplnek();
    EXPECT_GT(d.pocetDelka, 0);
    EXPECT_GT(d.pocetSmernik, 0);
    EXPECT_GT(d.pocetPrevyseni, 0);
    EXPECT_GT(d.pocetProvazeni, 0);
    test::OcekavatVRamciTriSigma(test::Porovnat(ws, sit));
    // Supplementary observations have their residuals like any other.
    for (const TmerenaVelicina& z : d.delka.zaznam) EXPECT_LT(std::fabs(z.normOprava), 4);
}

TEST(VyrovnaniSite, WithoutExclusionRunsNoRobustStage) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Tiny;
    Workspace ws;
    NastaveniTestu(ws);
    auto& q = ws.nastaveni.prepinac;
    q.vylucovatSmer = q.vylucovatZenit = q.vylucovatDelka = false;
    NacistSit(ws, Generovat(p));
    ZaznamInterakce ui;
    const VysledekVyrovnani v = AnalyzaAVyrovnani(ws, ui);
    ASSERT_TRUE(v.uspech);
    EXPECT_EQ(v.pocetIteraciRobustne, 0);
    OcekavatEtapy(ui.etapy, 0, v.pocetIteraci);
    EXPECT_EQ(ws.modelOdlehly.Vysledek().PocetMereni(), -1);
    const SouhrnVyrovnani s = ShrnoutVyrovnani(ws);
    EXPECT_FALSE(s.vylucovaniOdlehlych);
    for (const int32_t n : s.odlehle) EXPECT_EQ(n, 0);
}

// Two fixed points and four free given points seen only by direction and zenith
// angle from one station: 9 observations and one scale condition for 13 unknowns.
TEST(VyrovnaniSite, StopsWithFourOnNegativeRedundancy) {
    test::SyntetickaSit sit;
    sit.Bod("A", 1000, 1000, 100);
    sit.Bod("B", 1100, 1010, 101);
    const std::vector<std::string> volne = {"D1", "D2", "D3", "D4"};
    for (std::size_t i = 0; i < volne.size(); ++i)
        sit.Bod(volne[i], 1000 + 30.0L * i, 1080 - 15.0L * i, 99 + i);
    sit.Stanovisko("A", 0.3L, 1.5L);
    sit.Cil("B", false, 1.6L);
    for (const std::string& c : volne) sit.Cil(c, false, 1.6L);
    Workspace ws;
    NastaveniTestu(ws);
    ws.suroveMereni = test::DvePolohy(sit.Mereni(1));
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ws.souradniceFixni = sit.Zadane({"A", "B"});
    ws.souradniceFixni.PridejBody2(sit.Zadane(volne, false));
    ZaznamInterakce ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
    const VysledekVyrovnani v = VyrovnaniSite(ws, ui);
    EXPECT_FALSE(v.uspech);
    EXPECT_EQ(v.oznameni, 4);
    EXPECT_FALSE(v.chyba.empty());
    ASSERT_FALSE(ui.oznameni.empty());
    EXPECT_EQ(ui.oznameni.back().rfind(
                  "Adjustment process error: Insufficient number of redundant measurements.", 0),
              0u);
    OcekavatBezVysledku(ws);
    // The analysis stays: the user may change the settings and adjust again.
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
}

TEST(VyrovnaniSite, NonConvergenceAnsweredNoEndsWithoutMessageOrResult) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Tiny;
    const SimulovanaSit sit = Generovat(p);
    const std::string text =
        ": Non-convergence error in iterative adjustment. The measurements may contain gross "
        "errors. Do you want to continue?";
    for (const bool robustne : {true, false}) {
        SCOPED_TRACE(robustne);
        Workspace ws;
        NastaveniTestu(ws);
        ws.nastaveni.vyrovnani.maxPocetIteraci = 1;
        ws.nastaveni.vyrovnani.maxPrirustek = 1e-15L;
        ws.nastaveni.vyrovnani.maxZmenaVahy = 1e-15L;
        if (!robustne) {
            auto& q = ws.nastaveni.prepinac;
            q.vylucovatSmer = q.vylucovatZenit = q.vylucovatDelka = false;
        }
        NacistSit(ws, sit);
        ZaznamInterakce ne(false);
        const VysledekVyrovnani v = AnalyzaAVyrovnani(ws, ne);
        EXPECT_FALSE(v.uspech);
        EXPECT_EQ(v.odmitnuto, robustne ? 1 : 2);
        EXPECT_EQ(v.oznameni, -1);
        EXPECT_TRUE(ne.oznameni.empty());
        ASSERT_EQ(ne.dotazy.size(), 1u);
        EXPECT_EQ(ne.dotazy[0], (robustne ? "Warning - Robust adjustment error"
                                          : "Warning - Adjustment process error") +
                                    text);
        OcekavatBezVysledku(ws);
        EXPECT_EQ(ne.etapy.back(), "");
        // A later failure shows its own message, not a stale suppression.
        EXPECT_FALSE(ws.chyby.vypnoutHlaseni);
    }
    // "Yes" goes on through both questions to a result.
    Workspace ws;
    NastaveniTestu(ws);
    ws.nastaveni.vyrovnani.maxPocetIteraci = 1;
    ws.nastaveni.vyrovnani.maxPrirustek = 1e-15L;
    ws.nastaveni.vyrovnani.maxZmenaVahy = 1e-15L;
    NacistSit(ws, sit);
    ZaznamInterakce ano(true);
    EXPECT_TRUE(AnalyzaAVyrovnani(ws, ano).uspech);
    EXPECT_EQ(ano.dotazy.size(), 2u);
    EXPECT_TRUE(ws.state.Current(Step::Adjustment));
}

TEST(VyrovnaniSite, KeepsTheWaitHookOnlyForTheRun) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 30;
    p.pocetZadanych = 6;
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, Generovat(p));
    ZaznamInterakce ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
    int volani = 0;
    const VysledekVyrovnani v = VyrovnaniSite(ws, ui, [&volani] {
        ++volani;
        return true;
    });
    ASSERT_TRUE(v.uspech) << v.chyba;
    EXPECT_GT(volani, 0);
    // The hook lives no longer than the call.
    EXPECT_FALSE(static_cast<bool>(Stav(ws.modelVyrovnany).cekani));
}

// A stop asked for during the iterations ends the run with a notice and no
// result, keeps the analysis, and the next run gives the full result.
TEST(VyrovnaniSite, StopsAtTheNextIterationWhenTheHookSaysSoAndKeepsTheAnalysis) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = 30;
    p.pocetZadanych = 6;
    Workspace ws;
    NastaveniTestu(ws);
    NacistSit(ws, Generovat(p));
    ZaznamInterakce ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
    const Tmereni pripravena = ws.mereniVyrovnani;
    int volani = 0;
    const VysledekVyrovnani v = VyrovnaniSite(ws, ui, [&volani] { return ++volani < 3; });
    EXPECT_FALSE(v.uspech);
    EXPECT_TRUE(v.zruseno);
    EXPECT_EQ(v.oznameni, -1);
    EXPECT_EQ(volani, 3);  // asked no more once it said stop
    EXPECT_FALSE(ws.state.Current(Step::Adjustment));
    EXPECT_EQ(ws.modelVyrovnany.Vysledek().PocetMereni(), -1);
    ASSERT_FALSE(ui.oznameni.empty());
    EXPECT_NE(ui.oznameni.back().find("stopped at the user's request"), std::string::npos);
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
    EXPECT_EQ(ws.mereniVyrovnani.zaznam.size(), pripravena.zaznam.size());

    const VysledekVyrovnani znovu = VyrovnaniSite(ws, ui);
    EXPECT_TRUE(znovu.uspech) << znovu.chyba;

    // The analysis stopped leaves nothing half-made.
    const VysledekAnalyzy a = AnalyzaSuroveMereni(ws, ui, [] { return false; });
    EXPECT_TRUE(a.zruseno);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_FALSE(ws.mereniVyrovnani.ExistujePlnyZaznam());
    EXPECT_FALSE(ws.state.Current(Step::Adjustment));
}

}  // namespace
}  // namespace vertano
