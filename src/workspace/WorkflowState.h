#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace vertano {

// The results of the workflow that can be current or stale, each made by one
// workspace command from the inputs and the results before it.
enum class Step : uint8_t {
    Analysis,                            // the raw-data analysis and what it prepared
    Adjustment,                          // the adjusted network
    TransformationAnalysis,              // the identical points paired with the network
    TransformationWithAdjustment,        // the transformation with adjustment
    PointAndBearing,                     // the point-and-bearing transformation
    AdjustmentReport,                    // the report of the adjustment
    TransformationWithAdjustmentReport,  // the report of the transformation with adjustment
    PointAndBearingReport,               // the report of the point-and-bearing transformation
};

// Whether each result is still current, and whether the inputs changed since
// the project was last saved or opened. Only workspace commands tell it what
// happened; the layers below know nothing of it, and the front ends only ask.
//
// A result becomes stale by a named event, never by a caller's choice of flags:
// each event below lists what it makes stale. The rules keep what the windows
// rely on: an edit of the raw rows makes the analysis and the adjustment report
// stale, while the adjusted network stays shown until the analysis runs again.
class WorkflowState {
  public:
    // ---- questions ----
    bool Current(Step step) const;
    // An input the project stores (raw rows, given, identical and scale points,
    // supplementary measurements) changed since the last save or open.
    bool InputsChangedSinceSave() const { return revision_ != savedRevision_; }
    // The settings as the project stores them at the last save or open.
    const std::vector<std::string>& SavedSettings() const { return savedSettings_; }
    // Nothing happened between two states (an undone edit puts the results back
    // only then).
    bool operator==(const WorkflowState&) const = default;

    // ---- the command that makes a result ----
    // A run begins: what was made from the previous result is stale. The result
    // itself keeps its state until the run ends.
    void Started(Step step);
    // The run ended with a result made from the inputs in force, or without one.
    void Computed(Step step);
    void Failed(Step step);

    // ---- inputs the project stores; each also counts as an unsaved change ----
    // Raw rows or supplementary measurements: the analysis and the adjustment
    // report (which lists the raw rows).
    void MeasurementsChanged();
    // Given points (or which of them are fixed): as measurements.
    void GivenPointsChanged();
    // Scale factors: as measurements.
    void ScaleFactorsChanged();
    // Identical points of the second system: the transformation analysis, both
    // transformations and their reports.
    void IdenticalPointsChanged();
    // The a-priori deviations of the identical points: both transformations and
    // their reports (the pairs stay).
    void IdenticalDeviationsChanged();
    // Every input list was replaced (a project opened, or emptied by a failed
    // open): every result.
    void InputsReplaced();

    // ---- results and settings the project does not count as inputs ----
    // The a-priori deviations of the prepared observations: the adjustment, the
    // transformation analysis and the adjustment report.
    void ObservationDeviationsChanged();
    // Check limits, distance reduction, "keep the inserted coordinates", the given
    // precision behind the weights: the analysis.
    void AnalysisSettingsChanged();
    // The settings of the adjustment or its a-priori precision: the adjustment.
    void AdjustmentSettingsChanged();
    // The settings of the transformation: the transformation with adjustment.
    void TransformationSettingsChanged();
    // Units, decimals or language: every report.
    void ReportTextsChanged();
    // The contents of one report (Step::...Report).
    void ReportSettingsChanged(Step report);

    // ---- saving ----
    // The inputs were saved as a project or opened from one, with these
    // settings lines: nothing is unsaved.
    void MarkSaved(std::vector<std::string> settings);

  private:
    void Stale(std::initializer_list<Step> steps);
    void InputChanged() { ++revision_; }

    std::bitset<8> current_;
    uint64_t revision_ = 0;
    uint64_t savedRevision_ = 0;
    std::vector<std::string> savedSettings_;
};

}  // namespace vertano
