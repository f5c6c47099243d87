#include "adjustment/AnotovaneRadky.h"

namespace vertano {

void AnotovaneRadky::Pridej(std::size_t zdroj, const Tzaznam& anotovany) {
    Anotace a;
    a.smer = anotovany.smer;
    a.sig_delka = anotovany.sig_delka;
    a.sig_smer = anotovany.sig_smer;
    a.vaha_delka = anotovany.vaha_delka;
    a.vaha_smer = anotovany.vaha_smer;
    a.vaha_zenit = anotovany.vaha_zenit;
    a.smernik = anotovany.smernik;
    a.zdroj = static_cast<uint32_t>(zdroj);
    a.soubor = anotovany.soubor;
    a.skupina = anotovany.skupina;
    a.poloha = anotovany.poloha;
    radky_.push_back(a);
}

Tzaznam AnotovaneRadky::Zaznam(const Tmereni& seznam, std::size_t i) const {
    if (i >= radky_.size()) return Tzaznam::Prazdny();
    const Anotace& a = radky_[i];
    if (a.zdroj >= seznam.zaznam.size()) return Tzaznam::Prazdny();
    Tzaznam z = seznam.zaznam[a.zdroj];
    z.smer = a.smer;
    z.sig_delka = a.sig_delka;
    z.sig_smer = a.sig_smer;
    z.vaha_delka = a.vaha_delka;
    z.vaha_smer = a.vaha_smer;
    z.vaha_zenit = a.vaha_zenit;
    z.smernik = a.smernik;
    z.soubor = a.soubor;
    z.skupina = a.skupina;
    z.poloha = a.poloha;
    return z;
}

Tmereni AnotovaneRadky::Zaznamy(const Tmereni& seznam) const {
    Tmereni vysledek;
    vysledek.zaznam.reserve(radky_.size());
    for (std::size_t i = 0; i < radky_.size(); ++i) vysledek.zaznam.push_back(Zaznam(seznam, i));
    return vysledek;
}

}  // namespace vertano
