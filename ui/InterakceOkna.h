#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>

#include "data/Interaction.h"

namespace vertano::ui {

// The Interaction of the main window. A command may run on a worker thread: its
// notifications and questions are then shown by the window's own thread, and
// the worker waits for the answer before it goes on; stage labels are passed on
// without waiting.
class InterakceOkna : public QObject, public Interaction {
    Q_OBJECT

  public:
    struct Obsluha {
        std::function<void(const QString& nadpis, const QString& text)> zprava;
        std::function<bool(const QString& nadpis, const QString& text)> otazka;
        std::function<void(const QString& text)> etapa;
    };

    // Lives in the thread of `rodic`, the window whose thread shows everything.
    InterakceOkna(QObject* rodic, Obsluha obsluha);

    // The window is going away: from now on nothing is shown, questions are
    // answered "No" and a worker waiting for an answer is released.
    void Odpojit() { odpojeno_ = true; }

    void Notify(const std::string& title, const std::string& text) override;
    bool Ask(const std::string& title, const std::string& text) override;
    void Stage(const std::string& text) override;

  private:
    bool VeVlakneOkna() const;

    Obsluha obsluha_;
    std::atomic<bool> odpojeno_{false};
};

}  // namespace vertano::ui
