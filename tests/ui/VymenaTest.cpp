#include <QAction>
#include <QtTest>

#include "HlavniOkno.h"
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
        QVERIFY(vertano::test::ReadBytes(slozka / "sit.xml").find("<gama-local") != std::string::npos);
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
        QCOMPARE(FiltryQt(Popis(DruhSouboru::SurovaMereni, true, ws.nastaveni, ws.jazyk).filtr).size(),
                 2);
    }
};

QTEST_MAIN(VymenaTest)
#include "VymenaTest.moc"
