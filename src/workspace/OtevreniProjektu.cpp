#include "workspace/OtevreniProjektu.h"

#include <utility>

#include "mereni/Text.h"
#include "workspace/Workspace.h"

namespace vertano {

bool OtevreniZahodiData(const Workspace& ws) {
    return !ws.suroveMereni.zaznam.empty() || ws.souradniceFixni.Pocet() > 0 ||
           ws.souradniceTransformaceVstup.Pocet() > 0 || ws.souradniceMeritko.Pocet() > 0 ||
           ws.doplnekVstup.PocetMereni() > 0;
}

VysledekProjektu OtevritProjektBezZtraty(Workspace& ws, const std::filesystem::path& cesta) {
    // Settings the file does not carry keep the values in force.
    ProjektObsah obsah;
    obsah.nastaveni = ws.nastaveni;
    VysledekProjektu v;
    v.soubor = CistProjekt(cesta, obsah);
    v.uspech = v.soubor.ok;
    if (v.uspech) PrevzitProjekt(ws, std::move(obsah), cesta);
    return v;
}

jazyk::Toznameni OznameniOtevreniProjektu(const Workspace& ws, const VysledekProjektu& v) {
    const Tjazyk& j = ws.jazyk;
    jazyk::Toznameni o;
    o.nadpis = j.tlacitko.otevrit + " Vertano " + j.tlacitko.projekt;
    if (!v.uspech) {
        o.text = j.hlaseni.chybaOtevritProjekt + "\n" + v.soubor.message;
        return o;
    }
    const int64_t mereni = ws.suroveMereni.PocetPlnychZaznamu() + ws.doplnekVstup.PocetMereni();
    o.text = j.hlaseni.uspesneOtevrenProjekt + "\n(" + j.popis.mereni + ": " +
             FormatInteger(mereni) + ", " + j.popis.body + ": " +
             FormatInteger(ws.souradniceFixni.PocetPlnychBodu()) + ", " +
             j.popis.meritkoveKoeficienty + ": " +
             FormatInteger(ws.souradniceMeritko.PocetPlnychBodu()) + ")";
    return o;
}

}  // namespace vertano
