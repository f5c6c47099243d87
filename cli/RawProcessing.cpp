#include "RawProcessing.h"

#include <string>

#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Workspace.h"

namespace vertano::cli {

void ProcessRaw(Session& s) {
    const Options& o = s.options;
    ZpracovatSurovaMereni(s.ws, s.ui, {o.simultaneous, o.mirror, o.dropUnassigned});
}

bool AnalysisOffered(Session& s, const char* nothing) {
    const int32_t errors = ChybySurovychMereni(s.ws);
    s.out << s.ws.jazyk.tlacitko.prehledChyb << ": " << std::to_string(errors) << "\n";
    if (AnalyzaPovolena(s.ws)) return true;
    if (errors > 0) {
        s.err << "vertano-cli: the checks found errors in the raw measurements (see 'vertano-cli "
                 "check --rows'); "
              << nothing << "\n";
    } else {
        s.err << "vertano-cli: no raw measurement is in a measurement set; " << nothing << "\n";
    }
    return false;
}

}  // namespace vertano::cli
