#include <string>

#include "Commands.h"
#include "workspace/Simulace.h"
#include "workspace/SimulaceSoubory.h"

namespace vertano::cli {

namespace {

SimulaceFormat FormatOf(const Options& o) {
    SimulaceFormat f;
    f.format = o.format < 0 ? format::kMtx : o.format;
    f.uhel = o.angleUnit;
    f.delka = o.lengthUnit;
    f.souradnice = o.coordUnit;
    return f;
}

void PrintSummary(const SimulovanaSit& sit, std::ostream& out) {
    out << "Points: " << sit.skutecne.Pocet() << " (given: " << sit.zadane.Pocet() << ")\n";
    out << "Stations: " << sit.mereni.PosledniPoradi() << "\n";
    out << "Measurements: " << sit.mereni.PocetPlnychZaznamu() << "\n";
    out << "Gross errors: " << sit.hrubeChyby.size() << "\n";
    if (sit.maDoplnky) out << "Supplementary measurements: " << sit.doplnek.PocetMereni() << "\n";
}

}  // namespace

int RunSimulate(const Options& o, std::ostream& out, std::ostream& err) {
    SimulovanaSit sit;
    std::string error;
    if (!Simulovat(o.simulace, sit, error)) {
        err << "vertano-cli: simulate: " << error << "\n";
        return kExitUsage;
    }
    PrintSummary(sit, out);
    const SimulaceUlozeni saved = UlozitSimulaci(sit, FormatOf(o), o.output);
    for (const auto& path : saved.soubory) out << "Wrote " << path.string() << "\n";
    if (!saved.ok) {
        err << "vertano-cli: " << saved.message << "\n";
        return kExitRejected;
    }
    return kExitOk;
}

}  // namespace vertano::cli
