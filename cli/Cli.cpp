#include "Cli.h"

#include <iostream>

#include "Commands.h"
#include "Options.h"

namespace vertano::cli {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "vertano-cli: " << error << "\nTry 'vertano-cli --help'.\n";
        return kExitUsage;
    }
    if (options.help || options.command == "help") {
        out << HelpText();
        return kExitOk;
    }
    if (options.command == "check") return RunCheck(options, out, err);
    return RunConvert(options, out, err);
}

int Main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return Run(args, std::cout, std::cerr);
}

}  // namespace vertano::cli
