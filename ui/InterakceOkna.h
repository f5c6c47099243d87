#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>

#include "data/Interaction.h"

namespace vertano::ui {

// The Interaction of a window. A command may run on a worker thread: its
// notifications and questions are then shown by the window's own thread, and
// the worker waits for the answer before it goes on; stage labels and progress
// are passed on without waiting (progress only when the shown tenth of a per
// cent changes, so that a command may report every step). The window's Cancel
// button sets the stop request the command polls.
class InterakceOkna : public QObject, public Interaction {
    Q_OBJECT

  public:
    struct Obsluha {
        std::function<void(const QString& nadpis, const QString& text)> zprava;
        std::function<bool(const QString& nadpis, const QString& text)> otazka;
        std::function<void(const QString& text)> etapa;
        // Per mille done, or -1 while the amount is not known.
        std::function<void(int promile)> prubeh;
    };

    // Lives in the thread of `rodic`, the window whose thread shows everything.
    InterakceOkna(QObject* rodic, Obsluha obsluha);

    // The window is going away: from now on nothing is shown, questions are
    // answered "No" and a worker waiting for an answer is released.
    void Odpojit() { odpojeno_ = true; }
    // A command starts: no stop requested, no progress shown yet.
    void Zacit();
    // The user asked the running command to stop (any thread).
    void Zastavit() { zastavit_ = true; }
    bool Zastaveno() const { return zastavit_; }

    void Notify(const std::string& title, const std::string& text) override;
    bool Ask(const std::string& title, const std::string& text) override;
    void Stage(const std::string& text) override;
    void Progress(int64_t done, int64_t total) override;
    bool StopRequested() override { return zastavit_ || odpojeno_; }

  private:
    bool VeVlakneOkna() const;
    void Ukazat(const std::function<void()>& co);

    Obsluha obsluha_;
    std::atomic<bool> odpojeno_{false};
    std::atomic<bool> zastavit_{false};
    std::atomic<int> promile_{-1};
};

}  // namespace vertano::ui
