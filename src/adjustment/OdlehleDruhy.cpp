#include "adjustment/OdlehleDruhy.h"

#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "data/Tnastaveni.h"

namespace vertano::druhy {

TvektorMereni& Vektor(TmodelSite& model, Velicina typ) {
    return const_cast<TvektorMereni&>(Vektor(model.Vysledek(), typ));
}

const TvektorMereni& Vektor(const VysledekSite& model, Velicina typ) {
    switch (typ) {
        case Velicina::Delka:
            return model.Delka();
        case Velicina::Smer:
            return model.Smer();
        case Velicina::Zenit:
            return model.Zenit();
        case Velicina::DoplnekDelka:
            return model.Doplnek().delka;
        case Velicina::DoplnekSmernik:
            return model.Doplnek().smernik;
        case Velicina::DoplnekPrevyseni:
            return model.Doplnek().prevyseni;
        default:
            return model.Doplnek().provazeni;
    }
}

TindexVector* Index(TmodelSite& model, Velicina typ) {
    TmodelSiteStav& stav = Stav(model);
    switch (typ) {
        case Velicina::Delka:
            return &stav.indexDelka;
        case Velicina::Smer:
            return &stav.indexSmer;
        case Velicina::Zenit:
            return &stav.indexZenit;
        default:
            return nullptr;
    }
}

int32_t& PocetOdlehlych(TmodelSite& model, Velicina typ) {
    TmodelSiteStav& stav = Stav(model);
    switch (typ) {
        case Velicina::Delka:
            return stav.pocetDelkaOdlehly;
        case Velicina::Smer:
            return stav.pocetSmerOdlehly;
        case Velicina::Zenit:
            return stav.pocetZenitOdlehly;
        case Velicina::DoplnekDelka:
            return stav.doplnek.pocetDelkaOdlehly;
        case Velicina::DoplnekSmernik:
            return stav.doplnek.pocetSmernikOdlehly;
        case Velicina::DoplnekPrevyseni:
            return stav.doplnek.pocetPrevyseniOdlehly;
        default:
            return stav.doplnek.pocetProvazeniOdlehly;
    }
}

bool Vylucovat(const Tnastaveni& nastaveni, Velicina typ) {
    const auto& p = nastaveni.prepinac;
    switch (typ) {
        case Velicina::Delka:
            return p.vylucovatDelka;
        case Velicina::Smer:
            return p.vylucovatSmer;
        case Velicina::Zenit:
            return p.vylucovatZenit;
        case Velicina::DoplnekDelka:
            return p.vylucovatDoplnekDelka;
        case Velicina::DoplnekSmernik:
            return p.vylucovatDoplnekSmernik;
        case Velicina::DoplnekPrevyseni:
            return p.vylucovatDoplnekPrevyseni;
        case Velicina::DoplnekProvazeni:
            return p.vylucovatDoplnekProvazeni;
        default:
            return false;
    }
}

int32_t PocetRovnic(const TmodelSite& model, Velicina typ) {
    const auto pocet = static_cast<int32_t>(Vektor(model, typ).zaznam.size());
    return typ == Velicina::DoplnekProvazeni ? 2 * pocet : pocet;
}

bool Pocatky(const TmodelSite& model, std::array<int32_t, 7>& pocatky) {
    const TmodelSiteStav& stav = Stav(model);
    int64_t pocatek = 0;
    for (std::size_t k = 0; k < kPoradi.size(); ++k) {
        pocatky[k] = static_cast<int32_t>(pocatek);
        pocatek += PocetRovnic(model, kPoradi[k]);
    }
    const auto m = static_cast<std::size_t>(pocatek);
    return pocatek == stav.pocetMereni && stav.vektorOprav.size() >= m &&
           stav.vektorRedukovanychMereni.size() >= m;
}

bool JeUhel(Velicina typ) {
    return typ == Velicina::Smer || typ == Velicina::Zenit || typ == Velicina::DoplnekSmernik;
}

}  // namespace vertano::druhy
