#include "workspace/Protokoly.h"

#include "reports/OddilyProtokolu.h"
#include "reports/ProtokolVyrovnani.h"
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

}  // namespace

VysledekProtokolu ProtokolVyrovnani(Workspace& ws, Interaction& interakce, const Hodiny& hodiny) {
    if (ws.info.jeProtokolVyrovnani) {
        VysledekProtokolu v;
        v.uspech = v.jenZobrazeni = true;
        return v;
    }
    const VysledekProtokolu v = Sestavit(ws, interakce, ws.protokolVyrovnani, ws.nastaveni, hodiny);
    ws.info.jeProtokolVyrovnani = v.uspech;
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

}  // namespace vertano
