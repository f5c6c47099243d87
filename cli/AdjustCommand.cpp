#include <string>
#include <vector>

#include "AdjustResults.h"
#include "AdjustRun.h"
#include "AdjustSummary.h"
#include "Commands.h"
#include "Inputs.h"
#include "ProjectInput.h"
#include "RawProcessing.h"
#include "ReportOutput.h"
#include "ResultFiles.h"
#include "Session.h"
#include "exchange/CsvBody.h"
#include "mereni/TextovySoubor.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/Vymena.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/VystupySite.h"
#include "workspace/VystupyVyrovnani.h"

namespace vertano::cli {

namespace {

bool LoadAll(Session& s, const std::vector<int>& codes) {
    const Options& o = s.options;
    if (!o.project.empty()) return LoadProject(s);
    bool accepted = LoadRawFiles(s, codes);
    accepted = LoadPointFiles(s) && accepted;
    if (!o.scale.empty()) accepted = LoadScaleFiles(s) && accepted;
    if (!o.identical.empty()) accepted = LoadIdenticalFiles(s) && accepted;
    return LoadSupplementaryFiles(s) && accepted;
}

// The analysis and the adjustment, as the main window runs them; their messages
// have been shown through the interaction when they stop.
bool Adjust(Session& s, VysledekVyrovnani& vysledek) {
    Workspace& ws = s.ws;
    if (!AnalyzaSuroveMereni(ws, s.ui).uspech) {
        s.err << "vertano-cli: the measurement analysis stopped; nothing adjusted\n";
        return false;
    }
    // The main window offers the adjustment only when there is a point to determine.
    if (!VyrovnaniPovoleno(ws)) {
        s.err << "vertano-cli: every point of the measurements is fixed; nothing to adjust "
                 "(see --unfix and --free)\n";
        return false;
    }
    vysledek = VyrovnaniSite(ws, s.ui);
    s.ui.Stage("");
    if (vysledek.uspech) return true;
    if (!vysledek.chyba.empty()) s.err << "vertano-cli: " << vysledek.chyba << "\n";
    s.err << "vertano-cli: the network adjustment "
          << (vysledek.odmitnuto != 0 ? "was not continued" : "stopped") << "; nothing written\n";
    return false;
}

}  // namespace

bool WriteText(Session& s, const std::string& path, const std::vector<std::string>& lines) {
    std::string error;
    if (SaveTextFile(path, lines, error)) return true;
    s.err << "vertano-cli: " << error << "\n";
    return false;
}

namespace {

bool WriteCoordinates(Session& s) {
    const CoordinateSaveReport r = UlozitVyrovnaneSouradnice(s.ws, s.options.coords);
    if (!r.ok) {
        s.err << "vertano-cli: " << r.message << "\n";
        return false;
    }
    s.out << "Wrote " << s.options.coords << "\n";
    return true;
}

// The adjusted network for other programs: the XML network of GNU Gama, CSV of
// the points and of the observations, GeoJSON.
bool WriteExchangeFiles(Session& s) {
    const Options& o = s.options;
    exchange::CsvVolby csv;
    std::string error;
    exchange::ParseCsvVolby(o.csv, csv, error);
    exchange::VolbyExportu volby;
    volby.oddelovac = csv.oddelovac;
    volby.desetinna = csv.desetinna;
    if (o.ellipseScale > 0) volby.meritkoElips = o.ellipseScale;
    const struct {
        const std::string& path;
        exchange::Format format;
        bool observations;
    } files[] = {{o.gama, exchange::Format::Gama, false},
                 {o.csvPoints, exchange::Format::Csv, false},
                 {o.csvObservations, exchange::Format::Csv, true},
                 {o.geojson, exchange::Format::GeoJson, false}};
    bool all = true;
    for (const auto& f : files) {
        if (f.path.empty()) continue;
        volby.csvMereni = f.observations;
        const VysledekUlozeni u = ExportovatVysledky(s.ws, f.format, volby, f.path);
        if (u.uspech) {
            s.out << "Wrote " << f.path << "\n";
        } else {
            s.err << "vertano-cli: " << u.chyba << "\n";
            all = false;
        }
    }
    return all;
}

// The JSON document is written as it is made, never held whole (a large
// network's is hundreds of megabytes).
bool WriteJson(Session& s, const VysledkyVyrovnani& v) {
    std::string error;
    const bool ok = SaveTextLines(
        s.options.json, [&](const LineWriter& line) { return WriteAdjustmentJson(s.ws, v, line); },
        error);
    if (!ok) s.err << "vertano-cli: " << error << "\n";
    return ok;
}

// The results of the document are made before any file is written: when they
// cannot be made, nothing is written, not just the coordinates.
bool WriteOutputs(Session& s) {
    const Options& o = s.options;
    VysledkyVyrovnani json;
    if (!o.json.empty() && !AdjustmentJsonResults(s.ws, json)) {
        s.err << "vertano-cli: an accuracy figure of the results is not a number; nothing "
                 "written\n";
        return false;
    }
    const bool coords = o.coords.empty() || WriteCoordinates(s);
    const bool written = o.json.empty() || WriteJson(s, json);
    if (!o.json.empty() && written) s.out << "Wrote " << o.json << "\n";
    const bool report = o.report.empty() || WriteAdjustmentReport(s);
    return coords && written && report && WriteExchangeFiles(s);
}

}  // namespace

int ReadAndAdjust(Session& s, const std::vector<int>& codes, VysledekVyrovnani& vysledek) {
    if (!LoadAll(s, codes)) {
        s.err << "vertano-cli: nothing adjusted\n";
        return kExitRejected;
    }
    if (!ApplyDatum(s)) return kExitUsage;
    ProcessRaw(s);
    if (!AnalysisOffered(s, "nothing adjusted")) return kExitChecksFailed;
    if (!Adjust(s, vysledek)) return kExitStopped;
    return kExitOk;
}

int RunAdjust(const Options& o, std::ostream& out, std::ostream& err, std::istream* terminal) {
    std::vector<int> codes;
    if (!RawFormats(o, codes, err)) return kExitUsage;
    Session s(o, out, err, terminal);
    VysledekVyrovnani vysledek;
    if (const int status = ReadAndAdjust(s, codes, vysledek); status != kExitOk) return status;
    PrintAdjustmentSummary(s, vysledek);
    const bool written = WriteOutputs(s);
    return WriteResultFiles(s, DruhVysledku::Vyrovnani) && written ? kExitOk : kExitRejected;
}

}  // namespace vertano::cli
