#pragma once

#include "mereni/Tmereni.h"
#include "workspace/WorkflowState.h"

namespace vertano {

class Workspace;

// What an edit of the raw table changes, taken before and after it so that the
// edit can be undone and done again: the rows, and which results were current.
struct StavSurovych {
    Tmereni mereni;
    WorkflowState state;
};

StavSurovych StavSurovychMereni(const Workspace& ws);

// Puts the rows of `cil` back, identified and checked as after any change of
// the list. When nothing happened since `od` was current (the workflow state is
// still that of `od`), the results current in `cil` are current again and the
// unsaved mark is as it was there; otherwise the rows count as a new change.
void VratitSurovaMereni(Workspace& ws, const StavSurovych& od, const StavSurovych& cil);

}  // namespace vertano
