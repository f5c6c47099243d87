#include "Options.h"

#include <functional>
#include <map>

namespace vertano::cli {

namespace {

const std::map<std::string, uint8_t> kAngleUnits = {{"rad", 0}, {"gon", 1}, {"deg", 2}, {"dms", 3}};
const std::map<std::string, uint8_t> kLengthUnits = {{"m", 0}, {"ft", 1}};
const std::map<std::string, int> kFormats = {{"mtx", 0}, {"asc", 1}};

template <typename T>
bool Choose(const std::map<std::string, T>& choices, const std::string& option,
            const std::string& value, T& out, std::string& error) {
    const auto it = choices.find(value);
    if (it != choices.end()) {
        out = it->second;
        return true;
    }
    std::string names;
    for (const auto& [name, code] : choices) names += (names.empty() ? "" : "|") + name;
    error = "bad value '" + value + "' for " + option + " (use " + names + ")";
    return false;
}

// Options that take a value; the handler stores it.
using Setter = std::function<bool(Options&, const std::string&, std::string&)>;

const std::map<std::string, Setter>& ValueOptions() {
    static const std::map<std::string, Setter> options = {
        {"--angle-unit",
         [](Options& o, const std::string& v, std::string& e) {
             return Choose(kAngleUnits, "--angle-unit", v, o.angleUnit, e);
         }},
        {"--length-unit",
         [](Options& o, const std::string& v, std::string& e) {
             return Choose(kLengthUnits, "--length-unit", v, o.lengthUnit, e);
         }},
        {"--format", [](Options& o, const std::string& v,
                        std::string& e) { return Choose(kFormats, "--format", v, o.format, e); }},
        {"--to", [](Options& o, const std::string& v,
                    std::string& e) { return Choose(kFormats, "--to", v, o.to, e); }},
        {"-o",
         [](Options& o, const std::string& v, std::string&) {
             o.output = v;
             return true;
         }},
    };
    return options;
}

bool Option(const std::vector<std::string>& args, size_t& i, Options& o, std::string& error) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    const size_t eq = name.find('=');
    if (name.rfind("--", 0) == 0 && eq != std::string::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
        hasValue = true;
    }
    if (name == "--output") name = "-o";
    if ((name == "--help" || name == "-h") && !hasValue) return o.help = true;
    if (name == "--export" && !hasValue) return o.exportMode = true;
    const auto it = ValueOptions().find(name);
    if (it == ValueOptions().end()) {
        error = "unknown option " + args[i];
        return false;
    }
    if (!hasValue) {
        if (i + 1 >= args.size()) {
            error = "option " + name + " needs a value";
            return false;
        }
        value = args[++i];
    }
    return it->second(o, value, error);
}

bool Check(const Options& o, std::string& error) {
    if (o.help || o.command == "help") return true;
    if (o.inputs.empty()) {
        error = "no input files given";
        return false;
    }
    if (o.command == "check") {
        if (o.to >= 0 || o.exportMode || !o.output.empty()) {
            error = "check takes no --to, --export or -o";
            return false;
        }
        return true;
    }
    if (o.to < 0)
        error = "convert needs --to mtx|asc";
    else if (o.output.empty())
        error = "convert needs -o OUT";
    return error.empty();
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& args, Options& o, std::string& error) {
    o = Options{};
    error.clear();
    if (args.empty()) {
        error = "no command given";
        return false;
    }
    size_t i = 0;
    if (args[0] == "--help" || args[0] == "-h") {
        o.command = "help";
        return true;
    }
    o.command = args[i++];
    if (o.command != "check" && o.command != "convert" && o.command != "help") {
        error = "unknown command '" + o.command + "'";
        return false;
    }
    bool onlyFiles = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!onlyFiles && a == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && a.size() > 1 && a[0] == '-') {
            if (!Option(args, i, o, error)) return false;
        } else {
            o.inputs.push_back(a);
        }
    }
    return Check(o, error);
}

std::string HelpText() {
    return R"(Usage:
  vertano-cli check [OPTIONS] FILE...
  vertano-cli convert --to mtx|asc [--export] [OPTIONS] IN... -o OUT
  vertano-cli --help

Commands:
  check     Reads raw measurement files and reports, per file, the number of
            measurements read or the line that rejected the file and why; then
            the number of stations and measurements of all files together.
  convert   Reads the files (all of them must be accepted) and writes their
            measurements, with continuing station numbers, to OUT in the format
            given by --to. With --export the file is exported instead: no
            instrument or target heights (MTX: station number, station, target,
            direction, zenith angle, distance; ASC: blocks without heights).
            An MTX export is meant for other programs and is not read back.

Options:
  --angle-unit rad|gon|deg|dms   unit of angles in the files (default gon);
                                 dms is degrees-minutes-seconds as D.MMSS
  --length-unit m|ft             unit of lengths in the files (default m)
  --format mtx|asc               format of the input files; by default taken
                                 from each file's extension (.mtx, .asc, any case)
  --to mtx|asc                   format written by convert
  --export                       convert: export without heights
  -o, --output OUT               convert: the file to write; an existing file is
                                 replaced only when the new one is complete
  -h, --help                     this text
  Options may also be written as --option=value; "--" ends the options.

Units apply to reading and writing alike. Values are written with 5 decimals of
angles and 4 of lengths.

Exit status:
  0  every file was read (and, for convert, the output written)
  1  a file was rejected or could not be read, or the output could not be written
  2  usage error
)";
}

}  // namespace vertano::cli
