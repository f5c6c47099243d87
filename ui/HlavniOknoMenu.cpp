#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "HlavniOkno.h"
#include "OknaAnalyzy.h"
#include "OknaVysledku.h"
#include "TabulkaSurovych.h"
#include "Texty.h"
#include "mereni/Velicina.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Workspace.h"

namespace vertano::ui {

namespace {

// Menus, in order, and the submenus of the items that have one.
enum Menu { kHlavni, kMereni, kVyber, kIdentifikace, kKontrola, kDoplnek, kVyrovnani };
enum Podmenu { kNastaveni, kJazyk, kNovy, kPosun, kPredVyrovnanim, kRozdilBodu, kVnitrni, kVnejsi };

// The supplementary kinds in the order of the menus: distance, bearing,
// height difference, plumbing.
constexpr DruhDoplnku kDruhyDoplnku[4] = {DruhDoplnku::Delka, DruhDoplnku::Smernik,
                                          DruhDoplnku::Prevyseni, DruhDoplnku::Provazeni};

QString Zavorky(const QString& text, const QString& uvnitr) {
    return text + " (" + uvnitr + ")";
}

}  // namespace

void HlavniOkno::VytvoritMenu() {
    for (int i = 0; i <= kVyrovnani; ++i) {
        QMenu* m = menuBar()->addMenu(QString());
        connect(m, &QMenu::aboutToShow, this, &HlavniOkno::AktualizovatMenu);
        menu_.push_back(m);
    }
    const auto akce = [this](QMenu* m, const QKeySequence& klavesa, auto&& prikaz) {
        QAction* a = m->addAction(QString());
        if (!klavesa.isEmpty()) a->setShortcut(klavesa);
        connect(a, &QAction::triggered, this, prikaz);
        return a;
    };
    const auto podmenu = [this](QMenu* m) {
        QMenu* p = m->addMenu(QString());
        podmenu_.push_back(p);
        return p;
    };
    const QKeySequence zadna;

    // Main
    QMenu* m = menu_[kHlavni];
    a_.pridat = akce(m, zadna, [this] { PrikazPridat(); });
    a_.ulozitJako = akce(m, zadna, [this] { PrikazUlozitJako(); });
    a_.exportovat = akce(m, zadna, [this] { PrikazExportovat(); });
    m->addSeparator();
    a_.otevritProjekt = akce(m, zadna, [this] { PrikazOtevritProjekt(); });
    a_.ulozitProjekt = akce(m, zadna, [this] { PrikazUlozitProjekt(); });
    m->addSeparator();
    QMenu* nastaveni = podmenu(m);
    QMenu* jazyk = podmenu(nastaveni);
    auto* jazyky = new QActionGroup(this);
    a_.jazykCZ = akce(jazyk, zadna, [this] { PrikazJazyk(0); });
    a_.jazykEN = akce(jazyk, zadna, [this] { PrikazJazyk(1); });
    for (QAction* a : {a_.jazykCZ, a_.jazykEN}) {
        a->setCheckable(true);
        jazyky->addAction(a);
    }
    a_.jednotky =
        akce(nastaveni, QKeySequence(Qt::CTRL | Qt::Key_U), [this] { PrikazNastaveni(0); });
    a_.kontrola =
        akce(nastaveni, QKeySequence(Qt::CTRL | Qt::Key_L), [this] { PrikazNastaveni(1); });
    a_.zrcadleni = akce(nastaveni, zadna, [this] { PrikazNastaveni(2); });
    a_.redukce = akce(nastaveni, zadna, [this] { PrikazNastaveni(3); });
    a_.sit = akce(nastaveni, QKeySequence(Qt::CTRL | Qt::Key_T), [this] { PrikazNastaveni(4); });
    a_.transformace =
        akce(nastaveni, QKeySequence(Qt::CTRL | Qt::Key_O), [this] { PrikazNastaveni(5); });
    a_.protokol = akce(nastaveni, zadna, [this] { PrikazNastaveni(7); });
    m->addSeparator();
    a_.zavrit = akce(m, zadna, [this] { close(); });

    // Measurements
    m = menu_[kMereni];
    QMenu* novy = podmenu(m);
    a_.noveMereni = akce(novy, QKeySequence(Qt::Key_Insert), [this] { PrikazZaznam(2); });
    a_.noveStanovisko =
        akce(novy, QKeySequence(Qt::CTRL | Qt::Key_Insert), [this] { PrikazZaznam(1); });
    a_.upravit = akce(m, QKeySequence(Qt::CTRL | Qt::Key_B), [this] { PrikazZaznam(3); });
    a_.smazat = akce(m, QKeySequence(Qt::Key_Delete), [this] { PrikazSmazat(); });
    a_.vyradit = akce(m, zadna, [this] { PrikazVyradit(true); });
    a_.zaradit = akce(m, zadna, [this] { PrikazVyradit(false); });
    m->addSeparator();
    a_.najit = akce(m, QKeySequence(Qt::CTRL | Qt::Key_F3), [this] { PrikazHledat(false); });
    a_.najitDalsi = akce(m, QKeySequence(Qt::Key_F3), [this] { PrikazNajit(true); });
    a_.najitPredchozi =
        akce(m, QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { PrikazNajit(false); });
    a_.najitChybne = akce(m, QKeySequence(Qt::Key_F2), [this] { PrikazNajitChybne(); });
    m->addSeparator();
    QMenu* posun = podmenu(m);
    a_.posunNahoru =
        akce(posun, QKeySequence(Qt::CTRL | Qt::Key_N), [this] { PrikazPosunout(true); });
    a_.posunDolu =
        akce(posun, QKeySequence(Qt::CTRL | Qt::Key_M), [this] { PrikazPosunout(false); });
    a_.premistit = akce(m, QKeySequence(Qt::CTRL | Qt::Key_R), [this] { PrikazPremistit(); });
    m->addSeparator();
    a_.kopirovat = akce(m, QKeySequence(Qt::CTRL | Qt::Key_C), [this] { PrikazKopirovat(); });
    a_.vyjmout = akce(m, QKeySequence(Qt::CTRL | Qt::Key_X), [this] { PrikazVyjmout(); });
    a_.vlozit = akce(m, QKeySequence(Qt::CTRL | Qt::Key_V), [this] { PrikazVlozit(); });

    // Selection
    m = menu_[kVyber];
    a_.vybratVse = akce(m, QKeySequence(Qt::CTRL | Qt::Key_A), [this] { tabulka_->VybratVse(); });
    a_.zrusitVyber =
        akce(m, QKeySequence(Qt::CTRL | Qt::Key_D), [this] { tabulka_->ZrusitVyber(); });
    m->addSeparator();
    const VyberDle pravidla[9] = {
        VyberDle::Stanovisko, VyberDle::StanoviskoPoradi, VyberDle::StanoviskoSkupina,
        VyberDle::Cil,        VyberDle::CilPoradi,        VyberDle::CilSkupina,
        VyberDle::CilPoloha,  VyberDle::StanoviskoCil,    VyberDle::StanoviskoCilOboje};
    for (int i = 0; i < 9; ++i) {
        const VyberDle pravidlo = pravidla[i];
        a_.vyberDle[i] =
            akce(m, QKeySequence(Qt::Key_F4 + i), [this, pravidlo] { PrikazVybratDle(pravidlo); });
        if (i == 2 || i == 6) m->addSeparator();
    }
    m->addSeparator();
    a_.dleAtributu = akce(m, zadna, [this] { PrikazHledat(true); });

    // Identification
    m = menu_[kIdentifikace];
    a_.zobrazPolohu = akce(m, QKeySequence(Qt::CTRL | Qt::Key_P), [this](bool zapnuto) {
        ws_.nastaveni.prepinac.zobrazPolohu = zapnuto;
        tabulka_->viewport()->update();
    });
    a_.zobrazSkupinu = akce(m, QKeySequence(Qt::CTRL | Qt::Key_S),
                            [this](bool zapnuto) { PrepnoutSkupiny(zapnuto); });
    a_.zobrazPolohu->setCheckable(true);
    a_.zobrazSkupinu->setCheckable(true);
    m->addSeparator();
    a_.zrcadlit = akce(m, zadna, [this] {
        Zaneprazdneni(true);
        ZaznamenatUpravu(a_.zrcadlit, [this] { ZrcadlitMereni(ws_, *interakce_); });
        Zaneprazdneni(false);
        PoZmeneMereni();
    });
    a_.najitSkupiny = akce(m, zadna, [this] {
        Zaneprazdneni(true);
        ZaznamenatUpravu(a_.najitSkupiny, [this] { NajitSkupiny(ws_, *interakce_); });
        Zaneprazdneni(false);
        PoZmeneMereni();
    });
    a_.seraditPolohy = akce(m, zadna, [this] {
        Zaneprazdneni(true);
        ZaznamenatUpravu(a_.seraditPolohy, [this] { SeraditPolohy(ws_, *interakce_); });
        Zaneprazdneni(false);
        PoZmeneMereni();
    });
    a_.smazatMimoSkupiny = akce(m, zadna, [this] {
        ZaznamenatUpravu(a_.smazatMimoSkupiny, [this] { SmazatMimoSkupiny(ws_, *interakce_); });
        tabulka_->Vyber().Zrusit();
        PoZmeneMereni();
    });
    m->addSeparator();
    const auto jednaPoloha = [this](RezimJednePolohy rezim) {
        return [this, rezim] { Ukazat(OknoJednePolohy(this, ws_, rezim)); };
    };
    a_.rozdilPoloh =
        akce(m, QKeySequence(Qt::CTRL | Qt::Key_F), jednaPoloha(RezimJednePolohy::RozdilPoloh));
    a_.prumerPoloh =
        akce(m, QKeySequence(Qt::CTRL | Qt::Key_G), jednaPoloha(RezimJednePolohy::PrumerPoloh));
    a_.prumerSkupin = akce(m, zadna, jednaPoloha(RezimJednePolohy::PrumerSkupin));
    a_.kamenKamen =
        akce(m, QKeySequence(Qt::CTRL | Qt::Key_K), jednaPoloha(RezimJednePolohy::KamenKamen));

    // Checking
    m = menu_[kKontrola];
    a_.kontrolaHodnot = akce(m, zadna, [this](bool b) { NastavitKontrolu(0, b); });
    a_.kontrolaPoloh = akce(m, zadna, [this](bool b) { NastavitKontrolu(1, b); });
    a_.kontrolaSkupin = akce(m, zadna, [this](bool b) { NastavitKontrolu(2, b); });
    m->addSeparator();
    a_.kontrolaVse =
        akce(m, QKeySequence(Qt::CTRL | Qt::Key_H), [this](bool b) { NastavitKontrolu(3, b); });
    for (QAction* a : {a_.kontrolaHodnot, a_.kontrolaPoloh, a_.kontrolaSkupin, a_.kontrolaVse})
        a->setCheckable(true);

    // Supplement: the list window of each kind.
    m = menu_[kDoplnek];
    for (int i = 0; i < 4; ++i) {
        const DruhDoplnku druh = kDruhyDoplnku[i];
        a_.doplnek[i] =
            akce(m, zadna, [this, druh] { OtevritSeznam(SeznamVstupuDoplnku(ws_, druh)); });
    }

    // Adjustment
    m = menu_[kVyrovnani];
    a_.analyza = akce(m, zadna, [this] { PrikazAnalyza(); });
    m->addSeparator();
    a_.fixniBody =
        akce(m, zadna, [this] { OtevritSeznam(SeznamVstupuBodu(ws_, SeznamBodu::Fixni)); });
    a_.meritka =
        akce(m, zadna, [this] { OtevritSeznam(SeznamVstupuBodu(ws_, SeznamBodu::Meritko)); });
    m->addSeparator();
    QMenu* pred = podmenu(m);
    a_.predMereni = akce(pred, zadna, jednaPoloha(RezimJednePolohy::PredVyrovnanim));
    a_.predSouradnice = akce(pred, zadna, [this] { Ukazat(OknoPribliznychSouradnic(this, ws_)); });
    pred->addSeparator();
    for (int i = 0; i < 4; ++i) {
        const DruhDoplnku druh = kDruhyDoplnku[i];
        a_.predDoplnek[i] =
            akce(pred, zadna, [this, druh] { Ukazat(OknoDoplnkuPredVyrovnanim(this, ws_, druh)); });
    }
    QMenu* rozdil = podmenu(m);
    a_.rozdilFixni = akce(rozdil, zadna, jednaPoloha(RezimJednePolohy::RozdilFixni));
    a_.rozdilVse = akce(rozdil, zadna, jednaPoloha(RezimJednePolohy::RozdilVse));
    rozdil->addSeparator();
    for (int i = 0; i < 4; ++i) {
        const DruhDoplnku druh = kDruhyDoplnku[i];
        a_.rozdilDoplnek[i] =
            akce(rozdil, zadna, [this, druh] { Ukazat(OknoDoplnkuRozdil(this, ws_, druh)); });
    }
    m->addSeparator();
    // Direction, zenith angle, distance.
    const Velicina presnosti[3] = {Velicina::Smer, Velicina::Zenit, Velicina::Delka};
    QMenu* vnitrni = podmenu(m);
    for (int i = 0; i < 3; ++i) {
        const Velicina typ = presnosti[i];
        a_.vnitrni[i] =
            akce(vnitrni, zadna, [this, typ] { Ukazat(OknoVnitrniPresnosti(this, ws_, typ)); });
    }
    QMenu* vnejsi = podmenu(m);
    for (int i = 0; i < 3; ++i) {
        const Velicina typ = presnosti[i];
        a_.vnejsi[i] =
            akce(vnejsi, zadna, [this, typ] { Ukazat(OknoVnejsiPresnosti(this, ws_, typ)); });
    }
    m->addSeparator();
    a_.apriorni = akce(m, zadna, [this] { PrikazNastaveni(6); });
    a_.upravitPresnost = akce(m, zadna, [this] { OtevritSeznam(SeznamVstupuOdchylek(ws_)); });
    m->addSeparator();
    a_.vyrovnani = akce(m, zadna, [this] { PrikazVyrovnani(); });

    // About: a command of the menu bar itself.
    a_.oProgramu = menuBar()->addAction(QString());
    connect(a_.oProgramu, &QAction::triggered, this, [this] {
        const jazyk::Tpopis& p = ws_.jazyk.popis;
        Zprava(Q(ws_.jazyk.nadpis.oProgramu), "Vertano " + Q(p.verzeCislo) + " " + Q(p.verzeDatum) +
                                                  "\n\n" + Q(p.komplexniZpracovani));
    });
}

void HlavniOkno::VytvoritKontextoveMenu() {
    kontextove_ = new QMenu(this);
    QMenu* novy = kontextove_->addMenu(QString());
    novy->addAction(a_.noveMereni);
    novy->addAction(a_.noveStanovisko);
    podmenu_.push_back(novy);
    kontextove_->addAction(a_.upravit);
    kontextove_->addAction(a_.smazat);
    kontextove_->addAction(a_.vyradit);
    kontextove_->addAction(a_.zaradit);
    kontextove_->addSeparator();
    kontextove_->addAction(a_.posunNahoru);
    kontextove_->addAction(a_.posunDolu);
    kontextove_->addSeparator();
    kontextove_->addAction(a_.kopirovat);
    kontextove_->addAction(a_.vyjmout);
    kontextove_->addAction(a_.vlozit);
    tabulka_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabulka_, &QWidget::customContextMenuRequested, this, [this](const QPoint& bod) {
        AktualizovatMenu();
        kontextove_->popup(tabulka_->viewport()->mapToGlobal(bod));
    });
}

void HlavniOkno::NastavitTexty() {
    const Tjazyk& j = ws_.jazyk;
    const jazyk::Ttlacitko& t = j.tlacitko;
    const jazyk::Tpopis& p = j.popis;
    const info::Tsoubor& projekt = ws_.info.souborProjekt;
    // "[*]" is where the mark of unsaved changes appears.
    setWindowTitle((projekt.nacteni ? "Vertano [" + Q(projekt.jmeno) + "]" : QString("Vertano")) +
                   "[*]");

    const QString menu[] = {Q(t.hlavni),   Q(p.mereni),  Q(t.vyber),    Q(t.identifikace),
                            Q(t.kontrola), Q(p.doplnek), Q(t.vyrovnani)};
    for (std::size_t i = 0; i < menu_.size(); ++i) menu_[i]->setTitle(menu[i]);
    a_.oProgramu->setText(Q(j.nadpis.oProgramu));
    const QString podmenu[] = {Q(t.nastaveni),
                               Q(t.Jazyk),
                               Q(t.novy) + " ...",
                               Q(t.posun),
                               Q(t.velicinyPredVyrovnanim),
                               Q(t.rozdilMeziBodySite),
                               Q(p.vnitrniPresnost),
                               Q(p.vnejsiPresnost),
                               Q(t.novy) + " ..."};
    for (std::size_t i = 0; i < podmenu_.size(); ++i) podmenu_[i]->setTitle(podmenu[i]);

    const QString jako = " " + Q(t.jako);
    a_.pridat->setText(Okno(t.pridat));
    a_.ulozitJako->setText(Q(t.ulozit) + jako + " ...");
    a_.exportovat->setText(Okno(t.exportovat));
    a_.otevritProjekt->setText(Q(t.otevrit) + " " + Q(t.projekt) + " ...");
    a_.ulozitProjekt->setText(Q(t.ulozit) + jako + " " + Q(t.projekt) + " ...");
    a_.jazykCZ->setText("CZ");
    a_.jazykEN->setText("EN");
    a_.jednotky->setText(Okno(t.jednotky));
    a_.kontrola->setText(Okno(t.kontrola));
    a_.zrcadleni->setText(Okno(t.zrcadleni));
    a_.redukce->setText(Okno(p.redukceDelek));
    a_.sit->setText(Okno(t.vyrovnaniSite));
    a_.transformace->setText(Okno(t.transformace));
    a_.protokol->setText(Okno(j.protokol.protokol1));
    a_.zavrit->setText(Q(t.ukoncit));

    a_.noveMereni->setText(Okno(p.mereni));
    a_.noveStanovisko->setText(Okno(p.stanovisko));
    a_.upravit->setText(Okno(t.upravit));
    a_.smazat->setText(Q(t.smazat));
    a_.vyradit->setText(Q(t.vyraditMereni));
    a_.zaradit->setText(Q(t.zaraditMereni));
    a_.najit->setText(Okno(t.najit));
    a_.najitDalsi->setText(Q(t.najit) + " " + Male(t.dalsi));
    a_.najitPredchozi->setText(Q(t.najit) + " " + Male(t.predchozi));
    a_.najitChybne->setText(Q(t.najit) + " " + Male(t.chybne));
    a_.posunNahoru->setText(Q(t.posunNahoru));
    a_.posunDolu->setText(Q(t.posunDolu));
    a_.premistit->setText(Q(t.presun));
    a_.kopirovat->setText(Q(t.kopirovat));
    a_.vyjmout->setText(Q(t.vyjmout));
    a_.vlozit->setText(Q(t.vlozit2));

    a_.vybratVse->setText(Q(t.vybratVse));
    a_.zrusitVyber->setText(Q(t.zrusitVyber));
    const QString stn = Q(p.stanovisko);
    const QString cil = Q(p.cil);
    const QString texty[9] = {stn,
                              Zavorky(stn, Male(p.stanovisko)),
                              Zavorky(stn, Male(p.skupina)),
                              cil,
                              Zavorky(cil, Male(p.stanovisko)),
                              Zavorky(cil, Male(p.skupina)),
                              Zavorky(cil, Male(p.stanovisko) + ", " + Male(p.poloha)),
                              stn + " >> " + cil,
                              stn + " <> " + cil};
    for (int i = 0; i < 9; ++i) a_.vyberDle[i]->setText(texty[i]);
    a_.dleAtributu->setText(Okno(t.dleAtributu));

    a_.zobrazPolohu->setText(Q(p.poloha));
    a_.zobrazSkupinu->setText(Q(p.skupina));
    a_.zrcadlit->setText(Q(t.zrcadliZaznamyBezSkupiny));
    a_.najitSkupiny->setText(Q(t.seradPrniDruhaZaSebou));
    a_.seraditPolohy->setText(Q(t.seradPoloha));
    a_.smazatMimoSkupiny->setText(Q(t.smazZaznamyBezSkupiny));
    a_.rozdilPoloh->setText(Q(t.rozdilPoloh) + " [II-I]");
    a_.prumerPoloh->setText(Q(t.prumerPoloh) + " [I/II]");
    a_.prumerSkupin->setText(Q(t.prumerSkupin));
    a_.kamenKamen->setText(Q(t.kamenKamen));

    a_.kontrolaHodnot->setText(Q(t.kontrolaZakladni));
    a_.kontrolaPoloh->setText(Q(t.rozdilPoloh));
    a_.kontrolaSkupin->setText(Q(t.rozdilSkupin));
    a_.kontrolaVse->setText(Q(t.kontrolaVse));

    for (int i = 0; i < 4; ++i)
        a_.doplnek[i]->setText(Q(doplnek::NazevDruhu(ws_.jazyk, kDruhyDoplnku[i])) + " ...");

    a_.analyza->setText(Q(t.analyzaMereni));
    a_.fixniBody->setText(Q(t.fixni) + " " + Male(p.body) + " ...");
    a_.meritka->setText(Okno(p.meritkoveKoeficienty));
    a_.predMereni->setText(Q(p.mereni));
    a_.predSouradnice->setText(Q(p.souradnice));
    const QString doplnkova = Male(p.doplnek);
    for (int i = 0; i < 4; ++i) {
        const DruhDoplnku druh = kDruhyDoplnku[i];
        QString nazev = Q(doplnek::NazevDruhu(ws_.jazyk, druh));
        // A supplementary distance beside the distances of the raw rows.
        if (druh == DruhDoplnku::Delka) nazev = Zavorky(nazev, doplnkova);
        a_.predDoplnek[i]->setText(nazev);
        a_.rozdilDoplnek[i]->setText(nazev);
    }
    a_.rozdilFixni->setText(Zavorky(Q(p.mereni), Male(t.fixni) + " " + Male(p.body)));
    a_.rozdilVse->setText(Zavorky(Q(p.mereni), Male(t.vsechny) + " " + Male(p.body)));
    const QString presnosti[3] = {Q(p.smer), Q(p.zenit), Q(p.delka)};
    for (int i = 0; i < 3; ++i) {
        a_.vnitrni[i]->setText(presnosti[i]);
        a_.vnejsi[i]->setText(presnosti[i]);
    }
    a_.apriorni->setText(Q(t.nastaveniVah));
    a_.upravitPresnost->setText(Q(t.upravit) + " " + Male(t.presnostApriori) + " ...");
    a_.vyrovnani->setText(Q(t.vyrovnaniSite));

    zastavit_->setText(Q(t.zrusit));
    tabulka_->Model().ObnovitTexty();
    tabulka_->NastavitSirky();
    if (!prvniZobrazeni_) setFixedWidth(tabulka_->PrirozenaSirka() + 8);
    NastavitTextyPlochy();
    AktualizovatStav();
    AktualizovatNadpis();
}

void HlavniOkno::NastavitPrepinace() {
    const nastaveni::Tprepinac& p = ws_.nastaveni.prepinac;
    a_.jazykCZ->setChecked(ws_.nastaveni.typJazyk == 0);
    a_.jazykEN->setChecked(ws_.nastaveni.typJazyk == 1);
    a_.zobrazPolohu->setChecked(p.zobrazPolohu);
    a_.zobrazSkupinu->setChecked(p.zobrazSkupinu);
    a_.kontrolaHodnot->setChecked(p.kontrolaHodnot);
    a_.kontrolaPoloh->setChecked(p.kontrolaRozdilPoloh);
    a_.kontrolaSkupin->setChecked(p.kontrolaRozdilSkupin);
    a_.kontrolaVse->setChecked(p.kontrolaVSE);
}

void HlavniOkno::AktualizovatMenu() {
    if (vlakno_ != nullptr) return;
    const PovoleniMenu p = Povoleni(ws_, tabulka_->Vyber());
    a_.ulozitJako->setEnabled(p.ulozit);
    a_.exportovat->setEnabled(p.exportovat);
    a_.otevritProjekt->setEnabled(true);
    a_.ulozitProjekt->setEnabled(true);
    a_.noveMereni->setEnabled(p.noveMereni);
    a_.noveStanovisko->setEnabled(true);
    a_.upravit->setEnabled(p.upravit);
    a_.smazat->setEnabled(p.smazat);
    a_.vyradit->setEnabled(p.smazat);
    a_.zaradit->setEnabled(p.smazat);
    a_.najit->setEnabled(p.najit);
    a_.najitDalsi->setEnabled(p.najit);
    a_.najitPredchozi->setEnabled(p.najit);
    a_.najitChybne->setEnabled(p.najitChybne);
    a_.posunNahoru->setEnabled(p.posunout);
    a_.posunDolu->setEnabled(p.posunout);
    a_.premistit->setEnabled(p.premistit);
    a_.kopirovat->setEnabled(p.kopirovat);
    a_.vyjmout->setEnabled(p.kopirovat);
    a_.vlozit->setEnabled(p.vlozit);
    a_.vybratVse->setEnabled(p.vybratVse);
    a_.zrusitVyber->setEnabled(p.vybratVse);
    for (QAction* a : a_.vyberDle) a->setEnabled(p.vyberDleRadku);
    a_.dleAtributu->setEnabled(p.najit);
    a_.zrcadlit->setEnabled(p.zrcadlit);
    a_.najitSkupiny->setEnabled(p.najitSkupiny);
    a_.seraditPolohy->setEnabled(p.seraditPolohy);
    a_.smazatMimoSkupiny->setEnabled(p.smazatMimoSkupiny);
    for (QAction* a : {a_.rozdilPoloh, a_.prumerPoloh, a_.prumerSkupin})
        a->setEnabled(p.skupinoveOkna);
    a_.kamenKamen->setEnabled(p.kamenKamen);
    for (QAction* a : {a_.kontrolaPoloh, a_.kontrolaSkupin, a_.kontrolaVse})
        a->setEnabled(p.kontrolySkupin);
    a_.analyza->setEnabled(p.analyza);
    a_.predMereni->setEnabled(p.predVyrovnanimMereni);
    a_.predSouradnice->setEnabled(p.predVyrovnanimSouradnice);
    for (int i = 0; i < 4; ++i) {
        a_.predDoplnek[i]->setEnabled(p.predVyrovnanimDoplnek[i]);
        a_.rozdilDoplnek[i]->setEnabled(p.predVyrovnanimDoplnek[i]);
    }
    a_.rozdilFixni->setEnabled(p.rozdilFixni);
    a_.rozdilVse->setEnabled(p.rozdilVse);
    for (int i = 0; i < 3; ++i) {
        a_.vnitrni[i]->setEnabled(p.vnitrniPresnost[i]);
        a_.vnejsi[i]->setEnabled(p.vnejsiPresnost[i]);
    }
    // The submenus themselves stay usable while any of their items is.
    podmenu_[kPredVyrovnanim]->setEnabled(ws_.state.Current(Step::Analysis));
    podmenu_[kRozdilBodu]->setEnabled(ws_.state.Current(Step::Analysis));
    podmenu_[kVnitrni]->setEnabled(ws_.state.Current(Step::Analysis));
    podmenu_[kVnejsi]->setEnabled(ws_.state.Current(Step::Analysis));
    a_.apriorni->setEnabled(p.apriorniAnalyza);
    a_.upravitPresnost->setEnabled(p.apriorniAnalyza);
    a_.vyrovnani->setEnabled(p.vyrovnani);
    AktualizovatZpet();
    AktualizovatNastroje(false);
}

void HlavniOkno::PrepnoutSkupiny(bool zapnout) {
    nastaveni::Tprepinac& p = ws_.nastaveni.prepinac;
    p.zobrazSkupinu = zapnout;
    // The face and set checks only mean something with the sets shown.
    if (!zapnout) {
        p.kontrolaRozdilPoloh = p.kontrolaRozdilSkupin = p.kontrolaVSE = false;
        NastavitPrepinace();
    }
    tabulka_->viewport()->update();
    AktualizovatMenu();
}

void HlavniOkno::NastavitKontrolu(int ktera, bool zapnout) {
    Tnastaveni& n = ws_.nastaveni;
    nastaveni::Tprepinac& p = n.prepinac;
    switch (ktera) {
        case 0:
            p.kontrolaHodnot = zapnout;
            break;
        case 1:
            p.kontrolaRozdilPoloh = zapnout;
            break;
        case 2:
            p.kontrolaRozdilSkupin = zapnout;
            break;
        default:
            n.NastavitPrepinaceKontrola(zapnout);
            break;
    }
    if (ktera != 3)
        p.kontrolaVSE = p.kontrolaHodnot && p.kontrolaRozdilPoloh && p.kontrolaRozdilSkupin;
    NastavitPrepinace();
    tabulka_->viewport()->update();
}

}  // namespace vertano::ui
