// The solver cascade, the covariance computation and its check, the text of
// the cofactor matrix, the triangle adjustment and the robust step.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "ModelSitPomocne.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/Konstanty.h"
#include "matice/ParallelRows.h"
#include "support/TestSupport.h"

namespace vertano {
namespace {

using test::CtyruhelnikovaSit;
using test::Iterovat;
using test::ModelSit;

// Two determined points tied only by a plumbing tie and a height difference, as
// a free network: the X block of the normal matrix is [[p, -p], [-p, p]], whose
// LDL^T pivot is exactly zero.
ModelSit SitSNulovymPivotem() {
    ModelSit s;
    s.Bod("P", 500, 500, 100, false);
    s.Bod("Q", 500, 500, 130, false);
    s.Doplnek(DruhDoplnku::Provazeni, "P", "Q");
    s.Doplnek(DruhDoplnku::Prevyseni, "P", "Q");
    return s;
}

TEST(ReseniKaskada, ExactlyZeroPivotGoesToLUAndKeepsTheWeights) {
    const ModelSit s = SitSNulovymPivotem();
    TmodelSite ldlt;
    ASSERT_TRUE(s.Nacist(ldlt, 0.02L)) << ldlt.Vysledek().Chyba();
    EXPECT_EQ(ldlt.Vysledek().TypFixace(), Fixace::VolnaDelky);
    ASSERT_TRUE(ldlt.Naplnit());
    const Tsouradnice pred = ldlt.Vysledek().Souradnice();
    EXPECT_FALSE(ldlt.VyrovnatLDLT(true));
    // A failed attempt changes neither the coordinates nor the weights.
    EXPECT_EQ(ldlt.Vysledek().Souradnice().bod[0].X, pred.bod[0].X);
    EXPECT_TRUE(std::equal(ldlt.Vysledek().VahyApriori().begin(),
                           ldlt.Vysledek().VahyApriori().end(), Stav(ldlt).vektorUloziste.begin()));

    TmodelSite lu;
    ASSERT_TRUE(s.Nacist(lu, 0.02L));
    ASSERT_TRUE(lu.Naplnit() && lu.VyrovnatLU(true));
    TmodelSite kaskada;
    ASSERT_TRUE(s.Nacist(kaskada, 0.02L));
    ASSERT_TRUE(kaskada.Naplnit() && kaskada.Vyrovnat()) << kaskada.Vysledek().Chyba();
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(kaskada.Vysledek().Souradnice().bod[i].X, lu.Vysledek().Souradnice().bod[i].X);
        EXPECT_EQ(kaskada.Vysledek().Souradnice().bod[i].Z, lu.Vysledek().Souradnice().bod[i].Z);
    }
    EXPECT_TRUE(std::equal(kaskada.Vysledek().VahyApriori().begin(),
                           kaskada.Vysledek().VahyApriori().end(),
                           Stav(kaskada).vektorUloziste.begin()));
    ASSERT_TRUE(Iterovat(kaskada)) << kaskada.Vysledek().Chyba();
    const Tbod& p = kaskada.Vysledek().Souradnice().bod[0];
    const Tbod& q = kaskada.Vysledek().Souradnice().bod[1];
    EXPECT_NEAR(static_cast<double>(q.X - p.X), 0, 1e-12);
    EXPECT_NEAR(static_cast<double>(q.Y - p.Y), 0, 1e-12);
    EXPECT_NEAR(static_cast<double>(q.Z - p.Z), 30, 1e-12);
}

TEST(ReseniKaskada, TheThreeSolversAgree) {
    // Free networks may meet an exactly zero LDL^T pivot, so there the cascade
    // stands for LDL^T.
    for (const int fixnich : {2, 0}) {
        const ModelSit s = CtyruhelnikovaSit(fixnich);
        Tmereni mereni = s.Mereni(2);
        test::Zasumit(mereni, 3);
        TmodelSite modely[3];
        const Resic resice[3] = {fixnich > 0 ? Resic::LDLT : Resic::Kaskada, Resic::LU, Resic::SVD};
        for (int k = 0; k < 3; ++k) {
            ASSERT_TRUE(s.Nacist(modely[k], mereni, 0.2L));
            Stav(modely[k]).resic = resice[k];
            ASSERT_TRUE(Iterovat(modely[k])) << k << " " << modely[k].Vysledek().Chyba();
        }
        for (int k = 1; k < 3; ++k) {
            for (std::size_t i = 0; i < modely[0].Vysledek().Souradnice().bod.size(); ++i) {
                const Tbod& a = modely[0].Vysledek().Souradnice().bod[i];
                const Tbod& b = modely[k].Vysledek().Souradnice().bod[i];
                EXPECT_NEAR(static_cast<double>(a.X - b.X), 0, 1e-9) << fixnich << " " << k;
                EXPECT_NEAR(static_cast<double>(a.Y - b.Y), 0, 1e-9) << fixnich << " " << k;
                EXPECT_NEAR(static_cast<double>(a.Z - b.Z), 0, 1e-9) << fixnich << " " << k;
            }
        }
    }
}

// The cofactor matrices by the two ways agree, and the check passes.
void PorovnatKovariance(const ModelSit& s, const Tmereni& mereni) {
    TmodelSite prima;
    ASSERT_TRUE(s.Nacist(prima, mereni)) << prima.Vysledek().Chyba();
    ASSERT_TRUE(Iterovat(prima)) << prima.Vysledek().Chyba();
    TmodelSite svd = prima;
    ASSERT_TRUE(prima.KovariancniMaticeCholeskyLU());
    ASSERT_TRUE(svd.KovariancniMaticeSVD());
    const int32_t n = prima.Vysledek().PocetNeznamych();
    for (int32_t i = 0; i < n; ++i) {
        for (int32_t j = 0; j < n; ++j) {
            Real a = 0;
            Real b = 0;
            ASSERT_TRUE(prima.Kofaktor(i, j, a) && svd.Kofaktor(i, j, b));
            EXPECT_NEAR(static_cast<double>(a - b), 0,
                        1e-9 * (1 + std::fabs(static_cast<double>(a))))
                << i << " " << j;
        }
    }
    for (int32_t i = 0; i < prima.Vysledek().PocetMereni(); ++i) {
        const auto I = static_cast<std::size_t>(i);
        EXPECT_NEAR(static_cast<double>(Stav(prima).vektorRedukovanychMereni[I] *
                                        prima.Vysledek().VahyApriori()[I]),
                    static_cast<double>(Stav(svd).vektorRedukovanychMereni[I] *
                                        svd.Vysledek().VahyApriori()[I]),
                    1e-9);
    }
    EXPECT_TRUE(prima.KontrolaKovariancniMatice());
    EXPECT_TRUE(prima.VypocetKovariancniMatice());
}

TEST(ReseniKaskada, CovarianceOfFixedAndFreeNetworks) {
    Tmereni mereni = CtyruhelnikovaSit(2).Mereni(2);
    test::Zasumit(mereni, 8);
    PorovnatKovariance(CtyruhelnikovaSit(2), mereni);  // Cholesky
    PorovnatKovariance(CtyruhelnikovaSit(0), mereni);  // bordered LU
}

TEST(ReseniKaskada, ObservationsWithoutRedundancyPassTheCheck) {
    // H is a polar point from a second occupation of C that sees only A and H:
    // the direction to H, its zenith angle and distance, and the direction to A
    // (the only one that orients this occupation) have no redundancy, so q = 1/p
    // for each, up to rounding.
    ModelSit s = CtyruhelnikovaSit(2);
    s.Bod("H", 1500, 900, 120, false);
    s.sit.Stanovisko("C", 2.0L);
    s.sit.Cil("A");
    s.sit.Cil("H");
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(Iterovat(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.VypocetKovariancniMatice()) << model.Vysledek().Chyba();
    int bezNadbytecnosti = 0;
    for (int32_t i = 0; i < model.Vysledek().PocetMereni(); ++i) {
        const auto I = static_cast<std::size_t>(i);
        const Real qp = Stav(model).vektorRedukovanychMereni[I] * model.Vysledek().VahyApriori()[I];
        if (std::fabs(qp - 1) < 1e-9L) {
            ++bezNadbytecnosti;
            const TmerenaVelicina* v = model.VelicinaRovnice(i);
            EXPECT_EQ(
                TmodelSite::OdchylkaOpravy(v->odchylka, 1, Stav(model).vektorRedukovanychMereni[I]),
                std::sqrt(std::max(
                    Real{0}, v->odchylka * v->odchylka - Stav(model).vektorRedukovanychMereni[I])));
            EXPECT_LT(
                TmodelSite::OdchylkaOpravy(v->odchylka, 1, Stav(model).vektorRedukovanychMereni[I]),
                1e-6L * v->odchylka);
        }
    }
    EXPECT_EQ(bezNadbytecnosti, 4);
    EXPECT_TRUE(model.KontrolaKovariancniMatice());
    // A q clearly above 1/p fails; a rounding residue does not.
    TmodelSite chybny = model;
    Stav(chybny).vektorRedukovanychMereni[0] = (1 + 1e-9L) / chybny.Vysledek().VahyApriori()[0];
    EXPECT_FALSE(chybny.KontrolaKovariancniMatice());
    Stav(chybny).vektorRedukovanychMereni[0] = (1 + 1e-14L) / chybny.Vysledek().VahyApriori()[0];
    EXPECT_TRUE(chybny.KontrolaKovariancniMatice());
    Stav(chybny).vektorRedukovanychMereni[1] = -1e-30L;
    EXPECT_FALSE(chybny.KontrolaKovariancniMatice());
    Stav(chybny).vektorRedukovanychMereni[1] = std::nanl("");
    EXPECT_FALSE(chybny.KontrolaKovariancniMatice());
    // sigma_v = sigma0 sqrt(sigma^2 / sigma0^2 - q); a negative radicand is 0.
    EXPECT_NEAR(static_cast<double>(TmodelSite::OdchylkaOpravy(0.002L, 1, 1e-6L)),
                static_cast<double>(1e-3L * std::sqrt(Real{3})), 1e-18);
    EXPECT_NEAR(static_cast<double>(TmodelSite::OdchylkaOpravy(0.004L, 2, 1e-6L)),
                static_cast<double>(2 * std::sqrt(4e-6L - 1e-6L)), 1e-18);
    EXPECT_EQ(TmodelSite::OdchylkaOpravy(0.002L, 1, 5e-6L), 0);
    EXPECT_EQ(TmodelSite::OdchylkaOpravy(0, 1, 0), -1);
}

// Three unknowns, four observations with unit weights; the Cholesky elimination
// of element (1, 2) leaves a residue of 1e-12 against diagonal sums of 1. With
// `singularni` the unknowns 1 and 2 are observed only together.
TmodelSite ModelSCholeskyZbytkem(Real zbytek, bool singularni = false) {
    TmodelSite m;
    Stav(m).pocetNeznamych = 3;
    Stav(m).pocetPodminek = 0;
    Stav(m).pocetMereni = 4;
    Stav(m).pocetSouradnicUrcovanych = 3;
    Stav(m).jeFix = true;
    Stav(m).typFixace = Fixace::PevnaSit;
    Stav(m).pocetVlakno = 2;
    Stav(m).souradnice.PridejBod(Tbod::Prazdny());
    Stav(m).diagonalaVah.assign(4, 1);
    Stav(m).vektorUloziste.assign(4, 1);
    Stav(m).vektorRedukovanychMereni.assign(4, 0);
    Stav(m).maticePlanuSparse.data = {{1}, {1, 1, zbytek}, {1, 1, zbytek}};
    Stav(m).maticePlanuSparse.index = {{0}, {0, 1, 3}, {0, 2, 3}};
    if (singularni) {
        Stav(m).maticePlanuSparse.data = {{1}, {1, 1}, {1, 1}};
        Stav(m).maticePlanuSparse.index = {{0}, {0, 1}, {0, 1}};
    }
    return m;
}

// The element test of the Cholesky path was once absolute (a non-zero sum
// below 1e-10 failed, off the diagonal too): the rounding residue of a fill-in
// that is zero in exact arithmetic then sent ordinary networks of a thousand
// points to the pseudo-inverse, a hundred times slower. Now only a pivot small
// for its own diagonal element fails, and the pseudo-inverse refuses a singular
// matrix as well.
TEST(ReseniKaskada, CholeskyTakesTheResidueOfAFillInAndRefusesOnlyASingularMatrix) {
    for (const Real zbytek : {Real{0}, Real{1e-6L}}) {
        TmodelSite model = ModelSCholeskyZbytkem(zbytek);
        ASSERT_TRUE(model.KovariancniMaticeCholeskyLU()) << static_cast<double>(zbytek);
        // Q N = I with N formed here independently.
        const Real e = zbytek * zbytek;
        const Real N[3][3] = {{1, 1, 1}, {1, 2 + e, 1 + e}, {1, 1 + e, 2 + e}};
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                Real s = 0;
                for (int k = 0; k < 3; ++k) {
                    Real q = 0;
                    ASSERT_TRUE(model.Kofaktor(i, k, q));
                    s += q * N[k][j];
                }
                EXPECT_NEAR(static_cast<double>(s), i == j ? 1 : 0, 1e-15) << i << j;
            }
        }
        EXPECT_TRUE(model.KontrolaKovariancniMatice());
    }
    for (const SolverChoice volba : {SolverChoice::Dense, SolverChoice::Sparse}) {
        TmodelSite singularni = ModelSCholeskyZbytkem(0, true);
        Stav(singularni).solverChoice = volba;
        EXPECT_FALSE(singularni.KovariancniMaticeCholeskyLU());
        EXPECT_FALSE(singularni.VypocetKovariancniMatice());
        EXPECT_EQ(singularni.Solver().Failure(), SolverFailure::Defect);
    }
}

TEST(ReseniKaskada, CofactorTextUsesTheLowerTriangleAndAPoint) {
    test::LocaleGuard locale("cs_CZ.UTF-8");
    TmodelSite m;
    Stav(m).pocetSouradnicUrcovanych = 2;
    m.SetCofactors({{1.5L, 99}, {0.25L, -2e-7L}});
    m.KovariancniMaticeText();
    EXPECT_EQ(m.Vysledek().KovariancniMaticeStr(), "1.5 0.25\r\n0.25 -2e-07\r\n");
}

// A triangle of directions: D1..D6 with (D2 - D1) + (D4 - D3) + (D6 - D5) = pi,
// occupations 1 and 2 at the first vertex, 3 at the second, 4 at the third.
Tmereni Trojuhelnik(const Real (&D)[6], const Real (&o)[4]) {
    Tmereni m;
    const int obsazeni[6][2] = {{1, 2}, {1, 2}, {3, 3}, {3, 3}, {4, 4}, {4, 4}};
    for (int k = 0; k < 2; ++k) {
        for (int d = 0; d < 6; ++d) {
            if (k == 1 && obsazeni[d][0] == obsazeni[d][1]) continue;
            Tzaznam z = Tzaznam::Prazdny();
            z.poradi = 1;
            z.soubor = d + 1;
            z.skupina = obsazeni[d][k];
            z.smer = D[d] + o[z.skupina - 1];
            m.PridejZaznam(z);
        }
    }
    return m;
}

TEST(ReseniKaskada, TriangleOfDirections) {
    const Real D[6] = {0.1L, 0.9L, 1.0L, 2.2L, 0.5L, 0.5L + kPi - 2.0L};
    const Real o[4] = {0, 0.3L, 0, 0};
    Tmereni mereni = Trojuhelnik(D, o);
    ASSERT_EQ(mereni.zaznam.size(), 8u);
    TmodelSite model;
    ASSERT_TRUE(model.VyrovnatVnejsiPresnostSmer(mereni));
    EXPECT_EQ(model.Vysledek().PocetNeznamych(), 10);
    EXPECT_EQ(model.Vysledek().PocetNadbytecnych(), 2);
    for (int d = 0; d < 6; ++d) {
        EXPECT_NEAR(static_cast<double>(Stav(model).vektorPrirustku[d]), static_cast<double>(D[d]),
                    1e-15);
    }
    EXPECT_NEAR(static_cast<double>(Stav(model).vektorPrirustku[7]), 0.3, 1e-15);
    EXPECT_NEAR(static_cast<double>(model.Vysledek().OdchylkaJednotkovaAposterior()), 0, 1e-15);

    mereni.zaznam[0].smer += 4e-4L;
    ASSERT_TRUE(model.VyrovnatVnejsiPresnostSmer(mereni));
    Real vv = 0;
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        const Tzaznam& z = mereni.zaznam[i];
        const Real v = Stav(model).vektorPrirustku[static_cast<std::size_t>(z.soubor - 1)] +
                       Stav(model).vektorPrirustku[static_cast<std::size_t>(z.skupina + 5)] -
                       z.smer;
        EXPECT_NEAR(static_cast<double>(model.Vysledek().Opravy()[i]), static_cast<double>(v),
                    1e-15);
        vv += v * v;
    }
    EXPECT_GT(vv, 0);
    EXPECT_NEAR(static_cast<double>(model.Vysledek().OdchylkaJednotkovaAposterior()),
                static_cast<double>(std::sqrt(vv / 2)), 1e-15);
    const Real soucet = Stav(model).vektorPrirustku[1] - Stav(model).vektorPrirustku[0] +
                        Stav(model).vektorPrirustku[3] - Stav(model).vektorPrirustku[2] +
                        Stav(model).vektorPrirustku[5] - Stav(model).vektorPrirustku[4];
    EXPECT_NEAR(static_cast<double>(soucet), static_cast<double>(kPi), 1e-15);

    mereni.zaznam[3].soubor = 7;  // no such direction
    EXPECT_FALSE(model.VyrovnatVnejsiPresnostSmer(mereni));
    EXPECT_EQ(model.Vysledek().PocetNeznamych(), -1);
}

TEST(ReseniKaskada, RobustStepPushesAGrossErrorDown) {
    const ModelSit s = CtyruhelnikovaSit(2);
    Tmereni mereni = s.Mereni(2);
    mereni.zaznam[7].delka += 0.05L;  // a gross error of 25 sigma
    TmodelSite model;
    ASSERT_TRUE(s.Nacist(model, mereni)) << model.Vysledek().Chyba();
    Stav(model).typOdhadu = Odhad::Huber;
    model.ZacitIterace();
    bool znovu = true;
    while (znovu) ASSERT_TRUE(model.VyrovnatRobustne(znovu)) << model.Vysledek().Chyba();
    EXPECT_LE(model.Vysledek().PocetIteraci(), model.Vysledek().MaxPocetIteraci());
    EXPECT_TRUE(model.Vysledek().ZmenaVahy() <= model.Vysledek().MaxZmenaVahy() ||
                model.Vysledek().PocetIteraci() == model.Vysledek().MaxPocetIteraci());
    // Row 7 of the list is the distance of the second station's second target
    // in set 1; find it by value.
    int32_t hruba = -1;
    for (int32_t i = 0; i < model.Vysledek().PocetDelka(); ++i) {
        if (model.Vysledek().Delka().zaznam[static_cast<std::size_t>(i)].hodnota ==
            mereni.zaznam[7].delka)
            hruba = i;
    }
    ASSERT_GE(hruba, 0);
    EXPECT_LT(model.Vysledek().RobustniZmeny()[static_cast<std::size_t>(hruba)], 0.1L);
    EXPECT_EQ(Stav(model).vektorUloziste[static_cast<std::size_t>(hruba)],
              model.Vysledek().VahyApriori()[static_cast<std::size_t>(hruba)] *
                  model.Vysledek().RobustniZmeny()[static_cast<std::size_t>(hruba)]);
    // The plain iteration afterwards starts again from the a-priori weights.
    bool dalsi = false;
    ASSERT_TRUE(model.VyrovnatOpakovane(dalsi));
    EXPECT_EQ(Stav(model).vektorUloziste[static_cast<std::size_t>(hruba)],
              model.Vysledek().VahyApriori()[static_cast<std::size_t>(hruba)]);
}

}  // namespace
}  // namespace vertano
