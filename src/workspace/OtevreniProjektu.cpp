#include "workspace/OtevreniProjektu.h"

#include "mereni/Text.h"
#include "workspace/Workspace.h"

namespace vertano {

bool OtevreniZahodiData(const Workspace& ws) {
    return HasUnsavedChanges(ws);
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
