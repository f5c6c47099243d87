#include <cmath>
#include <cstddef>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "data/Tnastaveni.h"
#include "data/Tsouradnice.h"
#include "matice/FpGuard.h"

namespace vertano {

namespace {

bool JeNezapornaKonecna(Real k) {
    return std::isfinite(k) && k >= 0;
}

// Scales a length or deviation that is given; one that is not (<= 0) stays as it
// is, so "not given" does not turn into a negative value of the display unit.
bool Skaluj(Real& hodnota, Real k) {
    if (hodnota > 0) hodnota *= k;
    return std::isfinite(hodnota);
}

bool Skaluj(StoredReal& pole, Real k) {
    Real hodnota = pole;
    const bool ok = Skaluj(hodnota, k);
    pole = hodnota;
    return ok;
}

bool SkalujPresnost(Tbod& b, Real k) {
    if (!b.presnost.HasValue()) return true;  // blank: nothing positive to scale
    Tpresnost& p = b.UpravPresnost();
    bool ok = Skaluj(p.sig_X, k);
    ok = Skaluj(p.sig_Y, k) && ok;
    ok = Skaluj(p.sig_Z, k) && ok;
    ok = Skaluj(p.elipsoid.a_delka, k) && ok;
    ok = Skaluj(p.elipsoid.b_delka, k) && ok;
    ok = Skaluj(p.elipsoid.c_delka, k) && ok;
    return ok;
}

bool JePocetVRozsahu(int pocet, const Tsouradnice& seznam) {
    return pocet >= 0 && pocet <= seznam.Pocet();
}

}  // namespace

std::unordered_map<std::string_view, std::size_t> IndexyCisel(const Tsouradnice& souradnice,
                                                              bool jenPlne) {
    std::unordered_map<std::string_view, std::size_t> indexy;
    indexy.reserve(souradnice.bod.size());
    for (std::size_t i = 0; i < souradnice.bod.size(); ++i) {
        const Tbod& b = souradnice.bod[i];
        if (b.JePlny || !jenPlne) indexy.try_emplace(b.cislo, i);
    }
    return indexy;
}

void Tsouradnice::PonechatPouziteBody(const std::vector<std::string_view>& cisla) {
    const auto indexy = IndexyCisel(*this, false);
    std::unordered_set<std::string_view> videne;
    std::vector<Tbod> pouzite;
    for (const std::string_view cislo : cisla) {
        if (!videne.insert(cislo).second) continue;
        const auto nalez = indexy.find(cislo);
        // A number the list lacks, or whose first record is an empty slot, adds
        // nothing: the observation then has no known point of this list.
        if (nalez != indexy.end() && bod[nalez->second].JePlny) {
            pouzite.push_back(bod[nalez->second]);
        }
    }
    bod = std::move(pouzite);
    Sort(kCislo);
}

bool Tsouradnice::PonechatBodySCisly(const std::vector<std::string_view>& cisla) {
    const std::unordered_set<std::string_view> pouzite(cisla.begin(), cisla.end());
    const std::size_t puvodne = bod.size();
    std::erase_if(bod, [&pouzite](const Tbod& b) { return !pouzite.contains(b.cislo); });
    return bod.size() < puvodne;
}

void Tsouradnice::NacistZkresleni(const Tnastaveni& nastaveni,
                                  const Tsouradnice& souradniceMeritko) {
    const auto indexy = IndexyCisel(souradniceMeritko, false);
    for (Tbod& b : bod) {
        if (!b.JePlny) continue;
        const auto nalez = indexy.find(b.cislo);
        b.zkresleni = nalez != indexy.end() ? Real(souradniceMeritko.bod[nalez->second].zkresleni)
                                            : nastaveni.redukceMereni.zakladniZkresleni;
    }
}

bool Tsouradnice::Prirustky(const Tsouradnice& vyrovnane, const Tsouradnice& priblizne,
                            int pocetBodu) {
    if (!JePocetVRozsahu(pocetBodu, vyrovnane) || !JePocetVRozsahu(pocetBodu, priblizne)) {
        return false;
    }
    const FpGuard guard;
    std::vector<Tbod> vysledek(vyrovnane.bod.begin(), vyrovnane.bod.begin() + pocetBodu);
    for (std::size_t a = 0; a < vysledek.size(); ++a) {
        Tbod& b = vysledek[a];
        const Tbod& p = priblizne.bod[a];
        b.X -= p.X;
        b.Y -= p.Y;
        b.Z -= p.Z;
        if (!std::isfinite(b.X) || !std::isfinite(b.Y) || !std::isfinite(b.Z)) return false;
    }
    if (!guard.Ok()) return false;
    bod = std::move(vysledek);
    return true;
}

bool Tsouradnice::KopirujVyrovnaneProZobrazeni(const Tsouradnice& souradnice,
                                               Real odchylkaJednotkova, int pocetUrcovanych) {
    if (!JePocetVRozsahu(pocetUrcovanych, souradnice) || !JeNezapornaKonecna(odchylkaJednotkova)) {
        return false;
    }
    const FpGuard guard;
    std::vector<Tbod> kopie(souradnice.bod.begin(), souradnice.bod.begin() + pocetUrcovanych);
    for (Tbod& b : kopie) {
        if (!SkalujPresnost(b, odchylkaJednotkova)) return false;
    }
    if (!guard.Ok()) return false;
    bod = std::move(kopie);
    return true;
}

bool Tsouradnice::UlozeniElipsoiduDoSouradnice(const Tsouradnice& vstup, Real odchylkaJednotkova,
                                               int pocetBodu) {
    if (!JePocetVRozsahu(pocetBodu, vstup) || !JeNezapornaKonecna(odchylkaJednotkova)) {
        return false;
    }
    const FpGuard guard;
    std::vector<Tbod> radky;
    radky.reserve(3 * static_cast<std::size_t>(pocetBodu));
    for (int c = 0; c < pocetBodu; ++c) {
        const Tbod& b = vstup.bod[static_cast<std::size_t>(c)];
        const Telipsoid& e = b.Presnost().elipsoid;
        const Real osy[3][3] = {{e.a_delka, e.a_smernik, e.a_zenit},
                                {e.b_delka, e.b_smernik, e.b_zenit},
                                {e.c_delka, e.c_smernik, e.c_zenit}};
        for (const auto& osa : osy) {
            Tbod radek = b;
            radek.poradi = 3 * c;
            radek.X = osa[0];
            if (!Skaluj(radek.X, odchylkaJednotkova)) return false;
            radek.Y = osa[1];
            radek.Z = osa[2];
            radky.push_back(std::move(radek));
        }
    }
    if (!guard.Ok()) return false;
    bod = std::move(radky);
    return true;
}

}  // namespace vertano
