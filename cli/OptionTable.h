#pragma once

#include <functional>
#include <map>
#include <string>

#include "Options.h"

namespace vertano::cli {

// The options the parser knows, with what each does with its value.

// Stores the value of an option; false with an English message when it is bad.
using Setter = std::function<bool(Options&, const std::string&, std::string&)>;

// Options that take a value, by their canonical name.
const std::map<std::string, Setter>& ValueOptions();
// Options without a value: the field each sets.
const std::map<std::string, bool Options::*>& FlagOptions();

// The one name of an option that has two spellings (-o and --output, -h and
// --help, -y and --yes); any other name unchanged.
std::string Canonical(const std::string& name);

// A value option that may be given again, each value adding to a list (input
// files, --unfix). Any other option given twice is a mistake: one of the values
// would be dropped without a word.
bool IsRepeatable(const std::string& name, const std::string& command);

// A value option whose value names a file: it must not be empty.
bool TakesFileName(const std::string& name, const std::string& command);

}  // namespace vertano::cli
