#include <string>
#include <vector>

#include "ApproxExplanation.h"
#include "Commands.h"
#include "Inputs.h"
#include "ProjectInput.h"
#include "RawProcessing.h"
#include "Session.h"
#include "files/SouradniceFormaty.h"
#include "files/SouradniceSoubory.h"
#include "files/SouradniceText.h"
#include "workspace/VyrovnaniSite.h"

namespace vertano::cli {

namespace {

bool LoadAll(Session& s, const std::vector<int>& codes) {
    if (!s.options.project.empty()) return LoadProject(s);
    bool accepted = LoadRawFiles(s, codes);
    accepted = LoadPointFiles(s) && accepted;
    if (!s.options.scale.empty()) accepted = LoadScaleFiles(s) && accepted;
    return accepted;
}

// The approximate coordinates are those of the raw-data analysis, which the
// main window offers only while the checks find no error.
bool Analyse(Session& s, VysledekAnalyzy& analyza) {
    const int32_t errors = s.ws.chyby.suroveMereniCekovyPocetChyb;
    s.out << s.ws.jazyk.tlacitko.prehledChyb << ": " << std::to_string(errors) << "\n";
    if (errors > 0) {
        s.err << "vertano-cli: the checks found errors in the raw measurements (see "
                 "'vertano-cli check --rows'); nothing computed\n";
        return false;
    }
    analyza = AnalyzaSuroveMereni(s.ws, s.ui);
    if (analyza.uspech) return true;
    s.err << "vertano-cli: the measurement analysis stopped; nothing written\n";
    return false;
}

Tnastaveni XyzSettings(const Session& s) {
    Tnastaveni n = s.ws.nastaveni;
    n.souborVystup.typSouradnice = kFormatXYZ;
    return n;
}

bool WriteCoordinates(Session& s) {
    const Tsouradnice& points = s.ws.souradnicePriblizne;
    const std::string count = std::to_string(points.PocetPlnychBodu());
    if (!s.options.output.empty()) {
        const CoordinateSaveReport r = UlozeniSouboru(points, XyzSettings(s), s.options.output);
        if (!r.ok) {
            s.err << r.message << "\n";
            return false;
        }
        s.out << "Wrote " << count << " points to " << s.options.output << "\n";
        return true;
    }
    std::vector<std::string> lines;
    CoordinateFileResult r = UlozDoStringList(points, lines);
    if (r.ok) r = WriteCoordinateFile(lines, XyzSettings(s));
    if (!r.ok) {
        s.err << "vertano-cli: the approximate coordinates cannot be written\n";
        return false;
    }
    for (const std::string& line : lines) s.out << line << "\n";
    return true;
}

void Explain(Session& s, const VysledekAnalyzy& analyza) {
    for (const std::string& line : ExplanationLines(analyza.priblizne, s.ws.souradnicePriblizne))
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
    if (!Analyse(s, analyza)) {
        return s.ws.chyby.suroveMereniCekovyPocetChyb > 0 ? kExitChecksFailed : kExitStopped;
    }
    if (!WriteCoordinates(s)) return kExitRejected;
    if (o.explain) Explain(s, analyza);
    return kExitOk;
}

}  // namespace vertano::cli
