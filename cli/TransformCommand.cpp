#include <optional>
#include <string>
#include <vector>

#include "AdjustRun.h"
#include "AdjustSummary.h"
#include "Commands.h"
#include "Inputs.h"
#include "ReportOutput.h"
#include "ResultFiles.h"
#include "Session.h"
#include "TransformResults.h"
#include "mereni/Jednotky.h"
#include "transformation/IdentickeBody.h"
#include "workspace/Transformace.h"
#include "workspace/VystupySite.h"
#include "workspace/VystupyTransformace.h"

namespace vertano::cli {

namespace {

// The pair of a point number given by --base or --orient; -1 (reported) when
// the number is not among the identical points of the network.
int32_t Pair(Session& s, const std::string& option, const std::string& name) {
    const int32_t k = IndexPary(s.ws, name);
    if (k < 0) {
        s.err << "vertano-cli: " << option << ": point '" << name
              << "' is not an identical point of the network\n";
    }
    return k;
}

// The transformation of the method chosen; the exit status when it cannot run.
std::optional<int> Transform(Session& s, VysledekTransformace& v) {
    const Options& o = s.options;
    if (!o.pointBearing) {
        v = TransformaceSVyrovnanim(s.ws, s.ui);
    } else if (o.base.empty()) {
        v = TransformaceBodASmernik(s.ws, s.ui);
    } else {
        const int32_t base = Pair(s, "--base", o.base);
        const int32_t orient = Pair(s, "--orient", o.orient);
        if (base < 0 || orient < 0) return kExitUsage;
        std::optional<Real> bearing;
        if (!o.bearing.empty()) {
            Real rad = 0;
            // Checked when the options were read.
            (void)ParseAngle(o.bearing, o.angleUnit, rad);
            bearing = UhelVKruhu(rad);
        }
        v = TransformaceBodASmernik(s.ws, s.ui, base, orient, bearing);
    }
    s.ui.Stage("");
    if (v.uspech) return std::nullopt;
    // The reason came with the notification.
    s.err << "vertano-cli: the transformation "
          << (v.odmitnuto != 0 ? "was not continued" : "stopped") << "; nothing written\n";
    return kExitStopped;
}

// The documents are made before any file is written: when one cannot be made,
// nothing is written.
bool WriteOutputs(Session& s) {
    const Options& o = s.options;
    const bool pb = o.pointBearing;
    const std::vector<std::string> json =
        o.json.empty() ? std::vector<std::string>() : TransformJson(s.ws, pb);
    if (!o.json.empty() && json.empty()) {
        s.err << "vertano-cli: an accuracy figure of the results is not a number; nothing "
                 "written\n";
        return false;
    }
    bool ok = true;
    if (!o.output.empty()) {
        const CoordinateSaveReport r = UlozitTransformovaneSouradnice(s.ws, pb, o.output);
        if (r.ok) {
            s.out << "Wrote " << o.output << "\n";
        } else {
            s.err << "vertano-cli: " << r.message << "\n";
            ok = false;
        }
    }
    if (!o.report.empty() && !WriteTransformReport(s, pb)) ok = false;
    if (!o.json.empty()) {
        if (WriteText(s, o.json, json)) {
            s.out << "Wrote " << o.json << "\n";
        } else {
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int RunTransform(const Options& o, std::ostream& out, std::ostream& err, std::istream* terminal) {
    std::vector<int> codes;
    if (!RawFormats(o, codes, err)) return kExitUsage;
    Session s(o, out, err, terminal);
    VysledekVyrovnani vyrovnani;
    if (const int status = ReadAndAdjust(s, codes, vyrovnani); status != kExitOk) return status;
    PrintAdjustmentSummary(s, vyrovnani);
    const VysledekAnalyzyTransformace analyza = AnalyzaTransformace(s.ws, s.ui);
    if (!analyza.uspech) {
        s.err << "vertano-cli: the transformation analysis stopped; nothing written\n";
        return kExitStopped;
    }
    VysledekTransformace v;
    if (const std::optional<int> status = Transform(s, v)) return *status;
    for (const std::string& line : RadkySouhrnuTransformace(s.ws, o.pointBearing, v))
        s.out << line << "\n";
    const bool written = WriteOutputs(s);
    const DruhVysledku vysledek =
        o.pointBearing ? DruhVysledku::BodASmernik : DruhVysledku::TransformaceSVyrovnanim;
    return WriteResultFiles(s, vysledek) && written ? kExitOk : kExitRejected;
}

}  // namespace vertano::cli
