#include "workspace/ZpetSurovych.h"

#include "workspace/TabulkaMereni.h"
#include "workspace/Workspace.h"

namespace vertano {

StavSurovych StavSurovychMereni(const Workspace& ws) {
    return {ws.suroveMereni, ws.state};
}

void VratitSurovaMereni(Workspace& ws, const StavSurovych& od, const StavSurovych& cil) {
    const bool nicDalsiho = ws.state == od.state;
    ws.suroveMereni = cil.mereni;
    ZkontrolovatPoZmene(ws);
    if (nicDalsiho) ws.state = cil.state;
}

}  // namespace vertano
