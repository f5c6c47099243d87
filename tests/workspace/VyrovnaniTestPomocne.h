#pragma once

// Generated networks loaded into a workspace the way the main window holds them,
// an interaction that records everything the commands say, and the comparisons of
// an adjusted network with the truth it was generated from.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "adjustment/TmerenaVelicina.h"
#include "adjustment/VysledekSite.h"
#include "data/Interaction.h"
#include "data/SouradniceKontrola.h"
#include "matice/Konstanty.h"
#include "processing/KontrolaMereni.h"
#include "support/SyntetickaSit.h"
#include "workspace/Simulace.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/Workspace.h"

namespace vertano::test {

// Every notification, question and stage label, in order.
class ZaznamInterakce : public Interaction {
  public:
    explicit ZaznamInterakce(bool odpoved = true) : odpoved_(odpoved) {}
    void Notify(const std::string& title, const std::string& text) override {
        oznameni.push_back(title + ": " + text);
    }
    bool Ask(const std::string& title, const std::string& text) override {
        dotazy.push_back(title + ": " + text);
        return odpoved_;
    }
    void Stage(const std::string& text) override { etapy.push_back(text); }

    std::vector<std::string> oznameni;
    std::vector<std::string> dotazy;
    std::vector<std::string> etapy;

  private:
    bool odpoved_;
};

// The settings of the tests: the defaults (the generated networks are measured
// on the sphere the reduction assumes), two threads, English texts.
inline void NastaveniTestu(Workspace& ws) {
    ws.nastaveni.pocetVlaknaVse = 2;
    ws.NastavitJazyk(1);
}

inline SimulovanaSit Generovat(const SimulaceParametry& p) {
    SimulovanaSit sit;
    std::string chyba;
    EXPECT_TRUE(Simulovat(p, sit, chyba)) << chyba;
    return sit;
}

// The raw rows with their sets identified and checked, the given points, the
// supplementary measurements and their checks: what the windows leave behind.
inline void NacistSit(Workspace& ws, const SimulovanaSit& sit) {
    ws.suroveMereni = sit.mereni;
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    ws.souradniceFixni = sit.zadane;
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    ws.doplnekVstup = sit.doplnek;
    ws.doplnekVstup.KontrolaCelkova(ws.nastaveni, ws.chyby);
}

// The raw rows a total station records for exact set means (SyntetickaSit):
// every set face I to the targets in order, then face II in reverse order.
inline Tmereni DvePolohy(const Tmereni& prumery) {
    Tmereni surova;
    std::size_t i = 0;
    while (i < prumery.zaznam.size()) {
        std::size_t j = i;
        while (j < prumery.zaznam.size() && prumery.zaznam[j].poradi == prumery.zaznam[i].poradi &&
               prumery.zaznam[j].skupina == prumery.zaznam[i].skupina)
            ++j;
        for (std::size_t k = i; k < j; ++k) surova.PridejZaznam(prumery.zaznam[k]);
        for (std::size_t k = j; k-- > i;) {
            Tzaznam z = prumery.zaznam[k];
            z.poloha = false;
            z.smer = z.smer >= kPi ? z.smer - kPi : z.smer + kPi;
            z.zenit = kDvePi - z.zenit;
            surova.PridejZaznam(z);
        }
        i = j;
    }
    for (Tzaznam& z : surova.zaznam) {
        z.skupina = 0;
        z.zkresleniDelky = 0;
    }
    return surova;
}

// Coordinates beyond k sigma (a-priori sigma0) of the truth, over the
// determined points of the adjusted model.
struct PorovnaniSPravdou {
    int pocetSouradnic = 0;
    int pocetMimo = 0;
    Real maxOdchylka = 0;  // largest |adjusted - true| [m]
};

inline PorovnaniSPravdou Porovnat(const Workspace& ws, const SimulovanaSit& sit, Real k = 3) {
    PorovnaniSPravdou p;
    const TmodelSite& m = ws.modelVyrovnany;
    const Real s0 = m.Vysledek().OdchylkaJednotkovaAprior();
    for (const Tbod& b : m.Vysledek().Souradnice().bod) {
        if (b.JeFixni || !b.JePlny) continue;
        const Tbod t = sit.skutecne.BodSCislem(b.cislo);
        EXPECT_TRUE(t.JePlny) << b.cislo;
        const Real d[3] = {b.X - t.X, b.Y - t.Y, b.Z - t.Z};
        const Real s[3] = {b.Presnost().sig_X, b.Presnost().sig_Y, b.Presnost().sig_Z};
        for (int i = 0; i < 3; ++i) {
            ++p.pocetSouradnic;
            p.maxOdchylka = std::max(p.maxOdchylka, std::fabs(d[i]));
            if (std::fabs(d[i]) > k * s0 * s[i]) ++p.pocetMimo;
        }
    }
    return p;
}

// Beyond 3 sigma a normal variable lies with probability 0.27 %; more than a
// few times that, or more than a couple in a small network, means wrong numbers.
inline void OcekavatVRamciTriSigma(const PorovnaniSPravdou& p) {
    EXPECT_GT(p.pocetSouradnic, 0);
    const double dovoleno = 2 + 3 * 0.0027 * p.pocetSouradnic;
    EXPECT_LE(p.pocetMimo, dovoleno)
        << "of " << p.pocetSouradnic << " coordinates; largest error " << double(p.maxOdchylka);
}

inline Velicina TypVeliciny(HrubaVelicina v) {
    switch (v) {
        case HrubaVelicina::Smer:
            return Velicina::Smer;
        case HrubaVelicina::Zenit:
            return Velicina::Zenit;
        case HrubaVelicina::Delka:
            break;
    }
    return Velicina::Delka;
}

// The observation of the outlier model (all observations of the robust stage)
// that a gross error spoiled; nullptr when the adjustment has no such observation
// (a zenith angle or a distance between two fixed points is not adjusted).
inline const TmerenaVelicina* Pozorovani(const Workspace& ws, const HrubaChyba& h) {
    const TmodelSite& o = ws.modelOdlehly;
    for (const TvektorMereni* vektor :
         {&o.Vysledek().Delka(), &o.Vysledek().Smer(), &o.Vysledek().Zenit()}) {
        for (const TmerenaVelicina& z : vektor->zaznam) {
            if (z.jePlny && TypVeliciny(h.velicina) == z.typ && h.stanovisko == z.cislo_stn &&
                h.cil == z.cislo_cil && h.skupina == z.skupina)
                return &z;
        }
    }
    return nullptr;
}

// The good observations (no gross error) of the three terrestrial kinds and how
// many of them were excluded.
struct VylouceniDobrych {
    int dobrych = 0;
    int vyloucenych = 0;
};

inline VylouceniDobrych DobreVyloucene(const Workspace& ws, const std::vector<HrubaChyba>& hrube) {
    VylouceniDobrych v;
    const TmodelSite& o = ws.modelOdlehly;
    for (const TvektorMereni* vektor :
         {&o.Vysledek().Delka(), &o.Vysledek().Smer(), &o.Vysledek().Zenit()}) {
        for (const TmerenaVelicina& z : vektor->zaznam) {
            if (!z.jePlny) continue;
            bool hruba = false;
            for (const HrubaChyba& h : hrube) hruba = hruba || Pozorovani(ws, h) == &z;
            if (hruba) continue;
            ++v.dobrych;
            v.vyloucenych += z.jeOdlehly ? 1 : 0;
        }
    }
    return v;
}

}  // namespace vertano::test
