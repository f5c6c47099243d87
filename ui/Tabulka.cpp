#include "Tabulka.h"

#include "TabulkaSurovych.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <array>

#include "Barvy.h"
#include "Texty.h"
#include "processing/KontrolaMereni.h"
#include "workspace/TextTabulky.h"

namespace vertano::ui {

namespace {

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

// The column's entry of a table of the raw columns; -1 outside.
int Z(const std::array<int, sloupec::kPocet>& tabulka, int sloupec) {
    return sloupec >= 0 && sloupec < sloupec::kPocet ? tabulka[static_cast<std::size_t>(sloupec)]
                                                     : -1;
}

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
    static constexpr int kSirkaSipky = 12;  // room of the sort mark at the right

    explicit HlavickaSkupin(QWidget* rodic) : QHeaderView(Qt::Horizontal, rodic) {}

  protected:
    void paintSection(QPainter* p, const QRect& r, int sekce) const override {
        if (!r.isValid()) return;
        const QStringList radky = Text(sekce);
        const QString skupina = radky.value(0);
        const QString nazev = radky.value(1);
        const int pulka = r.top() + r.height() / 2;
        // The sorted column's name moves left of its sort mark.
        const bool razeny = isSortIndicatorShown() && sortIndicatorSection() == sekce;
        const QRect proNazev = razeny ? r.adjusted(0, 0, -kSirkaSipky, 0) : r;
        p->save();
        p->fillRect(r, palette().button());
        p->setPen(palette().color(QPalette::Mid));
        p->drawLine(r.bottomLeft(), r.bottomRight());
        if (skupina.isEmpty()) {
            p->drawLine(r.topRight(), r.bottomRight());
            p->setPen(palette().color(QPalette::ButtonText));
            p->drawText(proNazev, Qt::AlignCenter, nazev);
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
            p->drawText(QRect(r.left(), pulka, proNazev.width(), r.bottom() - pulka),
                        Qt::AlignCenter, nazev);
        }
        if (razeny) Sipka(*p, r);
        p->restore();
    }

  private:
    // The sort mark at the right of the column's name: a small triangle up for
    // an ascending order, down for a descending one.
    void Sipka(QPainter& p, const QRect& r) const {
        const int a = 4;
        const int x = r.right() - kSirkaSipky + 1;
        const int y = r.top() + r.height() * 3 / 4;
        QPolygon t;
        if (sortIndicatorOrder() == Qt::AscendingOrder) {
            t << QPoint(x, y + a / 2) << QPoint(x + 2 * a, y + a / 2) << QPoint(x + a, y - a / 2);
        } else {
            t << QPoint(x, y - a / 2) << QPoint(x + 2 * a, y - a / 2) << QPoint(x + a, y + a / 2);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(QPalette::ButtonText));
        p.drawPolygon(t);
    }

    QStringList Text(int sekce) const {
        return model()->headerData(sekce, Qt::Horizontal).toString().split('\n');
    }
};

// The small red "F" of a fixed point at the left of a cell.
void ZnackaFixni(QPainter& p, const QRect& r, const QFont& pismo) {
    QFont male = pismo;
    male.setBold(true);
    male.setPointSizeF(std::max(5.0, pismo.pointSizeF() * 0.75));
    p.setFont(male);
    p.setPen(barvy::kChyba);
    p.drawText(r.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("F"));
}

}  // namespace

DelegatTabulky::DelegatTabulky(const Tabulka& tabulka, const Tnastaveni& nastaveni)
    : QStyledItemDelegate(nullptr), tabulka_(tabulka), nastaveni_(nastaveni) {}

void DelegatTabulky::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    QPainter& p = *painter;
    const ModelTabulky& model = tabulka_.ModelT();
    const ProxyTabulky& pohled = tabulka_.Pohled();
    // The row of the list; its neighbours are those shown above and below it.
    const int radek = pohled.RadekModelu(index.row());
    const int sloupecTabulky = index.column();
    const int s = model.SurovySloupec(sloupecTabulky);
    const QRect r = option.rect;
    const bool vSeznamu = radek >= 0 && radek < model.PocetZaznamu();
    const Tzaznam* z = s >= 0 ? model.Zaznam(radek) : nullptr;
    const Tzaznam* dalsi = s >= 0 ? model.Zaznam(pohled.RadekModelu(index.row() + 1)) : nullptr;
    const Tzaznam* predchozi = s >= 0 ? model.Zaznam(pohled.RadekModelu(index.row() - 1)) : nullptr;
    const nastaveni::Tprepinac& prepinac = nastaveni_.prepinac;
    const bool plnyZaznam = z != nullptr && z->JePlny();
    const bool plny = vSeznamu && model.JePlny(radek);

    QColor pozadi = Qt::white;
    QColor barvaTextu = barvy::kCerna;
    bool tucne = model.Tucne(sloupecTabulky);
    QColor caraPod(224, 224, 224);
    Qt::PenStyle stylCary = Qt::SolidLine;

    // The station's number, name and height only on its first row.
    const bool dalsiVeStanovisku =
        plnyZaznam && dalsi != nullptr && dalsi->JePlny() && dalsi->poradi == z->poradi;
    if (plnyZaznam && s <= sloupec::kVyskaStn) {
        if (predchozi != nullptr && predchozi->JePlny() && predchozi->poradi == z->poradi)
            barvaTextu = barvy::kSkryty;
        if (dalsiVeStanovisku) caraPod = barvy::kSkryty;
    }
    if (prepinac.zobrazSkupinu && plnyZaznam && s >= sloupec::kCisloCil) {
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
    if (prepinac.kontrolaHodnot && plnyZaznam && Priznak(*z, Z(kKontrolaHodnoty, s)))
        barvaTextu = barvy::kChyba;
    const Znacka znacka = plny ? model.ZnackaBunky(radek, sloupecTabulky) : Znacka::Zadna;
    if (znacka == Znacka::Chyba) barvaTextu = barvy::kChyba;
    const Tvyber& vyber = tabulka_.Vyber();
    const bool vybrany = vSeznamu && static_cast<std::size_t>(radek) < vyber.hromadny.size() &&
                         vyber.hromadny[static_cast<std::size_t>(radek)];
    if (vybrany) {
        pozadi = barvy::kVybrany;
        // A selected row keeps the red of its errors, so that they stay visible.
        if (znacka != Znacka::Chyba) barvaTextu = barvy::kCerna;
        tucne = false;
    }

    // A row switched off by the user: its pointing is struck out and grey, the
    // station columns stay as they are.
    const bool vyrazeny = plnyZaznam && z->jeVyrazeno && s >= sloupec::kCisloCil;
    if (vyrazeny) barvaTextu = barvy::kVyrazeny;

    p.save();
    p.fillRect(r, pozadi);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty()) {
        QFont pismo = option.font;
        pismo.setBold(tucne);
        pismo.setStrikeOut(vyrazeny);
        p.setFont(pismo);
        p.setPen(barvaTextu);
        p.drawText(r.adjusted(2, 0, -3, 0), Qt::AlignRight | Qt::AlignVCenter, text);
    }
    if (znacka == Znacka::Fixni) ZnackaFixni(p, r, option.font);
    if (plnyZaznam && prepinac.kontrolaRozdilPoloh) {
        const int k = Z(kKontrolaPoloh, s);
        if (Priznak(*z, k)) {
            const bool cervena = k == kontrola::kPolohaVyskaCil;
            Klin(p, r, cervena ? barvy::kChyba : barvy::kRozdilPoloh, 0, false);
        }
        if (s == sloupec::kDelka && Priznak(*z, kontrola::kDelkaVJednePoloze))
            Klin(p, r, barvy::kChyba, 0, false);
    }
    if (plnyZaznam && prepinac.kontrolaRozdilSkupin && Priznak(*z, Z(kKontrolaSkupin, s))) {
        Klin(p, r, barvy::kRozdilSkupin, 0, true);
        Klin(p, r, barvy::kRozdilSkupin, 5, true);
    }
    if (plnyZaznam && prepinac.zobrazPolohu && s == sloupec::kCisloCil)
        ZnackaPolohy(p, r, z->poloha);

    // Grid: the right edge, then the line under the cell.
    p.setPen(barvy::kCerna);
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
    if (plnyZaznam && !dalsiVeStanovisku) {
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

Tabulka::Tabulka(const Tnastaveni& nastaveni, QWidget* rodic)
    : QTableView(rodic), delegat_(*this, nastaveni) {
    setHorizontalHeader(new HlavickaSkupin(this));
    setItemDelegate(&delegat_);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    // The user may widen a column; the window remembers the widths.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setMinimumSectionSize(20);
    // A group caption spans several columns and follows any of them.
    connect(horizontalHeader(), &QHeaderView::sectionResized, horizontalHeader()->viewport(),
            qOverload<>(&QWidget::update));
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMouseTracking(false);
}

void Tabulka::NastavitModel(ModelTabulky* model) {
    model_ = model;
    proxy_ = new ProxyTabulky(*model, this);
    setModel(proxy_);
    NastavitSirky();
}

int Tabulka::RadekModelu(int radekPohledu) const {
    return proxy_->RadekModelu(radekPohledu);
}

int Tabulka::AktualniRadek() const {
    return currentIndex().isValid() ? RadekModelu(currentIndex().row()) : -1;
}

void Tabulka::NastavitAktualni(int radek) {
    const int vPohledu = proxy_->RadekPohledu(radek);
    if (vPohledu < 0) return;
    const int sloupec = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(proxy_->index(vPohledu, sloupec));
    scrollTo(proxy_->index(vPohledu, sloupec));
    vyber_.aktualni = radek;
    viewport()->update();
}

namespace {

// The rows of a sorted or filtered view as the selection rules see them: the
// rows of the list it shows, in its order (the padding comes last).
class RadkyVPohledu : public RadkyTabulky {
  public:
    RadkyVPohledu(const ModelTabulky& model, const ProxyTabulky& pohled) : model_(model) {
        for (int r = 0; r < pohled.rowCount(); ++r) {
            const int m = pohled.RadekModelu(r);
            if (m < 0 || m >= model.PocetZaznamu()) break;
            radky_.push_back(m);
        }
    }
    int PocetZaznamu() const override { return static_cast<int>(radky_.size()); }
    bool JePlny(int radek) const override {
        return radek >= 0 && radek < PocetZaznamu() && model_.JePlny(Radek(radek));
    }
    int Radek(int radek) const { return radky_[static_cast<std::size_t>(radek)]; }

  private:
    const ModelTabulky& model_;
    std::vector<int> radky_;
};

}  // namespace

void Tabulka::VPohledu(const std::function<void(const RadkyTabulky&, Tvyber&)>& pravidlo) {
    // Unsorted and unfiltered the view is the list: no copy (the raw table of
    // a large job stays quick while dragging).
    if (proxy_->Filtr().isEmpty() && proxy_->sortColumn() < 0) {
        pravidlo(*model_, vyber_);
        return;
    }
    const RadkyVPohledu radky(*model_, *proxy_);
    const int n = radky.PocetZaznamu();
    vyber_.Velikost(static_cast<std::size_t>(std::max(0, model_->PocetZaznamu())));
    Tvyber v;
    v.Velikost(static_cast<std::size_t>(n));
    for (int r = 0; r < n; ++r)
        v.hromadny[static_cast<std::size_t>(r)] =
            vyber_.hromadny[static_cast<std::size_t>(radky.Radek(r))];
    pravidlo(radky, v);
    std::fill(vyber_.hromadny.begin(), vyber_.hromadny.end(), false);
    for (int r = 0; r < n; ++r) {
        if (v.hromadny[static_cast<std::size_t>(r)])
            vyber_.hromadny[static_cast<std::size_t>(radky.Radek(r))] = true;
    }
}

void Tabulka::PovolitRazeni() {
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &Tabulka::KlikNaZahlavi,
            Qt::UniqueConnection);
}

void Tabulka::KlikNaZahlavi(int sloupec) {
    // The order of the view, not the header's indicator: the header flips that
    // itself before it reports the click.
    const bool tento = proxy_->sortColumn() == sloupec;
    if (!tento) {
        Seradit(sloupec, Qt::AscendingOrder);
    } else if (proxy_->sortOrder() == Qt::AscendingOrder) {
        Seradit(sloupec, Qt::DescendingOrder);
    } else {
        ZrusitRazeni();
    }
}

void Tabulka::Seradit(int sloupec, Qt::SortOrder poradi) {
    const int aktualni = AktualniRadek();
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(sloupec, poradi);
    proxy_->sort(sloupec, poradi);
    if (aktualni >= 0) NastavitAktualni(aktualni);
    viewport()->update();
}

void Tabulka::ZrusitRazeni() {
    const int aktualni = AktualniRadek();
    horizontalHeader()->setSortIndicatorShown(false);
    proxy_->sort(-1);
    if (aktualni >= 0) NastavitAktualni(aktualni);
    viewport()->update();
}

void Tabulka::Filtrovat(const QString& text) {
    proxy_->NastavitFiltr(text);
    // A command must never reach a row the user cannot see.
    VPohledu([](const RadkyTabulky&, Tvyber&) {});
    PoZmeneVyberu();
}

void Tabulka::Obnovit() {
    vyber_.Velikost(static_cast<std::size_t>(std::max(0, model_->PocetZaznamu())));
    OdznacitPrazdneRadky(*model_, vyber_);
    model_->Obnovit();
    // A row an edit took out of the filter is no longer selected either.
    if (!proxy_->Filtr().isEmpty()) VPohledu([](const RadkyTabulky&, Tvyber&) {});
    viewport()->update();
}

void Tabulka::NastavitSirky() {
    const QFontMetrics fm = horizontalHeader()->fontMetrics();
    QFont tucne = font();
    tucne.setBold(true);
    const QFontMetrics fmTucne(tucne);
    // Columns of measured values keep room for the widest value at ten
    // decimals, so that the width does not follow the data; the others fit the
    // texts of the first rows.
    const int vzorek = std::min(model_->PocetZaznamu(), 200);
    for (int s = 0; s < model_->PocetSloupcu(); ++s) {
        int sirka = model_->NavrhovaSirka(s);
        for (const QString& radek : model_->Zahlavi(s).split('\n'))
            sirka = std::max(sirka, fm.horizontalAdvance(radek) + 16);
        if (model_->SurovySloupec(s) >= sloupec::kVyskaStn)
            sirka = std::max(sirka, fmTucne.horizontalAdvance(QStringLiteral("-0000.0000000")));
        for (int r = 0; r < vzorek; ++r) {
            if (model_->JePlny(r))
                sirka = std::max(sirka, fmTucne.horizontalAdvance(model_->Text(r, s)) + 12);
        }
        setColumnWidth(s, sirka);
    }
    horizontalHeader()->setFixedHeight(2 * fm.height() + 10);
}

int Tabulka::PrirozenaSirka() const {
    int sirka = 0;
    for (int s = 0; s < model_->PocetSloupcu(); ++s) sirka += columnWidth(s);
    return sirka + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

void Tabulka::VybratVse() {
    VPohledu([](const RadkyTabulky& radky, Tvyber& v) { VybratPlne(radky, v); });
    PoZmeneVyberu();
}

void Tabulka::ZrusitVyber() {
    vyber_.Zrusit();
    rizeni_.Zrusit();
    PoZmeneVyberu();
}

void Tabulka::VybratChybne() {
    vyber_.Velikost(static_cast<std::size_t>(std::max(0, model_->PocetZaznamu())));
    for (std::size_t i = 0; i < vyber_.hromadny.size(); ++i)
        vyber_.hromadny[i] = model_->JeChybny(static_cast<int>(i));
    VPohledu([](const RadkyTabulky&, Tvyber&) {});
    PoZmeneVyberu();
}

bool Tabulka::NajitChybny() {
    // The next such row below the current one in the order shown, going on
    // from the top.
    const RadkyVPohledu radky(*model_, *proxy_);
    const int n = radky.PocetZaznamu();
    const int od = currentIndex().isValid() ? currentIndex().row() : -1;
    for (int k = 1; k <= n; ++k) {
        const int r = ((od < 0 ? -1 : od) + k) % n;
        if (radky.JePlny(r) && model_->JeChybny(radky.Radek(r))) {
            NastavitAktualni(radky.Radek(r));
            return true;
        }
    }
    return false;
}

QString Tabulka::TextVybranych(bool zahlavi) const {
    QString text;
    if (zahlavi) {
        const std::vector<std::string> nazvy = ZahlaviSloupcu();
        for (std::size_t s = 0; s < nazvy.size(); ++s) {
            if (s > 0) text += '\t';
            text += Q(nazvy[s]);
        }
        text += "\r\n";
    }
    bool nejaky = false;
    const RadkyVPohledu radky(*model_, *proxy_);
    for (int p = 0; p < radky.PocetZaznamu(); ++p) {
        const int r = radky.Radek(p);
        const auto i = static_cast<std::size_t>(r);
        if (i >= vyber_.hromadny.size() || !vyber_.hromadny[i] || !model_->JePlny(r)) continue;
        nejaky = true;
        for (int s = 0; s < model_->PocetSloupcu(); ++s) {
            if (s > 0) text += '\t';
            text += model_->Text(r, s);
        }
        text += "\r\n";
    }
    return nejaky ? text : QString();
}

std::vector<std::string> Tabulka::ZahlaviSloupcu() const {
    std::vector<std::string> nazvy;
    for (int s = 0; s < model_->PocetSloupcu(); ++s)
        nazvy.push_back(ZahlaviNaRadek(S(model_->Zahlavi(s))));
    return nazvy;
}

int Tabulka::PocetZobrazenych() const {
    const RadkyVPohledu pohled(*model_, *proxy_);
    int n = 0;
    for (int p = 0; p < pohled.PocetZaznamu(); ++p) n += pohled.JePlny(p) ? 1 : 0;
    return n;
}

std::vector<std::vector<std::string>> Tabulka::RadkyPohledu() const {
    std::vector<std::vector<std::string>> radky;
    const RadkyVPohledu pohled(*model_, *proxy_);
    for (int p = 0; p < pohled.PocetZaznamu(); ++p) {
        if (!pohled.JePlny(p)) continue;
        std::vector<std::string> bunky;
        for (int s = 0; s < model_->PocetSloupcu(); ++s)
            bunky.push_back(S(model_->Text(pohled.Radek(p), s)));
        radky.push_back(std::move(bunky));
    }
    return radky;
}

void Tabulka::PoZmeneVyberu() {
    OdznacitPrazdneRadky(*model_, vyber_);
    viewport()->update();
    emit vyberZmenen();
}

void Tabulka::mousePressEvent(QMouseEvent* udalost) {
    if (udalost->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(udalost);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int radek = rowAt(static_cast<int>(udalost->position().y()));
    if (radek < 0) return;
    const Qt::KeyboardModifiers m = udalost->modifiers();
    VPohledu([&](const RadkyTabulky& radky, Tvyber& v) {
        rizeni_.Klik(radky, v, radek, m & Qt::ControlModifier, m & Qt::ShiftModifier);
    });
    NastavitAktualni(RadekModelu(radek));
    // No grab of the pointer: the viewport that took the press gets every move
    // and the release until the button goes up (a grab by the table itself would
    // take the release away from the viewport and keep every later click).
    tazeni_ = true;
    posledniTazeny_ = radek;
    PoZmeneVyberu();
}

void Tabulka::mouseMoveEvent(QMouseEvent* udalost) {
    if (!tazeni_ || !(udalost->buttons() & Qt::LeftButton)) return;
    const int y =
        std::clamp(static_cast<int>(udalost->position().y()), 0, viewport()->height() - 1);
    const int radek = rowAt(y);
    if (radek < 0 || radek == posledniTazeny_) return;
    posledniTazeny_ = radek;
    const Qt::KeyboardModifiers m = udalost->modifiers();
    VPohledu([&](const RadkyTabulky& radky, Tvyber& v) {
        rizeni_.Tazeni(radky, v, radek, m & Qt::ControlModifier, m & Qt::ShiftModifier);
    });
    NastavitAktualni(RadekModelu(radek));
    PoZmeneVyberu();
}

void Tabulka::mouseReleaseEvent(QMouseEvent* udalost) {
    if (udalost->button() == Qt::LeftButton) tazeni_ = false;
}

void Tabulka::mouseDoubleClickEvent(QMouseEvent* udalost) {
    if (udalost->button() == Qt::LeftButton) emit dvojklik();
}

void Tabulka::keyPressEvent(QKeyEvent* udalost) {
    const int aktualni = currentIndex().isValid() ? currentIndex().row() : -1;
    switch (udalost->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            VPohledu([&](const RadkyTabulky& r, Tvyber& v) { rizeni_.Enter(r, v, aktualni); });
            PoZmeneVyberu();
            return;
        case Qt::Key_Space:
            VPohledu([&](const RadkyTabulky& r, Tvyber& v) { rizeni_.Mezernik(r, v, aktualni); });
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

void Tabulka::resizeEvent(QResizeEvent* udalost) {
    QTableView::resizeEvent(udalost);
    const int vyska = std::max(1, verticalHeader()->defaultSectionSize());
    if (model_ != nullptr) model_->NastavitViditelneRadky(viewport()->height() / vyska + 1);
}

TabulkaSeznamu::TabulkaSeznamu(const Tnastaveni& nastaveni, QWidget* rodic)
    : Tabulka(nastaveni, rodic) {
    NastavitModel(&model_);
}

TabulkaSurovych::TabulkaSurovych(const Tnastaveni& nastaveni, const Tjazyk& jazyk, QWidget* rodic)
    : Tabulka(nastaveni, rodic), model_(nastaveni, jazyk) {
    NastavitModel(&model_);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

}  // namespace vertano::ui
