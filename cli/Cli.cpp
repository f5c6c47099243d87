#include "Cli.h"

#include <cerrno>
#include <cstdio>
#include <iostream>
#include <system_error>

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
#include "StandardOutput.h"

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

std::string Reason(int code) {
    return code != 0 ? std::generic_category().message(code) : "the output failed";
}

// What did not reach the standard output fails the command, whatever it
// computed: a summary or a list of points that went nowhere is no result.
int Checked(int status, std::ostream& out, std::ostream& err) {
    out.flush();
    if (out.good()) return status;
    const auto* standard = dynamic_cast<const StandardOutputBuffer*>(out.rdbuf());
    err << "vertano-cli: cannot write to the standard output: "
        << Reason(standard != nullptr ? standard->Error() : 0) << "\n";
    return kExitRejected;
}

int RunChecked(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               std::istream* terminal, const Hodiny& hodiny);

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::istream* terminal, const Hodiny& hodiny) {
    EscapingStream shownErr(err);
    return Checked(RunChecked(args, out, err, terminal, hodiny), out, shownErr);
}

namespace {

int RunChecked(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
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

// The standard output closed: an error that shows only when the descriptor is
// closed (a file system over the network) fails the run too. One closed by the
// caller before the start is no failure when nothing was written to it.
int Closed(int status, bool failed) {
    std::fflush(stdout);
#if !defined(_WIN32)
    if (::close(1) != 0 && errno != EBADF && !failed) {
        std::cerr << "vertano-cli: cannot write to the standard output: " << Reason(errno) << "\n";
        return kExitRejected;
    }
#endif
    return status;
}

}  // namespace

int Main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    // A script's input is not the user's answer: only a terminal is asked.
    std::istream* terminal = VERTANO_ISATTY(VERTANO_STDIN) ? &std::cin : nullptr;
    // Everything for the standard output, the files written to "-" too, goes
    // through one buffer that keeps why a write failed.
    StandardOutputBuffer buffer;
    std::streambuf* saved = std::cout.rdbuf(&buffer);
    const int status = Run(args, std::cout, std::cerr, terminal);
    std::cout.flush();
    std::cout.rdbuf(saved);
    return Closed(status, buffer.Error() != 0);
}

}  // namespace vertano::cli
