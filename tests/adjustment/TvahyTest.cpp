#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>

#include "adjustment/TmerenaVelicina.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VahaPozorovani.h"
#include "data/Tinfo.h"
#include "data/Tnastaveni.h"

namespace vertano {
namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();
constexpr Real kInf = std::numeric_limits<Real>::infinity();

// Weights whose three sources hold distinct values for every kind, so that a test
// sees which source a kind's deviation came from.
struct Naplnene {
    Tnastaveni nastaveni;
    Tinfo info;
    Tvahy vahy;

    Naplnene() {
        nastaveni.Default();
        vahy.NastavitZadanouPresnost(nastaveni, info);
        vahy.delka.vnitrniPresnost.odchylkaCelkova.vyska_stn = 0.0011L;
        vahy.smer.vnitrniPresnost.odchylkaCelkova.vyska_stn = 2.1e-6L;
        vahy.zenit.vnitrniPresnost.odchylkaCelkova.vyska_stn = 3.1e-6L;
        vahy.delka.vnejsiPresnost.odchylkaCelkova.vyska_stn = 0.0012L;
        vahy.smer.vnejsiPresnost.odchylkaCelkova.vyska_stn = 2.2e-6L;
        vahy.zenit.vnejsiPresnost.odchylkaCelkova.vyska_stn = 3.2e-6L;
    }
};

TEST(Tvahy, NewAndClearedWeightsHoldNothing) {
    Tvahy vahy;
    auto jePrazdna = [](const Tvaha& v) {
        EXPECT_EQ(v.odchylka, -1);
        EXPECT_EQ(v.vaha, -1);
        EXPECT_EQ(v.zadanaPresnost.odchylkaCelkova, -1);
        EXPECT_EQ(v.vnitrniPresnost.odchylkaCelkova.vyska_stn, -1);
        EXPECT_EQ(v.vnejsiPresnost.odchylkaCelkova.vyska_stn, -1);
        EXPECT_EQ(v.vnitrniPresnost.odchylkaJednotkovaAposteriorni, -1);
        EXPECT_TRUE(v.vnitrniPresnost.mereniSkupina.JePrazdny());
        EXPECT_TRUE(v.vnitrniPresnost.odchylkaStanovisko.zaznam.empty());
        EXPECT_TRUE(v.vnejsiPresnost.odchylkaTrojuhelnik.zaznam.empty());
        EXPECT_TRUE(v.vnejsiPresnost.cislaTrojuhelnik.empty());
    };
    jePrazdna(vahy.delka);
    EXPECT_EQ(vahy.pocetVlaknoHotovo, -1);

    Naplnene n;
    n.vahy.smer.vnitrniPresnost.mereniSkupina.Pridej(0, Tzaznam::Prazdny());
    n.vahy.smer.vnitrniPresnost.odchylkaSkupina.kontrola[3] = 2;
    n.vahy.smer.vnejsiPresnost.cislaTrojuhelnik.push_back({"1", "2", "3"});
    n.vahy.zenit.vnejsiPresnost.odchylkaTrojuhelnik.PridejPrazdnyZaznam();
    n.vahy.VypocetVah(n.info, n.nastaveni);
    n.vahy.pocetVlaknoHotovo = 4;
    n.vahy.jeVlaknoHotovo = true;
    n.vahy.Prazdny();
    jePrazdna(n.vahy.delka);
    jePrazdna(n.vahy.smer);
    jePrazdna(n.vahy.zenit);
    EXPECT_EQ(n.vahy.smer.vnitrniPresnost.odchylkaSkupina.kontrola[3], 0);
    EXPECT_EQ(n.vahy.odchylkaJednotkovaApriorni, -1);
    EXPECT_EQ(n.vahy.pocetVlaknoHotovo, -1);
    EXPECT_FALSE(n.vahy.jeVlaknoHotovo);
}

TEST(Tvahy, GivenPrecisionIsStoredAndFlagged) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tinfo info;
    Tvahy vahy;
    vahy.NastavitZadanouPresnost(nastaveni, info);
    EXPECT_EQ(vahy.delka.zadanaPresnost.odchylkaCelkova, nastaveni.vyrovnani.odchylka_zadanaDelka);
    EXPECT_EQ(vahy.smer.zadanaPresnost.odchylkaCelkova, nastaveni.vyrovnani.odchylka_zadanaSmer);
    EXPECT_EQ(vahy.zenit.zadanaPresnost.odchylkaCelkova, nastaveni.vyrovnani.odchylka_zadanaZenit);
    EXPECT_TRUE(info.infoVahy.zadanaPresnost);
    EXPECT_TRUE(info.infoVahy.delka.zadanaPresnost);
    EXPECT_TRUE(info.infoVahy.smer.zadanaPresnost);
    EXPECT_TRUE(info.infoVahy.zenit.zadanaPresnost);
    // The other sources are not touched.
    EXPECT_FALSE(info.infoVahy.vnitrniPresnost);
    EXPECT_FALSE(info.infoVahy.smer.vnejsiPresnost);
}

TEST(Tvahy, GivenPrecisionIsCurrentUntilOneSettingChanges) {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tinfo info;
    Tvahy vahy;
    EXPECT_FALSE(vahy.ZadanaPresnostAktualni(nastaveni));
    vahy.NastavitZadanouPresnost(nastaveni, info);
    EXPECT_TRUE(vahy.ZadanaPresnostAktualni(nastaveni));

    Real* const hodnoty[] = {&nastaveni.vyrovnani.odchylka_zadanaDelka,
                             &nastaveni.vyrovnani.odchylka_zadanaSmer,
                             &nastaveni.vyrovnani.odchylka_zadanaZenit};
    for (Real* hodnota : hodnoty) {
        const Real puvodni = *hodnota;
        // The smallest possible change counts: the test is exact.
        *hodnota = std::nextafter(puvodni, Real{1});
        EXPECT_FALSE(vahy.ZadanaPresnostAktualni(nastaveni));
        *hodnota = puvodni;
        EXPECT_TRUE(vahy.ZadanaPresnostAktualni(nastaveni));
    }
    // Another setting of the adjustment does not matter.
    nastaveni.vyrovnani.odchylkaJednotkovaApriorni = 2;
    EXPECT_TRUE(vahy.ZadanaPresnostAktualni(nastaveni));

    nastaveni.vyrovnani.odchylka_zadanaSmer *= 2;
    EXPECT_FALSE(vahy.ZadanaPresnostAktualni(nastaveni));
    vahy.NastavitZadanouPresnost(nastaveni, info);
    EXPECT_TRUE(vahy.ZadanaPresnostAktualni(nastaveni));
}

TEST(Tvahy, EachSourceSelectsItsOwnValuesAndSigma0) {
    Naplnene n;
    n.nastaveni.vyrovnani.odchylkaJednotkovaApriorni = 1.5L;

    n.info.infoVahy.typVah = ZdrojVah::Vnitrni;
    EXPECT_TRUE(n.vahy.VypocetVah(n.info, n.nastaveni));
    EXPECT_EQ(n.vahy.delka.odchylka, 0.0011L);
    EXPECT_EQ(n.vahy.smer.odchylka, 2.1e-6L);
    EXPECT_EQ(n.vahy.zenit.odchylka, 3.1e-6L);
    EXPECT_EQ(n.vahy.odchylkaJednotkovaApriorni, 1.5L);

    n.info.infoVahy.typVah = ZdrojVah::Vnejsi;
    EXPECT_TRUE(n.vahy.VypocetVah(n.info, n.nastaveni));
    EXPECT_EQ(n.vahy.delka.odchylka, 0.0012L);
    EXPECT_EQ(n.vahy.smer.odchylka, 2.2e-6L);
    EXPECT_EQ(n.vahy.zenit.odchylka, 3.2e-6L);

    // The given precision wins whatever the empirical sources hold.
    n.info.infoVahy.typVah = ZdrojVah::Zadana;
    EXPECT_TRUE(n.vahy.VypocetVah(n.info, n.nastaveni));
    EXPECT_EQ(n.vahy.delka.odchylka, n.nastaveni.vyrovnani.odchylka_zadanaDelka);
    EXPECT_EQ(n.vahy.smer.odchylka, n.nastaveni.vyrovnani.odchylka_zadanaSmer);
    EXPECT_EQ(n.vahy.zenit.odchylka, n.nastaveni.vyrovnani.odchylka_zadanaZenit);

    EXPECT_EQ(n.vahy.OdchylkaDruhu(Velicina::Delka), n.vahy.delka.odchylka);
    EXPECT_EQ(n.vahy.OdchylkaDruhu(Velicina::Smer), n.vahy.smer.odchylka);
    EXPECT_EQ(n.vahy.OdchylkaDruhu(Velicina::Zenit), n.vahy.zenit.odchylka);
    EXPECT_EQ(n.vahy.OdchylkaDruhu(Velicina::DoplnekDelka), -1);
    EXPECT_EQ(n.vahy.OdchylkaDruhu(Velicina::Zadna), -1);
}

TEST(Tvahy, UnknownSourceKeepsTheDeviationsButTakesSigma0) {
    Naplnene n;
    n.info.infoVahy.typVah = ZdrojVah::Vnejsi;
    n.vahy.VypocetVah(n.info, n.nastaveni);
    for (const int32_t zdroj : {0, 4, -1}) {
        n.info.infoVahy.typVah = static_cast<ZdrojVah>(zdroj);
        n.nastaveni.vyrovnani.odchylkaJednotkovaApriorni = 3 + zdroj;
        EXPECT_FALSE(n.vahy.VypocetVah(n.info, n.nastaveni));
        EXPECT_EQ(n.vahy.delka.odchylka, 0.0012L);
        EXPECT_EQ(n.vahy.smer.odchylka, 2.2e-6L);
        EXPECT_EQ(n.vahy.zenit.odchylka, 3.2e-6L);
        EXPECT_EQ(n.vahy.odchylkaJednotkovaApriorni, 3 + zdroj);
    }
}

TEST(Tvahy, UnusableSelectedValueFallsBackToTheGivenOne) {
    // Two sets that agree exactly scatter by 0: a weight from it would be infinite.
    Naplnene n;
    n.vahy.smer.vnitrniPresnost.odchylkaCelkova.vyska_stn = 0;
    n.vahy.zenit.vnitrniPresnost.odchylkaCelkova.vyska_stn = kNaN;
    n.info.infoVahy.typVah = ZdrojVah::Vnitrni;
    EXPECT_FALSE(n.vahy.VypocetVah(n.info, n.nastaveni));
    EXPECT_EQ(n.vahy.delka.odchylka, 0.0011L);  // the usable kind keeps its source
    EXPECT_EQ(n.vahy.smer.odchylka, n.nastaveni.vyrovnani.odchylka_zadanaSmer);
    EXPECT_EQ(n.vahy.zenit.odchylka, n.nastaveni.vyrovnani.odchylka_zadanaZenit);

    // An outer precision that was never computed (-1) likewise.
    n.vahy.delka.vnejsiPresnost.Prazdny();
    n.info.infoVahy.typVah = ZdrojVah::Vnejsi;
    EXPECT_FALSE(n.vahy.VypocetVah(n.info, n.nastaveni));
    EXPECT_EQ(n.vahy.delka.odchylka, n.nastaveni.vyrovnani.odchylka_zadanaDelka);
    EXPECT_EQ(n.vahy.smer.odchylka, 2.2e-6L);

    // With no usable given value either, the kind stays not set rather than 0.
    n.vahy.delka.zadanaPresnost.odchylkaCelkova = 0;
    n.info.infoVahy.typVah = ZdrojVah::Zadana;
    EXPECT_FALSE(n.vahy.VypocetVah(n.info, n.nastaveni));
    EXPECT_EQ(n.vahy.delka.odchylka, -1);
    EXPECT_EQ(n.vahy.smer.odchylka, n.nastaveni.vyrovnani.odchylka_zadanaSmer);
}

TEST(VahaPozorovani, OnlyPositiveFiniteDeviationsCountAsSet) {
    EXPECT_TRUE(JeOdchylkaZadana(0.002L));
    EXPECT_TRUE(JeOdchylkaZadana(std::numeric_limits<Real>::denorm_min()));
    for (const Real r : {Real{-1}, Real{0}, Real{-0.0L}, Real{-0.002L}, kNaN, kInf, -kInf}) {
        EXPECT_FALSE(JeOdchylkaZadana(r)) << static_cast<double>(r);
    }
    EXPECT_EQ(PlatnaOdchylka(0.003L, 0.002L), 0.003L);
    EXPECT_EQ(PlatnaOdchylka(-1, 0.002L), 0.002L);
    EXPECT_EQ(PlatnaOdchylka(0, 0.002L), 0.002L);
    EXPECT_EQ(PlatnaOdchylka(-0.5L, 0.002L), 0.002L);
    EXPECT_EQ(PlatnaOdchylka(kNaN, 0.002L), 0.002L);
    EXPECT_EQ(PlatnaOdchylka(0, 0), -1);
    EXPECT_EQ(PlatnaOdchylka(-1, -1), -1);
}

TEST(VahaPozorovani, WeightIsSigma0OverSigmaSquared) {
    Real vaha = 7;
    ASSERT_TRUE(VahaZOdchylky(1, 0.002L, vaha));
    EXPECT_NEAR(static_cast<double>(vaha), 250000.0, 1e-7);
    ASSERT_TRUE(VahaZOdchylky(2, 4, vaha));
    EXPECT_EQ(vaha, 0.25L);

    vaha = 7;
    EXPECT_FALSE(VahaZOdchylky(1, 0, vaha));
    EXPECT_FALSE(VahaZOdchylky(1, -1, vaha));
    EXPECT_FALSE(VahaZOdchylky(0, 0.002L, vaha));
    EXPECT_FALSE(VahaZOdchylky(-1, 0.002L, vaha));
    EXPECT_FALSE(VahaZOdchylky(kNaN, 0.002L, vaha));
    EXPECT_EQ(vaha, 7);
}

TEST(VahaPozorovani, OverflowIsRefusedAndLeavesNoFlagBehind) {
    std::feclearexcept(FE_ALL_EXCEPT);
    Real vaha = 7;
    EXPECT_FALSE(VahaZOdchylky(1e3000L, 1e-3000L, vaha));
    EXPECT_FALSE(VahaZOdchylky(1e-3000L, 1e3000L, vaha));  // underflows to 0
    EXPECT_EQ(vaha, 7);
    EXPECT_EQ(std::fetestexcept(FE_OVERFLOW | FE_INVALID | FE_DIVBYZERO), 0);
}

TEST(TmerenaVelicina, ObservationWithoutOwnDeviationTakesTheKinds) {
    TmerenaVelicina v = TmerenaVelicina::Prazdny();
    for (const Real vlastni : {Real{-1}, Real{0}, Real{-0.003L}, kNaN}) {
        v.odchylka = vlastni;
        ASSERT_TRUE(v.UrcitPresnost(0.002L, 1));
        EXPECT_EQ(v.odchylka, 0.002L);
        EXPECT_NEAR(static_cast<double>(v.vaha), 250000.0, 1e-7);
    }
    v.odchylka = 0.004L;
    ASSERT_TRUE(v.UrcitPresnost(0.002L, 2));
    EXPECT_EQ(v.odchylka, 0.004L);
    EXPECT_NEAR(static_cast<double>(v.vaha), 250000.0, 1e-7);
}

TEST(TmerenaVelicina, NoUsableDeviationGivesNoWeight) {
    TmerenaVelicina v = TmerenaVelicina::Prazdny();
    v.odchylka = 0;
    v.vaha = 5;
    EXPECT_FALSE(v.UrcitPresnost(0, 1));
    EXPECT_EQ(v.odchylka, -1);
    EXPECT_EQ(v.vaha, -1);

    // Its own deviation survives a sigma0 that cannot be used.
    v.odchylka = 0.004L;
    EXPECT_FALSE(v.UrcitPresnost(0.002L, 0));
    EXPECT_EQ(v.odchylka, 0.004L);
    EXPECT_EQ(v.vaha, -1);
}

}  // namespace
}  // namespace vertano
