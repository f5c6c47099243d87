#include "UiTestSupport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QMouseEvent>
#include <QThread>

#include "data/Interaction.h"
#include "data/SouradniceKontrola.h"
#include "processing/KontrolaMereni.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano::ui::test {

void SkriptDialogy::Zprava(QWidget*, const QString& nadpis, const QString& text,
                           const std::function<void()>& protokolFn) {
    zpravy.push_back(nadpis + ": " + text);
    if (protokolFn && protokol) protokol(protokolFn);
}

bool SkriptDialogy::Potvrzeni(QWidget*, const QString& nadpis, const QString& text) {
    otazky.push_back(nadpis + ": " + text);
    if (QThread::currentThread() != QCoreApplication::instance()->thread())
        otazkyVeVlaknuOken = false;
    if (priOtazce) priOtazce();
    if (odpovedi.empty()) return vychoziOdpoved;
    const bool odpoved = odpovedi.front();
    odpovedi.pop_front();
    return odpoved;
}

std::vector<std::filesystem::path> SkriptDialogy::Otevrit(QWidget*, DruhSouboru, bool, Tnastaveni&,
                                                          const Tjazyk&) {
    if (otevreni.empty()) return {};
    std::vector<std::filesystem::path> cesty = otevreni.front();
    otevreni.pop_front();
    return cesty;
}

std::filesystem::path SkriptDialogy::Ulozit(QWidget*, DruhSouboru, Tnastaveni&, const Tjazyk&) {
    if (ulozeni.empty()) return {};
    std::filesystem::path cesta = ulozeni.front();
    ulozeni.pop_front();
    return cesta;
}

void SkriptDialogy::Protokol(QWidget*, Workspace&, const QString& nadpis,
                             const std::vector<std::string>& radky) {
    protokoly.emplace_back(nadpis, radky);
}

int SkriptDialogy::Ukazat(QDialog& okno) {
    okna.push_back(okno.windowTitle());
    if (priOkne) priOkne(okno);
    return vysledekOkna;
}

void SkriptDialogy::UkazatVedle(QDialog& okno) {
    okno.show();
    okna.push_back(okno.windowTitle());
    if (priOkne) priOkne(okno);
}

SimulovanaSit Sit(SimulaceTvar tvar, int pocetBodu, int pocetZadanych, uint64_t seed) {
    SimulaceParametry p;
    p.tvar = tvar;
    p.pocetBodu = pocetBodu;
    p.pocetZadanych = pocetZadanych;
    p.seed = seed;
    SimulovanaSit sit;
    std::string chyba;
    Simulovat(p, sit, chyba);
    return sit;
}

void Nacist(Workspace& ws, const SimulovanaSit& sit) {
    ws.suroveMereni = sit.mereni;
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ws.souradniceFixni = sit.zadane;
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
}

bool PripravitPriklad(Workspace& ws, bool vyrovnat) {
    const VysledekPridaniSurovych r = PridatSurovaMereni(ws, {{Zdroj("examples/sit.mtx"), 0}});
    if (r.soubory.size() != 1 || !r.soubory[0].result.ok) return false;
    if (PridatZadaneBody(ws, {Zdroj("examples/sit-given.txt")}).files.empty()) return false;
    const std::pair<DruhDoplnku, const char*> doplnky[] = {{DruhDoplnku::Delka, "distance"},
                                                           {DruhDoplnku::Smernik, "bearing"},
                                                           {DruhDoplnku::Prevyseni, "height"},
                                                           {DruhDoplnku::Provazeni, "plumb"}};
    for (const auto& [druh, nazev] : doplnky) {
        const std::string soubor = std::string("examples/sit-supp-") + nazev + ".txt";
        if (PridatDoplnky(ws, druh, {Zdroj(soubor)}).files.empty()) return false;
    }
    if (PridatIdentickeBody(ws, {Zdroj("examples/sit-identical.txt")}).files.empty()) return false;
    if (!vyrovnat) return true;
    SilentInteraction ui(true);
    if (!AnalyzaSuroveMereni(ws, ui).uspech) return false;
    return VyrovnaniSite(ws, ui).uspech;
}

QList<int> Vybrane(const Tabulka& t) {
    QList<int> radky;
    const Tvyber& v = t.Vyber();
    for (std::size_t i = 0; i < v.hromadny.size(); ++i) {
        if (v.hromadny[i]) radky << static_cast<int>(i);
    }
    return radky;
}

QPoint Stred(const Tabulka& t, int radek) {
    return t.visualRect(t.model()->index(radek, 3)).center();
}

void Tah(Tabulka& t, int radek, Qt::KeyboardModifiers m) {
    const QPoint bod = Stred(t, radek);
    QMouseEvent udalost(QEvent::MouseMove, bod, t.viewport()->mapToGlobal(bod), Qt::NoButton,
                        Qt::LeftButton, m);
    QApplication::sendEvent(t.viewport(), &udalost);
}

QString ZobrazenyNadpis(const QWidget& okno) {
    QString nadpis = okno.windowTitle();
    nadpis.replace("[*]", okno.isWindowModified() ? "*" : "");
    return nadpis;
}

std::filesystem::path Zdroj(const std::string& relativni) {
    return std::filesystem::path(VERTANO_SOURCE_DIR) / relativni;
}

QString SlozkaSnimku() {
    const QString slozka = QString::fromUtf8(VERTANO_SCREENSHOTS);
    QDir().mkpath(slozka);
    return slozka;
}

}  // namespace vertano::ui::test
