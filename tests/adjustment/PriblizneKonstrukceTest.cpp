#include <gtest/gtest.h>

#include <array>
#include <cfenv>
#include <cmath>
#include <limits>

#include "adjustment/PriblizneKonstrukce.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

Tbod Bod(Real x, Real y, Real z = 0) {
    Tbod b = Tbod::Prazdny();
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.JePlny = true;
    return b;
}

Real Smernik(const Tbod& a, const Tbod& b) {
    Real s = 0;
    EXPECT_TRUE(SmernikBodu(a, b, s));
    return s;
}

// Exact pointing from `s` to `c` with the given orientation.
Tzaznam Zacileni(const Tbod& s, const Tbod& c, Real orientace, bool sDelkou = true) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = 1;
    const Real h = std::hypot(c.X - s.X, c.Y - s.Y);
    z.smer = std::fmod(Smernik(s, c) - orientace + 2 * kDvePi, kDvePi);
    z.zenit = std::atan2(h, c.Z - s.Z);
    z.delka = sDelkou ? std::hypot(h, c.Z - s.Z) : 0;
    return z;
}

TEST(PriblizneKonstrukce, BearingFollowsTheGeodeticConvention) {
    const Tbod o = Bod(0, 0);
    EXPECT_NEAR(Smernik(o, Bod(1, 0)), 0, 1e-18L);
    EXPECT_NEAR(Smernik(o, Bod(0, 1)), kPi / 2, 1e-18L);  // +Y is a quarter turn
    EXPECT_NEAR(Smernik(o, Bod(0, -1)), 3 * kPi / 2, 1e-18L);
    Real s = 7;
    EXPECT_FALSE(SmernikBodu(o, Bod(0, 0, 5), s));  // same plan position
    EXPECT_EQ(s, 7);
}

TEST(PriblizneKonstrukce, HeightFromZenithRefusesPolesAndBadScale) {
    Real z = 0;
    ASSERT_TRUE(VyskaZeZenitu(100, 50, kPi / 4, 1, z));
    EXPECT_NEAR(z, 150, 1e-12L);
    EXPECT_TRUE(VyskaZeZenitu(100, 50, kPi / 2, 1, z));  // level sight: no pole
    EXPECT_NEAR(z, 100, 1e-12L);
    z = -3;
    EXPECT_FALSE(VyskaZeZenitu(100, 50, 0, 1, z));  // straight up
    EXPECT_FALSE(VyskaZeZenitu(100, 50, kPi, 1, z));
    EXPECT_FALSE(VyskaZeZenitu(100, 50, 1, 0, z));
    EXPECT_FALSE(VyskaZeZenitu(100, kNaN, 1, 1, z));
    EXPECT_EQ(z, -3);
}

TEST(PriblizneKonstrukce, PolarPointNeedsDistanceAndUsableZenith) {
    const Tbod s = Bod(100, 200, 10);
    const Tbod c = Bod(130, 160, 14);
    Tzaznam z = Zacileni(s, c, 0.3L);
    Tbod vysledek = Bod(0, 0);
    ASSERT_TRUE(PolarniBod(s, Smernik(s, c), z, vysledek));
    EXPECT_NEAR(vysledek.X, c.X, 1e-12L);
    EXPECT_NEAR(vysledek.Y, c.Y, 1e-12L);
    EXPECT_NEAR(vysledek.Z, c.Z, 1e-12L);

    Tbod beze = Bod(-1, -1, -1);
    Tzaznam bezDelky = z;
    bezDelky.delka = 0;
    EXPECT_FALSE(PolarniBod(s, 0, bezDelky, beze));
    Tzaznam spatnyZenit = z;
    spatnyZenit.zenit = -1;  // not measured
    EXPECT_FALSE(PolarniBod(s, 0, spatnyZenit, beze));
    Tzaznam nulaZkresleni = z;
    nulaZkresleni.zkresleniDelky = 0;
    EXPECT_FALSE(PolarniBod(s, 0, nulaZkresleni, beze));
    EXPECT_EQ(beze.X, -1);
}

TEST(PriblizneKonstrukce, FreeStationRefusesCoincidentTargets) {
    const Tbod s = Bod(0, 0, 5);
    const Tbod a = Bod(100, 0, 7);
    const Tbod b = Bod(0, 80, 3);
    Tbod vysledek = Bod(0, 0);
    ASSERT_TRUE(VolneStanovisko(Zacileni(s, a, 2), a, Zacileni(s, b, 2), b, vysledek));
    EXPECT_NEAR(vysledek.X, 0, 1e-12L);
    EXPECT_NEAR(vysledek.Y, 0, 1e-12L);
    EXPECT_NEAR(vysledek.Z, 5, 1e-12L);

    Tbod nic = Bod(-1, -1);
    // The same target twice: neither rotation nor scale can be fitted.
    EXPECT_FALSE(VolneStanovisko(Zacileni(s, a, 2), a, Zacileni(s, a, 2), a, nic));
    // Two known points in one place seen in two directions.
    EXPECT_FALSE(VolneStanovisko(Zacileni(s, a, 2), a, Zacileni(s, b, 2), a, nic));
    EXPECT_EQ(nic.X, -1);
}

std::array<SmerNaBod, 3> Smery(const Tbod& s, const std::array<Tbod, 3>& body, Real orientace) {
    std::array<SmerNaBod, 3> v{};
    for (std::size_t i = 0; i < 3; ++i)
        v[i] = SmerNaBod{Zacileni(s, body[i], orientace).smer, body[i]};
    return v;
}

TEST(PriblizneKonstrukce, ResectionOfManyGeometriesIsExact) {
    const std::array<Tbod, 3> body{Bod(0, 0), Bod(400, 100), Bod(150, 500)};
    int vyreseno = 0;
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 12; ++j) {
            const Tbod s = Bod(-300 + 80 * i, -300 + 90 * j);
            Real x = 0, y = 0;
            if (!ProtinaniZpetPoloha(Smery(s, body, 0.1L * (i + j)), x, y)) continue;
            ++vyreseno;
            EXPECT_NEAR(x, s.X, 1e-6L) << i << " " << j;
            EXPECT_NEAR(y, s.Y, 1e-6L) << i << " " << j;
        }
    }
    EXPECT_GT(vyreseno, 80);  // most of the grid; the rest has angles below 10 gon
}

TEST(PriblizneKonstrukce, ResectionRefusesNarrowAnglesAndTheDangerCircle) {
    Real x = -1, y = -1;
    // Angles of about 6 gon.
    const std::array<Tbod, 3> uzke{Bod(1000, 0), Bod(1000, 100), Bod(1000, 200)};
    EXPECT_FALSE(ProtinaniZpetPoloha(Smery(Bod(0, 0), uzke, 0.2L), x, y));
    // Just above 10 gon on both sides is enough.
    const Real u = kPi / 20 + 1e-9L;
    const std::array<Tbod, 3> tesne{Bod(1000, 0), Bod(1000 * std::cos(u), 1000 * std::sin(u)),
                                    Bod(1000 * std::cos(2 * u), 1000 * std::sin(2 * u))};
    EXPECT_TRUE(ProtinaniZpetPoloha(Smery(Bod(0, 0), tesne, 0.2L), x, y));
    EXPECT_NEAR(x, 0, 1e-6L);
    x = y = -1;
    // The station on the circle through the three known points.
    const Real r = 100;
    const std::array<Tbod, 3> kruh{Bod(r, 0), Bod(0, r), Bod(-r, 0)};
    const Tbod naKruhu = Bod(r * std::cos(4.5L), r * std::sin(4.5L));
    EXPECT_FALSE(ProtinaniZpetPoloha(Smery(naKruhu, kruh, 0.7L), x, y));
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
}

TEST(PriblizneKonstrukce, IntersectionRefusesParallelRaysAndPointsBehind) {
    const Tbod a = Bod(0, 0);
    const Tbod b = Bod(0, 100);
    Tbod t = Bod(-1, -1);
    ASSERT_TRUE(ProtinaniVpredPoloha(a, kPi / 4, b, 7 * kPi / 4, t));
    EXPECT_NEAR(t.X, 50, 1e-12L);
    EXPECT_NEAR(t.Y, 50, 1e-12L);

    Tbod nic = Bod(-1, -1);
    EXPECT_FALSE(ProtinaniVpredPoloha(a, 0, b, 0, nic));              // parallel
    EXPECT_FALSE(ProtinaniVpredPoloha(a, kPi / 2, b, kPi / 2, nic));  // on one line
    // The lines meet at (50, 50), but the ray from a points away from it.
    EXPECT_FALSE(ProtinaniVpredPoloha(a, kPi / 4 + kPi, b, 7 * kPi / 4, nic));
    EXPECT_FALSE(ProtinaniVpredPoloha(a, kNaN, b, 1, nic));
    EXPECT_EQ(nic.X, -1);
}

TEST(PriblizneKonstrukce, FaultsDoNotLeakIntoTheCaller) {
    std::feclearexcept(FE_ALL_EXCEPT);
    Tbod nic = Bod(-1, -1);
    Tzaznam z = Tzaznam::Prazdny();
    z.smer = 0;
    z.zenit = 1;
    z.delka = 1e4000L;  // overflows when scaled
    z.zkresleniDelky = 1e-4000L;
    PolarniBod(Bod(0, 0), 0, z, nic);
    Real v = 0;
    VyskaZeZenitu(0, 1, 0, 1, v);
    EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0);
}

}  // namespace
}  // namespace vertano
