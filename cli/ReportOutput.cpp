#include "ReportOutput.h"

#include "workspace/Protokoly.h"

namespace vertano::cli {

namespace {

bool Save(Session& s, const Tprotokol& report, const VysledekProtokolu& built) {
    if (!built.uspech) {
        s.err << "vertano-cli: the report was not written\n";
        return false;
    }
    std::string error;
    if (!UlozitProtokol(report, s.options.report, error)) {
        s.err << "vertano-cli: " << error << "\n";
        return false;
    }
    s.out << "Wrote " << s.options.report << "\n";
    return true;
}

}  // namespace

bool WriteAdjustmentReport(Session& s) {
    const VysledekProtokolu built = ProtokolVyrovnani(s.ws, s.ui, s.options.hodiny);
    return Save(s, s.ws.protokolVyrovnani, built);
}

bool WriteRawReport(Session& s) {
    Tprotokol report;
    const VysledekProtokolu built = ProtokolSurovychMereni(s.ws, s.ui, report, s.options.hodiny);
    return Save(s, report, built);
}

}  // namespace vertano::cli
