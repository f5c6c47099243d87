// The sparse and the dense solver of the normal equations, run as the main
// window runs the adjustment on generated networks, give the same results: the
// dense cascade is the reference.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "VyrovnaniTestPomocne.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"

namespace vertano {
namespace {

using test::Generovat;
using test::NacistSit;
using test::NastaveniTestu;
using test::ZaznamInterakce;

struct Beh {
    Workspace ws;
    VysledekVyrovnani v;
};

void Spustit(const SimulovanaSit& sit, SolverChoice volba, bool volna, int vlaken, Beh& b) {
    NastaveniTestu(b.ws);
    b.ws.nastaveni.pocetVlaknaVse = static_cast<uint8_t>(vlaken);
    NacistSit(b.ws, sit);
    if (volna) {
        for (Tbod& bod : b.ws.souradniceFixni.bod) bod.JeFixni = false;
    }
    Stav(b.ws.modelVyrovnany).solverChoice = volba;
    ZaznamInterakce ui;
    ASSERT_TRUE(AnalyzaSuroveMereni(b.ws, ui).uspech);
    b.v = VyrovnaniSite(b.ws, ui);
    ASSERT_TRUE(b.v.uspech) << b.v.chyba;
}

void Relativne(Real a, Real b, Real tolerance, const std::string& co) {
    EXPECT_LE(std::fabs(a - b), tolerance * std::fabs(b))
        << co << ": " << static_cast<double>(a) << " vs " << static_cast<double>(b);
}

// Coordinates to 1e-9 m, standard deviations, ellipse and ellipsoid axes to
// 1e-9 relative, the same observations excluded, sigma0 to 1e-12 relative.
void OcekavatShodu(const Beh& husta, const Beh& ridka) {
    const TmodelSite& h = husta.ws.modelVyrovnany;
    const TmodelSite& r = ridka.ws.modelVyrovnany;
    EXPECT_FALSE(h.RidkaCesta());
    EXPECT_TRUE(r.RidkaCesta());
    EXPECT_NE(r.Solver().Sparse(), nullptr);
    EXPECT_EQ(ridka.v.pocetIteraciRobustne, husta.v.pocetIteraciRobustne);
    EXPECT_EQ(ridka.v.pocetIteraci, husta.v.pocetIteraci);
    ASSERT_EQ(r.Vysledek().Souradnice().bod.size(), h.Vysledek().Souradnice().bod.size());
    for (std::size_t i = 0; i < h.Vysledek().Souradnice().bod.size(); ++i) {
        const Tbod& a = h.Vysledek().Souradnice().bod[i];
        const Tbod& b = r.Vysledek().Souradnice().bod[i];
        ASSERT_EQ(a.cislo, b.cislo);
        EXPECT_NEAR(static_cast<double>(b.X - a.X), 0, 1e-9) << a.cislo;
        EXPECT_NEAR(static_cast<double>(b.Y - a.Y), 0, 1e-9) << a.cislo;
        EXPECT_NEAR(static_cast<double>(b.Z - a.Z), 0, 1e-9) << a.cislo;
        if (a.JeFixni) continue;
        Relativne(b.Presnost().sig_X, a.Presnost().sig_X, 1e-9L, a.cislo + " sig_X");
        Relativne(b.Presnost().sig_Y, a.Presnost().sig_Y, 1e-9L, a.cislo + " sig_Y");
        Relativne(b.Presnost().sig_Z, a.Presnost().sig_Z, 1e-9L, a.cislo + " sig_Z");
        Relativne(b.Presnost().elipsa.a_delka, a.Presnost().elipsa.a_delka, 1e-9L,
                  a.cislo + " ellipse a");
        Relativne(b.Presnost().elipsa.b_delka, a.Presnost().elipsa.b_delka, 1e-9L,
                  a.cislo + " ellipse b");
        const Real osy[3] = {a.Presnost().elipsoid.a_delka, a.Presnost().elipsoid.b_delka,
                             a.Presnost().elipsoid.c_delka};
        const Real osyR[3] = {b.Presnost().elipsoid.a_delka, b.Presnost().elipsoid.b_delka,
                              b.Presnost().elipsoid.c_delka};
        for (int k = 0; k < 3; ++k) Relativne(osyR[k], osy[k], 1e-9L, a.cislo + " ellipsoid");
    }
    for (std::size_t k = 0; k < h.Vysledek().Posun().zaznam.size(); ++k) {
        Relativne(r.Vysledek().Posun().zaznam[k].odchylka, h.Vysledek().Posun().zaznam[k].odchylka,
                  1e-9L, "orientation");
    }
    Relativne(r.Vysledek().OdchylkaJednotkovaAposterior(),
              h.Vysledek().OdchylkaJednotkovaAposterior(), 1e-12L, "sigma0");
    const TmodelSite& ho = husta.ws.modelOdlehly;
    const TmodelSite& ro = ridka.ws.modelOdlehly;
    int vyloucenych = 0;
    for (const Velicina typ : druhy::kPoradi) {
        const auto& a = druhy::Vektor(ho, typ).zaznam;
        const auto& b = druhy::Vektor(ro, typ).zaznam;
        ASSERT_EQ(a.size(), b.size()) << KodVeliciny(typ);
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i].jeOdlehly, b[i].jeOdlehly) << KodVeliciny(typ) << " " << i;
            vyloucenych += a[i].jeOdlehly ? 1 : 0;
        }
    }
    EXPECT_GT(vyloucenych, 0);
}

SimulaceParametry Mrizka(int bodu, int hrubych, bool doplnky, uint64_t seed) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Grid;
    p.pocetBodu = bodu;
    p.pocetZadanych = bodu / 5;
    p.pocetSousedu = 6;
    p.pocetHrubych = hrubych;
    p.doplnky = doplnky;
    p.seed = seed;
    return p;
}

TEST(ResiceShoda, FixedAndFreeGridsWithOutliers) {
    const SimulovanaSit sit = Generovat(Mrizka(60, 3, false, 31));
    for (const bool volna : {false, true}) {
        SCOPED_TRACE(volna ? "free" : "fixed");
        Beh husta;
        Beh ridka;
        Spustit(sit, SolverChoice::Dense, volna, 2, husta);
        Spustit(sit, SolverChoice::Auto, volna, 2, ridka);
        EXPECT_EQ(ridka.ws.modelVyrovnany.Vysledek().TypFixace(),
                  volna ? Fixace::VolnaDelky : Fixace::PevnaSit);
        OcekavatShodu(husta, ridka);
    }
}

TEST(ResiceShoda, FixedAndFreeNetworksWithSupplementaryObservations) {
    const SimulovanaSit sit = Generovat(Mrizka(30, 0, true, 32));
    for (const bool volna : {false, true}) {
        SCOPED_TRACE(volna ? "free" : "fixed");
        Beh husta;
        Beh ridka;
        Spustit(sit, SolverChoice::Dense, volna, 2, husta);
        Spustit(sit, SolverChoice::Sparse, volna, 2, ridka);
        EXPECT_GT(ridka.ws.modelVyrovnany.Vysledek().Doplnek().pocetProvazeni, 0);
        OcekavatShodu(husta, ridka);
    }
}

TEST(ResiceShoda, TheSparseResultDoesNotDependOnTheThreadCount) {
    const SimulovanaSit sit = Generovat(Mrizka(40, 2, false, 33));
    Beh jedno;
    Beh tri;
    Spustit(sit, SolverChoice::Sparse, false, 1, jedno);
    Spustit(sit, SolverChoice::Sparse, false, 3, tri);
    const TmodelSite& a = jedno.ws.modelVyrovnany;
    const TmodelSite& b = tri.ws.modelVyrovnany;
    ASSERT_EQ(a.Vysledek().Souradnice().bod.size(), b.Vysledek().Souradnice().bod.size());
    for (std::size_t i = 0; i < a.Vysledek().Souradnice().bod.size(); ++i) {
        EXPECT_EQ(a.Vysledek().Souradnice().bod[i].X, b.Vysledek().Souradnice().bod[i].X);
        EXPECT_EQ(a.Vysledek().Souradnice().bod[i].Z, b.Vysledek().Souradnice().bod[i].Z);
        EXPECT_EQ(a.Vysledek().Souradnice().bod[i].Presnost().sig_Y,
                  b.Vysledek().Souradnice().bod[i].Presnost().sig_Y);
        EXPECT_EQ(a.Vysledek().Souradnice().bod[i].Presnost().elipsa.a_delka,
                  b.Vysledek().Souradnice().bod[i].Presnost().elipsa.a_delka);
    }
    EXPECT_EQ(a.Vysledek().OdchylkaJednotkovaAposterior(),
              b.Vysledek().OdchylkaJednotkovaAposterior());
}

// Three more given (not fixed) points that observe only each other: the
// observations place none of them in the network. Both paths stop with the
// message of the stage: 5 in the robust iterations, 7 without them.
TEST(ResiceShoda, AnIslandStopsBothPathsWithTheMessageOfTheStage) {
    test::SyntetickaSit sit;
    sit.Bod("A", 1000, 1000, 100);
    sit.Bod("B", 1200, 1010, 101);
    sit.Bod("C", 1100, 1150, 98);
    sit.Bod("P", 1600, 1500, 90);
    sit.Bod("Q", 1650, 1580, 95);
    sit.Bod("R", 1580, 1640, 93);
    for (const auto& trojice : {std::vector<std::string>{"A", "B", "C"}, {"P", "Q", "R"}}) {
        for (const std::string& stn : trojice) {
            sit.Stanovisko(stn, 0.3L, 1.5L);
            for (const std::string& cil : trojice) {
                if (cil != stn) sit.Cil(cil, true, 1.6L);
            }
        }
    }
    for (const bool vylucovat : {true, false}) {
        for (const SolverChoice volba : {SolverChoice::Dense, SolverChoice::Auto}) {
            SCOPED_TRACE(std::string(vylucovat ? "robust, " : "plain, ") +
                         (volba == SolverChoice::Dense ? "dense" : "sparse"));
            Workspace ws;
            NastaveniTestu(ws);
            if (!vylucovat) ws.nastaveni.vyrovnani.vylucovatOdlehle = false;
            auto& q = ws.nastaveni.prepinac;
            if (!vylucovat) q.vylucovatSmer = q.vylucovatZenit = q.vylucovatDelka = false;
            ws.suroveMereni = test::DvePolohy(sit.Mereni(2));
            KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
            ws.souradniceFixni = sit.Zadane({"A", "B"});
            ws.souradniceFixni.PridejBody2(sit.Zadane({"C", "P", "Q", "R"}, false));
            Stav(ws.modelVyrovnany).solverChoice = volba;
            ZaznamInterakce ui;
            ASSERT_TRUE(AnalyzaSuroveMereni(ws, ui).uspech);
            const VysledekVyrovnani v = VyrovnaniSite(ws, ui);
            EXPECT_FALSE(v.uspech);
            EXPECT_EQ(v.oznameni, vylucovat ? 5 : 7);
            EXPECT_NE(v.chyba.find("singular"), std::string::npos) << v.chyba;
            ASSERT_FALSE(ui.oznameni.empty());
            EXPECT_NE(ui.oznameni.back().find("Error in solving the normal equations."),
                      std::string::npos)
                << ui.oznameni.back();
            EXPECT_FALSE(ws.state.Current(Step::Adjustment));
        }
    }
}

}  // namespace
}  // namespace vertano
