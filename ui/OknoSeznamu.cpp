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

#include <QHeaderView>
#include <QLineEdit>

#include "DesktopTexts.h"
#include "Dialogy.h"
#include "Texty.h"
#include "workspace/TextTabulky.h"
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

    const DesktopTexts& d = TextyPlochy(ws_.nastaveni.typJazyk);
    auto* filtrRadek = new QHBoxLayout;
    filtr_ = new QLineEdit(this);
    filtr_->setObjectName("filtr");
    filtr_->setPlaceholderText(d.filterHint);
    filtr_->setClearButtonEnabled(true);
    filtr_->setMinimumWidth(180);
    filtr_->setMaximumWidth(260);
    auto* popisFiltru = new QLabel(d.filter, this);
    popisFiltru->setBuddy(filtr_);
    filtrRadek->addWidget(popisFiltru);
    filtrRadek->addWidget(filtr_);
    filtrRadek->addStretch(1);
    sloupec_->addLayout(filtrRadek);

    tabulka_ = new TabulkaSeznamu(ws_.nastaveni, this);
    tabulka_->PovolitRazeni();
    sloupec_->addWidget(tabulka_, 1);
    // The keys go to the table when the window opens; Tab reaches the filter.
    setTabOrder(tabulka_, filtr_);
    tabulka_->setFocus();
    connect(tabulka_, &Tabulka::vyberZmenen, this, &OknoSeznamu::AktualizovatStav);
    connect(tabulka_, &Tabulka::vyberZmenen, this, [this] {
        if (Model().MaBody()) emit vyberMapy(VyberProMapu());
    });
    connect(filtr_, &QLineEdit::textChanged, this, [this](const QString& text) {
        tabulka_->Filtrovat(text);
        AktualizovatStav();
    });

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
    csv_ = akce(d.exportCsv, QKeySequence(), [this] { ExportovatCsv(); });
    csv_->setObjectName("exportCsv");
    puvodniPoradi_ = akce(d.originalOrder, QKeySequence(), [this] { tabulka_->ZrusitRazeni(); });
    kontextove_->addSeparator();
    vybratChybne_ = akce(QString(), QKeySequence(), [this] { tabulka_->VybratChybne(); });
    najitChybne_ = akce(QString(), QKeySequence(Qt::Key_F2), [this] { tabulka_->NajitChybny(); });
    vybratChybne_->setVisible(false);
    najitChybne_->setVisible(false);
    tabulka_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabulka_, &QWidget::customContextMenuRequested, this, [this](const QPoint& bod) {
        if (kopirovat_ != nullptr) kopirovat_->setEnabled(tabulka_->Vyber().Pocet() > 0);
        if (csv_ != nullptr) csv_->setEnabled(dialogyExportu_ != nullptr);
        if (puvodniPoradi_ != nullptr)
            puvodniPoradi_->setEnabled(tabulka_->horizontalHeader()->isSortIndicatorShown());
        emit kontextoveMenu();
        kontextove_->popup(tabulka_->viewport()->mapToGlobal(bod));
    });
}

void OknoSeznamu::NahraditKontextoveMenu(QMenu* menu) {
    for (QAction* a : zakladniAkce_) removeAction(a);
    zakladniAkce_.clear();
    kopirovat_ = vybratChybne_ = najitChybne_ = nullptr;
    kontextove_ = menu;
    // The order and the export belong to the table, whatever the window's
    // own menu holds.
    kontextove_->addSeparator();
    kontextove_->addAction(puvodniPoradi_);
    kontextove_->addAction(csv_);
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
    QString text = " " + QString::number(tabulka_->Vyber().Pocet()) + " / " + QString::number(plne);
    if (!tabulka_->Pohled().Filtr().isEmpty()) {
        const int zobrazeno = tabulka_->PocetZobrazenych();
        text +=
            "   (" + TextyPlochy(ws_.nastaveni.typJazyk).filterShown.arg(zobrazeno).arg(plne) + ")";
    }
    vyber_->setText(text);
}

void OknoSeznamu::Kopirovat() {
    const QString text = tabulka_->TextVybranych(true);
    if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

void OknoSeznamu::ExportovatCsv() {
    Dialogy* dialogy = dialogyExportu_;
    if (dialogy == nullptr) return;
    const std::filesystem::path cesta =
        dialogy->Ulozit(this, DruhSouboru::TabulkaCsv, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    std::string chyba;
    if (!UlozitCsvTabulky(cesta, tabulka_->ZahlaviSloupcu(), tabulka_->RadkyPohledu(), chyba))
        OznamitChybuUlozeni(*dialogy, this, ws_, chyba);
}

VyberMapy OknoSeznamu::VyberProMapu() const {
    VyberMapy v;
    const ModelSeznamu& m = Model();
    const Tvyber& vyber = tabulka_->Vyber();
    for (std::size_t i = 0; i < vyber.hromadny.size(); ++i) {
        if (!vyber.hromadny[i]) continue;
        const std::vector<std::string> body = m.Body(static_cast<int>(i));
        for (const std::string& b : body) {
            if (!v.body.contains(Q(b))) v.body.push_back(Q(b));
        }
        if (body.size() == 2) v.spojnice.push_back({Q(body[0]), Q(body[1])});
    }
    // The current row when it is selected, else the first selected one.
    int radek = tabulka_->AktualniRadek();
    if (radek < 0 || static_cast<std::size_t>(radek) >= vyber.hromadny.size() ||
        !vyber.hromadny[static_cast<std::size_t>(radek)])
        radek = vyber.Prvni();
    if (radek >= 0 && m.JePlny(radek)) {
        const std::vector<std::string> zahlavi = tabulka_->ZahlaviSloupcu();
        QStringList radky;
        for (int s = 0; s < m.PocetSloupcu(); ++s) {
            const QString hodnota = m.Text(radek, s).trimmed();
            if (!hodnota.isEmpty())
                radky << Q(zahlavi[static_cast<std::size_t>(s)]) + ": " + hodnota;
        }
        v.popis = radky.join('\n');
    }
    return v;
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
