#pragma once

#include <QString>

namespace vertano {
class Workspace;
struct VysledekAnalyzy;
struct VysledekVyrovnani;
struct VysledekProjektu;
}  // namespace vertano

namespace vertano::ui {

// One line that says what the last step did, for the status bar of the main
// window. `problem` marks an outcome the user has to act on.
struct StepOutcome {
    QString text;
    bool problem = false;
};

// The checks of the raw list as the last check run left them.
StepOutcome OutcomeOfChecks(const Workspace& ws);
// The raw-data analysis: points computed and measurements prepared, or what
// stopped it (the notification's title and its second line).
StepOutcome OutcomeOfAnalysis(const Workspace& ws, const VysledekAnalyzy& v);
// The network adjustment: sigma 0 a posteriori and a priori, outliers,
// uncontrolled observations and iterations, or what stopped it.
StepOutcome OutcomeOfAdjustment(const Workspace& ws, const VysledekVyrovnani& v);
// A project opened or saved, by its file name, or why not (the reader's reason).
StepOutcome OutcomeOfProject(const Workspace& ws, const VysledekProjektu& v, bool saved,
                             const QString& fileName);

}  // namespace vertano::ui
