#pragma once

#include <QDialog>
#include <QImage>
#include <QWidget>

#include <utility>
#include <vector>
#include "PanelMapy.h"
#include "VyberMapy.h"
#include "data/Tnastaveni.h"
#include "drawing/TContainer.h"
#include "drawing/TgrafikaData.h"
#include "workspace/VystupySite.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QPushButton;

namespace vertano {
class Workspace;
}

namespace vertano::ui {

class Dialogy;

// The picture of the drawing window: the canvas painted on a bitmap of the
// widget's size. The wheel zooms (away from the user: in), dragging with the
// left or the middle button pans.
class PlatnoKresby : public QWidget {
    Q_OBJECT

  public:
    explicit PlatnoKresby(QWidget* rodic);

    TContainer& Kontejner() { return platno_; }
    const QImage& Obrazek() const { return obrazek_; }
    // Paints the data with the settings of the canvas (the caller sets them).
    void Prekreslit();
    // The default view, then a repaint.
    void Vse();
    void Zoom(bool dovnitr);
    void Posun(int dx, int dy);
    // Point i at the centre, zoomed in from the default view (a close look).
    void PriblizitNaBod(int i);

    // The marks over the picture (not part of the saved picture): the point
    // clicked or found, and the points and lines of the rows selected in a
    // result table; indices of the drawing's points.
    void NastavitVybrany(int bod);
    int Vybrany() const { return vybrany_; }
    void NastavitZvyraznene(std::vector<int> body, std::vector<std::pair<int, int>> spojnice);
    const std::vector<int>& ZvyrazneneBody() const { return zvyrazneneBody_; }
    const std::vector<std::pair<int, int>>& ZvyraznenaSpojnice() const { return spojnice_; }
    // The picture with the marks, as the screen shows it.
    QImage SOznacenim() const;

  signals:
    // The view changed by the mouse.
    void zmenaPohledu();
    // A click without a drag: the point under the pointer, -1 for none.
    void klikNaBod(int bod);

  protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    void Oznacit(QPainter& p) const;

    QImage obrazek_;
    TContainer platno_;
    QPoint tah_;
    QPoint stisk_;
    bool tazeni_ = false;
    bool posunuto_ = false;  // the press became a drag
    int vybrany_ = -1;
    std::vector<int> zvyrazneneBody_;
    std::vector<std::pair<int, int>> spojnice_;
    bool pohled_ = false;  // a view has been computed
    // The user zoomed or panned: a new size keeps the view. Until then the
    // default view follows the size of the picture.
    bool vlastniPohled_ = false;
};

// The drawing window of a result (DruhVysledku): the adjusted network or
// a transformed one, with every control of the picture on the left. The
// controls are loaded from the settings when it opens and stored back when it
// closes. It is not modal; its owner closes it when the result changes.
class OknoKresby : public QDialog {
    Q_OBJECT

  public:
    OknoKresby(QWidget* rodic, Workspace& ws, Dialogy& dialogy, DruhVysledku vysledek);

    struct Ovladani {
        QCheckBox *bod, *linie, *popis, *elipsa, *osy, *meritko;
        QComboBox *barvaFix, *barvaVyr, *barvaMereni, *barvaElipsa, *barvaPozadi;
        QComboBox *sirkaBod, *sirkaMereni, *sirkaElipsa, *sirkaOsa, *sirkaMeritko;
        QFontComboBox* pismo;
        QComboBox *velikost, *rez, *krizek, *krouzek, *zvetseni, *presnost;
        QPushButton *barvyVychozi, *cernobile, *vychozi, *vse, *zvetsit, *zmensit, *vlevo, *vpravo,
            *nahoru, *dolu, *ulozit, *zavrit;
    };
    const Ovladani& Ovladani_() const { return o_; }
    PlatnoKresby& Platno() { return *platno_; }
    DruhVysledku Vysledek() const { return vysledek_; }

    // The controls as the settings store them (item indices).
    nastaveni::Tgrafika Nastaveni() const;
    void NacistNastaveni(const nastaveni::Tgrafika& g);
    // The result's coordinates again (after a new point-and-bearing
    // transformation), the default view and a repaint.
    void ObnovitData();
    // Controls to the canvas, repaint, enabling.
    void Prekreslit();
    void Zmrazit();
    // "Save ...": the picture as on screen (PNG, BMP, JPEG) or the DXF export.
    void PrikazUlozit();

    PanelMapy& Panel() { return *panel_; }
    // Selects point i of the drawing and shows what the results hold for it.
    void VybratBod(int bod);
    // Finds the point by its name, zooms to it and selects it; false (and a
    // line in the panel) when the drawing has no such point.
    bool NajitBod(const QString& cislo);
    // The rows selected in a result table, highlighted in the drawing.
    void ZvyraznitVyber(const VyberMapy& vyber);

  protected:
    void done(int vysledek) override;

  private:
    void VytvoritOvladani();
    void Vychozi();
    void NacistData();

    Workspace& ws_;
    Dialogy& dialogy_;
    DruhVysledku vysledek_;
    TgrafikaData data_;
    PlatnoKresby* platno_ = nullptr;
    PanelMapy* panel_ = nullptr;
    Ovladani o_{};
    bool nacitani_ = false;  // loading the controls: no repaint per control
};

}  // namespace vertano::ui
