#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vertano::cli {

// Runs the command line; returns the process exit status.
int Main(int argc, char** argv);

// The same on given arguments (without the program name) and streams, for tests.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vertano::cli
