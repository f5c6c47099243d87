#include "Commands.h"

#include <string>
#include <vector>

#include "Inputs.h"
#include "ProjectInput.h"
#include "Session.h"
#include "files/SurovaMereniSoubory.h"

namespace vertano::cli {

namespace {

std::string Count(int32_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int RunConvert(const Options& o, std::ostream& out, std::ostream& err) {
    std::vector<int> codes;
    if (!RawFormats(o, codes, err)) return kExitUsage;
    Session s(o, out, err, nullptr);
    Workspace& ws = s.ws;
    if (o.project.empty() ? !LoadRawFiles(s, codes) : !LoadProject(s)) {
        err << "vertano-cli: nothing written\n";
        return kExitRejected;
    }
    const RawSaveReport rep = o.exportMode
                                  ? ExportSouboru(ws.suroveMereni, ws.nastaveni, o.output)
                                  : UlozeniSouboru(ws.suroveMereni, ws.nastaveni, o.output);
    if (!rep.ok) {
        err << rep.message << "\n";
        return kExitRejected;
    }
    out << (o.exportMode ? "Exported " : "Wrote ")
        << Count(ws.suroveMereni.PocetPlnychZaznamu(), "measurement", "measurements") << " to "
        << o.output << "\n";
    return kExitOk;
}

}  // namespace vertano::cli
