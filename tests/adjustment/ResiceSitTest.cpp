// The sparse and the dense solver of the normal equations hold against each
// other on every datum of the network model, report the same defects, and the
// sparse one never allocates the dense matrix.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "ModelSitPomocne.h"
#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "matice/SparseNormalSolver.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano {
namespace {

using test::CtyruhelnikovaSit;
using test::Iterovat;
using test::ModelSit;

struct Datum {
    int fixnich;
    bool delky;
    bool smernik;
    bool prevyseni;
};

// Every datum type: free (6-9), one fixed point (2-5), two fixed points (0, 1).
constexpr Datum kDatumy[] = {
    {0, true, true, false},   {0, false, true, false},  {0, true, false, false},
    {0, false, false, false}, {0, false, false, true},  {1, true, true, false},
    {1, false, true, false},  {1, true, false, false},  {1, false, false, false},
    {2, true, false, false},  {2, false, false, false},
};

ModelSit Sit(const Datum& d, Real posun) {
    ModelSit s = CtyruhelnikovaSit(d.fixnich, d.delky, posun);
    if (d.smernik) s.Doplnek(DruhDoplnku::Smernik, "C", "D");
    if (d.prevyseni) s.Doplnek(DruhDoplnku::Prevyseni, "C", "D");
    return s;
}

void Adjust(const ModelSit& s, const Tmereni& mereni, SolverChoice volba, TmodelSite& model) {
    Stav(model).solverChoice = volba;
    ASSERT_TRUE(s.Nacist(model, mereni, 0.2L)) << model.Vysledek().Chyba();
    ASSERT_TRUE(Iterovat(model)) << model.Vysledek().Chyba();
    ASSERT_TRUE(model.VypocetKovariancniMatice()) << model.Vysledek().Chyba();
}

// Local coordinates and national ones (900 km from the origin, where
// the rotation and scale conditions are nearly translations: the dense LDL^T
// used to divide by the rounding residue of the datum's pivots there and was
// nanometres off).
TEST(ResiceSit, SparseEqualsDenseOnEveryDatum) {
    for (const Real posun : {Real{0}, Real{900000}}) {
        for (const Datum& d : kDatumy) {
            SCOPED_TRACE(std::to_string(d.fixnich) + (d.delky ? " distances" : "") +
                         (d.smernik ? " bearing" : "") + (d.prevyseni ? " height" : "") +
                         (posun > 0 ? " national" : ""));
            const ModelSit s = Sit(d, posun);
            Tmereni mereni = s.Mereni(2);
            test::Zasumit(mereni, 17);
            TmodelSite husta;
            TmodelSite ridka;
            Adjust(s, mereni, SolverChoice::Dense, husta);
            Adjust(s, mereni, SolverChoice::Sparse, ridka);
            ASSERT_TRUE(ridka.RidkaCesta());
            EXPECT_EQ(ridka.Vysledek().TypFixace(), husta.Vysledek().TypFixace());
            for (std::size_t i = 0; i < husta.Vysledek().Souradnice().bod.size(); ++i) {
                const Tbod& a = husta.Vysledek().Souradnice().bod[i];
                const Tbod& b = ridka.Vysledek().Souradnice().bod[i];
                EXPECT_NEAR(static_cast<double>(a.X - b.X), 0, 1e-9) << a.cislo;
                EXPECT_NEAR(static_cast<double>(a.Y - b.Y), 0, 1e-9) << a.cislo;
                EXPECT_NEAR(static_cast<double>(a.Z - b.Z), 0, 1e-9) << a.cislo;
            }
            // The whole cofactor matrix of the unknowns, the orientations included.
            const int32_t n = husta.Vysledek().PocetNeznamych();
            Tmatrix Qh;
            Tmatrix Qr;
            ASSERT_TRUE(husta.KofaktorovaMatice(n, Qh));
            ASSERT_TRUE(ridka.KofaktorovaMatice(n, Qr));
            for (int32_t i = 0; i < n; ++i) {
                const Real skala = std::sqrt(Qh[i][i]);
                for (int32_t j = 0; j < n; ++j) {
                    const Real meritko = skala * std::sqrt(Qh[j][j]);
                    EXPECT_LE(std::fabs(Qh[i][j] - Qr[i][j]), 1e-10L * meritko) << i << " " << j;
                    Real q = 0;
                    ASSERT_TRUE(ridka.Kofaktor(i, j, q));
                    EXPECT_LE(std::fabs(q - Qr[i][j]), 1e-12L * meritko) << i << " " << j;
                }
            }
            for (int32_t k = 0; k < husta.Vysledek().PocetMereni(); ++k) {
                EXPECT_NEAR(static_cast<double>(Stav(ridka).vektorRedukovanychMereni[k] /
                                                Stav(husta).vektorRedukovanychMereni[k]),
                            1, 1e-10)
                    << k;
            }
            // Nothing of the order of the unknowns squared on the sparse path.
            ASSERT_NE(ridka.Solver().Sparse(), nullptr);
            // One symbolic analysis serves every iteration and the cofactors.
            EXPECT_EQ(ridka.Solver().Sparse()->Factorisation().Analyses(), 1);
        }
    }
}

// An island: two more determined points that observe only each other. The
// observations fix their shape but not where they lie in the network.
ModelSit SOstrovem(int fixnich) {
    ModelSit s = CtyruhelnikovaSit(fixnich);
    s.Bod("P", 1600, 1500, 90, false);
    s.Bod("Q", 1650, 1580, 95, false);
    s.Stanovisko("P", 0.7L, {"Q"});
    s.Stanovisko("Q", 1.9L, {"P"});
    return s;
}

TEST(ResiceSit, ADefectBeyondTheDatumStopsBothPaths) {
    for (const int fixnich : {2, 0}) {
        for (const SolverChoice volba :
             {SolverChoice::Dense, SolverChoice::Sparse, SolverChoice::Auto}) {
            SCOPED_TRACE(std::to_string(fixnich) + " fixed, choice " +
                         std::to_string(static_cast<int>(volba)));
            const ModelSit s = SOstrovem(fixnich);
            TmodelSite model;
            Stav(model).solverChoice = volba;
            ASSERT_TRUE(s.Nacist(model)) << model.Vysledek().Chyba();
            const Tsouradnice pred = model.Vysledek().Souradnice();
            ASSERT_TRUE(model.Naplnit()) << model.Vysledek().Chyba();
            EXPECT_FALSE(model.Vyrovnat());
            EXPECT_EQ(model.Solver().Failure(), SolverFailure::Defect);
            EXPECT_NE(model.Vysledek().Chyba().find("singular"), std::string::npos)
                << model.Vysledek().Chyba();
            // The sparse path names an unknown of the island.
            if (volba != SolverChoice::Dense) {
                EXPECT_TRUE(model.Vysledek().Chyba().find("of point P") != std::string::npos ||
                            model.Vysledek().Chyba().find("of point Q") != std::string::npos)
                    << model.Vysledek().Chyba();
                EXPECT_FALSE(model.Solver().GaveWay());
            }
            // Nothing moved.
            for (std::size_t i = 0; i < pred.bod.size(); ++i) {
                EXPECT_EQ(model.Vysledek().Souradnice().bod[i].X, pred.bod[i].X);
            }
            EXPECT_FALSE(model.VypocetKovariancniMatice());
        }
    }
}

// A free network without distances whose datum is rotation, translations and
// scale, but with a plumbing tie between two points 2 m apart in X and Y: the
// tie sees the rotation and the scale. The sparse path cannot move such a
// solution by the similarity transformation; the automatic choice hands the
// network to the dense cascade, whose bordered matrix holds the conditions.
TEST(ResiceSit, TheAutomaticChoiceGivesAnUnresolvableDatumToTheDenseCascade) {
    ModelSit s = CtyruhelnikovaSit(0, false);
    s.Bod("G", 1242, 1232, 73, false);
    s.Stanovisko("G", 0.4L, {"A", "B", "C"}, false);
    s.Doplnek(DruhDoplnku::Provazeni, "E", "G");
    s.doplnek.Seznam(DruhDoplnku::Provazeni)->zaznam.back().delka = 2;
    TmodelSite husta;
    Stav(husta).solverChoice = SolverChoice::Dense;
    ASSERT_TRUE(s.Nacist(husta)) << husta.Vysledek().Chyba();
    ASSERT_EQ(husta.Vysledek().TypFixace(), Fixace::Volna);
    ASSERT_TRUE(Iterovat(husta)) << husta.Vysledek().Chyba();

    TmodelSite ridka;
    Stav(ridka).solverChoice = SolverChoice::Sparse;
    ASSERT_TRUE(s.Nacist(ridka));
    EXPECT_FALSE(ridka.Naplnit());
    EXPECT_EQ(ridka.Solver().Failure(), SolverFailure::Unresolvable);

    TmodelSite automaticky;
    ASSERT_TRUE(s.Nacist(automaticky));
    ASSERT_TRUE(Iterovat(automaticky)) << automaticky.Vysledek().Chyba();
    EXPECT_TRUE(automaticky.Solver().GaveWay());
    for (std::size_t i = 0; i < husta.Vysledek().Souradnice().bod.size(); ++i) {
        EXPECT_NEAR(static_cast<double>(automaticky.Vysledek().Souradnice().bod[i].X -
                                        husta.Vysledek().Souradnice().bod[i].X),
                    0, 1e-12);
    }
}

}  // namespace
}  // namespace vertano
