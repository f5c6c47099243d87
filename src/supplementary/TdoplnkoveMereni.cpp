#include "supplementary/TdoplnkoveMereni.h"

#include "data/Tchyby.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/KontrolaDoplnku.h"

namespace vertano {

namespace {

const DoplnekPripravaPocty kBezPoctu{};

// One switch for the const and the mutable look-up.
template <class Doplnek>
auto SeznamDruhu(Doplnek& d, DruhDoplnku druh) -> decltype(&d.smernik) {
    switch (druh) {
        case DruhDoplnku::Smernik:
            return &d.smernik;
        case DruhDoplnku::Delka:
            return &d.delka;
        case DruhDoplnku::Prevyseni:
            return &d.prevyseni;
        case DruhDoplnku::Provazeni:
            return &d.provazeni;
    }
    return nullptr;
}

}  // namespace

const DoplnekPripravaPocty& DoplnekPripravaVysledek::Pocty(DruhDoplnku druh) const {
    if (!doplnek::JeDruh(druh)) return kBezPoctu;
    return pocty[static_cast<std::size_t>(KodDruhu(druh) - 1)];
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

Tmereni* TdoplnkoveMereni::Seznam(DruhDoplnku druh) {
    return SeznamDruhu(*this, druh);
}

const Tmereni* TdoplnkoveMereni::Seznam(DruhDoplnku druh) const {
    return SeznamDruhu(*this, druh);
}

Tzaznam* TdoplnkoveMereni::AtributyVyber(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Smernik:
            return &atributySmernikVyber;
        case DruhDoplnku::Delka:
            return &atributyDelkaVyber;
        case DruhDoplnku::Prevyseni:
            return &atributyPrevyseniVyber;
        case DruhDoplnku::Provazeni:
            return &atributyProvazeniVyber;
    }
    return nullptr;
}

Tzaznam* TdoplnkoveMereni::AtributyVyhledani(DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Smernik:
            return &atributySmernikVyhledani;
        case DruhDoplnku::Delka:
            return &atributyDelkaVyhledani;
        case DruhDoplnku::Prevyseni:
            return &atributyPrevyseniVyhledani;
        case DruhDoplnku::Provazeni:
            return &atributyProvazeniVyhledani;
    }
    return nullptr;
}

void TdoplnkoveMereni::Kontrola(DruhDoplnku druh, const Tnastaveni& nastaveni, Tchyby& chyby) {
    Tmereni* seznam = Seznam(druh);
    if (seznam != nullptr) KontrolaDoplnku(*seznam, druh, nastaveni, chyby);
}

void TdoplnkoveMereni::KontrolaCelkova(const Tnastaveni& nastaveni, Tchyby& chyby) {
    for (const DruhDoplnku druh : doplnek::kPoradiKontroly) Kontrola(druh, nastaveni, chyby);
}

int32_t OznameniChybDoplnku(const Tchyby& chyby) {
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        if (doplnek::CitacChyb(chyby, druh) > 0) return doplnek::OznameniChyby(druh);
    }
    return 0;
}

std::vector<int32_t> OznameniPrekroceniDoplnku(const TdoplnkoveMereni& pripravene) {
    std::vector<int32_t> oznameni;
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        if (pripravene.Seznam(druh)->kontrola[0] > 0) {
            oznameni.push_back(doplnek::OznameniPrekroceni(druh));
        }
    }
    return oznameni;
}

}  // namespace vertano
