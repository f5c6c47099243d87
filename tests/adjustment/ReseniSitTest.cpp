// Adjustment of networks of known answer: fixed and free datum, with and
// without scale, with supplementary observations, exact and noisy.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ModelSitPomocne.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

using test::CtyruhelnikovaSit;
using test::Iterovat;
using test::ModelSit;

void OcekavatSkutecne(const TmodelSite& model, const ModelSit& s, Real tolerance) {
    const int32_t bodu = model.Vysledek().PocetSouradnicUrcovanych() / 3;
    ASSERT_GT(bodu, 0);
    for (int32_t i = 0; i < bodu; ++i) {
        const Tbod& b = model.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
        const Tbod t = s.sit.Skutecny(b.cislo);
        EXPECT_NEAR(static_cast<double>(b.X - t.X), 0, static_cast<double>(tolerance)) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Y - t.Y), 0, static_cast<double>(tolerance)) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Z - t.Z), 0, static_cast<double>(tolerance)) << b.cislo;
    }
}

void OcekavatTvar(const TmodelSite& model, const ModelSit& s, Real tolerance) {
    const int32_t bodu = model.Vysledek().PocetSouradnicUrcovanych() / 3;
    for (int32_t i = 0; i < bodu; ++i) {
        for (int32_t j = i + 1; j < bodu; ++j) {
            const Tbod& a = model.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
            const Tbod& b = model.Vysledek().Souradnice().bod[static_cast<std::size_t>(j)];
            const Real skutecna =
                test::Vzdalenost(s.sit.Skutecny(a.cislo), s.sit.Skutecny(b.cislo));
            EXPECT_NEAR(static_cast<double>(test::Vzdalenost(a, b) - skutecna), 0,
                        static_cast<double>(tolerance))
                << a.cislo << "-" << b.cislo;
        }
    }
}

Real NejvetsiOprava(const TmodelSite& model) {
    Real m = 0;
    for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
        m = std::max(m, std::fabs(model.Vysledek().Opravy()[static_cast<std::size_t>(i)]));
    }
    return m;
}

// The adjusted orientation of occupation k is 0 - dx of its unknown.
Real Orientace(const TmodelSite& model, int32_t k) {
    Real o = -Stav(model).vektorPrirustku[static_cast<std::size_t>(
        model.Vysledek().PocetSouradnicUrcovanych() + k)];
    o = std::fmod(o, kDvePi);
    return o < 0 ? o + kDvePi : o;
}

Real VPV(const TmodelSite& model) {
    Real s = 0;
    for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
        const auto I = static_cast<std::size_t>(i);
        s += model.Vysledek().Opravy()[I] * model.Vysledek().VahyApriori()[I] *
             model.Vysledek().Opravy()[I];
    }
    return s;
}

TEST(ReseniSit, FixedNetworkReturnsTrueCoordinatesAndOrientations) {
    const ModelSit s = CtyruhelnikovaSit(2);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(2), 0.3L)) << model.Vysledek().Chyba();
    ASSERT_TRUE(Iterovat(model)) << model.Vysledek().Chyba();
    EXPECT_LT(model.Vysledek().PocetIteraci(), 10);
    OcekavatSkutecne(model, s, 1e-7L);
    EXPECT_LT(NejvetsiOprava(model), 1e-10L);
    ASSERT_EQ(model.Vysledek().PocetPosunu(), 6);
    for (int32_t k = 0; k < 6; ++k) {
        const Real ocekavana = std::fmod(0.3L + 1.1L * static_cast<Real>(k), kDvePi);
        EXPECT_NEAR(static_cast<double>(Orientace(model, k)), static_cast<double>(ocekavana), 1e-12)
            << k;
    }
    // The working weights are the a-priori ones before and after.
    for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
        EXPECT_EQ(Stav(model).vektorUloziste[static_cast<std::size_t>(i)],
                  model.Vysledek().VahyApriori()[static_cast<std::size_t>(i)]);
    }
}

TEST(ReseniSit, SupplementaryObservationsOfEveryKind) {
    // Free network without terrestrial distances: the supplementary distances
    // give the scale, the bearing the orientation, the height differences and
    // the plumbing tie fix G.
    ModelSit s = CtyruhelnikovaSit(1, false);
    s.Bod("G", 1180, 1390, 140, false);
    s.Doplnek(DruhDoplnku::Delka, "A", "C");
    s.Doplnek(DruhDoplnku::Delka, "E", "D");
    s.Doplnek(DruhDoplnku::Smernik, "C", "D");
    s.Doplnek(DruhDoplnku::Smernik, "A", "E");
    s.Doplnek(DruhDoplnku::Prevyseni, "D", "E");
    s.Doplnek(DruhDoplnku::Prevyseni, "C", "G");
    s.Doplnek(DruhDoplnku::Provazeni, "C", "G");
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, 0.2L)) << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().TypFixace(), Fixace::BodSmernikDelky);
    EXPECT_TRUE(model.Vysledek().JeFix());
    ASSERT_TRUE(Iterovat(model)) << model.Vysledek().Chyba();
    OcekavatSkutecne(model, s, 1e-7L);
    EXPECT_LT(NejvetsiOprava(model), 1e-10L);
}

TEST(ReseniSit, FreeNetworksKeepTheShapeAndTheirDatum) {
    struct Pripad {
        bool delky;
        bool smernik;
    };
    for (const Pripad p :
         {Pripad{true, false}, Pripad{true, true}, Pripad{false, false}, Pripad{false, true}}) {
        ModelSit s = CtyruhelnikovaSit(0, p.delky);
        if (p.smernik) s.Doplnek(DruhDoplnku::Smernik, "C", "D");
        Tmereni mereni = s.Mereni(2);
        test::Zasumit(mereni, 11);
        TmodelSite volna;
        ASSERT_TRUE(s.Nacist(volna, mereni, 0.1L)) << volna.Vysledek().Chyba();
        const Tsouradnice priblizne = volna.Vysledek().Souradnice();
        ASSERT_TRUE(Iterovat(volna)) << volna.Vysledek().Chyba();
        // The same observations with one fixed point, again a minimal datum: the
        // free network may differ only by its placement (and scale when none was
        // measured).
        ModelSit sFix = CtyruhelnikovaSit(1, p.delky);
        if (p.smernik) sFix.Doplnek(DruhDoplnku::Smernik, "C", "D");
        TmodelSite pevna;
        ASSERT_TRUE(sFix.Nacist(pevna, mereni, 0.1L)) << pevna.Vysledek().Chyba();
        ASSERT_TRUE(Iterovat(pevna)) << pevna.Vysledek().Chyba();
        const auto d = [](const TmodelSite& m, const char* a, const char* b) {
            return test::Vzdalenost(m.Vysledek().Souradnice().BodSCislem(a),
                                    m.Vysledek().Souradnice().BodSCislem(b));
        };
        const Real meritko = p.delky ? 1 : d(volna, "A", "B") / d(pevna, "A", "B");
        for (const char* a : {"A", "B", "C", "D", "E", "F"}) {
            for (const char* b : {"A", "B", "C", "D", "E", "F"}) {
                if (std::string(a) == b) continue;
                EXPECT_NEAR(static_cast<double>(d(volna, a, b) / meritko - d(pevna, a, b)), 0, 1e-7)
                    << a << b;
            }
        }
        // Datum: no translation of the centroid; the conditions of the last
        // step hold.
        for (int osa = 0; osa < 3; ++osa) {
            Real pred = 0;
            Real po = 0;
            for (int32_t i = 0; i < 6; ++i) {
                const Tbod& a = priblizne.bod[static_cast<std::size_t>(i)];
                const Tbod& b = volna.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
                pred += osa == 0 ? a.X : osa == 1 ? a.Y : a.Z;
                po += osa == 0 ? b.X : osa == 1 ? b.Y : b.Z;
            }
            EXPECT_NEAR(static_cast<double>(po - pred), 0, 1e-9) << osa;
        }
        const int32_t n = volna.Vysledek().PocetNeznamych();
        ASSERT_TRUE(volna.Naplnit());
        ASSERT_EQ(static_cast<int32_t>(Stav(volna).datumConditions.size()),
                  volna.Vysledek().PocetPodminek());
        for (int32_t r = 0; r < volna.Vysledek().PocetPodminek(); ++r) {
            Real c = 0;
            for (int32_t j = 0; j < n; ++j) {
                c +=
                    Stav(volna)
                        .datumConditions[static_cast<std::size_t>(r)][static_cast<std::size_t>(j)] *
                    Stav(volna).vektorPrirustku[static_cast<std::size_t>(j)];
            }
            EXPECT_NEAR(static_cast<double>(c), 0, 1e-6) << r;
        }
    }
}

TEST(ReseniSit, FreeNetworkOfExactObservationsHasTheTrueShape) {
    const ModelSit s = CtyruhelnikovaSit(0);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(), 0.5L)) << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().TypFixace(), Fixace::VolnaDelky);
    ASSERT_TRUE(Iterovat(model)) << model.Vysledek().Chyba();
    OcekavatTvar(model, s, 1e-4L / 100);
    EXPECT_LT(NejvetsiOprava(model), 1e-9L);
}

TEST(ReseniSit, NoisyNetworkStaysWithinItsPrecision) {
    const ModelSit s = CtyruhelnikovaSit(2);
    Tmereni mereni = s.Mereni(3);
    test::Zasumit(mereni, 20240611);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, mereni, 0.2L)) << model.Vysledek().Chyba();
    ASSERT_TRUE(Iterovat(model)) << model.Vysledek().Chyba();
    OcekavatSkutecne(model, s, 0.005L);
    // sigma0 a posteriori: the noise matches the a-priori precision.
    const Real s0 = std::sqrt(VPV(model) / static_cast<Real>(model.Vysledek().PocetNadbytecnych()));
    EXPECT_GT(s0, 0.8L);
    EXPECT_LT(s0, 1.2L);
}

TEST(ReseniSit, LargeCoordinatesOfANationalGrid) {
    // Coordinates near 1e6 m make the condition rows large beside the weights;
    // extended precision must still bring the shape back.
    ModelSit s;
    const Real x0 = 1100000;
    const Real y0 = 750000;
    s.Bod("A", x0, y0, 300, false);
    s.Bod("B", x0 + 310, y0 + 40, 305, false);
    s.Bod("C", x0 + 180, y0 + 390, 312, false);
    s.Bod("D", x0 - 95, y0 + 320, 297, false);
    const std::vector<std::string> vse = {"A", "B", "C", "D"};
    for (const std::string& stn : vse) {
        std::vector<std::string> cile;
        for (const std::string& c : vse) {
            if (c != stn) cile.push_back(c);
        }
        s.Stanovisko(stn, 0.7L, cile);
    }
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, 0.1L)) << model.Vysledek().Chyba();
    ASSERT_TRUE(Iterovat(model)) << model.Vysledek().Chyba();
    OcekavatTvar(model, s, 1e-7L);
}

TEST(ReseniSit, ResultsDoNotDependOnTheNumberOfThreads) {
    ModelSit s = CtyruhelnikovaSit(0);
    Tmereni mereni = s.Mereni(2);
    test::Zasumit(mereni, 5);
    s.nastaveni.pocetVlaknaVse = 1;
    TmodelSite jedno;
    ASSERT_TRUE(s.Nacist(jedno, mereni));
    ASSERT_TRUE(Iterovat(jedno));
    s.nastaveni.pocetVlaknaVse = 3;
    TmodelSite tri;
    ASSERT_TRUE(s.Nacist(tri, mereni));
    EXPECT_EQ(tri.Vysledek().PocetVlakno(), 3);
    ASSERT_TRUE(Iterovat(tri));
    for (std::size_t i = 0; i < jedno.Vysledek().Souradnice().bod.size(); ++i) {
        EXPECT_EQ(jedno.Vysledek().Souradnice().bod[i].X, tri.Vysledek().Souradnice().bod[i].X);
        EXPECT_EQ(jedno.Vysledek().Souradnice().bod[i].Y, tri.Vysledek().Souradnice().bod[i].Y);
        EXPECT_EQ(jedno.Vysledek().Souradnice().bod[i].Z, tri.Vysledek().Souradnice().bod[i].Z);
    }
}

TEST(ReseniSit, IterationStopsAtItsLimit) {
    ModelSit s = CtyruhelnikovaSit(2);
    s.nastaveni.vyrovnani.maxPocetIteraci = 10;
    s.nastaveni.vyrovnani.maxPrirustek = -1;  // never met
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(Iterovat(model));
    EXPECT_EQ(model.Vysledek().PocetIteraci(), 10);
    EXPECT_GT(model.Vysledek().Prirustek(), model.Vysledek().MaxPrirustek());
}

}  // namespace
}  // namespace vertano
