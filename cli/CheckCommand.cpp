#include "CheckReport.h"
#include "Commands.h"
#include "Inputs.h"
#include "ProjectInput.h"
#include "RawProcessing.h"
#include "ReportOutput.h"
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
    // The report shows the raw measurements whatever the checks found: it is
    // what the user needs to find the faulty rows. It never leaves out a file
    // that was refused, as if it had not been given.
    if (!o.report.empty()) {
        if (!accepted) {
            s.err << "vertano-cli: a file was refused; the report was not written\n";
            return kExitRejected;
        }
        if (!WriteRawReport(s)) return kExitRejected;
    }

    if (!accepted) return kExitRejected;
    return errors > 0 ? kExitChecksFailed : kExitOk;
}

}  // namespace vertano::cli
