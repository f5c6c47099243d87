#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vertano::ui {

// The busy line of a window while a long command runs: its stage, how far it
// has got (a moving bar while the amount is not known) and the Cancel button,
// which asks the command to stop and then waits disabled until it has.
class PruhPrace : public QWidget {
    Q_OBJECT

  public:
    explicit PruhPrace(QWidget* rodic);

    QLabel* Popis() const { return popis_; }
    QProgressBar* Ukazatel() const { return ukazatel_; }
    QPushButton* Zrusit() const { return zrusit_; }

    // A command starts with its first stage and an unknown amount; Cancel is
    // shown only for a command that can stop.
    void Zacit(const QString& etapa, bool lzeZrusit);
    // The stage (an empty text keeps the last one).
    void Etapa(const QString& text);
    // Per mille done, or -1 while the amount is not known.
    void Prubeh(int promile);
    // The caption of the button in the language in force.
    void NastavitTextZrusit(const QString& text);

  signals:
    void zrusit();

  private:
    QLabel* popis_ = nullptr;
    QProgressBar* ukazatel_ = nullptr;
    QPushButton* zrusit_ = nullptr;
};

}  // namespace vertano::ui
