#include <QApplication>
#include <QClipboard>
#include <memory>

#include "HlavniOkno.h"
#include "NastaveniDialogy.h"
#include "TabulkaSurovych.h"
#include "Texty.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Protokoly.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

constexpr int32_t kOznameniUlozeni = 28;

// A file that could not be read, for the message after adding: the reason the
// reader gave (English, naming the file and the line).
template <class Soubor>
QString Chyby(const std::vector<Soubor>& soubory) {
    QString text;
    for (const Soubor& f : soubory) {
        if (!f.result.ok) text += "\n" + Q(f.message);
    }
    return text;
}

}  // namespace

void HlavniOkno::PrikazPridat() {
    const std::vector<std::filesystem::path> cesty =
        dialogy_.Otevrit(this, DruhSouboru::SurovaMereni, true, ws_.nastaveni, ws_.jazyk);
    if (!cesty.empty()) PridatSoubory(cesty);
}

void HlavniOkno::PridatSoubory(const std::vector<std::filesystem::path>& cesty) {
    // The format follows a known extension; otherwise the file type chosen.
    std::vector<SouborKNacteni> soubory;
    for (const std::filesystem::path& c : cesty) {
        const int podlePripony = RawFormatFromExtension(c);
        soubory.push_back(
            {c, podlePripony >= 0 ? podlePripony : ws_.nastaveni.souborVstup.typSuroveMereni});
    }
    Zaneprazdneni(true);
    const VysledekPridaniSurovych v = PridatSurovaMereni(ws_, soubory);
    Zaneprazdneni(false);
    PoZmeneMereni();
    const jazyk::Tprotokol& w = ws_.jazyk.protokol;
    protokolSouboru_ = {ws_.jazyk.nadpis.pridatSurovaMereni, "",
                        w.nazevSouboru + "\t" + w.poradiChybnehoRadku};
    for (const LoadedRawFile& f : v.soubory) {
        protokolSouboru_.push_back(
            f.path.string() + "\t" +
            (f.result.ok ? FormatInteger(f.rowsAdded)
                         : FormatInteger(f.result.counter) + "  " + DescribeRawFailure(f.result)));
    }
    const QString chyby = Chyby(v.soubory);
    if (!v.MaOznameni() && chyby.isEmpty()) return;
    const jazyk::Toznameni o = OznameniPridaniSurovych(ws_, v);
    const QString nadpis = Q(ws_.jazyk.nadpis.pridatSurovaMereni);
    Zprava(Q(o.nadpis), Q(o.text) + chyby,
           [this, nadpis] { ZobrazitProtokol(nadpis, protokolSouboru_); });
}

void HlavniOkno::OznamitNeznameArgumenty(const QStringList& argumenty) {
    const bool cesky = ws_.nastaveni.typJazyk == 0;
    const QString text =
        cesky ? QString(
                    "Tyto soubory nelze otevřít (z příkazové řádky se otevírá jeden projekt "
                    ".gpr a surová měření .mtx a .asc):")
              : QString(
                    "These files cannot be opened (the command line opens one project, .gpr, "
                    "and raw measurement files, .mtx and .asc):");
    Zprava(Q(ws_.jazyk.nadpis.varovani), text + "\n" + argumenty.join("\n"));
}

void HlavniOkno::PridatSouboryDruhu(DruhSouboru druh, int doplnek) {
    const std::vector<std::filesystem::path> cesty =
        dialogy_.Otevrit(this, druh, true, ws_.nastaveni, ws_.jazyk);
    if (cesty.empty()) return;
    Zaneprazdneni(true);
    jazyk::Toznameni o;
    QString chyby;
    if (druh == DruhSouboru::Doplnek) {
        const SupplementaryLoadReport r = PridatDoplnky(ws_, doplnek, cesty);
        o = OznameniPridaniDoplnku(r, ws_.jazyk);
        chyby = Chyby(r.files);
    } else {
        const bool meritka = druh == DruhSouboru::Meritko;
        const CoordinateLoadReport r =
            meritka ? PridatMeritka(ws_, cesty) : PridatZadaneBody(ws_, cesty);
        o = OznameniPridaniBodu(ws_, r, meritka);
        chyby = Chyby(r.files);
    }
    Zaneprazdneni(false);
    Obnovit();
    Zprava(Q(o.nadpis), Q(o.text) + chyby);
}

void HlavniOkno::PrikazUlozitJako() {
    const std::filesystem::path cesta =
        dialogy_.Ulozit(this, DruhSouboru::SurovaMereni, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    Zaneprazdneni(true);
    const RawSaveReport r = UlozeniSouboru(ws_.suroveMereni, ws_.nastaveni, cesta);
    Zaneprazdneni(false);
    Obnovit();
    if (r.ok || r.cancelled) return;
    const jazyk::Toznameni o = ws_.jazyk.Oznameni(kOznameniUlozeni);
    Zprava(Q(o.nadpis), Q(o.text) + "\n" + Q(r.message));
}

void HlavniOkno::PrikazExportovat() {
    const std::filesystem::path cesta =
        dialogy_.Ulozit(this, DruhSouboru::SurovaMereni, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    const RawSaveReport r = ExportSouboru(ws_.mereniVyrovnani, ws_.nastaveni, cesta);
    if (r.ok || r.cancelled) return;
    const jazyk::Toznameni o = ws_.jazyk.Oznameni(kOznameniUlozeni);
    Zprava(Q(o.nadpis), Q(o.text) + "\n" + Q(r.message));
}

void HlavniOkno::PrikazJazyk(uint8_t typJazyk) {
    ws_.NastavitJazyk(typJazyk);
    NastavitTexty();
    NastavitPrepinace();
}

void HlavniOkno::PrikazSmazat() {
    const Tjazyk& j = ws_.jazyk;
    const int32_t pocet = tabulka_->Vyber().Pocet();
    if (pocet == 0) return;
    if (!Potvrzeni(Q(j.nadpis.varovani),
                   Q(j.hlaseni.opravduSmazatZaznam) + QString::number(pocet) + ")"))
        return;
    Zaneprazdneni(true);
    SmazatVybrane(ws_, tabulka_->Vyber());
    Zaneprazdneni(false);
    PoZmeneMereni();
    tabulka_->NastavitAktualni(tabulka_->Vyber().aktualni);
}

void HlavniOkno::PrikazKopirovat() {
    const std::string text = KopirovatVybrane(ws_, tabulka_->Vyber());
    if (!text.empty()) QApplication::clipboard()->setText(Q(text));
    AktualizovatMenu();
}

void HlavniOkno::PrikazVyjmout() {
    Zaneprazdneni(true);
    VyjmoutVybrane(ws_, tabulka_->Vyber());
    Zaneprazdneni(false);
    PoZmeneMereni();
    tabulka_->NastavitAktualni(tabulka_->Vyber().aktualni);
}

void HlavniOkno::PrikazVlozit() {
    Zaneprazdneni(true);
    const bool vlozeno = VlozitSchranku(ws_, tabulka_->Vyber());
    Zaneprazdneni(false);
    PoZmeneMereni();
    if (vlozeno && tabulka_->Vyber().Pocet() == 0)
        tabulka_->NastavitAktualni(tabulka_->Vyber().aktualni);
}

void HlavniOkno::PrikazPosunout(bool nahoru) {
    Zaneprazdneni(true);
    const bool posunuto = PosunoutVybrany(ws_, tabulka_->Vyber(), nahoru);
    Zaneprazdneni(false);
    PoZmeneMereni();
    if (posunuto) tabulka_->NastavitAktualni(tabulka_->Vyber().aktualni);
}

void HlavniOkno::PrikazNajitChybne() {
    const int32_t radek = NajitChybny(ws_.suroveMereni, tabulka_->AktualniRadek());
    if (radek >= 0) tabulka_->NastavitAktualni(radek);
}

void HlavniOkno::PrikazNajit(bool dopredu) {
    const int32_t radek = NajitDleVzoru(ws_.suroveMereni, vzorHledani, ws_.nastaveni,
                                        tabulka_->AktualniRadek(), dopredu);
    if (radek >= 0) tabulka_->NastavitAktualni(radek);
}

void HlavniOkno::PrikazVybratDle(VyberDle pravidlo) {
    VybratDle(ws_.suroveMereni, tabulka_->Vyber(), pravidlo);
    Obnovit();
}

void HlavniOkno::PrikazAnalyza() {
    if (Bezi()) return;
    SpustitNaPozadi(
        [this](Interaction& ui, const Cekani& cekani) { AnalyzaSuroveMereni(ws_, ui, cekani); },
        [] {});
}

void HlavniOkno::PrikazVyrovnani() {
    if (Bezi()) return;
    // Until the adjustment window exists the result is shown as the adjustment
    // report, built with the report switches of the settings.
    const auto ukazat = [this](const VysledekVyrovnani&) {
        if (!ProtokolVyrovnani(ws_, *interakce_).uspech) return;
        ZobrazitProtokol(
            Q(ws_.jazyk.protokol.protokol1) + " - " + Q(ws_.jazyk.tlacitko.vyrovaniSite),
            ws_.protokolVyrovnani.Radky());
    };
    // A current result is only shown again.
    if (ws_.info.jeVyrovnanaSit) {
        VysledekVyrovnani v;
        v.uspech = v.jenZobrazeni = true;
        ukazat(v);
        return;
    }
    auto vysledek = std::make_shared<VysledekVyrovnani>();
    SpustitNaPozadi(
        [this, vysledek](Interaction& ui, const Cekani& cekani) {
            *vysledek = VyrovnaniSite(ws_, ui, cekani);
        },
        [vysledek, ukazat] {
            if (vysledek->uspech) ukazat(*vysledek);
        });
}

void HlavniOkno::PrikazNastaveni(int ktere) {
    std::unique_ptr<NastaveniOkno> okno;
    switch (ktere) {
        case 0:
            okno = std::make_unique<NastaveniJednotkyOkno>(this, ws_);
            break;
        case 1:
            okno = std::make_unique<NastaveniKontrolaOkno>(this, ws_);
            break;
        case 2:
            okno = std::make_unique<NastaveniZrcadleniOkno>(this, ws_);
            break;
        case 3:
            okno = std::make_unique<NastaveniRedukceOkno>(this, ws_);
            break;
        case 4:
            okno = std::make_unique<NastaveniSitOkno>(this, ws_);
            break;
        case 5:
            okno = std::make_unique<NastaveniTransformaceOkno>(this, ws_);
            break;
        case 6:
            okno = std::make_unique<NastaveniVahOkno>(this, ws_);
            break;
        default:
            okno = std::make_unique<NastaveniProtokolOkno>(this, ws_);
            break;
    }
    if (okno->exec() != QDialog::Accepted) return;
    // Units change the captions and the widths of the table.
    if (ktere == 0) NastavitTexty();
    Obnovit();
}

}  // namespace vertano::ui
