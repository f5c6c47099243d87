#pragma once

// Networks of known answer for the tests of the adjustment model and its
// solution: true coordinates, exact (or noisy) reduced measurements,
// supplementary measurements computed from the same coordinates, perturbed
// approximate coordinates, and the loop of plain iterations.

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "adjustment/TmodelSite.h"
#include "adjustment/Tvahy.h"
#include "adjustment/VysledekSite.h"
#include "data/Tnastaveni.h"
#include "matice/Konstanty.h"
#include "mereni/Tmereni.h"
#include "supplementary/DoplnekDruh.h"
#include "supplementary/TdoplnkoveMereni.h"
#include "support/SyntetickaSit.h"

namespace vertano::test {

inline constexpr Real kModelSigSmer = MgonNaRad(0.3L);
inline constexpr Real kModelSigZenit = MgonNaRad(0.5L);
inline constexpr Real kModelSigDelka = 0.002L;
inline constexpr Real kModelSigDoplnek = 0.003L;

class ModelSit {
  public:
    SyntetickaSit sit;
    std::vector<std::string> fixni;
    std::vector<std::string> urcovane;
    TdoplnkoveMereni doplnek;
    Tnastaveni nastaveni;
    Tvahy vahy;

    ModelSit() {
        nastaveni.Default();
        nastaveni.pocetVlaknaVse = 2;
        nastaveni.vyrovnani.odchylkaJednotkovaApriorni = 1;
        nastaveni.vyrovnani.maxPocetIteraci = 50;
        nastaveni.vyrovnani.maxPrirustek = 1e-9L;
        nastaveni.doplnek.odchylka_delka = kModelSigDoplnek;
        nastaveni.doplnek.odchylka_smernik = kModelSigSmer;
        nastaveni.doplnek.odchylka_prevyseni = kModelSigDoplnek;
        nastaveni.doplnek.odchylka_provazeni = kModelSigDoplnek;
        vahy.Prazdny();
        vahy.smer.odchylka = kModelSigSmer;
        vahy.zenit.odchylka = kModelSigZenit;
        vahy.delka.odchylka = kModelSigDelka;
        vahy.odchylkaJednotkovaApriorni = 1;
    }

    void Bod(const std::string& cislo, Real x, Real y, Real z, bool jeFixni) {
        sit.Bod(cislo, x, y, z);
        (jeFixni ? fixni : urcovane).push_back(cislo);
    }

    // Every point observed from `stanovisko` (directions, zenith angles and, with
    // sDelkou, distances), orientation `orientace`.
    void Stanovisko(const std::string& stanovisko, Real orientace,
                    const std::vector<std::string>& cile, bool sDelkou = true) {
        sit.Stanovisko(stanovisko, orientace);
        for (const std::string& c : cile) sit.Cil(c, sDelkou);
    }

    // A prepared supplementary row of kind `druh` (doplnek::k...) between two
    // points, its value from the true coordinates.
    void Doplnek(DruhDoplnku druh, const std::string& stn, const std::string& cil,
                 Real odchylka = -1) {
        const Tbod s = sit.Skutecny(stn);
        const Tbod t = sit.Skutecny(cil);
        Tzaznam z = Tzaznam::Prazdny();
        Tmereni& seznam = *doplnek.Seznam(druh);
        z.poradi = static_cast<int32_t>(seznam.zaznam.size()) + 1;
        z.cislo_stn = stn;
        z.cislo_cil = cil;
        z.sig_delka = odchylka;
        z.zkresleniDelky = 1;
        const Real dX = t.X - s.X;
        const Real dY = t.Y - s.Y;
        const Real dZ = t.Z - s.Z;
        switch (druh) {
            case DruhDoplnku::Delka:
                z.delka = std::sqrt(dX * dX + dY * dY + dZ * dZ);
                break;
            case DruhDoplnku::Smernik: {
                Real b = std::atan2(dY, dX);
                if (b < 0) b += kDvePi;
                z.delka = b;
                break;
            }
            case DruhDoplnku::Prevyseni:
                z.delka = dZ;
                break;
            default:
                z.delka = 0;
                break;
        }
        seznam.PridejZaznam(z);
    }

    Tmereni Mereni(int32_t sady = 1) const { return sit.Mereni(sady); }

    Tsouradnice Fixni() const { return sit.Zadane(fixni, true); }

    // The determined points moved from their true place by a fixed pattern of
    // up to `posun` metres in each coordinate.
    Tsouradnice Priblizne(Real posun = 0.05L) const {
        Tsouradnice s = sit.Zadane(urcovane, false);
        for (std::size_t i = 0; i < s.bod.size(); ++i) {
            const Real k = static_cast<Real>(i % 5) - 2;
            s.bod[i].X += posun * k / 2;
            s.bod[i].Y -= posun * (k + 1) / 3;
            s.bod[i].Z += posun * ((i % 2 == 0) ? 1 : -1) / 2;
        }
        return s;
    }

    bool Nacist(TmodelSite& model, const Tmereni& mereni, Real posun = 0.05L) const {
        return model.Nacist(mereni, Priblizne(posun), Fixni(), vahy, doplnek, nastaveni);
    }
    bool Nacist(TmodelSite& model, Real posun = 0.05L) const {
        return Nacist(model, Mereni(), posun);
    }
};

// Plain iterations until convergence, the way the adjustment command runs them.
inline bool Iterovat(TmodelSite& model) {
    model.ZacitIterace();
    bool znovu = true;
    while (znovu) {
        if (!model.VyrovnatOpakovane(znovu)) return false;
    }
    return true;
}

// Four fixed-free mixes share this layout: A, B fixed or not, C..F determined.
// Every point is occupied and sees every other point.
// `posun` moves the network in X and Y, e.g. to national coordinates.
inline ModelSit CtyruhelnikovaSit(int pocetFixnich, bool sDelkou = true, Real posun = 0) {
    ModelSit s;
    s.Bod("A", posun + 1000, posun + 1000, 100, pocetFixnich >= 1);
    s.Bod("B", posun + 1310, posun + 1040, 105, pocetFixnich >= 2);
    s.Bod("C", posun + 1180, posun + 1390, 112, false);
    s.Bod("D", posun + 905, posun + 1320, 97, false);
    s.Bod("E", posun + 1240, posun + 1230, 103, false);
    s.Bod("F", posun + 1080, posun + 1180, 99, false);
    const std::vector<std::string> vse = {"A", "B", "C", "D", "E", "F"};
    Real orientace = 0.3L;
    for (const std::string& stn : vse) {
        std::vector<std::string> cile;
        for (const std::string& c : vse) {
            if (c != stn) cile.push_back(c);
        }
        s.Stanovisko(stn, orientace, cile, sDelkou);
        orientace += 1.1L;
    }
    return s;
}

inline Real Vzdalenost(const Tbod& a, const Tbod& b) {
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y) +
                     (a.Z - b.Z) * (a.Z - b.Z));
}

// Adds Gaussian noise of the a-priori deviations to the reduced measurements.
inline void Zasumit(Tmereni& mereni, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> n(0, 1);
    for (Tzaznam& z : mereni.zaznam) {
        z.smer += kModelSigSmer * n(gen);
        z.zenit += kModelSigZenit * n(gen);
        if (z.delka > 0) z.delka += kModelSigDelka * n(gen);
    }
}

}  // namespace vertano::test
