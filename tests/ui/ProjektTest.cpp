#include <QAction>
#include <QLabel>
#include <QtTest>
#include <fstream>
#include <tuple>

#include "HlavniOkno.h"
#include "Spusteni.h"
#include "TabulkaSurovych.h"
#include "UiTestSupport.h"
#include "adjustment/VysledekSite.h"
#include "support/TestSupport.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

const std::filesystem::path& Priklad() {
    static const std::filesystem::path cesta = ui::test::Zdroj("examples/sit.gpr");
    return cesta;
}

QString Q(const std::filesystem::path& cesta) {
    return QString::fromStdString(cesta.string());
}

void Upravit(const std::filesystem::path& cesta, const std::string& text) {
    std::ofstream soubor(cesta, std::ios::binary);
    soubor << text;
}

// Runs the analysis and the adjustment from the menu and waits for both.
void Vyrovnat(HlavniOkno& okno) {
    const HlavniOkno::Akce& a = okno.Akce_();
    QVERIFY(a.analyza->isEnabled());
    a.analyza->trigger();
    okno.PockatNaKonec();
    QVERIFY(a.vyrovnani->isEnabled());
    a.vyrovnani->trigger();
    okno.PockatNaKonec();
}

auto Radek(const Tzaznam& z) {
    return std::tie(z.cislo_stn, z.cislo_cil, z.vyska_stn, z.vyska_cil, z.smer, z.zenit, z.delka);
}

}  // namespace

// "Open project ...", "Save as project ..." and a project on the command line.
class ProjektTest : public QObject {
    Q_OBJECT

  private slots:
    void CommandLineOpensTheProjectOrSaysWhyNot() {
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        OtevritArgumenty(okno, {Q(Priklad())});
        QVERIFY2(dialogy.zpravy.empty(),
                 qPrintable(QStringList(dialogy.zpravy.begin(), dialogy.zpravy.end()).join('\n')));
        QVERIFY(dialogy.otazky.empty());
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 312);
        QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), 3);
        QCOMPARE(ws.souradniceTransformaceVstup.PocetPlnychBodu(), 7);
        QCOMPARE(ws.doplnekVstup.PocetMereni(), 10);
        QCOMPARE(ui::test::ZobrazenyNadpis(okno), QString("Vertano [sit.gpr]"));
        QCOMPARE(okno.StavVyberu()->text(), QString(" 0 / 312"));
        QVERIFY(okno.Akce_().analyza->isEnabled());
        QVERIFY(okno.Akce_().jazykEN->isChecked() == (ws.nastaveni.typJazyk == 1));
        okno.resize(okno.width(), 560);
        QTest::qWait(50);
        QVERIFY(okno.grab().toImage().save(ui::test::SlozkaSnimku() + "/hlavni-okno-projekt.png"));

        vertano::test::TempDir slozka;
        Upravit(slozka / "bad.gpr", "<1>\r\n1\r\n</1>\r\n");
        for (const std::filesystem::path& vadny : {slozka / "bad.gpr", slozka / "missing.gpr"}) {
            Workspace prazdny;
            prazdny.NastavitJazyk(1);
            ui::test::SkriptDialogy d;
            HlavniOkno o(prazdny, d);
            OtevritArgumenty(o, {Q(vadny)});
            QCOMPARE(d.zpravy.size(), std::size_t{1});
            QVERIFY(d.zpravy[0].startsWith(
                "Open Vertano project: An error occurred during the project opening!\n"));
            QVERIFY(d.zpravy[0].contains(Q(vadny.filename())));
            QCOMPARE(prazdny.suroveMereni.zaznam.size(), std::size_t{0});
            // No project; the language chosen is an unsaved setting.
            QCOMPARE(ui::test::ZobrazenyNadpis(o), QString("Vertano*"));
        }
    }

    // The question comes whenever anything would be lost, scale factors and
    // supplementary measurements included; "No" leaves everything as it was.
    void OpenAsksBeforeAnythingIsLost() {
        Tbod bod = Tbod::Prazdny();
        bod.cislo = "1";
        bod.JePlny = true;
        Tzaznam radek = Tzaznam::Prazdny();
        radek.poradi = 1;
        radek.cislo_stn = "1";
        radek.cislo_cil = "2";
        radek.delka = 10;
        const std::vector<std::pair<const char*, std::function<void(Workspace&)>>> stavy = {
            {"raw measurements", [&](Workspace& ws) { ws.suroveMereni.PridejZaznam(radek); }},
            {"given points", [&](Workspace& ws) { ws.souradniceFixni.PridejBod(bod); }},
            {"identical points",
             [&](Workspace& ws) { ws.souradniceTransformaceVstup.PridejBod(bod); }},
            {"scale factors", [&](Workspace& ws) { ws.souradniceMeritko.PridejBod(bod); }},
            {"supplementary", [&](Workspace& ws) { ws.doplnekVstup.delka.PridejZaznam(radek); }},
        };
        for (const auto& [nazev, naplnit] : stavy) {
            Workspace ws;
            ws.NastavitJazyk(1);
            naplnit(ws);
            ui::test::SkriptDialogy dialogy;
            dialogy.otevreni = {{Priklad()}};
            HlavniOkno okno(ws, dialogy);
            okno.Akce_().otevritProjekt->trigger();
            QVERIFY2(dialogy.otazky.size() == 1, nazev);
            QCOMPARE(dialogy.otazky[0],
                     QString("Warning: Do you really want to open new project? Unsaved data will "
                             "be lost!"));
            QVERIFY2(dialogy.otevreni.size() == 1, nazev);  // no file window after "No"
            QCOMPARE(ws.suroveMereni.zaznam.size() + ws.souradniceFixni.bod.size() +
                         ws.souradniceTransformaceVstup.bod.size() +
                         ws.souradniceMeritko.bod.size() + ws.doplnekVstup.delka.zaznam.size(),
                     std::size_t{1});
        }
        // Nothing to lose: no question, and the counts of what was opened.
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        dialogy.otevreni = {{Priklad()}};
        HlavniOkno okno(ws, dialogy);
        okno.Akce_().otevritProjekt->trigger();
        QVERIFY(dialogy.otazky.empty());
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 312);
        QCOMPARE(dialogy.zpravy.size(), std::size_t{1});
        QVERIFY2(dialogy.zpravy[0].endsWith(": 322, " + Q(ws.jazyk.popis.body) + ": 3, " +
                                            Q(ws.jazyk.popis.meritkoveKoeficienty) + ": 0)"),
                 qPrintable(dialogy.zpravy[0]));
    }

    // A file that cannot be read after "Yes" leaves the rows, the analysis and
    // the title as they were.
    void AFailedOpenKeepsTheData() {
        vertano::test::TempDir slozka;
        std::filesystem::copy_file(Priklad(), slozka / "job.gpr");
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(slozka / "job.gpr", false);
        okno.Akce_().analyza->trigger();
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Analysis));
        // A change the project would keep, so that opening asks first.
        ws.nastaveni.prepinac.zobrazPolohu = !ws.nastaveni.prepinac.zobrazPolohu;
        // The same project with a given point whose line lost a value.
        std::ifstream vstup(Priklad(), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(vstup)), {});
        const std::size_t sekce = text.find("<3>\r\n");
        QVERIFY(sekce != std::string::npos);
        const std::size_t konec = text.find("\r\n", sekce + 5);
        text.erase(text.rfind('\t', konec), konec - text.rfind('\t', konec));
        Upravit(slozka / "bad.gpr", text);

        dialogy.vychoziOdpoved = true;
        dialogy.otevreni = {{slozka / "bad.gpr"}};
        dialogy.zpravy.clear();
        okno.Akce_().otevritProjekt->trigger();
        QCOMPARE(dialogy.otazky.size(), std::size_t{1});
        QCOMPARE(dialogy.zpravy.size(), std::size_t{1});
        QVERIFY2(dialogy.zpravy[0].contains("section 3"), qPrintable(dialogy.zpravy[0]));
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 312);
        QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), 3);
        QVERIFY(ws.state.Current(Step::Analysis));
        QVERIFY(okno.Akce_().vyrovnani->isEnabled());
        // Still the project's name, and the switch changed above is still unsaved.
        QCOMPARE(ui::test::ZobrazenyNadpis(okno), QString("Vertano [job.gpr]*"));
    }

    // "Close" and "Open project" ask only when something changed since the
    // project was last opened or saved: an edited row, a setting it keeps.
    void AsksOnlyAfterAChangeSinceTheSave() {
        vertano::test::TempDir slozka;
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        const HlavniOkno::Akce& a = okno.Akce_();
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        // Both ask; "No" keeps the window and opens nothing.
        const auto ptaSe = [&] {
            dialogy.otazky.clear();
            a.zavrit->trigger();
            QVERIFY(okno.isVisible());
            dialogy.otevreni = {{Priklad()}};
            a.otevritProjekt->trigger();
            QCOMPARE(dialogy.otevreni.size(), std::size_t{1});
            dialogy.otevreni.clear();
            const std::vector<QString> otazky = {
                "Warning: Do you really want to exit Vertano? Unsaved data will be lost!",
                "Warning: Do you really want to open new project? Unsaved data will be lost!"};
            QCOMPARE(dialogy.otazky, otazky);
        };
        // Neither asks: opening opens (the project just saved), closing closes.
        const auto neptaSe = [&] {
            dialogy.otazky.clear();
            dialogy.otevreni = {{slozka / "job.gpr"}};
            a.otevritProjekt->trigger();
            QVERIFY(dialogy.otevreni.empty());
            a.zavrit->trigger();
            QVERIFY(!okno.isVisible());
            QVERIFY2(
                dialogy.otazky.empty(),
                qPrintable(QStringList(dialogy.otazky.begin(), dialogy.otazky.end()).join('\n')));
            okno.show();
        };
        const auto ulozit = [&] {
            dialogy.ulozeni = {slozka / "job.gpr"};
            a.ulozitProjekt->trigger();
            QVERIFY(std::filesystem::exists(slozka / "job.gpr"));
        };

        okno.OtevritProjekt(Priklad(), false);
        ulozit();
        neptaSe();
        // A row deleted after the open.
        Tvyber vyber;
        vyber.Velikost(ws.suroveMereni.zaznam.size());
        vyber.hromadny[0] = true;
        QVERIFY(SmazatVybrane(ws, vyber));
        ptaSe();
        ulozit();
        neptaSe();
        QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 311);
        // A switch the project keeps; switched back, nothing is lost.
        a.zobrazPolohu->trigger();
        ptaSe();
        a.zobrazPolohu->trigger();
        neptaSe();
    }

    // What "Save as project" writes opens in another window with the same rows
    // and adjusts to the same coordinates; a save that fails says so and keeps
    // the title.
    void SaveThenReopenGivesTheSameNetwork() {
        vertano::test::TempDir slozka;
        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.OtevritProjekt(Priklad(), false);
        Vyrovnat(okno);
        QVERIFY(ws.state.Current(Step::Adjustment));
        dialogy.zpravy.clear();
        dialogy.ulozeni = {slozka / "job.gpr", slozka / "missing" / "other.gpr"};
        okno.Akce_().ulozitProjekt->trigger();
        QVERIFY(dialogy.zpravy.empty());
        QCOMPARE(ui::test::ZobrazenyNadpis(okno), QString("Vertano [job.gpr]"));
        okno.Akce_().ulozitProjekt->trigger();
        QCOMPARE(dialogy.zpravy.size(), std::size_t{1});
        QVERIFY2(dialogy.zpravy[0].contains(Q(ws.jazyk.Oznameni(28).text)),
                 qPrintable(dialogy.zpravy[0]));
        QVERIFY(dialogy.zpravy[0].contains("other.gpr"));
        QCOMPARE(ui::test::ZobrazenyNadpis(okno), QString("Vertano [job.gpr]"));
        QVERIFY(!std::filesystem::exists(slozka / "missing" / "other.gpr"));

        Workspace ws2;
        ui::test::SkriptDialogy dialogy2;
        dialogy2.otevreni = {{slozka / "job.gpr"}};
        HlavniOkno okno2(ws2, dialogy2);
        okno2.Akce_().otevritProjekt->trigger();
        QCOMPARE(ui::test::ZobrazenyNadpis(okno2), QString("Vertano [job.gpr]"));
        QCOMPARE(ws2.suroveMereni.zaznam.size(), ws.suroveMereni.zaznam.size());
        for (std::size_t i = 0; i < ws.suroveMereni.zaznam.size(); ++i)
            QVERIFY(Radek(ws.suroveMereni.zaznam[i]) == Radek(ws2.suroveMereni.zaznam[i]));
        Vyrovnat(okno2);
        const std::vector<Tbod>& b1 = ws.modelVyrovnany.Vysledek().Souradnice().bod;
        const std::vector<Tbod>& b2 = ws2.modelVyrovnany.Vysledek().Souradnice().bod;
        QCOMPARE(b2.size(), b1.size());
        for (std::size_t i = 0; i < b1.size(); ++i) {
            QCOMPARE(b2[i].cislo, b1[i].cislo);
            QVERIFY(b2[i].X == b1[i].X && b2[i].Y == b1[i].Y && b2[i].Z == b1[i].Z);
        }
    }
};

QTEST_MAIN(ProjektTest)
#include "ProjektTest.moc"
