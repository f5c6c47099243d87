#pragma once

// Networks of known answer for the tests of the outlier detection, the robust
// estimation and the evaluation: true coordinates, exact or noisy set means,
// supplementary measurements, and the run of the adjustment the way the network
// adjustment command drives it.

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
#include "supplementary/TdoplnkoveMereni.h"
#include "support/SyntetickaSit.h"

namespace vertano::test {

inline constexpr Real kSigSmer = MgonNaRad(0.5L);
inline constexpr Real kSigZenit = MgonNaRad(0.5L);
inline constexpr Real kSigDelka = 0.002L;
inline constexpr Real kSigDoplnek = 0.003L;

struct SitOdlehle {
    SyntetickaSit sit;
    std::vector<std::string> fixni;
    std::vector<std::string> urcovane;
    std::vector<Real> orientace;  // of occupation 1, 2, ...
    Tmereni mereni;
    TdoplnkoveMereni doplnek;
    Tnastaveni nastaveni;
    Tvahy vahy;
};

inline void ZakladniNastaveni(SitOdlehle& s) {
    s.nastaveni.Default();
    s.nastaveni.pocetVlaknaVse = 2;
    s.nastaveni.vyrovnani.odchylkaJednotkovaApriorni = 1;
    s.nastaveni.vyrovnani.rizikoOdlehlost = 0.05L;
    s.nastaveni.vyrovnani.maxPocetIteraci = 50;
    s.nastaveni.vyrovnani.maxZmenaVahy = 0.001L;
    s.nastaveni.vyrovnani.maxPrirustek = 1e-6L;
    s.nastaveni.doplnek.odchylka_delka = kSigDoplnek;
    s.nastaveni.doplnek.odchylka_smernik = kSigSmer;
    s.nastaveni.doplnek.odchylka_prevyseni = kSigDoplnek;
    s.nastaveni.doplnek.odchylka_provazeni = kSigDoplnek;
    auto& p = s.nastaveni.prepinac;
    p.vylucovatSmer = p.vylucovatZenit = p.vylucovatDelka = true;
    p.vylucovatDoplnekDelka = p.vylucovatDoplnekSmernik = true;
    p.vylucovatDoplnekPrevyseni = p.vylucovatDoplnekProvazeni = true;
    s.vahy.Prazdny();
    s.vahy.smer.odchylka = kSigSmer;
    s.vahy.zenit.odchylka = kSigZenit;
    s.vahy.delka.odchylka = kSigDelka;
    s.vahy.odchylkaJednotkovaApriorni = 1;
}

inline int32_t Stanovisko(SitOdlehle& s, const std::string& cislo, Real orientace) {
    s.orientace.push_back(orientace);
    return s.sit.Stanovisko(cislo, orientace);
}

// Appends a supplementary row with the value `hodnota` (every kind keeps it in delka).
inline void PridejDoplnek(Tmereni& seznam, const std::string& stn, const std::string& cil,
                          Real hodnota, Real odchylka) {
    Tzaznam z = Tzaznam::Prazdny();
    z.poradi = static_cast<int32_t>(seznam.zaznam.size()) + 1;
    z.cislo_stn = stn;
    z.cislo_cil = cil;
    z.delka = hodnota;
    z.sig_delka = odchylka;
    z.zkresleniDelky = 1;
    seznam.PridejZaznam(z);
}

inline Real Smernik(const Tbod& a, const Tbod& b) {
    Real s = std::atan2(b.Y - a.Y, b.X - a.X);
    return s < 0 ? s + kDvePi : s;
}

inline void PridejDoplnky(SitOdlehle& s) {
    const Tbod p1 = s.sit.Skutecny("P1"), p6 = s.sit.Skutecny("P6");
    const Tbod p8 = s.sit.Skutecny("P8"), p4 = s.sit.Skutecny("P4");
    const Tbod p2 = s.sit.Skutecny("P2"), p7 = s.sit.Skutecny("P7");
    const Real d = std::sqrt((p6.X - p1.X) * (p6.X - p1.X) + (p6.Y - p1.Y) * (p6.Y - p1.Y) +
                             (p6.Z - p1.Z) * (p6.Z - p1.Z));
    PridejDoplnek(s.doplnek.delka, "P1", "P6", d, kSigDoplnek);
    PridejDoplnek(s.doplnek.smernik, "P8", "P4", Smernik(p8, p4), kSigSmer);
    PridejDoplnek(s.doplnek.prevyseni, "P2", "P7", p7.Z - p2.Z, kSigDoplnek);
    PridejDoplnek(s.doplnek.provazeni, "P3", "P9", 0, kSigDoplnek);
}

// Four fixed corners of a 500 m square, eight determined points between them
// at different heights, ten occupations each pointing at every other point:
// about 320 observations for 34 unknowns. With `sDoplnky` P9 lies 15 m
// vertically below P3, is seen from every occupation but P3's, and one
// supplementary measurement of every kind is added, computed from the true
// coordinates (the plumbing tie joins P3 and P9).
inline SitOdlehle VelkaSit(bool sDoplnky = false) {
    SitOdlehle s;
    struct B {
        const char* c;
        Real x, y, z;
    };
    std::vector<B> body = {{"F1", 0, 0, 100},    {"F2", 0, 500, 105},   {"F3", 500, 500, 98},
                           {"F4", 500, 0, 102},  {"P1", 120, 130, 101}, {"P2", 150, 380, 103.5L},
                           {"P3", 260, 250, 99}, {"P4", 380, 120, 104}, {"P5", 400, 390, 100.5L},
                           {"P6", 250, 60, 102}, {"P7", 245, 455, 97},  {"P8", 90, 250, 106}};
    if (sDoplnky) body.push_back({"P9", 260, 250, 84});
    for (const B& b : body) {
        s.sit.Bod(b.c, b.x, b.y, b.z);
        (b.c[0] == 'F' ? s.fixni : s.urcovane).push_back(b.c);
    }
    const char* stanoviska[] = {"F1", "F3", "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8"};
    Real orientace = 0.3L;
    for (const std::string st : stanoviska) {
        Stanovisko(s, st, orientace);
        orientace += 0.61L;  // a different zero direction at every occupation
        for (const B& b : body) {
            const std::string cil = b.c;
            if (cil != st && !(st == "P3" && cil == "P9")) s.sit.Cil(cil);
        }
    }
    s.mereni = s.sit.Mereni();
    ZakladniNastaveni(s);
    if (sDoplnky) PridejDoplnky(s);
    return s;
}

// Normal noise of the a-priori standard deviations on every set mean.
inline void PridejSum(Tmereni& mereni, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> n(0.0, 1.0);
    for (Tzaznam& z : mereni.zaznam) {
        z.smer += kSigSmer * static_cast<Real>(n(gen));
        z.zenit += kSigZenit * static_cast<Real>(n(gen));
        if (z.delka > 0) z.delka += kSigDelka * static_cast<Real>(n(gen));
    }
}

// The determined points at their true place moved by up to `posun` in every
// coordinate: approximate coordinates as the analysis would compute them.
inline Tsouradnice Priblizne(const SitOdlehle& s, Real posun, unsigned seed = 1) {
    Tsouradnice p = s.sit.Zadane(s.urcovane, false);
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (Tbod& b : p.bod) {
        b.X += posun * static_cast<Real>(u(gen));
        b.Y += posun * static_cast<Real>(u(gen));
        b.Z += posun * static_cast<Real>(u(gen));
    }
    return p;
}

inline bool Nacti(TmodelSite& model, const SitOdlehle& s, Real posun = 0.01L) {
    return model.Nacist(s.mereni, Priblizne(s, posun), s.sit.Zadane(s.fixni), s.vahy, s.doplnek,
                        s.nastaveni);
}

enum class Krok { Hotovo, Robustne, Vylouceni, Naplnit, Opakovane, Vyhodnoceni };

// Loading done, the rest of the adjustment run: robust iterations and the
// exclusion when some kind is switched on, plain iterations, evaluation. The
// questions about non-convergence are answered "Yes".
inline Krok Vyrovnej(TmodelSite& model, TmodelSite& modelOdlehly, const Tnastaveni& nastaveni) {
    bool znovu = true;
    if (model.VylucovatOdlehle(nastaveni)) {
        model.ZacitIterace();
        while (znovu) {
            if (!model.VyrovnatRobustne(znovu)) return Krok::Robustne;
        }
        if (!model.VylouceniOdlehlychHodnot(modelOdlehly, nastaveni)) return Krok::Vylouceni;
        if (!model.Naplnit()) return Krok::Naplnit;
    } else {
        modelOdlehly.Clear();
    }
    model.ZacitIterace();
    znovu = true;
    while (znovu) {
        if (!model.VyrovnatOpakovane(znovu)) return Krok::Opakovane;
    }
    return model.Vyhodnoceni() ? Krok::Hotovo : Krok::Vyhodnoceni;
}

}  // namespace vertano::test
