#include "Cli.h"

#include <iostream>

#if defined(_WIN32)
#include <io.h>
#define VERTANO_ISATTY _isatty
#define VERTANO_STDIN 0
#else
#include <unistd.h>
#define VERTANO_ISATTY isatty
#define VERTANO_STDIN STDIN_FILENO
#endif

#include "Commands.h"
#include "EscapingStream.h"
#include "FileNames.h"
#include "Options.h"

namespace vertano::cli {

namespace {

// An output on the standard output ("-") would be mixed with the report, which
// therefore goes to the error output then (`err` escapes already).
int RunCommand(const Options& options, std::ostream& out, std::ostream& err,
               std::istream* terminal) {
    EscapingStream shownOut(WritesToStandardOutput(options) ? err : out);
    std::ostream& report = shownOut;
    if (options.command == "check") return RunCheck(options, report, err, terminal);
    if (options.command == "reduce") return RunReduce(options, report, err, terminal);
    if (options.command == "simulate") return RunSimulate(options, report, err);
    if (options.command == "adjust") return RunAdjust(options, report, err, terminal);
    if (options.command == "approx") return RunApprox(options, report, err, terminal);
    if (options.command == "project") return RunProject(options, report, err, terminal);
    if (options.command == "transform") return RunTransform(options, report, err, terminal);
    return RunConvert(options, report, err);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::istream* terminal, const Hodiny& hodiny) {
    // Whatever reaches the terminal passes the escaping streams: names and paths
    // come from files and arguments.
    EscapingStream shownErr(err);
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        shownErr << "vertano-cli: " << error << "\nTry 'vertano-cli --help'.\n";
        return kExitUsage;
    }
    if (hodiny) options.hodiny = hodiny;
    if (options.help || options.command == "help") {
        out << HelpText();
        return kExitOk;
    }
    if (!CheckFileNames(options, error)) {
        shownErr << "vertano-cli: " << error << "\n";
        return kExitUsage;
    }
    return RunCommand(options, out, shownErr, terminal);
}

int Main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    // A script's input is not the user's answer: only a terminal is asked.
    std::istream* terminal = VERTANO_ISATTY(VERTANO_STDIN) ? &std::cin : nullptr;
    return Run(args, std::cout, std::cerr, terminal);
}

}  // namespace vertano::cli
