#pragma once

#include <QSortFilterProxyModel>
#include <QString>
#include <string>
#include <vector>

namespace vertano::ui {

class ModelTabulky;

// The order and the filter of a table's view over its model. The model (and the
// list behind it, which reports and commands use) keeps its order; only the
// view is sorted and filtered. The padding rows below the list stay at the end
// whatever the order, and so do blank cells of the sorted column. Cells sort as
// PorovnatBunky orders them: numbers by value, names piece by piece.
class ProxyTabulky : public QSortFilterProxyModel {
    Q_OBJECT

  public:
    explicit ProxyTabulky(ModelTabulky& model, QObject* rodic = nullptr);

    // Rows whose name columns (ModelTabulky::JeJmeno; every column when the
    // table has none) hold `text`, without regard to case; empty: every row.
    void NastavitFiltr(const QString& text);
    const QString& Filtr() const { return filtr_; }

    // A row of the view and of the model (-1 where there is none).
    int RadekModelu(int radekPohledu) const;
    int RadekPohledu(int radekModelu) const;

  protected:
    bool lessThan(const QModelIndex& vlevo, const QModelIndex& vpravo) const override;
    bool filterAcceptsRow(int radek, const QModelIndex& rodic) const override;

  private:
    // The texts of the sorted column, made once per change of the list.
    const std::string& Klic(int radek, int sloupec) const;

    ModelTabulky& model_;
    QString filtr_;
    mutable std::vector<std::string> klice_;
    mutable std::vector<bool> maKlic_;
    mutable int sloupecKlicu_ = -1;
    mutable int generaceKlicu_ = -1;
};

}  // namespace vertano::ui
