#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QtTest>

#include "HlavniOkno.h"
#include "TabulkaSurovych.h"
#include "UiTestSupport.h"
#include "workspace/Projekt.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;
using test::Stred;
using test::Tah;
using test::Vybrane;

namespace {

void Klik(TabulkaSurovych& t, int radek, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::mouseClick(t.viewport(), Qt::LeftButton, m, Stred(t, radek));
}

// A window over the tiny network (20 rows), shown, as the user sees it.
struct Okno {
    Workspace ws;
    test::SkriptDialogy dialogy;
    std::unique_ptr<HlavniOkno> okno;

    Okno() {
        test::Nacist(ws, test::Sit(SimulaceTvar::Tiny, 5, 3));
        okno = std::make_unique<HlavniOkno>(ws, dialogy);
        okno->show();
        if (!QTest::qWaitForWindowExposed(okno.get())) qFatal("the window was not shown");
    }
    TabulkaSurovych& T() { return okno->Tabulka(); }
};

}  // namespace

// The selection rules of the table driven by the mouse and the keys, and the
// copy / paste road through the clipboards.
class VyberTest : public QObject {
    Q_OBJECT

  private slots:
    void ClickShiftAndCtrl() {
        Okno o;
        TabulkaSurovych& t = o.T();
        Klik(t, 2);
        QCOMPARE(Vybrane(t), QList<int>({2}));
        Klik(t, 4);
        QCOMPARE(Vybrane(t), QList<int>({4}));
        Klik(t, 6, Qt::ShiftModifier);
        QCOMPARE(Vybrane(t), QList<int>({4, 5, 6}));
        Klik(t, 1, Qt::ControlModifier);
        QCOMPARE(Vybrane(t), QList<int>({1, 4, 5, 6}));
        Klik(t, 5, Qt::ControlModifier);
        QCOMPARE(Vybrane(t), QList<int>({1, 4, 6}));
        QCOMPARE(t.AktualniRadek(), 5);
        QCOMPARE(o.okno->StavVyberu()->text(),
                 QString(" 3 / %1").arg(o.ws.suroveMereni.PocetPlnychZaznamu()));
        // A click below the list deselects and selects nothing.
        const int prazdny = static_cast<int>(o.ws.suroveMereni.zaznam.size());
        Klik(t, prazdny);
        QCOMPARE(Vybrane(t), QList<int>());
    }

    void ShiftClickWithoutAnchorStartsAtTheFirstRow() {
        Okno o;
        Klik(o.T(), 3, Qt::ShiftModifier);
        QCOMPARE(Vybrane(o.T()), QList<int>({0, 1, 2, 3}));
    }

    void DragFollowsThePointerAndCtrlDragAdds() {
        Okno o;
        TabulkaSurovych& t = o.T();
        QTest::mousePress(t.viewport(), Qt::LeftButton, Qt::NoModifier, Stred(t, 1));
        Tah(t, 2, Qt::NoModifier);
        Tah(t, 3, Qt::NoModifier);
        QTest::mouseRelease(t.viewport(), Qt::LeftButton, Qt::NoModifier, Stred(t, 3));
        QCOMPARE(Vybrane(t), QList<int>({3}));
        QCOMPARE(t.AktualniRadek(), 3);
        QTest::mousePress(t.viewport(), Qt::LeftButton, Qt::ControlModifier, Stred(t, 6));
        Tah(t, 7, Qt::ControlModifier);
        Tah(t, 8, Qt::ControlModifier);
        QTest::mouseRelease(t.viewport(), Qt::LeftButton, Qt::ControlModifier, Stred(t, 8));
        QCOMPARE(Vybrane(t), QList<int>({3, 6, 7, 8}));
    }

    void KeysInvertTheCurrentRow() {
        Okno o;
        TabulkaSurovych& t = o.T();
        t.setFocus();
        t.NastavitAktualni(2);
        QTest::keyClick(&t, Qt::Key_Space);
        QTest::keyClick(&t, Qt::Key_Down);
        QTest::keyClick(&t, Qt::Key_Space);
        QCOMPARE(Vybrane(t), QList<int>({2, 3}));
        QTest::keyClick(&t, Qt::Key_Return);  // inverts row 3, deselects the others
        QCOMPARE(Vybrane(t), QList<int>());
        QTest::keyClick(&t, Qt::Key_Return);
        QCOMPARE(Vybrane(t), QList<int>({3}));
        o.okno->Akce_().vybratVse->trigger();
        QCOMPARE(Vybrane(t).size(), o.ws.suroveMereni.PocetPlnychZaznamu());
        o.okno->Akce_().zrusitVyber->trigger();
        QCOMPARE(Vybrane(t), QList<int>());
    }

    void CopyAndPasteGiveBackTheRows() {
        Okno o;
        TabulkaSurovych& t = o.T();
        const HlavniOkno::Akce& a = o.okno->Akce_();
        Klik(t, 0);
        a.vyberDle[1]->trigger();  // the first station
        const QList<int> stanovisko = Vybrane(t);
        QVERIFY(stanovisko.size() >= 4);
        std::vector<Tzaznam> puvodni;
        for (const int r : stanovisko)
            puvodni.push_back(o.ws.suroveMereni.zaznam[static_cast<std::size_t>(r)]);

        a.kopirovat->trigger();
        const QStringList radky =
            QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(radky.size(), stanovisko.size());
        for (qsizetype i = 0; i < radky.size(); ++i) {
            const QStringList bunky = radky[i].split('\t');
            QCOMPARE(bunky.size(), 8);
            for (int s = 0; s < 8; ++s)
                QCOMPARE(bunky[s], t.Model().index(stanovisko[i], s).data().toString());
        }

        const int celkem = o.ws.suroveMereni.PocetPlnychZaznamu();
        a.vyjmout->trigger();
        QCOMPARE(o.ws.suroveMereni.PocetPlnychZaznamu(),
                 celkem - static_cast<int>(stanovisko.size()));
        a.vlozit->trigger();  // nothing selected: a new last station
        const Tmereni& m = o.ws.suroveMereni;
        QCOMPARE(m.PocetPlnychZaznamu(), celkem);
        const std::size_t zacatek = static_cast<std::size_t>(celkem) - puvodni.size();
        for (std::size_t i = 0; i < puvodni.size(); ++i) {
            const Tzaznam& z = m.zaznam[zacatek + i];
            QCOMPARE(z.cislo_stn, puvodni[i].cislo_stn);
            QCOMPARE(z.cislo_cil, puvodni[i].cislo_cil);
            QVERIFY(z.smer == puvodni[i].smer && z.zenit == puvodni[i].zenit &&
                    z.delka == puvodni[i].delka);
            QCOMPARE(z.poradi, m.PosledniPoradi());
            QVERIFY(z.JeVeSkupine());
        }
        QCOMPARE(o.ws.chyby.suroveMereniCekovyPocetChyb, 0);
    }

    void DeleteAsksAndNoKeepsTheRows() {
        Okno o;
        const int celkem = o.ws.suroveMereni.PocetPlnychZaznamu();
        Klik(o.T(), 1);
        Klik(o.T(), 2, Qt::ControlModifier);
        o.dialogy.odpovedi = {false, true};
        o.okno->Akce_().smazat->trigger();
        QCOMPARE(o.ws.suroveMereni.PocetPlnychZaznamu(), celkem);
        QVERIFY(o.dialogy.otazky.back().contains("(Number of measurements: 2)") ||
                o.dialogy.otazky.back().contains("(Počet vybraných měření: 2)"));
        o.okno->Akce_().smazat->trigger();
        QCOMPARE(o.ws.suroveMereni.PocetPlnychZaznamu(), celkem - 2);
        QCOMPARE(o.T().AktualniRadek(), 1);
    }

    void SwitchedOffRowsStayMarkedAndComeBack() {
        Okno o;
        const int celkem = o.ws.suroveMereni.PocetPlnychZaznamu();
        Klik(o.T(), 1);
        Klik(o.T(), 2, Qt::ControlModifier);
        QVERIFY(o.okno->Akce_().vyradit->isEnabled());
        o.okno->Akce_().vyradit->trigger();
        QCOMPARE(o.ws.suroveMereni.PocetPlnychZaznamu(), celkem);
        QVERIFY(o.ws.suroveMereni.zaznam[1].jeVyrazeno);
        QVERIFY(o.ws.suroveMereni.zaznam[2].jeVyrazeno);
        QVERIFY(!o.ws.suroveMereni.zaznam[0].jeVyrazeno);
        QVERIFY(HasUnsavedChanges(o.ws));
        o.okno->Akce_().zaradit->trigger();
        QVERIFY(!o.ws.suroveMereni.zaznam[1].jeVyrazeno);
        QVERIFY(!o.ws.suroveMereni.zaznam[2].jeVyrazeno);
    }
};

QTEST_MAIN(VyberTest)
#include "VyberTest.moc"
