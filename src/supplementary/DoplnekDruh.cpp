#include "supplementary/DoplnekDruh.h"

#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "mereni/Velicina.h"

namespace vertano::doplnek {

int TypSouboru(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Smernik:
            return info::kDoplnekSmernik;
        case DruhDoplnku::Delka:
            return info::kDoplnekDelka;
        case DruhDoplnku::Prevyseni:
            return info::kDoplnekPrevyseni;
        case DruhDoplnku::Provazeni:
            return info::kDoplnekProvazeni;
        case DruhDoplnku::Zadny:
            break;
    }
    return -1;
}

Velicina TypVeliciny(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Smernik:
            return Velicina::DoplnekSmernik;
        case DruhDoplnku::Delka:
            return Velicina::DoplnekDelka;
        case DruhDoplnku::Prevyseni:
            return Velicina::DoplnekPrevyseni;
        case DruhDoplnku::Provazeni:
            return Velicina::DoplnekProvazeni;
        case DruhDoplnku::Zadny:
            break;
    }
    return Velicina::Zadna;
}

int PocetPoli(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Smernik:
        case DruhDoplnku::Prevyseni:
            return 3;
        case DruhDoplnku::Delka:
            return 5;
        case DruhDoplnku::Provazeni:
            return 2;
        case DruhDoplnku::Zadny:
            break;
    }
    return 0;
}

Real OdchylkaDruhu(DruhDoplnku druh, const Tnastaveni& nastaveni) {
    const auto& d = nastaveni.doplnek;
    switch (druh) {
        case DruhDoplnku::Smernik:
            return d.odchylka_smernik;
        case DruhDoplnku::Delka:
            return d.odchylka_delka;
        case DruhDoplnku::Prevyseni:
            return d.odchylka_prevyseni;
        case DruhDoplnku::Provazeni:
            return d.odchylka_provazeni;
        case DruhDoplnku::Zadny:
            break;
    }
    return -1;
}

Real MezPorovnani(DruhDoplnku druh, const Tnastaveni& nastaveni) {
    const auto& m = nastaveni.mezZeSouradnic;
    switch (druh) {
        case DruhDoplnku::Smernik:
            return m.rozdil_smer;
        case DruhDoplnku::Delka:
            return m.rozdil_delka;
        case DruhDoplnku::Prevyseni:
            return m.rozdil_prevyseni;
        case DruhDoplnku::Provazeni:
            return m.rozdil_provazeni;
        case DruhDoplnku::Zadny:
            break;
    }
    return -1;
}

namespace {

// One switch for the const and the mutable look-up.
template <class Chyby>
auto Citac(Chyby& chyby, DruhDoplnku druh) -> decltype(&chyby.doplnekSmernikCekovyPocetChyb) {
    switch (druh) {
        case DruhDoplnku::Smernik:
            return &chyby.doplnekSmernikCekovyPocetChyb;
        case DruhDoplnku::Delka:
            return &chyby.doplnekDelkaCekovyPocetChyb;
        case DruhDoplnku::Prevyseni:
            return &chyby.doplnekPrevyseniCekovyPocetChyb;
        case DruhDoplnku::Provazeni:
            return &chyby.doplnekProvazeniCekovyPocetChyb;
        case DruhDoplnku::Zadny:
            break;
    }
    return nullptr;
}

}  // namespace

int32_t* CitacChyb(Tchyby& chyby, DruhDoplnku druh) {
    return Citac(chyby, druh);
}

int32_t CitacChyb(const Tchyby& chyby, DruhDoplnku druh) {
    const int32_t* citac = Citac(chyby, druh);
    return citac != nullptr ? *citac : 0;
}

int32_t OznameniChyby(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Delka:
            return 18;
        case DruhDoplnku::Smernik:
            return 19;
        case DruhDoplnku::Prevyseni:
            return 20;
        case DruhDoplnku::Provazeni:
            return 21;
        case DruhDoplnku::Zadny:
            break;
    }
    return 0;
}

int32_t OznameniPrekroceni(DruhDoplnku druh) {
    const int32_t chyba = OznameniChyby(druh);
    return chyba != 0 ? chyba + 4 : 0;
}

const char* NazevDruhu(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Smernik:
            return "bearing";
        case DruhDoplnku::Delka:
            return "slope distance";
        case DruhDoplnku::Prevyseni:
            return "height difference";
        case DruhDoplnku::Provazeni:
            return "vertical plumbing";
        case DruhDoplnku::Zadny:
            break;
    }
    return "unknown kind";
}

std::string NazevDruhu(const Tjazyk& jazyk, DruhDoplnku druh) {
    const jazyk::Tpopis& p = jazyk.popis;
    switch (druh) {
        case DruhDoplnku::Smernik:
            return p.smernik;
        case DruhDoplnku::Delka:
            return p.delka;
        case DruhDoplnku::Prevyseni:
            return p.prevyseni;
        case DruhDoplnku::Provazeni:
            return p.provazovani;
        case DruhDoplnku::Zadny:
            break;
    }
    return {};
}

}  // namespace vertano::doplnek
