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
#include "FileNames.h"
#include "Options.h"

namespace vertano::cli {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::istream* terminal, const Hodiny& hodiny) {
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "vertano-cli: " << error << "\nTry 'vertano-cli --help'.\n";
        return kExitUsage;
    }
    if (hodiny) options.hodiny = hodiny;
    if (options.help || options.command == "help") {
        out << HelpText();
        return kExitOk;
    }
    if (!CheckFileNames(options, error)) {
        err << "vertano-cli: " << error << "\n";
        return kExitUsage;
    }
    if (options.command == "check") return RunCheck(options, out, err, terminal);
    if (options.command == "reduce") return RunReduce(options, out, err, terminal);
    if (options.command == "simulate") return RunSimulate(options, out, err);
    if (options.command == "adjust") return RunAdjust(options, out, err, terminal);
    if (options.command == "approx") return RunApprox(options, out, err, terminal);
    if (options.command == "project") return RunProject(options, out, err, terminal);
    if (options.command == "transform") return RunTransform(options, out, err, terminal);
    return RunConvert(options, out, err);
}

int Main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    // A script's input is not the user's answer: only a terminal is asked.
    std::istream* terminal = VERTANO_ISATTY(VERTANO_STDIN) ? &std::cin : nullptr;
    return Run(args, std::cout, std::cerr, terminal);
}

}  // namespace vertano::cli
