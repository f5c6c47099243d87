#pragma once

#include <QUndoCommand>
#include <functional>

#include "workspace/ZpetSurovych.h"

namespace vertano {
class Workspace;
}

namespace vertano::ui {

// One edit of the raw table on the undo stack: the rows and the state of the
// results before and after it. Pushing it does nothing (the edit is done);
// undo and redo put the rows back through the workspace and then call
// `poZmene` so that the window shows them.
class UpravaSurovych : public QUndoCommand {
  public:
    UpravaSurovych(Workspace& ws, StavSurovych pred, StavSurovych po, const QString& text,
                   std::function<void()> poZmene);

    void undo() override;
    void redo() override;

  private:
    Workspace& ws_;
    StavSurovych pred_;
    StavSurovych po_;
    std::function<void()> poZmene_;
    bool provedeno_ = true;
};

}  // namespace vertano::ui
