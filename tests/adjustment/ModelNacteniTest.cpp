// Loading of the adjustment model: observation vectors, groups, weights, rows
// without coordinates, counts and the datum of every network type.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "ModelSitPomocne.h"
#include "adjustment/Tmodel2.h"
#include "matice/Konstanty.h"

namespace vertano {
namespace {

using test::CtyruhelnikovaSit;
using test::ModelSit;

TEST(ModelNacteni, CountsGroupsAndDirectionsBetweenFixedPoints) {
    const ModelSit s = CtyruhelnikovaSit(2);
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(2))) << model.chyba;
    // 6 stations x 5 targets x 2 sets; A-B and B-A join two fixed points: their
    // directions stay (they carry the orientation), zenith angles and distances
    // do not.
    EXPECT_EQ(model.pocetSmer, 60);
    EXPECT_EQ(model.pocetZenit, 56);
    EXPECT_EQ(model.pocetDelka, 56);
    EXPECT_EQ(model.pocetMereni, 172);
    EXPECT_EQ(model.pocetPosunu, 6);
    EXPECT_EQ(model.pocetSouradnic, 18);
    EXPECT_EQ(model.pocetSouradnicFixnich, 6);
    EXPECT_EQ(model.pocetSouradnicUrcovanych, 12);
    EXPECT_EQ(model.pocetNeznamych, 18);
    EXPECT_EQ(model.pocetNadbytecnych, 172 - 18);
    EXPECT_EQ(model.indexSmer, (TindexVector{0, 10, 20, 30, 40, 50, 60}));
    EXPECT_EQ(model.indexZenit, (TindexVector{0, 8, 16, 26, 36, 46, 56}));
    EXPECT_EQ(model.indexDelka, model.indexZenit);
    // Determined points first, fixed appended, flagged accordingly.
    ASSERT_EQ(model.souradnice.Pocet(), 6);
    EXPECT_EQ(model.souradnice.bod[0].cislo, "C");
    EXPECT_FALSE(model.souradnice.bod[3].JeFixni);
    EXPECT_EQ(model.souradnice.bod[4].cislo, "A");
    EXPECT_TRUE(model.souradnice.bod[4].JeFixni);
    for (const TmerenaVelicina& v : model.smer.zaznam) {
        EXPECT_EQ(v.poradi, v.poradiPosun);
        EXPECT_EQ(v.posun, 0);
        ASSERT_GE(v.iStn, 0);
        EXPECT_EQ(model.souradnice.bod[static_cast<std::size_t>(v.iStn)].cislo, v.cislo_stn);
        EXPECT_EQ(model.souradnice.bod[static_cast<std::size_t>(v.iCil)].cislo, v.cislo_cil);
    }
    EXPECT_EQ(model.zenit.zaznam[8].poradi, 2);  // group counters, not stations
    EXPECT_EQ(model.smer.zaznam[0].cislo_cil, "B");
    EXPECT_EQ(model.vektorUloziste.size(), 172u);
    EXPECT_TRUE(model.jeFix);
    EXPECT_TRUE(model.jeMerenaDelka);
    EXPECT_EQ(model.kvantil > 1.95L && model.kvantil < 1.97L, true);
}

TEST(ModelNacteni, ObservationWeightsTakeTheKindsDeviationWhenTheirOwnIsNotUsable) {
    ModelSit s = CtyruhelnikovaSit(2);
    Tmereni mereni = s.Mereni();
    mereni.zaznam[0].sig_smer = MgonNaRad(1);  // own deviation kept
    mereni.zaznam[1].sig_smer = 0;             // 0 counts as not set
    mereni.zaznam[2].sig_smer = -0.5L;         // so does any negative value
    mereni.zaznam[3].sig_smer = -1;            // the marker of "not set"
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, mereni)) << model.chyba;
    const auto& smer = model.smer.zaznam;
    EXPECT_EQ(smer[0].odchylka, MgonNaRad(1));
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(smer[static_cast<std::size_t>(i)].odchylka, test::kModelSigSmer) << i;
    }
    for (int32_t i = 0; i < model.pocetMereni; ++i) {
        const TmerenaVelicina* v = model.VelicinaRovnice(i);
        ASSERT_NE(v, nullptr);
        const Real p = 1 / (v->odchylka * v->odchylka);
        EXPECT_NEAR(static_cast<double>(model.diagonalaVah[static_cast<std::size_t>(i)] / p), 1,
                    1e-15);
        EXPECT_EQ(model.vektorUloziste[static_cast<std::size_t>(i)],
                  model.diagonalaVah[static_cast<std::size_t>(i)]);
        EXPECT_EQ(model.vektorRobustnichZmen[static_cast<std::size_t>(i)], 1);
    }
    // Neither the row nor the kind has a deviation: no weight can be formed.
    s.vahy.smer.odchylka = 0;
    mereni.zaznam[5].sig_smer = 0;
    EXPECT_FALSE(s.Nacist(model, mereni));
    EXPECT_NE(model.chyba.find("row 2 (A - C)"), std::string::npos) << model.chyba;
    EXPECT_EQ(model.pocetMereni, -1);
    EXPECT_TRUE(model.smer.zaznam.empty());
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
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model)) << model.chyba;
    ASSERT_EQ(model.vynechanaMereni.size(), 3u);
    for (const VynechaneMereni& v : model.vynechanaMereni) {
        EXPECT_EQ(v.chybejiciBod, "X");
        EXPECT_NE(v.text.find("X"), std::string::npos);
    }
    EXPECT_EQ(model.vynechanaMereni[0].cislo_stn, "X");
    EXPECT_EQ(model.vynechanaMereni[2].cislo_cil, "X");
    // The occupation of X vanished entirely; the one of C kept its row to E. The
    // orientation unknowns stay consecutive.
    EXPECT_EQ(model.pocetPosunu, 7);
    EXPECT_EQ(model.smer.NejvetsiPoradiPosunu(), 7);
    for (const TmerenaVelicina& v : model.smer.zaznam) {
        EXPECT_GE(v.iStn, 0);
        EXPECT_GE(v.iCil, 0);
    }
    ASSERT_TRUE(test::Iterovat(model)) << model.chyba;
    EXPECT_NEAR(static_cast<double>(model.souradnice.bod[0].X), 1180, 1e-7);
}

TEST(ModelNacteni, FailsOnNegativeRedundancyAndOnAPointGivenTwice) {
    ModelSit s;
    s.Bod("A", 0, 0, 0, true);
    s.Bod("B", 100, 0, 0, true);
    s.Bod("C", 50, 80, 0, false);
    s.Stanovisko("A", 0, {"C"}, false);
    Tmodel2 model;
    EXPECT_FALSE(s.Nacist(model));
    EXPECT_EQ(model.chyba, "Insufficient number of redundant measurements.");
    EXPECT_EQ(model.pocetNeznamych, -1);
    EXPECT_TRUE(model.souradnice.bod.empty());

    const ModelSit dobra = CtyruhelnikovaSit(2);
    Tsouradnice priblizne = dobra.Priblizne();
    priblizne.PridejBod(dobra.Fixni().bod[0]);
    EXPECT_FALSE(model.Nacist(dobra.Mereni(), priblizne, dobra.Fixni(), dobra.vahy, dobra.doplnek,
                              dobra.nastaveni));
    EXPECT_NE(model.chyba.find("twice"), std::string::npos);
}

struct DatumPripad {
    int fixnich;
    bool delky;
    bool smernik;
    bool prevyseni;
    int32_t typ;
    int32_t podminek;
};

TEST(ModelNacteni, DatumOfEveryNetworkType) {
    const DatumPripad pripady[] = {
        {0, true, true, false, fixace::kVolnaSmernikDelky, 3},
        {0, false, true, false, fixace::kVolnaSmernik, 4},
        {0, true, false, false, fixace::kVolnaDelky, 4},
        {0, false, false, true, fixace::kVolnaDelky, 4},  // scale from a height difference
        {0, false, false, false, fixace::kVolna, 5},
        {1, true, true, false, fixace::kBodSmernikDelky, 0},
        {1, false, true, false, fixace::kBodSmernik, 1},
        {1, true, false, false, fixace::kBodDelky, 1},
        {1, false, false, false, fixace::kBod, 2},
        {2, true, false, false, fixace::kPevnaSit, 0},
        // Two fixed points fix the scale too: no condition may be added.
        {2, false, false, false, fixace::kPevnaMeritko, 0},
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
        if (p.smernik) s.Doplnek(doplnek::kSmernik, "C", "D");
        if (p.prevyseni) s.Doplnek(doplnek::kPrevyseni, "C", "D");
        Tmodel2 model;
        model.solverChoice = volba;
        ASSERT_TRUE(s.Nacist(model)) << model.chyba;
        EXPECT_EQ(model.typFixace, p.typ) << p.fixnich << p.delky << p.smernik;
        EXPECT_EQ(model.pocetPodminek, p.podminek) << model.typFixace;
        EXPECT_EQ(model.jeFix, p.podminek == 0);
        EXPECT_EQ(model.jeMerenaDelka, p.delky || p.prevyseni);
        EXPECT_EQ(model.pocetNadbytecnych,
                  model.pocetMereni + model.pocetPodminek - model.pocetNeznamych);
        const auto u = static_cast<std::size_t>(model.pocetNeznamych + model.pocetPodminek);
        EXPECT_EQ(model.vektorPrirustku.size(), u);
        EXPECT_EQ(model.vektorUloziste.size(),
                  std::max(u, static_cast<std::size_t>(model.pocetMereni)));
        // Every type adjusts the exact network back to its shape; its size only
        // when something measured the scale.
        ASSERT_TRUE(test::Iterovat(model)) << model.typFixace << " " << model.chyba;
        // Only the sparse choice keeps the sparse solver (and no u x u matrix).
        EXPECT_EQ(model.Solver().Sparse() != nullptr, volba == SolverChoice::Sparse);
        const auto delka = [&](const char* a, const char* b) {
            return test::Vzdalenost(model.souradnice.BodSCislem(a), model.souradnice.BodSCislem(b));
        };
        const auto skutecna = [&](const char* a, const char* b) {
            return test::Vzdalenost(s.sit.Skutecny(a), s.sit.Skutecny(b));
        };
        EXPECT_NEAR(static_cast<double>(delka("C", "D") / delka("E", "F")),
                    static_cast<double>(skutecna("C", "D") / skutecna("E", "F")), 1e-10)
            << model.typFixace;
        if (model.jeMerenaDelka || p.fixnich == 2) {
            EXPECT_NEAR(static_cast<double>(delka("C", "D")),
                        static_cast<double>(skutecna("C", "D")), 1e-7)
                << model.typFixace;
        }
    }
}

TEST(ModelNacteni, ConditionRowsBorderTheNormalMatrix) {
    const ModelSit s = CtyruhelnikovaSit(0, false);
    Tmodel2 model;
    model.solverChoice = SolverChoice::Dense;
    ASSERT_TRUE(s.Nacist(model)) << model.chyba;
    ASSERT_EQ(model.typFixace, fixace::kVolna);
    ASSERT_TRUE(model.Naplnit()) << model.chyba;
    const int32_t n = model.pocetNeznamych;
    const int32_t u = n + model.pocetPodminek;
    // The dense solver keeps the bordered matrix; before a solution it is N.
    Tmatrix N;
    ASSERT_TRUE(model.Solver().Current()->CofactorMatrix(u, N));
    for (int32_t i = 0; i < model.pocetSouradnicUrcovanych / 3; ++i) {
        const Tbod& b = model.souradnice.bod[static_cast<std::size_t>(i)];
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
            if (j >= model.pocetSouradnicUrcovanych) {
                EXPECT_EQ(N[R][J], 0) << r << " " << j;
            }
        }
    }
}

TEST(ModelNacteni, NoConditionsWithTwoFixedPointsGivesTheTrueNetworkWithoutDistances) {
    // With a scale condition on top of two fixed points the angle-only network
    // would end centimetres off; it must come back exactly.
    const ModelSit s = CtyruhelnikovaSit(2, false);
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, 0.2L)) << model.chyba;
    EXPECT_EQ(model.typFixace, fixace::kPevnaMeritko);
    ASSERT_TRUE(test::Iterovat(model)) << model.chyba;
    for (int i = 0; i < 4; ++i) {
        const Tbod& b = model.souradnice.bod[static_cast<std::size_t>(i)];
        const Tbod t = s.sit.Skutecny(b.cislo);
        EXPECT_NEAR(static_cast<double>(b.X - t.X), 0, 1e-7) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Y - t.Y), 0, 1e-7) << b.cislo;
        EXPECT_NEAR(static_cast<double>(b.Z - t.Z), 0, 1e-7) << b.cislo;
    }
}

TEST(ModelNacteni, ReduceAngleNear) {
    EXPECT_EQ(Tmodel2::ReduceAngleNear(1, 1), 1);
    EXPECT_NEAR(static_cast<double>(Tmodel2::ReduceAngleNear(0.1L, 6.2L)),
                static_cast<double>(0.1L + kDvePi), 1e-15);
    EXPECT_NEAR(static_cast<double>(Tmodel2::ReduceAngleNear(6.2L, 0.1L)),
                static_cast<double>(6.2L - kDvePi), 1e-15);
    // A negative reference (a direction group's l can be one) follows the same
    // rule: the result lies in [r - pi, r + pi).
    EXPECT_NEAR(static_cast<double>(Tmodel2::ReduceAngleNear(3.0L, -3.0L)),
                static_cast<double>(3.0L - kDvePi), 1e-15);
    for (Real r = -kPi; r < kDvePi; r += 0.37L) {
        for (Real a = -9; a < 9; a += 0.41L) {
            const Real x = Tmodel2::ReduceAngleNear(a, r);
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
    s.Doplnek(doplnek::kSmernik, "C", "D");
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model)) << model.chyba;
    model.pocetIteraci = 7;
    model.zmenaVahy = 0.5L;
    model.probehloVycovaniOdlehlych = true;
    Tmodel2 kopie;
    kopie.KopirujCastOdlehle(model);
    EXPECT_EQ(kopie.smer.zaznam.size(), model.smer.zaznam.size());
    EXPECT_EQ(kopie.indexZenit, model.indexZenit);
    EXPECT_EQ(kopie.doplnek.pocetSmernik, 1);
    EXPECT_EQ(kopie.pocetIteraci, 7);
    EXPECT_EQ(kopie.zmenaVahy, 0.5L);
    EXPECT_EQ(kopie.pocetNadbytecnych, model.pocetNadbytecnych);
    EXPECT_EQ(kopie.typFixace, model.typFixace);
    EXPECT_TRUE(kopie.probehloVycovaniOdlehlych);
    EXPECT_EQ(kopie.maxPrirustek, model.maxPrirustek);
    // Not part of the copy: the points and the matrices.
    EXPECT_TRUE(kopie.souradnice.bod.empty());
    EXPECT_EQ(kopie.Solver().Current(), nullptr);
    EXPECT_EQ(kopie.pocetSouradnicUrcovanych, -1);
}

TEST(ModelNacteni, ReloadAfterObservationsWereRemoved) {
    const ModelSit s = CtyruhelnikovaSit(2);
    Tmodel2 model;
    ASSERT_TRUE(s.Nacist(model, s.Mereni(), 0.1L)) << model.chyba;
    const int32_t mereni = model.pocetMereni;
    const int32_t nadbytecnych = model.pocetNadbytecnych;
    // What the outlier removal leaves: the first distance group one shorter.
    model.delka.zaznam.erase(model.delka.zaznam.begin());
    for (std::size_t g = 1; g < model.indexDelka.size(); ++g) --model.indexDelka[g];
    model.vektorUloziste.assign(model.vektorUloziste.size(), 0);
    ASSERT_TRUE(model.NacistBezOdlehlych()) << model.chyba;
    EXPECT_EQ(model.pocetMereni, mereni - 1);
    EXPECT_EQ(model.pocetNadbytecnych, nadbytecnych - 1);
    EXPECT_EQ(model.pocetSouradnicFixnich, 6);
    EXPECT_EQ(model.vektorOprav.size(), static_cast<std::size_t>(mereni - 1));
    EXPECT_TRUE(std::equal(model.diagonalaVah.begin(), model.diagonalaVah.end(),
                           model.vektorUloziste.begin()));
    ASSERT_TRUE(test::Iterovat(model)) << model.chyba;
    EXPECT_NEAR(static_cast<double>(model.souradnice.BodSCislem("E").X), 1240, 1e-7);

    Tmodel2 prazdny;
    EXPECT_FALSE(prazdny.NacistBezOdlehlych());
}

}  // namespace
}  // namespace vertano
