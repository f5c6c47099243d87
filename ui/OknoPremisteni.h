#pragma once

#include <QDialog>

class QComboBox;

namespace vertano::ui {

// "Relocate measurements": the serial numbers 1 to `pocet` (the last entry
// makes a new station after the last one); "Relocate [Ent]" closes with
// success only when an entry is chosen.
class OknoPremisteni : public QDialog {
    Q_OBJECT

  public:
    OknoPremisteni(QWidget* rodic, const QString& nadpis, const QString& text,
                   const QString& premistit, const QString& zavrit, int pocet);

    QComboBox* Seznam() const { return seznam_; }
    // The chosen serial number, 0 for none.
    int Poradi() const;

  private:
    QComboBox* seznam_ = nullptr;
};

}  // namespace vertano::ui
