#include "workspace/SimulaceMereni.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "adjustment/PriblizneKonstrukce.h"
#include "data/Tnastaveni.h"
#include "matice/ElementaryFunctions.h"
#include "matice/Konstanty.h"
#include "processing/Uhly.h"
#include "workspace/SimulaceBody.h"

namespace vertano::simulace {

namespace {

// Noise that would push a reading out of its range (a negative distance, a
// zenith angle into the other face) is drawn again; with any sensible sigma this
// never happens.
constexpr int kPokusuSumu = 100;

Real Zasumit(Real hodnota, Real sigma, Real od, Real do_, SimulaceNahoda& n) {
    for (int pokus = 0; pokus < kPokusuSumu; ++pokus) {
        const Real v = hodnota + sigma * n.Normalni();
        if (v > od && v < do_) return v;
    }
    return hodnota;
}

Zacileni Zamerit(const Tbod& s, Real vyskaStn, Real orientace, const Tbod& c, int32_t cil,
                 Real vyskaCil) {
    Zacileni z;
    z.cil = cil;
    z.vyskaCil = vyskaCil;
    z.smer = Normalise(Smernik(s, c) - orientace);
    ZameritNaKouli(s, vyskaStn, c, vyskaCil, z.delka, z.zenit);
    return z;
}

Tzaznam Radek(const Obsazeni& o, const Zacileni& z, const Tsouradnice& body, int32_t poradi,
              int32_t skupina, bool polohaI, const SimulaceParametry& p, SimulaceNahoda& n) {
    Tzaznam r = Tzaznam::Prazdny();
    r.poradi = poradi;
    r.skupina = skupina;
    r.poloha = polohaI;
    r.cislo_stn = body.bod[static_cast<size_t>(o.stanovisko)].cislo;
    r.cislo_cil = body.bod[static_cast<size_t>(z.cil)].cislo;
    r.vyska_stn = o.vyskaStn;
    r.vyska_cil = z.vyskaCil;
    const Real smer = polohaI ? z.smer : z.smer + kPi;
    r.smer = Normalise(smer + p.sigmaSmer * n.Normalni());
    r.zenit = polohaI ? Zasumit(z.zenit, p.sigmaZenit, 0, kPi, n)
                      : Zasumit(kDvePi - z.zenit, p.sigmaZenit, kPi, kDvePi, n);
    const Real sigmaDelka = p.sigmaDelka + p.ppm * 1e-6L * z.delka;
    r.delka = Zasumit(z.delka, sigmaDelka, 0, 2 * z.delka, n);
    return r;
}

// The reading `velicina` of row r with the error added; false when the error
// would take it out of its range in either sign.
bool Pokazit(Tzaznam& r, HrubaVelicina velicina, Real& chyba) {
    for (int znamenko = 0; znamenko < 2; ++znamenko, chyba = -chyba) {
        switch (velicina) {
            case HrubaVelicina::Smer:
                r.smer = Normalise(r.smer + chyba);
                return true;
            case HrubaVelicina::Zenit: {
                const Real z = r.zenit + chyba;
                if (r.poloha ? (z > 0 && z <= kPi) : (z > kPi && z < kDvePi)) {
                    r.zenit = z;
                    return true;
                }
                break;
            }
            case HrubaVelicina::Delka:
                if (r.delka + chyba > 0) {
                    r.delka += chyba;
                    return true;
                }
                break;
        }
    }
    return false;
}

}  // namespace

void ZameritNaKouli(const Tbod& s, Real vyskaStn, const Tbod& c, Real vyskaCil, Real& delka,
                    Real& zenit) {
    // In the plane of the two verticals, the station's vertical along the y axis.
    const Real polomer = PolomerZeme();
    const Real uhel = VodorovnaVzdalenost(s, c) / polomer;
    const Real r1 = polomer + s.Z + vyskaStn;
    const Real r2 = polomer + c.Z + vyskaCil;
    const Real x = r2 * std::sin(uhel);
    const Real y = r2 * std::cos(uhel) - r1;
    delka = std::hypot(x, y);
    zenit = Atan2(x, y);
}

Real NahodnaVyska(SimulaceNahoda& nahoda) {
    return static_cast<Real>(1300 + nahoda.Index(401)) / 1000;
}

Real Smernik(const Tbod& a, const Tbod& b) {
    Real smernik = 0;
    return SmernikBodu(a, b, smernik) ? smernik : 0;
}

Real PolomerZeme() {
    static const Real polomer = [] {
        Tnastaveni nastaveni;
        nastaveni.Default();
        return nastaveni.redukceMereni.polomerRefPlochy;
    }();
    return polomer;
}

std::vector<Obsazeni> NaplanovatObsazeni(const Tsouradnice& body,
                                         const std::vector<int32_t>& stanoviska, int32_t pocetCilu,
                                         Real rozestup, SimulaceNahoda& nahoda) {
    std::vector<Obsazeni> plan;
    const HledaniSousedu hledani(body);
    for (const int32_t i : stanoviska) {
        const std::vector<int32_t> sousede = hledani.Nejblizsi(i, pocetCilu, kMinZaberu * rozestup);
        if (sousede.size() < 2) continue;
        Obsazeni o;
        o.stanovisko = i;
        o.vyskaStn = NahodnaVyska(nahoda);
        o.orientace = nahoda.Rovnomerne(0, 1) * kDvePi;
        const Tbod& s = body.bod[static_cast<size_t>(i)];
        for (const int32_t j : sousede) {
            o.cile.push_back(Zamerit(s, o.vyskaStn, o.orientace, body.bod[static_cast<size_t>(j)],
                                     j, NahodnaVyska(nahoda)));
        }
        std::sort(o.cile.begin(), o.cile.end(), [](const Zacileni& a, const Zacileni& b) {
            return std::pair(a.smer, a.cil) < std::pair(b.smer, b.cil);
        });
        plan.push_back(std::move(o));
    }
    return plan;
}

Tmereni ZmeritSkupiny(const std::vector<Obsazeni>& plan, const Tsouradnice& body,
                      const SimulaceParametry& p, SimulaceNahoda& nahoda) {
    Tmereni mereni;
    for (size_t k = 0; k < plan.size(); ++k) {
        const Obsazeni& o = plan[k];
        const auto poradi = static_cast<int32_t>(k + 1);
        for (int32_t skupina = 1; skupina <= p.pocetSkupin; ++skupina) {
            for (const Zacileni& z : o.cile)
                mereni.PridejZaznam(Radek(o, z, body, poradi, skupina, true, p, nahoda));
            for (auto z = o.cile.rbegin(); z != o.cile.rend(); ++z)
                mereni.PridejZaznam(Radek(o, *z, body, poradi, skupina, false, p, nahoda));
        }
    }
    return mereni;
}

bool PridatHrubeChyby(const SimulaceParametry& p, SimulaceNahoda& nahoda, Tmereni& mereni,
                      std::vector<HrubaChyba>& chyby, std::string& zprava) {
    chyby.clear();
    std::vector<HrubaVelicina> druhy;
    if (p.hrubaUhel > 0) druhy.insert(druhy.end(), {HrubaVelicina::Smer, HrubaVelicina::Zenit});
    if (p.hrubaDelka > 0) druhy.push_back(HrubaVelicina::Delka);
    const size_t radku = mereni.zaznam.size();
    if (p.pocetHrubych <= 0) return true;
    if (druhy.empty() || static_cast<size_t>(p.pocetHrubych) > radku * druhy.size()) {
        zprava = "more gross errors asked for than there are readings to spoil";
        return false;
    }
    std::set<std::pair<size_t, HrubaVelicina>> pouzite;
    std::vector<std::pair<size_t, HrubaChyba>> pridane;
    // Every reading can take an error of at least one sign, so the draws end.
    while (pridane.size() < static_cast<size_t>(p.pocetHrubych)) {
        const size_t i = nahoda.Index(radku);
        const HrubaVelicina v = druhy[nahoda.Index(druhy.size())];
        Real chyba = v == HrubaVelicina::Delka ? p.hrubaDelka : p.hrubaUhel;
        if (nahoda.Index(2) == 1) chyba = -chyba;
        if (pouzite.count({i, v}) > 0) continue;
        Tzaznam& r = mereni.zaznam[i];
        if (!Pokazit(r, v, chyba)) continue;
        pouzite.insert({i, v});
        pridane.emplace_back(
            i, HrubaChyba{r.poradi, r.cislo_stn, r.cislo_cil, r.skupina, r.poloha, v, chyba});
    }
    std::sort(pridane.begin(), pridane.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first, a.second.velicina) < std::pair(b.first, b.second.velicina);
    });
    for (auto& [i, chyba] : pridane) chyby.push_back(std::move(chyba));
    return true;
}

}  // namespace vertano::simulace
