#include <array>

#include "adjustment/VysledekSite.h"
#include "reports/FormatCisel.h"
#include "reports/SekceProtokolu.h"
#include "reports/Tabulka.h"
#include "reports/TextyProtokolu.h"

namespace vertano {

namespace {

constexpr int kSMeritkem = 2;
constexpr int kVstupniOdchylky = 3;
constexpr int kApriori = 4;
constexpr int kObe = 6;

// Index of X and Y in the order of the settings; Z is always 2.
std::array<int, 3> PoradiOs(const Tnastaveni& n) {
    return n.jednotky.poradiSouradnice == 1 ? std::array<int, 3>{1, 0, 2}
                                            : std::array<int, 3>{0, 1, 2};
}

std::array<std::string, 3> NazvyOs(const Tjazyk& j) {
    const std::string s = j.tlacitko.souradnice2 + " ";
    return {s + j.popis.x, s + j.popis.y, s + j.popis.z};
}

// The unit standard deviations of an accuracy type (1 a priori, 2 a posteriori,
// 3 both): the first, and the second for "both".
struct Sigma0 {
    Real prvni = 0;
    Real druha = 0;
    bool obe = false;
};

Sigma0 SigmaTypu(const VysledekSite& model, int typPresnosti) {
    switch (typPresnosti) {
        case presnostProtokolu::kApriori:
            return {model.OdchylkaJednotkovaAprior(), 0, false};
        case presnostProtokolu::kAposteriori:
            return {model.OdchylkaJednotkovaAposterior(), 0, false};
        default:
            return {model.OdchylkaJednotkovaAprior(), model.OdchylkaJednotkovaAposterior(), true};
    }
}

// sigma0 x value as a coordinate deviation, "a : b" for both.
std::string Skalovana(Real hodnota, const Sigma0& s, const FormatCisel& f) {
    const std::string a = f.SouradniceOdchylka(s.prvni * hodnota);
    return s.obe ? a + " : " + f.SouradniceOdchylka(s.druha * hodnota) : a;
}

std::array<Real, 3> Souradnice(const Tbod& b) {
    return {b.X, b.Y, b.Z};
}

std::array<Real, 3> Odchylky(const Tbod& b) {
    return {b.Presnost().sig_X, b.Presnost().sig_Y, b.Presnost().sig_Z};
}

}  // namespace

void zapsatSouradnice(Tprotokol& protokol, const Tsouradnice& souradnice, const VysledekSite& model,
                      const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ,
                      const std::string& nadpis) {
    if (!souradnice.ExistujePlnyBod()) return;
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const std::array<int, 3> osy = PoradiOs(nastaveni);
    const std::array<std::string, 3> nazvy = NazvyOs(jazyk);
    const nastaveni::Tvyrovnani& t = nastaveni.transformace;
    const std::array<Real, 3> vstupni = {t.odchylka_zadanaSmer, t.odchylka_zadanaZenit,
                                         t.odchylka_zadanaDelka};
    const Real vychoziMeritko = nastaveni.redukceMereni.zakladniZkresleni;
    const bool odchylky = typ >= kVstupniOdchylky && typ <= kObe;
    const Sigma0 sigma = SigmaTypu(model, typ - kVstupniOdchylky);

    Sekce sekce;
    sekce.nadpis = nadpis + (typ >= kApriori ? PriponaPresnosti(jazyk, typ - 3) : "");
    Tabulka& tab = sekce.tabulka;
    tab.sloupce.push_back({jazyk.protokol.serioveCislo, "", ""});
    tab.sloupce.push_back({jazyk.popis.cisloBod, "", ""});
    for (const int o : osy) tab.sloupce.push_back({nazvy[o], u.souradnice, ""});
    if (typ == kSMeritkem) {
        tab.sloupce.push_back({jazyk.popis.meritkovyKoeficient, "", f.Meritko(vychoziMeritko)});
    }
    if (odchylky) {
        for (const int o : osy) {
            const std::string poznamka =
                typ == kVstupniOdchylky ? f.SouradniceOdchylka(vstupni[o]) : "";
            tab.sloupce.push_back(
                {nazvy[o] + " - " + jazyk.popis.smerOdchylka, u.souradniceOdchylka, poznamka});
        }
    }
    int32_t n = 0;
    for (const Tbod& b : souradnice.bod) {
        if (!b.JePlny) continue;
        RadekTabulky r{CeleCislo(++n), b.cislo};
        const std::array<Real, 3> xyz = Souradnice(b);
        for (const int o : osy) r.push_back(f.Souradnice(xyz[o]));
        if (typ == kSMeritkem) {
            r.push_back(b.zkresleni == vychoziMeritko ? "-" : f.Meritko(b.zkresleni));
        }
        if (odchylky) {
            const std::array<Real, 3> sig = Odchylky(b);
            for (const int o : osy) {
                if (typ == kVstupniOdchylky) {
                    r.push_back(sig[o] < 0 ? "-" : f.SouradniceOdchylka(sig[o]));
                } else {
                    // A held coordinate of a point fixed in plan or in
                    // height alone is as fixed as that of a fixed point.
                    const bool fixni = b.JeFixni || (b.JeCastecneFixni() && b.DrziOsu(o));
                    r.push_back(fixni ? "-" : Skalovana(sig[o], sigma, f));
                }
            }
        }
        tab.radky.push_back(std::move(r));
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

void zapsatElipsoid(Tprotokol& protokol, const Tsouradnice& souradnice, const VysledekSite& model,
                    const Tnastaveni& nastaveni, const Tjazyk& jazyk, int typ,
                    const std::string& nadpis) {
    if (!souradnice.ExistujePlnyBod()) return;
    const FormatCisel f(nastaveni);
    const JednotkyProtokolu u(jazyk);
    const jazyk::Tpopis& p = jazyk.popis;
    const Sigma0 sigma = SigmaTypu(model, typ);
    Sekce sekce;
    sekce.nadpis = nadpis + PriponaPresnosti(jazyk, typ);
    sekce.legendaSkupin = "[" + jazyk.protokol.serioveCislo + "] " + p.cisloBod;
    Tabulka& t = sekce.tabulka;
    const std::string osa = p.parametrOsy + " - ";
    // The lengths are written as coordinate deviations, so their unit is that
    // of the coordinates.
    t.sloupce = {{osa + p.delka2, u.souradniceOdchylka, ""},
                 {osa + p.smernik, u.uhel, ""},
                 {osa + p.zenit, u.uhel, ""}};
    t.seskupena = true;
    int32_t n = 0;
    for (const Tbod& b : souradnice.bod) {
        if (!b.JePlny) continue;
        SkupinaRadku g{"[" + CeleCislo(++n) + "] " + b.cislo, {}};
        const Telipsoid& e = b.Presnost().elipsoid;
        const std::array<std::array<Real, 3>, 3> poloosy = {{{e.a_delka, e.a_smernik, e.a_zenit},
                                                             {e.b_delka, e.b_smernik, e.b_zenit},
                                                             {e.c_delka, e.c_smernik, e.c_zenit}}};
        for (const auto& a : poloosy) {
            // A fixed point has no ellipsoid: it is not determined.
            if (b.JeFixni) {
                g.radky.push_back({"-", "-", "-"});
            } else {
                g.radky.push_back({Skalovana(a[0], sigma, f), f.Uhel(a[1]), f.Uhel(a[2])});
            }
        }
        t.skupiny.push_back(std::move(g));
    }
    ZapsatSekci(protokol, jazyk, sekce);
}

}  // namespace vertano
