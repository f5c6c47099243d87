#include <algorithm>

#include "adjustment/Spolehlivost.h"
#include "adjustment/VysledekSite.h"
#include "reports/FormatCisel.h"
#include "reports/SekceProtokolu.h"
#include "reports/SkupinyStanovisek.h"
#include "reports/Tabulka.h"
#include "reports/TextyProtokolu.h"

namespace vertano {

namespace {

bool JeDoplnek(DruhProtokolu druh) {
    return druh >= DruhProtokolu::DoplnekDelka && druh <= DruhProtokolu::Provazeni;
}

// sigma0 x deviation in the unit of the kind; "a : b" for both accuracies.
std::string Odchylka(Real odchylka, const VysledekSite& model, int typ, bool uhel,
                     const FormatCisel& f) {
    const Real apriori = model.OdchylkaJednotkovaAprior();
    const Real aposteriori = model.OdchylkaJednotkovaAposterior();
    switch (typ) {
        case presnostProtokolu::kApriori:
            return f.Odchylka(uhel, apriori * odchylka);
        case presnostProtokolu::kAposteriori:
            return f.Odchylka(uhel, aposteriori * odchylka);
        default:
            return f.Odchylka(uhel, apriori * odchylka) + " : " +
                   f.Odchylka(uhel, aposteriori * odchylka);
    }
}

// The reliability of the observations, where the evaluation gave it: the
// redundancy number and the minimal detectable error, the latter scaled by the
// unit standard deviation like the deviations. An uncontrolled observation
// gets a mark after its redundancy number, which the column's legend explains;
// the others a blank, so that the decimal points stay aligned.
class SloupceSpolehlivosti {
  public:
    explicit SloupceSpolehlivosti(const TvektorMereni& mereni)
        : jsou_(
              std::any_of(mereni.zaznam.begin(), mereni.zaznam.end(),
                          [](const TmerenaVelicina& z) { return z.jePlny && z.redundance >= 0; })),
          znacka_(jsou_ && std::any_of(mereni.zaznam.begin(), mereni.zaznam.end(),
                                       [](const TmerenaVelicina& z) {
                                           return z.jePlny && z.jeNekontrolovane;
                                       })) {}

    void Pridat(const jazyk::Tpopis& p, const std::string& jednotkaOdchylky,
                std::vector<Sloupec>& sloupce) const {
        if (!jsou_) return;
        const std::string poznamka = znacka_ ? std::string(kZnacka) + " < " +
                                                   TextHladiny(kMezNekontrolovane) + ": " +
                                                   p.nekontrolovane
                                             : std::string();
        sloupce.push_back({p.cisloNadbytecnosti, "", poznamka});
        sloupce.push_back({p.minimalniChyba, jednotkaOdchylky, ""});
    }

    void Pridat(const TmerenaVelicina& z, const VysledekSite& model, int typ, bool uhel,
                const FormatCisel& f, RadekTabulky& radek) const {
        if (!jsou_) return;
        std::string r = z.redundance < 0 ? "-" : TriDesetinna(z.redundance);
        if (znacka_) r += z.jeNekontrolovane ? kZnacka : " ";
        radek.push_back(std::move(r));
        // No error of an observation without redundancy shows: no figure.
        radek.push_back(z.mdb < 0 ? "-" : Odchylka(z.mdb, model, typ, uhel, f));
    }

  private:
    static constexpr const char* kZnacka = "*";
    bool jsou_;
    bool znacka_;
};

// The table of the terrestrial kinds, grouped by station occupation.
void SeskupitDleStanovisek(const TvektorMereni& mereni, const Tjazyk& jazyk,
                           const VysledekSite& model, int typ, bool uhel, const FormatCisel& f,
                           const SloupceSpolehlivosti& spolehlivost, Sekce& sekce) {
    sekce.legendaSkupin = "[" + jazyk.protokol.serioveCislo + "] " + jazyk.popis.cisloSTN;
    Tabulka& t = sekce.tabulka;
    t.seskupena = true;
    const auto stanoviska = RadkyStanovisek(
        mereni.zaznam, [](const TmerenaVelicina& z) { return z.jePlny; },
        [](const TmerenaVelicina& z) { return z.poradi; });
    for (std::size_t s = 0; s < stanoviska.size(); ++s) {
        const std::vector<std::size_t>& radky = stanoviska[s];
        SkupinaRadku g{"[" + CeleCislo(static_cast<int64_t>(s + 1)) + "]", {}};
        if (!radky.empty()) g.zahlavi += " " + mereni.zaznam[radky.front()].cislo_stn;
        for (const std::size_t i : radky) {
            const TmerenaVelicina& z = mereni.zaznam[i];
            g.radky.push_back({CeleCislo(z.skupina), z.cislo_cil, f.Hodnota(uhel, z.mezniOprava),
                               Odchylka(z.odchylkaOprava, model, typ, uhel, f),
                               f.Hodnota(uhel, z.oprava), TriDesetinna(z.normOprava)});
            spolehlivost.Pridat(z, model, typ, uhel, f, g.radky.back());
        }
        t.skupiny.push_back(std::move(g));
    }
}

}  // namespace

void zapsatOdlehleMer(Tprotokol& protokol, const TvektorMereni& mereni, const Tnastaveni& nastaveni,
                      const Tjazyk& jazyk, DruhProtokolu druh, const std::string& nadpis) {
    if (!mereni.ExistujeOdlehlyZaznam()) return;
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const jazyk::Tpopis& p = jazyk.popis;
    const bool uhel = JeUhlovyDruhProtokolu(druh);
    const std::string& jednotka = u.Hodnota(uhel);
    Sekce sekce;
    sekce.nadpis = nadpis;
    Tabulka& t = sekce.tabulka;
    t.sloupce = {
        {jazyk.protokol.serioveCislo, "", ""}, {p.cisloSTN, "", ""},     {p.cisloCIL, "", ""},
        {p.merenaHodnota, jednotka, ""},       {p.oprava, jednotka, ""}, {p.opravaNorm, "", ""},
        {p.opravaMezni, jednotka, ""}};
    // Supplementary observations are numbered by their row from 0.
    const int32_t posun = JeDoplnek(druh) ? 1 : 0;
    for (const TmerenaVelicina& z : mereni.zaznam) {
        if (!z.jePlny || !z.jeOdlehly) continue;
        t.radky.push_back({CeleCislo(z.poradi + posun), z.cislo_stn, z.cislo_cil,
                           f.Hodnota(uhel, z.hodnota), f.Hodnota(uhel, z.oprava),
                           TriDesetinna(z.normOprava), f.Hodnota(uhel, z.mezniOprava)});
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

void zapsatVyrMer(Tprotokol& protokol, const TvektorMereni& mereni, const VysledekSite& model,
                  const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ, DruhProtokolu druh,
                  const std::string& nadpis) {
    if (!mereni.ExistujePlnyZaznam()) return;
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const jazyk::Tpopis& p = jazyk.popis;
    const bool uhel = JeUhlovyDruhProtokolu(druh);
    Sekce sekce;
    sekce.nadpis = nadpis + PriponaPresnosti(jazyk, typ);
    Tabulka& t = sekce.tabulka;
    const Sloupec vyrovnana{p.vyrovnanaHodnota, u.Hodnota(uhel), ""};
    const Sloupec odchylka{p.smerOdchylka, u.Odchylka(uhel), ""};
    const Sloupec oprava{p.oprava, u.Hodnota(uhel), ""};
    const Sloupec normovana{p.opravaNorm, "", ""};
    const SloupceSpolehlivosti spolehlivost(mereni);
    if (druh == DruhProtokolu::Posun) {
        t.sloupce = {
            {jazyk.protokol.serioveCislo, "", ""}, {p.cisloSTN, "", ""}, vyrovnana, odchylka};
        for (const TmerenaVelicina& z : mereni.zaznam) {
            if (!z.jePlny) continue;
            t.radky.push_back({CeleCislo(z.poradi), z.cislo_stn, f.Uhel(z.hodnota),
                               Odchylka(z.odchylka, model, typ, true, f)});
        }
    } else if (!JeDoplnek(druh)) {
        t.sloupce = {
            {p.skupina, "", ""}, {p.cisloCIL, "", ""}, vyrovnana, odchylka, oprava, normovana};
        spolehlivost.Pridat(p, u.Odchylka(uhel), t.sloupce);
        SeskupitDleStanovisek(mereni, jazyk, model, typ, uhel, f, spolehlivost, sekce);
    } else {
        t.sloupce = {{jazyk.protokol.serioveCislo, "", ""},
                     {p.cisloSTN, "", ""},
                     {p.cisloCIL, "", ""},
                     vyrovnana,
                     odchylka,
                     oprava,
                     normovana};
        spolehlivost.Pridat(p, u.Odchylka(uhel), t.sloupce);
        int32_t n = 0;
        for (const TmerenaVelicina& z : mereni.zaznam) {
            if (!z.jePlny) continue;
            t.radky.push_back({CeleCislo(++n), z.cislo_stn, z.cislo_cil,
                               f.Hodnota(uhel, z.mezniOprava),
                               Odchylka(z.odchylkaOprava, model, typ, uhel, f),
                               f.Hodnota(uhel, z.oprava), TriDesetinna(z.normOprava)});
            spolehlivost.Pridat(z, model, typ, uhel, f, t.radky.back());
        }
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

}  // namespace vertano
