#include "CheckReport.h"
#include "Commands.h"
#include "Inputs.h"
#include "ProjectInput.h"
#include "RawProcessing.h"
#include "Session.h"

namespace vertano::cli {

int RunCheck(const Options& o, std::ostream& out, std::ostream& err, std::istream* terminal) {
    std::vector<int> codes;
    if (!RawFormats(o, codes, err)) return kExitUsage;
    Session s(o, out, err, terminal);
    bool accepted = true;
    if (!o.project.empty()) {
        if (!LoadProject(s)) return kExitRejected;
    } else {
        if (!o.inputs.empty()) accepted = LoadRawFiles(s, codes) && accepted;
        if (!o.points.empty()) accepted = LoadPointFiles(s) && accepted;
        if (!o.scale.empty()) accepted = LoadScaleFiles(s) && accepted;
        accepted = LoadSupplementaryFiles(s) && accepted;
    }

    int32_t errors = 0;
    if (s.HasRaw()) {
        ProcessRaw(s);
        errors += PrintRawChecks(s);
        if (o.rows) PrintRawRows(s);
    }
    if (s.HasPoints()) errors += PrintPointChecks(s);
    if (s.HasScale()) errors += PrintScaleChecks(s);
    errors += PrintSupplementaryChecks(s);

    if (!accepted) return kExitRejected;
    return errors > 0 ? kExitChecksFailed : kExitOk;
}

}  // namespace vertano::cli
