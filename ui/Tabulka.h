#pragma once

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

#include "ModelTabulky.h"
#include "ProxyTabulky.h"
#include "RizeniVyberu.h"
#include "data/Tnastaveni.h"
#include "workspace/TabulkaMereni.h"

namespace vertano::ui {

class Tabulka;

// Draws the cells of a table: selection, current row and the marks of the
// model; rows of measurement lists also with the colours and marks of the
// stations, sets, faces and checks of the raw table.
class DelegatTabulky : public QStyledItemDelegate {
  public:
    DelegatTabulky(const Tabulka& tabulka, const Tnastaveni& nastaveni);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const Tabulka& tabulka_;
    const Tnastaveni& nastaveni_;
};

// The table of every list window of the program: a model that formats only the
// rows in view, the selection (Tvyber) driven by mouse and keys, and the cell
// drawing. The Qt selection of the view is not used: the program's selection
// is the one the commands read, by rows of the list. The view may be sorted by
// a column and filtered (ProxyTabulky) without touching the list: the mouse
// and the keys work in the order shown and select rows of the list, and a row
// the filter hides is never selected.
class Tabulka : public QTableView {
    Q_OBJECT

  public:
    Tabulka(const Tnastaveni& nastaveni, QWidget* rodic = nullptr);

    ModelTabulky& ModelT() { return *model_; }
    const ModelTabulky& ModelT() const { return *model_; }
    Tvyber& Vyber() { return vyber_; }
    const Tvyber& Vyber() const { return vyber_; }

    ProxyTabulky& Pohled() { return *proxy_; }
    const ProxyTabulky& Pohled() const { return *proxy_; }

    // The current row of the list (-1 for none) and making a row current and
    // visible (nothing when the filter hides it).
    int AktualniRadek() const;
    void NastavitAktualni(int radek);

    // The list changed: padding, selection size and repaint.
    void Obnovit();
    // The column widths follow the font and the header; the sum is the
    // table's natural width.
    void NastavitSirky();
    int PrirozenaSirka() const;

    // Selection commands that change no data.
    void VybratVse();
    void ZrusitVyber();
    // Every row the model calls an error (outliers, wrong measurements).
    void VybratChybne();
    // The next row the model calls an error becomes current; false when none.
    bool NajitChybny();
    // The selected rows as the system clipboard takes them: one line per row
    // ending in CR LF, the cells as shown separated by TAB, in the order shown;
    // with `zahlavi` the captions of the columns first.
    QString TextVybranych(bool zahlavi = false) const;

    // Clicks on a column header sort the view by it: ascending, descending,
    // then the order of the list again.
    void PovolitRazeni();
    void Seradit(int sloupec, Qt::SortOrder poradi);
    void ZrusitRazeni();
    // Shows only the rows whose names hold the text; the hidden rows are
    // deselected.
    void Filtrovat(const QString& text);
    // The captions of the columns on one line each, and the full rows in the
    // order shown (for CSV).
    std::vector<std::string> ZahlaviSloupcu() const;
    std::vector<std::vector<std::string>> RadkyPohledu() const;
    // The full rows the filter lets through.
    int PocetZobrazenych() const;

  signals:
    void vyberZmenen();
    void dvojklik();

  protected:
    // A subclass that owns its model hands it over from its constructor.
    void NastavitModel(ModelTabulky* model);

    void mousePressEvent(QMouseEvent* udalost) override;
    void mouseMoveEvent(QMouseEvent* udalost) override;
    void mouseReleaseEvent(QMouseEvent* udalost) override;
    void mouseDoubleClickEvent(QMouseEvent* udalost) override;
    void keyPressEvent(QKeyEvent* udalost) override;
    void resizeEvent(QResizeEvent* udalost) override;

  private:
    void PoZmeneVyberu();
    void KlikNaZahlavi(int sloupec);
    // Runs a selection rule in the order of the view: the selection of the
    // visible rows in that order goes in, the result comes back to the list.
    void VPohledu(const std::function<void(const RadkyTabulky&, Tvyber&)>& pravidlo);
    int RadekModelu(int radekPohledu) const;

    ModelTabulky* model_ = nullptr;
    ProxyTabulky* proxy_ = nullptr;
    DelegatTabulky delegat_;
    Tvyber vyber_;
    RizeniVyberu rizeni_;
    bool tazeni_ = false;
    int posledniTazeny_ = -1;

    friend class TabulkaSeznamu;
    friend class TabulkaSurovych;
};

// A table over a list described by column functions (ModelSeznamu).
class TabulkaSeznamu : public Tabulka {
    Q_OBJECT

  public:
    TabulkaSeznamu(const Tnastaveni& nastaveni, QWidget* rodic = nullptr);
    ModelSeznamu& Model() { return model_; }
    const ModelSeznamu& Model() const { return model_; }

  private:
    ModelSeznamu model_;
};

}  // namespace vertano::ui
