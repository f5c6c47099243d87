#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "adjustment/PriblizneSouradnice.h"
#include "matice/Konstanty.h"
#include "support/SyntetickaSit.h"

namespace vertano {
namespace {

using test::IndexZaznamu;
using test::SyntetickaSit;

constexpr Real kPresne = 1e-6L;

Real VodorovnaVzdalenostBodu(const Tbod& a, const Tbod& b) {
    return std::hypot(a.X - b.X, a.Y - b.Y);
}

Tbod Bod(Real x, Real y, Real z) {
    Tbod b = Tbod::Prazdny();
    b.X = x;
    b.Y = y;
    b.Z = z;
    return b;
}

struct Vypocet {
    bool ok = false;
    std::vector<std::string> cisla;
    Tsouradnice souradnice;
    VysledekPriblizne vysledek;

    const Tbod* Bod(const std::string& cislo) const {
        for (const Tbod& b : souradnice.bod) {
            if (b.JePlny && b.cislo == cislo) return &b;
        }
        return nullptr;
    }
    const PuvodBodu* Puvod(const std::string& cislo) const {
        for (const PuvodBodu& p : vysledek.body) {
            if (p.cislo == cislo) return &p;
        }
        return nullptr;
    }
    int32_t Kandidatu(const std::string& cislo, ZpusobUrceni zpusob) const {
        return Puvod(cislo)->pocetKandidatu[static_cast<std::size_t>(zpusob)];
    }
};

// Runs the computation on `mereni` with the named points known (true coordinates).
Vypocet Spocitat(const SyntetickaSit& sit, Tmereni mereni, const std::vector<std::string>& zname,
                 bool fixni = true, const MoznostiPriblizne& moznosti = {}) {
    Vypocet v;
    mereni.PoradiBoduPriradit(v.cisla);
    v.souradnice = sit.Zadane(zname, fixni);
    v.ok = VypocetPriblizneSouradnice(v.souradnice, mereni, v.cisla, v.vysledek, moznosti);
    return v;
}

// The classical constructions alone, as they store their candidates.
MoznostiPriblizne JenKonstrukce() {
    MoznostiPriblizne m;
    m.lokalniSystemy = false;
    m.zpresnit = false;
    return m;
}

void OcekavatPravdu(const Vypocet& v, const SyntetickaSit& sit, const std::string& cislo,
                    Real tolerance = kPresne) {
    const Tbod* b = v.Bod(cislo);
    ASSERT_NE(b, nullptr) << cislo << " was not determined";
    const Tbod pravda = sit.Skutecny(cislo);
    EXPECT_NEAR(b->X, pravda.X, tolerance) << cislo;
    EXPECT_NEAR(b->Y, pravda.Y, tolerance) << cislo;
    EXPECT_NEAR(b->Z, pravda.Z, tolerance) << cislo;
}

// Two known points A and B and a traverse A - P1 - P2 - P3 with distances;
// `obracene` lists the occupations from the far end.
SyntetickaSit Polygon(bool obracene = false) {
    SyntetickaSit sit;
    sit.Bod("A", 1000, 1000, 200);
    sit.Bod("B", 1300, 1100, 205);
    sit.Bod("P1", 1100, 1250, 203);
    sit.Bod("P2", 1250, 1400, 199);
    sit.Bod("P3", 1150, 1600, 210);
    const struct {
        const char* stn;
        Real orientace;
        const char* zpet;
        const char* vpred;
    } nohy[] = {{"A", 0.7L, "B", "P1"}, {"P1", 2.1L, "A", "P2"}, {"P2", 4.0L, "P1", "P3"}};
    for (int i = 0; i < 3; ++i) {
        const auto& n = nohy[obracene ? 2 - i : i];
        sit.Stanovisko(n.stn, n.orientace);
        sit.Cil(n.zpet);
        sit.Cil(n.vpred);
    }
    return sit;
}

// ---- every construction finds the true point ----

TEST(PriblizneSouradnice, TraverseOfPolarPointsIsExact) {
    const SyntetickaSit sit = Polygon();
    const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B"});
    ASSERT_TRUE(v.ok);
    for (const char* cislo : {"A", "B", "P1", "P2", "P3"}) OcekavatPravdu(v, sit, cislo);
    EXPECT_TRUE(v.vysledek.neurcene.empty());
    ASSERT_EQ(v.souradnice.Pocet(), 5);  // one record per point of the measurements
    const PuvodBodu* p3 = v.Puvod("P3");
    EXPECT_TRUE(p3->jeUrcen);
    EXPECT_FALSE(p3->jeZadany);
    EXPECT_EQ(p3->prvni, ZpusobUrceni::Polarni);
    EXPECT_EQ(p3->cisloStn, "P2");
    EXPECT_EQ(p3->poradiStanoviska, 3);
    EXPECT_TRUE(v.Puvod("A")->jeFixni);
    EXPECT_EQ(v.Kandidatu("A", ZpusobUrceni::Zadany), 1);
    EXPECT_EQ(KlicZpusobu(p3->prvni), "polar");
}

TEST(PriblizneSouradnice, TraverseMeasuredBackwardsNeedsMorePasses) {
    // Each pass can only go one leg further.
    const SyntetickaSit sit = Polygon(true);
    const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B"});
    ASSERT_TRUE(v.ok);
    for (const char* cislo : {"P1", "P2", "P3"}) OcekavatPravdu(v, sit, cislo);
    EXPECT_EQ(v.Puvod("P1")->pruchod, 1);
    EXPECT_EQ(v.Puvod("P2")->pruchod, 2);
    EXPECT_EQ(v.Puvod("P3")->pruchod, 3);
    EXPECT_EQ(v.vysledek.pocetPruchodu, 4);  // the last pass finds nothing new
}

TEST(PriblizneSouradnice, FreeStationOnTwoKnownPointsIsExact) {
    SyntetickaSit sit;
    sit.Bod("A", 1000, 1000, 200);
    sit.Bod("B", 1300, 1100, 205);
    sit.Bod("S", 1150, 900, 202);
    sit.Bod("Q", 1200, 700, 195);
    sit.Stanovisko("S", 1.3L);
    sit.Cil("A");
    sit.Cil("B");
    sit.Cil("Q");
    const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B"});
    ASSERT_TRUE(v.ok);
    OcekavatPravdu(v, sit, "S");
    OcekavatPravdu(v, sit, "Q");
    EXPECT_EQ(v.Puvod("S")->prvni, ZpusobUrceni::VolneStanovisko);
    EXPECT_EQ(v.Puvod("Q")->prvni, ZpusobUrceni::Polarni);
}

// A station S resected on A, B, C by directions only, then a polar point Q.
SyntetickaSit ProtinaniZpet(Real xS, Real yS) {
    SyntetickaSit sit;
    sit.Bod("A", 1000, 1000, 200);
    sit.Bod("B", 1300, 1100, 205);
    sit.Bod("C", 1050, 1400, 198);
    sit.Bod("S", xS, yS, 201);
    sit.Bod("Q", xS + 40, yS - 70, 204);
    sit.Stanovisko("S", 5.5L);
    sit.Cil("A", false);
    sit.Cil("B", false);
    sit.Cil("C", false);
    sit.Cil("Q");
    return sit;
}

TEST(PriblizneSouradnice, ResectionOnThreeDirectionsIsExact) {
    // Outside the triangle of the known points and inside it (the directions then
    // span more than half a turn).
    for (const auto& [x, y] : {std::pair<Real, Real>{700, 1300}, {1120, 1170}}) {
        const SyntetickaSit sit = ProtinaniZpet(x, y);
        const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B", "C"});
        ASSERT_TRUE(v.ok);
        OcekavatPravdu(v, sit, "S");
        OcekavatPravdu(v, sit, "Q");
        EXPECT_EQ(v.Puvod("S")->prvni, ZpusobUrceni::ProtinaniZpet);
    }
}

TEST(PriblizneSouradnice, ResectionWithAnglesBelowTenGonFindsNothing) {
    SyntetickaSit sit;
    sit.Bod("A", 2000, 1000, 0);
    sit.Bod("B", 2000, 1100, 0);
    sit.Bod("C", 2000, 1200, 0);
    sit.Bod("S", 1000, 1000, 0);
    sit.Stanovisko("S", 0.2L);
    sit.Cil("A", false);
    sit.Cil("B", false);
    sit.Cil("C", false);
    const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B", "C"});
    EXPECT_TRUE(v.ok);  // the known points are there
    EXPECT_EQ(v.Bod("S"), nullptr);
    EXPECT_EQ(v.vysledek.neurcene, std::vector<std::string>{"S"});
}

TEST(PriblizneSouradnice, IntersectionWithoutDistancesIsExact) {
    // The second network has the ray from A along +Y (100 gon, an infinite slope)
    // and the one from B along -X.
    const std::array<std::array<Tbod, 3>, 2> site{
        {{Bod(1000, 1000, 200), Bod(1300, 1100, 205), Bod(1200, 1350, 207)},
         {Bod(500, 500, 10), Bod(600, 600, 12), Bod(500, 600, 11)}}};
    for (const auto& body : site) {
        SyntetickaSit sit;
        sit.Bod("A", body[0].X, body[0].Y, body[0].Z);
        sit.Bod("B", body[1].X, body[1].Y, body[1].Z);
        sit.Bod("T", body[2].X, body[2].Y, body[2].Z);
        sit.Stanovisko("A", 0.3L);
        sit.Cil("B", false);
        sit.Cil("T", false);
        sit.Stanovisko("B", 5.0L);
        sit.Cil("A", false);
        sit.Cil("T", false);
        const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B"});
        ASSERT_TRUE(v.ok);
        OcekavatPravdu(v, sit, "T");
        EXPECT_EQ(v.Puvod("T")->prvni, ZpusobUrceni::ProtinaniVpred);
        EXPECT_EQ(v.Kandidatu("T", ZpusobUrceni::ProtinaniVpred), 2);  // from each station
    }
}

// A sight without a zenith angle (to a far point) still intersects: the height
// comes from the other station's zenith angle; sights without a direction give
// nothing to construct with and are left to the adjustment.
TEST(PriblizneSouradnice, IntersectionWithOneZenithAngleTakesTheHeightFromIt) {
    SyntetickaSit sit;
    sit.Bod("A", 1000, 1000, 200);
    sit.Bod("B", 1300, 1100, 205);
    sit.Bod("T", 1200, 1350, 207);
    sit.Stanovisko("A", 0.3L);
    sit.Cil("B", false);
    sit.Cil("T", false);
    sit.Stanovisko("B", 5.0L);
    sit.Cil("A", false);
    sit.Cil("T", false);
    Tmereni m = sit.Mereni();
    Tzaznam& at = m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 1, 1, "T"))];
    at.bezZenitu = true;
    at.zenit = 0;
    const Vypocet v = Spocitat(sit, m, {"A", "B"});
    ASSERT_TRUE(v.ok);
    OcekavatPravdu(v, sit, "T");
    EXPECT_EQ(v.Kandidatu("T", ZpusobUrceni::ProtinaniVpred), 2);

    Tzaznam& bt = m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 2, 1, "T"))];
    bt.bezZenitu = true;
    bt.zenit = 0;
    const Vypocet bez = Spocitat(sit, m, {"A", "B"});
    EXPECT_EQ(bez.Bod("T"), nullptr);  // no height anywhere
}

TEST(PriblizneSouradnice, RowInFaceTwoOnlyGivesTheSamePoint) {
    const SyntetickaSit sit = Polygon();
    Tmereni m = sit.Mereni();
    Tzaznam& z = m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 1, 1, "P1"))];
    z.zenit = kDvePi - z.zenit;
    z.smer = z.smer < kPi ? z.smer + kPi : z.smer - kPi;
    z.poloha = false;
    const Vypocet v = Spocitat(sit, m, {"A", "B"});
    for (const char* cislo : {"P1", "P2", "P3"}) OcekavatPravdu(v, sit, cislo);
}

TEST(PriblizneSouradnice, ScaledDistanceGivesPlanInProjectionAndTrueHeight) {
    // After the distance reduction delka is the mark distance times the line's
    // scale factor: the plan follows the projection, the height the true distance.
    const SyntetickaSit sit = Polygon();
    Tmereni m = sit.Mereni();
    const Real f = 1.0004L;
    Tzaznam& z = m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 1, 1, "P1"))];
    z.delka *= f;
    z.zkresleniDelky = f;
    // Only this row is scaled, so the refinement would rightly split the
    // difference with the back sight.
    const Vypocet v = Spocitat(sit, m, {"A", "B"}, true, JenKonstrukce());
    const Tbod* p1 = v.Bod("P1");
    ASSERT_NE(p1, nullptr);
    const Tbod a = sit.Skutecny("A");
    const Tbod pravda = sit.Skutecny("P1");
    EXPECT_NEAR(std::hypot(p1->X - a.X, p1->Y - a.Y),
                f * std::hypot(pravda.X - a.X, pravda.Y - a.Y), kPresne);
    EXPECT_NEAR(p1->Z, pravda.Z, kPresne);
}

TEST(PriblizneSouradnice, MixedNetworkIsExactWhateverFoundEachPoint) {
    // A grid of points occupied in a scrambled order, each station seeing its
    // neighbours, some without distances: every construction gets its turn.
    SyntetickaSit sit;
    const int n = 8;
    auto cislo = [](int i, int j) { return std::to_string(100 + 10 * i + j); };
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            sit.Bod(cislo(i, j), 1000 + 90 * i + 7 * (j % 3), 2000 + 110 * j + 5 * (i % 4),
                    300 + 3 * ((i * j) % 5));
        }
    }
    for (int k = 0; k < n * n; ++k) {
        const int p = (k * 37) % (n * n);
        const int i = p / n, j = p % n;
        sit.Stanovisko(cislo(i, j), 0.37L * k);
        for (const auto& [di, dj] : {std::pair{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 1}}) {
            if (i + di < 0 || i + di >= n || j + dj < 0 || j + dj >= n) continue;
            sit.Cil(cislo(i + di, j + dj), (i + j + di) % 3 != 0);
        }
    }
    const Vypocet v = Spocitat(sit, sit.Mereni(), {cislo(3, 3), cislo(3, 4)});
    ASSERT_TRUE(v.ok);
    EXPECT_TRUE(v.vysledek.neurcene.empty());
    std::array<int, kPocetZpusobu> prvni{};
    for (const PuvodBodu& p : v.vysledek.body) {
        OcekavatPravdu(v, sit, p.cislo);
        ++prvni[static_cast<std::size_t>(p.prvni)];
    }
    EXPECT_GT(prvni[static_cast<std::size_t>(ZpusobUrceni::Polarni)], 0);
    EXPECT_GT(prvni[static_cast<std::size_t>(ZpusobUrceni::VolneStanovisko)], 0);
}

// ---- gross errors and the lower median ----

TEST(PriblizneSouradnice, GrossDistanceErrorInOneOfThreeSetsIsOutvoted) {
    const SyntetickaSit sit = Polygon();
    Tmereni m = sit.Mereni(3);
    m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 1, 2, "P1"))].delka += 0.20L;
    m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 2, 3, "P2"))].delka -= 0.20L;
    const Vypocet v = Spocitat(sit, m, {"A", "B"});
    for (const char* cislo : {"P1", "P2", "P3"}) OcekavatPravdu(v, sit, cislo, 0.003L);
    // Three sets from A and three back sights from P2.
    EXPECT_EQ(v.Kandidatu("P1", ZpusobUrceni::Polarni), 6);
}

TEST(PriblizneSouradnice, GrossDirectionErrorInOneOfThreeSetsIsOutvoted) {
    const SyntetickaSit sit = Polygon();
    const Real chyba = MgonNaRad(50);
    // On an orientation sight and on a foresight.
    for (const auto& [poradi, cil] : {std::pair<int32_t, const char*>{1, "B"}, {2, "P2"}}) {
        Tmereni m = sit.Mereni(3);
        m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, poradi, 2, cil))].smer += chyba;
        const Vypocet v = Spocitat(sit, m, {"A", "B"});
        for (const char* cislo : {"P1", "P2", "P3"}) OcekavatPravdu(v, sit, cislo, 0.003L);
    }
}

TEST(PriblizneSouradnice, TwoDisagreeingSetsGiveTheLowerMedianNotTheMean) {
    // A polar point from two sets, the second 20 cm too long: the candidates
    // differ along the line, and each coordinate takes the smaller one.
    for (const Real smer : {GonNaRad(50), GonNaRad(250)}) {
        SyntetickaSit sit;
        sit.Bod("A", 1000, 1000, 100);
        sit.Bod("B", 1000, 1500, 100);
        sit.Bod("P", 1000 + 100 * std::cos(smer), 1000 + 100 * std::sin(smer), 100);
        sit.Stanovisko("A", 0);
        sit.Cil("B");
        sit.Cil("P");
        Tmereni m = sit.Mereni(2);
        m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 1, 2, "P"))].delka += 0.20L;
        const Vypocet v = Spocitat(sit, m, {"A", "B"}, true, JenKonstrukce());
        const Tbod* p = v.Bod("P");
        ASSERT_NE(p, nullptr);
        const Tbod pravda = sit.Skutecny("P");
        const Real dx = 0.20L * std::cos(smer);
        const Real dy = 0.20L * std::sin(smer);
        EXPECT_NEAR(p->X, std::min(pravda.X, pravda.X + dx), kPresne);
        EXPECT_NEAR(p->Y, std::min(pravda.Y, pravda.Y + dy), kPresne);
    }
}

TEST(PriblizneSouradnice, OrientationNearZeroBearingSurvivesAGrossError) {
    // The zero direction points north and the samples scatter by a fraction of a
    // milligon on both sides of it; one sight is to a wrong prism. Taken as plain
    // numbers the samples would sort as (0+, 0+, wrong, 2pi-, 2pi-) and the wrong
    // one would be their median.
    SyntetickaSit sit;
    sit.Bod("S", 0, 0, 0);
    const Real smery[] = {0.5L, 1.7L, 2.9L, 4.1L, 5.3L};
    for (int i = 0; i < 5; ++i) {
        sit.Bod("K" + std::to_string(i), 300 * std::cos(smery[i]), 300 * std::sin(smery[i]), 0);
    }
    sit.Bod("N", 80, 120, 0);
    sit.Stanovisko("S", 0);
    for (int i = 0; i < 5; ++i) sit.Cil("K" + std::to_string(i), false);
    sit.Cil("N");
    Tmereni m = sit.Mereni();
    const Real sum[] = {1e-6L, -2e-6L, 0.9L, 2e-6L, -1e-6L};
    for (int i = 0; i < 5; ++i) m.zaznam[static_cast<std::size_t>(i)].smer += sum[i];
    for (Tzaznam& z : m.zaznam) z.smer = std::fmod(z.smer + kDvePi, kDvePi);
    const Vypocet v = Spocitat(sit, m, {"S", "K0", "K1", "K2", "K3", "K4"});
    OcekavatPravdu(v, sit, "N", 0.001L);
}

// ---- known points ----

TEST(PriblizneSouradnice, AllPointsKnownRunsNoConstruction) {
    const SyntetickaSit sit = Polygon();
    const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B", "P1", "P2", "P3"}, /*fixni=*/false);
    ASSERT_TRUE(v.ok);
    for (const char* cislo : {"A", "B", "P1", "P2", "P3"}) {
        const Tbod pravda = sit.Skutecny(cislo);
        const Tbod* b = v.Bod(cislo);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->X, pravda.X);
        EXPECT_EQ(b->Y, pravda.Y);
        EXPECT_EQ(b->Z, pravda.Z);
        EXPECT_EQ(v.Kandidatu(cislo, ZpusobUrceni::Polarni), 0);
    }
    EXPECT_EQ(v.vysledek.pocetPruchodu, 0);
}

TEST(PriblizneSouradnice, FixedPointKeepsItsValueNonFixedTakesTheMedian) {
    // P1 measures back to A with a distance 50 cm too long, in one set.
    const SyntetickaSit sit = Polygon();
    Tmereni m = sit.Mereni();
    m.zaznam[static_cast<std::size_t>(IndexZaznamu(m, 2, 1, "A"))].delka += 0.5L;
    const Tbod a = sit.Skutecny("A");

    const Vypocet fixni = Spocitat(sit, m, {"A", "B"}, true);
    EXPECT_EQ(fixni.Bod("A")->X, a.X);
    EXPECT_EQ(fixni.Bod("A")->Y, a.Y);
    EXPECT_EQ(fixni.Kandidatu("A", ZpusobUrceni::Polarni), 0);

    // A given point that is not fixed is an approximation like any other: the
    // back sight adds a candidate, and of two the lower is taken.
    const Vypocet volny = Spocitat(sit, m, {"A", "B"}, false);
    EXPECT_EQ(volny.Kandidatu("A", ZpusobUrceni::Polarni), 1);
    const Tbod p1 = sit.Skutecny("P1");
    const Real s = std::hypot(a.X - p1.X, a.Y - p1.Y);
    const Real zpet = a.X + 0.5L * (a.X - p1.X) / s * std::sin(m.zaznam[2].zenit);
    EXPECT_NEAR(volny.Bod("A")->X, std::min(a.X, zpet), 1e-4L);
}

// ---- what cannot be determined ----

TEST(PriblizneSouradnice, UnreachablePointsAreLeftEmptyAndReported) {
    SyntetickaSit sit = Polygon();
    sit.Bod("V", 900, 900, 0);
    sit.Bod("W", 950, 800, 0);
    sit.Bod("U", 870, 760, 0);
    sit.Bod("D", 1400, 1400, 0);
    // V and W see only each other and U; D is seen by one direction only.
    sit.Stanovisko("V", 1.0L);
    sit.Cil("W");
    sit.Cil("U");
    sit.Stanovisko("W", 2.0L);
    sit.Cil("V");
    sit.Stanovisko("P2", 3.0L);
    sit.Cil("P3");
    sit.Cil("D", false);
    const Vypocet v = Spocitat(sit, sit.Mereni(), {"A", "B"});
    ASSERT_TRUE(v.ok);
    for (const char* cislo : {"P1", "P2", "P3"}) OcekavatPravdu(v, sit, cislo);
    std::vector<std::string> neurcene = v.vysledek.neurcene;
    std::sort(neurcene.begin(), neurcene.end());
    EXPECT_EQ(neurcene, (std::vector<std::string>{"D", "U", "V", "W"}));
    // The output is indexed by point order; an undetermined point keeps an empty
    // slot, never coordinates.
    ASSERT_EQ(static_cast<std::size_t>(v.souradnice.Pocet()), v.cisla.size());
    for (std::size_t i = 0; i < v.cisla.size(); ++i) {
        const bool neurcen =
            std::find(neurcene.begin(), neurcene.end(), v.cisla[i]) != neurcene.end();
        EXPECT_EQ(v.souradnice.bod[i].JePlny, !neurcen) << v.cisla[i];
        if (!neurcen) {
            EXPECT_EQ(v.souradnice.bod[i].cislo, v.cisla[i]);
        }
    }
    EXPECT_FALSE(v.Puvod("U")->jeUrcen);
}

TEST(PriblizneSouradnice, NoKnownPointPlacesTheNetworkInTheLocalSystemOfItsFirstStation) {
    const SyntetickaSit sit = Polygon();
    const Vypocet samotne = Spocitat(sit, sit.Mereni(), {}, true, JenKonstrukce());
    EXPECT_FALSE(samotne.ok);
    EXPECT_EQ(samotne.souradnice.PocetPlnychBodu(), 0);
    EXPECT_EQ(samotne.vysledek.neurcene.size(), 5u);

    // A free network: the station of the occupation with the most distances
    // (the first of equals) at the origin, its zero direction along X.
    const Vypocet v = Spocitat(sit, sit.Mereni(), {});
    ASSERT_TRUE(v.ok);
    ASSERT_EQ(v.souradnice.PocetPlnychBodu(), 5);
    EXPECT_NEAR(v.Bod("A")->X, 0, kPresne);
    EXPECT_NEAR(v.Bod("A")->Y, 0, kPresne);
    EXPECT_NEAR(v.Bod("A")->Z, 0, kPresne);
    for (const char* a : {"A", "B", "P1", "P2", "P3"}) {
        for (const char* b : {"B", "P1", "P2", "P3"}) {
            const Tbod pa = sit.Skutecny(a), pb = sit.Skutecny(b);
            EXPECT_NEAR(VodorovnaVzdalenostBodu(*v.Bod(a), *v.Bod(b)),
                        VodorovnaVzdalenostBodu(pa, pb), 1e-6)
                << a << " - " << b;
            EXPECT_NEAR(v.Bod(b)->Z - v.Bod(a)->Z, pb.Z - pa.Z, 1e-6) << a << " - " << b;
        }
    }
    ASSERT_EQ(v.vysledek.lokalniSystemy.size(), 1u);
    const LokalniSystemPriblizne& l = v.vysledek.lokalniSystemy[0];
    EXPECT_TRUE(l.jeUmisten);
    EXPECT_TRUE(l.jeBezZnamych);
    EXPECT_EQ(l.cisloStn, "A");
    EXPECT_EQ(l.poradiStanoviska, 1);
    EXPECT_EQ(l.pocetUrcenych, 5);
    EXPECT_EQ(v.Puvod("P3")->prvni, ZpusobUrceni::LokalniSystem);
    EXPECT_EQ(v.Puvod("P3")->lokalniSystem, 0);

    Tsouradnice s;
    VysledekPriblizne vysledek;
    EXPECT_FALSE(VypocetPriblizneSouradnice(s, sit.Mereni(), {}, vysledek));
    EXPECT_EQ(s.Pocet(), 0);
}

TEST(PriblizneSouradnice, PointNamesAreComparedExactly) {
    // The given list names the second point "b"; the measurements call it "B".
    const SyntetickaSit sit = Polygon();
    Tmereni m = sit.Mereni();
    std::vector<std::string> cisla;
    m.PoradiBoduPriradit(cisla);
    Tsouradnice s = sit.Zadane({"A", "B"});
    s.bod[1].cislo = "b";
    VysledekPriblizne vysledek;
    EXPECT_TRUE(VypocetPriblizneSouradnice(s, m, cisla, vysledek));
    EXPECT_EQ(s.PocetPlnychBodu(), 1);  // A only: nothing orients it
    EXPECT_EQ(vysledek.neurcene.size(), 4u);
}

// ---- untrusted rows ----

TEST(PriblizneSouradnice, BadRowsAreSkippedAndCountedTheRestIsExact) {
    const SyntetickaSit sit = Polygon();
    Tmereni m = sit.Mereni();
    std::vector<std::string> cisla;
    m.PoradiBoduPriradit(cisla);
    for (Tzaznam& z : m.zaznam) {
        // Stale indices and station numbers far apart: names and order decide.
        z.iStn = 999;
        z.iCil = -7;
        if (z.poradi == 1) z.poradi = 2000000000;
    }
    Tzaznam cizi = m.zaznam[1];
    cizi.cislo_cil = "X9";  // not in the point list
    m.PridejZaznam(cizi);
    Tzaznam nan = m.zaznam[1];
    nan.smer = std::numeric_limits<Real>::quiet_NaN();
    m.PridejZaznam(nan);
    Tzaznam sebe = m.zaznam[1];
    sebe.cislo_cil = sebe.cislo_stn;
    m.PridejZaznam(sebe);
    m.PridejPrazdnyZaznam();  // empty rows are simply not measurements

    Tsouradnice s = sit.Zadane({"A", "B"});
    VysledekPriblizne vysledek;
    ASSERT_TRUE(VypocetPriblizneSouradnice(s, m, cisla, vysledek));
    EXPECT_EQ(vysledek.pocetVynechanychZaznamu, 3);
    EXPECT_FALSE(vysledek.jePreruseno);
    Vypocet v;
    v.souradnice = s;
    v.vysledek = vysledek;
    for (const char* cislo : {"P1", "P2", "P3"}) OcekavatPravdu(v, sit, cislo);
    EXPECT_EQ(v.Puvod("P1")->poradiStanoviska, 2000000000);
}

}  // namespace
}  // namespace vertano
