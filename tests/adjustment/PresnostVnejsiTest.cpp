#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

#include "adjustment/MereniMeziBody.h"
#include "adjustment/PresnostTestPomocne.h"
#include "adjustment/TmerenaVelicina.h"
#include "adjustment/VnejsiPresnostProtismer.h"
#include "adjustment/VnejsiPresnostSmer.h"
#include "processing/Uhly.h"
#include "support/SyntetickaSit.h"

namespace vertano {
namespace {

using testpresnost::Mgon;
using testpresnost::Sada;
using testpresnost::Vychozi;

constexpr Real kTol = 1e-15L;

// A sees B (two sets) and C; B sees A and C; C sees A. Pairs A-B and A-C are
// reciprocal, B-C is not. Only A-B has distances both ways.
Tmereni Protismerne() {
    Tmereni m;
    m.PridejZaznam(Sada(1, 1, "A", "B", 0.1L, 1.2L, 100.002L));
    m.PridejZaznam(Sada(1, 1, "A", "C", 0.7L, 1.4L, 0));
    m.PridejZaznam(Sada(1, 2, "A", "B", 0.1L, 1.2L + Mgon(2), 100.004L));
    m.PridejZaznam(Sada(1, 2, "A", "C", 0.7L, 1.4L, 0));
    m.PridejZaznam(Sada(2, 1, "B", "A", 3.0L, kPi - 1.2L - Mgon(3), 100.000L));
    m.PridejZaznam(Sada(2, 1, "B", "C", 3.5L, 1.5L, 80));
    m.PridejZaznam(Sada(3, 1, "C", "A", 5.0L, kPi - 1.4L + Mgon(2), 70));
    return m;
}

TvnejsiPresnost Protismer(const Tmereni& m, Velicina druh) {
    TvnejsiPresnost p;
    EXPECT_TRUE(VypocetVnejsiPresnostiProtismer(SestavitMereniMeziBody(m), druh,
                                                Vychozi().mezProtismer, p));
    return p;
}

TEST(VnejsiPresnostProtismer, ZenithPairsMatchAHandComputation) {
    const TvnejsiPresnost p = Protismer(Protismerne(), Velicina::Zenit);
    // A-B: 1.2 + (0, 2, 3) mgon, the reverse one as pi - z: mean + 5/3 mgon,
    // s^2 = (25 + 1 + 16) / 9 / 2 = 7/3 mgon^2 with 2 degrees of freedom.
    ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 2u);
    const Tzaznam& ab = p.odchylkaTrojuhelnik.zaznam[0];
    EXPECT_EQ(ab.poradi, 1);
    EXPECT_EQ(ab.cislo_stn, "A");
    EXPECT_EQ(ab.cislo_cil, "B");
    EXPECT_EQ(ab.skupina, 2);
    EXPECT_NEAR(ab.vyska_stn, Mgon(std::sqrt(7.0L / 3)), kTol);
    // A-C: 1.4 twice and 1.4 - 2 mgon -> s^2 = (4 + 4 + 16) / 9 / 2 = 4/3 mgon^2.
    const Tzaznam& ac = p.odchylkaTrojuhelnik.zaznam[1];
    EXPECT_EQ(ac.poradi, 2);
    EXPECT_EQ(ac.cislo_cil, "C");
    EXPECT_EQ(ac.skupina, 2);
    EXPECT_NEAR(ac.vyska_stn, Mgon(std::sqrt(4.0L / 3)), kTol);
    // Pooled by degrees of freedom: (2 * 7/3 + 2 * 4/3) / 4 = 11/6.
    EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, Mgon(std::sqrt(11.0L / 6)), kTol);
    EXPECT_EQ(p.odchylkaCelkova.skupina, 2);
}

TEST(VnejsiPresnostProtismer, PairRowsAreAnnotated) {
    const Tmereni m = Protismerne();
    const TvnejsiPresnost p = Protismer(m, Velicina::Zenit);
    const Tmereni r = p.mereniTrojuhelnik.Zaznamy(m);
    ASSERT_EQ(r.zaznam.size(), 6u);
    const Real prumer = 1.2L + Mgon(5.0L / 3);
    const Real mez = std::sqrt(2.0L / 6) * Vychozi().mezProtismer.rozdil_zenit;
    const Real odchylky[] = {Mgon(5.0L / 3), Mgon(-1.0L / 3), Mgon(4.0L / 3)};
    for (size_t i = 0; i < 3; ++i) {
        const Tzaznam& z = r.zaznam[i];
        const bool zpet = i == 2;
        EXPECT_EQ(z.cislo_stn, zpet ? "B" : "A");
        EXPECT_EQ(z.skupina, zpet ? 0 : 1);
        EXPECT_EQ(z.soubor, 1);
        EXPECT_EQ(z.smernik, 2);
        EXPECT_NEAR(z.sig_smer, Mgon(std::sqrt(7.0L / 3)), kTol);
        // The reverse row sees the mean from its own end, as pi - mean.
        EXPECT_NEAR(z.vaha_delka, zpet ? kPi - prumer : prumer, kTol);
        EXPECT_NEAR(z.vaha_smer, odchylky[i], kTol);
        EXPECT_NEAR(z.vaha_zenit, mez, kTol);
        EXPECT_TRUE(z.poloha);
    }
    EXPECT_EQ(r.zaznam[3].soubor, 2);
    EXPECT_EQ(r.zaznam[4].skupina, 1);
    EXPECT_EQ(r.zaznam[5].skupina, 0);
    EXPECT_EQ(r.zaznam[5].cislo_stn, "C");
    // The rows are those of the list, with their own values.
    EXPECT_EQ(r.zaznam[5].zenit, m.zaznam[6].zenit);
}

TEST(VnejsiPresnostProtismer, DistancesNeedADistanceBothWays) {
    const Tmereni m = Protismerne();
    const TvnejsiPresnost p = Protismer(m, Velicina::Delka);
    // Only A-B: 100.002, 100.004, 100.000 -> mean 100.002, s = 2 mm; A-C has no
    // distance from A and is no pair of distances, B-C is one-way.
    ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 1u);
    EXPECT_EQ(p.odchylkaTrojuhelnik.zaznam[0].poradi, 1);
    EXPECT_EQ(p.odchylkaTrojuhelnik.zaznam[0].skupina, 2);
    EXPECT_NEAR(p.odchylkaTrojuhelnik.zaznam[0].vyska_stn, 0.002L, 1e-14L);
    EXPECT_NEAR(p.odchylkaTrojuhelnik.zaznam[0].vyska_cil, 100.002L, 1e-12L);
    EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, 0.002L, 1e-14L);
    const Tmereni r = p.mereniTrojuhelnik.Zaznamy(m);
    ASSERT_EQ(r.zaznam.size(), 3u);
    EXPECT_NEAR(r.zaznam[2].vaha_delka, 100.002L, 1e-12L);  // no pi - mean
    EXPECT_NEAR(r.zaznam[2].vaha_smer, 0.002L, 1e-12L);
}

TEST(VnejsiPresnostProtismer, ExactReciprocalZenithPairScattersByZero) {
    Tmereni m;
    m.PridejZaznam(Sada(1, 1, "A", "B", 0.1L, 1.2L));
    m.PridejZaznam(Sada(2, 1, "B", "A", 0.1L, kPi - 1.2L));
    const TvnejsiPresnost p = Protismer(m, Velicina::Zenit);
    ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 1u);
    EXPECT_NEAR(p.odchylkaTrojuhelnik.zaznam[0].vyska_stn, 0, 1e-18L);
    EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, 0, 1e-18L);
    // A deviation of 0 is inside any positive limit.
    EXPECT_TRUE(p.mereniTrojuhelnik.Zaznam(m, 0).poloha);
}

TEST(VnejsiPresnostProtismer, NoReciprocalMeasurementNoPair) {
    Tmereni m;
    m.PridejZaznam(Sada(1, 1, "A", "B", 0.1L, 1.2L, 10));
    m.PridejZaznam(Sada(1, 2, "A", "B", 0.1L, 1.2L, 10));
    m.PridejZaznam(Sada(2, 1, "B", "C", 0.1L, 1.2L, 10));
    for (const Velicina druh : {Velicina::Zenit, Velicina::Delka}) {
        const TvnejsiPresnost p = Protismer(m, druh);
        EXPECT_TRUE(p.odchylkaTrojuhelnik.zaznam.empty());
        EXPECT_EQ(p.odchylkaCelkova.vyska_stn, -1);
    }
}

TEST(VnejsiPresnostProtismer, ValueThatIsNotANumberFails) {
    Tmereni m = Protismerne();
    m.zaznam[4].zenit = std::numeric_limits<Real>::quiet_NaN();
    TvnejsiPresnost p;
    EXPECT_FALSE(VypocetVnejsiPresnostiProtismer(SestavitMereniMeziBody(m), Velicina::Zenit,
                                                 Vychozi().mezProtismer, p));
    EXPECT_TRUE(p.mereniTrojuhelnik.JePrazdny());
    EXPECT_EQ(p.odchylkaCelkova.vyska_stn, -1);
}

// ---- triangles of directions ----

// A triangle of three points, each occupied once (orientations arbitrary),
// measured in `sady` sets without error.
test::SyntetickaSit Trojuhelnik(Real y3 = 90) {
    test::SyntetickaSit s;
    s.Bod("P1", 0, 0);
    s.Bod("P2", 120, 10);
    s.Bod("P3", 30, y3);
    s.Stanovisko("P1", 0.3L);
    s.Cil("P2");
    s.Cil("P3");
    s.Stanovisko("P2", 2.0L);
    s.Cil("P3");
    s.Cil("P1");
    s.Stanovisko("P3", 5.5L);
    s.Cil("P1");
    s.Cil("P2");
    return s;
}

TvnejsiPresnost Smery(const Tmereni& m) {
    TvnejsiPresnost p;
    EXPECT_TRUE(VypocetVnejsiPresnostiSmer(SestavitMereniMeziBody(m), Vychozi().mezProtismer, p));
    return p;
}

// The adjusted angles of a triangle (second - first direction at each vertex)
// must close to pi.
Real SoucetUhlu(const TvnejsiPresnost& p, const Tmereni& m, int32_t trojuhelnik) {
    Real smery[7] = {};
    const Tmereni radky = p.mereniTrojuhelnik.Zaznamy(m);
    for (const Tzaznam& z : radky.zaznam) {
        if (z.soubor == trojuhelnik && z.skupina >= 1 && z.skupina <= 6) {
            smery[z.skupina] = z.vaha_delka;
        }
    }
    Real soucet = 0;
    for (int v = 0; v < 3; ++v) soucet += Normalise(smery[2 * v + 2] - smery[2 * v + 1]);
    return soucet;
}

TEST(VnejsiPresnostSmer, SpoiledTriangleDistributesItsMisclosure) {
    // One direction off by e: the misclosure e is shared by the three angles and
    // every direction gets a residual of e / 6; v'v = e^2 / 6 with r = 1.
    for (const Real y3 : {Real{90}, Real{-90}}) {  // both orientations of the triangle
        Tmereni m = Trojuhelnik(y3).Mereni(1);
        const Real e = Mgon(3);
        m.zaznam[test::IndexZaznamu(m, 2, 1, "P1")].smer += e;
        const TvnejsiPresnost p = Smery(m);
        ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 1u) << y3;
        const Tzaznam& t = p.odchylkaTrojuhelnik.zaznam[0];
        EXPECT_EQ(t.poradi, 1);
        EXPECT_EQ(t.skupina, 1);
        EXPECT_NEAR(t.vyska_stn, e / std::sqrt(6.0L), 1e-14L);
        EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, e / std::sqrt(6.0L), 1e-14L);
        ASSERT_EQ(p.cislaTrojuhelnik.size(), 1u);
        EXPECT_EQ(p.cislaTrojuhelnik[0][0], "P1");
        EXPECT_EQ(p.cislaTrojuhelnik[0][1], "P2");
        EXPECT_EQ(p.cislaTrojuhelnik[0][2], "P3");

        const Tmereni r = p.mereniTrojuhelnik.Zaznamy(m);
        ASSERT_EQ(r.zaznam.size(), 6u);
        const Real mez = std::sqrt(1.0L / 12) * Vychozi().mezProtismer.rozdil_smer;
        std::set<int32_t> cisla;
        for (const Tzaznam& z : r.zaznam) {
            cisla.insert(z.skupina);
            EXPECT_EQ(z.soubor, 1);
            EXPECT_NEAR(std::fabs(z.vaha_smer), e / 6, 1e-14L);
            EXPECT_NEAR(z.sig_smer, e / std::sqrt(6.0L), 1e-14L);
            EXPECT_EQ(z.smernik, 1);
            EXPECT_NEAR(z.vaha_zenit, mez, kTol);
            EXPECT_TRUE(z.poloha);
            EXPECT_GE(z.smer, 0);
            EXPECT_LT(z.smer, kDvePi);
            EXPECT_NEAR(WrappedDiff(z.vaha_delka, z.smer), z.vaha_smer, 1e-14L);
        }
        EXPECT_EQ(cisla, (std::set<int32_t>{1, 2, 3, 4, 5, 6}));
        EXPECT_NEAR(SoucetUhlu(p, m, 1), kPi, 1e-14L) << y3;
    }
}

TEST(VnejsiPresnostSmer, ExactTriangleClosesWithoutScatter) {
    const TvnejsiPresnost p = Smery(Trojuhelnik().Mereni(2));
    ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 1u);
    // 12 directions, 6 + 3 unknowns, 4 conditions.
    EXPECT_EQ(p.odchylkaTrojuhelnik.zaznam[0].skupina, 7);
    EXPECT_LT(p.odchylkaTrojuhelnik.zaznam[0].vyska_stn, 1e-15L);
    EXPECT_EQ(p.mereniTrojuhelnik.Pocet(), 12u);
}

TEST(VnejsiPresnostSmer, DirectionsAcrossZeroAndRepeatedOccupations) {
    test::SyntetickaSit s = Trojuhelnik();
    // A second occupation of P1 whose zero points straight at P2, so that the
    // directions to P2 straddle zero once spoiled.
    const Real k = std::atan2(10.0L, 120.0L);
    s.Stanovisko("P1", k);
    s.Cil("P2");
    s.Cil("P3");
    Tmereni m = s.Mereni(2);
    const Real e = Mgon(1);
    m.zaznam[test::IndexZaznamu(m, 4, 1, "P2")].smer = kDvePi - e;
    m.zaznam[test::IndexZaznamu(m, 4, 2, "P2")].smer = e;
    const TvnejsiPresnost p = Smery(m);
    ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 1u);
    // 16 directions, 6 + 4 unknowns, 4 conditions.
    EXPECT_EQ(p.odchylkaTrojuhelnik.zaznam[0].skupina, 10);
    // The two spoiled sets deviate by e each way and nothing else: a small
    // deviation, not one of a full turn.
    EXPECT_LT(p.odchylkaTrojuhelnik.zaznam[0].vyska_stn, e);
    EXPECT_GT(p.odchylkaTrojuhelnik.zaznam[0].vyska_stn, e / 10);
    EXPECT_NEAR(SoucetUhlu(p, m, 1), kPi, 1e-14L);
    const Tmereni r = p.mereniTrojuhelnik.Zaznamy(m);
    for (const Tzaznam& z : r.zaznam) {
        EXPECT_LE(std::fabs(z.vaha_smer), e + 1e-15L);
    }
}

// P1 P2 P3 and P1 P3 P4 share the side P1-P3; P2 and P4 do not see each other.
Tmereni DvaTrojuhelniky() {
    test::SyntetickaSit s;
    s.Bod("P1", 0, 0);
    s.Bod("P2", 120, 10);
    s.Bod("P3", 30, 90);
    s.Bod("P4", -60, 70);
    s.Stanovisko("P1", 0.3L);
    for (const char* c : {"P2", "P3", "P4"}) s.Cil(c);
    s.Stanovisko("P2", 2.0L);
    for (const char* c : {"P3", "P1"}) s.Cil(c);
    s.Stanovisko("P3", 5.5L);
    for (const char* c : {"P1", "P2", "P4"}) s.Cil(c);
    s.Stanovisko("P4", 1.0L);
    for (const char* c : {"P1", "P3"}) s.Cil(c);
    return s.Mereni(1);
}

TEST(VnejsiPresnostSmer, TrianglesAreNumberedAndPooled) {
    Tmereni m = DvaTrojuhelniky();
    const Real e1 = Mgon(3);
    const Real e2 = Mgon(6);
    m.zaznam[test::IndexZaznamu(m, 2, 1, "P1")].smer += e1;
    m.zaznam[test::IndexZaznamu(m, 4, 1, "P1")].smer -= e2;
    const TvnejsiPresnost p = Smery(m);
    ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 2u);
    EXPECT_EQ(p.odchylkaTrojuhelnik.zaznam[1].poradi, 2);
    EXPECT_NEAR(p.odchylkaTrojuhelnik.zaznam[0].vyska_stn, e1 / std::sqrt(6.0L), 1e-14L);
    EXPECT_NEAR(p.odchylkaTrojuhelnik.zaznam[1].vyska_stn, e2 / std::sqrt(6.0L), 1e-14L);
    ASSERT_EQ(p.cislaTrojuhelnik.size(), 2u);
    EXPECT_EQ(p.cislaTrojuhelnik[1][0], "P1");
    EXPECT_EQ(p.cislaTrojuhelnik[1][1], "P3");
    EXPECT_EQ(p.cislaTrojuhelnik[1][2], "P4");
    // (1 * e1^2/6 + 1 * e2^2/6) / 2
    EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, std::sqrt((e1 * e1 + e2 * e2) / 12), 1e-14L);
    EXPECT_EQ(p.odchylkaCelkova.skupina, 2);
    EXPECT_EQ(p.mereniTrojuhelnik.Pocet(), 12u);
    EXPECT_EQ(p.mereniTrojuhelnik.Zaznam(m, 11).soubor, 2);
    // The second triangle is spoiled beyond its limit (6 mgon / 6 = 1 mgon is
    // within 2.9 mgon; a larger error is not).
    Tmereni hrube = m;
    hrube.zaznam[test::IndexZaznamu(hrube, 4, 1, "P1")].smer -= Mgon(20);
    const TvnejsiPresnost q = Smery(hrube);
    const Tmereni r = q.mereniTrojuhelnik.Zaznamy(hrube);
    for (const Tzaznam& z : r.zaznam) {
        EXPECT_EQ(z.poloha, z.soubor == 1) << z.cislo_stn << z.cislo_cil;
    }
}

TEST(VnejsiPresnostSmer, TriangleWithoutAUsableAdjustmentIsLeftOut) {
    // A direction so far out of range that the triangle's residuals overflow: the
    // triangle has nothing usable to annotate its rows from. It is left out of
    // the lists and the pooling, and the next triangle takes its number.
    Tmereni m = DvaTrojuhelniky();
    m.zaznam[test::IndexZaznamu(m, 2, 1, "P1")].smer = 1e4000L;
    const Real e2 = Mgon(6);
    m.zaznam[test::IndexZaznamu(m, 4, 1, "P1")].smer -= e2;
    const TvnejsiPresnost p = Smery(m);
    ASSERT_EQ(p.odchylkaTrojuhelnik.zaznam.size(), 1u);
    EXPECT_EQ(p.odchylkaTrojuhelnik.zaznam[0].poradi, 1);
    ASSERT_EQ(p.cislaTrojuhelnik.size(), 1u);
    EXPECT_EQ(p.cislaTrojuhelnik[0][2], "P4");
    const Tmereni r = p.mereniTrojuhelnik.Zaznamy(m);
    EXPECT_EQ(r.zaznam.size(), 6u);
    for (const Tzaznam& z : r.zaznam) EXPECT_EQ(z.soubor, 1);
    EXPECT_NEAR(p.odchylkaCelkova.vyska_stn, e2 / std::sqrt(6.0L), 1e-14L);
}

TEST(VnejsiPresnostSmer, IncompleteTriangleIsNotFormed) {
    Tmereni m = Trojuhelnik().Mereni(2);
    // P3 no longer sees P2: only five of the six directions remain.
    for (Tzaznam& z : m.zaznam) {
        if (z.cislo_stn == "P3" && z.cislo_cil == "P2") z = Tzaznam::Prazdny();
    }
    const TvnejsiPresnost p = Smery(m);
    EXPECT_TRUE(p.odchylkaTrojuhelnik.zaznam.empty());
    EXPECT_TRUE(p.cislaTrojuhelnik.empty());
    EXPECT_EQ(p.odchylkaCelkova.vyska_stn, -1);
}

TEST(VnejsiPresnostSmer, DirectionThatIsNotANumberFails) {
    Tmereni m = Trojuhelnik().Mereni(1);
    m.zaznam[0].smer = std::numeric_limits<Real>::quiet_NaN();
    TvnejsiPresnost p;
    EXPECT_FALSE(VypocetVnejsiPresnostiSmer(SestavitMereniMeziBody(m), Vychozi().mezProtismer, p));
    EXPECT_TRUE(p.odchylkaTrojuhelnik.zaznam.empty());
}

TEST(VnejsiPresnostSmer, TriangleDataSetNumbersDirectionsAndOccupations) {
    // An occupation that sees only one of its vertex's targets still is an
    // orientation unknown of its own.
    test::SyntetickaSit s = Trojuhelnik();
    s.Stanovisko("P2", 4.0L);
    s.Cil("P1");
    const Tmereni m = s.Mereni(1);
    const MereniMeziBody sit = SestavitMereniMeziBody(m);
    Tmereni radky;
    ASSERT_EQ(SestavitTrojuhelnik(sit, {0, 1, 2}, radky), StavTrojuhelniku::Sestaven);
    ASSERT_EQ(radky.zaznam.size(), 7u);
    EXPECT_EQ(radky.NejvetsiSkupina(), 4);
    // Vertex order P1, P3, P2; in each the two numbers 2v+1, 2v+2.
    const char* stanoviska[] = {"P1", "P1", "P3", "P3", "P2", "P2", "P2"};
    for (size_t i = 0; i < radky.zaznam.size(); ++i) {
        EXPECT_EQ(radky.zaznam[i].cislo_stn, stanoviska[i]);
        EXPECT_EQ((radky.zaznam[i].soubor + 1) / 2, static_cast<int32_t>(i < 2   ? 1
                                                                         : i < 4 ? 2
                                                                                 : 3));
    }
    // A vertex without an occupation that sees both its targets: no triangle.
    Tmereni bez = m;
    for (Tzaznam& z : bez.zaznam) {
        if (z.poradi == 2 && z.cislo_cil == "P1") z = Tzaznam::Prazdny();
    }
    EXPECT_EQ(SestavitTrojuhelnik(SestavitMereniMeziBody(bez), {0, 1, 2}, radky),
              StavTrojuhelniku::Nepouzitelny);
}

}  // namespace
}  // namespace vertano
