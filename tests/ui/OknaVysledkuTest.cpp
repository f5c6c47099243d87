#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <cmath>
#include <sstream>

#include "HlavniOkno.h"
#include "OknaTransformace.h"
#include "OknoKresby.h"
#include "OknoMatice.h"
#include "OknoPremisteni.h"
#include "OknoVstupu.h"
#include "OknoVyrovnani.h"
#include "OknoZaznamu.h"
#include "TabulkaSurovych.h"
#include "UiTestSupport.h"
#include "adjustment/KofaktoryText.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "mereni/Velicina.h"
#include "support/TestSupport.h"
#include "workspace/Transformace.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

using namespace vertano;
using namespace vertano::ui;

namespace {

// The column whose name starts with `nazev` (-1 when none).
int Sloupec(const ModelSeznamu& m, const QString& nazev) {
    for (int k = 0; k < m.PocetSloupcu(); ++k) {
        if (m.Sloupce()[static_cast<std::size_t>(k)].nazev.startsWith(nazev)) return k;
    }
    return -1;
}

double Cislo(const QString& text) {
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok ? v : std::nan("");
}

// The row of a point number in the first column (-1 when none).
int Radek(const ModelSeznamu& m, const std::string& cislo) {
    for (int r = 0; r < m.PocetZaznamu(); ++r) {
        if (m.Text(r, 0) == QString::fromStdString(cislo)) return r;
    }
    return -1;
}

const Tbod* Bod(const Tsouradnice& s, const std::string& cislo) {
    for (const Tbod& b : s.bod) {
        if (b.JePlny && b.cislo == cislo) return &b;
    }
    return nullptr;
}

// Every action of the menus that is enabled now, submenus included.
std::vector<QAction*> PovoleneAkce(const QList<QAction*>& akce) {
    std::vector<QAction*> v;
    for (QAction* a : akce) {
        if (a->isSeparator() || !a->isEnabled()) continue;
        if (a->menu() != nullptr) {
            for (QAction* b : PovoleneAkce(a->menu()->actions())) v.push_back(b);
        } else {
            v.push_back(a);
        }
    }
    return v;
}

bool JePozadi(const QImage& obrazek, QRgb barva) {
    return obrazek.pixel(obrazek.width() - 3, obrazek.height() / 2) == barva;
}

int PocetPixelu(const QImage& obrazek, QRgb barva) {
    int n = 0;
    for (int y = 0; y < obrazek.height(); ++y) {
        for (int x = 0; x < obrazek.width(); ++x) n += obrazek.pixel(x, y) == barva ? 1 : 0;
    }
    return n;
}

}  // namespace

// The adjustment and transformation windows opened from their menus show the
// numbers of the model; the drawing window repaints, zooms, pans and saves;
// the whole road from adding files to a reopened project gives the same result.
class OknaVysledkuTest : public QObject {
    Q_OBJECT

  private slots:
    void AdjustmentViewsShowTheModelInTwoUnitSettings() {
        for (const bool stopy : {false, true}) {
            Workspace ws;
            ws.NastavitJazyk(1);
            QVERIFY(ui::test::PripravitPriklad(ws, true));
            // Display settings only: feet, Y before X.
            if (stopy) {
                ws.nastaveni.jednotky.souradnice = 1;
                ws.nastaveni.jednotky.delka = 1;
                ws.nastaveni.jednotky.poradiSouradnice = 1;
            }
            const double k = stopy ? 1 / 0.3048 : 1;
            ui::test::SkriptDialogy dialogy;
            SilentInteraction ui;
            OknoVyrovnani okno(nullptr, ws, dialogy, ui);
            const ModelSeznamu& m = okno.Model();
            const int x = Sloupec(m, "X");
            const int y = Sloupec(m, "Y");
            QVERIFY(x > 0 && y > 0);
            QCOMPARE(y < x, stopy);
            int porovnano = 0;
            for (const Tbod& b : ws.modelVyrovnany.Vysledek().Souradnice().bod) {
                if (!b.JePlny) continue;
                const int r = Radek(m, b.cislo);
                QVERIFY(r >= 0);
                QVERIFY(std::fabs(Cislo(m.Text(r, x)) - static_cast<double>(b.X) * k) < 0.6e-4);
                QVERIFY(std::fabs(Cislo(m.Text(r, y)) - static_cast<double>(b.Y) * k) < 0.6e-4);
                ++porovnano;
            }
            QCOMPARE(porovnano, 13);

            // The adjusted distances with their reliability, from the menu.
            bool videno = false;
            dialogy.priOkne = [&](QDialog& o) {
                const ModelSeznamu& d = dynamic_cast<OknoSeznamu&>(o).Model();
                const int r = Sloupec(d, QString::fromStdString(ws.jazyk.popis.cisloNadbytecnosti));
                const int mdb = Sloupec(d, QString::fromStdString(ws.jazyk.popis.minimalniChyba));
                QVERIFY(r > 0 && mdb > 0);
                std::vector<const TmerenaVelicina*> plne;
                for (const TmerenaVelicina& z : ws.modelVyrovnany.Vysledek().Delka().zaznam)
                    if (z.jePlny) plne.push_back(&z);
                QCOMPARE(d.PocetZaznamu(), static_cast<int>(plne.size()));
                const TmerenaVelicina& z = *plne.front();
                QVERIFY(std::fabs(Cislo(d.Text(0, r)) - static_cast<double>(z.redundance)) <
                        0.6e-3);
                // mm for metres, and for feet the deviation unit of feet
                const Real s0 = ws.modelVyrovnany.Vysledek().OdchylkaJednotkovaAprior();
                const double mm = static_cast<double>(z.mdb * s0) * 1000;
                QVERIFY(Cislo(d.Text(0, mdb)) > 0);
                if (!stopy) QVERIFY(std::fabs(Cislo(d.Text(0, mdb)) - mm) < 0.06);
                videno = true;
            };
            okno.Akce_().apriori[IndexVeliciny(Velicina::Delka)]->trigger();
            QVERIFY(videno);
        }
    }

    void WeightCoefficientsAreComputedOnlyWhenOpenedAndAskedForAboveTwoThousand() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        TmodelSite& model = ws.modelVyrovnany;
        // The default path keeps no dense matrix; nothing is computed yet.
        QVERIFY(model.Solver().Sparse() != nullptr);
        QVERIFY(model.Vysledek().KovariancniMaticeStr().empty());
        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        QString text;
        dialogy.priOkne = [&](QDialog& o) {
            text = dynamic_cast<OknoMatice&>(o).Text()->toPlainText();
        };
        okno.Akce_().matice->trigger();
        QVERIFY(dialogy.otazky.empty());
        const int32_t n = model.Vysledek().PocetSouradnicUrcovanych();
        Tmatrix q;
        QVERIFY(model.KofaktorovaMatice(n, q));
        QCOMPARE(text, QString::fromStdString(KofaktoryText(q, n)).replace("\r\n", "\n"));
        QCOMPARE(text.split('\n', Qt::SkipEmptyParts).size(), n);

        // Above 2,000 unknowns it asks first; "No" computes and shows nothing.
        Stav(model).kovariancniMaticeStr.clear();
        Stav(model).pocetSouradnicUrcovanych = 2001;
        dialogy.okna.clear();
        dialogy.vychoziOdpoved = false;
        okno.Akce_().matice->trigger();
        QCOMPARE(dialogy.otazky.size(), std::size_t{1});
        QVERIFY(dialogy.otazky[0].contains("2001"));
        QVERIFY(dialogy.okna.empty());
        QVERIFY(model.Vysledek().KovariancniMaticeStr().empty());
    }

    void TransformationsFromTheAdjustmentMenu() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        const OknoVyrovnani::Akce& a = okno.Akce_();
        QVERIFY(!a.sVyrovnanim->isEnabled());
        QVERIFY(a.analyzaTransformace->isEnabled());
        a.analyzaTransformace->trigger();
        QVERIFY(ws.state.Current(Step::TransformationAnalysis));
        QVERIFY(a.sVyrovnanim->isEnabled() && a.bodASmernik->isEnabled());

        // With adjustment: the transformed points, and every result window.
        int detaily = 0;
        dialogy.priOkne = [&](QDialog& o) {
            auto* t = dynamic_cast<OknoTransformace*>(&o);
            if (t == nullptr) {
                ++detaily;
                return;
            }
            const ModelSeznamu& m = t->Model();
            const int x = Sloupec(m, "X");
            QVERIFY(x > 0);
            int porovnano = 0;
            for (int r = 0; r < m.PocetZaznamu(); ++r) {
                const Tbod* b = Bod(ws.prevodSVyrovnanim.Souradnice(), m.Text(r, 0).toStdString());
                QVERIFY(b != nullptr);
                QVERIFY(std::fabs(Cislo(m.Text(r, x)) - static_cast<double>(b->X)) < 0.6e-4);
                ++porovnano;
            }
            QVERIFY(porovnano >= 13);
            t->AktualizovatMenu();
            for (QAction* akce : PovoleneAkce(t->Menu()->actions())) {
                if (akce == t->Akce_().zavrit || akce == t->Akce_().kresba ||
                    akce == t->Akce_().ulozitEtapu)
                    continue;
                akce->trigger();
            }
        };
        a.sVyrovnanim->trigger();
        QVERIFY(ws.state.Current(Step::TransformationWithAdjustment));
        // information (2), accuracy (6), residuals, coordinates (5) and the report
        QVERIFY(detaily >= 14);
        QVERIFY(!dialogy.protokoly.empty());

        // Point and bearing: another base point and "Transform" recompute it.
        QString pred, po;
        dialogy.priOkne = [&](QDialog& o) {
            auto* t = dynamic_cast<OknoTransformace*>(&o);
            if (t == nullptr) return;
            QVERIFY(t->Bod() != nullptr && t->Bod()->count() >= 2);
            pred = t->Model().Text(0, 1);
            t->Bod()->setCurrentIndex(t->Cil()->currentIndex() == 0 ? 1 : 0);
            emit t->Bod()->activated(t->Bod()->currentIndex());
            QVERIFY(!t->Smernik()->text().isEmpty());
            t->OtevritKresbu();
            QVERIFY(t->Kresba() != nullptr);
            t->Transformovat()->click();
            po = t->Model().Text(0, 1);
            // The open drawing shows the new coordinates (geodetic axes: X, Y).
            const TgrafikaData* data = t->Kresba()->Platno().Kontejner().data;
            QVERIFY(data != nullptr && data->pocetBodu > 0);
            const TgrafikaBod& g = data->body[0];
            const Tbod* b = Bod(ws.prevodBodASmernik.Souradnice(), g.cislo);
            QVERIFY(b != nullptr);
            QCOMPARE(g.X, b->X);
            QCOMPARE(ws.prevodBodASmernik.IStnAktualni(), t->Bod()->currentIndex());
        };
        a.bodASmernik->trigger();
        QVERIFY(ws.state.Current(Step::PointAndBearing));
        QVERIFY(!pred.isEmpty() && !po.isEmpty());
    }

    void DrawingWindowControlsRepaintZoomPanAndSave() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        SilentInteraction ui;
        OknoVyrovnani okno(nullptr, ws, dialogy, ui);
        okno.Akce_().kresba->trigger();
        OknoKresby* k = okno.Kresba();
        QVERIFY(k != nullptr && k->isVisible() && !k->isModal());
        QVERIFY(k->windowTitle().startsWith("Drawing - Network adjustment"));
        QVERIFY(QTest::qWaitForWindowExposed(k));
        const OknoKresby::Ovladani& o = k->Ovladani_();
        PlatnoKresby& p = k->Platno();
        const QRgb zluta = qRgb(255, 255, 0), cerna = qRgb(0, 0, 0), bila = qRgb(255, 255, 255);
        QCOMPARE(p.Obrazek().size(), p.size());
        QVERIFY(JePozadi(p.Obrazek(), cerna));
        QVERIFY(PocetPixelu(p.Obrazek(), zluta) > 20);  // the given points

        // Enabling follows the switches; each change repaints.
        o.bod->setChecked(false);
        QVERIFY(!o.barvaFix->isEnabled() && !o.krizek->isEnabled() && !o.sirkaBod->isEnabled());
        QCOMPARE(PocetPixelu(p.Obrazek(), zluta), 0);
        o.elipsa->setChecked(false);
        QVERIFY(!o.zvetseni->isEnabled() && !o.presnost->isEnabled());
        o.osy->setChecked(false);
        o.meritko->setChecked(false);
        QVERIFY(!o.pismo->isEnabled() && !o.sirkaOsa->isEnabled());
        o.popis->setChecked(true);
        QVERIFY(o.pismo->isEnabled());
        o.linie->setChecked(false);
        QVERIFY(!o.popis->isEnabled() && !o.pismo->isEnabled() && !o.barvaMereni->isEnabled());
        o.vychozi->click();
        QVERIFY(o.bod->isChecked() && o.elipsa->isChecked() && !o.popis->isChecked());
        QVERIFY(PocetPixelu(p.Obrazek(), zluta) > 20);

        // Colour presets.
        o.cernobile->click();
        QVERIFY(JePozadi(p.Obrazek(), bila));
        QCOMPARE(PocetPixelu(p.Obrazek(), zluta), 0);
        o.barvyVychozi->click();
        QVERIFY(JePozadi(p.Obrazek(), cerna));

        // Zoom by buttons and wheel, pan by buttons and dragging.
        const TTransPar& t = p.Kontejner().TransPar;
        const Real m0 = t.m;
        o.zvetsit->click();
        QVERIFY(std::fabs(static_cast<double>(t.m / m0) - 1.05) < 1e-12);
        QWheelEvent kolecko(QPointF(50, 50), p.mapToGlobal(QPointF(50, 50)), QPoint(),
                            QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                            false);
        QApplication::sendEvent(&p, &kolecko);
        QVERIFY(std::fabs(static_cast<double>(t.m / m0) - 1) < 1e-12);
        o.vse->click();
        const Real tx0 = t.txx, ty0 = t.tyy;
        o.vpravo->click();
        o.dolu->click();
        QCOMPARE(static_cast<double>(t.txx - tx0), 10.0);
        QCOMPARE(static_cast<double>(t.tyy - ty0), 10.0);
        const QImage predTahem = p.Obrazek();
        const auto mys = [&](QEvent::Type typ, QPoint bod, Qt::MouseButtons tlacitka) {
            QMouseEvent e(typ, QPointF(bod), p.mapToGlobal(QPointF(bod)), Qt::LeftButton, tlacitka,
                          Qt::NoModifier);
            QApplication::sendEvent(&p, &e);
        };
        mys(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
        mys(QEvent::MouseMove, {130, 90}, Qt::LeftButton);
        mys(QEvent::MouseButtonRelease, {130, 90}, Qt::NoButton);
        QCOMPARE(static_cast<double>(t.txx - tx0), 40.0);
        QCOMPARE(static_cast<double>(t.tyy - ty0), 0.0);
        QVERIFY(p.Obrazek() != predTahem);

        // Saving: the picture as on screen in three formats, and the DXF.
        vertano::test::TempDir slozka;
        for (const char* nazev : {"a.png", "a.bmp", "a.jpg", "a.dxf"})
            dialogy.ulozeni.push_back(slozka / nazev);
        for (int i = 0; i < 4; ++i) o.ulozit->click();
        QVERIFY(dialogy.zpravy.empty());
        const QImage png((slozka / "a.png").string().c_str());
        QCOMPARE(png.size(), p.Obrazek().size());
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32), p.Obrazek());
        QCOMPARE(QImage((slozka / "a.bmp").string().c_str()).size(), p.Obrazek().size());
        QCOMPARE(QImage((slozka / "a.jpg").string().c_str()).size(), p.Obrazek().size());
        QFile dxf(QString::fromStdString((slozka / "a.dxf").string()));
        QVERIFY(dxf.open(QIODevice::ReadOnly));
        const QByteArray obsah = dxf.readAll();
        QVERIFY(obsah.contains("SECTION") && obsah.contains("4001") && obsah.contains("EOF"));
        // A failure says so with message 28 and keeps the file that was there.
        dialogy.ulozeni.push_back(slozka / "a.png" / "b.png");
        o.ulozit->click();
        QCOMPARE(dialogy.zpravy.size(), std::size_t{1});
        QVERIFY(dialogy.zpravy[0].contains(QString::fromStdString(ws.jazyk.Oznameni(28).text)));
        QCOMPARE(ws.chyby.cisloOznameni, 0);  // shown, not left pending

        // Closing stores the controls; closing the adjustment window closes it.
        o.cernobile->click();
        k->close();
        QCOMPARE(int{ws.nastaveni.grafika.barvaPozadi}, 15);
        QVERIFY(okno.Kresba() == nullptr || !okno.Kresba()->isVisible());
        okno.Akce_().kresba->trigger();
        QVERIFY(JePozadi(okno.Kresba()->Platno().Obrazek(), bila));
        // A transformation closes it (it would show the network of before).
        okno.Akce_().analyzaTransformace->trigger();
        okno.AktualizovatMenu();
        okno.Akce_().sVyrovnanim->trigger();
        QVERIFY(ws.state.Current(Step::TransformationWithAdjustment));
        QVERIFY(okno.Kresba() == nullptr || !okno.Kresba()->isVisible());
        okno.Akce_().kresba->trigger();
        okno.reject();
        QTest::qWait(0);
        QVERIFY(okno.Kresba() == nullptr || !okno.Kresba()->isVisible());
    }

    void ListWindowCommandsChangeTheCopyAndClosingClearsTheAnalysis() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        const Tsouradnice puvodni = ws.souradniceFixni;
        QVERIFY(puvodni.PocetPlnychBodu() >= 3);
        ui::test::SkriptDialogy dialogy;
        VzoryHledani vzory;
        OknoVstupu okno(nullptr, ws, dialogy, vzory, SeznamVstupuBodu(ws, SeznamBodu::Fixni));
        const OknoVstupu::Akce& a = okno.Akce_();
        const auto vybrat = [&](std::initializer_list<int> radky) {
            Tvyber& v = okno.Tabulka().Vyber();
            v.Velikost(static_cast<std::size_t>(okno.Model().PocetZaznamu()));
            v.Zrusit();
            for (const int r : radky) v.hromadny[static_cast<std::size_t>(r)] = true;
            okno.AktualizovatMenu();
        };
        const ModelSeznamu& m = okno.Model();
        const int x = Sloupec(m, "X");
        const int y = Sloupec(m, "Y");
        vybrat({0});
        const QString x0 = m.Text(0, x), y0 = m.Text(0, y);
        QVERIFY(a.zamenit->isEnabled());
        a.zamenit->trigger();
        QCOMPARE(m.Text(0, x), y0);
        QCOMPARE(m.Text(0, y), x0);
        a.nefixni->trigger();
        // Cut and paste the first point after the last; delete the second.
        a.vyjmout->trigger();
        const int pocet = m.PocetZaznamu();
        vybrat({});
        a.vlozit->trigger();
        QVERIFY(m.PocetZaznamu() >= pocet);
        vybrat({0});
        dialogy.odpovedi = {true};
        a.smazat->trigger();
        // Nothing reaches the workspace before the window closes.
        QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), puvodni.PocetPlnychBodu());
        QVERIFY(ws.state.Current(Step::Analysis) && ws.state.Current(Step::Adjustment));
        okno.accept();
        QCOMPARE(ws.souradniceFixni.PocetPlnychBodu(), puvodni.PocetPlnychBodu() - 1);
        const Tbod* b = Bod(ws.souradniceFixni, puvodni.bod[0].cislo);
        QVERIFY(b != nullptr);
        QCOMPARE(b->X, puvodni.bod[0].Y);
        QVERIFY(!b->JeFixni);
        QVERIFY(Bod(ws.souradniceFixni, puvodni.bod[1].cislo) == nullptr);
        QVERIFY(!ws.state.Current(Step::Analysis));
    }

    void RawRecordsNewEditAndRelocateFromTheMainWindow() {
        Workspace ws;
        ws.NastavitJazyk(1);
        QVERIFY(ui::test::PripravitPriklad(ws, true));
        ui::test::SkriptDialogy dialogy;
        HlavniOkno hlavni(ws, dialogy);
        const HlavniOkno::Akce& a = hlavni.Akce_();
        const Tmereni& m = ws.suroveMereni;
        const int pred = m.PocetPlnychZaznamu();
        const auto posledni = [&m]() -> const Tzaznam& {
            std::size_t i = m.zaznam.size();
            while (i > 0 && !m.zaznam[i - 1].JePlny()) --i;
            return m.zaznam[i - 1];
        };

        // New station: a name with a blank is refused, a padded one trimmed.
        bool odmitnuto = false;
        dialogy.priOkne = [&](QDialog& o) {
            auto& z = dynamic_cast<OknoZaznamu&>(o);
            const char* hodnoty[] = {"40 99", "1.5", "4001", "1.6", "100", "100", "50"};
            for (int i = 0; i < 7; ++i) z.Pole(i + 1)->setText(hodnoty[i]);
            odmitnuto = !z.JePlatne(1);
            z.Vlozit();
            QCOMPARE(z.PocetVlozeni(), 0);
            z.Pole(1)->setText("  4099 ");
            z.VlozitAZavrit();
            QCOMPARE(z.PocetVlozeni(), 1);
        };
        a.noveStanovisko->trigger();
        QVERIFY(odmitnuto);
        QCOMPARE(m.PocetPlnychZaznamu(), pred + 1);
        QCOMPARE(posledni().cislo_stn, std::string("4099"));
        QCOMPARE(posledni().cislo_cil, std::string("4001"));
        QVERIFY(!ws.state.Current(Step::Analysis) && !ws.state.Current(Step::AdjustmentReport));

        // Edit the new row's target height.
        const auto vybratPosledni = [&] {
            Tvyber& v = hlavni.Tabulka().Vyber();
            v.Zrusit();
            v.Velikost(m.zaznam.size());
            const std::size_t r = static_cast<std::size_t>(&posledni() - m.zaznam.data());
            v.hromadny[r] = true;
            v.aktualni = static_cast<int32_t>(r);
            hlavni.AktualizovatMenu();
        };
        vybratPosledni();
        dialogy.priOkne = [&](QDialog& o) {
            auto& z = dynamic_cast<OknoZaznamu&>(o);
            QCOMPARE(z.Pole(1)->text(), QString("4099"));
            z.Pole(4)->setText("1.75");
            z.VlozitAZavrit();
        };
        QVERIFY(a.upravit->isEnabled());
        a.upravit->trigger();
        QVERIFY(std::fabs(static_cast<double>(posledni().vyska_cil) - 1.75) < 1e-12);

        // Relocate it to station 1: it takes that station's number and height.
        const Tzaznam prvni = m.zaznam[0];
        vybratPosledni();
        dialogy.vysledekOkna = QDialog::Accepted;
        dialogy.priOkne = [](QDialog& o) {
            dynamic_cast<OknoPremisteni&>(o).Seznam()->setCurrentIndex(0);
        };
        QVERIFY(a.premistit->isEnabled());
        a.premistit->trigger();
        QCOMPARE(m.PocetPlnychZaznamu(), pred + 1);
        int presunuto = 0;
        for (const Tzaznam& z : m.zaznam) {
            if (!z.JePlny() || z.cislo_cil != "4001" || z.vyska_cil != 1.75L) continue;
            QCOMPARE(z.cislo_stn, prvni.cislo_stn);
            QCOMPARE(z.vyska_stn, prvni.vyska_stn);
            QCOMPARE(z.poradi, prvni.poradi);
            ++presunuto;
        }
        QCOMPARE(presunuto, 1);
    }

    void WholeRoadFromTheMainWindowToAReopenedProject() {
        vertano::test::TempDir slozka;
        Workspace ws;
        ws.NastavitJazyk(1);
        ui::test::SkriptDialogy dialogy;
        HlavniOkno hlavni(ws, dialogy);
        const HlavniOkno::Akce& a = hlavni.Akce_();
        dialogy.otevreni = {{ui::test::Zdroj("examples/sit.mtx")},
                            {ui::test::Zdroj("examples/sit-given.txt")},
                            {ui::test::Zdroj("examples/sit-supp-distance.txt")},
                            {ui::test::Zdroj("examples/sit-supp-bearing.txt")},
                            {ui::test::Zdroj("examples/sit-supp-height.txt")},
                            {ui::test::Zdroj("examples/sit-supp-plumb.txt")},
                            {ui::test::Zdroj("examples/sit-identical.txt")}};
        a.pridat->trigger();
        const auto pridat = [](QDialog& o) {
            auto& seznam = dynamic_cast<OknoVstupu&>(o);
            seznam.Akce_().pridat->trigger();
            seznam.accept();
        };
        dialogy.priOkne = pridat;
        a.fixniBody->trigger();
        for (QAction* d : a.doplnek) d->trigger();
        QVERIFY(a.analyza->isEnabled());
        a.analyza->trigger();
        hlavni.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Analysis));

        // Every result of the analysis from its menu item, each with rows (no
        // observation joins two given points: that item stays off).
        QVERIFY(!a.rozdilFixni->isEnabled());
        std::vector<QAction*> vysledky = {a.rozdilPoloh, a.prumerPoloh, a.prumerSkupin,
                                          a.kamenKamen,  a.predMereni,  a.predSouradnice,
                                          a.rozdilVse};
        for (int i = 0; i < 4; ++i) {
            vysledky.push_back(a.predDoplnek[i]);
            vysledky.push_back(a.rozdilDoplnek[i]);
        }
        for (int i = 0; i < 3; ++i) {
            vysledky.push_back(a.vnitrni[i]);
            vysledky.push_back(a.vnejsi[i]);
        }
        int sRadky = 0;
        dialogy.priOkne = [&](QDialog& o) {
            sRadky += dynamic_cast<OknoSeznamu&>(o).Model().PocetZaznamu() > 0 ? 1 : 0;
        };
        for (QAction* v : vysledky) {
            QVERIFY(v->isEnabled());
            v->trigger();
        }
        QCOMPARE(sRadky, static_cast<int>(vysledky.size()));

        // The adjustment window: the identical points, the analysis, every
        // result window, both transformations with all of theirs.
        int okna = 0;
        std::function<void(QDialog&)> ridit;
        ridit = [&](QDialog& o) {
            ++okna;
            if (auto* v = dynamic_cast<OknoVyrovnani*>(&o)) {
                v->AktualizovatMenu();  // as opening the menu does
                v->Akce_().vystupniSystem->trigger();
                v->Akce_().analyzaTransformace->trigger();
                QVERIFY(ws.state.Current(Step::TransformationAnalysis));
                v->AktualizovatMenu();
                for (QAction* akce : PovoleneAkce(v->Menu()->actions())) {
                    if (akce == v->Akce_().zavrit || akce == v->Akce_().ulozitEtapu ||
                        akce == v->Akce_().vystupniSystem || akce == v->Akce_().presnostIdentickych)
                        continue;
                    akce->trigger();
                }
                return;
            }
            if (auto* s = dynamic_cast<OknoVstupu*>(&o)) {
                pridat(*s);
                return;
            }
            if (auto* t = dynamic_cast<OknoTransformace*>(&o)) {
                t->AktualizovatMenu();
                for (QAction* akce : PovoleneAkce(t->Menu()->actions())) {
                    if (akce != t->Akce_().zavrit && akce != t->Akce_().ulozitEtapu)
                        akce->trigger();
                }
            }
        };
        dialogy.priOkne = ridit;
        QVERIFY(a.vyrovnani->isEnabled());
        a.vyrovnani->trigger();
        hlavni.PockatNaKonec();
        QVERIFY(ws.state.Current(Step::Adjustment));
        QVERIFY(ws.state.Current(Step::TransformationWithAdjustment) &&
                ws.state.Current(Step::PointAndBearing));
        QVERIFY(okna > 40);
        QVERIFY(dialogy.zpravy.size() >= 7);  // the notices of the files added

        // Saved as a project and reopened in another window, it gives the same
        // numbers.
        const std::filesystem::path projekt = slozka / "sit.gpr";
        dialogy.ulozeni = {projekt};
        a.ulozitProjekt->trigger();
        QVERIFY(std::filesystem::exists(projekt));
        Workspace znovu;
        ui::test::SkriptDialogy dialogy2;
        HlavniOkno druhe(znovu, dialogy2);
        const HlavniOkno::Akce& b = druhe.Akce_();
        dialogy2.otevreni = {{projekt}};
        b.otevritProjekt->trigger();
        b.analyza->trigger();
        druhe.PockatNaKonec();
        dialogy2.priOkne = [&](QDialog& o) {
            if (auto* v = dynamic_cast<OknoVyrovnani*>(&o)) {
                v->Akce_().analyzaTransformace->trigger();
                v->AktualizovatMenu();
                v->Akce_().sVyrovnanim->trigger();
            }
        };
        b.vyrovnani->trigger();
        druhe.PockatNaKonec();
        QVERIFY(znovu.state.Current(Step::TransformationWithAdjustment));
        QCOMPARE(znovu.modelVyrovnany.Vysledek().OdchylkaJednotkovaAposterior(),
                 ws.modelVyrovnany.Vysledek().OdchylkaJednotkovaAposterior());
        for (const Tsouradnice* s : std::initializer_list<const Tsouradnice*>{
                 &ws.modelVyrovnany.Vysledek().Souradnice(), &ws.prevodSVyrovnanim.Souradnice()}) {
            const Tsouradnice& t = s == &ws.modelVyrovnany.Vysledek().Souradnice()
                                       ? znovu.modelVyrovnany.Vysledek().Souradnice()
                                       : znovu.prevodSVyrovnanim.Souradnice();
            int porovnano = 0;
            for (const Tbod& b : s->bod) {
                if (!b.JePlny) continue;
                const Tbod* c = Bod(t, b.cislo);
                QVERIFY(c != nullptr);
                QVERIFY(std::fabs(static_cast<double>(c->X - b.X)) < 1e-9);
                QVERIFY(std::fabs(static_cast<double>(c->Y - b.Y)) < 1e-9);
                QVERIFY(std::fabs(static_cast<double>(c->Z - b.Z)) < 1e-9);
                ++porovnano;
            }
            QVERIFY(porovnano >= 13);
        }
    }
};

QTEST_MAIN(OknaVysledkuTest)
#include "OknaVysledkuTest.moc"
