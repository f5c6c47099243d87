#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "adjustment/OdlehleSitPomocne.h"
#include "adjustment/RobustniVahy.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

using test::Krok;
using test::SitOdlehle;

const TmerenaVelicina* Najdi(const TvektorMereni& v, const std::string& stn,
                             const std::string& cil) {
    for (const TmerenaVelicina& z : v.zaznam) {
        if (z.cislo_stn == stn && z.cislo_cil == cil) return &z;
    }
    return nullptr;
}

int32_t PocetOdlehlych(const TmodelSite& m) {
    return m.Vysledek().Smer().PocetOdlehlychHodnot() +
           m.Vysledek().Zenit().PocetOdlehlychHodnot() +
           m.Vysledek().Delka().PocetOdlehlychHodnot();
}

void OcekavejTestoveHodnoty(const TmerenaVelicina& z, Real kvantil) {
    EXPECT_GT(z.odchylkaOprava, 0);
    EXPECT_LE(z.odchylkaOprava, z.odchylka);
    EXPECT_NEAR(z.mezniOprava, kvantil * z.odchylkaOprava, 1e-15L * kvantil);
    EXPECT_NEAR(z.normOprava, z.oprava / z.odchylka, 1e-12L);
    EXPECT_EQ(z.jeOdlehly, std::fabs(z.oprava) > z.mezniOprava);
}

void OcekavejPresneBody(const TmodelSite& model, const SitOdlehle& s, Real mez) {
    for (const std::string& c : s.urcovane) {
        const Tbod pravy = s.sit.Skutecny(c);
        int32_t i = -1;
        ASSERT_TRUE(model.Vysledek().Souradnice().PoradiBodu(c, i)) << c;
        const Tbod& b = model.Vysledek().Souradnice().bod[i];
        EXPECT_NEAR(b.X, pravy.X, mez) << c;
        EXPECT_NEAR(b.Y, pravy.Y, mez) << c;
        EXPECT_NEAR(b.Z, pravy.Z, mez) << c;
    }
}

// ---- every estimator finds a gross error ----

class HrubaChybaTest : public ::testing::TestWithParam<std::tuple<int32_t, bool>> {};

TEST_P(HrubaChybaTest, GrossErrorEndsInTheOutlierModel) {
    const auto [typOdhadu, veSmeru] = GetParam();
    SitOdlehle s = test::VelkaSit();
    test::PridejSum(s.mereni, 11);
    // Occupation 5 is P3; its pointing at P5 gets 50 mgon or 10 cm.
    const int32_t r = test::IndexZaznamu(s.mereni, 5, 1, "P5");
    ASSERT_GE(r, 0);
    if (veSmeru) {
        s.mereni.zaznam[r].smer += MgonNaRad(50);
    } else {
        s.mereni.zaznam[r].delka += 0.10L;
    }
    s.nastaveni.vyrovnani.typOdhadu = OdhadZKodu(typOdhadu);

    TmodelSite model;
    TmodelSite odlehly;
    ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
    const int32_t pocetSmer = model.Vysledek().PocetSmer();
    const int32_t pocetDelka = model.Vysledek().PocetDelka();
    ASSERT_GE(model.Vysledek().PocetNadbytecnych(), 30);
    ASSERT_EQ(test::Vyrovnej(model, odlehly, s.nastaveni), Krok::Hotovo)
        << model.Vysledek().Chyba();

    const TvektorMereni& vOdlehly =
        veSmeru ? odlehly.Vysledek().Smer() : odlehly.Vysledek().Delka();
    const TmerenaVelicina* z = Najdi(vOdlehly, "P3", "P5");
    ASSERT_NE(z, nullptr);
    EXPECT_TRUE(z->jeOdlehly);
    OcekavejTestoveHodnoty(*z, model.Vysledek().Kvantil());
    // l = computed - measured: a measured value too large leaves a negative
    // residual of about the size of the error.
    const Real chyba = veSmeru ? MgonNaRad(50) : 0.10L;
    EXPECT_LT(z->oprava, -0.5L * chyba);
    EXPECT_GT(z->oprava, -1.5L * chyba);
    EXPECT_EQ(Najdi(veSmeru ? model.Vysledek().Smer() : model.Vysledek().Delka(), "P3", "P5"),
              nullptr);

    // Counts: what the adjusted model lost is what the outlier model flags.
    EXPECT_EQ(odlehly.Vysledek().PocetSmerOdlehly(), pocetSmer - model.Vysledek().PocetSmer());
    EXPECT_EQ(odlehly.Vysledek().PocetDelkaOdlehly(), pocetDelka - model.Vysledek().PocetDelka());
    EXPECT_EQ(odlehly.Vysledek().PocetSmerOdlehly(),
              odlehly.Vysledek().Smer().PocetOdlehlychHodnot());
    EXPECT_EQ(odlehly.Vysledek().PocetDelkaOdlehly(),
              odlehly.Vysledek().Delka().PocetOdlehlychHodnot());
    EXPECT_EQ(static_cast<int32_t>(odlehly.Vysledek().Smer().zaznam.size()), pocetSmer);
    // The good observations are tested at the level alpha: only a few of them
    // may fail with the gross one.
    const int32_t celkem = pocetSmer + pocetDelka + odlehly.Vysledek().PocetZenit();
    EXPECT_LT(PocetOdlehlych(odlehly), celkem / 8);
    // With the faulty observation gone the network is adjusted to its noise.
    OcekavejPresneBody(model, s, 0.005L);
    EXPECT_GT(model.Vysledek().OdchylkaJednotkovaAposterior(), 0.5L);
    EXPECT_LT(model.Vysledek().OdchylkaJednotkovaAposterior(), 1.5L);
}

std::string NazevOdhadu(const ::testing::TestParamInfo<std::tuple<int32_t, bool>>& info) {
    return "odhad" + std::to_string(std::get<0>(info.param)) +
           (std::get<1>(info.param) ? "_smer" : "_delka");
}

INSTANTIATE_TEST_SUITE_P(VsechnyOdhady, HrubaChybaTest,
                         ::testing::Combine(::testing::Range(1, kPocetOdhadu + 1),
                                            ::testing::Bool()),
                         NazevOdhadu);

// ---- without gross errors ----

class BezChybTest : public ::testing::TestWithParam<int32_t> {};

TEST_P(BezChybTest, ShareOfExcludedObservationsIsNearAlpha) {
    SitOdlehle s = test::VelkaSit();
    test::PridejSum(s.mereni, 2024);
    s.nastaveni.vyrovnani.typOdhadu = OdhadZKodu(GetParam());
    TmodelSite model;
    TmodelSite odlehly;
    ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
    const int32_t celkem = model.Vysledek().PocetMereni();
    ASSERT_GT(celkem, 300);
    ASSERT_EQ(test::Vyrovnej(model, odlehly, s.nastaveni), Krok::Hotovo)
        << model.Vysledek().Chyba();
    const Real podil = static_cast<Real>(PocetOdlehlych(odlehly)) / celkem;
    EXPECT_EQ(PocetOdlehlych(odlehly), celkem - model.Vysledek().PocetMereni());
    // alpha = 0.05; a binomial share of ~320 trials has a standard deviation of
    // about 0.012.
    EXPECT_GT(podil, 0.01L);
    EXPECT_LT(podil, 0.10L);
}

INSTANTIATE_TEST_SUITE_P(VsechnyOdhady, BezChybTest, ::testing::Range(1, kPocetOdhadu + 1));

}  // namespace
}  // namespace vertano
