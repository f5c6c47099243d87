#include "adjustment/VnitrniPresnost.h"

#include <cmath>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "adjustment/PresnostStatistika.h"
#include "adjustment/TmerenaVelicina.h"

namespace vertano {

namespace {

using Indexy = std::vector<std::size_t>;
// The annotated rows of one station with their indices in the list, until the
// station's deviation is known.
using Anotovane = std::vector<std::pair<std::size_t, Tzaznam>>;

// Full rows by station number, ascending, each in list order. Grouping by the
// number rather than by runs keeps a station whole even if its rows were split.
std::map<int32_t, Indexy> RadkyStanovisek(const Tmereni& mereni) {
    std::map<int32_t, Indexy> stanoviska;
    for (std::size_t i = 0; i < mereni.zaznam.size(); ++i) {
        if (mereni.zaznam[i].JePlny()) stanoviska[mereni.zaznam[i].poradi].push_back(i);
    }
    return stanoviska;
}

// The targets of one station, each with its rows (sets) in list order; targets in
// the order of their first row. Names are compared exactly.
std::vector<Indexy> CileStanoviska(const Tmereni& mereni, const Indexy& radky) {
    std::vector<Indexy> cile;
    std::unordered_map<std::string_view, std::size_t> poziceCile;
    for (const std::size_t i : radky) {
        const auto [it, novy] = poziceCile.try_emplace(mereni.zaznam[i].cislo_cil, cile.size());
        if (novy) cile.emplace_back();
        cile[it->second].push_back(i);
    }
    return cile;
}

// The rows of a target that carry a value of the kind.
Indexy RadkySHodnotou(const Tmereni& mereni, const Indexy& sady, Velicina druh) {
    const auto maHodnotu = [druh](const Tzaznam& z) {
        if (druh == Velicina::Delka) return z.MaDelku();
        return druh == Velicina::Smer ? z.MaSmer() : z.MaZenit();
    };
    Indexy s;
    for (const std::size_t i : sady) {
        if (maHodnotu(mereni.zaznam[i])) s.push_back(i);
    }
    return s;
}

class VypocetStanoviska {
  public:
    VypocetStanoviska(const Tmereni& mereni, Velicina druh, const nastaveni::Tmez& mez)
        : mereni_(mereni), druh_(druh), mez_(mez) {}

    // Adds the targets of one station to `vysledek`; false on a fault.
    bool Pridej(const Indexy& radky, TvnitrniPresnost& vysledek, SdruzenaOdchylka& celkova) const {
        SdruzenaOdchylka stanovisko;
        Anotovane anotovane;
        for (const Indexy& sady : CileStanoviska(mereni_, radky)) {
            if (!PridejCil(RadkySHodnotou(mereni_, sady, druh_), vysledek, anotovane, stanovisko)) {
                return false;
            }
        }
        if (stanovisko.Pocet() == 0) return true;
        Tzaznam souhrn = Tzaznam::Prazdny();
        if (!stanovisko.Vysledek(souhrn.vyska_stn)) return false;
        const Tzaznam& prvni = mereni_.zaznam[radky.front()];
        souhrn.poradi = prvni.poradi;
        souhrn.cislo_stn = prvni.cislo_stn;
        souhrn.skupina = stanovisko.Pocet();
        for (auto& [i, z] : anotovane) {
            z.sig_smer = souhrn.vyska_stn;
            vysledek.mereniSkupina.Pridej(i, z);
        }
        vysledek.odchylkaStanovisko.PridejZaznam(souhrn);
        celkova.Pridej(static_cast<Real>(souhrn.skupina), souhrn.vyska_stn);
        return true;
    }

  private:
    bool PridejCil(const Indexy& sady, TvnitrniPresnost& vysledek, Anotovane& anotovane,
                   SdruzenaOdchylka& stanovisko) const {
        if (sady.size() < 2) return true;
        std::vector<Real> hodnoty;
        for (const std::size_t i : sady) hodnoty.push_back(HodnotaDruhu(mereni_.zaznam[i], druh_));
        Vyber v;
        if (!StatistikaDruhu(hodnoty, druh_, v)) return false;
        const Real mez = MezOdchylkyOdPrumeru(v.pocet, ToleranceDruhu(mez_, druh_));
        for (std::size_t k = 0; k < sady.size(); ++k) {
            Tzaznam z = mereni_.zaznam[sady[k]];
            const Real odchylka = OdchylkaOdPrumeru(v.prumer, hodnoty[k], druh_);
            z.sig_delka = v.odchylka;
            z.vaha_delka = v.prumer;
            z.vaha_smer = odchylka;
            z.poloha = mez >= std::fabs(odchylka);
            anotovane.emplace_back(sady[k], z);
        }
        const Tzaznam& prvni = mereni_.zaznam[sady.front()];
        Tzaznam souhrn = Tzaznam::Prazdny();
        souhrn.poradi = prvni.poradi;
        souhrn.cislo_stn = prvni.cislo_stn;
        souhrn.cislo_cil = prvni.cislo_cil;
        souhrn.skupina = v.pocet;
        souhrn.vyska_stn = v.odchylka;
        souhrn.vyska_cil = v.prumer;
        vysledek.odchylkaSkupina.PridejZaznam(souhrn);
        stanovisko.Pridej(static_cast<Real>(v.pocet), v.odchylka);
        return true;
    }

    const Tmereni& mereni_;
    const Velicina druh_;
    const nastaveni::Tmez& mez_;
};

// At most every full row with a value of the kind is annotated, and a target
// needs two of them for its summary row. Reserved at once, a large network's
// lists do not hold up to twice their rows as lists grown station by station do.
void Rezervovat(const Tmereni& mereni, Velicina druh, TvnitrniPresnost& vysledek) {
    std::size_t pocet = 0;
    for (const Tzaznam& z : mereni.zaznam) {
        if (z.JePlny() && (druh != Velicina::Delka || z.MaDelku())) ++pocet;
    }
    vysledek.mereniSkupina.Rezervovat(pocet);
    vysledek.odchylkaSkupina.zaznam.reserve(pocet / 2);
}

}  // namespace

bool VypocetVnitrniPresnosti(const Tmereni& mereni, Velicina druh,
                             const nastaveni::Tmez& mezSkupina, TvnitrniPresnost& vysledek) {
    vysledek.Prazdny();
    Rezervovat(mereni, druh, vysledek);
    const VypocetStanoviska vypocet(mereni, druh, mezSkupina);
    SdruzenaOdchylka celkova;
    for (const auto& [poradi, radky] : RadkyStanovisek(mereni)) {
        if (!vypocet.Pridej(radky, vysledek, celkova)) {
            vysledek.Prazdny();
            return false;
        }
    }
    if (!celkova.ZapsatCelkovou(vysledek.odchylkaCelkova)) {
        vysledek.Prazdny();
        return false;
    }
    return true;
}

}  // namespace vertano
