#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolBar>
#include <QUndoStack>
#include <QtTest>
#include <fstream>

#include "DesktopSettings.h"
#include "HlavniOkno.h"
#include "OknaVysledku.h"
#include "OknoVstupu.h"
#include "OknoVyrovnani.h"
#include "OknoZaznamu.h"
#include "SeznamVstupu.h"
#include "TabulkaSurovych.h"
#include "UiTestSupport.h"
#include "WelcomePanel.h"
#include "supplementary/DoplnekDruh.h"
#include "support/TestSupport.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

QString Q(const std::filesystem::path& cesta) {
    return QString::fromStdString(cesta.string());
}

std::filesystem::path Projekt() {
    return ui::test::Zdroj("examples/sit.gpr");
}

// Drops files onto the window as the window system delivers them.
bool Pustit(HlavniOkno& okno, const QStringList& cesty) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& c : cesty) urls << QUrl::fromLocalFile(c);
    data.setUrls(urls);
    const QPoint bod = okno.rect().center();
    QDragEnterEvent vstup(bod, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&okno, &vstup);
    if (!vstup.isAccepted()) return false;
    QDropEvent pusteni(QPointF(bod), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&okno, &pusteni);
    // The files are opened once the drop has returned.
    QTest::qWait(20);
    return pusteni.isAccepted();
}

QStringList Texty(const QMenu& menu) {
    QStringList texty;
    for (QAction* a : menu.actions())
        if (!a->isSeparator()) texty << a->text();
    return texty;
}

void Ulozit(QWidget& okno, const QString& jmeno) {
    QVERIFY(okno.grab().toImage().save(ui::test::SlozkaSnimku() + "/" + jmeno + ".png"));
}

}  // namespace

// The desktop around the specified windows: recent projects, dropped files,
// the unsaved mark, the welcome, the outcome of each step, the toolbar and the
// layout remembered between runs. The remembered things go to a settings file
// of the test's own, never to the user's.
class PlochaTest : public QObject {
    Q_OBJECT

    QTemporaryDir slozka_;
    std::unique_ptr<QSettings> pamet_;

    void NovaPamet() {
        pamet_ = std::make_unique<QSettings>(slozka_.filePath("desktop.ini"), QSettings::IniFormat);
        pamet_->clear();
        DesktopSettings::Use(pamet_.get());
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(slozka_.isValid());
    }
    void init() { NovaPamet(); }
    void cleanup() { DesktopSettings::Use(nullptr); }

    // Opened and saved projects come first in the menu, at most eight, each
    // once; one that vanished is said so and leaves the list.
    void RecentProjectsRememberTheLastEight() {
        vertano::test::TempDir docasna;
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(Projekt(), false);
        QCOMPARE(RecentProjects(), QStringList{Q(Projekt())});
        for (int i = 0; i < 9; ++i) {
            dialogy.ulozeni = {docasna / ("job" + std::to_string(i) + ".gpr")};
            okno.Akce_().ulozitProjekt->trigger();
        }
        // Saved again: once only, at the top.
        dialogy.ulozeni = {docasna / "job3.gpr"};
        okno.Akce_().ulozitProjekt->trigger();
        const QStringList seznam = RecentProjects();
        QCOMPARE(seznam.size(), kMaxRecent);
        QCOMPARE(QFileInfo(seznam[0]).fileName(), QString("job3.gpr"));
        QCOMPARE(QFileInfo(seznam[1]).fileName(), QString("job8.gpr"));
        QCOMPARE(seznam.count(seznam[0]), 1);
        QVERIFY(!seznam.contains(Q(Projekt())));

        okno.PrikazJazyk(1);
        emit okno.PosledniProjekty()->aboutToShow();
        const QStringList polozky = Texty(*okno.PosledniProjekty());
        QCOMPARE(polozky.size(), kMaxRecent + 1);
        QCOMPARE(polozky[0], QString("&1  job3.gpr"));
        QCOMPARE(polozky.back(), QString("Clear list"));

        // Another program start reads the same list; a vanished project goes.
        std::filesystem::remove(docasna / "job8.gpr");
        Workspace ws2;
        ws2.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy2;
        // The language chosen is a setting nobody saved: it asks before opening.
        dialogy2.vychoziOdpoved = true;
        HlavniOkno okno2(ws2, dialogy2);
        okno2.OtevritNedavny(seznam[1]);
        QCOMPARE(dialogy2.zpravy.size(), std::size_t{1});
        QVERIFY(dialogy2.zpravy[0].contains("no longer exists"));
        QVERIFY(!RecentProjects().contains(seznam[1]));
        QCOMPARE(ws2.suroveMereni.PocetPlnychZaznamu(), 0);
        // An existing one opens from the menu, which now lists seven.
        emit okno2.PosledniProjekty()->aboutToShow();
        QCOMPARE(Texty(*okno2.PosledniProjekty()).size(), kMaxRecent);
        okno2.PosledniProjekty()->actions().front()->trigger();
        QCOMPARE(ui::test::ZobrazenyNadpis(okno2), QString("Vertano [job3.gpr]"));
        QCOMPARE(ws2.suroveMereni.PocetPlnychZaznamu(), 312);
    }

    // A project, raw files and point files dropped together: the project first,
    // then the files into it; an unknown file is named, and nothing is lost
    // without the question.
    void DroppedFilesOpenByTheirKind() {
        vertano::test::TempDir docasna;
        {
            std::ofstream neznamy(docasna / "notes.doc");
            neznamy << "x";
        }
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        QVERIFY(okno.acceptDrops());
        QVERIFY(Pustit(okno, {Q(ui::test::Zdroj("examples/sit.mtx"))}));
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 312);
        QVERIFY(ui::test::ZobrazenyNadpis(okno).endsWith("*"));
        QVERIFY(okno.Vysledek()->text().startsWith("Added files: 1, measurements: 312; Checks: "));

        // The project replaces the rows only after "Yes".
        dialogy.zpravy.clear();
        dialogy.odpovedi = {false};
        QVERIFY(Pustit(okno, {Q(Projekt())}));
        QCOMPARE(dialogy.otazky.size(), std::size_t{1});
        QVERIFY(!ws.info.souborProjekt.nacteni);
        dialogy.odpovedi = {true};
        dialogy.zpravy.clear();
        QVERIFY(Pustit(okno, {Q(docasna / "notes.doc"),
                              Q(ui::test::Zdroj("examples/tiny-given.txt")), Q(Projekt())}));
        QVERIFY(ws.info.souborProjekt.nacteni);
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 312);
        QVERIFY(ws.souradniceFixni.PocetPlnychBodu() > 3);
        // Opened, points added, the unknown file named.
        QCOMPARE(dialogy.zpravy.size(), std::size_t{3});
        QVERIFY(dialogy.zpravy[2].contains("notes.doc"));
        QVERIFY(okno.Vysledek()->text().startsWith(ws.nastaveni.typJazyk == 1
                                                       ? QString("Added points: ")
                                                       : QString::fromUtf8("Přidané body: ")));
        QVERIFY(ui::test::ZobrazenyNadpis(okno).startsWith("Vertano [sit.gpr]"));
        QVERIFY(RecentProjects().contains(Q(Projekt())));

        // Something that is not a local file is not taken.
        QMimeData text;
        text.setText("1 2 3");
        QDragEnterEvent vstup(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&okno, &vstup);
        QVERIFY(!vstup.isAccepted());
    }

    // Nothing open: the welcome instead of empty rows, with the first steps and
    // the recent projects; any of them leads to the table.
    void WelcomeLeadsToTheFirstSteps() {
        RememberProject(Q(Projekt()));
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            ui::test::SkriptDialogy dialogy;
            HlavniOkno okno(ws, dialogy);
            okno.show();
            QVERIFY(QTest::qWaitForWindowExposed(&okno));
            okno.resize(okno.width(), 600);
            QVERIFY(okno.UvitaniViditelne());
            WelcomePanel* u = okno.Uvitani();
            QVERIFY(u->OpenExample()->isEnabled());
            QCOMPARE(u->Recent().size(), std::size_t{1});
            QVERIFY(u->Recent()[0]->text().startsWith("sit.gpr"));
            QCOMPARE(u->OpenExample()->text(),
                     jazyk == 1 ? QString("Open example") : QString::fromUtf8("Otevřít ukázku"));
            QTest::qWait(30);
            Ulozit(okno, jazyk == 1 ? "uvitani-en" : "uvitani-cs");

            // "Add raw files ..." asks for the files as "Add ..." does.
            dialogy.otevreni = {{ui::test::Zdroj("examples/sit.mtx")}};
            QTest::mouseClick(u->AddRawFiles(), Qt::LeftButton);
            QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 312);
            QVERIFY(!okno.UvitaniViditelne());
        }
        // The example, a recent project, and the plain table on request.
        for (int cesta = 0; cesta < 3; ++cesta) {
            Workspace ws;
            ui::test::SkriptDialogy dialogy;
            HlavniOkno okno(ws, dialogy);
            okno.show();
            QVERIFY(okno.UvitaniViditelne());
            QPushButton* b = cesta == 0   ? okno.Uvitani()->OpenExample()
                             : cesta == 1 ? okno.Uvitani()->Recent()[0]
                                          : okno.Uvitani()->EmptyTable();
            QTest::mouseClick(b, Qt::LeftButton);
            QVERIFY(!okno.UvitaniViditelne());
            QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), cesta < 2 ? 312 : 0);
            QVERIFY(okno.Tabulka().isVisible());
        }
    }

    // Every step says what came of it, with a way to the details.
    void StatusBarSaysWhatEachStepDid() {
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        okno.OtevritProjekt(Projekt(), false);
        // In the project's language: its name and the count of the checked rows.
        QVERIFY(okno.Vysledek()->text().contains("sit.gpr"));
        QVERIFY(okno.Vysledek()->text().contains(": 312)"));
        QVERIFY(okno.Podrobnosti()->isHidden());
        okno.PrikazJazyk(1);

        okno.Akce_().analyza->trigger();
        okno.PockatNaKonec();
        QVERIFY2(
            okno.Vysledek()->text().startsWith("Measurement analysis: coordinates of points: "),
            qPrintable(okno.Vysledek()->text()));
        QVERIFY(
            okno.Vysledek()->text().contains(QString("measurements for the adjustment: %1")
                                                 .arg(ws.mereniVyrovnani.PocetPlnychZaznamu())));
        // Its details: the coordinates it computed.
        QVERIFY(!okno.Podrobnosti()->isHidden());
        okno.Podrobnosti()->click();
        QCOMPARE(dialogy.okna.back(), QString("Coordinates before adjustment"));

        okno.Akce_().vyrovnani->trigger();
        okno.PockatNaKonec();
        const QString vyrovnani = okno.Vysledek()->text();
        QVERIFY2(vyrovnani.startsWith(QString::fromUtf8("Network adjustment: σ0 = ")),
                 qPrintable(vyrovnani));
        QVERIFY(vyrovnani.contains("outliers: ") &&
                vyrovnani.contains("uncontrolled observations: "));
        Ulozit(okno, "stav-vyrovnani-en");
        okno.Podrobnosti()->click();
        QVERIFY(okno.Vyrovnani() != nullptr);

        // A changed row runs the checks: their outcome, and the way to the row.
        ws.suroveMereni.zaznam[7].vyska_cil = 3.5L;
        Tvyber vyber;
        vyber.Velikost(ws.suroveMereni.zaznam.size());
        vyber.hromadny[0] = true;
        dialogy.vychoziOdpoved = true;
        okno.Tabulka().Vyber() = vyber;
        okno.AktualizovatMenu();
        okno.Akce_().smazat->trigger();
        const QString kontrola = okno.Vysledek()->text();
        QVERIFY2(kontrola.startsWith("Checks: errors found: "), qPrintable(kontrola));
        QVERIFY(!okno.Podrobnosti()->isHidden());
        okno.Tabulka().NastavitAktualni(100);
        okno.Podrobnosti()->click();
        QCOMPARE(okno.Tabulka().AktualniRadek(), NajitChybny(ws.suroveMereni, -1));
        QVERIFY(okno.Tabulka().AktualniRadek() < 10);
    }

    // A stopped analysis names what stopped it and shows it again on request.
    void StatusBarNamesWhatStoppedTheAnalysis() {
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(Projekt(), false);
        ws.NastavitJazyk(1);
        // No given point at all: the approximate coordinates cannot start.
        ws.souradniceFixni.Clear();
        ws.state.GivenPointsChanged();
        okno.Obnovit();
        okno.Akce_().analyza->trigger();
        okno.PockatNaKonec();
        if (ws.state.Current(Step::Analysis)) QSKIP("the analysis found a way without points");
        QVERIFY2(okno.Vysledek()->text().startsWith("Measurement analysis stopped: "),
                 qPrintable(okno.Vysledek()->text()));
        const std::size_t zpravy = dialogy.zpravy.size();
        if (!okno.Podrobnosti()->isHidden()) {
            okno.Podrobnosti()->click();
            QCOMPARE(dialogy.zpravy.size(), zpravy + 1);
        }
    }

    // The toolbar follows the enabling of the menu items it stands for, and
    // is off while a command runs.
    void ToolbarFollowsTheMainRoad() {
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        QStringList texty;
        QList<QAction*> akce;
        for (QAction* a : okno.Nastroje()->actions()) {
            if (a->isSeparator()) continue;
            texty << a->text();
            akce << a;
        }
        QCOMPARE(texty, (QStringList{"Add files", "Check", "Analyse", "Adjust", "Drawing", "Report",
                                     "Save"}));
        QVERIFY(akce[0]->isEnabled());
        QVERIFY(!akce[2]->isEnabled() && !akce[3]->isEnabled() && !akce[4]->isEnabled());
        okno.OtevritProjekt(Projekt(), false);
        QVERIFY(akce[1]->isEnabled() && akce[2]->isEnabled() && !akce[3]->isEnabled());
        akce[2]->trigger();
        okno.PockatNaKonec();
        QVERIFY(akce[3]->isEnabled());
        akce[3]->trigger();
        QVERIFY(!akce[0]->isEnabled() || !okno.Bezi());
        okno.PockatNaKonec();
        QVERIFY(akce[4]->isEnabled() && akce[5]->isEnabled());
        akce[4]->trigger();
        QVERIFY(okno.Vyrovnani() != nullptr && okno.Vyrovnani()->Kresba() != nullptr);
        akce[5]->trigger();
        QCOMPARE(dialogy.protokoly.size(), std::size_t{1});
        QCOMPARE(akce[1]->toolTip(), akce[1]->text());
        QCOMPARE(akce[2]->toolTip(), okno.Akce_().analyza->text());
    }

    // Size, place and column widths come back at the next start, for the main
    // window and for the result windows.
    void LayoutComesBackAtTheNextStart() {
        int vyska = 0;
        int sirkaSloupce = 0;
        QPoint poloha;
        {
            Workspace ws;
            ui::test::SkriptDialogy dialogy;
            HlavniOkno okno(ws, dialogy);
            okno.OtevritProjekt(Projekt(), false);
            okno.show();
            QVERIFY(QTest::qWaitForWindowExposed(&okno));
            QHeaderView* h = okno.Tabulka().horizontalHeader();
            sirkaSloupce = h->sectionSize(3) + 37;
            h->resizeSection(3, sirkaSloupce);
            QCOMPARE(okno.width(), okno.Tabulka().PrirozenaSirka() + 8);
            okno.resize(okno.width(), 433);
            okno.move(40, 30);
            QTest::qWait(20);
            vyska = okno.height();
            poloha = okno.pos();
            // Kept soon after the change, before the window closes.
            QTRY_VERIFY_WITH_TIMEOUT(pamet_->contains("windows/HlavniOkno/geometry"), 5000);
            QVERIFY(okno.close());
        }
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(Projekt(), false);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        QCOMPARE(okno.Tabulka().horizontalHeader()->sectionSize(3), sirkaSloupce);
        QCOMPARE(okno.height(), vyska);
        QCOMPARE(okno.pos(), poloha);
        QCOMPARE(okno.width(), okno.Tabulka().PrirozenaSirka() + 8);

        // A result window: shown, sized by the user, closed; the next one of
        // its kind opens so.
        okno.Akce_().analyza->trigger();
        okno.PockatNaKonec();
        QSize velikost;
        {
            auto o = OknoPribliznychSouradnic(&okno, ws);
            o->show();
            QVERIFY(QTest::qWaitForWindowExposed(o.get()));
            o->resize(o->width() + 55, 377);
            o->Tabulka().horizontalHeader()->resizeSection(1, 151);
            velikost = o->size();
            o->close();
        }
        auto o = OknoPribliznychSouradnic(&okno, ws);
        o->show();
        QVERIFY(QTest::qWaitForWindowExposed(o.get()));
        QCOMPARE(o->size(), velikost);
        QCOMPARE(o->Tabulka().horizontalHeader()->sectionSize(1), 151);
    }

    // Delete, move and a record edit undone with Ctrl+Z and done again with
    // Ctrl+Y: the rows, the checks and the current analysis as before each.
    void UndoAndRedoOfRawEdits() {
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        dialogy.vychoziOdpoved = true;
        HlavniOkno okno(ws, dialogy);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        okno.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&okno));
        okno.OtevritProjekt(Projekt(), false);
        okno.PrikazJazyk(1);
        okno.Akce_().analyza->trigger();
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Analysis));
        QVERIFY(!okno.AkceZpet()->isEnabled());
        const std::vector<Tzaznam> puvodni = ws.suroveMereni.zaznam;
        const auto vybrat = [&](int radek) {
            Tvyber& v = okno.Tabulka().Vyber();
            v.Velikost(ws.suroveMereni.zaznam.size());
            v.Zrusit();
            v.hromadny[static_cast<std::size_t>(radek)] = true;
            v.aktualni = radek;
            okno.AktualizovatMenu();
        };
        const auto stejne = [&] {
            if (ws.suroveMereni.PocetPlnychZaznamu() != 312) return false;
            for (std::size_t i = 0; i < 312; ++i) {
                const Tzaznam& a = ws.suroveMereni.zaznam[i];
                const Tzaznam& b = puvodni[i];
                if (a.cislo_cil != b.cislo_cil || a.smer != b.smer || a.delka != b.delka)
                    return false;
            }
            return true;
        };

        vybrat(5);
        okno.Akce_().smazat->trigger();
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 311);
        QVERIFY(!ws.state.Current(Step::Analysis));
        QVERIFY(okno.isWindowModified());
        QCOMPARE(okno.AkceZpet()->text(), QString("Undo: Delete"));
        QTest::keyClick(&okno, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(stejne());
        QVERIFY(ws.state.Current(Step::Analysis));
        QVERIFY(okno.Akce_().vyrovnani->isEnabled());
        QVERIFY(!okno.isWindowModified());
        QTest::keyClick(&okno, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 311);
        QVERIFY(!ws.state.Current(Step::Analysis));
        okno.AkceZpet()->trigger();
        QVERIFY(stejne());

        // A move, then an edit in the record window, undone in turn.
        vybrat(3);
        okno.Akce_().posunDolu->trigger();
        QVERIFY(!stejne());
        vybrat(10);
        dialogy.priOkne = [](QDialog& d) {
            auto* o = dynamic_cast<OknoZaznamu*>(&d);
            if (o == nullptr) return;
            o->Pole(3)->setText("NEW");
            o->Vlozit();
            QCOMPARE(o->PocetVlozeni(), 1);
        };
        okno.PrikazZaznam(3);
        dialogy.priOkne = {};
        QCOMPARE(QString::fromStdString(ws.suroveMereni.zaznam[10].cislo_cil), QString("NEW"));
        QCOMPARE(okno.Zpet()->count(), 2);
        okno.AkceZpet()->trigger();
        QCOMPARE(ws.suroveMereni.zaznam[10].cislo_cil, puvodni[10].cislo_cil);
        okno.AkceZpet()->trigger();
        QVERIFY(stejne());
        QVERIFY(ws.state.Current(Step::Analysis));
        // Opening a project starts a new history.
        okno.OtevritProjekt(Projekt(), false);
        QCOMPARE(okno.Zpet()->count(), 0);
        QVERIFY(!okno.AkceZpet()->isEnabled());
    }

    // A point deleted in the list window, undone and done again; undone, the
    // window writes nothing back and nothing is unsaved.
    void UndoInAPointList() {
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        dialogy.vychoziOdpoved = true;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(Projekt(), false);
        const int pred = ws.souradniceFixni.PocetPlnychBodu();
        QVERIFY(pred > 1);
        VzoryHledani vzory;
        OknoVstupu o(&okno, ws, dialogy, vzory, SeznamVstupuBodu(ws, SeznamBodu::Fixni));
        const auto plne = [&o] {
            int n = 0;
            for (int r = 0; r < o.Model().PocetZaznamu(); ++r) n += o.Model().JePlny(r) ? 1 : 0;
            return n;
        };
        QVERIFY(!o.Akce_().zpet->isEnabled());
        Tvyber& v = o.Tabulka().Vyber();
        v.Velikost(static_cast<std::size_t>(o.Model().PocetZaznamu()));
        v.hromadny[0] = true;
        o.AktualizovatMenu();
        o.PrikazSmazat();
        QCOMPARE(plne(), pred - 1);
        QVERIFY(o.Zmeneno());
        QVERIFY(o.Akce_().zpet->isEnabled());
        QCOMPARE(o.Akce_().zpet->text(), QString("Undo"));
        o.Akce_().zpet->trigger();
        QCOMPARE(plne(), pred);
        QVERIFY(!o.Zmeneno());
        o.Akce_().znovu->trigger();
        QCOMPARE(plne(), pred - 1);
        QVERIFY(o.Zmeneno());
        o.Akce_().zpet->trigger();
        o.done(QDialog::Rejected);
        okno.Obnovit();
        QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), pred);
        QVERIFY(!okno.isWindowModified());
    }

    // A supplementary distance switched off in its list window stays in the
    // list as not used once the window closes; undone, it is used again.
    void SwitchOffInASupplementaryList() {
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(Projekt(), false);
        const int pocet = ws.doplnekVstup.Seznam(DruhDoplnku::Delka)->PocetPlnychZaznamu();
        QVERIFY(pocet > 0);
        VzoryHledani vzory;
        const auto otevrit = [&] {
            return std::make_unique<OknoVstupu>(&okno, ws, dialogy, vzory,
                                                SeznamVstupuDoplnku(ws, DruhDoplnku::Delka));
        };
        auto o = otevrit();
        QVERIFY(o->Akce_().vyradit->isVisible());
        QCOMPARE(o->Akce_().vyradit->text(), QString("Switch off measurements"));
        Tvyber& v = o->Tabulka().Vyber();
        v.Velikost(static_cast<std::size_t>(o->Model().PocetZaznamu()));
        v.hromadny[0] = true;
        o->AktualizovatMenu();
        o->Akce_().vyradit->trigger();
        QVERIFY(o->Zmeneno());
        o->Akce_().zpet->trigger();
        QVERIFY(!o->Zmeneno());
        o->Akce_().znovu->trigger();
        o->done(QDialog::Accepted);
        const Tmereni& seznam = *ws.doplnekVstup.Seznam(DruhDoplnku::Delka);
        QCOMPARE(seznam.PocetPlnychZaznamu(), pocet);
        QVERIFY(seznam.zaznam[0].jeVyrazeno);
        QVERIFY(!ws.state.Current(Step::Analysis));

        o = otevrit();
        o->Tabulka().Vyber().Velikost(static_cast<std::size_t>(o->Model().PocetZaznamu()));
        o->Tabulka().Vyber().hromadny[0] = true;
        o->AktualizovatMenu();
        o->Akce_().zaradit->trigger();
        o->done(QDialog::Accepted);
        QVERIFY(!ws.doplnekVstup.Seznam(DruhDoplnku::Delka)->zaznam[0].jeVyrazeno);
        // The points' list has no such command.
        OknoVstupu body(&okno, ws, dialogy, vzory, SeznamVstupuBodu(ws, SeznamBodu::Fixni));
        QVERIFY(!body.Akce_().vyradit->isVisible());
    }

    // Without a store nothing is remembered and nothing is written.
    void NothingIsRememberedWithoutAStore() {
        DesktopSettings::Use(nullptr);
        RememberProject(Q(Projekt()));
        QVERIFY(RecentProjects().isEmpty());
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(Projekt(), false);
        QVERIFY(RecentProjects().isEmpty());
    }

    // The main window after an adjustment in both languages, and at 200 % when
    // the test runs with QT_SCALE_FACTOR=2.
    void Snimky() {
        const bool dvojnasobne = qEnvironmentVariable("QT_SCALE_FACTOR") == "2";
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ui::test::SkriptDialogy dialogy;
            HlavniOkno okno(ws, dialogy);
            okno.OtevritProjekt(Projekt(), false);
            ws.NastavitJazyk(jazyk);
            okno.PrikazJazyk(jazyk);
            okno.show();
            QVERIFY(QTest::qWaitForWindowExposed(&okno));
            okno.resize(okno.width(), 560);
            okno.Akce_().analyza->trigger();
            okno.PockatNaKonec();
            okno.Akce_().vyrovnani->trigger();
            okno.PockatNaKonec();
            if (okno.Vyrovnani() != nullptr) okno.Vyrovnani()->close();
            QTest::qWait(30);
            const QString k = jazyk == 1 ? "-en" : "-cs";
            const QImage obrazek = okno.grab().toImage();
            if (dvojnasobne) {
                QCOMPARE(okno.devicePixelRatio(), 2.0);
                QCOMPARE(obrazek.width(), okno.width() * 2);
                Ulozit(okno, "plocha-200" + k);
            } else {
                Ulozit(okno, "plocha" + k);
            }
            // The recent projects menu as it opens.
            emit okno.PosledniProjekty()->aboutToShow();
            okno.PosledniProjekty()->adjustSize();
            Ulozit(*okno.PosledniProjekty(), "posledni-projekty" + k + (dvojnasobne ? "-200" : ""));
        }
    }
};

QTEST_MAIN(PlochaTest)
#include "PlochaTest.moc"
