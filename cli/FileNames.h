#pragma once

#include <string>

#include "Options.h"

namespace vertano::cli {

// The files of a command line must be told apart before anything is read. A file
// read twice counts its measurements twice: the adjustment would take the copies
// for independent observations and report an accuracy that nobody measured. An
// output that is also an input would replace what was read (reduce -o raw.mtx
// puts the means over the raw measurements), and two outputs on one file leave
// only the second. Files that exist are compared by device and inode, other
// names as absolute paths with links followed and ".." resolved, so that
// "a.mtx", "./a.mtx", "sub/../a.mtx", a symbolic and a hard link to it are one,
// whether the file exists yet or not.
//
// False, with an English message naming the files, when a file is named twice
// among the inputs, an output is also an input, two outputs are the same file
// (two outputs may share a device such as /dev/null) or two outputs go to the
// standard output.
bool CheckFileNames(const Options& options, std::string& error);

}  // namespace vertano::cli
