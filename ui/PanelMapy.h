#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;

namespace vertano {
class Workspace;
struct BodMapy;
}  // namespace vertano

namespace vertano::ui {

// The side panel of the drawing: the point search, what the results hold for
// the point clicked (coordinates, standard deviations, error ellipse, the
// observations at it with their residuals), the row selected in a result
// table, and the legend of the colours of the map. It shows what it is given;
// the window finds it.
class PanelMapy : public QWidget {
    Q_OBJECT

  public:
    PanelMapy(QWidget* rodic, const Workspace& ws);

    QLineEdit* Hledani() const { return hledani_; }
    QPushButton* Najit() const { return najit_; }
    QLabel* Zprava() const { return zprava_; }
    QTextBrowser* Informace() const { return informace_; }

    // The search field focused with its text selected (F3, Ctrl+F).
    void ZacitHledani();
    // A line under the search field; empty hides it.
    void NastavitZpravu(const QString& text);
    // The figures of a point; `maVysledky` false: its name and that the
    // adjustment holds nothing for it.
    void ZobrazitBod(const QString& cislo, const BodMapy* bod);
    // The row of a result table selected last ("caption: value" lines).
    void ZobrazitRadek(const QString& popis);
    // The hint of what a click shows.
    void Vychozi();

  signals:
    void hledat(const QString& cislo);

  private:
    const Workspace& ws_;
    QLineEdit* hledani_ = nullptr;
    QPushButton* najit_ = nullptr;
    QLabel* zprava_ = nullptr;
    QTextBrowser* informace_ = nullptr;
};

}  // namespace vertano::ui
