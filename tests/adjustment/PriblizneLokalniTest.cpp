#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "adjustment/LokalniUmisteni.h"
#include "adjustment/PriblizneSouradnice.h"
#include "support/SyntetickaSit.h"

namespace vertano {
namespace {

using test::SyntetickaSit;

Tbod Bod(Real x, Real y, Real z) {
    Tbod b = Tbod::Prazdny();
    b.X = x;
    b.Y = y;
    b.Z = z;
    b.JePlny = true;
    return b;
}

// Points of a local system and the same points turned by `uhel`, moved, and
// raised by 12.5 m.
struct Dvojice {
    std::vector<Tbod> lokalni, zname;
};

Dvojice Otocene(const std::vector<Tbod>& lokalni, Real uhel) {
    Dvojice d{lokalni, {}};
    for (const Tbod& l : lokalni) {
        d.zname.push_back(Bod(std::cos(uhel) * l.X - std::sin(uhel) * l.Y + 5000,
                              std::sin(uhel) * l.X + std::cos(uhel) * l.Y - 1200, l.Z + 12.5L));
    }
    return d;
}

TEST(LokalniUmisteni, FitsRotationTranslationAndHeightAndReportsTheScale) {
    Dvojice d = Otocene({Bod(0, 0, 0), Bod(300, 40, 2), Bod(120, 250, -3), Bod(-80, 90, 1)}, 2.5L);
    LokalniUmisteni u;
    ASSERT_TRUE(UmistitLokalniSystem(d.lokalni, d.zname, u));
    EXPECT_NEAR(u.natoceni, 2.5L, 1e-12L);
    EXPECT_NEAR(u.posunZ, 12.5L, 1e-12L);
    EXPECT_NEAR(u.meritko, 1, 1e-12L);
    for (std::size_t i = 0; i < d.lokalni.size(); ++i) {
        const Tbod t = Transformovat(u, d.lokalni[i]);
        EXPECT_NEAR(t.X, d.zname[i].X, 1e-9L);
        EXPECT_NEAR(t.Y, d.zname[i].Y, 1e-9L);
        EXPECT_NEAR(t.Z, d.zname[i].Z, 1e-9L);
        EXPECT_FALSE(u.vyloucen[i]);
    }
    // Distances 1e-4 too long locally: the fit keeps scale 1 and says so.
    for (Tbod& l : d.lokalni) {
        l.X *= 1.0001L;
        l.Y *= 1.0001L;
    }
    ASSERT_TRUE(UmistitLokalniSystem(d.lokalni, d.zname, u));
    EXPECT_NEAR(u.meritko, 1 / 1.0001L, 1e-9L);
}

TEST(LokalniUmisteni, AWrongKnownPointIsLeftOutAndCannotTurnTheSystem) {
    Dvojice d = Otocene({Bod(0, 0, 0), Bod(500, 0, 0), Bod(0, 500, 0), Bod(500, 500, 0)}, 0.7L);
    d.zname[2].X += 1.5L;  // a typing error in a given point
    d.zname[2].Z -= 4;
    LokalniUmisteni u;
    ASSERT_TRUE(UmistitLokalniSystem(d.lokalni, d.zname, u));
    EXPECT_EQ(u.vyloucen, (std::vector<bool>{false, false, true, false}));
    EXPECT_NEAR(u.natoceni, 0.7L, 1e-12L);
    EXPECT_NEAR(u.posunZ, 12.5L, 1e-12L);
    const Tbod t = Transformovat(u, d.lokalni[2]);
    EXPECT_NEAR(d.zname[2].X - t.X, 1.5L, 1e-9L);
}

TEST(LokalniUmisteni, NeedsTwoPointsApartInPlan) {
    LokalniUmisteni u;
    EXPECT_FALSE(UmistitLokalniSystem({Bod(0, 0, 0)}, {Bod(10, 10, 0)}, u));
    EXPECT_FALSE(UmistitLokalniSystem({}, {}, u));
    // Two points one above the other give no rotation.
    EXPECT_FALSE(UmistitLokalniSystem({Bod(5, 5, 0), Bod(5, 5, 30)},
                                      {Bod(100, 100, 0), Bod(100, 100, 30)}, u));
    EXPECT_FALSE(UmistitLokalniSystem({Bod(0, 0, 0), Bod(1, 0, 0)}, {Bod(0, 0, 0)}, u));
}

// Two given points A and B that see nothing but their own neighbours, a
// traverse of new points between them: nothing is oriented, so the classical
// constructions find nothing, and a local system started at the occupation with
// the most distances carries all of it.
SyntetickaSit Retez() {
    SyntetickaSit sit;
    sit.Bod("A", 1000, 1000, 200);
    sit.Bod("P1", 1120, 1060, 203);
    sit.Bod("P2", 1250, 1010, 199);
    sit.Bod("P3", 1380, 1090, 205);
    sit.Bod("B", 1500, 1020, 210);
    sit.Bod("Q", 1260, 1180, 201);
    sit.Stanovisko("A", 0.4L);
    sit.Cil("P1");
    sit.Stanovisko("P1", 1.3L);
    sit.Cil("A");
    sit.Cil("P2");
    sit.Cil("Q");
    sit.Stanovisko("P2", 2.2L);
    sit.Cil("P1");
    sit.Cil("P3");
    sit.Cil("Q");
    sit.Stanovisko("P3", 5.0L);
    sit.Cil("P2");
    sit.Cil("B");
    return sit;
}

TEST(PriblizneLokalni, AChainBetweenTwoGivenPointsIsCarriedByALocalSystem) {
    const SyntetickaSit sit = Retez();
    Tmereni m = sit.Mereni(2);
    std::vector<std::string> cisla;
    m.PoradiBoduPriradit(cisla);
    Tsouradnice s = sit.Zadane({"A", "B"});
    VysledekPriblizne v;
    ASSERT_TRUE(VypocetPriblizneSouradnice(s, m, cisla, v));
    EXPECT_TRUE(v.neurcene.empty());
    for (const Tbod& b : s.bod) {
        const Tbod t = sit.Skutecny(b.cislo);
        EXPECT_NEAR(b.X, t.X, 1e-6L) << b.cislo;
        EXPECT_NEAR(b.Y, t.Y, 1e-6L) << b.cislo;
        EXPECT_NEAR(b.Z, t.Z, 1e-6L) << b.cislo;
    }
    ASSERT_EQ(v.lokalniSystemy.size(), 1u);
    const LokalniSystemPriblizne& l = v.lokalniSystemy[0];
    // P1 and P2 measured three targets with distances; P1 comes first.
    EXPECT_EQ(l.cisloStn, "P1");
    EXPECT_EQ(l.poradiStanoviska, 2);
    EXPECT_EQ(l.pocetCilu, 3);
    EXPECT_EQ(l.pocetBodu, 6);
    EXPECT_EQ(l.pocetUrcenych, 4);
    ASSERT_EQ(l.spolecne.size(), 2u);
    EXPECT_EQ(l.spolecne[0].cislo, "A");
    EXPECT_NEAR(l.spolecne[1].vX, 0, 1e-6L);
    EXPECT_NEAR(l.meritko, 1, 1e-9L);
    for (const PuvodBodu& p : v.body) {
        if (p.jeZadany) continue;
        EXPECT_EQ(p.prvni, ZpusobUrceni::LokalniSystem) << p.cislo;
        EXPECT_EQ(p.lokalniSystem, 0) << p.cislo;
    }
}

TEST(PriblizneLokalni, AChainWithOneGivenPointStaysUndeterminedWithItsReason) {
    const SyntetickaSit sit = Retez();
    Tmereni m = sit.Mereni();
    std::vector<std::string> cisla;
    m.PoradiBoduPriradit(cisla);
    Tsouradnice s = sit.Zadane({"A"});
    VysledekPriblizne v;
    EXPECT_TRUE(VypocetPriblizneSouradnice(s, m, cisla, v));
    EXPECT_EQ(s.PocetPlnychBodu(), 1);
    ASSERT_EQ(v.neurcene.size(), 5u);
    for (const DuvodNeurceni d : v.duvodyNeurcenych) EXPECT_EQ(d, DuvodNeurceni::JedenSpolecny);
    ASSERT_EQ(v.lokalniSystemy.size(), 1u);
    EXPECT_FALSE(v.lokalniSystemy[0].jeUmisten);
    EXPECT_EQ(v.lokalniSystemy[0].duvod, DuvodNeurceni::JedenSpolecny);
    ASSERT_EQ(v.lokalniSystemy[0].spolecne.size(), 1u);
    EXPECT_EQ(v.lokalniSystemy[0].spolecne[0].cislo, "A");
}

}  // namespace
}  // namespace vertano
