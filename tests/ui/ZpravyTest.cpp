#include <QAction>
#include <QPushButton>
#include <QtTest>

#include "CisloPole.h"
#include "HlavniOkno.h"
#include "SouborovaOkna.h"
#include "Spusteni.h"
#include "UiTestSupport.h"
#include "ZpravaOkno.h"
#include "support/TestSupport.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

// The message, confirmation and file windows, the number entry rule, and what
// the main window says when a file cannot be read or written.
class ZpravyTest : public QObject {
    Q_OBJECT

  private slots:
    void MessageOffersTheReportWithoutClosing() {
        int otevreno = 0;
        ZpravaOkno okno(nullptr, "Add raw measurements", "Added files: 1/1", "OK", "Protocol",
                        [&otevreno] { ++otevreno; });
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        okno.TlacitkoProtokol()->click();
        QCOMPARE(otevreno, 1);
        QVERIFY(okno.isVisible());
        okno.TlacitkoOk()->click();
        QCOMPARE(okno.result(), int(QDialog::Accepted));
        ZpravaOkno jen(nullptr, "Error", "text", "OK");
        QVERIFY(jen.TlacitkoProtokol() == nullptr);
    }

    void ConfirmationDefaultsToNo() {
        PotvrzeniOkno okno(nullptr, "Warning", "Do you really want to exit?", "Yes", "No");
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        QVERIFY(okno.TlacitkoNe()->hasFocus() || okno.TlacitkoNe()->isDefault());
        QTest::keyClick(&okno, Qt::Key_Escape);
        QCOMPARE(okno.result(), int(QDialog::Rejected));
        PotvrzeniOkno druhe(nullptr, "Warning", "?", "Yes", "No");
        druhe.show();
        QTest::keyClick(&druhe, Qt::Key_Return);
        QCOMPARE(druhe.result(), int(QDialog::Rejected));
        PotvrzeniOkno treti(nullptr, "Warning", "?", "Yes", "No");
        treti.show();
        treti.TlacitkoAno()->click();
        QCOMPARE(treti.result(), int(QDialog::Accepted));
    }

    void NumberEntryRule() {
        QCOMPARE(CisloZTextu(" 0,5 ").value_or(-1), Real(0.5L));
        QCOMPARE(CisloZTextu("0").value_or(-1), Real(0));
        QVERIFY(!CisloZTextu("1e-13"));
        QVERIFY(!CisloZTextu("1e-12"));
        QVERIFY(!CisloZTextu("1e12"));
        QVERIFY(!CisloZTextu("12a"));
        QVERIFY(!CisloZTextu(""));
        QVERIFY(CisloZTextu("-999999999999"));
        QVERIFY(VRozsahu("0.5", 0, 1));
        QVERIFY(!VRozsahu("1", 0, 1));
        QVERIFY(!VRozsahu("0", 0, 1));
        QCOMPARE(TextCislaBezNul(0.05L, 13), QString("0.05"));
        QCOMPARE(TextCislaBezNul(1, 6), QString("1"));
    }

    void FileWindowsHaveTheirTitlesTypesAndExtensions() {
        Workspace ws;
        ws.NastavitJazyk(1);
        Tnastaveni& n = ws.nastaveni;
        const auto nadpis = [&](DruhSouboru d, bool ulozit) {
            return Popis(d, ulozit, n, ws.jazyk).nadpis;
        };
        QCOMPARE(nadpis(DruhSouboru::SurovaMereni, false), QString("Add raw measurements"));
        QCOMPARE(nadpis(DruhSouboru::Meritko, false), QString("Add points - Scale factors"));
        QCOMPARE(nadpis(DruhSouboru::Doplnek, false), QString("Add measurements"));
        QCOMPARE(nadpis(DruhSouboru::Projekt, false), QString("Open Vertano project"));
        QCOMPARE(nadpis(DruhSouboru::Projekt, true), QString("Save as Vertano project"));
        QCOMPARE(nadpis(DruhSouboru::Protokol, true), QString("Save protocol"));
        QCOMPARE(nadpis(DruhSouboru::Etapa, true), QString("Save as Vertano epoch"));
        QCOMPARE(nadpis(DruhSouboru::Grafika, true), QString("Save"));
        // The stored type index lives in the format code of the kind.
        QCOMPARE(Popis(DruhSouboru::SurovaMereni, false, n, ws.jazyk).kod,
                 &n.souborVstup.typSuroveMereni);
        QCOMPARE(Popis(DruhSouboru::Body, true, n, ws.jazyk).kod, &n.souborVystup.typSouradnice);

        const std::string filtr = ws.jazyk.filter.typSuroveMereni;
        QCOMPARE(FiltryQt(filtr),
                 QStringList({"Matrix format MTX (*.mtx)", "Measurements ASC (*.asc)"}));
        QCOMPARE(PriponaFiltru(filtr, 1), QString(".asc"));
        QCOMPARE(PriponaFiltru(std::string(jazyk::kFilterGrafika), 3), QString(".dxf"));
        QCOMPARE(CestaSPriponou("/tmp/sit", ".txt"), std::filesystem::path("/tmp/sit.txt"));
        QCOMPARE(CestaSPriponou("/tmp/sit.TXT", ".txt"), std::filesystem::path("/tmp/sit.TXT"));
        QCOMPARE(CestaSPriponou("/tmp/sit.mtx", ".txt"), std::filesystem::path("/tmp/sit.mtx.txt"));
        QVERIFY(CestaSPriponou("   ", ".txt").empty());
    }

    void RejectedFileAddsNothingAndSaysWhy() {
        vertano::test::TempDir slozka;
        const std::filesystem::path spatny = slozka / "spatny.mtx";
        vertano::test::WriteBytes(spatny, "1 A 1.5 B 1.5 10 100 50\r\n1 A 1.5 C x 20 100 60\r\n");
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        dialogy.protokol = [](const std::function<void()>& otevrit) { otevrit(); };
        HlavniOkno okno(ws, dialogy);
        okno.PridatSoubory({spatny, slozka / "chybi.mtx"});
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 0);
        QCOMPARE(dialogy.zpravy.size(), std::size_t{1});
        const QString zprava = dialogy.zpravy.front();
        QVERIFY(zprava.startsWith("Add raw measurements: Added files: 0/1"));
        QVERIFY(zprava.contains("spatny.mtx"));
        QVERIFY(zprava.contains("chybi.mtx"));
        // The report of the files names the line that refused the file.
        QCOMPARE(dialogy.protokoly.size(), std::size_t{1});
        const std::vector<std::string>& radky = dialogy.protokoly.front().second;
        QVERIFY(std::any_of(radky.begin(), radky.end(), [](const std::string& r) {
            const std::size_t jmeno = r.find("spatny.mtx");
            return jmeno != std::string::npos && r.find(" -  2", jmeno) != std::string::npos;
        }));
    }

    void FailedSaveKeepsTheOldFileAndSaysSo() {
        vertano::test::TempDir slozka;
        const std::filesystem::path cil = slozka / "sit.mtx";
        vertano::test::WriteBytes(cil, "puvodni");
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::Nacist(ws, ui::test::Sit(SimulaceTvar::Tiny, 5, 3));
        ws.suroveMereni.zaznam[1].cislo_cil = "A B";  // cannot be read back
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        dialogy.ulozeni = {cil};
        okno.Akce_().ulozitJako->trigger();
        QCOMPARE(vertano::test::ReadBytes(cil), std::string("puvodni"));
        QCOMPARE(dialogy.zpravy.size(), std::size_t{1});
        QVERIFY(
            dialogy.zpravy.front().startsWith("Error: An error occurred during the save process!"));
    }

    void StartUpOpensTheRawFilesGiven() {
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        OtevritArgumenty(
            okno,
            {QString::fromStdString(ui::test::Zdroj("examples/sit.mtx").string()), "notes.doc"});
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 312);
        QCOMPARE(ws.info.VratPocetSouboru(info::kSurovaMereni), 1);
        QCOMPARE(dialogy.zpravy.size(), std::size_t{2});
        QVERIFY(dialogy.zpravy.back().contains("notes.doc"));
    }
};

QTEST_MAIN(ZpravyTest)
#include "ZpravyTest.moc"
