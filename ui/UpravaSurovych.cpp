#include "UpravaSurovych.h"

#include "workspace/Workspace.h"

namespace vertano::ui {

UpravaSurovych::UpravaSurovych(Workspace& ws, StavSurovych pred, StavSurovych po,
                               const QString& text, std::function<void()> poZmene)
    : ws_(ws), pred_(std::move(pred)), po_(std::move(po)), poZmene_(std::move(poZmene)) {
    setText(text);
}

void UpravaSurovych::undo() {
    VratitSurovaMereni(ws_, po_, pred_);
    provedeno_ = false;
    if (poZmene_) poZmene_();
}

void UpravaSurovych::redo() {
    // QUndoStack::push calls this for the edit just made.
    if (provedeno_) return;
    VratitSurovaMereni(ws_, pred_, po_);
    provedeno_ = true;
    if (poZmene_) poZmene_();
}

}  // namespace vertano::ui
