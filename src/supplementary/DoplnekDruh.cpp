#include "supplementary/DoplnekDruh.h"

#include "data/Tchyby.h"
#include "data/Tinfo.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "mereni/Velicina.h"

namespace vertano::doplnek {

int TypSouboru(int druh) {
    switch (druh) {
        case kSmernik:
            return info::kDoplnekSmernik;
        case kDelka:
            return info::kDoplnekDelka;
        case kPrevyseni:
            return info::kDoplnekPrevyseni;
        case kProvazeni:
            return info::kDoplnekProvazeni;
    }
    return -1;
}

int32_t TypVeliciny(int druh) {
    switch (druh) {
        case kSmernik:
            return velicina::kDoplnekSmernik;
        case kDelka:
            return velicina::kDoplnekDelka;
        case kPrevyseni:
            return velicina::kDoplnekPrevyseni;
        case kProvazeni:
            return velicina::kDoplnekProvazeni;
    }
    return 0;
}

int PocetPoli(int druh) {
    switch (druh) {
        case kSmernik:
        case kPrevyseni:
            return 3;
        case kDelka:
            return 5;
        case kProvazeni:
            return 2;
    }
    return 0;
}

Real OdchylkaDruhu(int druh, const Tnastaveni& nastaveni) {
    const auto& d = nastaveni.doplnek;
    switch (druh) {
        case kSmernik:
            return d.odchylka_smernik;
        case kDelka:
            return d.odchylka_delka;
        case kPrevyseni:
            return d.odchylka_prevyseni;
        case kProvazeni:
            return d.odchylka_provazeni;
    }
    return -1;
}

Real MezPorovnani(int druh, const Tnastaveni& nastaveni) {
    const auto& m = nastaveni.mezZeSouradnic;
    switch (druh) {
        case kSmernik:
            return m.rozdil_smer;
        case kDelka:
            return m.rozdil_delka;
        case kPrevyseni:
            return m.rozdil_prevyseni;
        case kProvazeni:
            return m.rozdil_provazeni;
    }
    return -1;
}

namespace {

// One switch for the const and the mutable look-up.
template <class Chyby>
auto Citac(Chyby& chyby, int druh) -> decltype(&chyby.doplnekSmernikCekovyPocetChyb) {
    switch (druh) {
        case kSmernik:
            return &chyby.doplnekSmernikCekovyPocetChyb;
        case kDelka:
            return &chyby.doplnekDelkaCekovyPocetChyb;
        case kPrevyseni:
            return &chyby.doplnekPrevyseniCekovyPocetChyb;
        case kProvazeni:
            return &chyby.doplnekProvazeniCekovyPocetChyb;
    }
    return nullptr;
}

}  // namespace

int32_t* CitacChyb(Tchyby& chyby, int druh) {
    return Citac(chyby, druh);
}

int32_t CitacChyb(const Tchyby& chyby, int druh) {
    const int32_t* citac = Citac(chyby, druh);
    return citac != nullptr ? *citac : 0;
}

int32_t OznameniChyby(int druh) {
    switch (druh) {
        case kDelka:
            return 18;
        case kSmernik:
            return 19;
        case kPrevyseni:
            return 20;
        case kProvazeni:
            return 21;
    }
    return 0;
}

int32_t OznameniPrekroceni(int druh) {
    const int32_t chyba = OznameniChyby(druh);
    return chyba != 0 ? chyba + 4 : 0;
}

const char* NazevDruhu(int druh) {
    switch (druh) {
        case kSmernik:
            return "bearing";
        case kDelka:
            return "slope distance";
        case kPrevyseni:
            return "height difference";
        case kProvazeni:
            return "vertical plumbing";
    }
    return "unknown kind";
}

std::string NazevDruhu(const Tjazyk& jazyk, int druh) {
    const jazyk::Tpopis& p = jazyk.popis;
    switch (druh) {
        case kSmernik:
            return p.smernik;
        case kDelka:
            return p.delka;
        case kPrevyseni:
            return p.prevyseni;
        case kProvazeni:
            return p.provazovani;
    }
    return {};
}

}  // namespace vertano::doplnek
