#include <string>
#include <vector>

#include "ApproxExplanation.h"
#include "Commands.h"
#include "Inputs.h"
#include "ProjectInput.h"
#include "RawProcessing.h"
#include "Session.h"
#include "workspace/PrikazySurovychMereni.h"
#include "workspace/VyrovnaniSite.h"
#include "workspace/VystupyVyrovnani.h"

namespace vertano::cli {

namespace {

bool LoadAll(Session& s, const std::vector<int>& codes) {
    if (!s.options.project.empty()) return LoadProject(s);
    bool accepted = LoadRawFiles(s, codes);
    accepted = LoadPointFiles(s) && accepted;
    if (!s.options.scale.empty()) accepted = LoadScaleFiles(s) && accepted;
    return accepted;
}

// The approximate coordinates are those of the raw-data analysis, run when the
// main window would offer it.
int Analyse(Session& s, VysledekAnalyzy& analyza) {
    if (!AnalysisOffered(s, "nothing computed")) return kExitChecksFailed;
    analyza = AnalyzaSuroveMereni(s.ws, s.ui);
    if (analyza.uspech) return kExitOk;
    s.err << "vertano-cli: the measurement analysis stopped; nothing written\n";
    return kExitStopped;
}

bool WriteCoordinates(Session& s) {
    std::vector<std::string> lines;
    const CoordinateSaveReport r = UlozitPribliznesouradnice(s.ws, s.options.output, lines);
    if (!r.ok) {
        s.err << (s.options.output.empty() ? "vertano-cli: " : "") << r.message << "\n";
        return false;
    }
    if (!s.options.output.empty()) {
        s.out << "Wrote " << std::to_string(s.ws.souradnicePriblizne.PocetPlnychBodu())
              << " points to " << s.options.output << "\n";
    }
    for (const std::string& line : lines) s.out << line << "\n";
    return true;
}

void Explain(Session& s, const VysledekAnalyzy& analyza) {
    for (const std::string& line : ExplanationLines(VysvetlitPriblizne(s.ws, analyza.priblizne)))
        s.out << line << "\n";
}

}  // namespace

int RunApprox(const Options& o, std::ostream& out, std::ostream& err, std::istream* terminal) {
    std::vector<int> codes;
    if (!RawFormats(o, codes, err)) return kExitUsage;
    Session s(o, out, err, terminal);
    if (!LoadAll(s, codes)) {
        err << "vertano-cli: nothing computed\n";
        return kExitRejected;
    }
    ProcessRaw(s);
    VysledekAnalyzy analyza;
    if (const int status = Analyse(s, analyza); status != kExitOk) return status;
    if (!WriteCoordinates(s)) return kExitRejected;
    if (o.explain) Explain(s, analyza);
    return kExitOk;
}

}  // namespace vertano::cli
