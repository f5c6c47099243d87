#pragma once

#include <vector>

#include "Session.h"

namespace vertano::cli {

// Loading of the files named on the command line into the workspace. Each loader
// prints one line per file read (with the number of rows or points it added) on
// the output stream, the reason for every file refused on the error stream, and a
// closing line with the catalogue's "Added files: " count. Each returns true when
// every file was read and accepted.

// Format codes of the raw inputs, or false (usage error, reported) when a file's
// format cannot be told from its extension.
bool RawFormats(const Options& options, std::vector<int>& codes, std::ostream& err);

// Raw measurement files into the raw list, with continuing station numbers.
bool LoadRawFiles(Session& s, const std::vector<int>& codes);

// Given network points (--points), scale factors (--scale) and supplementary
// measurements (--supp-...), each followed by the check of its list.
bool LoadPointFiles(Session& s);
bool LoadScaleFiles(Session& s);
bool LoadSupplementaryFiles(Session& s);
// Identical points of the output system (--identical, YXZ with --identical-yxz),
// with up to three standard deviations per point, followed by their check.
bool LoadIdenticalFiles(Session& s);

}  // namespace vertano::cli
