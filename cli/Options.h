#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "data/Odhad.h"
#include "data/ZdrojVah.h"
#include "matice/Real.h"
#include "reports/CasProtokolu.h"
#include "workspace/Simulace.h"

namespace vertano::cli {

// A file named on the command line, with the option that named it (empty for
// the raw measurement files).
struct NamedFile {
    std::string option;
    std::string path;
};

// Everything the command line can say. Later commands add their fields here, so
// that all options are parsed and documented in one place.
struct Options {
    // "check", "convert", "reduce", "simulate", "adjust", "approx", "transform",
    // "project" or "help"
    std::string command;
    std::string subcommand;  // project: "save" or "show"
    bool help = false;
    uint8_t angleUnit = 1;   // settings codes: 0 rad, 1 gon, 2 deg, 3 D.MMSS
    uint8_t lengthUnit = 0;  // 0 m, 1 ft
    uint8_t coordUnit = 0;   // --coord-unit, coordinate files: 0 m, 1 ft
    // Decimals written of angles and lengths (-1: the settings' or simulate's own).
    int angleDecimals = -1;
    int lengthDecimals = -1;
    // --format: 0 MTX, 1 ASC, 2 GSI, 3 the XML network of GNU Gama; -1 = by extension
    int format = -1;
    int to = -1;  // --to: output format
    bool exportMode = false;
    // The program itself starts in Czech; a terminal user of this program is more
    // likely to read English, so that is the default here.
    uint8_t language = 1;  // settings code: 0 Czech, 1 English
    bool verbose = false;  // print the stages of long commands
    bool yes = false;      // answer every question "Yes"

    // Raw measurement processing before the checks or the reduction.
    bool simultaneous = false;  // --order simultaneous: rearrange such sets first
    bool mirror = false;
    bool dropUnassigned = false;
    bool rows = false;  // list every flagged row

    // Further inputs, each option repeatable.
    std::vector<std::string> points;  // given network points
    bool yxz = false;                 // their files are YXZ, not XYZ
    std::vector<std::string> scale;   // scale factors
    // Supplementary measurements by kind, index = kind code - 1 (bearing,
    // slope distance, height difference, plumbing).
    std::array<std::vector<std::string>, 4> supplementary;

    // reduce: the level (-1 = the settings' default, 0 zero, 1 mean of the
    // network, 2 the height below), the height in the coordinate unit, and
    // whether face means are written instead of set means.
    int level = -1;
    Real levelHeight = 0;
    bool faces = false;

    // adjust: the datum (--free: no point is fixed; --unfix: these given points
    // are not), the settings of the adjustment (-1 / empty: the defaults of the
    // settings) and the result files.
    bool free = false;
    std::vector<std::string> unfix;
    // Given points fixed in plan only (--fix-plan) or in height only
    // (--fix-height); a point in both is fixed in all three.
    std::vector<std::string> fixPlan;
    std::vector<std::string> fixHeight;
    // --exclude: files of station/target patterns or the patterns themselves
    // (each value as given; resolved when the inputs are loaded).
    std::vector<std::string> exclude;
    ZdrojVah weights = ZdrojVah::Neurcen;  // Neurcen: as the settings say
    Odhad estimator = Odhad::Neurcen;      // Neurcen: as the settings say
    Real alpha = -1;                       // significance level of the outlier test
    bool noExclusion = false;
    int threads = -1;
    // The solver of the normal equations: 0 auto (sparse, the dense cascade
    // where the sparse one cannot handle the datum), 1 dense, 2 sparse.
    int solver = 0;
    std::string coords;
    std::string json;
    // adjust: the adjusted network for other programs (data exchange).
    std::string gama;
    std::string geojson;
    std::string csvPoints;
    std::string csvObservations;
    // The layout of CSV files, read (--points FILE.csv) and written:
    // "order=NXYZ,sep=;,decimal=,,header=yes" (exchange::ParseCsvVolby).
    std::string csv;
    // adjust, check: the report file, and for adjust the sections it holds
    // ("default" the settings' defaults, "all", or codes separated by commas).
    std::string report;
    std::string reportSections = "default";
    // The file-adding report is appended (--report-sections names F).
    bool reportFiles = false;
    // The clock of the report's "Created" line; not an option (tests fix it).
    Hodiny hodiny = MistniCas;
    // approx: a line per point saying how it was found.
    bool explain = false;

    // A project file read instead of the input files; the options given beside
    // it override its settings for the run.
    std::string project;

    // adjust: the epoch, the DXF drawing and the picture of the network, with the
    // options of the drawing (-1: as the settings say).
    std::string epoch;
    bool largeEpoch = false;  // an epoch file above kVelkaEtapa is written too
    std::string dxf;
    int dxfLanguage = -1;  // 0 Czech, 1 English layer names
    Real ellipseScale = -1;
    int ellipses = -1;  // 1 a priori, 0 a posteriori
    std::string plot;
    int plotWidth = 1200;
    int plotHeight = 800;
    int plotStyle = -1;  // 0 the "Default" colours, 1 black on white

    // transform: the identical points of the output system (repeatable, YXZ with
    // --identical-yxz), the method, and for point and bearing the base and the
    // orientation point (point numbers) and the bearing as typed (angle unit).
    std::vector<std::string> identical;
    bool identicalYxz = false;
    bool pointBearing = false;
    std::string base;
    std::string orient;
    std::string bearing;

    // simulate: the network to generate (--points is its number of points there)
    // and --supplementary, copied into it when the options are complete.
    SimulaceParametry simulace;
    bool supplementaryMeasurements = false;

    std::vector<std::string> inputs;
    std::string output;
    // Every file the command writes, in the order given. The file-name checks and
    // the standard output ("-") work on this list, so an output option declared
    // with OutputFile (OptionTable.cpp) is covered without more ado; simulate's
    // -o is a prefix of names, not a file, and is left out.
    std::vector<NamedFile> outputs;
    // Canonical names of the options given, for the per-command validation.
    std::set<std::string> given;
};

// Exit statuses of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRejected = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitChecksFailed = 3;
// The raw-data analysis, the network adjustment, the transformation analysis or
// a transformation stopped (after its message).
inline constexpr int kExitStopped = 4;

// Parses the arguments after the program name. False with an English message on
// a usage error (unknown command or option, missing or bad value, an option the
// command does not use).
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// Some output goes to the standard output ("-" or /dev/stdout): the report
// then goes to the error output, so that the output stays what it is.
bool WritesToStandardOutput(const Options& options);

std::string HelpText();

}  // namespace vertano::cli
