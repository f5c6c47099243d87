#include <algorithm>
#include <cmath>
#include <compare>
#include <cstddef>
#include <string>
#include <vector>

#include "adjustment/Spolehlivost.h"
#include "adjustment/VysledekSite.h"
#include "drawing/TgrafikaData.h"

namespace vertano {

namespace {

using PoleDruhu = int32_t TgrafikaZaznam::*;

PoleDruhu PoleProDruh(Velicina typ) {
    switch (typ) {
        case Velicina::Delka:
            return &TgrafikaZaznam::delkaS;
        case Velicina::Smer:
            return &TgrafikaZaznam::smer;
        case Velicina::Zenit:
            return &TgrafikaZaznam::zenit;
        case Velicina::DoplnekSmernik:
            return &TgrafikaZaznam::smernik;
        case Velicina::DoplnekDelka:
            return &TgrafikaZaznam::delkaH;
        case Velicina::DoplnekPrevyseni:
            return &TgrafikaZaznam::prevyseni;
        default:
            return nullptr;
    }
}

// An unordered pair of point indices, the smaller first.
struct Dvojice {
    int32_t i = 0;
    int32_t k = 0;
    auto operator<=>(const Dvojice&) const = default;
};

Dvojice Klic(const TgrafikaZaznam& z) {
    return {z.iStn, z.iCil};
}

// The records in use ascend strictly by pair: the order NacistModel keeps and
// the merge below relies on.
bool JeSerazeny(const std::vector<TgrafikaZaznam>& mereni) {
    const TgrafikaZaznam* predchozi = nullptr;
    for (const TgrafikaZaznam& z : mereni) {
        if (!z.JePlny) continue;
        if (z.iStn >= z.iCil) return false;
        if (predchozi != nullptr && !(Klic(*predchozi) < Klic(z))) return false;
        predchozi = &z;
    }
    return true;
}

// The records in use of `stare` with `dvojice` (sorted, repeated once per
// observation) counted into the field `pole`, in pair order.
std::vector<TgrafikaZaznam> Sloucit(const std::vector<TgrafikaZaznam>& stare,
                                    const std::vector<Dvojice>& dvojice, PoleDruhu pole) {
    std::vector<TgrafikaZaznam> vysledek;
    vysledek.reserve(stare.size() + dvojice.size());
    std::size_t j = 0;
    for (std::size_t k = 0; k < dvojice.size();) {
        const Dvojice d = dvojice[k];
        int32_t pocet = 0;
        for (; k < dvojice.size() && dvojice[k] == d; ++k) ++pocet;
        for (; j < stare.size() && (!stare[j].JePlny || Klic(stare[j]) < d); ++j) {
            if (stare[j].JePlny) vysledek.push_back(stare[j]);
        }
        TgrafikaZaznam z;
        if (j < stare.size() && Klic(stare[j]) == d) {
            z = stare[j++];
        } else {
            z.iStn = d.i;
            z.iCil = d.k;
            z.JePlny = true;
        }
        z.*pole += pocet;
        vysledek.push_back(z);
    }
    for (; j < stare.size(); ++j) {
        if (stare[j].JePlny) vysledek.push_back(stare[j]);
    }
    return vysledek;
}

bool JeIndex(int32_t i, int32_t pocet) {
    return i >= 0 && i < pocet;
}

std::string PopisVeliciny(const TmerenaVelicina& z) {
    return "The observation " + z.cislo_stn + " - " + z.cislo_cil + " (kind " +
           std::to_string(KodVeliciny(z.typ)) + ", point indices " + std::to_string(z.iStn) +
           " and " + std::to_string(z.iCil) + ")";
}

bool JeKonecnyBod(const TgrafikaBod& b) {
    return std::isfinite(b.X) && std::isfinite(b.Y) && std::isfinite(b.a_delka) &&
           std::isfinite(b.b_delka) && std::isfinite(b.a_smernik);
}

}  // namespace

bool TgrafikaData::NacistModel(const VysledekSite& model, bool nacistMereni) {
    Clear();
    if (!NacistBody(model)) return false;
    odchylkaJednotkovaAprior = model.OdchylkaJednotkovaAprior();
    odchylkaJednotkovaAposterior = model.OdchylkaJednotkovaAposterior();
    if (!std::isfinite(odchylkaJednotkovaAprior) || !std::isfinite(odchylkaJednotkovaAposterior)) {
        return SelhaniNacteni("A unit standard deviation of the model is not a finite number");
    }
    if (nacistMereni && !NacistMereniModelu(model)) return false;
    return true;
}

bool TgrafikaData::NacistBody(const VysledekSite& model) {
    // Three coordinates per point, fixed and determined alike; a count of -1
    // (a cleared model) gives no point.
    const int32_t n = model.PocetSouradnic() / 3;
    if (n < 1) return SelhaniNacteni("The adjustment model has no point");
    if (n > model.Souradnice().Pocet()) {
        return SelhaniNacteni("The adjustment model lists fewer points than its coordinate count");
    }
    body.reserve(static_cast<std::size_t>(n));
    std::vector<char> nekontrolovane(static_cast<std::size_t>(n), 0);
    for (const NekontrolovanyBod& b : NekontrolovaneBody(model)) {
        if (b.index >= 0 && b.index < n) nekontrolovane[static_cast<std::size_t>(b.index)] = 1;
    }
    for (int32_t i = 0; i < n; ++i) {
        const Tbod& b = model.Souradnice().bod[static_cast<std::size_t>(i)];
        TgrafikaBod g;
        g.cislo = b.cislo;
        g.X = b.X;
        g.Y = b.Y;
        g.JeFixni = b.JeFixni;
        g.fixniOsy = b.fixniOsy;
        g.jeNekontrolovany = nekontrolovane[static_cast<std::size_t>(i)] != 0;
        if (!b.JeFixni) {
            g.a_delka = b.Presnost().elipsa.a_delka;
            g.b_delka = b.Presnost().elipsa.b_delka;
            g.a_smernik = b.Presnost().elipsa.a_smernik;
        }
        if (!JeKonecnyBod(g)) {
            return SelhaniNacteni("The point " + g.cislo +
                                  " has a coordinate or an error ellipse that is not a number");
        }
        body.push_back(std::move(g));
    }
    pocetBodu = n;
    return true;
}

bool TgrafikaData::NacistMereniModelu(const VysledekSite& model) {
    struct Druh {
        const TvektorMereni& vektor;
        int32_t pocet;
        Velicina typ;
    };
    const TvektorDoplnek& d = model.Doplnek();
    const Druh druhy[] = {
        {model.Delka(), model.PocetDelka(), Velicina::Delka},
        {model.Smer(), model.PocetSmer(), Velicina::Smer},
        {model.Zenit(), model.PocetZenit(), Velicina::Zenit},
        {d.smernik, d.pocetSmernik, Velicina::DoplnekSmernik},
        {d.prevyseni, d.pocetPrevyseni, Velicina::DoplnekPrevyseni},
        {d.delka, d.pocetDelka, Velicina::DoplnekDelka},
    };
    for (const Druh& druh : druhy) {
        if (!NacistMereniDleTypu(druh.vektor, druh.pocet, druh.typ)) {
            return SelhaniNacteni(chyba);
        }
    }
    SmazPrazdneZaznamy();
    return true;
}

bool TgrafikaData::NacistMereniDleTypu(const TvektorMereni& mereniTyp, int32_t pocetMereniTyp,
                                       Velicina typ) {
    chyba.clear();
    const PoleDruhu pole = PoleProDruh(typ);
    if (pole == nullptr) {
        chyba = "Unknown kind of observation for the drawing: " + std::to_string(KodVeliciny(typ));
        return false;
    }
    const auto pocet = static_cast<std::ptrdiff_t>(std::max(pocetMereniTyp, int32_t{0}));
    if (pocet > std::ssize(mereniTyp.zaznam)) {
        chyba = "The model counts more observations of kind " + std::to_string(KodVeliciny(typ)) +
                " than it holds";
        return false;
    }
    if (!JeSerazeny(mereni)) {
        chyba = "The pair list of the drawing is not ordered by point pairs";
        return false;
    }
    const int32_t n = PocetPlatnychBodu();
    std::vector<Dvojice> dvojice;
    dvojice.reserve(static_cast<std::size_t>(pocet));
    for (std::ptrdiff_t r = 0; r < pocet; ++r) {
        const TmerenaVelicina& z = mereniTyp.zaznam[static_cast<std::size_t>(r)];
        if (!z.jePlny) continue;
        if (!JeIndex(z.iStn, n) || !JeIndex(z.iCil, n) || z.iStn == z.iCil) {
            chyba = PopisVeliciny(z) + " does not join two points of the drawing";
            return false;
        }
        dvojice.push_back({std::min(z.iStn, z.iCil), std::max(z.iStn, z.iCil)});
    }
    std::sort(dvojice.begin(), dvojice.end());
    mereni = Sloucit(mereni, dvojice, pole);
    pocetMereni = static_cast<int32_t>(mereni.size());
    return true;
}

bool TgrafikaData::SelhaniNacteni(std::string duvod) {
    Clear();
    chyba = std::move(duvod);
    return false;
}

}  // namespace vertano
