#include "adjustment/OdlehleDruhy.h"

#include "adjustment/Tmodel2.h"
#include "data/Tnastaveni.h"

namespace vertano::druhy {

TvektorMereni& Vektor(Tmodel2& model, int32_t typ) {
    return const_cast<TvektorMereni&>(Vektor(static_cast<const Tmodel2&>(model), typ));
}

const TvektorMereni& Vektor(const Tmodel2& model, int32_t typ) {
    switch (typ) {
        case velicina::kDelka:
            return model.delka;
        case velicina::kSmer:
            return model.smer;
        case velicina::kZenit:
            return model.zenit;
        case velicina::kDoplnekDelka:
            return model.doplnek.delka;
        case velicina::kDoplnekSmernik:
            return model.doplnek.smernik;
        case velicina::kDoplnekPrevyseni:
            return model.doplnek.prevyseni;
        default:
            return model.doplnek.provazeni;
    }
}

TindexVector* Index(Tmodel2& model, int32_t typ) {
    switch (typ) {
        case velicina::kDelka:
            return &model.indexDelka;
        case velicina::kSmer:
            return &model.indexSmer;
        case velicina::kZenit:
            return &model.indexZenit;
        default:
            return nullptr;
    }
}

int32_t& PocetOdlehlych(Tmodel2& model, int32_t typ) {
    switch (typ) {
        case velicina::kDelka:
            return model.pocetDelkaOdlehly;
        case velicina::kSmer:
            return model.pocetSmerOdlehly;
        case velicina::kZenit:
            return model.pocetZenitOdlehly;
        case velicina::kDoplnekDelka:
            return model.doplnek.pocetDelkaOdlehly;
        case velicina::kDoplnekSmernik:
            return model.doplnek.pocetSmernikOdlehly;
        case velicina::kDoplnekPrevyseni:
            return model.doplnek.pocetPrevyseniOdlehly;
        default:
            return model.doplnek.pocetProvazeniOdlehly;
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

int32_t PocetRovnic(const Tmodel2& model, int32_t typ) {
    const auto pocet = static_cast<int32_t>(Vektor(model, typ).zaznam.size());
    return typ == velicina::kDoplnekProvazeni ? 2 * pocet : pocet;
}

bool Pocatky(const Tmodel2& model, std::array<int32_t, 7>& pocatky) {
    int64_t pocatek = 0;
    for (std::size_t k = 0; k < kPoradi.size(); ++k) {
        pocatky[k] = static_cast<int32_t>(pocatek);
        pocatek += PocetRovnic(model, kPoradi[k]);
    }
    const auto m = static_cast<std::size_t>(pocatek);
    return pocatek == model.pocetMereni && model.vektorOprav.size() >= m &&
           model.vektorRedukovanychMereni.size() >= m;
}

bool JeUhel(int32_t typ) {
    return typ == velicina::kSmer || typ == velicina::kZenit || typ == velicina::kDoplnekSmernik;
}

}  // namespace vertano::druhy
