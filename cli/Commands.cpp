#include "Commands.h"

#include <string>
#include <vector>

#include "data/Tinfo.h"
#include "data/Tnastaveni.h"
#include "files/SurovaMereniSoubory.h"
#include "mereni/Tmereni.h"

namespace vertano::cli {

namespace {

Tnastaveni SettingsFor(const Options& o) {
    Tnastaveni s;
    s.Default();
    s.jednotky.uhel = o.angleUnit;
    s.jednotky.delka = o.lengthUnit;
    if (o.to >= 0) s.souborVystup.typSuroveMereni = static_cast<uint8_t>(o.to);
    return s;
}

// Formats of the inputs, or false (usage error) when a file's format cannot be told.
bool InputFormats(const Options& o, std::vector<int>& codes, std::ostream& err) {
    for (const std::string& name : o.inputs) {
        const int code = o.format >= 0 ? o.format : RawFormatFromExtension(name);
        if (code < 0) {
            err << "vertano-cli: cannot tell the format of '" << name
                << "' from its extension; use --format mtx|asc\n";
            return false;
        }
        codes.push_back(code);
    }
    return true;
}

std::string Count(int32_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// Loads every input into `mereni`, reporting each file; true when all were read.
bool LoadAll(const Options& o, const std::vector<int>& codes, const Tnastaveni& s, Tmereni& mereni,
             std::ostream& out, std::ostream& err) {
    Tinfo info;
    bool all = true;
    for (size_t i = 0; i < o.inputs.size(); ++i) {
        const LoadedRawFile f = NactiSoubor(mereni, info, s, o.inputs[i], codes[i]);
        if (!f.result.ok) {
            err << (f.result.error == RawFileError::CannotOpen
                        ? f.message
                        : o.inputs[i] + ": rejected at " + DescribeRawFailure(f.result))
                << "\n";
            all = false;
            continue;
        }
        out << o.inputs[i] << ": " << Count(f.rowsAdded, "measurement", "measurements")
            << " read\n";
    }
    return all;
}

}  // namespace

int RunCheck(const Options& o, std::ostream& out, std::ostream& err) {
    std::vector<int> codes;
    if (!InputFormats(o, codes, err)) return kExitUsage;
    const Tnastaveni s = SettingsFor(o);
    Tmereni mereni;
    const bool all = LoadAll(o, codes, s, mereni, out, err);
    out << "Stations: " << std::to_string(mereni.PosledniPoradi())
        << ", measurements: " << std::to_string(mereni.PocetPlnychZaznamu()) << "\n";
    return all ? kExitOk : kExitRejected;
}

int RunConvert(const Options& o, std::ostream& out, std::ostream& err) {
    std::vector<int> codes;
    if (!InputFormats(o, codes, err)) return kExitUsage;
    const Tnastaveni s = SettingsFor(o);
    Tmereni mereni;
    if (!LoadAll(o, codes, s, mereni, out, err)) {
        err << "vertano-cli: nothing written\n";
        return kExitRejected;
    }
    const RawSaveReport rep =
        o.exportMode ? ExportSouboru(mereni, s, o.output) : UlozeniSouboru(mereni, s, o.output);
    if (!rep.ok) {
        err << rep.message << "\n";
        return kExitRejected;
    }
    out << (o.exportMode ? "Exported " : "Wrote ")
        << Count(mereni.PocetPlnychZaznamu(), "measurement", "measurements") << " to " << o.output
        << "\n";
    return kExitOk;
}

}  // namespace vertano::cli
