#pragma once

#include <QAbstractTableModel>

#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "mereni/Tmereni.h"

namespace vertano::ui {

// The raw measurement list as a table of eight columns. The model holds no data
// of its own: every cell is formatted from the list when the view asks for it,
// so only the rows in view are ever formatted. Below the list the table shows
// empty rows, so that it is always at least one row longer than the rows that
// fit in the window (the list itself is not padded).
class ModelSurovych : public QAbstractTableModel {
    Q_OBJECT

  public:
    ModelSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QObject* rodic = nullptr);

    // The list shown; while a long command changes the real list on another
    // thread the window shows a copy.
    void NastavitZdroj(const Tmereni* mereni);
    const Tmereni& Zdroj() const { return *mereni_; }
    // The list changed (rows added, deleted, moved, renumbered).
    void Obnovit();
    // Only the texts changed (units, decimals, language).
    void ObnovitTexty();
    // The number of rows that fit in the view; the padding follows it.
    void NastavitViditelneRadky(int pocet);

    // The row of the list behind a table row; nullptr for a padding row.
    const Tzaznam* Zaznam(int radek) const;

    int rowCount(const QModelIndex& rodic = {}) const override;
    int columnCount(const QModelIndex& rodic = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int sekce, Qt::Orientation orientace, int role) const override;

    // "Group\nName [unit]" of a column (an empty first line where the column has
    // no group).
    QString Zahlavi(int sloupec) const;

  private:
    int PocetRadku() const;

    const Tnastaveni& nastaveni_;
    const Tjazyk& jazyk_;
    const Tmereni* mereni_ = nullptr;
    int viditelne_ = 0;
    int zobrazeno_ = 0;  // rows the view was last told about
};

}  // namespace vertano::ui
