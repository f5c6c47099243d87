// Loading of TvektorMereni from a measurement list and from the weights.

#include <utility>

#include "adjustment/Tvahy.h"
#include "adjustment/TvektorMereni.h"
#include "mereni/Tmereni.h"

namespace vertano {

namespace {

TmerenaVelicina ZRadku(const Tzaznam& r, Velicina typ, Real hodnota, Real odchylka, Real vaha) {
    TmerenaVelicina v = TmerenaVelicina::ZeZaznamu(r, typ, hodnota, odchylka);
    v.vaha = vaha;
    return v;
}

TmerenaVelicina Delka(const Tzaznam& r) {
    TmerenaVelicina v = ZRadku(r, Velicina::Delka, r.delka, r.sig_delka, r.vaha_delka);
    // Kept as the adjustment keeps it, so that the reduced distance can be shown.
    v.zkresleni = r.zkresleniDelky;
    return v;
}

TmerenaVelicina Smer(const Tzaznam& r) {
    TmerenaVelicina v = ZRadku(r, Velicina::Smer, r.smer, r.sig_smer, r.vaha_smer);
    v.smernik = r.smernik;
    v.posun = r.posun;
    v.odchylkaPosun = r.sig_posun;
    v.poradiPosun = r.poradi;
    return v;
}

TmerenaVelicina Zenit(const Tzaznam& r) {
    TmerenaVelicina v = ZRadku(r, Velicina::Zenit, r.zenit, r.sig_zenit, r.vaha_zenit);
    v.zkresleni = r.zkresleniDelky;
    return v;
}

}  // namespace

void TvektorMereni::NactiMereni(const Tmereni& mereni) {
    // Empty rows carry no measurement; as observations marked full they would
    // enter every count and copy with values of -1.
    std::vector<TmerenaVelicina> vysledek;
    for (const Tzaznam& r : mereni.zaznam) {
        if (r.JePlny() && r.MaDelku()) vysledek.push_back(Delka(r));
    }
    // A pointing gives only the values it has.
    for (const Tzaznam& r : mereni.zaznam) {
        if (r.JePlny() && r.MaSmer()) vysledek.push_back(Smer(r));
    }
    for (const Tzaznam& r : mereni.zaznam) {
        if (r.JePlny() && r.MaZenit()) vysledek.push_back(Zenit(r));
    }
    zaznam = std::move(vysledek);
}

void TvektorMereni::NacistVahy(const Tvahy& vahy) {
    for (auto& v : zaznam) {
        if (v.typ == Velicina::Delka || v.typ == Velicina::Smer || v.typ == Velicina::Zenit) {
            v.odchylka = vahy.OdchylkaDruhu(v.typ);
        }
    }
}

}  // namespace vertano
