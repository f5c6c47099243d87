#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTextBrowser>
#include <QtTest>
#include <cmath>
#include <fstream>
#include <iterator>

#include "OknaVysledku.h"
#include "OknoKresby.h"
#include "OknoVstupu.h"
#include "OknoVyrovnani.h"
#include "OknoZaznamu.h"
#include "PanelMapy.h"
#include "Texty.h"
#include "UiTestSupport.h"
#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
#include "mereni/Velicina.h"
#include "support/TestSupport.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

int Sloupec(const ModelSeznamu& m, const QString& nazev) {
    for (int k = 0; k < m.PocetSloupcu(); ++k) {
        if (m.Sloupce()[static_cast<std::size_t>(k)].nazev.startsWith(nazev)) return k;
    }
    return -1;
}

// The text of a cell as the view shows it (row of the view).
QString Bunka(const Tabulka& t, int radek, int sloupec) {
    return t.model()->index(radek, sloupec).data().toString().trimmed();
}

double Cislo(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? v : std::nan("");
}

void KlikNaZahlavi(Tabulka& t, int sloupec) {
    QHeaderView* h = t.horizontalHeader();
    const QPoint bod(h->sectionViewportPosition(sloupec) + h->sectionSize(sloupec) / 2,
                     h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, bod);
}

// The full rows of the view, by the text of a column.
QStringList Sloupec(const Tabulka& t, int sloupec, int pocet) {
    QStringList texty;
    for (int r = 0; r < pocet; ++r) texty << Bunka(t, r, sloupec);
    return texty;
}

}  // namespace

// The tables sort by a header click and filter by a point name without
// changing the lists behind them; selection, copy, delete and the CSV export
// follow the rows shown. The drawing shows the figures of a point clicked,
// highlights the rows selected in the result tables and finds a point.
class MapaTabulkyTest : public QObject {
    Q_OBJECT

  private slots:
    void HeaderClicksSortNumericallyAndGiveTheListOrderBack() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        Tabulka& t = okno.Tabulka();
        const ModelSeznamu& m = okno.Model();
        const int n = m.PocetZaznamu();
        QCOMPARE(n, 13);
        const int x = Sloupec(m, "X");
        QVERIFY(x > 0);
        const QStringList puvodni = Sloupec(t, 0, n);

        KlikNaZahlavi(t, x);
        QStringList hodnoty = Sloupec(t, x, n);
        for (int r = 1; r < n; ++r) QVERIFY(Cislo(hodnoty[r - 1]) <= Cislo(hodnoty[r]));
        QVERIFY(t.horizontalHeader()->isSortIndicatorShown());
        // The list keeps its order; the padding rows stay below the list.
        QCOMPARE(m.Text(0, 0).trimmed(), puvodni[0]);
        QVERIFY(Bunka(t, n, 0).isEmpty());

        KlikNaZahlavi(t, x);
        hodnoty = Sloupec(t, x, n);
        for (int r = 1; r < n; ++r) QVERIFY(Cislo(hodnoty[r - 1]) >= Cislo(hodnoty[r]));
        QVERIFY(Bunka(t, n, 0).isEmpty());

        // Point numbers: "2" before "10", not as text.
        KlikNaZahlavi(t, 0);
        const QStringList jmena = Sloupec(t, 0, n);
        for (int r = 1; r < n; ++r) {
            const double a = Cislo(jmena[r - 1]), b = Cislo(jmena[r]);
            if (!std::isnan(a) && !std::isnan(b)) QVERIFY(a <= b);
        }

        // A selection in the sorted view names the rows of the list.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, ui::test::Stred(t, 0));
        const QList<int> vybrane = ui::test::Vybrane(t);
        QCOMPARE(vybrane.size(), 1);
        QCOMPARE(m.Text(vybrane[0], 0).trimmed(), jmena[0]);
        QCOMPARE(t.AktualniRadek(), vybrane[0]);

        // Third click on the same header: the order of the list again.
        KlikNaZahlavi(t, 0);
        KlikNaZahlavi(t, 0);
        QVERIFY(!t.horizontalHeader()->isSortIndicatorShown());
        QCOMPARE(Sloupec(t, 0, n), puvodni);
    }

    void SelectionCopyAndDeleteOnASortedFilteredViewReachTheRightRows() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        const Tsouradnice puvodni = ws.souradniceFixni;
        const int pocet = puvodni.PocetPlnychBodu();
        QVERIFY(pocet >= 3);
        ui::test::SkriptDialogy dialogy;
        VzoryHledani vzory;
        OknoVstupu okno(nullptr, ws, dialogy, vzory, SeznamVstupuBodu(ws, SeznamBodu::Fixni));
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        Tabulka& t = okno.Tabulka();
        const ModelSeznamu& m = okno.Model();
        const int y = Sloupec(m, "Y");
        QVERIFY(y > 0);

        // Descending by Y: the first row shown is the point with the largest Y.
        t.Seradit(y, Qt::DescendingOrder);
        int nejvetsi = 0;
        for (int r = 1; r < m.PocetZaznamu(); ++r) {
            if (m.JePlny(r) && Cislo(m.Text(r, y)) > Cislo(m.Text(nejvetsi, y))) nejvetsi = r;
        }
        const QString jmeno = m.Text(nejvetsi, 0).trimmed();
        QCOMPARE(Bunka(t, 0, 0), jmeno);
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, ui::test::Stred(t, 0));
        QCOMPARE(ui::test::Vybrane(t), QList<int>({nejvetsi}));

        // Shift+click on the third row shown: the three rows shown, whatever
        // their places in the list.
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::ShiftModifier, ui::test::Stred(t, 2));
        QList<int> tri = ui::test::Vybrane(t);
        QCOMPARE(tri.size(), 3);
        QStringList ocekavane = {Bunka(t, 0, 0), Bunka(t, 1, 0), Bunka(t, 2, 0)};
        for (const int r : tri) QVERIFY(ocekavane.contains(m.Text(r, 0).trimmed()));

        // Copy: the captions, then the rows in the order shown.
        okno.Kopirovat();
        const QStringList radky =
            QApplication::clipboard()->text().split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(radky.size(), 4);
        QVERIFY(radky[0].contains("X") && radky[0].contains('\t'));
        for (int i = 0; i < 3; ++i) QCOMPARE(radky[i + 1].split('\t')[0].trimmed(), ocekavane[i]);

        // Edit in the sorted view: the record window shows that point, and the
        // change reaches it.
        t.ZrusitVyber();
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, ui::test::Stred(t, 0));
        bool upraveno = false;
        dialogy.priOkne = [&](QDialog& o) {
            auto& z = dynamic_cast<OknoZaznamu&>(o);
            QCOMPARE(z.Pole(0)->text().trimmed(), jmeno);
            z.Pole(0)->setText(jmeno + "E");
            z.VlozitAZavrit();
            upraveno = true;
        };
        okno.PrikazZaznam(true);
        QVERIFY(upraveno);
        const QString nove = jmeno + "E";
        QCOMPARE(m.Text(nejvetsi, 0).trimmed(), nove);
        QCOMPARE(Bunka(t, 0, 0), nove);

        // A row an edit takes out of the filter leaves the selection.
        okno.Filtr()->setText(nove);
        QCOMPARE(t.PocetZobrazenych(), 1);
        t.VybratVse();
        QCOMPARE(ui::test::Vybrane(t), QList<int>({nejvetsi}));
        dialogy.priOkne = [&](QDialog& o) {
            auto& z = dynamic_cast<OknoZaznamu&>(o);
            z.Pole(0)->setText(jmeno + "F");
            z.VlozitAZavrit();
        };
        okno.PrikazZaznam(true);
        QCOMPARE(t.PocetZobrazenych(), 0);
        QCOMPARE(ui::test::Vybrane(t), QList<int>());
        dialogy.priOkne = [&](QDialog& o) {
            auto& z = dynamic_cast<OknoZaznamu&>(o);
            z.Pole(0)->setText(nove);
            z.VlozitAZavrit();
        };
        okno.Filtr()->clear();
        t.ZrusitVyber();
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, ui::test::Stred(t, 0));
        okno.PrikazZaznam(true);
        QCOMPARE(m.Text(nejvetsi, 0).trimmed(), nove);

        // Delete the single row selected in the sorted view: that point goes.
        t.ZrusitVyber();
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, ui::test::Stred(t, 0));
        QCOMPARE(ui::test::Vybrane(t), QList<int>({nejvetsi}));
        dialogy.odpovedi = {true};
        okno.PrikazSmazat();
        okno.accept();
        QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), pocet - 1);
        for (const Tbod& b : ws.souradniceFixni.bod) {
            if (b.JePlny) QVERIFY(QString::fromStdString(b.cislo) != nove);
        }
    }

    void FilterShowsThePointsNamedAndSelectsOnlyThem() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        std::unique_ptr<OknoSeznamu> okno =
            OknoVyrovnanychMereni(nullptr, ws, Velicina::Smer, true);
        okno->show();
        QVERIFY(QTest::qWaitForWindowExposed(okno.get()));
        Tabulka& t = okno->Tabulka();
        const ModelSeznamu& m = okno->Model();
        const int stanovisko = Sloupec(m, QString::fromStdString(ws.jazyk.popis.cislo));
        QVERIFY(stanovisko >= 0);
        const QString jmeno = m.Text(0, stanovisko + 1).trimmed();  // a target
        int maji = 0;
        for (int r = 0; r < m.PocetZaznamu(); ++r) {
            bool ma = false;
            for (int s = 0; s < m.PocetSloupcu(); ++s)
                ma = ma || (m.JeJmeno(s) && m.Text(r, s).contains(jmeno, Qt::CaseInsensitive));
            maji += ma ? 1 : 0;
        }
        QVERIFY(maji > 0 && maji < m.PocetZaznamu());

        QTest::keyClicks(okno->Filtr(), jmeno);
        QCOMPARE(static_cast<int>(t.RadkyPohledu().size()), maji);
        QVERIFY(okno->StavVyberu()->text().contains(QString::number(maji)));
        t.VybratVse();
        QCOMPARE(ui::test::Vybrane(t).size(), maji);
        for (const int r : ui::test::Vybrane(t)) {
            bool ma = false;
            for (int s = 0; s < m.PocetSloupcu(); ++s)
                ma = ma || m.Text(r, s).contains(jmeno, Qt::CaseInsensitive);
            QVERIFY(ma);
        }
        // The list itself is whole.
        QCOMPARE(m.PocetZaznamu(), static_cast<int>(ws.modelVyrovnany.Vysledek().PocetSmer()));

        // The CSV of the table as shown.
        const vertano::test::TempDir slozka;
        const std::filesystem::path cesta = slozka / "smery.csv";
        okno->NastavitDialogy(&dialogy);
        dialogy.ulozeni = {cesta};
        okno->AkceCsv()->trigger();
        std::ifstream soubor(cesta, std::ios::binary);
        const std::string obsah((std::istreambuf_iterator<char>(soubor)), {});
        const QStringList csv = QString::fromUtf8(obsah).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(csv.size(), maji + 1);
        QVERIFY(csv[0].startsWith("Standpoint"));
        QVERIFY(!csv[1].contains("  "));

        // Clearing the filter shows every row again; the hidden rows were not
        // selected behind the user's back.
        okno->Filtr()->clear();
        QCOMPARE(static_cast<int>(t.RadkyPohledu().size()), m.PocetZaznamu());
        QCOMPARE(ui::test::Vybrane(t).size(), maji);
    }

    void AClickOnThePointShowsItsFiguresAndTablesHighlightTheMap() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        okno.show();
        okno.Akce_().kresba->trigger();
        OknoKresby* k = okno.Kresba();
        QVERIFY(k != nullptr && QTest::qWaitForWindowExposed(k));
        PlatnoKresby& p = k->Platno();

        // A determined point of the drawing, clicked at its symbol.
        const Tbod* urceny = nullptr;
        for (const Tbod& b : ws.modelVyrovnany.Vysledek().Souradnice().bod) {
            if (b.JePlny && !b.JeFixni) {
                urceny = &b;
                break;
            }
        }
        QVERIFY(urceny != nullptr);
        int i = -1;
        for (std::size_t j = 0; j < ws.grafika.body.size(); ++j) {
            if (ws.grafika.body[j].cislo == urceny->cislo) i = static_cast<int>(j);
        }
        QVERIFY(i >= 0);
        const T2DPoint px = p.Kontejner().CalcPixCoords(i);
        const QPoint bod(static_cast<int>(std::lround(static_cast<double>(px[0]))) + 3,
                         static_cast<int>(std::lround(static_cast<double>(px[1]))) - 2);
        QTest::mouseClick(&p, Qt::LeftButton, Qt::NoModifier, bod);
        QCOMPARE(p.Vybrany(), i);
        const QString text = k->Panel().Informace()->toPlainText();
        QVERIFY2(text.contains(QString::fromStdString(urceny->cislo)), qPrintable(text));
        const QString x = QString::number(static_cast<double>(urceny->X), 'f', 4);
        QVERIFY2(text.contains(x), qPrintable(text + " / " + x));
        QVERIFY(text.contains("Error ellipse"));
        QVERIFY(text.contains("Observations at the point"));
        // A click on empty paper selects nothing.
        QTest::mouseClick(&p, Qt::LeftButton, Qt::NoModifier, QPoint(2, p.height() - 2));
        QCOMPARE(p.Vybrany(), -1);

        // Rows selected in a table of adjusted directions: their lines.
        okno.Akce_().apriori[IndexVeliciny(Velicina::Smer)]->trigger();
        OknoSeznamu* smery = nullptr;
        for (OknoSeznamu* o : okno.findChildren<OknoSeznamu*>()) {
            if (o != &okno && o->isVisible()) smery = o;
        }
        QVERIFY(smery != nullptr);
        Tabulka& t = smery->Tabulka();
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, ui::test::Stred(t, 0));
        QCOMPARE(p.ZvyraznenaSpojnice().size(), std::size_t{1});
        QCOMPARE(p.ZvyrazneneBody().size(), std::size_t{2});
        QVERIFY(k->Panel().Informace()->toPlainText().contains("Selected table row"));
        QVERIFY(k->Panel().Informace()->toPlainText().contains("residual"));
        t.VybratVse();
        QVERIFY(p.ZvyraznenaSpojnice().size() > 5);

        // The search: a message for a name the drawing lacks, the point
        // brought to the centre and selected otherwise.
        QTest::keyClick(k, Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(k->Panel().Hledani(), "no-such-point");
        QTest::keyClick(k->Panel().Hledani(), Qt::Key_Return);
        QVERIFY(k->Panel().Zprava()->isVisible());
        QVERIFY(k->Panel().Zprava()->text().contains("no-such-point"));
        QVERIFY(k->NajitBod(QString::fromStdString(urceny->cislo)));
        QVERIFY(!k->Panel().Zprava()->isVisible());
        QCOMPARE(p.Vybrany(), i);
        const T2DPoint stred = p.Kontejner().CalcPixCoords(i);
        QVERIFY(std::fabs(static_cast<double>(stred[0]) - p.width() / 2.0) < 2);
        QVERIFY(std::fabs(static_cast<double>(stred[1]) - p.height() / 2.0) < 2);
    }

    void OutliersAndUncontrolledObservationsHaveColoursOfTheirOwn() {
        Workspace ws;
        ws.NastavitJazyk(1);
        ws.nastaveni.prepinac.vylucovatSmer = ws.nastaveni.prepinac.vylucovatDelka = true;
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        okno.Akce_().kresba->trigger();
        OknoKresby* k = okno.Kresba();
        QVERIFY(k != nullptr && QTest::qWaitForWindowExposed(k));
        const std::vector<ZvlastniSpojnice>& s = k->Platno().Kontejner().zvlastniSpojnice;
        QVERIFY(!s.empty());
        const QImage obrazek = k->Platno().Obrazek();
        QSet<QRgb> barvy;
        for (int y = 0; y < obrazek.height(); ++y)
            for (int x = 0; x < obrazek.width(); ++x) barvy.insert(obrazek.pixel(x, y));
        for (const ZvlastniSpojnice& z : s) {
            const BarvaRgb b =
                z.druh == DruhSpojnice::Odlehla ? kBarvaOdlehle : kBarvaNekontrolovane;
            QVERIFY(barvy.contains(qRgb(b.r, b.g, b.b)));
        }
        // Without the lines, none of them.
        k->Ovladani_().linie->setChecked(false);
        const QImage bez = k->Platno().Obrazek();
        int oranzove = 0;
        for (int y = 0; y < bez.height(); ++y)
            for (int x = 0; x < bez.width(); ++x)
                oranzove += bez.pixel(x, y) == qRgb(255, 150, 0) ? 1 : 0;
        QCOMPARE(oranzove, 0);
    }
};

QTEST_MAIN(MapaTabulkyTest)
#include "MapaTabulkyTest.moc"
