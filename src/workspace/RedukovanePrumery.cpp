#include "workspace/RedukovanePrumery.h"

#include <exception>

#include "data/SouradniceKontrola.h"
#include "processing/Polohy.h"
#include "workspace/CislaOznameni.h"
#include "workspace/PrikazPomocne.h"
#include "workspace/Workspace.h"

namespace vertano {

namespace {

// Shows the notification of every faulty list; true when there is none.
bool VstupyPouzitelne(Workspace& ws, Interaction& interakce, VysledekRedukovanychPrumeru& v) {
    KontrolaSouradnic(ws.souradniceFixni, kBodyVstupFixni, ws.chyby);
    KontrolaMeritka(ws.souradniceMeritko, ws.nastaveni, ws.chyby);
    const bool body = ws.chyby.souradniceFixniCekovyPocetChyb > 0;
    const bool meritko = ws.chyby.souradniceMeritkoCekovyPocetChyb > 0;
    if (body) UkazatOznameni(ws, interakce, oznameni::kBody);
    if (meritko) UkazatOznameni(ws, interakce, oznameni::kMeritko);
    if (body || meritko) v.oznameni = body ? oznameni::kBody : oznameni::kMeritko;
    return !body && !meritko;
}

bool Redukovat(Workspace& ws, const PrumeryMereni& prumery, VysledekRedukovanychPrumeru& v) {
    const ZadaneBody zadane = ZadaneVMereni(ws.souradniceFixni, prumery.cislaBodu);
    Tsouradnice priblizne;
    if (!PribliznePoRedukci(zadane.vse, prumery.skupiny, ws.souradniceMeritko, ws.nastaveni,
                            priblizne, v.priblizne)) {
        return false;
    }
    v.redukovano = true;
    return RedukovatNaZnacky(ws.mereniJednaPoloha, priblizne, ws.souradniceMeritko, ws.nastaveni,
                             v.redukce);
}

bool Spocitat(Workspace& ws, bool prumeryPoloh, VysledekRedukovanychPrumeru& v) {
    PrumeryMereni prumery;
    if (!SpocitatPrumery(ws.suroveMereni, prumery)) return false;
    ws.mereniJednaPoloha = prumeryPoloh ? prumery.polohy : prumery.skupiny;
    if (!ws.souradniceFixni.ExistujePlnyBod() || !ws.mereniJednaPoloha.ExistujePlnyZaznam()) {
        return true;
    }
    return Redukovat(ws, prumery, v);
}

}  // namespace

VysledekRedukovanychPrumeru RedukovanePrumery(Workspace& ws, Interaction& interakce,
                                              bool prumeryPoloh) {
    VysledekRedukovanychPrumeru v;
    ws.mereniJednaPoloha.Clear();
    if (!VstupyPouzitelne(ws, interakce, v)) return v;
    PoradiPrvniDruhaPoloha(ws.suroveMereni);
    bool ok = false;
    try {
        ok = Spocitat(ws, prumeryPoloh, v);
    } catch (const std::exception&) {
        ok = false;  // out of memory on a huge list: a failure like any other
    }
    if (!ok) {
        ws.mereniJednaPoloha.Clear();
        v.redukovano = false;
        v.oznameni = oznameni::kChyba;
        UkazatOznameni(ws, interakce, v.oznameni);
        return v;
    }
    v.uspech = true;
    return v;
}

}  // namespace vertano
