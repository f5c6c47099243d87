#include "adjustment/TvektorDoplnek.h"

#include <string>

#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/TdoplnkoveMereni.h"

namespace vertano {

namespace {

TvektorMereni& VektorDruhu(TvektorDoplnek& v, DruhDoplnku druh) {
    switch (druh) {
        case DruhDoplnku::Delka:
            return v.delka;
        case DruhDoplnku::Smernik:
            return v.smernik;
        case DruhDoplnku::Prevyseni:
            return v.prevyseni;
        default:
            return v.provazeni;
    }
}

bool JeIndexBodu(const Tsouradnice& souradnice, int32_t index) {
    return index >= 0 && index < souradnice.Pocet();
}

// Every supplementary kind keeps its value in the distance column of its row.
TmerenaVelicina Pozorovani(const Tzaznam& zaznam, DruhDoplnku druh, int32_t poradi) {
    TmerenaVelicina v = TmerenaVelicina::ZeZaznamu(zaznam, doplnek::TypVeliciny(druh), zaznam.delka,
                                                   zaznam.sig_delka);
    v.poradi = poradi;
    v.skupina = -1;
    v.zkresleni = zaznam.zkresleniDelky;
    v.iStn = zaznam.iStn;
    v.iCil = zaznam.iCil;
    return v;
}

DoplnekVektorVysledek Selhani(DoplnekVektorChyba chyba, DruhDoplnku druh, std::size_t radek,
                              const Tzaznam& zaznam) {
    DoplnekVektorVysledek v;
    v.ok = false;
    v.chyba = chyba;
    v.typ = doplnek::TypVeliciny(druh);
    v.radek = static_cast<int32_t>(radek);
    v.message =
        std::string("Supplementary ") + doplnek::NazevDruhu(druh) + ", row " +
        std::to_string(radek + 1) + " (" + zaznam.cislo_stn + " - " + zaznam.cislo_cil + "): " +
        (chyba == DoplnekVektorChyba::BadPointIndex ? "its points are not those of the adjustment"
                                                    : "no usable standard deviation, so no weight");
    return v;
}

}  // namespace

void TvektorDoplnek::Create(int32_t pocet) {
    Clear();
    for (TvektorMereni* v : {&delka, &smernik, &prevyseni, &provazeni}) v->Create(pocet);
}

void TvektorDoplnek::Clear() {
    for (TvektorMereni* v : {&delka, &smernik, &prevyseni, &provazeni}) v->Clear();
    for (int32_t* p :
         {&pocet, &pocetDelka, &pocetSmernik, &pocetPrevyseni, &pocetProvazeni, &pocetDelkaOdlehly,
          &pocetSmernikOdlehly, &pocetPrevyseniOdlehly, &pocetProvazeniOdlehly}) {
        *p = -1;
    }
    jeDoplnek = jeDelka = jeSmernik = jePrevyseni = jeProvazeni = false;
}

void TvektorDoplnek::Kopiruj(const TvektorDoplnek& vektor) {
    if (&vektor != this) *this = vektor;
}

DoplnekVektorVysledek TvektorDoplnek::Nacist(const TdoplnkoveMereni& pripravene,
                                             const Tsouradnice& souradnice,
                                             const Tnastaveni& nastaveni,
                                             const Real odchylkaJednotkova) {
    Clear();
    for (const DruhDoplnku druh : doplnek::kPoradiZpracovani) {
        const Tmereni& seznam = *pripravene.Seznam(druh);
        TvektorMereni& vektor = VektorDruhu(*this, druh);
        const Real odchylkaDruhu = doplnek::OdchylkaDruhu(druh, nastaveni);
        int32_t poradi = 0;
        for (std::size_t i = 0; i < seznam.zaznam.size(); ++i) {
            const Tzaznam& zaznam = seznam.zaznam[i];
            if (!zaznam.JePlny()) continue;
            if (!JeIndexBodu(souradnice, zaznam.iStn) || !JeIndexBodu(souradnice, zaznam.iCil)) {
                Clear();
                PocetVse();
                return Selhani(DoplnekVektorChyba::BadPointIndex, druh, i, zaznam);
            }
            // Two fixed points: the observation has no unknown to determine.
            if (souradnice.bod[static_cast<std::size_t>(zaznam.iStn)].JeFixni &&
                souradnice.bod[static_cast<std::size_t>(zaznam.iCil)].JeFixni) {
                continue;
            }
            TmerenaVelicina v = Pozorovani(zaznam, druh, poradi);
            // A deviation of 0 or below counts as not set, like -1: the kind's
            // default applies, never a division by zero.
            if (!v.UrcitPresnost(odchylkaDruhu, odchylkaJednotkova)) {
                Clear();
                PocetVse();
                return Selhani(DoplnekVektorChyba::NoWeight, druh, i, zaznam);
            }
            vektor.PridejZaznam(v);
            ++poradi;
        }
    }
    PocetVse();
    return {};
}

void TvektorDoplnek::PocetVse() {
    pocetDelka = static_cast<int32_t>(delka.zaznam.size());
    pocetSmernik = static_cast<int32_t>(smernik.zaznam.size());
    pocetPrevyseni = static_cast<int32_t>(prevyseni.zaznam.size());
    pocetProvazeni = static_cast<int32_t>(provazeni.zaznam.size());
    jeDelka = pocetDelka > 0;
    jeSmernik = pocetSmernik > 0;
    jePrevyseni = pocetPrevyseni > 0;
    jeProvazeni = pocetProvazeni > 0;
    pocet = pocetDelka + pocetSmernik + pocetPrevyseni + 2 * pocetProvazeni;
    jeDoplnek = pocet > 0;
}

}  // namespace vertano
