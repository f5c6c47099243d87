#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "data/Interaction.h"
#include "processing/IdentifikaceSkupin.h"
#include "processing/KontrolaMereni.h"
#include "processing/SkupinyTestPomocne.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Projekt.h"
#include "workspace/WorkflowState.h"
#include "workspace/Workspace.h"

namespace vertano {
namespace {

using S = Step;
constexpr int kPocetKroku = 8;

// Every result current.
WorkflowState VseAktualni() {
    WorkflowState s;
    for (int i = 0; i < kPocetKroku; ++i) s.Computed(static_cast<Step>(i));
    return s;
}

std::vector<Step> Zastarale(const WorkflowState& s) {
    std::vector<Step> v;
    for (int i = 0; i < kPocetKroku; ++i) {
        if (!s.Current(static_cast<Step>(i))) v.push_back(static_cast<Step>(i));
    }
    return v;
}

struct Udalost {
    std::string nazev;
    std::function<void(WorkflowState&)> udalost;
    std::vector<Step> zastarale;
    bool vstup;  // an input the project stores
};

// What each event makes stale, from a state where everything is current; the
// adjusted network outlives an edit of the raw rows (it stays shown until the
// analysis runs again).
TEST(WorkflowState, EachEventMakesStaleWhatWasMadeFromWhatChanged) {
    const std::vector<Step> transformace = {S::TransformationWithAdjustment, S::PointAndBearing,
                                            S::TransformationWithAdjustmentReport,
                                            S::PointAndBearingReport};
    const std::vector<Udalost> udalosti = {
        {"measurements",
         [](WorkflowState& s) { s.MeasurementsChanged(); },
         {S::Analysis, S::AdjustmentReport},
         true},
        {"given points",
         [](WorkflowState& s) { s.GivenPointsChanged(); },
         {S::Analysis, S::AdjustmentReport},
         true},
        {"scale factors",
         [](WorkflowState& s) { s.ScaleFactorsChanged(); },
         {S::Analysis, S::AdjustmentReport},
         true},
        {"identical points",
         [](WorkflowState& s) { s.IdenticalPointsChanged(); },
         {S::TransformationAnalysis, S::TransformationWithAdjustment, S::PointAndBearing,
          S::TransformationWithAdjustmentReport, S::PointAndBearingReport},
         true},
        {"identical deviations", [](WorkflowState& s) { s.IdenticalDeviationsChanged(); },
         transformace, true},
        {"inputs replaced",
         [](WorkflowState& s) { s.InputsReplaced(); },
         {S::Analysis, S::Adjustment, S::TransformationAnalysis, S::TransformationWithAdjustment,
          S::PointAndBearing, S::AdjustmentReport, S::TransformationWithAdjustmentReport,
          S::PointAndBearingReport},
         true},
        {"observation deviations",
         [](WorkflowState& s) { s.ObservationDeviationsChanged(); },
         {S::Adjustment, S::TransformationAnalysis, S::AdjustmentReport},
         false},
        {"analysis settings",
         [](WorkflowState& s) { s.AnalysisSettingsChanged(); },
         {S::Analysis},
         false},
        {"adjustment settings",
         [](WorkflowState& s) { s.AdjustmentSettingsChanged(); },
         {S::Adjustment},
         false},
        {"transformation settings",
         [](WorkflowState& s) { s.TransformationSettingsChanged(); },
         {S::TransformationWithAdjustment},
         false},
        {"report texts",
         [](WorkflowState& s) { s.ReportTextsChanged(); },
         {S::AdjustmentReport, S::TransformationWithAdjustmentReport, S::PointAndBearingReport},
         false},
        {"one report",
         [](WorkflowState& s) { s.ReportSettingsChanged(S::PointAndBearingReport); },
         {S::PointAndBearingReport},
         false},
        {"not a report", [](WorkflowState& s) { s.ReportSettingsChanged(S::Analysis); }, {}, false},
        {"analysis run",
         [](WorkflowState& s) { s.Started(S::Analysis); },
         {S::Adjustment, S::TransformationAnalysis, S::AdjustmentReport},
         false},
        {"adjustment run",
         [](WorkflowState& s) { s.Started(S::Adjustment); },
         {S::TransformationAnalysis, S::TransformationWithAdjustment, S::PointAndBearing,
          S::AdjustmentReport, S::TransformationWithAdjustmentReport, S::PointAndBearingReport},
         false},
        {"pairing run", [](WorkflowState& s) { s.Started(S::TransformationAnalysis); },
         transformace, false},
        {"transformation run",
         [](WorkflowState& s) { s.Started(S::TransformationWithAdjustment); },
         {S::TransformationWithAdjustmentReport},
         false},
        {"point-and-bearing run",
         [](WorkflowState& s) { s.Started(S::PointAndBearing); },
         {S::PointAndBearingReport},
         false},
        {"report run", [](WorkflowState& s) { s.Started(S::AdjustmentReport); }, {}, false},
    };
    for (const Udalost& u : udalosti) {
        WorkflowState s = VseAktualni();
        s.MarkSaved({"settings"});
        u.udalost(s);
        EXPECT_EQ(Zastarale(s), u.zastarale) << u.nazev;
        EXPECT_EQ(s.InputsChangedSinceSave(), u.vstup) << u.nazev;
        s.MarkSaved({"settings"});
        EXPECT_FALSE(s.InputsChangedSinceSave()) << u.nazev;
    }
}

TEST(WorkflowState, ARunEndsCurrentOrNot) {
    WorkflowState s;
    EXPECT_EQ(Zastarale(s).size(), std::size_t{kPocetKroku});
    s.Started(S::Analysis);
    EXPECT_FALSE(s.Current(S::Analysis));
    s.Computed(S::Analysis);
    EXPECT_TRUE(s.Current(S::Analysis));
    s.Started(S::Analysis);  // the result stays until the run ends
    EXPECT_TRUE(s.Current(S::Analysis));
    s.Failed(S::Analysis);
    EXPECT_FALSE(s.Current(S::Analysis));
    EXPECT_FALSE(s.InputsChangedSinceSave());
}

// The set commands change the raw list below the workspace; the workspace
// command records it, and only when something changed.
TEST(WorkflowState, SetCommandsMakeTheAnalysisStaleOnlyWhenTheListChanged) {
    Workspace ws;
    ws.NastavitJazyk(1);
    // One set to A and B, and one row to C outside it.
    ws.suroveMereni =
        testskupiny::Seznam({testskupiny::PrvniPoloha(1, "A"), testskupiny::PrvniPoloha(1, "B"),
                             testskupiny::DruhaPoloha(1, "B"), testskupiny::DruhaPoloha(1, "A"),
                             testskupiny::PrvniPoloha(1, "C")});
    IdentifikujSkupiny(ws.suroveMereni);
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    SilentInteraction ui(true);
    const auto aktualni = [&ws] {
        ws.state.Computed(S::Analysis);
        ws.state.Computed(S::AdjustmentReport);
        ws.state.MarkSaved(SettingsAsStored(ws.nastaveni));
    };
    aktualni();
    EXPECT_EQ(SeraditPolohy(ws, ui).mereni, 0);  // the set starts with face I: nothing moved
    EXPECT_TRUE(ws.state.Current(S::Analysis));
    EXPECT_FALSE(ws.state.InputsChangedSinceSave());

    EXPECT_EQ(SmazatMimoSkupiny(ws, ui), 1);
    EXPECT_FALSE(ws.state.Current(S::Analysis));
    EXPECT_FALSE(ws.state.Current(S::AdjustmentReport));
    EXPECT_TRUE(ws.state.InputsChangedSinceSave());
}

}  // namespace
}  // namespace vertano
