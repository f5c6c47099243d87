#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

#include "ModelSurovych.h"
#include "RizeniVyberu.h"
#include "data/Tnastaveni.h"
#include "workspace/TabulkaMereni.h"

namespace vertano::ui {

class TabulkaSurovych;

// Draws the cells of the raw table with the colours and marks of the sets,
// faces, selection and checks.
class DelegatSurovych : public QStyledItemDelegate {
  public:
    DelegatSurovych(const TabulkaSurovych& tabulka, const Tnastaveni& nastaveni);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const TabulkaSurovych& tabulka_;
    const Tnastaveni& nastaveni_;
};

// The raw measurement table of the main window: the model, the selection
// (Tvyber) driven by mouse and keys, and the cell drawing. The Qt selection of
// the view is not used: the program's selection is the one the commands read.
class TabulkaSurovych : public QTableView {
    Q_OBJECT

  public:
    TabulkaSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QWidget* rodic = nullptr);

    ModelSurovych& Model() { return model_; }
    const ModelSurovych& Model() const { return model_; }
    Tvyber& Vyber() { return vyber_; }
    const Tvyber& Vyber() const { return vyber_; }

    // The current row (-1 for none) and making a row current and visible.
    int AktualniRadek() const;
    void NastavitAktualni(int radek);

    // The list changed: padding, selection size and repaint.
    void Obnovit();
    // The column widths follow the font; the sum is the table's natural width.
    void NastavitSirky();
    int PrirozenaSirka() const;

    // Selection commands that change no data.
    void VybratVse();
    void ZrusitVyber();

  signals:
    void vyberZmenen();
    void dvojklik();

  protected:
    void mousePressEvent(QMouseEvent* udalost) override;
    void mouseMoveEvent(QMouseEvent* udalost) override;
    void mouseReleaseEvent(QMouseEvent* udalost) override;
    void mouseDoubleClickEvent(QMouseEvent* udalost) override;
    void keyPressEvent(QKeyEvent* udalost) override;
    void resizeEvent(QResizeEvent* udalost) override;

  private:
    void PoZmeneVyberu();

    ModelSurovych model_;
    DelegatSurovych delegat_;
    Tvyber vyber_;
    RizeniVyberu rizeni_;
    bool tazeni_ = false;
    int posledniTazeny_ = -1;
};

}  // namespace vertano::ui
