#include "OknoSeznamu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "Texty.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

OknoSeznamu::OknoSeznamu(QWidget* rodic, Workspace& ws, const QString& nadpis)
    : QDialog(rodic), ws_(ws) {
    setWindowTitle(nadpis);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);
    sloupec_ = new QVBoxLayout(this);
    sloupec_->setContentsMargins(4, 4, 4, 4);
    sloupec_->setSpacing(2);

    auto* radek = new QHBoxLayout;
    vyber_ = new QLabel(this);
    vyber_->setObjectName("stavVyberu");
    stav_ = new QLabel(this);
    stav_->setObjectName("stav");
    zpracovani_ = new QLabel(" " + Q(ws_.jazyk.tlacitko.zpracovani) + " ...", this);
    QFont tucne = zpracovani_->font();
    tucne.setBold(true);
    zpracovani_->setFont(tucne);
    zpracovani_->hide();
    radek->addWidget(vyber_);
    radek->addSpacing(16);
    radek->addWidget(stav_, 1);
    radek->addWidget(zpracovani_);
    sloupec_->addLayout(radek);

    tabulka_ = new TabulkaSeznamu(ws_.nastaveni, this);
    sloupec_->addWidget(tabulka_, 1);
    connect(tabulka_, &Tabulka::vyberZmenen, this, &OknoSeznamu::AktualizovatStav);

    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    kontextove_ = new QMenu(this);
    const auto akce = [this](const QString& text, const QKeySequence& klavesa, auto&& prikaz) {
        auto* a = new QAction(text, this);
        a->setShortcut(klavesa);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, prikaz);
        kontextove_->addAction(a);
        addAction(a);
        zakladniAkce_.push_back(a);
        return a;
    };
    akce(Q(t.vybratVse), QKeySequence(Qt::CTRL | Qt::Key_A), [this] { tabulka_->VybratVse(); });
    akce(Q(t.zrusitVyber), QKeySequence(Qt::CTRL | Qt::Key_D), [this] { tabulka_->ZrusitVyber(); });
    kontextove_->addSeparator();
    kopirovat_ = akce(Q(t.kopirovat), QKeySequence(Qt::CTRL | Qt::Key_C), [this] { Kopirovat(); });
    kontextove_->addSeparator();
    vybratChybne_ = akce(QString(), QKeySequence(), [this] { tabulka_->VybratChybne(); });
    najitChybne_ = akce(QString(), QKeySequence(Qt::Key_F2), [this] { tabulka_->NajitChybny(); });
    vybratChybne_->setVisible(false);
    najitChybne_->setVisible(false);
    tabulka_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabulka_, &QWidget::customContextMenuRequested, this, [this](const QPoint& bod) {
        if (kopirovat_ != nullptr) kopirovat_->setEnabled(tabulka_->Vyber().Pocet() > 0);
        emit kontextoveMenu();
        kontextove_->popup(tabulka_->viewport()->mapToGlobal(bod));
    });
}

void OknoSeznamu::NahraditKontextoveMenu(QMenu* menu) {
    for (QAction* a : zakladniAkce_) removeAction(a);
    zakladniAkce_.clear();
    kopirovat_ = vybratChybne_ = najitChybne_ = nullptr;
    kontextove_ = menu;
}

void OknoSeznamu::Naplnit(ModelSeznamu::Radky radky, std::vector<SloupecSeznamu> sloupce,
                          ChybneRadky chybne) {
    Model().Nastavit(std::move(radky), std::move(sloupce));
    tabulka_->Vyber().Zrusit();
    tabulka_->Vyber().aktualni = -1;
    tabulka_->NastavitSirky();
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    const bool odlehle = chybne == ChybneRadky::Odlehle;
    if (vybratChybne_ != nullptr) {
        vybratChybne_->setText(Q(odlehle ? t.vybratOdlehle : t.vybratChybne));
        najitChybne_->setText(Q(t.najit) + " " + Male(odlehle ? t.odlehleHodnoty : t.chybne));
        vybratChybne_->setVisible(chybne != ChybneRadky::Zadne);
        najitChybne_->setVisible(chybne != ChybneRadky::Zadne);
        najitChybne_->setEnabled(chybne != ChybneRadky::Zadne);
    }
    Obnovit();
    UpravitVelikost();
}

void OknoSeznamu::NastavitStav(const QString& text) {
    stav_->setText(text);
}

QLabel* OknoSeznamu::PridatPopisDole(const QString& text) {
    auto* popis = new QLabel(text, this);
    popis->setObjectName("popisDole");
    sloupec_->addWidget(popis);
    return popis;
}

QMenuBar* OknoSeznamu::Menu() {
    if (menu_ == nullptr) {
        menu_ = new QMenuBar(this);
        sloupec_->setMenuBar(menu_);
    }
    return menu_;
}

QMenu* OknoSeznamu::PridatMenu(const QString& nazev, const std::function<void()>& aktualizovat) {
    QMenu* m = Menu()->addMenu(nazev);
    connect(m, &QMenu::aboutToShow, this, aktualizovat);
    return m;
}

QAction* OknoSeznamu::PridatAkci(QMenu* menu, const QString& text,
                                 const std::function<void()>& prikaz) {
    QAction* a = menu->addAction(text);
    connect(a, &QAction::triggered, this, prikaz);
    return a;
}

void OknoSeznamu::Obnovit() {
    tabulka_->Obnovit();
    AktualizovatStav();
}

void OknoSeznamu::AktualizovatStav() {
    int plne = 0;
    const ModelSeznamu& m = tabulka_->Model();
    for (int r = 0; r < m.PocetZaznamu(); ++r) plne += m.JePlny(r) ? 1 : 0;
    vyber_->setText(" " + QString::number(tabulka_->Vyber().Pocet()) + " / " +
                    QString::number(plne));
}

void OknoSeznamu::Kopirovat() {
    const QString text = tabulka_->TextVybranych();
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void OknoSeznamu::Zaneprazdneni(bool zapnout) {
    zpracovani_->setVisible(zapnout);
    tabulka_->setEnabled(!zapnout);
    if (menu_ != nullptr) menu_->setEnabled(!zapnout);
    if (zapnout) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void OknoSeznamu::UpravitVelikost() {
    const QRect plocha =
        screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    const int sirka = std::min(tabulka_->PrirozenaSirka() + 12, plocha.width() * 9 / 10);
    const int vyska = std::min(plocha.height() * 7 / 10, 620);
    resize(std::max(sirka, 360), vyska);
}

}  // namespace vertano::ui
