#include "transformation/TvektorSouradnice.h"

#include <algorithm>
#include <array>

#include "data/Tsouradnice.h"

namespace vertano {

namespace {

Real Priznak(bool b) {
    return b ? 1 : 0;
}

}  // namespace

Real HodnotaPole(const TsouradnicovaVelicina& z, int32_t pole) {
    const Telipsoid& e = z.elipsoid;
    const std::array<Real, 9> osy = {e.a_delka, e.a_smernik, e.a_zenit,   e.b_delka, e.b_smernik,
                                     e.b_zenit, e.c_delka,   e.c_smernik, e.c_zenit};
    switch (pole) {
        case poleVeliciny::kTyp:
            return KodOsy(z.typ);
        case poleVeliciny::kPoradi:
            return z.poradi;
        case poleVeliciny::kHodnota:
            return z.hodnota;
        case poleVeliciny::kOdchylka:
            return z.odchylka;
        case poleVeliciny::kVaha:
            return z.vaha;
        case poleVeliciny::kOprava:
            return z.oprava;
        case poleVeliciny::kNormOprava:
            return z.normOprava;
        case poleVeliciny::kMezniOprava:
            return z.mezniOprava;
        case poleVeliciny::kOdchylkaOprava:
            return z.odchylkaOprava;
        case poleVeliciny::kTypSoustavy:
            return Priznak(z.typSoustavy);
        case poleVeliciny::kJeOdlehly:
            return Priznak(z.jeOdlehly);
        case poleVeliciny::kJePlny:
            return Priznak(z.jePlny);
        default:
            break;
    }
    if (pole >= poleVeliciny::kElipsoidADelka && pole <= poleVeliciny::kElipsoidCZenit) {
        return osy[static_cast<std::size_t>(pole - poleVeliciny::kElipsoidADelka)];
    }
    return 0;
}

void TvektorSouradnice::Create(int32_t pocet) {
    zaznam.assign(static_cast<std::size_t>(std::max(pocet, 0)), TsouradnicovaVelicina{});
}

void TvektorSouradnice::Velikost(int32_t pocet) {
    zaznam.resize(static_cast<std::size_t>(std::max(pocet, 0)));
}

void TvektorSouradnice::VyprazdniZaznamDlePoradi(int32_t poradi) {
    if (poradi < 0 || static_cast<std::size_t>(poradi) >= zaznam.size()) return;
    zaznam[static_cast<std::size_t>(poradi)] = TsouradnicovaVelicina{};
}

void TvektorSouradnice::SmazPrazdneZaznamy() {
    std::erase_if(zaznam, [](const TsouradnicovaVelicina& z) { return !z.jePlny; });
}

void TvektorSouradnice::SmazOdlehleHodnoty() {
    for (TsouradnicovaVelicina& z : zaznam) {
        if (z.jeOdlehly) z = TsouradnicovaVelicina{};
    }
    SmazPrazdneZaznamy();
}

void TvektorSouradnice::KopirujVelicinu(const TvektorSouradnice& souradnice, Osa typ) {
    std::vector<TsouradnicovaVelicina> vybrane;
    std::copy_if(souradnice.zaznam.begin(), souradnice.zaznam.end(), std::back_inserter(vybrane),
                 [typ](const TsouradnicovaVelicina& z) { return z.typ == typ; });
    zaznam = std::move(vybrane);
}

int32_t TvektorSouradnice::PocetPlnychZaznamu() const {
    return static_cast<int32_t>(
        std::count_if(zaznam.begin(), zaznam.end(), [](const auto& z) { return z.jePlny; }));
}

int32_t TvektorSouradnice::PocetPrazdnychZaznamu() const {
    return static_cast<int32_t>(zaznam.size()) - PocetPlnychZaznamu();
}

int32_t TvektorSouradnice::PocetOdlehlychHodnot() const {
    return static_cast<int32_t>(
        std::count_if(zaznam.begin(), zaznam.end(), [](const auto& z) { return z.jeOdlehly; }));
}

int32_t TvektorSouradnice::PocetTypu(Osa typ, bool jenOdlehle) const {
    return static_cast<int32_t>(std::count_if(zaznam.begin(), zaznam.end(), [&](const auto& z) {
        return z.typ == typ && (!jenOdlehle || z.jeOdlehly);
    }));
}

bool TvektorSouradnice::ExistujePlnyZaznam() const {
    return std::any_of(zaznam.begin(), zaznam.end(), [](const auto& z) { return z.jePlny; });
}

bool TvektorSouradnice::ExistujeOdlehlyZaznam() const {
    return std::any_of(zaznam.begin(), zaznam.end(),
                       [](const auto& z) { return z.jePlny && z.jeOdlehly; });
}

void TvektorSouradnice::NactiSouradnice(const Tsouradnice& souradnice, bool typSoustavy) {
    zaznam.clear();
    for (const Osa typ : {Osa::X, Osa::Y, Osa::Z}) {
        for (const Tbod& b : souradnice.bod) {
            if (!b.JePlny) continue;
            TsouradnicovaVelicina z;
            z.typ = typ;
            z.poradi = b.poradi;
            z.cislo = b.cislo;
            z.hodnota = typ == Osa::X ? b.X : typ == Osa::Y ? b.Y : b.Z;
            z.odchylka = typ == Osa::X   ? b.Presnost().sig_X
                         : typ == Osa::Y ? b.Presnost().sig_Y
                                         : b.Presnost().sig_Z;
            z.elipsoid = b.Presnost().elipsoid;
            z.typSoustavy = typSoustavy;
            z.jePlny = true;
            zaznam.push_back(z);
        }
    }
}

void TvektorSouradnice::PrevedNaSouradnice(Tsouradnice& souradniceVystup,
                                           const Tsouradnice& souradniceVstup, int32_t pole) const {
    Tsouradnice vystup;
    for (const Tbod& vzor : souradniceVstup.bod) {
        if (!vzor.JePlny) continue;
        Tbod b = Tbod::Prazdny();
        b.cislo = vzor.cislo;
        b.poradi = vzor.poradi;
        bool nalezen = false;
        for (const TsouradnicovaVelicina& z : zaznam) {
            if (z.cislo != vzor.cislo) continue;
            const Real hodnota = HodnotaPole(z, pole);
            if (z.typ == Osa::X) {
                b.X = hodnota;
            } else if (z.typ == Osa::Y) {
                b.Y = hodnota;
            } else if (z.typ == Osa::Z) {
                b.Z = hodnota;
            } else {
                continue;
            }
            nalezen = true;
        }
        if (!nalezen) continue;
        b.JePlny = true;
        vystup.PridejBod(b);
    }
    souradniceVystup = std::move(vystup);
}

}  // namespace vertano
