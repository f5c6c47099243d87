#include "data/Tnastaveni.h"

#include <algorithm>
#include <thread>

#include "matice/Konstanty.h"

namespace vertano {

namespace {

using nastaveni::Tmez;

Tmez MezRozdilu(Real delkaMm, Real smerMgon, Real zenitMgon) {
    Tmez m;
    m.rozdil_delka = MmNaM(delkaMm);
    m.rozdil_smer = MgonNaRad(smerMgon);
    m.rozdil_zenit = MgonNaRad(zenitMgon);
    return m;
}

Tmez MezZeSouradnic() {
    Tmez m = MezRozdilu(100, 50, 0);
    m.rozdil_prevyseni = MmNaM(100);
    m.rozdil_provazeni = MmNaM(100);
    return m;
}

Tmez MezHodnoty() {
    Tmez m;
    m.hodnota_delka = 2000;
    m.hodnota_vyskaSTN = 2;
    m.hodnota_vyskaCIL = 2;
    m.hodnota_prevyseni = 100;
    return m;
}

Tmez MezMaxVstup() {
    Tmez m;
    m.rozdil_delka = 10;
    m.rozdil_smer = GonNaRad(10);
    m.rozdil_zenit = GonNaRad(10);
    m.hodnota_delka = 4000;
    m.hodnota_vyskaSTN = 100;
    m.hodnota_vyskaCIL = 100;
    m.hodnota_prevyseni = 1000;
    m.hodnota_polomerMin = 1000;
    m.hodnota_polomerMax = 10000000;
    m.hodnota_zkresleniMin = 0.7L;
    m.hodnota_zkresleniMax = 1.3L;
    m.hodnota_hladinaMin = -3000;
    m.hodnota_hladinaMax = 3000;
    return m;
}

nastaveni::Tvyrovnani VyrovnaniSite() {
    nastaveni::Tvyrovnani v;
    v.odchylka_zadanaSmer = MgonNaRad(0.5L);
    v.odchylka_zadanaZenit = MgonNaRad(0.5L);
    v.odchylka_zadanaDelka = MmNaM(2);
    v.odchylkaJednotkovaApriorni = 1;
    v.typVah = ZdrojVah::Vnitrni;
    v.rizikoOdlehlost = 0.05L;
    v.typOdhadu = Odhad::Huber;
    v.vylucovatOdlehle = true;
    v.maxPocetIteraci = 50;
    v.maxZmenaVahy = 0.001L;
    v.maxPrirustek = 1e-5L;
    return v;
}

nastaveni::Tvyrovnani Transformace(ZdrojVah typVah) {
    nastaveni::Tvyrovnani v;
    v.odchylka_zadanaSmer = MmNaM(2);
    v.odchylka_zadanaZenit = MmNaM(2);
    v.odchylka_zadanaDelka = MmNaM(2);
    v.odchylkaJednotkovaApriorni = 1;
    v.typVah = typVah;
    v.rizikoOdlehlost = 0.05L;
    v.typOdhadu = Odhad::Huber;
    v.vylucovatOdlehle = true;
    v.maxPocetIteraci = 50;
    v.maxZmenaVahy = 0.001L;
    v.maxPrirustek = MgonNaRad(0.001L);
    return v;
}

nastaveni::Tgrafika Grafika() {
    nastaveni::Tgrafika g;
    g.barvaFixBod = 11;
    g.barvaVyrBod = 10;
    g.barvaMereni = 8;
    g.barvaElipsa = 14;
    g.barvaPozadi = 0;
    g.kreslitBod = true;
    g.kreslitMereniLinie = true;
    g.kreslitMereniPopis = false;
    g.kreslitElipsa = true;
    g.kreslitOsa = true;
    g.kreslitMeritko = true;
    g.textFont = -1;
    g.textVelikost = 6;
    g.textRez = 0;
    g.krizek = 4;
    g.krouzek = 3;
    g.zvetseniElipsa = 7;
    g.presnost = true;
    return g;
}

nastaveni::Tprotokol Protokol() {
    nastaveni::Tprotokol p;  // every Boolean false
    p.infoVyr = true;
    p.sourVyr = true;
    p.infoBodyIdent = true;
    p.infoTransKlicSVyr = true;
    p.sourVyrTrans = true;
    p.sourTransSVyr = true;
    p.infoTransKlicBodSm = true;
    p.sourTransBodSm = true;
    p.bodyFixMeritko = 1;
    p.sourPredVyrMeritko = 1;
    p.merPredVyrOdchyl = 0;
    p.bodyIdentTransSVyrOdchyl = 0;
    p.sourVyrPresnost = 1;
    p.elipsVyrPresnost = 1;
    p.merVyrPresnost = 1;
    p.sourVyrTransPresnost = 1;
    p.sourTransSVyrPresnost = 1;
    p.elipTransSVyrPresnost = 1;
    p.sourTransBodSmPresnost = 1;
    p.elipTransBodSmPresnost = 1;
    return p;
}

}  // namespace

uint8_t PocetProcesoru() {
    const unsigned n = std::thread::hardware_concurrency();
    return static_cast<uint8_t>(std::min(n, 255u));
}

void Tnastaveni::Default() {
    jednotky = {1, 0, 0, true, 0};
    presnost.uhel = {5, 3};
    presnost.delka = {4, 2};
    presnost.souradnice = {4, 2};
    presnost.meritko = 8;

    const uint8_t etapaVstup = souborVstup.typEtapa;
    const uint8_t etapaVystup = souborVystup.typEtapa;
    souborVstup = nastaveni::Tsoubor{};
    souborVystup = nastaveni::Tsoubor{};
    souborVstup.typSuroveMereni = 1;
    souborVystup.typSuroveMereni = 1;
    souborVstup.typEtapa = etapaVstup;
    souborVystup.typEtapa = etapaVystup;

    typJazyk = 0;
    Nastavitprepinac(true);
    prepinac.zachovatSouradnice = false;

    mezPoloha = MezRozdilu(50, 10, 10);
    mezSkupina = mezPoloha;
    mezProtismer = mezPoloha;
    mezZeSouradnic = MezZeSouradnic();
    mezHodnota = MezHodnoty();
    zrcadleni = Tmez{};

    vyrovnani = VyrovnaniSite();
    transformace = Transformace(transformace.typVah);
    doplnek = {MgonNaRad(0.5L), MmNaM(2), MmNaM(1), MmNaM(1)};
    redukceMereni = {6380000, 1, 0, 500};
    pocetVlaknaVse = PocetProcesoru();
    mezMaxVstup = MezMaxVstup();
    grafika = Grafika();
    protokol = Protokol();
}

void Tnastaveni::Nastavitprepinac(bool vstup) {
    prepinac = {vstup, vstup, vstup, vstup, vstup, vstup, vstup, vstup, vstup,
                vstup, vstup, vstup, vstup, vstup, vstup, vstup, vstup, vstup};
}

void Tnastaveni::NastavitPrepinaceKontrola(bool vstup) {
    prepinac.kontrolaHodnot = vstup;
    prepinac.kontrolaRozdilPoloh = vstup;
    prepinac.kontrolaRozdilSkupin = vstup;
    prepinac.kontrolaVSE = vstup;
}

bool Tnastaveni::VylucovatOdlehle() const {
    const auto& p = prepinac;
    return p.vylucovatSmer || p.vylucovatZenit || p.vylucovatDelka || p.vylucovatDoplnekDelka ||
           p.vylucovatDoplnekSmernik || p.vylucovatDoplnekPrevyseni || p.vylucovatDoplnekProvazeni;
}

bool Tnastaveni::VylucovatOdlehleTrans() const {
    return prepinac.vylucovatX || prepinac.vylucovatY || prepinac.vylucovatZ;
}

bool Tnastaveni::ProtokolSuroveMereni() const {
    const auto& p = protokol;
    return p.suroveMereni || p.rozdilPoloh || p.prumerPoloh || p.prumerSkupin;
}

bool Tnastaveni::ProtokolPredVyrovnanim() const {
    const auto& p = protokol;
    return p.mereniKamen || p.bodyFix || p.sourPredVyr || p.merPredVyr || p.vnitrniPresnost ||
           p.vnejsiPresnost;
}

bool Tnastaveni::ProtokolVyrovnani(bool jsouOdlehle) const {
    const auto& p = protokol;
    return (p.odlehleVyr && jsouOdlehle) || p.infoVyr || p.sourVyr || p.elipsVyr || p.merVyr;
}

bool Tnastaveni::ProtokolTransformaceSVyrovnanim(bool jsouOdlehle) const {
    const auto& p = protokol;
    return (p.odlehleTrans && jsouOdlehle) || p.bodyIdentTransSVyr || p.infoBodyIdent ||
           p.infoTransKlicSVyr || p.sourVyrTrans || p.sourTransSVyr || p.elipTransSVyr;
}

bool Tnastaveni::ProtokolTransformaceBodSmernik() const {
    const auto& p = protokol;
    return p.bodyIdentTransBodSm || p.infoTransKlicBodSm || p.sourTransBodSm || p.elipTransBodSm;
}

}  // namespace vertano
