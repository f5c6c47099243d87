#include "supplementary/TdoplnkoveMereni.h"

#include "data/Tchyby.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"

namespace vertano {

namespace {

const DoplnekPripravaPocty kBezPoctu{};

// One switch for the const and the mutable look-up.
template <class Doplnek>
auto SeznamDruhu(Doplnek& d, int druh) -> decltype(&d.smernik) {
    switch (druh) {
        case doplnek::kSmernik:
            return &d.smernik;
        case doplnek::kDelka:
            return &d.delka;
        case doplnek::kPrevyseni:
            return &d.prevyseni;
        case doplnek::kProvazeni:
            return &d.provazeni;
    }
    return nullptr;
}

}  // namespace

const DoplnekPripravaPocty& DoplnekPripravaVysledek::Pocty(int druh) const {
    if (!doplnek::JeDruh(druh)) return kBezPoctu;
    return pocty[static_cast<std::size_t>(druh - 1)];
}

void TdoplnkoveMereni::Create(int32_t pocet) {
    Clear();
    const auto kapacita = static_cast<std::size_t>(pocet > 0 ? pocet : 0);
    for (Tmereni* seznam : {&smernik, &delka, &prevyseni, &provazeni, &schranka}) {
        seznam->zaznam.reserve(kapacita);
    }
    for (Tzaznam* vzor :
         {&atributyDelkaVyber, &atributyDelkaVyhledani, &atributySmernikVyber,
          &atributySmernikVyhledani, &atributyPrevyseniVyber, &atributyPrevyseniVyhledani,
          &atributyProvazeniVyber, &atributyProvazeniVyhledani}) {
        *vzor = Tzaznam::Prazdny();
    }
}

void TdoplnkoveMereni::Clear() {
    for (Tmereni* seznam : {&smernik, &delka, &prevyseni, &provazeni, &schranka}) {
        seznam->Clear();
    }
}

int32_t TdoplnkoveMereni::PocetMereni() const {
    return smernik.PocetPlnychZaznamu() + delka.PocetPlnychZaznamu() +
           prevyseni.PocetPlnychZaznamu() + provazeni.PocetPlnychZaznamu();
}

Tmereni* TdoplnkoveMereni::Seznam(int druh) {
    return SeznamDruhu(*this, druh);
}

const Tmereni* TdoplnkoveMereni::Seznam(int druh) const {
    return SeznamDruhu(*this, druh);
}

Tzaznam* TdoplnkoveMereni::AtributyVyber(int druh) {
    switch (druh) {
        case doplnek::kSmernik:
            return &atributySmernikVyber;
        case doplnek::kDelka:
            return &atributyDelkaVyber;
        case doplnek::kPrevyseni:
            return &atributyPrevyseniVyber;
        case doplnek::kProvazeni:
            return &atributyProvazeniVyber;
    }
    return nullptr;
}

Tzaznam* TdoplnkoveMereni::AtributyVyhledani(int druh) {
    switch (druh) {
        case doplnek::kSmernik:
            return &atributySmernikVyhledani;
        case doplnek::kDelka:
            return &atributyDelkaVyhledani;
        case doplnek::kPrevyseni:
            return &atributyPrevyseniVyhledani;
        case doplnek::kProvazeni:
            return &atributyProvazeniVyhledani;
    }
    return nullptr;
}

void TdoplnkoveMereni::Kontrola(int druh, const Tnastaveni& nastaveni, Tchyby& chyby) {
    Tmereni* seznam = Seznam(druh);
    if (seznam != nullptr) KontrolaDoplnku(*seznam, druh, nastaveni, chyby);
}

void TdoplnkoveMereni::KontrolaCelkova(const Tnastaveni& nastaveni, Tchyby& chyby) {
    for (const int druh : doplnek::kPoradiKontroly) Kontrola(druh, nastaveni, chyby);
}

int32_t OznameniChybDoplnku(const Tchyby& chyby) {
    for (const int druh : doplnek::kPoradiZpracovani) {
        if (doplnek::CitacChyb(chyby, druh) > 0) return doplnek::OznameniChyby(druh);
    }
    return 0;
}

std::vector<int32_t> OznameniPrekroceniDoplnku(const TdoplnkoveMereni& pripravene) {
    std::vector<int32_t> oznameni;
    for (const int druh : doplnek::kPoradiZpracovani) {
        if (pripravene.Seznam(druh)->kontrola[0] > 0) {
            oznameni.push_back(doplnek::OznameniPrekroceni(druh));
        }
    }
    return oznameni;
}

}  // namespace vertano
