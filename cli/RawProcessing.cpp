#include "RawProcessing.h"

#include "processing/KontrolaMereni.h"
#include "processing/PrikazySkupin.h"

namespace vertano::cli {

namespace {

void FindSets(Session& s) {
    Workspace& ws = s.ws;
    const PocetSerazenych found =
        NajitMerickeSkupiny(ws.suroveMereni, ws.nastaveni, ws.chyby, ws.info);
    const jazyk::Toznameni message = OznameniNalezeniSkupin(ws.jazyk, found);
    s.ui.Notify(message.nadpis, message.text);
}

void Mirror(Session& s) {
    Workspace& ws = s.ws;
    const int32_t added = ZrcadlitMimoSkupiny(ws.suroveMereni, ws.nastaveni, ws.info);
    const jazyk::Toznameni message = OznameniZrcadleni(ws.jazyk, added);
    s.ui.Notify(message.nadpis, message.text);
    // Mirroring leaves each source row and its mirror side by side, which is the
    // simultaneous order; only then can they form sets.
    if (added > 0 && s.options.simultaneous) FindSets(s);
}

}  // namespace

void ProcessRaw(Session& s) {
    Workspace& ws = s.ws;
    const Options& o = s.options;
    s.Stage(1);
    // Rows in standard-order sets must be known before the simultaneous search,
    // which works only on rows outside sets: a standard set read in simultaneous
    // order could otherwise be torn apart.
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    if (o.simultaneous || o.mirror || o.dropUnassigned) s.Stage(2);
    if (o.simultaneous) FindSets(s);
    if (o.mirror) Mirror(s);
    if (o.dropUnassigned) {
        SmazatZaznamyMimoSkupiny(ws.suroveMereni, ws.nastaveni, ws.chyby, ws.info, ws.jazyk, s.ui);
    }
    KontrolaVsehoMereni(ws.suroveMereni, ws.nastaveni, ws.chyby);
    s.ui.Stage("");
}

}  // namespace vertano::cli
