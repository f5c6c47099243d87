// The mouse events of these tests go through the window system, as a person's
// clicks do: a grab of the pointer or a modal window decides where they land.
#define QTEST_QPA_MOUSE_HANDLING

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QtTest>

#include "HlavniOkno.h"
#include "OknoVyrovnani.h"
#include "TabulkaSurovych.h"
#include "UiTestSupport.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;
using test::Stred;
using test::Tah;
using test::Vybrane;

namespace {

// A click on the title of the first menu of a window's menu bar opens that menu.
bool MenuReaguje(QMenuBar* lista) {
    QAction* prvni = lista->actions().front();
    QTest::mouseClick(lista, Qt::LeftButton, Qt::NoModifier, lista->actionGeometry(prvni).center());
    QMenu* otevrene = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    const bool reaguje = otevrene != nullptr && otevrene == prvni->menu() && otevrene->isVisible();
    if (otevrene != nullptr) otevrene->close();
    return reaguje;
}

// The main window and the adjustment window side by side, as a person sees them.
void SnimekVedleSebe(QWidget& hlavni, QWidget& vedle, const QString& jmeno) {
    const QImage a = hlavni.grab().toImage();
    const QImage b = vedle.grab().toImage();
    QImage obraz(a.width() + 8 + b.width(), std::max(a.height(), b.height()), QImage::Format_RGB32);
    obraz.fill(Qt::darkGray);
    QPainter p(&obraz);
    p.drawImage(0, 0, a);
    p.drawImage(a.width() + 8, 0, b);
    p.end();
    QVERIFY(obraz.save(test::SlozkaSnimku() + "/" + jmeno + ".png"));
}

// Windows closed with "delete on close" go when the events are next processed.
void Uklidit() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace

// The desktop program driven by the mouse: the table keeps no grab of the
// pointer, and the adjustment window leaves the main window working.
class MysTest : public QObject {
    Q_OBJECT

  private slots:
    void ClicksAndDragsOnRowsLeaveThePointerToTheMenus() {
        Workspace ws;
        test::SkriptDialogy dialogy;
        test::Nacist(ws, test::Sit(SimulaceTvar::Tiny, 5, 3));
        HlavniOkno okno(ws, dialogy);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        TabulkaSurovych& t = okno.Tabulka();
        QWidget* viewport = t.viewport();

        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, Stred(t, 2));
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QVERIFY(MenuReaguje(okno.menuBar()));
        // Every later click still reaches the rows.
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, Stred(t, 4));
        QCOMPARE(Vybrane(t), QList<int>({2, 3, 4}));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, Stred(t, 6));
        QCOMPARE(Vybrane(t), QList<int>({2, 3, 4, 6}));
        QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, Stred(t, 1));
        QCOMPARE(Vybrane(t), QList<int>({1}));

        // Dragging moves the selection; with Ctrl it adds to it.
        QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, Stred(t, 2));
        Tah(t, 3, Qt::NoModifier);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, Stred(t, 3));
        QCOMPARE(Vybrane(t), QList<int>({3}));
        QTest::mousePress(viewport, Qt::LeftButton, Qt::ControlModifier, Stred(t, 6));
        Tah(t, 7, Qt::ControlModifier);
        Tah(t, 8, Qt::ControlModifier);
        QTest::mouseRelease(viewport, Qt::LeftButton, Qt::ControlModifier, Stred(t, 8));
        QCOMPARE(Vybrane(t), QList<int>({3, 6, 7, 8}));
        QCOMPARE(t.AktualniRadek(), 8);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QVERIFY(MenuReaguje(okno.menuBar()));
    }

    void TheAdjustmentWindowStaysBesideAWorkingMainWindow() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(test::PripravitPriklad(ws, true));
        test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        const HlavniOkno::Akce& a = okno.Akce_();

        // A current adjustment opens its window at once, not modal.
        a.vyrovnani->trigger();
        QPointer<OknoVyrovnani> vyrovnani = okno.Vyrovnani();
        QVERIFY(vyrovnani != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(vyrovnani.data()));
        QVERIFY(!vyrovnani->isModal());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(MenuReaguje(okno.menuBar()));
        QTest::mouseClick(okno.Tabulka().viewport(), Qt::LeftButton, Qt::NoModifier,
                          Stred(okno.Tabulka(), 3));
        QCOMPARE(Vybrane(okno.Tabulka()), QList<int>({3}));
        QVERIFY(MenuReaguje(vyrovnani->Menu()));
        SnimekVedleSebe(okno, *vyrovnani, "vyrovnani-vedle-hlavniho-en");

        // Asked again, the same window comes forward; a result opened from it
        // stays beside it too.
        a.vyrovnani->trigger();
        Uklidit();
        QCOMPARE(okno.Vyrovnani(), vyrovnani.data());
        QCOMPARE(okno.findChildren<OknoVyrovnani*>().size(), 1);
        vyrovnani->Akce_().odchylkyApriori->trigger();
        QList<OknoSeznamu*> vysledky =
            vyrovnani->findChildren<OknoSeznamu*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(vysledky.size(), 1);
        QPointer<OknoSeznamu> vysledek = vysledky.front();
        QVERIFY(vysledek->isVisible() && !vysledek->isModal());
        QVERIFY(MenuReaguje(okno.menuBar()));

        // The language switch opens it again in the other language.
        a.jazykCZ->trigger();
        Uklidit();
        QVERIFY(vyrovnani.isNull() && vysledek.isNull());
        QVERIFY(okno.Vyrovnani() != nullptr);
        QVERIFY(okno.Vyrovnani()->windowTitle().startsWith("Vyrovnání sítě"));
        vyrovnani = okno.Vyrovnani();
        QVERIFY(QTest::qWaitForWindowExposed(vyrovnani.data()));
        SnimekVedleSebe(okno, *vyrovnani, "vyrovnani-vedle-hlavniho-cs");

        // Closed from its menu, and opened again.
        vyrovnani->Akce_().zavrit->trigger();
        Uklidit();
        QVERIFY(vyrovnani.isNull());
        QCOMPARE(okno.Vyrovnani(), nullptr);
        a.vyrovnani->trigger();
        vyrovnani = okno.Vyrovnani();
        QVERIFY(vyrovnani != nullptr && vyrovnani->isVisible());

        // An edit of the raw table keeps the adjusted network and its windows;
        // a new analysis recomputes it: the window closes before the worker
        // starts, and the new adjustment opens a new one.
        vyrovnani->Akce_().odchylkyAposteriori->trigger();
        vysledek =
            vyrovnani->findChildren<OknoSeznamu*>(QString(), Qt::FindDirectChildrenOnly).front();
        QTest::mouseClick(okno.Tabulka().viewport(), Qt::LeftButton, Qt::NoModifier,
                          Stred(okno.Tabulka(), 5));
        QCOMPARE(Vybrane(okno.Tabulka()), QList<int>({5}));
        a.posunNahoru->trigger();
        a.posunDolu->trigger();
        Uklidit();
        QVERIFY(!vyrovnani.isNull() && !vysledek.isNull());
        QCOMPARE(okno.Vyrovnani(), vyrovnani.data());
        QVERIFY(vysledek->isVisible());
        QVERIFY(a.analyza->isEnabled());
        a.analyza->trigger();
        QVERIFY(okno.Bezi());
        QCOMPARE(okno.Vyrovnani(), nullptr);
        QVERIFY(vysledek.isNull() || !vysledek->isVisible());
        okno.PockatNaKonec();
        Uklidit();
        QVERIFY(vyrovnani.isNull() && vysledek.isNull());
        QVERIFY(!ws.state.Current(Step::Adjustment));
        a.vyrovnani->trigger();
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Adjustment));
        vyrovnani = okno.Vyrovnani();
        QVERIFY(vyrovnani != nullptr && vyrovnani->isVisible());
        QVERIFY(MenuReaguje(okno.menuBar()));

        // Closing the main window closes it too.
        dialogy.vychoziOdpoved = true;
        QVERIFY(okno.close());
        Uklidit();
        QVERIFY(vyrovnani.isNull());
    }
};

QTEST_MAIN(MysTest)
#include "MysTest.moc"
