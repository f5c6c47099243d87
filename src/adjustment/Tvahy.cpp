#include "adjustment/Tvahy.h"

#include "adjustment/TmerenaVelicina.h"
#include "adjustment/VahaPozorovani.h"

namespace vertano {

namespace {

// The kind's value from a source; -1 for an unknown source.
Real HodnotaZeZdroje(const Tvaha& vaha, ZdrojVah zdroj) {
    switch (zdroj) {
        case ZdrojVah::Vnitrni:
            return vaha.vnitrniPresnost.odchylkaCelkova.vyska_stn;
        case ZdrojVah::Vnejsi:
            return vaha.vnejsiPresnost.odchylkaCelkova.vyska_stn;
        case ZdrojVah::Zadana:
            return vaha.zadanaPresnost.odchylkaCelkova;
        default:
            return -1;
    }
}

// True when the kind took a usable value from the source itself.
bool VybratOdchylku(Tvaha& vaha, ZdrojVah zdroj) {
    const Real vybrana = HodnotaZeZdroje(vaha, zdroj);
    if (JeOdchylkaZadana(vybrana)) {
        vaha.odchylka = vybrana;
        return true;
    }
    vaha.odchylka = PlatnaOdchylka(-1, vaha.zadanaPresnost.odchylkaCelkova);
    return false;
}

bool JeZnamyZdroj(ZdrojVah zdroj) {
    return zdroj == ZdrojVah::Vnitrni || zdroj == ZdrojVah::Vnejsi || zdroj == ZdrojVah::Zadana;
}

}  // namespace

void Tvahy::Prazdny() {
    *this = Tvahy{};
}

void Tvahy::NastavitZadanouPresnost(const Tnastaveni& nastaveni, Tinfo& info) {
    delka.zadanaPresnost.odchylkaCelkova = nastaveni.vyrovnani.odchylka_zadanaDelka;
    smer.zadanaPresnost.odchylkaCelkova = nastaveni.vyrovnani.odchylka_zadanaSmer;
    zenit.zadanaPresnost.odchylkaCelkova = nastaveni.vyrovnani.odchylka_zadanaZenit;
    info.infoVahy.zadanaPresnost = true;
    info.infoVahy.delka.zadanaPresnost = true;
    info.infoVahy.smer.zadanaPresnost = true;
    info.infoVahy.zenit.zadanaPresnost = true;
}

bool Tvahy::ZadanaPresnostAktualni(const Tnastaveni& nastaveni) const {
    return delka.zadanaPresnost.odchylkaCelkova == nastaveni.vyrovnani.odchylka_zadanaDelka &&
           smer.zadanaPresnost.odchylkaCelkova == nastaveni.vyrovnani.odchylka_zadanaSmer &&
           zenit.zadanaPresnost.odchylkaCelkova == nastaveni.vyrovnani.odchylka_zadanaZenit;
}

bool Tvahy::VypocetVah(const Tinfo& info, const Tnastaveni& nastaveni) {
    const ZdrojVah zdroj = info.infoVahy.typVah;
    bool vse = JeZnamyZdroj(zdroj);
    if (vse) {
        // Each kind is selected even after another one fell back.
        const bool d = VybratOdchylku(delka, zdroj);
        const bool s = VybratOdchylku(smer, zdroj);
        const bool z = VybratOdchylku(zenit, zdroj);
        vse = d && s && z;
    }
    odchylkaJednotkovaApriorni = nastaveni.vyrovnani.odchylkaJednotkovaApriorni;
    return vse;
}

Real Tvahy::OdchylkaDruhu(Velicina typ) const {
    switch (typ) {
        case Velicina::Delka:
            return delka.odchylka;
        case Velicina::Smer:
            return smer.odchylka;
        case Velicina::Zenit:
            return zenit.odchylka;
        default:
            return -1;
    }
}

}  // namespace vertano
