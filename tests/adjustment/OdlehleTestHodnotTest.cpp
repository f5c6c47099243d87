#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "adjustment/OdlehleSitPomocne.h"
#include "adjustment/RobustniVahy.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

using test::Krok;
using test::SitOdlehle;

bool Obsahuje(const TvektorMereni& v, const TmerenaVelicina& hledany) {
    for (const TmerenaVelicina& z : v.zaznam) {
        if (z.cislo_stn == hledany.cislo_stn && z.cislo_cil == hledany.cislo_cil) return true;
    }
    return false;
}

// An exact network adjusted plainly until its residuals are rounding noise,
// with the cofactors of the observations at hand: the tests then set chosen
// residuals and watch the outlier test decide.
class OdlehleTestHodnot : public ::testing::Test {
  protected:
    void SetUp() override {
        s = test::VelkaSit(true);
        ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
        bool znovu = true;
        model.ZacitIterace();
        while (znovu) ASSERT_TRUE(model.VyrovnatOpakovane(znovu)) << model.Vysledek().Chyba();
        ASSERT_TRUE(model.VypocetKovariancniMatice());
        q = Stav(model).vektorRedukovanychMereni;
    }

    Real SigmaV(int32_t rovnice, Real odchylka) const {
        return std::sqrt(odchylka * odchylka - q[rovnice]);
    }

    SitOdlehle s;
    TmodelSite model;
    TmodelSite odlehly;
    Tvector q;
};

TEST_F(OdlehleTestHodnot, ResidualsAgainstTheirLimits) {
    const Real k = model.Vysledek().Kvantil();
    EXPECT_NEAR(k, 1.959964L, 1e-6L);
    const int32_t d = model.PocatekRovnic(Velicina::Delka);
    const Real sig = model.Vysledek().Delka().zaznam[1].odchylka;
    Stav(model).vektorOprav[d + 0] = 5e-11L;
    Stav(model).vektorOprav[d + 1] = 3 * SigmaV(d + 1, sig);
    Stav(model).vektorOprav[d + 2] = -1.9L * SigmaV(d + 2, sig);
    Stav(model).vektorOprav[d + 3] = -(k + 0.01L) * SigmaV(d + 3, sig);
    const int32_t pocetDelka = model.Vysledek().PocetDelka();
    ASSERT_TRUE(model.VylouceniOdlehlychHodnot(odlehly, s.nastaveni)) << model.Vysledek().Chyba();

    const auto& z = odlehly.Vysledek().Delka().zaznam;
    EXPECT_EQ(z[0].oprava, 0);
    EXPECT_EQ(z[0].normOprava, 0);
    EXPECT_EQ(z[0].odchylkaOprava, 0);
    EXPECT_EQ(z[0].mezniOprava, 0);
    EXPECT_FALSE(z[0].jeOdlehly);

    EXPECT_TRUE(z[1].jeOdlehly);
    EXPECT_NEAR(z[1].odchylkaOprava, SigmaV(d + 1, sig), 1e-15L);
    EXPECT_NEAR(z[1].mezniOprava, k * SigmaV(d + 1, sig), 1e-15L);
    EXPECT_NEAR(z[1].normOprava, 3 * SigmaV(d + 1, sig) / sig, 1e-12L);
    EXPECT_FALSE(z[2].jeOdlehly);
    EXPECT_LT(z[2].oprava, 0);
    EXPECT_TRUE(z[3].jeOdlehly);

    EXPECT_EQ(odlehly.Vysledek().PocetDelkaOdlehly(), 2);
    EXPECT_EQ(model.Vysledek().PocetDelka(), pocetDelka - 2);
    EXPECT_FALSE(Obsahuje(model.Vysledek().Delka(), z[1]));
    EXPECT_TRUE(Obsahuje(model.Vysledek().Delka(), z[2]));
    EXPECT_EQ(odlehly.Vysledek().PocetSmerOdlehly(), 0);
    EXPECT_EQ(odlehly.Vysledek().Doplnek().pocetProvazeniOdlehly, 0);
}

TEST_F(OdlehleTestHodnot, PlumbingTieIsTestedAsOneHorizontalResidual) {
    const int32_t x = model.PocatekRovnic(Velicina::DoplnekProvazeni);
    const int32_t n = model.Vysledek().Doplnek().pocetProvazeni;
    ASSERT_EQ(n, 1);
    const Real sig = model.Vysledek().Doplnek().provazeni.zaznam[0].odchylka;
    const Real sX = SigmaV(x, sig);
    const Real sY = SigmaV(x + n, sig);
    Stav(model).vektorOprav[x] = 3 * sX;
    Stav(model).vektorOprav[x + n] = 4 * sY;
    ASSERT_TRUE(model.VylouceniOdlehlychHodnot(odlehly, s.nastaveni)) << model.Vysledek().Chyba();
    const TmerenaVelicina& z = odlehly.Vysledek().Doplnek().provazeni.zaznam[0];
    const Real v = std::hypot(3 * sX, 4 * sY);
    EXPECT_NEAR(z.oprava, v, 1e-15L);
    const Real sigmaV = std::hypot(3 * sX * sX, 4 * sY * sY) / v;
    EXPECT_NEAR(z.odchylkaOprava, sigmaV, 1e-15L);
    EXPECT_TRUE(z.jeOdlehly);
    EXPECT_EQ(odlehly.Vysledek().Doplnek().pocetProvazeniOdlehly, 1);
    EXPECT_EQ(model.Vysledek().Doplnek().pocetProvazeni, 0);
    EXPECT_EQ(model.Vysledek().PocetMereni(), odlehly.Vysledek().PocetMereni() - 2);
}

TEST_F(OdlehleTestHodnot, KindSwitchedOffIsNeitherTestedNorReduced) {
    s.nastaveni.prepinac.vylucovatZenit = false;
    const int32_t z0 = model.PocatekRovnic(Velicina::Zenit);
    Stav(model).vektorOprav[z0] = 1;  // far beyond any limit
    const int32_t pocetZenit = model.Vysledek().PocetZenit();
    ASSERT_TRUE(model.VylouceniOdlehlychHodnot(odlehly, s.nastaveni)) << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().PocetZenit(), pocetZenit);
    EXPECT_EQ(odlehly.Vysledek().PocetZenitOdlehly(), 0);
    EXPECT_FALSE(odlehly.Vysledek().Zenit().zaznam[0].jeOdlehly);
}

TEST_F(OdlehleTestHodnot, StationWithoutDirectionsLosesItsOrientationUnknown) {
    // Occupation 3 stands on P1; all its directions fail.
    const int32_t s0 = model.PocatekRovnic(Velicina::Smer);
    std::vector<std::string> ciloveP1;
    int32_t pocetP1 = 0;
    for (std::size_t i = 0; i < model.Vysledek().Smer().zaznam.size(); ++i) {
        if (model.Vysledek().Smer().zaznam[i].poradi != 3) continue;
        Stav(model).vektorOprav[s0 + static_cast<int32_t>(i)] = 0.5L;
        ++pocetP1;
    }
    ASSERT_EQ(pocetP1, 12);
    const int32_t pocetPosunu = model.Vysledek().PocetPosunu();
    const int32_t pocetSmer = model.Vysledek().PocetSmer();
    const int32_t pocetZenit = model.Vysledek().PocetZenit();
    const int32_t neznamych = model.Vysledek().PocetNeznamych();
    ASSERT_TRUE(model.VylouceniOdlehlychHodnot(odlehly, s.nastaveni)) << model.Vysledek().Chyba();

    EXPECT_EQ(model.Vysledek().PocetPosunu(), pocetPosunu - 1);
    EXPECT_EQ(model.Vysledek().PocetNeznamych(), neznamych - 1);
    EXPECT_EQ(model.Vysledek().PocetSmer(), pocetSmer - pocetP1);
    EXPECT_EQ(model.Vysledek().PocetZenit(), pocetZenit);
    EXPECT_EQ(odlehly.Vysledek().PocetSmerOdlehly(), pocetP1);
    // Groups 1, 2, 3, ... without a gap, each a contiguous run that the index
    // delimits; P2's occupation (formerly 4) is now the third.
    ASSERT_EQ(static_cast<int32_t>(model.Vysledek().IndexSmer().size()),
              model.Vysledek().PocetPosunu() + 1);
    for (int32_t g = 0; g < model.Vysledek().PocetPosunu(); ++g) {
        for (int32_t i = model.Vysledek().IndexSmer()[g]; i < model.Vysledek().IndexSmer()[g + 1];
             ++i) {
            EXPECT_EQ(model.Vysledek().Smer().zaznam[i].poradi, g + 1);
            EXPECT_EQ(model.Vysledek().Smer().zaznam[i].poradiPosun, g + 1);
        }
    }
    EXPECT_EQ(model.Vysledek().Smer().zaznam[model.Vysledek().IndexSmer()[2]].cislo_stn, "P2");
    // The outlier model keeps the old numbers for display.
    EXPECT_EQ(odlehly.Vysledek().PocetPosunu(), pocetPosunu);

    // The reduced network adjusts and evaluates, with one orientation less.
    ASSERT_TRUE(model.Naplnit());
    bool znovu = true;
    model.ZacitIterace();
    while (znovu) ASSERT_TRUE(model.VyrovnatOpakovane(znovu)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
    ASSERT_EQ(static_cast<int32_t>(model.Vysledek().Posun().zaznam.size()), pocetPosunu - 1);
    EXPECT_EQ(model.Vysledek().Posun().zaznam[2].cislo_stn, "P2");
    EXPECT_NEAR(model.Vysledek().Posun().zaznam[2].hodnota, s.orientace[3], 1e-9L);
}

TEST(OdlehleBezNadbytecnostiTest, ObservationWithoutRedundancyIsNeverAnOutlier) {
    // H hangs on a second occupation of P3 that is oriented on F1: its three
    // observations have no redundancy, so their residuals are rounding noise.
    SitOdlehle s = test::VelkaSit();
    s.sit.Bod("H", 300, 280, 99.5L);
    s.urcovane.push_back("H");
    test::Stanovisko(s, "P3", 2.2L);
    s.sit.Cil("F1");
    s.sit.Cil("H");
    s.mereni = s.sit.Mereni();
    TmodelSite model;
    TmodelSite odlehly;
    ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
    bool znovu = true;
    model.ZacitIterace();
    while (znovu) ASSERT_TRUE(model.VyrovnatOpakovane(znovu)) << model.Vysledek().Chyba();
    const TmerenaVelicina* h = nullptr;
    int32_t rovnice = model.PocatekRovnic(Velicina::Delka);
    for (const TmerenaVelicina& z : model.Vysledek().Delka().zaznam) {
        if (z.cislo_cil == "H") h = &z;
        if (h == nullptr) ++rovnice;
    }
    ASSERT_NE(h, nullptr);
    // Noise that an ill-conditioned robust step may leave, well above the
    // threshold of an exact zero.
    Stav(model).vektorOprav[rovnice] = 1e-7L;
    const int32_t pocetDelka = model.Vysledek().PocetDelka();
    ASSERT_TRUE(model.VylouceniOdlehlychHodnot(odlehly, s.nastaveni)) << model.Vysledek().Chyba();
    const TmerenaVelicina& z = odlehly.Vysledek().Delka().zaznam[rovnice];
    ASSERT_EQ(z.cislo_cil, "H");
    EXPECT_FALSE(z.jeOdlehly);
    EXPECT_EQ(z.odchylkaOprava, 0);
    EXPECT_EQ(z.oprava, 1e-7L);
    EXPECT_EQ(model.Vysledek().PocetDelka(), pocetDelka);
    ASSERT_TRUE(model.Naplnit());
    znovu = true;
    model.ZacitIterace();
    while (znovu) ASSERT_TRUE(model.VyrovnatOpakovane(znovu)) << model.Vysledek().Chyba();
    EXPECT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
}

TEST(VylucovatOdlehleTest, SwitchesAndKindsPresent) {
    SitOdlehle s = test::VelkaSit();
    TmodelSite model;
    ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
    auto& p = s.nastaveni.prepinac;
    p = {};
    EXPECT_FALSE(model.VylucovatOdlehle(s.nastaveni));
    EXPECT_FALSE(model.Vysledek().ProbehloVycovaniOdlehlych());
    p.vylucovatDoplnekProvazeni = true;  // no plumbing tie in this network
    EXPECT_FALSE(model.VylucovatOdlehle(s.nastaveni));
    p.vylucovatZenit = true;
    EXPECT_TRUE(model.VylucovatOdlehle(s.nastaveni));
    EXPECT_TRUE(model.Vysledek().ProbehloVycovaniOdlehlych());
    p.vylucovatZenit = false;
    EXPECT_FALSE(model.VylucovatOdlehle(s.nastaveni));
    EXPECT_FALSE(model.Vysledek().ProbehloVycovaniOdlehlych());

    // Without exclusion no robust step runs and the outlier model is empty.
    TmodelSite odlehly;
    Stav(odlehly).pocetSmer = 5;
    ASSERT_EQ(test::Vyrovnej(model, odlehly, s.nastaveni), Krok::Hotovo)
        << model.Vysledek().Chyba();
    EXPECT_TRUE(odlehly.Vysledek().Smer().zaznam.empty());
    EXPECT_EQ(odlehly.Vysledek().PocetSmer(), -1);
}

TEST(RobustniVahyModeluTest, FactorsWeightsAndLargestChange) {
    SitOdlehle s = test::VelkaSit();
    s.nastaveni.vyrovnani.typOdhadu = Odhad::Huber;
    TmodelSite model;
    ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
    const int32_t d = model.PocatekRovnic(Velicina::Delka);
    const int32_t sm = model.PocatekRovnic(Velicina::Smer);
    std::fill(Stav(model).vektorOprav.begin(), Stav(model).vektorOprav.end(), Real(0));
    Stav(model).vektorOprav[d] = 2.69L * Stav(model).delka.zaznam[0].odchylka;      // Huber: 0.5
    Stav(model).vektorOprav[sm + 1] = -1.0L * Stav(model).smer.zaznam[1].odchylka;  // within: 1
    Stav(model).zmenaVahy = 0;
    ASSERT_TRUE(model.VypocistRobustniVahy(model.Vysledek().TypOdhadu()));
    EXPECT_NEAR(model.Vysledek().RobustniZmeny()[d], 0.5L, 1e-15L);
    EXPECT_NEAR(Stav(model).vektorUloziste[d], 0.5L * model.Vysledek().VahyApriori()[d],
                1e-15L * model.Vysledek().VahyApriori()[d]);
    EXPECT_EQ(model.Vysledek().RobustniZmeny()[sm + 1], 1);
    EXPECT_EQ(Stav(model).vektorUloziste[sm + 1], model.Vysledek().VahyApriori()[sm + 1]);
    EXPECT_NEAR(model.Vysledek().ZmenaVahy(), 0.5L, 1e-15L);
    EXPECT_NEAR(model.Vysledek().VahyApriori()[d] * test::kSigDelka * test::kSigDelka, 1, 1e-15L);

    // The next step measures the change against these factors.
    Stav(model).vektorOprav[d] = 0;
    Stav(model).zmenaVahy = 0;
    ASSERT_TRUE(model.VypocistRobustniVahy(model.Vysledek().TypOdhadu()));
    EXPECT_NEAR(model.Vysledek().ZmenaVahy(), 0.5L, 1e-15L);
    Stav(model).zmenaVahy = 0;
    ASSERT_TRUE(model.VypocistRobustniVahy(model.Vysledek().TypOdhadu()));
    EXPECT_EQ(model.Vysledek().ZmenaVahy(), 0);

    // A deviation of 0 would divide by zero: refused, nothing changed.
    Stav(model).delka.zaznam[1].odchylka = 0;
    Stav(model).vektorOprav[d] = 1;
    EXPECT_FALSE(model.VypocistRobustniVahy(model.Vysledek().TypOdhadu()));
    EXPECT_EQ(model.Vysledek().RobustniZmeny()[d], 1);
    Stav(model).delka.zaznam[1].odchylka = test::kSigDelka;

    // An unknown estimator changes nothing.
    Stav(model).typOdhadu = static_cast<Odhad>(13);
    Stav(model).vektorOprav[d] = 1;
    EXPECT_FALSE(model.VypocistRobustniVahy(model.Vysledek().TypOdhadu()));
    EXPECT_EQ(model.Vysledek().RobustniZmeny()[d], 1);
}

}  // namespace
}  // namespace vertano
