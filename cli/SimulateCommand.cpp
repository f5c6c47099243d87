#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "Commands.h"
#include "workspace/Simulace.h"
#include "workspace/SimulaceSoubory.h"

namespace vertano::cli {

namespace {

namespace fs = std::filesystem;

SimulaceFormat FormatOf(const Options& o) {
    SimulaceFormat f;
    f.format = o.format < 0 ? format::kMtx : o.format;
    f.uhel = o.angleUnit;
    f.delka = o.lengthUnit;
    f.souradnice = o.coordUnit;
    f.desetinyUhlu = o.angleDecimals;
    f.desetinyDelky = o.lengthDecimals;
    return f;
}

// The files the network will be written to.
std::vector<fs::path> OutputPaths(const Options& o, const SimulaceFormat& f) {
    const fs::path prefix = o.output;
    std::vector<fs::path> paths = {
        SouborSimulace(prefix, RawFileExtension(f.format)), SouborSimulace(prefix, kKonecZadane),
        SouborSimulace(prefix, kKonecSkutecne), SouborSimulace(prefix, kKonecHrube)};
    if (o.simulace.doplnky) {
        for (const std::string_view konec : kKonecDoplnku)
            paths.push_back(SouborSimulace(prefix, konec));
    }
    return paths;
}

// Every file is looked at before the first is written: a run that stopped at the
// second file would leave new measurements beside the given points and the truth
// of an older network, which nobody could tell apart.
bool OutputsWritable(const Options& o, const SimulaceFormat& f, std::ostream& err) {
    if (!fs::path(o.output).has_filename()) return true;  // the writer says why
    for (const fs::path& p : OutputPaths(o, f)) {
        std::error_code ec;
        const fs::path folder = p.parent_path().empty() ? fs::path(".") : p.parent_path();
        const char* why = fs::is_directory(p, ec)         ? "it is a folder"
                          : !fs::is_directory(folder, ec) ? "its folder does not exist"
                                                          : nullptr;
        if (why == nullptr) continue;
        err << "vertano-cli: Cannot save " << p.string() << ": " << why << "; nothing written\n";
        return false;
    }
    return true;
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
    const SimulaceFormat format = FormatOf(o);
    if (!OutputsWritable(o, format, err)) return kExitRejected;
    SimulovanaSit sit;
    std::string error;
    if (!Simulovat(o.simulace, sit, error)) {
        err << "vertano-cli: simulate: " << error << "\n";
        return kExitUsage;
    }
    PrintSummary(sit, out);
    const SimulaceUlozeni saved = UlozitSimulaci(sit, format, o.output);
    for (const auto& path : saved.soubory) out << "Wrote " << path.string() << "\n";
    if (!saved.ok) {
        err << "vertano-cli: " << saved.message << "\n";
        return kExitRejected;
    }
    return kExitOk;
}

}  // namespace vertano::cli
