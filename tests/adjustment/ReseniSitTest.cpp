// Adjustment of networks of known answer: fixed and free datum, with and
// without scale, with supplementary observations, exact and noisy.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ModelSitPomocne.h"
#include "adjustment/Tmodel2.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

using test::CtyruhelnikovaSit;
using test::Iterovat;
using test::ModelSit;

void OcekavatSkutecne(const Tmodel2& model, const ModelSit& s, Real tolerance) {
    const int32_t bodu = model.pocetSouradnicUrcovanych / 3;
    ASSERT_GT(bodu, 0);
    for (int32_t i = 0; i < bodu; ++i) {
        const Tbod& b = model.souradnice.bod[static_cast<std::size_t>(i)];
        const Tbod t = s.sit.Skutecny(b.cislo);
        EXPECT_NEAR(static_cast<double>(b.X - t.X), 0, static_cast<double>(tolerance)) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Y - t.Y), 0, static_cast<double>(tolerance)) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Z - t.Z), 0, static_cast<double>(tolerance)) << b.cislo;
    }
}

void OcekavatTvar(const Tmodel2& model, const ModelSit& s, Real tolerance) {
    const int32_t bodu = model.pocetSouradnicUrcovanych / 3;
    for (int32_t i = 0; i < bodu; ++i) {
        for (int32_t j = i + 1; j < bodu; ++j) {
            const Tbod& a = model.souradnice.bod[static_cast<std::size_t>(i)];
            const Tbod& b = model.souradnice.bod[static_cast<std::size_t>(j)];
            const Real skutecna =
                test::Vzdalenost(s.sit.Skutecny(a.cislo), s.sit.Skutecny(b.cislo));
            EXPECT_NEAR(static_cast<double>(test::Vzdalenost(a, b) - skutecna), 0,
                        static_cast<double>(tolerance))
                << a.cislo << "-" << b.cislo;
        }
    }
}

Real NejvetsiOprava(const Tmodel2& model) {
    Real m = 0;
    for (int32_t i = 0; i < model.pocetMereni; ++i) {
        m = std::max(m, std::fabs(model.vektorOprav[static_cast<std::size_t>(i)]));
    }
    return m;
}

// The adjusted orientation of occupation k is 0 - dx of its unknown.
Real Orientace(const Tmodel2& model, int32_t k) {
    Real o = -model.vektorPrirustku[static_cast<std::size_t>(model.pocetSouradnicUrcovanych + k)];
    o = std::fmod(o, kDvePi);
    return o < 0 ? o + kDvePi : o;
}

Real VPV(const Tmodel2& model) {
    Real s = 0;
    for (int32_t i = 0; i < model.pocetMereni; ++i) {
        const auto I = static_cast<std::size_t>(i);
        s += model.vektorOprav[I] * model.diagonalaVah[I] * model.vektorOprav[I];
    }
    return s;
}

TEST(ReseniSit, FixedNetworkReturnsTrueCoordinatesAndOrientations) {
    const ModelSit s = CtyruhelnikovaSit(2);
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(2), 0.3L)) << model.chyba;
    ASSERT_TRUE(Iterovat(model)) << model.chyba;
    EXPECT_LT(model.pocetIteraci, 10);
    OcekavatSkutecne(model, s, 1e-7L);
    EXPECT_LT(NejvetsiOprava(model), 1e-10L);
    ASSERT_EQ(model.pocetPosunu, 6);
    for (int32_t k = 0; k < 6; ++k) {
        const Real ocekavana = std::fmod(0.3L + 1.1L * static_cast<Real>(k), kDvePi);
        EXPECT_NEAR(static_cast<double>(Orientace(model, k)), static_cast<double>(ocekavana), 1e-12)
            << k;
    }
    // The working weights are the a-priori ones before and after.
    for (int32_t i = 0; i < model.pocetMereni; ++i) {
        EXPECT_EQ(model.vektorUloziste[static_cast<std::size_t>(i)],
                  model.diagonalaVah[static_cast<std::size_t>(i)]);
    }
}

TEST(ReseniSit, SupplementaryObservationsOfEveryKind) {
    // Free network without terrestrial distances: the supplementary distances
    // give the scale, the bearing the orientation, the height differences and
    // the plumbing tie fix G.
    ModelSit s = CtyruhelnikovaSit(1, false);
    s.Bod("G", 1180, 1390, 140, false);
    s.Doplnek(doplnek::kDelka, "A", "C");
    s.Doplnek(doplnek::kDelka, "E", "D");
    s.Doplnek(doplnek::kSmernik, "C", "D");
    s.Doplnek(doplnek::kSmernik, "A", "E");
    s.Doplnek(doplnek::kPrevyseni, "D", "E");
    s.Doplnek(doplnek::kPrevyseni, "C", "G");
    s.Doplnek(doplnek::kProvazeni, "C", "G");
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, 0.2L)) << model.chyba;
    EXPECT_EQ(model.typFixace, fixace::kBodSmernikDelky);
    EXPECT_TRUE(model.jeFix);
    ASSERT_TRUE(Iterovat(model)) << model.chyba;
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
        if (p.smernik) s.Doplnek(doplnek::kSmernik, "C", "D");
        Tmereni mereni = s.Mereni(2);
        test::Zasumit(mereni, 11);
        Tmodel2 volna;
        ASSERT_TRUE(s.Nacist(volna, mereni, 0.1L)) << volna.chyba;
        const Tsouradnice priblizne = volna.souradnice;
        ASSERT_TRUE(Iterovat(volna)) << volna.chyba;
        // The same observations with one fixed point, again a minimal datum: the
        // free network may differ only by its placement (and scale when none was
        // measured).
        ModelSit sFix = CtyruhelnikovaSit(1, p.delky);
        if (p.smernik) sFix.Doplnek(doplnek::kSmernik, "C", "D");
        Tmodel2 pevna;
        ASSERT_TRUE(sFix.Nacist(pevna, mereni, 0.1L)) << pevna.chyba;
        ASSERT_TRUE(Iterovat(pevna)) << pevna.chyba;
        const auto d = [](const Tmodel2& m, const char* a, const char* b) {
            return test::Vzdalenost(m.souradnice.BodSCislem(a), m.souradnice.BodSCislem(b));
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
                const Tbod& b = volna.souradnice.bod[static_cast<std::size_t>(i)];
                pred += osa == 0 ? a.X : osa == 1 ? a.Y : a.Z;
                po += osa == 0 ? b.X : osa == 1 ? b.Y : b.Z;
            }
            EXPECT_NEAR(static_cast<double>(po - pred), 0, 1e-9) << osa;
        }
        const int32_t n = volna.pocetNeznamych;
        ASSERT_TRUE(volna.Naplnit());
        ASSERT_EQ(static_cast<int32_t>(volna.datumConditions.size()), volna.pocetPodminek);
        for (int32_t r = 0; r < volna.pocetPodminek; ++r) {
            Real c = 0;
            for (int32_t j = 0; j < n; ++j) {
                c +=
                    volna
                        .datumConditions[static_cast<std::size_t>(r)][static_cast<std::size_t>(j)] *
                    volna.vektorPrirustku[static_cast<std::size_t>(j)];
            }
            EXPECT_NEAR(static_cast<double>(c), 0, 1e-6) << r;
        }
    }
}

TEST(ReseniSit, FreeNetworkOfExactObservationsHasTheTrueShape) {
    const ModelSit s = CtyruhelnikovaSit(0);
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(), 0.5L)) << model.chyba;
    EXPECT_EQ(model.typFixace, fixace::kVolnaDelky);
    ASSERT_TRUE(Iterovat(model)) << model.chyba;
    OcekavatTvar(model, s, 1e-4L / 100);
    EXPECT_LT(NejvetsiOprava(model), 1e-9L);
}

TEST(ReseniSit, NoisyNetworkStaysWithinItsPrecision) {
    const ModelSit s = CtyruhelnikovaSit(2);
    Tmereni mereni = s.Mereni(3);
    test::Zasumit(mereni, 20240611);
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, mereni, 0.2L)) << model.chyba;
    ASSERT_TRUE(Iterovat(model)) << model.chyba;
    OcekavatSkutecne(model, s, 0.005L);
    // sigma0 a posteriori: the noise matches the a-priori precision.
    const Real s0 = std::sqrt(VPV(model) / static_cast<Real>(model.pocetNadbytecnych));
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
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, 0.1L)) << model.chyba;
    ASSERT_TRUE(Iterovat(model)) << model.chyba;
    OcekavatTvar(model, s, 1e-7L);
}

TEST(ReseniSit, ResultsDoNotDependOnTheNumberOfThreads) {
    ModelSit s = CtyruhelnikovaSit(0);
    Tmereni mereni = s.Mereni(2);
    test::Zasumit(mereni, 5);
    s.nastaveni.pocetVlaknaVse = 1;
    Tmodel2 jedno;
    ASSERT_TRUE(s.Nacist(jedno, mereni));
    ASSERT_TRUE(Iterovat(jedno));
    s.nastaveni.pocetVlaknaVse = 3;
    Tmodel2 tri;
    ASSERT_TRUE(s.Nacist(tri, mereni));
    EXPECT_EQ(tri.pocetVlakno, 3);
    ASSERT_TRUE(Iterovat(tri));
    for (std::size_t i = 0; i < jedno.souradnice.bod.size(); ++i) {
        EXPECT_EQ(jedno.souradnice.bod[i].X, tri.souradnice.bod[i].X);
        EXPECT_EQ(jedno.souradnice.bod[i].Y, tri.souradnice.bod[i].Y);
        EXPECT_EQ(jedno.souradnice.bod[i].Z, tri.souradnice.bod[i].Z);
    }
}

TEST(ReseniSit, IterationStopsAtItsLimit) {
    ModelSit s = CtyruhelnikovaSit(2);
    s.nastaveni.vyrovnani.maxPocetIteraci = 10;
    s.nastaveni.vyrovnani.maxPrirustek = -1;  // never met
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model)) << model.chyba;
    ASSERT_TRUE(Iterovat(model));
    EXPECT_EQ(model.pocetIteraci, 10);
    EXPECT_GT(model.prirustek, model.maxPrirustek);
}

}  // namespace
}  // namespace vertano
