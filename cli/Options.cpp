#include "Options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <map>

#include "adjustment/Tvahy.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"
#include "supplementary/DoplnekDruh.h"

namespace vertano::cli {

namespace {

const std::map<std::string, uint8_t> kAngleUnits = {{"rad", 0}, {"gon", 1}, {"deg", 2}, {"dms", 3}};
const std::map<std::string, uint8_t> kLengthUnits = {{"m", 0}, {"ft", 1}};
const std::map<std::string, int> kFormats = {{"mtx", 0}, {"asc", 1}};
const std::map<std::string, uint8_t> kLanguages = {{"cs", 0}, {"en", 1}};
const std::map<std::string, bool> kOrders = {{"standard", false}, {"simultaneous", true}};
const std::map<std::string, int> kWeights = {
    {"inner", zdrojVah::kVnitrni}, {"outer", zdrojVah::kVnejsi}, {"given", zdrojVah::kZadana}};
const std::map<std::string, SimulaceTvar> kLayouts = {{"grid", SimulaceTvar::Grid},
                                                      {"traverse", SimulaceTvar::Traverse},
                                                      {"tiny", SimulaceTvar::Tiny}};

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

// "zero", "mean" or a height in the coordinate unit.
bool ChooseLevel(Options& o, const std::string& v, std::string& e) {
    if (v == "zero" || v == "mean") {
        o.level = v == "zero" ? 0 : 1;
        return true;
    }
    if (ParseNumber(v, o.levelHeight) == NumberStatus::Ok) {
        o.level = 2;
        return true;
    }
    e = "bad value '" + v + "' for --level (use zero|mean or a height)";
    return false;
}

using Setter = std::function<bool(Options&, const std::string&, std::string&)>;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The estimator names of the language tables (the same in both languages).
std::vector<std::string> EstimatorNames() {
    Tnastaveni nastaveni;
    nastaveni.Default();
    Tjazyk jazyk;
    jazyk.Default(nastaveni);
    return jazyk.typOdhadu;
}

// A name of the estimator list in any letter case, or its 1-based number.
bool ChooseEstimator(Options& o, const std::string& v, std::string& e) {
    const std::vector<std::string> names = EstimatorNames();
    const auto count = static_cast<int32_t>(names.size());
    int32_t number = 0;
    if (ParseInteger(v, number) && number >= 1 && number <= count) {
        o.estimator = number;
        return true;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (Lower(names[static_cast<size_t>(i)]) == Lower(v)) {
            o.estimator = i + 1;
            return true;
        }
    }
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    e = "bad value '" + v + "' for --estimator (use a name or its number 1-" +
        std::to_string(count) + ": " + list + ")";
    return false;
}

// The settings dialog accepts a significance level strictly between 1e-8 and 1.
bool ChooseAlpha(Options& o, const std::string& v, std::string& e) {
    Real alpha = 0;
    if (ParseNumber(v, alpha) == NumberStatus::Ok && alpha > 1e-8L && alpha < 1) {
        o.alpha = alpha;
        return true;
    }
    e = "bad value '" + v + "' for --alpha (a number between 0 and 1, e.g. 0.05)";
    return false;
}

// The settings keep the thread count in a byte.
bool ChooseThreads(Options& o, const std::string& v, std::string& e) {
    int32_t n = 0;
    if (ParseInteger(v, n) && n >= 1 && n <= 255) {
        o.threads = n;
        return true;
    }
    e = "bad value '" + v + "' for --threads (a whole number from 1 to 255)";
    return false;
}

// Point numbers separated by commas; the option may be repeated.
bool AddUnfixed(Options& o, const std::string& v, std::string& e) {
    size_t start = 0;
    while (start <= v.size()) {
        const size_t comma = std::min(v.find(',', start), v.size());
        const std::string name(Trim(std::string_view(v).substr(start, comma - start)));
        if (name.empty()) {
            e = "bad value '" + v + "' for --unfix (point numbers separated by commas)";
            return false;
        }
        o.unfix.push_back(name);
        start = comma + 1;
    }
    return true;
}

Setter Text(std::string Options::*field) {
    return [field](Options& o, const std::string& v, std::string&) {
        o.*field = v;
        return true;
    };
}

// simulate: a whole number into the network's parameters.
Setter SimCount(int32_t SimulaceParametry::*field, const std::string& option) {
    return [field, option](Options& o, const std::string& v, std::string& e) {
        if (ParseInteger(v, o.simulace.*field)) return true;
        e = "bad value '" + v + "' for " + option + " (a whole number expected)";
        return false;
    };
}

// simulate: a number in the unit of the option (mgon, mm, m, ppm), stored in
// radians or metres: `factor` converts.
Setter SimValue(Real SimulaceParametry::*field, const std::string& option, Real factor) {
    return [field, option, factor](Options& o, const std::string& v, std::string& e) {
        Real value = 0;
        if (ParseNumber(v, value) == NumberStatus::Ok) {
            o.simulace.*field = value * factor;
            return true;
        }
        e = "bad value '" + v + "' for " + option + " (a number expected)";
        return false;
    };
}

bool ChooseSeed(Options& o, const std::string& v, std::string& e) {
    const char* end = v.data() + v.size();
    const auto r = std::from_chars(v.data(), end, o.simulace.seed);
    if (!v.empty() && r.ec == std::errc() && r.ptr == end) return true;
    e = "bad value '" + v + "' for --seed (a whole number from 0 to 18446744073709551615)";
    return false;
}

// Given points for check and reduce, the number of points for simulate.
bool PointsOption(Options& o, const std::string& v, std::string& e) {
    if (o.command == "simulate")
        return SimCount(&SimulaceParametry::pocetBodu, "--points")(o, v, e);
    o.points.push_back(v);
    return true;
}

Setter AddTo(std::vector<std::string> Options::*list) {
    return [list](Options& o, const std::string& v, std::string&) {
        (o.*list).push_back(v);
        return true;
    };
}

Setter AddSupplementary(int kind) {
    return [kind](Options& o, const std::string& v, std::string&) {
        o.supplementary[static_cast<size_t>(kind - 1)].push_back(v);
        return true;
    };
}

// Options that take a value; the handler stores it.
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
        {"--coord-unit",
         [](Options& o, const std::string& v, std::string& e) {
             return Choose(kLengthUnits, "--coord-unit", v, o.coordUnit, e);
         }},
        {"--format", [](Options& o, const std::string& v,
                        std::string& e) { return Choose(kFormats, "--format", v, o.format, e); }},
        {"--to", [](Options& o, const std::string& v,
                    std::string& e) { return Choose(kFormats, "--to", v, o.to, e); }},
        {"--lang", [](Options& o, const std::string& v,
                      std::string& e) { return Choose(kLanguages, "--lang", v, o.language, e); }},
        {"--order",
         [](Options& o, const std::string& v, std::string& e) {
             return Choose(kOrders, "--order", v, o.simultaneous, e);
         }},
        {"--level", ChooseLevel},
        {"--points", PointsOption},
        {"--scale", AddTo(&Options::scale)},
        {"--supp-bearing", AddSupplementary(doplnek::kSmernik)},
        {"--supp-distance", AddSupplementary(doplnek::kDelka)},
        {"--supp-height", AddSupplementary(doplnek::kPrevyseni)},
        {"--supp-plumb", AddSupplementary(doplnek::kProvazeni)},
        {"--layout",
         [](Options& o, const std::string& v, std::string& e) {
             return Choose(kLayouts, "--layout", v, o.simulace.tvar, e);
         }},
        {"--spacing", SimValue(&SimulaceParametry::rozestup, "--spacing", 1)},
        {"--neighbours", SimCount(&SimulaceParametry::pocetSousedu, "--neighbours")},
        {"--stations", SimCount(&SimulaceParametry::pocetStanovisek, "--stations")},
        {"--sets", SimCount(&SimulaceParametry::pocetSkupin, "--sets")},
        {"--given", SimCount(&SimulaceParametry::pocetZadanych, "--given")},
        {"--sigma-direction",
         SimValue(&SimulaceParametry::sigmaSmer, "--sigma-direction", MgonNaRad(1))},
        {"--sigma-zenith",
         SimValue(&SimulaceParametry::sigmaZenit, "--sigma-zenith", MgonNaRad(1))},
        {"--sigma-distance",
         SimValue(&SimulaceParametry::sigmaDelka, "--sigma-distance", MmNaM(1))},
        {"--ppm", SimValue(&SimulaceParametry::ppm, "--ppm", 1)},
        {"--gross", SimCount(&SimulaceParametry::pocetHrubych, "--gross")},
        {"--gross-direction",
         SimValue(&SimulaceParametry::hrubaUhel, "--gross-direction", MgonNaRad(1))},
        {"--gross-distance",
         SimValue(&SimulaceParametry::hrubaDelka, "--gross-distance", MmNaM(1))},
        {"--seed", ChooseSeed},
        {"--unfix", AddUnfixed},
        {"--weights",
         [](Options& o, const std::string& v, std::string& e) {
             return Choose(kWeights, "--weights", v, o.weights, e);
         }},
        {"--estimator", ChooseEstimator},
        {"--alpha", ChooseAlpha},
        {"--threads", ChooseThreads},
        {"--coords", Text(&Options::coords)},
        {"--json", Text(&Options::json)},
        {"-o",
         [](Options& o, const std::string& v, std::string&) {
             o.output = v;
             return true;
         }},
    };
    return options;
}

// Options without a value.
const std::map<std::string, bool Options::*>& FlagOptions() {
    static const std::map<std::string, bool Options::*> flags = {
        {"--help", &Options::help},       {"--export", &Options::exportMode},
        {"--verbose", &Options::verbose}, {"--yes", &Options::yes},
        {"--mirror", &Options::mirror},   {"--drop-unassigned", &Options::dropUnassigned},
        {"--rows", &Options::rows},       {"--yxz", &Options::yxz},
        {"--faces", &Options::faces},     {"--supplementary", &Options::supplementaryMeasurements},
        {"--free", &Options::free},       {"--no-exclusion", &Options::noExclusion},
        {"--explain", &Options::explain},
    };
    return flags;
}

std::string Canonical(const std::string& name) {
    if (name == "--output") return "-o";
    if (name == "-h") return "--help";
    if (name == "-y") return "--yes";
    return name;
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
    name = Canonical(name);
    const auto flag = FlagOptions().find(name);
    if (flag != FlagOptions().end() && !hasValue) {
        o.given.insert(name);
        return o.*(flag->second) = true;
    }
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
    o.given.insert(name);
    return it->second(o, value, error);
}

// The options each command uses besides the common ones.
const std::map<std::string, std::set<std::string>>& CommandOptions() {
    static const std::set<std::string> processing = {
        "--coord-unit", "--order",  "--mirror", "--drop-unassigned",
        "--yes",        "--points", "--yxz",    "--scale"};
    static const std::map<std::string, std::set<std::string>> options = [] {
        std::map<std::string, std::set<std::string>> m;
        m["convert"] = {"--to", "--export", "-o"};
        m["check"] = processing;
        m["check"].insert(
            {"--rows", "--supp-bearing", "--supp-distance", "--supp-height", "--supp-plumb"});
        m["reduce"] = processing;
        m["reduce"].insert({"--level", "--faces", "-o"});
        m["approx"] = processing;
        m["approx"].insert({"--level", "--explain", "-o"});
        m["adjust"] = processing;
        m["adjust"].insert({"--level", "--supp-bearing", "--supp-distance", "--supp-height",
                            "--supp-plumb", "--free", "--unfix", "--weights", "--estimator",
                            "--alpha", "--no-exclusion", "--threads", "--coords", "--json"});
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
    if (!o.inputs.empty() || !o.points.empty() || !o.scale.empty()) return true;
    for (const auto& files : o.supplementary)
        if (!files.empty()) return true;
    return false;
}

bool CheckSimulate(Options& o, std::string& error) {
    o.simulace.doplnky = o.supplementaryMeasurements;
    if (!o.inputs.empty())
        error = "simulate reads no files: '" + o.inputs.front() + "'";
    else if (o.given.count("--layout") == 0)
        error = "simulate needs --layout grid|traverse|tiny";
    else if (o.output.empty())
        error = "simulate needs -o PREFIX";
    else if (!OveritParametry(o.simulace, error))
        error = "simulate: " + error;
    return error.empty();
}

// adjust and approx: raw files and given points; the outputs are optional.
bool CheckNetwork(const Options& o, std::string& error) {
    if (o.inputs.empty())
        error = o.command + " needs raw measurement files";
    else if (o.points.empty())
        error = o.command + " needs the given points (--points FILE)";
    else if (o.free && !o.unfix.empty())
        error = "--free frees every point; it does not go with --unfix";
    return error.empty();
}

bool Check(Options& o, std::string& error) {
    if (o.help || o.command == "help") return true;
    if (!OptionsFitCommand(o, error)) return false;
    if (o.command == "simulate") return CheckSimulate(o, error);
    if (o.command == "adjust" || o.command == "approx") return CheckNetwork(o, error);
    if (o.command == "check") {
        if (!HasAnyInput(o))
            error = "no input files given";
        else if (o.inputs.empty() && (o.simultaneous || o.mirror || o.dropUnassigned || o.rows))
            error = "--order, --mirror, --drop-unassigned and --rows need raw measurement files";
        return error.empty();
    }
    if (o.inputs.empty())
        error = "no input files given";
    else if (o.command == "convert" && o.to < 0)
        error = "convert needs --to mtx|asc";
    else if (o.output.empty())
        error = o.command + " needs -o OUT";
    else if (o.command == "reduce" && o.points.empty() && (o.level >= 0 || !o.scale.empty()))
        error = "reduce: --level and --scale need --points";
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
    static const std::set<std::string> commands = {"check",  "convert", "reduce", "simulate",
                                                   "adjust", "approx",  "help"};
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

std::string HelpText() {
    return R"(Usage:
  vertano-cli check [OPTIONS] [RAW...] [--points FILE] [--scale FILE]
                    [--supp-... FILE]
  vertano-cli convert --to mtx|asc [--export] [OPTIONS] IN... -o OUT
  vertano-cli reduce [OPTIONS] RAW... -o OUT.mtx [--points FILE [--scale FILE]
                     [--level zero|mean|H]] [--faces]
  vertano-cli simulate --layout grid|traverse|tiny [network options]
                       [--format mtx|asc] [unit options] -o PREFIX
  vertano-cli adjust [OPTIONS] RAW... --points FILE [--free | --unfix NAME,...]
                     [--scale FILE] [--supp-... FILE] [--level zero|mean|H]
                     [adjustment options] [--coords OUT.txt] [--json OUT.json]
  vertano-cli approx [OPTIONS] RAW... --points FILE [--scale FILE]
                     [--level zero|mean|H] [-o OUT.txt] [--explain]
  vertano-cli --help

Commands:
  check     Reads raw measurement files and reports, per file, the number of
            measurements read or the line that rejected the file and why.
            Then it finds the measurement sets, checks every value, face
            difference and set difference against the default tolerances and
            prints the number of errors of each check and their total. With
            --points, --scale and --supp-... it loads those lists too and
            prints their error counts.
  convert   Reads the files (all of them must be accepted) and writes their
            measurements, with continuing station numbers, to OUT in the format
            given by --to. With --export the file is exported instead: no
            instrument or target heights (MTX: station number, station, target,
            direction, zenith angle, distance; ASC: blocks without heights).
            An MTX export is meant for other programs and is not read back.
  reduce    Reads the raw files (all of them must be accepted), finds the sets
            and writes one line per target and station with the mean of the
            sets (with --faces: one line per face pair with the mean of the two
            faces) to OUT as MTX, in the units of the options. With --points the
            distances and zenith angles are reduced to the point marks and the
            distances to the level and the projection; lines to points whose
            coordinates are neither given nor computable are left out.
  simulate  Makes up a network for trying the program: true coordinates of a
            layout, a total station on every point observing its nearest
            neighbours in two faces and several sets (face I clockwise, face II
            back), each set on the same circle setting, with random instrument
            and signal heights of 1.3 to 1.7 m and normal errors of the chosen
            size. It writes PREFIX.mtx (or .asc), the given points
            PREFIX-given.txt, the true coordinates of all points
            PREFIX-truth.txt, the gross errors put in PREFIX-gross.txt (station
            number, station, target, set, face, quantity, size) and, with
            --supplementary, PREFIX-supp-distance.txt, -supp-bearing.txt,
            -supp-height.txt and -supp-plumb.txt. The same options and seed give
            the same files.
  adjust    Adjusts the network: reads the files as check does, runs the
            checks (errors stop it: exit 3), then the measurement analysis
            (face and set means, approximate coordinates, reduction of the
            distances, supplementary measurements, a priori precision and
            weights) and the network adjustment (robust iterations, rejection
            of outliers, plain iterations, accuracy). The given points are
            fixed unless --free or --unfix says otherwise. Prints a summary:
            unknowns, measurements, redundancy, unit standard deviations,
            iterations, outliers by kind, the datum and the weights used.
            --coords writes the adjusted coordinates of every point (adjusted
            points first, then the fixed ones) as XYZ in the unit of
            --coord-unit; --json writes the full result in metres and radians.
  approx    Computes the approximate coordinates of the points that are not
            given, as the measurement analysis does (sets, face and set means,
            reduction of the distances), and writes them as XYZ to OUT (to the
            output without -o). --explain adds one line per point saying how it
            was found (polar point, free station, resection, intersection) and
            names the points no construction reached.

Options:
  --lang en|cs                   language of the messages (default en)
  --angle-unit rad|gon|deg|dms   unit of angles in the files (default gon);
                                 dms is degrees-minutes-seconds as D.MMSS
  --length-unit m|ft             unit of lengths in the files (default m)
  --format mtx|asc               format of the raw input files; by default taken
                                 from each file's extension (.mtx, .asc, any case);
                                 simulate: the format written (default mtx)
  --to mtx|asc                   format written by convert
  --export                       convert: export without heights
  -o, --output OUT               the file to write; an existing file is replaced
                                 only when the new one is complete
  --order standard|simultaneous  check, reduce, adjust, approx: with
                                 simultaneous, stations observed face I and
                                 face II target by target are first rearranged
                                 into sets
  --mirror                       check, reduce, adjust, approx: every
                                 measurement outside a set gets a mirrored
                                 measurement in the other face; with --order
                                 simultaneous the pairs are then arranged into
                                 sets
  --drop-unassigned              check, reduce, adjust, approx: deletes the
                                 measurements outside the sets, after asking
                                 (see --yes)
  -y, --yes                      answer "Yes" to every question; without it the
                                 answer is "No" unless you type y at a terminal
  --rows                         check: list every row a check flagged
  --points FILE                  given network points, XYZ (repeatable)
  --yxz                          the point files are YXZ
  --coord-unit m|ft              unit of the point files and of --level H
  --scale FILE                   scale factors: point and factor (repeatable)
  --supp-distance FILE           supplementary slope distances (repeatable)
  --supp-bearing FILE            supplementary bearings (repeatable)
  --supp-height FILE             supplementary height differences (repeatable)
  --supp-plumb FILE              supplementary plumbing ties (repeatable)
  --level zero|mean|H            reduce, adjust, approx: the level distances
                                 are reduced to:
                                 zero (default), the mean height of the network,
                                 or the height H
  --faces                        reduce: write face means instead of set means
  Adjustment options (adjust):
  --free                         no point is fixed: a free network, its datum
                                 given by the approximate coordinates
  --unfix NAME,...               these given points are adjusted too
                                 (repeatable)
  --weights inner|outer|given    the a priori precision the weights come from
                                 (default inner); a source that cannot be
                                 computed gives way as in the program
  --estimator NAME               robust estimator: Huber (default), M-huber,
                                 Hampel, Talwar, Cauchy, Tukey, Geman, Andrews,
                                 Welsh, Fair, "L1 Norm", "L1/L2 Norm" (any
                                 letter case) or its number 1-12
  --alpha A                      significance level of the outlier test (0.05)
  --no-exclusion                 no robust estimation, no rejection of outliers
  --threads N                    worker threads of the matrix products
                                 (default: one per processor)
  --coords OUT.txt               write the adjusted coordinates (XYZ)
  --json OUT.json                write the result as JSON (metres, radians)
  --explain                      approx: say how each point was found
  Network options of simulate:
  --layout grid|traverse|tiny    points on a jittered grid with heights varying
                                 by some tens of metres, a winding traverse, or
                                 a quadrilateral with its middle (5 points)
  --points N                     number of points (grid 12, traverse 10)
  --spacing M                    distance between neighbouring points in metres
                                 (default 100)
  --neighbours K                 targets observed from each station (default 8,
                                 at most the number of other points)
  --stations N                   number of points occupied (default all),
                                 drawn at random
  --sets S                       measurement sets per station (default 2)
  --given G                      number of given points, spread over the
                                 network (default 3); their coordinates are
                                 exact
  --sigma-direction MGON         standard deviation of a direction (0.3)
  --sigma-zenith MGON            standard deviation of a zenith angle (0.3)
  --sigma-distance MM            standard deviation of a distance (1), also of
                                 supplementary height differences
  --ppm P                        plus P mm per km of distance (default 0)
  --gross N                      number of gross errors, each in one reading of
                                 one set and face (default 0)
  --gross-direction MGON         size of a gross error in a direction or zenith
                                 angle (default 50; 0: none in angles)
  --gross-distance MM            size of a gross error in a distance (default
                                 50; 0: none in distances)
  --supplementary                also supplementary measurements of each kind;
                                 the network gets one more point, straight below
                                 a point near its middle, for the plumbing tie
  --seed S                       seed of the random numbers (default 1)
  -o PREFIX                      simulate: the start of the names written
  --verbose                      print the stages of the processing
  -h, --help                     this text
  Options may also be written as --option=value; "--" ends the options.

Units apply to reading and writing alike. Values are written with 5 decimals of
angles and 4 of lengths (simulate writes more where the unit needs them: radians
8, degrees and dms 6, coordinates in feet 5).

Exit status:
  0  every file was read (and written) and, for check, no check found an error
  1  a file was rejected or could not be read, or the output could not be written
  2  usage error
  3  some check found errors; for reduce: errors in the points or scale factors
     (nothing written) or in the raw measurements (the file is written); for
     adjust and approx: errors in the raw measurements (nothing computed)
  4  adjust, approx: the measurement analysis or the adjustment stopped with
     the message printed before (nothing written)
)";
}

}  // namespace vertano::cli
