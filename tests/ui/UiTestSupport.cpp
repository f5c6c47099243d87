#include "UiTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

#include "data/SouradniceKontrola.h"
#include "processing/KontrolaMereni.h"
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

std::filesystem::path Zdroj(const std::string& relativni) {
    return std::filesystem::path(VERTANO_SOURCE_DIR) / relativni;
}

QString SlozkaSnimku() {
    const QString slozka = QString::fromUtf8(VERTANO_SCREENSHOTS);
    QDir().mkpath(slozka);
    return slozka;
}

}  // namespace vertano::ui::test
