#include "workspace/WorkflowState.h"

#include <utility>

namespace vertano {

namespace {

std::size_t Bit(const Step step) {
    return static_cast<std::size_t>(step);
}

// Both transformations and their reports: what was made from the pairs.
constexpr std::initializer_list<Step> kTransformations = {
    Step::TransformationWithAdjustment, Step::PointAndBearing,
    Step::TransformationWithAdjustmentReport, Step::PointAndBearingReport};

}  // namespace

bool WorkflowState::Current(const Step step) const {
    return current_.test(Bit(step));
}

void WorkflowState::Stale(const std::initializer_list<Step> steps) {
    for (const Step s : steps) current_.reset(Bit(s));
}

void WorkflowState::Started(const Step step) {
    switch (step) {
        case Step::Analysis:
            Stale({Step::Adjustment, Step::TransformationAnalysis, Step::AdjustmentReport});
            break;
        case Step::Adjustment:
            Stale({Step::TransformationAnalysis, Step::AdjustmentReport});
            Stale(kTransformations);
            break;
        case Step::TransformationAnalysis:
            Stale(kTransformations);
            break;
        case Step::TransformationWithAdjustment:
            Stale({Step::TransformationWithAdjustmentReport});
            break;
        case Step::PointAndBearing:
            Stale({Step::PointAndBearingReport});
            break;
        case Step::AdjustmentReport:
        case Step::TransformationWithAdjustmentReport:
        case Step::PointAndBearingReport:
            break;
    }
}

void WorkflowState::Computed(const Step step) {
    current_.set(Bit(step));
}

void WorkflowState::Failed(const Step step) {
    current_.reset(Bit(step));
}

void WorkflowState::MeasurementsChanged() {
    InputChanged();
    Stale({Step::Analysis, Step::AdjustmentReport});
}

void WorkflowState::GivenPointsChanged() {
    MeasurementsChanged();
}

void WorkflowState::ScaleFactorsChanged() {
    MeasurementsChanged();
}

void WorkflowState::IdenticalPointsChanged() {
    InputChanged();
    Stale({Step::TransformationAnalysis});
    Stale(kTransformations);
}

void WorkflowState::IdenticalDeviationsChanged() {
    InputChanged();
    Stale(kTransformations);
}

void WorkflowState::InputsReplaced() {
    InputChanged();
    current_.reset();
}

void WorkflowState::ObservationDeviationsChanged() {
    Stale({Step::Adjustment, Step::TransformationAnalysis, Step::AdjustmentReport});
}

void WorkflowState::AnalysisSettingsChanged() {
    Stale({Step::Analysis});
}

void WorkflowState::AdjustmentSettingsChanged() {
    Stale({Step::Adjustment});
}

void WorkflowState::TransformationSettingsChanged() {
    Stale({Step::TransformationWithAdjustment});
}

void WorkflowState::ReportTextsChanged() {
    Stale({Step::AdjustmentReport, Step::TransformationWithAdjustmentReport,
           Step::PointAndBearingReport});
}

void WorkflowState::ReportSettingsChanged(const Step report) {
    switch (report) {
        case Step::AdjustmentReport:
        case Step::TransformationWithAdjustmentReport:
        case Step::PointAndBearingReport:
            Stale({report});
            break;
        default:
            break;
    }
}

void WorkflowState::MarkSaved(std::vector<std::string> settings) {
    savedRevision_ = revision_;
    savedSettings_ = std::move(settings);
}

}  // namespace vertano
