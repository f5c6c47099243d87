// The choice of the solver once per load and the one rule by which the sparse
// solver gives way to the dense one.

#include <gtest/gtest.h>

#include <functional>

#include "adjustment/DenseNetworkSolver.h"
#include "adjustment/SolverOwner.h"
#include "matice/SparseNormalSolver.h"

namespace vertano {
namespace {

SolverOwner Vlastnik() {
    return SolverOwner(&DenseNetworkSolver::Make);
}

// A step that fails on the first solver it runs on and succeeds on the next.
struct Krok {
    int behu = 0;
    bool operator()(NormalSolver&) { return ++behu > 1; }
};

TEST(SolverOwner, TheSolverIsChosenOnceAndKeptWhileTheConfigurationStays) {
    SolverOwner o = Vlastnik();
    EXPECT_EQ(o.Current(), nullptr);
    NormalSolver* prvni = &o.Use(SolverChoice::Auto, Resic::Kaskada);
    EXPECT_NE(o.Sparse(), nullptr);
    EXPECT_EQ(&o.Use(SolverChoice::Auto, Resic::Kaskada), prvni);
    // A single dense method or the dense choice is the dense solver.
    o.Use(SolverChoice::Auto, Resic::LU);
    EXPECT_EQ(o.Sparse(), nullptr);
    o.Use(SolverChoice::Dense, Resic::Kaskada);
    EXPECT_EQ(o.Sparse(), nullptr);
    // A copy has a solver of its own.
    o.Use(SolverChoice::Sparse, Resic::Kaskada);
    const SolverOwner kopie = o;
    ASSERT_NE(kopie.Sparse(), nullptr);
    EXPECT_NE(kopie.Sparse(), o.Sparse());
    o.Reset();
    EXPECT_EQ(o.Current(), nullptr);
}

TEST(SolverOwner, OnlyTheAutomaticChoiceGivesWayAndOnlyForTheRestOfTheLoad) {
    for (const SolverChoice volba : {SolverChoice::Auto, SolverChoice::Sparse}) {
        SolverOwner o = Vlastnik();
        Krok krok;
        int pripraveno = 0;
        const RunEnd konec = o.Run(volba, Resic::Kaskada, SolverStage::Solution, 100,
                                   std::ref(krok), [&](NormalSolver&) { return ++pripraveno > 0; });
        if (volba == SolverChoice::Auto) {
            EXPECT_EQ(konec, RunEnd::Done);
            EXPECT_EQ(krok.behu, 2);
            EXPECT_EQ(pripraveno, 1);
            EXPECT_TRUE(o.GaveWay());
            EXPECT_EQ(o.Sparse(), nullptr);
            EXPECT_FALSE(o.SparsePath(volba, Resic::Kaskada));
        } else {
            EXPECT_EQ(konec, RunEnd::Failed);
            EXPECT_EQ(krok.behu, 1);
            EXPECT_EQ(pripraveno, 0);
            EXPECT_NE(o.Sparse(), nullptr);
        }
        o.Reset();
        EXPECT_TRUE(o.SparsePath(volba, Resic::Kaskada));
    }
}

TEST(SolverOwner, NoWayToTheDenseSolverAtTheAssemblyOrForAMatrixTooLarge) {
    // At the assembly only a datum the sparse solver cannot handle gives way.
    SolverOwner o = Vlastnik();
    Krok krok;
    EXPECT_EQ(o.Run(SolverChoice::Auto, Resic::Kaskada, SolverStage::Assembly, 100, std::ref(krok)),
              RunEnd::Failed);
    EXPECT_FALSE(o.GaveWay());
    // Beyond the limit of the automatic fallback the sparse failure stands.
    Krok velky;
    EXPECT_EQ(
        o.Run(SolverChoice::Auto, Resic::Kaskada, SolverStage::Solution, 6001, std::ref(velky)),
        RunEnd::Failed);
    EXPECT_FALSE(o.GaveWay());
    // A preparation that fails stops the run on the dense solver.
    Krok dalsi;
    EXPECT_EQ(o.Run(SolverChoice::Auto, Resic::Kaskada, SolverStage::Cofactors, 100,
                    std::ref(dalsi), [](NormalSolver&) { return false; }),
              RunEnd::NotPrepared);
    EXPECT_TRUE(o.GaveWay());
    EXPECT_EQ(dalsi.behu, 1);
}

}  // namespace
}  // namespace vertano
