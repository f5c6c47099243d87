// The tables of identical coordinates of the transformation report and the
// file-adding report.

#include <algorithm>

#include "reports/FormatCisel.h"
#include "reports/ProtokolTransformace.h"
#include "reports/Tabulka.h"
#include "reports/TextyProtokolu.h"
#include "transformation/VysledekModeluTransformace.h"

namespace vertano {

namespace {

// The first n records of a vector, n its number of filled records.
std::size_t Prvnich(const TvektorSouradnice& v) {
    return std::min(v.zaznam.size(), static_cast<std::size_t>(v.PocetPlnychZaznamu()));
}

}  // namespace

void zapsatOdlehleSour(Tprotokol& protokol, const TvektorSouradnice& mereni,
                       const Tnastaveni& nastaveni, const Tjazyk& jazyk,
                       const std::string& nadpis) {
    if (!mereni.ExistujeOdlehlyZaznam()) return;
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const jazyk::Tpopis& p = jazyk.popis;
    Sekce sekce;
    sekce.nadpis = nadpis;
    Tabulka& t = sekce.tabulka;
    t.sloupce = {{jazyk.protokol.serioveCislo, "", ""},
                 {p.cisloBod, "", ""},
                 {p.merenaHodnota, u.souradnice, ""},
                 {p.oprava, u.souradnice, ""},
                 {p.opravaNorm, "", ""},
                 {p.opravaMezni, u.souradnice, ""}};
    const std::size_t n = Prvnich(mereni);
    for (std::size_t i = 0; i < n; ++i) {
        const TsouradnicovaVelicina& z = mereni.zaznam[i];
        if (!z.jePlny || !z.jeOdlehly) continue;
        t.radky.push_back({CeleCislo(static_cast<int64_t>(i + 1)), z.cislo, f.Souradnice(z.hodnota),
                           f.Souradnice(z.oprava), TriDesetinna(z.normOprava),
                           f.Souradnice(z.mezniOprava)});
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

void zapsatVyrSour(Tprotokol& protokol, const TvektorSouradnice& mereni,
                   const TmodelTransformaceVyrovnani& model, const Tnastaveni& nastaveni,
                   const Tjazyk& jazyk, int typPresnost, const std::string& nadpis) {
    if (!mereni.ExistujePlnyZaznam()) return;
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const jazyk::Tpopis& p = jazyk.popis;
    const auto odchylka = [&](Real q) {
        const std::string a = f.SouradniceOdchylka(model.Vysledek().OdchylkaJednotkovaAprior() * q);
        const std::string b =
            f.SouradniceOdchylka(model.Vysledek().OdchylkaJednotkovaAposterior() * q);
        switch (typPresnost) {
            case presnostProtokolu::kApriori:
                return a;
            case presnostProtokolu::kAposteriori:
                return b;
            default:
                return a + " : " + b;
        }
    };
    Sekce sekce;
    sekce.nadpis = nadpis + PriponaPresnosti(jazyk, typPresnost);
    Tabulka& t = sekce.tabulka;
    t.sloupce = {{jazyk.protokol.serioveCislo, "", ""},  {p.cisloBod, "", ""},
                 {p.vyrovnanaHodnota, u.souradnice, ""}, {p.smerOdchylka, u.souradniceOdchylka, ""},
                 {p.oprava, u.souradnice, ""},           {p.opravaNorm, "", ""}};
    const std::size_t n = Prvnich(mereni);
    for (std::size_t i = 0; i < n; ++i) {
        const TsouradnicovaVelicina& z = mereni.zaznam[i];
        // After the evaluation mezniOprava holds the adjusted coordinate and
        // odchylkaOprava the square root of its cofactor.
        t.radky.push_back({CeleCislo(static_cast<int64_t>(i + 1)), z.cislo,
                           f.Souradnice(z.mezniOprava), odchylka(z.odchylkaOprava),
                           f.Souradnice(z.oprava), TriDesetinna(z.normOprava)});
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

bool zapsatPridatSoubor(Tprotokol& protokol, const Tjazyk& jazyk, const info::Tsoubory& soubory,
                        int pocetSouboru) {
    protokol.Clear();
    const jazyk::Tprotokol& w = jazyk.protokol;
    const std::string legenda = w.legenda + ":";
    protokol.Pridej(legenda + "\r\n" + Cara('~', DelkaTextu(w.legenda) + 1));
    Tabulka t;
    t.sloupce = {{jazyk.popis.poradi, "", ""},
                 {w.nazevSouboru, "", ""},
                 {w.souborPridan, "", ""},
                 {w.poradiChybnehoRadku, "", ""}};
    protokol.Pridej(LegendaSloupcu(t));
    const std::string data = w.data + ":";
    protokol.Pridej(data);
    protokol.Pridej(Cara('~', data));
    const std::size_t pocet =
        std::min(soubory.size(), static_cast<std::size_t>(std::max(pocetSouboru, 0)));
    int64_t k = 0;
    for (std::size_t i = soubory.size() - pocet; i < soubory.size(); ++i) {
        const info::Tsoubor& s = soubory[i];
        t.radky.push_back({CeleCislo(++k), s.jmeno, s.nacteni ? "Ok" : "-",
                           s.nacteni ? "" : CeleCislo(s.hlaseni)});
    }
    for (const std::string& r : t.Radky()) protokol.Pridej(r);
    return true;
}

}  // namespace vertano
