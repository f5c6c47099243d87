#include "ReportOutput.h"

#include "workspace/Protokoly.h"

namespace vertano::cli {

namespace {

// With F among the sections, the reports of the files read follow the report.
bool Save(Session& s, const Tprotokol& report, const VysledekProtokolu& built) {
    if (!built.uspech) {
        s.err << "vertano-cli: the report was not written\n";
        return false;
    }
    Tprotokol withFiles;
    if (s.options.reportFiles) {
        withFiles = report;
        PripojitPridaneSoubory(s.ws, withFiles);
    }
    std::string error;
    if (!UlozitProtokol(s.options.reportFiles ? withFiles : report, s.options.report, error)) {
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

bool WriteTransformReport(Session& s, bool pointBearing) {
    if (pointBearing) {
        const VysledekProtokolu built =
            ProtokolTransformaceBodASmernik(s.ws, s.ui, s.options.hodiny);
        return Save(s, s.ws.protokolTransBodASmer, built);
    }
    const VysledekProtokolu built = ProtokolTransformaceSVyrovnanim(s.ws, s.ui, s.options.hodiny);
    return Save(s, s.ws.protokolTransSVyr, built);
}

}  // namespace vertano::cli
