#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "HlavniOkno.h"
#include "Ikona.h"
#include "NastaveniDialogy.h"
#include "OknaAnalyzy.h"
#include "OknaTransformace.h"
#include "OknaVysledku.h"
#include "OknoHledani.h"
#include "OknoInformace.h"
#include "OknoKresby.h"
#include "OknoMatice.h"
#include "OknoPremisteni.h"
#include "OknoVstupu.h"
#include "OknoVyrovnani.h"
#include "OknoZaznamu.h"
#include "ProtokolOkno.h"
#include "TabulkaSurovych.h"
#include "Texty.h"
#include "UiTestSupport.h"
#include "ZpravaOkno.h"
#include "data/Interaction.h"
#include "files/SurovaMereniSoubory.h"
#include "processing/KontrolaMereni.h"
#include "reports/ProtokolTransformace.h"
#include "reports/ProtokolVyrovnani.h"
#include "supplementary/DoplnekDruh.h"
#include "transformation/TsouradnicovaVelicina.h"
#include "workspace/Protokoly.h"
#include "workspace/TabulkaMereni.h"
#include "workspace/Transformace.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"
#include "workspace/ZobrazeniVyrovnani.h"

using namespace vertano;
using namespace vertano::ui;

// Renders the windows into the screenshots folder for a person to look at, and
// checks what a picture can tell by itself: nothing is blank and the colours of
// the checks appear where the list has errors.
class SnimkyTest : public QObject {
    Q_OBJECT

  private:
    static void Ulozit(QWidget& okno, const QString& jmeno) {
        const QImage obrazek = okno.grab().toImage();
        QVERIFY(!obrazek.isNull());
        QVERIFY(obrazek.save(test::SlozkaSnimku() + "/" + jmeno + ".png"));
    }

    // The example network with two faults: a target height beyond its limit and
    // a direction whose face difference is too large; one station selected.
    static void Pripravit(Workspace& ws) {
        Tmereni& m = ws.suroveMereni;
        QVERIFY(
            NactiSoubor(m, ws.info, ws.nastaveni, test::Zdroj("examples/sit.mtx"), 0).result.ok);
        m.zaznam[2].vyska_cil = 3.5L;
        m.zaznam[5].smer += 0.001L;
        KontrolaVsehoMereni(m, ws.nastaveni, ws.chyby);
    }

    // The drawing linked with the tables: a point clicked (one at an outlier
    // or uncontrolled line where there is one), the directions of a station
    // selected in their table, a point that is not found; the table sorted by
    // the normed residual and filtered by the station.
    static void MapaATabulky(OknoVyrovnani& okno, OknoKresby& kresba, const QString& k) {
        const std::vector<ZvlastniSpojnice>& zvlastni =
            kresba.Platno().Kontejner().zvlastniSpojnice;
        const TgrafikaData& data = *kresba.Platno().Kontejner().data;
        int bod = 0;
        for (const ZvlastniSpojnice& z : zvlastni) {
            for (const int i : {z.iStn, z.iCil}) {
                if (bod == 0 && !data.body[static_cast<std::size_t>(i)].JeFixni) bod = i;
            }
        }
        kresba.VybratBod(bod);
        Ulozit(kresba, "kresba-bod" + k);
        okno.Akce_().apriori[IndexVeliciny(Velicina::Smer)]->trigger();
        OknoSeznamu* smery = nullptr;
        for (OknoSeznamu* o : okno.findChildren<OknoSeznamu*>()) {
            if (o != &okno && o->isVisible()) smery = o;
        }
        QVERIFY(smery != nullptr);
        smery->resize(1500, 420);
        QVERIFY(QTest::qWaitForWindowExposed(smery));
        Tabulka& t = smery->Tabulka();
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::NoModifier, test::Stred(t, 0));
        QTest::mouseClick(t.viewport(), Qt::LeftButton, Qt::ShiftModifier, test::Stred(t, 3));
        Ulozit(kresba, "kresba-vyber" + k);
        const QString stanovisko = smery->Model().Text(0, 1).trimmed();
        smery->Filtr()->setText(stanovisko);
        int norm = -1;
        for (int s = 0; s < smery->Model().PocetSloupcu(); ++s) {
            if (smery->Model().Zahlavi(s).contains("norm", Qt::CaseInsensitive)) norm = s;
        }
        QVERIFY(norm > 0);
        t.Seradit(norm, Qt::DescendingOrder);
        QTest::qWait(20);
        Ulozit(*smery, "tabulka-razeni-filtr" + k);
        smery->close();
        kresba.Panel().Hledani()->setText("X-99");
        kresba.NajitBod("X-99");
        Ulozit(kresba, "kresba-hledani" + k);
        const QString nalezeny =
            QString::fromStdString(data.body[static_cast<std::size_t>(bod)].cislo);
        kresba.Panel().Hledani()->setText(nalezeny);
        QVERIFY(kresba.NajitBod(nalezeny));
        Ulozit(kresba, "kresba-nalezeny" + k);
    }

  private slots:
    void HlavniOknoVObouJazycich() {
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            Pripravit(ws);
            test::SkriptDialogy dialogy;
            HlavniOkno okno(ws, dialogy);
            okno.show();
            QVERIFY(QTest::qWaitForWindowExposed(&okno));
            okno.resize(okno.width(), 560);
            Tvyber& v = okno.Tabulka().Vyber();
            v.Velikost(ws.suroveMereni.zaznam.size());
            v.hromadny[9] = v.hromadny[10] = true;
            okno.Obnovit();
            okno.Tabulka().NastavitAktualni(12);
            QTest::qWait(50);
            Ulozit(okno, jazyk == 1 ? "hlavni-okno-en" : "hlavni-okno-cs");
            const QImage obrazek = okno.Tabulka().viewport()->grab().toImage();
            QSet<QRgb> barvy;
            for (int y = 0; y < obrazek.height(); y += 2)
                for (int x = 0; x < obrazek.width(); x += 2) barvy.insert(obrazek.pixel(x, y));
            QVERIFY(barvy.contains(QColor(238, 92, 92).rgb()));    // errors, face II
            QVERIFY(barvy.contains(QColor(255, 210, 210).rgb()));  // selected rows
            QVERIFY(barvy.contains(QColor(221, 238, 255).rgb()));  // odd set
        }
    }

    // The adjustment window and every result window of the adjusted example.
    void OknaVyrovnani() {
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            ws.nastaveni.prepinac.vylucovatSmer = ws.nastaveni.prepinac.vylucovatDelka = true;
            QVERIFY(test::PripravitPriklad(ws, true));
            const QString k = jazyk == 1 ? "-en" : "-cs";
            test::SkriptDialogy dialogy;
            SilentInteraction ui;
            OknoVyrovnani okno(nullptr, ws, dialogy, ui);
            okno.show();
            QVERIFY(QTest::qWaitForWindowExposed(&okno));
            Ulozit(okno, "vyrovnani" + k);
            const auto snimek = [&](std::unique_ptr<OknoSeznamu> o, const QString& jmeno) {
                o->show();
                QVERIFY(QTest::qWaitForWindowExposed(o.get()));
                Ulozit(*o, jmeno + k);
            };
            snimek(OknoOdchylekSouradnic(nullptr, ws, false), "vyrovnani-odchylky");
            snimek(OknoElipsoiduVyrovnani(nullptr, ws, true), "vyrovnani-elipsoidy");
            snimek(OknoPrirustku(nullptr, ws), "vyrovnani-prirustky");
            {
                // Wide enough for the reliability columns at the right.
                auto smery = OknoVyrovnanychMereni(nullptr, ws, Velicina::Smer, true);
                smery->show();
                smery->resize(1500, 420);
                QVERIFY(QTest::qWaitForWindowExposed(smery.get()));
                Ulozit(*smery, "vyrovnani-smery" + k);
            }
            snimek(OknoVyrovnanychMereni(nullptr, ws, Velicina::DoplnekSmernik, false),
                   "vyrovnani-doplnek-smerniky");
            snimek(OknoPosunu(nullptr, ws, false), "vyrovnani-posuny");
            snimek(OknoOdlehlych(nullptr, ws, Velicina::Smer), "vyrovnani-odlehle");
            snimek(OknoPribliznychSouradnic(nullptr, ws), "souradnice-priblizne");
            OknoInformace info(
                nullptr, Q(ws.jazyk.nadpis.zakladniInfoOvyrovnani), "Copy",
                InfoVyrovnani(ws.jazyk, ws.nastaveni, ws.modelOdlehly, ws.modelVyrovnany));
            info.show();
            QVERIFY(QTest::qWaitForWindowExposed(&info));
            Ulozit(info, "vyrovnani-informace" + k);
            OknoMatice matice(nullptr, "Matrix", Q(MaticeVahText(ws.modelVyrovnany)),
                              RozmerMaticeVah(ws.modelVyrovnany));
            matice.show();
            QVERIFY(QTest::qWaitForWindowExposed(&matice));
            Ulozit(matice, "vyrovnani-matice" + k);
            okno.OtevritKresbu();
            OknoKresby* kresba = okno.Kresba();
            QVERIFY(kresba != nullptr && QTest::qWaitForWindowExposed(kresba));
            Ulozit(*kresba, "kresba" + k);
            kresba->Ovladani_().cernobile->click();
            kresba->Ovladani_().popis->setChecked(true);
            Ulozit(*kresba, "kresba-cernobila" + k);
            kresba->Ovladani_().vychozi->click();
            MapaATabulky(okno, *kresba, k);
        }
    }

    // The list, record, find and relocation windows and the results of the
    // analysis and of both transformations.
    void OknaSeznamuAAnalyzy() {
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            ws.nastaveni.prepinac.zobrazSkupinu = ws.nastaveni.prepinac.zobrazPolohu = true;
            ws.nastaveni.prepinac.kontrolaHodnot = ws.nastaveni.prepinac.kontrolaRozdilPoloh = true;
            ws.nastaveni.prepinac.vylucovatX = true;
            QVERIFY(test::PripravitPriklad(ws, true));
            const QString k = jazyk == 1 ? "-en" : "-cs";
            const auto snimek = [&](QWidget& o, const QString& jmeno) {
                o.show();
                QVERIFY(QTest::qWaitForWindowExposed(&o));
                Ulozit(o, jmeno + k);
            };
            const auto okno = [&](std::unique_ptr<OknoSeznamu> o, const QString& jmeno) {
                snimek(*o, jmeno);
            };
            test::SkriptDialogy dialogy;
            SilentInteraction ui;
            VzoryHledani vzory;
            {
                OknoVstupu body(nullptr, ws, dialogy, vzory,
                                SeznamVstupuBodu(ws, SeznamBodu::Fixni));
                body.Tabulka().Vyber().Velikost(3);
                body.Tabulka().Vyber().hromadny[1] = true;
                body.Obnovit();
                snimek(body, "seznam-body");
            }
            {
                OknoVstupu doplnky(nullptr, ws, dialogy, vzory,
                                   SeznamVstupuDoplnku(ws, DruhDoplnku::Delka));
                snimek(doplnky, "seznam-doplnek-delky");
                OknoVstupu odchylky(nullptr, ws, dialogy, vzory, SeznamVstupuOdchylek(ws));
                snimek(odchylky, "seznam-odchylky");
            }
            {
                const auto pole = SeznamVstupuDoplnku(ws, DruhDoplnku::Delka);
                const jazyk::Ttlacitko& t = ws.jazyk.tlacitko;
                OknoZaznamu zaznam(nullptr, pole->NadpisZaznamu(false),
                                   {Q(t.ukoncit), Q(t.vycistit), Q(t.vlozit), Q(t.ukocitAVlozit)},
                                   pole->Pole(Tvyber{}, false), false);
                zaznam.Pole(0)->setText("4001");
                zaznam.Pole(2)->setText("40 07");
                zaznam.Pole(4)->setText("12,5");
                snimek(zaznam, "zaznam-doplnek");
            }
            {
                VzorAtributu vzor;
                OknoHledani hledani(nullptr, "Find", "Find", "Close", AtributySurovych(ws.jazyk),
                                    vzor);
                hledani.Hodnota(1)->setText("4001");
                snimek(hledani, "hledani");
                OknoPremisteni premisteni(nullptr, Q(ws.jazyk.nadpis.presunoutMereni),
                                          Q(ws.jazyk.hlaseni.presunVybranychZaznamu),
                                          Q(ws.jazyk.tlacitko.presun), Q(ws.jazyk.tlacitko.ukoncit),
                                          14);
                snimek(premisteni, "premisteni");
            }
            okno(OknoJednePolohy(nullptr, ws, RezimJednePolohy::RozdilPoloh),
                 "jedna-poloha-rozdil");
            okno(OknoJednePolohy(nullptr, ws, RezimJednePolohy::PrumerSkupin),
                 "jedna-poloha-skupiny");
            okno(OknoJednePolohy(nullptr, ws, RezimJednePolohy::RozdilVse),
                 "jedna-poloha-souradnice");
            okno(OknoVnitrniPresnosti(nullptr, ws, Velicina::Smer), "presnost-vnitrni");
            okno(OknoVnejsiPresnosti(nullptr, ws, Velicina::Zenit), "presnost-vnejsi");
            okno(OknoDoplnkuPredVyrovnanim(nullptr, ws, DruhDoplnku::Smernik), "doplnek-pred");
            okno(OknoDoplnkuRozdil(nullptr, ws, DruhDoplnku::Delka), "doplnek-rozdil");

            QVERIFY(AnalyzaTransformace(ws, ui).uspech);
            QVERIFY(TransformaceSVyrovnanim(ws, ui).uspech);
            QVERIFY(TransformaceBodASmernik(ws, ui).uspech);
            {
                OknoTransformace t(nullptr, ws, dialogy, ui, false);
                snimek(t, "transformace");
                OknoTransformace b(nullptr, ws, dialogy, ui, true);
                snimek(b, "bod-a-smernik");
                t.OtevritKresbu();
                QVERIFY(t.Kresba() != nullptr && QTest::qWaitForWindowExposed(t.Kresba()));
                Ulozit(*t.Kresba(), "kresba-transformace" + k);
            }
            okno(OknoOpravIdentickych(nullptr, ws, false), "transformace-opravy");
            okno(OknoOdlehlychIdentickych(nullptr, ws, Osa::X), "transformace-odlehle");
            okno(OknoVyrovnanychIdentickych(nullptr, ws, Osa::Z, false), "transformace-vyrovnane");
            okno(OknoElipsoiduTransformace(nullptr, ws, false, true), "transformace-elipsoidy");
            OknoInformace info(
                nullptr, "Info", "Copy",
                InfoTransKlic(ws.jazyk, ws.nastaveni, ws.modelTransformace, ws.prevodSVyrovnanim));
            snimek(info, "transformace-klic");
        }
    }

    void OknoProtokolu() {
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            test::Nacist(ws, test::Sit(SimulaceTvar::Grid, 12, 4));
            SilentInteraction ui;
            QVERIFY(AnalyzaSuroveMereni(ws, ui).uspech);
            QVERIFY(VyrovnaniSite(ws, ui).uspech);
            QVERIFY(ProtokolVyrovnani(ws, ui).uspech);
            test::SkriptDialogy dialogy;
            ProtokolOkno okno(nullptr, ws, dialogy, "Protocol", ws.protokolVyrovnani.Radky());
            okno.show();
            QVERIFY(QTest::qWaitForWindowExposed(&okno));
            Ulozit(okno, jazyk == 1 ? "protokol-en" : "protokol-cs");
        }
    }

    void Ikona() {
        const QPixmap obrazek = IkonaProgramu().pixmap(64, 64);
        QVERIFY(!obrazek.isNull());
        QVERIFY(obrazek.save(test::SlozkaSnimku() + "/ikona.png"));
    }

    void NastaveniAZpravy() {
        for (const uint8_t jazyk : {uint8_t{1}, uint8_t{0}}) {
            Workspace ws;
            ws.NastavitJazyk(jazyk);
            const QString k = jazyk == 1 ? "-en" : "-cs";
            NastaveniJednotkyOkno jednotky(nullptr, ws);
            NastaveniKontrolaOkno kontrola(nullptr, ws);
            NastaveniZrcadleniOkno zrcadleni(nullptr, ws);
            NastaveniRedukceOkno redukce(nullptr, ws);
            NastaveniSitOkno sit(nullptr, ws);
            NastaveniTransformaceOkno transformace(nullptr, ws);
            NastaveniVahOkno vahy(nullptr, ws);
            NastaveniProtokolOkno protokol(nullptr, ws);
            const std::pair<QWidget*, QString> okna[] = {{&jednotky, "nastaveni-jednotky"},
                                                         {&kontrola, "nastaveni-kontrola"},
                                                         {&zrcadleni, "nastaveni-zrcadleni"},
                                                         {&redukce, "nastaveni-redukce"},
                                                         {&sit, "nastaveni-sit"},
                                                         {&transformace, "nastaveni-transformace"},
                                                         {&vahy, "nastaveni-vahy"},
                                                         {&protokol, "nastaveni-protokol"}};
            for (const auto& [okno, jmeno] : okna) {
                okno->show();
                QVERIFY(QTest::qWaitForWindowExposed(okno));
                Ulozit(*okno, jmeno + k);
                okno->hide();
            }
            const Tjazyk& j = ws.jazyk;
            const jazyk::Toznameni o = j.Oznameni(3);
            ZpravaOkno zprava(nullptr, QString::fromStdString(o.nadpis),
                              QString::fromStdString(o.text), "OK", "Protocol", [] {});
            zprava.show();
            QVERIFY(QTest::qWaitForWindowExposed(&zprava));
            Ulozit(zprava, "zprava" + k);
            PotvrzeniOkno otazka(nullptr, QString::fromStdString(j.nadpis.varovani),
                                 QString::fromStdString(j.hlaseni.ukoncitProgram),
                                 QString::fromStdString(j.tlacitko.ano),
                                 QString::fromStdString(j.tlacitko.ne));
            otazka.show();
            QVERIFY(QTest::qWaitForWindowExposed(&otazka));
            Ulozit(otazka, "potvrzeni" + k);
        }
    }
};

QTEST_MAIN(SnimkyTest)
#include "SnimkyTest.moc"
