#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include "HlavniOkno.h"
#include "OknoCsv.h"
#include "OknoVstupu.h"
#include "SeznamVstupu.h"
#include "SouborovaOkna.h"
#include "UiTestSupport.h"
#include "ZpravaOkno.h"
#include "support/TestSupport.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

// "Add ..." and "Export ..." of the main window with the formats of other
// programs.
class VymenaTest : public QObject {
    Q_OBJECT

    // The message the window showed, rendered as a person sees it.
    static void Snimek(const QString& zprava, const QString& jmeno) {
        const qsizetype dvojtecka = zprava.indexOf(": ");
        ZpravaOkno okno(nullptr, zprava.left(dvojtecka), zprava.mid(dvojtecka + 2), "OK",
                        "Protocol", [] {});
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        QVERIFY(okno.grab().save(ui::test::SlozkaSnimku() + "/" + jmeno + ".png"));
    }

  private slots:
    void AddReadsGsiFilesAndNetworks() {
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            ui::test::SkriptDialogy dialogy;
            HlavniOkno okno(ws, dialogy);
            okno.PridatSoubory({ui::test::Zdroj("examples/tiny.gsi")});
            QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 80);
            okno.PridatSoubory({ui::test::Zdroj("examples/tiny.xml")});
            QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 160);
            QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), 5);
            QCOMPARE(dialogy.zpravy.size(), std::size_t{2});
            const QString sit = dialogy.zpravy.back();
            QVERIFY2(sit.contains("tiny.xml") && sit.contains("80"), qPrintable(sit));
            // What the file holds and the program does not use is listed.
            QVERIFY2(sit.contains("line 8: <parameters> not used"), qPrintable(sit));
            Snimek(sit, jazyk == 1 ? "vymena-sit-en" : "vymena-sit-cs");
        }
    }

    void ExportWritesTheAdjustedNetworkInTheChosenFormat() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        vertano::test::TempDir slozka;
        const uint8_t typ = ws.nastaveni.souborVystup.typSuroveMereni;
        for (const char* jmeno : {"sit.geojson", "sit.obs.csv", "sit.csv", "sit.xml"}) {
            dialogy.ulozeni = {slozka / jmeno};
            okno.Akce_().exportovat->trigger();
            const std::string text = vertano::test::ReadBytes(slozka / jmeno);
            QVERIFY2(!text.empty(), jmeno);
        }
        QVERIFY(vertano::test::ReadBytes(slozka / "sit.obs.csv").starts_with("kind,station"));
        QVERIFY(vertano::test::ReadBytes(slozka / "sit.csv").starts_with("name,x_m"));
        QVERIFY(vertano::test::ReadBytes(slozka / "sit.xml").find("<gama-local") !=
                std::string::npos);
        QVERIFY(dialogy.zpravy.empty());
        QCOMPARE(ws.nastaveni.souborVystup.typSuroveMereni, typ);
    }

    void ExportWithoutAnAdjustmentSaysWhy() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, false));
        // Analysed (the command is offered then) but not adjusted.
        struct Ticho : Interaction {
            void Notify(const std::string&, const std::string&) override {}
            bool Ask(const std::string&, const std::string&) override { return true; }
            void Stage(const std::string&) override {}
        } ticho;
        QVERIFY(AnalyzaSuroveMereni(ws, ticho).uspech);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        vertano::test::TempDir slozka;
        dialogy.ulozeni = {slozka / "sit.geojson"};
        okno.Akce_().exportovat->trigger();
        QCOMPARE(dialogy.zpravy.size(), std::size_t{1});
        QVERIFY2(dialogy.zpravy.front().contains("no adjusted network"),
                 qPrintable(dialogy.zpravy.front()));
        QVERIFY(!std::filesystem::exists(slozka / "sit.geojson"));
    }

    // "Add ..." of the given points takes a CSV file in the layout chosen in
    // its window (semicolons and decimal commas here); a layout that cannot be
    // used keeps "OK" disabled, and a cancelled window reads nothing.
    void GivenPointsFromCsvInTheChosenLayout() {
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            ui::test::SkriptDialogy dialogy;
            VzoryHledani vzory;
            OknoVstupu seznam(nullptr, ws, dialogy, vzory, SeznamVstupuBodu(ws, SeznamBodu::Fixni));
            const auto csv = ui::test::Zdroj("examples/tiny-given.csv");
            dialogy.otevreni = {{csv}};
            dialogy.vysledekOkna = QDialog::Rejected;
            seznam.Akce_().pridat->trigger();
            QCOMPARE(seznam.Model().PocetZaznamu() > 0 && seznam.Model().JePlny(0), false);

            dialogy.otevreni = {{csv}};
            dialogy.vysledekOkna = QDialog::Accepted;
            dialogy.priOkne = [jazyk](QDialog& d) {
                auto* o = dynamic_cast<OknoCsv*>(&d);
                QVERIFY(o != nullptr);
                QVERIFY(o->findChild<QPlainTextEdit*>()->toPlainText().startsWith("name;x;y;z"));
                o->Poradi()->setText("NXX");
                QVERIFY(!o->Chyba().isEmpty());
                o->Poradi()->setText("NXYZ");
                o->Oddelovac()->setCurrentIndex(1);  // semicolon
                o->Desetinna()->setCurrentIndex(1);  // comma
                QVERIFY(o->Chyba().isEmpty());
                o->Poradi()->setText("NXYX");
                o->show();
                QVERIFY(QTest::qWaitForWindowExposed(o));
                QVERIFY(o->grab().save(ui::test::SlozkaSnimku() +
                                       (jazyk == 1 ? "/csv-body-en.png" : "/csv-body-cs.png")));
                o->Poradi()->setText("NXYZ");
            };
            seznam.Akce_().pridat->trigger();
            dialogy.priOkne = {};
            seznam.accept();
            QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), 3);
            const Tbod b = ws.souradniceFixni.BodSCislem("4002");
            QCOMPARE(double(b.X), 1003.9133);
            QCOMPARE(double(b.Y), 1103.9718);
            QCOMPARE(double(b.Z), 247.8614);
            QVERIFY(b.JeFixni);
        }
    }

    void FileTypesOfOtherProgramsAreNotKept() {
        Workspace ws;
        ws.NastavitJazyk(1);
        const PopisSouboru add = Popis(DruhSouboru::SurovaMereni, false, ws.nastaveni, ws.jazyk);
        QCOMPARE(FiltryQt(add.filtr).size(), 4);
        QCOMPARE(add.pocetKodu, 2);
        const PopisSouboru exp = Popis(DruhSouboru::Export, true, ws.nastaveni, ws.jazyk);
        QCOMPARE(FiltryQt(exp.filtr).size(), 6);
        QCOMPARE(PriponaFiltru(exp.filtr, 4), QString(".obs.csv"));
        QCOMPARE(PriponaFiltru(exp.filtr, 5), QString(".geojson"));
        QCOMPARE(exp.kod, &ws.nastaveni.souborVystup.typSuroveMereni);
        // The save of the raw list keeps to the program's own formats.
        QCOMPARE(
            FiltryQt(Popis(DruhSouboru::SurovaMereni, true, ws.nastaveni, ws.jazyk).filtr).size(),
            2);
    }
};

QTEST_MAIN(VymenaTest)
#include "VymenaTest.moc"
