#include "Commands.h"
#include "Inputs.h"
#include "ProjectInput.h"
#include "Session.h"
#include "workspace/CislaOznameni.h"
#include "workspace/Projekt.h"

namespace vertano::cli {

namespace {

bool LoadFiles(Session& s, const std::vector<int>& codes) {
    const Options& o = s.options;
    bool accepted = true;
    if (!o.inputs.empty()) accepted = LoadRawFiles(s, codes) && accepted;
    if (!o.points.empty()) accepted = LoadPointFiles(s) && accepted;
    if (!o.scale.empty()) accepted = LoadScaleFiles(s) && accepted;
    if (!o.identical.empty()) accepted = LoadIdenticalFiles(s) && accepted;
    return LoadSupplementaryFiles(s) && accepted;
}

int Save(Session& s, const std::vector<int>& codes) {
    const Options& o = s.options;
    const bool loaded = o.project.empty() ? LoadFiles(s, codes) : LoadProject(s);
    if (!loaded) {
        s.err << "vertano-cli: nothing written\n";
        return kExitRejected;
    }
    if (!ApplyDatum(s)) return kExitUsage;
    const VysledekProjektu r = UlozitProjekt(s.ws, o.output);
    if (!r.uspech) {
        s.Show(oznameni::kUkladani);
        s.err << "vertano-cli: " << r.soubor.message << "\n";
        return kExitRejected;
    }
    s.out << "Wrote " << o.output << "\n";
    return kExitOk;
}

}  // namespace

int RunProject(const Options& o, std::ostream& out, std::ostream& err, std::istream* terminal) {
    std::vector<int> codes;
    if (!RawFormats(o, codes, err)) return kExitUsage;
    Session s(o, out, err, terminal);
    if (o.subcommand == "save") return Save(s, codes);
    if (!LoadProject(s)) return kExitRejected;
    PrintProjectSettings(s);
    return kExitOk;
}

}  // namespace vertano::cli
