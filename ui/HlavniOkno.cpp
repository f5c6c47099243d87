#include "HlavniOkno.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QThread>
#include <QUndoStack>
#include <QVBoxLayout>

#include "Barvy.h"
#include "DesktopSettings.h"
#include "OknoSeznamu.h"
#include "OknoVyrovnani.h"
#include "PruhPrace.h"
#include "TabulkaSurovych.h"
#include "Texty.h"
#include "WelcomePanel.h"
#include "mereni/Text.h"
#include "workspace/Projekt.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

constexpr int kMinimalniVyska = 246;

QLabel* Bunka(QWidget* rodic, Qt::Alignment zarovnani) {
    auto* popis = new QLabel(rodic);
    popis->setAlignment(zarovnani);
    return popis;
}

}  // namespace

HlavniOkno::HlavniOkno(Workspace& ws, Dialogy& dialogy, QWidget* rodic)
    : QMainWindow(rodic), ws_(ws), dialogy_(dialogy) {
    stred_ = new QStackedWidget(this);
    auto* hlavni = new QWidget(stred_);
    auto* sloupec = new QVBoxLayout(hlavni);
    sloupec->setContentsMargins(4, 4, 4, 4);
    sloupec->setSpacing(2);
    tabulka_ = new TabulkaSurovych(ws_.nastaveni, ws_.jazyk, hlavni);
    tabulka_->Model().NastavitZdroj(&ws_.suroveMereni);
    VytvoritStavovyRadek(hlavni);
    sloupec->addWidget(tabulka_, 1);
    uvitani_ = new WelcomePanel(stred_);
    stred_->addWidget(hlavni);
    stred_->addWidget(uvitani_);
    setCentralWidget(stred_);
    // The dialogs of the program keep their size and place between runs.
    QApplication::instance()->installEventFilter(new WindowLayoutKeeper(this));

    interakce_ = new InterakceOkna(
        this, {[this](const QString& n, const QString& t) { Zprava(n, t); },
               [this](const QString& n, const QString& t) { return Potvrzeni(n, t); },
               [this](const QString& t) { pruh_->Etapa(t); },
               [this](int promile) { pruh_->Prubeh(promile); }});
    VytvoritMenu();
    VytvoritKontextoveMenu();
    VytvoritPlochu();
    // Columns a user widened widen the window, which always shows them whole.
    connect(tabulka_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!prvniZobrazeni_) setFixedWidth(tabulka_->PrirozenaSirka() + 8);
        AktualizovatStav();
    });
    connect(tabulka_, &TabulkaSurovych::vyberZmenen, this, &HlavniOkno::AktualizovatStav);
    // A double click edits the selected rows, or inserts a new station.
    connect(tabulka_, &TabulkaSurovych::dvojklik, this, [this] {
        if (Bezi()) return;
        PrikazZaznam(tabulka_->Vyber().Pocet() > 0 ? 3 : 1);
    });
    NastavitTexty();
    NastavitPrepinace();
    Zaneprazdneni(false);
    Obnovit();
    // Rows given at the start have been checked: say what was found.
    if (ws_.suroveMereni.PocetPlnychZaznamu() > 0) UkazatVysledekKontrol();
}

HlavniOkno::~HlavniOkno() {
    if (isVisible()) UlozitRozlozeni();
    // The undo stack, destroyed with the children, reports its clearing: not here.
    if (zpet_ != nullptr) disconnect(zpet_, nullptr, this, nullptr);
    // A worker still running holds references into the workspace: it is asked
    // to stop, shown nothing more, and released from any question it waits on.
    if (vlakno_ != nullptr) {
        interakce_->Odpojit();
        zastavitPozadano_ = true;
        while (!vlakno_->wait(20)) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void HlavniOkno::VytvoritStavovyRadek(QWidget* hlavni) {
    auto* radek = new QWidget(hlavni);
    auto* vodorovne = new QHBoxLayout(radek);
    vodorovne->setContentsMargins(0, 0, 0, 0);
    vodorovne->setSpacing(0);
    vyber_ = Bunka(radek, Qt::AlignLeft | Qt::AlignVCenter);
    vyber_->setObjectName("stavVyberu");
    vodorovne->addWidget(vyber_);
    auto* zasobnik = new QStackedWidget(radek);
    auto* pocty = new QWidget(zasobnik);
    auto* poctyRadek = new QHBoxLayout(pocty);
    poctyRadek->setContentsMargins(0, 0, 0, 0);
    poctyRadek->setSpacing(0);
    for (int i = 0; i < 6; ++i) {
        QLabel* pocet = Bunka(pocty, Qt::AlignCenter);
        pocet->setObjectName("pocetChyb" + QString::number(i + 2));
        QFont tucne = pocet->font();
        tucne.setBold(true);
        pocet->setFont(tucne);
        poctyRadek->addWidget(pocet);
        chyby_.push_back(pocet);
    }
    pruh_ = new PruhPrace(zasobnik);
    zpracovani_ = pruh_->Popis();
    zastavit_ = pruh_->Zrusit();
    connect(pruh_, &PruhPrace::zrusit, this, [this] {
        zastavitPozadano_ = true;
        interakce_->Zastavit();
    });
    zasobnik->addWidget(pocty);
    zasobnik->addWidget(pruh_);
    vodorovne->addWidget(zasobnik, 1);
    static_cast<QVBoxLayout*>(hlavni->layout())->addWidget(radek);
}

void HlavniOkno::showEvent(QShowEvent* udalost) {
    QMainWindow::showEvent(udalost);
    if (!prvniZobrazeni_) return;
    prvniZobrazeni_ = false;
    // Only the height may change: 90 % of the screen's work area, centred.
    const QRect plocha =
        screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 800, 600);
    const int sirka = tabulka_->PrirozenaSirka() + 8;
    setMinimumHeight(kMinimalniVyska);
    setFixedWidth(sirka);
    resize(sirka, std::max(kMinimalniVyska, plocha.height() * 9 / 10));
    move(plocha.center() - QPoint(width() / 2, height() / 2));
    // The place, the height and the column widths of the last run, when
    // remembered; the width follows the columns.
    if (RestoreWindowLayout(*this, "HlavniOkno")) {
        setFixedWidth(tabulka_->PrirozenaSirka() + 8);
        AktualizovatStav();
    }
    tabulka_->NastavitAktualni(0);
}

void HlavniOkno::Zprava(const QString& nadpis, const QString& text,
                        const std::function<void()>& protokol) {
    dialogy_.Zprava(this, nadpis, text, protokol);
}

bool HlavniOkno::Potvrzeni(const QString& nadpis, const QString& text) {
    return dialogy_.Potvrzeni(this, nadpis, text);
}

void HlavniOkno::ZobrazitProtokol(const QString& nadpis, const std::vector<std::string>& radky) {
    // Above the message that offered it, when one is open.
    QWidget* rodic = QApplication::activeModalWidget() != nullptr
                         ? QApplication::activeModalWidget()
                         : static_cast<QWidget*>(this);
    dialogy_.Protokol(rodic, ws_, nadpis, radky);
}

void HlavniOkno::Zaneprazdneni(bool zapnout) {
    auto* zasobnik = static_cast<QStackedWidget*>(pruh_->parentWidget());
    zasobnik->setCurrentIndex(zapnout ? 1 : 0);
    pruh_->Zacit(" " + Q(ws_.jazyk.tlacitko.zpracovani) + " ...", zapnout && vlakno_ != nullptr);
    // Every item, shortcuts included, is off while a command runs; afterwards the
    // rules decide again.
    for (QMenu* m : menu_) {
        for (QAction* akce : m->actions()) akce->setEnabled(!zapnout);
    }
    for (QMenu* m : podmenu_) {
        for (QAction* akce : m->actions()) akce->setEnabled(!zapnout);
    }
    a_.oProgramu->setEnabled(!zapnout);
    tabulka_->setEnabled(!zapnout);
    AktualizovatNastroje(zapnout);
    if (!zapnout) {
        tabulka_->setFocus();
        AktualizovatMenu();
    }
    // The label must be seen before a command that runs in this thread starts.
    if (zapnout) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void HlavniOkno::SpustitNaPozadi(std::function<void(Interaction&, const Cekani&)> prace,
                                 std::function<void()> potom, bool meniMereni) {
    if (vlakno_ != nullptr) return;
    // The worker rewrites the network the adjustment window shows.
    ZavritOknoVyrovnani();
    const int aktualni = tabulka_->AktualniRadek();
    // The table keeps showing the list as it was while the worker changes it.
    if (meniMereni) {
        snimek_ = std::make_unique<Tmereni>(ws_.suroveMereni);
        tabulka_->Model().NastavitZdroj(snimek_.get());
        tabulka_->NastavitAktualni(aktualni);
    }
    zastavitPozadano_ = false;
    interakce_->Zacit();
    vlakno_ = QThread::create([this, prace = std::move(prace)] {
        prace(*interakce_, [this] { return !zastavitPozadano_.load(); });
    });
    connect(vlakno_, &QThread::finished, this, [this, potom = std::move(potom), aktualni] {
        vlakno_->deleteLater();
        vlakno_ = nullptr;
        if (snimek_ != nullptr) tabulka_->Model().NastavitZdroj(&ws_.suroveMereni);
        snimek_.reset();
        Zaneprazdneni(false);
        Obnovit();
        tabulka_->NastavitAktualni(aktualni);
        potom();
        AktualizovatMenu();
        emit dokonceno();
    });
    // The busy line is on the page of the table, shown while a command runs.
    AktualizovatUvitani();
    Zaneprazdneni(true);
    vlakno_->start();
}

OknoVyrovnani* HlavniOkno::Vyrovnani() const {
    return oknoVyrovnani_;
}

void HlavniOkno::PockatNaKonec() {
    while (vlakno_ != nullptr) QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void HlavniOkno::Obnovit() {
    if (!ws_.state.Current(Step::Adjustment)) ZavritOknoVyrovnani();
    tabulka_->Obnovit();
    AktualizovatStav();
    AktualizovatUvitani();
    AktualizovatNadpis();
}

void HlavniOkno::AktualizovatStav() {
    const Tvyber& v = tabulka_->Vyber();
    vyber_->setText(" " + QString::number(v.Pocet()) + " / " +
                    QString::number(ws_.suroveMereni.PocetPlnychZaznamu()));
    const bool prehled = ws_.nastaveni.prepinac.prehledChyb;
    const Tzaznam& c = ws_.chyby.suroveMereniPocetChyb;
    const QString pocty[6] = {Q(FormatInteger(static_cast<int64_t>(c.vyska_stn))),
                              Q(c.cislo_cil.empty() ? "0" : c.cislo_cil),
                              Q(FormatInteger(static_cast<int64_t>(c.vyska_cil))),
                              Q(FormatInteger(static_cast<int64_t>(c.smer))),
                              Q(FormatInteger(static_cast<int64_t>(c.zenit))),
                              Q(FormatInteger(static_cast<int64_t>(c.delka)))};
    for (int i = 0; i < 6; ++i) {
        QLabel* l = chyby_[static_cast<std::size_t>(i)];
        l->setFixedWidth(tabulka_->columnWidth(i + 2));
        l->setText(prehled ? pocty[i] : QString());
        const QColor barva = pocty[i] == "0" ? barvy::kPolohaI : barvy::kChyba;
        l->setStyleSheet("color: " + barva.name());
    }
    vyber_->setFixedWidth(tabulka_->columnWidth(0) + tabulka_->columnWidth(1));
    AktualizovatMenu();
}

void HlavniOkno::PoZmeneMereni() {
    Obnovit();
    // Every change of the raw list runs the checks again: say what they found.
    UkazatVysledekKontrol();
}

void HlavniOkno::closeEvent(QCloseEvent* udalost) {
    if (vlakno_ != nullptr) {
        // The running command is asked to stop; the window stays until it has.
        zastavitPozadano_ = true;
        udalost->ignore();
        return;
    }
    const Tjazyk& j = ws_.jazyk;
    // Only what was changed since the last save or open would be lost.
    if (!HasUnsavedChanges(ws_) || Potvrzeni(Q(j.nadpis.varovani), Q(j.hlaseni.ukoncitProgram))) {
        UlozitRozlozeni();
        ZavritOknoVyrovnani();
        udalost->accept();
    } else {
        udalost->ignore();
    }
}

}  // namespace vertano::ui
