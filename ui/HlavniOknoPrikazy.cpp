#include <QApplication>
#include <QClipboard>
#include <QUndoStack>
#include <memory>

#include "DesktopTexts.h"
#include "FormatBunek.h"
#include "HlavniOkno.h"
#include "NastaveniDialogy.h"
#include "OknaVysledku.h"
#include "OknoHledani.h"
#include "OknoPremisteni.h"
#include "OknoVyrovnani.h"
#include "OknoZaznamu.h"
#include "SeznamVstupu.h"
#include "StepOutcome.h"
#include "TabulkaSurovych.h"
#include "Texty.h"
#include "drawing/VolbyKresby.h"
#include "exchange/Format.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PrikazyBodu.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Protokoly.h"
#include "workspace/UpravyMereni.h"
#include "workspace/Vymena.h"
#include "workspace/VyrazeniMereni.h"
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
    // The format follows a known extension; otherwise the file type chosen. A
    // network of another program (the XML format of GNU Gama) brings its points
    // and supplementary measurements too.
    std::vector<SouborKNacteni> soubory;
    std::vector<std::filesystem::path> site;
    for (const std::filesystem::path& c : cesty) {
        if (exchange::FormatPodlePripony(c, exchange::Obsah::Sit)) {
            site.push_back(c);
            continue;
        }
        int podlePripony = RawFormatFromExtension(c);
        if (podlePripony < 0 && exchange::FormatPodlePripony(c, exchange::Obsah::SurovaMereni))
            podlePripony = exchange::kKodGsi;
        soubory.push_back(
            {c, podlePripony >= 0 ? podlePripony : ws_.nastaveni.souborVstup.typSuroveMereni});
    }
    for (const std::filesystem::path& c : site) ImportovatSitOkna(c);
    if (soubory.empty() || Bezi()) return;
    // Read on the worker, which only reads the workspace; what it prepared is
    // taken over here, unless the user cancelled. The callers go on after the
    // files are in, so the window waits for it while it keeps answering.
    auto pripravena = std::make_shared<PripravenaSurova>();
    SpustitNaPozadi(
        [this, soubory, pripravena](Interaction& ui, const Cekani&) {
            *pripravena = NacistSurovaMereni(ws_, soubory, ui);
        },
        [this, pripravena] { PoPridani(PrevzitSurovaMereni(ws_, std::move(*pripravena))); }, false);
    PockatNaKonec();
}

void HlavniOkno::PoPridani(const VysledekPridaniSurovych& v) {
    if (v.zruseno) {
        UkazatVysledek({TextyPlochy(ws_.nastaveni.typJazyk).filesCancelled, true});
        return;
    }
    // The edits before are not undone over rows of other files.
    if (v.registrovano > 0) zpet_->clear();
    PoZmeneMereni();
    // The file report of this addition, kept for the "Protocol" button.
    protokolSouboru_ = ws_.protokolPridatSoubor.Radky();
    QString chyby = Chyby(v.soubory);
    for (const LoadedRawFile& f : v.soubory)
        for (const std::string& p : f.poznamky)
            chyby += "\n" + Q(f.path.filename().string()) + ": " + Q(p);
    {
        const StepOutcome kontrola = OutcomeOfChecks(ws_);
        const QString pridano =
            TextyPlochy(ws_.nastaveni.typJazyk).filesAdded.arg(v.nacteno).arg(v.pocetMereni);
        const QString nadpis = Q(ws_.jazyk.nadpis.pridatSurovaMereni);
        UkazatVysledek({pridano + "; " + kontrola.text, kontrola.problem || !chyby.isEmpty()},
                       kontrola.problem ? std::function<void()>([this] { PrikazZkontrolovat(); })
                                        : std::function<void()>([this, nadpis] {
                                              ZobrazitProtokol(nadpis, protokolSouboru_);
                                          }));
    }
    if (!v.MaOznameni() && chyby.isEmpty()) return;
    const jazyk::Toznameni o = OznameniPridaniSurovych(ws_, v);
    const QString nadpis = Q(ws_.jazyk.nadpis.pridatSurovaMereni);
    Zprava(Q(o.nadpis), Q(o.text) + chyby,
           [this, nadpis] { ZobrazitProtokol(nadpis, protokolSouboru_); });
}

void HlavniOkno::ImportovatSitOkna(const std::filesystem::path& cesta) {
    Zaneprazdneni(true);
    const VysledekImportuSite v = ImportovatSit(ws_, cesta);
    Zaneprazdneni(false);
    zpet_->clear();
    PoZmeneMereni();
    protokolSouboru_ = ws_.protokolPridatSoubor.Radky();
    const Tjazyk& j = ws_.jazyk;
    QString text;
    if (v.vysledek.ok) {
        text = Q(j.hlaseni.poceZaznamu) + QString::number(v.pocetMereni) + "\n" +
               Q(j.hlaseni.pocetBodu) + QString::number(v.pocetBodu) + "\n" + Q(j.popis.doplnkove) +
               " " + Male(j.popis.mereni) + ": " + QString::number(v.pocetDoplnku);
    } else {
        text = Q(v.zprava);
    }
    for (const std::string& p : v.poznamky) text += "\n" + Q(p);
    const QString nadpis = Q(j.nadpis.pridatSurovaMereni);
    Zprava(nadpis, Q(cesta.filename().string()) + "\n" + text,
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
        dialogy_.Ulozit(this, DruhSouboru::Export, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    // The formats of other programs take the adjusted network.
    const std::string jmeno = AsciiLower(cesta.filename().string());
    const bool mereni = jmeno.size() > 8 && jmeno.ends_with(".obs.csv");
    if (const auto f = exchange::FormatPodlePripony(cesta, exchange::Obsah::Vysledky)) {
        exchange::VolbyExportu volby;
        volby.csvMereni = mereni;
        volby.meritkoElips = VolbyZNastaveni(ws_.nastaveni.grafika).zvetseni;
        const VysledekUlozeni u = ExportovatVysledky(ws_, *f, volby, cesta);
        if (u.uspech) return;
        const jazyk::Toznameni o = ws_.jazyk.Oznameni(kOznameniUlozeni);
        Zprava(Q(o.nadpis), Q(o.text) + "\n" + Q(u.chyba));
        return;
    }
    const RawSaveReport r = ExportSouboru(ws_.mereniVyrovnani, ws_.nastaveni, cesta);
    if (r.ok || r.cancelled) return;
    const jazyk::Toznameni o = ws_.jazyk.Oznameni(kOznameniUlozeni);
    Zprava(Q(o.nadpis), Q(o.text) + "\n" + Q(r.message));
}

void HlavniOkno::PrikazJazyk(uint8_t typJazyk) {
    ws_.NastavitJazyk(typJazyk);
    NastavitTexty();
    NastavitPrepinace();
    ObnovitOknoVyrovnani();
}

void HlavniOkno::PrikazSmazat() {
    const Tjazyk& j = ws_.jazyk;
    const int32_t pocet = tabulka_->Vyber().Pocet();
    if (pocet == 0) return;
    if (!Potvrzeni(Q(j.nadpis.varovani),
                   Q(j.hlaseni.opravduSmazatZaznam) + QString::number(pocet) + ")"))
        return;
    Zaneprazdneni(true);
    ZaznamenatUpravu(a_.smazat, [this] { SmazatVybrane(ws_, tabulka_->Vyber()); });
    Zaneprazdneni(false);
    PoZmeneMereni();
    tabulka_->NastavitAktualni(tabulka_->Vyber().aktualni);
}

void HlavniOkno::PrikazVyradit(const bool vyradit) {
    const Tvyber& vyber = tabulka_->Vyber();
    std::vector<int32_t> radky;
    for (std::size_t i = 0; i < vyber.hromadny.size(); ++i) {
        if (vyber.hromadny[i]) radky.push_back(static_cast<int32_t>(i));
    }
    if (NastavitVyrazeniRadku(ws_, radky, vyradit) > 0) PoZmeneMereni();
}

void HlavniOkno::PrikazKopirovat() {
    const std::string text = KopirovatVybrane(ws_, tabulka_->Vyber());
    if (!text.empty()) QApplication::clipboard()->setText(Q(text));
    AktualizovatMenu();
}

void HlavniOkno::PrikazVyjmout() {
    Zaneprazdneni(true);
    ZaznamenatUpravu(a_.vyjmout, [this] { VyjmoutVybrane(ws_, tabulka_->Vyber()); });
    Zaneprazdneni(false);
    PoZmeneMereni();
    tabulka_->NastavitAktualni(tabulka_->Vyber().aktualni);
}

void HlavniOkno::PrikazVlozit() {
    Zaneprazdneni(true);
    bool vlozeno = false;
    ZaznamenatUpravu(a_.vlozit, [&] { vlozeno = VlozitSchranku(ws_, tabulka_->Vyber()); });
    Zaneprazdneni(false);
    PoZmeneMereni();
    if (vlozeno && tabulka_->Vyber().Pocet() == 0)
        tabulka_->NastavitAktualni(tabulka_->Vyber().aktualni);
}

void HlavniOkno::PrikazPosunout(bool nahoru) {
    Zaneprazdneni(true);
    bool posunuto = false;
    ZaznamenatUpravu(nahoru ? a_.posunNahoru : a_.posunDolu,
                     [&] { posunuto = PosunoutVybrany(ws_, tabulka_->Vyber(), nahoru); });
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

std::function<void()> HlavniOkno::DetailZpravy(const QString& nadpis, const QString& text) {
    if (text.isEmpty()) return {};
    return [this, nadpis, text] { Zprava(nadpis, text); };
}

void HlavniOkno::PrikazAnalyza() {
    if (Bezi()) return;
    auto vysledek = std::make_shared<VysledekAnalyzy>();
    SpustitNaPozadi(
        [this, vysledek](Interaction& ui, const Cekani& cekani) {
            *vysledek = AnalyzaSuroveMereni(ws_, ui, cekani);
        },
        [this, vysledek] {
            // The analysis shows no window of its own: the status bar says what it did.
            if (vysledek->uspech) {
                UkazatVysledek(OutcomeOfAnalysis(ws_, *vysledek), [this] {
                    if (ws_.state.Current(Step::Analysis))
                        Ukazat(OknoPribliznychSouradnic(this, ws_));
                });
                return;
            }
            QString text =
                vysledek->oznameni > 0 ? Q(ws_.jazyk.Oznameni(vysledek->oznameni).text) : QString();
            if (!vysledek->druhyRadek.empty()) text += "\n" + Q(vysledek->druhyRadek);
            QStringList neurcene;
            for (const std::string& b : vysledek->priblizne.neurcene) neurcene << Q(b);
            if (!neurcene.isEmpty()) text += "\n" + neurcene.join(", ");
            UkazatVysledek(OutcomeOfAnalysis(ws_, *vysledek),
                           DetailZpravy(Q(ws_.jazyk.tlacitko.analyzaMereni), text.trimmed()));
        });
}

void HlavniOkno::PrikazVyrovnani() {
    if (Bezi()) return;
    // A current result is only shown again.
    if (ws_.state.Current(Step::Adjustment)) {
        OtevritOknoVyrovnani();
        return;
    }
    auto vysledek = std::make_shared<VysledekVyrovnani>();
    SpustitNaPozadi(
        [this, vysledek](Interaction& ui, const Cekani& cekani) {
            *vysledek = VyrovnaniSite(ws_, ui, cekani);
        },
        [this, vysledek] {
            if (vysledek->uspech) {
                UkazatVysledek(OutcomeOfAdjustment(ws_, *vysledek), [this] {
                    if (!ws_.state.Current(Step::Adjustment)) return;
                    OtevritOknoVyrovnani();
                    if (Vyrovnani() != nullptr) Vyrovnani()->PrikazInformace();
                });
                OtevritOknoVyrovnani();
                return;
            }
            QString text =
                vysledek->oznameni > 0 ? Q(ws_.jazyk.Oznameni(vysledek->oznameni).text) : QString();
            if (!vysledek->druhyRadek.empty()) text += "\n" + Q(vysledek->druhyRadek);
            if (!vysledek->chyba.empty()) text += "\n" + Q(vysledek->chyba);
            UkazatVysledek(OutcomeOfAdjustment(ws_, *vysledek),
                           DetailZpravy(Q(ws_.jazyk.tlacitko.vyrovnaniSite), text.trimmed()));
        });
}

void HlavniOkno::OtevritOknoVyrovnani() {
    if (oknoVyrovnani_ != nullptr) {
        oknoVyrovnani_->raise();
        oknoVyrovnani_->activateWindow();
        return;
    }
    auto* okno = new OknoVyrovnani(this, ws_, dialogy_, *interakce_);
    okno->setAttribute(Qt::WA_DeleteOnClose);
    okno->otevritSeznam = [this, okno](std::unique_ptr<SeznamVstupu> seznam) {
        OknoVstupu vstup(okno, ws_, dialogy_, vzorySeznamu, std::move(seznam));
        dialogy_.Ukazat(vstup);
        okno->PoZmeneIdentickych();
        // The main window's menus follow what the list changed.
        Obnovit();
    };
    // Closing it gives the raw table the focus again.
    connect(okno, &QDialog::finished, this, [this] { tabulka_->setFocus(); });
    oknoVyrovnani_ = okno;
    dialogy_.UkazatVedle(*okno);
}

void HlavniOkno::ZavritOknoVyrovnani() {
    // Forgotten before it closes: it is deleted only when the events are next
    // processed, and a new one may be opened before that.
    OknoVyrovnani* okno = oknoVyrovnani_;
    oknoVyrovnani_ = nullptr;
    if (okno != nullptr) okno->close();
}

void HlavniOkno::ObnovitOknoVyrovnani() {
    if (oknoVyrovnani_ == nullptr) return;
    ZavritOknoVyrovnani();
    if (ws_.state.Current(Step::Adjustment)) OtevritOknoVyrovnani();
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
    if (ktere == 0) ObnovitOknoVyrovnani();
}

namespace {

// The fields of the raw-record window in a mode, with the values it opens with.
std::vector<PoleZaznamu> PoleSurovych(const Workspace& ws, const Tvyber& vyber, int rezim) {
    const jazyk::Tpopis& p = ws.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws.jazyk.popisJednotky;
    const Tnastaveni& n = ws.nastaveni;
    const Tmereni& m = ws.suroveMereni;
    const QString delka = Q(u.delka_hodnota);
    const QString uhel = Q(u.smer_hodnota);
    const QString prazdne;
    std::vector<PoleZaznamu> pole = {{Q(p.poradi), prazdne, DruhPole::Cele, true, prazdne},
                                     {Q(p.cisloSTN), prazdne, DruhPole::Jmeno, rezim == 2, prazdne},
                                     {Q(p.vyskaSTN), delka, DruhPole::Cislo, rezim == 2, prazdne},
                                     {Q(p.cisloCIL), prazdne, DruhPole::Jmeno, false, prazdne},
                                     {Q(p.vyskaCIL), delka, DruhPole::Cislo, false, prazdne},
                                     {Q(p.smer), uhel, DruhPole::Mereni, false, prazdne},
                                     {Q(p.zenit), uhel, DruhPole::Zenit, false, prazdne},
                                     {Q(p.delka), delka, DruhPole::Mereni, false, prazdne}};
    const auto text = [&n](const Tzaznam& z, int s) { return Q(TextBunky(z, s, n)); };
    if (rezim == 1) {
        pole[0].hodnota = QString::number(m.PosledniPoradi() + 1);
        return pole;
    }
    // The station of the selected rows, when they share one.
    const Tzaznam* stanovisko = nullptr;
    bool jedno = true;
    for (std::size_t i = 0; i < m.zaznam.size() && i < vyber.hromadny.size(); ++i) {
        if (!vyber.hromadny[i] || !m.zaznam[i].JePlny()) continue;
        if (stanovisko == nullptr) {
            stanovisko = &m.zaznam[i];
        } else if (m.zaznam[i].poradi != stanovisko->poradi) {
            jedno = false;
        }
    }
    if (stanovisko == nullptr || (rezim == 3 && !jedno)) return pole;
    for (const int s : {sloupec::kPoradi, sloupec::kCisloStn, sloupec::kVyskaStn})
        pole[static_cast<std::size_t>(s)].hodnota = text(*stanovisko, s);
    if (rezim == 3 && vyber.Pocet() == 1) {
        for (int s = sloupec::kCisloCil; s < sloupec::kPocet; ++s)
            pole[static_cast<std::size_t>(s)].hodnota = text(*stanovisko, s);
    }
    return pole;
}

HodnotyMereni HodnotySurovych(const std::vector<QString>& h, const Tnastaveni& n) {
    HodnotyMereni v;
    v.cisloStn = JmenoZTextu(h[1]);
    v.vyskaStn = DelkaZTextu(h[2], n);
    v.cisloCil = JmenoZTextu(h[3]);
    v.vyskaCil = DelkaZTextu(h[4], n);
    v.smer = UhelZTextu(h[5], n);
    v.zenit = UhelZTextu(h[6], n);
    v.delka = DelkaZTextu(h[7], n);
    v.bezSmeru = JeNemerenoPole(S(h[5]), false);
    v.bezZenitu = JeNemerenoPole(S(h[6]), true);
    v.zenitDruhaPoloha = S(h[6]).find("-II") != std::string::npos;
    if (JeNemerenoPole(S(h[7]), false)) v.delka = 0;
    return v;
}

}  // namespace

void HlavniOkno::PrikazZaznam(int rezim) {
    Tvyber& vyber = tabulka_->Vyber();
    if (rezim == 2 && vyber.Jediny() < 0) return;
    if (rezim == 3 && vyber.Pocet() == 0) return;
    const Tjazyk& j = ws_.jazyk;
    const jazyk::Ttlacitko& t = j.tlacitko;
    const QString nadpis = Q(rezim == 1   ? j.nadpis.vlozitStanovisko
                             : rezim == 2 ? j.nadpis.vlozitMereni
                                          : j.nadpis.upravitMereni);
    const OknoZaznamu::Texty texty{Q(t.ukoncit), Q(t.vycistit), Q(t.vlozit), Q(t.ukocitAVlozit)};
    OknoZaznamu okno(this, nadpis, texty, PoleSurovych(ws_, vyber, rezim), rezim == 3);
    okno.vlozit = [this, rezim](const std::vector<QString>& h) {
        Tvyber& v = tabulka_->Vyber();
        const HodnotyMereni hodnoty = HodnotySurovych(h, ws_.nastaveni);
        Zaneprazdneni(true);
        bool ok = false;
        const QAction* prikaz = rezim == 1   ? a_.noveStanovisko
                                : rezim == 2 ? a_.noveMereni
                                             : a_.upravit;
        ZaznamenatUpravu(prikaz, [&] {
            switch (rezim) {
                case 1:
                    ok = VlozitStanovisko(ws_, hodnoty);
                    break;
                case 2:
                    ok = VlozitMereni(ws_, v, hodnoty);
                    break;
                default:
                    ok = UpravitMereni(ws_, v, hodnoty);
                    break;
            }
        });
        Zaneprazdneni(false);
        PoZmeneMereni();
        if (ok && rezim == 1) {
            // The new station is the last full row.
            const std::vector<Tzaznam>& z = ws_.suroveMereni.zaznam;
            int posledni = static_cast<int>(z.size()) - 1;
            while (posledni >= 0 && !z[static_cast<std::size_t>(posledni)].JePlny()) --posledni;
            tabulka_->NastavitAktualni(posledni);
        }
        return ok;
    };
    okno.naplnit = [this, rezim] {
        std::vector<QString> h;
        for (const PoleZaznamu& p : PoleSurovych(ws_, tabulka_->Vyber(), rezim))
            h.push_back(p.hodnota);
        return h;
    };
    dialogy_.Ukazat(okno);
    Obnovit();
}

void HlavniOkno::PrikazHledat(bool vyber) {
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    VzorHledani& vzor = vyber ? vzorVyberu : vzorHledani;
    VzorAtributu atributy = ZeVzoruHledani(vzor);
    const QString nadpis = vyber ? Q(t.vyber) + " " + Male(t.dleAtributu)
                                 : Q(t.najit) + " " + Male(ws_.jazyk.popis.mereni);
    OknoHledani okno(this, nadpis, vyber ? Q(t.vybrat) : Q(t.najit), Q(t.ukoncit),
                     AtributySurovych(ws_.jazyk), atributy);
    const bool potvrzeno = dialogy_.Ukazat(okno) == QDialog::Accepted;
    vzor = DoVzoruHledani(atributy);
    if (!potvrzeno) return;
    const Tmereni& m = ws_.suroveMereni;
    if (vyber) {
        Tvyber& v = tabulka_->Vyber();
        if (VybratDleVzoru(m, vzor, ws_.nastaveni, v) > 0) tabulka_->NastavitAktualni(v.Prvni());
        Obnovit();
        return;
    }
    // From the row after the current one to the end, then from the first row.
    int32_t radek = NajitDleVzoru(m, vzor, ws_.nastaveni, tabulka_->AktualniRadek(), true);
    if (radek < 0) radek = NajitDleVzoru(m, vzor, ws_.nastaveni, -1, true);
    if (radek >= 0) tabulka_->NastavitAktualni(radek);
}

void HlavniOkno::PrikazPremistit() {
    Tvyber& v = tabulka_->Vyber();
    if (v.Pocet() == 0) return;
    const Tjazyk& j = ws_.jazyk;
    OknoPremisteni okno(this, Q(j.nadpis.presunoutMereni), Q(j.hlaseni.presunVybranychZaznamu),
                        Q(j.tlacitko.presun), Q(j.tlacitko.ukoncit),
                        PocetCiluPremisteni(ws_.suroveMereni));
    if (dialogy_.Ukazat(okno) != QDialog::Accepted || okno.Poradi() <= 0) return;
    Zaneprazdneni(true);
    bool ok = false;
    ZaznamenatUpravu(a_.premistit, [&] { ok = PremistitVybrane(ws_, v, okno.Poradi()); });
    Zaneprazdneni(false);
    PoZmeneMereni();
    if (ok) tabulka_->NastavitAktualni(v.aktualni);
}

void HlavniOkno::OtevritSeznam(std::unique_ptr<SeznamVstupu> seznam) {
    OknoVstupu okno(this, ws_, dialogy_, vzorySeznamu, std::move(seznam));
    dialogy_.Ukazat(okno);
    // The one-face list writes into the prepared measurements; the points may
    // have changed what the menus allow.
    Obnovit();
    tabulka_->setFocus();
}

void HlavniOkno::Ukazat(std::unique_ptr<OknoSeznamu> okno) {
    okno->NastavitDialogy(&dialogy_);
    dialogy_.Ukazat(*okno);
    tabulka_->setFocus();
}

}  // namespace vertano::ui
