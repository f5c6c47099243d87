#include <QButtonGroup>
#include <QLineEdit>
#include <QRadioButton>

#include "CisloPole.h"
#include "NastaveniDialogy.h"
#include "Texty.h"
#include "adjustment/Tvahy.h"
#include "mereni/Jednotky.h"
#include "workspace/Workspace.h"
#include "workspace/ZmenyNastaveni.h"

namespace vertano::ui {

namespace {

constexpr Real kDolniMez = 1e-8L;
constexpr Real kMaxJednotkova = 1e5L;
constexpr int kDesetinyVyznamnosti = 13;

QString SJednotkou(const std::string& popis, const std::string& jednotka) {
    return Q(popis) + " [" + Q(jednotka) + "]";
}

QStringList Iterace() {
    QStringList polozky;
    for (int i = 1; i <= 10; ++i) polozky << QString::number(10 * i);
    return polozky;
}

int IndexIteraci(uint8_t pocet) {
    return std::clamp(pocet / 10 - 1, 0, 9);
}

QStringList Odhady(const Tjazyk& j) {
    QStringList polozky;
    for (const std::string& nazev : j.typOdhadu) polozky << Q(nazev);
    return polozky;
}

// The rows shared by the network and the transformation dialogs: rejection of
// outliers and termination of the iterations.
void Odlehle(NastaveniOkno& okno, const Tjazyk& j, nastaveni::Tvyrovnani& v,
             const std::function<void()>& analyzovane) {
    const jazyk::Tpopis& p = j.popis;
    okno.Nadpis(Q(p.vylouceniOdlehlych));
    okno.CisloText(Q(p.hladinaVyznamnosti), "rozikoOdlehlost",
                   TextCislaBezNul(v.rizikoOdlehlost, kDesetinyVyznamnosti),
                   nastaveni::kNejmensiHladinaVyznamnosti, 1,
                   [&v](Real h) { v.rizikoOdlehlost = h; });
    okno.Vyber(Q(p.metodaRobustOdhadu), "typOdhadu", Odhady(j),
               std::max(0, KodOdhadu(v.typOdhadu) - 1),
               [&v](int i) { v.typOdhadu = OdhadZKodu(i + 1); });
    analyzovane();
    okno.Nadpis(Q(p.iteracniVyrovnani));
    okno.Vyber(Q(p.maxPocetIteraci), "maxPocetIteraci", Iterace(), IndexIteraci(v.maxPocetIteraci),
               [&v](int i) { v.maxPocetIteraci = static_cast<uint8_t>(10 * (i + 1)); });
    okno.CisloText(Q(p.maxZmenaVahy), "maxZmenaVahy",
                   TextCislaBezNul(v.maxZmenaVahy, kDesetinyVyznamnosti), kDolniMez, 1,
                   [&v](Real h) { v.maxZmenaVahy = h; });
}

}  // namespace

NastaveniSitOkno::NastaveniSitOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(rodic, ws,
                    Q(ws.jazyk.tlacitko.nastaveni) + " - " + Q(ws.jazyk.tlacitko.vyrovnaniSite)) {
    Tnastaveni& n = ws_.nastaveni;
    nastaveni::Tvyrovnani& v = n.vyrovnani;
    nastaveni::Tprepinac& s = n.prepinac;
    const nastaveni::Tmez& max = n.mezMaxVstup;
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    const uint8_t uhel = n.jednotky.uhel;
    const uint8_t delka = n.jednotky.delka;
    const uint8_t souradnice = n.jednotky.souradnice;
    zachovatPuvodne_ = s.zachovatSouradnice;

    Nadpis(Q(t.souradnicePredVyrovnanim));
    Zaskrtnuti(Q(p.zachovatVlozeneSouradnice), "zachovatSouradnice", s.zachovatSouradnice,
               [&s](bool b) { s.zachovatSouradnice = b; });
    Odlehle(*this, ws_.jazyk, v, [&] {
        Nadpis(Q(t.analyzovane) + " " + Male(t.veliciny));
        const auto box = [&](const std::string& text, const QString& klic, bool& pole) {
            Zaskrtnuti(Q(text), klic, pole, [&pole](bool b) { pole = b; });
        };
        box(p.smer, "vylucovatSmer", s.vylucovatSmer);
        box(p.zenit, "vylucovatZenit", s.vylucovatZenit);
        box(p.delka, "vylucovatDelka", s.vylucovatDelka);
        box(p.delka + " (" + S(Male(p.doplnek)) + ")", "vylucovatDoplnekDelka",
            s.vylucovatDoplnekDelka);
        box(p.smernik, "vylucovatDoplnekSmernik", s.vylucovatDoplnekSmernik);
        box(p.prevyseni, "vylucovatDoplnekPrevyseni", s.vylucovatDoplnekPrevyseni);
        box(p.provazovani, "vylucovatDoplnekProvazeni", s.vylucovatDoplnekProvazeni);
    });
    // The change of a coordinate is typed in the coordinate unit, so its bound
    // is converted to that unit too.
    Cislo(SJednotkou(p.maxZmenaSourad, u.x_odchylka), "maxPrirustek",
          MetresToDeviation(v.maxPrirustek, souradnice), n.presnost.souradnice.odchylka + 1,
          kDolniMez, MetresToDeviation(max.rozdil_delka, souradnice),
          [&v, souradnice](Real h) { v.maxPrirustek = DeviationToMetres(h, souradnice); });

    const auto uhlova = [&](const std::string& popis, const QString& klic, Real& pole, Real mez) {
        Cislo(SJednotkou(popis, u.smer_odchylka), klic, RadiansToDeviation(pole, uhel),
              n.presnost.uhel.odchylka, kDolniMez, RadiansToDeviation(mez, uhel),
              [&pole, uhel](Real h) { pole = DeviationToRadians(h, uhel); });
    };
    const auto delkova = [&](const std::string& popis, const QString& klic, Real& pole) {
        Cislo(SJednotkou(popis, u.delka_odchylka), klic, MetresToDeviation(pole, delka),
              n.presnost.delka.odchylka, kDolniMez, MetresToDeviation(max.rozdil_delka, delka),
              [&pole, delka](Real h) { pole = DeviationToMetres(h, delka); });
    };
    Nadpis(Q(p.sigMereneVeliciny));
    uhlova(p.smer, "odchylka_zadanaSmer", v.odchylka_zadanaSmer, max.rozdil_smer);
    uhlova(p.zenit, "odchylka_zadanaZenit", v.odchylka_zadanaZenit, max.rozdil_zenit);
    delkova(p.delka, "odchylka_zadanaDelka", v.odchylka_zadanaDelka);
    CisloText(Q(p.sigJednotkovaAprior), "odchylkaJednotkovaApriorni",
              TextCislaBezNul(v.odchylkaJednotkovaApriorni, 6), kDolniMez, kMaxJednotkova,
              [&v](Real h) { v.odchylkaJednotkovaApriorni = h; });
    Nadpis(Q(p.sigDoplnkoveMereni));
    nastaveni::Tdoplnek& d = n.doplnek;
    delkova(p.delka, "doplnek.odchylka_delka", d.odchylka_delka);
    uhlova(p.smernik, "doplnek.odchylka_smernik", d.odchylka_smernik, max.rozdil_smer);
    delkova(p.prevyseni, "doplnek.odchylka_prevyseni", d.odchylka_prevyseni);
    delkova(p.provazovani, "doplnek.odchylka_provazeni", d.odchylka_provazeni);
    Dokoncit();
}

void NastaveniSitOkno::PoUlozeni(unsigned) {
    PoZmeneVyrovnani(ws_, ws_.nastaveni.prepinac.zachovatSouradnice != zachovatPuvodne_);
}

NastaveniTransformaceOkno::NastaveniTransformaceOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(
          rodic, ws,
          Q(ws.jazyk.tlacitko.nastaveni) + " - " + Q(ws.jazyk.tlacitko.transformaceSVyrovnanim)) {
    Tnastaveni& n = ws_.nastaveni;
    nastaveni::Tvyrovnani& v = n.transformace;
    nastaveni::Tprepinac& s = n.prepinac;
    const nastaveni::Tmez& max = n.mezMaxVstup;
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    const uint8_t uhel = n.jednotky.uhel;
    const uint8_t souradnice = n.jednotky.souradnice;
    Odlehle(*this, ws_.jazyk, v, [&] {
        Nadpis(Q(t.analyzovane) + " " + Male(t.veliciny));
        Zaskrtnuti(Q(t.souradnice2) + " X", "vylucovatX", s.vylucovatX,
                   [&s](bool b) { s.vylucovatX = b; });
        Zaskrtnuti(Q(t.souradnice2) + " Y", "vylucovatY", s.vylucovatY,
                   [&s](bool b) { s.vylucovatY = b; });
        Zaskrtnuti(Q(t.souradnice2) + " Z", "vylucovatZ", s.vylucovatZ,
                   [&s](bool b) { s.vylucovatZ = b; });
    });
    Cislo(SJednotkou(p.maxZmenaRotace, u.smer_odchylka), "maxPrirustek",
          RadiansToDeviation(v.maxPrirustek, uhel), n.presnost.uhel.odchylka, kDolniMez,
          RadiansToDeviation(max.rozdil_smer, uhel),
          [&v, uhel](Real h) { v.maxPrirustek = DeviationToRadians(h, uhel); });
    Nadpis(Q(p.sigMereneVeliciny));
    const auto osa = [&](const char* nazev, const QString& klic, Real& pole) {
        Cislo(Q(t.souradnice2) + " " + nazev + " [" + Q(u.x_odchylka) + "]", klic,
              MetresToDeviation(pole, souradnice), n.presnost.souradnice.odchylka, kDolniMez,
              MetresToDeviation(max.rozdil_delka, souradnice),
              [&pole, souradnice](Real h) { pole = DeviationToMetres(h, souradnice); });
    };
    osa("X", "odchylka_zadanaSmer", v.odchylka_zadanaSmer);
    osa("Y", "odchylka_zadanaZenit", v.odchylka_zadanaZenit);
    osa("Z", "odchylka_zadanaDelka", v.odchylka_zadanaDelka);
    CisloText(Q(p.sigJednotkovaAprior), "odchylkaJednotkovaApriorni",
              TextCislaBezNul(v.odchylkaJednotkovaApriorni, 6), kDolniMez, kMaxJednotkova,
              [&v](Real h) { v.odchylkaJednotkovaApriorni = h; });
    Dokoncit();
}

void NastaveniTransformaceOkno::PoUlozeni(unsigned) {
    PoZmeneTransformace(ws_);
}

NastaveniVahOkno::NastaveniVahOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(rodic, ws, Q(ws.jazyk.tlacitko.nastaveniVah)) {
    const Tnastaveni& n = ws_.nastaveni;
    const TinfoVahy& iv = ws_.info.infoVahy;
    const Tvahy& vahy = ws_.vahy;
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
    const uint8_t uhel = n.jednotky.uhel;
    const uint8_t delka = n.jednotky.delka;
    const nastaveni::Tmez& max = n.mezMaxVstup;
    volba_ = iv.typVah != ZdrojVah::Neurcen ? KodZdroje(iv.typVah) : KodZdroje(ZdrojVah::Zadana);

    Nadpis(Q(p.sigMereneVeliciny));
    auto* skupina = new QButtonGroup(this);
    const std::string nazvy[3] = {p.vnitrniPresnost, p.vnejsiPresnost, p.zadanaPresnost};
    const bool povoleno[3] = {iv.vnitrniPresnost, iv.vnejsiPresnost, true};
    for (int k = 0; k < 3; ++k) {
        auto* volba = new QRadioButton(QString::number(k + 1) + ". " + Q(nazvy[k]), this);
        volba->setObjectName("typVah" + QString::number(k + 1));
        volba->setEnabled(povoleno[k]);
        volba->setChecked(volba_ == k + 1);
        skupina->addButton(volba, k + 1);
        Widget(volba, 0);
        // The three deviations of the source, each empty where that source did
        // not feed the kind; only the user's own are edited.
        const TtypVah* druhy[3] = {&iv.smer, &iv.zenit, &iv.delka};
        const Tvaha* vahyDruhu[3] = {&vahy.smer, &vahy.zenit, &vahy.delka};
        const std::string popisy[3] = {p.smer, p.zenit, p.delka};
        const QString klice[3] = {"smer", "zenit", "delka"};
        std::optional<Real>* ulozeni[3] = {&smer_, &zenit_, &delka_};
        for (int d = 0; d < 3; ++d) {
            const bool pouzito = k == 0   ? druhy[d]->vnitrniPresnost
                                 : k == 1 ? druhy[d]->vnejsiPresnost
                                          : druhy[d]->zadanaPresnost;
            const Real odchylka =
                k == 0   ? Real(vahyDruhu[d]->vnitrniPresnost.odchylkaCelkova.vyska_stn)
                : k == 1 ? Real(vahyDruhu[d]->vnejsiPresnost.odchylkaCelkova.vyska_stn)
                         : vahyDruhu[d]->zadanaPresnost.odchylkaCelkova;
            const bool jeDelka = d == 2;
            const Real zobrazena =
                jeDelka ? MetresToDeviation(odchylka, delka) : RadiansToDeviation(odchylka, uhel);
            const int desetiny = jeDelka ? n.presnost.delka.odchylka : n.presnost.uhel.odchylka;
            const Real mez =
                jeDelka ? MetresToDeviation(max.rozdil_delka, delka)
                        : RadiansToDeviation(d == 0 ? max.rozdil_smer : max.rozdil_zenit, uhel);
            const QString text =
                pouzito && odchylka > 0 ? TextCisla(zobrazena, desetiny) : QString();
            std::optional<Real>* cil = ulozeni[d];
            QLineEdit* pole = CisloText(
                SJednotkou(popisy[d], jeDelka ? u.delka_odchylka : u.smer_odchylka),
                QString::number(k + 1) + "." + klice[d], text, 0, mez,
                [cil, jeDelka, delka, uhel](Real h) {
                    *cil = jeDelka ? DeviationToMetres(h, delka) : DeviationToRadians(h, uhel);
                });
            // Only the user's own deviations are edited; the others are shown.
            pole->setEnabled(k == 2);
        }
    }
    RegistrovatVolby(skupina, "typVah", [this](int id) { volba_ = id; });
    CisloText(Q(p.sigJednotkovaAprior), "odchylkaJednotkovaApriorni",
              TextCislaBezNul(n.vyrovnani.odchylkaJednotkovaApriorni, 6), 0, kMaxJednotkova,
              [this](Real h) { jednotkova_ = h; });
    Dokoncit();
}

void NastaveniVahOkno::PoUlozeni(unsigned) {
    NastavitPresnost(ws_, {smer_, zenit_, delka_, jednotkova_, ZdrojZKodu(volba_)});
}

}  // namespace vertano::ui
