#include <QRadioButton>

#include "NastaveniDialogy.h"
#include "Texty.h"
#include "mereni/Jednotky.h"
#include "workspace/Workspace.h"
#include "workspace/ZmenyNastaveni.h"

namespace vertano::ui {

namespace {

QString SJednotkou(const std::string& popis, const std::string& jednotka) {
    return Q(popis) + " [" + Q(jednotka) + "]";
}

// Rows of limits shown in the value units: angles with the decimals of angle
// values, lengths with those of length values. `symetricky` accepts values
// between -bound and bound, otherwise between 0 and bound.
class Meze {
  public:
    Meze(NastaveniOkno& okno, Workspace& ws, bool symetricky)
        : okno_(okno), ws_(ws), symetricky_(symetricky) {}

    void Uhel(const std::string& popis, const QString& klic, Real& pole, Real mez) {
        const nastaveni::Tjednotky& j = ws_.nastaveni.jednotky;
        const uint8_t kod = j.uhel;
        const Real horni = RadiansToAngle(mez, kod);
        okno_.Cislo(SJednotkou(popis, ws_.jazyk.popisJednotky.smer_hodnota), klic,
                    RadiansToAngle(pole, kod), ws_.nastaveni.presnost.uhel.hodnota,
                    symetricky_ ? -horni : 0, horni,
                    [&pole, kod](Real h) { pole = AngleToRadians(h, kod); });
    }

    void Delka(const std::string& popis, const QString& klic, Real& pole, Real mez) {
        const uint8_t kod = ws_.nastaveni.jednotky.delka;
        const Real horni = MetresToLength(mez, kod);
        okno_.Cislo(SJednotkou(popis, ws_.jazyk.popisJednotky.delka_hodnota), klic,
                    MetresToLength(pole, kod), ws_.nastaveni.presnost.delka.hodnota,
                    symetricky_ ? -horni : 0, horni,
                    [&pole, kod](Real h) { pole = LengthToMetres(h, kod); });
    }

  private:
    NastaveniOkno& okno_;
    Workspace& ws_;
    bool symetricky_;
};

}  // namespace

NastaveniKontrolaOkno::NastaveniKontrolaOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(rodic, ws,
                    Q(ws.jazyk.tlacitko.nastaveni) + " - " + Q(ws.jazyk.tlacitko.kontrola)) {
    Tnastaveni& n = ws_.nastaveni;
    const nastaveni::Tmez& max = n.mezMaxVstup;
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    const jazyk::Ttlacitko& t = ws_.jazyk.tlacitko;
    Meze m(*this, ws_, false);
    Nadpis(Q(p.mezniRozdilyMereni));
    const auto trojice = [&](const std::string& skupina, const QString& klic,
                             nastaveni::Tmez& mez) {
        Nadpis(Q(skupina));
        m.Uhel(p.smer, klic + ".rozdil_smer", mez.rozdil_smer, max.rozdil_smer);
        m.Uhel(p.zenit, klic + ".rozdil_zenit", mez.rozdil_zenit, max.rozdil_zenit);
        m.Delka(p.delka, klic + ".rozdil_delka", mez.rozdil_delka, max.rozdil_delka);
    };
    trojice(t.rozdilPoloh, "mezPoloha", n.mezPoloha);
    trojice(t.rozdilSkupin, "mezSkupina", n.mezSkupina);
    trojice(t.rozdilProtismer, "mezProtismer", n.mezProtismer);
    Nadpis(Q(t.rozdilMeziBodySite));
    nastaveni::Tmez& s = n.mezZeSouradnic;
    m.Delka(p.delka, "mezZeSouradnic.rozdil_delka", s.rozdil_delka, max.rozdil_delka);
    m.Uhel(p.smernik, "mezZeSouradnic.rozdil_smer", s.rozdil_smer, max.rozdil_smer);
    m.Delka(p.prevyseni, "mezZeSouradnic.rozdil_prevyseni", s.rozdil_prevyseni, max.rozdil_delka);
    m.Delka(p.provazovani, "mezZeSouradnic.rozdil_provazeni", s.rozdil_provazeni, max.rozdil_delka);
    Nadpis(Q(p.mezniHodnotaMereni));
    nastaveni::Tmez& h = n.mezHodnota;
    m.Delka(p.delka, "mezHodnota.hodnota_delka", h.hodnota_delka, max.hodnota_delka);
    m.Delka(p.vyskaSTN, "mezHodnota.hodnota_vyskaSTN", h.hodnota_vyskaSTN, max.hodnota_vyskaSTN);
    m.Delka(p.vyskaCIL, "mezHodnota.hodnota_vyskaCIL", h.hodnota_vyskaCIL, max.hodnota_vyskaCIL);
    m.Delka(p.prevyseni, "mezHodnota.hodnota_prevyseni", h.hodnota_prevyseni,
            max.hodnota_prevyseni);
    Dokoncit();
}

void NastaveniKontrolaOkno::PoUlozeni(unsigned) {
    PoZmeneKontroly(ws_);
}

NastaveniZrcadleniOkno::NastaveniZrcadleniOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(rodic, ws,
                    Q(ws.jazyk.tlacitko.nastaveni) + " - " + Q(ws.jazyk.tlacitko.zrcadleni)) {
    Tnastaveni& n = ws_.nastaveni;
    const nastaveni::Tmez& max = n.mezMaxVstup;
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    Meze m(*this, ws_, true);
    Nadpis(Q(ws_.jazyk.tlacitko.rozdilPoloh) + " [II-I]");
    m.Uhel(p.smer, "zrcadleni.rozdil_smer", n.zrcadleni.rozdil_smer, max.rozdil_smer);
    m.Uhel(p.zenit, "zrcadleni.rozdil_zenit", n.zrcadleni.rozdil_zenit, max.rozdil_zenit);
    m.Delka(p.delka, "zrcadleni.rozdil_delka", n.zrcadleni.rozdil_delka, max.rozdil_delka);
    Dokoncit();
}

// The values are read when mirroring runs next; nothing is stale now.
void NastaveniZrcadleniOkno::PoUlozeni(unsigned) {}

NastaveniRedukceOkno::NastaveniRedukceOkno(QWidget* rodic, Workspace& ws)
    : NastaveniOkno(rodic, ws,
                    Q(ws.jazyk.tlacitko.nastaveni) + " - " + Q(ws.jazyk.popis.redukceDelek)) {
    Tnastaveni& n = ws_.nastaveni;
    nastaveni::TredukceMereni& r = n.redukceMereni;
    const nastaveni::Tmez& max = n.mezMaxVstup;
    const jazyk::Tpopis& p = ws_.jazyk.popis;
    const jazyk::TpopisJednotky& u = ws_.jazyk.popisJednotky;
    const uint8_t delka = n.jednotky.delka;
    const uint8_t souradnice = n.jednotky.souradnice;
    Nadpis(Q(p.redukceZNadmorskeVysky));
    Cislo(SJednotkou(p.polomerReferencniKoule, u.delka_hodnota), "redukceMereni.polomerRefPlochy",
          MetresToLength(r.polomerRefPlochy, delka), 0,
          MetresToLength(max.hodnota_polomerMin, delka),
          MetresToLength(max.hodnota_polomerMax, delka),
          [&r, delka](Real h) { r.polomerRefPlochy = LengthToMetres(h, delka); });
    Nadpis(Q(p.typVyskoveHladiny));
    const std::vector<QRadioButton*> volby =
        Volby({Q(p.nulovaHladina), Q(p.stredniHladinaSite),
               Q(p.hladinaVeVysce) + " [" + Q(u.x_hodnota) + "]:"},
              "redukceMereni.typHladiny", r.typHladiny,
              [&r](int i) { r.typHladiny = static_cast<uint8_t>(i); });
    // The altitude is typed in the coordinate unit, so its bounds are converted
    // to it too (in feet a height of 4000 ft is a valid level).
    CisloVedle(volby.back(), "redukceMereni.vyskaHladiny",
               MetresToLength(r.vyskaHladiny, souradnice), n.presnost.souradnice.hodnota,
               MetresToLength(max.hodnota_hladinaMin, souradnice),
               MetresToLength(max.hodnota_hladinaMax, souradnice),
               [&r, souradnice](Real h) { r.vyskaHladiny = LengthToMetres(h, souradnice); });
    Nadpis(Q(p.redukceDoZobrazeni));
    Cislo(Q(p.meritkovyKoeficient), "redukceMereni.zakladniZkresleni", r.zakladniZkresleni,
          n.presnost.meritko, max.hodnota_zkresleniMin, max.hodnota_zkresleniMax,
          [&r](Real h) { r.zakladniZkresleni = h; });
    Dokoncit();
}

void NastaveniRedukceOkno::PoUlozeni(unsigned) {
    PoZmeneRedukce(ws_);
}

}  // namespace vertano::ui
