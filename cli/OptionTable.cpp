#include "OptionTable.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <vector>

#include "adjustment/Tvahy.h"
#include "data/Tjazyk.h"
#include "data/Tnastaveni.h"
#include "drawing/TContainer.h"
#include "exchange/CsvBody.h"
#include "matice/Konstanty.h"
#include "mereni/Text.h"
#include "reports/OddilyProtokolu.h"
#include "supplementary/DoplnekDruh.h"
#include "workspace/VystupySite.h"

namespace vertano::cli {

namespace {

const std::map<std::string, uint8_t> kAngleUnits = {{"rad", 0}, {"gon", 1}, {"deg", 2}, {"dms", 3}};
const std::map<std::string, uint8_t> kLengthUnits = {{"m", 0}, {"ft", 1}};
// --format also names the formats of other programs (exchange::kKodGsi, kKodGama);
// --to writes the program's own.
const std::map<std::string, int> kFormats = {{"mtx", 0}, {"asc", 1}, {"gsi", 2}, {"gama", 3}};
const std::map<std::string, int> kOutputFormats = {{"mtx", 0}, {"asc", 1}};
const std::map<std::string, uint8_t> kLanguages = {{"cs", 0}, {"en", 1}};
const std::map<std::string, bool> kOrders = {{"standard", false}, {"simultaneous", true}};
const std::map<std::string, ZdrojVah> kWeights = {
    {"inner", ZdrojVah::Vnitrni}, {"outer", ZdrojVah::Vnejsi}, {"given", ZdrojVah::Zadana}};
const std::map<std::string, int> kSolvers = {{"auto", 0}, {"dense", 1}, {"sparse", 2}};
const std::map<std::string, int> kEllipses = {{"apriori", 1}, {"aposteriori", 0}};
const std::map<std::string, int> kPlotStyles = {{"default", 0}, {"black-white", 1}};
const std::map<std::string, bool> kMethods = {{"adjustment", false}, {"point-bearing", true}};
const std::map<std::string, SimulaceTvar> kLayouts = {{"grid", SimulaceTvar::Grid},
                                                      {"traverse", SimulaceTvar::Traverse},
                                                      {"tiny", SimulaceTvar::Tiny},
                                                      {"random", SimulaceTvar::Random}};

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
        o.estimator = OdhadZKodu(number);
        return true;
    }
    for (int32_t i = 0; i < count; ++i) {
        if (AsciiLower(names[static_cast<size_t>(i)]) == AsciiLower(v)) {
            o.estimator = OdhadZKodu(i + 1);
            return true;
        }
    }
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    e = "bad value '" + v + "' for --estimator (use a name or its number 1-" +
        std::to_string(count) + ": " + list + ")";
    return false;
}

// The significance levels of the settings dialog and of project files.
bool ChooseAlpha(Options& o, const std::string& v, std::string& e) {
    Real alpha = 0;
    if (ParseNumber(v, alpha) == NumberStatus::Ok &&
        alpha > nastaveni::kNejmensiHladinaVyznamnosti && alpha < 1) {
        o.alpha = alpha;
        return true;
    }
    e = "bad value '" + QuoteInput(v) +
        "' for --alpha (a number greater than 1e-8 and less than 1, e.g. 0.05)";
    return false;
}

// The settings keep 0 to 10 decimals of values.
Setter Decimals(int Options::*field, const std::string& option) {
    return [field, option](Options& o, const std::string& v, std::string& e) {
        int32_t n = 0;
        if (ParseInteger(v, n) && n >= 0 && n <= 10) {
            o.*field = n;
            return true;
        }
        e = "bad value '" + QuoteInput(v) + "' for " + option + " (a whole number from 0 to 10)";
        return false;
    };
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
bool AddNames(std::vector<std::string>& names, const std::string& option, const std::string& v,
              std::string& e) {
    size_t start = 0;
    while (start <= v.size()) {
        const size_t comma = std::min(v.find(',', start), v.size());
        const std::string name(Trim(std::string_view(v).substr(start, comma - start)));
        if (name.empty()) {
            e = "bad value '" + v + "' for " + option + " (point numbers separated by commas)";
            return false;
        }
        names.push_back(name);
        start = comma + 1;
    }
    return true;
}

bool AddUnfixed(Options& o, const std::string& v, std::string& e) {
    return AddNames(o.unfix, "--unfix", v, e);
}

// A magnification of the error ellipses: the drawing window offers 100 to
// 1,000,000; any number in between is taken.
bool ChooseEllipseScale(Options& o, const std::string& v, std::string& e) {
    Real k = 0;
    if (ParseNumber(v, k) == NumberStatus::Ok && k >= 1 && k <= 1e7L) {
        o.ellipseScale = k;
        return true;
    }
    e = "bad value '" + v + "' for --ellipse-scale (a number from 1 to 10000000, e.g. 50000)";
    return false;
}

// "WxH" in pixels.
bool ChoosePlotSize(Options& o, const std::string& v, std::string& e) {
    const size_t x = v.find_first_of("xX");
    int32_t w = 0;
    int32_t h = 0;
    if (x != std::string::npos && ParseInteger(v.substr(0, x), w) &&
        ParseInteger(v.substr(x + 1), h) && w >= kMinRozmerObrazku && w <= kMaxRozmerObrazku &&
        h >= kMinRozmerObrazku && h <= kMaxRozmerObrazku) {
        o.plotWidth = w;
        o.plotHeight = h;
        return true;
    }
    e = "bad value '" + v + "' for --plot-size (WIDTHxHEIGHT in pixels, each " +
        std::to_string(kMinRozmerObrazku) + " to " + std::to_string(kMaxRozmerObrazku) + ")";
    return false;
}

// Section codes separated by commas: A-01, ..., E-04, a part A ... E, "all"
// (every section), "default" (the settings' sections, those named besides) and F
// (the reports of the files read, appended; only when named).
bool ChooseReportSections(Options& o, const std::string& v, std::string& e) {
    o.reportFiles = false;
    nastaveni::Tprotokol scratch;
    size_t start = 0;
    while (start <= v.size()) {
        const size_t comma = std::min(v.find(',', start), v.size());
        const std::string code(Trim(std::string_view(v).substr(start, comma - start)));
        if (JeKodPridanychSouboru(code)) {
            o.reportFiles = true;
        } else if (code == "all" || code == "default") {
            // every section, or the settings' sections with those named besides
        } else if (!ZapnoutOddil(code, scratch)) {
            std::string codes;
            for (const std::string& k : KodyOddilu()) codes += (codes.empty() ? "" : ",") + k;
            e = "bad value '" + v + "' for --report-sections (use all, default or codes " +
                "separated by commas: " + codes + ", a part A ... E, or F for the files read)";
            return false;
        }
        start = comma + 1;
    }
    o.reportSections = v;
    return true;
}

Setter Text(std::string Options::*field) {
    return [field](Options& o, const std::string& v, std::string&) {
        o.*field = v;
        return true;
    };
}

// An option naming a file the command writes: "-" is the standard output.
Setter OutputFile(const std::string& option, std::string Options::*field) {
    return [option, field](Options& o, const std::string& v, std::string& e) {
        if (v.empty()) {
            e = "option " + option + " needs a file name";
            return false;
        }
        o.*field = v;
        if (option != "-o" || o.command != "simulate") o.outputs.push_back({option, v});
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

// The same for a count whose 0 the generator takes for "the default": a 0 typed
// by the user would silently become 8 neighbours or every point, so it is refused.
Setter SimPositiveCount(int32_t SimulaceParametry::*field, const std::string& option) {
    return [field, option](Options& o, const std::string& v, std::string& e) {
        int32_t n = 0;
        if (ParseInteger(v, n) && n >= 1) {
            o.simulace.*field = n;
            return true;
        }
        e = "bad value '" + v + "' for " + option + " (a whole number of at least 1)";
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
        return SimPositiveCount(&SimulaceParametry::pocetBodu, "--points")(o, v, e);
    o.points.push_back(v);
    return true;
}

Setter AddTo(std::vector<std::string> Options::*list) {
    return [list](Options& o, const std::string& v, std::string&) {
        (o.*list).push_back(v);
        return true;
    };
}

Setter AddSupplementary(DruhDoplnku kind) {
    return [kind](Options& o, const std::string& v, std::string&) {
        o.supplementary[static_cast<size_t>(KodDruhu(kind) - 1)].push_back(v);
        return true;
    };
}

// Units, formats, language, set order, level and output of every command.
void AddCommonOptions(std::map<std::string, Setter>& m) {
    m["--angle-unit"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kAngleUnits, "--angle-unit", v, o.angleUnit, e);
    };
    m["--length-unit"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kLengthUnits, "--length-unit", v, o.lengthUnit, e);
    };
    m["--coord-unit"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kLengthUnits, "--coord-unit", v, o.coordUnit, e);
    };
    m["--format"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kFormats, "--format", v, o.format, e);
    };
    m["--to"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kOutputFormats, "--to", v, o.to, e);
    };
    m["--lang"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kLanguages, "--lang", v, o.language, e);
    };
    m["--order"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kOrders, "--order", v, o.simultaneous, e);
    };
    m["--level"] = ChooseLevel;
    m["-o"] = OutputFile("-o", &Options::output);
    m["--angle-decimals"] = Decimals(&Options::angleDecimals, "--angle-decimals");
    m["--length-decimals"] = Decimals(&Options::lengthDecimals, "--length-decimals");
}

// The files read besides the raw measurements.
void AddInputOptions(std::map<std::string, Setter>& m) {
    m["--points"] = PointsOption;
    m["--scale"] = AddTo(&Options::scale);
    m["--supp-bearing"] = AddSupplementary(DruhDoplnku::Smernik);
    m["--supp-distance"] = AddSupplementary(DruhDoplnku::Delka);
    m["--supp-height"] = AddSupplementary(DruhDoplnku::Prevyseni);
    m["--supp-plumb"] = AddSupplementary(DruhDoplnku::Provazeni);
}

void AddSimulateOptions(std::map<std::string, Setter>& m) {
    using P = SimulaceParametry;
    m["--layout"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kLayouts, "--layout", v, o.simulace.tvar, e);
    };
    m["--spacing"] = SimValue(&P::rozestup, "--spacing", 1);
    m["--neighbours"] = SimPositiveCount(&P::pocetSousedu, "--neighbours");
    m["--stations"] = SimPositiveCount(&P::pocetStanovisek, "--stations");
    m["--sets"] = SimCount(&P::pocetSkupin, "--sets");
    m["--given"] = SimCount(&P::pocetZadanych, "--given");
    m["--sigma-direction"] = SimValue(&P::sigmaSmer, "--sigma-direction", MgonNaRad(1));
    m["--sigma-zenith"] = SimValue(&P::sigmaZenit, "--sigma-zenith", MgonNaRad(1));
    m["--sigma-distance"] = SimValue(&P::sigmaDelka, "--sigma-distance", MmNaM(1));
    m["--ppm"] = SimValue(&P::ppm, "--ppm", 1);
    m["--gross"] = SimCount(&P::pocetHrubych, "--gross");
    m["--gross-direction"] = SimValue(&P::hrubaUhel, "--gross-direction", MgonNaRad(1));
    m["--gross-distance"] = SimValue(&P::hrubaDelka, "--gross-distance", MmNaM(1));
    m["--seed"] = ChooseSeed;
}

void AddAdjustOptions(std::map<std::string, Setter>& m) {
    m["--unfix"] = AddUnfixed;
    m["--fix-plan"] = [](Options& o, const std::string& v, std::string& e) {
        return AddNames(o.fixPlan, "--fix-plan", v, e);
    };
    m["--fix-height"] = [](Options& o, const std::string& v, std::string& e) {
        return AddNames(o.fixHeight, "--fix-height", v, e);
    };
    m["--exclude"] = [](Options& o, const std::string& v, std::string& e) {
        if (v.empty()) {
            e = "option --exclude needs a file or STATION/TARGET patterns";
            return false;
        }
        o.exclude.push_back(v);
        return true;
    };
    m["--weights"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kWeights, "--weights", v, o.weights, e);
    };
    m["--estimator"] = ChooseEstimator;
    m["--alpha"] = ChooseAlpha;
    m["--threads"] = ChooseThreads;
    m["--solver"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kSolvers, "--solver", v, o.solver, e);
    };
    m["--coords"] = OutputFile("--coords", &Options::coords);
    m["--json"] = OutputFile("--json", &Options::json);
    m["--gama"] = OutputFile("--gama", &Options::gama);
    m["--geojson"] = OutputFile("--geojson", &Options::geojson);
    m["--csv-points"] = OutputFile("--csv-points", &Options::csvPoints);
    m["--csv-observations"] = OutputFile("--csv-observations", &Options::csvObservations);
    m["--csv"] = [](Options& o, const std::string& v, std::string& e) {
        exchange::CsvVolby volby;
        if (!exchange::ParseCsvVolby(v, volby, e)) {
            e = "--csv: " + e;
            return false;
        }
        o.csv = v;
        return true;
    };
    m["--report"] = OutputFile("--report", &Options::report);
    m["--report-sections"] = ChooseReportSections;
}

void AddProjectAndDrawingOptions(std::map<std::string, Setter>& m) {
    m["--project"] = Text(&Options::project);
    m["--epoch"] = OutputFile("--epoch", &Options::epoch);
    m["--dxf"] = OutputFile("--dxf", &Options::dxf);
    m["--dxf-lang"] = [](Options& o, const std::string& v, std::string& e) {
        uint8_t code = 0;
        if (!Choose(kLanguages, "--dxf-lang", v, code, e)) return false;
        o.dxfLanguage = code;
        return true;
    };
    m["--ellipse-scale"] = ChooseEllipseScale;
    m["--ellipses"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kEllipses, "--ellipses", v, o.ellipses, e);
    };
    m["--plot"] = [](Options& o, const std::string& v, std::string& e) {
        if (!JeFormatObrazku(v)) {
            // "-" too: the format of the picture comes from the name.
            e = "bad value '" + v + "' for --plot (a .png, .bmp or .jpg file)";
            return false;
        }
        return OutputFile("--plot", &Options::plot)(o, v, e);
    };
    m["--plot-size"] = ChoosePlotSize;
    m["--plot-style"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kPlotStyles, "--plot-style", v, o.plotStyle, e);
    };
}

// A point number or an angle: an empty one would pass for "not given".
Setter NonEmpty(std::string Options::*field, const std::string& option, const char* what) {
    return [field, option, what](Options& o, const std::string& v, std::string& e) {
        if (Trim(v).empty()) {
            e = "option " + option + " needs " + what;
            return false;
        }
        o.*field = std::string(Trim(v));
        return true;
    };
}

// The bearing is checked against the angle unit once all options are known.
void AddTransformOptions(std::map<std::string, Setter>& m) {
    m["--identical"] = AddTo(&Options::identical);
    m["--method"] = [](Options& o, const std::string& v, std::string& e) {
        return Choose(kMethods, "--method", v, o.pointBearing, e);
    };
    m["--base"] = NonEmpty(&Options::base, "--base", "a point number");
    m["--orient"] = NonEmpty(&Options::orient, "--orient", "a point number");
    m["--bearing"] = NonEmpty(&Options::bearing, "--bearing", "an angle");
}

}  // namespace

const std::map<std::string, Setter>& ValueOptions() {
    static const std::map<std::string, Setter> options = [] {
        std::map<std::string, Setter> m;
        AddCommonOptions(m);
        AddInputOptions(m);
        AddSimulateOptions(m);
        AddAdjustOptions(m);
        AddProjectAndDrawingOptions(m);
        AddTransformOptions(m);
        return m;
    }();
    return options;
}

const std::map<std::string, bool Options::*>& FlagOptions() {
    static const std::map<std::string, bool Options::*> flags = {
        {"--help", &Options::help},
        {"--export", &Options::exportMode},
        {"--verbose", &Options::verbose},
        {"--yes", &Options::yes},
        {"--mirror", &Options::mirror},
        {"--drop-unassigned", &Options::dropUnassigned},
        {"--rows", &Options::rows},
        {"--yxz", &Options::yxz},
        {"--faces", &Options::faces},
        {"--supplementary", &Options::supplementaryMeasurements},
        {"--free", &Options::free},
        {"--no-exclusion", &Options::noExclusion},
        {"--explain", &Options::explain},
        {"--identical-yxz", &Options::identicalYxz},
        {"--large-epoch", &Options::largeEpoch},
    };
    return flags;
}

std::string Canonical(const std::string& name) {
    if (name == "--output") return "-o";
    if (name == "-h") return "--help";
    if (name == "-y") return "--yes";
    return name;
}

bool IsRepeatable(const std::string& name, const std::string& command) {
    static const std::set<std::string> lists = {
        "--scale", "--supp-bearing", "--supp-distance", "--supp-height", "--supp-plumb",
        "--unfix", "--identical",    "--fix-plan",      "--fix-height",  "--exclude"};
    return lists.count(name) > 0 || (name == "--points" && command != "simulate");
}

bool TakesFileName(const std::string& name, const std::string& command) {
    static const std::set<std::string> files = {"-o",
                                                "--identical",
                                                "--coords",
                                                "--json",
                                                "--gama",
                                                "--geojson",
                                                "--csv-points",
                                                "--csv-observations",
                                                "--report",
                                                "--project",
                                                "--epoch",
                                                "--dxf",
                                                "--plot",
                                                "--scale",
                                                "--supp-bearing",
                                                "--supp-distance",
                                                "--supp-height",
                                                "--supp-plumb"};
    return files.count(name) > 0 || (name == "--points" && command != "simulate");
}

}  // namespace vertano::cli
