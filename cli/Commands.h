#pragma once

#include <ostream>

#include "Options.h"

namespace vertano::cli {

// The commands; each prints its report to `out`, problems to `err`, and returns the
// exit status.
int RunCheck(const Options& options, std::ostream& out, std::ostream& err);
int RunConvert(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace vertano::cli
