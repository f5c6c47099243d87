#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "HlavniOkno.h"
#include "ModelSurovych.h"
#include "TabulkaSurovych.h"
#include "UiTestSupport.h"
#include "adjustment/VysledekSite.h"
#include "processing/KontrolaMereni.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

// Every caption of the window: title, menus and their items, table headers.
QStringList Popisky(HlavniOkno& okno) {
    QStringList texty{okno.windowTitle()};
    std::function<void(QMenu*)> menu = [&](QMenu* m) {
        texty << m->title();
        for (QAction* a : m->actions()) {
            if (a->isSeparator()) continue;
            if (a->menu() != nullptr) {
                menu(a->menu());
            } else {
                texty << a->text();
            }
        }
    };
    for (QAction* a : okno.menuBar()->actions()) {
        if (a->menu() != nullptr) {
            menu(a->menu());
        } else {
            texty << a->text();
        }
    }
    const ModelSurovych& model = okno.Tabulka().Model();
    for (int s = 0; s < model.columnCount(); ++s) texty << model.Zahlavi(s);
    return texty;
}

void Vybrat(HlavniOkno& okno, std::initializer_list<int> radky) {
    Tvyber& v = okno.Tabulka().Vyber();
    v.Velikost(okno.Tabulka().Model().Zdroj().zaznam.size());
    v.Zrusit();
    for (const int r : radky) v.hromadny[static_cast<std::size_t>(r)] = true;
    okno.AktualizovatMenu();
}

}  // namespace

// The enabling rules of the main window's items in the states that matter.
class MenuTest : public QObject {
    Q_OBJECT

  private slots:
    void EmptyListOffersOnlyWhatNeedsNoRows() {
        Workspace ws;
        test::SkriptDialogy d;
        HlavniOkno okno(ws, d);
        const HlavniOkno::Akce& a = okno.Akce_();
        QVERIFY(a.pridat->isEnabled());
        QVERIFY(a.jednotky->isEnabled());
        QVERIFY(!a.ulozitJako->isEnabled());
        QVERIFY(!a.exportovat->isEnabled());
        QVERIFY(!a.vybratVse->isEnabled());
        QVERIFY(!a.najitDalsi->isEnabled());
        QVERIFY(!a.najitChybne->isEnabled());
        QVERIFY(!a.smazat->isEnabled());
        QVERIFY(!a.vlozit->isEnabled());
        QVERIFY(!a.analyza->isEnabled());
        QVERIFY(!a.vyrovnani->isEnabled());
        QVERIFY(!a.apriorni->isEnabled());
        for (QAction* v : a.vyberDle) QVERIFY(!v->isEnabled());
        // Still a full table of empty rows.
        QVERIFY(okno.Tabulka().Model().rowCount() >= 1);
        QVERIFY(okno.Tabulka().Model().Zaznam(0) == nullptr);
    }

    void SelectionDecidesTheRowCommands() {
        Workspace ws;
        test::Nacist(ws, test::Sit(SimulaceTvar::Tiny, 5, 3));
        test::SkriptDialogy d;
        HlavniOkno okno(ws, d);
        const HlavniOkno::Akce& a = okno.Akce_();
        QVERIFY(a.ulozitJako->isEnabled());
        QVERIFY(a.vybratVse->isEnabled());
        Vybrat(okno, {1});
        QVERIFY(a.posunNahoru->isEnabled());
        QVERIFY(a.vyberDle[0]->isEnabled());
        // Two rows: the one-row items go, delete / copy / cut stay, paste goes.
        Vybrat(okno, {1, 2});
        QVERIFY(!a.posunNahoru->isEnabled());
        QVERIFY(!a.posunDolu->isEnabled());
        for (QAction* v : a.vyberDle) QVERIFY(!v->isEnabled());
        QVERIFY(a.smazat->isEnabled());
        QVERIFY(a.kopirovat->isEnabled());
        QVERIFY(a.vyjmout->isEnabled());
        a.kopirovat->trigger();
        QVERIFY(!a.vlozit->isEnabled());
        Vybrat(okno, {1});
        QVERIFY(a.vlozit->isEnabled());
    }

    void ErrorsBlockTheAnalysisAndSwitchingSetsOffDisablesTheSetItems() {
        Workspace ws;
        test::Nacist(ws, test::Sit(SimulaceTvar::Tiny, 5, 3));
        test::SkriptDialogy d;
        HlavniOkno okno(ws, d);
        const HlavniOkno::Akce& a = okno.Akce_();
        QVERIFY(a.analyza->isEnabled());
        QVERIFY(!a.najitChybne->isEnabled());
        // A target height beyond its limit: the check finds it.
        ws.suroveMereni.zaznam[3].vyska_cil = 5;
        KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
        okno.Obnovit();
        QVERIFY(!a.analyza->isEnabled());
        QVERIFY(a.najitChybne->isEnabled());
        a.najitChybne->trigger();
        QCOMPARE(okno.Tabulka().AktualniRadek(), 3);
        // The target-height counter (value, face and set checks) is red, the
        // direction counter green.
        QVERIFY(okno.PocetChyb()[2]->text() != "0");
        QVERIFY(okno.PocetChyb()[2]->styleSheet().contains(QColor(238, 92, 92).name()));
        QCOMPARE(okno.PocetChyb()[3]->text(), QString("0"));
        QVERIFY(okno.PocetChyb()[3]->styleSheet().contains(QColor(89, 190, 77).name()));

        QVERIFY(a.kontrolaVse->isChecked());
        a.zobrazSkupinu->trigger();
        QVERIFY(!ws.nastaveni.prepinac.zobrazSkupinu);
        QVERIFY(!a.kontrolaPoloh->isChecked());
        QVERIFY(!a.kontrolaSkupin->isChecked());
        QVERIFY(!a.kontrolaVse->isChecked());
        QVERIFY(!a.kontrolaPoloh->isEnabled());
        QVERIFY(!a.seraditPolohy->isEnabled());
        QVERIFY(!a.smazatMimoSkupiny->isEnabled());
        QVERIFY(!a.analyza->isEnabled());
        QVERIFY(a.kontrolaHodnot->isEnabled());
    }

    void AnalysisThenAdjustmentChangeWhatIsOffered() {
        Workspace ws;
        ws.NastavitJazyk(1);
        test::Nacist(ws, test::Sit(SimulaceTvar::Grid, 20, 5));
        test::SkriptDialogy d;
        HlavniOkno okno(ws, d);
        const HlavniOkno::Akce& a = okno.Akce_();
        QVERIFY(a.analyza->isEnabled());
        QVERIFY(!a.vyrovnani->isEnabled());
        a.analyza->trigger();
        QVERIFY(okno.Bezi());
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Analysis));
        QVERIFY(!a.analyza->isEnabled());
        QVERIFY(a.vyrovnani->isEnabled());
        QVERIFY(a.exportovat->isEnabled());
        QVERIFY(a.apriorni->isEnabled());

        a.vyrovnani->trigger();
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Adjustment));
        QVERIFY(a.vyrovnani->isEnabled());
        // Adjusting again only shows the result: nothing is computed.
        const int iteraci = ws.modelVyrovnany.Vysledek().PocetIteraci();
        a.vyrovnani->trigger();
        QVERIFY(!okno.Bezi());
        QCOMPARE(ws.modelVyrovnany.Vysledek().PocetIteraci(), iteraci);

        // An edit of the raw list makes the analysis stale again.
        Vybrat(okno, {0});
        a.kopirovat->trigger();
        a.vlozit->trigger();
        QVERIFY(!ws.state.Current(Step::Analysis));
        QVERIFY(!a.vyrovnani->isEnabled());
    }

    void LanguageSwitchChangesEveryCaptionAndOnlyARealSwitchClearsReports() {
        Workspace ws;
        ws.NastavitJazyk(1);
        test::SkriptDialogy d;
        HlavniOkno okno(ws, d);
        ws.state.Computed(Step::AdjustmentReport);
        ws.state.Computed(Step::TransformationWithAdjustmentReport);
        okno.PrikazJazyk(1);
        QVERIFY(ws.state.Current(Step::AdjustmentReport));
        const QStringList anglicky = Popisky(okno);
        okno.PrikazJazyk(0);
        QVERIFY(!ws.state.Current(Step::AdjustmentReport));
        QVERIFY(!ws.state.Current(Step::TransformationWithAdjustmentReport));
        QVERIFY(okno.Akce_().jazykCZ->isChecked());
        const QStringList cesky = Popisky(okno);
        QCOMPARE(cesky.size(), anglicky.size());
        // The program's name, the language codes and the unit labels are the same
        // in both languages.
        const QStringList stejne = {"Vertano[*]", "CZ", "EN"};
        for (qsizetype i = 0; i < cesky.size(); ++i) {
            if (stejne.contains(cesky[i])) continue;
            QVERIFY2(cesky[i] != anglicky[i], qPrintable(cesky[i]));
        }
    }
};

QTEST_MAIN(MenuTest)
#include "MenuTest.moc"
