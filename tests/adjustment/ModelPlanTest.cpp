// The design matrix and the reduced observations: structure of the sparse rows,
// the derivatives of every kind of observation equation, and the reduction of
// directions near zero.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "ModelSitPomocne.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

using test::ModelSit;

// One fixed point, terrestrial observations with scale factors, and every kind of
// supplementary observation; G stands plumb above C.
ModelSit SitSeVsemiDruhy() {
    ModelSit s = test::CtyruhelnikovaSit(1);
    s.Bod("G", 1180, 1390, 140, false);
    s.Doplnek(DruhDoplnku::Delka, "A", "C");
    s.Doplnek(DruhDoplnku::Delka, "E", "G");
    s.Doplnek(DruhDoplnku::Smernik, "C", "D");
    s.Doplnek(DruhDoplnku::Prevyseni, "D", "E");
    s.Doplnek(DruhDoplnku::Prevyseni, "C", "G");
    s.Doplnek(DruhDoplnku::Provazeni, "C", "G");
    return s;
}

Tmereni SeZkreslenim(const ModelSit& s) {
    Tmereni m = s.Mereni();
    for (Tzaznam& z : m.zaznam) z.zkresleniDelky = 1.0004L;
    return m;
}

// Column j (an unknown) of the design matrix as a dense vector over observations.
std::vector<Real> Sloupec(const TmodelSite& model, int32_t j) {
    std::vector<Real> a(static_cast<std::size_t>(model.Vysledek().PocetMereni()), 0);
    const auto& data = Stav(model).maticePlanuSparse.data[static_cast<std::size_t>(j)];
    const auto& index = Stav(model).maticePlanuSparse.index[static_cast<std::size_t>(j)];
    for (std::size_t k = 0; k < data.size(); ++k) a[static_cast<std::size_t>(index[k])] = data[k];
    return a;
}

TEST(ModelPlan, SparseRowsAscendAndCountEveryObservation) {
    const ModelSit s = SitSeVsemiDruhy();
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(3))) << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().Doplnek().pocet, 7);
    ASSERT_TRUE(model.Naplnit()) << model.Vysledek().Chyba();
    const Tsparse& S = Stav(model).maticePlanuSparse;
    ASSERT_EQ(static_cast<int32_t>(S.data.size()), model.Vysledek().PocetNeznamych());
    std::vector<int> zasahu(static_cast<std::size_t>(model.Vysledek().PocetMereni()), 0);
    for (std::size_t r = 0; r < S.index.size(); ++r) {
        ASSERT_EQ(S.index[r].size(), S.data[r].size());
        ASSERT_FALSE(S.index[r].empty());
        for (std::size_t k = 0; k < S.index[r].size(); ++k) {
            if (k > 0) {
                EXPECT_LT(S.index[r][k - 1], S.index[r][k]) << "row " << r;
            }
            ++zasahu[static_cast<std::size_t>(S.index[r][k])];
        }
    }
    // Entries per observation: distance 6 or 3 (fixed end), direction 4 or 2 plus
    // the orientation, zenith like a distance; every one has at least one.
    for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
        EXPECT_GE(zasahu[static_cast<std::size_t>(i)], 1) << i;
    }
    const int32_t pocatek = model.PocatekRovnic(Velicina::DoplnekProvazeni);
    EXPECT_EQ(pocatek, model.Vysledek().PocetMereni() - 2);
    EXPECT_EQ(model.VelicinaRovnice(pocatek), model.VelicinaRovnice(pocatek + 1));
    EXPECT_EQ(model.VelicinaRovnice(model.Vysledek().PocetMereni()), nullptr);
}

TEST(ModelPlan, CoefficientsAreTheDerivativesOfEveryObservationKind) {
    const ModelSit s = SitSeVsemiDruhy();
    const Tmereni mereni = SeZkreslenim(s);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, mereni)) << model.Vysledek().Chyba();
    // Scale factors enter distances and zenith angles, also the supplementary.
    Stav(model).doplnek.delka.zaznam[0].zkresleni = 0.9997L;
    ASSERT_TRUE(model.Naplnit()) << model.Vysledek().Chyba();
    const Real h = 1e-4L;
    for (int32_t j = 0; j < model.Vysledek().PocetSouradnicUrcovanych(); ++j) {
        TmodelSite plus = model;
        TmodelSite minus = model;
        StoredReal* p[] = {&Stav(plus).souradnice.bod[static_cast<std::size_t>(j / 3)].X,
                           &Stav(plus).souradnice.bod[static_cast<std::size_t>(j / 3)].Y,
                           &Stav(plus).souradnice.bod[static_cast<std::size_t>(j / 3)].Z};
        StoredReal* m[] = {&Stav(minus).souradnice.bod[static_cast<std::size_t>(j / 3)].X,
                           &Stav(minus).souradnice.bod[static_cast<std::size_t>(j / 3)].Y,
                           &Stav(minus).souradnice.bod[static_cast<std::size_t>(j / 3)].Z};
        *p[j % 3] += h;
        *m[j % 3] -= h;
        ASSERT_TRUE(plus.Naplnit() && minus.Naplnit());
        const std::vector<Real> a = Sloupec(model, j);
        for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
            const auto I = static_cast<std::size_t>(i);
            const Real numericky =
                (Stav(plus).vektorRedukovanychMereni[I] - Stav(minus).vektorRedukovanychMereni[I]) /
                (2 * h);
            EXPECT_NEAR(static_cast<double>(a[I]), static_cast<double>(numericky),
                        1e-7 * std::fabs(static_cast<double>(numericky)) + 1e-12)
                << "unknown " << j << " observation " << i << " kind "
                << KodVeliciny(model.VelicinaRovnice(i)->typ);
        }
    }
    // Every direction has -1 in its own orientation unknown and nothing in others.
    const int32_t k0 = model.PocatekRovnic(Velicina::Smer);
    for (int32_t o = 0; o < model.Vysledek().PocetPosunu(); ++o) {
        const std::vector<Real> a = Sloupec(model, model.Vysledek().PocetSouradnicUrcovanych() + o);
        for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
            const TmerenaVelicina* v = model.VelicinaRovnice(i);
            const bool vlastni = v->typ == Velicina::Smer && v->poradiPosun == o + 1;
            EXPECT_EQ(a[static_cast<std::size_t>(i)], vlastni ? -1 : 0) << o << " " << i - k0;
        }
    }
}

TEST(ModelPlan, ReducedObservationsOfExactMeasurementsVanish) {
    const ModelSit s = SitSeVsemiDruhy();
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(), 0)) << model.Vysledek().Chyba();  // true coordinates
    ASSERT_TRUE(model.Naplnit()) << model.Vysledek().Chyba();
    for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
        const TmerenaVelicina* v = model.VelicinaRovnice(i);
        if (v->typ == Velicina::Smer) continue;  // l holds the orientation there
        EXPECT_NEAR(
            static_cast<double>(Stav(model).vektorRedukovanychMereni[static_cast<std::size_t>(i)]),
            0, 1e-12)
            << i << " kind " << KodVeliciny(v->typ);
    }
    // Directions: l = bearing - direction = the orientation of the station, and
    // the bearing is kept in the observation.
    for (std::size_t g = 0; g + 1 < model.Vysledek().IndexSmer().size(); ++g) {
        const Real orientace = 0.3L + 1.1L * static_cast<Real>(g);
        for (int32_t k = model.Vysledek().IndexSmer()[g]; k < model.Vysledek().IndexSmer()[g + 1];
             ++k) {
            const Real l = Stav(model).vektorRedukovanychMereni[static_cast<std::size_t>(
                model.Vysledek().PocetDelka() + k)];
            const TmerenaVelicina& v = model.Vysledek().Smer().zaznam[static_cast<std::size_t>(k)];
            EXPECT_NEAR(static_cast<double>(TmodelSite::ReduceAngleNear(l, orientace)),
                        static_cast<double>(orientace), 1e-12);
            const Tbod a = s.sit.Skutecny(v.cislo_stn);
            const Tbod b = s.sit.Skutecny(v.cislo_cil);
            Real smernik = std::atan2(b.Y - a.Y, b.X - a.X);
            if (smernik < 0) smernik += kDvePi;
            EXPECT_NEAR(static_cast<double>(v.smernik), static_cast<double>(smernik), 1e-15);
        }
    }
}

TEST(ModelPlan, DirectionsOnBothSidesOfZeroStayWithinHalfATurn) {
    ModelSit s;
    s.Bod("S", 0, 0, 0, true);
    s.Bod("T", 100, 1, 0, false);
    s.Bod("U", 100, -1, 0, false);
    s.Bod("V", 0, 100, 0, true);
    // Zero direction along +X: T at a direction just above 0, U just below 2 pi.
    s.Stanovisko("S", 0, {"T", "U", "V"});
    s.Stanovisko("V", 1, {"S", "T", "U"});
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.Naplnit()) << model.Vysledek().Chyba();
    const Real* l = Stav(model).vektorRedukovanychMereni.data() + model.Vysledek().PocetDelka();
    EXPECT_GT(model.Vysledek().Smer().zaznam[1].hodnota, 6);
    EXPECT_LT(model.Vysledek().Smer().zaznam[0].hodnota, 0.1L);
    for (std::size_t g = 0; g + 1 < model.Vysledek().IndexSmer().size(); ++g) {
        for (int32_t k = model.Vysledek().IndexSmer()[g]; k < model.Vysledek().IndexSmer()[g + 1];
             ++k) {
            EXPECT_LT(std::fabs(l[k] - l[model.Vysledek().IndexSmer()[g]]), kPi) << k;
        }
    }
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    EXPECT_NEAR(static_cast<double>(model.Vysledek().Souradnice().BodSCislem("U").Y), -1, 1e-9);
}

TEST(ModelPlan, UnknownWithoutObservationFailsWithItsName) {
    ModelSit s = test::CtyruhelnikovaSit(2);
    s.Bod("H", 2000, 2000, 100, false);  // determined, but never observed
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    EXPECT_FALSE(model.Naplnit());
    EXPECT_NE(model.Vysledek().Chyba().find("point H"), std::string::npos)
        << model.Vysledek().Chyba();
    bool znovu = true;
    EXPECT_FALSE(model.VyrovnatOpakovane(znovu));
    EXPECT_FALSE(znovu);
}

TEST(ModelPlan, VectorsChangedWithoutARecountAreRefused) {
    ModelSit s = SitSeVsemiDruhy();
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    TmodelSite bezProvazeni = model;
    Stav(bezProvazeni).doplnek.provazeni.zaznam.clear();
    EXPECT_FALSE(bezProvazeni.Naplnit());
    TmodelSite spatnyBod = model;
    Stav(spatnyBod).doplnek.prevyseni.zaznam[0].iCil = 99;
    EXPECT_FALSE(spatnyBod.Naplnit());
    EXPECT_NE(spatnyBod.Vysledek().Chyba().find("D - E"), std::string::npos)
        << spatnyBod.Vysledek().Chyba();
    TmodelSite cizi = model;
    Stav(cizi).zenit.zaznam[3].iStn = Stav(cizi).zenit.zaznam[20].iStn;  // not its group's station
    EXPECT_FALSE(cizi.Naplnit());
    EXPECT_TRUE(model.Naplnit()) << model.Vysledek().Chyba();
}

}  // namespace
}  // namespace vertano
