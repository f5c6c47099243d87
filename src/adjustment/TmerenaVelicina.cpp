#include "adjustment/TmerenaVelicina.h"

#include "adjustment/VahaPozorovani.h"
#include "mereni/Tzaznam.h"

namespace vertano {

TmerenaVelicina TmerenaVelicina::Prazdny() {
    TmerenaVelicina v;
    v.hodnota = v.odchylka = v.vaha = -1;
    v.oprava = v.normOprava = v.mezniOprava = v.odchylkaOprava = -1;
    v.smernik = v.posun = v.odchylkaPosun = v.zkresleni = -1;
    v.iStn = v.iCil = -1;
    return v;
}

TmerenaVelicina TmerenaVelicina::ZeZaznamu(const Tzaznam& z, Velicina typ, Real hodnota,
                                           Real odchylka) {
    TmerenaVelicina v = Prazdny();
    v.typ = typ;
    v.poradi = z.poradi;
    v.skupina = z.skupina;
    v.cislo_stn = z.cislo_stn;
    v.cislo_cil = z.cislo_cil;
    v.hodnota = hodnota;
    v.odchylka = odchylka;
    v.jePlny = true;
    return v;
}

bool TmerenaVelicina::UrcitPresnost(Real odchylkaDruhu, Real odchylkaJednotkova) {
    odchylka = PlatnaOdchylka(odchylka, odchylkaDruhu);
    Real v = 0;
    if (VahaZOdchylky(odchylkaJednotkova, odchylka, v)) {
        vaha = v;
        return true;
    }
    vaha = -1;
    return false;
}

}  // namespace vertano
