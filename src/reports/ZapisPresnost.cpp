#include <algorithm>

#include "reports/FormatCisel.h"
#include "reports/SekceProtokolu.h"
#include "reports/SkupinyStanovisek.h"
#include "reports/Tabulka.h"
#include "reports/TextyProtokolu.h"

namespace vertano {

namespace {

// Types 1 directions, 2 zenith angles, 3 slope distances.
const Tvaha& VahaTypu(const Tvahy& vahy, int typ) {
    switch (typ) {
        case 1:
            return vahy.smer;
        case 2:
            return vahy.zenit;
        case 3:
            return vahy.delka;
        default:
            throw ChybaProtokolu("Unknown kind of precision table");
    }
}

// The summary rows keep the deviation in vyska_stn and the mean in vyska_cil;
// a deviation that could not be computed is -1.
std::string Odchylka(Real odchylka, bool uhel, const FormatCisel& f) {
    return odchylka < 0 ? "-" : f.Odchylka(uhel, odchylka);
}

// After the table: a "-" line as long as its last line and the deviation for
// the network, e.g. "Standard deviation for network [mgon]: 0.35".
void ZapsatCelkovou(Tprotokol& protokol, const Tjazyk& j, Real odchylka, bool uhel,
                    const FormatCisel& f) {
    const std::string& jednotka =
        uhel ? j.popisJednotky.smer_odchylka : j.popisJednotky.delka_odchylka;
    protokol.Pridej(Cara('-', protokol.text.back()));
    protokol.Pridej(j.popis.smerOdchylka + " " + j.popis.pro + " " + MalaPismena(j.tlacitko.sit) +
                    " [" + jednotka + "]: " + Odchylka(odchylka, uhel, f));
}

}  // namespace

void zapsatVnitrniPresnost(Tprotokol& protokol, const Tvahy& vahy, const Tnastaveni& nastaveni,
                           const Tjazyk& jazyk, int typ, const std::string& nadpis) {
    const TvnitrniPresnost& p = VahaTypu(vahy, typ).vnitrniPresnost;
    if (!p.odchylkaSkupina.ExistujePlnyZaznam()) return;
    const FormatCisel f(nastaveni);
    const bool uhel = typ != 3;
    const jazyk::Tpopis& t = jazyk.popis;
    const JednotkyProtokolu u(jazyk);
    Sekce sekce;
    sekce.nadpis = nadpis;
    sekce.legendaSkupin = "[" + jazyk.protokol.serioveCislo + "] " + t.cisloSTN + " (" +
                          t.pocetNadbytecnych + ": " + t.smerOdchylka + " [" + u.Odchylka(uhel) +
                          "])";
    Tabulka& tab = sekce.tabulka;
    tab.sloupce = {{t.cisloCIL, "", ""},
                   {t.pocetNadbytecnych, "", ""},
                   {t.stredniHodnota, u.Hodnota(uhel), ""},
                   {t.smerOdchylka, u.Odchylka(uhel), ""}};
    tab.seskupena = true;
    // The rows of each station are those carrying its serial number, however
    // the lists are ordered; a station without rows gets none of another's.
    const std::vector<Tzaznam>& cile = p.odchylkaSkupina.zaznam;
    const auto radky = RadkyStanovisek(
        cile, [](const Tzaznam& z) { return z.JePlny(); },
        [](const Tzaznam& z) { return z.poradi; });
    for (const Tzaznam& s : p.odchylkaStanovisko.zaznam) {
        if (!s.JePlny()) continue;
        // A station without target rows has none to show.
        static const std::vector<std::size_t> kZadne;
        const bool maRadky = s.poradi >= 1 && static_cast<std::size_t>(s.poradi) <= radky.size();
        const std::vector<std::size_t>& r =
            maRadky ? radky[static_cast<std::size_t>(s.poradi - 1)] : kZadne;
        // The sets of a station are those of its most observed target.
        int32_t sady = 0;
        for (const std::size_t i : r) sady = std::max(sady, cile[i].skupina);
        SkupinaRadku g{"[" + CeleCislo(s.poradi) + "] " + s.cislo_stn + " (" +
                           CeleCislo(std::max(sady - 1, 0)) + ": " +
                           Odchylka(s.vyska_stn, uhel, f) + ")",
                       {}};
        for (const std::size_t i : r) {
            const Tzaznam& z = cile[i];
            g.radky.push_back({z.cislo_cil, CeleCislo(z.skupina - 1), f.Hodnota(uhel, z.vyska_cil),
                               Odchylka(z.vyska_stn, uhel, f)});
        }
        tab.skupiny.push_back(std::move(g));
    }
    ZapsatSekci(protokol, jazyk, sekce);
    ZapsatCelkovou(protokol, jazyk, p.odchylkaCelkova.vyska_stn, uhel, f);
}

void zapsatVnejsiPresnost(Tprotokol& protokol, const Tvahy& vahy, const Tnastaveni& nastaveni,
                          const Tjazyk& jazyk, int typ, const std::string& nadpis) {
    const TvnejsiPresnost& p = VahaTypu(vahy, typ).vnejsiPresnost;
    if (!p.odchylkaTrojuhelnik.ExistujePlnyZaznam()) return;
    const FormatCisel f(nastaveni);
    const bool uhel = typ != 3;
    const bool trojuhelniky = typ == 1;
    const jazyk::Tpopis& t = jazyk.popis;
    const JednotkyProtokolu u(jazyk);
    Sekce sekce;
    sekce.nadpis = nadpis;
    Tabulka& tab = sekce.tabulka;
    tab.sloupce.push_back({jazyk.protokol.serioveCislo, "", ""});
    for (int k = 0; k < (trojuhelniky ? 3 : 2); ++k) tab.sloupce.push_back({t.cisloBod, "", ""});
    tab.sloupce.push_back({t.pocetNadbytecnych, "", ""});
    tab.sloupce.push_back({t.smerOdchylka, u.Odchylka(uhel), ""});
    int32_t n = 0;
    const std::vector<Tzaznam>& zaznamy = p.odchylkaTrojuhelnik.zaznam;
    for (std::size_t i = 0; i < zaznamy.size(); ++i) {
        const Tzaznam& z = zaznamy[i];
        if (!z.JePlny()) continue;
        RadekTabulky r{CeleCislo(++n)};
        if (trojuhelniky) {
            if (i >= p.cislaTrojuhelnik.size()) {
                throw ChybaProtokolu("A triangle of directions has no vertices");
            }
            for (const std::string& c : p.cislaTrojuhelnik[i]) r.push_back(c);
        } else {
            r.push_back(z.cislo_stn);
            r.push_back(z.cislo_cil);
        }
        r.push_back(CeleCislo(z.skupina));
        r.push_back(Odchylka(z.vyska_stn, uhel, f));
        tab.radky.push_back(std::move(r));
    }
    ZapsatSekci(protokol, jazyk, sekce);
    ZapsatCelkovou(protokol, jazyk, p.odchylkaCelkova.vyska_stn, uhel, f);
}

}  // namespace vertano
