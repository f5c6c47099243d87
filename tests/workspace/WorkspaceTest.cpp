#include <gtest/gtest.h>

#include <type_traits>

#include "workspace/Workspace.h"

namespace vertano {
namespace {

static_assert(!std::is_copy_constructible_v<Workspace>);
static_assert(!std::is_copy_assignable_v<Workspace>);
static_assert(!std::is_move_constructible_v<Workspace>);

// Members are created in the order of their addresses within one object.
template <class A, class B>
bool Before(const A& a, const B& b) {
    return reinterpret_cast<const char*>(&a) < reinterpret_cast<const char*>(&b);
}

TEST(Workspace, ObjectsAreCreatedInTheProgramsOrder) {
    const Workspace ws;
    EXPECT_TRUE(Before(ws.nastaveni, ws.chyby));
    EXPECT_TRUE(Before(ws.chyby, ws.info));
    EXPECT_TRUE(Before(ws.info, ws.jazyk));
    EXPECT_TRUE(Before(ws.jazyk, ws.suroveMereni));
    EXPECT_TRUE(Before(ws.mereniJednaPoloha, ws.souradniceFixni));
    EXPECT_TRUE(Before(ws.schrankaSouradnice, ws.doplnekVstup));
    EXPECT_TRUE(Before(ws.doplnekZpracovany, ws.vahy));
}

TEST(Workspace, StartsWithDefaultSettingsAndTextsThatFollowThem) {
    const Workspace ws;
    // The program's own language is Czech.
    EXPECT_EQ(ws.nastaveni.typJazyk, 0);
    EXPECT_EQ(ws.jazyk.tlacitko.ano, "Ano");
    // The texts were filled after the settings: the default angle unit (gon) and raw
    // input format (ASC) show in the unit label and the default extension; filled
    // from settings not yet defaulted they would read "rad" and ".mtx".
    EXPECT_EQ(ws.nastaveni.jednotky.uhel, 1);
    EXPECT_EQ(ws.jazyk.popisJednotky.smer_hodnota, "gon");
    EXPECT_EQ(ws.jazyk.filter.priponaSuroveMereni, ".asc");
    EXPECT_TRUE(ws.nastaveni.prepinac.prehledChyb);

    EXPECT_EQ(ws.chyby.suroveMereniCekovyPocetChyb, 0);
    EXPECT_EQ(ws.chyby.souradniceMeritkoCekovyPocetChyb, 0);
    EXPECT_EQ(ws.chyby.souradniceFixniPocetChyb.zkresleni, -1);  // the empty point
    EXPECT_EQ(ws.info.VratPocetSouboru(info::kSurovaMereni), 0);
    EXPECT_FALSE(ws.state.Current(Step::Analysis));
    EXPECT_TRUE(ws.suroveMereni.zaznam.empty());
    EXPECT_TRUE(ws.souradniceFixni.bod.empty());
    EXPECT_EQ(ws.doplnekVstup.PocetMereni(), 0);
    EXPECT_EQ(ws.vahy.odchylkaJednotkovaApriorni, -1);
}

TEST(Workspace, LanguageSwitchRefillsTextsAndInvalidatesReports) {
    Workspace ws;
    ws.state.Computed(Step::AdjustmentReport);
    ws.state.Computed(Step::TransformationWithAdjustmentReport);
    ws.state.Computed(Step::PointAndBearingReport);
    ws.state.Computed(Step::Adjustment);
    ws.NastavitJazyk(1);
    EXPECT_EQ(ws.nastaveni.typJazyk, 1);
    EXPECT_EQ(ws.jazyk.tlacitko.ano, "Yes");
    EXPECT_FALSE(ws.state.Current(Step::AdjustmentReport));
    EXPECT_FALSE(ws.state.Current(Step::TransformationWithAdjustmentReport));
    EXPECT_FALSE(ws.state.Current(Step::PointAndBearingReport));
    EXPECT_TRUE(ws.state.Current(Step::Adjustment));  // results stay; only their reports change

    // The same language again: the reports stay current.
    ws.state.Computed(Step::AdjustmentReport);
    ws.NastavitJazyk(1);
    EXPECT_TRUE(ws.state.Current(Step::AdjustmentReport));
    // An unknown code changes nothing.
    ws.NastavitJazyk(7);
    EXPECT_EQ(ws.nastaveni.typJazyk, 1);
    EXPECT_EQ(ws.jazyk.tlacitko.ano, "Yes");
    EXPECT_TRUE(ws.state.Current(Step::AdjustmentReport));
}

TEST(Workspace, TextsFollowUnitChanges) {
    Workspace ws;
    ws.nastaveni.jednotky.uhel = 3;
    ws.nastaveni.jednotky.souradnice = 1;
    ws.ObnovitTexty();
    EXPECT_EQ(ws.jazyk.popisJednotky.smer_hodnota, "dms");
    EXPECT_EQ(ws.jazyk.popisJednotky.x_hodnota, "ft");
}

}  // namespace
}  // namespace vertano
