#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "reports/CasProtokolu.h"

namespace vertano::cli {

// Runs the command line; returns the process exit status.
int Main(int argc, char** argv);

// The same on given arguments (without the program name) and streams, for tests.
// Questions are answered from `terminal` when it is given (the standard input of
// an interactive run); without it nothing is ever read. Reports take the time of
// their "Created" line from `hodiny`.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        std::istream* terminal = nullptr, const Hodiny& hodiny = MistniCas);

}  // namespace vertano::cli
