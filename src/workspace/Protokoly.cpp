#include "workspace/Protokoly.h"

#include "reports/OddilyProtokolu.h"
#include "reports/ProtokolTransformace.h"
#include "reports/ProtokolVyrovnani.h"
#include "reports/Tabulka.h"
#include "reports/TextyProtokolu.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/CislaOznameni.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

VstupProtokoluVyrovnani Vstup(const Workspace& ws, const Tnastaveni& nastaveni) {
    return {nastaveni,
            ws.jazyk,
            ws.suroveMereni,
            ws.mereniVyrovnaniZobrazeni,
            ws.mereniVyrovnani,
            ws.souradniceFixniVyrovnani,
            ws.souradnicePriblizne,
            ws.souradniceMeritko,
            ws.doplnekZpracovany,
            ws.vahy,
            ws.modelVyrovnany,
            ws.modelOdlehly};
}

VysledekProtokolu Sestavit(Workspace& ws, Interaction& interakce, Tprotokol& protokol,
                           const Tnastaveni& nastaveni, const Hodiny& hodiny) {
    VysledekProtokolu v;
    bool vytvoreno = false;
    v.uspech = zapsatVyrovnani(protokol, Vstup(ws, nastaveni), hodiny, vytvoreno, &v.chyba);
    if (!v.uspech) {
        v.oznameni = oznameni::kProtokol;
        UkazatOznameni(ws, interakce, oznameni::kProtokol, v.chyba);
    }
    return v;
}

VstupProtokoluTransformace VstupTransformace(const Workspace& ws) {
    return {ws.nastaveni,
            ws.jazyk,
            ws.souradniceIdenticke,
            ws.modelTransformace,
            ws.modelTransformaceOdlehly,
            ws.prevodSVyrovnanim,
            ws.prevodBodASmernik,
            ws.modelVyrovnany};
}

using Sestaveni = bool (*)(Tprotokol&, const VstupProtokoluTransformace&, const Hodiny&, bool&,
                           std::string*);

// The report `zprava` of the transformation `transformace` into `protokol`
// while it is not current; afterwards it is current when it was built.
VysledekProtokolu Transformace(Workspace& ws, Interaction& interakce, Tprotokol& protokol,
                               Step zprava, Step transformace, Sestaveni sestavit,
                               const Hodiny& hodiny) {
    VysledekProtokolu v;
    const bool transformovano = ws.state.Current(transformace);
    if (ws.state.Current(zprava) && transformovano) {
        v.uspech = v.jenZobrazeni = true;
        return v;
    }
    bool vytvoreno = false;
    if (!transformovano) {
        protokol.Clear();
        v.chyba = "The transformation is not current; run it first";
    } else {
        sestavit(protokol, VstupTransformace(ws), hodiny, vytvoreno, &v.chyba);
    }
    v.uspech = vytvoreno;
    if (vytvoreno) {
        ws.state.Computed(zprava);
    } else {
        ws.state.Failed(zprava);
        v.oznameni = oznameni::kProtokol;
        UkazatOznameni(ws, interakce, oznameni::kProtokol, v.chyba);
    }
    return v;
}

// The title of the add command of a file list; the supplementary lists are
// named by their kind.
std::string NadpisPridani(const Tjazyk& j, int typ) {
    switch (typ) {
        case info::kSurovaMereni:
            return j.nadpis.pridatSurovaMereni;
        case info::kSouradniceFixni:
            return j.nadpis.pridatBody;
        case info::kSouradniceTransformaceVstup:
            return j.nadpis.pridatBody + " - " + j.tlacitko.identickeBody;
        case info::kSouradniceMeritkoVstup:
            return j.nadpis.pridatBody + " - " + j.popis.meritkoveKoeficienty;
        default:
            break;
    }
    DruhDoplnku druh = DruhDoplnku::Provazeni;
    for (const DruhDoplnku d : doplnek::kPoradiKontroly) {
        if (doplnek::TypSouboru(d) == typ) druh = d;
    }
    return j.tlacitko.pridat + " " + MalaPismena(j.popis.mereni) + " - " +
           doplnek::NazevDruhu(j, druh);
}

}  // namespace

VysledekProtokolu ProtokolVyrovnani(Workspace& ws, Interaction& interakce, const Hodiny& hodiny) {
    if (ws.state.Current(Step::AdjustmentReport)) {
        VysledekProtokolu v;
        v.uspech = v.jenZobrazeni = true;
        return v;
    }
    const VysledekProtokolu v = Sestavit(ws, interakce, ws.protokolVyrovnani, ws.nastaveni, hodiny);
    if (v.uspech) {
        ws.state.Computed(Step::AdjustmentReport);
    } else {
        ws.state.Failed(Step::AdjustmentReport);
    }
    return v;
}

VysledekProtokolu ProtokolSurovychMereni(Workspace& ws, Interaction& interakce, Tprotokol& protokol,
                                         const Hodiny& hodiny) {
    Tnastaveni nastaveni = ws.nastaveni;
    ZadneOddily(nastaveni.protokol);
    ZapnoutOddil("A", nastaveni.protokol);
    // The analysis products are not read: part A needs only the raw list.
    return Sestavit(ws, interakce, protokol, nastaveni, hodiny);
}

VysledekProtokolu ProtokolTransformaceSVyrovnanim(Workspace& ws, Interaction& interakce,
                                                  const Hodiny& hodiny) {
    return Transformace(ws, interakce, ws.protokolTransSVyr,
                        Step::TransformationWithAdjustmentReport,
                        Step::TransformationWithAdjustment, &zapsatTransformaceSVyrovnanim, hodiny);
}

VysledekProtokolu ProtokolTransformaceBodASmernik(Workspace& ws, Interaction& interakce,
                                                  const Hodiny& hodiny) {
    return Transformace(ws, interakce, ws.protokolTransBodASmer, Step::PointAndBearingReport,
                        Step::PointAndBearing, &zapsatTransformaceNaBodASmernik, hodiny);
}

VysledekProtokolu ProtokolPridanychSouboru(Workspace& ws, int typSouboru, int32_t pocetSouboru) {
    VysledekProtokolu v;
    v.uspech = zapsatPridatSoubor(ws.protokolPridatSoubor, ws.jazyk,
                                  ws.info.VratSoubory(typSouboru), pocetSouboru);
    return v;
}

void PripojitPridaneSoubory(const Workspace& ws, Tprotokol& protokol) {
    for (int typ = 0; typ < info::kPocetTypu; ++typ) {
        const info::Tsoubory& soubory = ws.info.VratSoubory(typ);
        if (soubory.empty()) continue;
        Tprotokol cast;
        zapsatPridatSoubor(cast, ws.jazyk, soubory, static_cast<int>(soubory.size()));
        const std::string nadpis = NadpisPridani(ws.jazyk, typ);
        protokol.Pridej("\r\n");
        protokol.Pridej(nadpis);
        protokol.Pridej(Cara('=', nadpis));
        protokol.Pridej("");
        for (std::string& z : cast.text) protokol.Pridej(std::move(z));
    }
}

}  // namespace vertano
