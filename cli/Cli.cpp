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
    errno = 0;
    out.flush();
    if (out.good()) return status;
    err << "vertano-cli: cannot write to the standard output: " << Reason(errno) << "\n";
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

// The standard output closed: a disk that fills up shows only now, when the
// last of the buffered text is written. A standard output the caller closed
// before the start (nothing written to it) is no failure.
int Closed(int status) {
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    int code = errno;
    bool closed = std::fclose(stdout) == 0;
    if (!closed && errno == EBADF && flushed) closed = true;
    if (!closed && code == 0) code = errno;
    if (flushed && closed) return status;
    std::cerr << "vertano-cli: cannot write to the standard output: " << Reason(code) << "\n";
    return kExitRejected;
}

}  // namespace

int Main(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    // A script's input is not the user's answer: only a terminal is asked.
    std::istream* terminal = VERTANO_ISATTY(VERTANO_STDIN) ? &std::cin : nullptr;
    return Closed(Run(args, std::cout, std::cerr, terminal));
}

}  // namespace vertano::cli
