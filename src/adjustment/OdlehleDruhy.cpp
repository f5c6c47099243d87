#include "adjustment/OdlehleDruhy.h"

#include "adjustment/TmodelSite.h"
#include "adjustment/TmodelSiteVnitrni.h"
#include "adjustment/VysledekSite.h"
#include "data/Tnastaveni.h"

namespace vertano::druhy {

TvektorMereni& Vektor(TmodelSite& model, int32_t typ) {
    return const_cast<TvektorMereni&>(Vektor(model.Vysledek(), typ));
}

const TvektorMereni& Vektor(const VysledekSite& model, int32_t typ) {
    switch (typ) {
        case velicina::kDelka:
            return model.Delka();
        case velicina::kSmer:
            return model.Smer();
        case velicina::kZenit:
            return model.Zenit();
        case velicina::kDoplnekDelka:
            return model.Doplnek().delka;
        case velicina::kDoplnekSmernik:
            return model.Doplnek().smernik;
        case velicina::kDoplnekPrevyseni:
            return model.Doplnek().prevyseni;
        default:
            return model.Doplnek().provazeni;
    }
}

TindexVector* Index(TmodelSite& model, int32_t typ) {
    TmodelSiteStav& stav = Stav(model);
    switch (typ) {
        case velicina::kDelka:
            return &stav.indexDelka;
        case velicina::kSmer:
            return &stav.indexSmer;
        case velicina::kZenit:
            return &stav.indexZenit;
        default:
            return nullptr;
    }
}

int32_t& PocetOdlehlych(TmodelSite& model, int32_t typ) {
    TmodelSiteStav& stav = Stav(model);
    switch (typ) {
        case velicina::kDelka:
            return stav.pocetDelkaOdlehly;
        case velicina::kSmer:
            return stav.pocetSmerOdlehly;
        case velicina::kZenit:
            return stav.pocetZenitOdlehly;
        case velicina::kDoplnekDelka:
            return stav.doplnek.pocetDelkaOdlehly;
        case velicina::kDoplnekSmernik:
            return stav.doplnek.pocetSmernikOdlehly;
        case velicina::kDoplnekPrevyseni:
            return stav.doplnek.pocetPrevyseniOdlehly;
        default:
            return stav.doplnek.pocetProvazeniOdlehly;
    }
}

bool Vylucovat(const Tnastaveni& nastaveni, int32_t typ) {
    const auto& p = nastaveni.prepinac;
    switch (typ) {
        case velicina::kDelka:
            return p.vylucovatDelka;
        case velicina::kSmer:
            return p.vylucovatSmer;
        case velicina::kZenit:
            return p.vylucovatZenit;
        case velicina::kDoplnekDelka:
            return p.vylucovatDoplnekDelka;
        case velicina::kDoplnekSmernik:
            return p.vylucovatDoplnekSmernik;
        case velicina::kDoplnekPrevyseni:
            return p.vylucovatDoplnekPrevyseni;
        case velicina::kDoplnekProvazeni:
            return p.vylucovatDoplnekProvazeni;
        default:
            return false;
    }
}

int32_t PocetRovnic(const TmodelSite& model, int32_t typ) {
    const auto pocet = static_cast<int32_t>(Vektor(model, typ).zaznam.size());
    return typ == velicina::kDoplnekProvazeni ? 2 * pocet : pocet;
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

bool JeUhel(int32_t typ) {
    return typ == velicina::kSmer || typ == velicina::kZenit || typ == velicina::kDoplnekSmernik;
}

}  // namespace vertano::druhy
