// Loading of the adjustment model: observation vectors, groups, weights, rows
// without coordinates, counts and the datum of every network type.

#include <gtest/gtest.h>

#include <algorithm>
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
using test::ModelSit;

TEST(ModelNacteni, CountsGroupsAndDirectionsBetweenFixedPoints) {
    const ModelSit s = CtyruhelnikovaSit(2);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(2))) << model.Vysledek().Chyba();
    // 6 stations x 5 targets x 2 sets; A-B and B-A join two fixed points: their
    // directions stay (they carry the orientation), zenith angles and distances
    // do not.
    EXPECT_EQ(model.Vysledek().PocetSmer(), 60);
    EXPECT_EQ(model.Vysledek().PocetZenit(), 56);
    EXPECT_EQ(model.Vysledek().PocetDelka(), 56);
    EXPECT_EQ(model.Vysledek().PocetMereni(), 172);
    EXPECT_EQ(model.Vysledek().PocetPosunu(), 6);
    EXPECT_EQ(model.Vysledek().PocetSouradnic(), 18);
    EXPECT_EQ(model.Vysledek().PocetSouradnicFixnich(), 6);
    EXPECT_EQ(model.Vysledek().PocetSouradnicUrcovanych(), 12);
    EXPECT_EQ(model.Vysledek().PocetNeznamych(), 18);
    EXPECT_EQ(model.Vysledek().PocetNadbytecnych(), 172 - 18);
    EXPECT_EQ(model.Vysledek().IndexSmer(), (TindexVector{0, 10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(model.Vysledek().IndexZenit(), (TindexVector{0, 8, 16, 26, 36, 46, 56}));
    EXPECT_EQ(model.Vysledek().IndexDelka(), model.Vysledek().IndexZenit());
    // Determined points first, fixed appended, flagged accordingly.
    ASSERT_EQ(model.Vysledek().Souradnice().Pocet(), 6);
    EXPECT_EQ(model.Vysledek().Souradnice().bod[0].cislo, "C");
    EXPECT_FALSE(model.Vysledek().Souradnice().bod[3].JeFixni);
    EXPECT_EQ(model.Vysledek().Souradnice().bod[4].cislo, "A");
    EXPECT_TRUE(model.Vysledek().Souradnice().bod[4].JeFixni);
    for (const TmerenaVelicina& v : model.Vysledek().Smer().zaznam) {
        EXPECT_EQ(v.poradi, v.poradiPosun);
        EXPECT_EQ(v.posun, 0);
        ASSERT_GE(v.iStn, 0);
        EXPECT_EQ(model.Vysledek().Souradnice().bod[static_cast<std::size_t>(v.iStn)].cislo,
                  v.cislo_stn);
        EXPECT_EQ(model.Vysledek().Souradnice().bod[static_cast<std::size_t>(v.iCil)].cislo,
                  v.cislo_cil);
    }
    EXPECT_EQ(model.Vysledek().Zenit().zaznam[8].poradi, 2);  // group counters, not stations
    EXPECT_EQ(model.Vysledek().Smer().zaznam[0].cislo_cil, "B");
    EXPECT_EQ(Stav(model).vektorUloziste.size(), 172u);
    EXPECT_TRUE(model.Vysledek().JeFix());
    EXPECT_TRUE(model.Vysledek().JeMerenaDelka());
    EXPECT_EQ(model.Vysledek().Kvantil() > 1.95L && model.Vysledek().Kvantil() < 1.97L, true);
}

TEST(ModelNacteni, ObservationWeightsTakeTheKindsDeviationWhenTheirOwnIsNotUsable) {
    ModelSit s = CtyruhelnikovaSit(2);
    Tmereni mereni = s.Mereni();
    mereni.zaznam[0].sig_smer = MgonNaRad(1);  // own deviation kept
    mereni.zaznam[1].sig_smer = 0;             // 0 counts as not set
    mereni.zaznam[2].sig_smer = -0.5L;         // so does any negative value
    mereni.zaznam[3].sig_smer = -1;            // the marker of "not set"
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, mereni)) << model.Vysledek().Chyba();
    const auto& smer = model.Vysledek().Smer().zaznam;
    EXPECT_EQ(smer[0].odchylka, MgonNaRad(1));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(smer[static_cast<std::size_t>(i)].odchylka, test::kModelSigSmer) << i;
    }
    for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
        const TmerenaVelicina* v = model.VelicinaRovnice(i);
        ASSERT_NE(v, nullptr);
        const Real p = 1 / (v->odchylka * v->odchylka);
        EXPECT_NEAR(
            static_cast<double>(model.Vysledek().VahyApriori()[static_cast<std::size_t>(i)] / p), 1,
            1e-15);
        EXPECT_EQ(Stav(model).vektorUloziste[static_cast<std::size_t>(i)],
                  model.Vysledek().VahyApriori()[static_cast<std::size_t>(i)]);
        EXPECT_EQ(model.Vysledek().RobustniZmeny()[static_cast<std::size_t>(i)], 1);
    }
    // Neither the row nor the kind has a deviation: no weight can be formed.
    s.vahy.smer.odchylka = 0;
    mereni.zaznam[5].sig_smer = 0;
    EXPECT_FALSE(s.Nacist(model, mereni));
    EXPECT_NE(model.Vysledek().Chyba().find("row 2 (A - C)"), std::string::npos)
        << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().PocetMereni(), -1);
    EXPECT_TRUE(model.Vysledek().Smer().zaznam.empty());
}

TEST(ModelNacteni, RowsWithoutCoordinatesAreLeftOutAndNamed) {
    ModelSit s = CtyruhelnikovaSit(2);
    s.sit.Bod("X", 1500, 1500, 100);  // measured, but nobody gives its coordinates
    s.sit.Stanovisko("X", 0.2L);
    s.sit.Cil("C");
    s.sit.Cil("D");
    s.sit.Stanovisko("C", 0.4L);
    s.sit.Cil("X");
    s.sit.Cil("E");
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    ASSERT_EQ(model.Vysledek().VynechanaMereni().size(), 3u);
    for (const VynechaneMereni& v : model.Vysledek().VynechanaMereni()) {
        EXPECT_EQ(v.chybejiciBod, "X");
        EXPECT_NE(v.text.find("X"), std::string::npos);
    }
    EXPECT_EQ(model.Vysledek().VynechanaMereni()[0].cislo_stn, "X");
    EXPECT_EQ(model.Vysledek().VynechanaMereni()[2].cislo_cil, "X");
    // The occupation of X vanished entirely; the one of C kept its row to E. The
    // orientation unknowns stay consecutive.
    EXPECT_EQ(model.Vysledek().PocetPosunu(), 7);
    EXPECT_EQ(model.Vysledek().Smer().NejvetsiPoradiPosunu(), 7);
    for (const TmerenaVelicina& v : model.Vysledek().Smer().zaznam) {
        EXPECT_GE(v.iStn, 0);
        EXPECT_GE(v.iCil, 0);
    }
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    EXPECT_NEAR(static_cast<double>(model.Vysledek().Souradnice().bod[0].X), 1180, 1e-7);
}

TEST(ModelNacteni, FailsOnNegativeRedundancyAndOnAPointGivenTwice) {
    ModelSit s;
    s.Bod("A", 0, 0, 0, true);
    s.Bod("B", 100, 0, 0, true);
    s.Bod("C", 50, 80, 0, false);
    s.Stanovisko("A", 0, {"C"}, false);
    TmodelSite model;
    EXPECT_FALSE(s.Nacist(model));
    EXPECT_EQ(model.Vysledek().Chyba(), "Insufficient number of redundant measurements.");
    EXPECT_EQ(model.Vysledek().PocetNeznamych(), -1);
    EXPECT_TRUE(model.Vysledek().Souradnice().bod.empty());

    const ModelSit dobra = CtyruhelnikovaSit(2);
    Tsouradnice priblizne = dobra.Priblizne();
    priblizne.PridejBod(dobra.Fixni().bod[0]);
    EXPECT_FALSE(model.Nacist(dobra.Mereni(), priblizne, dobra.Fixni(), dobra.vahy, dobra.doplnek,
                              dobra.nastaveni));
    EXPECT_NE(model.Vysledek().Chyba().find("twice"), std::string::npos);
}

struct DatumPripad {
    int fixnich;
    bool delky;
    bool smernik;
    bool prevyseni;
    Fixace typ;
    int32_t podminek;
};

TEST(ModelNacteni, DatumOfEveryNetworkType) {
    const DatumPripad pripady[] = {
        {0, true, true, false, Fixace::VolnaSmernikDelky, 3},
        {0, false, true, false, Fixace::VolnaSmernik, 4},
        {0, true, false, false, Fixace::VolnaDelky, 4},
        {0, false, false, true, Fixace::VolnaDelky, 4},  // scale from a height difference
        {0, false, false, false, Fixace::Volna, 5},
        {1, true, true, false, Fixace::BodSmernikDelky, 0},
        {1, false, true, false, Fixace::BodSmernik, 1},
        {1, true, false, false, Fixace::BodDelky, 1},
        {1, false, false, false, Fixace::Bod, 2},
        {2, true, false, false, Fixace::PevnaSit, 0},
        // Two fixed points fix the scale too: no condition may be added.
        {2, false, false, false, Fixace::PevnaMeritko, 0},
    };
    for (const auto& [p, volba] : [&] {
             std::vector<std::pair<DatumPripad, SolverChoice>> v;
             for (const DatumPripad& p : pripady) {
                 v.emplace_back(p, SolverChoice::Dense);
                 v.emplace_back(p, SolverChoice::Sparse);
             }
             return v;
         }()) {
        ModelSit s = CtyruhelnikovaSit(p.fixnich, p.delky);
        if (p.smernik) s.Doplnek(DruhDoplnku::Smernik, "C", "D");
        if (p.prevyseni) s.Doplnek(DruhDoplnku::Prevyseni, "C", "D");
        TmodelSite model;
        Stav(model).solverChoice = volba;
        ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
        EXPECT_EQ(model.Vysledek().TypFixace(), p.typ) << p.fixnich << p.delky << p.smernik;
        EXPECT_EQ(model.Vysledek().PocetPodminek(), p.podminek)
            << KodFixace(model.Vysledek().TypFixace());
        EXPECT_EQ(model.Vysledek().JeFix(), p.podminek == 0);
        EXPECT_EQ(model.Vysledek().JeMerenaDelka(), p.delky || p.prevyseni);
        EXPECT_EQ(model.Vysledek().PocetNadbytecnych(), model.Vysledek().PocetMereni() +
                                                            model.Vysledek().PocetPodminek() -
                                                            model.Vysledek().PocetNeznamych());
        const auto u = static_cast<std::size_t>(model.Vysledek().PocetNeznamych() +
                                                model.Vysledek().PocetPodminek());
        EXPECT_EQ(Stav(model).vektorPrirustku.size(), u);
        EXPECT_EQ(Stav(model).vektorUloziste.size(),
                  std::max(u, static_cast<std::size_t>(model.Vysledek().PocetMereni())));
        // Every type adjusts the exact network back to its shape; its size only
        // when something measured the scale.
        ASSERT_TRUE(test::Iterovat(model))
            << KodFixace(model.Vysledek().TypFixace()) << " " << model.Vysledek().Chyba();
        // Only the sparse choice keeps the sparse solver (and no u x u matrix).
        EXPECT_EQ(model.Solver().Sparse() != nullptr, volba == SolverChoice::Sparse);
        const auto delka = [&](const char* a, const char* b) {
            return test::Vzdalenost(model.Vysledek().Souradnice().BodSCislem(a),
                                    model.Vysledek().Souradnice().BodSCislem(b));
        };
        const auto skutecna = [&](const char* a, const char* b) {
            return test::Vzdalenost(s.sit.Skutecny(a), s.sit.Skutecny(b));
        };
        EXPECT_NEAR(static_cast<double>(delka("C", "D") / delka("E", "F")),
                    static_cast<double>(skutecna("C", "D") / skutecna("E", "F")), 1e-10)
            << KodFixace(model.Vysledek().TypFixace());
        if (model.Vysledek().JeMerenaDelka() || p.fixnich == 2) {
            EXPECT_NEAR(static_cast<double>(delka("C", "D")),
                        static_cast<double>(skutecna("C", "D")), 1e-7)
                << KodFixace(model.Vysledek().TypFixace());
        }
    }
}

TEST(ModelNacteni, ConditionRowsBorderTheNormalMatrix) {
    const ModelSit s = CtyruhelnikovaSit(0, false);
    TmodelSite model;
    Stav(model).solverChoice = SolverChoice::Dense;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    ASSERT_EQ(model.Vysledek().TypFixace(), Fixace::Volna);
    ASSERT_TRUE(model.Naplnit()) << model.Vysledek().Chyba();
    const int32_t n = model.Vysledek().PocetNeznamych();
    const int32_t u = n + model.Vysledek().PocetPodminek();
    // The dense solver keeps the bordered matrix; before a solution it is N.
    Tmatrix N;
    ASSERT_TRUE(model.Solver().Current()->CofactorMatrix(u, N));
    for (int32_t i = 0; i < model.Vysledek().PocetSouradnicUrcovanych() / 3; ++i) {
        const Tbod& b = model.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
        const Real rot[3] = {b.Y, -b.X, 0};
        const Real mer[3] = {b.X, b.Y, b.Z};
        for (int k = 0; k < 3; ++k) {
            const auto j = static_cast<std::size_t>(3 * i + k);
            EXPECT_EQ(N[static_cast<std::size_t>(n)][j], rot[k]);
            EXPECT_EQ(N[static_cast<std::size_t>(n + 1 + k)][j], 1);
            EXPECT_EQ(N[static_cast<std::size_t>(n + 1 + (k + 1) % 3)][j], 0);
            EXPECT_EQ(N[static_cast<std::size_t>(n + 4)][j], mer[k]);
        }
    }
    for (int32_t r = n; r < u; ++r) {
        const auto R = static_cast<std::size_t>(r);
        for (int32_t j = 0; j < u; ++j) {
            const auto J = static_cast<std::size_t>(j);
            EXPECT_EQ(N[R][J], N[J][R]);
            if (j >= model.Vysledek().PocetSouradnicUrcovanych()) {
                EXPECT_EQ(N[R][J], 0) << r << " " << j;
            }
        }
    }
}

TEST(ModelNacteni, NoConditionsWithTwoFixedPointsGivesTheTrueNetworkWithoutDistances) {
    // With a scale condition on top of two fixed points the angle-only network
    // would end centimetres off; it must come back exactly.
    const ModelSit s = CtyruhelnikovaSit(2, false);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, 0.2L)) << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().TypFixace(), Fixace::PevnaMeritko);
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    for (int i = 0; i < 4; ++i) {
        const Tbod& b = model.Vysledek().Souradnice().bod[static_cast<std::size_t>(i)];
        const Tbod t = s.sit.Skutecny(b.cislo);
        EXPECT_NEAR(static_cast<double>(b.X - t.X), 0, 1e-7) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Y - t.Y), 0, 1e-7) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Z - t.Z), 0, 1e-7) << b.cislo;
    }
}

TEST(ModelNacteni, ReduceAngleNear) {
    EXPECT_EQ(TmodelSite::ReduceAngleNear(1, 1), 1);
    EXPECT_NEAR(static_cast<double>(TmodelSite::ReduceAngleNear(0.1L, 6.2L)),
                static_cast<double>(0.1L + kDvePi), 1e-15);
    EXPECT_NEAR(static_cast<double>(TmodelSite::ReduceAngleNear(6.2L, 0.1L)),
                static_cast<double>(6.2L - kDvePi), 1e-15);
    // A negative reference (a direction group's l can be one) follows the same
    // rule: the result lies in [r - pi, r + pi).
    EXPECT_NEAR(static_cast<double>(TmodelSite::ReduceAngleNear(3.0L, -3.0L)),
                static_cast<double>(3.0L - kDvePi), 1e-15);
    for (Real r = -kPi; r < kDvePi; r += 0.37L) {
        for (Real a = -9; a < 9; a += 0.41L) {
            const Real x = TmodelSite::ReduceAngleNear(a, r);
            EXPECT_GE(x, r - kPi) << a << " " << r;
            EXPECT_LT(x, r + kPi) << a << " " << r;
            const Real otacek = (x - a) / kDvePi;
            EXPECT_NEAR(static_cast<double>(otacek), std::round(static_cast<double>(otacek)),
                        1e-12);
        }
    }
}

TEST(ModelNacteni, CopyForTheOutlierModel) {
    ModelSit s = CtyruhelnikovaSit(1);
    s.Doplnek(DruhDoplnku::Smernik, "C", "D");
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    Stav(model).pocetIteraci = 7;
    Stav(model).zmenaVahy = 0.5L;
    Stav(model).probehloVylouceniOdlehlych = true;
    TmodelSite kopie;
    kopie.KopirujCastOdlehle(model);
    EXPECT_EQ(kopie.Vysledek().Smer().zaznam.size(), model.Vysledek().Smer().zaznam.size());
    EXPECT_EQ(kopie.Vysledek().IndexZenit(), model.Vysledek().IndexZenit());
    EXPECT_EQ(kopie.Vysledek().Doplnek().pocetSmernik, 1);
    EXPECT_EQ(kopie.Vysledek().PocetIteraci(), 7);
    EXPECT_EQ(kopie.Vysledek().ZmenaVahy(), 0.5L);
    EXPECT_EQ(kopie.Vysledek().PocetNadbytecnych(), model.Vysledek().PocetNadbytecnych());
    EXPECT_EQ(kopie.Vysledek().TypFixace(), model.Vysledek().TypFixace());
    EXPECT_TRUE(kopie.Vysledek().ProbehloVycovaniOdlehlych());
    EXPECT_EQ(kopie.Vysledek().MaxPrirustek(), model.Vysledek().MaxPrirustek());
    // Not part of the copy: the points and the matrices.
    EXPECT_TRUE(kopie.Vysledek().Souradnice().bod.empty());
    EXPECT_EQ(kopie.Solver().Current(), nullptr);
    EXPECT_EQ(kopie.Vysledek().PocetSouradnicUrcovanych(), -1);
}

TEST(ModelNacteni, ReloadAfterObservationsWereRemoved) {
    const ModelSit s = CtyruhelnikovaSit(2);
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(), 0.1L)) << model.Vysledek().Chyba();
    const int32_t mereni = model.Vysledek().PocetMereni();
    const int32_t nadbytecnych = model.Vysledek().PocetNadbytecnych();
    // What the outlier removal leaves: the first distance group one shorter.
    Stav(model).delka.zaznam.erase(Stav(model).delka.zaznam.begin());
    for (std::size_t g = 1; g < Stav(model).indexDelka.size(); ++g) --Stav(model).indexDelka[g];
    Stav(model).vektorUloziste.assign(Stav(model).vektorUloziste.size(), 0);
    ASSERT_TRUE(model.NacistBezOdlehlych()) << model.Vysledek().Chyba();
    EXPECT_EQ(model.Vysledek().PocetMereni(), mereni - 1);
    EXPECT_EQ(model.Vysledek().PocetNadbytecnych(), nadbytecnych - 1);
    EXPECT_EQ(model.Vysledek().PocetSouradnicFixnich(), 6);
    EXPECT_EQ(model.Vysledek().Opravy().size(), static_cast<std::size_t>(mereni - 1));
    EXPECT_TRUE(std::equal(Stav(model).diagonalaVah.begin(), Stav(model).diagonalaVah.end(),
                           Stav(model).vektorUloziste.begin()));
    ASSERT_TRUE(test::Iterovat(model)) << model.Vysledek().Chyba();
    EXPECT_NEAR(static_cast<double>(model.Vysledek().Souradnice().BodSCislem("E").X), 1240, 1e-7);

    TmodelSite prazdny;
    EXPECT_FALSE(prazdny.NacistBezOdlehlych());
}

}  // namespace
}  // namespace vertano
