// The desktop around the raw table: the welcome, the recent projects, dropping
// files, the toolbar of the main road, the outcome line and the unsaved mark.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "DesktopSettings.h"
#include "DesktopTexts.h"
#include "HlavniOkno.h"
#include "OknaVysledku.h"
#include "OknoVyrovnani.h"
#include "Spusteni.h"
#include "StepOutcome.h"
#include "TabulkaSurovych.h"
#include "Texty.h"
#include "WelcomePanel.h"
#include "workspace/OtevreniProjektu.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Projekt.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

std::filesystem::path Cesta(const QString& text) {
    return std::filesystem::path(text.toStdU16String());
}

QStringList MistniSoubory(const QMimeData* data) {
    QStringList cesty;
    if (data == nullptr || !data->hasUrls()) return cesty;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) cesty << url.toLocalFile();
    }
    return cesty;
}

// Starts a timer whenever the window it watches is moved or resized, so that
// the layout is kept soon after a change and not only when the window closes
// (a session ended by the system still finds it at the next start).
class SledovaniRozlozeni : public QObject {
  public:
    SledovaniRozlozeni(QObject* rodic, QTimer* casovac) : QObject(rodic), casovac_(casovac) {}

    bool eventFilter(QObject* objekt, QEvent* udalost) override {
        const QEvent::Type t = udalost->type();
        if (t == QEvent::Move || t == QEvent::Resize) casovac_->start();
        return QObject::eventFilter(objekt, udalost);
    }

  private:
    QTimer* casovac_;
};

}  // namespace

void HlavniOkno::VytvoritPlochu() {
    setAcceptDrops(true);
    VytvoritZpet();
    auto* casovac = new QTimer(this);
    casovac->setSingleShot(true);
    casovac->setInterval(700);
    connect(casovac, &QTimer::timeout, this, [this] {
        if (isVisible()) UlozitRozlozeni();
    });
    installEventFilter(new SledovaniRozlozeni(this, casovac));
    connect(tabulka_->horizontalHeader(), &QHeaderView::sectionResized, casovac,
            qOverload<>(&QTimer::start));
    connect(uvitani_->OpenExample(), &QPushButton::clicked, this, [this] {
        const QString priklad = ExampleProject();
        if (!priklad.isEmpty()) OtevritNedavny(priklad);
    });
    connect(uvitani_->AddRawFiles(), &QPushButton::clicked, this, [this] { PrikazPridat(); });
    connect(uvitani_->OpenProject(), &QPushButton::clicked, this,
            [this] { PrikazOtevritProjekt(); });
    connect(uvitani_->EmptyTable(), &QPushButton::clicked, this, [this] {
        bezUvitani_ = true;
        AktualizovatUvitani();
        tabulka_->setFocus();
    });
    connect(uvitani_, &WelcomePanel::recentChosen, this,
            [this](const QString& cesta) { OtevritNedavny(cesta); });

    // "Recent projects" follows "Save as project ..." in "Main".
    QMenu* hlavni = menu_.front();
    posledni_ = new QMenu(this);
    posledni_->setObjectName("posledniProjekty");
    hlavni->insertMenu(hlavni->actions().value(hlavni->actions().indexOf(a_.ulozitProjekt) + 1),
                       posledni_);
    connect(posledni_, &QMenu::aboutToShow, this, &HlavniOkno::NaplnitPosledni);

    nastroje_ = new QToolBar(this);
    nastroje_->setObjectName("hlavniCesta");
    nastroje_->setMovable(false);
    nastroje_->setFloatable(false);
    nastroje_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBar(Qt::TopToolBarArea, nastroje_);
    const auto polozka = [this](QStyle::StandardPixmap ikona, QAction* zdroj,
                                const std::function<void()>& prikaz) {
        QAction* a = nastroje_->addAction(style()->standardIcon(ikona), QString());
        connect(a, &QAction::triggered, this, prikaz);
        nastrojeAkce_.emplace_back(a, zdroj);
        return a;
    };
    polozka(QStyle::SP_DialogOpenButton, a_.pridat, [this] { a_.pridat->trigger(); });
    nastrojKontrola_ =
        polozka(QStyle::SP_DialogApplyButton, nullptr, [this] { PrikazZkontrolovat(); });
    nastroje_->addSeparator();
    polozka(QStyle::SP_MediaPlay, a_.analyza, [this] { a_.analyza->trigger(); });
    polozka(QStyle::SP_MediaSeekForward, a_.vyrovnani, [this] { a_.vyrovnani->trigger(); });
    nastroje_->addSeparator();
    nastrojKresba_ = polozka(QStyle::SP_FileDialogContentsView, nullptr, [this] {
        OtevritOknoVyrovnani();
        if (Vyrovnani() != nullptr) Vyrovnani()->OtevritKresbu();
    });
    nastrojProtokol_ = polozka(QStyle::SP_FileDialogDetailedView, nullptr, [this] {
        OtevritOknoVyrovnani();
        if (Vyrovnani() != nullptr) Vyrovnani()->PrikazProtokol();
    });
    nastroje_->addSeparator();
    polozka(QStyle::SP_DialogSaveButton, a_.ulozitProjekt, [this] { a_.ulozitProjekt->trigger(); });

    vysledek_ = new QLabel(this);
    vysledek_->setObjectName("vysledekKroku");
    vysledek_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    podrobnosti_ = new QPushButton(this);
    podrobnosti_->setObjectName("podrobnosti");
    podrobnosti_->setAutoDefault(false);
    podrobnosti_->setVisible(false);
    connect(podrobnosti_, &QPushButton::clicked, this, [this] {
        // The action may replace itself (it runs a command that reports).
        const std::function<void()> akce = podrobnostiAkce_;
        if (akce && !Bezi()) akce();
    });
    statusBar()->addWidget(vysledek_, 1);
    statusBar()->addPermanentWidget(podrobnosti_);
    statusBar()->setSizeGripEnabled(false);
}

void HlavniOkno::NastavitTextyPlochy() {
    const DesktopTexts& t = TextyPlochy(ws_.nastaveni.typJazyk);
    posledni_->setTitle(t.recentProjects);
    nastroje_->setWindowTitle(t.toolbar);
    const QString texty[] = {t.toolAdd,     t.toolCheck,  t.toolAnalyse, t.toolAdjust,
                             t.toolDrawing, t.toolReport, t.toolSave};
    for (std::size_t i = 0; i < nastrojeAkce_.size() && i < std::size(texty); ++i) {
        QAction* a = nastrojeAkce_[i].first;
        a->setText(texty[i]);
        // The full caption of the menu item it stands for.
        QAction* zdroj = nastrojeAkce_[i].second;
        a->setToolTip(zdroj != nullptr ? zdroj->text() : texty[i]);
    }
    podrobnosti_->setText(t.details);
    uvitani_->Fill(t, RecentProjects(), !ExampleProject().isEmpty());
}

void HlavniOkno::NaplnitPosledni() {
    const DesktopTexts& t = TextyPlochy(ws_.nastaveni.typJazyk);
    posledni_->clear();
    const QStringList seznam = RecentProjects();
    if (seznam.isEmpty()) {
        posledni_->addAction(t.recentNone)->setEnabled(false);
        return;
    }
    for (int i = 0; i < seznam.size(); ++i) {
        const QString cesta = seznam[i];
        QAction* a = posledni_->addAction(
            QString("&%1  %2").arg(i + 1).arg(QFileInfo(cesta).fileName().replace("&", "&&")));
        a->setToolTip(cesta);
        a->setStatusTip(cesta);
        connect(a, &QAction::triggered, this, [this, cesta] { OtevritNedavny(cesta); });
    }
    posledni_->setToolTipsVisible(true);
    posledni_->addSeparator();
    connect(posledni_->addAction(t.recentClear), &QAction::triggered, this, [this] {
        ForgetAllProjects();
        NastavitTextyPlochy();
    });
}

void HlavniOkno::OtevritNedavny(const QString& cesta) {
    if (Bezi()) return;
    const Tjazyk& j = ws_.jazyk;
    if (!QFileInfo(cesta).isFile()) {
        ForgetProject(cesta);
        NastavitTextyPlochy();
        Zprava(Q(j.nadpis.varovani), TextyPlochy(ws_.nastaveni.typJazyk).recentMissing.arg(cesta));
        return;
    }
    if (OtevreniZahodiData(ws_) && !Potvrzeni(Q(j.nadpis.varovani), Q(j.hlaseni.oteritProjekt)))
        return;
    OtevritProjekt(Cesta(cesta));
}

bool HlavniOkno::UvitaniViditelne() const {
    return stred_->currentWidget() == uvitani_;
}

void HlavniOkno::AktualizovatUvitani() {
    // Nothing open and no input yet (a setting such as the language may have
    // changed): the first steps rather than empty rows.
    const bool prazdne = !bezUvitani_ && vlakno_ == nullptr &&
                         ws_.suroveMereni.PocetPlnychZaznamu() == 0 &&
                         !ws_.info.souborProjekt.nacteni && !ws_.state.InputsChangedSinceSave();
    QWidget* stranka = prazdne ? static_cast<QWidget*>(uvitani_) : stred_->widget(0);
    if (stred_->currentWidget() == stranka) return;
    stred_->setCurrentWidget(stranka);
}

void HlavniOkno::AktualizovatNadpis() {
    setWindowModified(HasUnsavedChanges(ws_));
}

void HlavniOkno::AktualizovatNastroje(bool zaneprazdneno) {
    const bool vyrovnano = ws_.state.Current(Step::Adjustment);
    for (const auto& [akce, zdroj] : nastrojeAkce_) {
        if (zaneprazdneno) {
            akce->setEnabled(false);
        } else if (zdroj != nullptr) {
            akce->setEnabled(zdroj->isEnabled());
        }
    }
    if (zaneprazdneno) return;
    nastrojKontrola_->setEnabled(ws_.suroveMereni.PocetPlnychZaznamu() > 0);
    nastrojKresba_->setEnabled(vyrovnano);
    nastrojProtokol_->setEnabled(vyrovnano);
}

void HlavniOkno::UkazatVysledek(const StepOutcome& vysledek, std::function<void()> podrobnosti) {
    vysledek_->setText(vysledek.text);
    vysledek_->setToolTip(vysledek.text);
    vysledek_->setStyleSheet(vysledek.problem ? "color: #b00000;" : QString());
    podrobnostiAkce_ = std::move(podrobnosti);
    podrobnosti_->setVisible(static_cast<bool>(podrobnostiAkce_));
}

void HlavniOkno::UkazatVysledekKontrol() {
    const StepOutcome o = OutcomeOfChecks(ws_);
    if (!o.problem) {
        UkazatVysledek(o);
        return;
    }
    UkazatVysledek(o, [this] { PrikazZkontrolovat(); });
}

void HlavniOkno::PrikazZkontrolovat() {
    UkazatVysledekKontrol();
    // From the top: the first row the checks flagged.
    const int32_t radek = NajitChybny(ws_.suroveMereni, -1);
    if (radek >= 0) {
        tabulka_->NastavitAktualni(radek);
        tabulka_->setFocus();
    }
}

void HlavniOkno::dragEnterEvent(QDragEnterEvent* udalost) {
    if (!Bezi() && !MistniSoubory(udalost->mimeData()).isEmpty()) udalost->acceptProposedAction();
}

void HlavniOkno::dropEvent(QDropEvent* udalost) {
    const QStringList cesty = MistniSoubory(udalost->mimeData());
    if (Bezi() || cesty.isEmpty()) return;
    udalost->acceptProposedAction();
    // The messages that follow must not hold up the program the files came from.
    QTimer::singleShot(0, this, [this, cesty] { OtevritSoubory(cesty); });
}

void HlavniOkno::OtevritSoubory(const QStringList& cesty) {
    if (Bezi()) return;
    const DesktopTexts& t = TextyPlochy(ws_.nastaveni.typJazyk);
    QStringList projekty;
    std::vector<std::filesystem::path> surova;
    std::vector<std::filesystem::path> body;
    QStringList odmitnute;
    for (const QString& c : cesty) {
        const std::filesystem::path p = Cesta(c);
        switch (QFileInfo(c).isFile() ? DruhCesty(p) : DruhSouboruCesty::Nezname) {
            case DruhSouboruCesty::Projekt:
                projekty << c;
                break;
            case DruhSouboruCesty::Surova:
                surova.push_back(p);
                break;
            case DruhSouboruCesty::Body:
                body.push_back(p);
                break;
            case DruhSouboruCesty::Nezname:
                odmitnute << c;
                break;
        }
    }
    const Tjazyk& j = ws_.jazyk;
    if (!projekty.isEmpty()) {
        // A project replaces every list: the files dropped with it go into it.
        if (OtevreniZahodiData(ws_) && !Potvrzeni(Q(j.nadpis.varovani), Q(j.hlaseni.oteritProjekt)))
            return;
        OtevritProjekt(Cesta(projekty.front()));
        if (projekty.size() > 1)
            Zprava(Q(j.nadpis.varovani), t.dropOneProject + "\n" + projekty.mid(1).join("\n"));
    }
    if (!surova.empty()) PridatSoubory(surova);
    if (!body.empty()) PridatBody(body);
    if (!odmitnute.isEmpty())
        Zprava(Q(j.nadpis.varovani), t.dropRefused + "\n" + odmitnute.join("\n"));
}

void HlavniOkno::PridatBody(const std::vector<std::filesystem::path>& cesty) {
    const int pred = ws_.souradniceFixni.PocetPlnychBodu();
    Zaneprazdneni(true);
    const CoordinateLoadReport r = PridatZadaneBody(ws_, cesty);
    Zaneprazdneni(false);
    Obnovit();
    QString chyby;
    for (const auto& f : r.files) {
        if (!f.result.ok) chyby += "\n" + Q(f.message);
    }
    const jazyk::Toznameni o = OznameniPridaniBodu(ws_, r, false);
    UkazatVysledek({TextyPlochy(ws_.nastaveni.typJazyk)
                        .pointsAdded.arg(ws_.souradniceFixni.PocetPlnychBodu() - pred),
                    !chyby.isEmpty()});
    Zprava(Q(o.nadpis), Q(o.text) + chyby);
}

void HlavniOkno::UlozitRozlozeni() {
    if (!prvniZobrazeni_) SaveWindowLayout(*this, "HlavniOkno");
}

}  // namespace vertano::ui
