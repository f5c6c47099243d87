#include "Options.h"

#include <algorithm>
#include <map>
#include <set>

#include "OptionTable.h"
#include "data/Tnastaveni.h"
#include "exchange/Format.h"
#include "mereni/Jednotky.h"
#include "mereni/Text.h"
#include "mereni/TextovySoubor.h"

namespace vertano::cli {

namespace {

// An argument split into the option name (canonical) and the value written
// after "=", if any.
struct Spelling {
    std::string name;
    std::string value;
    bool hasValue = false;
};

Spelling Split(const std::string& arg) {
    Spelling s{arg, {}, false};
    const size_t eq = arg.find('=');
    if (arg.rfind("--", 0) == 0 && eq != std::string::npos) {
        s.name = arg.substr(0, eq);
        s.value = arg.substr(eq + 1);
        s.hasValue = true;
    }
    s.name = Canonical(s.name);
    return s;
}

bool IsOptionName(const std::string& arg) {
    const std::string name = Canonical(arg);
    return FlagOptions().count(name) > 0 || ValueOptions().count(name) > 0;
}

// The value in the next argument. Another option there means a forgotten value:
// "--json --yes" would otherwise write a file called "--yes" (--json=--yes still
// does, for whoever really wants that name).
bool NextValue(const std::vector<std::string>& args, size_t& i, Spelling& s, std::string& error) {
    if (i + 1 >= args.size() || IsOptionName(args[i + 1])) {
        error = "option " + s.name + " needs a value";
        return false;
    }
    s.value = args[++i];
    return true;
}

bool Flag(const Spelling& s, bool Options::*field, Options& o, std::string& error) {
    if (s.hasValue) {
        error = "option " + s.name + " takes no value";
        return false;
    }
    o.given.insert(s.name);
    o.*field = true;
    return true;
}

bool Option(const std::vector<std::string>& args, size_t& i, Options& o, std::string& error) {
    Spelling s = Split(args[i]);
    const auto flag = FlagOptions().find(s.name);
    if (flag != FlagOptions().end()) return Flag(s, flag->second, o, error);
    const auto it = ValueOptions().find(s.name);
    if (it == ValueOptions().end()) {
        error = "unknown option " + args[i];
        return false;
    }
    if (!s.hasValue && !NextValue(args, i, s, error)) return false;
    if (o.given.count(s.name) > 0 && !IsRepeatable(s.name, o.command)) {
        error = "option " + s.name + " given twice";
        return false;
    }
    if (s.value.empty() && TakesFileName(s.name, o.command)) {
        error = "option " + s.name + " needs a file name";
        return false;
    }
    o.given.insert(s.name);
    return it->second(o, s.value, error);
}

// The options each command uses besides the common ones.
const std::map<std::string, std::set<std::string>>& CommandOptions() {
    static const std::set<std::string> processing = {
        "--coord-unit", "--order", "--mirror", "--drop-unassigned", "--yes",
        "--points",     "--yxz",   "--scale",  "--project",         "--csv"};
    static const std::set<std::string> adjustment = {
        "--level",     "--supp-bearing", "--supp-distance", "--supp-height", "--supp-plumb",
        "--free",      "--unfix",        "--fix-plan",      "--fix-height",  "--weights",
        "--estimator", "--alpha",        "--no-exclusion",  "--threads",     "--exclude"};
    static const std::map<std::string, std::set<std::string>> options = [] {
        std::map<std::string, std::set<std::string>> m;
        m["convert"] = {"--to",      "--export",         "-o",
                        "--project", "--angle-decimals", "--length-decimals"};
        m["check"] = processing;
        m["check"].insert({"--rows", "--supp-bearing", "--supp-distance", "--supp-height",
                           "--supp-plumb", "--report", "--report-sections"});
        m["reduce"] = processing;
        m["reduce"].insert({"--level", "--faces", "-o", "--angle-decimals", "--length-decimals"});
        m["approx"] = processing;
        m["approx"].insert({"--level", "--explain", "-o"});
        m["adjust"] = processing;
        m["adjust"].insert(adjustment.begin(), adjustment.end());
        m["adjust"].insert({"--solver", "--coords", "--json", "--report", "--report-sections",
                            "--epoch", "--large-epoch", "--dxf", "--dxf-lang", "--ellipse-scale",
                            "--ellipses", "--plot", "--plot-size", "--plot-style", "--gama",
                            "--geojson", "--csv-points", "--csv-observations"});
        // project save takes every input of adjust and the settings its options
        // give; project show only the file.
        m["project"] = processing;
        m["project"].insert(adjustment.begin(), adjustment.end());
        m["project"].insert({"-o", "--to", "--identical", "--identical-yxz"});
        // transform: the adjustment as adjust runs it (its result files too: the
        // epoch, the drawing and the picture are those of the transformation).
        m["transform"] = m["adjust"];
        for (const char* n :
             {"--coords", "--gama", "--geojson", "--csv-points", "--csv-observations"})
            m["transform"].erase(n);
        m["transform"].insert({"--identical", "--identical-yxz", "--method", "--base", "--orient",
                               "--bearing", "-o"});
        m["simulate"] = {"--layout",
                         "--points",
                         "--spacing",
                         "--neighbours",
                         "--stations",
                         "--sets",
                         "--given",
                         "--sigma-direction",
                         "--sigma-zenith",
                         "--sigma-distance",
                         "--ppm",
                         "--gross",
                         "--gross-direction",
                         "--gross-distance",
                         "--supplementary",
                         "--seed",
                         "--coord-unit",
                         "--angle-decimals",
                         "--length-decimals",
                         "-o"};
        return m;
    }();
    return options;
}

bool OptionsFitCommand(const Options& o, std::string& error) {
    static const std::set<std::string> common = {"--help",   "--angle-unit", "--length-unit",
                                                 "--format", "--lang",       "--verbose"};
    const std::set<std::string>& own = CommandOptions().at(o.command);
    for (const std::string& name : o.given) {
        if (common.count(name) == 0 && own.count(name) == 0) {
            error = o.command + " does not take " + name;
            return false;
        }
    }
    return true;
}

bool HasAnyInput(const Options& o) {
    if (!o.inputs.empty() || !o.points.empty() || !o.scale.empty() || !o.project.empty())
        return true;
    for (const auto& files : o.supplementary)
        if (!files.empty()) return true;
    return false;
}

// A network file (the XML format of GNU Gama) brings its own given points.
bool HasNetworkInput(const Options& o) {
    for (const std::string& name : o.inputs) {
        if (o.format == exchange::kKodGama ||
            (o.format < 0 && exchange::FormatPodlePripony(name, exchange::Obsah::Sit)))
            return true;
    }
    return false;
}

bool CheckSimulate(Options& o, std::string& error) {
    o.simulace.doplnky = o.supplementaryMeasurements;
    if (!o.inputs.empty())
        error = "simulate reads no files: '" + o.inputs.front() + "'";
    else if (o.format > 1)
        error = "simulate writes --format mtx or asc";
    else if (o.given.count("--layout") == 0)
        error = "simulate needs --layout grid|traverse|tiny";
    else if (o.output.empty())
        error = "simulate needs -o PREFIX";
    else if (o.output == "-" || IsStandardOutput(o.output))
        error =
            "simulate writes several files: -o takes the start of their names (PREFIX.mtx, "
            "PREFIX-given.txt, ...), not the standard output";
    else if (!OveritParametry(o.simulace, error))
        error = "simulate: " + error;
    return error.empty();
}

// A project replaces the input files; reading both would leave it unclear which
// measurements and settings were meant.
bool ProjectAlone(const Options& o, std::string& error) {
    if (o.project.empty()) return true;
    bool files = !o.inputs.empty() || !o.points.empty() || !o.scale.empty() || !o.identical.empty();
    for (const auto& list : o.supplementary) files = files || !list.empty();
    if (files) error = "--project replaces the input files; give either the project or the files";
    return !files;
}

// The parts of the sections a command's report has: a section of another
// report would leave an empty report where one was asked for.
std::string_view PartsOfReport(const Options& o) {
    if (o.command == "adjust") return "ABC";
    if (o.command == "transform") return o.pointBearing ? "E" : "D";
    return "A";  // check: the raw measurements
}

// Every section named is one of the command's report (the parser has checked
// the codes themselves).
bool ReportSectionsFit(const Options& o, std::string& error) {
    const std::string_view parts = PartsOfReport(o);
    const std::string& v = o.reportSections;
    for (size_t start = 0; start <= v.size();) {
        const size_t comma = std::min(v.find(',', start), v.size());
        const std::string code(Trim(std::string_view(v).substr(start, comma - start)));
        start = comma + 1;
        if (code == "all" || code == "default" || code.empty()) continue;
        const char first = code[0];
        const char part =
            first >= 'a' && first <= 'z' ? static_cast<char>(first - 'a' + 'A') : first;
        if (part == 'F' || parts.find(part) != std::string_view::npos) continue;
        std::string list;
        for (const char c : parts) list += (list.empty() ? "" : ", ") + std::string(1, c);
        error = "--report-sections " + QuoteInput(code) + ": the report of " + o.command +
                (o.command == "transform" && o.pointBearing ? " --method point-bearing" : "") +
                " has no such section (its parts: " + list + ")";
        return false;
    }
    return true;
}

bool ReportSectionsUsed(const Options& o, std::string& error) {
    if (o.given.count("--report-sections") > 0 && o.report.empty())
        error = "--report-sections needs --report OUT.txt";
    else if (o.largeEpoch && o.epoch.empty())
        error = "--large-epoch needs --epoch OUT.epc";
    return error.empty() && ReportSectionsFit(o, error);
}

// The drawing options shape the DXF and the picture only.
bool DrawingOptionsUsed(const Options& o, std::string& error) {
    const bool drawing = !o.dxf.empty() || !o.plot.empty() || !o.geojson.empty();
    for (const char* name :
         {"--ellipse-scale", "--ellipses", "--plot-style", "--dxf-lang", "--plot-size"}) {
        const std::string n(name);
        const bool needs = n == "--dxf-lang"                           ? !o.dxf.empty()
                           : n == "--plot-size" || n == "--plot-style" ? !o.plot.empty()
                                                                       : drawing;
        if (o.given.count(n) > 0 && !needs) {
            error = n + " needs " +
                    (n == "--dxf-lang"                           ? "--dxf"
                     : n == "--plot-size" || n == "--plot-style" ? "--plot"
                                                                 : "--dxf, --plot or --geojson");
            return false;
        }
    }
    return true;
}

// --free, --unfix, --fix-plan and --fix-height must not contradict each other.
void DatumOptions(const Options& o, std::string& error) {
    const bool partly = !o.fixPlan.empty() || !o.fixHeight.empty();
    if (o.free && !o.unfix.empty()) {
        error = "--free frees every point; it does not go with --unfix";
    } else if (o.free && partly) {
        error = "--free frees every point; it does not go with --fix-plan or --fix-height";
    } else {
        for (const std::string& name : o.unfix) {
            const auto in = [&name](const std::vector<std::string>& v) {
                return std::find(v.begin(), v.end(), name) != v.end();
            };
            if (in(o.fixPlan) || in(o.fixHeight)) {
                error = "point '" + name + "' is both freed (--unfix) and partly fixed";
                return;
            }
        }
    }
}

// project save writes the inputs and options as a project; project show prints
// what a project holds.
bool CheckProject(Options& o, std::string& error) {
    if (o.inputs.empty() || (o.inputs[0] != "save" && o.inputs[0] != "show")) {
        error = "project needs save or show";
        return false;
    }
    o.subcommand = o.inputs[0];
    o.inputs.erase(o.inputs.begin());
    if (o.subcommand == "show") {
        if (o.inputs.size() != 1 || o.given.size() > (o.given.count("--lang") > 0 ? 1u : 0u))
            error = "project show takes the project file alone";
        else
            o.project = o.inputs[0];
        if (error.empty()) o.inputs.clear();
        return error.empty();
    }
    if (o.output.empty())
        error = "project save needs -o JOB.gpr";
    else
        DatumOptions(o, error);
    return error.empty() && ProjectAlone(o, error);
}

// adjust and approx: raw files and given points; the outputs are optional.
bool CheckNetwork(const Options& o, std::string& error) {
    if (!o.project.empty()) {
        DatumOptions(o, error);
        return error.empty() && ProjectAlone(o, error) && ReportSectionsUsed(o, error) &&
               DrawingOptionsUsed(o, error);
    }
    if (o.inputs.empty())
        error = o.command + " needs raw measurement files";
    else if (o.points.empty() && !HasNetworkInput(o))
        error = o.command + " needs the given points (--points FILE)";
    else
        DatumOptions(o, error);
    return error.empty() && ReportSectionsUsed(o, error) && DrawingOptionsUsed(o, error);
}

// transform: the identical points, and base, orientation and bearing only for
// point and bearing, base and orientation together; the bearing must be an
// angle in the unit of --angle-unit.
bool CheckTransform(const Options& o, std::string& error) {
    Real angle = 0;
    if (o.identical.empty() && o.project.empty())
        error = "transform needs the identical points (--identical FILE)";
    else if (!o.pointBearing && (!o.base.empty() || !o.orient.empty() || !o.bearing.empty()))
        error = "--base, --orient and --bearing go with --method point-bearing";
    else if (o.base.empty() != o.orient.empty())
        error = "--base and --orient go together";
    else if (!o.bearing.empty() && o.base.empty())
        error = "--bearing needs --base and --orient";
    else if (!o.bearing.empty() && ParseAngle(o.bearing, o.angleUnit, angle) != NumberStatus::Ok)
        error =
            "bad value '" + o.bearing + "' for --bearing (an angle in the unit of --angle-unit)";
    return error.empty();
}

// The settings dialog takes a level height only strictly between the limits of
// the settings; beyond them the reduction makes no sense (at -6380 km it divides
// by zero).
bool LevelInRange(const Options& o, std::string& error) {
    if (o.level != 2) return true;
    Tnastaveni n;
    n.Default();
    const Real low = n.mezMaxVstup.hodnota_hladinaMin;
    const Real high = n.mezMaxVstup.hodnota_hladinaMax;
    const Real metres = LengthToMetres(o.levelHeight, o.coordUnit);
    if (metres > low && metres < high) return true;
    error = "bad value '" + FormatGeneral(o.levelHeight) + "' for --level (a height between " +
            FormatGeneral(low) + " and " + FormatGeneral(high) + " m)";
    return false;
}

// Options may stand before the command too ("vertano-cli --lang cs adjust ..."):
// the arguments with the command first, the options that came before it next,
// so that the command decides about them as about the others. Options before
// the command are found by name; a value option without "=" takes the next
// argument along. Empty when no command follows the options.
std::vector<std::string> CommandFirst(const std::vector<std::string>& args) {
    size_t i = 0;
    while (i < args.size() && args[i].size() > 1 && args[i][0] == '-' && args[i] != "--") {
        const Spelling s = Split(args[i]);
        i += ValueOptions().count(s.name) > 0 && !s.hasValue ? 2 : 1;
    }
    if (i >= args.size() || args[i] == "--") return {};
    std::vector<std::string> ordered{args[i]};
    ordered.insert(ordered.end(), args.begin(), args.begin() + static_cast<std::ptrdiff_t>(i));
    ordered.insert(ordered.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    return ordered;
}

bool Check(Options& o, std::string& error) {
    if (o.help || o.command == "help") return true;
    if (!OptionsFitCommand(o, error) || !LevelInRange(o, error)) return false;
    if (o.command == "simulate") return CheckSimulate(o, error);
    if (o.command == "project") return CheckProject(o, error);
    if (o.command == "adjust" || o.command == "approx") return CheckNetwork(o, error);
    if (o.command == "transform") return CheckNetwork(o, error) && CheckTransform(o, error);
    if (!ProjectAlone(o, error)) return false;
    if (o.command == "check") {
        if (!HasAnyInput(o))
            error = "no input files given";
        else if (o.inputs.empty() && o.project.empty() &&
                 (o.simultaneous || o.mirror || o.dropUnassigned || o.rows))
            error = "--order, --mirror, --drop-unassigned and --rows need raw measurement files";
        else if (o.inputs.empty() && o.project.empty() && !o.report.empty())
            error = "--report needs raw measurement files";
        else
            ReportSectionsUsed(o, error);
        return error.empty();
    }
    if (o.inputs.empty() && o.project.empty())
        error = "no input files given";
    else if (o.command == "convert" && o.to < 0)
        error = "convert needs --to mtx|asc";
    else if (o.output.empty())
        error = o.command + " needs -o OUT";
    else if (o.command == "reduce" && o.points.empty() && o.project.empty() &&
             (o.level >= 0 || !o.scale.empty()))
        error = "reduce: --level and --scale need --points";
    return error.empty();
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& given, Options& o, std::string& error) {
    o = Options{};
    error.clear();
    if (!given.empty() && (given[0] == "--help" || given[0] == "-h")) {
        o.command = "help";
        return true;
    }
    const std::vector<std::string> args = CommandFirst(given);
    if (args.empty()) {
        // Options alone: "--lang cs --help" still asks for the help.
        if (std::any_of(given.begin(), given.end(),
                        [](const std::string& a) { return Canonical(a) == "--help"; })) {
            o.command = "help";
            return true;
        }
        error = "no command given";
        return false;
    }
    size_t i = 0;
    o.command = args[i++];
    static const std::set<std::string> commands = {"check",     "convert", "reduce",
                                                   "simulate",  "adjust",  "approx",
                                                   "transform", "project", "help"};
    if (commands.count(o.command) == 0) {
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

bool WritesToStandardOutput(const Options& o) {
    return std::any_of(o.outputs.begin(), o.outputs.end(),
                       [](const NamedFile& f) { return IsStandardOutput(f.path); });
}

}  // namespace vertano::cli
