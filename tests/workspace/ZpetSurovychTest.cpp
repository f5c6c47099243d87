#include <gtest/gtest.h>

#include "support/TestSupport.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/Workspace.h"
#include "workspace/ZpetSurovych.h"

namespace vertano {
namespace {

bool StejneRadky(const Tmereni& a, const Tmereni& b) {
    if (a.zaznam.size() != b.zaznam.size()) return false;
    for (std::size_t i = 0; i < a.zaznam.size(); ++i) {
        const Tzaznam& x = a.zaznam[i];
        const Tzaznam& y = b.zaznam[i];
        if (x.poradi != y.poradi || x.cislo_stn != y.cislo_stn || x.cislo_cil != y.cislo_cil ||
            x.smer != y.smer || x.zenit != y.zenit || x.delka != y.delka ||
            x.skupina != y.skupina || x.MaKontrolu() != y.MaKontrolu())
            return false;
    }
    return true;
}

struct Priprava {
    Workspace ws;
    Priprava() {
        const VysledekPridaniSurovych r =
            PridatSurovaMereni(ws, {{test::DataPath("../../examples/sit.mtx"), 0}});
        EXPECT_EQ(r.pocetMereni, 312);
        // As if the analysis had run on these rows, and they were saved.
        ws.state.Computed(Step::Analysis);
        ws.state.MarkSaved({});
    }
};

// A deleted row undone: the rows, their checks, the current analysis and the
// saved mark as before; done again: as after the delete.
TEST(ZpetSurovych, UndoPutsBackRowsChecksAndResults) {
    Priprava p;
    Workspace& ws = p.ws;
    const StavSurovych pred = StavSurovychMereni(ws);
    const int32_t chyby = ChybySurovychMereni(ws);
    Tvyber vyber;
    vyber.Velikost(ws.suroveMereni.zaznam.size());
    vyber.hromadny[3] = true;
    ASSERT_TRUE(SmazatVybrane(ws, vyber));
    ASSERT_FALSE(ws.state.Current(Step::Analysis));
    const StavSurovych po = StavSurovychMereni(ws);

    VratitSurovaMereni(ws, po, pred);
    EXPECT_TRUE(StejneRadky(ws.suroveMereni, pred.mereni));
    EXPECT_EQ(ws.suroveMereni.PocetPlnychZaznamu(), 312);
    EXPECT_TRUE(ws.state.Current(Step::Analysis));
    EXPECT_FALSE(ws.state.InputsChangedSinceSave());
    EXPECT_EQ(ChybySurovychMereni(ws), chyby);

    VratitSurovaMereni(ws, pred, po);
    EXPECT_TRUE(StejneRadky(ws.suroveMereni, po.mereni));
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_TRUE(ws.state.InputsChangedSinceSave());
}

// Something else happened after the edit (here the analysis ran again): the
// rows come back, but as a change of their own, so no result made from other
// rows is taken for current.
TEST(ZpetSurovych, UndoAfterAnotherStepIsANewChange) {
    Priprava p;
    Workspace& ws = p.ws;
    const StavSurovych pred = StavSurovychMereni(ws);
    Tvyber vyber;
    vyber.Velikost(ws.suroveMereni.zaznam.size());
    vyber.hromadny[0] = vyber.hromadny[1] = true;
    ASSERT_TRUE(SmazatVybrane(ws, vyber));
    const StavSurovych po = StavSurovychMereni(ws);
    ws.state.Computed(Step::Analysis);

    VratitSurovaMereni(ws, po, pred);
    EXPECT_TRUE(StejneRadky(ws.suroveMereni, pred.mereni));
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_TRUE(ws.state.InputsChangedSinceSave());
}

}  // namespace
}  // namespace vertano
