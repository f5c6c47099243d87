#include "adjustment/TvektorMereni.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

namespace vertano {

namespace {

size_t Delka(int32_t pocet) {
    return pocet > 0 ? static_cast<size_t>(pocet) : 0;
}

bool JeOdlehla(const TmerenaVelicina& v) {
    return v.jePlny && v.jeOdlehly;
}

template <typename Podminka>
int32_t Pocet(const std::vector<TmerenaVelicina>& zaznam, Podminka podminka) {
    return static_cast<int32_t>(std::count_if(zaznam.begin(), zaznam.end(), podminka));
}

// The records of `zdroj` that pass, built aside so that `zdroj` may be the target.
template <typename Podminka>
std::vector<TmerenaVelicina> Vyber(const std::vector<TmerenaVelicina>& zdroj, Podminka podminka) {
    std::vector<TmerenaVelicina> vybrane;
    std::copy_if(zdroj.begin(), zdroj.end(), std::back_inserter(vybrane), podminka);
    return vybrane;
}

}  // namespace

void TvektorMereni::Create(int32_t pocet) {
    zaznam.assign(Delka(pocet), TmerenaVelicina{});
}

void TvektorMereni::Velikost(int32_t pocet) {
    zaznam.resize(Delka(pocet));
}

void TvektorMereni::Kopiruj(const TvektorMereni& mereni) {
    if (&mereni != this) zaznam = mereni.zaznam;
}

void TvektorMereni::KopirujVelicinu(const TvektorMereni& mereni, Velicina typ) {
    zaznam = Vyber(mereni.zaznam, [typ](const TmerenaVelicina& v) { return v.typ == typ; });
}

void TvektorMereni::KopirujOdlehle(const TvektorMereni& mereni, bool typ) {
    zaznam = Vyber(mereni.zaznam, [typ](const TmerenaVelicina& v) { return v.jeOdlehly == typ; });
}

void TvektorMereni::PridejZaznam(const TmerenaVelicina& zaznam_novy) {
    zaznam.push_back(zaznam_novy);
}

void TvektorMereni::PridejPrazdnyZaznam() {
    zaznam.push_back(TmerenaVelicina::Prazdny());
}

void TvektorMereni::VyprazdniZaznamDlePoradi(int32_t poradi) {
    if (poradi < 0 || static_cast<size_t>(poradi) >= zaznam.size()) return;
    zaznam[static_cast<size_t>(poradi)] = TmerenaVelicina::Prazdny();
}

void TvektorMereni::SmazPrazdneZaznamy() {
    std::erase_if(zaznam, [](const TmerenaVelicina& v) { return !v.jePlny; });
}

void TvektorMereni::SmazOdlehleHodnoty() {
    for (auto& v : zaznam) {
        if (v.jeOdlehly) v = TmerenaVelicina::Prazdny();
    }
    SmazPrazdneZaznamy();
}

int32_t TvektorMereni::PocetPlnychZaznamu() const {
    return Pocet(zaznam, [](const TmerenaVelicina& v) { return v.jePlny; });
}

int32_t TvektorMereni::PocetPrazdnychZaznamu() const {
    return static_cast<int32_t>(zaznam.size()) - PocetPlnychZaznamu();
}

// A flag left on a record that is not full (a blanked or grown one) marks no
// observation: the counts and ExistujeOdlehlyZaznam agree on that.
int32_t TvektorMereni::PocetOdlehlychHodnot() const {
    return Pocet(zaznam, [](const TmerenaVelicina& v) { return JeOdlehla(v); });
}

int32_t TvektorMereni::PocetOdlehlychDelek() const {
    return Pocet(zaznam,
                 [](const TmerenaVelicina& v) { return JeOdlehla(v) && v.typ == Velicina::Delka; });
}

int32_t TvektorMereni::PocetOdlehlychSmeru() const {
    return Pocet(zaznam,
                 [](const TmerenaVelicina& v) { return JeOdlehla(v) && v.typ == Velicina::Smer; });
}

int32_t TvektorMereni::PocetOdlehlychZenitu() const {
    return Pocet(zaznam,
                 [](const TmerenaVelicina& v) { return JeOdlehla(v) && v.typ == Velicina::Zenit; });
}

int32_t TvektorMereni::PocetDelek() const {
    return Pocet(zaznam, [](const TmerenaVelicina& v) { return v.typ == Velicina::Delka; });
}

int32_t TvektorMereni::PocetSmeru() const {
    return Pocet(zaznam, [](const TmerenaVelicina& v) { return v.typ == Velicina::Smer; });
}

int32_t TvektorMereni::PocetZenitu() const {
    return Pocet(zaznam, [](const TmerenaVelicina& v) { return v.typ == Velicina::Zenit; });
}

bool TvektorMereni::ExistujePlnyZaznam() const {
    return std::any_of(zaznam.begin(), zaznam.end(),
                       [](const TmerenaVelicina& v) { return v.jePlny; });
}

bool TvektorMereni::ExistujeOdlehlyZaznam() const {
    return std::any_of(zaznam.begin(), zaznam.end(),
                       [](const TmerenaVelicina& v) { return JeOdlehla(v); });
}

int32_t TvektorMereni::NejvetsiPoradiPosunu() const {
    int32_t nejvetsi = 0;
    for (const auto& v : zaznam) nejvetsi = std::max(nejvetsi, v.poradiPosun);
    return nejvetsi;
}

int32_t TvektorMereni::PosledniPoradi() const {
    for (auto it = zaznam.rbegin(); it != zaznam.rend(); ++it) {
        if (it->poradi > 0) return it->poradi;
    }
    return 0;
}

}  // namespace vertano
