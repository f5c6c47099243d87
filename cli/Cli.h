#pragma once

namespace vertano::cli {

// Runs the command line; returns the process exit status.
int Main(int argc, char** argv);

}  // namespace vertano::cli
