#include "adjustment/TmerenaVelicina.h"

#include "adjustment/VahaPozorovani.h"

namespace vertano {

TmerenaVelicina TmerenaVelicina::Prazdny() {
    TmerenaVelicina v;
    v.hodnota = v.odchylka = v.vaha = -1;
    v.oprava = v.normOprava = v.mezniOprava = v.odchylkaOprava = -1;
    v.smernik = v.posun = v.odchylkaPosun = v.zkresleni = -1;
    v.iStn = v.iCil = -1;
    return v;
}

bool TmerenaVelicina::UrcitPresnost(Real odchylkaDruhu, Real odchylkaJednotkova) {
    odchylka = PlatnaOdchylka(odchylka, odchylkaDruhu);
    if (VahaZOdchylky(odchylkaJednotkova, odchylka, vaha)) return true;
    vaha = -1;
    return false;
}

}  // namespace vertano
