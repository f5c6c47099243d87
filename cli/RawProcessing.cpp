#include "RawProcessing.h"

#include "workspace/PrikazySurovychMereni.h"

namespace vertano::cli {

void ProcessRaw(Session& s) {
    const Options& o = s.options;
    ZpracovatSurovaMereni(s.ws, s.ui, {o.simultaneous, o.mirror, o.dropUnassigned});
}

}  // namespace vertano::cli
