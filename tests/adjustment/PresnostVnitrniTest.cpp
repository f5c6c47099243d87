#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "adjustment/PresnostStatistika.h"
#include "adjustment/PresnostTestPomocne.h"
#include "adjustment/TmerenaVelicina.h"
#include "adjustment/VnitrniPresnost.h"

namespace vertano {
namespace {

using testpresnost::Mgon;
using testpresnost::Sada;
using testpresnost::Vychozi;

constexpr Real kTol = 1e-15L;
constexpr Real kMm = 0.001L;

// Two stations with known scatter, rows in observing order (set by set):
// station 1 (A): target B in three sets, target C in two; station 2 (B): target
// A in two sets. The expected deviations are worked out by hand in the tests.
Tmereni ZnamyRozptyl() {
    Tmereni m;
    m.PridejZaznam(Sada(1, 1, "A", "B", 1.0L, 1.5L, 100.000L));
    m.PridejZaznam(Sada(1, 1, "A", "C", 2.0L, 1.4L, 50.0L));
    m.PridejZaznam(Sada(1, 2, "A", "B", 1.0L + Mgon(1), 1.5L, 100.003L));
    m.PridejZaznam(Sada(1, 2, "A", "C", 2.0L + Mgon(2), 1.4L, 0));
    m.PridejZaznam(Sada(1, 3, "A", "B", 1.0L + Mgon(2), 1.5L + Mgon(3), 0));
    m.PridejZaznam(Sada(2, 1, "B", "A", 0.5L, 1.6L, 100.001L));
    m.PridejZaznam(Sada(2, 2, "B", "A", 0.5L + Mgon(4), 1.6L, 100.002L));
    return m;
}

TEST(VnitrniPresnost, DirectionsMatchAHandComputation) {
    TvnitrniPresnost p;
    ASSERT_TRUE(VypocetVnitrniPresnosti(ZnamyRozptyl(), Velicina::Smer, Vychozi().mezSkupina, p));

    // Targets: B 0, 1, 2 mgon -> s = 1; C 0, 2 -> s = sqrt 2; A 0, 4 -> s = sqrt 8.
    ASSERT_EQ(p.odchylkaSkupina.zaznam.size(), 3u);
    const Tzaznam& b = p.odchylkaSkupina.zaznam[0];
    EXPECT_EQ(b.poradi, 1);
    EXPECT_EQ(b.cislo_stn, "A");
    EXPECT_EQ(b.cislo_cil, "B");
    EXPECT_EQ(b.skupina, 3);
    EXPECT_NEAR(b.vyska_stn, Mgon(1), kTol);
    EXPECT_NEAR(b.vyska_cil, 1.0L + Mgon(1), kTol);
    EXPECT_EQ(p.odchylkaSkupina.zaznam[1].cislo_cil, "C");
    EXPECT_EQ(p.odchylkaSkupina.zaznam[1].skupina, 2);
    EXPECT_NEAR(p.odchylkaSkupina.zaznam[1].vyska_stn, Mgon(std::sqrt(2.0L)), kTol);
    EXPECT_EQ(p.odchylkaSkupina.zaznam[2].poradi, 2);
    EXPECT_NEAR(p.odchylkaSkupina.zaznam[2].vyska_stn, Mgon(std::sqrt(8.0L)), kTol);

    // Stations pool their targets by the number of sets: (3*1 + 2*2) / 5.
    ASSERT_EQ(p.odchylkaStanovisko.zaznam.size(), 2u);
    EXPECT_EQ(p.odchylkaStanovisko.zaznam[0].poradi, 1);
    EXPECT_EQ(p.odchylkaStanovisko.zaznam[0].cislo_stn, "A");
    EXPECT_EQ(p.odchylkaStanovisko.zaznam[0].skupina, 2);
    EXPECT_NEAR(p.odchylkaStanovisko.zaznam[0].vyska_stn, Mgon(std::sqrt(1.4L)), kTol);
    EXPECT_EQ(p.odchylkaStanovisko.zaznam[1].skupina, 1);
    EXPECT_NEAR(p.odchylkaStanovisko.zaznam[1].vyska_stn, Mgon(std::sqrt(8.0L)), kTol);

    // The network pools the stations by their number of targets: (2*1.4 + 8) / 3.
    EXPECT_EQ(p.odchylkaCelkova.skupina, 2);
    EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, Mgon(std::sqrt(3.6L)), kTol);
}

TEST(VnitrniPresnost, SetRowsAreAnnotatedForTheWindow) {
    const Tmereni m = ZnamyRozptyl();
    TvnitrniPresnost p;
    ASSERT_TRUE(VypocetVnitrniPresnosti(m, Velicina::Smer, Vychozi().mezSkupina, p));
    // Every set of a target with two or more sets, target by target.
    const Tmereni radky = p.mereniSkupina.Zaznamy(m);
    ASSERT_EQ(radky.zaznam.size(), 7u);
    const Real odchylkyB[] = {Mgon(1), 0, -Mgon(1)};
    for (int i = 0; i < 3; ++i) {
        const Tzaznam& z = radky.zaznam[static_cast<size_t>(i)];
        EXPECT_EQ(z.cislo_cil, "B");
        EXPECT_EQ(z.skupina, i + 1);  // the row itself is kept
        EXPECT_NEAR(z.vaha_delka, 1.0L + Mgon(1), kTol);
        EXPECT_NEAR(z.vaha_smer, odchylkyB[i], kTol);
        EXPECT_NEAR(z.sig_delka, Mgon(1), kTol);
        EXPECT_NEAR(z.sig_smer, Mgon(std::sqrt(1.4L)), kTol);
        EXPECT_TRUE(z.poloha);
    }
    EXPECT_EQ(radky.zaznam[3].cislo_cil, "C");
    EXPECT_EQ(radky.zaznam[5].cislo_stn, "B");
    EXPECT_NEAR(radky.zaznam[5].sig_smer, Mgon(std::sqrt(8.0L)), kTol);
    // Only the annotations are kept: the rest of a row is read from the list.
    EXPECT_EQ(radky.zaznam[6].smer, m.zaznam[6].smer);
    EXPECT_EQ(p.mereniSkupina.Zaznam(Tmereni{}, 0).poradi, 0);  // not its list: empty rows
}

TEST(VnitrniPresnost, ZenithAnglesAndDistancesUseTheirOwnRows) {
    const Tmereni m = ZnamyRozptyl();
    TvnitrniPresnost z;
    ASSERT_TRUE(VypocetVnitrniPresnosti(m, Velicina::Zenit, Vychozi().mezSkupina, z));
    // B: 0, 0, 3 mgon -> s = sqrt 3; C and A agree exactly.
    ASSERT_EQ(z.odchylkaSkupina.zaznam.size(), 3u);
    EXPECT_NEAR(z.odchylkaSkupina.zaznam[0].vyska_stn, Mgon(std::sqrt(3.0L)), kTol);
    EXPECT_EQ(z.odchylkaSkupina.zaznam[1].vyska_stn, 0);
    EXPECT_NEAR(z.odchylkaCelkova.vyska_stn, Mgon(std::sqrt(1.2L)), kTol);

    // Only sets with a distance count: B has two, C one (no statistic), A two.
    TvnitrniPresnost d;
    ASSERT_TRUE(VypocetVnitrniPresnosti(m, Velicina::Delka, Vychozi().mezSkupina, d));
    ASSERT_EQ(d.odchylkaSkupina.zaznam.size(), 2u);
    EXPECT_EQ(d.odchylkaSkupina.zaznam[0].cislo_cil, "B");
    EXPECT_EQ(d.odchylkaSkupina.zaznam[0].skupina, 2);
    EXPECT_NEAR(d.odchylkaSkupina.zaznam[0].vyska_stn, 3 * kMm / std::sqrt(2.0L), 1e-15L);
    EXPECT_NEAR(d.odchylkaSkupina.zaznam[0].vyska_cil, 100.0015L, 1e-12L);
    const Tmereni radky = d.mereniSkupina.Zaznamy(m);
    EXPECT_EQ(radky.zaznam.size(), 4u);
    for (const Tzaznam& r : radky.zaznam) EXPECT_NE(r.delka, 0);
    // Each station has one target: (4.5e-6 + 0.5e-6) / 2.
    EXPECT_NEAR(d.odchylkaCelkova.vyska_stn, std::sqrt(2.5e-6L), 1e-15L);
}

TEST(VnitrniPresnost, TwoSetsHaveHalfTheToleranceAsLimit) {
    // Two sets differing by d scatter by d / sqrt 2, each deviating by d / 2 from
    // their mean; the limit is 0.5 x the set tolerance (10 mgon by default).
    const auto dvojice = [](Real rozdil) {
        Tmereni m;
        m.PridejZaznam(Sada(1, 1, "A", "B", 1.0L));
        m.PridejZaznam(Sada(1, 2, "A", "B", 1.0L + rozdil));
        TvnitrniPresnost p;
        EXPECT_TRUE(VypocetVnitrniPresnosti(m, Velicina::Smer, Vychozi().mezSkupina, p));
        return std::make_pair(Real(p.odchylkaCelkova.vyska_stn), p.mereniSkupina.Zaznamy(m));
    };
    const auto [odchylka, uvnitr] = dvojice(Mgon(9.99L));
    EXPECT_NEAR(odchylka, Mgon(9.99L) / std::sqrt(2.0L), kTol);
    EXPECT_TRUE(uvnitr.zaznam[0].poloha);
    EXPECT_TRUE(uvnitr.zaznam[1].poloha);
    const Tmereni venku = dvojice(Mgon(10.01L)).second;
    EXPECT_FALSE(venku.zaznam[0].poloha);
    EXPECT_FALSE(venku.zaznam[1].poloha);
}

TEST(VnitrniPresnost, DirectionsAcrossZeroAverageToZero) {
    const Real e = 0.00001L;
    for (const bool obracene : {false, true}) {
        Tmereni m;
        m.PridejZaznam(Sada(1, 1, "A", "B", obracene ? kDvePi - e : e));
        m.PridejZaznam(Sada(1, 2, "A", "B", obracene ? e : kDvePi - e));
        TvnitrniPresnost p;
        ASSERT_TRUE(VypocetVnitrniPresnosti(m, Velicina::Smer, Vychozi().mezSkupina, p));
        const Real prumer = p.odchylkaSkupina.zaznam[0].vyska_cil;
        EXPECT_GE(prumer, 0);
        EXPECT_LT(prumer, kDvePi);
        EXPECT_LT(std::min(prumer, kDvePi - prumer), 1e-15L) << prumer;
        EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, 2 * e / std::sqrt(2.0L), 1e-15L);
        // Deviations are the small angles, not almost a full turn.
        const Tmereni radky = p.mereniSkupina.Zaznamy(m);
        for (const Tzaznam& z : radky.zaznam) {
            EXPECT_NEAR(std::fabs(z.vaha_smer), e, 1e-15L);
            EXPECT_TRUE(z.poloha);
        }
    }
}

TEST(VnitrniPresnost, OneSetGivesNothing) {
    Tmereni m;
    m.PridejZaznam(Sada(1, 1, "A", "B", 1.0L, 1.5L, 100));
    m.PridejZaznam(Sada(1, 1, "A", "C", 2.0L, 1.5L, 100));
    m.PridejZaznam(Sada(2, 1, "B", "A", 2.0L, 1.5L, 100));
    for (const Velicina druh : {Velicina::Delka, Velicina::Smer, Velicina::Zenit}) {
        TvnitrniPresnost p;
        ASSERT_TRUE(VypocetVnitrniPresnosti(m, druh, Vychozi().mezSkupina, p));
        EXPECT_TRUE(p.mereniSkupina.JePrazdny());
        EXPECT_TRUE(p.odchylkaStanovisko.zaznam.empty());
        EXPECT_EQ(p.odchylkaCelkova.vyska_stn, -1);
    }
}

TEST(VnitrniPresnost, ValueThatIsNotANumberFailsTheKindOnly) {
    Tmereni m = ZnamyRozptyl();
    m.zaznam[6].smer = std::numeric_limits<Real>::quiet_NaN();
    TvnitrniPresnost p;
    p.odchylkaCelkova.vyska_stn = 5;  // stale content must go
    EXPECT_FALSE(VypocetVnitrniPresnosti(m, Velicina::Smer, Vychozi().mezSkupina, p));
    EXPECT_TRUE(p.mereniSkupina.JePrazdny());
    EXPECT_TRUE(p.odchylkaSkupina.zaznam.empty());
    EXPECT_EQ(p.odchylkaCelkova.vyska_stn, -1);
    EXPECT_TRUE(VypocetVnitrniPresnosti(m, Velicina::Zenit, Vychozi().mezSkupina, p));
    m.zaznam[0].delka = std::numeric_limits<Real>::infinity();
    EXPECT_FALSE(VypocetVnitrniPresnosti(m, Velicina::Delka, Vychozi().mezSkupina, p));
}

TEST(VnitrniPresnost, EmptyRowsAndSplitStationsAreHandled) {
    Tmereni m = ZnamyRozptyl();
    m.PridejPrazdnyZaznam();
    // A later row of station 1 after station 2 still belongs to station 1.
    m.PridejZaznam(Sada(1, 4, "A", "C", 2.0L + Mgon(1)));
    TvnitrniPresnost p;
    ASSERT_TRUE(VypocetVnitrniPresnosti(m, Velicina::Smer, Vychozi().mezSkupina, p));
    ASSERT_EQ(p.odchylkaSkupina.zaznam.size(), 3u);
    EXPECT_EQ(p.odchylkaSkupina.zaznam[1].cislo_cil, "C");
    EXPECT_EQ(p.odchylkaSkupina.zaznam[1].skupina, 3);
    EXPECT_NEAR(p.odchylkaSkupina.zaznam[1].vyska_stn, Mgon(1), kTol);
}

TEST(PresnostStatistika, PoolingAndLimits) {
    SdruzenaOdchylka s;
    Real v = -1;
    EXPECT_FALSE(s.Vysledek(v));
    s.Pridej(1, 3);
    s.Pridej(3, 1);
    ASSERT_TRUE(s.Vysledek(v));
    EXPECT_NEAR(v, std::sqrt(12.0L / 4), kTol);
    SdruzenaOdchylka nula;
    nula.Pridej(0, 1);
    EXPECT_FALSE(nula.Vysledek(v));

    EXPECT_NEAR(MezOdchylkyOdPrumeru(2, 10), 5, kTol);
    EXPECT_NEAR(MezOdchylkyOdPrumeru(3, 10), 10 * std::sqrt(1.0L / 3), kTol);
    Vyber vyber;
    EXPECT_FALSE(StatistikaDruhu({1.0L}, Velicina::Delka, vyber));
    // Zenith angles stay next to their values, even below zero.
    ASSERT_TRUE(StatistikaDruhu({-0.001L, 0.003L}, Velicina::Zenit, vyber));
    EXPECT_NEAR(vyber.prumer, 0.001L, kTol);
}

}  // namespace
}  // namespace vertano
