#pragma once

#include <istream>
#include <ostream>

#include "Options.h"

namespace vertano::cli {

// The commands; each prints its report to `out`, problems, notifications and
// questions to `err`, and returns the exit status. `terminal` is the standard
// input when it is a terminal (questions may then be answered), otherwise nullptr.
int RunCheck(const Options& options, std::ostream& out, std::ostream& err, std::istream* terminal);
int RunConvert(const Options& options, std::ostream& out, std::ostream& err);
int RunReduce(const Options& options, std::ostream& out, std::ostream& err, std::istream* terminal);
// The raw-data analysis and the network adjustment, with the summary and the
// result files.
int RunAdjust(const Options& options, std::ostream& out, std::ostream& err, std::istream* terminal);
// The approximate coordinates of the analysis, optionally explained.
int RunApprox(const Options& options, std::ostream& out, std::ostream& err, std::istream* terminal);
// project save: the inputs and settings of the options as a project file;
// project show: what a project holds and its settings.
int RunProject(const Options& options, std::ostream& out, std::ostream& err,
               std::istream* terminal);
// The adjustment as adjust runs it, then the transformation of the network into
// the system of the identical points, with the summary and the result files.
int RunTransform(const Options& options, std::ostream& out, std::ostream& err,
                 std::istream* terminal);
// Generates a network and writes its files; reads nothing.
int RunSimulate(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace vertano::cli
