// The transformation analysis and the point-and-bearing transformation with its
// window.

#include <cmath>
#include <optional>
#include <set>
#include <string>

#include "adjustment/VysledekSite.h"
#include "data/SouradniceKontrola.h"
#include "matice/Konstanty.h"
#include "mereni/Jednotky.h"
#include "transformation/IdentickeBody.h"
#include "workspace/CislaOznameni.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/Transformace.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

void VycistitTransformace(Workspace& ws) {
    ws.souradniceIdenticke.Clear();
    ws.modelTransformace.Clear();
    ws.modelTransformaceOdlehly.Clear();
    ws.prevodSVyrovnanim.Clear();
    ws.prevodBodASmernik.Clear();
}

// The numbers that occur more than once among the identical points, for the
// message that refuses them.
std::string DuplicitniCisla(const Tsouradnice& s) {
    std::set<std::string> cisla;
    for (const Tbod& b : s.bod) {
        if (b.JePlny && b.kontrola[0]) cisla.insert(b.cislo);
    }
    std::string text;
    for (const std::string& c : cisla) text += (text.empty() ? "" : ", ") + c;
    return text.empty() ? text : "more than once: " + text;
}

// The reason of a stop, or -1 when the analysis got through; `chyba` gets the
// detail of a stop without a number of its own.
int32_t Analyzovat(Workspace& ws, std::string& chyba) {
    if (!ws.state.Current(Step::Adjustment)) {
        chyba = "The network is not adjusted; adjust it first";
        return oznameni::kChyba;
    }
    // The counters may be older than the list (an edit, a project opened).
    KontrolaSouradnic(ws.souradniceTransformaceVstup, kBodyVstupIdenticke, ws.chyby);
    if (ws.souradniceTransformaceVstup.PocetPlnychBodu() < kNejmenePar ||
        ws.chyby.souradniceTransformaceVstupCekovyPocetChyb != 0) {
        chyba = DuplicitniCisla(ws.souradniceTransformaceVstup);
        return oznameni::kIdenticke;
    }
    if (!ParovatIdentickeBody(ws.modelVyrovnany.Vysledek().Souradnice(),
                              ws.souradniceTransformaceVstup, ws.souradniceIdenticke)) {
        return oznameni::kIdentickeSit;
    }
    TmodelTransformacePrevod& bs = ws.prevodBodASmernik;
    TmodelTransformacePrevod& sv = ws.prevodSVyrovnanim;
    bs.Clear();
    sv.Clear();
    bs.NacistIdentickeBody(ws.souradniceIdenticke);
    sv.NacistIdentickeBody(ws.souradniceIdenticke);
    if (!bs.KontrolaIdentickychBodu()) return oznameni::kIdentickeXY;
    if (!bs.Nacist(ws.modelVyrovnany) || !sv.Nacist(ws.modelVyrovnany)) {
        chyba = bs.Chyba().empty() ? sv.Chyba() : bs.Chyba();
        return oznameni::kChyba;
    }
    return -1;
}

// The bearing from output point a to output point c; none when the pairs cannot
// serve as base and orientation.
std::optional<Real> SmernikPar(const TmodelTransformacePrevod& p, int32_t a, int32_t c) {
    TtransformacniKlic klic;
    if (!KlicBodSmernik(p.IdentickeBodyVstup(), p.IdentickeBodyVystup(), a, c, klic)) return {};
    return klic.smernik_vystup;
}

// A stop with its notice (16, or 0 when the analysis is not current), leaving
// the transformed points as they were: the window keeps its table and drawing.
void Selhani(Workspace& ws, Interaction& interakce, int32_t cislo, int32_t& zastaveno,
             std::string& chyba) {
    chyba = ws.prevodBodASmernik.Chyba();
    zastaveno = cislo;
    UkazatOznameni(ws, interakce, cislo, chyba);
    ws.state.Failed(Step::PointAndBearing);
}

// Notice 0 when there is nothing to transform yet; -1 when there is.
int32_t BezAnalyzy(Workspace& ws) {
    if (ws.state.Current(Step::TransformationAnalysis)) return -1;
    ws.prevodBodASmernik.NastavitChybu("The transformation analysis is not current; run it first");
    return oznameni::kChyba;
}

}  // namespace

VysledekAnalyzyTransformace AnalyzaTransformace(Workspace& ws, Interaction& interakce) {
    VysledekAnalyzyTransformace v;
    ws.state.Started(Step::TransformationAnalysis);
    const int32_t cislo = Analyzovat(ws, v.chyba);
    if (cislo >= 0) {
        v.oznameni = cislo;
        UkazatOznameni(ws, interakce, cislo, v.chyba);
        VycistitTransformace(ws);
        ws.state.Failed(Step::TransformationAnalysis);
        return v;
    }
    ws.modelTransformace.Clear();
    ws.modelTransformaceOdlehly.Clear();
    v.pocetPar = PocetPar(ws.souradniceIdenticke);
    v.uspech = true;
    ws.state.Computed(Step::TransformationAnalysis);
    return v;
}

VysledekTransformace TransformaceBodASmernik(Workspace& ws, Interaction& interakce) {
    if (ws.state.Current(Step::PointAndBearing) && ws.state.Current(Step::TransformationAnalysis)) {
        VysledekTransformace v;
        v.uspech = true;
        v.jenZobrazeni = true;
        return v;
    }
    const TmodelTransformacePrevod& p = ws.prevodBodASmernik;
    return TransformaceBodASmernik(ws, interakce, p.IStnPocatek(), p.ICilPocatek(), std::nullopt);
}

VysledekTransformace TransformaceBodASmernik(Workspace& ws, Interaction& interakce, int32_t iStn,
                                             int32_t iCil, std::optional<Real> smernik) {
    VysledekTransformace v;
    ws.state.Started(Step::PointAndBearing);
    TmodelTransformacePrevod& p = ws.prevodBodASmernik;
    if (const int32_t cislo = BezAnalyzy(ws); cislo >= 0) {
        Selhani(ws, interakce, cislo, v.oznameni, v.chyba);
        return v;
    }
    if (!smernik) smernik = SmernikPar(p, iStn, iCil);
    if (!smernik || !p.TransformaceBodASmernik(ws.modelVyrovnany, iStn, iCil, *smernik)) {
        if (!smernik)
            p.NastavitChybu(
                "The base and the orientation point must be two identical points "
                "that do not coincide in either system");
        Selhani(ws, interakce, oznameni::kTransformace, v.oznameni, v.chyba);
        return v;
    }
    ws.state.Computed(Step::PointAndBearing);
    v.uspech = true;
    return v;
}

int32_t IndexPary(const Workspace& ws, const std::string& cislo) {
    const Tsouradnice& vstup = ws.prevodBodASmernik.IdentickeBodyVstup();
    for (int32_t k = 0; k < vstup.Pocet(); ++k) {
        if (vstup.bod[static_cast<std::size_t>(k)].cislo == cislo) return k;
    }
    return -1;
}

std::string SmernikVyberu(const Workspace& ws, int32_t iStn, int32_t iCil) {
    const std::optional<Real> smernik = SmernikPar(ws.prevodBodASmernik, iStn, iCil);
    if (!smernik) return {};
    return FormatAngle(*smernik, ws.nastaveni.jednotky.uhel, ws.nastaveni.presnost.uhel.hodnota);
}

VysledekPrepoctu PrepocetBodASmernik(Workspace& ws, Interaction& interakce,
                                     const VstupBodASmernik& vstup,
                                     std::optional<VstupBodASmernik>& posledni,
                                     bool kresbaOtevrena) {
    VysledekPrepoctu v;
    v.smernik = vstup.smernik;
    if (posledni && *posledni == vstup) return v;
    posledni = vstup;
    v.provedeno = true;
    ws.state.Started(Step::PointAndBearing);
    Real smernik = 0;
    if (ParseAngle(Trim(vstup.smernik), ws.nastaveni.jednotky.uhel, smernik) != NumberStatus::Ok) {
        v.neplatnySmernik = true;
        v.smernik.clear();
        ws.state.Failed(Step::PointAndBearing);
        return v;
    }
    // A full circle typed in any unit is 0.
    smernik = UhelVKruhu(smernik);
    TmodelTransformacePrevod& p = ws.prevodBodASmernik;
    if (const int32_t cislo = BezAnalyzy(ws); cislo >= 0) {
        Selhani(ws, interakce, cislo, v.oznameni, v.chyba);
        return v;
    }
    if (!p.TransformaceBodASmernik(ws.modelVyrovnany, vstup.iStn, vstup.iCil, smernik)) {
        Selhani(ws, interakce, oznameni::kTransformace, v.oznameni, v.chyba);
        return v;
    }
    v.smernik =
        FormatAngle(smernik, ws.nastaveni.jednotky.uhel, ws.nastaveni.presnost.uhel.hodnota);
    if (kresbaOtevrena &&
        !ws.grafika.PrepsatSouradnice(p.Souradnice(), ws.nastaveni.jednotky.souradnicovySystem)) {
        v.chyba = ws.grafika.chyba;
    }
    ws.state.Computed(Step::PointAndBearing);
    v.uspech = true;
    return v;
}

}  // namespace vertano
