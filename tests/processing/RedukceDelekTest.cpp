#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "data/SouradniceTestPomocne.h"
#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "mereni/Tmereni.h"
#include "processing/RedukceDelek.h"
#include "processing/SouradniceDlePoradi.h"

namespace vertano {
namespace {

using test::PlnySMeritkem;

constexpr Real kR = 6380000.0L;

Tzaznam Radek(int32_t poradi, int32_t iStn, int32_t iCil, Real delka, Real zenit, Real hs,
              Real hc) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = poradi;
    z.skupina = 1;
    z.cislo_stn = "S" + std::to_string(iStn);
    z.cislo_cil = "P" + std::to_string(iCil);
    z.iStn = iStn;
    z.iCil = iCil;
    z.delka = delka;
    z.zenit = zenit;
    z.smer = 0.5L;
    z.vyska_stn = hs;
    z.vyska_cil = hc;
    return z;
}

// Station 0 at 300 m, target 1 at 312.5 m, point 2 at 280 m (only for the mean
// level): the network of the hand computations below.
Tsouradnice Sit() {
    Tsouradnice s;
    s.PridejBod(PlnySMeritkem("S", 1000, 2000, 300.0L));
    s.PridejBod(PlnySMeritkem("T", 1300, 2400, 312.5L));
    s.PridejBod(PlnySMeritkem("U", 900, 1500, 280.0L));
    return s;
}

Tnastaveni Nastaveni(uint8_t typHladiny) {
    Tnastaveni n;
    n.Default();
    n.redukceMereni.typHladiny = typHladiny;
    n.redukceMereni.vyskaHladiny = 500;
    return n;
}

// s = 523.456, z = 1.55, hs = 1.55, hc = 1.8, Z1 = 300, Z2 = 312.5, R = 6380000:
//   k  = sqrt((s^2 - (Z1 + hs - Z2 - hc)^2) / ((R + Z1 + hs)(R + Z2 + hc)))
//   s1 = sqrt(s^2 + (hc - hs)^2 - 2 s (hc - hs) cos(z - k))
//   s2 = s1 - k hs                 (the distance between the marks)
//   z' = z + asin(sin(z - k)(hc - hs) / s1) - k / 2
struct Rucne {
    Real k = std::sqrt((523.456L * 523.456L -
                        (300.0L + 1.55L - 312.5L - 1.8L) * (300.0L + 1.55L - 312.5L - 1.8L)) /
                       ((kR + 300.0L + 1.55L) * (kR + 312.5L + 1.8L)));
    Real s1 = std::sqrt(523.456L * 523.456L + (1.8L - 1.55L) * (1.8L - 1.55L) -
                        2 * 523.456L * (1.8L - 1.55L) * std::cos(1.55L - k));
    Real s2 = s1 - k * 1.55L;
    Real zenit = 1.55L + std::asin(std::sin(1.55L - k) * (1.8L - 1.55L) / s1) - k / 2;
};

// f = (R + H0) / (R + (Z1 + Z2) / 2) * (m1 + m2) / 2
Real Faktor(Real h0, Real m1, Real m2) {
    return (kR + h0) / (kR + (300.0L + 312.5L) / 2) * ((m1 + m2) / 2);
}

struct Pripad {
    uint8_t typHladiny;
    Real h0;
    bool meritko;
    Real delka40;  // the same result to 40 digits
};

void PrintTo(const Pripad& p, std::ostream* os) {
    *os << "level " << static_cast<int>(p.typHladiny) << (p.meritko ? " with" : " without")
        << " scale factors";
}

std::string NazevPripadu(const ::testing::TestParamInfo<Pripad>& info) {
    static const char* const hladiny[] = {"Zero", "Mean", "Given"};
    return std::string(hladiny[info.param.typHladiny]) +
           (info.param.meritko ? "ScaleFactors" : "UnitScale");
}

class RedukceNaHladinu : public ::testing::TestWithParam<Pripad> {};

TEST_P(RedukceNaHladinu, MatchesHandComputation) {
    const Pripad p = GetParam();
    Tnastaveni n = Nastaveni(p.typHladiny);
    Tsouradnice meritko;
    if (p.meritko) {
        // Station from the list, target from the basic scale distortion.
        meritko.PridejBod(PlnySMeritkem("S", 0, 0, 0, 0.9996L));
        n.redukceMereni.zakladniZkresleni = 1.0002L;
    }
    Tmereni m;
    m.PridejZaznam(Radek(1, 0, 1, 523.456L, 1.55L, 1.55L, 1.8L));
    VysledekRedukce v;
    ASSERT_TRUE(RedukovatDelky(m, Sit(), meritko, n, v));
    ASSERT_EQ(m.zaznam.size(), 1u);
    EXPECT_EQ(v.pocetRedukovanych, 1);

    const Rucne r;
    const Real f = p.meritko ? Faktor(p.h0, 0.9996L, 1.0002L) : Faktor(p.h0, 1, 1);
    const Tzaznam& z = m.zaznam[0];
    EXPECT_NEAR(z.zkresleniDelky, f, 1e-15L);
    EXPECT_NEAR(z.delka, r.s2 * f, 1e-9L);
    EXPECT_NEAR(z.delka, p.delka40, 1e-9L);
    EXPECT_NEAR(z.delka / z.zkresleniDelky, r.s2, 1e-9L);
    EXPECT_NEAR(z.zenit, r.zenit, 1e-15L);
    EXPECT_NEAR(z.zenit, 1.5504364866485667357L, 1e-15L);
}

INSTANTIATE_TEST_SUITE_P(Hladiny, RedukceNaHladinu,
                         ::testing::Values(Pripad{0, 0, false, 523.42558809024034030L},
                                           Pripad{0, 0, true, 523.37324553143131627L},
                                           // mean level: (Zmin + Zmax) / 2 = (280 + 312.5) / 2
                                           Pripad{1, 296.25L, false, 523.44989292260268101L},
                                           Pripad{1, 296.25L, true, 523.39754793331042074L},
                                           Pripad{2, 500, false, 523.46660890435399550L},
                                           Pripad{2, 500, true, 523.41426224346356010L}),
                         NazevPripadu);

TEST(RedukceDelek, WithoutDistanceOnlyZenithAndFactorChange) {
    // d = |(300, 400)| = 500, m = (0.9996 + 1.0002) / 2
    //   k  = 2 asin((d / m) / 2 / R)
    //   c  = sqrt((R + Z1)^2 + (R + Z2)^2 - 2 cos k (R + Z1)(R + Z2)), c1 = c + k hs
    //   z' = z + asin(sin(z - k)(hc - hs) / c1) - k / 2
    const Real m = (0.9996L + 1.0002L) / 2;
    const Real k = 2 * std::asin((500.0L / m) / 2 / kR);
    const Real a = kR + 300.0L;
    const Real b = kR + 312.5L;
    const Real c = std::sqrt(a * a + b * b - 2 * std::cos(k) * a * b);
    const Real c1 = c + k * 1.55L;
    const Real zenit = 1.55L + std::asin(std::sin(1.55L - k) * (1.8L - 1.55L) / c1) - k / 2;

    Tsouradnice s = Sit();
    s.bod[0].zkresleni = 0.9996L;
    s.bod[1].zkresleni = 1.0002L;
    Tzaznam z = Radek(1, 0, 1, 0, 1.55L, 1.55L, 1.8L);
    ASSERT_TRUE(RedukovatZaznam(z, s.bod[0], s.bod[1], 0, kR));
    EXPECT_EQ(z.delka, 0);
    EXPECT_NEAR(z.zkresleniDelky, Faktor(0, 0.9996L, 1.0002L), 1e-15L);
    EXPECT_NEAR(z.zenit, zenit, 1e-12L);
    EXPECT_NEAR(z.zenit, 1.5504604720386150707L, 1e-12L);
}

TEST(RedukceDelek, ZeroHeightsChangeZenithByHalfAngleAndDistanceByFactor) {
    const Tsouradnice s = Sit();
    Tzaznam z = Radek(1, 0, 1, 523.456L, 1.55L, 0, 0);
    ASSERT_TRUE(RedukovatZaznam(z, s.bod[0], s.bod[1], 0, kR));
    const Real k = std::sqrt((523.456L * 523.456L - 12.5L * 12.5L) / ((kR + 300) * (kR + 312.5L)));
    EXPECT_NEAR(z.zenit, 1.55L - k / 2, 1e-15L);
    EXPECT_NEAR(z.delka, 523.456L * Faktor(0, 1, 1), 1e-12L);
}

TEST(RedukceDelek, ScaleFactorOfLine) {
    // Zero level, R = 6380000, heights 300 and 500, unit factors.
    Real f = 0;
    ASSERT_TRUE(
        ZkresleniLinie(PlnySMeritkem("1", 0, 0, 300), PlnySMeritkem("2", 0, 0, 500), 0, kR, f));
    EXPECT_NEAR(f, 6380000.0L / (6380000.0L + 400.0L), 1e-18L);
    // A point without a scale factor (-1 = not set) cannot give a factor.
    EXPECT_FALSE(
        ZkresleniLinie(PlnySMeritkem("1", 0, 0, 300, -1), PlnySMeritkem("2", 0, 0, 500), 0, kR, f));
}

TEST(RedukceDelek, ShortDistanceAgainstHeightsTakesCentralAngleZero) {
    // s = 5 but the marks are 12.5 m apart in height: negative radicand, k = 0.
    const Tsouradnice s = Sit();
    Tzaznam z = Radek(1, 0, 1, 5, 1.2L, 1.5L, 1.5L);
    ASSERT_TRUE(RedukovatZaznam(z, s.bod[0], s.bod[1], 0, kR));
    EXPECT_EQ(z.zenit, 1.2L);
    EXPECT_NEAR(z.delka, 5 * Faktor(0, 1, 1), 1e-15L);
}

TEST(RedukceDelek, Levels) {
    Tsouradnice s = Sit();
    s.PridejBod(Tbod::Prazdny());  // Z = 0 of an empty slot must not count
    Real h = -1;
    ASSERT_TRUE(HladinaRedukce(s, Nastaveni(0), h));
    EXPECT_EQ(h, 0);
    ASSERT_TRUE(HladinaRedukce(s, Nastaveni(1), h));
    EXPECT_EQ(h, 296.25L);
    ASSERT_TRUE(HladinaRedukce(s, Nastaveni(2), h));
    EXPECT_EQ(h, 500);
    EXPECT_FALSE(HladinaRedukce(s, Nastaveni(3), h));
    EXPECT_FALSE(HladinaRedukce(Tsouradnice{}, Nastaveni(1), h));
}

TEST(RedukceDelek, ListDropsRowsWithoutCoordinatesAndRenumbers) {
    Tsouradnice s = Sit();
    s.PridejPrazdnyBod();  // point 3 has no coordinates
    Tmereni m;
    m.PridejZaznam(Radek(1, 3, 0, 100, 1.5L, 1.5L, 1.5L));  // station unknown
    m.PridejZaznam(Radek(1, 3, 1, 100, 1.5L, 1.5L, 1.5L));
    m.PridejZaznam(Radek(2, 0, 1, 523.456L, 1.55L, 1.55L, 1.8L));
    m.PridejZaznam(Radek(2, 0, 3, 100, 1.5L, 1.5L, 1.5L));  // target unknown
    m.PridejZaznam(Radek(2, 0, 2, 0, 1.6L, 1.5L, 1.5L));
    m.PridejZaznam(Radek(3, 1, 9, 100, 1.5L, 1.5L, 1.5L));  // order outside the list
    VysledekRedukce v;
    ASSERT_TRUE(RedukceMereni(m, s, 0, kR, v));
    EXPECT_EQ(v.pocetRedukovanych, 2);
    EXPECT_EQ(v.pocetVypustenych, 4);
    ASSERT_EQ(m.zaznam.size(), 2u);
    EXPECT_EQ(m.zaznam[0].poradi, 1);  // station 2 became station 1
    EXPECT_EQ(m.zaznam[0].iCil, 1);
    EXPECT_EQ(m.zaznam[1].iCil, 2);
    EXPECT_EQ(m.zaznam[1].delka, 0);
}

TEST(RedukceDelek, FailureLeavesListUntouched) {
    const Tsouradnice s = Sit();
    Tmereni m;
    m.PridejZaznam(Radek(1, 0, 1, 523.456L, 1.55L, 1.55L, 1.8L));
    m.PridejZaznam(Radek(1, 0, 0, 0, 1.55L, 0, 1.8L));  // no distance to itself: c1 = 0
    const Tmereni puvodni = m;
    VysledekRedukce v;
    v.pocetRedukovanych = 42;
    EXPECT_FALSE(RedukceMereni(m, s, 0, kR, v));
    EXPECT_EQ(m.zaznam[0].delka, puvodni.zaznam[0].delka);
    EXPECT_EQ(m.zaznam[0].zenit, puvodni.zaznam[0].zenit);
    EXPECT_EQ(m.zaznam.size(), 2u);
    EXPECT_EQ(v.pocetRedukovanych, 42);

    Tzaznam zaporna = Radek(1, 0, 1, -1, 1.55L, 1.5L, 1.5L);  // the unset value -1
    EXPECT_FALSE(RedukovatZaznam(zaporna, s.bod[0], s.bod[1], 0, kR));
    EXPECT_EQ(zaporna.delka, -1);

    Tsouradnice bezMeritka = s;
    bezMeritka.bod[1].zkresleni = -1;
    Tmereni m2;
    m2.PridejZaznam(Radek(1, 0, 1, 523.456L, 1.55L, 1.55L, 1.8L));
    EXPECT_FALSE(RedukceMereni(m2, bezMeritka, 0, kR, v));
    EXPECT_EQ(m2.zaznam[0].delka, 523.456L);
    EXPECT_EQ(m2.zaznam[0].zkresleniDelky, 1);

    Tmereni m3;
    m3.PridejZaznam(Radek(1, 0, 1, 523.456L, 1.55L, 1.55L, 1.8L));
    Tnastaveni n = Nastaveni(0);
    n.redukceMereni.polomerRefPlochy = 0;
    EXPECT_FALSE(RedukovatDelky(m3, s, Tsouradnice{}, n, v));
    EXPECT_EQ(m3.zaznam[0].delka, 523.456L);
}

TEST(SouradniceDlePoradiBodu, OneSlotPerNameByExactName) {
    Tsouradnice s;
    Tbod prazdny = PlnySMeritkem("B", 5, 5, 5);
    prazdny.JePlny = false;
    s.PridejBod(prazdny);
    s.PridejBod(PlnySMeritkem("B", 1, 2, 3));
    s.PridejBod(PlnySMeritkem("B", 9, 9, 9));
    s.PridejBod(PlnySMeritkem("a", 4, 4, 4));
    const Tsouradnice v = SouradniceDlePoradiBodu({"A", "B", "C"}, s);
    ASSERT_EQ(v.Pocet(), 3);
    EXPECT_FALSE(v.bod[0].JePlny);  // "a" is another point than "A"
    EXPECT_TRUE(v.bod[1].JePlny);
    EXPECT_EQ(v.bod[1].X, 1);  // the first full point of that name
    EXPECT_FALSE(v.bod[2].JePlny);
}

}  // namespace
}  // namespace vertano
