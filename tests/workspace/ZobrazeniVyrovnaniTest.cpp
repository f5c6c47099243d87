#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "files/MtxFormat.h"
#include "workspace/PoctyChyb.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano {
namespace {

using test::Generovat;
using test::NacistSit;
using test::NastaveniTestu;
using test::ZaznamInterakce;

// A tiny network with one gross error, analysed and adjusted.
class AdjustedTiny : public ::testing::Test {
  protected:
    void SetUp() override {
        SimulaceParametry p;
        p.tvar = SimulaceTvar::Tiny;
        p.pocetHrubych = 1;
        p.hrubaUhel = 0;
        p.hrubaDelka = MmNaM(20);
        p.seed = 2;
        NastaveniTestu(ws);
        NacistSit(ws, Generovat(p));
        ZaznamInterakce ui;
        ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
        ASSERT_TRUE(VyrovnaniSite(ws, ui).uspech);
    }
    Workspace ws;
};

// Every accuracy figure of a determined point, observation and orientation is
// the model's times the unit deviation; values and fixed points stay as they are.
TEST_F(AdjustedTiny, ViewScalesEveryAccuracyFigureAndNothingElse) {
    const TmodelSite& m = ws.modelVyrovnany;
    const Real k = 2.5L;
    ZobrazeneVyrovnani v;
    ASSERT_TRUE(ZobrazitVyrovnani(m, k, v));
    EXPECT_EQ(v.odchylkaJednotkova, k);
    ASSERT_EQ(v.body.size(), m.Vysledek().Souradnice().bod.size());
    for (size_t i = 0; i < v.body.size(); ++i) {
        const Tbod& a = v.body[i];
        const Tbod& b = m.Vysledek().Souradnice().bod[i];
        EXPECT_EQ(a.X, b.X);
        const Real f = b.JeFixni ? 1 : k;
        EXPECT_EQ(a.Presnost().sig_X, b.Presnost().sig_X * f) << b.cislo;
        EXPECT_EQ(a.Presnost().sig_Z, b.Presnost().sig_Z * f) << b.cislo;
        EXPECT_EQ(a.Presnost().elipsa.b_delka, b.Presnost().elipsa.b_delka * f) << b.cislo;
        EXPECT_EQ(a.Presnost().elipsa.a_smernik, b.Presnost().elipsa.a_smernik) << b.cislo;
        EXPECT_EQ(a.Presnost().elipsoid.c_delka, b.Presnost().elipsoid.c_delka * f) << b.cislo;
        EXPECT_EQ(a.Presnost().elipsoid.a_zenit, b.Presnost().elipsoid.a_zenit) << b.cislo;
    }
    for (const Velicina typ : druhy::kPoradi) {
        const std::vector<TmerenaVelicina>& a = v.mereni[IndexVeliciny(typ)];
        const std::vector<TmerenaVelicina>& b = druhy::Vektor(m, typ).zaznam;
        ASSERT_EQ(a.size(), b.size()) << KodVeliciny(typ);
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].mezniOprava, b[i].mezniOprava);
            EXPECT_EQ(a[i].odchylkaOprava, b[i].odchylkaOprava * k);
        }
    }
    ASSERT_EQ(v.posuny.size(), static_cast<size_t>(m.Vysledek().PocetPosunu()));
    EXPECT_EQ(v.posuny[0].odchylka, m.Vysledek().Posun().zaznam[0].odchylka * k);
    EXPECT_EQ(v.posuny[0].hodnota, m.Vysledek().Posun().zaznam[0].hodnota);
}

TEST_F(AdjustedTiny, ViewRefusesAUnitDeviationThatIsNoNumber) {
    ZobrazeneVyrovnani v;
    for (const Real k :
         {-1.0L, std::numeric_limits<Real>::quiet_NaN(), std::numeric_limits<Real>::infinity()}) {
        EXPECT_FALSE(ZobrazitVyrovnani(ws.modelVyrovnany, k, v)) << static_cast<double>(k);
        EXPECT_TRUE(v.body.empty());
        EXPECT_TRUE(v.posuny.empty());
    }
    // A figure that is no number is a failure too, not a deviation shown as such.
    ASSERT_FALSE(ws.modelVyrovnany.Vysledek().Souradnice().bod[0].JeFixni);
    Stav(ws.modelVyrovnany).souradnice.bod[0].UpravPresnost().elipsa.a_delka =
        std::numeric_limits<Real>::quiet_NaN();
    EXPECT_FALSE(ZobrazitVyrovnani(ws.modelVyrovnany, 1, v));
    EXPECT_TRUE(v.body.empty());
}

// Without the observations the view holds none of them but still refuses one
// that does not scale; scaled one at a time they are the copies of the full view.
TEST_F(AdjustedTiny, ViewWithoutObservationsChecksThemAndScalesThemAlike) {
    TmodelSite& m = ws.modelVyrovnany;
    const Real k = 2.5L;
    ZobrazeneVyrovnani plne;
    ZobrazeneVyrovnani bez;
    ASSERT_TRUE(ZobrazitVyrovnani(m, k, plne));
    ASSERT_TRUE(ZobrazitVyrovnani(m, k, bez, RozsahZobrazeni::BezMereni));
    EXPECT_EQ(bez.body.size(), plne.body.size());
    EXPECT_EQ(bez.posuny.size(), plne.posuny.size());
    bool mdb = false;
    for (const Velicina typ : druhy::kPoradi) {
        const std::vector<TmerenaVelicina>& a = plne.mereni[IndexVeliciny(typ)];
        EXPECT_TRUE(bez.mereni[IndexVeliciny(typ)].empty()) << KodVeliciny(typ);
        std::size_t i = 0;
        for (TmerenaVelicina z : druhy::Vektor(m, typ).zaznam) {
            if (!z.jePlny) continue;
            ASSERT_LT(i, a.size());
            ASSERT_TRUE(SkalovatMereni(z, &TmerenaVelicina::odchylkaOprava, k));
            EXPECT_EQ(z.odchylkaOprava, a[i].odchylkaOprava);
            EXPECT_EQ(z.mdb, a[i].mdb);
            EXPECT_EQ(z.mdbPosun, a[i].mdbPosun);
            mdb = mdb || z.mdb > 0;
            ++i;
        }
        EXPECT_EQ(i, a.size()) << KodVeliciny(typ);
    }
    EXPECT_TRUE(mdb);
    TmerenaVelicina& z = druhy::Vektor(m, Velicina::Smer).zaznam.at(0);
    ASSERT_TRUE(z.jePlny);
    z.odchylkaOprava = std::numeric_limits<Real>::infinity();
    EXPECT_FALSE(ZobrazitVyrovnani(m, k, bez, RozsahZobrazeni::BezMereni));
    EXPECT_TRUE(bez.body.empty());
}

// The share of outliers needs what the test saw: every observation of the robust
// stage, the rejected ones included.
TEST_F(AdjustedTiny, SummaryCountsTheObservationsTested) {
    const SouhrnVyrovnani s = ShrnoutVyrovnani(ws);
    int32_t tested = 0;
    int32_t rejected = 0;
    for (size_t k = 0; k < s.testovane.size(); ++k) {
        EXPECT_GE(s.testovane[k], s.odlehle[k]);
        tested += s.testovane[k];
        rejected += s.odlehle[k];
    }
    EXPECT_GT(rejected, 0);
    EXPECT_EQ(tested, ws.modelOdlehly.Vysledek().PocetMereni());
    EXPECT_EQ(tested - rejected, s.pocetMereni);
    EXPECT_EQ(s.testovane[IndexVeliciny(Velicina::DoplnekDelka)], 0);
}

// Counter 0 of a list holds the rows outside sets and the rows aimed at their own
// station together; the summary tells them apart.
TEST(PoctyChyb, TellsRowsOutsideSetsFromRowsAimedAtTheStation) {
    Tnastaveni n;
    n.Default();
    Tchyby chyby;
    Tmereni m;
    ASSERT_TRUE(ReadMtx({"1 A 1.5 B 1.5 0 100 100", "1 A 1.5 C 1.5 100 100 100",
                         "1 A 1.5 C 1.5 300 300 100", "1 A 1.5 B 1.5 200 300 100",
                         "1 A 1.5 D 1.5 50 100 50", "1 A 1.5 A 1.5 60 100 0"},
                        n, m)
                    .ok);
    KontrolaVsehoMereni(m, n, chyby);
    const PoctyChyb p = SpocitatPoctyChyb(m);
    EXPECT_EQ(p.mimoSkupiny, 2);      // the rows to D and to A: one face only
    EXPECT_EQ(p.cilJeStanovisko, 1);  // the row to A
    EXPECT_EQ(p.kontrola[kontrola::kCilJeStanovisko], 3);
    for (size_t k = 0; k < p.kontrola.size(); ++k) EXPECT_EQ(p.kontrola[k], m.kontrola[k]) << k;
}

}  // namespace
}  // namespace vertano
