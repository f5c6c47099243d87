#include "workspace/SimulaceDoplnky.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "processing/Uhly.h"

namespace vertano::simulace {

namespace {

using Dvojice = std::pair<int32_t, int32_t>;

// A few pairs of each kind: a quarter of the points, at least 2, at most 10.
int32_t PocetNaDruh(int32_t pocetBodu) {
    return std::clamp(pocetBodu / 4, 2, 10);
}

// The pairs observed in the raw measurements, each once, in the order observed.
std::vector<Dvojice> ViditelneDvojice(const std::vector<Obsazeni>& plan) {
    std::vector<Dvojice> dvojice;
    std::set<Dvojice> videne;
    for (const Obsazeni& o : plan) {
        for (const Zacileni& z : o.cile) {
            const Dvojice klic = std::minmax(o.stanovisko, z.cil);
            if (videne.insert(klic).second) dvojice.emplace_back(o.stanovisko, z.cil);
        }
    }
    return dvojice;
}

// `pocet` of the pairs drawn at random, in the order drawn.
std::vector<Dvojice> Vybrat(std::vector<Dvojice> dvojice, int32_t pocet, SimulaceNahoda& n) {
    const size_t k = std::min(dvojice.size(), static_cast<size_t>(pocet));
    for (size_t i = 0; i < k; ++i) {
        const size_t j = i + static_cast<size_t>(n.Index(dvojice.size() - i));
        std::swap(dvojice[i], dvojice[j]);
    }
    dvojice.resize(k);
    return dvojice;
}

Tzaznam Radek(const Tmereni& seznam, const Tsouradnice& body, const Dvojice& d) {
    Tzaznam r = Tzaznam::Prazdny();
    r.poradi = static_cast<int32_t>(seznam.zaznam.size()) + 1;
    r.cislo_stn = body.bod[static_cast<size_t>(d.first)].cislo;
    r.cislo_cil = body.bod[static_cast<size_t>(d.second)].cislo;
    return r;
}

const Tbod& Bod(const Tsouradnice& body, int32_t i) {
    return body.bod[static_cast<size_t>(i)];
}

void Delky(const Tsouradnice& body, const std::vector<Dvojice>& dvojice, const SimulaceParametry& p,
           SimulaceNahoda& n, Tmereni& seznam) {
    for (const Dvojice& d : dvojice) {
        Tzaznam r = Radek(seznam, body, d);
        r.vyska_stn = NahodnaVyska(n);
        r.vyska_cil = NahodnaVyska(n);
        Real s = 0;
        Real zenit = 0;
        ZameritNaKouli(Bod(body, d.first), r.vyska_stn, Bod(body, d.second), r.vyska_cil, s, zenit);
        const Real sigma = p.sigmaDelka + p.ppm * 1e-6L * s;
        // Kept positive, as the raw distances are.
        r.delka = std::max(s + sigma * n.Normalni(), s / 2);
        seznam.PridejZaznam(r);
    }
}

void Smerniky(const Tsouradnice& body, const std::vector<Dvojice>& dvojice,
              const SimulaceParametry& p, SimulaceNahoda& n, Tmereni& seznam) {
    for (const Dvojice& d : dvojice) {
        Tzaznam r = Radek(seznam, body, d);
        r.delka = Normalise(Smernik(Bod(body, d.first), Bod(body, d.second)) +
                            p.sigmaSmer * n.Normalni());
        seznam.PridejZaznam(r);
    }
}

void Prevyseni(const Tsouradnice& body, const std::vector<Dvojice>& dvojice,
               const SimulaceParametry& p, SimulaceNahoda& n, Tmereni& seznam) {
    for (const Dvojice& d : dvojice) {
        Tzaznam r = Radek(seznam, body, d);
        r.delka = Bod(body, d.second).Z - Bod(body, d.first).Z + p.sigmaDelka * n.Normalni();
        seznam.PridejZaznam(r);
    }
}

}  // namespace

TdoplnkoveMereni SimulovatDoplnky(const Rozvrzeni& rozvrzeni, const std::vector<Obsazeni>& plan,
                                  const SimulaceParametry& p, SimulaceNahoda& nahoda) {
    TdoplnkoveMereni d;
    const Tsouradnice& body = rozvrzeni.body;
    const std::vector<Dvojice> viditelne = ViditelneDvojice(plan);
    const int32_t pocet = PocetNaDruh(p.pocetBodu);
    Delky(body, Vybrat(viditelne, pocet, nahoda), p, nahoda, d.delka);
    Smerniky(body, Vybrat(viditelne, pocet, nahoda), p, nahoda, d.smernik);
    std::vector<Dvojice> prevyseni;
    if (rozvrzeni.dolni >= 0) {
        const Dvojice par{rozvrzeni.horni, rozvrzeni.dolni};
        prevyseni.push_back(par);
        Tzaznam r = Radek(d.provazeni, body, par);
        r.delka = 0;
        d.provazeni.PridejZaznam(r);
    }
    const auto dalsich = static_cast<int32_t>(pocet - prevyseni.size());
    for (const Dvojice& v : Vybrat(viditelne, dalsich, nahoda)) prevyseni.push_back(v);
    Prevyseni(body, prevyseni, p, nahoda, d.prevyseni);
    return d;
}

}  // namespace vertano::simulace
