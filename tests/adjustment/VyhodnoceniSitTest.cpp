#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "adjustment/JacobiPomocne.h"
#include "adjustment/OdlehleSitPomocne.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"
#include "matice/Quantile.h"

namespace vertano {
namespace {

using test::Krok;
using test::SitOdlehle;

Real DoKruhu(Real u) {
    Real r = std::fmod(u, kDvePi);
    return r < 0 ? r + kDvePi : r;
}

// Evaluation of the exact network with one supplementary measurement of every
// kind, exclusion switched off.
class VyhodnoceniPresne : public ::testing::Test {
  protected:
    void SetUp() override {
        s = test::VelkaSit(true);
        s.nastaveni.prepinac = {};
        ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
        ASSERT_EQ(test::Vyrovnej(model, odlehly, s.nastaveni), Krok::Hotovo)
            << model.Vysledek().Chyba();
    }

    SitOdlehle s;
    TmodelSite model;
    TmodelSite odlehly;
};

void OcekavejPresnouVelicinu(const TmerenaVelicina& z, Real nula) {
    SCOPED_TRACE(z.cislo_stn + " -> " + z.cislo_cil + " typ " + std::to_string(KodVeliciny(z.typ)));
    EXPECT_NEAR(z.oprava, 0, nula);
    EXPECT_NEAR(z.normOprava, z.oprava / z.odchylka, 1e-12L);
    const bool uhel =
        z.typ == Velicina::Smer || z.typ == Velicina::Zenit || z.typ == Velicina::DoplnekSmernik;
    EXPECT_NEAR(z.mezniOprava, uhel ? DoKruhu(z.hodnota + z.oprava) : z.hodnota + z.oprava, 1e-12L);
    if (uhel) {
        EXPECT_GE(z.mezniOprava, 0);
        EXPECT_LT(z.mezniOprava, kDvePi);
    }
    // sqrt(q) of an adjusted observation: positive, at most the a-priori
    // deviation (sigma0 = 1).
    EXPECT_GT(z.odchylkaOprava, 0);
    EXPECT_LE(z.odchylkaOprava, z.odchylka * (1 + 1e-12L));
}

TEST_F(VyhodnoceniPresne, ResidualsVanishAndAdjustedValuesAreTheObservations) {
    for (const TvektorMereni* v : {&model.Vysledek().Delka(), &model.Vysledek().Doplnek().delka,
                                   &model.Vysledek().Doplnek().prevyseni}) {
        for (const TmerenaVelicina& z : v->zaznam) OcekavejPresnouVelicinu(z, 1e-8L);
    }
    for (const TvektorMereni* v : {&model.Vysledek().Smer(), &model.Vysledek().Zenit(),
                                   &model.Vysledek().Doplnek().smernik}) {
        for (const TmerenaVelicina& z : v->zaznam) OcekavejPresnouVelicinu(z, 1e-10L);
    }
    ASSERT_EQ(model.Vysledek().Doplnek().provazeni.zaznam.size(), 1u);
    EXPECT_NEAR(model.Vysledek().Doplnek().provazeni.zaznam[0].oprava, 0, 1e-8L);
    EXPECT_GE(model.Vysledek().Doplnek().provazeni.zaznam[0].oprava, 0);
    EXPECT_LT(model.Vysledek().OdchylkaJednotkovaAposterior(), 1e-3L);
    for (const std::string& c : s.urcovane) {
        int32_t i = -1;
        ASSERT_TRUE(model.Vysledek().Souradnice().PoradiBodu(c, i));
        EXPECT_NEAR(model.Vysledek().Souradnice().bod[i].X, s.sit.Skutecny(c).X, 1e-8L) << c;
        EXPECT_NEAR(model.Vysledek().Souradnice().bod[i].Z, s.sit.Skutecny(c).Z, 1e-8L) << c;
    }
}

TEST_F(VyhodnoceniPresne, OrientationIsBearingMinusDirection) {
    ASSERT_EQ(model.Vysledek().PocetPosunu(), 10);
    ASSERT_EQ(model.Vysledek().Posun().zaznam.size(), 10u);
    const int32_t nc = model.Vysledek().PocetSouradnicUrcovanych();
    for (int32_t k = 0; k < 10; ++k) {
        const TmerenaVelicina& o = model.Vysledek().Posun().zaznam[k];
        EXPECT_TRUE(o.jePlny);
        EXPECT_EQ(o.poradi, k + 1);
        EXPECT_EQ(o.cislo_stn,
                  model.Vysledek().Smer().zaznam[model.Vysledek().IndexSmer()[k]].cislo_stn);
        EXPECT_NEAR(o.hodnota, s.orientace[k], 1e-10L) << k;
        Real q = 0;
        ASSERT_TRUE(model.Kofaktor(nc + k, nc + k, q));
        EXPECT_NEAR(o.odchylka, std::sqrt(q), 1e-20L);
        EXPECT_GT(o.odchylka, 0);
        // bearing - direction of every direction of the station
        for (int32_t i = model.Vysledek().IndexSmer()[k]; i < model.Vysledek().IndexSmer()[k + 1];
             ++i) {
            const TmerenaVelicina& z = model.Vysledek().Smer().zaznam[i];
            const Tbod a = s.sit.Skutecny(z.cislo_stn);
            const Tbod b = s.sit.Skutecny(z.cislo_cil);
            const Real rozdil = DoKruhu(test::Smernik(a, b) - z.hodnota) - o.hodnota;
            EXPECT_NEAR(std::remainder(rozdil, kDvePi), 0, 1e-10L);
        }
    }
}

TEST_F(VyhodnoceniPresne, EllipsoidsAndEllipsesAgreeWithJacobiOfTheCofactorBlocks) {
    const int32_t pocetBodu = model.Vysledek().PocetSouradnicUrcovanych() / 3;
    ASSERT_EQ(pocetBodu, 9);
    for (int32_t i = 0; i < pocetBodu; ++i) {
        SCOPED_TRACE(i);
        const Tbod& b = model.Vysledek().Souradnice().bod[i];
        Tmatrix B;
        ASSERT_TRUE(model.KofaktoryBodu(i, B));
        EXPECT_EQ(b.Presnost().sig_X, std::sqrt(B[0][0]));
        EXPECT_EQ(b.Presnost().sig_Y, std::sqrt(B[1][1]));
        EXPECT_EQ(b.Presnost().sig_Z, std::sqrt(B[2][2]));
        const test::Eigen3 ref = test::Jacobi(B);
        const Telipsoid& e = b.Presnost().elipsoid;
        const Real delky[3] = {e.a_delka, e.b_delka, e.c_delka};
        const Real smerniky[3] = {e.a_smernik, e.b_smernik, e.c_smernik};
        const Real zenity[3] = {e.a_zenit, e.b_zenit, e.c_zenit};
        const Real stopa = B[0][0] + B[1][1] + B[2][2];
        for (int k = 0; k < 3; ++k) {
            ASSERT_GE(delky[k], 0);
            // B d = len^2 d for the axis direction d.
            const test::Vec3 d = {std::sin(zenity[k]) * std::cos(smerniky[k]),
                                  std::sin(zenity[k]) * std::sin(smerniky[k]), std::cos(zenity[k])};
            for (int r = 0; r < 3; ++r) {
                const Real bd = B[r][0] * d[0] + B[r][1] * d[1] + B[r][2] * d[2];
                EXPECT_NEAR(bd, delky[k] * delky[k] * d[r], 1e-12L * stopa);
            }
        }
        Real soucetVlastnich = 0;
        for (int k = 0; k < 3; ++k) soucetVlastnich += ref.hodnoty[k];
        EXPECT_NEAR(delky[0] * delky[0] + delky[1] * delky[1] + delky[2] * delky[2],
                    soucetVlastnich, 1e-12L * stopa);

        const test::Eigen3 ref2 =
            test::Jacobi({{B[0][0], B[0][1], 0}, {B[1][0], B[1][1], 0}, {0, 0, -1}});
        const int hlavni = ref2.hodnoty[0] >= ref2.hodnoty[1] ? 0 : 1;
        EXPECT_NEAR(b.Presnost().elipsa.a_delka * b.Presnost().elipsa.a_delka, ref2.hodnoty[hlavni],
                    1e-12L * stopa);
        EXPECT_NEAR(b.Presnost().elipsa.b_delka * b.Presnost().elipsa.b_delka,
                    ref2.hodnoty[1 - hlavni], 1e-12L * stopa);
        const test::Vec3 osa = {std::cos(b.Presnost().elipsa.a_smernik),
                                std::sin(b.Presnost().elipsa.a_smernik), 0};
        const auto& w = ref2.vektory[hlavni];
        EXPECT_NEAR(std::fabs(osa[0] * w[0] + osa[1] * w[1]), 1, 1e-9L);
    }
    // Fixed points keep what they came with.
    const Tbod& f = model.Vysledek().Souradnice().bod[pocetBodu];
    ASSERT_TRUE(f.JeFixni);
    EXPECT_EQ(f.Presnost().sig_X, -1);
    EXPECT_EQ(f.Presnost().elipsa.a_delka, -1);
    // The whole matrix is made only on request.
    EXPECT_TRUE(model.Vysledek().KovariancniMaticeStr().empty());
    model.KovariancniMaticeText();
    EXPECT_FALSE(model.Vysledek().KovariancniMaticeStr().empty());
}

TEST_F(VyhodnoceniPresne, PlumbingTieWithZeroResidualsHasZeroDeviation) {
    const int32_t x = model.PocatekRovnic(Velicina::DoplnekProvazeni);
    Stav(model).vektorOprav[x] = 0;
    Stav(model).vektorOprav[x + 1] = 0;
    ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
    const TmerenaVelicina& z = model.Vysledek().Doplnek().provazeni.zaznam[0];
    EXPECT_EQ(z.oprava, 0);
    EXPECT_EQ(z.odchylkaOprava, 0);
    EXPECT_EQ(z.mezniOprava, z.hodnota);

    Stav(model).vektorOprav[x] = 0.003L;
    Stav(model).vektorOprav[x + 1] = -0.004L;
    ASSERT_TRUE(model.Vyhodnoceni()) << model.Vysledek().Chyba();
    const Real qX = Stav(model).vektorRedukovanychMereni[x];
    const Real qY = Stav(model).vektorRedukovanychMereni[x + 1];
    EXPECT_NEAR(z.oprava, 0.005L, 1e-18L);
    EXPECT_NEAR(z.normOprava, 0.005L / z.odchylka, 1e-15L);
    EXPECT_NEAR(z.odchylkaOprava,
                std::hypot(0.003L * std::sqrt(qX), 0.004L * std::sqrt(qY)) / 0.005L, 1e-15L);
}

TEST(VyhodnoceniSumTest, APosterioriUnitDeviationUsesAPrioriWeights) {
    SitOdlehle s = test::VelkaSit();
    test::PridejSum(s.mereni, 77);
    s.nastaveni.prepinac = {};
    TmodelSite model;
    TmodelSite odlehly;
    ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
    ASSERT_EQ(test::Vyrovnej(model, odlehly, s.nastaveni), Krok::Hotovo)
        << model.Vysledek().Chyba();
    Real pvv = 0;
    for (const TvektorMereni* v :
         {&model.Vysledek().Delka(), &model.Vysledek().Smer(), &model.Vysledek().Zenit()}) {
        for (const TmerenaVelicina& z : v->zaznam) {
            pvv += z.vaha * z.oprava * z.oprava;
            EXPECT_NEAR(z.normOprava, z.oprava / z.odchylka, 1e-12L);
        }
    }
    const Real s0 = std::sqrt(pvv / model.Vysledek().PocetNadbytecnych());
    EXPECT_NEAR(model.Vysledek().OdchylkaJednotkovaAposterior(), s0, 1e-9L * s0);
    // The noise has the a-priori deviations: s0 is 1 within its scatter
    // (about 1/sqrt(2r) = 0.04 for r near 290).
    EXPECT_GT(model.Vysledek().OdchylkaJednotkovaAposterior(), 0.85L);
    EXPECT_LT(model.Vysledek().OdchylkaJednotkovaAposterior(), 1.15L);
}

// A polar point from a fixed station oriented on a second fixed point: every
// observation is needed, r = 0.
SitOdlehle UrcitaSit() {
    SitOdlehle s;
    s.sit.Bod("A", 0, 0, 10);
    s.sit.Bod("B", 0, 300, 12);
    s.sit.Bod("N", 200, 150, 15);
    s.fixni = {"A", "B"};
    s.urcovane = {"N"};
    test::Stanovisko(s, "A", 0.4L);
    s.sit.Cil("B", false);
    s.sit.Cil("N");
    s.mereni = s.sit.Mereni();
    test::ZakladniNastaveni(s);
    return s;
}

TEST(VyhodnoceniUrcitaTest, ZeroRedundancyStillEvaluates) {
    SitOdlehle s = UrcitaSit();
    for (const bool vylucovat : {false, true}) {
        SCOPED_TRACE(vylucovat);
        if (!vylucovat) s.nastaveni.prepinac = {};
        if (vylucovat) test::ZakladniNastaveni(s);
        TmodelSite model;
        TmodelSite odlehly;
        ASSERT_TRUE(test::Nacti(model, s)) << model.Vysledek().Chyba();
        ASSERT_EQ(model.Vysledek().PocetNadbytecnych(), 0);
        ASSERT_EQ(test::Vyrovnej(model, odlehly, s.nastaveni), Krok::Hotovo)
            << model.Vysledek().Chyba();
        EXPECT_EQ(model.Vysledek().OdchylkaJednotkovaAposterior(), 0);
        EXPECT_EQ(model.Vysledek().PocetMereni(), 4);
        ASSERT_EQ(model.Vysledek().Posun().zaznam.size(), 1u);
        EXPECT_NEAR(model.Vysledek().Posun().zaznam[0].hodnota, 0.4L, 1e-10L);
        EXPECT_NEAR(model.Vysledek().Souradnice().bod[0].Y, 150, 1e-8L);
        // Nothing can be tested without redundancy: nothing is excluded.
        if (vylucovat) {
            EXPECT_EQ(odlehly.Vysledek().Smer().PocetOdlehlychHodnot() +
                          odlehly.Vysledek().Zenit().PocetOdlehlychHodnot() +
                          odlehly.Vysledek().Delka().PocetOdlehlychHodnot(),
                      0);
        }
    }
}

}  // namespace
}  // namespace vertano
