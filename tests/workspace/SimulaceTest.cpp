#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "data/Tchyby.h"
#include "data/Tnastaveni.h"
#include "matice/Konstanty.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/RedukceDelek.h"
#include "workspace/Simulace.h"
#include "workspace/SimulaceBody.h"
#include "workspace/SimulaceMereni.h"
#include "workspace/SimulaceNahoda.h"

namespace vertano {
namespace {

constexpr Real kMgon = kPi / 200000;

SimulovanaSit Sit(const SimulaceParametry& p) {
    SimulovanaSit sit;
    std::string chyba;
    EXPECT_TRUE(Simulovat(p, sit, chyba)) << chyba;
    return sit;
}

SimulaceParametry BezSumu(SimulaceParametry p = {}) {
    p.sigmaSmer = p.sigmaZenit = p.sigmaDelka = p.ppm = 0;
    return p;
}

const Tbod& Bod(const SimulovanaSit& sit, const std::string& cislo) {
    for (const Tbod& b : sit.skutecne.bod)
        if (b.cislo == cislo) return b;
    ADD_FAILURE() << "no point " << cislo;
    return sit.skutecne.bod.front();
}

Real Smernik(const Tbod& a, const Tbod& b) {
    return std::atan2(b.Y - a.Y, b.X - a.X);
}

// Slope distance and zenith angle between two points at heights h1, h2 above the
// sphere whose verticals are `uhel` apart, by the law of cosines (in the form
// that does not subtract the squares of two earth radii).
std::pair<Real, Real> NaKouli(Real h1, Real h2, Real uhel) {
    const Real r1 = simulace::PolomerZeme() + h1;
    const Real r2 = simulace::PolomerZeme() + h2;
    const Real sinus = std::sin(uhel / 2);
    const Real s = std::sqrt((h2 - h1) * (h2 - h1) + 4 * r1 * r2 * sinus * sinus);
    return {s, std::acos(((h2 - h1) - 2 * r2 * sinus * sinus) / s)};
}

// Difference of two angles brought into [-pi, pi).
Real RozdilUhlu(Real a, Real b) {
    Real d = std::fmod(a - b + 3 * kPi, kDvePi);
    if (d < 0) d += kDvePi;
    return d - kPi;
}

TEST(SimulaceNahoda, FollowsThePublishedAlgorithms) {
    // splitmix64 from state 0 starts with this value in its reference code; the
    // xoshiro256** values below were computed independently from its definition.
    uint64_t stav = 0;
    EXPECT_EQ(SplitMix64(stav), 0xe220a8397b1dcdafULL);
    SimulaceNahoda n(1);
    EXPECT_EQ(n.Bity(), 0xb3f2af6d0fc710c5ULL);
    EXPECT_EQ(n.Bity(), 0x853b559647364ceaULL);
    EXPECT_EQ(n.Bity(), 0x92f89756082a4514ULL);
}

TEST(SimulaceNahoda, DistributionsHaveTheirRangeMeanAndSpread) {
    SimulaceNahoda n(42);
    constexpr int kPocet = 40000;
    double soucet = 0;
    double ctverce = 0;
    std::array<int, 7> cetnost{};
    for (int i = 0; i < kPocet; ++i) {
        const double u = n.Rovnomerne();
        ASSERT_TRUE(u >= 0 && u < 1);
        const uint64_t k = n.Index(7);
        ASSERT_LT(k, 7u);
        ++cetnost[k];
        const double z = n.Normalni();
        soucet += z;
        ctverce += z * z;
    }
    EXPECT_NEAR(soucet / kPocet, 0, 0.02);
    EXPECT_NEAR(std::sqrt(ctverce / kPocet), 1, 0.02);
    for (const int c : cetnost) EXPECT_NEAR(c, kPocet / 7, kPocet / 70);
    EXPECT_EQ(n.Index(0), 0u);
    EXPECT_EQ(n.Index(1), 0u);
}

TEST(SimulaceBody, NeighbourSearchAgreesWithComparingEveryPair) {
    // A regular grid is full of equal distances; two points share X and Y.
    Tsouradnice body;
    SimulaceNahoda n(9);
    for (int i = 0; i < 60; ++i) {
        Tbod b = Tbod::Prazdny();
        b.X = i < 36 ? (i / 6) * 10 : static_cast<Real>(n.Rovnomerne(0, 50));
        b.Y = i < 36 ? (i % 6) * 10 : static_cast<Real>(n.Rovnomerne(0, 50));
        b.JePlny = true;
        body.PridejBod(b);
    }
    body.bod[59].X = body.bod[7].X;
    body.bod[59].Y = body.bod[7].Y;
    const simulace::HledaniSousedu hledani(body);
    for (int32_t i = 0; i < body.Pocet(); ++i) {
        std::vector<std::pair<Real, int32_t>> vse;
        for (int32_t j = 0; j < body.Pocet(); ++j) {
            const Real dx = body.bod[j].X - body.bod[i].X;
            const Real dy = body.bod[j].Y - body.bod[i].Y;
            if (j != i && dx * dx + dy * dy >= 0.25) vse.emplace_back(dx * dx + dy * dy, j);
        }
        std::sort(vse.begin(), vse.end());
        for (const int32_t k : {0, 1, 8, 59}) {
            std::vector<int32_t> ocekavano;
            for (size_t m = 0; m < vse.size() && m < static_cast<size_t>(k); ++m)
                ocekavano.push_back(vse[m].second);
            EXPECT_EQ(hledani.Nejblizsi(i, k, 0.5), ocekavano) << "point " << i << " k " << k;
        }
    }
}

TEST(Simulace, SameSeedSameNetworkOtherSeedOther) {
    SimulaceParametry p;
    p.doplnky = true;
    p.pocetHrubych = 2;
    const SimulovanaSit a = Sit(p);
    const SimulovanaSit b = Sit(p);
    ASSERT_EQ(a.mereni.zaznam.size(), b.mereni.zaznam.size());
    for (size_t i = 0; i < a.mereni.zaznam.size(); ++i) {
        EXPECT_EQ(a.mereni.zaznam[i].smer, b.mereni.zaznam[i].smer);
        EXPECT_EQ(a.mereni.zaznam[i].delka, b.mereni.zaznam[i].delka);
    }
    EXPECT_EQ(a.hrubeChyby.size(), 2u);
    EXPECT_EQ(a.hrubeChyby[0].velikost, b.hrubeChyby[0].velikost);
    p.seed = 2;
    const SimulovanaSit c = Sit(p);
    EXPECT_NE(a.skutecne.bod[0].X, c.skutecne.bod[0].X);
}

TEST(Simulace, LayoutsHaveTheirPointsWellApart) {
    for (const SimulaceTvar tvar :
         {SimulaceTvar::Grid, SimulaceTvar::Traverse, SimulaceTvar::Tiny}) {
        SimulaceParametry p;
        p.tvar = tvar;
        p.rozestup = 50;
        const SimulovanaSit sit = Sit(p);
        const int32_t ocekavano = tvar == SimulaceTvar::Grid   ? 12
                                  : tvar == SimulaceTvar::Tiny ? 5
                                                               : 10;
        ASSERT_EQ(sit.skutecne.Pocet(), ocekavano);
        std::set<std::string> cisla;
        Real minZ = 1e9, maxZ = -1e9;
        for (const Tbod& a : sit.skutecne.bod) {
            EXPECT_TRUE(cisla.insert(a.cislo).second) << a.cislo;
            EXPECT_TRUE(a.JePlny);
            EXPECT_FALSE(a.JeFixni);
            // Rounded to 0.1 mm, so that the truth file holds the truth.
            EXPECT_NEAR(a.X * 10000, std::round(a.X * 10000), 1e-6);
            minZ = std::min(minZ, Real(a.Z));
            maxZ = std::max(maxZ, Real(a.Z));
            for (const Tbod& b : sit.skutecne.bod) {
                if (&a == &b) continue;
                EXPECT_GT(std::hypot(a.X - b.X, a.Y - b.Y), 0.3 * 50);
            }
        }
        EXPECT_GT(maxZ - minZ, 0.5) << "heights vary";
    }
}

TEST(Simulace, SupplementaryLayoutGetsOnePointStraightBelowAnother) {
    SimulaceParametry p;
    p.doplnky = true;
    const SimulovanaSit sit = Sit(p);
    ASSERT_EQ(sit.skutecne.Pocet(), 13);
    ASSERT_EQ(sit.doplnek.provazeni.zaznam.size(), 1u);
    const Tzaznam& tie = sit.doplnek.provazeni.zaznam[0];
    const Tbod& horni = Bod(sit, tie.cislo_stn);
    const Tbod& dolni = Bod(sit, tie.cislo_cil);
    EXPECT_EQ(horni.X, dolni.X);
    EXPECT_EQ(horni.Y, dolni.Y);
    EXPECT_NEAR(horni.Z - dolni.Z, 12, 1e-9);
    // Neither sights the other: a vertical sight is not a total-station reading.
    for (const Tzaznam& z : sit.mereni.zaznam) {
        const bool par = (z.cislo_stn == horni.cislo && z.cislo_cil == dolni.cislo) ||
                         (z.cislo_stn == dolni.cislo && z.cislo_cil == horni.cislo);
        EXPECT_FALSE(par);
    }
    // The lower point is not given: it hangs on the plumbing tie.
    for (const Tbod& b : sit.zadane.bod) EXPECT_NE(b.cislo, dolni.cislo);
}

TEST(Simulace, StationsObserveTheirNeighboursInSetsOfTheStandardOrder) {
    SimulaceParametry p = BezSumu();
    p.pocetSkupin = 3;
    const SimulovanaSit sit = Sit(p);
    EXPECT_EQ(sit.mereni.PosledniPoradi(), 12);
    EXPECT_EQ(sit.mereni.PocetPlnychZaznamu(), 12 * 8 * 2 * 3);
    // Station 1, set 1: face I clockwise, face II the same targets back.
    const auto& z = sit.mereni.zaznam;
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(z[i].poloha);
        EXPECT_FALSE(z[8 + i].poloha);
        EXPECT_EQ(z[i].cislo_cil, z[15 - i].cislo_cil);
        if (i > 0) {
            EXPECT_GT(z[i].smer, z[i - 1].smer);
        }
        EXPECT_GE(z[i].vyska_stn, 1.3L);
        EXPECT_LE(z[i].vyska_cil, 1.7L);
    }
    Tmereni kopie = sit.mereni;
    for (Tzaznam& r : kopie.zaznam) r.skupina = 0;
    IdentifikujSkupiny(kopie);
    EXPECT_EQ(kopie.PocetZarazenychZaznamuDoSkupin(), kopie.PocetPlnychZaznamu());
    EXPECT_EQ(kopie.NejvetsiSkupina(), 3);
}

TEST(Simulace, FewerStationsAndNeighboursWhenAsked) {
    SimulaceParametry p;
    p.tvar = SimulaceTvar::Traverse;
    p.pocetBodu = 20;
    p.pocetStanovisek = 7;
    p.pocetSousedu = 2;
    p.pocetSkupin = 1;
    const SimulovanaSit sit = Sit(p);
    EXPECT_EQ(sit.mereni.PosledniPoradi(), 7);
    EXPECT_EQ(sit.mereni.PocetPlnychZaznamu(), 7 * 2 * 2);
    SimulaceParametry maly;
    maly.tvar = SimulaceTvar::Tiny;
    EXPECT_EQ(UplneParametry(maly).pocetSousedu, 4);
}

TEST(Simulace, ExactReadingsReproduceTheTrueGeometry) {
    const SimulovanaSit sit = Sit(BezSumu());
    const auto& z = sit.mereni.zaznam;
    for (size_t i = 0; i < z.size(); ++i) {
        const Tbod& s = Bod(sit, z[i].cislo_stn);
        const Tbod& c = Bod(sit, z[i].cislo_cil);
        const Real h = std::hypot(c.X - s.X, c.Y - s.Y);
        const auto [delka, zenit] =
            NaKouli(s.Z + z[i].vyska_stn, c.Z + z[i].vyska_cil, h / simulace::PolomerZeme());
        EXPECT_NEAR(z[i].delka, delka, 1e-9);
        EXPECT_NEAR(z[i].zenit, z[i].poloha ? zenit : kDvePi - zenit, 1e-11);
        // The circle reading differs from the bearing by the same orientation for
        // every target of the station (plus 200 gon in face II).
        const Real orientace = Smernik(s, c) - z[i].smer + (z[i].poloha ? 0 : kPi);
        const Tzaznam& prvni = z[static_cast<size_t>(
            std::find_if(z.begin(), z.end(),
                         [&](const Tzaznam& r) { return r.poradi == z[i].poradi; }) -
            z.begin())];
        const Real orientace0 = Smernik(s, Bod(sit, prvni.cislo_cil)) - prvni.smer;
        EXPECT_NEAR(RozdilUhlu(orientace, orientace0), 0, 1e-12);
    }
}

TEST(Simulace, NoiseHasTheSizeAskedFor) {
    SimulaceParametry p;
    p.pocetBodu = 100;
    p.sigmaSmer = MgonNaRad(0.5);
    p.sigmaZenit = MgonNaRad(0.2);
    p.sigmaDelka = MmNaM(2);
    p.ppm = 2;
    const SimulovanaSit sum = Sit(p);
    // The same seed without noise draws the same numbers for everything else.
    const SimulovanaSit presne = Sit(BezSumu(p));
    ASSERT_EQ(sum.mereni.zaznam.size(), presne.mereni.zaznam.size());
    double smer = 0, zenit = 0, delka = 0;
    const size_t n = sum.mereni.zaznam.size();
    for (size_t i = 0; i < n; ++i) {
        const Tzaznam& a = sum.mereni.zaznam[i];
        const Tzaznam& b = presne.mereni.zaznam[i];
        smer += std::pow(static_cast<double>(RozdilUhlu(a.smer, b.smer) / kMgon), 2);
        zenit += std::pow(static_cast<double>((a.zenit - b.zenit) / kMgon), 2);
        const Real sigma = 2 + 2e-3L * b.delka;  // mm
        delka += std::pow(static_cast<double>((a.delka - b.delka) * 1000 / sigma), 2);
    }
    EXPECT_NEAR(std::sqrt(smer / n), 0.5, 0.025);
    EXPECT_NEAR(std::sqrt(zenit / n), 0.2, 0.01);
    EXPECT_NEAR(std::sqrt(delka / n), 1, 0.05);
}

TEST(Simulace, CleanNetworkPassesEveryCheck) {
    SimulovanaSit sit = Sit(SimulaceParametry{});
    Tnastaveni n;
    n.Default();
    Tchyby chyby;
    chyby.Default();
    KontrolaVsehoMereni(sit.mereni, n, chyby);
    EXPECT_EQ(chyby.suroveMereniCekovyPocetChyb, 0);
}

TEST(Simulace, GrossErrorsSitInTheRowsTheyName) {
    SimulaceParametry p;
    p.pocetHrubych = 6;
    const SimulovanaSit spatna = Sit(p);
    p.pocetHrubych = 0;
    const SimulovanaSit dobra = Sit(p);
    ASSERT_EQ(spatna.hrubeChyby.size(), 6u);
    std::set<size_t> radky;
    for (const HrubaChyba& c : spatna.hrubeChyby) {
        const auto& z = spatna.mereni.zaznam;
        const auto it = std::find_if(z.begin(), z.end(), [&](const Tzaznam& r) {
            return r.poradi == c.poradi && r.cislo_cil == c.cil && r.skupina == c.skupina &&
                   r.poloha == c.poloha;
        });
        ASSERT_NE(it, z.end());
        const auto i = static_cast<size_t>(it - z.begin());
        radky.insert(i);
        const Tzaznam& a = z[i];
        const Tzaznam& b = dobra.mereni.zaznam[i];
        EXPECT_EQ(c.stanovisko, a.cislo_stn);
        switch (c.velicina) {
            case HrubaVelicina::Smer:
                EXPECT_NEAR(RozdilUhlu(a.smer, b.smer), c.velikost, 1e-12);
                EXPECT_NEAR(std::fabs(c.velikost), 50 * kMgon, 1e-15);
                break;
            case HrubaVelicina::Zenit:
                EXPECT_NEAR(a.zenit - b.zenit, c.velikost, 1e-12);
                EXPECT_NEAR(std::fabs(c.velikost), 50 * kMgon, 1e-15);
                break;
            case HrubaVelicina::Delka:
                EXPECT_NEAR(a.delka - b.delka, c.velikost, 1e-12);
                EXPECT_NEAR(std::fabs(c.velikost), 0.05, 1e-15);
                break;
        }
    }
    // Every other row is as the error-free network has it.
    for (size_t i = 0; i < dobra.mereni.zaznam.size(); ++i) {
        if (radky.count(i) > 0) continue;
        EXPECT_EQ(spatna.mereni.zaznam[i].smer, dobra.mereni.zaznam[i].smer);
        EXPECT_EQ(spatna.mereni.zaznam[i].zenit, dobra.mereni.zaznam[i].zenit);
        EXPECT_EQ(spatna.mereni.zaznam[i].delka, dobra.mereni.zaznam[i].delka);
    }
}

TEST(Simulace, GivenPointsAreExactFixedAndSpread) {
    SimulaceParametry p;
    p.pocetBodu = 25;
    p.pocetZadanych = 4;
    const SimulovanaSit sit = Sit(p);
    ASSERT_EQ(sit.zadane.Pocet(), 4);
    Real nejmene = 1e9;
    for (const Tbod& g : sit.zadane.bod) {
        EXPECT_TRUE(g.JeFixni);
        const Tbod& t = Bod(sit, g.cislo);
        EXPECT_EQ(g.X, t.X);
        EXPECT_EQ(g.Z, t.Z);
        for (const Tbod& h : sit.zadane.bod)
            if (&g != &h) nejmene = std::min(nejmene, std::hypot(g.X - h.X, g.Y - h.Y));
    }
    // A 5 x 5 grid of 100 m: four well-spread points are its corners, about 400 m apart.
    EXPECT_GT(nejmene, 250);
    p.pocetZadanych = 0;
    EXPECT_EQ(Sit(p).zadane.Pocet(), 0);
}

// The readings are what the program's reduction to the marks, the zero level
// and the projection (default settings) turns back into the true geometry: the
// distance and zenith angle of the adjustment model between the true points.
TEST(Simulace, ReducedExactReadingsGiveTheTrueGeometry) {
    SimulaceParametry p = BezSumu();
    p.rozestup = 400;  // long sights: curvature and level matter more
    const SimulovanaSit sit = Sit(p);
    Tnastaveni n;
    n.Default();
    for (Tzaznam z : sit.mereni.zaznam) {
        if (!z.poloha) continue;
        Tbod s = Bod(sit, z.cislo_stn);
        Tbod c = Bod(sit, z.cislo_cil);
        s.zkresleni = c.zkresleni = 1;
        ASSERT_TRUE(RedukovatZaznam(z, s, c, 0, n.redukceMereni.polomerRefPlochy));
        const Real m = z.zkresleniDelky;
        const Real dz = c.Z - s.Z;
        const Real d = std::sqrt(std::pow(c.X - s.X, 2) + std::pow(c.Y - s.Y, 2) + m * m * dz * dz);
        // Within the third-order difference of arc and chord, d^3 / 24 R^2: 2 um at
        // 1.2 km, where the zero level or the curvature would make millimetres.
        EXPECT_NEAR(z.delka, d, 1e-5) << z.cislo_stn << " " << z.cislo_cil;
        EXPECT_NEAR(z.zenit, std::acos(m * dz / d), 1e-3 * kMgon);
    }
}

TEST(Simulace, ExactSupplementaryMeasurementsAgreeWithTheTruth) {
    SimulaceParametry p = BezSumu();
    p.doplnky = true;
    p.pocetBodu = 16;
    const SimulovanaSit sit = Sit(p);
    const TdoplnkoveMereni& d = sit.doplnek;
    EXPECT_EQ(d.delka.zaznam.size(), 4u);
    EXPECT_EQ(d.smernik.zaznam.size(), 4u);
    EXPECT_EQ(d.prevyseni.zaznam.size(), 4u);
    for (const Tzaznam& r : d.delka.zaznam) {
        const Tbod& a = Bod(sit, r.cislo_stn);
        const Tbod& b = Bod(sit, r.cislo_cil);
        const Real h = std::hypot(b.X - a.X, b.Y - a.Y);
        EXPECT_NEAR(
            r.delka,
            NaKouli(a.Z + r.vyska_stn, b.Z + r.vyska_cil, h / simulace::PolomerZeme()).first, 1e-9);
    }
    for (const Tzaznam& r : d.smernik.zaznam) {
        EXPECT_NEAR(RozdilUhlu(r.delka, Smernik(Bod(sit, r.cislo_stn), Bod(sit, r.cislo_cil))), 0,
                    1e-15);
        EXPECT_TRUE(r.delka >= 0 && r.delka < kDvePi);
    }
    for (const Tzaznam& r : d.prevyseni.zaznam)
        EXPECT_NEAR(r.delka, Bod(sit, r.cislo_cil).Z - Bod(sit, r.cislo_stn).Z, 1e-12);
    int32_t poradi = 0;
    for (const Tzaznam& r : d.prevyseni.zaznam) EXPECT_EQ(r.poradi, ++poradi);
}

TEST(Simulace, ParametersOutOfRangeAreRefusedAndLeaveNothing) {
    auto odmitnuto = [](SimulaceParametry p, const std::string& slovo) {
        SimulovanaSit sit = Sit(SimulaceParametry{});
        std::string chyba;
        EXPECT_FALSE(Simulovat(p, sit, chyba));
        EXPECT_NE(chyba.find(slovo), std::string::npos) << chyba;
        EXPECT_EQ(sit.mereni.zaznam.size(), 0u);
        EXPECT_EQ(sit.skutecne.Pocet(), 0);
    };
    SimulaceParametry p;
    p.pocetBodu = 2;
    odmitnuto(p, "points");
    p.pocetBodu = 100001;
    odmitnuto(p, "100000");
    p.pocetBodu = 100000;  // the largest network is accepted
    std::string chyba;
    EXPECT_TRUE(OveritParametry(p, chyba)) << chyba;
    p = {};
    p.tvar = SimulaceTvar::Tiny;
    p.pocetBodu = 6;
    odmitnuto(p, "5 points");
    p = {};
    p.pocetSousedu = 12;  // 11 other points
    odmitnuto(p, "neighbours");
    p = {};
    p.pocetSousedu = 1;
    odmitnuto(p, "neighbours");
    p = {};
    p.pocetSkupin = 0;
    odmitnuto(p, "sets");
    p = {};
    p.pocetZadanych = 13;
    odmitnuto(p, "given");
    p = {};
    p.rozestup = 0.5;
    odmitnuto(p, "spacing");
    p = {};
    p.sigmaSmer = -1e-6L;
    odmitnuto(p, "angles");
    p = {};
    p.sigmaDelka = std::nanl("");
    odmitnuto(p, "distances");
    p = {};
    p.pocetHrubych = 1;
    p.hrubaUhel = p.hrubaDelka = 0;
    odmitnuto(p, "size");
    p = {};
    p.pocetHrubych = 12 * 8 * 4 * 3 + 1;
    odmitnuto(p, "more gross errors");
    p = {};
    p.pocetStanovisek = 13;
    odmitnuto(p, "stations");
}

}  // namespace
}  // namespace vertano
