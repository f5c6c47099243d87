#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <fstream>
#include <map>
#include <sstream>

#include "Cli.h"
#include "HlavniOkno.h"
#include "OknoVstupu.h"
#include "UiTestSupport.h"
#include "adjustment/VysledekSite.h"
#include "support/TestSupport.h"
#include "workspace/SimulaceSoubory.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

std::map<std::string, std::array<double, 3>> SouradniceZeSouboru(
    const std::filesystem::path& cesta) {
    std::map<std::string, std::array<double, 3>> body;
    std::ifstream soubor(cesta);
    std::string radek;
    while (std::getline(soubor, radek)) {
        std::istringstream s(radek);
        std::string cislo;
        std::array<double, 3> xyz{};
        if (s >> cislo >> xyz[0] >> xyz[1] >> xyz[2]) body[cislo] = xyz;
    }
    return body;
}

}  // namespace

// The long commands from the window: on a worker thread, with the busy state,
// questions answered in the window's thread, the stop button, and the same
// result as the command-line program.
class VyrovnaniTest : public QObject {
    Q_OBJECT

  private slots:
    void WindowGivesTheCoordinatesOfTheCommandLine() {
        vertano::test::TempDir slozka;
        SimulovanaSit sit = ui::test::Sit(SimulaceTvar::Grid, 150, 30, 7);
        const std::filesystem::path prefix = slozka / "sit";
        QVERIFY(UlozitSimulaci(sit, SimulaceFormat{}, prefix).ok);
        const std::string mtx = prefix.string() + ".mtx";
        const std::string zadane = prefix.string() + "-given.txt";
        const std::filesystem::path vystup = slozka / "cli.txt";
        std::ostringstream out, err;
        QCOMPARE(
            cli::Run({"adjust", mtx, "--points", zadane, "--coords", vystup.string()}, out, err),
            0);
        const auto cli = SouradniceZeSouboru(vystup);
        QCOMPARE(cli.size(), std::size_t{150});

        Workspace ws;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.show();
        const HlavniOkno::Akce& a = okno.Akce_();
        dialogy.otevreni = {{mtx}, {zadane}};
        a.pridat->trigger();
        // The given points are added in their list window.
        dialogy.priOkne = [](QDialog& o) {
            auto& seznam = dynamic_cast<OknoVstupu&>(o);
            seznam.Akce_().pridat->trigger();
            seznam.accept();
        };
        a.fixniBody->trigger();
        dialogy.priOkne = {};
        QCOMPARE(dialogy.zpravy.size(), std::size_t{2});  // the two "added files" notices
        QVERIFY(a.analyza->isEnabled());
        a.analyza->trigger();
        okno.PockatNaKonec();
        QVERIFY(a.vyrovnani->isEnabled());
        a.vyrovnani->trigger();
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Adjustment));
        // The result is shown in the adjustment window.
        QCOMPARE(dialogy.okna.size(), std::size_t{2});
        QVERIFY(dialogy.okna.back().startsWith(
            QString::fromStdString(ws.jazyk.tlacitko.vyrovnaniSite)));

        int porovnano = 0;
        for (const Tbod& b : ws.modelVyrovnany.Vysledek().Souradnice().bod) {
            if (!b.JePlny) continue;
            const auto it = cli.find(b.cislo);
            QVERIFY(it != cli.end());
            // The file has four decimals.
            QVERIFY(std::fabs(static_cast<double>(b.X) - it->second[0]) < 0.51e-4);
            QVERIFY(std::fabs(static_cast<double>(b.Y) - it->second[1]) < 0.51e-4);
            QVERIFY(std::fabs(static_cast<double>(b.Z) - it->second[2]) < 0.51e-4);
            ++porovnano;
        }
        QCOMPARE(porovnano, 150);
    }

    void QuestionsAreAskedHereAndTheStopButtonEndsTheRun() {
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::Nacist(ws, ui::test::Sit(SimulaceTvar::Grid, 12, 4));
        // The L1 norm never settles its weights: the run asks whether to go on.
        ws.nastaveni.vyrovnani.typOdhadu = Odhad::L1;
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        const HlavniOkno::Akce& a = okno.Akce_();
        a.analyza->trigger();
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Analysis));

        bool zaneprazdneno = false;
        dialogy.priOtazce = [&] {
            zaneprazdneno = okno.Bezi() && !a.pridat->isEnabled() && !a.vyrovnani->isEnabled() &&
                            okno.StavZpracovani()->text().contains("Processing") &&
                            !okno.TlacitkoZastavit()->isHidden();
            okno.TlacitkoZastavit()->click();
        };
        dialogy.vychoziOdpoved = true;
        a.vyrovnani->trigger();
        okno.PockatNaKonec();
        QVERIFY(zaneprazdneno);
        QVERIFY(!dialogy.otazky.empty());
        QVERIFY(dialogy.otazkyVeVlaknuOken);
        QVERIFY(dialogy.zpravy.back().contains("stopped at the user's request"));
        QVERIFY(!ws.state.Current(Step::Adjustment));
        QVERIFY(ws.state.Current(Step::Analysis));
        QVERIFY(a.pridat->isEnabled());
        QVERIFY(a.vyrovnani->isEnabled());

        // Without the stop the answer "Yes" lets it finish.
        dialogy.priOtazce = {};
        a.vyrovnani->trigger();
        okno.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Adjustment));
    }
};

QTEST_MAIN(VyrovnaniTest)
#include "VyrovnaniTest.moc"
