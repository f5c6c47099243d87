#include "OknoVyrovnani.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

#include "DesktopTexts.h"
#include "Dialogy.h"
#include "OknaTransformace.h"
#include "OknaVysledku.h"
#include "OknoInformace.h"
#include "OknoKresby.h"
#include "OknoMatice.h"
#include "PraceNaPozadi.h"
#include "PruhPrace.h"
#include "Texty.h"
#include "adjustment/OdlehleDruhy.h"
#include "adjustment/VysledekSite.h"
#include "reports/ProtokolVyrovnani.h"
#include "workspace/Protokoly.h"
#include "workspace/Transformace.h"
#include "workspace/VystupySite.h"
#include "workspace/Workspace.h"
#include "workspace/ZobrazeniVyrovnani.h"

namespace vertano::ui {

namespace {

// The kinds in the order of the menus: direction, zenith angle, distance, then
// the supplementary kinds.
constexpr Velicina kPoradiMenu[7] = {Velicina::Smer,
                                     Velicina::Zenit,
                                     Velicina::Delka,
                                     Velicina::DoplnekDelka,
                                     Velicina::DoplnekSmernik,
                                     Velicina::DoplnekPrevyseni,
                                     Velicina::DoplnekProvazeni};

bool MaPlny(const TvektorMereni& v) {
    for (const TmerenaVelicina& z : v.zaznam) {
        if (z.jePlny) return true;
    }
    return false;
}

}  // namespace

OknoVyrovnani::OknoVyrovnani(QWidget* rodic, Workspace& ws, Dialogy& dialogy,
                             Interaction& interakce)
    : OknoSeznamu(
          rodic, ws,
          Q(ws.jazyk.tlacitko.vyrovnaniSite) + " - " + Q(ws.jazyk.nadpis.vyrovnaneSouradniceBodu)),
      dialogy_(dialogy),
      interakce_(interakce) {
    NastavitDialogy(&dialogy_);
    setObjectName("oknoVyrovnani");
    const VysledekSite m = ws_.modelVyrovnany.Vysledek();
    std::vector<Tbod> body;
    auto cisla = std::make_shared<std::vector<std::string>>();
    for (const Tbod& b : m.Souradnice().bod) {
        if (!b.JePlny) continue;
        body.push_back(b);
        cisla->push_back(b.cislo);
    }
    // The table of the coordinate windows, with this window's own status.
    std::unique_ptr<OknoSeznamu> vzor =
        OknoBodu(nullptr, ws_, QString(), std::move(body), DruhSouradnic::Hodnoty);
    const ModelSeznamu& model = vzor->Model();
    std::vector<SloupecSeznamu> sloupce = model.Sloupce();
    const int pocet = model.PocetZaznamu();
    Naplnit({[pocet] { return pocet; },
             {},
             {},
             {},
             [cisla](int i) {
                 return std::vector<std::string>{(*cisla)[static_cast<std::size_t>(i)]};
             }},
            std::move(sloupce));
    const auto tretina = [](int32_t n) { return QString::number(n > 0 ? n / 3 : 0); };
    stavPocty_ = " " + tretina(m.PocetSouradnic()) + " (" + tretina(m.PocetSouradnicUrcovanych()) +
                 ", " + tretina(m.PocetSouradnicFixnich()) + ")";
    NastavitStav(stavPocty_);
    VytvoritMenu();
    VytvoritPruh();
    AktualizovatMenu();
    PropojitSKresbou(*this);
}

void OknoVyrovnani::VytvoritMenu() {
    const Tjazyk& j = ws_.jazyk;
    const jazyk::Ttlacitko& t = j.tlacitko;
    const jazyk::Tpopis& p = j.popis;
    const auto menu = [this](const QString& nazev) {
        menu_.push_back(PridatMenu(nazev, [this] { AktualizovatMenu(); }));
        return menu_.back();
    };

    QMenu* m = menu(Q(t.sit));
    a_.informace = PridatAkci(m, Q(t.informace), [this] { PrikazInformace(); });
    a_.kresba = PridatAkci(m, Q(t.kresba), [this] { OtevritKresbu(); });
    a_.protokol = PridatAkci(m, Q(j.protokol.protokol1), [this] { PrikazProtokol(); });
    a_.ulozitEtapu =
        PridatAkci(m, Q(t.ulozit) + " " + Q(t.jako) + " ...", [this] { PrikazUlozitEtapu(); });
    m->addSeparator();
    a_.zavrit = PridatAkci(m, Q(t.ukoncit), [this] { reject(); });

    m = menu(Q(p.souradnice));
    a_.odchylkyApriori = PridatAkci(m, Q(t.smerOdchylkyAprior),
                                    [this] { Ukazat(OknoOdchylekSouradnic(this, ws_, true)); });
    a_.odchylkyAposteriori = PridatAkci(m, Q(t.smerOdchylkyAposterior), [this] {
        Ukazat(OknoOdchylekSouradnic(this, ws_, false));
    });
    m->addSeparator();
    a_.elipsoidyApriori = PridatAkci(m, Q(t.elipsoidAprior),
                                     [this] { Ukazat(OknoElipsoiduVyrovnani(this, ws_, true)); });
    a_.elipsoidyAposteriori = PridatAkci(
        m, Q(t.elipsoidAposterior), [this] { Ukazat(OknoElipsoiduVyrovnani(this, ws_, false)); });
    m->addSeparator();
    a_.prirustky = PridatAkci(m, Q(t.prirustkySour), [this] { Ukazat(OknoPrirustku(this, ws_)); });
    a_.matice = PridatAkci(m, Q(t.kovariancniMatice), [this] { PrikazMatice(); });

    m = menu(Q(p.mereni));
    for (const bool apriori : {true, false}) {
        QMenu* pod = m->addMenu(Q(apriori ? t.presnostApriori : t.presnostAposteriori));
        connect(pod, &QMenu::aboutToShow, this, &OknoVyrovnani::AktualizovatMenu);
        QAction** cil = apriori ? a_.apriori : a_.aposteriori;
        for (int k = 0; k < 7; ++k) {
            const Velicina typ = kPoradiMenu[k];
            if (k == 3) {
                cil[7] = PridatAkci(pod, Q(p.orientPosun),
                                    [this, apriori] { Ukazat(OknoPosunu(this, ws_, apriori)); });
                pod->addSeparator();
            }
            cil[IndexVeliciny(typ)] = PridatAkci(pod, NazevDruhu(ws_, typ), [this, typ, apriori] {
                Ukazat(OknoVyrovnanychMereni(this, ws_, typ, apriori));
            });
        }
    }

    m = menu(Q(t.odlehleHodnoty));
    for (int k = 0; k < 7; ++k) {
        const Velicina typ = kPoradiMenu[k];
        if (k == 3) m->addSeparator();
        a_.odlehle[IndexVeliciny(typ)] = PridatAkci(
            m, NazevDruhu(ws_, typ), [this, typ] { Ukazat(OknoOdlehlych(this, ws_, typ)); });
    }

    m = menu(Q(t.transformace));
    a_.analyzaTransformace =
        PridatAkci(m, Q(t.analyzaTransformace), [this] { PrikazAnalyzaTransformace(); });
    m->addSeparator();
    a_.vystupniSystem = PridatAkci(m, Q(t.vystupniSystem1), [this] {
        if (otevritSeznam) otevritSeznam(SeznamVstupuBodu(ws_, SeznamBodu::Identicke));
    });
    a_.identickeBody = PridatAkci(m, Q(t.identickeBody), [this] {
        if (identicke_ != nullptr) identicke_->close();
        std::unique_ptr<OknoSeznamu> okno = OknoIdentickychBodu(this, ws_);
        identicke_ = okno.get();
        Ukazat(std::move(okno));
    });
    a_.presnostIdentickych =
        PridatAkci(m, Q(t.upravit) + " " + Male(t.presnostApriori) + " ...", [this] {
            if (otevritSeznam) otevritSeznam(SeznamVstupuOdchylekBodu(ws_));
        });
    m->addSeparator();
    a_.bodASmernik = PridatAkci(m, Q(t.bodASmernik), [this] { PrikazTransformace(true); });
    a_.sVyrovnanim =
        PridatAkci(m, Q(t.transformaceSVyrovnanim), [this] { PrikazTransformace(false); });
}

void OknoVyrovnani::AktualizovatMenu() {
    const VysledekSite m = ws_.modelVyrovnany.Vysledek();
    const VysledekSite o = ws_.modelOdlehly.Vysledek();
    const bool vyrovnano = ws_.state.Current(Step::Adjustment);
    for (int k = 0; k < 7; ++k) {
        const Velicina typ = kPoradiMenu[k];
        // Directions and zenith angles are in every network; the other kinds
        // only where the model holds one.
        const bool ma = vyrovnano && (typ == Velicina::Smer || typ == Velicina::Zenit ||
                                      MaPlny(druhy::Vektor(m, typ)));
        a_.apriori[IndexVeliciny(typ)]->setEnabled(ma);
        a_.aposteriori[IndexVeliciny(typ)]->setEnabled(ma);
        bool odlehle = vyrovnano && druhy::Vylucovat(ws_.nastaveni, typ);
        if (typ != Velicina::Smer && typ != Velicina::Zenit)
            odlehle = odlehle && MaPlny(druhy::Vektor(o, typ));
        a_.odlehle[IndexVeliciny(typ)]->setEnabled(odlehle);
    }
    a_.apriori[7]->setEnabled(vyrovnano);
    a_.aposteriori[7]->setEnabled(vyrovnano);
    a_.kresba->setEnabled(vyrovnano);
    a_.ulozitEtapu->setEnabled(vyrovnano);
    const bool analyza = vyrovnano && ws_.state.Current(Step::TransformationAnalysis);
    a_.analyzaTransformace->setEnabled(vyrovnano &&
                                       !ws_.state.Current(Step::TransformationAnalysis));
    a_.vystupniSystem->setEnabled(static_cast<bool>(otevritSeznam));
    a_.presnostIdentickych->setEnabled(analyza && static_cast<bool>(otevritSeznam));
    for (QAction* a : {a_.identickeBody, a_.bodASmernik, a_.sVyrovnanim}) a->setEnabled(analyza);
}

void OknoVyrovnani::PrikazAnalyzaTransformace() {
    Zaneprazdneni(true);
    AnalyzaTransformace(ws_, interakce_);
    Zaneprazdneni(false);
    AktualizovatMenu();
}

void OknoVyrovnani::PrikazTransformace(bool bodASmernik) {
    // The drawing would show the network of before.
    ZavritKresbu();
    Zaneprazdneni(true);
    const VysledekTransformace v = bodASmernik ? TransformaceBodASmernik(ws_, interakce_)
                                               : TransformaceSVyrovnanim(ws_, interakce_);
    Zaneprazdneni(false);
    AktualizovatMenu();
    if (!v.uspech) return;
    OknoTransformace okno(this, ws_, dialogy_, interakce_, bodASmernik);
    dialogy_.Ukazat(okno);
}

void OknoVyrovnani::PoZmeneIdentickych() {
    if (identicke_ != nullptr && !ws_.state.Current(Step::TransformationAnalysis))
        identicke_->close();
    AktualizovatMenu();
}

void OknoVyrovnani::Ukazat(std::unique_ptr<OknoSeznamu> okno) {
    PropojitSKresbou(*okno);
    okno->NastavitDialogy(&dialogy_);
    UkazatVedle(okno.release());
}

void OknoVyrovnani::PropojitSKresbou(OknoSeznamu& okno) {
    connect(&okno, &OknoSeznamu::vyberMapy, this, [this](const VyberMapy& vyber) {
        if (kresba_ != nullptr) kresba_->ZvyraznitVyber(vyber);
    });
}

void OknoVyrovnani::UkazatVedle(QDialog* okno) {
    okno->setAttribute(Qt::WA_DeleteOnClose);
    dialogy_.UkazatVedle(*okno);
}

void OknoVyrovnani::PrikazInformace() {
    const Tjazyk& j = ws_.jazyk;
    UkazatVedle(
        new OknoInformace(this, Q(j.nadpis.zakladniInfoOvyrovnani), Q(j.tlacitko.kopirovat),
                          InfoVyrovnani(j, ws_.nastaveni, ws_.modelOdlehly, ws_.modelVyrovnany)));
}

void OknoVyrovnani::PrikazProtokol() {
    // The report is written only while it is not current.
    Zaneprazdneni(true);
    const VysledekProtokolu v = ProtokolVyrovnani(ws_, interakce_);
    Zaneprazdneni(false);
    if (!v.uspech) return;
    dialogy_.Protokol(this, ws_,
                      Q(ws_.jazyk.protokol.protokol1) + " - " + Q(ws_.jazyk.tlacitko.vyrovnaniSite),
                      ws_.protokolVyrovnani.Radky());
}

void OknoVyrovnani::VytvoritPruh() {
    pruh_ = new PruhPrace(this);
    pruh_->NastavitTextZrusit(Q(ws_.jazyk.tlacitko.zrusit));
    pruh_->hide();
    sloupec_->addWidget(pruh_);
    prace_ = new PraceNaPozadi(
        this, *pruh_,
        {[this](const QString& n, const QString& t) { dialogy_.Zprava(this, n, t, {}); },
         [this](const QString& n, const QString& t) { return dialogy_.Potvrzeni(this, n, t); },
         {},
         {}});
}

void OknoVyrovnani::SpustitAPockat(const std::function<void(Interaction&)>& prace) {
    if (prace_->Bezi()) return;
    NastavitStav(stavPocty_);
    Menu()->setEnabled(false);
    Tabulka().setEnabled(false);
    pruh_->Zacit(" " + Q(ws_.jazyk.tlacitko.zpracovani) + " ...", true);
    pruh_->show();
    prace_->Spustit(prace, [this] {
        pruh_->hide();
        Menu()->setEnabled(true);
        Tabulka().setEnabled(true);
    });
    prace_->Pockat();
}

void OknoVyrovnani::OznamitZruseni(const QString& text) {
    NastavitStav(stavPocty_ + "   " + text);
}

void OknoVyrovnani::PrikazMatice() {
    TmodelSite& m = ws_.modelVyrovnany;
    const int32_t n = RozmerMaticeVah(m);
    if (n > kVelkaMaticeVah && !dialogy_.Potvrzeni(this, Q(ws_.jazyk.nadpis.varovani),
                                                   OtazkaVelkeMatice(ws_.nastaveni.typJazyk, n)))
        return;
    // Computed and turned into text on the worker: only the model is read, and
    // its text kept there once it is complete.
    bool zruseno = false;
    QString text;
    SpustitAPockat([&](Interaction& ui) { text = Q(MaticeVahText(m, ui, zruseno)); });
    // Closed meanwhile: its matrix window would go with it.
    if (zavreno_) return;
    if (zruseno) {
        OznamitZruseni(TextyPlochy(ws_.nastaveni.typJazyk).matrixCancelled);
        return;
    }
    UkazatVedle(new OknoMatice(this, Q(ws_.jazyk.nadpis.kovariancniMaticeVyrSour), text, n));
}

void OknoVyrovnani::PrikazUlozitEtapu() {
    const std::filesystem::path cesta =
        dialogy_.Ulozit(this, DruhSouboru::Etapa, ws_.nastaveni, ws_.jazyk);
    if (cesta.empty()) return;
    if (!PotvrditVelikostEtapy(dialogy_, this, ws_, DruhVysledku::Vyrovnani)) return;
    VysledekUlozeni v;
    SpustitAPockat(
        [&](Interaction& ui) { v = ZapsatEtapuSite(ws_, cesta, DruhVysledku::Vyrovnani, &ui); });
    if (v.zruseno) {
        OznamitZruseni(TextyPlochy(ws_.nastaveni.typJazyk).epochCancelled);
        return;
    }
    if (!v.uspech) OznamitChybuUlozeni(dialogy_, this, ws_, v.chyba);
}

void OknoVyrovnani::OtevritKresbu() {
    if (kresba_ == nullptr) {
        kresba_ = new OknoKresby(this, ws_, dialogy_, DruhVysledku::Vyrovnani);
        kresba_->setAttribute(Qt::WA_DeleteOnClose);
    }
    kresba_->show();
    kresba_->raise();
    kresba_->activateWindow();
}

void OknoVyrovnani::ZavritKresbu() {
    if (kresba_ != nullptr) kresba_->close();
}

void OknoVyrovnani::done(int vysledek) {
    // A command of its own reads the network: it stops before the window goes.
    zavreno_ = true;
    if (prace_->Bezi()) {
        prace_->Zastavit();
        prace_->Pockat();
    }
    // The windows of its results go with it, at once: they must not outlive the
    // network they show while the main window recomputes it.
    ZavritKresbu();
    for (QDialog* okno : findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (okno->isWindow() && okno->testAttribute(Qt::WA_DeleteOnClose)) okno->close();
    }
    OknoSeznamu::done(vysledek);
}

}  // namespace vertano::ui
