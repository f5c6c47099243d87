#include "reports/FormatCisel.h"
#include "reports/SekceProtokolu.h"
#include "reports/SkupinyStanovisek.h"
#include "reports/Tabulka.h"

namespace vertano {

namespace {

constexpr int kSurova = 1;
constexpr int kPolohy = 2;
constexpr int kSkupiny = 3;
constexpr int kSOdchylkami = 4;

// A deviation of a row: "-" while not set (negative).
std::string OdchylkaNeboPomlcka(Real odchylka, bool uhel, const FormatCisel& f) {
    return odchylka < 0 ? "-" : f.Odchylka(uhel, odchylka);
}

std::string DelkaNeboNula(const Tzaznam& z, const FormatCisel& f) {
    return z.MaDelku() ? f.Delka(z.delka) : "0";
}

std::vector<Sloupec> SloupceMereni(const Tjazyk& j, int typ, const Tvahy& vahy,
                                   const FormatCisel& f) {
    const jazyk::Tpopis& p = j.popis;
    const JednotkyProtokolu u(j);
    std::vector<Sloupec> s;
    if (typ != kSkupiny) s.push_back({p.poradiSkupina, "", ""});
    s.push_back({p.cisloCIL, "", ""});
    if (typ == kSurova) s.push_back({p.vyskaCIL, u.delka, ""});
    s.push_back({p.smer, u.uhel, ""});
    s.push_back({p.zenit, u.uhel, ""});
    s.push_back({p.delka, u.delka, ""});
    if (typ == kSOdchylkami) {
        const std::string o = " - " + p.smerOdchylka;
        s.push_back({p.smer + o, u.uhelOdchylka, OdchylkaNeboPomlcka(vahy.smer.odchylka, true, f)});
        s.push_back(
            {p.zenit + o, u.uhelOdchylka, OdchylkaNeboPomlcka(vahy.zenit.odchylka, true, f)});
        s.push_back(
            {p.delka + o, u.delkaOdchylka, OdchylkaNeboPomlcka(vahy.delka.odchylka, false, f)});
    }
    return s;
}

// A value not measured is written as the files write it.
std::string SmerNeboPomlcka(const Tzaznam& z, const FormatCisel& f) {
    return z.MaSmer() ? f.Uhel(z.smer) : "-";
}

std::string ZenitNeboPomlcka(const Tzaznam& z, const FormatCisel& f) {
    if (z.MaZenit()) return f.Uhel(z.zenit);
    return z.poloha ? "-" : "-II";
}

RadekTabulky RadekMereni(const Tzaznam& z, int typ, const FormatCisel& f,
                         const std::string& nepouzito) {
    RadekTabulky r;
    if (typ != kSkupiny) r.push_back(CeleCislo(z.skupina));
    // A row the user switched off is listed, and says so.
    r.push_back(z.jeVyrazeno ? z.cislo_cil + " (" + nepouzito + ")" : z.cislo_cil);
    if (typ == kSurova) r.push_back(f.Delka(z.vyska_cil));
    r.push_back(SmerNeboPomlcka(z, f));
    r.push_back(ZenitNeboPomlcka(z, f));
    r.push_back(DelkaNeboNula(z, f));
    if (typ == kSOdchylkami) {
        r.push_back(OdchylkaNeboPomlcka(z.sig_smer, true, f));
        r.push_back(OdchylkaNeboPomlcka(z.sig_zenit, true, f));
        r.push_back(OdchylkaNeboPomlcka(z.sig_delka, false, f));
    }
    return r;
}

// "[serial] station", with the instrument height for raw measurements. A
// station number without rows has no name to show.
std::string RadekStanoviska(int32_t poradi, const Tzaznam* prvni, int typ, const FormatCisel& f) {
    std::string s = "[" + CeleCislo(poradi) + "]";
    if (prvni == nullptr) return s;
    s += " " + prvni->cislo_stn;
    if (typ == kSurova) s += " (" + f.Delka(prvni->vyska_stn) + ")";
    return s;
}

}  // namespace

void zapsatMereni(Tprotokol& protokol, const Tmereni& mereni, const Tvahy& vahy,
                  const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ,
                  const std::string& nadpis) {
    if (!mereni.ExistujePlnyZaznam()) return;
    const FormatCisel f(nastaveni);
    Sekce sekce;
    sekce.nadpis = nadpis;
    sekce.legendaSkupin = "[" + jazyk.protokol.serioveCislo + "] " + jazyk.popis.cisloSTN;
    if (typ == kSurova) {
        sekce.legendaSkupin +=
            " (" + jazyk.popis.vyskaSTN + " [" + jazyk.popisJednotky.delka_hodnota + "])";
    }
    Tabulka& t = sekce.tabulka;
    t.sloupce = SloupceMereni(jazyk, typ, vahy, f);
    t.seskupena = true;
    const auto stanoviska = RadkyStanovisek(
        mereni.zaznam, [](const Tzaznam& z) { return z.JePlny(); },
        [](const Tzaznam& z) { return z.poradi; });
    for (std::size_t s = 0; s < stanoviska.size(); ++s) {
        const std::vector<std::size_t>& radky = stanoviska[s];
        const Tzaznam* prvni = radky.empty() ? nullptr : &mereni.zaznam[radky.front()];
        SkupinaRadku g{RadekStanoviska(static_cast<int32_t>(s + 1), prvni, typ, f), {}};
        for (const std::size_t i : radky)
            g.radky.push_back(RadekMereni(mereni.zaznam[i], typ, f, jazyk.popis.nepouzito));
        t.skupiny.push_back(std::move(g));
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

void zapsatDoplnek(Tprotokol& protokol, const Tmereni& mereni, const Tnastaveni& nastaveni,
                   const Tjazyk& jazyk, int typ, const std::string& nadpis) {
    if (!mereni.ExistujePlnyZaznam()) return;
    const FormatCisel f(nastaveni);
    const jazyk::Tpopis& p = jazyk.popis;
    const JednotkyProtokolu u(jazyk);
    const nastaveni::Tdoplnek& d = nastaveni.doplnek;
    // Kinds: 1 distance, 2 bearing, 3 height difference, 4 plumbing tie.
    const bool uhel = typ == 2;
    const Real vychozi = typ == 1   ? d.odchylka_delka
                         : typ == 2 ? d.odchylka_smernik
                         : typ == 3 ? d.odchylka_prevyseni
                                    : d.odchylka_provazeni;
    Sekce sekce;
    sekce.nadpis = nadpis;
    Tabulka& t = sekce.tabulka;
    t.sloupce.push_back({jazyk.protokol.serioveCislo, "", ""});
    t.sloupce.push_back({p.cisloSTN, "", ""});
    if (typ == 1) t.sloupce.push_back({p.vyskaSTN, u.delka, ""});
    t.sloupce.push_back({p.cisloCIL, "", ""});
    if (typ == 1) t.sloupce.push_back({p.vyskaCIL, u.delka, ""});
    if (typ != 4) t.sloupce.push_back({p.merenaHodnota, u.Hodnota(uhel), ""});
    t.sloupce.push_back({p.smerOdchylka, u.Odchylka(uhel), OdchylkaNeboPomlcka(vychozi, uhel, f)});
    int32_t n = 0;
    for (const Tzaznam& z : mereni.zaznam) {
        if (!z.JePlny()) continue;
        RadekTabulky r{CeleCislo(++n), z.cislo_stn};
        if (typ == 1) r.push_back(f.Delka(z.vyska_stn));
        r.push_back(z.jeVyrazeno ? z.cislo_cil + " (" + p.nepouzito + ")" : z.cislo_cil);
        if (typ == 1) r.push_back(f.Delka(z.vyska_cil));
        if (typ != 4) r.push_back(f.Hodnota(uhel, z.delka));
        r.push_back(OdchylkaNeboPomlcka(z.sig_delka, uhel, f));
        t.radky.push_back(std::move(r));
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

}  // namespace vertano
