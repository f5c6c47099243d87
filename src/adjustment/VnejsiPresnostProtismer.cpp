#include "adjustment/VnejsiPresnostProtismer.h"

#include <cmath>
#include <vector>

#include "adjustment/PresnostStatistika.h"
#include "adjustment/TmerenaVelicina.h"
#include "matice/Konstanty.h"

namespace vertano {

namespace {

using Radky = std::vector<Tzaznam>;

Radky SHodnotou(const Radky& radky, Velicina druh) {
    if (druh != Velicina::Delka) return radky;
    Radky s;
    for (const Tzaznam& z : radky) {
        if (z.MaDelku()) s.push_back(z);
    }
    return s;
}

// The value of a row as a sample of the forward direction.
Real VzorekDopredu(const Tzaznam& z, Velicina druh, bool zpetny) {
    const Real x = HodnotaDruhu(z, druh);
    return zpetny && druh == Velicina::Zenit ? kPi - x : x;
}

class DvojiceBodu {
  public:
    DvojiceBodu(Velicina druh, const nastaveni::Tmez& mez) : druh_(druh), mez_(mez) {}

    // Adds the pair as number `cislo`; false on a fault.
    bool Pridej(const Radky& tam, const Radky& zpet, int32_t cislo, TvnejsiPresnost& vysledek,
                SdruzenaOdchylka& celkova) const {
        std::vector<Real> hodnoty;
        for (const Tzaznam& z : tam) hodnoty.push_back(VzorekDopredu(z, druh_, false));
        for (const Tzaznam& z : zpet) hodnoty.push_back(VzorekDopredu(z, druh_, true));
        Vyber v;
        if (!StatistikaDruhu(hodnoty, druh_, v)) return false;
        const Real mez = MezOdchylkyOdPrumeru(v.pocet, ToleranceDruhu(mez_, druh_));
        const Real prumerZpet = druh_ == Velicina::Zenit ? kPi - v.prumer : v.prumer;
        for (const Tzaznam& z : tam) {
            vysledek.mereniTrojuhelnik.Pridej(RadekSeznamu(z),
                                              Anotovat(z, v, v.prumer, mez, cislo, 1));
        }
        for (const Tzaznam& z : zpet) {
            vysledek.mereniTrojuhelnik.Pridej(RadekSeznamu(z),
                                              Anotovat(z, v, prumerZpet, mez, cislo, 0));
        }
        Tzaznam souhrn = Tzaznam::Prazdny();
        souhrn.poradi = cislo;
        souhrn.cislo_stn = tam.front().cislo_stn;
        souhrn.cislo_cil = tam.front().cislo_cil;
        souhrn.skupina = v.pocet - 1;
        souhrn.vyska_stn = v.odchylka;
        souhrn.vyska_cil = v.prumer;
        vysledek.odchylkaTrojuhelnik.PridejZaznam(souhrn);
        celkova.Pridej(static_cast<Real>(souhrn.skupina), v.odchylka);
        return true;
    }

  private:
    Tzaznam Anotovat(Tzaznam z, const Vyber& v, Real prumer, Real mez, int32_t cislo,
                     int32_t smer) const {
        const Real odchylka = OdchylkaOdPrumeru(prumer, HodnotaDruhu(z, druh_), druh_);
        z.sig_smer = v.odchylka;
        z.vaha_delka = prumer;
        z.vaha_smer = odchylka;
        z.smernik = static_cast<Real>(v.pocet - 1);
        z.soubor = cislo;
        z.skupina = smer;
        z.vaha_zenit = mez;
        z.poloha = mez > std::fabs(odchylka);
        return z;
    }

    const Velicina druh_;
    const nastaveni::Tmez& mez_;
};

// The rows of a pair in one direction that carry a value of the kind.
std::size_t PocetSHodnotou(const Radky& radky, Velicina druh) {
    if (druh != Velicina::Delka) return radky.size();
    std::size_t n = 0;
    for (const Tzaznam& z : radky) n += z.MaDelku() ? 1 : 0;
    return n;
}

// The lists take every row of every reciprocal pair; grown row by row they
// would hold up to twice their rows in a large network.
void Rezervovat(const MereniMeziBody& sit, Velicina druh, TvnejsiPresnost& vysledek) {
    std::size_t pocetRadku = 0;
    std::size_t pocetDvojic = 0;
    for (int32_t a = 0; a < sit.PocetBodu(); ++a) {
        for (const int32_t b : sit.ObousmerniSousede(a)) {
            if (b < a) continue;
            const std::size_t tam = PocetSHodnotou(sit.matice.Bunka(a, b), druh);
            const std::size_t zpet = PocetSHodnotou(sit.matice.Bunka(b, a), druh);
            if (tam == 0 || zpet == 0) continue;
            pocetRadku += tam + zpet;
            ++pocetDvojic;
        }
    }
    vysledek.mereniTrojuhelnik.Rezervovat(pocetRadku);
    vysledek.odchylkaTrojuhelnik.zaznam.reserve(pocetDvojic);
}

}  // namespace

bool VypocetVnejsiPresnostiProtismer(const MereniMeziBody& sit, Velicina druh,
                                     const nastaveni::Tmez& mezProtismer,
                                     TvnejsiPresnost& vysledek) {
    vysledek.Prazdny();
    Rezervovat(sit, druh, vysledek);
    const DvojiceBodu dvojice(druh, mezProtismer);
    SdruzenaOdchylka celkova;
    int32_t cislo = 0;
    for (int32_t a = 0; a < sit.PocetBodu(); ++a) {
        for (const int32_t b : sit.ObousmerniSousede(a)) {
            if (b < a) continue;
            const Radky tam = SHodnotou(sit.matice.Bunka(a, b), druh);
            const Radky zpet = SHodnotou(sit.matice.Bunka(b, a), druh);
            if (tam.empty() || zpet.empty()) continue;
            if (!dvojice.Pridej(tam, zpet, ++cislo, vysledek, celkova)) {
                vysledek.Prazdny();
                return false;
            }
        }
    }
    if (!celkova.ZapsatCelkovou(vysledek.odchylkaCelkova)) {
        vysledek.Prazdny();
        return false;
    }
    return true;
}

}  // namespace vertano
