#pragma once

#include <QObject>
#include <functional>

#include "InterakceOkna.h"

class QThread;

namespace vertano::ui {

class PruhPrace;

// One long command of a window at a time on a worker thread, so that the window
// goes on repainting and answering while it runs. The command talks through an
// interaction of its own: its notifications and questions are shown by the
// window's thread, its stage and progress go to the busy line, whose Cancel
// button asks it to stop. What the command may touch while it runs is the
// caller's affair: the window must not change it meanwhile.
class PraceNaPozadi : public QObject {
    Q_OBJECT

  public:
    // `dialogy` shows the notifications and asks the questions (its `etapa` and
    // `prubeh` are replaced by the busy line's).
    PraceNaPozadi(QObject* rodic, PruhPrace& pruh, InterakceOkna::Obsluha dialogy);
    // A command still running is asked to stop and waited for.
    ~PraceNaPozadi() override;

    bool Bezi() const { return vlakno_ != nullptr; }
    // Starts `prace` on the worker (nothing when one runs already); `potom`
    // runs in the window's thread once it has ended, then `dokonceno` is sent.
    bool Spustit(std::function<void(Interaction&)> prace, std::function<void()> potom);
    // Asks the running command to stop (as the Cancel button does).
    void Zastavit();
    // Processes events until the running command has ended (tests, closing).
    void Pockat();

  signals:
    void dokonceno();

  private:
    InterakceOkna* interakce_ = nullptr;
    QThread* vlakno_ = nullptr;
};

}  // namespace vertano::ui
