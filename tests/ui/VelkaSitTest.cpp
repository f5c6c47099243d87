#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "DesktopTexts.h"
#include "HlavniOkno.h"
#include "OknoKresby.h"
#include "OknoVyrovnani.h"
#include "PraceNaPozadi.h"
#include "PruhPrace.h"
#include "TabulkaSurovych.h"
#include "UiTestSupport.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "data/SouradniceKontrola.h"
#include "drawing/TgrafikaData.h"
#include "support/TestSupport.h"
#include "workspace/SimulaceSoubory.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/VystupySite.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

// The heartbeat of the window while something runs: a timer of 20 ms counts
// its ticks and the longest time between two, so a window that stops
// answering shows as a long gap.
class Tep {
  public:
    Tep() {
        casovac_.setInterval(20);
        QObject::connect(&casovac_, &QTimer::timeout, [this] {
            mezera_ = std::max(mezera_, posledni_.restart());
            ++tiku_;
        });
        posledni_.start();
        casovac_.start();
    }
    int Tiku() const { return tiku_; }
    qint64 NejdelsiMezera() const { return std::max(mezera_, posledni_.elapsed()); }

  private:
    QTimer casovac_;
    QElapsedTimer posledni_;
    int tiku_ = 0;
    qint64 mezera_ = 0;
};

// Processes events (sleeping in between) until `hotovo` or `limit` ms.
template <class Podminka>
void Cekat(Podminka hotovo, int limit) {
    QElapsedTimer t;
    t.start();
    while (!hotovo() && t.elapsed() < limit) QTest::qWait(10);
}

std::string Obsah(const std::filesystem::path& cesta) {
    std::ifstream f(cesta, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// Writes the raw file and sets the given points of a generated network: the
// workspace as after "Add points", ready for "Add ..." of the raw file.
std::filesystem::path Pripravit(Workspace& ws, const vertano::test::TempDir& dir, int pocetBodu,
                                int pocetZadanych, SimulovanaSit& sit) {
    sit = ui::test::Sit(SimulaceTvar::Grid, pocetBodu, pocetZadanych);
    const SimulaceUlozeni u = UlozitSimulaci(sit, SimulaceFormat{}, dir / "sit");
    if (!u.ok) qWarning() << QString::fromStdString(u.message);
    ws.nastaveni = NastaveniSimulace(SimulaceFormat{});
    ws.nastaveni.pocetVlaknaVse = 2;
    ws.NastavitJazyk(1);
    ws.souradniceFixni = sit.zadane;
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    return dir / "sit.mtx";
}

// The drawing of the network as its adjustment would leave it: the true
// coordinates, every pair of points the raw rows tie, a small error ellipse at
// every point that is not given; the adjustment itself would take too long here.
void KresbaZeSimulace(Workspace& ws, const SimulovanaSit& sit) {
    TgrafikaData& g = ws.grafika;
    g.Clear();
    Tsouradnice body;
    std::map<std::string, int32_t> index;
    for (const Tbod& b : sit.skutecne.bod) {
        if (!b.JePlny) continue;
        Tbod bod = b;
        bod.JeFixni = sit.zadane.BodSCislem(b.cislo).JePlny;
        body.PridejBod(bod);
        TgrafikaBod p;
        p.cislo = b.cislo;
        p.X = b.X;
        p.Y = b.Y;
        p.JeFixni = bod.JeFixni;
        if (!p.JeFixni) {
            p.a_delka = 0.004L;
            p.b_delka = 0.002L;
        }
        index[p.cislo] = static_cast<int32_t>(g.body.size());
        g.body.push_back(p);
    }
    std::set<std::pair<int32_t, int32_t>> dvojice;
    for (const Tzaznam& z : sit.mereni.zaznam) {
        if (!z.JePlny() || !index.contains(z.cislo_stn) || !index.contains(z.cislo_cil)) continue;
        const int32_t i = index[z.cislo_stn], j = index[z.cislo_cil];
        dvojice.insert({std::min(i, j), std::max(i, j)});
    }
    for (const auto& [i, j] : dvojice) {
        TgrafikaZaznam z;
        z.iStn = i;
        z.iCil = j;
        z.delkaS = z.smer = z.zenit = 4;
        z.JePlny = true;
        g.mereni.push_back(z);
    }
    g.pocetBodu = static_cast<int32_t>(g.body.size());
    g.pocetMereni = static_cast<int32_t>(g.mereni.size());
    g.odchylkaJednotkovaAprior = g.odchylkaJednotkovaAposterior = 1;
    Stav(ws.modelVyrovnany).souradnice = body;
    ws.state.Started(Step::Adjustment);
    ws.state.Computed(Step::Adjustment);
}

}  // namespace

// Long commands in the desktop program: the busy line with its stage, progress
// bar and Cancel, a window that keeps answering while they run, a cancelled
// command that leaves everything as it was; and the main window, its table and
// the drawing at 10,000 points. The times are printed, never required (any
// machine must pass): only a window that stops answering for many seconds, or
// a Cancel that is not honoured, fails.
class VelkaSitTest : public QObject {
    Q_OBJECT

  private slots:
    void TenThousandPoints() {
        vertano::test::TempDir dir;
        Workspace ws;
        QElapsedTimer t;
        t.start();
        SimulovanaSit sit;
        const std::filesystem::path mtx = Pripravit(ws, dir, 10000, 40, sit);
        qDebug().noquote() << "10,000 points: network generated and written in" << t.elapsed()
                           << "ms";
        ui::test::SkriptDialogy dialogy;
        t.restart();
        HlavniOkno okno(ws, dialogy);
        okno.show();
        QVERIFY(QTest::qWaitForWindowExposed(&okno));
        qDebug().noquote() << "main window opened in" << t.elapsed() << "ms";

        // "Add ..." of the raw file: read on the worker while the window answers.
        {
            Tep tep;
            bool pruhVidet = false;
            QTimer::singleShot(0, &okno, [&] { pruhVidet = okno.Prubeh()->isVisible(); });
            t.restart();
            okno.PridatSoubory({mtx});
            qDebug().noquote() << "raw file of" << ws.suroveMereni.PocetPlnychZaznamu()
                               << "rows added in" << t.elapsed() << "ms; timer ticks" << tep.Tiku()
                               << "longest gap" << tep.NejdelsiMezera() << "ms";
            QVERIFY(pruhVidet);
            QVERIFY(ws.suroveMereni.PocetPlnychZaznamu() > 300000);
            QVERIFY(tep.Tiku() > 0);
        }

        // Scrolling the raw table: each step repaints the rows in view.
        TabulkaSurovych& tabulka = okno.Tabulka();
        QScrollBar* posuvnik = tabulka.verticalScrollBar();
        qint64 nejdelsi = 0, celkem = 0;
        constexpr int kKroku = 20;
        for (int i = 1; i <= kKroku; ++i) {
            t.restart();
            posuvnik->setValue(posuvnik->maximum() * i / kKroku);
            tabulka.viewport()->repaint();
            const qint64 krok = t.elapsed();
            nejdelsi = std::max(nejdelsi, krok);
            celkem += krok;
        }
        qDebug().noquote() << "table scrolled in" << kKroku << "steps: mean" << celkem / kKroku
                           << "ms, longest" << nejdelsi << "ms";

        // The analysis of 10,000 points runs for many seconds on the worker:
        // the window answers meanwhile, and Cancel stops it with nothing of it
        // left behind (a complete run would take too long here).
        {
            Tep tep;
            okno.Akce_().analyza->trigger();
            QVERIFY(okno.Bezi());
            QVERIFY(okno.Prubeh()->isVisible());
            QVERIFY(okno.TlacitkoZastavit()->isVisible());
            Cekat([&] { return !okno.Bezi(); }, 2000);
            QVERIFY2(okno.Bezi(), "the analysis of 10,000 points ended within 2 s");
            const QString etapa = okno.StavZpracovani()->text();
            t.restart();
            okno.TlacitkoZastavit()->click();
            okno.PockatNaKonec();
            qDebug().noquote() << "analysis cancelled at" << etapa << "and stopped in"
                               << t.elapsed() << "ms; timer ticks" << tep.Tiku() << "longest gap"
                               << tep.NejdelsiMezera() << "ms";
            QVERIFY(tep.Tiku() > 20);
            QVERIFY(!ws.state.Current(Step::Analysis));
            QVERIFY(!ws.mereniVyrovnani.ExistujePlnyZaznam());
            QVERIFY(!ws.souradnicePriblizne.ExistujePlnyBod());
            QCOMPARE(okno.Vysledek()->text(), TextyPlochy(1).analysisCancelled);
            QVERIFY(okno.Akce_().analyza->isEnabled());
            QVERIFY(okno.Tabulka().isEnabled());
        }

        // The drawing at this size, as an adjustment would leave it.
        KresbaZeSimulace(ws, sit);
        QVERIFY(MaVysledekSite(ws, DruhVysledku::Vyrovnani));
        t.restart();
        OknoKresby kresba(nullptr, ws, dialogy, DruhVysledku::Vyrovnani);
        kresba.show();
        QVERIFY(QTest::qWaitForWindowExposed(&kresba));
        kresba.repaint();
        qDebug().noquote() << "drawing of" << ws.grafika.pocetBodu << "points and"
                           << ws.grafika.pocetMereni << "pairs opened in" << t.elapsed() << "ms";
        PlatnoKresby& platno = kresba.Platno();
        const auto Zmerit = [&](const char* co, const std::function<void()>& krok) {
            QElapsedTimer k;
            k.start();
            krok();
            platno.repaint();
            qDebug().noquote() << " " << co << k.elapsed() << "ms";
        };
        Zmerit("whole network", [&] { platno.Vse(); });
        Zmerit("zoom in", [&] { platno.Zoom(true); });
        Zmerit("zoom in", [&] { platno.Zoom(true); });
        Zmerit("pan", [&] { platno.Posun(100, 50); });
        Zmerit("zoom out", [&] { platno.Zoom(false); });
        Zmerit("zoom out", [&] { platno.Zoom(false); });
        Zmerit("zoom out", [&] { platno.Zoom(false); });
    }

    void CancelledAddingAddsNothing() {
        vertano::test::TempDir dir;
        Workspace ws;
        SimulovanaSit sit;
        const std::filesystem::path mtx = Pripravit(ws, dir, 3000, 6, sit);
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            ws.NastavitJazyk(jazyk);
            ui::test::SkriptDialogy dialogy;
            HlavniOkno okno(ws, dialogy);
            // Cancel as soon as the reading runs.
            QTimer zrusit;
            zrusit.setInterval(5);
            const QString snimek = ui::test::SlozkaSnimku() +
                                   (jazyk == 1 ? "/pridani-%1-en.png" : "/pridani-%1-cs.png");
            QObject::connect(&zrusit, &QTimer::timeout, [&] {
                if (!okno.Bezi() || !okno.TlacitkoZastavit()->isEnabled()) return;
                okno.grab().save(snimek.arg("bezi"));  // the busy line with its Cancel
                okno.TlacitkoZastavit()->click();
            });
            zrusit.start();
            okno.PridatSoubory({mtx, mtx});
            zrusit.stop();
            QCOMPARE(ws.suroveMereni.PocetPlnychZaznamu(), 0);
            QCOMPARE(ws.info.VratPocetSouboru(info::kSurovaMereni), 0);
            QCOMPARE(okno.Vysledek()->text(), TextyPlochy(jazyk).filesCancelled);
            okno.grab().save(snimek.arg("zruseno"));
            QVERIFY(dialogy.zpravy.empty());
            QVERIFY(okno.Akce_().pridat->isEnabled());
        }
        // Without Cancel both files are added.
        ui::test::SkriptDialogy dialogy;
        HlavniOkno okno(ws, dialogy);
        okno.PridatSoubory({mtx, mtx});
        QCOMPARE(ws.info.VratPocetSouboru(info::kSurovaMereni), 2);
        QVERIFY(ws.suroveMereni.PocetPlnychZaznamu() > 150000);
    }

    void AWorkerShowsItsStageAndProgressAndStopsOnCancel() {
        QWidget okno;
        auto* pruh = new PruhPrace(&okno);
        okno.show();
        ui::test::SkriptDialogy dialogy;
        PraceNaPozadi prace(
            &okno, *pruh,
            {[&](const QString& n, const QString& t) { dialogy.Zprava(&okno, n, t, {}); },
             [&](const QString& n, const QString& t) { return dialogy.Potvrzeni(&okno, n, t); },
             {},
             {}});
        pruh->Zacit("start", true);
        QVERIFY(pruh->Zrusit()->isVisible());
        Tep tep;
        bool hotovo = false;
        prace.Spustit(
            [](Interaction& ui) {
                ui.Stage(" Step");
                for (int64_t i = 0; !ui.StopRequested(); ++i) {
                    ui.Progress(1 + i % 999, 1000);
                    QThread::msleep(1);
                }
                ui.Notify("Stopped", "at the user's request");
            },
            [&] { hotovo = true; });
        QVERIFY(prace.Bezi());
        QVERIFY(!prace.Spustit([](Interaction&) {}, [] {}));  // one at a time
        // The window's timer ticks while the worker runs (it runs until Cancel).
        Cekat(
            [&] {
                return pruh->Ukazatel()->maximum() == 1000 && pruh->Ukazatel()->value() > 0 &&
                       tep.Tiku() > 0;
            },
            10000);
        QCOMPARE(pruh->Popis()->text(), QString(" Step"));
        QVERIFY(prace.Bezi());
        pruh->Zrusit()->click();
        QVERIFY(!pruh->Zrusit()->isEnabled());
        prace.Pockat();
        QVERIFY(hotovo);
        QVERIFY(!prace.Bezi());
        QCOMPARE(dialogy.zpravy, std::vector<QString>{"Stopped: at the user's request"});
        QVERIFY(tep.Tiku() > 0);
        // The next run starts without the old request.
        bool zastaveno = true;
        prace.Spustit([&](Interaction& ui) { zastaveno = ui.StopRequested(); }, [] {});
        prace.Pockat();
        QVERIFY(!zastaveno);
    }

    void TheAdjustmentWindowSavesItsEpochOnTheWorker() {
        vertano::test::TempDir dir;
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        okno.show();
        QVERIFY(!okno.Prubeh()->isVisible());
        bool pruhVidet = false;
        QTimer::singleShot(0, &okno, [&] { pruhVidet = okno.Prubeh()->isVisible(); });
        dialogy.ulozeni.push_back(dir / "e");
        okno.PrikazUlozitEtapu();
        QVERIFY(pruhVidet);
        QVERIFY(!okno.Prubeh()->isVisible());
        QVERIFY(!okno.Prace()->Bezi());
        std::filesystem::path soubor;
        for (const auto& f : std::filesystem::directory_iterator(dir.Path())) soubor = f.path();
        QVERIFY(!soubor.empty());
        QVERIFY(ZapsatEtapuSite(ws, dir / "kontrola.epc").uspech);
        QCOMPARE(Obsah(soubor), Obsah(dir / "kontrola.epc"));
        QVERIFY(dialogy.zpravy.empty());
    }

    // An epoch file above the size a user would expect is written only when
    // the user agrees: a network just above it (its cofactors alone about
    // 540 MB) asks once with the size, and "No" writes nothing.
    void ALargeEpochAsksFirstAndNoWritesNothing() {
        vertano::test::TempDir dir;
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::Nacist(ws, ui::test::Sit(SimulaceTvar::Grid, 2400, 24));
        SilentInteraction prubeh(true);
        QVERIFY(AnalyzaSuroveMereni(ws, prubeh).uspech);
        QVERIFY(VyrovnaniSite(ws, prubeh).uspech);
        const int64_t bajty = VelikostEtapySite(ws);
        QVERIFY(bajty > kVelkaEtapa);
        QVERIFY(bajty < 2 * kVelkaEtapa);

        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        okno.show();
        dialogy.ulozeni.push_back(dir / "velka.epc");
        dialogy.odpovedi = {false};
        okno.PrikazUlozitEtapu();
        QCOMPARE(dialogy.otazky.size(), std::size_t{1});
        const QString mb = QString::number((bajty + (int64_t{1} << 20) - 1) >> 20);
        QVERIFY2(dialogy.otazky[0].contains("The epoch file will take about " + mb + " MB"),
                 qPrintable(dialogy.otazky[0]));
        QVERIFY(!okno.Prace()->Bezi());
        QVERIFY(std::filesystem::is_empty(dir.Path()));
        QVERIFY(dialogy.zpravy.empty());
    }
};

QTEST_MAIN(VelkaSitTest)
#include "VelkaSitTest.moc"
