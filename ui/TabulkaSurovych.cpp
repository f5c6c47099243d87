#include "TabulkaSurovych.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <array>

#include "Barvy.h"
#include "processing/KontrolaMereni.h"

namespace vertano::ui {

namespace {

// Widths of the eight columns in pixels of a 96 dpi screen with the small
// dialog font they were designed for; a larger font widens them.
constexpr std::array<int, sloupec::kPocet> kSirky = {50, 100, 80, 100, 80, 130, 130, 130};

// The value-check flag each column shows in red; -1 for none.
constexpr std::array<int, sloupec::kPocet> kKontrolaHodnoty = {-1,
                                                               -1,
                                                               kontrola::kVyskaStn,
                                                               kontrola::kCilJeStanovisko,
                                                               kontrola::kVyskaCil,
                                                               kontrola::kSmer,
                                                               kontrola::kZenit,
                                                               kontrola::kDelka};
// The face-difference and set-difference flags of a column; -1 for none.
constexpr std::array<int, sloupec::kPocet> kKontrolaPoloh = {-1,
                                                             -1,
                                                             -1,
                                                             -1,
                                                             kontrola::kPolohaVyskaCil,
                                                             kontrola::kPolohaSmer,
                                                             kontrola::kPolohaZenit,
                                                             kontrola::kPolohaDelka};
constexpr std::array<int, sloupec::kPocet> kKontrolaSkupin = {-1,
                                                              -1,
                                                              -1,
                                                              -1,
                                                              kontrola::kSkupinaVyskaCil,
                                                              kontrola::kSkupinaSmer,
                                                              kontrola::kSkupinaZenit,
                                                              kontrola::kSkupinaDelka};

bool Priznak(const Tzaznam& z, int k) {
    return k >= 0 && z.kontrola[static_cast<std::size_t>(k)];
}

// A small wedge of eight strokes at the left edge, from the top (`dole` false)
// or from the bottom of the cell.
void Klin(QPainter& p, const QRect& r, const QColor& barva, int posun, bool dole) {
    p.setPen(barva);
    for (int i = 0; i < 8; ++i) {
        const int y = dole ? r.bottom() - 1 - i : r.top() + 1 + i;
        p.drawLine(r.left() + 1 + posun, y, r.left() + 1 + posun + 7 - i, y);
    }
}

// The face mark of column 3: one or two short strokes at the left of the cell.
void ZnackaPolohy(QPainter& p, const QRect& r, bool prvni) {
    p.setPen(QPen(prvni ? barvy::kPolohaI : barvy::kChyba, 2));
    const int y1 = r.top() + 4;
    const int y2 = r.bottom() - 3;
    p.drawLine(r.left() + 4, y1, r.left() + 4, y2);
    if (!prvni) p.drawLine(r.left() + 8, y1, r.left() + 8, y2);
}

// A header of two lines: the group of a column (station, target, measured
// variables) written once across the columns it spans, the column's own name
// under it. The model gives both as "group\nname".
class HlavickaSkupin : public QHeaderView {
  public:
    explicit HlavickaSkupin(QWidget* rodic) : QHeaderView(Qt::Horizontal, rodic) {}

  protected:
    void paintSection(QPainter* p, const QRect& r, int sekce) const override {
        if (!r.isValid()) return;
        const QStringList radky = Text(sekce);
        const QString skupina = radky.value(0);
        const QString nazev = radky.value(1);
        const int pulka = r.top() + r.height() / 2;
        p->save();
        p->fillRect(r, palette().button());
        p->setPen(palette().color(QPalette::Mid));
        p->drawLine(r.bottomLeft(), r.bottomRight());
        if (skupina.isEmpty()) {
            p->drawLine(r.topRight(), r.bottomRight());
            p->setPen(palette().color(QPalette::ButtonText));
            p->drawText(r, Qt::AlignCenter, nazev);
        } else {
            // The group spans its neighbours with the same group text; each
            // section paints its part of it.
            int od = sekce;
            int po = sekce;
            while (od > 0 && Text(od - 1).value(0) == skupina) --od;
            while (po + 1 < count() && Text(po + 1).value(0) == skupina) ++po;
            const QRect horni(
                sectionViewportPosition(od), r.top(),
                sectionViewportPosition(po) + sectionSize(po) - sectionViewportPosition(od),
                pulka - r.top());
            p->setClipRect(r);
            // Inside a group the border between columns stops at its line.
            p->drawLine(r.right(), po == sekce ? r.top() : pulka, r.right(), r.bottom());
            p->drawLine(horni.left(), pulka, horni.right(), pulka);
            p->setPen(palette().color(QPalette::ButtonText));
            p->drawText(horni, Qt::AlignCenter, skupina);
            p->setPen(palette().color(QPalette::ButtonText));
            p->drawText(QRect(r.left(), pulka, r.width(), r.bottom() - pulka), Qt::AlignCenter,
                        nazev);
        }
        p->restore();
    }

  private:
    QStringList Text(int sekce) const {
        return model()->headerData(sekce, Qt::Horizontal).toString().split('\n');
    }
};

}  // namespace

DelegatSurovych::DelegatSurovych(const TabulkaSurovych& tabulka, const Tnastaveni& nastaveni)
    : QStyledItemDelegate(nullptr), tabulka_(tabulka), nastaveni_(nastaveni) {}

void DelegatSurovych::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QPainter& p = *painter;
    const ModelSurovych& model = tabulka_.Model();
    const int radek = index.row();
    const int s = index.column();
    const QRect r = option.rect;
    const Tzaznam* z = model.Zaznam(radek);
    const Tzaznam* dalsi = model.Zaznam(radek + 1);
    const Tzaznam* predchozi = model.Zaznam(radek - 1);
    const nastaveni::Tprepinac& prepinac = nastaveni_.prepinac;
    const bool plny = z != nullptr && z->JePlny();

    QColor pozadi = Qt::white;
    QColor barvaTextu = barvy::kCerna;
    bool tucne = s <= sloupec::kCisloStn;
    QColor caraPod(224, 224, 224);
    Qt::PenStyle stylCary = Qt::SolidLine;

    // The station's number, name and height only on its first row.
    const bool dalsiVeStanovisku =
        plny && dalsi != nullptr && dalsi->JePlny() && dalsi->poradi == z->poradi;
    if (plny && s <= sloupec::kVyskaStn) {
        if (predchozi != nullptr && predchozi->JePlny() && predchozi->poradi == z->poradi)
            barvaTextu = barvy::kSkryty;
        if (dalsiVeStanovisku) caraPod = barvy::kSkryty;
    }
    if (prepinac.zobrazSkupinu && plny && s >= sloupec::kCisloCil) {
        if (z->JeVeSkupine()) {
            if (s == sloupec::kCisloCil) tucne = true;
            pozadi = z->skupina % 2 == 0 ? barvy::kSudaSkupina : barvy::kLichaSkupina;
        } else {
            barvaTextu = barvy::kMimoSkupinu;
        }
        if (dalsiVeStanovisku && dalsi->skupina != z->skupina) {
            caraPod = barvy::kOddelovac;
        } else if (dalsiVeStanovisku && dalsi->poloha != z->poloha) {
            caraPod = barvy::kOddelovac;
            stylCary = Qt::DotLine;
        }
    }
    if (prepinac.kontrolaHodnot && plny &&
        Priznak(*z, kKontrolaHodnoty[static_cast<std::size_t>(s)]))
        barvaTextu = barvy::kChyba;
    const Tvyber& vyber = tabulka_.Vyber();
    const bool vybrany = z != nullptr && static_cast<std::size_t>(radek) < vyber.hromadny.size() &&
                         vyber.hromadny[static_cast<std::size_t>(radek)];
    if (vybrany) {
        pozadi = barvy::kVybrany;
        barvaTextu = barvy::kCerna;
        tucne = false;
    }

    p.save();
    p.fillRect(r, pozadi);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        QFont pismo = option.font;
        pismo.setBold(tucne);
        p.setFont(pismo);
        p.setPen(barvaTextu);
        p.drawText(r.adjusted(2, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, text);
    }
    if (plny && prepinac.kontrolaRozdilPoloh) {
        const int k = kKontrolaPoloh[static_cast<std::size_t>(s)];
        if (Priznak(*z, k)) {
            const bool cervena = k == kontrola::kPolohaVyskaCil;
            Klin(p, r, cervena ? barvy::kChyba : barvy::kRozdilPoloh, 0, false);
        }
        if (s == sloupec::kDelka && Priznak(*z, kontrola::kDelkaVJednePoloze))
            Klin(p, r, barvy::kChyba, 0, false);
    }
    if (plny && prepinac.kontrolaRozdilSkupin &&
        Priznak(*z, kKontrolaSkupin[static_cast<std::size_t>(s)])) {
        Klin(p, r, barvy::kRozdilSkupin, 0, true);
        Klin(p, r, barvy::kRozdilSkupin, 5, true);
    }
    if (plny && prepinac.zobrazPolohu && s == sloupec::kCisloCil) ZnackaPolohy(p, r, z->poloha);

    // Grid: the right edge, then the line under the cell.
    p.setPen(barvy::kCerna);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    if (plny && !dalsiVeStanovisku) {
        p.setPen(QPen(barvy::kKonecStanoviska, 1));
    } else {
        p.setPen(QPen(caraPod, 1, stylCary));
    }
    p.drawLine(r.left(), r.bottom(), r.right() - 1, r.bottom());
    if (radek == tabulka_.AktualniRadek()) {
        p.setPen(QPen(barvy::kCerna, 1, Qt::DotLine));
        p.drawLine(r.left(), r.top(), r.right(), r.top());
        p.drawLine(r.left(), r.bottom() - 1, r.right(), r.bottom() - 1);
    }
    p.restore();
}

TabulkaSurovych::TabulkaSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QWidget* rodic)
    : QTableView(rodic), model_(nastaveni, jazyk), delegat_(*this, nastaveni) {
    setHorizontalHeader(new HlavickaSkupin(this));
    setModel(&model_);
    setItemDelegate(&delegat_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(false);
    NastavitSirky();
}

int TabulkaSurovych::AktualniRadek() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

void TabulkaSurovych::NastavitAktualni(int radek) {
    if (radek < 0 || radek >= model_.rowCount()) return;
    const int sloupec = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(model_.index(radek, sloupec));
    scrollTo(model_.index(radek, sloupec));
    vyber_.aktualni = radek;
    viewport()->update();
}

void TabulkaSurovych::Obnovit() {
    vyber_.Velikost(model_.Zdroj().zaznam.size());
    OdznacitPrazdne(model_.Zdroj(), vyber_);
    model_.Obnovit();
    viewport()->update();
}

void TabulkaSurovych::NastavitSirky() {
    const QFontMetrics fm = horizontalHeader()->fontMetrics();
    QFont tucne = font();
    tucne.setBold(true);
    const QFontMetrics fmTucne(tucne);
    for (int s = 0; s < sloupec::kPocet; ++s) {
        int sirka = kSirky[static_cast<std::size_t>(s)];
        for (const QString& radek : model_.Zahlavi(s).split('\n'))
            sirka = std::max(sirka, fm.horizontalAdvance(radek) + 16);
        // Room for the widest value a column shows at ten decimals.
        if (s >= sloupec::kVyskaStn)
            sirka = std::max(sirka, fmTucne.horizontalAdvance(QStringLiteral("-0000.0000000")));
        setColumnWidth(s, sirka);
    }
    horizontalHeader()->setFixedHeight(2 * fm.height() + 10);
}

int TabulkaSurovych::PrirozenaSirka() const {
    int sirka = 0;
    for (int s = 0; s < sloupec::kPocet; ++s) sirka += columnWidth(s);
    return sirka + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

void TabulkaSurovych::VybratVse() {
    vertano::VybratVse(model_.Zdroj(), vyber_);
    PoZmeneVyberu();
}

void TabulkaSurovych::ZrusitVyber() {
    vyber_.Zrusit();
    rizeni_.Zrusit();
    PoZmeneVyberu();
}

void TabulkaSurovych::PoZmeneVyberu() {
    OdznacitPrazdne(model_.Zdroj(), vyber_);
    viewport()->update();
    emit vyberZmenen();
}

void TabulkaSurovych::mousePressEvent(QMouseEvent* udalost) {
    if (udalost->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(udalost);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int radek = rowAt(static_cast<int>(udalost->position().y()));
    if (radek < 0) return;
    const Qt::KeyboardModifiers m = udalost->modifiers();
    rizeni_.Klik(model_.Zdroj(), vyber_, radek, m & Qt::ControlModifier, m & Qt::ShiftModifier);
    NastavitAktualni(radek);
    tazeni_ = true;
    posledniTazeny_ = radek;
    // The pointer stays with the table until the button is released.
    grabMouse();
    PoZmeneVyberu();
}

void TabulkaSurovych::mouseMoveEvent(QMouseEvent* udalost) {
    if (!tazeni_ || !(udalost->buttons() & Qt::LeftButton)) return;
    const int y =
        std::clamp(static_cast<int>(udalost->position().y()), 0, viewport()->height() - 1);
    const int radek = rowAt(y);
    if (radek < 0 || radek == posledniTazeny_) return;
    posledniTazeny_ = radek;
    const Qt::KeyboardModifiers m = udalost->modifiers();
    rizeni_.Tazeni(model_.Zdroj(), vyber_, radek, m & Qt::ControlModifier, m & Qt::ShiftModifier);
    NastavitAktualni(radek);
    PoZmeneVyberu();
}

void TabulkaSurovych::mouseReleaseEvent(QMouseEvent* udalost) {
    if (tazeni_ && udalost->button() == Qt::LeftButton) {
        tazeni_ = false;
        releaseMouse();
    }
}

void TabulkaSurovych::mouseDoubleClickEvent(QMouseEvent* udalost) {
    if (udalost->button() == Qt::LeftButton) emit dvojklik();
}

void TabulkaSurovych::keyPressEvent(QKeyEvent* udalost) {
    const int aktualni = AktualniRadek();
    switch (udalost->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            rizeni_.Enter(model_.Zdroj(), vyber_, aktualni);
            PoZmeneVyberu();
            return;
        case Qt::Key_Space:
            rizeni_.Mezernik(model_.Zdroj(), vyber_, aktualni);
            PoZmeneVyberu();
            return;
        default:
            break;
    }
    if (udalost->modifiers() == Qt::ControlModifier && udalost->key() == Qt::Key_A) {
        VybratVse();
        return;
    }
    if (udalost->modifiers() == Qt::ControlModifier && udalost->key() == Qt::Key_D) {
        ZrusitVyber();
        return;
    }
    QTableView::keyPressEvent(udalost);
    vyber_.aktualni = AktualniRadek();
    viewport()->update();
}

void TabulkaSurovych::resizeEvent(QResizeEvent* udalost) {
    QTableView::resizeEvent(udalost);
    const int vyska = std::max(1, verticalHeader()->defaultSectionSize());
    model_.NastavitViditelneRadky(viewport()->height() / vyska + 1);
}

}  // namespace vertano::ui
